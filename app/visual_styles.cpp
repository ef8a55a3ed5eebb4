// VisualStylesOn: asks the comctl32 this process really loaded, which the manifest picks.
#include "app/visual_styles.h"

#include <windows.h>
#include <shlwapi.h>

bool VisualStylesOn()
{
    // Imported by the program, so it is loaded; its handle needs no release.
    HMODULE controls = GetModuleHandleA("comctl32.dll");
    DLLGETVERSIONPROC getVersion =
        controls
            ? reinterpret_cast<DLLGETVERSIONPROC>(reinterpret_cast<void*>(GetProcAddress(controls, "DllGetVersion")))
            : 0;
    DLLVERSIONINFO version;
    ZeroMemory(&version, sizeof(version));
    version.cbSize = sizeof(version);
    return getVersion && SUCCEEDED(getVersion(&version)) && version.dwMajorVersion >= 6;
}

// CreateShortcutFile: a new shell-link object, filled in and saved to the given .lnk path.
#include "model/shortcut_file.h"

#include <windows.h>
#include <shlobj.h>

bool CreateShortcutFile(const char* target, const char* arguments, const char* workingDirectory,
                        int showCommand, const char* linkPath)
{
    WCHAR widePath[MAX_PATH];
    if (!linkPath || lstrlenA(linkPath) >= MAX_PATH
        || MultiByteToWideChar(CP_ACP, 0, linkPath, -1, widePath, MAX_PATH) <= 0)
        return false;

    void* object = 0;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, 0, CLSCTX_INPROC_SERVER, IID_IShellLinkA, &object)))
        return false;
    IShellLinkA* link = static_cast<IShellLinkA*>(object);  // released below, once
    link->SetPath(target);
    link->SetArguments(arguments);
    link->SetWorkingDirectory(workingDirectory);
    link->SetShowCmd(showCommand);

    bool saved = false;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, &object))) {
        IPersistFile* persistFile = static_cast<IPersistFile*>(object);
        saved = SUCCEEDED(persistFile->Save(widePath, TRUE));
        persistFile->Release();
    }
    link->Release();
    return saved;
}

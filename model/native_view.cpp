// NativeFileSystemView: kernel32's Wow64 calls, looked up at run time, since Windows without
// WOW64 lacks them.
#include "model/native_view.h"

#include <windows.h>

namespace {

typedef BOOL(WINAPI* RedirectionProc)(PVOID*);
typedef BOOL(WINAPI* RevertProc)(PVOID);

// kernel32 stays loaded for the life of the process, so its addresses stay good.
FARPROC Kernel32Function(const char* name)
{
    HMODULE kernel32 = GetModuleHandleA("kernel32.dll");
    return kernel32 ? GetProcAddress(kernel32, name) : 0;
}

}  // namespace

NativeFileSystemView::NativeFileSystemView() : m_saved(0), m_disabled(false)
{
    RedirectionProc disable =
        reinterpret_cast<RedirectionProc>(reinterpret_cast<void*>(Kernel32Function("Wow64DisableWow64FsRedirection")));
    // A 64-bit process has nothing to turn off, and the call says so by failing.
    m_disabled = disable && disable(&m_saved);
}

NativeFileSystemView::~NativeFileSystemView()
{
    if (!m_disabled)
        return;
    RevertProc revert =
        reinterpret_cast<RevertProc>(reinterpret_cast<void*>(Kernel32Function("Wow64RevertWow64FsRedirection")));
    if (revert)
        revert(m_saved);
}

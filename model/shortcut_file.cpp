// CreateShortcutFile: a new shell-link object, filled in and saved to the given .lnk path.
#include "model/shortcut_file.h"

#include <windows.h>
#include <shlobj.h>

#include "model/link_name.h"
#include "model/link_target.h"

namespace {

// A fresh link object, or null; the caller releases it.
IShellLinkW* NewLink()
{
    void* object = 0;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, 0, CLSCTX_INPROC_SERVER, IID_IShellLinkW, &object)))
        return 0;
    return static_cast<IShellLinkW*>(object);
}

}  // namespace

bool CreateShortcutFile(const wchar_t* target, const wchar_t* arguments, const wchar_t* workingDirectory,
                        int showCommand, const wchar_t* linkPath)
{
    if (!linkPath || lstrlenW(linkPath) >= MAX_PATH)
        return false;
    IShellLinkW* link = NewLink();  // released below, once
    if (!link)
        return false;
    link->SetPath(target);
    link->SetArguments(arguments);
    link->SetWorkingDirectory(workingDirectory);
    link->SetShowCmd(showCommand);

    bool saved = false;
    void* object = 0;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, &object))) {
        IPersistFile* persistFile = static_cast<IPersistFile*>(object);
        saved = SUCCEEDED(persistFile->Save(linkPath, TRUE));
        persistFile->Release();
    }
    link->Release();
    return saved;
}

bool ShortcutPointsAt(const wchar_t* linkPath, const wchar_t* target)
{
    IShellLinkW* link = NewLink();  // released below, once
    if (!link)
        return false;
    bool same = false;
    void* object = 0;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, &object))) {
        IPersistFile* persistFile = static_cast<IPersistFile*>(object);
        wchar_t path[MAX_PATH];
        wchar_t arguments[2] = L"";
        same = SUCCEEDED(persistFile->Load(linkPath, STGM_READ)) && SUCCEEDED(ReadLinkTarget(link, path)) && path[0]
               && SameName(path, target) && SUCCEEDED(link->GetArguments(arguments, 2)) && !arguments[0];
        persistFile->Release();
    }
    link->Release();
    return same;
}

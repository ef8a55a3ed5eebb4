// ReadLinkTarget: GetPath, then the id list's path where both are one path to the code page.
#include "model/link_target.h"

namespace {

// True when the two texts turn into the same 8-bit text, best-fit look-alikes and all. Both are
// the same link's renderings of its target, so the locale's comparison is exact enough here.
bool SameInCodePage(const wchar_t* left, const wchar_t* right)
{
    char leftBytes[MAX_PATH * 2];
    char rightBytes[MAX_PATH * 2];
    return WideCharToMultiByte(CP_ACP, 0, left, -1, leftBytes, sizeof(leftBytes), 0, 0) > 0
           && WideCharToMultiByte(CP_ACP, 0, right, -1, rightBytes, sizeof(rightBytes), 0, 0) > 0
           && lstrcmpA(leftBytes, rightBytes) == 0;
}

}  // namespace

HRESULT ReadLinkTarget(IShellLinkW* link, wchar_t (&target)[MAX_PATH])
{
    target[0] = L'\0';
    // No find data asked for: Wine's link object then skips a look at the target on disk, which
    // costs more than the rest of the read.
    HRESULT result = link->GetPath(target, MAX_PATH, 0, SLGP_UNCPRIORITY);
    target[MAX_PATH - 1] = L'\0';
    LPITEMIDLIST idList = 0;  // owned; freed below
    if (result != S_OK || !target[0] || link->GetIDList(&idList) != S_OK)
        return result;
    wchar_t exact[MAX_PATH];
    if (SHGetPathFromIDListW(idList, exact) && SameInCodePage(exact, target))
        lstrcpynW(target, exact, MAX_PATH);
    ILFree(idList);
    return result;
}

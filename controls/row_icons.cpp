// Row icons at any DPI. The shell's lists come in its sizes only; at any other the program copies
// their icons, stretched, into a list of its own, and each fill copies only the ones added since.
#include "controls/row_icons.h"

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include "controls/shortcut_view.h"

namespace {

int g_side = 16;
// Owned here, null while the shell's small list has the size. The view shares it
// (LVS_SHAREIMAGELISTS) and never destroys it; this file does, once nothing draws from it.
HIMAGELIST g_ownIcons = 0;
// The shell's large list, for rows larger than its small icons; nobody destroys it.
HIMAGELIST g_largeSystemIcons = 0;

int IconSide(HIMAGELIST images)
{
    int width = 0, height = 0;
    return ImageList_GetIconSize(images, &width, &height) ? height : 0;  // false for no list
}

// Shrinking an icon loses less than growing one: rows larger than the shell's small icons are
// drawn from its large ones. The shell keeps every index the same in all its lists.
void CopyNewIcons(HIMAGELIST own)
{
    HIMAGELIST from = g_hImageList;
    if (g_side > IconSide(g_hImageList)) {
        SHFILEINFOW info;  // only written
        if (!g_largeSystemIcons)
            g_largeSystemIcons = reinterpret_cast<HIMAGELIST>(
                SHGetFileInfoW(L".lnk", FILE_ATTRIBUTE_NORMAL, &info, sizeof(info),
                               SHGFI_USEFILEATTRIBUTES | SHGFI_SYSICONINDEX | SHGFI_LARGEICON));
        if (g_largeSystemIcons)
            from = g_largeSystemIcons;
    }
    int copied = ImageList_GetImageCount(own);
    int count = ImageList_GetImageCount(from);
    // An icon that cannot be copied leaves its place blank, so the ones after keep their indexes.
    if (count <= copied || !ImageList_SetImageCount(own, count))
        return;
    for (int i = copied; i < count; ++i) {
        HICON icon = ImageList_GetIcon(from, i, ILD_NORMAL);
        if (icon) {
            ImageList_ReplaceIcon(own, i, icon);  // stretched to the list's size
            DestroyIcon(icon);
        }
    }
}

}  // namespace

void SetRowIconSide(int side)
{
    g_side = side;
    if (GetRowImages())
        UpdateRowIcons();
}

void UpdateRowIcons()
{
    HIMAGELIST own = g_ownIcons;
    if (!g_hImageList || IconSide(g_hImageList) == g_side)
        own = 0;
    else if (IconSide(own) != g_side)
        own = ImageList_Create(g_side, g_side, ILC_COLOR32 | ILC_MASK, 0, 16);
    if (own)
        CopyNewIcons(own);
    // Handing the view a list makes it measure every row again: only a new one is handed over.
    HIMAGELIST shown = own ? own : g_hImageList;
    if (GetRowImages() != shown)
        SetRowImages(shown);
    if (g_ownIcons != own)
        ReleaseRowIcons();
    g_ownIcons = own;
}

void ReleaseRowIcons()
{
    ImageList_Destroy(g_ownIcons);  // does nothing when there is none
    g_ownIcons = 0;
}

// What the main window holds over its life: the one image list and its images, the icons the
// shell hands out, the shortcut list at teardown, and scans past names too long for a path.
#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <map>
#include <set>

#include "app/quiverdesk.h"
#include "controls/shortcut_view.h"
#include "controls/status_bar.h"
#include "controls/tool_bar.h"
#include "model/shortcut_list.h"
#include "support/main_window_fixture.h"

namespace {

typedef ShellFolderTest WindowLifetimeTest;

std::vector<std::string> AddCopies(const std::string& dir, int count)
{
    std::vector<std::string> paths;
    for (int i = 0; i < count; ++i) {
        char name[32];
        wsprintfA(name, "copy%02d.lnk", i);
        EXPECT_TRUE(AddSample(dir, "01-format-doc-example-local-file.lnk", name)) << name;
        paths.push_back(dir + "\\" + name);
    }
    return paths;
}

BOOL(WINAPI* g_imageListDestroy)(HIMAGELIST) = 0;
void(WINAPI* g_coUninitialize)() = 0;
std::vector<HIMAGELIST> g_destroyed;
int g_destroyedWhileViewHeldIt = 0;
std::vector<int> g_itemsAtUninitialize;

BOOL WINAPI RecordingImageListDestroy(HIMAGELIST list)
{
    g_destroyed.push_back(list);
    // The view, made without LVS_SHAREIMAGELISTS, would release what it still holds once more.
    g_destroyedWhileViewHeldIt += list && list == reinterpret_cast<HIMAGELIST>(
                                              SendMessageA(g_hListView, LVM_GETIMAGELIST, LVSIL_SMALL, 0));
    return g_imageListDestroy(list);
}

void WINAPI RecordingCoUninitialize()
{
    g_itemsAtUninitialize.push_back(g_shortcutList.GetCount());
    g_coUninitialize();
}

}  // namespace

TEST_F(WindowLifetimeTest, TeardownReleasesTheImageListOnceAndTheItemsBeforeCom)
{
    AddCopies(m_sendTo, 3);
    AddCopies(m_startup, 2);
    ScopedImportPatch destroyPatch("comctl32", "ImageList_Destroy", reinterpret_cast<void*>(RecordingImageListDestroy));
    ScopedImportPatch uninitPatch("ole32", "CoUninitialize", reinterpret_cast<void*>(RecordingCoUninitialize));
    g_imageListDestroy = reinterpret_cast<BOOL(WINAPI*)(HIMAGELIST)>(destroyPatch.Original());
    g_coUninitialize = reinterpret_cast<void(WINAPI*)()>(uninitPatch.Original());
    ASSERT_TRUE(g_imageListDestroy && g_coUninitialize);

    // Two whole lifetimes: each window has its own list and releases it once.
    for (int lifetime = 0; lifetime < 2; ++lifetime) {
        SCOPED_TRACE(lifetime);
        g_destroyed.clear();
        g_itemsAtUninitialize.clear();
        g_destroyedWhileViewHeldIt = 0;
        HIMAGELIST list = 0;
        {
            MainWindow window;
            list = g_hImageList;
            ASSERT_EQ(3, RowCount());
            window.ClickTab(1);
            window.Command(CMD_REFRESH);
            window.ClickTab(0);
            EXPECT_EQ(list, g_hImageList) << "refreshes reuse the one list";
            EXPECT_EQ(0, std::count(g_destroyed.begin(), g_destroyed.end(), list)) << "released while in use";
            ASSERT_GT(g_shortcutList.GetCount(), 0);
        }
        EXPECT_EQ(1, std::count(g_destroyed.begin(), g_destroyed.end(), list));
        EXPECT_EQ(0, g_destroyedWhileViewHeldIt) << "the view would release it again";
        EXPECT_EQ(std::vector<int>(1, 0), g_itemsAtUninitialize) << "shell-link objects outlived COM";
    }
}

TEST(WindowBars, ABarWithoutAWindowHasNoHeight)
{
    EXPECT_EQ(0, StatusBar().GetHeight());
    EXPECT_EQ(0, ToolBar().GetHeight());
}

namespace {

DWORD_PTR(WINAPI* g_getFileInfo)(LPCSTR, DWORD, SHFILEINFOA*, UINT, UINT) = 0;
BOOL(WINAPI* g_destroyIcon)(HICON) = 0;
std::set<HICON> g_liveIcons;  // handed to the program, not destroyed yet
std::map<std::string, COLORREF> g_iconColours;
std::string g_noIconFor;

// Every icon asked for is made here, in the file's colour (black by default).
DWORD_PTR WINAPI FakeIconFileInfo(LPCSTR path, DWORD attributes, SHFILEINFOA* info, UINT size, UINT flags)
{
    if (!(flags & SHGFI_ICON))
        return g_getFileInfo(path, attributes, info, size, flags);
    ZeroMemory(info, size);
    if (!path || g_noIconFor == path)
        return 0;
    COLORREF colour = g_iconColours[path];
    DWORD pixels[16 * 16];
    for (DWORD& pixel : pixels)
        pixel = RGB(GetBValue(colour), GetGValue(colour), GetRValue(colour));  // stored as BGR
    BYTE opaque[32] = {0};  // an all-zero AND mask shows every colour pixel
    info->hIcon = CreateIcon(0, 16, 16, 1, 32, opaque, reinterpret_cast<BYTE*>(pixels));
    g_liveIcons.insert(info->hIcon);
    return info->hIcon != 0;
}

BOOL WINAPI CountingDestroyIcon(HICON icon)
{
    g_liveIcons.erase(icon);
    return g_destroyIcon(icon);
}

// The colour in the middle of an image of the view's list, drawn as the view draws it.
COLORREF ImageColour(int index)
{
    HDC dc = CreateCompatibleDC(0);
    HGDIOBJ old = SelectObject(dc, CreateBitmap(16, 16, 1, 32, 0));
    ImageList_Draw(g_hImageList, index, dc, 0, 0, ILD_NORMAL);
    COLORREF colour = GetPixel(dc, 8, 8);
    DeleteObject(SelectObject(dc, old));
    DeleteDC(dc);
    return colour;
}

void ExpectRowsBoundToImages(const std::string& when)
{
    ASSERT_EQ(RowCount(), ImageCount()) << when;
    for (int row = 0; row < RowCount(); ++row) {
        ASSERT_EQ(row, RowParam(row)) << when;
        ASSERT_EQ(row, RowImage(row)) << when;
    }
}

}  // namespace

// A leak would pile up over 2,000 refreshes, but at about 10 ms per shortcut under Wine that
// runs for half an hour. A refresh that hands back every icon and leaves one image per row
// leaves nothing to pile up, so each of ten refreshes is held to exactly that.
TEST_F(WindowLifetimeTest, RefreshesReturnEveryIconAndAMissingOneKeepsImagesWithTheirRows)
{
    AddCopies(m_sendTo, 50);
    ScopedImportPatch info("shell32", "SHGetFileInfoA", reinterpret_cast<void*>(FakeIconFileInfo));
    ScopedImportPatch destroy("user32", "DestroyIcon", reinterpret_cast<void*>(CountingDestroyIcon));
    g_getFileInfo = reinterpret_cast<DWORD_PTR(WINAPI*)(LPCSTR, DWORD, SHFILEINFOA*, UINT, UINT)>(info.Original());
    g_destroyIcon = reinterpret_cast<BOOL(WINAPI*)(HICON)>(destroy.Original());
    ASSERT_TRUE(g_getFileInfo && g_destroyIcon) << "the program asks the shell for no icon, or destroys none";
    g_liveIcons.clear();
    g_iconColours.clear();

    MainWindow window;
    ASSERT_EQ(50, RowCount());
    EXPECT_TRUE(g_liveIcons.empty()) << "after the first fill";
    for (int refresh = 1; refresh <= 10; ++refresh) {
        window.Command(CMD_REFRESH);
        ExpectRowsBoundToImages("refresh " + std::to_string(refresh));
        ASSERT_TRUE(g_liveIcons.empty()) << "refresh " << refresh << ": " << g_liveIcons.size() << " icons leaked";
    }

    // The first item in scan order loses its icon: every image after it would shift. Colours of
    // the 16-colour palette survive a 4-bit image list; neighbours never share one. They also
    // show that the icons counted above came through here.
    const COLORREF palette[] = {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255), RGB(255, 255, 0), RGB(0, 255, 255)};
    for (int row = 0; row < RowCount(); ++row)
        g_iconColours[RowLinkPath(row)] = palette[row % 5];
    g_noIconFor = RowLinkPath(0);
    window.Command(CMD_REFRESH);
    ExpectRowsBoundToImages("after an icon went missing");
    EXPECT_EQ(g_noIconFor, RowLinkPath(0));
    for (int row = 1; row < RowCount(); ++row)
        EXPECT_EQ(palette[row % 5], ImageColour(RowImage(row))) << RowLinkPath(row);
    EXPECT_TRUE(g_liveIcons.empty()) << g_liveIcons.size() << " icons never destroyed";
}

TEST_F(WindowLifetimeTest, EntriesTooLongForAPathAreSkippedAndTheRestListed)
{
    std::vector<std::string> normal = AddCopies(m_sendTo, 2);
    std::set<std::string> expected(normal.begin(), normal.end());
    // Folder, backslash and name: 259 bytes fit 260 with the terminator, longer ones don't.
    for (int pathLength : {259, 260, 300}) {
        int nameLength = pathLength - static_cast<int>(m_sendTo.size()) - 1;
        if (nameLength < 5 || nameLength > 255)
            GTEST_SKIP() << "the Send To path leaves no room for a " << pathLength << "-byte path";
        std::string name = std::string(nameLength - 4, 'L') + ".lnk";
        ASSERT_TRUE(AddSample(m_sendTo, "01-format-doc-example-local-file.lnk", name)) << pathLength;
        if (pathLength < MAX_PATH)
            expected.insert(m_sendTo + "\\" + name);
    }
    MainWindow window;
    EXPECT_EQ(m_sendTo, StatusText());
    std::set<std::string> listed;
    for (int row = 0; row < RowCount(); ++row)
        listed.insert(RowLinkPath(row));
    EXPECT_EQ(expected, listed);
    EXPECT_EQ(RowCount(), ImageCount());
}

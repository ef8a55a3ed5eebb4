// What the main window holds over its life: the one image list and its images, the icons the
// shell hands out, the shortcut list at teardown, and scans past names too long for a path.
#include <windows.h>
#include <shellapi.h>

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
std::vector<int> g_itemsAtUninitialize;

BOOL WINAPI RecordingImageListDestroy(HIMAGELIST list)
{
    g_destroyed.push_back(list);
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
    ASSERT_TRUE(g_coUninitialize);
    EXPECT_FALSE(g_imageListDestroy) << "the shell's system list is never the program's to destroy";

    // Two whole lifetimes: each window has its own list and releases it once.
    for (int lifetime = 0; lifetime < 2; ++lifetime) {
        SCOPED_TRACE(lifetime);
        g_destroyed.clear();
        g_itemsAtUninitialize.clear();
        HIMAGELIST list = 0;
        {
            MainWindow window;
            list = g_hImageList;
            ASSERT_EQ(3, RowCount());
            window.ClickTab(1);
            window.Command(CMD_REFRESH);
            window.ClickTab(0);
            EXPECT_EQ(list, g_hImageList) << "refreshes reuse the one list";
            ASSERT_GT(g_shortcutList.GetCount(), 0);
        }
        EXPECT_EQ(std::vector<int>(1, 0), g_itemsAtUninitialize) << "shell-link objects outlived COM";
    }
}

TEST(WindowBars, ABarWithoutAWindowHasNoHeight)
{
    EXPECT_EQ(0, StatusBar().GetHeight());
    EXPECT_EQ(0, ToolBar().GetHeight());
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
}

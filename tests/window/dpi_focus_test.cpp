// The keyboard focus across the window's activations, and the children's font and row icons
// across a change of DPI: what the user meets after switching away and back, or changing screens.
#include "support/support.h"

namespace {

HGDIOBJ FontOf(HWND control)
{
    return reinterpret_cast<HGDIOBJ>(SendMessageA(control, WM_GETFONT, 0, 0));
}

// "font height, first row's height, icon size" of the list, and whether the tabs and the status
// bar draw with the same font.
std::string ListLook()
{
    LOGFONTA font = {};
    GetObjectA(FontOf(MainChild(CTRL_LIST)), sizeof(font), &font);
    RECT row = {};
    ListView_GetItemRect(MainChild(CTRL_LIST), 0, &row, LVIR_BOUNDS);
    int width = 0, height = 0;
    ImageList_GetIconSize(ListView_GetImageList(MainChild(CTRL_LIST), LVSIL_SMALL), &width, &height);
    bool shared = FontOf(MainChild(CTRL_TABS)) == FontOf(MainChild(CTRL_LIST))
                  && FontOf(g_statusBar.GetWindow()) == FontOf(MainChild(CTRL_LIST));
    return std::to_string(font.lfHeight) + " " + std::to_string(row.bottom - row.top) + " " + std::to_string(width)
           + "x" + std::to_string(height) + (shared ? "" : " unshared");
}

}  // namespace

TEST_F(MainWindowTest, TheFocusStartsInTheListAndComesBackToTheChildThatHadIt)
{
    EXPECT_EQ(MainChild(CTRL_LIST), GetFocus());
    HWND other = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10, 0, 0, 0, 0);
    for (HWND child : {MainChild(CTRL_TABS), MainChild(CTRL_LIST)}) {
        SetFocus(child);
        EXPECT_EQ(m_window, SetActiveWindow(other));
        SetActiveWindow(m_window);
        EXPECT_EQ(child, GetFocus());
    }
    DestroyWindow(other);
}

// Nothing moves at the first show, and every column is in sight on both tabs, the state's and
// the place's words whole, the description filling the rest; at 144 DPI the window, columns, bars, font and row icons follow, back at
// 96 as at start-up. No font or image list outlives the window (asked for by handle).
TEST_F(MainWindowTest, LayoutFontAndRowIconsFollowTheDpiAndNoneOutlivesTheWindow)
{
    EXPECT_TRUE(g_laidOutAtShow);
    MakeLink(m_sendTo, L"a.lnk", ScratchFile(L"a.txt"));
    Command(CMD_REFRESH);
    const std::vector<int> first = Frame(m_window);
    std::vector<HGDIOBJ> made;
    for (const auto& step : {std::make_pair(96, "-12 17 16x16"), {144, "-18 25 24x24"}, {96, "-12 17 16x16"}}) {
        const RECT suggested = {40, 30, 40 + MulDiv(first[0], step.first, 96), 30 + MulDiv(first[1], step.first, 96)};
        if (!made.empty())
            SendMessageA(m_window, 0x02E0 /* WM_DPICHANGED */, MAKEWPARAM(step.first, step.first),
                         reinterpret_cast<LPARAM>(&suggested));
        EXPECT_EQ(step.second, ListLook()) << step.first;
        RECT client, status;
        GetClientRect(m_window, &client);
        GetWindowRect(g_statusBar.GetWindow(), &status);
        MapWindowPoints(0, m_window, reinterpret_cast<POINT*>(&status), 2);
        EXPECT_EQ(first, Frame(m_window, step.first)) << step.first;
        EXPECT_TRUE(client.bottom == status.bottom && client.right == status.right) << step.first;
        for (int tab : {1, 0}) {
            ClickTab(tab);
            EXPECT_EQ("", ColumnsMisfit(m_window, HFONT(FontOf(MainChild(CTRL_LIST))), step.first, made.empty()))
                << step.first;
        }
        IMAGEINFO icons = {};
        ImageList_GetImageInfo(ListView_GetImageList(MainChild(CTRL_LIST), LVSIL_SMALL), 0, &icons);
        made.insert(made.end(), {FontOf(MainChild(CTRL_LIST)), step.first == 96 ? 0 : icons.hbmImage});
    }
    DestroyWindow(m_window);
    for (HGDIOBJ object : made)
        EXPECT_EQ(0u, GetObjectType(object)) << object;
}

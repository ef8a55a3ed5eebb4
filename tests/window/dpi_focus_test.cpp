// The keyboard focus across the window's activations: what the user meets after switching away
// and back.
#include "support/support.h"

TEST_F(MainWindowTest, TheFocusStartsInTheListAndComesBackToTheChildThatHadIt)
{
    EXPECT_EQ(g_hListView, GetFocus());
    HWND other = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10, 0, 0, 0, 0);
    for (HWND child : {g_hTabs, g_hListView}) {
        SetFocus(child);
        SetActiveWindow(other);
        EXPECT_EQ(other, GetFocus());
        SetActiveWindow(m_window);
        EXPECT_EQ(child, GetFocus());
    }
    DestroyWindow(other);
}

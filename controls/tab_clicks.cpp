// TabNotifyAsksForListing: a click that changes the tab sends TCN_SELCHANGE on the press and
// NM_CLICK on the release; the change has listed the new folder already, so that click owes no
// second listing. A change made by an arrow key has no click to follow.
#include "controls/tab_clicks.h"

#include <commctrl.h>

#include "controls/main_tabs.h"

namespace {

// What the notifications so far leave owing; the tabs send them one at a time.
bool g_changedByClick = false;
bool g_changingByKey = false;

void OnTabKeyDown(const NMTCKEYDOWN* key)
{
    int selected = GetSelectedTab();
    int count = GetTabCount();
    bool back = key->wVKey == VK_LEFT || key->wVKey == VK_UP;
    bool forward = key->wVKey == VK_RIGHT || key->wVKey == VK_DOWN;
    g_changingByKey = (back && selected > 0) || (forward && selected < count - 1);
}

bool OnTabChange()
{
    g_changedByClick = !g_changingByKey;
    g_changingByKey = false;
    return true;
}

// A click on the tab already selected still means "list it again".
bool OnTabClick()
{
    bool asks = !g_changedByClick;
    g_changedByClick = false;
    return asks;
}

}  // namespace

bool TabNotifyAsksForListing(const NMHDR* header)
{
    switch (header->code) {
    case TCN_KEYDOWN: OnTabKeyDown(reinterpret_cast<const NMTCKEYDOWN*>(header)); break;
    case TCN_SELCHANGE: return OnTabChange();
    case NM_CLICK: return OnTabClick();
    }
    return false;
}

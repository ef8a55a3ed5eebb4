// SetChildrenFont and ReleaseChildrenFont: the children's font is made, handed out and deleted
// only here.
#include "app/window_font.h"

#include "app/window_dpi.h"
#include "controls/main_tabs.h"
#include "controls/shortcut_view.h"
#include "controls/status_bar.h"

namespace {

// Owned here: the children only draw with it. Deleted when a new one replaces it, or with them.
HFONT g_font = 0;

}  // namespace

void SetChildrenFont(int dpi)
{
    LOGFONTW face;
    MessageFontForDpi(dpi, &face);
    HFONT font = CreateFontIndirectW(&face);
    if (!font)
        return;
    // The toolbar shows images only, and its tooltips follow the system's font themselves.
    SetShortcutViewFont(font);
    SetMainTabsFont(font);
    g_statusBar.SetFont(font);
    ReleaseChildrenFont();
    g_font = font;
}

void ReleaseChildrenFont()
{
    DeleteObject(g_font);  // does nothing when there is none
    g_font = 0;
}

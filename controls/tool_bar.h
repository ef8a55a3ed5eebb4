// The toolbar along the main window's top edge, with a tooltip for each button.
#ifndef QUIVERDESK_CONTROLS_TOOL_BAR_H
#define QUIVERDESK_CONTROLS_TOOL_BAR_H

#include <windows.h>
#include <commctrl.h>

#include "controls/bar_control.h"

// A bitmap resource holding imageCount button images side by side.
struct ImageStrip {
    int bitmapId;
    int imageCount;
};

class ToolBar : public BarControl {
public:
    ToolBar() : m_parent(0), m_images(0) {}
    ~ToolBar();

    // Each button's tooltip is the string resource whose id is the button's command; the parent
    // hands it over when the bar asks (TTN_GETDISPINFO).
    void Create(HWND parent, int id, int count, const TBBUTTON* buttons);
    // The button images from the 16-colour strips in order, 16 x 15 each at 96 DPI, scaled to dpi.
    // In full colour their light grey is transparent; else it is turned into the button face.
    void SetImages(const ImageStrip* strips, int stripCount, bool fullColour, int dpi);
    LRESULT InsertSeparator(int index);
    LRESULT SetButtonState(int command, int state) { return SendMsg(TB_SETSTATE, command, MAKELPARAM(state, 0)); }
    // Lets the bar place itself along the parent's top edge.
    LRESULT Resize(int width, int height) { return SendMsg(WM_SIZE, width, height); }
    // Made and destroyed by the toolbar itself.
    HWND GetToolTips() const { return reinterpret_cast<HWND>(SendMsg(TB_GETTOOLTIPS, 0, 0)); }

private:
    void AddStrip(HIMAGELIST images, const ImageStrip& strip, bool fullColour, int width, int height);

    HWND m_parent;
    HIMAGELIST m_images;  // owned: the toolbar draws from it but never destroys it
};

extern ToolBar g_toolBar;

#endif

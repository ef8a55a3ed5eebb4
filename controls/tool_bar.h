// The toolbar along the main window's top edge, with a tooltip for each button.
#ifndef QUIVERDESK_CONTROLS_TOOL_BAR_H
#define QUIVERDESK_CONTROLS_TOOL_BAR_H

#include <windows.h>
#include <commctrl.h>

#include "controls/bar_control.h"

class ToolBar : public BarControl {
public:
    ToolBar() : m_toolTips(0), m_parent(0), m_strip(0) {}
    virtual ~ToolBar();

    // Each button's tooltip is the string resource whose id is the button's command.
    void Create(HWND parent, int id, int bitmapId, int count, const TBBUTTON* buttons);
    LRESULT InsertSeparator(int index);
    LRESULT SetButtonState(int command, int state)
    {
        return SendMsg(TB_SETSTATE, command, MAKELPARAM(state, 0));
    }
    // Lets the bar place itself along the parent's top edge.
    LRESULT Resize(int width, int height)
    {
        return SendMsg(WM_SIZE, width, height);
    }
    HWND GetToolTips() const { return m_toolTips; }

private:
    HWND m_toolTips;  // owned by the main window, which destroys it
    HWND m_parent;
    HBITMAP m_strip;  // owned: the toolbar copies its images but not the bitmap
};

extern ToolBar g_toolBar;

#endif

// The common part of the status bar and the toolbar: the control window and its height.
#ifndef QUIVERDESK_CONTROLS_BAR_CONTROL_H
#define QUIVERDESK_CONTROLS_BAR_CONTROL_H

#include <windows.h>

class BarControl {
public:
    BarControl() : m_window(0) {}

    // Outer height in pixels; 0 while there is no control window.
    int GetHeight() const;
    HWND GetWindow() const { return m_window; }
    void SetFont(HFONT font) const { SendMsg(WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE); }

protected:
    LRESULT SendMsg(UINT message, WPARAM wParam, LPARAM lParam) const
    {
        return SendMessageA(m_window, message, wParam, lParam);
    }

    // The system destroys it with the main window; the wrapper never does.
    HWND m_window;

private:
    BarControl(const BarControl&);
    BarControl& operator=(const BarControl&);
};

#endif

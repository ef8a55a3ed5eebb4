// The status bar along the main window's bottom edge: the folder's path, then how many
// shortcuts it holds or why it could not be read.
#ifndef QUIVERDESK_CONTROLS_STATUS_BAR_H
#define QUIVERDESK_CONTROLS_STATUS_BAR_H

#include <windows.h>
#include <commctrl.h>

#include "controls/bar_control.h"

class StatusBar : public BarControl {
public:
    StatusBar() : m_parent(0), m_id(0) {}

    void Create(HWND parent, int id);
    // A path from the user's disk: through the wide message, so every character shows.
    bool SetText(int part, const wchar_t* text) { return SendMsg(SB_SETTEXTW, part, (LPARAM)text) != 0; }
    // The program's own words, Shift JIS.
    bool SetWords(int part, const char* words) { return SendMsg(SB_SETTEXTA, part, (LPARAM)words) != 0; }
    // Sets the parts, then lets the bar place itself along the parent's bottom edge.
    void SetParts(int width, int height, int count, const int* rightEdges);

private:
    HWND m_parent;
    int m_id;
};

extern StatusBar g_statusBar;

#endif

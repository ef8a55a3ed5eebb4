// ToolBar: buttons from one bitmap strip, with tooltips loaded from the string table by command id.
#include "controls/tool_bar.h"

ToolBar::~ToolBar()
{
    // By now the main window and its toolbar, which drew from the strip, are gone.
    if (m_strip)
        DeleteObject(m_strip);
}

void ToolBar::Create(HWND parent, int id, int bitmapId, int count, const TBBUTTON* buttons)
{
    m_parent = parent;
    HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(parent, GWLP_HINSTANCE));
    m_window = CreateToolbarEx(parent, WS_CHILD | WS_VISIBLE, id, count, instance, id, buttons, count,
                               0, 0, 0, 0, sizeof(TBBUTTON));

    // A toolbar made before this one went with its main window; its strip can go too.
    if (m_strip)
        DeleteObject(m_strip);
    m_strip = static_cast<HBITMAP>(LoadImageA(instance, MAKEINTRESOURCEA(bitmapId), IMAGE_BITMAP,
                                              count * 16, 15, LR_LOADMAP3DCOLORS));
    TBADDBITMAP strip;
    strip.hInst = 0;
    strip.nID = reinterpret_cast<UINT_PTR>(m_strip);
    SendMsg(TB_ADDBITMAP, count, reinterpret_cast<LPARAM>(&strip));
    SendMsg(TB_AUTOSIZE, 0, 0);

    // Owned by the main window rather than the toolbar, so it outlives neither.
    m_toolTips = CreateWindowExA(0, TOOLTIPS_CLASSA, 0, TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                                 CW_USEDEFAULT, CW_USEDEFAULT, parent, 0, instance, 0);
    for (int i = 0; i < count; ++i) {
        TOOLINFOA tool;
        ZeroMemory(&tool, sizeof(tool));
        tool.cbSize = TTTOOLINFOA_V2_SIZE;
        tool.uFlags = TTF_SUBCLASS;
        tool.hwnd = m_window;
        tool.uId = buttons[i].idCommand;
        SendMsg(TB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&tool.rect));
        tool.hinst = instance;
        tool.lpszText = MAKEINTRESOURCEA(buttons[i].idCommand);
        SendMessageA(m_toolTips, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    }
    SendMsg(TB_SETTOOLTIPS, reinterpret_cast<WPARAM>(m_toolTips), 0);
}

LRESULT ToolBar::InsertSeparator(int index)
{
    TBBUTTON separator;
    ZeroMemory(&separator, sizeof(separator));
    separator.fsState = TBSTATE_ENABLED;
    separator.fsStyle = TBSTYLE_SEP;
    return SendMsg(TB_INSERTBUTTONA, index, reinterpret_cast<LPARAM>(&separator));
}

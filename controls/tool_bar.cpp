// ToolBar: buttons drawn from one bitmap strip, scaled to the window's DPI. The toolbar keeps its
// own tooltips, whose tools follow the buttons whenever it lays them out again.
#include "controls/tool_bar.h"

ToolBar::~ToolBar()
{
    // By now the main window and its toolbar, which drew from the list, are gone.
    if (m_images)
        ImageList_Destroy(m_images);
}

void ToolBar::Create(HWND parent, int id, int count, const TBBUTTON* buttons)
{
    m_parent = parent;
    HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(parent, GWLP_HINSTANCE));
    // TBSTYLE_TOOLTIPS: the bar asks its parent for each text (TTN_GETDISPINFO) by command id.
    m_window = CreateToolbarEx(parent, WS_CHILD | WS_VISIBLE | TBSTYLE_TOOLTIPS, id, count, instance, id,
                               buttons, count, 0, 0, 0, 0, sizeof(TBBUTTON));
    m_imageCount = count;
}

void ToolBar::SetImages(int bitmapId, bool fullColour, int dpi)
{
    int count = m_imageCount;
    HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(m_parent, GWLP_HINSTANCE));
    int width = MulDiv(16, dpi, 96);
    int height = MulDiv(15, dpi, 96);
    // LoadImage stretches the strip to the size asked for; the light grey of the 16-colour one
    // becomes the button face.
    UINT load = fullColour ? LR_CREATEDIBSECTION : LR_LOADMAP3DCOLORS;
    HBITMAP strip = static_cast<HBITMAP>(LoadImageA(instance, MAKEINTRESOURCEA(bitmapId), IMAGE_BITMAP,
                                                    count * width, height, load));
    // A mask too: a greyed button is drawn from it. The full-colour strip's mask comes from its
    // alpha, the 16-colour one's from the button face that its light grey became.
    HIMAGELIST images = ImageList_Create(width, height, ILC_COLOR32 | ILC_MASK, count, 0);
    if (images && strip && fullColour)
        ImageList_Add(images, strip, 0);
    else if (images && strip)
        ImageList_AddMasked(images, strip, GetSysColor(COLOR_BTNFACE));
    if (strip)
        DeleteObject(strip);  // the image list holds a copy
    SendMsg(TB_SETBITMAPSIZE, 0, MAKELPARAM(width, height));
    SendMsg(TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images));
    SendMsg(TB_AUTOSIZE, 0, 0);
    if (m_images)
        ImageList_Destroy(m_images);
    m_images = images;
}

LRESULT ToolBar::InsertSeparator(int index)
{
    TBBUTTON separator;
    ZeroMemory(&separator, sizeof(separator));
    separator.fsState = TBSTATE_ENABLED;
    separator.fsStyle = TBSTYLE_SEP;
    return SendMsg(TB_INSERTBUTTONA, index, reinterpret_cast<LPARAM>(&separator));
}

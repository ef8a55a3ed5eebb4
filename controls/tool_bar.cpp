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
    m_window = CreateToolbarEx(parent, WS_CHILD | WS_VISIBLE | TBSTYLE_TOOLTIPS, id, count, instance, id, buttons,
                               count, 0, 0, 0, 0, sizeof(TBBUTTON));
}

void ToolBar::SetImages(const ImageStrip* strips, int stripCount, bool fullColour, int dpi)
{
    int count = 0;
    for (int i = 0; i < stripCount; ++i)
        count += strips[i].imageCount;
    int width = MulDiv(16, dpi, 96);
    int height = MulDiv(15, dpi, 96);
    // A mask too: a greyed button is drawn from it.
    HIMAGELIST images = ImageList_Create(width, height, ILC_COLOR32 | ILC_MASK, count, 0);
    for (int i = 0; images && i < stripCount; ++i)
        AddStrip(images, strips[i], fullColour, width, height);
    SendMsg(TB_SETBITMAPSIZE, 0, MAKELPARAM(width, height));
    SendMsg(TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images));
    SendMsg(TB_AUTOSIZE, 0, 0);
    if (m_images)
        ImageList_Destroy(m_images);
    m_images = images;
}

void ToolBar::AddStrip(HIMAGELIST images, const ImageStrip& strip, bool fullColour, int width, int height)
{
    HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(m_parent, GWLP_HINSTANCE));
    // LoadImage stretches the strip to the size asked for; the light grey of the 16-colour one
    // becomes the button face.
    UINT load = fullColour ? LR_CREATEDIBSECTION : LR_LOADMAP3DCOLORS;
    HBITMAP bitmap = static_cast<HBITMAP>(
        LoadImageA(instance, MAKEINTRESOURCEA(strip.bitmapId), IMAGE_BITMAP, strip.imageCount * width, height, load));
    // A strip that fails still takes its places, blank, so the later buttons keep their images.
    if (!bitmap) {
        ImageList_SetImageCount(images, ImageList_GetImageCount(images) + strip.imageCount);
        return;
    }
    // The full-colour strip's mask comes from its alpha, the 16-colour one's from the button face
    // that its light grey became.
    if (fullColour)
        ImageList_Add(images, bitmap, 0);
    else
        ImageList_AddMasked(images, bitmap, GetSysColor(COLOR_BTNFACE));
    DeleteObject(bitmap);  // the image list holds a copy
}

LRESULT ToolBar::InsertSeparator(int index)
{
    TBBUTTON separator;
    ZeroMemory(&separator, sizeof(separator));
    separator.fsState = TBSTATE_ENABLED;
    separator.fsStyle = TBSTYLE_SEP;
    return SendMsg(TB_INSERTBUTTONA, index, reinterpret_cast<LPARAM>(&separator));
}

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
    HINSTANCE instance = GetModuleHandleW(0);
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

namespace {

// The full-colour twin of a 16-colour strip: the same pixels, 32 bits with alpha, where the light
// grey background is transparent and every other pixel opaque. Made here rather than stored: a
// stored twin would cost four times the strip's bytes. Null when it could not be made.
HBITMAP MakeFullColour(HBITMAP strip, int width, int height)
{
    BITMAPINFO info;
    ZeroMemory(&info, sizeof(info));
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = 0;
    HDC screen = GetDC(0);
    HBITMAP colour = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, 0, 0);
    bool copied = colour && GetDIBits(screen, strip, 0, height, bits, &info, DIB_RGB_COLORS) == height;
    ReleaseDC(0, screen);
    if (!copied) {
        if (colour)
            DeleteObject(colour);
        return 0;
    }
    const DWORD kLightGrey = RGB(192, 192, 192);  // as BGRA bytes read little-endian, the same value
    DWORD* pixel = static_cast<DWORD*>(bits);
    for (int i = 0; i < width * height; ++i)
        pixel[i] = (pixel[i] & 0xFFFFFF) == kLightGrey ? 0 : pixel[i] | 0xFF000000;
    return colour;
}

}  // namespace

void ToolBar::AddStrip(HIMAGELIST images, const ImageStrip& strip, bool fullColour, int width, int height)
{
    HINSTANCE instance = GetModuleHandleW(0);
    // LoadImage stretches the strip to the size asked for; for the 16-colour look its light grey
    // becomes the button face.
    int stripWidth = strip.imageCount * width;
    HBITMAP bitmap = static_cast<HBITMAP>(LoadImageA(instance, MAKEINTRESOURCEA(strip.bitmapId), IMAGE_BITMAP,
                                                     stripWidth, height, fullColour ? 0 : LR_LOADMAP3DCOLORS));
    if (bitmap && fullColour) {
        HBITMAP colour = MakeFullColour(bitmap, stripWidth, height);
        DeleteObject(bitmap);
        bitmap = colour;
    }
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

// The one font of the main window's children, made for the window's DPI: the system's message
// font, so the list, the tabs and the status bar grow with the screen as the window does.
#ifndef QUIVERDESK_APP_WINDOW_FONT_H
#define QUIVERDESK_APP_WINDOW_FONT_H

// Gives the children a font made for dpi and deletes the one they had; they keep theirs when no
// new one can be made.
void SetChildrenFont(int dpi);
// Deletes the font, once the children that drew with it are gone.
void ReleaseChildrenFont();

#endif

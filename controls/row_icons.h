// The images of the list's rows at the size the window's DPI asks for: the shell's system
// small-icon list itself when it has that size, else a list of the program's own kept index for
// index with it, so a row's image is still its item's system icon index.
#ifndef QUIVERDESK_CONTROLS_ROW_ICONS_H
#define QUIVERDESK_CONTROLS_ROW_ICONS_H

// The side of the rows' square icons from now on. A view that shows images already takes it at
// once; one that does not yet waits for its first fill, as the shell's list costs too much before
// the first paint.
void SetRowIconSide(int side);
// Gives the view images for every icon index the shell has handed out; each fill calls it once
// the items have taken their icons.
void UpdateRowIcons();
// Destroys the program's own list, once the view that drew from it is gone.
void ReleaseRowIcons();

#endif

// Whether the themed common controls (version 6, chosen by the manifest) drive this process.
#ifndef QUIVERDESK_APP_VISUAL_STYLES_H
#define QUIVERDESK_APP_VISUAL_STYLES_H

// True with comctl32 6 or later: then the full-colour artwork, with its alpha, is used.
bool VisualStylesOn();

#endif

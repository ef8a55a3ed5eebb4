// Which of the tab control's notifications ask for the folder on show to be listed again: one
// listing per change of tab and one per click on the selected tab.
#ifndef QUIVERDESK_CONTROLS_TAB_CLICKS_H
#define QUIVERDESK_CONTROLS_TAB_CLICKS_H

#include <windows.h>

// Every notification of the tabs goes through here, in the order they come, so that the click
// that ends a change can be told from a click on the selected tab. TCN_SELCHANGING, right
// clicks and keys that change nothing ask for no listing.
bool TabNotifyAsksForListing(const NMHDR* header);

#endif

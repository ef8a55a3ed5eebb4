// The program's three global objects, defined together so that they are constructed in this
// order (and destroyed in the reverse one): the shortcut list, the status bar, the toolbar. Here,
// in the lowest layer that knows all three, so the controls and commands that use them link
// without the app.
#include "controls/status_bar.h"
#include "controls/tool_bar.h"
#include "model/shortcut_list.h"

ShortcutList g_shortcutList;
StatusBar g_statusBar;
ToolBar g_toolBar;

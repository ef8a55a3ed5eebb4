// Ids shared by the C++ code and the resource script beside it: commands, controls, resources.
// Kept free of C++ so that the resource compiler can read it too; every layer may include it.
#ifndef QUIVERDESK_RES_RESOURCE_IDS_H
#define QUIVERDESK_RES_RESOURCE_IDS_H

// Commands. The toolbar commands double as the ids of their tooltip strings.
#define CMD_ABOUT 104
#define CMD_EXIT 105
#define CMD_REFRESH 32772
#define CMD_DELETE 32773
#define CMD_OPEN_FOLDER 32776
#define CMD_EXPLORE_TARGET 32777
#define CMD_PROPERTIES 32778
// Added beside the originals, in a string table block of their own, where the switch commands'
// tooltips are.
#define CMD_SWITCH_ON 32784
#define CMD_SWITCH_OFF 32785
#define CMD_RENAME 32786
#define CMD_SELECT_ALL 32787
#define CMD_NEXT_CONTROL 32788
#define CMD_CONTEXT_MENU 32789

// Child controls of the main window.
#define CTRL_STATUS 110
#define CTRL_TOOLBAR 111
#define CTRL_LIST 112
#define CTRL_TABS 113

// Resources.
#define IDD_ABOUT 103
#define IDS_TITLE 103
#define IDS_CLASS_NAME 109
#define IDS_SPARE_OPEN_FOLDER 32775
#define IDI_QUIVERDESK 107
#define IDI_QUIVERDESK_SMALL 108
#define IDM_MAIN 109
#define IDA_MAIN 109
#define IDB_TOOLBAR 131
#define IDS_PATH_TOO_LONG 200
// Full-colour artwork beside the 16-colour originals, for the themed controls; the toolbar's is
// made from its 16-colour strips at run time.
#define IDI_QUIVERDESK_COLOUR 120
// The Startup switch's two buttons and the Send To visibility's two, in a strip of their own beside
// the original five.
#define IDB_MORE_BUTTONS 133
// Keys beside the original accelerators, and the list's context menu.
#define IDA_KEYS 110
#define IDM_CONTEXT 111
// The state column's words, and the separator that joins them.
#define IDS_STATE_OFF 208
#define IDS_STATE_MISSING 209
#define IDS_STATE_UNVERIFIABLE 210
#define IDS_STATE_DUPLICATE 211
#define IDS_STATE_UNREADABLE 212
#define IDS_STATE_SEPARATOR 213
#define IDS_COLUMN_STATE 214
// Why a new name was refused.
#define IDS_RENAME_BAD_CHARACTER 216
#define IDS_RENAME_EMPTY 217
#define IDS_RENAME_TOO_LONG 218
#define IDS_RENAME_TAKEN 219
#define IDS_RENAME_RESERVED 220
// The status bar's second part: the shortcut count, or why the folder could not be listed.
#define IDS_SHORTCUT_COUNT 221
#define IDS_FOLDER_NOT_FOUND 222
#define IDS_FOLDER_UNREADABLE 223
// A switch the registry would not take; %s is the shortcut's name.
#define IDS_SWITCH_FAILED 224
// The Send To menu's own settings: a file shown or hidden on it, and the removable drives.
#define CMD_SHOW_ON_MENU 32790
#define CMD_HIDE_FROM_MENU 32791
#define CMD_REMOVABLE_DRIVES 32792
#define IDS_STATE_HIDDEN 225
// The Startup tab's every source: where a row comes from (one word per source, in the sources'
// order), the refusals of the machine's keys, restarting elevated, and a Run value's delete.
#define CMD_RESTART_AS_ADMIN 32793
#define IDS_COLUMN_PLACE 226
#define IDS_NEEDS_ADMIN 227
#define IDS_DELETE_VALUE 228
#define IDS_VALUE_SAVED 229
#define IDS_VALUE_NOT_SAVED 230
#define IDS_PLACE_FIRST 240
// A removable-drives policy the registry would not take, and the name the unnamed Run value shows.
#define IDS_DRIVES_NOT_WRITTEN 231
#define IDS_DEFAULT_VALUE 232
// What a command says when a row is not what it was listed as, or its write did not take: the
// rows changed since the listing, files a delete left, names only an exact path reaches, Run
// values deleted together or in part, and a rename that did not happen. %s are the user's names.
#define IDS_ROWS_CHANGED 260
#define IDS_FILES_STAYED 261
#define IDS_NOT_RECYCLABLE 262
#define IDS_DELETE_EXACTLY 263
#define IDS_NOT_FOR_THE_SHELL 264
#define IDS_DELETE_VALUES 265
#define IDS_VALUE_PARTLY_DELETED 266
#define IDS_RENAME_FAILED 267
// A drop that made no shortcut: each item had one already, or could not have one.
#define IDS_DROP_MADE_NOTHING 268
// The list leaving the window: copied, saved as CSV, or written by the command line. The File
// menu's new item is added to the menu at run time, from its text here.
#define CMD_COPY 32794
#define CMD_SAVE_LIST 32795
// In the string table's blocks already there: each new block of sixteen costs the file room.
#define IDS_SAVE_FILTER 269
#define IDS_SAVE_FAILED 270
#define IDS_COLUMN_TAB 271
#define IDS_USAGE 233
// The marks of what is new since the last close and what came back, their count in the status bar,
// and a memory file set aside: in a block already there too.
#define IDS_STATE_NEW 234
#define IDS_STATE_BACK 235
#define IDS_MARK_COUNT 236
#define IDS_MEMORY_SET_ASIDE 237
// The publisher column's title, in a block already there.
#define IDS_COLUMN_PUBLISHER 259

#endif

// Ids shared by the C++ code and the resource script: commands, controls, resources.
// Kept free of C++ so that the resource compiler can read it too.
#ifndef QUIVERDESK_APP_QUIVERDESK_H
#define QUIVERDESK_APP_QUIVERDESK_H

// Commands. The toolbar commands double as the ids of their tooltip strings.
#define CMD_ABOUT           104
#define CMD_EXIT            105
#define CMD_REFRESH         32772
#define CMD_DELETE          32773
#define CMD_OPEN_FOLDER     32776
#define CMD_EXPLORE_TARGET  32777
#define CMD_PROPERTIES      32778

// Child controls of the main window.
#define CTRL_STATUS         110
#define CTRL_TOOLBAR        111
#define CTRL_LIST           112
#define CTRL_TABS           113

// Resources.
#define IDD_ABOUT           103
#define IDS_TITLE           103
#define IDS_CLASS_NAME      109
#define IDS_SPARE_OPEN_FOLDER 32775
#define IDI_QUIVERDESK      107
#define IDI_QUIVERDESK_SMALL 108
#define IDM_MAIN            109
#define IDA_MAIN            109
#define IDB_TOOLBAR         131
#define IDS_UNUSABLE_NAME   200
// Full-colour artwork beside the 16-colour originals, for the themed controls.
#define IDI_QUIVERDESK_COLOUR 120
#define IDB_TOOLBAR_COLOUR  132

#endif

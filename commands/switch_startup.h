// Switches the selected Startup shortcuts on or off, the way Task Manager and Settings do.
#ifndef QUIVERDESK_COMMANDS_SWITCH_STARTUP_H
#define QUIVERDESK_COMMANDS_SWITCH_STARTUP_H

void SwitchSelectedShortcuts(bool on);

#endif

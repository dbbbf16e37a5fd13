// Resource and command ids of korlan, shared by the .rc files and the code.
// Command numbers are grouped by handler:
//   1-450    the main window itself (haupt_fenster::MenueBefehl)
//   501-599  Numeric menu (NumerikBefehl)
//   601-699  data commands of the graphic windows (EditBefehl)
//   801-899  XAFS, DXAS and time-resolved series (XafsBefehl)
//   901-999  XRD and kinetics (XrdBefehl)
// The menu "korlan" lists its command numbers literally, as they are part
// of the macro file format.
#ifndef KORLAN_RESOURCE_IDS_H
#define KORLAN_RESOURCE_IDS_H

#define IDS_APP_TITLE 1

// ---- application shell ----
// Commands of the main window (haupt_fenster::MenueBefehl).
#define CM_NEXT 1
#define CM_PREVIOUS 2
#define CM_REDRAW 37
#define CM_CHANGE 38
#define CM_FIT_CONTINUE 20
#define CM_FIT_INTERRUPT 21
#define CM_FIT_CANCEL 22
#define CM_OPEN 60
#define CM_WRITE_OPTIONS 162
#define CM_READ_OPTIONS 163
#define CM_WINDOW_CLOSED 170
#define CM_EXIT 173
#define CM_HELP_GERMAN 176
#define CM_HELP_ENGLISH 177
#define CM_ASSISTANT 191
// lParam codes of the commands.
#define LP_PREPARED 2
#define LP_CONTINUE_FIT 1
#define LP_SILENT_OPTIONS 2222
#define LP_REOPEN_BACKUP0 111
#define LP_FEFF_CHI 1111

// Child windows and controls of the main window.
#define ID_STATUS_HELP 300
#define ID_STATUS_CURVE 400
#define ID_FIT_TEXT 1111

// Strings: rules of reports, the column caption, error messages 101-118
// (shown through FehlerCode), colour names 200-214, function names 220-229.
#define IDS_DASH_RULE 20
#define IDS_DOT_RULE 21
#define IDS_COLUMN 25
#define IDS_ERROR_FIRST 101
#define IDS_ERROR_LAST 118
#define IDS_COLOUR_FIRST 200
#define IDS_FUNCTION_FIRST 220

#endif

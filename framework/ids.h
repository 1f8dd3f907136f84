// Standard command, window and string ids and the framework's private messages (also included by .rc files).
#pragma once

// Commands of the File menu.
#define ID_FILE_NEW 0xE100
#define ID_FILE_OPEN 0xE101
#define ID_FILE_CLOSE 0xE102
#define ID_FILE_SAVE 0xE103
#define ID_FILE_SAVE_AS 0xE104
#define ID_FILE_PAGE_SETUP 0xE105
#define ID_FILE_PRINT_SETUP 0xE106
#define ID_FILE_PRINT 0xE107
#define ID_FILE_PRINT_DIRECT 0xE108
#define ID_FILE_PRINT_PREVIEW 0xE109

// The recent-file commands: sixteen consecutive ids.
#define ID_FILE_MRU_FIRST 0xE110
#define ID_FILE_MRU_FILE1 0xE110
#define ID_FILE_MRU_FILE2 0xE111
#define ID_FILE_MRU_FILE3 0xE112
#define ID_FILE_MRU_FILE4 0xE113
#define ID_FILE_MRU_FILE5 0xE114
#define ID_FILE_MRU_FILE6 0xE115
#define ID_FILE_MRU_FILE7 0xE116
#define ID_FILE_MRU_FILE8 0xE117
#define ID_FILE_MRU_FILE9 0xE118
#define ID_FILE_MRU_FILE10 0xE119
#define ID_FILE_MRU_FILE11 0xE11A
#define ID_FILE_MRU_FILE12 0xE11B
#define ID_FILE_MRU_FILE13 0xE11C
#define ID_FILE_MRU_FILE14 0xE11D
#define ID_FILE_MRU_FILE15 0xE11E
#define ID_FILE_MRU_FILE16 0xE11F
#define ID_FILE_MRU_LAST 0xE11F

// The first verb of an embedded item; the verbs take sixteen consecutive ids.
#define ID_OLE_VERB_FIRST 0xE210

// Commands of the Edit menu.
#define ID_EDIT_CLEAR 0xE120
#define ID_EDIT_COPY 0xE122
#define ID_EDIT_CUT 0xE123
#define ID_EDIT_FIND 0xE124
#define ID_EDIT_PASTE 0xE125
#define ID_EDIT_REPLACE 0xE129
#define ID_EDIT_SELECT_ALL 0xE12A
#define ID_EDIT_UNDO 0xE12B
#define ID_EDIT_REDO 0xE12C

// Window, application and view commands.
#define ID_WINDOW_NEW 0xE130
#define ID_WINDOW_SPLIT 0xE135
#define ID_APP_ABOUT 0xE140
#define ID_APP_EXIT 0xE141
#define ID_HELP_INDEX 0xE142
#define ID_HELP 0xE146
#define ID_NEXT_PANE 0xE150
#define ID_PREV_PANE 0xE151
#define ID_VIEW_TOOLBAR 0xE800
#define ID_VIEW_STATUS_BAR 0xE801

// Status bar indicators and the idle prompt.
#define ID_SEPARATOR 0
#define ID_INDICATOR_CAPS 0xE701
#define ID_INDICATOR_NUM 0xE702
#define ID_INDICATOR_SCRL 0xE703
#define AFX_IDS_IDLEMESSAGE 0xE001
// Prompts of the system commands: string AFX_IDS_SCFIRST + (command - SC_SIZE) / 16.
#define AFX_IDS_SCFIRST 0xEF00

// Child window ids of a frame: its control bars take 0xE800 to 0xE8FF.
#define AFX_IDW_CONTROLBAR_FIRST 0xE800
#define AFX_IDW_CONTROLBAR_LAST 0xE8FF
#define AFX_IDW_TOOLBAR 0xE800
#define AFX_IDW_STATUS_BAR 0xE801
// The frame's four dock bars: top, bottom, left and right from this id on.
#define AFX_IDW_DOCKBAR_TOP 0xE81B
#define AFX_IDW_PREVIEW_BAR 0xE805
#define AFX_IDW_PANE_FIRST 0xE900
#define AFX_IDW_PANE_LAST 0xE9FF
// The id the frame's pane window keeps while a print preview takes its place.
#define AFX_IDW_PANE_SAVE 0xEA21

// Commands of the print preview's bar.
#define AFX_ID_PREVIEW_CLOSE 0xE300
#define AFX_ID_PREVIEW_NUMPAGE 0xE301
#define AFX_ID_PREVIEW_NEXT 0xE302
#define AFX_ID_PREVIEW_PREV 0xE303
#define AFX_ID_PREVIEW_PRINT 0xE304
#define AFX_ID_PREVIEW_ZOOMIN 0xE305
#define AFX_ID_PREVIEW_ZOOMOUT 0xE306

// The first MDI child window's id; the windows menu lists the children from it.
#define AFX_IDM_FIRST_MDICHILD 0xFF00

// The id of a splitter pane in row r, column c.
#define AFX_IDW_PANE_ROWCOL(r, c) (AFX_IDW_PANE_FIRST + (r) * 16 + (c))

// Framework messages.
#define WM_SIZEPARENT 0x0361
#define WM_SETMESSAGESTRING 0x0362
#define WM_IDLEUPDATECMDUI 0x0363
#define WM_INITIALUPDATE 0x0364
#define WM_KICKIDLE 0x036A
// Frames and their floating windows keep their activation in step (wParam the FS_ flags).
#define WM_FLOATSTATUS 0x036D
#define FS_SHOW 0x01
#define FS_HIDE 0x02
#define FS_ACTIVATE 0x04
#define FS_DEACTIVATE 0x08
#define FS_ENABLE 0x10
#define FS_DISABLE 0x20
#define FS_SYNCACTIVE 0x40
#define WM_POPMESSAGESTRING 0x0375

// Notifications reflected to the control that sent them arrive as message + WM_REFLECT_BASE.
#define WM_REFLECT_BASE 0xBC00

// The key ON_WM_CTLCOLOR entries use for every WM_CTLCOLORxxx message.
#define WM_CTLCOLOR 0x0019

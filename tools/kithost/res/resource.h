// The resource ids of kithost.
#pragma once

#define IDR_MAINFRAME 128
#define IDR_TOOLBAR_STANDARD 129
#define IDD_ABOUTBOX 130
#define IDR_CONTEXT 131
#define ID_FILE_SAVE_ALL 32801
#define IDR_TEXTTYPE 133
#define IDR_GRIDTYPE 134
#define IDC_ABOUT_TEXT 1001

// The documents of the MDI frame and their commands.
#define ID_KIT_NEW_TEXT 32811
#define ID_KIT_NEW_GRID 32812
#define ID_KIT_TEXT_WRAP 32813
#define ID_KIT_GRID_INSERT_ROW 32814
#define ID_KIT_WINDOW_CASCADE 32815
// The bars' ids (the toolbar resource's for the standard one).
#define IDR_TOOLBAR_TOOLS 140
#define IDR_TOOLBAR_DOCUMENTS 141
#define IDR_TOOLBAR_CONTROLS 142
#define IDR_BAR_PROPERTIES 143
// The controls bar's fields.
#define ID_KIT_STYLES 32816
#define ID_KIT_FONT 32817
#define ID_KIT_ZOOM 32818
#define ID_KIT_ZOOM_SLIDER 32819
#define ID_KIT_PROGRESS 32820

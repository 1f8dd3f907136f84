// The resource ids of kithost.
#pragma once

// The toolkit's ids: the Paragraph group's alignment commands are the toolkit's own.
#include "toolkit/common/toolkit_ids.h"

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
// The ribbon variant: its pictures, its commands and the pages of its backstage view.
#define IDB_RIBBON_SMALL 150
#define IDB_RIBBON_LARGE 151
#define IDD_PAGE_INFO 152
#define IDD_PAGE_OPTIONS 153
#define ID_KIT_FONT_SIZE 32821
#define ID_KIT_BOLD 32822
#define ID_KIT_ITALIC 32823
#define ID_KIT_UNDERLINE 32824
#define ID_KIT_BULLETS 32828
#define ID_KIT_GRID_INSERT_COLUMN 32829
#define ID_KIT_INSERT_TABLE 32830
#define ID_KIT_INSERT_PICTURE 32831
#define ID_KIT_INSERT_CHART 32832
#define ID_KIT_INSERT_DATE 32833
#define ID_KIT_INSERT_LINK 32834
#define ID_KIT_ZOOM_DIALOG 32835
#define ID_KIT_ZOOM_100 32836
#define ID_KIT_WINDOW_TILE 32837
#define ID_KIT_GRIDLINES 32838
#define ID_KIT_OPTIONS 32839
#define ID_KIT_BACKSTAGE_INFO 32840
#define ID_KIT_BACKSTAGE_OPTIONS 32841
#define IDC_INFO_TITLE 1010
#define IDC_INFO_DOCUMENTS 1011
#define IDC_INFO_ACTIVE 1012
#define IDC_INFO_PROPERTIES 1013
#define IDC_OPTION_KEY_TIPS 1020
#define IDC_OPTION_WRAP 1021
#define IDC_OPTION_GRIDLINES 1022
#define IDC_OPTION_ABOVE 1023
#define IDC_OPTION_BELOW 1024
#define IDC_OPTION_TITLE 1025
#define IDC_OPTION_AUTHOR 1026

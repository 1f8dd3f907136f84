// Resource ids of the toolkit's own resources (res/toolkit.rc).
#pragma once

#define IDS_KIT_SELECTDIRECTORY 9342

#define IDC_KIT_CURSOR_9308 9308
#define IDC_KIT_CURSOR_9309 9309
#define IDC_KIT_CURSOR_9310 9310
#define IDC_KIT_CURSOR_9970 9970
#define IDC_KIT_CURSOR_9971 9971
#define IDC_KIT_HAND 9973

// The colour selector's texts; the colour names are 9900 to 9946.
#define IDS_KIT_COLOR_STANDARD 9424
#define IDS_KIT_COLOR_FIRST_NAME 9900
#define IDS_KIT_COLOR_NOFILL 9947
#define IDS_KIT_COLOR_AUTOMATIC 9948
#define IDS_KIT_COLOR_MORE 9949

// The colour dialog: its caption, swatch labels, page templates, eye dropper icon and cursor.
#define IDS_KIT_COLOR_DIALOG 9351
#define IDS_KIT_COLOR_NEW 9352
#define IDS_KIT_COLOR_CURRENT 9353
#define IDC_KIT_EYEDROPPER 9311
#define IDI_KIT_EYEDROPPER 9312
#define IDD_KIT_COLOR_CUSTOM 9314
#define IDD_KIT_COLOR_STANDARD 9315

// The menus of toolkit controls; submenu 2 is the header's. Toolbar 9307 holds the images of its items.
#define IDR_KIT_MENU_RCLICK 9317
#define IDR_KIT_MENU_IMAGES 9307
// The icons of a maximized MDI child's buttons: restore, minimize, maximize, close (16 x 16).
#define IDB_KIT_MDI_BUTTONS 9102
#define IDB_KIT_RIBBON_PINS 9619
#define ID_KIT_SORT_ASCENDING 9325
#define ID_KIT_SORT_DESCENDING 9326
#define ID_KIT_ALIGN_LEFT 9327
#define ID_KIT_ALIGN_CENTER 9328
#define ID_KIT_ALIGN_RIGHT 9329

// The ribbon's quick access menus: the customize button's drop-down and the right-click menu, their items,
// the two popup buttons' strings, and the tab strip's command id.
#define IDR_KIT_RIBBON_QUICK_ACCESS_MENU 9601
#define IDR_KIT_RIBBON_CONTEXT_MENU 9602
#define ID_KIT_RIBBON_QA_CUSTOMIZE_BUTTON 9603
#define ID_KIT_RIBBON_TAB_STRIP 9604
#define ID_KIT_RIBBON_QA_REMOVE 9605
#define ID_KIT_RIBBON_QA_ADD 9606
#define ID_KIT_RIBBON_QA_CUSTOMIZE 9607
#define ID_KIT_RIBBON_QA_SHOW_BELOW 9608
#define ID_KIT_RIBBON_QA_SHOW_ABOVE 9610
#define ID_KIT_RIBBON_QA_MORE_BUTTON 9611
#define ID_KIT_RIBBON_MINIMIZE 9612
#define ID_KIT_RIBBON_QA_COMMANDS 9613
#define ID_KIT_RIBBON_QA_HEADING 9614
#define ID_KIT_RIBBON_QA_MORE_COMMANDS 9616
#define ID_KIT_RIBBON_QA_BELOW 9617
#define ID_KIT_RIBBON_QA_ABOVE 9618
#define IDS_KIT_CUSTOMIZE 9161

// The question before a toolbar or menu bar is reset, and the one when a customized toolbar's built-in controls
// changed (the bar's title fills their %s).
#define IDS_KIT_RESET_TOOLBAR 9173
#define IDS_KIT_TOOLBAR_CHANGED 9177

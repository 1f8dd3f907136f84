// The resource ids of kithost.
#pragma once

#define IDR_MAINFRAME 128
#define IDR_TOOLBAR_STANDARD 129
#define IDD_ABOUTBOX 130
#define IDR_CONTEXT 131
#define ID_FILE_SAVE_ALL 32801
#define IDC_ABOUT_TEXT 1001

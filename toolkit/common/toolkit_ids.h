// Resource ids of the toolkit's own resources (res/toolkit.rc).
#pragma once

#define IDS_KIT_SELECTDIRECTORY 9342

#define IDC_KIT_CURSOR_9308 9308
#define IDC_KIT_CURSOR_9309 9309
#define IDC_KIT_CURSOR_9310 9310
#define IDC_KIT_CURSOR_9970 9970
#define IDC_KIT_CURSOR_9971 9971
#define IDC_KIT_HAND 9973

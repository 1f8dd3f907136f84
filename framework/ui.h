// The framework with its window layer: the core and every window header.
#pragma once

#include "framework/core.h"

#include "framework/appex.h"
#include "framework/cmdline.h"
#include "framework/controls.h"
#include "framework/ddx.h"
#include "framework/dialog.h"
#include "framework/docview.h"
#include "framework/filedialog.h"
#include "framework/frame.h"
#include "framework/gdi.h"
#include "framework/ids.h"
#include "framework/listctrl.h"
#include "framework/menu.h"
#include "framework/msgmap.h"
#include "framework/recentfiles.h"
#include "framework/splitter.h"
#include "framework/statusbar.h"
#include "framework/winapp.h"
#include "framework/wnd.h"

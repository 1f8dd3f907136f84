// CKitRibbonBackstageView: the full-window view the system button opens in place of its popup menu.
#pragma once

#include "toolkit/commandbars/command_bar.h"

// A command bar whose controls are the view's menu entries; while it is open no tab is drawn selected.
class CKitRibbonBackstageView : public CKitCommandBar {
    DECLARE_DYNCREATE(CKitRibbonBackstageView)
public:
    CKitRibbonBackstageView() = default;
};

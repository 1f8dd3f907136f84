// CKitRibbonQuickAccessControls: the controls the user put on the ribbon's quick access toolbar.
#pragma once

#include "toolkit/commandbars/controls.h"

class CKitRibbonQuickAccessControls : public CKitControls {
    DECLARE_DYNCREATE(CKitRibbonQuickAccessControls)
public:
    CKitRibbonQuickAccessControls() = default;
};

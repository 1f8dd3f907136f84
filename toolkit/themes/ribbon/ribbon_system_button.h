// CKitRibbonControlSystemButton: the ribbon's application button in the tabs row or on the frame's corner.
#pragma once

#include "toolkit/commandbars/control.h"

class CKitRibbonControlSystemButton : public CKitControlPopup {
    DECLARE_DYNCREATE(CKitRibbonControlSystemButton)
public:
    CKitRibbonControlSystemButton() = default;
};

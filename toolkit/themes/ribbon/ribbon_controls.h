// CKitRibbonControls: the ribbon bar's controls, which keep its groups and quick access list in step.
#pragma once

#include "toolkit/commandbars/controls.h"

class CKitRibbonBar;

// Built-in parts and group controls are not stored or copied through this collection.
class CKitRibbonControls : public CKitControls {
    DECLARE_DYNCREATE(CKitRibbonControls)
public:
    CKitRibbonControls() = default;

    // The collection's bar as a ribbon; null when it stands in another bar.
    CKitRibbonBar* GetRibbonBar() const;

    // False for temporary controls, group controls, the system button, the quick access controls
    // and popups, and the tab strip.
    BOOL IsPersistent(const CKitControl* pControl) const override;
    // The tab strip, the two quick access popups and the group option and popup buttons.
    BOOL IsBuiltInPart(const CKitControl* pControl) const;
    // A load or a copy replaces only the persistent controls: the bar's own parts, its groups' controls, the
    // system button and the quick access controls stay.
    void RemoveReplaceable() override;

protected:
    // A control leaving the ribbon leaves its group, the system button slot and the quick access list.
    void OnControlRemoved(CKitControl* pControl) override;
};

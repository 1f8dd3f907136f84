// The ribbon bar's controls collection.
#include "toolkit/themes/ribbon/ribbon_controls.h"

#include "toolkit/commandbars/control.h"
#include "toolkit/themes/ribbon/ribbon_bar.h"
#include "toolkit/themes/ribbon/ribbon_control_tab.h"
#include "toolkit/themes/ribbon/ribbon_group.h"
#include "toolkit/themes/ribbon/ribbon_quick_access.h"
#include "toolkit/themes/ribbon/ribbon_system_button.h"

IMPLEMENT_DYNCREATE(CKitRibbonControls, CKitControls)

CKitRibbonBar* CKitRibbonControls::GetRibbonBar() const
{
    return dynamic_cast<CKitRibbonBar*>(GetParent());
}

BOOL CKitRibbonControls::IsPersistent(const CKitControl* pControl) const
{
    if (!CKitControls::IsPersistent(pControl) || pControl->GetRibbonGroup() != nullptr)
        return FALSE;
    CKitRibbonBar* pRibbonBar = GetRibbonBar();
    if (pRibbonBar != nullptr &&
        (pControl == pRibbonBar->GetSystemButton() || pRibbonBar->IsQuickAccessControl(pControl)))
        return FALSE;
    return !IsBuiltInPart(pControl);
}

BOOL CKitRibbonControls::IsBuiltInPart(const CKitControl* pControl) const
{
    if (CKitRibbonGroup* pGroup = pControl->GetRibbonGroup()) {
        if (pControl == pGroup->GetControlGroupOption() || pControl == pGroup->GetControlGroupPopup())
            return TRUE;
    }
    return pControl->IsKindOf(RUNTIME_CLASS(CKitRibbonControlTab)) ||
           pControl->IsKindOf(RUNTIME_CLASS(CKitRibbonBarControlQuickAccessPopup)) ||
           pControl->IsKindOf(RUNTIME_CLASS(CKitRibbonBar::CControlQuickAccessMorePopup));
}

void CKitRibbonControls::OnControlRemoved(CKitControl* pControl)
{
    if (CKitRibbonGroup* pGroup = pControl->GetRibbonGroup())
        pGroup->Remove(pControl);
    if (CKitRibbonBar* pRibbonBar = GetRibbonBar()) {
        if (pControl == pRibbonBar->GetSystemButton())
            pRibbonBar->ForgetSystemButton();
        pRibbonBar->GetQuickAccessControls()->Remove(pControl);
    }
    CKitControls::OnControlRemoved(pControl);
}

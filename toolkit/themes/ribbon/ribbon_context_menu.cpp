// The ribbon's quick access menus: the customize button's drop-down and the right-click menu of a control.
#include "toolkit/themes/ribbon/ribbon_bar.h"

#include "framework/ids.h"
#include "toolkit/commandbars/command_bar_manager.h"
#include "toolkit/commandbars/control_extended.h"
#include "toolkit/commandbars/controls.h"
#include "toolkit/commandbars/popup_bar.h"
#include "toolkit/common/resources.h"
#include "toolkit/common/toolkit_ids.h"
#include "toolkit/themes/ribbon/ribbon_control_tab.h"
#include "toolkit/themes/ribbon/ribbon_quick_access.h"

#include "framework/menu.h"

namespace {
// Sent to the site before the command bars' own context menu shows; wParam the bar, lParam the menu.
constexpr UINT kMsgBarsContextMenu = 0x285C;
} // namespace

CKitPopupBar* CKitRibbonBar::CreateContextMenu(CKitControl* pControl)
{
    CKitCommandBarManager* pCommandBars = GetCommandBars();
    if (!m_bQuickAccessVisible) {
        CKitPopupBar* pPopup = CKitPopupBar::CreatePopupBar(pCommandBars);
        pPopup->SetContextMenu(TRUE);
        if (pCommandBars != nullptr) {
            pCommandBars->AddToolbarItems(pPopup->GetControls(), -1, FALSE);
            CWnd* pSite = GetSite();
            if (pSite != nullptr && pSite->GetSafeHwnd() != nullptr)
                pSite->SendMessage(kMsgBarsContextMenu, reinterpret_cast<WPARAM>(this),
                                   reinterpret_cast<LPARAM>(pPopup));
        }
        return pPopup;
    }

    // A gallery item inside a popup stands for the control that opened that popup.
    if (pControl != nullptr && pControl->GetType() == kitControlGallery && pControl->GetCommandBar() == nullptr) {
        if (auto* pOwnerPopup = DYNAMIC_DOWNCAST(CKitPopupBar, pControl->GetParent())) {
            if (pOwnerPopup->GetControlPopup() != nullptr)
                pControl = pOwnerPopup->GetControlPopup();
        }
    }

    const BOOL bCustomizeMenu = pControl != nullptr && pControl->GetId() == ID_KIT_RIBBON_QA_CUSTOMIZE_BUTTON;
    CMenu menu;
    if (!CKitResourceManager::Instance()->LoadMenu(
            menu, bCustomizeMenu ? IDR_KIT_RIBBON_QUICK_ACCESS_MENU : IDR_KIT_RIBBON_CONTEXT_MENU))
        return nullptr;
    CMenu* pSubMenu = menu.GetSubMenu(0);
    if (pSubMenu == nullptr)
        return nullptr;
    CKitPopupBar* pPopup = CKitPopupBar::CreatePopupBar(pCommandBars);
    pPopup->LoadMenu(pSubMenu->m_hMenu);

    auto* pToolbars = new CKitControlToolbars;
    pToolbars->SetId(ID_VIEW_TOOLBAR);
    pPopup->GetControls()->InsertAt(pToolbars, bCustomizeMenu ? 0 : 2);
    pToolbars->SetBeginGroup(TRUE);

    const BOOL bOnToolbar = IsQuickAccessControl(pControl);
    const BOOL bMayAdd = IsAllowQuickAccessControl(pControl);
    const BOOL bExcluded = pControl == nullptr || pControl->IsTemporary() ||
                           ((pControl->GetFlags() & kFlagNotForQuickAccess) != 0 && !bMayAdd);
    const BOOL bCustomizing = m_bAllowQuickAccessCustomization;

    CKitControls* pItems = pPopup->GetControls();
    for (int i = 0; i < pItems->GetCount(); ++i) {
        CKitControl* pItem = pItems->GetAt(i);
        switch (pItem->GetId()) {
        case ID_KIT_RIBBON_QA_MORE_COMMANDS:
            pItem->SetId(ID_KIT_RIBBON_QA_CUSTOMIZE);
            break;
        case ID_KIT_RIBBON_QA_BELOW:
            pItem->SetId(ID_KIT_RIBBON_QA_SHOW_BELOW);
            break;
        case ID_KIT_RIBBON_QA_ABOVE:
            pItem->SetId(ID_KIT_RIBBON_QA_SHOW_ABOVE);
            break;
        default:
            break;
        }
        BOOL bHandled = TRUE;
        switch (pItem->GetId()) {
        case ID_KIT_RIBBON_QA_REMOVE:
            pItem->SetHideFlag(bOnToolbar && !bExcluded && bCustomizing);
            break;
        case ID_KIT_RIBBON_QA_ADD:
            pItem->SetHideFlag(!bOnToolbar && !bExcluded && bCustomizing);
            pItem->SetEnabled(bMayAdd);
            break;
        case ID_KIT_RIBBON_QA_CUSTOMIZE:
            // Without quick access customizing the command bars offer no customize dialog here.
            if (!bCustomizing)
                pItem->SetHideFlag(FALSE);
            break;
        case ID_KIT_RIBBON_QA_SHOW_BELOW:
            pItem->SetHideFlag(m_bQuickAccessVisible && !m_bQuickAccessBelow);
            break;
        case ID_KIT_RIBBON_QA_SHOW_ABOVE:
            pItem->SetHideFlag(m_bQuickAccessVisible && m_bQuickAccessBelow);
            break;
        case ID_KIT_RIBBON_MINIMIZE:
            pItem->SetHideFlag(m_bAllowMinimize);
            pItem->SetChecked(m_bMinimized ? 1 : 0);
            pItem->SetEnabled(GetTabCount() > 0);
            break;
        case ID_KIT_RIBBON_QA_HEADING:
            pItem->SetType(kitControlLabel);
            pItem->SetFlags(pItem->GetFlags() | kitFlagSkipFocus);
            pItem->SetStyle(1);
            // The quick access list keeps no default commands to list under the heading.
            pItem->SetHideFlag(FALSE);
            break;
        case ID_KIT_RIBBON_QA_COMMANDS:
            pItem->SetHideFlag(FALSE);
            break;
        default:
            bHandled = FALSE;
            break;
        }
        if (bHandled)
            pItem->SetFlags(pItem->GetFlags() | kitFlagManualUpdate);
    }
    return pPopup;
}

CKitRibbonBar::CControlQuickAccessCommand::CControlQuickAccessCommand(
    CKitRibbonQuickAccessControls* pQuickAccessControls, CKitControl* pSource, CKitControl* pOnToolbar)
    : m_pQuickAccessControls(pQuickAccessControls), m_pSource(pSource), m_pOnToolbar(pOnToolbar)
{
    m_pSource->InternalAddRef();
    if (m_pOnToolbar != nullptr)
        m_pOnToolbar->InternalAddRef();
}

CKitRibbonBar::CControlQuickAccessCommand::~CControlQuickAccessCommand()
{
    m_pSource->InternalRelease();
    if (m_pOnToolbar != nullptr)
        m_pOnToolbar->InternalRelease();
}

void CKitRibbonBar::CControlQuickAccessCommand::OnExecute()
{
    CKitControlButton::OnExecute();
    if (m_pOnToolbar == nullptr) {
        // A control class that cannot be made again gives no copy.
        if (CKitControl* pAdded = m_pQuickAccessControls->AddClone(m_pSource))
            pAdded->SetFlags(pAdded->GetFlags() & ~kFlagNotForQuickAccess);
    } else {
        m_pQuickAccessControls->Remove(m_pOnToolbar);
    }
    if (CKitRibbonBar* pRibbonBar = m_pQuickAccessControls->GetRibbonBar())
        pRibbonBar->DelayLayout();
}

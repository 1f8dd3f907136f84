// Saving, loading and copying the ribbon: the bar, its tab strip, tabs, groups and system button.
#include "toolkit/commandbars/command_bar_manager.h"
#include "toolkit/commandbars/controls.h"
#include "toolkit/commandbars/persistence.h"
#include "toolkit/common/prop_exchange.h"
#include "toolkit/themes/ribbon/ribbon_bar.h"
#include "toolkit/themes/ribbon/ribbon_control_tab.h"
#include "toolkit/themes/ribbon/ribbon_controls.h"
#include "toolkit/themes/ribbon/ribbon_group.h"
#include "toolkit/themes/ribbon/ribbon_quick_access.h"
#include "toolkit/themes/ribbon/ribbon_system_button.h"
#include "toolkit/themes/ribbon/ribbon_tab.h"

#include <vector>

namespace {
using PX = CKitPropExchange;

// Schemas from which a stored ribbon holds its minimised state, and whether it is customizable.
constexpr int kSchemaMinimized = 18;
constexpr int kSchemaCustomizable = 23;

// The control shows on the bar again: its tab's selection decides later.
void ShowInGroup(CKitControl* pControl)
{
    pControl->SetHidden(CKitRibbonBar::kHideTabNotSelected, FALSE);
}

// Where a control of the group enters the parent bar's controls: before the option button, else at the end.
int GroupInsertIndex(CKitControls* pControls, const CKitRibbonGroup* pGroup)
{
    return pControls->IndexOf(pGroup->GetControlGroupOption());
}
} // namespace

// CKitRibbonBar

void CKitRibbonBar::DoPropExchange(CKitPropExchange* pPX)
{
    if (pPX->IsLoading() && pPX->GetOwner() != nullptr) {
        if (auto* pCommandBars = DYNAMIC_DOWNCAST(CKitCommandBarManager, pPX->GetOwner()))
            SetCommandBars(pCommandBars);
    }
    PX::PropExchangeBool(pPX, "ShowQuickAccessBelow", m_bQuickAccessBelow, FALSE);
    if (pPX->GetSchema() > kSchemaMinimized)
        PX::PropExchangeBool(pPX, "Minimized", m_bMinimized, FALSE);
    if (pPX->GetSchema() > kSchemaCustomizable)
        PX::PropExchangeBool(pPX, "Customizable", m_bCustomizable, FALSE);
    if (m_bCustomizable) {
        CKitToolBar::DoPropExchange(pPX);
        {
            CKitPropExchangeSection section(KitExchangeSection(pPX, "SystemButton"));
            BOOL bSystemButton = m_pSystemButton != nullptr;
            PX::PropExchangeBool(section, "SystemButton", bSystemButton, TRUE);
            if (bSystemButton) {
                CObject* pObject =
                    KitExchangeStoredObject(section, m_pSystemButton, RUNTIME_CLASS(CKitRibbonControlSystemButton));
                if (pPX->IsLoading())
                    SetSystemButton(static_cast<CKitRibbonControlSystemButton*>(pObject));
                m_pSystemButton->DoPropExchange(section);
            }
        }
        CKitPropExchangeSection section(KitExchangeSection(pPX, "Tabs"));
        m_pControlTab->DoPropExchange(section);
    }
    CKitPropExchangeSection section(KitExchangeSection(pPX, "QuickAccessControls"));
    m_pQuickAccessControls->DoPropExchange(section);
    if (pPX->IsLoading()) {
        ShowSelectedTabGroups();
        DelayLayout();
    }
}

void CKitRibbonBar::SetSystemButton(CKitRibbonControlSystemButton* pButton)
{
    if (m_pSystemButton != nullptr)
        m_pControls->Remove(m_pSystemButton);
    if (pButton == nullptr)
        return;
    m_pControls->InsertAt(pButton, 0);
    m_pSystemButton = pButton;
}

void CKitRibbonBar::Copy(const CKitCommandBar* pSource, BOOL bRecursive)
{
    CKitMenuBar::Copy(pSource, bRecursive);
    const auto* pRibbon = dynamic_cast<const CKitRibbonBar*>(pSource);
    if (pRibbon == nullptr || pRibbon == this)
        return;
    m_bQuickAccessBelow = pRibbon->m_bQuickAccessBelow;
    m_bMinimized = pRibbon->m_bMinimized;
    m_pControlTab->Copy(pRibbon->m_pControlTab, bRecursive);
    CKitRibbonControlSystemButton* pSystemButton = pRibbon->m_pSystemButton;
    SetSystemButton(pSystemButton != nullptr
                        ? static_cast<CKitRibbonControlSystemButton*>(pSystemButton->Clone(bRecursive))
                        : nullptr);
    m_pQuickAccessControls->Copy(pRibbon->m_pQuickAccessControls, bRecursive);
    ShowSelectedTabGroups();
    DelayLayout();
}

void CKitRibbonBar::CopyFromBar(const CKitCommandBar* pSource)
{
    const auto* pRibbon = dynamic_cast<const CKitRibbonBar*>(pSource);
    if (pRibbon == nullptr || pRibbon->m_bCustomizable) {
        Copy(pSource, FALSE);
        return;
    }
    // A layout stored without customization holds no tabs, system button or loose controls: these stay.
    m_bQuickAccessBelow = pRibbon->m_bQuickAccessBelow;
    m_bMinimized = pRibbon->m_bMinimized;
    m_pQuickAccessControls->Copy(pRibbon->m_pQuickAccessControls, FALSE);
    ShowSelectedTabGroups();
    DelayLayout();
}

void CKitRibbonBar::GenerateCommandBarList(DWORD& nNextId, CKitCommandBarList* pList, DWORD dwFlags)
{
    if (m_bCustomizable) {
        CKitMenuBar::GenerateCommandBarList(nNextId, pList, dwFlags);
        return;
    }
    if (pList->Contains(this))
        return;
    pList->Add(this);
    m_pQuickAccessControls->GenerateCommandBarList(nNextId, pList, dwFlags);
}

void CKitRibbonBar::RestoreCommandBarList(CKitCommandBarList* pList)
{
    if (m_bCustomizable)
        CKitMenuBar::RestoreCommandBarList(pList);
    else
        m_pQuickAccessControls->RestoreCommandBarList(pList);
}

// CKitRibbonControls

void CKitRibbonControls::RemoveReplaceable()
{
    for (int i = GetCount() - 1; i >= 0; --i) {
        if (IsPersistent(GetAt(i)))
            Remove(GetAt(i));
    }
}

// CKitRibbonControlTab

void CKitRibbonControlTab::DoPropExchange(CKitPropExchange* pPX)
{
    if (pPX->IsLoading())
        DeleteAllItems();
    KitExchangeObjectList(
        pPX, "Tab", static_cast<DWORD>(GetItemCount()), this, RUNTIME_CLASS(CKitRibbonTab),
        [this](DWORD nIndex) { return static_cast<CKitRibbonTab*>(GetItem(static_cast<int>(nIndex))); },
        [&](CObject* pObject, CKitPropExchange* pSection) {
            auto* pTab = static_cast<CKitRibbonTab*>(pObject);
            // The strip holds the tab before it reads, so a damaged record leaves nothing behind.
            if (pPX->IsLoading())
                AddItem(-1, pTab);
            pTab->DoPropExchange(pSection);
        });
}

void CKitRibbonControlTab::Copy(const CKitControl* pSource, BOOL bRecursive)
{
    const auto* pStrip = dynamic_cast<const CKitRibbonControlTab*>(pSource);
    if (pStrip == nullptr || pStrip == this)
        return;
    CKitControlPopup::Copy(pSource, bRecursive);
    DeleteAllItems();
    for (int i = 0; i < pStrip->GetItemCount(); ++i) {
        auto* pSourceTab = static_cast<CKitRibbonTab*>(pStrip->GetItem(i));
        auto* pTab = static_cast<CKitRibbonTab*>(pSourceTab->GetRuntimeClass()->CreateObject());
        if (pTab == nullptr)
            continue;
        pTab->SetRibbonBar(GetRibbonBar());
        AddItem(i, pTab);
        pTab->Copy(pSourceTab);
    }
}

// CKitRibbonTab

void CKitRibbonTab::DoPropExchange(CKitPropExchange* pPX)
{
    if (pPX->IsLoading()) {
        if (auto* pStrip = dynamic_cast<CKitRibbonControlTab*>(pPX->GetOwner())) {
            SetRibbonBar(pStrip->GetRibbonBar());
            m_pManager = pStrip;
        }
    }
    PX::PropExchangeString(pPX, "Caption", m_strCaption, "");
    PX::PropExchangeString(pPX, "ToolTip", m_strToolTip, "");
    PX::PropExchangeIntWithDefault(pPX, "ContextColor", m_nContextColor, kContextNone);
    PX::PropExchangeString(pPX, "ContextCaption", m_strContextCaption, "");
    PX::PropExchangeIntWithDefault(pPX, "Id", m_nId, 0);
    PX::PropExchangeBool(pPX, "Visible", m_bVisible, TRUE);
    BOOL bSelected = m_pManager != nullptr && m_pManager->GetSelectedItem() == this;
    PX::PropExchangeBool(pPX, "Selected", bSelected, FALSE);
    if (pPX->IsLoading() && bSelected && m_pManager != nullptr)
        m_pManager->SetSelectedItem(this);
    CKitPropExchangeSection section(KitExchangeSection(pPX, "Groups"));
    m_pGroups->DoPropExchange(section);
}

// CKitRibbonGroups

void CKitRibbonGroups::Copy(const CKitRibbonGroups* pSource)
{
    if (pSource == nullptr || pSource == this)
        return;
    RemoveAll();
    for (int i = 0; i < pSource->GetCount(); ++i) {
        CKitRibbonGroup* pSourceGroup = pSource->GetAt(i);
        auto* pGroup = static_cast<CKitRibbonGroup*>(pSourceGroup->GetRuntimeClass()->CreateObject());
        if (pGroup == nullptr)
            continue;
        pGroup->SetId(pSourceGroup->GetId());
        pGroup->SetCaption(pSourceGroup->GetCaption());
        InsertAt(i, pGroup);
        pGroup->Copy(pSourceGroup);
    }
}

void CKitRibbonGroups::DoPropExchange(CKitPropExchange* pPX)
{
    if (pPX->IsLoading())
        RemoveAll();
    KitExchangeObjectList(
        pPX, "Group", static_cast<DWORD>(GetCount()), this, RUNTIME_CLASS(CKitRibbonGroup),
        [this](DWORD nIndex) { return GetAt(static_cast<int>(nIndex)); },
        [&](CObject* pObject, CKitPropExchange* pSection) {
            auto* pGroup = static_cast<CKitRibbonGroup*>(pObject);
            if (pPX->IsLoading()) {
                // Held before it reads; the group joins the bar itself while it loads.
                pGroup->m_pGroups = this;
                m_arrGroups.push_back(pGroup);
                for (int i = 0; i < GetCount(); ++i)
                    m_arrGroups[i]->m_nIndex = i;
            }
            pGroup->DoPropExchange(pSection);
        });
}

// CKitRibbonGroup

void CKitRibbonGroup::Copy(const CKitRibbonGroup* pSource)
{
    if (pSource == nullptr || pSource == this)
        return;
    m_nId = pSource->m_nId;
    m_nIconId = pSource->m_nIconId;
    m_bShowOptionButton = pSource->m_bShowOptionButton;
    m_strCaption = pSource->m_strCaption;
    // A group copied into a collection keeps its own; a copy standing alone answers for the source's.
    if (m_pGroups == nullptr)
        m_pGroups = pSource->m_pGroups;
    m_bControlsGrouping = pSource->m_bControlsGrouping;
    m_bControlsCentering = pSource->m_bControlsCentering;
    m_bAlignEditWidths = pSource->m_bAlignEditWidths;
    m_bVisible = pSource->m_bVisible;
    m_nAllowReduceLevels = pSource->m_nAllowReduceLevels;
    CKitControls* pControls = m_pParent != nullptr ? m_pParent->GetControls() : nullptr;
    for (CKitControl* pSourceControl : pSource->m_arrControls) {
        CKitControl* pClone = pSourceControl->Clone(FALSE);
        if (pClone == nullptr)
            continue;
        if (pControls != nullptr)
            pControls->InsertAt(pClone, GroupInsertIndex(pControls, this));
        Add(pClone);
        if (pControls == nullptr)
            pClone->InternalRelease();
        ShowInGroup(pClone);
    }
    m_pOptionButton->Copy(pSource->m_pOptionButton, FALSE);
    ShowInGroup(m_pOptionButton);
    m_pPopupButton->Copy(pSource->m_pPopupButton, FALSE);
    ShowInGroup(m_pPopupButton);
}

void CKitRibbonGroup::DoPropExchange(CKitPropExchange* pPX)
{
    PX::PropExchangeIntWithDefault(pPX, "Id", m_nId, 0);
    PX::PropExchangeIntWithDefault(pPX, "IconId", m_nIconId, 0);
    PX::PropExchangeBool(pPX, "ShowOptionButton", m_bShowOptionButton, FALSE);
    PX::PropExchangeString(pPX, "Caption", m_strCaption, "");
    PX::PropExchangeBool(pPX, "ControlsGrouping", m_bControlsGrouping, FALSE);
    PX::PropExchangeBool(pPX, "ControlsCentering", m_bControlsCentering, FALSE);
    PX::PropExchangeBool(pPX, "Visible", m_bVisible, TRUE);
    if (pPX->IsLoading()) {
        if (auto* pGroups = dynamic_cast<CKitRibbonGroups*>(pPX->GetOwner()))
            m_pGroups = pGroups;
        m_pRibbonBar = m_pGroups != nullptr ? m_pGroups->GetRibbonBar() : nullptr;
        m_pParent = m_pRibbonBar;
        OnGroupAdded();
        RemoveAll();
    }
    {
        CKitPropExchangeSection controls(KitExchangeSection(pPX, "Controls"));
        std::vector<CKitControl*> stored;
        for (CKitControl* pControl : m_arrControls) {
            if (!pControl->IsTemporary())
                stored.push_back(pControl);
        }
        CKitControls* pBarControls = m_pParent != nullptr ? m_pParent->GetControls() : nullptr;
        KitExchangeObjectList(
            controls, "Control", static_cast<DWORD>(stored.size()), pPX->GetOwner(), RUNTIME_CLASS(CKitControl),
            [&](DWORD nIndex) { return stored[nIndex]; },
            [&](CObject* pObject, CKitPropExchange* pSection) {
                auto* pControl = static_cast<CKitControl*>(pObject);
                if (pPX->IsLoading()) {
                    if (pBarControls != nullptr)
                        pBarControls->InsertAt(pControl, GroupInsertIndex(pBarControls, this));
                    Add(pControl);
                    if (pBarControls == nullptr)
                        pControl->InternalRelease();
                }
                pControl->DoPropExchange(pSection);
            });
    }
    {
        CKitPropExchangeSection section(KitExchangeSection(pPX, "ControlGroupOption"));
        m_pOptionButton->DoPropExchange(section);
    }
    CKitPropExchangeSection section(KitExchangeSection(pPX, "ControlGroupPopup"));
    m_pPopupButton->DoPropExchange(section);
}

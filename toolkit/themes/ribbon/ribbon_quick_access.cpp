// The quick access list of the ribbon and its customize button.
#include "toolkit/themes/ribbon/ribbon_quick_access.h"

#include "toolkit/commandbars/popup_bar.h"
#include "toolkit/themes/ribbon/ribbon_bar.h"
#include "toolkit/themes/ribbon/ribbon_paint_manager.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CKitRibbonQuickAccessControls, CKitControls)
IMPLEMENT_DYNCREATE(CKitRibbonBarControlQuickAccessPopup, CKitControlPopup)
IMPLEMENT_DYNCREATE(CKitRibbonBarMorePopupToolBar, CKitPopupToolBar)

namespace {
// The most-recently-used width of the more popup.
constexpr int kMorePopupWidth = 300;
} // namespace

void CKitRibbonQuickAccessControls::Remove(CKitControl* pControl)
{
    auto it = std::find(m_controls.begin(), m_controls.end(), pControl);
    if (pControl == nullptr || it == m_controls.end())
        return;
    m_controls.erase(it);
    OnControlRemoved(pControl);
    pControl->InternalRelease();
}

int CKitRibbonQuickAccessControls::IndexOf(const CKitControl* pControl) const
{
    for (int i = GetCount() - 1; i >= 0; --i) {
        if (m_controls[i] == pControl)
            return i;
    }
    return -1;
}

CKitControl* CKitRibbonQuickAccessControls::FindDuplicate(const CKitControl* pControl) const
{
    for (CKitControl* pOther : m_controls) {
        if (pOther->GetId() == pControl->GetId() && pOther->GetType() == pControl->GetType() &&
            pOther->GetRuntimeClass() == pControl->GetRuntimeClass() && pOther->IsVisible(kitHideWrap))
            return pOther;
    }
    return nullptr;
}

void CKitRibbonQuickAccessControls::OnControlAdded(CKitControl* pControl)
{
    OnChanged();
    if (m_pRibbonBar == nullptr)
        return;
    // The system button always stands first in the ribbon's controls.
    const int nBefore = IndexOf(pControl) + (m_pRibbonBar->GetSystemButton() != nullptr ? 1 : 0);
    pControl->InternalAddRef();
    m_pRibbonBar->GetControls()->InsertAt(pControl, nBefore);
}

void CKitRibbonQuickAccessControls::OnControlRemoved(CKitControl* pControl)
{
    if (m_pRibbonBar != nullptr)
        m_pRibbonBar->GetControls()->Remove(pControl);
}

void CKitRibbonQuickAccessControls::OnChanged()
{
    for (CKitControl* pControl : m_controls)
        pControl->SetParent(m_pRibbonBar);
}

CKitRibbonBar* CKitRibbonBarControlQuickAccessPopup::FindRibbonBar() const
{
    CKitCommandBar* pParent = GetParent();
    return pParent != nullptr ? DYNAMIC_DOWNCAST(CKitRibbonBar, pParent->GetRootParent()) : nullptr;
}

CSize CKitRibbonBarControlQuickAccessPopup::GetSize(CDC* /*pDC*/)
{
    int nHeight = kMinHeight;
    if (CKitRibbonBar* pRibbonBar = FindRibbonBar()) {
        if (CKitRibbonPaintManager* pPaintManager = pRibbonBar->GetRibbonPaintManager())
            nHeight = std::max(kMinHeight, pPaintManager->GetControlHeight());
    }
    return CSize(nHeight * 13 / 22, nHeight);
}

BOOL CKitRibbonBarControlQuickAccessPopup::SetPopup(BOOL bPopup)
{
    if (bPopup) {
        SetCommandBar(nullptr);
        if (CKitRibbonBar* pRibbonBar = FindRibbonBar())
            SetCommandBar(pRibbonBar->CreateContextMenu(this));
    }
    return CKitControlPopup::SetPopup(bPopup);
}

void CKitRibbonBarControlQuickAccessPopup::Draw(CDC* pDC)
{
    if (CKitRibbonBar* pRibbonBar = FindRibbonBar()) {
        if (CKitRibbonPaintManager* pPaintManager = pRibbonBar->GetRibbonPaintManager())
            pPaintManager->DrawQuickAccessButton(pDC, this);
    }
}

void CKitRibbonBar::CControlQuickAccessMorePopup::Draw(CDC* pDC)
{
    CKitCommandBar* pParent = GetParent();
    auto* pRibbonBar = pParent != nullptr ? DYNAMIC_DOWNCAST(CKitRibbonBar, pParent->GetRootParent()) : nullptr;
    if (pRibbonBar != nullptr) {
        if (CKitRibbonPaintManager* pPaintManager = pRibbonBar->GetRibbonPaintManager())
            pPaintManager->DrawQuickAccessMoreButton(pDC, this);
    }
}

BOOL CKitRibbonBar::CControlQuickAccessMorePopup::SetPopup(BOOL bPopup)
{
    if (bPopup) {
        SetCommandBar(nullptr);
        CKitCommandBar* pParent = GetParent();
        if (auto* pRibbonBar = pParent != nullptr ? DYNAMIC_DOWNCAST(CKitRibbonBar, pParent->GetRootParent()) : nullptr)
            SetCommandBar(pRibbonBar->CreateMoreQuickAccessPopupBar());
    }
    return CKitControlPopup::SetPopup(bPopup);
}

CKitPopupBar* CKitRibbonBar::CreateMoreQuickAccessPopupBar()
{
    auto* pPopupBar = new CKitRibbonBarMorePopupToolBar(this);
    pPopupBar->SetCommandBars(GetCommandBars());
    CKitControls* pItems = pPopupBar->GetControls();
    for (int i = 0; i < m_pQuickAccessControls->GetCount(); ++i) {
        CKitControl* pControl = m_pQuickAccessControls->GetAt(i);
        if ((pControl->GetHideFlags() & kHideByLayout) == 0)
            continue;
        if (CKitControl* pCopy = pControl->Clone(FALSE)) {
            pItems->AddControl(pCopy);
            pCopy->SetHidden(kHideByLayout, FALSE);
        }
    }
    if (CKitControl* pCustomize = m_pQuickAccessPopup->Clone(FALSE)) {
        pItems->AddControl(pCustomize);
        pCustomize->SetHideFlags(0);
    }
    pPopupBar->SetMRUWidth(kMorePopupWidth);
    return pPopupBar;
}

CKitRibbonBarMorePopupToolBar::CKitRibbonBarMorePopupToolBar(CKitRibbonBar* pRibbonBar) : m_pRibbonBar(pRibbonBar)
{
}

void CKitRibbonBarMorePopupToolBar::Copy(const CKitCommandBar* pSource, BOOL bRecursive)
{
    CKitPopupToolBar::Copy(pSource, bRecursive);
    if (const auto* pMore = dynamic_cast<const CKitRibbonBarMorePopupToolBar*>(pSource))
        m_pRibbonBar = pMore->m_pRibbonBar;
}

void CKitRibbonBarMorePopupToolBar::FillCommandBarEntry(CDC* pDC)
{
    if (m_pRibbonBar != nullptr)
        m_pRibbonBar->GetRibbonPaintManager()->FillMorePopupToolBar(pDC, this);
    else
        CKitPopupToolBar::FillCommandBarEntry(pDC);
}

CSize CKitRibbonBarMorePopupToolBar::GetIconSize() const
{
    return m_pRibbonBar != nullptr ? m_pRibbonBar->GetIconSize() : CKitPopupToolBar::GetIconSize();
}

CSize CKitRibbonBarMorePopupToolBar::GetButtonSize(BOOL bAutomatic) const
{
    return m_pRibbonBar != nullptr ? m_pRibbonBar->GetButtonSize(bAutomatic) : CKitPopupToolBar::GetButtonSize(bAutomatic);
}

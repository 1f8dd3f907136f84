// CKitRibbonControlSystemButton: the ribbon's application button in the tabs row or on the frame's corner.
#include "toolkit/themes/ribbon/ribbon_system_button.h"

#include "framework/gdi.h"
#include "toolkit/commandbars/command_bar_manager.h"
#include "toolkit/themes/paint/paint_manager.h"
#include "toolkit/themes/ribbon/ribbon_backstage_view.h"
#include "toolkit/themes/ribbon/ribbon_bar.h"
#include "toolkit/themes/ribbon/ribbon_paint_manager.h"
#include "toolkit/themes/ribbon/ribbon_system_popup_bar.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CKitRibbonControlSystemButton, CKitControlPopup)

namespace {

// The close command as the window menu sends it.
constexpr WPARAM kSysCommandClose = 0xF063;

} // namespace

CKitRibbonControlSystemButton::CKitRibbonControlSystemButton()
{
    m_dwFlags = CKitRibbonBar::kFlagsPopupButton;
}

CSize CKitRibbonControlSystemButton::GetSize(CDC* pDC)
{
    if (GetStyle() == kitButtonAutomatic)
        return CKitControlPopup::GetSize(pDC);
    const CSize size = CKitControlPopup::GetSize(pDC);
    return CSize(std::max<int>(size.cx, kMinStyledWidth), std::max<int>(size.cy, kMinStyledHeight));
}

void CKitRibbonControlSystemButton::Draw(CDC* pDC)
{
    if (GetStyle() != kitButtonAutomatic) {
        CKitControlPopup::Draw(pDC);
        return;
    }
    CKitPaintManager::FromPainter(GetPaintManager())->GetRibbonPaintManager()->DrawRibbonSystemButton(pDC, this, m_rcControl);
}

void CKitRibbonControlSystemButton::OnLButtonDblClk(CPoint /*pt*/)
{
    if (m_pParent != nullptr && m_pParent->GetCommandBars() != nullptr)
        m_pParent->GetCommandBars()->ClosePopups();
    CWnd* pSite = m_pParent != nullptr ? m_pParent->GetSite() : nullptr;
    const BOOL bTopLevel =
        pSite != nullptr && pSite->GetSafeHwnd() != nullptr && (pSite->GetStyle() & WS_CHILD) == 0;
    if (GetStyle() == kitButtonAutomatic && bTopLevel && m_bCloseOnDoubleClick) {
        pSite->SendMessage(WM_SYSCOMMAND, kSysCommandClose, 0);
        return;
    }
    OnExecute();
}

void CKitRibbonControlSystemButton::AdjustExcludeRect(CRect& rc, BOOL bVertical)
{
    auto* pRibbonBar = dynamic_cast<CKitRibbonBar*>(m_pParent);
    if (pRibbonBar != nullptr && GetStyle() == kitButtonAutomatic && pRibbonBar->IsCaptionVisible() &&
        pRibbonBar->IsTabsVisible() && DYNAMIC_DOWNCAST(CKitRibbonSystemPopupBar, m_pCommandBar) != nullptr) {
        rc.bottom -= kPopupOverlap;
        return;
    }
    CKitControlPopup::AdjustExcludeRect(rc, bVertical);
}

BOOL CKitRibbonControlSystemButton::SetPopup(BOOL bPopup)
{
    auto* pView = DYNAMIC_DOWNCAST(CKitRibbonBackstageView, m_pCommandBar);
    if (pView == nullptr)
        return CKitControlPopup::SetPopup(bPopup);
    if (!bPopup) {
        pView->Close();
        m_bPopuped = FALSE;
        return TRUE;
    }
    if (pView->IsTrackingMode())
        return TRUE;
    if (pView->GetCommandBars() == nullptr && m_pParent != nullptr)
        pView->SetCommandBars(m_pParent->GetCommandBars());
    return pView->ShowBackstage(this);
}

void CKitRibbonControlSystemButton::Copy(const CKitControl* pSource, BOOL bRecursive)
{
    CKitControlPopup::Copy(pSource, bRecursive);
    if (const auto* pButton = dynamic_cast<const CKitRibbonControlSystemButton*>(pSource))
        m_bCloseOnDoubleClick = pButton->m_bCloseOnDoubleClick;
}

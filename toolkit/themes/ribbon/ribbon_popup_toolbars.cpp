// CKitRibbonTabPopupToolBar.
#include "toolkit/themes/ribbon/ribbon_popup_toolbars.h"

#include "framework/gdi.h"
#include "toolkit/themes/paint/paint_manager.h"
#include "toolkit/themes/ribbon/ribbon_bar.h"
#include "toolkit/commandbars/keyboard_tip.h"
#include "toolkit/themes/ribbon/ribbon_group.h"
#include "toolkit/themes/ribbon/ribbon_group_popup.h"
#include "toolkit/themes/ribbon/ribbon_keyboard.h"
#include "toolkit/themes/ribbon/ribbon_paint_manager.h"
#include "toolkit/themes/ribbon/ribbon_tab.h"

#include <windows.h>

IMPLEMENT_DYNAMIC(CKitRibbonTabPopupToolBar, CKitPopupToolBar)

CKitRibbonTabPopupToolBar* CKitRibbonBar::CreateTabPopupToolBar(CKitRibbonTab* pTab)
{
    return new CKitRibbonTabPopupToolBar(pTab);
}

CKitRibbonTabPopupToolBar::CKitRibbonTabPopupToolBar(CKitRibbonTab* pTab)
    : m_pTab(new CKitRibbonTab), m_pRibbonBar(pTab->GetRibbonBar())
{
    m_pTab->SetRibbonBar(m_pRibbonBar);
    m_pTab->SetParentBar(this);
    m_pTab->Copy(pTab);
    m_pTab->SetRect(pTab->GetRect());
    SetFlags(kitBarFlagGrouped);
    m_pOwnerBar = this;
}

CKitRibbonTabPopupToolBar::~CKitRibbonTabPopupToolBar()
{
    m_pTab->OnRemoved();
    m_pTab->InternalRelease();
}

CRect CKitRibbonTabPopupToolBar::CalcPopupPlacement(const CRect& rcRibbon, const CRect& rcWork, int y, int nHeight,
                                                    int nExcludeTop)
{
    int x = rcRibbon.left;
    int nWidth = rcRibbon.Width();
    if (x < rcWork.left) {
        nWidth -= rcWork.left - x;
        x = rcWork.left;
    }
    if (x + nWidth > rcWork.right)
        nWidth = rcWork.right - x - 4;
    if (y + nHeight > rcWork.bottom)
        y = nExcludeTop - nHeight;
    return CRect(x, y, x + nWidth, y + nHeight);
}

void CKitRibbonTabPopupToolBar::ScrollGroups(BOOL bRight)
{
    RequestScrollStep(this, m_pTab->GetGroups(), bRight);
}

CKitRibbonGroup* CKitRibbonTabPopupToolBar::HitTestGroup(CPoint point) const
{
    return m_rcGroups.PtInRect(point) ? m_pTab->GetGroups()->HitTest(point) : nullptr;
}

CSize CKitRibbonTabPopupToolBar::CalcDynamicLayout(int /*nLength*/, DWORD /*dwMode*/)
{
    if (m_pRibbonBar == nullptr || m_pRibbonBar->GetSafeHwnd() == nullptr)
        return CSize(0, 0);
    CRect rcRibbon;
    m_pRibbonBar->GetWindowRect(&rcRibbon);
    CRect rcTab = m_pTab->GetRect();
    m_pRibbonBar->ClientToScreen(&rcTab);
    MONITORINFO info = {};
    info.cbSize = sizeof(info);
    ::GetMonitorInfoA(::MonitorFromRect(&rcTab, MONITOR_DEFAULTTONEAREST), &info);
    const CRect rcPopup = CalcPopupPlacement(rcRibbon, CRect(info.rcWork), m_ptPopup.y,
                                             m_pRibbonBar->GetGroupsAreaHeight(), m_rcExclude.top);
    m_ptPopup = rcPopup.TopLeft();

    CClientDC dc(nullptr);
    CFont* pOldFont = nullptr;
    if (CKitPaintManager* pPaint = CKitPaintManager::FromPainter(GetPaintManager()))
        pOldFont = dc.SelectObject(pPaint->GetCommandBarFont(this));
    m_rcGroups = CRect(0, 0, rcPopup.Width(), rcPopup.Height());
    CKitRibbonGroups* pGroups = m_pTab->GetGroups();
    pGroups->RepositionGroups(&dc, rcPopup.Width(), CRect(kMarginLeft, kMarginTop, kMarginRight, kMarginBottom));
    // The scroll buttons join the controls the first time the groups do not fit.
    if ((pGroups->IsScrollLeftVisible() || pGroups->IsScrollRightVisible()) && m_pScrollLeft == nullptr)
        InitScrollableBar(this);
    ShowScrollButtons(pGroups->IsScrollLeftVisible(), pGroups->IsScrollRightVisible());
    if (pOldFont != nullptr)
        dc.SelectObject(pOldFont);
    return rcPopup.Size();
}

void CKitRibbonTabPopupToolBar::DrawCommandBar(CDC* pDC, CRect rcClip)
{
    CKitPaintManager* pPainter = CKitPaintManager::FromPainter(GetPaintManager());
    if (pPainter == nullptr)
        pPainter = CKitPaintManager::Instance();
    CKitRibbonPaintManager* pRibbonPainter = pPainter->GetRibbonPaintManager();
    pRibbonPainter->FillTabPopupToolBar(pDC, this);
    pRibbonPainter->FillRibbonGroupsArea(pDC, m_pTab, m_rcGroups);
    pDC->SetBkMode(TRANSPARENT);
    CFont* pOldFont = pDC->SelectObject(pPainter->GetCommandBarFont(this));
    CKitRibbonGroups* pGroups = m_pTab->GetGroups();
    CRect rcIntersect;
    for (int i = 0; i < pGroups->GetCount(); ++i) {
        CKitRibbonGroup* pGroup = pGroups->GetAt(i);
        if (pGroup->IsVisible() && rcIntersect.IntersectRect(rcClip, pGroup->GetRect()))
            pGroup->Draw(pDC, rcClip);
    }
    for (CKitControl* pButton : {static_cast<CKitControl*>(m_pScrollLeft), static_cast<CKitControl*>(m_pScrollRight)})
        if (pButton != nullptr && pButton->IsVisible())
            pButton->Draw(pDC);
    pDC->SelectObject(pOldFont);
}

CKitControl* CKitRibbonTabPopupToolBar::HitTest(CPoint point, int* pIndex) const
{
    return HitTestControls(point, pIndex);
}

void CKitRibbonTabPopupToolBar::OnControlSelected(CKitControl* pControl)
{
    if (pControl->GetRibbonGroup() != nullptr && IsScrollButtonShown())
        EnsureVisible(m_pTab->GetGroups(), pControl->GetRect());
}

INT_PTR CKitRibbonTabPopupToolBar::OnToolHitTest(CPoint point, TOOLINFOA* pTI) const
{
    const INT_PTR nHit = CKitPopupToolBar::OnToolHitTest(point, pTI);
    CKitControl* pControl = nHit != -1 && pTI != nullptr ? HitTest(point) : nullptr;
    if (pControl != nullptr && pControl->GetRibbonGroup() != nullptr)
        pTI->rect = m_rcGroups;
    return nHit;
}

CSize CKitRibbonTabPopupToolBar::GetIconSize() const
{
    return m_pRibbonBar != nullptr ? m_pRibbonBar->GetIconSize() : CKitPopupToolBar::GetIconSize();
}

CSize CKitRibbonTabPopupToolBar::GetButtonSize(BOOL bAutomatic) const
{
    return m_pRibbonBar != nullptr ? m_pRibbonBar->GetButtonSize(bAutomatic)
                                   : CKitPopupToolBar::GetButtonSize(bAutomatic);
}

BOOL CKitRibbonTabPopupToolBar::IsKeyboardCuesVisible() const
{
    return m_pRibbonBar != nullptr ? m_pRibbonBar->IsKeyboardCuesVisible() : CKitPopupToolBar::IsKeyboardCuesVisible();
}

void CKitRibbonTabPopupToolBar::CreateKeyboardTips()
{
    KitRibbonCreateGroupKeyboardTips(this, m_pTab->GetGroups(), m_rcGroups);
}

void CKitRibbonTabPopupToolBar::OnKeyboardTip(CKitCommandBarKeyboardTip* pTip)
{
    auto* pControl = pTip != nullptr ? dynamic_cast<CKitControl*>(pTip->m_pOwner) : nullptr;
    if (pControl == nullptr) {
        CKitPopupToolBar::OnKeyboardTip(pTip);
        return;
    }
    if (!KitRibbonRunTipInGroupPopup(pControl) && pControl->IsVisible())
        pControl->OnKeyboardTip();
}

BOOL CKitRibbonTabPopupToolBar::OnKeyDownBar(int nCode)
{
    if (nCode != kitKeyEscape)
        RecalcKeyboardCues();
    return KitRibbonNavigate(this, nCode) || CKitPopupToolBar::OnKeyDownBar(nCode);
}

void CKitRibbonTabPopupToolBar::OnMouseMoveBar(UINT nFlags, CPoint point)
{
    CKitPopupToolBar::OnMouseMoveBar(nFlags, point);
    TrackHighlightedGroup(point);
}

void CKitRibbonTabPopupToolBar::OnMouseLeaveBar()
{
    CKitPopupToolBar::OnMouseLeaveBar();
    ChangeHighlightedGroup(nullptr);
}

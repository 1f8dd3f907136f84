// The ribbon's caption band on a skinned frame: its caption buttons, the title and the caption hit test.
#include "toolkit/themes/ribbon/ribbon_bar.h"

#include "toolkit/commandbars/controls.h"
#include "toolkit/themes/paint/frame_hook.h"
#include "toolkit/themes/paint/frame_paint_manager.h"
#include "toolkit/themes/ribbon/ribbon_caption_button.h"
#include "toolkit/themes/ribbon/ribbon_control_tab.h"
#include "toolkit/themes/ribbon/ribbon_paint_manager.h"
#include "toolkit/themes/ribbon/ribbon_quick_access.h"
#include "toolkit/themes/ribbon/ribbon_system_button.h"
#include "toolkit/themes/ribbon/ribbon_tab.h"

#include <algorithm>

namespace {
// Room the free part of the caption keeps after the system button, or the window icon without one.
constexpr int kFreeLeftAfterSystemButton = 70;
constexpr int kFreeLeftAfterIcon = 30;
// What the system's own caption buttons take on a composited frame.
constexpr int kCompositedButtonsWidth = 100;
// The band at the top of the caption that sizes the frame.
constexpr int kSizingBand = 5;
} // namespace

CWnd* CKitRibbonBar::GetFrameWindow() const
{
    return m_pFrameHook != nullptr ? m_pFrameHook->GetSite() : GetSite();
}

BOOL CKitRibbonBar::IsFrameMaximized() const
{
    CWnd* pFrame = GetFrameWindow();
    return pFrame != nullptr && pFrame->GetSafeHwnd() != nullptr && (pFrame->GetStyle() & WS_MAXIMIZE) != 0;
}

CKitRibbonTabContextHeader* CKitRibbonBar::HitTestContextHeader(CPoint point) const
{
    for (CKitRibbonTabContextHeader* pHeader : m_arrContextHeaders) {
        if (pHeader->m_rcHeader.PtInRect(point))
            return pHeader;
    }
    return nullptr;
}

int CKitRibbonBar::HitTestCaption(CPoint point) const
{
    if (IsCustomizeMode() || m_pFrameHook == nullptr)
        return 0;
    if (!m_rcCaption.PtInRect(point) || HitTest(point) != nullptr) {
        // A flat frame lets the empty part of the tabs row move the window.
        if (m_bTabsVisible && GetRibbonPaintManager()->IsFlatFrame() && m_rcTabControl.PtInRect(point) &&
            m_pControlTab->HitTest(point) == nullptr && m_pControlTab->HitTestNavigateButton(point, FALSE) == nullptr)
            return HTCAPTION;
        return 0;
    }
    if (HitTestContextHeader(point) != nullptr)
        return 0;
    const DWORD dwStyle = m_pFrameHook->GetStyle();
    if (point.y < m_rcCaption.top + kSizingBand && (dwStyle & WS_THICKFRAME) != 0 && !IsFrameMaximized())
        return HTTOP;
    const BOOL bSystemButtonInTabs = m_pSystemButton != nullptr && m_pSystemButton->GetStyle() != kitButtonAutomatic;
    if ((m_pSystemButton != nullptr && !bSystemButtonInTabs) || point.x >= ::GetSystemMetrics(SM_CXSMICON) + 7 ||
        (dwStyle & WS_SYSMENU) == 0)
        return HTCAPTION;
    return HTSYSMENU;
}

int CKitRibbonBar::PlaceCaptionButton(UINT nCommand, BOOL bWanted, BOOL bEnabled, int nRight, int nSide)
{
    CKitControl* pButton = m_pControls->FindControlById(static_cast<int>(nCommand));
    if (!bWanted) {
        if (pButton != nullptr)
            m_pControls->Remove(pButton);
        return nRight;
    }
    if (pButton == nullptr) {
        pButton = m_pControls->Add(new CKitRibbonBarControlCaptionButton(m_pFrameHook), nCommand, nullptr, -1, TRUE);
        // The caption is the system menu's, without its shortcut.
        HMENU hSystemMenu = ::GetSystemMenu(m_pFrameHook->GetSafeHwnd(), FALSE);
        char szText[256] = {};
        if (hSystemMenu != nullptr && ::GetMenuStringA(hSystemMenu, nCommand, szText, sizeof(szText), MF_BYCOMMAND) > 0) {
            CString strCaption(szText);
            const int nTab = strCaption.Find('\t');
            pButton->SetCaption(nTab >= 0 ? strCaption.Left(nTab) : strCaption);
        }
    }
    pButton->SetEnabled(bEnabled);
    pButton->SetHidden(kitHideUser, FALSE);
    pButton->SetRect(CRect(nRight - nSide, m_rcCaptionFree.top, nRight, m_rcCaptionFree.top + nSide));
    return nRight - nSide;
}

void CKitRibbonBar::RemoveCaptionButtons()
{
    for (UINT nCommand : {SC_CLOSE, SC_RESTORE, SC_MAXIMIZE, SC_MINIMIZE})
        PlaceCaptionButton(nCommand, FALSE, FALSE, 0, 0);
}

void CKitRibbonBar::RepositionCaptionButtons(CDC* pDC)
{
    const BOOL bQuickAccessAbove = m_bQuickAccessVisible && !m_bQuickAccessBelow;
    CRect rcAvoid = m_rcQuickAccess;
    if (bQuickAccessAbove) {
        m_rcCaptionFree.left = m_rcQuickAccess.right +
                               (m_pQuickAccessPopup->IsVisible() ? m_pQuickAccessPopup->GetRect().Width() + 2 : 12);
    } else {
        m_rcCaptionFree.left += m_pSystemButton != nullptr ? kFreeLeftAfterSystemButton : kFreeLeftAfterIcon;
        rcAvoid = m_pSystemButton != nullptr ? m_pSystemButton->GetRect() : CRect();
    }
    const BOOL bComposited = IsDwmEnabled();
    if (bComposited)
        m_rcCaptionFree.top += m_pFrameHook->GetBorderWidth();
    m_rcCaptionFree.bottom -= 3;

    const DWORD dwStyle = m_pFrameHook->GetStyle();
    const DWORD dwExStyle = m_pFrameHook->GetStyle(TRUE);
    const BOOL bSystemMenu = (dwStyle & WS_SYSMENU) != 0;
    BOOL bMinMax = (dwExStyle & WS_EX_TOOLWINDOW) == 0 && bSystemMenu &&
                   (dwStyle & (WS_MAXIMIZEBOX | WS_MINIMIZEBOX)) != 0;
    BOOL bClose = bSystemMenu;
    BOOL bCloseEnabled = TRUE;
    if (HMENU hSystemMenu = bSystemMenu ? ::GetSystemMenu(m_pFrameHook->GetSafeHwnd(), FALSE) : nullptr) {
        const UINT nState = ::GetMenuState(hSystemMenu, SC_CLOSE, MF_BYCOMMAND);
        bCloseEnabled = nState == static_cast<UINT>(-1) || (nState & (MF_GRAYED | MF_DISABLED)) == 0;
    }
    const BOOL bMaximized = (dwStyle & WS_MAXIMIZE) != 0;
    // A maximised child shows its buttons in the menu bar.
    if (bMaximized && (dwStyle & WS_CHILD) != 0)
        bMinMax = bClose = FALSE;

    const int nFreeRight = m_rcCaptionFree.right;
    if (bComposited) {
        RemoveCaptionButtons();
        m_rcCaptionFree.right -= kCompositedButtonsWidth;
    } else {
        const int nSide = m_rcCaptionFree.Height();
        int nRight = m_rcCaptionFree.right;
        nRight = PlaceCaptionButton(SC_CLOSE, bClose, bCloseEnabled, nRight, nSide);
        nRight = PlaceCaptionButton(SC_RESTORE, bMinMax && bMaximized, (dwStyle & WS_MAXIMIZEBOX) != 0, nRight, nSide);
        nRight = PlaceCaptionButton(SC_MAXIMIZE, bMinMax && !bMaximized, (dwStyle & WS_MAXIMIZEBOX) != 0, nRight,
                                    nSide);
        nRight = PlaceCaptionButton(SC_MINIMIZE, bMinMax, (dwStyle & WS_MINIMIZEBOX) != 0, nRight, nSide);
        m_rcCaptionFree.right = nRight;
    }
    // The title is centred as if the buttons stood on both sides.
    m_rcTitle.SetRect(nFreeRight - m_rcCaptionFree.right, m_rcCaptionFree.top, m_rcCaptionFree.right,
                      m_rcCaptionFree.bottom);

    CWnd* pFrame = m_pFrameHook->GetSite();
    m_strTitleText.Empty();
    if (pFrame != nullptr && pFrame->GetSafeHwnd() != nullptr)
        pFrame->GetWindowText(m_strTitleText);
    CSize szText(0, 0);
    if (CKitFramePaintManager* pFramePainter = m_pFrameHook->GetFramePaintManager()) {
        CFont* pOldFont = pDC->SelectObject(pFramePainter->GetCaptionFont());
        szText = pDC->GetTextExtent(m_strTitleText);
        pDC->SelectObject(pOldFont);
    }
    const int nWidth = std::max(0, std::min<int>(szText.cx + 20, m_rcTitle.Width()));
    int nLeft = std::max<int>(m_rcTitle.left + (m_rcTitle.Width() - nWidth) / 2, m_rcCaptionFree.left);
    CRect rcOverlap;
    if (!rcAvoid.IsRectEmpty() &&
        rcOverlap.IntersectRect(CRect(nLeft, m_rcTitle.top, nLeft + nWidth, m_rcTitle.bottom), rcAvoid))
        nLeft = m_rcCaptionFree.left + (m_rcCaptionFree.Width() - nWidth) / 2;
    m_rcTitle.left = nLeft;
    m_rcTitle.right = std::min<int>(nLeft + nWidth, m_rcCaptionFree.right);
}

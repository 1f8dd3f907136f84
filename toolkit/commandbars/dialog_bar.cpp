#include "toolkit/commandbars/dialog_bar.h"

#include "framework/gdi.h"
#include "toolkit/commandbars/command_bar_manager.h"
#include "toolkit/commandbars/controls.h"
#include "toolkit/commandbars/dock_bar.h"
#include "toolkit/common/color_manager.h"
#include "toolkit/common/upper_services.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CKitDialogBar, CKitToolBar)
IMPLEMENT_DYNCREATE(CKitDialogBar::CControlButtonHide, CKitControlButtonHide)
IMPLEMENT_DYNCREATE(CKitDialogBar::CControlCaptionPopup, CKitControlPopup)
IMPLEMENT_DYNCREATE(CKitDialogBar::CCaptionPopupBar, CKitPopupBar)

namespace {
// The glyph of the hide button in the symbol font.
constexpr char kHideGlyph[] = "r";
// The caption text's insets: left, and right with and without the popup.
constexpr int kCaptionTextLeft = 2;
constexpr int kCaptionTextRightPopup = 15;
constexpr int kCaptionTextRight = 2;

BOOL IsSizingHit(int nHitTest)
{
    return nHitTest >= HTLEFT && nHitTest <= HTBOTTOMRIGHT;
}
} // namespace

BEGIN_MESSAGE_MAP(CKitDialogBar, CKitToolBar)
    ON_MESSAGE(WM_NCHITTEST, &CKitDialogBar::OnNcHitTestDialogBar)
    ON_MESSAGE(WM_NCLBUTTONDOWN, &CKitDialogBar::OnNcLButtonDownDialogBar)
    ON_WM_SIZE()
    ON_WM_SETCURSOR()
END_MESSAGE_MAP()

CKitDialogBar::CKitDialogBar() : m_pCaptionPopupBar(new CCaptionPopupBar())
{
    // The caption reads across whatever the docking.
    m_nTextOrientation = kitTextOrientationHorizontal;
}

CKitDialogBar::~CKitDialogBar()
{
    m_pCaptionPopupBar->InternalRelease();
}

CKitPopupBar* CKitDialogBar::GetCaptionPopupBar() const
{
    return m_pCaptionPopupBar;
}

void CKitDialogBar::SetChild(CWnd* pChild)
{
    m_pChild = pChild;
    if (pChild == nullptr || pChild->GetSafeHwnd() == nullptr || GetSafeHwnd() == nullptr)
        return;
    if (::GetParent(pChild->GetSafeHwnd()) != m_hWnd)
        ::SetParent(pChild->GetSafeHwnd(), m_hWnd);
    PlaceChild();
}

void CKitDialogBar::SetCaption(LPCSTR lpszCaption)
{
    m_strCaption = lpszCaption;
    DelayLayout();
    Redraw();
}

void CKitDialogBar::SetCaptionVisible(BOOL bVisible)
{
    m_bCaptionVisible = bVisible;
    DelayLayout();
}

int CKitDialogBar::MeasureCaption()
{
    CKitBarPainter* pPainter = GetPaintManager();
    if (pPainter == nullptr)
        return 0;
    CClientDC dc(GetSafeHwnd() != nullptr ? this : nullptr);
    CFont* pOldFont = dc.SelectObject(pPainter->GetCommandBarFont(this));
    const int nHeight = pPainter->DrawFloatingBarCaption(&dc, this, FALSE).cy;
    dc.SelectObject(pOldFont);
    return nHeight;
}

CRect CKitDialogBar::GetClientMargins()
{
    CRect rc = m_rcMargins;
    if (m_bCaptionVisible)
        rc.top += MeasureCaption();
    return rc;
}

CSize CKitDialogBar::CalcBarSize(int nLength, DWORD dwMode, int cxClient, int cyClient)
{
    CSize sz(cxClient + m_rcMargins.left + m_rcMargins.right, cyClient + m_rcMargins.top + m_rcMargins.bottom);
    auto stretch = [&] {
        if ((dwMode & LM_STRETCH) == 0)
            return;
        if ((dwMode & LM_VERTDOCK) != 0)
            sz.cy = std::max<int>(sz.cy, nLength);
        else
            sz.cx = std::max<int>(sz.cx, nLength);
    };
    CKitControl* pHide = m_pControls->FindControlById(kitIdDialogBarHide);
    auto* pCaption = static_cast<CControlCaptionPopup*>(m_pControls->FindControlById(kitIdDialogBarCaption));
    if (!m_bCaptionVisible) {
        m_nCaptionHeight = 0;
        // Controls of an earlier caption would still be drawn and clicked.
        ShowOwnButton(pHide, FALSE);
        ShowOwnButton(pCaption, FALSE);
        stretch();
        return sz;
    }
    const int nCaption = MeasureCaption();
    m_nCaptionHeight = nCaption + m_rcMargins.top;
    sz.cy += nCaption;
    stretch();
    if ((dwMode & LM_HORZ) != 0)
        sz.cx = std::min<int>(sz.cx, nLength);
    else
        sz.cy = std::min<int>(sz.cy, nLength);

    const int nTop = m_rcMargins.top + nCaption / 2 - kCaptionControlSize / 2;
    int nRight = sz.cx - m_rcMargins.right;
    if (pHide == nullptr && m_bCloseable) {
        pHide = new CControlButtonHide();
        pHide->SetTemporary(TRUE);
        m_pControls->AddControl(pHide);
        pHide->SetCaption("");
    }
    if (m_bCloseable) {
        ShowOwnButton(pHide, TRUE);
        pHide->SetRect(CRect(nRight - kCaptionControlSize, nTop, nRight, nTop + kCaptionControlSize));
        nRight -= kCaptionControlSize;
    } else {
        ShowOwnButton(pHide, FALSE);
    }
    if (pCaption == nullptr) {
        pCaption = new CControlCaptionPopup();
        pCaption->SetTemporary(TRUE);
        m_pControls->AddControl(pCaption);
        m_pCaptionPopupBar->InternalAddRef();
        pCaption->SetCommandBar(m_pCaptionPopupBar);
    }
    ShowOwnButton(pCaption, TRUE);
    pCaption->SetPopupEnabled(m_bCaptionPopup && m_pCaptionPopupBar->GetControlCount() > 0);
    pCaption->SetRect(CRect(m_rcMargins.left, nTop, std::max<int>(nRight, m_rcMargins.left), nTop + kCaptionControlSize));
    CString strCaption = m_strCaption;
    if (strCaption.IsEmpty()) {
        if (GetSafeHwnd() != nullptr)
            GetWindowText(strCaption);
        else
            strCaption = m_strTitle;
    }
    pCaption->SetCaption(strCaption);
    return sz;
}

CSize CKitDialogBar::CalcDynamicLayout(int /*nLength*/, DWORD dwMode)
{
    return CalcBarSize(kFloatingLength, dwMode, m_szFloatingClient.cx, m_szFloatingClient.cy);
}

CSize CKitDialogBar::CalcDockLayout(int nLength, DWORD dwMode)
{
    return CalcBarSize(nLength, dwMode, m_szDockedClient.cx, m_szDockedClient.cy);
}

void CKitDialogBar::OnRecalcLayout()
{
    if (GetSafeHwnd() == nullptr)
        return;
    if (IsFloating() || m_pDockBar != nullptr) {
        CKitToolBar::OnRecalcLayout();
        return;
    }
    // A bar placed by its parent without dock bars keeps the parent's width.
    CRect rcClient;
    GetClientRect(&rcClient);
    CalcBarSize(rcClient.Width(), LM_HORZ | LM_HORZDOCK | LM_COMMIT, m_szDockedClient.cx, m_szDockedClient.cy);
    Redraw();
}

int CKitDialogBar::HitTestCaption(CPoint point) const
{
    return point.y >= 0 && point.y < m_nCaptionHeight ? 1 : -2;
}

BOOL CKitDialogBar::IsDragPoint(CPoint point) const
{
    if (HitTestCaption(point) != 1)
        return FALSE;
    CKitControl* pControl = HitTest(point);
    if (pControl == nullptr)
        return TRUE;
    auto* pCaption = DYNAMIC_DOWNCAST(CControlCaptionPopup, pControl);
    return pCaption != nullptr && !pCaption->IsPopupEnabled();
}

void CKitDialogBar::ApplyFreeResize(const CRect& rcWindow, int nHitTest)
{
    if (rcWindow.Width() < m_szMinClient.cx || rcWindow.Height() < m_szMinClient.cy)
        return;
    const CRect rcMargins = GetClientMargins();
    const CSize szClient(rcWindow.Width() - rcMargins.left - rcMargins.right,
                         rcWindow.Height() - rcMargins.top - rcMargins.bottom);
    if (IsFloating()) {
        m_szFloatingClient = szClient;
        CalcDynamicLayout(kFloatingLength, LM_HORZ | LM_COMMIT);
        SetWindowPos(nullptr, rcWindow.left, rcWindow.top, rcWindow.Width(), rcWindow.Height(),
                     SWP_NOZORDER | SWP_NOACTIVATE);
        Redraw();
        return;
    }
    if (nHitTest == HTLEFT || nHitTest == HTRIGHT)
        m_szDockedClient.cx = szClient.cx;
    else
        m_szDockedClient.cy = szClient.cy;
    UpdateLocation();
}

void CKitDialogBar::OnIdleUpdateCmdUI()
{
    BOOL bActive = FALSE;
    const HWND hFocus = ::GetFocus();
    if (hFocus != nullptr && GetSafeHwnd() != nullptr) {
        auto isWithin = [this](HWND hWnd) { return hWnd == m_hWnd || ::IsChild(m_hWnd, hWnd); };
        HWND hOwner = ::GetWindow(hFocus, GW_OWNER);
        if (hOwner == nullptr)
            hOwner = ::GetParent(hFocus);
        bActive = isWithin(hFocus) || (hOwner != nullptr && isWithin(hOwner));
    }
    if (bActive != m_bActive) {
        m_bActive = bActive;
        Redraw();
    }
    CKitToolBar::OnIdleUpdateCmdUI();
}

void CKitDialogBar::PlaceChild()
{
    if (m_pChild == nullptr || m_pChild->GetSafeHwnd() == nullptr || GetSafeHwnd() == nullptr)
        return;
    const CRect rcMargins = GetClientMargins();
    CRect rc;
    GetClientRect(&rc);
    m_pChild->SetWindowPos(nullptr, rcMargins.left, rcMargins.top,
                           std::max<int>(0, rc.Width() - rcMargins.left - rcMargins.right),
                           std::max<int>(0, rc.Height() - rcMargins.top - rcMargins.bottom),
                           SWP_NOZORDER | SWP_NOACTIVATE);
    m_pChild->InvalidateRect(nullptr, FALSE);
}

LRESULT CKitDialogBar::OnNcHitTestDialogBar(WPARAM /*wParam*/, LPARAM lParam)
{
    if (!m_bResizable)
        return Default();
    const CPoint point = CPoint(lParam);
    CRect rc;
    GetWindowRect(&rc);
    rc.DeflateRect(kSizingBorder, kSizingBorder);
    const bool bAbove = point.y < rc.top;
    const bool bBelow = point.y >= rc.bottom;
    const bool bLeft = point.x < rc.left;
    const bool bRight = point.x >= rc.right;
    if (IsFloating()) {
        if (bAbove)
            return bLeft ? HTTOPLEFT : bRight ? HTTOPRIGHT : HTTOP;
        if (bBelow)
            return bLeft ? HTBOTTOMLEFT : bRight ? HTBOTTOMRIGHT : HTBOTTOM;
        if (bLeft)
            return HTLEFT;
        if (bRight)
            return HTRIGHT;
        return Default();
    }
    const bool bFullRow = (m_dwFlags & kitDockFullRow) != 0;
    const bool bVerticalEdge = IsVerticalBarPosition(m_nBarPosition) != FALSE;
    if (m_nBarPosition == kitBarBottom) {
        if (bAbove)
            return HTTOP;
    } else if (bBelow && !(bFullRow && bVerticalEdge)) {
        return HTBOTTOM;
    }
    if (m_nBarPosition == kitBarRight) {
        if (bLeft)
            return HTLEFT;
    } else if (bRight && !(bFullRow && !bVerticalEdge)) {
        return HTRIGHT;
    }
    return Default();
}

LRESULT CKitDialogBar::OnNcLButtonDownDialogBar(WPARAM wParam, LPARAM lParam)
{
    // The toolbar sizes only floating bars; a docked dialog bar sizes by its borders too.
    if (!IsFloating() && IsSizingHit(static_cast<int>(wParam)) && m_pDockContext != nullptr) {
        if (CKitCommandBarManager* pCommandBars = GetCommandBars())
            pCommandBars->ClosePopups();
        m_pDockContext->StartResize(static_cast<int>(wParam), CPoint(lParam));
        return 0;
    }
    return OnNcLButtonDownMessage(wParam, lParam);
}

BOOL CKitDialogBar::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    // The hosted window keeps its own cursor; the toolbar's gripper cursor is for the bar's own area.
    if (pWnd != this)
        return CWnd::OnSetCursor(pWnd, nHitTest, message);
    return CKitToolBar::OnSetCursor(pWnd, nHitTest, message);
}

void CKitDialogBar::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    PlaceChild();
}

// CKitDialogBar::CControlButtonHide

CKitDialogBar::CControlButtonHide::CControlButtonHide()
{
    SetParameter(kHideGlyph);
}

void CKitDialogBar::CControlButtonHide::Draw(CDC* pDC)
{
    // The glyph on the control's face, as the paint manager draws a frame button.
    if (CKitBarPainter* pPainter = GetPaintManager())
        pPainter->DrawControlMDIButton(pDC, this);
}

// CKitDialogBar::CControlCaptionPopup

CKitDialogBar::CControlCaptionPopup::CControlCaptionPopup()
{
    SetId(kitIdDialogBarCaption);
}

void CKitDialogBar::CControlCaptionPopup::Draw(CDC* pDC)
{
    CKitBarPainter* pPainter = GetPaintManager();
    if (pPainter == nullptr || m_pParent == nullptr)
        return;
    CFont* pOldFont = pDC->SelectObject(pPainter->GetCommandBarFont(m_pParent));
    if (m_bPopupEnabled) {
        pPainter->DrawControlEntry(pDC, this);
        pDC->SetTextColor(pPainter->GetControlTextColor(this));
    } else {
        pDC->SetTextColor(CKitColorManager::Instance()->GetColor(COLOR_BTNTEXT));
    }
    pDC->SetBkMode(TRANSPARENT);
    CRect rc = GetRect();
    rc.left += kCaptionTextLeft;
    rc.right -= m_bPopupEnabled ? kCaptionTextRightPopup : kCaptionTextRight;
    const CString strCaption = GetCaption();
    pDC->DrawText(strCaption, rc, DT_VCENTER | DT_SINGLELINE);
    pDC->SelectObject(pOldFont);
}

BOOL CKitDialogBar::CControlCaptionPopup::SetPopup(BOOL bPopup)
{
    if (bPopup && !m_bPopupEnabled)
        return FALSE;
    return CKitControlPopup::SetPopup(bPopup);
}

void CKitDialogBar::CControlCaptionPopup::AdjustExcludeRect(CRect& rc, BOOL /*bVertical*/)
{
    CKitControlPopup::AdjustExcludeRect(rc, FALSE);
}

// CKitDialogBar::CCaptionPopupBar

CKitDialogBar::CCaptionPopupBar::CCaptionPopupBar()
{
    m_dwPopupFlags = kitPopupDown;
}

void CKitDialogBar::CCaptionPopupBar::UpdateExcludeRect()
{
    CKitPopupBar::UpdateExcludeRect();
    m_ptPopup = CPoint(m_rcExclude.left, m_rcExclude.bottom);
    m_dwPopupFlags = kitPopupDown | kitPopupLeft;
}

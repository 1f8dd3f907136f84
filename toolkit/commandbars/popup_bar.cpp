// CKitPopupBar: the drop-down window a popup control opens.
#include "framework/gdi.h"
#include "toolkit/commandbars/command_bar.h"
#include "toolkit/commandbars/control.h"
#include "toolkit/commandbars/controls.h"
#include "toolkit/common/upper_services.h"

#include <algorithm>

namespace {

constexpr char kPopupBarClass[] = "KitPopupBar";

// The screen rectangle of the popup: below a control of a horizontal bar, beside it otherwise,
// kept inside the work area.
CRect PlacePopup(const CRect& rcExclude, CSize size, BOOL bBeside)
{
    CRect rcWork;
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &rcWork, 0);
    CPoint pt = bBeside ? CPoint(rcExclude.right, rcExclude.top) : CPoint(rcExclude.left, rcExclude.bottom);
    if (bBeside && pt.x + size.cx > rcWork.right)
        pt.x = rcExclude.left - size.cx;
    if (!bBeside && pt.y + size.cy > rcWork.bottom)
        pt.y = rcExclude.top - size.cy;
    pt.x = std::max<int>(rcWork.left, std::min<int>(pt.x, rcWork.right - size.cx));
    pt.y = std::max<int>(rcWork.top, std::min<int>(pt.y, rcWork.bottom - size.cy));
    return CRect(pt, size);
}

} // namespace

BOOL CKitPopupBar::Popup(CKitControlPopup* pControl, BOOL bSelectFirst)
{
    m_pControlPopup = pControl;
    CKitCommandBar* pParent = pControl != nullptr ? pControl->GetParent() : nullptr;
    if (pParent == nullptr || pParent->GetSafeHwnd() == nullptr)
        return FALSE;
    CKitBarPainter* pPainter = GetPaintManager();
    if (GetSafeHwnd() == nullptr) {
        CWnd* pSite = GetSite();
        if (!CreateEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, KitRegisterBarClass(kPopupBarClass, CS_DBLCLKS | CS_SAVEBITS), m_strTitle,
                      WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, CRect(0, 0, 0, 0), pSite, 0))
            return FALSE;
    }

    // Placeholders expand into their items first; items they insert follow them.
    for (int i = 0; i < GetControlCount(); i++)
        GetControl(i)->OnBeforePopup();

    CClientDC dc(this);
    CFont* pOldFont = pPainter != nullptr ? dc.SelectObject(pPainter->GetCommandBarFont(this)) : nullptr;
    CRect rcWork;
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &rcWork, 0);
    KitPopupLayoutMetrics metrics;
    metrics.rcBorders = GetBorders();
    metrics.nWorkAreaRight = rcWork.right;
    CKitControl* pFirst = GetControl(0);
    if (pPainter != nullptr && pFirst != nullptr) {
        const CSize szSeparator = pPainter->DrawCommandBarSeparator(&dc, this, pFirst, FALSE);
        metrics.nSeparatorHeight = szSeparator.cy;
        metrics.nSeparatorWidth = szSeparator.cx;
    }
    const CSize size = m_pControls->CalcPopupSize(&dc, rcWork.Height(), metrics);
    if (pOldFont != nullptr)
        dc.SelectObject(pOldFont);

    CRect rcExclude = pControl->GetRect();
    const BOOL bBeside = IsVerticalLayoutPosition(pParent->GetPosition());
    pControl->AdjustExcludeRect(rcExclude, bBeside);
    pParent->ClientToScreen(&rcExclude);
    const CRect rcPopup = PlacePopup(rcExclude, size, bBeside);
    ::SetWindowPos(m_hWnd, HWND_TOPMOST, rcPopup.left, rcPopup.top, rcPopup.Width(), rcPopup.Height(),
                   SWP_NOACTIVATE | SWP_SHOWWINDOW);
    SetTrackingMode(1, bSelectFirst, bSelectFirst);
    return GetSafeHwnd() != nullptr;
}

BOOL CKitPopupBar::SetTrackingMode(int nMode, BOOL bSelectFirst, BOOL bKeyboard)
{
    if (!CKitCommandBar::SetTrackingMode(nMode, bSelectFirst, bKeyboard))
        return FALSE;
    if (nMode == 0) {
        if (GetSafeHwnd() != nullptr)
            DestroyWindow();
        if (CKitCommandBar* pParent = GetParentCommandBar())
            pParent->OpenPopupAt(-1);
    }
    return TRUE;
}

CKitCommandBar* CKitPopupBar::GetParentCommandBar() const
{
    return m_pControlPopup != nullptr ? m_pControlPopup->GetParent() : nullptr;
}

BOOL CKitPopupBar::IsVisible() const
{
    return GetSafeHwnd() != nullptr && ::IsWindowVisible(GetSafeHwnd());
}

void CKitPopupBar::ExpandBar()
{
    for (int i = 0; i < GetControlCount(); ++i) {
        CKitControl* pControl = GetControl(i);
        pControl->SetHideFlags(pControl->GetHideFlags() & ~kitHideGeneric);
    }
    DelayLayout();
}

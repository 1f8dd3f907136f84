#include "toolkit/commandbars/toolbar.h"

#include "framework/gdi.h"
#include "framework/ids.h"
#include "toolkit/commandbars/command_bar_manager.h"
#include "toolkit/commandbars/controls.h"
#include "toolkit/commandbars/dock_bar.h"
#include "toolkit/commandbars/menu_bar.h"
#include "toolkit/commandbars/popup_bar.h"
#include "toolkit/common/draw_helpers.h"
#include "toolkit/common/resources.h"
#include "toolkit/common/toolkit_ids.h"
#include "toolkit/common/upper_services.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CKitToolBar, CKitCommandBar)
IMPLEMENT_DYNCREATE(CKitControlButtonExpand, CKitControlPopup)
IMPLEMENT_DYNCREATE(CKitControlToggleButton, CKitControlButton)
IMPLEMENT_DYNCREATE(CKitControlButtonHide, CKitControlButton)
IMPLEMENT_DYNCREATE(CKitControlToolbarItem, CKitControlButton)

namespace {
// The border of a floating bar's window on every side.
constexpr int kFloatingBorder = 3;
// The site message a bar sends when it is shown or hidden (lParam the visibility).
constexpr UINT WM_KIT_TOOLBAR_VISIBLE = 0x2855;
// Hit codes of a floating bar's sizing borders.
constexpr int kFirstSizingHit = HTLEFT;
constexpr int kLastSizingHit = HTBOTTOMRIGHT;
// The screen point of a non-client mouse message.
CPoint PointFromLParam(LPARAM lParam)
{
    return CPoint(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
}

// The controls a toolbar lays out: not its own caption and expand buttons.
BOOL IsOwnButton(const CKitControl* pControl)
{
    return pControl->GetId() == kitIdToolbarExpand || pControl->GetId() == kitIdToolbarClose;
}

// Lays the visible controls out inside the borders: in rows that wrap at the length, or
// (bLine) in one line where the controls past the length are hidden for lack of room.
// Returns the size; *pHidden tells whether a control was hidden.
CSize LayoutControls(CKitToolBar* pBar, const CRect& rcBorders, int nLength, BOOL bVertical, BOOL bLine,
                     BOOL* pHidden)
{
    *pHidden = FALSE;
    CKitBarPainter* pPainter = pBar->GetPaintManager();
    if (pPainter == nullptr)
        return CSize(0, 0);
    CClientDC dc(pBar->GetSafeHwnd() != nullptr ? pBar : nullptr);
    CFont* pOldFont = dc.SelectObject(pPainter->GetCommandBarFont(pBar));
    const int nStart = bVertical ? rcBorders.top : rcBorders.left;
    const int nCrossStart = bVertical ? rcBorders.left : rcBorders.top;
    const int nEnd = std::max<int>(nLength - (bVertical ? rcBorders.bottom : rcBorders.right), nStart + 1);

    int nPos = nStart;
    int nCross = nCrossStart;
    int nLineThickness = 0;
    int nLineStart = 0;
    int nMaxPos = nStart;
    BOOL bFirst = TRUE;
    BOOL bOverflow = FALSE;
    // A line's controls share its thickness.
    auto closeLine = [&](int nLast) {
        for (int i = nLineStart; i < nLast; i++) {
            CKitControl* pControl = pBar->GetControl(i);
            if (IsOwnButton(pControl) || !pControl->IsVisible())
                continue;
            CRect rc = pControl->GetRect();
            if ((pControl->GetFlags() & kitFlagRightAlign) != 0)
                continue;
            if (bVertical)
                rc.right = rc.left + nLineThickness;
            else
                rc.bottom = rc.top + nLineThickness;
            pControl->SetRect(rc);
            pControl->SetRowRect(bVertical ? CRect(nCross, nStart, nCross + nLineThickness, nEnd)
                                           : CRect(nStart, nCross, nEnd, nCross + nLineThickness));
        }
    };
    for (int i = 0; i < pBar->GetControlCount(); i++) {
        CKitControl* pControl = pBar->GetControl(i);
        if (IsOwnButton(pControl))
            continue;
        pControl->SetWrap(FALSE);
        pControl->SetHideFlags(pControl->GetHideFlags() & ~kitHideWrap);
        if (!pControl->IsVisible()) {
            pControl->SetRect(CRect(0, 0, 0, 0));
            continue;
        }
        CSize sz = pControl->GetSize(&dc);
        if (!pControl->IsKindOf(RUNTIME_CLASS(CKitControlMDIButton)))
            sz.cy = std::max(static_cast<int>(sz.cy), pPainter->GetControlHeight());
        const int nAlong = bVertical ? sz.cy : sz.cx;
        const int nAcross = bVertical ? sz.cx : sz.cy;
        const int nSeparator =
            pControl->GetBeginGroup() && !bFirst ? pPainter->DrawCommandBarSeparator(&dc, pBar, pControl, FALSE).cx : 0;
        if (!bFirst && (bOverflow || nPos + nSeparator + nAlong > nEnd)) {
            if (bLine) {
                bOverflow = TRUE;
                *pHidden = TRUE;
                pControl->SetHideFlags(pControl->GetHideFlags() | kitHideWrap);
                pControl->SetRect(CRect(0, 0, 0, 0));
                continue;
            }
            closeLine(i);
            nLineStart = i;
            nCross += nLineThickness;
            nPos = nStart;
            nLineThickness = 0;
            pControl->SetWrap(TRUE);
        } else {
            nPos += nSeparator;
        }
        pControl->SetRect(bVertical ? CRect(nCross, nPos, nCross + nAcross, nPos + nAlong)
                                    : CRect(nPos, nCross, nPos + nAlong, nCross + nAcross));
        nPos += nAlong;
        nMaxPos = std::max(nMaxPos, nPos);
        nLineThickness = std::max(nLineThickness, nAcross);
        bFirst = FALSE;
    }
    if (nLineThickness == 0)
        nLineThickness = pPainter->GetControlHeight();
    // Right-aligned controls at the end of a line move to its end, centred across it.
    if (bLine && !bVertical) {
        int nShift = 0;
        for (int i = pBar->GetControlCount() - 1; i >= 0; i--) {
            CKitControl* pControl = pBar->GetControl(i);
            if (IsOwnButton(pControl) || !pControl->IsVisible())
                continue;
            if ((pControl->GetFlags() & kitFlagRightAlign) == 0)
                break;
            if (nShift == 0)
                nShift = std::max(0, nEnd - static_cast<int>(pControl->GetRect().right));
            CRect rc = pControl->GetRect();
            rc.OffsetRect(nShift, (nLineThickness - rc.Height()) / 2);
            pControl->SetRect(rc);
            nMaxPos = std::max(nMaxPos, static_cast<int>(rc.right));
        }
    }
    closeLine(pBar->GetControlCount());
    dc.SelectObject(pOldFont);
    const int nAlongSize = nMaxPos + (bVertical ? rcBorders.bottom : rcBorders.right);
    const int nAcrossSize = nCross + nLineThickness + (bVertical ? rcBorders.right : rcBorders.bottom);
    return bVertical ? CSize(nAcrossSize, nAlongSize) : CSize(nAlongSize, nAcrossSize);
}

} // namespace

void CKitToolBar::ShowOwnButton(CKitControl* pControl, BOOL bShow)
{
    if (pControl == nullptr)
        return;
    const DWORD dwFlags = pControl->GetHideFlags();
    pControl->SetHideFlags(bShow ? dwFlags & ~kitHideGeneric : dwFlags | kitHideGeneric);
}

BEGIN_MESSAGE_MAP(CKitToolBar, CKitCommandBar)
    AFX_WM_ENTRY(WM_LBUTTONDOWN, AfxSig::v_mouse, void (CWnd::*)(UINT, CPoint), OnLButtonDownBar)
    AFX_WM_ENTRY(WM_LBUTTONDBLCLK, AfxSig::v_mouse, void (CWnd::*)(UINT, CPoint), OnLButtonDblClkBar)
    AFX_WM_ENTRY(WM_RBUTTONDOWN, AfxSig::v_mouse, void (CWnd::*)(UINT, CPoint), OnRButtonDownBar)
    ON_MESSAGE(WM_NCHITTEST, &CKitToolBar::OnNcHitTestMessage)
    ON_MESSAGE(WM_NCLBUTTONDOWN, &CKitToolBar::OnNcLButtonDownMessage)
    ON_WM_SETCURSOR()
    ON_MESSAGE(WM_MOUSEACTIVATE, &CKitToolBar::OnMouseActivateMessage)
    ON_MESSAGE(WM_CLOSE, &CKitToolBar::OnCloseMessage)
    ON_MESSAGE(WM_SIZEPARENT, &CKitToolBar::OnSizeParentMessage)
    ON_MESSAGE(WM_NCCREATE, &CKitToolBar::OnNcCreateSynchronized)
    ON_MESSAGE(WM_NCACTIVATE, &CKitToolBar::OnNcActivateMessage)
    ON_MESSAGE(WM_FLOATSTATUS, &CKitToolBar::OnFloatStatusMessage)
END_MESSAGE_MAP()

CKitToolBar::CKitToolBar() : CKitToolBar(kitBarTypeNormal)
{
}

CKitToolBar::CKitToolBar(int nBarType) : CKitCommandBar(nBarType), m_pDockContext(new CKitDockContext(this))
{
}

CKitToolBar::~CKitToolBar()
{
    delete m_pDockContext;
}

int CKitToolBar::GetShowTextBelowIcons() const
{
    if (m_nShowTextBelowIcons != 2)
        return m_nShowTextBelowIcons;
    CKitCommandBarManager* pCommandBars = GetCommandBars();
    return pCommandBars != nullptr ? pCommandBars->GetCommandBarsOptions()->bShowTextBelowIcons : FALSE;
}

void CKitToolBar::SetVisible(BOOL bVisible)
{
    bVisible = bVisible ? TRUE : FALSE;
    if (m_bVisible == bVisible && (GetSafeHwnd() == nullptr || (IsWindowVisible() != FALSE) == (bVisible != FALSE)))
        return;
    m_bVisible = bVisible;
    m_bHiddenWithFrame = FALSE;
    if (!bVisible)
        LeaveTrackingMode();
    if (GetSafeHwnd() != nullptr)
        ShowWindow(bVisible ? SW_SHOWNA : SW_HIDE);
    CKitCommandBarManager* pCommandBars = GetCommandBars();
    if (bVisible) {
        UpdateLocation();
    } else if (m_nBarPosition <= kitBarRight) {
        RecalcSiteLayout();
    }
    if (pCommandBars == nullptr)
        return;
    if (CWnd* pSite = pCommandBars->GetSite(); pSite != nullptr && pSite->GetSafeHwnd() != nullptr)
        pSite->SendMessage(WM_KIT_TOOLBAR_VISIBLE, reinterpret_cast<WPARAM>(this), bVisible);
    pCommandBars->SetLayoutChanged();
    if (!bVisible && m_bTearOff)
        pCommandBars->Remove(this);
}

BOOL CKitToolBar::IsVisible() const
{
    // A floating bar hidden with its inactive frame still counts as shown.
    return GetSafeHwnd() != nullptr && m_bVisible && ((GetStyle() & WS_VISIBLE) != 0 || m_bHiddenWithFrame);
}

BOOL CKitToolBar::SetPosition(int nPosition)
{
    CKitCommandBarManager* pCommandBars = GetCommandBars();
    if (GetSafeHwnd() == nullptr || pCommandBars == nullptr || pCommandBars->GetDockBar(kitBarTop) == nullptr) {
        CKitCommandBar::SetPosition(nPosition);
        return pCommandBars != nullptr && nPosition >= kitBarTop && nPosition <= kitBarFloating;
    }
    if (nPosition >= kitBarTop && nPosition <= kitBarRight) {
        pCommandBars->DockCommandBar(this, nullptr, pCommandBars->GetDockBar(nPosition));
        pCommandBars->RecalcFrameLayout();
        return TRUE;
    }
    if (nPosition == kitBarFloating)
        return pCommandBars->FloatCommandBar(this);
    return FALSE;
}

void CKitToolBar::UpdateLocation()
{
    if (!IsVisible() || m_bInUpdateLocation)
        return;
    m_bInUpdateLocation = TRUE;
    if (m_nBarPosition <= kitBarRight) {
        RecalcSiteLayout();
    } else if (m_nBarPosition == kitBarFloating) {
        const CSize sz = CalcDynamicLayout(-1, LM_HORZ | LM_MRUWIDTH | LM_COMMIT);
        CRect rc;
        GetWindowRect(&rc);
        SetWindowPos(nullptr, 0, 0, sz.cx, sz.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    m_bInUpdateLocation = FALSE;
    Redraw();
}

void CKitToolBar::RecalcSiteLayout()
{
    if (CKitCommandBarManager* pCommandBars = GetCommandBars()) {
        pCommandBars->RecalcFrameLayout();
    } else if (CWnd* pSite = GetSite(); pSite != nullptr && pSite->GetSafeHwnd() != nullptr) {
        CRect rc;
        pSite->GetClientRect(&rc);
        pSite->SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(rc.Width(), rc.Height()));
    }
}

CRect CKitToolBar::GetBorders()
{
    if (m_nBarPosition == kitBarFloating)
        return CRect(kFloatingBorder, kFloatingBorder, kFloatingBorder, kFloatingBorder);
    CRect rc = CKitCommandBar::GetBorders();
    if (CKitBarPainter* pPainter = GetPaintManager()) {
        CClientDC dc(nullptr);
        const CSize szGripper = pPainter->DrawFloatingBarCaption(&dc, this, FALSE);
        rc.left += szGripper.cx;
        rc.top += szGripper.cy;
    }
    return rc;
}

int CKitToolBar::OnHookKeyDown(UINT nChar, LPARAM lParam)
{
    CWnd* pParent = GetSafeHwnd() != nullptr ? GetParent() : nullptr;
    char szClass[16] = "";
    if (nChar != VK_TAB || m_pDockBar != nullptr || IsFloating() || pParent == nullptr ||
        ::GetClassNameA(pParent->GetSafeHwnd(), szClass, sizeof(szClass)) == 0 || lstrcmpA(szClass, "#32770") != 0)
        return CKitCommandBar::OnHookKeyDown(nChar, lParam);
    const BOOL bPrevious = ::GetKeyState(VK_SHIFT) < 0;
    if (HWND hNext = ::GetNextDlgTabItem(pParent->GetSafeHwnd(), m_hWnd, bPrevious))
        ::SetFocus(hNext);
    LeaveTrackingMode();
    return 1;
}

CSize CKitToolBar::CalcLayout(int nWidth, int nEndMargin)
{
    CRect rcBorders = GetBorders();
    rcBorders.right += nEndMargin;
    BOOL bHidden = FALSE;
    return LayoutControls(this, rcBorders, nWidth, FALSE, FALSE, &bHidden);
}

void CKitToolBar::OnRecalcLayout()
{
    if (GetSafeHwnd() == nullptr)
        return;
    CRect rcClient;
    GetClientRect(&rcClient);
    if (m_nBarPosition == kitBarFloating)
        CalcDynamicLayout(rcClient.Width(), LM_HORZ | LM_COMMIT);
    else if (m_pDockBar != nullptr)
        CalcDockLayout(m_pDockBar->IsHorizontal() ? rcClient.Width() : rcClient.Height(),
                       m_pDockBar->GetBarLayoutMode(m_pDockBar->IsHorizontal(), this) | LM_COMMIT);
    else
        CalcLayout(rcClient.Width());
    Redraw();
}

CKitControl* CKitToolBar::GetExpandButton() const
{
    return m_pControls->FindControlById(kitIdToolbarExpand);
}

CKitControl* CKitToolBar::GetCloseButton() const
{
    return m_pControls->FindControlById(kitIdToolbarClose);
}

CKitControl* CKitToolBar::FindOrAddOwnButton(UINT nId)
{
    if (CKitControl* pControl = m_pControls->FindControlById(static_cast<int>(nId)))
        return pControl;
    CKitControl* pControl = nId == kitIdToolbarExpand ? static_cast<CKitControl*>(new CKitControlButtonExpand())
                                                       : static_cast<CKitControl*>(new CKitControlButtonHide());
    pControl->SetTemporary(TRUE);
    m_pControls->AddControl(pControl);
    pControl->SetCaption("");
    return pControl;
}

BOOL CKitToolBar::CanShowExpandButton() const
{
    return GetCommandBars() != nullptr || m_nBarPosition == kitBarFloating;
}

BOOL CKitToolBar::IsAlwaysShowExpandButton(BOOL bDefault) const
{
    CKitCommandBarManager* pCommandBars = GetCommandBars();
    return pCommandBars != nullptr ? pCommandBars->GetCommandBarsOptions()->bAlwaysShowExpandButton : bDefault;
}

CSize CKitToolBar::CalcDockLayout(int nLength, DWORD dwMode)
{
    CSize sz = CalcDockLayoutLine(nLength, dwMode);
    // A stretched bar fills its row.
    if ((dwMode & LM_STRETCH) != 0 && nLength > 1) {
        if ((dwMode & LM_VERTDOCK) != 0)
            sz.cy = std::max<int>(sz.cy, nLength);
        else
            sz.cx = std::max<int>(sz.cx, nLength);
    }
    return sz;
}

CSize CKitToolBar::CalcDockLayoutLine(int nLength, DWORD dwMode)
{
    const BOOL bVertical = (dwMode & LM_VERTDOCK) != 0;
    ShowOwnButton(GetCloseButton(), FALSE);
    const BOOL bAlways = IsAlwaysShowExpandButton(FALSE);
    // The expand button is made when it is first shown.
    auto* pExpand = static_cast<CKitControlButtonExpand*>(GetExpandButton());
    ShowOwnButton(pExpand, FALSE);
    const CRect rcBorders = GetBorders();
    BOOL bHidden = FALSE;
    CSize sz;
    if (!bAlways && (dwMode & LM_COMMIT) == 0) {
        sz = LayoutControls(this, rcBorders, nLength, bVertical, TRUE, &bHidden);
        if (m_pControls->GetVisibleCount(FALSE) > 1) {
            BOOL bNarrowHidden = FALSE;
            const CSize szNarrow = LayoutControls(this, rcBorders, 1, bVertical, TRUE, &bNarrowHidden);
            if (bVertical)
                sz.cy = std::max(sz.cy, szNarrow.cy + kitExpandStripSize);
            else
                sz.cx = std::max(sz.cx, szNarrow.cx + kitExpandStripSize);
        }
        return sz;
    }
    if (!bAlways) {
        sz = LayoutControls(this, rcBorders, nLength, bVertical, TRUE, &bHidden);
        if (!bHidden || !CanShowExpandButton()) {
            if (pExpand != nullptr)
                pExpand->SetHiddenControls(FALSE);
            if (m_dwState & kStateRedrawPending)
                Redraw();
            return sz;
        }
    }
    if (pExpand == nullptr && CanShowExpandButton())
        pExpand = static_cast<CKitControlButtonExpand*>(FindOrAddOwnButton(kitIdToolbarExpand));
    ShowOwnButton(pExpand, FALSE);
    CRect rcStrip = rcBorders;
    if (bVertical)
        rcStrip.bottom += kitExpandStripSize;
    else
        rcStrip.right += kitExpandStripSize;
    sz = LayoutControls(this, rcStrip, nLength, bVertical, TRUE, &bHidden);
    if (pExpand != nullptr) {
        pExpand->SetHiddenControls(bHidden);
        ShowOwnButton(pExpand, TRUE);
        pExpand->SetRect(bVertical ? CRect(rcBorders.left, sz.cy - rcStrip.bottom, sz.cx - rcBorders.right,
                                           sz.cy - rcBorders.bottom)
                                   : CRect(sz.cx - rcStrip.right, rcBorders.top, sz.cx - rcBorders.right,
                                           sz.cy - rcBorders.bottom));
    }
    if (m_dwState & kStateRedrawPending)
        Redraw();
    return sz;
}

CSize CKitToolBar::CalcDynamicLayout(int nLength, DWORD dwMode)
{
    UpdateShortcuts();
    CRect rcBorders = GetBorders();
    int nCaption = 0;
    if (CKitBarPainter* pPainter = GetPaintManager()) {
        CClientDC dc(nullptr);
        const int nOldPosition = m_nBarPosition;
        m_nBarPosition = kitBarFloating;
        nCaption = pPainter->DrawFloatingBarCaption(&dc, this, FALSE).cy;
        m_nBarPosition = nOldPosition;
    }
    rcBorders.top += 1 + nCaption;
    CKitControl* pClose = m_bCloseable ? FindOrAddOwnButton(kitIdToolbarClose) : GetCloseButton();
    CKitControl* pExpand = GetExpandButton();
    if (pExpand == nullptr && GetCommandBars() != nullptr && IsAlwaysShowExpandButton(TRUE))
        pExpand = FindOrAddOwnButton(kitIdToolbarExpand);
    ShowOwnButton(pClose, FALSE);
    ShowOwnButton(pExpand, FALSE);

    // The rows of the collection's toolbar layout: at the remembered width, or for the length.
    CSize sz(0, 0);
    if (CKitBarPainter* pPainter = GetPaintManager()) {
        CClientDC dc(GetSafeHwnd() != nullptr ? this : nullptr);
        CFont* pOldFont = dc.SelectObject(pPainter->GetCommandBarFont(this));
        KitRowLayoutMetrics metrics;
        metrics.nMRUWidth = m_nMRUWidth;
        metrics.bGrouped = (GetFlags() & kitBarFlagGrouped) != 0;
        metrics.nLargeIconWidth = GetLargeIconSize().cx;
        if (CKitControl* pFirst = GetControl(0))
            metrics.szGroupGap = pPainter->DrawCommandBarSeparator(&dc, this, pFirst, FALSE);
        DWORD dwRowMode = LM_COMMIT | (dwMode & LM_LENGTHY);
        int nRowLength = nLength;
        if (nLength < 0 || (dwMode & LM_MRUWIDTH) != 0) {
            dwRowMode = LM_COMMIT | kitLayoutWrapGroups;
            nRowLength = m_nMRUWidth;
        }
        sz = m_pControls->CalcDynamicSize(&dc, nRowLength, dwRowMode, rcBorders, 0, metrics);
        dc.SelectObject(pOldFont);
    }
    // The caption buttons: squares of the caption height, 3 pixels below the top.
    int nRight = sz.cx - kFloatingBorder;
    if (pClose != nullptr && m_bCloseable) {
        ShowOwnButton(pClose, TRUE);
        pClose->SetRect(CRect(nRight - nCaption, kFloatingBorder, nRight, kFloatingBorder + nCaption));
        nRight -= nCaption;
    }
    if (pExpand != nullptr && IsAlwaysShowExpandButton(TRUE) && nRight - nCaption > kFloatingBorder + nCaption) {
        ShowOwnButton(pExpand, TRUE);
        pExpand->SetRect(CRect(nRight - nCaption, kFloatingBorder, nRight, kFloatingBorder + nCaption));
    }
    if ((dwMode & LM_COMMIT) != 0 && (m_dwState & kStateRedrawPending) != 0)
        Redraw();
    return sz;
}

BOOL CKitToolBar::CreateToolBarWindow(CWnd* pParent, BOOL bFloating)
{
    const DWORD dwFloating = WS_POPUP | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | kStyleSyncActive;
    const DWORD dwDocked = WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | kStyleSyncActive;
    if (GetSafeHwnd() == nullptr) {
        CKitCommandBarManager* pCommandBars = GetCommandBars();
        const DWORD dwExStyle = pCommandBars != nullptr && pCommandBars->IsLayoutRTL() ? WS_EX_LAYOUTRTL : 0;
        if (!CreateEx(dwExStyle, KitRegisterBarClass("KitToolBar", CS_DBLCLKS), m_strTitle,
                      bFloating ? dwFloating : dwDocked, CRect(0, 0, 0, 0), pParent, 0))
            return FALSE;
    } else if (bFloating) {
        ::SetParent(m_hWnd, nullptr);
        ModifyStyle(WS_CHILD, WS_POPUP | kStyleSyncActive);
        ::SetWindowLongPtrA(m_hWnd, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(pParent->GetSafeHwnd()));
        if ((pParent->GetExStyle() & WS_EX_TOPMOST) != 0)
            ::SetWindowPos(m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    } else {
        ModifyStyle(WS_POPUP, WS_CHILD);
        ::SetParent(m_hWnd, pParent->GetSafeHwnd());
    }
    if (m_bVisible) {
        m_bHiddenWithFrame = FALSE;
        ShowWindow(SW_SHOWNA);
    }
    return TRUE;
}

BOOL CKitToolBar::LoadToolBar(UINT nIDResource, BOOL bLoadBitmap)
{
    m_nResourceId = nIDResource;
    if (!CKitCommandBar::LoadToolBar(nIDResource, bLoadBitmap))
        return FALSE;
    m_pControls->CreateOriginalControls();
    return TRUE;
}

void CKitToolBar::SetButtons(const UINT* pIds, int nCount)
{
    m_pControls->RemoveAll();
    m_pControls->AddCommandIds(pIds, nCount);
    OnControlsChanged();
}

BOOL CKitToolBar::IsCustomizable() const
{
    return m_bCustomizable;
}

void CKitToolBar::Reset(BOOL bAsk)
{
    if (bAsk) {
        CString strFormat = CKitResourceManager::Instance()->LoadStringOrEmpty(IDS_KIT_RESET_TOOLBAR);
        CString strText;
        strText.Format(strFormat, static_cast<LPCSTR>(m_strTitle));
        if (CKitResourceManager::Instance()->ShowMessageBox(strText, MB_OKCANCEL | MB_ICONWARNING) != IDOK)
            return;
    }
    if (CKitOriginalControls* pOriginal = m_pControls->GetOriginalControls()) {
        m_pControls->RemoveAll();
        for (int i = 0; i < pOriginal->GetCount(); i++) {
            if (!pOriginal->GetAt(i)->IsTemporary())
                m_pControls->AddClone(pOriginal->GetAt(i), -1, TRUE);
        }
    } else if (m_nResourceId != 0) {
        CKitCommandBar::LoadToolBar(m_nResourceId, FALSE);
    }
    if (CWnd* pSite = GetSite(); pSite != nullptr && pSite->GetSafeHwnd() != nullptr)
        pSite->SendMessage(WM_KIT_TOOLBAR_RESET, 0, reinterpret_cast<LPARAM>(this));
    OnControlsChanged();
    DelayLayout();
    UpdateLocation();
}

BOOL CKitToolBar::ShouldSerializeBar() const
{
    return m_pControls->GetOriginalControls() == nullptr || m_pControls->IsChanged() || !m_bBuiltIn;
}

void CKitToolBar::Copy(const CKitCommandBar* pSource, BOOL bRecursive)
{
    CKitCommandBar::Copy(pSource, bRecursive);
    if (const auto* pToolBar = DYNAMIC_DOWNCAST(CKitToolBar, const_cast<CKitCommandBar*>(pSource))) {
        m_bBuiltIn = pToolBar->m_bBuiltIn;
        m_bTearOff = pToolBar->m_bTearOff;
        m_bCloseable = pToolBar->m_bCloseable;
        m_bContextMenuPresent = pToolBar->m_bContextMenuPresent;
        m_bCustomizeDialogPresent = pToolBar->m_bCustomizeDialogPresent;
        m_nResourceId = pToolBar->m_nResourceId;
    }
}

void CKitToolBar::OnLButtonDownBar(UINT nFlags, CPoint point)
{
    if (m_nBarPosition == kitBarFloating)
        ::SetWindowPos(m_hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (!IsDragPoint(point) || IsCustomizeMode()) {
        OnLButtonDown(nFlags, point);
        return;
    }
    if (CKitCommandBarManager* pCommandBars = GetCommandBars())
        pCommandBars->ClosePopups();
    if (m_pDockContext != nullptr && (m_dwFlags & kitDockAny) != 0) {
        CPoint ptScreen = point;
        ClientToScreen(&ptScreen);
        m_pDockContext->StartDrag(ptScreen);
    }
}

void CKitToolBar::OnRButtonDownBar(UINT nFlags, CPoint point)
{
    CKitControl* pControl = HitTest(point);
    if (pControl != nullptr && !IsCustomizeMode() && pControl->OnRButtonDown(point))
        return;
    if (IsCustomizeMode()) {
        CWnd::OnRButtonDown(nFlags, point);
        return;
    }
    LeaveTrackingMode();
    ClearSelection();
    Redraw();
    if (CKitCommandBarManager* pCommandBars = GetCommandBars()) {
        ClientToScreen(&point);
        pCommandBars->ContextMenu(point);
    }
}

void CKitToolBar::OnLButtonDblClkBar(UINT nFlags, CPoint point)
{
    if (IsDragPoint(point) && m_pDockContext != nullptr && m_pDockContext->ToggleDocking())
        return;
    OnLButtonDblClk(nFlags, point);
}

LRESULT CKitToolBar::OnNcHitTestMessage(WPARAM /*wParam*/, LPARAM lParam)
{
    const CPoint point = PointFromLParam(lParam);
    if (m_nBarPosition != kitBarFloating || m_nBarType == kitBarTypePopup)
        return Default();
    CRect rc;
    GetWindowRect(&rc);
    rc.DeflateRect(kFloatingBorder, kFloatingBorder);
    if (point.y < rc.top)
        return HTTOP;
    if (point.y >= rc.bottom)
        return HTBOTTOM;
    if (point.x < rc.left)
        return HTLEFT;
    if (point.x >= rc.right)
        return HTRIGHT;
    return Default();
}

LRESULT CKitToolBar::OnNcLButtonDownMessage(WPARAM wParam, LPARAM lParam)
{
    const UINT nHitTest = static_cast<UINT>(wParam);
    const CPoint point = PointFromLParam(lParam);
    if (m_nBarPosition == kitBarFloating && static_cast<int>(nHitTest) >= kFirstSizingHit &&
        static_cast<int>(nHitTest) <= kLastSizingHit && m_pDockContext != nullptr) {
        if (CWnd* pTop = GetTopLevelParent())
            pTop->SetActiveWindow();
        ::SetWindowPos(m_hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        if (CKitCommandBarManager* pCommandBars = GetCommandBars())
            pCommandBars->ClosePopups();
        m_pDockContext->StartResize(static_cast<int>(nHitTest), point);
        return 0;
    }
    return Default();
}

BOOL CKitToolBar::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (m_nBarPosition <= kitBarRight && m_pDockContext != nullptr && (m_dwFlags & kitDockAny) != 0 &&
        nHitTest == HTCLIENT) {
        CPoint pt;
        ::GetCursorPos(&pt);
        ScreenToClient(&pt);
        const CRect rcBorders = CKitCommandBar::GetBorders();
        const CRect rcFull = GetBorders();
        CRect rcClient;
        GetClientRect(&rcClient);
        const BOOL bVertical = IsVerticalBarPosition(m_nBarPosition);
        const CRect rcGripper = bVertical ? CRect(rcClient.left, rcBorders.top, rcClient.right, rcFull.top)
                                          : CRect(rcBorders.left, rcClient.top, rcFull.left, rcClient.bottom);
        if (!rcGripper.IsRectEmpty() && rcGripper.PtInRect(pt)) {
            ::SetCursor(::LoadCursor(nullptr, IDC_SIZEALL));
            return TRUE;
        }
    }
    return CWnd::OnSetCursor(pWnd, nHitTest, message);
}

LRESULT CKitToolBar::OnMouseActivateMessage(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    if (m_nBarPosition == kitBarFloating || IsCustomizeMode())
        return MA_NOACTIVATE;
    return Default();
}

LRESULT CKitToolBar::OnCloseMessage(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    return 0;
}

LRESULT CKitToolBar::OnSizeParentMessage(WPARAM /*wParam*/, LPARAM lParam)
{
    auto* pLayout = reinterpret_cast<KIT_DOCK_LAYOUT*>(lParam);
    if (pLayout == nullptr || !IsVisible())
        return 0;
    DWORD dwMode = LM_HORZ | LM_HORZDOCK;
    if (pLayout->hDWP != nullptr)
        dwMode |= LM_COMMIT;
    if ((m_dwFlags & kitDockSqueeze) != 0)
        dwMode |= kitLayoutSqueeze;
    if ((m_dwFlags & kitDockFullRow) != 0)
        dwMode |= LM_STRETCH;
    CRect& rcFree = pLayout->rect;
    CSize sz = CalcDockLayout(rcFree.Width(), dwMode);
    sz.cx = std::min<LONG>(sz.cx, std::max(0, rcFree.Width()));
    sz.cy = std::min<LONG>(sz.cy, std::max(0, rcFree.Height()));
    const CRect rc(rcFree.left, rcFree.top, rcFree.left + sz.cx, rcFree.top + sz.cy);
    rcFree.top += sz.cy;
    pLayout->sizeTotal.cy += sz.cy;
    pLayout->sizeTotal.cx = std::max(pLayout->sizeTotal.cx, sz.cx);
    if (pLayout->hDWP != nullptr)
        pLayout->hDWP = ::DeferWindowPos(pLayout->hDWP, m_hWnd, nullptr, rc.left, rc.top, rc.Width(), rc.Height(),
                                         SWP_NOZORDER | SWP_NOACTIVATE);
    Redraw();
    return 0;
}

LRESULT CKitToolBar::OnNcActivateMessage(WPARAM wParam, LPARAM /*lParam*/)
{
    return wParam != 0 ? 0 : Default();
}

LRESULT CKitToolBar::OnFloatStatusMessage(WPARAM wParam, LPARAM lParam)
{
    CKitCommandBarManager* pCommandBars = GetCommandBars();
    const BOOL bFollowFrame =
        pCommandBars == nullptr || pCommandBars->GetCommandBarsOptions()->bHideFloatingBarsWithFrame;
    if (IsFloating() && m_bVisible && bFollowFrame) {
        const UINT nShowFlags = SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE;
        const BOOL bShown = IsWindowVisible();
        if ((wParam & (FS_DEACTIVATE | FS_HIDE)) != 0 && bShown &&
            ((wParam & FS_HIDE) != 0 || !CKitDrawHelpers::IsTopParentActive(this)))
        {
            m_bHiddenWithFrame = TRUE;
            SetWindowPos(nullptr, 0, 0, 0, 0, nShowFlags | SWP_HIDEWINDOW);
        }
        if ((wParam & (FS_ACTIVATE | FS_SHOW)) != 0 && !bShown && CKitDrawHelpers::IsTopParentActive(this)) {
            const HWND hForeground = ::GetForegroundWindow();
            if (hForeground != nullptr && ::IsWindowVisible(hForeground) && !::IsIconic(hForeground)) {
                m_bHiddenWithFrame = FALSE;
                SetWindowPos(nullptr, 0, 0, 0, 0, nShowFlags | SWP_SHOWWINDOW);
            }
        }
        if ((wParam & (FS_ENABLE | FS_DISABLE)) != 0)
            EnableWindow((wParam & FS_ENABLE) != 0);
    }
    return OnFloatStatusSynchronized(wParam, lParam);
}


// CKitControlButtonExpand

CKitControlButtonExpand::CKitControlButtonExpand() : CKitControlPopup(kitControlButtonPopup)
{
    SetId(kitIdToolbarExpand);
    SetFlags(kitFlagOpenLeft | kitFlagManualUpdate | kitFlagNoMovable);
}

void CKitControlButtonExpand::Draw(CDC* pDC)
{
    if (CKitBarPainter* pPainter = GetPaintManager()) {
        const BOOL bFloating = m_pParent != nullptr && m_pParent->GetPosition() == kitBarFloating;
        pPainter->DrawSpecialControl(pDC, bFloating ? 3 : 0, this, m_pParent, TRUE, m_bHiddenControls);
    }
}

BOOL CKitControlButtonExpand::SetPopup(BOOL bPopup)
{
    if (bPopup) {
        CKitCommandBarManager* pCommandBars = m_pParent != nullptr ? m_pParent->GetCommandBars() : nullptr;
        // The site may hand over the popup (flags 1: the expand button's); else a popup toolbar.
        KIT_CONTROL_FROM_MENU record{GetId(), nullptr, GetIndex(), CString(), GetType(), this, nullptr};
        record.dwFlags = 1;
        CWnd* pSite = m_pParent != nullptr ? m_pParent->GetSite() : nullptr;
        if (pSite != nullptr && pSite->GetSafeHwnd() != nullptr)
            pSite->SendMessage(WM_KIT_POPUP_BAR_CREATE, 0, reinterpret_cast<LPARAM>(&record));
        auto* pPopup = DYNAMIC_DOWNCAST(CKitPopupBar, record.pCommandBar);
        if (pPopup == nullptr) {
            if (record.pCommandBar != nullptr)
                record.pCommandBar->InternalRelease();
            pPopup = CKitPopupToolBar::CreatePopupToolBar(pCommandBars);
        } else if (pPopup->GetCommandBars() == nullptr) {
            pPopup->SetCommandBars(pCommandBars);
        }
        if (m_pParent != nullptr) {
            for (int i = 0; i < m_pParent->GetControlCount(); i++) {
                CKitControl* pControl = m_pParent->GetControl(i);
                if (!pControl->IsTemporary() && (pControl->GetHideFlags() & kitHideWrap) != 0) {
                    CKitControl* pCopy = pPopup->GetControls()->AddClone(pControl, -1, TRUE);
                    pCopy->SetHideFlags(0);
                }
            }
        }
        AddAddRemoveButtons(pPopup);
        SetCommandBar(pPopup);
    }
    return CKitControlPopup::SetPopup(bPopup);
}

void CKitControlButtonExpand::AddAddRemoveButtons(CKitPopupBar* pPopup)
{
    auto* pBar = DYNAMIC_DOWNCAST(CKitToolBar, m_pParent);
    CKitCommandBarManager* pCommandBars = pBar != nullptr ? pBar->GetCommandBars() : nullptr;
    if (pCommandBars == nullptr ||
        (!pCommandBars->GetCommandBarsOptions()->bAlwaysShowExpandButton && !pBar->IsCustomizable()))
        return;
    auto* pSubBar = CKitPopupBar::CreatePopupBar(pCommandBars);
    int nButtons = 0;
    for (int i = 0; i < pBar->GetControlCount(); i++) {
        CKitControl* pControl = pBar->GetControl(i);
        if (pControl->IsTemporary())
            continue;
        nButtons++;
        auto* pItem = new CKitControlToggleButton();
        pSubBar->GetControls()->InsertAt(pItem, -1);
        pItem->SetTarget(pControl);
    }
    auto* pAddRemove = new CKitControlPopup();
    pPopup->GetControls()->InsertAt(pAddRemove, -1);
    pAddRemove->SetTemporary(TRUE);
    pAddRemove->SetId(kitIdAddRemoveButtons);
    CString strCaption = CKitResourceManager::Instance()->LoadStringOrEmpty(kitIdAddRemoveButtons);
    if (const int nBreak = strCaption.Find('\n'); nBreak >= 0)
        strCaption = strCaption.Mid(nBreak + 1);
    pAddRemove->SetCaption(strCaption);
    pAddRemove->SetBeginGroup(TRUE);
    pAddRemove->SetEnabled(nButtons > 1);
    pAddRemove->SetCommandBar(pSubBar);
}

// CKitControlToggleButton

CKitControlToggleButton::~CKitControlToggleButton()
{
    if (m_pTarget != nullptr)
        m_pTarget->InternalRelease();
}

void CKitControlToggleButton::SetTarget(CKitControl* pTarget)
{
    if (pTarget != nullptr)
        pTarget->InternalAddRef();
    if (m_pTarget != nullptr)
        m_pTarget->InternalRelease();
    m_pTarget = pTarget;
    if (pTarget == nullptr)
        return;
    SetId(pTarget->GetId());
    SetCaption(pTarget->GetCaption());
    SetIconId(pTarget->GetIconId());
    SetChecked((pTarget->GetHideFlags() & kitHideUser) == 0);
}

void CKitControlToggleButton::OnExecute()
{
    if (m_pTarget == nullptr)
        return;
    const BOOL bShow = (m_pTarget->GetHideFlags() & kitHideUser) != 0;
    m_pTarget->SetHideFlag(bShow);
    SetChecked(bShow);
    if (auto* pBar = DYNAMIC_DOWNCAST(CKitToolBar, m_pTarget->GetParent())) {
        pBar->OnRecalcLayout();
        pBar->UpdateLocation();
    }
}

// CKitControlToolbarItem

void CKitControlToolbarItem::OnExecute()
{
    CKitCommandBar* pBar = m_pParent;
    CKitCommandBarManager* pCommandBars = pBar != nullptr ? pBar->GetCommandBars() : nullptr;
    if (pCommandBars != nullptr)
        pCommandBars->ToggleBarVisible(m_nBarIndex);
}

// CKitControlButtonHide

CKitControlButtonHide::CKitControlButtonHide()
{
    SetId(kitIdToolbarClose);
    SetFlags(kitFlagSkipFocus | kitFlagManualUpdate | kitFlagNoMovable);
}

void CKitControlButtonHide::Draw(CDC* pDC)
{
    if (CKitBarPainter* pPainter = GetPaintManager())
        pPainter->DrawSpecialControl(pDC, 2, this, m_pParent, TRUE, 0);
}

void CKitControlButtonHide::OnExecute()
{
    if (auto* pBar = DYNAMIC_DOWNCAST(CKitToolBar, m_pParent))
        pBar->SetVisible(FALSE);
}

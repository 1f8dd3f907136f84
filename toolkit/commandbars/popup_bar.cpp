#include "toolkit/commandbars/popup_bar.h"

#include "framework/gdi.h"
#include "framework/ids.h"
#include "framework/winapp.h"
#include "toolkit/commandbars/command_bar_animation.h"
#include "toolkit/commandbars/command_bar_manager.h"
#include "toolkit/commandbars/toolbar.h"
#include "toolkit/commandbars/control.h"
#include "toolkit/commandbars/controls.h"
#include "toolkit/commandbars/mouse_manager.h"
#include "toolkit/common/draw_helpers.h"
#include "toolkit/common/sound_player.h"
#include "toolkit/common/upper_services.h"

#include <algorithm>
#include <cstdlib>

IMPLEMENT_DYNCREATE(CKitPopupBar, CKitCommandBar)

namespace {

constexpr char kPopupBarClass[] = "KitPopupBar";
// Sent to the owner site before a popup opens, so that it can fill it (lParam the popup).
constexpr UINT WM_KIT_INIT_POPUP = 0x285B;
// Sent to the site when a popup closed (lParam the popup).
constexpr UINT WM_KIT_POPUP_CLOSED = 0x285D;
// Sent to the site when a popup was torn off (wParam the toolbar, lParam the popup).
constexpr UINT WM_KIT_TEAROFF = 0x2867;
// The strip of the expand button below the controls.
constexpr int kExpandButtonHeight = 12;
// The control flag of a popup control that opens its popup leftwards.
constexpr DWORD kControlFlagOpenLeft = 4;
// The parent bar's flag that makes its popups drop down.
constexpr DWORD kBarFlagDropDownPopups = 0x200000;

// The expand button a popup adds while it hides rarely used controls: executing it expands the popup.
class CExpandButton : public CKitControlButton {
public:
    void OnExecute() override
    {
        if (auto* pPopup = DYNAMIC_DOWNCAST(CKitPopupBar, GetParent()))
            pPopup->ExpandBar();
    }
};

BOOL IsCenterInUpperHalf(int y, const CRect& rcWork)
{
    return y < rcWork.top + rcWork.Height() / 2;
}

} // namespace

int KitResolvePopupAnimation(int nOption, BOOL bMenuAnimation, BOOL bMenuFade, int nRandom)
{
    if (nOption == kitAnimateSystem)
        return !bMenuAnimation ? kitAnimateNone : bMenuFade ? kitAnimateFade : kitAnimateSlide;
    if (nOption == kitAnimateRandom) {
        static const int kinds[] = {kitAnimateFade, kitAnimateSlide, kitAnimateUnfold};
        return kinds[((nRandom % 3) + 3) % 3];
    }
    return nOption;
}

CRect KitCalcPopupRect(KitPopupPlacement& p)
{
    CRect rcWork = p.rcWork;
    const CRect& rcExclude = p.rcExclude;
    if (rcExclude.IsRectEmpty()) {
        if (p.rcMonitor.PtInRect(p.pt) && !rcWork.PtInRect(p.pt))
            rcWork = p.rcMonitor;
    } else {
        CRect rcMeet;
        if (!rcMeet.IntersectRect(rcExclude, rcWork) && rcMeet.IntersectRect(rcExclude, p.rcMonitor))
            rcWork = p.rcMonitor;
    }
    rcWork.bottom -= CKitPopupBar::kWorkAreaBottomGap;

    int x = p.pt.x;
    int y = p.pt.y;
    int w = p.size.cx;
    int h = p.size.cy;
    DWORD& dwFlags = p.dwFlags;
    BOOL bScroll = FALSE;
    if (p.nMaxHeight > 0 && p.nMaxHeight < h) {
        h = p.nMaxHeight;
        bScroll = TRUE;
    }

    // Vertical.
    const BOOL bZeroHeight = rcExclude.Height() == 0;
    if (bZeroHeight && (dwFlags & kitPopupUp) != 0) {
        y -= h;
    } else if (bZeroHeight && y > rcWork.bottom) {
        y -= h;
    } else if (y + h > rcWork.bottom) {
        if (bZeroHeight) {
            y = IsCenterInUpperHalf(y, rcWork) ? rcWork.bottom - h : y - h;
            y = std::max<int>(y, rcWork.top);
        } else if ((dwFlags & kitPopupDown) == 0) {
            y = std::max<int>(rcWork.bottom - h, rcWork.top);
        } else {
            y = rcExclude.top - h;
            if (y < rcWork.top) {
                if (p.bMayWrap) {
                    // Neither below nor above: beside the control.
                    dwFlags &= ~kitPopupDown;
                    if ((dwFlags & kitPopupLeft) == 0)
                        x = rcExclude.right;
                    y = std::max<int>(rcWork.bottom - h, rcWork.top);
                } else if (IsCenterInUpperHalf(rcExclude.CenterPoint().y, rcWork)) {
                    y = rcExclude.bottom;
                    h = rcWork.bottom - y;
                    bScroll = TRUE;
                } else {
                    h = rcExclude.top - rcWork.top;
                    y = rcWork.top;
                    bScroll = TRUE;
                }
            }
        }
    }
    if (y + h > rcWork.bottom && y == rcWork.top) {
        if (p.bMayWrap) {
            if (p.bMultiColumnLayout && p.relayout) {
                const CSize size = p.relayout(rcWork.Height());
                w = size.cx;
                h = size.cy;
            }
        } else {
            h = rcWork.bottom - y;
            bScroll = TRUE;
        }
    }

    // Horizontal.
    const BOOL bZeroWidth = rcExclude.Width() == 0;
    if ((dwFlags & kitPopupLeft) != 0 && (dwFlags & kitPopupDown) != 0 && !bZeroWidth)
        x = rcExclude.right - w;
    else if ((dwFlags & kitPopupLeft) != 0 && !bZeroWidth)
        x = rcExclude.left - w;
    else if ((dwFlags & kitPopupLeft) != 0)
        x -= w;
    if (x + w > rcWork.right) {
        if (bZeroWidth) {
            x = x > rcWork.right ? x - w : rcWork.right - w;
        } else {
            x = ((dwFlags & kitPopupDown) != 0 ? rcWork.right : rcExclude.left) - w;
            dwFlags |= kitPopupLeft;
        }
        x = std::max<int>(x, rcWork.left);
    } else if (x < rcWork.left) {
        if (bZeroWidth && (dwFlags & kitPopupLeft) != 0) {
            x = rcWork.left;
            dwFlags &= ~kitPopupLeft;
        } else if (!bZeroWidth) {
            x = (dwFlags & kitPopupDown) != 0 ? rcWork.left : rcExclude.right;
            dwFlags &= ~kitPopupLeft;
        }
    }
    p.bScroll = bScroll;
    return CRect(x, y, x + w, y + h);
}

BEGIN_MESSAGE_MAP(CKitPopupBar, CKitCommandBar)
    ON_MESSAGE(WM_MOUSEACTIVATE, &CKitPopupBar::OnMouseActivate)
    ON_MESSAGE(WM_NCCREATE, &CKitPopupBar::OnNcCreateSynchronized)
    ON_MESSAGE(WM_FLOATSTATUS, &CKitPopupBar::OnFloatStatusSynchronized)
    ON_WM_TIMER()
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEMOVE()
END_MESSAGE_MAP()

CKitPopupBar::CKitPopupBar() : CKitCommandBar(kitBarTypePopup)
{
    m_nBarPosition = kitBarPopup;
}

CKitPopupBar::~CKitPopupBar()
{
    if (m_pTornOffToolBar != nullptr)
        m_pTornOffToolBar->InternalRelease();
}

CKitPopupBar* CKitPopupBar::CreatePopupBar(CKitCommandBarManager* pCommandBars)
{
    auto* pBar = new CKitPopupBar();
    pBar->SetCommandBars(pCommandBars);
    return pBar;
}

BOOL CKitPopupBar::CreatePopupWindow()
{
    if (GetSafeHwnd() != nullptr)
        return TRUE;
    CKitCommandBarManager* pCommandBars = GetCommandBars();
    DWORD dwExStyle = WS_EX_TOOLWINDOW;
    if (pCommandBars != nullptr ? pCommandBars->IsLayoutRTL() : IsLayoutRTLWindow())
        dwExStyle |= WS_EX_LAYOUTRTL;
    CWnd* pSite = GetSite();
    return CreateEx(dwExStyle, KitRegisterBarClass(kPopupBarClass, CS_DBLCLKS | CS_SAVEBITS), m_strTitle,
                    WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | kStyleSyncActive, CRect(0, 0, 0, 0), pSite, 0);
}

BOOL CKitPopupBar::Popup(CKitControlPopup* pControl, BOOL bSelectFirst)
{
    m_pControlPopup = pControl;
    CKitCommandBar* pParent = GetParentCommandBar();
    if (pControl != nullptr && (pParent == nullptr || pParent->GetSafeHwnd() == nullptr))
        return FALSE;
    // A sub-menu of a popup menu reports to the window its menu reports to.
    auto* pParentPopup = DYNAMIC_DOWNCAST(CKitPopupBar, pParent);
    if (pParentPopup != nullptr && pParentPopup->m_pNotifyWindow != nullptr)
        m_pNotifyWindow = pParentPopup->m_pNotifyWindow;
    if (!CreatePopupWindow())
        return FALSE;
    // A popup shown again while it still fades starts from its new picture.
    m_pAnimation->Reset();
    if (CWnd* pOwnerSite = GetOwnerSite())
        pOwnerSite->SendMessage(WM_KIT_INIT_POPUP, 0, reinterpret_cast<LPARAM>(this));
    m_bTearOffHot = FALSE;
    m_bHasHiddenControls = FALSE;
    m_bExpanded = CKitMouseManager::GetThreadManager()->GetExpandedMenus() || IsCustomizeMode();

    // Placeholders expand into their items first; items they insert follow them.
    for (int i = 0; i < GetControlCount(); i++)
        GetControl(i)->OnBeforePopup();

    const CRect rc = CalcPlacement();
    ::SetWindowPos(m_hWnd, HWND_TOPMOST, rc.left, rc.top, rc.Width(), rc.Height(), SWP_NOACTIVATE | SWP_SHOWWINDOW);
    if (pControl != nullptr && (pParent->GetSafeHwnd() == nullptr)) {
        DestroyWindow();
        return FALSE;
    }
    SetTrackingMode(1, bSelectFirst, bSelectFirst);
    OnUpdateCmdUI();
    if (GetSafeHwnd() == nullptr)
        return FALSE;
    AnimatePopup();
    PlayPopupSound();
    CastShadow();
    Redraw();
    return TRUE;
}

int CKitPopupBar::GetAnimationType() const
{
    CKitCommandBarManager* pCommandBars = GetCommandBars();
    if (pCommandBars == nullptr || (GetSafeHwnd() != nullptr && ::GetWindow(GetSafeHwnd(), GW_CHILD) != nullptr))
        return kitAnimateNone;
    BOOL bMenuAnimation = FALSE;
    BOOL bMenuFade = FALSE;
    ::SystemParametersInfoA(SPI_GETMENUANIMATION, 0, &bMenuAnimation, 0);
    ::SystemParametersInfoA(SPI_GETMENUFADE, 0, &bMenuFade, 0);
    return KitResolvePopupAnimation(pCommandBars->GetCommandBarsOptions()->nAnimationType, bMenuAnimation, bMenuFade,
                                    std::rand());
}

void CKitPopupBar::AnimatePopup()
{
    if (GetSafeHwnd() == nullptr)
        return;
    CKitCommandBar* pParent = GetParentCommandBar();
    const BOOL bMayAnimate = (pParent == nullptr || pParent->GetAnimateNextPopup()) && !IsCustomizeMode();
    const int nKind = bMayAnimate ? GetAnimationType() : kitAnimateNone;
    if (!KitIsAnimatedPopupKind(nKind)) {
        SetWindowRegion();
        return;
    }
    CRect rc;
    GetWindowRect(&rc);
    ShowAnimated(rc, nKind, FALSE);
    if (pParent != nullptr)
        pParent->SetAnimateNextPopup(FALSE);
}

void CKitPopupBar::ShowAnimated(const CRect& rcScreen, int nKind, BOOL bMove)
{
    if (CKitCommandBar* pParent = GetParentCommandBar()) {
        if (pParent->GetSafeHwnd() != nullptr)
            pParent->UpdateWindow();
    }
    if (CWnd* pSite = GetSite()) {
        if (pSite->GetSafeHwnd() != nullptr)
            pSite->UpdateWindow();
    }
    const int cx = rcScreen.Width();
    const int cy = rcScreen.Height();
    CWindowDC dcScreen(nullptr);
    CBitmap bmpUnder;
    bmpUnder.CreateCompatibleBitmap(&dcScreen, cx, cy);
    {
        CKitSelectedBitmapDC dcUnder(&dcScreen, bmpUnder.m_hObject);
        dcUnder.BitBlt(0, 0, cx, cy, &dcScreen, rcScreen.left, rcScreen.top, SRCCOPY);
    }
    if (bMove)
        SetWindowPos(nullptr, rcScreen.left, rcScreen.top, cx, cy,
                     SWP_NOZORDER | SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOREDRAW);
    // The picture plays within the window's own shape.
    SetWindowRegion();
    CRect rcClient;
    GetClientRect(&rcClient);
    CClientDC dcWindow(this);
    CBitmap bmpBar;
    bmpBar.CreateCompatibleBitmap(&dcWindow, rcClient.Width(), rcClient.Height());
    CKitSelectedBitmapDC dcBar(&dcWindow, bmpBar.m_hObject);
    DrawCommandBar(&dcBar, rcClient);
    {
        CKitSelectedBitmapDC dcUnder(&dcWindow, bmpUnder.m_hObject);
        dcWindow.BitBlt(0, 0, rcClient.Width(), rcClient.Height(), &dcUnder, 0, 0, SRCCOPY);
    }
    if (CKitBarPainter* pPainter = GetPaintManager())
        pPainter->AnimatePopupBar(&dcWindow, &dcBar, rcClient, nKind);
    dcWindow.BitBlt(0, 0, rcClient.Width(), rcClient.Height(), &dcBar, 0, 0, SRCCOPY);
    ValidateRect(nullptr);
}

void CKitPopupBar::SetWindowRegion()
{
    if (CKitBarPainter* pPainter = GetPaintManager(); pPainter != nullptr && GetSafeHwnd() != nullptr)
        pPainter->SetCommandBarRegion(this);
}

void CKitPopupBar::PlayPopupSound()
{
    CKitSoundPlayer::Instance()->PlaySystemSound(CKitSoundPlayer::kSoundMenuPopup);
}

void CKitPopupBar::CastShadow()
{
    CKitBarPainter* pPainter = GetPaintManager();
    if (pPainter == nullptr || GetSafeHwnd() == nullptr || m_nBarPosition != kitBarPopup || !m_bShowShadow ||
        IsCustomizeMode())
        return;
    pPainter->CastPopupShadow(this, m_rcExclude, (m_nTrackFlags & TPM_RECURSE) != 0);
}

BOOL CKitPopupBar::PopupAt(int x, int y, LPCRECT lpExclude)
{
    m_ptPopup = CPoint(x, y);
    m_rcExclude = lpExclude != nullptr ? CRect(*lpExclude) : CRect(0, 0, 0, 0);
    return Popup(nullptr, FALSE);
}

BOOL CKitPopupBar::SetTrackingMode(int nMode, BOOL bSelectFirst, BOOL bKeyboard)
{
    if (!CKitCommandBar::SetTrackingMode(nMode, bSelectFirst, bKeyboard))
        return FALSE;
    if (nMode == 0) {
        if (GetSafeHwnd() != nullptr) {
            // Windows hosted by controls survive the popup.
            for (HWND hChild = ::GetWindow(m_hWnd, GW_CHILD); hChild != nullptr; hChild = ::GetWindow(m_hWnd, GW_CHILD)) {
                ::ShowWindow(hChild, SW_HIDE);
                ::SetParent(hChild, GetSite() != nullptr ? GetSite()->GetSafeHwnd() : nullptr);
            }
            DestroyWindow();
        }
        if (CKitCommandBar* pParent = GetParentCommandBar())
            pParent->OpenPopupAt(-1);
        if (CWnd* pSite = GetSite())
            pSite->SendMessage(WM_KIT_POPUP_CLOSED, 0, reinterpret_cast<LPARAM>(this));
        m_pControlPopup = nullptr;
    }
    return TRUE;
}

BOOL CKitPopupBar::SetSelected(int nIndex, int nMode)
{
    // A control scrolled out of view is scrolled in: to the bottom from below, to the top from above.
    if (m_bScrolling && GetSafeHwnd() != nullptr && nIndex >= 0 && nIndex < GetControlCount()) {
        if (nIndex >= m_nEndVisible) {
            m_nEndVisible = nIndex + 1;
            ScrollLayout(CSize(0, 0), FALSE);
        } else if (nIndex < m_nFirstVisible) {
            m_nFirstVisible = nIndex;
            ScrollLayout(CSize(0, 0), TRUE);
        }
    }
    const BOOL bChanged = CKitCommandBar::SetSelected(nIndex, nMode);
    if (GetSafeHwnd() == nullptr)
        return bChanged;
    CKitControl* pSelected = GetControl(m_nSelected);
    CKitCommandBarManager* pCommandBars = GetCommandBars();
    if (pSelected != nullptr && pSelected->GetId() == kIdExpandButton && pSelected->IsTemporary() &&
        nMode == kitSelectMouse && pCommandBars != nullptr &&
        pCommandBars->GetCommandBarsOptions()->bExpandAfterHover)
        SetTimer(kTimerExpandHover, kExpandHoverDelay);
    else
        KillTimer(kTimerExpandHover);
    return bChanged;
}

CKitCommandBar* CKitPopupBar::GetParentCommandBar() const
{
    return m_pControlPopup != nullptr ? m_pControlPopup->GetParent() : nullptr;
}

BOOL CKitPopupBar::IsVisible() const
{
    return GetSafeHwnd() != nullptr && ::IsWindowVisible(GetSafeHwnd());
}

CRect CKitPopupBar::GetBorders()
{
    if (m_nBarType == kitBarTypeNormal)
        return m_rcBorders;
    return CKitCommandBar::GetBorders();
}

int CKitPopupBar::OnHookKeyDown(UINT nChar, LPARAM lParam)
{
    if (m_bHasHiddenControls && !m_bExpanded && nChar == VK_DOWN) {
        const BOOL bCtrl = ::GetKeyState(VK_CONTROL) < 0;
        const int nNext = m_pControls->GetNext(m_nSelected, +1);
        if (bCtrl || nNext <= m_nSelected)
            ExpandBar();
    }
    return CKitCommandBar::OnHookKeyDown(nChar, lParam);
}

void CKitPopupBar::OnRecalcLayout()
{
    UpdateLocation();
}

int CKitPopupBar::OnControlsChanged()
{
    m_nSelected = -1;
    m_nPopuped = -1;
    UpdateLocation();
    return 0;
}

void CKitPopupBar::Copy(const CKitCommandBar* pSource, BOOL bRecursive)
{
    CKitCommandBar::Copy(pSource, bRecursive);
    if (auto* pPopup = DYNAMIC_DOWNCAST(CKitPopupBar, const_cast<CKitCommandBar*>(pSource))) {
        m_bTearOffPopup = pPopup->m_bTearOffPopup;
        m_strTearOffCaption = pPopup->m_strTearOffCaption;
        m_nTearOffId = pPopup->m_nTearOffId;
        m_nTearOffWidth = pPopup->m_nTearOffWidth;
        m_bShowShadow = pPopup->m_bShowShadow;
        m_rcBorders = pPopup->m_rcBorders;
        m_bContextMenu = pPopup->m_bContextMenu;
    }
}

void CKitPopupBar::DrawCommandBar(CDC* pDC, CRect rcClip)
{
    CKitCommandBar::DrawCommandBar(pDC, rcClip);
    const COLORREF clrText = ::GetSysColor(COLOR_BTNTEXT);
    if (m_bTearOffPopup && GetControlCount() > 0 && !m_rcTearOffGripper.IsRectEmpty()) {
        CRect rc = m_rcTearOffGripper;
        rc.DeflateRect(3, 3);
        pDC->FillSolidRect(rc, m_bTearOffHot ? ::GetSysColor(COLOR_HIGHLIGHT) : ::GetSysColor(COLOR_BTNSHADOW));
    }
    // The scroll buttons' arrows.
    for (const CRect* pButton : {&m_rcScrollUp, &m_rcScrollDown}) {
        if (!m_bScrolling || pButton->IsRectEmpty())
            continue;
        const CPoint c = pButton->CenterPoint();
        const BOOL bUp = pButton == &m_rcScrollUp;
        CPen pen(PS_SOLID, 1, clrText);
        CPen* pOld = pDC->SelectObject(&pen);
        for (int i = 0; i <= 3; i++) {
            const int y = bUp ? c.y - 3 + i : c.y + 3 - i;
            pDC->MoveTo(c.x - i, y);
            pDC->LineTo(c.x + i + 1, y);
        }
        pDC->SelectObject(pOld);
    }
    // The expand button's double chevron.
    CKitControl* pExpand = m_pControls->FindControl(kitControlButton, kIdExpandButton, TRUE, FALSE);
    if (pExpand != nullptr && pExpand->IsTemporary() && pExpand->IsVisible()) {
        const CPoint c = pExpand->GetRect().CenterPoint();
        CPen pen(PS_SOLID, 1, clrText);
        CPen* pOld = pDC->SelectObject(&pen);
        for (int dy : {-3, 1}) {
            for (int i = 0; i < 3; i++) {
                pDC->MoveTo(c.x - 3 + i, c.y + dy + i);
                pDC->LineTo(c.x + 4 - i, c.y + dy + i);
            }
        }
        pDC->SelectObject(pOld);
    }
}

void CKitPopupBar::UpdateExcludeRect()
{
    CKitCommandBar* pParent = GetParentCommandBar();
    if (m_pControlPopup == nullptr || pParent == nullptr)
        return;
    const int nPosition = pParent->GetPosition();
    const int nType = pParent->GetType();
    DWORD dwFlags = (m_pControlPopup->GetFlags() & kControlFlagOpenLeft) != 0 || pParent->IsLayoutRTLWindow()
                        ? kitPopupLeft
                        : 0;
    const BOOL bVertical = IsVerticalLayoutPosition(nPosition) || (nPosition == kitBarFloating && nType == kitBarTypePopup);
    if (m_pControlPopup->GetType() == kitControlComboBox && nType != kitBarTypePopup) {
        dwFlags |= kitPopupDown;
    } else if (nPosition == kitBarPopup && (pParent->GetFlags() & kBarFlagDropDownPopups) != 0) {
        dwFlags |= kitPopupDown;
    } else if (!bVertical) {
        dwFlags |= kitPopupDown;
    } else {
        auto* pParentPopup = DYNAMIC_DOWNCAST(CKitPopupBar, pParent);
        const BOOL bParentLeft = pParentPopup != nullptr && (pParentPopup->GetPopupFlags() & kitPopupLeft) != 0;
        dwFlags = nPosition == kitBarRight || bParentLeft ? kitPopupLeft : 0;
    }
    m_dwPopupFlags = dwFlags;
    CRect rc = m_pControlPopup->GetRect();
    m_pControlPopup->AdjustExcludeRect(rc, bVertical);
    pParent->ClientToScreen(&rc);
    m_rcExclude = rc;
    m_ptPopup = (dwFlags & kitPopupDown) != 0 ? CPoint(rc.left, rc.bottom) : CPoint(rc.right, rc.top);
}

void CKitPopupBar::UpdateExpandingState()
{
    CKitCommandBarManager* pCommandBars = GetCommandBars();
    const BOOL bFullMenus = pCommandBars == nullptr || pCommandBars->GetCommandBarsOptions()->bAlwaysShowFullMenus;
    if (bFullMenus)
        m_bExpanded = TRUE;
    m_bHasHiddenControls = FALSE;
    for (int i = 0; i < GetControlCount(); i++) {
        CKitControl* pControl = GetControl(i);
        pControl->SetHideFlags(pControl->GetHideFlags() & ~kitHideGeneric);
        const BOOL bExpandButton = pControl->GetId() == kIdExpandButton && pControl->IsTemporary();
        if (bFullMenus || bExpandButton || !pControl->IsCollapsible() || pCommandBars->IsCommandUsed(pControl->GetId()))
            continue;
        if (!m_bExpanded && pControl->IsVisible()) {
            pControl->SetHideFlags(pControl->GetHideFlags() | kitHideGeneric);
            m_bHasHiddenControls = TRUE;
        }
    }
}

CSize CKitPopupBar::CalcDynamicLayout(int /*nLength*/, DWORD dwMode)
{
    UpdateShortcuts();
    m_bInLayout = TRUE;
    m_rcScrollUp.SetRectEmpty();
    m_rcScrollDown.SetRectEmpty();
    CKitBarPainter* pPainter = GetPaintManager();
    CClientDC dc(nullptr);
    CFont* pOldFont = pPainter != nullptr ? dc.SelectObject(pPainter->GetCommandBarFont(this)) : nullptr;
    CRect rcWork;
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &rcWork, 0);
    if (m_nBarType == kitBarTypeNormal) {
        const CSize size = CalcToolBarRows(&dc);
        if (pOldFont != nullptr)
            dc.SelectObject(pOldFont);
        m_bInLayout = FALSE;
        return size;
    }
    KitPopupLayoutMetrics metrics;
    metrics.rcBorders = GetBorders();
    metrics.nWorkAreaRight = rcWork.right;
    const int nTopBorder = metrics.rcBorders.top;
    if (m_bTearOffPopup)
        metrics.rcBorders.top += kTearOffGripperHeight;
    if (dwMode == 0)
        UpdateExpandingState();
    CKitControl* pExpand = m_pControls->FindControl(kitControlButton, kIdExpandButton, FALSE, FALSE);
    if (pExpand != nullptr && !pExpand->IsTemporary())
        pExpand = nullptr;
    if (m_bHasHiddenControls) {
        metrics.rcBorders.bottom += kExpandButtonHeight;
        if (pExpand == nullptr) {
            pExpand = new CExpandButton();
            pExpand->SetTemporary(TRUE);
            pExpand->SetId(kIdExpandButton);
            m_pControls->InsertAt(pExpand, -1);
            m_nSelected = -1;
        }
    }
    if (pExpand != nullptr)
        pExpand->SetHideFlags(pExpand->GetHideFlags() | kitHideUser);
    CKitControl* pFirst = GetControl(0);
    if (pPainter != nullptr && pFirst != nullptr) {
        const CSize szSeparator = pPainter->DrawCommandBarSeparator(&dc, this, pFirst, FALSE);
        metrics.nSeparatorHeight = szSeparator.cy;
        metrics.nSeparatorWidth = szSeparator.cx;
    }
    const CSize size = m_pControls->CalcPopupSize(&dc, rcWork.Height(), metrics);
    if (pOldFont != nullptr)
        dc.SelectObject(pOldFont);
    const int nBottom = size.cy - metrics.rcBorders.bottom;
    if (pExpand != nullptr && m_bHasHiddenControls) {
        pExpand->SetHideFlags(pExpand->GetHideFlags() & ~kitHideUser);
        pExpand->SetRect(CRect(metrics.rcBorders.left, nBottom, size.cx - metrics.rcBorders.right,
                               nBottom + kExpandButtonHeight));
    }
    m_rcTearOffGripper = m_bTearOffPopup ? CRect(0, nTopBorder, size.cx, nTopBorder + kTearOffGripperHeight)
                                         : CRect(0, 0, 0, 0);
    m_bInLayout = FALSE;
    return size;
}

CSize CKitPopupBar::CalcToolBarRows(CDC* pDC)
{
    CRect rcBorders = GetBorders();
    const int nTopBorder = rcBorders.top;
    if (m_bTearOffPopup)
        rcBorders.top += kTearOffGripperHeight;
    KitRowLayoutMetrics metrics;
    CKitBarPainter* pPainter = GetPaintManager();
    if (pPainter != nullptr && GetControl(0) != nullptr)
        metrics.szGroupGap = pPainter->DrawCommandBarSeparator(pDC, this, GetControl(0), FALSE);
    const CSize size = m_pControls->CalcDynamicSize(pDC, CKitPopupToolBar::kMaxRowWidth, LM_COMMIT | LM_HORZDOCK,
                                                    rcBorders, 0, metrics);
    m_rcTearOffGripper = m_bTearOffPopup ? CRect(0, nTopBorder, size.cx, nTopBorder + kTearOffGripperHeight)
                                         : CRect(0, 0, 0, 0);
    return size;
}

IMPLEMENT_DYNCREATE(CKitPopupToolBar, CKitPopupBar)

CKitPopupToolBar::CKitPopupToolBar()
{
    m_nBarType = kitBarTypeNormal;
}

CKitPopupToolBar* CKitPopupToolBar::CreatePopupToolBar(CKitCommandBarManager* pCommandBars)
{
    auto* pBar = new CKitPopupToolBar();
    pBar->SetCommandBars(pCommandBars);
    return pBar;
}

CSize CKitPopupToolBar::CalcDynamicLayout(int /*nLength*/, DWORD /*dwMode*/)
{
    return CKitPopupBar::CalcDynamicLayout(0, 0);
}

CRect CKitPopupBar::CalcPopupRect(CPoint pt, CSize size)
{
    KitPopupPlacement placement;
    MONITORINFO info = {};
    info.cbSize = sizeof(info);
    HMONITOR hMonitor = m_rcExclude.IsRectEmpty() ? ::MonitorFromPoint(pt, MONITOR_DEFAULTTONEAREST)
                                                  : ::MonitorFromRect(&m_rcExclude, MONITOR_DEFAULTTONEAREST);
    if (::GetMonitorInfoA(hMonitor, &info)) {
        placement.rcWork = info.rcWork;
        placement.rcMonitor = info.rcMonitor;
    } else {
        ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &placement.rcWork, 0);
        placement.rcMonitor = placement.rcWork;
    }
    placement.rcExclude = m_rcExclude;
    placement.pt = pt;
    placement.size = size;
    placement.dwFlags = m_dwPopupFlags;
    BOOL bColumns = FALSE;
    for (int i = 0; i < GetControlCount(); i++)
        bColumns = bColumns || (GetControl(i)->GetWrap() && GetControl(i)->IsVisible());
    CKitCommandBarManager* pCommandBars = GetCommandBars();
    placement.bMayWrap = bColumns || (pCommandBars != nullptr && pCommandBars->GetCommandBarsOptions()->bWrapPopups);
    placement.bMultiColumnLayout = m_nBarType == kitBarTypePopup && !bColumns;
    placement.nMaxHeight = m_nMaxHeight;
    placement.relayout = [this](int) { return CalcDynamicLayout(0, 1); };
    const CRect rc = KitCalcPopupRect(placement);
    m_dwPopupFlags = placement.dwFlags;
    m_bScrolling = placement.bScroll && m_nBarType == kitBarTypePopup && m_nBarPosition == kitBarPopup;
    return rc;
}

CRect CKitPopupBar::CalcPlacement()
{
    UpdateExcludeRect();
    const CSize size = CalcDynamicLayout(0, 0);
    const CRect rc = CalcPopupRect(m_ptPopup, size);
    if (m_bScrolling) {
        m_nFirstVisible = 0;
        ScrollLayout(rc.Size(), TRUE);
    }
    return rc;
}

void CKitPopupBar::UpdateLocation()
{
    if (m_bInLayout || GetSafeHwnd() == nullptr || !IsWindowVisible())
        return;
    const CRect rc = CalcPlacement();
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    const int nKind = m_bAnimateNextShow ? GetAnimationType() : kitAnimateNone;
    if (rc != rcWindow || m_bAnimateNextShow) {
        if (CKitCommandBarManager* pCommandBars = GetCommandBars())
            pCommandBars->HideKeyboardTips();
        if (CKitBarPainter* pPainter = GetPaintManager())
            pPainter->RemovePopupShadow(this);
        if (KitIsAnimatedPopupKind(nKind)) {
            ShowAnimated(rc, nKind, TRUE);
            PlayPopupSound();
        } else {
            SetWindowPos(nullptr, rc.left, rc.top, rc.Width(), rc.Height(),
                         SWP_NOZORDER | SWP_SHOWWINDOW | SWP_NOACTIVATE);
            SetWindowRegion();
        }
        CastShadow();
    }
    m_bAnimateNextShow = FALSE;
    if (m_pControlPopup != nullptr)
        m_pControlPopup->RedrawParent();
    Redraw();
}

void CKitPopupBar::ScrollLayout(CSize size, BOOL bFromTop)
{
    if (size.cx == 0 || size.cy == 0) {
        CRect rcClient;
        GetClientRect(&rcClient);
        size = rcClient.Size();
    }
    CRect rcMargins = GetBorders();
    if (m_bTearOffPopup)
        rcMargins.top += kTearOffGripperHeight;
    if (m_bHasHiddenControls)
        rcMargins.bottom += kExpandButtonHeight;
    int nSeparator = 0;
    if (CKitBarPainter* pPainter = GetPaintManager()) {
        CClientDC dc(nullptr);
        if (GetControl(0) != nullptr)
            nSeparator = pPainter->DrawCommandBarSeparator(&dc, this, GetControl(0), FALSE).cy;
    }
    const int nCount = GetControlCount();
    const int nTop = rcMargins.top;
    const int nBottom = size.cy - rcMargins.bottom;
    const CRect rcUp(rcMargins.left, nTop, size.cx - rcMargins.right, nTop + kScrollButtonHeight);
    const CRect rcDown(rcMargins.left, nBottom - kScrollButtonHeight, size.cx - rcMargins.right, nBottom);
    m_rcScrollUp.SetRectEmpty();
    m_rcScrollDown.SetRectEmpty();
    auto isShown = [this](int i) { return GetControl(i)->IsVisible(kitHideExpand); };
    auto place = [&](CKitControl* pControl, int y, int nHeight) {
        pControl->SetHideFlags(pControl->GetHideFlags() & ~kitHideExpand);
        pControl->SetRect(CRect(rcMargins.left, y, size.cx - rcMargins.right, y + nHeight));
        pControl->SetRowRect(pControl->GetRect());
    };
    auto scrollOut = [this](int i) { GetControl(i)->SetHideFlags(GetControl(i)->GetHideFlags() | kitHideExpand); };

    if (bFromTop) {
        if (m_nFirstVisible == 1)
            m_nFirstVisible = 0;
        int y = nTop;
        if (m_nFirstVisible > 0) {
            m_rcScrollUp = rcUp;
            y += kScrollButtonHeight;
        }
        for (int i = 0; i < m_nFirstVisible && i < nCount; i++)
            scrollOut(i);
        int i = m_nFirstVisible;
        BOOL bFirst = TRUE;
        for (; i < nCount; i++) {
            CKitControl* pControl = GetControl(i);
            if (!isShown(i))
                continue;
            const int nGap = pControl->GetBeginGroup() && !bFirst ? nSeparator : 0;
            int nHeight = pControl->GetRect().Height();
            if (y + nGap + nHeight > nBottom - kScrollButtonHeight) {
                if (!bFirst)
                    break;
                nHeight = std::max<int>(nBottom - kScrollButtonHeight - y, 0);
            }
            place(pControl, y + nGap, nHeight);
            y += nGap + nHeight;
            bFirst = FALSE;
        }
        m_nEndVisible = i;
        for (; i < nCount; i++)
            scrollOut(i);
        // Nothing is cut off below when only hidden controls remain.
        BOOL bMore = FALSE;
        for (int j = m_nEndVisible; j < nCount; j++)
            bMore = bMore || GetControl(j)->IsVisible(kitHideExpand);
        if (bMore)
            m_rcScrollDown = rcDown;
        else
            m_nEndVisible = nCount;
    } else {
        if (m_nEndVisible == nCount - 1)
            m_nEndVisible = nCount;
        int y = nBottom;
        if (m_nEndVisible != nCount) {
            m_rcScrollDown = rcDown;
            y -= kScrollButtonHeight;
        }
        for (int i = m_nEndVisible; i < nCount; i++)
            scrollOut(i);
        int i = m_nEndVisible - 1;
        BOOL bFirst = TRUE;
        for (; i >= 0; i--) {
            CKitControl* pControl = GetControl(i);
            if (!isShown(i))
                continue;
            const int nHeight = pControl->GetRect().Height();
            const int nGap = pControl->GetBeginGroup() ? nSeparator : 0;
            if (y - nHeight < nTop + kScrollButtonHeight && !bFirst)
                break;
            place(pControl, y - nHeight, nHeight);
            y -= nHeight + nGap;
            bFirst = FALSE;
        }
        m_nFirstVisible = i + 1;
        for (; i >= 0; i--)
            scrollOut(i);
        if (m_nFirstVisible > 0)
            m_rcScrollUp = rcUp;
    }
    Redraw();
}

void CKitPopupBar::ExpandBar()
{
    if (m_bExpanded || !m_bHasHiddenControls)
        return;
    m_pAnimation->Reset();
    m_bExpanded = TRUE;
    m_bAnimateNextShow = TRUE;
    OpenPopupAt(-1);
    SetSelected(-1, kitSelectMouse);
    for (int i = 0; i < GetControlCount(); i++) {
        CKitControl* pControl = GetControl(i);
        pControl->SetHideFlags(pControl->GetHideFlags() & ~kitHideGeneric);
    }
    UpdateLocation();
    CKitMouseManager* pMouse = CKitMouseManager::GetThreadManager();
    pMouse->SetExpandedMenus(TRUE);
    pMouse->SwallowButtonUp();
}

LRESULT CKitPopupBar::OnMouseActivate(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    return MA_NOACTIVATE;
}

void CKitPopupBar::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == kTimerExpandHover) {
        KillTimer(nIDEvent);
        CKitControl* pSelected = GetControl(m_nSelected);
        if (pSelected != nullptr && pSelected->GetId() == kIdExpandButton && pSelected->IsTemporary())
            pSelected->OnExecute();
        return;
    }
    if (nIDEvent == kTimerScrollDown || nIDEvent == kTimerScrollUp) {
        const BOOL bDown = nIDEvent == kTimerScrollDown;
        if (bDown ? m_nEndVisible < GetControlCount() : m_nFirstVisible > 0) {
            if (bDown)
                m_nEndVisible++;
            else
                m_nFirstVisible--;
            ScrollLayout(CSize(0, 0), !bDown);
        } else {
            KillTimer(nIDEvent);
        }
        return;
    }
    if (nIDEvent == kTimerTearOffHover) {
        CPoint pt;
        ::GetCursorPos(&pt);
        ScreenToClient(&pt);
        if (!m_rcTearOffGripper.PtInRect(pt) && !m_bTearOffPressed) {
            m_bTearOffHot = FALSE;
            KillTimer(nIDEvent);
            Redraw();
        }
        return;
    }
    CKitCommandBar::OnTimer(nIDEvent);
}

void CKitPopupBar::OnMouseMove(UINT nFlags, CPoint point)
{
    if (m_nLockInput > 0)
        return;
    if (m_bScrolling) {
        const BOOL bOverDown = m_rcScrollDown.PtInRect(point);
        const BOOL bOverUp = m_rcScrollUp.PtInRect(point);
        if (bOverDown || bOverUp) {
            SetSelected(-1, kitSelectMouse);
            SetTimer(bOverDown ? kTimerScrollDown : kTimerScrollUp, kScrollInterval);
            return;
        }
        KillTimer(kTimerScrollDown);
        KillTimer(kTimerScrollUp);
    }
    if (m_bTearOffPopup && m_rcTearOffGripper.PtInRect(point) && !m_bTearOffHot) {
        SetSelected(-1, kitSelectMouse);
        m_bTearOffHot = TRUE;
        SetTimer(kTimerTearOffHover, kTearOffHoverInterval);
        Redraw();
    }
    CKitCommandBar::OnMouseMove(nFlags, point);
}

void CKitPopupBar::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (m_bTearOffPopup && !IsCustomizeMode() && m_rcTearOffGripper.PtInRect(point)) {
        TrackTearOff();
        return;
    }
    CKitCommandBar::OnLButtonDown(nFlags, point);
}

void CKitPopupBar::SetTearOffPopup(LPCSTR lpszCaption, UINT nID, int nWidth)
{
    m_bTearOffPopup = TRUE;
    m_strTearOffCaption = lpszCaption;
    m_nTearOffId = nID;
    m_nTearOffWidth = nWidth;
}

BOOL CKitPopupBar::IsNearTearOffGripper(CPoint ptScreen) const
{
    CRect rc = m_rcTearOffGripper;
    ClientToScreen(&rc);
    rc.InflateRect(kTearOffSnap, kTearOffSnap);
    return rc.PtInRect(ptScreen);
}

void CKitPopupBar::TrackTearOff()
{
    if (::GetCapture() != nullptr && ::GetCapture() != m_hWnd)
        return;
    ::SetCursor(::LoadCursor(nullptr, IDC_SIZEALL));
    CKitMouseManager* pMouse = CKitMouseManager::GetThreadManager();
    pMouse->SetModal(TRUE);
    m_bTearOffPressed = TRUE;
    SetCapture();
    InternalAddRef();
    BOOL bInside = TRUE;
    CPoint ptLast(LONG_MIN, LONG_MIN);
    MSG msg;
    while (::GetCapture() == m_hWnd && ::GetMessageA(&msg, nullptr, 0, 0)) {
        if (msg.message == WM_LBUTTONUP)
            break;
        if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE)
            break;
        if (msg.message == WM_MOUSEMOVE) {
            CPoint pt(static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam)));
            ::ClientToScreen(msg.hwnd, &pt);
            if (pt == ptLast)
                continue;
            ptLast = pt;
            const BOOL bNowInside = IsNearTearOffGripper(pt);
            if (bNowInside != bInside) {
                bInside = bNowInside;
                ShowWindow(bInside ? SW_SHOWNA : SW_HIDE);
                ShowTornOffToolBar(!bInside, pt);
            } else if (!bInside) {
                ShowTornOffToolBar(TRUE, pt);
            }
            continue;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    if (msg.message == WM_QUIT)
        ::PostQuitMessage(static_cast<int>(msg.wParam));
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    m_bTearOffPressed = FALSE;
    pMouse->SetModal(FALSE);
    const BOOL bTornOff = m_pTornOffToolBar != nullptr && m_pTornOffToolBar->IsVisible();
    const BOOL bGone = InternalRelease() == 0;
    if (bGone)
        return;
    if (bTornOff) {
        if (CKitCommandBarManager* pCommandBars = GetCommandBars())
            pCommandBars->ClosePopups();
        else
            pMouse->SendTrackLostAll();
    }
}

void CKitPopupBar::ShowTornOffToolBar(BOOL bShow, CPoint ptScreen)
{
    if (!bShow) {
        if (m_pTornOffToolBar != nullptr)
            m_pTornOffToolBar->SetVisible(FALSE);
        return;
    }
    CKitCommandBarManager* pCommandBars = GetCommandBars();
    if (m_pTornOffToolBar == nullptr) {
        CKitToolBar* pToolBar = nullptr;
        for (int i = 0; pCommandBars != nullptr && m_nTearOffId != 0 && i < pCommandBars->GetCount(); i++) {
            if (pCommandBars->GetAt(i)->GetBarID() == m_nTearOffId && pToolBar == nullptr)
                pToolBar = DYNAMIC_DOWNCAST(CKitToolBar, pCommandBars->GetAt(i));
        }
        if (pToolBar != nullptr) {
            pToolBar->InternalAddRef();
        } else {
            // Floating in the manager's docking frame when it has one, else a window of its own.
            pToolBar = pCommandBars != nullptr && pCommandBars->GetDockBar(kitBarTop) != nullptr
                           ? pCommandBars->Add(m_strTearOffCaption, kitBarFloating)
                           : nullptr;
            if (pToolBar != nullptr) {
                pToolBar->InternalAddRef();
            } else {
                pToolBar = new CKitToolBar();
                pToolBar->SetTitle(m_strTearOffCaption);
                pToolBar->SetCommandBars(pCommandBars);
                pToolBar->CKitCommandBar::SetPosition(kitBarFloating);
                if (!pToolBar->CreateBar(GetSite(), WS_POPUP | WS_BORDER | WS_CLIPSIBLINGS)) {
                    pToolBar->InternalRelease();
                    return;
                }
                if (pCommandBars != nullptr) {
                    pToolBar->InternalAddRef();
                    pCommandBars->AddCommandBar(pToolBar);
                }
            }
            pToolBar->SetBarID(m_nTearOffId);
            for (int i = 0; i < GetControlCount(); i++) {
                CKitControl* pControl = GetControl(i);
                if (pControl->GetId() == kIdExpandButton && pControl->IsTemporary())
                    continue;
                CKitControl* pCopy = pToolBar->GetControls()->AddClone(pControl, -1, TRUE);
                if (pCopy != nullptr)
                    pCopy->SetHideFlags(pCopy->GetHideFlags() & ~(kitHideGeneric | kitHideExpand));
            }
            if (CWnd* pSite = GetSite())
                pSite->SendMessage(WM_KIT_TEAROFF, reinterpret_cast<WPARAM>(pToolBar), reinterpret_cast<LPARAM>(this));
        }
        m_pTornOffToolBar = pToolBar;
    }
    const int nWidth = m_nTearOffWidth > 0 ? m_nTearOffWidth : 200;
    const CSize size = m_pTornOffToolBar->CalcLayout(nWidth);
    HWND hToolBar = m_pTornOffToolBar->GetSafeHwnd();
    if ((::GetWindowLongA(hToolBar, GWL_STYLE) & WS_CHILD) != 0)
        hToolBar = ::GetParent(hToolBar);
    ::SetWindowPos(hToolBar, HWND_TOPMOST, ptScreen.x - size.cx / 2, ptScreen.y - 10, size.cx, size.cy,
                   SWP_NOACTIVATE | SWP_SHOWWINDOW);
    m_pTornOffToolBar->SetVisible(TRUE);
    m_pTornOffToolBar->Redraw();
}

void CKitCommandBarManager::SetCommandUsed(UINT nId)
{
    if (!IsCommandUsed(nId))
        m_usedCommands.push_back(nId);
}

BOOL CKitCommandBarManager::IsCommandUsed(UINT nId) const
{
    return std::find(m_usedCommands.begin(), m_usedCommands.end(), nId) != m_usedCommands.end();
}

BOOL CKitPopupBar::OnTrackedCommand(UINT nId)
{
    // A command run from a personalised menu is no longer rarely used.
    if (CKitCommandBarManager* pCommandBars = GetCommandBars())
        pCommandBars->SetCommandUsed(nId);
    if (m_pReturnCommand != nullptr) {
        *m_pReturnCommand = nId;
        return TRUE;
    }
    if (m_pCommandReceiver != nullptr && m_pCommandReceiver->GetSafeHwnd() != nullptr) {
        m_pCommandReceiver->SendMessage(WM_COMMAND, MAKEWPARAM(nId, 0), 0);
        return TRUE;
    }
    return FALSE;
}

namespace {

// Whether a press at the screen point keeps the popup menu open: it is in a tracked bar that takes the mouse,
// or in a trusted window.
BOOL IsPressInside(CKitMouseManager* pMouse, CKitPopupBar* pPopup, CPoint ptScreen)
{
    for (int i = 0; i < pMouse->GetTrackCount(); i++) {
        CKitCommandBar* pBar = pMouse->GetTrackAt(i);
        if ((pBar->GetInputLock() == 0 || pPopup->GetInputLock() > 0) && pBar->IsPointInBar(ptScreen) == 1)
            return TRUE;
    }
    return pMouse->IsPointInTrusted(ptScreen);
}

// Runs the messages while the popup tracks; a press outside closes it and stays queued.
void RunPopupMenuLoop(CKitMouseManager* pMouse, CKitPopupBar* pPopup)
{
    CWinThread* pThread = AfxGetApp();
    while (pPopup->IsTrackingMode()) {
        MSG msg;
        if (!::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            ::WaitMessage();
            continue;
        }
        if (CKitDrawHelpers::IsMouseButtonDown(msg.message)) {
            CPoint pt;
            ::GetCursorPos(&pt);
            if (!IsPressInside(pMouse, pPopup, pt)) {
                pPopup->SetTrackingMode(0);
                break;
            }
        }
        if (!::GetMessageA(&msg, nullptr, 0, 0)) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (!pPopup->IsTrackingMode()) {
            ::PostMessageA(msg.hwnd, msg.message, msg.wParam, msg.lParam);
            break;
        }
        if (msg.message == WM_KICKIDLE)
            continue;
        if (pThread == nullptr || !pThread->PreTranslateMessage(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }
}

} // namespace

UINT CKitCommandBarManager::TrackPopupMenu(CKitPopupBar* pPopup, UINT nFlags, int x, int y, CWnd* pSite,
                                           LPCRECT lpExclude, CWnd* pReceiver)
{
    if (pPopup == nullptr)
        return 0;
    const MSG* pCurrent = AfxGetCurrentMessage();
    if (pCurrent != nullptr && pCurrent->message == WM_CONTEXTMENU && pCurrent->lParam == -1)
        ShowKeyboardCues(TRUE);
    if (pPopup->GetCommandBars() == nullptr)
        pPopup->SetCommandBars(this);
    CWnd* pOwner = pSite != nullptr ? pSite : pPopup->GetSite();
    if (pOwner != nullptr) {
        pPopup->SetSite(pOwner);
        pPopup->SetNotifyWindow(pOwner);
    }
    pPopup->SetCommandReceiver(pReceiver);
    if (pOwner != nullptr && pOwner->GetSafeHwnd() != nullptr &&
        (pOwner->GetExStyle() & (WS_EX_LAYOUTRTL | WS_EX_RTLREADING)) != 0)
        nFlags |= TPM_RIGHTALIGN;
    UINT nCommand = 0;
    const BOOL bReturnCommand = (nFlags & TPM_RETURNCMD) != 0;
    pPopup->SetReturnCommand(bReturnCommand ? &nCommand : nullptr);
    pPopup->SetTrackFlags(nFlags & (TPM_RIGHTBUTTON | TPM_NONOTIFY | TPM_RECURSE));
    DWORD dwPopupFlags = (nFlags & TPM_RIGHTALIGN) != 0 ? kitPopupLeft : 0;
    dwPopupFlags |= (nFlags & TPM_BOTTOMALIGN) != 0 ? kitPopupUp : kitPopupDown;
    pPopup->SetPopupFlags(dwPopupFlags);

    CKitMouseManager* pMouse = GetMouseManager();
    const BOOL bRecurse = (nFlags & TPM_RECURSE) != 0;
    if (bRecurse) {
        pMouse->LockTrackingAll(TRUE);
    } else {
        ClosePopups();
        ::ReleaseCapture();
    }
    pMouse->SwallowButtonUp();
    pPopup->InternalAddRef();
    if (pPopup->PopupAt(x, y, lpExclude))
        RunPopupMenuLoop(pMouse, pPopup);
    if (bRecurse)
        pMouse->LockTrackingAll(FALSE);
    pPopup->SetReturnCommand(nullptr);
    pPopup->InternalRelease();
    return bReturnCommand ? nCommand : 1;
}

// CKitRibbonScrollableBar, CKitRibbonScrollableBar::CControlGroupsScroll.
#include "toolkit/themes/ribbon/ribbon_scrollable_bar.h"

#include "toolkit/commandbars/command_bar.h"
#include "toolkit/commandbars/command_bar_manager.h"
#include "toolkit/commandbars/controls.h"
#include "toolkit/commandbars/mouse_manager.h"
#include "toolkit/themes/paint/paint_manager.h"
#include "toolkit/themes/ribbon/ribbon_group.h"
#include "toolkit/themes/ribbon/ribbon_paint_manager.h"

#include <windows.h>

IMPLEMENT_DYNCREATE(CKitRibbonScrollableBar::CControlGroupsScroll, CKitControlButton)

namespace {

UINT PlatformDoubleClickTime()
{
    return ::GetDoubleClickTime();
}

BOOL PlatformIsLeftButtonDown()
{
    const int nButton = ::GetSystemMetrics(SM_SWAPBUTTON) ? VK_RBUTTON : VK_LBUTTON;
    return (::GetKeyState(nButton) & 0x8000) != 0;
}

const CKitRibbonScrollableBar::CControlGroupsScroll::RepeatTiming kPlatformTiming = {
    PlatformDoubleClickTime, PlatformIsLeftButtonDown, nullptr};
const CKitRibbonScrollableBar::CControlGroupsScroll::RepeatTiming* g_pTiming = &kPlatformTiming;

// Control flags of a scroll button: kept off the quick access toolbar (not movable), skipped by the focus.
constexpr DWORD kScrollButtonFlags = kitFlagNoMovable | kitFlagSkipFocus;

void SetRepeatTimer(HWND hWnd, UINT nElapse)
{
    ::SetTimer(hWnd, CKitRibbonScrollableBar::kTimerScrollRepeat, nElapse, nullptr);
    if (g_pTiming->pfnOnTimerSet != nullptr)
        g_pTiming->pfnOnTimerSet(nElapse);
}

} // namespace

void CKitRibbonScrollableBar::CControlGroupsScroll::SetRepeatTiming(const RepeatTiming* pTiming)
{
    g_pTiming = pTiming != nullptr ? pTiming : &kPlatformTiming;
}

CKitRibbonScrollableBar::CControlGroupsScroll::CControlGroupsScroll(BOOL bLeft) : m_bLeft(bLeft)
{
    SetFlags(kScrollButtonFlags);
}

void CKitRibbonScrollableBar::CControlGroupsScroll::OnClick(BOOL /*bKeyboard*/, CPoint /*pt*/)
{
    CKitCommandBar* pOwner = GetParent();
    CKitRibbonScrollableBar* pScrollable = GetScrollableBar(pOwner);
    if (pScrollable == nullptr || pOwner->GetSafeHwnd() == nullptr || !g_pTiming->pfnIsLeftButtonDown())
        return;
    const HWND hOwner = pOwner->GetSafeHwnd();
    InternalAddRef();
    m_bScrollPressed = TRUE;
    RedrawParent(FALSE);
    pScrollable->ScrollGroups(!m_bLeft);

    const UINT nDoubleClick = g_pTiming->pfnDoubleClickTime();
    SetRepeatTimer(hOwner, nDoubleClick * 4 / 5);
    ::SetCapture(hOwner);
    BOOL bFirstTick = TRUE;
    while (::GetCapture() == hOwner && IsVisible()) {
        MSG msg;
        if (!::GetMessageA(&msg, nullptr, 0, 0)) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (msg.message == WM_LBUTTONUP)
            break;
        if (msg.message == WM_TIMER && msg.hwnd == hOwner && msg.wParam == kTimerScrollRepeat) {
            pScrollable->ScrollGroups(!m_bLeft);
            if (bFirstTick) {
                bFirstTick = FALSE;
                SetRepeatTimer(hOwner, nDoubleClick / 10);
            }
            continue;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    if (::IsWindow(hOwner))
        ::KillTimer(hOwner, kTimerScrollRepeat);
    if (::GetCapture() == hOwner)
        ::ReleaseCapture();
    m_bScrollPressed = FALSE;
    if (!IsVisible())
        SetSelected(kitSelectedNone);
    RedrawParent(FALSE);
    InternalRelease();
}

void CKitRibbonScrollableBar::CControlGroupsScroll::Draw(CDC* pDC)
{
    CKitCommandBar* pParent = GetParent();
    if (pParent == nullptr)
        return;
    if (CKitPaintManager* pPaint = CKitPaintManager::FromPainter(pParent->GetPaintManager()))
        pPaint->GetRibbonPaintManager()->DrawGroupsScrollButton(pDC, this, m_bLeft);
}

CKitRibbonScrollableBar* CKitRibbonScrollableBar::GetScrollableBar(CKitCommandBar* pBar)
{
    return dynamic_cast<CKitRibbonScrollableBar*>(pBar);
}

void CKitRibbonScrollableBar::InitScrollableBar(CKitCommandBar* pOwner)
{
    m_pOwnerBar = pOwner;
    m_pScrollRight = new CControlGroupsScroll(FALSE);
    m_pScrollLeft = new CControlGroupsScroll(TRUE);
    for (CControlGroupsScroll* pButton : {m_pScrollRight, m_pScrollLeft}) {
        pOwner->GetControls()->Add(pButton, 0, nullptr, -1, TRUE);
        pButton->SetHideFlags(pButton->GetHideFlags() | kitHideExpand);
        pButton->InternalAddRef();
    }
}

CKitRibbonScrollableBar::~CKitRibbonScrollableBar()
{
    for (CControlGroupsScroll* pButton : {m_pScrollLeft, m_pScrollRight})
        if (pButton != nullptr)
            pButton->InternalRelease();
}

void CKitRibbonScrollableBar::ShowScrollButtons(BOOL bLeft, BOOL bRight)
{
    if (m_pScrollLeft == nullptr || m_pScrollRight == nullptr)
        return;
    const CRect rc = GetGroupsRect();
    const struct {
        CControlGroupsScroll* pButton;
        BOOL bShow;
        CRect rc;
    } buttons[] = {
        {m_pScrollLeft, bLeft, CRect(rc.left - 1, rc.top, rc.left + kScrollButtonWidth, rc.bottom)},
        {m_pScrollRight, bRight, CRect(rc.right - kScrollButtonWidth, rc.top, rc.right + 1, rc.bottom)},
    };
    for (const auto& button : buttons) {
        const DWORD dwHide = button.pButton->GetHideFlags();
        button.pButton->SetHideFlags(button.bShow ? dwHide & ~kitHideExpand : dwHide | kitHideExpand);
        if (button.bShow)
            button.pButton->SetRect(button.rc);
    }
}

void CKitRibbonScrollableBar::RequestScrollStep(CKitCommandBar* pBar, CKitRibbonGroups* pGroups, BOOL bRight)
{
    if (CKitCommandBarManager* pCommandBars = pBar->GetCommandBars())
        pCommandBars->ClosePopups();
    RequestScrollOffset(pBar, pGroups, NextScrollOffset(pGroups->GetScrollOffset(), bRight));
}

void CKitRibbonScrollableBar::RequestScrollOffset(CKitCommandBar* pBar, CKitRibbonGroups* pGroups, int nOffset)
{
    if (nOffset == pGroups->GetScrollOffset())
        return;
    pGroups->SetScrollOffsetRequest(nOffset);
    pBar->DelayLayout();
}

void CKitRibbonScrollableBar::EnsureVisible(CKitRibbonGroups* pGroups, const CRect& rcControl)
{
    if (m_pOwnerBar == nullptr || m_pScrollLeft == nullptr)
        return;
    const CRect rc = GetGroupsRect();
    int nOffset = pGroups->GetScrollOffset();
    if (rcControl.left < kScrollButtonWidth && m_pScrollLeft->IsVisible())
        nOffset += rcControl.left - kScrollButtonWidth;
    else if (rcControl.right > rc.right && m_pScrollRight->IsVisible())
        nOffset += rcControl.right - rc.Width() + kScrollButtonWidth;
    RequestScrollOffset(m_pOwnerBar, pGroups, nOffset < 0 ? 0 : nOffset);
}

CKitRibbonScrollableBar::CControlGroupsScroll* CKitRibbonScrollableBar::HitTestScrollButton(CPoint point) const
{
    for (CControlGroupsScroll* pButton : {m_pScrollLeft, m_pScrollRight})
        if (pButton != nullptr && pButton->IsVisible() && pButton->GetRect().PtInRect(point))
            return pButton;
    return nullptr;
}

CKitControl* CKitRibbonScrollableBar::HitTestControls(CPoint point, int* pIndex) const
{
    if (m_pOwnerBar == nullptr)
        return nullptr;
    CKitControls* pControls = m_pOwnerBar->GetControls();
    CKitControl* pControl = HitTestScrollButton(point);
    if (pControl == nullptr)
        pControl = pControls->HitTest(point);
    if (pIndex != nullptr)
        *pIndex = pControl != nullptr ? pControls->IndexOf(pControl) : -1;
    return pControl;
}

BOOL CKitRibbonScrollableBar::IsScrollButtonShown() const
{
    return (m_pScrollLeft != nullptr && m_pScrollLeft->IsVisible()) ||
           (m_pScrollRight != nullptr && m_pScrollRight->IsVisible());
}

void CKitRibbonScrollableBar::ChangeHighlightedGroup(CKitRibbonGroup* pGroup)
{
    CKitRibbonGroup* pPrevious = m_pHighlightedGroup;
    m_pHighlightedGroup = pGroup;
    for (CKitRibbonGroup* pRedrawn : {pPrevious, pGroup}) {
        if (pRedrawn != nullptr && m_pOwnerBar != nullptr) {
            const CRect rc = pRedrawn->GetRect();
            m_pOwnerBar->Redraw(&rc, TRUE);
        }
    }
}

void CKitRibbonScrollableBar::TrackHighlightedGroup(CPoint point)
{
    CKitRibbonGroup* pGroup = nullptr;
    if (m_pOwnerBar != nullptr) {
        CKitPaintManager* pPainter = CKitPaintManager::FromPainter(m_pOwnerBar->GetPaintManager());
        const BOOL bAllowed = m_pOwnerBar->GetPopuped() == -1 &&
                              !CKitMouseManager::GetThreadManager()->IsTrackingLocked(m_pOwnerBar) &&
                              m_pOwnerBar->GetSelected() == -1 && pPainter != nullptr &&
                              pPainter->GetRibbonPaintManager()->m_bHotGroups;
        if (bAllowed)
            pGroup = HitTestGroup(point);
    }
    if (pGroup == m_pHighlightedGroup)
        return;
    ChangeHighlightedGroup(pGroup);
    if (pGroup != nullptr && m_pOwnerBar->GetSafeHwnd() != nullptr)
        CKitMouseManager::GetThreadManager()->TrackMouseLeave(m_pOwnerBar->GetSafeHwnd());
}

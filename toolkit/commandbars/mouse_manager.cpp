#include "toolkit/commandbars/mouse_manager.h"

#include "framework/wnd.h"
#include "toolkit/commandbars/command_bar.h"
#include "toolkit/common/draw_helpers.h"

#include <algorithm>
#include <memory>

namespace {

// The last point the hook saw, process-wide: it only serves to drop duplicate moves.
LONG g_nLastX = LONG_MIN;
LONG g_nLastY = LONG_MIN;

thread_local std::unique_ptr<CKitMouseManager> t_pMouseManager;

bool IsMoveMessage(UINT nMessage)
{
    return nMessage == WM_MOUSEMOVE || nMessage == WM_NCMOUSEMOVE;
}

// Whether hWnd is hAncestor or lies below it in the chain of GetParent (which follows popups' owners).
bool IsBelow(HWND hWnd, HWND hAncestor)
{
    for (HWND h = hWnd; h != nullptr; h = ::GetParent(h)) {
        if (h == hAncestor)
            return true;
    }
    return false;
}

} // namespace

CKitMouseManager::CKitMouseManager()
{
    SetHook(TRUE);
}

CKitMouseManager::~CKitMouseManager()
{
    SetHook(FALSE);
}

CKitMouseManager* CKitMouseManager::GetThreadManager()
{
    if (!t_pMouseManager)
        t_pMouseManager = std::make_unique<CKitMouseManager>();
    return t_pMouseManager.get();
}

void CKitMouseManager::SetTrack(CKitCommandBar* pBar)
{
    if (m_tracked.empty() && m_pSelectedBar != nullptr && m_pSelectedBar != pBar) {
        CKitCommandBar* pSelected = m_pSelectedBar;
        m_pSelectedBar = nullptr;
        pSelected->ClearSelection();
    }
    if (!IsTracked(pBar))
        m_tracked.push_back(pBar);
}

void CKitMouseManager::RemoveTrack(CKitCommandBar* pBar)
{
    auto it = std::find(m_tracked.begin(), m_tracked.end(), pBar);
    if (it != m_tracked.end())
        m_tracked.erase(it);
    m_bSwallowButtonUp = FALSE;
}

void CKitMouseManager::SendTrackLostAll()
{
    while (!m_tracked.empty()) {
        CKitCommandBar* pBar = m_tracked.front();
        pBar->OnTrackLost();
        // A bar that stays tracked would loop for ever.
        if (!m_tracked.empty() && m_tracked.front() == pBar)
            RemoveTrack(pBar);
    }
}

void CKitMouseManager::LockTrackingAll(BOOL bLock)
{
    for (CKitCommandBar* pBar : m_tracked)
        pBar->LockInput(bLock);
}

CKitCommandBar* CKitMouseManager::GetTrackAt(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetTrackCount() ? m_tracked[nIndex] : nullptr;
}

BOOL CKitMouseManager::IsTracked(const CKitCommandBar* pBar) const
{
    return std::find(m_tracked.begin(), m_tracked.end(), pBar) != m_tracked.end();
}

BOOL CKitMouseManager::IsTrackingLocked(const CKitCommandBar* pBar) const
{
    if (!m_tracked.empty() && !IsTracked(pBar))
        return TRUE;
    return pBar->GetInputLock() > 0;
}

void CKitMouseManager::ForgetBar(CKitCommandBar* pBar)
{
    RemoveTrack(pBar);
    if (m_pSelectedBar == pBar)
        m_pSelectedBar = nullptr;
}

void CKitMouseManager::AddTrustedWindow(HWND hWnd)
{
    m_trusted.push_back(hWnd);
}

void CKitMouseManager::RemoveTrustedWindow(HWND hWnd)
{
    auto it = std::find(m_trusted.begin(), m_trusted.end(), hWnd);
    if (it != m_trusted.end())
        m_trusted.erase(it);
}

void CKitMouseManager::TrackMouseLeave(HWND hWnd)
{
    if (hWnd == m_hLeaveWatched)
        return;
    if (m_hLeaveWatched != nullptr && ::IsWindow(m_hLeaveWatched)) {
        ::KillTimer(m_hLeaveWatched, kTimerMouseLeave);
        ::SendMessageA(m_hLeaveWatched, WM_MOUSELEAVE, 0, 0);
    }
    m_hLeaveWatched = hWnd;
    if (hWnd != nullptr)
        ::SetTimer(hWnd, kTimerMouseLeave, kMouseLeaveInterval, MouseLeaveTimerProc);
}

void CALLBACK CKitMouseManager::MouseLeaveTimerProc(HWND hWnd, UINT /*nMessage*/, UINT_PTR nIDEvent, DWORD /*dwTime*/)
{
    CKitMouseManager* pManager = GetThreadManager();
    CPoint pt;
    ::GetCursorPos(&pt);
    CRect rcWindow;
    ::GetWindowRect(hWnd, &rcWindow);
    bool bLeft = !rcWindow.PtInRect(pt);
    // A child window counts as left while its top-level window is inactive.
    if (!bLeft && (::GetWindowLongA(hWnd, GWL_STYLE) & (WS_CHILD | WS_POPUP)) == WS_CHILD)
        bLeft = !CKitDrawHelpers::IsTopParentActive(CWnd::FromHandle(hWnd));
    if (!bLeft)
        return;
    ::KillTimer(hWnd, nIDEvent);
    if (pManager->m_hLeaveWatched == hWnd)
        pManager->m_hLeaveWatched = nullptr;
    ::PostMessageA(hWnd, WM_MOUSELEAVE, 0, 0);
}

void CKitMouseManager::ResetCursor()
{
    g_nLastX = LONG_MIN;
    g_nLastY = LONG_MIN;
    CPoint pt;
    if (::GetCursorPos(&pt))
        ::SetCursorPos(pt.x, pt.y);
}

void CKitMouseManager::SetHook(BOOL bOn)
{
    if (bOn && m_hHook == nullptr)
        m_hHook = ::SetWindowsHookExA(WH_MOUSE, MouseProc, nullptr, ::GetCurrentThreadId());
    else if (!bOn && m_hHook != nullptr) {
        ::UnhookWindowsHookEx(m_hHook);
        m_hHook = nullptr;
    }
}

LRESULT CALLBACK CKitMouseManager::MouseProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    CKitMouseManager* pManager = t_pMouseManager.get();
    if (nCode == HC_ACTION && pManager != nullptr) {
        const auto* pInfo = reinterpret_cast<const MOUSEHOOKSTRUCT*>(lParam);
        if (pManager->ProcessMouseMessage(static_cast<UINT>(wParam), CPoint(pInfo->pt)))
            return 1;
    }
    return ::CallNextHookEx(nullptr, nCode, wParam, lParam);
}

BOOL CKitMouseManager::ProcessMouseMessage(UINT nMessage, CPoint ptScreen)
{
    if (nMessage == WM_LBUTTONDOWN || nMessage == WM_RBUTTONDOWN)
        m_bSwallowButtonUp = FALSE;
    if ((nMessage == WM_LBUTTONUP || nMessage == WM_NCLBUTTONUP) && m_bSwallowButtonUp) {
        m_bSwallowButtonUp = FALSE;
        return TRUE;
    }
    if (IsMoveMessage(nMessage) && !m_tracked.empty() && ptScreen.x == g_nLastX && ptScreen.y == g_nLastY)
        return TRUE;
    g_nLastX = ptScreen.x;
    g_nLastY = ptScreen.y;
    if (!m_tracked.empty())
        HandleOutside(nMessage, ptScreen);
    return FALSE;
}

BOOL CKitMouseManager::IsPointInTrusted(CPoint ptScreen) const
{
    for (HWND hWnd : m_trusted) {
        CRect rc;
        if (::IsWindowVisible(hWnd) && ::GetWindowRect(hWnd, &rc) && rc.PtInRect(ptScreen))
            return TRUE;
    }
    return FALSE;
}

void CKitMouseManager::HandleOutside(UINT nMessage, CPoint ptScreen)
{
    HWND hUnder = ::WindowFromPoint(ptScreen);
    for (auto it = m_tracked.rbegin(); it != m_tracked.rend(); ++it) {
        CKitCommandBar* pBar = *it;
        const int nInside = pBar->IsPointInBar(ptScreen);
        if (nInside == -2)
            continue;
        if (nInside == 0 && !(hUnder != nullptr && pBar->GetSafeHwnd() != nullptr &&
                              IsBelow(hUnder, pBar->GetSafeHwnd())))
            continue;
        // Inside a bar: a click into a bar whose input is locked closes the unlocked ones.
        if (pBar->GetInputLock() > 0 && !IsMoveMessage(nMessage) && !m_bSwallowButtonUp) {
            const std::vector<CKitCommandBar*> tracked = m_tracked;
            for (CKitCommandBar* pOther : tracked) {
                if (IsTracked(pOther) && pOther->GetInputLock() == 0)
                    pOther->OnTrackLost();
            }
            g_nLastX = LONG_MIN;
            g_nLastY = LONG_MIN;
        }
        return;
    }
    if (IsPointInTrusted(ptScreen))
        return;
    if (hUnder != nullptr && (::GetClassLongA(hUnder, GCL_STYLE) & CS_IME) != 0)
        return;
    if (IsMoveMessage(nMessage)) {
        const std::vector<CKitCommandBar*> tracked = m_tracked;
        for (CKitCommandBar* pBar : tracked) {
            if (!IsTracked(pBar) || pBar->GetInputLock() >= 1 || pBar->GetSafeHwnd() == nullptr)
                continue;
            CPoint pt = ptScreen;
            pBar->ScreenToClient(&pt);
            pBar->OnMouseMoveBar(0, pt);
        }
        return;
    }
    if (CKitDrawHelpers::IsMouseButtonDown(nMessage) ||
        ((nMessage == WM_LBUTTONUP || nMessage == WM_NCLBUTTONUP) && m_nModal <= 0))
        SendTrackLostAll();
}

// CKitMouseManager: the thread's tracked bars and its mouse hook (the mnemonic keys of captions are in mnemonic.h).
#pragma once

#include "framework/geometry.h"
#include "toolkit/commandbars/mnemonic.h"

#include <windows.h>

#include <vector>

class CKitCommandBar;
class CWnd;

// One per thread: the bars in tracking mode (the most recent last) and the thread
// mouse hook that closes them on a click outside and shows them moves outside.
class CKitMouseManager {
public:
    // The leave watch's timer on the watched window.
    static constexpr UINT_PTR kTimerMouseLeave = 113341;
    static constexpr UINT kMouseLeaveInterval = 50;

    CKitMouseManager();
    ~CKitMouseManager();
    CKitMouseManager(const CKitMouseManager&) = delete;
    CKitMouseManager& operator=(const CKitMouseManager&) = delete;

    // The calling thread's manager, made (with its hook) on first use.
    static CKitMouseManager* GetThreadManager();

    // Appends the bar to the tracked bars (once); a bar hot outside tracking loses its selection.
    void SetTrack(CKitCommandBar* pBar);
    void RemoveTrack(CKitCommandBar* pBar);
    // Tells the tracked bars, first first, that they lost tracking until none is left.
    void SendTrackLostAll();
    // Adds 1 (lock) or -1 to the input lock of every tracked bar.
    void LockTrackingAll(BOOL bLock);
    int GetTrackCount() const { return static_cast<int>(m_tracked.size()); }
    CKitCommandBar* GetTrackAt(int nIndex) const;
    BOOL IsTracked(const CKitCommandBar* pBar) const;
    // Bars are tracked and this one is not among them, or its input is locked.
    BOOL IsTrackingLocked(const CKitCommandBar* pBar) const;

    // The bar that last had a hot control outside tracking.
    CKitCommandBar* GetSelectedBar() const { return m_pSelectedBar; }
    void SetSelectedBar(CKitCommandBar* pBar) { m_pSelectedBar = pBar; }
    // A bar that goes away is forgotten everywhere.
    void ForgetBar(CKitCommandBar* pBar);

    // Clicks in a trusted window never close the tracked bars.
    void AddTrustedWindow(HWND hWnd);
    void RemoveTrustedWindow(HWND hWnd);
    BOOL IsPointInTrusted(CPoint ptScreen) const;

    // While the mouse is locked, bars ignore mouse moves.
    void LockMouse(BOOL bLock) { m_nMouseLock += bLock ? 1 : -1; }
    BOOL IsMouseLocked() const { return m_nMouseLock > 0; }
    // Raised while a bar's modal drag loop runs: button-ups outside do not close the bars.
    void SetModal(BOOL bModal) { m_nModal += bModal ? 1 : -1; }
    int GetModalCount() const { return m_nModal; }
    // The next left button-up is eaten (after a click that expands a popup).
    void SwallowButtonUp() { m_bSwallowButtonUp = TRUE; }
    BOOL GetExpandedMenus() const { return m_bExpandedMenus; }
    void SetExpandedMenus(BOOL bExpanded) { m_bExpandedMenus = bExpanded; }

    // Watches one window at a time and sends it WM_MOUSELEAVE when the cursor leaves it.
    void TrackMouseLeave(HWND hWnd);
    // Forgets the last point and puts the cursor where it is, so that the next move is reported.
    void ResetCursor();

    // Installs (or removes) the thread's WH_MOUSE hook.
    void SetHook(BOOL bOn);
    // The hook's work for one mouse message at a screen point; TRUE when the message is eaten.
    BOOL ProcessMouseMessage(UINT nMessage, CPoint ptScreen);

private:
    static LRESULT CALLBACK MouseProc(int nCode, WPARAM wParam, LPARAM lParam);
    static void CALLBACK MouseLeaveTimerProc(HWND hWnd, UINT nMessage, UINT_PTR nIDEvent, DWORD dwTime);
    // The outside-click rule: closes or informs the tracked bars.
    void HandleOutside(UINT nMessage, CPoint ptScreen);

    int m_nModal = 0;
    int m_nMouseLock = 0;
    std::vector<CKitCommandBar*> m_tracked;
    std::vector<HWND> m_trusted;
    HHOOK m_hHook = nullptr;
    CKitCommandBar* m_pSelectedBar = nullptr;
    BOOL m_bExpandedMenus = FALSE;
    BOOL m_bSwallowButtonUp = FALSE;
    HWND m_hLeaveWatched = nullptr;
};

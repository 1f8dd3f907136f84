// The frame hook on test windows: styles, caption height, the merged status bar, the region it sets for a size,
// the composited frame's glass margin, the idle update and the frame layout.
#include "toolkit/themes/paint/frame_hook.h"

#include "framework/ids.h"
#include "skinned_frame.h"
#include "test_paint_manager.h"
#include "toolkit/commandbars/command_bar_manager.h"
#include "toolkit/themes/paint/frame_paint_manager.h"

#include "framework/frame.h"
#include "framework/wnd.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// A paint manager of the test's own, released at the end.
class PaintManager {
public:
    PaintManager() : m_pm(new CTestPaintManager()) { m_pm->RefreshMetrics(); }
    ~PaintManager() { m_pm->InternalRelease(); }
    PaintManager(const PaintManager&) = delete;
    PaintManager& operator=(const PaintManager&) = delete;
    CTestPaintManager* operator->() const { return m_pm; }
    CTestPaintManager* Get() const { return m_pm; }

private:
    CTestPaintManager* m_pm;
};

// A window that counts the sizes and frame recalculations it is told of.
class CCountingWindow : public CWnd {
public:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_SIZE) {
            m_nSizes++;
            m_szLast = CSize(LOWORD(lParam), HIWORD(lParam));
        }
        if (message == WM_NCCALCSIZE && wParam)
            m_nFrameChanges++;
        return CWnd::WindowProc(message, wParam, lParam);
    }
    int m_nSizes = 0;
    int m_nFrameChanges = 0;
    CSize m_szLast;
};

// A hidden window of the styles with a hook on it.
struct Hooked {
    Hooked(CTestPaintManager* pm, DWORD dwStyle, DWORD dwExStyle = 0, CRect rc = CRect(0, 0, 200, 150))
    {
        wnd.CreateEx(dwExStyle & ~WS_EX_MDICHILD, CSkinnedFrame::ClassName(), "Hooked", dwStyle & ~WS_VISIBLE,
                     rc.left, rc.top, rc.Width(), rc.Height(), nullptr, nullptr);
        // Styles set afterwards: a "maximised" window keeps its size, an "MDI child" needs no MDI client.
        ::SetWindowLongPtrA(wnd.GetSafeHwnd(), GWL_STYLE, dwStyle & ~WS_VISIBLE);
        ::SetWindowLongPtrA(wnd.GetSafeHwnd(), GWL_EXSTYLE, dwExStyle);
        hook = std::make_unique<CKitFrameHook>(&wnd, nullptr, nullptr);
        hook->SetPaintManager(pm);
    }
    ~Hooked() { wnd.DestroyWindow(); }
    CCountingWindow wnd;
    std::unique_ptr<CKitFrameHook> hook;
};

// Whether the point lies in the window's region; FALSE without a region.
bool InWindowRegion(HWND hWnd, int x, int y)
{
    HRGN hRegion = ::CreateRectRgn(0, 0, 0, 0);
    const bool bInside = ::GetWindowRgn(hWnd, hRegion) != ERROR && ::PtInRegion(hRegion, x, y);
    ::DeleteObject(hRegion);
    return bInside;
}

bool HasWindowRegion(HWND hWnd)
{
    HRGN hRegion = ::CreateRectRgn(0, 0, 0, 0);
    const bool bRegion = ::GetWindowRgn(hWnd, hRegion) != ERROR;
    ::DeleteObject(hRegion);
    return bRegion;
}

int SystemBorder(DWORD dwStyle, DWORD dwExStyle)
{
    RECT rc = {0, 0, 0, 0};
    ::AdjustWindowRectEx(&rc, dwStyle, FALSE, dwExStyle);
    return -rc.left;
}

} // namespace

TEST(KitFrameHook, StylesPaintManagersAndTheCaptionWithoutARibbon)
{
    PaintManager pm;
    CKitFrameHook empty(nullptr, nullptr, nullptr);
    EXPECT_EQ(0u, empty.GetStyle());
    EXPECT_EQ(0u, empty.GetStyle(TRUE));
    empty.RefreshFrameRegion();

    Hooked frame(pm.Get(), WS_OVERLAPPEDWINDOW, WS_EX_APPWINDOW);
    CKitFrameHook& hook = *frame.hook;
    EXPECT_EQ(static_cast<DWORD>(::GetWindowLongPtrA(frame.wnd.GetSafeHwnd(), GWL_STYLE)), hook.GetStyle());
    EXPECT_EQ(static_cast<DWORD>(WS_OVERLAPPEDWINDOW), hook.GetStyle() & WS_OVERLAPPEDWINDOW);
    EXPECT_TRUE(hook.GetStyle(TRUE) & WS_EX_APPWINDOW);
    EXPECT_EQ(pm.Get(), hook.GetPaintManager());
    EXPECT_EQ(pm->GetFramePaintManager(), hook.GetFramePaintManager());
    EXPECT_EQ(SystemBorder(WS_OVERLAPPEDWINDOW, WS_EX_APPWINDOW), hook.GetBorderWidth());
    EXPECT_TRUE(hook.IsCaptionOwnedByFrame());
    EXPECT_EQ(pm->GetFramePaintManager()->GetCaptionHeight() + hook.GetBorderWidth(), hook.GetCaptionHeight());
    EXPECT_FALSE(hook.IsMDIMaximized());

    // With a command-bar manager its paint manager serves.
    PaintManager other;
    CKitCommandBarManager manager;
    other->AddPainterReference();
    manager.SetPaintManager(other.Get());
    CKitFrameHook managed(&frame.wnd, nullptr, &manager);
    EXPECT_EQ(other.Get(), managed.GetPaintManager());
    manager.SetPaintManager(nullptr);
}

TEST(KitFrameHook, TheStatusBarIsMergedOnlyWhenVisibleThemedAndAsked)
{
    PaintManager pm;
    Hooked frame(pm.Get(), WS_OVERLAPPEDWINDOW);
    CWnd statusBar;
    ASSERT_TRUE(statusBar.CreateEx(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 0, 100, 200, 23, frame.wnd.GetSafeHwnd(),
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(AFX_IDW_STATUS_BAR))));
    CKitFramePaintManager* pFrame = pm->GetFramePaintManager();
    struct Case {
        const char* name;
        BOOL bMerge, bThemed, bVisible;
        bool bMerged;
    };
    const Case cases[] = {
        {"merged", TRUE, TRUE, TRUE, true},
        {"not asked", FALSE, TRUE, TRUE, false},
        {"status bar not themed", TRUE, FALSE, TRUE, false},
        {"status bar hidden", TRUE, TRUE, FALSE, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        pFrame->m_bFrameStatusBar = c.bMerge;
        pm->m_bThemedStatusBar = c.bThemed;
        statusBar.ShowWindow(c.bVisible ? SW_SHOWNA : SW_HIDE);
        int nHeight = -1;
        EXPECT_EQ(c.bMerged, frame.hook->IsFrameStatusBarMerged(&nHeight) != FALSE);
        EXPECT_EQ(c.bMerged ? 23 : -1, nHeight);
    }
    // Without the standard status bar's id nothing is merged.
    pFrame->m_bFrameStatusBar = TRUE;
    pm->m_bThemedStatusBar = TRUE;
    statusBar.ShowWindow(SW_SHOWNA);
    ::SetWindowLongPtrA(statusBar.GetSafeHwnd(), GWLP_ID, 100);
    EXPECT_FALSE(frame.hook->IsFrameStatusBarMerged());
}

TEST(KitFrameHook, TheRegionIsSetForANewSizeOrWhenForcedAndFitsTheWindowsState)
{
    PaintManager pm;
    Hooked frame(pm.Get(), WS_OVERLAPPEDWINDOW);
    const HWND hWnd = frame.wnd.GetSafeHwnd();
    CKitFrameHook& hook = *frame.hook;

    hook.UpdateFrameRegion(200, 150, FALSE);
    EXPECT_EQ(CSize(200, 150), hook.GetLastSize());
    EXPECT_FALSE(InWindowRegion(hWnd, 0, 0));
    EXPECT_TRUE(InWindowRegion(hWnd, 4, 0));
    EXPECT_TRUE(InWindowRegion(hWnd, 0, 149));

    // The same size again changes nothing unless forced.
    ::SetWindowRgn(hWnd, nullptr, FALSE);
    hook.UpdateFrameRegion(200, 150, FALSE);
    EXPECT_FALSE(HasWindowRegion(hWnd));
    hook.UpdateFrameRegion(200, 150, TRUE);
    EXPECT_TRUE(HasWindowRegion(hWnd));
    hook.RecalcFrameLayout();
    EXPECT_EQ(CSize(0, 0), hook.GetLastSize());

    // A maximised MDI child has no region of its own.
    Hooked child(pm.Get(), WS_OVERLAPPEDWINDOW | WS_MAXIMIZE, WS_EX_MDICHILD);
    EXPECT_TRUE(child.hook->IsMDIMaximized());
    child.hook->UpdateFrameRegion(200, 150, TRUE);
    EXPECT_FALSE(HasWindowRegion(child.wnd.GetSafeHwnd()));

    // Maximised: the window without its border (less the client edge).
    for (DWORD dwExStyle : {0ul, static_cast<unsigned long>(WS_EX_CLIENTEDGE)}) {
        SCOPED_TRACE(dwExStyle);
        Hooked maximised(pm.Get(), WS_OVERLAPPEDWINDOW | WS_MAXIMIZE, dwExStyle);
        maximised.hook->UpdateFrameRegion(200, 150, TRUE);
        const int b = SystemBorder(WS_OVERLAPPEDWINDOW | WS_MAXIMIZE, dwExStyle) - (dwExStyle ? 2 : 0);
        const HWND hMax = maximised.wnd.GetSafeHwnd();
        EXPECT_FALSE(InWindowRegion(hMax, b - 1, b));
        EXPECT_TRUE(InWindowRegion(hMax, b, b));
        EXPECT_TRUE(InWindowRegion(hMax, 199 - b, 149 - b));
        EXPECT_FALSE(InWindowRegion(hMax, 200 - b, 149 - b));
    }
}

TEST(KitFrameHook, ACompositedFrameGetsAThinBorderAndNoRegion)
{
    PaintManager pm;
    Hooked frame(pm.Get(), WS_OVERLAPPEDWINDOW);
    frame.hook->SetComposited(TRUE);
    frame.hook->UpdateFrameRegion(200, 150, TRUE);
    EXPECT_EQ(CKitFrameHook::kCompositedBorder, frame.hook->GetBorderWidth());
    EXPECT_FALSE(HasWindowRegion(frame.wnd.GetSafeHwnd()));
    // The frame draws its own caption: no glass over the client area.
    EXPECT_EQ(0, frame.hook->GetFrameExtensionTop());

    // A maximised composited frame keeps the system's border.
    Hooked maximised(pm.Get(), WS_OVERLAPPEDWINDOW | WS_MAXIMIZE);
    maximised.hook->SetComposited(TRUE);
    maximised.hook->UpdateFrameRegion(200, 150, TRUE);
    EXPECT_EQ(SystemBorder(WS_OVERLAPPEDWINDOW | WS_MAXIMIZE, 0), maximised.hook->GetBorderWidth());
}

namespace {

// A frame window that counts its layouts.
class CCountingFrame : public CFrameWnd {
public:
    void RecalcLayout(BOOL bNotify = TRUE) override
    {
        m_nLayouts++;
        CFrameWnd::RecalcLayout(bNotify);
    }
    int m_nLayouts = 0;
};

} // namespace

TEST(KitFrameHook, AFrameWindowIsLaidOutAgainWhenTheFrameChanges)
{
    PaintManager pm;
    auto* pFrame = new CCountingFrame;
    ASSERT_TRUE(pFrame->Create(nullptr, "Frame", WS_OVERLAPPEDWINDOW, CRect(0, 0, 200, 150)));
    CKitFrameHook hook(pFrame, nullptr, nullptr);
    hook.SetPaintManager(pm.Get());
    pFrame->m_nLayouts = 0;
    hook.RecalcFrameLayout();
    EXPECT_EQ(1, pFrame->m_nLayouts);
    pFrame->DestroyWindow();
}

TEST(KitFrameHook, TheIdleUpdateIsPostedAndTheLayoutRecalculatesTheFrame)
{
    PaintManager pm;
    Hooked frame(pm.Get(), WS_OVERLAPPEDWINDOW, 0, CRect(0, 0, 220, 160));
    const HWND hWnd = frame.wnd.GetSafeHwnd();
    MSG msg;
    while (::PeekMessageA(&msg, hWnd, 0, 0, PM_REMOVE)) {
    }

    frame.hook->PostIdleUpdate();
    EXPECT_TRUE(frame.hook->IsUpdatePending());
    ASSERT_TRUE(::PeekMessageA(&msg, hWnd, WM_IDLEUPDATECMDUI, WM_IDLEUPDATECMDUI,
                               PM_REMOVE));
    EXPECT_EQ(0u, msg.wParam);
    EXPECT_EQ(0, msg.lParam);

    frame.wnd.m_nSizes = 0;
    frame.wnd.m_nFrameChanges = 0;
    frame.hook->RecalcFrameLayout();
    EXPECT_FALSE(frame.hook->IsUpdatePending());
    EXPECT_EQ(1, frame.wnd.m_nFrameChanges);
    EXPECT_EQ(1, frame.wnd.m_nSizes);
    CRect rcClient;
    frame.wnd.GetClientRect(&rcClient);
    EXPECT_EQ(rcClient.Size(), frame.wnd.m_szLast);
}

TEST(KitFrameHook, AVisibleRibbonAtTheTopOwnsTheCaptionAndGivesItsHeight)
{
    PaintManager pm;
    CKitPaintManager::SetCustomTheme(pm.Get());
    pm->AddPainterReference();
    {
        Hooked frame(pm.Get(), WS_OVERLAPPEDWINDOW | WS_VISIBLE);
        frame.wnd.ShowWindow(SW_SHOWNA);
        TestRibbon ribbon(&frame.wnd);
        CKitFrameHook hook(&frame.wnd, ribbon.Get(), nullptr);
        hook.SetPaintManager(pm.Get());
        ASSERT_TRUE(ribbon->IsVisible());
        EXPECT_FALSE(hook.IsCaptionOwnedByFrame());
        EXPECT_EQ(ribbon->GetCaptionHeight() + hook.GetBorderWidth(), hook.GetCaptionHeight());

        // The glass reaches over the ribbon's caption, on a flat frame over its tabs row too.
        EXPECT_EQ(hook.GetCaptionHeight(), hook.GetFrameExtensionTop());
        pm->GetFramePaintManager()->m_nFlatFrame = 1;
        EXPECT_EQ(hook.GetCaptionHeight() + ribbon->GetTabsHeight() + 1, hook.GetFrameExtensionTop());
        pm->GetFramePaintManager()->m_nFlatFrame = 0;

        struct Case {
            const char* name;
            BOOL bShown, bRibbonVisible;
            int nPosition;
        };
        const Case cases[] = {
            {"hidden bar", FALSE, TRUE, kitBarTop},
            {"too small to show", TRUE, FALSE, kitBarTop},
            {"docked at the bottom", TRUE, TRUE, kitBarBottom},
        };
        for (const Case& c : cases) {
            SCOPED_TRACE(c.name);
            ribbon->ShowWindow(c.bShown ? SW_SHOWNA : SW_HIDE);
            ribbon->SetRibbonVisible(c.bRibbonVisible);
            ribbon->CKitCommandBar::SetPosition(c.nPosition);
            EXPECT_TRUE(hook.IsCaptionOwnedByFrame());
            EXPECT_EQ(pm->GetFramePaintManager()->GetCaptionHeight() + hook.GetBorderWidth(), hook.GetCaptionHeight());
            EXPECT_EQ(0, hook.GetFrameExtensionTop());
            ribbon->ShowWindow(SW_SHOWNA);
            ribbon->SetRibbonVisible(TRUE);
            ribbon->CKitCommandBar::SetPosition(kitBarTop);
        }
    }
    {
        // A minimised child frame draws its own caption whatever its ribbon does.
        Hooked parent(pm.Get(), WS_OVERLAPPEDWINDOW);
        CCountingWindow child;
        ASSERT_TRUE(child.CreateEx(0, CSkinnedFrame::ClassName(), "Child", WS_CHILD | WS_CAPTION | WS_VISIBLE, 0, 0,
                                   120, 80, parent.wnd.GetSafeHwnd(), nullptr));
        ::SetWindowLongPtrA(child.GetSafeHwnd(), GWL_STYLE, WS_CHILD | WS_CAPTION | WS_VISIBLE | WS_MINIMIZE);
        TestRibbon ribbon(&child);
        CKitFrameHook hook(&child, ribbon.Get(), nullptr);
        hook.SetPaintManager(pm.Get());
        EXPECT_TRUE(hook.IsCaptionOwnedByFrame());
        child.DestroyWindow();
    }
    CKitPaintManager::Done();
}

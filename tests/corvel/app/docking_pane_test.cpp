// The main window's "Device View" pane: its caption buttons, floating in a frame of its own, auto-hide behind
// a tab at the window's edge, and sizing.
#include "corvel/resources/resource.h"
#include "corvel/workspace/main_frame.h"

#include <gtest/gtest.h>

#include "corvel_app_environment.h"
#include "support/window_screenshot.h"

namespace {

class DockingPane : public ::testing::Test {
protected:
    void SetUp() override
    {
        frame = CorvelAppEnvironment::Frame();
        ASSERT_NE(nullptr, frame);
        pane = frame->GetFileView();
        ASSERT_NE(nullptr, pane);
        frame->ShowWindow(SW_SHOWNORMAL);
        ::SetWindowPos(frame->m_hWnd, HWND_TOP, 0, 0, 960, 720, SWP_SHOWWINDOW);
        PumpMessages();
    }
    void TearDown() override
    {
        pane->DockPaneBack();
        pane->ShowPane(TRUE);
        PumpMessages();
    }
    // The hit code of a point of the pane's window (window coordinates).
    LRESULT HitAt(CPoint point) const
    {
        CRect window;
        pane->GetWindowRect(&window);
        return pane->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(window.left + point.x, window.top + point.y));
    }
    CRect SplitterRect() const
    {
        CRect rect;
        frame->GetSplitter().GetWindowRect(&rect);
        return rect;
    }
    CRect PaneRect() const
    {
        CRect rect;
        pane->GetWindowRect(&rect);
        return rect;
    }

    CMainFrame* frame = nullptr;
    CFileView* pane = nullptr;
};

TEST_F(DockingPane, CaptionButtonsCloseAndPin)
{
    EXPECT_EQ(HTCLOSE, HitAt(pane->GetCaptionButtonRect(0).CenterPoint()));
    EXPECT_EQ(HTMAXBUTTON, HitAt(pane->GetCaptionButtonRect(1).CenterPoint()));
    EXPECT_EQ(HTCAPTION, HitAt(CPoint(30, 5)));
    EXPECT_EQ(HTRIGHT, HitAt(CPoint(PaneRect().Width() - 1, 100)));
    EXPECT_EQ(HTCLIENT, HitAt(CPoint(30, 100)));

    // Close hides the pane; View > Device View brings it back.
    pane->SendMessage(WM_NCLBUTTONDOWN, HTCLOSE, 0);
    EXPECT_FALSE(pane->IsWindowVisible());
    EXPECT_EQ(SplitterRect().left, [this] {
        CRect client;
        frame->GetClientRect(&client);
        frame->ClientToScreen(&client);
        return client.left;
    }()) << "the views take the pane's place";
    frame->SendMessage(WM_COMMAND, ID_VIEW_FILEVIEW);
    EXPECT_TRUE(pane->IsWindowVisible());
    EXPECT_EQ(PaneRect().right, SplitterRect().left);
}

// Dragging the inner edge sizes the pane; the views follow.
TEST_F(DockingPane, InnerEdgeSizesThePane)
{
    const int before = PaneRect().Width();
    pane->SendMessage(WM_NCLBUTTONDOWN, HTRIGHT, 0);
    EXPECT_EQ(pane->m_hWnd, ::GetCapture());
    CPoint to(before + 60, 100);
    pane->ClientToScreen(&to);
    CRect client;
    pane->GetClientRect(&client);
    pane->ClientToScreen(&client);
    CPoint local(PaneRect().left + before + 60 - client.left, 100);
    pane->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(local.x, local.y));
    pane->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(local.x, local.y));
    EXPECT_EQ(nullptr, ::GetCapture());
    EXPECT_EQ(before + 60, PaneRect().Width());
    EXPECT_EQ(PaneRect().right, SplitterRect().left);
    // Back to the width it had.
    pane->SendMessage(WM_NCLBUTTONDOWN, HTRIGHT, 0);
    local.x -= 60;
    pane->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(local.x, local.y));
    pane->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(local.x, local.y));
    EXPECT_EQ(before, PaneRect().Width());
}

// A double click on the caption floats the pane in a tool window owned by the main window; a double click
// on that window's caption docks it again.
TEST_F(DockingPane, DoubleClickFloatsAndDocksAgain)
{
    const CRect docked = PaneRect();
    pane->SendMessage(WM_NCLBUTTONDBLCLK, HTCAPTION, 0);
    ASSERT_TRUE(pane->IsFloating());
    CMultiPaneFrameWnd* floating = pane->GetFloatingFrame();
    ASSERT_NE(nullptr, floating);
    EXPECT_EQ(floating, pane->GetParent());
    EXPECT_EQ(frame->m_hWnd, ::GetWindow(floating->m_hWnd, GW_OWNER));
    EXPECT_TRUE(floating->IsWindowVisible());
    CString caption;
    floating->GetWindowText(caption);
    EXPECT_STREQ("Device View", caption);
    EXPECT_TRUE(floating->GetExStyle() & WS_EX_TOOLWINDOW);
    // The views take the whole width; the tree fills the floating frame.
    CRect client;
    frame->GetClientRect(&client);
    frame->ClientToScreen(&client);
    EXPECT_EQ(client.left, SplitterRect().left);
    CRect inside;
    floating->GetClientRect(&inside);
    EXPECT_EQ(inside.Size(), PaneRect().Size());
    EXPECT_EQ(HTCLIENT, HitAt(CPoint(30, 5))) << "no caption of its own while floating";

    // The pane menu and View > Device View reach the floating pane.
    HMENU menu = ::CreatePopupMenu();
    frame->FillPaneMenu(menu);
    EXPECT_EQ(static_cast<UINT>(MF_CHECKED), ::GetMenuState(menu, ID_VIEW_FILEVIEW, MF_BYCOMMAND) & MF_CHECKED);
    ::DestroyMenu(menu);
    frame->SendMessage(WM_COMMAND, ID_VIEW_FILEVIEW);
    EXPECT_FALSE(floating->IsWindowVisible());
    frame->SendMessage(WM_COMMAND, ID_VIEW_FILEVIEW);
    EXPECT_TRUE(floating->IsWindowVisible());
    PumpMessages();
    EXPECT_EQ("", SaveWindowScreenshot(floating->m_hWnd, "device-view-floating"));

    floating->SendMessage(WM_NCLBUTTONDBLCLK, HTCAPTION, 0);
    EXPECT_FALSE(pane->IsFloating());
    EXPECT_EQ(nullptr, pane->GetFloatingFrame());
    EXPECT_EQ(frame, pane->GetParent());
    EXPECT_EQ(docked, PaneRect());
    EXPECT_EQ(PaneRect().right, SplitterRect().left);
}

// The pin hides the pane behind a tab at the window's left edge; the tab slides it out over the views, and
// it hides again once the mouse and the focus are elsewhere; the pin docks it again.
TEST_F(DockingPane, PinHidesThePaneBehindATab)
{
    const CRect docked = PaneRect();
    pane->SendMessage(WM_NCLBUTTONDOWN, HTMAXBUTTON, 0);
    ASSERT_TRUE(pane->IsAutoHideMode());
    EXPECT_FALSE(pane->IsWindowVisible());
    CMFCAutoHideBar* bar = frame->GetAutoHideBar();
    ASSERT_NE(nullptr, bar);
    ASSERT_EQ(1u, bar->GetPanes().size());
    CRect strip;
    bar->GetWindowRect(&strip);
    EXPECT_EQ(CMFCAutoHideBar::kWidth, strip.Width());
    EXPECT_EQ(strip.right, SplitterRect().left) << "the views take the pane's place beside the tabs";
    EXPECT_EQ(docked.top, strip.top);

    const CPoint tab = bar->GetTabRect(0).CenterPoint();
    bar->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(tab.x, tab.y));
    EXPECT_TRUE(pane->IsSlidOut());
    EXPECT_EQ(strip.right, PaneRect().left);
    EXPECT_EQ(docked.Width(), PaneRect().Width());
    EXPECT_EQ(strip.right, SplitterRect().left) << "sliding out leaves the layout alone";
    // With the mouse on it, it stays out; so it does with the focus in it, whatever the pointer of the
    // shared display does while the messages are pumped.
    frame->GetNetworkView()->SetFocus();
    pane->CheckAutoHide(PaneRect().CenterPoint());
    EXPECT_TRUE(pane->IsSlidOut());
    pane->SetFocus();
    pane->CheckAutoHide(CPoint(strip.right + 500, strip.top + 300));
    EXPECT_TRUE(pane->IsSlidOut());
    PumpMessages();
    frame->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
    pane->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
    EXPECT_EQ("", SaveWindowScreenshot(frame->m_hWnd, "device-view-auto-hide"));

    // The mouse far away and the focus in the network view: it hides.
    frame->GetNetworkView()->SetFocus();
    pane->CheckAutoHide(CPoint(strip.right + 500, strip.top + 300));
    EXPECT_FALSE(pane->IsSlidOut());
    EXPECT_TRUE(pane->IsAutoHideMode());

    // Pinned again it docks where it was, and the tabs go.
    bar->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(tab.x, tab.y));
    pane->SendMessage(WM_NCLBUTTONDOWN, HTMAXBUTTON, 0);
    EXPECT_FALSE(pane->IsAutoHideMode());
    EXPECT_EQ(nullptr, frame->GetAutoHideBar());
    EXPECT_TRUE(pane->IsWindowVisible());
    EXPECT_EQ(docked, PaneRect());
    EXPECT_EQ(PaneRect().right, SplitterRect().left);
}

} // namespace

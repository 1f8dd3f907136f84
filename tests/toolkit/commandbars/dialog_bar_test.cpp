// Dialog bars docked and floating in a site drawn by the default theme: the caption strip and its controls,
// free resizing by borders and corners with the hosted window kept inside the margins, the sizing borders
// of each docking, the caption menu, the focus, and build/screens/dialog-bar.png.
#include "docking_fixture.h"

#include "support/canvas.h"
#include "support/message_pump.h"
#include "support/test_program.h"
#include "support/window_capture.h"
#include "support/window_screenshot.h"
#include "toolkit/commandbars/dialog_bar.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>

namespace {

constexpr int kMargin = CKitDialogBar::kDefaultMargin;
constexpr UINT kSortId = 41200;

// A hosted window: a list box or a read-only text in the dialog font.
class CHostedWindow : public CWnd {
public:
    CHostedWindow(CWnd* pParent, LPCSTR lpszClass, DWORD dwStyle)
    {
        CreateEx(WS_EX_CLIENTEDGE, lpszClass, "", WS_CHILD | WS_VISIBLE | dwStyle, CRect(0, 0, 10, 10), pParent, 1);
        SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    }
    ~CHostedWindow() override { DestroyWindow(); }

    void AddLines(std::initializer_list<LPCSTR> lines)
    {
        for (LPCSTR lpszLine : lines)
            SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(lpszLine));
    }
};

class DialogBarTest : public testing::Test {
protected:
    CKitDialogBar* AddDialogBar(LPCSTR lpszTitle, int nPosition)
    {
        auto* pBar = static_cast<CKitDialogBar*>(m_site.m_manager.Add(lpszTitle, nPosition, RUNTIME_CLASS(CKitDialogBar)));
        m_site.Layout();
        return pBar;
    }

    // Adds a dialog bar at the position hosting a list box.
    CKitDialogBar* AddHostingBar(LPCSTR lpszTitle, int nPosition)
    {
        CKitDialogBar* pBar = AddDialogBar(lpszTitle, nPosition);
        m_hosted.push_back(std::make_unique<CHostedWindow>(pBar, "LISTBOX", LBS_NOINTEGRALHEIGHT | WS_VSCROLL));
        pBar->SetChild(m_hosted.back().get());
        return pBar;
    }

    // Floats the bar and lays it out at its floating size.
    void Float(CKitDialogBar* pBar, CPoint ptTopLeft)
    {
        ASSERT_TRUE(pBar->SetPosition(kitBarFloating));
        const CSize sz = pBar->CalcDynamicLayout(-1, LM_HORZ | LM_MRUWIDTH | LM_COMMIT);
        pBar->SetWindowPos(nullptr, ptTopLeft.x, ptTopLeft.y, sz.cx, sz.cy, SWP_NOZORDER | SWP_NOACTIVATE);
        PumpMessages();
    }

    // Presses the border of the hit code (its point must test as that code) and moves the mouse by the
    // delta before releasing it: the bar's own sizing loop runs.
    static void DragBorder(CKitDialogBar* pBar, int nHitTest, CSize delta)
    {
        CRect rc;
        pBar->GetWindowRect(&rc);
        const int x = nHitTest == HTLEFT || nHitTest == HTTOPLEFT || nHitTest == HTBOTTOMLEFT     ? rc.left
                      : nHitTest == HTRIGHT || nHitTest == HTTOPRIGHT || nHitTest == HTBOTTOMRIGHT ? rc.right - 1
                                                                                                     : rc.CenterPoint().x;
        const int y = nHitTest == HTTOP || nHitTest == HTTOPLEFT || nHitTest == HTTOPRIGHT           ? rc.top
                      : nHitTest == HTBOTTOM || nHitTest == HTBOTTOMLEFT || nHitTest == HTBOTTOMRIGHT ? rc.bottom - 1
                                                                                                       : rc.CenterPoint().y;
        ASSERT_EQ(nHitTest, pBar->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(x, y)));
        Press(pBar, WM_NCLBUTTONDOWN, nHitTest, CPoint(x, y), CPoint(x + delta.cx, y + delta.cy));
    }

    // Sends the button-down message for the point, the mouse then moved to the screen point and released.
    static void Press(CKitDialogBar* pBar, UINT nMessage, WPARAM wParam, CPoint pt, CPoint ptRelease)
    {
        ::SetCursorPos(ptRelease.x, ptRelease.y);
        pBar->PostMessage(WM_MOUSEMOVE, 0, 0);
        pBar->PostMessage(WM_LBUTTONUP, 0, 0);
        pBar->SendMessage(nMessage, wParam, MAKELPARAM(pt.x, pt.y));
        PumpMessages();
    }

    static CRect WindowOf(CWnd* pWnd)
    {
        CRect rc;
        pWnd->GetWindowRect(&rc);
        return rc;
    }

    // The hosted window in the bar's client coordinates.
    static CRect HostedPlace(CKitDialogBar* pBar)
    {
        CRect rc = WindowOf(pBar->GetChild());
        pBar->ScreenToClient(&rc);
        return rc;
    }

    // The hosted window fills the bar inside the margins, below the caption.
    static void ExpectHostedInsideMargins(CKitDialogBar* pBar)
    {
        CRect rcClient;
        pBar->GetClientRect(&rcClient);
        const CRect rcHosted = HostedPlace(pBar);
        EXPECT_EQ(CRect(kMargin, pBar->GetCaptionHeight(), rcClient.right - kMargin, rcClient.bottom - kMargin),
                  rcHosted);
        EXPECT_GT(pBar->GetCaptionHeight(), kMargin);
    }

    DockingSite m_site{CRect(40, 40, 640, 440)};
    std::vector<std::unique_ptr<CHostedWindow>> m_hosted;
};

TEST_F(DialogBarTest, TheCaptionHoldsTheTitleAndAHideButtonOnlyWhenCloseable)
{
    CKitDialogBar* pBar = AddDialogBar("Properties", kitBarTop);
    ASSERT_NE(nullptr, pBar);
    EXPECT_TRUE(pBar->IsKindOf(RUNTIME_CLASS(CKitDialogBar)));
    const struct {
        const char* pszName;
        BOOL bCaption;
        BOOL bCloseable;
        LPCSTR lpszCaption;
        const char* pszShown;
    } cases[] = {
        {"closeable, empty caption text", TRUE, TRUE, "", "Properties"},
        {"not closeable", TRUE, FALSE, "Gateway", "Gateway"},
        {"no caption", FALSE, TRUE, "", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszName);
        pBar->SetCaptionVisible(c.bCaption);
        pBar->SetCloseable(c.bCloseable);
        pBar->SetCaption(c.lpszCaption);
        const CSize sz = pBar->CalcDockLayout(1000, LM_HORZ | LM_HORZDOCK | LM_COMMIT);
        const int nCaption = pBar->GetCaptionHeight();
        EXPECT_EQ(200 + 2 * kMargin, sz.cx);
        EXPECT_EQ(200 + 2 * kMargin + (c.bCaption ? nCaption - kMargin : 0), sz.cy);
        EXPECT_EQ(c.bCaption ? pBar->GetClientMargins().top : 0, nCaption);
        CKitControl* pHide = pBar->GetControls()->FindControlById(kitIdDialogBarHide);
        CKitControl* pCaption = pBar->GetControls()->FindControlById(kitIdDialogBarCaption);
        ASSERT_NE(nullptr, pCaption);
        EXPECT_EQ(c.bCaption && c.bCloseable, pHide != nullptr && pHide->IsVisible());
        EXPECT_EQ(c.bCaption != FALSE, pCaption->IsVisible() != FALSE);
        if (!c.bCaption)
            continue;
        EXPECT_STREQ(c.pszShown, pCaption->GetCaption());
        // Both sit centred on the caption strip, 16 high; the hide button at the right end, the caption
        // taking the rest from the left margin.
        const int nCentre = kMargin + (nCaption - kMargin) / 2;
        EXPECT_EQ(CRect(kMargin, nCentre - 8, c.bCloseable ? sz.cx - kMargin - 16 : sz.cx - kMargin, nCentre + 8),
                  pCaption->GetRect());
        if (c.bCloseable) {
            EXPECT_EQ(CRect(sz.cx - kMargin - 16, nCentre - 8, sz.cx - kMargin, nCentre + 8), pHide->GetRect());
        }
    }
    // A stretched bar takes the length; with a caption a bar on a side is capped by it.
    EXPECT_EQ(900, pBar->CalcDockLayout(900, LM_STRETCH | LM_HORZ | LM_HORZDOCK).cx);
    EXPECT_EQ(206, pBar->CalcDockLayout(150, LM_VERTDOCK).cy);
    pBar->SetCaptionVisible(TRUE);
    EXPECT_EQ(150, pBar->CalcDockLayout(150, LM_VERTDOCK).cy);
}

TEST_F(DialogBarTest, AFloatingCornerDragResizesBothDimensionsAndKeepsTheHostedWindowInside)
{
    CKitDialogBar* pBar = AddHostingBar("Properties", kitBarLeft);
    Float(pBar, CPoint(200, 160));
    ExpectHostedInsideMargins(pBar);
    const struct {
        int nHitTest;
        CSize delta;
        // Which edges move: left, top, right, bottom.
        bool bLeft, bTop, bRight, bBottom;
    } cases[] = {
        {HTBOTTOMRIGHT, CSize(40, 30), false, false, true, true},
        {HTTOPLEFT, CSize(-20, -25), true, true, false, false},
        {HTTOPRIGHT, CSize(-30, 15), false, true, true, false},
        {HTBOTTOMLEFT, CSize(10, -12), true, false, false, true},
        {HTRIGHT, CSize(25, 0), false, false, true, false},
        {HTBOTTOM, CSize(0, 18), false, false, false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "hit " << c.nHitTest);
        const CRect rcBefore = WindowOf(pBar);
        DragBorder(pBar, c.nHitTest, c.delta);
        const CRect rcAfter = WindowOf(pBar);
        const CRect rcExpected(rcBefore.left + (c.bLeft ? c.delta.cx : 0), rcBefore.top + (c.bTop ? c.delta.cy : 0),
                               rcBefore.right + (c.bRight ? c.delta.cx : 0),
                               rcBefore.bottom + (c.bBottom ? c.delta.cy : 0));
        EXPECT_EQ(rcExpected, rcAfter);
        EXPECT_TRUE(pBar->IsFloating());
        // The floating client size follows, and the hosted window stays within the 3-pixel margins.
        const CRect rcMargins = pBar->GetClientMargins();
        EXPECT_EQ(CSize(rcAfter.Width() - 2 * kMargin, rcAfter.Height() - rcMargins.top - kMargin),
                  pBar->GetFloatingClientSize());
        ExpectHostedInsideMargins(pBar);
    }
    // A later layout keeps the size the user gave.
    const CRect rcNow = WindowOf(pBar);
    EXPECT_EQ(rcNow.Size(), pBar->CalcDynamicLayout(-1, LM_HORZ | LM_MRUWIDTH | LM_COMMIT));
}

TEST_F(DialogBarTest, ResizingBelowFiftyByFiftyIsIgnored)
{
    CKitDialogBar* pBar = AddHostingBar("Output", kitBarBottom);
    Float(pBar, CPoint(200, 160));
    const CRect rcStart = WindowOf(pBar);
    const struct {
        const char* pszName;
        CSize size;
        bool bApplied;
    } cases[] = {
        {"49 wide", CSize(49, 120), false},
        {"49 high", CSize(120, 49), false},
        {"both too small", CSize(20, 20), false},
        {"exactly 50 by 50", CSize(50, 50), true},
        {"back to the start", rcStart.Size(), true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszName);
        const CRect rcBefore = WindowOf(pBar);
        const CSize szClientBefore = pBar->GetFloatingClientSize();
        DragBorder(pBar, HTBOTTOMRIGHT, CSize(c.size.cx - rcBefore.Width(), c.size.cy - rcBefore.Height()));
        if (c.bApplied) {
            EXPECT_EQ(CRect(rcBefore.TopLeft(), c.size), WindowOf(pBar));
        } else {
            EXPECT_EQ(rcBefore, WindowOf(pBar));
            EXPECT_EQ(szClientBefore, pBar->GetFloatingClientSize());
        }
        ExpectHostedInsideMargins(pBar);
    }
}

TEST_F(DialogBarTest, EachDockingOffersOnlyItsInnerBordersForSizing)
{
    const struct {
        const char* pszName;
        int nPosition;
        BOOL bFullRow;
        BOOL bResizable;
        // What the middle of each edge tests as: top, bottom, left, right.
        LRESULT nTop, nBottom, nLeft, nRight;
    } cases[] = {
        {"top", kitBarTop, FALSE, TRUE, HTCLIENT, HTBOTTOM, HTCLIENT, HTRIGHT},
        {"top, full row", kitBarTop, TRUE, TRUE, HTCLIENT, HTBOTTOM, HTCLIENT, HTCLIENT},
        {"bottom", kitBarBottom, FALSE, TRUE, HTTOP, HTCLIENT, HTCLIENT, HTRIGHT},
        {"left", kitBarLeft, FALSE, TRUE, HTCLIENT, HTBOTTOM, HTCLIENT, HTRIGHT},
        {"left, full row", kitBarLeft, TRUE, TRUE, HTCLIENT, HTCLIENT, HTCLIENT, HTRIGHT},
        {"right", kitBarRight, FALSE, TRUE, HTCLIENT, HTBOTTOM, HTLEFT, HTCLIENT},
        {"floating", kitBarFloating, FALSE, TRUE, HTTOP, HTBOTTOM, HTLEFT, HTRIGHT},
        {"not resizable", kitBarFloating, FALSE, FALSE, HTCLIENT, HTCLIENT, HTCLIENT, HTCLIENT},
    };
    CKitDialogBar* pBar = AddDialogBar("Properties", kitBarTop);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszName);
        pBar->SetFlags(c.bFullRow ? kitDockFullRow : 0, c.bFullRow ? 0 : kitDockFullRow);
        pBar->SetResizable(c.bResizable);
        ASSERT_TRUE(pBar->SetPosition(c.nPosition));
        m_site.Layout();
        const CRect rc = WindowOf(pBar);
        const CPoint ptCentre = rc.CenterPoint();
        auto hit = [pBar](int x, int y) { return pBar->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(x, y)); };
        EXPECT_EQ(c.nTop, hit(ptCentre.x, rc.top + 1));
        EXPECT_EQ(c.nBottom, hit(ptCentre.x, rc.bottom - 2));
        EXPECT_EQ(c.nLeft, hit(rc.left + 1, ptCentre.y));
        EXPECT_EQ(c.nRight, hit(rc.right - 2, ptCentre.y));
        EXPECT_EQ(HTCLIENT, hit(ptCentre.x, ptCentre.y));
    }
}

TEST_F(DialogBarTest, TheDragCursorShowsOnTheBarButNeverOverTheHostedWindow)
{
    CKitDialogBar* pBar = AddHostingBar("Messages", kitBarTop);
    auto setCursor = [pBar](CWnd* pUnder, CPoint pt) {
        pBar->ClientToScreen(&pt);
        ::SetCursorPos(pt.x, pt.y);
        return pBar->SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(pUnder->GetSafeHwnd()),
                                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    };
    // The strip at the left of a bar docked at the top is its gripper.
    EXPECT_TRUE(setCursor(pBar, CPoint(kMargin + 1, pBar->GetCaptionHeight() / 2)));
    EXPECT_EQ(::LoadCursor(nullptr, IDC_SIZEALL), ::GetCursor());
    EXPECT_FALSE(setCursor(pBar->GetChild(), CPoint(kMargin + 1, pBar->GetCaptionHeight() + 20)));
}

TEST_F(DialogBarTest, ADockedBarIsSizedByItsInnerBorderAndTheFrameMakesRoom)
{
    CKitDialogBar* pLeft = AddHostingBar("Devices", kitBarLeft);
    CKitDialogBar* pTop = AddHostingBar("Messages", kitBarTop);
    m_site.Layout();
    const CRect rcFree = m_site.m_rcFree;
    const int nLeftWidth = WindowOf(pLeft).Width();
    const int nTopHeight = WindowOf(pTop).Height();

    DragBorder(pLeft, HTRIGHT, CSize(30, 0));
    EXPECT_EQ(CSize(230, 200), pLeft->GetDockedClientSize());
    EXPECT_EQ(nLeftWidth + 30, WindowOf(pLeft).Width());
    EXPECT_EQ(rcFree.left + 30, m_site.m_rcFree.left);
    ExpectHostedInsideMargins(pLeft);

    DragBorder(pTop, HTBOTTOM, CSize(0, -40));
    EXPECT_EQ(CSize(200, 160), pTop->GetDockedClientSize());
    EXPECT_EQ(nTopHeight - 40, WindowOf(pTop).Height());
    EXPECT_EQ(rcFree.top - 40, m_site.m_rcFree.top);
    EXPECT_FALSE(pTop->IsFloating());
    ExpectHostedInsideMargins(pTop);
}

TEST_F(DialogBarTest, APressOnTheCaptionDragsTheBarOffItsEdgeAndADoubleClickDocksItBack)
{
    CKitDialogBar* pBar = AddHostingBar("Devices", kitBarLeft);
    const CPoint ptCaption(40, pBar->GetCaptionHeight() / 2 + 1);
    EXPECT_EQ(1, pBar->HitTestCaption(ptCaption));
    EXPECT_EQ(-2, pBar->HitTestCaption(CPoint(40, pBar->GetCaptionHeight())));
    // Pressed on the caption and released over the middle of the site, far from every edge.
    CRect rcSite;
    m_site.GetClientRect(&rcSite);
    m_site.ClientToScreen(&rcSite);
    const CPoint ptDrop(rcSite.left + rcSite.Width() * 2 / 3, rcSite.CenterPoint().y);
    Press(pBar, WM_LBUTTONDOWN, MK_LBUTTON, ptCaption, ptDrop);
    ASSERT_TRUE(pBar->IsFloating());
    EXPECT_TRUE(WindowOf(pBar).PtInRect(ptDrop));
    // Floating, the bar takes its floating client size.
    EXPECT_EQ(CSize(200 + 2 * kMargin, 200 + pBar->GetClientMargins().top + kMargin), WindowOf(pBar).Size());
    ExpectHostedInsideMargins(pBar);

    pBar->SendMessage(WM_LBUTTONDBLCLK, 0, MAKELPARAM(ptCaption.x, ptCaption.y));
    PumpMessages();
    EXPECT_EQ(kitBarLeft, pBar->GetPosition());
    EXPECT_EQ(m_site.m_manager.GetDockBar(kitBarLeft), pBar->GetDockBar());
    ExpectHostedInsideMargins(pBar);
}

TEST_F(DialogBarTest, TheCaptionOpensItsMenuBelowTheCaptionOnlyWhenTheMenuHasItems)
{
    CKitDialogBar* pBar = AddHostingBar("Devices", kitBarLeft);
    auto* pCaption =
        static_cast<CKitDialogBar::CControlCaptionPopup*>(pBar->GetControls()->FindControlById(kitIdDialogBarCaption));
    ASSERT_NE(nullptr, pCaption);
    int nIndex = -1;
    for (int i = 0; i < pBar->GetControlCount(); i++)
        nIndex = pBar->GetControl(i) == pCaption ? i : nIndex;
    // Without items nothing opens.
    EXPECT_FALSE(pCaption->IsPopupEnabled());
    EXPECT_FALSE(pCaption->SetPopup(TRUE));
    EXPECT_FALSE(pBar->GetCaptionPopupBar()->IsVisible());

    pBar->GetCaptionPopupBar()->GetControls()->Add(kitControlButton, kSortId)->SetCaption("Sort by &Name");
    pBar->OnRecalcLayout();
    ASSERT_TRUE(pCaption->IsPopupEnabled());
    // With a menu, a press on the caption is the caption control's, not a drag.
    EXPECT_FALSE(pBar->IsDragPoint(pCaption->GetRect().CenterPoint()));
    ASSERT_TRUE(pBar->OpenPopupAt(nIndex));
    CKitPopupBar* pMenu = pBar->GetCaptionPopupBar();
    ASSERT_TRUE(pMenu->IsVisible());
    // On a bar docked at the side the menu still drops below the caption, leftwards from its right end.
    CRect rcCaption = pCaption->GetRect();
    pBar->ClientToScreen(&rcCaption);
    const CRect rcMenu = WindowOf(pMenu);
    EXPECT_EQ(static_cast<DWORD>(kitPopupDown | kitPopupLeft), pMenu->GetPopupFlags());
    EXPECT_EQ(rcCaption.bottom, rcMenu.top);
    EXPECT_EQ(rcCaption.right + 1, rcMenu.right);
    pBar->OpenPopupAt(-1);
    PumpMessages();
    EXPECT_FALSE(pMenu->IsVisible());

    // Hot, a caption with a menu takes the paint manager's hot face or frame; one without stays on the bar's face.
    auto hotCorner = [&] {
        const CRect rc = pCaption->GetRect();
        Canvas canvas(rc.right + 4, rc.bottom + 4);
        pCaption->SetSelected(TRUE);
        pCaption->Draw(&canvas.dc);
        pCaption->SetSelected(FALSE);
        return canvas.Pixel(rc.left, rc.top);
    };
    EXPECT_NE(RGB(1, 2, 3), hotCorner());
    // The option turns the menu off.
    pBar->SetCaptionPopupAllowed(FALSE);
    pBar->OnRecalcLayout();
    EXPECT_FALSE(pCaption->IsPopupEnabled());
    EXPECT_EQ(RGB(1, 2, 3), hotCorner());
}

TEST_F(DialogBarTest, TheBarIsActiveWhileTheFocusIsInItsHostedWindow)
{
    CKitDialogBar* pBar = AddHostingBar("Devices", kitBarLeft);
    m_site.SetForegroundWindow();
    pBar->GetChild()->SetFocus();
    pBar->ForceIdleUpdate();
    EXPECT_TRUE(pBar->IsActive());
    m_site.SetFocus();
    pBar->ForceIdleUpdate();
    EXPECT_FALSE(pBar->IsActive());
}

TEST_F(DialogBarTest, TheHideButtonHidesTheBarAndTheFrameTakesItsPlace)
{
    CKitDialogBar* pBar = AddHostingBar("Devices", kitBarLeft);
    const CRect rcFree = m_site.m_rcFree;
    CKitControl* pHide = pBar->GetControls()->FindControlById(kitIdDialogBarHide);
    ASSERT_NE(nullptr, pHide);
    pHide->OnExecute();
    PumpMessages();
    EXPECT_FALSE(pBar->IsVisible());
    EXPECT_LT(m_site.m_rcFree.left, rcFree.left);
}

TEST_F(DialogBarTest, ASavedFloatingBarComesBackFloatingWithOneSetOfCaptionControls)
{
    const CString strKey = TestRegistryRoot() + "\\DialogBar";
    ::RegDeleteTreeA(HKEY_CURRENT_USER, strKey);
    CKitDialogBar* pBar = AddHostingBar("Devices", kitBarLeft);
    pBar->SetBarID(7);
    Float(pBar, CPoint(220, 180));
    const CRect rcFloating = WindowOf(pBar);
    ASSERT_TRUE(m_site.m_manager.SaveBarState(HKEY_CURRENT_USER, strKey));
    ASSERT_TRUE(pBar->SetPosition(kitBarLeft));
    m_site.Layout();
    EXPECT_EQ(1, m_site.m_manager.LoadBarState(HKEY_CURRENT_USER, strKey));
    ::RegDeleteTreeA(HKEY_CURRENT_USER, strKey);
    PumpMessages();
    EXPECT_TRUE(pBar->IsFloating());
    EXPECT_EQ(rcFloating.TopLeft(), WindowOf(pBar).TopLeft());
    pBar->OnRecalcLayout();
    EXPECT_EQ(2, pBar->GetControlCount());
    EXPECT_NE(nullptr, pBar->GetControls()->FindControlById(kitIdDialogBarHide));
    EXPECT_NE(nullptr, pBar->GetControls()->FindControlById(kitIdDialogBarCaption));
    ExpectHostedInsideMargins(pBar);
}

TEST_F(DialogBarTest, OnlyKindsOfToolbarAreMadeByClassAndAClonedBarIsADialogBar)
{
    EXPECT_EQ(nullptr, m_site.m_manager.Add("Popup", kitBarTop, RUNTIME_CLASS(CKitPopupBar)));
    EXPECT_EQ(0, m_site.m_manager.GetCount());
    CKitDialogBar* pBar = AddDialogBar("Devices", kitBarLeft);
    CKitCommandBar* pClone = pBar->Clone(TRUE);
    ASSERT_NE(nullptr, pClone);
    EXPECT_TRUE(pClone->IsDialogBar());
    EXPECT_TRUE(pClone->IsKindOf(RUNTIME_CLASS(CKitDialogBar)));
    pClone->InternalRelease();
}

TEST_F(DialogBarTest, Screenshot)
{
    CKitToolBar* pStandard = m_site.AddBar("Standard", kitBarTop, {"New", "Open", "Save", "Download"});
    ASSERT_NE(nullptr, pStandard);
    CKitDialogBar* pDevices = AddHostingBar("Devices", kitBarLeft);
    m_hosted.back()->AddLines({"VQN32 Gateway", "  IED_Bay1 (SEL-451)", "  IED_Bay2 (REF615)", "  IED_Feeder3",
                               "PLC_Line1 (EtherNet/IP)"});
    pDevices->SetDockedClientSize(CSize(180, 200));
    m_site.Layout();
    CKitDialogBar* pOutput = AddDialogBar("Output", kitBarBottom);
    m_hosted.push_back(std::make_unique<CHostedWindow>(pOutput, "LISTBOX", LBS_NOINTEGRALHEIGHT | WS_VSCROLL));
    m_hosted.back()->AddLines({"Loading substation.scd ...", "3 IEDs found, 1 248 attributes mapped.",
                               "Configuration written to Current.xml."});
    pOutput->SetChild(m_hosted.back().get());
    pOutput->SetCloseable(FALSE);
    pOutput->SetFloatingClientSize(CSize(300, 90));
    CRect rcSite = WindowOf(&m_site);
    m_site.SetForegroundWindow();
    pDevices->GetChild()->SetFocus();
    pDevices->ForceIdleUpdate();
    Float(pOutput, CPoint(rcSite.right - 340, rcSite.bottom - 150));
    // The display raises the floating bar over its active owner.
    ::SetWindowPos(pOutput->GetSafeHwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    PumpMessages();
    m_site.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    pOutput->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PumpMessages();
    const WindowImage shot = CaptureScreenRect(rcSite);
    EXPECT_EQ("", SaveScreenshot("dialog-bar", shot.width, shot.height, shot.pixels));
}

} // namespace

// The tab client over a real MDI frame: children as tabs, activation, closing, the drag of a tab into groups
// (driven by posted mouse messages, which the drag loop takes from the queue), the group commands, the tabs
// hosted in a toolbar, and the screenshots build/screens/tabbed-workspace.png and tabbed-workspace-bar.png.
#include "support/message_pump.h"
#include "support/window_pixels.h"
#include "support/window_screenshot.h"
#include "toolkit/commandbars/command_bar_manager.h"
#include "toolkit/commandbars/controls.h"
#include "toolkit/commandbars/toolbar.h"
#include "toolkit/themes/paint/paint_manager.h"
#include "toolkit/themes/tabs/tabbed_workspace.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

using TC = CKitTabClientWnd;

constexpr char kFrameClass[] = "KorvaneTabbedWorkspaceFrame";
constexpr char kChildClass[] = "KorvaneTabbedWorkspaceChild";

LRESULT CALLBACK ChildProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC hdc = ::BeginPaint(hWnd, &ps);
        RECT rc;
        ::GetClientRect(hWnd, &rc);
        ::FillRect(hdc, &rc, ::GetSysColorBrush(COLOR_WINDOW));
        char szTitle[64] = {};
        ::GetWindowTextA(hWnd, szTitle, sizeof(szTitle));
        HGDIOBJ hOld = ::SelectObject(hdc, ::GetStockObject(DEFAULT_GUI_FONT));
        ::SetBkMode(hdc, TRANSPARENT);
        RECT rcText = {8, 6, rc.right - 8, rc.bottom};
        const std::string text = std::string("This is ") + szTitle + ".";
        ::DrawTextA(hdc, text.c_str(), -1, &rcText, DT_LEFT | DT_NOPREFIX);
        ::SelectObject(hdc, hOld);
        ::EndPaint(hWnd, &ps);
        return 0;
    }
    return ::DefMDIChildProcA(hWnd, message, wParam, lParam);
}

HWND g_hMDIClient = nullptr;
// Room left above the documents for a toolbar.
int g_nBarHeight = 0;
// The commands the frame received.
std::vector<UINT> g_arrCommands;

LRESULT CALLBACK FrameProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND)
        g_arrCommands.push_back(LOWORD(wParam));
    if (message == WM_SIZE && g_hMDIClient) {
        ::MoveWindow(g_hMDIClient, 0, g_nBarHeight, LOWORD(lParam), HIWORD(lParam) - g_nBarHeight, TRUE);
        return 0;
    }
    return ::DefFrameProcA(hWnd, g_hMDIClient, message, wParam, lParam);
}

void RegisterClasses()
{
    WNDCLASSA wc = {};
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
    wc.hIcon = ::LoadIcon(nullptr, IDI_APPLICATION);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpfnWndProc = FrameProc;
    wc.lpszClassName = kFrameClass;
    ::RegisterClassA(&wc);
    wc.lpfnWndProc = ChildProc;
    wc.lpszClassName = kChildClass;
    ::RegisterClassA(&wc);
}

// The client records the tab context menus it would open.
class RecordingTabClient : public CKitTabClientWnd {
public:
    void ShowTabContextMenu(CPoint ptScreen) override { m_arrMenus.push_back(ptScreen); }
    std::vector<CPoint> m_arrMenus;
};

class TabbedWorkspaceTest : public testing::Test {
protected:
    void SetUp() override
    {
        RegisterClasses();
        m_hFrame = ::CreateWindowExA(0, kFrameClass, "Tabbed workspace", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 40, 40,
                                     660, 400, nullptr, nullptr, ::GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(nullptr, m_hFrame);
        CLIENTCREATESTRUCT ccs = {nullptr, 0xFF00};
        g_hMDIClient = ::CreateWindowExA(WS_EX_CLIENTEDGE, "MDICLIENT", nullptr,
                                         WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, 0, 0, 0, 0,
                                         m_hFrame, nullptr, ::GetModuleHandleA(nullptr), &ccs);
        ASSERT_NE(nullptr, g_hMDIClient);
        m_frame.Attach(m_hFrame);
        ::ShowWindow(m_hFrame, SW_SHOWNORMAL);
        ::SetForegroundWindow(m_hFrame);
        ASSERT_TRUE(m_client.AttachToFrame(&m_frame));
        PumpMessages();
    }

    void TearDown() override
    {
        m_client.DetachFromFrame();
        m_frame.Detach();
        ::DestroyWindow(m_hFrame);
        g_hMDIClient = nullptr;
        PumpMessages();
    }

    HWND OpenChild(const char* title)
    {
        MDICREATESTRUCTA mcs = {};
        mcs.szClass = kChildClass;
        mcs.szTitle = title;
        mcs.hOwner = ::GetModuleHandleA(nullptr);
        mcs.x = mcs.y = mcs.cx = mcs.cy = CW_USEDEFAULT;
        mcs.style = WS_OVERLAPPEDWINDOW | WS_VISIBLE;
        auto hChild =
            reinterpret_cast<HWND>(::SendMessageA(g_hMDIClient, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&mcs)));
        PumpMessages();
        return hChild;
    }

    HWND ActiveChild() const { return reinterpret_cast<HWND>(::SendMessageA(g_hMDIClient, WM_MDIGETACTIVE, 0, 0)); }

    TC::CWorkspace* Group(int n) const { return m_client.GetWorkspace(n); }

    std::vector<std::string> Captions(int nGroup) const
    {
        std::vector<std::string> captions;
        for (int i = 0; i < Group(nGroup)->GetItemCount(); ++i)
            captions.push_back(static_cast<LPCSTR>(Group(nGroup)->GetItem(i)->GetCaption()));
        return captions;
    }

    // Posts the mouse path to the client and presses the tab: the drag loop takes the messages.
    void PressAndDrag(CKitTabManagerItem* pItem, const std::vector<CPoint>& path, UINT nEnd = WM_LBUTTONUP)
    {
        for (const CPoint& pt : path)
            ::PostMessageA(g_hMDIClient, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
        const CPoint ptLast = path.empty() ? pItem->GetRect().CenterPoint() : path.back();
        if (nEnd == WM_KEYDOWN)
            ::PostMessageA(g_hMDIClient, WM_KEYDOWN, VK_ESCAPE, 0);
        else
            ::PostMessageA(g_hMDIClient, nEnd, 0, MAKELPARAM(ptLast.x, ptLast.y));
        auto* pOwner = static_cast<TC::CWorkspace*>(pItem->GetTabManager());
        ASSERT_TRUE(pOwner->PerformClick(g_hMDIClient, pItem->GetRect().CenterPoint()));
        PumpMessages();
    }

    // A point inside the group's page, d pixels above its bottom edge.
    static CPoint AboveBottom(const TC::CWorkspace* pGroup, int d)
    {
        return CPoint(pGroup->GetControlRect().CenterPoint().x, pGroup->GetControlRect().bottom - d);
    }

    HWND m_hFrame = nullptr;
    CWnd m_frame;
    RecordingTabClient m_client;
};

} // namespace

TEST_F(TabbedWorkspaceTest, MdiChildrenBecomeTabsThatFillTheirGroup)
{
    const HWND hOne = OpenChild("Doc 1");
    const HWND hTwo = OpenChild("Doc 2");
    const HWND hThree = OpenChild("Doc 3");
    ASSERT_EQ(1, m_client.GetWorkspaceCount());
    EXPECT_EQ((std::vector<std::string>{"Doc 1", "Doc 2", "Doc 3"}), Captions(0));
    // The newest child is active and its tab selected; it fills the page without its caption.
    EXPECT_EQ(hThree, ActiveChild());
    EXPECT_EQ(hThree, Group(0)->GetSelectedItem()->GetHandle());
    EXPECT_EQ(0, ::GetWindowLongA(hThree, GWL_STYLE) & WS_CAPTION);
    CRect rcChild;
    ::GetWindowRect(hThree, &rcChild);
    ::MapWindowPoints(nullptr, g_hMDIClient, reinterpret_cast<POINT*>(&rcChild), 2);
    EXPECT_EQ(Group(0)->GetClientRect(), rcChild);
    EXPECT_FALSE(Group(0)->GetHeaderRect().IsRectEmpty());

    int nGroup = 7;
    EXPECT_EQ(Group(0)->GetItem(1), m_client.FindItemByWindow(hTwo, &nGroup));
    EXPECT_EQ(0, nGroup);
    EXPECT_EQ(nullptr, m_client.FindItemByWindow(m_hFrame, &nGroup));
    EXPECT_EQ(-1, nGroup);

    // The groups follow the client's size.
    CRect rcFrame;
    ::GetWindowRect(m_hFrame, &rcFrame);
    ::SetWindowPos(m_hFrame, nullptr, 0, 0, rcFrame.Width() - 100, rcFrame.Height() - 60, SWP_NOMOVE | SWP_NOZORDER);
    CRect rcClient;
    ::GetClientRect(g_hMDIClient, &rcClient);
    EXPECT_EQ(rcClient, Group(0)->GetControlRect());
    ::GetWindowRect(hThree, &rcChild);
    ::MapWindowPoints(nullptr, g_hMDIClient, reinterpret_cast<POINT*>(&rcChild), 2);
    EXPECT_EQ(Group(0)->GetClientRect(), rcChild);

    // A child that goes takes its tab; a new caption shows at once.
    ::SendMessageA(g_hMDIClient, WM_MDIDESTROY, reinterpret_cast<WPARAM>(hTwo), 0);
    ::SetWindowTextA(hOne, "Renamed");
    EXPECT_EQ((std::vector<std::string>{"Renamed", "Doc 3"}), Captions(0));

    // Given back, the children have their frames again.
    m_client.DetachFromFrame();
    EXPECT_EQ(static_cast<LONG>(WS_CAPTION), ::GetWindowLongA(hThree, GWL_STYLE) & WS_CAPTION);
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(g_hMDIClient));
}

// A click on a tab activates its child; the strip's close button closes the selected one.
TEST_F(TabbedWorkspaceTest, ClickingATabActivatesItsChildAndTheCloseButtonClosesIt)
{
    const HWND hOne = OpenChild("Doc 1");
    OpenChild("Doc 2");
    PressAndDrag(Group(0)->GetItem(0), {});
    EXPECT_EQ(hOne, ActiveChild());
    EXPECT_EQ(Group(0)->GetItem(0), Group(0)->GetSelectedItem());
    EXPECT_EQ(::GetWindow(g_hMDIClient, GW_CHILD), hOne) << "the selected child lies on top";

    CKitTabManagerNavigateButton* pClose = Group(0)->GetNavigateButtons()[CKitTabManagerNavigateButton::kClose];
    ASSERT_FALSE(pClose->GetRect().IsRectEmpty());
    const CPoint pt = pClose->GetRect().CenterPoint();
    ::PostMessageA(g_hMDIClient, WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
    EXPECT_TRUE(Group(0)->PerformClick(g_hMDIClient, pt));
    PumpMessages();
    EXPECT_FALSE(::IsWindow(hOne));
    EXPECT_EQ((std::vector<std::string>{"Doc 2"}), Captions(0));
}

TEST_F(TabbedWorkspaceTest, OneGroupWithOneTabNeverStartsADrag)
{
    OpenChild("Doc 1");
    CKitTabManagerItem* pItem = Group(0)->GetItem(0);
    ::PostMessageA(g_hMDIClient, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(100, 200));
    EXPECT_TRUE(Group(0)->PerformClick(g_hMDIClient, pItem->GetRect().CenterPoint()));
    // The press was a plain click: nothing took the mouse or the queued move.
    EXPECT_EQ(nullptr, ::GetCapture());
    EXPECT_FALSE(m_client.IsDragFeedbackRunning());
    MSG msg;
    EXPECT_TRUE(::PeekMessageA(&msg, g_hMDIClient, WM_MOUSEMOVE, WM_MOUSEMOVE, PM_REMOVE));
    EXPECT_EQ(1, m_client.GetWorkspaceCount());
}

// Where a dragged tab of a two-tab group would go, by the point.
TEST_F(TabbedWorkspaceTest, TheDragTargetFollowsHeadersAndEdgeZones)
{
    OpenChild("Doc 1");
    OpenChild("Doc 2");
    TC::CWorkspace* pGroup = Group(0);
    CKitTabManagerItem* pItem = pGroup->GetItem(0);
    const CRect rc = pGroup->GetControlRect();
    struct Case {
        const char* name;
        CPoint point;
        int nKind;
    };
    const Case cases[] = {
        {"10 px above the bottom", AboveBottom(pGroup, 10), TC::kDragNewBelow},
        {"29 px above the bottom", AboveBottom(pGroup, 29), TC::kDragNewBelow},
        {"30 px above the bottom", AboveBottom(pGroup, 30), TC::kDragNoTarget},
        {"40 px above the bottom", AboveBottom(pGroup, 40), TC::kDragNoTarget},
        {"10 px left of the right edge", CPoint(rc.right - 10, rc.CenterPoint().y), TC::kDragNewRight},
        {"40 px left of the right edge", CPoint(rc.right - 40, rc.CenterPoint().y), TC::kDragNoTarget},
        {"in the header", pGroup->GetHeaderRect().CenterPoint(), TC::kDragMove},
        {"outside the client", CPoint(rc.right + 20, rc.CenterPoint().y), TC::kDragNone},
    };
    for (const Case& c : cases) {
        m_client.UpdateDragTarget(c.point, pItem);
        EXPECT_EQ(c.nKind, m_client.GetDragKind()) << c.name;
        EXPECT_EQ(c.nKind >= TC::kDragMove ? pGroup : nullptr, m_client.GetDragTarget()) << c.name;
    }
    // The new group below is shown as the lower half of the page.
    m_client.UpdateDragTarget(AboveBottom(pGroup, 10), pItem);
    CRect rcLower = pGroup->GetClientRect();
    rcLower.top = (rcLower.top + rcLower.bottom) / 2;
    EXPECT_EQ(rcLower, m_client.GetDragRect());
}

TEST_F(TabbedWorkspaceTest, DroppingTenPixelsAboveTheBottomSplitsTheGroupFortyDoesNot)
{
    const HWND hOne = OpenChild("Doc 1");
    OpenChild("Doc 2");
    OpenChild("Doc 3");
    const CPoint ptForty = AboveBottom(Group(0), 40);
    PressAndDrag(Group(0)->GetItem(0), {ptForty});
    ASSERT_EQ(1, m_client.GetWorkspaceCount());
    EXPECT_EQ((std::vector<std::string>{"Doc 1", "Doc 2", "Doc 3"}), Captions(0));
    // Away from every zone the drop offers the context menu there.
    CPoint ptScreen = ptForty;
    ::ClientToScreen(g_hMDIClient, &ptScreen);
    EXPECT_EQ((std::vector<CPoint>{ptScreen}), m_client.m_arrMenus);
    EXPECT_FALSE(m_client.IsDragFeedbackRunning());
    EXPECT_EQ(nullptr, ::GetCapture());

    const double dHeight = Group(0)->GetControlRect().Height();
    PressAndDrag(Group(0)->GetItem(0), {CPoint(ptForty.x, ptForty.y + 1), AboveBottom(Group(0), 10)});
    ASSERT_EQ(2, m_client.GetWorkspaceCount());
    EXPECT_TRUE(m_client.IsHorizontalArrangement());
    EXPECT_EQ((std::vector<std::string>{"Doc 2", "Doc 3"}), Captions(0));
    EXPECT_EQ((std::vector<std::string>{"Doc 1"}), Captions(1));
    EXPECT_EQ(Group(1), m_client.GetCurrentWorkspace());
    EXPECT_EQ(hOne, ActiveChild());
    // The sizes share the old height less the splitter; the groups lie one below the other.
    const double dNew = (dHeight - TC::kDefaultSplitterWidth) / 2;
    EXPECT_DOUBLE_EQ(dNew, Group(1)->GetSize());
    EXPECT_DOUBLE_EQ(dHeight - dNew - TC::kDefaultSplitterWidth, Group(0)->GetSize());
    EXPECT_EQ(Group(0)->GetControlRect().bottom + TC::kDefaultSplitterWidth, Group(1)->GetControlRect().top);
    CRect rcChild;
    ::GetWindowRect(hOne, &rcChild);
    ::MapWindowPoints(nullptr, g_hMDIClient, reinterpret_cast<POINT*>(&rcChild), 2);
    EXPECT_EQ(Group(1)->GetClientRect(), rcChild);
    EXPECT_EQ(1u, m_client.m_arrMenus.size());
}

TEST_F(TabbedWorkspaceTest, ASingleTabGroupCannotSplitItself)
{
    OpenChild("Doc 1");
    m_client.UpdateDragTarget(AboveBottom(Group(0), 10), Group(0)->GetItem(0));
    EXPECT_EQ(TC::kDragNoTarget, m_client.GetDragKind()) << "one group of one tab";

    OpenChild("Doc 2");
    PressAndDrag(Group(0)->GetItem(1), {AboveBottom(Group(0), 10)});
    ASSERT_EQ(2, m_client.GetWorkspaceCount());
    CKitTabManagerItem* pLone = Group(1)->GetItem(0);
    m_client.UpdateDragTarget(AboveBottom(Group(1), 10), pLone);
    EXPECT_EQ(TC::kDragNoTarget, m_client.GetDragKind());
    PressAndDrag(pLone, {AboveBottom(Group(1), 10)});
    EXPECT_EQ(2, m_client.GetWorkspaceCount());
    // Another group's edge still takes it.
    m_client.UpdateDragTarget(AboveBottom(Group(0), 10), pLone);
    EXPECT_EQ(TC::kDragNewBelow, m_client.GetDragKind());
    EXPECT_EQ(Group(0), m_client.GetDragTarget());
}

// Escape or a right click ends a drag without moving the tab; so does a release outside the client, or back in
// the strip after a split zone was shown.
TEST_F(TabbedWorkspaceTest, ADragEndedAwayFromATargetChangesNothing)
{
    OpenChild("Doc 1");
    OpenChild("Doc 2");
    struct Case {
        const char* name;
        std::vector<CPoint> path;
        UINT nEnd;
    };
    const CPoint ptSplit = AboveBottom(Group(0), 10);
    const Case cases[] = {
        {"Escape", {ptSplit}, WM_KEYDOWN},
        {"right click", {ptSplit}, WM_RBUTTONDOWN},
        {"release outside", {ptSplit, CPoint(-40, 100)}, WM_LBUTTONUP},
        {"release in the strip", {ptSplit, Group(0)->GetItem(0)->GetRect().CenterPoint()}, WM_LBUTTONUP},
    };
    for (const Case& c : cases) {
        PressAndDrag(Group(0)->GetItem(0), c.path, c.nEnd);
        EXPECT_EQ(1, m_client.GetWorkspaceCount()) << c.name;
        EXPECT_FALSE(m_client.IsDragFeedbackRunning()) << c.name;
        EXPECT_TRUE(m_client.m_arrMenus.empty()) << c.name;
        EXPECT_EQ(nullptr, ::GetCapture()) << c.name;
        EXPECT_EQ((std::vector<std::string>{"Doc 1", "Doc 2"}), Captions(0)) << c.name;
    }
}

// Within the strip the tab changes places; dropped on another group's tabs it moves there with its colour, and
// the group it leaves empty goes.
TEST_F(TabbedWorkspaceTest, TabsReorderInTheirStripAndMoveToAnotherGroup)
{
    OpenChild("Doc 1");
    OpenChild("Doc 2");
    OpenChild("Doc 3");
    PressAndDrag(Group(0)->GetItem(0), {Group(0)->GetItem(2)->GetRect().CenterPoint()});
    EXPECT_EQ((std::vector<std::string>{"Doc 3", "Doc 2", "Doc 1"}), Captions(0));

    PressAndDrag(Group(0)->GetItem(2), {CPoint(Group(0)->GetControlRect().right - 10, 200)});
    ASSERT_EQ(2, m_client.GetWorkspaceCount());
    EXPECT_FALSE(m_client.IsHorizontalArrangement());
    EXPECT_LT(Group(0)->GetControlRect().right, Group(1)->GetControlRect().left);
    CKitTabManagerItem* pMoved = Group(0)->GetItem(0);
    const COLORREF clr = pMoved->GetRawColor();
    PressAndDrag(pMoved, {Group(1)->GetHeaderRect().CenterPoint()});
    EXPECT_EQ((std::vector<std::string>{"Doc 2"}), Captions(0));
    EXPECT_EQ((std::vector<std::string>{"Doc 1", "Doc 3"}), Captions(1));
    EXPECT_EQ(clr, pMoved->GetRawColor());

    PressAndDrag(Group(0)->GetItem(0), {Group(1)->GetHeaderRect().CenterPoint()});
    ASSERT_EQ(1, m_client.GetWorkspaceCount());
    EXPECT_EQ((std::vector<std::string>{"Doc 1", "Doc 3", "Doc 2"}), Captions(0));
}

// Which group commands the active child allows, and what they do.
TEST_F(TabbedWorkspaceTest, GroupCommandsFollowTheActiveChildsGroup)
{
    struct Expect {
        UINT nId;
        BOOL bAllowed;
    };
    auto check = [this](const char* state, std::initializer_list<Expect> expects) {
        for (const Expect& e : expects)
            EXPECT_EQ(e.bAllowed, m_client.CanDoAction(e.nId)) << state << " " << e.nId;
    };
    check("no child", {{kIdTabGroupNewHorizontal, FALSE}, {100, FALSE}});
    OpenChild("Doc 1");
    check("one tab", {{kIdTabGroupNewHorizontal, FALSE}, {kIdTabGroupNewVertical, FALSE},
                      {kIdTabGroupMovePrevious, FALSE}, {kIdTabGroupMoveNext, FALSE}, {100, TRUE}});
    OpenChild("Doc 2");
    OpenChild("Doc 3");
    check("three tabs", {{kIdTabGroupNewHorizontal, TRUE}, {kIdTabGroupNewVertical, TRUE},
                         {kIdTabGroupMovePrevious, FALSE}, {kIdTabGroupMoveNext, FALSE}});

    EXPECT_FALSE(m_client.DoAction(kIdTabGroupMoveNext));
    ASSERT_TRUE(m_client.DoAction(kIdTabGroupNewVertical));
    ASSERT_EQ(2, m_client.GetWorkspaceCount());
    EXPECT_EQ((std::vector<std::string>{"Doc 3"}), Captions(1));
    check("alone in the right group", {{kIdTabGroupNewHorizontal, FALSE}, {kIdTabGroupNewVertical, FALSE},
                                       {kIdTabGroupMovePrevious, TRUE}, {kIdTabGroupMoveNext, FALSE}});
    // The command comes as the context menu sends it.
    ::SendMessageA(g_hMDIClient, WM_COMMAND, kIdTabGroupMovePrevious, 0);
    ASSERT_EQ(1, m_client.GetWorkspaceCount());
    EXPECT_EQ((std::vector<std::string>{"Doc 1", "Doc 2", "Doc 3"}), Captions(0));

    RecordingTabClient plain;
    m_client.DetachFromFrame();
    ASSERT_TRUE(plain.AttachToFrame(&m_frame, FALSE));
    EXPECT_FALSE(plain.CanDoAction(kIdTabGroupNewHorizontal));
    EXPECT_FALSE(plain.CanDoAction(100));
    // Without groups a tab dragged out of its strip goes nowhere.
    PressAndDrag(plain.GetWorkspace(0)->GetItem(0), {AboveBottom(plain.GetWorkspace(0), 10)});
    EXPECT_EQ(1, plain.GetWorkspaceCount());
    EXPECT_FALSE(plain.IsDragFeedbackRunning());
    plain.DetachFromFrame();
    ASSERT_TRUE(m_client.AttachToFrame(&m_frame));
}

TEST_F(TabbedWorkspaceTest, Screenshot)
{
    for (const char* title : {"Substation.scd", "Feeder bay 1", "Feeder bay 2", "Transformer", "Notes"})
        OpenChild(title);
    PressAndDrag(Group(0)->GetItem(3), {CPoint(Group(0)->GetControlRect().right - 10, 200)});
    PressAndDrag(Group(0)->GetItem(0), {Group(1)->GetHeaderRect().CenterPoint()});
    ::RedrawWindow(m_hFrame, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    PumpMessages();
    EXPECT_EQ("", SaveWindowScreenshot(m_hFrame, "tabbed-workspace"));

    // The selected tab lies over the slant's side of the tab before it, not over that tab's caption: the
    // caption shows as many black pixels as when the tab after it is not selected.
    CKitTabManagerItem* pBefore = Group(0)->GetItem(1);
    ASSERT_EQ(Group(0)->GetItem(2), Group(0)->GetSelectedItem());
    auto captionInk = [&] {
        ::RedrawWindow(m_hFrame, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        PumpMessages();
        const CRect rc = pBefore->GetRect();
        HDC hdc = ::GetDC(g_hMDIClient);
        const std::vector<DWORD> pixels = CopyPixels(hdc, rc.left, rc.top, rc.Width(), rc.Height());
        ::ReleaseDC(g_hMDIClient, hdc);
        return std::count_if(pixels.begin(), pixels.end(), [](DWORD pixel) {
            return ((pixel >> 16) & 0xFF) < 64 && ((pixel >> 8) & 0xFF) < 64 && (pixel & 0xFF) < 64;
        });
    };
    const auto nCovered = captionInk();
    PressAndDrag(Group(0)->GetItem(0), {});
    ASSERT_EQ(Group(0)->GetItem(0), Group(0)->GetSelectedItem());
    EXPECT_GT(nCovered, 20);
    EXPECT_EQ(captionInk(), nCovered) << static_cast<LPCSTR>(pBefore->GetCaption());
}

// A toolbar control shows the client's tabs: the client draws none, its children fill it, and the tabs come back
// when the control goes.
TEST_F(TabbedWorkspaceTest, ABarControlHostsTheTabs)
{
    const HWND hOne = OpenChild("Doc 1");
    OpenChild("Doc 2");
    OpenChild("Doc 3");
    ASSERT_TRUE(m_client.DoAction(kIdTabGroupNewVertical));
    ASSERT_EQ(2, m_client.GetWorkspaceCount());

    CKitPaintManager::SetTheme(0);
    CKitCommandBarManager manager;
    manager.SetSite(&m_frame);
    manager.GetCommandBarsOptions()->bDisableIfNoHandler = FALSE;
    auto* pBar = new CKitToolBar();
    manager.AddCommandBar(pBar);
    pBar->SetPosition(kitBarTop);
    pBar->CreateBar(&m_frame);
    g_nBarHeight = 30;
    CRect rcFrame;
    m_frame.GetClientRect(&rcFrame);
    pBar->MoveWindow(0, 0, rcFrame.Width(), g_nBarHeight);
    ::MoveWindow(g_hMDIClient, 0, g_nBarHeight, rcFrame.Width(), rcFrame.Height() - g_nBarHeight, TRUE);

    auto* pControl = static_cast<CKitControlTabWorkspace*>(pBar->GetControls()->Add(new CKitControlTabWorkspace(), 0));
    CClientDC dc(pBar);
    CDC* pDC = &dc;
    EXPECT_EQ(CSize(CKitControlTabWorkspace::kDefaultWidth, 22), pControl->GetSize(pDC)) << "a button without a client";
    pControl->SetTabClient(&m_client);
    pControl->SetWidth(400);
    const int nHeader = m_client.GetPaintManager()->GetAppearanceSet()->GetHeaderHeight(pControl->GetWorkspace());
    EXPECT_EQ(CSize(400, nHeader), pControl->GetSize(pDC));
    pBar->CalcLayout(rcFrame.Width());
    PumpMessages();

    // Every tab in the one workspace of the bar; no groups while hosted.
    ASSERT_EQ(1, m_client.GetWorkspaceCount());
    EXPECT_EQ(pControl->GetWorkspace(), m_client.GetWorkspace(0));
    EXPECT_EQ(pControl->GetWorkspace(), m_client.GetHostedWorkspace());
    EXPECT_EQ((std::vector<std::string>{"Doc 1", "Doc 2", "Doc 3"}), Captions(0));
    EXPECT_FALSE(m_client.IsGroupsEnabled());
    EXPECT_FALSE(m_client.CanDoAction(kIdTabGroupNewHorizontal));
    EXPECT_EQ(CKitTabPaintManager::kTop, pControl->GetWorkspace()->GetPosition());
    CRect rcClient, rcChild;
    ::GetClientRect(g_hMDIClient, &rcClient);
    ::GetWindowRect(ActiveChild(), &rcChild);
    ::MapWindowPoints(nullptr, g_hMDIClient, reinterpret_cast<POINT*>(&rcChild), 2);
    EXPECT_EQ(rcClient, rcChild);

    // A click on a tab in the bar activates its child.
    CKitTabManagerItem* pFirst = pControl->GetWorkspace()->GetItem(0);
    ASSERT_FALSE(pFirst->GetRect().IsRectEmpty());
    EXPECT_TRUE(pControl->GetRect().PtInRect(pFirst->GetRect().CenterPoint()));
    const CPoint pt = pFirst->GetRect().CenterPoint();
    ::PostMessageA(pBar->GetSafeHwnd(), WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
    pControl->OnClick(FALSE, pt);
    PumpMessages();
    EXPECT_EQ(hOne, ActiveChild());
    EXPECT_EQ(pFirst, pControl->GetWorkspace()->GetSelectedItem());
    pBar->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    ::RedrawWindow(m_hFrame, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    PumpMessages();
    EXPECT_EQ("", SaveWindowScreenshot(m_hFrame, "tabbed-workspace-bar"));

    // A tab's tooltip is its child's caption, and only while the caption is cut (the paint manager's mode).
    auto toolText = [pBar](CPoint point) {
        TOOLINFOA ti = {};
        ti.cbSize = TTTOOLINFOA_V1_SIZE;
        const INT_PTR nHit = pBar->OnToolHitTest(point, &ti);
        std::string text = nHit == -1 || ti.lpszText == nullptr ? "(none)" : ti.lpszText;
        std::free(ti.lpszText);
        return text;
    };
    EXPECT_EQ("(none)", toolText(pFirst->GetRect().CenterPoint())) << "the whole caption shows";
    ::SetWindowTextA(hOne, "Doc 1 with a caption far too long for the tabs of a bar this narrow");
    m_client.GetPaintManager()->SetLayout(CKitTabPaintManager::kLayoutCompressed);
    pControl->SetWidth(200);
    pBar->CalcLayout(rcFrame.Width());
    ASSERT_LT(pFirst->GetLength(), pFirst->GetFullLength());
    EXPECT_EQ("Doc 1 with a caption far too long for the tabs of a bar this narrow",
              toolText(pFirst->GetRect().CenterPoint()));
    m_client.GetPaintManager()->m_nToolTipMode = CKitTabPaintManager::kTooltipNone;
    EXPECT_EQ("(none)", toolText(pFirst->GetRect().CenterPoint()));
    m_client.GetPaintManager()->m_nToolTipMode = CKitTabPaintManager::kTooltipShortened;
    m_client.GetPaintManager()->SetLayout(CKitTabPaintManager::kLayoutPlain);
    ::SetWindowTextA(hOne, "Doc 1");

    // Removed, the control gives the tabs back to the client.
    pBar->GetControls()->Remove(pControl);
    ASSERT_EQ(1, m_client.GetWorkspaceCount());
    EXPECT_EQ(nullptr, m_client.GetHostedWorkspace());
    EXPECT_EQ((std::vector<std::string>{"Doc 1", "Doc 2", "Doc 3"}), Captions(0));
    EXPECT_FALSE(Group(0)->GetHeaderRect().IsRectEmpty());
    EXPECT_TRUE(m_client.IsGroupsEnabled());
    manager.RemoveAll();
    g_nBarHeight = 0;
    PumpMessages();
    CKitPaintManager::Done();
}

// With the new-tab option each group ends with a tab that sends the command to the frame; children and dropped
// tabs go before it.
TEST_F(TabbedWorkspaceTest, TheNewTabSendsItsCommandAndStaysLast)
{
    constexpr UINT kNewCommand = 0xE100;
    m_client.SetNewTabCommand(kNewCommand, TRUE);
    OpenChild("Doc 1");
    OpenChild("Doc 2");
    ASSERT_EQ(3, Group(0)->GetItemCount());
    EXPECT_EQ(Group(0)->GetNewTabItem(), Group(0)->GetItem(2));
    EXPECT_EQ((std::vector<std::string>{"Doc 1", "Doc 2", ""}), Captions(0));

    g_arrCommands.clear();
    CKitTabManagerItem* pSelected = Group(0)->GetSelectedItem();
    EXPECT_TRUE(Group(0)->PerformClick(g_hMDIClient, Group(0)->GetNewTabItem()->GetRect().CenterPoint()));
    PumpMessages();
    EXPECT_EQ((std::vector<UINT>{kNewCommand}), g_arrCommands);
    EXPECT_EQ(pSelected, Group(0)->GetSelectedItem());
    // A new tab can neither be dragged onto nor counted as a tab to split off.
    EXPECT_TRUE(m_client.CanDoAction(kIdTabGroupNewVertical));

    PressAndDrag(Group(0)->GetItem(0), {CPoint(Group(0)->GetControlRect().right - 10, 200)});
    ASSERT_EQ(2, m_client.GetWorkspaceCount());
    EXPECT_EQ((std::vector<std::string>{"Doc 2", ""}), Captions(0));
    EXPECT_EQ((std::vector<std::string>{"Doc 1", ""}), Captions(1));
    EXPECT_FALSE(m_client.CanDoAction(kIdTabGroupNewVertical)) << "one child in the group";
    PressAndDrag(Group(1)->GetItem(0), {Group(0)->GetHeaderRect().CenterPoint()});
    ASSERT_EQ(1, m_client.GetWorkspaceCount());
    EXPECT_EQ((std::vector<std::string>{"Doc 2", "Doc 1", ""}), Captions(0));
}

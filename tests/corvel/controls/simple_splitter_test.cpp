// The splitter in a top-level window of its own: the panes' lengths from the shares and the minimum, and the dragging of a bar.
#include "corvel/controls/simple_splitter.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

constexpr int kHeight = 120;
constexpr UINT kSplitterId = AFX_IDW_PANE_FIRST;

// A splitter of two side-by-side panes filling a popup window of the given width.
class SplitterHost {
public:
    SplitterHost(int width, int minimum, int bar) : splitter(2, CSimpleSplitter::kSideBySide, minimum, bar)
    {
        if (!parent.CreateEx(0, AfxDefaultWndClass(), "", WS_POPUP, 0, 0, width, kHeight, nullptr, nullptr))
            return;
        splitter.Create(&parent, kSplitterId);
        LPCSTR className = AfxRegisterWndClass(CS_DBLCLKS);
        splitter.SetPane(0, &panes[0], 0, 0, className);
        splitter.SetPane(1, &panes[1], 0, 0, className);
    }
    ~SplitterHost()
    {
        if (parent.m_hWnd != nullptr)
            parent.DestroyWindow();
    }

    // The pane window's width as placed.
    int PaneWidth(int index)
    {
        CRect rect;
        panes[index].GetWindowRect(&rect);
        return rect.Width();
    }
    void Mouse(UINT message, int x) { splitter.SendMessage(message, message == WM_MOUSEMOVE ? MK_LBUTTON : 0, MAKELPARAM(x, 10)); }

    CWnd parent;
    CSimpleSplitter splitter;
    CChildWnd panes[2];
};

struct ShareCase {
    int width;
    int minimum;
    int bar;
    int first;
    int second;
};

TEST(SimpleSplitter, PanesShareTheSpaceLeftByTheBarAndKeepTheMinimumInOrder)
{
    const ShareCase cases[] = {
        {204, 30, 3, 101, 100}, // odd space: the first pane gets the extra pixel
        {203, 30, 3, 100, 100},
        {50, 30, 3, 30, 17},    // narrower than twice the minimum: the first pane has it, the second the rest
        {20, 30, 3, 17, 0},     // not even one minimum: the first pane takes all
        {805, 10, 0, 403, 402}, // the inner splitter's configuration
    };
    for (const ShareCase& c : cases) {
        SplitterHost host(c.width, c.minimum, c.bar);
        ASSERT_NE(nullptr, host.splitter.m_hWnd);
        EXPECT_EQ(c.first, host.PaneWidth(0)) << c.width;
        EXPECT_EQ(c.second, host.PaneWidth(1)) << c.width;
        EXPECT_EQ(c.first + c.bar, host.splitter.GetPosition(1)) << c.width;
        EXPECT_EQ(CSimpleSplitter::kShareUnits, host.splitter.GetShare(0) + host.splitter.GetShare(1)) << c.width;
        CRect second = host.splitter.GetPaneRect(1);
        EXPECT_EQ(c.width, second.right) << c.width;
        EXPECT_EQ(kHeight, second.Height()) << c.width;
    }
}

TEST(SimpleSplitter, RelativeSizesBecomeSharesOfTheSpace)
{
    SplitterHost host(403, 30, 3);
    const int sizes[2] = {330, 800};
    host.splitter.SetPaneSizes(sizes);
    // 400 pixels at 330 : 800.
    EXPECT_EQ(117, host.PaneWidth(0));
    EXPECT_EQ(283, host.PaneWidth(1));
    EXPECT_EQ(9569, host.splitter.GetShare(0));
}

TEST(SimpleSplitter, AfterTheFirstPlacementsEnlargingWidensOnlyTheLastPane)
{
    SplitterHost host(303, 30, 3);
    for (int width : {313, 323, 333})
        host.splitter.MoveWindow(0, 0, width, kHeight);
    const int first = host.PaneWidth(0);
    host.splitter.MoveWindow(0, 0, 500, kHeight);
    EXPECT_EQ(first, host.PaneWidth(0));
    EXPECT_EQ(500 - first - 3, host.PaneWidth(1));
}

TEST(SimpleSplitter, DraggingStopsTheMinimumShortOfTheNeighbouringBars)
{
    struct DragCase {
        int to;
        int first;
        int second;
    };
    // 297 pixels of space: the bar ends at 152; the outer edges are at 0 and 303.
    const DragCase cases[] = {
        {400, 267, 30},
        {-50, 30, 267},
        {201, 199, 98},
    };
    for (const DragCase& c : cases) {
        SplitterHost host(300, 30, 3);
        ASSERT_EQ(152, host.splitter.GetPosition(1));
        host.Mouse(WM_LBUTTONDOWN, 151);
        EXPECT_TRUE(host.splitter.IsDragging());
        EXPECT_EQ(host.splitter.m_hWnd, ::GetCapture());
        host.Mouse(WM_MOUSEMOVE, c.to);
        host.Mouse(WM_LBUTTONUP, c.to);
        EXPECT_FALSE(host.splitter.IsDragging()) << c.to;
        EXPECT_EQ(nullptr, ::GetCapture()) << c.to;
        EXPECT_EQ(c.first, host.PaneWidth(0)) << c.to;
        EXPECT_EQ(c.second, host.PaneWidth(1)) << c.to;
        // The shares follow the new lengths.
        EXPECT_EQ(CSimpleSplitter::ShareToPixels(host.splitter.GetShare(0), 297), c.first) << c.to;
    }
}

TEST(SimpleSplitter, APressThatFindsNoBarIsIgnored)
{
    SplitterHost host(300, 30, 3);
    host.Mouse(WM_LBUTTONDOWN, 200);
    EXPECT_FALSE(host.splitter.IsDragging());
    EXPECT_NE(host.splitter.m_hWnd, ::GetCapture());
    host.Mouse(WM_MOUSEMOVE, 250);
    host.Mouse(WM_LBUTTONUP, 250);
    EXPECT_EQ(149, host.PaneWidth(0));
    EXPECT_EQ(148, host.PaneWidth(1));
}

TEST(SimpleSplitter, TheSplitterTakesTheClientEdgeOffItsParent)
{
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(WS_EX_CLIENTEDGE, AfxDefaultWndClass(), "", WS_POPUP, 0, 0, 200, 100, nullptr,
                                nullptr));
    CSimpleSplitter splitter(2, CSimpleSplitter::kSideBySide, 30, 3);
    ASSERT_TRUE(splitter.Create(&parent, kSplitterId));
    EXPECT_EQ(0u, parent.GetExStyle() & WS_EX_CLIENTEDGE);
    EXPECT_EQ(kSplitterId, static_cast<UINT>(splitter.GetDlgCtrlID()));
    parent.DestroyWindow();
}

} // namespace

// The scroll viewer in a window: bars made as the content asks, wheel and line steps, holding an arrow, Shift-click on the track.
#include "markup_window_host.h"
#include "support/held_keys.h"

#include "toolkit/markup/markup_scroll_viewer.h"

#include <gtest/gtest.h>

namespace {

// The repeat timer's delays as the bar asks for them; the timer itself fires at
// once, and after kTicksBeforeRelease delays the button goes up.
std::vector<UINT> g_delays;
HWND g_hReleaseTarget = nullptr;
POINT g_releasePoint = {0, 0};
constexpr size_t kTicksBeforeRelease = 3;

void RecordingTimer(HWND hWnd, UINT_PTR nTimer, UINT nDelay)
{
    g_delays.push_back(nDelay);
    ::SetTimer(hWnd, nTimer, 1, nullptr);
    if (g_delays.size() == kTicksBeforeRelease)
        ::PostMessageA(g_hReleaseTarget, WM_LBUTTONUP, 0, MAKELPARAM(g_releasePoint.x, g_releasePoint.y));
}

class MarkupScrollViewerTest : public ::testing::Test {
protected:
    ~MarkupScrollViewerTest() override { CKitMarkupScrollBar::SetTimerHook(nullptr); }

    CKitMarkupScrollViewer* Viewer() { return m_host.Named<CKitMarkupScrollViewer>("viewer"); }

    // The point of a bar's part in client coordinates.
    POINT PartPoint(CKitMarkupScrollBar* pBar, int nPart)
    {
        const CKitMarkupScrollBar::Layout& layout = pBar->GetLayout();
        const RECT bar = m_host.m_pContext->GetElementRect(pBar);
        int along = 0;
        switch (nPart) {
        case CKitMarkupScrollBar::partFirstArrow:
            along = (layout.nBarStart + layout.nTrackStart) / 2;
            break;
        case CKitMarkupScrollBar::partSecondArrow:
            along = (layout.nTrackEnd + layout.nBarEnd) / 2;
            break;
        case CKitMarkupScrollBar::partPageAfter:
            along = (layout.nThumbEnd + layout.nTrackEnd) / 2;
            break;
        default:
            along = (layout.nThumbStart + layout.nThumbEnd) / 2;
            break;
        }
        return {(bar.left + bar.right) / 2, bar.top + along};
    }

    CMarkupWindowHost m_host{200, 150};
};

const char kTallContent[] = "<ScrollViewer x:Name=\"viewer\" Width=\"120\" Height=\"100\""
                            " VerticalScrollBarVisibility=\"Auto\"><Border x:Name=\"content\" Height=\"400\""
                            " Background=\"#C0D0F0\"/></ScrollViewer>";

TEST_F(MarkupScrollViewerTest, BarsComeAndGoWithTheContent)
{
    ASSERT_EQ("", m_host.Show("<ScrollViewer x:Name=\"viewer\" Width=\"120\" Height=\"100\""
                              " VerticalScrollBarVisibility=\"Auto\"><Border Height=\"40\"/></ScrollViewer>"));
    EXPECT_EQ(nullptr, Viewer()->GetVerticalBar());
    EXPECT_EQ(nullptr, Viewer()->GetHorizontalBar());
    EXPECT_EQ(0, Viewer()->GetScrollOffset(TRUE));

    ASSERT_EQ("", m_host.Show(kTallContent));
    ASSERT_NE(nullptr, Viewer()->GetVerticalBar());
    EXPECT_EQ(nullptr, Viewer()->GetGripper());
    EXPECT_TRUE(Viewer()->GetVerticalBar()->IsEnabled());

    // Both bars visible: the gripper fills the corner.
    ASSERT_EQ("", m_host.Show("<ScrollViewer x:Name=\"viewer\" Width=\"120\" Height=\"100\""
                              " HorizontalScrollBarVisibility=\"Auto\"><Border Width=\"300\" Height=\"300\"/>"
                              "</ScrollViewer>"));
    EXPECT_NE(nullptr, Viewer()->GetVerticalBar());
    EXPECT_NE(nullptr, Viewer()->GetHorizontalBar());
    EXPECT_NE(nullptr, Viewer()->GetGripper());
}

TEST_F(MarkupScrollViewerTest, WheelNotchesAndLineCommandsMoveFixedSteps)
{
    ASSERT_EQ("", m_host.Show(kTallContent));
    CKitMarkupScrollViewer* pViewer = Viewer();
    const RECT content = m_host.RectOf("content");
    const POINT inside = {content.left + 10, content.top + 10};
    m_host.Send(WM_MOUSEMOVE, inside.x, inside.y);
    EXPECT_TRUE(m_host.Send(WM_MOUSEWHEEL, inside.x, inside.y, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA))));
    EXPECT_EQ(48, pViewer->GetScrollOffset(TRUE));
    EXPECT_EQ(content.top - 48, m_host.RectOf("content").top);
    m_host.Send(WM_MOUSEWHEEL, inside.x, inside.y, MAKEWPARAM(0, WHEEL_DELTA));
    EXPECT_EQ(0, pViewer->GetScrollOffset(TRUE));

    struct Step {
        int command;
        int offset;
    };
    const Step steps[] = {{SB_LINEDOWN, 16}, {SB_LINEDOWN, 32}, {SB_LINEUP, 16}, {SB_BOTTOM, 300},
                          {SB_LINEDOWN, 300}, {SB_PAGEUP, 200}, {SB_TOP, 0}, {SB_LINEUP, 0}};
    for (const Step& step : steps) {
        pViewer->Scroll(TRUE, step.command, 0);
        EXPECT_EQ(step.offset, pViewer->GetScrollOffset(TRUE)) << step.command;
    }
}

TEST_F(MarkupScrollViewerTest, ShrinkingContentPullsTheOffsetBack)
{
    ASSERT_EQ("", m_host.Show(kTallContent));
    Viewer()->Scroll(TRUE, SB_BOTTOM, 0);
    EXPECT_EQ(300, Viewer()->GetScrollOffset(TRUE));
    m_host.Named("content")->SetValue(CKitMarkupFrameworkElement::m_pHeightProperty, new CKitMarkupInt(150));
    ::UpdateWindow(m_host.m_hWnd);
    EXPECT_EQ(50, Viewer()->GetScrollOffset(TRUE));
}

TEST_F(MarkupScrollViewerTest, HoldingAnArrowRepeatsAfterADelay)
{
    ASSERT_EQ("", m_host.Show(kTallContent));
    CKitMarkupScrollBar* pBar = Viewer()->GetVerticalBar();
    ASSERT_NE(nullptr, pBar);
    const POINT arrow = PartPoint(pBar, CKitMarkupScrollBar::partSecondArrow);
    ASSERT_TRUE(::SetCursorPos(arrow.x, arrow.y));
    g_delays.clear();
    g_hReleaseTarget = m_host.m_hWnd;
    g_releasePoint = arrow;
    CKitMarkupScrollBar::SetTimerHook(&RecordingTimer);

    m_host.Send(WM_MOUSEMOVE, arrow.x, arrow.y);
    m_host.Send(WM_LBUTTONDOWN, arrow.x, arrow.y);

    const UINT doubleClick = ::GetDoubleClickTime();
    EXPECT_EQ((std::vector<UINT>{doubleClick * 4 / 5, doubleClick / 10, doubleClick / 10}), g_delays);
    // Once on the press, once per repeat.
    EXPECT_EQ(3 * CKitMarkupScrollViewer::kLineStep, Viewer()->GetScrollOffset(TRUE));
    EXPECT_EQ(nullptr, m_host.m_pContext->GetCaptured());
    EXPECT_EQ(CKitMarkupScrollBar::partNone, pBar->GetPressedPart());
}

TEST_F(MarkupScrollViewerTest, ShiftClickOnTheTrackCentresTheThumbAndDrags)
{
    ASSERT_EQ("", m_host.Show(kTallContent));
    CKitMarkupScrollBar* pBar = Viewer()->GetVerticalBar();
    ASSERT_NE(nullptr, pBar);
    const RECT bar = m_host.m_pContext->GetElementRect(pBar);
    const POINT page = PartPoint(pBar, CKitMarkupScrollBar::partPageAfter);
    const int thumbCentre = (pBar->GetLayout().nThumbStart + pBar->GetLayout().nThumbEnd) / 2;
    ASSERT_GT(page.y - bar.top, thumbCentre + 4);

    // The press centres the thumb on the pointer; a move drags it further; the release ends the drag.
    const POINT further = {page.x, page.y + 6};
    ::PostMessageA(m_host.m_hWnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(further.x, further.y));
    ::PostMessageA(m_host.m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(further.x, further.y));
    {
        CHeldKeys keys({VK_LBUTTON, VK_SHIFT});
        m_host.Send(WM_MOUSEMOVE, page.x, page.y);
        m_host.Send(WM_LBUTTONDOWN, page.x, page.y);
    }
    EXPECT_EQ(nullptr, m_host.m_pContext->GetCaptured());
    const CKitMarkupScrollBar::Layout& layout = pBar->GetLayout();
    EXPECT_NEAR(further.y - bar.top, (layout.nThumbStart + layout.nThumbEnd) / 2, 2);
    EXPECT_GT(Viewer()->GetScrollOffset(TRUE), 0);
    // A plain click on the same place pages down by the viewport.
    const int before = Viewer()->GetScrollOffset(TRUE);
    ::PostMessageA(m_host.m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(page.x, bar.bottom - 20));
    m_host.Send(WM_MOUSEMOVE, page.x, bar.bottom - 20);
    m_host.Send(WM_LBUTTONDOWN, page.x, bar.bottom - 20);
    EXPECT_EQ(std::min(before + 100, 300), Viewer()->GetScrollOffset(TRUE));
}

TEST_F(MarkupScrollViewerTest, ThumbDraggedFarSidewaysSnapsBack)
{
    ASSERT_EQ("", m_host.Show(kTallContent));
    CKitMarkupScrollBar* pBar = Viewer()->GetVerticalBar();
    const POINT thumb = PartPoint(pBar, CKitMarkupScrollBar::partThumb);
    ::PostMessageA(m_host.m_hWnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(thumb.x, thumb.y + 30));
    ::PostMessageA(m_host.m_hWnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(thumb.x + 1000, thumb.y + 30));
    ::PostMessageA(m_host.m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(thumb.x + 1000, thumb.y + 30));
    {
        CHeldKeys keys({VK_LBUTTON});
        m_host.Send(WM_MOUSEMOVE, thumb.x, thumb.y);
        m_host.Send(WM_LBUTTONDOWN, thumb.x, thumb.y);
    }
    EXPECT_EQ(0, Viewer()->GetScrollOffset(TRUE));
}

} // namespace

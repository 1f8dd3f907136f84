// The group scroll buttons of a ribbon bar or popup: their place at the ends of the groups and the repeat
// of a held press, the offset that brings a control into view, and where a minimised ribbon's tab popup opens.
#include "toolkit/themes/ribbon/ribbon_scrollable_bar.h"
#include "toolkit/themes/ribbon/ribbon_popup_toolbars.h"

#include "toolkit/themes/ribbon/ribbon_bar.h"
#include "toolkit/themes/ribbon/ribbon_group.h"
#include "toolkit/themes/ribbon/ribbon_tab.h"

#include "toolkit/commandbars/command_bar.h"
#include "toolkit/commandbars/controls.h"

#include "framework/wnd.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// A bar with a window whose groups lie in a fixed rectangle; it records each scroll and lets the
// button go after the scroll the test names.
class CScrollingBar : public CKitCommandBar, public CKitRibbonScrollableBar {
public:
    CScrollingBar()
    {
        CreateEx(0, "STATIC", "", WS_POPUP, CRect(0, 0, 300, 90), nullptr, 0);
        InitScrollableBar(this);
    }
    ~CScrollingBar() override { DestroyWindow(); }

    void ScrollGroups(BOOL bRight) override
    {
        m_scrolls.push_back(bRight);
        m_ticks.push_back(::GetTickCount());
        if (static_cast<int>(m_scrolls.size()) == m_nReleaseAfter)
            PostMessage(WM_LBUTTONUP, 0, 0);
    }
    CRect GetGroupsRect() const override { return CRect(20, 5, 280, 85); }
    CKitRibbonGroup* HitTestGroup(CPoint /*point*/) const override { return nullptr; }

    std::vector<BOOL> m_scrolls;
    std::vector<DWORD> m_ticks;
    int m_nReleaseAfter = 0;
};

std::vector<UINT> g_timerIntervals;
BOOL g_bLeftButtonDown = TRUE;

// A double-click time of 250 ms: the first repeat after 200 ms, then every 25 ms.
const CKitRibbonScrollableBar::CControlGroupsScroll::RepeatTiming kTestTiming = {
    [] { return 250u; }, [] { return g_bLeftButtonDown; }, [](UINT nElapse) { g_timerIntervals.push_back(nElapse); }};

class GroupsScrollTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_timerIntervals.clear();
        g_bLeftButtonDown = TRUE;
        CKitRibbonScrollableBar::CControlGroupsScroll::SetRepeatTiming(&kTestTiming);
    }
    void TearDown() override { CKitRibbonScrollableBar::CControlGroupsScroll::SetRepeatTiming(nullptr); }

    CScrollingBar m_bar;
};

TEST_F(GroupsScrollTest, ButtonsSitAtTheEndsOfTheGroupsAndHideWithFlag8)
{
    CKitRibbonScrollableBar::CControlGroupsScroll* pLeft = m_bar.GetScrollLeft();
    CKitRibbonScrollableBar::CControlGroupsScroll* pRight = m_bar.GetScrollRight();
    ASSERT_NE(nullptr, pLeft);
    ASSERT_NE(nullptr, pRight);
    EXPECT_TRUE(pLeft->IsScrollLeft());
    EXPECT_FALSE(pRight->IsScrollLeft());
    EXPECT_EQ(0x12u, pLeft->GetFlags());
    EXPECT_EQ(&m_bar, pLeft->GetParent());
    EXPECT_EQ(static_cast<DWORD>(kitHideExpand), pLeft->GetHideFlags() & kitHideExpand);

    m_bar.ShowScrollButtons(TRUE, FALSE);
    EXPECT_EQ(0u, pLeft->GetHideFlags() & kitHideExpand);
    EXPECT_EQ(CRect(19, 5, 32, 85), pLeft->GetRect());
    EXPECT_EQ(static_cast<DWORD>(kitHideExpand), pRight->GetHideFlags() & kitHideExpand);

    m_bar.ShowScrollButtons(FALSE, TRUE);
    EXPECT_EQ(CRect(268, 5, 281, 85), pRight->GetRect());
    EXPECT_EQ(0u, pRight->GetHideFlags() & kitHideExpand);
    EXPECT_EQ(static_cast<DWORD>(kitHideExpand), pLeft->GetHideFlags() & kitHideExpand);
}

// Held: one scroll at once, the next after 4/5 of the double-click time, then every 1/10 until released.
TEST_F(GroupsScrollTest, HeldButtonScrollsOnceWaitsThenRepeats)
{
    m_bar.ShowScrollButtons(FALSE, TRUE);
    m_bar.m_nReleaseAfter = 5;
    CKitRibbonScrollableBar::CControlGroupsScroll* pRight = m_bar.GetScrollRight();
    pRight->OnClick();

    EXPECT_EQ(std::vector<BOOL>(5, TRUE), m_bar.m_scrolls);
    EXPECT_EQ((std::vector<UINT>{200, 25}), g_timerIntervals);
    ASSERT_EQ(5u, m_bar.m_ticks.size());
    // The platform's timers are coarse, and a loaded machine stretches every wait: only the first wait's
    // least length is measured; the intervals asked for are checked above.
    EXPECT_GE(m_bar.m_ticks[1] - m_bar.m_ticks[0], 150u);
    EXPECT_FALSE(pRight->IsScrollPressed());
    EXPECT_NE(m_bar.GetSafeHwnd(), ::GetCapture());
    // The timer is gone: nothing scrolls later.
    ::Sleep(60);
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        ::DispatchMessageA(&msg);
    EXPECT_EQ(5u, m_bar.m_scrolls.size());
}

TEST_F(GroupsScrollTest, LeftButtonScrollsLeftAndReleasedAtOnceScrollsOnce)
{
    m_bar.ShowScrollButtons(TRUE, FALSE);
    m_bar.m_nReleaseAfter = 1;
    m_bar.GetScrollLeft()->OnClick();
    EXPECT_EQ(std::vector<BOOL>{FALSE}, m_bar.m_scrolls);
    EXPECT_EQ(std::vector<UINT>{200}, g_timerIntervals);

    // Without the left button down a click does nothing.
    g_bLeftButtonDown = FALSE;
    m_bar.GetScrollLeft()->OnClick();
    EXPECT_EQ(1u, m_bar.m_scrolls.size());
}

// Groups at offset 0 in (20, 5, 280, 85): a control past the right end asks for the offset that shows it 12
// pixels clear of the right button; one under the left button cannot go below 0; hidden buttons ask nothing.
TEST_F(GroupsScrollTest, EnsureVisibleAsksForTheOffsetThatShowsTheControl)
{
    const struct {
        const char* pszName;
        BOOL bLeft;
        BOOL bRight;
        CRect rcControl;
        int nRequest;
    } cases[] = {
        {"past the right end", FALSE, TRUE, CRect(250, 10, 300, 30), 52},
        {"past the right end, no right button", TRUE, FALSE, CRect(250, 10, 300, 30), -1},
        {"under the left button at offset 0", TRUE, TRUE, CRect(5, 10, 40, 30), -1},
        {"inside", TRUE, TRUE, CRect(100, 10, 140, 30), -1},
    };
    for (const auto& c : cases) {
        CKitRibbonTab tab;
        CKitRibbonGroups* pGroups = tab.GetGroups();
        pGroups->SetScrollOffsetRequest(-1);
        m_bar.ShowScrollButtons(c.bLeft, c.bRight);
        m_bar.EnsureVisible(pGroups, c.rcControl);
        EXPECT_EQ(c.nRequest, pGroups->GetScrollOffsetRequest()) << c.pszName;
    }
}

TEST(ScrollOffsetTest, StepsFortyAndNeverGoesBelowZero)
{
    const struct {
        int nOffset;
        BOOL bRight;
        int nExpected;
    } cases[] = {{0, TRUE, 40}, {40, TRUE, 80}, {80, FALSE, 40}, {40, FALSE, 0}, {0, FALSE, 0}, {25, FALSE, 0}};
    for (const auto& c : cases)
        EXPECT_EQ(c.nExpected, CKitRibbonScrollableBar::NextScrollOffset(c.nOffset, c.bRight))
            << c.nOffset << (c.bRight ? " right" : " left");
}

// Work area (0, 0, 1000, 700); the ribbon 800 wide, the popup 93 high below the tab strip at 120.
TEST(TabPopupPlacementTest, KeepsInsideTheWorkAreaAndOpensAboveNearTheBottom)
{
    const CRect rcWork(0, 0, 1000, 700);
    const struct {
        const char* pszName;
        CRect rcRibbon;
        int y;
        CRect expected;
    } cases[] = {
        {"fits", CRect(100, 50, 900, 200), 120, CRect(100, 120, 900, 213)},
        {"passes the right edge", CRect(400, 50, 1200, 200), 120, CRect(400, 120, 996, 213)},
        {"left of the work area", CRect(-100, 50, 700, 200), 120, CRect(0, 120, 700, 213)},
        {"both edges", CRect(-100, 50, 1100, 200), 120, CRect(0, 120, 996, 213)},
        {"passes the bottom: above the tab", CRect(100, 550, 900, 700), 650, CRect(100, 537, 900, 630)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, CKitRibbonTabPopupToolBar::CalcPopupPlacement(c.rcRibbon, rcWork, c.y, 93, 630))
            << c.pszName;
}

// The popup shows its own copy of the tab, with the source's caption, id and place.
TEST(TabPopupTest, CopiesTheTabAndIsScrollable)
{
    CKitRibbonBar bar;
    CKitRibbonTab* pTab = bar.AddTab("Home", 1);
    pTab->SetRect(CRect(10, 20, 60, 40));
    auto* pPopup = new CKitRibbonTabPopupToolBar(pTab);
    EXPECT_NE(pTab, pPopup->GetTab());
    EXPECT_EQ(CString("Home"), pPopup->GetTab()->GetCaption());
    EXPECT_EQ(1, pPopup->GetTab()->GetId());
    EXPECT_EQ(CRect(10, 20, 60, 40), pPopup->GetTab()->GetRect());
    EXPECT_EQ(&bar, pPopup->GetRibbonBar());
    EXPECT_EQ(CKitRibbonTabPopupToolBar::kFlagRibbonPopup,
              pPopup->GetFlags() & CKitRibbonTabPopupToolBar::kFlagRibbonPopup);
    EXPECT_EQ(pPopup, CKitRibbonScrollableBar::GetScrollableBar(pPopup));

    pPopup->InternalRelease();
}

} // namespace

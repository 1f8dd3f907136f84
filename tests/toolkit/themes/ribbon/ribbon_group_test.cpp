// The adaptive layout of a tab's groups: columns of large and stacked buttons, the reduction levels, the
// order in which groups give way, and the scroll offset once nothing more can be given.
#include "toolkit/themes/ribbon/ribbon_group.h"

#include "toolkit/commandbars/control.h"
#include "toolkit/themes/ribbon/ribbon_bar.h"
#include "toolkit/themes/ribbon/ribbon_control_tab.h"
#include "toolkit/themes/ribbon/ribbon_paint_manager.h"
#include "toolkit/themes/ribbon/ribbon_tab.h"

#include "ribbon_test_group.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// A tab without a ribbon whose groups the test fills with buttons.
class RibbonGroupsTest : public ::testing::Test {
protected:
    CTestGroup* AddGroup(int nButtons, int nCaptionWidth = 0)
    {
        auto* pGroup = new CTestGroup;
        pGroup->m_nCaptionWidth = nCaptionWidth;
        m_tab.GetGroups()->InsertAt(-1, pGroup);
        for (int i = 0; i < nButtons; ++i) {
            auto* pControl = new CKitControl;
            pControl->SetIconId(100 + i);
            pGroup->Add(pControl);
            pControl->InternalRelease();
        }
        return pGroup;
    }
    // Lays the groups out in the width without margins at the left and right.
    void Layout(int nWidth) { m_tab.GetGroups()->RepositionGroups(nullptr, nWidth, CRect(0, 3, 0, 3)); }

    static std::vector<int> Styles(CKitRibbonGroup* pGroup)
    {
        std::vector<int> styles;
        for (int i = 0; i < pGroup->GetCount(); ++i)
            styles.push_back(pGroup->GetAt(i)->GetStyle());
        return styles;
    }
    static bool IsShownAsPopup(CKitRibbonGroup* pGroup)
    {
        for (int i = 0; i < pGroup->GetCount(); ++i) {
            if (pGroup->GetAt(i)->IsVisible(1))
                return false;
        }
        return true;
    }

    CKitRibbonTab m_tab;
};

constexpr int L = kitButtonIconAndCaptionBelow;
constexpr int M = kitButtonIconAndCaption;
constexpr int S = kitButtonIcon;

TEST_F(RibbonGroupsTest, GroupThatFitsKeepsLargeButtonsSideBySide)
{
    CTestGroup* pGroup = AddGroup(3);
    Layout(500);
    EXPECT_EQ(Styles(pGroup), (std::vector<int>{L, L, L}));
    // Columns start 2 pixels into the group and 2 below its top.
    EXPECT_EQ(pGroup->GetAt(0)->GetRect(), CRect(4, 5, 44, 71));
    EXPECT_EQ(pGroup->GetAt(2)->GetRect(), CRect(84, 5, 124, 71));
    EXPECT_EQ(pGroup->GetRect(), CRect(0, 3, 124 + 5, 3 + kAreaHeight - 7));
    EXPECT_FALSE(pGroup->IsReduced());
}

TEST_F(RibbonGroupsTest, RunOfThreeLargeButtonsAtTheRightBecomesOneColumnOfMiddleButtons)
{
    CTestGroup* pGroup = AddGroup(4);
    // Four large buttons need 164 pixels.
    Layout(150);
    EXPECT_EQ(Styles(pGroup), (std::vector<int>{L, M, M, M}));
    const CRect rcFirst = pGroup->GetAt(1)->GetRect();
    EXPECT_EQ(rcFirst, CRect(44, 5, 104, 27));
    EXPECT_EQ(pGroup->GetAt(2)->GetRect(), rcFirst + CPoint(0, kRowHeight));
    EXPECT_EQ(pGroup->GetAt(3)->GetRect(), rcFirst + CPoint(0, 2 * kRowHeight));
    EXPECT_EQ(pGroup->GetRect().Width(), 104 + 5);
}

TEST_F(RibbonGroupsTest, SeparatorInsideTheRunKeepsTheButtonsLarge)
{
    CTestGroup* pGroup = AddGroup(4);
    pGroup->GetAt(2)->SetBeginGroup(TRUE);
    // With the separator no column can be made: the group goes straight to its popup button.
    Layout(150);
    EXPECT_EQ(Styles(pGroup), (std::vector<int>{L, L, L, L}));
    EXPECT_TRUE(pGroup->IsReduced());
    EXPECT_TRUE(IsShownAsPopup(pGroup));
    EXPECT_EQ(pGroup->GetRect().Width(), kPopupButtonWidth - 5 + 5);
}

TEST_F(RibbonGroupsTest, CaptionWiderThanControlsKeepsItsWidthUntilLevelTwo)
{
    // One large button: controls 44 wide under a caption of 100.
    CTestGroup* pGroup = AddGroup(1, 100);
    pGroup->OnBeforeCalcSize(nullptr);
    EXPECT_EQ(pGroup->CalcSize(nullptr), 100);
    EXPECT_FALSE(pGroup->OnReduceSize(0, 30));
    EXPECT_FALSE(pGroup->OnReduceSize(1, 30));
    EXPECT_FALSE(pGroup->OnReduceSize(3, 30));
    EXPECT_EQ(pGroup->CalcSize(nullptr), 100);
    ASSERT_TRUE(pGroup->OnReduceSize(2, 30));
    EXPECT_EQ(pGroup->CalcSize(nullptr), 70);
    // Never below the controls' width.
    ASSERT_TRUE(pGroup->OnReduceSize(2, 100));
    EXPECT_EQ(pGroup->CalcSize(nullptr), 44);
    EXPECT_FALSE(pGroup->OnReduceSize(2, 100));
    pGroup->OnAfterCalcSize();
}

TEST_F(RibbonGroupsTest, CaptionOverNarrowControlsNeverShrinks)
{
    // Controls of 16 pixels or less keep the caption's width.
    CTestGroup* pGroup = AddGroup(1, 100);
    pGroup->GetAt(0)->SetCustomSize(CSize(12, 20));
    pGroup->OnBeforeCalcSize(nullptr);
    EXPECT_EQ(pGroup->CalcSize(nullptr), 100);
    EXPECT_FALSE(pGroup->OnReduceSize(2, 30));
    pGroup->OnAfterCalcSize();
}

TEST_F(RibbonGroupsTest, SingleVisibleControlIsNeverReducedToThePopupButton)
{
    struct Case {
        const char* name;
        int nButtons;
        bool bHideSecond;
        bool bReduced;
    };
    const Case cases[] = {
        {"one control", 1, false, false},
        {"two controls, one hidden by the user", 2, true, false},
        {"two controls", 2, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_tab.GetGroups()->RemoveAll();
        CTestGroup* pGroup = AddGroup(c.nButtons);
        if (c.bHideSecond)
            pGroup->GetAt(1)->SetHideFlag(FALSE);
        Layout(20);
        EXPECT_EQ(pGroup->IsReduced() != FALSE, c.bReduced);
        EXPECT_EQ(pGroup->GetAt(0)->IsVisible(1), !c.bReduced);
    }
}

TEST_F(RibbonGroupsTest, RightmostGroupGivesWayFirstAndLowerLevelsGoBeforeHigherOnes)
{
    CTestGroup* pLeft = AddGroup(4);
    CTestGroup* pRight = AddGroup(4);
    // 164 + 7 + 164 = 335.
    Layout(300);
    EXPECT_EQ(Styles(pLeft), (std::vector<int>{L, L, L, L}));
    EXPECT_EQ(Styles(pRight), (std::vector<int>{L, M, M, M}));
    EXPECT_EQ(pRight->GetRect().left, 164 + 7);

    // The right group has nothing left at level 0, so the left one stacks before the right goes further.
    Layout(250);
    EXPECT_EQ(Styles(pLeft), (std::vector<int>{L, M, M, M}));
    EXPECT_EQ(Styles(pRight), (std::vector<int>{L, M, M, M}));

    // A pass starts again from the full layout.
    Layout(500);
    EXPECT_EQ(Styles(pRight), (std::vector<int>{L, L, L, L}));

    // Level 2 turns the rightmost column of middle buttons into icons; level 3 comes last.
    Layout(200);
    EXPECT_EQ(Styles(pLeft), (std::vector<int>{L, M, M, M}));
    EXPECT_EQ(Styles(pRight), (std::vector<int>{L, S, S, S}));
    EXPECT_FALSE(pLeft->IsReduced());
    EXPECT_FALSE(pRight->IsReduced());
}

TEST_F(RibbonGroupsTest, HiddenGroupTakesNoWidthAndNoGap)
{
    CTestGroup* pLeft = AddGroup(3);
    CTestGroup* pHidden = AddGroup(3);
    CTestGroup* pRight = AddGroup(3);
    pHidden->SetVisible(FALSE);
    Layout(500);
    EXPECT_EQ(pRight->GetRect().left, pLeft->GetRect().left + 124 + 7);
}

TEST_F(RibbonGroupsTest, ScrollOffsetTakesOverWhenEveryReductionIsSpent)
{
    CTestGroup* pLeft = AddGroup(4);
    CTestGroup* pRight = AddGroup(4);
    CKitRibbonGroups* pGroups = m_tab.GetGroups();
    // Both as popup buttons: 40 + 7 + 40 = 87 needed.
    struct Case {
        int nRequest;
        int nOffset;
        bool bLeft;
        bool bRight;
    };
    const Case cases[] = {{0, 0, false, true}, {10, 10, true, true}, {1000, 37, true, false}, {-5, 0, false, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.nRequest);
        pGroups->SetScrollOffsetRequest(c.nRequest);
        Layout(50);
        ASSERT_TRUE(pLeft->IsReduced());
        ASSERT_TRUE(pRight->IsReduced());
        EXPECT_EQ(pGroups->GetScrollOffset(), c.nOffset);
        EXPECT_EQ(pGroups->IsScrollLeftVisible() != FALSE, c.bLeft);
        EXPECT_EQ(pGroups->IsScrollRightVisible() != FALSE, c.bRight);
        EXPECT_EQ(pLeft->GetRect().left, -c.nOffset);
        EXPECT_EQ(pRight->GetRect().left, 47 - c.nOffset);
    }
    // Room again: no offset, whatever is asked.
    pGroups->SetScrollOffsetRequest(30);
    Layout(500);
    EXPECT_EQ(pGroups->GetScrollOffset(), 0);
    EXPECT_FALSE(pGroups->IsScrollLeftVisible());
    EXPECT_FALSE(pGroups->IsScrollRightVisible());
    EXPECT_FALSE(pLeft->IsReduced());
}

TEST_F(RibbonGroupsTest, GroupedControlsTakeTwoRowsAndAThirdOnlyWhenReduced)
{
    // Three blocks of two small buttons.
    CTestGroup* pGroup = AddGroup(6);
    pGroup->SetControlsGrouping(TRUE);
    for (int i = 0; i < 6; ++i)
        pGroup->GetAt(i)->SetCustomSize(CSize(22, 22));
    pGroup->GetAt(2)->SetBeginGroup(TRUE);
    pGroup->GetAt(4)->SetBeginGroup(TRUE);

    // Two rows: the first block, then the other two; the spare height is shared above, between and below.
    Layout(500);
    EXPECT_EQ(pGroup->GetRect().Width(), 95 + 5);
    EXPECT_EQ(pGroup->GetAt(0)->GetRect(), CRect(4, 3 + 2 + 8, 26, 3 + 2 + 8 + 22));
    EXPECT_EQ(pGroup->GetAt(2)->GetRect(), CRect(4, 3 + 2 + 37, 26, 3 + 2 + 37 + 22));
    EXPECT_EQ(pGroup->GetAt(4)->GetRect().left, 51);
    EXPECT_EQ(pGroup->GetAt(4)->GetRect().top, 3 + 2 + 37);
    EXPECT_TRUE(pGroup->GetAt(0)->GetWrap());
    EXPECT_TRUE(pGroup->GetAt(2)->GetWrap());
    EXPECT_FALSE(pGroup->GetAt(4)->GetWrap());

    // Too narrow: one block a row.
    Layout(60);
    EXPECT_EQ(pGroup->GetRect().Width(), 48 + 5);
    EXPECT_EQ(pGroup->GetAt(4)->GetRect(), CRect(4, 3 + 2 + 44, 26, 3 + 2 + 66));
    EXPECT_TRUE(pGroup->GetAt(4)->GetWrap());
    EXPECT_FALSE(pGroup->IsReduced());
}

TEST(RibbonBarGroups, BarLayoutReducesTheSelectedTabsGroupsAndScrollsWhatStillDoesNotFit)
{
    CKitRibbonBar bar;
    CKitRibbonTab* pTab = bar.AddTab("Home", 1);
    bar.GetControlTab()->SetSelectedItem(pTab);
    std::vector<CTestGroup*> groups;
    for (int g = 0; g < 8; ++g) {
        auto* pGroup = new CTestGroup;
        pTab->GetGroups()->InsertAt(-1, pGroup);
        for (int i = 0; i < 4; ++i) {
            auto* pControl = new CKitControl;
            pGroup->Add(pControl);
            pControl->InternalRelease();
        }
        groups.push_back(pGroup);
    }
    EXPECT_EQ(groups[0]->GetRibbonBar(), &bar);
    const int nMargin = bar.GetRibbonPaintManager()->GetGroupSpacing() > 0 ? 4 : 0;

    // Wide: the groups stand side by side from the margin, 3 pixels below the band's top.
    bar.CalcDockLayout(1600, LM_COMMIT);
    EXPECT_EQ(groups[0]->GetRect().left, bar.GetGroupsRect().left + nMargin);
    EXPECT_EQ(groups[0]->GetRect().top, bar.GetGroupsRect().top + 3);
    EXPECT_FALSE(groups[7]->IsReduced());
    EXPECT_EQ(pTab->GetGroups()->GetScrollOffset(), 0);

    // Narrow: every group down to its popup button, and the offset asked for is granted.
    pTab->GetGroups()->SetScrollOffsetRequest(40);
    bar.CalcDockLayout(250, LM_COMMIT);
    for (CTestGroup* pGroup : groups)
        EXPECT_TRUE(pGroup->IsReduced());
    EXPECT_EQ(pTab->GetGroups()->GetScrollOffset(), 40);
    EXPECT_TRUE(pTab->GetGroups()->IsScrollLeftVisible());
    EXPECT_EQ(groups[0]->GetRect().left, bar.GetGroupsRect().left + nMargin - 40);
}

TEST(RibbonBarGroups, PopupButtonShowsOnlyForAReducedGroupAndOptionButtonOnlyWhenAsked)
{
    CKitRibbonBar bar;
    CKitRibbonTab* pHome = bar.AddTab("Home", 1);
    CKitRibbonTab* pView = bar.AddTab("View", 2);
    bar.GetControlTab()->SetSelectedItem(pHome);
    auto* pGroup = new CTestGroup;
    pGroup->ShowOptionButton(TRUE);
    pHome->GetGroups()->InsertAt(-1, pGroup);
    for (int i = 0; i < 4; ++i) {
        auto* pControl = new CKitControl;
        pGroup->Add(pControl);
        pControl->InternalRelease();
    }
    CKitControl* pPopup = pGroup->GetControlGroupPopup();
    CKitControl* pOption = pGroup->GetControlGroupOption();
    // Both buttons stand in the bar's controls and point back to the group.
    EXPECT_EQ(pPopup->GetControls(), bar.GetControls());
    EXPECT_EQ(pOption->GetRibbonGroup(), pGroup);

    bar.CalcDockLayout(1600, LM_COMMIT);
    EXPECT_FALSE(pPopup->IsVisible());
    ASSERT_TRUE(pOption->IsVisible());
    const CRect rcGroup = pGroup->GetRect();
    EXPECT_EQ(pOption->GetRect(), CRect(rcGroup.right - kCaptionHeight - 1, rcGroup.bottom - kCaptionHeight,
                                        rcGroup.right - 3, rcGroup.bottom - 3));

    // Too narrow for the four buttons even stacked: the popup button takes the group's place.
    pGroup->SetAllowReduceLevels(4);
    for (int i = 0; i < 12; ++i) {
        auto* pGroupMore = new CTestGroup;
        pHome->GetGroups()->InsertAt(0, pGroupMore);
        auto* pControl = new CKitControl;
        pGroupMore->Add(pControl);
        pControl->InternalRelease();
    }
    bar.CalcDockLayout(250, LM_COMMIT);
    ASSERT_TRUE(pGroup->IsReduced());
    EXPECT_TRUE(pPopup->IsVisible());
    EXPECT_EQ(pPopup->GetRect(), pGroup->GetRect());
    EXPECT_FALSE(pOption->IsVisible());

    // On another tab both are away (a ribbon without a window only selects: the test shows the groups itself).
    bar.GetControlTab()->SetSelectedItem(pView);
    bar.ShowSelectedTabGroups();
    EXPECT_FALSE(pPopup->IsVisible());
    EXPECT_FALSE(pOption->IsVisible(2));
}

TEST_F(RibbonGroupsTest, CentredColumnHasEqualGapsAboveBetweenAndBelow)
{
    CTestGroup* pGroup = AddGroup(3);
    pGroup->SetControlsCentering(TRUE);
    for (int i = 0; i < 3; ++i) {
        pGroup->GetAt(i)->SetStyle(M);
        pGroup->GetAt(i)->SetCustomSize(CSize(50, 14));
    }
    Layout(500);
    // A column of 42 in 86 - 17 - 3 = 66 pixels: gaps of 6 after the 2-pixel inset.
    EXPECT_EQ(pGroup->GetAt(0)->GetRect().top, 3 + 2 + 6);
    EXPECT_EQ(pGroup->GetAt(1)->GetRect().top, 3 + 2 + 14 + 12);
    EXPECT_EQ(pGroup->GetAt(2)->GetRect().top, 3 + 2 + 28 + 18);
}

} // namespace

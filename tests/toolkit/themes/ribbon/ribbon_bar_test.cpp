// The ribbon bar: its own controls and flags, heights, minimising by double click, stored state, the size
// for a length, quick access overflow, context headers and its controls collections.
#include "toolkit/themes/ribbon/ribbon_bar.h"

#include "toolkit/commandbars/command_bar_manager.h"
#include "toolkit/commandbars/control.h"
#include "toolkit/common/prop_exchange.h"
#include "toolkit/themes/paint/paint_manager.h"
#include "toolkit/themes/ribbon/ribbon_backstage_view.h"
#include "toolkit/themes/ribbon/ribbon_control_tab.h"
#include "toolkit/themes/ribbon/ribbon_controls.h"
#include "toolkit/themes/ribbon/ribbon_group.h"
#include "toolkit/themes/ribbon/ribbon_paint_manager.h"
#include "toolkit/themes/ribbon/ribbon_quick_access.h"
#include "toolkit/themes/ribbon/ribbon_system_button.h"
#include "toolkit/themes/ribbon/ribbon_tab.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <string>

namespace {

// A ribbon bar without a window whose mouse handlers, caption band and system button the test drives.
class CTestRibbonBar : public CKitRibbonBar {
public:
    void LeftDown(CPoint pt) { OnLButtonDownRibbon(0, pt); }
    void DoubleClick(CPoint pt)
    {
        // A double click comes as a press, then the double-click message.
        OnLButtonDownRibbon(0, pt);
        OnLButtonDblClkRibbon(0, pt);
    }
    void SetCaptionBands(const CRect& rcCaption, const CRect& rcFree)
    {
        m_rcCaption = rcCaption;
        m_rcCaptionFree = rcFree;
    }
    // The controls take the button at the front; the bar points to it.
    CKitRibbonControlSystemButton* AddSystemButton()
    {
        auto* pButton = new CKitRibbonControlSystemButton;
        m_pControls->InsertAt(pButton, 0);
        m_pSystemButton = pButton;
        return pButton;
    }
};

// Tabs laid side by side in the strip, 60 pixels wide from x = 10.
void LayTabsOut(CKitRibbonBar& bar)
{
    CKitRibbonControlTab* pStrip = bar.GetControlTab();
    pStrip->SetRects(CRect(0, 0, 1000, 25), CRect(0, 0, 1000, 25), CRect());
    for (int i = 0; i < bar.GetTabCount(); ++i)
        bar.GetTab(i)->SetRect(CRect(10 + 60 * i, 0, 70 + 60 * i, 25));
}

// A keyed exchange over a map of texts, for booleans and integers.
class MapExchange : public CKitPropExchange {
public:
    MapExchange(std::map<std::string, std::string>* values, bool loading, int nSchema, std::string prefix = "")
        : m_values(values), m_prefix(std::move(prefix))
    {
        m_bLoading = loading;
        m_nSchema = nSchema;
    }
    BOOL ExchangeProp(LPCSTR lpszPropName, int nType, void* pValue, const void* pDefault) override
    {
        if (nType != kTypeBool && nType != kTypeInt)
            return FALSE;
        const std::string key = m_prefix + lpszPropName;
        int& value = *static_cast<int*>(pValue);
        if (IsStoring())
            (*m_values)[key] = std::to_string(value);
        else if (m_values->count(key) != 0)
            value = std::atoi((*m_values)[key].c_str());
        else if (pDefault != nullptr)
            value = *static_cast<const int*>(pDefault);
        return TRUE;
    }
    CKitPropExchange* GetSection(LPCSTR lpszSection) override
    {
        auto* pSection = new MapExchange(m_values, IsLoading() != FALSE, m_nSchema, m_prefix + lpszSection + "\\");
        InitSection(pSection);
        return pSection;
    }

private:
    std::map<std::string, std::string>* m_values;
    std::string m_prefix;
};

// A top-level window of the given height that counts the ribbon's minimised-state messages.
class CRecordingSite : public CWnd {
public:
    explicit CRecordingSite(int nHeight) { CreateEx(0, "STATIC", "site", WS_POPUP, 0, 0, 800, nHeight, nullptr, 0); }
    ~CRecordingSite() override { DestroyWindow(); }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == CKitRibbonBar::kMsgMinimizedChanged) {
            m_nMinimizedChanges++;
            m_wLastParam = wParam;
        }
        if (message == WM_KIT_TOOLBAR_RESET) {
            m_nResets++;
            m_lLastParam = lParam;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }

    int m_nMinimizedChanges = 0;
    WPARAM m_wLastParam = 0;
    int m_nResets = 0;
    LPARAM m_lLastParam = 0;
};

} // namespace

TEST(KitRibbonBar, ANewBarIsAFixedMenuBarWithItsThreeTemporaryControls)
{
    CKitRibbonBar bar;
    EXPECT_EQ(0x440u, bar.GetFlags());
    EXPECT_FALSE(bar.IsCustomizable());
    const UINT ids[] = {9603, 9611, 9604};
    ASSERT_EQ(3, bar.GetControlCount());
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(ids[i], bar.GetControl(i)->GetId());
        EXPECT_TRUE(bar.GetControl(i)->IsTemporary());
    }
    EXPECT_EQ(0x18u, bar.GetQuickAccessPopup()->GetFlags());
    EXPECT_EQ(0x18u, bar.GetQuickAccessMorePopup()->GetFlags());
    // The more button shows only when controls overflow.
    EXPECT_FALSE(bar.GetQuickAccessMorePopup()->IsVisible());
    EXPECT_TRUE(bar.GetControls()->IsKindOf(RUNTIME_CLASS(CKitRibbonControls)));
    // The tab strip has no command of its own: a site without a handler for it leaves it enabled.
    bar.GetControlTab()->SetEnabled(FALSE);
    EXPECT_TRUE(bar.GetControlTab()->IsEnabled());
}

TEST(KitRibbonBar, TabsAndGroupsHeightsComeFromThePainterUnlessOverridden)
{
    CKitRibbonBar bar;
    CKitRibbonPaintManager* pPainter = bar.GetRibbonPaintManager();
    EXPECT_EQ(pPainter->GetTabsHeight(), bar.GetTabsHeight());
    bar.SetTabsVisible(FALSE);
    EXPECT_EQ(2, bar.GetTabsHeight());

    const int nControlHeight = pPainter->GetControlHeight();
    EXPECT_EQ(3 * nControlHeight + pPainter->GetGroupCaptionHeight() + 10, bar.GetGroupsAreaHeight());
    bar.SetGroupsClientHeight(100);
    EXPECT_EQ(100 + pPainter->GetGroupCaptionHeight() + 10, bar.GetGroupsAreaHeight());
    bar.SetGroupsAreaHeight(70);
    EXPECT_EQ(70, bar.GetGroupsAreaHeight());

    // The groups band takes room only with a selected tab on an expanded ribbon.
    EXPECT_EQ(0, bar.GetVisibleGroupsHeight());
    CKitRibbonTab* pTab = bar.AddTab("Home", 1);
    bar.GetControlTab()->SetSelectedItem(pTab);
    EXPECT_EQ(70, bar.GetVisibleGroupsHeight());
    bar.SetRibbonMinimized(TRUE);
    EXPECT_EQ(0, bar.GetVisibleGroupsHeight());
}

TEST(KitRibbonBar, ADoubleClickOnTheSelectedTabMinimisesAndASecondExpands)
{
    CTestRibbonBar bar;
    bar.AddTab("Home", 1);
    bar.AddTab("Insert", 2);
    LayTabsOut(bar);
    bar.GetControlTab()->SetSelectedItem(bar.GetTab(0));
    const CPoint ptInsert(100, 10);

    // On another tab the first press selects it and the double click does nothing more.
    bar.DoubleClick(ptInsert);
    EXPECT_EQ(bar.GetTab(1), bar.GetSelectedTab());
    EXPECT_FALSE(bar.IsRibbonMinimized());

    bar.DoubleClick(ptInsert);
    EXPECT_TRUE(bar.IsRibbonMinimized());
    bar.DoubleClick(ptInsert);
    EXPECT_FALSE(bar.IsRibbonMinimized());

    // The site hears of each change, with the bar, and of nothing else.
    CRecordingSite site(400);
    bar.SetSite(&site);
    bar.DoubleClick(ptInsert);
    bar.SetRibbonMinimized(TRUE);
    EXPECT_EQ(1, site.m_nMinimizedChanges);
    EXPECT_EQ(reinterpret_cast<WPARAM>(&bar), site.m_wLastParam);
    bar.DoubleClick(ptInsert);
    EXPECT_EQ(2, site.m_nMinimizedChanges);
    bar.SetSite(nullptr);

    // Not allowed: nothing toggles.
    bar.SetAllowMinimize(FALSE);
    bar.DoubleClick(ptInsert);
    EXPECT_FALSE(bar.IsRibbonMinimized());
}

TEST(KitRibbonBar, MinimisingHidesTheGroupControlsOfTabsNotSelected)
{
    CKitRibbonBar bar;
    CKitRibbonTab* pHome = bar.AddTab("Home", 1);
    CKitRibbonTab* pView = bar.AddTab("View", 2);
    CKitControl* pHomeButton = bar.GetControls()->Add(kitControlButton, 100);
    CKitControl* pViewButton = bar.GetControls()->Add(kitControlButton, 200);
    pHome->GetGroups()->Add("Clipboard", 10)->Add(pHomeButton);
    pView->GetGroups()->Add("Zoom", 20)->Add(pViewButton);
    bar.GetControlTab()->SetSelectedItem(pHome);

    bar.SetRibbonMinimized(TRUE);
    EXPECT_TRUE(pHomeButton->IsVisible());
    EXPECT_FALSE(pViewButton->IsVisible());
    EXPECT_EQ(CKitRibbonBar::kHideTabNotSelected, pViewButton->GetHideFlags());
}

TEST(KitRibbonBar, OlderLayoutsIgnoreTheFlagsTheyDidNotStore)
{
    struct Case {
        const char* name;
        int nSchema;
        BOOL bMinimized;
        BOOL bCustomizable;
    };
    // Customizable stays off in every case: a layout may store it only from schema 24 on.
    const Case cases[] = {
        {"schema 18 ignores Minimized", 18, FALSE, FALSE},
        {"schema 19 reads Minimized", 19, TRUE, FALSE},
        {"schema 23 ignores Customizable", 23, TRUE, FALSE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::map<std::string, std::string> values = {
            {"ShowQuickAccessBelow", "1"}, {"Minimized", "1"}, {"Customizable", "1"}};
        MapExchange loading(&values, true, c.nSchema);
        CKitRibbonBar bar;
        bar.DoPropExchange(&loading);
        EXPECT_TRUE(bar.IsQuickAccessBelowRibbon());
        EXPECT_EQ(c.bMinimized, bar.IsRibbonMinimized());
        EXPECT_EQ(c.bCustomizable, bar.IsCustomizable());
        // The built-in controls survive a load.
        EXPECT_EQ(3, bar.GetControlCount());
    }

    CKitRibbonBar stored;
    stored.ShowQuickAccessBelowRibbon(TRUE);
    std::map<std::string, std::string> values;
    MapExchange storing(&values, false, CKitPropExchange::kDefaultSchema);
    stored.DoPropExchange(&storing);
    EXPECT_EQ("1", values["ShowQuickAccessBelow"]);
    EXPECT_EQ("0", values["Minimized"]);
    EXPECT_EQ("0", values["QuickAccessControls\\Count"]);
}

TEST(KitRibbonBar, BelowTheMinimumLengthTheBarTakesNoHeight)
{
    CKitRibbonBar bar;
    bar.GetControlTab()->SetSelectedItem(bar.AddTab("Home", 1));
    EXPECT_EQ(CSize(249, 0), bar.CalcDockLayout(249, LM_COMMIT));
    EXPECT_FALSE(bar.IsRibbonVisible());

    const CSize sz = bar.CalcDockLayout(250, LM_COMMIT);
    EXPECT_TRUE(bar.IsRibbonVisible());
    EXPECT_EQ(250, sz.cx);
    EXPECT_EQ(bar.GetCaptionHeight() + bar.GetTabsHeight() + bar.GetGroupsAreaHeight(), sz.cy);
    EXPECT_EQ(bar.GetCaptionHeight() + bar.GetTabsHeight(), bar.GetGroupsRect().top);
    EXPECT_EQ(sz.cy, bar.GetGroupsRect().bottom);

    // A site lower than the minimum hides a wide ribbon; the minimum frame height, when set, rules instead.
    CRecordingSite lowSite(240);
    bar.SetSite(&lowSite);
    EXPECT_EQ(CSize(800, 0), bar.CalcDockLayout(800, 0));
    bar.SetMinimumFrameHeight(200);
    EXPECT_LT(0, bar.CalcDockLayout(800, 0).cy);
    bar.SetMinimumFrameHeight(-1);
    bar.SetSite(nullptr);

    // Below the groups the quick access toolbar adds its own row.
    bar.ShowQuickAccessBelowRibbon(TRUE);
    const CSize szBelow = bar.CalcDockLayout(250, 0);
    EXPECT_EQ(bar.GetTabsHeight() + bar.GetGroupsAreaHeight() + bar.GetQuickAccessHeight() + 1 +
                  bar.GetCaptionHeight(),
              szBelow.cy);
}

TEST(KitRibbonBar, QuickAccessControlsPastTheLimitHideFromTheOverflowOnAndTheMoreButtonShows)
{
    CKitRibbonBar bar;
    CKitRibbonQuickAccessControls* pQuickAccess = bar.GetQuickAccessControls();
    for (int i = 0; i < 40; ++i)
        pQuickAccess->Add(kitControlButton, 1000 + i);
    const int nWidth = 400;
    bar.CalcDockLayout(nWidth, LM_COMMIT);
    const int nRightLimit = nWidth - 3 * bar.GetCaptionHeight();

    int nFirstHidden = -1;
    for (int i = 0; i < pQuickAccess->GetCount(); ++i) {
        SCOPED_TRACE(i);
        CKitControl* pControl = pQuickAccess->GetAt(i);
        if (pControl->IsVisible()) {
            EXPECT_EQ(-1, nFirstHidden) << "shown after an overflow";
            EXPECT_LE(pControl->GetRect().right, nRightLimit);
            if (i > 0) {
                EXPECT_GE(pControl->GetRect().left, pQuickAccess->GetAt(i - 1)->GetRect().right);
            }
        } else {
            EXPECT_EQ(CKitRibbonBar::kHideByLayout, pControl->GetHideFlags());
            if (nFirstHidden == -1)
                nFirstHidden = i;
        }
    }
    ASSERT_GT(nFirstHidden, 0);
    EXPECT_TRUE(bar.GetQuickAccessMorePopup()->IsVisible());

    // With room for all of them the more button goes again.
    bar.CalcDockLayout(2000, LM_COMMIT);
    for (int i = 0; i < pQuickAccess->GetCount(); ++i)
        EXPECT_TRUE(pQuickAccess->GetAt(i)->IsVisible()) << i;
    EXPECT_FALSE(bar.GetQuickAccessMorePopup()->IsVisible());
}

TEST(KitRibbonBar, AdjacentTabsOfOneContextShareAHeader)
{
    struct Tab {
        int nColor;
        const char* caption;
    };
    struct Case {
        const char* name;
        Tab tabs[3];
        int nHeaders;
        int nLastTabOfFirst;
    };
    const Case cases[] = {
        {"same colour and caption", {{3, "Table"}, {3, "Table"}, {0, ""}}, 1, 1},
        {"same caption, other colour", {{3, "Table"}, {4, "Table"}, {0, ""}}, 2, 0},
        {"other caption", {{3, "Table"}, {3, "Chart"}, {0, ""}}, 2, 0},
        {"a plain tab breaks the run", {{3, "Table"}, {0, ""}, {3, "Table"}}, 2, 0},
        {"an empty caption breaks the run", {{3, "Table"}, {3, ""}, {3, "Table"}}, 2, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CTestRibbonBar bar;
        bar.ShowQuickAccess(FALSE);
        for (int i = 0; i < 3; ++i) {
            CKitRibbonTab* pTab = bar.AddTab("Tab", i);
            pTab->SetContextColor(c.tabs[i].nColor);
            pTab->SetContextCaption(c.tabs[i].caption);
        }
        LayTabsOut(bar);
        bar.SetCaptionBands(CRect(0, 0, 600, 30), CRect(0, 0, 600, 30));
        bar.RepositionContextHeaders();
        ASSERT_EQ(c.nHeaders, bar.GetContextHeaderCount());
        CKitRibbonTabContextHeader* pFirst = bar.GetContextHeader(0);
        EXPECT_EQ(bar.GetTab(0), pFirst->m_pFirstTab);
        EXPECT_EQ(bar.GetTab(c.nLastTabOfFirst), pFirst->m_pLastTab);
        EXPECT_EQ(CRect(10, 4, 70 + 60 * c.nLastTabOfFirst, 30), pFirst->m_rcHeader);
        EXPECT_EQ(pFirst, bar.GetTab(0)->GetContextHeader());
    }
}

TEST(KitRibbonBar, HeadersMovedOrCutToFitKeepFortyPixelsOrNoneShows)
{
    struct Case {
        const char* name;
        int nFreeLeft;
        int nFreeRight;
        int nHeaders;
        CRect rcFirst;
        CRect rcLast;
        int nLastColor = 4;
    };
    // Tab 0 (10..70) and tab 2 (130..190) carry contexts of other colours (or none); tab 1 none.
    const Case cases[] = {
        {"fits as laid out", 0, 600, 2, CRect(10, 4, 70, 30), CRect(130, 4, 190, 30)},
        {"first moves right and keeps 40", 50, 600, 2, CRect(50, 4, 90, 30), CRect(130, 4, 190, 30)},
        {"last is cut and keeps 40", 0, 150, 2, CRect(10, 4, 70, 30), CRect(110, 4, 150, 30)},
        {"both just fit", 60, 140, 2, CRect(60, 4, 100, 30), CRect(100, 4, 140, 30)},
        {"no room for both", 60, 130, 0, CRect(), CRect()},
        {"a lone header moved and cut", 20, 60, 1, CRect(20, 4, 60, 30), CRect(20, 4, 60, 30), 0},
        {"a lone header without 40", 20, 59, 0, CRect(), CRect(), 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CTestRibbonBar bar;
        bar.ShowQuickAccess(FALSE);
        const int colors[] = {3, 0, c.nLastColor};
        for (int i = 0; i < 3; ++i) {
            CKitRibbonTab* pTab = bar.AddTab("Tab", i);
            pTab->SetContextColor(colors[i]);
            pTab->SetContextCaption("Tools");
        }
        LayTabsOut(bar);
        bar.SetCaptionBands(CRect(0, 0, 600, 30), CRect(c.nFreeLeft, 0, c.nFreeRight, 30));
        bar.RepositionContextHeaders();
        ASSERT_EQ(c.nHeaders, bar.GetContextHeaderCount());
        if (c.nHeaders == 0) {
            EXPECT_EQ(nullptr, bar.GetTab(0)->GetContextHeader());
            continue;
        }
        EXPECT_EQ(c.rcFirst, bar.GetContextHeader(0)->m_rcHeader);
        EXPECT_EQ(c.rcLast, bar.GetContextHeader(c.nHeaders - 1)->m_rcHeader);
    }
}

TEST(KitRibbonControls, BuiltInPartsAndGroupControlsAreNotStoredThroughTheBar)
{
    CTestRibbonBar bar;
    bar.AddSystemButton();
    CKitControl* pLoose = bar.GetControls()->Add(kitControlButton, 300);
    CKitControl* pGrouped = bar.GetControls()->Add(kitControlButton, 301);
    CKitRibbonTab* pTab = bar.AddTab("Home", 1);
    CKitRibbonGroup* pGroup = pTab->GetGroups()->Add("Clipboard", 10);
    pGroup->Add(pGrouped);
    CKitControl* pQuick = bar.GetQuickAccessControls()->Add(kitControlButton, 302);

    CKitControls* pControls = bar.GetControls();
    for (int i = 0; i < pControls->GetCount(); ++i) {
        CKitControl* pControl = pControls->GetAt(i);
        SCOPED_TRACE(pControl->GetId());
        EXPECT_EQ(pControl == pLoose, pControls->IsPersistent(pControl));
    }
    // A quick access control added first stands right after the system button.
    EXPECT_EQ(1, pControls->IndexOf(pQuick));
    EXPECT_TRUE(bar.IsQuickAccessControl(pQuick));

    // Leaving the bar's controls takes a control out of its group and out of the quick access list.
    pControls->Remove(pGrouped);
    EXPECT_EQ(0, pGroup->GetCount());
    pControls->Remove(pQuick);
    EXPECT_EQ(0, bar.GetQuickAccessControls()->GetCount());
    // And the other way round.
    CKitControl* pSecond = bar.GetQuickAccessControls()->Add(kitControlButton, 303);
    bar.GetQuickAccessControls()->Remove(pSecond);
    EXPECT_EQ(-1, pControls->IndexOf(pSecond));

    pControls->Remove(bar.GetSystemButton());
    EXPECT_EQ(nullptr, bar.GetSystemButton());
}

TEST(KitRibbonQuickAccessControls, DuplicatesAreFoundByIdTypeAndClassWhileShown)
{
    CKitRibbonBar bar;
    CKitRibbonQuickAccessControls* pQuickAccess = bar.GetQuickAccessControls();
    CKitControl* pOnBar = pQuickAccess->Add(kitControlButton, 500);
    CKitControlButton other;
    other.SetId(500);
    EXPECT_EQ(pOnBar, pQuickAccess->FindDuplicate(&other));
    // Hidden by the layout still counts; hidden by the user does not.
    pOnBar->SetHideFlags(CKitRibbonBar::kHideByLayout);
    EXPECT_EQ(pOnBar, pQuickAccess->FindDuplicate(&other));
    pOnBar->SetHideFlags(kitHideUser);
    EXPECT_EQ(nullptr, pQuickAccess->FindDuplicate(&other));
    other.SetId(501);
    EXPECT_EQ(nullptr, pQuickAccess->FindDuplicate(&other));

    // No duplicates by default, and never a control kept away from the toolbar.
    other.SetId(500);
    EXPECT_FALSE(bar.IsAllowQuickAccessControl(&other));
    other.SetId(502);
    EXPECT_TRUE(bar.IsAllowQuickAccessControl(&other));
    other.SetFlags(CKitRibbonBar::kFlagNotForQuickAccess);
    EXPECT_FALSE(bar.IsAllowQuickAccessControl(&other));

    // A group's popup button goes on the toolbar once it has an id, whatever its flags.
    CKitRibbonTab* pTab = bar.AddTab("Home", 1);
    CKitRibbonGroup* pGroup = pTab->GetGroups()->Add("Clipboard", 10);
    CKitControl* pPopup = pGroup->GetControlGroupPopup();
    pPopup->SetFlags(CKitRibbonBar::kFlagNotForQuickAccess);
    pPopup->SetId(0);
    EXPECT_FALSE(bar.IsAllowQuickAccessControl(pPopup));
    pPopup->SetId(10);
    EXPECT_TRUE(bar.IsAllowQuickAccessControl(pPopup));
    EXPECT_TRUE(static_cast<CKitRibbonControls*>(bar.GetControls())->IsBuiltInPart(pPopup));
    EXPECT_TRUE(static_cast<CKitRibbonControls*>(bar.GetControls())->IsBuiltInPart(pGroup->GetControlGroupOption()));
}

TEST(KitRibbonBar, AnOpenBackstageViewDisablesAllButTheSystemButtonAndSelfManagedControls)
{
    CTestRibbonBar bar;
    CKitRibbonControlSystemButton* pSystem = bar.AddSystemButton();
    CKitControl* pLoose = bar.GetControls()->Add(kitControlButton, 300);
    CKitControl* pOwnState = bar.GetControls()->Add(kitControlButton, 301);
    pOwnState->SetFlags(CKitRibbonBar::kFlagKeepEnabled);
    CKitControl* pClose = bar.GetControls()->Add(kitControlButton, SC_CLOSE);
    EXPECT_TRUE(pLoose->IsEnabled());

    pSystem->SetCommandBar(new CKitRibbonBackstageView);
    pSystem->SetPopuped(TRUE);
    ASSERT_TRUE(bar.IsBackstageViewVisible());
    EXPECT_FALSE(pLoose->IsEnabled());
    EXPECT_FALSE(bar.GetControlTab()->IsEnabled());
    EXPECT_TRUE(pSystem->IsEnabled());
    EXPECT_TRUE(pOwnState->IsEnabled());
    EXPECT_TRUE(pClose->IsEnabled());
    pOwnState->SetEnabled(FALSE);
    EXPECT_FALSE(pOwnState->IsEnabled());

    pSystem->SetPopuped(FALSE);
    EXPECT_TRUE(pLoose->IsEnabled());
}

TEST(KitRibbonBar, AResetTellsTheSiteAndKeepsTheControls)
{
    CKitRibbonBar bar;
    CRecordingSite site(400);
    bar.SetSite(&site);
    bar.GetQuickAccessControls()->Add(kitControlButton, 500);
    const int nCount = bar.GetControlCount();
    bar.Reset(TRUE);
    EXPECT_EQ(1, site.m_nResets);
    EXPECT_EQ(reinterpret_cast<LPARAM>(&bar), site.m_lLastParam);
    EXPECT_EQ(nCount, bar.GetControlCount());
    bar.SetSite(nullptr);
}

TEST(KitRibbonBar, GroupsThatDoNotFitScrollByFortyAndNeverBeforeTheFirst)
{
    CKitRibbonBar bar;
    CKitRibbonTab* pTab = bar.AddTab("Home", 1);
    for (int g = 0; g < 12; ++g) {
        CKitRibbonGroup* pGroup = pTab->GetGroups()->Add("Group", 10 + g);
        for (int c = 0; c < 3; ++c) {
            CKitControl* pControl = bar.GetControls()->Add(kitControlButton, 100 + 10 * g + c);
            pControl->SetCaption("Button");
            pGroup->Add(pControl);
        }
    }
    bar.GetControlTab()->SetSelectedItem(pTab);
    bar.CalcDockLayout(300, LM_COMMIT);
    CKitRibbonGroups* pGroups = pTab->GetGroups();
    ASSERT_TRUE(pGroups->IsScrollRightVisible());
    // The right scroll button shows at the right end of the groups, the left one only once scrolled.
    CKitRibbonScrollableBar::CControlGroupsScroll* pLeft = bar.GetScrollLeft();
    CKitRibbonScrollableBar::CControlGroupsScroll* pRight = bar.GetScrollRight();
    ASSERT_NE(nullptr, pLeft);
    const CRect rcGroups = bar.GetGroupsRect();
    EXPECT_FALSE(pLeft->IsVisible());
    EXPECT_TRUE(pRight->IsVisible());
    EXPECT_EQ(CRect(rcGroups.right - 12, rcGroups.top, rcGroups.right + 1, rcGroups.bottom), pRight->GetRect());

    bar.ScrollGroups(FALSE);
    bar.CalcDockLayout(300, LM_COMMIT);
    EXPECT_EQ(0, pGroups->GetScrollOffset());
    bar.ScrollGroups(TRUE);
    bar.CalcDockLayout(300, LM_COMMIT);
    EXPECT_EQ(40, pGroups->GetScrollOffset());
    EXPECT_TRUE(pLeft->IsVisible());
    EXPECT_EQ(CRect(rcGroups.left - 1, rcGroups.top, rcGroups.left + 12, rcGroups.bottom), pLeft->GetRect());
    bar.ScrollGroups(TRUE);
    bar.CalcDockLayout(300, LM_COMMIT);
    EXPECT_EQ(80, pGroups->GetScrollOffset());
    bar.ScrollGroups(FALSE);
    bar.CalcDockLayout(300, LM_COMMIT);
    EXPECT_EQ(40, pGroups->GetScrollOffset());

    // The group under a point of the band, none outside it or while minimised.
    CKitRibbonGroup* pShown = nullptr;
    for (int g = 0; g < pGroups->GetCount() && pShown == nullptr; ++g) {
        if (pGroups->GetAt(g)->IsVisible() && pGroups->GetAt(g)->GetRect().left >= 0)
            pShown = pGroups->GetAt(g);
    }
    ASSERT_NE(nullptr, pShown);
    const CPoint ptInGroup = pShown->GetRect().CenterPoint();
    EXPECT_EQ(pShown, bar.HitTestGroup(ptInGroup));
    EXPECT_EQ(nullptr, bar.HitTestGroup(CPoint(ptInGroup.x, bar.GetGroupsRect().top - 1)));
    // A group under the right scroll button is not hit there.
    const CPoint ptOnRight = pRight->GetRect().CenterPoint();
    EXPECT_NE(nullptr, pGroups->HitTest(ptOnRight));
    EXPECT_EQ(nullptr, bar.HitTestGroup(ptOnRight));
    // The scroll button wins over a control it covers, which comes before it among the bar's controls.
    CKitControl* pCovered = nullptr;
    CRect rcCovered;
    for (int i = 0; i < bar.GetControlCount() && pCovered == nullptr; ++i) {
        CKitControl* pControl = bar.GetControl(i);
        if (pControl != pRight && pControl->IsVisible() && rcCovered.IntersectRect(pControl->GetRect(), pRight->GetRect()))
            pCovered = pControl;
    }
    ASSERT_NE(nullptr, pCovered) << "a button lies under the right scroll button";
    ASSERT_LT(bar.GetControls()->IndexOf(pCovered), bar.GetControls()->IndexOf(pRight));
    int nIndex = -1;
    EXPECT_EQ(pRight, bar.HitTest(rcCovered.CenterPoint(), &nIndex));
    EXPECT_EQ(bar.GetControls()->IndexOf(pRight), nIndex);
    bar.SetRibbonMinimized(TRUE);
    EXPECT_EQ(nullptr, bar.HitTestGroup(ptInGroup));
    // Minimised, neither scroll button shows.
    bar.CalcDockLayout(300, LM_COMMIT);
    EXPECT_FALSE(pLeft->IsVisible());
    EXPECT_FALSE(pRight->IsVisible());
}

// The ribbon's own sizes: its button size is a square of the painter's control height and its icon size the painter's
// automatic one, unless the bar or its command bars set them.
TEST(KitRibbonBar, ButtonAndIconSizesComeFromThePainterUnlessSet)
{
    CKitRibbonBar bar;
    CKitPaintManager* pPainter = bar.GetBarPaintManager();
    const int nSide = pPainter->GetControlHeight();
    EXPECT_EQ(CSize(nSide, nSide), bar.GetButtonSize());
    EXPECT_EQ(CSize(nSide, nSide), bar.GetButtonSize(FALSE));
    EXPECT_EQ(pPainter->GetAutoIconSize(FALSE), bar.GetIconSize());

    CKitCommandBarManager manager;
    bar.SetCommandBars(&manager);
    manager.GetCommandBarsOptions()->szIcons = CSize(20, 20);
    EXPECT_EQ(CSize(20, 20), bar.GetIconSize());
    bar.SetIconSize(CSize(24, 24));
    bar.SetButtonSize(CSize(30, 40));
    EXPECT_EQ(CSize(24, 24), bar.GetIconSize());
    EXPECT_EQ(CSize(30, 40), bar.GetButtonSize());
    bar.SetCommandBars(nullptr);
}

// Mnemonics are underlined on a ribbon only when its command bars show no key tips and show keyboard cues.
TEST(KitRibbonBar, KeyboardCuesGiveWayToKeyTips)
{
    CKitRibbonBar bar;
    EXPECT_TRUE(bar.IsKeyboardCuesVisible()) << "without command bars";
    CKitCommandBarManager manager;
    bar.SetCommandBars(&manager);
    const struct {
        BOOL bKeyTips;
        BOOL bCues;
        BOOL bVisible;
    } cases[] = {{TRUE, TRUE, FALSE}, {TRUE, FALSE, FALSE}, {FALSE, TRUE, TRUE}, {FALSE, FALSE, FALSE}};
    for (const auto& c : cases) {
        manager.GetCommandBarsOptions()->bEnableKeyboardTips = c.bKeyTips;
        manager.ShowKeyboardCues(c.bCues);
        EXPECT_EQ(c.bVisible, bar.IsKeyboardCuesVisible()) << "key tips " << c.bKeyTips << ", cues " << c.bCues;
    }
    bar.SetCommandBars(nullptr);
}

// A group is found by id on any tab, the first in tab order; a control of another tab chosen by the keyboard selects
// that tab.
TEST(KitRibbonBar, GroupsAreFoundByIdAndAChosenControlSelectsItsTab)
{
    CKitRibbonBar bar;
    CKitRibbonTab* pHome = bar.AddTab("Home", 1);
    CKitRibbonTab* pView = bar.AddTab("View", 2);
    CKitRibbonGroup* pClipboard = pHome->GetGroups()->Add("Clipboard", 10);
    CKitRibbonGroup* pShow = pView->GetGroups()->Add("Show", 20);
    CKitRibbonGroup* pSecond = pView->GetGroups()->Add("Clipboard again", 10);
    const struct {
        int nId;
        CKitRibbonGroup* pExpected;
    } cases[] = {{10, pClipboard}, {20, pShow}, {30, nullptr}};
    for (const auto& c : cases)
        EXPECT_EQ(c.pExpected, bar.FindGroup(c.nId)) << c.nId;
    EXPECT_NE(pSecond, bar.FindGroup(10));

    CKitControl* pGrid = bar.GetControls()->Add(kitControlButton, 201);
    pShow->Add(pGrid);
    bar.GetControlTab()->SetSelectedItem(pHome);
    bar.OnControlSelected(pGrid);
    EXPECT_EQ(pView, bar.GetSelectedTab());
    // A control outside the groups changes nothing.
    bar.OnControlSelected(bar.GetQuickAccessPopup());
    EXPECT_EQ(pView, bar.GetSelectedTab());
}

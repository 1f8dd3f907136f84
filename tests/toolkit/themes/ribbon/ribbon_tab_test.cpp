// The ribbon's tabs and tab strip: what the owner site hears when the selection changes and how it vetoes,
// hiding tabs, the strip's keys, tooltips and copies of tabs.
#include "toolkit/themes/ribbon/ribbon_bar.h"
#include "toolkit/themes/ribbon/ribbon_control_tab.h"
#include "toolkit/themes/ribbon/ribbon_group.h"
#include "toolkit/themes/ribbon/ribbon_tab.h"

#include "framework/wnd.h"
#include "toolkit/commandbars/control.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr int kSelChanging = static_cast<int>(TCN_SELCHANGING);
constexpr int kSelChange = static_cast<int>(TCN_SELCHANGE);

// A window that records the tab strip's notifications and can veto a change.
class CTabSite : public CWnd {
public:
    CTabSite() { CreateEx(0, "STATIC", "Ribbon tabs", WS_OVERLAPPED, 0, 0, 200, 100, nullptr, 0); }
    ~CTabSite() override { DestroyWindow(); }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_KIT_CONTROL_NOTIFY) {
            const auto* pRecord = reinterpret_cast<const NMKITRIBBONTAB*>(lParam);
            const int nCode = static_cast<int>(pRecord->hdr.code);
            m_codes.push_back(nCode);
            if (nCode == kSelChanging || nCode == kSelChange)
                m_tabs.push_back(pRecord->pTab);
            return nCode == kSelChanging ? m_nVeto : 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }

    std::vector<int> m_codes;
    std::vector<CKitRibbonTab*> m_tabs;
    LRESULT m_nVeto = 0;
};

// A ribbon of three tabs; with a window, it tells the site about selection changes.
class RibbonTabsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char* pszCaption : {"&Home", "&Insert", "&View"})
            m_tabs.push_back(m_bar.AddTab(pszCaption, static_cast<int>(m_tabs.size()) + 1));
        m_pStrip = m_bar.GetControlTab();
    }
    void TearDown() override
    {
        if (m_hBarWindow != nullptr) {
            m_bar.Detach();
            ::DestroyWindow(m_hBarWindow);
        }
    }
    // Gives the bar a window of its own and the site as the window it notifies.
    void ShowBar()
    {
        m_hBarWindow = ::CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 300, 120, m_site.GetSafeHwnd(), nullptr,
                                         nullptr, nullptr);
        m_bar.Attach(m_hBarWindow);
        m_bar.SetNotifyWindow(&m_site);
    }

    CTabSite m_site;
    CKitRibbonBar m_bar;
    CKitRibbonControlTab* m_pStrip = nullptr;
    std::vector<CKitRibbonTab*> m_tabs;
    HWND m_hBarWindow = nullptr;
};

TEST_F(RibbonTabsTest, SelectionChangeAsksTheSiteThenTellsIt)
{
    ShowBar();
    m_pStrip->SetSelectedItem(m_tabs[1]);
    EXPECT_EQ(m_bar.GetSelectedTab(), m_tabs[1]);
    EXPECT_EQ(m_site.m_codes, (std::vector<int>{kSelChanging, kSelChange, kitNotifyExecute}));
    EXPECT_EQ(m_site.m_tabs, (std::vector<CKitRibbonTab*>{m_tabs[1], m_tabs[1]}));

    // Selecting the selected tab again says nothing.
    m_site.m_codes.clear();
    m_pStrip->SetSelectedItem(m_tabs[1]);
    EXPECT_TRUE(m_site.m_codes.empty());
}

TEST_F(RibbonTabsTest, SiteVetoKeepsTheOldTabAndNoChangeFollows)
{
    ShowBar();
    m_pStrip->SetSelectedItem(m_tabs[0]);
    m_site.m_codes.clear();
    m_site.m_nVeto = 1;
    m_pStrip->SetSelectedItem(m_tabs[2]);
    EXPECT_EQ(m_bar.GetSelectedTab(), m_tabs[0]);
    EXPECT_EQ(m_site.m_codes, (std::vector<int>{kSelChanging}));
}

TEST_F(RibbonTabsTest, WithoutAWindowTheStripOnlySelects)
{
    m_pStrip->SetSelectedItem(m_tabs[2]);
    EXPECT_EQ(m_bar.GetSelectedTab(), m_tabs[2]);
    EXPECT_TRUE(m_site.m_codes.empty());
}

TEST_F(RibbonTabsTest, HidingTheSelectedTabSelectsTheFirstSelectableOne)
{
    struct Case {
        const char* name;
        int nSelected;
        int nHidden;
        int nSelectedAfter;
    };
    const Case cases[] = {
        {"selected tab hidden", 2, 2, 0},
        {"first tab hidden while selected", 0, 0, 1},
        {"other tab hidden", 2, 1, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (CKitRibbonTab* pTab : m_tabs)
            pTab->SetVisible(TRUE);
        m_pStrip->SetSelectedItem(m_tabs[c.nSelected]);
        m_tabs[c.nHidden]->SetVisible(FALSE);
        EXPECT_EQ(m_bar.GetSelectedTab(), m_tabs[c.nSelectedAfter]);
    }
}

TEST_F(RibbonTabsTest, LeftAndRightMoveBetweenTabsAndLeaveTheEndsToTheBar)
{
    // Keys reach the strip only while it has the focus; gaining it selects the first tab.
    EXPECT_FALSE(m_pStrip->OnKeyDown(VK_RIGHT));
    m_pStrip->SetFocused(TRUE);
    EXPECT_EQ(m_bar.GetSelectedTab(), m_tabs[0]);

    EXPECT_FALSE(m_pStrip->OnKeyDown(VK_LEFT));
    EXPECT_TRUE(m_pStrip->OnKeyDown(VK_RIGHT));
    EXPECT_EQ(m_bar.GetSelectedTab(), m_tabs[1]);
    // A hidden tab is passed over.
    m_tabs[2]->SetVisible(FALSE);
    EXPECT_FALSE(m_pStrip->OnKeyDown(VK_RIGHT));
    EXPECT_EQ(m_bar.GetSelectedTab(), m_tabs[1]);
    EXPECT_TRUE(m_pStrip->OnKeyDown(VK_LEFT));
    EXPECT_EQ(m_bar.GetSelectedTab(), m_tabs[0]);
    EXPECT_FALSE(m_pStrip->OnKeyDown('A'));
}

TEST_F(RibbonTabsTest, KeyboardSelectionFocusesTheStripAndClearingItDropsFocusAndHotTab)
{
    EXPECT_TRUE(m_pStrip->OnSetSelected(kitSelectedKeyboard));
    EXPECT_TRUE(m_pStrip->IsFocused());
    EXPECT_EQ(m_bar.GetSelectedTab(), m_tabs[0]);
    EXPECT_FALSE(m_pStrip->OnSetSelected(kitSelectedKeyboard));

    EXPECT_TRUE(m_pStrip->OnSetSelected(kitSelectedNone));
    EXPECT_FALSE(m_pStrip->IsFocused());
    EXPECT_EQ(m_pStrip->GetHotItem(), nullptr);
    // A mouse selection leaves the focus alone.
    EXPECT_TRUE(m_pStrip->OnSetSelected(kitSelectedMouse));
    EXPECT_FALSE(m_pStrip->IsFocused());
}

TEST_F(RibbonTabsTest, StripOfAnExpandedRibbonOpensNoPopup)
{
    m_pStrip->SetSelectedItem(m_tabs[0]);
    EXPECT_FALSE(m_pStrip->SetPopup(TRUE));
    EXPECT_FALSE(m_pStrip->GetPopuped());
    EXPECT_TRUE(m_pStrip->SetPopup(FALSE));
}

TEST_F(RibbonTabsTest, TooltipFallsBackToTheCaption)
{
    m_tabs[1]->SetTooltip("Insert pictures and tables");
    EXPECT_EQ(m_pStrip->GetItemTooltip(m_tabs[0]), CString("&Home"));
    EXPECT_EQ(m_pStrip->GetItemTooltip(m_tabs[1]), CString("Insert pictures and tables"));
}

TEST_F(RibbonTabsTest, CopyTakesTheContextAndTheSelection)
{
    m_tabs[1]->SetContextColor(CKitRibbonTab::kContextGreen);
    m_tabs[1]->SetContextCaption("Picture Tools");
    m_tabs[1]->SetTooltip("Format");
    m_pStrip->SetSelectedItem(m_tabs[1]);

    CKitRibbonBar other;
    CKitRibbonTab* pCopy = other.AddTab("", 0);
    CKitRibbonTab* pUnselected = other.AddTab("", 0);
    pCopy->Copy(m_tabs[1]);
    pUnselected->Copy(m_tabs[2]);
    EXPECT_EQ(pCopy->GetCaption(), CString("&Insert"));
    EXPECT_EQ(pCopy->GetId(), 2);
    EXPECT_EQ(pCopy->GetContextColor(), CKitRibbonTab::kContextGreen);
    EXPECT_EQ(pCopy->GetContextCaption(), CString("Picture Tools"));
    EXPECT_EQ(pCopy->GetTooltip(), CString("Format"));
    EXPECT_EQ(other.GetSelectedTab(), pCopy);
}

TEST_F(RibbonTabsTest, TabsAndGroupsTakeTheRedrawRequestAndPassOtherCommandsOn)
{
    ShowBar();
    CKitRibbonGroup* pGroup = m_tabs[0]->GetGroups()->Add("Clipboard", 10);
    for (CCmdTarget* pTarget : {static_cast<CCmdTarget*>(m_tabs[0]), static_cast<CCmdTarget*>(pGroup)}) {
        EXPECT_TRUE(pTarget->OnCmdMsg(1, -2, nullptr, nullptr));
        EXPECT_FALSE(pTarget->OnCmdMsg(1, 0, nullptr, nullptr));
        EXPECT_FALSE(pTarget->OnCmdMsg(2, -2, nullptr, nullptr));
    }
}

TEST_F(RibbonTabsTest, FindGroupTakesTheFirstGroupWithTheId)
{
    CKitRibbonGroups* pGroups = m_tabs[0]->GetGroups();
    pGroups->Add("Clipboard", 10);
    CKitRibbonGroup* pFont = pGroups->Add("Font", 11);
    pGroups->Add("Font again", 11);
    EXPECT_EQ(m_tabs[0]->FindGroup(11), pFont);
    EXPECT_EQ(pFont->GetRibbonTab(), m_tabs[0]);
    EXPECT_EQ(m_tabs[0]->FindGroup(12), nullptr);
    EXPECT_EQ(m_tabs[1]->FindGroup(10), nullptr);
}

} // namespace

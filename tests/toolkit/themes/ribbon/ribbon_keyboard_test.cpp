// The ribbon from the keyboard: quick access, tab and group tips, Alt, digits and tab mnemonics, and the
// arrow keys between the controls.
#include "toolkit/themes/ribbon/ribbon_keyboard.h"

#include "framework/wnd.h"
#include "toolkit/commandbars/command_bar.h"
#include "toolkit/commandbars/command_bar_manager.h"
#include "toolkit/commandbars/control.h"
#include "toolkit/commandbars/controls.h"
#include "toolkit/commandbars/keyboard_tip.h"
#include "toolkit/themes/ribbon/ribbon_bar.h"
#include "toolkit/themes/ribbon/ribbon_control_tab.h"
#include "toolkit/themes/ribbon/ribbon_group.h"
#include "toolkit/themes/ribbon/ribbon_quick_access.h"
#include "toolkit/themes/ribbon/ribbon_tab.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A ribbon whose Ctrl key the test holds down or lets go.
class CKeyRibbonBar : public CKitRibbonBar {
public:
    BOOL m_bCtrl = FALSE;

protected:
    BOOL IsCtrlKeyDown() const override { return m_bCtrl; }
};

// A button that counts its keyboard-tip actions.
class CTipButton : public CKitControlButton {
public:
    int m_nTips = 0;
    void OnKeyboardTip() override { ++m_nTips; }
};

// The tips the manager holds for the owner; their texts as set by the ribbon.
std::vector<CKitCommandBarKeyboardTip*> TipsOf(CKitCommandBarManager& manager, const CCmdTarget* pOwner)
{
    std::vector<CKitCommandBarKeyboardTip*> tips;
    for (CKitCommandBarKeyboardTip* pTip : manager.GetKeyboardTips())
        if (pTip->m_pOwner == pOwner)
            tips.push_back(pTip);
    return tips;
}

// A ribbon bar window on a site, for what needs a bar window (the selection).
struct RibbonWindow {
    CWnd site;
    CKitCommandBarManager manager;
    CKeyRibbonBar* pBar = new CKeyRibbonBar;

    RibbonWindow()
    {
        site.CreateEx(0, "STATIC", "Keys", WS_OVERLAPPED | WS_CAPTION, 0, 0, 800, 300, nullptr, 0);
        manager.SetSite(&site);
        manager.AddCommandBar(pBar);
        pBar->SetPosition(kitBarTop);
        pBar->CreateBar(&site);
    }
    ~RibbonWindow()
    {
        pBar->LeaveTrackingMode();
        manager.HideKeyboardTips();
        manager.RemoveAll();
        site.DestroyWindow();
    }
};

} // namespace

TEST(KitRibbonKeyboard, QuickAccessTipsCountShownControlsAndStopAfterTheEighteenth)
{
    CKeyRibbonBar bar;
    CKitCommandBarManager manager;
    bar.SetCommandBars(&manager);
    CKitRibbonQuickAccessControls* pQuickAccess = bar.GetQuickAccessControls();
    for (int i = 0; i < 21; ++i)
        pQuickAccess->Add(kitControlButton, 1000 + i);
    bar.CalcDockLayout(4000, LM_COMMIT);
    // A hidden control takes no number: the list's 11th is the 10th shown.
    pQuickAccess->GetAt(4)->SetHideFlags(0x01);

    bar.CreateKeyboardTips();
    const std::vector<std::string> expected = {"1", "2", "3", "4", "", "5", "6", "7", "8", "9", "01",
                                               "02", "03", "04", "05", "06", "07", "08", "09", "", ""};
    for (int i = 0; i < pQuickAccess->GetCount(); ++i) {
        SCOPED_TRACE(i);
        const std::vector<CKitCommandBarKeyboardTip*> tips = TipsOf(manager, pQuickAccess->GetAt(i));
        if (expected[i].empty()) {
            EXPECT_TRUE(tips.empty());
            continue;
        }
        ASSERT_EQ(1u, tips.size());
        EXPECT_EQ(expected[i], static_cast<LPCSTR>(tips[0]->m_strTip));
        const CRect rc = pQuickAccess->GetAt(i)->GetRect();
        EXPECT_EQ(CPoint(rc.CenterPoint().x, rc.bottom - 11), tips[0]->m_ptAnchor);
    }
    manager.HideKeyboardTips();
}

TEST(KitRibbonKeyboard, TopLevelTipsCoverCaptionedTabsAndGroupLevelTipsHideWhatIsScrolledAway)
{
    CKeyRibbonBar bar;
    CKitCommandBarManager manager;
    bar.SetCommandBars(&manager);
    CKitRibbonTab* pHome = bar.AddTab("&Home", 1);
    CKitRibbonTab* pBlank = bar.AddTab("", 2);
    CKitRibbonGroup* pGroup = pHome->GetGroups()->Add("Project", 10);
    CKitControl* pInside = bar.GetControls()->Add(kitControlButton, 101);
    pInside->SetCaption("New");
    pGroup->Add(pInside);
    CKitControl* pOutside = bar.GetControls()->Add(kitControlButton, 102);
    pOutside->SetCaption("Open");
    pGroup->Add(pOutside);
    CKitControl* pUnnamed = bar.GetControls()->Add(kitControlButton, 103);
    pGroup->Add(pUnnamed);
    bar.GetControlTab()->SetSelectedItem(pHome);
    bar.CalcDockLayout(800, LM_COMMIT);

    bar.CreateKeyboardTips();
    ASSERT_EQ(1u, TipsOf(manager, pHome).size());
    EXPECT_EQ(CPoint(pHome->GetRect().CenterPoint().x, pHome->GetRect().bottom - 9),
              TipsOf(manager, pHome)[0]->m_ptAnchor);
    EXPECT_TRUE(TipsOf(manager, pBlank).empty());
    EXPECT_TRUE(TipsOf(manager, pInside).empty()) << "group controls wait for the second level";
    manager.HideKeyboardTips();

    // The second control reaches past the groups' right edge.
    const CRect rcGroups = bar.GetGroupsRect();
    pInside->SetRect(CRect(rcGroups.left + 4, rcGroups.top + 4, rcGroups.left + 40, rcGroups.top + 26));
    pOutside->SetRect(CRect(rcGroups.right - 10, rcGroups.top + 4, rcGroups.right + 30, rcGroups.top + 26));
    manager.SetKeyboardTipLevel(2);
    bar.CreateKeyboardTips();
    ASSERT_EQ(1u, TipsOf(manager, pInside).size());
    EXPECT_TRUE(TipsOf(manager, pInside)[0]->m_bVisible);
    ASSERT_EQ(1u, TipsOf(manager, pOutside).size());
    EXPECT_FALSE(TipsOf(manager, pOutside)[0]->m_bVisible);
    EXPECT_TRUE(TipsOf(manager, pUnnamed).empty()) << "neither caption nor tip";
    EXPECT_TRUE(TipsOf(manager, pHome).empty());
    manager.HideKeyboardTips();
}

TEST(KitRibbonKeyboard, LettersReachOnlyTabsWithAMnemonicAndCtrlStopsDigitsAndLetters)
{
    RibbonWindow window;
    CKeyRibbonBar& bar = *window.pBar;
    CKitRibbonTab* pHome = bar.AddTab("&Home", 1);
    bar.AddTab("Insert", 2);
    CKitRibbonTab* pView = bar.AddTab("&View", 3);
    auto* pButton = new CTipButton;
    bar.GetQuickAccessControls()->Add(pButton, 1001);
    bar.CalcDockLayout(800, LM_COMMIT);
    bar.GetControlTab()->SetSelectedItem(pHome);

    struct Case {
        const char* name;
        BOOL bCtrl;
        UINT nKey;
        BOOL bHandled;
        CKitRibbonTab* pSelected;
        int nTips;
    };
    const Case cases[] = {
        {"a tab without an ampersand", FALSE, 'I', FALSE, pHome, 0},
        {"a letter no tab has", FALSE, 'Q', FALSE, pHome, 0},
        {"Ctrl and a mnemonic", TRUE, 'V', FALSE, pHome, 0},
        {"Ctrl and a digit", TRUE, '1', FALSE, pHome, 0},
        {"Ctrl and Alt", TRUE, VK_MENU, FALSE, pHome, 0},
        {"a digit without a control", FALSE, '2', FALSE, pHome, 0},
        {"the first quick access control", FALSE, '1', TRUE, pHome, 1},
        {"a mnemonic in either case", FALSE, 'v', TRUE, pView, 1},
        {"Alt", FALSE, VK_MENU, TRUE, pView, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        bar.m_bCtrl = c.bCtrl;
        EXPECT_EQ(c.bHandled, bar.ProcessAccelerator(c.nKey));
        EXPECT_EQ(c.pSelected, bar.GetSelectedTab());
        EXPECT_EQ(c.nTips, pButton->m_nTips);
    }
    // Alt tracks with the tab strip selected and focused.
    EXPECT_TRUE(bar.IsTrackingMode());
    EXPECT_EQ(bar.GetControlTab()->GetIndex(), bar.GetSelected());
    EXPECT_TRUE(bar.GetControlTab()->IsFocused());
}

TEST(KitRibbonKeyboard, ArrowsStepToTheNearestOverlappingControlAndOnlyLeftAndRightWrap)
{
    // Row one: three buttons; row two: a wide one starting further left and a second one below the middle.
    const std::vector<CRect> controls = {
        CRect(10, 0, 30, 20), CRect(40, 0, 60, 20), CRect(70, 0, 90, 20),
        CRect(0, 30, 35, 50), CRect(45, 30, 55, 50), CRect(45, 60, 55, 80),
    };
    struct Case {
        const char* name;
        int nFrom;
        int nCode;
        int nTo;
    };
    const Case cases[] = {
        {"right to the next", 0, kitKeyRight, 1},
        {"right on the rightmost wraps to the leftmost of its row", 2, kitKeyRight, 0},
        {"left on the leftmost wraps to the rightmost of its row", 0, kitKeyLeft, 2},
        {"left to the previous", 2, kitKeyLeft, 1},
        {"down to the one below", 1, kitKeyExpand, 4},
        {"down on the lowest stays", 5, kitKeyExpand, -1},
        {"up on the top row stays", 1, kitKeyCollapse, -1},
        {"up from the wide one to the nearer centre", 3, kitKeyCollapse, 0},
        {"right on a lone control wraps to nothing", 5, kitKeyRight, -1},
        {"Home is not a direction", 1, kitKeyHome, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<CRect> others;
        std::vector<int> indexes;
        for (int i = 0; i < static_cast<int>(controls.size()); ++i)
            if (i != c.nFrom) {
                others.push_back(controls[i]);
                indexes.push_back(i);
            }
        const int nFound = KitRibbonFindNeighbour(controls[c.nFrom], others, c.nCode);
        EXPECT_EQ(c.nTo, nFound == -1 ? -1 : indexes[nFound]);
    }
}

TEST(KitRibbonKeyboard, TheRibbonMovesItsKeyboardSelectionAndWrapsAlongARow)
{
    RibbonWindow window;
    CKeyRibbonBar& bar = *window.pBar;
    CKitRibbonTab* pHome = bar.AddTab("&Home", 1);
    CKitRibbonGroup* pGroup = pHome->GetGroups()->Add("Project", 10);
    std::vector<CKitControl*> buttons;
    for (int i = 0; i < 3; ++i) {
        CKitControl* pControl = bar.GetControls()->Add(kitControlButton, 101 + i);
        pControl->SetCaption("Button");
        pGroup->Add(pControl);
        buttons.push_back(pControl);
    }
    bar.CalcDockLayout(800, LM_COMMIT);
    const CRect rcGroups = bar.GetGroupsRect();
    for (int i = 0; i < 3; ++i)
        buttons[i]->SetRect(CRect(rcGroups.left + 10 + 40 * i, rcGroups.top + 4, rcGroups.left + 40 + 40 * i,
                                  rcGroups.top + 26));

    EXPECT_FALSE(bar.ProcessSpecialKey(kitKeyRight)) << "nothing selected";
    bar.SetSelected(buttons[2]->GetIndex(), kitSelectKeyboard);
    EXPECT_TRUE(bar.OnKeyDownBar(kitKeyRight));
    EXPECT_EQ(buttons[0]->GetIndex(), bar.GetSelected());
    EXPECT_TRUE(bar.OnKeyDownBar(kitKeyLeft));
    EXPECT_EQ(buttons[2]->GetIndex(), bar.GetSelected());
    EXPECT_EQ(kitSelectKeyboardBack, buttons[2]->GetSelected());
}

TEST(KitRibbonKeyboard, WhileTrackingTheWheelStepsTheTabsUnlessTipsShowAndF10EndsTracking)
{
    RibbonWindow window;
    CKeyRibbonBar& bar = *window.pBar;
    CKitRibbonTab* pHome = bar.AddTab("&Home", 1);
    CKitRibbonTab* pHidden = bar.AddTab("&Insert", 2);
    CKitRibbonTab* pView = bar.AddTab("&View", 3);
    pHidden->SetVisible(FALSE);
    bar.CalcDockLayout(800, LM_COMMIT);
    bar.GetControlTab()->SetSelectedItem(pHome);
    ASSERT_TRUE(bar.ProcessAccelerator(VK_MENU));
    const HWND hSite = window.site.GetSafeHwnd();
    auto wheel = [&](int nDelta) {
        WPARAM wParam = MAKEWPARAM(0, nDelta);
        LPARAM lParam = 0;
        LRESULT lResult = 0;
        return bar.OnHookMessage(hSite, WM_MOUSEWHEEL, wParam, lParam, lResult);
    };

    struct Case {
        const char* name;
        int nDelta;
        CKitRibbonTab* pSelected;
    };
    const Case cases[] = {
        {"down steps right over a hidden tab", -120, pView},
        {"down on the last tab stays", -120, pView},
        {"up steps left", 120, pHome},
        {"up on the first tab stays", 120, pHome},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(CKitHookManagerHookAble::kHandled, wheel(c.nDelta));
        EXPECT_EQ(c.pSelected, bar.GetSelectedTab());
    }

    window.manager.AddKeyboardTip(new CKitCommandBarKeyboardTip);
    wheel(-120);
    EXPECT_EQ(pHome, bar.GetSelectedTab()) << "tips on show";
    window.manager.HideKeyboardTips();

    WPARAM wParam = VK_F10;
    LPARAM lParam = 0;
    LRESULT lResult = 0;
    EXPECT_EQ(CKitHookManagerHookAble::kHandled, bar.OnHookMessage(hSite, WM_KEYDOWN, wParam, lParam, lResult));
    EXPECT_FALSE(bar.IsTrackingMode());
    EXPECT_NE(CKitHookManagerHookAble::kHandled, wheel(-120));
    EXPECT_EQ(pHome, bar.GetSelectedTab());
}

TEST(KitRibbonKeyboard, GroupTipsSitByTheRowOrCaptionBandTheControlIsIn)
{
    CKeyRibbonBar bar;
    CKitCommandBarManager manager;
    bar.SetCommandBars(&manager);
    CKitRibbonTab* pHome = bar.AddTab("&Home", 1);
    CKitRibbonGroup* pGroup = pHome->GetGroups()->Add("Project", 10);
    bar.GetControlTab()->SetSelectedItem(pHome);
    bar.CalcDockLayout(800, LM_COMMIT);
    const CRect rcGroup = pGroup->GetRect();
    const int nContentBottom = pGroup->GetCaptionRect().top + 2;
    const int nHeight = nContentBottom - rcGroup.top;
    ASSERT_GT(nHeight, 30) << "three rows need room";
    const int nTop = rcGroup.top + 1;
    const int nMiddle = rcGroup.top + nHeight / 2 - 3;
    const int nBottom = nContentBottom - 8;
    const DWORD kCenterX = CKitCommandBarKeyboardTip::kAlignCenterX;
    const DWORD kCenterY = CKitCommandBarKeyboardTip::kAlignCenterY;

    struct Case {
        const char* name;
        int nType;
        int nStyle;
        CRect rc;
        CPoint ptAnchor;
        DWORD dwStyle;
    };
    const int x = rcGroup.left + 4;
    const Case cases[] = {
        {"in the caption band", kitControlButton, kitButtonCaption,
         CRect(x, nContentBottom, x + 20, rcGroup.bottom), CPoint(x + 10, bar.GetGroupsRect().bottom - 6), kCenterX},
        {"a large button", kitControlButton, kitButtonIconAndCaptionBelow, CRect(x, nTop, x + 40, nContentBottom - 4),
         CPoint(x + 20, nContentBottom - 2), kCenterX | kCenterY},
        {"a gallery", kitControlGallery, 0, CRect(x, nTop, x + 60, nContentBottom - 4),
         CPoint(x + 60, nContentBottom - 2), kCenterX | kCenterY},
        {"a small button in the top row", kitControlButton, kitButtonCaption, CRect(x, nTop, x + 30, nTop + 6),
         CPoint(x + 11, rcGroup.top + 2), kCenterY},
        {"a small button in the middle row", kitControlButton, kitButtonCaption, CRect(x, nMiddle, x + 30, nMiddle + 6),
         CPoint(x + 11, (nContentBottom + rcGroup.top) / 2 - 1), kCenterY},
        {"a small button in the bottom row", kitControlButton, kitButtonCaption, CRect(x, nBottom, x + 30, nBottom + 6),
         CPoint(x + 11, nContentBottom - 2), kCenterY},
        {"a check box", kitControlCheckBox, 0, CRect(x, nTop, x + 30, nTop + 6), CPoint(x + 6, rcGroup.top + 2),
         kCenterY},
        {"a combo box", kitControlComboBox, 0, CRect(x, nTop, x + 30, nTop + 6), CPoint(x + 15, rcGroup.top + 2),
         kCenterX | kCenterY},
    };
    std::vector<CKitControl*> controls;
    for (const Case& c : cases) {
        CKitControl* pControl = bar.GetControls()->Add(c.nType, 200 + static_cast<UINT>(controls.size()));
        pControl->SetCaption(c.name);
        pControl->SetStyle(c.nStyle);
        pGroup->Add(pControl);
        pControl->SetRect(c.rc);
        controls.push_back(pControl);
    }
    pGroup->GetControlGroupOption()->SetCaption("Options");
    pGroup->GetControlGroupOption()->SetHideFlags(0x01);
    pGroup->GetControlGroupPopup()->SetCaption("Project");

    manager.SetKeyboardTipLevel(2);
    bar.CreateKeyboardTips();
    for (size_t i = 0; i < controls.size(); ++i) {
        SCOPED_TRACE(cases[i].name);
        const std::vector<CKitCommandBarKeyboardTip*> tips = TipsOf(manager, controls[i]);
        ASSERT_EQ(1u, tips.size());
        EXPECT_EQ(cases[i].ptAnchor, tips[0]->m_ptAnchor);
        EXPECT_EQ(cases[i].dwStyle, tips[0]->m_dwAlignment);
    }
    EXPECT_TRUE(TipsOf(manager, pGroup->GetControlGroupOption()).empty()) << "hidden option button";
    const std::vector<CKitCommandBarKeyboardTip*> popupTips = TipsOf(manager, pGroup->GetControlGroupPopup());
    ASSERT_EQ(1u, popupTips.size());
    EXPECT_EQ("Z", std::string(popupTips[0]->m_strPrefix));
    manager.HideKeyboardTips();
}

TEST(KitRibbonKeyboard, AChosenTipSelectsItsTabOrRunsItsControl)
{
    RibbonWindow window;
    CKeyRibbonBar& bar = *window.pBar;
    CKitRibbonTab* pHome = bar.AddTab("&Home", 1);
    CKitRibbonTab* pView = bar.AddTab("&View", 2);
    auto* pButton = new CTipButton;
    bar.GetQuickAccessControls()->Add(pButton, 1001);
    auto* pDisabled = new CTipButton;
    bar.GetQuickAccessControls()->Add(pDisabled, 1002);
    pDisabled->SetEnabled(FALSE);
    bar.CalcDockLayout(800, LM_COMMIT);
    bar.GetControlTab()->SetSelectedItem(pHome);

    CKitCommandBarKeyboardTip tabTip(&window.manager, pView, &bar, "&View", CPoint(), 0, TRUE);
    bar.OnKeyboardTip(&tabTip);
    EXPECT_EQ(pView, bar.GetSelectedTab());
    EXPECT_TRUE(bar.IsTrackingMode());
    EXPECT_EQ(bar.GetControlTab()->GetIndex(), bar.GetSelected());
    EXPECT_EQ(2, window.manager.GetKeyboardTipLevel());

    CKitCommandBarKeyboardTip buttonTip(&window.manager, pButton, &bar, "", CPoint(), 0, TRUE);
    bar.OnKeyboardTip(&buttonTip);
    EXPECT_EQ(1, pButton->m_nTips);
    EXPECT_EQ(pButton->GetIndex(), bar.GetSelected());
    CKitCommandBarKeyboardTip disabledTip(&window.manager, pDisabled, &bar, "", CPoint(), 0, FALSE);
    bar.OnKeyboardTip(&disabledTip);
    EXPECT_EQ(0, pDisabled->m_nTips);
}

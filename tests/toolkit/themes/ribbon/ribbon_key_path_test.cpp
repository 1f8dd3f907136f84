// The ribbon driven by key messages sent to its frame: Alt or F10 and the tips, typed tip letters, Alt with a
// letter, Escape stepping back, Return and the arrows on the tab strip, and the minimised ribbon's tab popup.
#include "framework/wnd.h"
#include "support/held_keys.h"
#include "support/message_pump.h"
#include "toolkit/commandbars/command_bar_manager.h"
#include "toolkit/commandbars/control.h"
#include "toolkit/commandbars/controls.h"
#include "toolkit/commandbars/keyboard_tip.h"
#include "toolkit/themes/paint/paint_manager.h"
#include "toolkit/themes/ribbon/ribbon_bar.h"
#include "toolkit/themes/ribbon/ribbon_control_tab.h"
#include "toolkit/themes/ribbon/ribbon_group.h"
#include "toolkit/themes/ribbon/ribbon_popup_toolbars.h"
#include "toolkit/themes/ribbon/ribbon_quick_access.h"
#include "toolkit/themes/ribbon/ribbon_tab.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Bits of a key message's lParam.
constexpr LPARAM kOnce = 1;
constexpr LPARAM kAltDown = 1 << 29;
constexpr LPARAM kReleased = static_cast<LPARAM>(0xC0000000u);

constexpr UINT kIdNew = 101;
constexpr UINT kIdOpen = 102;
constexpr UINT kIdGrid = 103;
constexpr UINT kIdQuickSave = 201;

// The ribbon's frame; it records the commands it receives.
class CKeyFrame : public CWnd {
public:
    std::vector<UINT> m_commands;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_COMMAND)
            m_commands.push_back(LOWORD(wParam));
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

CKitControl* AddButton(CKitRibbonBar* pBar, CKitRibbonGroup* pGroup, UINT nId, LPCSTR lpszCaption)
{
    CKitControl* pControl = pBar->GetControls()->Add(kitControlButton, nId);
    pControl->SetCaption(lpszCaption);
    pControl->SetStyle(kitButtonCaption);
    pGroup->Add(pControl);
    return pControl;
}

// A shown frame with the keyboard focus and a ribbon of three tabs ("&Home", "Insert", "&View"), a group on
// Home and on View, and one quick access button.
class RibbonKeyPathTest : public testing::Test {
protected:
    void SetUp() override
    {
        CKitPaintManager::SetTheme(0);
        ASSERT_TRUE(m_frame.CreateEx(0, "STATIC", "Keys", WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE | WS_CLIPCHILDREN,
                                     30, 30, 640, 260, nullptr, 0));
        m_manager.SetSite(&m_frame);
        m_manager.GetCommandBarsOptions()->bDisableIfNoHandler = FALSE;
        m_pBar = new CKitRibbonBar;
        m_manager.AddCommandBar(m_pBar);
        m_pBar->SetPosition(kitBarTop);
        m_pBar->CreateBar(&m_frame);
        // Watches the frame as the menu bar it is.
        m_pBar->LoadMenuBar(0);
        m_pHome = m_pBar->AddTab("&Home", 1);
        m_pInsert = m_pBar->AddTab("Insert", 2);
        m_pView = m_pBar->AddTab("&View", 3);
        CKitRibbonGroup* pProject = m_pHome->GetGroups()->Add("Project", 10);
        AddButton(m_pBar, pProject, kIdNew, "&New");
        AddButton(m_pBar, pProject, kIdOpen, "&Open");
        AddButton(m_pBar, m_pView->GetGroups()->Add("Show", 11), kIdGrid, "&Grid");
        CKitControl* pQuick = m_pBar->GetQuickAccessControls()->Add(kitControlButton, kIdQuickSave);
        pQuick->SetCaption("Save");
        m_pBar->GetControlTab()->SetSelectedItem(m_pHome);
        Layout();
        m_frame.SetForegroundWindow();
        m_frame.SetFocus();
        PumpMessages();
    }
    void TearDown() override
    {
        m_manager.ClosePopups();
        m_manager.HideKeyboardTips();
        m_manager.RemoveAll();
        m_frame.DestroyWindow();
        PumpMessages();
        CKitPaintManager::Done();
    }

    void Layout()
    {
        CRect rcClient;
        m_frame.GetClientRect(&rcClient);
        const CSize sz = m_pBar->CalcDockLayout(rcClient.Width(), LM_COMMIT);
        m_pBar->MoveWindow(0, 0, sz.cx, sz.cy);
        m_pBar->CalcDockLayout(rcClient.Width(), LM_COMMIT);
    }

    // Posts the messages to the frame and lets them run, translated as the program's loop does.
    void Post(std::initializer_list<MSG> messages)
    {
        for (const MSG& msg : messages)
            m_frame.PostMessage(msg.message, msg.wParam, msg.lParam);
        PumpMessages();
    }
    void PressAlt()
    {
        Post({{nullptr, WM_SYSKEYDOWN, VK_MENU, kAltDown | kOnce}, {nullptr, WM_SYSKEYUP, VK_MENU, kReleased | kOnce}});
    }
    void Press(UINT nKey)
    {
        Post({{nullptr, WM_KEYDOWN, nKey, kOnce}, {nullptr, WM_KEYUP, nKey, kReleased | kOnce}});
    }

    // The texts of the tips on show with a window, in order.
    std::vector<std::string> ShownTips() const
    {
        std::vector<std::string> texts;
        for (CKitCommandBarKeyboardTip* pTip : m_manager.GetKeyboardTips())
            if (pTip->GetSafeHwnd() != nullptr)
                texts.push_back(static_cast<LPCSTR>(pTip->m_strText));
        return texts;
    }

    CKeyFrame m_frame;
    CKitCommandBarManager m_manager;
    CKitRibbonBar* m_pBar = nullptr;
    CKitRibbonTab* m_pHome = nullptr;
    CKitRibbonTab* m_pInsert = nullptr;
    CKitRibbonTab* m_pView = nullptr;
};

using Tips = std::vector<std::string>;

TEST_F(RibbonKeyPathTest, AltShowsTheTopTipsATabsTipShowsItsGroupsAndEscapeStepsBack)
{
    const Tips topLevel = {"1", "H", "I", "V"};
    PressAlt();
    EXPECT_TRUE(m_pBar->IsTrackingMode());
    EXPECT_EQ(m_pBar->GetControlTab()->GetIndex(), m_pBar->GetSelected());
    EXPECT_TRUE(m_pBar->GetControlTab()->IsFocused());
    EXPECT_EQ(topLevel, ShownTips());
    EXPECT_EQ(1, m_pBar->GetKeyboardTipCount());

    Press('V');
    EXPECT_EQ(m_pView, m_pBar->GetSelectedTab());
    EXPECT_EQ(Tips{"G"}, ShownTips());
    EXPECT_EQ(2, m_pBar->GetKeyboardTipCount());

    Press(VK_ESCAPE);
    EXPECT_TRUE(m_pBar->IsTrackingMode());
    EXPECT_EQ(topLevel, ShownTips());
    EXPECT_EQ(m_pView, m_pBar->GetSelectedTab());

    Press(VK_ESCAPE);
    EXPECT_FALSE(m_pBar->IsTrackingMode());
    EXPECT_TRUE(m_manager.GetKeyboardTips().empty());
    EXPECT_TRUE(m_frame.m_commands.empty());
}

TEST_F(RibbonKeyPathTest, TypedTipsRunTheirCommandsAndCtrlKeepsDigitsAndLettersAway)
{
    struct Case {
        const char* name;
        std::vector<UINT> keys;
        BOOL bCtrl;
        std::vector<UINT> commands;
        BOOL bTracking;
    };
    const Case cases[] = {
        {"a quick access digit", {'1'}, FALSE, {kIdQuickSave}, FALSE},
        {"a tab, then a group control", {'H', 'O'}, FALSE, {kIdOpen}, FALSE},
        {"a tab without an ampersand by its first letter", {'I'}, FALSE, {}, TRUE},
        {"a letter no tip shows", {'Q'}, FALSE, {}, TRUE},
        {"Ctrl and a digit", {'1'}, TRUE, {}, TRUE},
        {"Ctrl and a tab's letter", {'V'}, TRUE, {}, TRUE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_frame.m_commands.clear();
        m_pBar->GetControlTab()->SetSelectedItem(m_pHome);
        PressAlt();
        ASSERT_TRUE(m_pBar->IsTrackingMode());
        {
            CHeldKeys ctrl(c.bCtrl != FALSE, false);
            for (UINT nKey : c.keys)
                Press(nKey);
        }
        EXPECT_EQ(c.commands, m_frame.m_commands);
        EXPECT_EQ(c.bTracking, m_pBar->IsTrackingMode());
        if (!c.bTracking)
            EXPECT_TRUE(m_manager.GetKeyboardTips().empty());
        m_pBar->LeaveTrackingMode();
    }
    EXPECT_TRUE(m_manager.GetKeyboardTips().empty()) << "leaving tracking hides the tips";
}

TEST_F(RibbonKeyPathTest, AltWithATabsLetterSelectsItAndF10TracksAsAltDoes)
{
    Post({{nullptr, WM_SYSKEYDOWN, VK_MENU, kAltDown | kOnce},
          {nullptr, WM_SYSKEYDOWN, 'V', kAltDown | kOnce},
          {nullptr, WM_SYSKEYUP, 'V', kAltDown | kReleased | kOnce},
          {nullptr, WM_SYSKEYUP, VK_MENU, kReleased | kOnce}});
    EXPECT_EQ(m_pView, m_pBar->GetSelectedTab());
    EXPECT_TRUE(m_pBar->IsTrackingMode());
    EXPECT_EQ(Tips{"G"}, ShownTips());
    Press('G');
    EXPECT_EQ(std::vector<UINT>{kIdGrid}, m_frame.m_commands);

    // Alt with a letter no tab has leaves the ribbon alone.
    Post({{nullptr, WM_SYSKEYDOWN, VK_MENU, kAltDown | kOnce},
          {nullptr, WM_SYSKEYDOWN, 'I', kAltDown | kOnce},
          {nullptr, WM_SYSKEYUP, 'I', kAltDown | kReleased | kOnce},
          {nullptr, WM_SYSKEYUP, VK_MENU, kReleased | kOnce}});
    EXPECT_FALSE(m_pBar->IsTrackingMode());
    EXPECT_EQ(m_pView, m_pBar->GetSelectedTab());

    Post({{nullptr, WM_SYSKEYDOWN, VK_F10, kOnce}, {nullptr, WM_SYSKEYUP, VK_F10, kReleased | kOnce}});
    EXPECT_TRUE(m_pBar->IsTrackingMode());
    EXPECT_EQ((Tips{"1", "H", "I", "V"}), ShownTips());
    // F10 again ends it.
    Press(VK_F10);
    EXPECT_FALSE(m_pBar->IsTrackingMode());
    EXPECT_TRUE(m_manager.GetKeyboardTips().empty());
}

TEST_F(RibbonKeyPathTest, TheFocusedTabStripTakesArrowsAndReturnRunsTheSelectedControl)
{
    PressAlt();
    CKitRibbonControlTab* pStrip = m_pBar->GetControlTab();
    m_manager.HideKeyboardTips();
    Press(VK_RIGHT);
    EXPECT_EQ(m_pInsert, m_pBar->GetSelectedTab());
    Press(VK_LEFT);
    EXPECT_EQ(m_pHome, m_pBar->GetSelectedTab());
    Press(VK_LEFT);
    EXPECT_EQ(m_pHome, m_pBar->GetSelectedTab()) << "the first tab";
    // Return on an expanded ribbon is taken and opens nothing.
    Press(VK_RETURN);
    EXPECT_TRUE(m_pBar->IsTrackingMode());
    EXPECT_EQ(-1, m_pBar->GetPopuped());

    Press(VK_DOWN);
    CKitControl* pSelected = m_pBar->GetControl(m_pBar->GetSelected());
    ASSERT_NE(nullptr, pSelected);
    EXPECT_NE(pStrip, pSelected);
    EXPECT_FALSE(pStrip->IsFocused());
    // Walk right to the Open button, then Return runs it.
    for (int i = 0; i < 8 && m_pBar->GetControl(m_pBar->GetSelected())->GetId() != kIdOpen; ++i)
        Press(VK_RIGHT);
    ASSERT_EQ(kIdOpen, m_pBar->GetControl(m_pBar->GetSelected())->GetId());
    Press(VK_RETURN);
    EXPECT_EQ(std::vector<UINT>{kIdOpen}, m_frame.m_commands);
}

TEST_F(RibbonKeyPathTest, AMinimisedRibbonsTabOpensItsGroupsInAPopupThatEscapeCloses)
{
    m_pBar->SetRibbonMinimized(TRUE);
    Layout();
    CKitRibbonControlTab* pStrip = m_pBar->GetControlTab();

    struct Case {
        const char* name;
        std::vector<UINT> keys;
    };
    const Case cases[] = {
        {"the tab's tip", {'V'}},
        {"Return on the strip", {VK_RETURN}},
        {"Space on the strip", {VK_SPACE}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PressAlt();
        ASSERT_TRUE(m_pBar->IsTrackingMode());
        if (c.keys[0] != 'V') {
            // Tracking from the tips: the strip gets the selection as the ribbon is minimised.
            m_manager.HideKeyboardTips();
            m_pBar->SetSelected(pStrip->GetIndex(), kitSelectKeyboard);
        }
        for (UINT nKey : c.keys)
            Press(nKey);
        EXPECT_EQ(pStrip->GetIndex(), m_pBar->GetPopuped());
        CKitRibbonTabPopupToolBar* pPopup = pStrip->GetPopupToolBar();
        ASSERT_NE(nullptr, pPopup);
        EXPECT_TRUE(pPopup->IsTrackingMode());
        ASSERT_NE(nullptr, pPopup->GetSafeHwnd());
        EXPECT_TRUE(pPopup->IsWindowVisible());
        EXPECT_EQ(m_pBar->GetSelectedTab()->GetCaption(), pPopup->GetTab()->GetCaption());
        CRect rcPopup;
        CRect rcRibbon;
        pPopup->GetWindowRect(&rcPopup);
        m_pBar->GetWindowRect(&rcRibbon);
        EXPECT_EQ(rcRibbon.left, rcPopup.left);
        EXPECT_LE(rcRibbon.bottom - 2, rcPopup.top) << "under the tabs";

        Press(VK_ESCAPE);
        EXPECT_EQ(-1, m_pBar->GetPopuped());
        EXPECT_EQ(nullptr, pPopup->GetSafeHwnd());
        m_pBar->LeaveTrackingMode();
    }

    // Expanded again, Space on the strip opens nothing.
    m_pBar->SetRibbonMinimized(FALSE);
    Layout();
    PressAlt();
    Press(VK_SPACE);
    EXPECT_EQ(-1, m_pBar->GetPopuped());
}

} // namespace

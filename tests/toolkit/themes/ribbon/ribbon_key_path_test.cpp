// The ribbon driven by key messages sent to its frame: Alt or F10 and the tips, typed tip letters, Alt with a
// letter, Escape stepping back, Return and the arrows on the tab strip; the minimised ribbon's tab popup (closed
// by Escape or a click outside, build/screens/ribbon-tab-popup.png), the context menu key, the hot tab and the
// tab strip's accessible object.
#include "ribbon_theme_support.h"

#include "framework/wnd.h"
#include "support/held_keys.h"
#include "support/message_pump.h"
#include "support/window_capture.h"
#include "support/window_screenshot.h"
#include "toolkit/commandbars/command_bar_manager.h"
#include "toolkit/commandbars/control.h"
#include "toolkit/commandbars/controls.h"
#include "toolkit/commandbars/keyboard_tip.h"
#include "toolkit/commandbars/mouse_manager.h"
#include "toolkit/commandbars/popup_bar.h"
#include "toolkit/common/toolkit_ids.h"
#include "toolkit/themes/paint/paint_manager.h"
#include "toolkit/themes/ribbon/ribbon_bar.h"
#include "toolkit/themes/ribbon/ribbon_control_tab.h"
#include "toolkit/themes/ribbon/ribbon_group.h"
#include "toolkit/themes/ribbon/ribbon_paint_manager.h"
#include "toolkit/themes/ribbon/ribbon_popup_toolbars.h"
#include "toolkit/themes/ribbon/ribbon_quick_access.h"
#include "toolkit/themes/ribbon/ribbon_tab.h"

#include <gtest/gtest.h>

#include <functional>
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

// The ribbon's frame; it records the commands it receives and counts the times the program loses the activation
// to another one (tests run side by side), which closes every menu and tracking bar.
class CKeyFrame : public CWnd {
public:
    std::vector<UINT> m_commands;
    std::vector<std::string> m_popups;
    BOOL m_bRecordMenus = FALSE;
    int m_nDeactivations = 0;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_COMMAND)
            m_commands.push_back(LOWORD(wParam));
        if (message == WM_ACTIVATEAPP && !wParam)
            ++m_nDeactivations;
        if (message == WM_KIT_INIT_POPUP && m_bRecordMenus) {
            // A menu about to show: its first shown command's caption, and an Escape to close it again.
            auto* pPopup = reinterpret_cast<CKitPopupBar*>(lParam);
            for (int i = 0; i < pPopup->GetControlCount(); ++i) {
                if (pPopup->GetControl(i)->IsVisible()) {
                    m_popups.push_back(static_cast<LPCSTR>(pPopup->GetControl(i)->GetCaption()));
                    break;
                }
            }
            PostMessage(WM_KEYDOWN, VK_ESCAPE, 1);
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

// One step of a key path: what is done, then the state expected after it.
struct Step {
    const char* name;
    std::function<void()> act;
    std::string state;
};

// A shown frame with the keyboard focus and a ribbon of three tabs ("&Home", "Insert", "&View"), a group on
// Home and on View, and one quick access button.
class RibbonKeyPathTest : public testing::Test {
protected:
    void SetUp() override
    {
        CKitPaintManager::SetTheme(0);
        ASSERT_TRUE(m_frame.CreateEx(0, "STATIC", "Corvel", WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE | WS_CLIPCHILDREN,
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
        Activate();
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

    void Layout() { LayOutRibbonInFrame(m_pBar, &m_frame); }
    // Programs tested beside this one may hold the front for a while: wait up to two seconds for it.
    void Activate()
    {
        for (int i = 0; i < 100; ++i) {
            m_frame.SetForegroundWindow();
            m_frame.SetFocus();
            PumpMessages();
            if (::GetForegroundWindow() == m_frame.GetSafeHwnd())
                return;
            ::Sleep(20);
        }
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
    void PressAltWith(UINT nKey)
    {
        Post({{nullptr, WM_SYSKEYDOWN, VK_MENU, kAltDown | kOnce},
              {nullptr, WM_SYSKEYDOWN, nKey, kAltDown | kOnce},
              {nullptr, WM_SYSKEYUP, nKey, kAltDown | kReleased | kOnce},
              {nullptr, WM_SYSKEYUP, VK_MENU, kReleased | kOnce}});
    }
    // Presses and releases the keys through the system's input, then lets the messages run.
    void Type(std::initializer_list<WORD> keys)
    {
        std::vector<INPUT> inputs;
        for (WORD nKey : keys) {
            INPUT input = {};
            input.type = INPUT_KEYBOARD;
            input.ki.wVk = nKey;
            inputs.push_back(input);
            input.ki.dwFlags = KEYEVENTF_KEYUP;
            inputs.push_back(input);
        }
        // The system's input goes to whatever window is in front: never type into another program's.
        if (::GetForegroundWindow() == m_frame.GetSafeHwnd())
            ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
        for (int i = 0; i < 10; ++i) {
            ::Sleep(10);
            PumpMessages();
        }
    }
    void Press(UINT nKey)
    {
        Post({{nullptr, WM_KEYDOWN, nKey, kOnce}, {nullptr, WM_KEYUP, nKey, kReleased | kOnce}});
    }

    // "tracking" or "idle", the selected tab, the tips on show with a window (the ribbon's or a popup's), the
    // selected control when it is not the tab strip, the hot tab, the open popup and the group highlighted in the
    // tab popup, the commands the frame received.
    std::string State() const
    {
        std::string state = m_pBar->IsTrackingMode() ? "tracking" : "idle";
        state += " tab=" + std::string(static_cast<LPCSTR>(m_pBar->GetSelectedTab()->GetCaption()));
        std::string tips;
        for (CKitCommandBarKeyboardTip* pTip : m_manager.GetKeyboardTips())
            if (pTip->GetSafeHwnd() != nullptr)
                tips += (tips.empty() ? "" : ",") + std::string(static_cast<LPCSTR>(pTip->m_strText));
        if (!tips.empty())
            state += (m_manager.GetKeyboardTipsBar() == m_pBar ? " tips=" : " popup-tips=") + tips;
        CKitControl* pSelected = m_pBar->GetControl(m_pBar->GetSelected());
        if (pSelected != nullptr && pSelected != m_pBar->GetControlTab())
            state += " selected=" + std::to_string(pSelected->GetId());
        if (CKitTabManagerItem* pHot = m_pBar->GetControlTab()->GetHotItem())
            state += " hot=" + std::string(static_cast<LPCSTR>(pHot->GetCaption()));
        if (m_pBar->GetPopuped() != -1)
            state += " popup";
        CKitRibbonTabPopupToolBar* pPopup = m_pBar->GetControlTab()->GetPopupToolBar();
        if (pPopup != nullptr && pPopup->GetSafeHwnd() != nullptr && pPopup->GetHighlightedGroup() != nullptr)
            state += " highlighted=" + std::string(static_cast<LPCSTR>(pPopup->GetHighlightedGroup()->GetCaption()));
        for (UINT nId : m_frame.m_commands)
            state += " command=" + std::to_string(nId);
        for (const std::string& strPopup : m_frame.m_popups)
            state += " menu=" + strPopup;
        return state;
    }

    // Runs the steps from the ribbon at rest (Home selected, nothing tracking) and compares the states. Programs
    // tested beside this one take the activation at any time, before a run as well as during it, so a run that
    // ends in other states is run again; a fault gives the same wrong states every time.
    void ExpectSteps(const std::vector<Step>& steps)
    {
        std::vector<std::string> states;
        for (int nAttempt = 0; nAttempt < 12; ++nAttempt) {
            // Keys another program holds down through the system's input stay down a little while.
            if (nAttempt > 0)
                ::Sleep(200);
            m_manager.ClosePopups();
            m_pBar->LeaveTrackingMode();
            m_manager.HideKeyboardTips();
            m_pBar->GetControlTab()->SetSelectedItem(m_pHome);
            m_frame.m_commands.clear();
            m_frame.m_popups.clear();
            Activate();
            const int nDeactivations = m_frame.m_nDeactivations;
            states.clear();
            for (const Step& step : steps) {
                step.act();
                states.push_back(State());
            }
            bool bExpected = true;
            for (size_t i = 0; i < steps.size(); ++i)
                bExpected = bExpected && steps[i].state == states[i];
            if (bExpected && m_frame.m_nDeactivations == nDeactivations)
                break;
        }
        for (size_t i = 0; i < steps.size(); ++i)
            EXPECT_EQ(steps[i].state, states[i]) << steps[i].name;
    }

    CKeyFrame m_frame;
    CKitCommandBarManager m_manager;
    CKitRibbonBar* m_pBar = nullptr;
    CKitRibbonTab* m_pHome = nullptr;
    CKitRibbonTab* m_pInsert = nullptr;
    CKitRibbonTab* m_pView = nullptr;
};

TEST_F(RibbonKeyPathTest, AltShowsTheTopTipsATabsTipShowsItsGroupsAndEscapeStepsBack)
{
    ExpectSteps({
        {"Alt", [&] { PressAlt(); }, "tracking tab=&Home tips=1,H,I,V"},
        {"the tab's tip", [&] { Press('V'); }, "tracking tab=&View tips=G"},
        {"Escape steps back", [&] { Press(VK_ESCAPE); }, "tracking tab=&View tips=1,H,I,V"},
        {"Escape again ends", [&] { Press(VK_ESCAPE); }, "idle tab=&View"},
    });
    // Alt tracks on the focused tab strip.
    ExpectSteps({{"Alt", [&] { PressAlt(); }, "tracking tab=&Home tips=1,H,I,V"}});
    EXPECT_TRUE(m_pBar->GetControlTab()->IsFocused());
    EXPECT_EQ(1, m_pBar->GetKeyboardTipCount());
}

// The system's input reaches whichever program is in front: ctest runs this suite alone (RibbonSystemInput).
class RibbonSystemInputTest : public RibbonKeyPathTest {};

TEST_F(RibbonSystemInputTest, TheSystemsKeyboardInputTakesTheSamePath)
{
    ExpectSteps({
        {"Alt", [&] { Type({VK_MENU}); }, "tracking tab=&Home tips=1,H,I,V"},
        {"the tab's tip", [&] { Type({'V'}); }, "tracking tab=&View tips=G"},
        {"the control's tip", [&] { Type({'G'}); }, "idle tab=&View command=" + std::to_string(kIdGrid)},
    });
}

TEST_F(RibbonKeyPathTest, TypedTipsRunTheirCommandsAndCtrlKeepsDigitsAndLettersAway)
{
    const std::string quick = std::to_string(kIdQuickSave);
    const std::string open = std::to_string(kIdOpen);
    auto alt = [&] { PressAlt(); };
    auto ctrl = [&](UINT nKey) {
        return [this, nKey] {
            CHeldKeys held({VK_CONTROL});
            Press(nKey);
        };
    };
    const std::vector<std::vector<Step>> cases = {
        {{"Alt", alt, "tracking tab=&Home tips=1,H,I,V"},
         {"a quick access digit", [&] { Press('1'); }, "idle tab=&Home command=" + quick}},
        {{"Alt", alt, "tracking tab=&Home tips=1,H,I,V"},
         {"a tab", [&] { Press('H'); }, "tracking tab=&Home tips=N,O"},
         {"a group control", [&] { Press('O'); }, "idle tab=&Home command=" + open}},
        {{"Alt", alt, "tracking tab=&Home tips=1,H,I,V"},
         {"a tab without an ampersand by its first letter", [&] { Press('I'); }, "tracking tab=Insert"}},
        {{"Alt", alt, "tracking tab=&Home tips=1,H,I,V"},
         {"a letter no tip shows", [&] { Press('Q'); }, "tracking tab=&Home tips=1,H,I,V"},
         {"Ctrl and a digit", ctrl('1'), "tracking tab=&Home tips=1,H,I,V"},
         {"Ctrl and a tab's letter", ctrl('V'), "tracking tab=&Home tips=1,H,I,V"},
         {"F10 ends", [&] { Press(VK_F10); }, "idle tab=&Home"}},
    };
    for (const std::vector<Step>& steps : cases)
        ExpectSteps(steps);
}

TEST_F(RibbonKeyPathTest, TheContextMenuKeyOpensTheSelectedControlsMenuWhileTracking)
{
    auto contextKey = [&] {
        m_frame.SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(m_frame.GetSafeHwnd()), -1);
    };
    m_frame.m_bRecordMenus = TRUE;
    ExpectSteps({
        {"not tracking", contextKey, "idle tab=&Home"},
        {"Alt", [&] { PressAlt(); }, "tracking tab=&Home tips=1,H,I,V"},
        {"tips away, Down to a group control", [&] { m_manager.HideKeyboardTips(); Press(VK_DOWN); },
         "tracking tab=&Home selected=" + std::to_string(kIdNew)},
        {"the context menu key", contextKey,
         "idle tab=&Home menu=&Add to Quick Access Toolbar"},
    });
}

TEST_F(RibbonKeyPathTest, AltWithATabsLetterSelectsItAndF10TracksAsAltDoes)
{
    ExpectSteps({
        {"Alt+V", [&] { PressAltWith('V'); }, "tracking tab=&View tips=G"},
        {"the group control's tip", [&] { Press('G'); }, "idle tab=&View command=" + std::to_string(kIdGrid)},
    });
    ExpectSteps({{"Alt+1", [&] { PressAltWith('1'); }, "idle tab=&Home command=" + std::to_string(kIdQuickSave)}});
    ExpectSteps({
        {"Alt with a letter no tab has", [&] { PressAltWith('I'); }, "idle tab=&Home"},
        {"F10",
         [&] { Post({{nullptr, WM_SYSKEYDOWN, VK_F10, kOnce}, {nullptr, WM_SYSKEYUP, VK_F10, kReleased | kOnce}}); },
         "tracking tab=&Home tips=1,H,I,V"},
        {"F10 again", [&] { Press(VK_F10); }, "idle tab=&Home"},
    });
}

TEST_F(RibbonKeyPathTest, TheFocusedTabStripTakesArrowsAndReturnRunsTheSelectedControl)
{
    const std::string newId = std::to_string(kIdNew);
    const std::string openId = std::to_string(kIdOpen);
    ExpectSteps({
        {"Alt", [&] { PressAlt(); }, "tracking tab=&Home tips=1,H,I,V"},
        {"tips away", [&] { m_manager.HideKeyboardTips(); }, "tracking tab=&Home"},
        {"Right", [&] { Press(VK_RIGHT); }, "tracking tab=Insert"},
        {"Left", [&] { Press(VK_LEFT); }, "tracking tab=&Home"},
        {"Left on the first tab finds nothing beside the strip", [&] { Press(VK_LEFT); }, "tracking tab=&Home"},
        {"Return on an expanded ribbon opens nothing", [&] { Press(VK_RETURN); }, "tracking tab=&Home"},
        {"Down into the groups", [&] { Press(VK_DOWN); }, "tracking tab=&Home selected=" + newId},
        {"Right", [&] { Press(VK_RIGHT); }, "tracking tab=&Home selected=" + openId},
        {"Return runs it", [&] { Press(VK_RETURN); }, "idle tab=&Home command=" + openId},
    });
    EXPECT_FALSE(m_pBar->GetControlTab()->IsFocused());
}

TEST_F(RibbonKeyPathTest, AMinimisedRibbonsTabOpensItsGroupsInAPopupThatEscapeCloses)
{
    m_pBar->SetRibbonMinimized(TRUE);
    Layout();
    CKitRibbonControlTab* pStrip = m_pBar->GetControlTab();
    auto selectStrip = [&] {
        m_manager.HideKeyboardTips();
        m_pBar->SetSelected(pStrip->GetIndex(), kitSelectKeyboard);
    };
    const std::string newId = std::to_string(kIdNew);
    const std::string openId = std::to_string(kIdOpen);
    const std::vector<std::vector<Step>> cases = {
        {{"Alt", [&] { PressAlt(); }, "tracking tab=&Home tips=1,H,I,V"},
         {"the tab's tip", [&] { Press('V'); }, "tracking tab=&View popup-tips=G popup"},
         {"Escape closes the popup", [&] { Press(VK_ESCAPE); }, "tracking tab=&View"}},
        {{"Alt", [&] { PressAlt(); }, "tracking tab=&Home tips=1,H,I,V"},
         {"the tab's tip", [&] { Press('V'); }, "tracking tab=&View popup-tips=G popup"},
         {"a tip in the popup", [&] { Press('G'); }, "idle tab=&View command=" + std::to_string(kIdGrid)}},
        {{"Alt", [&] { PressAlt(); }, "tracking tab=&Home tips=1,H,I,V"},
         {"the strip selected", selectStrip, "tracking tab=&Home"},
         {"Return", [&] { Press(VK_RETURN); }, "tracking tab=&Home popup-tips=N,O popup"},
         {"Return runs the popup's first control", [&] { Press(VK_RETURN); }, "idle tab=&Home command=" + newId}},
        {{"Alt", [&] { PressAlt(); }, "tracking tab=&Home tips=1,H,I,V"},
         {"the strip selected", selectStrip, "tracking tab=&Home"},
         {"Space", [&] { Press(VK_SPACE); }, "tracking tab=&Home popup-tips=N,O popup"},
         {"Down in the popup, then Return", [&] { Press(VK_DOWN); Press(VK_RETURN); },
          "idle tab=&Home command=" + openId}},
        {{"Alt", [&] { PressAlt(); }, "tracking tab=&Home tips=1,H,I,V"},
         {"the strip selected", selectStrip, "tracking tab=&Home"},
         {"Space", [&] { Press(VK_SPACE); }, "tracking tab=&Home popup-tips=N,O popup"}},
    };
    for (const std::vector<Step>& steps : cases)
        ExpectSteps(steps);

    // The popup under the ribbon holds a copy of the selected tab.
    CKitRibbonTabPopupToolBar* pPopup = pStrip->GetPopupToolBar();
    ASSERT_NE(nullptr, pPopup);
    ASSERT_NE(nullptr, pPopup->GetSafeHwnd());
    EXPECT_TRUE(pPopup->IsTrackingMode());
    EXPECT_EQ(m_pBar->GetSelectedTab()->GetCaption(), pPopup->GetTab()->GetCaption());
    CRect rcPopup;
    CRect rcRibbon;
    pPopup->GetWindowRect(&rcPopup);
    m_pBar->GetWindowRect(&rcRibbon);
    EXPECT_EQ(rcRibbon.left, rcPopup.left);
    EXPECT_LE(rcRibbon.bottom - 2, rcPopup.top) << "under the tabs";

    // Expanded again, Space on the strip opens nothing.
    m_pBar->SetRibbonMinimized(FALSE);
    Layout();
    ExpectSteps({{"Alt", [&] { PressAlt(); }, "tracking tab=&Home tips=1,H,I,V"},
                 {"Space", [&] { Press(VK_SPACE); }, "tracking tab=&Home tips=1,H,I,V"}});
}

TEST_F(RibbonKeyPathTest, TheLettersOfAReducedGroupsControlOpenTheGroupAndRunIt)
{
    // A narrow frame and more groups than fit: the groups at the right shrink to their popup buttons.
    for (int g = 0; g < 6; ++g) {
        CKitRibbonGroup* pGroup = m_pHome->GetGroups()->Add("Mapping", 20 + g);
        for (int c = 0; c < 3; ++c)
            AddButton(m_pBar, pGroup, 300 + 10 * g + c, "Attribute");
    }
    m_pBar->ShowSelectedTabGroups();
    m_frame.SetWindowPos(nullptr, 0, 0, 360, 260, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    Layout();
    CKitControl* pHidden = nullptr;
    for (int i = 0; i < m_pBar->GetControlCount() && pHidden == nullptr; ++i) {
        CKitControl* pControl = m_pBar->GetControl(i);
        CKitRibbonGroup* pGroup = pControl->GetRibbonGroup();
        if (pGroup != nullptr && pGroup->IsReduced() && pControl->GetId() >= 300)
            pHidden = pControl;
    }
    ASSERT_NE(nullptr, pHidden) << "no group was reduced";
    // The letters its hidden tip took among the group tips.
    auto typeHiddenTip = [&] {
        for (CKitCommandBarKeyboardTip* pTip : m_manager.GetKeyboardTips()) {
            if (pTip->m_pOwner == pHidden) {
                EXPECT_FALSE(pTip->m_bVisible);
                const CString strText = pTip->m_strText;
                for (int i = 0; i < strText.GetLength(); ++i)
                    Press(static_cast<BYTE>(strText[i]));
                return;
            }
        }
        // No tip: the states differ, and the run is tried again.
    };
    ExpectSteps({
        {"Alt, then the tab: the reduced groups show their popup buttons' tips",
         [&] {
             PressAlt();
             Press('H');
         },
         "tracking tab=&Home tips=ZR,ZA,ZP,ZI,ZN,ZG"},
        {"the hidden control's letters", typeHiddenTip,
         "idle tab=&Home command=" + std::to_string(pHidden->GetId())},
    });
}

TEST_F(RibbonKeyPathTest, AClickOutsideClosesTheTabPopupAndTheTabUnderTheMouseIsHot)
{
    CKitRibbonControlTab* pStrip = m_pBar->GetControlTab();
    auto moveTo = [&](CPoint pt) {
        return [this, pt] { m_pBar->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(pt.x, pt.y)); };
    };
    auto clickAt = [&](int nFromLeft, int nBelowBottom) {
        return [=] {
            CRect rcPopup;
            pStrip->GetPopupToolBar()->GetWindowRect(&rcPopup);
            const CPoint pt(rcPopup.left + nFromLeft, nBelowBottom != 0 ? rcPopup.bottom + nBelowBottom
                                                                        : rcPopup.CenterPoint().y);
            CKitMouseManager::GetThreadManager()->ProcessMouseMessage(WM_LBUTTONDOWN, pt);
        };
    };
    const CPoint ptView = m_pView->GetRect().CenterPoint();
    CKitPaintManager::Instance()->GetRibbonPaintManager()->m_bHotGroups = TRUE;
    ExpectSteps({
        {"expanded", [&] { m_pBar->SetRibbonMinimized(FALSE); Layout(); }, "idle tab=&Home"},
        {"the mouse over a tab", moveTo(ptView), "idle tab=&Home hot=&View"},
        {"the mouse over the groups", moveTo(CPoint(ptView.x, m_pBar->GetGroupsRect().CenterPoint().y)),
         "idle tab=&Home"},
        {"the quick access menu open",
         [&] {
             m_pBar->SetTrackingMode(TRUE, FALSE, FALSE);
             m_pBar->OpenPopupAt(m_pBar->GetQuickAccessPopup()->GetIndex());
         },
         "tracking tab=&Home selected=" + std::to_string(ID_KIT_RIBBON_QA_CUSTOMIZE_BUTTON) + " popup"},
        {"a tab chosen as by the mouse closes it", [&] { pStrip->SetSelectedItem(m_pView); }, "idle tab=&View"},
        {"minimised", [&] { m_pBar->SetRibbonMinimized(TRUE); Layout(); }, "idle tab=&View"},
        {"the popup shown as by the mouse", [&] { pStrip->ShowTabPopup(FALSE); }, "tracking tab=&View popup"},
        {"the mouse over a group's caption in the popup",
         [&] {
             CKitRibbonTabPopupToolBar* pPopup = pStrip->GetPopupToolBar();
             const CPoint pt = pPopup->GetTab()->GetGroups()->GetAt(0)->GetCaptionRect().CenterPoint();
             pPopup->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(pt.x, pt.y));
         },
         "tracking tab=&View popup highlighted=Show"},
        {"a click inside", clickAt(20, 0), "tracking tab=&View popup highlighted=Show"},
        {"a click outside", clickAt(10, 40), "idle tab=&View"},
        {"a click on another tab",
         [&] {
             const CPoint pt = m_pHome->GetRect().CenterPoint();
             m_pBar->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
         },
         "tracking tab=&Home popup"},
    });
}

TEST_F(RibbonKeyPathTest, TheTabStripAnswersAccessibilityForItselfAndItsTabs)
{
    CKitRibbonControlTab* pStrip = m_pBar->GetControlTab();
    pStrip->SetCaption("Ribbon Tabs");
    m_pInsert->SetVisible(FALSE);
    auto child = [](long nId) { return CKitAccessible::MakeLong(nId); };
    auto text = [](HRESULT hr, BSTR bstr) {
        std::string strText = hr == S_OK && bstr != nullptr ? std::string(CString(bstr)) : "";
        ::SysFreeString(bstr);
        return strText;
    };
    long nCount = 0;
    ASSERT_EQ(S_OK, pStrip->GetAccessibleChildCount(&nCount));
    EXPECT_EQ(3, nCount);

    struct Case {
        const char* name;
        long nChild;
        std::string strName;
        long nRole;
        long nState;
        std::string strAction;
    };
    const long kTab = STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_SELECTABLE;
    const Case cases[] = {
        {"the strip", CHILDID_SELF, "Ribbon Tabs", ROLE_SYSTEM_PAGETABLIST, STATE_SYSTEM_FOCUSABLE, "Click"},
        {"the selected tab", 1, "Home", ROLE_SYSTEM_PAGETAB, kTab | STATE_SYSTEM_SELECTED | STATE_SYSTEM_FOCUSED,
         "Switch"},
        {"a hidden tab", 2, "Insert", ROLE_SYSTEM_PAGETAB, kTab | STATE_SYSTEM_INVISIBLE, "Switch"},
        {"another tab", 3, "View", ROLE_SYSTEM_PAGETAB, kTab, "Switch"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        BSTR bstr = nullptr;
        HRESULT hr = pStrip->GetAccessibleName(child(c.nChild), &bstr);
        EXPECT_EQ(c.strName, text(hr, bstr));
        VARIANT var;
        ASSERT_EQ(S_OK, pStrip->GetAccessibleRole(child(c.nChild), &var));
        EXPECT_EQ(c.nRole, var.lVal);
        ASSERT_EQ(S_OK, pStrip->GetAccessibleState(child(c.nChild), &var));
        EXPECT_EQ(c.nState, var.lVal);
        bstr = nullptr;
        hr = pStrip->GetAccessibleDefaultAction(child(c.nChild), &bstr);
        EXPECT_EQ(c.strAction, text(hr, bstr));
    }
    VARIANT var;
    EXPECT_EQ(E_INVALIDARG, pStrip->GetAccessibleRole(child(4), &var)) << "no fourth tab";
    EXPECT_EQ(E_INVALIDARG, pStrip->AccessibleDoDefaultAction(child(-1)));

    // The View tab by its location, then switched to.
    long x = 0;
    long y = 0;
    long cx = 0;
    long cy = 0;
    ASSERT_EQ(S_OK, pStrip->AccessibleLocation(&x, &y, &cx, &cy, child(3)));
    CRect rcView = m_pView->GetRect();
    m_pBar->ClientToScreen(&rcView);
    EXPECT_EQ(rcView, CRect(x, y, x + cx, y + cy));
    ASSERT_EQ(S_OK, pStrip->AccessibleHitTest(rcView.CenterPoint().x, rcView.CenterPoint().y, &var));
    EXPECT_EQ(3, var.lVal);
    CRect rcRibbon;
    m_pBar->GetWindowRect(&rcRibbon);
    EXPECT_EQ(S_FALSE, pStrip->AccessibleHitTest(rcRibbon.right + 5, rcView.CenterPoint().y, &var));
    EXPECT_EQ(S_OK, pStrip->AccessibleDoDefaultAction(child(3)));
    EXPECT_EQ(m_pView, m_pBar->GetSelectedTab());
}

TEST_F(RibbonKeyPathTest, TabPopupOfAMinimisedRibbonOnScreen)
{
    m_pBar->SetRibbonMinimized(TRUE);
    Layout();
    CKitRibbonControlTab* pStrip = m_pBar->GetControlTab();
    WindowImage shot;
    // Taken again when another program's activation closed the popup meanwhile.
    for (int nAttempt = 0; nAttempt < 8; ++nAttempt) {
        m_manager.ClosePopups();
        Activate();
        const int nDeactivations = m_frame.m_nDeactivations;
        pStrip->ShowTabPopup(FALSE);
        ASSERT_NE(nullptr, pStrip->GetPopupToolBar());
        PumpMessages();
        m_frame.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
        if (pStrip->GetPopupToolBar()->GetSafeHwnd() != nullptr)
            pStrip->GetPopupToolBar()->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        PumpMessages();
        shot = CaptureScreenArea(m_frame.GetSafeHwnd());
        if (m_frame.m_nDeactivations == nDeactivations && pStrip->GetPopupToolBar()->GetSafeHwnd() != nullptr)
            break;
    }
    EXPECT_NE(nullptr, pStrip->GetPopupToolBar()->GetSafeHwnd());
    EXPECT_EQ("", SaveScreenshot("ribbon-tab-popup", shot.width, shot.height, shot.pixels));
}

} // namespace

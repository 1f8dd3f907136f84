// kithost's ribbon driven only through the system's mouse and keyboard input, as a user drives it, each step checked
// on the screen: key tips and Alt with a tab's letter, a tab's tip and a control's tip running a command, the
// application button's backstage view with its keys and an Options page edit, minimising by a double click with the
// documents moving up at once and a tab's popup, the quick access toolbar below the ribbon, a group scroll arrow of a
// narrow frame and a tab's tooltip; build/screens/kithost-ribbon-minimised-popup.png, kithost-quick-access-below.png
// and kithost-backstage-keys.png. The input goes to the window in front, so ctest runs this program alone.
#include "support/message_pump.h"
#include "support/window_capture.h"
#include "support/window_screenshot.h"
#include "toolkit/commandbars/command_bar_manager.h"
#include "toolkit/commandbars/control.h"
#include "toolkit/commandbars/controls.h"
#include "toolkit/commandbars/keyboard_tip.h"
#include "toolkit/commandbars/popup_bar.h"
#include "toolkit/common/toolkit_ids.h"
#include "toolkit/themes/paint/paint_manager.h"
#include "toolkit/themes/ribbon/ribbon_backstage_view.h"
#include "toolkit/themes/ribbon/ribbon_control_tab.h"
#include "toolkit/themes/ribbon/ribbon_group.h"
#include "toolkit/themes/ribbon/ribbon_popup_toolbars.h"
#include "toolkit/themes/ribbon/ribbon_quick_access.h"
#include "toolkit/themes/ribbon/ribbon_system_button.h"
#include "toolkit/themes/ribbon/ribbon_system_popup_bar.h"
#include "toolkit/themes/ribbon/ribbon_tab.h"
#include "tools/kithost/kithost_ribbon.h"
#include "tools/kithost/res/resource.h"

#include "framework/ids.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

// The frame's width at which the Home tab's groups do not all fit.
constexpr int kNarrowWidth = 600;

// The window's rectangle on the screen.
CRect ScreenRect(HWND hWnd)
{
    CRect rc;
    ::GetWindowRect(hWnd, &rc);
    return rc;
}

// The control's rectangle on the screen.
CRect ScreenRect(CKitControl* pControl)
{
    CRect rc = pControl->GetRect();
    pControl->GetParent()->ClientToScreen(&rc);
    return rc;
}

class KitHostRibbonInputTest : public testing::Test {
protected:
    void SetUp() override
    {
        CKitPaintManager::SetTheme(0);
        m_pFrame = new CKitHostRibbonFrame();
        ASSERT_TRUE(m_pFrame->CreateHost());
        m_pFrame->OpenSampleDocuments();
        m_pFrame->ShowWindow(SW_SHOWNORMAL);
        m_pRibbon = m_pFrame->GetRibbonBar();
        ASSERT_NE(nullptr, m_pRibbon);
        MoveMouse(CPoint(2, 2));
        for (int i = 0; i < 100 && ::GetForegroundWindow() != m_pFrame->GetSafeHwnd(); ++i) {
            m_pFrame->SetForegroundWindow();
            Idle();
            ::Sleep(20);
        }
        ASSERT_EQ(m_pFrame->GetSafeHwnd(), ::GetForegroundWindow());
        Idle();
    }

    void TearDown() override
    {
        if (m_pFrame != nullptr) {
            m_pFrame->GetCommandBars()->ClosePopups();
            m_pFrame->DestroyWindow();
        }
        PumpMessages(PumpMode::kPreTranslate);
        CKitPaintManager::Done();
    }

    // The program's idle turn: the waiting messages as its loop handles them, the bars' update and painting.
    void Idle()
    {
        PumpMessages(PumpMode::kPreTranslate);
        m_pFrame->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
        m_pFrame->UpdateWindow();
        PumpMessages(PumpMode::kPreTranslate);
    }

    // Lets the program run until the state holds, five seconds at most; whether it held.
    bool WaitFor(const std::function<bool()>& isReached)
    {
        for (int i = 0; i < 250; ++i) {
            Idle();
            if (isReached())
                return true;
            ::Sleep(20);
        }
        Idle();
        return isReached();
    }

    void Send(std::vector<INPUT> inputs)
    {
        ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
        for (int i = 0; i < 5; ++i) {
            ::Sleep(10);
            Idle();
        }
    }

    static INPUT Key(WORD nKey, BOOL bUp)
    {
        INPUT input = {};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = nKey;
        input.ki.dwFlags = bUp ? KEYEVENTF_KEYUP : 0;
        return input;
    }

    // Presses and releases the keys one after the other.
    void Type(std::initializer_list<WORD> keys)
    {
        std::vector<INPUT> inputs;
        for (WORD nKey : keys) {
            inputs.push_back(Key(nKey, FALSE));
            inputs.push_back(Key(nKey, TRUE));
        }
        Send(inputs);
    }

    // The key pressed while the modifier is held.
    void TypeWith(WORD nModifier, WORD nKey)
    {
        Send({Key(nModifier, FALSE), Key(nKey, FALSE), Key(nKey, TRUE), Key(nModifier, TRUE)});
    }

    static INPUT Mouse(DWORD dwFlags, CPoint ptScreen = CPoint())
    {
        INPUT input = {};
        input.type = INPUT_MOUSE;
        input.mi.dwFlags = dwFlags;
        if ((dwFlags & MOUSEEVENTF_ABSOLUTE) != 0) {
            input.mi.dx = ptScreen.x * 65535 / (::GetSystemMetrics(SM_CXSCREEN) - 1);
            input.mi.dy = ptScreen.y * 65535 / (::GetSystemMetrics(SM_CYSCREEN) - 1);
        }
        return input;
    }

    void MoveMouse(CPoint ptScreen) { Send({Mouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, ptScreen)}); }

    // Turns the wheel by the delta (negative: towards the user).
    void Wheel(int nDelta)
    {
        INPUT input = Mouse(MOUSEEVENTF_WHEEL);
        input.mi.mouseData = static_cast<DWORD>(nDelta);
        Send({input});
    }

    // Moves the mouse to the point and clicks the left button there (twice for a double click).
    void Click(CPoint ptScreen, int nClicks = 1)
    {
        std::vector<INPUT> inputs = {Mouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, ptScreen)};
        for (int i = 0; i < nClicks; ++i) {
            inputs.push_back(Mouse(MOUSEEVENTF_LEFTDOWN));
            inputs.push_back(Mouse(MOUSEEVENTF_LEFTUP));
        }
        Send(inputs);
    }

    // The texts of the key tips whose windows show.
    std::vector<std::string> TipsOnScreen() const
    {
        std::vector<std::string> tips;
        for (CKitCommandBarKeyboardTip* pTip : m_pFrame->GetCommandBars()->GetKeyboardTips())
            if (pTip->GetSafeHwnd() != nullptr && pTip->IsWindowVisible())
                tips.push_back(static_cast<LPCSTR>(pTip->m_strText));
        return tips;
    }

    // The text of the shown tip of the control with the id; empty when none shows.
    std::string TipOf(UINT nId) const
    {
        for (CKitCommandBarKeyboardTip* pTip : m_pFrame->GetCommandBars()->GetKeyboardTips()) {
            auto* pControl = dynamic_cast<CKitControl*>(pTip->m_pOwner);
            if (pControl != nullptr && pControl->GetId() == nId && pTip->GetSafeHwnd() != nullptr &&
                pTip->IsWindowVisible())
                return static_cast<LPCSTR>(pTip->m_strText);
        }
        return "";
    }

    CString PaneText() const
    {
        CString strText;
        CWnd::FromHandle(::GetDlgItem(m_pFrame->GetSafeHwnd(), AFX_IDW_PANE_FIRST))->GetWindowText(strText);
        return strText;
    }

    CKitRibbonTab* Tab(int nIndex) const { return m_pRibbon->GetTab(nIndex); }
    CPoint TabCentre(int nIndex) const
    {
        CRect rc = Tab(nIndex)->GetRect();
        m_pRibbon->ClientToScreen(&rc);
        return rc.CenterPoint();
    }
    static bool IsShown(CWnd* pWnd) { return pWnd != nullptr && pWnd->GetSafeHwnd() != nullptr && pWnd->IsWindowVisible(); }

    // Narrows the frame from the width down in steps of 20 pixels until the state holds; the width then, 0 when it
    // never held while the ribbon showed.
    int NarrowUntil(int nWidth, const std::function<bool()>& isReached)
    {
        const CRect rc = ScreenRect(m_pFrame->GetSafeHwnd());
        for (; nWidth >= 250; nWidth -= 20) {
            m_pFrame->SetWindowPos(nullptr, 0, 0, nWidth, rc.Height(), SWP_NOMOVE | SWP_NOZORDER);
            Idle();
            if (!m_pRibbon->IsRibbonVisible())
                break;
            if (isReached())
                return nWidth;
        }
        return 0;
    }

    void Screenshot(const char* pszName)
    {
        const WindowImage image = CaptureScreenArea(m_pFrame->GetSafeHwnd());
        EXPECT_EQ("", SaveScreenshot(pszName, image.width, image.height, image.pixels));
    }

    CKitHostRibbonFrame* m_pFrame = nullptr;
    CKitHostRibbonBar* m_pRibbon = nullptr;
};

// Alt shows the key tips of the quick access toolbar, the tabs and the application button; Alt with a tab's letter
// selects that tab.
TEST_F(KitHostRibbonInputTest, AltShowsKeyTipsAndAltWithALetterSelectsItsTab)
{
    Type({VK_MENU});
    const std::vector<std::string> expected = {"1", "2", "3", "H", "I", "V", "F"};
    EXPECT_TRUE(WaitFor([&] { return TipsOnScreen() == expected; }));
    EXPECT_EQ(expected, TipsOnScreen());
    for (CKitCommandBarKeyboardTip* pTip : m_pFrame->GetCommandBars()->GetKeyboardTips()) {
        CRect rcCommon;
        EXPECT_TRUE(rcCommon.IntersectRect(ScreenRect(pTip->GetSafeHwnd()), ScreenRect(m_pFrame->GetSafeHwnd())))
            << "the tip " << static_cast<LPCSTR>(pTip->m_strText) << " over the frame";
    }
    Type({VK_ESCAPE});
    EXPECT_TRUE(WaitFor([&] { return TipsOnScreen().empty() && !m_pRibbon->IsTrackingMode(); }));

    TypeWith(VK_MENU, 'I');
    EXPECT_TRUE(WaitFor([&] { return m_pRibbon->GetSelectedTab() == Tab(1); }));
    EXPECT_STREQ("&Insert", m_pRibbon->GetSelectedTab()->GetCaption());
    Type({VK_ESCAPE, VK_ESCAPE});
}

// A tab's tip shows the tips of its groups; typing a control's tip runs its command, which the notes pane lists.
TEST_F(KitHostRibbonInputTest, ATabsTipThenAControlsTipRunsTheCommand)
{
    Type({VK_MENU});
    ASSERT_TRUE(WaitFor([&] { return !TipsOnScreen().empty(); }));
    Type({'V'});
    ASSERT_TRUE(WaitFor([&] { return !TipOf(ID_KIT_TEXT_WRAP).empty(); })) << "the View tab's group tips";
    EXPECT_EQ(Tab(2), m_pRibbon->GetSelectedTab());
    ASSERT_EQ(-1, PaneText().Find("Word wrap off"));
    for (char ch : TipOf(ID_KIT_TEXT_WRAP))
        Type({static_cast<WORD>(ch)});
    EXPECT_TRUE(WaitFor([&] { return PaneText().Find("Word wrap off") != -1; }));
    EXPECT_TRUE(TipsOnScreen().empty());
    EXPECT_FALSE(m_pRibbon->IsTrackingMode());
}

// The application button's menu opens the backstage view; Down moves between its entries, the Options page's edit
// takes typing and Escape closes the view.
TEST_F(KitHostRibbonInputTest, TheBackstageViewTakesTheKeys)
{
    Click(ScreenRect(m_pRibbon->GetSystemButton()).CenterPoint());
    CKitRibbonSystemPopupBar* pMenu = m_pFrame->GetSystemMenu();
    ASSERT_TRUE(WaitFor([&] { return IsShown(pMenu); })) << "the application button's menu";
    CKitControl* pOptions = pMenu->GetControls()->FindControlById(ID_KIT_OPTIONS);
    ASSERT_NE(nullptr, pOptions);
    Click(ScreenRect(pOptions).CenterPoint());
    CKitRibbonBackstageView* pView = m_pFrame->GetBackstageView();
    ASSERT_TRUE(WaitFor([&] { return IsShown(pView) && pView->GetActivePage() != nullptr; }));
    CKitControls* pEntries = pView->GetControls();
    EXPECT_EQ(pEntries->FindControlById(ID_KIT_BACKSTAGE_OPTIONS), pView->GetFocusedEntry());

    Type({VK_DOWN});
    EXPECT_TRUE(WaitFor([&] { return pView->GetFocusedEntry() == pEntries->FindControlById(ID_APP_EXIT); }));
    Type({VK_UP});
    EXPECT_TRUE(
        WaitFor([&] { return pView->GetFocusedEntry() == pEntries->FindControlById(ID_KIT_BACKSTAGE_OPTIONS); }));
    EXPECT_TRUE(IsShown(pView)) << "the arrows leave the view open";

    HWND hEdit = ::GetDlgItem(pView->GetActivePage(), IDC_OPTION_AUTHOR);
    ASSERT_NE(nullptr, hEdit);
    ASSERT_TRUE(::IsWindowVisible(hEdit));
    Click(ScreenRect(hEdit).CenterPoint());
    EXPECT_TRUE(WaitFor([&] { return ::GetFocus() == hEdit; }));
    Type({'A', 'N', 'N'});
    char szText[16] = {};
    EXPECT_TRUE(WaitFor([&] {
        ::GetWindowTextA(hEdit, szText, sizeof(szText));
        return std::string(szText) == "ann";
    }));
    EXPECT_STREQ("ann", szText);
    Screenshot("kithost-backstage-keys");

    Type({VK_ESCAPE});
    EXPECT_TRUE(WaitFor([&] { return pView->GetSafeHwnd() == nullptr; })) << "Escape closes the view";
    EXPECT_TRUE(::IsWindowVisible(m_pFrame->GetMDIClient()));
    EXPECT_FALSE(m_pRibbon->GetSystemButton()->GetPopuped());
}

// A double click on the selected tab minimises the ribbon and the documents move up at once; a click on a tab then
// opens its groups in a popup, a click elsewhere closes it, and a second double click brings the groups back.
TEST_F(KitHostRibbonInputTest, ADoubleClickMinimisesAndAClickOnATabOpensItsPopup)
{
    const CRect rcRibbon = ScreenRect(m_pRibbon->GetSafeHwnd());
    const CRect rcDocuments = ScreenRect(m_pFrame->GetMDIClient());
    const int nGroupsHeight = m_pRibbon->GetGroupsAreaHeight();

    Click(TabCentre(0), 2);
    ASSERT_TRUE(WaitFor([&] { return m_pRibbon->IsRibbonMinimized(); }));
    // No resize of the frame: the ribbon and the documents follow at once.
    const CRect rcMinimised = ScreenRect(m_pRibbon->GetSafeHwnd());
    EXPECT_EQ(rcRibbon.Height() - nGroupsHeight + 2, rcMinimised.Height());
    EXPECT_EQ(rcDocuments.top - (rcRibbon.Height() - rcMinimised.Height()), ScreenRect(m_pFrame->GetMDIClient()).top);

    Click(TabCentre(1));
    CKitRibbonControlTab* pStrip = m_pRibbon->GetControlTab();
    ASSERT_TRUE(WaitFor([&] { return IsShown(pStrip->GetPopupToolBar()); })) << "the Insert tab's popup";
    EXPECT_EQ(Tab(1), m_pRibbon->GetSelectedTab());
    const CRect rcPopup = ScreenRect(pStrip->GetPopupToolBar()->GetSafeHwnd());
    EXPECT_NEAR(rcMinimised.bottom, rcPopup.top, 2) << "the popup opens under the tabs";
    EXPECT_EQ(nGroupsHeight, rcPopup.Height());
    Screenshot("kithost-ribbon-minimised-popup");
    Click(ScreenRect(m_pFrame->GetMDIClient()).CenterPoint());
    EXPECT_TRUE(WaitFor([&] { return !IsShown(pStrip->GetPopupToolBar()); })) << "a click elsewhere closes it";

    Click(TabCentre(1), 2);
    ASSERT_TRUE(WaitFor([&] { return !m_pRibbon->IsRibbonMinimized() && !IsShown(pStrip->GetPopupToolBar()); }));
    EXPECT_TRUE(m_pRibbon->IsGroupsVisible());
    EXPECT_EQ(rcRibbon.Height(), ScreenRect(m_pRibbon->GetSafeHwnd()).Height());
    EXPECT_EQ(rcDocuments.top, ScreenRect(m_pFrame->GetMDIClient()).top);
    // The Insert tab's buttons lie inside the shown ribbon.
    CKitControl* pTable = m_pRibbon->GetControls()->FindControlById(ID_KIT_INSERT_TABLE);
    ASSERT_NE(nullptr, pTable);
    EXPECT_TRUE(pTable->IsVisible());
    CRect rcCommon;
    EXPECT_TRUE(rcCommon.IntersectRect(ScreenRect(pTable), ScreenRect(m_pRibbon->GetSafeHwnd())) &&
                rcCommon == ScreenRect(pTable));
}

// "Show Below the Ribbon" of the quick access menu puts the toolbar under the groups at once.
TEST_F(KitHostRibbonInputTest, ShowBelowTheRibbonMovesTheQuickAccessToolbarAtOnce)
{
    const CRect rcRibbon = ScreenRect(m_pRibbon->GetSafeHwnd());
    const CRect rcDocuments = ScreenRect(m_pFrame->GetMDIClient());
    Click(ScreenRect(m_pRibbon->GetQuickAccessPopup()).CenterPoint());
    CKitPopupBar* pMenu = nullptr;
    ASSERT_TRUE(WaitFor([&] {
        pMenu = dynamic_cast<CKitPopupBar*>(m_pRibbon->GetQuickAccessPopup()->GetCommandBar());
        return IsShown(pMenu);
    })) << "the quick access menu";
    CKitControl* pBelow = pMenu->GetControls()->FindControlById(ID_KIT_RIBBON_QA_SHOW_BELOW);
    ASSERT_NE(nullptr, pBelow);
    ASSERT_TRUE(pBelow->IsVisible());
    Click(ScreenRect(pBelow).CenterPoint());
    ASSERT_TRUE(WaitFor([&] { return m_pRibbon->IsQuickAccessBelowRibbon(); }));
    EXPECT_FALSE(IsShown(pMenu));

    const CRect rcBelow = ScreenRect(m_pRibbon->GetSafeHwnd());
    const int nGrowth = rcBelow.Height() - rcRibbon.Height();
    EXPECT_GT(nGrowth, 10) << "the ribbon takes the toolbar's row at once";
    EXPECT_EQ(rcDocuments.top + nGrowth, ScreenRect(m_pFrame->GetMDIClient()).top);
    CRect rcGroups = m_pRibbon->GetGroupsRect();
    m_pRibbon->ClientToScreen(&rcGroups);
    for (int i = 0; i < m_pRibbon->GetQuickAccessControls()->GetCount(); ++i) {
        CKitControl* pQuick = m_pRibbon->GetQuickAccessControls()->GetAt(i);
        SCOPED_TRACE(static_cast<LPCSTR>(pQuick->GetCaption()));
        EXPECT_TRUE(pQuick->IsVisible());
        EXPECT_GE(ScreenRect(pQuick).top, rcGroups.bottom);
        EXPECT_LE(ScreenRect(pQuick).bottom, rcBelow.bottom);
    }
    Screenshot("kithost-quick-access-below");
}

// On a frame too narrow for the groups, even reduced, a click on the groups' right scroll arrow scrolls them, and
// opens no reduced group under it.
TEST_F(KitHostRibbonInputTest, TheScrollArrowOfANarrowFrameScrollsTheGroups)
{
    const int nWidth = NarrowUntil(kNarrowWidth, [&] {
        return m_pRibbon->GetScrollRight() != nullptr && m_pRibbon->GetScrollRight()->IsVisible();
    });
    ASSERT_GT(nWidth, 0) << "the groups scroll before the ribbon hides";
    CKitControl* pArrow = m_pRibbon->GetScrollRight();
    CKitRibbonGroups* pGroups = m_pRibbon->GetSelectedTab()->GetGroups();
    ASSERT_EQ(0, pGroups->GetScrollOffset());
    const CPoint ptArrow = ScreenRect(pArrow).CenterPoint();
    Click(ptArrow);
    EXPECT_TRUE(WaitFor([&] { return pGroups->GetScrollOffset() > 0; }));
    for (int i = 0; i < pGroups->GetCount(); ++i)
        EXPECT_FALSE(pGroups->GetAt(i)->GetControlGroupPopup()->GetPopuped()) << pGroups->GetAt(i)->GetCaption();
    EXPECT_EQ(-1, m_pRibbon->GetPopuped());
}

// The wheel turned over the ribbon steps the selected tab, to the right when turned towards the user; it stops at
// the last tab.
TEST_F(KitHostRibbonInputTest, TheWheelOverTheRibbonStepsTheSelectedTab)
{
    MoveMouse(TabCentre(0));
    const struct {
        int nDelta;
        int nTab;
    } steps[] = {{-WHEEL_DELTA, 1}, {-WHEEL_DELTA, 2}, {-WHEEL_DELTA, 2}, {WHEEL_DELTA, 1}};
    for (const auto& step : steps) {
        Wheel(step.nDelta);
        EXPECT_TRUE(WaitFor([&] { return m_pRibbon->GetSelectedTab() == Tab(step.nTab); }))
            << "delta " << step.nDelta << " to tab " << step.nTab;
    }
}

// Resting the mouse on a tab shortened for want of room shows its tooltip. kithost's own tabs never shorten before
// the ribbon hides, so the Insert tab takes a long caption.
TEST_F(KitHostRibbonInputTest, HoveringATabShowsItsTooltip)
{
    Tab(1)->SetCaption("&Insert tables, pictures, charts, dates and links");
    const int nWidth = NarrowUntil(kNarrowWidth, [&] { return Tab(1)->GetLength() < Tab(1)->GetFullLength(); });
    ASSERT_GT(nWidth, 0) << "the tab shortens";
    MoveMouse(TabCentre(1) + CPoint(1, 0));
    MoveMouse(TabCentre(1));
    HWND hTip = nullptr;
    EXPECT_TRUE(WaitFor([&] {
        hTip = nullptr;
        for (HWND hWnd = ::FindWindowExA(nullptr, nullptr, "tooltips_class32", nullptr); hWnd != nullptr;
             hWnd = ::FindWindowExA(nullptr, hWnd, "tooltips_class32", nullptr))
            if (::IsWindowVisible(hWnd))
                hTip = hWnd;
        return hTip != nullptr;
    })) << "a tooltip over the Insert tab";
    if (hTip != nullptr) {
        CRect rcCommon;
        CRect rcTab = Tab(1)->GetRect();
        m_pRibbon->ClientToScreen(&rcTab);
        rcTab.InflateRect(0, 40);
        EXPECT_TRUE(rcCommon.IntersectRect(ScreenRect(hTip), rcTab)) << "by the tab";
    }
}

} // namespace

// Buttons and popups driven with the mouse on a toolbar drawn by the default theme: the press loop,
// repeating buttons, buttons in menus, split buttons; build/screens/commandbar-split-popup.png.
#include "support/message_pump.h"
#include "support/window_capture.h"
#include "support/window_screenshot.h"
#include "themed_toolbar.h"
#include "toolkit/commandbars/command_bar.h"
#include "toolkit/commandbars/menu_bar.h"
#include "toolkit/commandbars/popup_bar.h"
#include "toolkit/commandbars/command_bar_manager.h"
#include "toolkit/commandbars/control.h"
#include "toolkit/commandbars/controls.h"
#include "toolkit/themes/paint/paint_manager.h"

#include "framework/wnd.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

constexpr UINT kSaveId = 41001;
constexpr UINT kExportId = 41002;
constexpr UINT kCsvId = 41003;
constexpr UINT kXmlId = 41004;
constexpr UINT kZoomId = 41005;

// A frame that records the commands it receives, with the time of each.
class CCommandSite : public CWnd {
public:
    CCommandSite()
    {
        CreateEx(0, "STATIC", "Command bar buttons",
                 WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_VISIBLE, 40, 40, 360, 160, nullptr, 0);
    }
    ~CCommandSite() override { DestroyWindow(); }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_COMMAND) {
            m_commands.push_back(LOWORD(wParam));
            m_times.push_back(::GetTickCount());
            if (m_commands.size() == m_nPostAfter && m_pfnPostAfter)
                m_pfnPostAfter();
        }
        if (message == WM_KIT_CONTROL_NOTIFY) {
            const auto* pRecord = reinterpret_cast<const NMKITCONTROL*>(lParam);
            m_notified.push_back(static_cast<UINT>(pRecord->hdr.idFrom));
            return m_nNotifyAnswer;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }

    std::vector<UINT> m_commands;
    std::vector<DWORD> m_times;
    std::vector<UINT> m_notified;
    LRESULT m_nNotifyAnswer = 0;
    // Called when the command of that count arrives: it posts what the test's mouse does next. Posted
    // messages come before the next timer's, so what follows does not depend on the machine's speed.
    size_t m_nPostAfter = 0;
    std::function<void()> m_pfnPostAfter;
};

// A toolbar across the top of the site, laid out by the default theme.
class ButtonTest : public testing::Test {
protected:
    void SetUp() override
    {
        m_pBar = AddThemedToolBar(m_manager, &m_site, 340, 30);
    }

    void TearDown() override
    {
        m_pBar->LeaveTrackingMode();
        m_manager.RemoveAll();
        PumpMessages();
        CKitPaintManager::Done();
    }

    CKitControl* Add(CKitControl* pControl, LPCSTR lpszCaption, UINT nId)
    {
        m_pBar->GetControls()->Add(pControl, nId);
        pControl->SetCaption(lpszCaption);
        pControl->SetStyle(kitButtonCaption);
        m_pBar->CalcLayout(340);
        return pControl;
    }

    // A split button whose menu holds two items.
    CKitControlPopup* AddSplit()
    {
        auto* pSplit =
            static_cast<CKitControlPopup*>(Add(new CKitControlPopup(kitControlSplitButtonPopup), "Export", kExportId));
        auto* pMenu = new CKitPopupBar();
        pMenu->GetControls()->Add(kitControlButton, kCsvId)->SetCaption("As &CSV");
        pMenu->GetControls()->Add(kitControlButton, kXmlId)->SetCaption("As &XML");
        pSplit->SetCommandBar(pMenu);
        return pSplit;
    }

    void Post(UINT message, CPoint pt)
    {
        m_pBar->PostMessage(message, message == WM_MOUSEMOVE ? MK_LBUTTON : 0, MAKELPARAM(pt.x, pt.y));
    }
    // The left button goes down at the point, with the real pointer there too (the moves the
    // system makes up during the press loop then land on the button, as for a real press);
    // messages posted before are what the press loop sees.
    void Press(CPoint pt)
    {
        CPoint ptScreen = pt;
        m_pBar->ClientToScreen(&ptScreen);
        ::SetCursorPos(ptScreen.x, ptScreen.y);
        m_pBar->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    }

    CCommandSite m_site;
    CKitCommandBarManager m_manager;
    CKitToolBar* m_pBar = nullptr;
};

// Posts a message to the bar when the site's timer fires.
struct TimedPost {
    HWND hBar;
    UINT message;
    CPoint pt;
};
std::vector<TimedPost> g_timedPosts;

void CALLBACK PostTimedMessage(HWND hWnd, UINT, UINT_PTR nIDEvent, DWORD)
{
    ::KillTimer(hWnd, nIDEvent);
    const TimedPost& post = g_timedPosts[nIDEvent - 1];
    ::PostMessageA(post.hBar, post.message, post.message == WM_MOUSEMOVE ? MK_LBUTTON : 0,
                   MAKELPARAM(post.pt.x, post.pt.y));
}

} // namespace

TEST_F(ButtonTest, AToolbarButtonExecutesOnlyWhenReleasedInside)
{
    CKitControl* pSave = Add(new CKitControlButton(), "&Save", kSaveId);
    const CRect rc = pSave->GetRect();
    const CPoint ptInside = rc.CenterPoint();
    const CPoint ptOutside(rc.right + 40, rc.bottom + 40);

    struct Case {
        const char* pszName;
        std::vector<CPoint> moves;
        CPoint ptRelease;
        size_t nCommands;
    };
    const Case cases[] = {
        {"released inside", {}, ptInside, 1},
        {"moved out and released outside", {ptOutside}, ptOutside, 0},
        {"moved out, released over the button without a move", {ptOutside}, ptInside, 0},
        {"moved out and back", {ptOutside, ptInside}, ptInside, 1},
    };
    for (const Case& c : cases) {
        m_site.m_commands.clear();
        for (CPoint pt : c.moves)
            Post(WM_MOUSEMOVE, pt);
        Post(WM_LBUTTONUP, c.ptRelease);
        Press(ptInside);
        EXPECT_EQ(c.nCommands, m_site.m_commands.size()) << c.pszName;
        EXPECT_EQ(nullptr, ::GetCapture()) << c.pszName;
        EXPECT_EQ(0, pSave->GetPressed()) << c.pszName;
        EXPECT_EQ(0, pSave->GetSelected()) << c.pszName;
    }

    // The site hears of the command first; a non-zero answer takes it.
    EXPECT_EQ(std::vector<UINT>(2, kSaveId), m_site.m_notified);
    m_site.m_commands.clear();
    m_site.m_nNotifyAnswer = 1;
    Post(WM_LBUTTONUP, ptInside);
    Press(ptInside);
    EXPECT_TRUE(m_site.m_commands.empty());

    // A disabled button does not even capture the mouse.
    m_site.m_nNotifyAnswer = 0;
    pSave->SetEnabled(0);
    Post(WM_LBUTTONUP, ptInside);
    Press(ptInside);
    PumpMessages();
    EXPECT_TRUE(m_site.m_commands.empty());
}

TEST_F(ButtonTest, ARepeatingButtonSendsAtOnceAndWhileHeldInside)
{
    CKitControl* pZoom = Add(new CKitControlButton(), "Zoom", kZoomId);
    pZoom->SetExecuteOnPressInterval(100);
    const CPoint ptInside = pZoom->GetRect().CenterPoint();
    const CPoint ptOutside(ptInside.x, ptInside.y + 60);
    const HWND hBar = m_pBar->GetSafeHwnd();

    // Released at once: one command, on the press.
    Post(WM_LBUTTONUP, ptInside);
    Press(ptInside);
    EXPECT_EQ(std::vector<UINT>{kZoomId}, m_site.m_commands);

    // Held inside: then about every 100 ms; the release after the fourth adds nothing. A mouse-leave
    // reaching the bar meanwhile (its window inactive) does not stop the repeats.
    m_site.m_commands.clear();
    m_site.m_times.clear();
    m_pBar->PostMessage(WM_MOUSELEAVE);
    m_site.m_nPostAfter = 4;
    m_site.m_pfnPostAfter = [&] { Post(WM_LBUTTONUP, ptInside); };
    Press(ptInside);
    ASSERT_EQ(4u, m_site.m_commands.size());
    EXPECT_GE(m_site.m_times[1] - m_site.m_times[0], 80u);
    EXPECT_EQ(0, pZoom->GetPressed());
    // The held-back leave reaches the bar after the press.
    MSG msg;
    EXPECT_TRUE(::PeekMessageA(&msg, hBar, WM_MOUSELEAVE, WM_MOUSELEAVE, PM_REMOVE));

    // Moved out after the second: the repeats stop there, though the button is released only later.
    m_site.m_commands.clear();
    g_timedPosts = {{hBar, WM_LBUTTONUP, ptOutside}};
    m_site.m_nPostAfter = 2;
    m_site.m_pfnPostAfter = [&] {
        CPoint ptScreen = ptOutside;
        m_pBar->ClientToScreen(&ptScreen);
        ::SetCursorPos(ptScreen.x, ptScreen.y);
        Post(WM_MOUSEMOVE, ptOutside);
        m_site.SetTimer(1, 400, PostTimedMessage);
    };
    Press(ptInside);
    EXPECT_EQ(2u, m_site.m_commands.size());
    m_site.m_pfnPostAfter = nullptr;
}

TEST_F(ButtonTest, InAMenuAButtonExecutesOnButtonUp)
{
    CKitControlPopup* pSplit = AddSplit();
    ASSERT_TRUE(m_pBar->OpenPopupAt(pSplit->GetIndex(), FALSE));
    auto* pMenu = static_cast<CKitPopupBar*>(pSplit->GetCommandBar());
    ASSERT_TRUE(pMenu->IsVisible());
    CKitControl* pCsv = pMenu->GetControl(0);
    const CPoint pt = pCsv->GetRect().CenterPoint();

    pMenu->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    EXPECT_TRUE(m_site.m_commands.empty());
    EXPECT_TRUE(pMenu->IsVisible());
    pMenu->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
    EXPECT_EQ(std::vector<UINT>{kCsvId}, m_site.m_commands);
    // The command closed the menus.
    EXPECT_FALSE(pMenu->IsVisible());
    EXPECT_EQ(-1, m_pBar->GetPopuped());
    EXPECT_FALSE(pSplit->GetPopuped());
    EXPECT_FALSE(m_pBar->IsTrackingMode());
}

TEST_F(ButtonTest, ASplitButtonExecutesFromItsCommandPartAndOpensFromItsArrow)
{
    Add(new CKitControlButton(), "&Save", kSaveId);
    CKitControlPopup* pSplit = AddSplit();
    const CRect rc = pSplit->GetRect();
    const CRect rcCommand = CKitPaintManager::Instance()->GetSplitButtonCommandRect(pSplit);
    ASSERT_LT(rcCommand.right, rc.right);
    const CPoint ptCommand = rcCommand.CenterPoint();
    const CPoint ptArrow(rc.right - 3, rc.CenterPoint().y);

    Post(WM_LBUTTONUP, ptCommand);
    Press(ptCommand);
    EXPECT_EQ(std::vector<UINT>{kExportId}, m_site.m_commands);
    EXPECT_EQ(-1, m_pBar->GetPopuped());

    // The arrow opens the menu under the button; nothing executes.
    m_site.m_commands.clear();
    Press(ptArrow);
    m_pBar->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(ptArrow.x, ptArrow.y));
    EXPECT_TRUE(m_site.m_commands.empty());
    EXPECT_EQ(pSplit->GetIndex(), m_pBar->GetPopuped());
    EXPECT_TRUE(pSplit->GetPopuped());
    auto* pMenu = static_cast<CKitPopupBar*>(pSplit->GetCommandBar());
    ASSERT_TRUE(pMenu->IsVisible());
    CRect rcMenu;
    pMenu->GetWindowRect(&rcMenu);
    CRect rcSplit = rc;
    m_pBar->ClientToScreen(&rcSplit);
    // The default theme widens the button's rectangle by a pixel on each side for the menu to avoid.
    EXPECT_EQ(rcSplit.left - 1, rcMenu.left);
    EXPECT_GE(rcMenu.top, rcSplit.bottom - 1);
    EXPECT_EQ(2, pMenu->GetControlCount());
    EXPECT_GT(pMenu->GetControl(1)->GetRect().top, pMenu->GetControl(0)->GetRect().top);

    // The selection moves into the menu from the keyboard, and a second click on the arrow closes it.
    pMenu->SetSelected(0, kitSelectKeyboard);
    PumpMessages();
    pMenu->UpdateWindow();
    m_site.UpdateWindow();
    // The site with the open menu below the toolbar.
    CRect rcShot;
    m_site.GetWindowRect(&rcShot);
    rcShot.UnionRect(rcShot, rcMenu);
    const WindowImage shot = CaptureScreenRect(rcShot);
    EXPECT_EQ("", SaveScreenshot("commandbar-split-popup", shot.width, shot.height, shot.pixels));
    Press(ptArrow);
    EXPECT_FALSE(pMenu->IsVisible());
    EXPECT_EQ(-1, m_pBar->GetPopuped());

    // With the arrow part disabled the menu does not open, and the command part still runs.
    pSplit->SetEnabled(kitSplitDropDownDisabled);
    Press(ptArrow);
    EXPECT_FALSE(pMenu->IsVisible());
}

TEST_F(ButtonTest, OpenPopupsFollowTheSelectionAndHoverOpensSubMenus)
{
    CKitControlPopup* pFirst = AddSplit();
    pFirst->SetType(kitControlPopup);
    auto* pSecond = static_cast<CKitControlPopup*>(Add(new CKitControlPopup(), "&View", 0));
    auto* pViewMenu = new CKitPopupBar();
    auto* pZoom = static_cast<CKitControlPopup*>(pViewMenu->GetControls()->Add(kitControlPopup, 0));
    pZoom->SetCaption("&Zoom");
    auto* pZoomMenu = new CKitPopupBar();
    pZoomMenu->GetControls()->Add(kitControlButton, kZoomId)->SetCaption("&In");
    pZoom->SetCommandBar(pZoomMenu);
    pSecond->SetCommandBar(pViewMenu);
    m_pBar->CalcLayout(340);

    // While one menu is open, selecting the next popup moves the open menu along.
    ASSERT_TRUE(m_pBar->OpenPopupAt(0, TRUE));
    m_pBar->SetSelected(1, kitSelectKeyboard);
    EXPECT_EQ(1, m_pBar->GetPopuped());
    EXPECT_FALSE(pFirst->GetPopuped());
    EXPECT_FALSE(pFirst->GetCommandBar()->IsVisible());
    ASSERT_TRUE(pViewMenu->IsVisible());

    // Hovering over a sub-menu item opens it beside the menu; leaving tracking closes them all.
    pViewMenu->SetSelected(0, kitSelectMouse);
    pZoom->OnMouseHover();
    EXPECT_TRUE(pZoomMenu->IsVisible());
    CRect rcView;
    CRect rcZoom;
    pViewMenu->GetWindowRect(&rcView);
    pZoomMenu->GetWindowRect(&rcZoom);
    // Beside the item, over the menu's border at the most.
    EXPECT_GE(rcZoom.left, rcView.right - 6);
    EXPECT_LT(rcZoom.top, rcView.top + pZoom->GetRect().bottom);
    EXPECT_EQ(m_pBar, pZoomMenu->GetRootParent());
    m_pBar->LeaveTrackingMode();
    EXPECT_FALSE(pViewMenu->IsVisible());
    EXPECT_FALSE(pZoomMenu->IsVisible());
}

TEST_F(ButtonTest, ControlsAnswerAccessibilityClients)
{
    CKitControl* pSave = Add(new CKitControlButton(), "&Save\tCtrl+S", kSaveId);
    CKitControlPopup* pSplit = AddSplit();
    m_pBar->ShowWindow(SW_SHOW);
    IAccessible* pAccessible = pSave->GetAccessibleInterface();
    VARIANT self;
    ::VariantInit(&self);

    BSTR bstr = nullptr;
    ASSERT_EQ(S_OK, pAccessible->get_accName(self, &bstr));
    EXPECT_STREQ(L"Save\tCtrl+S", bstr);
    ::SysFreeString(bstr);
    ASSERT_EQ(S_OK, pAccessible->get_accKeyboardShortcut(self, &bstr));
    EXPECT_STREQ(L"S", bstr);
    ::SysFreeString(bstr);
    ASSERT_EQ(S_OK, pAccessible->get_accDefaultAction(self, &bstr));
    EXPECT_STREQ(L"Click", bstr);
    ::SysFreeString(bstr);

    struct Case {
        CKitControl* pControl;
        long nRole;
        long nState;
    };
    pSave->SetChecked(1);
    m_pBar->SetSelected(pSave->GetIndex(), kitSelectMouse);
    const Case cases[] = {
        {pSave, ROLE_SYSTEM_PUSHBUTTON,
         STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_CHECKED | STATE_SYSTEM_SELECTED | STATE_SYSTEM_FOCUSED |
             STATE_SYSTEM_HOTTRACKED},
        {pSplit, ROLE_SYSTEM_BUTTONMENU, STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_HASPOPUP},
        {pSplit->GetCommandBar()->GetControl(0), ROLE_SYSTEM_MENUITEM, STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_INVISIBLE},
    };
    for (const Case& c : cases) {
        VARIANT role;
        VARIANT state;
        ASSERT_EQ(S_OK, c.pControl->GetAccessibleInterface()->get_accRole(self, &role));
        ASSERT_EQ(S_OK, c.pControl->GetAccessibleInterface()->get_accState(self, &state));
        EXPECT_EQ(c.nRole, role.lVal) << c.pControl->GetCaption();
        EXPECT_EQ(c.nState, state.lVal) << c.pControl->GetCaption();
    }

    // Where it is, what is under a point, and its default action runs it.
    long x = 0, y = 0, cx = 0, cy = 0;
    ASSERT_EQ(S_OK, pAccessible->accLocation(&x, &y, &cx, &cy, self));
    CRect rc = pSave->GetRect();
    m_pBar->ClientToScreen(&rc);
    EXPECT_EQ(rc, CRect(CPoint(x, y), CSize(cx, cy)));
    VARIANT hit;
    EXPECT_EQ(S_OK, pAccessible->accHitTest(x + 1, y + 1, &hit));
    EXPECT_EQ(CHILDID_SELF, hit.lVal);
    EXPECT_EQ(S_FALSE, pAccessible->accHitTest(x - 1, y, &hit));
    m_pBar->SetSelected(-1, kitSelectMouse);
    EXPECT_EQ(S_OK, pAccessible->accDoDefaultAction(self));
    EXPECT_EQ(std::vector<UINT>{kSaveId}, m_site.m_commands);
}

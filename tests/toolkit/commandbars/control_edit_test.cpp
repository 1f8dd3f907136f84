// The command-bar edit on a toolbar: its edit window, spin steps and held spins, the hint, Escape, the buddy button,
// the context menu (build/screens/commandbar-edit-menu.png) and the watcher of the shell's suggestion list.
#include "field_test_site.h"

#include "framework/ids.h"
#include "support/window_capture.h"
#include "support/window_screenshot.h"
#include "toolkit/commandbars/auto_complete.h"
#include "toolkit/commandbars/mouse_manager.h"
#include "toolkit/commandbars/keyboard_manager.h"
#include "toolkit/commandbars/popup_bar.h"

#include <cstring>
#include <string>

namespace {

constexpr UINT kEditId = 42101;

DWORD g_dwNow = 0;
DWORD FakeClock()
{
    return g_dwNow;
}

// Puts the text on the clipboard, or empties it for null.
void SetClipboardText(const char* text)
{
    ASSERT_TRUE(::OpenClipboard(nullptr));
    ::EmptyClipboard();
    if (text != nullptr) {
        const size_t nSize = std::strlen(text) + 1;
        HGLOBAL hText = ::GlobalAlloc(GMEM_MOVEABLE, nSize);
        std::memcpy(::GlobalLock(hText), text, nSize);
        ::GlobalUnlock(hText);
        ::SetClipboardData(CF_TEXT, hText);
    }
    ::CloseClipboard();
}

std::string GetClipboardText()
{
    std::string text;
    if (!::OpenClipboard(nullptr))
        return text;
    if (HANDLE hText = ::GetClipboardData(CF_TEXT)) {
        text = static_cast<const char*>(::GlobalLock(hText));
        ::GlobalUnlock(hText);
    }
    ::CloseClipboard();
    return text;
}

// The binding of the shell's completion as the test wants it: the windows and flags asked, the answer given.
struct FakeBinder {
    static HRESULT Bind(HWND hEdit, DWORD dwFlags)
    {
        s_calls.push_back({hEdit, dwFlags});
        return s_hr;
    }
    static std::vector<std::pair<HWND, DWORD>> s_calls;
    static HRESULT s_hr;
};
std::vector<std::pair<HWND, DWORD>> FakeBinder::s_calls;
HRESULT FakeBinder::s_hr = S_OK;

class EditTest : public FieldTest {
protected:
    void SetUp() override
    {
        FieldTest::SetUp();
        m_pEdit = static_cast<CKitControlEdit*>(m_pBar->GetControls()->Add(new CKitControlEdit(), kEditId));
        m_pEdit->SetWidth(150);
    }

    void TearDown() override
    {
        CKitControlEdit::SetClock(nullptr);
        CKitControlComboBoxAutoCompleteWnd::SetBinder(nullptr);
        FieldTest::TearDown();
    }

    CString WindowText() const { return m_pEdit->GetEditCtrl()->GetText(); }

    CKitControlEdit* m_pEdit = nullptr;
};

} // namespace

// A spin moves to the next multiple of the step in its direction; the site sees the step first and may cancel.
TEST_F(EditTest, ASpinStepsToTheNextMultipleOfItsStep)
{
    struct Case {
        const char* text;
        int step;
        int direction;
        const char* expected;
    };
    const Case cases[] = {
        {"7", 5, 1, "15"}, {"7", 5, -1, "0"}, {"7", 1, 1, "8"},    {"7", 1, -1, "6"},
        {"", 5, 1, "5"},   {"-3", 5, 1, "5"}, {"12ab", 1, 1, "13"}, {"10", 5, 1, "15"},
    };
    Layout();
    for (const Case& c : cases) {
        m_pEdit->SetEditText(c.text);
        EXPECT_TRUE(m_pEdit->Spin(c.step, c.direction));
        EXPECT_STREQ(c.expected, m_pEdit->GetEditText()) << c.text << " by " << c.step * c.direction;
        EXPECT_STREQ(c.expected, WindowText()) << c.text;
    }
    EXPECT_EQ(static_cast<int>(std::size(cases)), m_site.Count(kitEditNotifySpinned));
    EXPECT_EQ(5, m_site.m_steps[0]);

    m_site.m_nSpinAnswer = 1;
    m_pEdit->SetEditText("7");
    EXPECT_FALSE(m_pEdit->Spin(5, 1));
    EXPECT_STREQ("7", m_pEdit->GetEditText());
}

// Held spins speed up after two and five units of 1024 ms; leaving the button pauses and restarts the clock.
TEST_F(EditTest, AHeldSpinSpeedsUp)
{
    EXPECT_EQ(1, CKitControlEdit::GetSpinStep(0));
    EXPECT_EQ(1, CKitControlEdit::GetSpinStep(2047));
    EXPECT_EQ(5, CKitControlEdit::GetSpinStep(2048));
    EXPECT_EQ(5, CKitControlEdit::GetSpinStep(5119));
    EXPECT_EQ(20, CKitControlEdit::GetSpinStep(5120));

    CKitControlEdit::SetClock(&FakeClock);
    m_pEdit->ShowSpinButtons(TRUE);
    Layout();
    m_pEdit->SetEditText("0");
    g_dwNow = 10000;
    m_pEdit->BeginSpinHold(kitEditSpinUp);
    EXPECT_STREQ("1", m_pEdit->GetEditText());
    EXPECT_EQ(kitEditSpinUp, m_pEdit->GetPressed());
    g_dwNow += 1000;
    m_pEdit->OnSpinTick();
    EXPECT_STREQ("2", m_pEdit->GetEditText());
    // 2 + 5 rounds on to 10; 10 + 20 on to 40.
    g_dwNow = 10000 + 2100;
    m_pEdit->OnSpinTick();
    EXPECT_STREQ("10", m_pEdit->GetEditText());
    g_dwNow = 10000 + 5200;
    m_pEdit->OnSpinTick();
    EXPECT_STREQ("40", m_pEdit->GetEditText());
    EXPECT_EQ(20, m_site.m_steps.back());

    m_pEdit->SetSpinHoldInside(FALSE);
    m_pEdit->OnSpinTick();
    EXPECT_STREQ("40", m_pEdit->GetEditText());
    EXPECT_EQ(0, m_pEdit->GetPressed());
    g_dwNow += 3000;
    m_pEdit->SetSpinHoldInside(TRUE);
    g_dwNow += 500;
    m_pEdit->OnSpinTick();
    EXPECT_STREQ("41", m_pEdit->GetEditText());
    m_pEdit->EndSpinHold();
    EXPECT_FALSE(m_pEdit->OnSpinTick());
}

// A click on the upper spin button spins once; Up and Down keys spin while focused.
TEST_F(EditTest, TheSpinButtonsAndArrowKeysSpin)
{
    m_pEdit->ShowSpinButtons(TRUE);
    Layout();
    m_pEdit->SetEditText("7");
    const CRect rcSpin = m_pEdit->GetSpinButtonsRect();
    ASSERT_FALSE(rcSpin.IsRectEmpty());
    const CPoint ptUp(rcSpin.CenterPoint().x, rcSpin.top + 2);
    m_pBar->PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(ptUp.x, ptUp.y));
    m_pBar->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(ptUp.x, ptUp.y));
    EXPECT_STREQ("8", m_pEdit->GetEditText());
    EXPECT_EQ(0, m_pEdit->GetPressed());

    m_pEdit->SetFocused(TRUE);
    EXPECT_EQ(CKitHookManagerHookAble::kHandled, m_pEdit->OnHookKeyDown(VK_DOWN, 0));
    EXPECT_EQ(CKitHookManagerHookAble::kHandled, m_pEdit->OnHookKeyDown(VK_DOWN, 0));
    EXPECT_STREQ("6", m_pEdit->GetEditText());
    m_pEdit->SetReadOnly(TRUE);
    EXPECT_EQ(CKitHookManagerHookAble::kNotHandled, m_pEdit->OnHookKeyDown(VK_UP, 0));
    EXPECT_STREQ("6", m_pEdit->GetEditText());
}

// Escape restores the text present when focus arrived and gives the focus back.
TEST_F(EditTest, EscapeRestoresTheTextOfTheFocusArrival)
{
    Layout();
    ASSERT_TRUE(m_pEdit->HasWindow());
    m_pEdit->SetEditText("42");
    m_site.SetFocus();
    m_pEdit->SetFocused(TRUE);
    PumpMessages();
    EXPECT_EQ(m_pEdit->GetEditCtrl()->GetSafeHwnd(), ::GetFocus());
    EXPECT_EQ(1, m_site.Count(kitEditNotifySetFocus));

    m_pEdit->GetEditCtrl()->SetWindowText("99");
    EXPECT_STREQ("99", m_pEdit->GetEditText());
    EXPECT_EQ(1, m_site.Count(kitEditNotifyChange));
    m_pEdit->OnHookKeyDown(VK_ESCAPE, 0);
    EXPECT_STREQ("42", m_pEdit->GetEditText());
    EXPECT_STREQ("42", WindowText());
    EXPECT_FALSE(m_pEdit->IsFocused());
    EXPECT_EQ(m_site.GetSafeHwnd(), ::GetFocus());
    EXPECT_EQ(1, m_site.Count(kitEditNotifyKillFocus));
}

// An empty, unfocused edit shows its hint in its window and reports an empty text; focus clears the hint.
TEST_F(EditTest, AnEmptyUnfocusedEditShowsItsHint)
{
    CKitControlEdit loose;
    loose.SetEditHint("Find");
    EXPECT_TRUE(loose.IsHintShown());
    EXPECT_STREQ("", loose.GetEditText());

    m_pEdit->SetEditHint("Find");
    Layout();
    EXPECT_TRUE(m_pEdit->IsHintShown());
    EXPECT_STREQ("Find", WindowText());
    EXPECT_STREQ("", m_pEdit->GetEditText());

    m_site.SetFocus();
    m_pEdit->SetFocused(TRUE);
    PumpMessages();
    EXPECT_FALSE(m_pEdit->IsHintShown());
    EXPECT_STREQ("", WindowText());
    m_pEdit->GetEditCtrl()->SetWindowText("abc");
    m_site.SetFocus();
    PumpMessages();
    EXPECT_FALSE(m_pEdit->IsFocused());
    EXPECT_STREQ("abc", m_pEdit->GetEditText());
    EXPECT_FALSE(m_pEdit->IsHintShown());

    m_pEdit->SetEditText("");
    EXPECT_TRUE(m_pEdit->IsHintShown());
    EXPECT_STREQ("Find", WindowText());
    EXPECT_STREQ("", m_pEdit->GetEditText());
}

// The buddy button notifies when released over it, not when the pointer left it.
TEST_F(EditTest, TheBuddyButtonNotifiesWhenReleasedOverIt)
{
    m_pEdit->SetBuddyButtonId(kEditId);
    Layout();
    const CRect rcBuddy = m_pEdit->GetBuddyButtonRect();
    ASSERT_FALSE(rcBuddy.IsRectEmpty());
    CRect rcWindow;
    m_pEdit->GetEditCtrl()->GetWindowRect(&rcWindow);
    m_pBar->ScreenToClient(&rcWindow);
    EXPECT_LE(rcWindow.right, rcBuddy.left);

    const CPoint pt = rcBuddy.CenterPoint();
    m_pBar->PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
    m_pBar->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    EXPECT_EQ(1, m_site.Count(kitEditNotifyBuddyClick));

    m_pBar->PostMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(2, 2));
    m_pBar->PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    m_pBar->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    EXPECT_EQ(1, m_site.Count(kitEditNotifyBuddyClick));
}

// Cut and Copy need a selection, Cut and Paste a writable window, Paste text on the clipboard; the commands reach
// the window.
TEST_F(EditTest, TheContextMenuOffersWhatTheWindowCanDo)
{
    Layout();
    CKitCommandBarEditCtrl* pWindow = m_pEdit->GetEditCtrl();
    ASSERT_NE(nullptr, pWindow);
    struct Case {
        int nSelEnd;
        BOOL bReadOnly;
        const char* clipboard;
        BOOL bCut, bCopy, bPaste;
    };
    const Case cases[] = {
        {3, FALSE, "x", TRUE, TRUE, TRUE},   {0, FALSE, "x", FALSE, FALSE, TRUE},
        {3, TRUE, "x", FALSE, TRUE, FALSE},  {3, FALSE, nullptr, TRUE, TRUE, FALSE},
    };
    for (const Case& c : cases) {
        m_pEdit->SetEditText("Bay 1");
        m_pEdit->SetReadOnly(c.bReadOnly);
        pWindow->SetSel(0, c.nSelEnd);
        SetClipboardText(c.clipboard);
        CKitPopupBar* pMenu = pWindow->CreateContextMenu(&m_manager);
        ASSERT_NE(nullptr, pMenu);
        ASSERT_EQ(3, pMenu->GetControlCount());
        const UINT ids[] = {ID_EDIT_CUT, ID_EDIT_COPY,
                            ID_EDIT_PASTE};
        const BOOL enabled[] = {c.bCut, c.bCopy, c.bPaste};
        const char* captions[] = {"Cut", "Copy", "Paste"};
        for (int i = 0; i < 3; i++) {
            EXPECT_EQ(ids[i], pMenu->GetControl(i)->GetId());
            EXPECT_STREQ(captions[i], pMenu->GetControl(i)->GetCaption());
            EXPECT_EQ(enabled[i], pMenu->GetControl(i)->IsEnabled() != 0) << captions[i] << " " << c.nSelEnd
                                                                           << c.bReadOnly;
        }
        pMenu->InternalRelease();
    }

    m_pEdit->SetReadOnly(FALSE);
    m_pEdit->SetEditText("Bay 12");
    pWindow->SetSel(4, 6);
    EXPECT_TRUE(pWindow->RunContextCommand(ID_EDIT_CUT));
    EXPECT_STREQ("Bay ", WindowText());
    EXPECT_EQ("12", GetClipboardText());
    pWindow->SetSel(0, 3);
    EXPECT_TRUE(pWindow->RunContextCommand(ID_EDIT_COPY));
    EXPECT_EQ("Bay", GetClipboardText());
    SetClipboardText("Bay 7");
    pWindow->SetSel(0, -1);
    EXPECT_TRUE(pWindow->RunContextCommand(ID_EDIT_PASTE));
    EXPECT_STREQ("Bay 7", WindowText());
    EXPECT_FALSE(pWindow->RunContextCommand(kEditId));
    SetClipboardText(nullptr);
}

namespace {
// The popup bars shown while a timer of the thread fires, then closed; the first is photographed over the site.
std::vector<int> g_shownMenus;
HWND g_hSite = nullptr;
std::string g_strScreenshot;
void CALLBACK CloseMenus(HWND, UINT, UINT_PTR nTimer, DWORD)
{
    ::KillTimer(nullptr, nTimer);
    CKitMouseManager* pMouse = CKitMouseManager::GetThreadManager();
    for (int i = 0; i < pMouse->GetTrackCount(); i++) {
        CKitCommandBar* pBar = pMouse->GetTrackAt(i);
        if (pBar->GetType() != kitBarTypePopup)
            continue;
        if (g_shownMenus.empty()) {
            pBar->UpdateWindow();
            CRect rcShot;
            CRect rcMenu;
            ::GetWindowRect(g_hSite, &rcShot);
            pBar->GetWindowRect(&rcMenu);
            rcShot.UnionRect(rcShot, rcMenu);
            const WindowImage shot = CaptureScreenRect(rcShot);
            g_strScreenshot = SaveScreenshot("commandbar-edit-menu", shot.width, shot.height, shot.pixels);
        }
        g_shownMenus.push_back(pBar->GetControlCount());
    }
    CKitMouseManager::GetThreadManager()->SendTrackLostAll();
}
} // namespace

// A right click on the window focuses the control and shows the menu of three commands; closing it runs none.
TEST_F(EditTest, ARightClickShowsTheContextMenu)
{
    Layout();
    m_pEdit->SetEditText("Bay 1");
    SetClipboardText("Bay 2");
    g_shownMenus.clear();
    g_hSite = m_site.GetSafeHwnd();
    ::SetTimer(nullptr, 0, 200, &CloseMenus);
    m_pEdit->GetEditCtrl()->SendMessage(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
    EXPECT_EQ(std::vector<int>{3}, g_shownMenus);
    EXPECT_EQ("", g_strScreenshot);
    SetClipboardText(nullptr);
    EXPECT_TRUE(m_pEdit->IsFocused());
    EXPECT_STREQ("Bay 1", WindowText());
}

// While customizing, a left click on the window is the control's (the window takes no focus) and a right click
// shows no field menu.
TEST_F(EditTest, CustomizingClicksOnTheWindowAreTheControls)
{
    Layout();
    const HWND hWindow = m_pEdit->GetEditCtrl()->GetSafeHwnd();
    m_manager.SetCustomizeMode(TRUE);
    ::SendMessageA(hWindow, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    ::SendMessageA(hWindow, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    PumpMessages();
    EXPECT_NE(hWindow, ::GetFocus());
    EXPECT_FALSE(m_pEdit->IsFocused());
    g_shownMenus.clear();
    const UINT_PTR nTimer = ::SetTimer(nullptr, 0, 200, &CloseMenus);
    ::SendMessageA(hWindow, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
    ::KillTimer(nullptr, nTimer);
    EXPECT_TRUE(g_shownMenus.empty());
    m_manager.SetCustomizeMode(FALSE);

    ::SendMessageA(hWindow, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    ::SendMessageA(hWindow, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    PumpMessages();
    EXPECT_EQ(hWindow, ::GetFocus());
}

// Completion flags bind the shell's completion to the window; a failed binding leaves no watcher.
TEST_F(EditTest, ShellCompletionFlagsBindTheWindow)
{
    CKitControlComboBoxAutoCompleteWnd::SetBinder(&FakeBinder::Bind);
    FakeBinder::s_calls.clear();
    FakeBinder::s_hr = S_OK;
    Layout();
    EXPECT_TRUE(FakeBinder::s_calls.empty()) << "no flags, no binding";
    m_pEdit->SetShellAutoCompleteFlags(0x10000001);
    ASSERT_EQ(1u, FakeBinder::s_calls.size());
    EXPECT_EQ(m_pEdit->GetEditCtrl()->GetSafeHwnd(), FakeBinder::s_calls[0].first);
    EXPECT_EQ(0x10000001u, FakeBinder::s_calls[0].second);
    EXPECT_NE(nullptr, m_pEdit->GetAutoCompleteWnd());

    FakeBinder::s_hr = E_FAIL;
    m_pEdit->SetShellAutoCompleteFlags(0x10000001);
    EXPECT_EQ(nullptr, m_pEdit->GetAutoCompleteWnd());
}

// While the edit has the focus the watcher notices the suggestion list showing: it is trusted, the site hears of
// it, and Down moves through its inner list; hidden, or with the focus gone, it is forgotten.
TEST_F(EditTest, TheWatcherFollowsTheSuggestionList)
{
    CKitControlComboBoxAutoCompleteWnd::SetBinder(&FakeBinder::Bind);
    FakeBinder::s_hr = S_OK;
    Layout();
    m_pEdit->SetShellAutoCompleteFlags(1);
    CKitControlComboBoxAutoCompleteWnd* pWatcher = m_pEdit->GetAutoCompleteWnd();
    ASSERT_NE(nullptr, pWatcher);
    m_pEdit->SetFocused(TRUE);
    PumpMessages();
    ASSERT_TRUE(pWatcher->IsHooked());

    WNDCLASSA wc = {};
    wc.lpfnWndProc = ::DefWindowProcA;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.lpszClassName = CKitControlComboBoxAutoCompleteWnd::kDropDownClass;
    ::RegisterClassA(&wc);
    const HWND hDropDown = ::CreateWindowExA(WS_EX_TOOLWINDOW, CKitControlComboBoxAutoCompleteWnd::kDropDownClass, "",
                                             WS_POPUP | WS_BORDER, 60, 120, 150, 80, nullptr, nullptr, nullptr, nullptr);
    ::CreateWindowExA(0, "SCROLLBAR", "", WS_CHILD | SBS_SIZEGRIP, 0, 0, 10, 10, hDropDown, nullptr, nullptr, nullptr);
    const HWND hList = ::CreateWindowExA(0, "LISTBOX", "", WS_CHILD | WS_VISIBLE, 0, 0, 150, 80, hDropDown, nullptr,
                                         nullptr, nullptr);
    for (const char* item : {"Bay 1", "Bay 2", "Bay 3"})
        ::SendMessageA(hList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    ::SendMessageA(hList, LB_SETCURSEL, 0, 0);

    MSG msg;
    while (::PeekMessageA(&msg, m_site.GetSafeHwnd(), CKitControlComboBoxAutoCompleteWnd::kMessageDropDownShown,
                          CKitControlComboBoxAutoCompleteWnd::kMessageDropDownShown, PM_REMOVE)) {
    }
    ::ShowWindow(hDropDown, SW_SHOWNOACTIVATE);
    EXPECT_EQ(hDropDown, pWatcher->GetDropDown());
    EXPECT_TRUE(CKitMouseManager::GetThreadManager()->IsPointInTrusted(CPoint(100, 150)));
    EXPECT_TRUE(::PeekMessageA(&msg, m_site.GetSafeHwnd(), CKitControlComboBoxAutoCompleteWnd::kMessageDropDownShown,
                               CKitControlComboBoxAutoCompleteWnd::kMessageDropDownShown, PM_REMOVE));
    EXPECT_EQ(CKitHookManagerHookAble::kHandled, m_pEdit->OnHookKeyDown(VK_DOWN, 0));
    EXPECT_EQ(1, ::SendMessageA(hList, LB_GETCURSEL, 0, 0));
    EXPECT_FALSE(pWatcher->ProcessKey(VK_LEFT));

    ::ShowWindow(hDropDown, SW_HIDE);
    EXPECT_EQ(nullptr, pWatcher->GetDropDown());
    EXPECT_FALSE(CKitMouseManager::GetThreadManager()->IsPointInTrusted(CPoint(100, 150)));
    ::ShowWindow(hDropDown, SW_SHOWNOACTIVATE);
    EXPECT_EQ(hDropDown, pWatcher->GetDropDown());

    // Left alone with the keyboard (the bar no longer tracking) it lets typed keys through.
    WPARAM wKey = 'A';
    LPARAM lKey = 0;
    LRESULT lResult = 0;
    EXPECT_EQ(CKitHookManagerHookAble::kNotHandled, pWatcher->OnHookMessage(nullptr, WM_KEYDOWN, wKey, lKey, lResult));
    m_pBar->LeaveTrackingMode();
    ASSERT_EQ(1, CKitKeyboardManager::GetThreadManager()->GetWatcherCount());
    EXPECT_EQ(CKitHookManagerHookAble::kStopAsking, pWatcher->OnHookMessage(nullptr, WM_KEYDOWN, wKey, lKey, lResult));

    m_pEdit->SetFocused(FALSE);
    m_site.SetFocus();
    PumpMessages();
    EXPECT_FALSE(pWatcher->IsHooked());
    EXPECT_EQ(nullptr, pWatcher->GetDropDown());
    ::DestroyWindow(hDropDown);
}

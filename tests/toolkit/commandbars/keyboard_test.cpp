// The keyboard while bars track: the keyboard manager's routing, Alt and deactivation closing the
// menus, and keyboard tips with their letters and translucency.
#include "support/held_keys.h"
#include "support/message_pump.h"
#include "toolkit/commandbars/command_bar.h"
#include "toolkit/commandbars/command_bar_manager.h"
#include "toolkit/commandbars/control.h"
#include "toolkit/commandbars/controls.h"
#include "toolkit/commandbars/keyboard_manager.h"
#include "toolkit/commandbars/keyboard_tip.h"
#include "toolkit/commandbars/mouse_manager.h"
#include "toolkit/commandbars/menu_bar.h"
#include "toolkit/commandbars/popup_bar.h"
#include "toolkit/themes/paint/paint_manager.h"

#include "framework/wnd.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

// Bits of a key message's lParam.
constexpr LPARAM kAltDown = 1 << 29;
constexpr LPARAM kRepeat = 1 << 30;
constexpr LPARAM kReleased = static_cast<LPARAM>(1u << 31);

// A watcher with a fixed answer that counts the keys it was asked about.
class CFixedWatcher : public CKitHookManagerHookAble {
public:
    explicit CFixedWatcher(int nAnswer) : m_nAnswer(nAnswer) {}
    int OnHookMessage(HWND hWnd, UINT nMessage, WPARAM&, LPARAM&, LRESULT&) override
    {
        EXPECT_EQ(nullptr, hWnd);
        EXPECT_EQ(static_cast<UINT>(WM_KEYDOWN), nMessage);
        m_nAsked++;
        return m_nAnswer;
    }
    int m_nAnswer;
    int m_nAsked = 0;
};

TEST(KitKeyboardManager, OffersKeysToTheNewestWatcherFirstAndEatsWhatNobodyLetsThrough)
{
    struct Case {
        const char* pszName;
        std::vector<int> answers;
        LPARAM lParam;
        BOOL bEaten;
        std::vector<int> asked;
    } const cases[] = {
        {"nobody claims the key", {0, 0}, 0, TRUE, {1, 1}},
        {"the newest lets it through", {1, 2}, 0, FALSE, {0, 1}},
        {"the newest eats it", {2, 1}, 0, TRUE, {0, 1}},
        {"the older eats it after a 0", {1, 0}, 0, TRUE, {1, 1}},
        {"a released key is not offered", {1}, kReleased, FALSE, {0}},
    };
    for (const Case& c : cases) {
        CKitKeyboardManager manager;
        std::vector<std::unique_ptr<CFixedWatcher>> watchers;
        for (int nAnswer : c.answers) {
            watchers.push_back(std::make_unique<CFixedWatcher>(nAnswer));
            manager.HookKeyboard(watchers.back().get());
        }
        manager.HookKeyboard(watchers.front().get());
        EXPECT_EQ(static_cast<int>(c.answers.size()), manager.GetWatcherCount()) << c.pszName;
        EXPECT_TRUE(manager.IsHooked()) << c.pszName;
        EXPECT_EQ(c.bEaten, manager.ProcessKeyboard(VK_F7, c.lParam)) << c.pszName;
        for (size_t i = 0; i < watchers.size(); i++)
            EXPECT_EQ(c.asked[i], watchers[i]->m_nAsked) << c.pszName << " watcher " << i;
        for (auto& pWatcher : watchers)
            manager.UnhookKeyboard(pWatcher.get());
        EXPECT_FALSE(manager.IsHooked()) << c.pszName;
    }
}

// A window standing for the application's window under the menus; it records the keys it gets.
class CKeySite : public CWnd {
public:
    CKeySite()
    {
        CreateEx(0, "STATIC", "Keys", WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE, 60, 60, 400, 200, nullptr, 0);
    }
    ~CKeySite() override { DestroyWindow(); }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_KEYDOWN || message == WM_SYSKEYDOWN)
            m_keys.push_back(static_cast<UINT>(wParam));
        if (message == WM_COMMAND)
            m_commands.push_back(LOWORD(wParam));
        return CWnd::WindowProc(message, wParam, lParam);
    }
    std::vector<UINT> m_keys;
    std::vector<UINT> m_commands;
};

class TrackingKeysTest : public testing::Test {
protected:
    void SetUp() override
    {
        CKitPaintManager::SetTheme(0);
        m_manager.SetSite(&m_site);
        m_manager.GetCommandBarsOptions()->bDisableIfNoHandler = FALSE;
        m_pPopup = CKitPopupBar::CreatePopupBar(&m_manager);
        m_pPopup->SetSite(&m_site);
        m_pPopup->GetControls()->Add(kitControlButton, 43001)->SetCaption("&Open");
        m_pPopup->GetControls()->Add(kitControlButton, 43002)->SetCaption("&Close");
    }
    void TearDown() override
    {
        m_manager.ClosePopups();
        m_pPopup->InternalRelease();
        PumpMessages();
        CKitPaintManager::Done();
    }

    CKeySite m_site;
    CKitCommandBarManager m_manager;
    CKitPopupBar* m_pPopup = nullptr;
};

TEST_F(TrackingKeysTest, AnOpenMenuRegistersWithTheKeyboardManagerAndKeepsUnhandledKeys)
{
    CKitKeyboardManager* pKeyboard = m_manager.GetKeyboardManager();
    ASSERT_TRUE(m_pPopup->PopupAt(120, 120));
    EXPECT_EQ(1, pKeyboard->GetWatcherCount());
    EXPECT_TRUE(pKeyboard->IsHooked());
    // A key no control takes is eaten, so the window below never sees it.
    EXPECT_TRUE(pKeyboard->ProcessKeyboard(VK_F7, 0));
    EXPECT_TRUE(m_pPopup->IsTrackingMode());

    // Through the thread's real keyboard hook.
    m_site.SetForegroundWindow();
    m_site.SetFocus();
    PumpMessages();
    INPUT inputs[2] = {};
    inputs[0].type = inputs[1].type = INPUT_KEYBOARD;
    inputs[0].ki.wVk = inputs[1].ki.wVk = VK_F7;
    inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
    ::SendInput(2, inputs, sizeof(INPUT));
    for (int i = 0; i < 10; i++) {
        ::Sleep(10);
        PumpMessages();
    }
    EXPECT_TRUE(m_site.m_keys.empty());

    m_manager.ClosePopups();
    EXPECT_EQ(0, pKeyboard->GetWatcherCount());
    EXPECT_FALSE(pKeyboard->IsHooked());
}

TEST_F(TrackingKeysTest, AltClosesEveryMenuAndIsEatenButItsRepeatsPass)
{
    CKitKeyboardManager* pKeyboard = m_manager.GetKeyboardManager();
    ASSERT_TRUE(m_pPopup->PopupAt(120, 120));
    EXPECT_FALSE(pKeyboard->ProcessKeyboard(VK_MENU, kAltDown | kRepeat));
    EXPECT_TRUE(m_pPopup->IsTrackingMode());
    EXPECT_TRUE(pKeyboard->ProcessKeyboard(VK_MENU, kAltDown));
    EXPECT_FALSE(m_pPopup->IsTrackingMode());
    EXPECT_EQ(nullptr, m_pPopup->GetSafeHwnd());

    // While a drag loop runs, Alt goes to the bars like any key.
    ASSERT_TRUE(m_pPopup->PopupAt(120, 120));
    CKitMouseManager::GetThreadManager()->SetModal(TRUE);
    pKeyboard->ProcessKeyboard(VK_MENU, kAltDown);
    CKitMouseManager::GetThreadManager()->SetModal(FALSE);
    EXPECT_TRUE(m_pPopup->IsTrackingMode());
}

TEST_F(TrackingKeysTest, LosingTheActivationToAnotherProgramClosesTheMenus)
{
    ASSERT_TRUE(m_pPopup->PopupAt(120, 120));
    m_site.SendMessage(WM_ACTIVATEAPP, TRUE, 0);
    EXPECT_TRUE(m_pPopup->IsTrackingMode());
    m_site.SendMessage(WM_ACTIVATEAPP, FALSE, 0);
    EXPECT_FALSE(m_pPopup->IsTrackingMode());
}

std::vector<std::string> DeriveTexts(const std::vector<const char*>& captions)
{
    std::vector<std::unique_ptr<CKitCommandBarKeyboardTip>> owned;
    std::vector<CKitCommandBarKeyboardTip*> tips;
    for (const char* pszCaption : captions) {
        owned.push_back(std::make_unique<CKitCommandBarKeyboardTip>(nullptr, nullptr, nullptr, pszCaption, CPoint(),
                                                                    0, TRUE));
        tips.push_back(owned.back().get());
    }
    KitDeriveKeyboardTipTexts(tips);
    std::vector<std::string> texts;
    for (CKitCommandBarKeyboardTip* pTip : tips)
        texts.push_back(static_cast<LPCSTR>(pTip->m_strText));
    return texts;
}

TEST(KitKeyboardTips, TipsThatBeginAlikeGetASecondLetterPreferablyALaterWordsInitial)
{
    struct Case {
        std::vector<const char*> captions;
        std::vector<std::string> texts;
    } const cases[] = {
        {{"Save All", "Save"}, {"SA", "SV"}},
        {{"&File", "&Edit", "&View"}, {"F", "E", "V"}},
        {{"&Print Preview", "Paste"}, {"PP", "PA"}},
        {{"E&xit", "Cut", "Copy"}, {"X", "CU", "CO"}},
        {{"Save", "Sa", "S"}, {"SA", "S1", "S2"}},
        {{"New", "&Next Page"}, {"NE", "NP"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.texts, DeriveTexts(c.captions)) << c.captions[0];
}

TEST(KitKeyboardTips, AnOwnTipStringOrAPrefixIsKept)
{
    CKitCommandBarKeyboardTip own(nullptr, nullptr, nullptr, "Save", CPoint(), 0, TRUE);
    own.m_strTip = "Q";
    CKitCommandBarKeyboardTip prefixed(nullptr, nullptr, nullptr, "Save As", CPoint(), 0, TRUE);
    prefixed.m_strPrefix = "Z";
    CKitCommandBarKeyboardTip plain(nullptr, nullptr, nullptr, "Stop", CPoint(), 0, TRUE);
    KitDeriveKeyboardTipTexts({&own, &prefixed, &plain});
    EXPECT_STREQ("Q", own.m_strText);
    EXPECT_STREQ("Z", prefixed.m_strText);
    EXPECT_STREQ("S", plain.m_strText);
}

TEST(KitKeyboardTips, AlignmentPlacesTheTipAroundItsPoint)
{
    struct Case {
        DWORD dwAlignment;
        BOOL bRtl;
        CRect rc;
    } const cases[] = {
        {0, FALSE, CRect(100, 50, 120, 65)},
        {CKitCommandBarKeyboardTip::kAlignCenterX | CKitCommandBarKeyboardTip::kAlignCenterY, FALSE,
         CRect(90, 43, 110, 58)},
        {CKitCommandBarKeyboardTip::kAlignRight | CKitCommandBarKeyboardTip::kAlignBottom, FALSE,
         CRect(80, 35, 100, 50)},
        {0, TRUE, CRect(80, 50, 100, 65)},
    };
    for (const Case& c : cases) {
        CKitCommandBarKeyboardTip tip(nullptr, nullptr, nullptr, "W", CPoint(100, 50), c.dwAlignment, TRUE);
        EXPECT_EQ(c.rc, tip.CalcTipRect(CSize(14, 8), c.bRtl)) << c.dwAlignment << c.bRtl;
    }
}

TEST_F(TrackingKeysTest, ABarShowsTipsForItsControlsAndADisabledOnesIsTranslucent)
{
    auto* pBar = new CKitToolBar();
    m_manager.AddCommandBar(pBar);
    pBar->SetPosition(kitBarTop);
    ASSERT_TRUE(pBar->CreateBar(&m_site));
    pBar->MoveWindow(0, 0, 380, 30);
    pBar->GetControls()->Add(kitControlButton, 43010)->SetCaption("Save All");
    pBar->GetControls()->Add(kitControlButton, 43011)->SetCaption("Save");
    CKitControl* pDisabled = pBar->GetControls()->Add(kitControlButton, 43012);
    pDisabled->SetCaption("&Print");
    pDisabled->SetStyle(kitButtonCaption);
    pBar->GetControl(0)->SetStyle(kitButtonCaption);
    pBar->GetControl(1)->SetStyle(kitButtonCaption);
    pBar->CalcLayout(380);
    pBar->OnUpdateCmdUI();
    pDisabled->SetEnabled(FALSE);

    pBar->ShowKeyboardTips();
    const std::vector<CKitCommandBarKeyboardTip*>& tips = m_manager.GetKeyboardTips();
    ASSERT_EQ(3u, tips.size());
    EXPECT_EQ(pBar, m_manager.GetKeyboardTipsBar());
    EXPECT_STREQ("SA", tips[0]->m_strText);
    EXPECT_STREQ("SV", tips[1]->m_strText);
    EXPECT_STREQ("P", tips[2]->m_strText);
    for (CKitCommandBarKeyboardTip* pTip : tips) {
        ASSERT_NE(nullptr, pTip->GetSafeHwnd());
        EXPECT_EQ(HTTRANSPARENT, pTip->SendMessage(WM_NCHITTEST, 0, 0));
    }
    // Anchored 12 pixels right of the control's left edge and 11 above its bottom.
    CPoint pt(pBar->GetControl(1)->GetRect().left + 12, pBar->GetControl(1)->GetRect().bottom - 11);
    pBar->ClientToScreen(&pt);
    CRect rcTip;
    tips[1]->GetWindowRect(&rcTip);
    EXPECT_EQ(pt, rcTip.TopLeft());

    EXPECT_EQ(0, tips[0]->GetExStyle() & WS_EX_LAYERED);
    ASSERT_NE(0, tips[2]->GetExStyle() & WS_EX_LAYERED);
    BYTE nAlpha = 0;
    DWORD dwFlags = 0;
    ASSERT_TRUE(::GetLayeredWindowAttributes(tips[2]->GetSafeHwnd(), nullptr, &nAlpha, &dwFlags));
    EXPECT_EQ(150, nAlpha);
    EXPECT_EQ(static_cast<DWORD>(LWA_ALPHA), dwFlags);

    m_manager.HideKeyboardTips();
    EXPECT_TRUE(m_manager.GetKeyboardTips().empty());
    EXPECT_EQ(nullptr, m_manager.GetKeyboardTipsBar());
    m_manager.RemoveAll();
}

// A toolbar whose last control's tip is made but not shown.
class CHiddenTipBar : public CKitToolBar {
public:
    void CreateKeyboardTips() override
    {
        CKitToolBar::CreateKeyboardTips();
        GetCommandBars()->GetKeyboardTips().back()->m_bVisible = FALSE;
    }
};

TEST_F(TrackingKeysTest, TypedLettersNarrowTheTipsAndTheCompletedOneRuns)
{
    auto* pBar = new CHiddenTipBar();
    m_manager.AddCommandBar(pBar);
    pBar->SetPosition(kitBarTop);
    ASSERT_TRUE(pBar->CreateBar(&m_site));
    pBar->MoveWindow(0, 0, 380, 30);
    for (const auto& button : {std::make_pair(43020u, "Save All"), std::make_pair(43021u, "Save"),
                               std::make_pair(43022u, "&Print"), std::make_pair(43023u, "&Quit")}) {
        CKitControl* pControl = pBar->GetControls()->Add(kitControlButton, button.first);
        pControl->SetCaption(button.second);
        pControl->SetStyle(kitButtonCaption);
    }
    pBar->CalcLayout(380);
    pBar->OnUpdateCmdUI();
    pBar->GetControl(2)->SetEnabled(FALSE);
    // The tips shown with a window.
    auto shown = [&] {
        std::vector<std::string> texts;
        for (CKitCommandBarKeyboardTip* pTip : m_manager.GetKeyboardTips())
            if (pTip->GetSafeHwnd() != nullptr)
                texts.push_back(static_cast<LPCSTR>(pTip->m_strText));
        return texts;
    };
    using Texts = std::vector<std::string>;
    struct Case {
        const char* pszName;
        std::vector<UINT> keys;
        Texts tips;
        std::vector<UINT> commands;
    } const cases[] = {
        {"a letter no tip has", {'X'}, {"SA", "SV", "P"}, {}},
        {"a first letter hides the others", {'S'}, {"SA", "SV"}, {}},
        {"the second letter runs its tip", {'S', 'V'}, {}, {43021}},
        {"a second letter that no tip left has", {'S', 'P'}, {"SA", "SV"}, {}},
        {"a disabled tip", {'P'}, {"SA", "SV", "P"}, {}},
        {"Ctrl and a letter", {VK_CONTROL, 'S'}, {"SA", "SV", "P"}, {}},
        {"the letter of a tip made hidden still runs it", {'Q'}, {}, {43023}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pszName);
        m_site.m_commands.clear();
        pBar->SetTrackingMode(TRUE, FALSE, TRUE);
        pBar->ShowKeyboardTips();
        EXPECT_EQ(1, pBar->GetKeyboardTipCount());
        {
            CHeldKeys held(c.keys.front() == VK_CONTROL, false);
            for (UINT nKey : c.keys)
                if (nKey != VK_CONTROL)
                    pBar->OnHookKeyDown(nKey, 0);
        }
        EXPECT_EQ(c.tips, shown());
        EXPECT_EQ(c.commands, m_site.m_commands);
        pBar->SetTrackingMode(FALSE, TRUE, FALSE);
        EXPECT_TRUE(m_manager.GetKeyboardTips().empty()) << "leaving tracking hides the tips";
    }
    m_manager.RemoveAll();
}

} // namespace

// Popup bars: where they open on the work area, the expand button's hover, the tear-off drag,
// popup menus tracked modally and the header's menu shown as one, the popup toolbar, the bars' context menu;
// build/screens/commandbar-header-menu.png, commandbar-scrolling-popup.png, commandbar-popup-toolbar.png,
// commandbar-bars-context-menu.png and commandbar-expand-popup.png.
#include "docking_fixture.h"
#include "support/message_pump.h"
#include "support/stopwatch.h"
#include "support/window_capture.h"
#include "support/window_screenshot.h"
#include "toolkit/commandbars/command_bar.h"
#include "toolkit/commandbars/command_bar_animation.h"
#include "toolkit/commandbars/command_bar_manager.h"
#include "toolkit/commandbars/control.h"
#include "toolkit/commandbars/controls.h"
#include "toolkit/commandbars/mouse_manager.h"
#include "toolkit/commandbars/menu_bar.h"
#include "toolkit/commandbars/popup_bar.h"
#include "toolkit/commandbars/shadow_manager.h"
#include "toolkit/common/header_ctrl.h"
#include "toolkit/common/image_manager.h"
#include "toolkit/common/sound_player.h"
#include "toolkit/themes/paint/default_theme.h"
#include "toolkit/themes/paint/paint_manager.h"

#include "framework/ids.h"
#include "framework/wnd.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

const CRect kWork(0, 0, 1000, 800);

struct PlacementCase {
    const char* pszName;
    CRect rcExclude;
    CPoint pt;
    CSize size;
    DWORD dwFlags;
    BOOL bMayWrap;
    CRect rcExpected;
    DWORD dwExpectedFlags;
    BOOL bScroll;
};

TEST(KitPopupPlacement, OpensBelowAboveBesideOrScrollsAndKeepsOffTheWorkAreasBottom)
{
    const PlacementCase cases[] = {
        {"drop-down that fits below", CRect(100, 100, 180, 120), CPoint(100, 120), CSize(200, 300), kitPopupDown,
         FALSE, CRect(100, 120, 300, 420), kitPopupDown, FALSE},
        {"drop-down flips above", CRect(100, 600, 180, 620), CPoint(100, 620), CSize(200, 400), kitPopupDown, FALSE,
         CRect(100, 200, 300, 600), kitPopupDown, FALSE},
        {"neither below nor above: beside when wrapping", CRect(100, 380, 180, 400), CPoint(100, 400),
         CSize(200, 600), kitPopupDown, TRUE, CRect(180, 195, 380, 795), 0, FALSE},
        {"neither below nor above: scrolls below an upper control", CRect(100, 380, 180, 400), CPoint(100, 400),
         CSize(200, 600), kitPopupDown, FALSE, CRect(100, 400, 300, 795), kitPopupDown, TRUE},
        {"neither below nor above: scrolls above a lower control", CRect(100, 420, 180, 440), CPoint(100, 440),
         CSize(200, 600), kitPopupDown, FALSE, CRect(100, 0, 300, 420), kitPopupDown, TRUE},
        {"context menu in the lower half opens above", CRect(), CPoint(300, 600), CSize(150, 300), kitPopupDown,
         FALSE, CRect(300, 300, 450, 600), kitPopupDown, FALSE},
        {"context menu in the upper half is pushed up to the gap", CRect(), CPoint(300, 300), CSize(150, 600),
         kitPopupDown, FALSE, CRect(300, 195, 450, 795), kitPopupDown, FALSE},
        {"context menu that fits below", CRect(), CPoint(300, 100), CSize(150, 300), kitPopupDown, FALSE,
         CRect(300, 100, 450, 400), kitPopupDown, FALSE},
        {"upwards from the point", CRect(), CPoint(300, 500), CSize(150, 300), kitPopupUp, FALSE,
         CRect(300, 200, 450, 500), kitPopupUp, FALSE},
        {"taller than the work area, wrapping in vain: covers the gap", CRect(), CPoint(300, 300), CSize(150, 900),
         kitPopupDown, TRUE, CRect(300, 0, 450, 900), kitPopupDown, FALSE},
        {"taller than the work area without wrapping: scrolls", CRect(), CPoint(300, 300), CSize(150, 900),
         kitPopupDown, FALSE, CRect(300, 0, 450, 795), kitPopupDown, TRUE},
        {"drop-down at the right edge turns leftwards", CRect(900, 100, 980, 120), CPoint(900, 120), CSize(200, 100),
         kitPopupDown, FALSE, CRect(800, 120, 1000, 220), kitPopupDown | kitPopupLeft, FALSE},
        {"sub-menu at the right edge opens on the left", CRect(850, 100, 950, 120), CPoint(950, 100),
         CSize(200, 100), 0, FALSE, CRect(650, 100, 850, 200), kitPopupLeft, FALSE},
        {"context menu at the right edge", CRect(), CPoint(950, 100), CSize(200, 100), kitPopupDown, FALSE,
         CRect(800, 100, 1000, 200), kitPopupDown, FALSE},
    };
    for (const PlacementCase& c : cases) {
        KitPopupPlacement placement;
        placement.rcWork = kWork;
        placement.rcMonitor = kWork;
        placement.rcExclude = c.rcExclude;
        placement.pt = c.pt;
        placement.size = c.size;
        placement.dwFlags = c.dwFlags;
        placement.bMayWrap = c.bMayWrap;
        placement.bMultiColumnLayout = TRUE;
        // A popup that cannot be narrowed into more columns keeps its size.
        placement.relayout = [&c](int) { return c.size; };
        const CRect rc = KitCalcPopupRect(placement);
        EXPECT_EQ(c.rcExpected, rc) << c.pszName;
        EXPECT_EQ(c.dwExpectedFlags, placement.dwFlags) << c.pszName;
        EXPECT_EQ(c.bScroll, placement.bScroll) << c.pszName;
    }
}

TEST(KitPopupPlacement, ALimitedHeightScrollsAndWrappingLaysTheMenuOutAgain)
{
    KitPopupPlacement placement;
    placement.rcWork = kWork;
    placement.rcMonitor = kWork;
    placement.pt = CPoint(100, 100);
    placement.size = CSize(150, 400);
    placement.nMaxHeight = 250;
    EXPECT_EQ(CRect(100, 100, 250, 350), KitCalcPopupRect(placement));
    EXPECT_TRUE(placement.bScroll);

    int nLimit = 0;
    placement = KitPopupPlacement();
    placement.rcWork = kWork;
    placement.rcMonitor = kWork;
    placement.rcExclude = CRect(100, 380, 180, 400);
    placement.pt = CPoint(100, 400);
    placement.size = CSize(200, 900);
    placement.dwFlags = kitPopupDown;
    placement.bMayWrap = TRUE;
    placement.bMultiColumnLayout = TRUE;
    placement.relayout = [&nLimit](int nHeight) {
        nLimit = nHeight;
        return CSize(400, 450);
    };
    EXPECT_EQ(CRect(180, 0, 580, 450), KitCalcPopupRect(placement));
    EXPECT_EQ(795, nLimit);
    EXPECT_FALSE(placement.bScroll);
}

constexpr UINT kOpenId = 42001;
constexpr UINT kCloseId = 42002;
constexpr UINT kRareId = 42003;

// A frame that records the commands it receives.
class CMenuSite : public CWnd {
public:
    CMenuSite()
    {
        // A plain white client: the static control's own text would show in the popups' pictures.
        CreateEx(0, "STATIC", "Popup bars", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_VISIBLE | SS_WHITERECT, 40,
                 40, 360, 160, nullptr, 0);
    }
    ~CMenuSite() override { DestroyWindow(); }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_COMMAND)
            m_commands.push_back(LOWORD(wParam));
        return CWnd::WindowProc(message, wParam, lParam);
    }

    std::vector<UINT> m_commands;
};

class PopupBarTest : public testing::Test {
protected:
    void SetUp() override
    {
        CKitPaintManager::SetTheme(0);
        m_manager.SetSite(&m_site);
        m_manager.GetCommandBarsOptions()->bDisableIfNoHandler = FALSE;
        CKitMouseManager::GetThreadManager()->SetExpandedMenus(FALSE);
        m_pPopup = CKitPopupBar::CreatePopupBar(&m_manager);
        m_pPopup->SetSite(&m_site);
        m_pPopup->GetControls()->Add(kitControlButton, kOpenId)->SetCaption("&Open");
        m_pPopup->GetControls()->Add(kitControlButton, kCloseId)->SetCaption("&Close");
    }

    void TearDown() override
    {
        m_manager.ClosePopups();
        if (CKitToolBar* pToolBar = m_pPopup->GetTornOffToolBar())
            pToolBar->DestroyWindow();
        m_pPopup->InternalRelease();
        m_manager.RemoveAll();
        PumpMessages();
        CKitMouseManager::GetThreadManager()->SetExpandedMenus(FALSE);
        CKitPaintManager::Done();
    }

    static void Wait(DWORD dwMilliseconds)
    {
        const DWORD dwEnd = ::GetTickCount() + dwMilliseconds;
        while (static_cast<LONG>(dwEnd - ::GetTickCount()) > 0) {
            PumpMessages();
            ::Sleep(10);
        }
        PumpMessages();
    }

    int FindExpandButton() const
    {
        for (int i = 0; i < m_pPopup->GetControlCount(); i++) {
            if (m_pPopup->GetControl(i)->GetId() == CKitPopupBar::kIdExpandButton)
                return i;
        }
        return -1;
    }

    void PostMove(CPoint ptScreen)
    {
        CPoint pt = ptScreen;
        m_pPopup->ScreenToClient(&pt);
        m_pPopup->PostMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    }

    CMenuSite m_site;
    CKitCommandBarManager m_manager;
    CKitPopupBar* m_pPopup = nullptr;
};

TEST_F(PopupBarTest, HoveringTheExpandButtonExpandsOnlyWithTheOptionAndOnlyByTheMouse)
{
    struct Case {
        BOOL bOption;
        int nSelection;
        BOOL bExpanded;
    } const cases[] = {
        {TRUE, kitSelectMouse, TRUE},
        {FALSE, kitSelectMouse, FALSE},
        {TRUE, kitSelectKeyboard, FALSE},
    };
    m_pPopup->GetControls()->Add(kitControlButton, kRareId)->SetCaption("&Rarely used");
    // Personalised menus: of the controls that may collapse, the ones not used hide.
    m_manager.GetCommandBarsOptions()->bAlwaysShowFullMenus = FALSE;
    m_pPopup->GetControl(0)->SetCollapsible(FALSE);
    m_manager.SetCommandUsed(kCloseId);
    // The real pointer stays clear of the popup: a move over another item would take the selection.
    // It goes back afterwards, for the other programs on the display read where it is.
    CPoint ptCursor;
    ::GetCursorPos(&ptCursor);
    ::SetCursorPos(700, 600);
    for (const Case& c : cases) {
        CKitMouseManager::GetThreadManager()->SetExpandedMenus(FALSE);
        m_manager.GetCommandBarsOptions()->bExpandAfterHover = c.bOption;
        ASSERT_TRUE(m_pPopup->PopupAt(100, 100));
        ASSERT_TRUE(m_pPopup->HasHiddenControls());
        EXPECT_TRUE(m_pPopup->GetControl(0)->IsVisible());
        EXPECT_TRUE(m_pPopup->GetControl(1)->IsVisible());
        EXPECT_FALSE(m_pPopup->GetControl(2)->IsVisible());
        const int nExpand = FindExpandButton();
        ASSERT_GE(nExpand, 0);
        m_pPopup->SetSelected(nExpand, c.nSelection);
        Wait(600);
        EXPECT_FALSE(m_pPopup->IsExpanded()) << c.bOption << c.nSelection;
        Wait(600);
        EXPECT_EQ(c.bExpanded, m_pPopup->IsExpanded()) << c.bOption << c.nSelection;
        EXPECT_EQ(c.bExpanded, m_pPopup->GetControl(2)->IsVisible()) << c.bOption << c.nSelection;
        m_manager.ClosePopups();
    }
    ::SetCursorPos(ptCursor.x, ptCursor.y);
}

TEST_F(PopupBarTest, APopupCutToItsMaximumHeightScrollsWithItsButtons)
{
    for (int i = 0; i < 10; i++) {
        CString strCaption;
        strCaption.Format("Item %d", i);
        m_pPopup->GetControls()->Add(kitControlButton, 42100 + i)->SetCaption(strCaption);
    }
    const int nCount = m_pPopup->GetControlCount();
    m_pPopup->SetMaxHeight(120);
    // Opened over its site, which the picture shows behind it.
    const CPoint ptPopup(100, 70);
    ASSERT_TRUE(m_pPopup->PopupAt(ptPopup.x, ptPopup.y));
    ASSERT_TRUE(m_pPopup->IsScrolling());
    CRect rcWindow;
    m_pPopup->GetWindowRect(&rcWindow);
    EXPECT_EQ(120, rcWindow.Height());
    EXPECT_EQ(0, m_pPopup->GetFirstVisible());
    EXPECT_TRUE(m_pPopup->GetScrollUpRect().IsRectEmpty());
    EXPECT_FALSE(m_pPopup->GetScrollDownRect().IsRectEmpty());
    const int nEnd = m_pPopup->GetEndVisible();
    ASSERT_GT(nEnd, 1);
    ASSERT_LT(nEnd, nCount);
    EXPECT_TRUE(m_pPopup->GetControl(nEnd - 1)->IsVisible());
    EXPECT_FALSE(m_pPopup->GetControl(nEnd)->IsVisible());
    EXPECT_LE(m_pPopup->GetControl(nEnd - 1)->GetRect().bottom, m_pPopup->GetScrollDownRect().top);

    // The down button's timer scrolls one control a tick until the last is shown.
    for (int i = 0; i < nCount; i++)
        m_pPopup->SendMessage(WM_TIMER, CKitPopupBar::kTimerScrollDown);
    EXPECT_EQ(nCount, m_pPopup->GetEndVisible());
    EXPECT_TRUE(m_pPopup->GetControl(nCount - 1)->IsVisible());
    EXPECT_FALSE(m_pPopup->GetControl(0)->IsVisible());
    EXPECT_TRUE(m_pPopup->GetScrollDownRect().IsRectEmpty());
    EXPECT_FALSE(m_pPopup->GetScrollUpRect().IsRectEmpty());
    EXPECT_LE(m_pPopup->GetScrollUpRect().bottom, m_pPopup->GetControl(m_pPopup->GetFirstVisible())->GetRect().top);

    // Halfway: both buttons show their arrows.
    m_pPopup->SendMessage(WM_TIMER, CKitPopupBar::kTimerScrollUp);
    m_pPopup->SendMessage(WM_TIMER, CKitPopupBar::kTimerScrollUp);
    const int nFirstShown = m_pPopup->GetFirstVisible();
    const auto paint = [&] {
        m_site.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
        m_pPopup->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        PumpMessages();
        return true;
    };
    const auto reopen = [&] {
        if (!m_pPopup->PopupAt(ptPopup.x, ptPopup.y))
            return false;
        for (int i = 0; i < nCount && m_pPopup->GetFirstVisible() < nFirstShown; i++)
            m_pPopup->SendMessage(WM_TIMER, CKitPopupBar::kTimerScrollDown);
        return paint();
    };
    paint();
    CRect rcShot;
    m_site.GetWindowRect(&rcShot);
    rcShot.UnionRect(rcShot, rcWindow);
    const WindowImage shot = CaptureScreenRectWhileOpen(rcShot, [&] { return m_pPopup->IsVisible() != FALSE; }, reopen);
    EXPECT_EQ("", SaveScreenshot("commandbar-scrolling-popup", shot.width, shot.height, shot.pixels));

    // The keyboard's selection scrolls what it selects into view.
    m_pPopup->SetSelected(nCount - 1, kitSelectKeyboard);
    EXPECT_EQ(nCount, m_pPopup->GetEndVisible());
    EXPECT_TRUE(m_pPopup->GetControl(nCount - 1)->IsVisible());
    m_pPopup->SetSelected(2, kitSelectKeyboard);
    EXPECT_EQ(2, m_pPopup->GetFirstVisible());
    EXPECT_TRUE(m_pPopup->GetControl(2)->IsVisible());
    EXPECT_EQ(2, m_pPopup->GetSelected());

    // Up again: one hidden control is never left behind a button of its own.
    while (m_pPopup->GetFirstVisible() > 0)
        m_pPopup->SendMessage(WM_TIMER, CKitPopupBar::kTimerScrollUp);
    EXPECT_TRUE(m_pPopup->GetControl(0)->IsVisible());
    EXPECT_TRUE(m_pPopup->GetScrollUpRect().IsRectEmpty());
}

TEST_F(PopupBarTest, TheTearOffGripperKeepsThePopupWithinTenPixels)
{
    m_pPopup->SetTearOffPopup("Tools", 0x7100, 160);
    ASSERT_TRUE(m_pPopup->PopupAt(100, 100));
    CRect rcGripper = m_pPopup->GetTearOffRect();
    ASSERT_FALSE(rcGripper.IsRectEmpty());
    m_pPopup->ClientToScreen(&rcGripper);
    EXPECT_TRUE(m_pPopup->IsNearTearOffGripper(CPoint(rcGripper.left + 5, rcGripper.top - 10)));
    EXPECT_FALSE(m_pPopup->IsNearTearOffGripper(CPoint(rcGripper.left + 5, rcGripper.top - 11)));
    EXPECT_TRUE(m_pPopup->IsNearTearOffGripper(CPoint(rcGripper.left - 10, rcGripper.top)));
    EXPECT_FALSE(m_pPopup->IsNearTearOffGripper(CPoint(rcGripper.left - 11, rcGripper.top)));

    // Dragged off and back within 10 pixels: the popup returns, the toolbar hides; Escape ends the drag there.
    PostMove(CPoint(rcGripper.left + 5, rcGripper.bottom + 200));
    PostMove(CPoint(rcGripper.left + 5, rcGripper.top - 8));
    ::PostMessageA(m_pPopup->GetSafeHwnd(), WM_KEYDOWN, VK_ESCAPE, 0);
    m_pPopup->TrackTearOff();
    ASSERT_NE(nullptr, m_pPopup->GetTornOffToolBar());
    EXPECT_FALSE(m_pPopup->GetTornOffToolBar()->IsVisible());
    EXPECT_TRUE(m_pPopup->IsVisible());
    EXPECT_TRUE(m_pPopup->IsTrackingMode());
    EXPECT_EQ(nullptr, ::GetCapture());

    // Dragged off and Escape: the toolbar stays where it is with the popup's controls, the menus close.
    PostMove(CPoint(rcGripper.left + 5, rcGripper.bottom + 200));
    ::PostMessageA(m_pPopup->GetSafeHwnd(), WM_KEYDOWN, VK_ESCAPE, 0);
    m_pPopup->TrackTearOff();
    CKitToolBar* pToolBar = m_pPopup->GetTornOffToolBar();
    EXPECT_TRUE(pToolBar->IsVisible());
    EXPECT_FALSE(m_pPopup->IsTrackingMode());
    EXPECT_STREQ("Tools", pToolBar->GetTitle());
    EXPECT_EQ(0x7100u, pToolBar->GetBarID());
    std::vector<UINT> ids;
    for (int i = 0; i < pToolBar->GetControlCount(); i++) {
        if (!pToolBar->GetControl(i)->IsTemporary())
            ids.push_back(pToolBar->GetControl(i)->GetId());
    }
    EXPECT_EQ((std::vector<UINT>{kOpenId, kCloseId}), ids);
    CRect rcToolBar;
    pToolBar->GetWindowRect(&rcToolBar);
    EXPECT_EQ(rcGripper.bottom + 200 - 10, rcToolBar.top);
}

// The bottom strips of the popup's shadows, in screen coordinates.
std::vector<CRect> BottomShadows(HWND hPopup)
{
    std::vector<CRect> strips;
    for (CKitShadowManager::CShadowWnd* pShadow : CKitPaintManager::Instance()->GetShadowManager()->GetShadows()) {
        if (pShadow->GetOwnerWindow() != hPopup || pShadow->GetKind() != CKitShadowManager::kShadowBottom)
            continue;
        CRect rc;
        pShadow->GetWindowRect(&rc);
        strips.push_back(rc);
    }
    return strips;
}

TEST_F(PopupBarTest, AnOpenPopupCastsOneShadowThatFollowsItsMovesAndGoesWithIt)
{
    CKitPaintManager::Instance()->GetShadowManager()->SetFlags(CKitShadowManager::kFlagAlways);
    for (const BOOL bShowShadow : {TRUE, FALSE}) {
        m_pPopup->SetShowShadow(bShowShadow);
        ASSERT_TRUE(m_pPopup->PopupAt(100, 100));
        const HWND hPopup = m_pPopup->GetSafeHwnd();
        CRect rcPopup;
        m_pPopup->GetWindowRect(&rcPopup);
        std::vector<CRect> strips = BottomShadows(hPopup);
        ASSERT_EQ(bShowShadow ? 1u : 0u, strips.size()) << bShowShadow;
        if (bShowShadow) {
            EXPECT_EQ(rcPopup.bottom, strips[0].top);

            // A longer popup moves its shadow down instead of casting a second one.
            m_pPopup->GetControls()->Add(kitControlButton, kRareId)->SetCaption("&Rarely used");
            m_pPopup->OnControlsChanged();
            m_pPopup->GetWindowRect(&rcPopup);
            strips = BottomShadows(hPopup);
            ASSERT_EQ(1u, strips.size());
            EXPECT_EQ(rcPopup.bottom, strips[0].top);
            m_pPopup->GetControls()->Remove(m_pPopup->GetControl(2));
        }
        m_manager.ClosePopups();
        EXPECT_TRUE(BottomShadows(hPopup).empty()) << bShowShadow;
    }
    CKitPaintManager::Instance()->GetShadowManager()->SetFlags(0);
}

TEST(KitPopupAnimation, TheOptionFollowsTheSystemPicksAtRandomOrNamesTheKind)
{
    struct Case {
        int nOption;
        BOOL bMenuAnimation;
        BOOL bMenuFade;
        int nRandom;
        int nKind;
    } const cases[] = {
        {kitAnimateSystem, FALSE, TRUE, 0, kitAnimateNone},
        {kitAnimateSystem, TRUE, TRUE, 0, kitAnimateFade},
        {kitAnimateSystem, TRUE, FALSE, 0, kitAnimateSlide},
        {kitAnimateRandom, FALSE, FALSE, 3, kitAnimateFade},
        {kitAnimateRandom, FALSE, FALSE, 4, kitAnimateSlide},
        {kitAnimateRandom, FALSE, FALSE, 5, kitAnimateUnfold},
        {kitAnimateUnfold, FALSE, FALSE, 0, kitAnimateUnfold},
        {kitAnimateNone, TRUE, TRUE, 0, kitAnimateNone},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.nKind, KitResolvePopupAnimation(c.nOption, c.bMenuAnimation, c.bMenuFade, c.nRandom))
            << c.nOption << " " << c.bMenuAnimation << c.bMenuFade << " " << c.nRandom;
}

// Records the open animations it plays and never waits between frames.
class CRecordingAnimationTheme : public CKitDefaultTheme {
public:
    struct Played {
        int nKind;
        CRect rc;
    };
    void Animate(CDC* pDestDC, CDC* pSrcDC, CRect rc, int nAnimationType) override
    {
        CKitDefaultTheme::Animate(pDestDC, pSrcDC, rc, nAnimationType);
        m_played.push_back({nAnimationType, rc});
    }
    std::vector<Played> m_played;
    int m_nFrames = 0;

protected:
    void WaitAnimationFrame(DWORD /*dwMilliseconds*/) override { m_nFrames++; }
};

TEST_F(PopupBarTest, AnOpeningPopupPlaysTheChosenAnimationWithoutWaitingAndItsSound)
{
    auto* pTheme = new CRecordingAnimationTheme();
    CKitPaintManager::SetCustomTheme(pTheme);
    std::atomic<int> nPopupSounds{0};
    CKitSoundPlayer::Instance()->SetPlaySoundHook([&nPopupSounds](LPCSTR lpszAlias, DWORD) {
        if (lpszAlias != nullptr && std::string(lpszAlias) == "MenuPopup")
            nPopupSounds++;
    });
    for (const int nKind : {kitAnimateUnfold, kitAnimateSlide, kitAnimateFade, kitAnimateNone}) {
        pTheme->m_played.clear();
        pTheme->m_nFrames = 0;
        const int nSounds = nPopupSounds;
        m_manager.GetCommandBarsOptions()->nAnimationType = nKind;
        const DWORD dwStart = ::GetTickCount();
        ASSERT_TRUE(m_pPopup->PopupAt(100, 100));
        EXPECT_LT(::GetTickCount() - dwStart, kLoadSlackMs) << nKind;
        CRect rcClient;
        m_pPopup->GetClientRect(&rcClient);
        if (KitIsAnimatedPopupKind(nKind)) {
            ASSERT_EQ(1u, pTheme->m_played.size()) << nKind;
            EXPECT_EQ(nKind, pTheme->m_played[0].nKind);
            EXPECT_EQ(rcClient, pTheme->m_played[0].rc);
            EXPECT_GT(pTheme->m_nFrames, 0) << nKind;
        } else {
            EXPECT_TRUE(pTheme->m_played.empty());
        }
        // The popup sound plays whether or not the popup animates.
        for (int i = 0; i < 100 && nPopupSounds == nSounds; i++)
            ::Sleep(10);
        EXPECT_EQ(nSounds + 1, nPopupSounds.load()) << nKind;
        m_manager.ClosePopups();
    }

    // Expanding shows the taller popup with the open animation once.
    m_manager.GetCommandBarsOptions()->nAnimationType = kitAnimateSlide;
    m_manager.GetCommandBarsOptions()->bAlwaysShowFullMenus = FALSE;
    m_pPopup->GetControl(0)->SetCollapsible(FALSE);
    m_manager.SetCommandUsed(kCloseId);
    m_pPopup->GetControls()->Add(kitControlButton, kRareId)->SetCaption("&Rarely used");
    ASSERT_TRUE(m_pPopup->PopupAt(100, 100));
    ASSERT_TRUE(m_pPopup->HasHiddenControls());
    pTheme->m_played.clear();
    m_pPopup->ExpandBar();
    CRect rcClient;
    m_pPopup->GetClientRect(&rcClient);
    ASSERT_EQ(1u, pTheme->m_played.size());
    EXPECT_EQ(rcClient, pTheme->m_played[0].rc);
    m_pPopup->OnControlsChanged();
    EXPECT_EQ(1u, pTheme->m_played.size());
    m_manager.ClosePopups();
    ::Sleep(100);
    CKitSoundPlayer::Instance()->SetPlaySoundHook(nullptr);
}

// A popup that records the activation state its window tells itself on creation.
class CFloatStatusPopup : public CKitPopupBar {
public:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_FLOATSTATUS && wParam != FS_SYNCACTIVE)
            m_states.push_back(wParam);
        return CKitPopupBar::WindowProc(message, wParam, lParam);
    }
    std::vector<WPARAM> m_states;
};

// An owned window that is the site's last active popup; it may keep its activation in step with the site.
class CToolWindow : public CWnd {
public:
    CToolWindow(CWnd* pOwner, BOOL bSyncActive) : m_bSyncActive(bSyncActive)
    {
        CreateEx(0, "STATIC", "Tool", WS_POPUP | WS_CAPTION | WS_VISIBLE, 420, 40, 160, 100, pOwner->GetSafeHwnd(), nullptr);
    }
    ~CToolWindow() override { DestroyWindow(); }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_FLOATSTATUS && wParam == FS_SYNCACTIVE)
            return m_bSyncActive;
        return CWnd::WindowProc(message, wParam, lParam);
    }
    BOOL m_bSyncActive;
};

TEST_F(PopupBarTest, APopupTakesItsActivationStateFromItsSiteOnCreation)
{
    struct Case {
        const char* pszForeground; // "site", "tool in step", "tool", "other"
        WPARAM nState;
    } const cases[] = {
        {"site", FS_ACTIVATE},
        {"tool in step", FS_ACTIVATE},
        {"tool", FS_DEACTIVATE},
        {"other", FS_DEACTIVATE},
    };
    for (const Case& c : cases) {
        const std::string strForeground = c.pszForeground;
        // Other programs on the display may take the foreground meanwhile: such a round is run again.
        for (int nAttempt = 0; nAttempt < 5; nAttempt++) {
            std::unique_ptr<CToolWindow> pTool;
            std::unique_ptr<CMenuSite> pOther;
            HWND hForeground = m_site.GetSafeHwnd();
            if (strForeground == "other") {
                pOther = std::make_unique<CMenuSite>();
                hForeground = pOther->GetSafeHwnd();
            } else if (strForeground != "site") {
                pTool = std::make_unique<CToolWindow>(&m_site, strForeground == "tool in step");
                hForeground = pTool->GetSafeHwnd();
            }
            ::SetForegroundWindow(hForeground);
            PumpMessages();
            auto* pPopup = new CFloatStatusPopup();
            pPopup->SetCommandBars(&m_manager);
            pPopup->SetSite(&m_site);
            pPopup->GetControls()->Add(kitControlButton, kOpenId)->SetCaption("&Open");
            ASSERT_TRUE(pPopup->PopupAt(100, 100)) << c.pszForeground;
            const BOOL bKept = ::GetForegroundWindow() == hForeground;
            if (bKept || nAttempt == 4) {
                EXPECT_EQ((std::vector<WPARAM>{c.nState}), pPopup->m_states) << c.pszForeground;
                // The popup itself keeps in step only while it has the synchronised-activation style.
                EXPECT_EQ(TRUE, pPopup->SendMessage(WM_FLOATSTATUS, FS_SYNCACTIVE));
                EXPECT_EQ(FALSE, pPopup->SendMessage(WM_FLOATSTATUS, FS_ACTIVATE));
                pPopup->ModifyStyle(0x100, 0);
                EXPECT_EQ(FALSE, pPopup->SendMessage(WM_FLOATSTATUS, FS_SYNCACTIVE));
            }
            m_manager.ClosePopups();
            pPopup->InternalRelease();
            if (bKept)
                break;
        }
    }
    ::SetForegroundWindow(m_site.GetSafeHwnd());
}

TEST_F(PopupBarTest, APopupToolBarWrapsItsButtonsInRowsWithinItsBorders)
{
    CKitPopupToolBar* pToolBar = CKitPopupToolBar::CreatePopupToolBar(&m_manager);
    pToolBar->SetSite(&m_site);
    const char* const captions[] = {"Bold", "Italic", "Underline", "Strike", "Left", "Centre", "Right", "Justify",
                                    "Bullets", "Numbers", "Indent", "Outdent"};
    UINT nId = 43000;
    for (const char* pszCaption : captions) {
        CKitControl* pButton = pToolBar->GetControls()->Add(kitControlButton, nId++);
        pButton->SetCaption(pszCaption);
        pButton->SetStyle(kitButtonCaption);
    }
    pToolBar->GetControl(4)->SetBeginGroup(TRUE);
    EXPECT_EQ(kitBarTypeNormal, pToolBar->GetType());
    // Opened over its site, which the picture shows behind it.
    const CPoint ptPopup(70, 80);
    ASSERT_TRUE(pToolBar->PopupAt(ptPopup.x, ptPopup.y));
    CRect rcWindow;
    pToolBar->GetWindowRect(&rcWindow);
    EXPECT_LE(rcWindow.Width(), CKitPopupToolBar::kMaxRowWidth);
    const CRect rcBorders = pToolBar->GetBorders();
    EXPECT_EQ(CRect(2, 4, 2, 4), rcBorders);
    CRect rcClient;
    pToolBar->GetClientRect(&rcClient);
    rcClient.DeflateRect(rcBorders.left, rcBorders.top, rcBorders.right, rcBorders.bottom);
    std::vector<int> rowTops;
    for (int i = 0; i < pToolBar->GetControlCount(); i++) {
        const CRect rc = pToolBar->GetControl(i)->GetRect();
        EXPECT_TRUE(pToolBar->GetControl(i)->IsVisible()) << captions[i];
        EXPECT_EQ(rc, rc & rcClient) << captions[i];
        if (rowTops.empty() || rowTops.back() != rc.top)
            rowTops.push_back(rc.top);
    }
    EXPECT_GE(rowTops.size(), 2u);
    EXPECT_EQ(rcClient.top, pToolBar->GetControl(0)->GetRect().top);
    // Buttons follow each other along a row.
    EXPECT_LE(pToolBar->GetControl(0)->GetRect().right, pToolBar->GetControl(1)->GetRect().left);

    pToolBar->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_TRUE(pToolBar->IsVisible());
    Wait(100);
    const auto reopen = [&] {
        if (!pToolBar->PopupAt(ptPopup.x, ptPopup.y))
            return false;
        Wait(100);
        return true;
    };
    m_site.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
    CRect rcShot;
    m_site.GetWindowRect(&rcShot);
    rcShot.UnionRect(rcShot, rcWindow);
    const WindowImage shot = CaptureScreenRectWhileOpen(rcShot, [&] { return pToolBar->IsVisible() != FALSE; }, reopen);
    EXPECT_EQ("", SaveScreenshot("commandbar-popup-toolbar", shot.width, shot.height, shot.pixels));
    m_manager.ClosePopups();
    pToolBar->InternalRelease();
}

// Ends or answers the popup menu from inside its modal loop.
CKitPopupBar* g_pTracked = nullptr;
int g_nAction = 0;

void CALLBACK EndTracking(HWND, UINT, UINT_PTR nIDEvent, DWORD)
{
    ::KillTimer(nullptr, nIDEvent);
    if (g_nAction == 0)
        g_pTracked->SetTrackingMode(0);
    else
        g_pTracked->GetControl(g_nAction)->OnExecute();
}

TEST_F(PopupBarTest, TrackPopupMenuReturnsTheCommandOrZeroWithReturnCmdAndOneWithout)
{
    struct Case {
        UINT nFlags;
        int nAction;
        UINT nResult;
        size_t nSiteCommands;
    } const cases[] = {
        {TPM_RETURNCMD, 0, 0, 0},
        {0, 0, 1, 0},
        {TPM_RETURNCMD, 1, kCloseId, 0},
        {TPM_RIGHTBUTTON, 1, 1, 1},
    };
    g_pTracked = m_pPopup;
    for (const Case& c : cases) {
        m_site.m_commands.clear();
        g_nAction = c.nAction;
        ::SetTimer(nullptr, 0, 50, EndTracking);
        const UINT nResult = m_manager.TrackPopupMenu(m_pPopup, c.nFlags, 200, 200, &m_site);
        EXPECT_EQ(c.nResult, nResult) << c.nFlags << " " << c.nAction;
        EXPECT_FALSE(m_pPopup->IsTrackingMode());
        EXPECT_EQ(nullptr, m_pPopup->GetSafeHwnd());
        EXPECT_EQ(c.nSiteCommands, m_site.m_commands.size()) << c.nFlags << " " << c.nAction;
    }
    EXPECT_EQ(0u, m_manager.TrackPopupMenu(nullptr, TPM_RETURNCMD, 0, 0));
}

TEST_F(PopupBarTest, ACommandRunFromAPersonalisedMenuIsShownWhenItOpensAgain)
{
    m_pPopup->GetControls()->Add(kitControlButton, kRareId)->SetCaption("&Rarely used");
    m_manager.GetCommandBarsOptions()->bAlwaysShowFullMenus = FALSE;
    m_pPopup->GetControl(0)->SetCollapsible(FALSE);
    auto hiddenIds = [this]() {
        std::vector<UINT> ids;
        for (int i = 0; i < m_pPopup->GetControlCount(); i++) {
            if (!m_pPopup->GetControl(i)->IsVisible() && !m_pPopup->GetControl(i)->IsTemporary())
                ids.push_back(m_pPopup->GetControl(i)->GetId());
        }
        return ids;
    };
    ASSERT_TRUE(m_pPopup->PopupAt(100, 100));
    EXPECT_EQ((std::vector<UINT>{kCloseId, kRareId}), hiddenIds());
    m_manager.ClosePopups();

    // Run from the expanded menu, the rarely used command stays in the short menu.
    CKitMouseManager::GetThreadManager()->SetExpandedMenus(TRUE);
    g_pTracked = m_pPopup;
    g_nAction = 2;
    ::SetTimer(nullptr, 0, 50, EndTracking);
    EXPECT_EQ(kRareId, m_manager.TrackPopupMenu(m_pPopup, TPM_RETURNCMD, 200, 200, &m_site));
    CKitMouseManager::GetThreadManager()->SetExpandedMenus(FALSE);
    ASSERT_TRUE(m_pPopup->PopupAt(100, 100));
    EXPECT_TRUE(m_pPopup->HasHiddenControls());
    EXPECT_EQ((std::vector<UINT>{kCloseId}), hiddenIds());
    m_manager.ClosePopups();

    // With the last rarely used command run, nothing is hidden and no expand button is added.
    m_manager.SetCommandUsed(kCloseId);
    ASSERT_TRUE(m_pPopup->PopupAt(100, 100));
    EXPECT_FALSE(m_pPopup->HasHiddenControls());
    EXPECT_TRUE(hiddenIds().empty());
    for (int i = 0; i < m_pPopup->GetControlCount(); i++) {
        const CKitControl* pControl = m_pPopup->GetControl(i);
        EXPECT_FALSE(pControl->IsVisible() && pControl->GetId() == CKitPopupBar::kIdExpandButton);
    }
}

// Starts a cross-fade over the popup's first control: the cached picture is made black first, so that
// the control's fresh drawing differs from it.
void StartFade(CKitPopupBar* pPopup)
{
    CKitCommandBarAnimation* pAnimation = pPopup->GetAnimation();
    ASSERT_NE(nullptr, pAnimation->GetCache());
    {
        CDC dc;
        dc.Attach(::CreateCompatibleDC(nullptr));
        HGDIOBJ hOld = ::SelectObject(dc.m_hDC, pAnimation->GetCache()->m_hObject);
        CRect rcClient;
        pPopup->GetClientRect(&rcClient);
        dc.FillSolidRect(&rcClient, RGB(0, 0, 0));
        ::SelectObject(dc.m_hDC, hOld);
    }
    const CRect rc = pPopup->GetControl(0)->GetRect();
    pAnimation->RedrawRect(&rc, TRUE);
    ASSERT_GT(pAnimation->GetFadeCount(), 0);
    ASSERT_TRUE(pAnimation->IsTimerRunning());
}

TEST_F(PopupBarTest, ShowingAgainExpandingOrClosingAPopupStopsItsRunningFade)
{
    m_pPopup->GetControls()->Add(kitControlButton, kRareId)->SetCaption("&Rarely used");
    m_manager.GetCommandBarsOptions()->bAlwaysShowFullMenus = FALSE;
    m_pPopup->GetControl(0)->SetCollapsible(FALSE);
    m_pPopup->SetAnimationEnabled(TRUE);
    const struct {
        const char* pszName;
        std::function<void()> stop;
    } cases[] = {
        {"shown again", [this] { ASSERT_TRUE(m_pPopup->PopupAt(120, 120)); }},
        {"expanded", [this] { m_pPopup->ExpandBar(); }},
        {"closed", [this] { m_pPopup->SetTrackingMode(0); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszName);
        CKitMouseManager::GetThreadManager()->SetExpandedMenus(FALSE);
        ASSERT_TRUE(m_pPopup->PopupAt(100, 100));
        ASSERT_TRUE(m_pPopup->HasHiddenControls());
        m_pPopup->UpdateWindow();
        StartFade(m_pPopup);
        c.stop();
        EXPECT_EQ(0, m_pPopup->GetAnimation()->GetFadeCount());
        EXPECT_FALSE(m_pPopup->GetAnimation()->IsTimerRunning());
        m_manager.ClosePopups();
    }
}

// A look whose popups have rounded corners.
class CRoundedTheme : public CKitDefaultTheme {
public:
    CRoundedTheme() { RefreshMetrics(); }
    void SetCommandBarRegion(CKitCommandBar* pBar) override
    {
        CRect rc;
        pBar->GetWindowRect(&rc);
        ::SetWindowRgn(pBar->GetSafeHwnd(), ::CreateRoundRectRgn(0, 0, rc.Width() + 1, rc.Height() + 1, 16, 16),
                       FALSE);
    }

protected:
    void WaitAnimationFrame(DWORD /*dwMilliseconds*/) override {}
};

TEST_F(PopupBarTest, ThePaintManagerShapesThePopupWhetherItAnimatesOrNot)
{
    m_manager.SetPaintManager(new CRoundedTheme());
    for (const int nKind : {kitAnimateNone, kitAnimateFade}) {
        SCOPED_TRACE(nKind);
        m_manager.GetCommandBarsOptions()->nAnimationType = nKind;
        ASSERT_TRUE(m_pPopup->PopupAt(100, 100));
        auto regionBox = [this](int* pType) {
            HRGN hRegion = ::CreateRectRgn(0, 0, 0, 0);
            *pType = ::GetWindowRgn(m_pPopup->GetSafeHwnd(), hRegion);
            CRect rcBox;
            ::GetRgnBox(hRegion, &rcBox);
            ::DeleteObject(hRegion);
            return rcBox;
        };
        CRect rcWindow;
        m_pPopup->GetWindowRect(&rcWindow);
        int nType = 0;
        EXPECT_EQ(CRect(0, 0, rcWindow.Width(), rcWindow.Height()), regionBox(&nType));
        EXPECT_EQ(COMPLEXREGION, nType);
        // The cut corner is not the popup's: a click there is a click outside.
        EXPECT_EQ(0, m_pPopup->IsPointInBar(rcWindow.TopLeft()));
        EXPECT_EQ(1, m_pPopup->IsPointInBar(rcWindow.CenterPoint()));

        // Grown by a control, the popup is shaped again at its new size.
        CKitControl* pAdded = m_pPopup->GetControls()->Add(kitControlButton, kRareId);
        pAdded->SetCaption("A much longer caption than the others");
        m_pPopup->UpdateLocation();
        CRect rcGrown;
        m_pPopup->GetWindowRect(&rcGrown);
        ASSERT_NE(rcWindow.Size(), rcGrown.Size());
        EXPECT_EQ(CRect(0, 0, rcGrown.Width(), rcGrown.Height()), regionBox(&nType));
        m_manager.ClosePopups();
        m_pPopup->GetControls()->Remove(pAdded);
    }
    m_manager.GetCommandBarsOptions()->nAnimationType = kitAnimateSystem;
    m_manager.SetPaintManager(nullptr);
}

TEST_F(PopupBarTest, APopupMenuSendsItsCommandsToTheReceiver)
{
    CMenuSite receiver;
    g_pTracked = m_pPopup;
    g_nAction = 1;
    ::SetTimer(nullptr, 0, 50, EndTracking);
    EXPECT_EQ(1u, m_manager.TrackPopupMenu(m_pPopup, TPM_RIGHTBUTTON | TPM_NONOTIFY, 200, 200, &m_site, nullptr,
                                           &receiver));
    EXPECT_EQ((std::vector<UINT>{kCloseId}), receiver.m_commands);
    EXPECT_TRUE(m_site.m_commands.empty());
}

} // namespace

namespace {

// What the header's menu showed, read from inside its modal loop; then it picks "Sort Descending".
struct HeaderMenuSeen {
    std::vector<std::string> captions;
    BOOL bAscendingChecked = FALSE;
    BOOL bImages = FALSE;
    std::string strScreenshot = "not taken";
};
HeaderMenuSeen g_headerMenu;

void CALLBACK ReadHeaderMenu(HWND, UINT, UINT_PTR nIDEvent, DWORD)
{
    ::KillTimer(nullptr, nIDEvent);
    HWND hPopup = ::FindWindowA("KitPopupBar", nullptr);
    auto* pPopup = DYNAMIC_DOWNCAST(CKitPopupBar, CWnd::FromHandlePermanent(hPopup));
    if (pPopup == nullptr)
        return;
    for (int i = 0; i < pPopup->GetControlCount(); i++)
        g_headerMenu.captions.push_back(static_cast<LPCSTR>(pPopup->GetControl(i)->GetCaption()));
    g_headerMenu.bAscendingChecked = pPopup->GetControl(0)->GetChecked() == 1;
    g_headerMenu.bImages = pPopup->GetImageManager()->GetImage(9326, 16) != nullptr &&
                           pPopup->GetImageManager()->GetImage(9329, 16) != nullptr;
    // The alignments open beside it for the screenshot.
    pPopup->OpenPopupAt(2);
    PumpMessages();
    auto* pAlign = static_cast<CKitControlPopup*>(pPopup->GetControl(2));
    CKitCommandBar* pSubMenu = pAlign->GetCommandBar();
    // The picture shows both menus over the list's frame.
    const HWND hFrame = ::GetAncestor(pPopup->GetSite()->GetSafeHwnd(), GA_ROOT);
    ::RedrawWindow(hFrame, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    pPopup->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    pSubMenu->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    PumpMessages();
    CRect rcShot, rcMenu, rcSub;
    ::GetWindowRect(hFrame, &rcShot);
    pPopup->GetWindowRect(&rcMenu);
    pSubMenu->GetWindowRect(&rcSub);
    rcShot.UnionRect(rcShot, rcMenu);
    rcShot.UnionRect(rcShot, rcSub);
    const WindowImage shot = CaptureScreenRect(rcShot);
    g_headerMenu.strScreenshot = SaveScreenshot("commandbar-header-menu", shot.width, shot.height, shot.pixels);
    pPopup->OpenPopupAt(-1);
    pPopup->GetControl(1)->OnExecute();
}

// A report list whose header is the toolkit's, in a frame that records the list's notifications.
class CListFrame : public CWnd {
public:
    CListFrame()
    {
        // Wide enough for the menu opened on the second column and its submenu to lie over the frame.
        CreateEx(0, "STATIC", "Header menu", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_VISIBLE | WS_CLIPCHILDREN,
                 60, 60, 520, 220, nullptr, 0);
        CRect rcClient;
        GetClientRect(&rcClient);
        m_list.CreateEx(0, WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | LVS_REPORT, rcClient, this, 1);
        for (int i = 0; i < 2; ++i) {
            LVCOLUMNA column = {};
            column.mask = LVCF_TEXT | LVCF_WIDTH;
            column.cx = 120;
            column.pszText = const_cast<LPSTR>(i == 0 ? "Name" : "Address");
            m_list.SendMessage(LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&column));
        }
        m_header.SubclassWindow(reinterpret_cast<HWND>(m_list.SendMessage(LVM_GETHEADER)));
    }
    ~CListFrame() override
    {
        m_header.UnsubclassWindow();
        m_list.DestroyWindow();
        DestroyWindow();
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_NOTIFY && reinterpret_cast<const NMHDR*>(lParam)->code == LVN_COLUMNCLICK)
            m_nColumnClicks++;
        return CWnd::WindowProc(message, wParam, lParam);
    }

    CWnd m_list;
    CKitHeaderCtrl m_header;
    int m_nColumnClicks = 0;
};

// Ends the menu when the command did not end it, and remembers having done so.
bool g_bFallbackEnded = false;

void CALLBACK EndTrackingLate(HWND, UINT, UINT_PTR nIDEvent, DWORD)
{
    ::KillTimer(nullptr, nIDEvent);
    if (g_pTracked->IsTrackingMode()) {
        g_bFallbackEnded = true;
        g_pTracked->SetTrackingMode(0);
    }
}

TEST_F(PopupBarTest, AMenuReturningItsCommandClosesEvenForAControlThatKeepsMenusOpen)
{
    m_pPopup->GetControl(1)->SetCloseSubMenuOnClick(FALSE);
    g_pTracked = m_pPopup;
    g_nAction = 1;
    g_bFallbackEnded = false;
    const UINT_PTR nAnswer = ::SetTimer(nullptr, 0, 50, EndTracking);
    const UINT_PTR nFallback = ::SetTimer(nullptr, 0, 1500, EndTrackingLate);
    EXPECT_EQ(kCloseId, m_manager.TrackPopupMenu(m_pPopup, TPM_RETURNCMD, 200, 200, &m_site));
    ::KillTimer(nullptr, nAnswer);
    ::KillTimer(nullptr, nFallback);
    EXPECT_FALSE(g_bFallbackEnded);
    EXPECT_TRUE(m_site.m_commands.empty());
    EXPECT_TRUE(m_manager.IsCommandUsed(kCloseId));
}

TEST_F(PopupBarTest, ExecutingRecordsTheCommandAndTheControlThatOpenedItsPopupAsUsed)
{
    constexpr UINT kExportId = 42010;
    constexpr UINT kPdfId = 42011;
    auto* pExport = static_cast<CKitControlPopup*>(m_pPopup->GetControls()->Add(kitControlPopup, kExportId));
    CKitPopupBar* pSub = CKitPopupBar::CreatePopupBar(&m_manager);
    pExport->SetCommandBar(pSub);
    pSub->SetControlPopup(pExport);
    CKitControl* pPdf = pSub->GetControls()->Add(kitControlButton, kPdfId);
    pPdf->OnExecute();
    EXPECT_TRUE(m_manager.IsCommandUsed(kPdfId));
    EXPECT_TRUE(m_manager.IsCommandUsed(kExportId));
    EXPECT_FALSE(m_manager.IsCommandUsed(kOpenId));
    EXPECT_EQ((std::vector<UINT>{kPdfId}), m_site.m_commands);
    pSub->SetControlPopup(nullptr);
}

} // namespace

TEST(KitHeaderMenu, TheHeadersMenuIsAToolkitPopupMenuWithTheToolkitsImages)
{
    CKitPaintManager::SetTheme(0);
    {
        CListFrame frame;
        PumpMessages();
        frame.m_header.SetSortedColumn(1, TRUE);
        ::SetTimer(nullptr, 0, 100, ReadHeaderMenu);
        frame.m_header.SendMessage(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(150, 5));
        EXPECT_EQ((std::vector<std::string>{"Sort Ascending", "Sort Descending", "Alignment"}), g_headerMenu.captions);
        EXPECT_TRUE(g_headerMenu.bAscendingChecked);
        EXPECT_TRUE(g_headerMenu.bImages);
        EXPECT_EQ("", g_headerMenu.strScreenshot);
        // "Sort Descending" reached the header, which told the list.
        BOOL bAscending = TRUE;
        EXPECT_EQ(1, frame.m_header.GetSortedColumn(&bAscending));
        EXPECT_FALSE(bAscending);
        EXPECT_EQ(1, frame.m_nColumnClicks);
        EXPECT_EQ(nullptr, ::FindWindowA("KitPopupBar", nullptr));
    }
    CKitPaintManager::Done();
}

namespace {

std::string g_strBarsMenuShot;

void CALLBACK ShootBarsMenu(HWND, UINT, UINT_PTR nIDEvent, DWORD)
{
    ::KillTimer(nullptr, nIDEvent);
    CKitMouseManager* pMouse = CKitMouseManager::GetThreadManager();
    CKitCommandBar* pMenu = pMouse->GetTrackCount() > 0 ? pMouse->GetTrackAt(0) : nullptr;
    if (pMenu == nullptr)
        return;
    pMenu->SetSelected(1, kitSelectKeyboard);
    pMenu->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    CRect rc;
    pMenu->GetWindowRect(&rc);
    rc.InflateRect(4, 4);
    const WindowImage shot = CaptureScreenRect(rc);
    g_strBarsMenuShot = SaveScreenshot("commandbar-bars-context-menu", shot.width, shot.height, shot.pixels);
    pMenu->SetTrackingMode(0);
}

} // namespace

TEST(BarsContextMenu, ListsTheToolbarsCheckedWhileTheyShow)
{
    g_strBarsMenuShot = "not taken";
    {
        DockingSite site(CRect(40, 40, 560, 360));
        site.AddBar("Standard", kitBarTop, {"New", "Open", "Save"});
        site.AddBar("Formatting", kitBarTop, {"Bold", "Italic"});
        site.AddBar("Drawing", kitBarLeft, {"Line"})->SetVisible(FALSE);
        site.AddBar("Web", kitBarBottom, {"Go"});
        site.Layout();
        site.UpdateWindow();
        ::SetTimer(nullptr, 0, 80, ShootBarsMenu);
        EXPECT_TRUE(site.m_manager.ContextMenu(CPoint(300, 120)));
    }
    EXPECT_EQ("", g_strBarsMenuShot);
}

TEST(ExpandPopup, ShowsTheButtonsThatDidNotFitAsAToolbarAboveAddOrRemoveButtons)
{
    DockingSite site(CRect(40, 40, 560, 260));
    // Long enough for the popup, which opens leftwards from the button, to lie over the bar.
    CKitToolBar* pBar = site.AddBar("Standard", kitBarTop,
                                    {"New", "Open", "Save", "Cut", "Copy", "Paste", "Undo", "Redo", "Print", "Export",
                                     "Mail"});
    const int nFull = pBar->CalcDockLayout(2000, LM_HORZ | LM_HORZDOCK | LM_COMMIT).cx;
    pBar->MoveWindow(0, 0, nFull - 60, 28);
    pBar->CalcDockLayout(nFull - 60, LM_HORZ | LM_HORZDOCK | LM_COMMIT);
    pBar->UpdateWindow();
    const int nExpand = pBar->GetExpandButton() != nullptr ? pBar->GetExpandButton()->GetIndex() : -1;
    ASSERT_GE(nExpand, 0);
    ASSERT_TRUE(pBar->OpenPopupAt(nExpand));
    auto* pExpand = static_cast<CKitControlPopup*>(pBar->GetControl(nExpand));
    CKitCommandBar* pPopup = pExpand->GetCommandBar();
    ASSERT_NE(nullptr, pPopup);
    EXPECT_TRUE(pPopup->IsKindOf(RUNTIME_CLASS(CKitPopupToolBar)));
    site.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    pPopup->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    for (int i = 0; i < 10; i++) {
        PumpMessages();
        ::Sleep(10);
    }
    CRect rc;
    pPopup->GetWindowRect(&rc);
    EXPECT_FALSE(rc.IsRectEmpty());
    CRect rcSite;
    site.GetWindowRect(&rcSite);
    rc.UnionRect(rc, rcSite);
    const auto reopen = [&] {
        if (!pBar->OpenPopupAt(nExpand))
            return false;
        pExpand->GetCommandBar()->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        PumpMessages();
        return true;
    };
    const WindowImage shot = CaptureScreenRectWhileOpen(
        rc, [&] { return pExpand->GetCommandBar() != nullptr && pExpand->GetCommandBar()->IsVisible(); }, reopen);
    EXPECT_EQ("", SaveScreenshot("commandbar-expand-popup", shot.width, shot.height, shot.pixels));
    site.m_manager.ClosePopups();
}


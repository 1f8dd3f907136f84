// The command bar driven as the user drives it: selection, the keys of a tracking bar, mnemonics and the command-UI update.
#include "toolkit/commandbars/command_bar.h"
#include "toolkit/commandbars/menu_bar.h"
#include "toolkit/commandbars/popup_bar.h"
#include "toolkit/commandbars/command_bar_manager.h"
#include "toolkit/commandbars/control.h"
#include "toolkit/commandbars/controls.h"
#include "toolkit/commandbars/mouse_manager.h"
#include "toolkit/common/tooltip_context.h"
#include "toolkit/common/upper_services.h"

#include "support/canvas.h"
#include "support/held_keys.h"

#include "framework/frame.h"
#include "framework/msgmap.h"
#include "framework/wnd.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

namespace {

constexpr UINT kHandledId = 40001;
constexpr UINT kUnhandledId = 40002;

// A top-level window that records the commands and toolkit messages it receives and handles one command.
class CRecordingSite : public CWnd {
public:
    CRecordingSite() { CreateEx(0, "STATIC", "site", WS_POPUP, 0, 0, 400, 200, nullptr, 0); }
    ~CRecordingSite() override { DestroyWindow(); }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_COMMAND)
            m_commands.push_back(LOWORD(wParam));
        if (message == WM_KIT_TRACKING_MENUBAR)
            m_nMenuTracking++;
        if (message == WM_MOUSELEAVE)
            m_nMouseLeaves++;
        return CWnd::WindowProc(message, wParam, lParam);
    }

    // The WM_SYSCOMMAND waiting in the queue, if any: wParam and lParam.
    bool TakeSysCommand(WPARAM& wParam, LPARAM& lParam)
    {
        MSG msg;
        if (!::PeekMessageA(&msg, m_hWnd, WM_SYSCOMMAND, WM_SYSCOMMAND, PM_REMOVE))
            return false;
        wParam = msg.wParam;
        lParam = msg.lParam;
        return true;
    }

    std::vector<UINT> m_commands;
    int m_nMenuTracking = 0;
    int m_nMouseLeaves = 0;

    afx_msg void OnHandled() {}
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CRecordingSite, CWnd)
    ON_COMMAND(kHandledId, &CRecordingSite::OnHandled)
END_MESSAGE_MAP()

// A bar window inside the site, with the given controls, owned by a manager whose site is the site.
struct BarFixture {
    explicit BarFixture(CKitCommandBar* pBar, int nPosition = kitBarTop, DWORD dwExStyle = 0) : m_pBar(pBar)
    {
        m_manager.SetSite(&m_site);
        m_manager.AddCommandBar(pBar);
        pBar->SetPosition(nPosition);
        pBar->CreateEx(dwExStyle, "STATIC", "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 300, 30), &m_site, 1);
    }

    CKitControl* Add(CKitControl* pControl, LPCSTR lpszCaption, UINT nId)
    {
        m_pBar->GetControls()->AddControl(pControl);
        pControl->SetCaption(lpszCaption);
        pControl->SetId(nId);
        const int n = m_pBar->GetControlCount() - 1;
        pControl->SetRect(CRect(n * 40, 0, n * 40 + 40, 22));
        return pControl;
    }

    CRecordingSite m_site;
    CKitCommandBarManager m_manager;
    CKitCommandBar* m_pBar;
};

} // namespace

TEST(KitCommandBar, SelectingTheSelectedControlAgainChangesNothing)
{
    BarFixture f(new CKitToolBar());
    CKitControl* pFirst = f.Add(new CKitControlButton(), "One", 1);
    CKitControl* pSecond = f.Add(new CKitControlButton(), "Two", 2);

    EXPECT_TRUE(f.m_pBar->SetSelected(1, kitSelectMouse));
    EXPECT_EQ(1, pSecond->GetSelected());
    EXPECT_FALSE(f.m_pBar->SetSelected(1, kitSelectKeyboard));
    EXPECT_EQ(1, pSecond->GetSelected());
    EXPECT_EQ(kitSelectMouse, f.m_pBar->GetSelectionMode());

    // A keyboard selection moves the state over; -1 clears it.
    EXPECT_TRUE(f.m_pBar->SetSelected(0, kitSelectKeyboardBack));
    EXPECT_EQ(0, pSecond->GetSelected());
    EXPECT_EQ(kitSelectKeyboardBack, pFirst->GetSelected());
    EXPECT_TRUE(f.m_pBar->SetSelected(-1, kitSelectMouse));
    EXPECT_EQ(0, pFirst->GetSelected());
    EXPECT_EQ(-1, f.m_pBar->GetSelected());

    // Without a window nothing is selected.
    CKitToolBar loose;
    loose.GetControls()->AddControl(new CKitControlButton());
    EXPECT_FALSE(loose.SetSelected(0, kitSelectMouse));
    EXPECT_EQ(-1, loose.GetSelected());
}

// Space opens the window menu from a tracking menu bar only.
TEST(KitCommandBar, SpaceOnAMenuBarPostsTheKeyMenuCommand)
{
    struct Case {
        const char* name;
        CKitCommandBar* pBar;
        bool bPosted;
    };
    for (const Case& c : {Case{"menu bar", new CKitMenuBar(), true}, Case{"toolbar", new CKitToolBar(), false}}) {
        SCOPED_TRACE(c.name);
        BarFixture f(c.pBar);
        f.Add(new CKitControlButton(), "&Go", kHandledId);
        ASSERT_TRUE(f.m_pBar->SetTrackingMode(1, FALSE, TRUE));
        EXPECT_EQ(c.bPosted ? 1 : 0, f.m_site.m_nMenuTracking);

        EXPECT_EQ(c.bPosted ? TRUE : FALSE, f.m_pBar->OnKeyDownBar(kitKeySpace));
        WPARAM wParam = 0;
        LPARAM lParam = 0;
        EXPECT_EQ(c.bPosted, f.m_site.TakeSysCommand(wParam, lParam));
        if (c.bPosted) {
            EXPECT_EQ(static_cast<WPARAM>(SC_KEYMENU), wParam);
            EXPECT_EQ(0x20, lParam);
            // The popups were closed: the bar left tracking.
            EXPECT_FALSE(f.m_pBar->IsTrackingMode());
        }
        // Through the hooked key as well: the menu bar takes it, the toolbar lets it go on as a key.
        f.m_pBar->SetTrackingMode(1, FALSE, TRUE);
        f.m_pBar->OnHookKeyDown(VK_SPACE, 0);
        EXPECT_EQ(c.bPosted, f.m_site.TakeSysCommand(wParam, lParam));
        EXPECT_TRUE(f.m_site.m_commands.empty());
        f.m_pBar->SetTrackingMode(0, TRUE, FALSE);
    }
}

// Arrow keys move along the bar and open or close popups across it; right-to-left windows swap left and right.
TEST(KitCommandBar, ArrowKeysFollowTheBarsOrientationAndMirrorRightToLeft)
{
    enum Effect { kNext, kPrevious, kExpand, kCollapse };
    struct Case {
        int nPosition;
        bool bRtl;
        UINT nKey;
        Effect effect;
    };
    const Case cases[] = {
        {kitBarTop, false, VK_RIGHT, kNext},     {kitBarTop, false, VK_LEFT, kPrevious},
        {kitBarTop, false, VK_DOWN, kExpand},    {kitBarTop, false, VK_UP, kCollapse},
        {kitBarLeft, false, VK_DOWN, kNext},     {kitBarLeft, false, VK_UP, kPrevious},
        {kitBarLeft, false, VK_RIGHT, kExpand},  {kitBarLeft, false, VK_LEFT, kCollapse},
        {kitBarTop, true, VK_LEFT, kNext},       {kitBarTop, true, VK_RIGHT, kPrevious},
        {kitBarLeft, true, VK_LEFT, kExpand},    {kitBarLeft, true, VK_RIGHT, kCollapse},
        {kitBarFloating, false, VK_RIGHT, kNext}, {kitBarRight, true, VK_DOWN, kNext},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "position " << c.nPosition << (c.bRtl ? " rtl" : "") << " key " << c.nKey);
        BarFixture f(new CKitToolBar(), c.nPosition, c.bRtl ? WS_EX_LAYOUTRTL : 0);
        f.Add(new CKitControlButton(), "A", 1);
        auto* pPopup = static_cast<CKitControlPopup*>(f.Add(new CKitControlPopup(), "B", 0));
        pPopup->SetCommandBar(new CKitPopupBar());
        f.Add(new CKitControlButton(), "C", 3);
        ASSERT_TRUE(f.m_pBar->SetTrackingMode(1, FALSE, TRUE));
        f.m_pBar->SetSelected(1, kitSelectKeyboard);
        if (c.effect == kCollapse) {
            ASSERT_TRUE(f.m_pBar->OpenPopupAt(1, TRUE));
        }

        EXPECT_EQ(CKitHookManagerHookAble::kHandled, f.m_pBar->OnHookKeyDown(c.nKey, 0));
        switch (c.effect) {
        case kNext:
            EXPECT_EQ(2, f.m_pBar->GetSelected());
            break;
        case kPrevious:
            EXPECT_EQ(0, f.m_pBar->GetSelected());
            break;
        case kExpand:
            EXPECT_EQ(1, f.m_pBar->GetPopuped());
            break;
        case kCollapse:
            EXPECT_EQ(-1, f.m_pBar->GetPopuped());
            EXPECT_TRUE(f.m_pBar->IsTrackingMode());
            break;
        }
        f.m_pBar->SetTrackingMode(0, TRUE, FALSE);
    }
}

// In a toolbar whose controls wrap into rows, Up and Down move to the overlapping control of the row above or below.
TEST(KitCommandBar, UpAndDownMoveBetweenWrappedRows)
{
    BarFixture f(new CKitToolBar());
    const CRect rects[] = {{0, 0, 40, 22}, {40, 0, 80, 22}, {0, 22, 60, 44}, {60, 22, 100, 44}};
    for (int i = 0; i < 4; i++) {
        CKitControl* pControl = f.Add(new CKitControlButton(), "B", 100 + i);
        pControl->SetRect(rects[i]);
        pControl->SetWrap(i == 2);
    }
    ASSERT_TRUE(f.m_pBar->SetTrackingMode(1, FALSE, TRUE));
    f.m_pBar->SetSelected(1, kitSelectKeyboard);
    f.m_pBar->OnHookKeyDown(VK_DOWN, 0);
    EXPECT_EQ(2, f.m_pBar->GetSelected());
    f.m_pBar->OnHookKeyDown(VK_RIGHT, 0);
    EXPECT_EQ(3, f.m_pBar->GetSelected());
    f.m_pBar->OnHookKeyDown(VK_UP, 0);
    EXPECT_EQ(1, f.m_pBar->GetSelected());
    f.m_pBar->SetTrackingMode(0, TRUE, FALSE);
}

TEST(KitCommandBar, SelectionWrapsAroundAndSkipsHiddenControls)
{
    BarFixture f(new CKitToolBar());
    f.Add(new CKitControlButton(), "A", 1);
    f.Add(new CKitControlButton(), "B", 2)->SetHideFlags(1);
    f.Add(new CKitControlButton(), "C", 3);
    ASSERT_TRUE(f.m_pBar->SetTrackingMode(1, TRUE, TRUE));
    EXPECT_EQ(0, f.m_pBar->GetSelected());
    f.m_pBar->OnKeyDownBar(kitKeyNext);
    EXPECT_EQ(2, f.m_pBar->GetSelected());
    f.m_pBar->OnKeyDownBar(kitKeyNext);
    EXPECT_EQ(0, f.m_pBar->GetSelected());
    f.m_pBar->OnKeyDownBar(kitKeyPrevious);
    EXPECT_EQ(2, f.m_pBar->GetSelected());
    f.m_pBar->OnKeyDownBar(kitKeyHome);
    EXPECT_EQ(0, f.m_pBar->GetSelected());
    // Escape on a root bar ends tracking and clears the selection.
    f.m_pBar->OnKeyDownBar(kitKeyEscape);
    EXPECT_FALSE(f.m_pBar->IsTrackingMode());
    EXPECT_EQ(-1, f.m_pBar->GetSelected());
}

// A control that counts the clicks the bar gives it.
class CClickCounter : public CKitControlButton {
public:
    void OnClick(BOOL bKeyboard, CPoint /*pt*/) override { m_clicks.push_back(bKeyboard); }
    std::vector<BOOL> m_clicks;
};

// Two captions with "&F": the first F selects the first without clicking it, the next F the second;
// a mnemonic of its own selects and clicks as from the keyboard.
TEST(KitCommandBar, AMnemonicSharedByTwoCaptionsCyclesWithoutClicking)
{
    BarFixture f(new CKitToolBar());
    auto* pFile = static_cast<CClickCounter*>(f.Add(new CClickCounter(), "&File", 11));
    auto* pFormat = static_cast<CClickCounter*>(f.Add(new CClickCounter(), "&Format", 12));
    auto* pEdit = static_cast<CClickCounter*>(f.Add(new CClickCounter(), "&Edit", 13));
    ASSERT_TRUE(f.m_pBar->SetTrackingMode(1, FALSE, TRUE));

    f.m_pBar->OnHookKeyDown('F', 0);
    EXPECT_EQ(0, f.m_pBar->GetSelected());
    EXPECT_EQ(kitSelectKeyboard, pFile->GetSelected());
    f.m_pBar->OnHookKeyDown('F', 0);
    EXPECT_EQ(1, f.m_pBar->GetSelected());
    f.m_pBar->OnHookKeyDown('F', 0);
    EXPECT_EQ(0, f.m_pBar->GetSelected());
    EXPECT_TRUE(pFile->m_clicks.empty());
    EXPECT_TRUE(pFormat->m_clicks.empty());

    f.m_pBar->OnHookKeyDown('E', 0);
    EXPECT_EQ(2, f.m_pBar->GetSelected());
    EXPECT_EQ(std::vector<BOOL>{TRUE}, pEdit->m_clicks);
    // Return clicks the selection the same way.
    f.m_pBar->OnHookKeyDown(VK_RETURN, 0);
    EXPECT_EQ((std::vector<BOOL>{TRUE, TRUE}), pEdit->m_clicks);
    f.m_pBar->SetTrackingMode(0, TRUE, FALSE);
}

TEST(KitCommandBar, FindAcceleratorPrefersExplicitMnemonicsOverFirstLetters)
{
    BarFixture f(new CKitToolBar());
    f.Add(new CKitControlButton(), "Print", 1);
    f.Add(new CKitControlButton(), "Pre&view", 2);
    f.Add(new CKitControlButton(), "&&Paste", 3);
    f.Add(new CKitControlButton(), "Save &P", 4)->SetEnabled(0);
    BOOL bAmbiguous = TRUE;
    // "&&Paste" has no mnemonic: its first character '&' is its implicit one, so only "Print" starts with P.
    EXPECT_EQ(0, f.m_pBar->FindAccelerator('P', &bAmbiguous));
    EXPECT_FALSE(bAmbiguous);
    EXPECT_EQ(1, f.m_pBar->FindAccelerator('V', &bAmbiguous));
    EXPECT_FALSE(bAmbiguous);
    EXPECT_EQ(-1, f.m_pBar->FindAccelerator('Q', &bAmbiguous));
}

// A control whose command nothing handles is disabled when the manager's option says so.
TEST(KitCommandBar, AControlWithoutAHandlerIsDisabledWhenTheOptionIsOn)
{
    for (BOOL bDisable : {TRUE, FALSE}) {
        SCOPED_TRACE(bDisable ? "disable if no handler" : "keep enabled");
        BarFixture f(new CKitToolBar());
        f.m_manager.GetCommandBarsOptions()->bDisableIfNoHandler = bDisable;
        CKitControl* pHandled = f.Add(new CKitControlButton(), "Handled", kHandledId);
        CKitControl* pUnhandled = f.Add(new CKitControlButton(), "Unhandled", kUnhandledId);
        f.m_pBar->OnUpdateCmdUI();
        EXPECT_TRUE(pHandled->IsEnabled());
        EXPECT_EQ(!bDisable, pUnhandled->IsEnabled() != FALSE);
    }
}

namespace {

// A paint manager that only tells itself apart and counts its references.
class CFakePainter : public CKitBarPainter {
public:
    void AddPainterReference() override { m_nReferences++; }
    void ReleasePainterReference() override { m_nReferences--; }
    void FillCommandBarEntry(CDC*, CKitCommandBar*) override {}
    CSize DrawFloatingBarCaption(CDC*, CKitCommandBar*, BOOL) override { return CSize(0, 0); }
    CSize DrawCommandBarSeparator(CDC*, CKitCommandBar*, CKitControl*, BOOL) override { return CSize(0, 0); }
    CSize DrawControl(CDC*, CKitControl*, BOOL) override { return CSize(0, 0); }
    void AdjustControlRect(CRect&, CKitControl*, BOOL) override {}
    CRect GetCommandBarBorders(CKitCommandBar*) override { return CRect(); }
    CFont* GetCommandBarFont(CKitCommandBar*) override { return nullptr; }
    CFont* GetControlFont(CKitControl*) override { return nullptr; }
    COLORREF GetControlStateTextColor(BOOL, BOOL, BOOL, BOOL, BOOL, int, int) override { return 0; }
    COLORREF GetControlEditBackColor(CKitControl*) override { return RGB(255, 255, 255); }
    int GetControlHeight() const override { return 22; }
    CRect GetSplitButtonCommandRect(CKitControl*) override { return CRect(); }
    int GetSplitDropDownSize() const override { return 0; }
    void CastControlShadow(CWnd*, const CRect&) override {}
    void DrawKeyboardTip(CDC*, CKitCommandBarKeyboardTip*, BOOL) override {}

    int m_nReferences = 1;
};

// A popup bar opened from another bar.
class CChildPopupBar : public CKitPopupBar {
public:
    explicit CChildPopupBar(CKitCommandBar* pParent) : m_pParent(pParent) {}
    CKitCommandBar* GetParentCommandBar() const override { return m_pParent; }
    CKitCommandBar* m_pParent;
};

} // namespace

// The bar's own paint manager wins; with a manager the manager's follows, so the root bar's is never asked;
// without one the root bar's own.
TEST(KitCommandBar, ThePaintManagerIsTheBarsOwnThenTheManagersThenTheRootsOwn)
{
    CFakePainter own, managers, roots;
    CKitToolBar root;
    root.SetPaintManager(&roots);
    CChildPopupBar child(&root);
    EXPECT_EQ(&roots, child.GetPaintManager());

    CKitCommandBarManager manager;
    manager.SetPaintManager(&managers);
    root.SetCommandBars(&manager);
    EXPECT_EQ(&manager, child.GetCommandBars());
    EXPECT_EQ(&managers, child.GetPaintManager());
    EXPECT_EQ(&roots, root.GetPaintManager());

    child.SetPaintManager(&own);
    EXPECT_EQ(&own, child.GetPaintManager());
    // Replacing an own paint manager lets the old reference go.
    child.SetPaintManager(nullptr);
    EXPECT_EQ(0, own.m_nReferences);
    root.SetCommandBars(nullptr);
    root.SetPaintManager(nullptr);
    manager.SetPaintManager(nullptr);
    EXPECT_EQ(0, roots.m_nReferences);
    EXPECT_EQ(0, managers.m_nReferences);
}

// The customize insertion mark: an upright I-beam in a toolbar, a flat one in a popup, inverted in the face colour.
TEST(KitCommandBar, TheInsertMarkIsAnIBeamAcrossTheBarsDirection)
{
    const COLORREF clrFace = ::GetSysColor(COLOR_3DFACE);
    const CRect rc(10, 4, 20, 24);
    struct Case {
        const char* name;
        CKitCommandBar* pBar;
        std::vector<CPoint> marked;
        std::vector<CPoint> clear;
        int nMarked;
    };
    CKitToolBar toolbar;
    toolbar.SetPosition(kitBarTop);
    CKitPopupBar popup;
    const Case cases[] = {
        {"toolbar", &toolbar, {{10, 4}, {19, 4}, {11, 5}, {12, 10}, {13, 10}, {10, 23}, {11, 22}},
         {{10, 5}, {14, 10}, {19, 5}}, 2 * 10 + 2 * 8 + 2 * 16},
        {"popup", &popup, {{10, 4}, {10, 23}, {19, 12}, {11, 5}, {18, 5}, {12, 6}, {17, 7}},
         {{11, 4}, {12, 8}, {18, 4}}, 2 * 20 + 2 * 18 + 2 * 6},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Canvas canvas(40, 30, RGB(0, 0, 0));
        c.pBar->SetInsertMark(rc);
        c.pBar->DrawInsertMark(&canvas.dc);
        for (const CPoint& pt : c.marked)
            EXPECT_EQ(clrFace, canvas.Pixel(pt.x, pt.y)) << pt.x << "," << pt.y;
        for (const CPoint& pt : c.clear)
            EXPECT_EQ(RGB(0, 0, 0), canvas.Pixel(pt.x, pt.y)) << pt.x << "," << pt.y;
        EXPECT_EQ(c.nMarked, canvas.Count(CRect(0, 0, 40, 30), clrFace));
    }
}

TEST(KitCommandBar, AClonedBarIsOfTheSameClassWithCopiedSettingsAndControls)
{
    CKitMenuBar source;
    source.SetTitle("Menu Bar");
    source.SetPosition(kitBarTop);
    source.SetFlags(0x2000);
    source.SetMRUWidth(200);
    source.GetControls()->AddControl(new CKitControlButton())->SetCaption("&File");
    CKitCommandBar* pClone = source.Clone(TRUE);
    ASSERT_NE(nullptr, pClone);
    EXPECT_TRUE(pClone->IsKindOf(RUNTIME_CLASS(CKitMenuBar)));
    EXPECT_EQ(kitBarTypeMenuBar, pClone->GetType());
    EXPECT_STREQ("Menu Bar", pClone->GetTitle());
    // The menu bar's own docking flags (95) with the one added.
    EXPECT_EQ(0x205Fu, pClone->GetFlags());
    EXPECT_EQ(200, pClone->GetMRUWidth());
    ASSERT_EQ(1, pClone->GetControlCount());
    EXPECT_STREQ("&File", pClone->GetControl(0)->GetCaption());
    EXPECT_EQ(pClone, pClone->GetControl(0)->GetParent());
    pClone->InternalRelease();
}

// The mouse manager while a bar tracks: repeated moves at one point reach the bars once, a click outside closes them.
class CCountingBar : public CKitToolBar {
public:
    void OnMouseMoveBar(UINT nFlags, CPoint point) override
    {
        m_moves.push_back(point);
        CKitToolBar::OnMouseMoveBar(nFlags, point);
    }
    std::vector<CPoint> m_moves;
};

TEST(KitMouseManager, IdenticalMovesWhileTrackingReachTheBarsOnce)
{
    auto* pBar = new CCountingBar();
    BarFixture f(pBar);
    f.m_site.SetWindowPos(nullptr, 100, 100, 400, 200, SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    f.Add(new CKitControlButton(), "A", 1);
    CKitMouseManager* pMouse = CKitMouseManager::GetThreadManager();

    // Not tracking: every move goes on and none is handed to the bar.
    EXPECT_FALSE(pMouse->ProcessMouseMessage(WM_MOUSEMOVE, CPoint(700, 500)));
    EXPECT_FALSE(pMouse->ProcessMouseMessage(WM_MOUSEMOVE, CPoint(700, 500)));
    EXPECT_TRUE(pBar->m_moves.empty());

    ASSERT_TRUE(pBar->SetTrackingMode(1, FALSE, FALSE));
    ASSERT_EQ(1, pMouse->GetTrackCount());
    EXPECT_FALSE(pMouse->ProcessMouseMessage(WM_MOUSEMOVE, CPoint(710, 520)));
    EXPECT_TRUE(pMouse->ProcessMouseMessage(WM_MOUSEMOVE, CPoint(710, 520)));
    EXPECT_TRUE(pMouse->ProcessMouseMessage(WM_NCMOUSEMOVE, CPoint(710, 520)));
    EXPECT_FALSE(pMouse->ProcessMouseMessage(WM_MOUSEMOVE, CPoint(711, 520)));
    ASSERT_EQ(2u, pBar->m_moves.size());
    // In the bar's client coordinates.
    CPoint ptClient(710, 520);
    pBar->ScreenToClient(&ptClient);
    EXPECT_EQ(ptClient, pBar->m_moves[0]);

    // A click in a trusted window leaves the bar open; one elsewhere closes it.
    CRecordingSite trusted;
    trusted.SetWindowPos(nullptr, 600, 400, 100, 100, SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    pMouse->AddTrustedWindow(trusted.GetSafeHwnd());
    EXPECT_FALSE(pMouse->ProcessMouseMessage(WM_LBUTTONDOWN, CPoint(650, 450)));
    EXPECT_TRUE(pBar->IsTrackingMode());
    pMouse->RemoveTrustedWindow(trusted.GetSafeHwnd());
    EXPECT_FALSE(pMouse->ProcessMouseMessage(WM_LBUTTONDOWN, CPoint(650, 450)));
    EXPECT_FALSE(pBar->IsTrackingMode());
    EXPECT_EQ(0, pMouse->GetTrackCount());

    // A click into the bar itself keeps it tracking.
    pBar->SetTrackingMode(1, FALSE, FALSE);
    CRect rcBar;
    pBar->GetWindowRect(&rcBar);
    pMouse->ProcessMouseMessage(WM_LBUTTONDOWN, rcBar.CenterPoint());
    EXPECT_TRUE(pBar->IsTrackingMode());
    pBar->SetTrackingMode(0, TRUE, FALSE);
}

// The button-up after a click that expanded a popup is eaten once; a new button-down forgets it.
TEST(KitMouseManager, TheButtonUpAfterAnExpandClickIsSwallowedOnce)
{
    CKitMouseManager* pMouse = CKitMouseManager::GetThreadManager();
    pMouse->SwallowButtonUp();
    EXPECT_TRUE(pMouse->ProcessMouseMessage(WM_LBUTTONUP, CPoint(5, 5)));
    EXPECT_FALSE(pMouse->ProcessMouseMessage(WM_LBUTTONUP, CPoint(5, 5)));
    pMouse->SwallowButtonUp();
    EXPECT_FALSE(pMouse->ProcessMouseMessage(WM_LBUTTONDOWN, CPoint(5, 5)));
    EXPECT_FALSE(pMouse->ProcessMouseMessage(WM_LBUTTONUP, CPoint(5, 5)));
}

// One window is watched for the mouse leaving at a time: watching another tells the first one.
TEST(KitMouseManager, WatchingAnotherWindowSendsTheFirstItsMouseLeave)
{
    CKitMouseManager* pMouse = CKitMouseManager::GetThreadManager();
    CRecordingSite first, second;
    pMouse->TrackMouseLeave(first.GetSafeHwnd());
    pMouse->TrackMouseLeave(first.GetSafeHwnd());
    EXPECT_EQ(0, first.m_nMouseLeaves);
    pMouse->TrackMouseLeave(second.GetSafeHwnd());
    EXPECT_EQ(1, first.m_nMouseLeaves);
    EXPECT_EQ(0, second.m_nMouseLeaves);
    pMouse->TrackMouseLeave(nullptr);
    EXPECT_EQ(1, second.m_nMouseLeaves);
}

TEST(KitMouseManager, ABarThatGoesAwayLeavesTheTrackedList)
{
    CKitMouseManager* pMouse = CKitMouseManager::GetThreadManager();
    {
        BarFixture f(new CKitToolBar());
        f.Add(new CKitControlButton(), "A", 1);
        f.m_pBar->SetTrackingMode(1, FALSE, FALSE);
        EXPECT_TRUE(pMouse->IsTracked(f.m_pBar));
        // Other bars are locked out while one tracks.
        CKitToolBar other;
        EXPECT_TRUE(pMouse->IsTrackingLocked(&other));
        EXPECT_FALSE(pMouse->IsTrackingLocked(f.m_pBar));
    }
    EXPECT_EQ(0, pMouse->GetTrackCount());
}

TEST(KitMnemonics, TheMarkerSkipsDoubledAmpersands)
{
    struct Case {
        const char* caption;
        int nPosition;
    };
    for (const Case& c : {Case{"&&Print &Preview", 8}, Case{"&&Only", -1}, Case{"&File", 0}, Case{"Save &As", 5},
                          Case{"No marker", -1}, Case{"Trailing &", 9}, Case{"", -1}}) {
        EXPECT_EQ(c.nPosition, FindCaptionMnemonic(c.caption)) << c.caption;
    }
    EXPECT_EQ(-1, FindCaptionMnemonic(nullptr));
}

TEST(KitMnemonics, KeysMatchTheirCharactersAndTheNumberPadItsDigits)
{
    struct Case {
        UINT nChar;
        UINT nKey;
        bool bMatch;
    };
    for (const Case& c : {Case{'5', VK_NUMPAD5, true}, Case{'6', VK_NUMPAD5, false}, Case{'0', VK_NUMPAD0, true},
                          Case{'a', 'A', true}, Case{'A', 'A', true}, Case{'x', 'A', false}, Case{'5', '5', true},
                          Case{'a', VK_LEFT, false}}) {
        EXPECT_EQ(c.bMatch, CompareMnemonicKey(c.nChar, c.nKey) != FALSE) << c.nChar << " " << c.nKey;
    }
}

namespace {

// A button that records the wheel it is offered and takes it when told to.
class CWheelButton : public CKitControlButton {
public:
    BOOL OnHookMouseWheel(UINT /*nFlags*/, short zDelta, CPoint /*pt*/) override
    {
        m_deltas.push_back(zDelta);
        return m_bTakes;
    }
    BOOL m_bTakes = FALSE;
    std::vector<int> m_deltas;
};

} // namespace

TEST(KitCommandBar, TheWheelGoesToTheSelectedControlFirst)
{
    BarFixture f(new CKitToolBar());
    auto* pWheel = static_cast<CWheelButton*>(f.Add(new CWheelButton(), "Zoom", 1));
    f.Add(new CKitControlButton(), "Other", 2);
    WPARAM wParam = MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA));
    LPARAM lParam = MAKELPARAM(10, 10);
    LRESULT lResult = 0;
    // Not tracking: nothing is offered.
    EXPECT_EQ(CKitHookManagerHookAble::kNotHandled, f.m_pBar->OnHookMessage(nullptr, WM_MOUSEWHEEL, wParam, lParam,
                                                                             lResult));
    ASSERT_TRUE(f.m_pBar->SetTrackingMode(1, FALSE, TRUE));
    f.m_pBar->SetSelected(0, kitSelectKeyboard);
    for (BOOL bTakes : {TRUE, FALSE}) {
        pWheel->m_bTakes = bTakes;
        EXPECT_EQ(CKitHookManagerHookAble::kHandled,
                  f.m_pBar->OnHookMessage(nullptr, WM_MOUSEWHEEL, wParam, lParam, lResult));
    }
    EXPECT_EQ((std::vector<int>{-WHEEL_DELTA, -WHEEL_DELTA}), pWheel->m_deltas);
    // Another control selected: the wheel control is not asked.
    f.m_pBar->SetSelected(1, kitSelectKeyboard);
    f.m_pBar->OnHookMessage(nullptr, WM_MOUSEWHEEL, wParam, lParam, lResult);
    EXPECT_EQ(2u, pWheel->m_deltas.size());
    f.m_pBar->SetTrackingMode(0, TRUE, FALSE);
}

TEST(KitCommandBar, CtrlTabMovesKeyboardTrackingToTheNextShownToolbar)
{
    BarFixture f(new CKitToolBar());
    f.Add(new CKitControlButton(), "A", 1);
    f.Add(new CKitControlButton(), "B", 2);
    CKitToolBar* bars[3] = {static_cast<CKitToolBar*>(f.m_pBar), new CKitToolBar(), new CKitToolBar()};
    for (int i = 1; i < 3; ++i) {
        f.m_manager.AddCommandBar(bars[i]);
        bars[i]->CreateEx(0, "STATIC", "", WS_CHILD | (i == 2 ? WS_VISIBLE : 0), CRect(0, 30 * i, 300, 30 * i + 30),
                          &f.m_site, 1 + i);
        bars[i]->GetControls()->AddControl(new CKitControlButton());
        bars[i]->GetControl(0)->SetCaption("C");
        bars[i]->GetControl(0)->SetRect(CRect(0, 0, 40, 22));
    }

    struct Case {
        const char* pszName;
        bool bCtrl;
        bool bShift;
        int nFrom;
        int nTracking; // the bar tracking afterwards
        int nSelected; // its selection
    };
    const Case cases[] = {
        {"ctrl+tab skips the hidden bar", true, false, 0, 2, 0},
        {"ctrl+shift+tab goes back, wrapping", true, true, 0, 2, 0},
        {"ctrl+tab wraps to the first", true, false, 2, 0, 0},
        {"tab alone moves inside the bar", false, false, 0, 0, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pszName);
        ASSERT_TRUE(bars[c.nFrom]->SetTrackingMode(1, TRUE, TRUE));
        bars[c.nFrom]->SetSelected(0, kitSelectKeyboard);
        {
            CHeldKeys keys(c.bCtrl, c.bShift);
            EXPECT_EQ(CKitHookManagerHookAble::kHandled, bars[c.nFrom]->OnHookKeyDown(VK_TAB, 0));
        }
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(i == c.nTracking, bars[i]->IsTrackingMode() != FALSE) << i;
        EXPECT_EQ(c.nSelected, bars[c.nTracking]->GetSelected());
        if (c.nTracking != c.nFrom)
            EXPECT_TRUE(f.m_manager.IsKeyboardCuesVisible());
        f.m_manager.ClosePopups();
    }
}

namespace {

// A manager whose active document template the test sets.
class CTemplateManager : public CKitCommandBarManager {
public:
    UINT GetActiveDocTemplate() const override { return m_nTemplate; }
    UINT m_nTemplate = 0;
};

} // namespace

TEST(KitCommandBar, TheIdleUpdateHidesControlsByTheActiveDocumentTemplate)
{
    // The idle update runs for shown bars only: the site is shown away from the screen.
    CRecordingSite site;
    site.SetWindowPos(nullptr, -3000, -3000, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    site.ShowWindow(SW_SHOWNOACTIVATE);
    CTemplateManager manager;
    manager.SetSite(&site);
    auto* pBar = new CKitToolBar();
    manager.AddCommandBar(pBar);
    pBar->CreateEx(0, "STATIC", "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 300, 30), &site, 1);
    CKitControl* pAny = pBar->GetControls()->Add(kitControlButton, kHandledId);
    CKitControl* pShown = pBar->GetControls()->Add(kitControlButton, kHandledId);
    CKitControl* pHidden = pBar->GetControls()->Add(kitControlButton, kHandledId);
    pShown->GetDocTemplatesAssigned()->SetAt(7, 0);
    pShown->GetDocTemplatesAssigned()->SetAt(8, 0);
    pHidden->GetDocTemplatesExcluded()->SetAt(7, 0);

    struct Case {
        UINT nTemplate;
        bool bShown;
        bool bHidden;
    };
    for (const Case& c : {Case{7, true, false}, Case{9, false, true}, Case{8, true, true}, Case{0, false, true}}) {
        SCOPED_TRACE(testing::Message() << "template " << c.nTemplate);
        manager.m_nTemplate = c.nTemplate;
        pBar->ForceIdleUpdate();
        EXPECT_TRUE(pAny->IsVisible());
        EXPECT_EQ(c.bShown, pShown->IsVisible() != FALSE);
        EXPECT_EQ(c.bHidden, pHidden->IsVisible() != FALSE);
        EXPECT_EQ(c.bShown ? 0u : static_cast<DWORD>(kitHideDocTemplate), pShown->GetHideFlags());
    }
    site.ShowWindow(SW_HIDE);
}

TEST(KitCommandBar, ShortcutTextsComeFromTheFramesAcceleratorTable)
{
    auto* pFrame = new CFrameWnd();
    ASSERT_TRUE(pFrame->Create(nullptr, "frame", WS_OVERLAPPEDWINDOW, CRect(0, 0, 400, 300)));
    ACCEL accels[] = {
        {FVIRTKEY | FCONTROL, 'S', 100},
        {FVIRTKEY | FSHIFT, VK_F6, 101},
        {FVIRTKEY | FALT, VK_DELETE, 102},
        {0, 3, 104},
        {FVIRTKEY | FCONTROL, 'T', 101},
    };
    pFrame->m_hAccelTable = ::CreateAcceleratorTableA(accels, 5);
    CKitCommandBarManager manager;
    manager.SetSite(pFrame);
    auto* pBar = new CKitToolBar();
    manager.AddCommandBar(pBar);
    pBar->CreateEx(0, "STATIC", "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 300, 30), pFrame, 1);
    for (UINT nId : {100u, 101u, 102u, 103u, 104u})
        pBar->GetControls()->Add(kitControlButton, nId)->SetCaption("Item");
    pBar->GetControl(3)->SetCaption("Go\tCtrl+G");

    struct Case {
        int nIndex;
        LPCSTR lpszText;
    };
    const Case cases[] = {{0, "Ctrl+S"}, {1, "Shift+F6"}, {2, "Alt+Del"}, {3, "Ctrl+G"}, {4, "Ctrl+C"}};
    // A layout fills them in; the first accelerator of a command wins and a caption's own text stays.
    pBar->CalcDynamicLayout(300, LM_HORZ | LM_COMMIT);
    for (const Case& c : cases)
        EXPECT_STREQ(c.lpszText, pBar->GetControl(c.nIndex)->GetShortcutTextAuto()) << c.nIndex;
    EXPECT_STREQ("Ctrl+S", pBar->GetControl(0)->GetShortcutText());

    // Tooltips end with the shortcut, unless they are markup.
    for (int i = 0; i < 5; ++i)
        pBar->GetControl(i)->SetRect(CRect(i * 40, 0, i * 40 + 40, 22));
    struct TipCase {
        int nIndex;
        LPCSTR lpszTooltip;
        LPCSTR lpszExpected;
    };
    const TipCase tips[] = {
        {0, "Save", "Save (Ctrl+S)"}, {1, "Next pane", "Next pane (Shift+F6)"}, {2, "<b>Delete</b>", "<b>Delete</b>"},
        {3, "Go", "Go (Ctrl+G)"},
    };
    for (const TipCase& c : tips) {
        CKitControl* pControl = pBar->GetControl(c.nIndex);
        pControl->SetTooltip(c.lpszTooltip);
        TOOLINFOA ti = {};
        ti.cbSize = TTTOOLINFOA_V1_SIZE;
        EXPECT_EQ(static_cast<INT_PTR>(pControl->GetId()), pBar->OnToolHitTest(pControl->GetRect().CenterPoint(), &ti));
        EXPECT_STREQ(c.lpszExpected, ti.lpszText) << c.nIndex;
        EXPECT_EQ(pControl->GetRect(), CRect(ti.rect));
        std::free(ti.lpszText);
    ti.lpszText = nullptr;
    }
    TOOLINFOA ti = {};
    ti.cbSize = TTTOOLINFOA_V1_SIZE;
    manager.GetCommandBarsOptions()->bShortcutsInTooltips = FALSE;
    EXPECT_EQ(100, pBar->OnToolHitTest(pBar->GetControl(0)->GetRect().CenterPoint(), &ti));
    EXPECT_STREQ("Save", ti.lpszText);
    std::free(ti.lpszText);
    ti.lpszText = nullptr;
    EXPECT_EQ(-1, pBar->OnToolHitTest(CPoint(299, 29), &ti));
    manager.GetCommandBarsOptions()->bShowTooltips = FALSE;
    EXPECT_EQ(-1, pBar->OnToolHitTest(pBar->GetControl(0)->GetRect().CenterPoint(), &ti));
    manager.GetCommandBarsOptions()->bShowTooltips = TRUE;

    // A context menu without shortcuts clears them; with the option off nothing changes.
    CKitPopupBar* pPopup = CKitPopupBar::CreatePopupBar(&manager);
    pPopup->GetControls()->Add(kitControlButton, 100)->SetShortcutTextAuto("old");
    manager.GetCommandBarsOptions()->bAutoShortcuts = FALSE;
    pPopup->UpdateShortcuts();
    EXPECT_STREQ("old", pPopup->GetControl(0)->GetShortcutTextAuto());
    manager.GetCommandBarsOptions()->bAutoShortcuts = TRUE;
    manager.GetCommandBarsOptions()->bShortcutsInContextMenus = FALSE;
    pPopup->UpdateShortcuts();
    EXPECT_STREQ("", pPopup->GetControl(0)->GetShortcutTextAuto());
    // Popups show tooltips only with their option or for a control that asks for one.
    pPopup->GetControl(0)->SetTooltip("Save");
    pPopup->GetControl(0)->SetRect(CRect(0, 0, 40, 20));
    for (DWORD dwFlags : {0ul, static_cast<unsigned long>(kitFlagShowTooltip)}) {
        pPopup->GetControl(0)->SetFlags(dwFlags);
        EXPECT_EQ(dwFlags != 0 ? 100 : -1, pPopup->OnToolHitTest(CPoint(10, 10), &ti));
        std::free(ti.lpszText);
        ti.lpszText = nullptr;
    }
    pPopup->InternalRelease();

    manager.RemoveAll();
    ::DestroyAcceleratorTable(pFrame->m_hAccelTable);
    pFrame->m_hAccelTable = nullptr;
    pFrame->DestroyWindow();
}

TEST(KitCommandBar, AccessibilityClientsSeeTheBarAndOneChildPerControl)
{
    BarFixture f(new CKitToolBar());
    f.m_pBar->SetTitle("Standard");
    f.Add(new CKitControlButton(), "&Save", 1)->SetShortcutText("Ctrl+S");
    f.Add(new CKitControlButton(), "Print", 2);
    CKitCommandBar* pBar = f.m_pBar;
    auto child = [](long nChild) { return CKitAccessible::MakeLong(nChild); };
    long nCount = 0;
    ASSERT_EQ(S_OK, pBar->GetAccessibleChildCount(&nCount));
    EXPECT_EQ(2, nCount);
    ASSERT_TRUE(pBar->SetTrackingMode(1, FALSE, TRUE));
    pBar->SetSelected(0, kitSelectKeyboard);

    struct Case {
        long nChild;
        LPCWSTR lpszName;
        long nRole;
        long nState;
    };
    const Case cases[] = {
        {CHILDID_SELF, L"Standard", ROLE_SYSTEM_TOOLBAR, 0},
        {1, L"Save\tCtrl+S", ROLE_SYSTEM_MENUITEM, 0x300000 | 0x86},
        {2, L"Print", ROLE_SYSTEM_MENUITEM, 0x300000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.nChild);
        BSTR bstrName = nullptr;
        ASSERT_EQ(S_OK, pBar->GetAccessibleName(child(c.nChild), &bstrName));
        EXPECT_STREQ(c.lpszName, bstrName);
        ::SysFreeString(bstrName);
        VARIANT var;
        ASSERT_EQ(S_OK, pBar->GetAccessibleRole(child(c.nChild), &var));
        EXPECT_EQ(c.nRole, var.lVal);
        ASSERT_EQ(S_OK, pBar->GetAccessibleState(child(c.nChild), &var));
        EXPECT_EQ(c.nState, var.lVal);
    }
    BSTR bstrName = nullptr;
    EXPECT_EQ(E_INVALIDARG, pBar->GetAccessibleName(child(3), &bstrName));

    // Location and hit test in screen coordinates; a hit child comes back as its own object.
    CRect rcControl = pBar->GetControl(1)->GetRect();
    pBar->ClientToScreen(&rcControl);
    long x = 0, y = 0, cx = 0, cy = 0;
    ASSERT_EQ(S_OK, pBar->AccessibleLocation(&x, &y, &cx, &cy, child(2)));
    EXPECT_EQ(rcControl, CRect(CPoint(x, y), CSize(cx, cy)));
    VARIANT hit;
    ASSERT_EQ(S_OK, pBar->AccessibleHitTest(rcControl.left + 5, rcControl.top + 5, &hit));
    ASSERT_EQ(VT_DISPATCH, hit.vt);
    EXPECT_EQ(static_cast<IDispatch*>(pBar->GetControl(1)->GetAccessibleInterface()), hit.pdispVal);
    ::VariantClear(&hit);
    IDispatch* pChild = nullptr;
    ASSERT_EQ(S_OK, pBar->GetAccessibleChild(child(1), &pChild));
    EXPECT_EQ(static_cast<IDispatch*>(pBar->GetControl(0)->GetAccessibleInterface()), pChild);
    pChild->Release();
    pBar->SetTrackingMode(0, TRUE, FALSE);

    // A popup bar is a menu whose parent is the control that opened it.
    CKitPopupBar* pPopup = CKitPopupBar::CreatePopupBar(&f.m_manager);
    auto* pOpener = static_cast<CKitControlPopup*>(f.Add(new CKitControlPopup(), "More", 3));
    pPopup->SetControlPopup(pOpener);
    VARIANT role;
    ASSERT_EQ(S_OK, pPopup->GetAccessibleRole(child(CHILDID_SELF), &role));
    EXPECT_EQ(ROLE_SYSTEM_MENUPOPUP, role.lVal);
    ASSERT_EQ(S_OK, pPopup->GetAccessibleState(child(CHILDID_SELF), &role));
    EXPECT_EQ(STATE_SYSTEM_INVISIBLE, role.lVal);
    IDispatch* pParent = nullptr;
    ASSERT_EQ(S_OK, pPopup->GetAccessibleParent(&pParent));
    EXPECT_EQ(static_cast<IDispatch*>(pOpener->GetAccessibleInterface()), pParent);
    pParent->Release();
    pPopup->SetControlPopup(nullptr);
    pPopup->InternalRelease();
}

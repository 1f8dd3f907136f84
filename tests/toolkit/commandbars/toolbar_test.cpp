// Toolbars: loading a toolbar resource, the expand button at the end of a docked bar with its popup
// for adding or removing buttons, the buttons in a floating bar's caption, the bars' context menu,
// floating bars following their frame's activation, Tab in a dialog, the site's say in the buttons
// made from ids, and bars laid out in a frame without dock bars.
#include "docking_fixture.h"
#include "docking_test_ids.h"

#include "support/held_keys.h"
#include "support/message_box_recorder.h"
#include "toolkit/commandbars/control.h"
#include "toolkit/commandbars/controls.h"
#include "toolkit/commandbars/mouse_manager.h"

#include "framework/frame.h"
#include "framework/ids.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(ToolBar, LoadsTheControlsOfAToolbarResource)
{
    CKitToolBar bar;
    ASSERT_TRUE(bar.LoadToolBar(IDR_DOCK_TOOLBAR, FALSE));
    ASSERT_EQ(2, bar.GetControlCount());
    EXPECT_EQ(100u, bar.GetControl(0)->GetId());
    EXPECT_FALSE(bar.GetControl(0)->GetBeginGroup());
    EXPECT_EQ(101u, bar.GetControl(1)->GetId());
    EXPECT_TRUE(bar.GetControl(1)->GetBeginGroup());
    // The loaded controls are the bar's built-in set.
    ASSERT_NE(nullptr, bar.GetControls()->GetOriginalControls());
    EXPECT_FALSE(bar.GetControls()->IsChanged());
    EXPECT_EQ(static_cast<UINT>(IDR_DOCK_TOOLBAR), bar.GetResourceId());

    // A resource shorter than its count, and one that is not there, load nothing.
    CKitToolBar broken;
    EXPECT_FALSE(broken.LoadToolBar(IDR_DOCK_SHORT_TOOLBAR, FALSE));
    EXPECT_FALSE(broken.LoadToolBar(40299, FALSE));
    EXPECT_EQ(0, broken.GetControlCount());
}

TEST(ToolBar, ResetBringsBackTheBuiltInControlsAfterAsking)
{
    MessageBoxRecorder recorder;
    CKitToolBar bar;
    bar.SetTitle("Standard");
    ASSERT_TRUE(bar.LoadToolBar(IDR_DOCK_TOOLBAR, FALSE));
    bar.GetControls()->Remove(0);
    ASSERT_TRUE(bar.GetControls()->IsChanged());

    recorder.QueueAnswer(IDCANCEL);
    bar.Reset(TRUE);
    ASSERT_EQ(1u, recorder.Count());
    EXPECT_STREQ("Are you sure you want to reset the changes made to the 'Standard' toolbar?", recorder.Last().text);
    EXPECT_EQ(static_cast<UINT>(MB_OKCANCEL | MB_ICONWARNING), recorder.Last().type);
    EXPECT_EQ(1, bar.GetControlCount());

    recorder.QueueAnswer(IDOK);
    bar.Reset(TRUE);
    ASSERT_EQ(2, bar.GetControlCount());
    EXPECT_EQ(100u, bar.GetControl(0)->GetId());
    EXPECT_TRUE(bar.GetControl(1)->GetBeginGroup());
    EXPECT_FALSE(bar.GetControls()->IsChanged());
}

class DockedToolBar : public testing::Test {
protected:
    void SetUp() override
    {
        m_pBar = m_site.AddBar("Standard", kitBarTop, {"New", "Open", "Save", "Print", "Export"});
    }

    // The committed docked layout at the length.
    CSize Commit(int nLength) { return m_pBar->CalcDockLayout(nLength, LM_HORZ | LM_HORZDOCK | LM_COMMIT); }

    int HiddenCount() const
    {
        int n = 0;
        for (int i = 0; i < m_pBar->GetControlCount(); i++)
            n += (m_pBar->GetControl(i)->GetHideFlags() & kitHideWrap) != 0 ? 1 : 0;
        return n;
    }

    DockingSite m_site;
    CKitToolBar* m_pBar = nullptr;
};

TEST_F(DockedToolBar, ABarWhoseControlsFitShowsNoExpandButton)
{
    const CSize sz = Commit(2000);
    EXPECT_EQ(0, HiddenCount());
    const CKitControl* pExpand = m_pBar->GetExpandButton();
    EXPECT_TRUE(pExpand == nullptr || !pExpand->IsVisible());
    EXPECT_LT(sz.cx, 2000);
}

TEST_F(DockedToolBar, ABarThatDoesNotFitGetsTheExpandStripAtItsEnd)
{
    const CSize szFull = Commit(2000);
    const int nLength = szFull.cx - 30;
    const CSize sz = Commit(nLength);
    EXPECT_GE(HiddenCount(), 1);
    EXPECT_LE(sz.cx, nLength);
    const CKitControl* pExpand = m_pBar->GetExpandButton();
    ASSERT_NE(nullptr, pExpand);
    EXPECT_TRUE(pExpand->IsVisible());
    EXPECT_TRUE(pExpand->IsTemporary());
    EXPECT_EQ(kitIdToolbarExpand, pExpand->GetId());
    EXPECT_EQ(kitExpandStripSize, pExpand->GetRect().Width());
    // The strip follows the last control shown.
    int nLastRight = 0;
    for (int i = 0; i < m_pBar->GetControlCount(); i++) {
        const CKitControl* pControl = m_pBar->GetControl(i);
        if (pControl != pExpand && pControl->IsVisible())
            nLastRight = std::max(nLastRight, static_cast<int>(pControl->GetRect().right));
    }
    EXPECT_GE(pExpand->GetRect().left, nLastRight);
    // Measuring (no commit) leaves room for the strip after the narrowest layout.
    const CSize szMeasured = m_pBar->CalcDockLayout(nLength, LM_HORZ | LM_HORZDOCK);
    EXPECT_GE(szMeasured.cx, kitExpandStripSize);
    // Room again: the button goes.
    Commit(2000);
    EXPECT_EQ(0, HiddenCount());
    EXPECT_FALSE(m_pBar->GetExpandButton()->IsVisible());
}

TEST_F(DockedToolBar, TheAlwaysShowOptionShowsTheExpandButtonWhenEverythingFits)
{
    m_site.m_manager.GetCommandBarsOptions()->bAlwaysShowExpandButton = TRUE;
    Commit(2000);
    EXPECT_EQ(0, HiddenCount());
    ASSERT_NE(nullptr, m_pBar->GetExpandButton());
    EXPECT_TRUE(m_pBar->GetExpandButton()->IsVisible());
}

TEST_F(DockedToolBar, AFloatingBarShowsACloseButtonOnlyWhenItMayClose)
{
    ASSERT_TRUE(m_pBar->SetPosition(kitBarFloating));
    ASSERT_TRUE(m_pBar->IsFloating());
    EXPECT_EQ(0, m_pBar->GetStyle() & WS_CHILD);

    struct Case {
        BOOL bCloseable;
        BOOL bAlwaysExpand;
        bool bClose;
        bool bExpand;
    };
    const Case cases[] = {
        {TRUE, FALSE, true, false},
        {FALSE, FALSE, false, false},
        {FALSE, TRUE, false, true},
        {TRUE, TRUE, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "closeable " << c.bCloseable << " always expand " << c.bAlwaysExpand);
        m_pBar->SetCloseable(c.bCloseable);
        m_site.m_manager.GetCommandBarsOptions()->bAlwaysShowExpandButton = c.bAlwaysExpand;
        const CSize sz = m_pBar->CalcDynamicLayout(-1, LM_HORZ | LM_MRUWIDTH | LM_COMMIT);
        const CKitControl* pClose = m_pBar->GetCloseButton();
        const CKitControl* pExpand = m_pBar->GetExpandButton();
        EXPECT_EQ(c.bClose, pClose != nullptr && pClose->IsVisible());
        EXPECT_EQ(c.bExpand, pExpand != nullptr && pExpand->IsVisible());
        // The rightmost caption button ends 3 pixels in from the width.
        const CKitControl* pRightmost = c.bClose ? pClose : c.bExpand ? pExpand : nullptr;
        if (pRightmost != nullptr) {
            EXPECT_EQ(sz.cx - 3, pRightmost->GetRect().right);
            EXPECT_EQ(3, pRightmost->GetRect().top);
            EXPECT_EQ(pRightmost->GetRect().Width(), pRightmost->GetRect().Height());
        }
    }
    // Floating bars size from their borders.
    const LRESULT nHit = m_pBar->SendMessage(WM_NCHITTEST, 0, [this] {
        CRect rc;
        m_pBar->GetWindowRect(&rc);
        return MAKELPARAM(rc.left + rc.Width() / 2, rc.top + 1);
    }());
    EXPECT_EQ(HTTOP, nHit);
}

TEST_F(DockedToolBar, TheCloseButtonHidesTheBarAndTheFrameLaysOutAgain)
{
    m_pBar->SetPosition(kitBarFloating);
    m_pBar->CalcDynamicLayout(-1, LM_HORZ | LM_MRUWIDTH | LM_COMMIT);
    ASSERT_NE(nullptr, m_pBar->GetCloseButton());
    m_pBar->GetCloseButton()->OnExecute();
    EXPECT_FALSE(m_pBar->IsVisible());
    EXPECT_FALSE(m_pBar->IsWindowVisible());
}

TEST_F(DockedToolBar, TheExpandPopupOffersToAddOrRemoveTheBarsButtons)
{
    const struct {
        const char* pszName;
        BOOL bAlwaysExpand;
        BOOL bCustomizable;
        bool bAddRemove;
    } cases[] = {
        {"option on", TRUE, FALSE, true},
        {"customizable", FALSE, TRUE, true},
        {"neither", FALSE, FALSE, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszName);
        m_site.m_manager.GetCommandBarsOptions()->bAlwaysShowExpandButton = c.bAlwaysExpand;
        m_pBar->SetCustomizable(c.bCustomizable);
        // The buttons that do not fit (the last) come first, then the item for adding or removing buttons.
        Commit(Commit(2000).cx - 30);
        const int nHidden = HiddenCount();
        ASSERT_GE(nHidden, 1);
        auto* pExpand = DYNAMIC_DOWNCAST(CKitControlPopup, m_pBar->GetExpandButton());
        ASSERT_NE(nullptr, pExpand);
        pExpand->SetPopup(TRUE);
        CKitCommandBar* pPopup = pExpand->GetCommandBar();
        ASSERT_NE(nullptr, pPopup);
        ASSERT_EQ(nHidden + (c.bAddRemove ? 1 : 0), pPopup->GetControlCount());
        EXPECT_STREQ("Export", pPopup->GetControl(nHidden - 1)->GetCaption());
        if (c.bAddRemove) {
            auto* pAddRemove = DYNAMIC_DOWNCAST(CKitControlPopup, pPopup->GetControl(nHidden));
            ASSERT_NE(nullptr, pAddRemove);
            EXPECT_EQ(kitIdAddRemoveButtons, pAddRemove->GetId());
            EXPECT_STREQ("&Add or Remove Buttons", pAddRemove->GetCaption());
            EXPECT_TRUE(pAddRemove->GetBeginGroup());
            EXPECT_NE(0, pAddRemove->GetEnabledState());
            // Its popup lists every button of the bar, checked while it shows.
            CKitCommandBar* pButtons = pAddRemove->GetCommandBar();
            ASSERT_NE(nullptr, pButtons);
            ASSERT_EQ(5, pButtons->GetControlCount());
            for (int i = 0; i < 5; i++) {
                EXPECT_EQ(m_pBar->GetControl(i)->GetCaption(), pButtons->GetControl(i)->GetCaption());
                EXPECT_NE(0, pButtons->GetControl(i)->GetChecked());
            }
            // Unchecking "Save" hides it on the bar; checking it again brings it back.
            CKitControl* pSave = pButtons->GetControl(2);
            pSave->OnExecute();
            EXPECT_EQ(0, pSave->GetChecked());
            EXPECT_FALSE(m_pBar->GetControl(2)->IsVisible());
            pSave->OnExecute();
            EXPECT_NE(0, pSave->GetChecked());
            EXPECT_EQ(0u, m_pBar->GetControl(2)->GetHideFlags() & kitHideUser);
        }
        pExpand->SetPopup(FALSE);
    }
}

TEST_F(DockedToolBar, AddOrRemoveButtonsIsDisabledForABarOfOneButton)
{
    DockingSite site;
    CKitToolBar* pBar = site.AddBar("Single", kitBarTop, {"New"});
    site.m_manager.GetCommandBarsOptions()->bAlwaysShowExpandButton = TRUE;
    pBar->CalcDockLayout(2000, LM_HORZ | LM_HORZDOCK | LM_COMMIT);
    auto* pExpand = DYNAMIC_DOWNCAST(CKitControlPopup, pBar->GetExpandButton());
    ASSERT_NE(nullptr, pExpand);
    pExpand->SetPopup(TRUE);
    ASSERT_NE(nullptr, pExpand->GetCommandBar());
    CKitControl* pAddRemove = pExpand->GetCommandBar()->GetControls()->FindControlById(kitIdAddRemoveButtons);
    ASSERT_NE(nullptr, pAddRemove);
    EXPECT_EQ(0, pAddRemove->GetEnabledState());
    pExpand->SetPopup(FALSE);
}


// What the bars' context menu showed, read from inside its modal loop; then it runs the item of
// g_nToolbarItem (-1: it is dismissed).
struct ContextMenuSeen {
    std::vector<std::string> captions;
    std::vector<int> checks;
    int nShown = 0;
};
ContextMenuSeen g_menuSeen;
int g_nToolbarItem = -1;

void CALLBACK ReadContextMenu(HWND, UINT, UINT_PTR nIDEvent, DWORD)
{
    ::KillTimer(nullptr, nIDEvent);
    CKitMouseManager* pMouse = CKitMouseManager::GetThreadManager();
    auto* pPopup = pMouse->GetTrackCount() > 0 ? DYNAMIC_DOWNCAST(CKitPopupBar, pMouse->GetTrackAt(0)) : nullptr;
    if (pPopup == nullptr)
        return;
    g_menuSeen.nShown++;
    g_menuSeen.captions.clear();
    g_menuSeen.checks.clear();
    for (int i = 0; i < pPopup->GetControlCount(); i++) {
        g_menuSeen.captions.push_back(static_cast<LPCSTR>(pPopup->GetControl(i)->GetCaption()));
        g_menuSeen.checks.push_back(pPopup->GetControl(i)->GetChecked());
    }
    if (g_nToolbarItem >= 0)
        pPopup->GetControl(g_nToolbarItem)->OnExecute();
    else
        pPopup->SetTrackingMode(0);
}

class BarsContextMenu : public testing::Test {
protected:
    void SetUp() override
    {
        g_menuSeen = ContextMenuSeen();
        m_pStandard = m_site.AddBar("Standard", kitBarTop, {"New", "Open"});
        m_pFormatting = m_site.AddBar("Format&ting", kitBarTop, {"Bold"});
        m_pFixed = m_site.AddBar("Fixed", kitBarLeft, {"Pin"});
        m_pFixed->SetCloseable(FALSE);
        m_pQuiet = m_site.AddBar("Quiet", kitBarBottom, {"Hush"});
        m_pQuiet->SetContextMenuPresent(FALSE);
        m_pFormatting->SetVisible(FALSE);
        m_site.Layout();
    }

    // Right-clicks the window at the client point while the timer reads the menu.
    void RightClick(CWnd* pWnd, CPoint pt, int nItem)
    {
        g_nToolbarItem = nItem;
        ::SetTimer(nullptr, 0, 50, ReadContextMenu);
        pWnd->SendMessage(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(pt.x, pt.y));
        PumpMessages();
    }

    DockingSite m_site;
    CKitToolBar* m_pStandard = nullptr;
    CKitToolBar* m_pFormatting = nullptr;
    CKitToolBar* m_pFixed = nullptr;
    CKitToolBar* m_pQuiet = nullptr;
};

TEST_F(BarsContextMenu, ADockBarListsTheBarsThatMayCloseAndItsItemShowsAHiddenBar)
{
    CKitDockBar* pTop = m_site.m_manager.GetDockBar(kitBarTop);
    CRect rcTop;
    pTop->GetClientRect(&rcTop);
    RightClick(pTop, CPoint(rcTop.right - 2, rcTop.bottom - 2), 1);
    ASSERT_EQ(1, g_menuSeen.nShown);
    // Ampersands of a title are shown as they are.
    EXPECT_EQ((std::vector<std::string>{"Standard", "Format&&ting"}), g_menuSeen.captions);
    EXPECT_EQ((std::vector<int>{1, 0}), g_menuSeen.checks);
    EXPECT_TRUE(m_pFormatting->IsVisible());
    EXPECT_EQ(0, CKitMouseManager::GetThreadManager()->GetTrackCount());

    // From the bar itself, away from its buttons: now both are checked; running the first hides it.
    CRect rcBar;
    m_pStandard->GetClientRect(&rcBar);
    RightClick(m_pStandard, CPoint(rcBar.right - 2, rcBar.bottom / 2), 0);
    ASSERT_EQ(2, g_menuSeen.nShown);
    EXPECT_EQ((std::vector<int>{1, 1}), g_menuSeen.checks);
    EXPECT_FALSE(m_pStandard->IsVisible());
    // The items never reach the site as commands, nor stay in any bar.
    EXPECT_EQ(nullptr, m_pStandard->GetControls()->FindControlById(ID_VIEW_TOOLBAR));
}

TEST_F(BarsContextMenu, NoMenuOpensWhenNoBarOffersItself)
{
    m_pStandard->SetContextMenuPresent(FALSE);
    m_pFormatting->SetCloseable(FALSE);
    g_nToolbarItem = -1;
    const UINT_PTR nTimer = ::SetTimer(nullptr, 0, 50, ReadContextMenu);
    EXPECT_FALSE(m_site.m_manager.ContextMenu(CPoint(200, 200)));
    ::KillTimer(nullptr, nTimer);
    EXPECT_EQ(0, g_menuSeen.nShown);
}

// A top-level window that takes the activation away from the site.
class COtherWindow : public CWnd {
public:
    COtherWindow()
    {
        CreateEx(0, "STATIC", "Other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 600, 40, 200, 120, nullptr, 0);
    }
    ~COtherWindow() override { DestroyWindow(); }
};

TEST_F(DockedToolBar, AFloatingBarHidesWhileItsFrameIsInactiveAndStillCountsAsShown)
{
    ASSERT_TRUE(m_pBar->SetPosition(kitBarFloating));
    EXPECT_NE(0u, m_pBar->GetStyle() & CKitCommandBar::kStyleSyncActive);
    EXPECT_EQ(TRUE, m_pBar->SendMessage(WM_FLOATSTATUS, FS_SYNCACTIVE, 0));
    COtherWindow other;
    ::SetForegroundWindow(other.GetSafeHwnd());
    PumpMessages();

    m_pBar->SendMessage(WM_FLOATSTATUS, FS_DEACTIVATE, 0);
    EXPECT_FALSE(m_pBar->IsWindowVisible());
    EXPECT_TRUE(m_pBar->IsVisible());
    // Its frame active again: it shows.
    ::SetForegroundWindow(m_site.GetSafeHwnd());
    PumpMessages();
    m_pBar->SendMessage(WM_FLOATSTATUS, FS_ACTIVATE, 0);
    EXPECT_TRUE(m_pBar->IsWindowVisible());
    m_pBar->SendMessage(WM_FLOATSTATUS, FS_DISABLE, 0);
    EXPECT_FALSE(m_pBar->IsWindowEnabled());
    m_pBar->SendMessage(WM_FLOATSTATUS, FS_ENABLE, 0);
    EXPECT_TRUE(m_pBar->IsWindowEnabled());

    // With the option off, and for a bar the user hid, the frame's state changes nothing.
    ::SetForegroundWindow(other.GetSafeHwnd());
    PumpMessages();
    m_site.m_manager.GetCommandBarsOptions()->bHideFloatingBarsWithFrame = FALSE;
    m_pBar->SendMessage(WM_FLOATSTATUS, FS_DEACTIVATE, 0);
    EXPECT_TRUE(m_pBar->IsWindowVisible());
    m_site.m_manager.GetCommandBarsOptions()->bHideFloatingBarsWithFrame = TRUE;
    m_pBar->SetVisible(FALSE);
    ::SetForegroundWindow(m_site.GetSafeHwnd());
    PumpMessages();
    m_pBar->SendMessage(WM_FLOATSTATUS, FS_ACTIVATE, 0);
    EXPECT_FALSE(m_pBar->IsWindowVisible());
}

TEST(FloatingToolBar, FollowsTheActivationOfTheFrameThatOwnsIt)
{
    CKitPaintManager::SetTheme(0);
    auto* pFrame = new CFrameWnd();
    ASSERT_TRUE(pFrame->Create(nullptr, "Frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(40, 40, 500, 300)));
    {
        CKitCommandBarManager manager;
        manager.SetSite(pFrame);
        ASSERT_TRUE(manager.EnableDocking());
        CKitToolBar* pBar = manager.Add("Floating", kitBarFloating);
        ASSERT_NE(nullptr, pBar);
        pBar->GetControls()->Add(kitControlButton, 41000)->SetCaption("Go");
        ::SetForegroundWindow(pFrame->GetSafeHwnd());
        PumpMessages();
        ASSERT_TRUE(pBar->IsWindowVisible());
        {
            COtherWindow other;
            ::SetForegroundWindow(other.GetSafeHwnd());
            PumpMessages();
            EXPECT_FALSE(pBar->IsWindowVisible());
            ::SetForegroundWindow(pFrame->GetSafeHwnd());
            PumpMessages();
            EXPECT_TRUE(pBar->IsWindowVisible());
        }
        manager.RemoveAll();
    }
    pFrame->DestroyWindow();
    PumpMessages();
    CKitPaintManager::Done();
}

TEST(ToolBarInADialog, TabHandsTheFocusToTheDialogsNextOrPreviousControl)
{
    CKitPaintManager::SetTheme(0);
    CWnd dialog;
    dialog.Attach(::CreateWindowExA(WS_EX_CONTROLPARENT, "#32770", "Dialog", WS_POPUP | WS_CAPTION | WS_VISIBLE, 60,
                                    60, 360, 200, nullptr, nullptr, nullptr, nullptr));
    ASSERT_NE(nullptr, dialog.GetSafeHwnd());
    const HWND hBefore = ::CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 10, 10, 100, 20,
                                           dialog.GetSafeHwnd(), reinterpret_cast<HMENU>(1001), nullptr, nullptr);
    {
        CKitCommandBarManager manager;
        manager.SetSite(&dialog);
        manager.GetCommandBarsOptions()->bDisableIfNoHandler = FALSE;
        auto* pBar = new CKitToolBar();
        manager.AddCommandBar(pBar);
        ASSERT_TRUE(pBar->CreateBar(&dialog, WS_CHILD | WS_VISIBLE, 1002));
        pBar->MoveWindow(10, 40, 300, 30);
        pBar->GetControls()->Add(kitControlButton, 41000)->SetCaption("A");
        pBar->GetControls()->Add(kitControlButton, 41001)->SetCaption("B");
        pBar->OnRecalcLayout();
        const HWND hAfter = ::CreateWindowExA(0, "BUTTON", "OK", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 10, 80, 80, 24,
                                              dialog.GetSafeHwnd(), reinterpret_cast<HMENU>(1003), nullptr, nullptr);
        ::SetForegroundWindow(dialog.GetSafeHwnd());
        PumpMessages();
        const struct {
            const char* pszName;
            bool bShift;
            HWND hFocus;
        } cases[] = {{"tab", false, hAfter}, {"shift+tab", true, hBefore}};
        for (const auto& c : cases) {
            SCOPED_TRACE(c.pszName);
            ::SetFocus(hBefore);
            ASSERT_TRUE(pBar->SetTrackingMode(1, TRUE, TRUE));
            {
                CHeldKeys keys(false, c.bShift);
                EXPECT_EQ(1, pBar->OnHookKeyDown(VK_TAB, 0));
            }
            EXPECT_FALSE(pBar->IsTrackingMode());
            EXPECT_EQ(c.hFocus, ::GetFocus());
        }
        manager.RemoveAll();
    }
    dialog.DestroyWindow();
    PumpMessages();
    CKitPaintManager::Done();
}

// A site that has its say in the controls made from command ids and in the expand button's popup.
class CButtonsSite : public DockingSite {
public:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        auto* pRecord = reinterpret_cast<KIT_CONTROL_FROM_MENU*>(lParam);
        if (message == WM_KIT_CONTROL_CREATE) {
            m_asked.push_back(pRecord->nId);
            if (pRecord->nId == 201) {
                m_pGiven = new CKitControlPopup();
                pRecord->pControl = m_pGiven;
                return 1;
            }
            if (pRecord->nId == 202) {
                pRecord->nType = kitControlCheckBox;
                pRecord->bBeginGroup = FALSE;
                return 1;
            }
            // Changed without an answer: not taken.
            if (pRecord->nId == 203)
                pRecord->nType = kitControlCheckBox;
        }
        if (message == WM_KIT_CONTROL_CREATED)
            m_made.push_back(pRecord->pControl);
        if (message == WM_KIT_POPUP_BAR_CREATE && pRecord->dwFlags == 1 && m_bGivePopup) {
            m_pGivenPopup = CKitPopupBar::CreatePopupBar(&m_manager);
            pRecord->pCommandBar = m_pGivenPopup;
            return 1;
        }
        return DockingSite::WindowProc(message, wParam, lParam);
    }

    std::vector<UINT> m_asked;
    std::vector<CKitControl*> m_made;
    CKitControl* m_pGiven = nullptr;
    BOOL m_bGivePopup = FALSE;
    CKitPopupBar* m_pGivenPopup = nullptr;
};

TEST(ToolBarButtons, TheSiteMayHandOverAControlOrChangeTheTypeOfEachButtonMadeFromAnId)
{
    CButtonsSite site;
    CKitToolBar* pBar = site.AddBar("Ids", kitBarTop, {});
    const UINT ids[] = {201, 0, 202, 203};
    pBar->SetButtons(ids, 4);
    EXPECT_EQ((std::vector<UINT>{201, 202, 203}), site.m_asked);
    ASSERT_EQ(3, pBar->GetControlCount());
    // The handed-over control is added as it is, and takes the id.
    EXPECT_EQ(site.m_pGiven, pBar->GetControl(0));
    EXPECT_EQ(201u, pBar->GetControl(0)->GetId());
    EXPECT_EQ(kitControlCheckBox, pBar->GetControl(1)->GetType());
    // The site took the group away from 202.
    EXPECT_FALSE(pBar->GetControl(1)->GetBeginGroup());
    EXPECT_EQ(kitControlButton, pBar->GetControl(2)->GetType());
    EXPECT_EQ((std::vector<CKitControl*>{pBar->GetControl(0), pBar->GetControl(1), pBar->GetControl(2)}),
              site.m_made);

    // A toolbar resource goes the same way.
    site.m_asked.clear();
    site.m_made.clear();
    ASSERT_TRUE(pBar->LoadToolBar(IDR_DOCK_TOOLBAR, FALSE));
    EXPECT_EQ((std::vector<UINT>{100, 101}), site.m_asked);
    ASSERT_EQ(2u, site.m_made.size());
    EXPECT_TRUE(site.m_made[1]->GetBeginGroup());
}

TEST(ToolBarButtons, TheSiteMaySupplyTheExpandButtonsPopup)
{
    CButtonsSite site;
    CKitToolBar* pBar = site.AddBar("Standard", kitBarTop, {"New", "Open", "Save", "Print", "Export"});
    const int nFull = pBar->CalcDockLayout(2000, LM_HORZ | LM_HORZDOCK | LM_COMMIT).cx;
    pBar->CalcDockLayout(nFull - 30, LM_HORZ | LM_HORZDOCK | LM_COMMIT);
    auto* pExpand = DYNAMIC_DOWNCAST(CKitControlPopup, pBar->GetExpandButton());
    ASSERT_NE(nullptr, pExpand);
    // Without the site: a popup toolbar.
    pExpand->SetPopup(TRUE);
    EXPECT_TRUE(pExpand->GetCommandBar()->IsKindOf(RUNTIME_CLASS(CKitPopupToolBar)));
    pExpand->SetPopup(FALSE);
    // The site's popup is filled the same way.
    site.m_bGivePopup = TRUE;
    pExpand->SetPopup(TRUE);
    ASSERT_NE(nullptr, site.m_pGivenPopup);
    EXPECT_EQ(site.m_pGivenPopup, pExpand->GetCommandBar());
    ASSERT_GE(site.m_pGivenPopup->GetControlCount(), 2);
    EXPECT_STREQ("Export", site.m_pGivenPopup->GetControl(site.m_pGivenPopup->GetControlCount() - 2)->GetCaption());
    EXPECT_EQ(kitIdAddRemoveButtons,
              site.m_pGivenPopup->GetControl(site.m_pGivenPopup->GetControlCount() - 1)->GetId());
    pExpand->SetPopup(FALSE);
}

TEST(FrameWithoutDockBars, ToolbarsTakeTheTopOfTheFreeRectangleOneBelowTheOther)
{
    DockingSite site(CRect(40, 40, 560, 360), WS_OVERLAPPEDWINDOW | WS_VISIBLE, FALSE);
    CKitToolBar* pFirst = site.AddBar("First", kitBarTop, {"New", "Open"});
    CKitToolBar* pSecond = site.AddBar("Second", kitBarTop, {"Cut"});
    CKitToolBar* pHidden = site.AddBar("Hidden", kitBarTop, {"Zoom"});
    pHidden->SetVisible(FALSE);
    CRect rcClient;
    site.GetClientRect(&rcClient);

    // Measuring moves nothing.
    CRect rcMeasured = rcClient;
    pFirst->MoveWindow(5, 200, 40, 10);
    const CRect rcFirstBefore = DockingSite::PlaceOf(pFirst);
    site.m_manager.RepositionDockBars(rcMeasured, FALSE);
    EXPECT_EQ(rcFirstBefore, DockingSite::PlaceOf(pFirst));

    CRect rcFree = rcClient;
    site.m_manager.RepositionDockBars(rcFree);
    EXPECT_EQ(rcMeasured, rcFree);
    const CRect rcFirst = DockingSite::PlaceOf(pFirst);
    const CRect rcSecond = DockingSite::PlaceOf(pSecond);
    EXPECT_EQ(CPoint(0, 0), rcFirst.TopLeft());
    EXPECT_GT(rcFirst.Height(), 0);
    EXPECT_LT(rcFirst.Width(), rcClient.Width());
    EXPECT_EQ(CPoint(0, rcFirst.bottom), rcSecond.TopLeft());
    EXPECT_EQ(CRect(rcClient.left, rcSecond.bottom, rcClient.right, rcClient.bottom), rcFree);

    // A bar that fills its row stretches across the frame.
    pSecond->SetFlags(kitDockFullRow);
    rcFree = rcClient;
    site.m_manager.RepositionDockBars(rcFree);
    EXPECT_EQ(rcClient.Width(), DockingSite::PlaceOf(pSecond).Width());

    // Hiding a bar lying in a site without a manager has the site lay out again.
    auto* pLone = new CKitToolBar();
    pLone->SetPosition(kitBarTop);
    ASSERT_TRUE(pLone->CreateBar(&site));
    pLone->SetSite(&site);
    const int nSized = site.m_nSized;
    pLone->SetVisible(FALSE);
    EXPECT_EQ(nSized + 1, site.m_nSized);
    pLone->DestroyWindow();
    pLone->InternalRelease();
}

} // namespace

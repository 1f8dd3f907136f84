// kithost's ribbon variant: the frame with its ribbon of three tabs, groups that reduce when the frame narrows, the
// application button's menu with the recent files, the backstage view and the quick access toolbar kept over a
// restart; build/screens/kithost-ribbon.png (full
// width), kithost-ribbon-reduced.png (narrow), kithost-ribbon-group-popup.png, kithost-ribbon-keytips.png,
// kithost-system-menu.png and kithost-backstage.png; and the "/ribbon" switch.
#include "support/canvas.h"
#include "kithost_steps.h"
#include "support/message_pump.h"
#include "support/test_program.h"
#include "support/window_capture.h"
#include "support/window_screenshot.h"
#include "toolkit/commandbars/command_bar_manager.h"
#include "toolkit/commandbars/control.h"
#include "toolkit/commandbars/controls.h"
#include "toolkit/commandbars/keyboard_tip.h"
#include "toolkit/common/image_manager.h"
#include "toolkit/common/toolkit_ids.h"
#include "toolkit/themes/paint/default_theme.h"
#include "toolkit/themes/paint/paint_manager.h"
#include "toolkit/themes/ribbon/ribbon_backstage_view.h"
#include "toolkit/themes/ribbon/ribbon_control_tab.h"
#include "toolkit/themes/ribbon/ribbon_group.h"
#include "toolkit/themes/ribbon/ribbon_group_popup.h"
#include "toolkit/themes/ribbon/ribbon_quick_access.h"
#include "toolkit/themes/ribbon/ribbon_system_button.h"
#include "toolkit/themes/ribbon/ribbon_system_popup_bar.h"
#include "toolkit/themes/ribbon/ribbon_system_theme.h"
#include "toolkit/themes/ribbon/ribbon_tab.h"
#include "tools/kithost/kithost_options.h"
#include "tools/kithost/kithost_ribbon.h"
#include "tools/kithost/res/resource.h"

#include "framework/ids.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A width at which the Home tab's groups no longer fit in full.
constexpr int kNarrowWidth = 600;

TEST(KitHostRibbonSwitch, RibbonWordChoosesTheRibbonFrame)
{
    const struct {
        const char* pszLine;
        bool bRibbon;
        int nTheme;
    } cases[] = {{"/ribbon", true, 0},          {"-ribbon /theme 2", true, 2}, {"/theme 6 /ribbon", true, 6},
                 {"a.txt /ribbon", true, 0},    {"/ribbons", false, 0},        {"ribbon", false, 0},
                 {"", false, 0},                {nullptr, false, 0}};
    for (const auto& c : cases) {
        const char* pszName = c.pszLine != nullptr ? c.pszLine : "(none)";
        EXPECT_EQ(c.bRibbon, KitHostRibbonOption(c.pszLine)) << pszName;
        EXPECT_EQ(c.nTheme, KitHostThemeOption(c.pszLine)) << pszName;
    }
}

// The quick access toolbar's commands and its place are kept under the frame's registry key when it closes and
// come back when it opens again.
TEST(KitHostRibbonState, QuickAccessAndItsPlaceComeBackWhenTheFrameOpensAgain)
{
    CKitPaintManager::SetTheme(0);
    const CString strKey = TestRegistryRoot() + "\\kithost-ribbon";
    ::RegDeleteTreeA(HKEY_CURRENT_USER, strKey);
    auto open = [&strKey]() {
        auto* pFrame = new CKitHostRibbonFrame();
        pFrame->SetBarStateKey(strKey);
        EXPECT_TRUE(pFrame->CreateHost());
        pFrame->ShowWindow(SW_SHOWNORMAL);
        KitHostIdle(pFrame);
        return pFrame;
    };
    auto quickAccessIds = [](CKitRibbonBar* pRibbon) {
        std::vector<UINT> ids;
        for (int i = 0; i < pRibbon->GetQuickAccessControls()->GetCount(); i++)
            ids.push_back(pRibbon->GetQuickAccessControls()->GetAt(i)->GetId());
        return ids;
    };

    CKitHostRibbonFrame* pFrame = open();
    CKitHostRibbonBar* pRibbon = pFrame->GetRibbonBar();
    ASSERT_EQ((std::vector<UINT>{ID_FILE_SAVE, ID_EDIT_UNDO, ID_EDIT_REDO}), quickAccessIds(pRibbon));
    ASSERT_FALSE(pRibbon->IsQuickAccessBelowRibbon());
    // The user takes Save off the quick access toolbar and puts the toolbar below the ribbon, as the quick
    // access context menu's choices do.
    auto* pRemoveItem = new CKitControlButton();
    pRemoveItem->SetTag(reinterpret_cast<DWORD_PTR>(pRibbon->GetQuickAccessControls()->GetAt(0)));
    NMKITCONTROL record{};
    record.hdr.hwndFrom = pRibbon->GetSafeHwnd();
    record.hdr.idFrom = ID_KIT_RIBBON_QA_REMOVE;
    record.hdr.code = static_cast<UINT>(kitNotifyExecute);
    record.pControl = pRemoveItem;
    pRibbon->SendMessage(WM_KIT_CONTROL_NOTIFY, ID_KIT_RIBBON_QA_REMOVE, reinterpret_cast<LPARAM>(&record));
    pRemoveItem->InternalRelease();
    pRibbon->SendMessage(WM_COMMAND, MAKEWPARAM(ID_KIT_RIBBON_QA_SHOW_BELOW, 0), 0);
    KitHostIdle(pFrame);
    ASSERT_EQ((std::vector<UINT>{ID_EDIT_UNDO, ID_EDIT_REDO}), quickAccessIds(pRibbon));
    ASSERT_TRUE(pRibbon->IsQuickAccessBelowRibbon());
    const CString strUndo = pRibbon->GetQuickAccessControls()->GetAt(0)->GetCaption();
    pFrame->DestroyWindow();
    PumpMessages();

    pFrame = open();
    pRibbon = pFrame->GetRibbonBar();
    EXPECT_EQ((std::vector<UINT>{ID_EDIT_UNDO, ID_EDIT_REDO}), quickAccessIds(pRibbon));
    EXPECT_TRUE(pRibbon->IsQuickAccessBelowRibbon());
    EXPECT_EQ(strUndo, pRibbon->GetQuickAccessControls()->GetAt(0)->GetCaption());
    // The rest of the ribbon is the program's own, docked at the top and laid out with the toolbar under the
    // groups.
    EXPECT_EQ(3, pRibbon->GetTabCount());
    EXPECT_NE(nullptr, pRibbon->GetSystemButton());
    EXPECT_EQ(kitBarTop, pRibbon->GetPosition());
    EXPECT_TRUE(pRibbon->IsVisible());
    EXPECT_GE(pRibbon->GetQuickAccessRect().top, pRibbon->GetGroupsRect().bottom);
    EXPECT_FALSE(pRibbon->GetQuickAccessControls()->GetAt(0)->GetRect().IsRectEmpty());
    pFrame->DestroyWindow();
    PumpMessages();
    ::RegDeleteTreeA(HKEY_CURRENT_USER, strKey);
    CKitPaintManager::Done();
}

// The ribbon frame, shown and brought up to date as after the program's first idle turn.
class KitHostRibbonTest : public testing::Test {
protected:
    void SetUp() override
    {
        // The mouse stays off the frame unless a test moves it there.
        ::SetCursorPos(0, 0);
        if (m_pTheme != nullptr)
            CKitPaintManager::SetCustomTheme(m_pTheme);
        else
            CKitPaintManager::SetTheme(0);
        m_pFrame = new CKitHostRibbonFrame();
        ASSERT_TRUE(m_pFrame->CreateHost());
        m_pFrame->OpenSampleDocuments();
        m_pFrame->ShowWindow(SW_SHOWNORMAL);
        m_pFrame->SetForegroundWindow();
        Idle();
        m_pRibbon = m_pFrame->GetRibbonBar();
        ASSERT_NE(nullptr, m_pRibbon);
    }

    void TearDown() override
    {
        if (m_pFrame != nullptr)
            m_pFrame->DestroyWindow();
        CKitPaintManager::Done();
    }

    void Idle() { KitHostIdle(m_pFrame); }

    // The frame's outer width becomes the given one.
    void SetWidth(int nWidth)
    {
        CRect rc;
        m_pFrame->GetWindowRect(&rc);
        m_pFrame->SetWindowPos(nullptr, 0, 0, nWidth, rc.Height(), SWP_NOMOVE | SWP_NOZORDER);
        Idle();
    }

    // The captions of the selected tab's groups that are reduced to their popup buttons or laid out smaller.
    std::vector<std::string> ReducedGroups() const
    {
        std::vector<std::string> reduced;
        CKitRibbonGroups* pGroups = m_pRibbon->GetSelectedTab()->GetGroups();
        for (int i = 0; i < pGroups->GetCount(); i++) {
            CKitRibbonGroup* pGroup = pGroups->GetAt(i);
            BOOL bSmaller = pGroup->IsReduced();
            for (int c = 0; c < pGroup->GetCount() && !bSmaller; c++) {
                CKitControl* pControl = pGroup->GetAt(c);
                bSmaller = pControl->GetImageManager()->IsImageDefined(pControl->GetIconId(), 32) &&
                           pControl->GetStyle() != kitButtonIconAndCaptionBelow;
            }
            if (bSmaller)
                reduced.push_back(static_cast<LPCSTR>(pGroup->GetCaption()));
        }
        return reduced;
    }

    CString PaneText() const
    {
        CString strText;
        CWnd::FromHandle(::GetDlgItem(m_pFrame->GetSafeHwnd(), AFX_IDW_PANE_FIRST))->GetWindowText(strText);
        return strText;
    }

    // The application button's menu, opened as a click opens it.
    CKitRibbonSystemPopupBar* OpenSystemMenu()
    {
        m_pRibbon->SetTrackingMode(TRUE, FALSE, FALSE);
        EXPECT_TRUE(m_pRibbon->GetSystemButton()->SetPopup(TRUE));
        Idle();
        return m_pFrame->GetSystemMenu();
    }

    // The theme the frame is drawn by; the default one when null.
    CKitPaintManager* m_pTheme = nullptr;
    CKitHostRibbonFrame* m_pFrame = nullptr;
    CKitHostRibbonBar* m_pRibbon = nullptr;
};

TEST_F(KitHostRibbonTest, FrameShowsARibbonOfThreeTabsInPlaceOfMenuAndToolbars)
{
    EXPECT_EQ(nullptr, m_pFrame->GetMenuBar());
    EXPECT_EQ(nullptr, m_pFrame->GetToolBar());
    EXPECT_EQ(nullptr, ::GetMenu(m_pFrame->GetSafeHwnd())) << "no menu of the frame's own";
    ASSERT_EQ(3, m_pRibbon->GetTabCount());
    const char* const captions[] = {"&Home", "&Insert", "&View"};
    for (int i = 0; i < 3; i++) {
        EXPECT_STREQ(captions[i], m_pRibbon->GetTab(i)->GetCaption());
        EXPECT_LT(0, m_pRibbon->GetTab(i)->GetGroups()->GetCount()) << captions[i];
    }
    EXPECT_EQ(m_pRibbon->GetTab(0), m_pRibbon->GetSelectedTab());
    EXPECT_TRUE(m_pRibbon->IsRibbonVisible());
    EXPECT_TRUE(m_pRibbon->IsWindowVisible());
    EXPECT_EQ(static_cast<UINT>(AFX_IDW_DOCKBAR_TOP),
              static_cast<UINT>(m_pRibbon->GetParent()->GetDlgCtrlID()))
        << "docked at the top, where the backstage view leaves it";

    // Save, Undo and Redo on the quick access toolbar, in that order, each shown.
    CKitRibbonQuickAccessControls* pQuickAccess = m_pRibbon->GetQuickAccessControls();
    ASSERT_EQ(3, pQuickAccess->GetCount());
    const UINT ids[] = {ID_FILE_SAVE, ID_EDIT_UNDO, ID_EDIT_REDO};
    for (int i = 0; i < 3; i++) {
        EXPECT_EQ(ids[i], pQuickAccess->GetAt(i)->GetId());
        EXPECT_TRUE(pQuickAccess->GetAt(i)->IsVisible()) << i;
    }
    // The application button leads the bar's controls and opens the menu.
    ASSERT_NE(nullptr, m_pRibbon->GetSystemButton());
    EXPECT_EQ(m_pRibbon->GetSystemButton(), m_pRibbon->GetControl(0));
    EXPECT_EQ(m_pFrame->GetSystemMenu(), m_pRibbon->GetSystemButton()->GetCommandBar());
}

// A command with a 32-pixel picture stands large, one with only a 16-pixel picture small with its caption beside it.
TEST_F(KitHostRibbonTest, ButtonsAreLargeOnlyWithALargePicture)
{
    const struct {
        UINT nId;
        int nStyle;
    } cases[] = {{ID_EDIT_PASTE, kitButtonIconAndCaptionBelow},
                 {ID_EDIT_CUT, kitButtonIconAndCaption},
                 {ID_EDIT_COPY, kitButtonIconAndCaption},
                 {ID_EDIT_FIND, kitButtonIconAndCaption}};
    for (const auto& c : cases) {
        CKitControl* pControl = m_pRibbon->GetControls()->FindControlById(static_cast<int>(c.nId));
        ASSERT_NE(nullptr, pControl) << c.nId;
        EXPECT_EQ(c.nStyle, pControl->GetStyle()) << pControl->GetCaption();
        EXPECT_TRUE(pControl->IsVisible()) << pControl->GetCaption();
    }
}

// The mouse picks a tab, runs a ribbon button and opens the application button's menu, whose recent file opens.
TEST_F(KitHostRibbonTest, MouseChoosesTabsButtonsAndRecentFiles)
{
    auto click = [this](CKitControl* pControl) {
        CPoint pt = pControl->GetRect().CenterPoint();
        pControl->GetParent()->ClientToScreen(&pt);
        KitHostPressAndRelease(pt);
    };
    CKitRibbonTab* pView = m_pRibbon->GetTab(2);
    CPoint ptTab = pView->GetRect().CenterPoint();
    m_pRibbon->ClientToScreen(&ptTab);
    KitHostPressAndRelease(ptTab);
    EXPECT_EQ(pView, m_pRibbon->GetSelectedTab());
    Idle();
    click(m_pRibbon->GetControls()->FindControlById(ID_KIT_ZOOM_100));
    EXPECT_NE(-1, PaneText().Find("100%"));
    // Save on the quick access toolbar.
    ASSERT_EQ(-1, PaneText().Find("Save"));
    click(m_pRibbon->GetQuickAccessControls()->GetAt(0));
    EXPECT_NE(-1, PaneText().Find("Save"));

    click(m_pRibbon->GetSystemButton());
    Idle();
    CKitRibbonSystemPopupBar* pMenu = m_pFrame->GetSystemMenu();
    ASSERT_TRUE(pMenu->GetSafeHwnd() != nullptr && pMenu->IsWindowVisible());
    CKitControl* pFile = pMenu->GetControls()->FindControlById(ID_FILE_MRU_FILE1);
    ASSERT_NE(nullptr, pFile);
    click(pFile);
    Idle();
    EXPECT_FALSE(pMenu->GetSafeHwnd() != nullptr && pMenu->IsWindowVisible());
    EXPECT_NE(-1, PaneText().Find("Open C:\\Substations\\North feeder notes.txt"));
}

// Alt shows the key tips of the quick access toolbar, the tabs and the application button; a tab's letter selects it.
TEST_F(KitHostRibbonTest, KeyTipsReachTabsAndQuickAccess)
{
    CKitCommandBarManager* pCommandBars = m_pFrame->GetCommandBars();
    ASSERT_TRUE(m_pRibbon->ProcessAccelerator(VK_MENU));
    m_pRibbon->CreateKeyboardTips();
    m_pRibbon->ShowKeyboardTips();
    Idle();
    std::vector<std::string> tips;
    for (CKitCommandBarKeyboardTip* pTip : pCommandBars->GetKeyboardTips())
        tips.push_back(static_cast<LPCSTR>(pTip->m_strText));
    EXPECT_EQ((std::vector<std::string>{"1", "2", "3", "H", "I", "V", "F"}), tips);
    const WindowImage image = CaptureScreenArea(m_pFrame->GetSafeHwnd());
    EXPECT_EQ("", SaveScreenshot("kithost-ribbon-keytips", image.width, image.height, image.pixels));
    EXPECT_TRUE(m_pRibbon->ProcessAccelerator('I'));
    Idle();
    EXPECT_EQ(m_pRibbon->GetTab(1), m_pRibbon->GetSelectedTab());
    pCommandBars->HideKeyboardTips();
    m_pRibbon->SetTrackingMode(FALSE);
}

// On a narrow frame the Font group's button opens the group's controls in a popup; Bold there runs.
TEST_F(KitHostRibbonTest, ReducedGroupOpensItsControlsInAPopup)
{
    SetWidth(kNarrowWidth);
    CKitRibbonGroup* pFont = m_pRibbon->GetTab(0)->GetGroups()->GetAt(1);
    ASSERT_STREQ("Font", pFont->GetCaption());
    ASSERT_TRUE(pFont->IsReduced());
    auto* pButton = pFont->GetControlGroupPopup();
    CPoint pt = pButton->GetRect().CenterPoint();
    m_pRibbon->ClientToScreen(&pt);
    KitHostPressAndRelease(pt);
    Idle();
    auto* pPopup = dynamic_cast<CKitRibbonGroupPopupToolBar*>(pButton->GetCommandBar());
    ASSERT_NE(nullptr, pPopup);
    ASSERT_TRUE(pPopup->GetSafeHwnd() != nullptr && pPopup->IsWindowVisible());
    const WindowImage image = CaptureScreenArea(m_pFrame->GetSafeHwnd());
    EXPECT_EQ("", SaveScreenshot("kithost-ribbon-group-popup", image.width, image.height, image.pixels));

    CKitControl* pBold = pPopup->GetControls()->FindControlById(ID_KIT_BOLD);
    ASSERT_NE(nullptr, pBold);
    EXPECT_TRUE(pBold->IsVisible());
    CPoint ptBold = pBold->GetRect().CenterPoint();
    pPopup->ClientToScreen(&ptBold);
    KitHostPressAndRelease(ptBold);
    Idle();
    EXPECT_NE(-1, PaneText().Find("Bold"));
    EXPECT_FALSE(pPopup->GetSafeHwnd() != nullptr && pPopup->IsWindowVisible());
}

// The frame handles every command its ribbon, quick access toolbar and menu offer: none shows disabled.
TEST_F(KitHostRibbonTest, EveryCommandOnTheRibbonAndItsMenuIsEnabled)
{
    for (int nTab = 0; nTab < m_pRibbon->GetTabCount(); nTab++) {
        m_pRibbon->GetControlTab()->SetSelectedItem(m_pRibbon->GetTab(nTab));
        Idle();
        CKitRibbonGroups* pGroups = m_pRibbon->GetTab(nTab)->GetGroups();
        for (int g = 0; g < pGroups->GetCount(); g++) {
            for (int c = 0; c < pGroups->GetAt(g)->GetCount(); c++) {
                CKitControl* pControl = pGroups->GetAt(g)->GetAt(c);
                EXPECT_TRUE(pControl->IsVisible()) << pControl->GetCaption();
                EXPECT_TRUE(pControl->IsEnabled()) << pControl->GetCaption();
            }
        }
    }
    CKitRibbonQuickAccessControls* pQuickAccess = m_pRibbon->GetQuickAccessControls();
    for (int i = 0; i < pQuickAccess->GetCount(); i++)
        EXPECT_TRUE(pQuickAccess->GetAt(i)->IsEnabled()) << pQuickAccess->GetAt(i)->GetCaption();
    CKitRibbonSystemPopupBar* pMenu = OpenSystemMenu();
    for (int i = 0; i < pMenu->GetControlCount(); i++)
        EXPECT_TRUE(pMenu->GetControl(i)->IsEnabled()) << pMenu->GetControl(i)->GetCaption();
    m_pFrame->GetCommandBars()->ClosePopups();
    m_pRibbon->SetTrackingMode(FALSE);
}

TEST_F(KitHostRibbonTest, NarrowingTheFrameReducesGroupsAndWideningRestoresThem)
{
    SetWidth(CKitHostRibbonFrame::kFullWidth);
    EXPECT_EQ(std::vector<std::string>(), ReducedGroups()) << "everything fits at full width";
    CKitRibbonGroups* pGroups = m_pRibbon->GetSelectedTab()->GetGroups();
    EXPECT_FALSE(pGroups->IsScrollRightVisible());
    EXPECT_EQ(0, pGroups->GetScrollOffset());

    SetWidth(kNarrowWidth);
    const std::vector<std::string> reduced = ReducedGroups();
    ASSERT_FALSE(reduced.empty());
    EXPECT_EQ("Editing", reduced.back()) << "the rightmost group gives way first";
    EXPECT_FALSE(pGroups->IsScrollRightVisible()) << "the reduced groups fit without scrolling";
    CKitRibbonGroup* pEditing = pGroups->GetAt(pGroups->GetCount() - 1);
    ASSERT_TRUE(pEditing->IsReduced());
    CKitControl* pPopup = pEditing->GetControlGroupPopup();
    EXPECT_TRUE(pPopup->IsVisible());
    EXPECT_LE(pPopup->GetRect().right, m_pRibbon->GetGroupsRect().right);
    EXPECT_FALSE(pEditing->GetAt(0)->IsVisible()) << "its controls wait in the popup";

    SetWidth(CKitHostRibbonFrame::kFullWidth);
    EXPECT_EQ(std::vector<std::string>(), ReducedGroups());
    EXPECT_TRUE(pEditing->GetAt(0)->IsVisible());
}

TEST_F(KitHostRibbonTest, SystemMenuListsTheRecentFilesAndOpensOne)
{
    CKitRibbonSystemPopupBar* pMenu = OpenSystemMenu();
    ASSERT_TRUE(pMenu->GetSafeHwnd() != nullptr && pMenu->IsWindowVisible());
    std::vector<std::string> files;
    std::vector<BOOL> pinned;
    for (int i = 0; i < pMenu->GetControlCount(); i++) {
        CKitControl* pItem = pMenu->GetControl(i);
        if (auto* pFile = dynamic_cast<CKitRibbonControlSystemRecentFileList::CControlPinableFileItem*>(pItem)) {
            EXPECT_EQ(ID_FILE_MRU_FILE1 + files.size(), pItem->GetId());
            files.push_back(static_cast<LPCSTR>(pItem->GetCaption()));
            pinned.push_back(pFile->IsPinned());
        }
    }
    const std::vector<std::string> expected = {"&1 North feeder notes.txt", "&2 Bay 12 relay settings.grid",
                                               "&3 Commissioning checklist.txt", "&4 Breaker timings.grid",
                                               "&5 Protection review.txt"};
    EXPECT_EQ(expected, files);
    EXPECT_EQ((std::vector<BOOL>{FALSE, TRUE, FALSE, FALSE, FALSE}), pinned);

    const WindowImage image = CaptureScreenArea(m_pFrame->GetSafeHwnd());
    EXPECT_EQ("", SaveScreenshot("kithost-system-menu", image.width, image.height, image.pixels));
    m_pFrame->GetCommandBars()->ClosePopups();
    m_pRibbon->SetTrackingMode(FALSE);
    Idle();
    EXPECT_FALSE(pMenu->GetSafeHwnd() != nullptr && pMenu->IsWindowVisible());

    // Choosing the fourth file opens a grid document and tells where it came from.
    HWND hBefore = ::GetWindow(m_pFrame->GetMDIClient(), GW_CHILD);
    m_pFrame->SendMessage(WM_COMMAND, ID_FILE_MRU_FILE1 + 3);
    EXPECT_NE(-1, PaneText().Find("Open C:\\Substations\\Breaker timings.grid"));
    HWND hActive = reinterpret_cast<HWND>(::SendMessageA(m_pFrame->GetMDIClient(), WM_MDIGETACTIVE, 0, 0));
    EXPECT_NE(hBefore, hActive);
    char szTitle[32] = {};
    ::GetWindowTextA(hActive, szTitle, sizeof(szTitle));
    EXPECT_STREQ("Grid 4", szTitle);
    // The file leads the list now; the pinned one keeps its pin.
    CKitPinableRecentFileList* pFiles = m_pFrame->GetRecentFiles();
    EXPECT_STREQ("C:\\Substations\\Breaker timings.grid", (*pFiles)[0]);
    EXPECT_STREQ("C:\\Substations\\Bay 12 relay settings.grid", (*pFiles)[2]);
    EXPECT_TRUE(pFiles->GetPinRecord(2)->bPinned);
    EXPECT_FALSE(pFiles->GetPinRecord(0)->bPinned);
}

TEST_F(KitHostRibbonTest, BackstageHidesTheFrameWindowsAndShowsThemAgain)
{
    HWND hFrame = m_pFrame->GetSafeHwnd();
    const HWND hidden[] = {m_pFrame->GetMDIClient(), m_pFrame->GetStatusBar().GetSafeHwnd(),
                           ::GetDlgItem(hFrame, AFX_IDW_PANE_FIRST)};
    for (HWND hWnd : hidden)
        ASSERT_TRUE(::IsWindowVisible(hWnd));

    ASSERT_TRUE(m_pFrame->ShowBackstage());
    Idle();
    CKitRibbonBackstageView* pView = m_pFrame->GetBackstageView();
    ASSERT_TRUE(pView->GetSafeHwnd() != nullptr && pView->IsWindowVisible());
    for (HWND hWnd : hidden)
        EXPECT_FALSE(::IsWindowVisible(hWnd));
    EXPECT_TRUE(m_pRibbon->IsWindowVisible()) << "the ribbon stays";
    EXPECT_TRUE(m_pRibbon->IsBackstageViewVisible());
    EXPECT_TRUE(m_pRibbon->GetSystemButton()->GetPopuped());
    // The Info page shows beside the menu, right of it and below the tabs.
    HWND hPage = pView->GetActivePage();
    ASSERT_NE(nullptr, hPage);
    EXPECT_TRUE(::IsWindowVisible(hPage));
    EXPECT_STREQ("&Info", pView->GetActiveTab()->GetCaption());
    CRect rcPage;
    ::GetWindowRect(hPage, &rcPage);
    CRect rcRibbon;
    m_pRibbon->GetWindowRect(&rcRibbon);
    EXPECT_GE(rcPage.top, rcRibbon.top + m_pRibbon->GetTabsHeight() + m_pRibbon->GetCaptionHeight());
    // Ribbon commands wait while the view is open; the application button does not.
    CKitControl* pPaste = m_pRibbon->GetControls()->FindControlById(ID_EDIT_PASTE);
    EXPECT_EQ(0, m_pRibbon->GetControlsEnabledOverride(pPaste));
    EXPECT_EQ(-1, m_pRibbon->GetControlsEnabledOverride(m_pRibbon->GetSystemButton()));
    EXPECT_EQ("", SaveWindowScreenshot(hFrame, "kithost-backstage"));

    pView->OnKey(VK_ESCAPE);
    Idle();
    EXPECT_EQ(nullptr, pView->GetSafeHwnd());
    for (HWND hWnd : hidden)
        EXPECT_TRUE(::IsWindowVisible(hWnd));
    EXPECT_FALSE(::IsWindowVisible(hPage));
    EXPECT_FALSE(m_pRibbon->GetSystemButton()->GetPopuped());
    EXPECT_EQ(-1, m_pRibbon->GetControlsEnabledOverride(pPaste));
    EXPECT_EQ(m_pFrame->GetSystemMenu(), m_pRibbon->GetSystemButton()->GetCommandBar())
        << "the application button opens its menu again";
}

// The menu's options button opens the Options page, whose boxes change the frame's settings; a backstage command
// closes the view and runs.
TEST_F(KitHostRibbonTest, BackstageOptionsChangeTheFrameAndCommandsRun)
{
    m_pFrame->SendMessage(WM_COMMAND, ID_KIT_OPTIONS);
    Idle();
    CKitRibbonBackstageView* pView = m_pFrame->GetBackstageView();
    ASSERT_TRUE(pView->IsTrackingMode());
    CKitControls* pEntries = pView->GetControls();
    EXPECT_EQ(pEntries->FindControlById(ID_KIT_BACKSTAGE_OPTIONS), pView->GetActiveTab());
    HWND hPage = pView->GetActivePage();
    ASSERT_NE(nullptr, hPage);
    EXPECT_NE(nullptr, ::GetDlgItem(hPage, IDC_OPTION_WRAP));

    EXPECT_TRUE(m_pFrame->IsWordWrap());
    EXPECT_EQ(BST_CHECKED, ::IsDlgButtonChecked(hPage, IDC_OPTION_WRAP));
    ::SendMessageA(::GetDlgItem(hPage, IDC_OPTION_WRAP), BM_CLICK, 0, 0);
    EXPECT_FALSE(m_pFrame->IsWordWrap());
    ::SendMessageA(::GetDlgItem(hPage, IDC_OPTION_KEY_TIPS), BM_CLICK, 0, 0);
    EXPECT_FALSE(m_pFrame->GetCommandBars()->GetCommandBarsOptions()->bEnableKeyboardTips);
    ::SendMessageA(::GetDlgItem(hPage, IDC_OPTION_BELOW), BM_CLICK, 0, 0);
    EXPECT_TRUE(m_pRibbon->IsQuickAccessBelowRibbon());
    EXPECT_NE(nullptr, pView->GetSafeHwnd()) << "the boxes leave the view open";

    pView->Execute(pEntries->FindControlById(ID_FILE_SAVE));
    Idle();
    EXPECT_EQ(nullptr, pView->GetSafeHwnd());
    EXPECT_NE(-1, PaneText().Find("Save"));
    EXPECT_TRUE(m_pFrame->GetStatusBar().IsWindowVisible());
}

// The ribbon at full width and narrowed, the application button's menu and the backstage view.
TEST_F(KitHostRibbonTest, Screens)
{
    SetWidth(CKitHostRibbonFrame::kFullWidth);
    EXPECT_EQ("", SaveWindowScreenshot(m_pFrame->GetSafeHwnd(), "kithost-ribbon"));
    SetWidth(kNarrowWidth);
    EXPECT_EQ("", SaveWindowScreenshot(m_pFrame->GetSafeHwnd(), "kithost-ribbon-reduced"));
}

// Records where the application button is drawn, in the coordinates of the device drawn on.
class CRecordingRibbonTheme : public CKitRibbonSystemTheme {
public:
    using CKitRibbonSystemTheme::CKitRibbonSystemTheme;

    void DrawRibbonSystemButton(CDC* pDC, CKitControl* pControl, CRect rc) override
    {
        // A rectangle reaching above the device is drawn moved down.
        CRect rcDrawn = rc;
        if (rcDrawn.top < 0)
            rcDrawn.OffsetRect(0, -rcDrawn.top);
        POINT ptOrigin = {0, 0};
        ::GetViewportOrgEx(pDC->m_hDC, &ptOrigin);
        rcDrawn.OffsetRect(ptOrigin.x, ptOrigin.y);
        m_drawn.push_back(rcDrawn);
        CKitRibbonSystemTheme::DrawRibbonSystemButton(pDC, pControl, rc);
    }

    std::vector<CRect> m_drawn;
};

class CRecordingTheme : public CKitDefaultTheme {
public:
    CRecordingRibbonTheme* m_pRibbon = nullptr;

protected:
    CKitRibbonPaintManager* CreateRibbonPaintManager() override
    {
        m_pRibbon = new CRecordingRibbonTheme(this);
        return m_pRibbon;
    }
};

class KitHostRibbonDrawingTest : public KitHostRibbonTest {
protected:
    KitHostRibbonDrawingTest() : m_pRecording(new CRecordingTheme()) { m_pTheme = m_pRecording; }

    // Where the window's painting drew the application button, on the screen.
    std::vector<CRect> DrawnOnScreen(CWnd* pWnd)
    {
        m_pRecording->GetRibbonPaintManager();
        m_pRecording->m_pRibbon->m_drawn.clear();
        CRect rcClient;
        pWnd->GetClientRect(&rcClient);
        Canvas canvas(rcClient.Width(), rcClient.Height(), RGB(255, 255, 255));
        pWnd->SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.dc.m_hDC), PRF_CLIENT);
        std::vector<CRect> drawn = m_pRecording->m_pRibbon->m_drawn;
        for (CRect& rc : drawn)
            pWnd->ClientToScreen(&rc);
        return drawn;
    }

    CRecordingTheme* m_pRecording;
};

// The open menu draws the application button again where it overlaps the menu: exactly over the button.
TEST_F(KitHostRibbonDrawingTest, ApplicationButtonOverItsMenuLiesOverTheButton)
{
    CKitRibbonSystemPopupBar* pMenu = OpenSystemMenu();
    ASSERT_TRUE(pMenu->GetSafeHwnd() != nullptr && pMenu->IsWindowVisible());
    const std::vector<CRect> onRibbon = DrawnOnScreen(m_pRibbon);
    const std::vector<CRect> overMenu = DrawnOnScreen(pMenu);
    ASSERT_EQ(1u, onRibbon.size());
    ASSERT_EQ(1u, overMenu.size());
    CRect rcMenu;
    pMenu->GetWindowRect(&rcMenu);
    EXPECT_LT(onRibbon[0].top, rcMenu.top) << "the button reaches above the menu";
    auto text = [](const CRect& rc) {
        return std::to_string(rc.left) + "," + std::to_string(rc.top) + " - " + std::to_string(rc.right) + "," +
               std::to_string(rc.bottom);
    };
    EXPECT_EQ(text(onRibbon[0]), text(overMenu[0]));
    m_pFrame->GetCommandBars()->ClosePopups();
    m_pRibbon->SetTrackingMode(FALSE);
}

} // namespace

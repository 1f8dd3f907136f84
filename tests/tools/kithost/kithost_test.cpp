// kithost's frame as the program shows it: a menu bar and a toolbar from its resources, drawn by the default theme,
// working from the keyboard, a bar of fields, a dialog bar and the documents as tab groups;
// build/screens/kithost-main.png, kithost-tracking.png, kithost-controls.png and kithost-tab-menu.png.
#include "support/message_pump.h"
#include "support/window_capture.h"
#include "support/window_screenshot.h"
#include "toolkit/commandbars/command_bar.h"
#include "toolkit/commandbars/menu_bar.h"
#include "toolkit/commandbars/command_bar_manager.h"
#include "toolkit/commandbars/control.h"
#include "toolkit/commandbars/control_combo.h"
#include "toolkit/commandbars/control_edit.h"
#include "toolkit/commandbars/control_gallery.h"
#include "toolkit/commandbars/control_scroll.h"
#include "toolkit/commandbars/controls.h"
#include "toolkit/commandbars/dialog_bar.h"
#include "toolkit/commandbars/keyboard_tip.h"
#include "toolkit/commandbars/mouse_manager.h"
#include "toolkit/commandbars/popup_bar.h"
#include "toolkit/themes/paint/paint_manager.h"
#include "toolkit/themes/tabs/tabbed_workspace.h"
#include "tools/kithost/kithost_controls.h"
#include "tools/kithost/kithost_frame.h"
#include "tools/kithost/res/resource.h"

#include "framework/ids.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The frame, shown and brought up to date as after the program's first idle turn.
class KitHostTest : public testing::Test {
protected:
    void SetUp() override
    {
        CKitPaintManager::SetTheme(0);
        m_pFrame = new CKitHostFrame();
        ASSERT_TRUE(m_pFrame->CreateHost());
        m_pFrame->ShowWindow(SW_SHOWNORMAL);
        m_pFrame->SetForegroundWindow();
        Idle();
    }

    void TearDown() override
    {
        if (m_pFrame != nullptr)
            m_pFrame->DestroyWindow();
        CKitPaintManager::Done();
    }

    void Idle()
    {
        PumpMessages();
        m_pFrame->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
        m_pFrame->UpdateWindow();
        m_pFrame->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        PumpMessages();
    }

    CString PaneText() const
    {
        CString strText;
        CWnd::FromHandle(::GetDlgItem(m_pFrame->GetSafeHwnd(), AFX_IDW_PANE_FIRST))->GetWindowText(strText);
        return strText;
    }

    // Presses the left button at the screen point and releases it at the offset from there.
    void PressAndRelease(CPoint ptScreen, CPoint ptOffset = CPoint(0, 0))
    {
        ::SetCursorPos(ptScreen.x, ptScreen.y);
        PumpMessages();
        INPUT inputs[3] = {};
        for (INPUT& input : inputs)
            input.type = INPUT_MOUSE;
        inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
        inputs[1].mi.dwFlags = MOUSEEVENTF_MOVE;
        inputs[1].mi.dx = ptOffset.x;
        inputs[1].mi.dy = ptOffset.y;
        inputs[2].mi.dwFlags = MOUSEEVENTF_LEFTUP;
        ::SendInput(3, inputs, sizeof(INPUT));
        for (int i = 0; i < 20; i++) {
            ::Sleep(10);
            PumpMessages();
        }
    }

    // Clicks the control, releasing the button at the offset from its centre.
    void Click(CKitCommandBar* pBar, CKitControl* pControl, CPoint ptOffset = CPoint(0, 0))
    {
        CPoint pt = pControl->GetRect().CenterPoint();
        pBar->ClientToScreen(&pt);
        PressAndRelease(pt, ptOffset);
    }

    CKitHostFrame* m_pFrame = nullptr;
};

} // namespace

TEST_F(KitHostTest, StartsWithAMenuBarAndAToolbarDrawnByTheDefaultTheme)
{
    CKitCommandBarManager* pCommandBars = m_pFrame->GetCommandBars();
    ASSERT_NE(nullptr, pCommandBars);
    ASSERT_EQ(6, pCommandBars->GetCount());
    CKitMenuBar* pMenuBar = m_pFrame->GetMenuBar();
    CKitToolBar* pToolBar = m_pFrame->GetToolBar();
    EXPECT_EQ(pMenuBar, pCommandBars->GetAt(0));
    EXPECT_EQ(pToolBar, pCommandBars->GetAt(1));
    EXPECT_EQ(m_pFrame->GetToolsBar(), pCommandBars->GetAt(2));
    EXPECT_EQ(m_pFrame->GetDocumentsBar(), pCommandBars->GetAt(3));
    EXPECT_EQ(m_pFrame->GetControlsBar(), pCommandBars->GetAt(4));
    EXPECT_EQ(m_pFrame->GetPropertiesBar(), pCommandBars->GetAt(5));
    EXPECT_EQ(nullptr, pCommandBars->GetAt(6));

    // The menu bar: one popup per top-level menu, each holding its items with their shortcuts.
    std::vector<std::string> captions;
    for (int i = 0; i < pMenuBar->GetControlCount(); i++) {
        captions.push_back(static_cast<LPCSTR>(pMenuBar->GetControl(i)->GetCaption()));
        EXPECT_EQ(kitControlPopup, pMenuBar->GetControl(i)->GetType());
    }
    EXPECT_EQ((std::vector<std::string>{"&File", "&Edit", "&View", "&Help"}), captions);
    auto* pFile = static_cast<CKitControlPopup*>(pMenuBar->GetControl(0));
    ASSERT_NE(nullptr, pFile->GetCommandBar());
    CKitControl* pSave = pFile->GetCommandBar()->GetControl(2);
    EXPECT_EQ(static_cast<UINT>(ID_FILE_SAVE), pSave->GetId());
    EXPECT_STREQ("&Save", pSave->GetCaption());
    EXPECT_STREQ("Ctrl+S", pSave->GetShortcutText());
    EXPECT_TRUE(pFile->GetCommandBar()->GetControl(4)->GetBeginGroup());

    // The toolbar: the resource's buttons, its separators as group starts.
    const UINT ids[] = {ID_FILE_NEW, ID_EDIT_CUT, ID_FILE_PRINT};
    ASSERT_EQ(8, pToolBar->GetControlCount());
    EXPECT_EQ(ids[0], pToolBar->GetControl(0)->GetId());
    EXPECT_EQ(ids[1], pToolBar->GetControl(3)->GetId());
    EXPECT_EQ(ids[2], pToolBar->GetControl(6)->GetId());
    for (int i = 0; i < 8; i++)
        EXPECT_EQ(i == 3 || i == 6, pToolBar->GetControl(i)->GetBeginGroup() != FALSE) << i;
    EXPECT_STREQ("Open an existing document", pToolBar->GetControl(1)->GetDescription());

    // Drawn by the default theme, docked under the menu bar at the frame's left.
    auto* pPaintManager = static_cast<CKitPaintManager*>(pToolBar->GetPaintManager());
    EXPECT_EQ(CKitPaintManager::GetCurrent(), pPaintManager);
    EXPECT_EQ(0, pPaintManager->GetThemeNumber());
    CRect rcMenu, rcTool, rcClient;
    pMenuBar->GetWindowRect(&rcMenu);
    pToolBar->GetWindowRect(&rcTool);
    m_pFrame->GetClientRect(&rcClient);
    EXPECT_EQ(rcMenu.bottom, rcTool.top);
    EXPECT_EQ(rcMenu.left, rcTool.left);
    EXPECT_EQ(rcClient.Width(), rcMenu.Width()) << "the menu bar fills its row";
    EXPECT_LE(rcTool.Width(), rcClient.Width());
    EXPECT_GE(rcTool.Height(), CKitPaintManager::kMinControlHeight);
    const CRect rcNew = pToolBar->GetControl(0)->GetRect();
    EXPECT_FALSE(rcNew.IsRectEmpty());
    EXPECT_LT(rcNew.right, pToolBar->GetControl(1)->GetRect().left + 1);

    // Commands the frame handles are enabled; Cut, Copy and Paste have no handler.
    EXPECT_TRUE(pToolBar->GetControl(0)->IsEnabled());
    for (int i = 3; i <= 5; i++)
        EXPECT_FALSE(pToolBar->GetControl(i)->IsEnabled()) << i;

    const std::string error = SaveWindowScreenshot(m_pFrame->GetSafeHwnd(), "kithost-main");
    EXPECT_EQ("", error);
}

// A click on a toolbar button runs its command; one released off the button or on a disabled one does not.
TEST_F(KitHostTest, ToolbarButtonsRunTheirCommandsWhenReleasedOverThem)
{
    CKitToolBar* pToolBar = m_pFrame->GetToolBar();
    Click(pToolBar, pToolBar->GetControl(2));
    EXPECT_NE(-1, PaneText().Find("Save\r\n"));
    Click(pToolBar, pToolBar->GetControl(1), CPoint(0, 120));
    EXPECT_EQ(-1, PaneText().Find("Open"));
    Click(pToolBar, pToolBar->GetControl(3));
    EXPECT_EQ(-1, PaneText().Find("Cut"));
}

// The thread's mouse hook closes an open menu when the user clicks elsewhere in the frame.
TEST_F(KitHostTest, AClickOutsideAnOpenMenuClosesIt)
{
    CKitMenuBar* pMenuBar = m_pFrame->GetMenuBar();
    ASSERT_TRUE(pMenuBar->OpenPopupAt(1, FALSE));
    Idle();
    CKitCommandBar* pEditBar = static_cast<CKitControlPopup*>(pMenuBar->GetControl(1))->GetCommandBar();
    ASSERT_TRUE(pEditBar->IsVisible());
    EXPECT_EQ(2, pMenuBar->GetCommandBars()->GetMouseManager()->GetTrackCount());

    CRect rcPane;
    ::GetWindowRect(::GetDlgItem(m_pFrame->GetSafeHwnd(), AFX_IDW_PANE_FIRST), &rcPane);
    PressAndRelease(CPoint(rcPane.right - 40, rcPane.bottom - 40));
    EXPECT_FALSE(pMenuBar->IsTrackingMode());
    EXPECT_EQ(-1, pMenuBar->GetPopuped());
    EXPECT_FALSE(pEditBar->IsVisible());
    EXPECT_EQ(0, pMenuBar->GetCommandBars()->GetMouseManager()->GetTrackCount());
}

// The keyboard drives the menu bar and the hot toolbar button shows its description in the status bar.
TEST_F(KitHostTest, TheMenuBarTracksFromTheKeyboard)
{
    CKitMenuBar* pMenuBar = m_pFrame->GetMenuBar();
    CKitToolBar* pToolBar = m_pFrame->GetToolBar();
    ASSERT_TRUE(pMenuBar->SetTrackingMode(1, TRUE, TRUE));
    pMenuBar->RecalcKeyboardCues();
    EXPECT_EQ(0, pMenuBar->GetSelected());
    pMenuBar->OnHookKeyDown(VK_RIGHT, 0);
    EXPECT_EQ(1, pMenuBar->GetSelected());
    EXPECT_EQ(kitSelectKeyboard, pMenuBar->GetControl(1)->GetSelected());
    pMenuBar->OnHookKeyDown(VK_END, 0);
    EXPECT_EQ(3, pMenuBar->GetSelected());
    pMenuBar->OnHookKeyDown(VK_LEFT, 0);
    EXPECT_EQ(2, pMenuBar->GetSelected());
    EXPECT_EQ(0, pMenuBar->GetControl(3)->GetSelected());

    pToolBar->SetSelected(1, kitSelectMouse);
    pToolBar->SetStatusText(TRUE, pToolBar->GetControl(1));
    Idle();
    EXPECT_STREQ("Open an existing document", m_pFrame->GetStatusBar().GetPaneText(0));
    const std::string error = SaveWindowScreenshot(m_pFrame->GetSafeHwnd(), "kithost-tracking");
    EXPECT_EQ("", error);

    // A menu's own mnemonic opens it.
    pMenuBar->OnHookKeyDown('F', 0);
    Idle();
    EXPECT_EQ(0, pMenuBar->GetSelected());
    EXPECT_EQ(0, pMenuBar->GetPopuped());
    auto* pFile = static_cast<CKitControlPopup*>(pMenuBar->GetControl(0));
    CKitCommandBar* pFileBar = pFile->GetCommandBar();
    ASSERT_NE(nullptr, pFileBar);
    EXPECT_TRUE(pFileBar->IsVisible());
    // The open menu lies over the frame: the picture is what the display shows there.
    const WindowImage image = CaptureScreenArea(m_pFrame->GetSafeHwnd());
    EXPECT_EQ("", SaveScreenshot("kithost-menu", image.width, image.height, image.pixels));

    // Escape closes the menu and then leaves the bar.
    pFileBar->OnKeyDownBar(kitKeyEscape);
    EXPECT_EQ(-1, pMenuBar->GetPopuped());
    EXPECT_TRUE(pMenuBar->IsTrackingMode());
    pMenuBar->OnHookKeyDown(VK_ESCAPE, 0);
    EXPECT_FALSE(pMenuBar->IsTrackingMode());
    EXPECT_EQ(-1, pMenuBar->GetPopuped());
    EXPECT_EQ(-1, pMenuBar->GetSelected());
}

namespace {

// What the context menu showed, read from inside its modal loop; then it picks "Save All".
struct ContextMenuSeen {
    std::vector<std::string> tips;
    BOOL bTranslucentDisabled = FALSE;
    std::string strScreenshot = "not taken";
};
ContextMenuSeen g_contextMenu;
CKitHostFrame* g_pHostFrame = nullptr;

// The menu may reach below the frame: the picture takes both.
std::string SaveFrameWithMenu(CWnd* pMenu, const char* name)
{
    CRect rcFrame, rcMenu;
    g_pHostFrame->GetWindowRect(&rcFrame);
    pMenu->GetWindowRect(&rcMenu);
    rcFrame.UnionRect(rcFrame, rcMenu);
    const WindowImage image = CaptureScreenRect(rcFrame);
    return SaveScreenshot(name, image.width, image.height, image.pixels);
}

void CALLBACK ReadContextMenu(HWND, UINT, UINT_PTR nIDEvent, DWORD)
{
    ::KillTimer(nullptr, nIDEvent);
    CKitPopupBar* pMenu = g_pHostFrame->GetContextMenu();
    if (pMenu == nullptr)
        return;
    for (CKitCommandBarKeyboardTip* pTip : g_pHostFrame->GetCommandBars()->GetKeyboardTips()) {
        g_contextMenu.tips.push_back(static_cast<LPCSTR>(pTip->m_strText));
        // "Cut" has no handler in the read-only pane: its tip is see-through.
        if (pTip->m_pOwner == pMenu->GetControl(0)) {
            BYTE nAlpha = 0;
            g_contextMenu.bTranslucentDisabled =
                ::GetLayeredWindowAttributes(pTip->GetSafeHwnd(), nullptr, &nAlpha, nullptr) && nAlpha == 150;
        }
    }
    g_contextMenu.strScreenshot = SaveFrameWithMenu(pMenu, "kithost-context-menu");
    pMenu->GetControl(3)->OnExecute();
}

} // namespace

// The text pane's context menu opened from the keyboard: a popup menu of the bars with keyboard tips.
TEST_F(KitHostTest, TheContextMenuOpensFromTheKeyboardWithKeyboardTips)
{
    g_pHostFrame = m_pFrame;
    // On the work area's bottom edge the menu, which would reach below it, opens over the frame.
    CRect rcWork, rcFrame;
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &rcWork, 0);
    m_pFrame->GetWindowRect(&rcFrame);
    m_pFrame->SetWindowPos(nullptr, rcFrame.left, rcWork.bottom - rcFrame.Height(), 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    Idle();
    ::SetTimer(nullptr, 0, 300, ReadContextMenu);
    CWnd::FromHandle(::GetDlgItem(m_pFrame->GetSafeHwnd(), AFX_IDW_PANE_FIRST))
        ->SendMessage(WM_CONTEXTMENU, 0, static_cast<LPARAM>(-1));
    // Cut, Copy, Paste, Save All, Save, Select All; then the menu bar, the toolbars Standard, Tools, Documents
    // and Controls and the Properties bar (Cut, Copy and Controls share their first letter, as do Paste and
    // Properties and the three S items).
    EXPECT_EQ((std::vector<std::string>{"CU", "CO", "PA", "SA", "SV", "SE", "M", "ST", "T", "D", "CN", "PR"}),
              g_contextMenu.tips);
    EXPECT_TRUE(g_contextMenu.bTranslucentDisabled);
    EXPECT_EQ("", g_contextMenu.strScreenshot);
    EXPECT_EQ(nullptr, m_pFrame->GetContextMenu());
    EXPECT_TRUE(m_pFrame->GetCommandBars()->GetKeyboardTips().empty());
    EXPECT_NE(-1, PaneText().Find("Save All"));
}

// The bar of fields over the documents, shown as tabs in two groups, with a dialog bar of properties beside them.
TEST_F(KitHostTest, ShowsTheFieldsBarAndTheDocumentsAsTabGroups)
{
    m_pFrame->OpenSampleDocuments();
    Idle();
    CKitToolBar* pControls = m_pFrame->GetControlsBar();
    ASSERT_NE(nullptr, pControls);
    ASSERT_EQ(5, pControls->GetControlCount());
    auto* pGallery = dynamic_cast<CKitControlGallery*>(pControls->GetControl(0));
    auto* pFont = dynamic_cast<CKitControlComboBox*>(pControls->GetControl(1));
    auto* pZoom = dynamic_cast<CKitControlEdit*>(pControls->GetControl(2));
    auto* pSlider = dynamic_cast<CKitHostZoomSlider*>(pControls->GetControl(3));
    ASSERT_TRUE(pGallery != nullptr && pFont != nullptr && pZoom != nullptr && pSlider != nullptr);
    ASSERT_NE(nullptr, dynamic_cast<CKitControlProgress*>(pControls->GetControl(4)));
    EXPECT_EQ(10, pGallery->GetEntryCount());
    EXPECT_STREQ("Tahoma", pFont->GetListText());
    EXPECT_STREQ("100", pZoom->GetEditText());
    for (int i = 0; i < 5; i++)
        EXPECT_FALSE(pControls->GetControl(i)->GetRect().IsRectEmpty()) << i;

    // The slider steps by its arrows and stays within its range.
    pSlider->DoScroll(kitScrollLineDown, 0);
    EXPECT_EQ(110, pSlider->GetPos());
    pSlider->DoScroll(kitScrollThumbPosition, 1000);
    EXPECT_EQ(CKitHostZoomSlider::kMax, pSlider->GetPos());
    pSlider->SetPos(100);

    // The properties in a dialog bar docked on the right, beside the documents.
    CKitDialogBar* pProperties = m_pFrame->GetPropertiesBar();
    ASSERT_NE(nullptr, pProperties);
    EXPECT_EQ(kitBarRight, pProperties->GetPosition());
    ASSERT_NE(nullptr, pProperties->GetChild());
    EXPECT_EQ(6, static_cast<int>(pProperties->GetChild()->SendMessage(LB_GETCOUNT)));
    CRect rcBar, rcDocuments, rcList;
    pProperties->GetWindowRect(&rcBar);
    ::GetWindowRect(m_pFrame->GetMDIClient(), &rcDocuments);
    pProperties->GetChild()->GetWindowRect(&rcList);
    EXPECT_EQ(rcDocuments.right, rcBar.left);
    EXPECT_TRUE(rcBar.PtInRect(rcList.TopLeft()) && rcBar.PtInRect(rcList.BottomRight() - CSize(1, 1)));

    CKitTabClientWnd* pTabs = m_pFrame->GetTabClient();
    ASSERT_EQ(2, pTabs->GetWorkspaceCount());
    EXPECT_EQ(2, pTabs->GetWorkspace(0)->GetItemCount());
    EXPECT_EQ(1, pTabs->GetWorkspace(1)->GetItemCount());
    EXPECT_STREQ("Grid 3", pTabs->GetWorkspace(1)->GetItem(0)->GetCaption());
    // The grid's tab is active: the menu bar shows the grid's menus.
    EXPECT_STREQ("&Grid", m_pFrame->GetMenuBar()->GetControl(1)->GetCaption());
    Idle();
    EXPECT_EQ("", SaveWindowScreenshot(m_pFrame->GetSafeHwnd(), "kithost-controls"));
}

namespace {

// What the tab context menu showed; then it picks "New Vertical Tab Group".
struct TabMenuSeen {
    std::vector<std::string> captions;
    std::vector<BOOL> enabled;
    std::string strScreenshot = "not taken";
};
TabMenuSeen g_tabMenu;

void CALLBACK ReadTabMenu(HWND, UINT, UINT_PTR nIDEvent, DWORD)
{
    ::KillTimer(nullptr, nIDEvent);
    CKitMouseManager* pMouse = g_pHostFrame->GetCommandBars()->GetMouseManager();
    if (pMouse->GetTrackCount() == 0)
        return;
    CKitCommandBar* pMenu = pMouse->GetTrackAt(pMouse->GetTrackCount() - 1);
    pMenu->ForceIdleUpdate();
    CKitControl* pVertical = nullptr;
    for (int i = 0; i < pMenu->GetControlCount(); i++) {
        CKitControl* pControl = pMenu->GetControl(i);
        g_tabMenu.captions.push_back(static_cast<LPCSTR>(pControl->GetCaption()));
        g_tabMenu.enabled.push_back(pControl->IsEnabled());
        if (pControl->GetId() == kIdTabGroupNewVertical)
            pVertical = pControl;
    }
    g_tabMenu.strScreenshot = SaveFrameWithMenu(pMenu, "kithost-tab-menu");
    if (pVertical != nullptr)
        pVertical->OnExecute();
    else
        g_pHostFrame->GetCommandBars()->ClosePopups();
}

} // namespace

// The tab context menu offers what the active child allows, and its command splits the group.
TEST_F(KitHostTest, TheTabContextMenuOffersTheGroupCommands)
{
    m_pFrame->OpenDocument(IDR_TEXTTYPE);
    m_pFrame->OpenDocument(IDR_TEXTTYPE);
    Idle();
    CKitTabClientWnd* pTabs = m_pFrame->GetTabClient();
    ASSERT_EQ(1, pTabs->GetWorkspaceCount());
    g_pHostFrame = m_pFrame;
    g_tabMenu = TabMenuSeen();
    ::SetTimer(nullptr, 0, 300, ReadTabMenu);
    CRect rcClient;
    pTabs->GetWindowRect(&rcClient);
    pTabs->ShowTabContextMenu(rcClient.CenterPoint());
    Idle();
    EXPECT_EQ((std::vector<std::string>{"New Hori&zontal Tab Group", "New &Vertical Tab Group", "C&ancel"}),
              g_tabMenu.captions);
    EXPECT_EQ((std::vector<BOOL>{TRUE, TRUE, TRUE}), g_tabMenu.enabled);
    EXPECT_EQ("", g_tabMenu.strScreenshot);
    ASSERT_EQ(2, pTabs->GetWorkspaceCount());
    EXPECT_FALSE(pTabs->IsHorizontalArrangement());
    EXPECT_STREQ("Text 2", pTabs->GetWorkspace(1)->GetItem(0)->GetCaption());
}

// The tool dialog base: bars made room for and laid out, menu prompts, popup updates and the progress bar in a pane.
#include "corvel/controls/dialog_ex.h"

#include <gtest/gtest.h>

#include "support/window_screenshot.h"

namespace {

constexpr UINT kDialogId = 9100;
constexpr int kEditId = 9101;
constexpr int kBottomButtonId = 9102;
constexpr UINT kPromptCommand = 9110;
constexpr UINT kUnhandledCommand = 9111;
constexpr UINT kHandledCommand = 9112;

class TestToolDialog : public MyCDialogEx {
public:
    TestToolDialog() : MyCDialogEx(kDialogId) {}
    void OnHandled() {}
    void OnUpdatePrompt(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(TestToolDialog, MyCDialogEx)
    ON_COMMAND(kHandledCommand, &TestToolDialog::OnHandled)
    ON_UPDATE_COMMAND_UI(kPromptCommand, &TestToolDialog::OnUpdatePrompt)
END_MESSAGE_MAP()

CRect ChildRect(CWnd& parent, int id)
{
    CRect rect;
    parent.GetDlgItem(id)->GetWindowRect(&rect);
    parent.ScreenToClient(&rect);
    return rect;
}

class ToolDialogBase : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dialog.Create(kDialogId));
        dialog.GetClientRect(&clientBefore);
        editBefore = ChildRect(dialog, kEditId);
        buttonBefore = ChildRect(dialog, kBottomButtonId);
    }
    void TearDown() override
    {
        if (dialog.m_hWnd != nullptr)
            dialog.DestroyWindow();
    }
    void CreateStatusBar()
    {
        static const UINT indicators[] = {ID_SEPARATOR, ID_INDICATOR_CAPS};
        ASSERT_TRUE(dialog.CreateBars(FALSE, TRUE, indicators, 2, 0, MyCDialogEx::kToolBarStyle));
    }
    CRect StatusRect() { return ChildRect(dialog, MyCDialogEx::kStatusBarId); }
    CString Pane0() { return dialog.GetStatusBar().GetPaneText(0); }

    TestToolDialog dialog;
    CRect clientBefore;
    CRect editBefore;
    CRect buttonBefore;
};

TEST_F(ToolDialogBase, CreateBarsGrowsTheDialogByTheStatusBarAndCoversNoControl)
{
    CreateStatusBar();
    EXPECT_TRUE(dialog.HasStatusBar());
    CRect client;
    dialog.GetClientRect(&client);
    const CRect status = StatusRect();
    EXPECT_GT(status.Height(), 0);
    EXPECT_EQ(clientBefore.Height() + status.Height(), client.Height());
    EXPECT_EQ(clientBefore.Width(), client.Width());
    EXPECT_EQ(client.bottom, status.bottom);
    EXPECT_EQ(client.Width(), status.Width());
    EXPECT_EQ(editBefore, ChildRect(dialog, kEditId));
    EXPECT_EQ(buttonBefore, ChildRect(dialog, kBottomButtonId));
    EXPECT_LE(ChildRect(dialog, kBottomButtonId).bottom, status.top);
    EXPECT_EQ(CString("Ready"), Pane0());
}

TEST_F(ToolDialogBase, NoBarsLeaveTheDialogAsItWas)
{
    ASSERT_TRUE(dialog.CreateBars(FALSE, FALSE, nullptr, 0, 0, 0));
    CRect client;
    dialog.GetClientRect(&client);
    EXPECT_EQ(clientBefore, client);
    EXPECT_FALSE(dialog.HasStatusBar());
}

TEST_F(ToolDialogBase, TheStatusBarStaysAtTheBottomWhenTheDialogIsResized)
{
    CreateStatusBar();
    for (const CSize size : {CSize(500, 400), CSize(300, 200)}) {
        dialog.SetWindowPos(nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        CRect client;
        dialog.GetClientRect(&client);
        const CRect status = StatusRect();
        EXPECT_EQ(client.bottom, status.bottom) << size.cx;
        EXPECT_EQ(client.left, status.left) << size.cx;
        EXPECT_EQ(client.right, status.right) << size.cx;
    }
}

TEST_F(ToolDialogBase, StatusBarCommandHidesItAndGivesItsHeightBack)
{
    CreateStatusBar();
    CRect grown;
    dialog.GetClientRect(&grown);
    const int barHeight = StatusRect().Height();
    dialog.SendMessage(WM_COMMAND, ID_VIEW_STATUS_BAR);
    EXPECT_EQ(0u, dialog.GetStatusBar().GetStyle() & WS_VISIBLE);
    CRect client;
    dialog.GetClientRect(&client);
    EXPECT_EQ(grown.Height() - barHeight, client.Height());
    dialog.SendMessage(WM_COMMAND, ID_VIEW_STATUS_BAR);
    EXPECT_NE(0u, dialog.GetStatusBar().GetStyle() & WS_VISIBLE);
    dialog.GetClientRect(&client);
    EXPECT_EQ(grown.Height(), client.Height());
    EXPECT_EQ(client.bottom, StatusRect().bottom);
}

TEST_F(ToolDialogBase, AHighlightedMenuItemShowsItsPromptUntilTheMenuCloses)
{
    CreateStatusBar();
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    menu.AppendMenu(MF_STRING, kPromptCommand, "Item");
    const LPARAM hMenu = reinterpret_cast<LPARAM>(menu.m_hMenu);

    dialog.SendMessage(WM_MENUSELECT, MAKEWPARAM(kPromptCommand, MF_STRING | MF_HILITE), hMenu);
    dialog.SendMessage(WM_ENTERIDLE, MSGF_MENU, reinterpret_cast<LPARAM>(dialog.m_hWnd));
    EXPECT_EQ(CString("Prompt"), Pane0());

    // A string without a line break leaves the pane as it is; a separator clears nothing.
    dialog.SendMessage(WM_MENUSELECT, MAKEWPARAM(kUnhandledCommand, MF_STRING | MF_HILITE), hMenu);
    dialog.SendMessage(WM_ENTERIDLE, MSGF_MENU, reinterpret_cast<LPARAM>(dialog.m_hWnd));
    EXPECT_EQ(CString("Prompt"), Pane0());

    dialog.SendMessage(WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    EXPECT_EQ(CString("Ready"), Pane0());
}

TEST_F(ToolDialogBase, PopupMenusAreUpdatedThroughTheDialog)
{
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    menu.AppendMenu(MF_STRING, kPromptCommand, "Disabled by its update handler");
    menu.AppendMenu(MF_STRING, kUnhandledCommand, "Handled by nothing");
    menu.AppendMenu(MF_STRING, kHandledCommand, "Handled");
    menu.AppendMenu(MF_STRING, SC_CLOSE, "Close");
    dialog.SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu.m_hMenu), 0);
    const auto grayed = [&](UINT id) { return (menu.GetMenuState(id, MF_BYCOMMAND) & MF_GRAYED) != 0; };
    EXPECT_TRUE(grayed(kPromptCommand));
    EXPECT_TRUE(grayed(kUnhandledCommand));
    EXPECT_FALSE(grayed(kHandledCommand));
    EXPECT_FALSE(grayed(SC_CLOSE)) << "system commands are never disabled for want of a handler";
}

TEST_F(ToolDialogBase, AProgressBarAtHalfSizeTakesHalfTheSpaceRightOfItsLabel)
{
    CreateStatusBar();
    dialog.SetWindowPos(nullptr, 0, 0, 600, 200, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    // The label shows while the bar is visible.
    dialog.ShowWindow(SW_SHOWNA);
    CStatusBar& bar = dialog.GetStatusBar();
    CRect pane;
    bar.GetItemRect(0, &pane);
    {
        CProgressBar progress;
        EXPECT_FALSE(progress.Create("Loading", 50, 100, TRUE, 0)) << "no status bar yet";
        progress.SetStatusBar(&bar);
        ASSERT_TRUE(progress.Create("Loading", 50, 100, TRUE, 0));
        progress.SetPos(30);
        EXPECT_EQ(CString("Loading"), bar.GetPaneText(0));

        CClientDC dc(&bar);
        ScopedSelect font(dc, reinterpret_cast<HGDIOBJ>(bar.SendMessage(WM_GETFONT)));
        const int left = pane.left + dc.GetTextExtent("Loading").cx + 4 * dc.GetTextExtent(" ").cx;
        CRect placed;
        progress.GetWindowRect(&placed);
        bar.ScreenToClient(&placed);
        EXPECT_EQ(left, placed.left);
        EXPECT_NEAR((pane.right - left) / 2.0, placed.Width(), 1.0);
        EXPECT_EQ(pane.top + pane.Height() / 10, placed.top);
        EXPECT_EQ(pane.bottom - pane.Height() / 10, placed.bottom);
        EXPECT_EQ("", SaveWindowScreenshot(dialog.m_hWnd, "tool_dialog"));
        int lower = -1;
        int upper = -1;
        progress.GetRange(lower, upper);
        EXPECT_EQ(0, lower);
        EXPECT_EQ(100, upper);
    }
    EXPECT_EQ(CString("Ready"), bar.GetPaneText(0)) << "pane 0 gets the idle prompt back";
}

TEST_F(ToolDialogBase, ModelessOkAndCancelDestroyTheWindow)
{
    dialog.SendMessage(WM_COMMAND, IDCANCEL);
    EXPECT_EQ(nullptr, dialog.m_hWnd);
    ASSERT_TRUE(dialog.Create(kDialogId));
    dialog.SendMessage(WM_COMMAND, IDOK);
    EXPECT_EQ(nullptr, dialog.m_hWnd);
    EXPECT_FALSE(dialog.IsModal());
}

} // namespace

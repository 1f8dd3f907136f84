// Customising the main window's toolbars: the modeless dialog of command 126 with its commands from the
// menus, the toolbar's customize button, dragging buttons, user toolbars and the pane menu.
#include "corvel/resources/resource.h"
#include "corvel/workspace/main_frame.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "corvel_app_environment.h"
#include "support/window_screenshot.h"

namespace {

// The texts of a menu's items, "-" for a separator and a leading "*" for a checked item.
std::vector<std::string> MenuTexts(HMENU menu)
{
    std::vector<std::string> texts;
    for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
        char text[128] = {};
        ::GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
        const UINT state = ::GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION);
        texts.push_back((state & MF_SEPARATOR) ? std::string("-") : std::string(state & MF_CHECKED ? "*" : "") + text);
    }
    return texts;
}

// The toolbar's commands, in order.
std::vector<UINT> Buttons(const CMFCToolBar& bar)
{
    std::vector<UINT> ids;
    for (int i = 0; i < bar.GetCount(); ++i)
        ids.push_back(bar.GetItemID(i));
    return ids;
}

const std::vector<UINT> kStandard = {ID_FILE_NEW, ID_OPEN_PROJECT, ID_FILE_SAVE, ID_SEPARATOR, ID_EDIT_CUT,
                                     ID_EDIT_COPY, ID_EDIT_PASTE, ID_SEPARATOR, ID_APP_ABOUT};

class ToolbarCustomize : public ::testing::Test {
protected:
    void SetUp() override
    {
        frame = CorvelAppEnvironment::Frame();
        ASSERT_NE(nullptr, frame);
        frame->ShowWindow(SW_SHOWNORMAL);
        PumpMessages();
    }
    void TearDown() override
    {
        if (CMFCToolBarsCustomizeDialog* dialog = frame->GetCustomizeDialog())
            dialog->DestroyWindow();
        while (!userBars().empty())
            frame->DeleteToolBar(userBars().back());
        frame->GetToolBar().SetShowTextLabels(FALSE);
        frame->GetToolBar().RestoreOriginalState();
    }
    std::vector<CMFCToolBar*> userBars() const
    {
        std::vector<CMFCToolBar*> bars;
        for (CControlBar* bar : frame->GetPaneBars(true)) {
            if (static_cast<CMFCToolBar*>(bar)->IsUserToolBar())
                bars.push_back(static_cast<CMFCToolBar*>(bar));
        }
        return bars;
    }
    CMFCToolBarsCustomizeDialog* Open()
    {
        frame->SendMessage(WM_COMMAND, ID_VIEW_CUSTOMIZE);
        PumpMessages();
        // Out of the way of the toolbars, which the drags aim at.
        CMFCToolBarsCustomizeDialog* dialog = frame->GetCustomizeDialog();
        if (dialog != nullptr) {
            CRect client;
            frame->GetWindowRect(&client);
            dialog->SetWindowPos(nullptr, client.left + 200, client.top + 200, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        }
        return dialog;
    }
    // A point of the screen on button index of bar (its middle), or right of its last button.
    static CPoint OnButton(CMFCToolBar& bar, int index)
    {
        RECT item = {};
        bar.SendMessage(TB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
        CPoint point((item.left + item.right) / 2, (item.top + item.bottom) / 2);
        bar.ClientToScreen(&point);
        return point;
    }

    CMainFrame* frame = nullptr;
};

TEST_F(ToolbarCustomize, CommandOpensTheModelessDialogWithTheMenusAsCategories)
{
    CMFCToolBarsCustomizeDialog* dialog = Open();
    ASSERT_NE(nullptr, dialog);
    EXPECT_TRUE(dialog->IsWindowVisible());
    EXPECT_TRUE(frame->IsWindowEnabled()) << "modeless: the main window stays usable";
    EXPECT_TRUE(CMFCToolBar::IsCustomizeMode());
    CString caption;
    dialog->GetWindowText(caption);
    EXPECT_STREQ("Customize", caption);
    EXPECT_EQ(AFX_CUSTOMIZE_MENU_SHADOWS | AFX_CUSTOMIZE_TEXT_LABELS | AFX_CUSTOMIZE_MENU_ANIMATIONS |
                  AFX_CUSTOMIZE_NOHELP,
              dialog->GetFlags());
    EXPECT_EQ(15u, dialog->GetFlags());
    ASSERT_EQ(3, dialog->GetPageCount());
    CTabCtrl* tabs = dialog->GetTabControl();
    ASSERT_NE(nullptr, tabs);
    const char* const titles[] = {"Commands", "Toolbars", "Options"};
    for (int i = 0; i < 3; ++i) {
        char text[64] = {};
        TCITEMA item = {};
        item.mask = TCIF_TEXT;
        item.pszText = text;
        item.cchTextMax = sizeof text;
        tabs->SendMessage(TCM_GETITEMA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
        EXPECT_STREQ(titles[i], text);
    }
    EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(dialog->m_hWnd, IDHELP))) << "no Help button";
    EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(dialog->m_hWnd, IDOK)));
    CString close;
    dialog->GetDlgItemText(IDCANCEL, close);
    EXPECT_STREQ("Close", close);

    const std::vector<CString> categories = {"File", "Edit", "View", "Help", "All Commands"};
    EXPECT_EQ(categories, dialog->GetCategories());
    const std::vector<UINT> file = {ID_FILE_NEW,          ID_OPEN_PROJECT,         ID_FILE_SAVE, ID_FILE_SAVE_AS,
                                    ID_IMPORT_CONFIGURATION, ID_EXPORT_CONFIGURATION, ID_APP_EXIT};
    EXPECT_EQ(file, dialog->GetCategoryCommands(0)) << "the recent files are no commands to place";
    EXPECT_EQ(std::vector<UINT>{ID_APP_ADD_IED}, dialog->GetCategoryCommands(1));
    EXPECT_STREQ("Save As...", dialog->GetCommandName(ID_FILE_SAVE_AS));
    EXPECT_STREQ("Open Project", dialog->GetCommandName(ID_OPEN_PROJECT));
    const std::vector<UINT>& all = dialog->GetCategoryCommands(4);
    EXPECT_NE(all.end(), std::find(all.begin(), all.end(), ID_VIEW_SPLIT));
    EXPECT_NE(all.end(), std::find(all.begin(), all.end(), ID_APP_ABOUT));

    // The Commands page lists the chosen category; a command's prompt is its description.
    CMFCToolBarsCommandsPropertyPage& commands = dialog->GetCommandsPage();
    ASSERT_NE(nullptr, commands.GetSafeHwnd());
    EXPECT_EQ(file, commands.GetListedCommands());
    commands.SelectCategory(2);
    EXPECT_EQ(dialog->GetCategoryCommands(2), commands.GetListedCommands());
    commands.SelectCategory(0);
    HWND list = ::GetDlgItem(commands.m_hWnd, CMFCToolBarsCommandsPropertyPage::IDC_COMMANDS);
    ListView_SetItemState(list, 2, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    CString description;
    commands.GetDlgItemText(CMFCToolBarsCommandsPropertyPage::IDC_DESCRIPTION, description);
    EXPECT_STREQ("Save the project", description);

    // The command again keeps the one dialog; Close ends it and the customisation.
    EXPECT_EQ(dialog, Open());
    dialog->SendMessage(WM_COMMAND, IDCANCEL);
    PumpMessages();
    EXPECT_EQ(nullptr, frame->GetCustomizeDialog());
    EXPECT_FALSE(CMFCToolBar::IsCustomizeMode());
    EXPECT_NE(nullptr, Open()) << "it opens again";
}

// Commands dragged from the dialog become buttons; buttons dragged off a bar go, dragged along it move.
TEST_F(ToolbarCustomize, DraggingAddsMovesAndRemovesButtons)
{
    CMFCToolBarsCustomizeDialog* dialog = Open();
    ASSERT_NE(nullptr, dialog);
    CMFCToolBar& bar = frame->GetToolBar();
    ASSERT_EQ(kStandard, Buttons(bar));

    // Where the mouse is released picks the bar (other programs' windows on the shared test display may
    // stand above it, so the bar is named here).
    EXPECT_TRUE(dialog->GetCommandsPage().DropCommandOn(ID_APP_ADD_IED, &bar, OnButton(bar, 4)));
    std::vector<UINT> expected = kStandard;
    expected.insert(expected.begin() + 4, ID_APP_ADD_IED);
    EXPECT_EQ(expected, Buttons(bar));
    EXPECT_FALSE(dialog->GetCommandsPage().DropCommand(ID_FILE_SAVE_AS, CPoint(-3000, -3000)))
        << "dropped on no toolbar: nothing happens";
    EXPECT_EQ(expected, Buttons(bar));
    // A button without a picture shows its name.
    char text[64] = {};
    bar.SendMessage(TB_GETBUTTONTEXTA, ID_APP_ADD_IED, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ("Add IED", text);

    // In customisation a press on a button takes it: released off every bar, it is gone.
    CPoint press = OnButton(bar, 0);
    bar.ScreenToClient(&press);
    bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(press.x, press.y));
    EXPECT_EQ(bar.m_hWnd, ::GetCapture());
    bar.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(-3000 & 0xFFFF, -3000 & 0xFFFF));
    expected.erase(expected.begin());
    EXPECT_EQ(expected, Buttons(bar));
    // Along the bar: About to the front.
    bar.DropButtonOn(bar.GetCount() - 1, &bar, OnButton(bar, 0));
    expected.insert(expected.begin(), expected.back());
    expected.pop_back();
    EXPECT_EQ(expected, Buttons(bar));

    // Reset on the Toolbars page puts the resource's buttons back.
    dialog->SetActivePage(1);
    CMFCToolBarsToolbarsPropertyPage& toolbars = dialog->GetToolbarsPage();
    ASSERT_NE(nullptr, toolbars.GetSafeHwnd());
    toolbars.Select(0);
    ASSERT_EQ(&bar, toolbars.GetToolBar(0));
    toolbars.SendMessage(WM_COMMAND, MAKEWPARAM(CMFCToolBarsToolbarsPropertyPage::IDC_RESET, BN_CLICKED));
    EXPECT_EQ(kStandard, Buttons(bar));

    // Out of customisation a press is a press.
    dialog->DestroyWindow();
    bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(press.x, press.y));
    bar.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(-3000 & 0xFFFF, -3000 & 0xFFFF));
    EXPECT_EQ(kStandard, Buttons(bar));

    // With Alt held, quick customisation drags all the same (the buttons are picture-sized again).
    ASSERT_TRUE(CMFCToolBar::IsQuickCustomization());
    press = OnButton(bar, 0);
    bar.ScreenToClient(&press);
    BYTE keys[256] = {};
    ::GetKeyboardState(keys);
    const BYTE alt = keys[VK_MENU];
    keys[VK_MENU] = 0x80;
    ::SetKeyboardState(keys);
    bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(press.x, press.y));
    bar.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(-3000 & 0xFFFF, -3000 & 0xFFFF));
    keys[VK_MENU] = alt;
    ::SetKeyboardState(keys);
    EXPECT_EQ(std::vector<UINT>(kStandard.begin() + 1, kStandard.end()), Buttons(bar));
}

// The device view's own toolbar is locked: customisation neither takes its button nor puts one on it.
TEST_F(ToolbarCustomize, ThePanesLockedToolbarKeepsItsButton)
{
    CMFCToolBarsCustomizeDialog* dialog = Open();
    ASSERT_NE(nullptr, dialog);
    CFileView* pane = frame->GetFileView();
    ASSERT_NE(nullptr, pane);
    CMFCToolBar& locked = pane->GetToolBar();
    EXPECT_TRUE(locked.IsLocked());
    EXPECT_FALSE(frame->GetToolBar().IsLocked());
    const std::vector<UINT> buttons = Buttons(locked);
    ASSERT_FALSE(buttons.empty());

    CPoint press = OnButton(locked, 0);
    locked.ScreenToClient(&press);
    // A press is a press (released off the button, it runs nothing).
    locked.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(press.x, press.y));
    locked.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(-3000 & 0xFFFF, -3000 & 0xFFFF));
    if (::GetCapture() == locked.m_hWnd)
        ::ReleaseCapture();
    EXPECT_EQ(buttons, Buttons(locked));

    EXPECT_FALSE(dialog->GetCommandsPage().DropCommandOn(ID_FILE_SAVE_AS, &locked, OnButton(locked, 0)));
    frame->GetToolBar().DropButtonOn(0, &locked, OnButton(locked, 0));
    EXPECT_EQ(buttons, Buttons(locked));
    EXPECT_EQ(kStandard, Buttons(frame->GetToolBar())) << "a button dropped on a locked bar stays where it was";
}

// The customize button's menu lists the resource's buttons through the frame, checked while shown.
TEST_F(ToolbarCustomize, CustomizeButtonMenuAddsAndRemovesTheDefaultButtons)
{
    CMFCToolBar& bar = frame->GetToolBar();
    // The customize button sits behind the bar's own buttons.
    EXPECT_EQ(bar.GetCount() + 1, static_cast<int>(bar.SendMessage(TB_BUTTONCOUNT)));
    EXPECT_EQ(-1, bar.CommandToIndex(ID_VIEW_CUSTOMIZE));

    auto menuOf = [&bar] {
        HMENU menu = bar.BuildCustomizeMenu();
        std::vector<std::string> top = MenuTexts(menu);
        HMENU addRemove = ::GetSubMenu(menu, 0);
        std::vector<std::string> buttons = MenuTexts(::GetSubMenu(addRemove, 0));
        char name[64] = {};
        ::GetMenuStringA(addRemove, 0, name, sizeof name, MF_BYPOSITION);
        top.push_back(name);
        ::DestroyMenu(menu);
        return std::make_pair(top, buttons);
    };
    auto [top, buttons] = menuOf();
    EXPECT_EQ((std::vector<std::string>{"&Add or Remove Buttons", "-", "Customize...", "Standard"}), top);
    EXPECT_EQ((std::vector<std::string>{"*New", "*Open Project", "*Save", "*Cut", "*Copy", "*Paste", "*About", "-",
                                        "&Reset Toolbar"}),
              buttons);

    EXPECT_TRUE(bar.OnCustomizeMenuCommand(ID_EDIT_CUT));
    EXPECT_EQ(-1, bar.CommandToIndex(ID_EDIT_CUT));
    EXPECT_EQ("Cut", menuOf().second[3]) << "unchecked while it is off the bar";
    EXPECT_TRUE(bar.OnCustomizeMenuCommand(ID_APP_ABOUT));
    // Back in their places, after the separators before them.
    EXPECT_TRUE(bar.OnCustomizeMenuCommand(ID_EDIT_CUT));
    EXPECT_EQ(4, bar.CommandToIndex(ID_EDIT_CUT));
    EXPECT_TRUE(bar.OnCustomizeMenuCommand(ID_APP_ABOUT));
    EXPECT_EQ(kStandard, Buttons(bar));
    bar.OnCustomizeMenuCommand(ID_FILE_NEW);
    bar.OnCustomizeMenuCommand(ID_EDIT_PASTE);
    EXPECT_TRUE(bar.OnCustomizeMenuCommand(CMFCToolBar::kResetToolbarCommand));
    EXPECT_EQ(kStandard, Buttons(bar));
    EXPECT_FALSE(bar.OnCustomizeMenuCommand(ID_APP_EXIT)) << "not a button of the bar";

    // Its last item is the customize command.
    EXPECT_TRUE(bar.OnCustomizeMenuCommand(ID_VIEW_CUSTOMIZE));
    EXPECT_NE(nullptr, frame->GetCustomizeDialog());
}

// New on the Toolbars page asks the frame for a user toolbar, which gets the customize button and shows in
// the pane menu; Delete takes it away again. Text labels are per toolbar.
TEST_F(ToolbarCustomize, UserToolbarsAndTextLabels)
{
    CMFCToolBarsCustomizeDialog* dialog = Open();
    ASSERT_NE(nullptr, dialog);
    dialog->SetActivePage(1);
    CMFCToolBarsToolbarsPropertyPage& page = dialog->GetToolbarsPage();
    ASSERT_NE(nullptr, page.GetSafeHwnd());
    EXPECT_STREQ("Custom 1", page.NextToolBarName());
    page.Select(0);
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(page.m_hWnd, CMFCToolBarsToolbarsPropertyPage::IDC_DELETE)))
        << "the Standard toolbar cannot be deleted";

    CMFCToolBar* custom = page.CreateToolBar("Custom 1");
    ASSERT_NE(nullptr, custom);
    EXPECT_TRUE(custom->IsUserToolBar());
    EXPECT_TRUE(custom->IsWindowVisible());
    EXPECT_STREQ("Customize...", custom->GetCustomizeText());
    EXPECT_EQ(ID_VIEW_CUSTOMIZE, custom->GetCustomizeCommand());
    EXPECT_EQ(custom, page.GetToolBar(page.GetSelected()));
    EXPECT_STREQ("Custom 2", page.NextToolBarName());
    EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(page.m_hWnd, CMFCToolBarsToolbarsPropertyPage::IDC_DELETE)));
    // It docks in the row of the toolbars, under the standard one.
    CRect standard, added;
    frame->GetToolBar().GetWindowRect(&standard);
    custom->GetWindowRect(&added);
    EXPECT_EQ(standard.bottom, added.top);
    EXPECT_TRUE(dialog->GetCommandsPage().DropCommandOn(ID_FILE_SAVE, custom, OnButton(*custom, 0)));
    // A button dragged from one bar to another moves there.
    frame->GetToolBar().DropButtonOn(0, custom, OnButton(*custom, 0));
    EXPECT_EQ((std::vector<UINT>{ID_FILE_NEW, ID_FILE_SAVE}), Buttons(*custom));
    custom->DropButtonOn(0, &frame->GetToolBar(), OnButton(frame->GetToolBar(), 0));
    EXPECT_EQ(std::vector<UINT>{ID_FILE_SAVE}, Buttons(*custom));
    EXPECT_EQ(kStandard, Buttons(frame->GetToolBar()));

    HMENU paneMenu = ::CreatePopupMenu();
    frame->FillPaneMenu(paneMenu);
    EXPECT_EQ((std::vector<std::string>{"*Standard", "*Custom 1", "*Device View", "-", "Customize..."}),
              MenuTexts(paneMenu));
    ::DestroyMenu(paneMenu);

    // Unchecking hides the bar.
    HWND list = ::GetDlgItem(page.m_hWnd, CMFCToolBarsToolbarsPropertyPage::IDC_TOOLBARS);
    ListView_SetCheckState(list, 1, FALSE);
    EXPECT_FALSE(custom->IsWindowVisible());
    ListView_SetCheckState(list, 1, TRUE);
    EXPECT_TRUE(custom->IsWindowVisible());

    page.SendMessage(WM_COMMAND, MAKEWPARAM(CMFCToolBarsToolbarsPropertyPage::IDC_DELETE, BN_CLICKED));
    EXPECT_TRUE(userBars().empty());
    EXPECT_EQ(1, static_cast<int>(ListView_GetItemCount(list)));

    // Text labels of the chosen bar.
    page.Select(0);
    page.CheckDlgButton(CMFCToolBarsToolbarsPropertyPage::IDC_TEXT_LABELS, BST_CHECKED);
    page.SendMessage(WM_COMMAND, MAKEWPARAM(CMFCToolBarsToolbarsPropertyPage::IDC_TEXT_LABELS, BN_CLICKED));
    CMFCToolBar& bar = frame->GetToolBar();
    EXPECT_TRUE(bar.AreTextLabels());
    EXPECT_EQ(kStandard, Buttons(bar));
    char text[64] = {};
    bar.SendMessage(TB_GETBUTTONTEXTA, ID_FILE_SAVE, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ("Save", text);
}

// When no button shows its text any more, the buttons are as small as their pictures again.
TEST_F(ToolbarCustomize, ButtonsShrinkBackOnceNoTextIsShown)
{
    CMFCToolBar& bar = frame->GetToolBar();
    auto firstWidth = [&bar] {
        RECT rect = {};
        bar.SendMessage(TB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&rect));
        return rect.right - rect.left;
    };
    const LONG pictureWidth = firstWidth();
    ASSERT_GT(pictureWidth, 0);

    // A command without a picture shows its text; resetting the bar removes it.
    ASSERT_TRUE(bar.InsertButton(ID_FILE_SAVE_AS));
    bar.RestoreOriginalState();
    EXPECT_EQ(pictureWidth, firstWidth()) << "after a text button";
    EXPECT_EQ(0u, bar.GetStyle() & TBSTYLE_LIST);

    bar.SetShowTextLabels(TRUE);
    EXPECT_GT(firstWidth(), pictureWidth);
    bar.SetShowTextLabels(FALSE);
    EXPECT_EQ(pictureWidth, firstWidth()) << "after text labels";
}

// View > Toolbars and Docking Windows is the pane menu, which also opens on the bars' context menu.
TEST_F(ToolbarCustomize, ViewMenuShowsThePaneMenu)
{
    HMENU view = ::GetSubMenu(frame->GetMenuBar().GetHMenu(), 2);
    HMENU panes = ::GetSubMenu(view, 0);
    ASSERT_NE(nullptr, panes);
    frame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(panes), 0);
    EXPECT_EQ((std::vector<std::string>{"*Standard", "*Device View", "-", "Customize..."}), MenuTexts(panes));
    EXPECT_EQ(ID_VIEW_TOOLBAR, ::GetMenuItemID(panes, 0));
    EXPECT_EQ(ID_VIEW_FILEVIEW, ::GetMenuItemID(panes, 1));
    EXPECT_EQ(ID_VIEW_CUSTOMIZE, ::GetMenuItemID(panes, 3));

    frame->SendMessage(WM_COMMAND, ID_VIEW_TOOLBAR);
    EXPECT_FALSE(frame->GetToolBar().IsWindowVisible());
    frame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(panes), 0);
    EXPECT_EQ("Standard", MenuTexts(panes)[0]);
    frame->SendMessage(WM_COMMAND, ID_VIEW_TOOLBAR);
    EXPECT_TRUE(frame->GetToolBar().IsWindowVisible());
}

TEST_F(ToolbarCustomize, Screenshots)
{
    CMFCToolBarsCustomizeDialog* dialog = Open();
    ASSERT_NE(nullptr, dialog);
    dialog->GetCommandsPage().SelectCategory(0);
    ListView_SetItemState(::GetDlgItem(dialog->GetCommandsPage().m_hWnd, CMFCToolBarsCommandsPropertyPage::IDC_COMMANDS),
                          1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    dialog->UpdateWindow();
    EXPECT_EQ("", SaveWindowScreenshot(dialog->m_hWnd, "toolbar-customize"));
    dialog->SetActivePage(1);
    dialog->GetToolbarsPage().CreateToolBar("Custom 1");
    dialog->GetToolbarsPage().Select(0);
    PumpMessages();
    dialog->UpdateWindow();
    EXPECT_EQ("", SaveWindowScreenshot(dialog->m_hWnd, "toolbar-customize-toolbars"));
    dialog->SetActivePage(2);
    PumpMessages();
    EXPECT_EQ("", SaveWindowScreenshot(dialog->m_hWnd, "toolbar-customize-options"));
}

} // namespace

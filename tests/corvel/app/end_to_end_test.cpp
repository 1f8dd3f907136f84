// A user's session with Corvel running in the test process, driven through its windows with mouse and keyboard
// messages: an SCL file added from the device view pane, one of its IEDs dragged onto the network view, its
// properties changed, the project saved under a new name, closed and opened again.
#include "corvel/document/main_doc.h"
#include "corvel/resources/resource.h"
#include "corvel/project/path_utils.h"
#include "corvel/mapping/ied_props_dlg.h"
#include "corvel/workspace/buttons.h"
#include "corvel/workspace/file_view.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "corvel_app_environment.h"
#include "grid_list_fixture.h"
#include "library_tree_input.h"
#include "support/message_box_recorder.h"
#include "support/paths.h"
#include "support/scripted_file_dialog.h"
#include "support/temp_folder.h"

namespace {

using Corvel::Mapping::CIEDPropsDlg;
using Corvel::Records::IedGeneralSettings;

const char kIedRootText[] = "IEC 61850 Configurations";

// Waits, from a timer, for the IED properties dialog to show in a modal loop of this thread, then runs the
// action on it once. What the general page showed when the dialog came up is kept. A dialog that the action
// did not close within a few seconds is cancelled, so that a fault fails the test instead of hanging it.
class PropertiesDialogDriver {
public:
    explicit PropertiesDialogDriver(std::function<void(CIEDPropsDlg&)> action)
    {
        s_action = std::move(action);
        s_seen = 0;
        s_handled = nullptr;
        s_stuck = false;
        s_shown = IedGeneralSettings();
        m_timer = ::SetTimer(nullptr, 0, 20, &PropertiesDialogDriver::OnTimer);
    }
    ~PropertiesDialogDriver()
    {
        ::KillTimer(nullptr, m_timer);
        s_action = nullptr;
    }
    PropertiesDialogDriver(const PropertiesDialogDriver&) = delete;
    PropertiesDialogDriver& operator=(const PropertiesDialogDriver&) = delete;

    int Seen() const { return s_seen; }
    bool Stuck() const { return s_stuck; }
    const IedGeneralSettings& Shown() const { return s_shown; }

private:
    static BOOL CALLBACK Visit(HWND window, LPARAM found)
    {
        auto* dialog = dynamic_cast<CIEDPropsDlg*>(CWnd::FromHandlePermanent(window));
        if (dialog == nullptr || !::IsWindowVisible(window))
            return TRUE;
        *reinterpret_cast<CIEDPropsDlg**>(found) = dialog;
        return FALSE;
    }
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD)
    {
        CIEDPropsDlg* dialog = nullptr;
        ::EnumThreadWindows(::GetCurrentThreadId(), &PropertiesDialogDriver::Visit, reinterpret_cast<LPARAM>(&dialog));
        // Once per showing: the action's own clicks close the dialog after this returns.
        if (dialog == nullptr)
            return;
        if (dialog->m_hWnd == s_handled) {
            if (::GetTickCount() - s_handledAt > kStuckMs) {
                s_stuck = true;
                dialog->EndDialog(IDCANCEL);
            }
            return;
        }
        s_handled = dialog->m_hWnd;
        s_handledAt = ::GetTickCount();
        ++s_seen;
        s_shown = dialog->GetGeneralPage().ReadControls();
        if (s_action)
            s_action(*dialog);
    }

    static constexpr DWORD kStuckMs = 5000;

    UINT_PTR m_timer = 0;
    static inline std::function<void(CIEDPropsDlg&)> s_action;
    static inline int s_seen = 0;
    static inline HWND s_handled = nullptr;
    static inline DWORD s_handledAt = 0;
    static inline bool s_stuck = false;
    static inline IedGeneralSettings s_shown;
};

// Queues a left click at the centre of a window, as the mouse gives it.
void PostLeftClick(HWND window)
{
    RECT rect;
    ::GetClientRect(window, &rect);
    const LPARAM at = MAKELPARAM(rect.right / 2, rect.bottom / 2);
    ::PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::PostMessageA(window, WM_LBUTTONUP, 0, at);
}

// Puts the focus in an edit field of a dialog page, selects its text and queues the typing of text over it.
void TypeOver(CWnd& page, int controlId, LPCSTR text)
{
    HWND edit = ::GetDlgItem(page.m_hWnd, controlId);
    ASSERT_NE(nullptr, edit) << controlId;
    ::SetFocus(edit);
    ::SendMessageA(edit, EM_SETSEL, 0, -1);
    for (const char* c = text; *c != '\0'; ++c)
        ::PostMessageA(edit, WM_CHAR, static_cast<WPARAM>(static_cast<unsigned char>(*c)), 1);
}

class EndToEnd : public CorvelOnTopTest {
protected:
    static void Pump() { PumpMessages(); }

    HTREEITEM FindItem(const CString& text) { return FindTreeItem(Tree(), text); }
    std::vector<CString> ChildTexts(HTREEITEM item) { return TreeChildTexts(Tree(), item); }
    CMainDoc::_IED_DEVICE* FindPlaced(const CString& name) { return FindPlacedIed(*doc, name); }
    int PlacedCount() { return view->CountDevices(CMainDoc::kKindIed); }

    // Right-clicks the tree's item with the cursor on it and chooses the command from the menu that opens; the
    // menu's items.
    std::vector<MenuCatcher::Item> ChooseFromItemMenu(HTREEITEM item, UINT command)
    {
        MenuCatcher menu;
        menu.Choose(command);
        RightClickAt(Tree(), TreeItemPoint(Tree(), item));
        return menu.Items();
    }

    // Right-clicks the IED's button and chooses Properties; the driver handles the dialog. The menu's items.
    std::vector<MenuCatcher::Item> OpenProperties(CMainDoc::_IED_DEVICE& device)
    {
        MenuCatcher menu;
        menu.Choose(ID_DEVICE_PROPERTIES);
        CWnd* button = device.button;
        if (button == nullptr)
            return {};
        CRect rect;
        button->GetClientRect(&rect);
        RightClickAt(*button, rect.CenterPoint());
        return menu.Items();
    }

    static std::vector<std::string> Texts(const std::vector<MenuCatcher::Item>& items)
    {
        std::vector<std::string> texts;
        for (const MenuCatcher::Item& item : items)
            texts.push_back(item.separator ? "-" : item.text);
        return texts;
    }

    TempFolder folder;
};

TEST_F(EndToEnd, AnIedAddedDraggedAndChangedComesBackWithTheProject)
{
    MessageBoxRecorder boxes;
    const CString scl = folder.File("substation_bay.scd");
    ASSERT_TRUE(::CopyFileA(SourcePath("tests/corvel/app/res/substation_bay.scd"), scl, FALSE));

    // The SCL file is added from the menu of the pane's "IEC 61850 Configurations" entry; the file dialog picks it.
    {
        ScriptedFileDialog dialog({scl});
        const std::vector<MenuCatcher::Item> menu = ChooseFromItemMenu(FindItem(kIedRootText), ID_ADD_IED);
        EXPECT_EQ((std::vector<std::string>{"&Add IED", "Point to a different subdirectory ..."}), Texts(menu));
        ASSERT_EQ(1u, dialog.Requests().size());
        EXPECT_TRUE(dialog.Request().open);
    }
    const HTREEITEM fileItem = FindItem(scl);
    ASSERT_NE(nullptr, fileItem);
    EXPECT_EQ(pane->GetIedRoot(), Tree().GetParentItem(fileItem));
    EXPECT_EQ((std::vector<CString>{"Bay_Controller", "Feeder_F7"}), ChildTexts(fileItem));
    EXPECT_TRUE(doc->modified);

    // Its second IED is dragged onto the network view: placed there with the file's addresses, its button shown.
    DragTreeItem(Tree(), FindItem("Feeder_F7"), OverNetworkView(Tree(), *view));
    ASSERT_EQ(1, PlacedCount());
    CMainDoc::_IED_DEVICE* placed = FindPlaced("Feeder_F7");
    ASSERT_NE(nullptr, placed);
    EXPECT_STREQ(scl, placed->CIDFile);
    EXPECT_STREQ("Nordvolt", placed->vendor);
    EXPECT_STREQ("172.16.4.21", placed->IPaddr);
    EXPECT_STREQ("255.255.0.0", placed->IPMask);
    EXPECT_STREQ("172.16.0.1", placed->Gateway);
    EXPECT_STREQ("1,3,9999,23", placed->APTitle);
    view->UpdateWindow();
    ASSERT_NE(nullptr, placed->button);
    EXPECT_TRUE(placed->button->IsWindowVisible());
    const int placedId = placed->devNum;

    // Its button's menu opens the properties; the comment and the MMS scan delay are typed over, then OK.
    {
        PropertiesDialogDriver driver([](CIEDPropsDlg& dialog) {
            CWnd& page = dialog.GetGeneralPage();
            TypeOver(page, IDC_IED_COMMENT, "Incomer, panel 3");
            TypeOver(page, IDC_IED_MMS_SCAN_DELAY, "2500");
            PostLeftClick(::GetDlgItem(dialog.m_hWnd, IDC_IED_PROPS_OK));
        });
        doc->modified = false;
        const std::vector<MenuCatcher::Item> menu = OpenProperties(*placed);
        EXPECT_EQ((std::vector<std::string>{"Configure", "-", "&Delete", "-", "Properties"}), Texts(menu));
        ASSERT_EQ(1, driver.Seen());
        EXPECT_FALSE(driver.Stuck());
        EXPECT_STREQ("Feeder_F7", driver.Shown().name);
        EXPECT_STREQ("172.16.4.21", driver.Shown().ipAddress);
        EXPECT_STREQ("", driver.Shown().comment);
        EXPECT_STREQ("1000", driver.Shown().mmsScanDelay);
    }
    EXPECT_STREQ("Incomer, panel 3", placed->comment);
    EXPECT_STREQ("2500", placed->MSScanDelay);
    EXPECT_TRUE(doc->modified);

    // Saved under a new name, replaced by a new project, opened again.
    const CString project = folder.File("bay.prj");
    {
        ScriptedFileDialog dialog({project});
        frame->SendMessage(WM_COMMAND, ID_FILE_SAVE_AS);
        EXPECT_EQ(1u, dialog.Requests().size());
    }
    ASSERT_TRUE(FileExists(project));
    EXPECT_FALSE(doc->modified);
    // The project XML file written beside the archive holds the changed values too.
    const std::string xml = ReadTextFile(folder.File("bay.prx"));
    EXPECT_NE(std::string::npos, xml.find("comment=\"Incomer, panel 3\"")) << xml;
    EXPECT_NE(std::string::npos, xml.find("MSScanDelay=\"2500\"")) << xml;
    frame->SendMessage(WM_COMMAND, ID_FILE_NEW);
    Pump();
    EXPECT_EQ(0, PlacedCount());
    EXPECT_EQ(nullptr, FindItem(scl));
    {
        ScriptedFileDialog dialog({project});
        frame->SendMessage(WM_COMMAND, ID_OPEN_PROJECT);
        EXPECT_EQ(1u, dialog.Requests().size());
    }
    Pump();

    // The IED is placed in its slot again with the changed values, the file listed with both IEDs.
    ASSERT_EQ(1, PlacedCount());
    CMainDoc::_IED_DEVICE* reopened = FindPlaced("Feeder_F7");
    ASSERT_NE(nullptr, reopened);
    EXPECT_EQ(placedId, reopened->devNum);
    EXPECT_STREQ(scl, reopened->CIDFile);
    EXPECT_STREQ("Incomer, panel 3", reopened->comment);
    EXPECT_STREQ("2500", reopened->MSScanDelay);
    EXPECT_STREQ("172.16.4.21", reopened->IPaddr);
    const HTREEITEM reopenedFile = FindItem(scl);
    ASSERT_NE(nullptr, reopenedFile);
    EXPECT_EQ((std::vector<CString>{"Bay_Controller", "Feeder_F7"}), ChildTexts(reopenedFile));
    view->UpdateWindow();
    ASSERT_NE(nullptr, reopened->button);
    EXPECT_TRUE(reopened->button->IsWindowVisible());

    // Its properties show the changed values; Cancel leaves the project as it was opened.
    {
        PropertiesDialogDriver driver(
            [](CIEDPropsDlg& dialog) { PostLeftClick(::GetDlgItem(dialog.m_hWnd, IDCANCEL)); });
        OpenProperties(*reopened);
        ASSERT_EQ(1, driver.Seen());
        EXPECT_FALSE(driver.Stuck());
        EXPECT_STREQ("Feeder_F7", driver.Shown().name);
        EXPECT_STREQ("Incomer, panel 3", driver.Shown().comment);
        EXPECT_STREQ("2500", driver.Shown().mmsScanDelay);
    }
    EXPECT_FALSE(doc->modified);
    EXPECT_EQ(0u, boxes.Count()) << boxes.Last().text;
}

} // namespace

// The device view pane and its device library tree with Corvel running in the test process: entries dragged
// onto the network view with the mouse, the pane's menus and commands, dropped files, and its picture.
#include "corvel/document/main_doc.h"
#include "corvel/resources/resource.h"
#include "corvel/project/path_utils.h"
#include "corvel/workspace/bridge_dlg.h"
#include "corvel/workspace/buttons.h"
#include "corvel/workspace/file_view.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "corvel_app_environment.h"
#include "grid_list_fixture.h"
#include "library_tree_input.h"
#include "support/dropped_files.h"
#include "support/enable_recorder.h"
#include "support/message_box_recorder.h"
#include "support/minimal_scl.h"
#include "support/paths.h"
#include "support/scripted_file_dialog.h"
#include "support/temp_folder.h"
#include "support/window_screenshot.h"

namespace {

using Corvel::Records::kSlotFree;
using Corvel::Records::kSlotInUse;

const char kMaxIeds[] = "The maximum number of IED devices has been reached.";

// The file view's dropped files, as the shell delivers them.
struct FileViewAccess : CFileView {
    using CFileView::OnDropFiles;
};

// Ends the gateway properties dialog once its modal loop shows it, and remembers that it did.
class PropertiesCloser {
public:
    PropertiesCloser() : m_timer(::SetTimer(nullptr, 0, 20, &PropertiesCloser::OnTimer)) { s_closed = 0; }
    ~PropertiesCloser() { ::KillTimer(nullptr, m_timer); }
    PropertiesCloser(const PropertiesCloser&) = delete;
    PropertiesCloser& operator=(const PropertiesCloser&) = delete;
    int Closed() const { return s_closed; }

private:
    static BOOL CALLBACK CloseDialog(HWND hWnd, LPARAM)
    {
        auto* dialog = dynamic_cast<CBridgeDlg*>(CWnd::FromHandlePermanent(hWnd));
        if (dialog == nullptr || !::IsWindowVisible(hWnd))
            return TRUE;
        ++s_closed;
        dialog->EndDialog(IDCANCEL);
        return FALSE;
    }
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD)
    {
        ::EnumThreadWindows(::GetCurrentThreadId(), &PropertiesCloser::CloseDialog, 0);
    }

    static inline int s_closed = 0;
    UINT_PTR m_timer;
};

class DeviceLibrary : public CorvelOnTopTest {
protected:
    // Writes an SCL file of these IEDs and adds it to the project; its file item.
    HTREEITEM AddFile(LPCSTR name, std::initializer_list<LPCSTR> ieds)
    {
        const CString path = folder.File(name);
        WriteBinaryFile(path, MinimalSclFileWithIeds(ieds));
        MessageBoxRecorder boxes;
        doc->AddSclFile(path);
        EXPECT_EQ(0u, boxes.Count()) << name;
        return FindItem(path);
    }

    HTREEITEM FindItem(const CString& text) { return FindTreeItem(Tree(), text); }
    std::vector<CString> ChildTexts(HTREEITEM item) { return TreeChildTexts(Tree(), item); }

    int Image(HTREEITEM item)
    {
        int image = -1;
        int selected = -1;
        Tree().GetItemImage(item, image, selected);
        EXPECT_EQ(image, selected);
        return image;
    }

    CPoint ItemPoint(HTREEITEM item) { return TreeItemPoint(Tree(), item); }
    CPoint OverNetworkView() { return ::OverNetworkView(Tree(), *view); }

    // A press on the item, as the user's mouse gives it.
    void Press(HTREEITEM item)
    {
        const CPoint at = ItemPoint(item);
        Tree().PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
        Tree().PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
        PumpMessages(PumpMode::kPreTranslate);
    }

    // Presses the item, moves out of its drag rectangle (the tree begins the drag) and on to the target; the
    // cursor shown there is kept in cursorOverTarget. Then the button is released there.
    void Drag(HTREEITEM item, CPoint target)
    {
        DragTreeItem(Tree(), item, target, [this] {
            draggingOverTarget = Tree().IsDragging();
            cursorOverTarget = ::GetCursor();
        });
    }

    CMainDoc::_IED_DEVICE* FindPlaced(const CString& name) { return FindPlacedIed(*doc, name); }

    // The context menu of an item, as a right click on it shows it (the tree asks for the menu at the cursor).
    std::vector<UINT> MenuOf(HTREEITEM item)
    {
        MenuCatcher menu;
        RightClickAt(Tree(), ItemPoint(item));
        return menu.Shown() > 0 ? menu.Ids() : std::vector<UINT>();
    }

    // A command of the item's menu, chosen with the item selected.
    void Choose(HTREEITEM item, UINT id)
    {
        Tree().SelectItem(item);
        pane->SendMessage(WM_COMMAND, id);
        PumpMessages(PumpMode::kPreTranslate);
    }

    BOOL RemoveEnabled()
    {
        EnableRecorder state;
        state.m_nID = ID_EDIT_CLEAR;
        state.DoUpdate(pane, TRUE);
        return state.enabled;
    }

    TempFolder folder;
    bool draggingOverTarget = false;
    HCURSOR cursorOverTarget = nullptr;
};

TEST_F(DeviceLibrary, TheTextOrDataOfThePressedEntryDecidesWhatIsDragged)
{
    const HTREEITEM file = AddFile("Plant.icd", {"Relay_7", "Bay_CompactLogix_1"});
    const CString path = Tree().GetItemText(file);
    const struct {
        const char* entry;
        int kind;
        bool hasIed;
    } cases[] = {
        {"Relay_7", 4, true},
        // An IED named like a PLC is dragged as that PLC.
        {"Bay_CompactLogix_1", 8, false},
        {"Ethernet/IP Class 3", 9, false},
        {"IEC 61850 Configurations", 0, false},
        {"Devices & Configurations", 0, false},
        {"Ethernet/IP Devices", 0, false},
        // A file entry names no device: the IED pressed before is not kept.
        {path, 0, false},
    };
    for (const auto& c : cases) {
        Press(FindItem("Relay_7"));
        ASSERT_NE(nullptr, Tree().GetDragEntry());
        Press(FindItem(c.entry));
        EXPECT_EQ(c.kind, Tree().GetDragKind()) << c.entry;
        EXPECT_EQ(c.hasIed, Tree().GetDragEntry() != nullptr) << c.entry;
        EXPECT_STREQ(c.hasIed ? static_cast<LPCSTR>(path) : "", Tree().GetDragFilePath()) << c.entry;
        EXPECT_STREQ(c.hasIed ? c.entry : "", Tree().GetDragIedName()) << c.entry;
        if (c.hasIed)
            EXPECT_STREQ("Relay_7", Tree().GetDragEntry()->ied.name);
    }

    // The item data of the pressed IED goes with its file: nothing freed is left to drop.
    Press(FindItem("Relay_7"));
    frame->RefreshFileView();
    EXPECT_EQ(0, Tree().GetDragKind());
    EXPECT_EQ(nullptr, Tree().GetDragEntry());
    EXPECT_STREQ("", Tree().GetDragFilePath());
}

TEST_F(DeviceLibrary, AnIedDraggedOntoTheNetworkViewIsPlacedThere)
{
    AddFile("Feeder.icd", {"Feeder_F1"});
    MessageBoxRecorder boxes;
    Drag(FindItem("Feeder_F1"), OverNetworkView());
    EXPECT_TRUE(draggingOverTarget);
    EXPECT_EQ(CViewTree::DragCursor(), cursorOverTarget);
    EXPECT_NE(::LoadCursor(nullptr, IDC_NO), cursorOverTarget);
    EXPECT_NE(::LoadCursor(nullptr, IDC_ARROW), cursorOverTarget);
    EXPECT_FALSE(Tree().IsDragging());
    EXPECT_EQ(::LoadCursor(nullptr, IDC_ARROW), ::GetCursor());
    EXPECT_EQ(0u, boxes.Count());
    CMainDoc::_IED_DEVICE* placed = FindPlaced("Feeder_F1");
    ASSERT_NE(nullptr, placed);
    EXPECT_STREQ(folder.File("Feeder.icd"), placed->CIDFile);
    EXPECT_EQ(1, view->CountDevices(CMainDoc::kKindIed));
    EXPECT_TRUE(doc->modified);

    // Over any other window the cursor says no, and the drop places nothing.
    AddFile("Feeder2.icd", {"Feeder_F2"});
    CPoint overPane(5, 5);
    Drag(FindItem("Feeder_F2"), overPane);
    EXPECT_EQ(::LoadCursor(nullptr, IDC_NO), cursorOverTarget);
    EXPECT_EQ(nullptr, FindPlaced("Feeder_F2"));

    // A file gone from the disk shows the "not allowed" cursor, but the drop still places its IED.
    ASSERT_TRUE(::DeleteFileA(folder.File("Feeder2.icd")));
    Drag(FindItem("Feeder_F2"), OverNetworkView());
    EXPECT_EQ(::LoadCursor(nullptr, IDC_NO), cursorOverTarget);
    EXPECT_NE(nullptr, FindPlaced("Feeder_F2"));
    EXPECT_EQ(0u, boxes.Count());
}

TEST_F(DeviceLibrary, ACategoryDragsNothingAndPlcKindsNeedTheFreeSlot)
{
    MessageBoxRecorder boxes;
    const int ieds = view->CountDevices(CMainDoc::kKindIed);
    Drag(FindItem("IEC 61850 Configurations"), OverNetworkView());
    EXPECT_FALSE(draggingOverTarget);
    EXPECT_NE(CViewTree::DragCursor(), cursorOverTarget);
    EXPECT_EQ(ieds, view->CountDevices(CMainDoc::kKindIed));
    EXPECT_EQ(1, view->CountDevices(CMainDoc::kKindPlc));

    // The default PLC takes the slot: the Class 3 device is refused without a message.
    CMainDoc::CPLC_Device* plc = doc->project.plcDevices.GetHead();
    Drag(FindItem("Ethernet/IP Class 3"), OverNetworkView());
    EXPECT_EQ(1, plc->devType);
    EXPECT_EQ(0u, boxes.Count());

    // With the slot free, an IED entry named like a CompactLogix places that PLC, not an IED.
    AddFile("Line.icd", {"Line_CompactLogix"});
    plc->state = kSlotFree;
    Drag(FindItem("Line_CompactLogix"), OverNetworkView());
    EXPECT_EQ(kSlotInUse, plc->state);
    EXPECT_EQ(8, plc->devType);
    EXPECT_EQ(nullptr, FindPlaced("Line_CompactLogix"));
    EXPECT_EQ(0u, boxes.Count());
}

TEST_F(DeviceLibrary, OneIedMoreThanTheSlotsIsRefusedWithTheMessage)
{
    const int slots = CMainView::ReadIedSlotCount();
    for (int i = 0; i < slots; ++i) {
        CString name;
        name.Format("Bay%d", i);
        CIED ied;
        ied.name = name;
        const CConnectedAP entry(ied, "10.0.0.1", "255.255.255.0", "", "", "", "", "", "");
        ASSERT_NE(-1, view->AddDevice(CMainDoc::kKindIed, "C:\\scl\\bay.icd", &entry)) << name;
    }
    AddFile("Spare.icd", {"Spare"});
    MessageBoxRecorder boxes;
    Drag(FindItem("Spare"), OverNetworkView());
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_STREQ(kMaxIeds, boxes.Last().text);
    EXPECT_EQ(static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION), boxes.Last().type & (MB_TYPEMASK | MB_ICONMASK));
    EXPECT_EQ(nullptr, FindPlaced("Spare"));
    EXPECT_EQ(slots, view->CountDevices(CMainDoc::kKindIed));
}

TEST_F(DeviceLibrary, AFileListsItsIedsByNameAndAMissingFileNone)
{
    const HTREEITEM file = AddFile("Station.scd", {"Zulu_Q9", "Alpha_Q1"});
    ASSERT_NE(nullptr, file);
    EXPECT_EQ(pane->GetIedRoot(), Tree().GetParentItem(file));
    EXPECT_EQ(CFileView::kImageFile, Image(file));
    EXPECT_EQ((std::vector<CString>{"Alpha_Q1", "Zulu_Q9"}), ChildTexts(file));
    for (HTREEITEM ied = Tree().GetChildItem(file); ied != nullptr; ied = Tree().GetNextSiblingItem(ied)) {
        EXPECT_EQ(CFileView::kImageIed, Image(ied));
        ASSERT_NE(nullptr, Tree().GetIedItemData(ied));
        EXPECT_STREQ(Tree().GetItemText(ied), Tree().GetIedItemData(ied)->iedName);
    }

    ASSERT_TRUE(::DeleteFileA(folder.File("Station.scd")));
    frame->RefreshFileView();
    const HTREEITEM missing = FindItem(folder.File("Station.scd"));
    ASSERT_NE(nullptr, missing);
    EXPECT_EQ(CFileView::kImageMissingFile, Image(missing));
    EXPECT_TRUE(ChildTexts(missing).empty());

    // The fixed entries and the pictures the tree shows them with.
    EXPECT_EQ(CFileView::kImageFolder, Image(FindItem("Devices & Configurations")));
    EXPECT_EQ(CFileView::kImageDevice, Image(FindItem("Ethernet/IP Class 3")));
    EXPECT_EQ(9, pane->GetTreeImages().GetImageCount());
}

TEST_F(DeviceLibrary, MenusOfFilesAndTheIedRoot)
{
    const HTREEITEM file = AddFile("Menu.icd", {"Menu_A"});
    EXPECT_EQ((std::vector<UINT>{ID_FILE_DISPLAY, ID_EDIT_SCL_PATH, ID_EDIT_CLEAR}), MenuOf(file));
    EXPECT_EQ(file, Tree().GetSelectedItem());
    EXPECT_EQ((std::vector<UINT>{ID_ADD_IED, ID_CHANGE_SCL_FOLDER}), MenuOf(FindItem("IEC 61850 Configurations")));
    EXPECT_TRUE(MenuOf(FindItem("Menu_A")).empty());
    {
        // Asked for from the keyboard, the menu has no item to belong to.
        MenuCatcher menu;
        pane->SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(Tree().m_hWnd), MAKELPARAM(-1, -1));
        PumpMessages(PumpMode::kPreTranslate);
        EXPECT_EQ(0, menu.Shown());
    }
    EXPECT_TRUE(MenuOf(FindItem("Ethernet/IP Class 3")).empty());

    ASSERT_TRUE(::DeleteFileA(folder.File("Menu.icd")));
    frame->RefreshFileView();
    EXPECT_EQ((std::vector<UINT>{ID_EDIT_SCL_PATH, ID_EDIT_CLEAR}), MenuOf(FindItem(folder.File("Menu.icd"))));

    // The document's command of the IED root's menu reaches the document also while the pane floats.
    for (bool floating : {false, true}) {
        if (floating)
            ASSERT_TRUE(pane->FloatPane());
        EnableRecorder state;
        state.m_nID = ID_CHANGE_SCL_FOLDER;
        state.DoUpdate(pane, TRUE);
        EXPECT_EQ(TRUE, state.enabled) << floating;
    }
    pane->DockPaneBack();
    PumpMessages();

    // Add IED asks the main window for the document's file dialog.
    const CString added = folder.File("Added.cid");
    WriteBinaryFile(added, MinimalSclFileWithIeds({"Added_1"}));
    ScriptedFileDialog dialog({added});
    Choose(FindItem("IEC 61850 Configurations"), ID_ADD_IED);
    ASSERT_EQ(1u, dialog.Requests().size());
    EXPECT_EQ((std::vector<CString>{"Added_1"}), ChildTexts(FindItem(added)));
}

TEST_F(DeviceLibrary, RemoveWaitsUntilNoIedOfTheFileIsPlaced)
{
    const HTREEITEM file = AddFile("Remove.icd", {"Rem_A", "Rem_B"});
    Drag(FindItem("Rem_B"), OverNetworkView());
    CMainDoc::_IED_DEVICE* placed = FindPlaced("Rem_B");
    ASSERT_NE(nullptr, placed);
    Tree().SelectItem(file);
    EXPECT_FALSE(RemoveEnabled());

    placed->state = kSlotFree;
    EXPECT_TRUE(RemoveEnabled());
    doc->modified = false;
    Choose(file, ID_EDIT_CLEAR);
    EXPECT_EQ(nullptr, FindItem(folder.File("Remove.icd")));
    EXPECT_EQ(nullptr, FindItem("Rem_A"));
    EXPECT_EQ(0, doc->project.sclFiles.GetCount());
    EXPECT_EQ(0, doc->fileListA.GetSize());
    EXPECT_TRUE(doc->modified);
}

TEST_F(DeviceLibrary, EditPathMovesTheFileRecordWithItsNameAndThePlacedIeds)
{
    AddFile("Old.icd", {"Moved_1"});
    Drag(FindItem("Moved_1"), OverNetworkView());
    CMainDoc::_IED_DEVICE* placed = FindPlaced("Moved_1");
    ASSERT_NE(nullptr, placed);
    const CString newPath = folder.File("New.icd");
    WriteBinaryFile(newPath, MinimalSclFileWithIeds({"Moved_1"}));

    doc->modified = false;
    {
        ScriptedFileDialog dialog({newPath});
        Choose(FindItem(folder.File("Old.icd")), ID_EDIT_SCL_PATH);
        ASSERT_EQ(1u, dialog.Requests().size());
        EXPECT_TRUE(dialog.Request().open);
    }
    const CMainDoc::_ICD_FILES* record = doc->project.sclFiles.GetHead();
    EXPECT_STREQ(newPath, record->filePath);
    EXPECT_STREQ("New.icd", record->fileName);
    EXPECT_STREQ(newPath, placed->CIDFile);
    EXPECT_STREQ(newPath, placed->button->sclFilePath);
    // The project files hold the paths: closing must ask to save them.
    EXPECT_TRUE(doc->modified);
    // The tree was refilled from the project.
    EXPECT_NE(nullptr, FindItem(newPath));
    EXPECT_EQ(nullptr, FindItem(folder.File("Old.icd")));
    // The record is found by its new name: Remove takes it.
    placed->state = kSlotFree;
    Choose(FindItem(newPath), ID_EDIT_CLEAR);
    EXPECT_EQ(0, doc->project.sclFiles.GetCount());

    // Cancelled, the tree is refilled all the same.
    const HTREEITEM file = AddFile("Kept.icd", {"Kept_1"});
    Tree().SetItemText(file, "stale");
    doc->modified = false;
    ScriptedFileDialog cancelled({}, IDCANCEL);
    Choose(file, ID_EDIT_SCL_PATH);
    EXPECT_NE(nullptr, FindItem(folder.File("Kept.icd")));
    EXPECT_STREQ(folder.File("Kept.icd"), doc->project.sclFiles.GetHead()->filePath);
    EXPECT_FALSE(doc->modified);
}

TEST_F(DeviceLibrary, DroppedSclFilesAreAddedOtherFilesIgnored)
{
    const CString scd = folder.File("X.SCD");
    const CString xml = folder.File("x.xml");
    WriteBinaryFile(scd, MinimalSclFileWithIeds({"Dropped_1"}));
    WriteBinaryFile(xml, MinimalSclFileWithIeds({"Dropped_2"}));
    MessageBoxRecorder boxes;
    static_cast<FileViewAccess*>(pane)->OnDropFiles(MakeDrop({std::string(xml)}));
    EXPECT_EQ(0, doc->project.sclFiles.GetCount());
    EXPECT_EQ(nullptr, FindItem("Dropped_2"));
    static_cast<FileViewAccess*>(pane)->OnDropFiles(MakeDrop({std::string(scd), std::string(xml)}));
    ASSERT_EQ(1, doc->project.sclFiles.GetCount());
    EXPECT_STREQ("X.SCD", doc->project.sclFiles.GetHead()->fileName);
    EXPECT_NE(nullptr, FindItem("Dropped_1"));
    EXPECT_EQ(nullptr, FindItem("Dropped_2"));
    EXPECT_EQ(0u, boxes.Count());
}

TEST_F(DeviceLibrary, CopyingAFileOverTheProjectsFileWantsTheSameName)
{
    const HTREEITEM file = AddFile("Copy.icd", {"Copy_1"});
    const CString elsewhere = folder.File("other");
    ASSERT_TRUE(::CreateDirectoryA(elsewhere, nullptr));
    const std::string newer = MinimalSclFileWithIeds({"Copy_1", "Copy_2"});
    WriteBinaryFile(elsewhere + "\\Copy.icd", newer);
    WriteBinaryFile(elsewhere + "\\Copy2.icd", newer);
    MessageBoxRecorder boxes;
    {
        ScriptedFileDialog dialog({elsewhere + "\\Copy2.icd"});
        Choose(file, ID_COPY_SCL_FILE);
        ASSERT_EQ(1u, dialog.Requests().size());
        EXPECT_STREQ("Copy", dialog.Request().initialFileName);
        EXPECT_STREQ("icd", dialog.Request().defaultExtension);
    }
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_STREQ("Error: Copy IEC file. File entered is not matched. Please try again.", boxes.Last().text);
    {
        ScriptedFileDialog dialog({elsewhere + "\\Copy.icd"});
        Choose(file, ID_COPY_SCL_FILE);
    }
    EXPECT_EQ(1u, boxes.Count());
    EXPECT_EQ(newer, ReadBinaryFile(folder.File("Copy.icd")));

    // An item whose name the project has no file of has nowhere to copy to.
    boxes.Clear();
    Choose(FindItem("Copy_1"), ID_COPY_SCL_FILE);
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_STREQ("Error: Copy IEC file. Destination File not found. Please try again.", boxes.Last().text);
    EXPECT_STREQ("Korvane EIP-Tarnwell", boxes.Last().caption);
    EXPECT_EQ(static_cast<UINT>(MB_ICONERROR), boxes.Last().type & MB_ICONMASK);
}

// A user's road: an SCL file dropped on the pane, its IED dragged onto the network view, the project saved
// under a new name, a new project, the saved one opened again.
TEST_F(DeviceLibrary, ADraggedIedIsSavedWithTheProjectAndComesBack)
{
    const CString scl = folder.File("Bay.SCD");
    WriteBinaryFile(scl, MinimalSclFileWithIeds({"Bay_Q2", "Bay_Q1"}));
    MessageBoxRecorder boxes;
    static_cast<FileViewAccess*>(pane)->OnDropFiles(MakeDrop({std::string(scl)}));
    Drag(FindItem("Bay_Q1"), OverNetworkView());
    ASSERT_NE(nullptr, FindPlaced("Bay_Q1"));
    const CString project = folder.File("plant.prj");
    {
        ScriptedFileDialog dialog({project});
        frame->SendMessage(WM_COMMAND, ID_FILE_SAVE_AS);
    }
    ASSERT_TRUE(FileExists(project));
    doc->OnFileNew();
    EXPECT_EQ(nullptr, FindPlaced("Bay_Q1"));
    {
        ScriptedFileDialog dialog({project});
        frame->SendMessage(WM_COMMAND, ID_OPEN_PROJECT);
    }
    const CMainDoc::_IED_DEVICE* reopened = FindPlaced("Bay_Q1");
    ASSERT_NE(nullptr, reopened);
    EXPECT_STREQ(scl, reopened->CIDFile);
    EXPECT_EQ(nullptr, FindPlaced("Bay_Q2"));
    const HTREEITEM file = FindItem(scl);
    ASSERT_NE(nullptr, file);
    EXPECT_EQ((std::vector<CString>{"Bay_Q1", "Bay_Q2"}), ChildTexts(file));
    EXPECT_EQ(0u, boxes.Count());
}

TEST_F(DeviceLibrary, ToolBarAboveTheTreeOpensTheGatewayPropertiesAndScreenshot)
{
    CFileViewToolBar& toolBar = pane->GetToolBar();
    ASSERT_EQ(1, toolBar.GetCount());
    EXPECT_EQ(static_cast<UINT>(ID_FILE_VIEW_PROPERTIES), toolBar.GetItemID(0));
    CRect bar, tree;
    toolBar.GetWindowRect(&bar);
    Tree().GetWindowRect(&tree);
    EXPECT_EQ(bar.bottom + 1, tree.top);

    AddFile("Substation.scd", {"Feeder_F1", "Feeder_F2", "Transformer_T1"});
    AddFile("Gone.icd", {"Gone_1"});
    ASSERT_TRUE(::DeleteFileA(folder.File("Gone.icd")));
    frame->RefreshFileView();
    Drag(FindItem("Feeder_F2"), OverNetworkView());
    Tree().SelectItem(FindItem("Feeder_F1"));
    Tree().SetFocus();
    pane->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
    EXPECT_EQ("", SaveWindowScreenshot(pane->m_hWnd, "device-library"));

    CRect button;
    ASSERT_TRUE(toolBar.SendMessage(TB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&button)));
    PropertiesCloser closer;
    PostClick(toolBar, button.CenterPoint());
    EXPECT_EQ(1, closer.Closed());
}

} // namespace

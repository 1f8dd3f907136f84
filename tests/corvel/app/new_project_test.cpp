// File New, the network view's new project and the main frame, with Corvel running in the test process.
#include "corvel/document/main_doc.h"
#include "corvel/resources/resource.h"
#include "corvel/workspace/buttons.h"
#include "corvel/workspace/file_view.h"

#include <gtest/gtest.h>

#include "corvel_app_environment.h"
#include "support/message_box_recorder.h"
#include "support/paths.h"

namespace {

using Corvel::Records::kSlotFree;
using Corvel::Records::kSlotInUse;

class NewProject : public ::testing::Test {
protected:
    void SetUp() override
    {
        doc = CorvelAppEnvironment::Doc();
        ASSERT_NE(nullptr, doc);
        ASSERT_NE(nullptr, CorvelAppEnvironment::View());
        doc->modified = false;
    }
    void TearDown() override
    {
        CorvelAppEnvironment::App().WriteProfileString("Mapper", nullptr, nullptr);
        CorvelAppEnvironment::App().WriteProfileString("ModDlg", nullptr, nullptr);
        doc->modified = false;
        doc->OnFileNew();
    }
    static int DeviceButtonId(CWnd* button) { return button != nullptr ? button->GetDlgCtrlID() : -1; }

    // Changes a new project the way editing would.
    void EditProject()
    {
        doc->SetProjectName("Plant");
        doc->SetProjectComment("north");
        doc->SetProjectPath("C:\\p\\plant.prj");
        doc->project.numPorts = 2;
        doc->project.portPLC = 2;
        doc->projectReady = true;
        doc->fileListA.Add("a.icd");
        CMainDoc::_TAGS tag;
        tag.tagName = "T1";
        doc->tagsINP.AddTag(tag);
        doc->ctlModelMap[{"LD0", "CSWI1$CO$Pos"}] = 2;
        auto* file = new CMainDoc::_ICD_FILES;
        file->fileName = "a.icd";
        doc->project.sclFiles.AddTail(file);
        doc->project.fcdas.AddTail(new _CFCDA);
        doc->project.iedDevices.GetHead()->state = kSlotInUse;
        doc->MarkChangedAndUpdateViews();
    }

    CMainDoc* doc = nullptr;
};

TEST_F(NewProject, UnchangedDocumentAsksNothingAndGetsTheDefaults)
{
    EditProject();
    doc->modified = false;
    MessageBoxRecorder boxes;
    doc->OnFileNew();
    EXPECT_EQ(0u, boxes.Count());

    const auto& p = doc->project;
    EXPECT_STREQ("Project 1", doc->GetProjectName());
    EXPECT_STREQ("", doc->GetProjectComment());
    EXPECT_STREQ("", doc->GetProjectPath());
    EXPECT_EQ(1, p.numPorts);
    EXPECT_EQ(1, p.port61850);
    EXPECT_EQ(1, p.portPLC);
    EXPECT_FALSE(doc->projectReady);
    EXPECT_FALSE(doc->modified);

    const struct {
        const CString& field;
        const char* value;
    } settings[] = {
        {p.eth0IPaddr, "192.168.0.250"}, {p.eth0IPmask, "255.255.255.0"}, {p.eth0Gateway, "192.168.0.1"},
        {p.eth1IPaddr, "192.168.1.250"}, {p.eth1IPmask, "255.255.255.0"}, {p.eth1Gateway, "192.168.1.1"},
        {p.NTPaddr, "192.168.0.1"},      {p.NTPupdate, "0"},              {p.startRead, "1"},
        {p.startWrite, "1001"},          {p.connTimeout, "60"},           {p.NoMTCPsrvr, "0"},
        {p.NoMBAPsrvr, "3"},             {p.VQNstatusStart, "65531"},     {p.rebootRegister, "65535"},
    };
    for (const auto& s : settings)
        EXPECT_STREQ(s.value, s.field);

    EXPECT_EQ(0, doc->fileListA.GetSize());
    EXPECT_EQ(0, doc->tagsINP.GetCount());
    EXPECT_EQ(0, doc->tagsOUT.GetCount());
    EXPECT_EQ(0, doc->tagsMSG.GetCount());
    EXPECT_TRUE(doc->ctlModelMap.empty());
    EXPECT_TRUE(p.sclFiles.IsEmpty());
    EXPECT_TRUE(p.fcdas.IsEmpty());
    EXPECT_TRUE(p.tags.IsEmpty());
    EXPECT_EQ(0, doc->GetDeviceCount(CMainDoc::kKindIed));
}

TEST_F(NewProject, NetworkViewCreatesTheGatewayAndFreeDeviceSlots)
{
    doc->OnFileNew();
    const auto& p = doc->project;
    CMainView* view = CorvelAppEnvironment::View();
    ASSERT_NE(nullptr, p.bridgeButton);
    EXPECT_EQ(view, p.bridgeButton->GetParent());

    ASSERT_EQ(20, p.iedDevices.GetCount());
    int slot = 0;
    for (POSITION pos = p.iedDevices.GetHeadPosition(); pos != nullptr; ++slot) {
        const CMainDoc::_IED_DEVICE* device = p.iedDevices.GetNext(pos);
        EXPECT_EQ(kSlotFree, device->state);
        EXPECT_EQ(1066 + slot, device->devNum);
        EXPECT_STREQ("192.168.0.250", device->IPaddr);
        EXPECT_STREQ("255.255.255.0", device->IPMask);
        EXPECT_STREQ("192.168.0.1", device->Gateway);
        EXPECT_STREQ("1000", device->MSScanDelay);
        ASSERT_NE(nullptr, device->button);
        EXPECT_EQ(device->devNum, DeviceButtonId(device->button));
        EXPECT_EQ(device->devNum, device->button->deviceId);
        EXPECT_FALSE(device->button->IsWindowVisible());
    }

    ASSERT_EQ(10, p.plcDevices.GetCount());
    slot = 0;
    for (POSITION pos = p.plcDevices.GetHeadPosition(); pos != nullptr; ++slot) {
        const CMainDoc::CPLC_Device* device = p.plcDevices.GetNext(pos);
        EXPECT_EQ(1086 + slot, device->devNum);
        EXPECT_EQ(slot == 0 ? kSlotInUse : kSlotFree, device->state);
        EXPECT_STREQ(slot == 0 ? "EthernetIP" : "", device->name);
        EXPECT_EQ(0, device->NOESel);
        EXPECT_EQ(1, device->NOESlotNum);
        ASSERT_NE(nullptr, device->button);
        EXPECT_EQ(device->devNum, DeviceButtonId(device->button));
    }
    EXPECT_EQ(1, doc->GetDeviceCount(CMainDoc::kKindPlc));
}

TEST_F(NewProject, SlotCountsComeFromTheProfile)
{
    const struct {
        int maxIed;
        int maxPlc;
    } cases[] = {{3, 2}, {1, 1}, {0, 0}};
    for (const auto& c : cases) {
        CorvelAppEnvironment::App().WriteProfileInt("Mapper", "MaxNoIEC", c.maxIed);
        CorvelAppEnvironment::App().WriteProfileInt("ModDlg", "MaxNoMB", c.maxPlc);
        doc->OnFileNew();
        ASSERT_EQ(c.maxIed, doc->project.iedDevices.GetCount());
        ASSERT_EQ(c.maxPlc, doc->project.plcDevices.GetCount());
        if (c.maxIed > 0)
            EXPECT_EQ(1066 + c.maxIed - 1, doc->project.iedDevices.GetTail()->devNum);
        if (c.maxPlc > 0)
            EXPECT_EQ(1066 + c.maxIed, doc->project.plcDevices.GetHead()->devNum);
    }
}

TEST_F(NewProject, CancelInTheSavePromptChangesNothing)
{
    EditProject();
    const CMainDoc::_IED_DEVICE* firstIed = doc->project.iedDevices.GetHead();
    CBridgeButn* gateway = doc->project.bridgeButton;
    MessageBoxRecorder boxes;
    boxes.QueueAnswer(IDCANCEL);
    doc->OnFileNew();

    ASSERT_EQ(1u, boxes.Count());
    EXPECT_STREQ("  Do you want to save changes?", boxes.Last().text);
    EXPECT_STREQ("Korvane EIP-Tarnwell", boxes.Last().caption);
    EXPECT_TRUE(doc->modified);
    EXPECT_STREQ("Plant", doc->GetProjectName());
    EXPECT_STREQ("north", doc->GetProjectComment());
    EXPECT_STREQ("C:\\p\\plant.prj", doc->GetProjectPath());
    EXPECT_EQ(2, doc->project.numPorts);
    EXPECT_TRUE(doc->projectReady);
    EXPECT_EQ(1, doc->fileListA.GetSize());
    EXPECT_EQ(1, doc->tagsINP.GetCount());
    EXPECT_EQ(1u, doc->ctlModelMap.size());
    EXPECT_EQ(1, doc->project.sclFiles.GetCount());
    EXPECT_EQ(1, doc->project.fcdas.GetCount());
    EXPECT_EQ(firstIed, doc->project.iedDevices.GetHead());
    EXPECT_EQ(gateway, doc->project.bridgeButton);
    EXPECT_EQ(1, doc->GetDeviceCount(CMainDoc::kKindIed));
}

TEST_F(NewProject, NoInTheSavePromptStartsTheNewProject)
{
    EditProject();
    MessageBoxRecorder boxes;
    boxes.QueueAnswer(IDNO);
    doc->OnFileNew();
    EXPECT_EQ(1u, boxes.Count());
    EXPECT_FALSE(doc->modified);
    EXPECT_STREQ("Project 1", doc->GetProjectName());
    EXPECT_EQ(0, doc->GetDeviceCount(CMainDoc::kKindIed));
    EXPECT_EQ(0, doc->tagsINP.GetCount());
}

TEST_F(NewProject, NewForgetsCopiedDevicesItFreed)
{
    doc->copiedIedDevice = doc->project.iedDevices.GetHead();
    doc->copiedPlcDevice = doc->project.plcDevices.GetHead();
    doc->OnFileNew();
    EXPECT_EQ(nullptr, doc->copiedIedDevice);
    EXPECT_EQ(nullptr, doc->copiedPlcDevice);
}

TEST_F(NewProject, ASecondInitialUpdateKeepsThePicture)
{
    doc->OnFileNew();
    CBridgeButn* gateway = doc->project.bridgeButton;
    const CMainDoc::_IED_DEVICE* firstIed = doc->project.iedDevices.GetHead();
    CorvelAppEnvironment::View()->OnInitialUpdate(); // as the framework's reopen of the document does
    EXPECT_EQ(gateway, doc->project.bridgeButton);
    EXPECT_EQ(20, doc->project.iedDevices.GetCount());
    EXPECT_EQ(firstIed, doc->project.iedDevices.GetHead());
    EXPECT_EQ(10, doc->project.plcDevices.GetCount());
}

TEST_F(NewProject, NewCommandReachesTheDocument)
{
    EditProject();
    doc->modified = false;
    CorvelAppEnvironment::Frame()->SendMessage(WM_COMMAND, ID_FILE_NEW);
    EXPECT_STREQ("Project 1", doc->GetProjectName());
    EXPECT_EQ(CorvelAppEnvironment::Doc(), doc);
}

TEST(MainFrame, FindsTheDocumentAndKeepsTheProductTitle)
{
    CMainDoc* doc = CorvelAppEnvironment::Doc();
    ASSERT_NE(nullptr, doc);
    EXPECT_EQ(doc, GetActiveDocumentOfClass(RUNTIME_CLASS(CMainDoc)));
    EXPECT_EQ(nullptr, GetActiveDocumentOfClass(RUNTIME_CLASS(CMainView)));
    CMainFrame* frame = CorvelAppEnvironment::Frame();
    doc->SetTitle("other.prj");
    for (int round = 0; round < 2; ++round) {
        if (round == 0)
            frame->OnUpdateFrameTitle(TRUE); // as idle time does
        else
            frame->UpdateTitle("other.prj");
        CString title;
        frame->GetWindowText(title);
        EXPECT_STREQ("Korvane EIP-Tarnwell", title) << round;
    }
    EXPECT_TRUE(frame->IsWindowVisible());
}

TEST(MainFrame, ExitCommandAsksTheFrameToClose)
{
    CMainFrame* frame = CorvelAppEnvironment::Frame();
    frame->SendMessage(WM_COMMAND, ID_APP_EXIT);
    MSG msg;
    // Taken off the queue undispatched: the window stays for the other tests.
    ASSERT_TRUE(::PeekMessageA(&msg, frame->GetSafeHwnd(), WM_CLOSE, WM_CLOSE, PM_REMOVE));
    EXPECT_EQ(static_cast<UINT>(WM_CLOSE), msg.message);
}

TEST(MainApp, ContextMenusAreRegisteredBeforeTheStateLoads)
{
    CContextMenuManager* menus = CorvelAppEnvironment::App().GetContextMenuManager();
    ASSERT_NE(nullptr, menus);
    EXPECT_EQ(static_cast<UINT>(IDR_MENU_PASTE), menus->GetMenuByName("Edit"));
    // The first of the file view's menus registered under "Explorer".
    EXPECT_EQ(static_cast<UINT>(IDR_MENU_MISSING_FILE), menus->GetMenuByName("Explorer"));
    EXPECT_TRUE(AfxIsControlContainerEnabled());
    EXPECT_TRUE(CorvelAppEnvironment::App().IsShellOpenEnabled());
    EXPECT_TRUE(CorvelAppEnvironment::App().AreShellFileTypesRegistered());
    ASSERT_NE(nullptr, CorvelAppEnvironment::App().GetRecentFileList());
    EXPECT_EQ(4, CorvelAppEnvironment::App().GetRecentFileList()->GetSize());
}

TEST(MainFrame, ModuleFolderIsTheProgramsFolder)
{
    const CString program = AfxGetModuleFileName();
    const CString folder = CorvelAppEnvironment::Frame()->GetModuleFolder();
    EXPECT_STREQ(program.Left(program.ReverseFind('\\')), folder);
    EXPECT_NE('\\', folder[folder.GetLength() - 1]);
}

TEST(MainFrame, CancelWhenClosingKeepsTheWindowAndProject)
{
    CMainDoc* doc = CorvelAppEnvironment::Doc();
    doc->SetProjectName("Kept");
    doc->modified = true;
    MessageBoxRecorder boxes;
    boxes.QueueAnswer(IDCANCEL);
    CorvelAppEnvironment::Frame()->SendMessage(WM_CLOSE);
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_STREQ("  Do you want to save changes?", boxes.Last().text);
    EXPECT_TRUE(::IsWindow(CorvelAppEnvironment::Frame()->GetSafeHwnd()));
    EXPECT_STREQ("Kept", doc->GetProjectName());
    EXPECT_TRUE(doc->modified);
    doc->modified = false;
}

TEST(FileView, ListsTheProjectsSclFilesWithMissingOnesMarked)
{
    TempFolder folder;
    const CString present = folder.File("bay.icd");
    WriteTextFile(present, "<SCL/>");
    CMainDoc* doc = CorvelAppEnvironment::Doc();
    for (const CString& path : {present, folder.File("gone.icd")}) {
        auto* file = new CMainDoc::_ICD_FILES;
        file->filePath = path;
        file->fileName = path.Mid(path.ReverseFind('\\') + 1);
        doc->project.sclFiles.AddTail(file);
    }
    doc->project.sclFiles.AddTail(new CMainDoc::_ICD_FILES); // no name: not listed

    CorvelAppEnvironment::Frame()->RefreshFileView();
    CFileView* fileView = CorvelAppEnvironment::Frame()->GetFileView();
    ASSERT_NE(nullptr, fileView);
    CViewTree& tree = fileView->GetFileTree();
    EXPECT_STREQ("IEC 61850 Configurations", tree.GetItemText(fileView->GetIedRoot()));
    struct Item {
        CString text;
        int image;
    };
    std::vector<Item> items;
    for (HTREEITEM item = tree.GetChildItem(fileView->GetIedRoot()); item != nullptr;
         item = tree.GetNextSiblingItem(item)) {
        int image = -1, selected = -1;
        tree.GetItemImage(item, image, selected);
        items.push_back({tree.GetItemText(item), image});
    }
    ASSERT_EQ(2u, items.size());
    EXPECT_STREQ(present, items[0].text);
    EXPECT_EQ(CFileView::kImageFile, items[0].image);
    EXPECT_STREQ(folder.File("gone.icd"), items[1].text);
    EXPECT_EQ(CFileView::kImageMissingFile, items[1].image);

    // Refreshing again does not list the files twice.
    CorvelAppEnvironment::Frame()->RefreshFileView();
    int count = 0;
    for (HTREEITEM item = tree.GetChildItem(fileView->GetIedRoot()); item != nullptr;
         item = tree.GetNextSiblingItem(item))
        ++count;
    EXPECT_EQ(2, count);

    doc->OnFileNew();
    EXPECT_TRUE(doc->project.sclFiles.IsEmpty());
}

} // namespace

// Adding IEDs from SCL files and pointing them to another folder, with Corvel running in the test process.
#include "corvel/document/main_doc.h"
#include "corvel/resources/resource.h"
#include "corvel/project/file_crc.h"
#include "corvel/workspace/buttons.h"
#include "corvel/workspace/file_view.h"
#include "toolkit/common/browse_dialog.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "corvel_app_environment.h"
#include "support/message_box_recorder.h"
#include "support/paths.h"
#include "support/scripted_browse_dialog.h"
#include "support/scripted_file_dialog.h"

namespace {

using Corvel::Records::kSlotInUse;

const char kSclFilter[] = "IED Configuration Files (*.scd, *.icd, *.cid)|*.scd;*.icd;*.cid|All Files (*.*)|*.*||";
const char kAlreadyAdded[] = "The selected CID file already exists in this project.";

// An SCL file with one IED of a server access point, connected with the given IP address.
std::string SclWithIed(LPCSTR iedName, LPCSTR ip)
{
    CString text;
    text.Format("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<SCL xmlns=\"http://www.iec.ch/61850/2003/SCL\">\n"
                "<Communication><SubNetwork name=\"N1\"><ConnectedAP iedName=\"%s\" apName=\"AP1\"><Address>"
                "<P type=\"IP\">%s</P><P type=\"IP-SUBNET\">255.255.255.0</P></Address></ConnectedAP></SubNetwork>"
                "</Communication>\n<IED name=\"%s\" type=\"Relay\" manufacturer=\"Acme\"><AccessPoint name=\"AP1\">"
                "<Server/></AccessPoint></IED>\n</SCL>\n",
                iedName, ip, iedName);
    return std::string(text);
}

// One IED item of the file view.
struct IedItem {
    CString text;
    int image;
    CIedItemData* data;
};

// One file item of the file view with its IED items.
struct FileItem {
    CString text;
    int image;
    std::vector<IedItem> ieds;
};

class AddIed : public ::testing::Test {
protected:
    void SetUp() override
    {
        doc = CorvelAppEnvironment::Doc();
        ASSERT_NE(nullptr, doc);
        doc->modified = false;
        doc->OnFileNew();
        fileView = CorvelAppEnvironment::Frame()->GetFileView();
        ASSERT_NE(nullptr, fileView);
    }
    void TearDown() override
    {
        doc->modified = false;
        doc->OnFileNew();
    }

    CString WriteScl(const TempFolder& in, LPCSTR name, LPCSTR iedName, LPCSTR ip) const
    {
        const CString path = in.File(name);
        WriteBinaryFile(path, SclWithIed(iedName, ip));
        return path;
    }

    std::vector<FileItem> FileItems() const
    {
        CViewTree& tree = fileView->GetFileTree();
        std::vector<FileItem> files;
        for (HTREEITEM file = tree.GetChildItem(fileView->GetIedRoot()); file != nullptr;
             file = tree.GetNextSiblingItem(file)) {
            FileItem item{tree.GetItemText(file), -1, {}};
            int selected = -1;
            tree.GetItemImage(file, item.image, selected);
            for (HTREEITEM ied = tree.GetChildItem(file); ied != nullptr; ied = tree.GetNextSiblingItem(ied)) {
                IedItem child{tree.GetItemText(ied), -1, tree.GetIedItemData(ied)};
                tree.GetItemImage(ied, child.image, selected);
                item.ieds.push_back(child);
            }
            files.push_back(item);
        }
        return files;
    }

    std::vector<CString> RecordPaths() const
    {
        std::vector<CString> paths;
        for (POSITION pos = doc->project.sclFiles.GetHeadPosition(); pos != nullptr;)
            paths.push_back(doc->project.sclFiles.GetNext(pos)->filePath);
        return paths;
    }

    std::vector<CString> ListedNames() const
    {
        return std::vector<CString>(doc->fileListA.GetData(), doc->fileListA.GetData() + doc->fileListA.GetSize());
    }

    CMainDoc::_ICD_FILES* Record(const CString& fileName) const
    {
        for (POSITION pos = doc->project.sclFiles.GetHeadPosition(); pos != nullptr;) {
            CMainDoc::_ICD_FILES* file = doc->project.sclFiles.GetNext(pos);
            if (file->fileName == fileName)
                return file;
        }
        return nullptr;
    }

    // Puts an IED device of the project in use, as placing it on the network view does.
    CMainDoc::_IED_DEVICE* PlaceDevice(int slot, const CString& label, const CString& sclPath)
    {
        POSITION pos = doc->project.iedDevices.FindIndex(slot);
        if (pos == nullptr)
            return nullptr;
        CMainDoc::_IED_DEVICE* device = doc->project.iedDevices.GetAt(pos);
        device->state = kSlotInUse;
        device->label = label;
        device->name = label;
        device->CIDFile = sclPath;
        if (device->button != nullptr)
            device->button->sclFilePath = sclPath;
        return device;
    }

    CMainDoc* doc = nullptr;
    CFileView* fileView = nullptr;
    TempFolder folder;
};

TEST_F(AddIed, FilesOfOneDialogAreAddedInDialogOrder)
{
    const std::vector<CString> chosen = {WriteScl(folder, "c.icd", "BayC", "10.0.0.3"),
                                         WriteScl(folder, "a.cid", "BayA", "10.0.0.1"),
                                         WriteScl(folder, "b.scd", "BayB", "10.0.0.2")};
    ScriptedFileDialog dialog(chosen);
    MessageBoxRecorder boxes;
    doc->flagA = false;
    doc->OnAddIed();

    ASSERT_EQ(1u, dialog.Requests().size());
    const FileDialogRequest& request = dialog.Request();
    EXPECT_TRUE(request.open);
    EXPECT_STREQ(kSclFilter, request.filter);
    EXPECT_EQ(static_cast<DWORD>(OFN_ALLOWMULTISELECT | OFN_HIDEREADONLY),
              request.flags & (OFN_ALLOWMULTISELECT | OFN_HIDEREADONLY));
    EXPECT_STREQ("", request.initialFileName);
    EXPECT_STREQ("", request.defaultExtension);

    EXPECT_EQ(0u, boxes.Count());
    EXPECT_EQ(chosen, RecordPaths());
    EXPECT_EQ((std::vector<CString>{"c.icd", "a.cid", "b.scd"}), ListedNames());
    for (const CString& path : chosen) {
        const CMainDoc::_ICD_FILES* record = Record(path.Mid(path.ReverseFind('\\') + 1));
        ASSERT_NE(nullptr, record) << path;
        CFileCrc32 crc;
        crc.SetFileName(path);
        EXPECT_STREQ(crc.ComputeFileCrc32(), record->checksum) << path;
    }

    const std::vector<FileItem> files = FileItems();
    ASSERT_EQ(3u, files.size());
    const char* const ieds[] = {"BayC", "BayA", "BayB"};
    const char* const ips[] = {"10.0.0.3", "10.0.0.1", "10.0.0.2"};
    for (size_t i = 0; i < files.size(); ++i) {
        EXPECT_STREQ(chosen[i], files[i].text);
        EXPECT_EQ(CFileView::kImageFile, files[i].image);
        ASSERT_EQ(1u, files[i].ieds.size());
        const IedItem& ied = files[i].ieds[0];
        EXPECT_STREQ(ieds[i], ied.text);
        EXPECT_EQ(CFileView::kImageIed, ied.image);
        ASSERT_NE(nullptr, ied.data);
        EXPECT_STREQ(chosen[i], ied.data->filePath);
        EXPECT_STREQ(ieds[i], ied.data->iedName);
        ASSERT_NE(nullptr, ied.data->connectedAP);
        EXPECT_STREQ(ips[i], ied.data->connectedAP->IP);
        EXPECT_STREQ("255.255.255.0", ied.data->connectedAP->IP_SUBNET);
        EXPECT_STREQ("Acme", ied.data->connectedAP->ied.manufacturer);
    }
    EXPECT_TRUE(doc->flagA);
    EXPECT_TRUE(doc->modified);
}

TEST_F(AddIed, CancelledDialogAddsNothingAndStillSetsTheFlag)
{
    ScriptedFileDialog dialog({WriteScl(folder, "a.icd", "BayA", "10.0.0.1")}, IDCANCEL);
    doc->flagA = false;
    doc->OnAddIed();
    EXPECT_EQ(1u, dialog.Requests().size());
    EXPECT_TRUE(doc->flagA);
    EXPECT_TRUE(doc->project.sclFiles.IsEmpty());
    EXPECT_TRUE(FileItems().empty());
    EXPECT_FALSE(doc->modified);
}

TEST_F(AddIed, TheCommandsReachTheDocument)
{
    ScriptedFileDialog dialog({WriteScl(folder, "a.icd", "BayA", "10.0.0.1")});
    dialog.Then({WriteScl(folder, "b.icd", "BayB", "10.0.0.2")});
    CMainFrame* frame = CorvelAppEnvironment::Frame();
    frame->SendMessage(WM_COMMAND, ID_ADD_IED);
    frame->SendMessage(WM_COMMAND, ID_APP_ADD_IED);
    EXPECT_EQ(2u, dialog.Requests().size());
    EXPECT_EQ((std::vector<CString>{folder.File("a.icd"), folder.File("b.icd")}), RecordPaths());

    ScriptedBrowseDialog browse({});
    frame->SendMessage(WM_COMMAND, ID_CHANGE_SCL_FOLDER);
    ASSERT_EQ(1u, browse.Requests().size());
    EXPECT_STREQ("Select the folder where the CID files are located", browse.Requests()[0].title);
}

TEST_F(AddIed, AFileNameAlreadyInTheProjectIsRefusedFromAnyFolder)
{
    TempFolder other;
    doc->AddSclFile(WriteScl(folder, "b.icd", "BayB", "10.0.0.2"));
    doc->modified = false;
    MessageBoxRecorder boxes;
    doc->AddSclFile(WriteScl(other, "b.icd", "BayX", "10.0.0.9"));
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_STREQ(kAlreadyAdded, boxes.Last().text);
    EXPECT_EQ(static_cast<UINT>(MB_OK | MB_ICONINFORMATION), boxes.Last().type & (MB_TYPEMASK | MB_ICONMASK));
    EXPECT_TRUE(doc->modified);
    EXPECT_EQ(std::vector<CString>{folder.File("b.icd")}, RecordPaths());
    EXPECT_EQ(1u, FileItems().size());

    // A name differing only in letter case is another file.
    boxes.Clear();
    doc->AddSclFile(WriteScl(other, "B.icd", "BayY", "10.0.0.8"));
    EXPECT_EQ(0u, boxes.Count());
    EXPECT_EQ((std::vector<CString>{folder.File("b.icd"), other.File("B.icd")}), RecordPaths());
}

TEST_F(AddIed, TheDuplicateCheckKnowsTheFilesOfASavedOrLoadedProject)
{
    // A loaded project: its file records are there while the name list starts empty.
    auto* loaded = new CMainDoc::_ICD_FILES;
    loaded->fileName = "b.icd";
    loaded->filePath = WriteScl(folder, "b.icd", "BayB", "10.0.0.2");
    doc->project.sclFiles.AddTail(loaded);
    ASSERT_EQ(0, doc->fileListA.GetSize());

    TempFolder other;
    MessageBoxRecorder boxes;
    doc->AddSclFile(WriteScl(other, "b.icd", "BayB", "10.0.0.2"));
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_STREQ(kAlreadyAdded, boxes.Last().text);
    EXPECT_EQ(1, doc->project.sclFiles.GetCount());
}

TEST_F(AddIed, MalformedFilesAreRecordedWithTheirChecksum)
{
    const CString first = folder.File("first.icd");
    WriteBinaryFile(first, "123456789");
    const CString second = folder.File("second.icd");
    WriteBinaryFile(second, "<SCL><IED name=\"Half\"");
    MessageBoxRecorder boxes;
    doc->AddSclFile(first);
    doc->AddSclFile(second);
    EXPECT_EQ(0u, boxes.Count());
    EXPECT_EQ((std::vector<CString>{first, second}), RecordPaths());
    ASSERT_NE(nullptr, Record("first.icd"));
    EXPECT_STREQ("cbf43926", Record("first.icd")->checksum);
    const std::vector<FileItem> files = FileItems();
    ASSERT_EQ(2u, files.size());
    EXPECT_STREQ(first, files[0].text);
    EXPECT_TRUE(files[0].ieds.empty());
    EXPECT_TRUE(files[1].ieds.empty());
}

TEST_F(AddIed, AScanFailureLeavesTheFileFreeToBeAddedAgain)
{
    doc->AddSclFile(WriteScl(folder, "a.icd", "BayA", "10.0.0.1"));
    const CString late = folder.File("late.icd");
    MessageBoxRecorder boxes;
    doc->AddSclFile(late);
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_STREQ("Error creating file reader, error is 80070002", boxes.Last().text);
    EXPECT_EQ(static_cast<UINT>(MB_OK | MB_ICONINFORMATION), boxes.Last().type & (MB_TYPEMASK | MB_ICONMASK));
    EXPECT_EQ(std::vector<CString>{folder.File("a.icd")}, RecordPaths());
    EXPECT_EQ(std::vector<CString>{"a.icd"}, ListedNames());
    EXPECT_EQ(1u, FileItems().size());

    boxes.Clear();
    WriteBinaryFile(late, SclWithIed("Late", "10.0.0.7"));
    doc->AddSclFile(late);
    EXPECT_EQ(0u, boxes.Count());
    EXPECT_EQ((std::vector<CString>{folder.File("a.icd"), late}), RecordPaths());
    EXPECT_EQ(2u, FileItems().size());
}

TEST_F(AddIed, TheFirstFileIsTakenWithoutAScan)
{
    // Unreadable: only the checksum object reports it.
    MessageBoxRecorder boxes;
    const CString missing = folder.File("missing.icd");
    doc->AddSclFile(missing);
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_STREQ("Failed to open file " + missing + ".", boxes.Last().text);
    ASSERT_NE(nullptr, Record("missing.icd"));
    EXPECT_STREQ("", Record("missing.icd")->checksum);
    EXPECT_EQ(1u, FileItems().size());
}

TEST_F(AddIed, IedNamesOfTheNewFileAreChecked)
{
    doc->AddSclFile(WriteScl(folder, "a.icd", "BayA", "10.0.0.1"));

    // The same IED twice in one file keeps it out.
    const CString twice = folder.File("twice.scd");
    WriteBinaryFile(twice, "<SCL><IED name=\"Dup\"/><IED name=\"Other\"/><IED name=\"Dup\"/></SCL>");
    MessageBoxRecorder boxes;
    doc->AddSclFile(twice);
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_STREQ("ERROR: IED name 'Dup' is not unique!", boxes.Last().text);
    EXPECT_EQ(static_cast<UINT>(MB_OK), boxes.Last().type);
    EXPECT_EQ(std::vector<CString>{folder.File("a.icd")}, RecordPaths());

    // An IED named as a device in use asks; No keeps the file out, Yes adds it.
    ASSERT_NE(nullptr, PlaceDevice(0, "BayB", folder.File("a.icd")));
    const CString same = WriteScl(folder, "b.icd", "BayB", "10.0.0.2");
    for (const int answer : {IDNO, IDYES}) {
        boxes.Clear();
        boxes.QueueAnswer(answer);
        doc->AddSclFile(same);
        ASSERT_EQ(1u, boxes.Count()) << answer;
        EXPECT_STREQ("You have a device file with the same name in your IED list, do you want to continue?",
                     boxes.Last().text);
        EXPECT_EQ(static_cast<UINT>(MB_YESNO | MB_ICONQUESTION), boxes.Last().type & (MB_TYPEMASK | MB_ICONMASK));
        EXPECT_EQ(answer == IDYES ? 2 : 1, doc->project.sclFiles.GetCount()) << answer;
    }
}

TEST_F(AddIed, EverySampleFileCanBeAdded)
{
    SKIP_WITHOUT_SHARED_TESTDATA();
    // "IED IP" of each IED, as the files say; files not listed have no IED with a connected server.
    const std::map<std::string, std::vector<const char*>> expected = {
        {"iec61850lib_dotnet_server_goose_publisher_simpleIO_direct_control_goose.cid", {"simpleIO 10.0.0.2"}},
        {"iec61850lib_dotnet_tests_simpleIO_control_tests.scd", {"simpleIO 10.0.0.2"}},
        {"iec61850lib_dotnet_tests_test.icd", {"simpleIO "}},
        {"iec61850lib_examples_iec61850_9_2_LE_example_sv.icd", {"TEMPLATE 10.0.0.2"}},
        {"iec61850lib_examples_server_example_61400_25_wtur.cid", {"WIND 10.0.2.2"}},
        {"iec61850lib_examples_server_example_basic_io_simpleIO_direct_control.cid", {"simpleIO 0.0.0.0"}},
        {"iec61850lib_examples_server_example_complex_array_mhai_array.cid", {"test 0.0.0.0"}},
        {"iec61850lib_examples_server_example_config_file_simpleIO_direct_control_goose.cid", {"simpleIO "}},
        {"iec61850lib_examples_server_example_control_simpleIO_control_tests.cid", {"simpleIO 0.0.0.0"}},
        {"iec61850lib_examples_server_example_deadband_cid_example_deadband.cid", {"IED1 0.0.0.0"}},
        {"iec61850lib_examples_server_example_files_simpleIO_direct_control.cid", {"simpleIO 10.0.0.2"}},
        {"iec61850lib_examples_server_example_goose_simpleIO_direct_control_goose.cid", {"simpleIO 10.0.0.2"}},
        {"iec61850lib_examples_server_example_logging_simpleIO_direct_control.cid", {"simpleIO 10.0.0.2"}},
        {"iec61850lib_examples_server_example_password_auth_simpleIO_direct_control.cid", {"simpleIO 10.0.0.2"}},
        {"iec61850lib_examples_server_example_service_tracking_simpleIO_ltrk_tests.icd", {"simpleIO 0.0.0.0"}},
        {"iec61850lib_examples_server_example_substitution_substitution_example.cid", {"IED1 192.168.62.248"}},
        {"iec61850lib_examples_server_example_threadless_simpleIO_direct_control.cid", {"simpleIO 10.0.0.2"}},
        {"iec61850lib_tools_model_generator_sampleModel_with_dataset.icd", {"SampleIED 127.0.0.1"}},
        {"iec61850lib_tools_model_generator_simpleIO_direct_control_goose.scd", {"simpleIO 10.0.0.2"}},
        {"openscd_MessageBindingGOOSE2007B4.scd", {"IED1 192.168.210.111", "IED2 192.168.0.112", "IED3 192.168.0.113"}},
        {"openscd_gsecontrol.scd", {"IED1 192.168.210.111", "IED2 192.168.0.112", "IED3 192.168.0.113"}},
        {"openscd_iedEditorWithIEDs.scd", {"IED1 192.168.210.111", "IED2 192.168.0.112", "IED3 192.168.0.113"}},
        // One item per IED name, with its last access point.
        {"openscd_valid-subnetwork.scd", {"B1 ", "B2 192.128.0.11"}},
        {"openscd_valid2007B4.scd", {"IED1 192.168.210.111", "IED2 192.168.0.112", "IED3 192.168.0.113"}},
        {"openscd_valid2007B4withSubstationXY.scd",
         {"IED1 192.168.210.111", "IED2 192.168.0.112", "IED3 192.168.0.113"}},
    };

    const CString samples = SharedTestData("scl");
    std::vector<CString> paths;
    WIN32_FIND_DATAA found;
    HANDLE find = ::FindFirstFileA(samples + "\\*.*", &found);
    ASSERT_NE(INVALID_HANDLE_VALUE, find);
    do {
        const CString name = found.cFileName;
        const CString extension = name.Right(4);
        if (extension == ".scd" || extension == ".icd" || extension == ".cid")
            paths.push_back(samples + "\\" + name);
    } while (::FindNextFileA(find, &found));
    ::FindClose(find);
    ASSERT_GE(paths.size(), expected.size());

    MessageBoxRecorder boxes;
    for (const CString& path : paths)
        doc->AddSclFile(path);
    EXPECT_EQ(0u, boxes.Count());
    EXPECT_EQ(paths, RecordPaths());

    const std::vector<FileItem> files = FileItems();
    ASSERT_EQ(paths.size(), files.size());
    size_t listedFiles = 0;
    for (const FileItem& file : files) {
        const std::string name(file.text.Mid(file.text.ReverseFind('\\') + 1));
        std::vector<CString> shown;
        for (const IedItem& ied : file.ieds) {
            ASSERT_NE(nullptr, ied.data) << name;
            EXPECT_STREQ(ied.text, ied.data->iedName) << name;
            shown.push_back(ied.text + " " + ied.data->connectedAP->IP);
        }
        const auto entry = expected.find(name);
        const std::vector<const char*> none;
        const std::vector<const char*>& want = entry != expected.end() ? entry->second : none;
        listedFiles += entry != expected.end() ? 1 : 0;
        EXPECT_EQ(std::vector<CString>(want.begin(), want.end()), shown) << name;
    }
    EXPECT_EQ(expected.size(), listedFiles);
}

class ChangeSclFolder : public AddIed {
protected:
    void SetUp() override
    {
        AddIed::SetUp();
        doc->AddSclFile(WriteScl(folder, "a.icd", "BayA", "10.0.0.1"));
        doc->AddSclFile(WriteScl(folder, "b.icd", "BayB", "10.0.0.2"));
        deviceA = PlaceDevice(0, "BayA", folder.File("a.icd"));
        deviceB1 = PlaceDevice(1, "BayB", folder.File("b.icd"));
        deviceB2 = PlaceDevice(2, "BayB2", folder.File("b.icd"));
        ASSERT_NE(nullptr, deviceB2);
        doc->modified = false;
    }

    CMainDoc::_IED_DEVICE* deviceA = nullptr;
    CMainDoc::_IED_DEVICE* deviceB1 = nullptr;
    CMainDoc::_IED_DEVICE* deviceB2 = nullptr;
    TempFolder moved;
};

TEST_F(ChangeSclFolder, AFolderHoldingAFileRepointsItsRecordAndDevices)
{
    // The file has moved: gone from its old folder, found in the chosen one.
    ::DeleteFileA(folder.File("b.icd"));
    CorvelAppEnvironment::Frame()->RefreshFileView();
    ASSERT_EQ(CFileView::kImageMissingFile, FileItems()[1].image);
    const CString movedB = WriteScl(moved, "b.icd", "BayB", "10.0.0.2");
    WriteScl(moved, "unrelated.icd", "BayZ", "10.0.0.9");

    ScriptedBrowseDialog browse({moved.Path()});
    doc->OnChangeSclFolder();

    EXPECT_EQ((std::vector<CString>{folder.File("a.icd"), movedB}), RecordPaths());
    EXPECT_STREQ(folder.File("a.icd"), deviceA->CIDFile);
    EXPECT_STREQ(folder.File("a.icd"), deviceA->button->sclFilePath);
    for (const CMainDoc::_IED_DEVICE* device : {deviceB1, deviceB2}) {
        EXPECT_STREQ(movedB, device->CIDFile);
        EXPECT_STREQ(movedB, device->button->sclFilePath);
    }
    EXPECT_TRUE(doc->modified);
    const std::vector<FileItem> files = FileItems();
    ASSERT_EQ(2u, files.size());
    EXPECT_STREQ(movedB, files[1].text);
    EXPECT_EQ(CFileView::kImageFile, files[1].image);
    ASSERT_EQ(1u, files[1].ieds.size());
    EXPECT_STREQ(movedB, files[1].ieds[0].data->filePath);
}

TEST_F(ChangeSclFolder, AFolderHoldingNoneChangesNoPathButRefreshes)
{
    // A record that the file view does not show yet appears with the refresh.
    auto* extra = new CMainDoc::_ICD_FILES;
    extra->fileName = "c.icd";
    extra->filePath = WriteScl(folder, "c.icd", "BayC", "10.0.0.3");
    doc->project.sclFiles.AddTail(extra);
    ASSERT_EQ(2u, FileItems().size());

    ScriptedBrowseDialog browse({moved.Path()});
    doc->OnChangeSclFolder();
    EXPECT_EQ((std::vector<CString>{folder.File("a.icd"), folder.File("b.icd"), folder.File("c.icd")}),
              RecordPaths());
    EXPECT_STREQ(folder.File("b.icd"), deviceB1->CIDFile);
    EXPECT_TRUE(doc->modified);
    EXPECT_EQ(3u, FileItems().size());
}

TEST_F(ChangeSclFolder, ACancelledDialogChangesNothing)
{
    WriteScl(moved, "b.icd", "BayB", "10.0.0.2");
    ScriptedBrowseDialog browse({});
    doc->OnChangeSclFolder();
    EXPECT_EQ(1u, browse.Requests().size());
    EXPECT_EQ((std::vector<CString>{folder.File("a.icd"), folder.File("b.icd")}), RecordPaths());
    EXPECT_STREQ(folder.File("b.icd"), deviceB1->CIDFile);
    EXPECT_FALSE(doc->modified);
}

TEST(ViewTree, NextTreeItemWalksDepthFirst)
{
    CViewTree tree;
    ASSERT_TRUE(tree.Create(WS_CHILD | TVS_HASLINES, CRect(0, 0, 100, 100), CorvelAppEnvironment::Frame(), 4711));
    // a (a1 (a11), a2), b, c (c1)
    HTREEITEM a = tree.InsertItem("a");
    HTREEITEM a1 = tree.InsertItem("a1", a);
    tree.InsertItem("a11", a1);
    tree.InsertItem("a2", a);
    tree.InsertItem("b");
    HTREEITEM c = tree.InsertItem("c");
    HTREEITEM c1 = tree.InsertItem("c1", c);
    std::vector<CString> order;
    for (HTREEITEM item = a; item != nullptr; item = tree.GetNextTreeItem(item))
        order.push_back(tree.GetItemText(item));
    EXPECT_EQ((std::vector<CString>{"a", "a1", "a11", "a2", "b", "c", "c1"}), order);
    EXPECT_EQ(nullptr, tree.GetNextTreeItem(c1));
    EXPECT_EQ(nullptr, tree.GetNextTreeItem(nullptr));

    // Item data of a branch goes, its items stay.
    auto* data = new CIedItemData;
    data->iedName = "a11";
    tree.SetItemData(tree.GetChildItem(a1), reinterpret_cast<DWORD_PTR>(data));
    tree.DeleteItemDataTree(a);
    EXPECT_EQ(nullptr, tree.GetIedItemData(tree.GetChildItem(a1)));
    EXPECT_EQ(7u, tree.GetCount());
    tree.DestroyWindow();
}

} // namespace

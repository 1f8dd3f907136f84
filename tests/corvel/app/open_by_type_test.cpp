// Opening files by their type and importing module configurations, with Corvel running in the test process.
#include "corvel/document/main_doc.h"
#include "corvel/resources/resource.h"
#include "corvel/project/kor_xml.h"
#include "corvel/project/path_utils.h"
#include "corvel/workspace/buttons.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "corvel_app_environment.h"
#include "support/enable_recorder.h"
#include "support/message_box_recorder.h"
#include "support/minimal_scl.h"
#include "support/paths.h"
#include "support/scripted_browse_dialog.h"
#include "support/scripted_file_dialog.h"

namespace {

using Corvel::Records::kSlotInUse;

const char kInvalidFileType[] = "Error: Attempt to load an invalid file type!";
const char kFolderTitle[] = "Select the folder to place the project";
const char kConfigurationFilter[] =
    "Korvane Gateway Configuration files (*.cfg)|*.cfg|XML Files (*.xml)|*.xml||";

class OpenByType : public ::testing::Test {
protected:
    void SetUp() override
    {
        doc = CorvelAppEnvironment::Doc();
        frame = CorvelAppEnvironment::Frame();
        ASSERT_NE(nullptr, doc);
        doc->modified = false;
        doc->OnFileNew();
        frame->currentDeviceId = 0;
    }
    void TearDown() override
    {
        doc->modified = false;
        doc->OnFileNew();
        frame->currentDeviceId = 0;
    }

    // Saves a project "Plant" with the IEDs BAY1 and BAY2 of in\SCLFiles as in\name.
    CString SaveProject(const TempFolder& in, LPCSTR name)
    {
        const CString sclFolder = in.File("SCLFiles");
        CreateFolder(sclFolder);
        POSITION pos = doc->project.iedDevices.GetHeadPosition();
        for (LPCSTR ied : {"BAY1", "BAY2"}) {
            const CString fileName = CString(ied).MakeLower() + ".icd";
            const CString path = sclFolder + "\\" + fileName;
            WriteBinaryFile(path, MinimalSclFile(ied));
            doc->project.sclFiles.AddTail(new CMainDoc::_ICD_FILES{fileName, path, ""});
            CMainDoc::_IED_DEVICE* device = doc->project.iedDevices.GetNext(pos);
            device->state = kSlotInUse;
            device->name = ied;
            device->label = ied;
            device->CIDFile = path;
        }
        doc->SetProjectName("Plant");
        doc->SetProjectPath(in.File(name));
        EXPECT_TRUE(doc->SaveProject());
        doc->OnFileNew();
        return in.File(name);
    }

    // A module configuration at path that embeds the files.
    static void WriteConfiguration(const CString& path, const std::vector<CString>& files)
    {
        Korvane::Formats::CKorXml xml;
        ASSERT_TRUE(xml.Open(path, false));
        xml.WriteStartTag("DeviceConfig");
        xml.WriteStartTag("Attachments");
        for (const CString& file : files)
            xml.WriteEmbeddedFile(file);
    }

    // The saved project and a configuration "upload.cfg" of it, in source.
    CString WriteProjectConfiguration()
    {
        const CString project = SaveProject(source, "plant.prj");
        const CString configuration = source.File("upload.cfg");
        WriteConfiguration(configuration, {project, source.File("plant.prx"), source.File("SCLFiles\\bay1.icd"),
                                           source.File("SCLFiles\\bay2.icd")});
        return configuration;
    }

    // What an import into target must leave: the restored files, the rewritten configuration, the loaded project.
    void ExpectImportedProject(const TempFolder& target)
    {
        for (LPCSTR name : {"plant.prj", "plant.prx", "SCLFiles\\bay1.icd", "SCLFiles\\bay2.icd"}) {
            ASSERT_TRUE(FileExists(target.File(name))) << name;
            EXPECT_EQ(ReadBinaryFile(source.File(name)), ReadBinaryFile(target.File(name))) << name;
        }
        EXPECT_TRUE(FileExists(target.File("upload.cfg")));
        EXPECT_FALSE(FileExists(target.File("TEMP.xml")));
        // The folder may be given in other letters: names are compared without case.
        const CString rewritten = CString(ReadBinaryFile(target.File("plant.xml")).c_str()).MakeLower();
        for (LPCSTR name : {"plant.prj", "plant.prx"})
            EXPECT_NE(-1, rewritten.Find(("name=\"" + target.File(name) + "\"").MakeLower())) << name;
        EXPECT_NE(-1, rewritten.Find(("<file type=\"icd\" name=\"" + target.File("SCLFiles\\bay1.icd")).MakeLower()));
        EXPECT_NE(-1, rewritten.Find("</deviceconfig>"));

        EXPECT_TRUE(doc->projectReady);
        EXPECT_STREQ("Plant", doc->GetProjectName());
        EXPECT_EQ(0, doc->GetProjectPath().CompareNoCase(target.File("Plant.prj"))) << doc->GetProjectPath();
        EXPECT_EQ(2, doc->GetDeviceCount(CMainDoc::kKindIed));
        EXPECT_EQ(1066, frame->currentDeviceId);
        EXPECT_EQ(CMainDoc::kKindIed, frame->currentDeviceKind);
        EXPECT_EQ(0, (*CorvelAppEnvironment::App().GetRecentFileList())[0].CompareNoCase(target.File("plant.prj")));
    }

    TempFolder source;
    CMainDoc* doc = nullptr;
    CMainFrame* frame = nullptr;
};

TEST_F(OpenByType, AnArchiveOfAnyLetterCaseOpensAsProject)
{
    const CString path = SaveProject(source, "PROJECT.PRJ");
    MessageBoxRecorder boxes;
    EXPECT_TRUE(doc->OpenFileByType(path, FALSE));
    EXPECT_EQ(0u, boxes.Count()) << boxes.Last().text;
    EXPECT_EQ(1, doc->GetOpenKind());
    EXPECT_STREQ(path, doc->GetProjectPath());
    EXPECT_STREQ("Plant", doc->GetProjectName());
    EXPECT_EQ(2, doc->GetDeviceCount(CMainDoc::kKindIed));
    EXPECT_EQ(0, (*CorvelAppEnvironment::App().GetRecentFileList())[0].CompareNoCase(path));
    EXPECT_EQ(1066, frame->currentDeviceId);
}

TEST_F(OpenByType, AnSclFileAddsItsIedAndLeavesNoProjectPath)
{
    const CString scl = source.File("a.icd");
    WriteBinaryFile(scl, MinimalSclFile("BAYA"));
    doc->SetProjectPath(source.File("plant.prj"));
    MessageBoxRecorder boxes;
    EXPECT_TRUE(doc->OpenFileByType(scl, FALSE));
    EXPECT_EQ(0u, boxes.Count()) << boxes.Last().text;
    EXPECT_STREQ("", doc->GetProjectPath());
    ASSERT_EQ(1, doc->project.sclFiles.GetCount());
    EXPECT_STREQ(scl, doc->project.sclFiles.GetHead()->filePath);
}

TEST_F(OpenByType, AnUnknownTypeIsReportedAndKeepsItsPath)
{
    const CString text = source.File("x.txt");
    WriteTextFile(text, "x");
    {
        MessageBoxRecorder boxes;
        EXPECT_FALSE(doc->OpenFileByType(text, FALSE));
        ASSERT_EQ(1u, boxes.Count());
        EXPECT_STREQ(kInvalidFileType, boxes.Last().text);
        EXPECT_STREQ(text, doc->GetProjectPath());
    }

    MessageBoxRecorder boxes;
    ScriptedFileDialog dialogs({text});
    frame->SendMessage(WM_COMMAND, ID_OPEN_PROJECT);
    ASSERT_EQ(1u, dialogs.Requests().size());
    EXPECT_TRUE(dialogs.Request().open);
    EXPECT_STREQ("prj", dialogs.Request().defaultExtension);
    EXPECT_STREQ("Project Files (*.prj)|*.prj|Project Files (*.prx)|*.prx|Cfg Import Files (*.cfg)|*.cfg||",
                 dialogs.Request().filter);
    ASSERT_EQ(2u, boxes.Count());
    EXPECT_STREQ(kInvalidFileType, boxes.Calls()[0].text);
    EXPECT_STREQ("ERROR: Unrecognized file type!", boxes.Calls()[1].text);
}

TEST_F(OpenByType, AMissingConfigurationIsReported)
{
    MessageBoxRecorder boxes;
    ScriptedBrowseDialog browse({source.Path()});
    EXPECT_FALSE(doc->OpenFileByType(source.File("none.cfg"), TRUE));
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_STREQ("Error: Attempt to load an invalid '.Cfg' file.", boxes.Last().text);
    EXPECT_TRUE(browse.Requests().empty());
}

// Cancel in the save prompt keeps the project with its own path: a later Save must not write over the file.
TEST_F(OpenByType, ACancelledSavePromptKeepsTheProjectAndItsPath)
{
    const CString other = SaveProject(source, "other.prj");
    doc->SetProjectName("Current");
    doc->SetProjectPath(source.File("current.prj"));
    doc->MarkChangedAndUpdateViews();
    MessageBoxRecorder boxes;
    boxes.QueueAnswer(IDCANCEL);
    EXPECT_FALSE(doc->OpenFileByType(other, FALSE));
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_STREQ("  Do you want to save changes?", boxes.Last().text);
    EXPECT_STREQ("Current", doc->GetProjectName());
    EXPECT_STREQ(source.File("current.prj"), doc->GetProjectPath());
    EXPECT_TRUE(doc->modified);
}

TEST_F(OpenByType, ImportConfigurationRestoresTheProjectIntoAnEmptyFolder)
{
    const CString configuration = WriteProjectConfiguration();
    TempFolder target;
    MessageBoxRecorder boxes;
    ScriptedFileDialog dialogs({configuration});
    ScriptedBrowseDialog browse({target.Path()});
    frame->SendMessage(WM_COMMAND, ID_IMPORT_CONFIGURATION);

    ASSERT_EQ(1u, dialogs.Requests().size());
    EXPECT_TRUE(dialogs.Request().open);
    EXPECT_STREQ("*.cfg", dialogs.Request().defaultExtension);
    EXPECT_STREQ(kConfigurationFilter, dialogs.Request().filter);
    EXPECT_TRUE(dialogs.Request().flags & OFN_FILEMUSTEXIST);
    ASSERT_EQ(1u, browse.Requests().size());
    EXPECT_STREQ(kFolderTitle, browse.Requests()[0].title);
    EXPECT_EQ(0u, boxes.Count()) << boxes.Last().text;
    EXPECT_EQ(4, doc->GetOpenKind());
    ExpectImportedProject(target);
    EXPECT_TRUE(FileExists(configuration));
}

TEST_F(OpenByType, OpenProjectPlacesAConfigurationInTheChosenFolder)
{
    const CString configuration = WriteProjectConfiguration();
    TempFolder target;
    MessageBoxRecorder boxes;
    ScriptedFileDialog dialogs({configuration});
    ScriptedBrowseDialog browse({target.Path()});
    frame->SendMessage(WM_COMMAND, ID_OPEN_PROJECT);
    ASSERT_EQ(1u, browse.Requests().size());
    EXPECT_EQ(0u, boxes.Count()) << boxes.Last().text;
    ExpectImportedProject(target);
}

TEST_F(OpenByType, ImportFromTheFolderOfTheConfigurationKeepsIt)
{
    const CString configuration = WriteProjectConfiguration();
    TempFolder target;
    const CString only = target.File("upload.cfg");
    ASSERT_TRUE(::CopyFileA(configuration, only, TRUE));
    const std::string bytes = ReadBinaryFile(only);
    MessageBoxRecorder boxes;
    ScriptedFileDialog dialogs({only});
    // The same folder in other letters.
    ScriptedBrowseDialog browse({CString(target.Path()).MakeUpper()});
    doc->OnImportConfiguration();
    EXPECT_EQ(0u, boxes.Count()) << boxes.Last().text;
    EXPECT_EQ(bytes, ReadBinaryFile(only));
    ExpectImportedProject(target);
}

// A configuration that cannot be copied into the chosen folder is reported and nothing is opened.
TEST_F(OpenByType, AConfigurationThatCannotBeCopiedIsReported)
{
    const CString configuration = WriteProjectConfiguration();
    TempFolder target;
    // No file can be made under a folder name with a character that names allow nowhere.
    const CString missingFolder = target.File("bad|folder");
    const struct {
        UINT command;
        const char* text;
    } cases[] = {
        {ID_IMPORT_CONFIGURATION, "Error: Could not copy '.cfg' file."},
        {ID_OPEN_PROJECT, "Error: Could not copy file."},
    };
    for (const auto& c : cases) {
        MessageBoxRecorder boxes;
        ScriptedFileDialog dialogs({configuration});
        ScriptedBrowseDialog browse({missingFolder});
        frame->SendMessage(WM_COMMAND, c.command);
        ASSERT_EQ(1u, browse.Requests().size()) << c.text;
        ASSERT_LE(1u, boxes.Count()) << c.text;
        EXPECT_STREQ(c.text, boxes.Calls()[0].text);
        EXPECT_EQ(static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION), boxes.Calls()[0].type & (MB_TYPEMASK | MB_ICONMASK)) << c.text;
        EXPECT_FALSE(FileExists(missingFolder + "\\upload.cfg")) << c.text;
        EXPECT_FALSE(doc->projectReady) << c.text;
    }
}

// A configuration written on another machine names SCL files in that machine's folders: the
// imported project finds them restored into its own SCL folder, and adds an IED from one of them.
TEST_F(OpenByType, AnImportedProjectFindsItsSclFilesInItsOwnFolder)
{
    const CString elsewhere = "D:\\Elsewhere\\SCLFiles\\";
    CreateFolder(source.File("SCLFiles"));
    for (LPCSTR ied : {"BAY1", "BAY3"}) {
        const CString fileName = CString(ied).MakeLower() + ".icd";
        WriteBinaryFile(source.File("SCLFiles\\" + fileName), MinimalSclFile(ied));
        doc->project.sclFiles.AddTail(new CMainDoc::_ICD_FILES{fileName, elsewhere + fileName, ""});
    }
    CMainDoc::_IED_DEVICE* placed = doc->project.iedDevices.GetHead();
    placed->state = kSlotInUse;
    placed->name = placed->label = "BAY1";
    placed->CIDFile = elsewhere + "bay1.icd";
    doc->SetProjectName("Plant");
    doc->SetProjectPath(source.File("plant.prj"));
    ASSERT_TRUE(doc->SaveProject());
    doc->OnFileNew();
    const CString configuration = source.File("upload.cfg");
    WriteConfiguration(configuration, {source.File("plant.prj"), source.File("plant.prx"),
                                       source.File("SCLFiles\\bay1.icd"), source.File("SCLFiles\\bay3.icd")});

    TempFolder target;
    MessageBoxRecorder boxes;
    ScriptedFileDialog dialogs({configuration});
    ScriptedBrowseDialog browse({target.Path()});
    doc->OnImportConfiguration();
    EXPECT_EQ(0u, boxes.Count()) << boxes.Last().text;
    EXPECT_EQ(4, doc->GetOpenKind());
    ASSERT_EQ(2, doc->project.sclFiles.GetCount());
    for (POSITION pos = doc->project.sclFiles.GetHeadPosition(); pos != nullptr;) {
        const CMainDoc::_ICD_FILES& file = *doc->project.sclFiles.GetNext(pos);
        EXPECT_EQ(0, file.filePath.CompareNoCase(target.File("SCLFiles\\" + file.fileName))) << file.filePath;
        EXPECT_TRUE(FileExists(file.filePath)) << file.filePath;
    }
    EXPECT_EQ(0, doc->project.iedDevices.GetHead()->CIDFile.CompareNoCase(target.File("SCLFiles\\bay1.icd")))
        << doc->project.iedDevices.GetHead()->CIDFile;

    const CString bay3 = doc->project.sclFiles.GetTail()->filePath;
    CConnectedAPArray entries;
    CMainDoc::ReadIedHeader(bay3, entries);
    ASSERT_EQ(1, entries.GetSize());
    const std::unique_ptr<CConnectedAP> entry(entries[0]);
    EXPECT_EQ(1067, CorvelAppEnvironment::View()->AddDevice(CMainDoc::kKindIed, bay3, entry.get()));
    EXPECT_EQ(2, doc->GetDeviceCount(CMainDoc::kKindIed));
    EXPECT_STREQ(bay3, doc->project.iedDevices.GetAt(doc->project.iedDevices.FindIndex(1))->CIDFile);
    EXPECT_EQ(0u, boxes.Count()) << boxes.Last().text;
}

// The configuration's .xml twin is removed, unless it is the rewritten configuration of the project.
TEST_F(OpenByType, AConfigurationNamedLikeItsProjectKeepsTheRewrittenXml)
{
    const CString configuration = WriteProjectConfiguration();
    TempFolder target;
    const CString named = target.File("plant.cfg");
    ASSERT_TRUE(::CopyFileA(configuration, named, TRUE));
    WriteTextFile(target.File("other.xml"), "x");
    MessageBoxRecorder boxes;
    EXPECT_TRUE(doc->OpenFileByType(named, FALSE));
    EXPECT_EQ(0u, boxes.Count()) << boxes.Last().text;
    EXPECT_NE(std::string::npos, ReadBinaryFile(target.File("plant.xml")).find("</DeviceConfig>"));
    EXPECT_TRUE(FileExists(named));
    EXPECT_TRUE(FileExists(target.File("other.xml")));
    EXPECT_EQ(2, doc->GetDeviceCount(CMainDoc::kKindIed));
}

TEST_F(OpenByType, ImportAsksBeforeDroppingChanges)
{
    const CString configuration = WriteProjectConfiguration();
    doc->SetProjectName("Edited");
    doc->MarkChangedAndUpdateViews();
    MessageBoxRecorder boxes;
    boxes.QueueAnswer(IDNO);
    ScriptedFileDialog dialogs({configuration});
    doc->OnImportConfiguration();
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_STREQ("WARNING! Changes have been made.\n                   Load new configuration without saving?",
                 boxes.Last().text);
    EXPECT_STREQ("Korvane EIP-Tarnwell", boxes.Last().caption);
    EXPECT_TRUE(dialogs.Requests().empty());
    EXPECT_STREQ("Edited", doc->GetProjectName());
}

// What the restore of the embedded files must tell is shown by the document, in order, under the product
// title and without an owner; the files before the failing one and the project come back.
TEST_F(OpenByType, AFileThatCannotBeRestoredIsReportedAndTheProjectStillOpens)
{
    const CString configuration = WriteProjectConfiguration();
    std::string bytes = ReadBinaryFile(configuration);
    const size_t end = bytes.find("</Attachments>");
    ASSERT_NE(std::string::npos, end);
    bytes.insert(end, "<File Type=\"icd\" Name=\"C:\\elsewhere\\SCLFiles\\bad.icd\" Encoding=\"BASE64_ZIP\">\n"
                      "!!!! ----\n</File>\n");
    WriteBinaryFile(configuration, bytes);
    TempFolder target;
    ASSERT_TRUE(::CopyFileA(configuration, target.File("upload.cfg"), FALSE));
    doc->SetProjectPath(target.File("upload.cfg"));
    MessageBoxRecorder boxes;
    EXPECT_TRUE(doc->OpenFileByType(target.File("upload.cfg"), FALSE));
    ASSERT_EQ(2u, boxes.Count());
    EXPECT_STREQ("File '...\\SCLFiles\\bad.icd' could not be created!", boxes.Calls()[0].text);
    EXPECT_STREQ("Error: Extracting file. Please try to upload again.", boxes.Calls()[1].text);
    for (const MessageBoxRecorder::Call& call : boxes.Calls()) {
        EXPECT_STREQ("Korvane EIP-Tarnwell", call.caption);
        EXPECT_EQ(static_cast<UINT>(MB_ICONEXCLAMATION | MB_OK), call.type);
        EXPECT_EQ(nullptr, call.owner);
    }
    EXPECT_TRUE(FileExists(target.File("SCLFiles\\bay2.icd")));
    EXPECT_FALSE(FileExists(target.File("SCLFiles\\bad.icd")));
    EXPECT_TRUE(doc->projectReady);
    EXPECT_STREQ("Plant", doc->GetProjectName());
}

// A configuration without a project file fails with a message and changes nothing.
TEST_F(OpenByType, AConfigurationWithoutAProjectFileFails)
{
    SaveProject(source, "plant.prj");
    // TEMP.xml is also the name of the work file of the rewrite.
    for (LPCSTR name : {"nothing.cfg", "nothing.xml", "TEMP.xml"}) {
        const CString configuration = source.File(name);
        WriteConfiguration(configuration, {source.File("SCLFiles\\bay1.icd")});
        const std::string bytes = ReadBinaryFile(configuration);
        doc->SetProjectName("Kept");
        MessageBoxRecorder boxes;
        EXPECT_FALSE(doc->OpenFileByType(configuration, FALSE)) << name;
        ASSERT_EQ(1u, boxes.Count()) << name;
        EXPECT_STREQ("Error: The configuration '" + configuration + "' holds no project file (*.prj, *.prx).",
                     boxes.Last().text);
        EXPECT_STREQ("Korvane EIP-Tarnwell", boxes.Last().caption);
        EXPECT_STREQ("Kept", doc->GetProjectName()) << name;
        // The work file keeps the configuration, its last line given a line break.
        const bool isWorkFile = CString(name) == "TEMP.xml";
        EXPECT_EQ(isWorkFile ? bytes + "\r\n" : bytes, ReadBinaryFile(configuration)) << name;
        EXPECT_EQ(isWorkFile, FileExists(source.File("TEMP.xml"))) << name;
        // Nothing named after an empty project path in the working folder.
        EXPECT_FALSE(FileExists(".xml")) << name;
    }
}

// The platform's XML reader ends the process on a declaration cut short: such files are reported as damaged.
TEST_F(OpenByType, ATruncatedConfigurationIsReportedWithoutEndingTheProgram)
{
    const std::string seed = ReadBinaryFile(WriteProjectConfiguration());
    const CString configuration = source.File("cut.cfg");
    WriteBinaryFile(configuration,
                    "\xEF\xBB\xBF<?xml version=\"1.0\" enc\n<File Type=\"prj\" Name=\"D:\\a\\p.prj\">\n");
    {
        MessageBoxRecorder boxes;
        EXPECT_FALSE(doc->OpenFileByType(configuration, FALSE));
        ASSERT_EQ(1u, boxes.Count());
        EXPECT_STREQ("Error: The configuration '" + configuration + "' is damaged: its XML declaration is incomplete.",
                     boxes.Last().text);
        EXPECT_FALSE(FileExists(source.File("TEMP.xml")));
        EXPECT_FALSE(FileExists(source.File("p.xml")));
    }

    const size_t body = seed.find("?>") + 3;
    std::vector<size_t> lengths;
    for (size_t length = 0; length <= body; ++length)
        lengths.push_back(length);
    for (size_t length = body + 1; length < seed.size(); length += seed.size() / 40)
        lengths.push_back(length);
    for (size_t length : lengths) {
        WriteBinaryFile(configuration, seed.substr(0, length));
        MessageBoxRecorder boxes;
        doc->modified = false;
        const BOOL opened = doc->OpenFileByType(configuration, FALSE);
        // Within the declaration the configuration names no project yet.
        if (length <= body) {
            EXPECT_FALSE(opened) << length;
            EXPECT_EQ(1u, boxes.Count()) << length;
        }
        EXPECT_FALSE(FileExists(source.File("TEMP.xml"))) << length;
    }
}

TEST_F(OpenByType, ExportConfigurationIsEnabledWhileTheProjectIsReady)
{
    for (bool ready : {false, true}) {
        doc->projectReady = ready;
        EnableRecorder state;
        state.m_nID = ID_EXPORT_CONFIGURATION;
        state.DoUpdate(frame, FALSE);
        EXPECT_EQ(ready ? TRUE : FALSE, state.enabled);
    }
    // The command reaches the gateway button's export, which starts with the project's save dialog.
    ScriptedFileDialog dialogs({}, IDCANCEL);
    frame->SendMessage(WM_COMMAND, ID_EXPORT_CONFIGURATION);
    ASSERT_EQ(1u, dialogs.Requests().size());
    EXPECT_EQ("prj", dialogs.Request().defaultExtension);
}

} // namespace

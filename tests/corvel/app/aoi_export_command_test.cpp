// Export AOI Files on a document without windows: the save, the folder dialog, the files written, the
// overwrite question and every message, through the hooks.
#include "../gateway/aoi_test_support.h"

#include "corvel/resources/resource.h"
#include "corvel/gateway/aoi_export.h"
#include "corvel/project/path_utils.h"
#include "support/com_apartment.h"
#include "support/message_box_recorder.h"
#include "support/scripted_browse_dialog.h"
#include "support/scripted_file_dialog.h"
#include "support/temp_folder.h"
#include "new_project_document.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

using namespace Corvel::Records;
using AoiTest::AoiFile;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::UnorderedElementsAre;

constexpr char kNothingToExport[] = "No AOI files were created as there is nothing to export";
constexpr char kFolderTitle[] = "Select a directory to put the AOI files";
constexpr char kNoFolderChosen[] = "No directory was selected.  No files were created";
constexpr char kOverwriteQuestion[] = "You are about to overwrite existing files. Proceed?";
constexpr char kNothingCreated[] = "No new AOI files were created.";
constexpr char kOneFileExported[] = "1 AOI files were exported.";

// The document with the wait after the save recorded instead of slept.
class ExportDoc : public NewProjectDocument {
public:
    std::vector<DWORD> waits;

protected:
    void WaitAfterSave(DWORD milliseconds) override { waits.push_back(milliseconds); }
};

class AoiExportCommand : public ComApartmentTest {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(CreateFolder(ProjectFolder()));
        ASSERT_TRUE(CreateFolder(ExportFolder()));
        doc.SetProjectName("Plant");
    }

    // Places IED1 with two rows, mapped to connection 0 when assigned.
    void AddDevice(bool assigned)
    {
        _IED_DEVICE& ied = *doc.project.iedDevices.GetHead();
        ied.state = kSlotInUse;
        ied.name = ied.label = "IED1";
        ied.IPaddr = "10.0.0.1";
        ied.MMSping = "5";
        ied.ConfiguredCache.push_back(ConfiguredRow{"LD0/GGIO1$ST$Ind1$stVal", "IED1_Ind1", "BOOLEAN", "R", "", "LD0"});
        ied.ConfiguredCache.push_back(ConfiguredRow{"LD0/MMXU1$MX$TotW$mag$f", "IED1_TotW", "FLOAT32", "R", "", "LD0"});
        doc.projectReady = true;
        if (!assigned)
            return;
        for (const auto& [name, type, start] : {std::tuple{"IED1_Ind1", "BOOLEAN", 0}, {"IED1_TotW", "FLOAT32", 2}}) {
            _TAGS tag;
            tag.tagName = name;
            tag.dataType = type;
            tag.Access = "R";
            tag.Conn = 0;
            tag.StartAddr = start;
            doc.tagsINP.AddTag(tag);
        }
    }
    void SaveProject()
    {
        doc.SetProjectPath(ProjectFolder() + "\\plant.prj");
        ASSERT_TRUE(doc.SaveProject());
    }
    // Runs the command as the menu does; the folder dialog answers with the folders given.
    void RunCommand(std::vector<CString> folders)
    {
        ScriptedBrowseDialog browse(std::move(folders));
        ASSERT_TRUE(doc.OnCmdMsg(ID_EXPORT_AOI_FILES, CN_COMMAND, nullptr, nullptr));
        browseRequests = browse.Requests();
    }
    std::vector<CString> Texts() const
    {
        std::vector<CString> texts;
        for (const auto& call : boxes.Calls())
            texts.push_back(call.text);
        return texts;
    }

    CString ProjectFolder() const { return folder.File("project"); }
    CString ExportFolder() const { return folder.File("export"); }
    CString ExportFile(LPCSTR name) const { return ExportFolder() + "\\" + name; }

    TempFolder folder;
    ExportDoc doc;
    MessageBoxRecorder boxes;
    std::vector<BrowseDialogRequest> browseRequests;
};

TEST_F(AoiExportCommand, OneDeviceIntoAnEmptyFolder)
{
    AddDevice(true);
    SaveProject();
    ScriptedFileDialog saveAs({}, IDCANCEL);
    RunCommand({ExportFolder()});

    EXPECT_THAT(saveAs.Requests(), IsEmpty());
    EXPECT_THAT(doc.waits, ElementsAre(500u));
    ASSERT_EQ(1u, browseRequests.size());
    EXPECT_STREQ(kFolderTitle, browseRequests[0].title);
    EXPECT_STREQ(ProjectFolder(), browseRequests[0].initialPath);
    EXPECT_THAT(Texts(), ElementsAre(kOneFileExported));
    EXPECT_EQ(static_cast<UINT>(MB_OK), boxes.Last().type & MB_TYPEMASK);

    EXPECT_THAT(FolderContents(ExportFolder()), UnorderedElementsAre("Current.xml", "IED1_AOI.L5X"));
    const ParsedXml config(ExportFile("Current.xml"));
    EXPECT_STREQ("DeviceConfig", config.Root()->name());
    const AoiFile file(ExportFile("IED1_AOI.L5X"));
    EXPECT_THAT(file.MemberNames(), ElementsAre("ZZZZZZZZZZIED10", "_Ind1", "_TotW"));
    EXPECT_THAT(file.Rungs(), ElementsAre("0: XIC(Connection_Input0[0].0)OTE(IED1._Ind1);",
                                          "1: COP(Connection_Input0[2],IED1._TotW,1);"));
    EXPECT_THAT(file.UndeclaredOperands(), IsEmpty());
}

// An SCL file that cannot be read is left out of the configuration beside the AOI files: the export says so.
TEST_F(AoiExportCommand, AFileLeftOutOfTheConfigurationIsShown)
{
    AddDevice(true);
    doc.AddSclFile(ProjectFolder() + "\\gone.scd");
    SaveProject();
    // The save names the file too.
    boxes.Clear();
    ScriptedFileDialog saveAs({}, IDCANCEL);
    RunCommand({ExportFolder()});
    EXPECT_THAT(Texts(), ElementsAre("Error: File '" + ProjectFolder() + "\\gone.scd' could not be read. It is not "
                                     "embedded.",
                                     kOneFileExported));
    EXPECT_THAT(FolderContents(ExportFolder()), UnorderedElementsAre("Current.xml", "IED1_AOI.L5X"));
}

TEST_F(AoiExportCommand, NothingAssignedStopsBeforeTheFolderDialog)
{
    AddDevice(false);
    SaveProject();
    RunCommand({ExportFolder()});
    EXPECT_THAT(browseRequests, IsEmpty());
    EXPECT_THAT(Texts(), ElementsAre(kNothingToExport));
    EXPECT_THAT(FolderContents(ExportFolder()), IsEmpty());
}

TEST_F(AoiExportCommand, CancelledFolderDialogWritesNothing)
{
    AddDevice(true);
    SaveProject();
    RunCommand({});
    EXPECT_EQ(1u, browseRequests.size());
    EXPECT_THAT(Texts(), ElementsAre(kNoFolderChosen));
    EXPECT_THAT(FolderContents(ExportFolder()), IsEmpty());
}

// A project never saved is saved through Save As first; the single-port model's sides move to its one port.
TEST_F(AoiExportCommand, AProjectNeverSavedIsSavedFirst)
{
    AddDevice(true);
    doc.project.numPorts = 1;
    doc.project.port61850 = 2;
    doc.project.portPLC = 2;
    ScriptedFileDialog saveAs({ProjectFolder() + "\\new.prj"});
    RunCommand({ExportFolder()});
    EXPECT_EQ(1u, saveAs.Requests().size());
    EXPECT_TRUE(FileExists(ProjectFolder() + "\\new.prj"));
    EXPECT_EQ(1, doc.project.port61850);
    EXPECT_EQ(1, doc.project.portPLC);
    EXPECT_THAT(Texts(), ElementsAre(kOneFileExported));
    EXPECT_THAT(AoiFile(ExportFile("IED1_AOI.L5X")).Rungs(), ::testing::SizeIs(2));
}

// The first file exists: one question; "No" leaves the folder as it was, the configuration too.
TEST_F(AoiExportCommand, DecliningTheOverwriteWritesNothing)
{
    AddDevice(true);
    SaveProject();
    WriteBinaryFile(ExportFile("IED1_AOI.L5X"), "old file");
    WriteBinaryFile(ExportFile("Current.xml"), "old configuration");
    boxes.QueueAnswer(IDNO);
    RunCommand({ExportFolder()});
    EXPECT_THAT(Texts(), ElementsAre(kOverwriteQuestion, kNothingCreated));
    EXPECT_EQ("old file", ReadBinaryFile(ExportFile("IED1_AOI.L5X")));
    EXPECT_EQ("old configuration", ReadBinaryFile(ExportFile("Current.xml")));
    EXPECT_THAT(FolderContents(ExportFolder()), UnorderedElementsAre("Current.xml", "IED1_AOI.L5X"));

    boxes.Clear();
    RunCommand({ExportFolder()}); // answered Yes
    EXPECT_THAT(Texts(), ElementsAre(kOverwriteQuestion, kOneFileExported));
    EXPECT_THAT(AoiFile(ExportFile("IED1_AOI.L5X")).MemberNames(), ::testing::SizeIs(3));
    EXPECT_STREQ("DeviceConfig", ParsedXml(ExportFile("Current.xml")).Root()->name());
}

// Failures are reported with their reason; nothing is left half-written under a target name.
TEST_F(AoiExportCommand, FailuresAreReportedAndLeaveNothingBehind)
{
    AddDevice(true);
    SaveProject();
    ASSERT_TRUE(::CreateDirectoryA(ExportFile("IED1_AOI.L5X"), nullptr));
    RunCommand({ExportFolder()}); // the question, answered Yes
    EXPECT_THAT(Texts(), ElementsAre(kOverwriteQuestion, "Error: The AOI file could not be saved as\n" +
                                                             ExportFile("IED1_AOI.L5X")));
    EXPECT_THAT(FolderContents(ExportFolder()), ElementsAre("IED1_AOI.L5X"));

    boxes.Clear();
    const CString missing = folder.File("missing");
    RunCommand({missing});
    EXPECT_THAT(Texts(), ElementsAre("Error: Opening XML File\n" + missing + "\\Current.xml"));
    EXPECT_FALSE(FileExists(missing));
}

} // namespace

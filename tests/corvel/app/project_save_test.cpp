// Save, Save As, the save prompt and opening a project archive on a document without windows;
// the document's side of the tag packing.
#include <gtest/gtest.h>

#include "../project/prj_test_support.h"
#include "corvel/project/path_utils.h"
#include "support/message_box_recorder.h"
#include "support/scripted_file_dialog.h"

namespace {

using namespace PrjTest;
using namespace Corvel::Records;

const char kUtf8Mark[] = "\xEF\xBB\xBF";
const char kArchiveStart[] = "\x03" "010";

bool StartsWith(const std::string& text, const std::string& start)
{
    return text.compare(0, start.size(), start) == 0;
}

class ProjectSave : public ::testing::Test {
protected:
    void SetUp() override
    {
        FillGoldenProject(doc);
        doc.MarkChangedAndUpdateViews();
    }

    TempFolder folder;
    NewProjectDocument doc;
    MessageBoxRecorder boxes;
};

// A project opened from a .prx file is saved as the .prj beside it; the .prx stays XML.
TEST_F(ProjectSave, SaveWritesTheXmlFileThenTheArchiveAndClearsTheFlag)
{
    doc.SetProjectPath(folder.File("plant.prx"));
    ASSERT_TRUE(doc.SaveProject());
    EXPECT_TRUE(StartsWith(ReadBinaryFile(folder.File("plant.prx")), std::string(kUtf8Mark) + "<?xml"));
    EXPECT_TRUE(StartsWith(ReadBinaryFile(folder.File("plant.prj")), kArchiveStart));
    EXPECT_STREQ(folder.File("plant.prj"), doc.GetProjectPath());
    EXPECT_FALSE(doc.modified);
    EXPECT_EQ(0u, boxes.Count());
}

// The .prj cannot be created: Save As runs; the .prx was written before the archive was tried.
TEST_F(ProjectSave, AnArchiveThatCannotBeCreatedRunsSaveAs)
{
    ASSERT_TRUE(::CreateDirectoryA(folder.File("blocked.prj"), nullptr));
    doc.SetProjectPath(folder.File("blocked.prj"));
    ScriptedFileDialog dialogs({folder.File("moved.prj")});
    ASSERT_TRUE(doc.SaveProject());
    ASSERT_EQ(1u, dialogs.Requests().size());
    EXPECT_TRUE(FileExists(folder.File("blocked.prx")));
    EXPECT_TRUE(StartsWith(ReadBinaryFile(folder.File("moved.prj")), kArchiveStart));
    EXPECT_TRUE(FileExists(folder.File("moved.prx")));
    EXPECT_STREQ(folder.File("moved.prj"), doc.GetProjectPath());
    EXPECT_FALSE(doc.modified);
}

// A project XML file that cannot be written stops the save: it is reported, the archive is not touched and
// the project stays changed.
TEST_F(ProjectSave, AnXmlFileThatCannotBeWrittenStopsTheSaveBeforeTheArchive)
{
    ASSERT_TRUE(::CreateDirectoryA(folder.File("plant.prx"), nullptr));
    WriteBinaryFile(folder.File("plant.prj"), "older archive");
    doc.SetProjectPath(folder.File("plant.prj"));
    EXPECT_FALSE(doc.SaveProject());
    ASSERT_EQ(2u, boxes.Count());
    EXPECT_STREQ("Error: Opening XML File\n" + folder.File("plant.prx"), boxes.Calls()[0].text);
    EXPECT_STREQ("Error: Could not write the project file \"" + folder.File("plant.prx") +
                     "\". The project was not saved.",
                 boxes.Calls()[1].text);
    EXPECT_EQ("older archive", ReadBinaryFile(folder.File("plant.prj")));
    EXPECT_TRUE(doc.modified);
}

// Nothing is written before a path is chosen: no ".prx" in the current folder.
TEST_F(ProjectSave, WithoutAPathSaveAsComesFirst)
{
    char previous[MAX_PATH + 1] = {};
    ::GetCurrentDirectoryA(MAX_PATH, previous);
    ASSERT_TRUE(::SetCurrentDirectoryA(folder.Path()));
    doc.SetProjectPath("");
    {
        ScriptedFileDialog dialogs({}, IDCANCEL);
        EXPECT_FALSE(doc.SaveProject());
        ASSERT_EQ(1u, dialogs.Requests().size());
        EXPECT_STREQ("Plant.prj", dialogs.Request().initialFileName);
    }
    EXPECT_FALSE(FileExists(folder.File(".prx")));
    EXPECT_FALSE(FileExists(folder.File(".prj")));
    EXPECT_TRUE(doc.modified);
    {
        ScriptedFileDialog dialogs({folder.File("chosen.prj")});
        EXPECT_TRUE(doc.SaveProject());
    }
    ::SetCurrentDirectoryA(previous);
    EXPECT_TRUE(FileExists(folder.File("chosen.prj")));
    EXPECT_TRUE(FileExists(folder.File("chosen.prx")));
    EXPECT_FALSE(doc.modified);
}

TEST_F(ProjectSave, SaveAsAsksWithTheProjectsNameAndFolder)
{
    doc.SetProjectPath(folder.File("plant.prx"));
    {
        ScriptedFileDialog dialogs({}, IDCANCEL);
        EXPECT_FALSE(doc.SaveProjectAs());
        const FileDialogRequest& request = dialogs.Request();
        EXPECT_FALSE(request.open);
        EXPECT_STREQ("prj", request.defaultExtension);
        EXPECT_STREQ("plant.prj", request.initialFileName);
        EXPECT_STREQ(folder.Path(), request.initialFolder);
        EXPECT_STREQ("Project Files (*.prj)|*.prj|All Files (*.*)|*.*||", request.filter);
        const DWORD flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST;
        EXPECT_EQ(flags, request.flags & flags);
    }
    EXPECT_STREQ(folder.File("plant.prx"), doc.GetProjectPath());
    EXPECT_TRUE(doc.modified);

    ScriptedFileDialog dialogs({folder.File("copy.prj")});
    EXPECT_TRUE(doc.SaveProjectAs());
    EXPECT_STREQ(folder.File("copy.prj"), doc.GetProjectPath());
    EXPECT_TRUE(FileExists(folder.File("copy.prx")));
    EXPECT_FALSE(doc.modified);
}

// New's save prompt answered Yes, then Save As cancelled or failing: the project stays as it was.
TEST_F(ProjectSave, NewKeepsTheProjectWhenTheAskedSaveDoesNotHappen)
{
    for (const bool cancel : {true, false}) {
        boxes.QueueAnswer(IDYES);
        ScriptedFileDialog dialogs({folder.File("missing folder\\plant.prj")}, cancel ? IDCANCEL : IDOK);
        EXPECT_FALSE(doc.StartNewProject()) << cancel;
        EXPECT_STREQ("Plant", doc.GetProjectName());
        EXPECT_EQ(1, doc.project.iedDevices.GetCount());
        EXPECT_TRUE(doc.modified);
    }
}

TEST_F(ProjectSave, OpeningASavedArchiveGivesAReadyProject)
{
    doc.SetProjectPath(folder.File("plant.prj"));
    ASSERT_TRUE(doc.SaveProject());

    NewProjectDocument opened;
    opened.SetOpenKind(1);
    opened.SetProjectPath(folder.File("plant.prj"));
    opened.LoadProjectArchive(folder.File("plant.prj"));
    ASSERT_EQ(0u, boxes.Count()) << boxes.Last().text;
    EXPECT_TRUE(opened.projectReady);
    EXPECT_TRUE(opened.flagA);
    EXPECT_FALSE(opened.modified);
    EXPECT_EQ(10, opened.fileVersion);
    EXPECT_STREQ("Plant", opened.GetProjectName());
    // The message tags are numbered again, whatever the file held.
    EXPECT_EQ(1, opened.tagsMSG.GetAt(0)->StartAddr);
}

TEST_F(ProjectSave, AnArchiveThatCannotBeOpenedIsReportedAndChangesNothing)
{
    doc.projectReady = false;
    const CMainDoc::_IED_DEVICE* first = doc.project.iedDevices.GetHead();
    doc.SetProjectPath(folder.File("missing.prj"));
    doc.LoadProjectArchive(folder.File("missing.prj"));
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_EQ(0, boxes.Last().text.Find(("Error: Could not open the project file \"" +
                                         std::string(folder.File("missing.prj")) + "\"").c_str()))
        << boxes.Last().text;
    EXPECT_FALSE(doc.projectReady);
    EXPECT_STREQ("Plant", doc.GetProjectName());
    EXPECT_EQ(first, doc.project.iedDevices.GetHead());
    EXPECT_TRUE(doc.modified);
}

// A truncated archive keeps what was read, says where it ended and leaves the project not ready.
TEST_F(ProjectSave, ATruncatedArchiveIsReportedAndLeavesTheProjectNotReady)
{
    doc.SetProjectPath(folder.File("plant.prj"));
    ASSERT_TRUE(doc.SaveProject());
    const std::string bytes = ReadBinaryFile(folder.File("plant.prj"));
    const CString cut = folder.File("cut.prj");
    WriteBinaryFile(cut, bytes.substr(0, bytes.size() - 20));

    NewProjectDocument opened;
    opened.SetProjectPath(cut);
    opened.LoadProjectArchive(cut);
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_EQ(0, boxes.Last().text.Find(("Error: The project file \"" + std::string(cut) +
                                         "\" could not be read: the file ends early at byte ").c_str()))
        << boxes.Last().text;
    EXPECT_NE(-1, boxes.Last().text.Find("(the PLCs, record 1)")) << boxes.Last().text;
    EXPECT_FALSE(opened.projectReady);
    EXPECT_STREQ("Plant", opened.GetProjectName());
    EXPECT_EQ(1, opened.GetDeviceCount(CMainDoc::kKindIed));
}

// The document gives the packing its connection limit, the once-per-project
// notice and the clearing of a removed tag's assignment; the lists note their messages and open no box.
TEST(DocumentPacking, LimitNoticeAndClearingComeFromTheDocument)
{
    NewProjectDocument doc;
    MessageBoxRecorder boxes;
    doc.project.numPorts = 1;
    _TAGS input;
    input.tagName = "IN";
    input.dataType = "INT32";
    input.Access = "R";
    // Connections 0 to 9 end at 500 bytes.
    for (int conn = 0; conn < kOnePortConnectionCount; ++conn) {
        _TAGS full = input;
        full.Conn = conn;
        full.StartAddr = kInputConnectionSize - 4;
        doc.tagsINP.AddTag(full);
        doc.tagsINP.SetUsedSize(conn, kInputConnectionSize);
    }
    CVQNSortingList records;
    records.Add(input);
    doc.tagsINP.AssignTag(records, kInputConnectionSize, 0, true);
    std::vector<CErrorReport> noted = doc.tagsINP.TakeMessages();
    ASSERT_EQ(1u, noted.size());
    EXPECT_STREQ("INPUTs: 10 connection limit has been exceeded!", noted.back().what);

    // "Not enough space" once per project, again after New.
    for (int conn = kOnePortConnectionCount; conn < kConnectionCount; ++conn)
        doc.tagsINP.SetUsedSize(conn, kInputConnectionSize);
    for (int i = 0; i < 3; ++i) {
        _TAGS tag = input;
        int conn = 0, start = 0;
        EXPECT_FALSE(doc.tagsINP.PlaceTag(tag, conn, start));
    }
    noted = doc.tagsINP.TakeMessages();
    doc.StartNewProject();
    for (int conn = 0; conn < kConnectionCount; ++conn)
        doc.tagsOUT.SetUsedSize(conn, kOutputConnectionSize);
    _TAGS output = input;
    output.Access = "W";
    int conn = 0, start = 0;
    EXPECT_FALSE(doc.tagsOUT.PlaceTag(output, conn, start));
    for (const CErrorReport& report : doc.tagsOUT.TakeMessages())
        noted.push_back(report);
    ASSERT_EQ(2u, noted.size());
    EXPECT_STREQ("Not enough space for one or more tags to be assigned.", noted[0].what);
    EXPECT_STREQ("Not enough space for one or more tags to be assigned.", noted[1].what);

    // A removed connection tag is no longer assigned in the project's tag list.
    auto* projectTag = new _TAGS(input);
    projectTag->tagPath = "L/IN";
    projectTag->Assigned = true;
    projectTag->SeqNum = 4;
    doc.project.tags.AddTail(projectTag);
    _TAGS assigned = *projectTag;
    assigned.Conn = 0;
    assigned.StartAddr = 0;
    doc.tagsINP.AddTag(assigned);
    EXPECT_EQ(1, doc.tagsINP.RemoveTagsFromSequence(4));
    EXPECT_FALSE(projectTag->Assigned);
    EXPECT_EQ(0, projectTag->SeqNum);
    EXPECT_EQ(0u, boxes.Count());
}

} // namespace

// The document's own operations, without windows.
#include "corvel/document/main_doc.h"
#include "corvel/project/path_utils.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/message_box_recorder.h"
#include "support/scripted_file_dialog.h"
#include "support/paths.h"

namespace {

using Corvel::Records::kSlotFree;
using Corvel::Records::kSlotInUse;

TEST(MainDoc, ConstructorValues)
{
    CMainDoc doc;
    EXPECT_EQ(CSize(200, 440), doc.GetViewSize());
    EXPECT_EQ(0, doc.openKind);
    EXPECT_FALSE(doc.modified);
    EXPECT_FALSE(doc.projectReady);
    EXPECT_EQ(1, doc.tagsINP.GetListId());
    EXPECT_EQ(2, doc.tagsOUT.GetListId());
    EXPECT_EQ(3, doc.tagsMSG.GetListId());
    EXPECT_EQ(2, doc.project.numPorts);
    EXPECT_EQ(1, doc.project.port61850);
    EXPECT_EQ(2, doc.project.portPLC);
    EXPECT_TRUE(doc.project.autoRestart);
    EXPECT_STREQ("", doc.project.eth0IPaddr);
    EXPECT_STREQ("", doc.project.VQNstatusStart);
    EXPECT_EQ(nullptr, doc.project.bridgeButton);
    EXPECT_EQ(nullptr, doc.copiedIedDevice);
    EXPECT_TRUE(doc.ctlModelMap.empty());
}

TEST(MainDoc, ProjectNameFallsBackToTheFileName)
{
    CMainDoc doc;
    doc.SetProjectPath("C:\\Projects\\Plant A\\line.prj");
    EXPECT_STREQ("Project 1", doc.GetProjectName());
    doc.SetProjectName("");
    EXPECT_STREQ("line.prj", doc.GetProjectName());
    EXPECT_STREQ("line.prj", doc.GetProjectFileName());
    EXPECT_STREQ("C:\\Projects\\Plant A", doc.GetProjectFolder());
    EXPECT_STREQ("C:\\Projects\\Plant A\\line.prj", doc.GetProjectPath());

    doc.SetProjectPath("bare.prj");
    EXPECT_STREQ("bare.prj", doc.GetProjectFileName());
    EXPECT_STREQ("", doc.GetProjectFolder());
}

// A document owning the records its lists hold (the main frame frees them in the program).
class DocWithRecords : public ::testing::Test {
protected:
    ~DocWithRecords() override
    {
        auto& p = doc.project;
        Corvel::Records::DeleteRecords(p.iedDevices);
        Corvel::Records::DeleteRecords(p.plcDevices);
        Corvel::Records::DeleteRecords(p.sclFiles);
        Corvel::Records::DeleteRecords(p.tagMaps);
    }
    void AddIed(int state)
    {
        auto* device = new CMainDoc::_IED_DEVICE;
        device->state = state;
        doc.project.iedDevices.AddTail(device);
    }
    void AddSclFile(LPCSTR fileName, LPCSTR filePath)
    {
        auto* file = new CMainDoc::_ICD_FILES;
        file->fileName = fileName;
        file->filePath = filePath;
        doc.project.sclFiles.AddTail(file);
    }
    std::vector<CString> SclFileNames() const
    {
        std::vector<CString> names;
        for (POSITION pos = doc.project.sclFiles.GetHeadPosition(); pos != nullptr;)
            names.push_back(doc.project.sclFiles.GetNext(pos)->fileName);
        return names;
    }
    CMainDoc doc;
};

TEST_F(DocWithRecords, DeviceCountByKind)
{
    AddIed(kSlotFree);
    AddIed(kSlotInUse);
    AddIed(kSlotFree);
    AddIed(kSlotInUse);
    AddIed(3);
    doc.project.tagMaps.AddTail(new CMainDoc::_TAGSMAP);
    doc.project.tagMaps.AddTail(new CMainDoc::_TAGSMAP);
    doc.project.tagMaps.AddTail(new CMainDoc::_TAGSMAP);
    doc.project.plcDevices.AddTail(new CMainDoc::CPLC_Device);

    const struct {
        int kind;
        int count;
    } cases[] = {{CMainDoc::kKindIed, 2}, {CMainDoc::kKindPlc, 1}, {CMainDoc::kKindTagMap, 3}, {0, 0}, {7, 0}};
    for (const auto& c : cases)
        EXPECT_EQ(c.count, doc.GetDeviceCount(c.kind)) << "kind " << c.kind;
}

TEST_F(DocWithRecords, RemoveSclFileMatchesTheExactFileName)
{
    AddSclFile("feeder.icd", "C:\\scl\\feeder.icd");
    AddSclFile("bay.cid", "C:\\scl\\bay.cid");
    AddSclFile("feeder.icd", "D:\\other\\feeder.icd");

    doc.RemoveSclFile("C:\\scl\\FEEDER.ICD");
    EXPECT_EQ(3, doc.project.sclFiles.GetCount());
    doc.RemoveSclFile("C:\\scl\\missing.icd");
    EXPECT_EQ(3, doc.project.sclFiles.GetCount());

    // Any folder: the file name decides, and only the first match goes.
    doc.RemoveSclFile("E:\\elsewhere\\feeder.icd");
    const std::vector<CString> names = SclFileNames();
    ASSERT_EQ(2u, names.size());
    EXPECT_STREQ("bay.cid", names[0]);
    EXPECT_STREQ("feeder.icd", names[1]);
    EXPECT_STREQ("D:\\other\\feeder.icd", doc.project.sclFiles.GetTail()->filePath);

    doc.RemoveSclFile("bay.cid");
    EXPECT_EQ(1, doc.project.sclFiles.GetCount());
}

// Yes runs Save As; only a save that wrote the project lets the caller go on and clears the flag.
TEST(MainDoc, SavePromptAnswers)
{
    TempFolder folder;
    const CString saved = folder.File("plant.prj");
    const CString unwritable = folder.File("no such folder\\plant.prj");
    enum Dialog { kNoDialog, kChoosePath, kCancelDialog, kChooseUnwritablePath };
    const struct {
        const char* name;
        bool modified;
        bool ask;
        int answer;
        Dialog dialog;
        bool result;
        bool modifiedAfter;
        bool filesWritten;
    } cases[] = {
        {"unchanged: nothing asked", false, true, IDYES, kNoDialog, true, false, false},
        {"cancel changes nothing", true, true, IDCANCEL, kNoDialog, false, true, false},
        {"no clears the flag without saving", true, true, IDNO, kNoDialog, true, false, false},
        {"yes saves through Save As, then clears it", true, true, IDYES, kChoosePath, true, false, true},
        {"yes, Save As cancelled: cancel, work kept", true, true, IDYES, kCancelDialog, false, true, false},
        {"yes, Save As failed: cancel, work kept", true, true, IDYES, kChooseUnwritablePath, false, true, false},
        {"not asked: taken as yes", true, false, IDCANCEL, kChoosePath, true, false, true},
    };
    for (const auto& c : cases) {
        ::DeleteFileA(saved);
        ::DeleteFileA(folder.File("plant.prx"));
        MessageBoxRecorder boxes;
        boxes.SetDefaultAnswer(c.answer);
        ScriptedFileDialog dialogs({c.dialog == kChooseUnwritablePath ? unwritable : saved},
                                   c.dialog == kCancelDialog ? IDCANCEL : IDOK);
        CMainDoc doc;
        doc.modified = c.modified;
        EXPECT_EQ(c.result, doc.PromptSaveChanges("Do you want to save changes?", c.ask)) << c.name;
        EXPECT_EQ(c.modifiedAfter, doc.modified) << c.name;
        EXPECT_EQ(c.dialog != kNoDialog, !dialogs.Requests().empty()) << c.name;
        EXPECT_EQ(c.filesWritten, FileExists(saved) && FileExists(folder.File("plant.prx"))) << c.name;
        if (c.modified && c.ask) {
            ASSERT_LE(1u, boxes.Count()) << c.name;
            EXPECT_STREQ("  Do you want to save changes?", boxes.Calls()[0].text);
            EXPECT_STREQ("Korvane EIP-Tarnwell", boxes.Calls()[0].caption);
            EXPECT_EQ(static_cast<UINT>(MB_YESNOCANCEL | MB_ICONQUESTION), boxes.Calls()[0].type);
        }
        // The project XML file, written first, fails: the save stops there.
        if (c.dialog == kChooseUnwritablePath)
            EXPECT_EQ(0, boxes.Last().text.Find("Error: Could not write the project file")) << boxes.Last().text;
        else
            EXPECT_EQ(c.modified && c.ask ? 1u : 0u, boxes.Count()) << c.name;
    }
}

TEST(MainDoc, ClearFileListsDeletesTheTemporaryFile)
{
    TempFolder folder;
    const CString temp = folder.File("TEMP.xml");
    WriteTextFile(temp, "<x/>");
    CMainDoc doc;
    doc.fileListA.Add("a.icd");
    doc.fileListB.Add("b.icd");
    doc.tempFilePath = temp;
    doc.ClearFileLists();
    EXPECT_EQ(0, doc.fileListA.GetSize());
    EXPECT_EQ(0, doc.fileListB.GetSize());
    EXPECT_STREQ("", doc.tempFilePath);
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(temp));
}

// New starts from nothing of the project before: a tag-map record kept would go into the next configuration.
TEST(MainDoc, NewEmptiesTheProjectsLists)
{
    CMainDoc doc;
    auto* row = new CMainDoc::_TAGSMAP;
    row->tagName = "OLD_TAG";
    doc.project.tagMaps.AddTail(row);
    doc.project.fcdas.AddTail(new _CFCDA);
    doc.project.sclFiles.AddTail(new CMainDoc::_ICD_FILES);
    doc.SetCtlModel("IED1LD0", "Q0XCBR1$CO$Pos$Oper", 4);
    CMainDoc::_TAGS tag;
    tag.tagName = "T1";
    tag.dataType = "INT32";
    doc.tagsOUT.AddTag(tag);
    doc.project.prjName = "Plant";
    doc.modified = false;

    doc.OnFileNew();
    EXPECT_TRUE(doc.project.tagMaps.IsEmpty());
    EXPECT_TRUE(doc.project.fcdas.IsEmpty());
    EXPECT_TRUE(doc.project.sclFiles.IsEmpty());
    EXPECT_TRUE(doc.ctlModelMap.empty());
    EXPECT_EQ(0, doc.tagsOUT.GetCount());
    EXPECT_STREQ("Project 1", doc.project.prjName);
}

} // namespace

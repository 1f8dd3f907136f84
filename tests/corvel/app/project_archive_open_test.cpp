// Saving and opening a project archive in the running program: the commands, the network view and the file view.
#include "corvel/document/main_doc.h"
#include "corvel/project/path_utils.h"
#include "corvel/workspace/buttons.h"
#include "corvel/workspace/file_view.h"

#include <gtest/gtest.h>

#include "corvel_app_environment.h"
#include "support/message_box_recorder.h"
#include "support/paths.h"
#include "support/scripted_file_dialog.h"

namespace {

using Corvel::Records::kSlotInUse;

class ProjectArchiveOpen : public ::testing::Test {
protected:
    void SetUp() override
    {
        doc = CorvelAppEnvironment::Doc();
        ASSERT_NE(nullptr, doc);
        doc->modified = false;
        doc->OnFileNew();
    }
    void TearDown() override
    {
        CorvelAppEnvironment::App().commandLineFile.Empty();
        doc->modified = false;
        doc->OnFileNew();
    }

    // Two IEDs and the PLC in use, and one SCL file that exists.
    void EditProject()
    {
        doc->SetProjectName("Plant");
        const CString scl = folder.File("bay1.icd");
        WriteTextFile(scl, "<SCL>\n<IED name=\"BAY1\" iedName=\"BAY1\">\n</SCL>\n");
        doc->project.sclFiles.AddTail(new CMainDoc::_ICD_FILES{"bay1.icd", scl, ""});
        POSITION pos = doc->project.iedDevices.GetHeadPosition();
        for (LPCSTR name : {"BAY1", "BAY2"}) {
            CMainDoc::_IED_DEVICE* ied = doc->project.iedDevices.GetNext(pos);
            ied->state = kSlotInUse;
            ied->name = name;
            ied->label = name;
            ied->CIDFile = scl;
        }
        CMainDoc::CPLC_Device* plc = doc->project.plcDevices.GetHead();
        plc->devType = 8;
        doc->MarkChangedAndUpdateViews();
    }

    TempFolder folder;
    CMainDoc* doc = nullptr;
};

TEST_F(ProjectArchiveOpen, SaveCommandsReachTheDocument)
{
    EditProject();
    ScriptedFileDialog dialogs({folder.File("plant.prj")});
    CorvelAppEnvironment::Frame()->SendMessage(WM_COMMAND, ID_FILE_SAVE_AS);
    ASSERT_EQ(1u, dialogs.Requests().size());
    EXPECT_TRUE(FileExists(folder.File("plant.prj")));
    EXPECT_TRUE(FileExists(folder.File("plant.prx")));
    EXPECT_FALSE(doc->modified);

    ::DeleteFileA(folder.File("plant.prj"));
    doc->MarkChangedAndUpdateViews();
    CorvelAppEnvironment::Frame()->SendMessage(WM_COMMAND, ID_FILE_SAVE);
    EXPECT_EQ(1u, dialogs.Requests().size());
    EXPECT_TRUE(FileExists(folder.File("plant.prj")));
    EXPECT_FALSE(doc->modified);
}

TEST_F(ProjectArchiveOpen, LoadedDevicesAreShownWithTheirIdsAndFiles)
{
    EditProject();
    doc->SetProjectPath(folder.File("plant.prj"));
    ASSERT_TRUE(doc->SaveProject());
    doc->OnFileNew();

    CorvelAppEnvironment::App().commandLineFile = folder.File("plant.prj");
    MessageBoxRecorder boxes;
    doc->SetOpenKind(1);
    doc->SetProjectPath(folder.File("plant.prj"));
    doc->LoadProjectArchive(folder.File("plant.prj"));
    PumpMessages();
    ASSERT_EQ(0u, boxes.Count()) << boxes.Last().text;
    EXPECT_TRUE(doc->projectReady);
    EXPECT_TRUE(StartupFileName().IsEmpty());
    EXPECT_STREQ("Plant", doc->GetProjectName());

    EXPECT_EQ(2, doc->GetDeviceCount(CMainDoc::kKindIed));
    POSITION pos = doc->project.iedDevices.GetHeadPosition();
    for (int devNum : {1066, 1067}) {
        const CMainDoc::_IED_DEVICE* ied = doc->project.iedDevices.GetNext(pos);
        ASSERT_NE(nullptr, ied->button);
        EXPECT_TRUE(ied->button->IsWindowVisible()) << devNum;
        EXPECT_EQ(devNum, ied->button->deviceId);
        EXPECT_STREQ(folder.File("bay1.icd"), ied->button->sclFilePath);
    }
    EXPECT_FALSE(doc->project.iedDevices.GetNext(pos)->button->IsWindowVisible());
    const CMainDoc::CPLC_Device* plc = doc->project.plcDevices.GetHead();
    EXPECT_EQ(kSlotInUse, plc->state);
    EXPECT_EQ(8, plc->devType);
    EXPECT_TRUE(plc->button->IsWindowVisible());

    CFileView* fileView = CorvelAppEnvironment::Frame()->GetFileView();
    ASSERT_NE(nullptr, fileView);
    CViewTree& tree = fileView->GetFileTree();
    HTREEITEM item = tree.GetChildItem(fileView->GetIedRoot());
    ASSERT_NE(nullptr, item);
    EXPECT_STREQ(folder.File("bay1.icd"), tree.GetItemText(item));
}

// Open Project's save prompt answered Yes and the Save As cancelled: nothing is replaced.
TEST_F(ProjectArchiveOpen, CancelledSaveInThePromptKeepsTheCurrentProject)
{
    EditProject();
    doc->SetProjectPath(folder.File("plant.prj"));
    ASSERT_TRUE(doc->SaveProject());
    doc->SetProjectName("Edited");
    doc->MarkChangedAndUpdateViews();

    MessageBoxRecorder boxes;
    boxes.QueueAnswer(IDYES);
    ScriptedFileDialog dialogs({}, IDCANCEL);
    doc->LoadProjectArchive(folder.File("plant.prj"));
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_STREQ("  Do you want to save changes?", boxes.Last().text);
    EXPECT_EQ(1u, dialogs.Requests().size());
    EXPECT_STREQ("Edited", doc->GetProjectName());
    EXPECT_TRUE(doc->modified);
    EXPECT_EQ(2, doc->GetDeviceCount(CMainDoc::kKindIed));
}

} // namespace

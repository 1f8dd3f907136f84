// Opening a project XML file in the running program: the network view, the file view and the save prompt.
#include "corvel/document/main_doc.h"
#include "corvel/workspace/buttons.h"
#include "corvel/workspace/file_view.h"

#include <gtest/gtest.h>

#include "corvel_app_environment.h"
#include "support/message_box_recorder.h"
#include "support/paths.h"

namespace {

using Corvel::Records::kSlotInUse;

const CString kFixture = SourcePath("tests/corvel/project/fixtures/prx/plant.prx");

class ProjectXmlOpen : public ::testing::Test {
protected:
    void SetUp() override
    {
        doc = CorvelAppEnvironment::Doc();
        ASSERT_NE(nullptr, doc);
        doc->modified = false;
    }
    void TearDown() override
    {
        CorvelAppEnvironment::App().commandLineFile.Empty();
        doc->modified = false;
        doc->OnFileNew();
    }
    CMainDoc* doc = nullptr;
};

TEST_F(ProjectXmlOpen, LoadedIedsAreShownWithTheirIdsAndFiles)
{
    CorvelAppEnvironment::App().commandLineFile = kFixture;
    MessageBoxRecorder boxes;
    doc->ReadProjectXml(kFixture);
    PumpMessages();
    ASSERT_EQ(0u, boxes.Count()) << boxes.Last().text;
    EXPECT_TRUE(doc->projectReady);
    EXPECT_TRUE(StartupFileName().IsEmpty());

    const struct {
        int devNum;
        const char* file;
    } expected[] = {{1066, "C:\\Projects\\North\\SCLFiles\\bay1.cid"}, {1067, "C:\\Projects\\North\\SCLFiles\\bay2.icd"}};
    POSITION pos = doc->project.iedDevices.GetHeadPosition();
    for (const auto& e : expected) {
        const CMainDoc::_IED_DEVICE* ied = doc->project.iedDevices.GetNext(pos);
        ASSERT_EQ(kSlotInUse, ied->state);
        ASSERT_NE(nullptr, ied->button);
        EXPECT_TRUE(ied->button->IsWindowVisible());
        EXPECT_EQ(e.devNum, ied->button->deviceId);
        EXPECT_STREQ(e.file, ied->button->sclFilePath);
    }
    EXPECT_FALSE(doc->project.iedDevices.GetNext(pos)->button->IsWindowVisible());

    CFileView* fileView = CorvelAppEnvironment::Frame()->GetFileView();
    ASSERT_NE(nullptr, fileView);
    CViewTree& tree = fileView->GetFileTree();
    std::vector<CString> files;
    for (HTREEITEM item = tree.GetChildItem(fileView->GetIedRoot()); item != nullptr;
         item = tree.GetNextSiblingItem(item))
        files.push_back(tree.GetItemText(item));
    ASSERT_EQ(2u, files.size());
    EXPECT_STREQ(expected[0].file, files[0]);
}

TEST_F(ProjectXmlOpen, CancelInTheSavePromptKeepsTheCurrentProject)
{
    doc->OnFileNew();
    doc->SetProjectName("Plant");
    CMainDoc::_IED_DEVICE* first = doc->project.iedDevices.GetHead();
    first->state = kSlotInUse;
    first->label = "KEPT";
    CBridgeButn* gateway = doc->project.bridgeButton;
    doc->MarkChangedAndUpdateViews();

    MessageBoxRecorder boxes;
    boxes.QueueAnswer(IDCANCEL);
    doc->ReadProjectXml(kFixture);
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_STREQ("  Do you want to save changes?", boxes.Last().text);
    EXPECT_STREQ("Plant", doc->GetProjectName());
    EXPECT_EQ(first, doc->project.iedDevices.GetHead());
    EXPECT_STREQ("KEPT", first->label);
    EXPECT_EQ(gateway, doc->project.bridgeButton);
    EXPECT_EQ(1, doc->GetDeviceCount(CMainDoc::kKindIed));
    EXPECT_TRUE(doc->project.sclFiles.IsEmpty());
    EXPECT_TRUE(doc->modified);
}

TEST_F(ProjectXmlOpen, AFailedSectionLeavesTheProjectNotReady)
{
    TempFolder folder;
    std::string text = ReadBinaryFile(kFixture);
    text.erase(text.find("<TagMap>"), text.find("</TagMap>") + 9 - text.find("<TagMap>"));
    const CString path = folder.File("no-tag-map.prx");
    WriteBinaryFile(path, text);
    MessageBoxRecorder boxes;
    doc->ReadProjectXml(path);
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_STREQ("Failed to read 'TagMap' section.", boxes.Last().text);
    EXPECT_FALSE(doc->projectReady);
    EXPECT_EQ(2, doc->GetDeviceCount(CMainDoc::kKindIed));
}

} // namespace

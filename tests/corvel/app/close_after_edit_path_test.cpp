// Closing the running program after an SCL file's path was edited: the save question comes, and Yes (through the
// save dialog) writes the new path into both project files. The main window goes with the test, so the program
// holds this test alone.
#include "corvel/document/main_doc.h"
#include "corvel/project/project_archive.h"
#include "corvel/project/project_xml.h"
#include "corvel/workspace/file_view.h"

#include <gtest/gtest.h>

#include <string>

#include "corvel_app_environment.h"
#include "new_project_document.h"
#include "support/message_box_recorder.h"
#include "support/minimal_scl.h"
#include "support/paths.h"
#include "support/scripted_file_dialog.h"
#include "support/temp_folder.h"

namespace {

CConnectedAP EntryOf(LPCSTR name)
{
    CIED ied;
    ied.name = name;
    return CConnectedAP(ied, "10.0.0.5", "255.255.255.0", "10.0.0.254", "", "", "", "", "");
}

// The SCL file record and the first IED's file in a saved project, read back by the project readers into a new
// document; only once the main window is gone, for a new document rebuilds the main window's picture.
struct SavedPaths {
    CString sclFile;
    CString iedFile;
};

SavedPaths PathsOf(CMainDoc& doc)
{
    SavedPaths paths;
    if (!doc.project.sclFiles.IsEmpty())
        paths.sclFile = doc.project.sclFiles.GetHead()->filePath;
    if (!doc.project.iedDevices.IsEmpty())
        paths.iedFile = doc.project.iedDevices.GetHead()->CIDFile;
    return paths;
}

SavedPaths ReadArchive(const CString& path)
{
    NewProjectDocument doc;
    CProjectArchiveReader reader(ProjectArchiveContent{doc.project, doc.tagsINP, doc.tagsOUT, doc.tagsMSG,
                                                       doc.ctlModelMap},
                                 CProjectArchiveReader::Options());
    EXPECT_TRUE(reader.ReadBytes(ReadBinaryFile(path), path)) << reader.GetError();
    return PathsOf(doc);
}

SavedPaths ReadXml(const CString& path)
{
    NewProjectDocument doc;
    CProjectXmlReader reader(
        ProjectXmlContent{doc.project, doc.tagsINP, doc.tagsOUT, doc.tagsMSG, doc.ctlModelMap, doc.fileListA});
    EXPECT_TRUE(reader.Read(path)) << reader.GetError();
    return PathsOf(doc);
}

TEST(CloseAfterEditPath, AsksToSaveAndYesWritesTheNewPathIntoBothProjectFiles)
{
    TempFolder folder;
    CMainFrame* frame = CorvelAppEnvironment::Frame();
    CMainDoc* doc = CorvelAppEnvironment::Doc();
    CMainView* view = CorvelAppEnvironment::View();
    ASSERT_NE(nullptr, frame);
    ASSERT_NE(nullptr, doc);
    ASSERT_NE(nullptr, view);

    const CString oldPath = folder.File("Old.icd");
    WriteBinaryFile(oldPath, MinimalSclFileWithIeds({"Bay_1"}));
    MessageBoxRecorder boxes;
    doc->AddSclFile(oldPath);
    const CConnectedAP entry = EntryOf("Bay_1");
    ASSERT_NE(-1, view->AddDevice(CMainDoc::kKindIed, oldPath, &entry));
    const CString prj = folder.File("plant.prj");
    doc->SetProjectPath(prj);
    ASSERT_TRUE(doc->SaveProject());
    ASSERT_FALSE(doc->modified);
    ASSERT_EQ(0u, boxes.Count()) << boxes.Last().text;
    EXPECT_NE(std::string::npos, ReadBinaryFile(prj).find(std::string(oldPath)));

    // The file was moved: Edit Path points the project at it.
    const CString newPath = folder.File("New.icd");
    ASSERT_TRUE(::MoveFileA(oldPath, newPath));
    {
        ScriptedFileDialog dialog({newPath});
        frame->GetFileView()->EditSclFilePath(oldPath);
        ASSERT_EQ(1u, dialog.Requests().size());
    }
    EXPECT_TRUE(doc->modified);

    // Yes saves through the save dialog, which proposes the project's file.
    boxes.QueueAnswer(IDYES);
    ScriptedFileDialog saveAs({prj});
    frame->SendMessage(WM_CLOSE);
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_STREQ("  Do you want to save changes?", boxes.Last().text);
    EXPECT_EQ(static_cast<UINT>(MB_YESNOCANCEL), boxes.Last().type & MB_TYPEMASK);
    ASSERT_EQ(1u, saveAs.Requests().size());
    EXPECT_FALSE(saveAs.Request().open);
    EXPECT_STREQ("plant.prj", saveAs.Request().initialFileName);
    EXPECT_EQ(nullptr, CorvelAppEnvironment::Frame()) << "the window closed";

    for (const SavedPaths& saved : {ReadArchive(prj), ReadXml(folder.File("plant.prx"))}) {
        EXPECT_STREQ(newPath, saved.sclFile);
        EXPECT_STREQ(newPath, saved.iedFile);
    }
}

} // namespace

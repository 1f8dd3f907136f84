// Start-up failure and the recent-file command of the application object.
#include "corvel/app/main_app.h"

#include "corvel/document/main_doc.h"
#include "corvel/resources/resource.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/expect_exception.h"
#include "support/message_box_recorder.h"
#include "support/paths.h"
#include "support/scripted_file_dialog.h"
#include "support/test_program.h"

namespace {

// A document that records what it is asked to open.
class RecordingDoc : public CMainDoc {
public:
    BOOL OpenFileByType(const CString& path, BOOL askFolder) override
    {
        opened.push_back(path);
        askFolders.push_back(askFolder);
        return TRUE;
    }
    void OnAddIed() override { ++addIedCalls; }
    std::vector<CString> opened;
    int addIedCalls = 0;
    std::vector<BOOL> askFolders;
};

// The application with the framework's open replaced: names in failing fail, others succeed and move to the front
// of the recent-file list as a real open does.
class TestApp : public CMainApp {
public:
    CMainDoc* GetMainFrameDocument() const override { return const_cast<RecordingDoc*>(&doc); }
    CDocument* OpenDocumentFile(LPCSTR lpszFileName) override
    {
        frameworkOpened.push_back(lpszFileName);
        for (const CString& name : failing)
            if (name == lpszFileName)
                return nullptr;
        AddToRecentFileList(lpszFileName);
        return &doc;
    }
    void RunCommand(UINT id) { OnCmdMsg(id, CN_COMMAND, nullptr, nullptr); }
    CRecentFileList& RecentFiles() { return *m_pRecentFileList; }
    void StartRecentFiles()
    {
        SetRegistryKey(TestRegistryKey());
        LoadStdProfileSettings(4);
        for (int i = m_pRecentFileList->GetSize() - 1; i >= 0; --i)
            m_pRecentFileList->Remove(i);
    }

    RecordingDoc doc;
    std::vector<CString> failing;
    std::vector<CString> frameworkOpened;
};

TEST(MainAppStart, OleFailureShowsStringHundredAndEnds)
{
    MessageBoxRecorder boxes;
    TestApp app;
    AfxForceOleInitFailure(TRUE);
    const BOOL started = app.InitInstance();
    AfxForceOleInitFailure(FALSE);
    EXPECT_FALSE(started);
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_STREQ("OLE initialization failed.  Make sure that the OLE libraries are the correct version.",
                 boxes.Last().text);
    EXPECT_EQ(nullptr, app.m_pMainWnd);
}

// In the program the XML writer asks for another file through the Save As dialog.
TEST(MainAppStart, XmlWriterAsksForAnotherFileThroughSaveAs)
{
    MessageBoxRecorder boxes;
    {
        TestApp app;
        ScriptedFileDialog dialog({}, IDCANCEL);
        Korvane::Formats::CKorXml xml;
        EXPECT_FALSE(xml.Open("", false));
        ASSERT_EQ(1u, dialog.Requests().size());
        const FileDialogRequest& request = dialog.Request();
        EXPECT_FALSE(request.open);
        EXPECT_STREQ("prx", request.defaultExtension);
        EXPECT_STREQ("", request.initialFileName);
        EXPECT_STREQ("Project Files (*.prj)|*.prj|All Files (*.*)|*.*||", request.filter);
        const DWORD flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST;
        EXPECT_EQ(flags, request.flags & flags);
        const std::vector<CErrorReport> noted = xml.TakeMessages();
        ASSERT_EQ(1u, noted.size());
        EXPECT_STREQ("Error: Opening XML File\n", noted.back().Text());
        EXPECT_EQ(0u, boxes.Count());
    }
    // The application gone, its dialog is no longer asked.
    ScriptedFileDialog dialog({}, IDCANCEL);
    Korvane::Formats::CKorXml xml;
    EXPECT_FALSE(xml.Open("", false));
    EXPECT_EQ(0u, dialog.Requests().size());
}

TEST(MainAppCommands, AddIedGoesToTheDocument)
{
    TestApp app;
    app.RunCommand(ID_APP_ADD_IED);
    EXPECT_EQ(1, app.doc.addIedCalls);
}

// Recent files a, b, c (a most recent) in a temp folder.
class RecentFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        app.StartRecentFiles();
        for (LPCSTR name : {"c.prj", "b.prj", "a.prj"}) {
            WriteTextFile(folder.File(name), "x");
            app.RecentFiles().Add(folder.File(name));
        }
        ASSERT_EQ(3, ListedCount());
    }
    int ListedCount()
    {
        int count = 0;
        for (int i = 0; i < app.RecentFiles().GetSize(); ++i)
            if (!app.RecentFiles()[i].IsEmpty())
                ++count;
        return count;
    }
    CString Listed(int i) { return app.RecentFiles()[i]; }

    TempFolder folder;
    TestApp app;
};

TEST_F(RecentFiles, OpensTheChosenFileThroughTheDocument)
{
    for (int index : {0, 2, 1}) {
        const CString chosen = Listed(index);
        app.doc.opened.clear();
        app.RunCommand(ID_FILE_MRU_FILE1 + index);
        // The framework's open moved the chosen file to the front; the document still gets the chosen one.
        ASSERT_EQ(1u, app.doc.opened.size()) << index;
        EXPECT_STREQ(chosen, app.doc.opened[0]) << index;
        EXPECT_FALSE(app.doc.askFolders[0]);
        EXPECT_STREQ(chosen, Listed(0));
    }
}

TEST_F(RecentFiles, FailedOpenDropsTheEntryAndOpensNothingElse)
{
    for (int index : {1, 1}) { // the second time the last entry sits at index 1
        const CString chosen = Listed(index);
        app.failing.push_back(chosen);
        const int before = ListedCount();
        app.RunCommand(ID_FILE_MRU_FILE1 + index);
        EXPECT_EQ(before - 1, ListedCount());
        EXPECT_TRUE(app.doc.opened.empty()) << "opened " << static_cast<LPCSTR>(app.doc.opened[0]);
    }
    EXPECT_STREQ(folder.File("a.prj"), Listed(0));
}

TEST_F(RecentFiles, IndexPastTheListIsRefused)
{
    app.failing.push_back(Listed(2));
    app.RunCommand(ID_FILE_MRU_FILE1 + 2); // removes the last entry
    EXPECT_TRUE(ThrowsFrameworkException<CInvalidArgException>([&] { app.RunCommand(ID_FILE_MRU_FILE1 + 3); }));
    EXPECT_TRUE(app.doc.opened.empty());
}

} // namespace

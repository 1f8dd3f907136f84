// Documents, views, frames and the application: command routing, command UI,
// recent files, shell commands, closing and the message loop.
#include "framework/ui.h"
#include "support/message_box_recorder.h"
#include "support/paths.h"
#include "ui_test_resource.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

namespace {

// A message loop that does not end by itself is ended after this long.
constexpr UINT kLoopTimeoutMs = 5000;

std::vector<std::string> g_log;

class TestDoc : public CDocument {
    DECLARE_DYNCREATE(TestDoc)
public:
    CString m_text;
    bool m_allowEnabled = true;

    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring())
            ar << m_text;
        else
            ar >> m_text;
    }
    void DeleteContents() override { m_text.Empty(); }

    afx_msg void OnShared() { g_log.push_back("doc"); }
    afx_msg void OnViewAndDoc() { g_log.push_back("doc"); }
    afx_msg void OnDocFileNew() { g_log.push_back("doc new"); }
    afx_msg void OnChecked() {}
    afx_msg void OnEnabledCommand() { g_log.push_back("enabled ran"); }
    afx_msg void OnUpdateEnabled(CCmdUI* pCmdUI) { pCmdUI->Enable(m_allowEnabled); }
    afx_msg void OnUpdateDisabled(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }
    afx_msg void OnUpdateChecked(CCmdUI* pCmdUI) { pCmdUI->SetCheck(1); }

    DECLARE_MESSAGE_MAP()
};

IMPLEMENT_DYNCREATE(TestDoc, CDocument)

BEGIN_MESSAGE_MAP(TestDoc, CDocument)
    ON_COMMAND(ID_TEST_SHARED, &TestDoc::OnShared)
    ON_COMMAND(ID_TEST_VIEW_AND_DOC, &TestDoc::OnViewAndDoc)
    ON_COMMAND(ID_FILE_NEW, &TestDoc::OnDocFileNew)
    ON_COMMAND(ID_TEST_CHECKED, &TestDoc::OnChecked)
    ON_COMMAND(ID_TEST_ENABLED, &TestDoc::OnEnabledCommand)
    ON_UPDATE_COMMAND_UI(ID_TEST_ENABLED, &TestDoc::OnUpdateEnabled)
    ON_UPDATE_COMMAND_UI(ID_TEST_DISABLED, &TestDoc::OnUpdateDisabled)
    ON_UPDATE_COMMAND_UI(ID_TEST_CHECKED, &TestDoc::OnUpdateChecked)
END_MESSAGE_MAP()

class TestView : public CView {
    DECLARE_DYNCREATE(TestView)
public:
    int m_initialUpdates = 0;
    void OnDraw(CDC*) override {}
    void OnInitialUpdate() override
    {
        ++m_initialUpdates;
        CView::OnInitialUpdate();
    }
    afx_msg void OnViewAndDoc() { g_log.push_back("view"); }
    DECLARE_MESSAGE_MAP()
};

IMPLEMENT_DYNCREATE(TestView, CView)

BEGIN_MESSAGE_MAP(TestView, CView)
    ON_COMMAND(ID_TEST_VIEW_AND_DOC, &TestView::OnViewAndDoc)
END_MESSAGE_MAP()

// A view without handlers of its own.
class OtherView : public CView {
    DECLARE_DYNCREATE(OtherView)
public:
    void OnDraw(CDC*) override {}
};

IMPLEMENT_DYNCREATE(OtherView, CView)

class TestFrame : public CFrameWnd {
    DECLARE_DYNCREATE(TestFrame)
public:
    afx_msg void OnTemplateCommand() { g_log.push_back("frame"); }
    afx_msg void OnFrameCommand() { g_log.push_back("frame"); }
    DECLARE_MESSAGE_MAP()
};

IMPLEMENT_DYNCREATE(TestFrame, CFrameWnd)

BEGIN_MESSAGE_MAP(TestFrame, CFrameWnd)
    ON_COMMAND(ID_TEST_TEMPLATE, &TestFrame::OnTemplateCommand)
    ON_COMMAND(ID_TEST_FRAME, &TestFrame::OnFrameCommand)
END_MESSAGE_MAP()

class SplitFrame : public CFrameWnd {
    DECLARE_DYNCREATE(SplitFrame)
public:
    CSplitterWnd m_split;
    BOOL OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext) override
    {
        return m_split.CreateStatic(this, 1, 2) &&
               m_split.CreateView(0, 0, RUNTIME_CLASS(TestView), CSize(120, 0), pContext) &&
               m_split.CreateView(0, 1, RUNTIME_CLASS(OtherView), CSize(0, 0), pContext);
    }
};

IMPLEMENT_DYNCREATE(SplitFrame, CFrameWnd)

class StatusFrame : public CFrameWnd {
    DECLARE_DYNCREATE(StatusFrame)
public:
    CStatusBar m_status;
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct)
    {
        static const UINT indicators[] = {ID_SEPARATOR, ID_INDICATOR_CAPS};
        if (CFrameWnd::OnCreate(lpCreateStruct) == -1 || !m_status.Create(this))
            return -1;
        m_status.SetIndicators(indicators, 2);
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

IMPLEMENT_DYNCREATE(StatusFrame, CFrameWnd)

BEGIN_MESSAGE_MAP(StatusFrame, CFrameWnd)
    ON_WM_CREATE()
END_MESSAGE_MAP()

class TestTemplate : public CSingleDocTemplate {
public:
    TestTemplate(CRuntimeClass* pFrameClass)
        : CSingleDocTemplate(IDR_TESTFRAME, RUNTIME_CLASS(TestDoc), pFrameClass, RUNTIME_CLASS(TestView))
    {
    }
    afx_msg void OnTemplateCommand() { g_log.push_back("template"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(TestTemplate, CSingleDocTemplate)
    ON_COMMAND(ID_TEST_TEMPLATE, &TestTemplate::OnTemplateCommand)
END_MESSAGE_MAP()

class TestApp : public CWinApp {
public:
    TestApp() : CWinApp("DocViewTest") {}
    afx_msg void OnAppFileNew()
    {
        g_log.push_back("app new");
        CWinApp::OnFileNew();
    }
    afx_msg void OnShared() { g_log.push_back("app"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(TestApp, CWinApp)
    ON_COMMAND(ID_FILE_NEW, &TestApp::OnAppFileNew)
    ON_COMMAND(ID_TEST_SHARED, &TestApp::OnShared)
    ON_COMMAND(ID_TEST_FRAME, &TestApp::OnShared)
    ON_COMMAND(ID_TEST_APP_ONLY, &TestApp::OnShared)
END_MESSAGE_MAP()

void DrainQuit()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
}

class DocViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_log.clear();
        ::RegDeleteTreeA(HKEY_CURRENT_USER, TestRegistryRoot());
        m_app.SetRegistryKey(TestRegistryKey());
        m_app.LoadStdProfileSettings(4);
        m_app.AddDocTemplate(new TestTemplate(FrameClass()));
    }
    void TearDown() override
    {
        m_app.CloseAllDocuments(FALSE);
        AfxDeleteTempMaps();
        DrainQuit();
        ::RegDeleteTreeA(HKEY_CURRENT_USER, TestRegistryRoot());
    }
    virtual CRuntimeClass* FrameClass() { return RUNTIME_CLASS(TestFrame); }

    // Starts as a program without arguments does; the main frame.
    CFrameWnd* StartNew()
    {
        CCommandLineInfo info;
        EXPECT_TRUE(m_app.ProcessShellCommand(info));
        return static_cast<CFrameWnd*>(m_app.m_pMainWnd);
    }
    TestDoc* Document(CFrameWnd* pFrame) { return static_cast<TestDoc*>(pFrame->GetActiveDocument()); }
    UINT StateOf(CMenu* pMenu, UINT id) { return pMenu->GetMenuState(id, MF_BYCOMMAND); }

    MessageBoxRecorder m_recorder;
    TestApp m_app;
};

TEST_F(DocViewTest, StartWithoutArgumentsMakesTheFrameDocumentAndView)
{
    CFrameWnd* pFrame = StartNew();
    ASSERT_NE(nullptr, pFrame);
    EXPECT_EQ((std::vector<std::string>{"app new"}), g_log) << "the new-file command takes the application's route";
    EXPECT_TRUE(pFrame->IsKindOf(RUNTIME_CLASS(TestFrame)));
    EXPECT_TRUE(pFrame->IsWindowVisible());
    TestView* pView = DYNAMIC_DOWNCAST(TestView, pFrame->GetActiveView());
    ASSERT_NE(nullptr, pView);
    EXPECT_EQ(1, pView->m_initialUpdates);
    TestDoc* pDoc = Document(pFrame);
    ASSERT_NE(nullptr, pDoc);
    EXPECT_EQ(pDoc, pView->GetDocument());
    EXPECT_STREQ("TestDoc", pDoc->GetTitle());
    EXPECT_TRUE(pDoc->GetPathName().IsEmpty());
    CString title;
    pFrame->GetWindowText(title);
    EXPECT_STREQ("Test Frame - TestDoc", title);
    EXPECT_NE(nullptr, pFrame->GetMenu());
    EXPECT_NE(nullptr, pFrame->m_hAccelTable);
    EXPECT_EQ(pFrame, AfxGetMainWnd());
}

TEST_F(DocViewTest, CommandsGoToTheViewDocumentTemplateFrameThenApplication)
{
    struct Case {
        UINT id;
        const char* handledBy;
    };
    const Case cases[] = {
        {ID_TEST_VIEW_AND_DOC, "view"}, // view and document handle it
        {ID_TEST_SHARED, "doc"},        // document and application
        {ID_FILE_NEW, "doc new"},       // document and application
        {ID_TEST_TEMPLATE, "template"}, // template and frame
        {ID_TEST_FRAME, "frame"},       // frame and application
        {ID_TEST_APP_ONLY, "app"},
    };
    CFrameWnd* pFrame = StartNew();
    ASSERT_NE(nullptr, pFrame);
    for (const Case& c : cases) {
        g_log.clear();
        pFrame->SendMessage(WM_COMMAND, MAKEWPARAM(c.id, 0), 0);
        EXPECT_EQ((std::vector<std::string>{c.handledBy}), g_log) << c.id;
    }
}

TEST_F(DocViewTest, MenuItemsFollowTheirUpdateHandlers)
{
    CFrameWnd* pFrame = StartNew();
    ASSERT_NE(nullptr, pFrame);
    CMenu* pTest = pFrame->GetMenu()->GetSubMenu(1);
    ASSERT_NE(nullptr, pTest);
    pFrame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(pTest->m_hMenu), MAKELPARAM(1, FALSE));
    EXPECT_EQ(0u, StateOf(pTest, ID_TEST_ENABLED) & MF_GRAYED);
    EXPECT_NE(0u, StateOf(pTest, ID_TEST_DISABLED) & MF_GRAYED);
    EXPECT_NE(0u, StateOf(pTest, ID_TEST_CHECKED) & MF_CHECKED);
    EXPECT_EQ(0u, StateOf(pTest, ID_TEST_CHECKED) & MF_GRAYED);
    EXPECT_NE(0u, StateOf(pTest, ID_TEST_NO_HANDLER) & MF_GRAYED) << "no handler anywhere: disabled";
    EXPECT_EQ(0u, StateOf(pTest, ID_TEST_SHARED) & MF_GRAYED) << "a command handler keeps it enabled";

    EXPECT_EQ((std::vector<std::string>{"app new"}), g_log) << "updating runs no command";

    pFrame->SendMessage(WM_COMMAND, ID_TEST_ENABLED);
    Document(pFrame)->m_allowEnabled = false;
    pFrame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(pTest->m_hMenu), MAKELPARAM(1, FALSE));
    EXPECT_NE(0u, StateOf(pTest, ID_TEST_ENABLED) & MF_GRAYED);
    // A disabled command does not run, even when it comes from an accelerator.
    pFrame->SendMessage(WM_COMMAND, MAKEWPARAM(ID_TEST_ENABLED, 1));
    EXPECT_EQ((std::vector<std::string>{"app new", "enabled ran"}), g_log);
}

TEST_F(DocViewTest, RecentFilesAppearInTheFileMenu)
{
    CFrameWnd* pFrame = StartNew();
    ASSERT_NE(nullptr, pFrame);
    CMenu* pFile = pFrame->GetMenu()->GetSubMenu(0);
    const UINT itemsWithoutFiles = pFile->GetMenuItemCount();
    m_app.AddToRecentFileList("C:\\plant\\a&b.tst");
    m_app.AddToRecentFileList("C:\\plant\\second.tst");

    pFrame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(pFile->m_hMenu), MAKELPARAM(0, FALSE));
    ASSERT_EQ(itemsWithoutFiles + 1, pFile->GetMenuItemCount());
    CString text;
    pFile->GetMenuString(ID_FILE_MRU_FILE1, text, MF_BYCOMMAND);
    EXPECT_STREQ("&1 C:\\plant\\second.tst", text);
    pFile->GetMenuString(ID_FILE_MRU_FILE2, text, MF_BYCOMMAND);
    EXPECT_STREQ("&2 C:\\plant\\a&&b.tst", text);
    EXPECT_EQ(0u, StateOf(pFile, ID_FILE_MRU_FILE2) & MF_GRAYED);
    // The items after the recent files are still updated.
    EXPECT_EQ(0u, StateOf(pFile, ID_APP_EXIT) & MF_GRAYED);
    EXPECT_NE(0u, StateOf(pFile, ID_FILE_OPEN) & MF_GRAYED);

    CRecentFileList& list = *m_app.GetRecentFileList();
    list.Remove(0);
    list.Remove(0);
    pFrame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(pFile->m_hMenu), MAKELPARAM(0, FALSE));
    EXPECT_EQ(itemsWithoutFiles, pFile->GetMenuItemCount());
    pFile->GetMenuString(ID_FILE_MRU_FILE1, text, MF_BYCOMMAND);
    EXPECT_STREQ("Recent File", text);
    EXPECT_NE(0u, StateOf(pFile, ID_FILE_MRU_FILE1) & MF_GRAYED);
}

TEST_F(DocViewTest, RecentFileListKeepsNewestFirstAndRoundTripsThroughTheProfile)
{
    CRecentFileList& list = *m_app.GetRecentFileList();
    ASSERT_EQ(4, list.GetSize());
    for (const char* path : {"C:\\p\\1.tst", "C:\\p\\2.tst", "C:\\p\\3.tst", "C:\\p\\4.tst", "C:\\p\\5.tst"})
        list.Add(path);
    list.Add("c:\\P\\3.TST"); // already listed: moves up, no duplicate
    EXPECT_STREQ("c:\\P\\3.TST", list[0]);
    EXPECT_STREQ("C:\\p\\5.tst", list[1]);
    EXPECT_STREQ("C:\\p\\4.tst", list[2]);
    EXPECT_STREQ("C:\\p\\2.tst", list[3]);
    EXPECT_THROW(list[4], CInvalidArgException*) << "past the end";
    try {
        list[-1];
    } catch (CException* e) {
        e->Delete();
    }

    list.Remove(1);
    EXPECT_STREQ("C:\\p\\4.tst", list[1]);
    EXPECT_STREQ("", list[3]);
    list.WriteList();
    EXPECT_STREQ("c:\\P\\3.TST", m_app.GetProfileString("Recent File List", "File1"));
    EXPECT_STREQ("C:\\p\\2.tst", m_app.GetProfileString("Recent File List", "File3"));
    EXPECT_STREQ("none", m_app.GetProfileString("Recent File List", "File4", "none"));

    CRecentFileList fresh(0, "Recent File List", "File%d", 4);
    fresh.ReadList();
    for (int i = 0; i < 4; ++i)
        EXPECT_STREQ(list[i], fresh[i]) << i;
}

TEST_F(DocViewTest, ARecentFileThatCannotBeOpenedLeavesTheList)
{
    CFrameWnd* pFrame = StartNew();
    ASSERT_NE(nullptr, pFrame);
    TempFolder folder;
    const CString gone = folder.Path() + "\\gone.tst";
    m_app.AddToRecentFileList("C:\\plant\\kept.tst");
    m_app.AddToRecentFileList(gone);
    pFrame->SendMessage(WM_COMMAND, ID_FILE_MRU_FILE1, 0);
    EXPECT_EQ(1u, m_recorder.Count()) << "the failed open is reported";
    EXPECT_STREQ("C:\\plant\\kept.tst", (*m_app.GetRecentFileList())[0]);
    EXPECT_EQ(pFrame, m_app.m_pMainWnd) << "the frame and its document stay";
}

TEST_F(DocViewTest, NewAndOpenReuseTheOneDocument)
{
    CFrameWnd* pFrame = StartNew();
    ASSERT_NE(nullptr, pFrame);
    TestDoc* pDoc = Document(pFrame);
    TestView* pView = static_cast<TestView*>(pFrame->GetActiveView());
    TempFolder folder;
    const CString path = folder.Path() + "\\saved.tst";
    pDoc->m_text = "hello";
    pDoc->SetModifiedFlag();
    ASSERT_TRUE(pDoc->DoSave(path));
    EXPECT_FALSE(pDoc->IsModified());
    EXPECT_STREQ("saved.tst", pDoc->GetTitle());
    EXPECT_STREQ(path, (*m_app.GetRecentFileList())[0]);

    m_app.OnFileNew();
    EXPECT_EQ(pDoc, Document(pFrame));
    EXPECT_TRUE(pDoc->m_text.IsEmpty());
    EXPECT_STREQ("TestDoc", pDoc->GetTitle());

    EXPECT_EQ(pDoc, m_app.OpenDocumentFile(path));
    EXPECT_STREQ("hello", pDoc->m_text);
    EXPECT_STREQ(path, pDoc->GetPathName());
    CString title;
    pFrame->GetWindowText(title);
    EXPECT_STREQ("Test Frame - saved.tst", title);
    EXPECT_EQ(3, pView->m_initialUpdates);
    EXPECT_EQ(pFrame, m_app.m_pMainWnd);
    EXPECT_EQ(0u, m_recorder.Count());

    // A file that is not an archive of this document: reported, nothing kept from it.
    const CString broken = folder.Path() + "\\broken.tst";
    WriteBinaryFile(broken, std::string("\xFF\xFF\xFF\xFF\x7F", 5));
    EXPECT_EQ(nullptr, m_app.OpenDocumentFile(broken));
    EXPECT_EQ(1u, m_recorder.Count());
    EXPECT_EQ(pDoc, Document(pFrame));
    EXPECT_TRUE(pDoc->m_text.IsEmpty());
}

TEST_F(DocViewTest, SaveAsAndOpenAskTheFileDialogWithTheTemplatesFilter)
{
    CFrameWnd* pFrame = StartNew();
    ASSERT_NE(nullptr, pFrame);
    TempFolder folder;
    const CString path = folder.Path() + "\\chosen.tst";
    std::vector<FileDialogRequest> requests;
    const FileDialogHook previous = SetFileDialogHook([&](const FileDialogRequest& request, std::vector<CString>& chosen) {
        requests.push_back(request);
        chosen.push_back(path);
        return static_cast<INT_PTR>(IDOK);
    });
    TestDoc* pDoc = Document(pFrame);
    pDoc->m_text = "kept";
    pFrame->SendMessage(WM_COMMAND, ID_FILE_SAVE_AS);
    EXPECT_STREQ(path, pDoc->GetPathName());
    pDoc->m_text = "changed";
    pFrame->SendMessage(WM_COMMAND, ID_FILE_SAVE); // has a name now: no dialog
    m_app.OnFileNew();
    m_app.OnFileOpen();
    SetFileDialogHook(previous);

    ASSERT_EQ(2u, requests.size());
    EXPECT_FALSE(requests[0].open);
    EXPECT_STREQ("tst", requests[0].defaultExtension);
    EXPECT_STREQ("Test Files (*.tst)|*.tst|All Files (*.*)|*.*||", requests[0].filter);
    EXPECT_TRUE(requests[1].open);
    EXPECT_STREQ("Test Files (*.tst)|*.tst|All Files (*.*)|*.*||", requests[1].filter);
    EXPECT_STREQ("changed", pDoc->m_text);
    EXPECT_STREQ(path, pDoc->GetPathName());
    EXPECT_EQ(0u, m_recorder.Count());
}

TEST_F(DocViewTest, CommandLineChoosesNewOpenOrNothing)
{
    struct Case {
        std::vector<const char*> args;
        int command;
        const char* fileName;
        BOOL splash;
    };
    const Case cases[] = {
        {{"prog"}, CCommandLineInfo::FileNew, "", TRUE},
        {{"prog", "C:\\x\\plant.tst"}, CCommandLineInfo::FileOpen, "C:\\x\\plant.tst", TRUE},
        {{"prog", "/nologo"}, CCommandLineInfo::FileNew, "", FALSE},
        {{"prog", "-p", "a.tst"}, CCommandLineInfo::FilePrint, "a.tst", TRUE},
    };
    for (const Case& c : cases) {
        CCommandLineInfo info;
        m_app.ParseCommandLine(info, static_cast<int>(c.args.size()), c.args.data());
        EXPECT_EQ(c.command, info.m_nShellCommand) << c.args.back();
        EXPECT_STREQ(c.fileName, info.m_strFileName) << c.args.back();
        EXPECT_EQ(c.splash, info.m_bShowSplash) << c.args.back();
    }

    TempFolder folder;
    CCommandLineInfo missing;
    missing.ParseParam(folder.Path() + "\\missing.tst", FALSE, TRUE);
    EXPECT_FALSE(m_app.ProcessShellCommand(missing));
    EXPECT_EQ(1u, m_recorder.Count());

    CCommandLineInfo print;
    print.m_nShellCommand = CCommandLineInfo::FilePrint;
    EXPECT_FALSE(m_app.ProcessShellCommand(print));

    const CString path = folder.Path() + "\\start.tst";
    {
        CFile file(path, CFile::modeCreate | CFile::modeWrite);
        CArchive ar(&file, CArchive::store);
        ar << CString("from the command line");
    }
    CCommandLineInfo open;
    open.ParseParam(path, FALSE, TRUE);
    ASSERT_TRUE(m_app.ProcessShellCommand(open));
    CFrameWnd* pFrame = static_cast<CFrameWnd*>(m_app.m_pMainWnd);
    ASSERT_NE(nullptr, pFrame);
    EXPECT_STREQ("from the command line", Document(pFrame)->m_text);
}

TEST_F(DocViewTest, ClosingAsksToSaveAChangedDocument)
{
    CFrameWnd* pFrame = StartNew();
    ASSERT_NE(nullptr, pFrame);
    const HWND hFrame = pFrame->m_hWnd;
    Document(pFrame)->SetModifiedFlag();

    m_recorder.QueueAnswer(IDCANCEL);
    pFrame->SendMessage(WM_CLOSE);
    ASSERT_EQ(1u, m_recorder.Count());
    EXPECT_STREQ("Save changes to TestDoc?", m_recorder.Last().text);
    EXPECT_EQ(static_cast<UINT>(MB_YESNOCANCEL), m_recorder.Last().type & MB_TYPEMASK);
    EXPECT_TRUE(::IsWindow(hFrame));

    m_recorder.QueueAnswer(IDNO);
    pFrame->SendMessage(WM_CLOSE);
    EXPECT_FALSE(::IsWindow(hFrame));
    EXPECT_EQ(nullptr, m_app.m_pMainWnd);
    POSITION pos = m_app.GetFirstDocTemplatePosition();
    EXPECT_EQ(nullptr, m_app.GetNextDocTemplate(pos)->GetFirstDocPosition()) << "the document went with its frame";
}

TEST_F(DocViewTest, DeletingTheViewAndFrameDestroysTheirWindowsAndKeepsTheDocument)
{
    CFrameWnd* pFrame = StartNew();
    ASSERT_NE(nullptr, pFrame);
    TestDoc* pDoc = Document(pFrame);
    const HWND hFrame = pFrame->m_hWnd;
    CView* pView = pFrame->GetActiveView();
    const HWND hView = pView->m_hWnd;
    delete pView;
    EXPECT_FALSE(::IsWindow(hView));
    EXPECT_EQ(nullptr, pFrame->GetActiveView()) << "a deleted view is no longer active";
    EXPECT_EQ(nullptr, pDoc->GetFirstViewPosition());
    pFrame->SendMessage(WM_COMMAND, ID_TEST_APP_ONLY);
    delete pFrame;
    EXPECT_FALSE(::IsWindow(hFrame));
    EXPECT_FALSE(::IsWindow(hView));
    EXPECT_EQ(nullptr, m_app.m_pMainWnd);
    EXPECT_EQ(nullptr, pDoc->GetFirstViewPosition());

    // The template gives the document a new frame.
    m_app.OnFileNew();
    CFrameWnd* pNewFrame = static_cast<CFrameWnd*>(m_app.m_pMainWnd);
    ASSERT_NE(nullptr, pNewFrame);
    EXPECT_EQ(pDoc, Document(pNewFrame));
}

TEST_F(DocViewTest, TheFramesAcceleratorsTranslateKeysOfItsView)
{
    CFrameWnd* pFrame = StartNew();
    ASSERT_NE(nullptr, pFrame);
    BYTE keys[256] = {};
    ::GetKeyboardState(keys);
    BYTE pressed[256];
    std::copy(std::begin(keys), std::end(keys), std::begin(pressed));
    pressed[VK_CONTROL] = 0x80;
    ::SetKeyboardState(pressed);
    g_log.clear();
    pFrame->GetActiveView()->PostMessage(WM_KEYDOWN, 'N', 1);
    MSG msg;
    for (int i = 0; i < 100 && g_log.empty() && ::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE); ++i)
        m_app.PumpMessage();
    ::SetKeyboardState(keys);
    EXPECT_EQ((std::vector<std::string>{"doc new"}), g_log) << "Ctrl+N is ID_FILE_NEW, routed to the document";
}

TEST_F(DocViewTest, IdleTimeUpdatesTheMainFrame)
{
    CFrameWnd* pFrame = StartNew();
    ASSERT_NE(nullptr, pFrame);
    const LONG before = pFrame->m_nIdleUpdates;
    EXPECT_TRUE(m_app.OnIdle(0));
    EXPECT_EQ(before + 1, pFrame->m_nIdleUpdates);
    EXPECT_FALSE(m_app.OnIdle(1));
}

VOID CALLBACK EndLoopAfterTimeout(HWND, UINT, UINT_PTR, DWORD)
{
    ::PostQuitMessage(99);
}

TEST_F(DocViewTest, MessageLoopEndsWhenTheMainFrameCloses)
{
    CFrameWnd* pFrame = StartNew();
    ASSERT_NE(nullptr, pFrame);
    const HWND hFrame = pFrame->m_hWnd;
    m_app.AddToRecentFileList("C:\\plant\\last.tst");
    const UINT_PTR timer = ::SetTimer(nullptr, 0, kLoopTimeoutMs, EndLoopAfterTimeout);
    pFrame->PostMessage(WM_COMMAND, ID_APP_EXIT);
    EXPECT_EQ(0, m_app.Run());
    ::KillTimer(nullptr, timer);
    EXPECT_FALSE(::IsWindow(hFrame));
    EXPECT_STREQ("C:\\plant\\last.tst", m_app.GetProfileString("Recent File List", "File1"))
        << "the recent files are saved at exit";
}

class SplitterTest : public DocViewTest {
protected:
    CRuntimeClass* FrameClass() override { return RUNTIME_CLASS(SplitFrame); }
};

TEST_F(SplitterTest, PanesHoldTheViewsAndTheActivePaneTakesTheCommands)
{
    auto* pFrame = static_cast<SplitFrame*>(StartNew());
    ASSERT_NE(nullptr, pFrame);
    CSplitterWnd& split = pFrame->m_split;
    CWnd* pLeft = split.GetPane(0, 0);
    CWnd* pRight = split.GetPane(0, 1);
    ASSERT_TRUE(pLeft != nullptr && pLeft->IsKindOf(RUNTIME_CLASS(TestView)));
    ASSERT_TRUE(pRight != nullptr && pRight->IsKindOf(RUNTIME_CLASS(OtherView)));
    EXPECT_EQ(nullptr, split.GetPane(1, 0));
    EXPECT_EQ(pLeft, pFrame->GetActiveView()) << "the first pane starts active";
    TestDoc* pDoc = Document(pFrame);
    int views = 0;
    for (POSITION pos = pDoc->GetFirstViewPosition(); pos != nullptr; pDoc->GetNextView(pos))
        ++views;
    EXPECT_EQ(2, views);

    CRect left;
    CRect right;
    pLeft->GetWindowRect(&left);
    pRight->GetWindowRect(&right);
    EXPECT_EQ(120, left.Width());
    EXPECT_EQ(left.right + CSplitterWnd::kBarSize, right.left);

    split.SetActivePane(0, 1);
    EXPECT_EQ(pRight, pFrame->GetActiveView());
    pFrame->SendMessage(WM_COMMAND, ID_TEST_VIEW_AND_DOC);
    split.SetActivePane(0, 0);
    pFrame->SendMessage(WM_COMMAND, ID_TEST_VIEW_AND_DOC);
    EXPECT_EQ((std::vector<std::string>{"app new", "doc", "view"}), g_log);

    // Dragging the bar resizes the panes; the bar keeps the point where the mouse took it.
    split.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(122, 10));
    split.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(123, 10));
    pLeft->GetWindowRect(&left);
    EXPECT_EQ(121, left.Width());
    split.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(202, 10));
    split.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(202, 10));
    pLeft->GetWindowRect(&left);
    EXPECT_EQ(200, left.Width());
}

class StatusBarTest : public DocViewTest {
protected:
    CRuntimeClass* FrameClass() override { return RUNTIME_CLASS(StatusFrame); }
};

TEST_F(StatusBarTest, StatusBarSitsBelowTheViewAndShowsKeyStates)
{
    auto* pFrame = static_cast<StatusFrame*>(StartNew());
    ASSERT_NE(nullptr, pFrame);
    CStatusBar& status = pFrame->m_status;
    CRect bar;
    CRect view;
    CRect client;
    status.GetWindowRect(&bar);
    pFrame->GetActiveView()->GetWindowRect(&view);
    pFrame->GetClientRect(&client);
    pFrame->ClientToScreen(&client);
    EXPECT_GT(bar.Height(), 0);
    EXPECT_EQ(client.bottom, bar.bottom);
    EXPECT_EQ(bar.top, view.bottom);

    EXPECT_EQ(2, status.GetCount());
    EXPECT_EQ(1, status.CommandToIndex(ID_INDICATOR_CAPS));
    EXPECT_TRUE(status.SetPaneText(0, "Ready"));
    EXPECT_STREQ("Ready", status.GetPaneText(0));
    EXPECT_FALSE(status.SetPaneText(2, "none"));

    BYTE keys[256] = {};
    ::GetKeyboardState(keys);
    BYTE toggled[256];
    std::copy(std::begin(keys), std::end(keys), std::begin(toggled));
    toggled[VK_CAPITAL] = 0x01;
    ::SetKeyboardState(toggled);
    m_app.OnIdle(0);
    EXPECT_STREQ("CAP", status.GetPaneText(1));
    toggled[VK_CAPITAL] = 0;
    ::SetKeyboardState(toggled);
    m_app.OnIdle(0);
    EXPECT_STREQ("", status.GetPaneText(1));
    toggled[VK_CAPITAL] = 0x01;
    ::SetKeyboardState(toggled);
    m_app.OnIdle(0);
    EXPECT_STREQ("CAP", status.GetPaneText(1)) << "the text comes back with the key";
    ::SetKeyboardState(keys);
}

class TestAppEx : public CWinAppEx {
public:
    TestAppEx() : CWinAppEx(TRUE) {}
    void PreLoadState() override
    {
        GetContextMenuManager()->AddMenu("Edit", 344);
        GetContextMenuManager()->AddMenu("Explorer", 174);
    }
};

class TestFrameEx : public CFrameWndEx {
    DECLARE_DYNCREATE(TestFrameEx)
};

IMPLEMENT_DYNCREATE(TestFrameEx, CFrameWndEx)

TEST(WinAppEx, ManagersRecordWhatTheApplicationSets)
{
    TestAppEx app;
    EXPECT_TRUE(app.m_bResourceSmartUpdate);
    EXPECT_EQ(nullptr, app.GetContextMenuManager());
    EXPECT_FALSE(app.SetTooltipParams(AFX_TOOLTIP_TYPE_ALL)) << "needs the tooltip manager";
    EXPECT_TRUE(app.InitContextMenuManager());
    EXPECT_TRUE(app.InitKeyboardManager());
    EXPECT_TRUE(app.InitTooltipManager());
    EXPECT_NE(nullptr, app.GetKeyboardManager());
    CTooltipParams params;
    params.m_bDrawWithTheme = TRUE;
    EXPECT_TRUE(app.SetTooltipParams(AFX_TOOLTIP_TYPE_ALL, RUNTIME_CLASS(CWnd), &params));
    EXPECT_EQ(AFX_TOOLTIP_TYPE_ALL, app.GetTooltipManager()->GetTypes());
    EXPECT_TRUE(app.GetTooltipManager()->GetParams().m_bDrawWithTheme);
    EXPECT_EQ(200, app.GetTooltipManager()->GetParams().m_nMaxDescrWidth);

    app.AddDocTemplate(new CSingleDocTemplate(IDR_TESTFRAME, RUNTIME_CLASS(TestDoc), RUNTIME_CLASS(TestFrameEx),
                                              RUNTIME_CLASS(TestView)));
    CCommandLineInfo info;
    ASSERT_TRUE(app.ProcessShellCommand(info));
    EXPECT_EQ(1, app.m_nStateLoads) << "loading the main frame loads the state once";
    const std::vector<std::pair<CString, UINT>> expected = {{"Edit", 344}, {"Explorer", 174}};
    EXPECT_EQ(expected, app.GetContextMenuManager()->GetMenus());
    EXPECT_FALSE(app.GetContextMenuManager()->AddMenu("Edit", 345)) << "names are unique";
    EXPECT_EQ(344u, app.GetContextMenuManager()->GetMenuByName("Edit"));
    app.CloseAllDocuments(FALSE);
    DrainQuit();
}

TEST(WinApp, WinMainRunsTheLoopOnlyAfterASuccessfulStart)
{
    class FailingApp : public CWinApp {
    public:
        BOOL InitInstance() override { return FALSE; }
        int ExitInstance() override { return 7; }
    };
    class ClosingApp : public CWinApp {
    public:
        BOOL InitInstance() override
        {
            AddDocTemplate(new CSingleDocTemplate(IDR_TESTFRAME, RUNTIME_CLASS(TestDoc), RUNTIME_CLASS(TestFrame),
                                                  RUNTIME_CLASS(TestView)));
            CCommandLineInfo info;
            if (!ProcessShellCommand(info))
                return FALSE;
            m_pMainWnd->ShowWindow(m_nCmdShow);
            m_pMainWnd->PostMessage(WM_COMMAND, ID_APP_EXIT);
            return TRUE;
        }
    };
    char commandLine[] = "";
    {
        FailingApp app;
        EXPECT_EQ(7, AfxWinMain(::GetModuleHandleA(nullptr), nullptr, commandLine, SW_SHOW));
    }
    {
        ClosingApp app;
        const UINT_PTR timer = ::SetTimer(nullptr, 0, kLoopTimeoutMs, EndLoopAfterTimeout);
        EXPECT_EQ(0, AfxWinMain(::GetModuleHandleA(nullptr), nullptr, commandLine, SW_SHOW));
        ::KillTimer(nullptr, timer);
        EXPECT_EQ(nullptr, app.m_pMainWnd);
        EXPECT_EQ(SW_SHOW, app.m_nCmdShow);
    }
    EXPECT_EQ(-1, AfxWinMain(nullptr, nullptr, commandLine, SW_SHOW)) << "no application object";
    DrainQuit();
}

TEST(WinApp, OleInitCanBeMadeToFail)
{
    CWinApp app("OleTest");
    AfxForceOleInitFailure(TRUE);
    EXPECT_FALSE(AfxOleInit());
    AfxForceOleInitFailure(FALSE);
    EXPECT_TRUE(AfxOleInit());
    AfxEnableControlContainer();
    EXPECT_TRUE(AfxIsControlContainerEnabled());
}

} // namespace

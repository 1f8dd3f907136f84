#include "corvel/app/main_app.h"

#include "corvel/app/about_dlg.h"
#include "corvel/document/main_doc.h"
#include "corvel/resources/resource.h"
#include "common/com_support.h"
#include "corvel/project/kor_exceptions.h"
#include "corvel/workspace/main_frame.h"
#include "corvel/workspace/main_view.h"
#include "toolkit/common/theme_wrapper.h"

#include <commctrl.h>

namespace {

const char kRegistryKey[] = "VQN3x";
constexpr UINT kRecentFileCount = 4;
// The common control classes InitInstance registers: every class of the mask 0xFF.
constexpr DWORD kCommonControlsClasses = ICC_LISTVIEW_CLASSES | ICC_TREEVIEW_CLASSES | ICC_BAR_CLASSES |
                                         ICC_TAB_CLASSES | ICC_UPDOWN_CLASS | ICC_PROGRESS_CLASS |
                                         ICC_HOTKEY_CLASS | ICC_ANIMATE_CLASS;
static_assert(kCommonControlsClasses == 0xFF, "every class of the mask 0xFF");

// The Save As dialog of the XML writer.
const char kXmlSaveAsExtension[] = ".prx";
const char kXmlSaveAsFilter[] = "Project Files (*.prj)|*.prj|All Files (*.*)|*.*||";
constexpr DWORD kXmlSaveAsFlags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST;

} // namespace

CString AskXmlFileNameWithSaveAs(const CString& proposed)
{
    CFileDialog dialog(FALSE, kXmlSaveAsExtension, proposed, kXmlSaveAsFlags, kXmlSaveAsFilter);
    return dialog.DoModal() == IDOK ? dialog.GetPathName() : CString();
}

IMPLEMENT_DYNAMIC(CMainApp, CWinAppEx)

BEGIN_MESSAGE_MAP(CMainApp, CWinAppEx)
    ON_COMMAND(ID_APP_ABOUT, &CMainApp::OnAppAbout)
    ON_COMMAND(ID_FILE_NEW, &CWinApp::OnFileNew)
    ON_COMMAND(ID_FILE_PRINT_SETUP, &CWinApp::OnFilePrintSetup)
    ON_COMMAND(ID_APP_ADD_IED, &CMainApp::OnAddIed)
    ON_COMMAND_RANGE(ID_FILE_MRU_FILE1, ID_FILE_MRU_FILE1 + CMainApp::kRecentFileCommands - 1,
                     &CMainApp::OnOpenRecentFile)
END_MESSAGE_MAP()

CMainApp::CMainApp() : CWinAppEx(TRUE)
{
    m_previousAskFileName = Korvane::Formats::CKorXml::SetDefaultAskFileName(&AskXmlFileNameWithSaveAs);
    SetStartupFileHolder(&commandLineFile);
}

CMainApp::~CMainApp()
{
    Korvane::Formats::CKorXml::SetDefaultAskFileName(std::move(m_previousAskFileName));
    SetStartupFileHolder(nullptr);
}

BOOL CMainApp::InitInstance()
{
    INITCOMMONCONTROLSEX controls = {};
    controls.dwSize = sizeof controls;
    controls.dwICC = kCommonControlsClasses;
    ::InitCommonControlsEx(&controls);

    CWinAppEx::InitInstance();
    AfxAddExceptionDescriber(DescribeComError);
    AfxAddExceptionDescriber(Korvane::Exceptions::DescribeKorException);

    if (!AfxOleInit()) {
        AfxMessageBox(IDP_OLE_INIT_FAILED);
        return FALSE;
    }
    AfxEnableControlContainer();
    CKitWinThemeWrapper().CallSetProcessDPIAware();

    SetRegistryKey(kRegistryKey);
    LoadStdProfileSettings(kRecentFileCount);

    InitContextMenuManager();
    InitKeyboardManager();
    InitTooltipManager();
    CTooltipParams tooltipParams;
    tooltipParams.m_bDrawWithTheme = TRUE;
    SetTooltipParams(AFX_TOOLTIP_TYPE_ALL, nullptr, &tooltipParams);

    auto* docTemplate = new CSingleDocTemplate(IDR_MAINFRAME, RUNTIME_CLASS(CMainDoc), RUNTIME_CLASS(CMainFrame),
                                               RUNTIME_CLASS(CMainView));
    AddDocTemplate(docTemplate);
    EnableShellOpen();
    RegisterShellFileTypes(TRUE);

    CCommandLineInfo cmdInfo;
    ParseCommandLine(cmdInfo);
    if (!cmdInfo.m_strFileName.IsEmpty())
        commandLineFile = cmdInfo.m_strFileName;
    if (!ProcessShellCommand(cmdInfo))
        return FALSE;

    m_pMainWnd->ShowWindow(SW_SHOW);
    m_pMainWnd->UpdateWindow();
    m_pMainWnd->DragAcceptFiles(TRUE);
    return TRUE;
}

void CMainApp::PreLoadState()
{
    CString name;
    name.LoadString(IDS_EDIT);
    GetContextMenuManager()->AddMenu(name, IDR_MENU_PASTE);
    name.LoadString(IDS_EXPLORER);
    GetContextMenuManager()->AddMenu(name, IDR_MENU_MISSING_FILE);
    GetContextMenuManager()->AddMenu(name, IDR_MENU_SCL_FILE);
    GetContextMenuManager()->AddMenu(name, IDR_MENU_IED_ROOT);
}

CMainDoc* CMainApp::GetMainFrameDocument() const
{
    auto* frame = DYNAMIC_DOWNCAST(CFrameWnd, m_pMainWnd);
    return frame != nullptr ? DYNAMIC_DOWNCAST(CMainDoc, frame->GetActiveDocument()) : nullptr;
}

void CMainApp::OnAppAbout()
{
    CAboutDlg about;
    about.DoModal();
}

void CMainApp::OnAddIed()
{
    if (CMainDoc* doc = GetMainFrameDocument())
        doc->OnAddIed();
}

// Opens a recent file; a file that cannot be opened leaves the list and nothing else is opened.
void CMainApp::OnOpenRecentFile(UINT nID)
{
    const int index = static_cast<int>(nID - ID_FILE_MRU_FILE1);
    if (m_pRecentFileList == nullptr || index < 0 || index >= m_pRecentFileList->GetSize() ||
        (*m_pRecentFileList)[index].IsEmpty())
        AfxThrowInvalidArgException();
    const CString name = (*m_pRecentFileList)[index];
    if (OpenDocumentFile(name) == nullptr) {
        m_pRecentFileList->Remove(index);
        return;
    }
    if (CMainDoc* doc = GetMainFrameDocument())
        doc->OpenFileByType(name, FALSE);
}

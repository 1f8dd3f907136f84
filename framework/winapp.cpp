#include "framework/winapp.h"

#include "framework/cmdline.h"
#include "framework/docview.h"
#include "framework/exceptions.h"
#include "framework/filedialog.h"
#include "framework/gdi.h"
#include "framework/menu.h"
#include "framework/msgbox.h"
#include "framework/recentfiles.h"
#include "framework/wnd.h"

#include <ole2.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstring>
#include <vector>

IMPLEMENT_DYNAMIC(CWinThread, CCmdTarget)
IMPLEMENT_DYNAMIC(CWinApp, CWinThread)

BEGIN_MESSAGE_MAP(CWinApp, CWinThread)
    ON_COMMAND(ID_APP_EXIT, &CWinApp::OnAppExit)
    ON_COMMAND_RANGE(ID_FILE_MRU_FILE1, ID_FILE_MRU_FILE16, &CWinApp::OnOpenRecentFile)
    ON_UPDATE_COMMAND_UI(ID_FILE_MRU_FILE1, &CWinApp::OnUpdateRecentFileMenu)
END_MESSAGE_MAP()

namespace {

// Profile strings are read into a buffer starting at this size and
// doubling up to the limit.
constexpr DWORD kProfileBufferStart = 256;
constexpr DWORD kMaxProfileString = 1024 * 1024;

// The profile section and entry names of the recent-file list.
const char kRecentFileSection[] = "Recent File List";
const char kRecentFileEntry[] = "File%d";
// Longest path shown in the recent-file menu items before it is shortened.
constexpr int kRecentFileDisplayLength = 40;
constexpr UINT kMaxRecentFiles = 16;

CWinApp* g_pApp = nullptr;
BOOL g_bForceOleInitFailure = FALSE;
int g_nOleInits = 0;
BOOL g_bControlContainer = FALSE;

// The program's path with the extension replaced by .INI.
CString ProgramIniPath()
{
    CString path = AfxGetModuleFileName();
    const int dot = path.ReverseFind('.');
    if (dot > path.ReverseFind('\\'))
        path = path.Left(dot);
    return path + ".INI";
}

CString RegistryPath(LPCSTR registryKey, LPCSTR profileName)
{
    CString path;
    path.Format("Software\\%s\\%s", registryKey, profileName ? profileName : "");
    return path;
}

ScopedRegKey OpenKey(const CString& path, bool create)
{
    ScopedRegKey key;
    LONG result = create
        ? ::RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, nullptr, REG_OPTION_NON_VOLATILE,
              KEY_READ | KEY_WRITE, nullptr, key.Receive(), nullptr)
        : ::RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_READ, key.Receive());
    if (result != ERROR_SUCCESS)
        key.Detach();
    return key;
}

} // namespace

CWinApp::CWinApp(LPCSTR lpszAppName)
    : m_pszAppName(nullptr),
      m_pszExeName(nullptr),
      m_pszRegistryKey(nullptr),
      m_pszProfileName(nullptr),
      m_hInstance(::GetModuleHandleA(nullptr)),
      m_exeName(AfxGetProgramName()),
      m_appName(lpszAppName ? CString(lpszAppName) : m_exeName),
      m_profileName(ProgramIniPath()),
      m_pPreviousApp(g_pApp)
{
    m_pszAppName = m_appName;
    m_pszExeName = m_exeName;
    m_pszProfileName = m_profileName;
    g_pApp = this;
    m_pPreviousLink = AfxSetApplicationLink(&m_coreLink);
}

CWinApp::~CWinApp()
{
    // Templates close their documents (and the documents' frames).
    for (auto it = m_templates.rbegin(); it != m_templates.rend(); ++it)
        delete *it;
    m_templates.clear();
    if (g_pApp == this) {
        for (; g_nOleInits > 0; --g_nOleInits)
            ::OleUninitialize();
        g_pApp = m_pPreviousApp;
    }
    if (AfxGetApplicationLink() == &m_coreLink)
        AfxSetApplicationLink(m_pPreviousLink);
}

BOOL CWinApp::InitInstance()
{
    return TRUE;
}

int CWinApp::ExitInstance()
{
    if (m_pRecentFileList)
        m_pRecentFileList->WriteList();
    return static_cast<int>(m_msgCur.wParam);
}

int CWinApp::Run()
{
    if (m_pMainWnd == nullptr)
        ::PostQuitMessage(0);
    return CWinThread::Run();
}

int CWinApp::CCoreLink::DoMessageBox(LPCSTR lpszPrompt, UINT nType, UINT nIDPrompt)
{
    return m_app.DoMessageBox(lpszPrompt, nType, nIDPrompt);
}

HWND CWinApp::CCoreLink::GetMessageBoxOwner() const
{
    CWnd* pMainWnd = m_app.GetMainWnd();
    return pMainWnd != nullptr && pMainWnd->m_hWnd != nullptr && ::IsWindowEnabled(pMainWnd->m_hWnd)
        ? pMainWnd->m_hWnd
        : ::GetActiveWindow();
}

int CWinApp::DoMessageBox(LPCSTR lpszPrompt, UINT nType, UINT)
{
    return KorMessageBox(m_coreLink.GetMessageBoxOwner(), lpszPrompt, m_pszAppName, AfxMessageBoxType(nType));
}

void CWinApp::SetRegistryKey(LPCSTR lpszRegistryKey)
{
    m_registryKey = lpszRegistryKey;
    m_pszRegistryKey = m_registryKey;
    m_profileName = m_pszAppName;
    m_pszProfileName = m_profileName;
}

void CWinApp::SetRegistryKey(UINT nIDRegistryKey)
{
    CString key;
    if (!key.LoadString(nIDRegistryKey))
        AfxThrowInvalidArgException();
    SetRegistryKey(key);
}

ScopedRegKey CWinApp::GetAppRegistryKey(bool bCreate)
{
    if (!UsesRegistry())
        return ScopedRegKey();
    return OpenKey(RegistryPath(m_pszRegistryKey, m_pszProfileName), bCreate);
}

ScopedRegKey CWinApp::GetSectionKey(LPCSTR lpszSection, bool bCreate)
{
    if (!UsesRegistry() || lpszSection == nullptr)
        return ScopedRegKey();
    return OpenKey(RegistryPath(m_pszRegistryKey, m_pszProfileName) + "\\" + lpszSection, bCreate);
}

UINT CWinApp::GetProfileInt(LPCSTR lpszSection, LPCSTR lpszEntry, int nDefault)
{
    if (!UsesRegistry())
        return ::GetPrivateProfileIntA(lpszSection, lpszEntry, nDefault, m_pszProfileName);
    ScopedRegKey key = GetSectionKey(lpszSection, false);
    DWORD value = 0;
    DWORD type = REG_NONE;
    DWORD size = sizeof(value);
    if (key && ::RegQueryValueExA(key.Get(), lpszEntry, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) ==
                   ERROR_SUCCESS &&
        type == REG_DWORD && size == sizeof(value))
        return value;
    return static_cast<UINT>(nDefault);
}

CString CWinApp::GetProfileString(LPCSTR lpszSection, LPCSTR lpszEntry, LPCSTR lpszDefault)
{
    const char* fallback = lpszDefault ? lpszDefault : "";
    if (!UsesRegistry()) {
        std::vector<char> buffer(kProfileBufferStart);
        for (;;) {
            const DWORD length = ::GetPrivateProfileStringA(lpszSection, lpszEntry, fallback, buffer.data(),
                static_cast<DWORD>(buffer.size()), m_pszProfileName);
            if (length + 2 < buffer.size() || buffer.size() >= kMaxProfileString)
                return CString(buffer.data(), static_cast<int>(std::min<size_t>(length, buffer.size() - 1)));
            buffer.resize(buffer.size() * 2);
        }
    }
    ScopedRegKey key = GetSectionKey(lpszSection, false);
    DWORD type = REG_NONE;
    DWORD size = 0;
    if (!key || ::RegQueryValueExA(key.Get(), lpszEntry, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ) || size > kMaxProfileString)
        return CString(fallback);
    CString value;
    if (size > 0) {
        char* buffer = value.GetBuffer(static_cast<int>(size));
        if (::RegQueryValueExA(key.Get(), lpszEntry, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) !=
            ERROR_SUCCESS) {
            value.ReleaseBuffer(0);
            return CString(fallback);
        }
        value.ReleaseBuffer(static_cast<int>(strnlen(buffer, size)));
    }
    return value;
}

BOOL CWinApp::WriteProfileInt(LPCSTR lpszSection, LPCSTR lpszEntry, int nValue)
{
    if (!UsesRegistry()) {
        char text[16];
        std::snprintf(text, sizeof(text), "%d", nValue);
        return ::WritePrivateProfileStringA(lpszSection, lpszEntry, text, m_pszProfileName);
    }
    ScopedRegKey key = GetSectionKey(lpszSection, true);
    const DWORD value = static_cast<DWORD>(nValue);
    return key && ::RegSetValueExA(key.Get(), lpszEntry, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                      sizeof(value)) == ERROR_SUCCESS;
}

BOOL CWinApp::WriteProfileString(LPCSTR lpszSection, LPCSTR lpszEntry, LPCSTR lpszValue)
{
    if (!UsesRegistry())
        return ::WritePrivateProfileStringA(lpszSection, lpszEntry, lpszValue, m_pszProfileName);
    if (lpszSection == nullptr)
        return FALSE;
    if (lpszEntry == nullptr) {
        ScopedRegKey appKey = GetAppRegistryKey(false);
        return appKey && ::RegDeleteKeyA(appKey.Get(), lpszSection) == ERROR_SUCCESS;
    }
    if (lpszValue == nullptr) {
        ScopedRegKey key = GetSectionKey(lpszSection, true);
        return key && ::RegDeleteValueA(key.Get(), lpszEntry) == ERROR_SUCCESS;
    }
    const size_t size = std::strlen(lpszValue) + 1;
    if (size > kMaxProfileString)
        return FALSE;
    ScopedRegKey key = GetSectionKey(lpszSection, true);
    return key && ::RegSetValueExA(key.Get(), lpszEntry, 0, REG_SZ, reinterpret_cast<const BYTE*>(lpszValue),
                      static_cast<DWORD>(size)) == ERROR_SUCCESS;
}

BOOL CWinApp::GetProfileBinary(LPCSTR lpszSection, LPCSTR lpszEntry, std::vector<BYTE>& data)
{
    data.clear();
    if (!UsesRegistry()) {
        const CString text = GetProfileString(lpszSection, lpszEntry);
        const int length = text.GetLength();
        if (length == 0 || length % 2 != 0)
            return FALSE;
        std::vector<BYTE> bytes;
        bytes.reserve(static_cast<size_t>(length / 2));
        for (int i = 0; i < length; i += 2) {
            const char pair[3] = {text[i], text[i + 1], '\0'};
            char* end = nullptr;
            const unsigned long value = std::strtoul(pair, &end, 16);
            if (end != pair + 2)
                return FALSE;
            bytes.push_back(static_cast<BYTE>(value));
        }
        data.swap(bytes);
        return TRUE;
    }
    ScopedRegKey key = GetSectionKey(lpszSection, false);
    DWORD type = REG_NONE;
    DWORD size = 0;
    if (!key || ::RegQueryValueExA(key.Get(), lpszEntry, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        type != REG_BINARY || size > kMaxProfileString)
        return FALSE;
    std::vector<BYTE> bytes(size);
    if (size > 0 && ::RegQueryValueExA(key.Get(), lpszEntry, nullptr, &type, bytes.data(), &size) != ERROR_SUCCESS)
        return FALSE;
    bytes.resize(size);
    data.swap(bytes);
    return TRUE;
}

BOOL CWinApp::WriteProfileBinary(LPCSTR lpszSection, LPCSTR lpszEntry, const void* pData, UINT nBytes)
{
    if (nBytes > kMaxProfileString / 2 || (pData == nullptr && nBytes > 0))
        return FALSE;
    const BYTE* bytes = static_cast<const BYTE*>(pData);
    if (!UsesRegistry()) {
        static const char digits[] = "0123456789ABCDEF";
        CString text;
        for (UINT i = 0; i < nBytes; ++i) {
            text += digits[bytes[i] >> 4];
            text += digits[bytes[i] & 15];
        }
        return WriteProfileString(lpszSection, lpszEntry, text);
    }
    ScopedRegKey key = GetSectionKey(lpszSection, true);
    return key && ::RegSetValueExA(key.Get(), lpszEntry, 0, REG_BINARY, bytes, nBytes) == ERROR_SUCCESS;
}

int AfxWinMain(HINSTANCE hInstance, HINSTANCE, LPSTR lpCmdLine, int nCmdShow)
{
    CWinApp* app = g_pApp;
    if (app == nullptr)
        return -1;
    if (hInstance != nullptr)
        app->m_hInstance = hInstance;
    app->m_lpCmdLine = lpCmdLine;
    app->m_nCmdShow = nCmdShow;
    if (!app->InitInstance()) {
        if (CWnd* pMainWnd = app->m_pMainWnd)
            pMainWnd->DestroyWindow();
        return app->ExitInstance();
    }
    return app->Run();
}

CWinApp* AfxGetApp()
{
    return g_pApp;
}

CWnd* AfxGetMainWnd()
{
    return g_pApp != nullptr ? g_pApp->GetMainWnd() : nullptr;
}

BOOL AfxOleInit()
{
    if (g_bForceOleInitFailure)
        return FALSE;
    const HRESULT hr = ::OleInitialize(nullptr);
    if (FAILED(hr))
        return FALSE;
    ++g_nOleInits;
    return TRUE;
}

BOOL AfxOleIsInitialized()
{
    return g_nOleInits > 0;
}

void AfxForceOleInitFailure(BOOL bFail)
{
    g_bForceOleInitFailure = bFail;
}

void AfxEnableControlContainer()
{
    g_bControlContainer = TRUE;
}

BOOL AfxIsControlContainerEnabled()
{
    return g_bControlContainer;
}

void AfxDeleteTempMaps()
{
    CWnd::DeleteTempMap();
    CMenu::DeleteTempMap();
    CGdiObject::DeleteTempMap();
    CDC::DeleteTempMap();
}

// CWinThread

BOOL CWinThread::InitInstance()
{
    return FALSE;
}

int CWinThread::ExitInstance()
{
    return static_cast<int>(m_msgCur.wParam);
}

CWnd* CWinThread::GetMainWnd()
{
    return m_pMainWnd;
}

int CWinThread::Run()
{
    m_bRunning = true;
    bool idle = true;
    LONG idleCount = 0;
    for (;;) {
        while (idle && !::PeekMessageA(&m_msgCur, nullptr, 0, 0, PM_NOREMOVE)) {
            if (!OnIdle(idleCount++))
                idle = false;
        }
        do {
            if (!PumpMessage()) {
                m_bRunning = false;
                return ExitInstance();
            }
            if (IsIdleMessage(&m_msgCur)) {
                idle = true;
                idleCount = 0;
            }
        } while (::PeekMessageA(&m_msgCur, nullptr, 0, 0, PM_NOREMOVE));
    }
}

BOOL CWinThread::PumpMessage()
{
    if (!::GetMessageA(&m_msgCur, nullptr, 0, 0))
        return FALSE;
    if (!PreTranslateMessage(&m_msgCur)) {
        ::TranslateMessage(&m_msgCur);
        ::DispatchMessageA(&m_msgCur);
    }
    return TRUE;
}

BOOL CWinThread::PreTranslateMessage(MSG* pMsg)
{
    CWnd* pMainWnd = GetMainWnd();
    HWND hMain = pMainWnd != nullptr ? pMainWnd->m_hWnd : nullptr;
    if (CWnd::WalkPreTranslateTree(hMain, pMsg))
        return TRUE;
    // Windows outside the main window's tree still get its accelerators.
    if (hMain != nullptr && pMsg->hwnd != hMain && !::IsChild(hMain, pMsg->hwnd))
        return pMainWnd->PreTranslateMessage(pMsg);
    return FALSE;
}

BOOL CWinThread::OnIdle(LONG lCount)
{
    if (lCount <= 0) {
        CWnd* pMainWnd = GetMainWnd();
        if (pMainWnd != nullptr && pMainWnd->m_hWnd != nullptr && pMainWnd->IsWindowVisible()) {
            pMainWnd->SendMessage(WM_IDLEUPDATECMDUI, TRUE);
            pMainWnd->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
        }
        return TRUE;
    }
    AfxDeleteTempMaps();
    return FALSE;
}

BOOL CWinThread::IsIdleMessage(MSG* pMsg)
{
    if (pMsg->message == WM_MOUSEMOVE || pMsg->message == WM_NCMOUSEMOVE) {
        // A mouse move to where the mouse already was is no activity.
        const POINT point = pMsg->pt;
        if (m_lastMouseMessage == pMsg->message && m_lastMousePoint.x == point.x && m_lastMousePoint.y == point.y)
            return FALSE;
        m_lastMousePoint = point;
        m_lastMouseMessage = pMsg->message;
        return TRUE;
    }
    return pMsg->message != WM_PAINT && pMsg->message != 0x0118; // system caret timer
}

// CWinApp: documents

void CWinApp::AddDocTemplate(CDocTemplate* pTemplate)
{
    if (pTemplate != nullptr)
        m_templates.push_back(pTemplate);
}

POSITION CWinApp::GetFirstDocTemplatePosition() const
{
    // Positions are index + 1, so that null ends the walk.
    return m_templates.empty() ? nullptr : reinterpret_cast<POSITION>(static_cast<INT_PTR>(1));
}

CDocTemplate* CWinApp::GetNextDocTemplate(POSITION& pos) const
{
    const INT_PTR index = reinterpret_cast<INT_PTR>(pos) - 1;
    if (index < 0 || static_cast<size_t>(index) >= m_templates.size()) {
        pos = nullptr;
        return nullptr;
    }
    pos = static_cast<size_t>(index + 1) < m_templates.size() ? reinterpret_cast<POSITION>(index + 2) : nullptr;
    return m_templates[static_cast<size_t>(index)];
}

CDocument* CWinApp::OpenDocumentFile(LPCSTR lpszFileName)
{
    if (m_templates.empty() || lpszFileName == nullptr || *lpszFileName == '\0')
        return nullptr;
    return m_templates.front()->OpenDocumentFile(lpszFileName);
}

BOOL CWinApp::SaveAllModified()
{
    for (CDocTemplate* pTemplate : m_templates) {
        if (!pTemplate->SaveAllModified())
            return FALSE;
    }
    return TRUE;
}

void CWinApp::CloseAllDocuments(BOOL bEndSession)
{
    for (CDocTemplate* pTemplate : m_templates)
        pTemplate->CloseAllDocuments(bEndSession);
}

void CWinApp::OnFileNew()
{
    if (!m_templates.empty())
        m_templates.front()->OpenDocumentFile(nullptr);
}

void CWinApp::OnFileOpen()
{
    CString filter;
    for (CDocTemplate* pTemplate : m_templates) {
        CString name;
        CString extension;
        if (pTemplate->GetDocString(extension, CDocTemplate::filterExt) &&
            pTemplate->GetDocString(name, CDocTemplate::filterName))
            filter += name + "|*" + extension + "|";
    }
    filter += "All Files (*.*)|*.*||";
    CFileDialog dialog(TRUE, nullptr, nullptr, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, filter, GetMainWnd());
    if (dialog.DoModal() == IDOK)
        OpenDocumentFile(dialog.GetPathName());
}

void CWinApp::OnFilePrintSetup()
{
    PRINTDLGA setup = {};
    setup.lStructSize = sizeof(setup);
    setup.hwndOwner = GetMainWnd() != nullptr ? GetMainWnd()->m_hWnd : nullptr;
    setup.Flags = PD_PRINTSETUP;
    if (::PrintDlgA(&setup)) {
        if (setup.hDevMode != nullptr)
            ::GlobalFree(setup.hDevMode);
        if (setup.hDevNames != nullptr)
            ::GlobalFree(setup.hDevNames);
    }
}

void CWinApp::OnAppExit()
{
    if (CWnd* pMainWnd = GetMainWnd())
        pMainWnd->SendMessage(WM_CLOSE);
}

// CWinApp: recent files

void CWinApp::LoadStdProfileSettings(UINT nMaxMRU)
{
    if (nMaxMRU == 0) {
        m_pRecentFileList.reset();
        return;
    }
    m_pRecentFileList = std::make_unique<CRecentFileList>(0, kRecentFileSection, kRecentFileEntry,
                                                          static_cast<int>(std::min(nMaxMRU, kMaxRecentFiles)),
                                                          kRecentFileDisplayLength);
    m_pRecentFileList->ReadList();
}

void CWinApp::AddToRecentFileList(LPCSTR lpszPathName)
{
    if (m_pRecentFileList)
        m_pRecentFileList->Add(lpszPathName);
}

void CWinApp::OnOpenRecentFile(UINT nID)
{
    if (!m_pRecentFileList)
        return;
    const int index = static_cast<int>(nID) - ID_FILE_MRU_FILE1;
    const CString name = (*m_pRecentFileList)[index];
    if (name.IsEmpty())
        return;
    if (OpenDocumentFile(name) == nullptr)
        m_pRecentFileList->Remove(index);
}

void CWinApp::OnUpdateRecentFileMenu(CCmdUI* pCmdUI)
{
    if (m_pRecentFileList)
        m_pRecentFileList->UpdateMenu(pCmdUI);
    else
        pCmdUI->Enable(FALSE);
}

// CWinApp: the command line

void CWinApp::ParseCommandLine(CCommandLineInfo& rCmdInfo)
{
    ParseCommandLine(rCmdInfo, __argc, __argv);
}

void CWinApp::ParseCommandLine(CCommandLineInfo& rCmdInfo, int argc, const char* const* argv)
{
    for (int i = 1; i < argc; ++i) {
        const char* param = argv[i];
        const BOOL flag = param[0] == '-' || param[0] == '/';
        rCmdInfo.ParseParam(flag ? param + 1 : param, flag, i + 1 == argc);
    }
}

BOOL CWinApp::ProcessShellCommand(CCommandLineInfo& rCmdInfo)
{
    switch (rCmdInfo.m_nShellCommand) {
    case CCommandLineInfo::FileNew:
        if (!OnCmdMsg(ID_FILE_NEW, CN_COMMAND, nullptr, nullptr))
            OnFileNew();
        return m_pMainWnd != nullptr;
    case CCommandLineInfo::FileOpen:
        return OpenDocumentFile(rCmdInfo.m_strFileName) != nullptr;
    case CCommandLineInfo::FileNothing:
    case CCommandLineInfo::AppRegister:
    case CCommandLineInfo::AppUnregister:
        return TRUE;
    default:
        // Printing and shell (DDE) requests are not supported.
        return FALSE;
    }
}

void CWinApp::EnableShellOpen()
{
    m_bShellOpenEnabled = TRUE;
}

void CWinApp::RegisterShellFileTypes(BOOL)
{
    m_bShellFileTypesRegistered = TRUE;
}

// Wait cursors

void CWinApp::DoWaitCursor(int nCode)
{
    if (nCode > 0) {
        if (m_nWaitCursorCount++ == 0)
            m_hcurWaitCursorRestore = ::SetCursor(::LoadCursorA(nullptr, IDC_WAIT));
        else
            ::SetCursor(::LoadCursorA(nullptr, IDC_WAIT));
    } else if (nCode < 0) {
        if (m_nWaitCursorCount > 0 && --m_nWaitCursorCount == 0)
            ::SetCursor(m_hcurWaitCursorRestore != nullptr ? m_hcurWaitCursorRestore
                                                           : ::LoadCursorA(nullptr, IDC_ARROW));
    } else if (m_nWaitCursorCount > 0) {
        ::SetCursor(::LoadCursorA(nullptr, IDC_WAIT));
    }
}

void CCmdTarget::BeginWaitCursor()
{
    if (CWinApp* app = AfxGetApp())
        app->DoWaitCursor(1);
}

void CCmdTarget::EndWaitCursor()
{
    if (CWinApp* app = AfxGetApp())
        app->DoWaitCursor(-1);
}

void CCmdTarget::RestoreWaitCursor()
{
    if (CWinApp* app = AfxGetApp())
        app->DoWaitCursor(0);
}

CWaitCursor::CWaitCursor()
{
    if (CWinApp* app = AfxGetApp())
        app->DoWaitCursor(1);
}

CWaitCursor::~CWaitCursor()
{
    if (CWinApp* app = AfxGetApp())
        app->DoWaitCursor(-1);
}

void CWaitCursor::Restore()
{
    if (CWinApp* app = AfxGetApp())
        app->DoWaitCursor(0);
}


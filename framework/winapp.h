// CWinThread, CWinApp, CWaitCursor: the message loop with idle processing, the application object (profile settings, documents, recent files, shell commands) and the module handles.
#pragma once

#include "framework/collections.h"
#include "framework/handles.h"
#include "framework/module.h"
#include "framework/msgmap.h"
#include "framework/object.h"
#include "framework/strings.h"

#include <memory>
#include <vector>

class CCommandLineInfo;
class CDocTemplate;
class CDocument;
class CRecentFileList;
class CWnd;

// A thread with a message loop: messages pass PreTranslateMessage (the
// window chain up to the main window) before dispatch; OnIdle runs while the queue is empty.
class CWinThread : public CCmdTarget {
    DECLARE_DYNAMIC(CWinThread)
public:
    CWinThread() = default;

    // Called once at start-up; FALSE ends the program.
    virtual BOOL InitInstance();
    // Called once at shut-down; returns the program's exit code.
    virtual int ExitInstance();
    // The message loop; returns ExitInstance() after WM_QUIT.
    virtual int Run();
    // Gets and dispatches one message; FALSE on WM_QUIT.
    virtual BOOL PumpMessage();
    // Gives pMsg to the PreTranslateMessage of its window and that window's
    // parents, then to the main window; TRUE when one of them handled it.
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    // Idle work while the queue is empty: lCount 0 updates the main window's
    // command UI (WM_IDLEUPDATECMDUI), 1 frees temporary objects. TRUE asks for more idle calls.
    virtual BOOL OnIdle(LONG lCount);
    // FALSE for messages that do not end an idle period (WM_PAINT, timers, repeated mouse moves).
    virtual BOOL IsIdleMessage(MSG* pMsg);
    virtual CWnd* GetMainWnd();

    CWnd* m_pMainWnd = nullptr;
    MSG m_msgCur = {};

protected:
    // TRUE while Run's loop is active; the main frame ends it when it goes.
    bool m_bRunning = false;
    POINT m_lastMousePoint = {-1, -1};
    UINT m_lastMouseMessage = 0;

    friend class CFrameWnd;
};

// The one application object. Constructing it makes it AfxGetApp(); a second
// one replaces the first until it is destroyed.
class CWinApp : public CWinThread {
    DECLARE_DYNAMIC(CWinApp)
public:
    // lpszAppName null: the program file's base name.
    explicit CWinApp(LPCSTR lpszAppName = nullptr);
    ~CWinApp() override;

    BOOL InitInstance() override;
    // Saves the recent-file list; returns the exit code WM_QUIT carried.
    int ExitInstance() override;
    // Ends at once when InitInstance left no main window.
    int Run() override;

    // Shows AfxMessageBox's box, captioned with m_pszAppName, through KorMessageBox.
    virtual int DoMessageBox(LPCSTR lpszPrompt, UINT nType, UINT nIDPrompt);

    // Keeps profile settings under HKEY_CURRENT_USER\Software\<key>\<profile name>\<section>;
    // the profile name becomes the application name.
    void SetRegistryKey(LPCSTR lpszRegistryKey);
    void SetRegistryKey(UINT nIDRegistryKey);

    // Without a registry key these use the INI file m_pszProfileName.
    UINT GetProfileInt(LPCSTR lpszSection, LPCSTR lpszEntry, int nDefault);
    CString GetProfileString(LPCSTR lpszSection, LPCSTR lpszEntry, LPCSTR lpszDefault = nullptr);
    BOOL WriteProfileInt(LPCSTR lpszSection, LPCSTR lpszEntry, int nValue);
    // A null entry deletes the section, a null value deletes the entry.
    BOOL WriteProfileString(LPCSTR lpszSection, LPCSTR lpszEntry, LPCSTR lpszValue);
    // Bytes kept as a binary value (in the INI file: as hexadecimal text). FALSE, with data
    // empty, when the entry is missing or holds something else.
    BOOL GetProfileBinary(LPCSTR lpszSection, LPCSTR lpszEntry, std::vector<BYTE>& data);
    BOOL WriteProfileBinary(LPCSTR lpszSection, LPCSTR lpszEntry, const void* pData, UINT nBytes);

    // The key of the application's settings, or an invalid key without a
    // registry key (or when it cannot be opened).
    ScopedRegKey GetAppRegistryKey(bool bCreate);
    ScopedRegKey GetSectionKey(LPCSTR lpszSection, bool bCreate);

    // Document templates: the application owns them.
    void AddDocTemplate(CDocTemplate* pTemplate);
    POSITION GetFirstDocTemplatePosition() const;
    CDocTemplate* GetNextDocTemplate(POSITION& pos) const;
    // Opens lpszFileName with the first template; null when it cannot be opened.
    virtual CDocument* OpenDocumentFile(LPCSTR lpszFileName);
    // Asks every document to save its changes; FALSE when the user cancelled.
    BOOL SaveAllModified();
    void CloseAllDocuments(BOOL bEndSession);

    // Creates the recent-file list of nMaxMRU entries and reads it from the
    // profile section "Recent File List"; 0 means no list.
    void LoadStdProfileSettings(UINT nMaxMRU = 4);
    virtual void AddToRecentFileList(LPCSTR lpszPathName);
    CRecentFileList* GetRecentFileList() const { return m_pRecentFileList.get(); }

    // The command line of the program into rCmdInfo (argc/argv are a seam for tests).
    void ParseCommandLine(CCommandLineInfo& rCmdInfo);
    void ParseCommandLine(CCommandLineInfo& rCmdInfo, int argc, const char* const* argv);
    // Runs what the command line asked: a new document (through the ID_FILE_NEW
    // route), opening a file, or nothing; FALSE when that failed.
    BOOL ProcessShellCommand(CCommandLineInfo& rCmdInfo);
    void EnableShellOpen();
    // Shell registration is not written; the request is recorded.
    void RegisterShellFileTypes(BOOL bCompat = FALSE);
    BOOL IsShellOpenEnabled() const { return m_bShellOpenEnabled; }
    BOOL AreShellFileTypesRegistered() const { return m_bShellFileTypesRegistered; }

    // nCode 1 starts a wait cursor, -1 ends one, 0 shows it again; they nest.
    virtual void DoWaitCursor(int nCode);

    afx_msg void OnFileNew();
    afx_msg void OnFileOpen();
    afx_msg void OnFilePrintSetup();
    afx_msg void OnAppExit();
    // ID_FILE_MRU_FILE1..16: opens the entry; an entry that cannot be opened leaves the list.
    afx_msg void OnOpenRecentFile(UINT nID);
    afx_msg void OnUpdateRecentFileMenu(CCmdUI* pCmdUI);

    LPCSTR m_pszAppName;
    // Base name of the program file, without extension.
    LPCSTR m_pszExeName;
    LPCSTR m_pszRegistryKey;
    // What the program was started with (set by AfxWinMain).
    LPSTR m_lpCmdLine = nullptr;
    int m_nCmdShow = SW_SHOWNORMAL;
    // The INI file beside the program until SetRegistryKey is called.
    LPCSTR m_pszProfileName;
    HINSTANCE m_hInstance;

protected:
    std::unique_ptr<CRecentFileList> m_pRecentFileList;

    DECLARE_MESSAGE_MAP()

private:
    bool UsesRegistry() const { return m_pszRegistryKey != nullptr && *m_pszRegistryKey != '\0'; }

    std::vector<CDocTemplate*> m_templates;
    int m_nWaitCursorCount = 0;
    HCURSOR m_hcurWaitCursorRestore = nullptr;
    BOOL m_bShellOpenEnabled = FALSE;
    BOOL m_bShellFileTypesRegistered = FALSE;

    CString m_exeName;
    CString m_appName;
    CString m_registryKey;
    CString m_profileName;
    CWinApp* m_pPreviousApp;

    // The application as code without windows sees it (AfxMessageBox, AfxGetAppName ...).
    class CCoreLink : public CApplicationLink {
    public:
        explicit CCoreLink(CWinApp& app) : m_app(app) {}
        int DoMessageBox(LPCSTR lpszPrompt, UINT nType, UINT nIDPrompt) override;
        LPCSTR GetLinkedAppName() const override { return m_app.m_pszAppName; }
        HINSTANCE GetLinkedInstanceHandle() const override { return m_app.m_hInstance; }
        HWND GetMessageBoxOwner() const override;

    private:
        CWinApp& m_app;
    };
    CCoreLink m_coreLink{*this};
    CApplicationLink* m_pPreviousLink = nullptr;
};

// Shows the wait cursor for its lifetime.
class CWaitCursor {
public:
    CWaitCursor();
    ~CWaitCursor();
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;
    void Restore();
};

// The program's body, called from its WinMain: InitInstance, then Run when
// it succeeded (else ExitInstance); returns the exit code, -1 without an application object.
int AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow);

// The application object, or null when there is none.
CWinApp* AfxGetApp();
// The application's main window, or null.
CWnd* AfxGetMainWnd();
// Initialises COM/OLE for the program (undone when the application object
// goes); FALSE when that failed.
BOOL AfxOleInit();
// TRUE while AfxOleInit's initialisation holds.
BOOL AfxOleIsInitialized();
// Test seam: makes AfxOleInit fail without calling the system.
void AfxForceOleInitFailure(BOOL bFail);
// Hosting of ActiveX controls is not supported; this only records the request.
void AfxEnableControlContainer();
BOOL AfxIsControlContainerEnabled();
// Frees the temporary window, menu, GDI and DC objects handed out by FromHandle.
void AfxDeleteTempMaps();

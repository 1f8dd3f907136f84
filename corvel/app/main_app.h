// CMainApp: Corvel's application object and start-up.
#pragma once
#include "framework/ui.h"
#include "corvel/document/document_frame.h"
#include "corvel/project/kor_xml.h"

class CMainDoc;

// The Save As dialog through which the XML writer asks for another file when
// its file cannot be opened: the chosen path, or an empty text when cancelled.
// The program's default for every XML file it writes.
CString AskXmlFileNameWithSaveAs(const CString& proposed);

class CMainApp : public CWinAppEx {
    DECLARE_DYNAMIC(CMainApp)
public:
    CMainApp();
    ~CMainApp() override;

    BOOL InitInstance() override;
    // Registers the context menus before the main frame loads its state.
    void PreLoadState() override;

    // Recent-file commands: ID_FILE_MRU_FILE1 and the fourteen after it.
    static constexpr UINT kRecentFileCommands = 15;

    // Kept with the application's fields; nothing sets them.
    bool flagA = true;
    bool flagB = true;
    // The file named on the command line (StartupFileName while the application lives); the project readers
    // empty it after a successful load.
    CString commandLineFile;

private:
    Korvane::Formats::AskFileNameFunction m_previousAskFileName;

protected:
    // The document of the main frame, or null.
    virtual CMainDoc* GetMainFrameDocument() const;

    afx_msg void OnAppAbout();
    afx_msg void OnAddIed();
    afx_msg void OnOpenRecentFile(UINT nID);

    DECLARE_MESSAGE_MAP()
};

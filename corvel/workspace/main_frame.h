// CMainFrame, CSplitterEx: Corvel's main window and its labelled splitter.
#pragma once
#include "framework/ui.h"

class CFileView;
class CMainDoc;
class CMainView;

// The static splitter of the main window, with a label text on its bar.
class CSplitterEx : public CSplitterWnd {
public:
    CSplitterEx() = default;
    // Stores the label and asks for the splitter to be repainted.
    void SetLabelText(const CString& text);
    const CString& GetLabelText() const { return m_label; }

private:
    CString m_label;
};

class CMainFrame : public CFrameWndEx {
    DECLARE_DYNCREATE(CMainFrame)
public:
    CMainFrame();
    ~CMainFrame() override;

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL DestroyWindow() override;
    // The caption is always the product title, never the document's name.
    void OnUpdateFrameTitle(BOOL bAddToTitle) override;

    // Sets the caption to the product title; the project name is not shown.
    void UpdateTitle(const CString& projectName);
    // Frees the gateway button, the device records with their buttons and the tag records of the document.
    void ReleaseProject();
    // Refills the file view from the project.
    void RefreshFileView();
    // Folder of the running program, without the trailing backslash.
    CString GetModuleFolder() const;

    CMainView* GetNetworkView() const;
    CFileView* GetFileView() const;
    CSplitterEx& GetSplitter() { return m_wndSplitter; }

    // devNum of the device whose button was clicked last; 0 for none.
    int currentDeviceId = 0;
    // Kind of that device: 4 for an IED.
    int currentDeviceKind = 0;

protected:
    BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext) override;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnClose();

    DECLARE_MESSAGE_MAP()

private:
    CMainDoc* GetProjectDocument() const;

    CSplitterEx m_wndSplitter;
};

// The application's main window as Corvel's main frame, or null (no main window, as in the tests).
CMainFrame* GetMainFrame();
// The main frame's current device: the devNum of the device whose button was clicked last; 0 when there is
// none or no main frame.
int CurrentDeviceId();

// Frees what the network view created for doc: the gateway button, every IED
// and PLC device record with its button and every tag record, emptying the lists.
void ReleaseNetworkRecords(CMainDoc& doc);

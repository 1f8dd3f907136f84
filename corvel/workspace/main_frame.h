// CMainFrame, CSplitterEx: Corvel's main window and its labelled splitter.
#pragma once
#include "framework/ui.h"
#include "corvel/document/document_frame.h"
#include "corvel/model/project_records.h"
#include "corvel/workspace/file_view.h"

class CDevTagView;
class CMainDoc;
class CMainView;

// The static splitter of the main window: a wide bar between its rows that carries a label.
class CSplitterEx : public CSplitterWndEx {
    DECLARE_DYNAMIC(CSplitterEx)
public:
    CSplitterEx();
    // Stores the label and asks for the splitter to be repainted.
    void SetLabelText(const CString& text);
    const CString& GetLabelText() const { return m_label; }
    // The ideal height of a row, as set by SetRowInfo.
    int GetIdealRowHeight(int row) const;

    // The bar: a raised face with the label, when the bar is wide enough for it; the border: a sunken frame.
    void OnDrawSplitter(CDC* pDC, ESplitType nType, const CRect& rect) override;

    // Size of the bar and the gap between the panes, in pixels; the bar's share of the panes' borders; the
    // border drawn round each view.
    static constexpr int kBarSize = 28;
    static constexpr int kBorderShare = 1;
    static constexpr int kBorder = 1;

private:
    CString m_label;
};

class CMainFrame : public CFrameWndEx, public CDocumentFrame {
    DECLARE_DYNCREATE(CMainFrame)
public:
    CMainFrame();
    ~CMainFrame() override;

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL DestroyWindow() override;
    // The caption is always the product title, never the document's name.
    void OnUpdateFrameTitle(BOOL bAddToTitle) override;

    // Sets the caption to the product title; the project name is not shown.
    void UpdateTitle(const CString& projectName) override;
    // Frees the gateway button, the device records with their buttons and the tag records of the document, and
    // clears its tag map.
    void ReleaseProject();
    // Refills the file view from the project.
    void RefreshFileView() override;
    // Folder of the running program, without the trailing backslash.
    CString GetModuleFolder() const;

    // The current user's profile folder.
    static CString GetUserProfileFolder();
    // Gives the splitter's rows their ideal heights for a frame client area clientHeight high: the upper
    // row 100 pixels more than half, the lower 100 less.
    void SetSplitterRows(int clientHeight);

    CMainView* GetNetworkView() const;
    CFileView* GetFileView() const;
    CDevTagView* GetTagView() const { return m_pTagView; }
    CSplitterEx& GetSplitter() { return m_wndSplitter; }
    CMFCMenuBar& GetMenuBar() { return m_wndMenuBar; }
    CMFCToolBar& GetToolBar() { return m_wndToolBar; }
    CMFCStatusBar& GetStatusBar() { return m_wndStatusBar; }
    // The toolbar customisation dialog while it is open, else null.
    CMFCToolBarsCustomizeDialog* GetCustomizeDialog() const;

    // What the document asks of the frame.
    int GetCurrentDeviceId() const override { return currentDeviceId; }
    void SetCurrentDeviceRecord(Corvel::Records::_IED_DEVICE* device) override { currentDevice = device; }
    void RebuildNetworkView() override;
    void ClearSplitterLabel() override;
    void InvalidateActiveView() override;
    void AddSclFileNode(const CString& path) override;
    std::vector<CString> ListSclFileNodes() override;
    void ChangeSclFilePath(const CString& oldPath, const CString& newPath) override;
    bool AddPlcDevice(int& deviceId) override;

    // The plain frame's activation.
    void ActivateFrame(int nCmdShow = -1) override;
    // A toolbar's customize button lists the toolbar's default buttons.
    BOOL OnShowCustomizePane(CMFCPopupMenu* pMenuPane, UINT uiToolbarID) override;

    // devNum of the device whose button was clicked last; 0 for none.
    int currentDeviceId = 0;
    // Kind of that device: 4 for an IED.
    int currentDeviceKind = 0;
    // The IED device record of the current device, set by the IED property pages.
    Corvel::Records::_IED_DEVICE* currentDevice = nullptr;

protected:
    BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext) override;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnClose();
    afx_msg void OnProjectOptions();
    // Opens the toolbar customisation dialog, modeless.
    afx_msg void OnViewCustomize();
    // A new user toolbar gets the customize button too.
    afx_msg LRESULT OnToolbarCreateNew(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnRefreshFileView(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

private:
    CMainDoc* GetProjectDocument() const;

    CFileView m_wndFileView;
    CDevTagView* m_pTagView = nullptr;
    CSplitterEx m_wndSplitter;
    CMFCMenuBar m_wndMenuBar;
    CMFCToolBar m_wndToolBar;
    CMFCStatusBar m_wndStatusBar;
    std::unique_ptr<CMFCToolBarsCustomizeDialog> m_customizeDialog;
};

// The application's main window as Corvel's main frame, or null (no main window, as in the tests).
CMainFrame* GetMainFrame();
// Frees what the network view created for doc: the gateway button, every IED
// and PLC device record with its button and every tag record, emptying the lists; clears the tag map.
void ReleaseNetworkRecords(CMainDoc& doc);

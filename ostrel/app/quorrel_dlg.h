// CQuorrelDlg: Ostrel's main dialog: one module's tags in the grid, refreshed on a timer, edited values written back.
#pragma once

#include "framework/controls.h"
#include "framework/dialog.h"
#include "framework/handles.h"
#include "framework/menu.h"
#include "ostrel/app/tag.h"

#include <vector>

// Texts the dialog shows.
extern const char kInvalidAddressText[];
extern const char kAlreadyRunningText[];
extern const char kModuleMissingText[];
extern const char kUploadFailedText[];
extern const char kFirmwareErrorText[];
extern const char kUpdateFailedText[];
extern const char kWriteFailedText[];
extern const char kInvalidValueText[];
extern const char kEventLogFailedText[];
extern const char kSaveConfigFailedText[];

// The refresh timer and the consecutive failed refreshes that stop monitoring.
constexpr UINT_PTR kRefreshTimerId = 0;
constexpr int kFailedRefreshesToStop = 3;

class CQuorrelDlg : public CDialog {
public:
    // arguments: the program's command-line arguments; exactly one is the module's address.
    explicit CQuorrelDlg(const std::vector<CString>& arguments, CWnd* pParent = nullptr);
    ~CQuorrelDlg() override;

    CMonitorGrid& GetGrid() { return m_grid; }
    CGridTagTable& GetTable() { return m_table; }
    const CString& GetModuleAddress() const { return m_address; }
    bool IsMonitoring() const { return !m_bStopped; }
    int GetUpdateRate() const { return m_nUpdateRate; }
    int GetFailedRefreshes() const { return m_nFailures; }
    // True once the start ended the dialog (no module, another instance, Cancel).
    bool HasEnded() const { return m_bEnded; }

    // One tick of the refresh: the rows around the visible ones, then the "Last update" text.
    void OnRefreshTimer();
    // Asks the module for the rows around the visible part of the grid; throws the int 1 when it is away.
    void RefreshVisibleRows();

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    // Enter and Escape belong to the grid and its editors: neither closes the monitor.
    void OnOK() override {}
    void OnCancel() override {}

    // The address dialog preset with address; false on Cancel.
    virtual bool AskForAddress(CString& address);
    virtual bool AskForUpdateRate(int& rate);
    // Opens a written file in the shell ("open").
    virtual void OpenFile(const CString& path);

    afx_msg void OnSysCommand(UINT nID, LPARAM lParam);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnGetMinMaxInfo(MINMAXINFO* lpMMI);
    afx_msg void OnDestroy();
    afx_msg void OnClose();
    afx_msg void OnOpenModule();
    afx_msg void OnExportCsv();
    afx_msg void OnSaveConfig();
    afx_msg void OnPrint();
    afx_msg void OnExit();
    afx_msg void OnOnlineMonitor();
    afx_msg void OnStopMonitor();
    afx_msg void OnToggleMonitor();
    afx_msg void OnSetUpdateRate();
    afx_msg void OnEventLog();
    afx_msg void OnStatus();
    afx_msg void OnAbout();
    afx_msg void OnGridBeginEdit(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnGridEndEdit(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

private:
    void CreateToolBar();
    void LayOut(int cx, int cy);
    // Seven columns under one header row, with the stored widths.
    void SetUpGrid();
    // Widens the number column (20 pixels at first) to the numbers it shows.
    void FitRowNumbers();
    // The address from the command line or the address dialog, asked again while invalid; false on Cancel.
    bool ChooseStartAddress(CString& address);
    // Holds the instance lock of address; false when another instance monitors it.
    bool TakeInstanceLock(const CString& address, ScopedHandle& lock) const;
    // Ends the start with a message.
    BOOL EndStart(const CString& text);
    void ShowMonitoring(bool monitoring);
    void ShowTitle();

    std::vector<CString> m_arguments;
    CMonitorGrid m_grid;
    CGridTagTable m_table{m_grid};
    CMenu m_menu;
    CToolBarCtrl m_toolBar;
    CImageList m_toolImages;
    HICON m_hIcon;
    // The window's size at the start: it may not be made smaller.
    CSize m_minimumSize;
    int m_nStatusHeight = 0;
    CString m_lastUpdate;
    int m_nUpdateRate;
    bool m_bStopped = true;
    int m_nFailures = 0;
    bool m_bEnded = false;
    bool m_bStarted = false;
    CString m_address;
    ScopedHandle m_instanceLock;
};

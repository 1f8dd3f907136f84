// CDlgEventLog, CMapListEventLog: the module's cached event log as a table, fetched again on a timer when asked.
#pragma once

#include "corvel/controls/dialog_ex.h"
#include "corvel/gateway/event_log_rows.h"
#include "corvel/gateway/vqn_diagnostics.h"
#include "corvel/controls/grid_list.h"

#include <vector>

// The event log dialog's list: the grid list as it is.
class CMapListEventLog : public CGridList {
    DECLARE_DYNAMIC(CMapListEventLog)
public:
    CMapListEventLog() = default;
};

// Dialog 365 "Event Logger". Constructing it tests the connection to the
// project's module (and says so when it fails); the caller shows it only when
// IsConnected(). It fetches the log once when it opens and, after Start,
// every 20 s. Every fetch blocks the GUI thread for at most the client's limit.
class CDlgEventLog : public MyCDialogEx {
    DECLARE_DYNAMIC(CDlgEventLog)
public:
    static constexpr UINT_PTR kPollTimerId = 1;
    // The list's settings.
    static constexpr char kSettingsSection[] = "EventLogger";

    explicit CDlgEventLog(CWnd* pParent = nullptr);

    // The period of the polling timer; tests shorten it, the program keeps 20 s. Returns the previous one.
    static UINT SetPollPeriod(UINT periodMs);

    bool IsConnected() const { return m_bConnected; }
    CMapListEventLog& GetList() { return m_list; }
    UINT_PTR GetPollTimer() const { return m_nPollTimer; }

    BOOL OnInitDialog() override;
    // The list's row trait and columns, their widths from the settings.
    virtual void InitColumns();
    // Reads the module's event log into the list; a failed exchange tells the user and closes the dialog.
    void FetchEventLog();
    // Replaces the list's rows by one row per entry, in order.
    void FillEventList(const std::vector<EventLogEntry>& entries);

    afx_msg void OnStartPolling();
    afx_msg void OnStopPolling();
    afx_msg void OnUpdateStartPolling(CCmdUI* pCmdUI);
    afx_msg void OnUpdateStopPolling(CCmdUI* pCmdUI);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnClose();
    afx_msg void OnSize(UINT nType, int cx, int cy);

private:
    CMapListEventLog m_list;
    EventRowTable m_rows;
    CString m_address;
    UINT_PTR m_nPollTimer = 0;
    CVQNDiagnostics m_client;
    bool m_bConnected = false;

    DECLARE_MESSAGE_MAP()
};

#include "corvel/gateway_ui/event_log_dlg.h"

#include "corvel/document/main_doc.h"
#include "corvel/resources/resource.h"
#include "corvel/controls/product_message.h"
#include "corvel/model/product.h"

#include <memory>

IMPLEMENT_DYNAMIC(CMapListEventLog, CGridList)
IMPLEMENT_DYNAMIC(CDlgEventLog, MyCDialogEx)

BEGIN_MESSAGE_MAP(CDlgEventLog, MyCDialogEx)
    ON_COMMAND(ID_EVENT_LOG_START, &CDlgEventLog::OnStartPolling)
    ON_COMMAND(ID_EVENT_LOG_STOP, &CDlgEventLog::OnStopPolling)
    ON_UPDATE_COMMAND_UI(ID_EVENT_LOG_START, &CDlgEventLog::OnUpdateStartPolling)
    ON_UPDATE_COMMAND_UI(ID_EVENT_LOG_STOP, &CDlgEventLog::OnUpdateStopPolling)
    ON_WM_TIMER()
    ON_WM_CLOSE()
    ON_WM_SIZE()
END_MESSAGE_MAP()

namespace {

const char kConnectionFailed[] = "Error: Connection failed.";
const char kTimerFailed[] = "Error: Could not Start Auto Binary Poll Timer.";
const char kColumnEntry[] = "COL%d";

constexpr UINT kDefaultPollPeriodMs = 20000;
constexpr UINT kApplicationIcon = 128;
// The strip below the list that the status bar takes.
constexpr int kStatusStrip = 19;
// Default widths: pixels per character of the title, and what the last column gets on top.
constexpr int kPixelsPerTitleCharacter = 10;
constexpr int kLastColumnExtra = 300;

const UINT kIndicators[] = {ID_SEPARATOR};

UINT g_pollPeriodMs = kDefaultPollPeriodMs;

CString ColumnEntry(int column)
{
    CString entry;
    entry.Format(kColumnEntry, column);
    return entry;
}

} // namespace

UINT CDlgEventLog::SetPollPeriod(UINT periodMs)
{
    const UINT previous = g_pollPeriodMs;
    g_pollPeriodMs = periodMs;
    return previous;
}

CDlgEventLog::CDlgEventLog(CWnd* pParent) : MyCDialogEx(IDD_EVENT_LOG, pParent)
{
    if (const CMainDoc* doc = FindMainDocument())
        m_address = doc->project.eth0IPaddr;
    m_client.SetHostAddress(m_address);
    m_bConnected = true;
    if (!m_client.TestConnection()) {
        AfxMessageBox(kModuleNotRespondingText);
        m_bConnected = false;
    }
}

BOOL CDlgEventLog::OnInitDialog()
{
    MyCDialogEx::OnInitDialog();
    SetIcon(::LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(kApplicationIcon)), TRUE);
    CMenu menu;
    if (menu.LoadMenu(IDR_EVENT_LOG_MENU) && SetMenu(&menu))
        menu.Detach(); // the window owns its menu now

    CRect client;
    GetClientRect(&client);
    m_list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SHOWSELALWAYS | LVS_EDITLABELS, client, this, 0);
    CreateBars(FALSE, TRUE, kIndicators, static_cast<int>(std::size(kIndicators)), 0, kToolBarStyle);
    InitColumns();
    m_list.SetEmptyListText("");
    RepositionBars(AFX_IDW_CONTROLBAR_FIRST, AFX_IDW_CONTROLBAR_LAST, 0);
    FetchEventLog();
    return TRUE;
}

void CDlgEventLog::InitColumns()
{
    m_list.SetDefaultRowTrait(std::make_unique<CRowTraitXP>());
    m_list.InsertHiddenLabelColumn();
    CWinApp* app = AfxGetApp();
    for (int column = 0; column < m_rows.GetColumnCount(); ++column) {
        const CString title = m_rows.GetColumnTitle(column);
        int width = kPixelsPerTitleCharacter * title.GetLength();
        if (column == m_rows.GetColumnCount() - 1)
            width += kLastColumnExtra;
        width = static_cast<int>(app->GetProfileInt(kSettingsSection, ColumnEntry(column), width));
        // List column c + 1 shows sub-item c + 1, where FillEventList puts the row's text c.
        m_list.InsertColumnTrait(column + 1, title, LVCFMT_LEFT, width, column + 1);
    }
}

void CDlgEventLog::FetchEventLog()
{
    CString reply;
    if (!m_client.RequestEventLog(reply)) {
        KillTimer(kPollTimerId);
        m_nPollTimer = 0;
        AfxMessageBox(kConnectionFailed);
        SendMessage(WM_CLOSE);
        return;
    }
    // A reply without the event-log element leaves the list as it is.
    std::vector<EventLogEntry> entries;
    if (!ParseEventLogReply(reply, entries))
        return;
    FillEventList(entries);
}

void CDlgEventLog::FillEventList(const std::vector<EventLogEntry>& entries)
{
    m_list.DeleteAllItems();
    for (const EventLogEntry& entry : entries) {
        m_rows.Assign({MakeEventRow(entry)});
        const CString cells[EventRow::kColumnCount] = {m_rows.GetCell(0, 0), m_rows.GetCell(0, 1),
                                                       m_rows.GetCell(0, 2), m_rows.GetCell(0, 3),
                                                       m_rows.GetCell(0, 4)};
        m_list.InsertRowTexts(-1, EventRow::kColumnCount + 1, cells[0], cells[0], cells[1], cells[2], cells[3],
                              cells[4]);
    }
}

void CDlgEventLog::OnStartPolling()
{
    m_nPollTimer = SetTimer(kPollTimerId, g_pollPeriodMs);
    if (m_nPollTimer == 0)
        ShowProductMessage(kTimerFailed, MB_OK | MB_ICONEXCLAMATION, m_hWnd);
}

void CDlgEventLog::OnStopPolling()
{
    KillTimer(kPollTimerId);
    m_nPollTimer = 0;
}

void CDlgEventLog::OnUpdateStartPolling(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_nPollTimer == 0);
}

void CDlgEventLog::OnUpdateStopPolling(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_nPollTimer != 0);
}

void CDlgEventLog::OnTimer(UINT_PTR nIDEvent)
{
    if (m_nPollTimer != 0 && nIDEvent == m_nPollTimer) {
        // A failed fetch closes the dialog.
        FetchEventLog();
        if (m_hWnd == nullptr)
            return;
    }
    MyCDialogEx::OnTimer(nIDEvent);
}

void CDlgEventLog::OnClose()
{
    KillTimer(kPollTimerId);
    m_nPollTimer = 0;
    CWinApp* app = AfxGetApp();
    for (int column = 0; column < m_rows.GetColumnCount(); ++column)
        app->WriteProfileInt(kSettingsSection, ColumnEntry(column), m_list.GetColumnWidth(column + 1));
    MyCDialogEx::OnClose();
}

void CDlgEventLog::OnSize(UINT nType, int cx, int cy)
{
    if (m_list.m_hWnd != nullptr)
        m_list.MoveWindow(0, 0, cx, cy - kStatusStrip);
    MyCDialogEx::OnSize(nType, cx, cy);
}

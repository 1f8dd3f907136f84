#include "ostrel/app/quorrel_dlg.h"

#include "common/com_support.h"
#include "framework/filedialog.h"
#include "framework/gdi.h"
#include "framework/msgbox.h"
#include "framework/winapp.h"
#include "ostrel/app/ostrel_dialogs.h"
#include "ostrel/app/res/resource.h"
#include "ostrel/monitor/diagnostic_tcp_client.h"
#include "ostrel/monitor/monitor_limits.h"

#include <shellapi.h>

#include <algorithm>
#include <ctime>

const char kInvalidAddressText[] = "Invalid IP Address, please input again!\n";
const char kAlreadyRunningText[] = "Ostrel is already running at this computer!";
const char kModuleMissingText[] = "VQN does not exist on %s\n";
const char kUploadFailedText[] = "Can not upload VQN %s configuration file!\n";
const char kFirmwareErrorText[] = "VQN %s firmware may has some error!\n";
const char kUpdateFailedText[] = "Update value failed, please check network!\n";
const char kWriteFailedText[] = "Write value failed, please check network!\n";
const char kInvalidValueText[] = "Invalid value, please input again!\n";
const char kEventLogFailedText[] = "Can not get EventLog from %s\n";
const char kSaveConfigFailedText[] = "Save current configure file failed!\n";

BEGIN_MESSAGE_MAP(CQuorrelDlg, CDialog)
    ON_WM_SYSCOMMAND()
    ON_WM_TIMER()
    ON_WM_SIZE()
    ON_WM_GETMINMAXINFO()
    ON_WM_DESTROY()
    ON_WM_CLOSE()
    ON_COMMAND(ID_FILE_OPEN_MODULE, &CQuorrelDlg::OnOpenModule)
    ON_COMMAND(ID_FILE_EXPORT_CSV, &CQuorrelDlg::OnExportCsv)
    ON_COMMAND(ID_FILE_SAVE_CONFIG, &CQuorrelDlg::OnSaveConfig)
    ON_COMMAND(ID_FILE_PRINT_GRID, &CQuorrelDlg::OnPrint)
    ON_COMMAND(ID_APP_EXIT_DIALOG, &CQuorrelDlg::OnExit)
    ON_COMMAND(ID_MONITOR_ONLINE, &CQuorrelDlg::OnOnlineMonitor)
    ON_COMMAND(ID_MONITOR_STOP, &CQuorrelDlg::OnStopMonitor)
    ON_COMMAND(ID_MONITOR_TOGGLE, &CQuorrelDlg::OnToggleMonitor)
    ON_COMMAND(ID_MONITOR_UPDATE_RATE, &CQuorrelDlg::OnSetUpdateRate)
    ON_COMMAND(ID_MODULE_EVENTLOG, &CQuorrelDlg::OnEventLog)
    ON_COMMAND(ID_MODULE_STATUS, &CQuorrelDlg::OnStatus)
    ON_COMMAND(ID_HELP_ABOUT, &CQuorrelDlg::OnAbout)
    ON_NOTIFY(LVN_BEGINLABELEDIT, IDC_GRID, &CQuorrelDlg::OnGridBeginEdit)
    ON_NOTIFY(LVN_ENDLABELEDIT, IDC_GRID, &CQuorrelDlg::OnGridEndEdit)
END_MESSAGE_MAP()

namespace {

const char kSettingsSection[] = "VQN";
const char kDefaultAddressEntry[] = "DefaultIPAddress";
const char kDefaultAddress[] = "192.168.0.250";
const char kLayoutSection[] = "Layout";
const char kColumnWidthEntry[] = "ColumnWidth%d";
const char kInstanceLockName[] = "RurOzid_%s";
const char kTitle[] = "Ostrel - %s";
const char kLastUpdateFormat[] = "Last update: %Y-%m-%d %X";
const char kLoadingText[] = "Loading...";
const char kEventLogFile[] = "EventLogCache.txt";
const char kRunningDriversFile[] = "RunningDrivers.txt";
const char kCurrentXmlFile[] = "CurrentXML.xml";
const char kSavedText[] = " Saved!";
const char kCsvExtension[] = "csv";
const char kCsvFilter[] = "CSV Files (*.csv)|*.csv|";

const char* const kColumnHeaders[kTagColumnCount] = {"Tag",        "Tag Name", "MB Address", "61850 Path",
                                                      "Data Type", "Value",    "Comment"};
// Widths of the columns until the user sizes them (the number column's is fixed at 20).
const int kColumnWidths[kTagColumnCount] = {20, 170, 80, 190, 100, 110, 120};
// The window rectangle until one is stored.
const RECT kDefaultWindowRect = {0, 0, 494, 395};
const char* const kWindowRectEntries[] = {"left", "top", "right", "bottom"};

// Toolbar images: Print, monitoring running, monitoring stopped.
constexpr int kToolImageSize = 32;
constexpr int kPrintImage = 0;
constexpr int kRunningImage = 1;
constexpr int kStoppedImage = 2;
constexpr COLORREF kToolImageMask = RGB(255, 0, 255);
// Space between the grid and the "Last update" line, and around the line.
constexpr int kStatusPadding = 4;

CString Formatted(LPCSTR format, const CString& address)
{
    CString text;
    text.Format(format, (LPCSTR)address);
    return text;
}

} // namespace

CQuorrelDlg::CQuorrelDlg(const std::vector<CString>& arguments, CWnd* pParent)
    : CDialog(IDD_OSTREL_DIALOG, pParent), m_arguments(arguments),
      m_hIcon(::LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDR_MAINFRAME))), m_nUpdateRate(kDefaultUpdateRate)
{
}

CQuorrelDlg::~CQuorrelDlg()
{
    if (m_hWnd != nullptr)
        DestroyWindow();
    TagDatabase& database = TagDatabase::GetInstance();
    if (database.GetTable() == &m_table)
        database.SetTable(nullptr);
}

void CQuorrelDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_GRID, m_grid);
}

BOOL CQuorrelDlg::OnInitDialog()
{
    CDialog::OnInitDialog();

    if (CMenu* pSystemMenu = GetSystemMenu(FALSE)) {
        CString about;
        about.LoadString(IDS_ABOUTBOX);
        pSystemMenu->AppendMenu(MF_SEPARATOR);
        pSystemMenu->AppendMenu(MF_STRING, IDM_ABOUTBOX, about);
    }
    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);
    m_menu.LoadMenu(IDR_MENU);
    SetMenu(&m_menu);
    CreateToolBar();
    SetUpGrid();

    CString address;
    if (!ChooseStartAddress(address)) {
        m_bEnded = true;
        EndDialog(IDCANCEL);
        return FALSE;
    }
    if (!TakeInstanceLock(address, m_instanceLock))
        return EndStart(kAlreadyRunningText);
    m_address = address;
    TagDatabase::GetInstance().SetTable(&m_table);

    int loaded = kMonitorFailure;
    try {
        DoingDlg loading(this, kLoadingText);
        CWaitCursor wait;
        if (CDiagnosticClient::GetInstance()->IsReachable(address) == 1)
            loaded = TagDatabase::GetInstance().LoadConfiguration();
    } catch (const ComError&) {
        return EndStart(Formatted(kModuleMissingText, address));
    }
    if (loaded != kMonitorSuccess)
        return EndStart(Formatted(kUploadFailedText, address));
    FitRowNumbers();

    AfxGetApp()->WriteProfileString(kSettingsSection, kDefaultAddressEntry, address);
    CRect window;
    GetWindowRect(&window);
    m_minimumSize = window.Size();
    try {
        RefreshVisibleRows();
    } catch (int) {
        // The first refresh shows nothing new: monitoring tells of a module that went away.
    }
    ShowTitle();
    CRect stored;
    LONG* sides[] = {&stored.left, &stored.top, &stored.right, &stored.bottom};
    const LONG defaults[] = {kDefaultWindowRect.left, kDefaultWindowRect.top, kDefaultWindowRect.right,
                             kDefaultWindowRect.bottom};
    for (int i = 0; i < 4; ++i)
        *sides[i] = static_cast<int>(AfxGetApp()->GetProfileInt(kLayoutSection, kWindowRectEntries[i], defaults[i]));
    if (stored.Width() > 0 && stored.Height() > 0)
        MoveWindow(&stored);
    m_bStarted = true;
    return TRUE;
}

BOOL CQuorrelDlg::EndStart(const CString& text)
{
    AfxMessageBox(text);
    m_bEnded = true;
    EndDialog(IDCANCEL);
    return FALSE;
}

bool CQuorrelDlg::ChooseStartAddress(CString& address)
{
    bool fromCommandLine = m_arguments.size() == 1;
    address = fromCommandLine ? m_arguments[0]
                              : AfxGetApp()->GetProfileString(kSettingsSection, kDefaultAddressEntry, kDefaultAddress);
    for (;;) {
        if (!fromCommandLine && !AskForAddress(address))
            return false;
        fromCommandLine = false;
        if (IsDottedIpAddress(address))
            return true;
        AfxMessageBox(kInvalidAddressText);
    }
}

bool CQuorrelDlg::TakeInstanceLock(const CString& address, ScopedHandle& lock) const
{
    HANDLE mutex = ::CreateMutexA(nullptr, TRUE, Formatted(kInstanceLockName, address));
    const bool exists = ::GetLastError() == ERROR_ALREADY_EXISTS;
    if (mutex == nullptr)
        return false;
    if (exists) {
        ::CloseHandle(mutex);
        return false;
    }
    lock.Attach(mutex);
    return true;
}

bool CQuorrelDlg::AskForAddress(CString& address)
{
    IPAddressDlg dialog(address, this);
    if (dialog.DoModal() != IDOK)
        return false;
    address = dialog.m_address;
    return true;
}

bool CQuorrelDlg::AskForUpdateRate(int& rate)
{
    UpdateRateDlg dialog(rate, this);
    if (dialog.DoModal() != IDOK)
        return false;
    rate = dialog.m_rate;
    return true;
}

void CQuorrelDlg::OpenFile(const CString& path)
{
    ::ShellExecuteA(m_hWnd, "open", path, nullptr, nullptr, SW_SHOWNORMAL);
}

void CQuorrelDlg::CreateToolBar()
{
    if (!m_toolBar.Create(WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | CCS_TOP | CCS_NODIVIDER, CRect(0, 0, 0, 0), this,
                          IDR_TOOLBAR))
        return;
    m_toolImages.Create(IDR_TOOLBAR, kToolImageSize, 0, kToolImageMask);
    m_toolBar.SetBitmapSize(CSize(kToolImageSize, kToolImageSize));
    m_toolBar.SetImageList(&m_toolImages);
    const TBBUTTON buttons[] = {
        {kPrintImage, ID_FILE_PRINT_GRID, TBSTATE_ENABLED, BTNS_BUTTON, {}, 0, 0},
        {0, 0, TBSTATE_ENABLED, BTNS_SEP, {}, 0, 0},
        {kStoppedImage, ID_MONITOR_TOGGLE, TBSTATE_ENABLED, BTNS_BUTTON, {}, 0, 0},
    };
    m_toolBar.AddButtons(static_cast<int>(std::size(buttons)), buttons);
    m_toolBar.AutoSize();

    if (CWnd* pStatus = GetDlgItem(IDC_LAST_UPDATE)) {
        CRect status;
        pStatus->GetWindowRect(&status);
        m_nStatusHeight = status.Height() + 2 * kStatusPadding;
    }
    // The controls move below the toolbar and the window grows by its height.
    CRect bar;
    m_toolBar.GetWindowRect(&bar);
    const int height = bar.Height();
    for (CWnd* pChild = GetWindow(GW_CHILD); pChild != nullptr; pChild = pChild->GetWindow(GW_HWNDNEXT)) {
        if (pChild->m_hWnd == m_toolBar.m_hWnd)
            continue;
        CRect rect;
        pChild->GetWindowRect(&rect);
        ScreenToClient(&rect);
        rect.OffsetRect(0, height);
        pChild->MoveWindow(&rect, FALSE);
    }
    CRect window;
    GetWindowRect(&window);
    window.bottom += height;
    MoveWindow(&window, FALSE);
}

void CQuorrelDlg::LayOut(int cx, int cy)
{
    if (m_toolBar.m_hWnd == nullptr || m_grid.m_hWnd == nullptr)
        return;
    m_toolBar.AutoSize();
    CRect bar;
    m_toolBar.GetWindowRect(&bar);
    const int top = bar.Height();
    const int gridBottom = std::max(top, cy - m_nStatusHeight);
    m_grid.MoveWindow(0, top, cx, gridBottom - top);
    if (CWnd* pStatus = GetDlgItem(IDC_LAST_UPDATE))
        pStatus->MoveWindow(kStatusPadding, gridBottom + kStatusPadding, std::max(0, cx - 2 * kStatusPadding),
                            std::max(0, m_nStatusHeight - 2 * kStatusPadding));
}

void CQuorrelDlg::SetUpGrid()
{
    m_grid.DeleteAllItems();
    m_grid.SetEditable(TRUE);
    m_grid.SetColumnCount(kTagColumnCount);
    m_grid.SetRowCount(1);
    m_grid.SetFixedRowCount(1);
    m_grid.SetFixedColumnCount(1);
    CWinApp* pApp = AfxGetApp();
    for (int column = 0; column < kTagColumnCount; ++column) {
        m_grid.SetItemText(0, column, kColumnHeaders[column]);
        m_grid.SetColumnWidth(column, kColumnWidths[column]);
        CString entry;
        entry.Format(kColumnWidthEntry, column);
        const int stored = static_cast<int>(pApp->GetProfileInt(kLayoutSection, entry, -1));
        if (stored >= 0)
            m_grid.SetColumnWidth(column, stored);
    }
}

void CQuorrelDlg::FitRowNumbers()
{
    const int width = m_grid.GetColumnWidth(kColumnNumber);
    if (width == 0)
        return;
    m_grid.AutoSizeColumn(kColumnNumber);
    m_grid.SetColumnWidth(kColumnNumber, std::max(width, m_grid.GetColumnWidth(kColumnNumber)));
}

void CQuorrelDlg::ShowTitle()
{
    SetWindowText(Formatted(kTitle, m_address));
}

void CQuorrelDlg::RefreshVisibleRows()
{
    const int last = m_grid.GetRowCount() - 1;
    if (last < 1)
        return;
    const int top = std::max(1, m_grid.GetTopleftNonFixedCell().row);
    CRect client;
    m_grid.GetClientRect(&client);
    const int rowHeight = std::max(1, m_grid.GetDefaultCell(FALSE, FALSE)->GetHeight());
    const int visible = client.Height() / rowHeight + 1;
    TagDatabase::GetInstance().RefreshRows(std::max(1, top - visible), std::min(last, top + 2 * visible));
}

void CQuorrelDlg::OnRefreshTimer()
{
    try {
        RefreshVisibleRows();
        m_nFailures = 0;
    } catch (int) {
        if (++m_nFailures >= kFailedRefreshesToStop) {
            OnStopMonitor();
            AfxMessageBox(kUpdateFailedText);
        }
    }
    m_grid.Invalidate();
    char text[64] = {};
    const time_t now = time(nullptr);
    strftime(text, sizeof text, kLastUpdateFormat, localtime(&now));
    m_lastUpdate = text;
    SetDlgItemText(IDC_LAST_UPDATE, m_lastUpdate);
}

void CQuorrelDlg::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == kRefreshTimerId && !m_bStopped)
        OnRefreshTimer();
    else
        CDialog::OnTimer(nIDEvent);
}

void CQuorrelDlg::ShowMonitoring(bool monitoring)
{
    m_bStopped = !monitoring;
    m_menu.EnableMenuItem(ID_MONITOR_STOP, monitoring ? MF_ENABLED : MF_GRAYED);
    m_menu.EnableMenuItem(ID_MONITOR_ONLINE, monitoring ? MF_GRAYED : MF_ENABLED);
    m_menu.EnableMenuItem(ID_FILE_EXPORT_CSV, monitoring ? MF_GRAYED : MF_ENABLED);
    if (m_toolBar.m_hWnd != nullptr)
        m_toolBar.ChangeBitmap(ID_MONITOR_TOGGLE, monitoring ? kRunningImage : kStoppedImage);
}

void CQuorrelDlg::OnOnlineMonitor()
{
    SetTimer(kRefreshTimerId, static_cast<UINT>(m_nUpdateRate) * 1000, nullptr);
    m_nFailures = 0;
    ShowMonitoring(true);
}

void CQuorrelDlg::OnStopMonitor()
{
    KillTimer(kRefreshTimerId);
    ShowMonitoring(false);
}

void CQuorrelDlg::OnToggleMonitor()
{
    if (m_bStopped)
        OnOnlineMonitor();
    else
        OnStopMonitor();
}

void CQuorrelDlg::OnSetUpdateRate()
{
    int rate = m_nUpdateRate;
    if (!AskForUpdateRate(rate))
        return;
    m_nUpdateRate = std::min(kMaxUpdateRate, std::max(kMinUpdateRate, rate));
    if (!m_bStopped)
        SetTimer(kRefreshTimerId, static_cast<UINT>(m_nUpdateRate) * 1000, nullptr);
}

// Delete, Cut and a dragged move empty no cell: a value nobody typed is never written to the module.
void CQuorrelDlg::OnGridBeginEdit(NMHDR*, LRESULT* pResult)
{
    *pResult = m_grid.IsClearingCells() ? -1 : 0;
}

void CQuorrelDlg::OnGridEndEdit(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    const auto* pNotify = reinterpret_cast<const MonitorGridNotify*>(pNMHDR);
    if (pNotify->iColumn != kColumnValue)
        return;
    Tag* pTag = m_table.GetTagCell(pNotify->iRow);
    if (pTag == nullptr)
        return;
    const int result = pTag->WriteValue(m_grid.GetItemText(pNotify->iRow, kColumnValue),
                                        *CDiagnosticClient::GetInstance());
    if (result == kMonitorSuccess)
        return;
    // The grid puts the text back as it was.
    *pResult = -1;
    AfxMessageBox(result == kMonitorInvalidValue ? kInvalidValueText : kWriteFailedText);
}

// The new module is asked through a client of its own: the program's client,
// the grid and the refresh go on with the old one until the new module's
// configuration has come, so a failed or cancelled Open changes nothing.
void CQuorrelDlg::OnOpenModule()
{
    CString address = m_address;
    for (;;) {
        if (!AskForAddress(address))
            return;
        if (!IsDottedIpAddress(address)) {
            AfxMessageBox(kInvalidAddressText);
            continue;
        }
        ScopedHandle lock;
        if (address != m_address && !TakeInstanceLock(address, lock)) {
            AfxMessageBox(kAlreadyRunningText);
            continue;
        }
        DomDocumentPtr configuration;
        int loaded = kMonitorFailure;
        {
            CDiagnosticTcpClient probe;
            if (probe.IsReachable(address) != 1) {
                AfxMessageBox(Formatted(kModuleMissingText, address));
                continue;
            }
            try {
                CWaitCursor wait;
                loaded = probe.UploadConfig(configuration);
            } catch (const ComError&) {
                loaded = kMonitorFailure;
            }
        }
        // The program's client turns to the new module only once it answers there too.
        if (loaded == kMonitorSuccess && CDiagnosticClient::GetInstance()->IsReachable(address) != 1) {
            CDiagnosticClient::GetInstance()->IsReachable(m_address);
            loaded = kMonitorFailure;
        }
        if (loaded != kMonitorSuccess) {
            AfxMessageBox(Formatted(kFirmwareErrorText, address));
            continue;
        }
        SetUpGrid();
        TagDatabase::GetInstance().SetTable(&m_table);
        try {
            TagDatabase::GetInstance().ShowConfiguration(configuration, address);
        } catch (const ComError&) {
            // The rows read so far stay; the configuration file is not kept.
        }
        FitRowNumbers();
        m_grid.Refresh();
        AfxGetApp()->WriteProfileString(kSettingsSection, kDefaultAddressEntry, address);
        if (lock)
            m_instanceLock = std::move(lock);
        m_address = address;
        ShowTitle();
        try {
            RefreshVisibleRows();
        } catch (int) {
            // Monitoring tells of a module that went away.
        }
        return;
    }
}

void CQuorrelDlg::OnExportCsv()
{
    CFileDialog dialog(FALSE, kCsvExtension, nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, kCsvFilter, this);
    if (dialog.DoModal() != IDOK)
        return;
    TagDatabase::GetInstance().ExportCsv(dialog.GetPathName());
}

void CQuorrelDlg::OnSaveConfig()
{
    const CString target = "current-" + m_address + ".xml";
    if (::CopyFileA(kCurrentXmlFile, target, FALSE))
        AfxMessageBox(target + kSavedText);
    else
        AfxMessageBox(kSaveConfigFailedText);
}

void CQuorrelDlg::OnPrint()
{
    m_grid.Print();
}

void CQuorrelDlg::OnExit()
{
    EndDialog(IDCANCEL);
}

void CQuorrelDlg::OnClose()
{
    EndDialog(IDCANCEL);
}

void CQuorrelDlg::OnEventLog()
{
    const CString file = GetProgramFolder() + "\\" + kEventLogFile;
    if (TagDatabase::GetInstance().WriteEventLog(file) != kMonitorSuccess) {
        AfxMessageBox(Formatted(kEventLogFailedText, m_address));
        return;
    }
    OpenFile(file);
}

void CQuorrelDlg::OnStatus()
{
    const CString file = GetProgramFolder() + "\\" + kRunningDriversFile;
    if (TagDatabase::GetInstance().WriteRunningDrivers(file) != kMonitorSuccess) {
        AfxMessageBox(Formatted(kModuleMissingText, m_address));
        return;
    }
    OpenFile(file);
}

void CQuorrelDlg::OnAbout()
{
    CAboutDlg dialog(this);
    dialog.DoModal();
}

void CQuorrelDlg::OnSysCommand(UINT nID, LPARAM lParam)
{
    if ((nID & 0xFFF0) == IDM_ABOUTBOX)
        OnAbout();
    else
        CDialog::OnSysCommand(nID, lParam);
}

void CQuorrelDlg::OnSize(UINT nType, int cx, int cy)
{
    CDialog::OnSize(nType, cx, cy);
    if (nType != SIZE_MINIMIZED)
        LayOut(cx, cy);
}

void CQuorrelDlg::OnGetMinMaxInfo(MINMAXINFO* lpMMI)
{
    if (m_minimumSize.cx > 0) {
        lpMMI->ptMinTrackSize.x = m_minimumSize.cx;
        lpMMI->ptMinTrackSize.y = m_minimumSize.cy;
    }
    CDialog::OnGetMinMaxInfo(lpMMI);
}

void CQuorrelDlg::OnDestroy()
{
    KillTimer(kRefreshTimerId);
    // The module is free for another instance once this window goes.
    m_instanceLock.Reset();
    if (m_bStarted) {
        CWinApp* pApp = AfxGetApp();
        CRect window;
        GetWindowRect(&window);
        const LONG sides[] = {window.left, window.top, window.right, window.bottom};
        for (int i = 0; i < 4; ++i)
            pApp->WriteProfileInt(kLayoutSection, kWindowRectEntries[i], sides[i]);
        for (int column = 0; column < kTagColumnCount; ++column) {
            CString entry;
            entry.Format(kColumnWidthEntry, column);
            pApp->WriteProfileInt(kLayoutSection, entry,
                                  column < m_grid.GetColumnCount() ? m_grid.GetColumnWidth(column) : -1);
        }
    }
    CDialog::OnDestroy();
}

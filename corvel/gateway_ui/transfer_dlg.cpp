#include "corvel/gateway_ui/transfer_dlg.h"

#include "corvel/controls/product_message.h"
#include "corvel/controls/ret_controls.h"

#include "corvel/document/main_doc.h"
#include "corvel/resources/resource.h"
#include "corvel/gateway/ip_settings_check.h"
#include "corvel/gateway/vqn_diagnostics.h"
#include "common/com_support.h"
#include "corvel/project/kor_exceptions.h"
#include "corvel/project/path_utils.h"
#include "toolkit/common/browse_dialog.h"

#include <exception>

IMPLEMENT_DYNAMIC(CDlgTransferFile, MyCDialogEx)

BEGIN_MESSAGE_MAP(CDlgTransferFile, MyCDialogEx)
    ON_BN_CLICKED(IDC_TRANSFER_TEST_CONNECTION, &CDlgTransferFile::OnTestConnection)
    ON_BN_CLICKED(IDC_TRANSFER_START, &CDlgTransferFile::OnTransfer)
    ON_BN_CLICKED(IDC_TRANSFER_VALIDATE, &CDlgTransferFile::OnValidateIpSettings)
    ON_WM_TIMER()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

namespace {

const char kUploadCaption[] = "Upload";
const char kFolderTitle[] = "Select the folder to place the uploaded project";
const char kConfigurationName[] = "current.xml";
const char kConfigurationFileName[] = "Current.xml";
const char kUploadedFileName[] = "\\Current.cfg";
const char kUploadSclFolder[] = "\\SCLFiles\\";

const char kTesting[] = "Testing connection ...";
const char kConnected[] = "Successfully Connected";
const char kUploadConnectionError[] = "Error: Uploading. Please check the connection.";
const char kDownloadConnectionError[] = "Error: Downloading. Please check the connection.";
const char kUploading[] = "Uploading...";
const char kUploadJumper[] = "Upload failed. Is the hardware 'jumper' in place?";
const char kNoUploadFolder[] = "Error: Cannot create upload subdirectory";
const char kNoUploadedFile[] = "Error: Open uploaded Configuration";
const char kUploadCompleted[] = "  Upload completed";
const char kDownloadJumper[] = "ERROR: Is the hardware 'jumper' in place?";
const char kDownloading[] = "Downloading...";
const char kDownloadFailed[] = "Error: Download Configuration";
const char kRebootFailed[] = "Error: Rebooting the device";
const char kRebooting[] = "Rebooting...";
const char kDownloaded[] = "Successfully Downloaded";
const char kDownloadedWithWarnings[] = "Downloaded with warnings: the module's configuration is incomplete";
const char kNotSaved[] = "Error: The project was not saved. Nothing was sent.";
const char kDownloadStopped[] = "Download stopped. Nothing was sent.";
const char kWarningsQuestion[] =
    "The configuration was written with warnings:\n\n%s\n"
    "An Upload cannot restore the project from an incomplete configuration. Download it anyway?";
const char kNoAnswerAfterReboot[] = "Error: Getting response after reboot the module.";
const char kValidationComplete[] = "Validation Process Complete!";
const char kErrorPrefix[] = "Error: ";

// The upload's mode number of the project document.
constexpr int kUploadOpenKind = 5;
// Ranges of the progress bar.
constexpr int kUploadSteps = 10;
constexpr int kDownloadSteps = 60;
// The web service's connection test waits this long at most.
constexpr int kConnectionTestWaitMs = 5000;
// The reconnection counter's last value that still waits (the 26th tick gives up).
constexpr int32_t kLastReconnectWait = 24;

TransferTiming g_timing = DefaultTransferTiming();

} // namespace

TransferTiming DefaultTransferTiming()
{
    return TransferTiming{1000, 5000, 600000, 10000, 1500};
}

TransferTiming CDlgTransferFile::SetTiming(const TransferTiming& timing)
{
    const TransferTiming previous = g_timing;
    g_timing = timing;
    return previous;
}

CDlgTransferFile::CDlgTransferFile(CWnd* pParent) : MyCDialogEx(IDD_TRANSFER_FILE, pParent)
{
    m_webClient.SetTimeout(g_timing.configurationTimeoutMs);
}

void CDlgTransferFile::DoDataExchange(CDataExchange* pDX)
{
    MyCDialogEx::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_TRANSFER_IP_ADDRESS, m_ipAddress);
    DDX_Control(pDX, IDC_TRANSFER_STATUS, m_statusEdit);
    DDX_Control(pDX, IDC_TRANSFER_START, m_transferButton);
    DDX_Control(pDX, IDC_TRANSFER_PROGRESS, m_progress);
}

BOOL CDlgTransferFile::OnInitDialog()
{
    MyCDialogEx::OnInitDialog();
    if (m_bUpload) {
        m_transferButton.SetWindowText(kUploadCaption);
        GetDlgItem(IDC_TRANSFER_VALIDATE)->EnableWindow(FALSE);
    }
    if (CMainDoc* doc = FindMainDocument()) {
        m_strModuleAddress = doc->project.eth0IPaddr;
        m_strGatewayAddress = doc->project.eth0IPaddr;
    }
    ShowAddress(m_strModuleAddress);
    return TRUE;
}

CString CDlgTransferFile::ReadAddressControl() const
{
    return ReadAddressText(m_ipAddress);
}

void CDlgTransferFile::ShowAddress(const CString& address)
{
    ShowAddressText(m_ipAddress, address);
}

void CDlgTransferFile::SetStatusText(const CString& text)
{
    m_statusEdit.SetWindowText(text);
    m_statusEdit.UpdateWindow();
}

CString CDlgTransferFile::GetStatusText() const
{
    CString text;
    m_statusEdit.GetWindowText(text);
    return text;
}

void CDlgTransferFile::EnableButtons()
{
    GetDlgItem(IDC_TRANSFER_TEST_CONNECTION)->EnableWindow(TRUE);
    GetDlgItem(IDC_TRANSFER_START)->EnableWindow(TRUE);
    if (!m_bUpload)
        GetDlgItem(IDC_TRANSFER_VALIDATE)->EnableWindow(TRUE);
}

bool CDlgTransferFile::TestConnection(const CString& address, bool show)
{
    if (show)
        SetStatusText(kTesting);
    bool connected = false;
    try {
        CVQNDiagnostics diagnostics(address);
        connected = diagnostics.TestConnection();
    } catch (CException* e) {
        char reason[512] = {};
        e->GetErrorMessage(reason, sizeof reason);
        e->Delete();
        EnableButtons();
        AfxMessageBox(CString(kErrorPrefix) + reason);
        return false;
    }
    EnableButtons();
    if (show) {
        CString failure;
        failure.LoadString(IDS_CONNECT_MODULE_ERROR);
        SetStatusText(connected ? CString(kConnected) : failure);
    }
    return connected;
}

int CDlgTransferFile::CheckProduct()
{
    CVQNDiagnostics diagnostics(m_strModuleAddress);
    CString reply;
    if (!diagnostics.SendRequest(kProductInfoRequest, reply, kProductInfoEndMarker))
        return kNoProduct;
    return ProductKindOfReply(reply);
}

void CDlgTransferFile::StopTimers()
{
    if (m_progressTimer != 0)
        KillTimer(m_progressTimer);
    m_progressTimer = 0;
    int lower = 0;
    int upper = 0;
    m_progress.GetRange(lower, upper);
    m_progress.SetPos(upper);
    if (m_reconnectTimer != 0)
        KillTimer(m_reconnectTimer);
    m_reconnectTimer = 0;
    // Every button comes back, so that a failed transfer can be tried again.
    EnableButtons();
}

void CDlgTransferFile::OnTestConnection()
{
    GetDlgItem(IDC_TRANSFER_TEST_CONNECTION)->EnableWindow(FALSE);
    GetDlgItem(IDC_TRANSFER_START)->EnableWindow(FALSE);
    GetDlgItem(IDC_TRANSFER_VALIDATE)->EnableWindow(FALSE);
    m_strModuleAddress = ReadAddressControl();
    TestConnection(m_strModuleAddress, true);
}

void CDlgTransferFile::OnTransfer()
{
    CMainDoc* doc = FindMainDocument();
    if (doc == nullptr)
        return;
    SetStatusText("");
    m_strModuleAddress = ReadAddressControl();
    if (!TestConnection(m_strModuleAddress, true)) {
        SetStatusText(m_bUpload ? kUploadConnectionError : kDownloadConnectionError);
        return;
    }
    m_progressTimer = SetTimer(kProgressTimerId, g_timing.progressTickMs);
    m_progress.SetPos(0);
    m_progress.SetStep(1);
    m_transferButton.EnableWindow(FALSE);
    GetDlgItem(IDC_TRANSFER_TEST_CONNECTION)->EnableWindow(FALSE);
    GetDlgItem(IDC_TRANSFER_VALIDATE)->EnableWindow(FALSE);
    if (m_bUpload)
        Upload(*doc);
    else
        Download(*doc);
}

void CDlgTransferFile::Upload(CMainDoc& doc)
{
    CKitBrowseDialog browser(nullptr);
    browser.SetTitle(kFolderTitle);
    if (browser.DoModal() != IDOK) {
        SendMessage(WM_CLOSE);
        return;
    }
    doc.SetOpenKind(kUploadOpenKind);
    const CString folder = browser.GetSelectedPath();
    m_progress.SetRange32(0, kUploadSteps);
    SetStatusText(kUploading);
    m_progress.StepIt();
    m_progress.StepIt();

    m_webClient.SetHost(m_strModuleAddress);
    m_webClient.SetTimeout(g_timing.configurationTimeoutMs);
    if (!m_webClient.TestConnection(kConnectionTestWaitMs)) {
        SetStatusText(kUploadJumper);
        StopTimers();
        return;
    }
    if (!CreateFolder(folder + kUploadSclFolder)) {
        SetStatusText(kNoUploadFolder);
        StopTimers();
        return;
    }
    const CString configuration = folder + kUploadedFileName;
    // A failed read leaves the file there as it was.
    const CString readError = m_webClient.ReadConfig(configuration);
    m_progress.StepIt();
    // A read that failed (error status, dropped connection, no module) opens nothing.
    if (!readError.IsEmpty() || !FileExists(configuration)) {
        SetStatusText(readError.IsEmpty() ? CString(kNoUploadedFile) : readError);
        StopTimers();
        return;
    }
    if (!doc.OpenFileByType(configuration, FALSE)) {
        SetStatusText(kNoUploadedFile);
        StopTimers();
        return;
    }
    m_progress.StepIt();
    StopTimers();
    SetStatusText(kUploadCompleted);
    m_bSucceeded = true;
    ::Sleep(g_timing.uploadCloseDelayMs);
    SendMessage(WM_CLOSE);
}

bool CDlgTransferFile::WriteConfiguration(CMainDoc& doc, const CString& path, std::vector<CString>& warnings)
{
    Corvel::Gateway::DeviceConfigResult result;
    CString failure;
    if (doc.TryWriteDeviceConfig(path, result, failure)) {
        warnings = std::move(result.warnings);
        return true;
    }
    SetStatusText(failure);
    return false;
}

bool CDlgTransferFile::ConfirmWarnings(const std::vector<CString>& warnings)
{
    CString list;
    for (const CString& warning : warnings)
        list += warning + "\n";
    CString question;
    question.Format(kWarningsQuestion, (LPCSTR)list);
    return ShowProductMessage(question, MB_YESNO | MB_ICONWARNING, m_hWnd) == IDYES;
}

void CDlgTransferFile::Download(CMainDoc& doc)
{
    m_bIncomplete = false;
    // A project that is not saved would not match what the module gets.
    if (!doc.SaveProject()) {
        SetStatusText(kNotSaved);
        StopTimers();
        return;
    }
    const int product = CheckProduct();
    if (product == kNoProduct) {
        SetStatusText(kDownloadJumper);
        StopTimers();
        return;
    }
    m_progress.SetRange32(0, kDownloadSteps);
    SetStatusText(kDownloading);
    m_progress.StepIt();

    const CString configuration = GetProgramFolder() + "\\" + kConfigurationFileName;
    std::vector<CString> warnings;
    if (!WriteConfiguration(doc, configuration, warnings)) {
        StopTimers();
        return;
    }
    // What the configuration leaves out is shown before anything is sent; the user may stop.
    if (!warnings.empty()) {
        if (!ConfirmWarnings(warnings)) {
            SetStatusText(kDownloadStopped);
            StopTimers();
            return;
        }
        m_bIncomplete = true;
    }
    m_progress.StepIt();

    m_webClient.SetHost(m_strModuleAddress);
    m_webClient.SetTimeout(g_timing.configurationTimeoutMs);
    if (product == kSecondModel)
        m_webClient.InitSaveConfig(static_cast<int>(g_timing.configurationTimeoutMs));
    if (!m_webClient.SaveFile(configuration, kConfigurationName)) {
        StopTimers();
        SetStatusText(kDownloadFailed);
        return;
    }
    m_progress.StepIt();
    m_webClient.SetTimeout(g_timing.rebootTimeoutMs);
    // The module may reboot before it answers: the wait for it starts either way.
    if (!m_webClient.Shutdown()) {
        SetStatusText(kRebootFailed);
        StopTimers();
    }
    m_reconnectTimer = SetTimer(kReconnectTimerId, g_timing.reconnectTickMs);
    m_reconnectCount = 0;
    SetStatusText(kRebooting);
}

void CDlgTransferFile::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == kProgressTimerId) {
        m_progress.StepIt();
    } else if (nIDEvent == kReconnectTimerId && m_reconnectTimer != 0) {
        m_progress.StepIt();
        // After the reboot the module answers at the address the configuration gave it.
        const bool answered = TestConnection(m_strGatewayAddress, false);
        if (answered) {
            SetStatusText(m_bIncomplete ? kDownloadedWithWarnings : kDownloaded);
            ShowAddress(m_strGatewayAddress);
            StopTimers();
            m_bSucceeded = true;
        } else if (m_reconnectCount > kLastReconnectWait) {
            SetStatusText(kNoAnswerAfterReboot);
            StopTimers();
        }
        ++m_reconnectCount;
    }
    MyCDialogEx::OnTimer(nIDEvent);
}

void CDlgTransferFile::OnValidateIpSettings()
{
    CMainDoc* doc = FindMainDocument();
    if (doc == nullptr)
        return;
    const CString finding = Corvel::Gateway::CheckIpSettings(doc->project);
    if (finding.IsEmpty())
        ShowProductMessage(kValidationComplete, MB_OK | MB_ICONINFORMATION, m_hWnd);
    else
        ShowProductMessage(finding, MB_OK | MB_ICONERROR, m_hWnd);
}

void CDlgTransferFile::OnDestroy()
{
    MyCDialogEx::OnDestroy();
    // OK only after a transfer that succeeded: the caller then has nothing more to open.
    EndDialog(m_bSucceeded ? IDOK : IDCANCEL);
}

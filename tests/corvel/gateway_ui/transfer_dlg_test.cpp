// The transfer dialog created from its resource over the running Corvel, against the module simulator.
#include "corvel/gateway_ui/transfer_dlg.h"

#include "corvel/document/main_doc.h"
#include "corvel/resources/resource.h"
#include "corvel/gateway/module_limits.h"
#include "corvel/gateway/vqn_diagnostics.h"
#include "corvel/project/file_crc.h"
#include "corvel/project/path_utils.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../app/corvel_app_environment.h"
#include "support/message_box_recorder.h"
#include "support/minimal_scl.h"
#include "support/module_simulator.h"
#include "support/paths.h"
#include "support/scripted_browse_dialog.h"
#include "support/scripted_file_dialog.h"
#include "support/temp_folder.h"
#include "support/window_screenshot.h"

namespace {

using Corvel::Records::kSlotInUse;

// Timers and limits short enough for tests; the steps stay the product's.
const TransferTiming kTestTiming = {20, 100, 5000, 3000, 0};
const ExchangeTiming kTestExchange = {1000, 1, 10};

const char kDownloaded[] = "Successfully Downloaded";
const char kRebooting[] = "Rebooting...";

// The dialog with its reconnection ticks counted, and a transfer that starts as soon as it opens.
class ObservedTransferDlg : public CDlgTransferFile {
public:
    BOOL OnInitDialog() override
    {
        CDlgTransferFile::OnInitDialog();
        if (startAtOnce)
            PostMessage(WM_COMMAND, MAKEWPARAM(IDC_TRANSFER_START, BN_CLICKED),
                        reinterpret_cast<LPARAM>(GetDlgItem(IDC_TRANSFER_START)->m_hWnd));
        return TRUE;
    }
    afx_msg void OnTimer(UINT_PTR nIDEvent)
    {
        if (nIDEvent == kReconnectTimerId)
            ++reconnectTicks;
        CDlgTransferFile::OnTimer(nIDEvent);
    }

    bool startAtOnce = false;
    int reconnectTicks = 0;

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ObservedTransferDlg, CDlgTransferFile)
    ON_WM_TIMER()
END_MESSAGE_MAP()

class TransferDialog : public ModuleSimulatorTest {
protected:
    void SetUp() override
    {
        ModuleSimulatorTest::SetUp();
        previousTiming = CDlgTransferFile::SetTiming(kTestTiming);
        previousExchange = CVQNDiagnostics::SetExchangeTiming(kTestExchange);
        doc = CorvelAppEnvironment::Doc();
        ASSERT_NE(nullptr, doc);
        doc->modified = false;
        doc->OnFileNew();
        doc->SetProjectName("Plant");
        doc->SetProjectPath(projectFolder.File("Plant.prj"));
        doc->project.eth0IPaddr = ModuleAddress();
        doc->project.eth0IPmask = "255.255.255.0";
        configurationPath = GetProgramFolder() + "\\Current.xml";
        DeleteFileAtPath(configurationPath);
    }
    void TearDown() override
    {
        if (dialog.m_hWnd != nullptr)
            dialog.DestroyWindow();
        PumpMessages();
        doc->modified = false;
        doc->OnFileNew();
        CDlgTransferFile::SetTiming(previousTiming);
        CVQNDiagnostics::SetExchangeTiming(previousExchange);
    }

    void Open(bool upload)
    {
        dialog.SetUpload(upload);
        ASSERT_TRUE(dialog.Create(IDD_TRANSFER_FILE, CorvelAppEnvironment::Frame()));
        dialog.ShowWindow(SW_SHOWNA);
        PumpMessages();
    }
    void Click(int id)
    {
        dialog.SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                           reinterpret_cast<LPARAM>(dialog.GetDlgItem(id)->m_hWnd));
    }
    CString Status() const { return dialog.GetStatusText(); }
    // Runs the dialog's messages until the status line shows text or the time is up.
    bool WaitForStatus(LPCSTR text, DWORD limitMs = 15000)
    {
        const DWORD start = ::GetTickCount();
        while (Status() != text && ::GetTickCount() - start < limitMs) {
            PumpMessages();
            ::Sleep(5);
        }
        return Status() == text;
    }
    bool IsEnabled(int id) { return dialog.GetDlgItem(id)->IsWindowEnabled() != FALSE; }

    // Puts the IED of the first slot in use at address.
    CMainDoc::_IED_DEVICE* PlaceIed(LPCSTR name, LPCSTR address)
    {
        CMainDoc::_IED_DEVICE* ied = doc->project.iedDevices.GetAt(doc->project.iedDevices.FindIndex(0));
        ied->state = kSlotInUse;
        ied->name = name;
        ied->label = name;
        ied->IPaddr = address;
        return ied;
    }

    CMainDoc* doc = nullptr;
    ObservedTransferDlg dialog;
    TempFolder projectFolder;
    CString configurationPath;
    TransferTiming previousTiming{};
    ExchangeTiming previousExchange{};
};

bool Contains(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

TEST_F(TransferDialog, OpensWithTheProjectsAddressInItsMode)
{
    Open(true);
    CString caption;
    dialog.GetWindowText(caption);
    EXPECT_EQ(CString("Transfer File"), caption);
    CString button;
    dialog.GetDlgItemText(IDC_TRANSFER_START, button);
    EXPECT_EQ(CString("Upload"), button);
    EXPECT_FALSE(IsEnabled(IDC_TRANSFER_VALIDATE));
    BYTE field[4] = {};
    CIPAddressCtrl* address = static_cast<CIPAddressCtrl*>(dialog.GetDlgItem(IDC_TRANSFER_IP_ADDRESS));
    address->GetAddress(field[0], field[1], field[2], field[3]);
    CString shown;
    shown.Format("%u.%u.%u.%u", field[0], field[1], field[2], field[3]);
    EXPECT_EQ(ModuleAddress(), shown);

    Click(IDC_TRANSFER_TEST_CONNECTION);
    EXPECT_EQ(CString("Successfully Connected"), Status());
}

TEST_F(TransferDialog, DownloadsToTheSecondModelRebootsItAndWaitsForIt)
{
    Open(false);
    Click(IDC_TRANSFER_START);
    EXPECT_EQ(CString(kRebooting), Status());
    EXPECT_FALSE(IsEnabled(IDC_TRANSFER_TEST_CONNECTION));
    ASSERT_TRUE(WaitForStatus(kDownloaded)) << Status();
    EXPECT_TRUE(IsEnabled(IDC_TRANSFER_START));
    EXPECT_TRUE(IsEnabled(IDC_TRANSFER_TEST_CONNECTION));
    EXPECT_TRUE(IsEnabled(IDC_TRANSFER_VALIDATE));
    EXPECT_TRUE(FileExists(projectFolder.File("Plant.prj"))) << "the project is saved first";

    ASSERT_TRUE(FileExists(configurationPath));
    const std::string written = ReadBinaryFile(configurationPath);
    EXPECT_EQ(written, Simulator().Config("current.xml"));

    const std::vector<SimulatorRecord> records = Simulator().Records();
    ASSERT_GE(records.size(), 5u);
    CString saveConfig;
    saveConfig.Format("POST /services/nph-ws?trn=saveconfig&configfile=current.xml&CRC16=%04X ",
                      ComputeFileCrc16(configurationPath));
    struct Expected {
        const char* service;
        std::string part;
    };
    const Expected expected[] = {
        {"tcp", "trn=testconnection"},
        {"tcp", kProductInfoRequest},
        {"http", "GET /services/nph-ws?trn=initsaveconfig "},
        {"http", std::string(saveConfig)},
        {"http", "GET /services/nph-ws?trn=shutdown "},
    };
    for (size_t i = 0; i < std::size(expected); ++i) {
        EXPECT_EQ(expected[i].service, records[i].service) << "record " << i;
        EXPECT_TRUE(Contains(records[i].bytes, expected[i].part)) << "record " << i << ": " << records[i].bytes;
    }
    EXPECT_TRUE(Contains(records[3].bytes, "\r\n\r\n" + written)) << "the body is the file";

    EXPECT_EQ("", SaveWindowScreenshot(dialog.m_hWnd, "transfer"));
}

TEST_F(TransferDialog, TheFirstModelGetsNoInitSaveConfig)
{
    Simulator().SetProduct("VQN31-EIP-61850");
    Open(false);
    Click(IDC_TRANSFER_START);
    ASSERT_TRUE(WaitForStatus(kDownloaded)) << Status();
    int saves = 0;
    for (const std::string& request : Simulator().Requests("http")) {
        EXPECT_FALSE(Contains(request, "trn=initsaveconfig"));
        saves += Contains(request, "trn=saveconfig") ? 1 : 0;
    }
    EXPECT_EQ(1, saves);
}

TEST_F(TransferDialog, AModuleWithoutProductInformationStopsBeforeTheConfigurationIsWritten)
{
    Simulator().SetTcpReply(kProductInfoRequest, "");
    Open(false);
    Click(IDC_TRANSFER_START);
    EXPECT_EQ(CString("ERROR: Is the hardware 'jumper' in place?"), Status());
    EXPECT_FALSE(FileExists(configurationPath));
    EXPECT_TRUE(FileExists(projectFolder.File("Plant.prj")));
    EXPECT_TRUE(IsEnabled(IDC_TRANSFER_START));
    EXPECT_TRUE(IsEnabled(IDC_TRANSFER_TEST_CONNECTION)) << "a failed download can be tried again";
    EXPECT_TRUE(IsEnabled(IDC_TRANSFER_VALIDATE));
    EXPECT_TRUE(Simulator().Requests("http").empty());
}

TEST_F(TransferDialog, AModuleThatNeverComesBackIsGivenUpOnTheTwentySixthTick)
{
    Simulator().Fail("module", "noreboot");
    Open(false);
    Click(IDC_TRANSFER_START);
    EXPECT_EQ(CString(kRebooting), Status());
    ASSERT_TRUE(WaitForStatus("Error: Getting response after reboot the module.")) << Status();
    EXPECT_EQ(26, dialog.reconnectTicks);
    EXPECT_TRUE(IsEnabled(IDC_TRANSFER_START));
    // The reconnection timer is gone: no further tick.
    const DWORD start = ::GetTickCount();
    while (::GetTickCount() - start < 3 * kTestTiming.reconnectTickMs)
        PumpMessages();
    EXPECT_EQ(26, dialog.reconnectTicks);
}

TEST_F(TransferDialog, AWriterFailureIsReportedAndNothingIsSent)
{
    // A folder where the configuration file belongs: the writer cannot replace it.
    ASSERT_TRUE(CreateFolder(configurationPath));
    Open(false);
    Click(IDC_TRANSFER_START);
    const CString status = Status();
    ::RemoveDirectoryA(configurationPath);
    EXPECT_EQ(0, status.Find("Error: ")) << status;
    EXPECT_TRUE(IsEnabled(IDC_TRANSFER_START));
    EXPECT_TRUE(IsEnabled(IDC_TRANSFER_TEST_CONNECTION));
    EXPECT_TRUE(Simulator().Requests("http").empty());
    EXPECT_EQ(CString(ModuleAddress()), doc->project.eth0IPaddr);
}

TEST_F(TransferDialog, ARejectedConfigurationIsReported)
{
    Simulator().Fail("http", "crc");
    Open(false);
    Click(IDC_TRANSFER_START);
    EXPECT_EQ(CString("Error: Download Configuration"), Status());
    EXPECT_TRUE(IsEnabled(IDC_TRANSFER_START));
    EXPECT_TRUE(IsEnabled(IDC_TRANSFER_TEST_CONNECTION));
}

TEST_F(TransferDialog, ASilentWebServiceHoldsTheDialogNoLongerThanItsLimit)
{
    TransferTiming timing = kTestTiming;
    timing.configurationTimeoutMs = 1000;
    CDlgTransferFile::SetTiming(timing);
    Simulator().SetProduct("VQN31-EIP-61850");
    Simulator().Fail("http", "silent");
    Open(false);
    const DWORD start = ::GetTickCount();
    Click(IDC_TRANSFER_START);
    const DWORD elapsed = ::GetTickCount() - start;
    EXPECT_EQ(CString("Error: Download Configuration"), Status());
    // The send limit, then at most the bounded wait for the send worker to end.
    EXPECT_LT(elapsed, timing.configurationTimeoutMs + kSendWorkerEndWaitMs + 1000);
    EXPECT_TRUE(IsEnabled(IDC_TRANSFER_START));
}

// An SCL file of the project that cannot be read is left out of the configuration: the user sees which
// before anything is sent. "No" sends nothing; "Yes" sends it, and the end does not claim full success.
TEST_F(TransferDialog, AConfigurationWithFilesLeftOutIsSentOnlyWhenTheUserAgrees)
{
    const CString missing = projectFolder.File("gone.scd");
    auto* file = new Corvel::Records::_ICD_FILES;
    file->fileName = "gone.scd";
    file->filePath = missing;
    doc->project.sclFiles.AddTail(file);
    MessageBoxRecorder boxes;
    for (const int answer : {IDNO, IDYES}) {
        SCOPED_TRACE(answer == IDNO ? "No" : "Yes");
        const size_t before = boxes.Count();
        boxes.QueueAnswer(answer);
        if (dialog.m_hWnd == nullptr)
            Open(false);
        Click(IDC_TRANSFER_START);
        ASSERT_EQ(before + 1, boxes.Count());
        EXPECT_NE(-1, boxes.Last().text.Find("Error: File '" + missing + "' could not be read. It is not embedded."))
            << boxes.Last().text;
        EXPECT_EQ(UINT(MB_YESNO), boxes.Last().type & MB_TYPEMASK);
        if (answer == IDNO) {
            EXPECT_EQ(CString("Download stopped. Nothing was sent."), Status());
            EXPECT_TRUE(Simulator().Requests("http").empty());
            EXPECT_TRUE(IsEnabled(IDC_TRANSFER_START));
        } else {
            ASSERT_TRUE(WaitForStatus("Downloaded with warnings: the module's configuration is incomplete")) << Status();
            EXPECT_FALSE(Simulator().Config("current.xml").empty());
        }
    }
}

// A save that fails (here: the project's folder is gone) stops the download before anything is sent.
TEST_F(TransferDialog, ADownloadWhoseSaveFailsSendsNothing)
{
    doc->SetProjectPath(projectFolder.File("gone\\Plant.prj"));
    MessageBoxRecorder boxes;
    // The writer offers another file name; the user cancels.
    ScriptedFileDialog noOtherName({}, IDCANCEL);
    Open(false);
    Click(IDC_TRANSFER_START);
    EXPECT_LE(1u, boxes.Count());
    EXPECT_EQ(CString("Error: The project was not saved. Nothing was sent."), Status());
    EXPECT_FALSE(FileExists(configurationPath));
    EXPECT_TRUE(Simulator().Requests("http").empty());
    EXPECT_EQ(1u, Simulator().Requests("tcp").size()) << "only the connection test";
    EXPECT_TRUE(IsEnabled(IDC_TRANSFER_START));
}

TEST_F(TransferDialog, AnUnreachableModuleStopsTheTransferBeforeItStarts)
{
    Simulator().Fail("tcp", "refuse");
    Open(false);
    Click(IDC_TRANSFER_START);
    EXPECT_EQ(CString("Error: Downloading. Please check the connection."), Status());
}

struct ValidationCase {
    const char* name;
    const char* mask;
    const char* iedAddress;
    const char* plcPortAddress;
    const char* plcAddress;
    const char* message;
};

TEST_F(TransferDialog, ValidationReportsTheFirstFinding)
{
    const ValidationCase cases[] = {
        {"clean", "255.255.255.0", "192.168.0.10", "10.1.1.1", "10.1.1.2", "Validation Process Complete!"},
        {"same IED address", "255.255.255.0", "192.168.0.250", "10.1.1.1", "10.1.1.2",
         " The Gateway and IED BAY1 have the same IP address"},
        {"other network", "255.255.255.0", "10.0.0.5", "10.1.1.1", "10.1.1.2",
         " The Gateway and IED BAY1 are not on the same network"},
        {"zero mask", "0.0.0.0", "192.168.0.10", "10.1.1.1", "10.1.1.2", "A subnet of  '0.0.0.0' is not allowed."},
        {"same PLC address", "255.255.255.0", "192.168.0.10", "10.1.1.1", "10.1.1.1",
         " The Gateway and PLC PLC1 have the same IP address"},
        {"PLC at the default address", "255.255.255.0", "192.168.0.10", "192.168.0.250", "192.168.0.250",
         "Validation Process Complete!"},
    };
    Open(false);
    for (const ValidationCase& c : cases) {
        doc->project.eth0IPaddr = "192.168.0.250";
        doc->project.eth0IPmask = c.mask;
        doc->project.port61850 = 1;
        doc->project.portPLC = 2;
        doc->project.eth1IPaddr = c.plcPortAddress;
        doc->project.eth1IPmask = "255.255.255.0";
        PlaceIed("BAY1", c.iedAddress);
        CMainDoc::CPLC_Device* plc = doc->project.plcDevices.GetAt(doc->project.plcDevices.FindIndex(0));
        plc->state = kSlotInUse;
        plc->name = "PLC1";
        plc->IPAddr = c.plcAddress;
        MessageBoxRecorder boxes;
        Click(IDC_TRANSFER_VALIDATE);
        ASSERT_EQ(1u, boxes.Count()) << c.name;
        EXPECT_EQ(CString(c.message), boxes.Last().text) << c.name;
        EXPECT_EQ(CString("Korvane EIP-Tarnwell"), boxes.Last().caption) << c.name;
    }
}

// A configuration of a project with the IED BAY1, made by the program's own writer.
std::string MakeConfiguration(CMainDoc* doc, const TempFolder& folder)
{
    const CString sclFolder = folder.File("SCLFiles");
    CreateFolder(sclFolder);
    const CString sclPath = sclFolder + "\\bay1.icd";
    WriteBinaryFile(sclPath, MinimalSclFile("BAY1"));
    doc->project.sclFiles.AddTail(new CMainDoc::_ICD_FILES{"bay1.icd", sclPath, ""});
    CMainDoc::_IED_DEVICE* ied = doc->project.iedDevices.GetAt(doc->project.iedDevices.FindIndex(0));
    ied->state = kSlotInUse;
    ied->name = "BAY1";
    ied->label = "BAY1";
    ied->CIDFile = sclPath;
    doc->SetProjectName("Source");
    doc->SetProjectPath(folder.File("Source.prj"));
    EXPECT_TRUE(doc->SaveProject());
    int tags = 0;
    doc->WriteDeviceConfig(folder.File("source.cfg"), tags);
    const std::string bytes = ReadBinaryFile(folder.File("source.cfg"));
    doc->modified = false;
    doc->OnFileNew();
    return bytes;
}

bool HasIed(CMainDoc* doc, LPCSTR name)
{
    for (POSITION pos = doc->project.iedDevices.GetHeadPosition(); pos != nullptr;) {
        const CMainDoc::_IED_DEVICE* ied = doc->project.iedDevices.GetNext(pos);
        if (ied->state == kSlotInUse && ied->name == name)
            return true;
    }
    return false;
}

TEST_F(TransferDialog, UploadOpensTheModulesConfigurationAsTheProjectAndEndsWithOk)
{
    TempFolder source;
    Simulator().SetConfig("current.xml", MakeConfiguration(doc, source));
    doc->project.eth0IPaddr = ModuleAddress();
    TempFolder target;
    ScriptedBrowseDialog browser({target.Path()});
    dialog.startAtOnce = true;
    dialog.SetUpload(true);
    EXPECT_EQ(IDOK, dialog.DoModal());
    ASSERT_EQ(1u, browser.Requests().size());
    EXPECT_EQ(CString("Select the folder to place the uploaded project"), browser.Requests()[0].title);
    EXPECT_TRUE(FileExists(target.File("SCLFiles")));
    EXPECT_TRUE(FileExists(target.File("Current.cfg")));
    EXPECT_TRUE(HasIed(doc, "BAY1"));
    EXPECT_TRUE(IsSamePath(target.Path(), GetFolderOfPath(doc->GetProjectPath()))) << doc->GetProjectPath();
    EXPECT_TRUE(FileExists(target.File("SCLFiles\\bay1.icd")));
}

TEST_F(TransferDialog, AFailedUploadOpensNothingAndDoesNotEndWithOk)
{
    struct FailureCase {
        const char* service;
        const char* mode;
        const char* status;
    };
    const FailureCase cases[] = {
        {"http", "close", "Upload failed. Is the hardware 'jumper' in place?"},
        {"http", "404", "Upload failed. Is the hardware 'jumper' in place?"},
        {"http", "refuse", "Upload failed. Is the hardware 'jumper' in place?"},
    };
    for (const FailureCase& c : cases) {
        Simulator().Reset();
        Simulator().Fail(c.service, c.mode);
        TempFolder target;
        ScriptedBrowseDialog browser({target.Path()});
        ObservedTransferDlg upload;
        upload.SetUpload(true);
        ASSERT_TRUE(upload.Create(IDD_TRANSFER_FILE, CorvelAppEnvironment::Frame()));
        upload.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_TRANSFER_START, BN_CLICKED),
                           reinterpret_cast<LPARAM>(upload.GetDlgItem(IDC_TRANSFER_START)->m_hWnd));
        EXPECT_EQ(CString(c.status), upload.GetStatusText()) << c.mode;
        EXPECT_TRUE(upload.GetDlgItem(IDC_TRANSFER_START)->IsWindowEnabled()) << c.mode;
        EXPECT_FALSE(FileExists(target.File("Current.cfg"))) << c.mode;
        EXPECT_EQ(projectFolder.File("Plant.prj"), doc->GetProjectPath()) << c.mode;
        upload.DestroyWindow();
    }
}

TEST_F(TransferDialog, CancellingTheFolderChooserClosesTheDialogAndOpensNothing)
{
    ScriptedBrowseDialog browser({});
    dialog.startAtOnce = true;
    dialog.SetUpload(true);
    EXPECT_EQ(IDCANCEL, dialog.DoModal());
    EXPECT_EQ(1u, browser.Requests().size());
    EXPECT_EQ(projectFolder.File("Plant.prj"), doc->GetProjectPath());
    EXPECT_TRUE(Simulator().Requests("http").empty());
}

} // namespace

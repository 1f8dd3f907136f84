// CDlgTransferFile, TransferTiming: the dialog that downloads the project's configuration to a gateway module or uploads the module's configuration as the project.
#pragma once

#include "corvel/controls/dialog_ex.h"
#include "corvel/gateway/module_web_client.h"

#include <cstdint>
#include <vector>

class CMainDoc;

// The transfer's intervals and limits. Tests shorten them; the program keeps the defaults.
struct TransferTiming {
    // Progress timer and reconnection timer.
    UINT progressTickMs;
    UINT reconnectTickMs;
    // Connect time-out and send limit of the configuration requests and of the reboot request.
    DWORD configurationTimeoutMs;
    DWORD rebootTimeoutMs;
    // How long the final status of an upload shows before the dialog closes.
    DWORD uploadCloseDelayMs;
};
TransferTiming DefaultTransferTiming();

// Dialog 360. In download mode it saves the project, writes "Current.xml"
// beside the program, sends it to the module, reboots the module and waits
// for it to answer again; in upload mode it reads the module's configuration
// into a chosen folder and opens it as the project. The network calls block
// the dialog, each for at most its client's limit.
class CDlgTransferFile : public MyCDialogEx {
    DECLARE_DYNAMIC(CDlgTransferFile)
public:
    // Product kinds of CheckProduct.
    static constexpr int kNoProduct = -1;
    static constexpr int kFirstModel = 1;
    static constexpr int kSecondModel = 2;
    // Timer ids.
    static constexpr UINT_PTR kProgressTimerId = 1;
    static constexpr UINT_PTR kReconnectTimerId = 2;

    explicit CDlgTransferFile(CWnd* pParent = nullptr);

    // The mode: upload (the default) or download; set before the dialog opens.
    void SetUpload(bool upload) { m_bUpload = upload; }
    bool IsUpload() const { return m_bUpload; }

    // Replaces the timing of every transfer that starts afterwards; returns the previous one.
    static TransferTiming SetTiming(const TransferTiming& timing);

    BOOL OnInitDialog() override;

    // Tests the module's TCP text service at address; with show, reports the
    // outcome in the status line. Enables the buttons either way.
    bool TestConnection(const CString& address, bool show);
    // The product kind of the module at the module address: kNoProduct, kFirstModel or kSecondModel.
    int CheckProduct();
    // Shows text in the status line at once.
    void SetStatusText(const CString& text);
    CString GetStatusText() const;
    // Kills both timers, fills the progress bar and enables the buttons.
    void StopTimers();

    afx_msg void OnTestConnection();
    afx_msg void OnTransfer();
    afx_msg void OnValidateIpSettings();
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnDestroy();

protected:
    void DoDataExchange(CDataExchange* pDX) override;

private:
    void Upload(CMainDoc& doc);
    void Download(CMainDoc& doc);
    // Writes the configuration file, giving its warnings; false, with the reason in the status line, when it
    // failed.
    bool WriteConfiguration(CMainDoc& doc, const CString& path, std::vector<CString>& warnings);
    // Shows what the configuration leaves out and asks whether to download it anyway; true for Yes.
    bool ConfirmWarnings(const std::vector<CString>& warnings);
    void EnableButtons();
    CString ReadAddressControl() const;
    void ShowAddress(const CString& address);

    CString m_strModuleAddress;
    CIPAddressCtrl m_ipAddress;
    CModuleWebClient m_webClient;
    CString m_strGatewayAddress;
    CEdit m_statusEdit;
    bool m_bUpload = true;
    CButton m_transferButton;
    CProgressCtrl m_progress;
    UINT_PTR m_progressTimer = 0;
    UINT_PTR m_reconnectTimer = 0;
    int32_t m_reconnectCount = 0;
    // A transfer ended well: the dialog then ends with IDOK.
    bool m_bSucceeded = false;
    // The download sends a configuration written with warnings.
    bool m_bIncomplete = false;

    DECLARE_MESSAGE_MAP()
};

// CBridgeDlg: the gateway module's properties dialog (model, ports, project name, time server, Modbus registers).
#pragma once

#include "corvel/controls/ret_controls.h"
#include "corvel/gateway/gateway_settings.h"

// Runs modally over a copy of the gateway settings; the caller reads `settings` back when the result is OK.
// The dialog never touches the document.
class CBridgeDlg : public CDialog {
    DECLARE_DYNAMIC(CBridgeDlg)
public:
    // Window heights and the top of the bottom row (check box 1045, OK, Cancel), in pixels.
    static constexpr int kTwoPortHeight = 545;
    static constexpr int kOnePortHeight = 425;
    static constexpr int kTwoPortBottomRow = 490;
    static constexpr int kOnePortBottomRow = 370;
    static constexpr int kBottomRowHeight = 20;

    explicit CBridgeDlg(CWnd* pParent = nullptr);

    // The value fields: set before the dialog runs, read after OK.
    Corvel::Gateway::GatewaySettings settings;

    BOOL OnInitDialog() override;
    // Notes Ctrl+Alt on every key-down before the dialog's keyboard handling.
    BOOL PreTranslateMessage(MSG* pMsg) override;
    // Button OK: reads the controls into the fields and checks them; closes with IDOK when nothing is found.
    // Returns whether it closed.
    bool Confirm();
    bool IsRevealArmed() const { return m_reveal != FALSE; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override { Confirm(); }

    afx_msg void OnOnePort();
    afx_msg void OnTwoPorts();
    afx_msg void OnTwoPortsOnOne();
    afx_msg void OnE1Iec61850();
    afx_msg void OnE1EtherNetIp();
    afx_msg void OnE2Iec61850();
    afx_msg void OnE2EtherNetIp();
    afx_msg void OnOptimizeMtcp();
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()

private:
    void RefreshLayout();
    void TwoPortLayout();
    void OnePortLayout();
    // Model radio selection: the radios, protocol boxes, model and ports of its row.
    void SelectModel(int model);
    // The other three protocol boxes after a click on `clicked`.
    void ClickProtocol(UINT clicked);
    void SetHeight(int height);
    void MoveBottomRow(int top);
    void ShowControl(UINT id, bool show);
    void EnableControl(UINT id, bool enable);
    void Check(UINT id, bool ticked);
    bool IsChecked(UINT id) const;
    bool IsShown(UINT id) const;
    CString ReadText(const CEdit& edit) const;

    CBitmap m_twoPortPicture;
    CBitmap m_onePortPicture;
    BOOL m_reveal = FALSE;

    CRetIPAddrCtrl m_e1Address;
    CRetIPAddrCtrl m_e2Address;
    CRetIPAddrCtrl m_e1Mask;
    CRetIPAddrCtrl m_e2Mask;
    CRetIPAddrCtrl m_e1Gateway;
    CRetIPAddrCtrl m_e2Gateway;
    CRetIPAddrCtrl m_ntpAddress;
    CRetEdit m_ntpUpdate;
    CRetEdit m_projectName;
    CRetEdit m_notes;
    CRetEdit m_readStart;
    CRetEdit m_writeStart;
    CRetEdit m_connTimeout;
    CRetEdit m_encapsulatedCount;
    CRetEdit m_mbapCount;
    CRetEdit m_statusStart;
    CRetEdit m_rebootRegister;
};

// CIEDPropsDlg, CGeneral1: the IED properties dialog and its general page.
#pragma once

#include "corvel/controls/page_tab_ctrl.h"
#include "corvel/controls/ret_controls.h"
#include "corvel/model/ied_properties.h"
#include "corvel/mapping/detailed_page.h"

class CMainDoc;

namespace Corvel::Mapping {

// Page 330: name, comment, network settings and MMS timings of the selected IED record.
class CGeneral1 : public CDialog, public CCommitPage {
    DECLARE_DYNAMIC(CGeneral1)
public:
    static constexpr const char* kEditNetworkCaption = "Edit Network Settings";
    static constexpr const char* kCommitNetworkCaption = "Commit Network Settings";

    CGeneral1();
    // The document and the IED record the page edits; set before the page is created.
    void SetDevice(CMainDoc* doc, Corvel::Records::_IED_DEVICE* device);

    BOOL OnInitDialog() override;
    // Writes the controls' values into the record; marks the document changed when any differed.
    void CommitSettings() override;
    // The values the controls hold.
    Corvel::Records::IedGeneralSettings ReadControls() const;
    bool IsEditingNetwork() const { return m_editingNetwork; }

    // Button "Edit Network Settings" / "Commit Network Settings".
    void OnEditNetworkSettings();

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    // Enter and Escape belong to the dialog that holds the page.
    void OnOK() override {}
    void OnCancel() override {}
    DECLARE_MESSAGE_MAP()

private:
    void EnableAddresses(bool enable);

    CMainDoc* m_doc = nullptr;
    Corvel::Records::_IED_DEVICE* m_device = nullptr;
    bool m_editingNetwork = false;
    CEdit m_name;
    CRetIPAddrCtrl m_ipAddress;
    CRetIPAddrCtrl m_subnetMask;
    CRetIPAddrCtrl m_gateway;
    CEdit m_comment;
    CEdit m_mmsScanDelay;
    CEdit m_mmsPing;
    CButton m_editNetwork;
};

// Dialog 329 "61850 Properties": the general and the device-file page over the IED that is current in the network view.
class CIEDPropsDlg : public CDialog {
    DECLARE_DYNAMIC(CIEDPropsDlg)
public:
    explicit CIEDPropsDlg(CWnd* pParent = nullptr);
    // The document and the IED device id; without a call the open document and the current device.
    void SetProject(CMainDoc* doc, int deviceId);

    BOOL OnInitDialog() override;
    // Button OK: checks the MMS timings; when both are in range, commits the general page, repaints the
    // owner and closes with IDOK. Returns whether it closed.
    bool Confirm();

    CMyTabCtrl1& GetTabs() { return m_tabs; }
    CGeneral1& GetGeneralPage() { return m_general; }
    CDetailed& GetDetailedPage() { return m_detailed; }
    Corvel::Records::_IED_DEVICE* GetDevice() const { return m_device; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override { Confirm(); }
    void OnConfirm() { Confirm(); }
    DECLARE_MESSAGE_MAP()

private:
    CMainDoc* m_doc = nullptr;
    Corvel::Records::_IED_DEVICE* m_device = nullptr;
    CMyTabCtrl1 m_tabs;
    CGeneral1 m_general;
    CDetailed m_detailed;
};

} // namespace Corvel::Mapping

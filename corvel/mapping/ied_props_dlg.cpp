#include "corvel/mapping/ied_props_dlg.h"

#include "corvel/document/main_doc.h"
#include "corvel/resources/resource.h"
#include "corvel/document/document_frame.h"
#include "framework/msgbox.h"

namespace Corvel::Mapping {

using Corvel::Records::_IED_DEVICE;
using Corvel::Records::IedGeneralSettings;

namespace {

const char kNetworkWarning[] = "WARNING: Changing the network settings does not change "
                               "those in the associated CID or of the device it describes.";
const char kGeneralPageCaption[] = "General Properties";
const char kDetailedPageCaption[] = "Detailed Properties";

CString WindowText(const CWnd& control)
{
    CString text;
    control.GetWindowText(text);
    return text;
}

} // namespace

IMPLEMENT_DYNAMIC(CGeneral1, CDialog)

BEGIN_MESSAGE_MAP(CGeneral1, CDialog)
    ON_BN_CLICKED(IDC_IED_EDIT_NETWORK, &CGeneral1::OnEditNetworkSettings)
END_MESSAGE_MAP()

CGeneral1::CGeneral1() : CDialog(IDD_IED_GENERAL) {}

void CGeneral1::SetDevice(CMainDoc* doc, _IED_DEVICE* device)
{
    m_doc = doc;
    m_device = device;
}

void CGeneral1::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_IED_NAME, m_name);
    DDX_Control(pDX, IDC_IED_IP_ADDRESS, m_ipAddress);
    DDX_Control(pDX, IDC_IED_SUBNET_MASK, m_subnetMask);
    DDX_Control(pDX, IDC_IED_GATEWAY, m_gateway);
    DDX_Control(pDX, IDC_IED_COMMENT, m_comment);
    DDX_Control(pDX, IDC_IED_MMS_SCAN_DELAY, m_mmsScanDelay);
    DDX_Control(pDX, IDC_IED_MMS_PING, m_mmsPing);
    DDX_Control(pDX, IDC_IED_EDIT_NETWORK, m_editNetwork);
}

BOOL CGeneral1::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_name.SetLimitText(Corvel::Records::kIedNameLimit);
    m_comment.SetLimitText(Corvel::Records::kIedCommentLimit);
    m_mmsScanDelay.SetLimitText(Corvel::Records::kMmsScanDelayDigits);
    m_mmsPing.SetLimitText(Corvel::Records::kMmsPingDigits);
    if (m_device != nullptr) {
        const IedGeneralSettings settings = Corvel::Records::ReadGeneralSettings(*m_device);
        m_name.SetWindowText(settings.name);
        m_ipAddress.SetAddressText(settings.ipAddress);
        m_subnetMask.SetAddressText(settings.subnetMask);
        m_gateway.SetAddressText(settings.gateway);
        m_comment.SetWindowText(settings.comment);
        m_mmsScanDelay.SetWindowText(settings.mmsScanDelay);
        m_mmsPing.SetWindowText(settings.mmsPing);
    }
    EnableAddresses(false);
    return TRUE;
}

void CGeneral1::EnableAddresses(bool enable)
{
    m_ipAddress.EnableWindow(enable);
    m_subnetMask.EnableWindow(enable);
    m_gateway.EnableWindow(enable);
}

IedGeneralSettings CGeneral1::ReadControls() const
{
    IedGeneralSettings settings;
    settings.name = WindowText(m_name);
    settings.ipAddress = m_ipAddress.GetAddressText();
    settings.subnetMask = m_subnetMask.GetAddressText();
    settings.gateway = m_gateway.GetAddressText();
    settings.comment = WindowText(m_comment);
    settings.mmsScanDelay = WindowText(m_mmsScanDelay);
    settings.mmsPing = WindowText(m_mmsPing);
    return settings;
}

void CGeneral1::OnEditNetworkSettings()
{
    if (!m_editingNetwork) {
        AfxMessageBox(kNetworkWarning);
        EnableAddresses(true);
        m_editNetwork.SetWindowText(kCommitNetworkCaption);
        m_editingNetwork = true;
        return;
    }
    EnableAddresses(false);
    m_editNetwork.SetWindowText(kEditNetworkCaption);
    // Changed addresses are in the record now: the project must be saved for them to last.
    if (m_device != nullptr && Corvel::Records::ApplyNetworkSettings(*m_device, ReadControls()) && m_doc != nullptr)
        m_doc->MarkChangedAndUpdateViews();
    m_editingNetwork = false;
}

void CGeneral1::CommitSettings()
{
    if (m_device == nullptr || m_hWnd == nullptr)
        return;
    if (Corvel::Records::ApplyGeneralSettings(*m_device, ReadControls()) && m_doc != nullptr)
        m_doc->MarkChangedAndUpdateViews();
}

IMPLEMENT_DYNAMIC(CIEDPropsDlg, CDialog)

BEGIN_MESSAGE_MAP(CIEDPropsDlg, CDialog)
    ON_BN_CLICKED(IDC_IED_PROPS_OK, &CIEDPropsDlg::OnConfirm)
END_MESSAGE_MAP()

CIEDPropsDlg::CIEDPropsDlg(CWnd* pParent) : CDialog(IDD_IED_PROPERTIES, pParent)
{
    SetProject(FindMainDocument(), CurrentDeviceId());
}

void CIEDPropsDlg::SetProject(CMainDoc* doc, int deviceId)
{
    m_doc = doc;
    m_device = doc != nullptr ? Corvel::Records::FindDevice(doc->project.iedDevices, deviceId) : nullptr;
    m_general.SetDevice(m_doc, m_device);
    m_detailed.SetProject(doc, deviceId);
}

void CIEDPropsDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_IED_PROPS_TAB, m_tabs);
}

BOOL CIEDPropsDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_tabs.AddPage(&m_general, IDD_IED_GENERAL, kGeneralPageCaption);
    m_tabs.AddPage(&m_detailed, IDD_DETAILED, kDetailedPageCaption);
    m_tabs.CreatePages();
    return TRUE;
}

bool CIEDPropsDlg::Confirm()
{
    // Both timings are checked before anything is stored, so a refused value leaves the record as it was.
    const IedGeneralSettings settings = m_general.ReadControls();
    const CString error = Corvel::Records::CheckMmsTimings(settings.mmsScanDelay, settings.mmsPing);
    if (!error.IsEmpty()) {
        AfxMessageBox(error);
        return false;
    }
    m_tabs.CommitGeneralPage();
    if (HWND owner = ::GetWindow(m_hWnd, GW_OWNER))
        ::InvalidateRect(owner, nullptr, TRUE);
    EndDialog(IDOK);
    return true;
}

} // namespace Corvel::Mapping

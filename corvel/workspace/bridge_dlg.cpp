#include "corvel/workspace/bridge_dlg.h"

#include "corvel/resources/resource.h"
#include "corvel/gateway/ip_settings_check.h"
#include "corvel/mapping/modbus_mapper.h"
#include "framework/msgbox.h"

using namespace Corvel::Gateway;

namespace {

const char kDifferentNetworks[] =
    "The IP addresses for Port E1 and Port E2 must be in different networks. Please enter valid IP addresses.";
const char kEtherNetIpCaption[] = "Ethernet/IP";

// The Modbus register group: never shown, its values still loaded, checked when shown and returned.
const UINT kModbusControls[] = {
    IDC_BRIDGE_REGISTERS_GROUP,    IDC_BRIDGE_SERVERS_GROUP,    IDC_BRIDGE_READ_START_LABEL,
    IDC_BRIDGE_WRITE_START_LABEL,  IDC_BRIDGE_STATUS_START_LABEL, IDC_BRIDGE_REBOOT_LABEL,
    IDC_BRIDGE_TIMEOUT_LABEL,      IDC_BRIDGE_MBAP_LABEL,       IDC_BRIDGE_ENCAPSULATED_LABEL,
    IDC_BRIDGE_CONNECTIONS_NOTE,   IDC_BRIDGE_READ_START,       IDC_BRIDGE_WRITE_START,
    IDC_BRIDGE_CONN_TIMEOUT,       IDC_BRIDGE_ENCAPSULATED,     IDC_BRIDGE_MBAP,
    IDC_BRIDGE_STATUS_START,       IDC_BRIDGE_REBOOT_REGISTER,  IDC_BRIDGE_OPTIMIZE_MTCP,
};
// Port E2: its group, address controls and their labels.
const UINT kE2Controls[] = {
    IDC_BRIDGE_E2_GROUP,         IDC_BRIDGE_E2_ADDRESS,    IDC_BRIDGE_E2_MASK,          IDC_BRIDGE_E2_GATEWAY,
    IDC_BRIDGE_E2_ADDRESS_LABEL, IDC_BRIDGE_E2_MASK_LABEL, IDC_BRIDGE_E2_GATEWAY_LABEL,
};
const UINT kBottomRow[] = {IDC_BRIDGE_AUTO_RESTART, IDOK, IDCANCEL};

// The protocol boxes, E1 first; a click sets the other three from the clicked one's new state.
const UINT kProtocolBoxes[] = {IDC_BRIDGE_E1_IEC61850, IDC_BRIDGE_E1_EIP, IDC_BRIDGE_E2_IEC61850,
                               IDC_BRIDGE_E2_EIP};
struct ProtocolClick {
    UINT clicked;
    bool othersWhenTicked[3]; // the other boxes in kProtocolBoxes order
};
const ProtocolClick kProtocolClicks[] = {
    {IDC_BRIDGE_E1_IEC61850, {false, false, true}},
    {IDC_BRIDGE_E1_EIP, {false, true, false}},
    {IDC_BRIDGE_E2_IEC61850, {false, true, false}},
    {IDC_BRIDGE_E2_EIP, {true, false, false}},
};

// A model radio's row: the radio, the four protocol boxes, their enabling and the ports.
struct ModelRow {
    int model;
    UINT radio;
    bool protocols[4];
    bool e1ProtocolsEnabled;
    int port61850;
    int portPLC;
};
const ModelRow kModelRows[] = {
    {kModelOnePort, IDC_BRIDGE_ONE_PORT, {true, true, false, false}, true, 1, 1},
    {kModelTwoPorts, IDC_BRIDGE_TWO_PORTS, {false, true, true, false}, true, 2, 1},
    {kModelTwoPortsOnOne, IDC_BRIDGE_TWO_PORTS_ON_ONE, {true, true, false, false}, false, 1, 1},
};

} // namespace

IMPLEMENT_DYNAMIC(CBridgeDlg, CDialog)

BEGIN_MESSAGE_MAP(CBridgeDlg, CDialog)
    ON_BN_CLICKED(IDC_BRIDGE_ONE_PORT, &CBridgeDlg::OnOnePort)
    ON_BN_CLICKED(IDC_BRIDGE_TWO_PORTS, &CBridgeDlg::OnTwoPorts)
    ON_BN_CLICKED(IDC_BRIDGE_TWO_PORTS_ON_ONE, &CBridgeDlg::OnTwoPortsOnOne)
    ON_BN_CLICKED(IDC_BRIDGE_E1_IEC61850, &CBridgeDlg::OnE1Iec61850)
    ON_BN_CLICKED(IDC_BRIDGE_E1_EIP, &CBridgeDlg::OnE1EtherNetIp)
    ON_BN_CLICKED(IDC_BRIDGE_E2_IEC61850, &CBridgeDlg::OnE2Iec61850)
    ON_BN_CLICKED(IDC_BRIDGE_E2_EIP, &CBridgeDlg::OnE2EtherNetIp)
    ON_BN_CLICKED(IDC_BRIDGE_OPTIMIZE_MTCP, &CBridgeDlg::OnOptimizeMtcp)
    ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

CBridgeDlg::CBridgeDlg(CWnd* pParent) : CDialog(IDD_BRIDGE, pParent) {}

void CBridgeDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_BRIDGE_E1_ADDRESS, m_e1Address);
    DDX_Control(pDX, IDC_BRIDGE_E2_ADDRESS, m_e2Address);
    DDX_Control(pDX, IDC_BRIDGE_E1_MASK, m_e1Mask);
    DDX_Control(pDX, IDC_BRIDGE_E2_MASK, m_e2Mask);
    DDX_Control(pDX, IDC_BRIDGE_E1_GATEWAY, m_e1Gateway);
    DDX_Control(pDX, IDC_BRIDGE_E2_GATEWAY, m_e2Gateway);
    DDX_Control(pDX, IDC_BRIDGE_NTP_ADDRESS, m_ntpAddress);
    DDX_Control(pDX, IDC_BRIDGE_NTP_UPDATE, m_ntpUpdate);
    DDX_Control(pDX, IDC_BRIDGE_PROJECT_NAME, m_projectName);
    DDX_Control(pDX, IDC_BRIDGE_NOTES, m_notes);
    DDX_Control(pDX, IDC_BRIDGE_READ_START, m_readStart);
    DDX_Control(pDX, IDC_BRIDGE_WRITE_START, m_writeStart);
    DDX_Control(pDX, IDC_BRIDGE_CONN_TIMEOUT, m_connTimeout);
    DDX_Control(pDX, IDC_BRIDGE_ENCAPSULATED, m_encapsulatedCount);
    DDX_Control(pDX, IDC_BRIDGE_MBAP, m_mbapCount);
    DDX_Control(pDX, IDC_BRIDGE_STATUS_START, m_statusStart);
    DDX_Control(pDX, IDC_BRIDGE_REBOOT_REGISTER, m_rebootRegister);
}

BOOL CBridgeDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    CenterWindow();
    m_onePortPicture.LoadBitmap(IDB_BRIDGE_ONE_PORT);
    m_twoPortPicture.LoadBitmap(IDB_BRIDGE_TWO_PORTS);

    ApplyGatewayDefaults(settings);
    m_projectName.SetLimitText(kProjectNameLimit);
    m_projectName.SetWindowText(settings.projectName);
    m_notes.SetLimitText(kNotesLimit);
    m_notes.SetWindowText(settings.comment);

    m_e1Address.SetAddressText(settings.e1Address);
    m_e1Mask.SetAddressText(settings.e1Mask);
    m_e1Gateway.SetAddressText(settings.e1Gateway);
    m_e2Address.SetAddressText(settings.e2Address);
    m_e2Mask.SetAddressText(settings.e2Mask);
    m_e2Gateway.SetAddressText(settings.e2Gateway);
    m_ntpAddress.SetAddressText(settings.ntpAddress);

    const struct {
        CRetEdit& edit;
        const CString& value;
        int limit;
    } digitFields[] = {
        {m_ntpUpdate, settings.ntpUpdate, kNtpUpdateDigits},
        {m_readStart, settings.readStart, 0},
        {m_writeStart, settings.writeStart, 0},
        {m_connTimeout, settings.connTimeout, 0},
        {m_encapsulatedCount, settings.encapsulatedCount, kServerCountDigits},
        {m_mbapCount, settings.mbapCount, kServerCountDigits},
        {m_statusStart, settings.statusStart, 0},
        {m_rebootRegister, settings.rebootRegister, 0},
    };
    for (const auto& field : digitFields) {
        if (field.limit > 0)
            field.edit.SetLimitText(static_cast<UINT>(field.limit));
        field.edit.SetDigitsOnly(true);
        field.edit.SetWindowText(field.value);
    }

    const bool eipOnE1 = settings.portPLC == 1;
    Check(IDC_BRIDGE_E1_IEC61850, !eipOnE1);
    Check(IDC_BRIDGE_E2_EIP, !eipOnE1);
    Check(IDC_BRIDGE_E1_EIP, eipOnE1);
    Check(IDC_BRIDGE_E2_IEC61850, eipOnE1);

    if (settings.model == kModelTwoPortsOnOne) {
        SelectModel(kModelTwoPortsOnOne);
    } else {
        Check(IDC_BRIDGE_ONE_PORT, settings.model == kModelOnePort);
        Check(IDC_BRIDGE_TWO_PORTS, settings.model == kModelTwoPorts);
        Check(IDC_BRIDGE_TWO_PORTS_ON_ONE, false);
    }
    Check(IDC_BRIDGE_AUTO_RESTART, settings.autoRestart);
    RefreshLayout();
    return TRUE;
}

BOOL CBridgeDlg::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN)
        m_reveal = ::GetKeyState(VK_CONTROL) < 0 && ::GetKeyState(VK_MENU) < 0;
    return CDialog::PreTranslateMessage(pMsg);
}

void CBridgeDlg::RefreshLayout()
{
    for (UINT id : kModbusControls) {
        ShowControl(id, false);
        EnableControl(id, false);
    }
    SetDlgItemText(IDC_BRIDGE_E1_EIP, kEtherNetIpCaption);
    SetDlgItemText(IDC_BRIDGE_E2_EIP, kEtherNetIpCaption);
    if (settings.model == kModelOnePort) {
        OnePortLayout();
    } else {
        TwoPortLayout();
        const bool e2Editable = settings.model == kModelTwoPorts;
        for (UINT id : {IDC_BRIDGE_E2_IEC61850, IDC_BRIDGE_E2_EIP, IDC_BRIDGE_E2_ADDRESS, IDC_BRIDGE_E2_MASK,
                        IDC_BRIDGE_E2_GATEWAY})
            EnableControl(id, e2Editable);
    }
    ShowControl(IDC_BRIDGE_AUTO_RESTART, m_reveal != FALSE);
    EnableControl(IDC_BRIDGE_AUTO_RESTART, m_reveal != FALSE);
    Invalidate();
}

void CBridgeDlg::TwoPortLayout()
{
    SetHeight(kTwoPortHeight);
    static_cast<CStatic*>(GetDlgItem(IDC_BRIDGE_PICTURE))->SetBitmap(m_twoPortPicture);
    for (UINT id : kE2Controls) {
        ShowControl(id, true);
        EnableControl(id, true);
    }
    if (settings.model != kModelTwoPortsOnOne) {
        EnableControl(IDC_BRIDGE_E1_IEC61850, true);
        EnableControl(IDC_BRIDGE_E1_EIP, true);
    }
    for (UINT id : {IDC_BRIDGE_E2_IEC61850, IDC_BRIDGE_E2_EIP}) {
        ShowControl(id, true);
        EnableControl(id, true);
    }
    MoveBottomRow(kTwoPortBottomRow);
}

void CBridgeDlg::OnePortLayout()
{
    SetHeight(kOnePortHeight);
    static_cast<CStatic*>(GetDlgItem(IDC_BRIDGE_PICTURE))->SetBitmap(m_onePortPicture);
    for (UINT id : kE2Controls) {
        ShowControl(id, false);
        EnableControl(id, false);
    }
    for (UINT id : {IDC_BRIDGE_E1_IEC61850, IDC_BRIDGE_E1_EIP, IDC_BRIDGE_E2_IEC61850})
        EnableControl(id, false);
    ShowControl(IDC_BRIDGE_E2_IEC61850, false);
    ShowControl(IDC_BRIDGE_E2_EIP, false);
    MoveBottomRow(kOnePortBottomRow);
}

void CBridgeDlg::SetHeight(int height)
{
    CRect rect;
    GetWindowRect(&rect);
    SetWindowPos(nullptr, 0, 0, rect.Width(), height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CBridgeDlg::MoveBottomRow(int top)
{
    for (UINT id : kBottomRow) {
        CWnd* control = GetDlgItem(id);
        CRect rect;
        control->GetWindowRect(&rect);
        ScreenToClient(&rect);
        control->MoveWindow(rect.left, top, rect.Width(), kBottomRowHeight);
    }
}

void CBridgeDlg::SelectModel(int model)
{
    for (const ModelRow& row : kModelRows) {
        if (row.model != model)
            continue;
        for (const ModelRow& other : kModelRows)
            Check(other.radio, other.model == model);
        for (int i = 0; i < 4; ++i)
            Check(kProtocolBoxes[i], row.protocols[i]);
        EnableControl(IDC_BRIDGE_E1_IEC61850, row.e1ProtocolsEnabled);
        EnableControl(IDC_BRIDGE_E1_EIP, row.e1ProtocolsEnabled);
        settings.model = row.model;
        settings.port61850 = row.port61850;
        settings.portPLC = row.portPLC;
    }
}

void CBridgeDlg::OnOnePort()
{
    if (IsChecked(IDC_BRIDGE_ONE_PORT) && settings.model != kModelOnePort) {
        SelectModel(kModelOnePort);
        RefreshLayout();
    }
}

void CBridgeDlg::OnTwoPorts()
{
    if (IsChecked(IDC_BRIDGE_TWO_PORTS) && settings.model != kModelTwoPorts) {
        SelectModel(kModelTwoPorts);
        RefreshLayout();
    }
}

void CBridgeDlg::OnTwoPortsOnOne()
{
    if (IsChecked(IDC_BRIDGE_TWO_PORTS_ON_ONE)) {
        SelectModel(kModelTwoPortsOnOne);
        RefreshLayout();
    }
}

void CBridgeDlg::ClickProtocol(UINT clicked)
{
    const bool ticked = IsChecked(clicked);
    for (const ProtocolClick& click : kProtocolClicks) {
        if (click.clicked != clicked)
            continue;
        int other = 0;
        for (UINT id : kProtocolBoxes) {
            if (id != clicked)
                Check(id, click.othersWhenTicked[other++] == ticked);
        }
    }
}

void CBridgeDlg::OnE1Iec61850()
{
    ClickProtocol(IDC_BRIDGE_E1_IEC61850);
}

void CBridgeDlg::OnE1EtherNetIp()
{
    ClickProtocol(IDC_BRIDGE_E1_EIP);
}

void CBridgeDlg::OnE2Iec61850()
{
    ClickProtocol(IDC_BRIDGE_E2_IEC61850);
}

void CBridgeDlg::OnE2EtherNetIp()
{
    ClickProtocol(IDC_BRIDGE_E2_EIP);
}

void CBridgeDlg::OnOptimizeMtcp()
{
    CModbusMapper::OptimizeMtcpCommandMappings() = IsChecked(IDC_BRIDGE_OPTIMIZE_MTCP);
}

void CBridgeDlg::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (m_reveal) {
        const bool show = !IsShown(IDC_BRIDGE_AUTO_RESTART);
        ShowControl(IDC_BRIDGE_AUTO_RESTART, show);
        EnableControl(IDC_BRIDGE_AUTO_RESTART, show);
    }
    CDialog::OnLButtonDown(nFlags, point);
}

bool CBridgeDlg::Confirm()
{
    if (IsChecked(IDC_BRIDGE_ONE_PORT))
        settings.model = kModelOnePort;
    else if (IsChecked(IDC_BRIDGE_TWO_PORTS))
        settings.model = kModelTwoPorts;
    else if (IsChecked(IDC_BRIDGE_TWO_PORTS_ON_ONE))
        settings.model = kModelTwoPortsOnOne;
    // A protocol box of port E2 that is hidden (the one-port model) does not move a protocol to E2.
    settings.port61850 = IsChecked(IDC_BRIDGE_E2_IEC61850) && IsShown(IDC_BRIDGE_E2_IEC61850) ? 2 : 1;
    settings.portPLC = IsChecked(IDC_BRIDGE_E2_EIP) ? 2 : 1;
    settings.autoRestart = IsChecked(IDC_BRIDGE_AUTO_RESTART);
    settings.projectName = ReadText(m_projectName);
    settings.comment = ReadText(m_notes);
    settings.e1Address = m_e1Address.GetAddressText();
    settings.e1Mask = m_e1Mask.GetAddressText();
    settings.e1Gateway = m_e1Gateway.GetAddressText();
    settings.e2Address = m_e2Address.GetAddressText();
    settings.e2Mask = m_e2Mask.GetAddressText();
    settings.e2Gateway = m_e2Gateway.GetAddressText();
    settings.ntpAddress = m_ntpAddress.GetAddressText();
    settings.ntpUpdate = ReadText(m_ntpUpdate);
    settings.readStart = ReadText(m_readStart);
    settings.writeStart = ReadText(m_writeStart);
    settings.connTimeout = ReadText(m_connTimeout);
    settings.encapsulatedCount = ReadText(m_encapsulatedCount);
    settings.mbapCount = ReadText(m_mbapCount);
    settings.statusStart = ReadText(m_statusStart);
    settings.rebootRegister = ReadText(m_rebootRegister);

    GatewayFieldsShown shown;
    shown.e2Mask = IsShown(IDC_BRIDGE_E2_MASK);
    shown.readStart = IsShown(IDC_BRIDGE_READ_START);
    shown.writeStart = IsShown(IDC_BRIDGE_WRITE_START);
    // The server total is checked whether or not its fields are shown.
    shown.serverCounts = true;
    switch (CheckGatewaySettings(settings, shown)) {
    case GatewayFinding::None:
        EndDialog(IDOK);
        return true;
    case GatewayFinding::SameNetwork:
        AfxMessageBox(kDifferentNetworks);
        break;
    case GatewayFinding::ZeroMaskE1:
        AfxMessageBox(kZeroSubnetFinding);
        m_e1Mask.SetFocus();
        break;
    case GatewayFinding::ZeroMaskE2:
        AfxMessageBox(kZeroSubnetFinding);
        m_e2Mask.SetFocus();
        break;
    case GatewayFinding::ReadStartRange:
        AfxMessageBox(IDS_READ_START_RANGE, MB_ICONEXCLAMATION);
        break;
    case GatewayFinding::WriteStartRange:
        AfxMessageBox(IDS_WRITE_START_RANGE, MB_ICONEXCLAMATION);
        break;
    case GatewayFinding::TooManyServers:
        AfxMessageBox(IDS_TOO_MANY_SERVERS, MB_ICONEXCLAMATION);
        break;
    }
    return false;
}

void CBridgeDlg::ShowControl(UINT id, bool show)
{
    GetDlgItem(id)->ShowWindow(show ? SW_SHOW : SW_HIDE);
}

void CBridgeDlg::EnableControl(UINT id, bool enable)
{
    GetDlgItem(id)->EnableWindow(enable);
}

void CBridgeDlg::Check(UINT id, bool ticked)
{
    CheckDlgButton(static_cast<int>(id), ticked ? BST_CHECKED : BST_UNCHECKED);
}

bool CBridgeDlg::IsChecked(UINT id) const
{
    return IsDlgButtonChecked(static_cast<int>(id)) == BST_CHECKED;
}

bool CBridgeDlg::IsShown(UINT id) const
{
    return (GetDlgItem(id)->GetStyle() & WS_VISIBLE) != 0;
}

CString CBridgeDlg::ReadText(const CEdit& edit) const
{
    CString text;
    edit.GetWindowText(text);
    return text;
}

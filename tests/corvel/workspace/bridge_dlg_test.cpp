// The gateway properties dialog, modeless over the running Corvel: the layouts of the models, the radios and
// protocol boxes, the OK check with its texts and focus, the keys of its fields and the hidden restart option;
// its screenshot.
#include "corvel/workspace/bridge_dlg.h"

#include "corvel/resources/resource.h"
#include "corvel/mapping/modbus_mapper.h"

#include <gtest/gtest.h>

#include <memory>

#include "../app/corvel_app_environment.h"
#include "support/message_box_recorder.h"
#include "support/window_screenshot.h"

namespace {

using namespace Corvel::Gateway;

GatewaySettings StoredSettings(int model)
{
    GatewaySettings s;
    s.projectName = "Substation 4";
    s.comment = "Feeder bays";
    s.e1Address = "192.168.0.10";
    s.e1Mask = "255.255.255.0";
    s.e1Gateway = "192.168.0.1";
    s.e2Address = "192.168.1.20";
    s.e2Mask = "255.255.255.0";
    s.e2Gateway = "192.168.1.1";
    s.ntpAddress = "192.168.0.5";
    s.model = model;
    s.port61850 = model == kModelTwoPorts ? 2 : 1;
    s.portPLC = 1;
    ApplyGatewayDefaults(s);
    return s;
}

class BridgeDialogTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        if (dialog && dialog->m_hWnd != nullptr)
            dialog->DestroyWindow();
        dialog.reset();
        PumpMessages();
    }

    void Open(const GatewaySettings& settings)
    {
        if (dialog && dialog->m_hWnd != nullptr)
            dialog->DestroyWindow();
        dialog = std::make_unique<CBridgeDlg>(CorvelAppEnvironment::Frame());
        dialog->settings = settings;
        ASSERT_TRUE(dialog->Create(IDD_BRIDGE, CorvelAppEnvironment::Frame()));
        dialog->ShowWindow(SW_SHOWNA);
        PumpMessages();
    }

    HWND Item(UINT id) const { return ::GetDlgItem(dialog->m_hWnd, static_cast<int>(id)); }
    bool Shown(UINT id) const { return (::GetWindowLongA(Item(id), GWL_STYLE) & WS_VISIBLE) != 0; }
    bool Enabled(UINT id) const { return ::IsWindowEnabled(Item(id)) != FALSE; }
    bool Checked(UINT id) const { return ::IsDlgButtonChecked(dialog->m_hWnd, static_cast<int>(id)) == BST_CHECKED; }
    CString Text(UINT id) const
    {
        char text[512] = {};
        ::GetWindowTextA(Item(id), text, sizeof text);
        return text;
    }
    void SetText(UINT id, const char* text) { ::SetWindowTextA(Item(id), text); }
    void SetAddress(UINT id, const char* address)
    {
        ShowAddressText(*static_cast<CIPAddressCtrl*>(dialog->GetDlgItem(static_cast<int>(id))), address);
    }
    void Click(UINT id)
    {
        ::SendMessageA(Item(id), BM_CLICK, 0, 0);
        PumpMessages();
    }
    int Height() const
    {
        RECT r;
        ::GetWindowRect(dialog->m_hWnd, &r);
        return r.bottom - r.top;
    }
    RECT ClientRect(UINT id) const
    {
        RECT r;
        ::GetWindowRect(Item(id), &r);
        ::MapWindowPoints(nullptr, dialog->m_hWnd, reinterpret_cast<POINT*>(&r), 2);
        return r;
    }
    static void Type(HWND field, const char* text)
    {
        for (const char* ch = text; *ch != '\0'; ++ch)
            ::SendMessageA(field, WM_CHAR, static_cast<WPARAM>(static_cast<unsigned char>(*ch)), 1);
    }
    bool IsOpen() const { return ::IsWindowVisible(dialog->m_hWnd) != FALSE; }

    void ExpectBottomRowAt(int top)
    {
        for (UINT id : {static_cast<UINT>(IDOK), static_cast<UINT>(IDCANCEL),
                        static_cast<UINT>(IDC_BRIDGE_AUTO_RESTART)}) {
            const RECT r = ClientRect(id);
            EXPECT_EQ(top, r.top) << id;
            EXPECT_EQ(CBridgeDlg::kBottomRowHeight, r.bottom - r.top) << id;
        }
    }

    std::unique_ptr<CBridgeDlg> dialog;
};

TEST_F(BridgeDialogTest, TwoPortLayoutShowsBothPorts)
{
    Open(StoredSettings(kModelTwoPorts));
    EXPECT_EQ(CString("Korvane Gateway Configuration"), [&] {
        char caption[100] = {};
        ::GetWindowTextA(dialog->m_hWnd, caption, sizeof caption);
        return CString(caption);
    }());
    EXPECT_EQ(CBridgeDlg::kTwoPortHeight, Height());
    ExpectBottomRowAt(CBridgeDlg::kTwoPortBottomRow);
    EXPECT_TRUE(Checked(IDC_BRIDGE_TWO_PORTS));
    EXPECT_FALSE(Checked(IDC_BRIDGE_ONE_PORT));
    for (UINT id : {IDC_BRIDGE_E2_GROUP, IDC_BRIDGE_E2_ADDRESS, IDC_BRIDGE_E2_MASK, IDC_BRIDGE_E2_GATEWAY,
                    IDC_BRIDGE_E2_ADDRESS_LABEL, IDC_BRIDGE_E2_IEC61850, IDC_BRIDGE_E2_EIP, IDC_BRIDGE_E1_IEC61850,
                    IDC_BRIDGE_E1_EIP}) {
        EXPECT_TRUE(Shown(id)) << id;
        EXPECT_TRUE(Enabled(id)) << id;
    }
    for (UINT id : {IDC_BRIDGE_REGISTERS_GROUP, IDC_BRIDGE_SERVERS_GROUP, IDC_BRIDGE_READ_START,
                    IDC_BRIDGE_WRITE_START, IDC_BRIDGE_MBAP, IDC_BRIDGE_ENCAPSULATED, IDC_BRIDGE_CONNECTIONS_NOTE,
                    IDC_BRIDGE_OPTIMIZE_MTCP, IDC_BRIDGE_AUTO_RESTART})
        EXPECT_FALSE(Shown(id)) << id;
    EXPECT_EQ(CString("Ethernet/IP"), Text(IDC_BRIDGE_E1_EIP));
    EXPECT_EQ(CString("Ethernet/IP"), Text(IDC_BRIDGE_E2_EIP));
    // The EtherNet/IP port is E1: E1 carries EtherNet/IP, E2 IEC 61850.
    EXPECT_TRUE(Checked(IDC_BRIDGE_E1_EIP));
    EXPECT_TRUE(Checked(IDC_BRIDGE_E2_IEC61850));
    EXPECT_FALSE(Checked(IDC_BRIDGE_E1_IEC61850));
    EXPECT_FALSE(Checked(IDC_BRIDGE_E2_EIP));
    EXPECT_EQ(CString("Substation 4"), Text(IDC_BRIDGE_PROJECT_NAME));
    EXPECT_EQ(CString("1001"), Text(IDC_BRIDGE_WRITE_START)) << "hidden fields are still loaded";

    const std::string failure = SaveWindowScreenshot(dialog->m_hWnd, "gateway-properties");
    EXPECT_EQ("", failure);
}

TEST_F(BridgeDialogTest, ModelRadiosSetPortsAndLayout)
{
    Open(StoredSettings(kModelTwoPorts));
    Click(IDC_BRIDGE_ONE_PORT);
    EXPECT_EQ(kModelOnePort, dialog->settings.model);
    EXPECT_EQ(1, dialog->settings.port61850);
    EXPECT_EQ(1, dialog->settings.portPLC);
    EXPECT_EQ(CBridgeDlg::kOnePortHeight, Height());
    ExpectBottomRowAt(CBridgeDlg::kOnePortBottomRow);
    EXPECT_TRUE(Checked(IDC_BRIDGE_E1_IEC61850));
    EXPECT_TRUE(Checked(IDC_BRIDGE_E1_EIP));
    for (UINT id : {IDC_BRIDGE_E2_GROUP, IDC_BRIDGE_E2_ADDRESS, IDC_BRIDGE_E2_MASK_LABEL, IDC_BRIDGE_E2_IEC61850,
                    IDC_BRIDGE_E2_EIP})
        EXPECT_FALSE(Shown(id)) << id;
    EXPECT_FALSE(Enabled(IDC_BRIDGE_E1_IEC61850));
    EXPECT_FALSE(Enabled(IDC_BRIDGE_E1_EIP));

    Click(IDC_BRIDGE_TWO_PORTS);
    EXPECT_EQ(kModelTwoPorts, dialog->settings.model);
    EXPECT_EQ(2, dialog->settings.port61850);
    EXPECT_EQ(1, dialog->settings.portPLC);
    EXPECT_EQ(CBridgeDlg::kTwoPortHeight, Height());
    ExpectBottomRowAt(CBridgeDlg::kTwoPortBottomRow);
    EXPECT_FALSE(Checked(IDC_BRIDGE_E1_IEC61850));
    EXPECT_TRUE(Checked(IDC_BRIDGE_E1_EIP));
    EXPECT_TRUE(Checked(IDC_BRIDGE_E2_IEC61850));
    EXPECT_FALSE(Checked(IDC_BRIDGE_E2_EIP));
    EXPECT_TRUE(Enabled(IDC_BRIDGE_E1_IEC61850));

    Click(IDC_BRIDGE_TWO_PORTS_ON_ONE);
    EXPECT_EQ(kModelTwoPortsOnOne, dialog->settings.model);
    EXPECT_EQ(1, dialog->settings.port61850);
    EXPECT_EQ(CBridgeDlg::kTwoPortHeight, Height());
    EXPECT_TRUE(Shown(IDC_BRIDGE_E2_ADDRESS)) << "port E2 is shown but cannot be edited";
    for (UINT id : {IDC_BRIDGE_E2_ADDRESS, IDC_BRIDGE_E2_MASK, IDC_BRIDGE_E2_GATEWAY, IDC_BRIDGE_E2_IEC61850,
                    IDC_BRIDGE_E2_EIP, IDC_BRIDGE_E1_IEC61850, IDC_BRIDGE_E1_EIP})
        EXPECT_FALSE(Enabled(id)) << id;
    EXPECT_TRUE(Checked(IDC_BRIDGE_E1_IEC61850));
    EXPECT_TRUE(Checked(IDC_BRIDGE_E1_EIP));
    EXPECT_FALSE(Checked(IDC_BRIDGE_E2_IEC61850));

    // A stored model 3 opens as the radio's selection.
    GatewaySettings stored = StoredSettings(kModelTwoPortsOnOne);
    stored.portPLC = 2;
    Open(stored);
    EXPECT_TRUE(Checked(IDC_BRIDGE_TWO_PORTS_ON_ONE));
    EXPECT_FALSE(Enabled(IDC_BRIDGE_E1_IEC61850));
    EXPECT_FALSE(Enabled(IDC_BRIDGE_E2_MASK));
    EXPECT_EQ(1, dialog->settings.portPLC);
}

TEST_F(BridgeDialogTest, PortsAlwaysCarryOppositeProtocols)
{
    struct Case {
        UINT clicked;
        bool e1Iec, e1Eip, e2Iec, e2Eip; // after the click
    };
    // From E1 EtherNet/IP and E2 IEC 61850, each click toggles the clicked box.
    const Case cases[] = {
        {IDC_BRIDGE_E1_IEC61850, true, false, false, true},
        {IDC_BRIDGE_E1_IEC61850, false, true, true, false},
        {IDC_BRIDGE_E2_EIP, true, false, false, true},
        {IDC_BRIDGE_E1_EIP, false, true, true, false},
        {IDC_BRIDGE_E2_IEC61850, true, false, false, true},
        {IDC_BRIDGE_E2_IEC61850, false, true, true, false},
        {IDC_BRIDGE_E1_EIP, true, false, false, true},
        {IDC_BRIDGE_E2_EIP, false, true, true, false},
    };
    Open(StoredSettings(kModelTwoPorts));
    int step = 0;
    for (const Case& c : cases) {
        Click(c.clicked);
        EXPECT_EQ(c.e1Iec, Checked(IDC_BRIDGE_E1_IEC61850)) << "step " << step;
        EXPECT_EQ(c.e1Eip, Checked(IDC_BRIDGE_E1_EIP)) << "step " << step;
        EXPECT_EQ(c.e2Iec, Checked(IDC_BRIDGE_E2_IEC61850)) << "step " << step;
        EXPECT_EQ(c.e2Eip, Checked(IDC_BRIDGE_E2_EIP)) << "step " << step;
        ++step;
    }
    // OK takes the ports from the boxes.
    Click(IDC_BRIDGE_E2_EIP);
    MessageBoxRecorder boxes;
    EXPECT_TRUE(dialog->Confirm());
    EXPECT_EQ(1, dialog->settings.port61850);
    EXPECT_EQ(2, dialog->settings.portPLC);
}

TEST_F(BridgeDialogTest, OkChecksTheValuesWithTheirTexts)
{
    const CString differentNetworks = "The IP addresses for Port E1 and Port E2 must be in different networks. "
                                      "Please enter valid IP addresses.";
    const CString zeroSubnet = "A subnet of  '0.0.0.0' is not allowed.";
    struct Case {
        const char* name;
        int model;
        const char* e2Address;
        const char* e1Mask; // null: left empty
        const char* e2Mask;
        const char* message; // null: accepted
    };
    const Case cases[] = {
        {"same network", kModelTwoPorts, "192.168.0.20", "255.255.255.0", "255.255.255.0", differentNetworks},
        {"different networks", kModelTwoPorts, "192.168.1.20", "255.255.255.0", "255.255.255.0", nullptr},
        {"one port: no comparison", kModelOnePort, "192.168.0.20", "255.255.255.0", "255.255.255.0", nullptr},
        {"two ports on one: no comparison", kModelTwoPortsOnOne, "192.168.0.20", "255.255.255.0", "255.255.255.0",
         nullptr},
        {"empty E1 mask", kModelTwoPorts, "192.168.1.20", nullptr, "255.255.255.0", zeroSubnet},
        {"empty E2 mask", kModelTwoPorts, "192.168.1.20", "255.255.255.0", nullptr, zeroSubnet},
        {"empty E2 mask, hidden", kModelOnePort, "192.168.1.20", "255.255.255.0", nullptr, nullptr},
    };
    for (const Case& c : cases) {
        Open(StoredSettings(c.model));
        SetAddress(IDC_BRIDGE_E2_ADDRESS, c.e2Address);
        for (auto [id, mask] : {std::pair{IDC_BRIDGE_E1_MASK, c.e1Mask}, std::pair{IDC_BRIDGE_E2_MASK, c.e2Mask}}) {
            if (mask != nullptr)
                SetAddress(id, mask);
            else
                ::SendMessageA(Item(id), IPM_CLEARADDRESS, 0, 0);
        }
        MessageBoxRecorder boxes;
        const bool closed = dialog->Confirm();
        if (c.message == nullptr) {
            EXPECT_TRUE(closed) << c.name;
            EXPECT_EQ(0u, boxes.Count()) << c.name;
            EXPECT_FALSE(IsOpen()) << c.name;
            continue;
        }
        EXPECT_FALSE(closed) << c.name;
        EXPECT_TRUE(IsOpen()) << c.name;
        ASSERT_EQ(1u, boxes.Count()) << c.name;
        EXPECT_EQ(CString(c.message), boxes.Last().text) << c.name;
        if (c.e1Mask == nullptr || c.e2Mask == nullptr) {
            const HWND mask = Item(c.e1Mask == nullptr ? IDC_BRIDGE_E1_MASK : IDC_BRIDGE_E2_MASK);
            const HWND focus = ::GetFocus();
            EXPECT_TRUE(focus == mask || ::IsChild(mask, focus)) << c.name << ": focus on the mask";
        }
    }
}

// The Modbus register fields are hidden in every layout: a stored start register out of range is taken as it
// is, and the range checks apply while the fields are shown. The server total is checked in either case.
TEST_F(BridgeDialogTest, StartRegistersAreCheckedOnlyWhileShownTheServerTotalAlways)
{
    struct Case {
        const char* name;
        const char* readStart;
        const char* writeStart;
        const char* encapsulated;
        const char* mbap;
        const char* message; // while shown; null: accepted
        bool alsoHidden;     // the message comes while the fields are hidden as well
    };
    const Case cases[] = {
        {"read start 0", "0", "1001", "0", "3", "Warning: VQN Read Start Register is out of range (1-65530).", false},
        {"read start empty", "", "1001", "0", "3", "Warning: VQN Read Start Register is out of range (1-65530).", false},
        {"write start 65531", "1", "65531", "0", "3",
         "Warning: VQN Write Start Register is out of range (1-65530).", false},
        {"11 + 10 servers", "1", "1001", "11", "10",
         "Warning: The total number of MBAP Server and MTCP Server\n                 exceeds the maximum number "
         "of 20 servers allowed.", true},
        {"10 + 10 servers", "1", "1001", "10", "10", nullptr, true},
        {"limits", "65530", "1", "0", "3", nullptr, false},
    };
    const UINT modbusFields[] = {IDC_BRIDGE_READ_START, IDC_BRIDGE_WRITE_START, IDC_BRIDGE_ENCAPSULATED,
                                 IDC_BRIDGE_MBAP};
    for (const Case& c : cases) {
        for (bool shown : {false, true}) {
            GatewaySettings stored = StoredSettings(kModelTwoPorts);
            stored.readStart = c.readStart;
            Open(stored);
            SetText(IDC_BRIDGE_READ_START, c.readStart);
            SetText(IDC_BRIDGE_WRITE_START, c.writeStart);
            SetText(IDC_BRIDGE_ENCAPSULATED, c.encapsulated);
            SetText(IDC_BRIDGE_MBAP, c.mbap);
            if (shown) {
                for (UINT id : modbusFields)
                    ::ShowWindow(Item(id), SW_SHOWNA);
            }
            MessageBoxRecorder boxes;
            const bool closed = dialog->Confirm();
            const bool checked = shown || c.alsoHidden;
            if (!checked || c.message == nullptr) {
                EXPECT_TRUE(closed) << c.name << (shown ? " shown" : " hidden");
                EXPECT_EQ(0u, boxes.Count()) << c.name;
                EXPECT_EQ(CString(c.readStart), dialog->settings.readStart) << c.name;
                EXPECT_EQ(CString(c.mbap), dialog->settings.mbapCount) << c.name;
                continue;
            }
            EXPECT_FALSE(closed) << c.name << (shown ? " shown" : " hidden");
            ASSERT_EQ(1u, boxes.Count()) << c.name;
            EXPECT_EQ(CString(c.message), boxes.Last().text) << c.name;
            EXPECT_EQ(static_cast<UINT>(MB_ICONEXCLAMATION), boxes.Last().type & MB_ICONMASK) << c.name;
        }
    }
}

TEST_F(BridgeDialogTest, OptimizeBoxSetsTheModbusMappingSwitch)
{
    Open(StoredSettings(kModelTwoPorts));
    ::ShowWindow(Item(IDC_BRIDGE_OPTIMIZE_MTCP), SW_SHOWNA);
    ::EnableWindow(Item(IDC_BRIDGE_OPTIMIZE_MTCP), TRUE);
    const bool before = CModbusMapper::OptimizeMtcpCommandMappings();
    Click(IDC_BRIDGE_OPTIMIZE_MTCP);
    EXPECT_TRUE(CModbusMapper::OptimizeMtcpCommandMappings());
    Click(IDC_BRIDGE_OPTIMIZE_MTCP);
    EXPECT_FALSE(CModbusMapper::OptimizeMtcpCommandMappings());
    CModbusMapper::OptimizeMtcpCommandMappings() = before;
}

TEST_F(BridgeDialogTest, EmptyFieldsComeBackWithTheirDefaults)
{
    GatewaySettings stored = StoredSettings(kModelTwoPorts);
    stored.ntpAddress.Empty();
    stored.ntpUpdate.Empty();
    stored.mbapCount.Empty();
    Open(stored);
    EXPECT_EQ(CString("3"), Text(IDC_BRIDGE_MBAP));
    MessageBoxRecorder boxes;
    ASSERT_TRUE(dialog->Confirm());
    EXPECT_EQ(CString("192.168.0.1"), dialog->settings.ntpAddress);
    EXPECT_EQ(CString("0"), dialog->settings.ntpUpdate);
    EXPECT_EQ(CString("3"), dialog->settings.mbapCount);
    EXPECT_EQ(CString("Feeder bays"), dialog->settings.comment);
}

TEST_F(BridgeDialogTest, EnterInAFieldDoesNothing)
{
    Open(StoredSettings(kModelTwoPorts));
    const HWND e1AddressField = ::GetWindow(Item(IDC_BRIDGE_E1_ADDRESS), GW_CHILD);
    ASSERT_NE(nullptr, e1AddressField);
    for (HWND field : {Item(IDC_BRIDGE_PROJECT_NAME), Item(IDC_BRIDGE_NOTES), Item(IDC_BRIDGE_NTP_UPDATE),
                       e1AddressField}) {
        ::SetFocus(field);
        ::PostMessageA(field, WM_KEYDOWN, VK_RETURN, 1);
        ::PostMessageA(field, WM_KEYUP, VK_RETURN, 0xC0000001);
        MessageBoxRecorder boxes;
        PumpMessages(PumpMode::kProgram);
        EXPECT_TRUE(IsOpen());
        EXPECT_EQ(0u, boxes.Count());
    }
    EXPECT_EQ(CString("Feeder bays"), Text(IDC_BRIDGE_NOTES)) << "no line break reaches the notes";

    // Elsewhere Enter is the dialog's OK.
    ::SetFocus(Item(IDC_BRIDGE_TWO_PORTS));
    ::PostMessageA(Item(IDC_BRIDGE_TWO_PORTS), WM_KEYDOWN, VK_RETURN, 1);
    MessageBoxRecorder boxes;
    PumpMessages(PumpMode::kProgram);
    EXPECT_FALSE(IsOpen());
}

TEST_F(BridgeDialogTest, DigitFieldsDropOtherCharacters)
{
    Open(StoredSettings(kModelTwoPorts));
    const HWND update = Item(IDC_BRIDGE_NTP_UPDATE);
    SetText(IDC_BRIDGE_NTP_UPDATE, "");
    Type(update, "a1x2:9-7");
    EXPECT_EQ(CString("12:9"), Text(IDC_BRIDGE_NTP_UPDATE)) << "digits and ':' only, four at most";
    ::SendMessageA(update, WM_CHAR, VK_BACK, 1);
    EXPECT_EQ(CString("12:"), Text(IDC_BRIDGE_NTP_UPDATE));

    const HWND name = Item(IDC_BRIDGE_PROJECT_NAME);
    SetText(IDC_BRIDGE_PROJECT_NAME, "");
    Type(name, "Bay-4");
    EXPECT_EQ(CString("Bay-4"), Text(IDC_BRIDGE_PROJECT_NAME));
    EXPECT_EQ(static_cast<LRESULT>(kProjectNameLimit), ::SendMessageA(name, EM_GETLIMITTEXT, 0, 0));
    EXPECT_EQ(static_cast<LRESULT>(kNotesLimit), ::SendMessageA(Item(IDC_BRIDGE_NOTES), EM_GETLIMITTEXT, 0, 0));
}

TEST_F(BridgeDialogTest, CtrlAltThenClickTogglesTheRestartOption)
{
    Open(StoredSettings(kModelTwoPorts));
    BYTE saved[256];
    ASSERT_TRUE(::GetKeyboardState(saved));
    auto keyDown = [&](bool ctrlAlt) {
        BYTE keys[256];
        memcpy(keys, saved, sizeof keys);
        keys[VK_CONTROL] = keys[VK_MENU] = ctrlAlt ? 0x80 : 0;
        ::SetKeyboardState(keys);
        MSG msg = {Item(IDC_BRIDGE_PROJECT_NAME), WM_KEYDOWN, VK_SHIFT, 1, 0, {0, 0}};
        dialog->PreTranslateMessage(&msg);
        ::SetKeyboardState(saved);
    };
    auto clickSurface = [&] {
        ::SendMessageA(dialog->m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
        ::SendMessageA(dialog->m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    };

    clickSurface();
    EXPECT_FALSE(Shown(IDC_BRIDGE_AUTO_RESTART));
    keyDown(true);
    EXPECT_TRUE(dialog->IsRevealArmed());
    clickSurface();
    EXPECT_TRUE(Shown(IDC_BRIDGE_AUTO_RESTART));
    EXPECT_TRUE(Enabled(IDC_BRIDGE_AUTO_RESTART));
    EXPECT_EQ(CString("Automatically restart faulted drivers"), Text(IDC_BRIDGE_AUTO_RESTART));
    EXPECT_TRUE(Checked(IDC_BRIDGE_AUTO_RESTART)) << "the stored flag";
    clickSurface();
    EXPECT_FALSE(Shown(IDC_BRIDGE_AUTO_RESTART));
    EXPECT_FALSE(Enabled(IDC_BRIDGE_AUTO_RESTART));

    keyDown(false);
    EXPECT_FALSE(dialog->IsRevealArmed());
    clickSurface();
    EXPECT_FALSE(Shown(IDC_BRIDGE_AUTO_RESTART));
}

} // namespace

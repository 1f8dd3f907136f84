// The gateway button's properties flow over the running Corvel, its modal dialog driven from a timer as a
// user would: values copied in, written back and counted on OK, nothing on Cancel; the double click and
// command 32821 reach it.
#include "corvel/resources/resource.h"
#include "corvel/workspace/bridge_dlg.h"
#include "corvel/workspace/buttons.h"

#include <gtest/gtest.h>

#include <functional>

#include "../app/corvel_app_environment.h"
#include "support/message_box_recorder.h"

namespace {

using namespace Corvel::Gateway;

// Runs a step on the gateway properties dialog once its modal loop has shown it; a dialog still there at the
// next tick was left open by the step, and is cancelled.
class ModalDriver {
public:
    explicit ModalDriver(std::function<void(CBridgeDlg&)> step)
    {
        s_step = std::move(step);
        s_runs = 0;
        s_leftOpen = false;
        s_driven = nullptr;
        m_timer = ::SetTimer(nullptr, 0, 20, &ModalDriver::OnTimer);
    }
    ~ModalDriver() { ::KillTimer(nullptr, m_timer); }
    ModalDriver(const ModalDriver&) = delete;
    ModalDriver& operator=(const ModalDriver&) = delete;

    int Runs() const { return s_runs; }
    bool LeftOpen() const { return s_leftOpen; }

private:
    static BOOL CALLBACK FindDialog(HWND hWnd, LPARAM lParam)
    {
        if (auto* dialog = dynamic_cast<CBridgeDlg*>(CWnd::FromHandlePermanent(hWnd));
            dialog != nullptr && ::IsWindowVisible(hWnd)) {
            *reinterpret_cast<CBridgeDlg**>(lParam) = dialog;
            return FALSE;
        }
        return TRUE;
    }
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD)
    {
        CBridgeDlg* dialog = nullptr;
        ::EnumThreadWindows(::GetCurrentThreadId(), &ModalDriver::FindDialog, reinterpret_cast<LPARAM>(&dialog));
        if (dialog == nullptr)
            return;
        if (dialog == s_driven) {
            s_leftOpen = true;
            dialog->EndDialog(IDCANCEL);
            return;
        }
        s_driven = dialog;
        ++s_runs;
        s_step(*dialog);
    }

    static inline std::function<void(CBridgeDlg&)> s_step;
    static inline int s_runs = 0;
    static inline bool s_leftOpen = false;
    static inline CBridgeDlg* s_driven = nullptr;
    UINT_PTR m_timer = 0;
};

void SetControlText(CBridgeDlg& dialog, UINT id, const char* text)
{
    ::SetDlgItemTextA(dialog.m_hWnd, static_cast<int>(id), text);
}

class BridgePropertiesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        doc = CorvelAppEnvironment::Doc();
        ASSERT_NE(nullptr, doc);
        doc->modified = false;
        doc->OnFileNew();
        button = doc->project.bridgeButton;
        ASSERT_NE(nullptr, button);
        doc->project.prjName = "Substation 4";
        doc->project.comment = "Feeder bays";
        doc->project.numPorts = kModelTwoPorts;
        doc->project.port61850 = 1;
        doc->project.portPLC = 2;
        doc->modified = false;
    }
    void TearDown() override
    {
        doc->modified = false;
        doc->OnFileNew();
    }

    // Runs the flow with step as the user's part; true when the step ran once and closed the dialog itself.
    bool RunFlow(std::function<void(CBridgeDlg&)> step)
    {
        ModalDriver driver(std::move(step));
        button->OnProperties();
        PumpMessages();
        return driver.Runs() == 1 && !driver.LeftOpen();
    }

    CMainDoc* doc = nullptr;
    CBridgeButn* button = nullptr;
};

TEST_F(BridgePropertiesTest, OkWithoutChangesLeavesTheDocumentUnmodified)
{
    const CString addressBefore = doc->project.eth0IPaddr;
    EXPECT_TRUE(RunFlow([](CBridgeDlg& dialog) {
        EXPECT_EQ(CString("Substation 4"), dialog.settings.projectName);
        EXPECT_EQ(CString("Feeder bays"), dialog.settings.comment);
        MessageBoxRecorder boxes;
        EXPECT_TRUE(dialog.Confirm());
    }));
    EXPECT_FALSE(doc->modified);
    EXPECT_EQ(addressBefore, doc->project.eth0IPaddr);
}

TEST_F(BridgePropertiesTest, ChangesAreWrittenBackAndRepainted)
{
    EXPECT_TRUE(RunFlow([](CBridgeDlg& dialog) {
        SetControlText(dialog, IDC_BRIDGE_NOTES, "Feeder bays 1 to 6");
        SetControlText(dialog, IDC_BRIDGE_PROJECT_NAME, "Substation 5");
        ShowAddressText(*static_cast<CIPAddressCtrl*>(dialog.GetDlgItem(IDC_BRIDGE_E1_ADDRESS)), "192.168.0.77");
        MessageBoxRecorder boxes;
        EXPECT_TRUE(dialog.Confirm());
    }));
    EXPECT_TRUE(doc->modified);
    EXPECT_EQ(CString("Feeder bays 1 to 6"), doc->GetProjectComment());
    EXPECT_EQ(CString("Substation 5"), doc->GetProjectName());
    EXPECT_EQ(CString("192.168.0.77"), doc->project.eth0IPaddr);
    // The network view repaints the gateway with its new address and project name.
    CorvelAppEnvironment::View()->UpdateWindow();
    CString text;
    button->GetWindowText(text);
    EXPECT_EQ(CString("192.168.0.77"), text);
    EXPECT_EQ(CString("Substation 5"), button->label);
}

TEST_F(BridgePropertiesTest, CancelKeepsTheProject)
{
    EXPECT_TRUE(RunFlow([](CBridgeDlg& dialog) {
        SetControlText(dialog, IDC_BRIDGE_NOTES, "discarded");
        dialog.EndDialog(IDCANCEL);
    }));
    EXPECT_FALSE(doc->modified);
    EXPECT_EQ(CString("Feeder bays"), doc->GetProjectComment());
}

// A single-port project opens with IEC 61850 on E1; with the EtherNet/IP port on E1 the hidden E2 box of
// IEC 61850 is ticked, and OK must not move IEC 61850 to a port the model lacks.
TEST_F(BridgePropertiesTest, SinglePortProjectKeepsIec61850OnE1)
{
    for (int portPLC : {1, 2}) {
        doc->project.numPorts = kModelOnePort;
        doc->project.port61850 = 2;
        doc->project.portPLC = portPLC;
        doc->modified = false;
        EXPECT_TRUE(RunFlow([](CBridgeDlg& dialog) {
            EXPECT_EQ(1, dialog.settings.port61850);
            MessageBoxRecorder boxes;
            EXPECT_TRUE(dialog.Confirm());
        }));
        EXPECT_EQ(1, doc->project.port61850) << portPLC;
        EXPECT_EQ(portPLC, doc->project.portPLC);
        EXPECT_FALSE(doc->modified) << portPLC;
    }
}

TEST_F(BridgePropertiesTest, DoubleClickAndCommandOpenTheDialog)
{
    int opened = 0;
    {
        ModalDriver driver([&](CBridgeDlg& dialog) {
            ++opened;
            dialog.EndDialog(IDCANCEL);
        });
        CWnd* view = button->GetParent();
        ASSERT_NE(nullptr, view);
        view->SendMessage(WM_COMMAND, MAKEWPARAM(button->GetDlgCtrlID(), BN_DOUBLECLICKED),
                          reinterpret_cast<LPARAM>(button->m_hWnd));
        EXPECT_EQ(1, opened) << "reflected double click";
    }
    {
        ModalDriver driver([&](CBridgeDlg& dialog) {
            ++opened;
            dialog.EndDialog(IDCANCEL);
        });
        button->SendMessage(WM_COMMAND, ID_GATEWAY_PROPERTIES, 0);
        EXPECT_EQ(2, opened) << "command 32821";
    }
}

} // namespace

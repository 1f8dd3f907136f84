// The gateway button over the running Corvel: its menu, the diagnostics and event logger against reachable and
// unreachable modules, Export Configuration, and a picture of the main window with the menu open.
#include "corvel/gateway/vqn_diagnostics.h"
#include "corvel/project/path_utils.h"
#include "corvel/workspace/main_frame.h"

#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "node_button_fixture.h"
#include "support/module_simulator.h"
#include "support/scripted_file_dialog.h"
#include "support/window_capture.h"
#include "support/window_screenshot.h"

namespace {

using Names = std::vector<std::string>;

const char kModuleNotResponding[] = "ERROR: Module failed to respond! Please check your IP address";
const char kProjectFilter[] = "Korvane Gateway Project files (*.prj)|*.prj||";
const char kConfigurationFilter[] = "Korvane Gateway Configuration files (*.cfg)|*.cfg|XML Files (*.xml)|*.xml||";
// A loopback address on which nothing serves the module's text service.
const char kUnreachableModule[] = "127.0.0.2";

std::string ReadFile(const CString& path)
{
    std::ifstream in(static_cast<LPCSTR>(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class GatewayButton : public NodeButtonTest {
protected:
    void SetUp() override
    {
        NodeButtonTest::SetUp();
        gateway = doc->project.bridgeButton;
        ASSERT_NE(nullptr, gateway);
        app->WriteProfileString(CBridgeButn::kExportSection, nullptr, nullptr);
    }

    Names OpenMenu()
    {
        Names items;
        const bool opened = WithOpenMenu(
            [this] { gateway->SendMessage(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(30, 30)); },
            [&items](HMENU menu, HWND) { items = MenuItems(menu); });
        EXPECT_TRUE(opened);
        return items;
    }

    CBridgeButn* gateway = nullptr;
};

TEST_F(GatewayButton, TheMenuGreysDownloadAndExportAoiUntilAProjectIsLoadedOrADevicePlaced)
{
    EXPECT_EQ((Names{"Download from PC to Device (grey)", "Upload from Device to PC", "-", "Export AOI Files (grey)",
                     "Diagnostic", "Event Logger", "-", "Properties"}),
              OpenMenu());
    PlaceIed("IED_A");
    ASSERT_TRUE(doc->projectReady);
    EXPECT_EQ((Names{"Download from PC to Device", "Upload from Device to PC", "-", "Export AOI Files", "Diagnostic",
                     "Event Logger", "-", "Properties"}),
              OpenMenu());
}

TEST_F(GatewayButton, DiagnosticAndEventLoggerOpenOnlyWhenTheModuleAnswers)
{
    std::unique_ptr<ModuleSimulator> simulator;
    try {
        simulator = std::make_unique<ModuleSimulator>();
        simulator->Reset();
    } catch (const std::exception& e) {
        FAIL() << e.what();
    }
    const ExchangeTiming previous = CVQNDiagnostics::SetExchangeTiming({1000, 1, 10});
    const struct {
        CString address;
        UINT command;
        const char* dialog; // null: none opens
    } cases[] = {
        {simulator->Address(), ID_GATEWAY_DIAGNOSTIC, "CEIPDiagnosticDlg"},
        {simulator->Address(), ID_GATEWAY_EVENT_LOGGER, "CDlgEventLog"},
        {kUnreachableModule, ID_GATEWAY_DIAGNOSTIC, nullptr},
        {kUnreachableModule, ID_GATEWAY_EVENT_LOGGER, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.address) + " " + std::to_string(c.command));
        doc->project.eth0IPaddr = c.address;
        ButtonSeams seams;
        MessageBoxRecorder boxes;
        gateway->SendMessage(WM_COMMAND, c.command);
        if (c.dialog != nullptr) {
            EXPECT_EQ(Names{c.dialog}, seams.DialogClasses());
            EXPECT_EQ(0u, boxes.Count());
        } else {
            EXPECT_TRUE(seams.dialogs.empty());
            ASSERT_EQ(1u, boxes.Count());
            EXPECT_STREQ(kModuleNotResponding, boxes.Last().text);
        }
    }
    CVQNDiagnostics::SetExchangeTiming(previous);
}

TEST_F(GatewayButton, ExportConfigurationSavesTheProjectWritesTheConfigurationAndStartsTheNextThere)
{
    PlaceIed("IED_A");
    const CString project = folder.File("plant.prj");
    const CString first = folder.File("plant.cfg");
    TempFolder elsewhere;
    const CString second = elsewhere.File("again.cfg");
    ScriptedFileDialog dialogs({project});
    dialogs.Then({first}).Then({project}).Then({second});
    MessageBoxRecorder boxes;

    gateway->OnExportConfiguration();
    ASSERT_EQ(2u, dialogs.Requests().size());
    const FileDialogRequest& projectRequest = dialogs.Requests()[0];
    EXPECT_FALSE(projectRequest.open);
    EXPECT_STREQ("prj", projectRequest.defaultExtension);
    EXPECT_STREQ(kProjectFilter, projectRequest.filter);
    EXPECT_TRUE(projectRequest.initialFileName.IsEmpty());
    EXPECT_TRUE(projectRequest.flags & OFN_OVERWRITEPROMPT);
    const FileDialogRequest& configurationRequest = dialogs.Requests()[1];
    EXPECT_FALSE(configurationRequest.open);
    EXPECT_STREQ("cfg", configurationRequest.defaultExtension);
    EXPECT_STREQ(kConfigurationFilter, configurationRequest.filter);
    EXPECT_STREQ("plant", configurationRequest.initialFileName);
    EXPECT_STREQ(CMainFrame::GetUserProfileFolder(), configurationRequest.initialFolder);
    EXPECT_TRUE(configurationRequest.flags & OFN_OVERWRITEPROMPT);

    EXPECT_TRUE(FileExists(project));
    EXPECT_TRUE(FileExists(folder.File("plant.prx")));
    EXPECT_NE(std::string::npos, ReadFile(first).find("<DeviceConfig"));
    EXPECT_STREQ(first, app->GetProfileString(CBridgeButn::kExportSection, CBridgeButn::kExportEntry));
    EXPECT_EQ(0u, boxes.Count());

    // The document's Export Configuration runs the same flow; its configuration dialog opens where the last
    // configuration went.
    frame->SendMessage(WM_COMMAND, ID_EXPORT_CONFIGURATION);
    ASSERT_EQ(4u, dialogs.Requests().size());
    EXPECT_STREQ("plant", dialogs.Requests()[2].initialFileName);
    EXPECT_STREQ(folder.Path(), dialogs.Requests()[3].initialFolder);
    EXPECT_NE(std::string::npos, ReadFile(second).find("<DeviceConfig"));
    EXPECT_STREQ(second, app->GetProfileString(CBridgeButn::kExportSection, CBridgeButn::kExportEntry));
    EXPECT_EQ(0u, boxes.Count());
}

TEST_F(GatewayButton, ExportConfigurationCancelledInEitherDialogWritesNoConfiguration)
{
    PlaceIed("IED_A");
    const CString project = folder.File("plant.prj");
    {
        ScriptedFileDialog dialogs({}, IDCANCEL);
        gateway->OnExportConfiguration();
        EXPECT_EQ(1u, dialogs.Requests().size());
        EXPECT_FALSE(FileExists(project));
    }
    // A cancelled configuration dialog comes after the project was saved.
    ScriptedFileDialog dialogs({project});
    dialogs.Then({}, IDCANCEL);
    gateway->OnExportConfiguration();
    EXPECT_EQ(2u, dialogs.Requests().size());
    EXPECT_TRUE(FileExists(project));
    for (const std::string& name : FolderContents(folder.Path()))
        EXPECT_EQ(std::string::npos, name.find(".cfg")) << name;
    EXPECT_TRUE(app->GetProfileString(CBridgeButn::kExportSection, CBridgeButn::kExportEntry).IsEmpty());
}

TEST_F(GatewayButton, AConfigurationThatCannotBeWrittenIsReportedAndTheProjectStaysAsItWas)
{
    CMainDoc::_IED_DEVICE* ied = PlaceIed("IED_A");
    ASSERT_NE(nullptr, ied);
    const CString project = folder.File("plant.prj");
    const struct {
        CString target;
        CString message;
    } cases[] = {
        {folder.File("missing\\plant.cfg"), "Error: Opening XML File\n" + folder.File("missing\\plant.cfg")},
        {project, "Error: The configuration would overwrite the project file\n" + project},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.target));
        ied->MMSping.Empty();
        ScriptedFileDialog dialogs({project});
        dialogs.Then({c.target});
        MessageBoxRecorder boxes;
        gateway->OnExportConfiguration();
        ASSERT_EQ(1u, boxes.Count());
        EXPECT_STREQ(c.message, boxes.Last().text);
        EXPECT_TRUE(ied->MMSping.IsEmpty());
        EXPECT_STREQ(project, doc->GetProjectPath());
        EXPECT_FALSE(doc->modified);
        EXPECT_NE(std::string::npos, ReadFile(project).find("IED_A")) << "the saved project is still there";
    }
}

TEST_F(GatewayButton, ScreenshotOfTheMainWindowWithTheGatewaysMenuOpen)
{
    PlaceIed("IED_A");
    PlaceIed("IED_B")->button->Select();
    frame->ShowWindow(SW_SHOWNORMAL);
    ::SetWindowPos(frame->m_hWnd, HWND_TOP, 40, 40, 900, 640, SWP_SHOWWINDOW);
    frame->SetForegroundWindow();
    frame->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Pump();

    std::string saved = "the menu did not open";
    WithOpenMenu([this] { gateway->SendMessage(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(70, 45)); },
                 [this, &saved](HMENU, HWND menuWindow) {
                     ::RedrawWindow(menuWindow, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
                     RECT window = {};
                     RECT menu = {};
                     RECT both = {};
                     ::GetWindowRect(frame->m_hWnd, &window);
                     ::GetWindowRect(menuWindow, &menu);
                     ::UnionRect(&both, &window, &menu);
                     const WindowImage image = CaptureScreenRect(both);
                     saved = SaveScreenshot("gateway-menu", image.width, image.height, image.pixels);
                 });
    EXPECT_EQ("", saved);
}

} // namespace

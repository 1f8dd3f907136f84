// The diagnostics window over the running Corvel against the module simulator, and its options dialog.
#include "corvel/gateway_ui/diagnostic_dlg.h"

#include "corvel/resources/resource.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "module_window_test.h"
#include "support/window_screenshot.h"

namespace {

const char kDeclaration[] = "<?xml version=\"1.0\"?>";
const char kSection[] = "Diagnostic";

// The module's drivers, each with an index in an order that is not alphabetical.
const char kDriversRequest[] = "trn=getrunningdrivers";
const char kIecIndexRequest[] = "trn=getdiagnostics&resource=ETH1&driver=IEC61850C&diagcode=getindex";
const char kEipsIndexRequest[] = "trn=getdiagnostics&resource=ETH2&driver=EIPS&diagcode=getindex";
const char kLayoutRequest[] = "trn=getdiagnostics&resource=ETH2&driver=EIPS&diagcode=getlayout";

CString Padded(const char* text)
{
    CString padded(text);
    while (padded.GetLength() < 40)
        padded += ' ';
    return padded;
}

bool Contains(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

class DiagnosticsWindow : public ModuleWindowTest {
protected:
    DiagnosticsWindow() : ModuleWindowTest(kSection) {}

    void SetUp() override
    {
        ModuleWindowTest::SetUp();
        doc->SetProjectName("Plant");
        const std::string declaration = kDeclaration;
        Simulator().SetTcpReply(kDriversRequest, declaration +
                                                     "<runningdrivers><driver name=\"IEC61850C\" resource=\"ETH1\"/>"
                                                     "<driver name=\"EIPS\" resource=\"ETH2\"/></runningdrivers>");
        Simulator().SetTcpReply(kIecIndexRequest,
                                declaration + "<getindex><diagcode code=\"getclients\" description=\"Clients\"/>"
                                              "<diagcode code=\"getbuffers\" description=\"Buffers\"/></getindex>");
        Simulator().SetTcpReply(kEipsIndexRequest,
                                declaration + "<getindex><diagcode code=\"status[3]\" description=\"Status\"/>"
                                              "<diagcode code=\"session[1]\" description=\"Session\"/>"
                                              "<diagcode code=\"getlayout\" description=\"Layout\"/>"
                                              "<diagcode code=\"geteipsstatus\" description=\"Connections\"/>"
                                              "</getindex>");
    }
    void TearDown() override
    {
        if (dialog.m_hWnd != nullptr)
            dialog.DestroyWindow();
        ModuleWindowTest::TearDown();
    }

    void Open()
    {
        ASSERT_TRUE(dialog.Create(IDD_DIAGNOSTIC, CorvelAppEnvironment::Frame()));
        dialog.ShowWindow(SW_SHOWNA);
        PumpMessages();
    }
    CDiagnosticTree& Tree() { return dialog.GetTree(); }
    HTREEITEM Child(HTREEITEM parent, LPCSTR text)
    {
        for (HTREEITEM item = Tree().GetChildItem(parent); item != nullptr; item = Tree().GetNextSiblingItem(item))
            if (Tree().GetItemText(item) == text)
                return item;
        return nullptr;
    }
    std::vector<CString> ChildTexts(HTREEITEM parent)
    {
        std::vector<CString> texts;
        for (HTREEITEM item = Tree().GetChildItem(parent); item != nullptr; item = Tree().GetNextSiblingItem(item))
            texts.push_back(Tree().GetItemText(item));
        return texts;
    }
    HTREEITEM Leaf(LPCSTR driver, LPCSTR leaf) { return Child(Child(Tree().GetRootItem(), driver), leaf); }
    CString Output()
    {
        CString text;
        dialog.GetOutput().GetWindowText(text);
        return text;
    }
    // The text of the last text-service request.
    std::string LastRequest()
    {
        const std::vector<std::string> requests = Simulator().Requests("tcp");
        return requests.empty() ? std::string() : requests.back();
    }
    void Tick() { Tree().SendMessage(WM_TIMER, CDiagnosticTree::kPollTimerId); }

    CEIPDiagnosticDlg dialog;
};

TEST_F(DiagnosticsWindow, ShowsTheProjectItsDriversAndTheirDiagnosticsInAlphabeticalOrder)
{
    Open();
    ASSERT_NE(nullptr, dialog.m_hWnd);
    EXPECT_EQ(0u, boxes.Count());
    EXPECT_EQ(CString("Connected"), Output());
    EXPECT_FALSE(dialog.GetSpin().IsWindowVisible());
    const HTREEITEM root = Tree().GetRootItem();
    EXPECT_EQ(CString("Plant"), Tree().GetItemText(root));
    EXPECT_EQ((std::vector<CString>{"EIPS", "IEC61850C"}), ChildTexts(root));
    EXPECT_EQ((std::vector<CString>{"Connections", "Layout", "Session", "Status"}), ChildTexts(Child(root, "EIPS")));
    EXPECT_EQ((std::vector<CString>{"Buffers", "Clients"}), ChildTexts(Child(root, "IEC61850C")));
    int image = -1, selected = -1;
    const struct {
        HTREEITEM item;
        int image;
    } images[] = {{root, 0}, {Child(root, "EIPS"), 27}, {Leaf("EIPS", "Status"), 28}};
    for (const auto& expected : images) {
        ASSERT_TRUE(Tree().GetItemImage(expected.item, image, selected));
        EXPECT_EQ(expected.image, image);
        EXPECT_EQ(expected.image, selected);
    }

    // One leaf record per diagnostic in reply order, the instance count split off the code.
    const std::vector<DiagnosticLeaf>& leaves = Tree().GetLeaves();
    ASSERT_EQ(6u, leaves.size());
    EXPECT_EQ(CString("Clients"), Tree().GetItemText(leaves[0].item));
    const DiagnosticLeaf& status = leaves[2];
    EXPECT_EQ(Leaf("EIPS", "Status"), status.item);
    EXPECT_EQ(CString("ETH2"), status.resource);
    EXPECT_EQ(CString("EIPS"), status.driver);
    EXPECT_EQ(CString("status"), status.code);
    EXPECT_EQ(3, status.instances);
    EXPECT_EQ(0, leaves[4].instances);
    EXPECT_EQ(CString("getlayout"), leaves[4].code);
}

TEST_F(DiagnosticsWindow, ALeafIsPolledEverySecondWithItsInstanceFromTheSpin)
{
    Open();
    ASSERT_TRUE(Tree().SelectItem(Leaf("EIPS", "Status")));
    EXPECT_EQ(1000, Tree().GetPollPeriod());
    EXPECT_TRUE(Contains(LastRequest(), "trn=getdiagnostics&resource=ETH2&driver=EIPS&diagcode=status[0]"))
        << LastRequest();
    const CString values = Padded("Driver state") + " : Running\r\n" + "\r\nCounters : \r\n" + "\t" +
                           Padded("Requests") + " : 42\r\n" + "\r\n";
    EXPECT_EQ("Plant > EIPS > Status      [Refresh Counter: 0]\r\n\r\n" + values, Output());
    CSpinButtonCtrl& spin = dialog.GetSpin();
    EXPECT_TRUE(spin.IsWindowVisible());
    int lower = -1, upper = -1;
    spin.GetRange32(lower, upper);
    EXPECT_EQ(0, lower);
    EXPECT_EQ(2, upper);
    // A small up-down control at the top of its pane, not a bar as high as the pane (which reads as a scroll bar).
    CRect spinPlace;
    spin.GetWindowRect(&spinPlace);
    spin.GetParent()->ScreenToClient(&spinPlace);
    CRect pane;
    spin.GetParent()->GetClientRect(&pane);
    EXPECT_EQ(CPoint(0, 0), spinPlace.TopLeft());
    EXPECT_LE(spinPlace.Height(), 3 * spinPlace.Width()) << "pane " << pane.Height() << " high";
    EXPECT_LT(spinPlace.Height(), pane.Height() / 4);

    Tick();
    EXPECT_EQ(1, Tree().GetRefreshCounter());
    EXPECT_EQ("Plant > EIPS > Status      [Refresh Counter: 1]\r\n\r\n" + values, Output());

    // A step of the spin polls the next instance once, shortly after, without resetting the counter.
    spin.SendMessage(WM_KEYDOWN, VK_UP, 0);
    spin.SendMessage(WM_KEYUP, VK_UP, 0);
    const DWORD start = ::GetTickCount();
    while (!Contains(LastRequest(), "diagcode=status[1]") && ::GetTickCount() - start < 3000)
        PumpMessages();
    EXPECT_TRUE(Contains(LastRequest(), "diagcode=status[1]")) << LastRequest();
    EXPECT_EQ(1, Tree().GetRefreshCounter());
    EXPECT_EQ("Plant > EIPS > Status      [Refresh Counter: 1]\r\n\r\n" + values, Output());

    Tree().Expand(Child(Tree().GetRootItem(), "IEC61850C"), TVE_EXPAND);
    PumpMessages();
    EXPECT_EQ("", SaveWindowScreenshot(dialog.m_hWnd, "diagnostics"));

    // The root or a driver stops polling and empties the output.
    ASSERT_TRUE(Tree().SelectItem(Child(Tree().GetRootItem(), "EIPS")));
    EXPECT_EQ(CString(), Output());
    EXPECT_FALSE(spin.IsWindowVisible());
}

TEST_F(DiagnosticsWindow, ALeafOfOneInstanceShowsNoSpinAndAsksForInstanceZero)
{
    Open();
    ASSERT_TRUE(Tree().SelectItem(Leaf("EIPS", "Session")));
    EXPECT_FALSE(dialog.GetSpin().IsWindowVisible());
    EXPECT_TRUE(Contains(LastRequest(), "diagcode=session[0]")) << LastRequest();
    ASSERT_TRUE(Tree().SelectItem(Leaf("EIPS", "Connections")));
    EXPECT_TRUE(Contains(LastRequest(), "diagcode=geteipsstatus")) << LastRequest();
    EXPECT_FALSE(Contains(LastRequest(), "geteipsstatus[")) << LastRequest();
}

TEST_F(DiagnosticsWindow, LongDescriptionsAndGroupsWithoutChildren)
{
    Simulator().SetTcpReply(kLayoutRequest, std::string(kDeclaration) +
                                                "<getlayout><DV id=\"a\" value=\"1\" vdescription=\"fits\""
                                                " description=\"An exactly forty characters description!\"/>"
                                                "<DV id=\"b\" value=\"2\" desc=\"A description longer than forty "
                                                "characters, too\" vdesc=\"on\"/>"
                                                "<empty description=\"Nothing\"/><DV id=\"Short\" value=\"7\"/>"
                                                "</getlayout>");
    Open();
    ASSERT_TRUE(Tree().SelectItem(Leaf("EIPS", "Layout")));
    EXPECT_EQ(CString("Plant > EIPS > Layout      [Refresh Counter: 0]\r\n\r\n"
                      "An exactly forty characters description! : fits\r\n"
                      "A description longer than forty characters, too : on\r\n") +
                  Padded("Nothing") + " : Nothing\r\n" + Padded("Short") + " : 7\r\n",
              Output());
}

TEST_F(DiagnosticsWindow, AModuleThatStopsAnsweringWhilePolledClosesTheWindowAfterOneMessage)
{
    Open();
    ASSERT_TRUE(Tree().SelectItem(Leaf("EIPS", "Status")));
    // What the output shows while the message is up.
    std::vector<CString> shown;
    MessageBoxHook recorder = SetMessageBoxHook([&](HWND, const CString& text, const CString&, UINT) {
        shown.push_back(text + "|" + Output());
        return IDOK;
    });
    Simulator().Fail("tcp", "refuse");
    Tick();
    EXPECT_TRUE(Tree().IsConnectionLost());
    PumpMessages();
    EXPECT_EQ(nullptr, dialog.m_hWnd) << "the window closes";
    SetMessageBoxHook(std::move(recorder));
    ASSERT_EQ(1u, shown.size());
    EXPECT_EQ(CString("Error: Connection failed.|Plant > EIPS > Status      [Refresh Counter: 1]\r\n\r\n"
                      "Error: Getting information.\r\n"),
              shown[0]);
    // The window's layout is kept as it closes.
    EXPECT_GT(static_cast<int>(app->GetProfileInt(kSection, "Left", -1)), 0);
    EXPECT_GT(static_cast<int>(app->GetProfileInt(kSection, "Right", -1)), 0);
    std::vector<BYTE> placement;
    EXPECT_TRUE(app->GetProfileBinary(kSection, "MAPWP", placement));
    EXPECT_EQ(sizeof(WINDOWPLACEMENT), placement.size());
}

TEST_F(DiagnosticsWindow, AFailedFirstConnectionSaysSoAndClosesWithoutSavingTheLayout)
{
    Simulator().Fail("tcp", "refuse");
    Open();
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_EQ(CString("Error: Connecting to Module. Please check your IP Address."), boxes.Last().text);
    EXPECT_TRUE(dialog.HasFirstConnectFailed());
    EXPECT_EQ(nullptr, dialog.m_hWnd) << "the window closes";
    EXPECT_EQ(-1, static_cast<int>(app->GetProfileInt(kSection, "Left", -1)));
    std::vector<BYTE> placement;
    EXPECT_FALSE(app->GetProfileBinary(kSection, "MAPWP", placement));
}

TEST_F(DiagnosticsWindow, LeavesBeyondAThousandKeepTheirOwnRecords)
{
    std::string index = std::string(kDeclaration) + "<getindex>";
    char entry[96];
    for (int i = 0; i < 1100; ++i) {
        snprintf(entry, sizeof entry, "<diagcode code=\"get%04d\" description=\"Item %04d\"/>", i, i);
        index += entry;
    }
    Simulator().SetTcpReply(kIecIndexRequest, index + "</getindex>");
    Open();
    ASSERT_EQ(1104u, Tree().GetLeaves().size());
    ASSERT_TRUE(Tree().SelectItem(Leaf("IEC61850C", "Item 1099")));
    EXPECT_TRUE(Contains(LastRequest(), "driver=IEC61850C&diagcode=get1099")) << LastRequest();
}

class DiagnosticOptions : public ::testing::Test {
protected:
    void SetUp() override
    {
        app = &CorvelAppEnvironment::App();
        app->SetRegistryKey(TestRegistryKey());
        app->WriteProfileString(kSection, nullptr, nullptr);
    }
    void TearDown() override
    {
        if (dialog.m_hWnd != nullptr)
            dialog.DestroyWindow();
    }
    void Open() { ASSERT_TRUE(dialog.Create(IDD_DIAGNOSTIC_OPTION, CorvelAppEnvironment::Frame())); }
    CString Shown()
    {
        CString text;
        dialog.GetDlgItemText(IDC_AUTO_POLL, text);
        return text;
    }

    CWinApp* app = nullptr;
    MessageBoxRecorder boxes;
    CDlg_DiagnosticOption dialog;
};

TEST_F(DiagnosticOptions, ShowsFiveSecondsWhileNothingIsStored)
{
    Open();
    EXPECT_EQ(CString("5000"), Shown());
}

TEST_F(DiagnosticOptions, StoresZeroAndPeriodsFromOneToThirtySecondsAndRefusesTheRest)
{
    struct Case {
        const char* text;
        bool accepted;
        int stored;
    };
    const Case cases[] = {
        {"0", true, 0},      {"1000", true, 1000}, {"30000", true, 30000}, {"abc", true, 0},
        {"1", false, 0},     {"999", false, 0},    {"30001", false, 0},
    };
    for (const Case& c : cases) {
        app->WriteProfileInt(kSection, "AutoPoll", 2000);
        Open();
        EXPECT_EQ(CString("2000"), Shown());
        boxes.Clear();
        dialog.SetDlgItemText(IDC_AUTO_POLL, c.text);
        dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED));
        const int stored = static_cast<int>(app->GetProfileInt(kSection, "AutoPoll", -1));
        if (c.accepted) {
            EXPECT_EQ(0u, boxes.Count()) << c.text;
            EXPECT_EQ(c.stored, stored) << c.text;
            EXPECT_EQ(nullptr, dialog.m_hWnd) << c.text << ": the dialog closes";
        } else {
            ASSERT_EQ(1u, boxes.Count()) << c.text;
            EXPECT_EQ(CString("Error: Auto Poll Timer value is out of range."), boxes.Last().text);
            EXPECT_EQ(2000, stored) << c.text;
            EXPECT_NE(nullptr, dialog.m_hWnd) << c.text << ": the dialog stays open";
        }
        if (dialog.m_hWnd != nullptr)
            dialog.DestroyWindow();
    }
}

} // namespace

// Ostrel's module client against the simulator: connections, reply ends, the silence limit, tag values and the reboot.
#include "monitor_test_support.h"

#include "support/stopwatch.h"

namespace {

const std::string kDeclaration = "<?xml version=\"1.0\"?>";
// A silence limit short enough for the tests that wait for it to pass.
constexpr DWORD kShortLimitMs = 600;
// An address on which nothing listens.
const char kNobodyAddress[] = "127.0.0.3";

CString RootName(const DomDocumentPtr& document)
{
    DomElementPtr root;
    if (!document || FAILED(document->get_documentElement(root.Receive())) || !root)
        return CString();
    return NodeName(DomNodePtr(root));
}

using DiagnosticClient = MonitorClientTest;

TEST_F(DiagnosticClient, ReachabilityKeepsOneConnectionPerAddress)
{
    EXPECT_EQ(1, client.IsReachable(ModuleAddress()));
    EXPECT_EQ(1, client.IsReachable(nullptr));
    EXPECT_EQ(ModuleAddress(), client.GetAddress());
    EXPECT_EQ(std::vector<std::string>{"trn=testconnectiontrn=testconnection"}, Connections());

    // Another address closes the connection; the module's own opens a new one.
    EXPECT_EQ(0, client.IsReachable(kNobodyAddress));
    EXPECT_EQ(1, client.IsReachable(ModuleAddress()));
    EXPECT_EQ(2u, Connections().size());
}

TEST_F(DiagnosticClient, AClosedPortIsNotReachable)
{
    Simulator().Fail("tcp", "refuse");
    Stopwatch watch;
    EXPECT_EQ(0, client.IsReachable(ModuleAddress()));
    EXPECT_LT(watch.ElapsedMs(), kLoadSlackMs);
    Simulator().Fail("tcp", "none");
    EXPECT_EQ(1, client.IsReachable(ModuleAddress()));
}

TEST_F(DiagnosticClient, AConnectionTheModuleClosedIsOpenedAgain)
{
    ASSERT_EQ(1, client.IsReachable(ModuleAddress()));
    Simulator().Reset(); // drops every connection
    DomDocumentPtr document;
    EXPECT_EQ(0, client.GetRunningDrivers(document));
    EXPECT_EQ("runningdrivers", RootName(document));
    EXPECT_EQ(std::vector<std::string>{"trn=getrunningdrivers"}, Connections());
}

TEST_F(DiagnosticClient, RunningDriversWaitForTheirClosingTagEvenWhenTheTextParsesEarlier)
{
    // The first half is a whole document, but its end tag has a blank; the closing tag comes in the second half.
    std::string first = kDeclaration + "<runningdrivers><driver name=\"MCP\" resource=\"SYSTEM\"/></runningdrivers >";
    std::string second = "<!-- </runningdrivers> -->";
    while (second.size() < first.size())
        second.insert(5, " ");
    while (first.size() < second.size())
        first += ' ';
    Simulator().SetTcpReply("trn=getrunningdrivers", first + second);
    ASSERT_EQ(1, client.IsReachable(ModuleAddress()));
    Simulator().SetTrickle(2, 0.5);

    Stopwatch watch;
    DomDocumentPtr document;
    EXPECT_EQ(0, client.GetRunningDrivers(document));
    EXPECT_GE(watch.ElapsedMs(), 400u);
    EXPECT_EQ("runningdrivers", RootName(document));
}

TEST_F(DiagnosticClient, AValuesReplySplitOverThreeReadsCompletesWhenItParses)
{
    Simulator().SetTagValue("Feeder1_Mode", "12");
    Simulator().SetTagValue("Feeder1_Trips", "4");
    ASSERT_EQ(1, client.IsReachable(ModuleAddress()));
    Simulator().SetTrickle(3, 0.2);
    Stopwatch watch;
    DomDocumentPtr document;
    EXPECT_EQ(0, client.GetTagsValue(2, "&tag0=Feeder1_Mode&tag1=Feeder1_Trips", document));
    EXPECT_GE(watch.ElapsedMs(), 300u);
    ASSERT_EQ("tagsdata", RootName(document));
    EXPECT_EQ(2, NodeListLength(SelectNodes(document, "tagsdata/tag")));
    EXPECT_EQ("12", AttributeText(SelectSingleNode(document, "tagsdata/tag"), "value"));
    EXPECT_NE(std::string::npos, AllTextBytes().find("trn=gettagsvalue&count=2&tag0=Feeder1_Mode&tag1=Feeder1_Trips"));
}

TEST_F(DiagnosticClient, DataTricklingInKeepsARequestAliveBeyondTheLimit)
{
    // Pieces far apart for the limit as a whole, each far within it, so that a loaded machine keeps the case.
    constexpr DWORD kLimitMs = 2000;
    ScopedReplyLimit limit(kLimitMs);
    ASSERT_EQ(1, client.IsReachable(ModuleAddress()));
    Simulator().SetTrickle(10, 0.25);
    Stopwatch watch;
    DomDocumentPtr document;
    EXPECT_EQ(0, client.GetEventLogCache(document));
    EXPECT_GT(watch.ElapsedMs(), kLimitMs);
    EXPECT_EQ("eventLog", RootName(document));
}

TEST_F(DiagnosticClient, SilenceForTheLimitFailsTheRequest)
{
    ScopedReplyLimit limit(kShortLimitMs);
    ASSERT_EQ(1, client.IsReachable(ModuleAddress()));
    Simulator().Fail("tcp", "silent");
    Stopwatch watch;
    DomDocumentPtr document;
    EXPECT_EQ(-1000, client.GetEventLogCache(document));
    EXPECT_GE(watch.ElapsedMs(), kShortLimitMs - 50);
    EXPECT_LT(watch.ElapsedMs(), kShortLimitMs + kLoadSlackMs);
    EXPECT_FALSE(document);
    // A reply that never forms a document runs out the same way.
    Simulator().Fail("tcp", "none");
    Simulator().SetTcpReply("trn=geteventlogcache", kDeclaration + "<eventLog><messageData");
    EXPECT_EQ(-1000, client.GetEventLogCache(document));
}

TEST_F(DiagnosticClient, AQuitEndsTheWaitAndStaysQueued)
{
    ASSERT_EQ(1, client.IsReachable(ModuleAddress()));
    Simulator().Fail("tcp", "silent");
    ::PostQuitMessage(5);
    Stopwatch watch;
    EXPECT_EQ(0, client.IsReachable(nullptr));
    EXPECT_LT(watch.ElapsedMs(), kLoadSlackMs);
    MSG msg = {};
    ASSERT_TRUE(::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(5u, msg.wParam);
}

TEST_F(DiagnosticClient, RebootReturnsWithoutWaiting)
{
    Simulator().SetRebootSeconds(0.2);
    ASSERT_EQ(1, client.IsReachable(ModuleAddress()));
    Stopwatch watch;
    EXPECT_EQ(0, client.RebootModule());
    EXPECT_LT(watch.ElapsedMs(), kLoadSlackMs);
    EXPECT_EQ(std::vector<std::string>{"trn=testconnectiontrn=shutdown"}, Connections());
    EXPECT_EQ(-1000, CDiagnosticTcpClient().RebootModule()); // no address, no connection
}

TEST_F(DiagnosticClient, SetTagValueSendsTheNameAndValueAndNothingThatWouldChangeTheRequest)
{
    ASSERT_EQ(1, client.IsReachable(ModuleAddress()));
    EXPECT_EQ(0, client.SetTagValue("Feeder1_Mode", "5"));
    const std::string longValue(kMaxTagRequestChars, '7');
    const struct {
        const char* tag;
        const char* value;
        int result;
    } refused[] = {{"Feeder1_Mode", "5&tag=Other", -997},
                   {"Feeder1_Mode", "x=1", -997},
                   {"Feeder1_Mode&value", "1", -997},
                   {"Feeder1_Mode", longValue.c_str(), -1000}};
    for (const auto& c : refused)
        EXPECT_EQ(c.result, client.SetTagValue(c.tag, c.value)) << c.tag << " " << c.value;
    EXPECT_EQ("trn=testconnectiontrn=settagvalue&tag=Feeder1_Mode&value=5", AllTextBytes());

    DomDocumentPtr document;
    EXPECT_EQ(0, client.GetTagValue("Feeder1_Mode", document));
    EXPECT_EQ("5", AttributeText(SelectSingleNode(document, "tagsdata/tag"), "value"));
    EXPECT_EQ(-1000, client.GetTagValue(CString(longValue.c_str()), document));
}

TEST_F(DiagnosticClient, OperationsWithoutAModuleFail)
{
    DomDocumentPtr document;
    EXPECT_EQ(-1000, client.GetRunningDrivers(document));
    EXPECT_EQ(-1000, client.GetTagsValue(1, "&tag0=A", document));
    EXPECT_EQ(-1000, client.UploadConfig(document));
    EXPECT_EQ(-1000, client.DownloadConfig(0, "missing.xml"));
    EXPECT_EQ(0, client.IsReachable(kNobodyAddress));
    EXPECT_EQ(-1000, client.SetTagValue("A", "1"));
    EXPECT_EQ(0u, boxes.Count());
}

} // namespace

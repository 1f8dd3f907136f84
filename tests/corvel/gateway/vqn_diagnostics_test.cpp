#include "corvel/gateway/tcp_socket.h"
#include "corvel/gateway/vqn_diagnostics.h"

#include <gtest/gtest.h>

#include "support/module_simulator.h"
#include "support/stopwatch.h"

#include <objbase.h>

#include <functional>
#include <string>

namespace {

const std::string kDeclaration = "<?xml version=\"1.0\"?>";

// Shortens every exchange while it lives.
class ScopedExchangeLimit {
public:
    explicit ScopedExchangeLimit(DWORD limitMs)
    {
        ExchangeTiming timing = DefaultExchangeTiming();
        timing.limitMs = limitMs;
        m_previous = CVQNDiagnostics::SetExchangeTiming(timing);
    }
    ~ScopedExchangeLimit() { CVQNDiagnostics::SetExchangeTiming(m_previous); }

private:
    ExchangeTiming m_previous;
};

class VqnDiagnosticsTest : public ModuleSimulatorTest {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))); }
    static void TearDownTestSuite() { ::CoUninitialize(); }

    void SetUp() override
    {
        ModuleSimulatorTest::SetUp();
        if (!HasFatalFailure())
            m_client.SetHostAddress(ModuleAddress());
    }

    std::vector<std::string> TextRequests() { return Simulator().Requests("tcp"); }

    CVQNDiagnostics m_client;
};

TEST_F(VqnDiagnosticsTest, ConnectionTestSendsTheBareRequestAndEndsAtTheDeclaration)
{
    // The simulator keeps the connection open: only the marker ends the exchange.
    Simulator().SetTcpReply("trn=testconnection", kDeclaration + "<x/>");
    Stopwatch watch;
    EXPECT_TRUE(m_client.TestConnection());
    EXPECT_LT(watch.ElapsedMs(), kLoadSlackMs);
    EXPECT_FALSE(m_client.HasConnectionFailed());
    EXPECT_EQ(std::vector<std::string>{"trn=testconnection"}, TextRequests());
}

TEST_F(VqnDiagnosticsTest, ConnectionTestWithoutAddressSendsNothing)
{
    CVQNDiagnostics client;
    EXPECT_FALSE(client.HasHostAddress());
    EXPECT_FALSE(client.TestConnection());
    EXPECT_FALSE(client.HasConnectionFailed());
    EXPECT_TRUE(TextRequests().empty());
}

TEST_F(VqnDiagnosticsTest, SilentHostFailsAfterTheConnectTimeout)
{
    Simulator().Fail("tcp", "blackhole");
    Stopwatch watch;
    EXPECT_FALSE(m_client.TestConnection());
    EXPECT_TRUE(m_client.HasConnectionFailed());
    EXPECT_GE(watch.ElapsedMs(), 2800u);
    EXPECT_LT(watch.ElapsedMs(), 3000 + kLoadSlackMs);
}

TEST_F(VqnDiagnosticsTest, NoListenerFailsAtOnceAndKeepsTheFlag)
{
    Simulator().Fail("tcp", "refuse");
    Stopwatch watch;
    EXPECT_FALSE(m_client.TestConnection());
    EXPECT_TRUE(m_client.HasConnectionFailed());
    EXPECT_LT(watch.ElapsedMs(), kLoadSlackMs);

    Simulator().Fail("tcp", "none");
    EXPECT_TRUE(m_client.TestConnection());
    EXPECT_TRUE(m_client.HasConnectionFailed()) << "the flag is never cleared";
}

// A half reply is no reply: the entries that came are not taken.
TEST_F(VqnDiagnosticsTest, ReplyWithoutEndMarkerFailsAtTheDeadline)
{
    const ScopedExchangeLimit limit(600);
    Simulator().SetTcpReply("trn=getrunningdrivers", kDeclaration + "<runningdrivers><driver name=\"MCP\" resource=\"SYSTEM\"/>");
    Stopwatch watch;
    std::vector<RunningDriverEntry> drivers;
    EXPECT_FALSE(m_client.GetRunningDrivers(drivers));
    EXPECT_GE(watch.ElapsedMs(), 600u);
    EXPECT_TRUE(drivers.empty());
    EXPECT_STREQ("the reply of the module at " + ModuleAddress()
                     + " did not end within 0 s (75 bytes): <runningdrivers><driver name=\"MCP\" resource=\"SYSTEM\"/>",
                 m_client.GetFailureText());
}

TEST_F(VqnDiagnosticsTest, SilentModuleGivesNoReply)
{
    const ScopedExchangeLimit limit(400);
    Simulator().Fail("tcp", "silent");
    CString reply;
    EXPECT_FALSE(m_client.SendRequest("trn=getrunningdrivers", reply, "</runningdrivers>"));
    EXPECT_TRUE(reply.IsEmpty());
    EXPECT_FALSE(m_client.HasConnectionFailed());
}

TEST_F(VqnDiagnosticsTest, ModuleClosingMidReplyEndsTheExchangeAtOnce)
{
    Simulator().Fail("tcp", "close");
    Stopwatch watch;
    CString reply = "before:";
    EXPECT_FALSE(m_client.SendRequest("trn=getrunningdrivers", reply, "</runningdrivers>"));
    EXPECT_LT(watch.ElapsedMs(), kLoadSlackMs) << "not the 10 s deadline";
    EXPECT_STREQ("before:", reply) << "nothing of a cut reply is appended";
    EXPECT_EQ(0, m_client.GetFailureText().Find("the reply of the module at " + ModuleAddress() + " stopped after "))
        << (LPCSTR)m_client.GetFailureText();
}

// Every exchange with a hostile module fails soon, appends nothing and says what came.
TEST_F(VqnDiagnosticsTest, AHostileModuleFailsEveryExchangeWithWhatCame)
{
    const ScopedExchangeLimit limit(2000);
    const std::string at = "the module at " + std::string(ModuleAddress());
    const std::string notXml = at + " answered with something that is not XML: \\x";
    const std::string late = "the reply of the module at " + std::string(ModuleAddress()) + " did not end within 2 s";
    const std::string error = at + " answered <error>request failed</error>";
    using Exchange = std::function<bool(CVQNDiagnostics&, CString&)>;
    const Exchange test = [](CVQNDiagnostics& c, CString&) { return c.TestConnection(); };
    const Exchange product = [](CVQNDiagnostics& c, CString& r) {
        return c.SendRequest(kProductInfoRequest, r, kProductInfoEndMarker);
    };
    const Exchange drivers = [](CVQNDiagnostics& c, CString&) {
        std::vector<RunningDriverEntry> entries;
        return c.GetRunningDrivers(entries) || !entries.empty();
    };
    const Exchange index = [](CVQNDiagnostics& c, CString&) {
        std::vector<DiagnosticIndexEntry> entries;
        return c.GetDiagnosticIndex("SYSTEM", "MCP", entries) || !entries.empty();
    };
    const Exchange events = [](CVQNDiagnostics& c, CString& r) { return c.RequestEventLog(r); };
    const struct {
        const char* mode;
        const char* name;
        Exchange exchange;
        std::string text;
    } cases[] = {
        {"junk", "test", test, notXml},       {"junk", "prodinfo", product, notXml},
        {"junk", "drivers", drivers, notXml}, {"junk", "index", index, notXml},
        {"error", "prodinfo", product, error}, {"error", "drivers", drivers, error},
        {"error", "index", index, error},     {"error", "eventlog", events, error},
        {"endless", "drivers", drivers, late}, {"trickle", "prodinfo", product, late},
        {"cut", "eventlog", events, "the reply of the module at " + std::string(ModuleAddress()) + " did not end"},
    };
    for (const auto& c : cases) {
        Simulator().Fail("tcp", c.mode);
        CString reply;
        Stopwatch watch;
        EXPECT_FALSE(c.exchange(m_client, reply)) << c.mode << " " << c.name;
        EXPECT_LT(watch.ElapsedMs(), 2000 + kLoadSlackMs) << c.mode << " " << c.name;
        EXPECT_TRUE(reply.IsEmpty()) << c.mode << " " << c.name;
        EXPECT_EQ(0, m_client.GetFailureText().Find(c.text.c_str()))
            << c.mode << " " << c.name << ": " << (LPCSTR)m_client.GetFailureText();
        EXPECT_EQ(-1, ProductKindOfReply(reply)) << c.mode << " " << c.name;
    }
}

TEST_F(VqnDiagnosticsTest, ReplyIsAppendedToTheCallersText)
{
    CString reply = "before:";
    EXPECT_TRUE(m_client.SendRequest("trn=testconnection", reply, kTestConnectionEndMarker));
    EXPECT_EQ(0, reply.Find("before:<?xml version=\"1.0\"?>"));
}

TEST_F(VqnDiagnosticsTest, RunningDrivers)
{
    std::vector<RunningDriverEntry> drivers;
    ASSERT_TRUE(m_client.GetRunningDrivers(drivers));
    ASSERT_EQ(2u, drivers.size());
    EXPECT_STREQ("MCP", drivers[0].driverName);
    EXPECT_STREQ("SYSTEM", drivers[0].resource);
    EXPECT_STREQ("IEC61850C", drivers[1].driverName);
    EXPECT_STREQ("ETH1", drivers[1].resource);
    EXPECT_EQ(std::vector<std::string>{"trn=getrunningdrivers"}, TextRequests());
}

// Entries broken off before the end marker: the scan ends there and keeps the entries before.
TEST_F(VqnDiagnosticsTest, CutOffEntriesEndTheScans)
{
    const ScopedExchangeLimit limit(200);
    const std::string first = "<driver name=\"A\" resource=\"R1\"/>";
    const struct {
        const char* tail;
        size_t entries;
    } cases[] = {
        {"", 1},
        {"<driver name=\"B", 1},
        {"<driver name=\"B\" resource=\"R2", 1},
        {"<driver name=\"B\" resource=", 1},
        {"<driver name=\"B\"/>", 1},
        {"<driver name=", 1},
        {"<driver name=\"B\" resource=\"R2\"/>", 2},
    };
    for (const auto& c : cases) {
        Simulator().SetTcpReply("trn=getrunningdrivers",
                                kDeclaration + "<runningdrivers>" + first + c.tail + "</runningdrivers>");
        std::vector<RunningDriverEntry> drivers;
        EXPECT_TRUE(m_client.GetRunningDrivers(drivers)) << c.tail;
        EXPECT_EQ(c.entries, drivers.size()) << c.tail;
    }

    Simulator().SetTcpReply("trn=getdiagnostics&resource=ETH1&driver=IEC61850C&diagcode=getindex",
                            kDeclaration + "<getindex><diagcode code=\"status[0]\" description=\"Status\"/>"
                                           "<diagcode code=\"x\" description=\"cut</getindex>");
    std::vector<DiagnosticIndexEntry> index;
    EXPECT_TRUE(m_client.GetDiagnosticIndex("ETH1", "IEC61850C", index));
    ASSERT_EQ(1u, index.size());
    EXPECT_STREQ("status[0]", index[0].code);
}

TEST_F(VqnDiagnosticsTest, RunningDriversWithoutEntries)
{
    Simulator().SetTcpReply("trn=getrunningdrivers", kDeclaration + "<runningdrivers></runningdrivers>");
    std::vector<RunningDriverEntry> drivers;
    EXPECT_TRUE(m_client.GetRunningDrivers(drivers));
    EXPECT_TRUE(drivers.empty());
}

TEST_F(VqnDiagnosticsTest, LongReplyArrivesInPiecesIntact)
{
    std::string reply = kDeclaration + "<runningdrivers>";
    const int count = 600; // about 24 KB: several pieces of 8192 bytes
    for (int i = 0; i < count; ++i)
        reply += "<driver name=\"DRIVER" + std::to_string(i) + "\" resource=\"RESOURCE" + std::to_string(i) + "\"/>";
    reply += "</runningdrivers>";
    Simulator().SetTcpReply("trn=getrunningdrivers", reply);
    std::vector<RunningDriverEntry> drivers;
    ASSERT_TRUE(m_client.GetRunningDrivers(drivers));
    ASSERT_EQ(static_cast<size_t>(count), drivers.size());
    EXPECT_STREQ("DRIVER0", drivers.front().driverName);
    EXPECT_STREQ("RESOURCE599", drivers.back().resource);
}

TEST_F(VqnDiagnosticsTest, DiagnosticIndex)
{
    std::vector<DiagnosticIndexEntry> entries;
    ASSERT_TRUE(m_client.GetDiagnosticIndex("SYSTEM", "MCP", entries));
    ASSERT_EQ(2u, entries.size());
    EXPECT_STREQ("status[0]", entries[0].code);
    EXPECT_STREQ("Driver status", entries[0].description);
    EXPECT_EQ(0, entries[0].number);
    EXPECT_STREQ("geteipsstatus", entries[1].code);
    EXPECT_EQ(std::vector<std::string>{"trn=getdiagnostics&resource=SYSTEM&driver=MCP&diagcode=getindex"},
              TextRequests());
}

// Each code ends its exchange at its own marker: a reply holding the marker
// returns at once, one holding another closing tag only at the deadline.
// Each reply ends at its marker, or as a whole document: one of another root fails at once.
TEST_F(VqnDiagnosticsTest, DiagnosticsEndMarkers)
{
    // Far above the bound below: a reply that waited for the limit shows even on a loaded machine.
    const DWORD kLimitMs = 3 * kLoadSlackMs;
    const ScopedExchangeLimit limit(kLimitMs);
    const struct {
        const char* code;
        const char* marker;
        std::string reply;
        bool whole;
    } cases[] = {
        {"status[4]", "</status>", "<status><DV id=\"a\" value=\"1\"/></status>", true},
        {"geteipsstatus", "</getstatus>", "<getstatus><DV id=\"a\" value=\"1\"/></getstatus>", true},
        {"geteipsstatus", "</getstatus>", "<geteipsstatus><DV id=\"a\" value=\"1\"/></geteipsstatus>", false},
        {"counters", "</counters>", "<counters><DV id=\"a\" value=\"1\"/></counters>", true},
        {"counters", "</counters>", "<counters><DV id=\"a\" value=\"1\"/></counters >", true},
        {"[x]", "</[x]>", "<r><DV id=\"a\" value=\"1\"/></r><!--</[x]>-->", true},
    };
    for (const auto& c : cases) {
        EXPECT_STREQ(c.marker, DiagnosticsEndMarker(c.code)) << c.code;
        const std::string request = std::string("trn=getdiagnostics&resource=ETH1&driver=IEC61850C&diagcode=") + c.code;
        Simulator().SetTcpReply(request, kDeclaration + c.reply);
        Stopwatch watch;
        std::vector<DiagnosticItem> items;
        EXPECT_EQ(c.whole, m_client.GetDiagnostics("ETH1", "IEC61850C", c.code, items)) << c.code << " " << c.reply;
        EXPECT_EQ(c.whole ? 1u : 0u, items.size()) << c.code;
        EXPECT_LT(watch.ElapsedMs(), kLoadSlackMs) << c.code << " " << c.reply;
        if (!c.whole) {
            EXPECT_STREQ("the module at " + ModuleAddress() + " answered " + c.reply.c_str(), m_client.GetFailureText());
        }
    }
}

TEST_F(VqnDiagnosticsTest, DiagnosticItemsAndGroups)
{
    Simulator().SetTcpReply(
        "trn=getdiagnostics&resource=ETH1&driver=IEC61850C&diagcode=status[1]",
        kDeclaration + "<status>"
                       "<DV id=\"Full\" value=\"1\" description=\"Described\" vdescription=\"One\"/>"
                       "<DV id=\"Short\" value=\"2\" desc=\"Shortly\" vdesc=\"Two\"/>"
                       "<DV id=\"Bare\" value=\"3\"/>"
                       "<group description=\"Group A\"><DV id=\"Inner\" value=\"4\"/><sub desc=\"Sub\"/></group>"
                       "<plain/>"
                       "</status>");
    std::vector<DiagnosticItem> items;
    ASSERT_TRUE(m_client.GetDiagnostics("ETH1", "IEC61850C", "status[1]", items));
    ASSERT_EQ(5u, items.size());
    const struct {
        const char* label;
        const char* value;
        const char* description;
        const char* valueDescription;
        bool isGroup;
        size_t children;
    } expected[] = {
        {"Full", "1", "Described", "One", false, 0},
        {"Short", "2", "Shortly", "Two", false, 0},
        {"Bare", "3", "Bare", "3", false, 0},
        {"Group A", "Group A", "Group A", "Group A", true, 2},
        {"plain", "plain", "plain", "plain", true, 0},
    };
    for (size_t i = 0; i < items.size(); ++i) {
        EXPECT_STREQ(expected[i].label, items[i].label) << i;
        EXPECT_STREQ(expected[i].value, items[i].value) << i;
        EXPECT_STREQ(expected[i].description, items[i].description) << i;
        EXPECT_STREQ(expected[i].valueDescription, items[i].valueDescription) << i;
        EXPECT_EQ(expected[i].isGroup, items[i].isGroup) << i;
        EXPECT_EQ(expected[i].children, items[i].children.size()) << i;
    }
    EXPECT_STREQ("Inner", items[3].children[0].label);
    EXPECT_STREQ("Sub", items[3].children[1].label);
    EXPECT_TRUE(items[3].children[1].isGroup);
}

TEST_F(VqnDiagnosticsTest, DiagnosticsReplyFaults)
{
    const ScopedExchangeLimit limit(300);
    const struct {
        const char* name;
        std::string reply;
        bool result;
        size_t items;
    } cases[] = {
        {"no children", "<status/>", true, 0},
        {"DV without id", "<status><DV id=\"a\" value=\"1\"/><DV value=\"2\"/><DV id=\"c\" value=\"3\"/></status>", false, 1},
        {"DV without value", "<status><g><DV id=\"b\"/></g></status>", false, 0},
        {"not XML", "<status><DV id=\"a\" value=\"1\"></status>", false, 0},
    };
    for (const auto& c : cases) {
        Simulator().SetTcpReply("trn=getdiagnostics&resource=R&driver=D&diagcode=status[2]", kDeclaration + c.reply);
        std::vector<DiagnosticItem> items;
        EXPECT_EQ(c.result, m_client.GetDiagnostics("R", "D", "status[2]", items)) << c.name;
        EXPECT_EQ(c.items, items.size()) << c.name;
    }
}

TEST_F(VqnDiagnosticsTest, ProductInfoTellsTheModels)
{
    const ScopedExchangeLimit limit(300);
    const struct {
        const char* product;
        int kind;
    } cases[] = {{"VQN32-EIP-61850", 2}, {"VQN32-MTCP-61850", 2}, {"VQN31-EIP-61850", 1}};
    for (const auto& c : cases) {
        Simulator().SetProduct(c.product);
        CString reply;
        EXPECT_TRUE(m_client.SendRequest(kProductInfoRequest, reply, kProductInfoEndMarker));
        EXPECT_EQ(c.kind, ProductKindOfReply(reply)) << c.product;
    }
    Simulator().Fail("tcp", "silent");
    CString reply;
    EXPECT_FALSE(m_client.SendRequest(kProductInfoRequest, reply, kProductInfoEndMarker));
    EXPECT_EQ(-1, ProductKindOfReply(reply));
}

TEST_F(VqnDiagnosticsTest, EventLogInEitherSpelling)
{
    for (const char* element : {"eventLog", "eventlog"}) {
        Simulator().SetTcpReply("trn=geteventlogcache",
                                kDeclaration + "<" + element + ">"
                                    + "<messageData dateTime=\"d1\" eventLevel=\"INFO\" sourceID=\"MCP\" resourceID=\"SYSTEM\""
                                      " messageID=\"1\" message=\"started\"/></"
                                    + element + ">");
        Stopwatch watch;
        CString reply;
        ASSERT_TRUE(m_client.RequestEventLog(reply)) << element;
        EXPECT_LT(watch.ElapsedMs(), kLoadSlackMs) << element << ": the end tag completes the reply";
        std::vector<EventLogEntry> entries;
        ASSERT_TRUE(ParseEventLogReply(reply, entries)) << element;
        ASSERT_EQ(1u, entries.size());
        EXPECT_STREQ("d1", entries[0].dateTime);
        EXPECT_STREQ("INFO", entries[0].eventLevel);
        EXPECT_STREQ("MCP", entries[0].sourceId);
        EXPECT_STREQ("SYSTEM", entries[0].resourceId);
        EXPECT_STREQ("1", entries[0].messageId);
        EXPECT_STREQ("started", entries[0].message);
    }
    EXPECT_EQ(std::vector<std::string>(2, "trn=geteventlogcache"), TextRequests());
}

TEST_F(VqnDiagnosticsTest, EventLogGroupsAndMissingAttributes)
{
    Simulator().SetTcpReply(
        "trn=geteventlogcache",
        kDeclaration + "<eventLog>"
                       "<messageData dateTime=\"d1\" eventLevel=\"INFO\" sourceID=\"S\" resourceID=\"R\" messageID=\"1\" message=\"m1\"/>"
                       "<group dateTime=\"d2\" eventLevel=\"WARN\">"
                       "<messageData dateTime=\"d3\" eventLevel=\"INFO\" sourceID=\"S\" resourceID=\"R\" messageID=\"3\" message=\"m3\"/>"
                       "<inner message=\"m4\"><messageData message=\"m5\"/></inner>"
                       "</group>"
                       "<messageData dateTime=\"d6\" sourceID=\"S\" resourceID=\"R\" messageID=\"6\" message=\"m6\"/>"
                       "<messageData dateTime=\"d7\" eventLevel=\"ERROR\" sourceID=\"S\" resourceID=\"R\" messageID=\"7\" message=\"m7\"/>"
                       "</eventLog>");
    CString reply;
    ASSERT_TRUE(m_client.RequestEventLog(reply));
    std::vector<EventLogEntry> entries;
    ASSERT_TRUE(ParseEventLogReply(reply, entries));
    ASSERT_EQ(4u, entries.size());
    EXPECT_STREQ("m1", entries[0].message);

    const EventLogEntry& group = entries[1];
    EXPECT_STREQ("d2", group.dateTime);
    EXPECT_STREQ("WARN", group.eventLevel);
    EXPECT_STREQ("", group.message);
    ASSERT_EQ(2u, group.children.size());
    EXPECT_STREQ("m3", group.children[0].message);
    EXPECT_STREQ("m4", group.children[1].message);
    ASSERT_EQ(1u, group.children[1].children.size());
    EXPECT_STREQ("m5", group.children[1].children[0].message);

    EXPECT_STREQ("d6", entries[2].dateTime);
    EXPECT_STREQ("", entries[2].eventLevel) << "an absent attribute gives an empty text";
    EXPECT_STREQ("m6", entries[2].message);
    EXPECT_STREQ("m7", entries[3].message) << "the events after it stay";
}

TEST(EventLogReply, RepliesWithoutAnEventLog)
{
    ASSERT_TRUE(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    const struct {
        const char* reply;
        bool result;
        size_t entries;
    } cases[] = {
        {"", false, 9},
        {"<?xml version=\"1.0\"?>", false, 9},
        {"<?xml version=\"1.0\"?><other><messageData message=\"m\"/></other>", false, 9},
        {"<?xml version=\"1.0\"?><EVENTLOG/>", false, 9},
        {"<?xml version=\"1.0\"?><eventLog><messageData message=\"m\"/>", false, 9},
        {"<?xml version=\"1.0\"?><eventLog/>", true, 0},
        {"<eventlog><messageData message=\"m\"/></eventlog>", true, 1},
    };
    for (const auto& c : cases) {
        std::vector<EventLogEntry> entries(9);
        EXPECT_EQ(c.result, ParseEventLogReply(c.reply, entries)) << c.reply;
        EXPECT_EQ(c.entries, entries.size()) << c.reply;
    }
    ::CoUninitialize();
}

} // namespace

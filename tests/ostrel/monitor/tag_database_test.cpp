// The tag database: the configuration read into rows (addresses, paths, hidden columns, order), Corvel's own
// configuration read back, value refreshes in requests of limited length, and the text files it writes.
#include "monitor_test_support.h"

#include "corvel/gateway/config_test_support.h"
#include "support/paths.h"
#include "support/temp_folder.h"

#include <gmock/gmock.h>

namespace {

using ::testing::ElementsAre;

std::string Fixture(LPCSTR name)
{
    return ReadBinaryFile(SourcePath(CString("tests\\ostrel\\monitor\\fixtures\\") + name));
}

class TagDatabaseTest : public MonitorClientTest {
protected:
    void SetUp() override
    {
        MonitorClientTest::SetUp();
        database.SetTable(&table);
        database.SetClient(&client);
        if (!HasFatalFailure()) {
            ASSERT_EQ(1, client.IsReachable(ModuleAddress()));
        }
    }

    // Loads a configuration through the simulator.
    void Load(const std::string& config)
    {
        Simulator().SetConfig("current.xml", config);
        ASSERT_EQ(0, database.LoadConfiguration());
    }
    std::vector<std::string> Column(int column)
    {
        std::vector<std::string> texts;
        for (int row = 1; row <= table.GetLastRow(); ++row)
            texts.push_back(std::string(table.GetText(row, column)));
        return texts;
    }
    // The gettagsvalue requests the simulator saw, in order.
    std::vector<std::string> ValueRequests()
    {
        std::vector<std::string> requests;
        const std::string all = AllTextBytes();
        const std::string verb = "trn=gettagsvalue&count=";
        for (size_t at = all.find(verb); at != std::string::npos;) {
            const size_t next = all.find("trn=", at + verb.size());
            requests.push_back(all.substr(at, next == std::string::npos ? std::string::npos : next - at));
            at = next == std::string::npos ? next : all.find(verb, next);
        }
        return requests;
    }

    ScratchTable table;
    TagDatabase database;
};

TEST_F(TagDatabaseTest, ModbusConfigurationGivesAddressesPathsAndSortedNumberedRows)
{
    Load(Fixture("modbus_config.xml"));
    EXPECT_THAT(table.Names(), ElementsAre("B", "C", "D", "E", "A", "Node1", "F"));
    // StartRegister - 40001 + DataTag / 2, sorted as numbers (100 after 10).
    EXPECT_THAT(Column(kColumnAddress), ElementsAre("0", "0", "1", "1", "3", "10", "100"));
    EXPECT_THAT(Column(kColumnNumber), ElementsAre("1", "2", "3", "4", "5", "6", "7"));
    // "None" is "none"; a report member takes its MMS path, a GOOSE member its data path; Corvel's form keeps
    // the data path on the TagMap.
    EXPECT_THAT(Column(kColumnPath), ElementsAre("XCBR1$ST$Pos$stVal", "MMXU1$MX$Hz$mag$f", "GGIO2$ST$Ind", "",
                                                 "GGIO1$ST$Ind1", "", "CSWI1$CO$Pos$Oper$ctlVal"));
    EXPECT_THAT(Column(kColumnDataType), ElementsAre("BOOL", "BYTE", "INT[4]", "Pair", "INT", "STATUSIEC61850CNode",
                                                     "UDINT"));
    EXPECT_THAT(table.hidden, ElementsAre(kColumnComment));
    EXPECT_EQ(7u, database.GetTagCount());
    EXPECT_EQ(&table.Row(5), database.FindTag("A"));
    EXPECT_EQ(kTagStructure, database.FindTag("E")->GetTypeCode());
    ASSERT_NE(nullptr, database.FindDataType("Pair"));
    EXPECT_EQ(2, database.FindDataType("Pair")->at(1).elementCount);
    EXPECT_EQ(nullptr, database.FindDataType("INT"));
    // The document is kept as "current-ADDRESS.xml".
    EXPECT_NE(std::string::npos, ReadBinaryFile("current-" + ModuleAddress() + ".xml").find("<Map Tag=\"A\""));
}

TEST_F(TagDatabaseTest, WithoutModbusAddressesTheFileOrderStaysAndEmptyColumnsHide)
{
    Load(Fixture("plain_config.xml"));
    EXPECT_THAT(table.Names(), ElementsAre("Zulu", "Yankee", "Xray"));
    EXPECT_THAT(table.hidden, ElementsAre(kColumnAddress, kColumnPath, kColumnComment));
    EXPECT_THAT(Column(kColumnNumber), ElementsAre("1", "2", "3"));
}

TEST_F(TagDatabaseTest, NoConfigurationLeavesTheTableAlone)
{
    Simulator().Fail("tcp", "refuse");
    ScopedReplyLimit limit(300);
    EXPECT_EQ(-1000, database.LoadConfiguration());
    EXPECT_EQ(0, table.GetLastRow());
    EXPECT_TRUE(table.hidden.empty());
}

// Corvel writes the configuration; Ostrel reads the same tags and paths back.
class CorvelConfiguration : public ConfigTest::ConfigFixture {};

TEST_F(CorvelConfiguration, IsReadBackTagForTag)
{
    Corvel::Records::_IED_DEVICE& ied = AddIed("IED1");
    AddRow(ied, {"LD0/MMXU1$MX$A[0]", "IED1_A[0]", "FLOAT32", "R", "phase A", "IED1LD0"});
    AddRow(ied, {"CSWI1$CO$Pos$Oper$ctlVal", "Brk", "BOOLEAN", "W", "close", "IED1LD0", "Command", "0", "Pos"});
    AddRow(ied, {"LD0/GGIO1$ST$Ind1$stVal", "IED1_Ind1", "BOOLEAN", "R", "", "IED1LD0"});
    const auto xml = Write();

    ModuleSimulator simulator;
    simulator.Reset();
    simulator.SetConfig("current.xml", WrittenText());
    ASSERT_TRUE(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    ASSERT_TRUE(AfxSocketInit());
    {
        CDiagnosticTcpClient client;
        ScratchTable table;
        TagDatabase database;
        database.SetTable(&table);
        database.SetClient(&client);
        ASSERT_EQ(1, client.IsReachable(simulator.Address()));
        ASSERT_EQ(0, database.LoadConfiguration());
        std::vector<std::string> written;
        for (const std::string& name : ConfigTest::TagNames(*xml))
            written.push_back(name);
        EXPECT_EQ(written, table.Names());
        const TagItem* tag = database.FindTag("IED1_A0");
        ASSERT_NE(nullptr, tag);
        EXPECT_EQ("MMXU1$MX$A(0)", tag->GetPath());
        EXPECT_EQ("REAL", tag->GetDataType());
        EXPECT_EQ("CSWI1$CO$Pos$Oper$ctlVal", database.FindTag("Brk")->GetPath());
        EXPECT_EQ("StatusIEC61850CBase_eth0.noReconnects", database.FindTag("StatusIEC61850CBase_eth0")->GetRequestName());
    }
    ::CoUninitialize();
}

TEST_F(TagDatabaseTest, RefreshAsksInRequestsOfLimitedLengthLaterRowsFirst)
{
    std::string config = "<?xml version=\"1.0\"?><DeviceConfig><TagDB><tags>";
    for (int i = 0; i < 60; ++i) {
        char name[32];
        snprintf(name, sizeof name, "Feeder_Measure_%05d", i); // 20 characters
        config += std::string("<tag name=\"") + name + "\" datatype=\"INT\" dim0=\"0\"/>";
        Simulator().SetTagValue(name, std::to_string(i * 3));
    }
    config += "</tags></TagDB></DeviceConfig>";
    Load(config);

    database.RefreshRows(1, 60);
    const std::vector<std::string> requests = ValueRequests();
    ASSERT_GE(requests.size(), 2u);
    int asked = 0;
    for (const std::string& request : requests) {
        const int count = atoi(request.c_str() + strlen("trn=gettagsvalue&count="));
        EXPECT_NE(std::string::npos, request.find("&tag0=Feeder_Measure_")) << request;
        EXPECT_NE(std::string::npos, request.find("&tag" + std::to_string(count - 1) + "=")) << request;
        EXPECT_EQ(std::string::npos, request.find("&tag" + std::to_string(count) + "=")) << request;
        // At most one tag beyond 900 characters.
        const size_t list = request.size() - request.find("&tag0=");
        EXPECT_LE(list, 900u + 30u) << request;
        asked += count;
    }
    EXPECT_EQ(60, asked);
    // The last rows are asked for first.
    EXPECT_NE(std::string::npos, requests.front().find("Feeder_Measure_00059"));
    EXPECT_NE(std::string::npos, requests.back().find("&tag0=Feeder_Measure_00000"));
    for (int row = 1; row <= 60; ++row)
        EXPECT_EQ(std::to_string((row - 1) * 3), std::string(table.GetText(row, kColumnValue))) << row;

    // One row, and an empty range.
    Simulator().Reset();
    Simulator().SetTagValue("Feeder_Measure_00007", "-4");
    database.RefreshRows(8, 8);
    database.RefreshRows(9, 8);
    EXPECT_THAT(ValueRequests(), ElementsAre("trn=gettagsvalue&count=1&tag0=Feeder_Measure_00007"));
    EXPECT_EQ("-4", table.GetText(8, kColumnValue));
}

TEST_F(TagDatabaseTest, StatusTagsAreAskedAndAnsweredUnderTheirLongerName)
{
    Load(Fixture("modbus_config.xml"));
    Simulator().SetTagValue("Node1.nodeStatus", "7");
    database.RefreshRows(6, 6);
    EXPECT_THAT(ValueRequests(), ElementsAre("trn=gettagsvalue&count=1&tag0=Node1.nodeStatus"));
    EXPECT_EQ("7", database.FindTag("Node1")->GetValue());
    EXPECT_EQ("7", table.GetText(6, kColumnValue));
}

TEST_F(TagDatabaseTest, AnUnreachableModuleFailsTheRefresh)
{
    Load(Fixture("plain_config.xml"));
    Simulator().Fail("tcp", "refuse");
    int thrown = 0;
    try {
        database.RefreshRows(1, 3);
    } catch (int value) {
        thrown = value;
    }
    EXPECT_EQ(1, thrown);
}

TEST_F(TagDatabaseTest, EventLogAndRunningDriversAreWrittenAsLines)
{
    TempFolder folder;
    Simulator().SetTcpReply("trn=geteventlogcache",
                            "<?xml version=\"1.0\"?><eventLog>"
                            "<messageData dateTime=\"2024-05-01 10:00:00\" eventLevel=\"INFO\" sourceID=\"MCP\""
                            " resourceID=\"SYSTEM\" messageID=\"1\" message=\"Module started\"/>"
                            "<messageData dateTime=\"2024-05-01 10:00:05\" eventLevel=\"ERROR\" sourceID=\"IEC61850C\""
                            " resourceID=\"ETH1\" messageID=\"7\" message=\"Server not reachable\" value=\"3\">"
                            "<value>10.0.0.1</value></messageData></eventLog>");
    EXPECT_EQ(0, database.WriteEventLog(folder.File("events.txt")));
    EXPECT_EQ("2024-05-01 10:00:00 INFO MCP SYSTEM 1 Module started\r\n"
              "2024-05-01 10:00:05 ERROR IEC61850C ETH1 7 Server not reachable 3 10.0.0.1\r\n",
              ReadBinaryFile(folder.File("events.txt")));
    EXPECT_EQ(0, database.WriteRunningDrivers(folder.File("drivers.txt")));
    EXPECT_EQ("MCP SYSTEM\r\nIEC61850C ETH1\r\n", ReadBinaryFile(folder.File("drivers.txt")));

    Simulator().Fail("tcp", "refuse");
    EXPECT_EQ(-1000, database.WriteEventLog(folder.File("none.txt")));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(folder.File("none.txt")));
}

TEST(CsvExport, QuotesFieldsThatHoldCommasQuotesOrLineBreaks)
{
    const struct {
        const char* text;
        const char* field;
    } cases[] = {{"plain", "plain"},
                 {"", ""},
                 {"a,b", "\"a,b\""},
                 {"say \"hi\"", "\"say \"\"hi\"\"\""},
                 {"two\nlines", "\"two\nlines\""},
                 {"cr\r", "\"cr\r\""}};
    for (const auto& c : cases)
        EXPECT_EQ(c.field, CsvField(c.text)) << c.text;

    TempFolder folder;
    ScratchTable table;
    TagDatabase database;
    database.SetTable(&table);
    TagDefinition definition;
    definition.name = "Feeder,1";
    definition.dataType = "INT";
    definition.comment = "bay \"A\"";
    table.AppendTag()->Define(definition);
    table.GetTag(1)->SetValue("5");
    definition.name = "Plain";
    definition.elementCount = 2;
    definition.comment.Empty();
    table.AppendTag()->Define(definition);
    ASSERT_TRUE(database.ExportCsv(folder.File("tags.csv")));
    EXPECT_EQ("\"Feeder,1\",INT,5,\"bay \"\"A\"\"\"\r\nPlain,INT[2],,\r\n", ReadBinaryFile(folder.File("tags.csv")));
}

} // namespace

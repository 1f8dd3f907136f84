// The port resources of the module configuration: drivers, remote addresses, tag maps and reports.
#include "config_test_support.h"

#include "corvel/gateway/device_config_writer.h"

#include <regex>

namespace {

using namespace ConfigTest;
using ::testing::ElementsAre;

class ConfigResources : public ConfigFixture {
protected:
    // The id and status index of every driver of the resource, "SNTP:0" or "SNTP".
    static Strings Drivers(const Node* resource)
    {
        Strings drivers;
        for (const Node* driver : Children(resource, "Driver")) {
            const std::string index = ParsedXml::Attribute(driver, "_statusIndex");
            drivers.push_back(ParsedXml::Attribute(driver, "id") + (index == "<none>" ? "" : ":" + index));
        }
        return drivers;
    }
    static const Node* Resource(const ParsedXml& xml, const char* id) { return FindWith(xml, "Resource", "id", id); }

    // An IED mapping a report of three attributes in groups 0,1,2,3, with its report-path entries.
    _IED_DEVICE& AddReportIed()
    {
        _IED_DEVICE& ied = AddIed("IED1");
        ReportPathEntry entry;
        entry.isReport = true;
        entry.iCount = 3;
        entry.isBuffered = true;
        entry.reportDomain = "IED1LD0";
        entry.reportDataPath = "LLN0$BR$brcbMX01";
        entry.reportID = "IED1LD0/LLN0$BR$brcbMX";
        entry.reportConfRev = "7";
        entry.groupOffset = "0,1,2,3";
        entry.iIntPd = 5000;
        entry.isDchg = entry.isGI = true;
        const struct {
            const char* path;
            const char* tag;
            int index;
        } members[] = {{"IED1LD0/BR/brcbMX01:MMXU1$MX$A$phsA$cVal$mag$f", "IA", 0},
                       {"IED1LD0/BR/brcbMX01:MMXU1$MX$A$phsC$cVal$mag$f", "IC", 2},
                       {"IED1LD0/BR/brcbMX01:MMXU1$MX$A$phsX", "IX", 3}}; // beyond the data set
        for (const auto& m : members) {
            AddRow(ied, {m.path, m.tag, "FLOAT32", "R", "", "IED1LD0", "Report"});
            entry.tagName = m.tag;
            entry.iIndex = m.index;
            ied.ReportsPath[m.path] = entry;
        }
        // A row without an entry, and one whose entry names no report control block.
        AddRow(ied, {"IED1LD0/BR/none:MMXU1$MX$Hz", "Hz", "FLOAT32", "R", "", "IED1LD0", "Report"});
        AddRow(ied, {"IED1LD0/BR/x:MMXU1$MX$W", "W", "FLOAT32", "R", "", "IED1LD0", "Report"});
        ied.ReportsPath["IED1LD0/BR/x:MMXU1$MX$W"] = ReportPathEntry();
        return ied;
    }
};

TEST_F(ConfigResources, DriversCarryTheirStatusIndexUnlessTheStatusRegistersStartAtZero)
{
    const struct {
        const char* statusStart;
        Strings drivers;
    } cases[] = {{"65531", {"SNTP:0", "EIPS:4", "IEC61850C:3"}}, {"0", {"SNTP", "EIPS", "IEC61850C"}},
                 {"00", {"SNTP", "EIPS", "IEC61850C"}}, {"1", {"SNTP:0", "EIPS:4", "IEC61850C:3"}}};
    for (const auto& c : cases) {
        records.project.VQNstatusStart = c.statusStart;
        const auto xml = Write();
        EXPECT_EQ(c.drivers, Drivers(Resource(*xml, "eth0"))) << c.statusStart;
    }
    const auto xml = Write();
    EXPECT_THAT(ParsedXml::Attributes(Resource(*xml, "eth0")),
                ElementsAre("id=eth0", "ip=192.168.0.250", "netmask=255.255.255.0", "gateway=192.168.0.1"));
    EXPECT_THAT(ParsedXml::Attributes(xml->Find("Resources/Resource/Driver/SNTPSchedule")),
                ElementsAre("updateMinutes=0", "serverAddress=192.168.0.1"));
}

TEST_F(ConfigResources, TheRpiLimitFollowsTheNumberOfIeds)
{
    const struct {
        int ieds;
        const char* rpi;
    } cases[] = {{0, "10"}, {5, "10"}, {6, "40"}, {10, "40"}, {11, "60"}, {15, "60"}, {16, "100"}, {20, "100"}};
    int placed = 0;
    for (const auto& c : cases) {
        for (; placed < c.ieds; ++placed)
            AddIed("IED");
        RpiLimitInfo limit;
        limit.Refresh(records.project);
        EXPECT_EQ(c.ieds, limit.iedCount);
        EXPECT_STREQ(c.rpi, limit.rpiLimit) << c.ieds;
        const auto xml = Write();
        EXPECT_EQ(c.rpi, ParsedXml::Attribute(Descendants(xml->Root(), "Implicit").at(0), "RPI")) << c.ieds;
    }
}

TEST_F(ConfigResources, ThePortsDecideWhereEachDriverRuns)
{
    const struct {
        int ports;
        int portPlc;
        int port61850;
        Strings eth0;
        Strings eth1; // empty: no second resource
    } cases[] = {
        {1, 2, 2, {"SNTP:0", "IEC61850C:3"}, {}},
        {2, 2, 1, {"SNTP:0", "IEC61850C:3"}, {"EIPS:4"}},
        {2, 1, 2, {"SNTP:0", "EIPS:4"}, {"IEC61850C:3"}},
        {3, 2, 2, {"SNTP:0", "IEC61850C:3"}, {}},
    };
    for (const auto& c : cases) {
        records.project.numPorts = c.ports;
        records.project.portPLC = c.portPlc;
        records.project.port61850 = c.port61850;
        const auto xml = Write();
        EXPECT_EQ(c.eth0, Drivers(Resource(*xml, "eth0"))) << c.ports << c.portPlc << c.port61850;
        EXPECT_EQ(c.eth1, Drivers(Resource(*xml, "eth1"))) << c.ports << c.portPlc << c.port61850;
    }
    // The second port's adapter has no RPI.
    records.project.numPorts = 2;
    records.project.portPLC = 2;
    records.project.eth1IPaddr = "172.16.0.9";
    const auto xml = Write();
    EXPECT_THAT(ParsedXml::Attributes(Resource(*xml, "eth1")),
                ElementsAre("id=eth1", "ip=172.16.0.9", "netmask=255.255.255.0", "gateway=192.168.1.1"));
    const Node* implicit = Descendants(Resource(*xml, "eth1"), "Implicit").at(0);
    EXPECT_TRUE(ParsedXml::Attributes(implicit).empty());
}

TEST_F(ConfigResources, RemoteAddressListsTheIedSettingsAndDefaultsTheMmsPing)
{
    _IED_DEVICE& ied = AddIed("Feeder_1");
    ied.APTitle = "1,3,9999,33";
    ied.AEQualifier = "33";
    ied.pSel = "00000001";
    ied.sSel = "0001";
    ied.tSel = "0001";
    ied.MSScanDelay = "250";
    ied.IPaddr = "10.1.1.7";
    ied.MMSping.Empty();
    const auto xml = Write();
    const Node* remote = Descendants(xml->Root(), "RemoteAddress").at(0);
    ASSERT_NE(nullptr, remote);
    EXPECT_THAT(ParsedXml::ChildNames(remote),
                ElementsAre("AR_Name", "AP_Title", "AE_Qualifier", "Psel", "Ssel", "Tsel", "IscanDly", "MMSping",
                            "IPADDR", "Commands", "Reports", "Geese"));
    Strings texts;
    for (const Node* child = remote->first_node(); child != remote->first_node("Commands");
         child = child->next_sibling())
        texts.push_back(child->value());
    EXPECT_THAT(texts, ElementsAre("Feeder_1", "1,3,9999,33", "33", "00000001", "0001", "0001", "250", "12",
                                   "10.1.1.7"));
    EXPECT_THAT(ParsedXml::Attributes(remote->first_node("IPADDR")), ElementsAre("Type=NetAddr"));
    EXPECT_STREQ("12", ied.MMSping);
    const Node* client = FindWith(*xml, "Driver", "id", "IEC61850C");
    EXPECT_THAT(ParsedXml::ChildNames(client), ElementsAre("GOOSESupport", "SampleValueSupport", "RemoteAddressList"));
    EXPECT_THAT(ParsedXml::Attributes(client->first_node("GOOSESupport")), ElementsAre("value=1"));
    EXPECT_TRUE(std::regex_search(WrittenText(), std::regex("<SampleValueSupport value=\"1\">\\s*</SampleValueSupport>")));
}

TEST_F(ConfigResources, PlainRowsMapTheirPathWithoutPrefixAndBrackets)
{
    _IED_DEVICE& ied = AddIed("IED1");
    AddRow(ied, {"LD0/MMXU1$MX$A[0]", "IED1_A[0]", "FLOAT32", "R", "phase A", "IED1LD0"});
    AddRow(ied, {"GGIO1$CO$SPCSO1$Oper$ctlVal", "IED1LD0_GGIO1$CO$SPCSO1$Oper$ctlVal", "BOOLEAN", "W", "", "IED1LD0",
                 "Data"});
    records.ctlModelMap[CtlModelKey("IED1LD0", "GGIO1$CO$SPCSO1")] = 2;
    const auto xml = Write();
    const auto maps = Descendants(xml->Root(), "TagMap");
    ASSERT_EQ(2u, maps.size());
    EXPECT_THAT(ParsedXml::Attributes(maps[0]), ElementsAre("domname=IED1LD0", "datapath=MMXU1$MX$A(0)",
                                                            "sbopath=none", "access=R", "ctltype="));
    EXPECT_THAT(ParsedXml::Attributes(maps[0]->first_node("TagMapData")),
                ElementsAre("comment=phase A", "tagname=IED1_A0", "dataname=none"));
    // The first port finds the control model by the tag name.
    EXPECT_EQ("2", ParsedXml::Attribute(maps[1], "ctltype"));
    EXPECT_TRUE(std::regex_search(WrittenText(), std::regex("dataname=\"none\">\\s*</TagMapData>")));
}

TEST_F(ConfigResources, CommandRowsOfOneBaseAndLogicalDeviceShareATagMap)
{
    _IED_DEVICE& ied = AddIed("IED1");
    AddRow(ied, {"CSWI1$CO$Pos$Oper$ctlVal", "Brk[1]", "BOOLEAN", "W", "close", "IED1LD0", "Command", "0", "Pos"});
    AddRow(ied, {"CSWI1$CO$Pos$Oper$T", "BrkT", "Timestamp", "W", "time", "IED1LD0", "Command", "0", "Pos"});
    AddRow(ied, {"CSWI1$CO$Pos$Oper$Test", "BrkX", "BOOLEAN", "W", "", "IED1LD1", "Command", "0", "Pos"});
    AddRow(ied, {"LD2/XCBR1$CO$BlkOpn[2]$Oper$ctlVal", "Blk", "BOOLEAN", "W", "", "IED1LD2", "Command", "0", "BlkOpn[2]"});
    records.ctlModelMap[CtlModelKey("IED1LD1", "CSWI1$CO$Pos")] = 4;
    const auto xml = Write();
    const auto maps = Descendants(xml->Root(), "TagMap");
    // Keys in text order: "CSWI1$CO$Pos" before "LD2/...".
    ASSERT_EQ(3u, maps.size());
    EXPECT_THAT(ParsedXml::Attributes(maps[0]), ElementsAre("domname=IED1LD0", "datapath=CSWI1$CO$Pos", "sbopath=",
                                                            "access=W", "ctltype=1"));
    EXPECT_THAT(AttributesOf(Children(maps[0], "TagMapData")),
                ElementsAre(ElementsAre("comment=close", "tagname=Brk1", "dataname=Oper$ctlVal"),
                            ElementsAre("comment=time", "tagname=BrkT", "dataname=Oper$T")));
    EXPECT_THAT(ParsedXml::Attributes(maps[1]), ElementsAre("domname=IED1LD1", "datapath=CSWI1$CO$Pos", "sbopath=",
                                                            "access=W", "ctltype=4"));
    EXPECT_THAT(ParsedXml::Attributes(maps[2]), ElementsAre("domname=IED1LD2", "datapath=XCBR1$CO$BlkOpn(2)",
                                                            "sbopath=", "access=W", "ctltype=1"));
    EXPECT_EQ("Oper$ctlVal", ParsedXml::Attribute(maps[2]->first_node("TagMapData"), "dataname"));
}

TEST_F(ConfigResources, TheSecondPortFindsControlModelsByDomainAndPathAndKeepsCommandPaths)
{
    records.project.numPorts = 2;
    records.project.port61850 = 2;
    _IED_DEVICE& ied = AddIed("IED1");
    AddRow(ied, {"GGIO1$CO$SPCSO1", "Out1", "BOOLEAN", "W", "out", "IED1LD0"});
    AddRow(ied, {"IED1LD0_CSWI1$CO$Pos[1]$Oper$ctlVal", "Brk", "BOOLEAN", "W", "close", "IED1LD0", "Command", "0",
                 "Pos[1]"});
    records.ctlModelMap[CtlModelKey("IED1LD0", "GGIO1$CO$SPCSO1")] = 3;
    const auto xml = Write();
    const Node* eth1 = FindWith(*xml, "Resource", "id", "eth1");
    const auto maps = Descendants(eth1, "TagMap");
    ASSERT_EQ(2u, maps.size());
    EXPECT_EQ("3", ParsedXml::Attribute(maps[0], "ctltype"));
    EXPECT_EQ("CSWI1$CO$Pos[1]", ParsedXml::Attribute(maps[1], "datapath"));
    EXPECT_THAT(ParsedXml::Attributes(maps[1]->first_node("TagMapData")),
                ElementsAre("comment=", "tagname=Brk", "dataname=Oper$ctlVal"));
}

TEST_F(ConfigResources, ReportRowsGatherIntoTheirReportControlBlock)
{
    AddReportIed();
    const auto xml = Write();
    const auto reports = Descendants(xml->Root(), "Report");
    ASSERT_EQ(1u, reports.size());
    EXPECT_THAT(ParsedXml::Attributes(reports[0]),
                ElementsAre("domname=IED1LD0", "datapath=LLN0$BR$brcbMX01", "rptid=IED1LD0/LLN0$BR$brcbMX",
                            "enable=Y", "intpd=5000", "confrev=7", "buffered=1", "bufferedReport=brcbMX01",
                            "trgopdchg=1", "trgopqchg=0", "trgopdupd=0", "trgopintpd=0", "trgopgi=1"));
    // The member beyond the data set is left out; the unmapped one keeps the placeholder.
    EXPECT_THAT(AttributesOf(Children(reports[0], "RptDataSet")),
                ElementsAre(ElementsAre("comment=", "tagname=IA", "rptgrpoff=0", "mmsPath=MMXU1$MX$A$phsA$cVal$mag$f"),
                            ElementsAre("comment=", "tagname=_tempTag", "rptgrpoff=1", "mmsPath="),
                            ElementsAre("comment=", "tagname=IC", "rptgrpoff=2",
                                        "mmsPath=MMXU1$MX$A$phsC$cVal$mag$f")));
    // Report rows are no plain tag maps.
    EXPECT_TRUE(Descendants(xml->Root(), "TagMap").empty());
    // The rows that find no place are named, each with its reason.
    EXPECT_THAT(result.warnings,
                ElementsAre("Warning: The tag \"IX\" of IED \"IED1\" is not in the configuration: its place in the "
                            "report's data set is outside the data set.",
                            "Warning: The tag \"Hz\" of IED \"IED1\" is not in the configuration: no report or GOOSE "
                            "control block is recorded for its path.",
                            "Warning: The tag \"W\" of IED \"IED1\" is not in the configuration: its report control "
                            "block has no path."));
}

// Report ids may be empty or shared by two blocks (a buffered and an unbuffered one on one data set): each
// block is a report of its own, with its own members, whichever of them comes first.
TEST_F(ConfigResources, BlocksWithOneReportIdStayTwoReports)
{
    // IED1's blocks share a report id, IED2's have none.
    for (const char* reportId : {"Events1", ""}) {
        _IED_DEVICE& ied = AddIed(*reportId != 0 ? "IED1" : "IED2");
        const struct {
            const char* block;
            bool buffered;
            int count;
            const char* tag;
            int index;
        } members[] = {{"LLN0$RP$EventsRCB", false, 2, "U0", 0},
                       {"LLN0$BR$BufferedRCB", true, 4, "B3", 3},
                       {"LLN0$RP$EventsRCB", false, 2, "U1", 1},
                       {"LLN0$BR$BufferedRCB", true, 4, "B0", 0}};
        for (const auto& m : members) {
            CString path;
            path.Format("LD0/%s:GGIO1$ST$Ind%d$stVal", m.block, m.index);
            AddRow(ied, {path, m.tag, "BOOLEAN", "R", "", "LD0", "Report"});
            ReportPathEntry& entry = ied.ReportsPath[path];
            entry.isReport = true;
            entry.isBuffered = m.buffered;
            entry.iCount = m.count;
            entry.iIndex = m.index;
            entry.tagName = m.tag;
            entry.reportDomain = "LD0";
            entry.reportDataPath = m.block;
            entry.reportID = reportId;
            entry.groupOffset = "0,1,2,3,4";
        }
    }
    const auto xml = Write();
    const auto ieds = Descendants(xml->Root(), "RemoteAddress");
    ASSERT_EQ(2u, ieds.size());
    for (const Node* ied : ieds) {
        const auto reports = Descendants(ied, "Report");
        ASSERT_EQ(2u, reports.size());
        EXPECT_EQ("LLN0$RP$EventsRCB", ParsedXml::Attribute(reports[0], "datapath"));
        EXPECT_EQ("0", ParsedXml::Attribute(reports[0], "buffered"));
        EXPECT_THAT(AttributeOf(Children(reports[0], "RptDataSet"), "tagname"), ElementsAre("U0", "U1"));
        EXPECT_EQ("LLN0$BR$BufferedRCB", ParsedXml::Attribute(reports[1], "datapath"));
        EXPECT_EQ("1", ParsedXml::Attribute(reports[1], "buffered"));
        EXPECT_THAT(AttributeOf(Children(reports[1], "RptDataSet"), "tagname"),
                    ElementsAre("B0", "_tempTag", "_tempTag", "B3"));
    }
    EXPECT_TRUE(result.warnings.empty());
}

TEST_F(ConfigResources, AReportCountBeyondAnyDataSetIsLeftOut)
{
    _IED_DEVICE& ied = AddReportIed();
    for (auto& [path, entry] : ied.ReportsPath)
        entry.iCount = 1 << 30;
    const auto xml = Write();
    EXPECT_TRUE(Descendants(xml->Root(), "Report").empty());
}

TEST(ReportGroupOffset, CountsTheBoundariesAfterTheFirstThatAreNotGreater)
{
    const struct {
        const char* boundaries;
        std::vector<int> offsets; // for members 0, 1, 2 ...
    } cases[] = {
        {"0,2,5,6", {0, 0, 1, 1, 1, 2, 3}},
        {"0,1,2,3", {0, 1, 2, 3}},
        {"0", {0, 0}},
        {"", {0}},
        {"0,2,", {0, 0, 2}}, // an empty last boundary reads as 0
    };
    for (const auto& c : cases) {
        Corvel::Gateway::CReport report;
        report.groupOffsets = c.boundaries;
        for (size_t k = 0; k < c.offsets.size(); ++k) {
            EXPECT_EQ(std::to_string(c.offsets[k]),
                      (LPCSTR)Corvel::Gateway::GetReportGroupOffset(report, static_cast<int>(k)))
                << c.boundaries << " member " << k;
        }
    }
}

} // namespace

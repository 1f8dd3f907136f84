// The EtherNet/IP maps and the GOOSE subscriptions of the module configuration.
#include "config_test_support.h"

namespace {

using namespace ConfigTest;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

class ConfigMaps : public ConfigFixture {
protected:
    const Node* Explicit(const ParsedXml& xml) { return FindWith(xml, "Driver", "id", "EIPS")->first_node("Explicit"); }
};

TEST_F(ConfigMaps, EachConnectionInUseListsItsInputAndOutputTags)
{
    Assign(records.tagsINP, "Val[1]", 3, 12);
    Assign(records.tagsINP, "Other", 7, 0);
    Assign(records.tagsINP, "Val[0]", 3, 0);
    Assign(records.tagsOUT, "Cmd[2]", 11, 4, "W");
    records.project.numPorts = 2;
    const auto xml = Write();
    const Node* implicit = FindWith(*xml, "Driver", "id", "EIPS")->first_node("Implicit");
    const auto connections = Children(implicit, "Connection");
    EXPECT_THAT(AttributesOf(connections),
                ElementsAre(ElementsAre("No=03", "ReconnCnt=StatusEIPS_ReconnectionCount_03"),
                            ElementsAre("No=07", "ReconnCnt=StatusEIPS_ReconnectionCount_07"),
                            ElementsAre("No=11", "ReconnCnt=StatusEIPS_ReconnectionCount_11")));
    EXPECT_THAT(ParsedXml::ChildNames(connections[0]), ElementsAre("Input", "Output"));
    EXPECT_THAT(AttributesOf(Children(connections[0]->first_node("Input"), "Map")),
                ElementsAre(ElementsAre("Tag=Val1", "StartAddress=12"), ElementsAre("Tag=Val0", "StartAddress=0")));
    EXPECT_THAT(ParsedXml::ChildNames(connections[0]->first_node("Output")), IsEmpty());
    // A connection with output tags only still has its (empty) input.
    EXPECT_THAT(ParsedXml::ChildNames(connections[2]), ElementsAre("Input", "Output"));
    EXPECT_THAT(ParsedXml::ChildNames(connections[2]->first_node("Input")), IsEmpty());
    EXPECT_THAT(AttributesOf(Children(connections[2]->first_node("Output"), "Map")),
                ElementsAre(ElementsAre("Tag=Cmd2", "StartAddress=4")));
}

TEST_F(ConfigMaps, ExplicitMapsListTheMessageTagsThenTheStatusMaps)
{
    AddIed("IED1");
    AddIed("IED2");
    Assign(records.tagsINP, "In", 2, 0);
    {
        const auto xml = Write();
        const Node* maps = Explicit(*xml);
        EXPECT_THAT(ParsedXml::ChildNames(maps), ElementsAre("Maps", "Maps", "Maps", "Map"));
        const auto groups = Children(maps, "Maps");
        EXPECT_THAT(AttributesOf(groups),
                    ElementsAre(ElementsAre("Tag=EIPS_Connection_Status", "Attribute=65000", "Access=R"),
                                ElementsAre("Tag=IED_Node_Status", "Attribute=65100", "Access=R"),
                                ElementsAre("Tag=Module_Driver_Status", "Attribute=65200", "Access=R")));
        EXPECT_THAT(AttributeOf(Children(groups[0], "Map"), "Tag"), ElementsAre("StatusEIPS_ReconnectionCount_02"));
        EXPECT_THAT(AttributeOf(Children(groups[1], "Map"), "Tag"),
                    ElementsAre("StatusIEC61850CNode_eth0_00", "StatusIEC61850CNode_eth0_01"));
        EXPECT_THAT(AttributesOf(Children(groups[2], "Map")),
                    ElementsAre(ElementsAre("Tag=SNTP_Status"), ElementsAre("Tag=EIPS_Status"),
                                ElementsAre("Tag=IEC61850c_Status")));
        EXPECT_THAT(ParsedXml::Attributes(maps->last_node("Map")),
                    ElementsAre("Tag=Reboot_Module", "Attribute=65210", "Access=W"));
    }
    // Message tags are numbered from 1 and keep their brackets.
    Assign(records.tagsMSG, "Text[0]", -1, 1, "R");
    Assign(records.tagsMSG, "Name", -1, 2, "R");
    Assign(records.tagsMSG, "Label", -1, 3, "R");
    const auto xml = Write();
    const auto messageMaps = Children(Explicit(*xml), "Map");
    EXPECT_THAT(AttributesOf(messageMaps),
                ElementsAre(ElementsAre("Tag=Text[0]", "Attribute=1", "Access=R"),
                            ElementsAre("Tag=Name", "Attribute=2", "Access=R"),
                            ElementsAre("Tag=Label", "Attribute=3", "Access=R"),
                            ElementsAre("Tag=Reboot_Module", "Attribute=65210", "Access=W")));
    EXPECT_THAT(AttributeOf(Descendants(xml->Root(), "Map"), "Access"),
                ::testing::Contains("W").Times(1));
}

class ConfigGoose : public ConfigFixture {
protected:
    using Mapping = std::vector<std::pair<const char*, int>>;

    // Gives the IED a GOOSE block gcb01 whose data set has the items given (three by default) and rows that
    // map the members given (tag name, member index).
    static void MapGoose(_IED_DEVICE& ied, const Mapping& mapped, std::vector<_DATA_ITEM> items = DefaultItems())
    {
        ied.ConfiguredCache.clear();
        ied.ReportsPath.clear();
        ReportPathEntry entry;
        entry.isReport = entry.isGOOSE = true;
        entry.appID = "0x3001";
        entry.gooseGCRef = "IED1LD0/LLN0$GO$gcb01";
        entry.gooseDataSetRef = "IED1LD0/LLN0$GooseDS";
        entry.gooseReportConfRev = "2";
        entry.gooseMulticastMacAddr = "01 0C CD 01 00 01";
        entry.gooseDataItemDomain = "IED1LD0";
        entry.iCount = static_cast<int>(items.size());
        entry.dataItems = std::move(items);
        for (const auto& [tag, index] : mapped) {
            CString path;
            path.Format("IED1LD0/GOOSE/gcb01:%s", (LPCSTR)entry.dataItems[static_cast<size_t>(index)].mmsDataPath);
            AddRow(ied, {path, tag, "BOOLEAN", "R", "", "IED1LD0", "Report"});
            entry.tagName = tag;
            entry.iIndex = index;
            ied.ReportsPath[path] = entry;
        }
    }
    static std::vector<_DATA_ITEM> DefaultItems()
    {
        return {{"ST", "BOOLEAN", "stVal", "GGIO1$ST$Ind1$stVal", "IED1LD0", ""},
                {"ST", "Quality", "q", "GGIO1$ST$Ind1$q", "IED1LD0", ""},
                {"ST", "BOOLEAN", "stVal", "GGIO1$ST$Ind2$stVal", "IED1LD1", ""}};
    }
    void AddFcda(const char* tag, const char* fcdaPath) { records.AddFcda(tag, fcdaPath); }
};

TEST_F(ConfigGoose, APlaceholderMemberTakesTheTagNameOfTheMemberAfterIt)
{
    MapGoose(AddIed("IED1"), {{"A", 0}, {"C", 2}});
    AddFcda("A", "GGIO1$ST$Ind1");
    AddFcda("C", "GGIO1$ST$Ind2");
    const auto xml = Write();
    const auto geese = Descendants(xml->Root(), "Goose");
    ASSERT_EQ(1u, geese.size());
    EXPECT_THAT(ParsedXml::Attributes(geese[0]),
                ElementsAre("datasetref=IED1LD0/LLN0$GooseDS", "gcref=IED1LD0/LLN0$GO$gcb01", "appid=0x3001",
                            "mcmacaddr=01 0C CD 01 00 01", "confrev=2", "decodemode=GOOSE_IMMEDIATE", "enable=Y"));
    EXPECT_THAT(ParsedXml::ChildNames(geese[0]),
                ElementsAre("GooseDataSet", "GooseDataSet", "GooseDataSet", "GooseFCDA", "GooseFCDA"));
    EXPECT_THAT(AttributesOf(Children(geese[0], "GooseDataSet")),
                ElementsAre(ElementsAre("comment=", "tagname=A", "domname=IED1LD0", "datapath=GGIO1$ST$Ind1$stVal"),
                            ElementsAre("comment=", "tagname=C", "domname=IED1LD0", "datapath=GGIO1$ST$Ind1$q"),
                            ElementsAre("comment=", "tagname=C", "domname=IED1LD0", "datapath=GGIO1$ST$Ind2$stVal")));
    const auto fcdas = Children(geese[0], "GooseFCDA");
    EXPECT_THAT(AttributesOf(fcdas), ElementsAre(ElementsAre("comment=", "domname=IED1LD0", "datapath=GGIO1$ST$Ind1"),
                                                 ElementsAre("comment=", "domname=IED1LD0", "datapath=GGIO1$ST$Ind2")));
    EXPECT_THAT(AttributesOf(Children(fcdas[0], "GooseFCDAElm")),
                ElementsAre(ElementsAre("comment=", "tagname=A", "domname=IED1LD0", "datapath=GGIO1$ST$Ind1$stVal")));
    // GOOSE rows are not plain tag maps, and the block ends the remote address.
    EXPECT_TRUE(Descendants(xml->Root(), "TagMap").empty());
    EXPECT_THAT(ParsedXml::ChildNames(Descendants(xml->Root(), "RemoteAddress").at(0)->last_node()),
                ElementsAre("Goose"));
}

TEST_F(ConfigGoose, APlaceholderAtTheEndIsNotWritten)
{
    MapGoose(AddIed("IED1"), {{"A", 0}, {"B", 1}});
    const auto xml = Write();
    EXPECT_THAT(AttributeOf(Descendants(xml->Root(), "GooseDataSet"), "tagname"), ElementsAre("A", "B"));
}

TEST_F(ConfigGoose, MembersWithOneFcdaTextShareOneGooseFcda)
{
    MapGoose(AddIed("IED1"), {{"A", 0}, {"B", 1}, {"C", 2}});
    AddFcda("A", "GGIO1$ST$Ind1");
    AddFcda("B", "GGIO1$ST$Ind1");
    AddFcda("C", "GGIO1$ST$Ind2");
    const auto xml = Write();
    const auto fcdas = Descendants(xml->Root(), "GooseFCDA");
    ASSERT_EQ(2u, fcdas.size());
    EXPECT_THAT(AttributeOf(Children(fcdas[0], "GooseFCDAElm"), "tagname"), ElementsAre("A", "B"));
    EXPECT_THAT(AttributeOf(Children(fcdas[1], "GooseFCDAElm"), "tagname"), ElementsAre("C"));
    EXPECT_EQ("IED1LD0", ParsedXml::Attribute(fcdas[1], "domname"));
}

TEST_F(ConfigGoose, WithoutFcdaTextTheKeyIsTheCommonPathOfTheFirstMembers)
{
    _IED_DEVICE& ied = AddIed("IED1");
    const struct {
        const char* name;
        Mapping mapped;
        std::vector<_DATA_ITEM> items;
        const char* key;
    } cases[] = {
        {"shared prefix", {{"A", 0}, {"B", 1}}, DefaultItems(), "GGIO1$ST$Ind1"},
        // A mapped member's path holds the block's prefix and the placeholder's does not.
        {"no common part", {{"A", 0}}, DefaultItems(), "GGIO1$ST$Ind1$stVal"},
        {"one member", {{"A", 0}}, {{"ST", "BOOLEAN", "stVal", "GGIO1$ST$Ind1$stVal", "IED1LD0", ""}},
         "GGIO1$ST$Ind1$stVal"},
        {"long common part", {{"A", 0}, {"B", 1}},
         {{"MX", "FLOAT32", "f", "MMXU1$MX$A$phsA$cVal$mag$f", "IED1LD0", ""},
          {"MX", "FLOAT32", "f", "MMXU1$MX$A$phsA$cVal$ang$f", "IED1LD0", ""}},
         "MMXU1$MX$A$phsA"},
    };
    for (const auto& c : cases) {
        MapGoose(ied, c.mapped, c.items);
        const auto xml = Write();
        EXPECT_THAT(AttributeOf(Descendants(xml->Root(), "GooseFCDA"), "datapath"), ElementsAre(c.key)) << c.name;
    }
}

TEST_F(ConfigGoose, AMemberWithoutPathIsAnUnknownDataPath)
{
    _IED_DEVICE& ied = AddIed("IED1");
    MapGoose(ied, {{"A", 0}});
    // A row whose data path is empty maps member 1.
    ReportPathEntry entry = ied.ReportsPath.begin()->second;
    entry.tagName = "B";
    entry.iIndex = 1;
    ied.ReportsPath[""] = entry;
    AddRow(ied, {"", "B", "Quality", "R", "", "IED1LD0", "Report"});
    const auto xml = Write();
    EXPECT_THAT(AttributesOf(Descendants(xml->Root(), "GooseFCDAElm")),
                ElementsAre(ElementsAre("comment=", "tagname=A", "domname=IED1LD0", "datapath=GGIO1$ST$Ind1$stVal"),
                            ElementsAre("comment=", "tagname=B", "domname=IED1LD0", "datapath=UNKNOWN DATAPATH")));
    EXPECT_THAT(AttributeOf(Descendants(xml->Root(), "GooseDataSet"), "datapath"),
                ElementsAre("GGIO1$ST$Ind1$stVal", ""));
}

TEST_F(ConfigGoose, AMemberIndexOutsideTheDataSetIsLeftOut)
{
    _IED_DEVICE& ied = AddIed("IED1");
    MapGoose(ied, {{"A", 0}});
    for (int index : {3, -1}) {
        ReportPathEntry entry = ied.ReportsPath.begin()->second;
        entry.tagName = "X";
        entry.iIndex = index;
        CString path;
        path.Format("IED1LD0/GOOSE/gcb01:X%d", index);
        ied.ReportsPath[path] = entry;
        AddRow(ied, {path, "X", "BOOLEAN", "R", "", "IED1LD0", "Report"});
    }
    const auto xml = Write();
    EXPECT_THAT(AttributeOf(Descendants(xml->Root(), "GooseFCDAElm"), "tagname"), ElementsAre("A"));
    EXPECT_EQ(2u, Descendants(xml->Root(), "GooseDataSet").size());
}

} // namespace

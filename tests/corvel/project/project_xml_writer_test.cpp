// The project XML writer: sections, groups of attributes and unique tag names, on a document without windows.
#include "corvel/resources/resource.h"
#include "corvel/project/module_version.h"
#include "corvel/project/path_utils.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <regex>

#include "prx_test_support.h"
#include "support/message_box_recorder.h"

namespace {

using namespace PrxTest;
using ::testing::ElementsAre;
using Groups = std::vector<std::vector<std::string>>;

class PrxWriter : public ::testing::Test {
protected:
    // Writes the document through the given path and parses the .prx beside it.
    std::unique_ptr<ParsedXml> Write(LPCSTR name = "plant.prj")
    {
        doc.WriteProjectXml(folder.File(name));
        return std::make_unique<ParsedXml>(folder.File("plant.prx"));
    }
    std::string WrittenText() const { return ReadBinaryFile(folder.File("plant.prx")); }

    TempFolder folder;
    NewProjectDocument doc;
    MessageBoxRecorder boxes;
};

TEST_F(PrxWriter, NewProjectHasEverySectionInOrderAndEmptyOnesAsStartAndEndTag)
{
    const auto xml = Write();
    EXPECT_EQ(0u, boxes.Count());
    const std::string text = WrittenText();
    EXPECT_EQ(0u, text.find("\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"UTF-8\"?>")) << text.substr(0, 60);
    EXPECT_EQ(std::string::npos, text.find("standalone"));

    ASSERT_NE(nullptr, xml->Root());
    EXPECT_STREQ("Project", xml->Root()->name());
    EXPECT_THAT(ParsedXml::ChildNames(xml->Root()),
                ElementsAre("Detail", "Network", "PLCs", "VendorCIDs", "IEDMap", "GooseFCDAs", "TagMap",
                            "AssignedTags", "CtlModelMap"));
    for (LPCSTR section : {"VendorCIDs", "IEDMap", "GooseFCDAs", "TagMap", "CtlModelMap"}) {
        const std::regex startAndEnd(std::string("<") + section + ">\\s*</" + section + ">");
        EXPECT_TRUE(std::regex_search(text, startAndEnd)) << section;
    }
    for (LPCSTR list : {"TagsINP", "TagsOUT", "TagsMSG"})
        EXPECT_TRUE(std::regex_search(text, std::regex(std::string("<") + list + ">\\s*</" + list + ">"))) << list;
    EXPECT_THAT(ParsedXml::Attributes(xml->Find("AssignedTags")),
                ElementsAre("numTagsINP=0", "numTagsOUT=0", "numTagsMSG=0"));
    // The new project's PLC slot is in use.
    EXPECT_THAT(ParsedXml::ChildNames(xml->Find("PLCs")), ElementsAre("PLC"));
}

TEST_F(PrxWriter, PortCountDecidesEth1AndTheProduct)
{
    const struct {
        int ports;
        const char* product;
        bool hasEth1;
    } cases[] = {{1, "VQN31-EIP-61850", false}, {2, "VQN32-EIP-61850", true}, {3, "VQN31-EIP-61850", false}};
    for (const auto& c : cases) {
        doc.project.numPorts = c.ports;
        const auto xml = Write();
        EXPECT_EQ(c.product, ParsedXml::Attribute(xml->Find("Detail/items"), "Korvane")) << c.ports;
        EXPECT_EQ(c.hasEth1, xml->Find("Network/Eth1") != nullptr) << c.ports;
        EXPECT_EQ(std::to_string(c.ports), ParsedXml::Attribute(xml->Find("Network"), "numPorts"));
    }
}

TEST_F(PrxWriter, DetailAndNetworkCarryTheSettingsInTheirGroups)
{
    FillProject(doc);
    const time_t before = time(nullptr);
    const auto xml = Write("plant.prj");
    const Groups detail = ParsedXml::Groups(xml->Find("Detail"));
    ASSERT_EQ(8u, detail.size());
    ASSERT_EQ(3u, detail[0].size());
    EXPECT_EQ("prjName=Plant \xC3\xBC" "bersee", detail[0][0]);
    // %x and %I:%M%p of the writing time, in the default locale.
    EXPECT_TRUE(std::regex_match(detail[0][1], std::regex("prjDate=\\d\\d/\\d\\d/\\d\\d"))) << detail[0][1];
    EXPECT_TRUE(std::regex_match(detail[0][2], std::regex("prjTime=(0[1-9]|1[0-2]):[0-5]\\d(AM|PM)")))
        << detail[0][2];
    char date[16] = {};
    strftime(date, sizeof date, "%m/%d/%y", localtime(&before));
    EXPECT_EQ(std::string("prjDate=") + date, detail[0][1]);

    CString version;
    version.Format("appVrsn=%d.%d.%d.%d", CORVEL_VERSION_NUMBERS);
    EXPECT_THAT(detail[1], ElementsAre("Korvane=VQN32-EIP-61850", "appName=test_corvel_prx.exe",
                                       std::string(version)));
    EXPECT_EQ("filePath=" + std::string(folder.File("plant.prx")), detail[2][0]);
    EXPECT_THAT(detail[3], ElementsAre("protocol=EIP", "comment=Bays 1 & 2 <north> \"A\""));
    EXPECT_THAT(detail[4], ElementsAre("NTPaddr=10.1.0.2", "NTPupdate=30"));
    EXPECT_THAT(detail[5], ElementsAre("startRead=21", "startWrite=3001", "connTimeout=45"));
    EXPECT_THAT(detail[6], ElementsAre("NoMTCPsrvr=2", "NoMBAPsrvr=5"));
    EXPECT_THAT(detail[7], ElementsAre("VQNstatusStart=64000", "rebootRegister=64001"));

    EXPECT_THAT(ParsedXml::Attributes(xml->Find("Network")),
                ElementsAre("numPorts=2", "autoRestart=No", "port61850=2", "portPLC=1"));
    EXPECT_THAT(ParsedXml::Attributes(xml->Find("Network/Eth0")),
                ElementsAre("IPaddr=10.1.0.5", "IPmask=255.255.0.0", "Gateway=10.1.0.254"));
    EXPECT_THAT(ParsedXml::Attributes(xml->Find("Network/Eth1")),
                ElementsAre("IPaddr=172.20.0.5", "IPmask=255.255.255.192", "Gateway=172.20.0.1"));

    // A project without a name is written under its file's name.
    doc.SetProjectName("");
    doc.SetProjectPath("C:\\Plant\\line4.prj");
    EXPECT_EQ("line4.prj", ParsedXml::Attribute(Write()->Find("Detail"), "prjName"));
}

TEST_F(PrxWriter, ThePrxFileReplacesTheExtensionOfTheGivenPath)
{
    const struct {
        const char* given;
        const char* written;
    } cases[] = {{"plant.prj", "plant.prx"}, {"Current.xml", "Current.prx"}, {"bare", "bare.prx"}};
    for (const auto& c : cases) {
        doc.WriteProjectXml(folder.File(c.given));
        EXPECT_TRUE(FileExists(folder.File(c.written))) << c.given;
    }
}

TEST_F(PrxWriter, DevicesInUseWithTheirGroups)
{
    FillProject(doc);
    Corvel::Records::CPLC_Device* spare = doc.project.plcDevices.GetAt(doc.project.plcDevices.FindIndex(1));
    spare->name = "spare";
    const auto xml = Write();

    const Node* plcs = xml->Find("PLCs");
    ASSERT_THAT(ParsedXml::ChildNames(plcs), ElementsAre("PLC"));
    EXPECT_EQ((Groups{{"name=EthernetIP", "devNum=1090", "node=2", "comment=line PLC"},
                      {"IPAddr=10.1.3.1", "IPMask=255.255.255.0", "Gateway=10.1.3.254"},
                      {"devType=9", "NOESel=1", "NOESlotNum=3", "showState=5"},
                      {"RStartReg=101", "WStartReg=1101", "CmdDelay=5", "Resp=1500", "Rty=2", "ErrDelay=300"}}),
              ParsedXml::Groups(plcs->first_node("PLC")));

    const Node* map = xml->Find("IEDMap");
    ASSERT_THAT(ParsedXml::ChildNames(map), ElementsAre("IED", "IED"));
    const Node* ied = map->first_node("IED");
    EXPECT_EQ((Groups{{"vendor=Vendor A", "name=IED1", "label=IED1", "comment=feeder 1", "deviceNum=1070"},
                      {"IPaddr=10.1.1.1", "IPmask=255.255.254.0", "IPgateway=10.1.1.254"},
                      {"MSScanDelay=250", "MMSping=5", "APTitle=1,3,9999,33", "AEQualifier=33", "pSel=00000001",
                       "sSel=0001", "tSel=0001"},
                      {"CIDFile=C:\\Plant\\SCLFiles\\ied1.cid"}}),
              ParsedXml::Groups(ied));
    EXPECT_THAT(ParsedXml::ChildNames(ied),
                ElementsAre("items", "items", "items", "ConfiguredCache", "ReportsPath"));

    EXPECT_THAT(ParsedXml::ChildNames(xml->Find("VendorCIDs")), ElementsAre("CID", "CID"));
    EXPECT_THAT(ParsedXml::Attributes(xml->Find("VendorCIDs/CID")),
                ElementsAre("fileName=ied1.cid", "filePath=C:\\Plant\\SCLFiles\\ied1.cid"));
}

// The records in use stand at the head of the list; a free slot before one in use is not written.
TEST_F(PrxWriter, FreeIedSlotsAreNotWritten)
{
    FillProject(doc);
    IedSlot(doc, 0).state = Corvel::Records::kSlotFree;
    const auto xml = Write();
    const Node* map = xml->Find("IEDMap");
    ASSERT_THAT(ParsedXml::ChildNames(map), ElementsAre("IED"));
    EXPECT_EQ("IED2", ParsedXml::Attribute(map->first_node("IED"), "name"));
}

TEST_F(PrxWriter, ConfiguredRowsByTheirColumns)
{
    doc.ctlModelMap[{"IED1LD0", "CSWI1$CO$Pos"}] = 4;
    Corvel::Records::_IED_DEVICE& ied = IedSlot(doc, 0);
    ied.state = kSlotInUse;
    ied.ConfiguredCache = {
        {"MMXU1$MX$Hz$mag$f", "T6", "FLOAT32", "R", "six", "IED1LD0"},
        {"MMXU1$MX$TotW$mag$f", "T7", "FLOAT32", "R", "seven", "IED1LD0", "Report"},
        {"GOOSE/GGIO1$ST$Ind1$stVal", "TG", "BOOLEAN", "R", "goose", "IED1LD0", "Report"},
        {"CSWI1$CO$Pos$Oper$ctlVal", "T9", "BOOLEAN", "W", "nine", "IED1LD0", "Command", "1", "Oper.ctlVal"},
        {"XCBR1$CO$Pos$Oper$ctlVal", "T9b", "BOOLEAN", "W", "unmapped", "IED1LD0", "Command", "2", "Oper.ctlVal"},
        {"short", "T2"},
        {"IED1LD0/CSWI1$CO$Pos$Oper$ctlVal", "T10", "BOOLEAN", "W", "dialog", "IED1LD0", "Command", "0", "Pos"},
    };
    FirstPlc(doc).configuredRows = {{"PLC/Run", "P8", "BOOLEAN", "R", "run", "PLC", "Data", "x"}};
    const auto xml = Write();

    std::vector<Groups> rows;
    for (const Node* tag = xml->Find("IEDMap/IED/ConfiguredCache")->first_node("Tag"); tag != nullptr;
         tag = tag->next_sibling("Tag"))
        rows.push_back(ParsedXml::Groups(tag));
    ASSERT_EQ(7u, rows.size());
    EXPECT_EQ((Groups{{"tagName=T6", "tagType=Data", "dataType=FLOAT32"},
                      {"tagPath=MMXU1$MX$Hz$mag$f", "ctlModel=0"},
                      {"domName=IED1LD0", "description=six", "access=R"}}),
              rows[0]);
    EXPECT_EQ("tagType=Report", rows[1][0][1]);
    EXPECT_EQ("tagType=Goose", rows[2][0][1]);
    // Nine columns: the control model comes from the map, and from the row when the map has none for it.
    EXPECT_THAT(rows[3][1], ElementsAre("tagPath=CSWI1$CO$Pos$Oper$ctlVal", "ctlModel=4", "DAName=Oper.ctlVal"));
    EXPECT_THAT(rows[4][1], ElementsAre("tagPath=XCBR1$CO$Pos$Oper$ctlVal", "ctlModel=2", "DAName=Oper.ctlVal"));
    // A path of the mapping dialog names its logical device first: the map is asked for the path after it.
    EXPECT_THAT(rows[6][1], ElementsAre("tagPath=IED1LD0/CSWI1$CO$Pos$Oper$ctlVal", "ctlModel=4", "DAName=Pos"));
    EXPECT_EQ((Groups{{"tagName=T2", "tagType=Data", "dataType="}, {"tagPath=short", "ctlModel=0"},
                      {"domName=", "description=", "access="}}),
              rows[5]);

    const Node* plcTag = xml->Find("PLCs/PLC/ConfiguredCache/Tag");
    EXPECT_EQ((Groups{{"tagName=P8", "tagType=Data", "dataType=BOOLEAN"},
                      {"tagPath=PLC/Run"},
                      {"domName=PLC", "description=run", "access=R"}}),
              ParsedXml::Groups(plcTag));
}

TEST_F(PrxWriter, ReportEntriesWriteTheGroupsOfTheirKind)
{
    FillProject(doc);
    Corvel::Records::ReportPathEntry plain;
    plain.tagName = "IED1_X";
    plain.reportID = "not written";
    plain.gooseDataSet = "not written";
    IedSlot(doc, 0).ReportsPath["IED1LD0/A$ST$x"] = plain;
    const auto xml = Write();

    std::vector<const Node*> tags;
    for (const Node* tag = xml->Find("IEDMap/IED/ReportsPath")->first_node("Tag"); tag != nullptr;
         tag = tag->next_sibling("Tag"))
        tags.push_back(tag);
    ASSERT_EQ(3u, tags.size());
    // Key order: "IED1LD0/A...", "IED1LD0/GooseStr...", "IED1LD0/MMXU1...".
    EXPECT_EQ("IED1LD0/A$ST$x", ParsedXml::Attribute(tags[0], "tagPath"));
    EXPECT_EQ(6u, ParsedXml::Groups(tags[0]).size());
    EXPECT_EQ(nullptr, tags[0]->first_node("dataItems"));

    const Groups goose = ParsedXml::Groups(tags[1]);
    ASSERT_EQ(10u, goose.size());
    EXPECT_THAT(goose[3], ElementsAre("isReport=true", "isGOOSE=true", "iIndex=2", "iCount=2", "appID=0x3001"));
    EXPECT_THAT(goose[6], ElementsAre("gooseDataSet=GooseDS", "gooseGCRef=IED1LD0/LLN0$GO$gcb01"));
    EXPECT_THAT(goose[9], ElementsAre("gooseReportConfRev=7", "gooseMulticastMacAddr=01-0C-CD-01-00-01"));
    const Node* items = tags[1]->first_node("dataItems");
    ASSERT_NE(nullptr, items);
    EXPECT_THAT(ParsedXml::Attributes(items->first_node("items")),
                ElementsAre("FC=ST", "dataType=BOOLEAN", "domName=IED1LD0", "mmsDataPath=GGIO1$ST$Ind1$stVal",
                            "DAName=stVal"));
    EXPECT_EQ(2u, ParsedXml::ChildNames(items).size());

    const Groups report = ParsedXml::Groups(tags[2]);
    ASSERT_EQ(10u, report.size());
    EXPECT_THAT(report[4], ElementsAre("isBuffered=true", "groupOffset=2", "iIntPd=1000"));
    EXPECT_THAT(report[5], ElementsAre("isDchg=true", "isQchg=false", "isDupd=false", "isPeriod=true", "isGI=true"));
    EXPECT_THAT(report[6],
                ElementsAre("bufOvfl=true", "cfgRef=IED1LD0/LLN0$BR$brcb01", "entryID=1", "reasonCode=true"));
    EXPECT_THAT(report[9], ElementsAre("reportID=brcb01", "reportInterval=1000", "reportConfRev=3"));
    EXPECT_EQ(nullptr, tags[2]->first_node("dataItems"));
}

TEST(DeriveTagUName, PrefixOfTheTagNameThenThePathAfterItsColon)
{
    const struct {
        const char* tagName;
        const char* tagPath;
        const char* expected;
    } cases[] = {
        {"IED1_METYMMXU2_TotVA", "IED1LD0/GooseStr:METYMMXU2$MX$TotVA$mag$f", "IED1_METYMMXU2_MX_TotVA_mag_f"},
        {"IED1_MMXU1_TotW", "MMXU1$MX$TotW$mag$f", "IED1_MMXU1_MX_TotW_mag_f"},
        // The node name does not occur in the tag name: no prefix.
        {"Feeder", "LD0/X:GGIO1$ST$Ind1", "GGIO1_ST_Ind1"},
        // No colon: the whole path, domain included.
        {"IED2_XCBR1_Pos", "IED2CTRL/XCBR1$ST$Pos$stVal", "IED2CTRL/XCBR1_ST_Pos_stVal"},
        {"T", "", ""},
        {"IED3_A", "LD:", ""},
    };
    for (const auto& c : cases)
        EXPECT_STREQ(c.expected, DeriveTagUName(c.tagName, c.tagPath)) << c.tagName << " " << c.tagPath;
}

TEST_F(PrxWriter, EmptyUniqueNamesAreDerivedAndStoredExceptForReportEntries)
{
    const char path[] = "IED1LD0/GooseStr:METYMMXU2$MX$TotVA$mag$f";
    const char derived[] = "IED1_METYMMXU2_MX_TotVA_mag_f";
    _CFCDA* fcda = AddFcda(doc, "IED1_METYMMXU2_TotVA", "", path);
    fcda->FCDAPath = "IED1LD0/METYMMXU2.TotVA.mag.f[MX]";
    Corvel::Records::_TAGSMAP* row = AddTagMap(doc, "IED1_METYMMXU2_TotVA", "", path, "FLOAT32");
    Corvel::Records::_TAGSMAP* named = AddTagMap(doc, "Other", "KeptName", path, "FLOAT32");
    Corvel::Records::_TAGS* tag =
        doc.tagsINP.AddTag(MakeTag("IED1_METYMMXU2_TotVA", "", path, Corvel::Records::kTagTypeGoose, 1, 0, 0));
    Corvel::Records::_IED_DEVICE& ied = IedSlot(doc, 0);
    ied.state = kSlotInUse;
    ied.ReportsPath[path].tagName = "IED1_METYMMXU2_TotVA";
    const auto xml = Write();

    EXPECT_STREQ(derived, fcda->tagUName);
    EXPECT_STREQ(derived, row->tagUName);
    EXPECT_STREQ("KeptName", named->tagUName);
    EXPECT_STREQ(derived, tag->tagUName);
    EXPECT_STREQ("", ied.ReportsPath[path].tagUName);

    EXPECT_EQ(derived, ParsedXml::Attribute(xml->Find("GooseFCDAs/FCDA"), "tagUName"));
    EXPECT_EQ(derived, ParsedXml::Attribute(xml->Find("TagMap/Tag")->first_node("items"), "tagUName"));
    EXPECT_EQ(derived, ParsedXml::Groups(xml->Find("IEDMap/IED/ReportsPath/Tag"))[2][0].substr(9));
    EXPECT_EQ(derived, ParsedXml::Groups(xml->Find("AssignedTags/TagsINP/Tag"))[1][0].substr(9));
}

TEST_F(PrxWriter, TagMapRowsTakeTheirFcdaDetails)
{
    FillProject(doc);
    const auto xml = Write();
    const Node* tagMap = xml->Find("TagMap");
    ASSERT_THAT(ParsedXml::ChildNames(tagMap), ElementsAre("Tag", "Tag"));
    EXPECT_EQ((Groups{{"tagName=IED1_GGIO1_Ind1", "dataType=BOOLEAN"},
                      {"tagUName=IED1_GGIO1_ST_Ind1_stVal"},
                      {"tagPath=IED1LD0/GooseStr:GGIO1$ST$Ind1$stVal"},
                      {"tagFCDA=IED1LD0/GGIO1.Ind1.stVal[ST]"},
                      {"dataSet=GooseDS", "domName=IED1LD0"},
                      {"cidFile=ied1.cid"}}),
              ParsedXml::Groups(tagMap->first_node("Tag")));
    // No FCDA record of that name: no FCDA groups.
    EXPECT_EQ(3u, ParsedXml::Groups(tagMap->last_node("Tag")).size());

    EXPECT_EQ((Groups{{"tagUName=IED1_GGIO1_ST_Ind1_stVal"},
                      {"tagName=IED1_GGIO1_Ind1"},
                      {"tagPath=IED1LD0/GooseStr:GGIO1$ST$Ind1$stVal"},
                      {"FCDAPath=IED1LD0/GGIO1.Ind1.stVal[ST]"},
                      {"dataSet=GooseDS", "domName=IED1LD0"},
                      {"cidFile=ied1.cid"}}),
              ParsedXml::Groups(xml->Find("GooseFCDAs/FCDA")));
}

TEST_F(PrxWriter, AssignedTagsWithTheirTypeNames)
{
    FillProject(doc);
    doc.tagsMSG.AddTag(MakeTag("Odd", "Odd_u", "LD0/X$ST$y", 9, 5, -1, 2))->Assigned = false;
    const auto xml = Write();
    EXPECT_THAT(ParsedXml::Attributes(xml->Find("AssignedTags")),
                ElementsAre("numTagsINP=2", "numTagsOUT=1", "numTagsMSG=2"));
    EXPECT_EQ((Groups{{"tagName=IED1_CSWI1_Pos", "tagType=MMS_W", "dataType=INT32"},
                      {"tagUName=IED1_CSWI1_CO_Pos"},
                      {"tagPath=IED1LD0/CSWI1$CO$Pos$Oper$ctlVal"},
                      {"SeqNum=3", "Conn=1", "IOType=1", "StartAddr=0", "Access=R", "Assigned=true"}}),
              ParsedXml::Groups(xml->Find("AssignedTags/TagsOUT/Tag")));
    const Node* messages = xml->Find("AssignedTags/TagsMSG");
    EXPECT_EQ("tagType=MSGS", ParsedXml::Groups(messages->first_node("Tag"))[0][1]);
    const Groups odd = ParsedXml::Groups(messages->last_node("Tag"));
    EXPECT_EQ("tagType=", odd[0][1]);
    EXPECT_EQ("Assigned=No", odd[3][5]);
    EXPECT_EQ("tagType=GOOSE", ParsedXml::Groups(xml->Find("AssignedTags/TagsINP/Tag"))[0][1]);
}

TEST_F(PrxWriter, ControlModelsOfZeroAreNotWrittenAndKeysAreFlattened)
{
    doc.ctlModelMap[{"IED1LD0", "CSWI1$CO$Pos"}] = 2;
    doc.ctlModelMap[{"IED1LD0", "XCBR1$CO$Pos"}] = 0;
    doc.ctlModelMap[{"IED2_CSWI1_Pos", ""}] = 4;
    const auto xml = Write();
    std::vector<std::vector<std::string>> entries;
    for (const Node* tag = xml->Find("CtlModelMap")->first_node(); tag != nullptr; tag = tag->next_sibling())
        entries.push_back(ParsedXml::Attributes(tag));
    EXPECT_EQ((std::vector<std::vector<std::string>>{{"tagName=IED1LD0_CSWI1_CO_Pos", "ctlModel=2"},
                                                     {"tagName=IED2_CSWI1_Pos", "ctlModel=4"}}),
              entries);
    EXPECT_TRUE(std::regex_search(WrittenText(), std::regex("<CtlTag [^>]*/>")));
}

// CtlTag elements follow the key texts: "IED1LD0X|..." sorts before "IED1LD0|..." ("X" before "|").
TEST_F(PrxWriter, ControlModelsAreWrittenInTheOrderOfTheirKeyTexts)
{
    doc.ctlModelMap[{"IED1LD0", "CSWI1$CO$Pos"}] = 2;
    doc.ctlModelMap[{"IED1LD0X", "CSWI1$CO$Pos"}] = 3;
    const auto xml = Write();
    std::vector<std::string> names;
    for (const Node* tag = xml->Find("CtlModelMap")->first_node(); tag != nullptr; tag = tag->next_sibling())
        names.push_back(ParsedXml::Attribute(tag, "tagName"));
    EXPECT_EQ((std::vector<std::string>{"IED1LD0X_CSWI1_CO_Pos", "IED1LD0_CSWI1_CO_Pos"}), names);
}

TEST_F(PrxWriter, WrittenSclFilesLeaveTheAddedFileList)
{
    FillProject(doc);
    for (LPCSTR name : {"ied1.cid", "ied1.cid", "other.icd", "IED2.ICD", "ied2.icd"})
        doc.fileListA.Add(name);
    Write();
    ASSERT_EQ(2, doc.fileListA.GetSize());
    EXPECT_STREQ("other.icd", doc.fileListA[0]);
    EXPECT_STREQ("IED2.ICD", doc.fileListA[1]);
}

TEST(ModuleProductVersion, ReadsTheProgramsVersionResource)
{
    int parts[4] = {-1, -1, -1, -1};
    ASSERT_TRUE(GetModuleProductVersion("test_corvel_prx.exe", parts[0], parts[1], parts[2], parts[3]));
    const int expected[4] = {CORVEL_VERSION_NUMBERS};
    EXPECT_THAT(parts, ::testing::ElementsAreArray(expected));

    for (int& part : parts)
        part = 7;
    EXPECT_FALSE(GetModuleProductVersion("not_loaded_module.dll", parts[0], parts[1], parts[2], parts[3]));
    EXPECT_THAT(parts, ::testing::Each(0));
}

} // namespace

// The Logix Add-On Instruction files written from module configurations: members, parameters, rungs, the
// file's tree, the run over the remote addresses, the overwrite question and what a failed file leaves.
#include "aoi_test_support.h"
#include "config_test_support.h"

#include "corvel/gateway/aoi_export.h"
#include "support/com_apartment.h"
#include "support/message_box_recorder.h"
#include "support/temp_folder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>

namespace {

using namespace AoiTest;
using Corvel::Gateway::CAoiExportError;
using Corvel::Gateway::CGenAOI;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::UnorderedElementsAre;


class AoiExport : public ComApartmentTest {
protected:
    // Writes config as "Current.xml" and runs a new export over it.
    bool Export(const ConfigText& config, std::vector<CString> projectDevices = {}, bool overwrite = false)
    {
        WriteBinaryFile(ConfigPath(), config.Text());
        aoi = std::make_unique<CGenAOI>(std::move(projectDevices));
        aoi->SetOverwriteWithoutAsking(overwrite);
        return aoi->ExportAll(ConfigPath());
    }
    CString ConfigPath() const { return folder.File("Current.xml"); }
    CString FilePath(const char* device) const { return folder.File((std::string(device) + "_AOI.L5X").c_str()); }
    AoiFile File(const char* device) const { return AoiFile(FilePath(device)); }

    TempFolder folder;
    MessageBoxRecorder boxes;
    std::unique_ptr<CGenAOI> aoi;
};

TEST_F(AoiExport, BoolTagsBecomeBitsOfHiddenSintMembers)
{
    ConfigText config;
    config.Tag("IED1_A", "INT").Tag("IED1_B", "BOOL").Tag("IED1_C", "BOOL").Tag("IED1_D", "REAL").Device("IED1");
    ASSERT_TRUE(Export(config));
    EXPECT_THAT(File("IED1").Members(),
                ElementsAre("Name=_A DataType=INT Dimension=0 Radix=Decimal Hidden=false ExternalAccess=Read/Write",
                            "Name=ZZZZZZZZZZIED11 DataType=SINT Dimension=0 Radix=Decimal Hidden=true "
                            "ExternalAccess=Read/Write",
                            "Name=_B DataType=BIT Dimension=0 Radix=Decimal Hidden=false Target=ZZZZZZZZZZIED11 "
                            "BitNumber=0 ExternalAccess=Read/Write",
                            "Name=_C DataType=BIT Dimension=0 Radix=Decimal Hidden=false Target=ZZZZZZZZZZIED11 "
                            "BitNumber=1 ExternalAccess=Read/Write",
                            "Name=_D DataType=REAL Dimension=0 Radix=Float Hidden=false ExternalAccess=Read/Write"));
    EXPECT_EQ(0u, boxes.Count());
}

// Nine BOOLs take two hidden SINTs; tags that are skipped (no name, another device's) do not end a run.
TEST_F(AoiExport, NineBoolsTakeTwoHiddenMembers)
{
    ConfigText config;
    for (int i = 1; i <= 9; ++i) {
        config.Tag("IED1_B" + std::to_string(i), "BOOL");
        if (i == 4)
            config.UnnamedTag("INT").Tag("IED2_X", "INT");
    }
    config.Device("IED1");
    ASSERT_TRUE(Export(config));
    EXPECT_THAT(File("IED1").Bits(), ElementsAre("ZZZZZZZZZZIED10", "_B1 ZZZZZZZZZZIED10.0", "_B2 ZZZZZZZZZZIED10.1",
                                  "_B3 ZZZZZZZZZZIED10.2", "_B4 ZZZZZZZZZZIED10.3", "_B5 ZZZZZZZZZZIED10.4",
                                  "_B6 ZZZZZZZZZZIED10.5", "_B7 ZZZZZZZZZZIED10.6", "_B8 ZZZZZZZZZZIED10.7",
                                  "ZZZZZZZZZZIED19", "_B9 ZZZZZZZZZZIED19.0"));
}

TEST_F(AoiExport, TagTypesMapToMemberTypes)
{
    const struct {
        const char* type;
        const char* dim0;
        const char* memberType;
        const char* dimension;
        const char* radix;
        bool isBit;
    } cases[] = {
        {"DATETIME", "0", "LINT", "0", "Date/Time", false}, {"UDINT", "0", "DINT", "0", "Decimal", false},
        {"BOOL", "0", "BIT", "0", "Decimal", true},         {"STRING", "0", "SINT", "102", "Decimal", false},
        {"UBYTE", "0", "SINT", "0", "Decimal", false},      {"byte", "0", "SINT", "0", "Decimal", false},
        {"REAL", "0", "REAL", "0", "Float", false},         {"INT", "4", "INT", "4", "Decimal", false},
        {"UINT", "0", "UINT", "0", "Decimal", false},       {"DREAL", "0", "DREAL", "0", "Decimal", false},
    };
    for (const auto& c : cases) {
        CString type = c.type;
        CString dimension = c.dim0;
        CString radix = "x";
        CString hidden = "x";
        bool isBit = !c.isBit;
        CGenAOI::MapMemberType(type, dimension, radix, hidden, isBit);
        EXPECT_STREQ(c.memberType, type) << c.type;
        EXPECT_STREQ(c.dimension, dimension) << c.type;
        EXPECT_STREQ(c.radix, radix) << c.type;
        EXPECT_STREQ("false", hidden) << c.type;
        EXPECT_EQ(c.isBit, isBit) << c.type;
    }

    const struct {
        const char* type;
        int bytes;
    } sizes[] = {{"BOOL", 1},  {"BYTE", 1},  {"UBYTE", 1},  {"INT", 2},     {"UINT", 2},   {"DINT", 4},
                 {"UDINT", 4}, {"REAL", 4},  {"DREAL", 4},  {"DATETIME", 8}, {"STRING", 1}, {"real", -1},
                 {"LINT", -1}, {"", -1}};
    for (const auto& s : sizes)
        EXPECT_EQ(s.bytes, CGenAOI::GetTypeSize(s.type)) << s.type;
}

// Member names: the device's name cut off, a leading digit made a letter, double underscores halved; the
// module's status tags and other devices' tags are no members.
TEST_F(AoiExport, MemberNamesAndWhichTagsAreMembers)
{
    ConfigText config;
    config.Tag("IED11stValue", "INT")
        .Tag("IED1_a___b", "INT")
        .Tag("IED10_c", "INT")
        .Tag("IED100_d", "INT")
        .Tag("TagIED1", "INT")
        .Tag("SNTP_Status", "INT")
        .Tag("StatusEIPS_ReconnectionCount_00", "INT")
        .Tag("_tempTag", "INT")
        .Device("IED1");
    ASSERT_TRUE(Export(config, {"IED1", "IED100"}));
    EXPECT_THAT(File("IED1").MemberNames(), ElementsAre("AstValue", "_a__b", "O_c"));

    EXPECT_FALSE(aoi->TagBelongsToDevice("IED100_d", "IED1"));
    EXPECT_TRUE(aoi->TagBelongsToDevice("IED100_d", "IED100"));
    EXPECT_FALSE(aoi->TagBelongsToDevice("ied1_x", "IED1"));
    const struct {
        const char* tag;
        const char* device;
        bool isStatus;
    } statusCases[] = {
        {"SNTP_Status", "IED1", true},        {"TagX", "IED1", true},
        {"H50c_Status", "IED1", true},        {"StatusIEC61850CBase_eth1", "IED1", true},
        {"Tag1_A", "Tag1", false},            {"Status_A", "Status", false},
        {"StatusEIPS_ReconnectionCount_07", "Status", true}, {"StatusIEC61850CNode_eth0_00", "Status", true},
        {"StatusIEC61850CNode_eth0_0x", "Status", false},    {"Reboot_Module", "Reboot", true},
        {"IED1_Status", "IED1", false},
    };
    for (const auto& c : statusCases)
        EXPECT_EQ(c.isStatus, CGenAOI::IsStatusTag(c.tag, c.device)) << c.tag << " of " << c.device;
}

// Devices named "Tag..." or "Status..." keep their members; the module's own status tags stay out.
TEST_F(AoiExport, DevicesNamedLikeStatusTagsKeepTheirMembers)
{
    ConfigText config;
    config.Tag("Tag1_A", "INT")
        .Tag("Status_B", "REAL")
        .Tag("StatusIEC61850CBase_eth0", "STATUSIEC61850CBase")
        .Tag("StatusIEC61850CNode_eth0_00", "STATUSIEC61850CNode")
        .Tag("StatusEIPS_ReconnectionCount_00", "INT")
        .Connection("00", {{"Tag1_A", 0}, {"Status_B", 2}})
        .Device("Tag1")
        .Device("Status");
    ASSERT_TRUE(Export(config, {"Tag1", "Status"}));
    EXPECT_THAT(File("Tag1").MemberNames(), ElementsAre("_A"));
    EXPECT_THAT(File("Tag1").Rungs(), ElementsAre("0: COP(Connection_Input0[0],Tag1._A,1);"));
    EXPECT_THAT(File("Status").MemberNames(), ElementsAre("_B"));
    EXPECT_THAT(File("Status").Rungs(), ElementsAre("0: COP(Connection_Input0[2],Status._B,1);"));
}

TEST_F(AoiExport, RungsCopyBetweenConnectionBuffersAndMembers)
{
    ConfigText config;
    config.Tag("IED1_B", "BOOL")
        .Tag("IED1_S", "STRING")
        .Tag("IED1_Q", "INT", "4")
        .Tag("IED1_W", "INT", "10")
        .Tag("IED1_T", "DATETIME")
        .Tag("IED1_R", "REAL")
        .Tag("IED1_O", "BOOL")
        .Tag("IED1_U", "INT")
        .Tag("IED2_X", "INT")
        .Connection("03", {{"IED1_B", 12}, {"IED2_X", 13}, {"IED1_S", 14}, {"IED1_Q", 116}},
                    {{"IED1_O", 0}, {"IED1_S", 1}, {"IED1_Q", 103}})
        .Connection("04", {{"IED1_W", 0}, {"IED1_T", 20}}, {{"IED1_W", 0}, {"IED1_T", 20}, {"IED1_R", 28}})
        .Device("IED1");
    ASSERT_TRUE(Export(config));
    const AoiFile file = File("IED1");
    EXPECT_THAT(file.Rungs(), ElementsAre("0: XIC(Connection_Input3[12].0)OTE(IED1._B);",
                                          "1: COP(Connection_Input3[14],IED1._S[0],102);",
                                          "2: COP(Connection_Input3[116],IED1._Q,4);",
                                          "3: COP(Connection_Input4[0],IED1._W[0],10);",
                                          "4: COP(Connection_Input4[20],IED1._T,1);",
                                          "5: XIC(IED1._O)OTE(Connection_Output3[0].0);",
                                          "6: COP(IED1._S[0],Connection_Output3[1],102);",
                                          "7: COP(IED1._Q,Connection_Output3[103],8);",
                                          "8: COP(IED1._W[0],Connection_Output4[0],20);",
                                          "9: COP(IED1._T,Connection_Output4[20],8);",
                                          "10: COP(IED1._R,Connection_Output4[28],4);"));
    // A tag that no connection maps is a member without a rung.
    EXPECT_THAT(file.MemberNames(), ElementsAre("ZZZZZZZZZZIED10", "_B", "_S", "_Q", "_W", "_T", "_R",
                                                "ZZZZZZZZZZIED17", "_O", "_U"));
    EXPECT_EQ("Name=_S DataType=SINT Dimension=102 Radix=Decimal Hidden=false ExternalAccess=Read/Write",
              file.Members()[2]);
    EXPECT_THAT(file.UndeclaredOperands(), IsEmpty());
}

TEST_F(AoiExport, EveryFileCarriesTheParametersOfAllImplicitConnections)
{
    ConfigText config;
    config.Tag("IED1_A", "INT")
        .Connection("00", {{"IED1_A", 0}})
        .Connection("01", {})
        .Connection("02", {})
        .Device("IED1")
        .Device("IED2");
    ASSERT_TRUE(Export(config));
    for (const char* device : {"IED1", "IED2"}) {
        EXPECT_THAT(File(device).ParameterNames(),
                    ElementsAre("EnableIn", "EnableOut", "Connection_Input0", "Connection_Output0", "Connection_Input1",
                                "Connection_Output1", "Connection_Input2", "Connection_Output2", device));
    }
    EXPECT_THAT(File("IED1").Parameters(),
                ElementsAre("Name=EnableIn TagType=Base DataType=BOOL Usage=Input Radix=Decimal Required=false "
                            "Visible=false ExternalAccess=Read Only",
                            "Name=EnableOut TagType=Base DataType=BOOL Usage=Output Radix=Decimal Required=false "
                            "Visible=false ExternalAccess=Read Only",
                            "Name=Connection_Input0 TagType=Base DataType=SINT Dimensions=500 Usage=InOut "
                            "Radix=Decimal Required=true Visible=true Constant=false",
                            "Name=Connection_Output0 TagType=Base DataType=SINT Dimensions=496 Usage=InOut "
                            "Radix=Decimal Required=true Visible=true Constant=false",
                            ::testing::_, ::testing::_, ::testing::_, ::testing::_,
                            "Name=IED1 TagType=Base DataType=IED1 Usage=InOut Required=true Visible=true "
                            "Constant=false"));
}

// Connections 0 and 12 in use: the parameters are named by the connections' numbers, as the rungs are.
TEST_F(AoiExport, ParametersAreNamedByTheConnectionNumber)
{
    ConfigText config;
    config.Tag("IED1_A", "INT")
        .Tag("IED1_B", "INT")
        .Connection("00", {{"IED1_A", 0}})
        .Connection("12", {{"IED1_B", 4}}, {{"IED1_A", 6}})
        .Device("IED1");
    ASSERT_TRUE(Export(config));
    const AoiFile file = File("IED1");
    EXPECT_THAT(file.ParameterNames(), ElementsAre("EnableIn", "EnableOut", "Connection_Input0", "Connection_Output0",
                                                   "Connection_Input12", "Connection_Output12", "IED1"));
    EXPECT_THAT(file.Rungs(), ElementsAre("0: COP(Connection_Input0[0],IED1._A,1);",
                                          "1: COP(Connection_Input12[4],IED1._B,1);",
                                          "2: COP(IED1._A,Connection_Output12[6],2);"));
    EXPECT_THAT(file.UndeclaredOperands(), IsEmpty());
}

// Names over 40 characters: the member and its rung's operand carry the same cut name, which ends in the
// tag's position in the tag database.
TEST_F(AoiExport, LongMemberNamesAreCutTheSameForMemberAndRung)
{
    const std::string longName = "_LogicalDevice_LLN0_ST_SomeDataObject_stVal_"; // 44 characters
    ConfigText config;
    config.Tag("IED1_A", "INT")
        .Tag("IED1" + longName + "1", "INT")
        .Tag("IED1" + longName + "2", "BOOL")
        .Connection("00", {{"IED1" + longName + "1", 0}, {"IED1" + longName + "2", 2}})
        .Device("IED1");
    ASSERT_TRUE(Export(config));
    const AoiFile file = File("IED1");
    const std::string first = longName.substr(0, 39) + "1";
    const std::string second = longName.substr(0, 39) + "2";
    EXPECT_THAT(file.MemberNames(), ElementsAre("_A", first, "ZZZZZZZZZZIED12", second));
    EXPECT_THAT(file.Rungs(), ElementsAre("0: COP(Connection_Input0[0],IED1." + first + ",1);",
                                          "1: XIC(Connection_Input0[2].0)OTE(IED1." + second + ");"));
    EXPECT_THAT(file.UndeclaredOperands(), IsEmpty());
}

// A tag name with an apostrophe is looked up in code, not in a selection expression.
TEST_F(AoiExport, TagNamesWithApostrophesGetTheirRungs)
{
    ConfigText config;
    config.Tag("IED1_it's", "INT").Connection("00", {{"IED1_it's", 0}}).Device("IED1");
    ASSERT_TRUE(Export(config));
    EXPECT_THAT(File("IED1").Rungs(), ElementsAre("0: COP(Connection_Input0[0],IED1._it's,1);"));
}

TEST_F(AoiExport, OneFilePerRemoteAddressWithTheTreeOfTheInstruction)
{
    ConfigText config;
    config.Tag("IED1_A", "INT")
        .Tag("IED10_B", "INT")
        .Tag("IED1_C", "INT")
        .Connection("00", {{"IED1_A", 0}, {"IED10_B", 2}, {"IED1_C", 4}})
        .Device("IED1")
        .UnnamedDevice()
        .Device("IED10");
    ASSERT_TRUE(Export(config, {"IED1", "IED10"}));
    EXPECT_EQ(2, aoi->GetFileCount());
    EXPECT_THAT(aoi->GetWrittenFiles(), ElementsAre(FilePath("IED1"), FilePath("IED10")));
    EXPECT_THAT(FolderContents(folder.Path()), UnorderedElementsAre("Current.xml", "IED1_AOI.L5X", "IED10_AOI.L5X"));
    EXPECT_THAT(File("IED1").MemberNames(), ElementsAre("_A", "_C"));
    EXPECT_THAT(File("IED1").Rungs(), ElementsAre("0: COP(Connection_Input0[0],IED1._A,1);",
                                                  "1: COP(Connection_Input0[4],IED1._C,1);"));
    EXPECT_THAT(File("IED10").MemberNames(), ElementsAre("_B"));

    const AoiFile file = File("IED1");
    const XmlNode* root = file.Root();
    EXPECT_STREQ("RSLogix5000Content", root->name());
    const std::string stamp = ParsedXml::Attribute(root, "TargetLastEdited");
    const std::string exportDate = ParsedXml::Attribute(root, "ExportDate");
    EXPECT_THAT(ParsedXml::Attributes(root),
                ElementsAre("SchemaRevision=1.0", "SoftwareRevision=18.01", "TargetName=IED1_AOI",
                            "TargetType=AddOnInstructionDefinition", "TargetRevision=1.0", "TargetLastEdited=" + stamp,
                            "ContainsContext=true", "Owner=AB, Korvane", "ExportDate=" + exportDate,
                            "ExportOptions=References DecoratedData Context Dependencies AllProjDocTrans"));
    // One instant: "2026-12-10T02:14:02.000Z" and "Thu Dec 10 02:14:02 2026".
    ASSERT_EQ(24u, stamp.size());
    EXPECT_EQ(".000Z", stamp.substr(19));
    EXPECT_EQ(stamp.substr(8, 2) + " " + stamp.substr(11, 8) + " " + stamp.substr(0, 4), exportDate.substr(8));

    const XmlNode* controller = root->first_node();
    EXPECT_THAT(ParsedXml::ChildNames(root), ElementsAre("Controller"));
    EXPECT_THAT(ParsedXml::Attributes(controller), ElementsAre("Use=Context", "Name=IED1"));
    EXPECT_THAT(ParsedXml::ChildNames(controller), ElementsAre("DataTypes", "AddOnInstructionDefinitions"));
    EXPECT_THAT(ParsedXml::Attributes(controller->first_node("DataTypes")), ElementsAre("Use=Context"));
    EXPECT_THAT(ParsedXml::Attributes(controller->first_node("DataTypes")->first_node("DataType")),
                ElementsAre("Name=IED1", "Family=NoFamily", "Class=User"));
    EXPECT_THAT(ParsedXml::Attributes(controller->first_node("AddOnInstructionDefinitions")), ElementsAre("Use=Context"));
    const XmlNode* definition = file.Definition();
    EXPECT_THAT(ParsedXml::Attributes(definition),
                ElementsAre("Use=Target", "Name=IED1_AOI", "Revision=1.0", "Vendor=Korvane Technology Inc",
                            "ExecutePrescan=false", "ExecutePostscan=false", "ExecuteEnableInFalse=false",
                            "CreatedDate=" + stamp, "CreatedBy=Korvane", "EditedDate=" + stamp, "EditedBy=Korvane",
                            "SoftwareRevision=v18.01"));
    EXPECT_THAT(ParsedXml::ChildNames(definition), ElementsAre("Parameters", "LocalTags", "Routines", "Dependencies"));
    EXPECT_THAT(ParsedXml::ChildNames(definition->first_node("LocalTags")), IsEmpty());
    EXPECT_THAT(ParsedXml::Attributes(definition->first_node("Routines")->first_node("Routine")),
                ElementsAre("Name=Logic", "Type=RLL"));
    EXPECT_THAT(ParsedXml::ChildNames(definition->first_node("Dependencies")), ElementsAre("Dependency"));
    EXPECT_THAT(ParsedXml::Attributes(definition->first_node("Dependencies")->first_node()),
                ElementsAre("Type=DataType", "Name=IED1"));

    // The line breaks and tabs between the elements.
    const std::string text = ReadBinaryFile(FilePath("IED1"));
    EXPECT_EQ(0u, text.find("<?xml version=\"1.0\" encoding=\"utf-8\" standalone=\"yes\"?>")) << text.substr(0, 80);
    for (const char* layout : {"\">\n\t<Controller ", "<Members>\n\t<Member Name=\"_A\"",
                               "<Rung Number=\"0\" Type=\"N\">\n\t<Text><![CDATA[COP(", "]]></Text>\n</Rung>\n<Rung ",
                               "<LocalTags/>\n<Routines>\n\t<Routine ",
                               "<Dependencies>\n\t<Dependency Type=\"DataType\" Name=\"IED1\"/>\n\n\t</Dependencies>"})
        EXPECT_NE(std::string::npos, text.find(layout)) << layout;
}

// One IED's name starts another's, and its logical device makes its tag names start with the other's name:
// each file holds the members and rungs of the IED whose rows mapped the tags, whatever the names say.
TEST_F(AoiExport, TagsBelongToTheIedThatMappedThem)
{
    ConfigTest::ProjectRecords records;
    const struct {
        const char* device;
        std::vector<const char*> tags;
    } ieds[] = {{"simpleIO", {"simpleIOGenericIO_GGIO1_ST_Ind1_stVal", "simpleIOGenericIO_GGIO1_MX_AnIn1_mag_f"}},
                {"simpleIOGeneric", {"simpleIOGenericLD0_GGIO1_ST_Ind2_stVal", "simpleIOGenericLD0_A[1]"}}};
    int slot = 0;
    int start = 0;
    for (const auto& ied : ieds) {
        Corvel::Records::_IED_DEVICE& device = records.IedSlot(slot++);
        device.state = Corvel::Records::kSlotInUse;
        device.name = device.label = ied.device;
        for (const char* tag : ied.tags) {
            device.ConfiguredCache.push_back({"LD/GGIO1$MX$AnIn1$mag$f", tag, "FLOAT32", "R", "", ""});
            Corvel::Records::_TAGS assigned;
            assigned.tagName = tag;
            assigned.tagName.Remove('[');
            assigned.tagName.Remove(']');
            assigned.dataType = "FLOAT32";
            assigned.Conn = 0;
            assigned.StartAddr = start;
            start += 4;
            records.tagsINP.AddTag(assigned);
        }
    }
    aoi = std::make_unique<CGenAOI>(CGenAOI::GetProjectDevices(records.project));
    aoi->SetOverwriteWithoutAsking(true);
    ASSERT_TRUE(Corvel::Gateway::WriteConfigurationAndAoiFiles(records.Content(), {}, folder.Path(), *aoi));
    EXPECT_THAT(aoi->GetWrittenFiles(), ElementsAre(FilePath("simpleIO"), FilePath("simpleIOGeneric")));
    EXPECT_THAT(File("simpleIO").MemberNames(), ElementsAre("GenericIO_GGIO1_ST_Ind1_stVal", "GenericIO_GGIO1_MX_AnIn1_mag_f"));
    EXPECT_THAT(File("simpleIO").Rungs(),
                ElementsAre("0: COP(Connection_Input0[0],simpleIO.GenericIO_GGIO1_ST_Ind1_stVal,1);",
                            "1: COP(Connection_Input0[4],simpleIO.GenericIO_GGIO1_MX_AnIn1_mag_f,1);"));
    EXPECT_THAT(File("simpleIOGeneric").MemberNames(), ElementsAre("LD0_GGIO1_ST_Ind2_stVal", "LD0_A1"));
    EXPECT_THAT(File("simpleIOGeneric").Rungs(),
                ElementsAre("0: COP(Connection_Input0[8],simpleIOGeneric.LD0_GGIO1_ST_Ind2_stVal,1);",
                            "1: COP(Connection_Input0[12],simpleIOGeneric.LD0_A1,1);"));
    EXPECT_EQ(0u, boxes.Count());
}

TEST_F(AoiExport, NothingToWrite)
{
    EXPECT_TRUE(Export(ConfigText().Tag("IED1_A", "INT").Device("IED1").ClientId("IEC61850S")));
    EXPECT_EQ(0, aoi->GetFileCount());
    EXPECT_TRUE(Export(ConfigText().Tag("IED1_A", "INT").UnnamedDevice()));
    EXPECT_EQ(0, aoi->GetFileCount());
    EXPECT_THAT(FolderContents(folder.Path()), ElementsAre("Current.xml"));

    WriteBinaryFile(ConfigPath(), "<DeviceConfig><TagDB>");
    CGenAOI broken;
    EXPECT_FALSE(broken.ExportAll(ConfigPath()));
    EXPECT_FALSE(broken.ExportAll(folder.File("missing.xml")));
    EXPECT_EQ(0, broken.GetFileCount());
    EXPECT_EQ(0u, boxes.Count());
}

// Only the run's first file is checked: when it exists the run stops before writing anything, without a box,
// and the caller's second run, allowed to overwrite, writes every file.
TEST_F(AoiExport, OverwritingExistingFiles)
{
    ConfigText config;
    config.Tag("IED1_A", "INT").Tag("IED2_A", "INT").Device("IED1").Device("IED2");

    WriteBinaryFile(FilePath("IED1"), "old");
    ASSERT_TRUE(Export(config));
    EXPECT_EQ(0u, boxes.Count());
    EXPECT_TRUE(aoi->StoppedBeforeOverwriting());
    EXPECT_EQ(0, aoi->GetFileCount());
    EXPECT_EQ("old", ReadBinaryFile(FilePath("IED1")));
    EXPECT_THAT(FolderContents(folder.Path()), UnorderedElementsAre("Current.xml", "IED1_AOI.L5X"));

    WriteBinaryFile(FilePath("IED2"), "old");
    aoi->SetOverwriteWithoutAsking(true);
    ASSERT_TRUE(aoi->ExportAll(ConfigPath()));
    EXPECT_FALSE(aoi->StoppedBeforeOverwriting());
    EXPECT_EQ(0u, boxes.Count());
    EXPECT_EQ(2, aoi->GetFileCount());
    EXPECT_THAT(File("IED1").MemberNames(), ElementsAre("_A"));
    EXPECT_THAT(File("IED2").MemberNames(), ElementsAre("_A"));

    // Only the second file exists: it is overwritten without stopping; and a tool overwrites without one.
    boxes.Clear();
    ASSERT_TRUE(::DeleteFileA(FilePath("IED1")));
    WriteBinaryFile(FilePath("IED2"), "old");
    ASSERT_TRUE(Export(config));
    EXPECT_NE("old", ReadBinaryFile(FilePath("IED2")));
    ASSERT_TRUE(Export(config, {}, true));
    EXPECT_EQ(2, aoi->GetFileCount());
    EXPECT_EQ(0u, boxes.Count());
}

// A file that cannot be saved: the error names it, the files before it stay, nothing is left half-written.
TEST_F(AoiExport, AFileThatCannotBeSavedThrowsAndLeavesNothingBehind)
{
    ConfigText config;
    config.Tag("IED1_A", "INT").Tag("IED2_A", "INT").Device("IED1").Device("IED2").Device("IED3");
    ASSERT_TRUE(::CreateDirectoryA(FilePath("IED2"), nullptr));
    try {
        Export(config);
        FAIL() << "no error";
    } catch (CAoiExportError& e) {
        EXPECT_STREQ("Error: The AOI file could not be saved as\n" + FilePath("IED2"), e.Message());
    }
    EXPECT_EQ(1, aoi->GetFileCount());
    EXPECT_THAT(File("IED1").MemberNames(), ElementsAre("_A"));
    EXPECT_THAT(FolderContents(folder.Path()), UnorderedElementsAre("Current.xml", "IED1_AOI.L5X", "IED2_AOI.L5X"));
    EXPECT_EQ(0u, boxes.Count());
}

} // namespace

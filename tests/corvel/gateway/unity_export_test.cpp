// The Unity exchange files of a Modbus PLC device: the variables file, the tag list, the function-module
// file, their names, and what a failure shows and leaves behind.
#include "config_test_support.h"

#include "corvel/gateway/unity_export.h"
#include "support/com_apartment.h"
#include "support/noted_messages.h"

#include <ctime>
#include <string>
#include <vector>

namespace {

using namespace ConfigTest;
using Corvel::Gateway::CUnityExporter;
using Corvel::Gateway::kDevTypeM340;
using Corvel::Gateway::kDevTypeModbusPlc;
using Corvel::Gateway::kDevTypeQuantum;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::StartsWith;

// The text of the "value" child of the "instanceElementDesc" reached through names, below node.
std::string InitialValue(const XmlNode* node, std::initializer_list<const char*> names)
{
    for (const char* name : names) {
        const XmlNode* found = nullptr;
        for (const XmlNode* child : Children(node, "instanceElementDesc")) {
            if (ParsedXml::Attribute(child, "name") == name)
                found = child;
        }
        if (found == nullptr)
            return "<none>";
        node = found;
    }
    const XmlNode* value = node->first_node("value");
    return value != nullptr ? value->value() : "<none>";
}

// A fixed local time: 2 November 2023, 16:05:09.
time_t FixedTime()
{
    tm local = {};
    local.tm_year = 2023 - 1900;
    local.tm_mon = 10;
    local.tm_mday = 2;
    local.tm_hour = 16;
    local.tm_min = 5;
    local.tm_sec = 9;
    local.tm_isdst = -1;
    return mktime(&local);
}

class UnityExport : public ComApartmentTest {
protected:
    UnityExport()
    {
        project.numPorts = 2;
        project.portPLC = 1;
        project.eth0IPaddr = "192.168.10.5";
        project.eth1IPaddr = "10.0.0.9";
        project.startWrite = "2001";
        device.name = "Line PLC";
        device.devType = kDevTypeQuantum;
        Attach();
    }
    ~UnityExport() override { DeleteRecords(project.tagMaps); }

    void Attach()
    {
        exporter.Attach(project, device);
        exporter.SetClock(FixedTime);
    }
    void AddTag(LPCSTR name, LPCSTR type, LPCSTR direction)
    {
        auto* row = new _TAGSMAP;
        row->tagName = name;
        row->dataType = type;
        row->direction = direction;
        project.tagMaps.AddTail(row);
    }
    // Write tags of one register each, registers in all.
    void AddWriteRegisters(int registers)
    {
        for (int i = 0; i < registers; ++i)
            AddTag("W" + DecimalTextForTest(i), "INT16", kMtcpWriteDirection);
    }
    static CString DecimalTextForTest(int value)
    {
        CString text;
        text.Format("%d", value);
        return text;
    }
    std::unique_ptr<ParsedXml> WriteVariables()
    {
        const CString path = folder.File("out.xsy");
        EXPECT_TRUE(exporter.WriteVariablesFile(path));
        return std::make_unique<ParsedXml>(path);
    }
    std::unique_ptr<ParsedXml> WriteFunctionModule()
    {
        // The variables file counts the tags, as the export writes it first.
        WriteVariables();
        const CString path = folder.File("out.xfm");
        EXPECT_TRUE(exporter.WriteFunctionModuleFile(path));
        return std::make_unique<ParsedXml>(path);
    }
    // The files in the scratch folder.
    Strings FolderFiles() const
    {
        Strings names;
        WIN32_FIND_DATAA found;
        HANDLE find = ::FindFirstFileA(folder.Path() + "\\*", &found);
        if (find == INVALID_HANDLE_VALUE)
            return names;
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                names.push_back(found.cFileName);
        } while (::FindNextFileA(find, &found));
        ::FindClose(find);
        std::sort(names.begin(), names.end());
        return names;
    }

    _PROJECT project;
    CPLC_Device device;
    // The exporter notes its failures and opens no box.
    void TearDown() override { EXPECT_EQ(0u, boxes.Count()); }

    CUnityExporter exporter;
    NotedMessages<CUnityExporter> noted{exporter};
    TempFolder folder;
    MessageBoxRecorder boxes;
};

// The variables file and the tag list.

TEST_F(UnityExport, WithoutModbusTagsTheVariablesFileHoldsTheHeadersAndTheTagListEveryTag)
{
    AddTag("EipTag", "INT16", "EIP");
    AddTag("Other", "BOOLEAN", "");
    const auto xml = WriteVariables();
    const std::string text = ReadBinaryFile(folder.File("out.xsy"));
    EXPECT_THAT(text, StartsWith("<?xml version=\"1.0\" encoding=\"UTF-8\"?>"));
    EXPECT_STREQ("VariablesExchangeFile", xml->Root()->name());
    EXPECT_THAT(ParsedXml::Attributes(xml->Root()),
                ElementsAre("xmlns:xsi=http://www.w3.org/2001/XMLSchema-instance",
                            "xsi:noNamespaceSchemaLocation=VariablesExchangeFile.xsd"));
    EXPECT_THAT(ParsedXml::ChildNames(xml->Root()), ElementsAre("FileHeader", "contentHeader"));
    EXPECT_THAT(ParsedXml::Attributes(xml->Find("FileHeader")),
                ElementsAre("company=Korvane Technology", "dateTime=date_and_time#2023-11-02-16:05:09",
                            "content=Variable source file"));
    EXPECT_THAT(ParsedXml::Attributes(xml->Find("contentHeader")), ElementsAre("name=Line_PLC", "version=0.0.000"));
    EXPECT_EQ(0, exporter.GetReadTagCount() + exporter.GetWriteTagCount());

    ASSERT_TRUE(exporter.WriteTagListCsv(folder.File("out.csv")));
    EXPECT_EQ("EipTag\r\nOther\r\n", ReadBinaryFile(folder.File("out.csv")));
    EXPECT_EQ(0u, noted.Count());
}

TEST_F(UnityExport, TagsOfBothDirectionsBecomeLocatedVariablesAndTheirStructures)
{
    AddTag("_Status", "INT24", kMtcpReadDirection);
    AddTag("Feeder-1 Amps", "FLOAT64", kMtcpReadDirection);
    AddTag("Breaker", "BOOLEAN", kMtcpWriteDirection);
    AddTag("EipOnly", "INT16", "EIP");
    AddTag("Energy", "INT32U", kMtcpReadDirection);
    AddTag("Odd", "INT64", kMtcpReadDirection); // no Unity type: left out of the files, and named
    device.RStartReg = "40x";
    device.WStartReg = "";
    const auto xml = WriteVariables();
    EXPECT_EQ(3, exporter.GetReadTagCount());
    EXPECT_EQ(1, exporter.GetWriteTagCount());
    EXPECT_EQ(2 + 2 + 1 + 0, exporter.GetReadRegisterCount());
    EXPECT_EQ(1, exporter.GetWriteRegisterCount());

    EXPECT_THAT(ParsedXml::ChildNames(xml->Root()),
                ElementsAre("FileHeader", "contentHeader", "dataBlock", "DDTSource", "DDTSource"));
    const auto located = Children(xml->Find("dataBlock"), "variables");
    ASSERT_EQ(2u, located.size());
    EXPECT_THAT(ParsedXml::Attributes(located[0]), ElementsAre("name=Line_PLC_StartReadAddress",
                                                               "typeName=StartReadAddressF", "topologicalAddress=%MW40"));
    EXPECT_THAT(ParsedXml::Attributes(located[1]),
                ElementsAre("name=Line_PLC_StartWriteAddress", "typeName=StartWriteAddressF",
                            "topologicalAddress=%MW1001"));

    const auto sources = Children(xml->Root(), "DDTSource");
    EXPECT_THAT(ParsedXml::Attributes(sources[0]), ElementsAre("DDTName=StartReadAddressF", "version=0.00",
                                                               "dateTime=date_and_time#2023-11-02-16:05:09"));
    const auto readMembers = Children(sources[0]->first_node("structure"), "variables");
    EXPECT_THAT(AttributeOf(readMembers, "name"), ElementsAre("Status", "Feeder_1_Amps", "Energy"));
    EXPECT_THAT(AttributeOf(readMembers, "typeName"), ElementsAre("ARRAY[0..1] OF INT", "ARRAY[0..1] OF REAL", "UDINT"));
    for (const XmlNode* member : readMembers)
        EXPECT_THAT(ParsedXml::ChildNames(member), ElementsAre("comment"));
    EXPECT_EQ("StartWriteAddressF", ParsedXml::Attribute(sources[1], "DDTName"));
    EXPECT_THAT(AttributeOf(Children(sources[1]->first_node("structure"), "variables"), "name"), ElementsAre("Breaker"));

    // One piece, no white space between the elements.
    const std::string text = ReadBinaryFile(folder.File("out.xsy"));
    EXPECT_EQ(std::string::npos, text.find(">\n<", text.find("<VariablesExchangeFile")));
    EXPECT_EQ(std::string::npos, text.find("> <"));

    ASSERT_TRUE(exporter.WriteTagListCsv(folder.File("out.csv")));
    EXPECT_EQ(std::string::npos, ReadBinaryFile(folder.File("out.csv")).find("Odd"));
    EXPECT_THAT(exporter.FindTagsWithoutUnityType(), ElementsAre("Odd"));
    EXPECT_EQ("Warning: These tags have no Unity data type and are left out of the exchange files: Odd",
              CUnityExporter::TagsLeftOutWarning(exporter.FindTagsWithoutUnityType()));
}

TEST_F(UnityExport, OnlyOneDirectionGivesOnlyItsBlock)
{
    AddTag("Breaker", "BOOLEAN", kMtcpWriteDirection);
    device.WStartReg = "3001";
    const auto xml = WriteVariables();
    EXPECT_THAT(ParsedXml::ChildNames(xml->Root()), ElementsAre("FileHeader", "contentHeader", "dataBlock", "DDTSource"));
    EXPECT_THAT(AttributeOf(Children(xml->Find("dataBlock"), "variables"), "topologicalAddress"), ElementsAre("%MW3001"));
    EXPECT_EQ("StartWriteAddressF", ParsedXml::Attribute(xml->Find("DDTSource"), "DDTName"));
}

TEST_F(UnityExport, NamesComeFromTheDeviceNameOrTheModel)
{
    AddTag("A", "INT16", kMtcpReadDirection);
    AddTag("B", "INT16", kMtcpWriteDirection);
    const struct {
        const char* deviceName;
        int ports;
        const char* content;
        const char* readVariable;
    } cases[] = {
        // 25 characters: the whole name in the header, the first 19 in the variable names.
        {"ABCDEFGHIJKLMNOPQRSTUVWXY", 2, "ABCDEFGHIJKLMNOPQRSTUVWXY", "ABCDEFGHIJKLMNOPQRS_StartReadAddress"},
        {"Pump House.North", 2, "Pump_House_North", "Pump_House_North_StartReadAddress"},
        {"", 1, "VQN31", "VQN31_StartReadAddress"},
        {"", 2, "VQN32", "VQN32_StartReadAddress"},
        {"A234567890123456789012345678901234567890", 2, "A2345678901234567890123456789012",
         "A234567890123456789_StartReadAddress"},
    };
    for (const auto& c : cases) {
        device.name = c.deviceName;
        project.numPorts = c.ports;
        Attach();
        const auto xml = WriteVariables();
        EXPECT_EQ(c.content, ParsedXml::Attribute(xml->Find("contentHeader"), "name")) << c.deviceName;
        EXPECT_EQ(c.readVariable, ParsedXml::Attribute(xml->Find("dataBlock/variables"), "name")) << c.deviceName;
    }
}

// The function-module file.

TEST_F(UnityExport, QuantumMessagesOfAtMostOneHundredRegistersWithControlBlocksAfterTheGatewayRegisters)
{
    AddWriteRegisters(250);
    device.WStartReg = "1001";
    const auto xml = WriteFunctionModule();
    EXPECT_EQ(250, exporter.GetWriteRegisterCount());

    EXPECT_THAT(AttributeOf(Descendants(xml->Find("program"), "FFBBlock"), "instanceName"),
                ElementsAre("FBI_FBMessage0", "FBI_FBMessage1", "FBI_FBMessage2"));
    EXPECT_THAT(AttributeOf(Descendants(xml->Find("program"), "objPosition"), "posY"), ElementsAre("0", "12", "24"));
    const auto variables = Children(xml->Find("dataBlock"), "variables");
    ASSERT_EQ(12u, variables.size());
    EXPECT_THAT(AttributeOf(variables, "name"),
                ElementsAre("Data0", "FBI_FBMessage0", "Control0", "ModbusMSG0", "Data1", "FBI_FBMessage1", "Control1",
                            "ModbusMSG1", "Data2", "FBI_FBMessage2", "Control2", "ModbusMSG2"));
    // Data buffers from the PLC's write start; the control blocks after the 300 gateway registers.
    EXPECT_THAT(AttributeOf(variables, "topologicalAddress"),
                ElementsAre("%MW1001", "<none>", "%MW2301", "<none>", "%MW1101", "<none>", "%MW2310", "<none>",
                            "%MW1201", "<none>", "%MW2319", "<none>"));
    EXPECT_EQ("VQN32_BufferArray", ParsedXml::Attribute(variables[0], "typeName"));
    EXPECT_EQ("VQN32_ControlArray", ParsedXml::Attribute(variables[2], "typeName"));
    EXPECT_EQ("VQN32_ModbusMSG", ParsedXml::Attribute(variables[3], "typeName"));
    const int messages[] = {3, 7, 11};
    const char* const starts[] = {"2001", "2101", "2201"};
    const char* const counts[] = {"100", "100", "50"};
    for (int n = 0; n < 3; ++n) {
        const XmlNode* message = variables[static_cast<size_t>(messages[n])];
        EXPECT_EQ(starts[n], InitialValue(message, {"Out", "StartMBAddress"})) << n;
        EXPECT_EQ(counts[n], InitialValue(message, {"Out", "RegisterCount"})) << n;
        EXPECT_EQ("-512", InitialValue(message, {"Out", "RoutingRegister"})) << n;
        EXPECT_EQ("<none>", InitialValue(message, {"In"})) << n;
    }
    EXPECT_EQ("192", InitialValue(variables[3], {"Out", "IPAddress", "[1]"}));
    EXPECT_EQ("5", InitialValue(variables[3], {"Out", "IPAddress", "[4]"}));
    EXPECT_THAT(AttributeOf(Children(xml->Find("animationTable"), "elementDescription"), "name"),
                ElementsAre("ModbusMSG0", "Data0", "ModbusMSG1", "Data1", "ModbusMSG2", "Data2"));
}

TEST_F(UnityExport, QuantumPinsRoutingAndGatewayAddress)
{
    AddWriteRegisters(1);
    const struct {
        int slot;
        int portPLC;
        const char* address;
        const char* routing;
        Strings octets;
    } cases[] = {
        {-1, 1, "192.168.10.5", "-512", {"192", "168", "10", "5"}},
        {3, 1, "192.168.10.5", "768", {"192", "168", "10", "5"}},
        {15, 2, "10.0.0.9", "3840", {"10", "0", "0", "9"}},
        // A missing dot leaves that octet empty and the rest whole for the next ones.
        {-1, 1, "192168.1", "-512", {"192168", "", "", "1"}},
        {-1, 1, "local", "-512", {"", "", "", "local"}},
    };
    for (const auto& c : cases) {
        project.eth0IPaddr = c.portPLC == 1 ? c.address : "1.2.3.4";
        project.eth1IPaddr = c.portPLC == 2 ? c.address : "1.2.3.4";
        project.portPLC = c.portPLC;
        exporter.SetNoeSlot(c.slot);
        EXPECT_EQ(c.routing, std::string(exporter.GetRoutingRegisterText())) << c.slot;
        const auto xml = WriteFunctionModule();
        const XmlNode* message = Children(xml->Find("dataBlock"), "variables")[3];
        EXPECT_EQ(c.routing, InitialValue(message, {"Out", "RoutingRegister"})) << c.address;
        Strings octets;
        for (const char* index : {"[1]", "[2]", "[3]", "[4]"})
            octets.push_back(InitialValue(message, {"Out", "IPAddress", index}));
        EXPECT_EQ(c.octets, octets) << c.address;
    }

    const auto xml = WriteFunctionModule();
    EXPECT_THAT(ParsedXml::Attributes(xml->Find("logicConf/resource")),
                ElementsAre("resName=Quantum", "resIdent=140 CPU 651 60 02.60"));
    const XmlNode* block = xml->Find("program/FBDSource/networkFBD/FFBBlock/descriptionFFB");
    EXPECT_THAT(ParsedXml::Attributes(block), ElementsAre("execAfter="));
    const auto inputs = Children(block, "inputVariable");
    EXPECT_THAT(AttributeOf(inputs, "formalParameter"),
                ElementsAre("EN", "SendMSG", "IPAddress", "WriteLength", "StartOffset", "RoutingRegister", "Data",
                            "Control"));
    EXPECT_THAT(AttributeOf(inputs, "effectiveParameter"),
                ElementsAre("<none>", "ModbusMSG0.Out.SendMsg", "ModbusMSG0.Out.IPAddress",
                            "ModbusMSG0.Out.RegisterCount", "ModbusMSG0.Out.StartMBAddress",
                            "ModbusMSG0.Out.RoutingRegister", "Data0", "Control0"));
    EXPECT_THAT(AttributeOf(Children(block, "outputVariable"), "effectiveParameter"),
                ElementsAre("<none>", "ModbusMSG0.Out.SendMsg", "ModbusMSG0.Out.StartMBAddress", "Data0", "Control0",
                            "ModbusMSG0.In"));
}

TEST_F(UnityExport, M340BuildsItsRequestFromTheMessageValues)
{
    device.devType = kDevTypeM340;
    project.startWrite = "1001";
    device.WStartReg = "501";
    AddWriteRegisters(120);
    const auto xml = WriteFunctionModule();
    EXPECT_THAT(ParsedXml::Attributes(xml->Find("logicConf/resource")),
                ElementsAre("resName=Micro Basic", "resIdent=BMX P34 2020 02.00"));
    EXPECT_EQ("105K", ParsedXml::Attribute(xml->Find("logicConf/resource/FMDesc/FMDesc"), "FMId"));

    const auto variables = Children(xml->Find("dataBlock"), "variables");
    EXPECT_THAT(AttributeOf(variables, "name"),
                ElementsAre("Data0", "FBI_FBMessage0", "ModbusMSG0", "Data1", "FBI_FBMessage1", "ModbusMSG1"));
    EXPECT_THAT(AttributeOf(variables, "typeName"),
                ElementsAre("ARRAY[0..99] OF INT", "ControlData", "VQN32_ModbusMSG", "ARRAY[0..99] OF INT",
                            "ControlData", "VQN32_ModbusMSG"));
    EXPECT_EQ("%MW601", ParsedXml::Attribute(variables[3], "topologicalAddress"));
    // The gateway's start counts from 0 on the M340.
    EXPECT_EQ("1000", InitialValue(variables[2], {"Out", "MailBoxData", "StartAddress"}));
    EXPECT_EQ("1100", InitialValue(variables[5], {"Out", "MailBoxData", "StartAddress"}));
    EXPECT_EQ("100", InitialValue(variables[2], {"Out", "MailBoxData", "DataCount"}));
    EXPECT_EQ("20", InitialValue(variables[5], {"Out", "MailBoxData", "DataCount"}));
    EXPECT_EQ("{192.168.10.5}TCP.MBS", InitialValue(variables[2], {"Out", "MailBoxData", "DestinationIPAddress"}));
    EXPECT_EQ("50", InitialValue(variables[2], {"Out", "Timeout"}));
    EXPECT_EQ("<none>", InitialValue(variables[2], {"Out", "MailBoxData", "FunctionCode"}));
    const XmlNode* message = variables[2];
    EXPECT_THAT(AttributeOf(Children(message, "instanceElementDesc"), "name"), ElementsAre("Out", "In"));
    const XmlNode* in = Children(message, "instanceElementDesc")[1];
    EXPECT_THAT(AttributeOf(Children(in, "instanceElementDesc"), "name"),
                ElementsAre("MessageDone", "MessageError", "Mailboxdata"));
    EXPECT_EQ("A value of 1 means the message didn't execute",
              std::string(Children(in, "instanceElementDesc")[1]->first_node("comment")->value()));

    const XmlNode* block = xml->Find("program/FBDSource/networkFBD/FFBBlock/descriptionFFB");
    EXPECT_THAT(AttributeOf(Children(block, "inputVariable"), "effectiveParameter"),
                ElementsAre("<none>", "ModbusMSG0.Out.SendMSG", "ModbusMSG0.Out.MailBoxData",
                            "ModbusMSG0.In.MessageDone", "ModbusMSG0.In.MessageError", "ModbusMSG0.Out.Timeout",
                            "Data0"));
    EXPECT_THAT(AttributeOf(Children(block, "outputVariable"), "effectiveParameter"),
                ElementsAre("<none>", "ModbusMSG0.Out.SendMSG", "ModbusMSG0.In.Mailboxdata",
                            "ModbusMSG0.In.MessageDone", "ModbusMSG0.In.MessageError", "Data0"));
}

TEST_F(UnityExport, TypesAndTheFunctionBlockOfEachFamily)
{
    const struct {
        int devType;
        Strings types;
        Strings groups;
        size_t programLength;
        const char* programStart;
    } cases[] = {
        {kDevTypeQuantum,
         {"VQN32_BufferArray", "VQN32_ModbusIN", "VQN32_ModbusMSG", "VQN32_ModbusOUT", "VQN32_ControlArray"},
         {"inputParameters", "inOutParameters", "outputParameters", "privateLocalVariables", "FBProgram"},
         1379,
         "(* REQUEST READ MULTIPLE REGISTERS *)"},
        {kDevTypeM340,
         {"Modbus", "VQN32_ModbusIN", "VQN32_ModbusMSG", "VQN32_ModbusOUT"},
         {"inputParameters", "inOutParameters", "publicLocalVariables", "privateLocalVariables", "FBProgram"},
         1705,
         "(* REQUEST TO WRITE MULTIPLE REGISTERS *)"},
    };
    for (const auto& c : cases) {
        device.devType = c.devType;
        const auto xml = WriteFunctionModule();
        const auto sources = Children(xml->Root(), "DDTSource");
        EXPECT_EQ(c.types, AttributeOf(sources, "DDTName")) << c.devType;
        EXPECT_EQ("dt#2023-11-02-16:05:09", ParsedXml::Attribute(sources[0], "dateTime"));
        const XmlNode* fb = xml->Find("FBSource");
        EXPECT_THAT(ParsedXml::Attributes(fb), ElementsAre("nameOfFBType=ControlData", "version=0.42",
                                                           "dateTime=dt#2023-11-02-16:05:09"));
        EXPECT_EQ(c.groups, ParsedXml::ChildNames(fb)) << c.devType;
        const std::string program = xml->Find("FBSource/FBProgram/STSource")->value();
        EXPECT_EQ(c.programLength, program.size()) << c.devType;
        EXPECT_THAT(program, StartsWith(c.programStart));
        EXPECT_EQ(std::string::npos, program.find('\n'));
        EXPECT_EQ(std::string::npos, program.find("  "));
    }
    // The M340's request type explains its members.
    const XmlNode* request = Children(WriteFunctionModule()->Root(), "DDTSource")[0]->first_node("structure");
    EXPECT_THAT(AttributeOf(Children(request, "variables"), "typeName"),
                ElementsAre("ARRAY[0..127] OF INT", "BYTE", "INT", "INT", "ARRAY[0..3] OF INT", "string[32]"));
    EXPECT_EQ("Number of words to read or write",
              std::string(Children(request, "variables")[3]->first_node("comment")->value()));
}

TEST_F(UnityExport, NoWriteRegistersGiveTheFrameWithoutMessages)
{
    AddTag("Read", "INT16", kMtcpReadDirection);
    const auto xml = WriteFunctionModule();
    EXPECT_STREQ("FMExchangeFile", xml->Root()->name());
    EXPECT_THAT(ParsedXml::ChildNames(xml->Root()),
                ElementsAre("fileHeader", "contentHeader", "logicConf", "program", "animationTable", "dataBlock",
                            "DDTSource", "DDTSource", "DDTSource", "DDTSource", "DDTSource", "FBSource"));
    EXPECT_THAT(ParsedXml::Attributes(xml->Find("fileHeader")),
                ElementsAre("company=Schneider Automation", "product=Unity Pro XL V5.0 - 100504A",
                            "dateTime=date_and_time#2023-11-02-16:05:09", "content=Functional Module source file",
                            "DTDVersion=41"));
    EXPECT_THAT(ParsedXml::ChildNames(xml->Find("program/FBDSource/networkFBD")), IsEmpty());
    EXPECT_THAT(ParsedXml::ChildNames(xml->Find("animationTable")), IsEmpty());
    EXPECT_THAT(ParsedXml::ChildNames(xml->Find("dataBlock")), IsEmpty());
    EXPECT_THAT(ParsedXml::Attributes(xml->Find("logicConf/resource/taskDesc/sectionDesc")),
                ElementsAre("name=VQN32_MTCP", "FMName=Line_PLC", "FMId=d7K", "FMOrder=1"));
}

// The export's files.

TEST_F(UnityExport, TheChosenNameGivesThreeDistinctFiles)
{
    const struct {
        const char* chosen;
        const char* base;
    } cases[] = {
        {"C:\\out\\plc.xsy", "C:\\out\\plc"},    {"C:\\out\\plc.XSY", "C:\\out\\plc"},
        {"C:\\out\\plc.Csv", "C:\\out\\plc"},    {"C:\\out\\plc", "C:\\out\\plc"},
        {"C:\\out\\plc.v2", "C:\\out\\plc.v2"},  {"C:\\a.xsy\\plc", "C:\\a.xsy\\plc"},
        {"C:\\a.xsy\\plc.xfm", "C:\\a.xsy\\plc"}, {"plc.xsy", "plc"},
    };
    for (const auto& c : cases) {
        const auto paths = CUnityExporter::DerivePaths(c.chosen);
        EXPECT_EQ(CString(c.base) + ".xsy", paths.variables) << c.chosen;
        EXPECT_EQ(CString(c.base) + ".xfm", paths.functionModule) << c.chosen;
        EXPECT_EQ(CString(c.base) + ".csv", paths.tagList) << c.chosen;
    }

    AddTag("R", "INT16", kMtcpReadDirection);
    AddTag("W", "INT16", kMtcpWriteDirection);
    ASSERT_TRUE(exporter.ExportFiles(folder.File("plc.XSY")));
    EXPECT_THAT(FolderFiles(), ElementsAre("plc.csv", "plc.xfm", "plc.xsy"));
    EXPECT_STREQ("VariablesExchangeFile", ParsedXml(folder.File("plc.xsy")).Root()->name());
    EXPECT_STREQ("FMExchangeFile", ParsedXml(folder.File("plc.xfm")).Root()->name());
    EXPECT_EQ("R\r\nW\r\n", ReadBinaryFile(folder.File("plc.csv")));
    EXPECT_EQ(0u, noted.Count());
}

TEST_F(UnityExport, OtherModbusPlcsGetNoFunctionModuleFile)
{
    device.devType = kDevTypeModbusPlc;
    Attach();
    AddTag("W", "INT16", kMtcpWriteDirection);
    ASSERT_TRUE(exporter.ExportFiles(folder.File("plc")));
    EXPECT_THAT(FolderFiles(), ElementsAre("plc.csv", "plc.xsy"));
}

TEST_F(UnityExport, TheSlotOfAnNoeModuleMustLieFromOneToFifteen)
{
    const struct {
        int noeSel;
        int slot;
        bool accepted;
        int noeSlot;
    } cases[] = {{1, 0, false, -1}, {1, 16, false, -1}, {1, 1, true, 1}, {1, 15, true, 15}, {0, 0, true, -1}, {0, 99, true, -1}};
    for (const auto& c : cases) {
        noted.Clear();
        exporter.SetNoeSlot(-1);
        device.NOESel = c.noeSel;
        device.NOESlotNum = c.slot;
        EXPECT_EQ(c.accepted, exporter.TakeNoeSlot()) << c.noeSel << " " << c.slot;
        EXPECT_EQ(c.noeSlot, exporter.GetNoeSlot()) << c.noeSel << " " << c.slot;
        if (c.accepted) {
            EXPECT_EQ(0u, noted.Count());
        } else {
            ASSERT_EQ(1u, noted.Count());
            EXPECT_EQ("Error: Slot number is out of range", std::string(noted.Last().Text()));
        }
    }
}

// Failures: each file is written beside its name and replaces it only when complete.

TEST_F(UnityExport, AFileThatCannotBeWrittenIsNotedAndStopsTheExport)
{
    AddTag("W", "INT16", kMtcpWriteDirection);
    const CString missing = folder.File("missing\\plc");
    EXPECT_FALSE(exporter.ExportFiles(missing));
    ASSERT_EQ(1u, noted.Count());
    EXPECT_EQ("Error: Failed to save XML document", std::string(noted.Last().Text()));
    EXPECT_EQ("Korvane EIP-Tarnwell", std::string(noted.Last().caption));
    EXPECT_EQ(static_cast<UINT>(MB_OK | MB_ICONERROR), noted.Last().type);

    noted.Clear();
    EXPECT_FALSE(exporter.WriteTagListCsv(missing + ".csv"));
    ASSERT_EQ(1u, noted.Count());
    EXPECT_EQ("Error: Could Not Open Output File: " + std::string(missing) + ".csv", std::string(noted.Last().Text()));

    noted.Clear();
    EXPECT_FALSE(exporter.WriteFunctionModuleFile(missing + ".xfm"));
    ASSERT_EQ(1u, noted.Count());
    EXPECT_THAT(std::string(noted.Last().Text()),
                StartsWith("Error: Could not write the function module file\n" + std::string(missing) + ".xfm\n"));
}

TEST_F(UnityExport, AFileThatCannotReplaceItsTargetLeavesTheTargetAndNoTemporaryFile)
{
    AddTag("W", "INT16", kMtcpWriteDirection);
    // A folder in the way of each file.
    for (const char* blocked : {"plc.xsy", "plc.xfm", "plc.csv"}) {
        noted.Clear();
        ASSERT_TRUE(::CreateDirectoryA(folder.File(blocked), nullptr));
        EXPECT_FALSE(exporter.ExportFiles(folder.File("plc"))) << blocked;
        EXPECT_EQ(1u, noted.Count()) << blocked;
        Strings files = FolderFiles();
        for (const std::string& name : files)
            EXPECT_THAT(name, ::testing::Not(StartsWith("uty"))) << blocked;
        ASSERT_TRUE(::RemoveDirectoryA(folder.File(blocked)));
        RemoveFolderTree(folder.Path());
        ::CreateDirectoryA(folder.Path(), nullptr);
    }

    // The files of an earlier export are replaced whole.
    WriteTextFile(folder.File("plc.csv"), "old list, longer than the new one\r\n");
    ASSERT_TRUE(exporter.ExportFiles(folder.File("plc")));
    EXPECT_EQ("W\r\n", ReadBinaryFile(folder.File("plc.csv")));
    EXPECT_THAT(FolderFiles(), ElementsAre("plc.csv", "plc.xfm", "plc.xsy"));
}

} // namespace

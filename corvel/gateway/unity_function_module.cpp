// CUnityExporter: the function-module exchange file (*.xfm) that sends the PLC's "MTCP<--" registers to the
// gateway, one message of at most 100 registers at a time (Quantum through MBP_MSTR, M340 through DATA_EXCH).
#include "corvel/gateway/unity_export.h"

#include "corvel/gateway/device_config_writer.h"
#include "corvel/model/scl_reading.h"
#include "corvel/project/path_utils.h"
#include "corvel/model/product.h"
#include "framework/msgbox.h"

#include <algorithm>
#include <vector>

namespace Corvel::Gateway {

namespace {

using Korvane::Formats::CKorXml;

constexpr int kMessageRegisters = 100;
constexpr int kControlBlockRegisters = 9;
// Rows between the function blocks of two messages in the diagram.
constexpr int kBlockRowStep = 12;

constexpr char kCannotWrite[] = "Error: Could not write the function module file\n%s\n%s";

// What differs between the two PLC families.
struct Family {
    LPCSTR resName;
    LPCSTR resIdent;
    LPCSTR fmId;
};
const Family kM340 = {"Micro Basic", "BMX P34 2020 02.00", "105K"};
const Family kQuantum = {"Quantum", "140 CPU 651 60 02.60", "d7K"};

// A pin of the message's function block: its formal parameter, and the effective one as a format of the
// message number (null for the enable pins, which have none).
struct Pin {
    LPCSTR formal;
    LPCSTR effective;
};
const Pin kQuantumInputs[] = {
    {"EN", nullptr},
    {"SendMSG", "ModbusMSG%d.Out.SendMsg"},
    {"IPAddress", "ModbusMSG%d.Out.IPAddress"},
    {"WriteLength", "ModbusMSG%d.Out.RegisterCount"},
    {"StartOffset", "ModbusMSG%d.Out.StartMBAddress"},
    {"RoutingRegister", "ModbusMSG%d.Out.RoutingRegister"},
    {"Data", "Data%d"},
    {"Control", "Control%d"},
};
const Pin kM340Inputs[] = {
    {"EN", nullptr},
    {"SendMSG", "ModbusMSG%d.Out.SendMSG"},
    {"MailboxData", "ModbusMSG%d.Out.MailBoxData"},
    {"MessageDone", "ModbusMSG%d.In.MessageDone"},
    {"MessageError", "ModbusMSG%d.In.MessageError"},
    {"Timeout", "ModbusMSG%d.Out.Timeout"},
    {"MSGData", "Data%d"},
};
const Pin kQuantumOutputs[] = {
    {"ENO", nullptr},
    {"SendMSG", "ModbusMSG%d.Out.SendMsg"},
    {"StartOffset", "ModbusMSG%d.Out.StartMBAddress"},
    {"Data", "Data%d"},
    {"Control", "Control%d"},
    {"OperationStatus", "ModbusMSG%d.In"},
};
const Pin kM340Outputs[] = {
    {"ENO", nullptr},
    {"SendMSG", "ModbusMSG%d.Out.SendMSG"},
    {"MailboxData", "ModbusMSG%d.In.Mailboxdata"},
    {"MessageDone", "ModbusMSG%d.In.MessageDone"},
    {"MessageError", "ModbusMSG%d.In.MessageError"},
    {"MSGData", "Data%d"},
};

// A member of a derived data type or a variable of the function block: its name, its type (a "%s" stands
// for the base name), and a comment or a pin position when it has one.
struct Member {
    LPCSTR name;
    LPCSTR typeName;
    LPCSTR comment = nullptr;
    LPCSTR positionPin = nullptr;
};
using Members = std::vector<Member>;

// A derived data type: a structure of members, or an array type.
struct DataType {
    LPCSTR name; // a "%s" stands for the base name
    LPCSTR version;
    LPCSTR arrayType;
    Members members;
};

const std::vector<DataType> kQuantumTypes = {
    {"%s_BufferArray", "0.00", "ARRAY[1..100] OF INT", {}},
    {"%s_ModbusIN",
     "0.01",
     nullptr,
     {{"WriteOperationActive", "BOOL"}, {"WriteOperationError", "BOOL"}, {"WriteOperationSuccess", "BOOL"}}},
    {"%s_ModbusMSG", "0.09", nullptr, {{"Out", "%s_ModbusOUT"}, {"In", "%s_ModbusIN"}}},
    {"%s_ModbusOUT",
     "0.09",
     nullptr,
     {{"SendMsg", "BOOL"},
      {"RegisterCount", "INT"},
      {"IPAddress", "ARRAY[1..4] OF INT"},
      {"RoutingRegister", "INT"},
      {"StartMBAddress", "INT"}}},
    {"%s_ControlArray", "0.00", "ARRAY[1..9] OF INT", {}},
};
const std::vector<DataType> kM340Types = {
    {"Modbus",
     "0.01",
     nullptr,
     {{"MSGRequestInt", "ARRAY[0..127] OF INT", "Modbus request in integers, needed by the DATA_EXCH function"},
      {"FunctionCode", "BYTE",
       "Modbus function to use (depends if the command is a read or write command - 3 or 16 managed only)"},
      {"StartAddress", "INT", "Modbus address where to address the command"},
      {"DataCount", "INT", "Number of words to read or write"},
      {"ManagementWords", "ARRAY[0..3] OF INT"},
      {"DestinationIPAddress", "string[32]", "Address where the modbus command will be sent, part of the AddressList table"}}},
    {"%s_ModbusIN", "0.01", nullptr, {{"Mailboxdata", "Modbus"}, {"MessageDone", "BOOL"}, {"MessageError", "BOOL"}}},
    {"%s_ModbusMSG", "0.09", nullptr, {{"Out", "%s_ModbusOUT"}, {"In", "%s_ModbusIN"}}},
    {"%s_ModbusOUT",
     "0.09",
     nullptr,
     {{"SendMSG", "BOOL"}, {"Timeout", "INT"}, {"MailBoxData", "Modbus"}, {"MSGData", "ARRAY[0..99] OF INT"}}},
};

// The parameter groups of the function block "ControlData".
struct ParameterGroup {
    LPCSTR element;
    Members members;
};
const std::vector<ParameterGroup> kQuantumParameters = {
    {"inputParameters",
     {{"IPAddress", "ARRAY[1..4] OF INT", nullptr, "2"},
      {"WriteLength", "INT", nullptr, "3"},
      {"RoutingRegister", "INT", nullptr, "5"}}},
    {"inOutParameters",
     {{"Control", "ARRAY[1..9] OF INT", nullptr, "7"},
      {"SendMSG", "BOOL", nullptr, "1"},
      {"Data", "ARRAY[1..100] OF INT", nullptr, "6"},
      {"StartOffset", "INT", nullptr, "4"}}},
    {"outputParameters", {{"OperationStatus", "%s_ModbusIN", nullptr, "2"}}},
};
const std::vector<ParameterGroup> kM340Parameters = {
    {"inputParameters", {{"Timeout", "INT", nullptr, "5"}}},
    {"inOutParameters",
     {{"MailboxData", "Modbus", nullptr, "3"},
      {"MessageDone", "BOOL", nullptr, "5"},
      {"MessageError", "BOOL", nullptr, "6"},
      {"MSGData", "ARRAY[0..99] OF INT", nullptr, "4"},
      {"SendMSG", "BOOL", nullptr, "1"}}},
    {"publicLocalVariables", {{"State4", "INT"}, {"MailboxResponse", "ARRAY[1..127] OF INT"}}},
};
// The private local variables after the Quantum's MBP_MSTR instance, and the M340's.
const Members kQuantumPrivateVariables = {
    {"InternalRegCount", "INT"}, {"CurrentStartReg", "INT"}, {"CurrentRegCount", "INT"},
    {"State2", "INT"},           {"Count", "INT"},           {"WriteWordBuffer", "ARRAY[1..100] OF WORD"},
    {"i", "INT"},                {"j", "INT"},               {"k", "INT"},
};
const Members kM340PrivateVariables = {
    {"InternalRegCount", "INT"}, {"MailboxRequestByte", "ARRAY[0..255] OF BYTE"},
    {"i", "INT"},                {"j", "INT"},
    {"k", "INT"},                {"MailboxRequestWord", "ARRAY[1..127] OF WORD"},
    {"Count", "INT"},
};

// The function block's Structured Text, one line each.
const char kM340Program[] =
    "(* REQUEST TO WRITE MULTIPLE REGISTERS *) IF SendMSG AND State4 = 0 AND NOT "
    "MailboxData.ManagementWords[0].0 THEN (* STATE 0: LIMIT THE COUNT *) InternalRegCount := "
    "MailboxData.DataCount; IF InternalRegCount > 100 THEN InternalRegCount := 100; END_IF; "
    "MailboxData.DataCount := InternalRegCount; State4 := 1; END_IF; IF State4 = 1 THEN (* STATE 1: SEND "
    "THE REQUEST *) MailboxData.FunctionCode := 16#10; MailboxRequestByte[0] := MailboxData.FunctionCode; "
    "MailboxRequestByte[1] := INT_TO_BYTE(MailboxData.StartAddress / 256); MailboxRequestByte[2] := "
    "INT_TO_BYTE(MailboxData.StartAddress MOD 256); MailboxRequestByte[3] := "
    "INT_TO_BYTE(MailboxData.DataCount / 256); MailboxRequestByte[4] := INT_TO_BYTE(MailboxData.DataCount "
    "MOD 256); MailboxRequestByte[5] := INT_TO_BYTE(MailboxData.DataCount * 2); "
    "MailboxData.ManagementWords[2] := Timeout; MailboxData.ManagementWords[3] := MailboxData.DataCount * "
    "2 + 6; FOR i := 0 TO 2 DO j := 2 * i; k := j + 1; MailboxRequestWord[i + 1] := "
    "SHL(BYTE_TO_WORD(MailboxRequestByte[k]), 8) OR BYTE_TO_WORD(MailboxRequestByte[j]); "
    "MailboxData.MSGRequestInt[i] := WORD_TO_INT(MailboxRequestWord[i + 1]); END_FOR; FOR Count := 0 TO "
    "99 DO MailboxData.MSGRequestInt[Count + 3] := MSGData[Count]; END_FOR; DATA_EXCH(ADR := "
    "ADDM(MailboxData.DestinationIPAddress), TYPE := 1, EMIS := MailboxData.MSGRequestInt, GEST := "
    "MailboxData.ManagementWords, RECP => MailboxResponse); State4 := 2; END_IF; IF State4 = 2 THEN (* "
    "STATE 2: BUSY *) IF NOT MailboxData.ManagementWords[0].0 THEN State4 := 3; END_IF; END_IF; IF State4 "
    "= 3 THEN (* STATE 3: END *) IF MailboxData.ManagementWords[1] = 0 THEN MessageDone := TRUE; ELSE "
    "MessageError := TRUE; END_IF; SendMSG := FALSE; State4 := 0; END_IF;";
const char kQuantumProgram[] =
    "(* REQUEST READ MULTIPLE REGISTERS *) (* CONTROL BLOCK: [1] OPERATION, 1 = WRITE; [2] ERROR STATUS; "
    "[3] NUMBER OF REGISTERS; [4] FIRST REGISTER OF THE GATEWAY; [5] ROUTING REGISTER; [6..9] IP ADDRESS "
    "OF THE GATEWAY *) IF SendMSG AND (State2 = 0) THEN (* STATE 0: AT MOST 100 REGISTERS IN ONE MESSAGE, "
    "ROUTING AND IP ADDRESS *) InternalRegCount := WriteLength; IF InternalRegCount > 100 THEN "
    "InternalRegCount := 100; END_IF; Control[5] := RoutingRegister; FOR i := 1 TO 4 DO Control[i + 5] := "
    "IPAddress[i]; END_FOR; State2 := 1; END_IF; IF State2 = 1 THEN (* STATE 1: THE WRITE REQUEST *) "
    "Control[1] := 1; Control[2] := 0; Control[3] := InternalRegCount; Control[4] := StartOffset; State2 "
    ":= 2; END_IF; IF State2 = 2 THEN (* STATE 2: SEND THE MESSAGE AND WAIT FOR THE ANSWER *) "
    "MBP_MSTR_WRITE(ABORT := FALSE, ACTIVE => OperationStatus.WriteOperationActive, ERROR => "
    "OperationStatus.WriteOperationError, SUCCESS => OperationStatus.WriteOperationSuccess, CONTROL => "
    "Control, DATABUF => Data); IF OperationStatus.WriteOperationSuccess THEN State2 := 3; ELSIF "
    "OperationStatus.WriteOperationError THEN (* THE MESSAGE FAILED: WAIT FOR THE NEXT REQUEST *) SendMSG "
    ":= FALSE; State2 := 0; END_IF; END_IF; IF State2 = 3 THEN (* STATE 3: THE GATEWAY HAS THE REGISTERS "
    "*) State2 := 9; END_IF; IF State2 = 9 THEN (* STATE 9: READY FOR THE NEXT REQUEST *) SendMSG := "
    "FALSE; State2 := 0; END_IF;";

CString FormatNumbered(LPCSTR format, int number)
{
    CString text;
    text.Format(format, number);
    return text;
}

CString WithBaseName(LPCSTR format, const CString& baseName)
{
    CString text;
    text.Format(format, (LPCSTR)baseName);
    return text;
}

CString MemoryWord(int address)
{
    return "%MW" + DecimalText(address);
}

// An element "instanceElementDesc" named name holding its comment, then its value when it has one; left
// open for further values when open is set.
void WriteInitialValue(CKorXml& xml, LPCSTR name, LPCSTR comment, LPCSTR value, bool open = false)
{
    xml.WriteMultiNoEndElement({"instanceElementDesc", "name", name, kListEnd});
    if (comment != nullptr)
        xml.WriteTextElement("comment", comment);
    if (value != nullptr)
        xml.WriteTextElement("value", value);
    if (!open)
        xml.WriteEndTag();
}

// Members as "variables" elements: short, or holding a comment or a pin position.
void WriteMembers(CKorXml& xml, const Members& members, const CString& baseName)
{
    for (const Member& member : members) {
        const CString typeName = WithBaseName(member.typeName, baseName);
        if (member.comment == nullptr && member.positionPin == nullptr) {
            xml.WriteMultiShortEndElement({"variables", "name", member.name, "typeName", typeName, kListEnd});
            continue;
        }
        xml.WriteMultiNoEndElement({"variables", "name", member.name, "typeName", typeName, kListEnd});
        if (member.comment != nullptr)
            xml.WriteTextElement("comment", member.comment);
        if (member.positionPin != nullptr)
            xml.WriteMultiShortEndElement({"attribute", "name", "PositionPin", "value", member.positionPin, kListEnd});
        xml.WriteEndTag();
    }
}

template <size_t N>
void WritePins(CKorXml& xml, LPCSTR element, const Pin (&pins)[N], int message)
{
    for (const Pin& pin : pins) {
        if (pin.effective == nullptr) {
            xml.WriteMultiShortEndElement({element, "invertedPin", "false", "formalParameter", pin.formal, kListEnd});
            continue;
        }
        const CString effective = FormatNumbered(pin.effective, message);
        xml.WriteMultiShortEndElement({element, "invertedPin", "false", "formalParameter", pin.formal,
                                       "effectiveParameter", effective, kListEnd});
    }
}

} // namespace

bool CUnityExporter::IsM340() const
{
    return m_device->devType == kDevTypeM340;
}

int CUnityExporter::MessageCount() const
{
    return m_writeRegisterCount <= 0 ? 0 : (m_writeRegisterCount + kMessageRegisters - 1) / kMessageRegisters;
}

int CUnityExporter::MessageRegisterCount(int message) const
{
    return std::min(kMessageRegisters, m_writeRegisterCount - kMessageRegisters * message);
}

int CUnityExporter::GatewayStart() const
{
    const int start = ReadDecimal(m_project->startWrite);
    return IsM340() ? start - 1 : start;
}

int CUnityExporter::GatewayAddress(int message) const
{
    // Every message before the last carries a full 100 registers.
    return GatewayStart() + kMessageRegisters * message;
}

int CUnityExporter::DataBufferAddress(int message) const
{
    return WriteStartRegister() + kMessageRegisters * message;
}

int CUnityExporter::ControlBlockAddress(int message) const
{
    // The control blocks follow the gateway registers of all messages, counted from the gateway's start.
    return GatewayStart() + kMessageRegisters * MessageCount() + kControlBlockRegisters * message;
}

CString CUnityExporter::GatewayIpText() const
{
    return m_project->portPLC == 1 ? m_project->eth0IPaddr : m_project->eth1IPaddr;
}

CString CUnityExporter::SectionName() const
{
    return m_baseName + "_MTCP";
}

bool CUnityExporter::WriteFunctionModuleFile(const CString& path)
{
    CReplacingFile file(path, kTemporaryPrefix);
    CString failure;
    if (file.TemporaryPath().IsEmpty()) {
        failure = "The file cannot be created.";
    } else {
        try {
            CKorXml xml;
            xml.SetThrowFailures(true);
            xml.Open(file.TemporaryPath(), false);
            const CString stamp = TimeStamp(kDateAndTimeStamp);
            xml.WriteStartTag("FMExchangeFile");
            xml.WriteMultiShortEndElement({"fileHeader", "company", "Schneider Automation", "product",
                                           "Unity Pro XL V5.0 - 100504A", "dateTime", stamp, "content",
                                           "Functional Module source file", "DTDVersion", "41", kListEnd});
            xml.WriteMultiShortEndElement(
                {"contentHeader", "name", "Project", "version", "0.0.2", "dateTime", TimeStamp(kDateAndTimeStamp),
                 kListEnd});
            WriteLogicConf(xml);
            WriteProgram(xml);
            WriteAnimationTable(xml);
            WriteDataBlock(xml);
            WriteDdtSources(xml);
            WriteFbSource(xml);
            xml.WriteEndTag();
            xml.Close();
        } catch (Korvane::Exceptions::CKorException& e) {
            failure = e.Message();
        }
        if (failure.IsEmpty() && !file.Commit())
            failure = "The file cannot be replaced.";
    }
    if (failure.IsEmpty())
        return true;
    CString text;
    text.Format(kCannotWrite, (LPCSTR)path, (LPCSTR)failure);
    NoteFailure(text);
    return false;
}

void CUnityExporter::WriteLogicConf(CKorXml& xml)
{
    const Family& family = IsM340() ? kM340 : kQuantum;
    xml.WriteStartTag("logicConf");
    xml.WriteMultiNoEndElement({"resource", "resName", family.resName, "resIdent", family.resIdent, kListEnd});
    xml.WriteMultiNoEndElement({"FMDesc", "name", "Functional Project", "FMId", "ROOT", kListEnd});
    xml.WriteMultiShortEndElement({"FMDesc", "name", m_deviceName, "FMId", family.fmId, kListEnd});
    xml.WriteEndTag();
    xml.WriteMultiNoEndElement(
        {"taskDesc", "task", "MAST", "taskType", "cyclic", "valueType", "0", "maxExecTime", "250", kListEnd});
    xml.WriteMultiShortEndElement({"sectionDesc", "name", SectionName(), "FMName", m_deviceName, "FMId",
                                   family.fmId, "FMOrder", "1", kListEnd});
    xml.WriteEndTag();
    xml.WriteEndTag();
    xml.WriteEndTag();
}

void CUnityExporter::WriteProgram(CKorXml& xml)
{
    xml.WriteStartTag("program");
    xml.WriteMultiShortEndElement({"identProgram", "name", SectionName(), "type", "section", "task", "MAST", kListEnd});
    xml.WriteMultiNoEndElement({"FBDSource", "nbRows", "24", "nbColumns", "36", kListEnd});
    xml.WriteStartTag("networkFBD");
    for (int message = 0; message < MessageCount(); ++message) {
        xml.WriteMultiNoEndElement({"FFBBlock", "instanceName", FormatNumbered("FBI_FBMessage%d", message), "typeName",
                                    "ControlData", "additionnalPinNumber", "0", "enEnO", "false", "width", "16",
                                    "height", "11", kListEnd});
        xml.WriteMultiShortEndElement(
            {"objPosition", "posX", "20", "posY", DecimalText(kBlockRowStep * message), kListEnd});
        xml.WriteMultiNoEndElement({"descriptionFFB", "execAfter", "", kListEnd});
        WriteBlockInputs(xml, message);
        WriteBlockOutputs(xml, message);
        xml.WriteEndTag();
        xml.WriteEndTag();
    }
    xml.WriteEndTag();
    xml.WriteEndTag();
    xml.WriteEndTag();
}

void CUnityExporter::WriteBlockInputs(CKorXml& xml, int message)
{
    if (IsM340())
        WritePins(xml, "inputVariable", kM340Inputs, message);
    else
        WritePins(xml, "inputVariable", kQuantumInputs, message);
}

void CUnityExporter::WriteBlockOutputs(CKorXml& xml, int message)
{
    if (IsM340())
        WritePins(xml, "outputVariable", kM340Outputs, message);
    else
        WritePins(xml, "outputVariable", kQuantumOutputs, message);
}

void CUnityExporter::WriteAnimationTable(CKorXml& xml)
{
    const Family& family = IsM340() ? kM340 : kQuantum;
    xml.WriteMultiNoEndElement({"animationTable", "name", "Table", "location", m_deviceName, "FMId", family.fmId,
                                "version", "1.0", "dateTime", TimeStamp(kDateAndTimeStamp), "ExtStringAnim", "0",
                                "ExtStringAnimLen", "100", kListEnd});
    for (int message = 0; message < MessageCount(); ++message) {
        for (LPCSTR name : {"ModbusMSG%d", "Data%d"}) {
            xml.WriteMultiShortEndElement(
                {"elementDescription", "displayBase", "4", "name", FormatNumbered(name, message), kListEnd});
        }
    }
    xml.WriteEndTag();
}

void CUnityExporter::WriteDataBlock(CKorXml& xml)
{
    xml.WriteStartTag("dataBlock");
    for (int message = 0; message < MessageCount(); ++message) {
        const CString bufferType = IsM340() ? CString("ARRAY[0..99] OF INT") : m_baseName + "_BufferArray";
        xml.WriteMultiShortEndElement({"variables", "name", FormatNumbered("Data%d", message), "typeName",
                                       bufferType, "topologicalAddress", MemoryWord(DataBufferAddress(message)),
                                       kListEnd});
        xml.WriteMultiShortEndElement(
            {"variables", "name", FormatNumbered("FBI_FBMessage%d", message), "typeName", "ControlData", kListEnd});
        if (!IsM340()) {
            xml.WriteMultiShortEndElement({"variables", "name", FormatNumbered("Control%d", message), "typeName",
                                           m_baseName + "_ControlArray", "topologicalAddress",
                                           MemoryWord(ControlBlockAddress(message)), kListEnd});
        }
        WriteMessageVariable(xml, message);
    }
    xml.WriteEndTag();
}

void CUnityExporter::WriteMessageVariable(CKorXml& xml, int message)
{
    xml.WriteMultiNoEndElement({"variables", "name", FormatNumbered("ModbusMSG%d", message), "typeName",
                                m_baseName + "_ModbusMSG", kListEnd});
    WriteModbusMessageValues(xml, message);
    xml.WriteEndTag();
}

void CUnityExporter::WriteModbusMessageValues(CKorXml& xml, int message)
{
    const CString registers = DecimalText(MessageRegisterCount(message));
    const CString gatewayAddress = DecimalText(GatewayAddress(message));
    if (IsM340()) {
        const CString destination = "{" + GatewayIpText() + "}TCP.MBS";
        WriteInitialValue(xml, "Out", nullptr, nullptr, true);
        WriteInitialValue(xml, "Timeout", "Default value is 50 which is 5 seconds", "50");
        WriteInitialValue(xml, "MailBoxData", "This structure has all required values to send the Modbus message",
                          nullptr, true);
        WriteInitialValue(xml, "DestinationIPAddress",
                          "Address where the modbus command will be sent, part of the Address table", destination);
        WriteInitialValue(xml, "DataCount", "Number of words to write", registers);
        WriteInitialValue(xml, "StartAddress",
                          "Modbus address where to address the command (destination MB address)", gatewayAddress);
        WriteInitialValue(xml, "FunctionCode",
                          "Modbus function to use (depends if the command is a write command - 16 managed only)",
                          nullptr);
        xml.WriteEndTag();
        WriteInitialValue(xml, "SendMSG", "Changing this value from Zero to 1 will send the modbus message", nullptr);
        WriteInitialValue(xml, "MSGData", "Data value to be sent from PLC to VQN server side for control", nullptr);
        xml.WriteEndTag();
        WriteInitialValue(xml, "In", nullptr, nullptr, true);
        WriteInitialValue(xml, "MessageDone", "A value of 1 means the message executed successfully", nullptr);
        WriteInitialValue(xml, "MessageError", "A value of 1 means the message didn't execute", nullptr);
        WriteInitialValue(xml, "Mailboxdata", "This structure has all required values to send the Modbus message",
                          nullptr);
        xml.WriteEndTag();
        return;
    }
    // The address split at its first three dots; a missing dot leaves an empty octet and the rest whole.
    CString rest = GatewayIpText();
    CString octets[4];
    for (int i = 0; i < 3; ++i) {
        const int dot = rest.Find('.');
        if (dot < 0)
            continue;
        octets[i] = rest.Left(dot);
        rest = rest.Mid(dot + 1);
    }
    octets[3] = rest;
    WriteInitialValue(xml, "Out", nullptr, nullptr, true);
    WriteInitialValue(xml, "IPAddress", nullptr, nullptr, true);
    for (int i = 0; i < 4; ++i)
        WriteInitialValue(xml, FormatNumbered("[%d]", i + 1), nullptr, octets[i]);
    xml.WriteEndTag();
    WriteInitialValue(xml, "RoutingRegister", nullptr, GetRoutingRegisterText());
    WriteInitialValue(xml, "StartMBAddress", nullptr, gatewayAddress);
    WriteInitialValue(xml, "RegisterCount", nullptr, registers);
    xml.WriteEndTag();
}

void CUnityExporter::WriteDdtSources(CKorXml& xml)
{
    for (const DataType& type : IsM340() ? kM340Types : kQuantumTypes) {
        xml.WriteMultiNoEndElement({"DDTSource", "DDTName", WithBaseName(type.name, m_baseName), "version",
                                    type.version, "dateTime", TimeStamp(kDtStamp), kListEnd});
        if (type.arrayType != nullptr) {
            xml.WriteTextElement("array", type.arrayType);
        } else {
            xml.WriteStartTag("structure");
            WriteMembers(xml, type.members, m_baseName);
            xml.WriteEndTag();
        }
        xml.WriteEndTag();
    }
}

void CUnityExporter::WriteFbSource(CKorXml& xml)
{
    xml.WriteMultiNoEndElement(
        {"FBSource", "nameOfFBType", "ControlData", "version", "0.42", "dateTime", TimeStamp(kDtStamp), kListEnd});
    for (const ParameterGroup& group : IsM340() ? kM340Parameters : kQuantumParameters) {
        xml.WriteStartTag(group.element);
        WriteMembers(xml, group.members, m_baseName);
        xml.WriteEndTag();
    }
    xml.WriteStartTag("privateLocalVariables");
    if (!IsM340()) {
        xml.WriteMultiNoEndElement({"variables", "name", "MBP_MSTR_WRITE", "typeName", "MBP_MSTR", kListEnd});
        WriteInitialValue(xml, "ENABLE", nullptr, "TRUE");
        xml.WriteEndTag();
    }
    WriteMembers(xml, IsM340() ? kM340PrivateVariables : kQuantumPrivateVariables, m_baseName);
    xml.WriteEndTag();
    xml.WriteMultiNoEndElement({"FBProgram", "name", "Implement", kListEnd});
    xml.WriteTextElement("STSource", IsM340() ? kM340Program : kQuantumProgram);
    xml.WriteEndTag();
    xml.WriteEndTag();
}

} // namespace Corvel::Gateway

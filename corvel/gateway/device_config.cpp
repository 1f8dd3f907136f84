// The module configuration: the entry, the root element, the tag database and the attachments.
#include "corvel/gateway/device_config_writer.h"

#include "corvel/model/eip_status_rows.h"
#include "corvel/project/embedded_files.h"
#include "corvel/project/path_utils.h"

#include <algorithm>
#include <charconv>
#include <cstring>

namespace Corvel::Gateway {

using Korvane::Formats::CKorXml;
using Records::kSlotInUse;

namespace {

constexpr char kProductOnePort[] = "VQN31-EIP-61850";
constexpr char kProductTwoPorts[] = "VQN32-EIP-61850";
constexpr char kTempTagComment[] = "Temporary storage buffer tag for unused members of the Attribute data set";
// Driver status tags, in the order the tag database lists them.
const char* const kDriverStatusTags[] = {"SNTP_Status", "EIPS_Status", "IEC61850c_Status", "Reboot_Module"};
// The IEC 61850 client's status tags: these prefixes, the port ("eth0", "eth1"), and for a node "_" and the
// IED's two-digit number.
constexpr char kBaseStatusPrefix[] = "StatusIEC61850CBase_";
constexpr char kNodeStatusPrefix[] = "StatusIEC61850CNode_";
const char* const kStatusPorts[] = {"eth0", "eth1"};

// Connections per direction of the one-port model, and of the others.
constexpr int kOnePortConnectionLimit = 10;
constexpr int kConnectionLimit = 20;

constexpr char kProjectCopyExtension[] = "prx";
constexpr char kTemporaryPrefix[] = "cfg";

constexpr char kCannotCreate[] = "Error: Opening XML File\n%s";
constexpr char kCannotReplace[] = "Error: The configuration could not be saved as\n%s";
constexpr char kWouldOverwriteProject[] = "Error: The configuration would overwrite the project file\n%s";

struct PlcTypeRow {
    const char* iecType;
    const char* plcType;
};
const PlcTypeRow kPlcTypes[] = {
    {"BOOLEAN", "BOOL"},         {"INT8", "BYTE"},           {"INT16", "INT"},
    {"INT24", "DINT"},           {"INT32", "DINT"},          {"INT8U", "UBYTE"},
    {"INT16U", "UINT"},          {"INT24U", "UDINT"},        {"INT32U", "UDINT"},
    {"FLOAT32", "REAL"},         {"FLOAT64", "DREAL"},       {"ENUMERATED", "INT"},
    {"Enum", "INT"},             {"Dbpos", "INT"},           {"Tcmd", "INT"},
    {"Check", "UBYTE"},          {"CODED ENUM", "INT"},      {"Quality", "INT"},
    {"Timestamp", "DATETIME"},   {"EntryTime", "DATETIME"},  {"BitString", "UBYTE"},
    {"Octet64", "INT"},          {"VisString32", "STRING"},  {"VisString64", "STRING"},
    {"VisString65", "STRING"},   {"VisString255", "STRING"}, {"Unicode255", "STRING"},
    {"OCTET STRING", "STRING"},  {"VISIBLE STRING", "STRING"}, {"UNICODE STRING", "STRING"},
    // A 128-bit integer travels as four DINTs (its array dimension); without a tag the maps that name it
    // would point at nothing.
    {"INT128", "DINT"},
};

CString FormatPath(LPCSTR format, const CString& path)
{
    CString text;
    text.Format(format, (LPCSTR)path);
    return text;
}

// The XML copy of the project: the project path with the extension ".prx", or for a project without a
// path the project's name with ".prx" beside the configuration.
CString ProjectCopyPath(const Records::_PROJECT& project, const CString& outputPath)
{
    if (!project.filePath.IsEmpty())
        return ChangeFileExtension(project.filePath, kProjectCopyExtension);
    return JoinPath(GetContainingFolder(outputPath), Records::ProjectName(project) + "." + kProjectCopyExtension);
}

// A new, empty file beside path for the configuration to be written into.
CString CreateTemporaryConfiguration(const CString& path)
{
    const CString name = CreateTemporaryFileBeside(path, kTemporaryPrefix);
    if (name.IsEmpty())
        throw CDeviceConfigError(FormatPath(kCannotCreate, path), HRESULT_FROM_WIN32(::GetLastError()));
    return name;
}

} // namespace

bool ConvertIecTypeToPlcType(CString iecType, CString& plcType)
{
    for (const PlcTypeRow& row : kPlcTypes) {
        if (iecType == row.iecType) {
            plcType = row.plcType;
            return true;
        }
    }
    return false;
}

CString RemoveBrackets(CString& text)
{
    text.Remove('[');
    text.Remove(']');
    return text;
}

CString BracketsToParentheses(CString& text)
{
    text.Replace('[', '(');
    text.Replace(']', ')');
    return text;
}

CString DecimalText(int value)
{
    char digits[16];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    return CString(digits, static_cast<int>(end - digits));
}

CString TwoDigitNumber(int number)
{
    return number >= 0 && number < 10 ? "0" + DecimalText(number) : DecimalText(number);
}

bool IsModuleStatusTagName(const CString& name)
{
    // prefix followed by decimal digits only.
    const auto isNumbered = [&name](const CString& prefix) {
        const int length = prefix.GetLength();
        if (name.GetLength() <= length || name.Left(length) != prefix)
            return false;
        for (int i = length; i < name.GetLength(); ++i) {
            if (name[i] < '0' || name[i] > '9')
                return false;
        }
        return true;
    };
    if (name == kTempTagName || isNumbered(kReconnectionCountPrefix))
        return true;
    for (const char* driverTag : kDriverStatusTags) {
        if (name == driverTag)
            return true;
    }
    for (const char* port : kStatusPorts) {
        if (name == CString(kBaseStatusPrefix) + port || isNumbered(CString(kNodeStatusPrefix) + port + "_"))
            return true;
    }
    return false;
}

CString PathAfterColon(const CString& path)
{
    const int colon = path.Find(':');
    return colon < 0 ? path : path.Mid(colon + 1);
}

DeviceConfigResult WriteDeviceConfigFile(const ProjectXmlContent& project, const CString& outputPath,
                                         const DeviceConfigOptions& options)
{
    const Records::_PROJECT& records = project.project;
    if (options.withAttachments) {
        for (const CString& projectFile : {records.filePath, ProjectCopyPath(records, outputPath)}) {
            if (!projectFile.IsEmpty() && IsSamePath(projectFile, outputPath))
                throw CDeviceConfigError(FormatPath(kWouldOverwriteProject, outputPath));
        }
    }

    const CString temporaryPath = CreateTemporaryConfiguration(outputPath);
    DeviceConfigResult result;
    CKorXml xml;
    xml.SetThrowFailures(true);
    CDeviceConfigWriter writer(xml, project);
    try {
        xml.Open(temporaryPath, false);
        result.tagCount = writer.Write(outputPath, options, result.warnings);
        xml.Close();
        if (!::MoveFileExA(temporaryPath, outputPath, MOVEFILE_REPLACE_EXISTING))
            throw CDeviceConfigError(FormatPath(kCannotReplace, outputPath), HRESULT_FROM_WIN32(::GetLastError()));
    } catch (...) {
        try {
            xml.Close();
        } catch (Korvane::Exceptions::CKorException&) {
            // The first failure is the one reported.
        }
        ::DeleteFileA(temporaryPath);
        writer.RestoreRecords();
        throw;
    }
    return result;
}

CDeviceConfigWriter::CDeviceConfigWriter(CKorXml& xml, const ProjectXmlContent& project)
    : m_xml(xml), m_project(project), m_records(project.project), m_ctlModels(project.ctlModels)
{
}

int CDeviceConfigWriter::Write(const CString& outputPath, const DeviceConfigOptions& options,
                               std::vector<CString>& warnings)
{
    m_warnings = &warnings;
    m_xml.WriteMultiNoEndElement({"DeviceConfig", "moduleName", Records::ProjectName(m_records), "productName",
                                  m_records.numPorts == 1 ? kProductOnePort : kProductTwoPorts,
                                  "DriverAutoRestart", m_records.autoRestart ? "Yes" : "No", kListEnd});
    WriteTagDatabase();
    m_xml.WriteStartTag("Resources");
    WriteEth0Resource();
    if (m_records.numPorts == 2)
        WriteEth1Resource();
    m_xml.WriteEndTag();
    WriteAttachments(outputPath, options, warnings);
    m_xml.WriteEndTag();
    return m_tagCount;
}

void CDeviceConfigWriter::RestoreRecords()
{
    for (Device* device : m_defaultedPings)
        device->MMSping.Empty();
    m_defaultedPings.clear();
}

void CDeviceConfigWriter::WriteTagDatabase()
{
    m_xml.WriteStartTag("TagDB");
    m_xml.WriteStartTag("datatypes");
    m_xml.WriteEndTag();
    m_xml.WriteStartTag("tags");

    m_tagCount = 0;
    CString plcType;
    CString dimension;
    CString name;
    for (POSITION pos = m_records.iedDevices.GetHeadPosition(); pos != nullptr;) {
        const Device* device = m_records.iedDevices.GetNext(pos);
        if (device->state != kSlotInUse)
            continue;
        for (const Row& row : device->ConfiguredCache) {
            if (row.size() <= Records::kColDataType)
                continue;
            const CString& iecType = row[Records::kColDataType];
            dimension = DecimalText(m_types.GetArrayDimension(iecType));
            if (!ConvertIecTypeToPlcType(iecType, plcType))
                continue;
            name = row[Records::kColTagName];
            RemoveBrackets(name);
            m_xml.WriteMultiShortEndElement(
                {"tag", "comment", "", "datatype", plcType, "dim0", dimension, "name", name, kListEnd});
            ++m_tagCount;
        }
    }

    m_iedCount = Records::CountIedsInUse(m_records);
    m_connectionLimit = m_records.numPorts == 1 ? kOnePortConnectionLimit : kConnectionLimit;
    m_connectionsInUse.assign(static_cast<size_t>(m_connectionLimit), false);
    for (Records::CVQNTagsList* list : {&m_project.tagsINP, &m_project.tagsOUT}) {
        for (INT_PTR i = 0; i < list->GetCount(); ++i) {
            const int connection = list->GetAt(i)->Conn;
            if (connection >= 0 && connection < m_connectionLimit)
                m_connectionsInUse[static_cast<size_t>(connection)] = true;
        }
    }

    name = kBaseStatusPrefix;
    name += Iec61850StatusPort();
    WriteStatusTag("STATUSIEC61850CBase", name);
    for (int i = 0; i < m_iedCount; ++i)
        WriteStatusTag("STATUSIEC61850CNode", NodeStatusName(i));
    for (int j = 0; j < m_connectionLimit; ++j) {
        if (IsConnectionInUse(j))
            WriteStatusTag("INT", kReconnectionCountPrefix + TwoDigitNumber(j));
    }
    for (const char* driverTag : kDriverStatusTags)
        WriteStatusTag("INT", driverTag);
    WriteStatusTag("INT", kTempTagName, kTempTagComment);

    m_xml.WriteEndTag();
    m_xml.WriteEndTag();
}

void CDeviceConfigWriter::WriteStatusTag(LPCSTR datatype, const CString& name, LPCSTR comment)
{
    m_xml.WriteMultiShortEndElement({"tag", "comment", comment, "datatype", datatype, "dim0", "0", "name", name, kListEnd});
}

bool CDeviceConfigWriter::IsConnectionInUse(int connection) const
{
    return connection >= 0 && connection < m_connectionLimit && m_connectionsInUse[static_cast<size_t>(connection)];
}

LPCSTR CDeviceConfigWriter::Iec61850StatusPort() const
{
    return Records::NodeStatusOnEth1(m_records.numPorts, m_records.port61850) ? "eth1" : "eth0";
}

CString CDeviceConfigWriter::NodeStatusName(int iedIndex) const
{
    CString name;
    name.Format("%s%s_%s", kNodeStatusPrefix, Iec61850StatusPort(), (LPCSTR)TwoDigitNumber(iedIndex));
    return name;
}

void CDeviceConfigWriter::WriteAttachments(const CString& outputPath, const DeviceConfigOptions& options,
                                           std::vector<CString>& warnings)
{
    m_xml.WriteStartTag("Attachments");
    if (options.withAttachments) {
        for (POSITION pos = m_records.sclFiles.GetHeadPosition(); pos != nullptr;)
            EmbedFile(m_records.sclFiles.GetNext(pos)->filePath, warnings);
        // A project never saved, or whose file is gone, has no project file to carry.
        if (!m_records.filePath.IsEmpty() && FileExists(m_records.filePath))
            EmbedFile(m_records.filePath, warnings);
        const CString copyPath = ProjectCopyPath(m_records, outputPath);
        {
            CKorXml copy;
            copy.SetThrowFailures(true);
            copy.Open(copyPath, false);
            CProjectXmlWriter(copy, m_project, options.stamp).Write();
            copy.Close();
        }
        EmbedFile(copyPath, warnings);
    }
    m_xml.WriteEndTag();
}

void CDeviceConfigWriter::EmbedFile(const CString& path, std::vector<CString>& warnings)
{
    if (!m_xml.WriteEmbeddedFile(path))
        warnings.push_back(Korvane::Formats::NotEmbeddedText(path));
}

} // namespace Corvel::Gateway

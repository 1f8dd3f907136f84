// The Logix Add-On Instruction files: the run over the configuration, the file's element tree, its
// parameters, members and rungs.
#include "corvel/gateway/aoi_export.h"

#include "corvel/gateway/device_config_writer.h"
#include "corvel/project/path_utils.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <initializer_list>
#include <utility>

namespace Corvel::Gateway {

namespace {

constexpr char kFileSuffix[] = "_AOI.L5X";
constexpr char kTemporaryPrefix[] = "aoi";
constexpr char kClientDriverId[] = "IEC61850C";

constexpr char kCannotBuild[] = "Error: The AOI file could not be built (%s)\n%s";
constexpr char kCannotSave[] = "Error: The AOI file could not be saved as\n%s";

// Selections of the configuration.
constexpr char kTagsPath[] = "DeviceConfig/TagDB/tags/tag";
constexpr char kResourcesPath[] = "DeviceConfig/Resources/Resource";
constexpr char kConnectionsPath[] = "DeviceConfig/Resources/Resource/Driver[@id='EIPS']/Implicit/Connection";

// The text of each element below the root: a line break after it in its parent, and one with a tab before
// the first child of an element that has children.
constexpr char kLineBreak[] = "\r\n";
constexpr char kBlockStart[] = "\r\n\t";

// Dates of the file: the edit and creation stamps, and the export date.
constexpr char kStampFormat[] = "%Y-%m-%dT%H:%M:%S.000Z";
constexpr char kExportDateFormat[] = "%a %b %d %H:%M:%S %Y";

// A hidden SINT holds up to this many BOOL members.
constexpr int kBitsPerHiddenMember = 8;
// Hidden SINT members: this prefix, the start of the device's name, the member's position.
constexpr char kHiddenMemberPrefix[] = "ZZZZZZZZZZ";
constexpr int kHiddenMemberDeviceLength = 10;
// A STRING member's elements.
constexpr char kStringDimension[] = "102";
// Copies of more elements than this address the member's first element.
constexpr int kMaxCopyWithoutIndex = 8;

// The connection buffers' sizes in bytes.
constexpr char kInputBufferSize[] = "500";
constexpr char kOutputBufferSize[] = "496";

const struct {
    const char* type;
    int bytes;
} kTypeSizes[] = {
    {"BOOL", 1}, {"BYTE", 1}, {"UBYTE", 1}, {"INT", 2},  {"UINT", 2},     {"DINT", 4},
    {"UDINT", 4}, {"REAL", 4}, {"DREAL", 4}, {"STRING", 1}, {"DATETIME", 8},
};

// Prefixes of the module's status tags; "Tag" stands for the module's own tags.
const char* const kStatusPrefixes[] = {"StatusIEC61850", "StatusEIPS", "H50c_Status", "Tag",
                                       "SNTP_Status",    "EIPS_Status", "Reboot_Module"};

// The letter in place of a member name's leading digit.
constexpr char kDigitLetters[] = "OABCDEFGHI";

using Attributes = std::initializer_list<std::pair<LPCSTR, CString>>;

bool StartsWith(const CString& text, const CString& start)
{
    return text.GetLength() >= start.GetLength() && strncmp(text, start, start.GetLength()) == 0;
}

CString AttributeValue(const DomElementPtr& element, LPCSTR name)
{
    return CXmlDocument::GetAttributeValue(CXmlDocument::GetAttribute(element, name));
}

// The number that names a connection's parameters: its "No" without leading zeros ("03" gives "3"); a
// value that is not a number stays as it is.
CString ConnectionNumber(const CString& no)
{
    if (no.IsEmpty() || no.SpanIncluding("0123456789").GetLength() != no.GetLength())
        return no;
    const int digits = no.GetLength();
    int first = 0;
    while (first < digits - 1 && no[first] == '0')
        ++first;
    return no.Mid(first);
}

CString FormatText(LPCSTR format, LPCSTR first, LPCSTR second = "")
{
    CString text;
    text.Format(format, first, second);
    return text;
}

CString FormatTime(LPCSTR format, const tm& time)
{
    char text[64] = {};
    strftime(text, sizeof text, format, &time);
    return text;
}

} // namespace

// Builds one file in a DOM document and saves it; every step that fails throws CAoiExportError.
class CGenAOI::CFileBuilder {
public:
    explicit CFileBuilder(const CString& path) : m_path(path) {}

    DomElementPtr CreateRoot(LPCSTR name)
    {
        if (!m_document.CreateRootElement(name, CString()))
            Fail(CString("element ") + name);
        return m_document.GetRootElement();
    }

    // Appends an element with its attributes in order, and a line break after it.
    DomElementPtr AddChild(const DomElementPtr& parent, LPCSTR name, Attributes attributes = {})
    {
        const DomElementPtr element = CXmlDocument::AddChildElement(parent, name, kLineBreak);
        if (!element)
            Fail(CString("element ") + name);
        SetAttributes(element, attributes);
        return element;
    }

    void SetAttributes(const DomElementPtr& element, Attributes attributes)
    {
        for (const auto& [name, value] : attributes) {
            if (!CXmlDocument::SetAttribute(element, name, value))
                Fail(CString("attribute ") + name);
        }
    }

    // The line break and tab that start an element's children.
    void StartBlock(const DomElementPtr& element)
    {
        if (!CXmlDocument::SetNodeText(element, kBlockStart))
            Fail("text");
    }

    void AddCData(const DomElementPtr& parent, const CString& text)
    {
        if (!m_document.CreateCDataSection(text, parent))
            Fail("rung text");
    }

    // Saves the document into a temporary file beside the path, reads it back, which proves it well-formed,
    // and puts it in the path's place. (The white space between the elements is read back as it was written,
    // so a second save would write the same document again.)
    void Save()
    {
        const CString temporary = CreateTemporaryFileBeside(m_path, kTemporaryPrefix);
        if (temporary.IsEmpty())
            throw CAoiExportError(FormatText(kCannotSave, m_path), HRESULT_FROM_WIN32(::GetLastError()));
        bool saved = m_document.Save(temporary);
        if (saved) {
            CXmlDocument reloaded;
            reloaded.SetPreserveWhiteSpace(true);
            saved = reloaded.Load(temporary);
        }
        HRESULT result = E_FAIL;
        if (saved && !::MoveFileExA(temporary, m_path, MOVEFILE_REPLACE_EXISTING)) {
            result = HRESULT_FROM_WIN32(::GetLastError());
            saved = false;
        }
        if (!saved) {
            ::DeleteFileA(temporary);
            throw CAoiExportError(FormatText(kCannotSave, m_path), result);
        }
    }

private:
    [[noreturn]] void Fail(const CString& what) const
    {
        throw CAoiExportError(FormatText(kCannotBuild, what, m_path));
    }

    CXmlDocument m_document;
    CString m_path;
};

CGenAOI::CGenAOI(std::vector<CString> projectDevices) : m_projectDevices(std::move(projectDevices)) {}

CGenAOI::CGenAOI(ProjectDevices projectDevices)
    : m_projectDevices(std::move(projectDevices.names)), m_deviceTags(std::move(projectDevices.tagsByDevice))
{
}

CGenAOI::ProjectDevices CGenAOI::GetProjectDevices(const Records::_PROJECT& project)
{
    ProjectDevices devices;
    CString tagName;
    for (POSITION pos = project.iedDevices.GetHeadPosition(); pos != nullptr;) {
        const Records::_IED_DEVICE* device = project.iedDevices.GetNext(pos);
        if (device->state == Records::kSlotFree)
            continue;
        devices.names.push_back(device->name);
        // The configuration names the device by its AR name.
        std::set<CString>& tags = devices.tagsByDevice[device->label];
        for (const Records::ConfiguredRow& row : device->ConfiguredCache) {
            if (row.size() <= Records::kColTagName)
                continue;
            tagName = row[Records::kColTagName];
            tags.insert(RemoveBrackets(tagName));
        }
    }
    return devices;
}

bool CGenAOI::ExportAll(const CString& configPath)
{
    CXmlDocument config;
    if (!config.Load(configPath))
        return false;
    m_outputFolder = GetContainingFolder(configPath);
    m_continue = true;
    m_overwriteAsked = false;
    m_writtenFiles.clear();
    if (!config.GetRootElement())
        return true;
    ReadConfiguration(config);

    CXmlElementList resources;
    config.SelectNodes(kResourcesPath, resources);
    for (INT_PTR r = 0; r < resources.GetSize(); ++r) {
        CXmlElementList drivers;
        CXmlDocument::GetChildNodes(resources[r], drivers);
        for (INT_PTR d = 0; d < drivers.GetSize(); ++d) {
            if (AttributeValue(drivers[d], "id") == kClientDriverId)
                ExportRemoteAddresses(drivers[d]);
            if (!m_continue)
                return true;
        }
    }
    return true;
}

void CGenAOI::ReadConfiguration(const CXmlDocument& config)
{
    CXmlElementList elements;
    m_tags.clear();
    config.SelectNodes(kTagsPath, elements);
    for (INT_PTR i = 0; i < elements.GetSize(); ++i) {
        TagEntry tag;
        const DomAttributePtr name = CXmlDocument::GetAttribute(elements[i], "name");
        tag.hasName = static_cast<bool>(name);
        tag.name = CXmlDocument::GetAttributeValue(name);
        tag.datatype = AttributeValue(elements[i], "datatype");
        tag.dimension = AttributeValue(elements[i], "dim0");
        m_tags.push_back(tag);
    }

    m_connections.clear();
    config.SelectNodes(kConnectionsPath, elements);
    for (INT_PTR i = 0; i < elements.GetSize(); ++i)
        m_connections.push_back(ConnectionNumber(AttributeValue(elements[i], "No")));

    for (const bool isInput : {true, false}) {
        std::vector<MapEntry>& maps = isInput ? m_inputMaps : m_outputMaps;
        maps.clear();
        config.SelectNodes(CString(kConnectionsPath) + (isInput ? "/Input/Map" : "/Output/Map"), elements);
        for (INT_PTR i = 0; i < elements.GetSize(); ++i) {
            const DomElementPtr connection = CXmlDocument::GetParentNode(CXmlDocument::GetParentNode(elements[i]));
            maps.push_back(MapEntry{AttributeValue(elements[i], "Tag"), AttributeValue(elements[i], "StartAddress"),
                                    ConnectionNumber(AttributeValue(connection, "No"))});
        }
    }
}

void CGenAOI::ExportRemoteAddresses(const DomElementPtr& driver)
{
    const DomElementPtr list = CXmlDocument::GetChildByName(driver, "RemoteAddressList");
    if (!list)
        return;
    CXmlElementList addresses;
    CXmlDocument::GetChildNodes(list, addresses);
    for (INT_PTR i = 0; i < addresses.GetSize(); ++i) {
        const DomElementPtr name = CXmlDocument::GetChildByName(addresses[i], "AR_Name");
        if (name && !WriteAoiFile(CXmlDocument::GetNodeText(name))) {
            m_continue = false;
            return;
        }
    }
}

bool CGenAOI::WriteAoiFile(const CString& device)
{
    const CString path = JoinPath(m_outputFolder, device + kFileSuffix);
    if (!m_overwriteAsked) {
        if (!m_overwriteWithoutAsking && PathExists(path))
            return false;
        m_overwriteAsked = true;
    }

    const time_t now = time(nullptr);
    tm local = {};
    localtime_s(&local, &now);
    const CString stamp = FormatTime(kStampFormat, local);
    const CString aoiName = device + "_AOI";

    CFileBuilder file(path);
    const DomElementPtr root = file.CreateRoot("RSLogix5000Content");
    file.SetAttributes(root, {{"SchemaRevision", "1.0"},
                              {"SoftwareRevision", "18.01"},
                              {"TargetName", aoiName},
                              {"TargetType", "AddOnInstructionDefinition"},
                              {"TargetRevision", "1.0"},
                              {"TargetLastEdited", stamp},
                              {"ContainsContext", "true"},
                              {"Owner", "AB, Korvane"},
                              {"ExportDate", FormatTime(kExportDateFormat, local)},
                              {"ExportOptions", "References DecoratedData Context Dependencies AllProjDocTrans"}});
    file.StartBlock(root);
    const DomElementPtr controller = file.AddChild(root, "Controller", {{"Use", "Context"}, {"Name", device}});
    file.StartBlock(controller);
    const DomElementPtr dataTypes = file.AddChild(controller, "DataTypes", {{"Use", "Context"}});
    file.StartBlock(dataTypes);
    const DomElementPtr dataType =
        file.AddChild(dataTypes, "DataType", {{"Name", device}, {"Family", "NoFamily"}, {"Class", "User"}});
    file.StartBlock(dataType);
    WriteMembers(file, device, file.AddChild(dataType, "Members"));

    const DomElementPtr definitions = file.AddChild(controller, "AddOnInstructionDefinitions", {{"Use", "Context"}});
    file.StartBlock(definitions);
    const DomElementPtr definition = file.AddChild(definitions, "AddOnInstructionDefinition",
                                                   {{"Use", "Target"},
                                                    {"Name", aoiName},
                                                    {"Revision", "1.0"},
                                                    {"Vendor", "Korvane Technology Inc"},
                                                    {"ExecutePrescan", "false"},
                                                    {"ExecutePostscan", "false"},
                                                    {"ExecuteEnableInFalse", "false"},
                                                    {"CreatedDate", stamp},
                                                    {"CreatedBy", "Korvane"},
                                                    {"EditedDate", stamp},
                                                    {"EditedBy", "Korvane"},
                                                    {"SoftwareRevision", "v18.01"}});
    file.StartBlock(definition);
    WriteParameters(file, device, file.AddChild(definition, "Parameters"));
    file.AddChild(definition, "LocalTags");
    const DomElementPtr routines = file.AddChild(definition, "Routines");
    file.StartBlock(routines);
    const DomElementPtr routine = file.AddChild(routines, "Routine", {{"Name", "Logic"}, {"Type", "RLL"}});
    file.StartBlock(routine);
    WriteRoutine(file, device, file.AddChild(routine, "RLLContent"));
    const DomElementPtr dependencies = file.AddChild(definition, "Dependencies");
    file.StartBlock(dependencies);
    file.AddChild(dependencies, "Dependency", {{"Type", "DataType"}, {"Name", device}});
    file.StartBlock(dependencies);

    file.Save();
    m_writtenFiles.push_back(path);
    return true;
}

void CGenAOI::WriteParameters(CFileBuilder& file, const CString& device, const DomElementPtr& parameters) const
{
    file.StartBlock(parameters);
    for (const char* usage : {"Input", "Output"}) {
        file.AddChild(parameters, "Parameter",
                      {{"Name", CString("Enable") + (strcmp(usage, "Input") == 0 ? "In" : "Out")},
                       {"TagType", "Base"},
                       {"DataType", "BOOL"},
                       {"Usage", usage},
                       {"Radix", "Decimal"},
                       {"Required", "false"},
                       {"Visible", "false"},
                       {"ExternalAccess", "Read Only"}});
    }
    // Named by the connection's number, as the rungs name them.
    for (const CString& connection : m_connections) {
        for (const bool isInput : {true, false}) {
            file.AddChild(parameters, "Parameter",
                          {{"Name", (isInput ? "Connection_Input" : "Connection_Output") + connection},
                           {"TagType", "Base"},
                           {"DataType", "SINT"},
                           {"Dimensions", isInput ? kInputBufferSize : kOutputBufferSize},
                           {"Usage", "InOut"},
                           {"Radix", "Decimal"},
                           {"Required", "true"},
                           {"Visible", "true"},
                           {"Constant", "false"}});
        }
    }
    file.AddChild(parameters, "Parameter",
                  {{"Name", device},
                   {"TagType", "Base"},
                   {"DataType", device},
                   {"Usage", "InOut"},
                   {"Required", "true"},
                   {"Visible", "true"},
                   {"Constant", "false"}});
}

void CGenAOI::WriteMembers(CFileBuilder& file, const CString& device, const DomElementPtr& members)
{
    m_members.clear();
    bool hasChildren = false;
    const auto addMember = [&](Attributes attributes) {
        if (!hasChildren)
            file.StartBlock(members);
        hasChildren = true;
        return file.AddChild(members, "Member", attributes);
    };

    bool inBitRun = false;
    int bitNumber = 0;
    int memberCount = 0;
    CString hiddenName;
    for (size_t position = 0; position < m_tags.size(); ++position) {
        const TagEntry& tag = m_tags[position];
        if (!tag.hasName || IsStatusTag(tag.name, device) || !TagBelongsToDevice(tag.name, device))
            continue;
        ++memberCount;
        Member member;
        member.name = MemberNameOf(tag.name, device, static_cast<int>(position));
        member.datatype = tag.datatype;
        CString type = tag.datatype;
        CString dimension = tag.dimension;
        CString radix;
        CString hidden;
        MapMemberType(type, dimension, radix, hidden, member.isBit);
        member.dimension = dimension;

        if (!member.isBit) {
            inBitRun = false;
            bitNumber = 0;
        } else if (inBitRun && bitNumber + 1 < kBitsPerHiddenMember) {
            ++bitNumber;
        } else {
            // A new hidden SINT, right before the first of its bits.
            inBitRun = true;
            bitNumber = 0;
            hiddenName.Format("%s%s%d", kHiddenMemberPrefix, (LPCSTR)device.Left(kHiddenMemberDeviceLength),
                              memberCount - 1);
            addMember({{"Name", hiddenName},
                       {"DataType", "SINT"},
                       {"Dimension", dimension},
                       {"Radix", "Decimal"},
                       {"Hidden", "true"},
                       {"ExternalAccess", "Read/Write"}});
            ++memberCount;
        }

        const DomElementPtr element = addMember(
            {{"Name", member.name}, {"DataType", type}, {"Dimension", dimension}, {"Radix", radix}, {"Hidden", hidden}});
        if (member.isBit)
            file.SetAttributes(element, {{"Target", hiddenName}, {"BitNumber", DecimalText(bitNumber)}});
        file.SetAttributes(element, {{"ExternalAccess", "Read/Write"}});
        m_members[tag.name] = member;
    }
}

CString CGenAOI::MemberNameOf(const CString& tagName, const CString& device, int position)
{
    // A tag of the device that does not carry its name keeps the whole name.
    CString name = StartsWith(tagName, device) ? tagName.Mid(device.GetLength()) : tagName;
    if (!name.IsEmpty() && name[0] >= '0' && name[0] <= '9')
        name.SetAt(0, kDigitLetters[name[0] - '0']);
    name.Replace("__", "_");
    if (name.GetLength() > kMaxMemberName) {
        // Cut to the limit, ending in the tag's position to keep it apart from the other cut names.
        const CString number = DecimalText(position);
        name = name.Left(kMaxMemberName - number.GetLength()) + number;
    }
    return name;
}

void CGenAOI::WriteRoutine(CFileBuilder& file, const CString& device, const DomElementPtr& rllContent) const
{
    int rungNumber = 0;
    WriteRungs(file, rungNumber, true, device, rllContent);
    WriteRungs(file, rungNumber, false, device, rllContent);
}

void CGenAOI::WriteRungs(CFileBuilder& file, int& rungNumber, bool isInput, const CString& device,
                         const DomElementPtr& rllContent) const
{
    const CString direction = isInput ? "Input" : "Output";
    for (const MapEntry& map : isInput ? m_inputMaps : m_outputMaps) {
        // Only a tag written as a member of this file gets a rung.
        const auto found = m_members.find(map.tagName);
        if (found == m_members.end())
            continue;
        const Member& member = found->second;

        const CString buffer = "Connection_" + direction + map.connection + "[" + map.startAddress + "]";
        CString operand = device + "." + member.name;
        CString text;
        if (member.isBit) {
            if (isInput)
                text.Format("XIC(%s.0)OTE(%s);", (LPCSTR)buffer, (LPCSTR)operand);
            else
                text.Format("XIC(%s)OTE(%s.0);", (LPCSTR)operand, (LPCSTR)buffer);
        } else {
            int count = std::max(1, atoi(member.dimension));
            if (count > kMaxCopyWithoutIndex)
                operand += "[0]";
            if (isInput) {
                text.Format("COP(%s,%s,%d);", (LPCSTR)buffer, (LPCSTR)operand, count);
            } else {
                const int size = GetTypeSize(member.datatype);
                if (size > 0)
                    count *= size;
                text.Format("COP(%s,%s,%d);", (LPCSTR)operand, (LPCSTR)buffer, count);
            }
        }

        if (rungNumber == 0)
            file.StartBlock(rllContent);
        const DomElementPtr rung =
            file.AddChild(rllContent, "Rung", {{"Number", DecimalText(rungNumber++)}, {"Type", "N"}});
        file.StartBlock(rung);
        file.AddCData(file.AddChild(rung, "Text"), text);
    }
}

int CGenAOI::GetTypeSize(const CString& type)
{
    for (const auto& row : kTypeSizes) {
        if (type == row.type)
            return row.bytes;
    }
    return -1;
}

void CGenAOI::MapMemberType(CString& type, CString& dimension, CString& radix, CString& hidden, bool& isBit)
{
    radix = "Decimal";
    hidden = "false";
    isBit = false;
    if (type.CompareNoCase("DATETIME") == 0) {
        type = "LINT";
        radix = "Date/Time";
    } else if (type.CompareNoCase("UDINT") == 0) {
        type = "DINT";
    } else if (type.CompareNoCase("BOOL") == 0) {
        type = "BIT";
        isBit = true;
    } else if (type.CompareNoCase("STRING") == 0) {
        type = "SINT";
        dimension = kStringDimension;
    } else if (type.CompareNoCase("UBYTE") == 0 || type.CompareNoCase("BYTE") == 0) {
        type = "SINT";
    } else if (type.CompareNoCase("REAL") == 0) {
        radix = "Float";
    }
}

bool CGenAOI::IsStatusTag(const CString& tagName, const CString& deviceName)
{
    if (IsModuleStatusTagName(tagName))
        return true;
    // The device's own tags keep their names, whatever the device is called.
    if (StartsWith(tagName, deviceName))
        return false;
    for (const char* prefix : kStatusPrefixes) {
        if (StartsWith(tagName, prefix))
            return true;
    }
    return false;
}

bool CGenAOI::TagBelongsToDevice(const CString& tagName, const CString& deviceName) const
{
    const auto rows = m_deviceTags.find(deviceName);
    if (rows != m_deviceTags.end())
        return rows->second.count(tagName) != 0;
    if (!StartsWith(tagName, deviceName))
        return false;
    for (const CString& other : m_projectDevices) {
        if (other != deviceName && other.GetLength() > deviceName.GetLength() && StartsWith(tagName, other))
            return false;
    }
    return true;
}

bool CGenAOI::PathExists(const CString& path)
{
    return ::GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}

namespace {

const char kCannotCreateConfiguration[] = "Error: Opening XML File\n%s";
// The configuration the export reads, left beside the AOI files, and the prefix of its draft.
const char kConfigurationName[] = "Current.xml";
const char kDraftPrefix[] = "cfg";

[[noreturn]] void ThrowCannotCreateConfiguration(const CString& path, DWORD error)
{
    CString text;
    text.Format(kCannotCreateConfiguration, (LPCSTR)path);
    throw CDeviceConfigError(text, HRESULT_FROM_WIN32(error));
}

} // namespace

bool WriteConfigurationAndAoiFiles(const ProjectXmlContent& project, const DeviceConfigOptions& options,
                                   const CString& folder, CGenAOI& aoi, std::vector<CString>* warnings)
{
    const CString configPath = JoinPath(folder, kConfigurationName);
    const CString draftPath = CreateTemporaryFileBeside(configPath, kDraftPrefix);
    if (draftPath.IsEmpty())
        ThrowCannotCreateConfiguration(configPath, ::GetLastError());
    bool exported = false;
    try {
        DeviceConfigResult written = WriteDeviceConfigFile(project, draftPath, options);
        if (warnings != nullptr)
            *warnings = std::move(written.warnings);
        exported = aoi.ExportAll(draftPath);
    } catch (...) {
        ::DeleteFileA(draftPath);
        throw;
    }
    if (!exported || aoi.StoppedBeforeOverwriting()) {
        ::DeleteFileA(draftPath);
        return exported;
    }
    if (!::MoveFileExA(draftPath, configPath, MOVEFILE_REPLACE_EXISTING)) {
        const DWORD error = ::GetLastError();
        ::DeleteFileA(draftPath);
        ThrowCannotCreateConfiguration(configPath, error);
    }
    return true;
}

} // namespace Corvel::Gateway

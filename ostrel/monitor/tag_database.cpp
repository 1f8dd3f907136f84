#include "ostrel/monitor/tag_database.h"

#include "framework/file.h"
#include "ostrel/monitor/diagnostic_client.h"
#include "ostrel/monitor/monitor_limits.h"
#include "ostrel/monitor/monitor_xml.h"

#include <cstdlib>
#include <functional>

namespace {

const char kDataTypesPath[] = "DeviceConfig/TagDB/datatypes";
const char kTagsPath[] = "DeviceConfig/TagDB/tags";
const char kMapPath[] = "//Map";
const char kTagMapDataPath[] = "//TagMapData";
const char kGooseDataSetPath[] = "//GooseDataSet";
const char kReportDataSetPath[] = "//RptDataSet";
const char kTagsDataElement[] = "tagsdata";
const char kRunningDriversElement[] = "runningdrivers";
const char kEventLogElement[] = "eventLog";
const char kConfigFileName[] = "current-%s.xml";
const char kWholeObjectDataName[] = "none";
// The register reference of the first holding register.
constexpr int kFirstHoldingRegister = 40001;
// Register bytes: DataTag counts bytes, the address registers.
constexpr int kRegisterBytes = 2;
// The event-log fields of one entry, in the order they are written.
const char* const kEventLogFields[] = {"dateTime", "eventLevel", "sourceID", "resourceID", "messageID", "message"};
const char kEventValueItem[] = "value";

bool IsElement(const DomNodePtr& node)
{
    DOMNodeType type = NODE_INVALID;
    return node && SUCCEEDED(node->get_nodeType(&type)) && type == NODE_ELEMENT;
}

// The attribute's text; false, leaving value, when the node has no such attribute.
// Read through the element itself: no attribute map or attribute node is made (a refresh reads thousands).
bool ReadAttribute(const DomNodePtr& node, LPCSTR name, CString& value)
{
    const DomElementPtr element(node);
    if (!element)
        return false;
    ComVariant text;
    if (element->getAttribute(ComBstr(CString(name)).Get(), text.Receive()) != S_OK || text.Get().vt != VT_BSTR)
        return false;
    value = text.ToString();
    return true;
}

CString AttributeOrEmpty(const DomNodePtr& node, LPCSTR name)
{
    CString value;
    ReadAttribute(node, name, value);
    return value;
}

// A decimal attribute; false when it is absent or no number.
bool ReadNumberAttribute(const DomNodePtr& node, LPCSTR name, int& number)
{
    CString text;
    if (!ReadAttribute(node, name, text))
        return false;
    char* end = nullptr;
    const long value = strtol(text, &end, 10);
    if (text.IsEmpty() || end == nullptr || *end != '\0')
        return false;
    number = static_cast<int>(value);
    return true;
}

void ForEachSelected(const DomDocumentPtr& document, LPCSTR path, const std::function<void(const DomNodePtr&)>& visit)
{
    const DomNodeListPtr list = SelectNodes(document, path);
    for (DomNodePtr node = NextNode(list); node; node = NextNode(list))
        visit(node);
}

void ForEachChildElement(const DomNodePtr& parent, const std::function<void(const DomNodePtr&)>& visit)
{
    const DomNodeListPtr children = ChildNodes(parent);
    for (DomNodePtr child = NextNode(children); child; child = NextNode(children)) {
        if (IsElement(child))
            visit(child);
    }
}

// The document's root element when it has the given name.
DomNodePtr RootNamed(const DomDocumentPtr& document, LPCSTR name)
{
    DomElementPtr root;
    if (!document || FAILED(document->get_documentElement(root.Receive())) || !root)
        return DomNodePtr();
    DomNodePtr node(root);
    return NodeName(node) == name ? node : DomNodePtr();
}

bool WriteLines(const CString& file, const std::vector<CString>& lines)
{
    CStdioFile output;
    if (!output.Open(file, CFile::modeCreate | CFile::modeWrite | CFile::typeText))
        return false;
    try {
        for (const CString& line : lines)
            output.WriteString(line + "\n");
        output.Close();
    } catch (CFileException* e) {
        e->Delete();
        output.Abort();
        return false;
    }
    return true;
}

// The event-log line of one entry: its fields, then its value items, separated by blanks.
CString EventLogLine(const DomNodePtr& entry)
{
    CString line;
    for (LPCSTR field : kEventLogFields) {
        if (field != kEventLogFields[0])
            line += ' ';
        line += AttributeOrEmpty(entry, field);
    }
    CString value;
    if (ReadAttribute(entry, kEventValueItem, value))
        line += ' ' + value;
    ForEachChildElement(entry, [&line](const DomNodePtr& child) {
        if (NodeName(child) == kEventValueItem)
            line += ' ' + NodeText(child);
    });
    return line;
}

} // namespace

TagDatabase& TagDatabase::GetInstance()
{
    static TagDatabase database;
    return database;
}

CDiagnosticClient& TagDatabase::GetClient() const
{
    return m_client != nullptr ? *m_client : *CDiagnosticClient::GetInstance();
}

void TagDatabase::AddTag(const CString& name, TagItem* tag)
{
    m_tags[name] = tag;
}

void TagDatabase::RemoveTag(const CString& name)
{
    m_tags.erase(name);
}

TagItem* TagDatabase::FindTag(const CString& name) const
{
    const auto found = m_tags.find(name);
    return found != m_tags.end() ? found->second : nullptr;
}

const std::vector<TagMember>* TagDatabase::FindDataType(const CString& name) const
{
    const auto found = m_dataTypes.find(name);
    return found != m_dataTypes.end() ? &found->second : nullptr;
}

int TagDatabase::LoadConfiguration()
{
    m_tags.clear();
    m_dataTypes.clear();
    DomDocumentPtr document;
    const int result = GetClient().UploadConfig(document);
    if (result != kMonitorSuccess)
        return result;
    ShowConfiguration(document, GetClient().GetAddress());
    return kMonitorSuccess;
}

void TagDatabase::ShowConfiguration(const DomDocumentPtr& document, const CString& address)
{
    m_tags.clear();
    m_dataTypes.clear();
    ReadConfiguration(document);
    CString name;
    name.Format(kConfigFileName, (LPCSTR)address);
    document->save(ComVariant(name).Get());
}

void TagDatabase::ReadConfiguration(const DomDocumentPtr& document)
{
    ReadDataTypes(document);
    ReadTags(document);
    if (m_table == nullptr)
        return;
    const bool hasAddresses = ReadModbusAddresses(document);
    const bool hasPaths = ReadPaths(document);
    if (!hasAddresses)
        m_table->HideColumn(kColumnAddress);
    if (!hasPaths)
        m_table->HideColumn(kColumnPath);
    m_table->HideColumn(kColumnComment);
    if (hasAddresses)
        m_table->SortRowsByNumber(kColumnAddress);
    m_table->NumberRows();
}

void TagDatabase::ReadDataTypes(const DomDocumentPtr& document)
{
    ForEachSelected(document, kDataTypesPath, [this](const DomNodePtr& types) {
        ForEachChildElement(types, [this](const DomNodePtr& type) {
            std::vector<TagMember>& members = m_dataTypes[AttributeOrEmpty(type, "name")];
            ForEachChildElement(type, [&members](const DomNodePtr& member) {
                TagMember entry;
                entry.name = AttributeOrEmpty(member, "name");
                entry.dataType = AttributeOrEmpty(member, "datatype");
                ReadNumberAttribute(member, "dim0", entry.elementCount);
                members.push_back(entry);
            });
        });
    });
}

void TagDatabase::ReadTags(const DomDocumentPtr& document)
{
    if (m_table == nullptr)
        return;
    ForEachSelected(document, kTagsPath, [this](const DomNodePtr& tags) {
        ForEachChildElement(tags, [this](const DomNodePtr& element) {
            TagDefinition definition;
            ReadAttribute(element, "name", definition.name);
            ReadNumberAttribute(element, "dim0", definition.elementCount);
            ReadAttribute(element, "datatype", definition.dataType);
            ReadAttribute(element, "comment", definition.comment);
            definition.isStructure = FindDataType(definition.dataType) != nullptr;
            TagItem* tag = m_table->AppendTag();
            tag->Define(definition);
            AddTag(definition.name, tag);
        });
    });
}

bool TagDatabase::ReadModbusAddresses(const DomDocumentPtr& document)
{
    bool found = false;
    ForEachSelected(document, kMapPath, [this, &found](const DomNodePtr& map) {
        TagItem* tag = FindTag(StripStatusSuffix(AttributeOrEmpty(map, "Tag")));
        DomNodePtr parent;
        int dataTag = 0;
        int startRegister = 0;
        if (tag == nullptr || !ReadNumberAttribute(map, "DataTag", dataTag) || FAILED(map->get_parentNode(parent.Receive()))
            || !parent || !ReadNumberAttribute(parent, "StartRegister", startRegister))
            return;
        CString address;
        address.Format("%d", startRegister - kFirstHoldingRegister + dataTag / kRegisterBytes);
        tag->SetMbAddress(address);
        found = true;
    });
    return found;
}

bool TagDatabase::ReadPaths(const DomDocumentPtr& document)
{
    bool found = false;
    ForEachSelected(document, kTagMapDataPath, [this, &found](const DomNodePtr& data) {
        found = true;
        TagItem* tag = FindTag(AttributeOrEmpty(data, "tagname"));
        if (tag == nullptr)
            return;
        // Corvel writes the data path on the TagMap that holds the TagMapData.
        CString path;
        DomNodePtr parent;
        if (!ReadAttribute(data, "datapath", path) && SUCCEEDED(data->get_parentNode(parent.Receive())) && parent)
            ReadAttribute(parent, "datapath", path);
        const CString dataName = AttributeOrEmpty(data, "dataname");
        if (!dataName.IsEmpty() && dataName.CompareNoCase(kWholeObjectDataName) != 0)
            path += "$" + dataName;
        tag->SetPath(path);
    });
    const struct {
        LPCSTR path;
        LPCSTR attribute;
    } dataSets[] = {{kGooseDataSetPath, "datapath"}, {kReportDataSetPath, "mmsPath"}};
    for (const auto& dataSet : dataSets) {
        ForEachSelected(document, dataSet.path, [this, &dataSet](const DomNodePtr& member) {
            TagItem* tag = FindTag(AttributeOrEmpty(member, "tagname"));
            CString path;
            if (tag != nullptr && ReadAttribute(member, dataSet.attribute, path))
                tag->SetPath(path);
        });
    }
    return found;
}

void TagDatabase::RefreshRows(int first, int last)
{
    if (first > last || m_table == nullptr)
        return;
    if (!GetClient().IsReachable(nullptr))
        throw 1;
    // Each request takes tags until its list passes the limit; the later
    // rows are asked for first, as the module has always been asked.
    struct Batch {
        int count;
        CString list;
    };
    std::vector<Batch> batches;
    Batch batch = {0, CString()};
    for (int row = first; row <= last; ++row) {
        TagItem* tag = m_table->GetTag(row);
        if (tag == nullptr)
            continue;
        tag->SetRow(row);
        batch.list += TagListItem(batch.count, tag->GetRequestName());
        ++batch.count;
        if (batch.list.GetLength() > kTagListLimit) {
            batches.push_back(batch);
            batch = {0, CString()};
        }
    }
    if (batch.count > 0)
        batches.push_back(batch);
    for (auto it = batches.rbegin(); it != batches.rend(); ++it)
        RequestValues(it->count, it->list);
}

void TagDatabase::RequestValues(int count, const CString& tagList)
{
    DomDocumentPtr reply;
    if (GetClient().GetTagsValue(count, tagList, reply) != kMonitorSuccess)
        return;
    for (const auto& [name, value] : TagValuesOfReply(reply)) {
        if (TagItem* tag = FindTag(StripStatusSuffix(name)))
            tag->SetValue(value);
    }
}

int TagDatabase::WriteEventLog(const CString& file)
{
    DomDocumentPtr reply;
    if (GetClient().GetEventLogCache(reply) != kMonitorSuccess)
        return kMonitorFailure;
    return WriteLines(file, EventLogLines(reply)) ? kMonitorSuccess : kMonitorFailure;
}

int TagDatabase::WriteRunningDrivers(const CString& file)
{
    DomDocumentPtr reply;
    if (GetClient().GetRunningDrivers(reply) != kMonitorSuccess)
        return kMonitorFailure;
    return WriteLines(file, RunningDriverLines(reply)) ? kMonitorSuccess : kMonitorFailure;
}

bool TagDatabase::ExportCsv(const CString& file) const
{
    std::vector<CString> lines;
    const int last = m_table != nullptr ? m_table->GetLastRow() : 0;
    for (int row = 1; row <= last; ++row) {
        const TagItem* tag = m_table->GetTag(row);
        CString line = CsvField(tag != nullptr ? tag->GetName() : m_table->GetText(row, kColumnName));
        for (int column : {kColumnDataType, kColumnValue, kColumnComment})
            line += "," + CsvField(m_table->GetText(row, column));
        lines.push_back(line);
    }
    return WriteLines(file, lines);
}

CString CsvField(const CString& text)
{
    if (text.FindOneOf(",\"\r\n") < 0)
        return text;
    CString quoted(text);
    quoted.Replace("\"", "\"\"");
    return "\"" + quoted + "\"";
}

CString TagListItem(int index, const CString& name)
{
    CString item;
    item.Format("&tag%d=%s", index, (LPCSTR)name);
    return item;
}

std::vector<std::pair<CString, CString>> TagValuesOfReply(const DomDocumentPtr& reply)
{
    std::vector<std::pair<CString, CString>> values;
    const DomNodePtr root = RootNamed(reply, kTagsDataElement);
    if (!root)
        return values;
    ForEachChildElement(root, [&values](const DomNodePtr& item) {
        CString value;
        if (ReadAttribute(item, "value", value))
            values.emplace_back(AttributeOrEmpty(item, "name"), value);
    });
    return values;
}

std::vector<CString> EventLogLines(const DomDocumentPtr& reply)
{
    std::vector<CString> lines;
    if (const DomNodePtr root = RootNamed(reply, kEventLogElement))
        ForEachChildElement(root, [&lines](const DomNodePtr& entry) { lines.push_back(EventLogLine(entry)); });
    return lines;
}

std::vector<CString> RunningDriverLines(const DomDocumentPtr& reply)
{
    std::vector<CString> lines;
    if (const DomNodePtr root = RootNamed(reply, kRunningDriversElement)) {
        ForEachChildElement(root, [&lines](const DomNodePtr& driver) {
            lines.push_back(AttributeOrEmpty(driver, "name") + " " + AttributeOrEmpty(driver, "resource"));
        });
    }
    return lines;
}

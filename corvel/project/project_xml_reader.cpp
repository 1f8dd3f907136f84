#include "corvel/project/project_xml.h"

#include "corvel/model/decimal.h"

#include <rapidxml.hpp>

#include <climits>
#include <cstdlib>
#include <cstring>
#include <variant>

namespace {

using namespace Corvel::Records;
using Node = CProjectXmlReader::Node;
using Attribute = rapidxml::xml_attribute<char>;

const char kTrue[] = "true";
const char kTwoPortProduct[] = "VQN32-EIP-61850";
const char kCommandTagType[] = "Command";

bool NameIs(const Node* node, LPCSTR name)
{
    const size_t length = strlen(name);
    return node->name_size() == length && memcmp(node->name(), name, length) == 0;
}

bool NameIs(const Attribute* attribute, LPCSTR name)
{
    const size_t length = strlen(name);
    return attribute->name_size() == length && memcmp(attribute->name(), name, length) == 0;
}

// The first child element of parent (named name when given).
const Node* FirstElement(const Node* parent, LPCSTR name = nullptr)
{
    for (const Node* child = parent->first_node(); child != nullptr; child = child->next_sibling())
        if (child->type() == rapidxml::node_element && (name == nullptr || NameIs(child, name)))
            return child;
    return nullptr;
}

// The next sibling element of node (named name when given).
const Node* NextElement(const Node* node, LPCSTR name = nullptr)
{
    for (const Node* next = node->next_sibling(); next != nullptr; next = next->next_sibling())
        if (next->type() == rapidxml::node_element && (name == nullptr || NameIs(next, name)))
            return next;
    return nullptr;
}

// A UTF-8 value of the file as text of the system code page.
CString Text(const Attribute* attribute)
{
    const int length = static_cast<int>(attribute->value_size());
    if (length == 0)
        return CString();
    const int wideLength = ::MultiByteToWideChar(CP_UTF8, 0, attribute->value(), length, nullptr, 0);
    if (wideLength <= 0)
        return CString();
    std::wstring wide(static_cast<size_t>(wideLength), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, attribute->value(), length, &wide[0], wideLength);
    return CString(wide.c_str(), wideLength);
}

// An attribute name and the field it sets: text as it is, a number, or a flag set by "true".
struct Field {
    LPCSTR name;
    std::variant<CString*, int*, bool*> target;
};

void Assign(const Attribute* attribute, const Field& field)
{
    const CString value = Text(attribute);
    if (auto text = std::get_if<CString*>(&field.target))
        **text = value;
    else if (auto number = std::get_if<int*>(&field.target))
        **number = ReadDecimal(value);
    else
        *std::get<bool*>(field.target) = value == kTrue;
}

// Sets every field whose name an attribute of element carries; other attributes are skipped.
void ReadFields(const Node* element, std::initializer_list<Field> fields)
{
    for (const Attribute* a = element->first_attribute(); a != nullptr; a = a->next_attribute())
        for (const Field& field : fields)
            if (NameIs(a, field.name))
                Assign(a, field);
}

// The same on every child element of element.
void ReadChildFields(const Node* element, std::initializer_list<Field> fields)
{
    for (const Node* child = FirstElement(element); child != nullptr; child = NextElement(child))
        ReadFields(child, fields);
}

int TagTypeFromName(const CString& name, int defaultType)
{
    static const struct {
        LPCSTR name;
        int type;
    } kTypes[] = {{"GOOSE", kTagTypeGoose},
                  {"REPORT", kTagTypeReport},
                  {"MMS_R", kTagTypeMmsRead},
                  {"MMS_W", kTagTypeMmsWrite},
                  {"MSGS", kTagTypeMessage}};
    for (const auto& t : kTypes)
        if (name == t.name)
            return t.type;
    return defaultType;
}

// The deepest element nesting of text, or a number above limit as soon as it
// passes it. Markup that the parser skips (comments, CDATA, declarations) is
// skipped here too; quoted attribute values may hold ">" and "/>".
int ElementDepth(const std::string& text, int limit)
{
    auto skipPast = [&](size_t from, LPCSTR end) {
        const size_t at = text.find(end, from);
        return at == std::string::npos ? text.size() : at + strlen(end);
    };
    int depth = 0;
    int deepest = 0;
    size_t i = 0;
    while ((i = text.find('<', i)) != std::string::npos) {
        if (text.compare(i, 4, "<!--") == 0) {
            i = skipPast(i + 4, "-->");
        } else if (text.compare(i, 9, "<![CDATA[") == 0) {
            i = skipPast(i + 9, "]]>");
        } else if (text.compare(i, 2, "<?") == 0) {
            i = skipPast(i + 2, "?>");
        } else if (text.compare(i, 2, "<!") == 0 || text.compare(i, 2, "</") == 0) {
            if (text[i + 1] == '/')
                --depth;
            i = skipPast(i + 2, ">");
        } else {
            char quote = 0;
            size_t j = i + 1;
            for (; j < text.size(); ++j) {
                const char c = text[j];
                if (quote != 0) {
                    if (c == quote)
                        quote = 0;
                } else if (c == '"' || c == '\'') {
                    quote = c;
                } else if (c == '>') {
                    break;
                }
            }
            if (j >= text.size() || text[j - 1] != '/') {
                if (++depth > deepest)
                    deepest = depth;
                if (deepest > limit)
                    return deepest;
            }
            i = j;
        }
    }
    return deepest;
}

} // namespace

CProjectXmlReader::CProjectXmlReader(const ProjectXmlContent& content) : m_content(content) {}

CProjectXmlReader::~CProjectXmlReader() = default;

bool CProjectXmlReader::Read(const CString& path)
{
    m_error.Empty();
    m_warnings.clear();
    ScopedHandle file(::CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size = {};
    if (!file.IsValid() || !::GetFileSizeEx(file.Get(), &size)) {
        m_error.Format("Error: Could not read \"%s\".", (LPCSTR)path);
        return false;
    }
    if (static_cast<ULONGLONG>(size.QuadPart) > kMaxFileSize) {
        m_error.Format("Error: \"%s\" is too large to be a project file.", (LPCSTR)path);
        return false;
    }
    std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    if (!bytes.empty()
        && (!::ReadFile(file.Get(), &bytes[0], static_cast<DWORD>(bytes.size()), &read, nullptr)
            || read != bytes.size())) {
        m_error.Format("Error: Could not read \"%s\".", (LPCSTR)path);
        return false;
    }
    return ReadBytes(std::move(bytes), path);
}

bool CProjectXmlReader::ReadBytes(std::string bytes, const CString& path)
{
    m_error.Empty();
    m_warnings.clear();
    if (ElementDepth(bytes, kMaxElementDepth) > kMaxElementDepth) {
        m_error.Format("Error: \"%s\" nests its elements deeper than %d levels.", (LPCSTR)path, kMaxElementDepth);
        return false;
    }
    // The parser works in place on a zero-terminated text.
    bytes.push_back('\0');
    auto document = std::make_unique<rapidxml::xml_document<char>>();
    try {
        document->parse<rapidxml::parse_default>(&bytes[0]);
    } catch (const rapidxml::parse_error& e) {
        const ptrdiff_t offset = e.where<char>() - bytes.data();
        m_error.Format("Error: \"%s\" is not a well-formed XML file: %s (at byte %d).", (LPCSTR)path, e.what(),
                       static_cast<int>(offset));
        return false;
    } catch (const std::bad_alloc&) {
        m_error.Format("Error: Not enough memory to read \"%s\".", (LPCSTR)path);
        return false;
    }
    return ReadSections(FirstElement(document.get()), path);
}

bool CProjectXmlReader::ReadSections(const Node* root, const CString& path)
{
    struct Section {
        bool (CProjectXmlReader::*read)(const Node*);
        LPCSTR message;
    };
    static const Section kSections[] = {
        {&CProjectXmlReader::ReadProjectDetail, "\"%s\" failed to load."},
        {&CProjectXmlReader::ReadProjectNetwork, "Failed to read 'Network' section."},
        {&CProjectXmlReader::ReadProjectPlcs, "Failed to read 'PLCs' section."},
        {&CProjectXmlReader::ReadProjectSclFiles, "Failed to read 'VendorCIDs' section."},
        {&CProjectXmlReader::ReadProjectIedMap, "Failed to read 'IEDMap' section."},
        {&CProjectXmlReader::ReadProjectFcdas, "Failed to read 'FCDAs' section."},
        {&CProjectXmlReader::ReadProjectTagMap, "Failed to read 'TagMap' section."},
        {&CProjectXmlReader::ReadProjectAssignedTags, "Failed to read 'AssignedTags' section."},
        {&CProjectXmlReader::ReadProjectCtlModels, "Failed to read 'CtlModelMap' section."},
    };
    for (const Section& section : kSections) {
        if (root == nullptr || !(this->*section.read)(root)) {
            m_error.Format(section.message, (LPCSTR)path);
            return false;
        }
    }
    return true;
}

bool CProjectXmlReader::ReadProjectDetail(const Node* root)
{
    const Node* detail = FirstElement(root, "Detail");
    if (detail == nullptr || FirstElement(detail) == nullptr)
        return false;
    _PROJECT& p = m_content.project;
    ReadFields(detail, {{"prjName", &p.prjName}});
    for (const Node* child = FirstElement(detail); child != nullptr; child = NextElement(child)) {
        ReadFields(child, {{"filePath", &p.filePath},
                           {"comment", &p.comment},
                           {"NTPaddr", &p.NTPaddr},
                           {"NTPupdate", &p.NTPupdate},
                           {"startRead", &p.startRead},
                           {"startWrite", &p.startWrite},
                           {"connTimeout", &p.connTimeout},
                           {"NoMTCPsrvr", &p.NoMTCPsrvr},
                           {"NoMBAPsrvr", &p.NoMBAPsrvr},
                           {"VQNstatusStart", &p.VQNstatusStart},
                           {"rebootRegister", &p.rebootRegister}});
        if (const Attribute* product = child->first_attribute("Korvane"))
            p.numPorts = Text(product) == kTwoPortProduct ? 2 : 1;
    }
    return true;
}

bool CProjectXmlReader::ReadProjectNetwork(const Node* root)
{
    const Node* network = FirstElement(root, "Network");
    if (network == nullptr || FirstElement(network) == nullptr)
        return false;
    _PROJECT& p = m_content.project;
    for (const Attribute* a = network->first_attribute(); a != nullptr; a = a->next_attribute()) {
        const CString value = Text(a);
        if (NameIs(a, "numPorts"))
            p.numPorts = value == "1" ? 1 : 2;
        else if (NameIs(a, "autoRestart"))
            p.autoRestart = value == "Yes";
        else if (NameIs(a, "port61850"))
            p.port61850 = value == "1" ? 1 : 2;
        else if (NameIs(a, "portPLC"))
            p.portPLC = value == "1" ? 1 : 2;
    }
    for (const Node* child = FirstElement(network); child != nullptr; child = NextElement(child)) {
        if (NameIs(child, "Eth0"))
            ReadFields(child, {{"IPaddr", &p.eth0IPaddr}, {"IPmask", &p.eth0IPmask}, {"Gateway", &p.eth0Gateway}});
        else if (NameIs(child, "Eth1"))
            ReadFields(child, {{"IPaddr", &p.eth1IPaddr}, {"IPmask", &p.eth1IPmask}, {"Gateway", &p.eth1Gateway}});
    }
    return true;
}

// Every "PLC" element goes into the first PLC record; the last one's values remain.
bool CProjectXmlReader::ReadProjectPlcs(const Node* root)
{
    const Node* plcs = FirstElement(root, "PLCs");
    if (plcs == nullptr)
        return false;
    const Node* element = FirstElement(plcs, "PLC");
    if (element == nullptr)
        return true;
    if (m_content.project.plcDevices.IsEmpty()) {
        m_warnings.push_back("Warning: The project's PLC was not loaded: the project has no PLC device record.");
        return true;
    }
    CPLC_Device& plc = *m_content.project.plcDevices.GetHead();
    for (; element != nullptr; element = NextElement(element, "PLC")) {
        ReadFields(element, {{"name", &plc.name}, {"devNum", &plc.devNum}, {"node", &plc.node},
                             {"comment", &plc.comment}});
        ReadChildFields(element, {{"IPAddr", &plc.IPAddr},
                                  {"IPMask", &plc.IPMask},
                                  {"Gateway", &plc.Gateway},
                                  {"devType", &plc.devType},
                                  {"NOESel", &plc.NOESel},
                                  {"NOESlotNum", &plc.NOESlotNum},
                                  {"RStartReg", &plc.RStartReg},
                                  {"WStartReg", &plc.WStartReg},
                                  {"CmdDelay", &plc.CmdDelay},
                                  {"Resp", &plc.Resp},
                                  {"Rty", &plc.Rty},
                                  {"ErrDelay", &plc.ErrDelay}});
        plc.configuredRows.clear();
        if (const Node* cache = FirstElement(element, "ConfiguredCache"))
            ReadConfiguredRows(cache, plc.configuredRows, false);
        plc.state = kSlotInUse;
    }
    return true;
}

bool CProjectXmlReader::ReadProjectSclFiles(const Node* root)
{
    const Node* cids = FirstElement(root, "VendorCIDs");
    if (cids == nullptr)
        return false;
    const Node* first = FirstElement(cids);
    if (first == nullptr || !NameIs(first, "CID"))
        return true;
    for (const Node* cid = first; cid != nullptr; cid = NextElement(cid, "CID")) {
        auto file = std::make_unique<_ICD_FILES>();
        const Attribute* name = cid->first_attribute();
        if (name != nullptr) {
            file->fileName = Text(name);
            for (const Attribute* a = name->next_attribute(); a != nullptr; a = a->next_attribute()) {
                if (NameIs(a, "filePath")) {
                    file->filePath = Text(a);
                    break;
                }
            }
        }
        m_content.project.sclFiles.AddTail(file.get());
        file.release();
    }
    return true;
}

// IED elements fill the IED records from the head of the list; those beyond the last record are counted and skipped.
bool CProjectXmlReader::ReadProjectIedMap(const Node* root)
{
    const Node* map = FirstElement(root, "IEDMap");
    if (map == nullptr)
        return false;
    const Node* first = FirstElement(map);
    if (first == nullptr || !NameIs(first, "IED"))
        return true;
    RecordList<_IED_DEVICE>& ieds = m_content.project.iedDevices;
    POSITION slot = ieds.GetHeadPosition();
    int skipped = 0;
    for (const Node* element = first; element != nullptr; element = NextElement(element, "IED")) {
        if (slot == nullptr) {
            ++skipped;
            continue;
        }
        _IED_DEVICE& ied = *ieds.GetNext(slot);
        ReadFields(element, {{"vendor", &ied.vendor}, {"name", &ied.name}, {"label", &ied.label},
                             {"comment", &ied.comment}, {"deviceNum", &ied.devNum}});
        ied.reserved1 = 0;
        ied.reserved2 = 0;
        ied.state = kSlotInUse;
        ied.ConfiguredCache.clear();
        ied.ReportsPath.clear();
        if (FirstElement(element) == nullptr)
            break;
        for (const Node* child = FirstElement(element); child != nullptr; child = NextElement(child)) {
            if (NameIs(child, "items"))
                ReadFields(child, {{"IPaddr", &ied.IPaddr},
                                   {"IPmask", &ied.IPMask},
                                   {"IPgateway", &ied.Gateway},
                                   {"MSScanDelay", &ied.MSScanDelay},
                                   {"MMSping", &ied.MMSping},
                                   {"APTitle", &ied.APTitle},
                                   {"AEQualifier", &ied.AEQualifier},
                                   {"pSel", &ied.pSel},
                                   {"sSel", &ied.sSel},
                                   {"tSel", &ied.tSel},
                                   {"CIDFile", &ied.CIDFile}});
            else if (NameIs(child, "ConfiguredCache"))
                ReadIedConfiguredCache(child, ied);
            else if (NameIs(child, "ReportsPath"))
                ReadIedReportsPath(child, ied);
        }
    }
    if (skipped > 0)
        m_warnings.push_back(DevicesBeyondSlotsWarning("IEDs", "IED", static_cast<int>(ieds.GetCount()), skipped));
    return true;
}

void CProjectXmlReader::ReadIedConfiguredCache(const Node* cache, _IED_DEVICE& ied)
{
    ReadConfiguredRows(cache, ied.ConfiguredCache, true);
}

void CProjectXmlReader::ReadConfiguredRows(const Node* cache, ConfiguredRows& rows, bool iedRows)
{
    // A PLC row keeps its eight columns; the one the file leaves out stays empty.
    constexpr size_t kPlcRowColumns = 8;
    for (const Node* tag = FirstElement(cache, "Tag"); tag != nullptr; tag = NextElement(tag, "Tag")) {
        CString tagName, tagType, dataType, tagPath, domName, description, access, ctlModel, daName;
        ReadFields(tag, {{"tagName", &tagName}, {"tagType", &tagType}, {"dataType", &dataType}});
        for (const Node* child = FirstElement(tag); child != nullptr; child = NextElement(child)) {
            ReadFields(child, {{"tagPath", &tagPath},
                               {"domName", &domName},
                               {"description", &description},
                               {"access", &access},
                               {"ctlModel", &ctlModel},
                               {"DAName", &daName}});
            if (iedRows)
                m_content.ctlModels[CtlModelKey(tagName, CString())] = ReadDecimal(ctlModel);
        }
        ConfiguredRow row = {tagPath, tagName, dataType, access, description, domName, tagType};
        if (tagType == kCommandTagType) {
            row.push_back(ctlModel);
            row.push_back(daName);
        } else if (!iedRows) {
            row.resize(kPlcRowColumns);
        }
        rows.push_back(std::move(row));
    }
}

// Each "Tag" starts from a new entry, so no tag inherits another's values.
void CProjectXmlReader::ReadIedReportsPath(const Node* reports, _IED_DEVICE& ied)
{
    for (const Node* tag = FirstElement(reports, "Tag"); tag != nullptr; tag = NextElement(tag, "Tag")) {
        ReportPathEntry e;
        CString key;
        ReadFields(tag, {{"tagPath", &key}});
        for (const Node* child = FirstElement(tag); child != nullptr; child = NextElement(child)) {
            if (NameIs(child, "items")) {
                ReadFields(child, {{"tagName", &e.tagName},
                                   {"dataType", &e.dataType},
                                   {"domName", &e.domName},
                                   {"tagUName", &e.tagUName},
                                   {"isReport", &e.isReport},
                                   {"isGOOSE", &e.isGOOSE},
                                   {"isGoose", &e.isGOOSE},
                                   {"iIndex", &e.iIndex},
                                   {"iCount", &e.iCount},
                                   {"appID", &e.appID},
                                   {"isBuffered", &e.isBuffered},
                                   {"groupOffset", &e.groupOffset},
                                   {"iIntPd", &e.iIntPd},
                                   {"isDchg", &e.isDchg},
                                   {"isQchg", &e.isQchg},
                                   {"isDupd", &e.isDupd},
                                   {"isPeriod", &e.isPeriod},
                                   {"isGI", &e.isGI},
                                   {"bufOvfl", &e.bufOvfl},
                                   {"cfgRef", &e.cfgRef},
                                   {"entryID", &e.entryID},
                                   {"reasonCode", &e.reasonCode},
                                   {"seqNum", &e.seqNum},
                                   {"timeStamp", &e.timeStamp},
                                   {"segmentation", &e.segmentation},
                                   {"dataRef", &e.dataRef},
                                   {"dataSet", &e.dataSet},
                                   {"reportDomain", &e.reportDomain},
                                   {"reportDataPath", &e.reportDataPath},
                                   {"reportID", &e.reportID},
                                   {"reportInterval", &e.reportInterval},
                                   {"reportConfRev", &e.reportConfRev},
                                   {"gooseDataSet", &e.gooseDataSet},
                                   {"gooseGCRef", &e.gooseGCRef},
                                   {"gooseDataSetRef", &e.gooseDataSetRef},
                                   {"gooseReportDomain", &e.gooseReportDomain},
                                   {"gooseDataItemDomain", &e.gooseDataItemDomain},
                                   {"gooseReportConfRev", &e.gooseReportConfRev},
                                   {"gooseMulticastMacAddr", &e.gooseMulticastMacAddr}});
            } else if (NameIs(child, "dataItems")) {
                for (const Node* element = FirstElement(child); element != nullptr; element = NextElement(element)) {
                    _DATA_ITEM item;
                    ReadFields(element, {{"FC", &item.FC},
                                         {"dataType", &item.dataType},
                                         {"domName", &item.domName},
                                         {"mmsDataPath", &item.mmsDataPath},
                                         {"DAName", &item.DAName}});
                    e.dataItems.push_back(item);
                }
            }
        }
        ied.ReportsPath[key] = std::move(e);
    }
}

bool CProjectXmlReader::ReadProjectFcdas(const Node* root)
{
    const Node* fcdas = FirstElement(root, "GooseFCDAs");
    if (fcdas == nullptr)
        return false;
    if (FirstElement(fcdas) == nullptr)
        return true;
    RecordList<_CFCDA>& list = m_content.project.fcdas;
    DeleteRecords(list);
    for (const Node* element = FirstElement(fcdas, "FCDA"); element != nullptr; element = NextElement(element, "FCDA")) {
        if (FirstElement(element) == nullptr)
            break;
        auto fcda = std::make_unique<_CFCDA>();
        ReadFields(element, {{"tagUName", &fcda->tagUName}});
        ReadChildFields(element, {{"tagName", &fcda->tagName},
                                  {"tagPath", &fcda->tagPath},
                                  {"FCDAPath", &fcda->FCDAPath},
                                  {"dataSet", &fcda->dataSet},
                                  {"domName", &fcda->domName},
                                  {"cidFile", &fcda->cidFile}});
        list.AddTail(fcda.get());
        fcda.release();
    }
    return true;
}

// The rows replace any the list held, so a second load does not add them twice.
bool CProjectXmlReader::ReadProjectTagMap(const Node* root)
{
    const Node* tagMap = FirstElement(root, "TagMap");
    if (tagMap == nullptr)
        return false;
    RecordList<_TAGSMAP>& list = m_content.project.tagMaps;
    DeleteRecords(list);
    for (const Node* element = FirstElement(tagMap); element != nullptr; element = NextElement(element)) {
        if (FirstElement(element) == nullptr)
            break;
        auto row = std::make_unique<_TAGSMAP>();
        ReadFields(element, {{"tagName", &row->tagName}, {"dataType", &row->dataType}});
        ReadChildFields(element, {{"tagPath", &row->tagPath}, {"tagUName", &row->tagUName}});
        // The file keeps no direction: it follows from the path, as when the tag map is rebuilt.
        row->direction = TagMapDirection(row->tagPath);
        list.AddTail(row.get());
        row.release();
    }
    return true;
}

bool CProjectXmlReader::ReadProjectAssignedTags(const Node* root)
{
    const Node* assigned = FirstElement(root, "AssignedTags");
    if (assigned == nullptr)
        return true;
    int inputs = 0, outputs = 0, messages = 0;
    ReadFields(assigned, {{"numTagsINP", &inputs}, {"numTagsOUT", &outputs}, {"numTagsMSG", &messages}});
    const struct {
        int count;
        LPCSTR element;
        CVQNTagsList& list;
    } lists[] = {{inputs, "TagsINP", m_content.tagsINP},
                 {outputs, "TagsOUT", m_content.tagsOUT},
                 {messages, "TagsMSG", m_content.tagsMSG}};
    for (const auto& l : lists)
        if (l.count > 0)
            if (const Node* element = FirstElement(assigned, l.element))
                ReadAssignedTagList(element, l.list);
    return true;
}

void CProjectXmlReader::ReadAssignedTagList(const Node* list, CVQNTagsList& tags)
{
    for (const Node* element = FirstElement(list, "Tag"); element != nullptr; element = NextElement(element, "Tag")) {
        if (FirstElement(element) == nullptr)
            break;
        _TAGS tag;
        CString tagType;
        ReadFields(element, {{"tagName", &tag.tagName}, {"tagType", &tagType}, {"dataType", &tag.dataType}});
        tag.tagType = TagTypeFromName(tagType, tag.tagType);
        CString assigned;
        ReadChildFields(element, {{"tagPath", &tag.tagPath},
                                  {"tagUName", &tag.tagUName},
                                  {"tagFCDA", &tag.tagFCDA},
                                  {"SeqNum", &tag.SeqNum},
                                  {"Conn", &tag.Conn},
                                  {"IOType", &tag.IOType},
                                  {"StartAddr", &tag.StartAddr},
                                  {"Access", &tag.Access},
                                  {"Assigned", &assigned}});
        tag.Assigned = assigned == kTrue;
        // AddTag leaves the unique name empty; the file's one is kept so a save writes it again.
        tags.AddTag(tag)->tagUName = tag.tagUName;
    }
}

bool CProjectXmlReader::ReadProjectCtlModels(const Node* root)
{
    const Node* models = FirstElement(root, "CtlModelMap");
    if (models == nullptr)
        return true;
    for (const Node* element = FirstElement(models); element != nullptr; element = NextElement(element)) {
        CString tagName, code;
        ReadFields(element, {{"tagName", &tagName}, {"ctlModel", &code}});
        m_content.ctlModels[CtlModelKey(tagName, CString())] = ReadDecimal(code);
    }
    return true;
}

CString DevicesBeyondSlotsWarning(LPCSTR devices, LPCSTR device, int slots, int dropped)
{
    CString warning;
    warning.Format("Warning: The project holds more %s than the network view has device slots (%d). "
                   "%d %s(s) were not loaded.",
                   devices, slots, dropped, device);
    return warning;
}

#include "corvel/model/ied_mapping.h"

#include "corvel/model/iec_types.h"
#include "corvel/model/modbus_mapping.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <set>
#include <utility>

namespace Corvel::Mapping {

using Records::_IED_DEVICE;
using Records::_PROJECT;
using Records::_TAGS;
using Records::_TAGSMAP;
using Records::ConfiguredRow;

const char kArrayCappedMessage[] = "The array has more than 65535 elements; only the first 65535 are mapped.";

namespace {

const char kRowKindReport[] = "Report";
const char kRowKindCommand[] = "Command";

bool IsDigit(char c)
{
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

// The number written by the digits after a name's last "_", when all that follows it is digits; else 0.
int SuffixNumber(const CString& name)
{
    const int underscore = name.ReverseFind('_');
    if (underscore < 0 || underscore + 1 >= name.GetLength())
        return 0;
    for (int i = underscore + 1; i < name.GetLength(); ++i) {
        if (!IsDigit(name[i]))
            return 0;
    }
    return std::atoi(static_cast<LPCSTR>(name) + underscore + 1);
}

CString PartAfterLast(const CString& text, char separator)
{
    const int at = text.ReverseFind(separator);
    return at < 0 ? text : text.Mid(at + 1);
}

// A tag record's name and path; the path begins with its IED's logical device.
using TagKey = std::pair<CString, CString>;

// The names and (name, path) keys of mapped-tag rows.
struct TagKeys {
    void Add(const CString& name, const CString& path)
    {
        names.insert(name);
        keys.insert({name, path});
    }
    void Add(const Records::ConfiguredRows& rows)
    {
        for (const ConfiguredRow& row : rows) {
            if (row.size() > Records::kColTagName)
                Add(row[Records::kColTagName], row[Records::kColTagPath]);
        }
    }
    std::set<CString> names;
    std::set<TagKey> keys;
};

// Removes the records of one IED: those whose name and path are the IED's, and those whose name only is the
// IED's (a path the rows do not give) while no other IED has a row of that name.
template <class T>
void RemoveRecordsOf(Records::RecordList<T>& list, const TagKeys& own, const TagKeys& others)
{
    for (POSITION pos = list.GetHeadPosition(); pos != nullptr;) {
        const POSITION at = pos;
        T* record = list.GetNext(pos);
        const TagKey key = {record->tagName, record->tagPath};
        const bool owned =
            own.keys.count(key) != 0 || (own.names.count(key.first) != 0 && others.names.count(key.first) == 0);
        if (owned) {
            list.RemoveAt(at);
            delete record;
        }
    }
}

// The data-set member of a GOOSE row: its logical device and its reference (node$fc$object$attribute) begin
// the row's data path.
_CFCDA* FindGooseMember(const std::vector<_CFCDA*>& members, const CString& domain, const CString& dataPath)
{
    for (_CFCDA* member : members) {
        if (member == nullptr)
            continue;
        if (!member->ldInst.IsEmpty() && domain.Right(member->ldInst.GetLength()) != member->ldInst)
            continue;
        CString reference = member->FCDAPath;
        reference.Replace('.', '$');
        if (dataPath == reference || dataPath.Left(reference.GetLength() + 1) == reference + "$")
            return member;
    }
    return nullptr;
}

void FillBlockEntry(MappedEntry& entry, const CTreeModelRecord& record)
{
    Records::ReportPathEntry& path = entry.path;
    path.domName = record.namePrefix;
    path.dataType = record.dataType;
    path.iIndex = record.index;
    path.iCount = record.count;
    if (record.isGoose) {
        entry.isGoose = true;
        entry.isReport = true;
        path.isGOOSE = true;
        path.dataItems = record.dataItems;
        path.gooseGCRef = record.goose.gocbRef;
        path.gooseDataSetRef = record.goose.dataSetRef;
        path.gooseDataSet = record.goose.datSet;
        path.appID = record.goose.appID;
        path.gooseMulticastMacAddr = record.goose.macAddress;
        path.gooseReportConfRev = record.goose.confRev;
        path.gooseReportDomain = record.goose.domain;
        path.gooseDataItemDomain = record.namePrefix;
        return;
    }
    const CReportControl& report = record.report;
    entry.isReport = true;
    path.isReport = true;
    path.isBuffered = report.buffered;
    path.groupOffset = record.boundaries;
    path.reportDataPath = report.reference;
    path.reportDomain = report.domain;
    path.reportID = report.rptID;
    path.reportConfRev = report.confRev;
    path.dataSet = report.datSet;
    path.iIntPd = report.intgPd;
    path.isDchg = report.dchg;
    path.isQchg = report.qchg;
    path.isDupd = report.dupd;
    path.isPeriod = report.period;
    path.isGI = report.gi;
    path.bufOvfl = report.bufOvfl;
    path.cfgRef = report.configRef;
    path.dataRef = report.dataRef;
    path.entryID = report.entryID;
    path.reasonCode = report.reasonCode;
    path.seqNum = report.seqNum;
    path.timeStamp = report.timeStamp;
    path.segmentation = report.segmentation;
}

// The control model of a command row whose record gives none: the project's map, then the tree's objects.
int LookUpCtlModel(const CTreeModelRecord& record, const CString& cutPath, const DropContext& context)
{
    const CString& prefix = record.namePrefix;
    const int firstDollar = record.dataPath.Find('$');
    const CString node = firstDollar < 0 ? record.dataPath : record.dataPath.Left(firstDollar);
    if (context.ctlModels != nullptr) {
        if (const int code = LookupCtlModel(*context.ctlModels, prefix, prefix + "$" + node + "$Pos"))
            return code;
        if (const int code = LookupCtlModel(*context.ctlModels, prefix, cutPath))
            return code;
    }
    if (context.controlObjects != nullptr) {
        for (const _DA_CTL& object : *context.controlObjects) {
            if (!object.lnClass.IsEmpty() && node.Find(object.lnClass) >= 0)
                return object.ctlModel;
        }
    }
    return 0;
}

// The control model the table keeps for the service of a control path (cutPath followed by the element of
// dataPath after it: "GGIO1$CO$SPCSO1" and "$Oper"); 0 when none.
int InstanceCtlModel(const CString& prefix, const CString& cutPath, const CString& dataPath, const DropContext& context)
{
    if (context.ctlModels == nullptr || dataPath.Find(cutPath) != 0 || dataPath.GetLength() <= cutPath.GetLength())
        return 0;
    const CString service = dataPath.Mid(cutPath.GetLength() + 1).SpanExcluding("$");
    const auto found = context.ctlModels->find(CtlModelKey(prefix, cutPath + "$" + service));
    return found == context.ctlModels->end() ? 0 : found->second;
}

} // namespace

int TagNameLimit(const CString& prefixText)
{
    return prefixText.GetLength() + kTagNameExtra;
}

CString MakeTagName(const CString& namePrefix, const CString& path, int limit)
{
    CString name = namePrefix + "_" + path;
    name.Replace('$', '_');
    if (name.GetLength() > limit) {
        name = name.Left(limit);
        if (name.Right(1) == "_")
            name = name.Left(name.GetLength() - 1);
    }
    return name;
}

CString MakeUniqueTagName(CString name, const std::vector<CString>& names, const std::vector<CString>& sameDrop,
                          int limit)
{
    const bool taken = std::find(names.begin(), names.end(), name) != names.end() ||
                       std::any_of(sameDrop.begin(), sameDrop.end(),
                                   [&name](const CString& other) { return other.CompareNoCase(name) == 0; });
    if (!taken)
        return name;
    if (!name.IsEmpty() && IsDigit(name[name.GetLength() - 1]) && name.GetLength() > limit - 4)
        name = name.Left(std::max(limit - 4, 0));
    int highest = 0;
    auto look = [&](const CString& other) {
        if (other.GetLength() > name.GetLength() && other.Find(name) >= 0)
            highest = std::max(highest, SuffixNumber(other));
    };
    std::for_each(names.begin(), names.end(), look);
    std::for_each(sameDrop.begin(), sameDrop.end(), look);
    CString suffix;
    suffix.Format("_%03d", highest + 1);
    if (name.GetLength() + suffix.GetLength() > limit)
        name = name.Left(std::max(limit - suffix.GetLength(), 0));
    return name + suffix;
}

CString MakeDragKey(const CString& namePrefix, const CString& path)
{
    CString key = namePrefix + "_" + path;
    key.Replace('$', '_');
    key.Replace('.', '_');
    return key;
}

std::vector<ArrayElement> ExpandArray(const CString& key, const CString& path, bool& capped)
{
    capped = false;
    const int open = key.Find('[');
    const int close = key.Find(']');
    if (open < 0 || close < 0)
        return {{key, path}};
    const long count = std::strtol(static_cast<LPCSTR>(key) + open + 1, nullptr, 10);
    if (count <= 0)
        return {};
    int elements = static_cast<int>(std::min<long>(count, kMaxArrayElements));
    capped = count > kMaxArrayElements;
    std::vector<ArrayElement> result;
    result.reserve(static_cast<size_t>(elements));
    for (int i = 0; i < elements; ++i) {
        ArrayElement element;
        element.key.Format("%s%d%s", (LPCSTR)key.Left(open + 1), i, (LPCSTR)key.Mid(close));
        element.path = ArrayElementPath(path, i);
        result.push_back(std::move(element));
    }
    return result;
}

CString ArrayElementPath(const CString& path, int index)
{
    const int open = path.Find('[');
    const int close = open < 0 ? -1 : path.Find(']', open);
    CString result;
    if (open < 0 || close < 0)
        result.Format("%s[%d]", (LPCSTR)path, index);
    else
        result.Format("%s[%d%s", (LPCSTR)path.Left(open), index, (LPCSTR)path.Mid(close));
    return result;
}

int ArrayIndexOf(const CString& tagName)
{
    const int open = tagName.Find('[');
    if (open <= 0)
        return 0;
    const int close = tagName.Find(']', open);
    if (close < 0)
        return 0;
    return std::atoi(tagName.Mid(open + 1, close - open - 1));
}

const MappedRow& OutOfBoundRow()
{
    static const MappedRow row = [] {
        MappedRow r;
        r.path = r.tagName = r.type = r.access = r.description = "Out of Bound";
        return r;
    }();
    return row;
}

CString MakeBlockDescription(const CTreeModelRecord& leaf, const CTreeModelRecord* block, const CString& path)
{
    const CString& dataPath = path.IsEmpty() ? leaf.dataPath : path;
    const CTreeModelRecord& source = block != nullptr ? *block : leaf;
    if (!source.isControlBlock)
        return CString();
    CString text;
    if (source.isGoose) {
        text.Format("GOOSE/%s:%s", (LPCSTR)PartAfterLast(source.goose.gocbRef, '$'), (LPCSTR)dataPath);
    } else {
        const CString name = source.report.name.IsEmpty() ? source.reportName : source.report.name;
        text.Format("%s/%s:%s", source.report.buffered ? "BR" : "RP", (LPCSTR)name, (LPCSTR)dataPath);
    }
    return text;
}

MappedRows MakeDropRows(const std::vector<DroppedLeaf>& leaves, const MappedRows& rows, const DropContext& context)
{
    std::vector<CString> names;
    std::set<CString> paths;
    names.reserve(rows.size());
    for (const MappedRow& row : rows) {
        names.push_back(row.tagName);
        CString path = row.path;
        paths.insert(path.MakeLower());
    }
    // Most names are new: sets answer that, and only a taken name looks through the lists.
    std::set<CString> nameSet(names.begin(), names.end());
    std::set<CString> madeLower;
    MappedRows made;
    made.reserve(leaves.size());
    std::vector<CString> madeNames;
    madeNames.reserve(leaves.size());
    for (const DroppedLeaf& leaf : leaves) {
        const CTreeModelRecord* record = leaf.record;
        if (record == nullptr || record->dataType == "INT128")
            continue;
        const CString dataPath = leaf.path.IsEmpty() ? record->dataPath : leaf.path;
        const CTreeModelRecord* block = leaf.block;
        if (block == nullptr && record->isControlBlock)
            block = record;
        MappedRow row;
        row.description = block != nullptr ? MakeBlockDescription(*record, block, dataPath) : CString();
        // Rows of a control block carry the block in their path ("LD1/BR/brcb01:LLN0$ST$Mod$stVal").
        row.path = record->namePrefix + "/" + (block != nullptr ? row.description : dataPath);
        if (block != nullptr && block->isGoose) {
            CString lower = row.path;
            if (paths.count(lower.MakeLower()) != 0)
                continue;
            paths.insert(lower);
        }
        const CString name = MakeTagName(record->namePrefix, dataPath, context.nameLimit);
        CString lowerName = name;
        lowerName.MakeLower();
        const bool taken = nameSet.count(name) != 0 || madeLower.count(lowerName) != 0;
        row.tagName = taken ? MakeUniqueTagName(name, names, madeNames, context.nameLimit) : name;
        lowerName = row.tagName;
        madeLower.insert(lowerName.MakeLower());
        row.type = record->dataType;
        row.access = record->isControl ? "W" : "R";
        row.entry.namePrefix = record->namePrefix;
        if (block != nullptr)
            FillBlockEntry(row.entry, *block);
        if (record->isControl) {
            row.entry.isCommand = true;
            // The control object: the name after "$CO$".
            const int co = dataPath.Find("$CO$");
            row.entry.command = co < 0 ? record->ctlName : dataPath.Mid(co + 4).SpanExcluding("$");
            // The path cut after the control object's reference.
            CString cutPath = dataPath;
            const CString& object = row.entry.command;
            const int at = object.IsEmpty() ? -1 : cutPath.Find(object);
            if (at >= 0)
                cutPath = cutPath.Left(at + object.GetLength());
            // The model the instance's own value gives its service ("...$SPCSO1$Oper"), which the loader keeps
            // in the table, comes before its type's.
            int ctlModel = InstanceCtlModel(record->namePrefix, cutPath, dataPath, context);
            if (ctlModel < 1)
                ctlModel = record->ctlModel;
            if (ctlModel >= 1) {
                if (context.ctlModels != nullptr &&
                    LookupCtlModel(*context.ctlModels, record->namePrefix, cutPath) < ctlModel)
                    StoreCtlModel(*context.ctlModels, record->namePrefix, cutPath, ctlModel);
            } else {
                ctlModel = LookUpCtlModel(*record, cutPath, context);
            }
            row.entry.ctlModel = ctlModel;
        }
        row.entry.arrayIndex = ArrayIndexOf(row.tagName);
        madeNames.push_back(row.tagName);
        made.push_back(std::move(row));
    }
    return made;
}

ConfiguredRow MakeStoredRow(const MappedRow& row)
{
    ConfiguredRow stored = {row.path, row.tagName, row.type, row.access, row.description, row.entry.namePrefix};
    if (row.entry.isCommand) {
        CString model;
        model.Format("%d", row.entry.ctlModel);
        stored.push_back(kRowKindCommand);
        stored.push_back(model);
        stored.push_back(row.entry.command);
    } else if (row.entry.isReport) {
        stored.push_back(kRowKindReport);
    }
    return stored;
}

MappedRows LoadStoredRows(const _IED_DEVICE& device)
{
    MappedRows rows;
    for (const ConfiguredRow& stored : device.ConfiguredCache) {
        // Plain rows have six strings.
        if (stored.size() < 6)
            continue;
        MappedRow row;
        row.path = stored[0];
        row.tagName = stored[1];
        row.type = stored[2];
        row.access = stored[3];
        row.description = stored[4];
        row.entry.namePrefix = stored[5];
        const CString kind = stored.size() > 6 ? stored[6] : CString();
        if (kind == kRowKindReport) {
            row.entry.isReport = true;
            const auto found = device.ReportsPath.find(row.path);
            if (found != device.ReportsPath.end()) {
                row.entry.path = found->second;
                row.entry.isGoose = found->second.isGOOSE;
            }
        } else if (kind == kRowKindCommand) {
            row.entry.isCommand = true;
            if (stored.size() > 7)
                row.entry.ctlModel = std::atoi(stored[7]);
            if (stored.size() > 8)
                row.entry.command = stored[8];
        }
        row.entry.arrayIndex = ArrayIndexOf(row.tagName);
        rows.push_back(std::move(row));
    }
    return rows;
}

void SaveIedMapping(_PROJECT& project, _IED_DEVICE& device, const MappedRows& rows, const std::vector<_CFCDA*>& gooseMembers,
                    const CString& sclPath, SaveMessages& messages)
{
    // This IED's records from before, and any record a new row repeats, give way; another IED's records stay,
    // also where a renamed row now has one of their names.
    TagKeys own;
    TagKeys others;
    own.Add(device.ConfiguredCache);
    for (const MappedRow& row : rows)
        own.Add(row.tagName, row.path);
    for (POSITION pos = project.iedDevices.GetHeadPosition(); pos != nullptr;) {
        const _IED_DEVICE* ied = project.iedDevices.GetNext(pos);
        if (ied != &device)
            others.Add(ied->ConfiguredCache);
    }
    RemoveRecordsOf(project.tags, own, others);
    RemoveRecordsOf(project.tagMaps, own, others);
    RemoveRecordsOf(project.fcdas, own, others);
    device.ConfiguredCache.clear();
    device.ReportsPath.clear();

    for (const MappedRow& row : rows) {
        auto tag = std::make_unique<_TAGS>();
        auto map = std::make_unique<_TAGSMAP>();
        tag->tagPath = row.path;
        map->tagPath = row.path;
        tag->tagName = row.tagName;
        map->tagName = row.tagName;
        map->tagUName = tag->tagUName;
        map->direction = row.path.Find("$CO$") >= 0 ? Records::kMtcpWriteDirection : Records::kMtcpReadDirection;
        tag->dataType = row.type;
        map->dataType = row.type;
        tag->Access = row.access;
        if (row.type == "INT64" || row.type == "INT128")
            messages.texts.push_back("ERROR: Unsupported data type " + row.type);
        tag->tagType = row.entry.isGoose     ? Records::kTagTypeGoose
                       : row.entry.isReport  ? Records::kTagTypeReport
                       : row.entry.isCommand ? Records::kTagTypeMmsWrite
                                             : Records::kTagTypeMmsRead;

        // The rows stay as they are: a report row's record is completed in a copy.
        const MappedEntry& entry = row.entry;
        CString tagUName = entry.path.tagUName.IsEmpty() ? tag->tagUName : entry.path.tagUName;
        if (entry.isReport) {
            Records::ReportPathEntry path = entry.path;
            if (path.tagName.IsEmpty())
                path.tagName = tag->tagName;
            if (tagUName.IsEmpty()) {
                CString last = PartAfterLast(row.path, '/');
                last.Replace('$', '_');
                tagUName = entry.namePrefix + "_" + last;
            }
            path.tagUName = tagUName;
            tag->tagUName = tagUName;
            if (entry.isGoose && row.path.Find("GOOSE/") >= 0) {
                CString dataPath = PartAfterLast(row.path, '/');
                dataPath = dataPath.Mid(dataPath.Find(':') + 1);
                if (const _CFCDA* member = FindGooseMember(gooseMembers, entry.namePrefix, dataPath)) {
                    auto fcda = std::make_unique<_CFCDA>();
                    fcda->tagName = tag->tagName;
                    fcda->tagUName = tagUName;
                    fcda->tagPath = row.path;
                    fcda->FCDAPath = member->FCDAPath;
                    fcda->dataSet = member->dataSet;
                    fcda->domName = entry.namePrefix;
                    fcda->cidFile = sclPath;
                    project.fcdas.AddTail(fcda.release());
                }
            }
            device.ReportsPath[row.path] = std::move(path);
        }
        map->tagUName = tagUName;
        device.ConfiguredCache.push_back(MakeStoredRow(row));
        project.tags.AddTail(tag.release());
        project.tagMaps.AddTail(map.release());
    }
    RebuildModbusCommands(project);
}

CString TypeColumnText(const CIecTypeTable& types, const CString& iecType)
{
    const CString plcType = types.GetPlcType(iecType);
    return plcType.IsEmpty() ? iecType : plcType;
}

int TotalDataSize(const MappedRows& rows)
{
    int total = 0;
    for (const MappedRow& row : rows)
        total += std::max(GetIecTypeSize(row.type), 0);
    return total;
}

} // namespace Corvel::Mapping

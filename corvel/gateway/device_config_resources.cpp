// The port resources of the module configuration: drivers, remote addresses, tag maps and reports.
#include "corvel/gateway/device_config_writer.h"

#include "corvel/model/scl_reading.h"

#include <algorithm>

namespace Corvel::Gateway {

using Records::ConfiguredRow;
using Records::ReportPathEntry;

namespace {

constexpr char kDefaultMmsPing[] = "12";
// The select-before-operate path and data name of a plain-data tag map.
constexpr char kNone[] = "none";

// Fixed status indexes of the drivers, written when the module keeps driver status registers (EIPS: 4).
constexpr char kSntpStatusIndex[] = "0";
constexpr char kIec61850StatusIndex[] = "3";

// Row kinds (column 6); rows with fewer columns, or of another kind, are plain data.
constexpr char kRowKindReport[] = "Report";
constexpr char kRowKindGoose[] = "Goose";
constexpr char kRowKindCommand[] = "Command";

// More members than a report's data set can have: a count beyond it is damaged and the row is left out.
constexpr int kMaxReportMembers = 100000;

// Column index of row, or an empty text when the row is shorter.
const CString& Column(const ConfiguredRow& row, int index)
{
    static const CString kEmpty;
    return static_cast<size_t>(index) < row.size() ? row[static_cast<size_t>(index)] : kEmpty;
}

// The part of text after the first separator; the whole text when it holds none.
CString PartAfter(const CString& text, char separator)
{
    const int at = text.Find(separator);
    return at < 0 ? text : text.Mid(at + 1);
}

CString FlagText(bool flag)
{
    return flag ? "1" : "0";
}

} // namespace

std::vector<int> ReadReportGroupBoundaries(const CString& groupOffsets)
{
    std::vector<int> boundaries;
    int comma = groupOffsets.Find(',');
    while (comma >= 0) {
        const int next = groupOffsets.Find(',', comma + 1);
        const CString number = next < 0 ? groupOffsets.Mid(comma + 1) : groupOffsets.Mid(comma + 1, next - comma - 1);
        boundaries.push_back(ReadDecimal(number));
        comma = next;
    }
    return boundaries;
}

int GetReportGroupOf(const std::vector<int>& boundaries, int k)
{
    int group = 0;
    while (static_cast<size_t>(group) < boundaries.size() && boundaries[static_cast<size_t>(group)] <= k)
        ++group;
    return group;
}

CString GetReportGroupOffset(const CReport& report, int k)
{
    return DecimalText(GetReportGroupOf(ReadReportGroupBoundaries(report.groupOffsets), k));
}

namespace {

std::string_view View(const CString& text)
{
    return std::string_view(text, static_cast<size_t>(text.GetLength()));
}

} // namespace

CDeviceTagPaths::CDeviceTagPaths(const Records::_IED_DEVICE& device)
{
    const auto byName = [](const auto& left, const auto& right) { return left.first < right.first; };
    m_rowPaths.reserve(device.ConfiguredCache.size());
    for (const ConfiguredRow& row : device.ConfiguredCache)
        m_rowPaths.emplace_back(View(Column(row, Records::kColTagName)), &Column(row, Records::kColTagPath));
    std::stable_sort(m_rowPaths.begin(), m_rowPaths.end(), byName);
    m_entryPaths.reserve(device.ReportsPath.size());
    for (const auto& [path, entry] : device.ReportsPath)
        m_entryPaths.emplace_back(View(entry.tagName), &path);
    std::stable_sort(m_entryPaths.begin(), m_entryPaths.end(), byName);
}

const CString* CDeviceTagPaths::Find(const PathsByName& paths, const CString& tagName)
{
    const std::string_view name = View(tagName);
    const auto found = std::lower_bound(paths.begin(), paths.end(), name,
                                        [](const auto& item, std::string_view value) { return item.first < value; });
    return found != paths.end() && found->first == name ? found->second : nullptr;
}

CString CDeviceTagPaths::FindMmsPathOfTag(const CString& tagName) const
{
    const CString* path = Find(m_rowPaths, tagName);
    return path == nullptr ? CString() : PathAfterColon(*path);
}

CString CDeviceTagPaths::FindGooseMemberPath(const CString& tagName) const
{
    const CString* path = Find(m_entryPaths, tagName);
    const CString memberPath = path == nullptr ? CString() : PathAfterColon(*path);
    return memberPath.IsEmpty() ? FindMmsPathOfTag(tagName) : memberPath;
}

void CDeviceConfigWriter::WriteEth0Resource()
{
    WriteResource(true);
}

void CDeviceConfigWriter::WriteEth1Resource()
{
    WriteResource(false);
}

bool CDeviceConfigWriter::HasStatusIndexes() const
{
    return ReadDecimal(m_records.VQNstatusStart) != 0;
}

void CDeviceConfigWriter::StartDriver(LPCSTR id, LPCSTR statusIndex)
{
    if (HasStatusIndexes())
        m_xml.WriteMultiNoEndElement({"Driver", "id", id, "_statusIndex", statusIndex, kListEnd});
    else
        m_xml.WriteMultiNoEndElement({"Driver", "id", id, kListEnd});
}

void CDeviceConfigWriter::WriteResource(bool firstPort)
{
    const Records::_PROJECT& r = m_records;
    if (firstPort)
        m_xml.WriteMultiNoEndElement({"Resource", "id", "eth0", "ip", r.eth0IPaddr, "netmask", r.eth0IPmask,
                                      "gateway", r.eth0Gateway, kListEnd});
    else
        m_xml.WriteMultiNoEndElement({"Resource", "id", "eth1", "ip", r.eth1IPaddr, "netmask", r.eth1IPmask,
                                      "gateway", r.eth1Gateway, kListEnd});
    if (firstPort) {
        StartDriver("SNTP", kSntpStatusIndex);
        m_xml.WriteMultiShortEndElement(
            {"SNTPSchedule", "updateMinutes", r.NTPupdate, "serverAddress", r.NTPaddr, kListEnd});
        m_xml.WriteEndTag();
    }
    if (r.portPLC == (firstPort ? 1 : 2))
        WriteEtherNetIpAdapter(firstPort);
    const bool hasIec61850Client =
        firstPort ? r.port61850 == 1 || r.numPorts == 1 || r.numPorts == 3 : r.port61850 == 2;
    if (hasIec61850Client)
        WriteIec61850Client(firstPort);
    m_xml.WriteEndTag();
}

void CDeviceConfigWriter::WriteIec61850Client(bool firstPort)
{
    StartDriver("IEC61850C", kIec61850StatusIndex);
    m_xml.WriteValueElement("GOOSESupport", "1");
    m_xml.WriteValueElement("SampleValueSupport", "1");
    m_xml.WriteStartTag("RemoteAddressList");
    for (POSITION pos = m_records.iedDevices.GetHeadPosition(); pos != nullptr;) {
        Device* device = m_records.iedDevices.GetNext(pos);
        if (device->state == Records::kSlotInUse)
            WriteRemoteAddress(*device, firstPort);
    }
    m_xml.WriteEndTag();
    m_xml.WriteEndTag();
}

void CDeviceConfigWriter::WriteRemoteAddress(Device& device, bool firstPort)
{
    m_xml.WriteStartTag("RemoteAddress");
    if (device.MMSping.IsEmpty()) {
        device.MMSping = kDefaultMmsPing;
        m_defaultedPings.push_back(&device);
    }
    m_xml.WriteTextElement("AR_Name", device.label);
    m_xml.WriteTextElement("AP_Title", device.APTitle);
    m_xml.WriteTextElement("AE_Qualifier", device.AEQualifier);
    m_xml.WriteTextElement("Psel", device.pSel);
    m_xml.WriteTextElement("Ssel", device.sSel);
    m_xml.WriteTextElement("Tsel", device.tSel);
    m_xml.WriteTextElement("IscanDly", device.MSScanDelay);
    m_xml.WriteTextElement("MMSping", device.MMSping);
    m_xml.WriteStartElementWithAttribute("IPADDR", "Type", "NetAddr");
    m_xml.WriteText(device.IPaddr);
    m_xml.WriteEndTag();

    m_xml.WriteStartTag("Commands");
    CommandTable commands;
    CBlockTable<CReport> reports;
    CBlockTable<CGoose> geese;
    for (const ConfiguredRow& row : device.ConfiguredCache) {
        const CString& kind = Column(row, Records::kColTagType);
        if (kind == kRowKindCommand) {
            // The base path runs up to and including "$" and the data attribute name; the data name is what
            // follows it after one more character.
            const CString& path = Column(row, Records::kColTagPath);
            const CString suffix = "$" + Column(row, Records::kColDAName);
            const int at = path.Find(suffix);
            const CString base = at < 0 ? path : path.Left(at + suffix.GetLength());
            const CString rest = base.GetLength() + 1 < path.GetLength() ? path.Mid(base.GetLength() + 1) : CString();
            commands[base].push_back(CommandEntry{Column(row, Records::kColDomName), base, CString(),
                                                  Column(row, Records::kColAccess),
                                                  Column(row, Records::kColCtlModel),
                                                  Column(row, Records::kColDescription),
                                                  Column(row, Records::kColTagName), rest});
        } else if (kind == kRowKindReport || kind == kRowKindGoose) {
            GatherControlBlockRow(device, row, reports, geese);
        } else {
            WritePlainTagMap(row, firstPort);
        }
    }
    WriteCommandTagMaps(commands, firstPort);
    m_xml.WriteEndTag();

    const CDeviceTagPaths paths(device);
    m_xml.WriteStartTag("Reports");
    WriteReports(reports, paths);
    m_xml.WriteEndTag();
    WriteGooseSubscriptions(geese, paths);
}

void CDeviceConfigWriter::WritePlainTagMap(const ConfiguredRow& row, bool firstPort)
{
    CString path = PartAfter(Column(row, Records::kColTagPath), '/');
    BracketsToParentheses(path);
    const CString ctlModel = firstPort ? FindCtlModelTextByTagName(row) : FindCtlModelTextByDomainPath(row);
    m_xml.WriteMultiNoEndElement({"TagMap", "domname", Column(row, Records::kColDomName), "datapath", path,
                                  "sbopath", kNone, "access", Column(row, Records::kColAccess), "ctltype", ctlModel,
                                  kListEnd});
    CString tagName = Column(row, Records::kColTagName);
    RemoveBrackets(tagName);
    m_xml.WriteMultiElement({"TagMapData", "comment", Column(row, Records::kColDescription), "tagname", tagName,
                             "dataname", kNone, kListEnd});
    m_xml.WriteEndTag();
}

void CDeviceConfigWriter::WriteCommandTagMaps(const CommandTable& commands, bool firstPort)
{
    for (const auto& [key, entries] : commands) {
        size_t next = 0;
        while (next < entries.size()) {
            const CommandEntry& first = entries[next];
            CString ctlModel = FindStoredCtlModelText(first);
            if (ctlModel.IsEmpty())
                ctlModel = FindCtlModelTextForTag(m_project.ctlModels, first.domName, first.commandPath);
            if (ctlModel == "0" && first.access == "W")
                ctlModel = "1";
            CString dataPath;
            if (firstPort) {
                dataPath = PartAfter(key, '/');
                BracketsToParentheses(dataPath);
            } else {
                // The path starts at the logical node: after the logical device's "/", or after an older
                // path's "<logical device>_".
                dataPath = PartAfter(first.commandPath, first.commandPath.Find('/') >= 0 ? '/' : '_');
            }
            m_xml.WriteMultiNoEndElement({"TagMap", "domname", first.domName, "datapath", dataPath, "sbopath",
                                          first.sboPath, "access", first.access, "ctltype", ctlModel, kListEnd});
            // The records of the key that follow with the same logical device share the tag map.
            const CString domName = first.domName;
            for (; next < entries.size() && entries[next].domName == domName; ++next) {
                const CommandEntry& entry = entries[next];
                CString tagName = entry.tagName;
                RemoveBrackets(tagName);
                m_xml.WriteMultiElement({"TagMapData", "comment", firstPort ? entry.comment : CString(), "tagname",
                                         tagName, "dataname", entry.dataName, kListEnd});
            }
            m_xml.WriteEndTag();
        }
    }
}

void CDeviceConfigWriter::GatherControlBlockRow(const Device& device, const ConfiguredRow& row,
                                                CBlockTable<CReport>& reports, CBlockTable<CGoose>& geese)
{
    const CString& tagName = Column(row, Records::kColTagName);
    const auto found = device.ReportsPath.find(Column(row, Records::kColTagPath));
    if (found == device.ReportsPath.end()) {
        WarnRowLeftOut(device, tagName, "no report or GOOSE control block is recorded for its path");
        return;
    }
    const CString& memberPath = found->first;
    const ReportPathEntry& entry = found->second;

    if (entry.isGOOSE) {
        if (entry.gooseGCRef.IsEmpty()) {
            WarnRowLeftOut(device, tagName, "its GOOSE control block has no name");
            return;
        }
        CGoose* goose = geese.Find(entry.gooseGCRef);
        if (goose == nullptr) {
            CGoose block;
            block.dataSetRef = entry.gooseDataSetRef;
            block.gcRef = entry.gooseGCRef;
            block.appId = entry.appID;
            block.macAddress = entry.gooseMulticastMacAddr;
            block.confRev = entry.gooseReportConfRev;
            for (const _DATA_ITEM& item : entry.dataItems)
                block.members.push_back(CGooseMember{kTempTagName, item.mmsDataPath, item.domName});
            goose = &geese.Add(entry.gooseGCRef, std::move(block));
        }
        // A member index outside the data set names no member: the row is left out.
        if (entry.iIndex < 0 || static_cast<size_t>(entry.iIndex) >= goose->members.size()) {
            WarnRowLeftOut(device, tagName, "its place in the GOOSE data set is outside the data set");
            return;
        }
        goose->members[static_cast<size_t>(entry.iIndex)] = CGooseMember{tagName, memberPath, entry.gooseDataItemDomain};
        return;
    }

    if (entry.reportDataPath.IsEmpty()) {
        WarnRowLeftOut(device, tagName, "its report control block has no path");
        return;
    }
    // Blocks are told apart by their logical device and path: report ids may be empty or shared.
    const CString blockKey = entry.reportDomain + "/" + entry.reportDataPath;
    CReport* report = reports.Find(blockKey);
    if (report == nullptr) {
        if (entry.iCount < 0 || entry.iCount > kMaxReportMembers) {
            WarnRowLeftOut(device, tagName, "its report's member count is damaged");
            return;
        }
        CReport block;
        block.memberTags.assign(static_cast<size_t>(entry.iCount), kTempTagName);
        block.memberPaths.assign(static_cast<size_t>(entry.iCount), CString());
        block.buffered = entry.isBuffered ? 1 : 0;
        block.domName = entry.reportDomain;
        block.dataPath = entry.reportDataPath;
        block.reportId = entry.reportID;
        block.bufferedReport = entry.ReportBlockName();
        block.confRev = entry.reportConfRev;
        block.groupOffsets = entry.groupOffset;
        block.intPd = DecimalText(entry.iIntPd);
        block.trgDchg = FlagText(entry.isDchg);
        block.trgQchg = FlagText(entry.isQchg);
        block.trgDupd = FlagText(entry.isDupd);
        block.trgIntPd = FlagText(entry.isPeriod);
        block.trgGi = FlagText(entry.isGI);
        report = &reports.Add(blockKey, std::move(block));
    }
    if (entry.iIndex < 0 || static_cast<size_t>(entry.iIndex) >= report->memberTags.size()) {
        WarnRowLeftOut(device, tagName, "its place in the report's data set is outside the data set");
        return;
    }
    report->memberTags[static_cast<size_t>(entry.iIndex)] = tagName;
    report->memberPaths[static_cast<size_t>(entry.iIndex)] = memberPath;
}

void CDeviceConfigWriter::WarnRowLeftOut(const Device& device, const CString& tagName, LPCSTR reason)
{
    CString text;
    text.Format("Warning: The tag \"%s\" of IED \"%s\" is not in the configuration: %s.", (LPCSTR)tagName,
                (LPCSTR)device.name, reason);
    m_warnings->push_back(text);
}

void CDeviceConfigWriter::WriteReports(const CBlockTable<CReport>& reports, const CDeviceTagPaths& paths)
{
    CString groupText;
    for (const CReport& report : reports.Blocks()) {
        m_xml.WriteMultiNoEndElement({"Report", "domname", report.domName, "datapath", report.dataPath, "rptid",
                                      report.reportId, "enable", "Y", "intpd", report.intPd, "confrev",
                                      report.confRev, "buffered", FlagText(report.buffered != 0), "bufferedReport",
                                      report.bufferedReport, "trgopdchg", report.trgDchg, "trgopqchg",
                                      report.trgQchg, "trgopdupd", report.trgDupd, "trgopintpd", report.trgIntPd,
                                      "trgopgi", report.trgGi, kListEnd});
        const std::vector<int> boundaries = ReadReportGroupBoundaries(report.groupOffsets);
        for (size_t k = 0; k < report.memberTags.size(); ++k) {
            const CString& tagName = report.memberTags[k];
            CString mmsPath = PathAfterColon(report.memberPaths[k]);
            if (mmsPath.IsEmpty())
                mmsPath = paths.FindMmsPathOfTag(tagName);
            groupText = DecimalText(GetReportGroupOf(boundaries, static_cast<int>(k)));
            m_xml.WriteMultiShortEndElement({"RptDataSet", "comment", "", "tagname", tagName, "rptgrpoff", groupText,
                                             "mmsPath", mmsPath, kListEnd});
        }
        m_xml.WriteEndTag();
    }
}

CString CDeviceConfigWriter::FindStoredCtlModelText(const CommandEntry& command) const
{
    const int ownModel = ReadDecimal(command.ctlModel);
    if (ownModel >= 1)
        return DecimalText(ownModel);
    // The table's entry under the logical device and the path from the logical node, as the mapping stores
    // it, or under the path of its service ("...$SPCSO1$Oper"), as the SCL instance gives it; compared by flat
    // names, which the project files keep.
    const CString nodePath = PartAfter(command.commandPath, '/');
    const CString service = command.dataName.SpanExcluding("$");
    for (const CString& path : {nodePath, service.IsEmpty() ? CString() : nodePath + "$" + service}) {
        if (path.IsEmpty())
            continue;
        const CString code =
            m_ctlModels.FindFlat(FlatCtlModelName(CtlModelKeyText(CtlModelKey(command.domName, path))), CString());
        if (ReadDecimal(code) >= 1)
            return code;
    }
    return CString();
}

CString CDeviceConfigWriter::FindCtlModelTextByTagName(const ConfiguredRow& row) const
{
    return m_ctlModels.Find(Column(row, Records::kColTagName), CString());
}

CString CDeviceConfigWriter::FindCtlModelTextByDomainPath(const ConfiguredRow& row) const
{
    CString key = Column(row, Records::kColDomName) + "_" + Column(row, Records::kColTagPath);
    key.Replace('$', '_');
    return m_ctlModels.FindFlat(key, CString());
}

} // namespace Corvel::Gateway

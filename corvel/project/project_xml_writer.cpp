#include "corvel/project/project_xml.h"

#include "corvel/model/decimal.h"

namespace {

using namespace Corvel::Records;

const char kEnd[] = "XXX";
const char kTrue[] = "true";
const char kFalse[] = "false";
const char kProductOnePort[] = "VQN31-EIP-61850";
const char kProductTwoPorts[] = "VQN32-EIP-61850";
const char kProtocol[] = "EIP";
const char kGoosePathStart[] = "GOOSE/";
constexpr int kPlainRowColumns = 6;
constexpr int kFullRowColumns = 9;
constexpr size_t kTimeTextSize = 128;

LPCSTR Flag(bool value)
{
    return value ? kTrue : kFalse;
}

// Column i of a row, empty past its end.
LPCSTR Column(const ConfiguredRow& row, int i)
{
    return i < static_cast<int>(row.size()) ? static_cast<LPCSTR>(row[static_cast<size_t>(i)]) : "";
}

LPCSTR TagTypeName(int tagType)
{
    switch (tagType) {
    case kTagTypeGoose: return "GOOSE";
    case kTagTypeReport: return "REPORT";
    case kTagTypeMmsRead: return "MMS_R";
    case kTagTypeMmsWrite: return "MMS_W";
    case kTagTypeMessage: return "MSGS";
    default: return "";
    }
}

} // namespace

CString FormatTime(time_t at, LPCSTR format)
{
    char buffer[kTimeTextSize] = {};
    const tm* local = localtime(&at);
    if (local == nullptr || strftime(buffer, sizeof buffer, format, local) == 0)
        return CString();
    return buffer;
}

CString DeriveTagUName(const CString& tagName, const CString& tagPath)
{
    const CString rest = tagPath.Mid(tagPath.Find(':') + 1);
    const int dollar = rest.Find('$');
    const CString head = dollar < 0 ? rest : rest.Left(dollar);
    const int at = tagName.Find(head);
    CString name = (at < 0 ? CString() : tagName.Left(at)) + rest;
    name.Replace('$', '_');
    return name;
}

LPCSTR FormatDecimal(int value, CString& scratch)
{
    scratch.Format("%d", value);
    return scratch;
}

CProjectXmlWriter::CProjectXmlWriter(Korvane::Formats::CKorXml& xml, const ProjectXmlContent& content,
                                     const ProjectXmlStamp& stamp)
    : m_xml(xml), m_content(content), m_stamp(stamp)
{
}

void CProjectXmlWriter::Write()
{
    WriteProjectDetail();
    WriteProjectNetwork();
    WriteProjectPlcs();
    WriteProjectSclFiles();
    WriteProjectIedMap();
    WriteProjectFcdas();
    WriteProjectTagMap();
    WriteProjectAssignedTags();
    WriteProjectCtlModels();
}

void CProjectXmlWriter::WriteProjectDetail()
{
    const _PROJECT& p = m_content.project;
    const CString name = ProjectName(p);
    const CString date = FormatTime(m_stamp.writtenAt, "%x");
    const CString time = FormatTime(m_stamp.writtenAt, "%I:%M%p");
    const CString filePath = m_xml.GetFileName();
    m_xml.WriteStartTag("Project");
    m_xml.WriteMultiNoEndElement({"Detail", "prjName", name, "prjDate", date, "prjTime", time, kEnd});
    m_xml.WriteMultiShortEndElement({"items", "Korvane", p.numPorts == 2 ? kProductTwoPorts : kProductOnePort,
                                     "appName", m_stamp.appName, "appVrsn", m_stamp.appVersion, kEnd});
    m_xml.WriteMultiShortEndElement({"items", "filePath", filePath, kEnd});
    m_xml.WriteMultiShortEndElement({"items", "protocol", kProtocol, "comment", p.comment, kEnd});
    m_xml.WriteMultiShortEndElement({"items", "NTPaddr", p.NTPaddr, "NTPupdate", p.NTPupdate, kEnd});
    m_xml.WriteMultiShortEndElement(
        {"items", "startRead", p.startRead, "startWrite", p.startWrite, "connTimeout", p.connTimeout, kEnd});
    m_xml.WriteMultiShortEndElement({"items", "NoMTCPsrvr", p.NoMTCPsrvr, "NoMBAPsrvr", p.NoMBAPsrvr, kEnd});
    m_xml.WriteMultiShortEndElement(
        {"items", "VQNstatusStart", p.VQNstatusStart, "rebootRegister", p.rebootRegister, kEnd});
    m_xml.WriteEndTag();
}

void CProjectXmlWriter::WriteProjectNetwork()
{
    const _PROJECT& p = m_content.project;
    CString ports;
    m_xml.WriteMultiNoEndElement({"Network", "numPorts", FormatDecimal(p.numPorts, ports), "autoRestart",
                                  p.autoRestart ? "Yes" : "No", "port61850", p.port61850 == 1 ? "1" : "2",
                                  "portPLC", p.portPLC == 1 ? "1" : "2", kEnd});
    m_xml.WriteMultiShortEndElement(
        {"Eth0", "IPaddr", p.eth0IPaddr, "IPmask", p.eth0IPmask, "Gateway", p.eth0Gateway, kEnd});
    if (p.numPorts == 2)
        m_xml.WriteMultiShortEndElement(
            {"Eth1", "IPaddr", p.eth1IPaddr, "IPmask", p.eth1IPmask, "Gateway", p.eth1Gateway, kEnd});
    m_xml.WriteEndTag();
}

void CProjectXmlWriter::WriteProjectPlcs()
{
    const RecordList<CPLC_Device>& plcs = m_content.project.plcDevices;
    m_xml.WriteStartTag("PLCs");
    for (POSITION pos = plcs.GetHeadPosition(); pos != nullptr;) {
        const CPLC_Device& plc = *plcs.GetNext(pos);
        if (plc.state != kSlotInUse)
            continue;
        CString devNum, devType, noeSel, noeSlot, state;
        m_xml.WriteMultiNoEndElement({"PLC", "name", plc.name, "devNum", FormatDecimal(plc.devNum, devNum), "node",
                                      plc.node, "comment", plc.comment, kEnd});
        m_xml.WriteMultiShortEndElement(
            {"items", "IPAddr", plc.IPAddr, "IPMask", plc.IPMask, "Gateway", plc.Gateway, kEnd});
        m_xml.WriteMultiShortEndElement({"items", "devType", FormatDecimal(plc.devType, devType), "NOESel",
                                         FormatDecimal(plc.NOESel, noeSel), "NOESlotNum",
                                         FormatDecimal(plc.NOESlotNum, noeSlot), "showState",
                                         FormatDecimal(plc.state, state), kEnd});
        m_xml.WriteMultiShortEndElement({"items", "RStartReg", plc.RStartReg, "WStartReg", plc.WStartReg, "CmdDelay",
                                         plc.CmdDelay, "Resp", plc.Resp, "Rty", plc.Rty, "ErrDelay", plc.ErrDelay,
                                         kEnd});
        WritePlcConfiguredCache(plc);
        m_xml.WriteEndTag();
    }
    m_xml.WriteEndTag();
}

void CProjectXmlWriter::WritePlcConfiguredCache(const CPLC_Device& plc)
{
    m_xml.WriteStartTag("ConfiguredCache");
    WriteConfiguredRows(plc.configuredRows, false);
    m_xml.WriteEndTag();
}

void CProjectXmlWriter::WriteIedConfiguredCache(const _IED_DEVICE& ied)
{
    m_xml.WriteStartTag("ConfiguredCache");
    WriteConfiguredRows(ied.ConfiguredCache, true);
    m_xml.WriteEndTag();
}

void CProjectXmlWriter::WriteConfiguredRows(const ConfiguredRows& rows, bool iedRows)
{
    for (const ConfiguredRow& row : rows) {
        const int columns = static_cast<int>(row.size());
        const CString path = Column(row, kColTagPath);
        CString tagType = "Data";
        if (columns > kPlainRowColumns)
            tagType = path.Find(kGoosePathStart) == 0 ? CString("Goose") : CString(Column(row, kColTagType));
        m_xml.WriteMultiNoEndElement({"Tag", "tagName", Column(row, kColTagName), "tagType", tagType, "dataType",
                                      Column(row, kColDataType), kEnd});
        if (columns == kFullRowColumns) {
            // The table's model for the logical device and the path from the logical node (a path of the
            // mapping dialog starts with "<logical device>/"); the row's own when the table has none.
            const CString& ownModel = Column(row, kColCtlModel);
            const int slash = path.Find('/');
            const CString key = CString(Column(row, kColDomName)) + "_" + (slash < 0 ? path : path.Mid(slash + 1));
            CString ctlModel = FindCtlModelText(m_content.ctlModels, key, "0");
            if (ctlModel == "0" && ReadDecimal(ownModel) >= 1)
                ctlModel = ownModel;
            m_xml.WriteMultiShortEndElement(
                {"items", "tagPath", path, "ctlModel", ctlModel, "DAName", Column(row, kColDAName), kEnd});
        } else if (iedRows) {
            m_xml.WriteMultiShortEndElement({"items", "tagPath", path, "ctlModel", "0", kEnd});
        } else {
            m_xml.WriteMultiShortEndElement({"items", "tagPath", path, kEnd});
        }
        m_xml.WriteMultiShortEndElement({"items", "domName", Column(row, kColDomName), "description",
                                         Column(row, kColDescription), "access", Column(row, kColAccess), kEnd});
        m_xml.WriteEndTag();
    }
}

void CProjectXmlWriter::WriteProjectSclFiles()
{
    const RecordList<_ICD_FILES>& files = m_content.project.sclFiles;
    CStringArray& added = m_content.fileListA;
    m_xml.WriteStartTag("VendorCIDs");
    for (POSITION pos = files.GetHeadPosition(); pos != nullptr;) {
        const _ICD_FILES& file = *files.GetNext(pos);
        m_xml.WriteMultiShortEndElement({"CID", "fileName", file.fileName, "filePath", file.filePath, kEnd});
        for (INT_PTR i = added.GetSize() - 1; i >= 0; --i)
            if (added.GetAt(i) == file.fileName)
                added.RemoveAt(i);
    }
    m_xml.WriteEndTag();
}

// The IED records in use; they stand at the head of the list.
void CProjectXmlWriter::WriteProjectIedMap()
{
    const RecordList<_IED_DEVICE>& ieds = m_content.project.iedDevices;
    m_xml.WriteStartTag("IEDMap");
    for (POSITION pos = ieds.GetHeadPosition(); pos != nullptr;) {
        const _IED_DEVICE& ied = *ieds.GetNext(pos);
        if (ied.state != kSlotInUse)
            continue;
        CString devNum;
        m_xml.WriteMultiNoEndElement({"IED", "vendor", ied.vendor, "name", ied.name, "label", ied.label, "comment",
                                      ied.comment, "deviceNum", FormatDecimal(ied.devNum, devNum), kEnd});
        m_xml.WriteMultiShortEndElement(
            {"items", "IPaddr", ied.IPaddr, "IPmask", ied.IPMask, "IPgateway", ied.Gateway, kEnd});
        m_xml.WriteMultiShortEndElement({"items", "MSScanDelay", ied.MSScanDelay, "MMSping", ied.MMSping, "APTitle",
                                         ied.APTitle, "AEQualifier", ied.AEQualifier, "pSel", ied.pSel, "sSel",
                                         ied.sSel, "tSel", ied.tSel, kEnd});
        m_xml.WriteMultiShortEndElement({"items", "CIDFile", ied.CIDFile, kEnd});
        WriteIedConfiguredCache(ied);
        WriteIedReportsPath(ied);
        m_xml.WriteEndTag();
    }
    m_xml.WriteEndTag();
}

// Entries are written from copies: a derived unique name is not stored.
void CProjectXmlWriter::WriteIedReportsPath(const _IED_DEVICE& ied)
{
    m_xml.WriteStartTag("ReportsPath");
    for (const auto& [path, stored] : ied.ReportsPath) {
        ReportPathEntry e = stored;
        if (e.tagUName.IsEmpty())
            e.tagUName = DeriveTagUName(e.tagName, path);
        CString index, count, intPd;
        m_xml.WriteStartElementWithAttribute("Tag", "tagPath", path);
        m_xml.WriteMultiShortEndElement(
            {"items", "tagName", e.tagName, "dataType", e.dataType, "domName", e.domName, kEnd});
        m_xml.WriteMultiShortEndElement({"items", "tagUName", e.tagUName, kEnd});
        m_xml.WriteMultiShortEndElement({"items", "isReport", Flag(e.isReport), "isGOOSE", Flag(e.isGOOSE), "iIndex",
                                         FormatDecimal(e.iIndex, index), "iCount", FormatDecimal(e.iCount, count),
                                         "appID", e.appID, kEnd});
        m_xml.WriteMultiShortEndElement({"items", "isBuffered", Flag(e.isBuffered), "groupOffset", e.groupOffset,
                                         "iIntPd", FormatDecimal(e.iIntPd, intPd), kEnd});
        m_xml.WriteMultiShortEndElement({"items", "isDchg", Flag(e.isDchg), "isQchg", Flag(e.isQchg), "isDupd",
                                         Flag(e.isDupd), "isPeriod", Flag(e.isPeriod), "isGI", Flag(e.isGI), kEnd});
        if (e.isReport && !e.isGOOSE) {
            m_xml.WriteMultiShortEndElement({"items", "bufOvfl", e.bufOvfl, "cfgRef", e.cfgRef, "entryID", e.entryID,
                                             "reasonCode", e.reasonCode, kEnd});
            m_xml.WriteMultiShortEndElement({"items", "seqNum", e.seqNum, "timeStamp", e.timeStamp, "segmentation",
                                             e.segmentation, "dataRef", e.dataRef, "dataSet", e.dataSet, kEnd});
            m_xml.WriteMultiShortEndElement(
                {"items", "reportDomain", e.reportDomain, "reportDataPath", e.reportDataPath, kEnd});
            m_xml.WriteMultiShortEndElement({"items", "reportID", e.reportID, "reportInterval", e.reportInterval,
                                             "reportConfRev", e.reportConfRev, kEnd});
        }
        if (e.isReport && e.isGOOSE) {
            m_xml.WriteMultiShortEndElement(
                {"items", "gooseDataSet", e.gooseDataSet, "gooseGCRef", e.gooseGCRef, kEnd});
            m_xml.WriteMultiShortEndElement({"items", "gooseDataSetRef", e.gooseDataSetRef, kEnd});
            m_xml.WriteMultiShortEndElement({"items", "gooseReportDomain", e.gooseReportDomain, "gooseDataItemDomain",
                                             e.gooseDataItemDomain, kEnd});
            m_xml.WriteMultiShortEndElement({"items", "gooseReportConfRev", e.gooseReportConfRev,
                                             "gooseMulticastMacAddr", e.gooseMulticastMacAddr, kEnd});
            if (!e.dataItems.empty())
                WriteReportDataItems(e);
        }
        m_xml.WriteEndTag();
    }
    m_xml.WriteEndTag();
}

void CProjectXmlWriter::WriteReportDataItems(const ReportPathEntry& entry)
{
    m_xml.WriteStartTag("dataItems");
    for (const _DATA_ITEM& item : entry.dataItems)
        m_xml.WriteMultiShortEndElement({"items", "FC", item.FC, "dataType", item.dataType, "domName", item.domName,
                                         "mmsDataPath", item.mmsDataPath, "DAName", item.DAName, kEnd});
    m_xml.WriteEndTag();
}

void CProjectXmlWriter::WriteProjectFcdas()
{
    RecordList<_CFCDA>& fcdas = m_content.project.fcdas;
    m_xml.WriteStartTag("GooseFCDAs");
    for (POSITION pos = fcdas.GetHeadPosition(); pos != nullptr;) {
        _CFCDA& fcda = *fcdas.GetNext(pos);
        FillTagUName(fcda);
        m_xml.WriteStartElementWithAttribute("FCDA", "tagUName", fcda.tagUName);
        m_xml.WriteMultiShortEndElement({"items", "tagName", fcda.tagName, kEnd});
        m_xml.WriteMultiShortEndElement({"items", "tagPath", fcda.tagPath, kEnd});
        m_xml.WriteMultiShortEndElement({"items", "FCDAPath", fcda.FCDAPath, kEnd});
        m_xml.WriteMultiShortEndElement({"items", "dataSet", fcda.dataSet, "domName", fcda.domName, kEnd});
        m_xml.WriteMultiShortEndElement({"items", "cidFile", fcda.cidFile, kEnd});
        m_xml.WriteEndTag();
    }
    m_xml.WriteEndTag();
}

void CProjectXmlWriter::WriteProjectTagMap()
{
    RecordList<_TAGSMAP>& tagMaps = m_content.project.tagMaps;
    m_xml.WriteStartTag("TagMap");
    for (POSITION pos = tagMaps.GetHeadPosition(); pos != nullptr;) {
        _TAGSMAP& row = *tagMaps.GetNext(pos);
        FillTagUName(row);
        m_xml.WriteMultiNoEndElement({"Tag", "tagName", row.tagName, "dataType", row.dataType, kEnd});
        m_xml.WriteMultiShortEndElement({"items", "tagUName", row.tagUName, kEnd});
        m_xml.WriteMultiShortEndElement({"items", "tagPath", row.tagPath, kEnd});
        if (const _CFCDA* fcda = FindFcda(m_content.project.fcdas, row.tagName)) {
            m_xml.WriteMultiShortEndElement({"items", "tagFCDA", fcda->FCDAPath, kEnd});
            m_xml.WriteMultiShortEndElement({"items", "dataSet", fcda->dataSet, "domName", fcda->domName, kEnd});
            m_xml.WriteMultiShortEndElement({"items", "cidFile", fcda->cidFile, kEnd});
        }
        m_xml.WriteEndTag();
    }
    m_xml.WriteEndTag();
}

void CProjectXmlWriter::WriteProjectAssignedTags()
{
    CString inputs, outputs, messages;
    m_xml.WriteMultiNoEndElement(
        {"AssignedTags", "numTagsINP", FormatDecimal(static_cast<int>(m_content.tagsINP.GetCount()), inputs),
         "numTagsOUT", FormatDecimal(static_cast<int>(m_content.tagsOUT.GetCount()), outputs), "numTagsMSG",
         FormatDecimal(static_cast<int>(m_content.tagsMSG.GetCount()), messages), kEnd});
    WriteAssignedTagList("TagsINP", m_content.tagsINP);
    WriteAssignedTagList("TagsOUT", m_content.tagsOUT);
    WriteAssignedTagList("TagsMSG", m_content.tagsMSG);
    m_xml.WriteEndTag();
}

void CProjectXmlWriter::WriteAssignedTagList(LPCSTR element, CVQNTagsList& list)
{
    m_xml.WriteStartTag(element);
    for (INT_PTR i = 0; i < list.GetCount(); ++i) {
        _TAGS& tag = *list.GetAt(i);
        FillTagUName(tag);
        CString seqNum, conn, ioType, startAddr;
        m_xml.WriteMultiNoEndElement({"Tag", "tagName", tag.tagName, "tagType", TagTypeName(tag.tagType),
                                      "dataType", tag.dataType, kEnd});
        m_xml.WriteMultiShortEndElement({"items", "tagUName", tag.tagUName, kEnd});
        m_xml.WriteMultiShortEndElement({"items", "tagPath", tag.tagPath, kEnd});
        m_xml.WriteMultiShortEndElement({"items", "SeqNum", FormatDecimal(tag.SeqNum, seqNum), "Conn",
                                         FormatDecimal(tag.Conn, conn), "IOType", FormatDecimal(tag.IOType, ioType),
                                         "StartAddr", FormatDecimal(tag.StartAddr, startAddr), "Access", tag.Access,
                                         "Assigned", tag.Assigned ? kTrue : "No", kEnd});
        m_xml.WriteEndTag();
    }
    m_xml.WriteEndTag();
}

void CProjectXmlWriter::WriteProjectCtlModels()
{
    m_xml.WriteStartTag("CtlModelMap");
    for (const auto& [key, code] : m_content.ctlModels) {
        if (code == 0)
            continue;
        CString codeText;
        m_xml.WriteMultiShortEndElement({"CtlTag", "tagName", FlatCtlModelName(CtlModelKeyText(key)), "ctlModel",
                                         FormatDecimal(code, codeText), kEnd});
    }
    m_xml.WriteEndTag();
}

#include "corvel/project/project_archive.h"

namespace {

using namespace Corvel::Records;

// Texts the layout carries empty.
constexpr int kEmptyFolderTexts = 5;
constexpr int kIedIgnoredTexts = 6;
constexpr int kIedRowTrailingTexts = 3;
constexpr int kReportEntryUnnamedTexts = 2;
// Entries of the rows as the archive stores them.
constexpr size_t kIedRowLeadingColumns = 6;
constexpr size_t kPlcRowColumns = 8;
const char kPlainRowType[] = "MMS";

// A Count: the number as "%d" text.
void WriteCount(CArchive& ar, INT_PTR count)
{
    CString text;
    text.Format("%d", static_cast<int>(count));
    ar << text;
}

void WriteEmptyTexts(CArchive& ar, int count)
{
    for (int i = 0; i < count; ++i)
        ar << CString();
}

// Entry i of a row, empty past its end.
const CString& Column(const ConfiguredRow& row, size_t i)
{
    static const CString kNone;
    return i < row.size() ? row[i] : kNone;
}

} // namespace

CProjectArchiveWriter::CProjectArchiveWriter(const ProjectArchiveContent& content, const Folders& folders)
    : m_content(content), m_folders(folders)
{
}

void CProjectArchiveWriter::Write(CArchive& ar)
{
    WriteSettings(ar);
    WriteConnectionTags(ar);
    WriteFcdas(ar);
    WriteCount(ar, m_content.project.reservedWord1);
    WriteCount(ar, m_content.project.reservedWord2);
    WriteSclFiles(ar);
    WriteTagMap(ar);
    WriteIedMap(ar);
    WritePlcs(ar);
    WriteCtlModels(ar);
}

void CProjectArchiveWriter::WriteSettings(CArchive& ar)
{
    const _PROJECT& p = m_content.project;
    ar << CString(kArchiveVersionText) << p.prjName << p.filePath;
    ar << p.eth0IPaddr << p.eth0IPmask << p.eth0Gateway << p.eth1IPaddr << p.eth1IPmask << p.eth1Gateway;
    ar << p.autoRestart << p.numPorts << p.port61850 << p.portPLC << p.comment;
    ar << p.NTPaddr << p.NTPupdate << p.startRead << p.startWrite << p.connTimeout << p.NoMTCPsrvr << p.NoMBAPsrvr;
    ar << p.VQNstatusStart << p.rebootRegister;
    ar << m_folders.sclFolder << m_folders.otherPath;
    WriteEmptyTexts(ar, kEmptyFolderTexts);
}

void CProjectArchiveWriter::WriteConnectionTags(CArchive& ar)
{
    const CVQNTagsList* lists[] = {&m_content.tagsINP, &m_content.tagsOUT, &m_content.tagsMSG};
    for (const CVQNTagsList* list : lists)
        WriteCount(ar, list->GetCount());
    for (const CVQNTagsList* list : lists) {
        for (INT_PTR i = 0; i < list->GetCount(); ++i) {
            const _TAGS& tag = *list->GetAt(i);
            ar << tag.SeqNum << tag.Conn << tag.IOType << tag.StartAddr << tag.tagType;
            ar << tag.tagName << tag.tagPath << tag.dataType << tag.Access << tag.Assigned;
        }
    }
}

void CProjectArchiveWriter::WriteFcdas(CArchive& ar)
{
    const RecordList<_CFCDA>& fcdas = m_content.project.fcdas;
    WriteCount(ar, fcdas.GetCount());
    for (POSITION pos = fcdas.GetHeadPosition(); pos != nullptr;) {
        const _CFCDA& f = *fcdas.GetNext(pos);
        ar << f.tagName << f.tagPath << f.FCDAPath << f.dataSet << f.domName << f.cidFile;
    }
}

void CProjectArchiveWriter::WriteSclFiles(CArchive& ar)
{
    const RecordList<_ICD_FILES>& files = m_content.project.sclFiles;
    WriteCount(ar, files.GetCount());
    for (POSITION pos = files.GetHeadPosition(); pos != nullptr;) {
        const _ICD_FILES& file = *files.GetNext(pos);
        ar << file.fileName << file.filePath << file.checksum;
    }
}

void CProjectArchiveWriter::WriteTagMap(CArchive& ar)
{
    const RecordList<_TAGSMAP>& rows = m_content.project.tagMaps;
    WriteCount(ar, rows.GetCount());
    for (POSITION pos = rows.GetHeadPosition(); pos != nullptr;) {
        const _TAGSMAP& row = *rows.GetNext(pos);
        ar << row.tagPath << row.tagName << row.dataType << row.direction;
    }
}

void CProjectArchiveWriter::WriteIedMap(CArchive& ar)
{
    const RecordList<_IED_DEVICE>& ieds = m_content.project.iedDevices;
    WriteCount(ar, ieds.GetCount());
    for (POSITION pos = ieds.GetHeadPosition(); pos != nullptr;) {
        const _IED_DEVICE& ied = *ieds.GetNext(pos);
        ar << ied.vendor << ied.label << ied.IPaddr << ied.IPMask << ied.Gateway << ied.comment << ied.name;
        ar << ied.MSScanDelay << ied.APTitle << ied.AEQualifier << ied.pSel << ied.sSel << ied.tSel << ied.MMSping;
        WriteEmptyTexts(ar, kIedIgnoredTexts);
        WriteCount(ar, ied.devNum);
        ar << ied.CIDFile;
        WriteIedRows(ar, ied.ConfiguredCache);
        WriteCount(ar, static_cast<INT_PTR>(ied.ReportsPath.size()));
        for (const auto& [path, entry] : ied.ReportsPath) {
            ar << path;
            WriteReportEntry(ar, entry);
        }
    }
}

// Twelve texts a row: six entries, the type ("MMS" for a six-entry row), two more entries, three empty.
void CProjectArchiveWriter::WriteIedRows(CArchive& ar, const ConfiguredRows& rows)
{
    WriteCount(ar, static_cast<INT_PTR>(rows.size()));
    for (const ConfiguredRow& row : rows) {
        for (size_t i = 0; i < kIedRowLeadingColumns; ++i)
            ar << Column(row, i);
        ar << (row.size() > kColTagType ? row[kColTagType] : CString(kPlainRowType));
        ar << Column(row, kColCtlModel) << Column(row, kColDAName);
        WriteEmptyTexts(ar, kIedRowTrailingTexts);
    }
}

void CProjectArchiveWriter::WriteReportEntry(CArchive& ar, const ReportPathEntry& e)
{
    ar << e.tagName << e.dataType << e.domName << e.isReport << e.isGOOSE << e.iIndex << e.iCount;
    WriteCount(ar, static_cast<INT_PTR>(e.dataItems.size()));
    for (const _DATA_ITEM& item : e.dataItems)
        ar << item.FC << item.dataType << item.domName << item.mmsDataPath << item.DAName;
    ar << e.isBuffered;
    ar << e.tagUName << e.appID << e.groupOffset << e.bufOvfl << e.cfgRef << e.entryID;
    ar << e.iIntPd << e.isDchg << e.isQchg << e.isDupd << e.isPeriod << e.isGI;
    ar << e.reasonCode << e.seqNum << e.timeStamp << e.segmentation << e.dataRef << e.dataSet;
    ar << e.reportDomain << e.reportDataPath << e.reportID << e.reportInterval << e.reportConfRev;
    ar << e.gooseDataSet << e.gooseGCRef << e.gooseDataSetRef << e.gooseReportDomain;
    WriteEmptyTexts(ar, kReportEntryUnnamedTexts);
    ar << e.gooseDataItemDomain << e.gooseReportConfRev << e.gooseMulticastMacAddr;
}

void CProjectArchiveWriter::WritePlcs(CArchive& ar)
{
    const RecordList<CPLC_Device>& plcs = m_content.project.plcDevices;
    WriteCount(ar, plcs.GetCount());
    for (POSITION pos = plcs.GetHeadPosition(); pos != nullptr;) {
        const CPLC_Device& plc = *plcs.GetNext(pos);
        ar << plc.name << plc.IPAddr << plc.IPMask << plc.Gateway << plc.comment;
        ar << plc.CmdDelay << plc.Resp << plc.Rty << plc.ErrDelay;
        WriteEmptyTexts(ar, 1);
        WriteCount(ar, plc.devNum);
        ar << plc.node << plc.RStartReg << plc.WStartReg << plc.devType;
        WriteCount(ar, static_cast<INT_PTR>(plc.configuredRows.size()));
        for (const ConfiguredRow& row : plc.configuredRows)
            for (size_t i = 0; i < kPlcRowColumns; ++i)
                ar << Column(row, i);
        WriteCount(ar, plc.NOESlotNum);
        WriteCount(ar, plc.NOESel);
    }
}

// Keys are written as "domain|path" (the domain alone for a key read from a project XML file).
void CProjectArchiveWriter::WriteCtlModels(CArchive& ar)
{
    WriteCount(ar, static_cast<INT_PTR>(m_content.ctlModels.size()));
    for (const auto& [key, code] : m_content.ctlModels) {
        ar << CtlModelKeyText(key);
        WriteCount(ar, code);
    }
}

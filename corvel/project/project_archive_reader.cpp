#include "corvel/project/project_archive.h"

#include "corvel/model/decimal.h"
#include "corvel/model/product.h"
#include "corvel/project/path_utils.h"
#include "corvel/project/project_xml.h"

#include <climits>
#include <cstdlib>
#include <memory>

namespace {

using namespace Corvel::Records;

// Texts of the layout that the reader skips.
constexpr int kFolderTexts = 7;
constexpr int kIedIgnoredTexts = 6;
constexpr int kPlcIgnoredTexts = 1;
constexpr int kReportEntryUnnamedTexts = 2;
// Texts of one row and the entries a row keeps.
constexpr int kIedRowTexts = 12;
constexpr int kIedRowTrailingTexts = 3;
constexpr size_t kIedRowLeadingColumns = 6;
constexpr int kPlcRowTexts = 8;
constexpr int kDataItemTexts = 5;
constexpr int kFcdaTexts = 6;
constexpr int kSclFileTexts = 3;
constexpr int kTagMapTexts = 4;

// The fewest bytes a record can take (every text empty: one length byte each).
constexpr ULONGLONG kTextMinBytes = 1;
constexpr ULONGLONG kIntBytes = 4;
constexpr ULONGLONG kFlagBytes = 1;
constexpr ULONGLONG kConnectionTagMinBytes = 5 * kIntBytes + 4 * kTextMinBytes + kFlagBytes;
constexpr ULONGLONG kIedRecordMinBytes = 24 * kTextMinBytes;
constexpr ULONGLONG kPlcRecordMinBytes = 17 * kTextMinBytes + kIntBytes;
constexpr ULONGLONG kCtlModelMinBytes = 2 * kTextMinBytes;

const char kCommandRowType[] = "Command";
// What the writer puts in place of the type of a six-entry row.
const char kPlainRowType[] = "MMS";
// The status registers of a file written before they were stored.
const char kDefaultStatusStart[] = "65531";
const char kDefaultRebootRegister[] = "65535";

// Bytes of a reports-path entry with its key and every text empty.
ULONGLONG ReportEntryMinBytes(int version)
{
    ULONGLONG bytes = 30 * kTextMinBytes + 8 * kFlagBytes + 3 * kIntBytes;
    if (version >= kArchiveVersionStatusRegisters)
        bytes += kTextMinBytes;
    if (version < kArchiveVersionFcdas)
        bytes -= 3 * kTextMinBytes;
    return bytes;
}

// A key text: "domain|path", or a domain alone.
CtlModelKey SplitCtlModelKey(const CString& text)
{
    const int bar = text.Find('|');
    if (bar < 0)
        return CtlModelKey(text, CString());
    return CtlModelKey(text.Left(bar), text.Mid(bar + 1));
}

} // namespace

// Reads values from the archive and knows where it is, for the error message.
class CProjectArchiveReader::CCursor {
public:
    explicit CCursor(CArchive& ar) : m_ar(ar), m_length(ar.GetBytesRemaining()) {}

    // A text; one holding a character that XML cannot carry (a control character other than tab and line
    // ends) is refused: the project's XML copy and the module configuration could not hold it.
    CString Text()
    {
        CString text;
        m_ar >> text;
        const int bad = Korvane::Formats::FindCharacterXmlCannotCarry(text);
        if (bad >= 0) {
            m_reason.Format("a text holds the character 0x%02X, which XML cannot carry",
                            static_cast<unsigned char>(text[bad]));
            AfxThrowArchiveException(CArchiveException::badIndex, m_ar.m_strFileName);
        }
        return text;
    }
    void SkipTexts(int count)
    {
        for (int i = 0; i < count; ++i)
            Text();
    }
    int Int()
    {
        int value = 0;
        m_ar >> value;
        return value;
    }
    bool Flag()
    {
        bool value = false;
        m_ar >> value;
        return value;
    }
    // A Count: a decimal number held in a text.
    int Count() { return ReadDecimal(Text()); }
    // A Count of records that take at least minBytes each; refused when the
    // bytes left cannot hold them. A negative count means no records.
    int RecordCount(ULONGLONG minBytes) { return CheckedCount(Count(), minBytes); }
    // The same for a count read before.
    int CheckedCount(int count, ULONGLONG minBytes)
    {
        if (count <= 0)
            return 0;
        if (static_cast<ULONGLONG>(count) > m_ar.GetBytesRemaining() / minBytes) {
            m_reason.Format("the count %d is larger than the rest of the file can hold", count);
            AfxThrowArchiveException(CArchiveException::badIndex, m_ar.m_strFileName);
        }
        return count;
    }

    // What is being read, for the message: "the IED map, record 3".
    void At(LPCSTR block, int record = 0)
    {
        m_block = block;
        m_record = record;
    }
    CString Where() const
    {
        CString where = m_block;
        if (m_record > 0)
            where.AppendFormat(", record %d", m_record);
        return where;
    }
    // The byte offset reached.
    ULONGLONG Offset() const
    {
        const ULONGLONG remaining = m_ar.GetBytesRemaining();
        return remaining < m_length ? m_length - remaining : 0;
    }
    const CString& Reason() const { return m_reason; }
    // Ends the read with reason.
    [[noreturn]] void Refuse(const CString& reason)
    {
        m_reason = reason;
        AfxThrowArchiveException(CArchiveException::badIndex, m_ar.m_strFileName);
    }

private:
    CArchive& m_ar;
    ULONGLONG m_length;
    CString m_block = "the version";
    int m_record = 0;
    CString m_reason;
};

CProjectArchiveReader::CProjectArchiveReader(const ProjectArchiveContent& content, Options options)
    : m_content(content), m_options(std::move(options))
{
}

bool CProjectArchiveReader::ReadBytes(const std::string& bytes, const CString& name)
{
    // A fixed-size memory file over the caller's bytes; the reader only reads them.
    CMemFile file(reinterpret_cast<BYTE*>(const_cast<char*>(bytes.data())), static_cast<UINT>(bytes.size()));
    file.SetFilePath(name);
    CArchive ar(&file, CArchive::load);
    const bool read = Read(ar);
    ar.Abort();
    return read;
}

bool CProjectArchiveReader::Read(CArchive& ar)
{
    m_error.Empty();
    m_warnings.clear();
    m_version = 0;
    std::unique_ptr<CCursor> in;
    try {
        in = std::make_unique<CCursor>(ar);
        const CString version = in->Text();
        m_version = ReadDecimal(version);
        // Another version has another layout: read as this one's, its texts would land in the wrong fields.
        if (m_version < kArchiveVersionOldest || m_version > kArchiveVersion || version.SpanIncluding("0123456789") != version)
            in->Refuse("the file version \"" + version + "\" is not one this program reads");
        ReadSettings(*in);
        ReadConnectionTags(*in);
        if (m_version >= kArchiveVersionFcdas)
            ReadFcdas(*in);
        in->At("the project settings");
        m_content.project.reservedWord1 = in->Count();
        m_content.project.reservedWord2 = in->Count();
        ReadSclFiles(*in);
        ReadTagMap(*in);
        ReadIedMap(*in);
        ReadPlcs(*in);
        ReadCtlModels(*in);
        return true;
    } catch (CException* e) {
        CString reason;
        auto* archive = dynamic_cast<CArchiveException*>(e);
        if (in != nullptr && !in->Reason().IsEmpty())
            reason = in->Reason();
        else if (archive != nullptr && archive->m_cause == CArchiveException::endOfFile)
            reason = "the file ends early";
        else
            reason = e->GetErrorMessage();
        e->Delete();
        CString offset;
        if (in != nullptr)
            offset.Format(" at byte %llu (%s)", in->Offset(), (LPCSTR)in->Where());
        m_error.Format("Error: The project file \"%s\" could not be read: %s%s.", (LPCSTR)ar.m_strFileName,
                       (LPCSTR)reason, (LPCSTR)offset);
        return false;
    }
}

void CProjectArchiveReader::ReadSettings(CCursor& in)
{
    _PROJECT& p = m_content.project;
    in.At("the project settings");
    p.prjName = in.Text();
    p.filePath = in.Text();
    if (m_options.openKind == kOpenKindConfigurationImport)
        p.filePath = m_options.projectFolder + "\\" + p.prjName + ".prj";
    p.eth0IPaddr = in.Text();
    p.eth0IPmask = in.Text();
    p.eth0Gateway = in.Text();
    p.eth1IPaddr = in.Text();
    p.eth1IPmask = in.Text();
    p.eth1Gateway = in.Text();
    p.autoRestart = in.Flag();
    p.numPorts = in.Int();
    p.port61850 = in.Int();
    p.portPLC = in.Int();
    p.comment = in.Text();
    CString* texts[] = {&p.NTPaddr, &p.NTPupdate, &p.startRead, &p.startWrite, &p.connTimeout, &p.NoMTCPsrvr,
                        &p.NoMBAPsrvr};
    for (CString* text : texts)
        *text = in.Text();
    if (m_version >= kArchiveVersionStatusRegisters) {
        p.VQNstatusStart = in.Text();
        p.rebootRegister = in.Text();
    } else {
        p.VQNstatusStart = kDefaultStatusStart;
        p.rebootRegister = kDefaultRebootRegister;
    }
    in.SkipTexts(kFolderTexts);
}

// The unique names are not in the file: they are derived as the project XML writer derives them.
void CProjectArchiveReader::ReadConnectionTags(CCursor& in)
{
    in.At("the connection tag counts");
    const int counts[] = {in.Count(), in.Count(), in.Count()};
    CVQNTagsList* lists[] = {&m_content.tagsINP, &m_content.tagsOUT, &m_content.tagsMSG};
    LPCSTR names[] = {"the input tags", "the output tags", "the message tags"};
    for (CVQNTagsList* list : lists)
        list->RemoveAll();
    for (int l = 0; l < 3; ++l) {
        in.At(names[l]);
        const int count = in.CheckedCount(counts[l], kConnectionTagMinBytes);
        for (int i = 0; i < count; ++i) {
            in.At(names[l], i + 1);
            _TAGS tag;
            tag.SeqNum = in.Int();
            tag.Conn = in.Int();
            tag.IOType = in.Int();
            tag.StartAddr = in.Int();
            tag.tagType = in.Int();
            tag.tagName = in.Text();
            tag.tagPath = in.Text();
            tag.dataType = in.Text();
            tag.Access = in.Text();
            tag.Assigned = in.Flag();
            FillTagUName(*lists[l]->AddTag(tag));
        }
    }
}

void CProjectArchiveReader::ReadFcdas(CCursor& in)
{
    in.At("the data-set members");
    RecordList<_CFCDA>& fcdas = m_content.project.fcdas;
    DeleteRecords(fcdas);
    const int count = in.RecordCount(kFcdaTexts * kTextMinBytes);
    for (int i = 0; i < count; ++i) {
        in.At("the data-set members", i + 1);
        auto fcda = std::make_unique<_CFCDA>();
        fcda->tagName = in.Text();
        fcda->tagPath = in.Text();
        fcda->FCDAPath = in.Text();
        fcda->dataSet = in.Text();
        fcda->domName = in.Text();
        fcda->cidFile = in.Text();
        FillTagUName(*fcda);
        fcdas.AddTail(fcda.get());
        fcda.release();
    }
}

void CProjectArchiveReader::ReadSclFiles(CCursor& in)
{
    in.At("the SCL files");
    const int count = in.RecordCount(kSclFileTexts * kTextMinBytes);
    for (int i = 0; i < count; ++i) {
        in.At("the SCL files", i + 1);
        auto file = std::make_unique<_ICD_FILES>();
        file->fileName = in.Text();
        file->filePath = in.Text();
        file->checksum = in.Text();
        // A configuration's SCL files are restored into the project folder's SCL folder.
        const int kind = m_options.openKind;
        if (kind == kOpenKindConfigurationByType || kind == kOpenKindConfigurationImport || kind == kOpenKindUpload)
            file->filePath = m_options.projectFolder + "\\" + kSclFilesFolderName + "\\" + file->fileName;
        if (m_options.sclFilesInProjectFolder)
            file->filePath = m_options.sclFolder + "\\" + GetFileNameOfPath(file->filePath);
        m_content.project.sclFiles.AddTail(file.get());
        file.release();
    }
}

void CProjectArchiveReader::ReadTagMap(CCursor& in)
{
    in.At("the tag map");
    RecordList<_TAGSMAP>& rows = m_content.project.tagMaps;
    const int count = in.RecordCount(kTagMapTexts * kTextMinBytes);
    if (count > 0)
        DeleteRecords(rows);
    for (int i = 0; i < count; ++i) {
        in.At("the tag map", i + 1);
        auto row = std::make_unique<_TAGSMAP>();
        row->tagPath = in.Text();
        row->tagName = in.Text();
        row->dataType = in.Text();
        row->direction = in.Text();
        FillTagUName(*row);
        rows.AddTail(row.get());
        row.release();
    }
}

template <class Record>
void CProjectArchiveReader::ReadDeviceRecords(CCursor& in, const DeviceBlock<Record>& block)
{
    in.At(block.name);
    RecordList<Record>& records = block.records;
    const int count = in.RecordCount(block.minBytes);
    POSITION slot = records.GetHeadPosition();
    int dropped = 0;
    for (int i = 0; i < count; ++i) {
        in.At(block.name, i + 1);
        if (slot != nullptr) {
            (this->*block.read)(in, *records.GetNext(slot));
        } else {
            // A file made with more records than this project has: read past the rest.
            Record record;
            (this->*block.read)(in, record);
            if (record.state == kSlotInUse)
                ++dropped;
        }
    }
    if (dropped > 0)
        m_warnings.push_back(DevicesBeyondSlotsWarning(block.devices, block.device,
                                                       static_cast<int>(records.GetCount()), dropped));
}

void CProjectArchiveReader::ReadIedMap(CCursor& in)
{
    ReadDeviceRecords<_IED_DEVICE>(in, {"the IED map", kIedRecordMinBytes, m_content.project.iedDevices,
                                        &CProjectArchiveReader::ReadIedRecord, "IEDs", "IED"});
}

void CProjectArchiveReader::ReadIedRecord(CCursor& in, _IED_DEVICE& ied)
{
    CString* texts[] = {&ied.vendor,      &ied.label,   &ied.IPaddr,  &ied.IPMask, &ied.Gateway,
                        &ied.comment,     &ied.name,    &ied.MSScanDelay, &ied.APTitle, &ied.AEQualifier,
                        &ied.pSel,        &ied.sSel,    &ied.tSel,    &ied.MMSping};
    for (CString* text : texts)
        *text = in.Text();
    in.SkipTexts(kIedIgnoredTexts);
    ied.devNum = in.Count();
    ied.CIDFile = in.Text();
    if (m_options.sclFilesInProjectFolder && !ied.CIDFile.IsEmpty())
        ied.CIDFile = m_options.sclFolder + "\\" + GetFileNameOfPath(ied.CIDFile);
    ReadIedRows(in, ied.ConfiguredCache);

    ied.ReportsPath.clear();
    const int entries = in.RecordCount(ReportEntryMinBytes(m_version));
    for (int i = 0; i < entries; ++i) {
        const CString key = in.Text();
        ReportPathEntry entry;
        ReadReportEntry(in, entry);
        ied.ReportsPath[key] = std::move(entry);
    }
    ied.state = ied.name.IsEmpty() ? kSlotFree : kSlotInUse;
    if (ied.state == kSlotInUse)
        CheckIedFile(ied);
}

// A row keeps its six entries, then its type unless it is the "MMS" a six-entry
// row is written with, and for a command also the control model and DAName.
void CProjectArchiveReader::ReadIedRows(CCursor& in, ConfiguredRows& rows)
{
    rows.clear();
    const int count = in.RecordCount(kIedRowTexts * kTextMinBytes);
    for (int i = 0; i < count; ++i) {
        ConfiguredRow row;
        for (size_t c = 0; c < kIedRowLeadingColumns; ++c)
            row.push_back(in.Text());
        const CString type = in.Text();
        const CString ctlModel = in.Text();
        const CString daName = in.Text();
        in.SkipTexts(kIedRowTrailingTexts);
        if (type != kPlainRowType)
            row.push_back(type);
        if (type == kCommandRowType) {
            row.push_back(ctlModel);
            row.push_back(daName);
        }
        rows.push_back(std::move(row));
    }
}

void CProjectArchiveReader::ReadReportEntry(CCursor& in, ReportPathEntry& e)
{
    e.tagName = in.Text();
    e.dataType = in.Text();
    e.domName = in.Text();
    e.isReport = in.Flag();
    e.isGOOSE = in.Flag();
    e.iIndex = in.Int();
    e.iCount = in.Int();
    if (m_version >= kArchiveVersionStatusRegisters) {
        const int items = in.RecordCount(kDataItemTexts * kTextMinBytes);
        for (int i = 0; i < items; ++i) {
            _DATA_ITEM item;
            item.FC = in.Text();
            item.dataType = in.Text();
            item.domName = in.Text();
            item.mmsDataPath = in.Text();
            item.DAName = in.Text();
            e.dataItems.push_back(item);
        }
    }
    e.isBuffered = in.Flag();
    CString* middle[] = {&e.tagUName, &e.appID, &e.groupOffset, &e.bufOvfl, &e.cfgRef, &e.entryID};
    for (CString* text : middle)
        *text = in.Text();
    e.iIntPd = in.Int();
    bool* flags[] = {&e.isDchg, &e.isQchg, &e.isDupd, &e.isPeriod, &e.isGI};
    for (bool* flag : flags)
        *flag = in.Flag();
    CString* groups[] = {&e.reasonCode,   &e.seqNum,         &e.timeStamp,  &e.segmentation,   &e.dataRef,
                         &e.dataSet,      &e.reportDomain,   &e.reportDataPath, &e.reportID,   &e.reportInterval,
                         &e.reportConfRev, &e.gooseDataSet,  &e.gooseGCRef, &e.gooseDataSetRef, &e.gooseReportDomain};
    for (CString* text : groups)
        *text = in.Text();
    in.SkipTexts(kReportEntryUnnamedTexts);
    if (m_version >= kArchiveVersionFcdas) {
        e.gooseDataItemDomain = in.Text();
        e.gooseReportConfRev = in.Text();
        e.gooseMulticastMacAddr = in.Text();
    }
}

void CProjectArchiveReader::ReadPlcs(CCursor& in)
{
    ReadDeviceRecords<CPLC_Device>(in, {"the PLCs", kPlcRecordMinBytes, m_content.project.plcDevices,
                                        &CProjectArchiveReader::ReadPlcRecord, "PLC devices", "PLC device"});
}

void CProjectArchiveReader::ReadPlcRecord(CCursor& in, CPLC_Device& plc)
{
    CString* texts[] = {&plc.name,     &plc.IPAddr, &plc.IPMask, &plc.Gateway, &plc.comment,
                        &plc.CmdDelay, &plc.Resp,   &plc.Rty,    &plc.ErrDelay};
    for (CString* text : texts)
        *text = in.Text();
    in.SkipTexts(kPlcIgnoredTexts);
    plc.devNum = in.Count();
    plc.node = in.Text();
    plc.RStartReg = in.Text();
    plc.WStartReg = in.Text();
    plc.devType = in.Int();
    plc.configuredRows.clear();
    const int rows = in.RecordCount(kPlcRowTexts * kTextMinBytes);
    for (int i = 0; i < rows; ++i) {
        ConfiguredRow row;
        for (int c = 0; c < kPlcRowTexts; ++c)
            row.push_back(in.Text());
        plc.configuredRows.push_back(std::move(row));
    }
    plc.NOESlotNum = in.Count();
    plc.NOESel = in.Count();
    plc.state = plc.name.IsEmpty() ? kSlotFree : kSlotInUse;
}

void CProjectArchiveReader::ReadCtlModels(CCursor& in)
{
    in.At("the control models");
    const int count = in.RecordCount(kCtlModelMinBytes);
    for (int i = 0; i < count; ++i) {
        in.At("the control models", i + 1);
        const CString name = in.Text();
        const int code = in.Count();
        if (code > 0)
            m_content.ctlModels[SplitCtlModelKey(name)] = code;
    }
}

void CProjectArchiveReader::CheckIedFile(_IED_DEVICE& ied) const
{
    if (!m_options.iedNameOfFile || m_options.iedNameOfFile(ied.CIDFile) == ied.label)
        return;
    const RecordList<_ICD_FILES>& files = m_content.project.sclFiles;
    for (POSITION pos = files.GetHeadPosition(); pos != nullptr;) {
        const _ICD_FILES& file = *files.GetNext(pos);
        if (m_options.iedNameOfFile(file.filePath) == ied.label) {
            ied.CIDFile = file.filePath;
            return;
        }
    }
}

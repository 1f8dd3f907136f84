#include "tools/projdump/project_dump.h"

#include <cstdio>

namespace {

using namespace Corvel::Records;

class CDumpText {
public:
    explicit CDumpText(std::string& out) : m_out(out) {}

    // One line at depth: the words as they are.
    void Line(int depth, const std::string& words) { m_out.append(static_cast<size_t>(depth) * 2, ' ') += words + "\n"; }

    static std::string Quote(const CString& text)
    {
        std::string quoted = "\"";
        for (int i = 0; i < text.GetLength(); ++i) {
            const unsigned char c = static_cast<unsigned char>(text[i]);
            if (c == '"' || c == '\\') {
                quoted += '\\';
                quoted += static_cast<char>(c);
            } else if (c < 0x20 || c >= 0x7F) {
                char escape[8];
                snprintf(escape, sizeof escape, "\\x%02X", c);
                quoted += escape;
            } else {
                quoted += static_cast<char>(c);
            }
        }
        return quoted + "\"";
    }

    void Text(int depth, const char* name, const CString& value) { Line(depth, std::string(name) + " " + Quote(value)); }
    void Number(int depth, const char* name, long long value) { Line(depth, std::string(name) + " " + std::to_string(value)); }
    void Flag(int depth, const char* name, bool value) { Line(depth, std::string(name) + (value ? " true" : " false")); }

    void Row(int depth, const char* name, size_t index, const std::vector<CString>& texts)
    {
        std::string line = std::string(name) + " " + std::to_string(index);
        for (const CString& text : texts)
            line += " " + Quote(text);
        Line(depth, line);
    }

    void Rows(int depth, const char* name, const ConfiguredRows& rows)
    {
        Number(depth, name, static_cast<long long>(rows.size()));
        for (size_t i = 0; i < rows.size(); ++i)
            Row(depth + 1, "row", i + 1, rows[i]);
    }

private:
    std::string& m_out;
};

void DumpSettings(CDumpText& d, const _PROJECT& p)
{
    d.Line(0, "project");
    d.Text(1, "prjName", p.prjName);
    d.Text(1, "comment", p.comment);
    d.Number(1, "numPorts", p.numPorts);
    d.Number(1, "port61850", p.port61850);
    d.Number(1, "portPLC", p.portPLC);
    d.Flag(1, "autoRestart", p.autoRestart);
    const struct {
        const char* name;
        const CString& value;
    } texts[] = {{"eth0IPaddr", p.eth0IPaddr},       {"eth0IPmask", p.eth0IPmask},
                 {"eth0Gateway", p.eth0Gateway},     {"eth1IPaddr", p.eth1IPaddr},
                 {"eth1IPmask", p.eth1IPmask},       {"eth1Gateway", p.eth1Gateway},
                 {"NTPaddr", p.NTPaddr},             {"NTPupdate", p.NTPupdate},
                 {"startRead", p.startRead},         {"startWrite", p.startWrite},
                 {"connTimeout", p.connTimeout},     {"NoMTCPsrvr", p.NoMTCPsrvr},
                 {"NoMBAPsrvr", p.NoMBAPsrvr},       {"VQNstatusStart", p.VQNstatusStart},
                 {"rebootRegister", p.rebootRegister}};
    for (const auto& t : texts)
        d.Text(1, t.name, t.value);
}

void DumpReportEntry(CDumpText& d, const CString& path, const ReportPathEntry& e)
{
    d.Text(3, "entry", path);
    const struct {
        const char* name;
        const CString& value;
    } texts[] = {{"tagName", e.tagName},
                 {"dataType", e.dataType},
                 {"domName", e.domName},
                 {"tagUName", e.tagUName},
                 {"appID", e.appID},
                 {"groupOffset", e.groupOffset},
                 {"bufOvfl", e.bufOvfl},
                 {"cfgRef", e.cfgRef},
                 {"entryID", e.entryID},
                 {"reasonCode", e.reasonCode},
                 {"seqNum", e.seqNum},
                 {"timeStamp", e.timeStamp},
                 {"segmentation", e.segmentation},
                 {"dataRef", e.dataRef},
                 {"dataSet", e.dataSet},
                 {"reportDomain", e.reportDomain},
                 {"reportDataPath", e.reportDataPath},
                 {"reportID", e.reportID},
                 {"reportInterval", e.reportInterval},
                 {"reportConfRev", e.reportConfRev},
                 {"gooseDataSet", e.gooseDataSet},
                 {"gooseGCRef", e.gooseGCRef},
                 {"gooseDataSetRef", e.gooseDataSetRef},
                 {"gooseReportDomain", e.gooseReportDomain},
                 {"gooseDataItemDomain", e.gooseDataItemDomain},
                 {"gooseReportConfRev", e.gooseReportConfRev},
                 {"gooseMulticastMacAddr", e.gooseMulticastMacAddr}};
    for (const auto& t : texts)
        d.Text(4, t.name, t.value);
    const struct {
        const char* name;
        bool value;
    } flags[] = {{"isReport", e.isReport}, {"isGOOSE", e.isGOOSE}, {"isBuffered", e.isBuffered},
                 {"isDchg", e.isDchg},     {"isQchg", e.isQchg},   {"isDupd", e.isDupd},
                 {"isPeriod", e.isPeriod}, {"isGI", e.isGI}};
    for (const auto& f : flags)
        d.Flag(4, f.name, f.value);
    d.Number(4, "iIndex", e.iIndex);
    d.Number(4, "iCount", e.iCount);
    d.Number(4, "iIntPd", e.iIntPd);
    d.Number(4, "dataItems", static_cast<long long>(e.dataItems.size()));
    for (size_t i = 0; i < e.dataItems.size(); ++i) {
        const _DATA_ITEM& item = e.dataItems[i];
        d.Row(5, "item", i + 1, {item.FC, item.dataType, item.domName, item.mmsDataPath, item.DAName, item.extra});
    }
}

void DumpIeds(CDumpText& d, const RecordList<_IED_DEVICE>& ieds)
{
    d.Number(0, "ieds", ieds.GetCount());
    int index = 0;
    for (POSITION pos = ieds.GetHeadPosition(); pos != nullptr;) {
        const _IED_DEVICE& ied = *ieds.GetNext(pos);
        d.Number(1, "ied", ++index);
        d.Number(2, "state", ied.state);
        d.Number(2, "devNum", ied.devNum);
        const struct {
            const char* name;
            const CString& value;
        } texts[] = {{"name", ied.name},       {"vendor", ied.vendor},
                     {"CIDFile", ied.CIDFile}, {"IPaddr", ied.IPaddr},
                     {"IPMask", ied.IPMask},   {"Gateway", ied.Gateway},
                     {"label", ied.label},     {"comment", ied.comment},
                     {"MSScanDelay", ied.MSScanDelay}, {"MMSping", ied.MMSping},
                     {"APTitle", ied.APTitle}, {"AEQualifier", ied.AEQualifier},
                     {"pSel", ied.pSel},       {"sSel", ied.sSel},
                     {"tSel", ied.tSel}};
        for (const auto& t : texts)
            d.Text(2, t.name, t.value);
        d.Rows(2, "ConfiguredCache", ied.ConfiguredCache);
        d.Number(2, "ReportsPath", static_cast<long long>(ied.ReportsPath.size()));
        for (const auto& [path, entry] : ied.ReportsPath)
            DumpReportEntry(d, path, entry);
    }
}

void DumpPlcs(CDumpText& d, const RecordList<CPLC_Device>& plcs)
{
    d.Number(0, "plcs", plcs.GetCount());
    int index = 0;
    for (POSITION pos = plcs.GetHeadPosition(); pos != nullptr;) {
        const CPLC_Device& plc = *plcs.GetNext(pos);
        d.Number(1, "plc", ++index);
        d.Number(2, "state", plc.state);
        d.Number(2, "devNum", plc.devNum);
        d.Number(2, "devType", plc.devType);
        d.Number(2, "NOESel", plc.NOESel);
        d.Number(2, "NOESlotNum", plc.NOESlotNum);
        const struct {
            const char* name;
            const CString& value;
        } texts[] = {{"node", plc.node},         {"IPAddr", plc.IPAddr},       {"IPMask", plc.IPMask},
                     {"Gateway", plc.Gateway},   {"name", plc.name},           {"comment", plc.comment},
                     {"CmdDelay", plc.CmdDelay}, {"Resp", plc.Resp},           {"Rty", plc.Rty},
                     {"ErrDelay", plc.ErrDelay}, {"RStartReg", plc.RStartReg}, {"WStartReg", plc.WStartReg}};
        for (const auto& t : texts)
            d.Text(2, t.name, t.value);
        d.Rows(2, "configuredRows", plc.configuredRows);
        d.Rows(2, "secondRows", plc.secondRows);
    }
}

void DumpTag(CDumpText& d, int depth, const _TAGS& tag)
{
    d.Number(depth, "SeqNum", tag.SeqNum);
    d.Number(depth, "Conn", tag.Conn);
    d.Number(depth, "IOType", tag.IOType);
    d.Number(depth, "StartAddr", tag.StartAddr);
    d.Number(depth, "tagType", tag.tagType);
    d.Flag(depth, "Assigned", tag.Assigned);
    d.Text(depth, "tagName", tag.tagName);
    d.Text(depth, "tagUName", tag.tagUName);
    d.Text(depth, "tagPath", tag.tagPath);
    d.Text(depth, "dataType", tag.dataType);
    d.Text(depth, "Access", tag.Access);
    d.Text(depth, "tagFCDA", tag.tagFCDA);
}

void DumpConnectionList(CDumpText& d, const char* name, const CVQNTagsList& list)
{
    d.Number(0, name, list.GetCount());
    std::string sizes = "usedSizes";
    for (int conn = 0; conn < kConnectionCount; ++conn)
        sizes += " " + std::to_string(list.GetUsedSize(conn));
    d.Line(1, sizes);
    for (INT_PTR i = 0; i < list.GetCount(); ++i) {
        d.Number(1, "tag", i + 1);
        DumpTag(d, 2, *list.GetAt(i));
    }
}

} // namespace

std::string DumpProject(const CProjectState& doc)
{
    std::string out;
    CDumpText d(out);
    d.Line(0, "projdump 2");
    const _PROJECT& p = doc.project;
    DumpSettings(d, p);
    DumpIeds(d, p.iedDevices);
    DumpPlcs(d, p.plcDevices);

    d.Number(0, "sclFiles", p.sclFiles.GetCount());
    int index = 0;
    for (POSITION pos = p.sclFiles.GetHeadPosition(); pos != nullptr;) {
        const _ICD_FILES& file = *p.sclFiles.GetNext(pos);
        d.Row(1, "sclFile", static_cast<size_t>(++index), {file.fileName, file.filePath, file.checksum});
    }

    d.Number(0, "tags", p.tags.GetCount());
    index = 0;
    for (POSITION pos = p.tags.GetHeadPosition(); pos != nullptr;) {
        d.Number(1, "tag", ++index);
        DumpTag(d, 2, *p.tags.GetNext(pos));
    }

    d.Number(0, "tagMaps", p.tagMaps.GetCount());
    index = 0;
    for (POSITION pos = p.tagMaps.GetHeadPosition(); pos != nullptr;) {
        const _TAGSMAP& row = *p.tagMaps.GetNext(pos);
        d.Row(1, "tagMap", static_cast<size_t>(++index),
              {row.tagPath, row.tagName, row.tagUName, row.dataType, row.direction});
    }

    d.Number(0, "fcdas", p.fcdas.GetCount());
    index = 0;
    for (POSITION pos = p.fcdas.GetHeadPosition(); pos != nullptr;) {
        const _CFCDA& f = *p.fcdas.GetNext(pos);
        d.Row(1, "fcda", static_cast<size_t>(++index),
              {f.tagName, f.tagUName, f.tagPath, f.FCDAPath, f.dataSet, f.domName, f.cidFile, f.ldInst, f.prefix,
               f.lnInst, f.lnClass, f.doName, f.daName, f.fc, f.prefixDoInst, f.lnName});
    }

    DumpConnectionList(d, "tagsINP", doc.tagsINP);
    DumpConnectionList(d, "tagsOUT", doc.tagsOUT);
    DumpConnectionList(d, "tagsMSG", doc.tagsMSG);

    long long models = 0;
    for (const auto& entry : doc.ctlModelMap)
        models += entry.second != 0 ? 1 : 0;
    d.Number(0, "ctlModelMap", models);
    for (const auto& [key, code] : doc.ctlModelMap)
        if (code != 0)
            d.Line(1, "entry " + CDumpText::Quote(key.first) + " " + CDumpText::Quote(key.second) + " " +
                          std::to_string(code));
    return out;
}

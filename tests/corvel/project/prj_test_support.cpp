#include "prj_test_support.h"

namespace PrjTest {

void FillGoldenProject(CMainDoc& doc)
{
    using namespace Corvel::Records;
    KeepSlots(doc, 1, 1);
    auto& p = doc.project;
    p.prjName = "Plant";
    p.eth0IPaddr = "10.0.0.2";
    p.eth0IPmask = "255.0.0.0";
    p.eth0Gateway = "10.0.0.1";
    p.eth1IPaddr = "e1";
    p.eth1IPmask = "m1";
    p.eth1Gateway = "g1";
    p.autoRestart = true;
    p.numPorts = 1;
    p.port61850 = 2;
    p.portPLC = 1;
    p.comment = std::string(300, 'c').c_str();
    p.NTPaddr = "n";
    p.NTPupdate = "0";
    p.startRead = "1";
    p.startWrite = "2";
    p.connTimeout = "3";
    p.NoMTCPsrvr = "4";
    p.NoMBAPsrvr = "5";
    p.VQNstatusStart = "6";
    p.rebootRegister = "7";
    doc.sclFolder = "S";
    doc.textA = "T";

    auto tag = [](int seq, int conn, int io, int start, int type, LPCSTR name, LPCSTR path, LPCSTR dataType,
                  LPCSTR access) {
        _TAGS t;
        t.SeqNum = seq;
        t.Conn = conn;
        t.IOType = io;
        t.StartAddr = start;
        t.tagType = type;
        t.tagName = name;
        t.tagPath = path;
        t.dataType = dataType;
        t.Access = access;
        return t;
    };
    doc.tagsINP.AddTag(tag(1, 0, 1, 0, kTagTypeReport, "I", "L/r:X$Y", "INT32", "R"));
    doc.tagsOUT.AddTag(tag(2, 1, 2, 4, kTagTypeMmsWrite, "O", "L/X$O", "BOOLEAN", "W"));
    doc.tagsMSG.AddTag(tag(3, -1, 3, 1, kTagTypeMessage, "M", "L/M", "FLOAT32", "R"));

    _CFCDA* fcda = PrxTest::AddFcda(doc, "F", "U", "P");
    fcda->FCDAPath = "Q";
    fcda->dataSet = "D";
    fcda->domName = "L";
    fcda->cidFile = "a.icd";
    p.sclFiles.AddTail(new _ICD_FILES{"a.icd", "C:\\a.icd", "1234abcd"});
    PrxTest::AddTagMap(doc, "I", "Z", "L/X", "INT32")->direction = "MTCP-->";

    _IED_DEVICE& ied = PrxTest::IedSlot(doc, 0);
    ied.state = kSlotInUse;
    ied.devNum = 1066;
    ied.vendor = "V";
    ied.label = "B";
    ied.IPaddr = "1";
    ied.IPMask = "2";
    ied.Gateway = "3";
    ied.name = "B";
    ied.MSScanDelay = "9";
    ied.APTitle = "ap";
    ied.AEQualifier = "ae";
    ied.pSel = "ps";
    ied.sSel = "ss";
    ied.tSel = "ts";
    ied.MMSping = "5";
    ied.CIDFile = "C:\\a.icd";
    ied.ConfiguredCache = {{"p", "n", "INT32", "R", "d", "L"}};
    ReportPathEntry& e = ied.ReportsPath["L/p"];
    e.tagName = "n";
    e.dataType = "t";
    e.domName = "d";
    e.isReport = true;
    e.iIndex = 2;
    e.iCount = 3;
    e.dataItems = {{"F", "T", "A", "M", "D", ""}};
    e.isBuffered = true;
    e.tagUName = "u";
    e.appID = "a";
    e.groupOffset = "o";
    e.bufOvfl = "b";
    e.cfgRef = "c";
    e.entryID = "e";
    e.iIntPd = 7;
    e.isDchg = e.isDupd = e.isGI = true;
    e.reasonCode = "r";
    e.seqNum = "s";
    e.timeStamp = "T";
    e.segmentation = "g";
    e.dataRef = "R";
    e.dataSet = "S";
    e.reportDomain = "D";
    e.reportDataPath = "P";
    e.reportID = "I";
    e.reportInterval = "V";
    e.reportConfRev = "C";
    e.gooseDataSet = "G";
    e.gooseGCRef = "H";
    e.gooseDataSetRef = "J";
    e.gooseReportDomain = "K";
    e.gooseDataItemDomain = "L";
    e.gooseReportConfRev = "N";
    e.gooseMulticastMacAddr = "M";

    CPLC_Device& plc = PrxTest::FirstPlc(doc);
    plc.devNum = 1067;
    plc.name = "EthernetIP";
    plc.IPAddr = "4";
    plc.IPMask = "5";
    plc.Gateway = "6";
    plc.CmdDelay = "7";
    plc.Resp = "8";
    plc.Rty = "9";
    plc.ErrDelay = "0";
    plc.node = "1";
    plc.RStartReg = "2";
    plc.WStartReg = "3";
    plc.devType = 7;
    plc.configuredRows = {{"a", "b", "c", "d", "e", "f", "g", "h"}};
    plc.NOESlotNum = 1;
    plc.NOESel = 0;

    doc.ctlModelMap[{"L", "X$CO$P"}] = 2;
    doc.ctlModelMap[{"Z", ""}] = 0;
}

} // namespace PrjTest

#include "prx_test_support.h"

namespace PrxTest {

void FillProject(CMainDoc& doc)
{
    using namespace Corvel::Records;
    auto& p = doc.project;
    doc.SetProjectName("Plant \xFC" "bersee");
    doc.SetProjectComment("Bays 1 & 2 <north> \"A\"");
    p.numPorts = 2;
    p.port61850 = 2;
    p.portPLC = 1;
    p.autoRestart = false;
    p.eth0IPaddr = "10.1.0.5";
    p.eth0IPmask = "255.255.0.0";
    p.eth0Gateway = "10.1.0.254";
    p.eth1IPaddr = "172.20.0.5";
    p.eth1IPmask = "255.255.255.192";
    p.eth1Gateway = "172.20.0.1";
    p.NTPaddr = "10.1.0.2";
    p.NTPupdate = "30";
    p.startRead = "21";
    p.startWrite = "3001";
    p.connTimeout = "45";
    p.NoMTCPsrvr = "2";
    p.NoMBAPsrvr = "5";
    p.VQNstatusStart = "64000";
    p.rebootRegister = "64001";

    _IED_DEVICE& ied1 = IedSlot(doc, 0);
    ied1.state = kSlotInUse;
    ied1.devNum = 1070;
    ied1.name = "IED1";
    ied1.vendor = "Vendor A";
    ied1.CIDFile = "C:\\Plant\\SCLFiles\\ied1.cid";
    ied1.IPaddr = "10.1.1.1";
    ied1.IPMask = "255.255.254.0";
    ied1.Gateway = "10.1.1.254";
    ied1.label = "IED1";
    ied1.comment = "feeder 1";
    ied1.MSScanDelay = "250";
    ied1.MMSping = "5";
    ied1.APTitle = "1,3,9999,33";
    ied1.AEQualifier = "33";
    ied1.pSel = "00000001";
    ied1.sSel = "0001";
    ied1.tSel = "0001";
    ied1.ConfiguredCache = {
        {"MMXU1$MX$TotW$mag$f", "IED1_MMXU1_TotW", "FLOAT32", "R", "power", "IED1LD0", "Report"},
        {"CSWI1$CO$Pos$Oper$ctlVal", "IED1_CSWI1_Pos", "BOOLEAN", "W", "breaker", "IED1LD0", "Command", "3",
         "Oper.ctlVal"},
    };
    ReportPathEntry report;
    report.tagName = "IED1_MMXU1_TotW";
    report.dataType = "FLOAT32";
    report.domName = "IED1LD0";
    report.tagUName = "IED1_MMXU1_MX_TotW_mag_f";
    report.isReport = true;
    report.iIndex = 1;
    report.iCount = 4;
    report.isBuffered = true;
    report.groupOffset = "2";
    report.iIntPd = 1000;
    report.isDchg = report.isPeriod = report.isGI = true;
    report.bufOvfl = "true";
    report.cfgRef = "IED1LD0/LLN0$BR$brcb01";
    report.entryID = "1";
    report.reasonCode = "true";
    report.seqNum = "true";
    report.timeStamp = "true";
    report.segmentation = "false";
    report.dataRef = "true";
    report.dataSet = "Measurements";
    report.reportDomain = "IED1LD0";
    report.reportDataPath = "LLN0$BR$brcb01";
    report.reportID = "brcb01";
    report.reportInterval = "1000";
    report.reportConfRev = "3";
    ied1.ReportsPath["IED1LD0/MMXU1$MX$TotW$mag$f"] = report;
    ReportPathEntry goose;
    goose.tagName = "IED1_GGIO1_Ind1";
    goose.dataType = "BOOLEAN";
    goose.domName = "IED1LD0";
    goose.tagUName = "IED1_GGIO1_ST_Ind1_stVal";
    goose.isReport = goose.isGOOSE = true;
    goose.iIndex = 2;
    goose.iCount = 2;
    goose.appID = "0x3001";
    goose.isDchg = goose.isQchg = true;
    goose.gooseDataSet = "GooseDS";
    goose.gooseGCRef = "IED1LD0/LLN0$GO$gcb01";
    goose.gooseDataSetRef = "IED1LD0/LLN0$GooseDS";
    goose.gooseReportDomain = "IED1LD0";
    goose.gooseDataItemDomain = "IED1LD0";
    goose.gooseReportConfRev = "7";
    goose.gooseMulticastMacAddr = "01-0C-CD-01-00-01";
    goose.dataItems = {{"ST", "BOOLEAN", "stVal", "GGIO1$ST$Ind1$stVal", "IED1LD0", ""},
                       {"ST", "Quality", "q", "GGIO1$ST$Ind1$q", "IED1LD0", ""}};
    ied1.ReportsPath["IED1LD0/GooseStr:GGIO1$ST$Ind1$stVal"] = goose;

    _IED_DEVICE& ied2 = IedSlot(doc, 1);
    ied2.state = kSlotInUse;
    ied2.devNum = 1071;
    ied2.name = "IED2";
    ied2.vendor = "Vendor B";
    ied2.CIDFile = "C:\\Plant\\SCLFiles\\ied2.icd";
    ied2.IPaddr = "10.1.2.1";
    ied2.IPMask = "255.255.255.0";
    ied2.Gateway = "10.1.2.254";
    ied2.label = "IED2";
    ied2.ConfiguredCache = {{"XCBR1$ST$Pos$stVal", "IED2_XCBR1_Pos", "Dbpos", "R", "", "IED2CTRL", "Data"}};

    CPLC_Device& plc = FirstPlc(doc);
    plc.devNum = 1090;
    plc.node = "2";
    plc.IPAddr = "10.1.3.1";
    plc.IPMask = "255.255.255.0";
    plc.Gateway = "10.1.3.254";
    plc.comment = "line PLC";
    plc.CmdDelay = "5";
    plc.Resp = "1500";
    plc.Rty = "2";
    plc.ErrDelay = "300";
    plc.RStartReg = "101";
    plc.WStartReg = "1101";
    plc.devType = 9;
    plc.NOESel = 1;
    plc.NOESlotNum = 3;
    plc.configuredRows = {{"PLC/Run", "PLC_Run", "BOOLEAN", "R", "run", "PLC", "Data", ""}};

    auto* file1 = new _ICD_FILES{"ied1.cid", "C:\\Plant\\SCLFiles\\ied1.cid", ""};
    p.sclFiles.AddTail(file1);
    auto* file2 = new _ICD_FILES{"ied2.icd", "C:\\Plant\\SCLFiles\\ied2.icd", ""};
    p.sclFiles.AddTail(file2);

    _CFCDA* fcda = AddFcda(doc, "IED1_GGIO1_Ind1", "IED1_GGIO1_ST_Ind1_stVal", "IED1LD0/GooseStr:GGIO1$ST$Ind1$stVal");
    fcda->FCDAPath = "IED1LD0/GGIO1.Ind1.stVal[ST]";
    fcda->dataSet = "GooseDS";
    fcda->domName = "IED1LD0";
    fcda->cidFile = "ied1.cid";
    // The directions the paths give: the file keeps none.
    AddTagMap(doc, "IED1_GGIO1_Ind1", "IED1_GGIO1_ST_Ind1_stVal", "IED1LD0/GooseStr:GGIO1$ST$Ind1$stVal", "BOOLEAN")
        ->direction = "MTCP-->";
    AddTagMap(doc, "IED1_MMXU1_TotW", "IED1_MMXU1_MX_TotW_mag_f", "IED1LD0/MMXU1$MX$TotW$mag$f", "FLOAT32")
        ->direction = "MTCP-->";

    doc.tagsINP.AddTag(MakeTag("IED1_GGIO1_Ind1", "IED1_GGIO1_ST_Ind1_stVal", "IED1LD0/GooseStr:GGIO1$ST$Ind1$stVal",
                               kTagTypeGoose, 1, 0, 0))->tagUName = "IED1_GGIO1_ST_Ind1_stVal";
    doc.tagsINP.AddTag(MakeTag("IED1_MMXU1_TotW", "IED1_MMXU1_MX_TotW_mag_f", "IED1LD0/MMXU1$MX$TotW$mag$f",
                               kTagTypeReport, 2, 0, 4))->tagUName = "IED1_MMXU1_MX_TotW_mag_f";
    doc.tagsOUT.AddTag(MakeTag("IED1_CSWI1_Pos", "IED1_CSWI1_CO_Pos", "IED1LD0/CSWI1$CO$Pos$Oper$ctlVal",
                               kTagTypeMmsWrite, 3, 1, 0))->tagUName = "IED1_CSWI1_CO_Pos";
    doc.tagsMSG.AddTag(MakeTag("IED2_XCBR1_Pos", "IED2_XCBR1_ST_Pos", "IED2CTRL/XCBR1$ST$Pos$stVal", kTagTypeMessage,
                               4, -1, 1))->tagUName = "IED2_XCBR1_ST_Pos";

    doc.ctlModelMap[{"IED1LD0_CSWI1_CO_Pos", ""}] = 3;
    doc.ctlModelMap[{"IED1_CSWI1_Pos", ""}] = 3;
    doc.ctlModelMap[{"IED1_MMXU1_TotW", ""}] = 0;
    doc.ctlModelMap[{"IED2_XCBR1_Pos", ""}] = 0;
}

} // namespace PrxTest

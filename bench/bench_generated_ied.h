// The generated IED of the tree and mapping benchmarks: BENCH with 20 logical devices of 100 logical nodes,
// data sets, report and GOOSE blocks.
#pragma once

#include <cstdio>
#include <string>

namespace BenchIed {

constexpr int kLDevices = 20;
constexpr int kNodesPerLDevice = 100;
constexpr int kNodeTypes = 10;
constexpr int kMembersPerDataSet = 20;
constexpr int kReportInstances = 4;

inline std::string GenerateScl()
{
    std::string text = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<SCL xmlns=\"http://www.iec.ch/61850/2003/SCL\">\n"
                       "<Communication><SubNetwork name=\"N1\"><ConnectedAP iedName=\"BENCH\" apName=\"AP1\">\n";
    char line[1024];
    for (int ld = 0; ld < kLDevices; ++ld) {
        snprintf(line, sizeof line,
                 "<GSE ldInst=\"LD%d\" cbName=\"gcb\"><Address><P type=\"MAC-Address\">01-0C-CD-01-00-%02X</P>"
                 "<P type=\"APPID\">%04d</P></Address></GSE>\n",
                 ld, ld, ld);
        text += line;
    }
    text += "</ConnectedAP></SubNetwork></Communication>\n<IED name=\"BENCH\" manufacturer=\"Bench\">"
            "<AccessPoint name=\"AP1\"><Server>\n";
    for (int ld = 0; ld < kLDevices; ++ld) {
        snprintf(line, sizeof line, "<LDevice inst=\"LD%d\" desc=\"Device %d\">\n<LN0 lnClass=\"LLN0\" inst=\"\" "
                                    "lnType=\"LLN0_T\">\n",
                 ld, ld);
        text += line;
        for (int ds = 0; ds < 2; ++ds) {
            snprintf(line, sizeof line, "<DataSet name=\"DS%d_%d\">\n", ld, ds);
            text += line;
            for (int m = 0; m < kMembersPerDataSet; ++m) {
                snprintf(line, sizeof line,
                         "  <FCDA ldInst=\"LD%d\" prefix=\"P\" lnClass=\"GGIO\" lnInst=\"%d\" doName=\"Ind%d\" "
                         "fc=\"%s\"/>\n",
                         ld, m + 1, m % 4, ds == 0 ? "ST" : "MX");
                text += line;
            }
            text += "</DataSet>\n";
        }
        snprintf(line, sizeof line,
                 "<ReportControl name=\"urcb\" datSet=\"DS%d_1\" rptID=\"R%d\" intgPd=\"1000\" confRev=\"1\">"
                 "<TrgOps dchg=\"true\" qchg=\"true\"/><OptFields seqNum=\"true\"/><RptEnabled max=\"%d\"/>"
                 "</ReportControl>\n"
                 "<GSEControl name=\"gcb\" datSet=\"DS%d_0\" appID=\"G%d\" confRev=\"1\"/>\n"
                 "</LN0>\n",
                 ld, ld, kReportInstances, ld, ld);
        text += line;
        for (int ln = 0; ln < kNodesPerLDevice; ++ln) {
            const int type = ln % kNodeTypes;
            snprintf(line, sizeof line,
                     "<LN prefix=\"P\" lnClass=\"GGIO\" inst=\"%d\" lnType=\"GGIO_T%d\" desc=\"Node %d of LD%d\">\n"
                     " <DOI name=\"Mod\"><DAI name=\"stVal\"><Val>on</Val></DAI>"
                     "<DAI name=\"ctlModel\"><Val>status-only</Val></DAI></DOI>\n"
                     " <DOI name=\"Beh\"><DAI name=\"stVal\"><Val>on</Val></DAI></DOI>\n"
                     " <DOI name=\"Pos\" desc=\"Position\"><DAI name=\"d\"><Val>Breaker position %d</Val></DAI>"
                     "<DAI name=\"sboTimeout\"><Val>30000</Val></DAI>"
                     "<DAI name=\"ctlModel\"><Val>sbo-with-enhanced-security</Val></DAI></DOI>\n",
                     ln + 1, type, ln, ld, ln);
            text += line;
            for (int ind = 0; ind < 4; ++ind) {
                snprintf(line, sizeof line,
                         " <DOI name=\"Ind%d\" desc=\"Indication %d\"><DAI name=\"d\"><Val>Input %d of node %d</Val>"
                         "</DAI><DAI name=\"dU\"><Val>Input %d of node %d</Val></DAI>"
                         "<SDI name=\"units\"><DAI name=\"SIUnit\"><Val>A</Val></DAI><DAI name=\"multiplier\">"
                         "<Val>k</Val></DAI></SDI><DAI name=\"db\"><Val>1000</Val></DAI></DOI>\n",
                         ind, ind, ind, ln, ind, ln);
                text += line;
            }
            text += "</LN>\n";
        }
        text += "</LDevice>\n";
    }
    text += "</Server></AccessPoint></IED>\n<DataTypeTemplates>\n"
            "<LNodeType id=\"LLN0_T\" lnClass=\"LLN0\"><DO name=\"Mod\" type=\"ENC_T\"/><DO name=\"Beh\" "
            "type=\"ENS_T\"/></LNodeType>\n";
    for (int t = 0; t < kNodeTypes; ++t) {
        snprintf(line, sizeof line,
                 "<LNodeType id=\"GGIO_T%d\" lnClass=\"GGIO\"><DO name=\"Mod\" type=\"ENC_T\"/>"
                 "<DO name=\"Beh\" type=\"ENS_T\"/><DO name=\"Pos\" type=\"DPC_T\"/><DO name=\"Ind0\" type=\"SPS_T\"/>"
                 "<DO name=\"Ind1\" type=\"SPS_T\"/><DO name=\"Ind2\" type=\"MV_T\"/><DO name=\"Ind3\" type=\"MV_T\"/>"
                 "</LNodeType>\n",
                 t);
        text += line;
    }
    text += "<DOType id=\"ENC_T\"><DA name=\"stVal\" bType=\"Enum\" fc=\"ST\"/><DA name=\"q\" bType=\"Quality\" "
            "fc=\"ST\"/><DA name=\"t\" bType=\"Timestamp\" fc=\"ST\"/><DA name=\"ctlModel\" bType=\"Enum\" "
            "fc=\"CF\"><Val>status-only</Val></DA></DOType>\n"
            "<DOType id=\"ENS_T\"><DA name=\"stVal\" bType=\"Enum\" fc=\"ST\"/><DA name=\"q\" bType=\"Quality\" "
            "fc=\"ST\"/><DA name=\"t\" bType=\"Timestamp\" fc=\"ST\"/></DOType>\n"
            "<DOType id=\"SPS_T\"><DA name=\"stVal\" bType=\"BOOLEAN\" fc=\"ST\"/><DA name=\"q\" bType=\"Quality\" "
            "fc=\"ST\"/><DA name=\"t\" bType=\"Timestamp\" fc=\"ST\"/><DA name=\"d\" bType=\"VisString255\" "
            "fc=\"DC\"/></DOType>\n"
            "<DOType id=\"MV_T\"><DA name=\"mag\" bType=\"Struct\" type=\"AV_T\" fc=\"MX\"/><DA name=\"q\" "
            "bType=\"Quality\" fc=\"MX\"/><DA name=\"t\" bType=\"Timestamp\" fc=\"MX\"/><DA name=\"db\" "
            "bType=\"INT32U\" fc=\"CF\"/></DOType>\n"
            "<DOType id=\"DPC_T\"><DA name=\"Oper\" bType=\"Struct\" type=\"Oper_T\" fc=\"CO\"/><DA name=\"SBOw\" "
            "bType=\"Struct\" type=\"Oper_T\" fc=\"CO\"/><DA name=\"stVal\" bType=\"Dbpos\" fc=\"ST\"/><DA name=\"q\" "
            "bType=\"Quality\" fc=\"ST\"/><DA name=\"ctlModel\" bType=\"Enum\" fc=\"CF\"><Val>"
            "sbo-with-enhanced-security</Val></DA></DOType>\n"
            "<DAType id=\"AV_T\"><BDA name=\"f\" bType=\"FLOAT32\"/></DAType>\n"
            "<DAType id=\"Oper_T\"><BDA name=\"ctlVal\" bType=\"BOOLEAN\"/><BDA name=\"origin\" bType=\"Struct\" "
            "type=\"Orig_T\"/><BDA name=\"ctlNum\" bType=\"INT8U\"/><BDA name=\"T\" bType=\"Timestamp\"/>"
            "<BDA name=\"Test\" bType=\"BOOLEAN\"/><BDA name=\"Check\" bType=\"Check\"/></DAType>\n"
            "<DAType id=\"Orig_T\"><BDA name=\"orCat\" bType=\"Enum\"/><BDA name=\"orIdent\" bType=\"Octet64\"/>"
            "</DAType>\n</DataTypeTemplates>\n</SCL>\n";
    return text;
}

} // namespace BenchIed

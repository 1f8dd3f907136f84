#include "scl_test_document.h"

#include <vector>

namespace {

const char kTemplates[] =
    "<LNodeType id=\"LLN0_T\" lnClass=\"LLN0\"><DO name=\"Beh\" type=\"INS_T\"/></LNodeType>"
    "<LNodeType id=\"GGIO_T\" lnClass=\"GGIO\"><DO name=\"Ind\" type=\"MIX_T\"/><DO name=\"Alm\" type=\"NEST_T\"/>"
    "</LNodeType>"
    "<LNodeType id=\"XCBR_T\" lnClass=\"XCBR\"><DO name=\"Pos\" type=\"DPC_T\"/></LNodeType>"
    "<LNodeType id=\"XCBRM_T\" lnClass=\"XCBR\"><DO name=\"Pos\" type=\"DPC_T\"/><DO name=\"Mod\" type=\"MOD_T\"/>"
    "</LNodeType>"
    "<DOType id=\"MOD_T\"><DA name=\"ctlModel\" bType=\"Enum\" fc=\"CF\"><Val>direct-with-enhanced-security</Val>"
    "</DA></DOType>"
    "<DOType id=\"INS_T\"><DA name=\"stVal\" bType=\"INT32\" fc=\"ST\"/></DOType>"
    "<DOType id=\"MIX_T\">"
    "  <DA name=\"stVal\" bType=\"BOOLEAN\" fc=\"ST\"/>"
    "  <DA name=\"mag\" bType=\"Struct\" type=\"AV_T\" fc=\"MX\"/>"
    "  <DA name=\"mxv\" bType=\"FLOAT32\" fc=\"MX\"/>"
    "  <DA name=\"arr\" bType=\"Struct\" type=\"AV_T\" fc=\"MX\" count=\"4\"/>"
    "  <DA name=\"odd\" bType=\"INT32\" fc=\"XY\"/>"
    "  <DA name=\"big\" bType=\"INT64\" fc=\"ST\"/>"
    "</DOType>"
    "<DOType id=\"NEST_T\"><SDO name=\"sub\" type=\"INS_T\"/><SDO name=\"gone\" type=\"NO_SUCH_T\"/></DOType>"
    "<DOType id=\"DPC_T\">"
    "  <DA name=\"Oper\" bType=\"Struct\" type=\"Oper_T\" fc=\"CO\"/>"
    "  <DA name=\"SBOw\" bType=\"Struct\" type=\"Oper_T\" fc=\"CO\"/>"
    "  <DA name=\"stVal\" bType=\"Dbpos\" fc=\"ST\"/>"
    "</DOType>"
    "<DAType id=\"AV_T\"><BDA name=\"f\" bType=\"FLOAT32\"/></DAType>"
    "<DAType id=\"Oper_T\"><BDA name=\"ctlVal\" bType=\"BOOLEAN\"/><BDA name=\"origin\" bType=\"Struct\" "
    "type=\"Orig_T\"/></DAType>"
    "<DAType id=\"Orig_T\"><BDA name=\"orCat\" bType=\"Enum\"/></DAType>";

// LD0 with an LN0 holding ln0Content, GGIO1 and the breaker Q0XCBR1 with its DOIs.
std::string OneDevice(const std::string& ln0Content, const std::string& breakerDois = std::string(),
                      const std::string& moreNodes = std::string())
{
    return "<LDevice inst=\"LD0\" desc=\"Main\"><LN0 lnClass=\"LLN0\" inst=\"\" lnType=\"LLN0_T\">" + ln0Content +
           "</LN0><LN lnClass=\"GGIO\" inst=\"1\" lnType=\"GGIO_T\"/>"
           "<LN prefix=\"Q0\" lnClass=\"XCBR\" inst=\"1\" lnType=\"XCBR_T\" desc=\"Breaker\">" +
           breakerDois + "</LN>" + moreNodes + "</LDevice>";
}

class IedTreeLoader : public SclLoaderTest {
protected:
    CTreeModelRecord* Record(LPCSTR path)
    {
        IedTreeItemId item = Find(path);
        EXPECT_NE(kNoIedTreeItem, item) << path;
        return item != kNoIedTreeItem ? Items().GetItemRecord(item) : nullptr;
    }
    std::vector<_DATA_ITEM*> DataItems(LPCSTR ld, LPCSTR ln, LPCSTR dataObject)
    {
        std::vector<_DATA_ITEM*> items;
        auto* device = static_cast<CLD*>(Loader().m_iedModel.logicalDevices.FindSclObject(ld));
        auto* node = device ? static_cast<CLN*>(device->logicalNodes.FindSclObject(ln)) : nullptr;
        if (node == nullptr)
            return items;
        for (CLnDataEntry* entry : node->dataEntries) {
            if (entry->name == dataObject)
                items.insert(items.end(), entry->dataItems.begin(), entry->dataItems.end());
        }
        return items;
    }
};

TEST_F(IedTreeLoader, ExpansionGivesIconsDataPathsAndRecords)
{
    ASSERT_EQ(S_OK, Load(SclText(OneDevice(""), kTemplates)));
    EXPECT_EQ(0u, m_messages.Count());

    EXPECT_EQ(kImageIed, Image(Find("IED1")));
    EXPECT_EQ(kImageLogicalDevice, Image(Find("IED1/LD0: Main")));
    EXPECT_EQ(kImageLogicalNode, Image(Find("IED1/LD0: Main/LLN0")));
    EXPECT_EQ(kImageDataObject, Image(Find("IED1/LD0: Main/GGIO1/Ind")));

    const struct {
        const char* item;
        int icon;
        const char* dataPath; // null: no record
    } leaves[] = {
        {"IED1/LD0: Main/GGIO1/Ind/stVal", 5, "GGIO1$ST$Ind$stVal"},
        {"IED1/LD0: Main/GGIO1/Ind/mxv", 6, "GGIO1$MX$Ind$mxv"},
        {"IED1/LD0: Main/GGIO1/Ind/mag/f", 6, "GGIO1$MX$Ind$mag$f"},
        {"IED1/LD0: Main/GGIO1/Ind/arr/f", 6, "GGIO1$MX$Ind$arr[4]$f"},
        {"IED1/LD0: Main/GGIO1/Ind/odd", 0, "GGIO1$XY$Ind$odd"},
        {"IED1/LD0: Main/GGIO1/Ind/big", kImageLargeInteger, "GGIO1$ST$Ind$big"},
        {"IED1/LD0: Main/GGIO1/Alm/sub/stVal", 5, "GGIO1$ST$Alm$sub$stVal"},
        {"IED1/LD0: Main/Q0XCBR1: Breaker/Pos/Oper/ctlVal", kImageControl, "Q0XCBR1$CO$Pos$Oper$ctlVal"},
        {"IED1/LD0: Main/Q0XCBR1: Breaker/Pos/Oper/origin/orCat", kImageControl, "Q0XCBR1$CO$Pos$Oper$origin$orCat"},
        {"IED1/LD0: Main/Q0XCBR1: Breaker/Pos/SBOw/ctlVal", kImageControl, nullptr},
    };
    for (const auto& leaf : leaves) {
        IedTreeItemId item = Find(leaf.item);
        ASSERT_NE(kNoIedTreeItem, item) << leaf.item;
        EXPECT_EQ(leaf.icon, Image(item)) << leaf.item;
        const CTreeModelRecord* record = Items().GetItemRecord(item);
        if (leaf.dataPath == nullptr) {
            EXPECT_EQ(nullptr, record) << leaf.item;
            continue;
        }
        ASSERT_NE(nullptr, record) << leaf.item;
        EXPECT_STREQ(leaf.dataPath, record->dataPath);
        EXPECT_STREQ("IED1LD0", record->namePrefix);
        EXPECT_EQ(leaf.icon == kImageControl, record->isControl != 0) << leaf.item;
        EXPECT_EQ(0, record->isControlBlock + record->isGoose + record->spare);
    }
    EXPECT_EQ(6, Image(Find("IED1/LD0: Main/GGIO1/Ind/mag")));
    EXPECT_EQ(kImageSubDataObject, Image(Find("IED1/LD0: Main/GGIO1/Alm/sub")));
    // An SDO whose type is not defined stays without children.
    EXPECT_EQ(0, ChildCount(Find("IED1/LD0: Main/GGIO1/Alm/gone")));
    EXPECT_STREQ("Oper", Record("IED1/LD0: Main/Q0XCBR1: Breaker/Pos/Oper/ctlVal")->ctlName);

    const std::vector<_DATA_ITEM*> ind = DataItems("LD0", "GGIO1", "Ind");
    ASSERT_EQ(6u, ind.size());
    EXPECT_STREQ("GGIO1$MX$Ind$mag$f", ind[1]->mmsDataPath);
    EXPECT_STREQ("mag.f", ind[1]->DAName);
    EXPECT_STREQ("MX", ind[1]->FC);
    EXPECT_STREQ("FLOAT32", ind[1]->dataType);
    EXPECT_STREQ("IED1LD0", ind[1]->domName);
    EXPECT_STREQ("GGIO1$XY$Ind$odd", ind[4]->mmsDataPath);
    EXPECT_STREQ("sub.stVal", DataItems("LD0", "GGIO1", "Alm").at(0)->DAName);
}

TEST_F(IedTreeLoader, LogicalNodeNamesLabelsAndInstanceControlModels)
{
    const std::string dois =
        "<DOI name=\"Pos\"><DAI name=\"stVal\"/><DAI name=\"ctlModel\"><Val>sbo-with-enhanced-security</Val></DAI></DOI>"
        "<DOI name=\"BlkOpn\"><DAI name=\"ctlModel\"><Val>direct-with-normal-security</Val></DAI></DOI>"
        "<DOI name=\"BlkCls\"><DAI name=\"ctlModel\"><Val>status-only</Val></DAI></DOI>";
    CtlModelMap project;
    project[CtlModelKey("IED1LD0", "Q0XCBR1$CO$BlkOpn$Cancel")] = 3; // a larger code already stored stays
    Loader().SetCtlModelMap(&project);
    // Without a value in the instance, the ctlModel of the node's Mod type is stored as it is.
    const std::string modNode = "<LN prefix=\"Q1\" lnClass=\"XCBR\" inst=\"2\" lnType=\"XCBRM_T\">"
                                "<DOI name=\"Pos\"><DAI name=\"ctlModel\"/></DOI></LN>";
    ASSERT_EQ(S_OK, Load(SclText(OneDevice("", dois, modNode), kTemplates)));

    EXPECT_NE(kNoIedTreeItem, Find("IED1/LD0: Main/Q0XCBR1: Breaker"));
    auto* device = static_cast<CLD*>(Loader().m_iedModel.logicalDevices.FindSclObject("LD0"));
    ASSERT_NE(nullptr, device);
    EXPECT_NE(nullptr, device->logicalNodes.FindSclObject("Q0XCBR1"));
    EXPECT_NE(nullptr, device->logicalNodes.FindSclObject("LLN0"));
    EXPECT_STREQ("IED1", Loader().m_iedModel.iedName);

    EXPECT_EQ(3, StoredCode(project, "IED1LD0", "IED1LD0$LLN0$Pos"));
    EXPECT_EQ(-1, StoredCode(project, "IED1LD0", "Q1XCBR2$CO$Pos$Oper"));
    for (LPCSTR path : {"Q0XCBR1$CO$Pos$Oper", "Q0XCBR1$CO$Pos$Cancel", "Q0XCBR1$SP$Pos$Oper",
                        "Q0XCBR1$SP$Pos$Cancel"})
        EXPECT_EQ(4, StoredCode(project, "IED1LD0", path)) << path;
    EXPECT_EQ(1, StoredCode(project, "IED1LD0", "Q0XCBR1$CO$BlkOpn$Oper"));
    EXPECT_EQ(3, StoredCode(project, "IED1LD0", "Q0XCBR1$CO$BlkOpn$Cancel"));
    EXPECT_EQ(-1, StoredCode(project, "IED1LD0", "Q0XCBR1$CO$BlkCls$Oper"));
}

TEST_F(IedTreeLoader, ReportInstancesReferencesAndSettings)
{
    const std::string ln0 =
        "<DataSet name=\"DS1\"><FCDA ldInst=\"LD0\" lnClass=\"GGIO\" lnInst=\"1\" doName=\"Ind\" fc=\"ST\"/></DataSet>"
        "<ReportControl name=\"urcb\" datSet=\"DS1\" intgPd=\"5000ms\"><RptEnabled max=\"3\"/></ReportControl>"
        "<ReportControl name=\"brcb\" datSet=\"DS1\" buffered=\"true\" desc=\"d\"><TrgOps/>"
        "<OptFields seqNum=\"true\" dataSet=\"false\"/><RptEnabled max=\"12\"/></ReportControl>"
        "<ReportControl name=\"one\" datSet=\"DS1\" desc=\"\"><TrgOps dchg=\"TRUE\" qchg=\"true\"/></ReportControl>"
        "<ReportControl name=\"none\" datSet=\"DS1\"><RptEnabled max=\"0\"/></ReportControl>"
        "<ReportControl name=\"nodata\"/>";
    ASSERT_EQ(S_OK, Load(SclText(OneDevice(ln0), kTemplates)));
    EXPECT_EQ(0u, m_messages.Count());

    const std::vector<CReportControl>& reports = Loader().m_reports;
    ASSERT_EQ(3u + 12u + 1u, reports.size());
    const char* urcbNames[] = {"urcb01", "urcb02", "urcb03"};
    for (int i = 0; i < 3; ++i) {
        EXPECT_STREQ(urcbNames[i], reports[i].name);
        EXPECT_STREQ("LLN0$RP$urcb", reports[i].reference);
        EXPECT_STREQ(CString(urcbNames[i]) + " : ", Items().GetItemText(reports[i].treeItem));
        EXPECT_EQ(kImageReport, Image(reports[i].treeItem));
        EXPECT_EQ(5000, reports[i].intgPd);
        EXPECT_STREQ("IED1LD0", reports[i].domain);
        // No TrgOps: all but gi.
        EXPECT_TRUE(reports[i].dchg && reports[i].qchg && reports[i].dupd && reports[i].period);
        EXPECT_FALSE(reports[i].gi);
    }
    const CReportControl& b9 = reports[3 + 8];
    const CReportControl& b12 = reports[3 + 11];
    EXPECT_STREQ("brcb09", b9.name);
    EXPECT_STREQ("brcb09 : d", Items().GetItemText(b9.treeItem));
    EXPECT_STREQ("brcb12 : d", Items().GetItemText(b12.treeItem));
    EXPECT_STREQ("LLN0$BR$brcb", b12.reference);
    EXPECT_EQ(0, b12.intgPd);
    // An empty TrgOps: all false but gi.
    EXPECT_FALSE(b12.dchg || b12.qchg || b12.dupd || b12.period);
    EXPECT_TRUE(b12.gi);
    EXPECT_STREQ("true", b12.seqNum);
    EXPECT_STREQ("false", b12.dataSet);
    EXPECT_STREQ("", b12.entryID);

    const CReportControl& one = reports.back();
    EXPECT_STREQ("one", one.name);
    EXPECT_STREQ("one : ", Items().GetItemText(one.treeItem));
    EXPECT_FALSE(one.dchg); // "TRUE" is not "true"
    EXPECT_TRUE(one.qchg);
    // "none" (max 0) and "nodata" (no datSet) give no item; "Reports" holds the rest.
    EXPECT_EQ(16, ChildCount(Find("IED1/LD0: Main/LLN0/Reports")));
}

TEST_F(IedTreeLoader, ReportAttributesIndexesAndBoundaries)
{
    const std::string ln0 =
        "<DataSet name=\"DS1\">"
        "<FCDA ldInst=\"LD0\" lnClass=\"GGIO\" lnInst=\"1\" doName=\"Ind\" fc=\"ST\"/>"
        "<FCDA ldInst=\"LD0\" lnClass=\"GGIO\" lnInst=\"1\" doName=\"Ind\" fc=\"MX\"/>"
        "<FCDA ldInst=\"LD0\" lnClass=\"GGIO\" lnInst=\"1\" doName=\"Ind\" daName=\"odd\" fc=\"XY\"/>"
        "</DataSet>"
        "<ReportControl name=\"rep\" datSet=\"DS1\" rptID=\"R1\"/>"
        "<ReportControl name=\"lost\" datSet=\"NOPE\" rptID=\"RID\"/>";
    ASSERT_EQ(S_OK, Load(SclText(OneDevice(ln0), kTemplates)));

    ASSERT_EQ(1u, m_messages.Count());
    EXPECT_STREQ("The Report named RID\\lost ...\nis missing it's dataset and will not be available.",
                 m_messages.Last().text);
    EXPECT_EQ(static_cast<UINT>(MB_OK), m_messages.Last().type);
    EXPECT_EQ(0, ChildCount(Loader().m_reports[1].treeItem));

    const IedTreeItemId rep = Loader().m_reports[0].treeItem;
    ASSERT_EQ(6, ChildCount(rep));
    const char* paths[] = {"GGIO1$ST$Ind$stVal", "GGIO1$ST$Ind$big", "GGIO1$MX$Ind$mag$f",
                           "GGIO1$MX$Ind$mxv",   "GGIO1$MX$Ind$arr[4]$f", "GGIO1$XY$Ind$odd"};
    const int icons[] = {5, 5, 6, 6, 6, 0};
    int i = 0;
    for (IedTreeItemId item = Items().GetChildItem(rep); item != kNoIedTreeItem; item = Items().GetNextSiblingItem(item), ++i) {
        const CTreeModelRecord* record = Items().GetItemRecord(item);
        ASSERT_NE(nullptr, record);
        EXPECT_STREQ(paths[i], Items().GetItemText(item));
        EXPECT_EQ(icons[i], Image(item));
        EXPECT_STREQ(paths[i], record->dataPath);
        EXPECT_EQ(i, record->index);
        EXPECT_EQ(6, record->count);
        EXPECT_STREQ("0,2,5,6", record->boundaries);
        EXPECT_STREQ("DS1", record->dataSetName);
        EXPECT_STREQ("rep", record->reportName);
        EXPECT_STREQ("R1", record->report.rptID);
        EXPECT_EQ(rep, record->report.treeItem);
        EXPECT_TRUE(record->isControlBlock && !record->isGoose && !record->isControl);
    }
}

const char kCommunication[] =
    "<ConnectedAP iedName=\"IED1\" apName=\"AP1\">"
    "<GSE ldInst=\"LD0\" cbName=\"gcb01\"><Address><P type=\"VLAN-ID\">001</P>"
    "<P type=\"MAC-Address\">01-0C-CD-01-00-01</P></Address></GSE>"
    "<GSE ldInst=\"LD0\" cbName=\"gcb01\"><Address><P type=\"MAC-Address\">01-0C-CD-01-00-02</P></Address></GSE>"
    "<GSE ldInst=\"LD0\" cbName=\"gcb02\"><MinTime>10</MinTime></GSE>"
    "</ConnectedAP>"
    "<ConnectedAP iedName=\"IED2\" apName=\"AP1\">"
    "<GSE ldInst=\"LD0\" cbName=\"other\"><Address><P type=\"MAC-Address\">01-0C-CD-01-00-09</P></Address></GSE>"
    "</ConnectedAP>";

TEST_F(IedTreeLoader, GooseBlocksAddressesAndAttributes)
{
    const std::string ln0 =
        "<DataSet name=\"DS1\">"
        "<FCDA ldInst=\"LD0\" lnClass=\"GGIO\" lnInst=\"1\" doName=\"Ind\" daName=\"stVal\" fc=\"ST\"/>"
        "<FCDA ldInst=\"LD0\" lnClass=\"GGIO\" lnInst=\"1\" doName=\"Ind\" daName=\"stVal\" fc=\"ST\"/>"
        "<FCDA ldInst=\"LD0\" lnClass=\"GGIO\" lnInst=\"1\" doName=\"Ind\" daName=\"mag\" fc=\"MX\"/>"
        "</DataSet>"
        "<GSEControl name=\"gcb01\" datSet=\"DS1\" appID=\"APP1\" confRev=\"7\" desc=\"\"/>"
        "<GSEControl name=\"gcb02\" datSet=\"NOPE\" desc=\"second\"/>"
        "<GSEControl name=\"gcb03\"/>";
    ASSERT_EQ(S_OK, Load(SclText(OneDevice(ln0), kTemplates, kCommunication)));
    EXPECT_EQ(0u, m_messages.Count());

    ASSERT_EQ(1u, Loader().m_gseAddresses.size());
    EXPECT_STREQ("01 0C CD 01 00 02", Loader().m_gseAddresses.at("LD0_gcb01"));

    const std::vector<CGooseControl>& blocks = Loader().m_gooseControls;
    ASSERT_EQ(2u, blocks.size());
    const CGooseControl& gcb = blocks[0];
    EXPECT_STREQ("IED1LD0", gcb.domain);
    EXPECT_STREQ("DS1", gcb.datSet);
    EXPECT_STREQ("IED1LD0/LLN0$DS1", gcb.dataSetRef);
    EXPECT_STREQ("IED1LD0/LLN0$GO$gcb01", gcb.gocbRef);
    EXPECT_STREQ("01 0C CD 01 00 02", gcb.macAddress);
    EXPECT_STREQ("APP1", gcb.appID);
    EXPECT_STREQ("7", gcb.confRev);
    EXPECT_STREQ("gcb01", Items().GetItemText(gcb.treeItem));
    EXPECT_EQ(kImageGoose, Image(gcb.treeItem));
    EXPECT_STREQ("gcb02 : second", Items().GetItemText(blocks[1].treeItem));
    EXPECT_EQ(nullptr, blocks[1].linkedDataSet);
    EXPECT_EQ(0, ChildCount(blocks[1].treeItem));
    EXPECT_STREQ("", blocks[1].macAddress);

    // The repeated stVal member gives one item; indexes stay consecutive.
    ASSERT_EQ(2, ChildCount(gcb.treeItem));
    IedTreeItemId first = Items().GetChildItem(gcb.treeItem);
    IedTreeItemId second = Items().GetNextSiblingItem(first);
    EXPECT_STREQ("GGIO1$ST$Ind$stVal", Items().GetItemText(first));
    EXPECT_STREQ("GGIO1$MX$Ind$mag$f", Items().GetItemText(second));
    const CTreeModelRecord* record = Items().GetItemRecord(second);
    ASSERT_NE(nullptr, record);
    EXPECT_TRUE(record->isControlBlock && record->isGoose && !record->isControl);
    EXPECT_EQ(1, record->index);
    EXPECT_EQ(2, record->count);
    EXPECT_EQ(2u, record->dataItems.size());
    EXPECT_STREQ("IED1LD0/LLN0$GO$gcb01", record->goose.gocbRef);

    ASSERT_EQ(3u, Loader().m_gooseMembers.size());
    EXPECT_STREQ("GGIO1$ST$Ind$stVal", Loader().m_gooseMembers[0]->FCDAPath);
    EXPECT_STREQ("IED1LD0/LLN0$DS1", Loader().m_gooseMembers[0]->dataSet);
}

TEST_F(IedTreeLoader, GooseAttributesPastTheLimitWarnEach)
{
    std::string templates = kTemplates;
    templates += "<LNodeType id=\"MANY_T\" lnClass=\"GGIO\"><DO name=\"Many\" type=\"MANYDO_T\"/></LNodeType>"
                 "<DOType id=\"MANYDO_T\">";
    for (int i = 1; i <= 125; ++i)
        templates += "<DA name=\"a" + std::to_string(i) + "\" bType=\"BOOLEAN\" fc=\"ST\"/>";
    templates += "</DOType>";
    const std::string lDevice =
        "<LDevice inst=\"LD0\"><LN0 lnClass=\"LLN0\" inst=\"\" lnType=\"LLN0_T\">"
        "<DataSet name=\"DS1\"><FCDA ldInst=\"LD0\" lnClass=\"GGIO\" lnInst=\"2\" doName=\"Many\" fc=\"ST\"/></DataSet>"
        "<GSEControl name=\"gcb\" datSet=\"DS1\"/></LN0><LN lnClass=\"GGIO\" inst=\"2\" lnType=\"MANY_T\"/></LDevice>";
    ASSERT_EQ(S_OK, Load(SclText(lDevice, templates)));
    EXPECT_EQ(125, ChildCount(Loader().m_gooseControls.at(0).treeItem));
    ASSERT_EQ(5u, m_messages.Count());
    for (const auto& call : m_messages.Calls()) {
        EXPECT_STREQ(kGooseLimitWarning, call.text);
        EXPECT_EQ(static_cast<UINT>(MB_OK | MB_ICONWARNING), call.type);
    }
}

TEST_F(IedTreeLoader, DisplacedDataSetStaysWithTheBlockThatNamedIt)
{
    // LD0's GOOSE block names DS1 before LD1 defines another DS1.
    const std::string lDevices =
        OneDevice("<DataSet name=\"DS1\"><FCDA ldInst=\"LD0\" lnClass=\"GGIO\" lnInst=\"1\" doName=\"Ind\" "
                  "daName=\"stVal\" fc=\"ST\"/></DataSet><GSEControl name=\"gcb01\" datSet=\"DS1\"/>") +
        "<LDevice inst=\"LD1\"><LN0 lnClass=\"LLN0\" inst=\"\" lnType=\"LLN0_T\">"
        "<DataSet name=\"DS1\"><FCDA ldInst=\"LD0\" lnClass=\"GGIO\" lnInst=\"1\" doName=\"Ind\" daName=\"mxv\" "
        "fc=\"MX\"/></DataSet><ReportControl name=\"r\" datSet=\"DS1\"/></LN0></LDevice>";
    ASSERT_EQ(S_OK, Load(SclText(lDevices, kTemplates)));
    const CGooseControl& gcb = Loader().m_gooseControls.at(0);
    ASSERT_NE(nullptr, gcb.linkedDataSet);
    EXPECT_NE(gcb.linkedDataSet, Loader().m_dataSets.FindSclObject("DS1"));
    ASSERT_EQ(1, ChildCount(gcb.treeItem));
    EXPECT_STREQ("GGIO1$ST$Ind$stVal", Items().GetItemText(Items().GetChildItem(gcb.treeItem)));
    // The report resolves its data set at the end and sees the later one.
    EXPECT_STREQ("GGIO1$MX$Ind$mxv", Items().GetItemText(Items().GetChildItem(Loader().m_reports.at(0).treeItem)));
}

TEST_F(IedTreeLoader, ReportInstanceLimit)
{
    const std::string ln0 = "<DataSet name=\"DS1\"/>"
                            "<ReportControl name=\"X\" datSet=\"DS1\"><RptEnabled max=\"150\"/></ReportControl>";
    ASSERT_EQ(S_OK, Load(SclText(OneDevice(ln0), kTemplates)));
    ASSERT_EQ(1u, m_messages.Count());
    EXPECT_STREQ("Only 99 report instances are allowed", m_messages.Last().text);
    EXPECT_EQ(static_cast<UINT>(MB_OK), m_messages.Last().type);
    ASSERT_EQ(99u, Loader().m_reports.size());
    EXPECT_STREQ("X99", Loader().m_reports.back().name);
}

TEST_F(IedTreeLoader, NamesWithQuotesAreComparedNotPutIntoSelections)
{
    const std::string communication =
        "<ConnectedAP iedName=\"IED'1\"><GSE ldInst=\"LD0\" cbName=\"g\"><Address>"
        "<P type=\"MAC-Address\">01-0C-CD-01-00-03</P></Address></GSE></ConnectedAP>";
    ASSERT_EQ(S_OK, Load(SclText(OneDevice(""), kTemplates, communication, "IED'1"), "IED'1"));
    EXPECT_NE(kNoIedTreeItem, Find("IED'1/LD0: Main/LLN0"));
    EXPECT_STREQ("01 0C CD 01 00 03", Loader().m_gseAddresses.at("LD0_g"));
}

TEST_F(IedTreeLoader, UnknownIedAbortsAfterTheTypes)
{
    EXPECT_EQ(E_ABORT, Load(SclText(OneDevice(""), kTemplates), "IED9"));
    EXPECT_EQ(kNoIedTreeItem, Items().GetRootItem());
    EXPECT_EQ(4, Loader().m_lnodeTypes.GetObjectCount());
    EXPECT_EQ(0u, m_messages.Count());
}

TEST_F(IedTreeLoader, MissingRequiredPartStopsTheLoadWithAMessageNamingIt)
{
    const struct {
        std::string lDevices;
        std::string communication;
        const char* message;
    } cases[] = {
        {"<LDevice inst=\"LD0\"><LN0 lnClass=\"LLN0\" inst=\"\"/></LDevice>", "",
         "the element <LN0 inst=\"\"> has no \"lnType\" attribute."},
        {"<LDevice><LN0 lnClass=\"LLN0\" inst=\"\" lnType=\"LLN0_T\"/></LDevice>", "",
         "the element <LDevice> has no \"inst\" attribute."},
        {OneDevice("<DataSet desc=\"x\"/>"), "", "the element <DataSet> has no \"name\" attribute."},
        {OneDevice("<ReportControl datSet=\"DS1\"/>"), "", "the element <ReportControl> has no \"name\" attribute."},
        {OneDevice("<GSEControl datSet=\"DS1\"/>"), "", "the element <GSEControl> has no \"name\" attribute."},
        {OneDevice("", "<DOI desc=\"x\"/>"), "", "the element <DOI> has no \"name\" attribute."},
        {OneDevice("", "", "<LN lnClass=\"GGIO\" inst=\"5\" lnType=\"NOPE_T\"><DOI name=\"Pos\">"
                           "<DAI name=\"ctlModel\"/></DOI></LN>"),
         "", "the element <LNodeType id=\"NOPE_T\"> is missing."},
        {"<LDevice inst=\"LD0\"><LN0 lnClass=\"LLN0\" inst=\"\" lnType=\"LLN0_T\"/><LN inst=\"1\" lnType=\"X\"/>"
         "</LDevice>",
         "", "the element <LN inst=\"1\"> has no \"lnClass\" attribute."},
        {"<LDevice inst=\"LD0\"/>", "", "the element <LDevice inst=\"LD0\"> has no <LN0> element."},
    };
    for (const auto& c : cases) {
        Reset();
        m_messages.Clear();
        const HRESULT result = Load(SclText(c.lDevices, kTemplates, c.communication));
        EXPECT_EQ(E_POINTER, result) << c.message;
        ASSERT_EQ(1u, m_messages.Count()) << c.message;
        EXPECT_STREQ(CString("Cannot load the SCL file: ") + c.message, m_messages.Last().text);
        EXPECT_EQ(static_cast<UINT>(MB_OK | MB_ICONERROR), m_messages.Last().type);
    }
}

TEST_F(IedTreeLoader, TypeThatContainsItselfStopsTheLoad)
{
    std::string templates = kTemplates;
    templates += "<LNodeType id=\"LOOP_T\" lnClass=\"GGIO\"><DO name=\"L\" type=\"LOOPDO_T\"/></LNodeType>"
                 "<DOType id=\"LOOPDO_T\"><SDO name=\"again\" type=\"LOOPDO_T\"/></DOType>";
    const std::string lDevice = "<LDevice inst=\"LD0\"><LN0 lnClass=\"LLN0\" inst=\"\" lnType=\"LLN0_T\"/>"
                                "<LN lnClass=\"GGIO\" inst=\"9\" lnType=\"LOOP_T\"/></LDevice>";
    EXPECT_EQ(E_FAIL, Load(SclText(lDevice, templates)));
    ASSERT_EQ(1u, m_messages.Count());
    EXPECT_STREQ("Cannot load the SCL file: the DOType \"LOOPDO_T\" nests more than 32 levels deep.",
                 m_messages.Last().text);
}

} // namespace

// The project XML reader on a document without windows: the fixture file, round trips, missing sections and damaged files.
#include "tools/projdump/project_dump.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "prx_test_support.h"
#include "support/message_box_recorder.h"

namespace {

using namespace PrxTest;
using Corvel::Records::ConfiguredRow;
using Corvel::Records::kSlotFree;
using ::testing::ElementsAre;

// The fixture text with the first occurrence of from replaced by to.
std::string Edited(std::string text, const std::string& from, const std::string& to)
{
    const size_t at = text.find(from);
    if (at != std::string::npos)
        text.replace(at, from.size(), to);
    return text;
}

// The fixture text without the element that starts with "<name" and ends with its end tag.
std::string Without(const std::string& text, const std::string& name)
{
    const size_t start = text.find("<" + name);
    const std::string close = "</" + name + ">";
    const size_t end = text.find(close, start);
    if (start == std::string::npos || end == std::string::npos)
        return text;
    return text.substr(0, start) + text.substr(end + close.size());
}

class PrxReader : public ::testing::Test {
protected:
    // Opens text as a project file the way the open command does.
    void Load(const std::string& text)
    {
        WriteBinaryFile(path, text);
        doc.SetOpenKind(2);
        doc.SetProjectPath(path);
        doc.ReadProjectXml(path);
    }
    std::vector<std::string> Texts() const
    {
        std::vector<std::string> texts;
        for (const auto& call : boxes.Calls())
            texts.push_back(std::string(call.text));
        return texts;
    }

    const std::string fixture = ReadBinaryFile(FixturePath("plant.prx"));
    TempFolder folder;
    const CString path = folder.File("project.prx");
    NewProjectDocument doc;
    MessageBoxRecorder boxes;
};

TEST_F(PrxReader, FixtureFileFillsTheProject)
{
    Load(fixture);
    ASSERT_EQ(0u, boxes.Count()) << boxes.Last().text;
    EXPECT_TRUE(doc.projectReady);
    const auto& p = doc.project;
    EXPECT_STREQ("North Substation", doc.GetProjectName());
    EXPECT_STREQ("C:\\Projects\\North\\north.prx", doc.GetProjectPath());
    EXPECT_STREQ("Feeder bays 1 & 2 <test>", doc.GetProjectComment());
    EXPECT_EQ(2, p.numPorts);
    EXPECT_EQ(2, p.port61850);
    EXPECT_EQ(1, p.portPLC);
    EXPECT_FALSE(p.autoRestart);
    EXPECT_STREQ("10.0.0.20", p.eth0IPaddr);
    EXPECT_STREQ("255.255.0.0", p.eth0IPmask);
    EXPECT_STREQ("10.0.0.1", p.eth0Gateway);
    EXPECT_STREQ("172.16.1.20", p.eth1IPaddr);
    EXPECT_STREQ("255.255.255.128", p.eth1IPmask);
    EXPECT_STREQ("172.16.1.1", p.eth1Gateway);
    EXPECT_STREQ("10.0.0.5", p.NTPaddr);
    EXPECT_STREQ("2001", p.startWrite);
    EXPECT_STREQ("65001", p.rebootRegister);

    EXPECT_EQ(2, doc.GetDeviceCount(CMainDoc::kKindIed));
    const auto& bay1 = IedSlot(doc, 0);
    EXPECT_EQ(1066, bay1.devNum);
    EXPECT_STREQ("BAY1", bay1.label);
    EXPECT_STREQ("255.255.255.0", bay1.IPMask);
    EXPECT_STREQ("10.0.1.1", bay1.Gateway);
    EXPECT_STREQ("00000001", bay1.pSel);
    EXPECT_STREQ("C:\\Projects\\North\\SCLFiles\\bay1.cid", bay1.CIDFile);
    ASSERT_EQ(3u, bay1.ConfiguredCache.size());
    EXPECT_EQ((ConfiguredRow{"MMXU1$MX$TotW$mag$f", "BAY1_MMXU1_TotW", "FLOAT32", "R", "total power", "BAY1LD0",
                             "Report"}),
              bay1.ConfiguredCache[0]);
    EXPECT_EQ((ConfiguredRow{"CSWI1$CO$Pos$Oper$ctlVal", "BAY1_CSWI1_Pos", "BOOLEAN", "W", "breaker", "BAY1LD0",
                             "Command", "4", "Oper.ctlVal"}),
              bay1.ConfiguredCache[1]);
    ASSERT_EQ(2u, bay1.ReportsPath.size());
    const auto& goose = bay1.ReportsPath.at("BAY1LD0/GooseStr:GGIO1$ST$Ind1$stVal");
    EXPECT_TRUE(goose.isReport && goose.isGOOSE);
    EXPECT_EQ(2, goose.iIndex);
    EXPECT_STREQ("01-0C-CD-01-00-01", goose.gooseMulticastMacAddr);
    ASSERT_EQ(2u, goose.dataItems.size());
    EXPECT_STREQ("GGIO1$ST$Ind1$q", goose.dataItems[1].mmsDataPath);
    EXPECT_STREQ("q", goose.dataItems[1].DAName);
    const auto& report = bay1.ReportsPath.at("BAY1LD0/MMXU1$MX$TotW$mag$f");
    EXPECT_TRUE(report.isBuffered);
    EXPECT_EQ(1000, report.iIntPd);
    EXPECT_STREQ("brcb01", report.reportID);
    EXPECT_EQ(1067, IedSlot(doc, 1).devNum);
    EXPECT_EQ(kSlotFree, IedSlot(doc, 2).state);

    const auto& plc = FirstPlc(doc);
    EXPECT_EQ(1086, plc.devNum);
    EXPECT_EQ(8, plc.devType);
    EXPECT_EQ(4, plc.NOESlotNum);
    EXPECT_STREQ("255.255.0.0", plc.IPMask);
    EXPECT_STREQ("250", plc.ErrDelay);
    // The PLC's rows are read too, keeping their eight columns.
    EXPECT_THAT(plc.configuredRows,
                ElementsAre(ConfiguredRow{"PLC/Run", "PLC_Run", "BOOLEAN", "R", "run flag", "PLC", "Data", ""}));

    ASSERT_EQ(2, p.sclFiles.GetCount());
    EXPECT_STREQ("bay2.icd", p.sclFiles.GetTail()->fileName);
    EXPECT_STREQ("C:\\Projects\\North\\SCLFiles\\bay2.icd", p.sclFiles.GetTail()->filePath);
    ASSERT_EQ(1, p.fcdas.GetCount());
    EXPECT_STREQ("BAY1LD0/GGIO1.Ind1.stVal[ST]", p.fcdas.GetHead()->FCDAPath);
    ASSERT_EQ(2, p.tagMaps.GetCount());
    EXPECT_STREQ("BAY1_MMXU1_MX_TotW_mag_f", p.tagMaps.GetTail()->tagUName);

    ASSERT_EQ(2, doc.tagsINP.GetCount());
    ASSERT_EQ(1, doc.tagsOUT.GetCount());
    ASSERT_EQ(2, doc.tagsMSG.GetCount());
    const auto* out = doc.tagsOUT.GetAt(0);
    EXPECT_EQ(Corvel::Records::kTagTypeMmsWrite, out->tagType);
    EXPECT_EQ(3, out->SeqNum);
    EXPECT_EQ(1, out->Conn);
    EXPECT_EQ(2, out->IOType);
    EXPECT_STREQ("BAY1_CSWI1_CO_Pos_Oper_ctlVal", out->tagUName);
    // Message tags are numbered 1, 2 ... after the load.
    EXPECT_EQ(1, doc.tagsMSG.GetAt(0)->StartAddr);
    EXPECT_EQ(2, doc.tagsMSG.GetAt(1)->StartAddr);
    EXPECT_TRUE(doc.tagsMSG.GetAt(0)->Assigned);

    const CtlModelMap expected = {{{"BAY1LD0_CSWI1_CO_Pos", ""}, 4}, {{"BAY1_CSWI1_Pos", ""}, 4},
                                                     {{"BAY1_GGIO1_Ind1", ""}, 0},      {{"BAY1_MMXU1_TotW", ""}, 0},
                                                     {{"BAY2CTRL_XCBR1_CO_Pos", ""}, 1}, {{"BAY2_XCBR1_Pos", ""}, 0}};
    EXPECT_EQ(expected, doc.ctlModelMap);
}

TEST_F(PrxReader, WrittenAndReadBackGivesTheSameDocument)
{
    FillProject(doc);
    const std::string written = DumpProject(doc);
    doc.WriteProjectXml(folder.File("plant.prj"));

    NewProjectDocument loaded;
    loaded.ReadProjectXml(folder.File("plant.prx"));
    ASSERT_EQ(0u, boxes.Count()) << boxes.Last().text;
    EXPECT_TRUE(loaded.projectReady);
    EXPECT_EQ(written, DumpProject(loaded));
    EXPECT_STREQ(folder.File("plant.prx"), loaded.GetProjectPath());

    // And once more: what was read is written and read again unchanged.
    loaded.WriteProjectXml(folder.File("again.prj"));
    NewProjectDocument again;
    again.ReadProjectXml(folder.File("again.prx"));
    EXPECT_EQ(written, DumpProject(again));
}

TEST_F(PrxReader, ControlModelsOfTheDocumentComeBackUnderTheirFileNames)
{
    doc.ctlModelMap[{"IED1LD0", "CSWI1$CO$Pos"}] = 2;
    doc.ctlModelMap[{"IED1LD0", "XCBR1$CO$Pos"}] = 0;
    Corvel::Records::_IED_DEVICE& ied = IedSlot(doc, 0);
    ied.state = kSlotInUse;
    ied.ConfiguredCache = {{"CSWI1$CO$Pos$Oper$ctlVal", "IED1_CSWI1_Pos", "BOOLEAN", "W", "", "IED1LD0", "Command",
                            "9", "Oper.ctlVal"},
                           {"MMXU1$MX$Hz$mag$f", "IED1_MMXU1_Hz", "FLOAT32", "R", "", "IED1LD0"}};
    doc.WriteProjectXml(folder.File("plant.prj"));

    NewProjectDocument loaded;
    loaded.ReadProjectXml(folder.File("plant.prx"));
    const CtlModelMap expected = {
        {{"IED1LD0_CSWI1_CO_Pos", ""}, 2}, {{"IED1_CSWI1_Pos", ""}, 2}, {{"IED1_MMXU1_Hz", ""}, 0}};
    EXPECT_EQ(expected, loaded.ctlModelMap);
    // The control model column holds what the map gave; a six-column row comes back with its type.
    const auto& rows = IedSlot(loaded, 0).ConfiguredCache;
    ASSERT_EQ(2u, rows.size());
    EXPECT_STREQ("2", rows[0][Corvel::Records::kColCtlModel]);
    EXPECT_EQ((ConfiguredRow{"MMXU1$MX$Hz$mag$f", "IED1_MMXU1_Hz", "FLOAT32", "R", "", "IED1LD0", "Data"}), rows[1]);
    EXPECT_STREQ("2", loaded.FindCtlModelText("IED1LD0_CSWI1$CO$Pos$Oper$ctlVal", "0"));
}

// The file keeps no direction of a tag-map row: the reader gives each the one its path gives, so the Modbus
// and Unity exports count the project's read and written tags.
TEST_F(PrxReader, TagMapRowsTakeTheDirectionOfTheirPath)
{
    const struct {
        const char* path;
        const char* direction;
    } cases[] = {
        {"IED1LD0/MMXU1$MX$TotW$mag$f", "MTCP-->"},
        {"IED1LD0/CSWI1$CO$Pos$Oper$ctlVal", "MTCP<--"},
        {"IED1LD0/GGIO1$SP$SetInt$setVal", "MTCP<--"},
        {"IED1LD0/RP/brcb01:GGIO1$ST$Ind1$stVal", "MTCP-->"},
    };
    for (const auto& c : cases)
        AddTagMap(doc, "T", "", c.path, "INT32");
    doc.WriteProjectXml(folder.File("plant.prj"));

    NewProjectDocument loaded;
    loaded.ReadProjectXml(folder.File("plant.prx"));
    ASSERT_EQ(static_cast<INT_PTR>(std::size(cases)), loaded.project.tagMaps.GetCount());
    POSITION pos = loaded.project.tagMaps.GetHeadPosition();
    for (const auto& c : cases)
        EXPECT_STREQ(c.direction, loaded.project.tagMaps.GetNext(pos)->direction) << c.path;
}

TEST_F(PrxReader, FileWithoutAssignedTagsAndControlModelsLoadsCompletely)
{
    Load(Without(Without(fixture, "AssignedTags"), "CtlModelMap"));
    EXPECT_EQ(0u, boxes.Count());
    EXPECT_TRUE(doc.projectReady);
    EXPECT_EQ(2, doc.GetDeviceCount(CMainDoc::kKindIed));
    EXPECT_EQ(2, doc.project.tagMaps.GetCount());
    EXPECT_EQ(0, doc.tagsINP.GetCount());
    // Only the configured rows' entries.
    EXPECT_EQ(4u, doc.ctlModelMap.size());
}

TEST_F(PrxReader, MissingSectionsStopTheLoadWithTheirMessage)
{
    const struct {
        std::string text;
        std::string message;
    } cases[] = {
        {Without(fixture, "Detail"), "\"" + std::string(path) + "\" failed to load."},
        {Edited(Without(fixture, "Detail"), "<Project>", "<Project><Detail prjName=\"X\"></Detail>"),
         "\"" + std::string(path) + "\" failed to load."},
        {Without(fixture, "Network"), "Failed to read 'Network' section."},
        {Without(fixture, "PLCs"), "Failed to read 'PLCs' section."},
        {Without(fixture, "VendorCIDs"), "Failed to read 'VendorCIDs' section."},
        {Without(fixture, "IEDMap"), "Failed to read 'IEDMap' section."},
        {Without(fixture, "GooseFCDAs"), "Failed to read 'FCDAs' section."},
        {Without(fixture, "TagMap"), "Failed to read 'TagMap' section."},
        {"<Project/>", "\"" + std::string(path) + "\" failed to load."},
    };
    for (const auto& c : cases) {
        boxes.Clear();
        Load(c.text);
        EXPECT_THAT(Texts(), ElementsAre(c.message));
        EXPECT_FALSE(doc.projectReady) << c.message;
    }
}

TEST_F(PrxReader, SectionsBeforeAMissingOneStayApplied)
{
    Load(Without(fixture, "PLCs"));
    EXPECT_THAT(Texts(), ElementsAre("Failed to read 'PLCs' section."));
    EXPECT_FALSE(doc.projectReady);
    EXPECT_STREQ("North Substation", doc.GetProjectName());
    EXPECT_STREQ("10.0.0.5", doc.project.NTPaddr);
    EXPECT_STREQ("172.16.1.20", doc.project.eth1IPaddr);
    EXPECT_EQ(2, doc.project.port61850);
    EXPECT_EQ(0, doc.GetDeviceCount(CMainDoc::kKindIed));
}

TEST_F(PrxReader, PortSettings)
{
    const struct {
        const char* network;
        const char* product;
        int ports;
        int port61850;
        int portPLC;
        bool autoRestart;
    } cases[] = {
        {R"(numPorts="2" autoRestart="No" port61850="2" portPLC="1")", "VQN32-EIP-61850", 2, 2, 1, false},
        {R"(numPorts="1" autoRestart="Yes" port61850="1" portPLC="1")", "VQN31-EIP-61850", 1, 1, 1, true},
        {R"(numPorts="x" autoRestart="yes" port61850="" portPLC="2")", "VQN32-EIP-61850", 2, 2, 2, false},
        // The Detail product decides when Network gives no port count.
        {R"(autoRestart="Yes")", "VQN32-EIP-61850", 2, 1, 1, true},
        {R"(autoRestart="Yes")", "other", 1, 1, 1, true},
    };
    for (const auto& c : cases) {
        std::string text = Edited(fixture, R"(numPorts="2" autoRestart="No" port61850="2" portPLC="1")", c.network);
        text = Edited(text, R"(Korvane="VQN32-EIP-61850")", std::string("Korvane=\"") + c.product + "\"");
        Load(text);
        EXPECT_EQ(c.ports, doc.project.numPorts) << c.network;
        EXPECT_EQ(c.port61850, doc.project.port61850) << c.network;
        EXPECT_EQ(c.portPLC, doc.project.portPLC) << c.network;
        EXPECT_EQ(c.autoRestart, doc.project.autoRestart) << c.network;
    }
    EXPECT_EQ(0u, boxes.Count());
}

TEST_F(PrxReader, TwoPlcElementsFillTheOnePlcRecordAndTheLastRemains)
{
    const size_t start = fixture.find("<PLC ");
    const size_t end = fixture.find("</PLC>") + 6;
    std::string second = Edited(fixture.substr(start, end - start), "devNum=\"1086\"", "devNum=\"1099\"");
    second = Edited(second, "PLC/Run", "PLC/Stop");
    Load(fixture.substr(0, end) + second + fixture.substr(end));
    EXPECT_EQ(0u, boxes.Count());
    EXPECT_EQ(1099, FirstPlc(doc).devNum);
    ASSERT_EQ(1u, FirstPlc(doc).configuredRows.size());
    EXPECT_STREQ("PLC/Stop", FirstPlc(doc).configuredRows[0][0]);
    EXPECT_EQ(kSlotFree, doc.project.plcDevices.GetAt(doc.project.plcDevices.FindIndex(1))->state);
}

TEST_F(PrxReader, EmptyFcdaSectionKeepsTheNewProjectsEmptyList)
{
    const size_t start = fixture.find("<GooseFCDAs>");
    const size_t end = fixture.find("</GooseFCDAs>");
    Load(fixture.substr(0, start) + "<GooseFCDAs>" + fixture.substr(end));
    EXPECT_TRUE(doc.projectReady);
    EXPECT_TRUE(doc.project.fcdas.IsEmpty());
}

// Each entry starts empty: a tag lacking an attribute does not take the one before it.
TEST_F(PrxReader, ReportEntriesDoNotInheritFromTheEntryBefore)
{
    Load(fixture);
    const auto& report = IedSlot(doc, 0).ReportsPath.at("BAY1LD0/MMXU1$MX$TotW$mag$f");
    EXPECT_STREQ("", report.gooseDataSet);
    EXPECT_STREQ("", report.appID);
    EXPECT_FALSE(report.isGOOSE);
    EXPECT_TRUE(report.dataItems.empty());
}

// The rows replace the list: a second load of the same file does not double them.
TEST_F(PrxReader, LoadingTwiceGivesTheSameProject)
{
    Load(fixture);
    const std::string first = DumpProject(doc);
    Load(fixture);
    EXPECT_EQ(first, DumpProject(doc));
    EXPECT_EQ(2, doc.project.tagMaps.GetCount());
    EXPECT_EQ(0u, boxes.Count());
}

TEST_F(PrxReader, CancelInTheSavePromptAbortsTheOpen)
{
    doc.SetProjectName("Current");
    doc.MarkChangedAndUpdateViews();
    boxes.QueueAnswer(IDCANCEL);
    Load(fixture);
    EXPECT_THAT(Texts(), ElementsAre("  Do you want to save changes?"));
    EXPECT_STREQ("Current", doc.GetProjectName());
    EXPECT_EQ(0, doc.GetDeviceCount(CMainDoc::kKindIed));
    EXPECT_TRUE(doc.project.sclFiles.IsEmpty());
    EXPECT_FALSE(doc.projectReady);
    EXPECT_TRUE(doc.modified);
}

TEST_F(PrxReader, EmptyIedMapIsAProjectWithoutIeds)
{
    const size_t start = fixture.find("<IEDMap>");
    const size_t end = fixture.find("</IEDMap>");
    for (const std::string map : {"<IEDMap>", "<IEDMap><Other/>", "<IEDMap/><IEDMap>"}) {
        Load(fixture.substr(0, start) + map + fixture.substr(end));
        EXPECT_EQ(0u, boxes.Count()) << map;
        EXPECT_TRUE(doc.projectReady) << map;
        EXPECT_EQ(0, doc.GetDeviceCount(CMainDoc::kKindIed)) << map;
    }
}

// Readers on a document whose lists hold fewer device records than the file needs.
class PrxReaderWithFewSlots : public ::testing::Test {
protected:
    void KeepSlots(int ieds, int plcs)
    {
        auto& p = doc.project;
        while (p.iedDevices.GetCount() > ieds)
            delete p.iedDevices.RemoveTail();
        while (p.plcDevices.GetCount() > plcs)
            delete p.plcDevices.RemoveTail();
    }
    NewProjectDocument doc;
};

TEST_F(PrxReaderWithFewSlots, IedsBeyondTheLastSlotAreReportedAndSkipped)
{
    KeepSlots(1, 1);
    CProjectXmlReader reader(doc.GetXmlContent());
    ASSERT_TRUE(reader.Read(FixturePath("plant.prx")));
    EXPECT_THAT(reader.GetWarnings(),
                ElementsAre("Warning: The project holds more IEDs than the network view has device slots (1). "
                            "1 IED(s) were not loaded."));
    ASSERT_EQ(1, doc.project.iedDevices.GetCount());
    EXPECT_STREQ("BAY1", IedSlot(doc, 0).name);
    // The sections after the IED map are read as usual.
    EXPECT_EQ(2, doc.project.tagMaps.GetCount());
    EXPECT_EQ(2, doc.tagsMSG.GetCount());
}

TEST_F(PrxReaderWithFewSlots, PlcWithoutARecordIsReported)
{
    KeepSlots(20, 0);
    CProjectXmlReader reader(doc.GetXmlContent());
    ASSERT_TRUE(reader.Read(FixturePath("plant.prx")));
    EXPECT_THAT(reader.GetWarnings(),
                ElementsAre("Warning: The project's PLC was not loaded: the project has no PLC device record."));
    EXPECT_EQ(2, doc.GetDeviceCount(CMainDoc::kKindIed));
}

TEST_F(PrxReader, DamagedFilesAreReportedAndLeaveTheProjectNotReady)
{
    std::string deep;
    for (int i = 0; i < 100; ++i)
        deep += "<a>";
    const struct {
        std::string text;
        std::string messageStart;
    } cases[] = {
        {fixture.substr(0, fixture.size() / 2), "Error: \"" + std::string(path) + "\" is not a well-formed XML file: "},
        {Edited(fixture, "<Network ", "<Network <"), "Error: \"" + std::string(path) + "\" is not a well-formed XML file: "},
        {"", "\"" + std::string(path) + "\" failed to load."},
        {"\x01\x02\xFF<", "Error: \"" + std::string(path) + "\" is not a well-formed XML file: "},
        {"<Project>" + deep, "Error: \"" + std::string(path) + "\" nests its elements deeper than 64 levels."},
    };
    for (const auto& c : cases) {
        boxes.Clear();
        Load(c.text);
        ASSERT_EQ(1u, boxes.Count()) << c.messageStart;
        EXPECT_EQ(c.messageStart, std::string(boxes.Last().text).substr(0, c.messageStart.size()));
        EXPECT_FALSE(doc.projectReady);
    }

    boxes.Clear();
    doc.ReadProjectXml(folder.File("missing.prx"));
    EXPECT_THAT(Texts(), ElementsAre("Error: Could not read \"" + std::string(folder.File("missing.prx")) + "\"."));
}

} // namespace

// The IED mapping dialog over the running Corvel on a shared SCL sample: mapping, Save, the module
// configuration written from it, deleting array rows, Clear All, the layout and a model that cannot load.
#include "corvel/mapping/ied_map_dlg.h"

#include "corvel/document/main_doc.h"
#include "corvel/resources/resource.h"
#include "corvel/gateway/aoi_export.h"
#include "corvel/gateway/device_config.h"
#include "corvel/gateway/unity_export.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "../app/corvel_app_environment.h"
#include "../controls/grid_list_fixture.h"
#include "ied_tree_paths.h"
#include "support/console_program.h"
#include "support/message_box_recorder.h"
#include "support/parsed_xml.h"
#include "support/paths.h"
#include "support/test_program.h"
#include "support/window_screenshot.h"

namespace {

using namespace Corvel::Mapping;
using Corvel::Records::_IED_DEVICE;
using Corvel::Records::ConfiguredRow;

const char kSample[] = "scl/iec61850lib_examples_server_example_goose_simpleIO_direct_control_goose.cid";
const char kSection[] = "Mapper";
// Eight switch controls, SPCSO1 to SPCSO8, with the control models 1, 2, 3, 4, 1, 2, 3, 4 (direct,
// select-before-operate, direct-enhanced, select-before-operate-enhanced).
const char kControlSample[] = "scl/iec61850lib_dotnet_tests_simpleIO_control_tests.scd";

// The command tag maps of a written configuration ("TagMap" under "Commands"), by the tag names of their
// "TagMapData": "domname|datapath|ctltype".
void CollectCommandMaps(const XmlNode* node, bool inCommands, std::map<std::string, std::string>& maps)
{
    for (const XmlNode* child = node->first_node(); child != nullptr; child = child->next_sibling()) {
        if (child->type() != rapidxml::node_element)
            continue;
        const std::string name = child->name();
        // Plain-data tag maps, which stand beside them, have the select-before-operate path "none".
        if (inCommands && name == "TagMap" && ParsedXml::Attribute(child, "sbopath") != "none") {
            const std::string text = ParsedXml::Attribute(child, "domname") + "|" +
                                     ParsedXml::Attribute(child, "datapath") + "|" +
                                     ParsedXml::Attribute(child, "ctltype");
            for (const XmlNode* data = child->first_node("TagMapData"); data != nullptr;
                 data = data->next_sibling("TagMapData"))
                maps[ParsedXml::Attribute(data, "tagname")] = text;
        }
        CollectCommandMaps(child, inCommands || name == "Commands", maps);
    }
}
std::map<std::string, std::string> CommandMaps(const CString& configPath)
{
    std::map<std::string, std::string> maps;
    const ParsedXml xml(configPath);
    if (xml.Root() != nullptr)
        CollectCommandMaps(xml.Root(), false, maps);
    return maps;
}

class IedMapDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SKIP_WITHOUT_SHARED_TESTDATA();
        app = &CorvelAppEnvironment::App();
        app->SetRegistryKey(TestRegistryKey());
        app->WriteProfileString(kSection, nullptr, nullptr);
        doc = CorvelAppEnvironment::Doc();
        ASSERT_NE(nullptr, doc);
        doc->modified = false;
        doc->OnFileNew();
        auto pos = doc->project.iedDevices.GetHeadPosition();
        ied = doc->project.iedDevices.GetNext(pos);
        other = doc->project.iedDevices.GetNext(pos);
        ied->state = other->state = Corvel::Records::kSlotInUse;
        ied->name = "simpleIO";
        ied->CIDFile = SharedTestData(kSample);
        doc->ClearTagMap();
        // Another IED with a mapped tag of its own.
        other->name = "otherIED";
        other->ConfiguredCache = {{"otherLD/GGIO1$ST$Ind1$stVal", "other_tag", "BOOLEAN", "R", "", "otherLD"}};
        auto map = std::make_unique<Corvel::Records::_TAGSMAP>();
        map->tagName = "other_tag";
        map->dataType = "BOOLEAN";
        map->direction = "MTCP-->";
        doc->project.tagMaps.AddTail(map.release());
    }
    void TearDown() override
    {
        if (dialog && dialog->m_hWnd != nullptr)
            dialog->DestroyWindow();
        dialog.reset();
        PumpMessages();
        if (doc == nullptr)
            return;
        doc->modified = false;
        doc->OnFileNew();
    }

    void Open(const CString& sclPath)
    {
        dialog = std::make_unique<CIEDMapDlg>();
        dialog->SetProject(doc, ied->devNum);
        dialog->m_sclPath = sclPath;
        ASSERT_TRUE(dialog->Create(IDD_IED_MAPPING, CorvelAppEnvironment::Frame()));
        if (dialog->m_hWnd != nullptr)
            dialog->ShowWindow(SW_SHOWNA);
        PumpMessages();
    }
    void Open() { Open(ied->CIDFile); }
    CIEDTree& Tree() { return dialog->GetTree(); }
    HTREEITEM Find(const CString& path) { return FindTreePath(Tree(), path); }
    void Select(const CString& path) { SelectTreePath(Tree(), path); }
    // Two data attributes, a command, a report block and a GOOSE block mapped.
    void MapSample()
    {
        Select("simpleIO/GenericIO/GGIO1/SPCSO1/stVal");
        Select("simpleIO/GenericIO/GGIO1/AnIn1/mag/f");
        Select("simpleIO/GenericIO/GGIO1/SPCSO1/Oper/ctlVal");
        Select("simpleIO/GenericIO/LLN0/Reports/EventsRCB01 : ");
        Select("simpleIO/GenericIO/LLN0/Goose/gcbEvents");
        dialog->MapSelection();
    }
    std::vector<CString> TagMapNames() const
    {
        std::vector<CString> names;
        for (POSITION pos = doc->project.tagMaps.GetHeadPosition(); pos != nullptr;)
            names.push_back(doc->project.tagMaps.GetNext(pos)->tagName);
        return names;
    }
    void Command(UINT id)
    {
        dialog->SendMessage(WM_COMMAND, id);
        PumpMessages();
    }

    CWinApp* app = nullptr;
    CMainDoc* doc = nullptr;
    _IED_DEVICE* ied = nullptr;
    _IED_DEVICE* other = nullptr;
    MessageBoxRecorder boxes;
    TempFolder scratch;
    std::unique_ptr<CIEDMapDlg> dialog;
};

TEST_F(IedMapDialogTest, MapsARealIedAndSavesItsShareOfTheProject)
{
    Open();
    ASSERT_NE(dialog->m_hWnd, nullptr);
    EXPECT_EQ(boxes.Count(), 0u);
    MapSample();
    const MappedRows rows = dialog->GetList().GetRows();
    // 4 report members, 4 GOOSE members (their stVal members were dragged with the report), 1 attribute
    // (SPCSO1's stVal too) and 1 command.
    ASSERT_EQ(rows.size(), 10u);
    // Display order: the blocks under LLN0 come first.
    EXPECT_EQ(rows[0].path, "simpleIOGenericIO/RP/EventsRCB01:GGIO1$ST$SPCSO1$stVal");
    EXPECT_EQ(rows[0].tagName, "simpleIOGenericIO_GGIO1_ST_SPCSO1_stVal");
    EXPECT_EQ(rows[0].description, "RP/EventsRCB01:GGIO1$ST$SPCSO1$stVal");
    EXPECT_EQ(rows[4].description, "GOOSE/gcbEvents:GGIO1$ST$SPCSO1$q");
    EXPECT_EQ(rows[9].tagName, "simpleIOGenericIO_GGIO1_CO_SPCSO1_Oper_ctlVal");

    Command(ID_IED_MAPPING_SAVE);
    EXPECT_EQ(dialog->m_hWnd, nullptr);
    EXPECT_TRUE(dialog->IsSaved());
    EXPECT_EQ(boxes.Count(), 0u);

    // The other IED keeps its tag; this IED's tags follow it, once each.
    std::vector<CString> names = TagMapNames();
    ASSERT_EQ(names.size(), 11u);
    EXPECT_EQ(names[0], "other_tag");
    EXPECT_EQ(std::set<CString>(names.begin(), names.end()).size(), names.size());
    for (POSITION pos = doc->project.tagMaps.GetHeadPosition(); pos != nullptr;) {
        const Corvel::Records::_TAGSMAP* map = doc->project.tagMaps.GetNext(pos);
        EXPECT_EQ(map->direction, map->tagPath.Find("$CO$") >= 0 ? "MTCP<--" : "MTCP-->") << (LPCSTR)map->tagPath;
    }

    const auto& lists = ied->ConfiguredCache;
    ASSERT_EQ(lists.size(), 10u);
    EXPECT_EQ(lists[8], (ConfiguredRow{"simpleIOGenericIO/GGIO1$MX$AnIn1$mag$f",
                                       "simpleIOGenericIO_GGIO1_MX_AnIn1_mag_f", "FLOAT32", "R", "",
                                       "simpleIOGenericIO"}));
    const auto command = std::find_if(lists.begin(), lists.end(),
                                      [](const ConfiguredRow& row) { return row.size() > 6 && row[6] == "Command"; });
    ASSERT_NE(command, lists.end());
    EXPECT_EQ(command->size(), 9u);
    EXPECT_EQ((*command)[3], "W");
    EXPECT_EQ((*command)[8], "SPCSO1");
    int reports = 0;
    for (const ConfiguredRow& row : lists) {
        if (row.size() == 7 && row[6] == "Report") {
            ++reports;
            const auto entry = ied->ReportsPath.find(row[0]);
            ASSERT_NE(entry, ied->ReportsPath.end());
            // A report row's report name: the prefix, "_" and the last part of its path.
            CString expected = "simpleIOGenericIO_" + row[0].Mid(row[0].ReverseFind('/') + 1);
            expected.Replace('$', '_');
            EXPECT_EQ(entry->second.tagUName, expected);
        }
    }
    EXPECT_EQ(reports, 8);
    EXPECT_EQ(doc->project.fcdas.GetCount(), 4);

    // The module configuration holds exactly the mapped tags.
    const CString folder = scratch.Path();
    doc->SetProjectPath(folder + "\\mapped.prj");
    int tagCount = 0;
    doc->WriteDeviceConfig(folder + "\\config.xml", tagCount);
    EXPECT_EQ(tagCount, 11);
    const CString text = ReadTextFile(folder + "\\config.xml").c_str();
    std::set<CString> written;
    for (int at = text.Find("tagname=\""); at >= 0; at = text.Find("tagname=\"", at + 1)) {
        const int start = at + 9;
        written.insert(text.Mid(start, text.Find('"', start) - start));
    }
    std::set<CString> mapped(names.begin(), names.end());
    EXPECT_EQ(written, mapped);

    // Opening again shows the saved rows; saving again keeps every record once.
    Open();
    EXPECT_EQ(dialog->GetOpeningRowCount(), 10);
    EXPECT_GT(dialog->GetTotalDataSize(), 0);
    Command(ID_IED_MAPPING_SAVE);
    EXPECT_EQ(TagMapNames(), names);
    EXPECT_EQ(doc->project.fcdas.GetCount(), 4);
}

// The "Type" column shows the PLC data type of each attribute's IEC type, and sorts by it; the project keeps
// the IEC type, which every reader of the stored rows reads.
TEST_F(IedMapDialogTest, TheTypeColumnShowsPlcTypesAndTheProjectKeepsIecTypes)
{
    const struct {
        const char* pathEnd;
        const char* shown;
        const char* stored;
    } cases[] = {
        {"$stVal", "BOOL", "BOOLEAN"},
        {"$q", "INT", "Quality"},
        {"$t", "DATETIME", "Timestamp"},
        {"$mag$f", "REAL", "FLOAT32"},
        {"$ctlVal", "BOOL", "BOOLEAN"},
    };
    const auto check = [&](const char* when) {
        CIEDMapListCtrl& list = dialog->GetList();
        std::set<CString> seen;
        for (int row = 0; row < list.GetItemCount(); ++row) {
            const CString path = list.GetItemText(row, 1);
            for (const auto& c : cases) {
                if (path.Right(static_cast<int>(strlen(c.pathEnd))) != c.pathEnd)
                    continue;
                seen.insert(c.pathEnd);
                EXPECT_EQ(list.GetItemText(row, 3), c.shown) << when << " " << (LPCSTR)path;
                EXPECT_EQ(list.GetRows()[static_cast<size_t>(row)].type, c.stored) << when << " " << (LPCSTR)path;
            }
        }
        EXPECT_EQ(seen.size(), std::size(cases)) << when;
    };
    Open();
    MapSample();
    Tree().SetAllSelected(false);
    Select("simpleIO/GenericIO/GGIO1/AnIn1/q");
    Select("simpleIO/GenericIO/GGIO1/AnIn1/t");
    dialog->MapSelection();
    check("dropped");

    Command(ID_IED_MAPPING_SAVE);
    std::map<CString, CString> storedTypes;
    for (const ConfiguredRow& row : ied->ConfiguredCache)
        storedTypes[row[0]] = row[2];
    for (POSITION pos = doc->project.tagMaps.GetHeadPosition(); pos != nullptr;) {
        const Corvel::Records::_TAGSMAP* map = doc->project.tagMaps.GetNext(pos);
        if (map->tagName != "other_tag") {
            EXPECT_EQ(map->dataType, storedTypes[map->tagPath]) << (LPCSTR)map->tagPath;
        }
    }
    for (const auto& [path, type] : storedTypes) {
        EXPECT_TRUE(type == "BOOLEAN" || type == "Quality" || type == "Timestamp" || type == "FLOAT32")
            << (LPCSTR)path << " " << (LPCSTR)type;
    }

    Open();
    check("reopened");
    CIEDMapListCtrl& list = dialog->GetList();
    ASSERT_TRUE(list.SortColumn(3, true));
    std::vector<CString> shown;
    for (int row = 0; row < list.GetItemCount(); ++row)
        shown.push_back(list.GetItemText(row, 3));
    EXPECT_TRUE(std::is_sorted(shown.begin(), shown.end())) << (LPCSTR)shown.front() << " .. " << (LPCSTR)shown.back();
}

// A project saved with the IEC types in its rows (as every project is) opens with the PLC types in the
// "Type" column, and its module configuration, AOI file and Unity variables follow the stored IEC types, before
// and after the IED's mapping is saved again.
class IecTypedProjectTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CorvelAppEnvironment::App().SetRegistryKey(TestRegistryKey());
        doc = CorvelAppEnvironment::Doc();
        ASSERT_NE(nullptr, doc);
        doc->modified = false;
        doc->OnFileNew();
    }
    void TearDown() override
    {
        if (dialog && dialog->m_hWnd != nullptr)
            dialog->DestroyWindow();
        dialog.reset();
        PumpMessages();
        doc->modified = false;
        doc->OnFileNew();
    }

    // Each output of the project, written into the scratch folder: tag name to its "datatype dim0" in the
    // configuration, "DataType Dimension Radix" of its AOI member, and its Unity "typeName".
    struct Outputs {
        std::map<std::string, std::string> config;
        std::map<std::string, std::string> aoi;
        std::map<std::string, std::string> unity;
    };
    Outputs Write()
    {
        Outputs out;
        const CString config = scratch.File("Current.xml");
        Corvel::Gateway::DeviceConfigOptions options;
        options.withAttachments = false;
        Corvel::Gateway::WriteDeviceConfigFile(doc->GetXmlContent(), config, options);
        const ParsedXml configXml(config);
        for (const XmlNode* tag = configXml.Find("TagDB/tags")->first_node("tag"); tag != nullptr;
             tag = tag->next_sibling("tag")) {
            out.config[ParsedXml::Attribute(tag, "name")] =
                ParsedXml::Attribute(tag, "datatype") + " " + ParsedXml::Attribute(tag, "dim0");
        }

        Corvel::Gateway::CGenAOI aoi(Corvel::Gateway::CGenAOI::GetProjectDevices(doc->project));
        aoi.SetOverwriteWithoutAsking(true);
        EXPECT_TRUE(aoi.ExportAll(config));
        const ParsedXml aoiXml(scratch.File("BAY1_AOI.L5X"));
        for (const XmlNode* member = aoiXml.Find("Controller/DataTypes/DataType/Members")->first_node("Member");
             member != nullptr; member = member->next_sibling("Member")) {
            out.aoi["BAY1" + ParsedXml::Attribute(member, "Name")] = ParsedXml::Attribute(member, "DataType") + " " +
                                                                   ParsedXml::Attribute(member, "Dimension") + " " +
                                                                   ParsedXml::Attribute(member, "Radix");
        }

        Corvel::Records::CPLC_Device plc;
        plc.name = "Line PLC";
        plc.devType = Corvel::Gateway::kDevTypeQuantum;
        Corvel::Gateway::CUnityExporter unity;
        unity.Attach(doc->project, plc);
        const CString variables = scratch.File("unity.xsy");
        EXPECT_TRUE(unity.WriteVariablesFile(variables));
        const ParsedXml unityXml(variables);
        for (const XmlNode* source = unityXml.Root()->first_node("DDTSource"); source != nullptr;
             source = source->next_sibling("DDTSource")) {
            for (const XmlNode* member = source->first_node("structure")->first_node("variables"); member != nullptr;
                 member = member->next_sibling("variables"))
                out.unity[ParsedXml::Attribute(member, "name")] = ParsedXml::Attribute(member, "typeName");
        }
        return out;
    }

    CMainDoc* doc = nullptr;
    MessageBoxRecorder boxes;
    TempFolder scratch;
    std::unique_ptr<CIEDMapDlg> dialog;
};

TEST_F(IecTypedProjectTest, OpensWithPlcTypesShownAndOutputsOfItsIecTypes)
{
    const struct {
        const char* tag;
        const char* shown;  // the "Type" column: the PLC type of the IEC type table
        const char* config; // the configuration's type conversion, with the array dimension
        const char* aoi;    // the member of that configuration type
        const char* unity;  // the element type and count of the IEC type
    } cases[] = {
        {"BAY1_TotW", "REAL", "REAL 0", "REAL 0 Float", "REAL"},
        {"BAY1_Ind1", "BOOL", "BOOL 0", "BIT 0 Decimal", "INT"},
        {"BAY1_Ind1T", "DATETIME", "DATETIME 0", "LINT 0 Date/Time", "ARRAY[0..3] OF INT"},
        {"BAY1_Cnt", "DINT", "DINT 0", "DINT 0 Decimal", "ARRAY[0..1] OF INT"},
        {"BAY1_SupWh", "UDINT", "UDINT 0", "DINT 0 Decimal", "UDINT"},
        {"BAY1_Vendor", "STRING", "STRING 0", "SINT 102 Decimal", "ARRAY[0..50] OF INT"},
        {"BAY1_Raw", "INT", "INT 32", "INT 32 Decimal", "ARRAY[0..31] OF INT"},
        {"BAY1_Beh", "INT", "INT 0", "INT 0 Decimal", "INT"},
        // The two tables differ here: the IEC type table gives INT, the configuration's conversion UBYTE.
        {"BAY1_Chk", "INT", "UBYTE 0", "SINT 0 Decimal", "INT"},
        {"BAY1_Pos", "BOOL", "BOOL 0", "BIT 0 Decimal", "INT"},
    };
    doc->ReadProjectXml(SourcePath("tests/corvel/mapping/fixtures/iec_type_names.prx"));
    PumpMessages();
    ASSERT_EQ(0u, boxes.Count()) << (LPCSTR)boxes.Last().text;
    ASSERT_TRUE(doc->projectReady);
    _IED_DEVICE* ied = doc->project.iedDevices.GetHead();
    ASSERT_EQ(ied->name, "BAY1");
    const Outputs opened = Write();
    for (const auto& c : cases) {
        EXPECT_EQ(opened.config.at(c.tag), c.config) << c.tag;
        EXPECT_EQ(opened.aoi.at(c.tag), c.aoi) << c.tag;
    }

    // The mapping dialog, without the IED's model: the rows come from the project.
    dialog = std::make_unique<CIEDMapDlg>();
    dialog->SetProject(doc, ied->devNum);
    dialog->m_sclPath = "";
    ASSERT_TRUE(dialog->Create(IDD_IED_MAPPING, CorvelAppEnvironment::Frame()));
    PumpMessages();
    CIEDMapListCtrl& list = dialog->GetList();
    ASSERT_EQ(list.GetItemCount(), static_cast<int>(std::size(cases)));
    for (int row = 0; row < list.GetItemCount(); ++row)
        EXPECT_EQ(list.GetItemText(row, 3), cases[row].shown) << cases[row].tag;
    dialog->SendMessage(WM_COMMAND, ID_IED_MAPPING_SAVE);
    PumpMessages();
    EXPECT_EQ(dialog->m_hWnd, nullptr);
    EXPECT_EQ(0u, boxes.Count()) << (LPCSTR)boxes.Last().text;

    // Save keeps the IEC types; the outputs stay those of the project as opened. The tag map now has the
    // directions the Unity file sorts by.
    const Outputs saved = Write();
    EXPECT_EQ(saved.config, opened.config);
    EXPECT_EQ(saved.aoi, opened.aoi);
    for (const auto& c : cases)
        EXPECT_EQ(saved.unity.at(c.tag), c.unity) << c.tag;
}

// Commands mapped in the dialog and saved: every command tag map carries the control model the SCL file gives
// its control, written in-process and by cfggen from the saved .prx and .prj, with the IEC 61850 client on
// either port; its data path starts at the logical node.
TEST_F(IedMapDialogTest, CommandsAreWrittenWithTheirControlModels)
{
    ied->CIDFile = SharedTestData(kControlSample);
    Open();
    ASSERT_NE(dialog->m_hWnd, nullptr);
    CString path;
    for (int i = 1; i <= 8; ++i) {
        path.Format("simpleIO/GenericIO/GGIO1/SPCSO%d/Oper/ctlVal", i);
        Select(path);
    }
    dialog->MapSelection();
    Command(ID_IED_MAPPING_SAVE);
    ASSERT_EQ(boxes.Count(), 0u) << (LPCSTR)boxes.Last().text;

    std::map<std::string, std::string> expected;
    for (int i = 1; i <= 8; ++i) {
        CString tag, map;
        tag.Format("simpleIOGenericIO_GGIO1_CO_SPCSO%d_Oper_ctlVal", i);
        map.Format("simpleIOGenericIO|GGIO1$CO$SPCSO%d|%d", i, (i - 1) % 4 + 1);
        expected[(LPCSTR)tag] = (LPCSTR)map;
    }
    const CString folder = scratch.Path();
    for (const bool secondPort : {false, true}) {
        SCOPED_TRACE(secondPort ? "IEC 61850 on E2" : "IEC 61850 on E1");
        doc->project.numPorts = secondPort ? 2 : 1;
        doc->project.port61850 = secondPort ? 2 : 1;
        const CString base = folder + (secondPort ? "\\two-ports" : "\\one-port");
        doc->SetProjectPath(base + ".prj");
        ASSERT_TRUE(doc->SaveProject());
        int tagCount = 0;
        doc->WriteDeviceConfig(base + "-in-process.xml", tagCount);
        EXPECT_EQ(CommandMaps(base + "-in-process.xml"), expected);
        for (const char* extension : {".prx", ".prj"}) {
            SCOPED_TRACE(extension);
            const CString output = base + "-cfggen.xml";
            ::DeleteFileA(output);
            const RunResult run = RunConsoleProgram(
                "tools\\cfggen.exe", std::string("\"") + (LPCSTR)(base + extension) + "\" \"" + (LPCSTR)output + "\"");
            EXPECT_EQ(run.exitCode, 0u) << run.errors;
            EXPECT_EQ(CommandMaps(output), expected);
        }
    }
    EXPECT_EQ(boxes.Count(), 0u);
}

TEST_F(IedMapDialogTest, ClearAllReachesTheProjectOnlyThroughSave)
{
    Open();
    MapSample();
    Command(ID_IED_MAPPING_SAVE);
    const std::vector<CString> saved = TagMapNames();

    Open();
    Command(ID_IED_MAPPING_CLEAR_ALL);
    EXPECT_EQ(dialog->GetList().GetItemCount(), 0);
    EXPECT_TRUE(dialog->IsChanged());
    Command(ID_IED_MAPPING_CANCEL);
    EXPECT_EQ(dialog->m_hWnd, nullptr);
    EXPECT_EQ(TagMapNames(), saved);
    EXPECT_EQ(ied->ConfiguredCache.size(), 10u);

    Open();
    Command(ID_IED_MAPPING_CLEAR_ALL);
    Command(ID_IED_MAPPING_SAVE);
    EXPECT_TRUE(ied->ConfiguredCache.empty());
    EXPECT_EQ(TagMapNames(), std::vector<CString>{"other_tag"});
}

TEST_F(IedMapDialogTest, DeletingAnArrayElementAsksForTheWholeArray)
{
    Open();
    CIEDMapListCtrl& list = dialog->GetList();
    MappedRows rows;
    for (int element : {0, 1, 2, 120}) {
        MappedRow row;
        row.path.Format("LD/MHAI1$MX$PhV[%d]$mag", element);
        row.tagName.Format("LD_MHAI1_MX_PhV[%d]_mag", element);
        row.type = "FLOAT32";
        rows.push_back(row);
    }
    MappedRow plain;
    plain.path = "LD/GGIO1$ST$Ind1$stVal";
    plain.tagName = "LD_GGIO1_ST_Ind1_stVal";
    rows.push_back(plain);
    list.AppendRows(rows);

    list.SelectRow(1, true);
    list.SelectRow(4, true);
    boxes.QueueAnswer(IDNO);
    list.DeleteSelectedRows();
    ASSERT_EQ(boxes.Count(), 1u);
    EXPECT_EQ(boxes.Last().text,
              "individual elements of an array cannot be deleted. Do you want to delete the entire array?");
    EXPECT_EQ(list.GetItemCount(), 4);
    EXPECT_FALSE(list.IsRowSelected(1));

    list.SelectRow(2, true);
    boxes.QueueAnswer(IDYES);
    list.DeleteSelectedRows();
    EXPECT_EQ(list.GetItemCount(), 0);
}

// The user deletes rows with the Delete key and with the row menu's "Delete" (its only item).
TEST_F(IedMapDialogTest, DeleteKeyAndRowMenuDeleteTheSelectedRows)
{
    Open();
    CIEDMapListCtrl& list = dialog->GetList();
    MappedRows rows;
    for (int index = 1; index <= 3; ++index) {
        MappedRow row;
        row.path.Format("LD/GGIO1$ST$Ind%d$stVal", index);
        row.tagName.Format("LD_GGIO1_ST_Ind%d_stVal", index);
        row.type = "BOOLEAN";
        rows.push_back(row);
    }
    list.AppendRows(rows);
    const auto paths = [&list] {
        std::vector<CString> texts;
        for (const MappedRow& row : list.GetRows())
            texts.push_back(row.path);
        return texts;
    };

    list.SelectRow(-1, false);
    list.SelectRow(0, true);
    PostKey(list.m_hWnd, VK_DELETE);
    EXPECT_EQ((std::vector<CString>{"LD/GGIO1$ST$Ind2$stVal", "LD/GGIO1$ST$Ind3$stVal"}), paths());
    EXPECT_EQ(2, list.GetItemCount());

    list.SelectRow(-1, false);
    list.SelectRow(1, true);
    CRect row;
    ASSERT_TRUE(list.GetItemRect(1, &row, LVIR_BOUNDS));
    {
        MenuCatcher menu;
        menu.Choose(ID_GRID_DELETE);
        PostRightClick(list, row.CenterPoint());
        EXPECT_EQ((std::vector<UINT>{ID_GRID_DELETE}), menu.Ids());
    }
    EXPECT_EQ((std::vector<CString>{"LD/GGIO1$ST$Ind2$stVal"}), paths());
    EXPECT_EQ(0u, boxes.Count());
}

// The list holds its rows itself: what it shows, what a sort reorders and what Save reads are the same rows.
TEST_F(IedMapDialogTest, TheListShowsAndSortsTheRowsItHolds)
{
    Open();
    CIEDMapListCtrl& list = dialog->GetList();
    MappedRows rows;
    for (const char* name : {"LD_b", "LD_c", "LD_a"}) {
        MappedRow row;
        row.path = CString("LD/") + name;
        row.tagName = name;
        row.entry.namePrefix = name;
        rows.push_back(row);
    }
    list.AppendRows(rows);
    ASSERT_TRUE(list.SortColumn(2, true));
    const std::vector<CString> sorted = {"LD_a", "LD_b", "LD_c"};
    for (int row = 0; row < 3; ++row) {
        EXPECT_EQ(list.GetItemText(row, 2), sorted[row]);
        EXPECT_EQ(list.GetItemText(row, 1), "LD/" + sorted[row]);
        EXPECT_EQ(list.GetRows()[row].entry.namePrefix, sorted[row]);
    }
    ASSERT_TRUE(list.SortColumn(2, false));
    EXPECT_EQ(list.GetItemText(0, 2), "LD_c");
    EXPECT_EQ(list.GetRows().front().tagName, "LD_c");
}

TEST_F(IedMapDialogTest, StoredColumnWidthsAndAModelThatCannotLoad)
{
    app->WriteProfileInt(kSection, "COL0", 3);
    app->WriteProfileInt(kSection, "COL1", 0);
    app->WriteProfileInt(kSection, "COL2", 150);
    Open();
    EXPECT_EQ(dialog->GetList().GetColumnWidth(1), 100);
    EXPECT_EQ(dialog->GetList().GetColumnWidth(2), 0);
    EXPECT_EQ(dialog->GetList().GetColumnWidth(3), 150);
    dialog->DestroyWindow();

    // The dialog ends at once and writes nothing.
    const size_t before = ied->ConfiguredCache.size();
    Open(scratch.File("missing.icd"));
    EXPECT_EQ(dialog->m_hWnd, nullptr);
    EXPECT_EQ(ied->ConfiguredCache.size(), before);
    EXPECT_EQ(TagMapNames(), std::vector<CString>{"other_tag"});
}

TEST_F(IedMapDialogTest, Screenshot)
{
    Open();
    MapSample();
    Tree().SetAllSelected(false);
    Select("simpleIO/GenericIO/GGIO1/AnIn1/q");
    Select("simpleIO/GenericIO/GGIO1/AnIn1/t");
    Tree().EnsureVisible(Find("simpleIO/GenericIO/GGIO1/AnIn1"));
    dialog->SetWindowPos(nullptr, 0, 0, 1000, 520, SWP_NOMOVE | SWP_NOZORDER);
    dialog->SetForegroundWindow();
    Tree().SetFocus();
    PumpMessages();
    EXPECT_EQ("", SaveWindowScreenshot(dialog->m_hWnd, "ied-mapping"));
    EXPECT_EQ(0, DarkPixelsBelowHeader(dialog->GetList())) << "no line under the mapped list's header";
}

} // namespace

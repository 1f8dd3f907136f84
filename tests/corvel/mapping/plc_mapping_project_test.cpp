// A project taken the whole way through the mapping dialogs over the running Corvel: an IED added from a
// shared SCL sample and placed, its attributes mapped in the IED mapping dialog, the tags assigned to
// connection 12 and, with Auto Assign, to connection 0 in the EtherNet/IP mapping dialog, the project saved
// and opened again. The assignment comes back intact, and the module configuration's implicit maps and the
// AOI file follow it.
#include "corvel/document/main_doc.h"
#include "corvel/resources/resource.h"
#include "corvel/gateway/aoi_export.h"
#include "corvel/mapping/eip_plc_map_dlg.h"
#include "corvel/mapping/ied_map_dlg.h"
#include "corvel/project/path_utils.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <regex>
#include <string>
#include <vector>

#include "../app/corvel_app_environment.h"
#include "ied_tree_paths.h"
#include "support/message_box_recorder.h"
#include "support/parsed_xml.h"
#include "support/paths.h"
#include "support/scripted_file_dialog.h"

namespace {

using namespace Corvel::Mapping;
using Corvel::Records::_TAGS;
using Corvel::Records::CVQNTagsList;

const char kSample[] = "scl/iec61850lib_examples_server_example_goose_simpleIO_direct_control_goose.cid";
const char kDevice[] = "simpleIO";
const char kModel[] = "simpleIO/GenericIO/";

// "name@connection:start" of each tag of a list, in order, and whether every one is committed.
std::vector<std::string> Placements(const CVQNTagsList& list)
{
    std::vector<std::string> placed;
    for (INT_PTR i = 0; i < list.GetCount(); ++i) {
        const _TAGS& tag = *list.GetAt(i);
        placed.push_back(std::string(tag.tagName) + "@" + std::to_string(tag.Conn) + ":" +
                         std::to_string(tag.StartAddr) + (tag.SeqNum == 0 ? "" : " (not committed)"));
    }
    return placed;
}

// The assignment of the three lists.
struct Assignment {
    std::vector<std::string> inputs;
    std::vector<std::string> outputs;
    std::vector<std::string> messages;
    bool operator==(const Assignment& other) const
    {
        return inputs == other.inputs && outputs == other.outputs && messages == other.messages;
    }
};

void PrintTo(const Assignment& a, std::ostream* os)
{
    for (const auto* list : {&a.inputs, &a.outputs, &a.messages}) {
        *os << "\n  [";
        for (const std::string& text : *list)
            *os << text << " ";
        *os << "]";
    }
}

Assignment AssignmentOf(const CMainDoc& doc)
{
    return {Placements(doc.tagsINP), Placements(doc.tagsOUT), Placements(doc.tagsMSG)};
}

// "Tag:StartAddress" of the maps of one direction, by connection number ("00", "12").
using ConnectionMaps = std::map<std::string, std::vector<std::string>>;

ConnectionMaps ListMaps(const CVQNTagsList& list)
{
    ConnectionMaps maps;
    for (INT_PTR i = 0; i < list.GetCount(); ++i) {
        const _TAGS& tag = *list.GetAt(i);
        char number[8];
        snprintf(number, sizeof number, "%02d", tag.Conn);
        maps[number].push_back(std::string(tag.tagName) + ":" + std::to_string(tag.StartAddr));
    }
    return maps;
}

ConnectionMaps WrittenMaps(const XmlNode* implicit, const char* direction)
{
    ConnectionMaps maps;
    for (const XmlNode* connection = implicit->first_node("Connection"); connection != nullptr;
         connection = connection->next_sibling("Connection")) {
        std::vector<std::string>& tags = maps[ParsedXml::Attribute(connection, "No")];
        for (const XmlNode* map = connection->first_node(direction)->first_node("Map"); map != nullptr;
             map = map->next_sibling("Map"))
            tags.push_back(ParsedXml::Attribute(map, "Tag") + ":" + ParsedXml::Attribute(map, "StartAddress"));
    }
    // A connection written for the other direction only has no maps of this one.
    for (auto it = maps.begin(); it != maps.end();)
        it = it->second.empty() ? maps.erase(it) : std::next(it);
    return maps;
}

// The driver of that id in any resource of the configuration, or null.
const XmlNode* FindDriver(const ParsedXml& config, const char* id)
{
    for (const XmlNode* resource = config.Find("Resources/Resource"); resource != nullptr;
         resource = resource->next_sibling("Resource")) {
        for (const XmlNode* driver = resource->first_node("Driver"); driver != nullptr;
             driver = driver->next_sibling("Driver")) {
            if (ParsedXml::Attribute(driver, "id") == id)
                return driver;
        }
    }
    return nullptr;
}

class PlcMappingProject : public ::testing::Test {
protected:
    void SetUp() override
    {
        SKIP_WITHOUT_SHARED_TESTDATA();
        doc = CorvelAppEnvironment::Doc();
        ASSERT_NE(nullptr, doc);
        doc->modified = false;
        doc->OnFileNew();
        // Two ports: connections 10 to 19 exist.
        doc->project.numPorts = 2;
        ASSERT_TRUE(::CreateDirectoryA(scratch.File("SCLFiles"), nullptr));
        sclPath = scratch.File("SCLFiles\\" + GetFileNameOfPath(SharedTestData(kSample)));
        ASSERT_TRUE(::CopyFileA(SharedTestData(kSample), sclPath, FALSE));
    }
    void TearDown() override
    {
        for (CWnd* window : {static_cast<CWnd*>(iedDialog.get()), static_cast<CWnd*>(plcDialog.get())}) {
            if (window != nullptr && window->m_hWnd != nullptr)
                window->DestroyWindow();
        }
        PumpMessages();
        if (doc == nullptr)
            return;
        doc->modified = false;
        doc->OnFileNew();
    }

    // Add IED with the file dialog, then the IED placed on the network view: its device id.
    int AddAndPlaceIed()
    {
        ScriptedFileDialog files({sclPath});
        doc->OnAddIed();
        CMainDoc::CConnectedAPArray entries;
        CMainDoc::ReadIedHeader(sclPath, entries);
        EXPECT_EQ(1, entries.GetSize());
        int device = -1;
        if (entries.GetSize() == 1)
            device = CorvelAppEnvironment::View()->AddDevice(CMainDoc::kKindIed, sclPath, entries[0]);
        for (INT_PTR i = 0; i < entries.GetSize(); ++i)
            delete entries[i];
        return device;
    }

    // The attributes chosen in the IED's tree, dropped on the list and saved.
    void MapAttributes(int device, const std::vector<CString>& paths)
    {
        iedDialog = std::make_unique<CIEDMapDlg>();
        iedDialog->SetProject(doc, device);
        iedDialog->m_sclPath = sclPath;
        ASSERT_TRUE(iedDialog->Create(IDD_IED_MAPPING, CorvelAppEnvironment::Frame()));
        ASSERT_NE(nullptr, iedDialog->m_hWnd);
        iedDialog->ShowWindow(SW_SHOWNA);
        for (const CString& path : paths)
            SelectTreePath(iedDialog->GetTree(), kModel + path);
        iedDialog->MapSelection();
        iedDialog->SendMessage(WM_COMMAND, ID_IED_MAPPING_SAVE);
        PumpMessages();
        EXPECT_EQ(nullptr, iedDialog->m_hWnd);
    }

    void OpenPlcMapping()
    {
        plcDialog = std::make_unique<CEIPPLCMapDlg>(CorvelAppEnvironment::Frame());
        plcDialog->SetDocument(doc);
        ASSERT_TRUE(plcDialog->Create(IDD_EIP_PLC_MAPPING, CorvelAppEnvironment::Frame()));
        plcDialog->ShowWindow(SW_SHOWNA);
        PumpMessages();
    }
    // The connection key as the dialog receives it from the message loop.
    void PressKey(WPARAM key, LPARAM lParam)
    {
        MSG msg = {plcDialog->GetTagList().m_hWnd, WM_KEYDOWN, key, lParam, 0, {}};
        EXPECT_TRUE(plcDialog->PreTranslateMessage(&msg));
    }
    // Selects the rows of the tag list whose names hold one of the parts; how many.
    int SelectTagsHolding(const std::vector<const char*>& parts)
    {
        CEIPMapListCtrl& list = plcDialog->GetTagList();
        int selected = 0;
        for (int row = 0; row < list.GetItemCount(); ++row) {
            bool wanted = false;
            for (const char* part : parts)
                wanted |= list.GetRowTag(row)->tagName.Find(part) >= 0;
            list.SetItemState(row, wanted ? LVIS_SELECTED : 0, LVIS_SELECTED);
            selected += wanted ? 1 : 0;
        }
        return selected;
    }
    std::vector<std::string> PageNames(int tab)
    {
        CEIPMapListPage& page = plcDialog->GetTabs().GetPage(tab);
        std::vector<std::string> names;
        for (int row = 0; row < page.GetItemCount(); ++row)
            names.push_back(std::string(page.GetItemText(row, 1)));
        return names;
    }

    CMainDoc* doc = nullptr;
    TempFolder scratch;
    CString sclPath;
    MessageBoxRecorder boxes;
    std::unique_ptr<CIEDMapDlg> iedDialog;
    std::unique_ptr<CEIPPLCMapDlg> plcDialog;
};

TEST_F(PlcMappingProject, AssignmentSurvivesSavingAndDrivesTheConfigurationAndTheAoiFile)
{
    const int device = AddAndPlaceIed();
    ASSERT_GT(device, 0);
    MapAttributes(device, {"GGIO1/AnIn1/mag/f", "GGIO1/AnIn2/mag/f", "GGIO1/AnIn3/mag/f", "GGIO1/SPCSO1/stVal",
                           "GGIO1/SPCSO2/stVal", "GGIO1/SPCSO1/Oper/ctlVal", "GGIO1/SPCSO2/Oper/ctlVal",
                           "LLN0/Reports/EventsRCB01 : ", "LLN0/Goose/gcbEvents"});
    ASSERT_EQ(0u, boxes.Count()) << (LPCSTR)boxes.Last().text;
    const INT_PTR tagCount = doc->project.tags.GetCount();
    ASSERT_GE(tagCount, 10);

    // Connection 12: the range button shows 10 to 19, two steps down.
    OpenPlcMapping();
    EXPECT_EQ(tagCount, plcDialog->GetTagList().GetItemCount());
    plcDialog->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_EIP_RANGE, BN_CLICKED),
                           reinterpret_cast<LPARAM>(plcDialog->GetDlgItem(IDC_EIP_RANGE)->m_hWnd));
    PressKey(VK_DOWN, 0x00500001);
    PressKey(VK_NEXT, 0x00510001);
    ASSERT_EQ(12, plcDialog->GetSelectedConnection());
    ASSERT_EQ(3, SelectTagsHolding({"_AnIn"}));
    plcDialog->OnAssign();
    plcDialog->SelectTab(Corvel::Records::kEipOutputTab);
    ASSERT_EQ(1, SelectTagsHolding({"SPCSO1_Oper"}));
    plcDialog->OnAssign();
    // The rest by class, from connection 0.
    plcDialog->OnAutoAssign();
    EXPECT_EQ(0u, boxes.Count()) << (LPCSTR)boxes.Last().text;
    EXPECT_EQ(0, plcDialog->GetTagList().GetItemCount());
    plcDialog->OnOK();
    EXPECT_TRUE(doc->modified);

    const Assignment assigned = AssignmentOf(*doc);
    ASSERT_EQ(static_cast<size_t>(tagCount - 2), assigned.inputs.size());
    // Assign placed its tags first; Auto Assign packed the others after them, into connection 0.
    EXPECT_EQ((std::vector<std::string>{"simpleIOGenericIO_GGIO1_MX_AnIn1_mag_f@12:0",
                                        "simpleIOGenericIO_GGIO1_MX_AnIn2_mag_f@12:4",
                                        "simpleIOGenericIO_GGIO1_MX_AnIn3_mag_f@12:8"}),
              std::vector<std::string>(assigned.inputs.begin(), assigned.inputs.begin() + 3));
    for (size_t i = 3; i < assigned.inputs.size(); ++i)
        EXPECT_NE(std::string::npos, assigned.inputs[i].find("@0:")) << assigned.inputs[i];
    EXPECT_EQ((std::vector<std::string>{"simpleIOGenericIO_GGIO1_CO_SPCSO1_Oper_ctlVal@12:0",
                                        "simpleIOGenericIO_GGIO1_CO_SPCSO2_Oper_ctlVal@0:0"}),
              assigned.outputs);
    EXPECT_TRUE(assigned.messages.empty());

    // Saved, then opened again from each of the two project files.
    doc->SetProjectPath(scratch.File("substation.prj"));
    ASSERT_TRUE(doc->SaveProject());
    for (const char* file : {"substation.prj", "substation.prx"}) {
        doc->OnFileNew();
        ASSERT_EQ(0, doc->tagsINP.GetCount());
        ASSERT_TRUE(doc->OpenFileByType(scratch.File(file), FALSE)) << file;
        EXPECT_EQ(assigned, AssignmentOf(*doc)) << file;
    }
    EXPECT_EQ(0u, boxes.Count()) << (LPCSTR)boxes.Last().text;

    // The dialog opened on the reopened project lists nothing to assign and shows connection 12's tags.
    OpenPlcMapping();
    EXPECT_EQ(0, plcDialog->GetTagList().GetItemCount());
    plcDialog->OnRange();
    plcDialog->SetSelectedConnection(12);
    EXPECT_EQ((std::vector<std::string>{"simpleIOGenericIO_GGIO1_MX_AnIn1_mag_f",
                                        "simpleIOGenericIO_GGIO1_MX_AnIn2_mag_f",
                                        "simpleIOGenericIO_GGIO1_MX_AnIn3_mag_f"}),
              PageNames(Corvel::Records::kEipInputTab));
    plcDialog->OnCancel();
    EXPECT_EQ(assigned, AssignmentOf(*doc));

    // The configuration and the AOI file, as Export AOI Files writes them.
    const CString aoiFolder = scratch.File("aoi");
    ASSERT_TRUE(::CreateDirectoryA(aoiFolder, nullptr));
    Corvel::Gateway::CGenAOI aoi(Corvel::Gateway::CGenAOI::GetProjectDevices(doc->project));
    ASSERT_TRUE(doc->WriteAoiFiles(aoiFolder, aoi));
    EXPECT_EQ(0u, boxes.Count()) << (LPCSTR)boxes.Last().text;

    const ParsedXml config(aoiFolder + "\\Current.xml");
    const XmlNode* eips = FindDriver(config, "EIPS");
    ASSERT_NE(nullptr, eips);
    const XmlNode* implicit = eips->first_node("Implicit");
    ASSERT_NE(nullptr, implicit);
    std::vector<std::string> numbers;
    for (const XmlNode* connection = implicit->first_node("Connection"); connection != nullptr;
         connection = connection->next_sibling("Connection"))
        numbers.push_back(ParsedXml::Attribute(connection, "No"));
    EXPECT_EQ((std::vector<std::string>{"00", "12"}), numbers);
    EXPECT_EQ(ListMaps(doc->tagsINP), WrittenMaps(implicit, "Input"));
    EXPECT_EQ(ListMaps(doc->tagsOUT), WrittenMaps(implicit, "Output"));

    ASSERT_EQ(1, aoi.GetFileCount());
    EXPECT_EQ(aoiFolder + "\\simpleIO_AOI.L5X", aoi.GetWrittenFiles()[0]);
    const ParsedXml file(aoi.GetWrittenFiles()[0]);
    const XmlNode* definition = file.Find("Controller/AddOnInstructionDefinitions/AddOnInstructionDefinition");
    ASSERT_NE(nullptr, definition);
    std::vector<std::string> parameters;
    for (const XmlNode* p = definition->first_node("Parameters")->first_node("Parameter"); p != nullptr;
         p = p->next_sibling("Parameter"))
        parameters.push_back(ParsedXml::Attribute(p, "Name"));
    EXPECT_EQ((std::vector<std::string>{"EnableIn", "EnableOut", "Connection_Input0", "Connection_Output0",
                                        "Connection_Input12", "Connection_Output12", kDevice}),
              parameters);
    // One rung per assigned tag, copying between the tag's place in its connection and the tag's member.
    std::vector<std::string> copies;
    const XmlNode* content = definition->first_node("Routines")->first_node("Routine")->first_node("RLLContent");
    const std::regex buffer(R"(Connection_(Input|Output)\d+\[\d+\])");
    const std::regex member(std::string(kDevice) + R"(\.\w+)");
    for (const XmlNode* rung = content->first_node("Rung"); rung != nullptr; rung = rung->next_sibling("Rung")) {
        const std::string text = rung->first_node("Text")->first_node()->value(); // the CDATA section
        std::smatch place;
        std::smatch operand;
        EXPECT_TRUE(std::regex_search(text, place, buffer) && std::regex_search(text, operand, member)) << text;
        copies.push_back(place.str() + " " + operand.str());
    }
    std::vector<std::string> expected;
    for (const auto& [direction, list] : {std::pair<const char*, CVQNTagsList*>{"Input", &doc->tagsINP},
                                          std::pair<const char*, CVQNTagsList*>{"Output", &doc->tagsOUT}}) {
        for (INT_PTR i = 0; i < list->GetCount(); ++i) {
            const _TAGS& tag = *list->GetAt(i);
            expected.push_back(std::string("Connection_") + direction + std::to_string(tag.Conn) + "[" +
                               std::to_string(tag.StartAddr) + "] " + kDevice + "." +
                               std::string(tag.tagName.Mid(static_cast<int>(strlen(kDevice)))));
        }
    }
    std::sort(copies.begin(), copies.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(expected, copies);
}

} // namespace

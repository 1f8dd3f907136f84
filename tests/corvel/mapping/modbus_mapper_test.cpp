// The Modbus mapper over the running Corvel: opening, drops, Save and its question, closing, the editors,
// the context menu and its screenshot.
#include "corvel/mapping/modbus_mapper.h"

#include "corvel/document/main_doc.h"
#include "corvel/resources/resource.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "../app/corvel_app_environment.h"
#include "../controls/grid_list_fixture.h"
#include "support/message_box_recorder.h"
#include "support/temp_folder.h"
#include "support/test_program.h"
#include "support/window_screenshot.h"

namespace {

using namespace Corvel::Mapping;
using Corvel::Records::CPLC_Device;

const char kZeroQuestion[] = "Zero is not allowed for 'MB Addr' field. Continue?";
const char kSaveQuestion[] = "Save changes to the tag mappings?";

class ModbusMapperTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        app = &CorvelAppEnvironment::App();
        app->SetRegistryKey(TestRegistryKey());
        app->WriteProfileString("ModDlg", nullptr, nullptr);
        doc = CorvelAppEnvironment::Doc();
        ASSERT_NE(nullptr, doc);
        doc->modified = false;
        doc->OnFileNew();
        device = doc->project.plcDevices.GetHead();
        device->WStartReg = "1001";
        device->RStartReg = "1";
        CModbusMapper::OptimizeMtcpCommandMappings() = false;
        Map("LD_a", "INT32", "MTCP-->");
        Map("LD_b", "BOOLEAN", "MTCP-->");
        Map("LD_cmd", "BOOLEAN", "MTCP<--");
        Map("LD_c", "FLOAT32", "MTCP-->");
    }
    void TearDown() override
    {
        if (mapper && mapper->m_hWnd != nullptr)
            mapper->DestroyWindow();
        mapper.reset();
        PumpMessages();
        doc->modified = false;
        doc->OnFileNew();
    }

    void Map(LPCSTR name, LPCSTR type, LPCSTR direction)
    {
        auto row = std::make_unique<Corvel::Records::_TAGSMAP>();
        row->tagName = name;
        row->dataType = type;
        row->direction = direction;
        doc->project.tagMaps.AddTail(row.release());
        auto tag = std::make_unique<Corvel::Records::_TAGS>();
        tag->tagName = name;
        tag->dataType = type;
        doc->project.tags.AddTail(tag.release());
    }
    void Open(int kind)
    {
        device->devType = kind;
        mapper = std::make_unique<CModbusMapper>();
        mapper->SetProject(doc, device->devNum);
        ASSERT_TRUE(mapper->Create(IDD_MODBUS_MAPPER, CorvelAppEnvironment::Frame()));
        mapper->ShowWindow(SW_SHOWNA);
        PumpMessages();
    }
    std::vector<CString> TagListNames()
    {
        std::vector<CString> names;
        for (int row = 0; row < mapper->GetTagList().GetItemCount(); ++row)
            names.push_back(mapper->GetTagList().GetItemText(row, 0));
        std::sort(names.begin(), names.end());
        return names;
    }
    // Selects the named tags in the tag list and drops them onto the command list.
    void Drop(std::initializer_list<LPCSTR> names)
    {
        CMapList2& list = mapper->GetTagList();
        list.SetItemState(-1, 0, LVIS_SELECTED);
        for (LPCSTR name : names) {
            for (int row = 0; row < list.GetItemCount(); ++row) {
                if (list.GetItemText(row, 0) == name)
                    list.SetItemState(row, LVIS_SELECTED, LVIS_SELECTED);
            }
        }
        list.DropSelected();
        PumpMessages();
    }

    CWinApp* app = nullptr;
    CMainDoc* doc = nullptr;
    CPLC_Device* device = nullptr;
    MessageBoxRecorder boxes;
    std::unique_ptr<CModbusMapper> mapper;
};

TEST_F(ModbusMapperTest, OpeningDropsStaleRowsAndListsOnlyUnmappedTags)
{
    device->configuredRows = {{"Disable", "gone", "Write", "5", "0", "1", "No Swap", ""},
                              {"Disable", "LD_b", "Write", "7", "0", "1", "No Swap", "kept"}};
    Open(3);
    const CommandRows rows = mapper->GetCommandList().GetRows();
    ASSERT_EQ(rows.size(), 1u);
    // Addresses are recalculated on opening.
    EXPECT_EQ(rows[0], (CommandRow{"Disable", "LD_b", "Write", "1001", "0", "1", "No Swap", "kept"}));
    EXPECT_EQ(mapper->GetCommandList().GetItemText(0, 1), "1");
    EXPECT_EQ(TagListNames(), (std::vector<CString>{"LD_a", "LD_c", "LD_cmd"}));
    EXPECT_EQ(device->configuredRows.size(), 1u);
}

TEST_F(ModbusMapperTest, DroppedTagsBecomeRowsOfTheDeviceKind)
{
    Open(3);
    Drop({"LD_a", "LD_cmd"});
    CommandRows rows = mapper->GetCommandList().GetRows();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0], (CommandRow{kEnableOnDataChange, "LD_cmd", "Read", "1", "0", "1", "No Swap", ""}));
    EXPECT_EQ(rows[1], (CommandRow{kEnableOnDataChange, "LD_a", "Write", "1001", "0", "2", "No Swap", ""}));
    EXPECT_EQ(mapper->GetCommandList().GetItemText(1, 1), "2");
    EXPECT_EQ(TagListNames(), (std::vector<CString>{"LD_b", "LD_c"}));
    mapper->DestroyWindow();
    boxes.Clear();

    Open(0);
    Drop({"LD_b"});
    rows = mapper->GetCommandList().GetRows();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0], (CommandRow{kEnableContinuously, "LD_b", kFunctionWriteRegisters, "1001", "0", "1",
                                   "No Swap", ""}));
}

TEST_F(ModbusMapperTest, SaveAsksAboutAZeroAddress)
{
    device->RStartReg = "0";
    device->configuredRows = {{"Disable", "LD_a", "Write", "", "0", "2", "No Swap", ""},
                              {"Disable", "LD_b", "Read", "", "0", "1", "No Swap", ""},
                              {"Disable", "LD_c", "Read", "", "0", "2", "No Swap", "x"}};
    Open(2);
    ASSERT_EQ(mapper->GetCommandList().GetRows()[1][kCmdAddress], "0");

    boxes.QueueAnswer(IDNO);
    mapper->SendMessage(WM_COMMAND, ID_MAPPER_SAVE);
    PumpMessages();
    ASSERT_EQ(boxes.Count(), 1u);
    EXPECT_EQ(boxes.Last().text, kZeroQuestion);
    EXPECT_EQ(boxes.Last().type & MB_TYPEMASK, static_cast<UINT>(MB_YESNO));
    EXPECT_NE(mapper->m_hWnd, nullptr);
    EXPECT_EQ(device->configuredRows[0][kCmdAddress], "");
    EXPECT_EQ(mapper->GetCommandList().GetItemCount(), 3);

    // "Yes, save" on closing does not close the window when the save is declined.
    mapper->GetCommandList().SetChanged();
    boxes.Clear();
    boxes.QueueAnswer(IDYES);
    boxes.QueueAnswer(IDNO);
    mapper->SendMessage(WM_CLOSE);
    ASSERT_EQ(boxes.Count(), 2u);
    EXPECT_EQ(boxes.Calls()[0].text, kSaveQuestion);
    EXPECT_EQ(boxes.Calls()[0].type, static_cast<UINT>(MB_YESNOCANCEL | MB_ICONQUESTION));
    EXPECT_NE(mapper->m_hWnd, nullptr);

    boxes.Clear();
    boxes.QueueAnswer(IDYES);
    mapper->SendMessage(WM_COMMAND, ID_MAPPER_SAVE);
    PumpMessages();
    EXPECT_EQ(boxes.Count(), 1u);
    EXPECT_EQ(mapper->m_hWnd, nullptr);
    const CommandRows expected = {{"Disable", "LD_a", "Write", "1001", "0", "2", "No Swap", ""},
                                  {"Disable", "LD_b", "Read", "0", "0", "1", "No Swap", ""},
                                  {"Disable", "LD_c", "Read", "1", "0", "2", "No Swap", "x"}};
    EXPECT_EQ(device->configuredRows, expected);
    EXPECT_EQ(device->secondRows, expected);
    // The tag names were in the tag list already: no tag record is added.
    EXPECT_EQ(doc->project.tags.GetCount(), 4);
}

TEST_F(ModbusMapperTest, ClosingAsksOnlyAfterChanges)
{
    Open(0);
    mapper->SendMessage(WM_CLOSE);
    EXPECT_EQ(boxes.Count(), 0u);
    EXPECT_EQ(mapper->m_hWnd, nullptr);

    Open(0);
    Drop({"LD_a"});
    boxes.QueueAnswer(IDCANCEL);
    mapper->SendMessage(WM_CLOSE);
    ASSERT_EQ(boxes.Count(), 1u);
    EXPECT_EQ(boxes.Last().text, kSaveQuestion);
    EXPECT_NE(mapper->m_hWnd, nullptr);
    boxes.QueueAnswer(IDNO);
    mapper->SendMessage(WM_CLOSE);
    EXPECT_EQ(mapper->m_hWnd, nullptr);
    EXPECT_TRUE(device->configuredRows.empty());
}

// A cell edited in place is a change like a drop: closing by the close box or by the Close command asks, and
// Yes saves the edited text. An edit that leaves the text as it was asks nothing.
TEST_F(ModbusMapperTest, AnInPlaceEditAsksBeforeClosing)
{
    device->configuredRows = {{"Disable", "LD_b", "Write", "7", "0", "1", "No Swap", ""}};
    // Opens the cell's editor (the clicks that open it are the grid list's own tests), types text over it and ends
    // the edit with Enter.
    const auto edit = [this](int field, LPCSTR text) {
        CMapList3& list = mapper->GetCommandList();
        ASSERT_NE(list.EditCell(0, CMapList3::kFirstFieldColumn + field), nullptr);
        ASSERT_TRUE(list.IsCellEditorOpen());
        const HWND editor = ::GetFocus();
        ::SetWindowTextA(editor, text);
        PostKey(editor, VK_RETURN);
        ASSERT_FALSE(list.IsCellEditorOpen());
    };
    for (const UINT close : {UINT(WM_CLOSE), UINT(ID_MAPPER_CLOSE)}) {
        Open(0);
        edit(kCmdPoll, "250");
        EXPECT_TRUE(mapper->IsModified());
        boxes.Clear();
        boxes.QueueAnswer(IDYES);
        if (close == WM_CLOSE)
            mapper->SendMessage(WM_CLOSE);
        else
            mapper->SendMessage(WM_COMMAND, close);
        PumpMessages();
        ASSERT_EQ(boxes.Count(), 1u) << close;
        EXPECT_EQ(boxes.Last().text, kSaveQuestion);
        EXPECT_EQ(mapper->m_hWnd, nullptr);
        EXPECT_EQ(device->configuredRows[0][kCmdPoll], "250") << close;
        device->configuredRows[0][kCmdPoll] = "0";
    }

    Open(0);
    edit(kCmdPoll, "0");
    EXPECT_FALSE(mapper->IsModified());
    boxes.Clear();
    mapper->SendMessage(WM_CLOSE);
    EXPECT_EQ(boxes.Count(), 0u);
    EXPECT_EQ(mapper->m_hWnd, nullptr);
}

TEST_F(ModbusMapperTest, OptimizedMappingsLeaveFunctionAddressAndLengthAlone)
{
    for (bool optimized : {false, true}) {
        CModbusMapper::OptimizeMtcpCommandMappings() = optimized;
        Open(0);
        CMapList3& list = mapper->GetCommandList();
        for (int field = 0; field < kCmdFieldCount; ++field) {
            const bool fixed = field == kCmdTagName ||
                               (optimized && (field == kCmdFunction || field == kCmdAddress || field == kCmdLength));
            EXPECT_EQ(list.GetColumnTrait(CMapList3::kFirstFieldColumn + field)->IsEditable(), !fixed)
                << field << (optimized ? " optimized" : "");
        }
        mapper->DestroyWindow();
    }
}

TEST_F(ModbusMapperTest, ContextMenuFollowsTheDeviceKind)
{
    device->configuredRows = {{"Disable", "LD_b", "Write", "7", "0", "1", "No Swap", ""}};
    const struct {
        int kind;
        std::vector<UINT> items;
    } cases[] = {{0, {ID_GRID_DELETE}}, {4, {}}};
    for (const auto& c : cases) {
        Open(c.kind);
        CMapList3& list = mapper->GetCommandList();
        CRect cell;
        ASSERT_TRUE(list.GetCellRect(0, 3, LVIR_BOUNDS, cell));
        MenuCatcher menu;
        PostRightClick(list, cell.CenterPoint());
        EXPECT_EQ(menu.Ids(), c.items) << c.kind;
        mapper->DestroyWindow();
    }
    // Delete from the menu removes the row, refills the tag list and renumbers.
    Open(0);
    CMapList3& list = mapper->GetCommandList();
    CRect cell;
    ASSERT_TRUE(list.GetCellRect(0, 3, LVIR_BOUNDS, cell));
    MenuCatcher menu;
    menu.Choose(ID_GRID_DELETE);
    list.SelectRow(0, true);
    PostRightClick(list, cell.CenterPoint());
    PumpMessages();
    EXPECT_EQ(list.GetItemCount(), 0);
    EXPECT_EQ(TagListNames(), (std::vector<CString>{"LD_a", "LD_b", "LD_c", "LD_cmd"}));
}

// Twelve commands in the order the module gets them. A click on the row-number header (numbers sorted as text
// would come 1, 10, 11, 12, 2 ...) changes nothing; saving keeps the order in the device and in the project file
// read back. Another column's header still sorts, and the numbers follow the new order.
TEST_F(ModbusMapperTest, TheRowNumberHeaderKeepsTheCommandOrder)
{
    CommandRows stored;
    for (int i = 1; i <= 12; ++i) {
        CString name;
        name.Format("Cmd_%02d", 13 - i);
        Map(name, "INT16", "MTCP-->");
        stored.push_back({kEnableContinuously, name, kFunctionWriteRegisters, "", "0", "1", "No Swap", ""});
    }
    device->configuredRows = stored;
    device->secondRows = stored;
    Open(0);
    // The list of the mapper open at the time.
    const auto list = [this]() -> CMapList3& { return mapper->GetCommandList(); };
    ASSERT_EQ(12, list().GetItemCount());
    const CommandRows shown = list().GetRows();
    const auto numbers = [&list] {
        std::vector<CString> texts;
        for (int row = 0; row < list().GetItemCount(); ++row)
            texts.push_back(list().GetItemText(row, 1));
        return texts;
    };
    const std::vector<CString> counted = {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12"};
    ASSERT_EQ(counted, numbers());
    const auto clickHeader = [&list](int col) {
        CRect item;
        ASSERT_TRUE(list().GetHeaderCtrl()->GetItemRect(col, &item));
        PostClick(*list().GetHeaderCtrl(), item.CenterPoint());
        PumpMessages();
    };

    clickHeader(1);
    EXPECT_EQ(shown, list().GetRows());
    EXPECT_EQ(counted, numbers());
    EXPECT_EQ(-1, list().GetSortColumn());

    mapper->SendMessage(WM_COMMAND, ID_MAPPER_SAVE);
    PumpMessages();
    ASSERT_EQ(nullptr, mapper->m_hWnd);
    EXPECT_EQ(shown, device->configuredRows);
    TempFolder folder;
    doc->SetProjectPath(folder.File("commands.prj"));
    ASSERT_TRUE(doc->SaveProject());
    doc->OnFileNew();
    ASSERT_TRUE(doc->OpenFileByType(folder.File("commands.prj"), FALSE));
    device = doc->project.plcDevices.GetHead();
    EXPECT_EQ(shown, device->configuredRows);
    EXPECT_EQ(0u, boxes.Count());

    Open(0);
    clickHeader(CMapList3::kFirstFieldColumn + kCmdTagName);
    const CommandRows sorted = list().GetRows();
    ASSERT_EQ(12u, sorted.size());
    EXPECT_EQ("Cmd_01", sorted.front()[kCmdTagName]);
    EXPECT_EQ("Cmd_12", sorted.back()[kCmdTagName]);
    EXPECT_EQ(counted, numbers());
}

// A drag from the tag list: the row's picture and the program's drag cursor over the lists, the "no" cursor
// elsewhere; the release over the command list drops the tags, and another window taking the mouse ends the drag
// without a drop.
TEST_F(ModbusMapperTest, DraggingTagsShowsTheDragAndDropsOnTheCommandList)
{
    Open(0);
    CMapList2& tags = mapper->GetTagList();
    CMapList3& commands = mapper->GetCommandList();
    const auto beginDrag = [&](LPCSTR name) {
        for (int row = 0; row < tags.GetItemCount(); ++row)
            tags.SetItemState(row, tags.GetItemText(row, 0) == name ? LVIS_SELECTED : 0, LVIS_SELECTED);
        NMLISTVIEW begin = {};
        begin.hdr = {tags.m_hWnd, static_cast<UINT_PTR>(tags.GetDlgCtrlID()), LVN_BEGINDRAG};
        begin.iItem = 0;
        tags.GetParent()->SendMessage(WM_NOTIFY, begin.hdr.idFrom, reinterpret_cast<LPARAM>(&begin));
    };
    // A point of the window in the tag list's client coordinates.
    const auto pointOver = [&](CWnd& window) {
        CRect place;
        window.GetWindowRect(&place);
        CPoint point = place.CenterPoint();
        tags.ScreenToClient(&point);
        return point;
    };

    beginDrag("LD_b");
    EXPECT_TRUE(tags.IsDragging());
    EXPECT_EQ(tags.m_hWnd, ::GetCapture());
    ASSERT_NE(nullptr, tags.GetDragCursor());
    EXPECT_EQ(tags.GetDragCursor(), ::GetCursor());
    POINT hotSpot = {};
    EXPECT_NE(nullptr, ::ImageList_GetDragImage(nullptr, &hotSpot));
    EXPECT_EQ(CPoint(CRowDrag::kHotSpot), CPoint(hotSpot));

    const CPoint outside = pointOver(*mapper->GetDlgItem(AFX_IDW_STATUS_BAR));
    tags.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(outside.x, outside.y));
    EXPECT_EQ(::LoadCursor(nullptr, IDC_NO), ::GetCursor());
    const CPoint over = pointOver(commands);
    tags.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(over.x, over.y));
    EXPECT_EQ(tags.GetDragCursor(), ::GetCursor());
    tags.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(over.x, over.y));
    EXPECT_FALSE(tags.IsDragging());
    EXPECT_EQ(nullptr, ::GetCapture());
    EXPECT_EQ(nullptr, ::ImageList_GetDragImage(nullptr, nullptr));
    EXPECT_EQ(::LoadCursor(nullptr, IDC_ARROW), ::GetCursor());
    ASSERT_EQ(1, commands.GetItemCount());
    EXPECT_EQ(CString("LD_b"), commands.GetRows()[0][kCmdTagName]);

    // The mouse taken by another window ends the drag without a drop.
    beginDrag("LD_c");
    commands.SetCapture();
    EXPECT_FALSE(tags.IsDragging());
    EXPECT_EQ(nullptr, ::ImageList_GetDragImage(nullptr, nullptr));
    ::ReleaseCapture();
    EXPECT_EQ(1, commands.GetItemCount());
    EXPECT_EQ((std::vector<CString>{"LD_a", "LD_c", "LD_cmd"}), TagListNames());
}

TEST_F(ModbusMapperTest, Screenshot)
{
    device->configuredRows = {{"Enable - Continuously", "LD_a", kFunctionWriteRegisters, "", "0", "2", "No Swap",
                               "Breaker position"},
                              {"Enable - On Data Change", "LD_b", kFunctionReadRegisters, "", "500", "1",
                               "Swap Word", ""}};
    Open(0);
    mapper->SetWindowPos(nullptr, 0, 0, 980, 420, SWP_NOMOVE | SWP_NOZORDER);
    PumpMessages();
    EXPECT_EQ("", SaveWindowScreenshot(mapper->m_hWnd, "modbus-mapper"));
    EXPECT_EQ(0, DarkPixelsBelowHeader(mapper->GetCommandList())) << "no line under the command list's header";
}

} // namespace

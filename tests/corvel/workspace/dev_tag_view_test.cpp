// The device tag view in Corvel's main window: an IED's tags with their EtherNet/IP assignment and the summary
// on the splitter, a Modbus device's command rows rebuilt from the tag map, the column widths kept in the
// profile; the main window's screenshot with an IED's tags listed.
#include "corvel/workspace/dev_tag_view.h"

#include "corvel/model/modbus_mapping.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "../app/corvel_app_environment.h"
#include "support/test_program.h"
#include "support/window_screenshot.h"

namespace {

using Corvel::Records::_IED_DEVICE;
using Corvel::Records::_TAGS;
using Corvel::Records::ConfiguredRow;
using Corvel::Records::CPLC_Device;

const char* const kCaptions[CDevTagView::kColumnCount] = {
    "Device Path", "Tag Name", "Type", "Access", "Description", "EIP Class", "Conn No.", "Byte Offset", "Attribute"};

// An IED tag row: name, tag name, type, access, description, device path prefix.
ConfiguredRow TagRow(const CString& name, const CString& tagName)
{
    return {name, tagName, "BOOLEAN", "R", "Position", "X_LD0"};
}

void AddConnectionTag(Corvel::Records::CVQNTagsList& list, const char* name, int conn, int offset)
{
    _TAGS tag;
    tag.tagName = name;
    tag.Conn = conn;
    tag.StartAddr = offset;
    list.AddTag(tag);
}

class DevTagViewTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        // Widths go to this program's own key, away from the programs that run beside it.
        CorvelAppEnvironment::App().SetRegistryKey(TestRegistryKey());
    }

    void SetUp() override
    {
        doc = CorvelAppEnvironment::Doc();
        frame = CorvelAppEnvironment::Frame();
        ASSERT_NE(nullptr, doc);
        ASSERT_NE(nullptr, frame);
        doc->modified = false;
        doc->OnFileNew();
        auto pos = doc->project.iedDevices.GetHeadPosition();
        ied = doc->project.iedDevices.GetNext(pos);
        ied->state = Corvel::Records::kSlotInUse;
        ied->name = "X";
        ied->label = "X";
        ied->IPaddr = "192.168.0.21";
        view = frame->GetTagView();
        ASSERT_NE(nullptr, view);
        Select(ied->devNum, CMainDoc::kKindIed);
    }
    void TearDown() override
    {
        doc->tagsINP.RemoveAll();
        doc->tagsOUT.RemoveAll();
        doc->tagsMSG.RemoveAll();
        doc->modified = false;
        doc->OnFileNew();
        frame->currentDeviceId = 0;
        frame->currentDeviceKind = 0;
    }

    void Select(int deviceId, int kind)
    {
        frame->currentDeviceId = deviceId;
        frame->currentDeviceKind = kind;
    }
    CListCtrl& List() { return view->GetListCtrl(); }
    std::vector<CString> Row(int item)
    {
        std::vector<CString> cells;
        for (int column = 0; column < CDevTagView::kColumnCount; ++column)
            cells.push_back(List().GetItemText(item, column));
        return cells;
    }
    CString FirstCaption()
    {
        char text[64] = {};
        LVCOLUMNA column = {};
        column.mask = LVCF_TEXT;
        column.pszText = text;
        column.cchTextMax = sizeof text;
        List().GetColumn(0, &column);
        return text;
    }
    CString Label() { return frame->GetSplitter().GetLabelText(); }

    CMainDoc* doc = nullptr;
    CMainFrame* frame = nullptr;
    _IED_DEVICE* ied = nullptr;
    CDevTagView* view = nullptr;
};

TEST_F(DevTagViewTest, IedTagsShowTheirConnections)
{
    ied->ConfiguredCache = {
        TagRow("LD0/XCBR1.Pos.stVal", "X_Pos"),       TagRow("X_LD0/MMXU1.A.mag", "X_Amps"),
        TagRow("LD0/XSWI1.Pos.stVal", "X_Switch"),    TagRow("LD0/GGIO1.Ind1.stVal", "X_Alarm"),
        TagRow("LD0/GGIO1.Ind2.stVal", "X_Spare"),
    };
    AddConnectionTag(doc->tagsINP, "X_Pos", 2, 14);
    AddConnectionTag(doc->tagsMSG, "X_Pos", 0, 99);
    AddConnectionTag(doc->tagsOUT, "X_Amps", 1, 4);
    AddConnectionTag(doc->tagsMSG, "X_Alarm", 0, 7);

    view->FillTagList();
    ASSERT_EQ(5, List().GetItemCount());
    const std::vector<std::vector<CString>> expected = {
        {"X_LD0/LD0/XCBR1.Pos.stVal", "X_Pos", "BOOLEAN", "R", "Position", "Class 1", "2", "14", "--"},
        {"X_LD0/MMXU1.A.mag", "X_Amps", "BOOLEAN", "R", "Position", "Class 1", "1", "4", "--"},
        {"X_LD0/LD0/XSWI1.Pos.stVal", "X_Switch", "BOOLEAN", "R", "Position", "Not Assigned", "-", "--", "--"},
        {"X_LD0/LD0/GGIO1.Ind1.stVal", "X_Alarm", "BOOLEAN", "R", "Position", "Class 3", "-", "--", "7"},
        {"X_LD0/LD0/GGIO1.Ind2.stVal", "X_Spare", "BOOLEAN", "R", "Position", "Not Assigned", "-", "--", "--"},
    };
    for (int item = 0; item < 5; ++item)
        EXPECT_EQ(expected[static_cast<size_t>(item)], Row(item)) << "row " << item;
    EXPECT_EQ(CString("Device Path"), FirstCaption());
    EXPECT_EQ(CString("IED X has 5 Assigned Tags"), Label());

    frame->GetSplitter().RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    frame->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    PumpMessages();
    const std::string failure = SaveWindowScreenshot(frame->m_hWnd, "tag-view");
    EXPECT_EQ("", failure);
}

TEST_F(DevTagViewTest, SummaryNotesTheAddOnInstructionLimit)
{
    for (int count : {459, 460}) {
        ied->ConfiguredCache.clear();
        for (int i = 0; i < count; ++i) {
            CString name;
            name.Format("X_Tag%d", i);
            ied->ConfiguredCache.push_back(TagRow("LD0/GGIO1.Ind.stVal", name));
        }
        view->FillTagList();
        EXPECT_EQ(count, List().GetItemCount());
        const CString expected =
            count == 459 ? CString("IED X has 459 Assigned Tags")
                         : CString("IED X has 460 Assigned Tags       * NOTE: This number exceeds RSLogix "
                                   "'Add-On Instruction' import limit of 460");
        EXPECT_EQ(expected, Label());
    }

    // A free slot (the first slot of a project without IEDs) lists nothing and names no IED.
    ied->state = Corvel::Records::kSlotFree;
    view->FillTagList();
    EXPECT_EQ(0, List().GetItemCount());
    EXPECT_EQ(CString(""), Label());
}

TEST_F(DevTagViewTest, ModbusDeviceShowsItsRebuiltCommandRows)
{
    using namespace Corvel::Mapping;
    auto pos = doc->project.plcDevices.GetHeadPosition();
    CPLC_Device* plc = doc->project.plcDevices.GetNext(pos);
    plc->state = Corvel::Records::kSlotInUse;
    plc->WStartReg = "1001";
    plc->configuredRows = {{kEnableContinuously, "X_Amps", kFunctionWrite, "1001", "500", "2", kSwapNone, "Amps"},
                           {kEnableContinuously, "X_Gone", kFunctionWrite, "1003", "0", "1", kSwapNone, ""}};
    auto* amps = new Corvel::Records::_TAGSMAP{"X_LD0/MMXU1.A.mag", "X_Amps", "", "FLOAT32", "MTCP-->"};
    auto* pos1 = new Corvel::Records::_TAGSMAP{"X_LD0/XCBR1.Pos.stVal", "X_Pos", "", "BOOLEAN", "MTCP-->"};
    auto* written = new Corvel::Records::_TAGSMAP{"X_LD0/CSWI1.Pos.Oper", "X_Cmd", "", "BOOLEAN", "MTCP<--"};
    for (auto* row : {amps, pos1, written})
        doc->project.tagMaps.AddTail(row);
    view->FillTagList(); // the kind of the IED selection: the IED's (empty) tags
    EXPECT_EQ(0, List().GetItemCount());

    Select(plc->devNum, CMainDoc::kKindPlc);
    view->FillTagList();
    EXPECT_EQ(CString("Enable"), FirstCaption());
    ASSERT_EQ(2, List().GetItemCount()) << "one row per tag the tag map reads";
    const std::vector<CString> first = Row(0);
    EXPECT_EQ(CString(kEnableContinuously), first[0]) << "an earlier row keeps its Enable";
    EXPECT_EQ(CString("X_Amps"), first[1]);
    EXPECT_EQ(CString(kFunctionWrite), first[2]);
    EXPECT_EQ(CString("1001"), first[3]);
    EXPECT_EQ(CString("Amps"), first[4]) << "column 4 shows the description";
    EXPECT_EQ(CString("X_Pos"), Row(1)[1]);
    EXPECT_EQ(CString(kEnableOnDataChange), Row(1)[0]);

    // A device without command rows, and a selection that names no device, leave the list empty.
    plc->configuredRows.clear();
    view->FillTagList();
    EXPECT_EQ(0, List().GetItemCount());
    Select(9999, CMainDoc::kKindIed);
    view->FillTagList();
    EXPECT_EQ(0, List().GetItemCount());
}

TEST_F(DevTagViewTest, ColumnWidthsPersistInTheProfile)
{
    CWinApp& app = CorvelAppEnvironment::App();
    ::RegDeleteTreeA(HKEY_CURRENT_USER, TestRegistryRoot());

    auto openView = [&] {
        auto* fresh = new CDevTagView; // deletes itself when its window goes
        EXPECT_TRUE(fresh->Create(nullptr, "", WS_CHILD, CRect(0, 0, 600, 200), frame, 0x7100));
        static_cast<CView*>(fresh)->OnInitialUpdate();
        return fresh;
    };

    CDevTagView* first = openView();
    for (int column = 0; column < CDevTagView::kColumnCount; ++column)
        EXPECT_EQ(3 * first->GetListCtrl().GetStringWidth(kCaptions[column]),
                  first->GetListCtrl().GetColumnWidth(column))
            << "column " << column << " without a stored width";
    for (int column = 0; column < CDevTagView::kColumnCount; ++column)
        first->GetListCtrl().SetColumnWidth(column, 40 + 7 * column);
    first->SaveColumnWidths();
    first->DestroyWindow();
    for (int column = 0; column < CDevTagView::kColumnCount; ++column) {
        CString entry;
        entry.Format("COL%d", column);
        EXPECT_EQ(static_cast<UINT>(40 + 7 * column), app.GetProfileInt("RUROZID", entry, -1)) << entry;
    }

    CDevTagView* second = openView();
    for (int column = 0; column < CDevTagView::kColumnCount; ++column)
        EXPECT_EQ(40 + 7 * column, second->GetListCtrl().GetColumnWidth(column)) << "column " << column;
    second->DestroyWindow();
}

} // namespace

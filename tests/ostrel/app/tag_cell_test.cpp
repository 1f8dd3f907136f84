// The tag cell in the main dialog's grid: display formats, the expand box, expanding arrays and structures into rows
// with one refresh of exactly those rows, and collapsing however deep they were expanded.
#include "app_test_support.h"

#include "ostrel/grid/in_place_list.h"

#include <gmock/gmock.h>

namespace {

using ::testing::ElementsAre;

const char kConfig[] =
    "<?xml version=\"1.0\"?><DeviceConfig><TagDB>"
    "<datatypes><datatype name=\"Bay\"><member name=\"arr\" datatype=\"INT\" dim0=\"2\"/>"
    "<member name=\"x\" datatype=\"DINT\"/></datatype></datatypes>"
    "<tags><tag name=\"A\" datatype=\"INT\" dim0=\"3\" comment=\"three\"/>"
    "<tag name=\"S\" datatype=\"Bay\" dim0=\"0\" comment=\"\"/>"
    "<tag name=\"D\" datatype=\"DINT\" dim0=\"0\" comment=\"\"/>"
    "<tag name=\"R\" datatype=\"REAL\" dim0=\"0\" comment=\"\"/></tags>"
    "</TagDB></DeviceConfig>";

class TagCell : public OstrelAppTest {
protected:
    void SetUp() override
    {
        OstrelAppTest::SetUp();
        if (HasFatalFailure())
            return;
        Simulator().SetConfig("current.xml", kConfig);
        Simulator().SetValuesStill(true);
        dialog = &StartOnModule();
        ASSERT_FALSE(dialog->HasEnded()) << (boxes.Count() ? (LPCSTR)boxes.Last().text : "");
    }

    Tag& TagOf(LPCSTR name)
    {
        Tag* tag = dialog->GetTable().GetTagCell(RowOf(*dialog, name));
        if (tag == nullptr)
            throw std::runtime_error(std::string("no tag ") + name);
        return *tag;
    }
    std::vector<std::string> Names()
    {
        std::vector<std::string> names;
        CMonitorGrid& grid = dialog->GetGrid();
        for (int row = 1; row < grid.GetRowCount(); ++row)
            names.push_back(std::string(grid.GetItemText(row, kColumnName)));
        return names;
    }
    // The gettagsvalue requests the simulator saw since its last reset.
    std::vector<std::string> ValueRequests()
    {
        std::vector<std::string> requests;
        const std::string all = TextRequests();
        for (size_t at = all.find("trn=gettagsvalue"); at != std::string::npos;) {
            const size_t next = all.find("trn=", at + 4);
            requests.push_back(all.substr(at, next == std::string::npos ? std::string::npos : next - at));
            at = next == std::string::npos ? next : all.find("trn=gettagsvalue", next);
        }
        return requests;
    }

    ScriptedQuorrelDlg* dialog = nullptr;
};

TEST_F(TagCell, IntegersShowTheChosenFormatAndOnlyTheValueIsEditable)
{
    CMonitorGrid& grid = dialog->GetGrid();
    Tag& d = TagOf("D");
    const int row = d.FindRow();
    d.SetValue("-1");
    EXPECT_EQ("-1", grid.GetItemText(row, kColumnValue));
    // The Data Type cell offers the type and the three formats; the choice sets the format.
    auto* choice = DYNAMIC_DOWNCAST(CMonitorComboCell, grid.GetCell(row, kColumnDataType));
    ASSERT_NE(nullptr, choice);
    EXPECT_EQ(4, choice->GetOptions().GetSize());
    EXPECT_EQ("DINT", choice->GetOptions()[0]);
    EXPECT_EQ("Binary", choice->GetOptions()[3]);
    EXPECT_FALSE(choice->IsReadOnly());
    d.SetDisplayFormat(kDisplayBinary);
    EXPECT_EQ(std::string(32, '1'), std::string(grid.GetItemText(row, kColumnValue)));
    d.SetDisplayFormat(kDisplayHex);
    EXPECT_EQ("0xffffffff", grid.GetItemText(row, kColumnValue));

    for (int column : {kColumnName, kColumnAddress, kColumnPath, kColumnComment})
        EXPECT_FALSE(grid.IsCellEditable(row, column)) << column;
    EXPECT_TRUE(grid.IsCellEditable(row, kColumnValue));
    // An array and a real offer no formats.
    EXPECT_EQ(nullptr, DYNAMIC_DOWNCAST(CMonitorComboCell, grid.GetCell(TagOf("A").FindRow(), kColumnDataType)));
    EXPECT_EQ(nullptr, DYNAMIC_DOWNCAST(CMonitorComboCell, grid.GetCell(TagOf("R").FindRow(), kColumnDataType)));
    EXPECT_EQ("INT[3]", grid.GetItemText(TagOf("A").FindRow(), kColumnDataType));
}

TEST_F(TagCell, AnArrayExpandsIntoItsElementsWithOneRefreshOfThoseRows)
{
    Simulator().Reset();
    Simulator().SetValuesStill(true);
    Simulator().SetTagValue("A[1]", "77");
    Tag& a = TagOf("A");
    const int row = a.FindRow();
    // A click beside the box does nothing; on the box it expands.
    a.OnClick(CPoint(kTagIndent + 3, 8));
    EXPECT_FALSE(a.IsExpanded());
    a.OnClick(CPoint(kTagIndent - 5, 8));
    EXPECT_TRUE(a.IsExpanded());
    EXPECT_EQ(3, a.GetChildCount());
    EXPECT_THAT(Names(), ElementsAre("A", "A[0]", "A[1]", "A[2]", "S", "D", "R"));
    for (const char* name : {"A[0]", "A[1]", "A[2]"}) {
        Tag& element = TagOf(name);
        EXPECT_EQ(2, element.GetLevel()) << name;
        EXPECT_EQ("INT", element.GetDataType()) << name;
        EXPECT_EQ("three", element.GetComment()) << name;
        EXPECT_EQ(&element, TagDatabase::GetInstance().FindTag(name)) << name;
    }
    EXPECT_THAT(ValueRequests(), ElementsAre("trn=gettagsvalue&count=3&tag0=A[0]&tag1=A[1]&tag2=A[2]"));
    EXPECT_EQ("77", dialog->GetGrid().GetItemText(row + 2, kColumnValue));

    a.OnClick(CPoint(kTagIndent - 5, 8));
    EXPECT_FALSE(a.IsExpanded());
    EXPECT_THAT(Names(), ElementsAre("A", "S", "D", "R"));
    EXPECT_EQ(nullptr, TagDatabase::GetInstance().FindTag("A[1]"));
    EXPECT_EQ(4u, TagDatabase::GetInstance().GetTagCount());
}

TEST_F(TagCell, CollapsingRemovesEveryRowExpandedBelowIt)
{
    Tag& s = TagOf("S");
    s.Expand();
    EXPECT_THAT(Names(), ElementsAre("A", "S", "S.arr", "S.x", "D", "R"));
    Tag& arr = TagOf("S.arr");
    EXPECT_EQ("INT[2]", dialog->GetGrid().GetItemText(arr.FindRow(), kColumnDataType));
    arr.Expand();
    EXPECT_THAT(Names(), ElementsAre("A", "S", "S.arr", "S.arr[0]", "S.arr[1]", "S.x", "D", "R"));
    EXPECT_EQ(3, TagOf("S.arr[1]").GetLevel());
    TagOf("A").Expand();
    EXPECT_EQ(11u, TagDatabase::GetInstance().GetTagCount());

    s.Collapse();
    EXPECT_THAT(Names(), ElementsAre("A", "A[0]", "A[1]", "A[2]", "S", "D", "R"));
    for (const char* name : {"S.arr", "S.x", "S.arr[0]", "S.arr[1]"})
        EXPECT_EQ(nullptr, TagDatabase::GetInstance().FindTag(name)) << name;
    EXPECT_EQ(7u, TagDatabase::GetInstance().GetTagCount());
    // Expanded again, the structure starts collapsed inside.
    s.Expand();
    EXPECT_FALSE(TagOf("S.arr").IsExpanded());
    EXPECT_EQ(2, s.GetChildCount());
}

// An array of more elements than rows are made for expands into the first 65535, with a message.
TEST_F(TagCell, AHugeArrayExpandsIntoItsFirstElementsOnly)
{
    Simulator().SetConfig("current.xml", "<?xml version=\"1.0\"?><DeviceConfig><TagDB><tags>"
                                         "<tag name=\"Big\" datatype=\"INT\" dim0=\"2000000\" comment=\"\"/>"
                                         "<tag name=\"After\" datatype=\"INT\" dim0=\"0\" comment=\"\"/>"
                                         "</tags></TagDB></DeviceConfig>");
    // The instance lock of the module: the first dialog goes first.
    dialog->DestroyWindow();
    ScriptedQuorrelDlg& big = Start({ModuleAddress()});
    ASSERT_FALSE(big.HasEnded());
    Tag* tag = big.GetTable().GetTagCell(RowOf(big, "Big"));
    ASSERT_NE(nullptr, tag);
    tag->Expand();
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_EQ("The array has more than 65535 elements; only the first 65535 are shown.", boxes.Last().text);
    CMonitorGrid& grid = big.GetGrid();
    EXPECT_EQ(1 + 2 + 65535, grid.GetRowCount());
    EXPECT_EQ("Big[65534]", grid.GetItemText(tag->FindRow() + 65535, kColumnName));
    tag->Collapse();
    EXPECT_EQ(1 + 2, grid.GetRowCount());
    EXPECT_EQ(2u, TagDatabase::GetInstance().GetTagCount());
}

} // namespace

// The table: shape, rows deleted and inserted, cell types, the selection map and sorting.
#include "grid_fixture.h"

namespace {

class Table : public GridTest {
protected:
    void SetUp() override
    {
        GridTest::SetUp();
        Fill(5, 7);
    }
};

TEST_F(Table, DeletingTheFocusRowClearsTheFocus)
{
    grid.SetFocusCell(2, 3);
    ASSERT_TRUE(grid.DeleteRow(2));
    EXPECT_FALSE(grid.GetFocusCell().IsValid());
    EXPECT_EQ(4, grid.GetRowCount());
    EXPECT_EQ("3,0", std::string(grid.GetItemText(2, 0)));
    EXPECT_TRUE(grid.GetModified());
}

TEST_F(Table, DeletingARowAboveTheFocusMovesTheFocusUp)
{
    grid.SetFocusCell(3, 4);
    ASSERT_TRUE(grid.DeleteRow(1));
    EXPECT_EQ(CCellID(2, 4), grid.GetFocusCell());
    EXPECT_TRUE(grid.GetCell(2, 4)->IsFocused()) << "the focused cell itself moved up";

    grid.DeleteRow(4 - 1);
    EXPECT_EQ(CCellID(2, 4), grid.GetFocusCell()) << "a row below leaves the focus";
}

TEST_F(Table, DeletingAFixedRowLowersTheFixedCount)
{
    ASSERT_TRUE(grid.DeleteRow(0));
    EXPECT_EQ(0, grid.GetFixedRowCount());
    EXPECT_FALSE(grid.DeleteRow(4)) << "past the last row";
    EXPECT_FALSE(grid.DeleteRow(-1));
}

// Many rows at once, as one row at a time would leave them: the rows after move up, and so does the focus.
TEST_F(Table, DeletingARangeOfRowsKeepsTheRowsAroundIt)
{
    grid.SetFocusCell(4, 2);
    ASSERT_TRUE(grid.DeleteRows(1, 2));
    EXPECT_EQ(3, grid.GetRowCount());
    EXPECT_EQ("0,0", std::string(grid.GetItemText(0, 0)));
    EXPECT_EQ("3,0", std::string(grid.GetItemText(1, 0)));
    EXPECT_EQ("4,6", std::string(grid.GetItemText(2, 6)));
    EXPECT_EQ(CCellID(2, 2), grid.GetFocusCell());
    EXPECT_TRUE(grid.GetCell(2, 2)->IsFocused());
    EXPECT_TRUE(grid.GetModified());

    ASSERT_TRUE(grid.DeleteRows(1, 2));
    EXPECT_FALSE(grid.GetFocusCell().IsValid()) << "the focus row went";
    EXPECT_TRUE(grid.DeleteRows(1, 0));
    EXPECT_FALSE(grid.DeleteRows(0, 2)) << "past the last row";
    EXPECT_FALSE(grid.DeleteRows(-1, 1));
    EXPECT_EQ(1, grid.GetRowCount());
}

TEST_F(Table, InsertRowAppendsOrGoesBeforeANonFixedRow)
{
    EXPECT_EQ(5, grid.InsertRow("appended"));
    EXPECT_EQ("appended", std::string(grid.GetItemText(5, 0)));
    EXPECT_EQ(2, grid.InsertRow("second", 2));
    EXPECT_EQ("second", std::string(grid.GetItemText(2, 0)));
    EXPECT_EQ("2,0", std::string(grid.GetItemText(3, 0)));
    EXPECT_EQ(-1, grid.InsertRow("fixed", 0)) << "not before a fixed row";
    EXPECT_EQ(-1, grid.InsertRow("beyond", 99));
    EXPECT_EQ(7, grid.GetRowCount());
    EXPECT_FALSE(grid.GetCell(2, 1)->IsFixed());
}

TEST_F(Table, ShrinkingLowersTheFixedCountsAndDropsAFocusOutside)
{
    grid.SetFixedColumnCount(3);
    grid.SetFocusCell(4, 5);
    ASSERT_TRUE(grid.SetColumnCount(2));
    EXPECT_EQ(2, grid.GetFixedColumnCount());
    EXPECT_FALSE(grid.GetFocusCell().IsValid());
    ASSERT_TRUE(grid.SetRowCount(0));
    EXPECT_EQ(0, grid.GetFixedRowCount());
    EXPECT_EQ(nullptr, grid.GetCell(0, 0));
    EXPECT_EQ("", std::string(grid.GetItemText(0, 0)));
}

TEST_F(Table, FixedBandsMarkTheirCells)
{
    grid.SetFixedColumnCount(1);
    EXPECT_EQ(static_cast<DWORD>(CELL_FIXED | CELL_FIXEDROW | CELL_FIXEDCOL), grid.GetItemState(0, 0));
    EXPECT_EQ(static_cast<DWORD>(CELL_FIXED | CELL_FIXEDROW), grid.GetItemState(0, 3));
    EXPECT_EQ(static_cast<DWORD>(CELL_FIXED | CELL_FIXEDCOL), grid.GetItemState(3, 0));
    EXPECT_EQ(0u, grid.GetItemState(3, 3));
    grid.SetFixedRowCount(0);
    EXPECT_EQ(static_cast<DWORD>(CELL_FIXED | CELL_FIXEDCOL), grid.GetItemState(0, 0));
    EXPECT_EQ(0u, grid.GetItemState(0, 3));
}

TEST_F(Table, SetCellTypeKeepsTheCellsValues)
{
    grid.SetItemFgColour(2, 2, RGB(1, 2, 3));
    grid.SetItemState(2, 2, CELL_READONLY);
    ASSERT_TRUE(grid.SetCellType(2, 2, RUNTIME_CLASS(CMonitorDefaultCell)));
    CMonitorCellBase* cell = grid.GetCell(2, 2);
    EXPECT_TRUE(cell->IsKindOf(RUNTIME_CLASS(CMonitorDefaultCell)));
    EXPECT_STREQ("2,2", cell->GetText());
    EXPECT_EQ(RGB(1, 2, 3), cell->GetTextClr());
    EXPECT_FALSE(grid.SetCellType(2, 2, RUNTIME_CLASS(CStringArray))) << "not a cell class";
    EXPECT_FALSE(grid.SetCellType(9, 2, RUNTIME_CLASS(CMonitorCell)));
}

TEST_F(Table, SetModifiedMarksTheCellAndTheGrid)
{
    grid.SetModifiedFlag(FALSE);
    grid.SetModified(3, 3);
    EXPECT_TRUE(grid.GetCell(3, 3)->IsModified());
    EXPECT_TRUE(grid.GetModified());
}

TEST(SelectionMap, RowsFromTheSixtyFifthThousandOnDoNotCollide)
{
    CMonitorGrid grid(70000, 2, 1, 0);
    ASSERT_TRUE(grid.SetItemState(5, 1, CELL_SELECTED));
    ASSERT_TRUE(grid.SetItemState(5 + 65536, 1, CELL_SELECTED));
    EXPECT_EQ(2, grid.GetSelectedCount());
    EXPECT_TRUE(grid.IsCellSelected(5, 1));
    EXPECT_TRUE(grid.IsCellSelected(65541, 1));
    EXPECT_FALSE(grid.IsCellSelected(65541, 0));

    grid.SetItemState(5, 1, 0);
    EXPECT_TRUE(grid.IsCellSelected(65541, 1));
    EXPECT_EQ(CCellRange(65541, 1, 65541, 1), grid.GetSelectedRange());
}

class Sorting : public GridTest {
protected:
    void SetUp() override
    {
        GridTest::SetUp();
        Fill(4, 3);
        const char* texts[] = {"b", "a", "c"};
        for (int row = 1; row <= 3; ++row) {
            grid.SetItemText(row, 1, texts[row - 1]);
            grid.SetItemData(row, 2, row);
        }
    }
    std::string Column(int col)
    {
        std::string texts;
        for (int row = 1; row < grid.GetRowCount(); ++row)
            texts += std::string(grid.GetItemText(row, col)) + " ";
        return texts;
    }
};

TEST_F(Sorting, SortsRowsWholeAndDrawsTheArrow)
{
    grid.SetFocusCell(2, 2);
    grid.SetSelectedRange(1, 1, 2, 2);
    ASSERT_TRUE(grid.SortItems(1, TRUE));
    EXPECT_EQ("a b c ", Column(1));
    EXPECT_EQ("2,0 1,0 3,0 ", Column(0)) << "every cell of a row moves with it";
    EXPECT_EQ(2, grid.GetItemData(1, 2));
    EXPECT_EQ(1, grid.GetSortColumn());
    EXPECT_TRUE(grid.GetSortAscending());
    EXPECT_FALSE(grid.GetFocusCell().IsValid());
    EXPECT_EQ(0, grid.GetSelectedCount());

    CRect header;
    ASSERT_TRUE(grid.GetCellRect(0, 1, &header));
    GridImage image(grid);
    EXPECT_GT(image.Count(header, ::GetSysColor(COLOR_3DSHADOW)), 0) << "the arrow";

    grid.SortItems(1, FALSE);
    EXPECT_EQ("c b a ", Column(1));
}

TEST_F(Sorting, EditingACellOfTheSortColumnClearsTheArrow)
{
    grid.SortItems(1, TRUE);
    grid.OnEndEditCell(3, 2, "changed elsewhere");
    EXPECT_EQ(1, grid.GetSortColumn());
    grid.OnEndEditCell(2, 1, "z");
    EXPECT_EQ(-1, grid.GetSortColumn());
    EXPECT_STREQ("z", grid.GetCell(2, 1)->GetText());
    EXPECT_TRUE(grid.GetCell(2, 1)->IsModified());
}

TEST_F(Sorting, NumericCompareReadsLeadingIntegers)
{
    const char* numbers[] = {"10", "9", "-3 dB"};
    for (int row = 1; row <= 3; ++row)
        grid.SetItemText(row, 1, numbers[row - 1]);
    grid.SortItems(1, TRUE);
    EXPECT_EQ("-3 dB 10 9 ", Column(1)) << "the text compare";
    grid.SetCompareFunction(CMonitorGrid::CompareCellNumbers);
    grid.SortItems(1, TRUE);
    EXPECT_EQ("-3 dB 9 10 ", Column(1));
}

TEST_F(Sorting, EqualRowsStayInPlaceAndLongRunsSort)
{
    grid.SetRowCount(1 + 500);
    for (int row = 1; row <= 500; ++row) {
        CString text;
        text.Format("%03d", (row * 37) % 101);
        grid.SetItemText(row, 1, text);
    }
    grid.SortItems(1, TRUE);
    for (int row = 2; row <= 500; ++row)
        ASSERT_LE(strcmp(grid.GetItemText(row - 1, 1), grid.GetItemText(row, 1)), 0) << "row " << row;
}

TEST(VirtualMode, RowsComeFromTheParentAndSortByTheirOrder)
{
    GridHost host;
    ASSERT_TRUE(host.CreateHost(400, 300));
    host.displayText = [](int row, int col) {
        CString text;
        text.Format("%d/%d", 10 - row, col);
        return text;
    };
    CMonitorGrid grid;
    grid.SetVirtualMode(TRUE);
    ASSERT_TRUE(grid.Create(CRect(0, 0, 380, 260), &host, kGridId));
    grid.SetColumnCount(2);
    grid.SetRowCount(5);
    grid.SetFixedRowCount(1);
    EXPECT_EQ("9/1", std::string(grid.GetItemText(1, 1)));
    EXPECT_FALSE(grid.SetItemText(1, 1, "ignored"));

    grid.SetVirtualCompare([](int row1, int row2, int) { return row1 - row2; });
    grid.SortItems(1, FALSE);
    EXPECT_EQ("6/1", std::string(grid.GetItemText(1, 1)));
    EXPECT_EQ("9/1", std::string(grid.GetItemText(4, 1)));

    host.cacheHints.clear();
    { GridImage image(grid); }
    ASSERT_EQ(2u, host.cacheHints.size()) << "the range before the drawing and none after";
    EXPECT_TRUE(host.cacheHints[0].IsValid());
    EXPECT_EQ(CCellRange(), host.cacheHints[1]);
    grid.DestroyWindow();
    host.DestroyWindow();
}

} // namespace

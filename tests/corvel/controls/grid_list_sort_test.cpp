// Sorting the grid list by header clicks: numeric and text traits, direction, the arrow, refusals.
#include "grid_list_fixture.h"

namespace {

// The sort mark of a header item: +1 ascending, -1 descending, 0 none. Themed headers carry
// the sort flags; unthemed ones a drawn triangle, whose tip is at the top when ascending.
int SortMark(CGridList& list, int col)
{
    HDITEMA item = {};
    item.mask = HDI_FORMAT | HDI_BITMAP;
    list.GetHeaderCtrl()->GetItem(col, &item);
    if (item.fmt & HDF_SORTUP)
        return 1;
    if (item.fmt & HDF_SORTDOWN)
        return -1;
    if (!(item.fmt & HDF_BITMAP_ON_RIGHT) || item.hbm == nullptr)
        return 0;
    HDC screen = ::GetDC(nullptr);
    HDC dc = ::CreateCompatibleDC(screen);
    ::ReleaseDC(nullptr, screen);
    HGDIOBJ old = ::SelectObject(dc, item.hbm);
    const bool tipUp = ::GetPixel(dc, 7, 5) == RGB(0, 0, 0) && ::GetPixel(dc, 7, 9) != RGB(0, 0, 0);
    const bool tipDown = ::GetPixel(dc, 7, 9) == RGB(0, 0, 0) && ::GetPixel(dc, 7, 5) != RGB(0, 0, 0);
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    return tipUp ? 1 : tipDown ? -1 : 0;
}

class GridListSortTest : public GridListTest {
protected:
    void SetUp() override
    {
        GridListTest::SetUp();
        AddRow("Breaker", "9", "BOOLEAN", "10 kV feeder");
        AddRow("Voltage", "10", "FLOAT32", "9 kV bus");
        AddRow("Current", "100", "FLOAT32", "100 A");
        AddRow("Alarm", "2", "INT16", "2 alarms");
        for (int row = 0; row < m_list.GetItemCount(); ++row)
            m_list.SetItemData(row, static_cast<DWORD_PTR>(1000 + row));
    }

    void ClickHeader(int col) { PostClick(*m_list.GetHeaderCtrl(), HeaderCenter(col)); }
};

TEST_F(GridListSortTest, NumericTraitSortsNumbersAndTextTraitSortsTexts)
{
    ClickHeader(2);
    EXPECT_EQ((std::vector<std::string>{"2", "9", "10", "100"}), ColumnTexts(2));
    ClickHeader(4);
    EXPECT_EQ((std::vector<std::string>{"10 kV feeder", "100 A", "2 alarms", "9 kV bus"}), ColumnTexts(4));
    // The rows move whole, their item data with them.
    EXPECT_STREQ("Breaker", m_list.GetItemText(0, 1));
    EXPECT_EQ(1000u, m_list.GetItemData(0));
    EXPECT_EQ(1001u, m_list.GetItemData(3));
}

TEST_F(GridListSortTest, HeaderClicksSortAscendingThenDescendingAndMoveTheArrow)
{
    const struct {
        int col;
        std::vector<std::string> addresses;
        int sortColumn;
        bool ascending;
    } clicks[] = {
        {2, {"2", "9", "10", "100"}, 2, true},
        {2, {"100", "10", "9", "2"}, 2, false},
        {1, {"2", "9", "100", "10"}, 1, true}, // Alarm, Breaker, Current, Voltage
    };
    for (const auto& click : clicks) {
        ClickHeader(click.col);
        EXPECT_EQ(click.addresses, ColumnTexts(2)) << "click on column " << click.col;
        EXPECT_EQ(click.sortColumn, m_list.GetSortColumn());
        EXPECT_EQ(click.ascending, m_list.IsSortAscending());
        for (int col = 1; col <= 4; ++col)
            EXPECT_EQ(col == click.sortColumn ? (click.ascending ? 1 : -1) : 0, SortMark(m_list, col))
                << "arrow of column " << col << " after a click on column " << click.col;
    }
}

TEST_F(GridListSortTest, FirstColumnUnsortableIgnoresClicksOnColumnOne)
{
    ClickHeader(2);
    m_list.SetFirstColumnUnsortable(true);
    ClickHeader(1);
    EXPECT_EQ((std::vector<std::string>{"2", "9", "10", "100"}), ColumnTexts(2));
    EXPECT_EQ(2, m_list.GetSortColumn());
    EXPECT_EQ(0, SortMark(m_list, 1));
    EXPECT_EQ(1, SortMark(m_list, 2));
}

TEST_F(GridListSortTest, UnsortableTraitIgnoresClicks)
{
    m_list.GetColumnTrait(4)->SetSortable(false);
    ClickHeader(4);
    EXPECT_EQ((std::vector<std::string>{"9", "10", "100", "2"}), ColumnTexts(2));
    EXPECT_EQ(-1, m_list.GetSortColumn());
    EXPECT_EQ(0, SortMark(m_list, 4));
}

// An owner-data list: the rows' texts come from the list itself.
class OwnerDataList : public CGridList {
public:
    bool GetCellText(int row, int col, CString& text) override
    {
        text.Format("%d", col == 2 ? 10 - row : row);
        return true;
    }
};

TEST_F(GridListSortTest, OwnerDataListRefusesToSort)
{
    OwnerDataList list;
    CreateList(list, LVS_OWNERDATA);
    m_list.ShowWindow(SW_HIDE);
    list.SetItemCount(5);
    PumpMessages(PumpMode::kPreTranslate);
    EXPECT_FALSE(list.SortColumn(2, true));
    PostClick(*list.GetHeaderCtrl(), HeaderCenter(2));
    EXPECT_EQ(-1, list.GetSortColumn());
    EXPECT_EQ(0, SortMark(list, 2));
    EXPECT_STREQ("10", list.GetItemText(0, 2));
    EXPECT_TRUE(list.IsCellCallback(0, 2));
    list.DestroyWindow();
}

TEST_F(GridListSortTest, SortingHidesItsRowKeysFromTheOwner)
{
    m_host.m_itemChanges = 0;
    ASSERT_TRUE(m_list.SortColumn(2, true));
    EXPECT_EQ(0, m_host.m_itemChanges);
    EXPECT_EQ((std::vector<std::string>{"2", "9", "10", "100"}), ColumnTexts(2));
    EXPECT_EQ(1003u, m_list.GetItemData(0));
    // Other changes reach the owner as before.
    m_list.SetItemData(0, 7);
    EXPECT_EQ(1, m_host.m_itemChanges);
}

} // namespace

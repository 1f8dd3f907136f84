// The mouse: clicks and their notifications, sizing columns by their dividers, right clicks and double clicks.
#include "grid_fixture.h"

namespace {

class MouseInput : public GridTest {
protected:
    void SetUp() override
    {
        GridTest::SetUp();
        Fill(5, 7);
    }
    // A point on the header row, dx from the right edge of column col.
    CPoint Divider(int col, int dx)
    {
        CRect rect;
        EXPECT_TRUE(grid.GetCellRect(0, col, &rect));
        return CPoint(rect.right + 1 + dx, rect.top + rect.Height() / 2);
    }
    int ColumnLeft(int col)
    {
        CRect rect;
        EXPECT_TRUE(grid.GetCellRect(0, col, &rect));
        return rect.left;
    }
    // Presses on a column's divider and releases the button at release.
    void DragDivider(int col, CPoint release)
    {
        const CPoint press = Divider(col, -1);
        Mouse(WM_MOUSEMOVE, press);
        ASSERT_EQ(8, grid.GetMouseMode()) << "over a column divider";
        Mouse(WM_LBUTTONDOWN, press, MK_LBUTTON);
        ASSERT_EQ(9, grid.GetMouseMode()) << "sizing the column";
        Mouse(WM_MOUSEMOVE, release, MK_LBUTTON);
        Mouse(WM_LBUTTONUP, release);
        ::ClipCursor(nullptr);
    }
};

TEST_F(MouseInput, AClickFocusesAndSelectsTheCellAndPostsACommand)
{
    host.events.clear();
    Click(CellPoint(2, 3));
    EXPECT_EQ(CCellID(2, 3), grid.GetFocusCell());
    EXPECT_EQ(CCellRange(2, 3, 2, 3), grid.GetSelectedRange());
    const std::vector<UINT> expected = {static_cast<UINT>(LVN_ITEMCHANGING), static_cast<UINT>(LVN_ITEMCHANGED),
                                        static_cast<UINT>(NM_CLICK)};
    EXPECT_EQ(expected, EventCodes());
    ASSERT_EQ(1u, host.commands.size());
    EXPECT_EQ(MAKEWPARAM(kGridId, 0), host.commands[0].first);
    EXPECT_EQ(reinterpret_cast<LPARAM>(grid.m_hWnd), host.commands[0].second);

    Click(CellPoint(4, 5), MK_SHIFT);
    EXPECT_EQ(CCellRange(2, 3, 4, 5), grid.GetSelectedRange());
    EXPECT_EQ(2u, host.commands.size()) << "every release on a cell posts one";
}

TEST_F(MouseInput, AReleaseBesideTheCellsPostsNoCommand)
{
    grid.SetColumnCount(2);
    grid.SetRowCount(2);
    grid.Refresh();
    CRect client;
    grid.GetClientRect(&client);
    Click(CPoint(client.right - 5, client.bottom - 5));
    EXPECT_TRUE(host.commands.empty());
    EXPECT_TRUE(host.events.empty());
}

TEST_F(MouseInput, PressAndReleaseOnASelectedCellWithDragAndDropClearsSelectionAndFocus)
{
    grid.EnableDragAndDrop(TRUE);
    grid.SetFocusCell(1, 1);
    grid.SetSelectedRange(1, 1, 2, 2);
    host.events.clear();
    const CPoint point = CellPoint(2, 2);
    Mouse(WM_MOUSEMOVE, point);
    Mouse(WM_LBUTTONDOWN, point, MK_LBUTTON);
    EXPECT_EQ(11, grid.GetMouseMode()) << "prepared to drag";
    Mouse(WM_LBUTTONUP, point);
    EXPECT_EQ(0, grid.GetSelectedCount());
    EXPECT_FALSE(grid.GetFocusCell().IsValid());
    const std::vector<GridEvent> expected = {{static_cast<UINT>(NM_CLICK), 2, 2},
                                             {static_cast<UINT>(LVN_ITEMCHANGING), 2, 2},
                                             {static_cast<UINT>(LVN_ITEMCHANGED), -1, -1}};
    EXPECT_EQ(expected, host.events);
    EXPECT_EQ(1u, host.commands.size());
}

TEST_F(MouseInput, APressOnTheFocusCellEditsOnRelease)
{
    Click(CellPoint(3, 3));
    host.events.clear();
    Click(CellPoint(3, 3));
    EXPECT_NE(nullptr, ::GetDlgItem(grid.m_hWnd, kInPlaceControlId));
    EXPECT_EQ(1u, host.Events(LVN_BEGINLABELEDITA).size());
}

struct DividerCase {
    const char* name;
    BOOL hiding;
    int releaseOffset; // from the column's left edge; a large value stands for the press point or (0, 0)
    bool atPressPoint;
    bool atOrigin;
    int expectedWidth; // -1: unchanged
};

TEST_F(MouseInput, DraggingADividerSetsTheWidthFromTheColumnsLeftEdge)
{
    const DividerCase cases[] = {
        {"wider", TRUE, 120, false, false, 120},
        {"under one pixel, hiding on", TRUE, 0, false, false, 0},
        {"left of the edge, hiding on", TRUE, -6, false, false, 0},
        {"under one pixel, hiding off", FALSE, 0, false, false, 1},
        {"left of the edge, hiding off", FALSE, -6, false, false, 1},
        {"released where pressed", TRUE, 0, true, false, -1},
        {"released at (0, 0)", TRUE, 0, false, true, -1},
    };
    for (const DividerCase& c : cases) {
        grid.SetColumnWidth(2, 60);
        grid.EnableColumnHide(c.hiding);
        grid.Refresh();
        PumpMessages();
        const CPoint press = Divider(2, -1);
        CPoint release(ColumnLeft(2) + c.releaseOffset, press.y);
        if (c.atPressPoint)
            release = press;
        if (c.atOrigin)
            release = CPoint(0, 0);
        DragDivider(2, release);
        EXPECT_EQ(c.expectedWidth < 0 ? 60 : c.expectedWidth, grid.GetColumnWidth(2)) << c.name;
        EXPECT_EQ(0, grid.GetMouseMode()) << c.name;
    }
}

TEST_F(MouseInput, APressJustRightOfADividerSizesTheColumnBeforeIt)
{
    grid.SetColumnWidth(2, 60);
    grid.SetColumnWidth(3, 70);
    const CPoint press = Divider(2, 1);
    Mouse(WM_MOUSEMOVE, press);
    ASSERT_EQ(8, grid.GetMouseMode());
    Mouse(WM_LBUTTONDOWN, press, MK_LBUTTON);
    const CPoint release(ColumnLeft(2) + 90, press.y);
    Mouse(WM_MOUSEMOVE, release, MK_LBUTTON);
    Mouse(WM_LBUTTONUP, release);
    ::ClipCursor(nullptr);
    EXPECT_EQ(90, grid.GetColumnWidth(2));
    EXPECT_EQ(70, grid.GetColumnWidth(3));
}

TEST_F(MouseInput, DoubleClickJustRightOfADividerAutoSizesTheColumnBeforeIt)
{
    grid.SetItemText(3, 2, "a text much wider than sixty pixels");
    grid.SetColumnWidth(2, 60);
    grid.SetColumnWidth(3, 70);
    const CPoint point = Divider(2, 1);
    Mouse(WM_MOUSEMOVE, point);
    ASSERT_EQ(8, grid.GetMouseMode());
    Mouse(WM_LBUTTONDBLCLK, point, MK_LBUTTON);
    EXPECT_GT(grid.GetColumnWidth(2), 150);
    EXPECT_EQ(70, grid.GetColumnWidth(3));
}

TEST_F(MouseInput, ARightClickOnAHeaderMovesTheFocusIntoTheColumnWithoutSelecting)
{
    host.events.clear();
    const CPoint point = CellPoint(0, 4);
    Mouse(WM_RBUTTONDOWN, point, MK_RBUTTON);
    Mouse(WM_RBUTTONUP, point);
    EXPECT_EQ(CCellID(1, 4), grid.GetFocusCell());
    EXPECT_EQ(0, grid.GetSelectedCount());
    const std::vector<GridEvent> clicks = host.Events(NM_RCLICK);
    ASSERT_EQ(1u, clicks.size());
    EXPECT_EQ((GridEvent{static_cast<UINT>(NM_RCLICK), 0, 4}), clicks[0]);

    CRect client;
    grid.GetClientRect(&client);
    grid.SetColumnCount(2);
    Mouse(WM_RBUTTONUP, CPoint(client.right - 3, client.bottom - 3));
    EXPECT_EQ((GridEvent{static_cast<UINT>(NM_RCLICK), -1, -1}), host.events.back());
}

TEST_F(MouseInput, AHeaderClickSortsWhenAskedAndSelectsTheColumn)
{
    grid.SetHeaderSort(TRUE);
    grid.SetItemText(1, 2, "b");
    grid.SetItemText(2, 2, "c");
    grid.SetItemText(3, 2, "a");
    grid.SetItemText(4, 2, "d");
    Click(CellPoint(0, 2));
    EXPECT_EQ(2, grid.GetSortColumn());
    EXPECT_TRUE(grid.GetSortAscending());
    EXPECT_STREQ("a", grid.GetItemText(1, 2));
    EXPECT_EQ(CCellRange(1, 2, 4, 2), grid.GetSelectedRange());
    Click(CellPoint(0, 2));
    EXPECT_FALSE(grid.GetSortAscending());
    EXPECT_STREQ("d", grid.GetItemText(1, 2));
}

TEST_F(MouseInput, DraggingOverCellsExtendsTheSelection)
{
    Mouse(WM_MOUSEMOVE, CellPoint(1, 1));
    Mouse(WM_LBUTTONDOWN, CellPoint(1, 1), MK_LBUTTON);
    Mouse(WM_MOUSEMOVE, CellPoint(3, 4), MK_LBUTTON);
    EXPECT_EQ(CCellRange(1, 1, 3, 4), grid.GetSelectedRange());
    EXPECT_EQ(CCellID(3, 4), grid.GetFocusCell());
    Mouse(WM_LBUTTONUP, CellPoint(3, 4));
    EXPECT_EQ(0, grid.GetMouseMode());
}

} // namespace

// The keyboard: moving the focus past hidden rows and columns, Tab, paging, editing keys and the notifications.
#include "grid_fixture.h"

namespace {

class Keyboard : public GridTest {
protected:
    void SetUp() override
    {
        GridTest::SetUp();
        Fill(5, 7);
        grid.SetColumnWidth(3, 0);
        grid.SetRowHeight(2, 0);
        grid.Refresh();
    }
    HWND Editor() const { return ::GetDlgItem(grid.m_hWnd, kInPlaceControlId); }
};

struct Move {
    CCellID from;
    UINT key;
    bool shift;
    CCellID to;
};

TEST_F(Keyboard, KeysMoveTheFocusPastHiddenRowsAndColumns)
{
    const Move moves[] = {
        {CCellID(1, 2), VK_RIGHT, false, CCellID(1, 4)}, // column 3 is hidden
        {CCellID(1, 4), VK_LEFT, false, CCellID(1, 2)},
        {CCellID(1, 0), VK_LEFT, false, CCellID(1, 0)},  // nothing left of the first column
        {CCellID(1, 6), VK_RIGHT, false, CCellID(1, 6)}, // nothing right of the last
        {CCellID(1, 1), VK_DOWN, false, CCellID(3, 1)},  // row 2 is hidden
        {CCellID(3, 1), VK_UP, false, CCellID(1, 1)},
        {CCellID(1, 1), VK_UP, false, CCellID(1, 1)},    // the fixed row is not entered
        {CCellID(4, 1), VK_DOWN, false, CCellID(4, 1)},
        {CCellID(1, 2), VK_TAB, false, CCellID(1, 4)},
        {CCellID(1, 6), VK_TAB, false, CCellID(3, 0)},   // wraps to the next shown row
        {CCellID(3, 0), VK_TAB, true, CCellID(1, 6)},    // and back
        {CCellID(3, 4), VK_HOME, false, CCellID(3, 0)},
        {CCellID(3, 4), VK_END, false, CCellID(3, 6)},
        {CCellID(3, 4), VK_NEXT, false, CCellID(4, 4)},  // nothing to page: the last row
        {CCellID(3, 4), VK_PRIOR, false, CCellID(1, 4)},
    };
    for (const Move& move : moves) {
        grid.SetFocusCell(move.from);
        Key(move.key, move.shift);
        EXPECT_EQ(move.to, grid.GetFocusCell()) << "key " << move.key << " from " << move.from.row << ","
                                                << move.from.col;
    }
}

TEST_F(Keyboard, TabAtTheLastCellIsLeftToTheDefaultHandling)
{
    grid.SetFocusCell(4, 6);
    host.events.clear();
    Key(VK_TAB);
    EXPECT_EQ(CCellID(4, 6), grid.GetFocusCell());
    EXPECT_TRUE(host.events.empty());
}

TEST_F(Keyboard, AMoveSelectsTheNewCellBetweenTheTwoChangeNotifications)
{
    grid.SetFocusCell(1, 1);
    host.events.clear();
    Key(VK_RIGHT);
    const std::vector<GridEvent> expected = {{static_cast<UINT>(LVN_ITEMCHANGING), 1, 2},
                                             {static_cast<UINT>(LVN_ITEMCHANGED), 1, 2}};
    EXPECT_EQ(expected, host.events);
    EXPECT_TRUE(grid.IsCellSelected(1, 2));
    EXPECT_EQ(1, grid.GetSelectedCount());

    Key(VK_DOWN, true);
    EXPECT_EQ(CCellRange(1, 2, 3, 2), grid.GetSelectedRange()) << "Shift keeps the selection's start";
    Key(VK_RIGHT);
    EXPECT_EQ(CCellRange(3, 4, 3, 4), grid.GetSelectedRange());
}

TEST_F(Keyboard, ControlKeysSelectAllAndCut)
{
    grid.SetFocusCell(1, 1);
    Key('A', false, true);
    EXPECT_EQ(CCellRange(1, 0, 4, 6), grid.GetSelectedRange());
    EXPECT_EQ(4 * 7, grid.GetSelectedCount());

    grid.SetSelectedRange(3, 4, 3, 5);
    Key(VK_DELETE);
    EXPECT_STREQ("", grid.GetItemText(3, 4));
    EXPECT_STREQ("", grid.GetItemText(3, 5));
    EXPECT_STREQ("3,6", grid.GetItemText(3, 6));
}

TEST_F(Keyboard, EscapeStartsNoEditAndF2StartsOne)
{
    grid.SetFocusCell(1, 1);
    Key(VK_ESCAPE);
    EXPECT_EQ(nullptr, Editor());
    Key(VK_F2);
    HWND editor = Editor();
    ASSERT_NE(nullptr, editor);
    char className[32] = {};
    ::GetClassNameA(editor, className, sizeof className);
    EXPECT_STREQ("Edit", className);
    EXPECT_EQ(editor, ::GetFocus());
    const std::vector<GridEvent> begins = host.Events(LVN_BEGINLABELEDITA);
    ASSERT_EQ(1u, begins.size());
    EXPECT_EQ((GridEvent{static_cast<UINT>(LVN_BEGINLABELEDITA), 1, 1}), begins[0]);
}

TEST_F(Keyboard, ATypedCharacterStartsAnEditThatReplacesTheText)
{
    grid.SetFocusCell(3, 4);
    Type("7");
    ASSERT_NE(nullptr, Editor());
    Key(VK_RETURN);
    EXPECT_EQ(nullptr, Editor());
    EXPECT_STREQ("7", grid.GetItemText(3, 4));
    EXPECT_EQ(grid.m_hWnd, ::GetFocus());
}

TEST_F(Keyboard, NoKeyActsWithoutAFocusCell)
{
    grid.SetFocusCell(-1, -1);
    Key(VK_DOWN);
    Type("x");
    EXPECT_FALSE(grid.GetFocusCell().IsValid());
    EXPECT_EQ(nullptr, Editor());
}

TEST_F(Keyboard, TheGridAsksForArrowsCharactersAndTab)
{
    EXPECT_EQ(static_cast<LRESULT>(DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_WANTTAB), grid.SendMessage(WM_GETDLGCODE));
    grid.SetHandleTabKey(FALSE);
    EXPECT_EQ(static_cast<LRESULT>(DLGC_WANTARROWS | DLGC_WANTCHARS), grid.SendMessage(WM_GETDLGCODE));
}

TEST_F(Keyboard, MovingDownScrollsTheFocusIntoView)
{
    Fill(60, 4);
    grid.SetRowHeight(2, grid.GetRowHeight(1));
    grid.SetFocusCell(1, 1);
    for (int i = 0; i < 40; ++i)
        Key(VK_DOWN);
    EXPECT_EQ(CCellID(41, 1), grid.GetFocusCell());
    EXPECT_TRUE(grid.IsCellVisible(41, 1));
    EXPECT_GT(grid.GetTopleftNonFixedCell().row, 1);
}

TEST_F(Keyboard, WheelScrollsByTheWheelLines)
{
    Fill(60, 4);
    grid.SetRowHeight(2, grid.GetRowHeight(1));
    grid.Refresh();
    grid.SetMouseScrollLines(3);
    grid.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), 0);
    EXPECT_EQ(4, grid.GetTopleftNonFixedCell().row);
    grid.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
    EXPECT_EQ(1, grid.GetTopleftNonFixedCell().row);
    grid.SetMouseScrollLines(WHEEL_PAGESCROLL);
    grid.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), 0);
    EXPECT_GT(grid.GetTopleftNonFixedCell().row, 10);
}

} // namespace

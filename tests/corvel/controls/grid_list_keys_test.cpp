// The keyboard: moving the focus cell, searching a column by typing, copying to the clipboard.
#include "grid_list_fixture.h"

namespace {

__time64_t g_now = 1000;

__time64_t TestClock()
{
    return g_now;
}

class GridListKeysTest : public GridListTest {
protected:
    void SetUp() override
    {
        GridListTest::SetUp();
        m_previousClock = CGridList::SetSearchClock(&TestClock);
        AddRow("apple", "1", "BOOLEAN", "first");
        AddRow("banana", "2", "INT16", "second");
        AddRow("Avocado", "3", "INT32", "third");
        AddRow("cherry", "4", "FLOAT32", "fourth");
        AddRow("apricot", "5", "BOOLEAN", "fifth");
    }
    void TearDown() override
    {
        CGridList::SetSearchClock(m_previousClock);
        GridListTest::TearDown();
    }

    void Type(char c)
    {
        PostKey(m_list.m_hWnd, static_cast<UINT>(LOBYTE(::VkKeyScanA(c))));
    }

    // The text the list put on the clipboard, or "<none>".
    static std::string ClipboardText(HWND owner)
    {
        std::string text = "<none>";
        if (!::OpenClipboard(owner))
            return text;
        if (HANDLE data = ::GetClipboardData(CF_TEXT)) {
            if (const char* bytes = static_cast<const char*>(::GlobalLock(data))) {
                text = bytes;
                ::GlobalUnlock(data);
            }
        }
        ::CloseClipboard();
        return text;
    }

    CGridList::SearchClock m_previousClock = nullptr;
};

TEST_F(GridListKeysTest, LeftAndRightMoveTheFocusCellThroughTheVisibleColumns)
{
    PostClick(m_list, CellCenter(1, 4));
    PostKey(m_list.m_hWnd, VK_LEFT);
    PostKey(m_list.m_hWnd, VK_LEFT);
    PostKey(m_list.m_hWnd, VK_LEFT);
    ASSERT_EQ(1, m_list.GetFocusCell());
    // Left of the first visible column: the whole row (the hidden label column is skipped).
    PostKey(m_list.m_hWnd, VK_LEFT);
    EXPECT_EQ(-1, m_list.GetFocusCell());
    PostKey(m_list.m_hWnd, VK_LEFT);
    EXPECT_EQ(-1, m_list.GetFocusCell());
    // Right from the whole row: the first visible column.
    PostKey(m_list.m_hWnd, VK_RIGHT);
    EXPECT_EQ(1, m_list.GetFocusCell());

    // The display order counts, and a hidden column is not stepped onto.
    int order[] = {0, 1, 4, 2, 3};
    m_list.SetColumnOrderArray(5, order);
    PostKey(m_list.m_hWnd, VK_RIGHT);
    EXPECT_EQ(4, m_list.GetFocusCell());
    PostKey(m_list.m_hWnd, VK_RIGHT);
    PostKey(m_list.m_hWnd, VK_RIGHT);
    EXPECT_EQ(3, m_list.GetFocusCell());
    PostKey(m_list.m_hWnd, VK_RIGHT);
    EXPECT_EQ(3, m_list.GetFocusCell()) << "right of the last column stays";
    m_list.ShowColumn(4, false);
    PostKey(m_list.m_hWnd, VK_RIGHT);
    EXPECT_EQ(3, m_list.GetFocusCell());
    PostKey(m_list.m_hWnd, VK_LEFT);
    PostKey(m_list.m_hWnd, VK_LEFT);
    EXPECT_EQ(1, m_list.GetFocusCell()) << "the column shown again keeps its place";
    PostKey(m_list.m_hWnd, VK_LEFT);
    EXPECT_EQ(-1, m_list.GetFocusCell());
    // Rows that go reset it.
    PostKey(m_list.m_hWnd, VK_RIGHT);
    m_list.DeleteAllItems();
    PostKey(m_list.m_hWnd, VK_RIGHT);
    EXPECT_EQ(-1, m_list.GetFocusCell());
}

TEST_F(GridListKeysTest, TypingTheSameLetterStepsThroughTheMatchingRowsAndWraps)
{
    PostClick(m_list, CellCenter(0, 1));
    const int expected[] = {2, 4, 0, 2};
    for (int row : expected) {
        Type('a');
        EXPECT_EQ(row, m_list.GetFocusRow());
        EXPECT_TRUE(m_list.IsRowSelected(row));
        EXPECT_EQ(1u, m_list.GetSelectedCount());
    }
}

TEST_F(GridListKeysTest, APauseOfTwoSecondsStartsANewSearch)
{
    PostClick(m_list, CellCenter(0, 1));
    Type('a'); // Avocado
    Type('p'); // "ap": apricot
    EXPECT_EQ(4, m_list.GetFocusRow());
    g_now += 1;
    Type('b'); // "apb": nothing, the row stays
    EXPECT_EQ(4, m_list.GetFocusRow());
    g_now += 2;
    Type('b'); // a new search: banana
    EXPECT_EQ(1, m_list.GetFocusRow());
}

TEST_F(GridListKeysTest, SearchTakesTheFocusCellsColumnAndCtrlClearsIt)
{
    PostClick(m_list, CellCenter(0, 4));
    Type('f'); // fourth (after the focus row "first")
    EXPECT_EQ(3, m_list.GetFocusRow());
    {
        HeldKeys ctrl({VK_CONTROL});
        Type('x');
    }
    Type('i'); // "i" alone after the clearing: no row
    EXPECT_EQ(3, m_list.GetFocusRow());
    g_now += 2;
    Type('f'); // "f" again from row 3: fifth
    EXPECT_EQ(4, m_list.GetFocusRow());
}

TEST_F(GridListKeysTest, ClipboardTextOfTheSelection)
{
    m_list.ShowColumn(3, false);
    const struct {
        const char* name;
        std::vector<int> selected;
        int focusCol; // the column clicked last, or -1 for the whole row
        const char* expected;
    } cases[] = {
        {"one row, a focus cell", {2}, 4, "third"},
        {"one row, the whole row", {2}, -1, "Tag Name\tAddress\tDescription\r\nAvocado\t3\tthird"},
        {"two rows", {1, 4}, 4,
         "Tag Name\tAddress\tDescription\r\nbanana\t2\tsecond\r\napricot\t5\tfifth"},
    };
    for (const auto& c : cases) {
        PostClick(m_list, CellCenter(c.selected.back(), c.focusCol >= 0 ? c.focusCol : 1));
        if (c.focusCol < 0)
            PostKey(m_list.m_hWnd, VK_LEFT);
        m_list.SelectRow(-1, false);
        for (int row : c.selected)
            m_list.SelectRow(row, true);
        CString text;
        ASSERT_TRUE(m_list.GetSelectionClipboardText(text));
        EXPECT_STREQ(c.expected, text) << c.name;
    }
}

TEST_F(GridListKeysTest, CtrlCPutsThePlainTextOnTheClipboard)
{
    PostClick(m_list, CellCenter(3, 1));
    PostKey(m_list.m_hWnd, VK_LEFT);
    {
        HeldKeys ctrl({VK_CONTROL});
        PostKey(m_list.m_hWnd, 'C');
    }
    EXPECT_EQ("Tag Name\tAddress\tData Type\tDescription\r\ncherry\t4\tFLOAT32\tfourth", ClipboardText(m_host.m_hWnd));
    PostKey(m_list.m_hWnd, VK_RIGHT);
    m_list.SendMessage(WM_COPY);
    EXPECT_EQ("cherry", ClipboardText(m_host.m_hWnd));
}

TEST_F(GridListKeysTest, CtrlASelectsEveryRow)
{
    PostClick(m_list, CellCenter(0, 1));
    {
        HeldKeys ctrl({VK_CONTROL});
        PostKey(m_list.m_hWnd, 'A');
    }
    EXPECT_EQ(5u, m_list.GetSelectedCount());
}

TEST_F(GridListKeysTest, TheFocusCellIsScrolledIntoView)
{
    m_host.SetWindowPos(nullptr, 0, 0, 300, 250, SWP_NOMOVE | SWP_NOZORDER);
    PumpMessages(PumpMode::kPreTranslate);
    PostClick(m_list, CellCenter(0, 1));
    ASSERT_EQ(0, ::GetScrollPos(m_list.m_hWnd, SB_HORZ));
    for (int i = 0; i < 3; ++i)
        PostKey(m_list.m_hWnd, VK_RIGHT);
    ASSERT_EQ(4, m_list.GetFocusCell());
    CRect client;
    m_list.GetClientRect(&client);
    CRect cell;
    m_list.GetCellRect(0, 4, LVIR_BOUNDS, cell);
    EXPECT_GT(::GetScrollPos(m_list.m_hWnd, SB_HORZ), 0);
    // It ended right of the list: its right edge meets the list's right edge.
    EXPECT_EQ(client.right, cell.right);
    PostKey(m_list.m_hWnd, VK_LEFT);
    m_list.GetCellRect(0, 3, LVIR_BOUNDS, cell);
    EXPECT_GE(cell.left, client.left);
    EXPECT_LE(cell.right, client.right);
}

TEST_F(GridListKeysTest, CtrlPlusOnTheKeypadFitsEveryColumnToItsCells)
{
    m_list.ShowColumn(4, false);
    {
        HeldKeys ctrl({VK_CONTROL});
        PostKey(m_list.m_hWnd, VK_ADD);
    }
    EXPECT_LT(m_list.GetColumnWidth(1), 150) << "fitted to \"banana\"";
    EXPECT_GT(m_list.GetColumnWidth(1), m_list.GetStringWidth("banana"));
    EXPECT_EQ(0, m_list.GetColumnWidth(4)) << "a hidden column stays hidden";
}

// Records the context menus the list raises.
class MenuHooksList : public CGridList {
public:
    void OnContextMenuCell(CWnd*, CPoint point, int row, int col) override
    {
        m_calls.push_back("cell " + std::to_string(row) + " " + std::to_string(col));
        m_point = point;
    }
    void OnContextMenuGrid(CWnd*, CPoint point) override
    {
        m_calls.push_back("grid");
        m_point = point;
    }
    std::vector<std::string> m_calls;
    CPoint m_point;
};

TEST_F(GridListKeysTest, ContextMenuFromTheKeyboardGoesToTheFocusCell)
{
    m_list.ShowWindow(SW_HIDE);
    MenuHooksList list;
    CreateList(list);
    list.SetFocus();
    list.SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(list.m_hWnd), MAKELPARAM(-1, -1));
    CPoint corner(0, 0);
    list.ClientToScreen(&corner);
    EXPECT_EQ(corner, list.m_point) << "no rows: the grid, at the top-left corner";
    ASSERT_EQ(0, list.InsertRowTexts(-1, 5, "", "apple", "1", "INT16", "first"));
    ASSERT_EQ(1, list.InsertRowTexts(-1, 5, "", "banana", "2", "INT16", "second"));
    list.SetFocusRow(1);
    list.SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(list.m_hWnd), MAKELPARAM(-1, -1));
    PostKey(list.m_hWnd, VK_RIGHT);
    PostKey(list.m_hWnd, VK_RIGHT);
    list.SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(list.m_hWnd), MAKELPARAM(-1, -1));
    EXPECT_EQ((std::vector<std::string>{"grid", "cell 1 -1", "cell 1 2"}), list.m_calls);
    CRect cell;
    list.GetCellRect(1, 2, LVIR_BOUNDS, cell);
    const int offset = std::min(cell.Width() / 2, cell.Height() / 2);
    CPoint expected(cell.left + offset, cell.top + offset);
    list.ClientToScreen(&expected);
    EXPECT_EQ(expected, list.m_point);

    // A right click beside the rows (no menu mode applies) reaches the grid's hook.
    list.SetMenuMode(9);
    CRect client;
    list.GetClientRect(&client);
    CPoint beside(30, client.bottom - 8);
    list.ClientToScreen(&beside);
    list.SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(list.m_hWnd), MAKELPARAM(beside.x, beside.y));
    EXPECT_EQ("grid", list.m_calls.back());
    list.DestroyWindow();
}

// An owner-data list with check boxes that keeps its rows' checks itself.
class CheckList : public CGridList {
public:
    bool GetCellText(int row, int col, CString& text) override
    {
        text.Format("%s %d", col == 1 ? (row % 2 ? "beta" : "alpha") : "cell", row);
        return true;
    }
    bool HasOwnerDataCheckBox(int row) override { return m_checked[static_cast<size_t>(row)]; }
    void InvalidateRow(int row) override
    {
        m_checked[static_cast<size_t>(row)] = !m_checked[static_cast<size_t>(row)];
        CGridList::InvalidateRow(row);
    }
    std::vector<bool> m_checked = std::vector<bool>(6, false);
};

TEST_F(GridListKeysTest, OwnerDataCheckBoxesToggleAndSearchFindsRows)
{
    m_list.ShowWindow(SW_HIDE);
    CheckList list;
    CreateList(list, LVS_OWNERDATA);
    list.SetExtendedStyle(list.GetExtendedStyle() | LVS_EX_CHECKBOXES);
    list.SendMessage(LVM_SETCALLBACKMASK, LVIS_STATEIMAGEMASK);
    list.SetItemCount(6);
    list.SetFocus();
    list.SetFocusRow(2);
    PostKey(list.m_hWnd, VK_SPACE);
    EXPECT_EQ((std::vector<bool>{false, false, true, false, false, false}), list.m_checked);
    LVITEMA item = {};
    item.mask = LVIF_STATE;
    item.stateMask = LVIS_STATEIMAGEMASK;
    item.iItem = 2;
    list.GetItem(&item);
    EXPECT_EQ(static_cast<UINT>(INDEXTOSTATEIMAGEMASK(2)), item.state & LVIS_STATEIMAGEMASK);

    // The list view's own search on the first column asks the list.
    NMLVFINDITEMA find = {};
    find.hdr.hwndFrom = list.m_hWnd;
    find.hdr.idFrom = kGridListId;
    find.hdr.code = LVN_ODFINDITEMA;
    find.iStart = 3;
    find.lvfi.flags = LVFI_STRING | LVFI_PARTIAL;
    find.lvfi.psz = "cell 1";
    EXPECT_EQ(1, m_host.SendMessage(WM_NOTIFY, kGridListId, reinterpret_cast<LPARAM>(&find)));
    list.DestroyWindow();
}

// The Delete key does what the row menu's Delete does, in the lists whose row menu offers it.
TEST_F(GridListKeysTest, DeleteRemovesTheSelectedRowsWhereTheRowMenuOffersDelete)
{
    Corvel::Records::CPLC_Device device;
    const struct {
        int mode;
        int devType; // -1: no bound record
        bool deletes;
    } cases[] = {
        {3, -1, true}, {0, 0, true}, {0, 2, true}, {0, 6, true}, {0, 7, false},
        {0, -1, false}, {1, -1, false}, {2, -1, false},
    };
    for (const auto& c : cases) {
        m_list.SetMenuMode(c.mode);
        device.devType = c.devType;
        m_list.SetBoundRecord(c.devType >= 0 ? &device : nullptr);
        for (int row = m_list.GetItemCount(); row < 3; ++row)
            AddRow("spare", "9", "INT16", "");
        const int before = m_list.GetItemCount();
        const CString second = m_list.GetItemText(1, 1);
        m_list.SelectRow(-1, false);
        m_list.SelectRow(1, true);
        m_list.SetFocus();
        PostKey(m_list.m_hWnd, VK_DELETE);
        EXPECT_EQ(c.deletes ? before - 1 : before, m_list.GetItemCount()) << "mode " << c.mode << ", " << c.devType;
        EXPECT_EQ(!c.deletes, m_list.GetItemText(1, 1) == second) << "mode " << c.mode << ", " << c.devType;
    }
}

} // namespace

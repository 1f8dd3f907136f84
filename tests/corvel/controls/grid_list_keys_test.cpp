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

} // namespace

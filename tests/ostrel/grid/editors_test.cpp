// In-place editors: the end-of-edit record, the parent's answers, widening while typing, moving on, and the combo cell.
#include "grid_fixture.h"

#include "ostrel/grid/in_place_list.h"

namespace {

class Editing : public GridTest {
protected:
    void SetUp() override
    {
        GridTest::SetUp();
        Fill(5, 7);
    }
    HWND Editor() const { return ::GetDlgItem(grid.m_hWnd, kInPlaceControlId); }
    void StartEditing(int row, int col)
    {
        grid.SetFocusCell(row, col);
        Key(VK_F2);
        ASSERT_NE(nullptr, Editor());
    }
    void ReplaceEditorText(const char* text)
    {
        ::SendMessageA(KeyTarget(), EM_SETSEL, 0, -1);
        Type(text);
    }
};

TEST_F(Editing, EscapeReportsTheInitialTextWithKey27)
{
    StartEditing(2, 2);
    ReplaceEditorText("typed");
    Key(VK_ESCAPE);
    ASSERT_EQ(1u, grid.editorEnds.size());
    const EditorEnd& end = grid.editorEnds[0];
    EXPECT_STREQ("2,2", end.text);
    EXPECT_EQ(27u, end.key);
    EXPECT_EQ(static_cast<UINT>(LVIF_TEXT | LVIF_PARAM), end.mask);
    EXPECT_EQ(2, end.row);
    EXPECT_EQ(2, end.col);
    EXPECT_STREQ("2,2", grid.GetItemText(2, 2));
    EXPECT_FALSE(grid.GetCell(2, 2)->IsEditing());
    EXPECT_EQ(nullptr, Editor()) << "the editor closed itself";
}

TEST_F(Editing, EnterStoresTheTextWhenTheParentAgrees)
{
    StartEditing(2, 2);
    ReplaceEditorText("new");
    Key(VK_RETURN);
    ASSERT_EQ(1u, grid.editorEnds.size());
    EXPECT_EQ(13u, grid.editorEnds[0].key);
    EXPECT_STREQ("new", grid.GetItemText(2, 2));
    EXPECT_TRUE(grid.GetCell(2, 2)->IsModified());
    EXPECT_EQ(1u, host.Events(LVN_ENDLABELEDITA).size());
}

TEST_F(Editing, AParentAnsweringMinusOneRestoresTheOldText)
{
    host.answers[LVN_ENDLABELEDITA] = -1;
    StartEditing(2, 2);
    ReplaceEditorText("refused");
    Key(VK_RETURN);
    EXPECT_STREQ("2,2", grid.GetItemText(2, 2));
    EXPECT_FALSE(grid.GetCell(2, 2)->IsModified());
}

TEST_F(Editing, AParentRefusingTheStartGivesNoEditor)
{
    host.answers[LVN_BEGINLABELEDITA] = -1;
    grid.SetFocusCell(2, 2);
    Key(VK_F2);
    EXPECT_EQ(nullptr, Editor());
}

TEST_F(Editing, ReadOnlyCellsAndAReadOnlyGridAreNotEdited)
{
    grid.SetItemState(2, 2, grid.GetItemState(2, 2) | CELL_READONLY);
    grid.SetFocusCell(2, 2);
    Key(VK_F2);
    EXPECT_EQ(nullptr, Editor());
    grid.SetEditable(FALSE);
    grid.SetFocusCell(2, 3);
    Key(VK_F2);
    EXPECT_EQ(nullptr, Editor());
    EXPECT_TRUE(host.Events(LVN_BEGINLABELEDITA).empty());
}

TEST_F(Editing, TabEndsTheEditAndEditsTheNextCell)
{
    StartEditing(2, 2);
    ReplaceEditorText("x");
    Key(VK_TAB);
    ASSERT_EQ(1u, grid.editorEnds.size());
    EXPECT_EQ(9u, grid.editorEnds[0].key);
    EXPECT_STREQ("x", grid.GetItemText(2, 2));
    EXPECT_EQ(CCellID(2, 3), grid.GetFocusCell());
    ASSERT_NE(nullptr, Editor());
    EXPECT_TRUE(grid.GetCell(2, 3)->IsEditing());
    Key(VK_ESCAPE);
}

TEST_F(Editing, TypingNeverWidensTheEditPastTheGridsRightEdge)
{
    for (int col = 0; col < 7; ++col)
        grid.SetColumnWidth(col, 80);
    grid.Refresh();
    PumpMessages();
    CRect client;
    grid.GetClientRect(&client);
    const CCellRange visible = grid.GetVisibleNonFixedCellRange();
    const int col = visible.GetMaxCol() - 1;
    StartEditing(2, col);
    CRect before;
    ::GetWindowRect(Editor(), &before);
    grid.ScreenToClient(&before);
    Type(" and a long tail of typing that is much wider than the space left in the grid");
    CRect after;
    ::GetWindowRect(Editor(), &after);
    grid.ScreenToClient(&after);
    EXPECT_GT(after.Width(), before.Width()) << "the box grows with its text";
    EXPECT_LE(after.right, client.right);
    Key(VK_ESCAPE);
}

class ComboEditing : public Editing {
protected:
    void SetUp() override
    {
        Editing::SetUp();
        ASSERT_TRUE(grid.SetCellType(2, 3, RUNTIME_CLASS(CMonitorComboCell)));
        CStringArray choices;
        choices.Add("Decimal");
        choices.Add("A choice with a very long text that would make a drop-down list far too wide");
        choices.Add("Binary");
        combo = STATIC_DOWNCAST(CMonitorComboCell, grid.GetCell(2, 3));
        combo->SetOptions(choices);
        grid.SetItemText(2, 3, "Binary");
    }
    CMonitorComboCell* combo = nullptr;
};

TEST_F(ComboEditing, TheListDropsAtMost200PixelsWide)
{
    StartEditing(2, 3);
    char className[32] = {};
    ::GetClassNameA(Editor(), className, sizeof className);
    EXPECT_STREQ("ComboBox", className);
    EXPECT_EQ(3, ::SendMessageA(Editor(), CB_GETCOUNT, 0, 0));
    EXPECT_EQ(2, ::SendMessageA(Editor(), CB_GETCURSEL, 0, 0)) << "the cell's text is chosen";
    const LRESULT width = ::SendMessageA(Editor(), CB_GETDROPPEDWIDTH, 0, 0);
    EXPECT_LE(width, 200);
    EXPECT_GE(width, 150);
    Key(VK_ESCAPE);
}

TEST_F(ComboEditing, EscapeReportsTheInitialTextWithKey27)
{
    StartEditing(2, 3);
    ::SendMessageA(Editor(), CB_SETCURSEL, 0, 0);
    Key(VK_ESCAPE);
    ASSERT_EQ(1u, grid.editorEnds.size());
    EXPECT_STREQ("Binary", grid.editorEnds[0].text);
    EXPECT_EQ(27u, grid.editorEnds[0].key);
    EXPECT_STREQ("Binary", grid.GetItemText(2, 3));
    PumpMessages();
    EXPECT_EQ(nullptr, Editor());
}

TEST_F(ComboEditing, APickedChoiceGoesToTheChoiceHandler)
{
    std::vector<std::pair<int, int>> picks;
    combo->SetChoiceHandler([&picks](int row, int index) { picks.push_back({row, index}); });
    StartEditing(2, 3);
    HWND list = Editor();
    ::SendMessageA(list, CB_SETCURSEL, 2, 0);
    ::SendMessageA(grid.m_hWnd, WM_COMMAND, MAKEWPARAM(kInPlaceControlId, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
    ASSERT_EQ(1u, picks.size());
    EXPECT_EQ(std::make_pair(2, 2), picks[0]);
    EXPECT_EQ(0, ::SendMessageA(list, CB_GETCURSEL, 0, 0)) << "then the first choice again";
    Key(VK_ESCAPE);
}

TEST_F(ComboEditing, TheCellDrawsADropDownButtonWhileNotEdited)
{
    grid.SetRowHeight(2, 30);
    grid.SetColumnWidth(3, 100);
    CRect rect;
    ASSERT_TRUE(grid.GetCellRect(2, 3, &rect));
    const CRect button(rect.right - ::GetSystemMetrics(SM_CXVSCROLL), rect.top, rect.right,
                       rect.top + ::GetSystemMetrics(SM_CYHSCROLL));
    const COLORREF face = ::GetSysColor(COLOR_3DFACE);
    {
        GridImage image(grid);
        EXPECT_GT(image.Count(button, face), button.Width() * button.Height() / 3);
    }
    grid.SetEditable(FALSE);
    GridImage image(grid);
    EXPECT_EQ(0, image.Count(button, face));
}

} // namespace

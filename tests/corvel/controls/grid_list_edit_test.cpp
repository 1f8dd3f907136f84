// In-place editing: opening an editor by clicks, ending it by keys and clicks, combo choices, refusals, no leaks.
#include "grid_list_fixture.h"

#include "support/largest_allocation.h"

namespace {

class GridListEditTest : public GridListTest {
protected:
    void SetUp() override
    {
        GridListTest::SetUp();
        AddSampleRows();
    }

    // The text editor open over a cell, typed into.
    HWND EditText(int row, int col, LPCSTR text)
    {
        HWND editor = OpenEditor(row, col);
        if (editor != nullptr) {
            ::SetWindowTextA(editor, text);
            PumpMessages(PumpMode::kPreTranslate);
        }
        return editor;
    }
};

TEST_F(GridListEditTest, FirstClickFocusesTheCellAndSecondClickEditsIt)
{
    PostClick(m_list, CellCenter(1, 1));
    EXPECT_EQ(1, m_list.GetFocusRow());
    EXPECT_EQ(1, m_list.GetFocusCell());
    EXPECT_FALSE(m_list.IsCellEditorOpen());

    PostClick(m_list, CellCenter(1, 1));
    ASSERT_TRUE(m_list.IsCellEditorOpen());
    HWND editor = ::GetFocus();
    EXPECT_EQ(m_list.m_hWnd, ::GetParent(editor));
    EXPECT_NE(nullptr, DYNAMIC_DOWNCAST(CCellEditorText, CWnd::FromHandlePermanent(editor)));
    char text[64] = {};
    ::GetWindowTextA(editor, text, sizeof text);
    EXPECT_STREQ("Voltage", text);
    EXPECT_EQ(1, m_host.m_beginEdits);

    // The editor lies over the cell.
    CRect cell;
    m_list.GetCellRect(1, 1, LVIR_BOUNDS, cell);
    CRect placed;
    ::GetWindowRect(editor, &placed);
    m_list.ScreenToClient(&placed);
    EXPECT_TRUE(CRect().IntersectRect(&cell, &placed));
    EXPECT_TRUE(cell.PtInRect(placed.CenterPoint()));
}

TEST_F(GridListEditTest, KeysAndClicksEndTheEdit)
{
    const struct {
        const char* name;
        UINT key; // 0: a click on another cell
        const char* expected;
        bool modified;
    } cases[] = {
        {"Escape", VK_ESCAPE, "Voltage", false},
        {"Enter", VK_RETURN, "Voltage2", true},
        {"Tab", VK_TAB, "Voltage2", true},
        {"click elsewhere", 0, "Voltage2", true},
    };
    for (const auto& c : cases) {
        m_list.SetItemText(1, 1, "Voltage");
        m_list.SetModified(false);
        HWND editor = EditText(1, 1, "Voltage2");
        ASSERT_NE(nullptr, editor) << c.name;
        if (c.key != 0)
            PostKey(editor, c.key);
        else
            PostClick(m_list, CellCenter(2, 4));
        EXPECT_FALSE(m_list.IsCellEditorOpen()) << c.name;
        EXPECT_STREQ(c.expected, m_list.GetItemText(1, 1)) << c.name;
        EXPECT_EQ(c.modified, m_list.IsModified()) << c.name;
        EXPECT_FALSE(::IsWindow(editor)) << c.name << ": the editor closes";
        EXPECT_EQ(m_list.m_hWnd, ::GetFocus()) << c.name << ": the list has the focus back";
        PostClick(m_list, CellCenter(0, 2)); // away from the edited cell
    }
}

TEST_F(GridListEditTest, AcceptingTheSameTextDoesNotMarkTheListModified)
{
    HWND editor = OpenEditor(0, 1);
    ASSERT_NE(nullptr, editor);
    PostKey(editor, VK_RETURN);
    EXPECT_STREQ("Breaker", m_list.GetItemText(0, 1));
    EXPECT_FALSE(m_list.IsModified());
}

TEST_F(GridListEditTest, F2EditsTheFocusCell)
{
    PostClick(m_list, CellCenter(2, 1));
    PostKey(m_list.m_hWnd, VK_F2);
    ASSERT_TRUE(m_list.IsCellEditorOpen());
    char text[64] = {};
    ::GetWindowTextA(::GetFocus(), text, sizeof text);
    EXPECT_STREQ("Current", text);
    PostKey(::GetFocus(), VK_ESCAPE);
}

TEST_F(GridListEditTest, ColumnsWithoutEditorOrRefusedByTheOwnerAreNotEdited)
{
    // The address column's text trait has no editor.
    EXPECT_EQ(nullptr, OpenEditor(0, 2));
    m_list.GetColumnTrait(1)->SetEditable(false);
    EXPECT_EQ(nullptr, OpenEditor(0, 1));
    m_list.GetColumnTrait(1)->SetEditable(true);

    m_host.m_refuseEdits = true;
    const int before = m_host.m_beginEdits;
    EXPECT_EQ(nullptr, OpenEditor(1, 1));
    EXPECT_EQ(before + 1, m_host.m_beginEdits);
    PumpMessages(PumpMode::kPreTranslate);
    EXPECT_EQ(1, ChildCount(m_list.m_hWnd)) << "the refused editor is gone";
    EXPECT_STREQ("Voltage", m_list.GetItemText(1, 1));
    EXPECT_FALSE(m_list.IsModified());
    EXPECT_EQ(nullptr, m_list.EditCell(-1, 1));
    EXPECT_EQ(nullptr, m_list.EditCell(1, -1));
}

TEST_F(GridListEditTest, ComboWithoutChoicesEditsLikeText)
{
    HWND field = OpenEditor(1, 3);
    ASSERT_NE(nullptr, field);
    auto* combo = DYNAMIC_DOWNCAST(CCellEditorComboBox, CWnd::FromHandlePermanent(::GetParent(field)));
    ASSERT_NE(nullptr, combo);
    EXPECT_EQ(0, combo->GetCount());
    CString text;
    combo->GetWindowText(text);
    EXPECT_STREQ("FLOAT32", text);
    ::SetWindowTextA(field, "INT32");
    PostKey(field, VK_RETURN);
    EXPECT_FALSE(m_list.IsCellEditorOpen());
    EXPECT_STREQ("INT32", m_list.GetItemText(1, 3));
    EXPECT_TRUE(m_list.IsModified());
    EXPECT_EQ(nullptr, m_typeTrait->GetComboEditor());
}

TEST_F(GridListEditTest, ComboOffersTheChoicesAndSelectsTheCellsText)
{
    m_typeTrait->AddItem(3, "INT16");
    m_typeTrait->AddItem(1, "BOOLEAN");
    m_typeTrait->AddItem(2, "FLOAT32");
    const struct {
        int row;
        const char* shown;
        int selected;
    } cases[] = {
        {1, "FLOAT32", 1}, // the entries in the order of their item data
        {2, "REAL32", -1}, // not a choice: in the edit field, nothing selected
    };
    for (const auto& c : cases) {
        HWND field = OpenEditor(c.row, 3);
        ASSERT_NE(nullptr, field) << c.shown;
        auto* combo = m_typeTrait->GetComboEditor();
        ASSERT_NE(nullptr, combo);
        ASSERT_EQ(3, combo->GetCount());
        CString entry;
        combo->GetLBText(0, entry);
        EXPECT_STREQ("BOOLEAN", entry);
        EXPECT_EQ(3u, combo->GetItemData(2));
        EXPECT_EQ(c.selected, combo->GetCurSel()) << c.shown;
        CString text;
        combo->GetWindowText(text);
        EXPECT_STREQ(c.shown, text);
        PostKey(field, VK_ESCAPE);
        EXPECT_FALSE(m_list.IsCellEditorOpen());
        EXPECT_STREQ(c.shown, m_list.GetItemText(c.row, 3));
        PostClick(m_list, CellCenter(0, 1));
    }
}

TEST_F(GridListEditTest, ComboChoiceIsWrittenAndReportedWithItsItemData)
{
    m_typeTrait->AddItem(10, "BOOLEAN");
    m_typeTrait->AddItem(20, "FLOAT32");
    HWND field = OpenEditor(2, 3);
    ASSERT_NE(nullptr, field);
    auto* combo = m_typeTrait->GetComboEditor();
    ASSERT_NE(nullptr, combo);
    combo->SetCurSel(0);
    PostKey(field, VK_TAB);
    EXPECT_STREQ("BOOLEAN", m_list.GetItemText(2, 3));
    EXPECT_TRUE(m_list.IsModified());
    EXPECT_EQ(1, m_host.m_endEdits);
}

TEST_F(GridListEditTest, ComboDropsDownAsWideAsItsWidestChoiceWithinTheLimit)
{
    m_typeTrait->AddItem(1, "BOOLEAN");
    m_typeTrait->AddItem(2, "A choice whose text is far wider than the limit of the drop-down list");
    HWND field = OpenEditor(0, 3);
    ASSERT_NE(nullptr, field);
    CCellEditorComboBox* combo = m_typeTrait->GetComboEditor();
    ASSERT_NE(nullptr, combo);
    combo->ShowDropDown(TRUE);
    PumpMessages(PumpMode::kPreTranslate);
    CClientDC dc(combo);
    ScopedSelect font(dc, combo->GetFont()->m_hObject);
    const int digit = dc.GetTextExtent("0").cx;
    const int width = static_cast<int>(combo->SendMessage(CB_GETDROPPEDWIDTH));
    EXPECT_GE(width, CColumnTraitCombo::kDefaultMaxDropWidth + digit);
    EXPECT_LE(width, CColumnTraitCombo::kDefaultMaxDropWidth + digit + ::GetSystemMetrics(SM_CXVSCROLL));
    combo->ShowDropDown(FALSE);
    PostKey(field, VK_ESCAPE);
    EXPECT_FALSE(m_list.IsCellEditorOpen());
}

TEST_F(GridListEditTest, EditorsDeleteThemselvesAndLeakNothing)
{
    m_typeTrait->AddItem(1, "BOOLEAN");
    auto editCycle = [&](int n) {
        HWND text = OpenEditor(n % 3, 1);
        ASSERT_NE(nullptr, text);
        PostKey(text, n % 2 == 0 ? VK_RETURN : VK_ESCAPE);
        PostClick(m_list, CellCenter((n + 1) % 3, 4));
        HWND field = OpenEditor(n % 3, 3);
        ASSERT_NE(nullptr, field);
        PostClick(m_list, CellCenter((n + 2) % 3, 4)); // ends by the loss of the focus
        PostClick(m_list, CellCenter((n + 1) % 3, 2));
    };
    editCycle(0);
    PumpMessages(PumpMode::kPreTranslate);
    const long before = LiveAllocations();
    for (int n = 1; n <= 6; ++n)
        editCycle(n);
    PumpMessages(PumpMode::kPreTranslate);
    EXPECT_EQ(before, LiveAllocations());
    EXPECT_FALSE(m_list.IsCellEditorOpen());
    EXPECT_EQ(1, ChildCount(m_list.m_hWnd)) << "only the header is left under the list";
}

TEST_F(GridListEditTest, DestroyingTheListWithAnOpenEditorCancelsIt)
{
    m_typeTrait->AddItem(1, "BOOLEAN");
    HWND field = OpenEditor(1, 3);
    ASSERT_NE(nullptr, field);
    HWND combo = ::GetParent(field);
    m_list.DestroyWindow();
    PumpMessages(PumpMode::kPreTranslate);
    EXPECT_FALSE(::IsWindow(combo));
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(combo));
}

} // namespace

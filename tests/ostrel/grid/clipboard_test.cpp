// Clipboard text and drag and drop: copying a selection, pasting, cutting, and the drop target.
#include "grid_fixture.h"

#include "support/clipboard_lock.h"

namespace {

// What the system clipboard holds as CF_TEXT, with the terminator.
std::string ClipboardText()
{
    std::string text;
    if (!::OpenClipboard(nullptr))
        return text;
    if (HANDLE data = ::GetClipboardData(CF_TEXT)) {
        const char* bytes = static_cast<const char*>(::GlobalLock(data));
        const SIZE_T size = ::GlobalSize(data);
        const char* end = static_cast<const char*>(memchr(bytes, '\0', size));
        text.assign(bytes, end != nullptr ? static_cast<size_t>(end - bytes) + 1 : size);
        ::GlobalUnlock(data);
    }
    ::CloseClipboard();
    return text;
}

COleDataSource* TextSource(const char* text)
{
    const size_t size = strlen(text) + 1;
    HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, size);
    memcpy(::GlobalLock(memory), text, size);
    ::GlobalUnlock(memory);
    COleDataSource* source = new COleDataSource;
    source->CacheGlobalData(CF_TEXT, memory);
    return source;
}

class Clipboard : public GridTest {
protected:
    // Nothing of this test stays on the clipboard once the lock is let go.
    void TearDown() override
    {
        ::OleSetClipboard(nullptr);
        GridTest::TearDown();
    }

    ClipboardLock m_clipboard;

    void SetUp() override
    {
        GridTest::SetUp();
        Fill(4, 5);
        const char* letters[2][3] = {{"A", "B", "C"}, {"D", "E", "F"}};
        for (int row = 0; row < 2; ++row)
            for (int col = 0; col < 3; ++col)
                grid.SetItemText(1 + row, 1 + col, letters[row][col]);
    }
};

TEST_F(Clipboard, CopyLeavesHiddenColumnsOutOfTheText)
{
    grid.SetColumnWidth(2, 0);
    grid.SetFocusCell(1, 1);
    grid.SetSelectedRange(1, 1, 2, 3);
    Key('C', false, true);
    EXPECT_EQ(std::string("A\tC\r\nD\tF") + '\0', ClipboardText());
}

TEST_F(Clipboard, CopyOfNothingGivesNoData)
{
    EXPECT_EQ(nullptr, grid.CopyTextFromGrid());
    grid.DeleteAllItems();
    grid.SelectAllCells();
    EXPECT_EQ(nullptr, grid.CopyTextFromGrid());
    EXPECT_FALSE(grid.CanCopy());
}

TEST_F(Clipboard, PasteSpreadsTabsAndLinesFromTheFocusCell)
{
    TextSource("x\ty\tz\r\nv\tw\r\n")->SetClipboard();
    grid.SetFocusCell(2, 3);
    EXPECT_TRUE(grid.CanPaste());
    Key(VK_INSERT, true);
    EXPECT_STREQ("x", grid.GetItemText(2, 3));
    EXPECT_STREQ("y", grid.GetItemText(2, 4));
    EXPECT_STREQ("v", grid.GetItemText(3, 3));
    EXPECT_STREQ("w", grid.GetItemText(3, 4));
    EXPECT_STREQ("E", grid.GetItemText(2, 2)) << "left of the paste";
    EXPECT_EQ(CCellRange(2, 3, 3, 4), grid.GetSelectedRange()) << "the pasted cells are selected";
    EXPECT_EQ(4u, host.Events(LVN_ENDLABELEDITA).size()) << "one guarded change per cell";
}

TEST_F(Clipboard, CutClearsTheSelectionUnlessTheParentRefuses)
{
    grid.SetFocusCell(1, 1);
    grid.SetSelectedRange(1, 1, 1, 2);
    host.answers[LVN_BEGINLABELEDITA] = -1;
    Key('X', false, true);
    EXPECT_STREQ("A", grid.GetItemText(1, 1));
    EXPECT_EQ(std::string("A\tB") + '\0', ClipboardText());
    host.answers.clear();
    Key('X', false, true);
    EXPECT_STREQ("", grid.GetItemText(1, 1));
    EXPECT_STREQ("", grid.GetItemText(1, 2));
    EXPECT_TRUE(grid.GetModified());
}

class DropTarget : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(host.CreateHost(500, 300));
        ASSERT_TRUE(grid.Create(CRect(0, 0, 480, 260), &host, kGridId));
        grid.SetRowCount(4);
        grid.SetColumnCount(3);
        grid.SetFixedRowCount(1);
        grid.EnableDragAndDrop(TRUE);
        PumpMessages();
    }
    void TearDown() override
    {
        grid.DestroyWindow();
        host.DestroyWindow();
        PumpMessages();
    }
    POINTL ScreenPointOf(int row, int col)
    {
        CRect rect;
        grid.GetCellRect(row, col, &rect);
        POINT point = {rect.left + 3, rect.top + 3};
        grid.ClientToScreen(&point);
        return {point.x, point.y};
    }

    GridHost host;
    TestGrid grid;
};

TEST_F(DropTarget, TextOverACellIsMovedOrWithCtrlCopiedAndLandsThere)
{
    ASSERT_TRUE(grid.DropTargetRegistered());
    COleDataSource* source = TextSource("p\tq");
    LPDROPTARGET target = grid.DropInterface();

    DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    ASSERT_EQ(S_OK, target->DragEnter(source->GetDataObject(), MK_LBUTTON, ScreenPointOf(2, 1), &effect));
    EXPECT_EQ(static_cast<DWORD>(DROPEFFECT_MOVE), effect);
    EXPECT_TRUE(grid.GetCell(2, 1)->IsDropHighlighted());

    effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    target->DragOver(MK_LBUTTON | MK_CONTROL, ScreenPointOf(3, 1), &effect);
    EXPECT_EQ(static_cast<DWORD>(DROPEFFECT_COPY), effect);
    EXPECT_FALSE(grid.GetCell(2, 1)->IsDropHighlighted()) << "the highlight moved";
    EXPECT_TRUE(grid.GetCell(3, 1)->IsDropHighlighted());

    effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    target->Drop(source->GetDataObject(), MK_CONTROL, ScreenPointOf(3, 1), &effect);
    EXPECT_EQ(static_cast<DWORD>(DROPEFFECT_COPY), effect);
    EXPECT_FALSE(grid.GetCell(3, 1)->IsDropHighlighted());
    EXPECT_STREQ("p", grid.GetItemText(3, 1));
    EXPECT_STREQ("q", grid.GetItemText(3, 2));
    source->InternalRelease();
}

TEST_F(DropTarget, NoDropWithoutDragAndDropTextOrACell)
{
    COleDataSource* source = TextSource("p");
    LPDROPTARGET target = grid.DropInterface();
    DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    target->DragEnter(source->GetDataObject(), 0, POINTL{-500, -500}, &effect);
    EXPECT_EQ(static_cast<DWORD>(DROPEFFECT_NONE), effect) << "outside the cells";
    target->DragLeave();

    grid.EnableDragAndDrop(FALSE);
    effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    target->DragEnter(source->GetDataObject(), 0, ScreenPointOf(2, 1), &effect);
    EXPECT_EQ(static_cast<DWORD>(DROPEFFECT_NONE), effect);
    effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    target->Drop(source->GetDataObject(), 0, ScreenPointOf(2, 1), &effect);
    EXPECT_EQ(static_cast<DWORD>(DROPEFFECT_NONE), effect);
    EXPECT_STREQ("", grid.GetItemText(2, 1));
    source->InternalRelease();

    COleDataSource* other = new COleDataSource;
    other->CacheGlobalData(CF_BITMAP, ::GlobalAlloc(GMEM_MOVEABLE, 4));
    grid.EnableDragAndDrop(TRUE);
    effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    target->DragEnter(other->GetDataObject(), 0, ScreenPointOf(2, 1), &effect);
    EXPECT_EQ(static_cast<DWORD>(DROPEFFECT_NONE), effect) << "no text offered";
    target->DragLeave();
    other->InternalRelease();
}

} // namespace

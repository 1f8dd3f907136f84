// Painting: grid lines, the background, the fixed bands, redraw switched off and the title tip.
#include "grid_fixture.h"

namespace {

constexpr COLORREF kGridLineColour = RGB(0xC0, 0xC0, 0xC0);

class Drawing : public GridTest {
protected:
    void SetUp() override
    {
        GridTest::SetUp();
        Fill(5, 4);
    }
};

TEST_F(Drawing, GridLinesRunAlongTheRightAndBottomCellEdges)
{
    CRect cell;
    ASSERT_TRUE(grid.GetCellRect(2, 1, &cell));
    GridImage image(grid);
    const int midX = (cell.left + cell.right) / 2;
    const int midY = (cell.top + cell.bottom) / 2;
    EXPECT_EQ(kGridLineColour, image.At(cell.right, midY));
    EXPECT_EQ(kGridLineColour, image.At(midX, cell.bottom));
    EXPECT_EQ(::GetSysColor(COLOR_WINDOW), image.At(cell.left + 1, cell.top + 1));
    EXPECT_NE(kGridLineColour, image.At(cell.left, midY)) << "the left edge belongs to the cell before";

    CRect header;
    ASSERT_TRUE(grid.GetCellRect(0, 1, &header));
    EXPECT_EQ(::GetSysColor(COLOR_3DFACE), image.At(header.left + 3, header.top + 3));
    EXPECT_EQ(::GetSysColor(COLOR_3DHIGHLIGHT), image.At(header.left, header.top + 3)) << "raised header";
    EXPECT_EQ(::GetSysColor(COLOR_3DDKSHADOW), image.At(header.right, header.top + 3));

    grid.SetGridLines(GRID_LINES_HORZ);
    GridImage horizontal(grid);
    EXPECT_NE(kGridLineColour, horizontal.At(cell.right, midY));
    EXPECT_EQ(kGridLineColour, horizontal.At(midX, cell.bottom));
}

TEST_F(Drawing, BeyondTheLastRowAndColumnIsTheGridBackground)
{
    CRect last;
    ASSERT_TRUE(grid.GetCellRect(4, 3, &last));
    GridImage image(grid);
    const CSize size = image.Size();
    EXPECT_EQ(::GetSysColor(COLOR_3DSHADOW), image.At(last.right + 5, 2));
    EXPECT_EQ(::GetSysColor(COLOR_3DSHADOW), image.At(2, last.bottom + 5));
    EXPECT_EQ(0, image.Count(CRect(CPoint(0, 0), size), RGB(255, 0, 255))) << "every pixel is painted";
}

TEST_F(Drawing, AnEmptyGridDrawsOnlyItsBackground)
{
    grid.DeleteAllItems();
    GridImage image(grid);
    const CSize size = image.Size();
    EXPECT_EQ(size.cx * size.cy, image.Count(CRect(CPoint(0, 0), size), ::GetSysColor(COLOR_3DSHADOW)));
}

TEST_F(Drawing, NothingIsDrawnWhileRedrawIsOff)
{
    grid.SetRedraw(FALSE);
    {
        GridImage image(grid);
        const CSize size = image.Size();
        EXPECT_EQ(size.cx * size.cy, image.Count(CRect(CPoint(0, 0), size), RGB(255, 0, 255)));
    }
    grid.SetRedraw(TRUE);
    GridImage image(grid);
    EXPECT_EQ(0, image.Count(CRect(CPoint(0, 0), image.Size()), RGB(255, 0, 255)));
}

TEST_F(Drawing, SelectedAndFocusedCellsAreHighlighted)
{
    grid.SetFocusCell(2, 2);
    grid.SetSelectedRange(2, 1, 2, 2);
    CRect selected;
    CRect focused;
    grid.GetCellRect(2, 1, &selected);
    grid.GetCellRect(2, 2, &focused);
    GridImage image(grid);
    EXPECT_EQ(::GetSysColor(COLOR_HIGHLIGHT), image.At(selected.left + 2, selected.top + 2));
    EXPECT_EQ(::GetSysColor(COLOR_HIGHLIGHT), image.At(focused.left + 2, focused.top + 2));
    EXPECT_EQ(::GetSysColor(COLOR_HIGHLIGHTTEXT), image.At(focused.left, focused.top + 3)) << "the focus frame";
}

TEST_F(Drawing, HiddenRowsAndColumnsTakeNoSpace)
{
    CRect before;
    grid.GetCellRect(3, 3, &before);
    grid.SetRowHeight(2, 0);
    grid.SetColumnWidth(1, 0);
    CRect after;
    grid.GetCellRect(3, 3, &after);
    EXPECT_EQ(before.left - grid.GetDefaultCell(FALSE, FALSE)->GetWidth(), after.left);
    EXPECT_EQ(before.top - grid.GetRowHeight(1), after.top);
    EXPECT_EQ(CCellID(3, 3), grid.GetCellFromPt(CPoint(after.left + 1, after.top + 1)));
}

TEST_F(Drawing, APaintThroughTheWindowShowsTheCells)
{
    grid.SetItemBkColour(1, 1, RGB(0, 128, 0));
    grid.Invalidate();
    grid.UpdateWindow();
    CRect cell;
    grid.GetCellRect(1, 1, &cell);
    CClientDC dc(&grid);
    EXPECT_EQ(RGB(0, 128, 0), dc.GetPixel(cell.left + 3, cell.top + 3));
}

TEST_F(Drawing, TheTitleTipShowsTheWholeTextOfAClippedCell)
{
    grid.SetItemText(2, 1, "a text far too long for the narrow cell it is in");
    grid.SetFocus();
    const CPoint point = CellPoint(2, 1);
    Mouse(WM_MOUSEMOVE, point);
    HWND tip = ::FindWindowA("ZTitleTip", nullptr);
    ASSERT_NE(nullptr, tip);
    EXPECT_TRUE(::IsWindowVisible(tip));
    EXPECT_STREQ(" a text far too long for the narrow cell it is in ", grid.TitleTip().GetText());
    CRect tipRect;
    ::GetWindowRect(tip, &tipRect);
    CRect cellRect;
    grid.GetCellRect(2, 1, &cellRect);
    grid.ClientToScreen(&cellRect);
    EXPECT_GT(tipRect.Width(), cellRect.Width());
    EXPECT_EQ(tip, ::GetCapture());

    // Leaving the cell hides it.
    ::SendMessageA(tip, WM_MOUSEMOVE, 0, MAKELPARAM(tipRect.Width() + 40, 5));
    EXPECT_FALSE(::IsWindowVisible(tip));
    EXPECT_NE(tip, ::GetCapture());
    PumpMessages();

    Mouse(WM_MOUSEMOVE, CellPoint(3, 2));
    EXPECT_FALSE(::IsWindowVisible(tip)) << "a short text needs no tip";
}

} // namespace

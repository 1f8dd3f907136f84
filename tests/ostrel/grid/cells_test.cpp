// Cells: the default cell's format and sizes, the fallbacks on the default cell, copying, drawing and the shared cell font.
#include "grid_fixture.h"

namespace {

constexpr DWORD kDefaultFormat = 0x8824;

// Live GDI objects of the process. GetGuiResources counts nothing under
// Wine, so the handle table is probed slot by slot instead.
int CountGdiObjects()
{
    int count = 0;
    for (UINT_PTR slot = 1; slot < 0x10000; ++slot)
        if (::GetObjectType(reinterpret_cast<HGDIOBJ>(slot)) != 0)
            ++count;
    return count;
}

TEST(DefaultCell, FormatIsLeftVerticallyCentredSingleLineWithEllipsis)
{
    CMonitorDefaultCell cell;
    EXPECT_EQ(kDefaultFormat, cell.GetFormat());
    EXPECT_EQ(static_cast<DWORD>(DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS), kDefaultFormat);
    EXPECT_EQ(CLR_DEFAULT, cell.GetTextClr());
    EXPECT_EQ(CLR_DEFAULT, cell.GetBackClr());
    EXPECT_TRUE(cell.IsReadOnly());
}

TEST(DefaultCell, SizesComeFromTheMessageFont)
{
    CMonitorDefaultCell cell;
    const LOGFONTA lf = SystemMessageFont();
    EXPECT_STREQ(lf.lfFaceName, cell.GetFont()->lfFaceName);

    HDC screen = ::GetDC(nullptr);
    HFONT font = ::CreateFontIndirectA(&lf);
    HGDIOBJ old = ::SelectObject(screen, font);
    SIZE space;
    SIZE sample;
    ::GetTextExtentPoint32A(screen, " ", 1, &space);
    ::GetTextExtentPoint32A(screen, " XXXXXXXXXXXX ", 14, &sample);
    ::SelectObject(screen, old);
    ::DeleteObject(font);
    ::ReleaseDC(nullptr, screen);

    EXPECT_EQ(static_cast<UINT>(space.cx), cell.GetMargin());
    EXPECT_EQ(sample.cx, cell.GetWidth());
    EXPECT_EQ(sample.cy * 3 / 2, cell.GetHeight());
}

TEST(Cell, NewCellHasNoValuesOfItsOwn)
{
    CMonitorCell cell;
    EXPECT_EQ(0u, cell.GetState());
    EXPECT_STREQ("", cell.GetText());
    EXPECT_EQ(0, cell.GetData());
    EXPECT_EQ(-1, cell.GetImage());
    EXPECT_EQ(CLR_DEFAULT, cell.GetTextClr());
    EXPECT_EQ(CLR_DEFAULT, cell.GetBackClr());
    EXPECT_TRUE(cell.IsDefaultFont());
    EXPECT_FALSE(cell.IsEditing());
    EXPECT_EQ(nullptr, cell.GetGrid());
    // Without a grid there is no default cell to fall back on.
    EXPECT_EQ(0u, cell.GetFormat());
}

TEST(Cell, UnsetFormatMarginAndFontFallBackOnTheDefaultCell)
{
    CMonitorGrid grid(3, 3, 1, 1);
    CMonitorCellBase* cell = grid.GetCell(1, 1);
    ASSERT_NE(nullptr, cell);
    EXPECT_EQ(kDefaultFormat, cell->GetFormat()) << "new cells copy their default cell's format";

    cell->SetFormat(kCellDefaultFormat);
    EXPECT_EQ(kDefaultFormat, cell->GetFormat());
    grid.GetDefaultCell(FALSE, FALSE)->SetFormat(DT_RIGHT | DT_SINGLELINE);
    EXPECT_EQ(static_cast<DWORD>(DT_RIGHT | DT_SINGLELINE), cell->GetFormat());
    EXPECT_EQ(grid.GetDefaultCell(FALSE, FALSE)->GetMargin(), cell->GetMargin());
    EXPECT_EQ(grid.GetDefaultCell(FALSE, FALSE)->GetFontObject(), cell->GetFontObject());

    // Each kind of cell has its default.
    EXPECT_EQ(grid.GetDefaultCell(TRUE, TRUE), grid.GetCell(0, 0)->GetDefaultCell());
    EXPECT_EQ(grid.GetDefaultCell(TRUE, FALSE), grid.GetCell(0, 1)->GetDefaultCell());
    EXPECT_EQ(grid.GetDefaultCell(FALSE, TRUE), grid.GetCell(1, 0)->GetDefaultCell());
    EXPECT_EQ(grid.GetDefaultCell(FALSE, FALSE), grid.GetCell(1, 1)->GetDefaultCell());
}

TEST(Cell, CopyTakesTheOtherCellsValuesAndOnlyItsOwnFont)
{
    CMonitorGrid grid(2, 2);
    CMonitorCell source;
    source.SetGrid(&grid);
    source.SetText("text");
    source.SetImage(3);
    source.SetData(42);
    source.SetState(CELL_READONLY | CELL_MODIFIED);
    source.SetFormat(DT_CENTER);
    source.SetTextClr(RGB(1, 2, 3));
    source.SetBackClr(RGB(4, 5, 6));
    source.SetMargin(7);

    CMonitorCell copy;
    copy = source;
    EXPECT_EQ(&grid, copy.GetGrid());
    EXPECT_STREQ("text", copy.GetText());
    EXPECT_EQ(3, copy.GetImage());
    EXPECT_EQ(42, copy.GetData());
    EXPECT_EQ(static_cast<DWORD>(CELL_READONLY | CELL_MODIFIED), copy.GetState());
    EXPECT_EQ(static_cast<DWORD>(DT_CENTER), copy.GetFormat());
    EXPECT_EQ(RGB(1, 2, 3), copy.GetTextClr());
    EXPECT_EQ(RGB(4, 5, 6), copy.GetBackClr());
    EXPECT_EQ(7u, copy.GetMargin());
    EXPECT_TRUE(copy.IsDefaultFont()) << "a cell on the default font passes no font on";

    LOGFONTA lf = SystemMessageFont();
    lf.lfWeight = FW_BOLD;
    source.SetFont(&lf);
    copy = source;
    ASSERT_FALSE(copy.IsDefaultFont());
    EXPECT_EQ(FW_BOLD, copy.GetFont()->lfWeight);

    copy = copy;
    EXPECT_STREQ("text", copy.GetText());
    EXPECT_EQ(FW_BOLD, copy.GetFont()->lfWeight);
}

class CellDrawing : public GridTest {};

TEST_F(CellDrawing, DefaultColoursFollowLaterChangesOfTheDefaultCell)
{
    Fill(4, 3);
    grid.SetItemBkColour(2, 2, RGB(0, 0, 200));
    CRect own;
    CRect plain;
    ASSERT_TRUE(grid.GetCellRect(2, 2, &own));
    ASSERT_TRUE(grid.GetCellRect(2, 1, &plain));
    const CPoint inPlain(plain.left + 2, plain.top + 2);
    const CPoint inOwn(own.left + 2, own.top + 2);
    {
        GridImage image(grid);
        EXPECT_EQ(::GetSysColor(COLOR_WINDOW), image.At(inPlain.x, inPlain.y));
        EXPECT_EQ(RGB(0, 0, 200), image.At(inOwn.x, inOwn.y));
    }
    grid.GetDefaultCell(FALSE, FALSE)->SetBackClr(RGB(10, 200, 30));
    grid.GetDefaultCell(FALSE, FALSE)->SetTextClr(RGB(250, 0, 0));
    GridImage image(grid);
    EXPECT_EQ(RGB(10, 200, 30), image.At(inPlain.x, inPlain.y));
    EXPECT_EQ(RGB(0, 0, 200), image.At(inOwn.x, inOwn.y)) << "a cell with its own colour keeps it";
    EXPECT_GT(image.Count(plain, RGB(250, 0, 0)), 0) << "the text takes the default cell's new text colour";
}

TEST_F(CellDrawing, SortArrowStandsRightOrCentredForATurnedHeaderFont)
{
    Fill(3, 2);
    grid.SetColumnWidth(1, 160);
    grid.SetRowHeight(0, 60);
    grid.SetItemText(0, 1, "");
    grid.SetSortColumn(1);
    CRect header;
    ASSERT_TRUE(grid.GetCellRect(0, 1, &header));
    const COLORREF shadow = ::GetSysColor(COLOR_3DSHADOW);
    const CRect rightPart(header.right - 40, header.top + 2, header.right - 1, header.bottom - 1);
    const CRect middlePart(header.left + 50, header.top + 2, header.right - 50, header.bottom - 1);
    {
        GridImage image(grid);
        EXPECT_GT(image.Count(rightPart, shadow), 0);
        EXPECT_EQ(0, image.Count(middlePart, shadow));
    }
    LOGFONTA turned = SystemMessageFont();
    turned.lfEscapement = 900;
    turned.lfOrientation = 900;
    grid.SetItemFont(0, 1, &turned);
    GridImage image(grid);
    EXPECT_EQ(0, image.Count(rightPart, shadow));
    EXPECT_GT(image.Count(middlePart, shadow), 0);
}

TEST_F(CellDrawing, CellFontsDoNotPileUpOverManyRedraws)
{
    Fill(40, 4);
    LOGFONTA bold = SystemMessageFont();
    bold.lfWeight = FW_BOLD;
    LOGFONTA italic = SystemMessageFont();
    italic.lfItalic = TRUE;
    for (int row = 1; row < 40; ++row)
        grid.SetItemFont(row, row % 4, row % 2 ? &bold : &italic);

    CRect client;
    grid.GetClientRect(&client);
    CClientDC screen(&grid);
    CDC memory;
    memory.CreateCompatibleDC(&screen);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(&screen, client.Width(), client.Height());
    ScopedSelect keepBitmap(memory, bitmap);
    // Four rows, two of them with fonts of their own, drawn over and over.
    CRect rows;
    grid.GetCellRect(1, 0, &rows);
    rows.right = client.right;
    rows.bottom = rows.top + 4 * grid.GetRowHeight(1);
    memory.IntersectClipRect(&rows);

    grid.OnDraw(&memory);
    const int before = CountGdiObjects();
    for (int redraw = 0; redraw < 10000; ++redraw)
        grid.OnDraw(&memory);
    EXPECT_LE(CountGdiObjects(), before + 1);
}

} // namespace

// Times the monitor grid: filling 10,000 rows of 8 columns, painting the
// whole view into a memory DC a hundred times while scrolling, and sorting.
// Needs a display. The last line is "seconds S" (the whole run).
#include "bench_support.h"

#include "framework/ui.h"
#include "ostrel/grid/monitor_grid.h"

#include <cstdio>

namespace {

constexpr int kRows = 10000;
constexpr int kColumns = 8;
constexpr int kPaints = 100;

// Texts like a tag list's: names, addresses, paths, types and values.
CString CellText(int row, int col)
{
    CString text;
    switch (col) {
    case 0:
        text.Format("%d", row);
        break;
    case 1:
        text.Format("IED%02d_GGIO%d_Ind%d", row % 37, row % 9, (row * 7919) % 100);
        break;
    case 2:
        text.Format("%d", (row * 104729) % 65536);
        break;
    case 3:
        text.Format("IED%02dLD0/GGIO%d.Ind%d.stVal", row % 37, row % 9, (row * 7919) % 100);
        break;
    case 4:
        text = row % 3 == 0 ? "BOOL" : (row % 3 == 1 ? "INT" : "REAL");
        break;
    default:
        text.Format("%d", (row * 31337 + col) % 100000);
        break;
    }
    return text;
}

void Fill(CMonitorGrid& grid)
{
    grid.SetRedraw(FALSE);
    grid.SetColumnCount(kColumns);
    grid.SetRowCount(kRows + 1);
    grid.SetFixedRowCount(1);
    for (int col = 0; col < kColumns; ++col)
        grid.SetItemText(0, col, CellText(0, col));
    for (int row = 1; row <= kRows; ++row)
        for (int col = 0; col < kColumns; ++col)
            grid.SetItemText(row, col, CellText(row, col));
    grid.SetRedraw(TRUE, TRUE);
}

} // namespace

int main()
{
    const double runStart = Seconds();
    CWnd host;
    host.CreateEx(0, AfxFrameOrViewWndClass(), "bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 1000, 760, nullptr,
                  nullptr);
    CRect client;
    host.GetClientRect(&client);

    double start = Seconds();
    CMonitorGrid grid;
    grid.Create(client, &host, 1);
    Fill(grid);
    const double fill = Seconds() - start;

    // The same rows appended one by one, as a tag list is loaded.
    start = Seconds();
    CMonitorGrid appended;
    appended.SetColumnCount(kColumns);
    appended.SetFixedRowCount(1);
    for (int row = 1; row <= kRows; ++row) {
        const int at = appended.InsertRow(CellText(row, 0));
        for (int col = 1; col < kColumns; ++col)
            appended.SetItemText(at, col, CellText(row, col));
    }
    const double append = Seconds() - start;

    CClientDC screen(&grid);
    CRect view;
    grid.GetClientRect(&view);
    CDC memory;
    memory.CreateCompatibleDC(&screen);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(&screen, view.Width(), view.Height());
    ScopedSelect keepBitmap(memory, bitmap);
    const CCellRange visible = grid.GetVisibleNonFixedCellRange();

    double paints = 0;
    double scrolls = 0;
    for (int paint = 0; paint < kPaints; ++paint) {
        start = Seconds();
        grid.SendMessage(WM_VSCROLL, SB_PAGEDOWN);
        scrolls += Seconds() - start;
        start = Seconds();
        grid.OnDraw(&memory);
        paints += Seconds() - start;
    }

    start = Seconds();
    grid.SortItems(1, TRUE);
    const double sort = Seconds() - start;
    start = Seconds();
    grid.SetCompareFunction(CMonitorGrid::CompareCellNumbers);
    grid.SortItems(5, FALSE);
    const double numericSort = Seconds() - start;

    printf("fill %d x %d        %.3f s\n", kRows, kColumns, fill);
    printf("append %d rows      %.3f s\n", kRows, append);
    printf("paint (%d x %d cells) %.2f ms average over %d paints\n", visible.GetRowSpan() + 1, kColumns,
           paints * 1000.0 / kPaints, kPaints);
    printf("scroll a page       %.2f ms average\n", scrolls * 1000.0 / kPaints);
    printf("sort by text        %.3f s\n", sort);
    printf("sort by number      %.3f s\n", numericSort);
    printf("peak working set    %.1f MiB\n", PeakWorkingSetMiB());
    grid.DestroyWindow();
    host.DestroyWindow();
    printf("seconds %.3f\n", Seconds() - runStart);
    return 0;
}

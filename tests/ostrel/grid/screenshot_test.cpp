// The monitor grid as the user sees it: fixed row and column, a selection, a sort arrow and an open editor.
#include "grid_fixture.h"

#include "support/window_screenshot.h"
#include "support/test_dirs.h"

namespace {

class Screenshot : public GridTest {};

TEST_F(Screenshot, MonitorGrid)
{
    const char* headers[] = {"Tag", "Tag Name", "MB Address", "61850 Path", "Data Type", "Value"};
    const char* names[] = {"GGIO1_Ind1", "GGIO1_Ind2", "MMXU1_PhV", "MMXU1_Hz", "XCBR1_Pos", "CSWI1_Pos",
                           "LLN0_Mod", "PTOC1_Str", "PTOC1_Op", "MMXU1_TotW", "MMXU1_TotVAr", "LPHD1_PhyHealth"};
    const char* types[] = {"BOOL", "INT", "REAL", "DINT", "UINT"};
    host.SetWindowText("Ostrel - 192.168.0.250");
    grid.SetColumnCount(6);
    grid.SetRowCount(1 + 24);
    grid.SetFixedRowCount(1);
    grid.SetFixedColumnCount(1);
    for (int col = 0; col < 6; ++col)
        grid.SetItemText(0, col, headers[col]);
    for (int row = 1; row <= 24; ++row) {
        CString text;
        text.Format("%d", row);
        grid.SetItemText(row, 0, text);
        grid.SetItemText(row, 1, names[(row - 1) % 12]);
        text.Format("%d", 100 + row * 2);
        grid.SetItemText(row, 2, text);
        text.Format("IED1LD0/%s.stVal", names[(row - 1) % 12]);
        grid.SetItemText(row, 3, text);
        grid.SetItemText(row, 4, types[row % 5]);
        text.Format("%d", (row * 7919) % 1000);
        grid.SetItemText(row, 5, text);
    }
    const int widths[] = {36, 112, 104, 196, 78, 86};
    for (int col = 0; col < 6; ++col)
        grid.SetColumnWidth(col, widths[col]);
    grid.SortItems(2, TRUE);
    grid.SetFocusCell(4, 2);
    grid.SetSelectedRange(3, 1, 5, 2);
    grid.SetFocusCell(7, 5);
    Key(VK_F2);
    Type("512");
    grid.Refresh();
    host.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
    ::SetWindowPos(host.m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    PumpMessages();
    ::Sleep(200);
    PumpMessages();

    ASSERT_EQ("", SaveWindowScreenshot(host.m_hWnd, "monitor-grid"));
    const CString path = CString(TestBinaryDir()) + "\\screens\\monitor-grid.png";
    WIN32_FILE_ATTRIBUTE_DATA file = {};
    ASSERT_TRUE(::GetFileAttributesExA(path, GetFileExInfoStandard, &file));
    EXPECT_GT(file.nFileSizeLow, 1000u);
    Key(VK_ESCAPE);
}

} // namespace

// Ostrel monitoring the simulator, its values changing between two refreshes: build/screens/ostrel.png.
#include "app_test_support.h"

#include "support/window_screenshot.h"

namespace {

class Screenshot : public OstrelAppTest {};

TEST_F(Screenshot, OstrelMonitoringTheModule)
{
    const struct {
        const char* entry;
        int value;
    } layout[] = {{"left", 30}, {"top", 30}, {"right", 1050}, {"bottom", 560}, {"ColumnWidth1", 190},
                  {"ColumnWidth2", 84},  {"ColumnWidth3", 230}, {"ColumnWidth4", 150}, {"ColumnWidth5", 140}};
    for (const auto& entry : layout)
        app.WriteProfileInt("Layout", entry.entry, entry.value);
    ScriptedQuorrelDlg& dialog = StartOnModule();
    ASSERT_FALSE(dialog.HasEnded());
    dialog.ShowWindow(SW_SHOW);
    dialog.SendMessage(WM_COMMAND, ID_MONITOR_ONLINE);
    CGridTagTable& table = dialog.GetTable();
    CMonitorGrid& grid = dialog.GetGrid();
    const CString first = grid.GetItemText(RowOf(dialog, "Feeder1_ActivePower"), kColumnValue);
    table.GetTagCell(RowOf(dialog, "Feeder1_Voltages"))->Expand();
    table.GetTagCell(RowOf(dialog, "Feeder1_Currents"))->Expand();
    table.GetTagCell(RowOf(dialog, "Feeder1_Mode"))->SetDisplayFormat(kDisplayHex);
    table.GetTagCell(RowOf(dialog, "Feeder1_Offset"))->SetDisplayFormat(kDisplayBinary);
    // The simulator's values move every second.
    ::Sleep(1100);
    dialog.OnRefreshTimer();
    EXPECT_NE(first, grid.GetItemText(RowOf(dialog, "Feeder1_ActivePower"), kColumnValue));
    grid.SetFocusCell(RowOf(dialog, "Feeder1_Trips"), kColumnValue);
    grid.SetSelectedRange(RowOf(dialog, "Feeder1_Trips"), kColumnValue, RowOf(dialog, "Feeder1_Trips"), kColumnValue);
    ::SetWindowPos(dialog.m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    EXPECT_EQ("", SaveWindowScreenshot(dialog.m_hWnd, "ostrel"));
}

} // namespace

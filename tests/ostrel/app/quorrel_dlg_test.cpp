// Ostrel's main dialog against the simulator: start, one instance per module, monitoring and its failures, editing,
// the files it writes and Open.
#include "app_test_support.h"

#include "ostrel/monitor/monitor_test_support.h"
#include "support/clipboard_lock.h"
#include "support/paths.h"
#include "support/scripted_file_dialog.h"
#include "support/temp_folder.h"

#include <gmock/gmock.h>

namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::Not;

// An address on which nothing listens.
const char kNobodyAddress[] = "127.0.0.3";

class QuorrelDlg : public OstrelAppTest {
protected:
    CString DefaultAddress() { return app.GetProfileString("VQN", "DefaultIPAddress", "none"); }
    static bool IsMenuGreyed(CQuorrelDlg& dialog, UINT id)
    {
        return (dialog.GetMenu()->GetMenuState(id, MF_BYCOMMAND) & MF_GRAYED) != 0;
    }
};

TEST_F(QuorrelDlg, StartLoadsTheModuleIntoTheGridAndKeepsTheAddress)
{
    app.WriteProfileString("VQN", "DefaultIPAddress", "10.1.1.1");
    ScriptedQuorrelDlg& dialog = StartOnModule();
    ASSERT_FALSE(dialog.HasEnded()) << (boxes.Count() ? (LPCSTR)boxes.Last().text : "");
    EXPECT_EQ(0u, boxes.Count());
    EXPECT_TRUE(dialog.presets.empty());
    EXPECT_EQ("Ostrel - " + ModuleAddress(), Title(dialog));
    EXPECT_EQ(ModuleAddress(), DefaultAddress());
    CMonitorGrid& grid = dialog.GetGrid();
    ASSERT_EQ(7, grid.GetColumnCount());
    EXPECT_EQ(1, grid.GetFixedRowCount());
    const char* headers[] = {"Tag", "Tag Name", "MB Address", "61850 Path", "Data Type", "Value", "Comment"};
    for (int column = 0; column < 7; ++column)
        EXPECT_EQ(headers[column], grid.GetItemText(0, column)) << column;
    // The simulator's configuration: eleven tags, by address.
    EXPECT_EQ(12, grid.GetRowCount());
    EXPECT_EQ("Feeder1_BreakerClosed", grid.GetItemText(1, kColumnName));
    EXPECT_EQ("1", grid.GetItemText(1, kColumnNumber));
    EXPECT_EQ("XCBR1$ST$Pos$stVal", grid.GetItemText(1, kColumnPath));
    EXPECT_EQ(0, grid.GetColumnWidth(kColumnComment));
    // The first refresh asked for the visible rows.
    EXPECT_NE("", grid.GetItemText(1, kColumnValue));
    EXPECT_FALSE(dialog.IsMonitoring());
    EXPECT_TRUE(IsMenuGreyed(dialog, ID_MONITOR_STOP));
}

TEST_F(QuorrelDlg, OneInstancePerModuleAddress)
{
    ScriptedQuorrelDlg& first = StartOnModule();
    ASSERT_FALSE(first.HasEnded());
    ScriptedQuorrelDlg& second = StartOnModule();
    EXPECT_TRUE(second.HasEnded());
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_EQ("Ostrel is already running at this computer!", boxes.Last().text);
    // Another address passes the lock (and then finds no module there).
    ScriptedQuorrelDlg& other = Start({kNobodyAddress});
    EXPECT_TRUE(other.HasEnded());
    EXPECT_EQ("Can not upload VQN 127.0.0.3 configuration file!\n", boxes.Last().text);
    EXPECT_EQ(2u, boxes.Count());
    EXPECT_EQ("Ostrel - " + ModuleAddress(), Title(first));
}

TEST_F(QuorrelDlg, AnAddressThatIsNotDottedIsAskedForAgain)
{
    app.WriteProfileString("VQN", "DefaultIPAddress", "10.2.2.2");
    ScriptedQuorrelDlg& dialog = Start({"1.2.3"}, {"256.1.1.1", ModuleAddress()});
    EXPECT_FALSE(dialog.HasEnded());
    EXPECT_THAT(dialog.presets, ElementsAre("1.2.3", "256.1.1.1"));
    ASSERT_EQ(2u, boxes.Count());
    EXPECT_EQ("Invalid IP Address, please input again!\n", boxes.Calls()[0].text);
    EXPECT_EQ("Invalid IP Address, please input again!\n", boxes.Calls()[1].text);

    // More than one argument: the dialog asks, preset with the stored address; Cancel ends the start.
    app.WriteProfileString("VQN", "DefaultIPAddress", "10.2.2.2");
    ScriptedQuorrelDlg& cancelled = Start({"127.0.0.4", "127.0.0.5"});
    EXPECT_TRUE(cancelled.HasEnded());
    EXPECT_THAT(cancelled.presets, ElementsAre("10.2.2.2"));
    EXPECT_EQ(2u, boxes.Count());
}

TEST_F(QuorrelDlg, MonitoringOutlastsTwoFailedRefreshesAndStopsAtTheThird)
{
    ScriptedQuorrelDlg& dialog = StartOnModule();
    ASSERT_FALSE(dialog.HasEnded());
    dialog.SendMessage(WM_COMMAND, ID_MONITOR_TOGGLE);
    EXPECT_TRUE(dialog.IsMonitoring());
    EXPECT_TRUE(IsMenuGreyed(dialog, ID_MONITOR_ONLINE));
    EXPECT_TRUE(IsMenuGreyed(dialog, ID_FILE_EXPORT_CSV));
    EXPECT_FALSE(IsMenuGreyed(dialog, ID_MONITOR_STOP));

    Simulator().SetTagValue("Feeder1_Mode", "-3");
    dialog.OnRefreshTimer();
    EXPECT_EQ("-3", dialog.GetGrid().GetItemText(RowOf(dialog, "Feeder1_Mode"), kColumnValue));
    CString lastUpdate;
    dialog.GetDlgItemText(IDC_LAST_UPDATE, lastUpdate);
    EXPECT_EQ(0, lastUpdate.Find("Last update: 20")) << (LPCSTR)lastUpdate;

    Simulator().Fail("tcp", "refuse");
    dialog.OnRefreshTimer();
    dialog.OnRefreshTimer();
    EXPECT_TRUE(dialog.IsMonitoring());
    EXPECT_EQ(2, dialog.GetFailedRefreshes());
    EXPECT_EQ(0u, boxes.Count());
    dialog.OnRefreshTimer();
    EXPECT_FALSE(dialog.IsMonitoring());
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_EQ("Update value failed, please check network!\n", boxes.Last().text);
    EXPECT_TRUE(IsMenuGreyed(dialog, ID_MONITOR_STOP));
    EXPECT_FALSE(IsMenuGreyed(dialog, ID_MONITOR_ONLINE));

    // A refresh that succeeds in between starts the count again.
    Simulator().Fail("tcp", "none");
    dialog.SendMessage(WM_COMMAND, ID_MONITOR_ONLINE);
    Simulator().Fail("tcp", "refuse");
    dialog.OnRefreshTimer();
    dialog.OnRefreshTimer();
    Simulator().Fail("tcp", "none");
    dialog.OnRefreshTimer();
    EXPECT_EQ(0, dialog.GetFailedRefreshes());
    EXPECT_TRUE(dialog.IsMonitoring());

    dialog.rates.push_back(5);
    dialog.SendMessage(WM_COMMAND, ID_MONITOR_UPDATE_RATE);
    EXPECT_EQ(5, dialog.GetUpdateRate());
}

TEST_F(QuorrelDlg, AnEditedValueIsWrittenAndAFailedWriteIsUndone)
{
    ScriptedQuorrelDlg& dialog = StartOnModule();
    ASSERT_FALSE(dialog.HasEnded());
    CMonitorGrid& grid = dialog.GetGrid();
    const int row = RowOf(dialog, "Feeder1_Mode");
    ASSERT_GT(row, 0);
    grid.OnEndEditCell(row, kColumnValue, "12");
    EXPECT_THAT(TextRequests(), HasSubstr("trn=settagvalue&tag=Feeder1_Mode&value=12"));
    EXPECT_EQ("12", grid.GetItemText(row, kColumnValue));
    EXPECT_EQ(0u, boxes.Count());

    Simulator().Fail("tcp", "refuse");
    grid.OnEndEditCell(row, kColumnValue, "13");
    EXPECT_EQ("12", grid.GetItemText(row, kColumnValue));
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_EQ("Write value failed, please check network!\n", boxes.Last().text);

    // In hexadecimal the typed text must be a number of the type's width.
    Simulator().Fail("tcp", "none");
    dialog.GetTable().GetTagCell(row)->SetDisplayFormat(kDisplayHex);
    EXPECT_EQ("0xc", grid.GetItemText(row, kColumnValue));
    grid.OnEndEditCell(row, kColumnValue, "fffff");
    EXPECT_EQ("0xc", grid.GetItemText(row, kColumnValue));
    EXPECT_EQ("Invalid value, please input again!\n", boxes.Last().text);
    grid.OnEndEditCell(row, kColumnValue, "ff");
    EXPECT_THAT(TextRequests(), HasSubstr("trn=settagvalue&tag=Feeder1_Mode&value=255"));
    EXPECT_EQ("0xff", grid.GetItemText(row, kColumnValue));
}

TEST_F(QuorrelDlg, EventLogAndStatusAreWrittenBesideTheProgramAndOpened)
{
    ScriptedQuorrelDlg& dialog = StartOnModule();
    ASSERT_FALSE(dialog.HasEnded());
    const CString program = AfxGetModuleFileName();
    const CString folder = program.Left(program.ReverseFind('\\'));
    dialog.SendMessage(WM_COMMAND, ID_MODULE_EVENTLOG);
    dialog.SendMessage(WM_COMMAND, ID_MODULE_STATUS);
    ASSERT_THAT(dialog.opened, ElementsAre(folder + "\\EventLogCache.txt", folder + "\\RunningDrivers.txt"));
    EXPECT_EQ("2024-05-01 10:00:00 INFO MCP SYSTEM 1 Module started\r\n"
              "2024-05-01 10:00:05 ERROR IEC61850C ETH1 7 Server not reachable\r\n",
              ReadBinaryFile(dialog.opened[0]));
    EXPECT_EQ("MCP SYSTEM\r\nIEC61850C ETH1\r\n", ReadBinaryFile(dialog.opened[1]));

    Simulator().Fail("tcp", "refuse");
    dialog.SendMessage(WM_COMMAND, ID_MODULE_EVENTLOG);
    dialog.SendMessage(WM_COMMAND, ID_MODULE_STATUS);
    EXPECT_EQ(2u, dialog.opened.size());
    ASSERT_EQ(2u, boxes.Count());
    EXPECT_EQ("Can not get EventLog from " + ModuleAddress() + "\n", boxes.Calls()[0].text);
    EXPECT_EQ("VQN does not exist on " + ModuleAddress() + "\n", boxes.Calls()[1].text);
}

TEST_F(QuorrelDlg, CsvExportAndSaveConfig)
{
    TempFolder folder;
    ScriptedQuorrelDlg& dialog = StartOnModule();
    ASSERT_FALSE(dialog.HasEnded());
    ScriptedFileDialog files({folder.File("tags.csv")});
    dialog.SendMessage(WM_COMMAND, ID_FILE_EXPORT_CSV);
    ASSERT_EQ(1u, files.Requests().size());
    EXPECT_FALSE(files.Request().open);
    EXPECT_EQ("csv", files.Request().defaultExtension);
    EXPECT_EQ("CSV Files (*.csv)|*.csv|", files.Request().filter);
    EXPECT_THAT(ReadBinaryFile(folder.File("tags.csv")), HasSubstr("Feeder1_BreakerClosed,BOOL,"));

    const CString saved = "current-" + ModuleAddress() + ".xml";
    ::DeleteFileA("CurrentXML.xml");
    dialog.SendMessage(WM_COMMAND, ID_FILE_SAVE_CONFIG);
    EXPECT_EQ("Save current configure file failed!\n", boxes.Last().text);
    WriteBinaryFile("CurrentXML.xml", "<DeviceConfig/>");
    dialog.SendMessage(WM_COMMAND, ID_FILE_SAVE_CONFIG);
    EXPECT_EQ(saved + " Saved!", boxes.Last().text);
    EXPECT_EQ("<DeviceConfig/>", ReadBinaryFile(saved));
    ::DeleteFileA("CurrentXML.xml");
}

TEST_F(QuorrelDlg, OpenKeepsTheAddressOnlyOnceItsTagsAreLoaded)
{
    ScriptedQuorrelDlg& dialog = StartOnModule();
    ASSERT_FALSE(dialog.HasEnded());
    app.WriteProfileString("VQN", "DefaultIPAddress", "10.3.3.3");
    // Another instance monitors this address.
    ScopedHandle other(::CreateMutexA(nullptr, TRUE, "RurOzid_127.0.0.6"));
    ScopedReplyLimit limit(400);
    Simulator().SetTcpReply("trn=readconfig&configfile=current.xml", "garbage");
    dialog.addresses = {"1.2.3", kNobodyAddress, "127.0.0.6", ModuleAddress()};
    dialog.SendMessage(WM_COMMAND, ID_FILE_OPEN_MODULE);
    ASSERT_EQ(4u, boxes.Count());
    EXPECT_EQ("Invalid IP Address, please input again!\n", boxes.Calls()[0].text);
    EXPECT_EQ("VQN does not exist on 127.0.0.3\n", boxes.Calls()[1].text);
    EXPECT_EQ("Ostrel is already running at this computer!", boxes.Calls()[2].text);
    EXPECT_EQ("VQN " + ModuleAddress() + " firmware may has some error!\n", boxes.Calls()[3].text);
    EXPECT_EQ("10.3.3.3", DefaultAddress());

    Simulator().Reset();
    dialog.addresses = {ModuleAddress()};
    dialog.SendMessage(WM_COMMAND, ID_FILE_OPEN_MODULE);
    EXPECT_EQ(4u, boxes.Count());
    EXPECT_EQ(ModuleAddress(), DefaultAddress());
    EXPECT_EQ(12, dialog.GetGrid().GetRowCount());
    EXPECT_EQ("Ostrel - " + ModuleAddress(), Title(dialog));
}

// Open asks the new module aside: until its configuration is in, the grid, the program's client and the refresh
// stay with the module monitored.
TEST_F(QuorrelDlg, AFailedOrCancelledOpenKeepsTheModuleItMonitors)
{
    ScriptedQuorrelDlg& dialog = StartOnModule();
    ASSERT_FALSE(dialog.HasEnded());
    dialog.SendMessage(WM_COMMAND, ID_MONITOR_ONLINE);
    CMonitorGrid& grid = dialog.GetGrid();
    const int rows = grid.GetRowCount();
    ScopedReplyLimit limit(400);

    // A dead address, then Cancel; the module itself with a configuration that does not come, then Cancel.
    dialog.addresses = {kNobodyAddress};
    dialog.SendMessage(WM_COMMAND, ID_FILE_OPEN_MODULE);
    Simulator().Fail("tcp", "nomagic");
    dialog.addresses = {ModuleAddress()};
    dialog.SendMessage(WM_COMMAND, ID_FILE_OPEN_MODULE);
    ASSERT_EQ(2u, boxes.Count());
    EXPECT_EQ("VQN does not exist on 127.0.0.3\n", boxes.Calls()[0].text);
    EXPECT_EQ("VQN " + ModuleAddress() + " firmware may has some error!\n", boxes.Calls()[1].text);

    EXPECT_EQ("Ostrel - " + ModuleAddress(), Title(dialog));
    EXPECT_EQ(ModuleAddress(), dialog.GetModuleAddress());
    EXPECT_EQ(ModuleAddress(), CDiagnosticClient::GetInstance()->GetAddress());
    EXPECT_EQ(rows, grid.GetRowCount());
    EXPECT_TRUE(dialog.IsMonitoring());
    // The next refresh reaches the module monitored.
    Simulator().Reset();
    Simulator().SetTagValue("Feeder1_Mode", "77");
    dialog.OnRefreshTimer();
    EXPECT_EQ(0, dialog.GetFailedRefreshes());
    EXPECT_EQ("77", grid.GetItemText(RowOf(dialog, "Feeder1_Mode"), kColumnValue));
    EXPECT_THAT(TextRequests(), HasSubstr("trn=gettagsvalue"));
}

// Delete, Cut and Ctrl+A then Delete empty no value and send nothing; a value typed empty is refused; a paste
// writes its values.
TEST_F(QuorrelDlg, OnlyValuesSomebodyTypedOrPastedAreWritten)
{
    ClipboardLock clipboard;
    ScriptedQuorrelDlg& dialog = StartOnModule();
    ASSERT_FALSE(dialog.HasEnded());
    CMonitorGrid& grid = dialog.GetGrid();
    const int row = RowOf(dialog, "Feeder1_Mode");
    ASSERT_GT(row, 0);
    const CString value = grid.GetItemText(row, kColumnValue);
    ASSERT_NE("", value);
    const CString type = grid.GetItemText(row, kColumnDataType);
    Simulator().Reset();

    grid.SetFocusCell(row, kColumnValue);
    grid.SetSelectedRange(row, kColumnValue, row, kColumnValue);
    grid.SendMessage(WM_KEYDOWN, VK_DELETE);
    grid.SetSelectedRange(row, kColumnValue, row, kColumnValue);
    grid.OnEditCut();
    grid.OnEditSelectAll();
    grid.SendMessage(WM_KEYDOWN, VK_DELETE);
    EXPECT_EQ(value, grid.GetItemText(row, kColumnValue));
    EXPECT_EQ(type, grid.GetItemText(row, kColumnDataType));
    for (int other = 1; other < grid.GetRowCount(); ++other)
        EXPECT_NE("", grid.GetItemText(other, kColumnName)) << other;
    EXPECT_THAT(TextRequests(), Not(HasSubstr("settagvalue")));
    EXPECT_EQ(0u, boxes.Count());

    grid.OnEndEditCell(row, kColumnValue, "");
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_EQ("Invalid value, please input again!\n", boxes.Last().text);
    EXPECT_EQ(value, grid.GetItemText(row, kColumnValue));
    EXPECT_THAT(TextRequests(), Not(HasSubstr("settagvalue")));

    // A paste changes the cell as an edit does.
    EXPECT_TRUE(grid.ChangeCellText(row, kColumnValue, "21"));
    EXPECT_THAT(TextRequests(), HasSubstr("trn=settagvalue&tag=Feeder1_Mode&value=21"));
    EXPECT_EQ("21", grid.GetItemText(row, kColumnValue));
}

TEST_F(QuorrelDlg, TheLayoutIsKeptWhenTheWindowGoes)
{
    {
        ScriptedQuorrelDlg& dialog = StartOnModule();
        ASSERT_FALSE(dialog.HasEnded());
        dialog.GetGrid().SetColumnWidth(kColumnName, 230);
        dialog.MoveWindow(10, 20, 700, 500);
        dialog.DestroyWindow();
    }
    EXPECT_EQ(230u, app.GetProfileInt("Layout", "ColumnWidth1", 0));
    EXPECT_EQ(0u, app.GetProfileInt("Layout", "ColumnWidth6", 1));
    EXPECT_EQ(710u, app.GetProfileInt("Layout", "right", 0));
    ScriptedQuorrelDlg& again = StartOnModule();
    ASSERT_FALSE(again.HasEnded());
    EXPECT_EQ(230, again.GetGrid().GetColumnWidth(kColumnName));
    CRect window;
    again.GetWindowRect(&window);
    EXPECT_EQ(CRect(10, 20, 710, 520), window);
    // The window may not be made smaller than it started.
    MINMAXINFO limits = {};
    again.SendMessage(WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
    EXPECT_GT(limits.ptMinTrackSize.x, 0);
}

} // namespace

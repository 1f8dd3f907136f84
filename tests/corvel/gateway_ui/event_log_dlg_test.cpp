// The event log dialog over the running Corvel against the module simulator.
#include "corvel/gateway_ui/event_log_dlg.h"

#include "corvel/resources/resource.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "module_window_test.h"
#include "support/enable_recorder.h"
#include "support/window_pixels.h"
#include "support/window_screenshot.h"

namespace {

const char kSection[] = "EventLogger";
// The polling period in these tests instead of 20 s.
constexpr UINT kTestPeriodMs = 300;
const char kOneEvent[] = "<?xml version=\"1.0\"?><eventLog><messageData dateTime=\"2024-05-02 08:00:00\""
                         " eventLevel=\"WARN\" sourceID=\"EIPS\" resourceID=\"ETH2\" messageID=\"3\""
                         " message=\"Connection timed out\"/></eventLog>";

// The width of the dark pixels (text) inside a rectangle of a picture width pixels wide.
int InkWidth(const std::vector<DWORD>& pixels, int width, const CRect& area)
{
    int first = -1;
    int last = -1;
    for (int x = area.left; x < area.right; ++x) {
        for (int y = area.top; y < area.bottom; ++y) {
            const DWORD pixel = pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)];
            if (((pixel >> 16 & 0xFF) * 30 + (pixel >> 8 & 0xFF) * 59 + (pixel & 0xFF) * 11) / 100 < 110) {
                first = first < 0 ? x : first;
                last = x;
                break;
            }
        }
    }
    return first < 0 ? 0 : last - first + 1;
}

// The width of the dark pixels of text drawn in the font with DrawText's flags, black on white.
int InkWidth(HFONT font, LPCSTR text, UINT flags)
{
    const CRect area(0, 0, 300, 40);
    HDC screen = ::GetDC(nullptr);
    HDC dc = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, area.Width(), area.Height());
    ::ReleaseDC(nullptr, screen);
    HGDIOBJ oldBitmap = ::SelectObject(dc, bitmap);
    HGDIOBJ oldFont = ::SelectObject(dc, font);
    ::FillRect(dc, &area, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    ::SetTextColor(dc, RGB(0, 0, 0));
    ::SetBkMode(dc, TRANSPARENT);
    CRect place(area);
    ::DrawTextA(dc, text, -1, &place, DT_SINGLELINE | DT_VCENTER | flags);
    const std::vector<DWORD> pixels = CopyPixels(dc, 0, 0, area.Width(), area.Height());
    ::SelectObject(dc, oldFont);
    ::SelectObject(dc, oldBitmap);
    ::DeleteObject(bitmap);
    ::DeleteDC(dc);
    return pixels.empty() ? 0 : InkWidth(pixels, area.Width(), area);
}

class EventLogDialog : public ModuleWindowTest {
protected:
    EventLogDialog() : ModuleWindowTest(kSection) {}

    void SetUp() override
    {
        previousPeriod = CDlgEventLog::SetPollPeriod(kTestPeriodMs);
        ModuleWindowTest::SetUp();
    }
    void TearDown() override
    {
        if (dialog && dialog->m_hWnd != nullptr)
            dialog->DestroyWindow();
        ModuleWindowTest::TearDown();
        dialog.reset();
        CDlgEventLog::SetPollPeriod(previousPeriod);
    }

    // Constructs the dialog (which tests the connection) and opens it when it is connected.
    void Open()
    {
        dialog = std::make_unique<CDlgEventLog>();
        if (!dialog->IsConnected())
            return;
        ASSERT_TRUE(dialog->Create(IDD_EVENT_LOG, CorvelAppEnvironment::Frame()));
        dialog->ShowWindow(SW_SHOWNA);
        PumpMessages();
    }
    CMapListEventLog& List() { return dialog->GetList(); }
    std::vector<CString> Row(int row)
    {
        std::vector<CString> cells;
        for (int column = 1; column <= 5; ++column)
            cells.push_back(List().GetItemText(row, column));
        return cells;
    }
    void Command(UINT id) { dialog->SendMessage(WM_COMMAND, id); }
    bool IsEnabled(UINT id)
    {
        EnableRecorder state;
        state.m_nID = id;
        state.DoUpdate(dialog.get(), FALSE);
        return state.enabled == TRUE;
    }
    // Runs the thread's messages for a while.
    static void Pump(DWORD ms)
    {
        const DWORD start = ::GetTickCount();
        while (::GetTickCount() - start < ms) {
            PumpMessages();
            ::Sleep(5);
        }
    }
    bool WaitForRows(int count, DWORD limitMs)
    {
        const DWORD start = ::GetTickCount();
        while (List().GetItemCount() != count && ::GetTickCount() - start < limitMs) {
            PumpMessages();
            ::Sleep(5);
        }
        return List().GetItemCount() == count;
    }

    std::unique_ptr<CDlgEventLog> dialog;
    UINT previousPeriod = 0;
};

TEST_F(EventLogDialog, ListsTheModulesEventsInReplyOrderInColumnsOfTheirDefaultWidths)
{
    Open();
    ASSERT_NE(nullptr, dialog->m_hWnd);
    EXPECT_EQ(0u, boxes.Count());
    CString caption;
    dialog->GetWindowText(caption);
    EXPECT_EQ(CString("Event Logger"), caption);

    const int widths[] = {110, 110, 80, 60, 430};
    const char* titles[] = {"Event Level", "Date & Time", "Resource", "Driver", "Error Message"};
    for (int column = 1; column <= 5; ++column) {
        EXPECT_EQ(widths[column - 1], List().GetColumnWidth(column)) << column;
        char title[64] = {};
        LVCOLUMNA info = {};
        info.mask = LVCF_TEXT;
        info.pszText = title;
        info.cchTextMax = sizeof title;
        ASSERT_TRUE(List().GetColumn(column, &info));
        EXPECT_STREQ(titles[column - 1], title);
    }

    ASSERT_EQ(2, List().GetItemCount());
    EXPECT_EQ((std::vector<CString>{"INFO", "2024-05-01 10:00:00", "SYSTEM", "MCP", "Module started"}), Row(0));
    EXPECT_EQ((std::vector<CString>{"ERROR", "2024-05-01 10:00:05", "ETH1", "IEC61850C", "Server not reachable"}),
              Row(1));
    EXPECT_TRUE(IsEnabled(ID_EVENT_LOG_START));
    EXPECT_FALSE(IsEnabled(ID_EVENT_LOG_STOP));
    EXPECT_EQ(0u, dialog->GetPollTimer());
    EXPECT_EQ("", SaveWindowScreenshot(dialog->m_hWnd, "event-log"));

    // The header shows "Date & Time" with its ampersand: its text is as wide as the title drawn as it is, not as
    // the title whose ampersand became a mnemonic mark (that hides it and underlines the space after it).
    CHeaderCtrl* header = List().GetHeaderCtrl();
    CRect client;
    CRect item;
    header->GetClientRect(&client);
    ASSERT_TRUE(header->GetItemRect(2, &item));
    HDC dc = ::GetDC(header->m_hWnd);
    const std::vector<DWORD> pixels = CopyPixels(dc, 0, 0, client.Width(), client.Height());
    ::ReleaseDC(header->m_hWnd, dc);
    ASSERT_FALSE(pixels.empty());
    item.DeflateRect(2, 2, 3, 3);
    const int drawn = InkWidth(pixels, client.Width(), item);
    const HFONT font = reinterpret_cast<HFONT>(header->SendMessage(WM_GETFONT));
    ASSERT_NE(nullptr, font);
    EXPECT_NEAR(InkWidth(font, "Date & Time", DT_NOPREFIX), drawn, 1);
    EXPECT_GT(drawn, InkWidth(font, "Date & Time", 0) + 2);
}

TEST_F(EventLogDialog, EveryFetchReplacesTheRows)
{
    Open();
    ASSERT_EQ(2, List().GetItemCount());
    // No declaration in front, and an event without its source and resource: empty cells, the rest shows.
    Simulator().SetTcpReply(kEventLogRequest,
                            "<eventLog><messageData dateTime=\"2024-05-03 09:00:00\" eventLevel=\"INFO\""
                            " message=\"No source\"/><messageData dateTime=\"2024-05-03 09:00:01\""
                            " eventLevel=\"ERROR\" sourceID=\"MCP\" resourceID=\"SYSTEM\" message=\"Last\"/>"
                            "</eventLog>");
    dialog->FetchEventLog();
    ASSERT_EQ(2, List().GetItemCount());
    EXPECT_EQ((std::vector<CString>{"INFO", "2024-05-03 09:00:00", "", "", "No source"}), Row(0));
    EXPECT_EQ((std::vector<CString>{"ERROR", "2024-05-03 09:00:01", "SYSTEM", "MCP", "Last"}), Row(1));

    Simulator().SetTcpReply(kEventLogRequest, "<?xml version=\"1.0\"?><eventLog></eventLog>");
    dialog->FetchEventLog();
    EXPECT_EQ(0, List().GetItemCount());
    EXPECT_EQ(0u, boxes.Count());
}

TEST_F(EventLogDialog, StartFetchesAfterThePeriodAndStopEndsIt)
{
    EXPECT_EQ(20000u, previousPeriod) << "the program's period";
    Open();
    Simulator().SetTcpReply(kEventLogRequest, kOneEvent);
    Command(ID_EVENT_LOG_START);
    EXPECT_NE(0u, dialog->GetPollTimer());
    EXPECT_FALSE(IsEnabled(ID_EVENT_LOG_START));
    EXPECT_TRUE(IsEnabled(ID_EVENT_LOG_STOP));
    EXPECT_EQ(2, List().GetItemCount()) << "no fetch before the period has passed";
    ASSERT_TRUE(WaitForRows(1, 5000));
    EXPECT_EQ((std::vector<CString>{"WARN", "2024-05-02 08:00:00", "ETH2", "EIPS", "Connection timed out"}), Row(0));

    Command(ID_EVENT_LOG_STOP);
    EXPECT_EQ(0u, dialog->GetPollTimer());
    EXPECT_TRUE(IsEnabled(ID_EVENT_LOG_START));
    EXPECT_FALSE(IsEnabled(ID_EVENT_LOG_STOP));

    // Stopped before its period: no fetch comes.
    Command(ID_EVENT_LOG_START);
    Command(ID_EVENT_LOG_STOP);
    Simulator().SetTcpReply(kEventLogRequest, "<?xml version=\"1.0\"?><eventLog></eventLog>");
    Pump(kTestPeriodMs * 3);
    EXPECT_EQ(1, List().GetItemCount());
}

TEST_F(EventLogDialog, ClosingWhilePollingStoresTheWidthsAndStopsTheTimer)
{
    Open();
    Command(ID_EVENT_LOG_START);
    List().SetColumnWidth(3, 99);
    dialog->SendMessage(WM_CLOSE);
    PumpMessages();
    EXPECT_EQ(nullptr, dialog->m_hWnd);
    EXPECT_EQ(0u, dialog->GetPollTimer());
    const int stored[] = {110, 110, 99, 60, 430};
    for (int column = 0; column < 5; ++column) {
        CString entry;
        entry.Format("COL%d", column);
        EXPECT_EQ(stored[column], static_cast<int>(app->GetProfileInt(kSection, entry, -1))) << column;
    }

    // The stored widths open the next dialog.
    Open();
    EXPECT_EQ(99, List().GetColumnWidth(3));
}

TEST_F(EventLogDialog, AFetchWithoutAnswerSaysSoAndCloses)
{
    Open();
    Command(ID_EVENT_LOG_START);
    Simulator().Fail("tcp", "refuse");
    dialog->FetchEventLog();
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_EQ(CString("Error: Connection failed."), boxes.Last().text);
    PumpMessages();
    EXPECT_EQ(nullptr, dialog->m_hWnd);
    EXPECT_EQ(0u, dialog->GetPollTimer());
    EXPECT_EQ(110, static_cast<int>(app->GetProfileInt(kSection, "COL0", -1))) << "closing saves the widths";
}

TEST_F(EventLogDialog, AModuleDownAtConstructionIsReportedAndTheDialogIsNotConnected)
{
    Simulator().Fail("tcp", "refuse");
    Open();
    EXPECT_FALSE(dialog->IsConnected());
    EXPECT_EQ(nullptr, dialog->m_hWnd);
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_EQ(CString("ERROR: Module failed to respond! Please check your IP address"), boxes.Last().text);
}

} // namespace

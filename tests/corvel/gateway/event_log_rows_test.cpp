// The event log's row table: the columns an entry fills and the answers for cells outside the table.
#include "corvel/gateway/event_log_rows.h"

#include <gtest/gtest.h>

namespace {

TEST(EventRowTable, AnEntryFillsTheFiveColumnsInTheirOrder)
{
    EventLogEntry entry;
    entry.dateTime = "2024-05-01 10:00:00";
    entry.eventLevel = "ERROR";
    entry.sourceId = "IEC61850C";
    entry.resourceId = "ETH1";
    entry.messageId = "7";
    entry.message = "Server not reachable";
    EventRowTable table;
    table.Assign({MakeEventRow(entry), EventRow{}});
    ASSERT_EQ(2, table.GetRowCount());
    const char* expected[] = {"ERROR", "2024-05-01 10:00:00", "ETH1", "IEC61850C", "Server not reachable"};
    const char* titles[] = {"Event Level", "Date & Time", "Resource", "Driver", "Error Message"};
    ASSERT_EQ(5, table.GetColumnCount());
    for (int column = 0; column < 5; ++column) {
        EXPECT_STREQ(expected[column], table.GetCell(0, column)) << column;
        EXPECT_STREQ("", table.GetCell(1, column)) << column;
        EXPECT_STREQ(titles[column], table.GetColumnTitle(column)) << column;
    }
}

TEST(EventRowTable, CellsOutsideTheTable)
{
    EventRowTable table;
    EXPECT_STREQ("Out of Bound", table.GetCell(0, 0));
    table.Assign({EventRow{{"INFO", "t", "r", "d", "m"}}});
    EXPECT_STREQ("Out of Bound", table.GetCell(1, 0));
    EXPECT_STREQ("Out of Bound", table.GetCell(-1, 0));
    EXPECT_STREQ("", table.GetCell(0, 5));
    EXPECT_STREQ("", table.GetColumnTitle(5));
    EXPECT_STREQ("", table.GetColumnTitle(-1));
    // Assign replaces every row.
    table.Assign({});
    EXPECT_EQ(0, table.GetRowCount());
}

} // namespace

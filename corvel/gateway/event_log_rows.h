// EventRow, EventRowTable, MakeEventRow: the event log's table of rows, five texts each, as the event log dialog shows them.
#pragma once

#include "corvel/gateway/vqn_diagnostics.h"

#include <array>
#include <string>
#include <vector>

// One event: event level, date and time, resource, driver (source id), error message.
struct EventRow {
    static constexpr int kColumnCount = 5;
    std::array<std::string, kColumnCount> cells;
};

// The event log's row of an entry of the module's reply.
EventRow MakeEventRow(const EventLogEntry& entry);
// The text as plain characters.
std::string CStringToStdString(const CString& text);

class EventRowTable {
public:
    // A cell of a row at or past the end.
    static constexpr char kOutOfBound[] = "Out of Bound";

    int GetColumnCount() const { return EventRow::kColumnCount; }
    // "Event Level", "Date & Time", "Resource", "Driver", "Error Message"; empty for any other column.
    CString GetColumnTitle(int column) const;
    int GetRowCount() const { return static_cast<int>(m_rows.size()); }
    // The row's text in the column (empty for a column out of range); "Out of Bound" for a row out of range.
    CString GetCell(int row, int column) const;
    // Replaces all rows by rows, in order.
    void Assign(std::vector<EventRow> rows) { m_rows = std::move(rows); }

private:
    std::vector<EventRow> m_rows;
};

#include "corvel/gateway/event_log_rows.h"

namespace {

const char* const kColumnTitles[EventRow::kColumnCount] = {"Event Level", "Date & Time", "Resource", "Driver",
                                                           "Error Message"};

} // namespace

std::string CStringToStdString(const CString& text)
{
    return std::string(static_cast<LPCSTR>(text), static_cast<size_t>(text.GetLength()));
}

EventRow MakeEventRow(const EventLogEntry& entry)
{
    EventRow row;
    row.cells = {CStringToStdString(entry.eventLevel), CStringToStdString(entry.dateTime),
                 CStringToStdString(entry.resourceId), CStringToStdString(entry.sourceId),
                 CStringToStdString(entry.message)};
    return row;
}

CString EventRowTable::GetColumnTitle(int column) const
{
    if (column < 0 || column >= EventRow::kColumnCount)
        return CString();
    return kColumnTitles[column];
}

CString EventRowTable::GetCell(int row, int column) const
{
    if (row < 0 || row >= GetRowCount())
        return kOutOfBound;
    if (column < 0 || column >= EventRow::kColumnCount)
        return CString();
    const std::string& cell = m_rows[static_cast<size_t>(row)].cells[static_cast<size_t>(column)];
    return CString(cell.c_str(), static_cast<int>(cell.size()));
}

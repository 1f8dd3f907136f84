// MemoryMapRow, CTagDBRecord, CTransactionRecord, CRecordTable, MemoryMapPrintLayout: the rows of the
// memory-map, tag-database and transaction views and the page arithmetic of a printed memory map.
#pragma once

#include "corvel/model/project_records.h"
#include "framework/geometry.h"

#include <array>
#include <vector>

namespace Corvel::Mapping {

using Records::_PROJECT;
using Records::CPLC_Device;

// The kinds of a memory-map view.
constexpr int kModbusMapView = 1;
constexpr int kPlcMapView = 2;

// The view kind of a device: the PLC families (devType 2, 3, 6) get the PLC view, every other the Modbus view.
int MapViewKindOf(const CPLC_Device& device);

// One row of a memory map: direction, device start address, gateway start address, tag name, size in words.
struct MemoryMapRow {
    static constexpr int kColumnCount = 5;
    std::array<CString, kColumnCount> cells;
};

// The memory map of the device: its write block (tags not "MTCP<--") and then its read block (tags not
// "MTCP-->"), each numbered from the device's and the gateway's start registers. The write block counts the
// device side from its start register minus 1, the read block from the start register itself.
std::vector<MemoryMapRow> BuildMemoryMapRows(const _PROJECT& project, const CPLC_Device& device, int viewKind);

// A row of the tag-database view: "<project> - <address>", tag name, a third text (the data type, not
// shown), IEC path.
class CTagDBRecord {
public:
    static constexpr int kColumnCount = 3;
    // "VQN Modbus Address", "Tag Name", "IEC Path"; empty for another column.
    static CString GetColumnTitle(int column);
    // The shown field of the column; empty for another column.
    CString GetCell(int column) const;

    CString address;
    CString tagName;
    CString dataType;
    CString iecPath;
};

// The gateway's Modbus server map: the IED-to-Modbus tags from the read start register + 40000, then the
// Modbus-to-IED ("MTCP<--") tags from the write start register + 40000.
std::vector<CTagDBRecord> BuildTagDBRecords(const _PROJECT& project);

// A row of the transaction view: tag name, source, destination.
class CTransactionRecord {
public:
    static constexpr int kColumnCount = 3;
    // "Tag Name", "Source", "Destination"; empty for another column.
    static CString GetColumnTitle(int column);
    CString GetCell(int column) const;

    CString tagName;
    CString source;
    CString destination;
};

// What a transaction shows for a tag that is in no tag-map record.
constexpr char kPathNotFound[] = "Path Not Found";
// The IEC path of the first tag-map record named tagName (exact), else "Path Not Found".
CString FindTagPath(const _PROJECT& project, const CString& tagName);
// One record per command row of every placed device (state 5), in device order then row order.
std::vector<CTransactionRecord> BuildTransactionRecords(const _PROJECT& project);

// The ordered rows behind a view; a row index at or past the end reads "Out of Bound".
template <class Record>
class CRecordTable {
public:
    static constexpr char kOutOfBound[] = "Out of Bound";

    int GetColumnCount() const { return Record::kColumnCount; }
    int GetRowCount() const { return static_cast<int>(m_rows.size()); }
    CString GetCell(int row, int column) const
    {
        if (row < 0 || row >= GetRowCount())
            return kOutOfBound;
        return m_rows[static_cast<size_t>(row)].GetCell(column);
    }
    void Assign(std::vector<Record> rows) { m_rows = std::move(rows); }

private:
    std::vector<Record> m_rows;
};

// The page layout of a printed memory map, in printer pixels.
struct MemoryMapPrintLayout {
    // Fewer data rows than this on a page cannot be printed.
    static constexpr int kMinimumRowsPerPage = 3;

    // What the printer and its font give: printable size, pixels per inch, the extents of the address
    // heading, of the gateway's heading "VQN Start MB Address" and of " # Words ".
    struct Metrics {
        int pageWidth = 0;
        int pageHeight = 0;
        int pixelsPerInchX = 0;
        int pixelsPerInchY = 0;
        SIZE addressHeading = {};
        SIZE gatewayHeading = {};
        SIZE wordsHeading = {};
    };

    // Lays the page out; false when fewer than kMinimumRowsPerPage data rows fit (nothing is then printed).
    bool Compute(const Metrics& metrics);
    // The pages of rowCount rows, at least 1.
    int PageCount(int rowCount) const;

    CRect page;            // the printed rows' area: the title row's top to the last row's bottom
    int rowHeight = 0;
    int textInset = 0;
    std::array<int, MemoryMapRow::kColumnCount> columnWidths = {};
    int rowsPerPage = 0;   // data rows below the heading row
};

} // namespace Corvel::Mapping

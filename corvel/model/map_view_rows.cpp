#include "corvel/model/map_view_rows.h"

#include "corvel/model/decimal.h"
#include "corvel/model/iec_types.h"

#include <algorithm>

namespace Corvel::Mapping {

using Records::_TAGSMAP;
using Records::ConfiguredRow;

namespace {

// 4X-style Modbus addresses: register number + 40000.
constexpr int kHoldingRegisterBase = 40000;

constexpr int kDevTypeQuantum = 2;
constexpr int kDevTypeM340 = 3;
constexpr int kDevTypeModbusPlc = 6;

const char kAddressSeparator[] = " - ";

const char* const kWriteFunctions[] = {"Write",
                                       "FC5 - Force (Write) Single Coil (0X)",
                                       "FC6 - Preset (Write) Single Register(4X)",
                                       "FC15 - Force (Write) Multiple Coil(0X)",
                                       "FC16 - Preset (Write) Multiple Register(4X)",
                                       "FC22 - Mask Write(4X)"};
const char* const kReadFunctions[] = {"Read", "FC1 - Read Coil(0X)", "FC2 - Read Input(1x)",
                                      "FC3 - Read Holding Registers(4X)", "FC4 - Read Input Registers(3X)"};

// The command row's columns used here.
constexpr size_t kRowTagName = 1;
constexpr size_t kRowFunction = 2;
constexpr size_t kRowAddress = 3;

// The decimal value of text, or fallback when text is empty.
int StartValue(const CString& text, int fallback)
{
    return text.IsEmpty() ? fallback : ReadDecimal(text);
}

CString Decimal(int value)
{
    CString text;
    text.Format("%d", value);
    return text;
}

int RegisterCount(const CIecTypeTable& types, const CString& dataType)
{
    CString registerType;
    return types.GetRegisterCount(dataType, registerType);
}

template <size_t N>
bool IsOneOf(const CString& text, const char* const (&texts)[N])
{
    for (const char* candidate : texts) {
        if (text == candidate)
            return true;
    }
    return false;
}

CString RowText(const ConfiguredRow& row, size_t column)
{
    return column < row.size() ? row[column] : CString();
}

} // namespace

int MapViewKindOf(const CPLC_Device& device)
{
    switch (device.devType) {
    case kDevTypeQuantum:
    case kDevTypeM340:
    case kDevTypeModbusPlc:
        return kPlcMapView;
    default:
        return kModbusMapView;
    }
}

std::vector<MemoryMapRow> BuildMemoryMapRows(const _PROJECT& project, const CPLC_Device& device, int viewKind)
{
    std::vector<MemoryMapRow> rows;
    if (project.tagMaps.IsEmpty())
        return rows;
    const CIecTypeTable types;
    auto addBlock = [&](int deviceRegister, int gatewayRegister, const char* excludedDirection) {
        for (POSITION pos = project.tagMaps.GetHeadPosition(); pos != nullptr;) {
            const _TAGSMAP* tag = project.tagMaps.GetNext(pos);
            if (tag->direction == excludedDirection)
                continue;
            const int size = RegisterCount(types, tag->dataType);
            MemoryMapRow row;
            row.cells[0] = tag->direction;
            if (viewKind == kPlcMapView) {
                row.cells[1].Format("%%MW%d %s", deviceRegister, "");
                row.cells[2].Format("%d %s", gatewayRegister, "");
            } else {
                row.cells[1] = Decimal(deviceRegister + kHoldingRegisterBase);
                row.cells[2] = Decimal(gatewayRegister);
            }
            row.cells[3] = tag->tagName;
            row.cells[4] = Decimal(size);
            rows.push_back(row);
            deviceRegister += size;
            gatewayRegister += size;
        }
    };
    const int deviceWrite = device.WStartReg.IsEmpty() ? 1 : ReadDecimal(device.WStartReg) - 1;
    addBlock(deviceWrite, StartValue(project.startWrite, 1), Records::kMtcpWriteDirection);
    addBlock(StartValue(device.RStartReg, 1001), StartValue(project.startRead, 1001), Records::kMtcpReadDirection);
    return rows;
}

CString CTagDBRecord::GetColumnTitle(int column)
{
    static const char* const titles[kColumnCount] = {"VQN Modbus Address", "Tag Name", "IEC Path"};
    return column >= 0 && column < kColumnCount ? titles[column] : "";
}

CString CTagDBRecord::GetCell(int column) const
{
    switch (column) {
    case 0:
        return address;
    case 1:
        return tagName;
    case 2:
        return iecPath;
    default:
        return CString();
    }
}

std::vector<CTagDBRecord> BuildTagDBRecords(const _PROJECT& project)
{
    std::vector<CTagDBRecord> records;
    const CIecTypeTable types;
    const CString name = Records::ProjectName(project);
    auto addPass = [&](int address, const char* excludedDirection) {
        for (POSITION pos = project.tagMaps.GetHeadPosition(); pos != nullptr;) {
            const _TAGSMAP* tag = project.tagMaps.GetNext(pos);
            if (tag->direction == excludedDirection)
                continue;
            CTagDBRecord record;
            record.address.Format("%s - %d", static_cast<LPCSTR>(name), address);
            record.tagName = tag->tagName;
            record.dataType = tag->dataType;
            record.iecPath = tag->tagPath;
            records.push_back(record);
            address += RegisterCount(types, tag->dataType);
        }
    };
    addPass(StartValue(project.startRead, 1) + kHoldingRegisterBase, Records::kMtcpWriteDirection);
    addPass(StartValue(project.startWrite, 1001) + kHoldingRegisterBase, Records::kMtcpReadDirection);
    return records;
}

CString CTransactionRecord::GetColumnTitle(int column)
{
    static const char* const titles[kColumnCount] = {"Tag Name", "Source", "Destination"};
    return column >= 0 && column < kColumnCount ? titles[column] : "";
}

CString CTransactionRecord::GetCell(int column) const
{
    switch (column) {
    case 0:
        return tagName;
    case 1:
        return source;
    case 2:
        return destination;
    default:
        return CString();
    }
}

CString FindTagPath(const _PROJECT& project, const CString& tagName)
{
    for (POSITION pos = project.tagMaps.GetHeadPosition(); pos != nullptr;) {
        const _TAGSMAP* tag = project.tagMaps.GetNext(pos);
        if (tag->tagName == tagName)
            return tag->tagPath;
    }
    return kPathNotFound;
}

std::vector<CTransactionRecord> BuildTransactionRecords(const _PROJECT& project)
{
    std::vector<CTransactionRecord> records;
    for (POSITION pos = project.plcDevices.GetHeadPosition(); pos != nullptr;) {
        const CPLC_Device* device = project.plcDevices.GetNext(pos);
        if (device->state != Records::kSlotInUse)
            continue;
        for (const ConfiguredRow& row : device->configuredRows) {
            CTransactionRecord record;
            record.tagName = RowText(row, kRowTagName);
            const CString function = RowText(row, kRowFunction);
            const CString deviceAddress = device->name + kAddressSeparator + RowText(row, kRowAddress);
            if (IsOneOf(function, kWriteFunctions)) {
                record.source = FindTagPath(project, record.tagName);
                record.destination = deviceAddress;
            }
            if (IsOneOf(function, kReadFunctions)) {
                record.source = deviceAddress;
                record.destination = FindTagPath(project, record.tagName);
            }
            records.push_back(record);
        }
    }
    return records;
}

bool MemoryMapPrintLayout::Compute(const Metrics& metrics)
{
    page = CRect(0, 0, metrics.pageWidth, metrics.pageHeight);
    if (page.Width() >= 2 * metrics.pixelsPerInchX) {
        page.left += metrics.pixelsPerInchX / 2;
        page.right -= metrics.pixelsPerInchX / 2;
    }
    if (page.Height() >= 2 * metrics.pixelsPerInchY) {
        page.top += metrics.pixelsPerInchY / 2;
        page.bottom -= metrics.pixelsPerInchY / 2;
    }
    const int cy = metrics.addressHeading.cy;
    rowHeight = 2 * cy;
    textInset = cy / 2;
    // Both address columns are as wide as the wider of their headings: measured from the device's heading
    // alone, the gateway's longer one was cut off.
    const int addressWidth = std::max(metrics.addressHeading.cx, metrics.gatewayHeading.cx) + cy;
    const int wordsWidth = metrics.wordsHeading.cx + metrics.wordsHeading.cy;
    columnWidths = {addressWidth / 2, addressWidth, addressWidth, 0, wordsWidth};
    columnWidths[3] = page.Width() - (addressWidth / 2 + 2 * addressWidth + wordsWidth);
    rowsPerPage = 0;
    if (rowHeight <= 0)
        return false;
    // A whole number of rows: the title row, the heading row, then the data rows.
    const int rowsOnPage = page.Height() / rowHeight;
    page.bottom = page.top + rowsOnPage * rowHeight;
    rowsPerPage = rowsOnPage - 2;
    return rowsPerPage >= kMinimumRowsPerPage;
}

int MemoryMapPrintLayout::PageCount(int rowCount) const
{
    if (rowsPerPage <= 0 || rowCount <= 0)
        return 1;
    return (rowCount + rowsPerPage - 1) / rowsPerPage;
}

} // namespace Corvel::Mapping

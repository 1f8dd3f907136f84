#include "corvel/model/modbus_mapping.h"

#include "corvel/model/decimal.h"
#include "corvel/model/iec_types.h"

#include <cctype>
#include <map>
#include <set>
#include <vector>

namespace Corvel::Mapping {

using Records::_PROJECT;
using Records::_TAGS;
using Records::_TAGSMAP;
using Records::CPLC_Device;

const char kEnableDisable[] = "Disable";
const char kEnableContinuously[] = "Enable - Continuously";
const char kEnableOnDataChange[] = "Enable - On Data Change";
const char kFunctionWrite[] = "Write";
const char kFunctionRead[] = "Read";
const char kFunctionWriteRegisters[] = "FC16 - Preset (Write) Multiple Register(4X)";
const char kFunctionReadRegisters[] = "FC3 - Read Holding Registers(4X)";
const char kSwapNone[] = "No Swap";

namespace {

CString Field(const CommandRow& row, int field)
{
    return static_cast<size_t>(field) < row.size() ? row[field] : CString();
}

CString Decimal(long long value)
{
    CString text;
    text.Format("%lld", value);
    return text;
}

int RegisterCount(const CIecTypeTable& table, const CString& type)
{
    CString registerType;
    return table.GetRegisterCount(type, registerType);
}

// REAL and UDINT values: the tag map holds IEC types, whose PLC type the table gives; a PLC name counts too.
bool StartsAtOddRegister(const CIecTypeTable& table, const CString& type)
{
    const CString plcType = table.GetPlcType(type);
    const CString& name = plcType.IsEmpty() ? type : plcType;
    return name == "REAL" || name == "UDINT";
}

} // namespace

bool UsesPlainFunctions(int kind)
{
    return kind == 2 || kind == 3 || kind == 6;
}

int LeadingNumber(const CString& text)
{
    // No sign and no blanks: "-5" must not move a counter back.
    if (text.IsEmpty() || std::isdigit(static_cast<unsigned char>(text[0])) == 0)
        return 0;
    return ReadDecimal(text);
}

bool IsWriteFunction(const CString& function)
{
    return function == kFunctionWrite || function.Left(4) == "FC16";
}

bool IsReadFunction(const CString& function)
{
    return function == kFunctionRead || function.Left(2) == "F3" || function.Left(3) == "FC3";
}

void RecalculateAddresses(CommandRows& rows, int writeStart, int readStart)
{
    long long write = writeStart;
    long long read = readStart;
    for (CommandRow& row : rows) {
        if (row.size() < kCmdFieldCount)
            row.resize(kCmdFieldCount);
        const int length = LeadingNumber(row[kCmdLength]);
        long long& counter = IsWriteFunction(row[kCmdFunction]) ? write : read;
        row[kCmdAddress] = Decimal(counter);
        counter += length;
    }
}

void FindNextFreeAddresses(const CommandRows& rows, int kind, int writeStart, int readStart, int& nextWrite,
                           int& nextRead)
{
    nextWrite = writeStart + 1;
    nextRead = readStart;
    for (const CommandRow& row : rows) {
        const CString function = Field(row, kCmdFunction);
        const int address = kind == 1 ? 0 : LeadingNumber(Field(row, kCmdAddress));
        const int length = LeadingNumber(Field(row, kCmdLength));
        if (IsWriteFunction(function) && address >= nextWrite)
            nextWrite = address + length;
        if (IsReadFunction(function) && address >= nextRead)
            nextRead = address + length;
    }
}

void AppendDroppedRows(CommandRows& rows, const std::vector<DroppedTag>& tags, const _PROJECT& project,
                       const CPLC_Device& device)
{
    const int kind = device.devType;
    const bool plain = UsesPlainFunctions(kind);
    const int writeStart = LeadingNumber(device.WStartReg);
    const int readStart = LeadingNumber(device.RStartReg);
    int nextWrite = 0;
    int nextRead = 0;
    FindNextFreeAddresses(rows, kind, writeStart, readStart, nextWrite, nextRead);

    std::set<CString> writtenToIed;
    for (POSITION pos = project.tagMaps.GetHeadPosition(); pos != nullptr;) {
        const _TAGSMAP* map = project.tagMaps.GetNext(pos);
        if (map->direction == Records::kMtcpWriteDirection)
            writtenToIed.insert(map->tagName);
    }
    const CIecTypeTable table;
    for (const DroppedTag& tag : tags) {
        const bool read = writtenToIed.count(tag.tagName) != 0;
        const int length = RegisterCount(table, tag.dataType);
        int& counter = read ? nextRead : nextWrite;
        CommandRow row(kCmdFieldCount);
        row[kCmdEnable] = plain ? kEnableOnDataChange : kEnableContinuously;
        row[kCmdTagName] = tag.tagName;
        if (read)
            row[kCmdFunction] = plain ? kFunctionRead : kFunctionReadRegisters;
        else
            row[kCmdFunction] = plain ? kFunctionWrite : kFunctionWriteRegisters;
        row[kCmdAddress] = Decimal(counter);
        row[kCmdPoll] = "0";
        row[kCmdLength] = Decimal(length);
        row[kCmdSwap] = kSwapNone;
        counter += length;
        rows.push_back(std::move(row));
    }
    // The dropped rows get the addresses the next opening gives them.
    RecalculateAddresses(rows, writeStart, readStart);
}

void PurgeStaleRows(CPLC_Device& device, const Records::RecordList<_TAGSMAP>& tagMap)
{
    std::set<CString> names;
    for (POSITION pos = tagMap.GetHeadPosition(); pos != nullptr;)
        names.insert(tagMap.GetNext(pos)->tagName);
    auto purge = [&names](CommandRows& rows) {
        CommandRows kept;
        for (CommandRow& row : rows) {
            if (names.count(Field(row, kCmdTagName)) != 0)
                kept.push_back(std::move(row));
        }
        rows = std::move(kept);
    };
    purge(device.configuredRows);
    purge(device.secondRows);
}

std::vector<DroppedTag> UnmappedTags(const _PROJECT& project, const CommandRows& rows)
{
    std::set<CString> mapped;
    for (const CommandRow& row : rows)
        mapped.insert(Field(row, kCmdTagName));
    std::vector<DroppedTag> tags;
    std::set<CString> listed;
    for (POSITION pos = project.tags.GetHeadPosition(); pos != nullptr;) {
        const _TAGS* tag = project.tags.GetNext(pos);
        if (mapped.count(tag->tagName) == 0 && listed.insert(tag->tagName).second)
            tags.push_back({tag->tagName, tag->dataType});
    }
    return tags;
}

int FindZeroAddressRow(const CommandRows& rows)
{
    for (size_t i = 0; i < rows.size(); ++i) {
        if (Field(rows[i], kCmdAddress) == "0")
            return static_cast<int>(i);
    }
    return -1;
}

void SaveCommandRows(_PROJECT& project, CPLC_Device& device, const CommandRows& rows)
{
    device.configuredRows.clear();
    device.secondRows.clear();
    std::set<CString> names;
    for (POSITION pos = project.tags.GetHeadPosition(); pos != nullptr;)
        names.insert(project.tags.GetNext(pos)->tagName);
    for (const CommandRow& source : rows) {
        CommandRow row(kCmdFieldCount);
        for (int field = 0; field < kCmdFieldCount; ++field)
            row[field] = Field(source, field);
        device.configuredRows.push_back(row);
        device.secondRows.push_back(row);
        if (names.insert(row[kCmdTagName]).second) {
            auto tag = std::make_unique<_TAGS>();
            tag->tagName = row[kCmdTagName];
            tag->dataType = row[kCmdFunction];
            project.tags.AddTail(tag.release());
        }
    }
}

namespace {

// A tag-map record that gives every Modbus device a write row, with its register count.
struct WriteSource {
    const _TAGSMAP* map = nullptr;
    unsigned length = 0;
    bool oddStart = false;
};

// The read-direction records of the tag map in order; the register counts are looked up once per type.
std::vector<WriteSource> WriteSources(const _PROJECT& project)
{
    const CIecTypeTable table;
    std::map<CString, WriteSource> byType;
    std::vector<WriteSource> sources;
    sources.reserve(static_cast<size_t>(project.tagMaps.GetCount()));
    for (POSITION mapPos = project.tagMaps.GetHeadPosition(); mapPos != nullptr;) {
        const _TAGSMAP* map = project.tagMaps.GetNext(mapPos);
        if (map->direction.Find(Records::kMtcpReadDirection) < 0)
            continue;
        auto type = byType.find(map->dataType);
        if (type == byType.end()) {
            WriteSource known;
            known.length = static_cast<unsigned>(RegisterCount(table, map->dataType));
            known.oddStart = StartsAtOddRegister(table, map->dataType);
            type = byType.emplace(map->dataType, known).first;
        }
        WriteSource source = type->second;
        source.map = map;
        sources.push_back(source);
    }
    return sources;
}

CString UnsignedText(unsigned value)
{
    char text[16];
    char* at = text + sizeof text;
    *--at = '\0';
    do {
        *--at = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value != 0);
    return CString(at);
}

void RebuildDeviceCommands(const std::vector<WriteSource>& sources, CPLC_Device& device)
{
    std::map<CString, CommandRow> earlier;
    for (CommandRow& row : device.configuredRows)
        earlier.emplace(Field(row, kCmdTagName), std::move(row));
    device.configuredRows.clear();
    device.configuredRows.reserve(sources.size());

    const CString onDataChange = kEnableOnDataChange;
    const CString write = kFunctionWrite;
    const CString zero = "0";
    const CString noSwap = kSwapNone;
    // Every rebuilt row writes, so the rows start where the mapper places its write rows.
    unsigned counter = device.WStartReg.IsEmpty() ? 1u : static_cast<unsigned>(LeadingNumber(device.WStartReg));
    for (const WriteSource& source : sources) {
        const auto found = earlier.empty() ? earlier.end() : earlier.find(source.map->tagName);
        const CommandRow* before = found == earlier.end() ? nullptr : &found->second;
        auto kept = [before](int field, const CString& fallback) {
            if (before == nullptr || static_cast<size_t>(field) >= before->size() || (*before)[field].IsEmpty())
                return fallback;
            return (*before)[field];
        };
        if (device.devType == 3 && source.oddStart && counter % 2 == 0)
            ++counter;
        CommandRow row(kCmdFieldCount);
        row[kCmdEnable] = kept(kCmdEnable, onDataChange);
        row[kCmdTagName] = source.map->tagName;
        row[kCmdFunction] = write;
        row[kCmdAddress] = UnsignedText(counter);
        row[kCmdPoll] = kept(kCmdPoll, zero);
        row[kCmdLength] = UnsignedText(source.length);
        row[kCmdSwap] = kept(kCmdSwap, noSwap);
        row[kCmdDescription] = before != nullptr ? Field(*before, kCmdDescription) : CString();
        device.configuredRows.push_back(std::move(row));
        counter += source.length;
    }
}

} // namespace

void RebuildDeviceCommands(const _PROJECT& project, CPLC_Device& device)
{
    RebuildDeviceCommands(WriteSources(project), device);
}

void RebuildModbusCommands(_PROJECT& project)
{
    const std::vector<WriteSource> sources = WriteSources(project);
    for (POSITION pos = project.plcDevices.GetHeadPosition(); pos != nullptr;)
        RebuildDeviceCommands(sources, *project.plcDevices.GetNext(pos));
}

} // namespace Corvel::Mapping

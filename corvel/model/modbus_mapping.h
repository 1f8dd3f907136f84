// Modbus command rows without windows: the register addresses of the rows, the rows a drop of tags makes, the
// rows kept when the mapper opens, the mapper's Save and the rows rebuilt from the tag map.
#pragma once
#include "framework/core.h"
#include "corvel/model/project_records.h"

#include <vector>

namespace Corvel::Mapping {

// Fields of a command row.
enum CommandField {
    kCmdEnable = 0,
    kCmdTagName = 1,
    kCmdFunction = 2,
    kCmdAddress = 3,
    kCmdPoll = 4,
    kCmdLength = 5,
    kCmdSwap = 6,
    kCmdDescription = 7,
    kCmdFieldCount = 8,
};

extern const char kEnableDisable[];
extern const char kEnableContinuously[];
extern const char kEnableOnDataChange[];
extern const char kFunctionWrite[];
extern const char kFunctionRead[];
extern const char kFunctionWriteRegisters[];
extern const char kFunctionReadRegisters[];
extern const char kSwapNone[];

using CommandRow = Records::ConfiguredRow;
using CommandRows = Records::ConfiguredRows;

// Device kinds whose rows use "Write"/"Read" and start "Enable - On Data Change".
bool UsesPlainFunctions(int kind);
// The decimal number the text starts with; 0 when it does not start with a digit (a sign or a blank included).
int LeadingNumber(const CString& text);
// "Write" or a text beginning with "FC16".
bool IsWriteFunction(const CString& function);
// "Read", or a text beginning with "F3" or "FC3".
bool IsReadFunction(const CString& function);

// Gives every row its address: write rows one block from writeStart, the others one from readStart.
void RecalculateAddresses(CommandRows& rows, int writeStart, int readStart);
// The first free addresses after the rows of each direction (the write side from writeStart + 1).
void FindNextFreeAddresses(const CommandRows& rows, int kind, int writeStart, int readStart, int& nextWrite,
                           int& nextRead);

// A dropped tag.
struct DroppedTag {
    CString tagName;
    CString dataType;
};
// The rows a drop of tags makes on a device of kind (read rows for tags the tag map writes, "MTCP<--"),
// addressed from the next free addresses after rows; then every address is recalculated.
void AppendDroppedRows(CommandRows& rows, const std::vector<DroppedTag>& tags, const Records::_PROJECT& project,
                       const Records::CPLC_Device& device);

// Keeps of the device's rows only those whose tag name is in the tag map.
void PurgeStaleRows(Records::CPLC_Device& device, const Records::RecordList<Records::_TAGSMAP>& tagMap);
// The tags of the project's tag list that no row names, with their types.
std::vector<DroppedTag> UnmappedTags(const Records::_PROJECT& project, const CommandRows& rows);
// The index of the first row whose address is exactly "0", or -1.
int FindZeroAddressRow(const CommandRows& rows);
// Writes the rows into both of the device's lists and adds a tag record for a row's name when the tag list
// has none of that name.
void SaveCommandRows(Records::_PROJECT& project, Records::CPLC_Device& device, const CommandRows& rows);

// Rebuilds one device's command rows from the tag map's "MTCP-->" rows, keeping an earlier row's Enable,
// Poll Interval, Swap and Description.
void RebuildDeviceCommands(const Records::_PROJECT& project, Records::CPLC_Device& device);
// Rebuilds every device's command rows from the tag map's "MTCP-->" rows, keeping an earlier row's Enable,
// Poll Interval, Swap and Description.
void RebuildModbusCommands(Records::_PROJECT& project);

} // namespace Corvel::Mapping

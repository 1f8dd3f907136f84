#include "corvel/model/modbus_mapping.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using namespace Corvel::Mapping;
using Corvel::Records::_PROJECT;
using Corvel::Records::_TAGS;
using Corvel::Records::_TAGSMAP;
using Corvel::Records::CPLC_Device;
using Corvel::Records::DeleteRecords;

CommandRow Row(LPCSTR tag, LPCSTR function, LPCSTR length, LPCSTR address = "", LPCSTR enable = "Disable")
{
    return {enable, tag, function, address, "0", length, "No Swap", ""};
}

struct Project {
    _PROJECT project;
    ~Project()
    {
        DeleteRecords(project.tags);
        DeleteRecords(project.tagMaps);
        DeleteRecords(project.plcDevices);
    }
    void Map(LPCSTR name, LPCSTR type, LPCSTR direction)
    {
        auto row = std::make_unique<_TAGSMAP>();
        row->tagName = name;
        row->dataType = type;
        row->direction = direction;
        project.tagMaps.AddTail(row.release());
    }
    void Tag(LPCSTR name, LPCSTR type)
    {
        auto tag = std::make_unique<_TAGS>();
        tag->tagName = name;
        tag->dataType = type;
        project.tags.AddTail(tag.release());
    }
    CPLC_Device& Device(int kind, LPCSTR writeStart = "1001", LPCSTR readStart = "1")
    {
        auto device = std::make_unique<CPLC_Device>();
        device->devType = kind;
        device->WStartReg = writeStart;
        device->RStartReg = readStart;
        project.plcDevices.AddTail(device.get());
        return *device.release();
    }
};

TEST(ModbusAddresses, RecalculationPacksEachDirectionFromItsStart)
{
    struct Case {
        CommandRows rows;
        std::vector<CString> addresses;
    };
    const Case cases[] = {
        {{Row("a", "Write", "2"), Row("b", "Read", "4"), Row("c", "Write", "1")}, {"1001", "1", "1003"}},
        {{Row("a", kFunctionWriteRegisters, "2"), Row("b", kFunctionReadRegisters, "3"), Row("c", "Read", "1")},
         {"1001", "1", "4"}},
        // An empty or non-numeric length adds nothing.
        {{Row("a", "Write", ""), Row("b", "Write", "x"), Row("c", "Write", "2"), Row("d", "Write", "1")},
         {"1001", "1001", "1001", "1003"}},
        // A length that does not start with a digit counts 0: a sign or a blank does not move the counter back
        // or on; digits followed by other text count as the digits.
        {{Row("a", "Write", "-5"), Row("b", "Write", "+3"), Row("c", "Write", " 4"), Row("d", "Write", "2x"),
          Row("e", "Write", "1")},
         {"1001", "1001", "1001", "1001", "1003"}},
        {{}, {}},
    };
    for (const Case& c : cases) {
        CommandRows rows = c.rows;
        RecalculateAddresses(rows, 1001, 1);
        ASSERT_EQ(rows.size(), c.addresses.size());
        for (size_t i = 0; i < rows.size(); ++i)
            EXPECT_EQ(rows[i][kCmdAddress], c.addresses[i]) << i;
    }
}

TEST(ModbusAddresses, NextFreeAddressesFollowTheHighestRowOfEachDirection)
{
    int write = 0;
    int read = 0;
    FindNextFreeAddresses({}, 0, 1001, 1, write, read);
    EXPECT_EQ(write, 1002);
    EXPECT_EQ(read, 1);
    const CommandRows rows = {Row("a", kFunctionReadRegisters, "4", "1"), Row("b", "FC16 x", "2", "1010"),
                              Row("c", "F3 old", "2", "9"), Row("d", "Other", "50", "500")};
    FindNextFreeAddresses(rows, 0, 1001, 1, write, read);
    EXPECT_EQ(write, 1012);
    EXPECT_EQ(read, 11);
    // Neither a negative address nor a negative length moves a counter back.
    FindNextFreeAddresses({Row("a", "Write", "-900", "1010"), Row("b", "Read", "-2", "7")}, 0, 1001, 1, write, read);
    EXPECT_EQ(write, 1010);
    EXPECT_EQ(read, 7);
    // Kind 1 takes every address as 0.
    FindNextFreeAddresses(rows, 1, 1001, 1, write, read);
    EXPECT_EQ(write, 1002);
    EXPECT_EQ(read, 1);
}

TEST(ModbusDrop, RowsTakeTheDeviceKindsTextsAndTheAddressesAnOpeningGives)
{
    Project p;
    p.Map("written", "INT32", "MTCP<--");
    p.Map("readBack", "BOOLEAN", "MTCP-->");
    struct Case {
        int kind;
        LPCSTR enable;
        LPCSTR write;
        LPCSTR read;
    };
    const Case cases[] = {
        {3, kEnableOnDataChange, "Write", "Read"},
        {2, kEnableOnDataChange, "Write", "Read"},
        {0, kEnableContinuously, kFunctionWriteRegisters, kFunctionReadRegisters},
    };
    for (const Case& c : cases) {
        CPLC_Device& device = p.Device(c.kind);
        CommandRows rows;
        AppendDroppedRows(rows, {{"readBack", "BOOLEAN"}, {"written", "INT32"}, {"more", "FLOAT32"}}, p.project, device);
        ASSERT_EQ(rows.size(), 3u);
        EXPECT_EQ(rows[0], (CommandRow{c.enable, "readBack", c.write, "1001", "0", "1", "No Swap", ""}));
        EXPECT_EQ(rows[1], (CommandRow{c.enable, "written", c.read, "1", "0", "2", "No Swap", ""}));
        EXPECT_EQ(rows[2][kCmdAddress], "1002");
        // What a later open computes.
        CommandRows reopened = rows;
        RecalculateAddresses(reopened, 1001, 1);
        EXPECT_EQ(reopened, rows);
    }
}

TEST(ModbusMapperRows, StaleRowsGoAndTheTagListHoldsOnlyUnmappedTags)
{
    Project p;
    p.Map("kept", "INT32", "MTCP-->");
    CPLC_Device& device = p.Device(0);
    device.configuredRows = {Row("gone", "Write", "1"), Row("kept", "Write", "2")};
    device.secondRows = device.configuredRows;
    PurgeStaleRows(device, p.project.tagMaps);
    ASSERT_EQ(device.configuredRows.size(), 1u);
    EXPECT_EQ(device.configuredRows[0][kCmdTagName], "kept");
    EXPECT_EQ(device.secondRows, device.configuredRows);

    p.Tag("kept", "INT32");
    p.Tag("free", "BOOLEAN");
    const std::vector<DroppedTag> tags = UnmappedTags(p.project, device.configuredRows);
    ASSERT_EQ(tags.size(), 1u);
    EXPECT_EQ(tags[0].tagName, "free");
    EXPECT_EQ(tags[0].dataType, "BOOLEAN");
}

TEST(ModbusMapperRows, SaveWritesBothListsAndAddsATagRecordOnlyForNewNames)
{
    Project p;
    p.Tag("known", "INT32");
    CPLC_Device& device = p.Device(0);
    const CommandRows rows = {Row("known", "Write", "2", "0"), Row("fresh", "Read", "1", "5"),
                              Row("fresh", "Read", "1", "0")};
    EXPECT_EQ(FindZeroAddressRow(rows), 0);
    EXPECT_EQ(FindZeroAddressRow({Row("a", "Write", "1", "00"), Row("b", "Write", "1", "1")}), -1);
    for (int save = 0; save < 2; ++save) {
        SaveCommandRows(p.project, device, rows);
        EXPECT_EQ(device.configuredRows, rows);
        EXPECT_EQ(device.secondRows, rows);
        EXPECT_EQ(p.project.tags.GetCount(), 2);
    }
    EXPECT_EQ(p.project.tags.GetTail()->dataType, "Read");
    SaveCommandRows(p.project, device, {});
    EXPECT_TRUE(device.configuredRows.empty());
    EXPECT_TRUE(device.secondRows.empty());
}

TEST(ModbusRebuild, KeepsEarlierSettingsAndTakesLengthsFromTheTypes)
{
    Project p;
    p.Map("a", "INT32", "MTCP-->");
    p.Map("cmd", "BOOLEAN", "MTCP<--");
    p.Map("r", "FLOAT32", "MTCP-->");
    p.Map("b", "BOOLEAN", "MTCP-->");
    CPLC_Device& device = p.Device(0, "10", "1");
    device.configuredRows = {{"Disable", "a", "Write", "77", "500", "9", "Swap Word", "kept text"},
                             {"", "gone", "Write", "1", "1", "1", "No Swap", ""},
                             {"", "r", "Read", "1", "", "1", "", ""}};
    CPLC_Device& odd = p.Device(3, "2", "");
    CPLC_Device& empty = p.Device(0, "", "");
    RebuildModbusCommands(p.project);
    const CommandRows expected = {{"Disable", "a", "Write", "10", "500", "2", "Swap Word", "kept text"},
                                  {kEnableOnDataChange, "r", "Write", "12", "0", "2", "No Swap", ""},
                                  {kEnableOnDataChange, "b", "Write", "14", "0", "1", "No Swap", ""}};
    EXPECT_EQ(device.configuredRows, expected);
    // Kind 3 starts REAL and UDINT rows at odd registers; an empty start text starts at 1.
    ASSERT_EQ(odd.configuredRows.size(), 3u);
    EXPECT_EQ(odd.configuredRows[0][kCmdAddress], "2");
    EXPECT_EQ(odd.configuredRows[1][kCmdAddress], "5");
    EXPECT_EQ(odd.configuredRows[2][kCmdAddress], "7");
    ASSERT_EQ(empty.configuredRows.size(), 3u);
    EXPECT_EQ(empty.configuredRows[0][kCmdAddress], "1");
}

} // namespace

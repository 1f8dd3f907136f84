// The rows of the memory-map, tag-database and transaction views, and the page arithmetic of a printed map.
#include "corvel/model/map_view_rows.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using namespace Corvel::Mapping;
using Corvel::Records::_TAGSMAP;
using Corvel::Records::ConfiguredRow;

// A project owning the records it is given.
class ProjectFixture : public ::testing::Test {
protected:
    ~ProjectFixture() override
    {
        Corvel::Records::DeleteRecords(project.tagMaps);
        Corvel::Records::DeleteRecords(project.plcDevices);
    }

    void AddTag(const char* name, const char* type, const char* direction, const char* path = "")
    {
        auto* tag = new _TAGSMAP;
        tag->tagName = name;
        tag->dataType = type;
        tag->direction = direction;
        tag->tagPath = path;
        project.tagMaps.AddTail(tag);
    }
    CPLC_Device& AddDevice(const char* name, int state = Corvel::Records::kSlotInUse)
    {
        auto* device = new CPLC_Device;
        device->name = name;
        device->state = state;
        project.plcDevices.AddTail(device);
        return *device;
    }

    _PROJECT project;
};

std::vector<std::string> Cells(const MemoryMapRow& row)
{
    return {row.cells.begin(), row.cells.end()};
}

using MemoryMap = ProjectFixture;

// The gateway writes the IED's data ("MTCP-->") to the device and reads the commands ("MTCP<--") from it.
TEST_F(MemoryMap, ModbusViewWriteBlockCountsFromOneBelowTheStartRegisterAndReadBlockFromIt)
{
    project.startWrite = "1";
    project.startRead = "1001";
    AddTag("A", "INT32", "MTCP-->");
    AddTag("Cmd", "FLOAT32", "MTCP<--");
    AddTag("B", "BOOLEAN", "MTCP-->");
    CPLC_Device& device = AddDevice("Quantum 1");
    device.WStartReg = "1";
    device.RStartReg = "1";

    const auto rows = BuildMemoryMapRows(project, device, kModbusMapView);
    ASSERT_EQ(3u, rows.size());
    EXPECT_EQ((std::vector<std::string>{"MTCP-->", "40000", "1", "A", "2"}), Cells(rows[0]));
    EXPECT_EQ((std::vector<std::string>{"MTCP-->", "40002", "3", "B", "1"}), Cells(rows[1]));
    EXPECT_EQ((std::vector<std::string>{"MTCP<--", "40001", "1001", "Cmd", "2"}), Cells(rows[2]));
}

TEST_F(MemoryMap, EmptyStartValuesAndThePlcViewTexts)
{
    AddTag("Cmd", "INT32", "MTCP<--");
    AddTag("R1", "Quality", "MTCP-->");
    AddTag("Other", "Dbpos", "both");
    CPLC_Device& device = AddDevice("M340");

    const auto rows = BuildMemoryMapRows(project, device, kPlcMapView);
    ASSERT_EQ(4u, rows.size());
    // Write block: device 1, gateway 1; read block: 1001 on both sides. A third direction is in both.
    EXPECT_EQ((std::vector<std::string>{"MTCP-->", "%MW1 ", "1 ", "R1", "1"}), Cells(rows[0]));
    EXPECT_EQ((std::vector<std::string>{"both", "%MW2 ", "2 ", "Other", "1"}), Cells(rows[1]));
    EXPECT_EQ((std::vector<std::string>{"MTCP<--", "%MW1001 ", "1001 ", "Cmd", "2"}), Cells(rows[2]));
    EXPECT_EQ((std::vector<std::string>{"both", "%MW1003 ", "1003 ", "Other", "1"}), Cells(rows[3]));
}

TEST_F(MemoryMap, NoTagMapGivesNoRows)
{
    EXPECT_TRUE(BuildMemoryMapRows(project, AddDevice("D"), kModbusMapView).empty());
}

TEST(MapViewKind, PlcFamiliesGetThePlcView)
{
    for (int devType = 0; devType <= 7; ++devType) {
        CPLC_Device device;
        device.devType = devType;
        const bool plc = devType == 2 || devType == 3 || devType == 6;
        EXPECT_EQ(plc ? kPlcMapView : kModbusMapView, MapViewKindOf(device)) << devType;
    }
}

using TagDatabase = ProjectFixture;

TEST_F(TagDatabase, ReadTagsFromTheReadStartThenWriteTagsFromTheWriteStart)
{
    project.prjName = "Plant";
    project.startRead = "1";
    project.startWrite = "1001";
    AddTag("A", "INT32", "MTCP-->", "LD0/MMXU1.A");
    AddTag("Cmd", "BOOLEAN", "MTCP<--", "LD0/CSWI1.Pos$CO$ctlVal");
    AddTag("Odd", "NoSuchType", "MTCP-->", "p2");
    AddTag("B", "FLOAT32", "MTCP-->", "p3");

    const auto records = BuildTagDBRecords(project);
    ASSERT_EQ(4u, records.size());
    const char* const expected[][3] = {{"Plant - 40001", "A", "LD0/MMXU1.A"},
                                       {"Plant - 40003", "Odd", "p2"},
                                       {"Plant - 40003", "B", "p3"},
                                       {"Plant - 41001", "Cmd", "LD0/CSWI1.Pos$CO$ctlVal"}};
    for (size_t i = 0; i < records.size(); ++i) {
        for (int column = 0; column < 3; ++column)
            EXPECT_EQ(expected[i][column], records[i].GetCell(column)) << i << " " << column;
        EXPECT_EQ("", records[i].GetCell(3));
    }
}

TEST_F(TagDatabase, NamesFromTheFileWithoutAProjectNameAndAnEmptyMap)
{
    EXPECT_TRUE(BuildTagDBRecords(project).empty());
    project.prjName.Empty();
    project.filePath = "C:\\Projects\\Station.prj";
    AddTag("A", "INT16", "MTCP-->");
    EXPECT_EQ("Station.prj - 40001", BuildTagDBRecords(project)[0].address);
}

TEST(RecordTitles, TitlesAndOutOfRangeCells)
{
    const char* const tagDb[] = {"VQN Modbus Address", "Tag Name", "IEC Path", ""};
    const char* const transaction[] = {"Tag Name", "Source", "Destination", ""};
    for (int column = 0; column < 4; ++column) {
        EXPECT_EQ(tagDb[column], CTagDBRecord::GetColumnTitle(column));
        EXPECT_EQ(transaction[column], CTransactionRecord::GetColumnTitle(column));
    }
    CRecordTable<CTransactionRecord> table;
    table.Assign({CTransactionRecord{"T", "S", "D"}});
    EXPECT_EQ("D", table.GetCell(0, 2));
    EXPECT_EQ("", table.GetCell(0, 5));
    EXPECT_EQ("Out of Bound", table.GetCell(1, 0));
    EXPECT_EQ("Out of Bound", table.GetCell(-1, 0));
}

using Transactions = ProjectFixture;

TEST_F(Transactions, SourceAndDestinationByFunction)
{
    AddTag("Pos", "BOOLEAN", "MTCP<--", "LD0/CSWI1.Pos");
    CPLC_Device& device = AddDevice("PLC 7");
    struct Case {
        const char* function;
        const char* tag;
        const char* source;
        const char* destination;
    } const cases[] = {
        {"Write", "Pos", "LD0/CSWI1.Pos", "PLC 7 - 17"},
        {"FC22 - Mask Write(4X)", "Pos", "LD0/CSWI1.Pos", "PLC 7 - 17"},
        {"FC3 - Read Holding Registers(4X)", "Pos", "PLC 7 - 17", "LD0/CSWI1.Pos"},
        {"FC2 - Read Input(1x)", "Pos", "PLC 7 - 17", "LD0/CSWI1.Pos"},
        {"fc3 - read holding registers(4x)", "Pos", "", ""},
        {"write", "Pos", "", ""},
        {"Read", "Missing", "PLC 7 - 17", "Path Not Found"},
    };
    for (const Case& c : cases)
        device.configuredRows.push_back(ConfiguredRow{"1", c.tag, c.function, "17", "1000", "1", "0", ""});

    const auto records = BuildTransactionRecords(project);
    ASSERT_EQ(std::size(cases), records.size());
    for (size_t i = 0; i < records.size(); ++i) {
        EXPECT_EQ(cases[i].tag, records[i].tagName) << cases[i].function;
        EXPECT_EQ(cases[i].source, records[i].source) << cases[i].function;
        EXPECT_EQ(cases[i].destination, records[i].destination) << cases[i].function;
    }
}

TEST_F(Transactions, OnlyPlacedDevicesInListOrder)
{
    AddDevice("Free", Corvel::Records::kSlotFree).configuredRows.push_back({"1", "X", "Write", "1", "", "1", "", ""});
    AddDevice("Empty");
    CPLC_Device& second = AddDevice("Second");
    second.configuredRows.push_back({"1", "Y", "Read", "0005", "", "1", "", ""});
    second.configuredRows.push_back({"1", "Y", "Write", "9", "", "1", "", ""});

    const auto records = BuildTransactionRecords(project);
    ASSERT_EQ(2u, records.size());
    // The address is shown as stored.
    EXPECT_EQ("Second - 0005", records[0].source);
    EXPECT_EQ("Second - 9", records[1].destination);
    EXPECT_EQ("Path Not Found", FindTagPath(project, "Y"));
}

// A printer of 11 x 8.5 inches at 300 pixels per inch, with headings measured in a 10-pixel-high font.
MemoryMapPrintLayout::Metrics Landscape300()
{
    MemoryMapPrintLayout::Metrics metrics;
    metrics.pageWidth = 3300;
    metrics.pageHeight = 2550;
    metrics.pixelsPerInchX = 300;
    metrics.pixelsPerInchY = 300;
    metrics.addressHeading = {200, 50};
    metrics.wordsHeading = {90, 50};
    return metrics;
}

TEST(PrintLayout, MarginsColumnsAndRowsPerPage)
{
    MemoryMapPrintLayout layout;
    ASSERT_TRUE(layout.Compute(Landscape300()));
    EXPECT_EQ(100, layout.rowHeight);
    EXPECT_EQ(25, layout.textInset);
    // Half-inch margins; 2250 pixels of height hold 22 whole rows: title, heading and 20 data rows.
    EXPECT_EQ(CRect(150, 150, 3150, 2350), layout.page);
    EXPECT_EQ(20, layout.rowsPerPage);
    const std::array<int, 5> widths = {125, 250, 250, 3000 - 125 - 250 - 250 - 140, 140};
    EXPECT_EQ(widths, layout.columnWidths);

    // A gateway heading wider than the device's widens both address columns (and the direction's half);
    // the tag name takes what is left.
    MemoryMapPrintLayout::Metrics wide = Landscape300();
    wide.gatewayHeading = {260, 50};
    ASSERT_TRUE(layout.Compute(wide));
    const std::array<int, 5> wider = {155, 310, 310, 3000 - 155 - 310 - 310 - 140, 140};
    EXPECT_EQ(wider, layout.columnWidths);
    EXPECT_EQ(20, layout.rowsPerPage);
}

TEST(PrintLayout, PageCounts)
{
    MemoryMapPrintLayout layout;
    ASSERT_TRUE(layout.Compute(Landscape300()));
    const int r = layout.rowsPerPage;
    const int cases[][2] = {{0, 1}, {1, 1}, {r, 1}, {r + 1, 2}, {2 * r, 2}, {2 * r + 1, 3}};
    for (const auto& c : cases)
        EXPECT_EQ(c[1], layout.PageCount(c[0])) << c[0];
}

TEST(PrintLayout, PagesHoldingFewerThanThreeRowsAreRefused)
{
    struct Case {
        int pageHeight;
        int pixelsPerInch;
        bool printable;
    } const cases[] = {
        {500, 1000, true},  // no margins below two inches: 5 rows, 3 for data
        {499, 1000, false}, // 4 rows
        {100, 1000, false},
        {0, 1000, false},
    };
    for (const Case& c : cases) {
        MemoryMapPrintLayout::Metrics metrics = Landscape300();
        metrics.pageHeight = c.pageHeight;
        metrics.pixelsPerInchY = c.pixelsPerInch;
        MemoryMapPrintLayout layout;
        EXPECT_EQ(c.printable, layout.Compute(metrics)) << c.pageHeight;
    }
    // A font without height lays out nothing.
    MemoryMapPrintLayout::Metrics flat = Landscape300();
    flat.addressHeading = {200, 0};
    MemoryMapPrintLayout layout;
    EXPECT_FALSE(layout.Compute(flat));
    EXPECT_EQ(1, layout.PageCount(5));
}

} // namespace

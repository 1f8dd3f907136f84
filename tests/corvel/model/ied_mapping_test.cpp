#include "corvel/model/ied_mapping.h"
#include "corvel/model/modbus_mapping.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using namespace Corvel::Mapping;
using Corvel::Records::_IED_DEVICE;
using Corvel::Records::_PROJECT;
using Corvel::Records::CPLC_Device;
using Corvel::Records::DeleteRecords;

TEST(TagNames, NameComesFromPrefixAndPathAndIsCutAtTheLimit)
{
    const int limit = TagNameLimit("LD1");
    EXPECT_EQ(limit, 43);
    EXPECT_EQ(MakeTagName("LD1", "LLN0$ST$Mod$stVal", limit), "LD1_LLN0_ST_Mod_stVal");
    // prefix "LD1_" + 39 characters: exactly the limit stays whole.
    const CString exact = "A234567890123456789012345678901234567$x";
    EXPECT_EQ(MakeTagName("LD1", exact, limit), "LD1_A234567890123456789012345678901234567_x");
    EXPECT_EQ(MakeTagName("LD1", exact + "y", limit), "LD1_A234567890123456789012345678901234567_x");
    // A cut that ends in "_" loses it.
    EXPECT_EQ(MakeTagName("LD1", "A234567890123456789012345678901234567$xy", limit - 1),
              "LD1_A234567890123456789012345678901234567");
}

TEST(TagNames, SuffixIsOneAboveTheHighestTaken)
{
    const CString name = "LD1_LLN0_ST_Mod_stVal";
    struct Case {
        std::vector<CString> names;
        CString expected;
    };
    const Case cases[] = {
        {{}, name},
        {{name}, name + "_001"},
        {{name, name + "_001", name + "_002"}, name + "_003"},
        {{name, name + "_099"}, name + "_100"},
        {{name, name + "_1000"}, name + "_1001"},
        {{"LD1_LLN0_ST_Mod_stValue"}, name},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MakeUniqueTagName(name, c.names, {}, 43), c.expected);
    // Names made earlier in the same drop count, ignoring case.
    EXPECT_EQ(MakeUniqueTagName(name, {}, {"ld1_lln0_st_mod_stval"}, 43), name + "_001");
    // A suffix past the limit shortens the name.
    EXPECT_EQ(MakeUniqueTagName("ABCDEFGHIJ", {"ABCDEFGHIJ"}, {}, 10), "ABCDEF_001");
}

TEST(TagNames, ArraysExpandIntoTheirElements)
{
    bool capped = true;
    std::vector<ArrayElement> elements = ExpandArray("LD1_MHAI_MX_PhV[3]_mag", "MHAI$MX$PhV[3]$mag", capped);
    ASSERT_EQ(elements.size(), 3u);
    EXPECT_FALSE(capped);
    EXPECT_EQ(elements[0].key, "LD1_MHAI_MX_PhV[0]_mag");
    EXPECT_EQ(elements[2].path, "MHAI$MX$PhV[2]$mag");
    EXPECT_EQ(MakeTagName("LD1", elements[1].path, 43), "LD1_MHAI_MX_PhV[1]_mag");
    EXPECT_TRUE(ExpandArray("k[0]", "p[0]", capped).empty());
    EXPECT_TRUE(ExpandArray("k[]", "p[]", capped).empty());
    EXPECT_TRUE(ExpandArray("k[-2]", "p[-2]", capped).empty());
    EXPECT_EQ(ExpandArray("k[70000]", "p[70000]", capped).size(), static_cast<size_t>(kMaxArrayElements));
    EXPECT_TRUE(capped);

    EXPECT_EQ(ArrayIndexOf("abc[3]"), 3);
    EXPECT_EQ(ArrayIndexOf("[3]abc"), 0);
    EXPECT_EQ(ArrayIndexOf("abc"), 0);
    EXPECT_EQ(ArrayElementPath("LD/X$A[7]$b", 120), "LD/X$A[120]$b");
    EXPECT_EQ(MakeDragKey("LD1", "a$b.c_d"), "LD1_a_b_c_d");
}

std::unique_ptr<CTreeModelRecord> Leaf(LPCSTR path, LPCSTR type, LPCSTR prefix = "LD1")
{
    auto record = std::make_unique<CTreeModelRecord>();
    record->dataPath = path;
    record->dataType = type;
    record->namePrefix = prefix;
    return record;
}

TEST(DropRows, LeavesBecomeRowsWithTheirTextsAndEntries)
{
    auto plain = Leaf("LLN0$ST$Mod$stVal", "Enum");
    auto wide = Leaf("GGIO1$ST$Cnt$stVal", "INT128");
    auto report = Leaf("GGIO1$ST$Ind1$stVal", "BOOLEAN");
    report->isControlBlock = 1;
    report->report.buffered = true;
    report->report.name = "brcb01";
    report->index = 1;
    auto goose = Leaf("GGIO1$ST$Ind2$stVal", "BOOLEAN");
    goose->isControlBlock = 1;
    goose->isGoose = 1;
    goose->goose.gocbRef = "LD1/LLN0$GO$gcb01";
    auto command = Leaf("CSWI1$CO$Pos$Oper$ctlVal", "BOOLEAN");
    command->isControl = 1;
    command->ctlModel = 0;
    command->ctlName = "Pos";

    CtlModelMap models;
    StoreCtlModel(models, "LD1", "LD1$CSWI1$Pos", 4);
    DropContext context;
    context.nameLimit = 43;
    context.ctlModels = &models;
    MappedRows list(1);
    list[0].tagName = "LD1_LLN0_ST_Mod_stVal";
    const MappedRows rows = MakeDropRows({{plain.get()}, {wide.get()}, {report.get()}, {goose.get()},
                                          {command.get()}, {plain.get()}},
                                         list, context);
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(rows[0].tagName, "LD1_LLN0_ST_Mod_stVal_001");
    EXPECT_EQ(rows[0].path, "LD1/LLN0$ST$Mod$stVal");
    EXPECT_EQ(rows[0].type, "Enum");
    EXPECT_EQ(rows[0].access, "R");
    EXPECT_EQ(rows[1].description, "BR/brcb01:GGIO1$ST$Ind1$stVal");
    EXPECT_TRUE(rows[1].entry.isReport);
    EXPECT_EQ(rows[1].entry.path.iIndex, 1);
    EXPECT_EQ(rows[2].description, "GOOSE/gcb01:GGIO1$ST$Ind2$stVal");
    EXPECT_TRUE(rows[2].entry.isGoose);
    EXPECT_EQ(rows[2].path, "LD1/GOOSE/gcb01:GGIO1$ST$Ind2$stVal");
    EXPECT_EQ(rows[1].path, "LD1/BR/brcb01:GGIO1$ST$Ind1$stVal");
    EXPECT_EQ(rows[3].access, "W");
    EXPECT_TRUE(rows[3].entry.isCommand);
    EXPECT_EQ(rows[3].entry.ctlModel, 4);
    EXPECT_EQ(rows[3].entry.command, "Pos");
    EXPECT_EQ(rows[4].tagName, "LD1_LLN0_ST_Mod_stVal_002");

    // A GOOSE row whose path the list holds is not added again.
    MappedRows withGoose = rows;
    EXPECT_TRUE(MakeDropRows({{goose.get()}}, withGoose, context).empty());
}

// A project with two IEDs and a Modbus device, its records freed at the end.
struct TwoIeds {
    _PROJECT project;
    _IED_DEVICE* first = nullptr;
    _IED_DEVICE* second = nullptr;
    CPLC_Device* modbus = nullptr;
    TwoIeds()
    {
        first = new _IED_DEVICE;
        second = new _IED_DEVICE;
        modbus = new CPLC_Device;
        modbus->WStartReg = "1";
        project.iedDevices.AddTail(first);
        project.iedDevices.AddTail(second);
        project.plcDevices.AddTail(modbus);
    }
    ~TwoIeds()
    {
        DeleteRecords(project.tags);
        DeleteRecords(project.tagMaps);
        DeleteRecords(project.fcdas);
        DeleteRecords(project.iedDevices);
        DeleteRecords(project.plcDevices);
    }
    std::vector<CString> TagMapNames() const
    {
        std::vector<CString> names;
        for (POSITION pos = project.tagMaps.GetHeadPosition(); pos != nullptr;)
            names.push_back(project.tagMaps.GetNext(pos)->tagName);
        return names;
    }
};

MappedRow PlainRow(LPCSTR path, LPCSTR name, LPCSTR type = "BOOLEAN")
{
    MappedRow row;
    row.path = path;
    row.tagName = name;
    row.type = type;
    row.access = "R";
    row.entry.namePrefix = "LD";
    return row;
}

TEST(IedMappingSave, EachIedKeepsExactlyItsTagsOverRepeatedSaves)
{
    TwoIeds p;
    const MappedRows firstRows = {PlainRow("A/LLN0$ST$x", "A_x"), PlainRow("A/CSWI1$CO$Pos$Oper", "A_cmd")};
    const MappedRows secondRows = {PlainRow("B/LLN0$ST$y", "B_y", "INT32")};
    SaveMessages messages;
    for (int round = 0; round < 2; ++round) {
        SaveIedMapping(p.project, *p.first, firstRows, {}, "a.icd", messages);
        SaveIedMapping(p.project, *p.second, secondRows, {}, "b.icd", messages);
    }
    EXPECT_TRUE(messages.texts.empty());
    EXPECT_EQ(p.TagMapNames(), (std::vector<CString>{"A_x", "A_cmd", "B_y"}));
    EXPECT_EQ(p.project.tags.GetCount(), 3);
    EXPECT_EQ(p.first->ConfiguredCache.size(), 2u);
    EXPECT_EQ(p.second->ConfiguredCache.size(), 1u);
    EXPECT_EQ(p.project.tagMaps.GetHead()->direction, "MTCP-->");
    EXPECT_EQ(p.project.tagMaps.GetHead()->dataType, "BOOLEAN");
    EXPECT_EQ(p.project.tagMaps.GetAt(p.project.tagMaps.FindIndex(1))->direction, "MTCP<--");
    // Modbus rows follow the tag map's read rows.
    ASSERT_EQ(p.modbus->configuredRows.size(), 2u);
    EXPECT_EQ(p.modbus->configuredRows[1], (CommandRow{kEnableOnDataChange, "B_y", "Write", "2", "0", "2",
                                                       "No Swap", ""}));

    // Saving an empty list leaves the IED without tags.
    SaveIedMapping(p.project, *p.first, {}, {}, "a.icd", messages);
    EXPECT_EQ(p.TagMapNames(), (std::vector<CString>{"B_y"}));
    EXPECT_TRUE(p.first->ConfiguredCache.empty());
}

// A row renamed to a name the other IED uses: each IED's Save removes only its own records, so both IEDs'
// stored rows keep naming records that exist.
TEST(IedMappingSave, ARowRenamedToAnotherIedsNameLeavesThatIedsRecords)
{
    TwoIeds p;
    _CFCDA member;
    member.FCDAPath = "GGIO1.ST.Ind1";
    const std::vector<_CFCDA*> members = {&member};
    MappedRow goose = PlainRow("B/GOOSE/gcb01:GGIO1$ST$Ind1$stVal", "shared");
    goose.entry.isReport = goose.entry.isGoose = true;
    goose.entry.path.isGOOSE = true;
    const MappedRows secondRows = {goose};
    SaveMessages messages;
    SaveIedMapping(p.project, *p.first, {PlainRow("A/LLN0$ST$x", "A_x")}, {}, "a.icd", messages);
    SaveIedMapping(p.project, *p.second, secondRows, members, "b.icd", messages);
    ASSERT_EQ(p.project.fcdas.GetCount(), 1);

    // Records as (name, path), in list order.
    using Keys = std::vector<std::pair<CString, CString>>;
    const auto keys = [](const auto& list) {
        Keys found;
        for (POSITION pos = list.GetHeadPosition(); pos != nullptr;) {
            const auto* record = list.GetNext(pos);
            found.emplace_back(record->tagName, record->tagPath);
        }
        return found;
    };
    const Keys both = {{"shared", goose.path}, {"shared", "A/LLN0$ST$x"}};
    // The first IED's row renamed to the second IED's tag name, then each IED saved again.
    SaveIedMapping(p.project, *p.first, {PlainRow("A/LLN0$ST$x", "shared")}, {}, "a.icd", messages);
    EXPECT_EQ(keys(p.project.tags), both);
    EXPECT_EQ(keys(p.project.tagMaps), both);
    EXPECT_EQ(keys(p.project.fcdas), (Keys{{"shared", goose.path}}));
    SaveIedMapping(p.project, *p.second, secondRows, members, "b.icd", messages);
    const Keys swapped = {both[1], both[0]};
    EXPECT_EQ(keys(p.project.tags), swapped);
    EXPECT_EQ(keys(p.project.tagMaps), swapped);
    EXPECT_EQ(keys(p.project.fcdas), (Keys{{"shared", goose.path}}));
    EXPECT_TRUE(messages.texts.empty());

    // Renamed again: the first IED's record of the shared name goes, the second IED's stays.
    SaveIedMapping(p.project, *p.first, {PlainRow("A/LLN0$ST$y", "A_y")}, {}, "a.icd", messages);
    EXPECT_EQ(keys(p.project.tagMaps), (Keys{{"shared", goose.path}, {"A_y", "A/LLN0$ST$y"}}));
    // A record of the first IED whose path its rows do not give (an older project) still goes with the
    // first IED's Save, as no other IED has a row of its name.
    p.project.tagMaps.GetTail()->tagPath = "A/elsewhere";
    SaveIedMapping(p.project, *p.first, {}, {}, "a.icd", messages);
    EXPECT_EQ(keys(p.project.tagMaps), (Keys{{"shared", goose.path}}));
    EXPECT_EQ(keys(p.project.tags), (Keys{{"shared", goose.path}}));
}

TEST(IedMappingSave, StringListsFollowTheRowKindsAndReadBack)
{
    TwoIeds p;
    MappedRow report = PlainRow("BR/brcb01:LD/GGIO1$ST$Ind1$stVal", "LD_GGIO1_ST_Ind1_stVal");
    report.entry.isReport = true;
    report.entry.path.isReport = true;
    report.entry.path.reportDataPath = "LLN0$BR$brcb01";
    MappedRow command = PlainRow("LD/CSWI1$CO$Pos$Oper$ctlVal", "LD_cmd", "BOOLEAN");
    command.access = "W";
    command.entry.isCommand = true;
    command.entry.ctlModel = 2;
    command.entry.command = "Pos";
    MappedRow wide = PlainRow("LD/MMTR1$ST$TotWh$actVal", "LD_arr[3]", "INT64");
    SaveMessages messages;
    SaveIedMapping(p.project, *p.first, {report, command, wide}, {}, "a.icd", messages);

    EXPECT_EQ(messages.texts, (std::vector<CString>{"ERROR: Unsupported data type INT64"}));
    const auto& lists = p.first->ConfiguredCache;
    ASSERT_EQ(lists.size(), 3u);
    EXPECT_EQ(lists[0], (Corvel::Records::ConfiguredRow{report.path, report.tagName, "BOOLEAN", "R", "", "LD",
                                                        "Report"}));
    EXPECT_EQ(lists[1], (Corvel::Records::ConfiguredRow{command.path, "LD_cmd", "BOOLEAN", "W", "", "LD", "Command",
                                                        "2", "Pos"}));
    EXPECT_EQ(lists[2].size(), 6u);
    const auto found = p.first->ReportsPath.find(report.path);
    ASSERT_NE(found, p.first->ReportsPath.end());
    EXPECT_EQ(found->second.tagUName, "LD_GGIO1_ST_Ind1_stVal");
    EXPECT_EQ(p.project.tagMaps.GetHead()->tagUName, "LD_GGIO1_ST_Ind1_stVal");

    // Opening reads the rows back, plain rows too (lists of fewer than 6 strings give none).
    p.first->ConfiguredCache.push_back({"LD/x", "LD_x", "BOOLEAN", "R", ""});
    const MappedRows loaded = LoadStoredRows(*p.first);
    ASSERT_EQ(loaded.size(), 3u);
    EXPECT_EQ(loaded[2].tagName, "LD_arr[3]");
    EXPECT_EQ(loaded[2].entry.arrayIndex, 3);
    EXPECT_TRUE(loaded[0].entry.isReport);
    EXPECT_EQ(loaded[0].entry.path.reportDataPath, "LLN0$BR$brcb01");
    EXPECT_EQ(loaded[1].entry.ctlModel, 2);
    EXPECT_EQ(loaded[1].entry.command, "Pos");
    EXPECT_EQ(OutOfBoundRow().tagName, "Out of Bound");
    // INT64 has no size on a connection.
    EXPECT_EQ(TotalDataSize(loaded), 2);
}

} // namespace

#include "corvel/model/iec_types.h"

#include <gtest/gtest.h>

#include "support/message_box_recorder.h"

namespace {

TEST(IecTypeTable, RowsAndSizes)
{
    const struct {
        const char* type;
        int registers;
        int elements;
        const char* elementType;
        int arrayDim;
        int bytes;
        const char* plcType;
    } cases[] = {
        {"INT128", 4, 4, "INT", 4, 4, "DINT"},
        {"Octet64", 32, 32, "INT", 32, 64, "INT"},
        {"VisString32", 51, 51, "INT", 0, 102, "STRING"},
        {"VisString255", 51, 51, "INT", 0, 102, "STRING"},
        {"FLOAT64", 4, 2, "REAL", 0, 8, "DREAL"},
        {"FLOAT32", 2, 1, "REAL", 0, 4, "REAL"},
        {"INT32U", 2, 1, "UDINT", 0, 4, "UDINT"},
        {"INT16", 2, 1, "INT", 0, 2, "INT"},
        {"INT8U", 1, 1, "INT", 0, 1, "UBYTE"},
        {"EntryTime", 2, 2, "INT", 0, 8, "DATETIME"},
        {"BitString", 1, 1, "INT", 0, 1, "UINT"},
        {"ENUMERATED", 0, 0, "", 0, 2, ""}, // a size but no conversion row
        {"CODED ENUM", 0, 0, "", 0, 2, ""},
    };
    CIecTypeTable table;
    for (const auto& c : cases) {
        CString registerType = "x";
        EXPECT_EQ(c.registers, table.GetRegisterCount(c.type, registerType)) << c.type;
        EXPECT_STREQ(c.elementType, registerType) << c.type;
        registerType = "x";
        EXPECT_EQ(c.elements, table.GetElementCount(c.type, registerType)) << c.type;
        EXPECT_STREQ(c.elementType, registerType) << c.type;
        EXPECT_EQ(c.arrayDim, table.GetArrayDimension(c.type)) << c.type;
        EXPECT_EQ(c.bytes, GetIecTypeSize(c.type)) << c.type;
        EXPECT_STREQ(c.plcType, table.GetPlcType(c.type)) << c.type;
    }
}

// The table shows nothing: an unknown type has no size, and the tag that has it reports it (TagRecord).
TEST(IecTypeTable, UnknownTypeHasNoSize)
{
    MessageBoxRecorder boxes;
    CIecTypeTable table;
    CString registerType = "x";
    EXPECT_EQ(0, table.GetRegisterCount("int32", registerType));
    EXPECT_STREQ("", registerType);
    EXPECT_EQ(-1, GetIecTypeSize("int32"));
    EXPECT_TRUE(boxes.Calls().empty());
}

TEST(IecTypeTable, PlcTypeNames)
{
    CStringArray names;
    CIecTypeTable::GetPlcTypeNames(names);
    const char* expected[] = {"BOOL", "BYTE", "INT", "WORD", "UINT", "UWORD", "DINT",
                              "REAL", "STRING", "UDINT", "TIME", "DATE", "DT"};
    ASSERT_EQ(13, names.GetSize());
    for (int i = 0; i < 13; ++i)
        EXPECT_STREQ(expected[i], names[i]);
}

} // namespace

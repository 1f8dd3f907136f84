// A tag's data: type codes, the display formats by the type's width and sign, and writing a typed value to the module.
#include "monitor_test_support.h"

#include <gmock/gmock.h>

namespace {

TEST(TagValues, TypeCodesFollowTheExactName)
{
    const struct {
        const char* name;
        bool isStructure;
        int code;
    } cases[] = {{"BOOL", false, kTagBool},   {"BYTE", false, kTagByte},       {"UBYTE", false, kTagUByte},
                 {"INT", false, kTagInt},     {"UINT", false, kTagUInt},       {"DINT", false, kTagDInt},
                 {"UDINT", false, kTagUDInt}, {"REAL", false, kTagReal},       {"DREAL", false, kTagDReal},
                 {"STRING", false, kTagString}, {"DATETIME", false, kTagDateTime}, {"SEMAPHONE", false, kTagSemaphone},
                 {"int", false, kTagOther},   {"Pair", true, kTagStructure},   {"STATUSIEC61850CNode", false, kTagOther}};
    for (const auto& c : cases)
        EXPECT_EQ(c.code, TagTypeCodeOf(c.name, c.isStructure)) << c.name;
}

TEST(TagValues, DisplayFormatsShowTheTypesWidth)
{
    const struct {
        int code;
        int format;
        const char* value;
        const char* shown;
    } cases[] = {
        {kTagDInt, kDisplayBinary, "-1", "11111111111111111111111111111111"},
        {kTagInt, kDisplayBinary, "-1", "1111111111111111"},
        {kTagUInt, kDisplayBinary, "5", "0000000000000101"},
        {kTagUDInt, kDisplayBinary, "4294967295", "11111111111111111111111111111111"},
        {kTagInt, kDisplayHex, "255", "0xff"},
        {kTagInt, kDisplayHex, "-1", "0xffff"},
        {kTagDInt, kDisplayHex, "-2", "0xfffffffe"},
        {kTagUDInt, kDisplayHex, "0", "0x0"},
        {kTagInt, kDisplayDecimal, "-7", "-7"},
        {kTagReal, kDisplayHex, "1.5", "1.5"},     // only the integers change
        {kTagInt, kDisplayHex, "abc", "abc"},      // no number: as it is
        {kTagInt, kDisplayBinary, "", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.shown, FormatTagValue(c.value, c.code, c.format)) << c.code << " " << c.format << " " << c.value;
}

TEST(TagValues, TypedTextConvertsByWidthAndSign)
{
    const struct {
        int code;
        int format;
        const char* typed;
        int result;
        const char* sent;
    } cases[] = {
        {kTagInt, kDisplayHex, "ff", 0, "255"},
        {kTagInt, kDisplayHex, "0xFFFF", 0, "-1"},
        {kTagUInt, kDisplayHex, "ffff", 0, "65535"},
        {kTagDInt, kDisplayHex, "0xfffffffe", 0, "-2"},
        {kTagInt, kDisplayHex, "10000", -997, ""},  // past 16 bits
        {kTagInt, kDisplayHex, "0x", -997, ""},
        {kTagInt, kDisplayHex, "fg", -997, ""},
        {kTagDInt, kDisplayBinary, "11111111111111111111111111111111", 0, "-1"},
        {kTagUDInt, kDisplayBinary, "11111111111111111111111111111111", 0, "4294967295"},
        {kTagInt, kDisplayBinary, "101", 0, "5"},
        {kTagInt, kDisplayBinary, "1000000000000000", 0, "-32768"},
        {kTagInt, kDisplayBinary, "10000000000000000", -997, ""}, // 17 digits
        {kTagInt, kDisplayBinary, "102", -997, ""},
        {kTagInt, kDisplayBinary, "", -997, ""},
        {kTagInt, kDisplayDecimal, "12", 0, "12"},
        {kTagReal, kDisplayDecimal, "1.25", 0, "1.25"},
    };
    for (const auto& c : cases) {
        CString sent;
        EXPECT_EQ(c.result, ParseTagInput(c.typed, c.code, c.format, sent)) << c.typed;
        if (c.result == 0) {
            EXPECT_EQ(c.sent, sent) << c.typed;
        }
    }
    // What binary and hexadecimal show of DINT -1 converts back to -1.
    for (int format : {kDisplayHex, kDisplayBinary}) {
        CString sent;
        EXPECT_EQ(0, ParseTagInput(FormatTagValue("-1", kTagDInt, format), kTagDInt, format, sent));
        EXPECT_EQ("-1", sent);
    }
}

TEST(TagValues, StatusNamesGainAndLoseTheirSuffix)
{
    EXPECT_EQ("N.nodeStatus", StatusRequestName("N", "STATUSIEC61850CNode"));
    EXPECT_EQ("N", StatusRequestName("N", "statusiec61850cnode"));
    EXPECT_EQ("B.noReconnects", StatusRequestName("B", "statusIEC61850CBase"));
    EXPECT_EQ("N", StripStatusSuffix("N.nodeStatus"));
    EXPECT_EQ("a.nodeStatus.b", StripStatusSuffix("a.nodeStatus.b"));
    EXPECT_EQ("B", StripStatusSuffix("B.noReconnects"));
    EXPECT_EQ("B.x", StripStatusSuffix("B.x.noReconnects"));
}

using TagWrite = MonitorClientTest;

TEST_F(TagWrite, TheTypedTextIsSentInDecimalAndShownInTheFormat)
{
    ASSERT_EQ(1, client.IsReachable(ModuleAddress()));
    ScratchTag tag;
    TagDefinition definition;
    definition.name = "Counter";
    definition.dataType = "INT";
    tag.Define(definition);
    tag.SetDisplayFormat(kDisplayHex);
    EXPECT_EQ(0, tag.WriteValue("ff", client));
    EXPECT_EQ("255", tag.GetValue());
    EXPECT_EQ("0xff", tag.texts[kColumnValue]);

    definition.name = "Offset";
    definition.dataType = "DINT";
    tag.Define(definition);
    tag.SetDisplayFormat(kDisplayBinary);
    tag.SetValue("-1");
    EXPECT_EQ(std::string(32, '1'), std::string(tag.texts[kColumnValue]));
    EXPECT_EQ(0, tag.WriteValue(tag.texts[kColumnValue], client));
    EXPECT_EQ(-997, tag.WriteValue("102", client));
    EXPECT_EQ("-1", tag.GetValue());

    EXPECT_EQ("trn=testconnectiontrn=settagvalue&tag=Counter&value=255trn=settagvalue&tag=Offset&value=-1",
              AllTextBytes());
}

TEST_F(TagWrite, AFailedWriteKeepsTheStoredValue)
{
    ASSERT_EQ(1, client.IsReachable(ModuleAddress()));
    ScratchTag tag;
    TagDefinition definition;
    definition.name = "Node";
    definition.dataType = "STATUSIEC61850CNode";
    tag.Define(definition);
    tag.SetValue("1");
    tag.SetDisplayFormat(kDisplayHex); // not for this type
    EXPECT_EQ(kDisplayDecimal, tag.GetDisplayFormat());
    Simulator().Fail("tcp", "refuse");
    EXPECT_EQ(-1000, tag.WriteValue("0", client));
    EXPECT_EQ("1", tag.GetValue());
    Simulator().Fail("tcp", "none");
    EXPECT_EQ(0, tag.WriteValue("0", client));
    EXPECT_NE(std::string::npos, AllTextBytes().find("trn=settagvalue&tag=Node.nodeStatus&value=0"));
}

} // namespace

#include "corvel/model/ctl_model_map.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(CtlModelMap, StoresOnlyRealControlModelsAndLookupEntersZero)
{
    CtlModelMap map;
    StoreCtlModel(map, "IED1LD0", "A$CO$Pos$Oper", 0);
    EXPECT_TRUE(map.empty());
    EXPECT_EQ(0, LookupCtlModel(map, "IED1LD0", "A$CO$Pos$Oper"));
    EXPECT_EQ(1u, map.size());
    StoreCtlModel(map, "IED1LD0", "A$CO$Pos$Oper", 2);
    EXPECT_EQ(2, LookupCtlModel(map, "IED1LD0", "A$CO$Pos$Oper"));
}

// The map is walked in the order of the key texts, domain + "|" + path: a domain that begins another one
// comes after it when the other's next character sorts before "|". A key read back whole is the same key.
TEST(CtlModelMap, KeysAreOrderedByTheirText)
{
    CtlModelMap map;
    StoreCtlModel(map, "IED1LD0", "A$CO$Pos", 1);
    StoreCtlModel(map, "IED1LD0X", "B$CO$Pos", 2);
    StoreCtlModel(map, "IED1LD0", "", 3);
    StoreCtlModel(map, "IED1LD0~", "C$CO$Pos", 4);
    std::vector<CString> texts;
    for (const auto& entry : map)
        texts.push_back(CtlModelKeyText(entry.first));
    EXPECT_EQ((std::vector<CString>{"IED1LD0", "IED1LD0X|B$CO$Pos", "IED1LD0|A$CO$Pos", "IED1LD0~|C$CO$Pos"}), texts);

    StoreCtlModel(map, "IED1LD0|A$CO$Pos", "", 4);
    EXPECT_EQ(4u, map.size());
    EXPECT_EQ(4, LookupCtlModel(map, "IED1LD0", "A$CO$Pos"));
}

TEST(CtlModelMap, FindCtlModelTextForTag)
{
    CtlModelMap map;
    EXPECT_STREQ("0", FindCtlModelTextForTag(map, "IED1LD0", "X_Q0XCBR1$CO$Pos$Oper"));
    StoreCtlModel(map, "IED1LD0", "Q0XCBR1$CO$Pos$Oper", 4);
    map[{"IED1LD0", "Q0XCBR1$CO$Pos$Cancel"}] = 0;
    const struct {
        const char* domain;
        const char* tag;
        const char* text;
    } cases[] = {
        {"IED1LD0", "X_Q0XCBR1$CO$Pos$Oper", "4"},
        {"IED1LD0X", "X_Q0XCBR1$CO$Pos$Oper", "4"}, // the domain begins with the key's domain
        {"IED1LD", "X_Q0XCBR1$CO$Pos$Oper", "0"},
        {"IED1LD0", "X_Q0XCBR1$CO$Pos$Cancel", "0"}, // the only matching key holds 0
        {"IED1LD0", "X_Q0XCBR1$CO$Pos$Oper$ctlVal", "0"},
        {"IED1LD0", "Q0XCBR1$CO$Pos$Oper", "4"}, // without "_" the whole text is the path
        {"IED1LD0", "X_Y_Q0XCBR1$CO$Pos$Oper", "0"}, // only the text before the first "_" is cut
    };
    for (const auto& c : cases)
        EXPECT_STREQ(c.text, FindCtlModelTextForTag(map, c.domain, c.tag)) << c.domain << " " << c.tag;

    // Keys are tried in the order of their texts: "IED1LD0|..." comes before "IED1|..." ("L" sorts before "|"),
    // and the first that matches decides.
    StoreCtlModel(map, "IED1", "Q0XCBR1$CO$Pos$Oper", 1);
    EXPECT_STREQ("4", FindCtlModelTextForTag(map, "IED1LD0", "X_Q0XCBR1$CO$Pos$Oper"));
    StoreCtlModel(map, "IED1LD0", "Q0XCBR1$CO$Pos$Oper", 0);
    map[{"IED1LD0", "Q0XCBR1$CO$Pos$Oper"}] = 0;
    EXPECT_STREQ("1", FindCtlModelTextForTag(map, "IED1LD0", "X_Q0XCBR1$CO$Pos$Oper"));
}

TEST(CtlModelMap, RemoveIedCtlModelsErasesKeysHoldingTheName)
{
    CtlModelMap map;
    StoreCtlModel(map, "IED1LD0", "A$CO$Pos$Oper", 1);
    StoreCtlModel(map, "IED2LD0", "A$CO$Pos$Oper", 2);
    StoreCtlModel(map, "", "IED1LD0$LLN0$Pos", 3);
    RemoveIedCtlModels(map, "IED1");
    ASSERT_EQ(1u, map.size());
    EXPECT_EQ(2, map.begin()->second);
}

TEST(CtlModelMap, FindCtlModelTextTakesExactKeysThenTheLongestPrefixThenFlatNames)
{
    CtlModelMap map;
    map[{"IED1LD0", "CSWI1$CO$Pos"}] = 2;
    map[{"IED2LD0_CSWI1$CO", ""}] = 1;
    map[{"IED2LD0_CSWI1$CO$Pos$Oper", ""}] = 4;
    map[{"IED3LD0_CSWI1_CO_Pos", ""}] = 3;
    map[{"IED1LD0_XCBR1", ""}] = 0;
    const struct {
        const char* key;
        const char* expected;
    } cases[] = {
        {"IED1LD0|CSWI1$CO$Pos", "2"},
        {"IED1LD0_CSWI1$CO$Pos$Oper$ctlVal", "2"},
        {"IED2LD0_CSWI1$CO$Pos$Oper$ctlVal", "4"},
        {"IED2LD0_CSWI1$CO$Mod", "1"},
        {"IED3LD0_CSWI1$CO$Pos$Oper$ctlVal", "3"},
        {"IED1LD0_XCBR1$CO$Pos", "-"},
        {"IED9LD0_CSWI1$CO$Pos", "-"},
    };
    for (const auto& c : cases)
        EXPECT_STREQ(c.expected, FindCtlModelText(map, c.key, "-")) << c.key;
    EXPECT_STREQ("-", FindCtlModelText({}, "IED1LD0_CSWI1$CO$Pos", "-"));
}

TEST(CtlModelMap, IndexFindsFlatNamesExactlyAndTheFirstEntryOfAName)
{
    CtlModelMap map;
    map[{"IED1LD0", "CSWI1$CO$Pos"}] = 2;
    map[{"IED1LD0", "CSWI1_CO$Pos"}] = 3; // the same flat name, later in key order
    map[{"IED1LD0", "GGIO1$CO$SPCSO1"}] = 0;
    const CCtlModelIndex index(map);
    EXPECT_STREQ("2", index.FindFlat("IED1LD0_CSWI1_CO_Pos", "-"));
    EXPECT_STREQ("-", index.FindFlat("IED1LD0_CSWI1_CO_Pos_Oper", "-"));
    EXPECT_STREQ("-", index.FindFlat("IED1LD0_GGIO1_CO_SPCSO1", "-"));
    EXPECT_STREQ("3", index.Find("IED1LD0|CSWI1_CO$Pos$Oper", "-"));
}

} // namespace

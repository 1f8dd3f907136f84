#include "corvel/model/scl_model.h"

#include <gtest/gtest.h>

namespace {

TEST(SclObjectMap, SecondObjectUnderAnIdReplacesTheFirstAndStaysValid)
{
    CSclObjectMap map;
    CLNodeType* first = map.AddLNodeType("LN1", "XCBR");
    CLNodeType* second = map.AddLNodeType("LN1", "XSWI");
    EXPECT_EQ(second, map.FindSclObject("LN1"));
    EXPECT_EQ(1, map.GetCount());
    // A displaced record may still be referenced; it lives as long as the map.
    EXPECT_STREQ("XCBR", first->lnClass);
}

TEST(SclObjectMap, AbsentKeyLeavesANullEntryThatWalksSkip)
{
    CSclObjectMap map;
    map.AddDOType("DO1");
    EXPECT_EQ(nullptr, map.FindSclObject("missing"));
    EXPECT_EQ(2, map.GetCount());
    EXPECT_EQ(1, map.GetObjectCount());
}

TEST(SclModel, NewAttributeHasUnknownControlModelUntilSet)
{
    CSclObjectMap map;
    CDOType* type = map.AddDOType("DPC");
    CDO_DA* oper = type->AddDA("Oper", "Struct", "OperT", "CO", "0");
    CDO_DA* stVal = type->AddDA("stVal", "Dbpos", "", "ST", "0");
    EXPECT_EQ(-1, oper->ctlModel);
    type->SetCtlModel(4);
    EXPECT_EQ(4, oper->ctlModel);
    EXPECT_EQ(4, stVal->ctlModel);
}

TEST(SclModel, IsSameOrBelowPath)
{
    const struct {
        const char* parent;
        const char* path;
        int expected;
    } cases[] = {
        {"", "anything", 0},
        {"mag", "mag", 0},
        {"mag", "mag.f", 0},
        {"mag", "magnitude", -1},
        {"mag.f", "mag", -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, IsSameOrBelowPath(c.parent, c.path)) << c.parent << " / " << c.path;
}

class IedModelFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        model.iedName = "IED01";
        CLD* device = model.AddLD("LD0");
        CLN* node = device->AddLN("METMMXU1");
        CLnDataEntry* totW = node->AddDataEntry("TotW");
        totW->AddDataItem("IED01LD0", "METMMXU1$MX$TotW$mag$f", "MX", "mag.f", "FLOAT32");
        totW->AddDataItem("IED01LD0", "METMMXU1$MX$TotW$q", "MX", "q", "Quality");
        totW->AddDataItem("IED01LD0", "METMMXU1$CF$TotW$db", "CF", "db", "INT32U");
        CLnDataEntry* hz = node->AddDataEntry("Hz");
        hz->AddDataItem("IED01LD0", "METMMXU1$MX$Hz$mag$f", "MX", "mag.f", "FLOAT32");
    }

    CIedModel model;
};

TEST_F(IedModelFixture, ContainsDataPathStripsTheIedName)
{
    EXPECT_TRUE(model.ContainsDataPath("IED01LD0", "METMMXU1$MX$TotW$q"));
    EXPECT_TRUE(model.ContainsDataPath("LD0", "METMMXU1$MX$Hz$mag$f"));
    EXPECT_FALSE(model.ContainsDataPath("IED01LD0", "METMMXU1$MX$TotW$mag"));
    EXPECT_FALSE(model.ContainsDataPath("IED01LD1", "METMMXU1$MX$TotW$q"));
    EXPECT_FALSE(model.ContainsDataPath("IED01LD0", "METMMXU2$MX$TotW$q"));
}

TEST_F(IedModelFixture, CollectFcdaItems)
{
    const struct {
        const char* doName;
        const char* daName;
        const char* fc;
        size_t expected;
    } cases[] = {
        {"TotW", "", "MX", 2},    // the whole object for one fc
        {"TotW", "mag", "MX", 1}, // an attribute and everything below it
        {"", "", "MX", 3},        // every object of the node
        {"TotW", "", "ST", 0},
        {"TotW.mag", "f", "MX", 1}, // a dotted object name moves into the attribute
    };
    for (const auto& c : cases) {
        std::vector<_DATA_ITEM> items;
        model.CollectFcdaItems(items, "LD0", "MET", "MMXU", "1", c.doName, c.daName, c.fc);
        EXPECT_EQ(c.expected, items.size()) << c.doName << " " << c.daName << " " << c.fc;
    }
}

TEST(SclModel, AddFcdaFormsTheNodeNames)
{
    CDataSet dataSet;
    _CFCDA* member = dataSet.AddFCDA("Pos", "stVal", "LD0", "Q0", "1", "XCBR", "ST");
    EXPECT_STREQ("Q0XCBR1", member->lnName);
    EXPECT_STREQ("Q0Pos1", member->prefixDoInst);
    EXPECT_EQ(1, dataSet.members.GetSize());
}

} // namespace

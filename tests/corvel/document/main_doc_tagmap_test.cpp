// The document's tag map, control-model map and file helpers, without windows.
#include "corvel/document/main_doc.h"

#include "support/paths.h"

#include <gtest/gtest.h>

namespace {

TEST(MainDocTagMap, SanitizeTagName)
{
    const struct {
        const char* name;
        const char* cleaned;
    } cases[] = {
        {"Feeder-1 (A)", "Feeder_1__A_"},
        {"a--b", "a_b"},  // "-" first, then "__" is folded
        {"a b.c/d\\e", "a_b_c_d_e"},
        {"x$y[1]", "x_y_1_"},
        {"Plain_Name", "Plain_Name"},
    };
    for (const auto& c : cases)
        EXPECT_STREQ(c.cleaned, CMainDoc::SanitizeTagName(c.name)) << c.name;
}

TEST(MainDocTagMap, ControlModels)
{
    CMainDoc doc;
    EXPECT_STREQ("0", doc.FindCtlModelTextForTag("IED1LD0", "X_Q0XCBR1$CO$Pos$Oper"));
    doc.SetCtlModel("IED1LD0", "Q0XCBR1$CO$Pos$Oper", 4);
    doc.SetCtlModel("IED1LD0", "Q0XCBR1$CO$Pos$Cancel", 0);
    EXPECT_STREQ("4", doc.FindCtlModelTextForTag("IED1LD0", "X_Q0XCBR1$CO$Pos$Oper"));
    EXPECT_EQ(0, doc.GetCtlModel("IED1LD0", "Q0XCBR1$CO$Pos$Cancel"));
    EXPECT_EQ(2u, doc.ctlModelMap.size()); // the lookup left its key behind
    doc.ClearCtlModelMap();
    EXPECT_EQ(2u, doc.ctlModelMap.size());
    doc.RemoveIedCtlModels("IED1");
    EXPECT_TRUE(doc.ctlModelMap.empty());
}

TEST(MainDocTagMap, WithoutACurrentDeviceTheRebuiltListsStayEmpty)
{
    CMainDoc doc;
    CMainDoc::_IED_DEVICE device;
    device.state = Corvel::Records::kSlotInUse;
    device.devNum = 1066;
    device.ConfiguredCache.push_back({"Q0XCBR1$CO$Pos$Oper$ctlVal", "T1", "BOOLEAN", "W"});
    doc.project.iedDevices.AddTail(&device);
    doc.RebuildTagList();
    doc.RebuildTagMap();
    EXPECT_TRUE(doc.project.tags.IsEmpty());
    EXPECT_TRUE(doc.project.tagMaps.IsEmpty());
    EXPECT_EQ(0, doc.CountTagMapRegisters());
    doc.project.iedDevices.RemoveAll();
}

TEST(MainDocTagMap, TagMapCountersAndConnections)
{
    CMainDoc doc;
    const struct {
        const char* path;
        const char* type;
        const char* direction;
    } rows[] = {
        {"GGIO1$MX$AnIn1$mag$f", "FLOAT64", "MTCP-->"},
        {"GGIO1$ST$Ind1$stVal", "INT32", "MTCP-->"},
        {"CSWI1$CO$Pos$Oper$ctlVal", "BOOLEAN", "MTCP<--"},
        {"X$SP$y", "Enum", "other"},
    };
    for (const auto& r : rows) {
        auto* row = new CMainDoc::_TAGSMAP;
        row->tagPath = r.path;
        row->dataType = r.type;
        row->direction = r.direction;
        doc.project.tagMaps.AddTail(row);
    }
    int readTags = 1, writeTags = 0, readElements = 0, writeElements = 0;
    doc.BuildMtcpTagLists(readTags, writeTags, readElements, writeElements);
    EXPECT_EQ(3, readTags); // added to, not reset
    EXPECT_EQ(1, writeTags);
    EXPECT_EQ(2 + 2, readElements);
    EXPECT_EQ(1, writeElements);
    Corvel::Records::DeleteRecords(doc.project.tagMaps);

    CMainDoc::_TAGS tag;
    tag.tagName = "T1";
    tag.tagPath = "P1";
    tag.dataType = "INT32";
    tag.Conn = 0;
    doc.tagsOUT.AddTag(tag);
    tag.tagName = "T2";
    doc.tagsOUT.AddTag(tag);
    tag.tagName = "T3";
    doc.tagsMSG.AddTag(tag);
    EXPECT_TRUE(doc.RemoveTagFromConnections("T3"));
    EXPECT_FALSE(doc.RemoveTagFromConnections("T3"));
    doc.RemoveDeviceTagsFromConnections({{"P1", "T1", "INT32", "R"}});
    ASSERT_EQ(1, doc.tagsOUT.GetCount());
    EXPECT_EQ(0, doc.tagsOUT.GetAt(0)->StartAddr);
    EXPECT_EQ(4, doc.tagsOUT.GetUsedSize(0));

    auto* assigned = new CMainDoc::_TAGS(tag);
    assigned->Assigned = true;
    assigned->SeqNum = 5;
    doc.project.tags.AddTail(assigned);
    EXPECT_TRUE(doc.ClearTagAssignment(tag));
    EXPECT_FALSE(assigned->Assigned);
    EXPECT_EQ(0, assigned->SeqNum);
    tag.tagPath = "other";
    EXPECT_FALSE(doc.ClearTagAssignment(tag));
    Corvel::Records::DeleteRecords(doc.project.tags);

    doc.fileListB.Add("a.icd");
    doc.fileListB.Add("A.icd");
    doc.RemoveFileName("A.icd");
    ASSERT_EQ(1, doc.fileListB.GetSize());
    EXPECT_STREQ("a.icd", doc.fileListB[0]);
}

} // namespace

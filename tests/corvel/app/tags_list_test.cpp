#include "corvel/app/tags_list.h"

#include <gtest/gtest.h>

#include "support/expect_exception.h"
#include "support/message_box_recorder.h"

using Corvel::Records::_TAGS;
using Corvel::Records::CVQNTagsList;
using Corvel::Records::kConnectionCount;

namespace {

_TAGS MakeTag(LPCSTR name, int conn, int startAddr = 7)
{
    _TAGS tag;
    tag.tagName = name;
    tag.tagUName = CString(name) + "_u";
    tag.tagPath = CString("LD0/") + name;
    tag.dataType = "INT32";
    tag.Access = "R";
    tag.Conn = conn;
    tag.StartAddr = startAddr;
    tag.SeqNum = 4;
    tag.tagType = Corvel::Records::kTagTypeReport;
    return tag;
}

// A list with tags A (conn 0), B (conn 1), C (conn 0).
class TagsListTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        list.AddTag(MakeTag("A", 0));
        list.AddTag(MakeTag("B", 1));
        list.AddTag(MakeTag("C", 0));
    }
    CVQNTagsList list;
};

TEST(TagRecord, DefaultsAndTypeSize)
{
    _TAGS tag;
    EXPECT_EQ(-1, tag.Conn);
    EXPECT_EQ(-1, tag.StartAddr);
    EXPECT_EQ(0, tag.SeqNum);
    EXPECT_FALSE(tag.Assigned);

    tag.dataType = "FLOAT64";
    EXPECT_EQ(8, tag.GetTypeSize());
    MessageBoxRecorder boxes;
    tag.dataType = "float64";
    EXPECT_EQ(-1, tag.GetTypeSize());
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_STREQ("ERROR: Unsupported data type: 'float64'", boxes.Last().text);
}

TEST_F(TagsListTest, AddTagCopiesAllButUniqueNameAndMarksAssigned)
{
    ASSERT_EQ(3, list.GetCount());
    const _TAGS* b = list.GetAt(1);
    EXPECT_STREQ("B", b->tagName);
    EXPECT_STREQ("", b->tagUName);
    EXPECT_TRUE(b->Assigned);
    EXPECT_EQ(1, b->Conn);
    EXPECT_EQ(7, b->StartAddr);
    EXPECT_EQ(4, b->SeqNum);
    EXPECT_STREQ("LD0/B", b->tagPath);
    EXPECT_STREQ("R", b->Access);
    EXPECT_EQ(Corvel::Records::kTagTypeReport, b->tagType);
}

TEST_F(TagsListTest, FindContainsAndRemoveAreCaseSensitive)
{
    EXPECT_EQ(list.GetAt(2), list.FindTag("C"));
    EXPECT_EQ(nullptr, list.FindTag("c"));
    EXPECT_EQ(nullptr, list.FindTag("D"));
    EXPECT_TRUE(list.ContainsTag("A"));
    EXPECT_FALSE(list.ContainsTag("a"));

    EXPECT_FALSE(list.RemoveTag("b"));
    EXPECT_EQ(3, list.GetCount());
    EXPECT_TRUE(list.RemoveTag("B"));
    ASSERT_EQ(2, list.GetCount());
    EXPECT_STREQ("A", list.GetAt(0)->tagName);
    EXPECT_STREQ("C", list.GetAt(1)->tagName);
    EXPECT_FALSE(list.RemoveTag("B"));
}

TEST_F(TagsListTest, RemoveTakesOnlyTheFirstOfTwoEqualNames)
{
    list.AddTag(MakeTag("A", 5));
    EXPECT_TRUE(list.RemoveTag("A"));
    ASSERT_NE(nullptr, list.FindTag("A"));
    EXPECT_EQ(5, list.FindTag("A")->Conn);
}

TEST_F(TagsListTest, CountsTagsPerConnection)
{
    EXPECT_EQ(2, list.CountTagsInConnection(0));
    EXPECT_EQ(1, list.CountTagsInConnection(1));
    EXPECT_EQ(0, list.CountTagsInConnection(2));
    EXPECT_EQ(0, list.CountTagsInConnection(-1));
}

TEST_F(TagsListTest, NumberTagsGivesOneTwoThreeWhateverTheyHeld)
{
    list.GetAt(0)->StartAddr = 40;
    list.GetAt(1)->StartAddr = -1;
    list.NumberTags();
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(i + 1, list.GetAt(i)->StartAddr);
}

TEST_F(TagsListTest, RemoveAllEmptiesTheListAndTheUsedSizes)
{
    for (int conn = 0; conn < kConnectionCount; ++conn)
        list.SetUsedSize(conn, 10 + conn);
    list.RemoveAll();
    EXPECT_EQ(0, list.GetCount());
    for (int conn = 0; conn < kConnectionCount; ++conn)
        EXPECT_EQ(0, list.GetUsedSize(conn)) << conn;
}

TEST(TagsList, UsedSizeOutsideTheConnectionsIsRefused)
{
    CVQNTagsList list;
    for (int conn : {-1, kConnectionCount})
        EXPECT_TRUE(ThrowsFrameworkException<CInvalidArgException>([&] { list.GetUsedSize(conn); })) << conn;
}

} // namespace

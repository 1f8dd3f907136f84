#include "corvel/model/tags_list.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "support/expect_exception.h"
#include "support/message_box_recorder.h"
#include "support/noted_messages.h"

using Corvel::Records::_TAGS;
using Corvel::Records::CTagPackingHost;
using Corvel::Records::CVQNSortingList;
using Corvel::Records::CVQNTagsList;
using Corvel::Records::kConnectionCount;
using Corvel::Records::kInputConnectionSize;
using Corvel::Records::kOutputConnectionSize;

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
    EXPECT_STREQ("ERROR: Unsupported data type: 'float64'", tag.UnsupportedTypeText());
    EXPECT_EQ(0u, boxes.Count());
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

// The document's side of the packing, recorded.
class FakePackingHost : public CTagPackingHost {
public:
    int GetConnectionLimit() const override { return limit; }
    bool FirstNotEnoughSpaceNotice() override { return !std::exchange(noticed, true); }
    void ClearTagAssignment(const _TAGS& tag) override { cleared.push_back(std::string(tag.tagName)); }

    int limit = kConnectionCount;
    bool noticed = false;
    std::vector<std::string> cleared;
};

_TAGS PackTag(LPCSTR name, LPCSTR dataType, LPCSTR access, LPCSTR path = nullptr)
{
    _TAGS tag;
    tag.tagName = name;
    tag.tagPath = path != nullptr ? CString(path) : CString("LD0/") + name;
    tag.dataType = dataType;
    tag.Access = access;
    return tag;
}

// Names of the list's tags with their connection and start address: "A@0+4".
std::vector<std::string> Placement(const CVQNTagsList& list)
{
    std::vector<std::string> placed;
    for (INT_PTR i = 0; i < list.GetCount(); ++i) {
        const _TAGS& tag = *list.GetAt(i);
        placed.push_back(std::string(tag.tagName) + "@" + std::to_string(tag.Conn) + "+" +
                         std::to_string(tag.StartAddr));
    }
    return placed;
}

// The list notes its messages and opens no box.
class TagPacking : public ::testing::Test {
protected:
    void SetUp() override { list.SetPackingHost(&host); }
    void TearDown() override { EXPECT_EQ(0u, boxes.Count()); }

    FakePackingHost host;
    CVQNTagsList list;
    NotedMessages<CVQNTagsList> noted{list};
    MessageBoxRecorder boxes;
};

// Inputs ("R" or "r") have 500 bytes a connection, outputs 496.
TEST_F(TagPacking, PlaceTagUsesTheCapacityOfTheTagsDirection)
{
    const struct {
        const char* access;
        int used;
        bool fits;
    } cases[] = {
        {"R", 496, true}, {"r", 496, true}, {"W", 494, false}, {"W", 492, true}, {"R", 497, false}, {"", 492, true},
    };
    for (const auto& c : cases) {
        list.SetUsedSize(0, c.used);
        for (int conn = 1; conn < kConnectionCount; ++conn)
            list.SetUsedSize(conn, kInputConnectionSize);
        _TAGS tag = PackTag("T", "INT32", c.access);
        tag.Assigned = true;
        tag.SeqNum = 6;
        int conn = 0, start = -1;
        EXPECT_EQ(c.fits, list.PlaceTag(tag, conn, start)) << c.access << " " << c.used;
        if (c.fits) {
            EXPECT_EQ(c.used, start);
            EXPECT_EQ(0, tag.Conn);
            EXPECT_EQ(c.used, tag.StartAddr);
        } else {
            EXPECT_FALSE(tag.Assigned);
            EXPECT_EQ(-1, tag.Conn);
            EXPECT_EQ(0, tag.SeqNum);
        }
    }
    // The space message came once, for the first tag that found no room.
    ASSERT_EQ(1u, noted.Count());
    EXPECT_STREQ("Not enough space for one or more tags to be assigned.", noted.Last().what);
}

TEST_F(TagPacking, PlaceTagMovesOnToALaterConnectionWithinTheLimit)
{
    host.limit = 10;
    for (int conn = 0; conn < 3; ++conn)
        list.SetUsedSize(conn, 498);
    _TAGS tag = PackTag("T", "INT32", "R");
    int conn = 1, start = 0;
    ASSERT_TRUE(list.PlaceTag(tag, conn, start));
    EXPECT_EQ(3, conn);
    EXPECT_EQ(0, start);

    // Connections from the limit on are not used, though their sizes are 0.
    for (int c = 0; c < 10; ++c)
        list.SetUsedSize(c, kInputConnectionSize);
    conn = 0;
    EXPECT_FALSE(list.PlaceTag(tag, conn, start));
}

// An unknown type has no size: the tag is noted by the type lookup and not placed.
TEST_F(TagPacking, TagsOfUnknownTypeAreReportedAndLeftOut)
{
    _TAGS tag = PackTag("T", "NoSuchType", "R");
    int conn = 0, start = 0;
    EXPECT_FALSE(list.PlaceTag(tag, conn, start));
    ASSERT_EQ(1u, noted.Count());
    EXPECT_STREQ("ERROR: Unsupported data type: 'NoSuchType'", noted.Last().what);

    CVQNSortingList records;
    records.Add(PackTag("U", "NoSuchType", "R"));
    records.Add(PackTag("V", "INT32", "R"));
    list.AssignTag(records, kInputConnectionSize, 0, true);
    EXPECT_THAT(Placement(list), ::testing::ElementsAre("V@0+0"));

    // A stored tag of unknown type does not shrink its connection's size.
    _TAGS stored = PackTag("W", "NoSuchType", "R");
    stored.Conn = 0;
    stored.StartAddr = 4;
    list.AddTag(stored);
    list.ComputeConnectionSizes();
    EXPECT_EQ(4, list.GetUsedSize(0));
}

// Connection numbers come from files: one outside 0 to 19 never indexes the sizes; it is reported.
TEST_F(TagPacking, ConnectionNumbersOutsideTheConnectionsAreReportedAndSkipped)
{
    for (int conn : {0, 20, -7, 1000000, -1}) {
        _TAGS tag = PackTag("T", "INT32", "R");
        tag.tagName.AppendFormat("%d", conn);
        tag.Conn = conn;
        tag.StartAddr = 8;
        list.AddTag(tag);
    }
    list.ComputeConnectionSizes();
    EXPECT_EQ(12, list.GetUsedSize(0));
    ASSERT_EQ(1u, noted.Count());
    EXPECT_STREQ("Error: 3 tag(s) with a connection number outside 0 to 19 were left out, the first being 'T20' "
                 "with connection 20.",
                 noted.Last().what);
    list.AssignStartAddresses();
    EXPECT_EQ(4, list.GetUsedSize(0));
    EXPECT_EQ(0, list.GetAt(0)->StartAddr);
    EXPECT_EQ(8, list.GetAt(1)->StartAddr);
    EXPECT_EQ(2u, noted.Count());
}

TEST_F(TagPacking, ConnectionSizesAndStartAddressesFollowTheTags)
{
    const struct {
        const char* name;
        int conn;
        int start;
        const char* type;
        bool assigned;
    } tags[] = {{"A", 0, 0, "INT32", true},  {"B", 0, 4, "FLOAT64", true}, {"", 0, 40, "INT32", true},
                {"C", 1, 100, "BOOLEAN", true}, {"D", 2, 300, "INT32", false}, {"E", 3, 7, "", true}};
    for (const auto& t : tags) {
        _TAGS tag = PackTag(t.name, t.type, "R");
        tag.Conn = t.conn;
        tag.StartAddr = t.start;
        list.AddTag(tag)->Assigned = t.assigned;
    }
    list.ComputeConnectionSizes();
    EXPECT_EQ(44, list.GetUsedSize(0));
    EXPECT_EQ(101, list.GetUsedSize(1));
    EXPECT_EQ(0, list.GetUsedSize(2)); // not assigned
    EXPECT_EQ(0, list.GetUsedSize(3)); // no type

    // Named tags are packed from 0 in list order; the unnamed one keeps its
    // address, and so does the one without a type, which is reported.
    list.AssignStartAddresses();
    EXPECT_THAT(Placement(list), ::testing::ElementsAre("A@0+0", "B@0+4", "@0+40", "C@1+0", "D@2+0", "E@3+7"));
    ASSERT_EQ(1u, noted.Count());
    EXPECT_STREQ("ERROR: Unsupported data type: ''", noted.Last().what);
    EXPECT_EQ(12, list.GetUsedSize(0));
    EXPECT_EQ(1, list.GetUsedSize(1));
    EXPECT_EQ(4, list.GetUsedSize(2));
}

TEST_F(TagPacking, FirstEmptyConnection)
{
    EXPECT_EQ(0, list.FirstEmptyConnection());
    list.SetUsedSize(0, 4);
    list.SetUsedSize(1, 4);
    EXPECT_EQ(2, list.FirstEmptyConnection());
    for (int conn = 0; conn < kConnectionCount; ++conn)
        list.SetUsedSize(conn, 1);
    EXPECT_EQ(kConnectionCount, list.FirstEmptyConnection());
}

TEST_F(TagPacking, RemoveTagsFromSequenceTakesTheLastAssigned)
{
    for (int seq = 1; seq <= 5; ++seq) {
        _TAGS tag = PackTag("", "INT32", "R");
        tag.tagName.Format("T%d", seq);
        tag.SeqNum = seq;
        tag.Conn = 0;
        tag.StartAddr = 4 * (seq - 1);
        list.AddTag(tag);
    }
    EXPECT_EQ(3, list.RemoveTagsFromSequence(3));
    EXPECT_THAT(Placement(list), ::testing::ElementsAre("T1@0+0", "T2@0+4"));
    EXPECT_THAT(host.cleared, ::testing::ElementsAre("T3", "T4", "T5"));
    EXPECT_EQ(8, list.GetUsedSize(0));

    CVQNTagsList empty;
    EXPECT_EQ(0, empty.RemoveTagsFromSequence(1));
}

// Groups of one path that need 500 bytes or more start in the first empty connection.
TEST_F(TagPacking, SortedGroupsArePackedTogether)
{
    list.SetUsedSize(0, 12);
    list.SetUsedSize(1, 4);
    CVQNSortingList sorted;
    sorted.Add(PackTag("small1", "INT32", "R", "LD0/a"));
    sorted.Add(PackTag("small2", "INT32", "R", "LD0/a"));
    for (int i = 0; i < 125; ++i) // 125 x 4 = 500 bytes
        sorted.Add(PackTag("big", "INT32", "R", "LD0/b"));
    sorted.Add(PackTag("last", "FLOAT64", "R", "LD0/c"));
    list.AssignSortedTags(sorted);

    ASSERT_EQ(128, list.GetCount());
    EXPECT_EQ("small1@0+12", Placement(list)[0]);
    EXPECT_EQ("small2@0+16", Placement(list)[1]);
    EXPECT_EQ("big@2+0", Placement(list)[2]);
    EXPECT_EQ("big@2+496", Placement(list)[126]);
    EXPECT_EQ("last@0+20", Placement(list)[127]);
    EXPECT_TRUE(list.GetAt(127)->Assigned);
    EXPECT_EQ(500, list.GetUsedSize(2));
    EXPECT_EQ(28, list.GetUsedSize(0));
    EXPECT_EQ(0u, noted.Count());

    // No empty connection left: the large group is refused as a whole.
    for (int conn = 0; conn < kConnectionCount; ++conn)
        list.SetUsedSize(conn, 1);
    CVQNSortingList group;
    for (int i = 0; i < 125; ++i)
        group.Add(PackTag("more", "INT32", "R", "LD0/d"));
    list.AssignSortedTags(group);
    EXPECT_EQ(128, list.GetCount());
    ASSERT_EQ(1u, noted.Count());
    EXPECT_STREQ("Too many tags!", noted.Last().what);
}

TEST_F(TagPacking, AssignTagFillsAConnectionAndMovesOnWhenAllowed)
{
    // An empty list: the first tag starts at 0, assigned.
    CVQNSortingList first;
    first.Add(PackTag("A", "VisString255", "W"));
    list.AssignTag(first, kOutputConnectionSize, 1, false);
    EXPECT_THAT(Placement(list), ::testing::ElementsAre("A@1+0"));
    EXPECT_TRUE(list.GetAt(0)->Assigned);
    EXPECT_EQ(102, list.GetUsedSize(1));

    // Connection 0 goes before connection 1; each tag follows the last of its connection.
    CVQNSortingList more;
    more.Add(PackTag("B", "INT32", "W"));
    list.AssignTag(more, kOutputConnectionSize, 0, false);
    more.RemoveAll();
    for (LPCSTR name : {"C", "D", "E", "F", "G"})
        more.Add(PackTag(name, "VisString255", "W"));
    list.AssignTag(more, kOutputConnectionSize, 1, true);
    EXPECT_THAT(Placement(list), ::testing::ElementsAre("B@0+0", "A@1+0", "C@1+102", "D@1+204", "E@1+306",
                                                         "F@2+0", "G@2+102"));
    EXPECT_EQ(0u, noted.Count());

    // Without moving on, the call stops at the first tag that does not fit.
    more.RemoveAll();
    for (LPCSTR name : {"H", "I", "J", "K"})
        more.Add(PackTag(name, "VisString255", "W"));
    list.AssignTag(more, kOutputConnectionSize, 2, false);
    ASSERT_EQ(1u, noted.Count());
    EXPECT_STREQ("Error: No more space this connection!", noted.Last().what);
    EXPECT_EQ("H@2+204", Placement(list)[7]);
    EXPECT_EQ("I@2+306", Placement(list)[8]);
    EXPECT_EQ(9, list.GetCount());
}

TEST_F(TagPacking, AssignTagStopsAtTheConnectionLimit)
{
    host.limit = 2;
    CVQNSortingList records;
    for (int i = 0; i < 10; ++i)
        records.Add(PackTag("S", "VisString255", i < 9 ? "R" : "W"));
    list.AssignTag(records, kInputConnectionSize, 0, true);
    EXPECT_EQ(8, list.GetCount());
    ASSERT_EQ(1u, noted.Count());
    EXPECT_STREQ("INPUTs: 2 connection limit has been exceeded!", noted.Last().what);

    noted.Clear();
    CVQNSortingList output;
    output.Add(PackTag("O", "VisString255", "W"));
    list.AssignTag(output, kOutputConnectionSize, 1, true);
    ASSERT_EQ(1u, noted.Count());
    EXPECT_STREQ("OUTPUTs: 2 connection limit has been exceeded!", noted.Last().what);
}

TEST(SortingList, SortsByPathByteByByte)
{
    CVQNSortingList list;
    for (LPCSTR path : {"abc", "ab", "abC", "b", "ab\xE9", "A", "abc"})
        list.Add(PackTag("T", "INT32", "R", path));
    EXPECT_TRUE(list.Sort(nullptr));
    std::vector<std::string> paths;
    for (INT_PTR i = 0; i < list.GetCount(); ++i)
        paths.push_back(std::string(list.GetAt(i).tagPath));
    EXPECT_THAT(paths, ::testing::ElementsAre("A", "ab", "abC", "abc", "abc", "ab\xE9", "b"));

    CVQNSortingList empty;
    int userValue = 7;
    EXPECT_TRUE(empty.Sort(&userValue));
    EXPECT_EQ(0, empty.GetCount());
    EXPECT_TRUE(ThrowsFrameworkException<CInvalidArgException>([&] { empty.GetAt(0); }));
}

} // namespace

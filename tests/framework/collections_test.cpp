#include "framework/core.h"
#include "support/expect_exception.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

class CItem : public CObject {
public:
    explicit CItem(int value) : m_value(value) {}
    int m_value;
};

std::vector<std::string> KeysInIterationOrder(const CMapStringToOb& map)
{
    std::vector<std::string> keys;
    CString key;
    CObject* value = nullptr;
    for (POSITION pos = map.GetStartPosition(); pos != nullptr;) {
        map.GetNextAssoc(pos, key, value);
        keys.push_back(key.GetString());
    }
    return keys;
}

std::vector<std::string> Contents(const CStringList& list)
{
    std::vector<std::string> items;
    for (POSITION pos = list.GetHeadPosition(); pos != nullptr;)
        items.push_back(list.GetNext(pos).GetString());
    return items;
}

template <class Array>
std::vector<int> Contents(const Array& array)
{
    std::vector<int> items;
    for (INT_PTR i = 0; i < array.GetSize(); ++i)
        items.push_back(static_cast<int>(array[i]));
    return items;
}

TEST(CMapStringToOb, SubscriptInsertsANullEntry)
{
    CMapStringToOb map;
    EXPECT_EQ(17u, map.GetHashTableSize());
    EXPECT_TRUE(map.IsEmpty());
    EXPECT_EQ(nullptr, map.GetStartPosition());

    EXPECT_EQ(nullptr, map["ghost"]);
    EXPECT_EQ(1, map.GetCount());
    CObject* found = reinterpret_cast<CObject*>(1);
    EXPECT_TRUE(map.Lookup("ghost", found));
    EXPECT_EQ(nullptr, found);

    CItem item(5);
    map["ghost"] = &item;
    EXPECT_EQ(1, map.GetCount());
    EXPECT_TRUE(map.Lookup("ghost", found));
    EXPECT_EQ(&item, found);
    EXPECT_FALSE(map.Lookup("Ghost", found));
}

TEST(CMapStringToOb, IterationVisitsEveryKeyOnce)
{
    CMapStringToOb map;
    std::vector<std::unique_ptr<CItem>> items;
    for (int i = 0; i < 100; ++i) {
        items.push_back(std::make_unique<CItem>(i));
        map.SetAt(CString("key") + std::to_string(i).c_str(), items.back().get());
    }
    map["extra"];
    ASSERT_EQ(101, map.GetCount());

    std::map<std::string, int> seen;
    CString key;
    CObject* value = nullptr;
    for (POSITION pos = map.GetStartPosition(); pos != nullptr;) {
        map.GetNextAssoc(pos, key, value);
        ++seen[key.GetString()];
        if (key != "extra")
            EXPECT_EQ(std::stoi(key.Mid(3).GetString()), static_cast<CItem*>(value)->m_value);
        else
            EXPECT_EQ(nullptr, value);
    }
    EXPECT_EQ(101u, seen.size());
    for (const auto& entry : seen)
        EXPECT_EQ(1, entry.second) << entry.first;
}

TEST(CMapStringToOb, IterationOrderFollowsTheHashBuckets)
{
    struct Case {
        std::vector<const char*> keys;
        UINT hashSize;
        std::vector<std::string> expected;
    };
    // Bucket = hash % size; a key joins the head of its bucket's chain.
    const Case cases[] = {
        {{"a", "r", "b"}, 17, {"r", "a", "b"}},
        {{"alpha", "beta", "gamma", "delta", "epsilon"}, 17, {"gamma", "beta", "delta", "epsilon", "alpha"}},
        {{"Pump", "Valve", "Tank", "Motor", "Sensor", "Pipe"}, 17, {"Motor", "Pump", "Sensor", "Tank", "Valve", "Pipe"}},
        {{"x", "y", "z", "xy", "yz"}, 7, {"xy", "x", "y", "z", "yz"}},
        {{"\xe9t\xe9", "ete"}, 17, {"ete", "\xe9t\xe9"}},
    };
    for (const Case& c : cases) {
        CMapStringToOb map;
        map.InitHashTable(c.hashSize);
        for (const char* key : c.keys)
            map[key];
        EXPECT_EQ(c.expected, KeysInIterationOrder(map)) << "first key " << c.keys.front();
    }
    EXPECT_EQ(108966u, AfxHashString("abc"));
    EXPECT_EQ(0xE9u, AfxHashString("\xe9"));
}

TEST(CMapStringToOb, RemoveKeyKeepsTheOthers)
{
    CMapStringToOb map;
    CItem a(1), b(2);
    map.SetAt("a", &a);
    map.SetAt("r", &b);  // same bucket as "a"
    map.SetAt("b", &b);
    EXPECT_TRUE(map.RemoveKey("a"));
    EXPECT_FALSE(map.RemoveKey("a"));
    EXPECT_EQ((std::vector<std::string>{"r", "b"}), KeysInIterationOrder(map));
    EXPECT_TRUE(ThrowsFrameworkException<CInvalidArgException>([&] { map.InitHashTable(31); }));
    map.RemoveAll();
    EXPECT_TRUE(map.IsEmpty());
    map.InitHashTable(31);
    EXPECT_EQ(31u, map.GetHashTableSize());
}

TEST(CMap, OtherKeyAndValueTypes)
{
    CMapStringToString names;
    names["pump"] = "P-101";
    names.SetAt("valve", "V-7");
    CString value;
    EXPECT_TRUE(names.Lookup("valve", value));
    EXPECT_STREQ("V-7", value);
    EXPECT_STREQ("", names["absent"]);

    CMap<int, int, CString, LPCSTR> byNumber;
    for (int i = -5; i < 50; ++i)
        byNumber[i].Format("#%d", i);
    EXPECT_EQ(55, byNumber.GetCount());
    EXPECT_TRUE(byNumber.Lookup(-5, value));
    EXPECT_STREQ("#-5", value);

    CTypedPtrMap<CMapStringToOb, CString, CItem*> typed;
    CItem item(9);
    typed.SetAt("nine", &item);
    CItem* found = nullptr;
    EXPECT_TRUE(typed.Lookup("nine", found));
    EXPECT_EQ(9, found->m_value);
    EXPECT_EQ(&item, typed["nine"]);
    POSITION pos = typed.GetStartPosition();
    CString key;
    typed.GetNextAssoc(pos, key, found);
    EXPECT_STREQ("nine", key);
    EXPECT_EQ(nullptr, pos);
}

TEST(CStringList, InsertRemoveAndFind)
{
    CStringList list;
    const POSITION b = list.AddTail("b");
    list.AddHead("a");
    const POSITION d = list.AddTail("d");
    list.InsertAfter(b, "c");
    list.InsertBefore(d, "c2");
    list.InsertAfter(nullptr, "e");
    list.InsertBefore(nullptr, "start");
    EXPECT_EQ((std::vector<std::string>{"start", "a", "b", "c", "c2", "d", "e"}), Contents(list));
    EXPECT_EQ(7, list.GetCount());

    list.RemoveAt(list.Find("c2"));
    list.RemoveAt(list.GetHeadPosition());
    list.RemoveAt(list.GetTailPosition());
    EXPECT_EQ((std::vector<std::string>{"a", "b", "c", "d"}), Contents(list));
    EXPECT_STREQ("a", list.GetHead());
    EXPECT_STREQ("d", list.GetTail());

    list.AddTail("b");
    const POSITION first = list.Find("b");
    ASSERT_NE(nullptr, first);
    const POSITION second = list.Find("b", first);
    ASSERT_NE(nullptr, second);
    EXPECT_NE(first, second);
    EXPECT_EQ(nullptr, list.Find("b", second));
    EXPECT_EQ(nullptr, list.Find("zzz"));
    EXPECT_EQ(list.FindIndex(4), second);
    EXPECT_EQ(nullptr, list.FindIndex(5));
    EXPECT_EQ(nullptr, list.FindIndex(-1));

    POSITION pos = list.GetTailPosition();
    EXPECT_STREQ("b", list.GetPrev(pos));
    EXPECT_STREQ("d", list.GetAt(pos));
    list.SetAt(pos, "D");
    EXPECT_STREQ("b", list.RemoveTail());
    EXPECT_STREQ("D", list.GetTail());
    EXPECT_STREQ("a", list.RemoveHead());
    EXPECT_EQ((std::vector<std::string>{"b", "c", "D"}), Contents(list));
}

TEST(CStringList, AddWholeListsAndEmptyListAccess)
{
    CStringList list, other;
    list.AddTail("m");
    other.AddTail("x");
    other.AddTail("y");
    list.AddHead(&other);
    list.AddTail(&other);
    EXPECT_EQ((std::vector<std::string>{"x", "y", "m", "x", "y"}), Contents(list));
    list.AddTail(&list);
    EXPECT_EQ(10, list.GetCount());

    list.RemoveAll();
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_EQ(nullptr, list.GetHeadPosition());
    EXPECT_TRUE(ThrowsFrameworkException<CInvalidArgException>([&] { list.GetHead(); }));
    EXPECT_TRUE(ThrowsFrameworkException<CInvalidArgException>([&] { list.RemoveTail(); }));
    EXPECT_TRUE(ThrowsFrameworkException<CInvalidArgException>([&] { list.RemoveAt(nullptr); }));
}

TEST(CTypedPtrList, HoldsTypedPointersAndOwnsNothing)
{
    CItem one(1), two(2), three(3);
    CTypedPtrList<CObList, CItem*> list(16);
    list.AddTail(&two);
    list.AddHead(&one);
    list.InsertAfter(list.Find(&two), &three);
    int sum = 0;
    for (POSITION pos = list.GetHeadPosition(); pos != nullptr;)
        sum = sum * 10 + list.GetNext(pos)->m_value;
    EXPECT_EQ(123, sum);
    EXPECT_EQ(&three, list.RemoveTail());
    list.GetHead() = &three;
    EXPECT_EQ(3, list.GetHead()->m_value);
    list.RemoveAll();
    EXPECT_EQ(2, two.m_value);
}

TEST(CArray, OutOfRangeAccessThrowsInvalidArg)
{
    CArray<int, int> array;
    array.Add(1);
    array.Add(2);
    const std::pair<const char*, std::function<void()>> calls[] = {
        {"GetAt(2)", [&] { array.GetAt(2); }},
        {"GetAt(-1)", [&] { array.GetAt(-1); }},
        {"operator[](5)", [&] { array[5] = 0; }},
        {"ElementAt(2)", [&] { array.ElementAt(2); }},
        {"SetAt(2)", [&] { array.SetAt(2, 0); }},
        {"SetAt(-1)", [&] { array.SetAt(-1, 0); }},
        {"RemoveAt(2)", [&] { array.RemoveAt(2); }},
        {"RemoveAt(1, 2)", [&] { array.RemoveAt(1, 2); }},
        {"RemoveAt(-1)", [&] { array.RemoveAt(-1); }},
        {"InsertAt(-1)", [&] { array.InsertAt(-1, 0); }},
        {"InsertAt(0, x, 0)", [&] { array.InsertAt(0, 9, 0); }},
        {"SetSize(-1)", [&] { array.SetSize(-1); }},
        {"SetAtGrow(-1)", [&] { array.SetAtGrow(-1, 0); }},
    };
    for (const auto& call : calls)
        EXPECT_TRUE(ThrowsFrameworkException<CInvalidArgException>(call.second)) << call.first;
    EXPECT_EQ((std::vector<int>{1, 2}), Contents(array));
}

TEST(CArray, GrowsInsertsAndRemoves)
{
    CDWordArray array;
    array.SetSize(0, 3);
    for (DWORD i = 0; i < 5; ++i)
        EXPECT_EQ(static_cast<INT_PTR>(i), array.Add(i * 10));
    array.InsertAt(1, 5, 2);
    array.RemoveAt(0);
    array.SetAtGrow(8, 99);
    EXPECT_EQ((std::vector<int>{5, 5, 10, 20, 30, 40, 0, 0, 99}), Contents(array));
    EXPECT_EQ(8, array.GetUpperBound());

    array.InsertAt(11, 7);
    EXPECT_EQ(12, array.GetSize());
    EXPECT_EQ(0u, array[10]);
    EXPECT_EQ(7u, array[11]);

    CDWordArray other;
    other.Add(1);
    other.Add(2);
    EXPECT_EQ(12, array.Append(other));
    array.InsertAt(0, &other);
    EXPECT_EQ(16, array.GetSize());
    EXPECT_EQ(1u, array.GetData()[0]);
    array.Copy(other);
    EXPECT_EQ((std::vector<int>{1, 2}), Contents(array));
    EXPECT_TRUE(ThrowsFrameworkException<CInvalidArgException>([&] { array.Append(array); }));
}

TEST(CArray, AddingItsOwnElementWhileGrowing)
{
    CStringArray array;
    array.Add("seed");
    for (int i = 0; i < 200; ++i)
        array.Add(array[0]);
    ASSERT_EQ(201, array.GetSize());
    for (INT_PTR i = 0; i < array.GetSize(); ++i)
        ASSERT_STREQ("seed", array[i]) << i;
    array.InsertAt(0, array[200], 300);
    EXPECT_STREQ("seed", array[499]);
}

TEST(CTypedPtrArray, HoldsTypedPointers)
{
    CItem a(1), b(2);
    CTypedPtrArray<CObArray, CItem*> array;
    array.Add(&a);
    array.SetAtGrow(2, &b);
    EXPECT_EQ(nullptr, array[1]);
    array[1] = &b;
    EXPECT_EQ(2, array.GetAt(1)->m_value);
    EXPECT_EQ(&b, array.ElementAt(2));
    EXPECT_TRUE(array.IsKindOf(RUNTIME_CLASS(CObArray)));
}

} // namespace

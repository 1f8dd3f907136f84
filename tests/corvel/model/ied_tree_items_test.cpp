// CIedTreeItems: the IED tree as a plain list, walked as a tree control is.
#include "corvel/model/ied_tree_items.h"

#include "support/expect_exception.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

std::unique_ptr<CTreeModelRecord> RecordOf(LPCSTR dataPath)
{
    auto record = std::make_unique<CTreeModelRecord>();
    record->dataPath = dataPath;
    return record;
}

TEST(IedTreeItems, ItemsGoLastUnderTheirParentAndAreWalkedInTreeOrder)
{
    CIedTreeItems items;
    EXPECT_EQ(kNoIedTreeItem, items.GetRootItem());
    const IedTreeItemId ied = items.Add(kIedTreeRoot, "IED1", kImageIed, nullptr);
    const IedTreeItemId ld0 = items.Add(ied, "LD0", kImageLogicalDevice, nullptr);
    const IedTreeItemId ld1 = items.Add(ied, "LD1", kImageLogicalDevice, nullptr);
    const IedTreeItemId leaf = items.Add(ld0, "stVal", 5, RecordOf("LLN0$ST$Beh$stVal"));
    const IedTreeItemId second = items.Add(kIedTreeRoot, "IED2", kImageIed, nullptr);

    EXPECT_EQ(5u, items.GetCount());
    EXPECT_EQ(ied, items.GetRootItem());
    EXPECT_EQ(second, items.GetNextSiblingItem(ied));
    EXPECT_EQ(ld0, items.GetChildItem(ied));
    EXPECT_EQ(ld1, items.GetNextSiblingItem(ld0));
    EXPECT_EQ(kNoIedTreeItem, items.GetNextSiblingItem(ld1));
    EXPECT_EQ(kNoIedTreeItem, items.GetChildItem(ld1));
    EXPECT_EQ(leaf, items.GetChildItem(ld0));
    EXPECT_EQ(ld0, items[leaf].parent);
    EXPECT_EQ(2u, items.GetDepth(leaf));
    EXPECT_EQ(0u, items.GetDepth(second));
    EXPECT_STREQ("stVal", items.GetItemText(leaf));
    EXPECT_EQ(5, items.GetItemImage(leaf));
    ASSERT_NE(nullptr, items.GetItemRecord(leaf));
    EXPECT_STREQ("LLN0$ST$Beh$stVal", items.GetItemRecord(leaf)->dataPath);
    EXPECT_EQ(nullptr, items.GetItemRecord(ld0));

    // What is not an item answers as none.
    EXPECT_EQ(kNoIedTreeItem, items.GetChildItem(kNoIedTreeItem));
    EXPECT_STREQ("", items.GetItemText(99));
    EXPECT_EQ(nullptr, items.GetItemRecord(99));
    EXPECT_TRUE(ThrowsFrameworkException<CInvalidArgException>([&] { items.Add(99, "orphan", 0, nullptr); }));
    EXPECT_EQ(5u, items.GetCount());

    items.Clear();
    EXPECT_EQ(0u, items.GetCount());
    EXPECT_EQ(kNoIedTreeItem, items.GetRootItem());
}

} // namespace

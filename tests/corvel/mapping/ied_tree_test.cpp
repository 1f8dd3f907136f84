// CIEDTree: the items the loaders build, inserted into the tree control in one pass; the load's messages shown.
#include "ied_tree_fixture.h"

#include "corvel/model/ied_mapping.h"

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace {

const char kTemplates[] =
    "<LNodeType id=\"LLN0_T\" lnClass=\"LLN0\"><DO name=\"Beh\" type=\"INS_T\"/></LNodeType>"
    "<LNodeType id=\"GGIO_T\" lnClass=\"GGIO\"><DO name=\"Ind\" type=\"MIX_T\"/></LNodeType>"
    "<DOType id=\"INS_T\"><DA name=\"stVal\" bType=\"INT32\" fc=\"ST\"/></DOType>"
    "<DOType id=\"MIX_T\"><DA name=\"stVal\" bType=\"BOOLEAN\" fc=\"ST\"/>"
    "<DA name=\"mag\" bType=\"Struct\" type=\"AV_T\" fc=\"MX\"/></DOType>"
    "<DAType id=\"AV_T\"><BDA name=\"f\" bType=\"FLOAT32\"/></DAType>";

// Two LDevices; reports on a data set and on a missing one; a GOOSE block.
const char kDevices[] =
    "<LDevice inst=\"LD0\"><LN0 lnClass=\"LLN0\" inst=\"\" lnType=\"LLN0_T\">"
    "<DataSet name=\"DS1\"><FCDA ldInst=\"LD0\" lnClass=\"GGIO\" lnInst=\"1\" doName=\"Ind\" fc=\"ST\"/>"
    "<FCDA ldInst=\"LD0\" lnClass=\"GGIO\" lnInst=\"1\" doName=\"Ind\" fc=\"MX\"/></DataSet>"
    "<ReportControl name=\"rcb\" datSet=\"DS1\" rptID=\"R1\"><RptEnabled max=\"2\"/></ReportControl>"
    "<ReportControl name=\"lost\" datSet=\"NONE\" rptID=\"R2\"/>"
    "<GSEControl name=\"gcb\" datSet=\"DS1\" appID=\"G1\"/>"
    "</LN0><LN lnClass=\"GGIO\" inst=\"1\" lnType=\"GGIO_T\"/></LDevice>"
    "<LDevice inst=\"LD1\"><LN0 lnClass=\"LLN0\" inst=\"\" lnType=\"LLN0_T\"/>"
    "<LN lnClass=\"GGIO\" inst=\"2\" lnType=\"GGIO_T\"/></LDevice>";

std::string Line(int depth, int image, const CString& text, const CTreeModelRecord* record)
{
    std::string line = std::to_string(depth) + " " + std::to_string(image) + " " + (LPCSTR)text;
    if (record != nullptr)
        line += " | " + std::string((LPCSTR)record->dataPath);
    return line;
}

// The items in tree order, one line each.
void WalkItems(const CIedTreeItems& items, IedTreeItemId item, int depth, std::vector<std::string>& out)
{
    for (; item != kNoIedTreeItem; item = items.GetNextSiblingItem(item)) {
        out.push_back(Line(depth, items.GetItemImage(item), items.GetItemText(item), items.GetItemRecord(item)));
        WalkItems(items, items.GetChildItem(item), depth + 1, out);
    }
}

class IedTree : public SclTreeTest {
protected:
    // The tree control's items in tree order, one line each.
    void WalkTree(HTREEITEM item, int depth, std::vector<std::string>& out)
    {
        for (; item != nullptr; item = Tree().GetNextSiblingItem(item)) {
            out.push_back(Line(depth, Image(item), Tree().GetItemText(item), Tree().GetItemRecord(item)));
            WalkTree(Tree().GetChildItem(item), depth + 1, out);
        }
    }
};

TEST_F(IedTree, ShowsTheLoadersItemsInTheirOrderAndTheirMessages)
{
    const std::string text = SclText(kDevices, kTemplates);
    CIedTreeLoader loader;
    loader.m_document = ParseScl(text);
    ASSERT_EQ(S_OK, loader.LoadIedModel("IED1"));
    std::vector<std::string> expected;
    WalkItems(loader.GetItems(), loader.GetItems().GetRootItem(), 0, expected);
    ASSERT_EQ(1u, loader.GetMessages().size()); // the report without its data set
    EXPECT_EQ(0u, m_messages.Count());

    Tree().m_document = ParseScl(text);
    ASSERT_EQ(S_OK, Tree().LoadIedModel("IED1"));
    std::vector<std::string> shown;
    WalkTree(Tree().GetRootItem(), 0, shown);
    EXPECT_EQ(expected, shown);
    EXPECT_EQ(expected.size(), static_cast<size_t>(Tree().GetCount()));

    // The messages are shown once, as the loader keeps them.
    ASSERT_EQ(1u, m_messages.Count());
    EXPECT_STREQ(loader.GetMessages()[0].text, m_messages.Last().text);
    EXPECT_EQ(loader.GetMessages()[0].type, m_messages.Last().type);
    EXPECT_TRUE(Tree().GetMessages().empty());

    // The control blocks name their items in the tree control; a report item's record names its report.
    ASSERT_EQ(3u, Tree().m_reports.size());
    for (const CReportControl& report : Tree().m_reports) {
        const HTREEITEM item = Tree().GetItemHandle(report.treeItem);
        ASSERT_NE(nullptr, item);
        EXPECT_STREQ(loader.GetItems().GetItemText(report.treeItem), Tree().GetItemText(item));
        EXPECT_EQ(kImageReport, Image(item));
    }
    const HTREEITEM rcb01 = Tree().GetItemHandle(Tree().m_reports[0].treeItem);
    int attributes = 0;
    for (HTREEITEM item = Tree().GetChildItem(rcb01); item != nullptr; item = Tree().GetNextSiblingItem(item)) {
        const CTreeModelRecord* record = Tree().GetItemRecord(item);
        ASSERT_NE(nullptr, record);
        EXPECT_EQ(rcb01, Tree().GetItemHandle(record->report.treeItem));
        ++attributes;
    }
    EXPECT_EQ(2, attributes);
    ASSERT_EQ(1u, Tree().m_gooseControls.size());
    const HTREEITEM gcb = Tree().GetItemHandle(Tree().m_gooseControls[0].treeItem);
    EXPECT_STREQ("gcb", Tree().GetItemText(gcb));
    EXPECT_EQ(kImageGoose, Image(gcb));
    EXPECT_EQ(nullptr, Tree().GetItemHandle(kNoIedTreeItem));
}

// Branches reach the control when they are first expanded or asked for; until then their items are still
// selected by a Shift selection, dragged with a selected ancestor, and found by their control block.
TEST_F(IedTree, BranchesNotShownYetBehaveAsShownOnes)
{
    const std::string text = SclText(kDevices, kTemplates);
    CIedTreeLoader loader;
    loader.m_document = ParseScl(text);
    ASSERT_EQ(S_OK, loader.LoadIedModel("IED1"));
    const CIedTreeItems& items = loader.GetItems();
    // Every record below the top item, depth first, with its drag key given once.
    std::vector<std::string> expected;
    std::vector<CString> keys;
    std::function<void(IedTreeItemId)> walk = [&](IedTreeItemId item) {
        for (IedTreeItemId child = items.GetChildItem(item); child != kNoIedTreeItem;
             child = items.GetNextSiblingItem(child)) {
            if (const CTreeModelRecord* record = items.GetItemRecord(child)) {
                const CString key = Corvel::Mapping::MakeDragKey(record->namePrefix, record->dataPath);
                if (std::find(keys.begin(), keys.end(), key) == keys.end()) {
                    keys.push_back(key);
                    expected.push_back((LPCSTR)record->dataPath);
                }
            }
            walk(child);
        }
    };
    walk(items.GetRootItem());
    ASSERT_GT(expected.size(), 5u);

    Tree().m_document = ParseScl(text);
    ASSERT_EQ(S_OK, Tree().LoadIedModel("IED1"));
    const HTREEITEM root = Tree().GetRootItem();
    ASSERT_NE(nullptr, root);

    // Select all on the collapsed tree takes the top item; the drag takes everything below it.
    Tree().SetAllSelected(true);
    Tree().CollectDragEntries();
    std::vector<std::string> dragged;
    for (const CMultiTree::DragEntry& entry : Tree().GetDragEntries())
        dragged.push_back((LPCSTR)entry.path);
    EXPECT_EQ(expected, dragged);

    // Expanding the top item by keyboard shows its children in the loaded order.
    Tree().SetFocusItem(root);
    Tree().SendMessage(WM_KEYDOWN, VK_RIGHT, 0);
    std::vector<CString> shown;
    for (HTREEITEM item = Tree().GetNextVisibleItem(root); item != nullptr; item = Tree().GetNextVisibleItem(item))
        shown.push_back(Tree().GetItemText(item));
    std::vector<CString> children;
    for (IedTreeItemId child = items.GetChildItem(items.GetRootItem()); child != kNoIedTreeItem;
         child = items.GetNextSiblingItem(child))
        children.push_back(items.GetItemText(child));
    EXPECT_EQ(children, shown);

    // A control block deep in a branch never expanded: its handle, under the loaded parents.
    const IedTreeItemId gcbId = Tree().m_gooseControls[0].treeItem;
    const HTREEITEM gcb = Tree().GetItemHandle(gcbId);
    ASSERT_NE(nullptr, gcb);
    EXPECT_STREQ("gcb", Tree().GetItemText(gcb));
    EXPECT_STREQ(items.GetItemText(items[gcbId].parent), Tree().GetItemText(Tree().GetParentItem(gcb)));

    // Right-clicking a report block whose branch was never expanded shows the block of its first child.
    const HTREEITEM rcb = Tree().GetItemHandle(Tree().m_reports[0].treeItem);
    ASSERT_NE(nullptr, rcb);
    ASSERT_STREQ("Reports", Tree().GetItemText(Tree().GetParentItem(rcb)));
    Tree().EnsureVisible(rcb);
    CRect rect;
    ASSERT_TRUE(Tree().GetItemRect(rcb, &rect, TRUE));
    const size_t boxes = m_messages.Count();
    Tree().PostMessage(WM_RBUTTONUP, 0, MAKELPARAM(rect.CenterPoint().x, rect.CenterPoint().y));
    Tree().SendMessage(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(rect.CenterPoint().x, rect.CenterPoint().y));
    ASSERT_EQ(boxes + 1, m_messages.Count());
    EXPECT_EQ(0, m_messages.Last().text.Find("Report Control Block\n"));

    // A Shift selection below the top item selects every item, collapsed branches included.
    Tree().SetSubtreeSelected(root, true);
    size_t selected = 0;
    size_t all = 0;
    std::function<void(HTREEITEM)> count = [&](HTREEITEM item) {
        for (item = Tree().GetChildItem(item); item != nullptr; item = Tree().GetNextSiblingItem(item)) {
            ++all;
            selected += Tree().IsSelected(item) ? 1 : 0;
            count(item);
        }
    };
    count(root);
    EXPECT_EQ(items.GetCount() - 1, all);
    EXPECT_EQ(all, selected);
}

// A collapse that resets a branch takes its items out of the control; expanded again, it is filled again,
// and the items of the branch are reached by their new handles.
TEST_F(IedTree, BranchesCollapsedWithResetAreFilledAgain)
{
    const std::string text = SclText(kDevices, kTemplates);
    CIedTreeLoader loader;
    loader.m_document = ParseScl(text);
    ASSERT_EQ(S_OK, loader.LoadIedModel("IED1"));
    std::vector<std::string> expected;
    WalkItems(loader.GetItems(), loader.GetItems().GetRootItem(), 0, expected);

    Tree().m_document = ParseScl(text);
    ASSERT_EQ(S_OK, Tree().LoadIedModel("IED1"));
    const HTREEITEM root = Tree().GetRootItem();
    ASSERT_NE(nullptr, root);
    const IedTreeItemId gcbId = Tree().m_gooseControls[0].treeItem;
    ASSERT_NE(nullptr, Tree().GetItemHandle(gcbId));
    Tree().Expand(root, TVE_EXPAND);
    const int inserted = Tree().GetCount();
    ASSERT_GT(inserted, 1);

    Tree().Expand(root, TVE_COLLAPSE | TVE_COLLAPSERESET);
    EXPECT_EQ(1, Tree().GetCount());
    Tree().Expand(root, TVE_EXPAND);
    EXPECT_NE(nullptr, Tree().GetNextVisibleItem(root));
    const HTREEITEM gcb = Tree().GetItemHandle(gcbId);
    ASSERT_NE(nullptr, gcb);
    EXPECT_STREQ("gcb", Tree().GetItemText(gcb));
    EXPECT_EQ(kImageGoose, Image(gcb));

    std::vector<std::string> shown;
    WalkTree(root, 0, shown);
    EXPECT_EQ(expected, shown);
}

// A tree without its window keeps what was loaded in its list and shows the messages all the same.
TEST_F(IedTree, WithoutAWindowTheItemsStayInTheList)
{
    CIEDTree tree;
    tree.m_document = ParseScl(SclText(kDevices, kTemplates));
    EXPECT_EQ(S_OK, tree.LoadIedModel("IED1"));
    EXPECT_EQ(1u, m_messages.Count());
    ASSERT_NE(kNoIedTreeItem, tree.GetItems().GetRootItem());
    EXPECT_STREQ("IED1", tree.GetItems().GetItemText(tree.GetItems().GetRootItem()));
    EXPECT_NE(nullptr, tree.GetItems().GetItemRecord(tree.GetItems().GetCount() - 1));
    EXPECT_EQ(nullptr, tree.GetItemHandle(0));
}

} // namespace

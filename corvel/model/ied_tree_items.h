// CIedTreeItems, IedTreeItem, CTreeModelRecord, _DA_CTL, CIedControlModels: the IED tree as a plain list of
// items that the SCL loaders build without a window, and what its items hold.
#pragma once

#include "framework/core.h"
#include "corvel/model/scl_control_blocks.h"
#include "corvel/model/scl_model.h"

#include <map>
#include <memory>
#include <vector>

// Tree images.
constexpr int kImageIed = 0;
constexpr int kImageLogicalDevice = 2;
constexpr int kImageLogicalNode = 3;
constexpr int kImageDataObject = 4;
constexpr int kImageSubDataObject = 23;
constexpr int kImageReport = 24;
constexpr int kImageGoose = 25;
constexpr int kImageLargeInteger = 26;
constexpr int kImageControl = 29;

// What an item of the model tree stands for; held as the item's data and freed by the tree.
struct CTreeModelRecord {
    CString dataType;   // basic type
    CString dataPath;   // node$fc$object$attribute
    CString namePrefix; // the domain
    // Kind flags: all clear for a plain leaf.
    BYTE isControl = 0;
    BYTE isControlBlock = 0;
    BYTE isGoose = 0;
    BYTE spare = 0;
    // Control block items: the attribute's index and the number of attributes of the block.
    int index = 0;
    int count = 0;
    // GOOSE items: the attributes of the block's data set.
    std::vector<_DATA_ITEM> dataItems;
    // Control leaves.
    int ctlModel = 0;
    CString ctlName;
    // Report items: the data set's name, the report's name, the attribute boundaries of the data set's
    // members ("0,2,5,6") and the report's settings.
    CString dataSetName;
    CString reportName;
    CString boundaries;
    CReportControl report;
    // GOOSE items: the block's texts.
    CGooseControl goose;
};

// A control object of an LNodeType named "Pos" and the control model of its DO type.
struct _DA_CTL {
    CString iedName;
    CString lnClass;
    CString doType;
    int ctlModel = 0;
};

// The control models the type loaders record beside the project's map; they live as long as the tree.
class CIedControlModels {
public:
    // Control objects named "Pos" with their control models.
    std::vector<_DA_CTL> m_controlEntries;
    // Control models by key: IED name$lnClass$Pos, and DOType ids.
    std::map<CString, int> m_ctlModelKeys;
    // The tree's domain text; empty unless a user of the tree sets it.
    CString m_domain;
};

// One item: its text, its image (normal and selected), its parent and its record (the item data, or null).
struct IedTreeItem {
    CString text;
    int image = 0;
    IedTreeItemId parent = kIedTreeRoot;
    std::unique_ptr<CTreeModelRecord> record;
    IedTreeItemId firstChild = kNoIedTreeItem;
    IedTreeItemId lastChild = kNoIedTreeItem;
    IedTreeItemId nextSibling = kNoIedTreeItem;
};

// The items in the order they were added; every item is the last child of its parent when it is added, so a
// parent always comes before its children. Walked as a tree control is: root item, first child, next sibling.
class CIedTreeItems {
public:
    // Adds an item last under parent (kIedTreeRoot for a top item); returns its id.
    IedTreeItemId Add(IedTreeItemId parent, const CString& text, int image, std::unique_ptr<CTreeModelRecord> record);
    void Clear();

    size_t GetCount() const { return m_items.size(); }
    const IedTreeItem& operator[](IedTreeItemId id) const { return m_items[id]; }
    IedTreeItem& operator[](IedTreeItemId id) { return m_items[id]; }

    // The first top item, the first child of an item and the item after one among its siblings;
    // kNoIedTreeItem when there is none.
    IedTreeItemId GetRootItem() const { return m_firstTop; }
    IedTreeItemId GetChildItem(IedTreeItemId id) const;
    IedTreeItemId GetNextSiblingItem(IedTreeItemId id) const;
    CString GetItemText(IedTreeItemId id) const;
    int GetItemImage(IedTreeItemId id) const;
    // The item's record, or null.
    CTreeModelRecord* GetItemRecord(IedTreeItemId id) const;
    // The levels below the root: 0 for a top item.
    size_t GetDepth(IedTreeItemId id) const;

private:
    bool IsItem(IedTreeItemId id) const { return id < m_items.size(); }

    std::vector<IedTreeItem> m_items;
    IedTreeItemId m_firstTop = kNoIedTreeItem;
    IedTreeItemId m_lastTop = kNoIedTreeItem;
};

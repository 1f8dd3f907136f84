// CIEDTree: the IED tree of the IED mapping dialog; loads one IED's SCL model and shows its items.
#pragma once

#include "corvel/mapping/multi_tree.h"
#include "corvel/model/ied_tree_loader.h"

#include <unordered_map>
#include <vector>

class CMainDoc;

// A CMultiTree that is its own loader (CIedTreeLoader): the loaders build the model and the item list without
// the window, and the tree inserts the list into itself in one pass and shows the load's messages.
class CIEDTree : public CMultiTree, public CIedTreeLoader {
    DECLARE_DYNAMIC(CIEDTree)
public:
    CIEDTree();
    ~CIEDTree() override;

    // Loads the SCL file at path and builds the model and tree of the IED being mapped; false when the file
    // is missing or malformed, the project has no such IED, or the model could not be built.
    bool LoadIedModelFromScl(const CString& path);
    // Builds the model and items of IED iedName from the loaded document (CIedTreeLoader::LoadIedModel), shows
    // the load's messages and inserts the items built: 0, E_ABORT when the document has no such IED, or the
    // error that stopped the load.
    HRESULT LoadIedModel(const CString& iedName);

    // The project whose IED record LoadIedModelFromScl maps: by default the open document and the main frame's
    // current device.
    void SetProject(CMainDoc* document, int deviceId);

    // The tree control's item of a loaded item (a report's or GOOSE block's treeItem), or null; the branches
    // above it are filled first.
    HTREEITEM GetItemHandle(IedTreeItemId item) const;
    // Takes the records of the items the loaders built and inserts the new top items (and the new children of
    // branches already filled). A branch is filled when it is first expanded or its children are asked for
    // (the tree control looks every item handle up among all its items, so a large model is not inserted at
    // once). Nothing is inserted without a window.
    void InsertLoadedItems();

protected:
    // Walks the loaded item list rather than the control, which looks every item handle up one by one; items
    // of branches not filled yet are visited too.
    void VisitBelow(HTREEITEM item, const std::function<void(const CTreeModelRecord*)>& visit) override;
    HTREEITEM GetInsertedChildItem(HTREEITEM item) override;
    // Fills a branch before the control is asked for its first child or to expand it.
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Fills a branch the user expands (the parent reflects TVN_ITEMEXPANDING); forgets the items the control
    // deletes (a collapse with reset), so that their branch is filled again.
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

private:
    // Shows the messages of the load, in order, and forgets them.
    void ShowMessages();
    // Inserts one loaded item last under parent.
    HTREEITEM InsertLoadedItem(IedTreeItemId id, HTREEITEM parent);
    // Inserts the children of an inserted item when they are not in the control yet.
    void InsertChildren(HTREEITEM item);
    // Forgets the handle of an item the control deleted.
    void ForgetItem(HTREEITEM item);

    std::vector<HTREEITEM> m_itemHandles;
    // The records of the loaded items by item id (the tree owns them), and the ids of inserted items by handle.
    std::vector<const CTreeModelRecord*> m_itemRecords;
    std::unordered_map<HTREEITEM, IedTreeItemId> m_itemIds;
    // Whether an inserted item's children are in the control.
    std::vector<bool> m_childrenInserted;
    CMainDoc* m_projectDocument = nullptr;
    int m_projectDeviceId = 0;
    bool m_projectGiven = false;
};

#include "corvel/model/ied_tree_items.h"

#include <utility>

IedTreeItemId CIedTreeItems::Add(IedTreeItemId parent, const CString& text, int image,
                                 std::unique_ptr<CTreeModelRecord> record)
{
    if (parent != kIedTreeRoot && !IsItem(parent))
        AfxThrowInvalidArgException();
    const IedTreeItemId id = m_items.size();
    IedTreeItem item;
    item.text = text;
    item.image = image;
    item.parent = parent;
    item.record = std::move(record);
    m_items.push_back(std::move(item));
    IedTreeItemId& last = parent == kIedTreeRoot ? m_lastTop : m_items[parent].lastChild;
    if (last != kNoIedTreeItem)
        m_items[last].nextSibling = id;
    else if (parent == kIedTreeRoot)
        m_firstTop = id;
    else
        m_items[parent].firstChild = id;
    last = id;
    return id;
}

void CIedTreeItems::Clear()
{
    m_items.clear();
    m_firstTop = kNoIedTreeItem;
    m_lastTop = kNoIedTreeItem;
}

IedTreeItemId CIedTreeItems::GetChildItem(IedTreeItemId id) const
{
    return IsItem(id) ? m_items[id].firstChild : kNoIedTreeItem;
}

IedTreeItemId CIedTreeItems::GetNextSiblingItem(IedTreeItemId id) const
{
    return IsItem(id) ? m_items[id].nextSibling : kNoIedTreeItem;
}

CString CIedTreeItems::GetItemText(IedTreeItemId id) const
{
    return IsItem(id) ? m_items[id].text : CString();
}

int CIedTreeItems::GetItemImage(IedTreeItemId id) const
{
    return IsItem(id) ? m_items[id].image : -1;
}

CTreeModelRecord* CIedTreeItems::GetItemRecord(IedTreeItemId id) const
{
    return IsItem(id) ? m_items[id].record.get() : nullptr;
}

size_t CIedTreeItems::GetDepth(IedTreeItemId id) const
{
    size_t depth = 0;
    for (IedTreeItemId parent = IsItem(id) ? m_items[id].parent : kIedTreeRoot; parent != kIedTreeRoot;
         parent = m_items[parent].parent)
        ++depth;
    return depth;
}

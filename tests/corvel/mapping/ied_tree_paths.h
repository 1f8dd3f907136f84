// FindTreePath, SelectTreePath: items of the IED mapping dialog's tree reached by the texts along their path.
#pragma once

#include "corvel/mapping/multi_tree.h"

#include <gtest/gtest.h>

// The item reached from the root through the texts of a path such as "simpleIO/GenericIO/GGIO1"; null when
// a text is not found.
inline HTREEITEM FindTreePath(CMultiTree& tree, const CString& path)
{
    HTREEITEM item = nullptr;
    int start = 0;
    for (CString part = path.Tokenize("/", start); start >= 0; part = path.Tokenize("/", start)) {
        HTREEITEM next = item == nullptr ? tree.GetRootItem() : tree.GetChildItem(item);
        while (next != nullptr && tree.GetItemText(next) != part)
            next = tree.GetNextSiblingItem(next);
        if (next == nullptr)
            return nullptr;
        item = next;
    }
    return item;
}

// Expands the items above the path's item and adds it to the selection, as a Ctrl+click does.
inline void SelectTreePath(CMultiTree& tree, const CString& path)
{
    const HTREEITEM item = FindTreePath(tree, path);
    ASSERT_NE(item, nullptr) << (LPCSTR)path;
    for (HTREEITEM up = tree.GetParentItem(item); up != nullptr; up = tree.GetParentItem(up))
        tree.Expand(up, TVE_EXPAND);
    tree.SetItemSelected(item, true);
}

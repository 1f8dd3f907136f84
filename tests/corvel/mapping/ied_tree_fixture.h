// SclTreeTest: an IED tree in a hidden window for the tests of the tree control; message boxes are recorded.
#pragma once

#include "../model/scl_test_document.h"
#include "support/hidden_tree_host.h"

class SclTreeTest : public ComApartmentTest {
protected:
    void SetUp() override
    {
        m_host = std::make_unique<CHiddenTreeHost>();
        ASSERT_TRUE(m_host->IsReady());
    }
    void TearDown() override { m_host.reset(); }

    CIEDTree& Tree() { return m_host->Tree(); }

    // The item under parent whose text is text, or null.
    HTREEITEM Child(HTREEITEM parent, LPCSTR text)
    {
        for (HTREEITEM item = Tree().GetChildItem(parent); item != nullptr; item = Tree().GetNextSiblingItem(item)) {
            if (Tree().GetItemText(item) == text)
                return item;
        }
        return nullptr;
    }
    // The item reached from the root through the texts of a path such as "IED1/LD0/LLN0/Mod".
    HTREEITEM Find(const CString& path)
    {
        HTREEITEM item = nullptr;
        int start = 0;
        for (CString part = path.Tokenize("/", start); start >= 0; part = path.Tokenize("/", start)) {
            if (item == nullptr) {
                item = Tree().GetRootItem();
                if (Tree().GetItemText(item) != part)
                    return nullptr;
            } else if ((item = Child(item, part)) == nullptr) {
                return nullptr;
            }
        }
        return item;
    }
    int Image(HTREEITEM item)
    {
        int image = -1;
        int selected = -1;
        Tree().GetItemImage(item, image, selected);
        EXPECT_EQ(image, selected);
        return image;
    }

    MessageBoxRecorder m_messages;
    std::unique_ptr<CHiddenTreeHost> m_host;
};

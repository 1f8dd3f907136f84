// Small SCL documents for the loader tests, and a tree in a hidden window to load them into.
#pragma once

#include "corvel/mapping/ied_tree.h"
#include "corvel/model/scl_reading.h"
#include "support/com_apartment.h"
#include "support/message_box_recorder.h"
#include "tools/scldump/scl_dump.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

// An SCL file of one IED named IED1 with one access point, from its parts.
inline std::string SclText(const std::string& lDevices, const std::string& templates,
                           const std::string& communication = std::string(), const std::string& iedName = "IED1")
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<SCL xmlns=\"http://www.iec.ch/61850/2003/SCL\">\n" +
           (communication.empty() ? std::string() : "<Communication><SubNetwork name=\"N1\">" + communication +
                                                        "</SubNetwork></Communication>\n") +
           "<IED name=\"" + iedName + "\"><AccessPoint name=\"AP1\"><Server>" + lDevices +
           "</Server></AccessPoint></IED>\n<DataTypeTemplates>" + templates + "</DataTypeTemplates>\n</SCL>\n";
}

// A document holding text; fails the test when it does not parse.
inline DomDocumentPtr ParseScl(const std::string& text)
{
    DomDocumentPtr document = CreateDomDocument();
    VARIANT_BOOL loaded = VARIANT_FALSE;
    ThrowIfFailed(document->loadXML(ComBstr(CString(text.c_str())).Get(), &loaded), "loadXML");
    EXPECT_EQ(VARIANT_TRUE, loaded) << text;
    return document;
}

// The code stored under (domain, path), or -1 when the map has no such key.
inline int StoredCode(const CtlModelMap& map, LPCSTR domain, LPCSTR path)
{
    const auto found = map.find(CtlModelKey(domain, path));
    return found != map.end() ? found->second : -1;
}

// Tests of a tree loaded from a document given as text; message boxes are recorded.
class SclTreeTest : public ComApartmentTest {
protected:
    void SetUp() override
    {
        m_host = std::make_unique<CHiddenTreeHost>();
        ASSERT_TRUE(m_host->IsReady());
    }
    void TearDown() override { m_host.reset(); }

    CIEDTree& Tree() { return m_host->Tree(); }

    // Loads the document's IED1 into the tree; the result of LoadIedModel.
    HRESULT Load(const std::string& text, const CString& iedName = "IED1")
    {
        Tree().m_document = ParseScl(text);
        return Tree().LoadIedModel(iedName);
    }

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
    int ChildCount(HTREEITEM parent)
    {
        int count = 0;
        for (HTREEITEM item = Tree().GetChildItem(parent); item != nullptr; item = Tree().GetNextSiblingItem(item))
            ++count;
        return count;
    }

    MessageBoxRecorder m_messages;
    std::unique_ptr<CHiddenTreeHost> m_host;
};

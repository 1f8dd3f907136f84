// Small SCL documents for the loader tests, and a loader to load them into.
#pragma once

#include "corvel/model/ied_tree_loader.h"
#include "corvel/model/scl_reading.h"
#include "support/com_apartment.h"
#include "support/message_box_recorder.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

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

// The messages of a loader, read as a message-box recorder's calls are.
class LoaderMessages {
public:
    explicit LoaderMessages(const std::unique_ptr<CIedTreeLoader>& loader) : m_loader(loader) {}
    const std::vector<SclLoadMessage>& Calls() const { return m_loader->GetMessages(); }
    size_t Count() const { return Calls().size(); }
    const SclLoadMessage& Last() const { return Calls().back(); }
    void Clear() { m_loader->ClearMessages(); }

private:
    const std::unique_ptr<CIedTreeLoader>& m_loader;
};

// Tests of the IED tree as the loaders build it from a document given as text. The loaders keep their messages
// (m_messages) and open no message box.
class SclLoaderTest : public ComApartmentTest {
protected:
    void TearDown() override { EXPECT_EQ(0u, m_boxes.Count()) << "a loader opened a message box"; }

    CIedTreeLoader& Loader() { return *m_loader; }
    const CIedTreeItems& Items() { return m_loader->GetItems(); }
    // Starts again with a fresh loader.
    void Reset() { m_loader = std::make_unique<CIedTreeLoader>(); }

    // Loads the document's IED into the loader; the result of LoadIedModel.
    HRESULT Load(const std::string& text, const CString& iedName = "IED1")
    {
        Loader().m_document = ParseScl(text);
        return Loader().LoadIedModel(iedName);
    }

    // The item under parent whose text is text, or kNoIedTreeItem.
    IedTreeItemId Child(IedTreeItemId parent, LPCSTR text)
    {
        for (IedTreeItemId item = Items().GetChildItem(parent); item != kNoIedTreeItem;
             item = Items().GetNextSiblingItem(item)) {
            if (Items().GetItemText(item) == text)
                return item;
        }
        return kNoIedTreeItem;
    }
    // The item reached from the root through the texts of a path such as "IED1/LD0/LLN0/Mod".
    IedTreeItemId Find(const CString& path)
    {
        IedTreeItemId item = kNoIedTreeItem;
        bool atRoot = true;
        int start = 0;
        for (CString part = path.Tokenize("/", start); start >= 0; part = path.Tokenize("/", start)) {
            if (atRoot) {
                atRoot = false;
                item = Items().GetRootItem();
                if (Items().GetItemText(item) != part)
                    return kNoIedTreeItem;
            } else if ((item = Child(item, part)) == kNoIedTreeItem) {
                return kNoIedTreeItem;
            }
        }
        return item;
    }
    int Image(IedTreeItemId item) { return Items().GetItemImage(item); }
    int ChildCount(IedTreeItemId parent)
    {
        int count = 0;
        for (IedTreeItemId item = Items().GetChildItem(parent); item != kNoIedTreeItem;
             item = Items().GetNextSiblingItem(item))
            ++count;
        return count;
    }

    MessageBoxRecorder m_boxes;
    std::unique_ptr<CIedTreeLoader> m_loader = std::make_unique<CIedTreeLoader>();
    LoaderMessages m_messages{m_loader};
};

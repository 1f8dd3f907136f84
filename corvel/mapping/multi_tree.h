// CMultiTree: the multi-select tree of an IED's IEC 61850 model.
#pragma once

#include "framework/ui.h"
#include "corvel/model/ied_tree_items.h"
#include "corvel/model/msxml_support.h"

#include <memory>
#include <vector>

// The tree control with the control models its loaders record (CIedControlModels: m_controlEntries,
// m_ctlModelKeys, m_domain) and the records of its items (CTreeModelRecord, in corvel/model).
class CMultiTree : public CTreeCtrl, public virtual CIedControlModels {
    DECLARE_DYNAMIC(CMultiTree)
public:
    CMultiTree();
    ~CMultiTree() override;

    // Holds a counted reference to the XML document of the loaded model, releasing the one held before;
    // a null reference is ignored.
    void AddXmlNode(IXMLDOMNode* node);
    const DomNodePtr& GetXmlNode() const { return m_xmlNode; }

    // The record an item holds, or null.
    CTreeModelRecord* GetItemRecord(HTREEITEM item) const;

protected:
    // Makes the tree the owner of an item's record.
    void AdoptRecord(std::unique_ptr<CTreeModelRecord> record) { m_records.push_back(std::move(record)); }

    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    DomNodePtr m_xmlNode;
    // The records of the items, freed when the window is destroyed. Kept here rather than found through the
    // items, which the tree control looks up one by one.
    std::vector<std::unique_ptr<CTreeModelRecord>> m_records;
};

// CMultiTree, CTreeModelRecord, _DA_CTL: the multi-select tree of an IED's IEC 61850 model and what its items hold.
#pragma once

#include "framework/ui.h"
#include "corvel/model/msxml_support.h"
#include "corvel/model/scl_control_blocks.h"
#include "corvel/model/scl_model.h"

#include <map>
#include <memory>
#include <vector>

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

class CMultiTree : public CTreeCtrl {
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

    // Control objects named "Pos" with their control models.
    std::vector<_DA_CTL> m_controlEntries;
    // Control models by key: IED name$lnClass$Pos, and DOType ids.
    std::map<CString, int> m_ctlModelKeys;
    // The tree's domain text; empty unless a user of the tree sets it.
    CString m_domain;

protected:
    // Makes the tree the owner of an item's record.
    void AdoptRecord(CTreeModelRecord* record) { m_records.emplace_back(record); }

    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    DomNodePtr m_xmlNode;
    // The records of the items, freed when the window is destroyed. Kept here rather than found through the
    // items, which the tree control looks up one by one.
    std::vector<std::unique_ptr<CTreeModelRecord>> m_records;
};

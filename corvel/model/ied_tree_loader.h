// CIedTreeLoader, SclLoadMessage, SclLDevice: the loaders of one IED's SCL model, which build the model and
// the IED tree as a plain item list without a window.
#pragma once

#include "corvel/model/ctl_model_map.h"
#include "corvel/model/ied_tree_items.h"
#include "common/msxml_support.h"
#include "corvel/model/scl_control_blocks.h"
#include "corvel/model/scl_model.h"

#include <map>
#include <memory>
#include <vector>

// Vendor modes of the IED's manufacturer.
constexpr int kVendorOther = 0;
constexpr int kVendorSchneider = 1;
constexpr int kVendorSel = 2;

// Report instances a block may have.
constexpr int kMaxReportInstances = 99;
// GOOSE attributes that can be configured.
constexpr int kMaxGooseAttributes = 120;

extern const char kGooseLimitWarning[];
extern const char kReportInstanceLimitMessage[];

// An LDevice element with its "inst".
struct SclLDevice {
    DomNodePtr element;
    CString inst;
};

// A message of a load, in the order it arose: its text and the message box type it is shown with.
struct SclLoadMessage {
    CString text;
    UINT type = MB_OK;
};

// Loads one IED of an SCL document: the type maps, the IED model, data sets, report and GOOSE control blocks,
// the control models, and the items of the IED tree (GetItems). Opens no window: what the user must be told is
// kept as messages (GetMessages) for the caller to show. CIEDTree is a loader that inserts the items into its
// tree control; the control models are shared with that tree (CMultiTree).
class CIedTreeLoader : public virtual CIedControlModels {
public:
    CIedTreeLoader();
    virtual ~CIedTreeLoader();
    CIedTreeLoader(const CIedTreeLoader&) = delete;
    CIedTreeLoader& operator=(const CIedTreeLoader&) = delete;

    // Loads the SCL file at path into a new DOM document (m_document, path in m_sclFilePath); false after a
    // message ("XML Parse Error 0x%x : %s") when it is not well-formed.
    bool LoadSclDocument(const CString& path);
    // Builds the model and the items of IED iedName from the loaded document: 0, E_ABORT when the document has
    // no such IED, or the error that stopped the load (after a message naming what was missing).
    HRESULT LoadIedModel(const CString& iedName);

    // The text of node's attribute name, or a copy of defaultText.
    static CString GetAttributeText(const DomNodePtr& node, LPCSTR name, const CString& defaultText);
    static int CtlModelFromText(const CString& text);

    // Type templates of the document.
    void LoadLNodeTypes();
    void LoadDATypes();
    void LoadDOTypes();
    // The control model of a DOType id: the last DOType of that id with a ctlModel value decides; 0 when none.
    int FindDoTypeCtlModel(const CString& typeId);

    // Reads the data sets of an LN0 into dataSets; returns them in document order.
    std::vector<CDataSet*> LoadDataSets(const DomNodePtr& ln0, CSclObjectMap& dataSets);
    // Reads the report control blocks of an LN0; returns the number of records appended.
    int LoadReportControls(const DomNodePtr& ln0, IedTreeItemId ln0Item, const CString& ln0Name,
                           const CString& ldName, CSclObjectMap& dataSets, std::vector<CReportControl>& reports);
    void LoadGseAddresses();
    // The IED element of the loader's IED name, or empty; name receives its "name".
    DomNodePtr FindIedNode(DomNodePtr& node, CString& name);
    // Reads the GOOSE control blocks of an LN0; returns the number of records appended.
    int LoadGooseControls(const DomNodePtr& ln0, IedTreeItemId ln0Item, const CString& ln0Name,
                          const CString& ldName, CSclObjectMap& dataSets, std::vector<CGooseControl>& gooseControls);
    // Reads the logical nodes of an LDevice other than its LN0.
    void LoadLogicalNodes(const DomNodePtr& lDevice, IedTreeItemId ldItem, const CString& ln0Name,
                          const CString& ldName, CLD* ld);
    // The LDevice elements of an IED element in document order, each with its "inst".
    std::vector<SclLDevice> CollectLDevices(const DomNodePtr& iedNode);

    // Expands a data object (or sub data object) through its DOType into items and data items.
    void ExpandDOType(const CString& domain, const CString& node, const CString& objectPath, CSclObjectMap& doTypes,
                      CSclObjectMap& daTypes, const CString& typeId, IedTreeItemId parent, CLnDataEntry* entry,
                      const CString& dottedPrefix);
    // Expands a structured attribute through its DAType.
    void ExpandDAType(const CString& domain, const CString& node, const CString& fc, const CString& objectPath,
                      CSclObjectMap& daTypes, const CString& typeId, IedTreeItemId parent, CLnDataEntry* entry,
                      const CString& dottedPrefix, int ctlModel, const CString& ctlName);

    // Adds an item last under parent with text, icon (normal and selected) and record (owned by the items).
    IedTreeItemId InsertTreeItem(LPCSTR text, int icon, IedTreeItemId parent, CTreeModelRecord* record = nullptr);
    IedTreeItemId InsertReportItem(IedTreeItemId parent, LPCSTR text, int icon, const CString& dataPath,
                                   const CString& domain, const CString& dataType, const CString& dataSetName,
                                   const CString& reportName, int index, int count, const CReportControl& report,
                                   const CString& boundaries);
    IedTreeItemId InsertGooseItem(IedTreeItemId parent, LPCSTR text, int icon, const CString& dataPath,
                                  const CString& domain, const CString& dataType, int index, int count,
                                  const std::vector<_DATA_ITEM>& items, const CGooseControl& goose);

    // The control-model map the loaders record into: the project's map, or the loader's own when none was given.
    void SetCtlModelMap(CtlModelMap* map) { m_ctlModels = map != nullptr ? map : &m_ownCtlModels; }
    CtlModelMap& GetCtlModelMap() const { return *m_ctlModels; }

    // The items built so far, in the order they were added.
    const CIedTreeItems& GetItems() const { return m_items; }
    CIedTreeItems& GetItems() { return m_items; }
    // The messages of the loads so far, in order.
    const std::vector<SclLoadMessage>& GetMessages() const { return m_messages; }
    void ClearMessages() { m_messages.clear(); }

    CString m_sclFilePath;
    CString m_iedName;
    DomDocumentPtr m_document;
    int m_vendorMode = kVendorOther;
    CIedModel m_iedModel;
    CSclObjectMap m_lnodeTypes;
    CSclObjectMap m_doTypes;
    CSclObjectMap m_daTypes;
    CSclObjectMap m_dataSets;
    std::map<CString, CString> m_gseAddresses;
    std::vector<_CFCDA*> m_gooseMembers;
    std::vector<CReportControl> m_reports;
    std::vector<CGooseControl> m_gooseControls;

protected:
    // Keeps a message for the caller to show.
    void Report(const CString& text, UINT type);

private:
    HRESULT BuildIedModel(const CString& iedName);
    // Reads an LDevice's LN0 with its data sets and control blocks; returns its name.
    CString LoadLogicalNodeZero(const DomNodePtr& ln0, IedTreeItemId ldItem, const CString& ldInst, CLD* ld);
    // Adds the data objects of lnType to the node and the tree, expanded.
    void AddDataObjects(const CString& lnType, const CString& domain, const CString& lnName, CLN* ln,
                        IedTreeItemId lnItem);
    void RunReportPass();
    void RunGoosePass();
    // Reads every DOType once: the DOType id to control model index FindDoTypeCtlModel reads, and the types
    // LoadDOTypes files.
    void ParseDoTypes();
    // Records code for (domain, path) when it is larger than what the map holds.
    void RecordLargerCtlModel(const CString& domain, const CString& path, int code);
    // Adds a basic attribute as a data item and a leaf.
    void AddLeaf(const CString& domain, const CString& node, const CString& fc, const CString& objectPath,
                 const CString& name, const CString& bType, const CString& dottedPrefix, bool control, int ctlModel,
                 const CString& ctlName, IedTreeItemId parent, CLnDataEntry* entry);

    CIedTreeItems m_items;
    std::vector<SclLoadMessage> m_messages;
    CtlModelMap m_ownCtlModels;
    CtlModelMap* m_ctlModels = &m_ownCtlModels;
    // A DOType as read, before LoadDOTypes files it.
    struct ParsedDoType {
        std::unique_ptr<CDOType> type;
        // (attributes read, code) at each ctlModel attribute with a value.
        std::vector<std::pair<int, int>> ctlModels;
        // The reading stopped in this type on a missing required part.
        bool incomplete = false;
    };
    std::vector<ParsedDoType> m_parsedDoTypes;
    std::unique_ptr<ComError> m_doTypeError;
    std::map<CString, int> m_doTypeCtlModels;
    bool m_doTypesParsed = false;
    // Levels of sub data objects and structures being expanded.
    int m_typeNesting = 0;
};

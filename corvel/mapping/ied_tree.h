// CIEDTree: the IED tree of the IED mapping dialog; loads one IED's SCL model into itself and its containers.
#pragma once

#include "corvel/mapping/multi_tree.h"
#include "corvel/model/ctl_model_map.h"
#include "corvel/model/scl_control_blocks.h"
#include "corvel/model/scl_model.h"

#include <deque>
#include <map>
#include <unordered_map>
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

class CMainDoc;

class CIEDTree : public CMultiTree {
    DECLARE_DYNAMIC(CIEDTree)
public:
    CIEDTree();
    ~CIEDTree() override;

    // Loads the SCL file at path and builds the model and tree of the IED being mapped; false when the file
    // is missing or malformed, the project has no such IED, or the model could not be built.
    bool LoadIedModelFromScl(const CString& path);
    // Builds the model and tree of IED iedName from the loaded document: 0, E_ABORT when the document has
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
    int LoadReportControls(const DomNodePtr& ln0, HTREEITEM ln0Item, const CString& ln0Name, const CString& ldName,
                           CSclObjectMap& dataSets, std::vector<CReportControl>& reports);
    void LoadGseAddresses();
    // The IED element of the tree's IED name, or empty; name receives its "name".
    DomNodePtr FindIedNode(DomNodePtr& node, CString& name);
    // Reads the GOOSE control blocks of an LN0; returns the number of records appended.
    int LoadGooseControls(const DomNodePtr& ln0, HTREEITEM ln0Item, const CString& ln0Name, const CString& ldName,
                          CSclObjectMap& dataSets, std::vector<CGooseControl>& gooseControls);
    // Reads the logical nodes of an LDevice other than its LN0.
    void LoadLogicalNodes(const DomNodePtr& lDevice, HTREEITEM ldItem, const CString& ln0Name, const CString& ldName,
                          CLD* ld);
    // The LDevice elements of an IED element in document order, each with its "inst".
    std::vector<SclLDevice> CollectLDevices(const DomNodePtr& iedNode);

    // Expands a data object (or sub data object) through its DOType into items and data items.
    void ExpandDOType(const CString& domain, const CString& node, const CString& objectPath, CSclObjectMap& doTypes,
                      CSclObjectMap& daTypes, const CString& typeId, HTREEITEM parent, CLnDataEntry* entry,
                      const CString& dottedPrefix);
    // Expands a structured attribute through its DAType.
    void ExpandDAType(const CString& domain, const CString& node, const CString& fc, const CString& objectPath,
                      CSclObjectMap& daTypes, const CString& typeId, HTREEITEM parent, CLnDataEntry* entry,
                      const CString& dottedPrefix, int ctlModel, const CString& ctlName);

    // Inserts an item last under parent with text, icon (normal and selected) and record (owned by the tree).
    HTREEITEM InsertTreeItem(LPCSTR text, int icon, HTREEITEM parent, CTreeModelRecord* record = nullptr);
    HTREEITEM InsertReportItem(HTREEITEM parent, LPCSTR text, int icon, const CString& dataPath,
                               const CString& domain, const CString& dataType, const CString& dataSetName,
                               const CString& reportName, int index, int count, const CReportControl& report,
                               const CString& boundaries);
    HTREEITEM InsertGooseItem(HTREEITEM parent, LPCSTR text, int icon, const CString& dataPath, const CString& domain,
                              const CString& dataType, int index, int count, const std::vector<_DATA_ITEM>& items,
                              const CGooseControl& goose);

    // The project whose IED record LoadIedModelFromScl maps: by default the open document and the main frame's
    // current device.
    void SetProject(CMainDoc* document, int deviceId);

    // The control-model map the loaders record into: the project's map, or the tree's own when none was given.
    void SetCtlModelMap(CtlModelMap* map) { m_ctlModels = map != nullptr ? map : &m_ownCtlModels; }
    CtlModelMap& GetCtlModelMap() const { return *m_ctlModels; }

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

private:
    HRESULT BuildIedModel(const CString& iedName);
    // Reads an LDevice's LN0 with its data sets and control blocks; returns its name.
    CString LoadLogicalNodeZero(const DomNodePtr& ln0, HTREEITEM ldItem, const CString& ldInst, CLD* ld);
    // Adds the data objects of lnType to the node and the tree, expanded.
    void AddDataObjects(const CString& lnType, const CString& domain, const CString& lnName, CLN* ln,
                        HTREEITEM lnItem);
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
                 const CString& ctlName, HTREEITEM parent, CLnDataEntry* entry);

    // Items queued while LoadIedModel runs. The tree control looks the parent of every insertion up among all
    // its items, so the queue is inserted at the end level by level, parents first, under stand-in handles.
    struct PendingItem {
        HTREEITEM parent;
        CString text;
        int icon;
        std::unique_ptr<CTreeModelRecord> record;
        size_t parentIndex; // index of a queued parent, or kNoPendingParent
    };
    static constexpr size_t kNoPendingParent = static_cast<size_t>(-1);
    void BeginDeferredInsertion();
    // Inserts the queued items and gives the control blocks their real handles.
    void EndDeferredInsertion();

    bool m_deferInsertion = false;
    std::deque<PendingItem> m_pendingItems;
    std::unordered_map<HTREEITEM, size_t> m_pendingIndexes;
    size_t m_firstDeferredReport = 0;
    size_t m_firstDeferredGoose = 0;

    CMainDoc* m_projectDocument = nullptr;
    int m_projectDeviceId = 0;
    bool m_projectGiven = false;
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

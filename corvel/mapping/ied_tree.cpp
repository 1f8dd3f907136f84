#include "corvel/mapping/ied_tree.h"

#include "corvel/app/main_doc.h"
#include "corvel/model/scl_reading.h"
#include "corvel/workspace/main_frame.h"

#include <shlwapi.h>

#include <algorithm>

IMPLEMENT_DYNAMIC(CIEDTree, CMultiTree)

// String 143 of the program's resources.
const char kGooseLimitWarning[] =
    "Warning: Some GOOSE message Attributes exceed limitation. Those attributes will not be configurable.";
const char kReportInstanceLimitMessage[] = "Only 99 report instances are allowed";

namespace {

// Turns redrawing off while a load fills the tree.
class CRedrawOff {
public:
    explicit CRedrawOff(CWnd& wnd) : m_wnd(wnd)
    {
        if (m_wnd.m_hWnd != nullptr)
            m_wnd.SetRedraw(FALSE);
    }
    ~CRedrawOff()
    {
        if (m_wnd.m_hWnd != nullptr) {
            m_wnd.SetRedraw(TRUE);
            m_wnd.Invalidate();
        }
    }
    CRedrawOff(const CRedrawOff&) = delete;
    CRedrawOff& operator=(const CRedrawOff&) = delete;

private:
    CWnd& m_wnd;
};

} // namespace

CIEDTree::CIEDTree() = default;

CIEDTree::~CIEDTree() = default;

CString CIEDTree::GetAttributeText(const DomNodePtr& node, LPCSTR name, const CString& defaultText)
{
    return ::GetAttributeText(node, name, defaultText);
}

int CIEDTree::CtlModelFromText(const CString& text)
{
    return ::CtlModelFromText(text);
}

HTREEITEM CIEDTree::InsertTreeItem(LPCSTR text, int icon, HTREEITEM parent, CTreeModelRecord* record)
{
    std::unique_ptr<CTreeModelRecord> owned(record);
    if (m_deferInsertion) {
        const auto found = m_pendingIndexes.find(parent);
        const size_t parentIndex = found != m_pendingIndexes.end() ? found->second : kNoPendingParent;
        m_pendingItems.push_back({parent, text, icon, std::move(owned), parentIndex});
        // The queued item's address stands for its handle until it is inserted.
        auto standIn = reinterpret_cast<HTREEITEM>(&m_pendingItems.back());
        m_pendingIndexes.emplace(standIn, m_pendingItems.size() - 1);
        return standIn;
    }
    TVINSERTSTRUCTA insert = {};
    insert.hParent = parent;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
    insert.item.pszText = const_cast<LPSTR>(text);
    insert.item.iImage = icon;
    insert.item.iSelectedImage = icon;
    insert.item.lParam = reinterpret_cast<LPARAM>(record);
    HTREEITEM item = InsertItem(&insert);
    if (item != nullptr && owned)
        AdoptRecord(owned.release());
    return item;
}

HTREEITEM CIEDTree::InsertReportItem(HTREEITEM parent, LPCSTR text, int icon, const CString& dataPath,
                                     const CString& domain, const CString& dataType, const CString& dataSetName,
                                     const CString& reportName, int index, int count, const CReportControl& report,
                                     const CString& boundaries)
{
    auto record = std::make_unique<CTreeModelRecord>();
    record->dataPath.Format("%s", (LPCSTR)dataPath);
    record->namePrefix.Format("%s", (LPCSTR)domain);
    record->dataType.Format("%s", (LPCSTR)dataType);
    record->isControlBlock = 1;
    record->index = index;
    record->count = count;
    record->dataSetName.Format("%s", (LPCSTR)dataSetName);
    record->reportName.Format("%s", (LPCSTR)reportName);
    record->boundaries = boundaries;
    record->report = report;
    return InsertTreeItem(text, icon, parent, record.release());
}

HTREEITEM CIEDTree::InsertGooseItem(HTREEITEM parent, LPCSTR text, int icon, const CString& dataPath,
                                    const CString& domain, const CString& dataType, int index, int count,
                                    const std::vector<_DATA_ITEM>& items, const CGooseControl& goose)
{
    auto record = std::make_unique<CTreeModelRecord>();
    record->dataPath.Format("%s", (LPCSTR)dataPath);
    record->namePrefix.Format("%s", (LPCSTR)domain);
    record->dataType.Format("%s", (LPCSTR)dataType);
    record->isControlBlock = 1;
    record->isGoose = 1;
    record->index = index;
    record->count = count;
    record->dataItems = items;
    record->goose = goose;
    record->goose.treeItem = nullptr;
    record->goose.linkedDataSet = nullptr;
    return InsertTreeItem(text, icon, parent, record.release());
}

void CIEDTree::SetProject(CMainDoc* document, int deviceId)
{
    m_projectDocument = document;
    m_projectDeviceId = deviceId;
    m_projectGiven = true;
}

bool CIEDTree::LoadIedModelFromScl(const CString& path)
{
    m_sclFilePath = path;
    if (!::PathFileExistsA(path))
        return false;

    CMainDoc* document = m_projectDocument;
    int deviceId = m_projectDeviceId;
    if (!m_projectGiven) {
        document = FindMainDocument();
        auto* frame = DYNAMIC_DOWNCAST(CMainFrame, AfxGetMainWnd());
        deviceId = frame != nullptr ? frame->currentDeviceId : 0;
    }
    if (document == nullptr)
        return false;
    CMainDoc::_IED_DEVICE* device = nullptr;
    for (POSITION pos = document->project.iedDevices.GetHeadPosition(); pos != nullptr && device == nullptr;) {
        CMainDoc::_IED_DEVICE* candidate = document->project.iedDevices.GetNext(pos);
        if (candidate->devNum == deviceId)
            device = candidate;
    }
    if (device == nullptr)
        return false;

    device->vendor.MakeUpper();
    if (device->vendor.Find("MERLIN") >= 0 || device->vendor.Find("SCHNEIDER") >= 0)
        m_vendorMode = kVendorSchneider;
    if (device->vendor.Find("SEL") >= 0)
        m_vendorMode = kVendorSel;
    SetCtlModelMap(&document->ctlModelMap);

    CWaitCursor wait;
    try {
        m_document = CreateDomDocument();
        AddXmlNode(m_document.Get());
        if (!LoadDomDocumentFromFile(m_document, path)) {
            const DomParseError error = GetParseError(m_document);
            CString message;
            message.Format("XML Parse Error 0x%x : %s", static_cast<unsigned>(error.errorCode), (LPCSTR)error.reason);
            MessageBox(message, nullptr, MB_OK);
            return false;
        }
    } catch (const ComError& error) {
        MessageBox(SclLoadErrorText(error), nullptr, MB_OK | MB_ICONERROR);
        return false;
    }
    return LoadIedModel(device->name) == S_OK;
}

HRESULT CIEDTree::LoadIedModel(const CString& iedName)
{
    CRedrawOff redrawOff(*this);
    HRESULT result = S_OK;
    BeginDeferredInsertion();
    try {
        result = BuildIedModel(iedName);
    } catch (const ComError& error) {
        EndDeferredInsertion();
        MessageBox(SclLoadErrorText(error), nullptr, MB_OK | MB_ICONERROR);
        return FAILED(error.Error()) ? error.Error() : E_FAIL;
    } catch (...) {
        EndDeferredInsertion();
        throw;
    }
    EndDeferredInsertion();
    return result;
}

void CIEDTree::BeginDeferredInsertion()
{
    m_deferInsertion = m_hWnd != nullptr;
    m_firstDeferredReport = m_reports.size();
    m_firstDeferredGoose = m_gooseControls.size();
}

void CIEDTree::EndDeferredInsertion()
{
    if (!m_deferInsertion)
        return;
    m_deferInsertion = false;
    const size_t count = m_pendingItems.size();
    std::vector<size_t> depth(count, 0);
    size_t deepest = 0;
    for (size_t i = 0; i < count; ++i) {
        const size_t parent = m_pendingItems[i].parentIndex;
        depth[i] = parent == kNoPendingParent ? 0 : depth[parent] + 1;
        deepest = std::max(deepest, depth[i]);
    }
    std::vector<std::vector<size_t>> levels(count != 0 ? deepest + 1 : 0);
    for (size_t i = 0; i < count; ++i)
        levels[depth[i]].push_back(i);

    std::unordered_map<HTREEITEM, HTREEITEM> realHandles;
    const auto real = [&realHandles](HTREEITEM standIn) {
        const auto found = realHandles.find(standIn);
        return found != realHandles.end() ? found->second : standIn;
    };
    std::vector<HTREEITEM> inserted(count, nullptr);
    for (const std::vector<size_t>& level : levels) {
        for (size_t i : level) {
            PendingItem& pending = m_pendingItems[i];
            HTREEITEM parent = pending.parent;
            if (pending.parentIndex != kNoPendingParent) {
                parent = inserted[pending.parentIndex];
                if (parent == nullptr)
                    continue; // its parent could not be inserted
            }
            // A report item's record names its report, a parent inserted before it.
            if (pending.record && pending.record->report.treeItem != nullptr)
                pending.record->report.treeItem = real(pending.record->report.treeItem);
            inserted[i] = InsertTreeItem(pending.text, pending.icon, parent, pending.record.release());
            realHandles.emplace(reinterpret_cast<HTREEITEM>(&pending), inserted[i]);
        }
    }
    for (size_t i = m_firstDeferredReport; i < m_reports.size(); ++i)
        m_reports[i].treeItem = real(m_reports[i].treeItem);
    for (size_t i = m_firstDeferredGoose; i < m_gooseControls.size(); ++i)
        m_gooseControls[i].treeItem = real(m_gooseControls[i].treeItem);
    m_pendingItems.clear();
    m_pendingIndexes.clear();
}

HRESULT CIEDTree::BuildIedModel(const CString& iedName)
{
    m_iedName = iedName;
    LoadLNodeTypes();
    LoadDATypes();
    LoadDOTypes();
    LoadGseAddresses();

    DomNodePtr iedNode;
    CString foundName;
    if (!FindIedNode(iedNode, foundName))
        return E_ABORT;

    const HTREEITEM iedItem = InsertTreeItem(foundName, kImageIed, TVI_ROOT);
    for (const SclLDevice& lDevice : CollectLDevices(iedNode)) {
        const CString& ldInst = lDevice.inst;
        CString desc;
        CString label = ldInst;
        if (CSclAttributes(lDevice.element).Find("desc", desc))
            label.Format("%s: %s", (LPCSTR)ldInst, (LPCSTR)desc);

        CLD* ld = m_iedModel.AddLD(ldInst);
        m_iedModel.iedName = m_iedName;
        const HTREEITEM ldItem = InsertTreeItem(label, kImageLogicalDevice, iedItem);

        const CString ln0Name =
            LoadLogicalNodeZero(RequiredChildElement(lDevice.element, "LN0"), ldItem, ldInst, ld);
        LoadLogicalNodes(lDevice.element, ldItem, ln0Name, ldInst, ld);
    }
    RunReportPass();
    RunGoosePass();
    return S_OK;
}

CString CIEDTree::LoadLogicalNodeZero(const DomNodePtr& ln0, HTREEITEM ldItem, const CString& ldInst, CLD* ld)
{
    const LogicalNodeNames names = ReadLogicalNodeNames(CSclAttributes(ln0));
    const CString& ln0Name = names.name;
    CLN* ln = ld->AddLN(ln0Name);
    const HTREEITEM ln0Item = InsertTreeItem(names.label, kImageLogicalNode, ldItem);
    AddDataObjects(names.lnType, m_iedName + ldInst, ln0Name, ln, ln0Item);

    LoadDataSets(ln0, m_dataSets);
    LoadReportControls(ln0, ln0Item, ln0Name, ldInst, m_dataSets, m_reports);
    LoadGooseControls(ln0, ln0Item, ln0Name, ldInst, m_dataSets, m_gooseControls);
    return ln0Name;
}

void CIEDTree::AddDataObjects(const CString& lnType, const CString& domain, const CString& lnName, CLN* ln,
                              HTREEITEM lnItem)
{
    auto* type = static_cast<CLNodeType*>(m_lnodeTypes.FindSclObject(lnType));
    if (type == nullptr)
        return;
    for (CLNodeTypeDO* dataObject : type->dataObjects) {
        CLnDataEntry* entry = ln->AddDataEntry(dataObject->name);
        const HTREEITEM doItem = InsertTreeItem(dataObject->name, kImageDataObject, lnItem);
        ExpandDOType(domain, lnName, dataObject->name, m_doTypes, m_daTypes, dataObject->type, doItem, entry,
                     CString());
    }
}

void CIEDTree::RunReportPass()
{
    for (const CReportControl& report : m_reports) {
        auto* dataSet = static_cast<CDataSet*>(m_dataSets.FindSclObject(report.datSet));
        if (dataSet == nullptr) {
            CString message;
            message.Format("The Report named %s\\%s ...\nis missing it's dataset and will not be available.",
                           (LPCSTR)report.rptID, (LPCSTR)report.name);
            MessageBox(message, nullptr, MB_OK);
            continue;
        }
        std::vector<_DATA_ITEM> attributes;
        CString boundaries = "0";
        for (_CFCDA* member : dataSet->members) {
            boundaries += ",";
            m_iedModel.CollectFcdaItems(attributes, member->ldInst, member->prefix, member->lnClass, member->lnInst,
                                        member->doName, member->daName, member->fc);
            boundaries.AppendFormat("%d", static_cast<int>(attributes.size()));
        }
        const int count = static_cast<int>(attributes.size());
        for (int i = 0; i < count; ++i) {
            const _DATA_ITEM& attribute = attributes[static_cast<size_t>(i)];
            InsertReportItem(report.treeItem, attribute.mmsDataPath, FcCode(attribute.FC), attribute.mmsDataPath,
                             attribute.domName, attribute.dataType, report.datSet, report.name, i, count, report,
                             boundaries);
        }
    }
}

void CIEDTree::RunGoosePass()
{
    for (const CGooseControl& goose : m_gooseControls) {
        std::vector<_DATA_ITEM> attributes;
        if (goose.linkedDataSet != nullptr) {
            for (_CFCDA* member : goose.linkedDataSet->members) {
                if (member == nullptr)
                    continue;
                m_iedModel.CollectFcdaItems(attributes, member->ldInst, member->prefix, member->lnClass,
                                            member->lnInst, member->doName, member->daName, member->fc);
                member->FCDAPath.Format("%s%s%s$%s$%s", (LPCSTR)member->prefix, (LPCSTR)member->lnClass,
                                        (LPCSTR)member->lnInst, (LPCSTR)member->fc, (LPCSTR)member->doName);
                if (!member->daName.IsEmpty())
                    member->FCDAPath += "$" + member->daName;
                member->dataSet = goose.dataSetRef;
                m_gooseMembers.push_back(member);
            }
        }
        CString previous;
        int index = 0;
        for (size_t k = 0; k < attributes.size();) {
            const _DATA_ITEM attribute = attributes[k];
            const int icon = FcCode(attribute.FC);
            if (attribute.mmsDataPath == previous) {
                attributes.erase(attributes.begin() + static_cast<std::ptrdiff_t>(k));
                continue;
            }
            InsertGooseItem(goose.treeItem, attribute.mmsDataPath, icon, attribute.mmsDataPath, attribute.domName,
                            attribute.dataType, index, static_cast<int>(attributes.size()), attributes, goose);
            previous = attribute.mmsDataPath;
            ++index;
            if (index > kMaxGooseAttributes)
                MessageBox(kGooseLimitWarning, nullptr, MB_OK | MB_ICONWARNING);
            ++k;
        }
    }
}

#include "corvel/mapping/ied_tree.h"

#include "corvel/app/main_doc.h"
#include "corvel/workspace/main_frame.h"

#include <shlwapi.h>

#include <algorithm>
#include <utility>

IMPLEMENT_DYNAMIC(CIEDTree, CMultiTree)

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

void CIEDTree::SetProject(CMainDoc* document, int deviceId)
{
    m_projectDocument = document;
    m_projectDeviceId = deviceId;
    m_projectGiven = true;
}

HTREEITEM CIEDTree::GetItemHandle(IedTreeItemId item) const
{
    return item < m_itemHandles.size() ? m_itemHandles[item] : nullptr;
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
        deviceId = CurrentDeviceId();
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
    const bool parsed = LoadSclDocument(path);
    AddXmlNode(m_document.Get());
    if (!parsed) {
        ShowMessages();
        return false;
    }
    return LoadIedModel(device->name) == S_OK;
}

HRESULT CIEDTree::LoadIedModel(const CString& iedName)
{
    const HRESULT result = CIedTreeLoader::LoadIedModel(iedName);
    ShowMessages();
    InsertLoadedItems();
    return result;
}

void CIEDTree::ShowMessages()
{
    for (const SclLoadMessage& message : GetMessages())
        MessageBox(message.text, nullptr, message.type);
    ClearMessages();
}

void CIEDTree::VisitBelow(HTREEITEM item, const std::function<void(const CTreeModelRecord*)>& visit)
{
    const auto found = m_itemIds.find(item);
    if (found == m_itemIds.end()) {
        CMultiTree::VisitBelow(item, visit);
        return;
    }
    const CIedTreeItems& items = GetItems();
    std::function<void(IedTreeItemId)> walk = [&](IedTreeItemId parent) {
        for (IedTreeItemId child = items.GetChildItem(parent); child != kNoIedTreeItem;
             child = items.GetNextSiblingItem(child)) {
            if (child >= m_itemHandles.size() || m_itemHandles[child] == nullptr)
                continue;
            visit(m_itemRecords[child]);
            walk(child);
        }
    };
    walk(found->second);
}

void CIEDTree::InsertLoadedItems()
{
    CIedTreeItems& items = GetItems();
    const size_t first = m_itemHandles.size();
    const size_t count = items.GetCount();
    if (m_hWnd == nullptr || first >= count)
        return;
    m_itemHandles.resize(count, nullptr);
    m_itemRecords.resize(count, nullptr);

    // Items inserted before are parents at level 0 for the new ones.
    std::vector<size_t> depth(count - first, 0);
    std::vector<std::vector<IedTreeItemId>> levels;
    for (IedTreeItemId id = first; id < count; ++id) {
        const IedTreeItemId parent = items[id].parent;
        const size_t level = parent == kIedTreeRoot || parent < first ? 0 : depth[parent - first] + 1;
        depth[id - first] = level;
        if (levels.size() <= level)
            levels.resize(level + 1);
        levels[level].push_back(id);
    }

    CRedrawOff redrawOff(*this);
    for (const std::vector<IedTreeItemId>& level : levels) {
        for (IedTreeItemId id : level) {
            IedTreeItem& item = items[id];
            HTREEITEM parent = TVI_ROOT;
            if (item.parent != kIedTreeRoot) {
                parent = m_itemHandles[item.parent];
                if (parent == nullptr)
                    continue; // its parent could not be inserted
            }
            TVINSERTSTRUCTA insert = {};
            insert.hParent = parent;
            insert.hInsertAfter = TVI_LAST;
            insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
            insert.item.pszText = const_cast<LPSTR>(static_cast<LPCSTR>(item.text));
            insert.item.iImage = item.image;
            insert.item.iSelectedImage = item.image;
            insert.item.lParam = reinterpret_cast<LPARAM>(item.record.get());
            m_itemHandles[id] = InsertItem(&insert);
            // Tag names may be 40 characters longer than the longest domain of the model.
            if (item.record && item.record->namePrefix.GetLength() > GetPrefixText().GetLength())
                SetPrefixText(item.record->namePrefix);
            if (m_itemHandles[id] != nullptr) {
                m_itemIds[m_itemHandles[id]] = id;
                m_itemRecords[id] = item.record.get();
                if (item.record)
                    AdoptRecord(std::move(item.record));
            }
        }
    }
}

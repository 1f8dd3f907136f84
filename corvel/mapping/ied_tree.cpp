#include "corvel/mapping/ied_tree.h"

#include "corvel/document/main_doc.h"
#include "corvel/document/document_frame.h"

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
    if (item >= m_itemHandles.size())
        return nullptr;
    if (m_itemHandles[item] == nullptr) {
        // Fill the branches from the top item down to the item.
        const CIedTreeItems& items = GetItems();
        std::vector<IedTreeItemId> above;
        for (IedTreeItemId up = items[item].parent; up != kIedTreeRoot; up = items[up].parent)
            above.push_back(up);
        auto* self = const_cast<CIEDTree*>(this);
        for (auto up = above.rbegin(); up != above.rend() && m_itemHandles[*up] != nullptr; ++up)
            self->InsertChildren(m_itemHandles[*up]);
    }
    return m_itemHandles[item];
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
    CMainDoc::_IED_DEVICE* device = Corvel::Records::FindDevice(document->project.iedDevices, deviceId);
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
            visit(m_itemRecords[child]);
            walk(child);
        }
    };
    walk(found->second);
}

HTREEITEM CIEDTree::GetInsertedChildItem(HTREEITEM item)
{
    return reinterpret_cast<HTREEITEM>(DefWindowProc(TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(item)));
}

LRESULT CIEDTree::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if ((message == TVM_GETNEXTITEM && wParam == TVGN_CHILD) ||
        (message == TVM_EXPAND && (wParam & TVE_EXPAND) != 0))
        InsertChildren(reinterpret_cast<HTREEITEM>(lParam));
    return CMultiTree::WindowProc(message, wParam, lParam);
}

BOOL CIEDTree::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_NOTIFY) {
        const auto* info = reinterpret_cast<const NMTREEVIEWA*>(lParam);
        // The item handle and action lie at the same places in the ANSI and Unicode records.
        if ((info->hdr.code == TVN_ITEMEXPANDINGA || info->hdr.code == TVN_ITEMEXPANDINGW) &&
            (info->action & TVE_EXPAND) != 0)
            InsertChildren(info->itemNew.hItem);
        else if (info->hdr.code == TVN_DELETEITEMA || info->hdr.code == TVN_DELETEITEMW)
            ForgetItem(info->itemOld.hItem);
    }
    return CMultiTree::OnChildNotify(message, wParam, lParam, pResult);
}

HTREEITEM CIEDTree::InsertLoadedItem(IedTreeItemId id, HTREEITEM parent)
{
    const IedTreeItem& item = GetItems()[id];
    TVINSERTSTRUCTA insert = {};
    insert.hParent = parent;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
    insert.item.pszText = const_cast<LPSTR>(static_cast<LPCSTR>(item.text));
    insert.item.iImage = item.image;
    insert.item.iSelectedImage = item.image;
    insert.item.lParam = reinterpret_cast<LPARAM>(m_itemRecords[id]);
    if (item.firstChild != kNoIedTreeItem) {
        // The button shows before the children are inserted.
        insert.item.mask |= TVIF_CHILDREN;
        insert.item.cChildren = 1;
    }
    const HTREEITEM handle = InsertItem(&insert);
    m_itemHandles[id] = handle;
    if (handle != nullptr)
        m_itemIds[handle] = id;
    return handle;
}

void CIEDTree::InsertChildren(HTREEITEM item)
{
    const auto found = m_itemIds.find(item);
    if (found == m_itemIds.end() || m_childrenInserted[found->second])
        return;
    const IedTreeItemId parent = found->second;
    m_childrenInserted[parent] = true;
    const CIedTreeItems& items = GetItems();
    for (IedTreeItemId child = items.GetChildItem(parent); child != kNoIedTreeItem;
         child = items.GetNextSiblingItem(child)) {
        if (m_itemHandles[child] == nullptr)
            InsertLoadedItem(child, item);
    }
}

void CIEDTree::ForgetItem(HTREEITEM item)
{
    const auto found = m_itemIds.find(item);
    if (found == m_itemIds.end())
        return;
    const IedTreeItemId id = found->second;
    m_itemIds.erase(found);
    m_itemHandles[id] = nullptr;
    m_childrenInserted[id] = false;
    // Its parent's branch is filled again when it is next expanded or asked for.
    const IedTreeItemId parent = GetItems()[id].parent;
    if (parent != kIedTreeRoot)
        m_childrenInserted[parent] = false;
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
    m_childrenInserted.resize(count, false);
    for (IedTreeItemId id = first; id < count; ++id) {
        IedTreeItem& item = items[id];
        if (!item.record)
            continue;
        // Tag names may be 40 characters longer than the longest domain of the model.
        if (item.record->namePrefix.GetLength() > GetPrefixText().GetLength())
            SetPrefixText(item.record->namePrefix);
        m_itemRecords[id] = item.record.get();
        AdoptRecord(std::move(item.record));
    }

    // New top items, and new children of branches already filled (parents come before their children).
    CRedrawOff redrawOff(*this);
    for (IedTreeItemId id = first; id < count; ++id) {
        const IedTreeItemId parent = items[id].parent;
        if (parent == kIedTreeRoot) {
            InsertLoadedItem(id, TVI_ROOT);
        } else if (m_itemHandles[parent] != nullptr) {
            if (m_childrenInserted[parent]) {
                InsertLoadedItem(id, m_itemHandles[parent]);
            } else if (parent < first && items[parent].firstChild == id) {
                // An item inserted before without children gets its button.
                TVITEMA update = {};
                update.mask = TVIF_HANDLE | TVIF_CHILDREN;
                update.hItem = m_itemHandles[parent];
                update.cChildren = 1;
                SetItem(&update);
            }
        }
    }
}

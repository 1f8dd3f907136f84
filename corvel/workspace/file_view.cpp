#include "corvel/workspace/file_view.h"

#include "corvel/app/main_doc.h"
#include "corvel/app/res/resource.h"
#include "corvel/model/product.h"
#include "corvel/project/path_utils.h"
#include "corvel/workspace/buttons.h"

#include <vector>

IMPLEMENT_DYNAMIC(CViewTree, CTreeCtrl)
IMPLEMENT_DYNCREATE(CFileView, CDockablePane)

BEGIN_MESSAGE_MAP(CViewTree, CTreeCtrl)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

HTREEITEM CViewTree::GetNextTreeItem(HTREEITEM hItem) const
{
    if (hItem == nullptr)
        return nullptr;
    if (HTREEITEM child = GetChildItem(hItem))
        return child;
    for (HTREEITEM item = hItem; item != nullptr; item = GetParentItem(item)) {
        if (HTREEITEM sibling = GetNextSiblingItem(item))
            return sibling;
    }
    return nullptr;
}

CIedItemData* CViewTree::GetIedItemData(HTREEITEM hItem) const
{
    return hItem != nullptr ? reinterpret_cast<CIedItemData*>(GetItemData(hItem)) : nullptr;
}

void CViewTree::DeleteItemData(HTREEITEM hItem)
{
    if (CIedItemData* data = GetIedItemData(hItem)) {
        SetItemData(hItem, 0);
        delete data;
    }
}

void CViewTree::DeleteItemDataTree(HTREEITEM hItem)
{
    if (hItem == nullptr)
        return;
    DeleteItemData(hItem);
    for (HTREEITEM child = GetChildItem(hItem); child != nullptr; child = GetNextSiblingItem(child))
        DeleteItemDataTree(child);
}

// The items go with the control, so their data is freed while they are still there.
void CViewTree::OnDestroy()
{
    for (HTREEITEM item = GetRootItem(); item != nullptr; item = GetNextSiblingItem(item))
        DeleteItemDataTree(item);
    CTreeCtrl::OnDestroy();
}

BEGIN_MESSAGE_MAP(CFileView, CDockablePane)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_SETFOCUS()
END_MESSAGE_MAP()

CFileView::CFileView() = default;
CFileView::~CFileView() = default;

int CFileView::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CDockablePane::OnCreate(lpCreateStruct) == -1)
        return -1;
    const DWORD style = WS_CHILD | WS_VISIBLE | TVS_HASLINES | TVS_LINESATROOT | TVS_HASBUTTONS;
    if (!m_wndFileView.Create(style, CRect(0, 0, 0, 0), this, kTreeId))
        return -1;
    FillFileView();
    return 0;
}

void CFileView::OnSize(UINT nType, int cx, int cy)
{
    CDockablePane::OnSize(nType, cx, cy);
    if (m_wndFileView.GetSafeHwnd() != nullptr)
        m_wndFileView.SetWindowPos(nullptr, 1, 1, cx - 2, cy - 2, SWP_NOACTIVATE | SWP_NOZORDER);
}

void CFileView::OnSetFocus(CWnd* pOldWnd)
{
    CDockablePane::OnSetFocus(pOldWnd);
    m_wndFileView.SetFocus();
}

void CFileView::FillFileView()
{
    HTREEITEM top = m_wndFileView.InsertItem("Devices & Configurations", kImageFolder, kImageFolder);
    m_wndFileView.SetItemState(top, TVIS_BOLD, TVIS_BOLD);
    HTREEITEM devices = m_wndFileView.InsertItem("Ethernet/IP Devices", kImageFolder, kImageFolder, top);
    m_wndFileView.InsertItem("Ethernet/IP Class 3", kImageDevice, kImageDevice, devices);
    m_hIedRoot = m_wndFileView.InsertItem("IEC 61850 Configurations", kImageFolder, kImageFolder, top);
    m_wndFileView.Expand(top, TVE_EXPAND);
    m_wndFileView.Expand(devices, TVE_EXPAND);
    m_wndFileView.Expand(m_hIedRoot, TVE_EXPAND);
}

HTREEITEM CFileView::AddFileItem(const CString& filePath, int image)
{
    return m_wndFileView.InsertItem(filePath, image, image, m_hIedRoot, TVI_LAST);
}

void CFileView::AddSclFileNode(const CString& filePath, const CString& fileName)
{
    static_cast<void>(fileName);
    HTREEITEM fileItem = AddFileItem(filePath, kImageFile);
    CMainDoc::CConnectedAPArray entries;
    CMainDoc::ReadIedHeader(filePath, entries);
    std::vector<std::unique_ptr<CConnectedAP>> owned;
    owned.reserve(static_cast<size_t>(entries.GetSize()));
    for (INT_PTR i = 0; i < entries.GetSize(); ++i)
        owned.emplace_back(entries[i]);
    entries.RemoveAll();
    for (std::unique_ptr<CConnectedAP>& entry : owned) {
        auto data = std::make_unique<CIedItemData>();
        data->filePath = filePath;
        data->iedName = entry->ied.name;
        data->connectedAP = std::move(entry);
        HTREEITEM item = fileItem != nullptr
                             ? m_wndFileView.InsertItem(data->iedName, kImageIed, kImageIed, fileItem, TVI_LAST)
                             : nullptr;
        if (item != nullptr && m_wndFileView.SetItemData(item, reinterpret_cast<DWORD_PTR>(data.get())))
            data.release();
    }
    m_wndFileView.Expand(m_hIedRoot, TVE_EXPAND);
}

void CFileView::FillFromProject()
{
    CMainDoc* doc = FindMainDocument();
    if (doc == nullptr)
        return;
    for (POSITION pos = doc->project.sclFiles.GetHeadPosition(); pos != nullptr;) {
        const CMainDoc::_ICD_FILES* file = doc->project.sclFiles.GetNext(pos);
        if (file->fileName.IsEmpty())
            continue;
        if (::GetFileAttributesA(file->filePath) != INVALID_FILE_ATTRIBUTES)
            AddSclFileNode(file->filePath, file->fileName);
        else
            AddFileItem(file->filePath, kImageMissingFile);
    }
    m_wndFileView.Expand(m_hIedRoot, TVE_EXPAND);
}

void CFileView::RemoveFileItems()
{
    if (m_hIedRoot == nullptr)
        return;
    HTREEITEM child = m_wndFileView.GetChildItem(m_hIedRoot);
    while (child != nullptr) {
        HTREEITEM next = m_wndFileView.GetNextSiblingItem(child);
        m_wndFileView.DeleteItemDataTree(child);
        m_wndFileView.DeleteItem(child);
        child = next;
    }
}

void CFileView::ChangeSclFilePath(const CString& oldPath, const CString& newPath)
{
    CMainDoc* doc = FindMainDocument();
    if (doc == nullptr)
        return;
    const CString fileName = GetFileNameOfPath(oldPath);
    for (POSITION pos = doc->project.sclFiles.GetHeadPosition(); pos != nullptr;) {
        CMainDoc::_ICD_FILES* file = doc->project.sclFiles.GetNext(pos);
        if (file->fileName == fileName) {
            file->filePath = newPath;
            break;
        }
    }
    for (POSITION pos = doc->project.iedDevices.GetHeadPosition(); pos != nullptr;) {
        CMainDoc::_IED_DEVICE* device = doc->project.iedDevices.GetNext(pos);
        if (device->CIDFile != oldPath)
            continue;
        device->CIDFile = newPath;
        if (device->button != nullptr)
            device->button->sclFilePath = newPath;
    }
}

void CFileView::EditSclFilePath(const CString& filePath)
{
    CFileDialog dialog(TRUE, nullptr, nullptr, OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST,
                       kSclFileFilter);
    CMainDoc* doc = FindMainDocument();
    if (dialog.DoModal() == IDOK && doc != nullptr) {
        const CString chosen = dialog.GetPathName();
        const CString fileName = GetFileNameOfPath(filePath);
        for (POSITION pos = doc->project.sclFiles.GetHeadPosition(); pos != nullptr;) {
            CMainDoc::_ICD_FILES* file = doc->project.sclFiles.GetNext(pos);
            if (file->fileName == fileName) {
                file->fileName = GetFileNameOfPath(chosen);
                file->filePath = chosen;
            }
        }
        for (POSITION pos = doc->project.iedDevices.GetHeadPosition(); pos != nullptr;) {
            CMainDoc::_IED_DEVICE* device = doc->project.iedDevices.GetNext(pos);
            if (device->state == Corvel::Records::kSlotFree || GetFileNameOfPath(device->CIDFile) != fileName)
                continue;
            device->CIDFile = chosen;
            if (device->button != nullptr)
                device->button->sclFilePath = chosen;
        }
    }
    if (CWnd* mainWindow = AfxGetMainWnd())
        mainWindow->SendMessage(WM_REFRESH_FILE_VIEW);
}

#include "corvel/workspace/file_view.h"

#include "corvel/app/main_doc.h"

IMPLEMENT_DYNAMIC(CViewTree, CTreeCtrl)
IMPLEMENT_DYNCREATE(CFileView, CWnd)

BEGIN_MESSAGE_MAP(CFileView, CWnd)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_SETFOCUS()
END_MESSAGE_MAP()

CFileView::CFileView() = default;
CFileView::~CFileView() = default;

int CFileView::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    const DWORD style = WS_CHILD | WS_VISIBLE | TVS_HASLINES | TVS_LINESATROOT | TVS_HASBUTTONS;
    if (!m_wndFileView.Create(style, CRect(0, 0, 0, 0), this, kTreeId))
        return -1;
    FillFileView();
    return 0;
}

void CFileView::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    if (m_wndFileView.GetSafeHwnd() != nullptr)
        m_wndFileView.SetWindowPos(nullptr, 1, 1, cx - 2, cy - 2, SWP_NOACTIVATE | SWP_NOZORDER);
}

void CFileView::OnSetFocus(CWnd* pOldWnd)
{
    CWnd::OnSetFocus(pOldWnd);
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
    AddFileItem(filePath, kImageFile);
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
        m_wndFileView.DeleteItem(child);
        child = next;
    }
}

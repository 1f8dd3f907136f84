#include "corvel/workspace/main_frame.h"

#include "corvel/model/product.h"
#include "corvel/project/path_utils.h"

#include "corvel/app/main_doc.h"
#include "corvel/workspace/buttons.h"
#include "corvel/workspace/file_view.h"
#include "corvel/workspace/main_view.h"

namespace {

constexpr int kFileViewWidth = 260;

} // namespace

void CSplitterEx::SetLabelText(const CString& text)
{
    m_label = text;
    if (GetSafeHwnd() != nullptr)
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE);
}

IMPLEMENT_DYNCREATE(CMainFrame, CFrameWndEx)

BEGIN_MESSAGE_MAP(CMainFrame, CFrameWndEx)
    ON_WM_CREATE()
    ON_WM_CLOSE()
END_MESSAGE_MAP()

CMainFrame::CMainFrame() = default;
CMainFrame::~CMainFrame() = default;

BOOL CMainFrame::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!CFrameWndEx::PreCreateWindow(cs))
        return FALSE;
    cs.style &= ~FWS_ADDTOTITLE;
    return TRUE;
}

int CMainFrame::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CFrameWndEx::OnCreate(lpCreateStruct) == -1)
        return -1;
    UpdateTitle(CString());
    return 0;
}

// The file view on the left, the network view on the right.
BOOL CMainFrame::OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext)
{
    static_cast<void>(lpcs);
    if (!m_wndSplitter.CreateStatic(this, 1, 2))
        return FALSE;
    if (!m_wndSplitter.CreateView(0, 0, RUNTIME_CLASS(CFileView), CSize(kFileViewWidth, 0), pContext) ||
        !m_wndSplitter.CreateView(0, 1, RUNTIME_CLASS(CMainView), CSize(0, 0), pContext))
        return FALSE;
    if (CMainView* view = GetNetworkView())
        SetActiveView(view);
    return TRUE;
}

CMainView* CMainFrame::GetNetworkView() const
{
    if (m_wndSplitter.GetSafeHwnd() == nullptr)
        return nullptr;
    return DYNAMIC_DOWNCAST(CMainView, m_wndSplitter.GetPane(0, 1));
}

CFileView* CMainFrame::GetFileView() const
{
    if (m_wndSplitter.GetSafeHwnd() == nullptr)
        return nullptr;
    return DYNAMIC_DOWNCAST(CFileView, m_wndSplitter.GetPane(0, 0));
}

CMainDoc* CMainFrame::GetProjectDocument() const
{
    CMainView* view = GetNetworkView();
    return view != nullptr ? view->GetDocument() : nullptr;
}

void CMainFrame::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    static_cast<void>(bAddToTitle);
    UpdateTitle(CString());
}

void CMainFrame::UpdateTitle(const CString& projectName)
{
    static_cast<void>(projectName);
    CString current;
    GetWindowText(current);
    if (current != kProductTitle)
        SetWindowText(kProductTitle);
}

void CMainFrame::ReleaseProject()
{
    if (CMainDoc* doc = GetProjectDocument())
        ReleaseNetworkRecords(*doc);
    UpdateTitle(CString());
}

void CMainFrame::RefreshFileView()
{
    if (CFileView* fileView = GetFileView()) {
        fileView->RemoveFileItems();
        fileView->FillFromProject();
    }
}

CString CMainFrame::GetModuleFolder() const
{
    return GetProgramFolder();
}

// Restores the window, asks to save a changed project and closes unless cancelled.
void CMainFrame::OnClose()
{
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof placement;
    if (::GetWindowPlacement(m_hWnd, &placement)) {
        placement.showCmd = SW_SHOWNORMAL;
        ::SetWindowPlacement(m_hWnd, &placement);
    }
    auto* doc = static_cast<CMainDoc*>(GetActiveDocumentOfClass(RUNTIME_CLASS(CMainDoc)));
    if (doc == nullptr)
        doc = GetProjectDocument();
    if (doc != nullptr) {
        if (!doc->PromptSaveChanges(kSaveChangesQuestion, true))
            return;
        doc->ClearFileLists();
    }
    CFrameWndEx::OnClose();
}

BOOL CMainFrame::DestroyWindow()
{
    ReleaseProject();
    return CFrameWndEx::DestroyWindow();
}

CMainFrame* GetMainFrame()
{
    return DYNAMIC_DOWNCAST(CMainFrame, AfxGetMainWnd());
}

int CurrentDeviceId()
{
    const CMainFrame* frame = GetMainFrame();
    return frame != nullptr ? frame->currentDeviceId : 0;
}

void ReleaseNetworkRecords(CMainDoc& doc)
{
    Corvel::Records::_PROJECT& project = doc.project;
    delete project.bridgeButton;
    project.bridgeButton = nullptr;
    while (!project.iedDevices.IsEmpty()) {
        CMainDoc::_IED_DEVICE* device = project.iedDevices.RemoveHead();
        delete device->button;
        delete device;
    }
    while (!project.plcDevices.IsEmpty()) {
        CMainDoc::CPLC_Device* device = project.plcDevices.RemoveHead();
        delete device->button;
        delete device;
    }
    Corvel::Records::DeleteRecords(project.tags);
    // The copy sources were records of the freed lists.
    doc.copiedIedDevice = nullptr;
    doc.copiedPlcDevice = nullptr;
}

#include "corvel/workspace/main_frame.h"

#include "corvel/model/product.h"
#include "corvel/project/path_utils.h"

#include "corvel/document/main_doc.h"
#include "corvel/resources/resource.h"
#include "corvel/workspace/buttons.h"
#include "corvel/workspace/dev_tag_view.h"
#include "corvel/workspace/file_view.h"
#include "corvel/workspace/main_view.h"
#include "corvel/workspace/props_dlg.h"

#include <userenv.h>

namespace {

// The status bar: the message pane and the lock-key indicators.
const UINT kIndicators[] = {ID_SEPARATOR, ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL};

// View > Split is the framework's split command, handled by the view inside the splitter.
static_assert(ID_VIEW_SPLIT == ID_WINDOW_SPLIT);

// Rows of the splitter: the upper row is this much higher than half the client area, the lower this much lower.
constexpr int kUpperRowExtra = 100;
// Text of the splitter's label: "Arial" at this size, placed this far below the bar's top.
constexpr int kLabelPoints = 9;
constexpr int kLabelTop = 6;
constexpr int kLabelMargin = 30;

CString LoadText(UINT id)
{
    CString text;
    text.LoadString(id);
    return text;
}

} // namespace

IMPLEMENT_DYNAMIC(CSplitterEx, CSplitterWndEx)

CSplitterEx::CSplitterEx()
{
    m_cxSplitter = kBarSize;
    m_cySplitter = kBarSize;
    m_cxBorderShare = kBorderShare;
    m_cyBorderShare = kBorderShare;
    m_cxSplitterGap = kBarSize;
    m_cySplitterGap = kBarSize;
    m_cxBorder = kBorder;
    m_cyBorder = kBorder;
}

void CSplitterEx::SetLabelText(const CString& text)
{
    m_label = text;
    if (GetSafeHwnd() != nullptr)
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE);
}

int CSplitterEx::GetIdealRowHeight(int row) const
{
    return row >= 0 && row < m_nRows ? m_rows[static_cast<size_t>(row)].ideal : 0;
}

void CSplitterEx::OnDrawSplitter(CDC* pDC, ESplitType nType, const CRect& rect)
{
    if (pDC == nullptr || (nType != splitBar && nType != splitBorder)) {
        CSplitterWndEx::OnDrawSplitter(pDC, nType, rect);
        return;
    }
    if (nType == splitBorder) {
        pDC->Draw3dRect(rect, ::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_BTNHIGHLIGHT));
        return;
    }
    pDC->Draw3dRect(rect, ::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_BTNHIGHLIGHT));
    CRect client;
    GetClientRect(&client);
    CBrush face(::GetSysColor(COLOR_BTNFACE));
    CBrush* oldBrush = pDC->SelectObject(&face);
    CRect bar = rect;
    CFont font;
    CFont* oldFont = nullptr;
    int labelX = 0;
    if (!m_label.IsEmpty()) {
        font.CreateFont(-(kLabelPoints * pDC->GetDeviceCaps(LOGPIXELSY) / 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, 0,
                        DEFAULT_CHARSET, OUT_STRING_PRECIS, CLIP_CHARACTER_PRECIS, DEFAULT_QUALITY,
                        DEFAULT_PITCH | FF_DONTCARE, "Arial");
        oldFont = pDC->SelectObject(&font);
        const CSize extent = pDC->GetTextExtent(m_label);
        bar.DeflateRect(1, 1);
        labelX = static_cast<int>((client.Width() - extent.cx) * 0.5);
        pDC->SetTextColor(RGB(0, 0, 0));
        pDC->SetBkMode(TRANSPARENT);
    }
    pDC->Rectangle(&bar);
    pDC->DrawEdge(&bar, EDGE_RAISED, BF_RECT);
    pDC->SelectObject(oldBrush);
    if (!m_label.IsEmpty() && labelX - kLabelMargin > bar.left) {
        TEXTMETRICA metrics = {};
        pDC->GetTextMetrics(&metrics);
        const int perLabel = m_label.GetLength() * std::max(1, static_cast<int>(metrics.tmAveCharWidth));
        pDC->TextOut(client.Width() / perLabel + 3, bar.top + kLabelTop, m_label);
    }
    if (oldFont != nullptr)
        pDC->SelectObject(oldFont);
}

IMPLEMENT_DYNCREATE(CMainFrame, CFrameWndEx)

BEGIN_MESSAGE_MAP(CMainFrame, CFrameWndEx)
    ON_WM_CREATE()
    ON_COMMAND(ID_VIEW_CUSTOMIZE, &CMainFrame::OnViewCustomize)
    ON_REGISTERED_MESSAGE(AFX_WM_CREATETOOLBAR, &CMainFrame::OnToolbarCreateNew)
    ON_COMMAND(ID_PROJECT_OPTIONS, &CMainFrame::OnProjectOptions)
    ON_WM_CLOSE()
    ON_MESSAGE(WM_REFRESH_FILE_VIEW, &CMainFrame::OnRefreshFileView)
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
    CMFCVisualManager::SetDefaultManager(RUNTIME_CLASS(CMFCVisualManagerWindows));

    if (!m_wndMenuBar.Create(this))
        return -1;
    m_wndMenuBar.SetPaneStyle(m_wndMenuBar.GetPaneStyle() | CBRS_SIZE_DYNAMIC | CBRS_TOOLTIPS | CBRS_FLYBY);
    CMFCPopupMenu::SetForceMenuFocus(FALSE);

    const bool highColour = UsesHighColourIcons();
    if (!m_wndToolBar.CreateEx(this, TBSTYLE_FLAT,
                               WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_TOOLTIPS | CBRS_FLYBY |
                                   CBRS_SIZE_DYNAMIC,
                               CRect(1, 1, 1, 1)) ||
        !m_wndToolBar.LoadToolBar(highColour ? IDR_MAINFRAME_256 : IDR_MAINFRAME))
        return -1;
    m_wndToolBar.SetWindowText(LoadText(IDS_TOOLBAR_STANDARD));
    m_wndToolBar.EnableCustomizeButton(TRUE, ID_VIEW_CUSTOMIZE, LoadText(IDS_TOOLBAR_CUSTOMIZE));

    if (!m_wndStatusBar.Create(this) || !m_wndStatusBar.SetIndicators(kIndicators, static_cast<int>(std::size(kIndicators))))
        return -1;
    SetMessageText(AFX_IDS_IDLEMESSAGE);

    m_wndMenuBar.EnableDocking(CBRS_ALIGN_ANY);
    m_wndToolBar.EnableDocking(CBRS_ALIGN_ANY);
    EnableDocking(CBRS_ALIGN_ANY);
    DockPane(&m_wndMenuBar);
    DockPane(&m_wndToolBar);
    EnableAutoHideBars(CBRS_ALIGN_ANY);
    CMFCToolBar::AddToolBarForImageCollection(IDB_MENU_IMAGES, highColour ? IDB_MENU_IMAGES_HC : 0);

    if (!m_wndFileView.Create(LoadText(IDS_FILE_VIEW), this, CRect(0, 0, 200, 200), TRUE, ID_VIEW_FILEVIEW,
                              WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | CBRS_LEFT | CBRS_FLOAT_MULTI))
        return -1;
    const int iconSize = ::GetSystemMetrics(SM_CXSMICON);
    HICON icon = static_cast<HICON>(::LoadImageA(AfxGetResourceHandle(),
                                                 MAKEINTRESOURCEA(highColour ? IDI_FILE_VIEW_HC : IDI_FILE_VIEW),
                                                 IMAGE_ICON, iconSize, iconSize, 0));
    m_wndFileView.SetIcon(icon, FALSE);
    m_wndFileView.EnableDocking(CBRS_ALIGN_ANY);
    DockPane(&m_wndFileView);

    EnablePaneMenu(TRUE, ID_VIEW_CUSTOMIZE, LoadText(IDS_TOOLBAR_CUSTOMIZE), ID_VIEW_TOOLBAR, FALSE);
    CMFCToolBar::EnableQuickCustomization();
    UpdateTitle(CString());
    return 0;
}

// The network view above, the device tag view below.
BOOL CMainFrame::OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext)
{
    static_cast<void>(lpcs);
    if (!m_wndSplitter.CreateStatic(this, 2, 1, WS_CHILD | WS_VISIBLE, AFX_IDW_PANE_FIRST))
        return FALSE;
    if (!m_wndSplitter.CreateView(0, 0, RUNTIME_CLASS(CMainView), CSize(0, 0), pContext) ||
        !m_wndSplitter.CreateView(1, 0, RUNTIME_CLASS(CDevTagView), CSize(0, 0), pContext))
        return FALSE;
    m_pTagView = DYNAMIC_DOWNCAST(CDevTagView, m_wndSplitter.GetPane(1, 0));
    CRect client;
    GetClientRect(&client);
    SetSplitterRows(client.Height());
    if (CMainView* view = GetNetworkView())
        SetActiveView(view);
    return TRUE;
}

void CMainFrame::SetSplitterRows(int clientHeight)
{
    m_wndSplitter.SetRowInfo(0, clientHeight / 2 + kUpperRowExtra, 0);
    m_wndSplitter.SetRowInfo(1, clientHeight / 2 - kUpperRowExtra, 0);
    m_wndSplitter.RecalcLayout();
}

CMainView* CMainFrame::GetNetworkView() const
{
    if (m_wndSplitter.GetSafeHwnd() == nullptr)
        return nullptr;
    return DYNAMIC_DOWNCAST(CMainView, m_wndSplitter.GetPane(0, 0));
}

CFileView* CMainFrame::GetFileView() const
{
    return m_wndFileView.GetSafeHwnd() != nullptr ? const_cast<CFileView*>(&m_wndFileView) : nullptr;
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

void CMainFrame::RebuildNetworkView()
{
    ReleaseProject();
    CMainView* view = DYNAMIC_DOWNCAST(CMainView, GetActiveView());
    if (view == nullptr) {
        view = GetNetworkView();
        if (view == nullptr)
            return;
        SetActiveView(view);
        view->SetFocus();
    }
    view->BuildNetworkView();
    view->UpdateScrollSizes();
}

void CMainFrame::ClearSplitterLabel()
{
    m_wndSplitter.SetLabelText(CString());
}

void CMainFrame::InvalidateActiveView()
{
    if (CView* view = GetActiveView())
        view->Invalidate(TRUE);
}

void CMainFrame::AddSclFileNode(const CString& path)
{
    if (CFileView* fileView = GetFileView())
        fileView->AddSclFileNode(path);
}

// The file items: the children of the IED root, met on a depth-first walk from the root's first child.
std::vector<CString> CMainFrame::ListSclFileNodes()
{
    std::vector<CString> paths;
    if (GetFileView() == nullptr)
        return paths;
    CViewTree& tree = m_wndFileView.GetFileTree();
    const HTREEITEM root = tree.GetRootItem();
    for (HTREEITEM item = root != nullptr ? tree.GetChildItem(root) : nullptr; item != nullptr;
         item = tree.GetNextTreeItem(item)) {
        if (tree.GetParentItem(item) == m_wndFileView.GetIedRoot())
            paths.push_back(tree.GetItemText(item));
    }
    return paths;
}

void CMainFrame::ChangeSclFilePath(const CString& oldPath, const CString& newPath)
{
    if (CFileView* fileView = GetFileView())
        fileView->ChangeSclFilePath(oldPath, newPath);
}

bool CMainFrame::AddPlcDevice(int& deviceId)
{
    CMainView* view = GetNetworkView();
    if (view == nullptr)
        return false;
    deviceId = view->AddDevice(CMainDoc::kKindPlc, CString(), nullptr);
    return true;
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

CString CMainFrame::GetUserProfileFolder()
{
    CString folder;
    HANDLE token = nullptr;
    if (::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, &token)) {
        char buffer[MAX_PATH] = {};
        DWORD size = MAX_PATH;
        if (::GetUserProfileDirectoryA(token, buffer, &size))
            folder = buffer;
        ::CloseHandle(token);
    }
    return folder;
}

LRESULT CMainFrame::OnRefreshFileView(WPARAM, LPARAM)
{
    RefreshFileView();
    return 0;
}

// Commands from the menus, with the shadows, text labels and menu animations offered and no Help.
void CMainFrame::OnViewCustomize()
{
    if (m_customizeDialog != nullptr && m_customizeDialog->GetSafeHwnd() != nullptr) {
        m_customizeDialog->SetActiveWindow();
        return;
    }
    m_customizeDialog.reset();
    auto dialog = std::make_unique<CMFCToolBarsCustomizeDialog>(
        this, TRUE,
        AFX_CUSTOMIZE_MENU_SHADOWS | AFX_CUSTOMIZE_TEXT_LABELS | AFX_CUSTOMIZE_MENU_ANIMATIONS | AFX_CUSTOMIZE_NOHELP);
    if (dialog->Create())
        m_customizeDialog = std::move(dialog);
}

CMFCToolBarsCustomizeDialog* CMainFrame::GetCustomizeDialog() const
{
    return m_customizeDialog != nullptr && m_customizeDialog->GetSafeHwnd() != nullptr ? m_customizeDialog.get()
                                                                                         : nullptr;
}

LRESULT CMainFrame::OnToolbarCreateNew(WPARAM wParam, LPARAM lParam)
{
    const LRESULT result = CFrameWndEx::OnToolbarCreateNew(wParam, lParam);
    if (auto* toolBar = reinterpret_cast<CMFCToolBar*>(result))
        toolBar->EnableCustomizeButton(TRUE, ID_VIEW_CUSTOMIZE, LoadText(IDS_TOOLBAR_CUSTOMIZE));
    return result;
}

BOOL CMainFrame::OnShowCustomizePane(CMFCPopupMenu* pMenuPane, UINT uiToolbarID)
{
    if (auto* toolBar = DYNAMIC_DOWNCAST(CMFCToolBar, GetDlgItem(static_cast<int>(uiToolbarID))))
        pMenuPane->AddDefaultButtons(*toolBar);
    return TRUE;
}

void CMainFrame::ActivateFrame(int nCmdShow)
{
    CFrameWnd::ActivateFrame(nCmdShow);
}

void CMainFrame::OnProjectOptions()
{
    CProps dialog(this);
    dialog.DoModal();
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
    if (m_pTagView != nullptr && m_pTagView->GetSafeHwnd() != nullptr)
        m_pTagView->SaveColumnWidths();
    ReleaseProject();
    return CFrameWndEx::DestroyWindow();
}

CMainFrame* GetMainFrame()
{
    return DYNAMIC_DOWNCAST(CMainFrame, AfxGetMainWnd());
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
    doc.ClearTagMap();
    // The copy sources were records of the freed lists.
    doc.copiedIedDevice = nullptr;
    doc.copiedPlcDevice = nullptr;
}

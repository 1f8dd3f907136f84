#include "framework/frame.h"

#include "framework/appex.h"
#include "framework/gdi.h"
#include "framework/ids.h"
#include "framework/menu.h"
#include "framework/panes.h"
#include "framework/preview.h"
#include "framework/statusbar.h"
#include "framework/winapp.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CFrameWnd, CWnd)
IMPLEMENT_DYNCREATE(CFrameWndEx, CFrameWnd)

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_CLOSE()
    ON_WM_DESTROY()
    ON_WM_SIZE()
    ON_WM_SETFOCUS()
    ON_WM_ACTIVATE()
    ON_WM_ERASEBKGND()
    ON_WM_INITMENUPOPUP()
    ON_WM_DROPFILES()
    ON_WM_MENUSELECT()
    ON_MESSAGE(WM_IDLEUPDATECMDUI, &CFrameWnd::OnIdleUpdateCmdUIMessage)
    ON_MESSAGE(WM_INITIALUPDATE, &CFrameWnd::OnInitialUpdateMessage)
    ON_UPDATE_COMMAND_UI_RANGE(ID_INDICATOR_CAPS, ID_INDICATOR_SCRL, &CFrameWnd::OnUpdateKeyIndicator)
END_MESSAGE_MAP()

const CRect CFrameWnd::rectDefault(CW_USEDEFAULT, CW_USEDEFAULT, 0, 0);

namespace {

// The window with id nID below hWnd; a child with the same id as its parent wins (splitter panes).
HWND FindDescendant(HWND hWnd, int nID)
{
    HWND hChild = ::GetDlgItem(hWnd, nID);
    if (hChild != nullptr) {
        if (HWND hInner = FindDescendant(hChild, nID))
            return hInner;
        return hChild;
    }
    for (hChild = ::GetWindow(hWnd, GW_CHILD); hChild != nullptr; hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
        if (HWND hFound = FindDescendant(hChild, nID))
            return hFound;
    }
    return nullptr;
}

constexpr size_t kMaxDroppedPath = 32768;

} // namespace

// The nearest CFrameWnd above this window (defined here, where frames are known).
CFrameWnd* CWnd::GetParentFrame() const
{
    for (HWND hWnd = ::GetParent(m_hWnd); hWnd != nullptr; hWnd = ::GetParent(hWnd)) {
        CWnd* pWnd = FromHandlePermanent(hWnd);
        if (pWnd != nullptr && pWnd->IsKindOf(RUNTIME_CLASS(CFrameWnd)))
            return static_cast<CFrameWnd*>(pWnd);
        if (!(::GetWindowLongA(hWnd, GWL_STYLE) & WS_CHILD))
            break;
    }
    return nullptr;
}

CFrameWnd::CFrameWnd()
    : m_bAutoMenuEnable(TRUE), m_nIDHelp(0), m_hAccelTable(nullptr), m_hMenuDefault(nullptr), m_nIdleUpdates(0),
      m_pViewActive(nullptr)
{
}

CFrameWnd::~CFrameWnd()
{
    // A frame deleted before its window goes: CWnd's destructor destroys the
    // window (PostNcDestroy must not run the deleting override from here).
    CWinApp* app = AfxGetApp();
    if (app != nullptr && app->m_pMainWnd == this)
        app->m_pMainWnd = nullptr;
}

BOOL CFrameWnd::Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                       CWnd* pParentWnd, LPCSTR lpszMenuName, DWORD dwExStyle, CCreateContext* pContext)
{
    HMENU hMenu = nullptr;
    if (lpszMenuName != nullptr) {
        hMenu = ::LoadMenuA(AfxGetResourceHandle(), lpszMenuName);
        if (hMenu == nullptr) {
            PostNcDestroy();
            return FALSE;
        }
    }
    m_strTitle = lpszWindowName != nullptr ? lpszWindowName : "";
    const RECT& place = rect;
    const int width = place.left == CW_USEDEFAULT ? CW_USEDEFAULT : place.right - place.left;
    const int height = place.left == CW_USEDEFAULT ? CW_USEDEFAULT : place.bottom - place.top;
    if (!CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, place.left, place.top, width, height,
                  pParentWnd != nullptr ? pParentWnd->m_hWnd : nullptr, hMenu, pContext)) {
        if (hMenu != nullptr)
            ::DestroyMenu(hMenu);
        return FALSE;
    }
    return TRUE;
}

BOOL CFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext)
{
    m_nIDHelp = nIDResource;
    CString strings;
    strings.LoadString(nIDResource);
    CString title;
    AfxExtractSubString(title, strings, 0, '\n');

    HINSTANCE hInstance = AfxGetResourceHandle();
    LPCSTR resourceName = MAKEINTRESOURCEA(nIDResource);
    const bool hasMenu = ::FindResourceA(hInstance, resourceName, MAKEINTRESOURCEA(4)) != nullptr; // RT_MENU
    if (::FindResourceA(hInstance, resourceName, MAKEINTRESOURCEA(9)) != nullptr) // RT_ACCELERATOR
        m_hAccelTable = ::LoadAcceleratorsA(hInstance, resourceName);

    const DWORD style = dwDefaultStyle & ~(FWS_ADDTOTITLE | FWS_PREFIXTITLE);
    if (!Create(nullptr, title, style, rectDefault, pParentWnd, hasMenu ? resourceName : nullptr, 0, pContext))
        return FALSE;
    m_hMenuDefault = ::GetMenu(m_hWnd);
    if (::FindResourceA(hInstance, resourceName, MAKEINTRESOURCEA(14)) != nullptr) { // RT_GROUP_ICON
        SetIcon(::LoadIconA(hInstance, resourceName), TRUE);
        SetIcon(static_cast<HICON>(::LoadImageA(hInstance, resourceName, IMAGE_ICON, ::GetSystemMetrics(SM_CXSMICON),
                                                ::GetSystemMetrics(SM_CYSMICON), 0)),
                FALSE);
    }
    // FWS_ flags live in the style bits the system ignores for top-level windows.
    if (dwDefaultStyle & FWS_ADDTOTITLE)
        ModifyStyle(0, FWS_ADDTOTITLE);
    if (dwDefaultStyle & FWS_PREFIXTITLE)
        ModifyStyle(0, FWS_PREFIXTITLE);
    if (pContext == nullptr)
        SendMessage(WM_INITIALUPDATE);
    return TRUE;
}

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (cs.lpszClass == nullptr)
        cs.lpszClass = AfxFrameOrViewWndClass();
    return TRUE;
}

int CFrameWnd::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    CCreateContext* pContext = static_cast<CCreateContext*>(lpCreateStruct->lpCreateParams);
    if (!OnCreateClient(lpCreateStruct, pContext))
        return -1;
    RecalcLayout();
    return 0;
}

BOOL CFrameWnd::OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext)
{
    if (pContext != nullptr && pContext->m_pNewViewClass != nullptr)
        return CreateView(pContext, AFX_IDW_PANE_FIRST) != nullptr;
    return TRUE;
}

CWnd* CFrameWnd::CreateView(CCreateContext* pContext, UINT nID)
{
    CObject* pObject = pContext->m_pNewViewClass->CreateObject();
    CWnd* pView = DYNAMIC_DOWNCAST(CWnd, pObject);
    if (pView == nullptr) {
        delete pObject;
        return nullptr;
    }
    // A view that fails to be created deletes itself (PostNcDestroy).
    if (!pView->Create(nullptr, nullptr, AFX_WS_DEFAULT_VIEW, CRect(0, 0, 0, 0), this, nID, pContext))
        return nullptr;
    return pView;
}

void CFrameWnd::SetActiveView(CView* pViewNew, BOOL bNotify)
{
    CView* pViewOld = m_pViewActive;
    if (pViewNew == pViewOld)
        return;
    m_pViewActive = pViewNew;
    if (!bNotify)
        return;
    if (pViewOld != nullptr)
        pViewOld->OnActivateView(FALSE, pViewNew, pViewOld);
    if (pViewNew != nullptr)
        pViewNew->OnActivateView(TRUE, pViewNew, pViewOld);
}

CDocument* CFrameWnd::GetActiveDocument()
{
    return m_pViewActive != nullptr ? m_pViewActive->GetDocument() : nullptr;
}

void CFrameWnd::RecalcLayout(BOOL)
{
    if (m_hWnd == nullptr)
        return;
    // The visible bars along their edges (the status bar at the bottom), the pane window in the rest.
    RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST);
}

void CFrameWnd::InitialUpdateFrame(CDocument*, BOOL bMakeVisible)
{
    CView* pView = GetActiveView();
    if (pView == nullptr)
        pView = DYNAMIC_DOWNCAST(CView, FromHandlePermanent(FindDescendant(m_hWnd, AFX_IDW_PANE_FIRST)));
    // Every view below the frame gets its initial update.
    SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
    RecalcLayout();
    if (bMakeVisible) {
        if (pView != nullptr && GetActiveView() == nullptr)
            SetActiveView(pView);
        ActivateFrame();
    } else if (pView != nullptr && GetActiveView() == nullptr) {
        SetActiveView(pView, FALSE);
    }
    OnUpdateFrameTitle(TRUE);
}

void CFrameWnd::ActivateFrame(int nCmdShow)
{
    if (nCmdShow == -1)
        nCmdShow = IsIconic() ? SW_RESTORE : SW_SHOW;
    ShowWindow(nCmdShow);
    UpdateWindow();
}

void CFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    if (m_hWnd == nullptr)
        return;
    CString title = m_strTitle;
    CDocument* pDocument = GetActiveDocument();
    if (bAddToTitle && (GetStyle() & FWS_ADDTOTITLE) && pDocument != nullptr && !pDocument->GetTitle().IsEmpty()) {
        if (GetStyle() & FWS_PREFIXTITLE)
            title = pDocument->GetTitle() + " - " + m_strTitle;
        else
            title = m_strTitle + " - " + pDocument->GetTitle();
    }
    CString current;
    GetWindowText(current);
    if (current != title)
        SetWindowText(title);
}

void CFrameWnd::OnIdleUpdateCmdUI()
{
    ++m_nIdleUpdates;
    OnUpdateFrameTitle(TRUE);
}

BOOL CFrameWnd::PreTranslateMessage(MSG* pMsg)
{
    if (m_hAccelTable == nullptr || pMsg->message < WM_KEYFIRST || pMsg->message > WM_KEYLAST)
        return FALSE;
    if (!::IsWindowEnabled(m_hWnd))
        return FALSE;
    return ::TranslateAcceleratorA(m_hWnd, m_hAccelTable, pMsg) != 0;
}

BOOL CFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    // The one route: active view (then its document and template), the frame, the application.
    if (m_pViewActive != nullptr && m_pViewActive->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    CWinApp* app = AfxGetApp();
    return app != nullptr && app->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void CFrameWnd::PostNcDestroy()
{
    CWinApp* app = AfxGetApp();
    if (app != nullptr && app->m_pMainWnd == this) {
        app->m_pMainWnd = nullptr;
        if (app->m_bRunning)
            ::PostQuitMessage(0);
    }
    delete this;
}

void CFrameWnd::OnClose()
{
    // A print preview closes first: the frame's own views answer.
    if (auto* preview = DYNAMIC_DOWNCAST(CPreviewView, m_pViewActive))
        preview->OnPreviewClose();
    CDocument* pDocument = GetActiveDocument();
    if (pDocument != nullptr && !pDocument->CanCloseFrame(this))
        return;
    CWinApp* app = AfxGetApp();
    if (app != nullptr && app->m_pMainWnd == this) {
        // Closing the main window closes every document; the last one takes this frame.
        app->CloseAllDocuments(FALSE);
        if (app->m_pMainWnd != this)
            return;
    }
    DestroyWindow();
}

void CFrameWnd::OnDestroy()
{
    if (auto* preview = DYNAMIC_DOWNCAST(CPreviewView, m_pViewActive))
        preview->OnPreviewClose();
    m_pViewActive = nullptr;
    CWnd::OnDestroy();
}

void CFrameWnd::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    if (nType != SIZE_MINIMIZED)
        RecalcLayout();
}

void CFrameWnd::OnSetFocus(CWnd* pOldWnd)
{
    if (m_pViewActive != nullptr && m_pViewActive->m_hWnd != nullptr)
        ::SetFocus(m_pViewActive->m_hWnd);
    else
        CWnd::OnSetFocus(pOldWnd);
}

// Posted: the floating windows see the activation once it has settled.
void CFrameWnd::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized)
{
    CWnd::OnActivate(nState, pWndOther, bMinimized);
    NotifyFloatingWindows(nState != WA_INACTIVE ? FS_ACTIVATE : FS_DEACTIVATE);
}

void CFrameWnd::NotifyFloatingWindows(DWORD dwFlags)
{
    struct Walk {
        HWND hFrame;
        DWORD dwFlags;
    } walk{m_hWnd, dwFlags};
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND hWnd, LPARAM lParam) -> BOOL {
            const auto* pWalk = reinterpret_cast<const Walk*>(lParam);
            constexpr LONG kSyncActive = 0x100;
            if (::GetWindow(hWnd, GW_OWNER) == pWalk->hFrame && (::GetWindowLongA(hWnd, GWL_STYLE) & kSyncActive) != 0)
                ::PostMessageA(hWnd, WM_FLOATSTATUS, pWalk->dwFlags, 0);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&walk));
}

BOOL CFrameWnd::OnEraseBkgnd(CDC* pDC)
{
    // The pane covers the client area; painting under it only flickers.
    if (::GetDlgItem(m_hWnd, AFX_IDW_PANE_FIRST) != nullptr)
        return TRUE;
    return CWnd::OnEraseBkgnd(pDC);
}

void CFrameWnd::OnInitMenuPopup(CMenu* pPopupMenu, UINT, BOOL bSysMenu)
{
    if (bSysMenu || pPopupMenu == nullptr)
        return;
    AfxUpdateMenuCommandUI(this, pPopupMenu, m_bAutoMenuEnable);
}

void CFrameWnd::OnUpdateKeyIndicator(CCmdUI* pCmdUI)
{
    AfxUpdateKeyIndicator(pCmdUI);
}

LRESULT CFrameWnd::OnIdleUpdateCmdUIMessage(WPARAM, LPARAM)
{
    OnIdleUpdateCmdUI();
    return 0;
}

LRESULT CFrameWnd::OnInitialUpdateMessage(WPARAM, LPARAM)
{
    return 0;
}

void CFrameWnd::OnDropFiles(HDROP hDropInfo)
{
    ::SetActiveWindow(m_hWnd);
    CWinApp* app = AfxGetApp();
    const UINT count = ::DragQueryFileA(hDropInfo, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count && app != nullptr; ++i) {
        const UINT length = ::DragQueryFileA(hDropInfo, i, nullptr, 0);
        if (length == 0 || length >= kMaxDroppedPath)
            continue;
        CString path;
        ::DragQueryFileA(hDropInfo, i, path.GetBuffer(static_cast<int>(length)), length + 1);
        path.ReleaseBuffer(static_cast<int>(length));
        app->OpenDocumentFile(path);
    }
    ::DragFinish(hDropInfo);
}

void CFrameWnd::SetMessageText(UINT nID)
{
    auto* bar = DYNAMIC_DOWNCAST(CStatusBar, FromHandlePermanent(::GetDlgItem(m_hWnd, AFX_IDW_STATUS_BAR)));
    if (bar == nullptr)
        return;
    CString text;
    if (nID != 0)
        text.LoadString(nID);
    // The prompt is the part before the tooltip.
    const int tip = text.Find('\n');
    bar->SetPaneText(0, tip >= 0 ? text.Left(tip) : text);
}

// The highlighted item's prompt in the status bar; the idle message when the menu closes.
void CFrameWnd::OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu)
{
    if (nFlags == 0xFFFF && hSysMenu == nullptr)
        SetMessageText(AFX_IDS_IDLEMESSAGE);
    else if ((nFlags & (MF_SEPARATOR | MF_POPUP)) == 0 && nItemID < 0xF000)
        SetMessageText(nItemID);
    else
        SetMessageText(0);
}

// CFrameWndEx

BEGIN_MESSAGE_MAP(CFrameWndEx, CFrameWnd)
    ON_WM_CONTEXTMENU()
    ON_WM_INITMENUPOPUP()
    ON_REGISTERED_MESSAGE(AFX_WM_CREATETOOLBAR, &CFrameWndEx::OnToolbarCreateNew)
END_MESSAGE_MAP()

namespace {

// Ids and sizes of the toolbars the user makes.
constexpr UINT kFirstUserToolBarId = AFX_IDW_CONTROLBAR_FIRST + 0x40;
constexpr int kUserImageWidth = 16;
constexpr int kUserImageHeight = 15;
constexpr int kUserButtonWidth = 23;
constexpr int kUserButtonHeight = 22;

} // namespace

CFrameWndEx::CFrameWndEx() = default;

CFrameWndEx::~CFrameWndEx() = default;

BOOL CFrameWndEx::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext)
{
    if (!CFrameWnd::LoadFrame(nIDResource, dwDefaultStyle, pParentWnd, pContext))
        return FALSE;
    if (CWinAppEx* app = DYNAMIC_DOWNCAST(CWinAppEx, AfxGetApp()))
        app->LoadState(this);
    return TRUE;
}

BOOL CFrameWndEx::EnableDocking(DWORD dwDockStyle)
{
    m_dockStyle = dwDockStyle;
    return TRUE;
}

void CFrameWndEx::DockPane(CWnd* pBar)
{
    if (pBar == nullptr || pBar->GetSafeHwnd() == nullptr)
        return;
    if (std::find(m_dockedPanes.begin(), m_dockedPanes.end(), pBar->m_hWnd) == m_dockedPanes.end())
        m_dockedPanes.push_back(pBar->m_hWnd);
    RecalcLayout();
}

BOOL CFrameWndEx::EnableAutoHideBars(DWORD dwStyle)
{
    m_autoHideStyle = dwStyle;
    return TRUE;
}

void CFrameWndEx::EnablePaneMenu(BOOL bEnable, UINT uiCustomizeCmd, const CString& strCustomizeLabel,
                                 UINT uiViewToolbarsMenuEntryID, BOOL bContextMenuShowsToolbarsOnly)
{
    m_paneMenuCustomizeCommand = bEnable ? uiCustomizeCmd : 0;
    m_paneMenuCustomizeLabel = bEnable ? strCustomizeLabel : CString();
    m_paneMenuToolbarsEntry = bEnable ? uiViewToolbarsMenuEntryID : 0;
    m_bPaneMenuToolBarsOnly = bContextMenuShowsToolbarsOnly;
}

BOOL CFrameWndEx::OnShowCustomizePane(CMFCPopupMenu*, UINT)
{
    return FALSE;
}

std::vector<CControlBar*> CFrameWndEx::GetPaneBars(bool bToolBarsOnly) const
{
    std::vector<CControlBar*> bars;
    if (m_hWnd == nullptr)
        return bars;
    for (HWND hChild = ::GetWindow(m_hWnd, GW_CHILD); hChild != nullptr; hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
        CWnd* child = CWnd::FromHandlePermanent(hChild);
        if (auto* toolBar = DYNAMIC_DOWNCAST(CMFCToolBar, child))
            bars.push_back(toolBar);
        else if (auto* pane = DYNAMIC_DOWNCAST(CDockablePane, child); pane != nullptr && !bToolBarsOnly)
            bars.push_back(pane);
    }
    // Floating panes live in frames of their own.
    for (HWND hPane : m_dockedPanes) {
        auto* pane = DYNAMIC_DOWNCAST(CDockablePane, CWnd::FromHandlePermanent(hPane));
        if (pane != nullptr && !bToolBarsOnly && ::GetParent(hPane) != m_hWnd)
            bars.push_back(pane);
    }
    return bars;
}

void CFrameWndEx::AddAutoHidePane(CDockablePane* pPane)
{
    if (m_autoHideBar == nullptr) {
        auto bar = std::make_unique<CMFCAutoHideBar>();
        if (!bar->Create(this, pPane->GetBarStyle() & CBRS_ALIGN_ANY))
            return;
        PlaceAfterEdgeBars(bar->m_hWnd);
        m_autoHideBar = std::move(bar);
    }
    m_autoHideBar->AddPane(pPane);
    RecalcLayout();
}

void CFrameWndEx::PlaceAfterEdgeBars(HWND hBar)
{
    HWND after = HWND_TOP;
    for (HWND hChild = ::GetWindow(m_hWnd, GW_CHILD); hChild != nullptr; hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
        auto* other = DYNAMIC_DOWNCAST(CControlBar, CWnd::FromHandlePermanent(hChild));
        if (other != nullptr && hChild != hBar && other->IsHorizontal())
            after = hChild;
    }
    ::SetWindowPos(hBar, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void CFrameWndEx::RemoveAutoHidePane(CDockablePane* pPane)
{
    if (m_autoHideBar == nullptr)
        return;
    m_autoHideBar->RemovePane(pPane);
    if (m_autoHideBar->IsEmpty()) {
        m_autoHideBar->DestroyWindow();
        m_autoHideBar.reset();
    }
    RecalcLayout();
}

void CFrameWndEx::FillPaneMenu(HMENU hMenu) const
{
    while (::GetMenuItemCount(hMenu) > 0)
        ::DeleteMenu(hMenu, 0, MF_BYPOSITION);
    for (CControlBar* bar : GetPaneBars(m_bPaneMenuToolBarsOnly != FALSE)) {
        CString caption;
        bar->GetWindowText(caption);
        auto* pane = DYNAMIC_DOWNCAST(CDockablePane, bar);
        const bool shown = pane != nullptr ? pane->IsPaneVisible() != FALSE : bar->IsWindowVisible() != FALSE;
        ::AppendMenuA(hMenu, MF_STRING | (shown ? MF_CHECKED : MF_UNCHECKED),
                      static_cast<UINT_PTR>(bar->GetDlgCtrlID()), caption);
    }
    if (m_paneMenuCustomizeCommand != 0) {
        ::AppendMenuA(hMenu, MF_SEPARATOR, 0, nullptr);
        ::AppendMenuA(hMenu, MF_STRING, m_paneMenuCustomizeCommand, m_paneMenuCustomizeLabel);
    }
}

// The pane menu on a bar's context menu.
void CFrameWndEx::OnContextMenu(CWnd* pWnd, CPoint point)
{
    if (m_paneMenuCustomizeCommand == 0 || DYNAMIC_DOWNCAST(CControlBar, pWnd) == nullptr)
        return;
    HMENU menu = ::CreatePopupMenu();
    FillPaneMenu(menu);
    ::TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_RIGHTBUTTON, point.x, point.y, 0, m_hWnd, nullptr);
    ::DestroyMenu(menu);
}

// The popup holding the toolbar entry shows the pane menu.
void CFrameWndEx::OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu)
{
    HMENU hMenu = pPopupMenu != nullptr ? pPopupMenu->m_hMenu : nullptr;
    if (!bSysMenu && hMenu != nullptr && m_paneMenuToolbarsEntry != 0) {
        const int count = ::GetMenuItemCount(hMenu);
        for (int i = 0; i < count; ++i) {
            if (::GetMenuItemID(hMenu, i) == m_paneMenuToolbarsEntry) {
                FillPaneMenu(hMenu);
                break;
            }
        }
    }
    CFrameWnd::OnInitMenuPopup(pPopupMenu, nIndex, bSysMenu);
}

LRESULT CFrameWndEx::OnToolbarCreateNew(WPARAM, LPARAM lParam)
{
    const char* name = reinterpret_cast<const char*>(lParam);
    // The first free id among the user toolbars'.
    UINT id = kFirstUserToolBarId;
    while (id <= AFX_IDW_CONTROLBAR_LAST && ::GetDlgItem(m_hWnd, static_cast<int>(id)) != nullptr)
        ++id;
    if (id > AFX_IDW_CONTROLBAR_LAST)
        return 0;
    // Docked in the row of the toolbars: laid out right after them, before the other panes.
    HWND after = HWND_TOP;
    for (CControlBar* toolBar : GetPaneBars(true))
        after = toolBar->m_hWnd;
    auto bar = std::make_unique<CMFCToolBar>();
    if (!bar->CreateEx(this, TBSTYLE_FLAT,
                       WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_DYNAMIC,
                       CRect(1, 1, 1, 1), id))
        return 0;
    bar->SetUserToolBar();
    bar->SetWindowText(name != nullptr ? name : "");
    bar->SetSizes(CSize(kUserButtonWidth, kUserButtonHeight), CSize(kUserImageWidth, kUserImageHeight));
    bar->EnableDocking(CBRS_ALIGN_ANY);
    ::SetWindowPos(bar->m_hWnd, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    CMFCToolBar* created = bar.get();
    m_userToolBars.push_back(std::move(bar));
    DockPane(created);
    return reinterpret_cast<LRESULT>(created);
}

BOOL CFrameWndEx::DeleteToolBar(CMFCToolBar* pToolBar)
{
    const auto found = std::find_if(m_userToolBars.begin(), m_userToolBars.end(),
                                    [pToolBar](const std::unique_ptr<CMFCToolBar>& bar) { return bar.get() == pToolBar; });
    if (found == m_userToolBars.end())
        return FALSE;
    const HWND hWnd = pToolBar->m_hWnd;
    m_dockedPanes.erase(std::remove(m_dockedPanes.begin(), m_dockedPanes.end(), hWnd), m_dockedPanes.end());
    pToolBar->DestroyWindow();
    m_userToolBars.erase(found);
    RecalcLayout();
    return TRUE;
}

namespace {

// The bar that a view command shows or hides: the command is the bar's id.
bool IsBarCommand(HWND hFrame, UINT nID)
{
    HWND hBar = ::GetDlgItem(hFrame, static_cast<int>(nID));
    return hBar != nullptr && DYNAMIC_DOWNCAST(CControlBar, CWnd::FromHandlePermanent(hBar)) != nullptr;
}

} // namespace

BOOL CFrameWndEx::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (CFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    if (pHandlerInfo != nullptr)
        return FALSE;
    // A pane is shown and hidden wherever it is, docked, floating or behind its tab.
    for (HWND hPane : m_dockedPanes) {
        auto* pane = DYNAMIC_DOWNCAST(CDockablePane, CWnd::FromHandlePermanent(hPane));
        if (pane == nullptr || static_cast<UINT>(pane->GetDlgCtrlID()) != nID)
            continue;
        if (nCode == CN_UPDATE_COMMAND_UI) {
            static_cast<CCmdUI*>(pExtra)->SetCheck(pane->IsPaneVisible() ? 1 : 0);
            return TRUE;
        }
        if (nCode == CN_COMMAND) {
            pane->ShowPane(!pane->IsPaneVisible());
            return TRUE;
        }
        return FALSE;
    }
    if (!IsBarCommand(m_hWnd, nID))
        return FALSE;
    HWND hBar = ::GetDlgItem(m_hWnd, static_cast<int>(nID));
    if (nCode == CN_UPDATE_COMMAND_UI) {
        static_cast<CCmdUI*>(pExtra)->SetCheck(::IsWindowVisible(hBar) ? 1 : 0);
        return TRUE;
    }
    if (nCode == CN_COMMAND) {
        ::ShowWindow(hBar, ::IsWindowVisible(hBar) ? SW_HIDE : SW_SHOW);
        RecalcLayout();
        return TRUE;
    }
    return FALSE;
}

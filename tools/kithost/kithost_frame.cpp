#include "tools/kithost/kithost_frame.h"

#include "framework/controls.h"
#include "framework/dialog.h"
#include "framework/ids.h"
#include "framework/menu.h"
#include "toolkit/commandbars/command_bar.h"
#include "toolkit/commandbars/menu_bar.h"
#include "toolkit/commandbars/command_bar_manager.h"
#include "toolkit/commandbars/control.h"
#include "toolkit/commandbars/controls.h"
#include "toolkit/commandbars/dialog_bar.h"
#include "toolkit/commandbars/dock_bar.h"
#include "toolkit/commandbars/popup_bar.h"
#include "toolkit/commandbars/toolbar.h"
#include "toolkit/themes/tabs/tabbed_workspace.h"
#include "tools/kithost/kithost_controls.h"
#include "tools/kithost/res/resource.h"

#include <cstring>
#include <iterator>

IMPLEMENT_DYNAMIC(CKitHostFrame, CFrameWnd)

namespace {
constexpr char kTitle[] = "kithost";
constexpr int kWidth = 820;
constexpr int kHeight = 560;
constexpr UINT kPaneId = AFX_IDW_PANE_FIRST;
constexpr UINT kIndicators[] = {ID_SEPARATOR};
// The notes pane's height under the documents.
constexpr int kNotesHeight = 72;
// The MDI client's id and the first child's.
constexpr UINT kMDIClientId = AFX_IDW_PANE_FIRST + 1;
constexpr UINT kFirstChildId = 0xFF00;
constexpr char kChildClass[] = "KitHostDocument";
// The left toolbar and the floating one.
constexpr UINT kToolsButtons[] = {ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE, 0, ID_FILE_PRINT};
constexpr UINT kDocumentButtons[] = {ID_KIT_NEW_TEXT, ID_KIT_NEW_GRID, 0, ID_KIT_WINDOW_CASCADE};
// The properties the dialog bar lists, and its client size.
constexpr const char* kProperties[] = {"Name\tFeeder bay 1", "Voltage\t20 kV", "Breaker\tClosed",
                                       "Protection\tEnabled", "Relay\tIED 12",  "Updated\t10:42:07"};
constexpr int kPropertiesWidth = 160;
constexpr UINT kPropertiesListId = 1;

// A document window: its type's menu goes to the frame when it becomes active; it draws its type.
LRESULT CALLBACK DocumentProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE: {
        const auto* pCreate = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        const auto* pMdi = static_cast<const MDICREATESTRUCTA*>(pCreate->lpCreateParams);
        ::SetWindowLongPtrA(hWnd, GWLP_USERDATA, pMdi->lParam);
        break;
    }
    case WM_MDIACTIVATE:
        if (reinterpret_cast<HWND>(lParam) == hWnd) {
            auto hMenu = reinterpret_cast<HMENU>(::GetWindowLongPtrA(hWnd, GWLP_USERDATA));
            ::SendMessageA(::GetParent(hWnd), WM_MDISETMENU, reinterpret_cast<WPARAM>(hMenu), 0);
        }
        break;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC hdc = ::BeginPaint(hWnd, &ps);
        RECT rc;
        ::GetClientRect(hWnd, &rc);
        ::FillRect(hdc, &rc, ::GetSysColorBrush(COLOR_WINDOW));
        char szTitle[64] = {};
        ::GetWindowTextA(hWnd, szTitle, sizeof(szTitle));
        if (std::strncmp(szTitle, "Grid", 4) == 0) {
            HPEN hPen = ::CreatePen(PS_SOLID, 1, ::GetSysColor(COLOR_3DSHADOW));
            HGDIOBJ hOld = ::SelectObject(hdc, hPen);
            for (int x = 0; x < rc.right; x += 48) {
                ::MoveToEx(hdc, x, 0, nullptr);
                ::LineTo(hdc, x, rc.bottom);
            }
            for (int y = 0; y < rc.bottom; y += 18) {
                ::MoveToEx(hdc, 0, y, nullptr);
                ::LineTo(hdc, rc.right, y);
            }
            ::SelectObject(hdc, hOld);
            ::DeleteObject(hPen);
        } else {
            HGDIOBJ hOld = ::SelectObject(hdc, ::GetStockObject(DEFAULT_GUI_FONT));
            ::SetBkMode(hdc, TRANSPARENT);
            RECT rcText = {8, 6, rc.right - 8, rc.bottom};
            ::DrawTextA(hdc, "A text document of kithost.", -1, &rcText, DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
            ::SelectObject(hdc, hOld);
        }
        ::EndPaint(hWnd, &ps);
        return 0;
    }
    default:
        break;
    }
    return ::DefMDIChildProcA(hWnd, message, wParam, lParam);
}

void RegisterDocumentClass()
{
    WNDCLASSA wc = {};
    if (::GetClassInfoA(::GetModuleHandleA(nullptr), kChildClass, &wc))
        return;
    wc.lpfnWndProc = DocumentProc;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
    wc.hIcon = ::LoadIcon(nullptr, IDI_APPLICATION);
    wc.lpszClassName = kChildClass;
    ::RegisterClassA(&wc);
}

// Posted before the context menu opens from the keyboard: shows its tips once it is up.
constexpr UINT WM_KITHOST_SHOW_MENU_TIPS = WM_APP + 1;

// The text pane: its context menu is the frame's.
class CKitHostPane : public CEdit {
protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_CONTEXTMENU)
            return GetParent()->SendMessage(WM_CONTEXTMENU, wParam, lParam);
        return CEdit::WindowProc(message, wParam, lParam);
    }
};
} // namespace

BEGIN_MESSAGE_MAP(CKitHostFrame, CFrameWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_MESSAGE(WM_SETMESSAGESTRING, &CKitHostFrame::OnSetMessageString)
    ON_MESSAGE(WM_POPMESSAGESTRING, &CKitHostFrame::OnPopMessageString)
    ON_COMMAND(ID_FILE_NEW, &CKitHostFrame::OnFileNew)
    ON_COMMAND(ID_FILE_OPEN, &CKitHostFrame::OnFileOpen)
    ON_COMMAND(ID_FILE_SAVE, &CKitHostFrame::OnFileSave)
    ON_COMMAND(ID_FILE_SAVE_ALL, &CKitHostFrame::OnFileSaveAll)
    ON_COMMAND(ID_EDIT_SELECT_ALL, &CKitHostFrame::OnEditSelectAll)
    ON_MESSAGE(WM_CONTEXTMENU, &CKitHostFrame::OnContextMenuMessage)
    ON_MESSAGE(WM_KITHOST_SHOW_MENU_TIPS, &CKitHostFrame::OnShowMenuTips)
    ON_COMMAND(ID_FILE_PRINT, &CKitHostFrame::OnFilePrint)
    ON_COMMAND(ID_APP_ABOUT, &CKitHostFrame::OnAppAbout)
    ON_COMMAND(ID_APP_EXIT, &CKitHostFrame::OnAppExit)
    ON_COMMAND(ID_VIEW_TOOLBAR, &CKitHostFrame::OnViewToolBar)
    ON_UPDATE_COMMAND_UI(ID_VIEW_TOOLBAR, &CKitHostFrame::OnUpdateViewToolBar)
    ON_COMMAND(ID_KIT_NEW_TEXT, &CKitHostFrame::OnNewText)
    ON_COMMAND(ID_KIT_NEW_GRID, &CKitHostFrame::OnNewGrid)
    ON_COMMAND(ID_KIT_WINDOW_CASCADE, &CKitHostFrame::OnWindowCascade)
    ON_COMMAND_RANGE(ID_KIT_STYLES, ID_KIT_ZOOM_SLIDER, &CKitHostFrame::OnControlsCommand)
    ON_COMMAND(ID_VIEW_STATUS_BAR, &CKitHostFrame::OnViewStatusBar)
    ON_UPDATE_COMMAND_UI(ID_VIEW_STATUS_BAR, &CKitHostFrame::OnUpdateViewStatusBar)
END_MESSAGE_MAP()

CKitHostFrame::CKitHostFrame() = default;

CKitHostFrame::~CKitHostFrame()
{
    if (m_hTextMenu != nullptr)
        ::DestroyMenu(m_hTextMenu);
    if (m_hGridMenu != nullptr)
        ::DestroyMenu(m_hGridMenu);
    delete m_pPane;
    delete m_pProperties;
    delete m_pTabClient;
    if (m_pCommandBars != nullptr)
        m_pCommandBars->InternalRelease();
}

BOOL CKitHostFrame::CreateHost()
{
    SetTitle(kTitle);
    return Create(nullptr, kTitle, WS_OVERLAPPEDWINDOW, CRect(60, 60, 60 + kWidth, 60 + kHeight));
}

int CKitHostFrame::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CFrameWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    // The documents' area first: the menu bar watches it from the start.
    CLIENTCREATESTRUCT ccs = {nullptr, kFirstChildId};
    m_hMDIClient = ::CreateWindowExA(WS_EX_CLIENTEDGE, "MDICLIENT", nullptr,
                                     WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, 0, 0, 0, 0, m_hWnd,
                                     reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kMDIClientId)),
                                     ::GetModuleHandleA(nullptr), &ccs);
    if (m_hMDIClient == nullptr)
        return -1;
    RegisterDocumentClass();
    m_pCommandBars = new CKitCommandBarManager();
    m_pCommandBars->SetSite(this);
    if (!CreateBars())
        return -1;

    m_pTabClient = new CKitTabClientWnd();
    m_pTabClient->SetCommandBars(m_pCommandBars);
    if (!m_pTabClient->AttachToFrame(this))
        return -1;

    if (!m_wndStatusBar.Create(this) || !m_wndStatusBar.SetIndicators(kIndicators, 1))
        return -1;
    m_wndStatusBar.SetPaneText(0, "Ready");

    m_pPane = new CKitHostPane();
    if (!m_pPane->Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_READONLY,
                         CRect(0, 0, 0, 0), this, kPaneId))
        return -1;
    m_pPane->ModifyStyleEx(0, WS_EX_CLIENTEDGE, SWP_FRAMECHANGED);
    m_pPane->SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)));
    m_pPane->SetWindowText(GetIntroText());
    if (!m_strBarStateKey.IsEmpty())
        m_pCommandBars->LoadBarState(HKEY_CURRENT_USER, m_strBarStateKey);
    return 0;
}

BOOL CKitHostFrame::CreateBars()
{
    m_hTextMenu = ::LoadMenuA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_TEXTTYPE));
    m_hGridMenu = ::LoadMenuA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_GRIDTYPE));
    // The frame's own menu, which the menu bar takes over.
    ::SetMenu(m_hWnd, ::LoadMenuA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME)));

    m_pCommandBars->SetDocumentMenu(m_hTextMenu, IDR_TEXTTYPE);
    m_pCommandBars->SetDocumentMenu(m_hGridMenu, IDR_GRIDTYPE);
    if (!m_pCommandBars->EnableDocking())
        return FALSE;
    m_pMenuBar = m_pCommandBars->SetMenu("Menu Bar", IDR_MAINFRAME);
    m_pToolBar = m_pCommandBars->Add("Standard", kitBarTop);
    if (m_pMenuBar == nullptr || m_pToolBar == nullptr || !m_pToolBar->LoadToolBar(IDR_TOOLBAR_STANDARD))
        return FALSE;
    m_pToolBar->SetBarID(IDR_TOOLBAR_STANDARD);
    m_pToolsBar = m_pCommandBars->Add("Tools", kitBarLeft);
    m_pDocumentsBar = m_pCommandBars->Add("Documents", kitBarFloating);
    if (m_pToolsBar == nullptr || m_pDocumentsBar == nullptr)
        return FALSE;
    m_pToolsBar->SetBarID(IDR_TOOLBAR_TOOLS);
    m_pToolsBar->SetButtons(kToolsButtons, static_cast<int>(std::size(kToolsButtons)));
    m_pToolsBar->GetControls()->CreateOriginalControls();
    m_pDocumentsBar->SetBarID(IDR_TOOLBAR_DOCUMENTS);
    m_pDocumentsBar->SetButtons(kDocumentButtons, static_cast<int>(std::size(kDocumentButtons)));
    for (int i = 0; i < m_pDocumentsBar->GetControlCount(); i++)
        m_pDocumentsBar->GetControl(i)->SetStyle(kitButtonCaption);
    m_pDocumentsBar->GetControls()->CreateOriginalControls();
    // The floating bar starts inside the frame, below its top bars, left of the properties.
    CRect rcFrame;
    GetWindowRect(&rcFrame);
    m_pDocumentsBar->GetDockContext()->m_ptFloat = CPoint(rcFrame.right - 420, rcFrame.top + 170);
    m_pCommandBars->FloatCommandBar(m_pDocumentsBar);
    m_pControlsBar = m_pCommandBars->Add("Controls", kitBarTop);
    if (m_pControlsBar == nullptr)
        return FALSE;
    m_pControlsBar->SetBarID(IDR_TOOLBAR_CONTROLS);
    FillControlsBar(m_pCommandBars, m_pControlsBar);
    m_pControlsBar->GetControls()->CreateOriginalControls();

    m_pPropertiesBar =
        static_cast<CKitDialogBar*>(m_pCommandBars->Add("Properties", kitBarRight, RUNTIME_CLASS(CKitDialogBar)));
    if (m_pPropertiesBar == nullptr)
        return FALSE;
    m_pPropertiesBar->SetBarID(IDR_BAR_PROPERTIES);
    m_pPropertiesBar->SetCaption("Properties");
    m_pPropertiesBar->SetDockedClientSize(CSize(kPropertiesWidth, kPropertiesWidth));
    m_pProperties = new CListBox();
    if (!m_pProperties->CreateEx(WS_EX_CLIENTEDGE, "LISTBOX", "",
                                 WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOINTEGRALHEIGHT | LBS_USETABSTOPS,
                                 CRect(0, 0, 10, 10), m_pPropertiesBar, kPropertiesListId))
        return FALSE;
    m_pProperties->SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)));
    const int nTabStop = 52;
    m_pProperties->SendMessage(LB_SETTABSTOPS, 1, reinterpret_cast<LPARAM>(&nTabStop));
    for (const char* lpszProperty : kProperties)
        m_pProperties->SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(lpszProperty));
    m_pPropertiesBar->SetChild(m_pProperties);

    return TRUE;
}

LPCSTR CKitHostFrame::GetIntroText() const
{
    return "The command bars come from kithost's own menu and toolbar resources.\r\n"
           "Commands chosen from them are listed here.\r\n";
}

HWND CKitHostFrame::OpenDocument(UINT nIDType)
{
    const BOOL bText = nIDType == IDR_TEXTTYPE;
    CString strTitle;
    strTitle.Format("%s %d", bText ? "Text" : "Grid", ++m_nDocuments);
    MDICREATESTRUCTA mcs = {};
    mcs.szClass = kChildClass;
    mcs.szTitle = strTitle;
    mcs.hOwner = ::GetModuleHandleA(nullptr);
    mcs.x = mcs.y = CW_USEDEFAULT;
    mcs.cx = 300;
    mcs.cy = 180;
    mcs.style = WS_OVERLAPPEDWINDOW | WS_VISIBLE;
    mcs.lParam = reinterpret_cast<LPARAM>(bText ? m_hTextMenu : m_hGridMenu);
    return reinterpret_cast<HWND>(::SendMessageA(m_hMDIClient, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&mcs)));
}

void CKitHostFrame::OpenSampleDocuments()
{
    OpenDocument(IDR_TEXTTYPE);
    OpenDocument(IDR_TEXTTYPE);
    OpenDocument(IDR_GRIDTYPE);
    m_pTabClient->DoAction(kIdTabGroupNewVertical);
}

void CKitHostFrame::OnDestroy()
{
    if (m_pTabClient != nullptr)
        m_pTabClient->DetachFromFrame();
    if (m_pCommandBars != nullptr && !m_strBarStateKey.IsEmpty())
        m_pCommandBars->SaveBarState(HKEY_CURRENT_USER, m_strBarStateKey);
    if (m_pCommandBars != nullptr)
        m_pCommandBars->RemoveAll();
    m_pMenuBar = nullptr;
    m_pToolBar = nullptr;
    m_pToolsBar = nullptr;
    m_pDocumentsBar = nullptr;
    m_pControlsBar = nullptr;
    m_pPropertiesBar = nullptr;
    CFrameWnd::OnDestroy();
}

void CKitHostFrame::RecalcLayout(BOOL /*bNotify*/)
{
    if (GetSafeHwnd() == nullptr)
        return;
    CRect rcClient;
    GetClientRect(&rcClient);
    if (m_wndStatusBar.GetSafeHwnd() != nullptr && m_wndStatusBar.IsWindowVisible()) {
        const CSize sz = m_wndStatusBar.CalcFixedLayout(TRUE, TRUE);
        m_wndStatusBar.MoveWindow(rcClient.left, rcClient.bottom - sz.cy, rcClient.Width(), sz.cy);
        rcClient.bottom -= sz.cy;
    }
    if (m_pCommandBars != nullptr)
        m_pCommandBars->RepositionDockBars(rcClient);
    if (m_pPane != nullptr && m_pPane->GetSafeHwnd() != nullptr) {
        m_pPane->MoveWindow(rcClient.left, rcClient.bottom - kNotesHeight, rcClient.Width(), kNotesHeight);
        rcClient.bottom -= kNotesHeight;
    }
    if (m_hMDIClient != nullptr)
        ::MoveWindow(m_hMDIClient, rcClient.left, rcClient.top, rcClient.Width(), rcClient.Height(), TRUE);
}

LRESULT CKitHostFrame::OnSetMessageString(WPARAM /*wParam*/, LPARAM lParam)
{
    if (m_wndStatusBar.GetSafeHwnd() != nullptr)
        m_wndStatusBar.SetPaneText(0, reinterpret_cast<LPCSTR>(lParam));
    return 0;
}

LRESULT CKitHostFrame::OnPopMessageString(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    if (m_wndStatusBar.GetSafeHwnd() != nullptr)
        m_wndStatusBar.SetPaneText(0, "Ready");
    return 0;
}

void CKitHostFrame::Note(LPCSTR lpszText)
{
    if (m_pPane == nullptr)
        return;
    const int nLength = m_pPane->GetWindowTextLength();
    m_pPane->SetSel(nLength, nLength);
    m_pPane->ReplaceSel(CString(lpszText) + "\r\n");
}

void CKitHostFrame::OnFileNew()
{
    Note("New");
}

void CKitHostFrame::OnFileOpen()
{
    Note("Open");
}

void CKitHostFrame::OnFileSave()
{
    Note("Save");
}

void CKitHostFrame::OnFileSaveAll()
{
    Note("Save All");
}

void CKitHostFrame::OnEditSelectAll()
{
    Note("Select All");
}

LRESULT CKitHostFrame::OnContextMenuMessage(WPARAM /*wParam*/, LPARAM lParam)
{
    // From the keyboard (-1) the menu opens at the pane's top-left corner.
    const BOOL bKeyboard = lParam == -1;
    CPoint pt(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
    if (bKeyboard) {
        CRect rcPane;
        m_pPane->GetWindowRect(&rcPane);
        pt = rcPane.TopLeft() + CPoint(24, 24);
    }
    ShowContextMenu(pt, bKeyboard);
    return 0;
}

void CKitHostFrame::ShowContextMenu(CPoint ptScreen, BOOL bKeyboard)
{
    CMenu menu;
    if (m_pCommandBars == nullptr || m_pContextMenu != nullptr || !menu.LoadMenu(IDR_CONTEXT))
        return;
    m_pContextMenu = CKitPopupBar::CreatePopupBar(m_pCommandBars);
    m_pContextMenu->LoadMenu(menu.GetSubMenu(0)->GetSafeHmenu());
    if (bKeyboard) {
        m_pCommandBars->ShowKeyboardCues(TRUE);
        PostMessage(WM_KITHOST_SHOW_MENU_TIPS);
    }
    m_pCommandBars->TrackPopupMenu(m_pContextMenu, TPM_RIGHTBUTTON, ptScreen.x, ptScreen.y, this);
    m_pCommandBars->HideKeyboardTips();
    m_pContextMenu->InternalRelease();
    m_pContextMenu = nullptr;
}

LRESULT CKitHostFrame::OnShowMenuTips(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    if (m_pContextMenu != nullptr && m_pContextMenu->IsTrackingMode())
        m_pContextMenu->ShowKeyboardTips();
    return 0;
}

void CKitHostFrame::OnFilePrint()
{
    Note("Print");
}

void CKitHostFrame::OnAppAbout()
{
    CDialog dlg(IDD_ABOUTBOX, this);
    dlg.DoModal();
}

void CKitHostFrame::OnAppExit()
{
    PostMessage(WM_CLOSE);
}

void CKitHostFrame::OnViewToolBar()
{
    if (m_pToolBar == nullptr)
        return;
    m_pToolBar->SetVisible(!m_pToolBar->IsVisible());
    RecalcLayout();
}

void CKitHostFrame::OnUpdateViewToolBar(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(m_pToolBar != nullptr && m_pToolBar->IsVisible());
}

void CKitHostFrame::OnNewText()
{
    OpenDocument(IDR_TEXTTYPE);
    Note("New text document");
}

void CKitHostFrame::OnNewGrid()
{
    OpenDocument(IDR_GRIDTYPE);
    Note("New grid document");
}

void CKitHostFrame::OnWindowCascade()
{
    ::SendMessageA(m_hMDIClient, WM_MDICASCADE, 0, 0);
}

void CKitHostFrame::OnControlsCommand(UINT nId)
{
    CString strText;
    strText.LoadString(nId);
    const int nNewLine = strText.Find('\n');
    Note(nNewLine < 0 ? strText : strText.Mid(nNewLine + 1));
}

void CKitHostFrame::OnViewStatusBar()
{
    m_wndStatusBar.ShowWindow(m_wndStatusBar.IsWindowVisible() ? SW_HIDE : SW_SHOWNA);
    RecalcLayout();
}

void CKitHostFrame::OnUpdateViewStatusBar(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(m_wndStatusBar.IsWindowVisible());
}

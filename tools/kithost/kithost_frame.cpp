#include "tools/kithost/kithost_frame.h"

#include "framework/controls.h"
#include "framework/dialog.h"
#include "framework/ids.h"
#include "toolkit/commandbars/command_bar.h"
#include "toolkit/commandbars/menu_bar.h"
#include "toolkit/commandbars/command_bar_manager.h"
#include "toolkit/commandbars/popup_bar.h"
#include "tools/kithost/res/resource.h"

IMPLEMENT_DYNAMIC(CKitHostFrame, CFrameWnd)

namespace {
constexpr char kTitle[] = "kithost";
constexpr int kWidth = 640;
constexpr int kHeight = 420;
constexpr UINT kPaneId = AFX_IDW_PANE_FIRST;
constexpr UINT kIndicators[] = {ID_SEPARATOR};
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
    ON_COMMAND(ID_VIEW_STATUS_BAR, &CKitHostFrame::OnViewStatusBar)
    ON_UPDATE_COMMAND_UI(ID_VIEW_STATUS_BAR, &CKitHostFrame::OnUpdateViewStatusBar)
END_MESSAGE_MAP()

CKitHostFrame::CKitHostFrame() = default;

CKitHostFrame::~CKitHostFrame()
{
    delete m_pPane;
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
    m_pCommandBars = new CKitCommandBarManager();
    m_pCommandBars->SetSite(this);
    m_pMenuBar = m_pCommandBars->SetMenu("Menu Bar", IDR_MAINFRAME);
    m_pToolBar = m_pCommandBars->Add("Standard", kitBarTop);
    if (m_pMenuBar == nullptr || m_pToolBar == nullptr || !m_pToolBar->LoadToolBar(IDR_TOOLBAR_STANDARD))
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
    m_pPane->SetWindowText("The command bars above come from kithost's own menu and toolbar resources.\r\n"
                           "Commands chosen from them are listed here.\r\n");
    return 0;
}

void CKitHostFrame::OnDestroy()
{
    if (m_pCommandBars != nullptr)
        m_pCommandBars->RemoveAll();
    m_pMenuBar = nullptr;
    m_pToolBar = nullptr;
    CFrameWnd::OnDestroy();
}

void CKitHostFrame::RecalcLayout(BOOL /*bNotify*/)
{
    if (GetSafeHwnd() == nullptr)
        return;
    CRect rcClient;
    GetClientRect(&rcClient);
    for (CKitToolBar* pBar : {static_cast<CKitToolBar*>(m_pMenuBar), m_pToolBar}) {
        if (pBar == nullptr || !pBar->IsVisible())
            continue;
        const CSize sz = pBar->CalcLayout(rcClient.Width());
        pBar->MoveWindow(rcClient.left, rcClient.top, rcClient.Width(), sz.cy);
        rcClient.top += sz.cy;
    }
    if (m_wndStatusBar.GetSafeHwnd() != nullptr && m_wndStatusBar.IsWindowVisible()) {
        const CSize sz = m_wndStatusBar.CalcFixedLayout(TRUE, TRUE);
        m_wndStatusBar.MoveWindow(rcClient.left, rcClient.bottom - sz.cy, rcClient.Width(), sz.cy);
        rcClient.bottom -= sz.cy;
    }
    if (m_pPane != nullptr && m_pPane->GetSafeHwnd() != nullptr)
        m_pPane->MoveWindow(&rcClient);
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
    m_pToolBar->SetVisible(!m_pToolBar->IsVisible());
    RecalcLayout();
}

void CKitHostFrame::OnUpdateViewToolBar(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(m_pToolBar != nullptr && m_pToolBar->IsVisible());
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

#include "corvel/controls/dialog_ex.h"

#include <algorithm>
#include <iterator>

IMPLEMENT_DYNAMIC(CDlgStatusBar, CStatusBar)
IMPLEMENT_DYNAMIC(CDlgToolBar, CToolBar)
IMPLEMENT_DYNAMIC(MyCDialogEx, CDialog)
IMPLEMENT_DYNAMIC(CProgressBar, CProgressCtrl)

namespace {

// The window styles of the dialog's status bar: child, visible, bottom-aligned, top border.
constexpr DWORD kStatusBarStyle = 0x50008200;
const UINT kDefaultIndicators[] = {ID_SEPARATOR, ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL};
// The system commands whose prompts are strings AFX_IDS_SCFIRST + (command - SC_SIZE) / 16.
constexpr UINT kFirstSystemCommand = 0xF000;
constexpr UINT kSystemCommandEnd = 0xF1F0;
// WM_MENUSELECT's flags when the menu closes.
constexpr UINT kMenuClosed = 0xFFFF;
// Idle messages the dialog asks for before the modal loop waits.
constexpr LPARAM kIdleUpdates = 3;
// Longest tooltip text, terminator included.
constexpr int kToolTipChars = 80;

// The part of text before its first line break and the part after it.
void SplitPrompt(const CString& text, CString& prompt, CString& tip)
{
    const int lineBreak = text.Find('\n');
    prompt = lineBreak >= 0 ? text.Left(lineBreak) : text;
    tip = lineBreak >= 0 ? text.Mid(lineBreak + 1) : CString();
}

// The dialog that holds a bar updates its items.
void UpdateBarThroughOwner(CControlBar* pBar, WPARAM wParam)
{
    CWnd* pOwner = pBar->GetParent();
    if (pOwner != nullptr && pBar->IsWindowVisible())
        pBar->OnUpdateCmdUI(pOwner, static_cast<BOOL>(wParam));
}

} // namespace

// CDlgStatusBar, CDlgToolBar

BEGIN_MESSAGE_MAP(CDlgStatusBar, CStatusBar)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, &CDlgStatusBar::OnIdleUpdateCmdUI)
END_MESSAGE_MAP()

LRESULT CDlgStatusBar::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM)
{
    UpdateBarThroughOwner(this, wParam);
    return 0;
}

BEGIN_MESSAGE_MAP(CDlgToolBar, CToolBar)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, &CDlgToolBar::OnIdleUpdateCmdUI)
END_MESSAGE_MAP()

LRESULT CDlgToolBar::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM)
{
    UpdateBarThroughOwner(this, wParam);
    return 0;
}

// MyCDialogEx

BEGIN_MESSAGE_MAP(MyCDialogEx, CDialog)
    ON_WM_SIZE()
    ON_WM_TIMER()
    ON_WM_MOUSEMOVE()
    ON_WM_ENTERIDLE()
    ON_WM_MENUSELECT()
    ON_WM_INITMENUPOPUP()
    ON_MESSAGE(WM_KICKIDLE, &MyCDialogEx::OnKickIdle)
    ON_MESSAGE(WM_SETMESSAGESTRING, &MyCDialogEx::OnSetMessageString)
    ON_MESSAGE(WM_POPMESSAGESTRING, &MyCDialogEx::OnPopMessageString)
    ON_NOTIFY_EX_RANGE(TTN_NEEDTEXTA, 0, 0xFFFFFFFF, &MyCDialogEx::OnToolTipText)
    ON_NOTIFY_EX_RANGE(TTN_NEEDTEXTW, 0, 0xFFFFFFFF, &MyCDialogEx::OnToolTipText)
    ON_COMMAND(ID_VIEW_TOOLBAR, &MyCDialogEx::OnViewToolBar)
    ON_UPDATE_COMMAND_UI(ID_VIEW_TOOLBAR, &MyCDialogEx::OnUpdateViewToolBar)
    ON_COMMAND(ID_VIEW_STATUS_BAR, &MyCDialogEx::OnViewStatusBar)
    ON_UPDATE_COMMAND_UI(ID_VIEW_STATUS_BAR, &MyCDialogEx::OnUpdateViewStatusBar)
    ON_UPDATE_COMMAND_UI_RANGE(ID_INDICATOR_CAPS, ID_INDICATOR_SCRL, &MyCDialogEx::OnUpdateKeyIndicator)
END_MESSAGE_MAP()

MyCDialogEx::MyCDialogEx(UINT nIDTemplate, CWnd* pParentWnd) : CDialog(nIDTemplate, pParentWnd)
{
}

MyCDialogEx::~MyCDialogEx()
{
    if (m_wndToolBar.m_hWnd != nullptr)
        m_wndToolBar.DestroyWindow();
    if (m_wndStatusBar.m_hWnd != nullptr)
        m_wndStatusBar.DestroyWindow();
}

BOOL MyCDialogEx::CreateBars(BOOL bToolTips, BOOL bStatusBar, const UINT* lpIndicators, int nIndicatorCount,
                             UINT nIDToolBar, DWORD dwToolBarStyle)
{
    if (bToolTips) {
        EnableToolTips(TRUE);
        m_bToolTips = true;
    }
    if (bStatusBar) {
        const UINT* indicators = lpIndicators != nullptr ? lpIndicators : kDefaultIndicators;
        const int count = lpIndicators != nullptr ? nIndicatorCount : static_cast<int>(std::size(kDefaultIndicators));
        if (!m_wndStatusBar.Create(this, kStatusBarStyle, kStatusBarId))
            return FALSE;
        if (!m_wndStatusBar.SetIndicators(indicators, count)) {
            m_wndStatusBar.DestroyWindow();
            return FALSE;
        }
        m_wndStatusBar.SetPaneStyle(0, SBPS_STRETCH);
        m_bHasStatusBar = true;
        ShowIdlePrompt();
    }
    if (nIDToolBar != 0) {
        const DWORD style = dwToolBarStyle | (bToolTips ? CBRS_TOOLTIPS : 0);
        if (!m_wndToolBar.CreateEx(this, TBSTYLE_FLAT, style, CRect(0, 0, 0, 0), kToolBarId) ||
            !m_wndToolBar.LoadToolBar(nIDToolBar)) {
            if (m_wndToolBar.m_hWnd != nullptr)
                m_wndToolBar.DestroyWindow();
            if (bStatusBar) {
                m_wndStatusBar.DestroyWindow();
                m_bHasStatusBar = false;
            }
            return FALSE;
        }
        m_bHasToolBar = true;
    }
    if (!m_bHasStatusBar && !m_bHasToolBar)
        return TRUE;

    // The controls move by the room the bars take above and left of them; the dialog grows by all of it.
    CRect client;
    GetClientRect(&client);
    CRect rest;
    RepositionBars(AFX_IDW_CONTROLBAR_FIRST, AFX_IDW_CONTROLBAR_LAST, 0, reposQuery, &rest, &client);
    MoveControls(CPoint(rest.left - client.left, rest.top - client.top));
    GrowWindow(client.Width() - rest.Width(), client.Height() - rest.Height());
    return TRUE;
}

INT_PTR MyCDialogEx::DoModal()
{
    m_bModeless = false;
    m_bModal = true;
    return CDialog::DoModal();
}

void MyCDialogEx::OnOK()
{
    if (m_bModal) {
        CDialog::OnOK();
        return;
    }
    if (UpdateData(TRUE))
        DestroyWindow();
}

void MyCDialogEx::OnCancel()
{
    if (m_bModal)
        CDialog::OnCancel();
    else
        DestroyWindow();
}

void MyCDialogEx::PostNcDestroy()
{
    if (m_bModal)
        CDialog::PostNcDestroy();
}

INT_PTR MyCDialogEx::OnToolHitTest(CPoint point, TOOLINFOA* pTI) const
{
    HWND hChild = ::ChildWindowFromPointEx(m_hWnd, point, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
    if (hChild == nullptr || hChild == m_hWnd || hChild == m_wndStatusBar.m_hWnd)
        return -1;
    pTI->hwnd = m_hWnd;
    pTI->uFlags |= TTF_IDISHWND;
    return reinterpret_cast<INT_PTR>(hChild);
}

void MyCDialogEx::MoveControls(CPoint offset)
{
    for (HWND hChild = ::GetWindow(m_hWnd, GW_CHILD); hChild != nullptr; hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
        if (hChild == m_wndStatusBar.m_hWnd || hChild == m_wndToolBar.m_hWnd)
            continue;
        CRect place;
        ::GetWindowRect(hChild, &place);
        ScreenToClient(&place);
        ::SetWindowPos(hChild, nullptr, place.left + offset.x, place.top + offset.y, 0, 0,
                       SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void MyCDialogEx::GrowWindow(int dx, int dy)
{
    CRect window;
    GetWindowRect(&window);
    SetWindowPos(nullptr, 0, 0, window.Width() + dx, window.Height() + dy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    CRect client;
    GetClientRect(&client);
    LayOutBars(client.Width(), client.Height());
}

void MyCDialogEx::LayOutBars(int cx, int cy)
{
    const CRect client(0, 0, cx, cy);
    RepositionBars(AFX_IDW_CONTROLBAR_FIRST, AFX_IDW_CONTROLBAR_LAST, 0, reposDefault, nullptr, &client);
}

void MyCDialogEx::OnSize(UINT nType, int cx, int cy)
{
    if (m_bHasStatusBar || m_bHasToolBar)
        LayOutBars(cx, cy);
    CDialog::OnSize(nType, cx, cy);
}

void MyCDialogEx::OnTimer(UINT_PTR nIDEvent)
{
    CDialog::OnTimer(nIDEvent);
}

void MyCDialogEx::OnMouseMove(UINT nFlags, CPoint point)
{
    if (m_bPromptShown) {
        ShowIdlePrompt();
        m_bPromptShown = false;
    }
    CDialog::OnMouseMove(nFlags, point);
}

void MyCDialogEx::UpdateBars()
{
    if (m_bHasStatusBar)
        m_wndStatusBar.SendMessage(WM_IDLEUPDATECMDUI, FALSE);
    if (m_bHasToolBar)
        m_wndToolBar.SendMessage(WM_IDLEUPDATECMDUI, TRUE);
}

LRESULT MyCDialogEx::OnKickIdle(WPARAM, LPARAM lParam)
{
    UpdateBars();
    return lParam < kIdleUpdates;
}

void MyCDialogEx::OnEnterIdle(UINT nWhy, CWnd* pWho)
{
    CDialog::OnEnterIdle(nWhy, pWho);
    if (nWhy == MSGF_MENU && m_nIDTracking != m_nIDLastMessage)
        SendMessage(WM_SETMESSAGESTRING, m_nIDTracking);
    if (AfxGetMainWnd() != this)
        UpdateBars();
}

void MyCDialogEx::OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu)
{
    CDialog::OnMenuSelect(nItemID, nFlags, hSysMenu);
    if (nFlags == kMenuClosed) {
        m_nIDTracking = AFX_IDS_IDLEMESSAGE;
        SendMessage(WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE);
    } else if ((nFlags & (MF_SEPARATOR | MF_POPUP | MF_MENUBREAK | MF_MENUBARBREAK)) == 0) {
        m_nIDTracking = nItemID >= kFirstSystemCommand && nItemID < kSystemCommandEnd
            ? AFX_IDS_SCFIRST + (nItemID - kFirstSystemCommand) / 16
            : nItemID;
    } else {
        m_nIDTracking = 0;
    }
}

LRESULT MyCDialogEx::OnSetMessageString(WPARAM wParam, LPARAM)
{
    const UINT nID = static_cast<UINT>(wParam);
    const UINT previous = m_nIDLastMessage;
    if (m_bHasStatusBar) {
        CString text;
        if (nID == 0) {
            m_wndStatusBar.SetPaneText(0, "");
        } else if (nID == AFX_IDS_IDLEMESSAGE) {
            text.LoadString(AFX_IDS_IDLEMESSAGE);
            m_wndStatusBar.SetPaneText(0, text);
        } else if (text.LoadString(nID) && text.Find('\n') >= 0) {
            m_wndStatusBar.SetPaneText(0, text.Left(text.Find('\n')));
        }
    }
    m_nIDLastMessage = nID;
    return previous;
}

LRESULT MyCDialogEx::OnPopMessageString(WPARAM wParam, LPARAM lParam)
{
    return OnSetMessageString(wParam, lParam);
}

void MyCDialogEx::ShowIdlePrompt()
{
    SendMessage(WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE);
}

void MyCDialogEx::OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu)
{
    CDialog::OnInitMenuPopup(pPopupMenu, nIndex, bSysMenu);
    if (!bSysMenu && pPopupMenu != nullptr)
        AfxUpdateMenuCommandUI(this, pPopupMenu, TRUE);
}

BOOL MyCDialogEx::OnToolTipText(UINT, NMHDR* pNMHDR, LRESULT* pResult)
{
    const bool wide = pNMHDR->code == TTN_NEEDTEXTW;
    const UINT flags = wide ? reinterpret_cast<NMTTDISPINFOW*>(pNMHDR)->uFlags
                            : reinterpret_cast<NMTTDISPINFOA*>(pNMHDR)->uFlags;
    UINT_PTR id = pNMHDR->idFrom;
    if (flags & TTF_IDISHWND)
        id = static_cast<UINT_PTR>(::GetDlgCtrlID(reinterpret_cast<HWND>(id)));
    if (id != 0 && id != kStatusBarId) {
        CString text;
        text.LoadString(static_cast<UINT>(id));
        CString prompt;
        CString tip;
        SplitPrompt(text, prompt, tip);
        if (wide) {
            NMTTDISPINFOW* info = reinterpret_cast<NMTTDISPINFOW*>(pNMHDR);
            ::MultiByteToWideChar(CP_ACP, 0, tip, -1, info->szText, kToolTipChars);
            info->szText[kToolTipChars - 1] = L'\0';
        } else {
            NMTTDISPINFOA* info = reinterpret_cast<NMTTDISPINFOA*>(pNMHDR);
            ::lstrcpynA(info->szText, tip, kToolTipChars);
        }
        if (!prompt.IsEmpty() && m_bHasStatusBar) {
            m_wndStatusBar.SetPaneText(0, prompt);
            m_bPromptShown = true;
        }
    }
    *pResult = 0;
    ::SetWindowPos(pNMHDR->hwndFrom, HWND_TOP, 0, 0, 0, 0,
                   SWP_NOACTIVATE | SWP_NOSIZE | SWP_NOMOVE | SWP_NOOWNERZORDER);
    return TRUE;
}

void MyCDialogEx::OnViewStatusBar()
{
    if (!m_bHasStatusBar)
        return;
    const bool show = (m_wndStatusBar.GetStyle() & WS_VISIBLE) == 0;
    CRect bar;
    m_wndStatusBar.GetWindowRect(&bar);
    m_wndStatusBar.ShowWindow(show ? SW_SHOWNOACTIVATE : SW_HIDE);
    // The controls keep their size: the dialog grows or shrinks by the bar.
    GrowWindow(0, show ? bar.Height() : -bar.Height());
}

void MyCDialogEx::OnUpdateViewStatusBar(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(m_bHasStatusBar && (m_wndStatusBar.GetStyle() & WS_VISIBLE) ? 1 : 0);
}

void MyCDialogEx::OnViewToolBar()
{
    if (!m_bHasToolBar)
        return;
    const bool show = (m_wndToolBar.GetStyle() & WS_VISIBLE) == 0;
    CRect bar;
    m_wndToolBar.GetWindowRect(&bar);
    const int shift = show ? bar.Height() : -bar.Height();
    m_wndToolBar.ShowWindow(show ? SW_SHOWNOACTIVATE : SW_HIDE);
    MoveControls(CPoint(0, shift));
    GrowWindow(0, shift);
}

void MyCDialogEx::OnUpdateViewToolBar(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(m_bHasToolBar && (m_wndToolBar.GetStyle() & WS_VISIBLE) ? 1 : 0);
}

void MyCDialogEx::OnUpdateKeyIndicator(CCmdUI* pCmdUI)
{
    AfxUpdateKeyIndicator(pCmdUI);
}

// CProgressBar

BEGIN_MESSAGE_MAP(CProgressBar, CProgressCtrl)
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CProgressBar::~CProgressBar()
{
    if (m_hWnd == nullptr)
        return;
    ShowWindow(SW_HIDE);
    if (m_pStatusBar != nullptr && m_pStatusBar->m_hWnd != nullptr) {
        CString restored = m_strPrevText;
        if (m_nPane == 0)
            restored.LoadString(AFX_IDS_IDLEMESSAGE);
        m_pStatusBar->SetPaneText(m_nPane, restored);
    }
    DestroyWindow();
}

BOOL CProgressBar::Create(LPCSTR lpszLabel, int nSize, int nMaxValue, BOOL bSmooth, int nPane)
{
    if (m_pStatusBar == nullptr || m_pStatusBar->m_hWnd == nullptr)
        return FALSE;
    CRect pane;
    m_pStatusBar->GetItemRect(nPane, &pane);
    const DWORD style = WS_CHILD | WS_VISIBLE | (bSmooth ? PBS_SMOOTH : 0);
    if (!CProgressCtrl::Create(style, pane, m_pStatusBar, 1))
        return FALSE;
    SetRange32(0, nMaxValue);
    SetStep(1);
    ShowWindow(SW_SHOWNA);
    m_strLabel = lpszLabel != nullptr ? lpszLabel : "";
    m_nSize = nSize;
    m_nPane = nPane;
    m_strPrevText = m_pStatusBar->GetPaneText(nPane);
    Resize();
    return TRUE;
}

void CProgressBar::Resize()
{
    if (m_hWnd == nullptr || m_pStatusBar == nullptr)
        return;
    if (IsWindowVisible())
        m_pStatusBar->SetPaneText(m_nPane, m_strLabel);
    CRect rect;
    m_pStatusBar->GetItemRect(m_nPane, &rect);
    if (!m_strLabel.IsEmpty()) {
        CClientDC dc(m_pStatusBar);
        ScopedSelect font(dc, reinterpret_cast<HGDIOBJ>(m_pStatusBar->SendMessage(WM_GETFONT)));
        rect.left += dc.GetTextExtent(m_strLabel).cx + 4 * dc.GetTextExtent(" ").cx;
    }
    const int space = std::max(0, static_cast<int>(rect.Width()));
    rect.right = std::max(rect.left, rect.right - space * (100 - m_nSize) / 100);
    const int margin = rect.Height() / 10;
    rect.top += margin;
    rect.bottom -= margin;
    if (rect != m_rect) {
        MoveWindow(&rect);
        m_rect = rect;
    }
}

BOOL CProgressBar::OnEraseBkgnd(CDC* pDC)
{
    Resize();
    return CProgressCtrl::OnEraseBkgnd(pDC);
}

#include "framework/statusbar.h"

#include "framework/gdi.h"

#include <commctrl.h>

#include <algorithm>

IMPLEMENT_DYNAMIC(CStatusBar, CControlBar)

BEGIN_MESSAGE_MAP(CStatusBar, CControlBar)
    ON_WM_SIZE()
END_MESSAGE_MAP()

namespace {

// Space around a pane's text, in pixels.
constexpr int kPanePadding = 12;
// Most panes a status control holds.
constexpr int kMaxPanes = 255;

// Updates one pane: disabled panes show no text.
class StatusCmdUI : public CCmdUI {
public:
    explicit StatusCmdUI(CStatusBar* pBar) : m_pBar(pBar) {}
    void Enable(BOOL bOn) override
    {
        m_bEnableChanged = TRUE;
        m_pBar->EnablePane(static_cast<int>(m_nIndex), bOn);
    }
    void SetCheck(int) override {}
    void SetRadio(BOOL) override {}
    void SetText(LPCSTR lpszText) override { m_pBar->SetPaneText(static_cast<int>(m_nIndex), lpszText); }

private:
    CStatusBar* m_pBar;
};

} // namespace

BOOL CStatusBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    if ((dwStyle & CBRS_ALIGN_ANY) == 0)
        dwStyle |= CBRS_BOTTOM;
    DWORD windowStyle = TakeBarStyle(dwStyle) | WS_CHILD | CCS_BOTTOM;
    if (pParentWnd != nullptr && (pParentWnd->GetStyle() & WS_THICKFRAME))
        windowStyle |= SBARS_SIZEGRIP;
    return CWnd::Create(STATUSCLASSNAMEA, nullptr, windowStyle, CRect(0, 0, 0, 0), pParentWnd, nID);
}

BOOL CStatusBar::SetIndicators(const UINT* lpIDArray, int nIDCount)
{
    if (nIDCount < 0 || nIDCount > kMaxPanes || (nIDCount > 0 && lpIDArray == nullptr))
        return FALSE;
    m_panes.assign(static_cast<size_t>(nIDCount), Pane());
    CClientDC dc(this);
    HGDIOBJ oldFont = ::SelectObject(dc.m_hDC, reinterpret_cast<HGDIOBJ>(SendMessage(WM_GETFONT)));
    for (int i = 0; i < nIDCount; ++i) {
        Pane& pane = m_panes[static_cast<size_t>(i)];
        pane.id = lpIDArray[i];
        pane.stretch = pane.id == ID_SEPARATOR;
        if (pane.id != ID_SEPARATOR) {
            pane.text.LoadString(pane.id);
            pane.width = dc.GetTextExtent(pane.text).cx + kPanePadding;
        }
    }
    ::SelectObject(dc.m_hDC, oldFont);
    UpdateParts();
    for (int i = 0; i < nIDCount; ++i)
        SetPaneText(i, m_panes[static_cast<size_t>(i)].text);
    return TRUE;
}

UINT CStatusBar::GetItemID(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetCount() ? m_panes[static_cast<size_t>(nIndex)].id : 0;
}

int CStatusBar::CommandToIndex(UINT nIDFind) const
{
    for (int i = 0; i < GetCount(); ++i) {
        if (m_panes[static_cast<size_t>(i)].id == nIDFind)
            return i;
    }
    return -1;
}

BOOL CStatusBar::SetPaneText(int nIndex, LPCSTR lpszNewText, BOOL bUpdate)
{
    if (nIndex < 0 || nIndex >= GetCount())
        return FALSE;
    m_panes[static_cast<size_t>(nIndex)].text = lpszNewText != nullptr ? lpszNewText : "";
    ShowPane(nIndex);
    if (bUpdate)
        UpdateWindow();
    return TRUE;
}

void CStatusBar::SetPaneStyle(int nIndex, UINT nStyle)
{
    if (nIndex < 0 || nIndex >= GetCount())
        return;
    m_panes[static_cast<size_t>(nIndex)].stretch = (nStyle & SBPS_STRETCH) != 0;
    UpdateParts();
}

UINT CStatusBar::GetPaneStyle(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetCount() && m_panes[static_cast<size_t>(nIndex)].stretch ? SBPS_STRETCH
                                                                                                : SBPS_NORMAL;
}

void CStatusBar::EnablePane(int nIndex, BOOL bEnable)
{
    if (nIndex < 0 || nIndex >= GetCount() || m_panes[static_cast<size_t>(nIndex)].disabled == !bEnable)
        return;
    m_panes[static_cast<size_t>(nIndex)].disabled = !bEnable;
    ShowPane(nIndex);
}

void CStatusBar::ShowPane(int nIndex)
{
    const CString shown = GetPaneText(nIndex);
    SendMessage(SB_SETTEXTA, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(static_cast<LPCSTR>(shown)));
}

CString CStatusBar::GetPaneText(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetCount() || m_panes[static_cast<size_t>(nIndex)].disabled)
        return CString();
    return m_panes[static_cast<size_t>(nIndex)].text;
}

void CStatusBar::GetItemRect(int nIndex, LPRECT lpRect) const
{
    ::SetRectEmpty(lpRect);
    SendMessage(SB_GETRECT, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(lpRect));
}

void CStatusBar::UpdateParts()
{
    if (m_hWnd == nullptr || m_panes.empty())
        return;
    CRect client;
    GetClientRect(&client);
    // Fixed panes sit at the right; the separator panes share what is left.
    int fixed = 0;
    int stretching = 0;
    for (const Pane& pane : m_panes) {
        fixed += pane.stretch ? 0 : pane.width;
        stretching += pane.stretch ? 1 : 0;
    }
    const int spare = std::max(0, static_cast<int>(client.Width()) - fixed);
    std::vector<int> edges;
    int right = 0;
    for (const Pane& pane : m_panes) {
        right += pane.stretch ? spare / std::max(1, stretching) : pane.width;
        edges.push_back(right);
    }
    edges.back() = -1; // the last pane reaches the edge
    SendMessage(SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
}

void AfxUpdateKeyIndicator(CCmdUI* pCmdUI)
{
    const int key = pCmdUI->m_nID == ID_INDICATOR_CAPS ? VK_CAPITAL
        : pCmdUI->m_nID == ID_INDICATOR_NUM            ? VK_NUMLOCK
                                                       : VK_SCROLL;
    pCmdUI->Enable((::GetKeyState(key) & 1) != 0);
}

CSize CStatusBar::CalcFixedLayout(BOOL, BOOL)
{
    // The control takes the height of its font when it is sized.
    SendMessage(WM_SIZE);
    CRect window;
    GetWindowRect(&window);
    return CSize(0, window.Height());
}

void CStatusBar::OnUpdateCmdUI(CCmdTarget* pTarget, BOOL)
{
    StatusCmdUI state(this);
    for (int i = 0; i < GetCount(); ++i) {
        state.m_nIndex = static_cast<UINT>(i);
        state.m_nID = m_panes[static_cast<size_t>(i)].id;
        if (state.m_nID != ID_SEPARATOR)
            state.DoUpdate(pTarget, FALSE);
    }
}

void CStatusBar::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    UpdateParts();
}

// The in-place combo box: filling, drop-down width, keys, the end-of-edit record, and the combo cell's drawing.
#include "ostrel/grid/in_place_list.h"

#include "ostrel/grid/in_place_edit.h"
#include "ostrel/grid/monitor_grid.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CComboEdit, CEdit)
IMPLEMENT_DYNAMIC(CInPlaceList, CComboBox)
IMPLEMENT_DYNCREATE(CMonitorComboCell, CMonitorCell)

BEGIN_MESSAGE_MAP(CComboEdit, CEdit)
    ON_WM_KEYDOWN()
    ON_WM_CHAR()
    ON_WM_GETDLGCODE()
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(CInPlaceList, CComboBox)
    ON_WM_KEYDOWN()
    ON_WM_CHAR()
    ON_WM_GETDLGCODE()
    ON_CONTROL_REFLECT(CBN_KILLFOCUS, &CInPlaceList::OnDropDownLostFocus)
    ON_CONTROL_REFLECT(CBN_SELCHANGE, &CInPlaceList::OnSelectionChange)
END_MESSAGE_MAP()

namespace {

bool EndsEdit(UINT nChar)
{
    return nChar == VK_TAB || nChar == VK_RETURN || nChar == VK_ESCAPE;
}

CInPlaceList* OwningList(CWnd* pEdit)
{
    return DYNAMIC_DOWNCAST(CInPlaceList, CWnd::FromHandlePermanent(::GetParent(pEdit->m_hWnd)));
}

} // namespace

// CComboEdit

void CComboEdit::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    CInPlaceList* pList = OwningList(this);
    if (pList != nullptr && (EndsEdit(nChar) || (IsEditExitKey(nChar) && IsCtrlDown()))) {
        pList->SendMessage(WM_KEYDOWN, nChar, MAKELPARAM(nRepCnt, nFlags));
        return;
    }
    CEdit::OnKeyDown(nChar, nRepCnt, nFlags);
}

void CComboEdit::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    // Tab, Enter and Escape were handled as keys.
    if (EndsEdit(nChar))
        return;
    CEdit::OnChar(nChar, nRepCnt, nFlags);
}

UINT CComboEdit::OnGetDlgCode()
{
    return DLGC_WANTALLKEYS;
}

// CInPlaceList

CInPlaceList::CInPlaceList(int nRow, int nColumn, const CString& strInitText, UINT nFirstChar, ChoiceHandler onChoice)
    : m_strInitText(strInitText), m_nRow(nRow), m_nColumn(nColumn), m_bExitOnArrows(nFirstChar != VK_LBUTTON),
      m_onChoice(std::move(onChoice))
{
}

CInPlaceList* CInPlaceList::Start(CWnd* pParent, const CRect& rect, DWORD dwStyle, UINT nID, int nRow, int nColumn,
                                  const CStringArray& choices, const CString& strInitText, UINT nFirstChar,
                                  ChoiceHandler onChoice)
{
    if (pParent == nullptr || pParent->m_hWnd == nullptr)
        return nullptr;
    CInPlaceList* pList = new CInPlaceList(nRow, nColumn, strInitText, nFirstChar, std::move(onChoice));
    const int cellHeight = rect.Height();
    CRect dropRect = rect;
    dropRect.bottom += pList->m_nNumLines * cellHeight + ::GetSystemMetrics(SM_CYHSCROLL);
    if (!pList->Create(dwStyle | WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_BORDER | CBS_AUTOHSCROLL, dropRect, pParent,
                       nID)) {
        delete pList;
        return nullptr;
    }
    for (INT_PTR i = 0; i < choices.GetSize(); ++i)
        pList->AddString(choices[i]);
    pList->SetFont(pParent->GetFont());
    pList->SendMessage(CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), cellHeight);

    // As wide as the widest choice, but never wider than kMaxDroppedWidth.
    int widest = 0;
    {
        CClientDC dc(pList);
        ScopedSelect keepFont(dc, reinterpret_cast<HGDIOBJ>(pList->SendMessage(WM_GETFONT)));
        for (INT_PTR i = 0; i < choices.GetSize(); ++i)
            widest = std::max(widest, static_cast<int>(dc.GetTextExtent(choices[i]).cx));
        widest += ::GetSystemMetrics(SM_CXVSCROLL) + dc.GetTextExtent("0", 1).cx;
    }
    pList->SendMessage(CB_SETDROPPEDWIDTH, static_cast<WPARAM>(std::min(widest, kMaxDroppedWidth)));

    const int selected = pList->FindStringExact(-1, strInitText);
    if (selected == CB_ERR)
        pList->SetWindowText(strInitText);
    else
        pList->SetCurSel(selected);

    if ((dwStyle & 0x3) != CBS_DROPDOWNLIST) {
        if (HWND hEdit = ::GetDlgItem(pList->m_hWnd, static_cast<int>(kComboEditId)))
            pList->m_edit.SubclassWindow(hEdit);
    }
    pList->SetFocus();
    if (pList->m_edit.m_hWnd != nullptr)
        PrepareStartingKey(&pList->m_edit, strInitText.GetLength(), nFirstChar);
    pList->ShowDropDown(TRUE);
    return pList;
}

void CInPlaceList::EndEdit()
{
    FinishInPlaceEdit(this, m_bEnding, m_nRow, m_nColumn, m_nLastChar);
}

void CInPlaceList::EndWithKey(UINT nChar)
{
    m_nLastChar = nChar;
    if (nChar == VK_ESCAPE) {
        const int selected = FindStringExact(-1, m_strInitText);
        if (selected == CB_ERR)
            SetWindowText(m_strInitText);
        else
            SetCurSel(selected);
    }
    GetParent()->SetFocus();
}

void CInPlaceList::PostNcDestroy()
{
    delete this;
}

void CInPlaceList::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (EndsEdit(nChar) || (IsEditExitKey(nChar) && (m_bExitOnArrows || IsCtrlDown()))) {
        EndWithKey(nChar);
        return;
    }
    CComboBox::OnKeyDown(nChar, nRepCnt, nFlags);
}

void CInPlaceList::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (EndsEdit(nChar))
        return;
    CComboBox::OnChar(nChar, nRepCnt, nFlags);
}

UINT CInPlaceList::OnGetDlgCode()
{
    return DLGC_WANTALLKEYS;
}

void CInPlaceList::OnDropDownLostFocus()
{
    EndEdit();
}

void CInPlaceList::OnSelectionChange()
{
    if (!m_onChoice)
        return;
    const int selected = GetCurSel();
    if (selected == CB_ERR)
        return;
    m_onChoice(m_nRow, selected);
    SetCurSel(0);
}

// CMonitorComboCell

void CMonitorComboCell::SetOptions(const CStringArray& choices)
{
    m_Strings.Copy(choices);
}

BOOL CMonitorComboCell::Edit(int nRow, int nCol, CRect rect, CPoint, UINT nID, UINT nChar)
{
    if (m_bEditing)
        return TRUE;
    m_bEditing = TRUE;
    m_pEditWnd =
        CInPlaceList::Start(m_pGrid, rect, m_dwStyle, nID, nRow, nCol, m_Strings, GetText(), nChar, m_onChoice);
    if (m_pEditWnd == nullptr)
        m_bEditing = FALSE;
    return TRUE;
}

void CMonitorComboCell::EndEdit()
{
    if (CInPlaceList* pList = DYNAMIC_DOWNCAST(CInPlaceList, m_pEditWnd))
        pList->EndEdit();
}

bool CMonitorComboCell::ShowsButton(const CRect& rect) const
{
    const int buttonHeight = ::GetSystemMetrics(SM_CYHSCROLL);
    return m_pGrid != nullptr && m_pGrid->IsEditable() && !IsReadOnly() && !IsEditing() &&
        rect.Height() > buttonHeight && rect.Width() > buttonHeight;
}

BOOL CMonitorComboCell::Draw(CDC* pDC, int nRow, int nCol, CRect rect, BOOL bEraseBkgnd)
{
    if (IsEditing()) {
        // The editor shows the text; the cell under it stays blank.
        const CString text = m_strText;
        m_strText.Empty();
        const BOOL drawn = CMonitorCell::Draw(pDC, nRow, nCol, rect, bEraseBkgnd);
        m_strText = text;
        return drawn;
    }
    m_bButtonShown = ShowsButton(rect);
    const BOOL drawn = CMonitorCell::Draw(pDC, nRow, nCol, rect, bEraseBkgnd);
    if (m_bButtonShown && drawn) {
        CRect button(rect.right - ::GetSystemMetrics(SM_CXVSCROLL), rect.top, rect.right,
                     rect.top + ::GetSystemMetrics(SM_CYHSCROLL));
        pDC->DrawFrameControl(&button, DFC_SCROLL, DFCS_SCROLLDOWN);
    }
    m_bButtonShown = false;
    return drawn;
}

BOOL CMonitorComboCell::GetTextRect(LPRECT pRect)
{
    if (m_bButtonShown)
        pRect->right -= ::GetSystemMetrics(SM_CXVSCROLL);
    return CMonitorCell::GetTextRect(pRect);
}

CSize CMonitorComboCell::GetCellExtent(CDC* pDC)
{
    CSize size = CMonitorCell::GetCellExtent(pDC);
    size.cx += ::GetSystemMetrics(SM_CXVSCROLL);
    size.cy = std::max(size.cy, static_cast<LONG>(::GetSystemMetrics(SM_CYHSCROLL)));
    return size;
}

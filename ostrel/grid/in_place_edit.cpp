// The in-place edit box: starting key, exit keys, widening while typing and the end-of-edit record.
#include "ostrel/grid/in_place_edit.h"

#include "framework/gdi.h"

#include <commctrl.h>

IMPLEMENT_DYNAMIC(CInPlaceEdit, CEdit)

BEGIN_MESSAGE_MAP(CInPlaceEdit, CEdit)
    ON_WM_KILLFOCUS()
    ON_WM_CHAR()
    ON_WM_KEYDOWN()
    ON_WM_SYSCHAR()
    ON_WM_GETDLGCODE()
END_MESSAGE_MAP()

void FinishInPlaceEdit(CWnd* pEditor, bool& bEnding, int nRow, int nColumn, UINT nLastChar)
{
    if (bEnding || pEditor->m_hWnd == nullptr)
        return;
    bEnding = true;
    CString text;
    pEditor->GetWindowText(text);
    NMLVDISPINFOA info = {};
    info.hdr.hwndFrom = pEditor->m_hWnd;
    info.hdr.idFrom = static_cast<UINT_PTR>(pEditor->GetDlgCtrlID());
    info.hdr.code = LVN_ENDLABELEDITA;
    info.item.mask = LVIF_TEXT | LVIF_PARAM;
    info.item.iItem = nRow;
    info.item.iSubItem = nColumn;
    info.item.pszText = const_cast<LPSTR>(static_cast<LPCSTR>(text));
    info.item.cchTextMax = text.GetLength();
    info.item.lParam = static_cast<LPARAM>(nLastChar);
    HWND hOwner = ::GetWindow(pEditor->m_hWnd, GW_OWNER);
    if (hOwner == nullptr)
        hOwner = ::GetParent(pEditor->m_hWnd);
    if (hOwner != nullptr)
        ::SendMessageA(hOwner, WM_NOTIFY, info.hdr.idFrom, reinterpret_cast<LPARAM>(&info));
    if (pEditor->m_hWnd != nullptr && ::IsWindow(pEditor->m_hWnd))
        pEditor->PostMessage(WM_CLOSE);
}

void PrepareStartingKey(CWnd* pEditor, int nTextLength, UINT nFirstChar)
{
    if (nFirstChar == VK_RETURN) {
        pEditor->SendMessage(EM_SETSEL, static_cast<WPARAM>(nTextLength), -1);
        return;
    }
    pEditor->SendMessage(EM_SETSEL, 0, -1);
    // Tab moves on like the navigation keys; typed, it would end the new edit at once.
    if (nFirstChar == VK_LBUTTON || nFirstChar == VK_TAB || (nFirstChar >= VK_SPACE && nFirstChar <= VK_DOWN))
        return;
    pEditor->PostMessage(nFirstChar > 127 ? WM_IME_CHAR : WM_CHAR, nFirstChar);
}

CInPlaceEdit::CInPlaceEdit(int nRow, int nColumn, const CString& strInitText, UINT nFirstChar)
    : m_nRow(nRow), m_nColumn(nColumn), m_strInitText(strInitText), m_bExitOnArrows(nFirstChar != VK_LBUTTON)
{
}

CInPlaceEdit* CInPlaceEdit::Start(CWnd* pParent, const CRect& rect, DWORD dwStyle, UINT nID, int nRow, int nColumn,
                                  const CString& strInitText, UINT nFirstChar)
{
    if (pParent == nullptr || pParent->m_hWnd == nullptr)
        return nullptr;
    CInPlaceEdit* pEdit = new CInPlaceEdit(nRow, nColumn, strInitText, nFirstChar);
    pEdit->m_Rect = rect;
    if (!pEdit->Create(dwStyle | WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, rect, pParent, nID)) {
        delete pEdit;
        return nullptr;
    }
    pEdit->SetFont(pParent->GetFont());
    pEdit->SetWindowText(strInitText);
    pEdit->SetFocus();
    PrepareStartingKey(pEdit, strInitText.GetLength(), nFirstChar);
    return pEdit;
}

void CInPlaceEdit::EndEdit()
{
    FinishInPlaceEdit(this, m_bEnding, m_nRow, m_nColumn, m_nLastChar);
}

void CInPlaceEdit::PostNcDestroy()
{
    delete this;
}

void CInPlaceEdit::OnKillFocus(CWnd* pNewWnd)
{
    CEdit::OnKillFocus(pNewWnd);
    EndEdit();
}

void CInPlaceEdit::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar == VK_TAB || nChar == VK_RETURN) {
        m_nLastChar = nChar;
        GetParent()->SetFocus();
        return;
    }
    if (nChar == VK_ESCAPE) {
        SetWindowText(m_strInitText);
        m_nLastChar = nChar;
        GetParent()->SetFocus();
        return;
    }
    CEdit::OnChar(nChar, nRepCnt, nFlags);
    FitToText();
}

void CInPlaceEdit::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (IsEditExitKey(nChar) && (m_bExitOnArrows || IsCtrlDown())) {
        m_nLastChar = nChar;
        GetParent()->SetFocus();
        return;
    }
    CEdit::OnKeyDown(nChar, nRepCnt, nFlags);
}

void CInPlaceEdit::OnSysChar(UINT, UINT, UINT) {}

UINT CInPlaceEdit::OnGetDlgCode()
{
    return DLGC_WANTALLKEYS;
}

void CInPlaceEdit::FitToText()
{
    CString text;
    GetWindowText(text);
    text += "  ";
    CSize size;
    {
        CClientDC dc(this);
        ScopedSelect keepFont(dc, reinterpret_cast<HGDIOBJ>(SendMessage(WM_GETFONT)));
        size = dc.GetTextExtent(text);
    }
    if (size.cx <= m_Rect.Width())
        return;
    CRect parentRect;
    GetParent()->GetClientRect(&parentRect);
    m_Rect.right = m_Rect.left + size.cx < parentRect.right ? m_Rect.left + size.cx : parentRect.right;
    MoveWindow(&m_Rect);
}

#include "corvel/controls/grid_editors.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CCellEditorText, CEdit)
IMPLEMENT_DYNAMIC(CCellEditorComboBoxEdit, CEdit)
IMPLEMENT_DYNAMIC(CCellEditorComboBox, CComboBox)

namespace {

// Hides the editor and tells its list (through the list's parent, reflected) that the edit
// of the cell ended: with the text when accepted, and the chosen entry's item data when given.
void ReportEndOfEdit(CWnd& editor, int row, int col, CString* text, const DWORD_PTR* itemData)
{
    editor.ShowWindow(SW_HIDE);
    HWND list = ::GetParent(editor.m_hWnd);
    HWND owner = list != nullptr ? ::GetParent(list) : nullptr;
    if (owner == nullptr)
        return;
    NMLVDISPINFOA info = {};
    info.hdr.hwndFrom = list;
    info.hdr.idFrom = static_cast<UINT_PTR>(::GetDlgCtrlID(list));
    info.hdr.code = LVN_ENDLABELEDITA;
    info.item.iItem = row;
    info.item.iSubItem = col;
    if (text != nullptr) {
        info.item.mask = LVIF_TEXT;
        info.item.pszText = text->GetBuffer();
        info.item.cchTextMax = text->GetLength() + 1;
    }
    if (itemData != nullptr) {
        info.item.mask |= LVIF_PARAM;
        info.item.lParam = static_cast<LPARAM>(*itemData);
    }
    ::SendMessageA(owner, WM_NOTIFY, info.hdr.idFrom, reinterpret_cast<LPARAM>(&info));
    if (text != nullptr)
        text->ReleaseBuffer();
}

bool IsEndOfEditKey(UINT nChar)
{
    return nChar == VK_RETURN || nChar == VK_TAB || nChar == VK_ESCAPE;
}

} // namespace

// CCellEditorText

BEGIN_MESSAGE_MAP(CCellEditorText, CEdit)
    ON_WM_KILLFOCUS()
    ON_MESSAGE(WM_GETDLGCODE, &CCellEditorText::OnGetDlgCode)
    ON_MESSAGE(WM_MOUSEWHEEL, &CCellEditorText::OnMouseWheel)
END_MESSAGE_MAP()

CCellEditorText::CCellEditorText(int row, int col) : m_row(row), m_col(col) {}

void CCellEditorText::EndEdit(bool accept)
{
    if (m_ended)
        return;
    m_ended = true;
    CString text;
    GetWindowText(text);
    ReportEndOfEdit(*this, m_row, m_col, accept ? &text : nullptr, nullptr);
    PostMessage(WM_CLOSE);
}

BOOL CCellEditorText::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN) {
        switch (pMsg->wParam) {
        case VK_RETURN:
            EndEdit(true);
            return TRUE;
        case VK_ESCAPE:
            EndEdit(false);
            return TRUE;
        case VK_TAB:
            EndEdit(true);
            return FALSE;
        default:
            break;
        }
    }
    return CEdit::PreTranslateMessage(pMsg);
}

void CCellEditorText::PostNcDestroy()
{
    delete this;
}

void CCellEditorText::OnKillFocus(CWnd* pNewWnd)
{
    CEdit::OnKillFocus(pNewWnd);
    EndEdit(true);
}

LRESULT CCellEditorText::OnGetDlgCode(WPARAM, LPARAM)
{
    return Default() | DLGC_WANTALLKEYS;
}

LRESULT CCellEditorText::OnMouseWheel(WPARAM, LPARAM)
{
    EndEdit(true);
    return Default();
}

// CCellEditorComboBoxEdit

BEGIN_MESSAGE_MAP(CCellEditorComboBoxEdit, CEdit)
    ON_WM_KEYDOWN()
    ON_WM_KEYUP()
    ON_WM_SYSCHAR()
    ON_WM_KILLFOCUS()
END_MESSAGE_MAP()

CCellEditorComboBox* CCellEditorComboBoxEdit::Combo() const
{
    return DYNAMIC_DOWNCAST(CCellEditorComboBox, FromHandlePermanent(::GetParent(m_hWnd)));
}

BOOL CCellEditorComboBoxEdit::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN || pMsg->message == WM_KEYUP) {
        ::TranslateMessage(pMsg);
        ::DispatchMessageA(pMsg);
        return TRUE;
    }
    return CEdit::PreTranslateMessage(pMsg);
}

bool CCellEditorComboBoxEdit::ForwardEndOfEditKey(UINT message, UINT nChar, UINT nRepCnt, UINT nFlags)
{
    CCellEditorComboBox* combo = Combo();
    if (combo == nullptr || !IsEndOfEditKey(nChar))
        return false;
    combo->SendMessage(message, nChar, MAKELPARAM(nRepCnt, nFlags));
    return true;
}

void CCellEditorComboBoxEdit::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (!ForwardEndOfEditKey(WM_KEYDOWN, nChar, nRepCnt, nFlags))
        CEdit::OnKeyDown(nChar, nRepCnt, nFlags);
}

void CCellEditorComboBoxEdit::OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (!ForwardEndOfEditKey(WM_KEYUP, nChar, nRepCnt, nFlags))
        CEdit::OnKeyUp(nChar, nRepCnt, nFlags);
}

void CCellEditorComboBoxEdit::OnSysChar(UINT, UINT, UINT) {}

void CCellEditorComboBoxEdit::OnKillFocus(CWnd* pNewWnd)
{
    CEdit::OnKillFocus(pNewWnd);
    CCellEditorComboBox* combo = Combo();
    if (combo != nullptr && combo->IsOutside(pNewWnd != nullptr ? pNewWnd->m_hWnd : nullptr))
        combo->EndEdit(true);
}

// CCellEditorComboBox

BEGIN_MESSAGE_MAP(CCellEditorComboBox, CComboBox)
    ON_MESSAGE(WM_GETDLGCODE, &CCellEditorComboBox::OnGetDlgCode)
    ON_WM_KEYUP()
    ON_WM_KILLFOCUS()
    ON_WM_DESTROY()
    ON_CONTROL_REFLECT(CBN_DROPDOWN, &CCellEditorComboBox::OnDropDown)
END_MESSAGE_MAP()

CCellEditorComboBox::CCellEditorComboBox(int row, int col, int maxDropWidth)
    : m_row(row), m_col(col), m_maxDropWidth(maxDropWidth)
{
}

BOOL CCellEditorComboBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    if (!CComboBox::Create(dwStyle, rect, pParentWnd, nID))
        return FALSE; // the object is gone with the failed window
    HWND edit = ::GetWindow(m_hWnd, GW_CHILD);
    if (edit != nullptr)
        m_edit.SubclassWindow(edit);
    return TRUE;
}

bool CCellEditorComboBox::IsOutside(HWND hWnd) const
{
    return hWnd != m_hWnd && hWnd != m_edit.m_hWnd;
}

void CCellEditorComboBox::EndEdit(bool accept)
{
    if (m_ended)
        return;
    m_ended = true;
    CString text;
    GetWindowText(text);
    const int selected = GetCurSel();
    const DWORD_PTR itemData = selected >= 0 ? GetItemData(selected) : 0;
    ReportEndOfEdit(*this, m_row, m_col, accept ? &text : nullptr, accept && selected >= 0 ? &itemData : nullptr);
    PostMessage(WM_CLOSE);
}

void CCellEditorComboBox::PostNcDestroy()
{
    delete this;
}

LRESULT CCellEditorComboBox::OnGetDlgCode(WPARAM, LPARAM)
{
    return DLGC_WANTALLKEYS;
}

void CCellEditorComboBox::OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar == VK_RETURN || nChar == VK_TAB) {
        EndEdit(true);
        return;
    }
    if (nChar == VK_ESCAPE) {
        EndEdit(false);
        return;
    }
    CComboBox::OnKeyUp(nChar, nRepCnt, nFlags);
}

void CCellEditorComboBox::OnKillFocus(CWnd* pNewWnd)
{
    CComboBox::OnKillFocus(pNewWnd);
    if (IsOutside(pNewWnd != nullptr ? pNewWnd->m_hWnd : nullptr))
        EndEdit(true);
}

void CCellEditorComboBox::OnDestroy()
{
    if (!m_ended)
        EndEdit(false);
    CComboBox::OnDestroy();
}

void CCellEditorComboBox::OnDropDown()
{
    // As wide as the widest entry (within the limit), a scroll bar when not every entry fits, and a digit.
    CClientDC dc(this);
    CFont* font = GetFont();
    ScopedSelect select(dc, font != nullptr ? font->m_hObject : ::GetStockObject(DEFAULT_GUI_FONT));
    const int count = GetCount();
    int widest = 0;
    CString entry;
    for (int i = 0; i < count; ++i) {
        GetLBText(i, entry);
        widest = std::max(widest, static_cast<int>(dc.GetTextExtent(entry).cx));
    }
    int width = std::min(widest, m_maxDropWidth);
    CRect dropped;
    SendMessage(CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(static_cast<RECT*>(&dropped)));
    const int itemHeight = static_cast<int>(SendMessage(CB_GETITEMHEIGHT, 0));
    const int fieldHeight = static_cast<int>(SendMessage(CB_GETITEMHEIGHT, static_cast<WPARAM>(-1)));
    const int listHeight = dropped.Height() - fieldHeight;
    if (itemHeight > 0 && count > listHeight / itemHeight)
        width += ::GetSystemMetrics(SM_CXVSCROLL);
    width += dc.GetTextExtent("0").cx;
    SendMessage(CB_SETDROPPEDWIDTH, static_cast<WPARAM>(width));
}

// CGridList: cells under the mouse, the focus cell, keyboard search and in-place editing.
#include "corvel/controls/grid_list.h"

#include <algorithm>

namespace {

bool IsKeyDown(int key)
{
    return ::GetKeyState(key) < 0;
}

// Typing the same letter again after this many seconds starts a new search.
constexpr __time64_t kSearchPauseSeconds = 2;

} // namespace

// Cells

void CGridList::CellHitTest(CPoint point, int& row, int& col) const
{
    LVHITTESTINFO info = {};
    info.pt = point;
    SubItemHitTest(&info);
    col = info.iSubItem;
    row = (info.flags & LVHT_ONITEM) != 0 ? info.iItem : -1;
}

bool CGridList::GetCellRect(int row, int col, int part, CRect& rect)
{
    CHeaderCtrl* header = GetHeaderCtrl();
    if (header == nullptr || row < 0 || row >= GetItemCount() || col < 0 || col >= header->GetItemCount())
        return false;
    if (!GetSubItemRect(row, col, part, rect))
        return false;
    if (part == LVIR_BOUNDS) {
        // The list view gives column 0 the whole row: the cell is one header item wide.
        CRect item;
        header->GetItemRect(col, &item);
        if (col == 0) {
            CRect label;
            GetSubItemRect(row, 0, LVIR_LABEL, label);
            rect.right = label.right;
            rect.left = label.right - item.Width();
        } else {
            rect.right = rect.left + item.Width();
        }
    } else if (part == LVIR_LABEL && col >= 1 && (GetExtendedStyle() & LVS_EX_SUBITEMIMAGES) &&
               GetCellImageIndex(row, col) >= 0) {
        CRect icon;
        if (GetSubItemRect(row, col, LVIR_ICON, icon))
            rect.left += icon.Width();
    }
    return true;
}

// The focus cell

void CGridList::RepaintFocusRow()
{
    const int row = GetFocusRow();
    if (row >= 0) {
        RedrawItems(row, row);
        UpdateWindow();
    }
}

void CGridList::MoveFocusCell(bool right)
{
    if (GetItemCount() == 0) {
        m_focusCell = -1;
        return;
    }
    if (m_focusCell >= 0) {
        const std::vector<int> order = GetColumnOrder();
        const auto at = std::find(order.begin(), order.end(), m_focusCell);
        const int position = static_cast<int>(at - order.begin()) + (right ? 1 : -1);
        if (position >= 0 && position < static_cast<int>(order.size()) &&
            IsColumnVisible(order[static_cast<size_t>(position)]))
            m_focusCell = order[static_cast<size_t>(position)];
        else if (!right)
            m_focusCell = -1; // left of the first column, or onto a hidden one: the whole row
    } else if (right) {
        m_focusCell = GetFirstVisibleColumn();
    }
    if (m_focusCell >= 0)
        EnsureColumnVisible(m_focusCell, false);
    RepaintFocusRow();
}

// Keyboard

void CGridList::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    switch (nChar) {
    case VK_SPACE:
        if (IsOwnerData() && HasCheckBoxes() && GetFocusRow() >= 0)
            InvalidateRow(GetFocusRow());
        break;
    case VK_LEFT:
        MoveFocusCell(false);
        return;
    case VK_RIGHT:
        MoveFocusCell(true);
        return;
    case 'A':
        if (IsKeyDown(VK_CONTROL) && !(GetStyle() & LVS_SINGLESEL))
            SelectRow(-1, true);
        break;
    case 'C':
        if (IsKeyDown(VK_CONTROL))
            CopySelectionToClipboard();
        break;
    case VK_ADD:
        if (IsKeyDown(VK_CONTROL)) {
            SetColumnWidthAuto(-1, false);
            return;
        }
        break;
    case VK_F2:
        EditCell(GetFocusRow(), m_focusCell);
        break;
    case VK_DELETE:
        if (OffersDelete()) {
            OnDeleteSelected();
            return;
        }
        break;
    default:
        break;
    }
    CListCtrl::OnKeyDown(nChar, nRepCnt, nFlags);
}

void CGridList::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    // The list view searches the first column itself.
    if (m_focusCell <= 0) {
        CListCtrl::OnChar(nChar, nRepCnt, nFlags);
        return;
    }
    if (IsKeyDown(VK_CONTROL)) {
        m_searchText.Empty();
        return;
    }
    if (nChar < ' ') {
        CListCtrl::OnChar(nChar, nRepCnt, nFlags);
        return;
    }
    const __time64_t now = SearchNow();
    if (!m_searchText.IsEmpty() && now - m_searchTime >= kSearchPauseSeconds)
        m_searchText.Empty();
    if (m_focusCell != m_searchColumn || GetFocusRow() != m_searchRow)
        m_searchText.Empty();
    m_searchColumn = m_focusCell;
    m_searchTime = now;

    // The same first letter again steps to the next row that starts with it.
    const char typed = static_cast<char>(nChar);
    if (!(m_searchText.GetLength() == 1 && m_searchText[0] == typed))
        m_searchText += typed;

    const int start = std::max(GetFocusRow(), 0);
    const int col = m_focusCell >= 0 ? m_focusCell : GetFirstVisibleColumn();
    const int match = FindRowByText(col, start, m_searchText);
    if (match < 0)
        return;
    SelectRow(-1, false);
    SelectRow(match, true);
    SetFocusRow(match);
    EnsureVisible(match, FALSE);
    m_searchRow = match;
}

int CGridList::FindRowByText(int col, int start, LPCSTR text)
{
    const int length = text != nullptr ? lstrlenA(text) : 0;
    if (length == 0)
        return -1;
    const int count = GetItemCount();
    auto matches = [&](int row) {
        const CString cell = GetItemText(row, col);
        return cell.GetLength() >= length &&
               ::CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, cell, length, text, length) == CSTR_EQUAL;
    };
    for (int row = std::max(start + 1, 0); row < count; ++row) {
        if (matches(row))
            return row;
    }
    for (int row = 0; row < std::min(start, count); ++row) {
        if (matches(row))
            return row;
    }
    return -1;
}

BOOL CGridList::OnOwnerDataFindItem(NMHDR* pNMHDR, LRESULT* pResult)
{
    const auto* find = reinterpret_cast<const NMLVFINDITEMA*>(pNMHDR);
    if (!(find->lvfi.flags & (LVFI_STRING | LVFI_PARTIAL)) || find->lvfi.psz == nullptr)
        return FALSE;
    *pResult = FindRowByText(0, find->iStart - 1, find->lvfi.psz);
    return TRUE;
}

// Mouse

void CGridList::OnLButtonDown(UINT nFlags, CPoint point)
{
    SetFocus();
    int row = -1;
    int col = -1;
    CellHitTest(point, row, col);
    if (row < 0) {
        CListCtrl::OnLButtonDown(nFlags, point);
        return;
    }
    // A click on the focus cell of the focus row edits it.
    const bool adding = (nFlags & (MK_CONTROL | MK_SHIFT)) != 0;
    const bool startEdit = !adding && row == GetFocusRow() && col == m_focusCell;
    m_focusCell = col;
    CListCtrl::OnLButtonDown(nFlags, point);
    if (!(GetExtendedStyle() & LVS_EX_FULLROWSELECT) && row != GetFocusRow()) {
        SetFocusRow(row);
        if (!adding) {
            SelectRow(-1, false);
            SelectRow(row, true);
        }
    }
    RepaintFocusRow();
    if (startEdit)
        EditCell(row, col);
}

void CGridList::OnRButtonDown(UINT nFlags, CPoint point)
{
    SetFocus();
    int row = -1;
    int col = -1;
    CellHitTest(point, row, col);
    m_lastClickedRow = row;
    if (row < 0) {
        CListCtrl::OnRButtonDown(nFlags, point);
        return;
    }
    m_focusCell = col;
    RepaintFocusRow();
    if (!ShowRowMenu(point))
        CListCtrl::OnRButtonDown(nFlags, point);
}

BOOL CGridList::OnItemClick(NMHDR* pNMHDR, LRESULT*)
{
    const auto* click = reinterpret_cast<const NMITEMACTIVATE*>(pNMHDR);
    const int row = click->iItem;
    m_lastClickedRow = row;
    if (row >= 0 && IsOwnerData() && HasCheckBoxes()) {
        // A click between the row's left edge and its icon toggles the check box.
        CRect bounds;
        CRect icon;
        if (GetItemRect(row, &bounds, LVIR_BOUNDS) && GetItemRect(row, &icon, LVIR_ICON) &&
            click->ptAction.x >= bounds.left && click->ptAction.x < icon.left)
            InvalidateRow(row);
    }
    return FALSE;
}

BOOL CGridList::OnItemDblClick(NMHDR* pNMHDR, LRESULT*)
{
    const auto* click = reinterpret_cast<const NMITEMACTIVATE*>(pNMHDR);
    int row = -1;
    int col = -1;
    CellHitTest(click->ptAction, row, col);
    return FALSE;
}

void CGridList::RepaintAfterDragScroll()
{
    // Unthemed grid lines scrolled by a dragged thumb are painted afresh at once.
    if (!m_visualStyle && IsKeyDown(VK_LBUTTON) && (GetExtendedStyle() & LVS_EX_GRIDLINES)) {
        Invalidate();
        UpdateWindow();
    }
}

void CGridList::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    SetFocus();
    CListCtrl::OnHScroll(nSBCode, nPos, pScrollBar);
    RepaintAfterDragScroll();
}

void CGridList::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    SetFocus();
    CListCtrl::OnVScroll(nSBCode, nPos, pScrollBar);
    RepaintAfterDragScroll();
}

void CGridList::OnKillFocus(CWnd* pNewWnd)
{
    CListCtrl::OnKillFocus(pNewWnd);
    m_pColumnManager->OnListKillFocus(*this);
}

bool CGridList::HasOwnerDataCheckBox(int)
{
    return false;
}

void CGridList::InvalidateRow(int)
{
    Invalidate();
    UpdateWindow();
}

// In-place editing

CWnd* CGridList::BeginCellEdit(CColumnTrait* trait, int row, int col)
{
    return trait->IsEditable() ? trait->OnEditBegin(*this, row, col) : nullptr;
}

bool CGridList::AcceptCellEdit(CColumnTrait*, CWnd*, NMLVDISPINFOA*)
{
    return true;
}

CWnd* CGridList::EditCell(int row, int col)
{
    if (row < 0 || col < 0 || row >= GetItemCount())
        return nullptr;
    CColumnTrait* trait = GetCellColumnTrait(row, col);
    if (trait == nullptr)
        return nullptr;
    CWnd* editor = BeginCellEdit(trait, row, col);
    m_pCellEditor = editor;
    if (editor == nullptr)
        return nullptr;

    // The owner may refuse the edit.
    NMLVDISPINFOA info = {};
    info.hdr.hwndFrom = m_hWnd;
    info.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID());
    info.hdr.code = LVN_BEGINLABELEDITA;
    info.item.mask = LVIF_PARAM;
    info.item.iItem = row;
    info.item.iSubItem = col;
    info.item.lParam = static_cast<LPARAM>(GetItemData(row));
    HWND owner = ::GetParent(m_hWnd);
    m_beginningEdit = true;
    const LRESULT refused =
        owner != nullptr ? ::SendMessageA(owner, WM_NOTIFY, info.hdr.idFrom, reinterpret_cast<LPARAM>(&info)) : 0;
    m_beginningEdit = false;
    if (refused == 1) {
        trait->OnEditEnd();
        editor->PostMessage(WM_CLOSE);
        m_pCellEditor = nullptr;
        return nullptr;
    }
    editor->ShowWindow(SW_SHOW);
    editor->SetFocus();
    return editor;
}

BOOL CGridList::OnBeginLabelEdit(NMHDR*, LRESULT* pResult)
{
    // Only the edit EditCell announces goes on (to the owner, who may refuse it);
    // the list view never edits its labels by itself.
    if (m_beginningEdit) {
        *pResult = 0;
        return FALSE;
    }
    *pResult = 1;
    return TRUE;
}

BOOL CGridList::OnEndLabelEdit(NMHDR* pNMHDR, LRESULT* pResult)
{
    // An editor the owner refused closes without an edit to end.
    if (m_pCellEditor == nullptr)
        return FALSE;
    auto* info = reinterpret_cast<NMLVDISPINFOA*>(pNMHDR);
    const int row = info->item.iItem;
    const int col = info->item.iSubItem;
    const bool valid = row >= 0 && row < GetItemCount() && col >= 0 && col < GetColumnCount();
    const CString before = valid ? GetItemText(row, col) : CString();
    CColumnTrait* trait = valid ? GetCellColumnTrait(row, col) : nullptr;
    if (trait != nullptr && (info->item.mask & LVIF_TEXT) && info->item.pszText != nullptr &&
        AcceptCellEdit(trait, m_pCellEditor, info)) {
        *pResult = 1;
        if (!IsCellCallback(row, col))
            SetItemText(row, col, info->item.pszText);
    }
    if (trait != nullptr)
        trait->OnEditEnd();
    m_pCellEditor = nullptr;
    SetFocus();
    if (valid && GetItemText(row, col) != before)
        m_modified = true;
    return FALSE;
}

// CGridList: custom drawing through the traits, display texts, the empty-list text and cell tooltips.
#include "corvel/controls/grid_list.h"

#include <algorithm>

namespace {

// Tooltip ids name the cell: row * this + column.
constexpr INT_PTR kTooltipRowFactor = 1000;
// A tooltip holds at most this many characters.
constexpr int kTooltipLength = 80;

// Copies text into a buffer of capacity characters, cutting it to fit.
void CopyTextInto(LPSTR buffer, int capacity, const CString& text)
{
    if (buffer == nullptr || capacity <= 0)
        return;
    lstrcpynA(buffer, text, capacity);
}

} // namespace

// Hooks of the base: the list's own texts and colours

bool CGridList::GetCellText(int, int, CString&)
{
    return false;
}

bool CGridList::GetCellImage(int, int, int&)
{
    return false;
}

bool CGridList::GetCellTooltip(int row, int col, CString& text)
{
    if (row == -1 || col == -1)
        return false;
    text = GetItemText(row, col);
    return true;
}

bool CGridList::HasCellTooltip(CPoint)
{
    return true;
}

bool CGridList::OnDisplayCellColor(int, int, COLORREF&, COLORREF&)
{
    return false;
}

bool CGridList::GetCellFontHook(int, int, LOGFONTA&)
{
    return false;
}

bool CGridList::GetRowColor(int, COLORREF&, COLORREF&)
{
    return false;
}

bool CGridList::GetRowFontHook(int, LOGFONTA&)
{
    return false;
}

// Custom drawing

void CGridList::OnTraitCustomDraw(CColumnTrait* trait, NMLVCUSTOMDRAW* pDraw, LRESULT* pResult)
{
    trait->OnCustomDraw(*this, pDraw, pResult);
}

void CGridList::OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult)
{
    auto* draw = reinterpret_cast<NMLVCUSTOMDRAW*>(pNMHDR);
    *pResult = CDRF_DODEFAULT;
    const int row = static_cast<int>(draw->nmcd.dwItemSpec);
    CRowTrait* rowTrait = GetRowTrait(row);

    // Each cell: the row trait, then the column's trait; a hidden column is not drawn.
    if (draw->nmcd.dwDrawStage & CDDS_SUBITEM) {
        // Each cell starts from its row's colours: one cell's colours do not run on into the next.
        if (draw->nmcd.dwDrawStage == (CDDS_ITEMPREPAINT | CDDS_SUBITEM)) {
            draw->clrText = m_rowTextColor;
            draw->clrTextBk = m_rowBackColor;
            *pResult |= CDRF_NEWFONT;
        }
        rowTrait->OnCustomDraw(*this, draw, pResult);
        if (*pResult & CDRF_SKIPDEFAULT)
            return;
        CColumnTrait* trait = GetCellColumnTrait(row, draw->iSubItem);
        if (trait == nullptr)
            return;
        if (!trait->IsVisible()) {
            *pResult = CDRF_SKIPDEFAULT;
            return;
        }
        OnTraitCustomDraw(trait, draw, pResult);
        return;
    }
    switch (draw->nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
        *pResult |= CDRF_NOTIFYITEMDRAW;
        break;
    case CDDS_ITEMPREPAINT:
        *pResult |= CDRF_NOTIFYSUBITEMDRAW | CDRF_NOTIFYPOSTPAINT;
        rowTrait->OnCustomDraw(*this, draw, pResult);
        m_rowTextColor = draw->clrText;
        m_rowBackColor = draw->clrTextBk;
        break;
    case CDDS_ITEMPOSTPAINT:
        rowTrait->OnCustomDraw(*this, draw, pResult);
        break;
    default:
        break;
    }
}

BOOL CGridList::OnGetDispInfo(NMHDR* pNMHDR, LRESULT*)
{
    auto* info = reinterpret_cast<NMLVDISPINFOA*>(pNMHDR);
    LVITEMA& item = info->item;
    const int row = item.iItem;
    const int col = item.iSubItem;
    if (row < 0 || row >= GetItemCount() || col < 0 || col >= GetColumnCount())
        return FALSE;
    if (item.mask & LVIF_TEXT) {
        CString text;
        // The text is cut to the buffer that comes with the request.
        if (GetCellText(row, col, text))
            CopyTextInto(item.pszText, item.cchTextMax, text);
    }
    if (item.mask & LVIF_IMAGE) {
        int image = I_IMAGENONE;
        item.iImage = GetCellImage(row, col, image) ? image : I_IMAGENONE;
    }
    if (col == 0 && IsOwnerData() && HasCheckBoxes()) {
        item.mask |= LVIF_STATE;
        item.stateMask |= LVIS_STATEIMAGEMASK;
        item.state = (item.state & ~LVIS_STATEIMAGEMASK) | INDEXTOSTATEIMAGEMASK(HasOwnerDataCheckBox(row) ? 2 : 1);
    }
    return FALSE;
}

// The empty list

void CGridList::OnPaint()
{
    if (GetItemCount() != 0 || m_emptyListText.IsEmpty()) {
        CListCtrl::OnPaint();
        FillBelowHeader();
        return;
    }
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    // The header paints itself.
    CHeaderCtrl* header = GetHeaderCtrl();
    if (header != nullptr && header->IsWindowVisible()) {
        CRect headerRect;
        header->GetWindowRect(&headerRect);
        ScreenToClient(&headerRect);
        ::ExcludeClipRect(dc.m_hDC, headerRect.left, headerRect.top, headerRect.right, headerRect.bottom);
    }
    COLORREF back = GetBkColor();
    if (back == CLR_NONE)
        back = ::GetSysColor(COLOR_WINDOW);
    dc.FillSolidRect(&client, back);
    CFont* font = GetGridFont();
    ScopedSelect select(dc, font != nullptr ? font->m_hObject : ::GetStockObject(DEFAULT_GUI_FONT));
    dc.SetTextColor(::GetSysColor(COLOR_WINDOWTEXT));
    dc.SetBkMode(TRANSPARENT);
    dc.DrawText(m_emptyListText, &client, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

// The list view drawing through its own buffer leaves the strip between the header and the first row shown
// unpainted, and whatever the screen held there stays: the strip gets the list's background.
void CGridList::FillBelowHeader()
{
    CHeaderCtrl* header = GetHeaderCtrl();
    CRect row;
    if (header == nullptr || !header->IsWindowVisible() || GetItemCount() == 0 ||
        !GetItemRect(GetTopIndex(), &row, LVIR_BOUNDS))
        return;
    CRect headerRect;
    header->GetWindowRect(&headerRect);
    ScreenToClient(&headerRect);
    CRect client;
    GetClientRect(&client);
    const CRect strip(client.left, std::max(client.top, headerRect.bottom), client.right, std::min(row.top, client.bottom));
    if (strip.IsRectEmpty())
        return;
    COLORREF back = GetBkColor();
    if (back == CLR_NONE)
        back = ::GetSysColor(COLOR_WINDOW);
    CClientDC dc(this);
    dc.FillSolidRect(&strip, back);
}

// Tooltips of the cells

INT_PTR CGridList::OnToolHitTest(CPoint point, TOOLINFOA* pTI) const
{
    auto* self = const_cast<CGridList*>(this);
    if (!self->HasCellTooltip(point))
        return -1;
    int row = -1;
    int col = -1;
    CellHitTest(point, row, col);
    // The tool changes with the cell, so that the tip follows the cursor from cell to cell.
    const INT_PTR id = row * kTooltipRowFactor + col;
    pTI->hwnd = m_hWnd;
    pTI->uId = static_cast<UINT_PTR>(id);
    pTI->lpszText = LPSTR_TEXTCALLBACKA;
    GetClientRect(&pTI->rect);
    return id;
}

BOOL CGridList::OnToolNeedText(UINT, NMHDR* pNMHDR, LRESULT* pResult)
{
    // The list view's own tooltip is off; its requests are not for the cells.
    if (CToolTipCtrl* own = GetToolTips(); own != nullptr && pNMHDR->hwndFrom == own->m_hWnd)
        return FALSE;
    CPoint point;
    ::GetCursorPos(&point);
    ScreenToClient(&point);
    int row = -1;
    int col = -1;
    CellHitTest(point, row, col);
    CString text;
    if (!GetCellTooltip(row, col, text) || text.IsEmpty())
        return FALSE;
    if (text.GetLength() >= kTooltipLength)
        text = text.Left(kTooltipLength - 1);
    if (pNMHDR->code == static_cast<UINT>(TTN_NEEDTEXTA)) {
        auto* tip = reinterpret_cast<NMTTDISPINFOA*>(pNMHDR);
        tip->lpszText = tip->szText;
        tip->hinst = nullptr;
        CopyTextInto(tip->szText, kTooltipLength, text);
    } else {
        auto* tip = reinterpret_cast<NMTTDISPINFOW*>(pNMHDR);
        tip->lpszText = tip->szText;
        tip->hinst = nullptr;
        ::MultiByteToWideChar(CP_ACP, 0, text, -1, tip->szText, kTooltipLength);
        tip->szText[kTooltipLength - 1] = L'\0';
    }
    *pResult = 0;
    return TRUE;
}

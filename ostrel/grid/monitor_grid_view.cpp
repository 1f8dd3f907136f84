// The grid on screen: geometry, scroll bars, painting, keyboard, mouse, title tips and drag and drop.
#include "ostrel/grid/in_place_edit.h"
#include "ostrel/grid/mem_dc.h"
#include "ostrel/grid/monitor_grid.h"

#include "framework/winapp.h"

#include <algorithm>
#include <cstdlib>

namespace {

// Our own bits for the scroll bars shown (SB_HORZ is 0, so it cannot be a bit).
constexpr int kHorzBarShown = 1;
constexpr int kVertBarShown = 2;

// The width of the line that follows the mouse while a row or column is sized.
constexpr int kResizeLineWidth = 2;

int BarBit(int nBar)
{
    return nBar == SB_HORZ ? kHorzBarShown : kVertBarShown;
}

void SetSystemCursor(LPCSTR cursor)
{
    ::SetCursor(::LoadCursorA(nullptr, cursor));
}

// The nearest index from start going by step (start itself excluded) within [low, high] whose size is above 0; -1 when none.
template <class SizeOf>
int NearestShown(int start, int step, int low, int high, SizeOf sizeOf)
{
    for (int index = start + step; index >= low && index <= high; index += step)
        if (sizeOf(index) > 0)
            return index;
    return -1;
}

} // namespace

// Scroll bars

int CMonitorGrid::GetScrollPos32(int nBar, BOOL bGetTrackPos)
{
    if (m_hWnd == nullptr)
        return 0;
    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = bGetTrackPos ? SIF_TRACKPOS : SIF_POS;
    if (!::GetScrollInfo(m_hWnd, nBar, &info))
        return 0;
    return bGetTrackPos ? info.nTrackPos : info.nPos;
}

BOOL CMonitorGrid::SetScrollPos32(int nBar, int nPos, BOOL bRedraw)
{
    if (m_hWnd == nullptr)
        return FALSE;
    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = SIF_POS;
    info.nPos = nPos;
    ::SetScrollInfo(m_hWnd, nBar, &info, bRedraw);
    return TRUE;
}

void CMonitorGrid::EnableScrollBars(int nBar, BOOL bEnable)
{
    if (m_hWnd == nullptr)
        return;
    const int bit = BarBit(nBar);
    if (bEnable) {
        if (!(m_nBarState & bit)) {
            m_nBarState |= bit;
            ::ShowScrollBar(m_hWnd, nBar, TRUE);
        }
        ::EnableScrollBar(m_hWnd, nBar, ESB_ENABLE_BOTH);
    } else if (m_nBarState & bit) {
        SetScrollPos32(nBar, 0);
        m_nBarState &= ~bit;
        ::ShowScrollBar(m_hWnd, nBar, FALSE);
    }
}

void CMonitorGrid::ResetScrollBars()
{
    if (!m_bAllowDraw || m_hWnd == nullptr || !::IsWindow(m_hWnd) || m_bResettingScrollBars)
        return;
    m_bResettingScrollBars = true;

    // The client area as it would be without scroll bars, less the fixed rows and columns.
    CRect rect;
    GetClientRect(&rect);
    if (m_nBarState & kHorzBarShown)
        rect.bottom += ::GetSystemMetrics(SM_CYHSCROLL);
    if (m_nBarState & kVertBarShown)
        rect.right += ::GetSystemMetrics(SM_CXVSCROLL);
    rect.left += GetFixedColumnWidth();
    rect.top += GetFixedRowHeight();

    if (rect.left >= rect.right || rect.top >= rect.bottom) {
        EnableScrollBars(SB_HORZ, FALSE);
        EnableScrollBars(SB_VERT, FALSE);
        m_nHScrollMax = m_nVScrollMax = 0;
        m_bResettingScrollBars = false;
        return;
    }

    const int virtualWidth = static_cast<int>(GetVirtualWidth()) - GetFixedColumnWidth();
    const int virtualHeight = static_cast<int>(GetVirtualHeight()) - GetFixedRowHeight();
    CRect visible = rect;
    bool needVert = visible.Height() < virtualHeight;
    if (needVert)
        visible.right -= ::GetSystemMetrics(SM_CXVSCROLL);
    const bool needHorz = visible.Width() < virtualWidth;
    if (needHorz)
        visible.bottom -= ::GetSystemMetrics(SM_CYHSCROLL);
    if (!needVert && visible.Height() < virtualHeight) {
        needVert = true;
        visible.right -= ::GetSystemMetrics(SM_CXVSCROLL);
    }

    m_nVScrollMax = needVert ? virtualHeight - 1 : 0;
    m_nHScrollMax = needHorz ? virtualWidth - 1 : 0;
    EnableScrollBars(SB_VERT, needVert);
    EnableScrollBars(SB_HORZ, needHorz);

    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = SIF_PAGE | SIF_RANGE;
    info.nMin = 0;
    info.nMax = m_nHScrollMax;
    info.nPage = needHorz ? static_cast<UINT>(visible.Width()) : 0;
    ::SetScrollInfo(m_hWnd, SB_HORZ, &info, TRUE);
    info.nMax = m_nVScrollMax;
    info.nPage = needVert ? static_cast<UINT>(visible.Height()) : 0;
    ::SetScrollInfo(m_hWnd, SB_VERT, &info, TRUE);
    m_bResettingScrollBars = false;
}

// Geometry

CCellID CMonitorGrid::GetTopleftNonFixedCell(BOOL)
{
    const int vertScroll = GetScrollPos32(SB_VERT);
    const int horzScroll = GetScrollPos32(SB_HORZ);
    m_idTopLeftCell.col = m_nFixedCols;
    int right = 0;
    while (right < horzScroll && m_idTopLeftCell.col < m_nCols - 1)
        right += GetColumnWidth(m_idTopLeftCell.col++);
    m_idTopLeftCell.row = m_nFixedRows;
    int bottom = 0;
    while (bottom < vertScroll && m_idTopLeftCell.row < m_nRows - 1)
        bottom += GetRowHeight(m_idTopLeftCell.row++);
    return m_idTopLeftCell;
}

CCellRange CMonitorGrid::GetVisibleNonFixedCellRange(LPRECT pRect, BOOL bForceRecalculation)
{
    CRect client;
    if (m_hWnd != nullptr)
        GetClientRect(&client);
    const CCellID topLeft = GetTopleftNonFixedCell(bForceRecalculation);

    int bottom = GetFixedRowHeight();
    int maxRow = topLeft.row - 1;
    for (int row = topLeft.row; row < m_nRows; ++row) {
        bottom += GetRowHeight(row);
        maxRow = row;
        if (bottom >= client.bottom) {
            bottom = client.bottom;
            break;
        }
    }
    int right = GetFixedColumnWidth();
    int maxCol = topLeft.col - 1;
    for (int col = topLeft.col; col < m_nCols; ++col) {
        right += GetColumnWidth(col);
        maxCol = col;
        if (right >= client.right) {
            right = client.right;
            break;
        }
    }
    if (pRect != nullptr)
        ::SetRect(pRect, 0, 0, right, bottom);
    return CCellRange(topLeft.row, topLeft.col, maxRow, maxCol);
}

CCellRange CMonitorGrid::GetUnobstructedNonFixedCellRange(BOOL bForceRecalculation)
{
    CRect client;
    if (m_hWnd != nullptr)
        GetClientRect(&client);
    const CCellID topLeft = GetTopleftNonFixedCell(bForceRecalculation);

    int bottom = GetFixedRowHeight();
    int maxRow = topLeft.row - 1;
    for (int row = topLeft.row; row < m_nRows; ++row) {
        bottom += GetRowHeight(row);
        if (bottom > client.bottom)
            break;
        maxRow = row;
    }
    int right = GetFixedColumnWidth();
    int maxCol = topLeft.col - 1;
    for (int col = topLeft.col; col < m_nCols; ++col) {
        right += GetColumnWidth(col);
        if (right > client.right)
            break;
        maxCol = col;
    }
    return CCellRange(topLeft.row, topLeft.col, maxRow, maxCol);
}

CRect CMonitorGrid::GetNonFixedClientRect()
{
    CRect rect;
    if (m_hWnd != nullptr)
        GetClientRect(&rect);
    rect.left = std::min(static_cast<int>(rect.right), GetFixedColumnWidth());
    rect.top = std::min(static_cast<int>(rect.bottom), GetFixedRowHeight());
    return rect;
}

BOOL CMonitorGrid::GetCellOrigin(int nRow, int nCol, LPPOINT p)
{
    if (!IsValid(nRow, nCol))
        return FALSE;
    CCellID topLeft;
    if (nCol >= m_nFixedCols || nRow >= m_nFixedRows)
        topLeft = GetTopleftNonFixedCell();
    if ((nRow >= m_nFixedRows && nRow < topLeft.row) || (nCol >= m_nFixedCols && nCol < topLeft.col))
        return FALSE;

    p->x = 0;
    if (nCol < m_nFixedCols) {
        for (int col = 0; col < nCol; ++col)
            p->x += GetColumnWidth(col);
    } else {
        p->x = GetFixedColumnWidth();
        for (int col = topLeft.col; col < nCol; ++col)
            p->x += GetColumnWidth(col);
    }
    p->y = 0;
    if (nRow < m_nFixedRows) {
        for (int row = 0; row < nRow; ++row)
            p->y += GetRowHeight(row);
    } else {
        p->y = GetFixedRowHeight();
        for (int row = topLeft.row; row < nRow; ++row)
            p->y += GetRowHeight(row);
    }
    return TRUE;
}

BOOL CMonitorGrid::GetCellRect(int nRow, int nCol, LPRECT pRect)
{
    CPoint origin;
    if (!GetCellOrigin(nRow, nCol, &origin))
        return FALSE;
    pRect->left = origin.x;
    pRect->top = origin.y;
    pRect->right = origin.x + GetColumnWidth(nCol) - 1;
    pRect->bottom = origin.y + GetRowHeight(nRow) - 1;
    return TRUE;
}

BOOL CMonitorGrid::GetTextRect(int nRow, int nCol, LPRECT pRect)
{
    CMonitorCellBase* pCell = GetCell(nRow, nCol);
    if (pCell == nullptr || !GetCellRect(nRow, nCol, pRect))
        return FALSE;
    return pCell->GetTextRect(pRect);
}

CCellID CMonitorGrid::GetCellFromPt(CPoint point, BOOL bAllowFixedCellCheck)
{
    const CCellID topLeft = GetTopleftNonFixedCell();
    // The index whose band holds position, walking the sizes from first; -1 past the last.
    auto locate = [](int position, int start, int first, int last, auto sizeOf) {
        for (int index = first; index <= last; ++index) {
            start += sizeOf(index);
            if (start > position)
                return index;
        }
        return -1;
    };
    auto colWidth = [this](int col) { return GetColumnWidth(col); };
    auto rowHeight = [this](int row) { return GetRowHeight(row); };

    const int fixedColWidth = GetFixedColumnWidth();
    int col = -1;
    if (point.x >= 0 && (bAllowFixedCellCheck || point.x >= fixedColWidth)) {
        col = point.x < fixedColWidth ? locate(point.x, 0, 0, m_nFixedCols - 1, colWidth)
                                      : locate(point.x, fixedColWidth, topLeft.col, m_nCols - 1, colWidth);
    }
    const int fixedRowHeight = GetFixedRowHeight();
    int row = -1;
    if (point.y >= 0 && (bAllowFixedCellCheck || point.y >= fixedRowHeight)) {
        row = point.y < fixedRowHeight ? locate(point.y, 0, 0, m_nFixedRows - 1, rowHeight)
                                       : locate(point.y, fixedRowHeight, topLeft.row, m_nRows - 1, rowHeight);
    }
    if (row < 0 || col < 0)
        return CCellID();
    return CCellID(row, col);
}

BOOL CMonitorGrid::IsCellVisible(int nRow, int nCol)
{
    if (!IsValid(nRow, nCol) || m_hWnd == nullptr)
        return FALSE;
    const CCellRange unobstructed = GetUnobstructedNonFixedCellRange();
    const bool rowShown = nRow < m_nFixedRows || (nRow >= unobstructed.GetMinRow() && nRow <= unobstructed.GetMaxRow());
    const bool colShown = nCol < m_nFixedCols || (nCol >= unobstructed.GetMinCol() && nCol <= unobstructed.GetMaxCol());
    return rowShown && colShown;
}

void CMonitorGrid::EnsureVisible(int nRow, int nCol)
{
    if (!m_bAllowDraw || !IsValid(nRow, nCol) || m_hWnd == nullptr)
        return;
    ScrollUntilShown(SB_HORZ, nCol);
    ScrollUntilShown(SB_VERT, nRow);
}

void CMonitorGrid::ScrollUntilShown(int nBar, int nIndex)
{
    const bool vertical = nBar == SB_VERT;
    if (nIndex < (vertical ? m_nFixedRows : m_nFixedCols))
        return;
    const UINT message = vertical ? WM_VSCROLL : WM_HSCROLL;
    // Line by line until the row (column) is wholly shown, or stands first and is simply too big.
    for (int guard = 0; guard <= (vertical ? m_nRows : m_nCols); ++guard) {
        const CCellRange range = GetUnobstructedNonFixedCellRange();
        const int first = vertical ? range.GetMinRow() : range.GetMinCol();
        const int last = vertical ? range.GetMaxRow() : range.GetMaxCol();
        const int before = GetScrollPos32(nBar);
        if (nIndex < first)
            SendMessage(message, SB_LINEUP);
        else if (nIndex > last && first < nIndex)
            SendMessage(message, SB_LINEDOWN);
        else
            break;
        if (GetScrollPos32(nBar) == before)
            break;
    }
}

// Painting

BOOL CMonitorGrid::RedrawCell(int nRow, int nCol)
{
    if (!m_bAllowDraw || m_hWnd == nullptr || !IsValid(nRow, nCol))
        return FALSE;
    // A cell below or right of the window shows nothing to repaint (and its rectangle costs a walk over the rows).
    if (nRow >= m_nFixedRows || nCol >= m_nFixedCols) {
        const CCellRange visible = GetVisibleNonFixedCellRange();
        if ((nRow >= m_nFixedRows && nRow > visible.GetMaxRow()) || (nCol >= m_nFixedCols && nCol > visible.GetMaxCol()))
            return FALSE;
    }
    CRect rect;
    if (!GetCellRect(nRow, nCol, &rect))
        return FALSE;
    rect.right++;
    rect.bottom++;
    InvalidateRect(&rect, FALSE);
    return TRUE;
}

BOOL CMonitorGrid::RedrawRow(int row)
{
    for (int col = 0; col < m_nCols; ++col)
        RedrawCell(row, col);
    return TRUE;
}

BOOL CMonitorGrid::RedrawColumn(int col)
{
    for (int row = 0; row < m_nRows; ++row)
        RedrawCell(row, col);
    return TRUE;
}

void CMonitorGrid::Refresh()
{
    if (m_hWnd == nullptr || !m_bAllowDraw)
        return;
    ResetScrollBars();
    Invalidate();
}

void CMonitorGrid::SetRedraw(BOOL bAllowDraw, BOOL bResetScrollBars)
{
    const BOOL wasAllowed = m_bAllowDraw;
    m_bAllowDraw = bAllowDraw;
    if (bAllowDraw && !wasAllowed) {
        if (bResetScrollBars)
            ResetScrollBars();
        Refresh();
    }
}

void CMonitorGrid::OnPaint()
{
    CPaintDC dc(this);
    if (m_bDoubleBuffer) {
        CMemDC memDC(&dc);
        OnDraw(&memDC);
    } else {
        OnDraw(&dc);
    }
}

BOOL CMonitorGrid::OnEraseBkgnd(CDC*)
{
    // OnDraw paints every pixel.
    return TRUE;
}

void CMonitorGrid::EraseBackground(CDC* pDC, const CRect& clipRect, const CRect& visRect)
{
    CRect client;
    if (m_hWnd != nullptr)
        GetClientRect(&client);
    client.right = std::max(client.right, clipRect.right);
    client.bottom = std::max(client.bottom, clipRect.bottom);
    const int fixedColWidth = GetFixedColumnWidth();
    const int fixedRowHeight = GetFixedRowHeight();
    const int right = std::max(static_cast<int>(visRect.right), fixedColWidth);
    const int bottom = std::max(static_cast<int>(visRect.bottom), fixedRowHeight);

    pDC->FillSolidRect(0, 0, fixedColWidth, fixedRowHeight, m_cellFixedRowColDef.GetBackClr());
    pDC->FillSolidRect(0, fixedRowHeight, fixedColWidth, bottom - fixedRowHeight, m_cellFixedColDef.GetBackClr());
    pDC->FillSolidRect(fixedColWidth, 0, right - fixedColWidth, fixedRowHeight, m_cellFixedRowDef.GetBackClr());
    pDC->FillSolidRect(fixedColWidth, fixedRowHeight, right - fixedColWidth, bottom - fixedRowHeight,
                       m_cellDefault.GetBackClr());
    pDC->FillSolidRect(right, 0, client.right - right, client.bottom, m_crGridBkColour);
    pDC->FillSolidRect(0, bottom, right, client.bottom - bottom, m_crGridBkColour);
}

void CMonitorGrid::OnDraw(CDC* pDC)
{
    if (!m_bAllowDraw || pDC == nullptr)
        return;
    CRect clipRect;
    if (pDC->GetClipBox(&clipRect) == ERROR || clipRect.IsRectEmpty())
        return;

    CRect visRect;
    const CCellRange visible = GetVisibleNonFixedCellRange(&visRect);
    EraseBackground(pDC, clipRect, visRect);

    const int minVisibleRow = visible.GetMinRow();
    const int minVisibleCol = visible.GetMinCol();
    const int maxVisibleRow = visible.GetMaxRow();
    const int maxVisibleCol = visible.GetMaxCol();
    const int fixedRowHeight = GetFixedRowHeight();
    const int fixedColWidth = GetFixedColumnWidth();
    SendCacheHint(CCellRange(minVisibleRow, minVisibleCol, maxVisibleRow, maxVisibleCol));

    // Draws the cells of rows firstRow..lastRow and columns firstCol..lastCol
    // that meet the clip box, the band starting at (left, top).
    auto drawBlock = [&](int firstRow, int lastRow, int top, int firstCol, int lastCol, int left) {
        CRect rect;
        rect.bottom = top - 1;
        for (int row = firstRow; row <= lastRow; ++row) {
            const int height = GetRowHeight(row);
            if (height <= 0)
                continue;
            rect.top = rect.bottom + 1;
            rect.bottom = rect.top + height - 1;
            if (rect.top > clipRect.bottom)
                break;
            if (rect.bottom < clipRect.top)
                continue;
            rect.right = left - 1;
            for (int col = firstCol; col <= lastCol; ++col) {
                const int width = GetColumnWidth(col);
                if (width <= 0)
                    continue;
                rect.left = rect.right + 1;
                rect.right = rect.left + width - 1;
                if (rect.left > clipRect.right)
                    break;
                if (rect.right < clipRect.left)
                    continue;
                if (CMonitorCellBase* pCell = GetCell(row, col)) {
                    pCell->SetCoords(row, col);
                    pCell->Draw(pDC, row, col, rect, FALSE);
                }
            }
        }
    };
    // Most cells use the default font: selected once here, it stays for them.
    ScopedSelect keepFont(*pDC, m_cellDefault.GetFontObject()->m_hObject);
    drawBlock(0, m_nFixedRows - 1, 0, 0, m_nFixedCols - 1, 0);
    drawBlock(minVisibleRow, maxVisibleRow, fixedRowHeight, 0, m_nFixedCols - 1, 0);
    drawBlock(0, m_nFixedRows - 1, 0, minVisibleCol, maxVisibleCol, fixedColWidth);
    drawBlock(minVisibleRow, maxVisibleRow, fixedRowHeight, minVisibleCol, maxVisibleCol, fixedColWidth);

    CPen pen(PS_SOLID, 0, m_crGridLineColour);
    ScopedSelect keepPen(*pDC, pen);
    if (m_nGridLines == GRID_LINES_BOTH || m_nGridLines == GRID_LINES_VERT) {
        int x = fixedColWidth;
        for (int col = minVisibleCol; col <= maxVisibleCol; ++col) {
            if (GetColumnWidth(col) <= 0)
                continue;
            x += GetColumnWidth(col);
            pDC->MoveTo(x - 1, fixedRowHeight);
            pDC->LineTo(x - 1, visRect.bottom);
        }
    }
    if (m_nGridLines == GRID_LINES_BOTH || m_nGridLines == GRID_LINES_HORZ) {
        int y = fixedRowHeight;
        for (int row = minVisibleRow; row <= maxVisibleRow; ++row) {
            if (GetRowHeight(row) <= 0)
                continue;
            y += GetRowHeight(row);
            pDC->MoveTo(fixedColWidth, y - 1);
            pDC->LineTo(visRect.right, y - 1);
        }
    }
    SendCacheHint(CCellRange());
}

void CMonitorGrid::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    EndEditing();
    ResetScrollBars();
}

// Scrolling

// The scroll position after nSBCode on a bar whose lines are the sizes of
// sizeOf; the first scrollable index is first, the top-left one current.
template <class SizeOf>
static int NextScrollPos(UINT nSBCode, int pos, int maxPos, int page, int trackPos, int first, int current,
                         int count, SizeOf sizeOf)
{
    switch (nSBCode) {
    case SB_LINEDOWN: {
        int index = current;
        while (index < count - 1 && sizeOf(index) <= 0)
            ++index;
        return std::min(maxPos, pos + std::max(0, sizeOf(index)));
    }
    case SB_LINEUP: {
        const int index = NearestShown(current, -1, first, count - 1, sizeOf);
        return index < 0 ? pos : std::max(0, pos - sizeOf(index));
    }
    case SB_PAGEDOWN:
        return std::min(maxPos, pos + std::max(0, page));
    case SB_PAGEUP:
        return std::max(0, pos - std::max(0, page));
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
        return trackPos;
    case SB_TOP:
        return 0;
    case SB_BOTTOM:
        return maxPos;
    default:
        return pos;
    }
}

void CMonitorGrid::OnHScroll(UINT nSBCode, UINT, CScrollBar*)
{
    Scroll(SB_HORZ, nSBCode);
}

void CMonitorGrid::OnVScroll(UINT nSBCode, UINT, CScrollBar*)
{
    Scroll(SB_VERT, nSBCode);
}

void CMonitorGrid::Scroll(int nBar, UINT nSBCode)
{
    EndEditing();
    if (m_bTitleTips && m_TitleTip.IsCreated())
        m_TitleTip.Hide();
    const bool vertical = nBar == SB_VERT;
    const int scrollPos = GetScrollPos32(nBar);
    const CCellID topLeft = GetTopleftNonFixedCell();
    // What moves: all below the fixed rows, or all right of the fixed columns.
    CRect client;
    GetClientRect(&client);
    CRect moving = GetNonFixedClientRect();
    if (vertical)
        moving.left = client.left;
    else
        moving.top = client.top;
    auto sizeOf = [this, vertical](int index) { return vertical ? GetRowHeight(index) : GetColumnWidth(index); };
    // The horizontal codes share the values of the vertical ones (SB_LINELEFT is SB_LINEUP ...).
    const int newPos = NextScrollPos(nSBCode, scrollPos, vertical ? m_nVScrollMax : m_nHScrollMax,
                                     vertical ? moving.Height() : moving.Width(), GetScrollPos32(nBar, TRUE),
                                     vertical ? m_nFixedRows : m_nFixedCols, vertical ? topLeft.row : topLeft.col,
                                     vertical ? m_nRows : m_nCols, sizeOf);
    if (newPos == scrollPos)
        return;
    SetScrollPos32(nBar, newPos);
    if (GetScrollPos32(nBar) != scrollPos)
        InvalidateRect(&moving, FALSE);
}

BOOL CMonitorGrid::OnMouseWheel(UINT, short zDelta, CPoint)
{
    if (m_nRowsPerWheelNotch == WHEEL_PAGESCROLL) {
        const int pages = zDelta / WHEEL_DELTA;
        for (int i = 0; i < std::abs(pages); ++i)
            SendMessage(WM_VSCROLL, pages > 0 ? SB_PAGEUP : SB_PAGEDOWN);
    } else {
        const int lines = static_cast<int>(m_nRowsPerWheelNotch) * zDelta / WHEEL_DELTA;
        for (int i = 0; i < std::abs(lines); ++i)
            SendMessage(WM_VSCROLL, lines > 0 ? SB_LINEUP : SB_LINEDOWN);
    }
    return TRUE;
}

// Keyboard

UINT CMonitorGrid::OnGetDlgCode()
{
    UINT code = DLGC_WANTARROWS | DLGC_WANTCHARS;
    if (m_bHandleTabKey && !IsCtrlDown())
        code |= DLGC_WANTTAB;
    return code;
}

void CMonitorGrid::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (!IsValid(m_idCurrentCell)) {
        CWnd::OnKeyDown(nChar, nRepCnt, nFlags);
        return;
    }
    auto rowHeight = [this](int row) { return GetRowHeight(row); };
    auto colWidth = [this](int col) { return GetColumnWidth(col); };

    if (IsCtrlDown()) {
        switch (nChar) {
        case 'A':
            OnEditSelectAll();
            return;
        case 'C':
        case VK_INSERT:
            OnEditCopy();
            return;
        case 'V':
            OnEditPaste();
            return;
        case 'X':
            OnEditCut();
            return;
        case VK_ADD: {
            const CCellRange visible = GetVisibleNonFixedCellRange();
            for (int col = 0; col < m_nFixedCols; ++col)
                AutoSizeColumn(col, m_nAutoSizeColumnStyle, FALSE);
            for (int col = visible.GetMinCol(); col <= visible.GetMaxCol(); ++col)
                AutoSizeColumn(col, m_nAutoSizeColumnStyle, FALSE);
            Refresh();
            return;
        }
        default:
            break;
        }
    }
    if (nChar == VK_INSERT && IsShiftDown()) {
        OnEditPaste();
        return;
    }

    CCellID next = m_idCurrentCell;
    bool wrappedTab = false;
    switch (nChar) {
    case VK_DELETE:
        CutSelectedText();
        return;
    case VK_F2:
        OnEditCell(m_idCurrentCell.row, m_idCurrentCell.col, CPoint(-1, -1), VK_LBUTTON);
        return;
    case VK_TAB: {
        const bool back = IsShiftDown();
        if (!back && m_bTabLeavesGrid) {
            if (CWnd* pParent = GetParent())
                pParent->PostMessage(WM_NEXTDLGCTL, 0, 0);
            return;
        }
        const int col = NearestShown(next.col, back ? -1 : 1, m_nFixedCols, m_nCols - 1, colWidth);
        if (col >= 0) {
            next.col = col;
            break;
        }
        // Past the row's end: on to the next (previous) row's first (last) column.
        const int row = NearestShown(next.row, back ? -1 : 1, m_nFixedRows, m_nRows - 1, rowHeight);
        const int wrapCol = back ? NearestShown(m_nCols, -1, m_nFixedCols, m_nCols - 1, colWidth)
                                 : NearestShown(m_nFixedCols - 1, 1, m_nFixedCols, m_nCols - 1, colWidth);
        if (row < 0 || wrapCol < 0) {
            CWnd::OnKeyDown(nChar, nRepCnt, nFlags);
            return;
        }
        next = CCellID(row, wrapCol);
        wrappedTab = true;
        break;
    }
    case VK_DOWN:
    case VK_UP: {
        const int row = NearestShown(next.row, nChar == VK_DOWN ? 1 : -1, m_nFixedRows, m_nRows - 1, rowHeight);
        if (row >= 0)
            next.row = row;
        break;
    }
    case VK_RIGHT:
    case VK_LEFT: {
        const int col = NearestShown(next.col, nChar == VK_RIGHT ? 1 : -1, m_nFixedCols, m_nCols - 1, colWidth);
        if (col >= 0)
            next.col = col;
        break;
    }
    case VK_NEXT:
    case VK_PRIOR: {
        const CCellID before = GetTopleftNonFixedCell();
        SendMessage(WM_VSCROLL, nChar == VK_NEXT ? SB_PAGEDOWN : SB_PAGEUP);
        const CCellID after = GetTopleftNonFixedCell();
        const int moved = after.row - before.row;
        if (moved != 0)
            next.row = std::max(m_nFixedRows, std::min(m_nRows - 1, next.row + moved));
        else
            next.row = nChar == VK_NEXT ? m_nRows - 1 : m_nFixedRows;
        break;
    }
    case VK_HOME:
    case VK_END: {
        const bool home = nChar == VK_HOME;
        SendMessage(WM_HSCROLL, home ? SB_LEFT : SB_RIGHT);
        const int col = home ? NearestShown(m_nFixedCols - 1, 1, m_nFixedCols, m_nCols - 1, colWidth)
                             : NearestShown(m_nCols, -1, m_nFixedCols, m_nCols - 1, colWidth);
        if (col >= 0)
            next.col = col;
        if (IsCtrlDown()) {
            SendMessage(WM_VSCROLL, home ? SB_TOP : SB_BOTTOM);
            const int row = home ? NearestShown(m_nFixedRows - 1, 1, m_nFixedRows, m_nRows - 1, rowHeight)
                                 : NearestShown(m_nRows, -1, m_nFixedRows, m_nRows - 1, rowHeight);
            if (row >= 0)
                next.row = row;
        }
        break;
    }
    default:
        CWnd::OnKeyDown(nChar, nRepCnt, nFlags);
        return;
    }
    if (next != m_idCurrentCell)
        MoveFocusTo(next, nChar, wrappedTab);
}

void CMonitorGrid::MoveFocusTo(CCellID next, UINT nChar, bool bWrappedTab)
{
    if (m_MouseMode == MOUSE_NOTHING) {
        m_PrevSelectedCellMap.clear();
        m_MouseMode = m_bListMode ? MOUSE_SELECT_ROW : MOUSE_SELECT_CELLS;
        if (!IsShiftDown() || nChar == VK_TAB)
            m_SelectionStartCell = next;
        SendMessageToParent(next.row, next.col, LVN_ITEMCHANGING);
        OnSelecting(next);
        SendMessageToParent(next.row, next.col, LVN_ITEMCHANGED);
        m_MouseMode = MOUSE_NOTHING;
    }
    SetFocusCell(next);
    if (!IsCellVisible(next.row, next.col))
        ScrollToFocus(next, nChar, bWrappedTab);
}

void CMonitorGrid::ScrollToFocus(CCellID next, UINT nChar, bool bWrappedTab)
{
    auto scroll = [this](UINT message, UINT code) {
        SendMessage(message, code);
        SendMessage(message, SB_ENDSCROLL);
    };
    const bool back = nChar == VK_LEFT || (nChar == VK_TAB && IsShiftDown());
    switch (nChar) {
    case VK_RIGHT:
    case VK_LEFT:
        scroll(WM_HSCROLL, back ? SB_LINELEFT : SB_LINERIGHT);
        break;
    case VK_DOWN:
        scroll(WM_VSCROLL, SB_LINEDOWN);
        break;
    case VK_UP:
        scroll(WM_VSCROLL, SB_LINEUP);
        break;
    case VK_TAB:
        if (bWrappedTab) {
            scroll(WM_HSCROLL, back ? SB_RIGHT : SB_LEFT);
            scroll(WM_VSCROLL, back ? SB_LINEUP : SB_LINEDOWN);
        } else {
            scroll(WM_HSCROLL, back ? SB_LINELEFT : SB_LINERIGHT);
        }
        break;
    default:
        break;
    }
    EnsureVisible(next.row, next.col);
}

void CMonitorGrid::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (StartsEdit(nChar))
        OnEditCell(m_idCurrentCell.row, m_idCurrentCell.col, CPoint(-1, -1), nChar);
    CWnd::OnChar(nChar, nRepCnt, nFlags);
}

void CMonitorGrid::OnImeChar(UINT nChar, UINT, UINT)
{
    if (StartsEdit(nChar))
        OnEditCell(m_idCurrentCell.row, m_idCurrentCell.col, CPoint(-1, -1), nChar);
}

bool CMonitorGrid::StartsEdit(UINT nChar) const
{
    return !IsCtrlDown() && m_MouseMode == MOUSE_NOTHING && nChar != VK_ESCAPE && !(m_bHandleTabKey && nChar == VK_TAB);
}

void CMonitorGrid::OnKillFocus(CWnd* pNewWnd)
{
    CWnd::OnKillFocus(pNewWnd);
    if (IsValid(m_idCurrentCell))
        RedrawCell(m_idCurrentCell.row, m_idCurrentCell.col);
}

// Mouse

// Whether point lies on the divider of a cell of a fixed row (for columns)
// or a fixed column (for rows), within the resize capture range.
BOOL CMonitorGrid::MouseOverDivider(CPoint point, bool bColumn)
{
    if (bColumn ? point.y >= GetFixedRowHeight() : point.x >= GetFixedColumnWidth())
        return FALSE;
    const CCellID cell = GetCellFromPt(point);
    CPoint start;
    if (!GetCellOrigin(cell.row, cell.col, &start))
        return FALSE;
    const int index = bColumn ? cell.col : cell.row;
    const int offset = bColumn ? point.x - start.x : point.y - start.y;
    const int size = bColumn ? GetColumnWidth(index) : GetRowHeight(index);
    const bool nearLead = offset < m_nResizeCaptureRange && index != 0;
    const bool nearEnd = size - offset < m_nResizeCaptureRange;
    if (!nearLead && !nearEnd)
        return FALSE;
    // A divider after hidden columns is taken only when they may be dragged open.
    auto sizeOf = [this, bColumn](int i) { return bColumn ? GetColumnWidth(i) : GetRowHeight(i); };
    const BOOL unhide = bColumn ? m_bHiddenColUnhide : m_bHiddenRowUnhide;
    if (nearLead && !nearEnd && !unhide && NearestShown(index, -1, 0, index - 1, sizeOf) < 0)
        return FALSE;
    return TRUE;
}

BOOL CMonitorGrid::MouseOverColumnResizeArea(CPoint& point)
{
    return MouseOverDivider(point, true);
}

BOOL CMonitorGrid::MouseOverRowResizeArea(CPoint& point)
{
    return MouseOverDivider(point, false);
}

CRect CMonitorGrid::ResizeLineAt(CPoint point, bool bColumn) const
{
    CRect client;
    ::GetClientRect(m_hWnd, &client);
    if (bColumn)
        return CRect(point.x, client.top, point.x + kResizeLineWidth, client.bottom);
    return CRect(client.left, point.y, client.right, point.y + kResizeLineWidth);
}

void CMonitorGrid::DrawResizeLine(const CRect& from, const CRect& to)
{
    CClientDC dc(this);
    if (!from.IsRectEmpty())
        ::InvertRect(dc.m_hDC, &from);
    if (!to.IsRectEmpty())
        ::InvertRect(dc.m_hDC, &to);
}

bool CMonitorGrid::StartSizing(CPoint point, bool bColumn)
{
    CPoint start;
    if (!GetCellOrigin(m_LeftClickDownCell.row, m_LeftClickDownCell.col, &start))
        return false;
    auto sizeOf = [this, bColumn](int i) { return bColumn ? GetColumnWidth(i) : GetRowHeight(i); };
    int index = bColumn ? m_LeftClickDownCell.col : m_LeftClickDownCell.row;
    const int offset = bColumn ? point.x - start.x : point.y - start.y;
    // A press near the cell's leading edge sizes the one before it.
    if (offset < m_nResizeCaptureRange && sizeOf(index) - offset >= m_nResizeCaptureRange && index > 0)
        --index;
    const BOOL unhide = bColumn ? m_bHiddenColUnhide : m_bHiddenRowUnhide;
    if (!unhide && sizeOf(index) <= 0)
        index = NearestShown(index, -1, 0, index, sizeOf);
    if (index < 0)
        return false;
    if (bColumn)
        m_LeftClickDownCell.col = index;
    else
        m_LeftClickDownCell.row = index;
    if (!GetCellOrigin(m_LeftClickDownCell.row, m_LeftClickDownCell.col, &start))
        return false;

    m_MouseMode = bColumn ? MOUSE_SIZING_COL : MOUSE_SIZING_ROW;
    SetSystemCursor(bColumn ? IDC_SIZEWE : IDC_SIZENS);
    DrawResizeLine(CRect(), ResizeLineAt(point, bColumn));
    // The mouse may not go before the sized column's left (row's top) edge.
    CRect clip;
    GetClientRect(&clip);
    if (bColumn)
        clip.left = start.x;
    else
        clip.top = start.y;
    ClientToScreen(&clip);
    ::ClipCursor(&clip);
    return true;
}

void CMonitorGrid::OnLButtonDown(UINT nFlags, CPoint point)
{
    SetFocus();
    m_LeftClickDownPoint = point;
    m_LastMousePoint = point;
    m_LeftClickDownCell = GetCellFromPt(point);
    if (!IsValid(m_LeftClickDownCell))
        return;
    m_bLMouseButtonDown = TRUE;
    SetCapture();

    if (m_MouseMode == MOUSE_OVER_COL_DIVIDE || m_MouseMode == MOUSE_OVER_ROW_DIVIDE) {
        if (!StartSizing(point, m_MouseMode == MOUSE_OVER_COL_DIVIDE)) {
            m_MouseMode = MOUSE_NOTHING;
            SetSystemCursor(IDC_ARROW);
        }
        return;
    }

    CPoint origin;
    GetCellOrigin(m_LeftClickDownCell.row, m_LeftClickDownCell.col, &origin);
    if (CMonitorCellBase* pCell = GetCell(m_LeftClickDownCell.row, m_LeftClickDownCell.col))
        pCell->OnClickDown(CPoint(point - origin));

    if (m_LeftClickDownCell == m_idCurrentCell && !(nFlags & MK_CONTROL) &&
        IsCellEditable(m_LeftClickDownCell.row, m_LeftClickDownCell.col)) {
        CRect textRect;
        if (GetTextRect(m_LeftClickDownCell.row, m_LeftClickDownCell.col, &textRect) && textRect.PtInRect(point)) {
            m_MouseMode = MOUSE_PREPARE_EDIT;
            return;
        }
    }
    if (m_bAllowDragAndDrop && IsCellSelected(m_LeftClickDownCell.row, m_LeftClickDownCell.col)) {
        m_MouseMode = MOUSE_PREPARE_DRAG;
        return;
    }

    if (nFlags & MK_SHIFT) {
        if (!IsValid(m_SelectionStartCell))
            m_SelectionStartCell = m_idCurrentCell;
    } else {
        m_SelectionStartCell = m_LeftClickDownCell;
    }

    if (m_LeftClickDownCell.row < m_nFixedRows) {
        OnFixedRowClick(m_LeftClickDownCell);
    } else if (m_LeftClickDownCell.col < m_nFixedCols) {
        OnFixedColumnClick(m_LeftClickDownCell);
    } else {
        m_MouseMode = m_bListMode ? MOUSE_SELECT_ROW : MOUSE_SELECT_CELLS;
        if (nFlags & MK_CONTROL)
            m_PrevSelectedCellMap = m_SelectedCellMap;
        else
            m_PrevSelectedCellMap.clear();
        SendMessageToParent(m_LeftClickDownCell.row, m_LeftClickDownCell.col, LVN_ITEMCHANGING);
        SetFocusCell(m_LeftClickDownCell);
        OnSelecting(m_LeftClickDownCell);
        m_nTimerID = SetTimer(kAutoScrollTimerId, static_cast<UINT>(m_nTimerInterval));
    }
}

void CMonitorGrid::OnLButtonUp(UINT nFlags, CPoint point)
{
    CWnd::OnLButtonUp(nFlags, point);
    // Only a press on a cell of the table began a click.
    const bool pressedOnCell = m_bLMouseButtonDown && IsValid(m_LeftClickDownCell);
    m_bLMouseButtonDown = FALSE;
    ::ClipCursor(nullptr);
    if (::GetCapture() == m_hWnd) {
        ::ReleaseCapture();
        if (m_nTimerID != 0)
            KillTimer(m_nTimerID);
        m_nTimerID = 0;
    }

    if (!pressedOnCell) {
        m_MouseMode = MOUSE_NOTHING;
        return;
    }

    CPoint focusOrigin;
    GetCellOrigin(m_idCurrentCell.row, m_idCurrentCell.col, &focusOrigin);
    const CPoint focusPoint(point - focusOrigin);

    switch (m_MouseMode) {
    case MOUSE_PREPARE_EDIT:
        OnEditCell(m_idCurrentCell.row, m_idCurrentCell.col, focusPoint, VK_LBUTTON);
        break;
    case MOUSE_PREPARE_DRAG:
        // A press on the selection that did not become a drag: the selection goes.
        if (CMonitorCellBase* pCell = GetCell(m_idCurrentCell.row, m_idCurrentCell.col))
            pCell->OnClick(focusPoint);
        SendMessageToParent(m_LeftClickDownCell.row, m_LeftClickDownCell.col, NM_CLICK);
        SendMessageToParent(m_LeftClickDownCell.row, m_LeftClickDownCell.col, LVN_ITEMCHANGING);
        m_PrevSelectedCellMap.clear();
        ResetSelectedRange();
        SetFocusCell(-1, -1);
        SendMessageToParent(m_idCurrentCell.row, m_idCurrentCell.col, LVN_ITEMCHANGED);
        break;
    case MOUSE_SIZING_COL:
    case MOUSE_SIZING_ROW: {
        const bool column = m_MouseMode == MOUSE_SIZING_COL;
        DrawResizeLine(ResizeLineAt(m_LastMousePoint, column), CRect());
        CPoint start;
        if (point != m_LeftClickDownPoint && (point.x != 0 || point.y != 0) &&
            GetCellOrigin(m_LeftClickDownCell.row, m_LeftClickDownCell.col, &start)) {
            const int least = (column ? m_bAllowColHide : m_bAllowRowHide) ? 0 : 1;
            const int size = std::max(least, static_cast<int>(column ? point.x - start.x : point.y - start.y));
            if (column)
                SetColumnWidth(m_LeftClickDownCell.col, size);
            else
                SetRowHeight(m_LeftClickDownCell.row, size);
            ResetScrollBars();
            Invalidate();
        }
        break;
    }
    default:
        SendMessageToParent(m_idCurrentCell.row, m_idCurrentCell.col, LVN_ITEMCHANGED);
        if (CMonitorCellBase* pCell = GetCell(m_idCurrentCell.row, m_idCurrentCell.col))
            pCell->OnClick(focusPoint);
        SendMessageToParent(m_LeftClickDownCell.row, m_LeftClickDownCell.col, NM_CLICK);
        break;
    }

    m_MouseMode = MOUSE_NOTHING;
    SetSystemCursor(IDC_ARROW);
    HWND hOwner = ::GetWindow(m_hWnd, GW_OWNER);
    if (hOwner == nullptr)
        hOwner = ::GetParent(m_hWnd);
    if (hOwner != nullptr && ::IsWindow(hOwner))
        ::PostMessageA(hOwner, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), 0), reinterpret_cast<LPARAM>(m_hWnd));
}

void CMonitorGrid::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    const CCellID cell = GetCellFromPt(point);
    if (!IsValid(cell))
        return;
    CPoint origin;
    GetCellOrigin(cell.row, cell.col, &origin);

    if (m_MouseMode == MOUSE_OVER_COL_DIVIDE || m_MouseMode == MOUSE_OVER_ROW_DIVIDE) {
        const bool column = m_MouseMode == MOUSE_OVER_COL_DIVIDE;
        auto sizeOf = [this, column](int i) { return column ? GetColumnWidth(i) : GetRowHeight(i); };
        int index = column ? cell.col : cell.row;
        const int offset = column ? point.x - origin.x : point.y - origin.y;
        // Just right of (below) a divider: the column (row) before it.
        if (offset < m_nResizeCaptureRange && index > 0)
            --index;
        if (sizeOf(index) <= 0)
            index = NearestShown(index, -1, 0, index, sizeOf);
        if (index >= 0) {
            if (column)
                AutoSizeColumn(index, m_nAutoSizeColumnStyle);
            else
                AutoSizeRow(index);
            Invalidate();
        }
    } else if (m_MouseMode == MOUSE_NOTHING) {
        const CPoint cellPoint(point - origin);
        CRect textRect;
        if (!IsCellFixed(cell.row, cell.col) && GetTextRect(cell.row, cell.col, &textRect) &&
            textRect.PtInRect(point) && (IsValid(m_LeftClickDownCell) || m_bListMode))
            OnEditCell(cell.row, cell.col, cellPoint, VK_LBUTTON);
        if (CMonitorCellBase* pCell = GetCell(cell.row, cell.col))
            pCell->OnDblClick(cellPoint);
        SendMessageToParent(cell.row, cell.col, NM_DBLCLK);
    }
    CWnd::OnLButtonDblClk(nFlags, point);
}

void CMonitorGrid::OnRButtonUp(UINT nFlags, CPoint point)
{
    CWnd::OnRButtonUp(nFlags, point);
    EndEditing();
    const CCellID cell = GetCellFromPt(point);
    if (!IsValid(cell)) {
        SendMessageToParent(-1, -1, NM_RCLICK);
        return;
    }
    SetFocusCell(-1, -1);
    SetFocusCell(std::max(cell.row, m_nFixedRows), std::max(cell.col, m_nFixedCols));
    CPoint origin;
    GetCellOrigin(cell.row, cell.col, &origin);
    if (CMonitorCellBase* pCell = GetCell(cell.row, cell.col))
        pCell->OnRClick(CPoint(point - origin));
    SendMessageToParent(cell.row, cell.col, NM_RCLICK);
}

void CMonitorGrid::ShowTitleTip(CPoint point)
{
    CCellID cell;
    if (!m_bVirtualMode || m_bTitleTips)
        cell = GetCellFromPt(point);
    CMonitorCellBase* pCell = GetCell(cell.row, cell.col);
    if (pCell == nullptr)
        return;
    pCell->OnMouseOver();
    CRect cellRect;
    if (!m_bTitleTips || pCell->IsEditing() || *pCell->GetTipText() == '\0' ||
        !GetCellRect(cell.row, cell.col, &cellRect))
        return;
    CRect textRect = cellRect;
    const int margin = static_cast<int>(pCell->GetMargin());
    textRect.DeflateRect(margin, 0);
    pCell->GetTipTextRect(&textRect);
    m_TitleTip.Create(this);
    m_TitleTip.Show(textRect, pCell->GetTipText(), 0, &cellRect, pCell->GetFont(), m_crTTipTextClr, m_crTTipBackClr);
}

void CMonitorGrid::OnMouseMove(UINT, CPoint point)
{
    CRect client;
    GetClientRect(&client);
    if (!client.PtInRect(point) && m_MouseMode != MOUSE_DRAGGING && !m_bLMouseButtonDown)
        return;

    if (!m_bLMouseButtonDown || m_MouseMode == MOUSE_NOTHING) {
        if (!m_bLMouseButtonDown) {
            if (m_bAllowColumnResize && MouseOverColumnResizeArea(point)) {
                if (m_MouseMode != MOUSE_OVER_COL_DIVIDE)
                    SetSystemCursor(IDC_SIZEWE);
                m_MouseMode = MOUSE_OVER_COL_DIVIDE;
            } else if (m_bAllowRowResize && MouseOverRowResizeArea(point)) {
                if (m_MouseMode != MOUSE_OVER_ROW_DIVIDE)
                    SetSystemCursor(IDC_SIZENS);
                m_MouseMode = MOUSE_OVER_ROW_DIVIDE;
            } else if (m_MouseMode != MOUSE_NOTHING) {
                SetSystemCursor(IDC_ARROW);
                m_MouseMode = MOUSE_NOTHING;
            }
        }
        if (m_MouseMode == MOUSE_NOTHING)
            ShowTitleTip(point);
        m_LastMousePoint = point;
        return;
    }

    if (!IsValid(m_LeftClickDownCell)) {
        m_LastMousePoint = point;
        return;
    }
    switch (m_MouseMode) {
    case MOUSE_SELECT_COL:
    case MOUSE_SELECT_ROW:
    case MOUSE_SELECT_CELLS: {
        const CCellID cell = GetCellFromPt(point);
        if (!IsValid(cell) || cell == m_idCurrentCell)
            break;
        OnSelecting(cell);
        if ((cell.row >= m_nFixedRows && cell.col >= m_nFixedCols) || m_MouseMode == MOUSE_SELECT_COL ||
            m_MouseMode == MOUSE_SELECT_ROW)
            SetFocusCell(cell);
        break;
    }
    case MOUSE_SIZING_COL:
    case MOUSE_SIZING_ROW: {
        const bool column = m_MouseMode == MOUSE_SIZING_COL;
        DrawResizeLine(ResizeLineAt(m_LastMousePoint, column), ResizeLineAt(point, column));
        break;
    }
    case MOUSE_PREPARE_EDIT:
    case MOUSE_PREPARE_DRAG:
        m_MouseMode = MOUSE_PREPARE_DRAG;
        OnBeginDrag();
        break;
    default:
        break;
    }
    m_LastMousePoint = point;
}

void CMonitorGrid::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != kAutoScrollTimerId || m_nTimerID == 0) {
        CWnd::OnTimer(nIDEvent);
        return;
    }
    CPoint cursor;
    ::GetCursorPos(&cursor);
    ScreenToClient(&cursor);
    CRect client;
    GetClientRect(&client);
    const int fixedRowHeight = GetFixedRowHeight();
    const int fixedColWidth = GetFixedColumnWidth();

    if (cursor.y > client.bottom)
        OnKeyDown(VK_DOWN, 0, 0);
    else if (cursor.y < fixedRowHeight)
        OnKeyDown(VK_UP, 0, 0);
    if (cursor.x > client.right)
        OnKeyDown(VK_RIGHT, 0, 0);
    else if (cursor.x < fixedColWidth)
        OnKeyDown(VK_LEFT, 0, 0);

    CPoint clamped = cursor;
    clamped.x = std::max(fixedColWidth, std::min(static_cast<int>(client.right) - 1, static_cast<int>(clamped.x)));
    clamped.y = std::max(fixedRowHeight, std::min(static_cast<int>(client.bottom) - 1, static_cast<int>(clamped.y)));
    OnSelecting(GetCellFromPt(clamped));
}

void CMonitorGrid::OnCaptureChanged(CWnd* pWnd)
{
    if (pWnd == nullptr || pWnd->m_hWnd != m_hWnd) {
        if (m_nTimerID != 0) {
            KillTimer(m_nTimerID);
            m_nTimerID = 0;
        }
        if (m_MouseMode == MOUSE_DRAGGING)
            m_MouseMode = MOUSE_NOTHING;
    }
    CWnd::OnCaptureChanged(pWnd);
}

BOOL CMonitorGrid::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (nHitTest != HTCLIENT)
        return CWnd::OnSetCursor(pWnd, nHitTest, message);
    switch (m_MouseMode) {
    case MOUSE_OVER_COL_DIVIDE:
    case MOUSE_SIZING_COL:
        SetSystemCursor(IDC_SIZEWE);
        return TRUE;
    case MOUSE_OVER_ROW_DIVIDE:
    case MOUSE_SIZING_ROW:
        SetSystemCursor(IDC_SIZENS);
        return TRUE;
    case MOUSE_NOTHING: {
        CPoint point;
        ::GetCursorPos(&point);
        ScreenToClient(&point);
        const CCellID cell = GetCellFromPt(point);
        if (CMonitorCellBase* pCell = GetCell(cell.row, cell.col))
            return pCell->OnSetCursor();
        break;
    }
    default:
        break;
    }
    return CWnd::OnSetCursor(pWnd, nHitTest, message);
}

// Fixed cells

void CMonitorGrid::OnFixedRowClick(CCellID& cell)
{
    if (!IsValid(cell))
        return;
    if (m_bSortOnClick) {
        CWaitCursor wait;
        SortItems(cell.col, !(cell.col == m_nSortColumn && m_bAscending));
        Invalidate();
    }
    if (m_bFixedRowSelection) {
        m_MouseMode = cell.col < m_nFixedCols ? MOUSE_SELECT_ALL : MOUSE_SELECT_COL;
        OnSelecting(cell);
    }
}

void CMonitorGrid::OnFixedColumnClick(CCellID& cell)
{
    if (!IsValid(cell) || !m_bFixedColumnSelection)
        return;
    m_MouseMode = cell.row < m_nFixedRows ? MOUSE_SELECT_ALL : MOUSE_SELECT_ROW;
    OnSelecting(cell);
}

// Drag and drop

void CMonitorGrid::OnBeginDrag()
{
    if (!m_bAllowDragAndDrop)
        return;
    COleDataSource* pSource = CopyTextFromGrid();
    if (pSource == nullptr)
        return;
    const CCellRange selection = GetSelectedRange();
    SendMessageToParent(selection.GetMinRow(), selection.GetMinCol(), LVN_BEGINDRAG);
    if (m_nTimerID != 0) {
        KillTimer(m_nTimerID);
        m_nTimerID = 0;
    }
    m_bLMouseButtonDown = FALSE;
    m_MouseMode = MOUSE_DRAGGING;
    m_bMovedWithinGrid = false;
    const DROPEFFECT effect = pSource->DoDragDrop(DROPEFFECT_COPY | DROPEFFECT_MOVE);
    if ((effect & DROPEFFECT_MOVE) && !m_bMovedWithinGrid)
        CutSelectedText();
    pSource->InternalRelease();
    m_MouseMode = MOUSE_NOTHING;
}

void CMonitorGrid::SetDropHighlight(CCellID cell)
{
    if (cell == m_LastDragOverCell)
        return;
    auto mark = [this](const CCellID& target, bool on) {
        CMonitorCellBase* pCell = m_bVirtualMode ? nullptr : GetCell(target.row, target.col);
        if (pCell != nullptr)
            pCell->SetState(on ? pCell->GetState() | CELL_DROPHILITED : pCell->GetState() & ~CELL_DROPHILITED);
        RedrawCell(target.row, target.col);
    };
    if (IsValid(m_LastDragOverCell))
        mark(m_LastDragOverCell, false);
    m_LastDragOverCell = cell;
    if (IsValid(cell))
        mark(cell, true);
}

DROPEFFECT CMonitorGrid::OnDragEnter(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point)
{
    return OnDragOver(pDataObject, dwKeyState, point);
}

DROPEFFECT CMonitorGrid::OnDragOver(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point)
{
    const CCellID cell = GetCellFromPt(point);
    if (!m_bAllowDragAndDrop || pDataObject == nullptr || !pDataObject->IsDataAvailable(CF_TEXT) || !IsValid(cell)) {
        SetDropHighlight(CCellID());
        return DROPEFFECT_NONE;
    }
    SetDropHighlight(cell);
    return (dwKeyState & MK_CONTROL) ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
}

void CMonitorGrid::OnDragLeave()
{
    SetDropHighlight(CCellID());
}

BOOL CMonitorGrid::OnDrop(COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point)
{
    const CCellID cell = GetCellFromPt(point);
    SetDropHighlight(CCellID());
    if (!IsValid(cell) || pDataObject == nullptr)
        return FALSE;
    // A move inside this grid clears the dragged cells before the text lands,
    // so text dropped over its own source is not cleared afterwards.
    if (m_MouseMode == MOUSE_DRAGGING && (dropEffect & DROPEFFECT_MOVE)) {
        CutSelectedText();
        m_bMovedWithinGrid = true;
    }
    return PasteTextToGrid(cell, pDataObject, FALSE);
}

CImageList* CMonitorGrid::CreateDragImage(CPoint* pHotSpot)
{
    CRect rect;
    CMonitorCellBase* pCell = GetCell(m_idCurrentCell.row, m_idCurrentCell.col);
    if (pCell == nullptr || m_hWnd == nullptr || !GetCellRect(m_idCurrentCell.row, m_idCurrentCell.col, &rect))
        return nullptr;
    const CSize size(rect.Width() + 1, rect.Height() + 1);
    if (pHotSpot != nullptr)
        *pHotSpot = CPoint(size.cx / 2, size.cy / 2);
    CClientDC screen(this);
    CDC memDC;
    CBitmap bitmap;
    if (!memDC.CreateCompatibleDC(&screen) || !bitmap.CreateCompatibleBitmap(&screen, size.cx, size.cy))
        return nullptr;
    {
        ScopedSelect keepBitmap(memDC, bitmap);
        memDC.FillSolidRect(0, 0, size.cx, size.cy, m_cellDefault.GetBackClr());
        pCell->Draw(&memDC, m_idCurrentCell.row, m_idCurrentCell.col, CRect(0, 0, size.cx - 1, size.cy - 1));
    }
    CImageList* pList = new CImageList;
    if (!pList->Create(size.cx, size.cy, ILC_COLOR24 | ILC_MASK, 1, 1) ||
        pList->Add(&bitmap, m_cellDefault.GetBackClr()) < 0) {
        delete pList;
        return nullptr;
    }
    return pList;
}

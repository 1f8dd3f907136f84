#include "framework/splitter.h"

#include "framework/frame.h"
#include "framework/gdi.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CSplitterWnd, CWnd)

BEGIN_MESSAGE_MAP(CSplitterWnd, CWnd)
    ON_WM_SIZE()
    ON_WM_PAINT()
    ON_WM_SETCURSOR()
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_WM_KEYDOWN()
    ON_WM_CAPTURECHANGED()
END_MESSAGE_MAP()

namespace {

// Rows and columns a static splitter may have (pane ids hold 16 of each).
constexpr int kMaxPanes = 16;
constexpr int kNoBar = -1;
// Pixels an arrow key moves the bar of a keyboard split.
constexpr int kKeyboardStep = 4;

} // namespace

CSplitterWnd::CSplitterWnd()
    : m_cxSplitter(kBarSize), m_cySplitter(kBarSize), m_cxBorderShare(0), m_cyBorderShare(0),
      m_cxSplitterGap(kBarSize), m_cySplitterGap(kBarSize), m_cxBorder(0), m_cyBorder(0), m_nRows(0), m_nCols(0),
      m_nDragBar(kNoBar)
{
}

BOOL CSplitterWnd::CreateStatic(CWnd* pParentWnd, int nRows, int nCols, DWORD dwStyle, UINT nID)
{
    if (pParentWnd == nullptr || nRows < 1 || nCols < 1 || nRows > kMaxPanes || nCols > kMaxPanes)
        return FALSE;
    m_nRows = nRows;
    m_nCols = nCols;
    m_rows.assign(static_cast<size_t>(nRows), Extent());
    m_cols.assign(static_cast<size_t>(nCols), Extent());
    CRect client;
    pParentWnd->GetClientRect(&client);
    return CWnd::Create(AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorA(nullptr, IDC_ARROW),
                                            reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)),
                        nullptr, dwStyle | WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, client, pParentWnd, nID);
}

BOOL CSplitterWnd::CreateView(int row, int col, CRuntimeClass* pViewClass, SIZE sizeInit, CCreateContext* pContext)
{
    if (row < 0 || row >= m_nRows || col < 0 || col >= m_nCols || GetPane(row, col) != nullptr)
        return FALSE;
    m_cols[static_cast<size_t>(col)].ideal = sizeInit.cx;
    m_rows[static_cast<size_t>(row)].ideal = sizeInit.cy;

    CCreateContext context;
    if (pContext != nullptr)
        context = *pContext;
    context.m_pNewViewClass = pViewClass;
    CObject* pObject = pViewClass != nullptr ? pViewClass->CreateObject() : nullptr;
    CWnd* pView = DYNAMIC_DOWNCAST(CWnd, pObject);
    if (pView == nullptr) {
        delete pObject;
        return FALSE;
    }
    if (!pView->Create(nullptr, nullptr, AFX_WS_DEFAULT_VIEW & ~WS_BORDER, CRect(0, 0, 0, 0), this,
                       static_cast<UINT>(IdFromRowCol(row, col)), &context))
        return FALSE;
    RecalcLayout();
    return TRUE;
}

CWnd* CSplitterWnd::GetPane(int row, int col) const
{
    if (m_hWnd == nullptr || row < 0 || row >= m_nRows || col < 0 || col >= m_nCols)
        return nullptr;
    HWND hPane = ::GetDlgItem(m_hWnd, IdFromRowCol(row, col));
    return hPane != nullptr ? FromHandle(hPane) : nullptr;
}

int CSplitterWnd::IdFromRowCol(int row, int col) const
{
    return AFX_IDW_PANE_ROWCOL(row, col);
}

BOOL CSplitterWnd::IsChildPane(CWnd* pWnd, int* pRow, int* pCol) const
{
    if (pWnd == nullptr || ::GetParent(pWnd->m_hWnd) != m_hWnd)
        return FALSE;
    const int offset = pWnd->GetDlgCtrlID() - AFX_IDW_PANE_FIRST;
    const int row = offset / kMaxPanes;
    const int col = offset % kMaxPanes;
    if (offset < 0 || row >= m_nRows || col >= m_nCols)
        return FALSE;
    if (pRow != nullptr)
        *pRow = row;
    if (pCol != nullptr)
        *pCol = col;
    return TRUE;
}

void CSplitterWnd::SetActivePane(int row, int col, CWnd* pWnd)
{
    CWnd* pPane = pWnd != nullptr ? pWnd : GetPane(row, col);
    if (pPane == nullptr)
        return;
    CFrameWnd* pFrame = GetParentFrame();
    CView* pView = DYNAMIC_DOWNCAST(CView, FromHandlePermanent(pPane->m_hWnd));
    if (pFrame != nullptr && pView != nullptr)
        pFrame->SetActiveView(pView);
    else
        pPane->SetFocus();
}

CWnd* CSplitterWnd::GetActivePane(int* pRow, int* pCol) const
{
    CFrameWnd* pFrame = GetParentFrame();
    CWnd* pPane = pFrame != nullptr ? pFrame->GetActiveView() : nullptr;
    if (pPane == nullptr || !IsChildPane(pPane, pRow, pCol)) {
        pPane = GetFocus();
        if (pPane == nullptr || !IsChildPane(pPane, pRow, pCol))
            return nullptr;
    }
    return pPane;
}

void CSplitterWnd::ActivateNext(BOOL bPrev)
{
    const int count = m_nRows * m_nCols;
    if (count < 2)
        return;
    int row = 0;
    int col = 0;
    int index = GetActivePane(&row, &col) != nullptr ? row * m_nCols + col : (bPrev ? 0 : count - 1);
    // Panes that hold no window are passed over.
    for (int step = 0; step < count; ++step) {
        index = (index + (bPrev ? count - 1 : 1)) % count;
        if (GetPane(index / m_nCols, index % m_nCols) != nullptr) {
            SetActivePane(index / m_nCols, index % m_nCols);
            return;
        }
    }
}

BOOL CSplitterWnd::CanActivateNext(BOOL)
{
    return m_nRows * m_nCols > 1;
}

void CSplitterWnd::SetColumnInfo(int col, int cxIdeal, int cxMin)
{
    if (col < 0 || col >= m_nCols)
        return;
    m_cols[static_cast<size_t>(col)].ideal = cxIdeal;
    m_cols[static_cast<size_t>(col)].minimum = cxMin;
}

void CSplitterWnd::GetColumnInfo(int col, int& cxCur, int& cxMin) const
{
    cxCur = cxMin = 0;
    if (col < 0 || col >= m_nCols)
        return;
    cxCur = m_cols[static_cast<size_t>(col)].current;
    cxMin = m_cols[static_cast<size_t>(col)].minimum;
}

void CSplitterWnd::SetRowInfo(int row, int cyIdeal, int cyMin)
{
    if (row < 0 || row >= m_nRows)
        return;
    m_rows[static_cast<size_t>(row)].ideal = cyIdeal;
    m_rows[static_cast<size_t>(row)].minimum = cyMin;
}

void CSplitterWnd::GetRowInfo(int row, int& cyCur, int& cyMin) const
{
    cyCur = cyMin = 0;
    if (row < 0 || row >= m_nRows)
        return;
    cyCur = m_rows[static_cast<size_t>(row)].current;
    cyMin = m_rows[static_cast<size_t>(row)].minimum;
}

namespace {

// Gives each extent its ideal size (at least its minimum) in turn; the last takes what is left.
void Distribute(std::vector<CSplitterWnd::Extent>& extents, int total, int bar)
{
    int left = total;
    for (size_t i = 0; i < extents.size(); ++i) {
        auto& extent = extents[i];
        if (i + 1 == extents.size()) {
            extent.current = std::max(0, left);
            break;
        }
        extent.current = std::clamp(std::max(extent.ideal, extent.minimum), 0, std::max(0, left - bar));
        left -= extent.current + bar;
    }
}

} // namespace

void CSplitterWnd::RecalcLayout()
{
    if (m_hWnd == nullptr)
        return;
    CRect client;
    GetClientRect(&client);
    Distribute(m_cols, client.Width() - 2 * m_cxBorder, m_cxSplitterGap);
    Distribute(m_rows, client.Height() - 2 * m_cyBorder, m_cySplitterGap);
    int y = m_cyBorder;
    for (int row = 0; row < m_nRows; ++row) {
        int x = m_cxBorder;
        const int height = m_rows[static_cast<size_t>(row)].current;
        for (int col = 0; col < m_nCols; ++col) {
            const int width = m_cols[static_cast<size_t>(col)].current;
            if (HWND hPane = ::GetDlgItem(m_hWnd, IdFromRowCol(row, col)))
                ::MoveWindow(hPane, x, y, width, height, TRUE);
            x += width + m_cxSplitterGap;
        }
        y += height + m_cySplitterGap;
    }
    Invalidate();
}

int CSplitterWnd::HitBar(CPoint point) const
{
    int x = m_cxBorder;
    for (int col = 0; col + 1 < m_nCols; ++col) {
        x += m_cols[static_cast<size_t>(col)].current;
        if (point.x >= x && point.x < x + m_cxSplitterGap)
            return col;
        x += m_cxSplitterGap;
    }
    int y = m_cyBorder;
    for (int row = 0; row + 1 < m_nRows; ++row) {
        y += m_rows[static_cast<size_t>(row)].current;
        if (point.y >= y && point.y < y + m_cySplitterGap)
            return -(row + 2);
        y += m_cySplitterGap;
    }
    return kNoBar;
}

void CSplitterWnd::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    RecalcLayout();
}

void CSplitterWnd::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    DrawAllSplitBars(&dc, client.right, client.bottom);
}

void CSplitterWnd::DrawAllSplitBars(CDC* pDC, int cxInside, int cyInside)
{
    const CRect client(0, 0, cxInside, cyInside);
    // The bars between the rows and between the columns, each beginning its border share after the pane
    // before it.
    int y = m_cyBorder;
    for (int row = 0; row + 1 < m_nRows; ++row) {
        y += m_rows[static_cast<size_t>(row)].current;
        const int top = y + m_cyBorderShare;
        OnDrawSplitter(pDC, splitBar, CRect(client.left, top, client.right, top + m_cySplitter));
        y += m_cySplitterGap;
    }
    int x = m_cxBorder;
    for (int col = 0; col + 1 < m_nCols; ++col) {
        x += m_cols[static_cast<size_t>(col)].current;
        const int left = x + m_cxBorderShare;
        OnDrawSplitter(pDC, splitBar, CRect(left, client.top, left + m_cxSplitter, client.bottom));
        x += m_cxSplitterGap;
    }
    // The border round every pane.
    if (m_cxBorder == 0 && m_cyBorder == 0)
        return;
    y = 0;
    for (int row = 0; row < m_nRows; ++row) {
        const int height = m_rows[static_cast<size_t>(row)].current + 2 * m_cyBorder;
        x = 0;
        for (int col = 0; col < m_nCols; ++col) {
            const int width = m_cols[static_cast<size_t>(col)].current + 2 * m_cxBorder;
            OnDrawSplitter(pDC, splitBorder, CRect(x, y, x + width, y + height));
            x += width + m_cxSplitterGap - 2 * m_cxBorder;
        }
        y += height + m_cySplitterGap - 2 * m_cyBorder;
    }
}

void CSplitterWnd::OnDrawSplitter(CDC* pDC, ESplitType nType, const CRect& rect)
{
    if (pDC == nullptr) {
        RedrawWindow(&rect, nullptr, RDW_INVALIDATE | RDW_NOCHILDREN);
        return;
    }
    if (nType == splitBar)
        pDC->FillSolidRect(&rect, ::GetSysColor(COLOR_BTNFACE));
    else if (nType == splitBorder)
        pDC->Draw3dRect(&rect, ::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_BTNHIGHLIGHT));
}

IMPLEMENT_DYNAMIC(CSplitterWndEx, CSplitterWnd)

BOOL CSplitterWnd::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (nHitTest == HTCLIENT && pWnd == this) {
        CPoint point;
        ::GetCursorPos(&point);
        ScreenToClient(&point);
        const int bar = HitBar(point);
        if (bar != kNoBar) {
            ::SetCursor(::LoadCursorA(nullptr, bar >= 0 ? IDC_SIZEWE : IDC_SIZENS));
            return TRUE;
        }
    }
    return CWnd::OnSetCursor(pWnd, nHitTest, message);
}

void CSplitterWnd::OnLButtonDown(UINT, CPoint point)
{
    // A click ends a keyboard split where the bar is.
    if (m_bKeyboardSplit) {
        EndDrag(false);
        return;
    }
    m_nDragBar = HitBar(point);
    if (m_nDragBar != kNoBar) {
        // The bar keeps the place where the mouse took it.
        m_nDragOffset = (m_nDragBar >= 0 ? point.x : point.y) - BarStart(m_nDragBar);
        SetCapture();
    }
}

void CSplitterWnd::OnMouseMove(UINT, CPoint point)
{
    if (m_nDragBar == kNoBar || ::GetCapture() != m_hWnd)
        return;
    MoveDragBar(point);
}

void CSplitterWnd::MoveDragBar(CPoint point)
{
    // The pane before the bar takes the new size; RecalcLayout keeps the rest inside.
    if (m_nDragBar >= 0) {
        const int start = BarStart(m_nDragBar) - m_cols[static_cast<size_t>(m_nDragBar)].current;
        m_cols[static_cast<size_t>(m_nDragBar)].ideal = std::max(0, static_cast<int>(point.x) - m_nDragOffset - start);
    } else {
        const int row = -m_nDragBar - 2;
        const int start = BarStart(m_nDragBar) - m_rows[static_cast<size_t>(row)].current;
        m_rows[static_cast<size_t>(row)].ideal = std::max(0, static_cast<int>(point.y) - m_nDragOffset - start);
    }
    RecalcLayout();
}

int CSplitterWnd::BarStart(int nBar) const
{
    const bool column = nBar >= 0;
    const int index = column ? nBar : -nBar - 2;
    const std::vector<Extent>& extents = column ? m_cols : m_rows;
    const int gap = column ? m_cxSplitterGap : m_cySplitterGap;
    int start = column ? m_cxBorder : m_cyBorder;
    for (int i = 0; i <= index && i < static_cast<int>(extents.size()); ++i)
        start += extents[static_cast<size_t>(i)].current + (i < index ? gap : 0);
    return start;
}

void CSplitterWnd::OnLButtonUp(UINT, CPoint)
{
    EndDrag(false);
}

BOOL CSplitterWnd::DoKeyboardSplit()
{
    if (m_hWnd == nullptr || m_nDragBar != kNoBar)
        return FALSE;
    CPoint middle;
    CRect client;
    GetClientRect(&client);
    if (m_nRows > 1) {
        m_nDragBar = -2;
        m_nDragOffset = m_cySplitterGap / 2;
        middle = CPoint(client.Width() / 2, BarStart(m_nDragBar) + m_nDragOffset);
    } else if (m_nCols > 1) {
        m_nDragBar = 0;
        m_nDragOffset = m_cxSplitterGap / 2;
        middle = CPoint(BarStart(m_nDragBar) + m_nDragOffset, client.Height() / 2);
    } else {
        return FALSE;
    }
    m_savedRows = m_rows;
    m_savedCols = m_cols;
    m_bKeyboardSplit = true;
    m_hWndFocusBefore = ::GetFocus();
    SetFocus();
    SetCapture();
    ClientToScreen(&middle);
    ::SetCursorPos(middle.x, middle.y);
    ::SetCursor(::LoadCursorA(nullptr, m_nDragBar >= 0 ? IDC_SIZEWE : IDC_SIZENS));
    return TRUE;
}

BOOL CSplitterWnd::PreTranslateMessage(MSG* pMsg)
{
    if (m_bKeyboardSplit && pMsg->hwnd == m_hWnd && pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST) {
        ::DispatchMessageA(pMsg);
        return TRUE;
    }
    return CWnd::PreTranslateMessage(pMsg);
}

void CSplitterWnd::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (!m_bKeyboardSplit || m_nDragBar == kNoBar) {
        CWnd::OnKeyDown(nChar, nRepCnt, nFlags);
        return;
    }
    if (nChar == VK_RETURN || nChar == VK_ESCAPE) {
        EndDrag(nChar == VK_ESCAPE);
        return;
    }
    const bool rowBar = m_nDragBar < 0;
    int step = 0;
    if (nChar == (rowBar ? VK_UP : VK_LEFT))
        step = -kKeyboardStep;
    else if (nChar == (rowBar ? VK_DOWN : VK_RIGHT))
        step = kKeyboardStep;
    if (step == 0)
        return;
    // The bar's present place, moved by the step; the cursor goes with it.
    CPoint point;
    ::GetCursorPos(&point);
    ScreenToClient(&point);
    const int at = BarStart(m_nDragBar) + m_nDragOffset + step;
    if (rowBar)
        point.y = at;
    else
        point.x = at;
    MoveDragBar(point);
    CPoint screen = point;
    ClientToScreen(&screen);
    ::SetCursorPos(screen.x, screen.y);
}

void CSplitterWnd::OnCaptureChanged(CWnd*)
{
    // Another window took the mouse: the bar stays where it is.
    if (m_bKeyboardSplit)
        EndDrag(false);
    m_nDragBar = kNoBar;
}

void CSplitterWnd::EndDrag(bool bRestore)
{
    const bool keyboard = m_bKeyboardSplit;
    m_bKeyboardSplit = false;
    m_nDragBar = kNoBar;
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    if (!keyboard)
        return;
    if (bRestore) {
        m_rows = m_savedRows;
        m_cols = m_savedCols;
        RecalcLayout();
    }
    const HWND focus = m_hWndFocusBefore;
    m_hWndFocusBefore = nullptr;
    if (focus != nullptr && ::IsWindow(focus))
        ::SetFocus(focus);
}

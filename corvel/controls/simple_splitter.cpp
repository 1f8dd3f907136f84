#include "corvel/controls/simple_splitter.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CSimpleSplitter, CWnd)
IMPLEMENT_DYNAMIC(CChildWnd, CWnd)

BEGIN_MESSAGE_MAP(CSimpleSplitter, CWnd)
    ON_WM_NCCREATE()
    ON_WM_WINDOWPOSCHANGING()
    ON_WM_SIZE()
    ON_WM_PAINT()
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(CChildWnd, CWnd)
    ON_WM_PAINT()
    ON_WM_WINDOWPOSCHANGING()
    ON_COMMAND(CChildWnd::kIgnoredCommand, &CChildWnd::OnIgnoredCommand)
END_MESSAGE_MAP()

namespace {

// The parent's extended styles that the splitter removes: its client edge and a left scroll bar.
constexpr DWORD kParentEdgeStyles = WS_EX_CLIENTEDGE | WS_EX_LEFTSCROLLBAR;

// The share that gives minimum pixels of space; the whole when the minimum does not fit.
int MinimumShare(int minimum, int space)
{
    if (minimum > space)
        return CSimpleSplitter::kShareUnits;
    return static_cast<int>(static_cast<long long>(minimum) * CSimpleSplitter::kShareUnits / space);
}

// The share of pixels of space, rounded to nearest.
int PixelsToShare(int pixels, int space)
{
    return static_cast<int>((static_cast<long long>(pixels) * CSimpleSplitter::kShareUnits + space / 2) / space);
}

// The drag tracker's brush: alternate pixels set and clear, like a half-tone.
bool CreateHalftoneBrush(CBrush& brush)
{
    static const WORD pattern[8] = {0x5555, 0xAAAA, 0x5555, 0xAAAA, 0x5555, 0xAAAA, 0x5555, 0xAAAA};
    CBitmap bitmap;
    if (!bitmap.CreateBitmap(8, 8, 1, 1, pattern))
        return false;
    return brush.Attach(::CreatePatternBrush(bitmap)) != FALSE;
}

} // namespace

CSimpleSplitter::CSimpleSplitter(int nPanes, int nOrientation, int nMinSize, int nBarThickness)
    : m_nPanes(std::max(nPanes, 1)),
      m_nOrientation(nOrientation),
      m_nMinSize(nMinSize),
      m_nBarThickness(nBarThickness),
      m_panes(static_cast<size_t>(m_nPanes), nullptr),
      m_sizes(static_cast<size_t>(m_nPanes), 0),
      m_positions(static_cast<size_t>(m_nPanes) + 1, 0)
{
    const int each = (m_nPanes / 2 + kShareUnits) / m_nPanes;
    int rest = kShareUnits;
    for (int i = 0; i < m_nPanes - 1; ++i) {
        m_sizes[static_cast<size_t>(i)] = each;
        rest -= each;
    }
    m_sizes.back() = rest;
}

CSimpleSplitter::~CSimpleSplitter() = default;

BOOL CSimpleSplitter::Create(CWnd* pParent, UINT nID)
{
    if (pParent == nullptr)
        return FALSE;
    const HCURSOR cursor = ::LoadCursorA(nullptr, IsSideBySide() ? IDC_SIZEWE : IDC_SIZENS);
    LPCSTR className = AfxRegisterWndClass(CS_DBLCLKS, cursor, nullptr);
    CRect client;
    pParent->GetClientRect(&client);
    return CWnd::Create(className, nullptr, WS_CHILD | WS_VISIBLE, client, pParent, nID);
}

int CSimpleSplitter::ShareToPixels(int share, int space)
{
    return static_cast<int>((static_cast<long long>(share) * space + kShareUnits / 2) / kShareUnits);
}

void CSimpleSplitter::FitShares(std::vector<int>& shares, int minimum, int space)
{
    // Without space there is nothing to fit: the proportions are kept for the next size.
    if (space <= 0 || shares.empty())
        return;
    const size_t count = shares.size();
    // Each pass fixes at least one more pane or ends, so the panes bound the passes.
    for (size_t pass = 0; pass <= count; ++pass) {
        std::vector<bool> fixed(count, false);
        long long fixedBefore = 0;
        long long fixedAfter = 0;
        bool raised = false;
        for (size_t i = 0; i < count; ++i) {
            const int length = ShareToPixels(shares[i], space);
            if (length > minimum)
                continue;
            fixed[i] = true;
            fixedBefore += shares[i];
            if (length < minimum) {
                shares[i] = MinimumShare(minimum, space);
                raised = true;
            }
            fixedAfter += shares[i];
        }
        if (kShareUnits - fixedAfter < 1) {
            // No room for more than the minimum: each pane gets it while anything is left, in order.
            int left = kShareUnits;
            for (int& share : shares) {
                share = std::min(MinimumShare(minimum, space), left);
                left -= share;
            }
            return;
        }
        if (fixedBefore > 0 && fixedBefore < kShareUnits) {
            for (size_t i = 0; i < count; ++i)
                if (!fixed[i])
                    shares[i] = static_cast<int>(shares[i] * (kShareUnits - fixedAfter) / (kShareUnits - fixedBefore));
        }
        if (!raised)
            return;
    }
}

void CSimpleSplitter::SetPaneSizes(const int* sizes)
{
    if (sizes == nullptr)
        return;
    long long sum = 0;
    for (int i = 0; i < m_nPanes; ++i)
        sum += sizes[i];
    if (sum <= 0)
        return;
    int rest = kShareUnits;
    for (int i = 0; i < m_nPanes - 1; ++i) {
        const int share = static_cast<int>((sizes[i] * static_cast<long long>(kShareUnits) + sum / 2) / sum);
        m_sizes[static_cast<size_t>(i)] = share;
        rest -= share;
    }
    m_sizes.back() = rest;
    RecalcLayout(false);
}

BOOL CSimpleSplitter::SetPane(int nIndex, CWnd* pWnd, DWORD dwStyle, DWORD dwExStyle, LPCSTR lpszClassName)
{
    if (nIndex < 0 || nIndex >= m_nPanes || pWnd == nullptr || m_hWnd == nullptr)
        return FALSE;
    const CRect rect = GetPaneRect(nIndex);
    if (!pWnd->CreateEx(dwExStyle, lpszClassName, nullptr, dwStyle | WS_CHILD | WS_VISIBLE, rect, this,
                        AFX_IDW_PANE_FIRST + static_cast<UINT>(nIndex)))
        return FALSE;
    m_panes[static_cast<size_t>(nIndex)] = pWnd;
    return TRUE;
}

CWnd* CSimpleSplitter::GetPane(int nIndex) const
{
    if (nIndex < 0 || nIndex >= m_nPanes)
        return nullptr;
    return m_panes[static_cast<size_t>(nIndex)];
}

CRect CSimpleSplitter::GetPaneRect(int nIndex) const
{
    if (nIndex < 0 || nIndex >= m_nPanes)
        return CRect(0, 0, 0, 0);
    const int start = m_positions[static_cast<size_t>(nIndex)];
    const int end = std::max(start, m_positions[static_cast<size_t>(nIndex) + 1] - m_nBarThickness);
    const int cross = CrossExtent();
    return IsSideBySide() ? CRect(start, 0, end, cross) : CRect(0, start, cross, end);
}

void CSimpleSplitter::SetActivePane(int nIndex)
{
    CWnd* pane = GetPane(nIndex);
    if (pane != nullptr && pane->m_hWnd != nullptr)
        pane->SetFocus();
}

int CSimpleSplitter::AxisExtent() const
{
    if (m_hWnd == nullptr)
        return 0;
    CRect client;
    GetClientRect(&client);
    return IsSideBySide() ? client.Width() : client.Height();
}

int CSimpleSplitter::CrossExtent() const
{
    if (m_hWnd == nullptr)
        return 0;
    CRect client;
    GetClientRect(&client);
    return IsSideBySide() ? client.Height() : client.Width();
}

int CSimpleSplitter::Space() const
{
    return AxisExtent() - (m_nPanes - 1) * m_nBarThickness;
}

void CSimpleSplitter::RecalcLayout(bool bFromResize)
{
    const int space = Space();
    FitShares(m_sizes, m_nMinSize, space);
    if (!bFromResize || m_nPlacements < kProportionalPlacements) {
        m_positions[0] = 0;
        for (int i = 0; i < m_nPanes - 1; ++i) {
            m_positions[static_cast<size_t>(i) + 1] = m_positions[static_cast<size_t>(i)] +
                                                      ShareToPixels(m_sizes[static_cast<size_t>(i)], space) +
                                                      m_nBarThickness;
            ++m_nPlacements;
        }
    }
    // The last pane takes what the bars leave.
    m_positions.back() = m_nBarThickness * m_nPanes + space;
    ResizePanes();
}

void CSimpleSplitter::ResizePanes()
{
    for (int i = 0; i < m_nPanes; ++i) {
        CWnd* pane = m_panes[static_cast<size_t>(i)];
        if (pane != nullptr && pane->m_hWnd != nullptr)
            pane->MoveWindow(GetPaneRect(i), TRUE);
    }
}

CRect CSimpleSplitter::BarRect(int nPosition, int nLength) const
{
    return IsSideBySide() ? CRect(nPosition - m_nBarThickness, 0, nPosition, nLength)
                          : CRect(0, nPosition - m_nBarThickness, nLength, nPosition);
}

BOOL CSimpleSplitter::OnNcCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (!CWnd::OnNcCreate(lpCreateStruct))
        return FALSE;
    CWnd* parent = CWnd::FromHandle(lpCreateStruct->hwndParent);
    if (parent != nullptr)
        parent->ModifyStyleEx(kParentEdgeStyles, 0, SWP_FRAMECHANGED);
    return TRUE;
}

void CSimpleSplitter::OnWindowPosChanging(WINDOWPOS* lpWndPos)
{
    lpWndPos->flags |= SWP_NOCOPYBITS;
    CWnd::OnWindowPosChanging(lpWndPos);
}

void CSimpleSplitter::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    RecalcLayout(true);
}

void CSimpleSplitter::OnPaint()
{
    CPaintDC dc(this);
    const int cross = CrossExtent();
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    for (int i = 1; i < m_nPanes; ++i)
        dc.FillSolidRect(BarRect(m_positions[static_cast<size_t>(i)], cross), face);
}

void CSimpleSplitter::DrawTracker()
{
    CBrush brush;
    if (!CreateHalftoneBrush(brush))
        return;
    CClientDC dc(this);
    ScopedSelect select(dc, brush);
    const CRect bar = BarRect(m_nDragPos, m_nTrackerLength);
    dc.PatBlt(bar.left, bar.top, bar.Width(), bar.Height(), PATINVERT);
}

void CSimpleSplitter::OnLButtonDown(UINT nFlags, CPoint point)
{
    CWnd::OnLButtonDown(nFlags, point);
    const int at = IsSideBySide() ? point.x : point.y;
    int bar = 1;
    while (bar < m_nPanes && m_positions[static_cast<size_t>(bar)] < at)
        ++bar;
    // Past the last bar (only where a pane has no window): nothing to drag.
    if (bar >= m_nPanes)
        return;
    m_nDraggedBar = bar;
    m_nDragPos = m_positions[static_cast<size_t>(bar)];
    m_nDragOffset = at - m_nDragPos;
    m_nTrackerLength = CrossExtent();
    SetCapture();
    DrawTracker();
}

void CSimpleSplitter::OnMouseMove(UINT nFlags, CPoint point)
{
    CWnd::OnMouseMove(nFlags, point);
    if (m_nDraggedBar == 0 || ::GetCapture() != m_hWnd)
        return;
    DrawTracker();
    const size_t bar = static_cast<size_t>(m_nDraggedBar);
    const int at = IsSideBySide() ? point.x : point.y;
    m_nDragPos = at - m_nDragOffset;
    const int highest = m_positions[bar + 1] - m_nBarThickness - m_nMinSize;
    const int lowest = m_positions[bar - 1] + m_nBarThickness + m_nMinSize;
    if (m_nDragPos > highest)
        m_nDragPos = highest;
    else if (m_nDragPos < lowest)
        m_nDragPos = lowest;
    DrawTracker();
}

void CSimpleSplitter::OnLButtonUp(UINT nFlags, CPoint point)
{
    CWnd::OnLButtonUp(nFlags, point);
    if (m_nDraggedBar == 0 || ::GetCapture() != m_hWnd)
        return;
    DrawTracker();
    const size_t bar = static_cast<size_t>(m_nDraggedBar);
    m_nDraggedBar = 0;
    ::ReleaseCapture();
    m_positions[bar] = m_nDragPos;
    const int space = Space();
    if (space > 0) {
        m_sizes[bar - 1] = PixelsToShare(m_positions[bar] - m_positions[bar - 1] - m_nBarThickness, space);
        m_sizes[bar] = PixelsToShare(m_positions[bar + 1] - m_positions[bar] - m_nBarThickness, space);
    }
    ResizePanes();
    Invalidate();
    if (CWnd* parent = GetParent())
        parent->PostMessage(WM_SIZE, 0, 0);
}

// Draws nothing of its own: beginning the paint erases the area with the class's background (the diagnostics
// window's white panes) and validates it.
void CChildWnd::OnPaint()
{
    CPaintDC dc(this);
}

void CChildWnd::OnWindowPosChanging(WINDOWPOS* lpWndPos)
{
    lpWndPos->flags |= SWP_NOCOPYBITS;
    CWnd::OnWindowPosChanging(lpWndPos);
}

void CChildWnd::OnIgnoredCommand()
{
}

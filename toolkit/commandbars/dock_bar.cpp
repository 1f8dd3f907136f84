#include "toolkit/commandbars/dock_bar.h"

#include "framework/exceptions.h"
#include "framework/gdi.h"
#include "framework/ids.h"
#include "toolkit/commandbars/command_bar_manager.h"
#include "toolkit/commandbars/toolbar.h"
#include "toolkit/common/monitor_helper.h"
#include "toolkit/common/upper_services.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CKitDockBar, CWnd)

namespace {
constexpr char kDockBarClass[] = "KitDockBar";
// The size of a dimension that is not limited.
constexpr int kUnlimited = 32767;
// The toolkit's per-thread count of running drag loops.
thread_local int g_nDragLoops = 0;

int AlongStart(const CRect& rc, BOOL bHorizontal)
{
    return bHorizontal ? rc.left : rc.top;
}

// Swaps x and y of the rectangle.
CRect Transposed(const CRect& rc)
{
    return CRect(rc.top, rc.left, rc.bottom, rc.right);
}
} // namespace

BEGIN_MESSAGE_MAP(CKitDockBar, CWnd)
    ON_WM_PAINT()
    ON_WM_RBUTTONDOWN()
    ON_MESSAGE(WM_SIZEPARENT, &CKitDockBar::OnSizeParentMessage)
    ON_WM_ERASEBKGND()
    ON_MESSAGE(WM_PRINTCLIENT, &CKitDockBar::OnPrintClient)
END_MESSAGE_MAP()

CKitDockBar::CKitDockBar(CKitCommandBarManager* pCommandBars, DWORD dwStyle)
    : m_dwStyle(dwStyle), m_pCommandBars(pCommandBars)
{
    m_bars.push_back(nullptr);
}

CKitDockBar::~CKitDockBar()
{
    if (GetSafeHwnd() != nullptr)
        DestroyWindow();
}

BOOL CKitDockBar::CreateDockBar(CWnd* pParent, UINT nID)
{
    return CreateEx(0, KitRegisterBarClass(kDockBarClass, 0), "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN,
                    CRect(0, 0, 0, 0), pParent, nID);
}

int CKitDockBar::GetPositionFromStyle(DWORD dwStyle)
{
    if (dwStyle & 0x2800)
        return kitBarTop;
    if (dwStyle & 0x8200)
        return kitBarBottom;
    if (dwStyle & 0x1400)
        return kitBarLeft;
    return kitBarRight;
}

int CKitDockBar::GetBarCount() const
{
    return static_cast<int>(std::count_if(m_bars.begin(), m_bars.end(), [](CKitToolBar* p) { return p != nullptr; }));
}

int CKitDockBar::FindBar(const CKitToolBar* pBar, int nSkip) const
{
    for (int i = 0; i < GetDockedCount(); i++) {
        if (i != nSkip && m_bars[i] == pBar)
            return i;
    }
    return -1;
}

CKitToolBar* CKitDockBar::GetDockedCommandBar(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetDockedCount())
        AfxThrowInvalidArgException();
    return m_bars[nIndex];
}

void CKitDockBar::DockCommandBar(CKitToolBar* pBar, LPCRECT lpRect)
{
    if (pBar->GetDockBar() == this) {
        CRect rcWindow;
        pBar->GetWindowRect(&rcWindow);
        if (lpRect == nullptr || rcWindow == *lpRect)
            return;
    }
    if (pBar->GetParent() != this)
        pBar->CreateToolBarWindow(this, FALSE);
    int nNew;
    if (lpRect != nullptr) {
        CRect rc(lpRect);
        ScreenToClient(&rc);
        pBar->GetDockContext()->m_rcDocked = rc;
        nNew = InsertBar(pBar, rc, rc.CenterPoint());
    } else {
        m_bars.push_back(pBar);
        m_bars.push_back(nullptr);
        nNew = GetDockedCount() - 2;
        pBar->GetDockContext()->m_rcDocked.SetRectEmpty();
    }
    if (pBar->GetDockBar() != nullptr && pBar->GetDockBar() != this)
        pBar->GetDockBar()->RemoveCommandBar(pBar);
    else if (pBar->GetDockBar() == this)
        RemoveCommandBar(pBar, nNew);
    pBar->SetDockBar(this);
    pBar->CKitCommandBar::SetPosition(GetPosition());
    NormalizeStretchedRows();
    if (m_pCommandBars != nullptr)
        m_pCommandBars->RecalcFrameLayout(TRUE);
}

BOOL CKitDockBar::RemoveCommandBar(CKitToolBar* pBar, int nSkip)
{
    const int nIndex = FindBar(pBar, nSkip);
    if (nIndex < 0)
        return FALSE;
    m_bars.erase(m_bars.begin() + nIndex);
    // No empty row stays behind.
    if (nIndex > 0 && nIndex < GetDockedCount() && m_bars[nIndex - 1] == nullptr && m_bars[nIndex] == nullptr)
        m_bars.erase(m_bars.begin() + nIndex);
    pBar->SetDockBar(nullptr);
    if (m_pCommandBars != nullptr)
        m_pCommandBars->RecalcFrameLayout(TRUE);
    return TRUE;
}

int CKitDockBar::InsertBar(CKitToolBar* pBar, const CRect& /*rc*/, CPoint ptCentre)
{
    const BOOL bHorizontal = IsHorizontal();
    const int nCross = bHorizontal ? ptCentre.y : ptCentre.x;
    int nFarEdge = 0;
    int nPreviousFarEdge = 0;
    int nRowStart = 0;
    for (int i = 0; i < GetDockedCount(); i++) {
        CKitToolBar* pDocked = m_bars[i];
        if (pDocked != nullptr) {
            if (pDocked->IsVisible() && pDocked != pBar) {
                CRect rcBar;
                pDocked->GetWindowRect(&rcBar);
                ScreenToClient(&rcBar);
                nFarEdge = std::max(nFarEdge, static_cast<int>(bHorizontal ? rcBar.bottom : rcBar.right));
            }
            continue;
        }
        // The null at i ends the row that began after nRowStart.
        if (i > 0 && nCross < nFarEdge) {
            if (nRowStart != 0 && nCross != nPreviousFarEdge) {
                m_bars.insert(m_bars.begin() + nRowStart + 1, pBar);
                return nRowStart + 1;
            }
            if (nRowStart == 0 && nCross >= nPreviousFarEdge && nCross != nPreviousFarEdge) {
                m_bars.insert(m_bars.begin() + 1, pBar);
                return 1;
            }
            m_bars.insert(m_bars.begin() + nRowStart + 1, {pBar, nullptr});
            return nRowStart + 1;
        }
        if (i > 0)
            nPreviousFarEdge = nFarEdge;
        nRowStart = i;
    }
    m_bars.push_back(pBar);
    m_bars.push_back(nullptr);
    return GetDockedCount() - 2;
}

void CKitDockBar::NormalizeStretchedRows()
{
    for (int i = 0; i < GetDockedCount(); i++) {
        CKitToolBar* pBar = m_bars[i];
        if (pBar == nullptr || (pBar->GetFlags() & kitDockFullRow) == 0)
            continue;
        if (i > 0 && m_bars[i - 1] != nullptr) {
            m_bars.insert(m_bars.begin() + i, nullptr);
            i++;
        }
        if (i + 1 < GetDockedCount() && m_bars[i + 1] != nullptr)
            m_bars.insert(m_bars.begin() + i + 1, nullptr);
    }
}

DWORD CKitDockBar::GetBarLayoutMode(BOOL bHorizontal, const CKitToolBar* pBar) const
{
    DWORD dwMode = bHorizontal ? LM_HORZ | LM_HORZDOCK : LM_VERTDOCK;
    if (pBar->GetFlags() & kitDockFullRow)
        dwMode |= LM_STRETCH;
    if ((pBar->GetFlags() & kitDockSqueeze) != 0 &&
        !(m_pCommandBars != nullptr && m_pCommandBars->IsCustomizeMode() && !m_pCommandBars->IsCustomizeMoveMode()))
        dwMode |= kitLayoutSqueeze;
    return dwMode;
}

int CKitDockBar::LayoutRowLine(std::vector<CKitToolBar*>& bars, int x, int y, int nLength, BOOL bHorizontal,
                               KIT_DOCK_LAYOUT* pLayout, int* pOverflow)
{
    CDockInfoArray infos;
    for (int i = 0; i < static_cast<int>(bars.size()); i++) {
        CKitToolBar* pBar = bars[i];
        const CSize sz = pBar->CalcDockLayout(nLength, GetBarLayoutMode(bHorizontal, pBar));
        const CRect& rcDocked = pBar->GetDockContext()->m_rcDocked;
        DOCK_INFO info;
        info.pBar = pBar;
        info.rcBar = bHorizontal ? CRect(CPoint(rcDocked.left, y), sz) : CRect(CPoint(x, rcDocked.top), sz);
        info.rcRequested = info.rcBar;
        info.nIndex = i;
        infos.push_back(info);
    }
    if (!bHorizontal) {
        for (DOCK_INFO& info : infos)
            info.rcBar = Transposed(info.rcBar);
    }
    std::stable_sort(infos.begin(), infos.end(),
                     [](const DOCK_INFO& a, const DOCK_INFO& b) { return a.rcBar.left < b.rcBar.left; });

    // Bars that overlap move right, unless they stood earlier in the row.
    int nRight = 0;
    int nPreviousIndex = -1;
    BOOL bPreviousPushed = TRUE;
    for (DOCK_INFO& info : infos) {
        if (info.rcBar.left < nRight && (nPreviousIndex < info.nIndex || bPreviousPushed)) {
            info.rcBar.OffsetRect(nRight - info.rcBar.left, 0);
            info.bPushed = TRUE;
        } else {
            info.bPushed = FALSE;
        }
        nRight = info.rcBar.right;
        nPreviousIndex = info.nIndex;
        bPreviousPushed = info.bPushed;
    }
    // Bars past the end move back left.
    int nLimit = nLength;
    nPreviousIndex = -1;
    bPreviousPushed = TRUE;
    for (auto it = infos.rbegin(); it != infos.rend(); ++it) {
        if (it->rcBar.right - nLimit >= 1 && (nPreviousIndex < it->nIndex || bPreviousPushed))
            it->rcBar.OffsetRect(nLimit - it->rcBar.right, 0);
        nLimit = it->rcBar.left;
        nPreviousIndex = it->nIndex;
        bPreviousPushed = it->bPushed;
    }
    int nExtent = 0;
    for (DOCK_INFO& info : infos) {
        if (info.rcBar.left < nExtent)
            info.rcBar.OffsetRect(nExtent - info.rcBar.left, 0);
        nExtent = info.rcBar.right;
    }
    if (nExtent > nLength) {
        int nBefore = 0;
        for (DOCK_INFO& info : infos) {
            if (GetBarLayoutMode(bHorizontal, info.pBar) & kitLayoutSqueeze) {
                const CSize szMin = info.pBar->CalcDockLayout(1, GetBarLayoutMode(bHorizontal, info.pBar));
                info.nMinLength = bHorizontal ? szMin.cx : szMin.cy;
            } else {
                info.nMinLength = nLength;
            }
            info.nMinLengthBefore = nBefore;
            nBefore += info.nMinLength;
        }
        nLimit = nLength;
        for (auto it = infos.rbegin(); it != infos.rend(); ++it) {
            int nStart = AlongStart(it->rcRequested, bHorizontal);
            nStart = std::min(nStart, static_cast<int>(it->rcBar.left));
            nStart = std::max(nStart, nLimit - it->rcBar.Width());
            nStart = std::max(nStart, it->nMinLengthBefore);
            if (nLimit - nStart < it->nMinLength)
                nStart = nLimit - it->nMinLength;
            if ((nLimit - nStart < it->nMinLength || nStart < it->nMinLengthBefore) && infos.size() > 1) {
                *pOverflow = infos.back().nIndex;
                return -1;
            }
            it->rcBar.left = std::max(nStart, 0);
            it->rcBar.right = nLimit;
            nLimit = it->rcBar.left;
        }
    }
    if (!bHorizontal) {
        for (DOCK_INFO& info : infos)
            info.rcBar = Transposed(info.rcBar);
    }
    int nThickness = 0;
    for (DOCK_INFO& info : infos) {
        const int nBarLength = bHorizontal ? info.rcBar.Width() : info.rcBar.Height();
        const CSize sz = info.pBar->CalcDockLayout(nBarLength, GetBarLayoutMode(bHorizontal, info.pBar));
        nThickness = std::max(nThickness, static_cast<int>(bHorizontal ? sz.cy : sz.cx));
    }
    if (pLayout == nullptr || pLayout->hDWP == nullptr)
        return nThickness;

    std::sort(infos.begin(), infos.end(), [bHorizontal](const DOCK_INFO& a, const DOCK_INFO& b) {
        return AlongStart(a.rcBar, bHorizontal) < AlongStart(b.rcBar, bHorizontal);
    });
    for (size_t i = 0; i < infos.size(); i++) {
        DOCK_INFO& info = infos[i];
        DWORD dwMode = GetBarLayoutMode(bHorizontal, info.pBar) | LM_COMMIT;
        if (info.pBar->GetFlags() & kitDockStretch) {
            if (bHorizontal) {
                info.rcBar.right = i + 1 < infos.size() ? infos[i + 1].rcBar.left : nLength;
                info.rcBar.left = i > 0 ? std::min(info.rcBar.left, infos[i - 1].rcBar.right) : 0;
            } else {
                info.rcBar.bottom = i + 1 < infos.size() ? infos[i + 1].rcBar.top : nLength;
                info.rcBar.top = i > 0 ? std::min(info.rcBar.top, infos[i - 1].rcBar.bottom) : 0;
            }
            dwMode |= LM_STRETCH;
        }
        CSize sz = info.pBar->CalcDockLayout(bHorizontal ? info.rcBar.Width() : info.rcBar.Height(), dwMode);
        if (bHorizontal)
            sz.cy = nThickness;
        else
            sz.cx = nThickness;
        info.rcBar = CRect(info.rcBar.TopLeft(), sz);
        info.pBar->GetDockContext()->m_nDockedPosition = GetPosition();
        CRect rcCurrent;
        info.pBar->GetWindowRect(&rcCurrent);
        ScreenToClient(&rcCurrent);
        if (rcCurrent != info.rcBar) {
            pLayout->hDWP = ::DeferWindowPos(pLayout->hDWP, info.pBar->GetSafeHwnd(), nullptr, info.rcBar.left,
                                             info.rcBar.top, info.rcBar.Width(), info.rcBar.Height(),
                                             SWP_NOZORDER | SWP_NOACTIVATE);
            info.pBar->Redraw();
        }
    }
    return nThickness;
}

int CKitDockBar::LayoutRow(std::vector<CKitToolBar*> bars, int x, int y, int nLength, BOOL bHorizontal,
                           KIT_DOCK_LAYOUT* pLayout)
{
    int nTotal = 0;
    while (!bars.empty()) {
        std::vector<CKitToolBar*> overflow;
        int nThickness;
        for (;;) {
            int nOverflow = -1;
            nThickness = LayoutRowLine(bars, x, y, nLength, bHorizontal, pLayout, &nOverflow);
            if (nThickness != -1)
                break;
            overflow.insert(overflow.begin(), bars[nOverflow]);
            bars.erase(bars.begin() + nOverflow);
        }
        nTotal += nThickness;
        if (bHorizontal)
            y += nThickness;
        else
            x += nThickness;
        bars = overflow;
    }
    return nTotal;
}

CSize CKitDockBar::CalcLayout(int nLength, DWORD dwMode, KIT_DOCK_LAYOUT* pLayout)
{
    const BOOL bHorizontal = IsHorizontal();
    CSize size(0, 0);
    if ((dwMode & LM_STRETCH) && (dwMode & LM_HORZ))
        size = CSize(kUnlimited, 0);
    else if (dwMode & LM_STRETCH)
        size = CSize(0, kUnlimited);
    KIT_DOCK_LAYOUT layout;
    KIT_DOCK_LAYOUT* pRowLayout = nullptr;
    if (pLayout != nullptr && pLayout->hDWP != nullptr) {
        layout.hDWP = ::BeginDeferWindowPos(GetDockedCount());
        pRowLayout = &layout;
    }
    int x = 0;
    int y = 0;
    std::vector<CKitToolBar*> row;
    for (int i = 0; i < GetDockedCount(); i++) {
        CKitToolBar* pBar = m_bars[i];
        if (pBar != nullptr) {
            if (pBar->IsVisible())
                row.push_back(pBar);
            continue;
        }
        if (row.empty())
            continue;
        const int nThickness = LayoutRow(row, x, y, nLength, bHorizontal, pRowLayout);
        row.clear();
        if (nThickness == 0)
            continue;
        if (bHorizontal) {
            y += nThickness;
            size.cy = std::max(static_cast<int>(size.cy), y);
        } else {
            x += nThickness;
            size.cx = std::max(static_cast<int>(size.cx), x);
        }
    }
    if (pRowLayout != nullptr && layout.hDWP != nullptr)
        ::EndDeferWindowPos(layout.hDWP);
    return size;
}

void CKitDockBar::OnSizeParent(KIT_DOCK_LAYOUT* pLayout)
{
    if ((GetStyle() & WS_VISIBLE) == 0)
        return;
    const BOOL bHorizontal = IsHorizontal();
    DWORD dwMode = pLayout->bStretch ? LM_STRETCH : 0;
    dwMode |= bHorizontal ? LM_HORZ | LM_HORZDOCK : LM_VERTDOCK;
    CSize size = CalcLayout(bHorizontal ? pLayout->rect.Width() : pLayout->rect.Height(), dwMode, pLayout);
    size.cx = std::min(static_cast<int>(size.cx), pLayout->rect.Width());
    size.cy = std::min(static_cast<int>(size.cy), pLayout->rect.Height());
    // A vertical edge works as a horizontal one with x and y swapped.
    const CSize szAlong = bHorizontal ? size : CSize(size.cy, size.cx);
    CRect rcFree = bHorizontal ? pLayout->rect : Transposed(pLayout->rect);
    CSize szTotal = bHorizontal ? pLayout->sizeTotal : CSize(pLayout->sizeTotal.cy, pLayout->sizeTotal.cx);
    szTotal.cy += szAlong.cy;
    szTotal.cx = std::max(szTotal.cx, szAlong.cx);
    CRect rc = rcFree;
    if (m_dwStyle & (kitDockBarTop | kitDockBarLeft)) {
        rc.bottom = rc.top + szAlong.cy;
        rcFree.top += szAlong.cy;
    } else {
        rc.top = rc.bottom - szAlong.cy;
        rcFree.bottom -= szAlong.cy;
    }
    if (!bHorizontal) {
        rc = Transposed(rc);
        rcFree = Transposed(rcFree);
        szTotal = CSize(szTotal.cy, szTotal.cx);
    }
    pLayout->rect = rcFree;
    pLayout->sizeTotal = szTotal;
    if (pLayout->hDWP != nullptr) {
        pLayout->hDWP = ::DeferWindowPos(pLayout->hDWP, m_hWnd, nullptr, rc.left, rc.top, rc.Width(), rc.Height(),
                                         SWP_NOZORDER | SWP_NOACTIVATE);
        InvalidateRect(nullptr, FALSE);
    }
}

LRESULT CKitDockBar::OnSizeParentMessage(WPARAM /*wParam*/, LPARAM lParam)
{
    OnSizeParent(reinterpret_cast<KIT_DOCK_LAYOUT*>(lParam));
    return 0;
}

void CKitDockBar::OnRButtonDown(UINT /*nFlags*/, CPoint point)
{
    ClientToScreen(&point);
    if (m_pCommandBars != nullptr)
        m_pCommandBars->ContextMenu(point);
}

void CKitDockBar::OnPaint()
{
    CPaintDC dc(this);
    OnPrintClient(reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);
}

BOOL CKitDockBar::OnEraseBkgnd(CDC* /*pDC*/)
{
    return TRUE;
}

LRESULT CKitDockBar::OnPrintClient(WPARAM wParam, LPARAM /*lParam*/)
{
    CDC* pDC = CDC::FromHandle(reinterpret_cast<HDC>(wParam));
    // What the theme leaves unpainted shows the system's face.
    CRect rcClient;
    GetClientRect(&rcClient);
    pDC->FillSolidRect(rcClient, ::GetSysColor(COLOR_BTNFACE));
    CKitBarPainter* pPainter = m_pCommandBars != nullptr ? m_pCommandBars->GetPaintManager() : nullptr;
    if (pPainter != nullptr)
        pPainter->FillDockBar(pDC, this);
    return 1;
}

// CKitDockContext

CKitDockContext::CKitDockContext(CKitToolBar* pBar) : m_pBar(pBar)
{
}

CKitDockContext::~CKitDockContext() = default;

void CKitDockContext::AdjustRectToPoint(CRect& rc, CPoint pt)
{
    if (pt.x < rc.left)
        rc.OffsetRect(pt.x - rc.left, 0);
    else if (pt.x > rc.right)
        rc.OffsetRect(pt.x - rc.right, 0);
    if (pt.y < rc.top)
        rc.OffsetRect(0, pt.y - rc.top);
    else if (pt.y > rc.bottom)
        rc.OffsetRect(0, pt.y - rc.bottom);
}

void CKitDockContext::KeepOnScreen(CRect& rc, const CRect& rcWork)
{
    if (rcWork.bottom - rc.top < kKeepOnScreen)
        rc.OffsetRect(0, rcWork.bottom - kKeepOnScreen - rc.top);
    if (rc.bottom - rcWork.top < kKeepOnScreen)
        rc.OffsetRect(0, rcWork.top + kKeepOnScreen - rc.bottom);
    if (rcWork.right - rc.left < kKeepOnScreen)
        rc.OffsetRect(rcWork.right - kKeepOnScreen - rc.left, 0);
    if (rc.right - rcWork.left < kKeepOnScreen)
        rc.OffsetRect(rcWork.left + kKeepOnScreen - rc.right, 0);
}

void CKitDockContext::StartDrag(CPoint pt)
{
    const int nSavedPosition = m_nDockedPosition;
    const CRect rcSavedDocked = m_rcDocked;
    const BOOL bWasDocked = !m_pBar->IsFloating();
    m_nHitTest = 1;
    m_ptLast = pt;
    CRect rc;
    m_pBar->GetWindowRect(&rc);
    AdjustRectToPoint(rc, pt);
    m_rcDragStart = rc;
    m_rcTrack = rc;
    ::SetCursor(::LoadCursor(nullptr, IDC_SIZEALL));
    g_nDragLoops++;
    Track();
    g_nDragLoops--;
    if (m_pBar->IsFloating()) {
        m_ptFloat = m_rcTrack.TopLeft();
        if (bWasDocked) {
            m_nDockedPosition = nSavedPosition;
            m_rcDocked = rcSavedDocked;
        }
    }
}

void CKitDockContext::StartResize(int nHitTest, CPoint pt)
{
    m_nHitTest = nHitTest;
    m_ptLast = pt;
    m_pBar->GetWindowRect(&m_rcTrack);
    Track();
    CRect rc;
    m_pBar->GetWindowRect(&rc);
    if (m_pBar->IsFloating())
        m_ptFloat = rc.TopLeft();
    m_pBar->SetMRUWidth(rc.Width());
}

BOOL CKitDockContext::Track()
{
    if (::GetCapture() != nullptr)
        return FALSE;
    m_pBar->SetCapture();
    CKitCommandBarManager* pCommandBars = m_pBar->GetCommandBars();
    while (::GetCapture() == m_pBar->GetSafeHwnd()) {
        MSG msg;
        if (!::GetMessageA(&msg, nullptr, 0, 0)) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (msg.message == WM_LBUTTONUP)
            break;
        if (msg.message == WM_KEYDOWN) {
            if (msg.wParam == VK_ESCAPE)
                break;
            continue;
        }
        if (msg.message == WM_MOUSEMOVE) {
            CPoint pt;
            ::GetCursorPos(&pt);
            if (pt != m_ptLast) {
                if (m_nHitTest == 1)
                    Move(pt);
                else if (m_pBar->IsFreeResizable())
                    ResizeFree(pt);
                else
                    ResizeLength(pt);
            } else {
                ::DispatchMessageA(&msg);
            }
        } else {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
        if (pCommandBars != nullptr)
            pCommandBars->IdleRecalcLayout();
    }
    if (::GetCapture() == m_pBar->GetSafeHwnd())
        ::ReleaseCapture();
    if (pCommandBars != nullptr)
        pCommandBars->SetLayoutChanged();
    return TRUE;
}

void CKitDockContext::Move(CPoint pt)
{
    const CPoint ptDelta(pt.x - m_ptLast.x, pt.y - m_ptLast.y);
    m_rcTrack.OffsetRect(ptDelta);
    m_rcDragStart.OffsetRect(ptDelta);
    m_ptLast = pt;
    CKitCommandBarManager* pCommandBars = m_pBar->GetCommandBars();
    if (pCommandBars == nullptr)
        return;
    static const DWORD kEdgeFlags[] = {kitDockTop, kitDockBottom, kitDockLeft, kitDockRight};
    CKitDockBar* pTarget = pCommandBars->CanDock(pt, m_pBar->GetDockBar());
    if (pTarget != nullptr && (m_pBar->GetFlags() & kEdgeFlags[pTarget->GetPosition()]) != 0) {
        const BOOL bWasFloating = m_pBar->IsFloating();
        const CKitDockBar* pOld = m_pBar->GetDockBar();
        pCommandBars->DockCommandBar(m_pBar, &m_rcDragStart, pTarget);
        if (pTarget == pOld && !bWasFloating)
            return;
        pCommandBars->RecalcFrameLayout();
        m_pBar->GetWindowRect(&m_rcDragStart);
        return;
    }
    if ((m_pBar->GetFlags() & kitDockFloat) == 0)
        return;
    if (!m_pBar->IsFloating()) {
        pCommandBars->FloatCommandBar(m_pBar);
        const CSize sz = m_pBar->CalcDynamicLayout(0, LM_HORZ | LM_MRUWIDTH | LM_COMMIT);
        m_rcTrack = CRect(m_rcTrack.TopLeft(), sz);
        AdjustRectToPoint(m_rcTrack, pt);
    }
    KeepOnScreen(m_rcTrack, CKitMonitorHelper::Instance()->GetWorkAreaFromPoint(pt));
    m_pBar->SetWindowPos(nullptr, m_rcTrack.left, m_rcTrack.top, m_rcTrack.Width(), m_rcTrack.Height(),
                         SWP_NOZORDER | SWP_NOACTIVATE);
}

void CKitDockContext::ResizeLength(CPoint pt)
{
    const CPoint ptDelta(pt.x - m_ptLast.x, pt.y - m_ptLast.y);
    m_ptLast = pt;
    switch (m_nHitTest) {
    case HTLEFT:
        m_rcTrack.left += ptDelta.x;
        break;
    case HTRIGHT:
        m_rcTrack.right += ptDelta.x;
        break;
    case HTTOP:
        m_rcTrack.top += ptDelta.y;
        break;
    default:
        m_rcTrack.bottom += ptDelta.y;
        break;
    }
    const BOOL bWidth = m_nHitTest == HTLEFT || m_nHitTest == HTRIGHT;
    const int nLength = std::max(0, static_cast<int>(bWidth ? m_rcTrack.Width() : m_rcTrack.Height()));
    const CSize sz = m_pBar->CalcDynamicLayout(
        nLength, bWidth ? LM_HORZ | LM_COMMIT : LM_HORZ | LM_LENGTHY | LM_COMMIT);
    CRect rcWindow;
    m_pBar->GetWindowRect(&rcWindow);
    if (sz == rcWindow.Size())
        return;
    CRect rc(rcWindow.TopLeft(), sz);
    if (m_nHitTest == HTLEFT)
        rc.OffsetRect(rcWindow.right - rc.right, 0);
    if (m_nHitTest == HTTOP)
        rc.OffsetRect(0, rcWindow.bottom - rc.bottom);
    const CRect rcWork = CKitMonitorHelper::Instance()->GetWorkAreaFromWnd(m_pBar);
    if (rc.right <= rcWork.left)
        rc.OffsetRect(rcWork.left - rc.left, 0);
    if (rc.left >= rcWork.right)
        rc.OffsetRect(rcWork.right - rc.right, 0);
    if (rc.bottom <= rcWork.top)
        rc.OffsetRect(0, rcWork.top - rc.top);
    if (rc.top >= rcWork.bottom)
        rc.OffsetRect(0, rcWork.bottom - rc.bottom);
    m_pBar->SetWindowPos(nullptr, rc.left, rc.top, rc.Width(), rc.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    m_pBar->Redraw();
}

void CKitDockContext::ResizeFree(CPoint pt)
{
    const CPoint ptDelta(pt.x - m_ptLast.x, pt.y - m_ptLast.y);
    m_ptLast = pt;
    if (m_nHitTest == HTLEFT || m_nHitTest == HTTOPLEFT || m_nHitTest == HTBOTTOMLEFT)
        m_rcTrack.left += ptDelta.x;
    if (m_nHitTest == HTRIGHT || m_nHitTest == HTTOPRIGHT || m_nHitTest == HTBOTTOMRIGHT)
        m_rcTrack.right += ptDelta.x;
    if (m_nHitTest == HTTOP || m_nHitTest == HTTOPLEFT || m_nHitTest == HTTOPRIGHT)
        m_rcTrack.top += ptDelta.y;
    if (m_nHitTest == HTBOTTOM || m_nHitTest == HTBOTTOMLEFT || m_nHitTest == HTBOTTOMRIGHT)
        m_rcTrack.bottom += ptDelta.y;
    CRect rcWindow;
    m_pBar->GetWindowRect(&rcWindow);
    if (m_rcTrack.Size() == rcWindow.Size())
        return;
    CRect rcMeet;
    if (!rcMeet.IntersectRect(m_rcTrack, CKitMonitorHelper::Instance()->GetWorkAreaFromWnd(m_pBar)))
        return;
    m_pBar->ApplyFreeResize(m_rcTrack, m_nHitTest);
    m_pBar->Redraw();
}

int CKitDockContext::ToggleDocking()
{
    CKitCommandBarManager* pCommandBars = m_pBar->GetCommandBars();
    if (pCommandBars == nullptr)
        return 0;
    if (!m_pBar->IsFloating()) {
        if ((m_pBar->GetFlags() & kitDockFloat) == 0 || !pCommandBars->GetCommandBarsOptions()->bDblClickFloat)
            return 0;
        CPoint ptFloat = m_ptFloat;
        if (ptFloat.x <= 0 || ptFloat.y <= 0) {
            ptFloat = m_rcDocked.TopLeft();
            if (CWnd* pParent = m_pBar->GetParent())
                pParent->ClientToScreen(&ptFloat);
        }
        const int nSavedPosition = m_nDockedPosition;
        const CRect rcSavedDocked = m_rcDocked;
        if (!pCommandBars->FloatCommandBar(m_pBar))
            return 0;
        m_nDockedPosition = nSavedPosition;
        m_rcDocked = rcSavedDocked;
        const CSize sz = m_pBar->CalcDynamicLayout(0, LM_HORZ | LM_MRUWIDTH | LM_COMMIT);
        m_pBar->SetWindowPos(nullptr, ptFloat.x, ptFloat.y, sz.cx, sz.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    } else {
        if ((m_pBar->GetFlags() & (kitDockTop | kitDockBottom | kitDockLeft | kitDockRight)) == 0)
            return 0;
        CKitDockBar* pDockBar = m_nDockedPosition <= kitBarRight ? pCommandBars->GetDockBar(m_nDockedPosition) : nullptr;
        if (pDockBar == nullptr)
            return 0;
        CRect rc = m_rcDocked;
        pDockBar->ClientToScreen(&rc);
        pCommandBars->DockCommandBar(m_pBar, rc.IsRectEmpty() ? nullptr : &rc, pDockBar);
        pCommandBars->RecalcFrameLayout();
    }
    pCommandBars->SetLayoutChanged();
    return 1;
}

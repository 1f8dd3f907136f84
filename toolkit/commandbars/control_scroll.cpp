// Progress controls and the scroll-bar behaviour: layout, hit test and the tracking loop.
#include "toolkit/commandbars/control_scroll.h"

#include "toolkit/commandbars/command_bar.h"
#include "toolkit/commandbars/mouse_manager.h"
#include "toolkit/common/prop_exchange.h"
#include "toolkit/markup/markup_scroll_viewer.h"

#include "framework/wnd.h"

#include <algorithm>

namespace {

CKitScrollPainters* g_pScrollPainters = nullptr;

// a x b / c truncated, without overflow.
int MulDivTruncate(int a, int b, int c)
{
    return static_cast<int>(static_cast<long long>(a) * b / c);
}

} // namespace

CKitScrollPainters* CKitScrollPainters::Get()
{
    return g_pScrollPainters;
}

void CKitScrollPainters::Register(CKitScrollPainters* pPainters)
{
    g_pScrollPainters = pPainters;
}

// ---- progress ----

void CKitProgressBase::GetRange(int& nLower, int& nUpper) const
{
    nLower = m_nMin;
    nUpper = m_nMax;
}

void CKitProgressBase::SetRange(int nLower, int nUpper)
{
    if (nLower == m_nMin && nUpper == m_nMax)
        return;
    m_nMin = nLower;
    m_nMax = nUpper;
    RedrawProgress();
}

void CKitProgressBase::SetPos(int nPos)
{
    nPos = std::max(m_nMin, std::min(nPos, m_nMax));
    if (nPos == m_nPos)
        return;
    m_nPos = nPos;
    RedrawProgress();
}

IMPLEMENT_DYNCREATE(CKitControlProgress, CKitControl)

CKitControlProgress::CKitControlProgress() : CKitControl(kitControlCustom)
{
    m_nWidth = kDefaultWidth;
}

CKitProgressPainter* CKitControlProgress::GetProgressPaintManager() const
{
    CKitScrollPainters* pPainters = CKitScrollPainters::Get();
    CKitBarPainter* pPaintManager = GetPaintManager();
    return pPainters != nullptr && pPaintManager != nullptr ? pPainters->GetProgressPainter(pPaintManager) : nullptr;
}

CSize CKitControlProgress::GetSize(CDC* /*pDC*/)
{
    int nHeight = m_nHeight;
    if (nHeight < 1) {
        CKitProgressPainter* pPainter = GetProgressPaintManager();
        nHeight = pPainter != nullptr ? pPainter->GetProgressHeight() : 16;
    }
    return CSize(m_nWidth, nHeight);
}

void CKitControlProgress::Draw(CDC* pDC)
{
    if (CKitProgressPainter* pPainter = GetProgressPaintManager())
        pPainter->DrawProgress(pDC, this);
}

void CKitControlProgress::Copy(const CKitControl* pSource, BOOL bRecursive)
{
    CKitControl::Copy(pSource, bRecursive);
    if (const auto* pProgress = dynamic_cast<const CKitControlProgress*>(pSource)) {
        m_nMin = pProgress->m_nMin;
        m_nMax = pProgress->m_nMax;
        m_nPos = pProgress->m_nPos;
    }
}

void CKitControlProgress::DoPropExchange(CKitPropExchange* pPX)
{
    CKitControl::DoPropExchange(pPX);
    CKitPropExchange::PropExchangeIntWithDefault(pPX, "Min", m_nMin, 0);
    CKitPropExchange::PropExchangeIntWithDefault(pPX, "Max", m_nMax, 100);
    CKitPropExchange::PropExchangeIntWithDefault(pPX, "Pos", m_nPos, 0);
}

void CKitControlProgress::OnClick(BOOL bKeyboard, CPoint pt)
{
    if (!bKeyboard && GetParent() != nullptr && GetParent()->IsCustomizeMode() && IsCustomizeMovable())
        OnCustomizeDragStart(pt);
}

void CKitControlProgress::RedrawProgress()
{
    RedrawParent(FALSE);
}

// ---- scroll base ----

void CKitScrollBase::CalcScrollBarInfo(const CRect& rc, KIT_SCROLLBARPOSINFO* pSBInfo, const SCROLLINFO* pSi)
{
    KIT_SCROLLBARPOSINFO& spi = *pSBInfo;
    spi.rc = rc;
    spi.bVertical = m_bVertical;
    if (m_bVertical) {
        spi.pxTop = rc.top;
        spi.pxBottom = rc.bottom;
        spi.pxLeft = rc.left;
        spi.pxRight = rc.right;
    } else {
        spi.pxTop = rc.left;
        spi.pxBottom = rc.right;
        spi.pxLeft = rc.top;
        spi.pxRight = rc.bottom;
    }
    CKitScrollBarPainter* pPainter = GetScrollBarPaintManager();
    int nArrow = pPainter != nullptr ? pPainter->GetArrowSize(m_bVertical)
                                     : ::GetSystemMetrics(m_bVertical ? SM_CYVSCROLL : SM_CXHSCROLL);
    spi.nMin = pSi->nMin;
    spi.nMax = pSi->nMax;
    spi.nPage = static_cast<int>(pSi->nPage);
    spi.nPos = std::max(spi.nMin, std::min(pSi->nPos, spi.nMax));

    int nLength = spi.pxBottom - spi.pxTop;
    if (nArrow > nLength / 2)
        nArrow = nLength / 2;
    spi.pxUpArrow = spi.pxTop + nArrow;
    spi.pxDownArrow = spi.pxBottom - nArrow;

    int nRange = spi.nMax - spi.nMin + 1;
    int nSpace = spi.pxDownArrow - spi.pxUpArrow;
    int nThumb = 0;
    if (spi.nPage != 0 && nRange > 0)
        nThumb = std::max(MulDivTruncate(nSpace, spi.nPage, nRange), nArrow / 2);
    if (pPainter != nullptr && pPainter->GetFixedThumbLength() != 0)
        nThumb = pPainter->GetFixedThumbLength();
    spi.pxThumbLength = nThumb;
    spi.pxTrackStart = spi.pxUpArrow;
    spi.pxTrackLength = nSpace - nThumb;
    int nDivisor = nRange - std::max(spi.nPage, 1);
    spi.pxThumbTop = nDivisor != 0 ? spi.pxTrackStart + MulDivTruncate(spi.nPos - spi.nMin, spi.pxTrackLength, nDivisor)
                                   : spi.pxTrackStart - 1;
    spi.pxThumbBottom = spi.pxThumbTop + nThumb;
}

int CKitScrollBase::HitTestScrollBar(CPoint pt) const
{
    if (!m_spi.rc.PtInRect(pt))
        return kitScrollHitNone;
    int px = m_spi.bVertical ? pt.y : pt.x;
    if (px < m_spi.pxUpArrow)
        return kitScrollHitUpArrow;
    if (m_spi.pxExtraButton != 0 && px >= m_spi.pxExtraButton)
        return kitScrollHitExtra;
    if (px >= m_spi.pxDownArrow)
        return kitScrollHitDownArrow;
    if (px < m_spi.pxThumbTop)
        return kitScrollHitPageUp;
    if (px < m_spi.pxThumbBottom)
        return kitScrollHitThumb;
    return kitScrollHitPageDown;
}

void CKitScrollBase::UpdateScrollBar()
{
    SCROLLINFO si = {sizeof(si), SIF_ALL};
    GetScrollInfo(&si);
    CalcScrollBarInfo(GetScrollBarRect(), &m_spi, &si);
    RedrawScrollBar();
}

int CKitScrollBase::GetScrollBarVisualStyle() const
{
    if (m_nScrollBarStyle != kitScrollStyleDefault)
        return m_nScrollBarStyle;
    CKitScrollBarPainter* pPainter = GetScrollBarPaintManager();
    int nKind = pPainter != nullptr ? pPainter->GetThemeKind() : 0;
    if (nKind == 0)
        return kitScrollStyleFlat;
    if (nKind == 5 || nKind == 6)
        return kitScrollStyleOffice;
    return kitScrollStyleSystem;
}

CRect CKitScrollBase::CalcScrollTrackDragRect(const KIT_SCROLLBARPOSINFO& spi)
{
    return CRect(CKitMarkupScrollBar::CalcScrollTrackDragRect(spi.rc, spi.pxRight - spi.pxLeft, spi.bVertical));
}

int CKitScrollBase::PositionFromPoint(int nCoordinate) const
{
    int nPageAdjust = m_spi.nPage != 0 ? m_spi.nPage - 1 : 0;
    if (nCoordinate < m_spi.pxTrackStart)
        return m_spi.nMin;
    if (nCoordinate >= m_spi.pxTrackStart + m_spi.pxTrackLength)
        return m_spi.nMax - nPageAdjust;
    if (m_spi.pxTrackLength == 0)
        return m_spi.nMin - 1;
    return m_spi.nMin + MulDivTruncate(nCoordinate - m_spi.pxTrackStart, m_spi.nMax - m_spi.nMin - nPageAdjust,
                                       m_spi.pxTrackLength);
}

void CKitScrollBase::PerformTrackInit(HWND hWnd, CPoint point, BOOL bShift)
{
    if (m_pSBTrack != nullptr || !::IsWindow(hWnd) || !IsScrollBarEnabled())
        return;
    KIT_SCROLLBARTRACKINFO track;
    track.hWnd = hWnd;
    track.pPosInfo = &m_spi;
    track.nPos = track.nNewPos = m_spi.nPos;
    track.nLastPoint = Coordinate(point);

    auto partRect = [this](int nFrom, int nTo) {
        return m_spi.bVertical ? CRect(m_spi.pxLeft, nFrom, m_spi.pxRight, nTo)
                               : CRect(nFrom, m_spi.pxLeft, nTo, m_spi.pxRight);
    };
    int px = Coordinate(point);
    int nHit;
    if (px < m_spi.pxUpArrow) {
        nHit = kitScrollHitUpArrow;
        track.nCommand = kitScrollLineUp;
        track.rcPart = partRect(m_spi.pxTop, m_spi.pxUpArrow);
    } else if (px >= m_spi.pxDownArrow) {
        nHit = kitScrollHitDownArrow;
        track.nCommand = kitScrollLineDown;
        track.rcPart = partRect(m_spi.pxDownArrow, m_spi.pxBottom);
    } else if (px < m_spi.pxThumbTop) {
        nHit = kitScrollHitPageUp;
        track.nCommand = kitScrollPageUp;
        track.rcPart = partRect(m_spi.pxUpArrow, m_spi.pxThumbTop);
    } else if (px < m_spi.pxThumbBottom) {
        nHit = kitScrollHitThumb;
    } else {
        nHit = kitScrollHitPageDown;
        track.nCommand = kitScrollPageDown;
        track.rcPart = partRect(m_spi.pxThumbBottom, m_spi.pxDownArrow);
    }
    BOOL bDrag = nHit == kitScrollHitThumb ||
                 (bShift && (nHit == kitScrollHitPageUp || nHit == kitScrollHitPageDown));
    if (bDrag && m_spi.pxTrackLength <= 0)
        return;

    m_spi.nHitPart = nHit;
    m_pSBTrack = &track;
    CKitMouseManager* pMouse = CKitMouseManager::GetThreadManager();
    pMouse->SetModal(TRUE);
    ::SetCapture(hWnd);
    if (bDrag) {
        track.bDragging = TRUE;
        track.nCommand = kitScrollThumbTrack;
        track.rcPart = CalcScrollTrackDragRect(m_spi);
        track.nThumbOffset = bShift && nHit != kitScrollHitThumb ? -m_spi.pxThumbLength / 2 : m_spi.pxThumbTop - px;
        m_spi.pxDragStart = m_spi.pxThumbTop;
        m_spi.nHitPart = kitScrollHitThumb;
        DoScroll(kitScrollThumbTrack, m_spi.nPos);
        TrackThumb(WM_LBUTTONDOWN, point);
    } else {
        TrackBox(WM_LBUTTONDOWN, point);
    }

    while (::GetCapture() == hWnd) {
        MSG msg;
        BOOL bGot = ::GetMessage(&msg, nullptr, 0, 0);
        if (!bGot) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (!::IsWindow(hWnd))
            break;
        if (msg.message == WM_TIMER && msg.hwnd == hWnd && msg.wParam == kTimerRepeat) {
            OnRepeatTimer();
            continue;
        }
        if (msg.message == WM_TIMER && msg.hwnd == hWnd && msg.wParam == kTimerAnimation) {
            OnAnimationStep();
            continue;
        }
        if (msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST) {
            CPoint pt(static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam)));
            if (msg.hwnd != hWnd)
                ::MapWindowPoints(msg.hwnd, hWnd, &pt, 1);
            if (msg.message == WM_LBUTTONUP)
                break;
            ContinueTracking(msg.message, pt);
            continue;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessage(&msg);
    }
    EndTracking();

    // The user's animation goes on after the button is up.
    while (m_bAnimating && ::IsWindow(hWnd)) {
        MSG msg;
        if (!::GetMessage(&msg, nullptr, 0, 0)) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (msg.message == WM_TIMER && msg.hwnd == hWnd && msg.wParam == kTimerAnimation) {
            OnAnimationStep();
            continue;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessage(&msg);
    }
    pMouse->SetModal(FALSE);
}

void CKitScrollBase::ContinueTracking(UINT message, CPoint pt)
{
    if (m_pSBTrack->bDragging)
        TrackThumb(message, pt);
    else
        TrackBox(message, pt);
}

void CKitScrollBase::TrackBox(UINT /*message*/, CPoint pt)
{
    KIT_SCROLLBARTRACKINFO& track = *m_pSBTrack;
    track.nLastPoint = Coordinate(pt);
    m_ptLast = pt;
    // Page parts end at the thumb, which moves while they repeat.
    if (track.nCommand == kitScrollPageUp)
        track.rcPart = m_spi.bVertical ? CRect(m_spi.pxLeft, m_spi.pxUpArrow, m_spi.pxRight, m_spi.pxThumbTop)
                                       : CRect(m_spi.pxUpArrow, m_spi.pxLeft, m_spi.pxThumbTop, m_spi.pxRight);
    else if (track.nCommand == kitScrollPageDown)
        track.rcPart = m_spi.bVertical ? CRect(m_spi.pxLeft, m_spi.pxThumbBottom, m_spi.pxRight, m_spi.pxDownArrow)
                                       : CRect(m_spi.pxThumbBottom, m_spi.pxLeft, m_spi.pxDownArrow, m_spi.pxRight);
    BOOL bInside = track.rcPart.PtInRect(pt);
    if (bInside == track.bInside)
        return;
    track.bInside = bInside;
    if (bInside) {
        DoScroll(track.nCommand, m_spi.nPos);
        m_nRepeatDelay = static_cast<int>(::GetDoubleClickTime()) * 4 / 5;
        track.nTimerId = ::SetTimer(track.hWnd, kTimerRepeat, static_cast<UINT>(m_nRepeatDelay), nullptr);
    } else {
        ::KillTimer(track.hWnd, kTimerRepeat);
        track.nTimerId = 0;
    }
    RedrawScrollBar();
}

void CKitScrollBase::OnRepeatTimer()
{
    KIT_SCROLLBARTRACKINFO& track = *m_pSBTrack;
    if (track.bDragging)
        return;
    // A page part may have shrunk under the pointer.
    TrackBox(WM_MOUSEMOVE, m_ptLast);
    if (!track.bInside)
        return;
    DoScroll(track.nCommand, m_spi.nPos);
    m_nRepeatDelay = static_cast<int>(::GetDoubleClickTime()) / 10;
    track.nTimerId = ::SetTimer(track.hWnd, kTimerRepeat, static_cast<UINT>(m_nRepeatDelay), nullptr);
}

void CKitScrollBase::TrackThumb(UINT /*message*/, CPoint pt)
{
    KIT_SCROLLBARTRACKINFO& track = *m_pSBTrack;
    track.nLastPoint = Coordinate(pt);
    m_ptLast = pt;
    CKitScrollBarPainter* pPainter = GetScrollBarPaintManager();
    BOOL bFixedThumb = pPainter != nullptr && pPainter->GetFixedThumbLength() != 0;
    int nPos;
    if (!bFixedThumb && !track.rcPart.PtInRect(pt))
        nPos = track.nPos;
    else
        nPos = PositionFromPoint(Coordinate(pt) + track.nThumbOffset);
    if (nPos == track.nNewPos)
        return;
    track.nNewPos = nPos;
    DoScroll(kitScrollThumbTrack, nPos);
}

void CKitScrollBase::EndTracking()
{
    KIT_SCROLLBARTRACKINFO& track = *m_pSBTrack;
    if (::GetCapture() == track.hWnd)
        ::ReleaseCapture();
    if (track.bDragging) {
        DoScroll(kitScrollThumbPosition, track.nNewPos);
        DoScroll(kitScrollEnd, track.nNewPos);
    } else {
        ::KillTimer(track.hWnd, kTimerRepeat);
        DoScroll(kitScrollEnd, m_spi.nPos);
    }
    m_pSBTrack = nullptr;
    CPoint pt;
    ::GetCursorPos(&pt);
    if (::IsWindow(track.hWnd))
        ::ScreenToClient(track.hWnd, &pt);
    m_spi.nHitPart = HitTestScrollBar(pt);
    RedrawScrollBar();
}

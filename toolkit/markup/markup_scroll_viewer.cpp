#include "toolkit/markup/markup_scroll_viewer.h"

#include "toolkit/common/theme_wrapper.h"
#include "toolkit/markup/markup_context.h"
#include "toolkit/markup/markup_converters.h"
#include "toolkit/markup/markup_drawing_context.h"
#include "toolkit/markup/markup_limits.h"
#include "toolkit/markup/markup_values.h"

#include <vssym32.h>

#include <algorithm>
#include <memory>
#include <utility>

namespace {

CKitMarkupDependencyProperty* RegisterVisibility(LPCWSTR lpszName)
{
    return CKitMarkupDependencyProperty::Register(
        lpszName, MARKUP_TYPE(CKitMarkupEnum), MARKUP_TYPE(CKitMarkupScrollViewer),
        new CKitMarkupPropertyMetadata(nullptr, MarkupConvertScrollBarVisibility, MarkupPropertyAffectsMeasure));
}

// The largest offset a bar allows: maximum less the page (less one), never below 0.
int MaxOffset(const SCROLLINFO& info)
{
    return std::max(0, info.nMax - std::max(static_cast<int>(info.nPage) - 1, 0));
}

void DefaultTimer(HWND hWnd, UINT_PTR nTimer, UINT nDelay)
{
    ::SetTimer(hWnd, nTimer, nDelay, nullptr);
}

CKitMarkupScrollBar::TIMER_HOOK g_pfnTimerHook = &DefaultTimer;

} // namespace

// CKitMarkupScrollViewer

CKitMarkupDependencyProperty* CKitMarkupScrollViewer::m_pVerticalScrollBarVisibilityProperty = nullptr;
CKitMarkupDependencyProperty* CKitMarkupScrollViewer::m_pHorizontalScrollBarVisibilityProperty = nullptr;

void CKitMarkupScrollViewer::RegisterProperties()
{
    m_pVerticalScrollBarVisibilityProperty = RegisterVisibility(L"VerticalScrollBarVisibility");
    m_pHorizontalScrollBarVisibilityProperty = RegisterVisibility(L"HorizontalScrollBarVisibility");
}

CKitMarkupScrollViewer::CKitMarkupScrollViewer()
    : m_pVerticalBar(nullptr),
      m_pHorizontalBar(nullptr),
      m_pGripper(nullptr),
      m_nHorizontalOffset(0),
      m_nVerticalOffset(0)
{
    SetValue(m_pClipToBoundsProperty, CKitMarkupBool::CreateTrueValue());
}

CKitMarkupScrollViewer::~CKitMarkupScrollViewer()
{
    MarkupReplaceChild<CKitMarkupScrollBar>(this, m_pVerticalBar, nullptr);
    MarkupReplaceChild<CKitMarkupScrollBar>(this, m_pHorizontalBar, nullptr);
    MarkupReplaceChild<CKitMarkupScrollBarGripper>(this, m_pGripper, nullptr);
}

int CKitMarkupScrollViewer::GetVisualChildrenCount() const
{
    return CKitMarkupContentControl::GetVisualChildrenCount() + (m_pVerticalBar != nullptr ? 1 : 0) +
           (m_pHorizontalBar != nullptr ? 1 : 0) + (m_pGripper != nullptr ? 1 : 0);
}

CKitMarkupVisual* CKitMarkupScrollViewer::GetVisualChild(int nIndex) const
{
    CKitMarkupVisual* children[4] = {GetContent(), m_pVerticalBar, m_pHorizontalBar, m_pGripper};
    for (CKitMarkupVisual* pChild : children) {
        if (pChild == nullptr)
            continue;
        if (nIndex-- == 0)
            return pChild;
    }
    return nullptr;
}

int CKitMarkupScrollViewer::GetBarVisibility(BOOL bVertical) const
{
    return bVertical ? MarkupIntValue(this, m_pVerticalScrollBarVisibilityProperty, scrollBarVisible)
                     : MarkupIntValue(this, m_pHorizontalScrollBarVisibilityProperty, scrollBarDisabled);
}

void CKitMarkupScrollViewer::UpdateBar(CKitMarkupDrawingContext* pDC, BOOL bVertical, BOOL bVisible,
                                       int nAvailableWidth, int nAvailableHeight)
{
    CKitMarkupScrollBar*& pBar = bVertical ? m_pVerticalBar : m_pHorizontalBar;
    if (!bVisible) {
        MarkupReplaceChild<CKitMarkupScrollBar>(this, pBar, nullptr);
        (bVertical ? m_nVerticalOffset : m_nHorizontalOffset) = 0;
        return;
    }
    if (pBar == nullptr) {
        CKitMarkupScrollBar* pNew = MarkupDynamicCast<CKitMarkupScrollBar>(
            MarkupCreateObject(GetMarkupContext(), MARKUP_TYPE(CKitMarkupScrollBar)));
        if (pNew == nullptr)
            return;
        pNew->SetOrientation(bVertical ? 1 : 0);
        MarkupReplaceChild(this, pBar, pNew);
    }
    pBar->Measure(pDC, nAvailableWidth, nAvailableHeight);
}

SIZE CKitMarkupScrollViewer::MeasureOverride(CKitMarkupDrawingContext* pDC, int nAvailableWidth, int nAvailableHeight)
{
    CKitMarkupUIElement* pContent = GetContent();
    if (pContent == nullptr)
        return {0, 0};
    const int vertical = GetBarVisibility(TRUE);
    const int horizontal = GetBarVisibility(FALSE);
    int widthLimit = horizontal == scrollBarDisabled ? nAvailableWidth : kMarkupUnbounded;
    int heightLimit = vertical == scrollBarDisabled ? nAvailableHeight : kMarkupUnbounded;

    BOOL verticalVisible = vertical == scrollBarVisible;
    if (vertical == scrollBarAuto) {
        pContent->Measure(pDC, widthLimit, kMarkupUnbounded);
        verticalVisible = pContent->GetDesiredSize().cy > nAvailableHeight;
    }
    UpdateBar(pDC, TRUE, verticalVisible, nAvailableWidth, nAvailableHeight);
    const int barWidth = m_pVerticalBar != nullptr ? m_pVerticalBar->GetDesiredSize().cx : 0;
    if (widthLimit != kMarkupUnbounded)
        widthLimit = std::max(widthLimit - barWidth, 0);

    BOOL horizontalVisible = horizontal == scrollBarVisible;
    if (horizontal == scrollBarAuto) {
        pContent->Measure(pDC, widthLimit, heightLimit);
        horizontalVisible = pContent->GetDesiredSize().cx > nAvailableWidth - barWidth;
    }
    UpdateBar(pDC, FALSE, horizontalVisible, nAvailableWidth, nAvailableHeight);
    const int barHeight = m_pHorizontalBar != nullptr ? m_pHorizontalBar->GetDesiredSize().cy : 0;
    if (heightLimit != kMarkupUnbounded)
        heightLimit = std::max(heightLimit - barHeight, 0);

    if (m_pVerticalBar != nullptr && m_pHorizontalBar != nullptr) {
        if (m_pGripper == nullptr)
            MarkupReplaceChild(this, m_pGripper,
                               MarkupDynamicCast<CKitMarkupScrollBarGripper>(
                                   MarkupCreateObject(GetMarkupContext(), MARKUP_TYPE(CKitMarkupScrollBarGripper))));
    } else {
        MarkupReplaceChild<CKitMarkupScrollBarGripper>(this, m_pGripper, nullptr);
    }

    pContent->Measure(pDC, widthLimit, heightLimit);
    const SIZE content = pContent->GetDesiredSize();
    return {static_cast<LONG>(std::min<long long>(nAvailableWidth, static_cast<long long>(content.cx) + barWidth)),
            static_cast<LONG>(std::min<long long>(nAvailableHeight, static_cast<long long>(content.cy) + barHeight))};
}

void CKitMarkupScrollViewer::ArrangeBar(CKitMarkupScrollBar* pBar, int& nOffset, int nContent, int nViewport,
                                        const RECT& rect)
{
    if (nOffset > 0 && nContent < nOffset + nViewport)
        nOffset = std::max(0, nContent - nViewport);
    if (pBar == nullptr)
        return;
    SCROLLINFO info = {sizeof(SCROLLINFO), SIF_ALL, 0, nContent - 1, static_cast<UINT>(std::max(nViewport, 0)),
                       nOffset, 0};
    pBar->SetScrollInfo(info);
    pBar->Arrange(rect);
}

SIZE CKitMarkupScrollViewer::ArrangeOverride(SIZE szFinal)
{
    CKitMarkupUIElement* pContent = GetContent();
    if (pContent == nullptr)
        return szFinal;
    const int barWidth = m_pVerticalBar != nullptr ? m_pVerticalBar->GetDesiredSize().cx : 0;
    const int barHeight = m_pHorizontalBar != nullptr ? m_pHorizontalBar->GetDesiredSize().cy : 0;
    const int viewportWidth = szFinal.cx - barWidth;
    const int viewportHeight = szFinal.cy - barHeight;
    const SIZE content = pContent->GetDesiredSize();
    if (m_pVerticalBar != nullptr)
        ArrangeBar(m_pVerticalBar, m_nVerticalOffset, content.cy, viewportHeight,
                   {szFinal.cx - barWidth, 0, szFinal.cx, viewportHeight});
    if (m_pHorizontalBar != nullptr)
        ArrangeBar(m_pHorizontalBar, m_nHorizontalOffset, content.cx, viewportWidth,
                   {0, szFinal.cy - barHeight, viewportWidth, szFinal.cy});
    if (m_pGripper != nullptr)
        m_pGripper->Arrange({szFinal.cx - barWidth, szFinal.cy - barHeight, szFinal.cx, szFinal.cy});
    RECT rect = {0, 0, std::max<LONG>(viewportWidth, content.cx), std::max<LONG>(viewportHeight, content.cy)};
    ::OffsetRect(&rect, -m_nHorizontalOffset, -m_nVerticalOffset);
    pContent->Arrange(rect);
    return szFinal;
}

void CKitMarkupScrollViewer::Scroll(BOOL bVertical, int nCommand, int nValue)
{
    CKitMarkupScrollBar* pBar = bVertical ? m_pVerticalBar : m_pHorizontalBar;
    SCROLLINFO info = {sizeof(SCROLLINFO), SIF_ALL, 0, 0, 0, 0, 0};
    if (pBar != nullptr)
        pBar->GetScrollInfo(info);
    const int position = GetScrollOffset(bVertical);
    const int page = static_cast<int>(info.nPage);
    const int maximum = MaxOffset(info);
    int offset = position;
    switch (nCommand) {
    case SB_LINEUP:
        offset = std::max(position - kLineStep, 0);
        break;
    case SB_LINEDOWN:
        offset = std::min(position + kLineStep, maximum);
        break;
    case SB_PAGEUP:
        offset = std::max(position - page, 0);
        break;
    case SB_PAGEDOWN:
        offset = std::min(position + page, maximum);
        break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
        offset = nValue;
        break;
    case SB_TOP:
        offset = 0;
        break;
    case SB_BOTTOM:
        offset = maximum;
        break;
    default:
        return;
    }
    SetScrollOffset(bVertical, offset);
}

void CKitMarkupScrollViewer::SetScrollOffset(BOOL bVertical, int nOffset)
{
    CKitMarkupScrollBar* pBar = bVertical ? m_pVerticalBar : m_pHorizontalBar;
    if (pBar != nullptr && !m_bMeasureInvalid && !m_bArrangeInvalid) {
        SCROLLINFO info = {};
        pBar->GetScrollInfo(info);
        nOffset = std::min(nOffset, MaxOffset(info));
    }
    nOffset = std::max(nOffset, 0);
    int& offset = bVertical ? m_nVerticalOffset : m_nHorizontalOffset;
    if (offset == nOffset)
        return;
    offset = nOffset;
    InvalidateArrange();
}

void CKitMarkupScrollViewer::OnMouseWheel(CKitMarkupMouseWheelEventArgs* pArgs)
{
    SetScrollOffset(TRUE, m_nVerticalOffset + (pArgs->m_nDelta >= 0 ? -kWheelStep : kWheelStep));
    pArgs->m_bHandled = TRUE;
}

// CKitMarkupScrollBar

// The state of one press, from the button going down to the end of the tracking loop.
struct CKitMarkupScrollBar::Tracking {
    int nCommand = -1;
    BOOL bDrag = FALSE;
    BOOL bPressed = FALSE;
    RECT rcTrack = {0, 0, 0, 0};
    RECT rcDrag = {0, 0, 0, 0};
    int nDragOffset = 0;
    int nDragStartThumb = 0;
    int nValue = 0;
    BOOL bEnded = FALSE;
};

void CKitMarkupScrollBar::SetTimerHook(TIMER_HOOK pfnHook)
{
    g_pfnTimerHook = pfnHook != nullptr ? pfnHook : &DefaultTimer;
}

CKitMarkupScrollBar::CKitMarkupScrollBar()
    : m_nOrientation(1), m_scrollInfo{sizeof(SCROLLINFO), SIF_ALL, 0, 0, 0, 0, 0}, m_layout{}, m_nHotPart(partNone),
      m_nPressedPart(partNone), m_pTracking(nullptr)
{
}

CKitMarkupScrollBar::~CKitMarkupScrollBar()
{
    delete m_pTracking;
}

SIZE CKitMarkupScrollBar::MeasureOverride(CKitMarkupDrawingContext*, int, int)
{
    if (IsVertical())
        return {::GetSystemMetrics(SM_CXVSCROLL), 0};
    return {0, ::GetSystemMetrics(SM_CYHSCROLL)};
}

SIZE CKitMarkupScrollBar::ArrangeOverride(SIZE szFinal)
{
    CalcScrollBarInfo({0, 0, szFinal.cx, szFinal.cy}, m_scrollInfo);
    return szFinal;
}

void CKitMarkupScrollBar::SetScrollInfo(const SCROLLINFO& info)
{
    if (info.nMax == m_scrollInfo.nMax && info.nPage == m_scrollInfo.nPage && info.nPos == m_scrollInfo.nPos)
        return;
    m_scrollInfo = info;
    m_bArrangeInvalid = TRUE;
}

void CKitMarkupScrollBar::GetScrollInfo(SCROLLINFO& info) const
{
    info = m_scrollInfo;
}

void CKitMarkupScrollBar::CalcScrollBarInfo(const RECT& rcBar, const SCROLLINFO& info)
{
    Layout& layout = m_layout;
    layout.bVertical = IsVertical();
    layout.rcBar = rcBar;
    layout.nMin = info.nMin;
    layout.nMax = info.nMax;
    layout.nPage = static_cast<int>(info.nPage);
    layout.nPos = info.nPos;
    layout.nBarStart = layout.bVertical ? rcBar.top : rcBar.left;
    layout.nBarEnd = layout.bVertical ? rcBar.bottom : rcBar.right;
    layout.nAcross = layout.bVertical ? rcBar.right - rcBar.left : rcBar.bottom - rcBar.top;
    const int systemArrow = ::GetSystemMetrics(layout.bVertical ? SM_CYVSCROLL : SM_CXHSCROLL);
    layout.nArrowSize = std::min(systemArrow, (layout.nBarEnd - layout.nBarStart) / 2);
    layout.nTrackStart = layout.nBarStart + layout.nArrowSize;
    layout.nTrackEnd = layout.nBarEnd - layout.nArrowSize;
    const int track = layout.nTrackEnd - layout.nTrackStart;
    const int range = layout.nMax - layout.nMin + 1;
    if (layout.nPage != 0 && range != 0)
        layout.nThumbSize = std::max(::MulDiv(track, layout.nPage, range), std::max(systemArrow / 2, 16));
    else
        layout.nThumbSize = systemArrow;
    layout.nTravel = track - layout.nThumbSize;
    const int page = std::max(layout.nPage, 1);
    if (range == page)
        layout.nThumbStart = layout.nTrackStart;
    else
        layout.nThumbStart = layout.nTrackStart + ::MulDiv(layout.nPos - layout.nMin, layout.nTravel, range - page);
    layout.nThumbEnd = layout.nThumbStart + layout.nThumbSize;
}

BOOL CKitMarkupScrollBar::IsEnabled() const
{
    return m_layout.nMax - m_layout.nPage - m_layout.nMin + 1 > 0;
}

RECT CKitMarkupScrollBar::CalcScrollTrackDragRect() const
{
    return CalcScrollTrackDragRect(m_layout.rcBar, m_layout.nAcross, m_layout.bVertical);
}

RECT CKitMarkupScrollBar::CalcScrollTrackDragRect(const RECT& rcBar, int nAcross, BOOL bVertical)
{
    RECT rect = rcBar;
    const int across = 8 * nAcross;
    if (bVertical) {
        const int along = 2 * ::GetSystemMetrics(SM_CYVTHUMB);
        ::InflateRect(&rect, across, along);
    } else {
        const int along = 2 * ::GetSystemMetrics(SM_CXHTHUMB);
        ::InflateRect(&rect, along, across);
    }
    return rect;
}

int CKitMarkupScrollBar::HitTestScrollBar(POINT point) const
{
    if (!IsEnabled() || !::PtInRect(&m_layout.rcBar, point))
        return partNone;
    const int along = m_layout.bVertical ? point.y : point.x;
    if (along < m_layout.nTrackStart)
        return partFirstArrow;
    if (along >= m_layout.nTrackEnd)
        return partSecondArrow;
    if (along < m_layout.nThumbStart)
        return partPageBefore;
    if (along < m_layout.nThumbEnd)
        return partThumb;
    return partPageAfter;
}

RECT CKitMarkupScrollBar::GetPartRect(int nPart) const
{
    int start = 0;
    int end = 0;
    switch (nPart) {
    case partFirstArrow:
        start = m_layout.nBarStart;
        end = m_layout.nTrackStart;
        break;
    case partSecondArrow:
        start = m_layout.nTrackEnd;
        end = m_layout.nBarEnd;
        break;
    case partPageBefore:
        start = m_layout.nTrackStart;
        end = m_layout.nThumbStart;
        break;
    case partPageAfter:
        start = m_layout.nThumbEnd;
        end = m_layout.nTrackEnd;
        break;
    case partThumb:
        start = m_layout.nThumbStart;
        end = m_layout.nThumbEnd;
        break;
    default:
        return {0, 0, 0, 0};
    }
    const RECT& bar = m_layout.rcBar;
    return m_layout.bVertical ? RECT{bar.left, start, bar.right, end} : RECT{start, bar.top, end, bar.bottom};
}

void CKitMarkupScrollBar::Redraw()
{
    InvalidateVisual();
}

void CKitMarkupScrollBar::OnMouseMove(CKitMarkupMouseEventArgs* pArgs)
{
    const int part = HitTestScrollBar(pArgs->GetPosition(this));
    pArgs->m_bHandled = TRUE;
    if (part == m_nHotPart)
        return;
    m_nHotPart = part;
    Redraw();
}

void CKitMarkupScrollBar::OnMouseLeave(CKitMarkupMouseEventArgs* pArgs)
{
    CKitMarkupControl::OnMouseLeave(pArgs);
    if (m_nHotPart == partNone)
        return;
    m_nHotPart = partNone;
    Redraw();
}

void CKitMarkupScrollBar::SendCommand(int nCommand, int nValue)
{
    if (CKitMarkupScrollViewer* pViewer = MarkupDynamicCast<CKitMarkupScrollViewer>(GetLogicalParent()))
        pViewer->Scroll(IsVertical(), nCommand, nValue);
}

POINT CKitMarkupScrollBar::ContainerToBar(POINT point) const
{
    for (const CKitMarkupVisual* pVisual = this; pVisual != nullptr; pVisual = pVisual->GetVisualParent()) {
        point.x -= pVisual->GetVisualOffset().x;
        point.y -= pVisual->GetVisualOffset().y;
    }
    return point;
}

void CKitMarkupScrollBar::ArmTimer(UINT nDelay)
{
    CKitMarkupContext* pContext = GetMarkupContext();
    if (pContext != nullptr && pContext->GetContainer() != nullptr)
        g_pfnTimerHook(pContext->GetContainer(), kRepeatTimer, nDelay);
}

int CKitMarkupScrollBar::ThumbValue(int nThumbStart) const
{
    const Layout& layout = m_layout;
    if (nThumbStart < layout.nTrackStart)
        return layout.nMin;
    if (nThumbStart >= layout.nTrackStart + layout.nTravel)
        return layout.nPage == 0 ? layout.nMax : layout.nMax - layout.nPage + 1;
    return layout.nMin + ::MulDiv(layout.nMax - layout.nMin - std::max(layout.nPage - 1, 0),
                                  nThumbStart - layout.nTrackStart, layout.nTravel);
}

void CKitMarkupScrollBar::OnMouseLeftButtonDown(CKitMarkupMouseButtonEventArgs* pArgs)
{
    const POINT point = pArgs->GetPosition(this);
    const int part = HitTestScrollBar(point);
    if (part == partNone || m_pTracking != nullptr)
        return;
    pArgs->m_bHandled = TRUE;
    const BOOL jump = ::GetKeyState(VK_SHIFT) < 0;
    const int along = m_layout.bVertical ? point.y : point.x;
    auto tracking = std::make_unique<Tracking>();
    switch (part) {
    case partFirstArrow:
        tracking->nCommand = SB_LINEUP;
        break;
    case partSecondArrow:
        tracking->nCommand = SB_LINEDOWN;
        break;
    case partPageBefore:
        tracking->nCommand = SB_PAGEUP;
        break;
    case partPageAfter:
        tracking->nCommand = SB_PAGEDOWN;
        break;
    default:
        break;
    }
    tracking->bDrag = part == partThumb || (jump && (part == partPageBefore || part == partPageAfter));
    if (tracking->bDrag) {
        if (m_layout.nTrackEnd - m_layout.nTrackStart <= m_layout.nThumbSize)
            return;
        tracking->rcDrag = CalcScrollTrackDragRect();
        tracking->nDragOffset = jump ? -m_layout.nThumbSize / 2 : m_layout.nThumbStart - along;
        tracking->nDragStartThumb = m_layout.nThumbStart;
        tracking->nValue = m_layout.nPos;
        m_nPressedPart = partThumb;
        SendCommand(SB_THUMBTRACK, m_layout.nPos);
    } else {
        m_nPressedPart = part;
        tracking->rcTrack = GetPartRect(part);
    }
    CKitMarkupContext* pContext = GetMarkupContext();
    if (pContext == nullptr)
        return;
    m_pTracking = tracking.release();
    CKitMarkupRef<CKitMarkupScrollBar> keepAlive(this);
    AddRef();
    pContext->CaptureMouse(this);
    if (m_pTracking->bDrag)
        DragStep(WM_LBUTTONDOWN, point);
    else
        PressStep(WM_LBUTTONDOWN, point);
    RunTrackingLoop(pContext->GetContainer());
}

void CKitMarkupScrollBar::RunTrackingLoop(HWND hWnd)
{
    CKitMarkupContext* pContext = GetMarkupContext();
    while (pContext != nullptr && pContext->GetCaptured() == this && !m_pTracking->bEnded) {
        MSG msg = {};
        const BOOL got = ::GetMessageA(&msg, nullptr, 0, 0);
        if (got == 0) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (got < 0 || (hWnd != nullptr && !::IsWindow(hWnd)))
            break;
        if (msg.message == WM_TIMER && msg.wParam == kRepeatTimer && msg.hwnd == hWnd) {
            RepeatStep(hWnd);
            continue;
        }
        if (msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSEFIRST + 13 && msg.hwnd == hWnd) {
            const POINT point = ContainerToBar({static_cast<short>(LOWORD(msg.lParam)),
                                                static_cast<short>(HIWORD(msg.lParam))});
            if (m_pTracking->bDrag)
                DragStep(msg.message, point);
            else
                PressStep(msg.message, point);
            continue;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    if (pContext != nullptr && pContext->GetCaptured() == this)
        pContext->ReleaseMouseCapture();
    const bool windowAlive = hWnd == nullptr || ::IsWindow(hWnd);
    if (hWnd != nullptr && windowAlive)
        ::KillTimer(hWnd, kRepeatTimer);
    delete std::exchange(m_pTracking, nullptr);
    m_nPressedPart = partNone;
    if (hWnd != nullptr && windowAlive) {
        POINT cursor = {};
        ::GetCursorPos(&cursor);
        ::ScreenToClient(hWnd, &cursor);
        m_nHotPart = HitTestScrollBar(ContainerToBar(cursor));
        Redraw();
    }
}

void CKitMarkupScrollBar::PressStep(UINT message, POINT point)
{
    Tracking& tracking = *m_pTracking;
    if (tracking.nCommand == SB_PAGEUP || tracking.nCommand == SB_PAGEDOWN)
        tracking.rcTrack = GetPartRect(tracking.nCommand == SB_PAGEUP ? partPageBefore : partPageAfter);
    const BOOL inside = ::PtInRect(&tracking.rcTrack, point);
    if (inside != tracking.bPressed) {
        tracking.bPressed = inside;
        Redraw();
        if (inside) {
            const UINT doubleClick = ::GetDoubleClickTime();
            ArmTimer(message == WM_LBUTTONDOWN ? doubleClick * 4 / 5 : doubleClick / 10);
            SendCommand(tracking.nCommand, 0);
        }
    }
    if (message == WM_LBUTTONUP)
        EndTracking();
}

void CKitMarkupScrollBar::RepeatStep(HWND hWnd)
{
    POINT cursor = {};
    ::GetCursorPos(&cursor);
    ::ScreenToClient(hWnd, &cursor);
    const BOOL wasPressed = m_pTracking->bPressed;
    PressStep(WM_TIMER, ContainerToBar(cursor));
    if (m_pTracking != nullptr && !m_pTracking->bEnded && m_pTracking->bPressed && wasPressed) {
        ArmTimer(::GetDoubleClickTime() / 10);
        SendCommand(m_pTracking->nCommand, 0);
    }
}

void CKitMarkupScrollBar::DragStep(UINT message, POINT point)
{
    Tracking& tracking = *m_pTracking;
    if (message == WM_LBUTTONUP || (message != WM_LBUTTONDOWN && ::GetKeyState(VK_LBUTTON) >= 0)) {
        EndTracking();
        return;
    }
    int thumbStart = tracking.nDragStartThumb;
    if (::PtInRect(&tracking.rcDrag, point)) {
        const int along = m_layout.bVertical ? point.y : point.x;
        thumbStart = std::clamp(along + tracking.nDragOffset, m_layout.nTrackStart,
                                m_layout.nTrackStart + std::max(m_layout.nTravel, 0));
    }
    const int value = ThumbValue(thumbStart);
    if (value != tracking.nValue) {
        tracking.nValue = value;
        SendCommand(SB_THUMBTRACK, value);
    }
    m_layout.nThumbStart = thumbStart;
    m_layout.nThumbEnd = thumbStart + m_layout.nThumbSize;
    Redraw();
}

void CKitMarkupScrollBar::EndTracking()
{
    Tracking& tracking = *m_pTracking;
    tracking.bEnded = TRUE;
    if (CKitMarkupContext* pContext = GetMarkupContext())
        pContext->ReleaseMouseCapture();
    if (tracking.bDrag) {
        SendCommand(SB_THUMBPOSITION, tracking.nValue);
        Redraw();
    } else if (CKitMarkupContext* pContext = GetMarkupContext(); pContext != nullptr && pContext->GetContainer()) {
        ::KillTimer(pContext->GetContainer(), kRepeatTimer);
    }
    SendCommand(SB_ENDSCROLL, 0);
}

void CKitMarkupScrollBar::OnRender(CKitMarkupDrawingContext* pDC)
{
    const Layout& layout = m_layout;
    const BOOL enabled = IsEnabled();
    const BOOL vertical = layout.bVertical;
    const BOOL pressing = m_pTracking != nullptr && (m_pTracking->bPressed || m_pTracking->bDrag);
    auto partState = [&](int nPart) {
        if (!enabled)
            return 4;
        if (pressing && m_nPressedPart == nPart)
            return 3;
        return m_nHotPart == nPart ? 2 : 1;
    };
    const BOOL drawThumb = enabled && layout.nTrackEnd - layout.nTrackStart >= layout.nThumbSize;
    HDC hdc = pDC->GetDC();
    CKitWinThemeWrapper theme;
    CKitMarkupContext* pContext = GetMarkupContext();
    HWND hContainer = pContext != nullptr ? pContext->GetContainer() : nullptr;
    theme.OpenThemeData(hContainer, L"SCROLLBAR");
    const RECT first = GetPartRect(partFirstArrow);
    const RECT second = GetPartRect(partSecondArrow);
    const RECT before = drawThumb ? GetPartRect(partPageBefore) : RECT{vertical ? layout.rcBar.left : layout.nTrackStart,
        vertical ? layout.nTrackStart : layout.rcBar.top, vertical ? layout.rcBar.right : layout.nTrackEnd,
        vertical ? layout.nTrackEnd : layout.rcBar.bottom};
    const RECT after = drawThumb ? GetPartRect(partPageAfter) : RECT{0, 0, 0, 0};
    const RECT thumb = GetPartRect(partThumb);
    if (theme.IsThemeHandleOpen() && theme.IsAppThemed()) {
        // Arrow states: up 1-4, down 5-8, left 9-12, right 13-16.
        const int firstBase = vertical ? 0 : 8;
        const int secondBase = vertical ? 4 : 12;
        theme.DrawThemeBackground(hdc, SBP_ARROWBTN, firstBase + partState(partFirstArrow), &first, nullptr);
        theme.DrawThemeBackground(hdc, SBP_ARROWBTN, secondBase + partState(partSecondArrow), &second, nullptr);
        theme.DrawThemeBackground(hdc, vertical ? SBP_LOWERTRACKVERT : SBP_LOWERTRACKHORZ, partState(partPageBefore),
                                  &before, nullptr);
        if (drawThumb) {
            theme.DrawThemeBackground(hdc, vertical ? SBP_UPPERTRACKVERT : SBP_UPPERTRACKHORZ,
                                      partState(partPageAfter), &after, nullptr);
            theme.DrawThemeBackground(hdc, vertical ? SBP_THUMBBTNVERT : SBP_THUMBBTNHORZ, partState(partThumb),
                                      &thumb, nullptr);
            if (layout.nThumbSize > 13)
                theme.DrawThemeBackground(hdc, vertical ? SBP_GRIPPERVERT : SBP_GRIPPERHORZ, partState(partThumb),
                                          &thumb, nullptr);
        }
    } else {
        auto arrow = [&](const RECT& rect, UINT type, int nPart) {
            UINT state = type;
            if (!enabled)
                state |= DFCS_INACTIVE;
            else if (pressing && m_nPressedPart == nPart)
                state |= DFCS_PUSHED;
            RECT box = rect;
            ::DrawFrameControl(hdc, &box, DFC_SCROLL, state);
        };
        arrow(first, vertical ? DFCS_SCROLLUP : DFCS_SCROLLLEFT, partFirstArrow);
        arrow(second, vertical ? DFCS_SCROLLDOWN : DFCS_SCROLLRIGHT, partSecondArrow);
        const COLORREF oldText = ::SetTextColor(hdc, ::GetSysColor(COLOR_3DHILIGHT));
        const COLORREF oldBack = ::SetBkColor(hdc, ::GetSysColor(COLOR_BTNFACE));
        HBRUSH hTrack = reinterpret_cast<HBRUSH>(::DefWindowProcA(
            ::GetDesktopWindow(), WM_CTLCOLORSCROLLBAR, reinterpret_cast<WPARAM>(hdc),
            reinterpret_cast<LPARAM>(hContainer)));
        if (hTrack == nullptr)
            hTrack = ::GetSysColorBrush(COLOR_SCROLLBAR);
        ::FillRect(hdc, &before, hTrack);
        if (drawThumb)
            ::FillRect(hdc, &after, hTrack);
        ::SetTextColor(hdc, oldText);
        ::SetBkColor(hdc, oldBack);
        if (pressing && !m_pTracking->bDrag && (m_nPressedPart == partPageBefore || m_nPressedPart == partPageAfter))
            ::InvertRect(hdc, m_nPressedPart == partPageBefore ? &before : &after);
        if (drawThumb) {
            RECT box = thumb;
            ::FillRect(hdc, &box, ::GetSysColorBrush(COLOR_BTNFACE));
            ::DrawEdge(hdc, &box, EDGE_RAISED, BF_RECT | BF_ADJUST);
        }
    }
    pDC->ReleaseDC(hdc);
}

// CKitMarkupScrollBarGripper

void CKitMarkupScrollBarGripper::ArrangeCore(const RECT& rcFinal)
{
    m_ptVisualOffset = {rcFinal.left, rcFinal.top};
    m_szRender = {rcFinal.right - rcFinal.left, rcFinal.bottom - rcFinal.top};
}

void CKitMarkupScrollBarGripper::OnRender(CKitMarkupDrawingContext* pDC)
{
    pDC->FillSolidRect({0, 0, m_szRender.cx, m_szRender.cy}, ::GetSysColor(COLOR_BTNFACE));
}

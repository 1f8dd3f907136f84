#include "toolkit/markup/markup_visual.h"

#include "toolkit/markup/markup_context.h"
#include "toolkit/markup/markup_converters.h"
#include "toolkit/markup/markup_drawing_context.h"
#include "toolkit/markup/markup_values.h"

namespace {

bool SameRect(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

} // namespace

// CKitMarkupVisual

CKitMarkupVisual::CKitMarkupVisual() : m_ptVisualOffset{0, 0}, m_szRender{0, 0}, m_rcBounds{0, 0, 0, 0} {}

int CKitMarkupVisual::GetLogicalChildrenCount() const
{
    return GetVisualChildrenCount();
}

CKitMarkupObject* CKitMarkupVisual::GetLogicalChild(int nIndex) const
{
    return GetVisualChild(nIndex);
}

int CKitMarkupVisual::GetVisualChildrenCount() const
{
    return 0;
}

CKitMarkupVisual* CKitMarkupVisual::GetVisualChild(int) const
{
    return nullptr;
}

BOOL CKitMarkupVisual::GetLayoutClip(RECT&) const
{
    return FALSE;
}

void CKitMarkupVisual::OnRender(CKitMarkupDrawingContext*) {}

void CKitMarkupVisual::OnRenderFocusVisual(CKitMarkupDrawingContext*) {}

CKitMarkupInputElement* CKitMarkupVisual::HitTestCore(POINT)
{
    return this;
}

void CKitMarkupVisual::OnNotRendered(CKitMarkupDrawingContext* pDC)
{
    const int count = GetVisualChildrenCount();
    for (int i = 0; i < count; ++i) {
        if (CKitMarkupVisual* pChild = GetVisualChild(i))
            pChild->OnNotRendered(pDC);
    }
}

CKitMarkupVisual* CKitMarkupVisual::GetVisualParent() const
{
    for (CKitMarkupObject* pWalk = GetLogicalParent(); pWalk != nullptr; pWalk = pWalk->GetLogicalParent()) {
        if (CKitMarkupVisual* pVisual = MarkupDynamicCast<CKitMarkupVisual>(pWalk))
            return pVisual;
    }
    return nullptr;
}

void CKitMarkupVisual::UpdateBounds()
{
    m_rcBounds = {0, 0, m_szRender.cx, m_szRender.cy};
    const int count = GetVisualChildrenCount();
    for (int i = 0; i < count; ++i) {
        const CKitMarkupVisual* pChild = GetVisualChild(i);
        if (pChild == nullptr)
            continue;
        RECT child = pChild->m_rcBounds;
        ::OffsetRect(&child, pChild->m_ptVisualOffset.x, pChild->m_ptVisualOffset.y);
        ::UnionRect(&m_rcBounds, &m_rcBounds, &child);
    }
}

void CKitMarkupVisual::Render(CKitMarkupDrawingContext* pDC)
{
    RECT clip = pDC->GetClipBox();
    ::OffsetRect(&clip, -m_ptVisualOffset.x, -m_ptVisualOffset.y);
    RECT visible;
    if (!::IntersectRect(&visible, &clip, &m_rcBounds)) {
        OnNotRendered(pDC);
        return;
    }
    RECT layoutClip;
    const BOOL clips = GetLayoutClip(layoutClip);
    if (clips) {
        RECT clipped;
        if (::IsRectEmpty(&layoutClip) || !::IntersectRect(&clipped, &clip, &layoutClip) ||
            !::IntersectRect(&clipped, &clipped, &m_rcBounds)) {
            OnNotRendered(pDC);
            return;
        }
    }

    pDC->OffsetViewport(m_ptVisualOffset);
    HRGN hSavedRegion = nullptr;
    if (clips) {
        hSavedRegion = pDC->GetClipRegion();
        pDC->IntersectClipRect(layoutClip);
    }
    OnRender(pDC);
    const int count = GetVisualChildrenCount();
    for (int i = 0; i < count; ++i) {
        if (CKitMarkupVisual* pChild = GetVisualChild(i))
            pChild->Render(pDC);
    }
    const CKitMarkupBool* pFocused = GetValueOf<CKitMarkupBool>(m_pIsKeyboardFocusedProperty);
    if (pFocused != nullptr && pFocused->GetValue())
        OnRenderFocusVisual(pDC);
    pDC->SelectClipRegion(hSavedRegion);
    pDC->OffsetViewport({-m_ptVisualOffset.x, -m_ptVisualOffset.y});
}

CKitMarkupInputElement* CKitMarkupVisual::InputHitTest(POINT point)
{
    const POINT p = {point.x - m_ptVisualOffset.x, point.y - m_ptVisualOffset.y};
    if (!::PtInRect(&m_rcBounds, p))
        return nullptr;
    RECT clip;
    if (GetLayoutClip(clip) && !::PtInRect(&clip, p))
        return nullptr;
    for (int i = GetVisualChildrenCount() - 1; i >= 0; --i) {
        CKitMarkupVisual* pChild = GetVisualChild(i);
        if (pChild == nullptr)
            continue;
        if (CKitMarkupInputElement* pHit = pChild->InputHitTest(p))
            return pHit;
    }
    const RECT render = {0, 0, m_szRender.cx, m_szRender.cy};
    return ::PtInRect(&render, p) ? HitTestCore(p) : nullptr;
}

// CKitMarkupUIElement

CKitMarkupDependencyProperty* CKitMarkupUIElement::m_pClipToBoundsProperty = nullptr;
CKitMarkupDependencyProperty* CKitMarkupUIElement::m_pVisibilityProperty = nullptr;
CKitMarkupDependencyProperty* CKitMarkupUIElement::m_pFocusableProperty = nullptr;
CKitMarkupDependencyProperty* CKitMarkupUIElement::m_pIsEnabledProperty = nullptr;

void CKitMarkupUIElement::RegisterProperties()
{
    CKitMarkupType* pOwner = MARKUP_TYPE(CKitMarkupUIElement);
    m_pClipToBoundsProperty =
        CKitMarkupDependencyProperty::Register(L"ClipToBounds", MARKUP_TYPE(CKitMarkupBool), pOwner, nullptr);
    m_pVisibilityProperty = CKitMarkupDependencyProperty::Register(
        L"Visibility", MARKUP_TYPE(CKitMarkupEnum), pOwner,
        new CKitMarkupPropertyMetadata(nullptr, MarkupConvertVisibility, MarkupPropertyAffectsMeasure));
    m_pFocusableProperty = CKitMarkupDependencyProperty::Register(
        L"Focusable", MARKUP_TYPE(CKitMarkupBool), pOwner,
        new CKitMarkupPropertyMetadata(CKitMarkupBool::CreateFalseValue(), 0));
    m_pIsEnabledProperty = CKitMarkupDependencyProperty::Register(
        L"IsEnabled", MARKUP_TYPE(CKitMarkupBool), pOwner,
        new CKitMarkupPropertyMetadata(CKitMarkupBool::CreateTrueValue(), 0));
}

CKitMarkupUIElement::CKitMarkupUIElement()
    : m_szDesired{0, 0},
      m_rcFinal{0, 0, 0, 0},
      m_bMeasureForced(FALSE),
      m_bMeasureInvalid(TRUE),
      m_szPreviousAvailable{0, 0},
      m_bArrangeNeeded(FALSE),
      m_bArrangeInvalid(TRUE),
      m_bArranging(FALSE),
      m_bMeasuring(FALSE)
{
}

int CKitMarkupUIElement::GetVisibility() const
{
    const CKitMarkupEnum* pValue = GetValueOf<CKitMarkupEnum>(m_pVisibilityProperty);
    return pValue != nullptr ? pValue->GetValue() : visibilityVisible;
}

BOOL CKitMarkupUIElement::GetLayoutClip(RECT& rect) const
{
    if (GetVisibility() == visibilityVisible)
        return FALSE;
    rect = {0, 0, 0, 0};
    return TRUE;
}

void CKitMarkupUIElement::Measure(CKitMarkupDrawingContext* pDC, int nAvailableWidth, int nAvailableHeight)
{
    if (GetVisibility() == visibilityCollapsed) {
        m_szPreviousAvailable = {nAvailableWidth, nAvailableHeight};
        m_bMeasureForced = TRUE;
        m_bMeasureInvalid = FALSE;
        m_szDesired = {0, 0};
        return;
    }
    if (!m_bMeasureForced && !m_bMeasureInvalid && nAvailableWidth == m_szPreviousAvailable.cx &&
        nAvailableHeight == m_szPreviousAvailable.cy && !pDC->IsFreshLayoutRequired())
        return;
    m_bArrangeNeeded = TRUE;
    m_bMeasuring = TRUE;
    m_bMeasureInvalid = FALSE;
    m_szDesired = MeasureCore(pDC, nAvailableWidth, nAvailableHeight);
    m_szPreviousAvailable = {nAvailableWidth, nAvailableHeight};
    m_bMeasuring = FALSE;
    m_bMeasureForced = pDC->IsFreshLayoutRequired();
}

void CKitMarkupUIElement::Arrange(const RECT& rcFinal)
{
    if (GetVisibility() == visibilityCollapsed) {
        m_rcFinal = rcFinal;
        m_bArrangeInvalid = FALSE;
        m_bArrangeNeeded = FALSE;
        return;
    }
    if (m_bMeasureInvalid) {
        CKitMarkupDrawingContext dc(GetMarkupContext());
        Measure(&dc, rcFinal.right - rcFinal.left, rcFinal.bottom - rcFinal.top);
    }
    if (m_bArrangeNeeded || m_bArrangeInvalid || !SameRect(rcFinal, m_rcFinal)) {
        m_bArrangeInvalid = FALSE;
        m_bArranging = TRUE;
        ArrangeCore(rcFinal);
        m_bArranging = FALSE;
        UpdateBounds();
    }
    m_rcFinal = rcFinal;
    m_bArrangeNeeded = FALSE;
}

void CKitMarkupUIElement::ArrangeCore(const RECT& rcFinal)
{
    m_szRender = {rcFinal.right - rcFinal.left, rcFinal.bottom - rcFinal.top};
}

SIZE CKitMarkupUIElement::MeasureCore(CKitMarkupDrawingContext*, int, int)
{
    return {0, 0};
}

void CKitMarkupUIElement::InvalidateVisual()
{
    if (CKitMarkupContext* pContext = GetMarkupContext())
        pContext->InvalidateElement(this);
}

void CKitMarkupUIElement::InvalidateArrange()
{
    if (m_bArranging || m_bArrangeInvalid)
        return;
    m_bArrangeNeeded = TRUE;
    Arrange(m_rcFinal);
    InvalidateVisual();
}

void CKitMarkupUIElement::InvalidateMeasure()
{
    // Before the first measure there is nothing to measure again.
    if (m_bMeasureInvalid)
        return;
    CKitMarkupDrawingContext dc(GetMarkupContext());
    InvalidateMeasureCore(&dc);
}

void CKitMarkupUIElement::InvalidateMeasureCore(CKitMarkupDrawingContext* pDC)
{
    if (m_bMeasuring || m_bMeasureInvalid)
        return;
    const SIZE previous = m_szDesired;
    m_bMeasureForced = TRUE;
    m_bArrangeNeeded = TRUE;
    Measure(pDC, m_szPreviousAvailable.cx, m_szPreviousAvailable.cy);
    if (m_szDesired.cx == previous.cx && m_szDesired.cy == previous.cy) {
        Arrange(m_rcFinal);
        InvalidateVisual();
        return;
    }
    m_bMeasureForced = TRUE;
    m_bArrangeNeeded = TRUE;
    if (CKitMarkupUIElement* pParent = MarkupDynamicCast<CKitMarkupUIElement>(GetVisualParent()))
        pParent->InvalidateMeasureCore(pDC);
    else if (CKitMarkupContext* pContext = GetMarkupContext())
        pContext->OnLayoutChanged(this);
}

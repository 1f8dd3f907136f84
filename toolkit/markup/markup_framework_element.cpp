#include "toolkit/markup/markup_framework_element.h"

#include "toolkit/markup/markup_brushes.h"
#include "toolkit/markup/markup_builder.h"
#include "toolkit/markup/markup_converters.h"
#include "toolkit/markup/markup_drawing_context.h"
#include "toolkit/markup/markup_limits.h"
#include "toolkit/markup/markup_style.h"
#include "toolkit/markup/markup_text.h"
#include "toolkit/markup/markup_thickness.h"
#include "toolkit/markup/markup_values.h"

#include <algorithm>

namespace {

// Available sizes this large (or margins this negative) stay unbounded when margins are taken off.
constexpr int kMarkupHugeSize = 0x40000000;

// Sums and differences of sizes, held to the 32-bit range.
int AddSizes(int a, int b)
{
    return MarkupClampToInt(static_cast<long long>(a) + b);
}

int SubtractSizes(int a, int b)
{
    return MarkupClampToInt(static_cast<long long>(a) - b);
}

// A size less a margin, never below 0; unbounded stays unbounded.
int InnerSize(int nAvailable, int nMargin)
{
    if (nAvailable >= kMarkupHugeSize || -static_cast<long long>(nMargin) >= kMarkupHugeSize)
        return kMarkupUnbounded;
    return std::max(SubtractSizes(nAvailable, nMargin), 0);
}

int HorizontalSum(const CKitMarkupThickness* pThickness)
{
    return pThickness != nullptr ? AddSizes(pThickness->m_nLeft, pThickness->m_nRight) : 0;
}

int VerticalSum(const CKitMarkupThickness* pThickness)
{
    return pThickness != nullptr ? AddSizes(pThickness->m_nTop, pThickness->m_nBottom) : 0;
}

bool IsZero(const CKitMarkupThickness* pThickness)
{
    return pThickness == nullptr || (pThickness->m_nLeft == 0 && pThickness->m_nTop == 0 &&
                                     pThickness->m_nRight == 0 && pThickness->m_nBottom == 0);
}

CKitMarkupDependencyProperty* RegisterLength(LPCWSTR lpszName, CKitMarkupObject* pDefaultValue)
{
    return CKitMarkupDependencyProperty::Register(
        lpszName, MARKUP_TYPE(CKitMarkupInt), MARKUP_TYPE(CKitMarkupFrameworkElement),
        new CKitMarkupPropertyMetadata(pDefaultValue, MarkupConvertLength, MarkupPropertyAffectsMeasure));
}

CKitMarkupDependencyProperty* RegisterBorderProperty(LPCWSTR lpszName, CKitMarkupType* pType,
                                                     CKitMarkupObject* pDefaultValue, DWORD dwFlags)
{
    return CKitMarkupDependencyProperty::Register(lpszName, pType, MARKUP_TYPE(CKitMarkupBorder),
                                                  new CKitMarkupPropertyMetadata(pDefaultValue, dwFlags));
}

} // namespace

// CKitMarkupFrameworkElement

CKitMarkupDependencyProperty* CKitMarkupFrameworkElement::m_pMarginProperty = nullptr;
CKitMarkupDependencyProperty* CKitMarkupFrameworkElement::m_pHorizontalAlignmentProperty = nullptr;
CKitMarkupDependencyProperty* CKitMarkupFrameworkElement::m_pVerticalAlignmentProperty = nullptr;
CKitMarkupDependencyProperty* CKitMarkupFrameworkElement::m_pTagProperty = nullptr;
CKitMarkupDependencyProperty* CKitMarkupFrameworkElement::m_pWidthProperty = nullptr;
CKitMarkupDependencyProperty* CKitMarkupFrameworkElement::m_pMinWidthProperty = nullptr;
CKitMarkupDependencyProperty* CKitMarkupFrameworkElement::m_pMaxWidthProperty = nullptr;
CKitMarkupDependencyProperty* CKitMarkupFrameworkElement::m_pHeightProperty = nullptr;
CKitMarkupDependencyProperty* CKitMarkupFrameworkElement::m_pMinHeightProperty = nullptr;
CKitMarkupDependencyProperty* CKitMarkupFrameworkElement::m_pMaxHeightProperty = nullptr;

void CKitMarkupFrameworkElement::RegisterProperties()
{
    CKitMarkupType* pOwner = MARKUP_TYPE(CKitMarkupFrameworkElement);
    m_pMarginProperty = CKitMarkupDependencyProperty::Register(
        L"Margin", MARKUP_TYPE(CKitMarkupThickness), pOwner,
        new CKitMarkupPropertyMetadata(CKitMarkupThickness::GetEmpty(), MarkupPropertyAffectsMeasure));
    m_pHorizontalAlignmentProperty = CKitMarkupDependencyProperty::Register(
        L"HorizontalAlignment", MARKUP_TYPE(CKitMarkupEnum), pOwner,
        new CKitMarkupPropertyMetadata(nullptr, MarkupConvertHorizontalAlignment, MarkupPropertyAffectsArrange));
    m_pVerticalAlignmentProperty = CKitMarkupDependencyProperty::Register(
        L"VerticalAlignment", MARKUP_TYPE(CKitMarkupEnum), pOwner,
        new CKitMarkupPropertyMetadata(nullptr, MarkupConvertVerticalAlignment, MarkupPropertyAffectsArrange));
    m_pTagProperty = CKitMarkupDependencyProperty::Register(L"Tag", MARKUP_TYPE(CKitMarkupObject), pOwner, nullptr);
    m_pWidthProperty = RegisterLength(L"Width", nullptr);
    m_pMinWidthProperty = RegisterLength(L"MinWidth", nullptr);
    m_pMaxWidthProperty = RegisterLength(L"MaxWidth", nullptr);
    m_pHeightProperty = RegisterLength(L"Height", nullptr);
    m_pMinHeightProperty = RegisterLength(L"MinHeight", nullptr);
    m_pMaxHeightProperty = RegisterLength(L"MaxHeight", nullptr);
}

CKitMarkupFrameworkElement::CKitMarkupFrameworkElement()
    : m_minMax{kMarkupUnbounded, 0, kMarkupUnbounded, 0},
      m_bNeedsClipBounds(FALSE),
      m_szUnclippedDesired{0, 0},
      m_bUnclippedDesiredSizeValid(FALSE)
{
}

void CKitMarkupFrameworkElement::OnPropertyChanged(CKitMarkupDependencyProperty* pProperty, CKitMarkupObject* pOldValue,
                                                   CKitMarkupObject* pNewValue)
{
    CKitMarkupUIElement::OnPropertyChanged(pProperty, pOldValue, pNewValue);
    EvaluateTriggers(this, pProperty, pNewValue);
    const DWORD flags = pProperty->GetFlags();
    if (flags & MarkupPropertyAffectsMeasure)
        InvalidateMeasure();
    if (flags & MarkupPropertyAffectsArrange)
        InvalidateArrange();
    if (flags & MarkupPropertyAffectsRender)
        InvalidateVisual();
}

int CKitMarkupFrameworkElement::GetHorizontalAlignment() const
{
    return MarkupIntValue(this, m_pHorizontalAlignmentProperty, alignStretch);
}

int CKitMarkupFrameworkElement::GetVerticalAlignment() const
{
    return MarkupIntValue(this, m_pVerticalAlignmentProperty, alignStretch);
}

CKitMarkupThickness* CKitMarkupFrameworkElement::GetMargin() const
{
    return GetValueOf<CKitMarkupThickness>(m_pMarginProperty);
}

BOOL CKitMarkupFrameworkElement::GetClipToBounds() const
{
    const CKitMarkupBool* pValue = GetValueOf<CKitMarkupBool>(m_pClipToBoundsProperty);
    return pValue != nullptr && pValue->GetValue();
}

void CKitMarkupFrameworkElement::UpdateMinMax()
{
    const int height = MarkupIntValue(this, m_pHeightProperty, kMarkupUnbounded);
    const int width = MarkupIntValue(this, m_pWidthProperty, kMarkupUnbounded);
    const bool hasHeight = height != kMarkupUnbounded;
    const bool hasWidth = width != kMarkupUnbounded;
    const int minHeight = MarkupIntValue(this, m_pMinHeightProperty, 0);
    const int maxHeight = MarkupIntValue(this, m_pMaxHeightProperty, kMarkupUnbounded);
    const int minWidth = MarkupIntValue(this, m_pMinWidthProperty, 0);
    const int maxWidth = MarkupIntValue(this, m_pMaxWidthProperty, kMarkupUnbounded);
    m_minMax.nMaxHeight = std::max(std::min(hasHeight ? height : kMarkupUnbounded, maxHeight), minHeight);
    m_minMax.nMinHeight = std::max(std::min(m_minMax.nMaxHeight, hasHeight ? height : 0), minHeight);
    m_minMax.nMaxWidth = std::max(std::min(hasWidth ? width : kMarkupUnbounded, maxWidth), minWidth);
    m_minMax.nMinWidth = std::max(std::min(m_minMax.nMaxWidth, hasWidth ? width : 0), minWidth);
}

SIZE CKitMarkupFrameworkElement::GetClientSize(const RECT& rcFinal) const
{
    const CKitMarkupThickness* pMargin = GetMargin();
    return {std::max(SubtractSizes(SubtractSizes(rcFinal.right, rcFinal.left), HorizontalSum(pMargin)), 0),
            std::max(SubtractSizes(SubtractSizes(rcFinal.bottom, rcFinal.top), VerticalSum(pMargin)), 0)};
}

SIZE CKitMarkupFrameworkElement::MeasureCore(CKitMarkupDrawingContext* pDC, int nAvailableWidth, int nAvailableHeight)
{
    const int marginWidth = HorizontalSum(GetMargin());
    const int marginHeight = VerticalSum(GetMargin());
    UpdateMinMax();
    const int innerWidth =
        std::max(m_minMax.nMinWidth, std::min(m_minMax.nMaxWidth, InnerSize(nAvailableWidth, marginWidth)));
    const int innerHeight =
        std::max(m_minMax.nMinHeight, std::min(m_minMax.nMaxHeight, InnerSize(nAvailableHeight, marginHeight)));

    SIZE desired = MeasureOverride(pDC, innerWidth, innerHeight);
    desired.cx = std::max<LONG>(desired.cx, m_minMax.nMinWidth);
    desired.cy = std::max<LONG>(desired.cy, m_minMax.nMinHeight);
    const SIZE unclipped = desired;
    bool clipped = false;
    if (desired.cx > m_minMax.nMaxWidth) {
        desired.cx = m_minMax.nMaxWidth;
        clipped = true;
    }
    if (desired.cy > m_minMax.nMaxHeight) {
        desired.cy = m_minMax.nMaxHeight;
        clipped = true;
    }
    int outerWidth = AddSizes(desired.cx, marginWidth);
    int outerHeight = AddSizes(desired.cy, marginHeight);
    if (outerWidth > nAvailableWidth) {
        outerWidth = nAvailableWidth;
        clipped = true;
    }
    if (outerHeight > nAvailableHeight) {
        outerHeight = nAvailableHeight;
        clipped = true;
    }
    m_bNeedsClipBounds = FALSE;
    m_bUnclippedDesiredSizeValid = FALSE;
    m_szUnclippedDesired = {0, 0};
    if (clipped || outerWidth < 0 || outerHeight < 0) {
        m_bNeedsClipBounds = TRUE;
        m_bUnclippedDesiredSizeValid = TRUE;
        m_szUnclippedDesired = unclipped;
    }
    return {std::max(outerWidth, 0), std::max(outerHeight, 0)};
}

void CKitMarkupFrameworkElement::ArrangeCore(const RECT& rcFinal)
{
    const CKitMarkupThickness* pMargin = GetMargin();
    const SIZE client = GetClientSize(rcFinal);
    SIZE arrange = client;
    const SIZE unclipped = m_bUnclippedDesiredSizeValid
                               ? m_szUnclippedDesired
                               : SIZE{SubtractSizes(m_szDesired.cx, HorizontalSum(pMargin)),
                                      SubtractSizes(m_szDesired.cy, VerticalSum(pMargin))};
    if (arrange.cx < unclipped.cx) {
        arrange.cx = unclipped.cx;
        m_bNeedsClipBounds = TRUE;
    }
    if (arrange.cy < unclipped.cy) {
        arrange.cy = unclipped.cy;
        m_bNeedsClipBounds = TRUE;
    }
    const int horizontal = GetHorizontalAlignment();
    const int vertical = GetVerticalAlignment();
    if (horizontal != alignStretch)
        arrange.cx = unclipped.cx;
    if (vertical != alignStretch)
        arrange.cy = unclipped.cy;
    const LONG maxWidth = std::max<LONG>(m_minMax.nMaxWidth, unclipped.cx);
    const LONG maxHeight = std::max<LONG>(m_minMax.nMaxHeight, unclipped.cy);
    if (arrange.cx > maxWidth) {
        arrange.cx = maxWidth;
        m_bNeedsClipBounds = TRUE;
    }
    if (arrange.cy > maxHeight) {
        arrange.cy = maxHeight;
        m_bNeedsClipBounds = TRUE;
    }

    m_szRender = ArrangeOverride(arrange);
    const SIZE ink = {std::min<LONG>(m_szRender.cx, m_minMax.nMaxWidth),
                      std::min<LONG>(m_szRender.cy, m_minMax.nMaxHeight)};
    if (ink.cx < m_szRender.cx || ink.cy < m_szRender.cy)
        m_bNeedsClipBounds = TRUE;
    if (client.cx < ink.cx || client.cy < ink.cy)
        m_bNeedsClipBounds = TRUE;
    const POINT offset = GetAlignmentOffset(client, ink, horizontal, vertical);
    const int marginLeft = pMargin != nullptr ? pMargin->m_nLeft : 0;
    const int marginTop = pMargin != nullptr ? pMargin->m_nTop : 0;
    m_ptVisualOffset = {AddSizes(AddSizes(rcFinal.left, marginLeft), offset.x),
                        AddSizes(AddSizes(rcFinal.top, marginTop), offset.y)};
}

POINT CKitMarkupFrameworkElement::GetAlignmentOffset(SIZE szClient, SIZE szInk, int nHorizontal, int nVertical)
{
    if (nHorizontal == alignStretch && szInk.cx > szClient.cx)
        nHorizontal = alignLeft;
    if (nVertical == alignStretch && szInk.cy > szClient.cy)
        nVertical = alignTop;
    POINT offset = {0, 0};
    const int spareWidth = SubtractSizes(szClient.cx, szInk.cx);
    const int spareHeight = SubtractSizes(szClient.cy, szInk.cy);
    if (nHorizontal == alignCenter || nHorizontal == alignStretch)
        offset.x = spareWidth / 2;
    else if (nHorizontal == alignRight)
        offset.x = spareWidth;
    if (nVertical == alignCenter || nVertical == alignStretch)
        offset.y = spareHeight / 2;
    else if (nVertical == alignBottom)
        offset.y = spareHeight;
    return offset;
}

BOOL CKitMarkupFrameworkElement::GetLayoutClip(RECT& rect) const
{
    if (CKitMarkupUIElement::GetLayoutClip(rect))
        return TRUE;
    const BOOL clipToBounds = GetClipToBounds();
    if (!clipToBounds && !m_bNeedsClipBounds)
        return FALSE;
    const LONG maxWidth = m_minMax.nMaxWidth != kMarkupUnbounded ? m_minMax.nMaxWidth : m_szRender.cx;
    const LONG maxHeight = m_minMax.nMaxHeight != kMarkupUnbounded ? m_minMax.nMaxHeight : m_szRender.cy;
    const bool clipToMax = clipToBounds || maxWidth < m_szRender.cx || maxHeight < m_szRender.cy;
    const SIZE ink = {std::min<LONG>(m_szRender.cx, m_minMax.nMaxWidth),
                      std::min<LONG>(m_szRender.cy, m_minMax.nMaxHeight)};
    const SIZE client = GetClientSize(m_rcFinal);
    const bool needClient = clipToBounds || client.cx < ink.cx || client.cy < ink.cy;
    if (!clipToMax && !needClient)
        return FALSE;
    const RECT maxRect = {0, 0, maxWidth, maxHeight};
    if (!needClient) {
        rect = maxRect;
        return TRUE;
    }
    const POINT offset = GetAlignmentOffset(client, ink, GetHorizontalAlignment(), GetVerticalAlignment());
    rect = {-offset.x, -offset.y, SubtractSizes(client.cx, offset.x), SubtractSizes(client.cy, offset.y)};
    if (clipToMax && !::IntersectRect(&rect, &rect, &maxRect))
        rect = {0, 0, 0, 0};
    return TRUE;
}

SIZE CKitMarkupFrameworkElement::MeasureOverride(CKitMarkupDrawingContext*, int, int)
{
    return {0, 0};
}

SIZE CKitMarkupFrameworkElement::ArrangeOverride(SIZE szFinal)
{
    return szFinal;
}

// CKitMarkupFrameworkContentElement

void CKitMarkupFrameworkContentElement::RegisterProperties()
{
    MARKUP_TYPE(CKitMarkupFrameworkElement)->RegisterProperties();
    CKitMarkupDependencyProperty::AddOwner(CKitMarkupFrameworkElement::m_pTagProperty,
                                           MARKUP_TYPE(CKitMarkupFrameworkContentElement));
}

void CKitMarkupFrameworkContentElement::OnPropertyChanged(CKitMarkupDependencyProperty* pProperty,
                                                          CKitMarkupObject* pOldValue, CKitMarkupObject* pNewValue)
{
    CKitMarkupInputElement::OnPropertyChanged(pProperty, pOldValue, pNewValue);
    EvaluateTriggers(this, pProperty, pNewValue);
    CKitMarkupFrameworkElement* pHost = GetHostElement();
    if (pHost == nullptr)
        return;
    const DWORD flags = pProperty->GetFlags();
    if (flags & MarkupPropertyAffectsMeasure)
        pHost->InvalidateMeasure();
    if (flags & MarkupPropertyAffectsArrange)
        pHost->InvalidateArrange();
    if (flags & MarkupPropertyAffectsRender)
        pHost->InvalidateVisual();
}

CKitMarkupFrameworkElement* CKitMarkupFrameworkContentElement::GetHostElement() const
{
    for (CKitMarkupObject* pWalk = GetLogicalParent(); pWalk != nullptr; pWalk = pWalk->GetLogicalParent()) {
        if (CKitMarkupFrameworkElement* pHost = MarkupDynamicCast<CKitMarkupFrameworkElement>(pWalk))
            return pHost;
    }
    return nullptr;
}

// CKitMarkupDecorator

CKitMarkupDecorator::CKitMarkupDecorator() : m_pChild(nullptr) {}

CKitMarkupDecorator::~CKitMarkupDecorator()
{
    SetChild(nullptr);
}

void CKitMarkupDecorator::SetChild(CKitMarkupUIElement* pChild)
{
    MarkupReplaceChild(this, m_pChild, pChild);
}

void CKitMarkupDecorator::SetContentObject(CKitMarkupBuilder*, CKitMarkupObject* pContent)
{
    CKitMarkupUIElement* pChild = MarkupDynamicCast<CKitMarkupUIElement>(pContent);
    if (pChild == nullptr || m_pChild != nullptr) {
        CKitMarkupRef<CKitMarkupObject> content(pContent);
        MarkupThrowSingleChildError(this, pContent, pChild != nullptr);
    }
    SetChild(pChild);
}

BOOL CKitMarkupDecorator::HasContentObject() const
{
    return m_pChild != nullptr;
}

int CKitMarkupDecorator::GetVisualChildrenCount() const
{
    return m_pChild != nullptr ? 1 : 0;
}

CKitMarkupVisual* CKitMarkupDecorator::GetVisualChild(int nIndex) const
{
    return nIndex == 0 ? m_pChild : nullptr;
}

// CKitMarkupBorder

CKitMarkupDependencyProperty* CKitMarkupBorder::m_pBorderThicknessProperty = nullptr;
CKitMarkupDependencyProperty* CKitMarkupBorder::m_pBorderBrushProperty = nullptr;
CKitMarkupDependencyProperty* CKitMarkupBorder::m_pCornerRadiusProperty = nullptr;
CKitMarkupDependencyProperty* CKitMarkupBorder::m_pBackgroundProperty = nullptr;
CKitMarkupDependencyProperty* CKitMarkupBorder::m_pPaddingProperty = nullptr;

void CKitMarkupBorder::RegisterProperties()
{
    m_pBorderThicknessProperty = RegisterBorderProperty(L"BorderThickness", MARKUP_TYPE(CKitMarkupThickness),
                                                        CKitMarkupThickness::GetEmpty(), MarkupPropertyAffectsMeasure);
    m_pBorderBrushProperty =
        RegisterBorderProperty(L"BorderBrush", MARKUP_TYPE(CKitMarkupBrush), nullptr, MarkupPropertyAffectsRender);
    m_pCornerRadiusProperty = RegisterBorderProperty(L"CornerRadius", MARKUP_TYPE(CKitMarkupThickness),
                                                     CKitMarkupThickness::GetEmpty(), MarkupPropertyAffectsRender);
    m_pBackgroundProperty =
        RegisterBorderProperty(L"Background", MARKUP_TYPE(CKitMarkupBrush), nullptr, MarkupPropertyAffectsRender);
    m_pPaddingProperty = RegisterBorderProperty(L"Padding", MARKUP_TYPE(CKitMarkupThickness),
                                                CKitMarkupThickness::GetEmpty(), MarkupPropertyAffectsMeasure);
}

CKitMarkupBrush* CKitMarkupBorder::GetBackground() const
{
    return GetValueOf<CKitMarkupBrush>(m_pBackgroundProperty);
}

CKitMarkupBrush* CKitMarkupBorder::GetBorderBrush() const
{
    return GetValueOf<CKitMarkupBrush>(m_pBorderBrushProperty);
}

CKitMarkupThickness* CKitMarkupBorder::GetBorderThickness() const
{
    return GetValueOf<CKitMarkupThickness>(m_pBorderThicknessProperty);
}

CKitMarkupThickness* CKitMarkupBorder::GetPadding() const
{
    return GetValueOf<CKitMarkupThickness>(m_pPaddingProperty);
}

CKitMarkupThickness* CKitMarkupBorder::GetCornerRadius() const
{
    return GetValueOf<CKitMarkupThickness>(m_pCornerRadiusProperty);
}

SIZE CKitMarkupBorder::MeasureOverride(CKitMarkupDrawingContext* pDC, int nAvailableWidth, int nAvailableHeight)
{
    const int width = AddSizes(HorizontalSum(GetBorderThickness()), HorizontalSum(GetPadding()));
    const int height = AddSizes(VerticalSum(GetBorderThickness()), VerticalSum(GetPadding()));
    CKitMarkupUIElement* pChild = GetChild();
    if (pChild == nullptr)
        return {width, height};
    pChild->Measure(pDC, std::max(SubtractSizes(nAvailableWidth, width), 0),
                    std::max(SubtractSizes(nAvailableHeight, height), 0));
    return {AddSizes(pChild->GetDesiredSize().cx, width), AddSizes(pChild->GetDesiredSize().cy, height)};
}

SIZE CKitMarkupBorder::ArrangeOverride(SIZE szFinal)
{
    if (CKitMarkupUIElement* pChild = GetChild()) {
        const RECT inner = CKitMarkupThickness::DeflateRect(
            CKitMarkupThickness::DeflateRect({0, 0, szFinal.cx, szFinal.cy}, GetBorderThickness()), GetPadding());
        pChild->Arrange(inner);
    }
    return szFinal;
}

void CKitMarkupBorder::OnRender(CKitMarkupDrawingContext* pDC)
{
    CKitMarkupBrush* pBorderBrush = GetBorderBrush();
    CKitMarkupBrush* pBackground = GetBackground();
    if (m_szRender.cx < 1 || m_szRender.cy < 1 || (pBorderBrush == nullptr && pBackground == nullptr))
        return;
    const CKitMarkupThickness* pCorners = GetCornerRadius();
    double radii[8] = {};
    const double* pRadii = nullptr;
    if (!IsZero(pCorners)) {
        // Two radii per corner in the order of the drawing calls: top-left, top-right, bottom-right, bottom-left.
        const int corners[4] = {pCorners->m_nLeft, pCorners->m_nTop, pCorners->m_nRight, pCorners->m_nBottom};
        for (int i = 0; i < 8; ++i)
            radii[i] = corners[i / 2];
        pRadii = radii;
    }
    const CKitMarkupThickness* pThickness = GetBorderThickness();
    if (!IsZero(pThickness) && pBorderBrush != nullptr)
        pDC->DrawFrame({0, 0, m_szRender.cx, m_szRender.cy}, pBorderBrush, pThickness, pRadii);
    if (pBackground == nullptr)
        return;
    const CKitMarkupThickness none;
    const CKitMarkupThickness& border = pThickness != nullptr ? *pThickness : none;
    const RECT inner = {border.m_nLeft, border.m_nTop, m_szRender.cx - border.m_nRight,
                        m_szRender.cy - border.m_nBottom};
    if (inner.right <= inner.left || inner.bottom <= inner.top)
        return;
    if (pRadii != nullptr) {
        for (double& radius : radii)
            radius = std::max(radius - border.m_nLeft / 2.0, 0.0);
    }
    pDC->FillRectangle(inner, pBackground, pRadii);
}

CKitMarkupInputElement* CKitMarkupBorder::HitTestCore(POINT)
{
    return GetBackground() != nullptr ? this : nullptr;
}

void MarkupThrowSingleChildError(const CKitMarkupObject* pOwner, const CKitMarkupObject* pContent, BOOL bHasChild)
{
    const CString ownerName = MarkupNarrow(pOwner->GetType()->GetClassName());
    const CString contentName = pContent != nullptr ? MarkupNarrow(pContent->GetType()->GetClassName()) : CString();
    if (bHasChild)
        CKitMarkupBuilder::ThrowBuilderError(
            "'%s' already has a child and cannot add '%s'. '%s' can accept only one child.", (LPCSTR)ownerName,
            (LPCSTR)contentName, (LPCSTR)ownerName);
    CKitMarkupBuilder::ThrowBuilderError(
        "'%s' object cannot be added to '%s'. Object cannot be converted to type 'CKitMarkupUIElement'",
        (LPCSTR)contentName, (LPCSTR)ownerName);
}

#include "toolkit/markup/markup_panels.h"

#include "toolkit/markup/markup_brushes.h"
#include "toolkit/markup/markup_converters.h"
#include "toolkit/markup/markup_drawing_context.h"
#include "toolkit/markup/markup_limits.h"
#include "toolkit/markup/markup_text.h"
#include "toolkit/markup/markup_values.h"

#include <algorithm>
#include <cmath>

namespace {

CKitMarkupDependencyProperty* RegisterPanelProperty(LPCWSTR lpszName, CKitMarkupType* pValueType,
                                                    CKitMarkupType* pOwner, CKitMarkupObject* pDefaultValue,
                                                    MARKUP_VALUE_CONVERTER pfnConverter, DWORD dwFlags)
{
    return CKitMarkupDependencyProperty::Register(
        lpszName, pValueType, pOwner, new CKitMarkupPropertyMetadata(pDefaultValue, pfnConverter, dwFlags));
}

// Dock on a child: the dock panel that holds it measures again.
void OnDockChanged(CKitMarkupObject* pObject, CKitMarkupPropertyChangedEventArgs*)
{
    const CKitMarkupVisual* pChild = MarkupDynamicCast<CKitMarkupVisual>(pObject);
    if (pChild == nullptr)
        return;
    if (CKitMarkupDockPanel* pPanel = MarkupDynamicCast<CKitMarkupDockPanel>(pChild->GetVisualParent()))
        pPanel->InvalidateMeasure();
}

} // namespace

// CKitMarkupUIElementCollection

CKitMarkupUIElementCollection::CKitMarkupUIElementCollection()
{
    m_pElementType = MARKUP_TYPE(CKitMarkupUIElement);
}

void CKitMarkupUIElementCollection::OnChanged()
{
    if (CKitMarkupUIElement* pOwner = MarkupDynamicCast<CKitMarkupUIElement>(GetLogicalParent()))
        pOwner->InvalidateMeasure();
}

CKitMarkupUIElement* CKitMarkupUIElementCollection::GetElement(int nIndex) const
{
    return static_cast<CKitMarkupUIElement*>(GetAt(nIndex));
}

// CKitMarkupPanel

CKitMarkupDependencyProperty* CKitMarkupPanel::m_pBackgroundProperty = nullptr;

void CKitMarkupPanel::RegisterProperties()
{
    m_pBackgroundProperty = CKitMarkupDependencyProperty::Register(
        L"Background", MARKUP_TYPE(CKitMarkupBrush), MARKUP_TYPE(CKitMarkupPanel),
        new CKitMarkupPropertyMetadata(nullptr, MarkupPropertyAffectsRender));
}

CKitMarkupPanel::CKitMarkupPanel() : m_pChildren(new CKitMarkupUIElementCollection())
{
    m_pChildren->SetLogicalParent(this);
}

CKitMarkupPanel::~CKitMarkupPanel()
{
    m_pChildren->SetLogicalParent(nullptr);
    m_pChildren->Release();
}

void CKitMarkupPanel::SetContentObject(CKitMarkupBuilder* pBuilder, CKitMarkupObject* pContent)
{
    m_pChildren->SetContentObject(pBuilder, pContent);
}

BOOL CKitMarkupPanel::HasContentObject() const
{
    return m_pChildren->HasContentObject();
}

int CKitMarkupPanel::GetVisualChildrenCount() const
{
    return m_pChildren->GetCount();
}

CKitMarkupVisual* CKitMarkupPanel::GetVisualChild(int nIndex) const
{
    if (nIndex < 0 || nIndex >= m_pChildren->GetCount())
        return nullptr;
    return m_pChildren->GetElement(nIndex);
}

CKitMarkupBrush* CKitMarkupPanel::GetBackground() const
{
    return GetValueOf<CKitMarkupBrush>(m_pBackgroundProperty);
}

void CKitMarkupPanel::OnRender(CKitMarkupDrawingContext* pDC)
{
    CKitMarkupBrush* pBackground = GetBackground();
    if (pBackground != nullptr && m_szRender.cx > 0 && m_szRender.cy > 0)
        pDC->FillRectangle({0, 0, m_szRender.cx, m_szRender.cy}, pBackground);
}

CKitMarkupInputElement* CKitMarkupPanel::HitTestCore(POINT)
{
    return GetBackground() != nullptr ? this : nullptr;
}

// CKitMarkupCanvas

CKitMarkupDependencyProperty* CKitMarkupCanvas::m_pTopProperty = nullptr;
CKitMarkupDependencyProperty* CKitMarkupCanvas::m_pRightProperty = nullptr;
CKitMarkupDependencyProperty* CKitMarkupCanvas::m_pLeftProperty = nullptr;
CKitMarkupDependencyProperty* CKitMarkupCanvas::m_pBottomProperty = nullptr;

void CKitMarkupCanvas::RegisterProperties()
{
    CKitMarkupType* pOwner = MARKUP_TYPE(CKitMarkupCanvas);
    m_pTopProperty =
        CKitMarkupDependencyProperty::RegisterAttached(L"Top", MARKUP_TYPE(CKitMarkupInt), pOwner, nullptr);
    m_pRightProperty =
        CKitMarkupDependencyProperty::RegisterAttached(L"Right", MARKUP_TYPE(CKitMarkupInt), pOwner, nullptr);
    m_pLeftProperty =
        CKitMarkupDependencyProperty::RegisterAttached(L"Left", MARKUP_TYPE(CKitMarkupInt), pOwner, nullptr);
    m_pBottomProperty =
        CKitMarkupDependencyProperty::RegisterAttached(L"Bottom", MARKUP_TYPE(CKitMarkupInt), pOwner, nullptr);
}

SIZE CKitMarkupCanvas::MeasureOverride(CKitMarkupDrawingContext* pDC, int, int)
{
    for (int i = 0; i < GetChildren()->GetCount(); ++i)
        GetChildren()->GetElement(i)->Measure(pDC, kMarkupUnbounded, kMarkupUnbounded);
    return {0, 0};
}

SIZE CKitMarkupCanvas::ArrangeOverride(SIZE szFinal)
{
    for (int i = 0; i < GetChildren()->GetCount(); ++i) {
        CKitMarkupUIElement* pChild = GetChildren()->GetElement(i);
        const SIZE desired = pChild->GetDesiredSize();
        const CKitMarkupInt* pLeft = pChild->GetValueOf<CKitMarkupInt>(m_pLeftProperty);
        const CKitMarkupInt* pRight = pChild->GetValueOf<CKitMarkupInt>(m_pRightProperty);
        const CKitMarkupInt* pTop = pChild->GetValueOf<CKitMarkupInt>(m_pTopProperty);
        const CKitMarkupInt* pBottom = pChild->GetValueOf<CKitMarkupInt>(m_pBottomProperty);
        long long x = 0;
        if (pLeft != nullptr)
            x = pLeft->GetValue();
        else if (pRight != nullptr)
            x = static_cast<long long>(szFinal.cx) - pRight->GetValue() - desired.cx;
        long long y = 0;
        if (pTop != nullptr)
            y = pTop->GetValue();
        else if (pBottom != nullptr)
            y = static_cast<long long>(szFinal.cy) - pBottom->GetValue() - desired.cy;
        pChild->Arrange({MarkupClampToInt(x), MarkupClampToInt(y), MarkupClampToInt(x + desired.cx),
                         MarkupClampToInt(y + desired.cy)});
    }
    return szFinal;
}

// CKitMarkupStackPanel

CKitMarkupDependencyProperty* CKitMarkupStackPanel::m_pOrientationProperty = nullptr;

void CKitMarkupStackPanel::RegisterProperties()
{
    m_pOrientationProperty = RegisterPanelProperty(L"Orientation", MARKUP_TYPE(CKitMarkupEnum),
                                                   MARKUP_TYPE(CKitMarkupStackPanel), nullptr,
                                                   MarkupConvertOrientation, MarkupPropertyAffectsMeasure);
}

int CKitMarkupStackPanel::GetOrientation() const
{
    return MarkupIntValue(this, m_pOrientationProperty, kMarkupOrientationVertical);
}

SIZE CKitMarkupStackPanel::MeasureOverride(CKitMarkupDrawingContext* pDC, int nAvailableWidth, int nAvailableHeight)
{
    const bool horizontal = GetOrientation() == kMarkupOrientationHorizontal;
    long long along = 0;
    int across = 0;
    for (int i = 0; i < GetChildren()->GetCount(); ++i) {
        CKitMarkupUIElement* pChild = GetChildren()->GetElement(i);
        if (horizontal)
            pChild->Measure(pDC, kMarkupUnbounded, nAvailableHeight);
        else
            pChild->Measure(pDC, nAvailableWidth, kMarkupUnbounded);
        const SIZE desired = pChild->GetDesiredSize();
        along += horizontal ? desired.cx : desired.cy;
        across = std::max<int>(across, horizontal ? desired.cy : desired.cx);
    }
    return horizontal ? SIZE{MarkupClampToInt(along), across} : SIZE{across, MarkupClampToInt(along)};
}

SIZE CKitMarkupStackPanel::ArrangeOverride(SIZE szFinal)
{
    const bool horizontal = GetOrientation() == kMarkupOrientationHorizontal;
    long long position = 0;
    for (int i = 0; i < GetChildren()->GetCount(); ++i) {
        CKitMarkupUIElement* pChild = GetChildren()->GetElement(i);
        const SIZE desired = pChild->GetDesiredSize();
        const int start = MarkupClampToInt(position);
        if (horizontal) {
            position += desired.cx;
            pChild->Arrange({start, 0, MarkupClampToInt(position), std::max(szFinal.cy, desired.cy)});
        } else {
            position += desired.cy;
            pChild->Arrange({0, start, std::max(szFinal.cx, desired.cx), MarkupClampToInt(position)});
        }
    }
    return szFinal;
}

// CKitMarkupWrapPanel

CKitMarkupDependencyProperty* CKitMarkupWrapPanel::m_pOrientationProperty = nullptr;
CKitMarkupDependencyProperty* CKitMarkupWrapPanel::m_pItemWidthProperty = nullptr;
CKitMarkupDependencyProperty* CKitMarkupWrapPanel::m_pItemHeightProperty = nullptr;

void CKitMarkupWrapPanel::RegisterProperties()
{
    CKitMarkupType* pOwner = MARKUP_TYPE(CKitMarkupWrapPanel);
    m_pOrientationProperty = RegisterPanelProperty(L"Orientation", MARKUP_TYPE(CKitMarkupEnum), pOwner, nullptr,
                                                   MarkupConvertOrientation, MarkupPropertyAffectsMeasure);
    m_pItemWidthProperty = RegisterPanelProperty(L"ItemWidth", MARKUP_TYPE(CKitMarkupInt), pOwner, nullptr, nullptr,
                                                 MarkupPropertyAffectsMeasure);
    m_pItemHeightProperty = RegisterPanelProperty(L"ItemHeight", MARKUP_TYPE(CKitMarkupInt), pOwner, nullptr, nullptr,
                                                  MarkupPropertyAffectsMeasure);
}

int CKitMarkupWrapPanel::GetOrientation() const
{
    return MarkupIntValue(this, m_pOrientationProperty, kMarkupOrientationHorizontal);
}

SIZE CKitMarkupWrapPanel::GetItemSize(const CKitMarkupUIElement* pChild, bool bHorizontal) const
{
    const SIZE desired = pChild->GetDesiredSize();
    const int width = MarkupIntValue(this, m_pItemWidthProperty, desired.cx);
    const int height = MarkupIntValue(this, m_pItemHeightProperty, desired.cy);
    return bHorizontal ? SIZE{width, height} : SIZE{height, width};
}

SIZE CKitMarkupWrapPanel::MeasureOverride(CKitMarkupDrawingContext* pDC, int nAvailableWidth, int nAvailableHeight)
{
    const bool horizontal = GetOrientation() == kMarkupOrientationHorizontal;
    const int measureWidth = MarkupIntValue(this, m_pItemWidthProperty, nAvailableWidth);
    const int measureHeight = MarkupIntValue(this, m_pItemHeightProperty, nAvailableHeight);
    const long long limit = horizontal ? nAvailableWidth : nAvailableHeight;
    long long lineLength = 0;
    long long lineThickness = 0;
    long long widest = 0;
    long long total = 0;
    for (int i = 0; i < GetChildren()->GetCount(); ++i) {
        CKitMarkupUIElement* pChild = GetChildren()->GetElement(i);
        pChild->Measure(pDC, measureWidth, measureHeight);
        const SIZE item = GetItemSize(pChild, horizontal);
        if (lineLength + item.cx > limit) {
            widest = std::max(widest, lineLength);
            total += lineThickness;
            lineLength = item.cx;
            lineThickness = item.cy;
        } else {
            lineLength += item.cx;
            lineThickness = std::max<long long>(lineThickness, item.cy);
        }
    }
    widest = std::max(widest, lineLength);
    const int along = MarkupClampToInt(widest);
    const int across = MarkupClampToInt(total + lineThickness);
    return horizontal ? SIZE{along, across} : SIZE{across, along};
}

void CKitMarkupWrapPanel::ArrangeLine(int nFirst, int nEnd, int nOffset, int nThickness, bool bHorizontal)
{
    long long position = 0;
    const int end = MarkupClampToInt(static_cast<long long>(nOffset) + nThickness);
    for (int i = nFirst; i < nEnd; ++i) {
        CKitMarkupUIElement* pChild = GetChildren()->GetElement(i);
        const int start = MarkupClampToInt(position);
        position += GetItemSize(pChild, bHorizontal).cx;
        const int stop = MarkupClampToInt(position);
        if (bHorizontal)
            pChild->Arrange({start, nOffset, stop, end});
        else
            pChild->Arrange({nOffset, start, end, stop});
    }
}

SIZE CKitMarkupWrapPanel::ArrangeOverride(SIZE szFinal)
{
    const bool horizontal = GetOrientation() == kMarkupOrientationHorizontal;
    const long long limit = horizontal ? szFinal.cx : szFinal.cy;
    int first = 0;
    long long lineLength = 0;
    int lineThickness = 0;
    long long offset = 0;
    const int count = GetChildren()->GetCount();
    for (int i = 0; i < count; ++i) {
        const SIZE item = GetItemSize(GetChildren()->GetElement(i), horizontal);
        if (lineLength + item.cx > limit) {
            ArrangeLine(first, i, MarkupClampToInt(offset), lineThickness, horizontal);
            offset += lineThickness;
            first = i;
            lineLength = item.cx;
            lineThickness = item.cy;
        } else {
            lineLength += item.cx;
            lineThickness = std::max<int>(lineThickness, item.cy);
        }
    }
    ArrangeLine(first, count, MarkupClampToInt(offset), lineThickness, horizontal);
    return szFinal;
}

// CKitMarkupDockPanel

CKitMarkupDependencyProperty* CKitMarkupDockPanel::m_pDockProperty = nullptr;
CKitMarkupDependencyProperty* CKitMarkupDockPanel::m_pLastChildFillProperty = nullptr;

void CKitMarkupDockPanel::RegisterProperties()
{
    CKitMarkupType* pOwner = MARKUP_TYPE(CKitMarkupDockPanel);
    m_pDockProperty = CKitMarkupDependencyProperty::RegisterAttached(
        L"Dock", MARKUP_TYPE(CKitMarkupEnum), pOwner,
        new CKitMarkupPropertyMetadata(CKitMarkupEnum::CreateValue(dockLeft), MarkupConvertDock, OnDockChanged, 0));
    m_pLastChildFillProperty =
        RegisterPanelProperty(L"LastChildFill", MARKUP_TYPE(CKitMarkupBool), pOwner,
                              CKitMarkupBool::CreateTrueValue(), nullptr, MarkupPropertyAffectsArrange);
}

int CKitMarkupDockPanel::GetDock(const CKitMarkupObject* pChild)
{
    return MarkupIntValue(pChild, m_pDockProperty, dockLeft);
}

SIZE CKitMarkupDockPanel::MeasureOverride(CKitMarkupDrawingContext* pDC, int nAvailableWidth, int nAvailableHeight)
{
    long long usedWidth = 0;
    long long usedHeight = 0;
    long long neededWidth = 0;
    long long neededHeight = 0;
    for (int i = 0; i < GetChildren()->GetCount(); ++i) {
        CKitMarkupUIElement* pChild = GetChildren()->GetElement(i);
        pChild->Measure(pDC, MarkupClampToInt(std::max<long long>(nAvailableWidth - usedWidth, 0)),
                        MarkupClampToInt(std::max<long long>(nAvailableHeight - usedHeight, 0)));
        const SIZE desired = pChild->GetDesiredSize();
        const int dock = GetDock(pChild);
        if (dock == dockLeft || dock == dockRight) {
            neededHeight = std::max(neededHeight, desired.cy + usedHeight);
            usedWidth += desired.cx;
        } else {
            neededWidth = std::max(neededWidth, desired.cx + usedWidth);
            usedHeight += desired.cy;
        }
    }
    return {MarkupClampToInt(std::max(neededWidth, usedWidth)), MarkupClampToInt(std::max(neededHeight, usedHeight))};
}

SIZE CKitMarkupDockPanel::ArrangeOverride(SIZE szFinal)
{
    const CKitMarkupBool* pFill = GetValueOf<CKitMarkupBool>(m_pLastChildFillProperty);
    const bool lastChildFills = pFill == nullptr || pFill->GetValue();
    long long usedLeft = 0;
    long long usedTop = 0;
    long long usedRight = 0;
    long long usedBottom = 0;
    const int count = GetChildren()->GetCount();
    for (int i = 0; i < count; ++i) {
        CKitMarkupUIElement* pChild = GetChildren()->GetElement(i);
        const SIZE desired = pChild->GetDesiredSize();
        long long left = usedLeft;
        long long top = usedTop;
        long long right = std::max(szFinal.cx - usedRight, usedLeft);
        long long bottom = usedTop + std::max<long long>(szFinal.cy - usedBottom - usedTop, 0);
        if (i != count - 1 || !lastChildFills) {
            switch (GetDock(pChild)) {
            case dockLeft:
                right = left + desired.cx;
                usedLeft += desired.cx;
                break;
            case dockTop:
                bottom = top + desired.cy;
                usedTop += desired.cy;
                break;
            case dockRight:
                left = std::max<long long>(szFinal.cx - (usedRight + desired.cx), 0);
                usedRight += desired.cx;
                right = left + desired.cx;
                break;
            default:
                top = std::max<long long>(szFinal.cy - (usedBottom + desired.cy), 0);
                usedBottom += desired.cy;
                bottom = top + desired.cy;
                break;
            }
        }
        pChild->Arrange({MarkupClampToInt(left), MarkupClampToInt(top), MarkupClampToInt(right),
                         MarkupClampToInt(bottom)});
    }
    return szFinal;
}

// CKitMarkupUniformGrid

CKitMarkupDependencyProperty* CKitMarkupUniformGrid::m_pFirstColumnProperty = nullptr;
CKitMarkupDependencyProperty* CKitMarkupUniformGrid::m_pColumnsProperty = nullptr;
CKitMarkupDependencyProperty* CKitMarkupUniformGrid::m_pRowsProperty = nullptr;

void CKitMarkupUniformGrid::RegisterProperties()
{
    CKitMarkupType* pOwner = MARKUP_TYPE(CKitMarkupUniformGrid);
    m_pFirstColumnProperty = RegisterPanelProperty(L"FirstColumn", MARKUP_TYPE(CKitMarkupInt), pOwner, nullptr,
                                                   nullptr, MarkupPropertyAffectsMeasure);
    m_pColumnsProperty = RegisterPanelProperty(L"Columns", MARKUP_TYPE(CKitMarkupInt), pOwner, nullptr, nullptr,
                                               MarkupPropertyAffectsMeasure);
    m_pRowsProperty = RegisterPanelProperty(L"Rows", MARKUP_TYPE(CKitMarkupInt), pOwner, nullptr, nullptr,
                                            MarkupPropertyAffectsMeasure);
}

CKitMarkupUniformGrid::CKitMarkupUniformGrid() : m_nColumns(1), m_nRows(1), m_nFirstColumn(0) {}

void CKitMarkupUniformGrid::UpdateDimensions()
{
    // Negative counts count as unset: a computed dimension is never 0.
    m_nColumns = std::max(MarkupIntValue(this, m_pColumnsProperty, 0), 0);
    m_nRows = std::max(MarkupIntValue(this, m_pRowsProperty, 0), 0);
    m_nFirstColumn = std::max(MarkupIntValue(this, m_pFirstColumnProperty, 0), 0);
    if (m_nFirstColumn >= m_nColumns)
        m_nFirstColumn = 0;
    if (m_nColumns != 0 && m_nRows != 0)
        return;
    long long visible = 0;
    for (int i = 0; i < GetChildren()->GetCount(); ++i)
        visible += GetChildren()->GetElement(i)->GetVisibility() != visibilityCollapsed ? 1 : 0;
    visible = std::max<long long>(visible, 1);
    if (m_nRows != 0) {
        m_nColumns = MarkupClampToInt((visible + m_nRows - 1) / m_nRows);
    } else if (m_nColumns < 1) {
        long long side = static_cast<long long>(std::sqrt(static_cast<double>(visible)));
        while (side * side < visible)
            ++side;
        while (side > 1 && (side - 1) * (side - 1) >= visible)
            --side;
        m_nRows = m_nColumns = MarkupClampToInt(side);
    } else {
        m_nRows = MarkupClampToInt((m_nColumns + visible + m_nFirstColumn - 1) / m_nColumns);
    }
}

SIZE CKitMarkupUniformGrid::MeasureOverride(CKitMarkupDrawingContext* pDC, int nAvailableWidth, int nAvailableHeight)
{
    UpdateDimensions();
    const int cellWidth = nAvailableWidth / m_nColumns;
    const int cellHeight = nAvailableHeight / m_nRows;
    int widest = 0;
    int tallest = 0;
    for (int i = 0; i < GetChildren()->GetCount(); ++i) {
        CKitMarkupUIElement* pChild = GetChildren()->GetElement(i);
        pChild->Measure(pDC, cellWidth, cellHeight);
        widest = std::max<int>(widest, pChild->GetDesiredSize().cx);
        tallest = std::max<int>(tallest, pChild->GetDesiredSize().cy);
    }
    return {MarkupClampToInt(static_cast<long long>(m_nColumns) * widest),
            MarkupClampToInt(static_cast<long long>(m_nRows) * tallest)};
}

SIZE CKitMarkupUniformGrid::ArrangeOverride(SIZE szFinal)
{
    const int cellWidth = szFinal.cx / std::max(m_nColumns, 1);
    const int cellHeight = szFinal.cy / std::max(m_nRows, 1);
    long long x = static_cast<long long>(m_nFirstColumn) * cellWidth;
    long long y = 0;
    for (int i = 0; i < GetChildren()->GetCount(); ++i) {
        CKitMarkupUIElement* pChild = GetChildren()->GetElement(i);
        pChild->Arrange({MarkupClampToInt(x), MarkupClampToInt(y), MarkupClampToInt(x + cellWidth),
                         MarkupClampToInt(y + cellHeight)});
        if (pChild->GetVisibility() == visibilityCollapsed)
            continue;
        x += cellWidth;
        if (x + cellWidth > szFinal.cx) {
            x = 0;
            y += cellHeight;
        }
    }
    return szFinal;
}

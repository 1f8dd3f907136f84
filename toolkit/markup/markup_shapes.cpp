#include "toolkit/markup/markup_shapes.h"

#include "toolkit/markup/markup_brushes.h"
#include "toolkit/markup/markup_converters.h"
#include "toolkit/markup/markup_drawing_context.h"
#include "toolkit/markup/markup_geometry.h"
#include "toolkit/markup/markup_limits.h"
#include "toolkit/markup/markup_text.h"
#include "toolkit/markup/markup_thickness.h"
#include "toolkit/markup/markup_values.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <iterator>

namespace {

CKitMarkupDependencyProperty* RegisterShapeProperty(LPCWSTR lpszName, CKitMarkupType* pValueType,
                                                    CKitMarkupType* pOwner, CKitMarkupObject* pDefaultValue,
                                                    MARKUP_VALUE_CONVERTER pfnConverter, DWORD dwFlags)
{
    return CKitMarkupDependencyProperty::Register(
        lpszName, pValueType, pOwner, new CKitMarkupPropertyMetadata(pDefaultValue, pfnConverter, dwFlags));
}

CKitMarkupDependencyProperty* RegisterCoordinate(LPCWSTR lpszName)
{
    return RegisterShapeProperty(lpszName, MARKUP_TYPE(CKitMarkupInt), MARKUP_TYPE(CKitMarkupLine),
                                 new CKitMarkupInt(0), nullptr, MarkupPropertyAffectsMeasure);
}

CKitMarkupDependencyProperty* RegisterPoints(CKitMarkupType* pOwner)
{
    return RegisterShapeProperty(L"Points", MARKUP_TYPE(CKitMarkupPointCollection), pOwner, nullptr, nullptr,
                                 MarkupPropertyAffectsMeasure);
}

// One number of a point text: spaces, an optional minus and digits, ended by
// one space or comma (consumed) or the end. FALSE on anything else.
bool ReadCoordinate(std::wstring_view text, size_t& position, int& value)
{
    while (position < text.size() && text[position] == L' ')
        ++position;
    bool negative = false;
    if (position < text.size() && text[position] == L'-') {
        negative = true;
        ++position;
    }
    long long number = 0;
    const size_t digits = position;
    for (; position < text.size() && text[position] >= L'0' && text[position] <= L'9'; ++position)
        number = std::min<long long>(number * 10 + (text[position] - L'0'), INT_MAX);
    if (position == digits)
        return false;
    if (position < text.size()) {
        if (text[position] != L' ' && text[position] != L',')
            return false;
        ++position;
    }
    value = static_cast<int>(negative ? -number : number);
    return true;
}

} // namespace

// CKitMarkupPointCollection

CKitMarkupPointCollection::CKitMarkupPointCollection(std::vector<POINT> points) : m_points(std::move(points))
{
    if (m_points.empty())
        return;
    m_rcBounds = {m_points[0].x, m_points[0].y, m_points[0].x, m_points[0].y};
    for (const POINT& point : m_points) {
        m_rcBounds.left = std::min(m_rcBounds.left, point.x);
        m_rcBounds.top = std::min(m_rcBounds.top, point.y);
        m_rcBounds.right = std::max(m_rcBounds.right, point.x);
        m_rcBounds.bottom = std::max(m_rcBounds.bottom, point.y);
    }
}

CKitMarkupObject* CKitMarkupPointCollection::ConvertFrom(CKitMarkupBuilder*, CKitMarkupObject* pObject)
{
    const CKitMarkupString* pText = MarkupDynamicCast<CKitMarkupString>(pObject);
    if (pText == nullptr)
        return nullptr;
    const std::wstring_view text = pText->GetView();
    std::vector<POINT> points;
    size_t position = 0;
    while (position < text.size()) {
        POINT point = {};
        int x = 0;
        int y = 0;
        if (!ReadCoordinate(text, position, x) || position >= text.size() || !ReadCoordinate(text, position, y))
            return nullptr;
        point.x = x;
        point.y = y;
        points.push_back(point);
        while (position < text.size() && text[position] == L' ')
            ++position;
    }
    return new CKitMarkupPointCollection(std::move(points));
}

// CKitMarkupShape

CKitMarkupDependencyProperty* CKitMarkupShape::m_pFillProperty = nullptr;
CKitMarkupDependencyProperty* CKitMarkupShape::m_pStrokeProperty = nullptr;
CKitMarkupDependencyProperty* CKitMarkupShape::m_pStrokeThicknessProperty = nullptr;
CKitMarkupDependencyProperty* CKitMarkupShape::m_pStretchProperty = nullptr;
CKitMarkupDependencyProperty* CKitMarkupShape::m_pStrokeDashArrayProperty = nullptr;
CKitMarkupDependencyProperty* CKitMarkupShape::m_pStrokeStartLineCapProperty = nullptr;
CKitMarkupDependencyProperty* CKitMarkupShape::m_pStrokeEndLineCapProperty = nullptr;
CKitMarkupDependencyProperty* CKitMarkupShape::m_pStrokeLineJoinProperty = nullptr;

void CKitMarkupShape::RegisterProperties()
{
    CKitMarkupType* pOwner = MARKUP_TYPE(CKitMarkupShape);
    m_pFillProperty = RegisterShapeProperty(L"Fill", MARKUP_TYPE(CKitMarkupBrush), pOwner, nullptr, nullptr,
                                            MarkupPropertyAffectsRender);
    m_pStrokeProperty = RegisterShapeProperty(L"Stroke", MARKUP_TYPE(CKitMarkupBrush), pOwner, nullptr, nullptr,
                                              MarkupPropertyAffectsRender);
    m_pStrokeThicknessProperty = RegisterShapeProperty(L"StrokeThickness", MARKUP_TYPE(CKitMarkupInt), pOwner,
                                                       nullptr, nullptr, MarkupPropertyAffectsRender);
    m_pStretchProperty = RegisterShapeProperty(L"Stretch", MARKUP_TYPE(CKitMarkupEnum), pOwner,
                                               CKitMarkupEnum::CreateValue(0), MarkupConvertStretch,
                                               MarkupPropertyAffectsRender);
    m_pStrokeDashArrayProperty = RegisterShapeProperty(L"StrokeDashArray", MARKUP_TYPE(CKitMarkupDoubleCollection),
                                                       pOwner, nullptr, nullptr, MarkupPropertyAffectsMeasure);
    m_pStrokeStartLineCapProperty =
        RegisterShapeProperty(L"StrokeStartLineCap", MARKUP_TYPE(CKitMarkupEnum), pOwner,
                              CKitMarkupEnum::CreateValue(0), MarkupConvertLineCap, MarkupPropertyAffectsRender);
    m_pStrokeEndLineCapProperty =
        RegisterShapeProperty(L"StrokeEndLineCap", MARKUP_TYPE(CKitMarkupEnum), pOwner,
                              CKitMarkupEnum::CreateValue(0), MarkupConvertLineCap, MarkupPropertyAffectsRender);
    m_pStrokeLineJoinProperty =
        RegisterShapeProperty(L"StrokeLineJoin", MARKUP_TYPE(CKitMarkupEnum), pOwner,
                              CKitMarkupEnum::CreateValue(0), MarkupConvertLineJoin, MarkupPropertyAffectsRender);
}

// CKitMarkupRectangle

CKitMarkupDependencyProperty* CKitMarkupRectangle::m_pRadiusXProperty = nullptr;
CKitMarkupDependencyProperty* CKitMarkupRectangle::m_pRadiusYProperty = nullptr;

void CKitMarkupRectangle::RegisterProperties()
{
    CKitMarkupType* pOwner = MARKUP_TYPE(CKitMarkupRectangle);
    m_pRadiusXProperty = RegisterShapeProperty(L"RadiusX", MARKUP_TYPE(CKitMarkupInt), pOwner, new CKitMarkupInt(0),
                                               nullptr, MarkupPropertyAffectsRender);
    m_pRadiusYProperty = RegisterShapeProperty(L"RadiusY", MARKUP_TYPE(CKitMarkupInt), pOwner, new CKitMarkupInt(0),
                                               nullptr, MarkupPropertyAffectsRender);
}

// CKitMarkupLine

CKitMarkupDependencyProperty* CKitMarkupLine::m_pX1Property = nullptr;
CKitMarkupDependencyProperty* CKitMarkupLine::m_pY1Property = nullptr;
CKitMarkupDependencyProperty* CKitMarkupLine::m_pX2Property = nullptr;
CKitMarkupDependencyProperty* CKitMarkupLine::m_pY2Property = nullptr;

void CKitMarkupLine::RegisterProperties()
{
    m_pX1Property = RegisterCoordinate(L"X1");
    m_pY1Property = RegisterCoordinate(L"Y1");
    m_pX2Property = RegisterCoordinate(L"X2");
    m_pY2Property = RegisterCoordinate(L"Y2");
}

// CKitMarkupPolyline, CKitMarkupPolygon, CKitMarkupPath

CKitMarkupDependencyProperty* CKitMarkupPolyline::m_pPointsProperty = nullptr;

void CKitMarkupPolyline::RegisterProperties()
{
    m_pPointsProperty = RegisterPoints(MARKUP_TYPE(CKitMarkupPolyline));
}

CKitMarkupDependencyProperty* CKitMarkupPolygon::m_pPointsProperty = nullptr;

void CKitMarkupPolygon::RegisterProperties()
{
    m_pPointsProperty = RegisterPoints(MARKUP_TYPE(CKitMarkupPolygon));
}

CKitMarkupDependencyProperty* CKitMarkupPath::m_pDataProperty = nullptr;

void CKitMarkupPath::RegisterProperties()
{
    m_pDataProperty = RegisterShapeProperty(L"Data", MARKUP_TYPE(CKitMarkupPathGeometry), MARKUP_TYPE(CKitMarkupPath),
                                            nullptr, nullptr, MarkupPropertyAffectsMeasure);
}

// Geometry shared by the shapes

namespace {

// The extent of a bounding box counted from the element's origin; (0, 0) for an empty box.
SIZE ExtentFromOrigin(const RECT& bounds, bool hasPoints)
{
    if (!hasPoints)
        return {0, 0};
    // Counted in 64 bits: the box may span more than the integer range, which the extent keeps to.
    auto extent = [](LONG low, LONG high) {
        const long long span = std::max<long long>(static_cast<long long>(high) - low, high);
        return static_cast<LONG>(std::min<long long>(span, INT_MAX));
    };
    return {extent(bounds.left, bounds.right), extent(bounds.top, bounds.bottom)};
}

bool IsFinite(int nAvailable)
{
    return nAvailable != kMarkupUnbounded;
}

} // namespace

std::vector<POINT> CKitMarkupPointCollection::GetScaledPoints(int nWidth, int nHeight) const
{
    const long long width = static_cast<long long>(m_rcBounds.right) - m_rcBounds.left;
    const long long height = static_cast<long long>(m_rcBounds.bottom) - m_rcBounds.top;
    std::vector<POINT> points = m_points;
    for (POINT& point : points) {
        // The distance from the box's edge can exceed 32 bits: subtracted in 64 before the multiplication.
        if (width != 0)
            point.x = static_cast<LONG>((static_cast<long long>(point.x) - m_rcBounds.left) * nWidth / width);
        if (height != 0)
            point.y = static_cast<LONG>((static_cast<long long>(point.y) - m_rcBounds.top) * nHeight / height);
    }
    return points;
}

CKitMarkupBrush* CKitMarkupShape::GetFill() const
{
    return GetValueOf<CKitMarkupBrush>(m_pFillProperty);
}

CKitMarkupBrush* CKitMarkupShape::GetStroke() const
{
    return GetValueOf<CKitMarkupBrush>(m_pStrokeProperty);
}

int CKitMarkupShape::GetStrokeThickness() const
{
    return std::min(MarkupIntValue(this, m_pStrokeThicknessProperty, 1), kMarkupMaxStrokeThickness);
}

BOOL CKitMarkupShape::IsStretched() const
{
    return MarkupIntValue(this, m_pStretchProperty, 0) != 0;
}

CKitMarkupStrokeStyle CKitMarkupShape::GetStrokeStyle() const
{
    CKitMarkupStrokeStyle stroke;
    stroke.m_pBrush = GetStroke();
    stroke.m_nThickness = stroke.m_pBrush != nullptr ? GetStrokeThickness() : 0;
    stroke.m_pDashArray = GetValueOf<CKitMarkupDoubleCollection>(m_pStrokeDashArrayProperty);
    stroke.m_nStartCap = MarkupIntValue(this, m_pStrokeStartLineCapProperty, 0);
    stroke.m_nEndCap = MarkupIntValue(this, m_pStrokeEndLineCapProperty, 0);
    stroke.m_nLineJoin = MarkupIntValue(this, m_pStrokeLineJoinProperty, 0);
    return stroke;
}

std::vector<POINT> CKitMarkupShape::GetDrawnPoints(const CKitMarkupPointCollection* pPoints) const
{
    if (IsStretched())
        return pPoints->GetScaledPoints(m_szRender.cx, m_szRender.cy);
    return std::vector<POINT>(pPoints->GetPoints(), pPoints->GetPoints() + pPoints->GetCount());
}

SIZE CKitMarkupShape::ApplyStretch(SIZE size, int nAvailableWidth, int nAvailableHeight) const
{
    if (!IsStretched())
        return size;
    if (IsFinite(nAvailableWidth))
        size.cx = nAvailableWidth;
    if (IsFinite(nAvailableHeight))
        size.cy = nAvailableHeight;
    return size;
}

// CKitMarkupRectangle

SIZE CKitMarkupRectangle::MeasureOverride(CKitMarkupDrawingContext*, int nAvailableWidth, int nAvailableHeight)
{
    return ApplyStretch({0, 0}, nAvailableWidth, nAvailableHeight);
}

void CKitMarkupRectangle::OnRender(CKitMarkupDrawingContext* pDC)
{
    CKitMarkupBrush* pFill = GetFill();
    CKitMarkupBrush* pStroke = GetStroke();
    const int width = m_szRender.cx;
    const int height = m_szRender.cy;
    if ((pFill == nullptr && pStroke == nullptr) || width == 0 || height == 0)
        return;
    const int thickness = pStroke != nullptr ? GetStrokeThickness() : 0;
    const double radiusX =
        std::min<double>(MarkupIntValue(this, m_pRadiusXProperty, 0), (width - thickness) / 2.0);
    const double radiusY =
        std::min<double>(MarkupIntValue(this, m_pRadiusYProperty, 0), (height - thickness) / 2.0);
    double radii[8] = {};
    const double* pRadii = nullptr;
    if (radiusX > 0 && radiusY > 0) {
        // Vertical, horizontal, horizontal, vertical ... round the corners.
        const double order[8] = {radiusY, radiusX, radiusX, radiusY, radiusY, radiusX, radiusX, radiusY};
        std::copy(std::begin(order), std::end(order), radii);
        pRadii = radii;
    }
    if (pFill != nullptr) {
        const int inset = thickness / 2;
        pDC->FillRectangle({inset, inset, width - inset, height - inset}, pFill, pRadii);
    }
    if (thickness > 0) {
        const CKitMarkupThickness frame(thickness);
        pDC->DrawFrame({0, 0, width, height}, pStroke, &frame, pRadii);
    }
}

// CKitMarkupEllipse

SIZE CKitMarkupEllipse::MeasureOverride(CKitMarkupDrawingContext*, int nAvailableWidth, int nAvailableHeight)
{
    return ApplyStretch({0, 0}, nAvailableWidth, nAvailableHeight);
}

void CKitMarkupEllipse::OnRender(CKitMarkupDrawingContext* pDC)
{
    CKitMarkupBrush* pFill = GetFill();
    if (pFill == nullptr && GetStroke() == nullptr)
        return;
    const CKitMarkupStrokeStyle stroke = GetStrokeStyle();
    pDC->DrawEllipse({0, 0, m_szRender.cx, m_szRender.cy}, &stroke, pFill);
}

CKitMarkupInputElement* CKitMarkupEllipse::HitTestCore(POINT point)
{
    const int a = m_szRender.cx / 2;
    const int b = m_szRender.cy / 2;
    if (a < 1 || b < 1)
        return this;
    const double dx = static_cast<double>(point.x - a) / a;
    const double dy = static_cast<double>(point.y - b) / b;
    return dx * dx + dy * dy <= 1.0 ? this : nullptr;
}

// CKitMarkupLine

RECT CKitMarkupLine::GetEndPoints() const
{
    RECT ends = {MarkupIntValue(this, m_pX1Property, 0), MarkupIntValue(this, m_pY1Property, 0),
                 MarkupIntValue(this, m_pX2Property, 0), MarkupIntValue(this, m_pY2Property, 0)};
    if (!IsStretched())
        return ends;
    auto stretch = [](LONG& a, LONG& b, int extent) {
        if (a == b) {
            a = b = extent / 2;
        } else if (a > b) {
            a = extent;
            b = 0;
        } else {
            a = 0;
            b = extent;
        }
    };
    stretch(ends.left, ends.right, m_szRender.cx);
    stretch(ends.top, ends.bottom, m_szRender.cy);
    return ends;
}

SIZE CKitMarkupLine::MeasureOverride(CKitMarkupDrawingContext*, int nAvailableWidth, int nAvailableHeight)
{
    const int x1 = MarkupIntValue(this, m_pX1Property, 0);
    const int y1 = MarkupIntValue(this, m_pY1Property, 0);
    const int x2 = MarkupIntValue(this, m_pX2Property, 0);
    const int y2 = MarkupIntValue(this, m_pY2Property, 0);
    SIZE size = {std::max(x1, x2), std::max(y1, y2)};
    if (GetStroke() != nullptr) {
        const int half = (GetStrokeThickness() + 1) / 2;
        if (x1 == x2)
            size.cx += half;
        if (y1 == y2)
            size.cy += half;
    }
    return ApplyStretch(size, nAvailableWidth, nAvailableHeight);
}

void CKitMarkupLine::OnRender(CKitMarkupDrawingContext* pDC)
{
    const CKitMarkupStrokeStyle stroke = GetStrokeStyle();
    if (stroke.m_nThickness <= 0)
        return;
    const RECT ends = GetEndPoints();
    if (ends.left == 0 && ends.top == 0 && ends.right == 0 && ends.bottom == 0)
        return;
    pDC->DrawLine(ends.left, ends.top, ends.right, ends.bottom, &stroke);
}

CKitMarkupInputElement* CKitMarkupLine::HitTestCore(POINT point)
{
    if (GetStroke() == nullptr || GetStrokeThickness() == 0)
        return nullptr;
    const RECT ends = GetEndPoints();
    const double dx = static_cast<double>(ends.right) - ends.left;
    const double dy = static_cast<double>(ends.bottom) - ends.top;
    const double px = static_cast<double>(point.x) - ends.left;
    const double py = static_cast<double>(point.y) - ends.top;
    const double half = GetStrokeThickness() / 2.0;
    if (px < std::min(0.0, dx) - half || px > std::max(0.0, dx) + half || py < std::min(0.0, dy) - half ||
        py > std::max(0.0, dy) + half)
        return nullptr;
    if (dx == 0.0)
        return std::fabs(px) <= half ? this : nullptr;
    return std::fabs(px * dy / dx - py) <= std::fabs(half / std::cos(std::atan(dy / dx))) ? this : nullptr;
}

// CKitMarkupPolyline, CKitMarkupPolygon

SIZE CKitMarkupPolyline::MeasureOverride(CKitMarkupDrawingContext*, int nAvailableWidth, int nAvailableHeight)
{
    const CKitMarkupPointCollection* pPoints = GetValueOf<CKitMarkupPointCollection>(m_pPointsProperty);
    const bool hasPoints = pPoints != nullptr && pPoints->GetCount() > 0;
    SIZE size = ExtentFromOrigin(hasPoints ? pPoints->GetBounds() : RECT{}, hasPoints);
    if (hasPoints && GetStroke() != nullptr) {
        const int half = (GetStrokeThickness() + 1) / 2;
        if (size.cx == 0)
            size.cx = half;
        if (size.cy == 0)
            size.cy = half;
    }
    return ApplyStretch(size, nAvailableWidth, nAvailableHeight);
}

void CKitMarkupPolyline::OnRender(CKitMarkupDrawingContext* pDC)
{
    const CKitMarkupStrokeStyle stroke = GetStrokeStyle();
    const CKitMarkupPointCollection* pPoints = GetValueOf<CKitMarkupPointCollection>(m_pPointsProperty);
    if (stroke.m_nThickness <= 0 || pPoints == nullptr || pPoints->GetCount() == 0)
        return;
    const std::vector<POINT> points = GetDrawnPoints(pPoints);
    pDC->Polyline(points.data(), static_cast<int>(points.size()), &stroke);
}

SIZE CKitMarkupPolygon::MeasureOverride(CKitMarkupDrawingContext*, int nAvailableWidth, int nAvailableHeight)
{
    const CKitMarkupPointCollection* pPoints = GetValueOf<CKitMarkupPointCollection>(m_pPointsProperty);
    const bool hasPoints = pPoints != nullptr && pPoints->GetCount() > 0;
    return ApplyStretch(ExtentFromOrigin(hasPoints ? pPoints->GetBounds() : RECT{}, hasPoints), nAvailableWidth,
                        nAvailableHeight);
}

void CKitMarkupPolygon::OnRender(CKitMarkupDrawingContext* pDC)
{
    CKitMarkupBrush* pFill = GetFill();
    const CKitMarkupPointCollection* pPoints = GetValueOf<CKitMarkupPointCollection>(m_pPointsProperty);
    if ((pFill == nullptr && GetStroke() == nullptr) || pPoints == nullptr || pPoints->GetCount() == 0)
        return;
    const CKitMarkupStrokeStyle stroke = GetStrokeStyle();
    const std::vector<POINT> points = GetDrawnPoints(pPoints);
    pDC->Polygon(points.data(), static_cast<int>(points.size()), &stroke, pFill);
}

// CKitMarkupPath

SIZE CKitMarkupPath::MeasureOverride(CKitMarkupDrawingContext*, int nAvailableWidth, int nAvailableHeight)
{
    const CKitMarkupPathGeometry* pData = GetValueOf<CKitMarkupPathGeometry>(m_pDataProperty);
    const bool hasPoints = pData != nullptr && pData->GetCount() > 0;
    return ApplyStretch(ExtentFromOrigin(hasPoints ? pData->GetBounds() : RECT{}, hasPoints), nAvailableWidth,
                        nAvailableHeight);
}

void CKitMarkupPath::OnRender(CKitMarkupDrawingContext* pDC)
{
    CKitMarkupBrush* pFill = GetFill();
    CKitMarkupPathGeometry* pData = GetValueOf<CKitMarkupPathGeometry>(m_pDataProperty);
    if ((pFill == nullptr && GetStroke() == nullptr) || pData == nullptr)
        return;
    const CKitMarkupStrokeStyle stroke = GetStrokeStyle();
    if (IsStretched()) {
        CKitMarkupRef<CKitMarkupPathGeometry> scaled(pData->CreateScaled(m_szRender.cx, m_szRender.cy));
        pDC->DrawPath(scaled.Get(), &stroke, pFill);
    } else {
        pDC->DrawPath(pData, &stroke, pFill);
    }
}

#include "toolkit/markup/markup_shapes.h"

#include "toolkit/markup/markup_brushes.h"
#include "toolkit/markup/markup_converters.h"
#include "toolkit/markup/markup_geometry.h"
#include "toolkit/markup/markup_text.h"
#include "toolkit/markup/markup_values.h"

#include <algorithm>
#include <climits>

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

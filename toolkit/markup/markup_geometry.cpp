#include "toolkit/markup/markup_geometry.h"

#include <cmath>

// CKitMarkupPathGeometry

CKitMarkupPathGeometry::CKitMarkupPathGeometry() : m_rcBounds{0, 0, 0, 0}, m_nPixelOffsetMode(0) {}

CKitMarkupPathGeometry::CKitMarkupPathGeometry(const std::vector<MARKUP_POINTF>& points,
                                               const std::vector<BYTE>& types)
    : m_points(points), m_types(types), m_rcBounds{0, 0, 0, 0}, m_nPixelOffsetMode(0)
{
    if (m_points.empty())
        return;
    float left = m_points[0].x;
    float top = m_points[0].y;
    float right = left;
    float bottom = top;
    for (const MARKUP_POINTF& point : m_points) {
        left = std::fmin(left, point.x);
        top = std::fmin(top, point.y);
        right = std::fmax(right, point.x);
        bottom = std::fmax(bottom, point.y);
    }
    m_rcBounds = {static_cast<LONG>(std::floor(left)), static_cast<LONG>(std::floor(top)),
                  static_cast<LONG>(std::ceil(right)), static_cast<LONG>(std::ceil(bottom))};
}

// CKitMarkupPathBuilder

void CKitMarkupPathBuilder::Append(float x, float y, BYTE type)
{
    m_points.push_back({x, y});
    m_types.push_back(type);
}

void CKitMarkupPathBuilder::StartFigure(float x, float y)
{
    Append(x, y, CKitMarkupPathGeometry::pointStart);
}

void CKitMarkupPathBuilder::LineTo(float x, float y)
{
    Append(x, y, CKitMarkupPathGeometry::pointLine);
}

void CKitMarkupPathBuilder::BezierTo(MARKUP_POINTF control1, MARKUP_POINTF control2, MARKUP_POINTF end)
{
    Append(control1.x, control1.y, CKitMarkupPathGeometry::pointBezier);
    Append(control2.x, control2.y, CKitMarkupPathGeometry::pointBezier);
    Append(end.x, end.y, CKitMarkupPathGeometry::pointBezier);
}

void CKitMarkupPathBuilder::CurveTo(MARKUP_POINTF c, MARKUP_POINTF end)
{
    BezierTo(c, end, end);
}

void CKitMarkupPathBuilder::CloseFigure()
{
    if (!m_types.empty())
        m_types.back() |= CKitMarkupPathGeometry::pointCloseFigure;
}

CKitMarkupPathGeometry* CKitMarkupPathBuilder::CreateGeometry() const
{
    return new CKitMarkupPathGeometry(m_points, m_types);
}

#include "toolkit/markup/markup_device_context.h"

#include "framework/handles.h"
#include "toolkit/common/dib_section.h"
#include "toolkit/markup/markup_brushes.h"
#include "toolkit/markup/markup_context.h"
#include "toolkit/markup/markup_geometry.h"
#include "toolkit/markup/markup_limits.h"
#include "toolkit/markup/markup_text.h"
#include "toolkit/markup/markup_thickness.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>
#include <vector>

namespace {

// A rounded rectangle strokes its curves with half-pixel offsets.
constexpr int kRoundRectanglePixelOffsetMode = 4;

// The stroke pen and the fill brush of one GDI call, selected for its duration;
// missing ones are replaced by the stock null pen and null brush.
class CGdiStrokeAndFill {
public:
    CGdiStrokeAndFill(HDC hdc, const CKitMarkupStrokeStyle* pStroke, const CKitMarkupBrush* pFill)
        : m_pen(HasStroke(pStroke) ? ::CreatePen(PS_SOLID, pStroke->GetPenWidth(), pStroke->m_pBrush->GetSolidColor())
                                   : nullptr),
          m_brush(pFill != nullptr ? ::CreateSolidBrush(pFill->GetSolidColor()) : nullptr),
          m_selectPen(hdc, m_pen ? static_cast<HGDIOBJ>(m_pen.Get()) : ::GetStockObject(NULL_PEN)),
          m_selectBrush(hdc, m_brush ? static_cast<HGDIOBJ>(m_brush.Get()) : ::GetStockObject(NULL_BRUSH))
    {
    }

    bool HasPen() const { return static_cast<bool>(m_pen); }
    bool HasBrush() const { return static_cast<bool>(m_brush); }

    static bool HasStroke(const CKitMarkupStrokeStyle* pStroke)
    {
        return pStroke != nullptr && pStroke->m_nThickness > 0 && pStroke->m_pBrush != nullptr;
    }

private:
    ScopedGdiObject<HPEN> m_pen;
    ScopedGdiObject<HBRUSH> m_brush;
    ScopedSelectObject m_selectPen;
    ScopedSelectObject m_selectBrush;
};

// The pixel (blue, green, red, 0 from the low byte up) at gradient parameter t.
DWORD GradientPixel(const std::vector<MarkupGradientStop>& stops, double t)
{
    const MarkupGradientStop* pColor = nullptr;
    if (t <= stops.front().offset) {
        pColor = &stops.front();
    } else if (t >= stops.back().offset) {
        pColor = &stops.back();
    } else {
        for (size_t k = 1; k < stops.size(); ++k) {
            if (stops[k].offset <= t || stops[k].distance == 0.0)
                continue;
            const double a = (stops[k].offset - t) / stops[k].distance;
            DWORD pixel = 0;
            for (int channel = 0; channel < 3; ++channel) {
                const double value = stops[k].channels[channel] * (1.0 - a) + stops[k - 1].channels[channel] * a;
                pixel |= static_cast<DWORD>(static_cast<BYTE>(value)) << (channel * 8);
            }
            return pixel;
        }
        pColor = &stops.back();
    }
    return pColor->channels[0] | (pColor->channels[1] << 8) | (pColor->channels[2] << 16);
}

POINT RoundPoint(const MARKUP_POINTF& point)
{
    return {static_cast<LONG>(std::lround(point.x)), static_cast<LONG>(std::lround(point.y))};
}

// A character's advance on a device context: its width less the font's overhang;
// the average width when it cannot be measured or for a lead byte.
int CharAdvance(HDC hdc, const TEXTMETRICW& metrics, WCHAR ch)
{
    const BYTE low = static_cast<BYTE>(ch & 0xFF);
    INT width = 0;
    if (::IsDBCSLeadByte(low) || !::GetCharWidthA(hdc, low, low, &width))
        return metrics.tmAveCharWidth;
    return width - metrics.tmOverhang;
}

} // namespace

int CKitMarkupStrokeStyle::GetPenWidth() const
{
    return std::min(m_nThickness, kMarkupMaxStrokeThickness);
}

std::vector<MarkupGradientStop> MarkupSortGradientStops(const CKitMarkupGradientStops* pStops)
{
    std::vector<MarkupGradientStop> stops;
    for (int i = 0; i < pStops->GetCount(); ++i) {
        const CKitMarkupGradientStop* pStop = pStops->GetStop(i);
        const DWORD clr = pStop->GetColor();
        stops.push_back({{GetBValue(clr), GetGValue(clr), GetRValue(clr), 0}, clr, pStop->GetOffset(), i, 0.0});
    }
    std::stable_sort(stops.begin(), stops.end(),
                     [](const MarkupGradientStop& a, const MarkupGradientStop& b) { return a.offset < b.offset; });
    for (size_t k = 1; k < stops.size(); ++k)
        stops[k].distance = stops[k].offset - stops[k - 1].offset;
    return stops;
}

CKitMarkupDeviceContext::CKitMarkupDeviceContext(HDC hdc, HDC hAttribDC)
    : m_hdc(hdc),
      m_hAttribDC(hAttribDC != nullptr ? hAttribDC : hdc),
      m_windowExtent{1, 1},
      m_viewportExtent{1, 1},
      m_hSavedFont(nullptr)
{
    if (m_hdc != nullptr) {
        ::GetWindowExtEx(m_hdc, &m_windowExtent);
        ::GetViewportExtEx(m_hdc, &m_viewportExtent);
        if (m_windowExtent.cx == 0 || m_windowExtent.cy == 0)
            m_windowExtent = m_viewportExtent = {1, 1};
    }
    m_windowExtent = {std::abs(m_windowExtent.cx), std::abs(m_windowExtent.cy)};
    m_viewportExtent = {std::abs(m_viewportExtent.cx), std::abs(m_viewportExtent.cy)};
}

CKitMarkupDeviceContext::~CKitMarkupDeviceContext() = default;

void CKitMarkupDeviceContext::OffsetViewport(POINT point)
{
    ::OffsetViewportOrgEx(m_hdc, point.x * m_viewportExtent.cx / m_windowExtent.cx,
                          point.y * m_viewportExtent.cy / m_windowExtent.cy, nullptr);
}

void CKitMarkupDeviceContext::DrawEllipse(const RECT& rect, const CKitMarkupStrokeStyle* pStroke,
                                          CKitMarkupBrush* pFill)
{
    CGdiStrokeAndFill objects(m_hdc, pStroke, pFill);
    ::Ellipse(m_hdc, rect.left, rect.top, rect.right, rect.bottom);
}

void CKitMarkupDeviceContext::DrawFrame(const RECT& rect, CKitMarkupBrush* pBrush,
                                        const CKitMarkupThickness* pThickness)
{
    if (pThickness == nullptr)
        return;
    if (pThickness->m_nLeft > 0)
        FillRectangle({rect.left, rect.top, rect.left + pThickness->m_nLeft, rect.bottom}, pBrush);
    if (pThickness->m_nRight > 0)
        FillRectangle({rect.right - pThickness->m_nRight, rect.top, rect.right, rect.bottom}, pBrush);
    if (pThickness->m_nTop > 0)
        FillRectangle({rect.left, rect.top, rect.right, rect.top + pThickness->m_nTop}, pBrush);
    if (pThickness->m_nBottom > 0)
        FillRectangle({rect.left, rect.bottom - pThickness->m_nBottom, rect.right, rect.bottom}, pBrush);
}

void CKitMarkupDeviceContext::FillSolid(const RECT& rect, COLORREF clr)
{
    const COLORREF previous = ::SetBkColor(m_hdc, clr & 0x00FFFFFF);
    ::ExtTextOutA(m_hdc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
    ::SetBkColor(m_hdc, previous);
}

void CKitMarkupDeviceContext::FillRectangle(const RECT& rect, CKitMarkupBrush* pBrush)
{
    if (const CKitMarkupSolidColorBrush* pSolid = MarkupDynamicCast<CKitMarkupSolidColorBrush>(pBrush))
        FillSolid(rect, pSolid->GetSolidColor());
    else if (MarkupDynamicCast<CKitMarkupLinearGradientBrush>(pBrush) != nullptr)
        FillGradient(rect, pBrush);
}

void CKitMarkupDeviceContext::FillGradient(const RECT& rect, CKitMarkupBrush* pBrush)
{
    const CKitMarkupLinearGradientBrush* pGradient = static_cast<CKitMarkupLinearGradientBrush*>(pBrush);
    const CKitMarkupGradientStops* pStops = pGradient->GetGradientStops();
    const int width = MarkupClampToInt(static_cast<long long>(rect.right) - rect.left);
    const int height = MarkupClampToInt(static_cast<long long>(rect.bottom) - rect.top);
    if (pStops == nullptr || pStops->GetCount() == 0 || width <= 0 || height <= 0)
        return;
    if (pStops->GetCount() == 1) {
        FillSolid(rect, pStops->GetStop(0)->GetColor());
        return;
    }
    const CKitMarkupPoint* pStart = pGradient->GetStartPoint();
    const CKitMarkupPoint* pEnd = pGradient->GetEndPoint();
    const double startX = (pStart != nullptr ? pStart->m_x : 0.0) * width;
    const double startY = (pStart != nullptr ? pStart->m_y : 0.0) * height;
    const double endX = (pEnd != nullptr ? pEnd->m_x : 1.0) * width;
    const double endY = (pEnd != nullptr ? pEnd->m_y : 1.0) * height;
    if (startX == endX && startY == endY)
        return;

    RECT clip;
    ::GetClipBox(m_hdc, &clip);
    ::OffsetRect(&clip, -rect.left, -rect.top);
    const RECT whole = {0, 0, width, height};
    if (!::IntersectRect(&clip, &clip, &whole))
        return;

    // The bitmap covers the visible part only, however large the rectangle.
    const int clipWidth = clip.right - clip.left;
    const int clipHeight = clip.bottom - clip.top;
    LPBYTE bits = nullptr;
    ScopedGdiObject<HBITMAP> bitmap(Create32BitDibSection(m_hdc, clipWidth, clipHeight, &bits));
    if (!bitmap || bits == nullptr)
        return;
    const std::vector<MarkupGradientStop> stops = MarkupSortGradientStops(pStops);
    const double dx = endX - startX;
    const double dy = endY - startY;
    const double length = std::sqrt(dx * dx + dy * dy);
    const double lengthSquared = length * length;
    auto parameter = [&](int x, int y) { return ((x - startX) * dx + (y - startY) * dy) / lengthSquared; };
    // The pixels of row y (rectangle coordinates) from column clip.left on; rows run bottom-up in the bitmap.
    auto row = [&](int y) {
        return reinterpret_cast<DWORD*>(bits) + static_cast<size_t>(clip.bottom - 1 - y) * clipWidth;
    };

    if (startX == endX) {
        for (int y = clip.top; y < clip.bottom; ++y)
            std::fill(row(y), row(y) + clipWidth, GradientPixel(stops, parameter(0, y)));
    } else if (startY == endY) {
        DWORD* first = row(clip.top);
        for (int x = clip.left; x < clip.right; ++x)
            first[x - clip.left] = GradientPixel(stops, parameter(x, 0));
        for (int y = clip.top + 1; y < clip.bottom; ++y)
            std::copy(first, first + clipWidth, row(y));
    } else {
        for (int y = clip.top; y < clip.bottom; ++y) {
            DWORD* pixels = row(y);
            for (int x = clip.left; x < clip.right; ++x)
                pixels[x - clip.left] = GradientPixel(stops, parameter(x, y));
        }
    }

    ScopedMemoryDC memory(::CreateCompatibleDC(m_hdc));
    if (!memory)
        return;
    ScopedSelectObject select(memory.Get(), bitmap.Get());
    ::BitBlt(m_hdc, rect.left + clip.left, rect.top + clip.top, clipWidth, clipHeight, memory.Get(), 0, 0, SRCCOPY);
}

void CKitMarkupDeviceContext::DrawLine(int x1, int y1, int x2, int y2, const CKitMarkupStrokeStyle* pStroke)
{
    CGdiStrokeAndFill objects(m_hdc, pStroke, nullptr);
    ::MoveToEx(m_hdc, x1, y1, nullptr);
    ::LineTo(m_hdc, x2, y2);
}

void CKitMarkupDeviceContext::Polyline(const POINT* pPoints, int nCount, const CKitMarkupStrokeStyle* pStroke)
{
    CGdiStrokeAndFill objects(m_hdc, pStroke, nullptr);
    ::Polyline(m_hdc, pPoints, nCount);
}

void CKitMarkupDeviceContext::Polygon(const POINT* pPoints, int nCount, const CKitMarkupStrokeStyle* pStroke,
                                      CKitMarkupBrush* pFill)
{
    CGdiStrokeAndFill objects(m_hdc, pStroke, pFill);
    ::Polygon(m_hdc, pPoints, nCount);
}

void CKitMarkupDeviceContext::DrawPath(const CKitMarkupPathGeometry* pPath, const CKitMarkupStrokeStyle* pStroke,
                                       CKitMarkupBrush* pFill)
{
    if (pPath == nullptr || pPath->GetCount() == 0)
        return;
    const MARKUP_POINTF* pPoints = pPath->GetPoints();
    const BYTE* pTypes = pPath->GetTypes();
    const int count = pPath->GetCount();
    ::BeginPath(m_hdc);
    for (int i = 0; i < count; ++i) {
        const BYTE kind = pTypes[i] & CKitMarkupPathGeometry::pointTypeMask;
        if (kind == CKitMarkupPathGeometry::pointBezier && i + 2 < count) {
            const POINT curve[3] = {RoundPoint(pPoints[i]), RoundPoint(pPoints[i + 1]), RoundPoint(pPoints[i + 2])};
            ::PolyBezierTo(m_hdc, curve, 3);
            i += 2;
        } else if (kind == CKitMarkupPathGeometry::pointStart) {
            const POINT point = RoundPoint(pPoints[i]);
            ::MoveToEx(m_hdc, point.x, point.y, nullptr);
        } else {
            const POINT point = RoundPoint(pPoints[i]);
            ::LineTo(m_hdc, point.x, point.y);
        }
        if (pTypes[i] & CKitMarkupPathGeometry::pointCloseFigure)
            ::CloseFigure(m_hdc);
    }
    ::EndPath(m_hdc);

    CGdiStrokeAndFill objects(m_hdc, pStroke, pFill);
    if (objects.HasBrush() && objects.HasPen())
        ::StrokeAndFillPath(m_hdc);
    else if (objects.HasBrush())
        ::FillPath(m_hdc);
    else if (objects.HasPen())
        ::StrokePath(m_hdc);
    else
        ::AbortPath(m_hdc);
}

CKitMarkupPathGeometry* CKitMarkupDeviceContext::CreateRoundRectangle(double left, double top, double right,
                                                                      double bottom, const double* r)
{
    auto point = [](double x, double y) { return MARKUP_POINTF{static_cast<float>(x), static_cast<float>(y)}; };
    CKitMarkupPathBuilder builder;
    builder.StartFigure(static_cast<float>(left), static_cast<float>(top + r[0]));
    builder.CurveTo(point(left, top), point(left + r[1], top));
    builder.LineTo(static_cast<float>(right - r[2]), static_cast<float>(top));
    builder.CurveTo(point(right, top), point(right, top + r[3]));
    builder.LineTo(static_cast<float>(right), static_cast<float>(bottom - r[4]));
    builder.CurveTo(point(right, bottom), point(right - r[5], bottom));
    builder.LineTo(static_cast<float>(left + r[6]), static_cast<float>(bottom));
    builder.CurveTo(point(left, bottom), point(left, bottom - r[7]));
    builder.CloseFigure();
    CKitMarkupPathGeometry* pGeometry = builder.CreateGeometry();
    pGeometry->SetPixelOffsetMode(kRoundRectanglePixelOffsetMode);
    return pGeometry;
}

void CKitMarkupDeviceContext::FillRoundRectangle(const RECT& rect, CKitMarkupBrush* pBrush, const double* pRadii)
{
    if (pRadii == nullptr) {
        FillRectangle(rect, pBrush);
        return;
    }
    CKitMarkupRef<CKitMarkupPathGeometry> path(
        CreateRoundRectangle(rect.left, rect.top, rect.right, rect.bottom, pRadii));
    DrawPath(path.Get(), nullptr, pBrush);
}

void CKitMarkupDeviceContext::DrawRoundFrame(const RECT& rect, CKitMarkupBrush* pBrush,
                                             const CKitMarkupThickness* pThickness, const double* pRadii)
{
    if (pRadii == nullptr) {
        DrawFrame(rect, pBrush, pThickness);
        return;
    }
    if (pThickness == nullptr)
        return;
    const double half = pThickness->m_nLeft / 2.0;
    CKitMarkupRef<CKitMarkupPathGeometry> path(
        CreateRoundRectangle(rect.left + half, rect.top + half, rect.right - half, rect.bottom - half, pRadii));
    CKitMarkupStrokeStyle stroke;
    stroke.m_nThickness = pThickness->m_nLeft;
    stroke.m_pBrush = pBrush;
    DrawPath(path.Get(), &stroke, nullptr);
}

void CKitMarkupDeviceContext::DrawTextLine(LPCWSTR lpszText, int nLength, POINT origin)
{
    if (m_hdc == m_hAttribDC)
        DrawMeasuredText(lpszText, nLength, origin);
    else
        DrawSpacedText(lpszText, nLength, origin);
}

// Draws each character where the text's measure puts it, so that the text ends where its extent says.
void CKitMarkupDeviceContext::DrawMeasuredText(LPCWSTR lpszText, int nLength, POINT origin)
{
    if (nLength <= 0)
        return;
    std::vector<INT> ends(static_cast<size_t>(nLength));
    int nFit = 0;
    SIZE extent = {};
    if (!::GetTextExtentExPointW(m_hdc, lpszText, nLength, INT_MAX, &nFit, ends.data(), &extent)) {
        ::ExtTextOutW(m_hdc, origin.x, origin.y, 0, nullptr, lpszText, static_cast<UINT>(nLength), nullptr);
        return;
    }
    std::vector<INT> advances(ends.size());
    int previous = 0;
    for (size_t i = 0; i < ends.size(); ++i) {
        advances[i] = ends[i] - previous;
        previous = ends[i];
    }
    ::ExtTextOutW(m_hdc, origin.x, origin.y, 0, nullptr, lpszText, static_cast<UINT>(nLength), advances.data());
}

// Draws on the output device context with the character places of the attribute one.
void CKitMarkupDeviceContext::DrawSpacedText(LPCWSTR lpszText, int nLength, POINT origin)
{
    TEXTMETRICW attribMetrics = {};
    TEXTMETRICW outputMetrics = {};
    ::GetTextMetricsW(m_hAttribDC, &attribMetrics);
    ::GetTextMetricsW(m_hdc, &outputMetrics);
    const UINT alignment = ::GetTextAlign(m_hAttribDC);
    const bool updatesPosition = (::GetTextAlign(m_hdc) & TA_UPDATECP) != 0;
    POINT start = origin;
    if (updatesPosition)
        ::GetCurrentPositionEx(m_hdc, &start);

    std::vector<WCHAR> output;
    std::vector<INT> advances;
    int position = 0;      // where the next output character starts, from the start point
    int segmentStart = 0;  // where the text after the last break character starts
    int segmentIndex = 0;  // index of the first character after the last break
    for (int i = 0; i < nLength; ++i) {
        const WCHAR ch = lpszText[i];
        if (ch == attribMetrics.tmBreakChar) {
            SIZE extent = {};
            ::GetTextExtentPoint32W(m_hAttribDC, lpszText + segmentIndex, i + 1 - segmentIndex, &extent);
            const int end = segmentStart + extent.cx - attribMetrics.tmOverhang;
            if (!output.empty()) {
                advances.back() += end - position;
                position = end;
            } else if ((alignment & TA_CENTER) == TA_CENTER) {
                start.x += (end - position) / 2;
            } else if ((alignment & (TA_CENTER | TA_RIGHT)) == TA_LEFT) {
                start.x += end - position;
            }
            segmentStart = position;
            segmentIndex = i + 1;
            continue;
        }
        const int advance = CharAdvance(m_hAttribDC, attribMetrics, ch);
        if (!output.empty()) {
            const int shift = (advance - CharAdvance(m_hdc, outputMetrics, ch)) / 2;
            advances.back() += shift;
            output.push_back(ch);
            advances.push_back(advance - shift);
        } else {
            output.push_back(ch);
            advances.push_back(advance);
        }
        position += advance;
    }
    if (updatesPosition)
        ::MoveToEx(m_hdc, start.x, start.y, nullptr);
    if (!output.empty())
        ::ExtTextOutW(m_hdc, start.x, start.y, 0, nullptr, output.data(), static_cast<UINT>(output.size()),
                      advances.data());
}

SIZE CKitMarkupDeviceContext::GetTextExtent(LPCWSTR lpszText, int nLength)
{
    SIZE size = {0, 0};
    ::GetTextExtentPoint32W(m_hAttribDC, lpszText, nLength, &size);
    return size;
}

void CKitMarkupDeviceContext::GetTextMetrics(TEXTMETRICW& metrics)
{
    metrics = {};
    ::GetTextMetricsW(m_hAttribDC, &metrics);
}

void CKitMarkupDeviceContext::SetTextColor(CKitMarkupBrush* pBrush)
{
    ::SetTextColor(m_hdc, pBrush != nullptr ? pBrush->GetSolidColor() : RGB(0, 0, 0));
}

void CKitMarkupDeviceContext::SetTextFont(CKitMarkupFont* pFont)
{
    HFONT hFont = nullptr;
    if (pFont != nullptr) {
        hFont = pFont->GetHandle();
    } else {
        hFont = std::exchange(m_hSavedFont, nullptr);
        if (hFont == nullptr)
            return;
    }
    if (m_hdc != m_hAttribDC)
        ::SelectObject(m_hdc, hFont);
    HFONT hPrevious = static_cast<HFONT>(::SelectObject(m_hAttribDC, hFont));
    if (pFont != nullptr && m_hSavedFont == nullptr)
        m_hSavedFont = hPrevious;
}

void CKitMarkupDeviceContext::IntersectClipRect(const RECT& rect)
{
    ::IntersectClipRect(m_hdc, rect.left, rect.top, rect.right, rect.bottom);
}

void CKitMarkupDeviceContext::GetClipBox(RECT& rect)
{
    ::GetClipBox(m_hdc, &rect);
}

HRGN CKitMarkupDeviceContext::GetClipRegion()
{
    HRGN hRegion = ::CreateRectRgn(0, 0, 0, 0);
    if (hRegion == nullptr)
        return nullptr;
    if (::GetClipRgn(m_hdc, hRegion) != 1) {
        ::DeleteObject(hRegion);
        return NoClipRegion();
    }
    return hRegion;
}

void CKitMarkupDeviceContext::SelectClipRegion(HRGN hRegion)
{
    if (hRegion == nullptr)
        return;
    if (hRegion == NoClipRegion()) {
        ::ExtSelectClipRgn(m_hdc, nullptr, RGN_COPY);
        return;
    }
    ::ExtSelectClipRgn(m_hdc, hRegion, RGN_COPY);
    ::DeleteObject(hRegion);
}

HDC CKitMarkupDeviceContext::GetDC()
{
    return m_hdc;
}

void CKitMarkupDeviceContext::ReleaseDC(HDC) {}

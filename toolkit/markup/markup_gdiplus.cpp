#include "toolkit/markup/markup_gdiplus.h"

#include "toolkit/markup/markup_brushes.h"
#include "toolkit/markup/markup_geometry.h"
#include "toolkit/markup/markup_thickness.h"
#include "toolkit/markup/markup_values.h"

#include <algorithm>
#include <iterator>
#include <type_traits>
#include <vector>

namespace {

// The flat functions' own values.
constexpr int kUnitPixel = 2;
constexpr int kUnitWorld = 0;
constexpr int kSmoothingNone = 1;
constexpr int kSmoothingHighQuality = 2;
constexpr int kPixelOffsetNone = 0;
constexpr int kPixelOffsetHalf = 4;
constexpr int kFillModeAlternate = 0;
constexpr int kWrapModeTileFlipXY = 3;
constexpr int kStatusOk = 0;

struct StartupInput {
    UINT32 version;
    void* debugCallback;
    BOOL suppressBackgroundThread;
    BOOL suppressExternalCodecs;
};

// The names bound, in table order.
constexpr LPCSTR kFunctionNames[CKitMarkupGdiPlusBinding::fnCount] = {
    "GdiplusStartup",       "GdiplusShutdown",     "GdipSetPixelOffsetMode", "GdipSetPageUnit",
    "GdipSetSmoothingMode", "GdipSetLinePresetBlend", "GdipCreateFromHDC2",  "GdipCreateFromHDC",
    "GdipCreatePath2",      "GdipCreateSolidFill", "GdipCreateLineBrush",    "GdipCreatePen1",
    "GdipCreatePen2",       "GdipDeleteGraphics",  "GdipDeleteBrush",        "GdipDeletePen",
    "GdipDeletePath",       "GdipDrawEllipse",     "GdipDrawLinesI",         "GdipDrawPolygonI",
    "GdipDrawPath",         "GdipDrawLineI",       "GdipFillEllipse",        "GdipFillPolygonI",
    "GdipFillRectangleI",   "GdipFillPath",        "GdipSetPenDashArray",    "GdipSetPenLineJoin",
    "GdipSetPenStartCap",   "GdipSetPenEndCap"};

// The signature of each bound function.
template <CKitMarkupGdiPlusBinding::Function F>
struct Signature;
#define MARKUP_GDIPLUS_SIGNATURE(function, type) \
    template <>                                  \
    struct Signature<CKitMarkupGdiPlusBinding::function> {  \
        using Type = type;                       \
    };
MARKUP_GDIPLUS_SIGNATURE(fnStartup, int(WINAPI*)(ULONG_PTR*, const StartupInput*, void*))
MARKUP_GDIPLUS_SIGNATURE(fnShutdown, void(WINAPI*)(ULONG_PTR))
MARKUP_GDIPLUS_SIGNATURE(fnSetPixelOffsetMode, int(WINAPI*)(MarkupGpGraphics*, int))
MARKUP_GDIPLUS_SIGNATURE(fnSetPageUnit, int(WINAPI*)(MarkupGpGraphics*, int))
MARKUP_GDIPLUS_SIGNATURE(fnSetSmoothingMode, int(WINAPI*)(MarkupGpGraphics*, int))
MARKUP_GDIPLUS_SIGNATURE(fnSetLinePresetBlend, int(WINAPI*)(MarkupGpBrush*, const DWORD*, const float*, int))
MARKUP_GDIPLUS_SIGNATURE(fnCreateFromHDC2, int(WINAPI*)(HDC, HANDLE, MarkupGpGraphics**))
MARKUP_GDIPLUS_SIGNATURE(fnCreateFromHDC, int(WINAPI*)(HDC, MarkupGpGraphics**))
MARKUP_GDIPLUS_SIGNATURE(fnCreatePath2, int(WINAPI*)(const MARKUP_POINTF*, const BYTE*, int, int, MarkupGpPath**))
MARKUP_GDIPLUS_SIGNATURE(fnCreateSolidFill, int(WINAPI*)(DWORD, MarkupGpBrush**))
MARKUP_GDIPLUS_SIGNATURE(fnCreateLineBrush,
                         int(WINAPI*)(const MARKUP_POINTF*, const MARKUP_POINTF*, DWORD, DWORD, int, MarkupGpBrush**))
MARKUP_GDIPLUS_SIGNATURE(fnCreatePen1, int(WINAPI*)(DWORD, float, int, MarkupGpPen**))
MARKUP_GDIPLUS_SIGNATURE(fnCreatePen2, int(WINAPI*)(MarkupGpBrush*, float, int, MarkupGpPen**))
MARKUP_GDIPLUS_SIGNATURE(fnDeleteGraphics, int(WINAPI*)(MarkupGpGraphics*))
MARKUP_GDIPLUS_SIGNATURE(fnDeleteBrush, int(WINAPI*)(MarkupGpBrush*))
MARKUP_GDIPLUS_SIGNATURE(fnDeletePen, int(WINAPI*)(MarkupGpPen*))
MARKUP_GDIPLUS_SIGNATURE(fnDeletePath, int(WINAPI*)(MarkupGpPath*))
MARKUP_GDIPLUS_SIGNATURE(fnDrawEllipse, int(WINAPI*)(MarkupGpGraphics*, MarkupGpPen*, float, float, float, float))
MARKUP_GDIPLUS_SIGNATURE(fnDrawLinesI, int(WINAPI*)(MarkupGpGraphics*, MarkupGpPen*, const POINT*, int))
MARKUP_GDIPLUS_SIGNATURE(fnDrawPolygonI, int(WINAPI*)(MarkupGpGraphics*, MarkupGpPen*, const POINT*, int))
MARKUP_GDIPLUS_SIGNATURE(fnDrawPath, int(WINAPI*)(MarkupGpGraphics*, MarkupGpPen*, MarkupGpPath*))
MARKUP_GDIPLUS_SIGNATURE(fnDrawLineI, int(WINAPI*)(MarkupGpGraphics*, MarkupGpPen*, int, int, int, int))
MARKUP_GDIPLUS_SIGNATURE(fnFillEllipse, int(WINAPI*)(MarkupGpGraphics*, MarkupGpBrush*, float, float, float, float))
MARKUP_GDIPLUS_SIGNATURE(fnFillPolygonI, int(WINAPI*)(MarkupGpGraphics*, MarkupGpBrush*, const POINT*, int, int))
MARKUP_GDIPLUS_SIGNATURE(fnFillRectangleI, int(WINAPI*)(MarkupGpGraphics*, MarkupGpBrush*, int, int, int, int))
MARKUP_GDIPLUS_SIGNATURE(fnFillPath, int(WINAPI*)(MarkupGpGraphics*, MarkupGpBrush*, MarkupGpPath*))
MARKUP_GDIPLUS_SIGNATURE(fnSetPenDashArray, int(WINAPI*)(MarkupGpPen*, const float*, int))
MARKUP_GDIPLUS_SIGNATURE(fnSetPenLineJoin, int(WINAPI*)(MarkupGpPen*, int))
MARKUP_GDIPLUS_SIGNATURE(fnSetPenStartCap, int(WINAPI*)(MarkupGpPen*, int))
MARKUP_GDIPLUS_SIGNATURE(fnSetPenEndCap, int(WINAPI*)(MarkupGpPen*, int))
#undef MARKUP_GDIPLUS_SIGNATURE

// Calls a bound function; a function that cannot be had reports failure (or does nothing).
template <CKitMarkupGdiPlusBinding::Function F, class... Args>
int Call(Args... args)
{
    using Fn = typename Signature<F>::Type;
    Fn pfn = reinterpret_cast<Fn>(CKitMarkupGdiPlusBinding::Instance().GetFunction(F));
    if (pfn == nullptr)
        return -1;
    if constexpr (std::is_void_v<decltype(pfn(args...))>) {
        pfn(args...);
        return kStatusOk;
    } else {
        return pfn(args...);
    }
}

// A brush colour (red low, alpha high) as alpha-red-green-blue.
DWORD ToArgb(DWORD clr)
{
    return (clr & 0xFF00FF00) | ((clr & 0xFF) << 16) | ((clr >> 16) & 0xFF);
}

// Fills that GDI draws exactly: no brush, an opaque solid colour, or a solid colour brush without a colour.
bool IsOpaque(CKitMarkupBrush* pBrush)
{
    if (pBrush == nullptr)
        return true;
    const CKitMarkupSolidColorBrush* pSolid = MarkupDynamicCast<CKitMarkupSolidColorBrush>(pBrush);
    if (pSolid == nullptr)
        return false;
    return pSolid->GetValue(CKitMarkupSolidColorBrush::m_pColorProperty) == nullptr ||
           (pSolid->GetColor() >> 24) == 0xFF;
}

// A GDI+ object deleted through its flat function when it goes.
template <class T, CKitMarkupGdiPlusBinding::Function Delete>
class GpObject {
public:
    GpObject() = default;
    ~GpObject()
    {
        if (m_p != nullptr)
            Call<Delete>(m_p);
    }
    GpObject(const GpObject&) = delete;
    GpObject& operator=(const GpObject&) = delete;

    T** Out() { return &m_p; }
    T* Get() const { return m_p; }
    explicit operator bool() const { return m_p != nullptr; }

private:
    T* m_p = nullptr;
};
using GpBrush = GpObject<MarkupGpBrush, CKitMarkupGdiPlusBinding::fnDeleteBrush>;
using GpPen = GpObject<MarkupGpPen, CKitMarkupGdiPlusBinding::fnDeletePen>;
using GpPath = GpObject<MarkupGpPath, CKitMarkupGdiPlusBinding::fnDeletePath>;

// A GDI+ brush for a markup brush; relative gradient points refer to the reference rectangle.
void CreateBrush(CKitMarkupBrush* pBrush, const RECT& reference, GpBrush& brush)
{
    if (pBrush == nullptr)
        return;
    if (const CKitMarkupSolidColorBrush* pSolid = MarkupDynamicCast<CKitMarkupSolidColorBrush>(pBrush)) {
        Call<CKitMarkupGdiPlusBinding::fnCreateSolidFill>(ToArgb(pSolid->GetColor()), brush.Out());
        return;
    }
    const CKitMarkupLinearGradientBrush* pGradient = MarkupDynamicCast<CKitMarkupLinearGradientBrush>(pBrush);
    const CKitMarkupGradientStops* pStops = pGradient != nullptr ? pGradient->GetGradientStops() : nullptr;
    if (pStops == nullptr || pStops->GetCount() == 0)
        return;
    const CKitMarkupPoint* pStart = pGradient->GetStartPoint();
    const CKitMarkupPoint* pEnd = pGradient->GetEndPoint();
    const float width = static_cast<float>(reference.right - reference.left);
    const float height = static_cast<float>(reference.bottom - reference.top);
    auto map = [&](const CKitMarkupPoint* pPoint, double fallback) {
        const double x = pPoint != nullptr ? pPoint->m_x : fallback;
        const double y = pPoint != nullptr ? pPoint->m_y : fallback;
        return MARKUP_POINTF{static_cast<float>(reference.left + width * x),
                             static_cast<float>(reference.top + height * y)};
    };
    const MARKUP_POINTF start = map(pStart, 0.0);
    const MARKUP_POINTF end = map(pEnd, 1.0);
    const std::vector<MarkupGradientStop> stops = MarkupSortGradientStops(pStops);
    const DWORD first = ToArgb(stops.front().color);
    const DWORD last = ToArgb(stops.back().color);
    if (Call<CKitMarkupGdiPlusBinding::fnCreateLineBrush>(&start, &end, first, last, kWrapModeTileFlipXY,
                                                          brush.Out()) != kStatusOk)
        return;
    std::vector<DWORD> colors = {first};
    std::vector<float> positions = {0.0f};
    for (const MarkupGradientStop& stop : stops) {
        colors.push_back(ToArgb(stop.color));
        positions.push_back(static_cast<float>(stop.offset));
    }
    colors.push_back(last);
    positions.push_back(1.0f);
    Call<CKitMarkupGdiPlusBinding::fnSetLinePresetBlend>(brush.Get(), colors.data(), positions.data(),
                                                         static_cast<int>(colors.size()));
}

// The pen of a stroke: none without a brush or a thickness of at least 1.
void CreatePen(const CKitMarkupStrokeStyle* pStroke, const RECT& reference, GpPen& pen)
{
    if (pStroke == nullptr || pStroke->m_pBrush == nullptr || pStroke->m_nThickness < 1)
        return;
    const float width = static_cast<float>(pStroke->GetPenWidth());
    if (const CKitMarkupSolidColorBrush* pSolid = MarkupDynamicCast<CKitMarkupSolidColorBrush>(pStroke->m_pBrush)) {
        Call<CKitMarkupGdiPlusBinding::fnCreatePen1>(ToArgb(pSolid->GetColor()), width, kUnitWorld, pen.Out());
    } else {
        GpBrush brush;
        CreateBrush(pStroke->m_pBrush, reference, brush);
        if (brush)
            Call<CKitMarkupGdiPlusBinding::fnCreatePen2>(brush.Get(), width, kUnitWorld, pen.Out());
    }
    if (!pen)
        return;
    if (const CKitMarkupDoubleCollection* pDashes = pStroke->m_pDashArray; pDashes != nullptr && pDashes->GetCount() > 0) {
        std::vector<float> dashes;
        for (int i = 0; i < pDashes->GetCount(); ++i)
            dashes.push_back(pDashes->GetAt(i));
        if (dashes.size() == 1)
            dashes.push_back(dashes.front());
        Call<CKitMarkupGdiPlusBinding::fnSetPenDashArray>(pen.Get(), dashes.data(), static_cast<int>(dashes.size()));
    }
    if (pStroke->m_nLineJoin != 0)
        Call<CKitMarkupGdiPlusBinding::fnSetPenLineJoin>(pen.Get(), pStroke->m_nLineJoin);
    if (pStroke->m_nStartCap != 0)
        Call<CKitMarkupGdiPlusBinding::fnSetPenStartCap>(pen.Get(), pStroke->m_nStartCap);
    if (pStroke->m_nEndCap != 0)
        Call<CKitMarkupGdiPlusBinding::fnSetPenEndCap>(pen.Get(), pStroke->m_nEndCap);
}

// Pixel offsets for a stroke: none for odd thicknesses, half a pixel for even ones.
int StrokePixelOffset(const CKitMarkupStrokeStyle* pStroke)
{
    return pStroke != nullptr && pStroke->m_nThickness % 2 != 0 ? kPixelOffsetNone : kPixelOffsetHalf;
}

RECT PointBounds(const POINT* pPoints, int nCount)
{
    RECT bounds = {0, 0, 0, 0};
    if (nCount <= 0)
        return bounds;
    bounds = {pPoints[0].x, pPoints[0].y, pPoints[0].x, pPoints[0].y};
    for (int i = 1; i < nCount; ++i) {
        bounds.left = std::min(bounds.left, pPoints[i].x);
        bounds.top = std::min(bounds.top, pPoints[i].y);
        bounds.right = std::max(bounds.right, pPoints[i].x);
        bounds.bottom = std::max(bounds.bottom, pPoints[i].y);
    }
    return bounds;
}

// A graphics object of the back-end for one primitive; nullptr when GDI+ cannot draw.
class ScopedGraphics {
public:
    explicit ScopedGraphics(CKitMarkupGdiPlusDeviceContext* pDevice) : m_pDevice(pDevice), m_p(pDevice->GetGraphics())
    {
    }
    ~ScopedGraphics()
    {
        if (m_p != nullptr)
            m_pDevice->ReleaseGraphics(m_p);
    }
    ScopedGraphics(const ScopedGraphics&) = delete;
    ScopedGraphics& operator=(const ScopedGraphics&) = delete;

    MarkupGpGraphics* Get() const { return m_p; }
    explicit operator bool() const { return m_p != nullptr; }
    void SetModes(int nSmoothing, int nPixelOffset) const
    {
        Call<CKitMarkupGdiPlusBinding::fnSetSmoothingMode>(m_p, nSmoothing);
        Call<CKitMarkupGdiPlusBinding::fnSetPixelOffsetMode>(m_p, nPixelOffset);
    }
    void SetSmoothing(int nSmoothing) const { Call<CKitMarkupGdiPlusBinding::fnSetSmoothingMode>(m_p, nSmoothing); }
    void SetPixelOffset(int nPixelOffset) const
    {
        Call<CKitMarkupGdiPlusBinding::fnSetPixelOffsetMode>(m_p, nPixelOffset);
    }

private:
    CKitMarkupGdiPlusDeviceContext* m_pDevice;
    MarkupGpGraphics* m_p;
};

} // namespace

// CKitMarkupGdiPlusBinding

CKitMarkupGdiPlusBinding& CKitMarkupGdiPlusBinding::Instance()
{
    static CKitMarkupGdiPlusBinding binding;
    return binding;
}

FARPROC CKitMarkupGdiPlusBinding::GetFunction(Function function)
{
    if (m_hModule == nullptr || function < 0 || function >= fnCount)
        return nullptr;
    if (m_slots[function] == nullptr)
        m_slots[function] = ::GetProcAddress(m_hModule, kFunctionNames[function]);
    return m_slots[function];
}

void CKitMarkupGdiPlusBinding::Startup(BOOL bStart)
{
    if (bStart) {
        if (++m_nStartCount != 1)
            return;
        std::fill(std::begin(m_slots), std::end(m_slots), nullptr);
        m_hModule = ::LoadLibraryA("GdiPlus.dll");
        if (m_hModule == nullptr)
            return;
        const StartupInput input = {1, nullptr, FALSE, FALSE};
        ULONG_PTR token = 0;
        if (Call<fnStartup>(&token, &input, nullptr) == kStatusOk)
            m_token = token;
        return;
    }
    if (m_nStartCount <= 0)
        return;
    if (--m_nStartCount != 0)
        return;
    if (m_hModule != nullptr) {
        if (m_token != 0)
            Call<fnShutdown>(m_token);
        ::FreeLibrary(m_hModule);
    }
    std::fill(std::begin(m_slots), std::end(m_slots), nullptr);
    m_hModule = nullptr;
    m_token = 0;
}

void MarkupGdiPlusStartup(BOOL bStart)
{
    CKitMarkupGdiPlusBinding::Instance().Startup(bStart);
}

// CKitMarkupGdiPlusDeviceContext

CKitMarkupGdiPlusDeviceContext::CKitMarkupGdiPlusDeviceContext(HDC hdc, HDC hAttribDC)
    : CKitMarkupDeviceContext(hdc, hAttribDC)
{
}

CKitMarkupGdiPlusDeviceContext::~CKitMarkupGdiPlusDeviceContext() = default;

MarkupGpGraphics* CKitMarkupGdiPlusDeviceContext::GetGraphics()
{
    if (CKitMarkupGdiPlusBinding::Instance().GetToken() == 0 || m_hdc == nullptr)
        return nullptr;
    MarkupGpGraphics* pGraphics = nullptr;
    const int status = m_hdc != m_hAttribDC
                           ? Call<CKitMarkupGdiPlusBinding::fnCreateFromHDC2>(m_hdc, static_cast<HANDLE>(m_hAttribDC),
                                                                              &pGraphics)
                           : Call<CKitMarkupGdiPlusBinding::fnCreateFromHDC>(m_hdc, &pGraphics);
    if (status != kStatusOk || pGraphics == nullptr)
        return nullptr;
    Call<CKitMarkupGdiPlusBinding::fnSetPageUnit>(pGraphics, kUnitPixel);
    Call<CKitMarkupGdiPlusBinding::fnSetSmoothingMode>(pGraphics, kSmoothingHighQuality);
    Call<CKitMarkupGdiPlusBinding::fnSetPixelOffsetMode>(pGraphics, kPixelOffsetHalf);
    return pGraphics;
}

void CKitMarkupGdiPlusDeviceContext::ReleaseGraphics(MarkupGpGraphics* pGraphics)
{
    if (pGraphics != nullptr)
        Call<CKitMarkupGdiPlusBinding::fnDeleteGraphics>(pGraphics);
}

void CKitMarkupGdiPlusDeviceContext::DrawEllipse(const RECT& rect, const CKitMarkupStrokeStyle* pStroke,
                                                 CKitMarkupBrush* pFill)
{
    ScopedGraphics graphics(this);
    if (!graphics) {
        CKitMarkupDeviceContext::DrawEllipse(rect, pStroke, pFill);
        return;
    }
    graphics.SetModes(kSmoothingHighQuality, kPixelOffsetHalf);
    const float half = pStroke != nullptr && pStroke->m_nThickness >= 1 ? pStroke->m_nThickness / 2.0f : 0.0f;
    const float x = rect.left + half;
    const float y = rect.top + half;
    const float width = (rect.right - rect.left) - 2 * half;
    const float height = (rect.bottom - rect.top) - 2 * half;
    GpBrush brush;
    CreateBrush(pFill, rect, brush);
    if (brush)
        Call<CKitMarkupGdiPlusBinding::fnFillEllipse>(graphics.Get(), brush.Get(), x, y, width, height);
    GpPen pen;
    CreatePen(pStroke, rect, pen);
    if (pen)
        Call<CKitMarkupGdiPlusBinding::fnDrawEllipse>(graphics.Get(), pen.Get(), x, y, width, height);
}

void CKitMarkupGdiPlusDeviceContext::DrawFrame(const RECT& rect, CKitMarkupBrush* pBrush,
                                               const CKitMarkupThickness* pThickness)
{
    if (pThickness == nullptr)
        return;
    if (m_hdc != nullptr && IsOpaque(pBrush)) {
        CKitMarkupDeviceContext::DrawFrame(rect, pBrush, pThickness);
        return;
    }
    ScopedGraphics graphics(this);
    if (!graphics) {
        CKitMarkupDeviceContext::DrawFrame(rect, pBrush, pThickness);
        return;
    }
    GpBrush brush;
    CreateBrush(pBrush, rect, brush);
    if (!brush)
        return;
    graphics.SetSmoothing(kSmoothingNone);
    auto fill = [&](int x, int y, int width, int height) {
        if (width > 0 && height > 0)
            Call<CKitMarkupGdiPlusBinding::fnFillRectangleI>(graphics.Get(), brush.Get(), x, y, width, height);
    };
    const int left = std::max(pThickness->m_nLeft, 0);
    const int right = std::max(pThickness->m_nRight, 0);
    const int height = rect.bottom - rect.top;
    const int inner = (rect.right - right) - (rect.left + left);
    fill(rect.left, rect.top, left, height);
    fill(rect.right - right, rect.top, right, height);
    fill(rect.left + left, rect.top, inner, pThickness->m_nTop);
    fill(rect.left + left, rect.bottom - pThickness->m_nBottom, inner, pThickness->m_nBottom);
}

void CKitMarkupGdiPlusDeviceContext::FillRectangle(const RECT& rect, CKitMarkupBrush* pBrush)
{
    if (m_hdc != nullptr && IsOpaque(pBrush)) {
        CKitMarkupDeviceContext::FillRectangle(rect, pBrush);
        return;
    }
    ScopedGraphics graphics(this);
    if (!graphics) {
        CKitMarkupDeviceContext::FillRectangle(rect, pBrush);
        return;
    }
    GpBrush brush;
    CreateBrush(pBrush, rect, brush);
    if (!brush)
        return;
    graphics.SetModes(kSmoothingNone, kPixelOffsetHalf);
    Call<CKitMarkupGdiPlusBinding::fnFillRectangleI>(graphics.Get(), brush.Get(), rect.left, rect.top,
                                                     rect.right - rect.left, rect.bottom - rect.top);
}

void CKitMarkupGdiPlusDeviceContext::DrawLine(int x1, int y1, int x2, int y2, const CKitMarkupStrokeStyle* pStroke)
{
    ScopedGraphics graphics(this);
    if (!graphics) {
        CKitMarkupDeviceContext::DrawLine(x1, y1, x2, y2, pStroke);
        return;
    }
    GpPen pen;
    CreatePen(pStroke, {x1, y1, x2, y2}, pen);
    if (!pen)
        return;
    graphics.SetModes(x1 == x2 || y1 == y2 ? kSmoothingNone : kSmoothingHighQuality, StrokePixelOffset(pStroke));
    Call<CKitMarkupGdiPlusBinding::fnDrawLineI>(graphics.Get(), pen.Get(), x1, y1, x2, y2);
}

void CKitMarkupGdiPlusDeviceContext::Polyline(const POINT* pPoints, int nCount, const CKitMarkupStrokeStyle* pStroke)
{
    ScopedGraphics graphics(this);
    if (!graphics) {
        CKitMarkupDeviceContext::Polyline(pPoints, nCount, pStroke);
        return;
    }
    GpPen pen;
    CreatePen(pStroke, PointBounds(pPoints, nCount), pen);
    if (!pen)
        return;
    graphics.SetModes(kSmoothingHighQuality, StrokePixelOffset(pStroke));
    Call<CKitMarkupGdiPlusBinding::fnDrawLinesI>(graphics.Get(), pen.Get(), pPoints, nCount);
}

void CKitMarkupGdiPlusDeviceContext::Polygon(const POINT* pPoints, int nCount, const CKitMarkupStrokeStyle* pStroke,
                                             CKitMarkupBrush* pFill)
{
    ScopedGraphics graphics(this);
    if (!graphics) {
        CKitMarkupDeviceContext::Polygon(pPoints, nCount, pStroke, pFill);
        return;
    }
    const RECT reference = PointBounds(pPoints, nCount);
    graphics.SetSmoothing(kSmoothingHighQuality);
    GpBrush brush;
    CreateBrush(pFill, reference, brush);
    if (brush) {
        graphics.SetPixelOffset(kPixelOffsetHalf);
        Call<CKitMarkupGdiPlusBinding::fnFillPolygonI>(graphics.Get(), brush.Get(), pPoints, nCount,
                                                       kFillModeAlternate);
    }
    GpPen pen;
    CreatePen(pStroke, reference, pen);
    if (pen) {
        graphics.SetPixelOffset(StrokePixelOffset(pStroke));
        Call<CKitMarkupGdiPlusBinding::fnDrawPolygonI>(graphics.Get(), pen.Get(), pPoints, nCount);
    }
}

void CKitMarkupGdiPlusDeviceContext::DrawPath(const CKitMarkupPathGeometry* pPath,
                                              const CKitMarkupStrokeStyle* pStroke, CKitMarkupBrush* pFill)
{
    if (pPath == nullptr || pPath->GetCount() == 0)
        return;
    ScopedGraphics graphics(this);
    if (!graphics) {
        CKitMarkupDeviceContext::DrawPath(pPath, pStroke, pFill);
        return;
    }
    graphics.SetSmoothing(kSmoothingHighQuality);
    GpPath path;
    if (Call<CKitMarkupGdiPlusBinding::fnCreatePath2>(pPath->GetPoints(), pPath->GetTypes(), pPath->GetCount(),
                                                      kFillModeAlternate, path.Out()) != kStatusOk ||
        !path)
        return;
    const RECT& reference = pPath->GetBounds();
    GpBrush brush;
    CreateBrush(pFill, reference, brush);
    if (brush) {
        graphics.SetPixelOffset(kPixelOffsetHalf);
        Call<CKitMarkupGdiPlusBinding::fnFillPath>(graphics.Get(), brush.Get(), path.Get());
    }
    GpPen pen;
    CreatePen(pStroke, reference, pen);
    if (pen) {
        graphics.SetPixelOffset(pPath->GetPixelOffsetMode() != 0 ? pPath->GetPixelOffsetMode() : kPixelOffsetHalf);
        Call<CKitMarkupGdiPlusBinding::fnDrawPath>(graphics.Get(), pen.Get(), path.Get());
    }
}

// CKitMarkupGdiPlusBinding, CKitMarkupGdiPlusDeviceContext: the anti-aliased back-end, with GDI+ bound by name at run time.
#pragma once

#include "toolkit/markup/markup_device_context.h"

// Opaque GDI+ objects, as the flat functions hand them out.
struct MarkupGpGraphics;
struct MarkupGpBrush;
struct MarkupGpPen;
struct MarkupGpPath;

// The process-wide binding of "GdiPlus.dll": loaded and started by the first
// markup context, stopped and freed with the last. Function addresses are bound
// on first use and cached until the final shut-down.
class CKitMarkupGdiPlusBinding {
public:
    // The bound functions, in table order.
    enum Function {
        fnStartup,
        fnShutdown,
        fnSetPixelOffsetMode,
        fnSetPageUnit,
        fnSetSmoothingMode,
        fnSetLinePresetBlend,
        fnCreateFromHDC2,
        fnCreateFromHDC,
        fnCreatePath2,
        fnCreateSolidFill,
        fnCreateLineBrush,
        fnCreatePen1,
        fnCreatePen2,
        fnDeleteGraphics,
        fnDeleteBrush,
        fnDeletePen,
        fnDeletePath,
        fnDrawEllipse,
        fnDrawLinesI,
        fnDrawPolygonI,
        fnDrawPath,
        fnDrawLineI,
        fnFillEllipse,
        fnFillPolygonI,
        fnFillRectangleI,
        fnFillPath,
        fnSetPenDashArray,
        fnSetPenLineJoin,
        fnSetPenStartCap,
        fnSetPenEndCap,
        fnCount
    };
    // Room in the slot table.
    static constexpr int kSlotCount = 50;

    static CKitMarkupGdiPlusBinding& Instance();

    // TRUE raises the user count (the first loads and starts GDI+); FALSE lowers
    // it (the last stops GDI+ and frees the library).
    void Startup(BOOL bStart);
    // The start-up token; 0 when GDI+ is not running (or is held off).
    ULONG_PTR GetToken() const { return m_bHeldOff ? 0 : m_token; }
    int GetUserCount() const { return m_nStartCount; }
    // The function's address, bound on first use; nullptr when it cannot be had.
    FARPROC GetFunction(Function function);

    // Test seam: while held off, every GDI+ primitive draws through GDI.
    void SetHeldOff(BOOL bHeldOff) { m_bHeldOff = bHeldOff; }

private:
    CKitMarkupGdiPlusBinding() = default;

    HMODULE m_hModule = nullptr;
    ULONG_PTR m_token = 0;
    int m_nStartCount = 0;
    BOOL m_bHeldOff = FALSE;
    FARPROC m_slots[kSlotCount] = {};
};

// Called with TRUE by every markup context made and FALSE by every one destroyed.
void MarkupGdiPlusStartup(BOOL bStart);

// Draws the shape primitives anti-aliased and with alpha through GDI+; without
// GDI+, or when no graphics object can be made, each falls back to GDI.
class CKitMarkupGdiPlusDeviceContext : public CKitMarkupDeviceContext {
public:
    CKitMarkupGdiPlusDeviceContext(HDC hdc, HDC hAttribDC);
    ~CKitMarkupGdiPlusDeviceContext() override;

    void DrawEllipse(const RECT& rect, const CKitMarkupStrokeStyle* pStroke, CKitMarkupBrush* pFill) override;
    // Opaque colours take the GDI path; the strips do not overlap.
    void DrawFrame(const RECT& rect, CKitMarkupBrush* pBrush, const CKitMarkupThickness* pThickness) override;
    // Opaque colours take the GDI path.
    void FillRectangle(const RECT& rect, CKitMarkupBrush* pBrush) override;
    void DrawLine(int x1, int y1, int x2, int y2, const CKitMarkupStrokeStyle* pStroke) override;
    void Polyline(const POINT* pPoints, int nCount, const CKitMarkupStrokeStyle* pStroke) override;
    void Polygon(const POINT* pPoints, int nCount, const CKitMarkupStrokeStyle* pStroke,
                 CKitMarkupBrush* pFill) override;
    void DrawPath(const CKitMarkupPathGeometry* pPath, const CKitMarkupStrokeStyle* pStroke,
                  CKitMarkupBrush* pFill) override;

    // A graphics object for the output device context (pixel units, high
    // quality, half-pixel offsets), or nullptr when GDI+ cannot draw.
    virtual MarkupGpGraphics* GetGraphics();
    virtual void ReleaseGraphics(MarkupGpGraphics* pGraphics);
};

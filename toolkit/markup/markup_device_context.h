// CKitMarkupStrokeStyle, CKitMarkupDeviceContext: the GDI back-end through which the markup engine draws.
#pragma once

#include <windows.h>

#include <vector>

class CKitMarkupBrush;
class CKitMarkupDoubleCollection;
class CKitMarkupFont;
class CKitMarkupGradientStops;
class CKitMarkupPathGeometry;
class CKitMarkupThickness;

// What a stroke is drawn with; a thickness of 0 or less, or no brush, means no stroke.
struct CKitMarkupStrokeStyle {
    // The width of the pen that draws the stroke: the thickness, bounded.
    int GetPenWidth() const;

    int m_nThickness = 0;
    CKitMarkupBrush* m_pBrush = nullptr;
    CKitMarkupDoubleCollection* m_pDashArray = nullptr;
    int m_nStartCap = 0;
    int m_nEndCap = 0;
    int m_nLineJoin = 0;
};

// Draws the markup primitives with plain GDI on a device context it does not own.
// Rectangles are left, top, right, bottom in logical units. Corner radii are
// eight values, two per corner: top-left vertical and horizontal, top-right
// horizontal and vertical, bottom-right vertical and horizontal, bottom-left
// horizontal and vertical; nullptr means square corners.
class CKitMarkupDeviceContext {
public:
    // hAttribDC measures text; nullptr uses hdc.
    CKitMarkupDeviceContext(HDC hdc, HDC hAttribDC);
    virtual ~CKitMarkupDeviceContext();
    CKitMarkupDeviceContext(const CKitMarkupDeviceContext&) = delete;
    CKitMarkupDeviceContext& operator=(const CKitMarkupDeviceContext&) = delete;

    // Moves the viewport origin by a point in logical units.
    virtual void OffsetViewport(POINT point);
    virtual void DrawEllipse(const RECT& rect, const CKitMarkupStrokeStyle* pStroke, CKitMarkupBrush* pFill);
    // Fills the strips of the four sides; a side of 0 or less is skipped.
    virtual void DrawFrame(const RECT& rect, CKitMarkupBrush* pBrush, const CKitMarkupThickness* pThickness);
    // Solid colour and linear gradient brushes fill; any other brush draws nothing.
    virtual void FillRectangle(const RECT& rect, CKitMarkupBrush* pBrush);
    virtual void DrawLine(int x1, int y1, int x2, int y2, const CKitMarkupStrokeStyle* pStroke);
    virtual void Polyline(const POINT* pPoints, int nCount, const CKitMarkupStrokeStyle* pStroke);
    virtual void Polygon(const POINT* pPoints, int nCount, const CKitMarkupStrokeStyle* pStroke,
                         CKitMarkupBrush* pFill);
    virtual void DrawPath(const CKitMarkupPathGeometry* pPath, const CKitMarkupStrokeStyle* pStroke,
                          CKitMarkupBrush* pFill);
    virtual void FillRoundRectangle(const RECT& rect, CKitMarkupBrush* pBrush, const double* pRadii);
    // Strokes the outline with the left thickness.
    virtual void DrawRoundFrame(const RECT& rect, CKitMarkupBrush* pBrush, const CKitMarkupThickness* pThickness,
                                const double* pRadii);
    // Draws a line of text at its origin; on a separate attribute context
    // (print preview) the characters keep the places measured there.
    virtual void DrawTextLine(LPCWSTR lpszText, int nLength, POINT origin);
    // Measured on the attribute device context.
    virtual SIZE GetTextExtent(LPCWSTR lpszText, int nLength);
    // The metrics of the selected font, read on the attribute device context.
    virtual void GetTextMetrics(TEXTMETRICW& metrics);
    // The brush's colour, black for nullptr.
    virtual void SetTextColor(CKitMarkupBrush* pBrush);
    // Selects the font; nullptr reselects the font that was there before the first one.
    virtual void SetTextFont(CKitMarkupFont* pFont);
    virtual void IntersectClipRect(const RECT& rect);
    virtual void GetClipBox(RECT& rect);
    // A copy of the clip region, or NoClipRegion() when the device context has none.
    virtual HRGN GetClipRegion();
    // Selects a region from GetClipRegion and deletes it: nullptr does nothing,
    // NoClipRegion() removes clipping.
    virtual void SelectClipRegion(HRGN hRegion);
    // The output device context, for theme and icon drawing.
    virtual HDC GetDC();
    virtual void ReleaseDC(HDC hdc);

    // The answer of GetClipRegion for a device context without a clip region.
    static HRGN NoClipRegion() { return reinterpret_cast<HRGN>(static_cast<INT_PTR>(-1)); }

protected:
    // The outline of a rectangle with corner radii, closed; pixel-offset mode 4.
    static CKitMarkupPathGeometry* CreateRoundRectangle(double left, double top, double right, double bottom,
                                                       const double* pRadii);

    HDC m_hdc;
    HDC m_hAttribDC;
    SIZE m_windowExtent;
    SIZE m_viewportExtent;
    HFONT m_hSavedFont;

private:
    void FillSolid(const RECT& rect, COLORREF clr);
    void FillGradient(const RECT& rect, CKitMarkupBrush* pBrush);
    void DrawSpacedText(LPCWSTR lpszText, int nLength, POINT origin);
    void DrawMeasuredText(LPCWSTR lpszText, int nLength, POINT origin);
};

// A gradient stop sorted for filling: the colour in pixel byte order (blue,
// green, red, 0) and as written (alpha high), its offset, its place in the
// collection and its distance to the previous sorted stop.
struct MarkupGradientStop {
    BYTE channels[4];
    DWORD color;
    double offset;
    int index;
    double distance;
};

// The stops sorted by offset, equal offsets in collection order.
std::vector<MarkupGradientStop> MarkupSortGradientStops(const CKitMarkupGradientStops* pStops);

// CKitMarkupDrawingContext: what every markup element draws and measures through.
#pragma once

#include "toolkit/markup/markup_device_context.h"

class CKitMarkupContext;

// A thin facade over the back-end device context; lives on the stack for one
// measure or paint pass. The clip box follows every clip and offset change.
class CKitMarkupDrawingContext {
public:
    // Draws on device contexts it does not own; hAttribDC (nullptr: hdc) measures text.
    CKitMarkupDrawingContext(CKitMarkupContext* pContext, HDC hdc, HDC hAttribDC = nullptr);
    // Measures on a memory device context of its own, compatible with the screen.
    explicit CKitMarkupDrawingContext(CKitMarkupContext* pContext);
    // Deselects and releases the font, deletes the back-end and an owned device context.
    virtual ~CKitMarkupDrawingContext();
    CKitMarkupDrawingContext(const CKitMarkupDrawingContext&) = delete;
    CKitMarkupDrawingContext& operator=(const CKitMarkupDrawingContext&) = delete;

    // TRUE makes every measure run again (and text lay out afresh); FALSE here.
    virtual BOOL IsFreshLayoutRequired() const;
    virtual void DrawTextLine(LPCWSTR lpszText, int nLength, POINT origin);

    void OffsetViewport(POINT point);
    void IntersectClipRect(const RECT& rect);
    HRGN GetClipRegion();
    // nullptr does nothing.
    void SelectClipRegion(HRGN hRegion);
    // pRadii (eight values, see CKitMarkupDeviceContext) rounds the corners.
    void FillRectangle(const RECT& rect, CKitMarkupBrush* pBrush, const double* pRadii = nullptr);
    // Nothing without a brush or a thickness.
    void DrawFrame(const RECT& rect, CKitMarkupBrush* pBrush, const CKitMarkupThickness* pThickness,
                   const double* pRadii = nullptr);
    // A frame one pixel wide.
    void DrawFrame(const RECT& rect, CKitMarkupBrush* pBrush);
    void FillSolidRect(const RECT& rect, COLORREF clr);
    // Only with a stroke thickness above 0.
    void DrawLine(int x1, int y1, int x2, int y2, const CKitMarkupStrokeStyle* pStroke);
    void DrawEllipse(const RECT& rect, const CKitMarkupStrokeStyle* pStroke, CKitMarkupBrush* pFill);
    void Polyline(const POINT* pPoints, int nCount, const CKitMarkupStrokeStyle* pStroke);
    void Polygon(const POINT* pPoints, int nCount, const CKitMarkupStrokeStyle* pStroke, CKitMarkupBrush* pFill);
    void DrawPath(const CKitMarkupPathGeometry* pPath, const CKitMarkupStrokeStyle* pStroke, CKitMarkupBrush* pFill);
    SIZE GetTextExtent(LPCWSTR lpszText, int nLength);
    // The metrics of the current font where text is measured.
    TEXTMETRICW GetTextMetrics();
    void SetTextColor(CKitMarkupBrush* pBrush);
    // Selects the font when it differs from the current one and keeps a reference to it.
    void SetFont(CKitMarkupFont* pFont);
    HDC GetDC();
    void ReleaseDC(HDC hdc);

    // The clip box in the current logical coordinates.
    const RECT& GetClipBox() const { return m_rcClip; }
    CKitMarkupFont* GetFont() const { return m_pFont; }
    CKitMarkupContext* GetMarkupContext() const { return m_pMarkupContext; }
    // The deferred window positioning that window containers join while drawing (nullptr: none).
    HDWP GetDeferWindowPos() const { return m_hDeferWindowPos; }
    void SetDeferWindowPos(HDWP hDeferWindowPos) { m_hDeferWindowPos = hDeferWindowPos; }

private:
    void CreateBackEnd(HDC hdc, HDC hAttribDC);
    void RefreshClipBox();

    CKitMarkupContext* m_pMarkupContext;
    HDC m_hdc;
    HDC m_hAttribDC;
    CKitMarkupFont* m_pFont;
    RECT m_rcClip;
    BOOL m_bOwnsDC;
    CKitMarkupDeviceContext* m_pDevice;
    HDWP m_hDeferWindowPos;
};

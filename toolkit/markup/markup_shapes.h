// CKitMarkupShape, CKitMarkupRectangle, CKitMarkupEllipse, CKitMarkupLine, CKitMarkupPolyline, CKitMarkupPolygon, CKitMarkupPath, CKitMarkupPointCollection: the vector elements and their fill and stroke properties.
#pragma once

#include "toolkit/markup/markup_device_context.h"
#include "toolkit/markup/markup_framework_element.h"

#include <vector>

// Integer points with their bounding box.
class CKitMarkupPointCollection : public CKitMarkupObject {
    DECLARE_MARKUPCLASS(CKitMarkupPointCollection)
public:
    CKitMarkupPointCollection() = default;
    // Computes the bounding box.
    explicit CKitMarkupPointCollection(std::vector<POINT> points);

    // Pairs "x,y" or "x y" separated by spaces; NULL for anything else or an odd count.
    CKitMarkupObject* ConvertFrom(CKitMarkupBuilder* pBuilder, CKitMarkupObject* pObject) override;

    int GetCount() const { return static_cast<int>(m_points.size()); }
    const POINT* GetPoints() const { return m_points.data(); }
    // Empty without points.
    const RECT& GetBounds() const { return m_rcBounds; }
    // The points mapped from the bounding box onto (0, 0, width, height); a
    // direction whose box has no size keeps its coordinates.
    std::vector<POINT> GetScaledPoints(int nWidth, int nHeight) const;

private:
    std::vector<POINT> m_points;
    RECT m_rcBounds = {0, 0, 0, 0};
};

// The base of the vector elements: fill, stroke and stretch.
class CKitMarkupShape : public CKitMarkupFrameworkElement {
    DECLARE_MARKUPCLASS(CKitMarkupShape)
public:
    CKitMarkupShape() = default;

    // The stroke of the shape: no thickness without a stroke brush.
    CKitMarkupStrokeStyle GetStrokeStyle() const;
    CKitMarkupBrush* GetFill() const;
    CKitMarkupBrush* GetStroke() const;
    // "StrokeThickness", 1 when unset.
    int GetStrokeThickness() const;
    // Any value other than None scales the geometry to the render size.
    BOOL IsStretched() const;

protected:
    // Finite available dimensions replace the measured ones when the shape stretches.
    SIZE ApplyStretch(SIZE size, int nAvailableWidth, int nAvailableHeight) const;
    // The points as drawn: scaled onto the render size when the shape stretches.
    std::vector<POINT> GetDrawnPoints(const CKitMarkupPointCollection* pPoints) const;

    static CKitMarkupDependencyProperty* m_pFillProperty;
    static CKitMarkupDependencyProperty* m_pStrokeProperty;
    static CKitMarkupDependencyProperty* m_pStrokeThicknessProperty;
    static CKitMarkupDependencyProperty* m_pStretchProperty;
    static CKitMarkupDependencyProperty* m_pStrokeDashArrayProperty;
    static CKitMarkupDependencyProperty* m_pStrokeStartLineCapProperty;
    static CKitMarkupDependencyProperty* m_pStrokeEndLineCapProperty;
    static CKitMarkupDependencyProperty* m_pStrokeLineJoinProperty;
    static void RegisterProperties();
};

class CKitMarkupRectangle : public CKitMarkupShape {
    DECLARE_MARKUPCLASS(CKitMarkupRectangle)
public:
    CKitMarkupRectangle() = default;

    void OnRender(CKitMarkupDrawingContext* pDC) override;
    SIZE MeasureOverride(CKitMarkupDrawingContext* pDC, int nAvailableWidth, int nAvailableHeight) override;

    static CKitMarkupDependencyProperty* m_pRadiusXProperty;
    static CKitMarkupDependencyProperty* m_pRadiusYProperty;
    static void RegisterProperties();
};

class CKitMarkupEllipse : public CKitMarkupShape {
    DECLARE_MARKUPCLASS(CKitMarkupEllipse)
public:
    CKitMarkupEllipse() = default;

    void OnRender(CKitMarkupDrawingContext* pDC) override;
    // Inside the ellipse only.
    CKitMarkupInputElement* HitTestCore(POINT point) override;
    SIZE MeasureOverride(CKitMarkupDrawingContext* pDC, int nAvailableWidth, int nAvailableHeight) override;
};

class CKitMarkupLine : public CKitMarkupShape {
    DECLARE_MARKUPCLASS(CKitMarkupLine)
public:
    CKitMarkupLine() = default;

    void OnRender(CKitMarkupDrawingContext* pDC) override;
    // Within half the stroke thickness of the line.
    CKitMarkupInputElement* HitTestCore(POINT point) override;
    SIZE MeasureOverride(CKitMarkupDrawingContext* pDC, int nAvailableWidth, int nAvailableHeight) override;
    // X1, Y1, X2, Y2; stretched onto the render size when the line stretches.
    RECT GetEndPoints() const;

    static CKitMarkupDependencyProperty* m_pX1Property;
    static CKitMarkupDependencyProperty* m_pY1Property;
    static CKitMarkupDependencyProperty* m_pX2Property;
    static CKitMarkupDependencyProperty* m_pY2Property;
    static void RegisterProperties();
};

class CKitMarkupPolyline : public CKitMarkupShape {
    DECLARE_MARKUPCLASS(CKitMarkupPolyline)
public:
    CKitMarkupPolyline() = default;

    void OnRender(CKitMarkupDrawingContext* pDC) override;
    SIZE MeasureOverride(CKitMarkupDrawingContext* pDC, int nAvailableWidth, int nAvailableHeight) override;

    static CKitMarkupDependencyProperty* m_pPointsProperty;
    static void RegisterProperties();
};

class CKitMarkupPolygon : public CKitMarkupShape {
    DECLARE_MARKUPCLASS(CKitMarkupPolygon)
public:
    CKitMarkupPolygon() = default;

    void OnRender(CKitMarkupDrawingContext* pDC) override;
    SIZE MeasureOverride(CKitMarkupDrawingContext* pDC, int nAvailableWidth, int nAvailableHeight) override;

    static CKitMarkupDependencyProperty* m_pPointsProperty;
    static void RegisterProperties();
};

class CKitMarkupPath : public CKitMarkupShape {
    DECLARE_MARKUPCLASS(CKitMarkupPath)
public:
    CKitMarkupPath() = default;

    void OnRender(CKitMarkupDrawingContext* pDC) override;
    SIZE MeasureOverride(CKitMarkupDrawingContext* pDC, int nAvailableWidth, int nAvailableHeight) override;

    static CKitMarkupDependencyProperty* m_pDataProperty;
    static void RegisterProperties();
};

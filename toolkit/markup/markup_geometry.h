// MARKUP_POINTF, CKitMarkupPathGeometry, CKitMarkupPathBuilder: figures of lines and cubic curves for the device contexts.
#pragma once

#include "toolkit/markup/markup_object.h"

#include <string_view>
#include <vector>

struct MARKUP_POINTF {
    float x;
    float y;
};

// A set of figures: points with one type byte each, their integer bounding box
// and the pixel-offset mode used to stroke them. Figures fill by the even-odd rule.
class CKitMarkupPathGeometry : public CKitMarkupObject {
    DECLARE_MARKUPCLASS(CKitMarkupPathGeometry)
public:
    // Point types: the low three bits, and a flag that closes the figure after the point.
    enum : BYTE { pointStart = 0, pointLine = 1, pointBezier = 3, pointTypeMask = 7, pointCloseFigure = 0x80 };

    CKitMarkupPathGeometry();
    // Copies the points and types and computes the bounding box.
    CKitMarkupPathGeometry(const std::vector<MARKUP_POINTF>& points, const std::vector<BYTE>& types);

    // Path data text ("M 0,0 L 10,0 Z"); an unreadable text raises a build error naming the position.
    CKitMarkupObject* ConvertFrom(CKitMarkupBuilder* pBuilder, CKitMarkupObject* pObject) override;
    // A new geometry with the points mapped from the bounding box onto (0, 0, width, height);
    // a direction whose box has no size keeps its coordinates.
    CKitMarkupPathGeometry* CreateScaled(int nWidth, int nHeight) const;

    int GetCount() const { return static_cast<int>(m_points.size()); }
    const MARKUP_POINTF* GetPoints() const { return m_points.data(); }
    const BYTE* GetTypes() const { return m_types.data(); }
    // floor of the smallest and ceiling of the largest coordinates; empty without points.
    const RECT& GetBounds() const { return m_rcBounds; }
    // The pixel-offset mode for strokes; 0 means the default.
    int GetPixelOffsetMode() const { return m_nPixelOffsetMode; }
    void SetPixelOffsetMode(int nMode) { m_nPixelOffsetMode = nMode; }

private:
    std::vector<MARKUP_POINTF> m_points;
    std::vector<BYTE> m_types;
    RECT m_rcBounds;
    int m_nPixelOffsetMode;
};

// Collects figures point by point and makes a geometry of them.
class CKitMarkupPathBuilder {
public:
    CKitMarkupPathBuilder() = default;

    void StartFigure(float x, float y);
    void LineTo(float x, float y);
    void BezierTo(MARKUP_POINTF control1, MARKUP_POINTF control2, MARKUP_POINTF end);
    // A cubic curve whose first control point is c and whose second control point is its end.
    void CurveTo(MARKUP_POINTF c, MARKUP_POINTF end);
    // Closes the figure after the last point; nothing without points.
    void CloseFigure();

    // A new geometry holding copies of the points (one reference).
    CKitMarkupPathGeometry* CreateGeometry() const;

    // Reads path data into the builder; on an error the character index where reading stopped.
    BOOL ParsePathData(std::wstring_view text, int& nErrorPosition);
    // The fill rule of an "F0"/"F1" prefix (0 when none).
    int GetFillRule() const { return m_nFillRule; }

private:
    class CReader;

    void Append(float x, float y, BYTE type);

    std::vector<MARKUP_POINTF> m_points;
    std::vector<BYTE> m_types;
    int m_nFillRule = 0;
};

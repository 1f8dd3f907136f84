// CKitTabShapes: the drawing routines the tab appearance sets share.
#pragma once

#include "framework/geometry.h"

#include <windows.h>

class CDC;
class CKitTabManagerItem;
class CKitTabPaintManagerColorSet;

// Outlines, fills and corner blends of tab buttons. Colours of -1 draw nothing.
class CKitTabShapes {
public:
    // Fills the polygon through the colour set's property-button fill (painted off-screen
    // over the polygon's bounding box, copied through the polygon as clip). Without
    // bAbsolute every point after the first is a step from the one before. Returns the
    // fill's colour (-1: none).
    static COLORREF FillPolygon(CDC* pDC, CKitTabPaintManagerColorSet* pColorSet, CKitTabManagerItem* pItem,
                                const POINT* pPoints, int nCount, BOOL bAbsolute = FALSE);
    // A one-pixel line from the first point through each step after it.
    static void Polyline(CDC* pDC, COLORREF clr, const POINT* pPoints, int nCount);
    // One side of rc (position 0 top, 1 left, 2 bottom, 3 right): top and left in clr1,
    // bottom and right (inside the rectangle) in clr2.
    static void SideLine(CDC* pDC, const CRect& rc, int nSide, COLORREF clr1, COLORREF clr2);
    // A frame: top and left in clrTopLeft, bottom and right in clrBottomRight.
    static void Frame(CDC* pDC, const CRect& rc, COLORREF clrTopLeft, COLORREF clrBottomRight);
    // The pixel becomes clr weighted nWeight/255 over what was there.
    static void BlendPixel(CDC* pDC, int x, int y, COLORREF clr, int nWeight);
    // Softens the two corners of rc at the strip's outer side.
    static void AntiAliasCorners(CDC* pDC, const CRect& rc, COLORREF clrBackground, COLORREF clrBorder, int nPosition);
};

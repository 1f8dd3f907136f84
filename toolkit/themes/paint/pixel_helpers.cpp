// The paint manager's pixel helpers: blended pixels, smooth circles and dots.
#include "toolkit/themes/paint/paint_manager.h"

#include <cmath>

COLORREF CKitPaintManager::BlendPixel(CDC* pDC, int x, int y, COLORREF clrBase, COLORREF clrPixel, double dFactor)
{
    if (dFactor >= 0)
        clrPixel = pDC->GetPixel(x, y);
    else
        dFactor = -dFactor;
    auto blend = [dFactor](int nBase, int nPixel) {
        return static_cast<int>(nBase + (nPixel - nBase) * dFactor) & 0xFF;
    };
    return RGB(blend(GetRValue(clrBase), GetRValue(clrPixel)), blend(GetGValue(clrBase), GetGValue(clrPixel)),
               blend(GetBValue(clrBase), GetBValue(clrPixel)));
}

void CKitPaintManager::DrawSmoothCircle(CDC* pDC, CRect rc, COLORREF clrEdge, COLORREF clrFill)
{
    if (rc.Width() != rc.Height() || rc.Width() <= 0)
        return;
    const double cx = (rc.left + rc.right - 1) / 2.0;
    const double cy = (rc.top + rc.bottom - 1) / 2.0;
    const double dRadius = (rc.Width() - 1) / 2.0 - 0.25;
    for (int y = rc.top; y < rc.bottom; y++) {
        for (int x = rc.left; x < rc.right; x++) {
            const double d = std::sqrt((x - cx) * (x - cx) + (y - cy) * (y - cy));
            if (d <= dRadius - 1)
                pDC->SetPixel(x, y, clrFill);
            else if (d <= dRadius + 1)
                pDC->SetPixel(x, y, BlendPixel(pDC, x, y, clrEdge, clrFill, d - dRadius));
        }
    }
}

void CKitPaintManager::DrawSmoothDot(CDC* pDC, CRect rc, COLORREF clr)
{
    const CPoint c((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
    const COLORREF clrDot = GetColor(static_cast<int>(clr));
    DrawSmoothCircle(pDC, CRect(c.x - 3, c.y - 3, c.x + 3, c.y + 3), clrDot, clrDot);
}

void CKitPaintManager::DrawResizeGripperDots(CDC* pDC, CRect rc, int nFlags, int nDotColor)
{
    auto dot = [&](int x, int y) {
        pDC->FillSolidRect(x + 1, y + 1, 2, 2, GetColor(COLOR_WINDOW));
        pDC->FillSolidRect(x, y, 2, 2, GetColor(nDotColor));
    };
    if (nFlags == 2) {
        const int nCentre = (rc.left + rc.right) / 2;
        for (int x = nCentre - 8; x < nCentre + 8; x += 4)
            dot(x, rc.top + 3);
    } else {
        dot(rc.right - 4, rc.bottom - 4);
        dot(rc.right - 8, rc.bottom - 4);
        dot(rc.right - 4, rc.bottom - 8);
    }
}

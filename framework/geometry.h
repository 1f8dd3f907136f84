// CPoint, CSize, CRect: the platform's POINT, SIZE and RECT with their usual operators.
#pragma once

#include <windows.h>

class CSize : public SIZE {
public:
    CSize() noexcept : SIZE{0, 0} {}
    CSize(int x, int y) noexcept : SIZE{x, y} {}
    CSize(SIZE size) noexcept : SIZE(size) {}
    explicit CSize(POINT point) noexcept : SIZE{point.x, point.y} {}

    bool operator==(SIZE size) const noexcept { return cx == size.cx && cy == size.cy; }
    bool operator!=(SIZE size) const noexcept { return !(*this == size); }
    CSize& operator+=(SIZE size) noexcept { cx += size.cx; cy += size.cy; return *this; }
    CSize& operator-=(SIZE size) noexcept { cx -= size.cx; cy -= size.cy; return *this; }
    CSize operator+(SIZE size) const noexcept { return CSize(cx + size.cx, cy + size.cy); }
    CSize operator-(SIZE size) const noexcept { return CSize(cx - size.cx, cy - size.cy); }
    CSize operator-() const noexcept { return CSize(-cx, -cy); }
};

class CPoint : public POINT {
public:
    CPoint() noexcept : POINT{0, 0} {}
    CPoint(int x, int y) noexcept : POINT{x, y} {}
    CPoint(POINT point) noexcept : POINT(point) {}
    explicit CPoint(SIZE size) noexcept : POINT{size.cx, size.cy} {}
    // A point packed in a message's lParam (signed coordinates).
    explicit CPoint(LPARAM dwPoint) noexcept
        : POINT{static_cast<short>(LOWORD(dwPoint)), static_cast<short>(HIWORD(dwPoint))} {}

    void Offset(int xOffset, int yOffset) noexcept { x += xOffset; y += yOffset; }
    void Offset(POINT point) noexcept { Offset(point.x, point.y); }
    void SetPoint(int X, int Y) noexcept { x = X; y = Y; }

    bool operator==(POINT point) const noexcept { return x == point.x && y == point.y; }
    bool operator!=(POINT point) const noexcept { return !(*this == point); }
    CPoint& operator+=(SIZE size) noexcept { x += size.cx; y += size.cy; return *this; }
    CPoint& operator-=(SIZE size) noexcept { x -= size.cx; y -= size.cy; return *this; }
    CPoint& operator+=(POINT point) noexcept { x += point.x; y += point.y; return *this; }
    CPoint& operator-=(POINT point) noexcept { x -= point.x; y -= point.y; return *this; }
    CPoint operator+(SIZE size) const noexcept { return CPoint(x + size.cx, y + size.cy); }
    CPoint operator-(SIZE size) const noexcept { return CPoint(x - size.cx, y - size.cy); }
    CPoint operator+(POINT point) const noexcept { return CPoint(x + point.x, y + point.y); }
    // The distance between two points.
    CSize operator-(POINT point) const noexcept { return CSize(x - point.x, y - point.y); }
    CPoint operator-() const noexcept { return CPoint(-x, -y); }
};

class CRect : public RECT {
public:
    CRect() noexcept : RECT{0, 0, 0, 0} {}
    CRect(int l, int t, int r, int b) noexcept : RECT{l, t, r, b} {}
    CRect(const RECT& rect) noexcept : RECT(rect) {}
    CRect(const RECT* rect) noexcept : RECT(*rect) {}
    CRect(POINT point, SIZE size) noexcept : RECT{point.x, point.y, point.x + size.cx, point.y + size.cy} {}
    CRect(POINT topLeft, POINT bottomRight) noexcept : RECT{topLeft.x, topLeft.y, bottomRight.x, bottomRight.y} {}

    operator LPRECT() noexcept { return this; }
    operator LPCRECT() const noexcept { return this; }

    int Width() const noexcept { return right - left; }
    int Height() const noexcept { return bottom - top; }
    CSize Size() const noexcept { return CSize(Width(), Height()); }
    CPoint& TopLeft() noexcept { return *reinterpret_cast<CPoint*>(&left); }
    CPoint& BottomRight() noexcept { return *reinterpret_cast<CPoint*>(&right); }
    const CPoint& TopLeft() const noexcept { return *reinterpret_cast<const CPoint*>(&left); }
    const CPoint& BottomRight() const noexcept { return *reinterpret_cast<const CPoint*>(&right); }
    CPoint CenterPoint() const noexcept { return CPoint((left + right) / 2, (top + bottom) / 2); }

    BOOL IsRectEmpty() const noexcept { return ::IsRectEmpty(this); }
    BOOL IsRectNull() const noexcept { return left == 0 && top == 0 && right == 0 && bottom == 0; }
    BOOL PtInRect(POINT point) const noexcept { return ::PtInRect(this, point); }

    void SetRect(int l, int t, int r, int b) noexcept { left = l; top = t; right = r; bottom = b; }
    void SetRectEmpty() noexcept { SetRect(0, 0, 0, 0); }
    void CopyRect(LPCRECT rect) noexcept { *static_cast<RECT*>(this) = *rect; }
    BOOL EqualRect(LPCRECT rect) const noexcept { return ::EqualRect(this, rect); }
    void NormalizeRect() noexcept;

    void InflateRect(int x, int y) noexcept { ::InflateRect(this, x, y); }
    void InflateRect(SIZE size) noexcept { InflateRect(size.cx, size.cy); }
    void InflateRect(int l, int t, int r, int b) noexcept { left -= l; top -= t; right += r; bottom += b; }
    void DeflateRect(int x, int y) noexcept { ::InflateRect(this, -x, -y); }
    void DeflateRect(SIZE size) noexcept { DeflateRect(size.cx, size.cy); }
    void DeflateRect(int l, int t, int r, int b) noexcept { left += l; top += t; right -= r; bottom -= b; }
    void OffsetRect(int x, int y) noexcept { ::OffsetRect(this, x, y); }
    void OffsetRect(POINT point) noexcept { OffsetRect(point.x, point.y); }
    void OffsetRect(SIZE size) noexcept { OffsetRect(size.cx, size.cy); }
    void MoveToX(int x) noexcept { right = x + Width(); left = x; }
    void MoveToY(int y) noexcept { bottom = y + Height(); top = y; }
    void MoveToXY(int x, int y) noexcept { MoveToX(x); MoveToY(y); }
    void MoveToXY(POINT point) noexcept { MoveToXY(point.x, point.y); }

    BOOL IntersectRect(LPCRECT a, LPCRECT b) noexcept { return ::IntersectRect(this, a, b); }
    BOOL UnionRect(LPCRECT a, LPCRECT b) noexcept { return ::UnionRect(this, a, b); }
    BOOL SubtractRect(LPCRECT a, LPCRECT b) noexcept { return ::SubtractRect(this, a, b); }

    bool operator==(const RECT& rect) const noexcept { return ::EqualRect(this, &rect) != FALSE; }
    bool operator!=(const RECT& rect) const noexcept { return !(*this == rect); }
    CRect& operator+=(POINT point) noexcept { OffsetRect(point); return *this; }
    CRect& operator-=(POINT point) noexcept { OffsetRect(-point.x, -point.y); return *this; }
    CRect& operator+=(SIZE size) noexcept { OffsetRect(size); return *this; }
    CRect& operator-=(SIZE size) noexcept { OffsetRect(-size.cx, -size.cy); return *this; }
    CRect& operator&=(const RECT& rect) noexcept { IntersectRect(this, &rect); return *this; }
    CRect& operator|=(const RECT& rect) noexcept { UnionRect(this, &rect); return *this; }
    CRect operator+(POINT point) const noexcept { CRect r(*this); r += point; return r; }
    CRect operator-(POINT point) const noexcept { CRect r(*this); r -= point; return r; }
    CRect operator+(SIZE size) const noexcept { CRect r(*this); r += size; return r; }
    CRect operator-(SIZE size) const noexcept { CRect r(*this); r -= size; return r; }
    CRect operator&(const RECT& rect) const noexcept { CRect r; r.IntersectRect(this, &rect); return r; }
    CRect operator|(const RECT& rect) const noexcept { CRect r; r.UnionRect(this, &rect); return r; }
};

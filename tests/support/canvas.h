// Canvas: a memory DC over a 32-bit top-down bitmap whose pixels the tests read and write directly.
#pragma once

#include "framework/gdi.h"

#include <windows.h>

#include <cstdlib>

class Canvas {
public:
    Canvas(int width, int height, COLORREF paper = RGB(1, 2, 3)) : m_width(width), m_height(height)
    {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        m_bitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        m_bits = static_cast<DWORD*>(bits);
        dc.Attach(::CreateCompatibleDC(nullptr));
        m_old = ::SelectObject(dc.m_hDC, m_bitmap);
        dc.FillSolidRect(0, 0, width, height, paper);
    }
    ~Canvas()
    {
        ::SelectObject(dc.m_hDC, m_old);
        ::DeleteObject(m_bitmap);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    // The colour at (x, y) in device coordinates.
    COLORREF Pixel(int x, int y) const
    {
        ::GdiFlush();
        const DWORD bgra = m_bits[y * m_width + x];
        return RGB((bgra >> 16) & 0xFF, (bgra >> 8) & 0xFF, bgra & 0xFF);
    }
    // How many pixels of the rectangle have the colour.
    int Count(const RECT& rect, COLORREF color) const
    {
        int count = 0;
        for (int y = rect.top; y < rect.bottom; ++y)
            for (int x = rect.left; x < rect.right; ++x)
                count += Pixel(x, y) == color ? 1 : 0;
        return count;
    }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    HBITMAP Bitmap() const { return m_bitmap; }

    CDC dc;

private:
    int m_width;
    int m_height;
    HBITMAP m_bitmap = nullptr;
    DWORD* m_bits = nullptr;
    HGDIOBJ m_old = nullptr;
};

inline bool NearColor(COLORREF a, COLORREF b, int tolerance)
{
    return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance && std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
           std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

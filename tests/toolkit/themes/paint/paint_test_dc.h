// CPaintTestDC: a 32-bit memory DC of a given size filled with one ground colour, with pixel probes.
#pragma once

#include "framework/gdi.h"

#include <windows.h>

class CPaintTestDC : public CDC {
public:
    CPaintTestDC(int cx, int cy, COLORREF clrGround) : m_cx(cx), m_cy(cy)
    {
        CreateCompatibleDC(nullptr);
        BITMAPINFO bmi = {};
        bmi.bmiHeader = {sizeof(BITMAPINFOHEADER), cx, -cy, 1, 32, BI_RGB};
        m_hBitmap = ::CreateDIBSection(m_hDC, &bmi, DIB_RGB_COLORS, &m_pBits, nullptr, 0);
        m_hOld = ::SelectObject(m_hDC, m_hBitmap);
        Clear(clrGround);
    }
    ~CPaintTestDC() override
    {
        ::SelectObject(m_hDC, m_hOld);
        ::DeleteObject(m_hBitmap);
    }
    CPaintTestDC(const CPaintTestDC&) = delete;
    CPaintTestDC& operator=(const CPaintTestDC&) = delete;

    void Clear(COLORREF clr) { FillSolidRect(0, 0, m_cx, m_cy, clr); }
    COLORREF Pixel(int x, int y)
    {
        ::GdiFlush();
        return GetPixel(x, y);
    }
    // Whether any pixel of the DC differs from the colour.
    bool AnyPixelOtherThan(COLORREF clr)
    {
        for (int y = 0; y < m_cy; y++) {
            for (int x = 0; x < m_cx; x++) {
                if (Pixel(x, y) != clr)
                    return true;
            }
        }
        return false;
    }
    HBITMAP GetBitmap() const { return m_hBitmap; }

private:
    int m_cx;
    int m_cy;
    HBITMAP m_hBitmap = nullptr;
    HGDIOBJ m_hOld = nullptr;
    void* m_pBits = nullptr;
};

// CopyPixels: a rectangle of a device context as 32-bit pixels, for looking at what a window shows.
#pragma once

#include <windows.h>

#include <vector>

// The pixels (0x00RRGGBB, top row first) of the rectangle at x, y of source;
// empty when it has no area or cannot be copied.
inline std::vector<DWORD> CopyPixels(HDC source, int x, int y, int width, int height)
{
    std::vector<DWORD> pixels;
    if (width <= 0 || height <= 0)
        return pixels;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = ::CreateDIBSection(source, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap == nullptr)
        return pixels;
    HDC memory = ::CreateCompatibleDC(source);
    HGDIOBJ old = ::SelectObject(memory, bitmap);
    if (::BitBlt(memory, 0, 0, width, height, source, x, y, SRCCOPY)) {
        ::GdiFlush();
        const DWORD* p = static_cast<const DWORD*>(bits);
        pixels.assign(p, p + static_cast<size_t>(width) * height);
    }
    ::SelectObject(memory, old);
    ::DeleteDC(memory);
    ::DeleteObject(bitmap);
    return pixels;
}

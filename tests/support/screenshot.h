// SaveWindowPng, ScreenshotPath: what a window shows on the screen, written to build/screens/<name>.png.
#pragma once

#include "framework/strings.h"

#include <png.h>
#include <windows.h>

#include <cstdio>
#include <vector>

// The file of a screenshot: build/screens/<name>.png (the folder is made when missing).
inline CString ScreenshotPath(LPCSTR name)
{
    const CString folder = CString(KORVANE_BINARY_DIR) + "\\screens";
    ::CreateDirectoryA(folder, nullptr);
    return folder + "\\" + name + ".png";
}

// Writes rows of 8-bit RGB pixels as a PNG file; false when it cannot be written.
inline bool WriteRgbPng(const CString& path, int width, int height, const std::vector<BYTE>& rgb)
{
    FILE* file = fopen(path, "wb");
    if (file == nullptr)
        return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
    bool written = false;
    if (info != nullptr && setjmp(png_jmpbuf(png)) == 0) {
        png_init_io(png, file);
        png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
                     PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
        png_write_info(png, info);
        for (int y = 0; y < height; ++y)
            png_write_row(png, const_cast<png_bytep>(&rgb[static_cast<size_t>(y) * width * 3]));
        png_write_end(png, nullptr);
        written = true;
    }
    png_destroy_write_struct(&png, info != nullptr ? &info : nullptr);
    fclose(file);
    return written;
}

// Copies the window's area of the screen (the window must be shown on top) into a PNG file.
inline bool SaveWindowPng(HWND hWnd, const CString& path)
{
    RECT rect;
    if (!::GetWindowRect(hWnd, &rect))
        return false;
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    HDC screen = ::GetDC(nullptr);
    HDC memory = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = ::SelectObject(memory, bitmap);
    ::BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY | CAPTUREBLT);
    ::SelectObject(memory, old);

    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    std::vector<BYTE> bgra(static_cast<size_t>(width) * height * 4);
    const int lines = ::GetDIBits(memory, bitmap, 0, static_cast<UINT>(height), bgra.data(), &info, DIB_RGB_COLORS);
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
    if (lines != height)
        return false;

    std::vector<BYTE> rgb(static_cast<size_t>(width) * height * 3);
    for (size_t pixel = 0; pixel < static_cast<size_t>(width) * height; ++pixel) {
        rgb[pixel * 3] = bgra[pixel * 4 + 2];
        rgb[pixel * 3 + 1] = bgra[pixel * 4 + 1];
        rgb[pixel * 3 + 2] = bgra[pixel * 4];
    }
    return WriteRgbPng(path, width, height, rgb);
}

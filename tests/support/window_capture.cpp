#include "support/window_capture.h"

#include <png.h>
#include <shlobj.h>

#include <cstdio>

COLORREF WindowImage::At(int x, int y) const
{
    if (x < 0 || y < 0 || x >= width || y >= height)
        return CLR_INVALID;
    const uint32_t pixel = pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)];
    return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

void WindowImage::Paste(const WindowImage& other, int x, int y)
{
    for (int row = 0; row < other.height; ++row) {
        const int to = y + row;
        if (to < 0 || to >= height)
            continue;
        for (int col = 0; col < other.width; ++col) {
            const int at = x + col;
            if (at < 0 || at >= width)
                continue;
            pixels[static_cast<size_t>(to) * static_cast<size_t>(width) + static_cast<size_t>(at)] =
                other.pixels[static_cast<size_t>(row) * static_cast<size_t>(other.width) + static_cast<size_t>(col)];
        }
    }
}

namespace {

// Draws into a 32-bit picture of the window's size through draw(memoryDC).
template <class Draw>
WindowImage DrawWindowImage(HWND hWnd, Draw draw)
{
    WindowImage image;
    RECT rect;
    if (!::GetWindowRect(hWnd, &rect))
        return image;
    image.width = rect.right - rect.left;
    image.height = rect.bottom - rect.top;
    if (image.width <= 0 || image.height <= 0)
        return image;

    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = image.width;
    info.bmiHeader.biHeight = -image.height; // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC screen = ::GetDC(nullptr);
    HDC memory = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    ::ReleaseDC(nullptr, screen);
    if (bitmap != nullptr && memory != nullptr) {
        HGDIOBJ old = ::SelectObject(memory, bitmap);
        ::PatBlt(memory, 0, 0, image.width, image.height, WHITENESS);
        draw(memory, rect);
        ::GdiFlush();
        const auto* source = static_cast<const uint32_t*>(bits);
        image.pixels.assign(source, source + static_cast<size_t>(image.width) * static_cast<size_t>(image.height));
        for (uint32_t& pixel : image.pixels)
            pixel &= 0x00FFFFFF;
        ::SelectObject(memory, old);
    }
    if (bitmap != nullptr)
        ::DeleteObject(bitmap);
    if (memory != nullptr)
        ::DeleteDC(memory);
    return image;
}

} // namespace

WindowImage CaptureWindow(HWND hWnd)
{
    return DrawWindowImage(hWnd, [&](HDC memory, const RECT&) { ::PrintWindow(hWnd, memory, 0); });
}

WindowImage CaptureScreenArea(HWND hWnd)
{
    return DrawWindowImage(hWnd, [&](HDC memory, const RECT& rect) {
        HDC screen = ::GetDC(nullptr);
        ::BitBlt(memory, 0, 0, rect.right - rect.left, rect.bottom - rect.top, screen, rect.left, rect.top, SRCCOPY);
        ::ReleaseDC(nullptr, screen);
    });
}

POINT ClientOffset(HWND hWnd)
{
    RECT window = {};
    ::GetWindowRect(hWnd, &window);
    POINT origin = {0, 0};
    ::ClientToScreen(hWnd, &origin);
    return {origin.x - window.left, origin.y - window.top};
}

bool SavePng(const WindowImage& image, const CString& path)
{
    if (image.width <= 0 || image.height <= 0)
        return false;
    const int slash = path.ReverseFind('\\');
    if (slash > 0)
        ::SHCreateDirectoryExA(nullptr, path.Left(slash), nullptr);
    FILE* file = std::fopen(path, "wb");
    if (file == nullptr)
        return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
    bool written = false;
    if (info != nullptr && setjmp(png_jmpbuf(png)) == 0) {
        png_init_io(png, file);
        png_set_IHDR(png, info, static_cast<png_uint_32>(image.width), static_cast<png_uint_32>(image.height), 8,
                     PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
        png_write_info(png, info);
        std::vector<png_byte> row(static_cast<size_t>(image.width) * 3);
        for (int y = 0; y < image.height; ++y) {
            for (int x = 0; x < image.width; ++x) {
                const COLORREF color = image.At(x, y);
                row[static_cast<size_t>(x) * 3] = GetRValue(color);
                row[static_cast<size_t>(x) * 3 + 1] = GetGValue(color);
                row[static_cast<size_t>(x) * 3 + 2] = GetBValue(color);
            }
            png_write_row(png, row.data());
        }
        png_write_end(png, nullptr);
        written = true;
    }
    png_destroy_write_struct(png != nullptr ? &png : nullptr, info != nullptr ? &info : nullptr);
    std::fclose(file);
    return written;
}

CString ScreenshotPath(LPCSTR name)
{
    return CString(KORVANE_BINARY_DIR) + "\\screens\\" + name;
}

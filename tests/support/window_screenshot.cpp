#include "support/window_screenshot.h"

#include <png.h>

#include <cstdio>
#include <memory>
#include <vector>

namespace {

struct FileCloser {
    void operator()(FILE* f) const { fclose(f); }
};

// Top-down 32-bit BGRA rows of the window's pixels, copied from its window DC.
bool CaptureWindow(HWND hWnd, int& width, int& height, std::vector<unsigned char>& pixels)
{
    RECT rect = {};
    ::GetWindowRect(hWnd, &rect);
    width = rect.right - rect.left;
    height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0)
        return false;
    HDC window = ::GetWindowDC(hWnd);
    HDC memory = ::CreateCompatibleDC(window);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = ::CreateDIBSection(window, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bool ok = false;
    if (bitmap != nullptr) {
        HGDIOBJ old = ::SelectObject(memory, bitmap);
        ok = ::BitBlt(memory, 0, 0, width, height, window, 0, 0, SRCCOPY) != FALSE;
        ::GdiFlush();
        const auto* source = static_cast<const unsigned char*>(bits);
        pixels.assign(source, source + static_cast<size_t>(width) * height * 4);
        ::SelectObject(memory, old);
        ::DeleteObject(bitmap);
    }
    ::DeleteDC(memory);
    ::ReleaseDC(hWnd, window);
    return ok;
}

std::string WritePng(const std::string& path, int width, int height, const std::vector<unsigned char>& bgra)
{
    std::unique_ptr<FILE, FileCloser> file(fopen(path.c_str(), "wb"));
    if (!file)
        return "cannot create " + path;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
    if (info == nullptr) {
        png_destroy_write_struct(&png, nullptr);
        return "libpng could not start";
    }
    std::vector<unsigned char> row(static_cast<size_t>(width) * 3);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return "libpng failed writing " + path;
    }
    png_init_io(png, file.get());
    png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < height; ++y) {
        const unsigned char* source = &bgra[static_cast<size_t>(y) * width * 4];
        for (int x = 0; x < width; ++x) {
            row[x * 3] = source[x * 4 + 2];
            row[x * 3 + 1] = source[x * 4 + 1];
            row[x * 3 + 2] = source[x * 4];
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return {};
}

} // namespace

std::string SaveWindowScreenshot(HWND hWnd, const char* name)
{
    ::RedrawWindow(hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    int width = 0;
    int height = 0;
    std::vector<unsigned char> pixels;
    if (!CaptureWindow(hWnd, width, height, pixels))
        return "the window could not be copied";
    const std::string folder = std::string(KORVANE_BINARY_DIR) + "\\screens";
    ::CreateDirectoryA(folder.c_str(), nullptr);
    return WritePng(folder + "\\" + name + ".png", width, height, pixels);
}

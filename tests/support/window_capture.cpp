#include "support/window_capture.h"

#include "support/window_pixels.h"

COLORREF WindowImage::At(int x, int y) const
{
    if (x < 0 || y < 0 || x >= width || y >= height)
        return CLR_INVALID;
    const DWORD pixel = pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)];
    return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

namespace {

WindowImage Picture(int width, int height, std::vector<DWORD> pixels)
{
    WindowImage image;
    if (pixels.empty())
        return image;
    image.width = width;
    image.height = height;
    image.pixels = std::move(pixels);
    for (DWORD& pixel : image.pixels)
        pixel &= 0x00FFFFFF;
    return image;
}

} // namespace

WindowImage CaptureWindow(HWND hWnd)
{
    RECT rect = {};
    ::GetWindowRect(hWnd, &rect);
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0)
        return {};
    HDC screen = ::GetDC(nullptr);
    HDC memory = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, width, height);
    ::ReleaseDC(nullptr, screen);
    HGDIOBJ old = ::SelectObject(memory, bitmap);
    ::PatBlt(memory, 0, 0, width, height, WHITENESS);
    ::PrintWindow(hWnd, memory, 0);
    WindowImage image = Picture(width, height, CopyPixels(memory, 0, 0, width, height));
    ::SelectObject(memory, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
    return image;
}

WindowImage CaptureScreenArea(HWND hWnd)
{
    RECT rect = {};
    ::GetWindowRect(hWnd, &rect);
    return CaptureScreenRect(rect);
}

WindowImage CaptureScreenRect(const RECT& rect)
{
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    HDC screen = ::GetDC(nullptr);
    WindowImage image = Picture(width, height, CopyPixels(screen, rect.left, rect.top, width, height));
    ::ReleaseDC(nullptr, screen);
    return image;
}

WindowImage CaptureScreenRectWhileOpen(const RECT& rect, const std::function<bool()>& isOpen,
                                       const std::function<bool()>& reopen)
{
    constexpr int kTries = 3;
    for (int nTry = 0; nTry < kTries; ++nTry) {
        if (!isOpen() && !reopen())
            break;
        WindowImage image = CaptureScreenRect(rect);
        if (isOpen())
            return image;
    }
    return {};
}

POINT ClientOffset(HWND hWnd)
{
    RECT window = {};
    ::GetWindowRect(hWnd, &window);
    POINT origin = {0, 0};
    ::ClientToScreen(hWnd, &origin);
    return {origin.x - window.left, origin.y - window.top};
}

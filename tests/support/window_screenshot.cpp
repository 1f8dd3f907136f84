#include "support/window_screenshot.h"

#include "support/window_pixels.h"
#include "tools/common/png_file.h"
#include "support/test_dirs.h"

#include <vector>

std::string SaveWindowScreenshot(HWND hWnd, const char* name)
{
    ::RedrawWindow(hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    RECT rect = {};
    ::GetWindowRect(hWnd, &rect);
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    HDC window = ::GetWindowDC(hWnd);
    const std::vector<DWORD> pixels = CopyPixels(window, 0, 0, width, height);
    ::ReleaseDC(hWnd, window);
    if (pixels.empty())
        return "the window could not be copied";
    return SaveScreenshot(name, width, height, pixels);
}

std::string SaveScreenshot(const char* name, int width, int height, const std::vector<DWORD>& pixels)
{
    if (width <= 0 || height <= 0 || pixels.size() != static_cast<size_t>(width) * static_cast<size_t>(height))
        return "no picture";
    const std::string folder = std::string(TestBinaryDir()) + "\\screens";
    ::CreateDirectoryA(folder.c_str(), nullptr);
    return WritePngFile(folder + "\\" + name + ".png", width, height, pixels);
}

// Corvel.exe starts, shows its main window with something drawn in it, and closes.
#include "framework/core.h"

#include <gtest/gtest.h>

#include "corvel_process.h"
#include "support/window_pixels.h"

#include <set>
#include <vector>

namespace {

// A drawn window has at least this many colours.
constexpr size_t kMinColours = 3;

// The window's pixels as shown on the screen, 32 bits each.
std::vector<DWORD> CaptureWindow(HWND hWnd, int& width, int& height)
{
    RECT rect = {};
    ::GetWindowRect(hWnd, &rect);
    width = rect.right - rect.left;
    height = rect.bottom - rect.top;
    HDC screen = ::GetDC(nullptr);
    std::vector<DWORD> pixels = CopyPixels(screen, rect.left, rect.top, width, height);
    ::ReleaseDC(nullptr, screen);
    return pixels;
}

// Writes the pixels as a 32-bit bottom-up BMP file.
void SaveBitmap(const CString& path, const std::vector<DWORD>& pixels, int width, int height)
{
    BITMAPFILEHEADER file = {};
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = -height;
    header.biPlanes = 1;
    header.biBitCount = 32;
    header.biCompression = BI_RGB;
    const DWORD imageBytes = static_cast<DWORD>(pixels.size() * sizeof(DWORD));
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = file.bfOffBits + imageBytes;
    FILE* f = fopen(path, "wb");
    ASSERT_NE(nullptr, f) << static_cast<LPCSTR>(path);
    fwrite(&file, sizeof file, 1, f);
    fwrite(&header, sizeof header, 1, f);
    fwrite(pixels.data(), 1, imageBytes, f);
    fclose(f);
}

TEST(CorvelExe, StartsShowsItsMainWindowAndCloses)
{
    CorvelProcess corvel;
    CString failure;
    ASSERT_TRUE(corvel.Start(CString(), failure)) << static_cast<LPCSTR>(failure);
    ::WaitForInputIdle(corvel.Handle(), CorvelProcess::kExitTimeoutMs);
    ::Sleep(1000); // let the views paint

    int width = 0, height = 0;
    const std::vector<DWORD> pixels = CaptureWindow(corvel.MainWindow(), width, height);
    ASSERT_FALSE(pixels.empty());
    SaveBitmap(CString(KORVANE_BINARY_DIR) + "\\corvel-main-window.bmp", pixels, width, height);
    std::set<DWORD> colours;
    for (DWORD pixel : pixels)
        colours.insert(pixel & 0xFFFFFF);
    EXPECT_GE(colours.size(), kMinColours) << "the window looks blank";

    ::PostMessageA(corvel.MainWindow(), WM_CLOSE, 0, 0);
    const DWORD ended = ::WaitForSingleObject(corvel.Handle(), CorvelProcess::kExitTimeoutMs);
    ASSERT_EQ(WAIT_OBJECT_0, ended) << "Corvel did not close";
    DWORD exitCode = 1;
    ::GetExitCodeProcess(corvel.Handle(), &exitCode);
    EXPECT_EQ(0u, exitCode);
}

} // namespace

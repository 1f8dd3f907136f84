// Corvel.exe starts, shows its main window with something drawn in it, and closes.
#include "framework/core.h"

#include <gtest/gtest.h>

#include "corvel_process.h"
#include "support/window_pixels.h"
#include "support/window_screenshot.h"

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
    EXPECT_EQ("", SaveScreenshot("corvel-main-window", width, height, pixels));
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

// Corvel.exe starts, shows its main window with something drawn in it, and closes.
#include "framework/core.h"

#include <gtest/gtest.h>

#include "support/window_pixels.h"

#include <set>
#include <vector>

namespace {

constexpr DWORD kStartTimeoutMs = 60000;
constexpr DWORD kExitTimeoutMs = 30000;
constexpr DWORD kPollMs = 200;
// A drawn window has at least this many colours.
constexpr size_t kMinColours = 3;

struct WindowSearch {
    DWORD processId;
    HWND found;
    CString seen; // the titles of the process's other top-level windows
};

BOOL CALLBACK FindMainWindow(HWND hWnd, LPARAM lParam)
{
    auto* search = reinterpret_cast<WindowSearch*>(lParam);
    DWORD processId = 0;
    ::GetWindowThreadProcessId(hWnd, &processId);
    char title[256] = {};
    ::GetWindowTextA(hWnd, title, sizeof title);
    if (processId != search->processId)
        return TRUE;
    if (::IsWindowVisible(hWnd) && CString(title) == "Korvane EIP-Tarnwell") {
        search->found = hWnd;
        return FALSE;
    }
    search->seen.AppendFormat("[%s]%s ", title, ::IsWindowVisible(hWnd) ? "" : " hidden");
    return TRUE;
}

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
    CString command;
    command.Format("\"%s\\corvel\\app\\Corvel.exe\"", KORVANE_BINARY_DIR);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    ASSERT_TRUE(::CreateProcessA(nullptr, command.GetBuffer(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                 &startup, &process))
        << static_cast<LPCSTR>(command) << " error " << ::GetLastError();
    command.ReleaseBuffer();
    ScopedHandle processHandle(process.hProcess);
    ScopedHandle threadHandle(process.hThread);
    // Whatever happens, the program does not outlive the test.
    struct Terminator {
        HANDLE process;
        ~Terminator()
        {
            if (::WaitForSingleObject(process, 0) == WAIT_TIMEOUT)
                ::TerminateProcess(process, 1);
        }
    } terminator{process.hProcess};

    WindowSearch search = {process.dwProcessId, nullptr, CString()};
    for (DWORD waited = 0; search.found == nullptr && waited < kStartTimeoutMs; waited += kPollMs) {
        ASSERT_EQ(WAIT_TIMEOUT, ::WaitForSingleObject(process.hProcess, kPollMs)) << "Corvel ended at start-up";
        search.seen.Empty();
        ::EnumWindows(FindMainWindow, reinterpret_cast<LPARAM>(&search));
    }
    ASSERT_NE(nullptr, search.found) << "no main window; its windows: " << static_cast<LPCSTR>(search.seen);
    ::WaitForInputIdle(process.hProcess, kExitTimeoutMs);
    ::Sleep(1000); // let the views paint

    int width = 0, height = 0;
    const std::vector<DWORD> pixels = CaptureWindow(search.found, width, height);
    ASSERT_FALSE(pixels.empty());
    SaveBitmap(CString(KORVANE_BINARY_DIR) + "\\corvel-main-window.bmp", pixels, width, height);
    std::set<DWORD> colours;
    for (DWORD pixel : pixels)
        colours.insert(pixel & 0xFFFFFF);
    EXPECT_GE(colours.size(), kMinColours) << "the window looks blank";

    ::PostMessageA(search.found, WM_CLOSE, 0, 0);
    const DWORD ended = ::WaitForSingleObject(process.hProcess, kExitTimeoutMs);
    ASSERT_EQ(WAIT_OBJECT_0, ended) << "Corvel did not close";
    DWORD exitCode = 1;
    ::GetExitCodeProcess(process.hProcess, &exitCode);
    EXPECT_EQ(0u, exitCode);
}

} // namespace

// WindowImage, CaptureWindow, CaptureScreenArea, CaptureScreenRect, CaptureScreenRectWhileOpen, ClientOffset: pictures of windows as the program draws them, for pixel probes.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

// A picture in 32-bit pixels (0x00RRGGBB), top row first.
struct WindowImage {
    int width = 0;
    int height = 0;
    std::vector<DWORD> pixels;

    COLORREF At(int x, int y) const;
};

// Asks the window to print itself into a memory DC (Wine prints the window's own client
// area and frame, not its children).
WindowImage CaptureWindow(HWND hWnd);
// What the display shows where the window is (children and pop-ups over it included);
// the window should be on top, for windows of other programs would show too.
WindowImage CaptureScreenArea(HWND hWnd);
// What the display shows in a screen rectangle.
WindowImage CaptureScreenRect(const RECT& rect);
// What the display shows in a screen rectangle while a popup stays open. Programs tested side
// by side take the activation now and then, which closes popups: when isOpen says it closed
// before or while the picture was taken, reopen opens it again, a few times at most. Empty when
// it would not stay open.
WindowImage CaptureScreenRectWhileOpen(const RECT& rect, const std::function<bool()>& isOpen,
                                       const std::function<bool()>& reopen);

// Where the window's client area starts in its pictures (the frame's width and height).
POINT ClientOffset(HWND hWnd);

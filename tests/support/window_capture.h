// WindowImage, CaptureWindow, CaptureScreenArea, SavePng: pictures of windows as the program draws them, for pixel probes and screenshots.
#pragma once

#include "framework/strings.h"

#include <windows.h>

#include <cstdint>
#include <vector>

// A picture in 32-bit pixels, top row first.
struct WindowImage {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels; // 0x00RRGGBB

    COLORREF At(int x, int y) const;
    // Copies another picture in at (x, y), clipped.
    void Paste(const WindowImage& other, int x, int y);
};

// Asks the window to print itself into a memory DC (Wine prints the window's own client
// area and frame, not its children).
WindowImage CaptureWindow(HWND hWnd);
// What the display shows where the window is (children and pop-ups over it included);
// the window should be on top, for windows of other programs would show too.
WindowImage CaptureScreenArea(HWND hWnd);

// Where the window's client area starts in its pictures (the frame's width and height).
POINT ClientOffset(HWND hWnd);

// Writes the picture as a PNG file (folders are made as needed); false on failure.
bool SavePng(const WindowImage& image, const CString& path);

// The folder of the tests' screenshots: build/screens.
CString ScreenshotPath(LPCSTR name);

// SaveWindowScreenshot, SaveScreenshot: a window as the user sees it, written to the build tree's screens folder as PNG.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// Paints hWnd and its children, copies its whole window area and writes
// <build>\screens\<name>.png. Returns an empty text, or what failed.
std::string SaveWindowScreenshot(HWND hWnd, const char* name);
// Writes pixels (0x00RRGGBB, top row first) as <build>\screens\<name>.png.
// Returns an empty text, or what failed.
std::string SaveScreenshot(const char* name, int width, int height, const std::vector<DWORD>& pixels);

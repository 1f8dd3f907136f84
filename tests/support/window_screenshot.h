// SaveWindowScreenshot: a window as the user sees it, written to the build tree's screens folder as PNG.
#pragma once

#include <windows.h>

#include <string>

// Paints hWnd and its children, copies its whole window area and writes
// <build>\screens\<name>.png. Returns an empty text, or what failed.
std::string SaveWindowScreenshot(HWND hWnd, const char* name);

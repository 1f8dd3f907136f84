// WritePngFile, ReadPngFile: 32-bit pixels written as an RGB PNG file and read back, for the developer tools and the tests' screenshots.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// Writes width by height pixels (0x00RRGGBB, top row first) as an 8-bit RGB
// PNG file. Returns an empty text, or what failed.
std::string WritePngFile(const std::string& path, int width, int height, const std::vector<DWORD>& pixels);

// Reads the PNG file into width, height and pixels (0x00RRGGBB, top row first).
// Returns FALSE, with nothing filled in, when it cannot be read.
BOOL ReadPngFile(const std::string& path, int& width, int& height, std::vector<DWORD>& pixels);

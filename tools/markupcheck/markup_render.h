// RenderMarkupText: markupcheck's drawing of a markup text into a picture.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// A 32-bit picture, top row first, one DWORD (0x00RRGGBB) per pixel.
struct MarkupPicture {
    int width = 0;
    int height = 0;
    std::vector<DWORD> pixels;

    DWORD At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

// Builds the narrow markup text as the program does, measures it for the
// picture's size, arranges it into the whole picture and draws it through GDI
// (or GDI+ with bGdiPlus) on a white background. Image elements show pictures
// when the program links the library that loads them. Returns 0 with the
// picture, or 1 with the builder's error text in error.
int RenderMarkupText(LPCSTR lpszText, int nWidth, int nHeight, MarkupPicture& picture, std::string& error,
                     bool bGdiPlus = false);

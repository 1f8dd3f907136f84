// CKitGraphicBitmapPng: a PNG image from a file, a resource or memory, decoded by libpng into a 32-bit top-down DIB section.
#pragma once

#include "framework/gdi.h"

#include <windows.h>

#include <cstddef>

class CFile;

// The bitmap: width x height, 32 bits per pixel, top row first, pixels blue,
// green, red, alpha; alpha is the image's own for four-channel images and 0
// for three-channel ones. The input is untrusted: a damaged, truncated or
// implausibly large image fails and leaves no bitmap.
class CKitGraphicBitmapPng : public CBitmap {
    DECLARE_DYNAMIC(CKitGraphicBitmapPng)
public:
    // Images wider or higher than this are refused.
    static constexpr unsigned kMaxDimension = 16384;
    // Decoded images larger than this are refused.
    static constexpr size_t kMaxImageBytes = 128u * 1024u * 1024u;
    // Deflate expands at most about 1032 to 1: an image cannot decode to more
    // than this many bytes per byte of input.
    static constexpr size_t kMaxExpansion = 1040;
    // Resources shorter than this are refused without decoding.
    static constexpr size_t kMinResourceSize = 10;

    CKitGraphicBitmapPng() = default;

    // FALSE when the file cannot be opened or decoded.
    BOOL LoadFromFile(LPCSTR lpszFileName);
    // hResource of FindResource in hModule; FALSE for a null or short resource.
    BOOL LoadFromResource(HMODULE hModule, HRSRC hResource);
    // The bytes of a PNG image (not kept).
    BOOL LoadFromMemory(const BYTE* pData, size_t nSize);

    // The decoded image had four channels.
    BOOL IsAlpha() const { return m_bAlpha; }
    // The image's background colour when it has one, else grey 127.
    COLORREF GetBackground() const { return m_clrBackground; }

protected:
    // Decodes the stream from its current position to a new bitmap.
    BOOL LoadFromStream(CFile& file);

private:
    void Reset();

    BOOL m_bAlpha = FALSE;
    COLORREF m_clrBackground = RGB(127, 127, 127);
};

// The PNG signature: 0x89 'P' 'N' 'G' CR LF 0x1A LF.
BOOL KitIsPngSignature(const BYTE* pData, size_t nSize);

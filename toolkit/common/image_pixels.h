// KitPixels: the pixel work behind the image manager (premultiplying, icon pixels, software blending, icon image data).
#pragma once

#include "framework/geometry.h"

#include <windows.h>

#include <cstddef>
#include <vector>

class CKitImageManagerIconHandle;

namespace KitPixels {

// Single images higher or wider than this are refused.
constexpr unsigned kMaxImageDimension = 4096;
// Image strips wider than this are refused.
constexpr unsigned kMaxStripWidth = 65536;
constexpr DWORD kOpaque = 0xFF000000;
// The colour that stands for "transparent" while an icon is drawn into a buffer.
constexpr DWORD kKeyMagenta = 0x00FF00FF;

// A pixel (blue, green, red, alpha in memory) as a colour reference.
inline COLORREF ToColorRef(DWORD pixel)
{
    return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}
inline DWORD FromColorRef(COLORREF clr, BYTE nAlpha)
{
    return (static_cast<DWORD>(nAlpha) << 24) | (static_cast<DWORD>(GetRValue(clr)) << 16) |
           (static_cast<DWORD>(GetGValue(clr)) << 8) | GetBValue(clr);
}
inline BYTE Alpha(DWORD pixel)
{
    return static_cast<BYTE>(pixel >> 24);
}

// Each channel times alpha / 255 (truncated); TRUE when any pixel has alpha.
BOOL PreMultiply(std::vector<DWORD>& pixels);
DWORD PreMultiplyPixel(DWORD pixel);
// Every channel back to its value before premultiplying (channel x 255 / alpha).
DWORD UnPreMultiplyPixel(DWORD pixel);
// Reverses each row (a left-right mirror image).
void MirrorRows(std::vector<DWORD>& pixels, CSize sz);

// An icon's colour pixels and its mask (non-zero: transparent), at its own size.
BOOL ReadIconPixels(HICON hIcon, std::vector<DWORD>& colour, std::vector<BYTE>& transparent, CSize& sz);
// TRUE when the icon's colour bitmap is 32-bit with alpha in some pixel.
BOOL IconHasAlpha(HICON hIcon);
// A new icon from colour pixels and a mask (non-zero: transparent); bKeepAlpha
// keeps the pixels' alpha bytes (an alpha icon), else they are cleared.
HICON CreateIconFromPixels(const std::vector<DWORD>& colour, const std::vector<BYTE>& transparent, CSize sz,
                           BOOL bKeepAlpha = FALSE);
// An icon drawn into a buffer of that size: key-coloured pixels transparent, the rest opaque.
std::vector<DWORD> CompositeIcon(HICON hIcon, CSize sz);

// Premultiplied 32-bit pixels blended onto the destination in software:
// the destination area is read, blended and written back (right-to-left
// destinations without the system's mirroring of bitmaps).
BOOL SoftwareAlphaBlend(HDC hdcDest, const CRect& rcDest, HDC hdcSrc, const CRect& rcSrc);
// Blends premultiplied pixels of size sz onto the destination rectangle.
BOOL BlendPixels(HDC hdcDest, const CRect& rcDest, const std::vector<DWORD>& pixels, CSize sz);
// A transparent copy through a monochrome mask of the transparent colour.
BOOL MaskedTransparentBlt(HDC hdcDest, const CRect& rcDest, HDC hdcSrc, const CRect& rcSrc, UINT crTransparent);

// The image of icon data (an icon-file entry or an icon resource): a
// BITMAPINFOHEADER with colour and mask, or a PNG. The data is untrusted: it
// is used only when its size covers the header and the pixels.
BOOL IconImageFromData(const BYTE* pData, size_t nSize, CKitImageManagerIconHandle& image);

} // namespace KitPixels

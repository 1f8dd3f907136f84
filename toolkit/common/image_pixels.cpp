#include "toolkit/common/image_pixels.h"

#include "framework/gdi.h"
#include "toolkit/common/draw_helpers.h"
#include "toolkit/common/image_manager.h"
#include "toolkit/common/png_bitmap.h"

#include <algorithm>
#include <cstring>

namespace KitPixels {

namespace {

constexpr DWORD kIconFormatVersion = 0x00030000;
// Icon images (files and resources) larger than this are refused.
constexpr LONG kMaxIconDimension = 1024;
constexpr DWORD kNoMirrorBitmap = 0x80000000;

// A memory DC over a new 32-bit DIB of the size; the bits are reachable.
class PixelBuffer {
public:
    explicit PixelBuffer(CSize sz) : m_size(sz)
    {
        m_hBitmap = CKitImageManager::Create32BitDIBSection(nullptr, sz.cx, -sz.cy, &m_pBits);
        m_hDC = ::CreateCompatibleDC(nullptr);
        if (m_hBitmap != nullptr && m_hDC != nullptr)
            m_hOld = ::SelectObject(m_hDC, m_hBitmap);
    }
    ~PixelBuffer()
    {
        if (m_hDC != nullptr) {
            if (m_hOld != nullptr)
                ::SelectObject(m_hDC, m_hOld);
            ::DeleteDC(m_hDC);
        }
        if (m_hBitmap != nullptr)
            ::DeleteObject(m_hBitmap);
    }
    PixelBuffer(const PixelBuffer&) = delete;
    PixelBuffer& operator=(const PixelBuffer&) = delete;

    BOOL IsValid() const { return m_pBits != nullptr && m_hOld != nullptr; }
    HDC GetDC() const { return m_hDC; }
    DWORD* Pixels() const
    {
        ::GdiFlush();
        return reinterpret_cast<DWORD*>(m_pBits);
    }
    size_t Count() const { return static_cast<size_t>(m_size.cx) * static_cast<size_t>(m_size.cy); }

private:
    CSize m_size;
    HBITMAP m_hBitmap = nullptr;
    LPBYTE m_pBits = nullptr;
    HDC m_hDC = nullptr;
    HGDIOBJ m_hOld = nullptr;
};

BYTE Scale(DWORD channel, DWORD alpha)
{
    return static_cast<BYTE>(channel * alpha / 255);
}

} // namespace

DWORD PreMultiplyPixel(DWORD pixel)
{
    const DWORD alpha = pixel >> 24;
    return (alpha << 24) | (static_cast<DWORD>(Scale((pixel >> 16) & 0xFF, alpha)) << 16) |
           (static_cast<DWORD>(Scale((pixel >> 8) & 0xFF, alpha)) << 8) | Scale(pixel & 0xFF, alpha);
}

DWORD UnPreMultiplyPixel(DWORD pixel)
{
    const DWORD alpha = pixel >> 24;
    if (alpha == 0)
        return pixel;
    auto channel = [alpha](DWORD value) { return std::min<DWORD>(value * 255 / alpha, 255); };
    return (alpha << 24) | (channel((pixel >> 16) & 0xFF) << 16) | (channel((pixel >> 8) & 0xFF) << 8) |
           channel(pixel & 0xFF);
}

BOOL PreMultiply(std::vector<DWORD>& pixels)
{
    BOOL bAlpha = FALSE;
    for (DWORD& pixel : pixels) {
        if (Alpha(pixel) != 0)
            bAlpha = TRUE;
        pixel = PreMultiplyPixel(pixel);
    }
    return bAlpha;
}

void MirrorRows(std::vector<DWORD>& pixels, CSize sz)
{
    for (int y = 0; y < sz.cy; ++y) {
        auto row = pixels.begin() + static_cast<ptrdiff_t>(y) * sz.cx;
        std::reverse(row, row + sz.cx);
    }
}

BOOL ReadIconPixels(HICON hIcon, std::vector<DWORD>& colour, std::vector<BYTE>& transparent, CSize& sz)
{
    ICONINFO info = {};
    if (hIcon == nullptr || !::GetIconInfo(hIcon, &info))
        return FALSE;
    CSize szMask;
    const std::vector<DWORD> mask = CKitImageManager::Read32BitPixels(info.hbmMask, szMask);
    BOOL bResult = FALSE;
    if (info.hbmColor != nullptr) {
        colour = CKitImageManager::Read32BitPixels(info.hbmColor, sz);
        bResult = !colour.empty() && szMask == sz;
    } else if (!mask.empty() && szMask.cy % 2 == 0) {
        // A monochrome icon: the AND mask above the XOR image.
        sz = CSize(szMask.cx, szMask.cy / 2);
        colour.assign(mask.begin() + static_cast<ptrdiff_t>(sz.cx) * sz.cy, mask.end());
        bResult = TRUE;
    }
    if (bResult) {
        transparent.resize(static_cast<size_t>(sz.cx) * static_cast<size_t>(sz.cy));
        for (size_t i = 0; i < transparent.size(); ++i)
            transparent[i] = (mask[i] & 0x00FFFFFF) != 0 ? 1 : 0;
    }
    if (info.hbmColor != nullptr)
        ::DeleteObject(info.hbmColor);
    if (info.hbmMask != nullptr)
        ::DeleteObject(info.hbmMask);
    return bResult;
}

BOOL IconHasAlpha(HICON hIcon)
{
    ICONINFO info = {};
    if (hIcon == nullptr || !::GetIconInfo(hIcon, &info))
        return FALSE;
    BOOL bAlpha = FALSE;
    BITMAP bm = {};
    if (info.hbmColor != nullptr && ::GetObjectA(info.hbmColor, sizeof(bm), &bm) != 0 && bm.bmBitsPixel == 32) {
        CSize sz;
        const std::vector<DWORD> pixels = CKitImageManager::Read32BitPixels(info.hbmColor, sz);
        bAlpha = std::any_of(pixels.begin(), pixels.end(), [](DWORD pixel) { return Alpha(pixel) != 0; });
    }
    if (info.hbmColor != nullptr)
        ::DeleteObject(info.hbmColor);
    if (info.hbmMask != nullptr)
        ::DeleteObject(info.hbmMask);
    return bAlpha;
}

HICON CreateIconFromPixels(const std::vector<DWORD>& colour, const std::vector<BYTE>& transparent, CSize sz,
                           BOOL bKeepAlpha)
{
    std::vector<DWORD> opaque(colour);
    if (!bKeepAlpha) {
        for (DWORD& pixel : opaque)
            pixel &= 0x00FFFFFF;
    }
    HBITMAP hColor = CKitImageManager::Create32BitBitmap(opaque.data(), sz);
    // Monochrome rows are padded to 16 bits.
    const size_t nStride = ((static_cast<size_t>(sz.cx) + 15) / 16) * 2;
    std::vector<BYTE> maskBits(nStride * static_cast<size_t>(sz.cy), 0);
    for (int y = 0; y < sz.cy; ++y) {
        for (int x = 0; x < sz.cx; ++x) {
            if (transparent[static_cast<size_t>(y) * sz.cx + x] != 0)
                maskBits[nStride * y + x / 8] |= static_cast<BYTE>(0x80 >> (x % 8));
        }
    }
    HBITMAP hMask = ::CreateBitmap(sz.cx, sz.cy, 1, 1, maskBits.data());
    HICON hIcon = nullptr;
    if (hColor != nullptr && hMask != nullptr) {
        ICONINFO info = {};
        info.fIcon = TRUE;
        info.hbmColor = hColor;
        info.hbmMask = hMask;
        hIcon = ::CreateIconIndirect(&info);
    }
    if (hColor != nullptr)
        ::DeleteObject(hColor);
    if (hMask != nullptr)
        ::DeleteObject(hMask);
    return hIcon;
}

std::vector<DWORD> CompositeIcon(HICON hIcon, CSize sz)
{
    std::vector<DWORD> pixels;
    PixelBuffer buffer(sz);
    if (!buffer.IsValid())
        return pixels;
    DWORD* pPixels = buffer.Pixels();
    std::fill(pPixels, pPixels + buffer.Count(), kKeyMagenta);
    ::DrawIconEx(buffer.GetDC(), 0, 0, hIcon, sz.cx, sz.cy, 0, nullptr, DI_NORMAL);
    pPixels = buffer.Pixels();
    pixels.assign(pPixels, pPixels + buffer.Count());
    for (DWORD& pixel : pixels)
        pixel = (pixel & 0x00FFFFFF) == kKeyMagenta ? 0 : (pixel | kOpaque);
    return pixels;
}

BOOL BlendPixels(HDC hdcDest, const CRect& rcDest, const std::vector<DWORD>& pixels, CSize sz)
{
    PixelBuffer source(sz);
    if (!source.IsValid())
        return FALSE;
    std::copy(pixels.begin(), pixels.end(), source.Pixels());
    return CKitImageManager::AlphaBlend(hdcDest, rcDest, source.GetDC(), CRect(0, 0, sz.cx, sz.cy));
}

BOOL SoftwareAlphaBlend(HDC hdcDest, const CRect& rcDest, HDC hdcSrc, const CRect& rcSrc)
{
    const CSize sz(rcDest.Width(), rcDest.Height());
    if (sz.cx <= 0 || sz.cy <= 0)
        return FALSE;
    PixelBuffer source(sz);
    PixelBuffer target(sz);
    if (!source.IsValid() || !target.IsValid())
        return FALSE;
    if (rcSrc.Size() == sz) {
        ::BitBlt(source.GetDC(), 0, 0, sz.cx, sz.cy, hdcSrc, rcSrc.left, rcSrc.top, SRCCOPY);
    } else {
        ::SetStretchBltMode(source.GetDC(), HALFTONE);
        ::StretchBlt(source.GetDC(), 0, 0, sz.cx, sz.cy, hdcSrc, rcSrc.left, rcSrc.top, rcSrc.Width(),
                     rcSrc.Height(), SRCCOPY);
    }
    // On a right-to-left destination the pixels are exchanged without the
    // system's mirroring, and the source is mirrored as the system would.
    const BOOL bRTL = CKitDrawHelpers::IsContextRTL(hdcDest);
    const DWORD dwMirror = bRTL ? kNoMirrorBitmap : 0;
    ::BitBlt(target.GetDC(), 0, 0, sz.cx, sz.cy, hdcDest, rcDest.left, rcDest.top, SRCCOPY | dwMirror);
    if (bRTL) {
        DWORD* pRows = source.Pixels();
        for (int y = 0; y < sz.cy; ++y)
            std::reverse(pRows + static_cast<size_t>(y) * sz.cx, pRows + static_cast<size_t>(y + 1) * sz.cx);
    }
    const DWORD* pSource = source.Pixels();
    DWORD* pTarget = target.Pixels();
    for (size_t i = 0; i < target.Count(); ++i) {
        const DWORD s = pSource[i];
        const DWORD d = pTarget[i];
        const DWORD inverse = 255 - (s >> 24);
        auto channel = [&](int shift) {
            return std::min<DWORD>(((s >> shift) & 0xFF) + ((d >> shift) & 0xFF) * inverse / 255, 255) << shift;
        };
        pTarget[i] = channel(0) | channel(8) | channel(16) | (d & kOpaque);
    }
    return ::BitBlt(hdcDest, rcDest.left, rcDest.top, sz.cx, sz.cy, target.GetDC(), 0, 0, SRCCOPY | dwMirror);
}

BOOL MaskedTransparentBlt(HDC hdcDest, const CRect& rcDest, HDC hdcSrc, const CRect& rcSrc, UINT crTransparent)
{
    const CSize sz(rcDest.Width(), rcDest.Height());
    if (sz.cx <= 0 || sz.cy <= 0)
        return FALSE;
    // The source at the destination's size.
    PixelBuffer image(sz);
    if (!image.IsValid())
        return FALSE;
    if (rcSrc.Size() == sz)
        ::BitBlt(image.GetDC(), 0, 0, sz.cx, sz.cy, hdcSrc, rcSrc.left, rcSrc.top, SRCCOPY);
    else
        ::StretchBlt(image.GetDC(), 0, 0, sz.cx, sz.cy, hdcSrc, rcSrc.left, rcSrc.top, rcSrc.Width(),
                     rcSrc.Height(), SRCCOPY);
    // Mask: 1 where the source has the transparent colour.
    HBITMAP hMask = ::CreateBitmap(sz.cx, sz.cy, 1, 1, nullptr);
    HDC hMaskDC = ::CreateCompatibleDC(nullptr);
    if (hMask == nullptr || hMaskDC == nullptr) {
        if (hMask != nullptr)
            ::DeleteObject(hMask);
        if (hMaskDC != nullptr)
            ::DeleteDC(hMaskDC);
        return FALSE;
    }
    HGDIOBJ hOldMask = ::SelectObject(hMaskDC, hMask);
    const COLORREF clrOldImageBk = ::SetBkColor(image.GetDC(), crTransparent);
    ::BitBlt(hMaskDC, 0, 0, sz.cx, sz.cy, image.GetDC(), 0, 0, SRCCOPY);
    ::SetBkColor(image.GetDC(), clrOldImageBk);
    // The transparent pixels of the image become black.
    ::SetBkColor(image.GetDC(), RGB(0, 0, 0));
    ::SetTextColor(image.GetDC(), RGB(255, 255, 255));
    ::BitBlt(image.GetDC(), 0, 0, sz.cx, sz.cy, hMaskDC, 0, 0, 0x00220326);
    const COLORREF clrOldText = ::SetTextColor(hdcDest, RGB(0, 0, 0));
    const COLORREF clrOldBk = ::SetBkColor(hdcDest, RGB(255, 255, 255));
    ::BitBlt(hdcDest, rcDest.left, rcDest.top, sz.cx, sz.cy, hMaskDC, 0, 0, SRCAND);
    ::BitBlt(hdcDest, rcDest.left, rcDest.top, sz.cx, sz.cy, image.GetDC(), 0, 0, SRCPAINT);
    ::SetTextColor(hdcDest, clrOldText);
    ::SetBkColor(hdcDest, clrOldBk);
    ::SelectObject(hMaskDC, hOldMask);
    ::DeleteDC(hMaskDC);
    ::DeleteObject(hMask);
    return TRUE;
}

BOOL IconImageFromData(const BYTE* pData, size_t nSize, CKitImageManagerIconHandle& image)
{
    image.Clear();
    if (pData == nullptr)
        return FALSE;
    if (KitIsPngSignature(pData, nSize)) {
        CKitGraphicBitmapPng png;
        if (!png.LoadFromMemory(pData, nSize))
            return FALSE;
        CSize sz;
        std::vector<DWORD> pixels = CKitImageManager::Read32BitPixels(png, sz);
        if (pixels.empty())
            return FALSE;
        if (!png.IsAlpha()) {
            for (DWORD& pixel : pixels)
                pixel |= kOpaque;
        }
        image.TakeBitmap(CKitImageManager::Create32BitBitmap(pixels.data(), sz));
        return !image.IsEmpty();
    }
    if (nSize < sizeof(BITMAPINFOHEADER))
        return FALSE;
    BITMAPINFOHEADER header;
    std::memcpy(&header, pData, sizeof(header));
    const LONG cx = header.biWidth;
    const LONG cy = header.biHeight / 2;
    if (header.biSize < sizeof(BITMAPINFOHEADER) || header.biSize > nSize || cx <= 0 || cy <= 0 ||
        cx > kMaxIconDimension || cy > kMaxIconDimension || header.biPlanes != 1 ||
        (header.biCompression != BI_RGB && header.biCompression != BI_BITFIELDS))
        return FALSE;
    const size_t nMaskStride = ((static_cast<size_t>(cx) + 31) / 32) * 4;
    const size_t nMaskBytes = nMaskStride * static_cast<size_t>(cy);

    if (header.biBitCount == 32) {
        // The colour rows, bottom row first, then the AND mask.
        const size_t nColorBytes = static_cast<size_t>(cx) * static_cast<size_t>(cy) * 4;
        const size_t nMasks = header.biCompression == BI_BITFIELDS ? 3 * sizeof(DWORD) : 0;
        if (nSize - header.biSize < nMasks || nSize - header.biSize - nMasks < nColorBytes)
            return FALSE;
        const BYTE* pColor = pData + header.biSize + nMasks;
        std::vector<DWORD> pixels(static_cast<size_t>(cx) * static_cast<size_t>(cy));
        for (LONG y = 0; y < cy; ++y)
            std::memcpy(&pixels[static_cast<size_t>(y) * cx], pColor + static_cast<size_t>(cy - 1 - y) * cx * 4,
                        static_cast<size_t>(cx) * 4);
        // Old 32-bit icons carry no alpha: their AND mask (when present) or full opacity stands in.
        if (std::none_of(pixels.begin(), pixels.end(), [](DWORD pixel) { return Alpha(pixel) != 0; })) {
            const BYTE* pMask = pColor + nColorBytes;
            const bool bHasMask = nSize - header.biSize - nMasks - nColorBytes >= nMaskBytes;
            for (LONG y = 0; y < cy; ++y) {
                for (LONG x = 0; x < cx; ++x) {
                    const bool bTransparent =
                        bHasMask && (pMask[static_cast<size_t>(cy - 1 - y) * nMaskStride + x / 8] & (0x80 >> (x % 8)));
                    if (!bTransparent)
                        pixels[static_cast<size_t>(y) * cx + x] |= kOpaque;
                }
            }
        }
        image.TakeBitmap(CKitImageManager::Create32BitBitmap(pixels.data(), CSize(cx, cy)));
        return !image.IsEmpty();
    }

    const WORD nBits = header.biBitCount;
    if (nBits != 1 && nBits != 4 && nBits != 8 && nBits != 16 && nBits != 24)
        return FALSE;
    size_t nColors = header.biClrUsed != 0 ? header.biClrUsed : (nBits <= 8 ? (size_t{1} << nBits) : 0);
    if (header.biCompression == BI_BITFIELDS)
        nColors = 3;
    if (nColors > 256)
        return FALSE;
    const size_t nColorStride = ((static_cast<size_t>(cx) * nBits + 31) / 32) * 4;
    const size_t nNeeded = header.biSize + nColors * 4 + nColorStride * static_cast<size_t>(cy) + nMaskBytes;
    if (nNeeded > nSize || nSize > 0xFFFFFFFFu)
        return FALSE;
    HICON hIcon = ::CreateIconFromResourceEx(const_cast<PBYTE>(pData), static_cast<DWORD>(nSize), TRUE,
                                             kIconFormatVersion, cx, cy, 0);
    if (hIcon == nullptr)
        return FALSE;
    image.TakeIcon(hIcon);
    return !image.IsEmpty();
}

} // namespace KitPixels

// The image manager's 32-bit bitmap sections and pixel reading: plain GDI, without windows.
#include "toolkit/common/image_manager.h"

#include "toolkit/common/dib_section.h"
#include "toolkit/common/image_pixels.h"

#include <cstring>

HBITMAP Create32BitDibSection(HDC hDC, int cx, int cy, LPBYTE* ppBits)
{
    if (ppBits != nullptr)
        *ppBits = nullptr;
    if (cx <= 0 || cy == 0)
        return nullptr;
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = cx;
    bmi.bmiHeader.biHeight = cy;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    void* pBits = nullptr;
    HBITMAP hBitmap = ::CreateDIBSection(hDC, &bmi, DIB_RGB_COLORS, &pBits, nullptr, 0);
    if (hBitmap != nullptr && ppBits != nullptr)
        *ppBits = static_cast<LPBYTE>(pBits);
    return hBitmap;
}

HBITMAP CKitImageManager::Create32BitDIBSection(HDC hDC, int cx, int cy, LPBYTE* ppBits)
{
    return Create32BitDibSection(hDC, cx, cy, ppBits);
}

HBITMAP CKitImageManager::Create32BitBitmap(const DWORD* pPixels, CSize sz, LPBYTE* ppBits)
{
    LPBYTE pBits = nullptr;
    HBITMAP hBitmap = Create32BitDIBSection(nullptr, sz.cx, -sz.cy, &pBits);
    if (hBitmap == nullptr)
        return nullptr;
    if (pPixels != nullptr)
        std::memcpy(pBits, pPixels, static_cast<size_t>(sz.cx) * static_cast<size_t>(sz.cy) * sizeof(DWORD));
    if (ppBits != nullptr)
        *ppBits = pBits;
    return hBitmap;
}

std::vector<DWORD> CKitImageManager::Read32BitPixels(HBITMAP hBitmap, CSize& szBitmap)
{
    std::vector<DWORD> pixels;
    BITMAP bm = {};
    szBitmap = CSize(0, 0);
    if (hBitmap == nullptr || ::GetObjectA(hBitmap, sizeof(bm), &bm) == 0 || bm.bmWidth <= 0 || bm.bmHeight <= 0 ||
        static_cast<unsigned>(bm.bmWidth) > KitPixels::kMaxStripWidth ||
        static_cast<unsigned>(bm.bmHeight) > KitPixels::kMaxImageDimension)
        return pixels;
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = bm.bmWidth;
    bmi.bmiHeader.biHeight = -bm.bmHeight;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    pixels.resize(static_cast<size_t>(bm.bmWidth) * static_cast<size_t>(bm.bmHeight));
    HDC hDC = ::CreateCompatibleDC(nullptr);
    const int nLines = ::GetDIBits(hDC, hBitmap, 0, static_cast<UINT>(bm.bmHeight), pixels.data(), &bmi,
                                   DIB_RGB_COLORS);
    ::DeleteDC(hDC);
    if (nLines != bm.bmHeight) {
        pixels.clear();
        return pixels;
    }
    szBitmap = CSize(bm.bmWidth, bm.bmHeight);
    return pixels;
}

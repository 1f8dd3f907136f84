#include "toolkit/common/image_manager.h"

HBITMAP CKitImageManager::Create32BitDIBSection(HDC hdc, int cx, int cy, LPBYTE* ppBits)
{
    if (ppBits != nullptr)
        *ppBits = nullptr;
    if (cx <= 0 || cy <= 0)
        return nullptr;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = cx;
    info.bmiHeader.biHeight = cy;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = ::CreateDIBSection(hdc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap != nullptr && ppBits != nullptr)
        *ppBits = static_cast<LPBYTE>(bits);
    return bitmap;
}

// Icons of the image manager: state images, drawing, made images and the archive form.
#include "toolkit/common/image_manager.h"

#include "framework/archive.h"
#include "toolkit/common/color_manager.h"
#include "toolkit/common/image_pixels.h"
#include "toolkit/common/prop_exchange.h"

#include <algorithm>
#include <cmath>
#include <cstring>

IMPLEMENT_DYNAMIC(CKitImageManagerIcon, CCmdTarget)

namespace {

// The faded image: 70 % of each channel, 30 % of white.
constexpr double kFadeKeep = 0.7;
constexpr double kFadeWhite = 0.3;
// The shadow colour: toolkit colour 31 darkened to 75 %.
constexpr int kShadowColorIndex = 31;
constexpr double kShadowFactor = 0.75;
// Grey disabled images: luminance to this power, alpha divided by the second value.
constexpr double kDisabledGamma = 0.5;
constexpr double kDisabledAlphaDivisor = 1.0;
// Archive schemas from which the checked and pressed images are stored, and
// from which alpha pixels are stored premultiplied.
constexpr UINT kSchemaWithChecked = 7;
constexpr UINT kSchemaWithPressed = 16;
constexpr UINT kSchemaPremultiplied = 24;
// The header sizes of stored bitmaps: 4-bit and 8-bit with their colour tables, others with three masks.
constexpr DWORD kHeader4Bit = sizeof(BITMAPINFOHEADER) + 4 * 16;
constexpr DWORD kHeader8Bit = sizeof(BITMAPINFOHEADER) + 4 * 256;
constexpr DWORD kHeaderOther = sizeof(BITMAPINFOHEADER) + 4 * 3;
// Stored images higher or wider than this are refused.
constexpr LONG kMaxStoredDimension = 1024;

double Luminance(DWORD pixel)
{
    return (0.299 * ((pixel >> 16) & 0xFF) + 0.587 * ((pixel >> 8) & 0xFF) + 0.114 * (pixel & 0xFF)) / 255.0;
}

// Writes a 32-bit image as a stored bitmap: header count, header and masks, pixel count, pixels (bottom row first).
void WriteDib(CArchive& ar, const std::vector<DWORD>& pixels, CSize sz)
{
    BYTE header[kHeaderOther] = {};
    BITMAPINFOHEADER info = {};
    info.biSize = sizeof(BITMAPINFOHEADER);
    info.biWidth = sz.cx;
    info.biHeight = sz.cy;
    info.biPlanes = 1;
    info.biBitCount = 32;
    info.biCompression = BI_RGB;
    info.biSizeImage = static_cast<DWORD>(sz.cx) * static_cast<DWORD>(sz.cy) * 4;
    std::memcpy(header, &info, sizeof(info));
    KitWriteArchiveCount(ar, kHeaderOther);
    ar.Write(header, kHeaderOther);
    KitWriteArchiveCount(ar, info.biSizeImage);
    for (int y = sz.cy - 1; y >= 0; --y)
        ar.Write(&pixels[static_cast<size_t>(y) * sz.cx], static_cast<UINT>(sz.cx) * 4);
}

// A stored bitmap read back as 32-bit pixels (top row first); no bitmap for a header count of 0.
// The stored data is untrusted: only the known header sizes and enough pixel bytes are accepted.
BOOL ReadDib(CArchive& ar, std::vector<DWORD>& pixels, CSize& sz)
{
    const DWORD nHeaderSize = KitReadArchiveCount(ar);
    if (nHeaderSize == 0)
        return FALSE;
    if (nHeaderSize != kHeader4Bit && nHeaderSize != kHeader8Bit && nHeaderSize != kHeaderOther)
        AfxThrowArchiveException(CArchiveException::badSchema);
    std::vector<BYTE> header(nHeaderSize);
    if (ar.Read(header.data(), nHeaderSize) != nHeaderSize)
        AfxThrowArchiveException(CArchiveException::endOfFile);
    BITMAPINFOHEADER info;
    std::memcpy(&info, header.data(), sizeof(info));
    const WORD nBits = info.biBitCount;
    const bool bBitsMatch = nHeaderSize == kHeader4Bit   ? nBits == 4
                            : nHeaderSize == kHeader8Bit ? nBits == 8
                                                         : (nBits == 1 || nBits == 16 || nBits == 24 || nBits == 32);
    const LONG cy = std::abs(info.biHeight);
    if (info.biSize != sizeof(BITMAPINFOHEADER) || !bBitsMatch || info.biPlanes != 1 || info.biWidth <= 0 ||
        info.biWidth > kMaxStoredDimension || cy == 0 || cy > kMaxStoredDimension ||
        (info.biCompression != BI_RGB && info.biCompression != BI_BITFIELDS))
        AfxThrowArchiveException(CArchiveException::badSchema);
    const size_t nStride = ((static_cast<size_t>(info.biWidth) * nBits + 31) / 32) * 4;
    const size_t nNeeded = nStride * static_cast<size_t>(cy);
    const DWORD nPixelSize = KitReadArchiveCount(ar);
    if (nPixelSize < nNeeded)
        AfxThrowArchiveException(CArchiveException::badSchema);
    if (nPixelSize > ar.GetBytesRemaining())
        AfxThrowArchiveException(CArchiveException::endOfFile);
    std::vector<BYTE> bits(nPixelSize);
    if (ar.Read(bits.data(), nPixelSize) != nPixelSize)
        AfxThrowArchiveException(CArchiveException::endOfFile);

    sz = CSize(info.biWidth, cy);
    pixels.assign(static_cast<size_t>(sz.cx) * static_cast<size_t>(sz.cy), 0);
    if (nBits == 32) {
        for (LONG y = 0; y < cy; ++y) {
            const LONG nSourceRow = info.biHeight > 0 ? cy - 1 - y : y;
            std::memcpy(&pixels[static_cast<size_t>(y) * sz.cx], &bits[nStride * nSourceRow],
                        static_cast<size_t>(sz.cx) * 4);
        }
        return TRUE;
    }
    // Other depths go through GDI with the stored header and colour table.
    std::vector<BYTE> bmi(nHeaderSize);
    std::memcpy(bmi.data(), header.data(), nHeaderSize);
    reinterpret_cast<BITMAPINFOHEADER*>(bmi.data())->biSizeImage = 0;
    LPBYTE pTarget = nullptr;
    HBITMAP hBitmap = CKitImageManager::Create32BitDIBSection(nullptr, sz.cx, -sz.cy, &pTarget);
    if (hBitmap == nullptr)
        AfxThrowMemoryException();
    HDC hDC = ::CreateCompatibleDC(nullptr);
    ::SetDIBits(hDC, hBitmap, 0, static_cast<UINT>(cy), bits.data(), reinterpret_cast<BITMAPINFO*>(bmi.data()),
                DIB_RGB_COLORS);
    ::DeleteDC(hDC);
    ::GdiFlush();
    std::memcpy(pixels.data(), pTarget, pixels.size() * 4);
    ::DeleteObject(hBitmap);
    return TRUE;
}

void WriteEmptyDib(CArchive& ar)
{
    KitWriteArchiveCount(ar, 0);
}

} // namespace

CKitImageManagerIcon::CKitImageManagerIcon(UINT nID, int nWidth, int nHeight, CKitImageManagerIconSet* pIconSet)
    : m_bDrawComposited(FALSE), m_nID(nID), m_nWidth(nWidth), m_nHeight(nHeight), m_pIconSet(pIconSet),
      m_pImageList(nullptr)
{
    CKitImageManager* pManager = GetImageManager();
    for (CKitImageManagerIconHandle& image : m_images)
        image.SetImageManager(pManager);
}

CKitImageManagerIcon::CKitImageManagerIcon(UINT nID, int nWidth, int nHeight, CKitImageManagerImageList* pImageList)
    : m_bDrawComposited(FALSE), m_nID(nID), m_nWidth(nWidth), m_nHeight(nHeight), m_pIconSet(nullptr),
      m_pImageList(pImageList)
{
}

CKitImageManagerIcon::~CKitImageManagerIcon()
{
    Clear();
}

CKitImageManager* CKitImageManagerIcon::GetImageManager() const
{
    return m_pIconSet != nullptr ? m_pIconSet->GetImageManager() : nullptr;
}

HICON CKitImageManagerIcon::ScaleIcon(HICON hIcon, int cxSource, int cySource, int cxNew)
{
    if (hIcon == nullptr || cxSource <= 0 || cySource <= 0 || cxNew <= 0)
        return nullptr;
    if (cxNew == cxSource)
        return ::CopyIcon(hIcon);
    const int cyNew = std::max(1, ::MulDiv(cySource, cxNew, cxSource));
    if (static_cast<unsigned>(cxNew) > KitPixels::kMaxImageDimension ||
        static_cast<unsigned>(cyNew) > KitPixels::kMaxImageDimension)
        return nullptr;
    std::vector<DWORD> colour;
    std::vector<BYTE> transparent;
    CSize sz;
    if (!KitPixels::ReadIconPixels(hIcon, colour, transparent, sz) || sz.cx <= 0 || sz.cy <= 0)
        return nullptr;
    const BOOL bAlpha = std::any_of(colour.begin(), colour.end(), [](DWORD pixel) { return KitPixels::Alpha(pixel) != 0; });
    // Each new pixel averages the old pixels its area covers (at least one), weighted by their opacity.
    std::vector<DWORD> scaled(static_cast<size_t>(cxNew) * static_cast<size_t>(cyNew));
    std::vector<BYTE> scaledTransparent(scaled.size());
    for (int y = 0; y < cyNew; ++y) {
        const int sy0 = static_cast<int>(static_cast<long long>(y) * sz.cy / cyNew);
        const int sy1 = std::max(sy0 + 1, static_cast<int>(static_cast<long long>(y + 1) * sz.cy / cyNew));
        for (int x = 0; x < cxNew; ++x) {
            const int sx0 = static_cast<int>(static_cast<long long>(x) * sz.cx / cxNew);
            const int sx1 = std::max(sx0 + 1, static_cast<int>(static_cast<long long>(x + 1) * sz.cx / cxNew));
            unsigned long long sum[3] = {};
            unsigned long long sumAlpha = 0;
            unsigned long long nCount = 0;
            for (int sy = sy0; sy < sy1 && sy < sz.cy; ++sy) {
                for (int sx = sx0; sx < sx1 && sx < sz.cx; ++sx) {
                    const size_t i = static_cast<size_t>(sy) * sz.cx + sx;
                    const DWORD pixel = colour[i];
                    const unsigned alpha = bAlpha ? KitPixels::Alpha(pixel) : (transparent[i] != 0 ? 0u : 255u);
                    for (int c = 0; c < 3; ++c)
                        sum[c] += ((pixel >> (8 * c)) & 0xFF) * alpha;
                    sumAlpha += alpha;
                    ++nCount;
                }
            }
            const size_t o = static_cast<size_t>(y) * cxNew + x;
            const auto alpha = static_cast<DWORD>(nCount > 0 ? sumAlpha / nCount : 0);
            DWORD pixel = 0;
            for (int c = 0; c < 3 && sumAlpha > 0; ++c)
                pixel |= static_cast<DWORD>(sum[c] / sumAlpha) << (8 * c);
            scaled[o] = bAlpha ? (pixel | (alpha << 24)) : pixel;
            scaledTransparent[o] = bAlpha ? (alpha == 0 ? 1 : 0) : (alpha < 128 ? 1 : 0);
        }
    }
    return KitPixels::CreateIconFromPixels(scaled, scaledTransparent, CSize(cxNew, cyNew), bAlpha);
}

BOOL CKitImageManagerIcon::IsAlphaIconHandle(HICON hIcon)
{
    return KitPixels::IconHasAlpha(hIcon);
}

void CKitImageManagerIcon::DrawIconHandle(CDC* pDC, CPoint pt, CSize sz, HICON hIcon)
{
    if (pDC == nullptr || hIcon == nullptr)
        return;
    if (sz.cx == 0 && sz.cy == 0)
        sz = GetIconSize(hIcon);
    if (sz.cx <= 0 || sz.cy <= 0)
        return;
    const CRect rcDest(pt, sz);
    if (IsAlphaIconHandle(hIcon)) {
        std::vector<DWORD> colour;
        std::vector<BYTE> transparent;
        CSize szIcon;
        if (!KitPixels::ReadIconPixels(hIcon, colour, transparent, szIcon))
            return;
        KitPixels::PreMultiply(colour);
        KitPixels::BlendPixels(*pDC, rcDest, colour, szIcon);
        return;
    }
    KitPixels::BlendPixels(*pDC, rcDest, KitPixels::CompositeIcon(hIcon, sz), sz);
}

CSize CKitImageManagerIcon::GetIconSize(HICON hIcon)
{
    ICONINFO info = {};
    if (hIcon == nullptr || !::GetIconInfo(hIcon, &info))
        return CSize(0, 0);
    BITMAP bm = {};
    CSize sz(0, 0);
    if (info.hbmColor != nullptr && ::GetObjectA(info.hbmColor, sizeof(bm), &bm) != 0)
        sz = CSize(bm.bmWidth, bm.bmHeight);
    else if (info.hbmMask != nullptr && ::GetObjectA(info.hbmMask, sizeof(bm), &bm) != 0)
        sz = CSize(bm.bmWidth, bm.bmHeight / 2);
    if (info.hbmColor != nullptr)
        ::DeleteObject(info.hbmColor);
    if (info.hbmMask != nullptr)
        ::DeleteObject(info.hbmMask);
    return sz;
}

BOOL CKitImageManagerIcon::IsAlpha() const
{
    return m_images[kNormal].IsAlpha();
}

const CKitImageManagerIconHandle& CKitImageManagerIcon::GetIcon(int nState)
{
    switch (nState) {
    case kStateDisabled: return GetDisabledIcon(TRUE);
    case kStateHot: return GetHotIcon();
    case kStateChecked: return GetCheckedIcon();
    case kStatePressed: return GetPressedIcon();
    default: return GetNormalIcon();
    }
}

const CKitImageManagerIconHandle& CKitImageManagerIcon::GetHotIcon() const
{
    return m_images[kHot].IsEmpty() ? m_images[kNormal] : m_images[kHot];
}

const CKitImageManagerIconHandle& CKitImageManagerIcon::GetCheckedIcon() const
{
    return m_images[kChecked].IsEmpty() ? GetHotIcon() : m_images[kChecked];
}

const CKitImageManagerIconHandle& CKitImageManagerIcon::GetPressedIcon() const
{
    return m_images[kPressed].IsEmpty() ? GetHotIcon() : m_images[kPressed];
}

const CKitImageManagerIconHandle& CKitImageManagerIcon::GetDisabledIcon(BOOL bCreate)
{
    if (!m_images[kDisabled].IsEmpty())
        return m_images[kDisabled];
    if (m_images[kMadeDisabled].IsEmpty() && bCreate)
        CreateDisabledIcon();
    return m_images[kMadeDisabled];
}

BOOL CKitImageManagerIcon::HasDisabledIcon() const
{
    return !m_images[kDisabled].IsEmpty() || !m_images[kMadeDisabled].IsEmpty();
}

void CKitImageManagerIcon::SetImage(int nSlot, const CKitImageManagerIconHandle& image)
{
    m_images[nSlot].SetImageManager(GetImageManager());
    m_images[nSlot] = image;
}

void CKitImageManagerIcon::ClearMadeImages()
{
    m_images[kFaded].Clear();
    m_images[kShadow].Clear();
    m_images[kMadeDisabled].Clear();
}

void CKitImageManagerIcon::Clear()
{
    for (CKitImageManagerIconHandle& image : m_images)
        image.Clear();
}

void CKitImageManagerIcon::OnNormalImageChanged()
{
    if (m_pIconSet == nullptr) {
        ClearMadeImages();
        return;
    }
    m_pIconSet->ForEachIcon([](CKitImageManagerIcon* pIcon) { pIcon->ClearMadeImages(); });
}

void CKitImageManagerIcon::SetIcon(const CKitImageManagerIconHandle& image, int nState)
{
    const bool bFirstImage = std::all_of(std::begin(m_images), std::end(m_images),
                                         [](const CKitImageManagerIconHandle& h) { return h.IsEmpty(); });
    switch (nState) {
    case kStateNormal:
        Clear();
        OnNormalImageChanged();
        SetImage(kNormal, image);
        break;
    case kStateDisabled: SetImage(kDisabled, image); break;
    case kStateHot: SetImage(kHot, image); break;
    case kStateChecked: SetImage(kChecked, image); break;
    case kStatePressed: SetImage(kPressed, image); break;
    default: return;
    }
    if (nState != kStateNormal)
        ClearMadeImages();
    if (nState == kStateNormal || bFirstImage) {
        const CSize sz = image.GetExtent();
        if (sz.cx > 0 && sz.cy > 0) {
            m_nWidth = sz.cx;
            m_nHeight = sz.cy;
        }
    }
}

// ---------------------------------------------------------------------------
// Made images.

namespace {

// The pixel form of an image: premultiplied alpha pixels, or icon colour with a mask.
struct ImagePixels {
    BOOL bAlpha = FALSE;
    CSize sz;
    std::vector<DWORD> colour;
    std::vector<BYTE> transparent;
};

BOOL ReadImagePixels(const CKitImageManagerIconHandle& image, ImagePixels& pixels)
{
    if (image.IsEmpty())
        return FALSE;
    if (image.IsAlpha()) {
        HBITMAP hBitmap = image.CopyAlphaBitmapOut();
        pixels.bAlpha = TRUE;
        pixels.colour = CKitImageManager::Read32BitPixels(hBitmap, pixels.sz);
        if (hBitmap != nullptr)
            ::DeleteObject(hBitmap);
        return !pixels.colour.empty();
    }
    HICON hIcon = image.CopyIconOut();
    const BOOL bRead = KitPixels::ReadIconPixels(hIcon, pixels.colour, pixels.transparent, pixels.sz);
    if (hIcon != nullptr)
        ::DestroyIcon(hIcon);
    return bRead;
}

// Stores the pixels as an image: a premultiplied bitmap or an icon.
void StoreImagePixels(const ImagePixels& pixels, CKitImageManagerIconHandle& made)
{
    CKitImageManagerIconHandle result;
    if (pixels.bAlpha)
        result.TakeBitmap(CKitImageManager::Create32BitBitmap(pixels.colour.data(), pixels.sz), TRUE);
    else
        result.TakeIcon(KitPixels::CreateIconFromPixels(pixels.colour, pixels.transparent, pixels.sz));
    made = result;
}

// Calls fn(pixel) for every visible pixel: alpha not 0, or the mask clear.
template <class Fn>
void ForEachVisiblePixel(ImagePixels& pixels, Fn fn)
{
    for (size_t i = 0; i < pixels.colour.size(); ++i) {
        const bool bVisible = pixels.bAlpha ? KitPixels::Alpha(pixels.colour[i]) != 0 : pixels.transparent[i] == 0;
        if (bVisible)
            fn(pixels.colour[i]);
    }
}

BYTE Channel(DWORD pixel, int nShift)
{
    return static_cast<BYTE>((pixel >> nShift) & 0xFF);
}

DWORD MakePixel(BYTE nAlpha, BYTE r, BYTE g, BYTE b)
{
    return (static_cast<DWORD>(nAlpha) << 24) | (static_cast<DWORD>(r) << 16) | (static_cast<DWORD>(g) << 8) | b;
}

} // namespace

const CKitImageManagerIconHandle& CKitImageManagerIcon::GetFadedIcon()
{
    if (m_images[kFaded].IsEmpty()) {
        ImagePixels pixels;
        if (ReadImagePixels(m_images[kNormal], pixels)) {
            const bool bAlpha = pixels.bAlpha != FALSE;
            ForEachVisiblePixel(pixels, [bAlpha](DWORD& pixel) {
                const double white = bAlpha ? KitPixels::Alpha(pixel) : 255.0;
                auto fade = [white](BYTE c) { return static_cast<BYTE>(kFadeKeep * c + kFadeWhite * white); };
                pixel = MakePixel(KitPixels::Alpha(pixel), fade(Channel(pixel, 16)), fade(Channel(pixel, 8)),
                                  fade(Channel(pixel, 0)));
            });
            m_images[kFaded].SetImageManager(GetImageManager());
            StoreImagePixels(pixels, m_images[kFaded]);
        }
    }
    return m_images[kFaded];
}

const CKitImageManagerIconHandle& CKitImageManagerIcon::GetShadowIcon()
{
    if (m_images[kShadow].IsEmpty()) {
        ImagePixels pixels;
        if (ReadImagePixels(m_images[kNormal], pixels)) {
            const COLORREF clr = CKitColorManager::Instance()->GetColor(kShadowColorIndex);
            const auto r = static_cast<BYTE>(GetRValue(clr) * kShadowFactor);
            const auto g = static_cast<BYTE>(GetGValue(clr) * kShadowFactor);
            const auto b = static_cast<BYTE>(GetBValue(clr) * kShadowFactor);
            const bool bAlpha = pixels.bAlpha != FALSE;
            ForEachVisiblePixel(pixels, [&](DWORD& pixel) {
                const DWORD a = bAlpha ? KitPixels::Alpha(pixel) : 255;
                pixel = MakePixel(KitPixels::Alpha(pixel), static_cast<BYTE>(r * a / 255), static_cast<BYTE>(g * a / 255),
                                  static_cast<BYTE>(b * a / 255));
            });
            m_images[kShadow].SetImageManager(GetImageManager());
            StoreImagePixels(pixels, m_images[kShadow]);
        }
    }
    return m_images[kShadow];
}

void CKitImageManagerIcon::CreateDisabledIcon(COLORREF clrLight, COLORREF clrDark)
{
    if (!m_images[kMadeDisabled].IsEmpty())
        return;
    ImagePixels pixels;
    if (!ReadImagePixels(m_images[kNormal], pixels))
        return;
    const bool bTwoColours = clrLight != static_cast<COLORREF>(-1) && clrDark != static_cast<COLORREF>(-1);
    const bool bAlpha = pixels.bAlpha != FALSE;
    ForEachVisiblePixel(pixels, [&](DWORD& pixel) {
        const DWORD plain = bAlpha ? KitPixels::UnPreMultiplyPixel(pixel) : pixel;
        const double lum = Luminance(plain);
        BYTE nAlpha = KitPixels::Alpha(pixel);
        BYTE r = 0;
        BYTE g = 0;
        BYTE b = 0;
        if (bTwoColours) {
            auto mix = [lum](BYTE dark, BYTE light) { return static_cast<BYTE>(dark * (1.0 - lum) + light * lum); };
            r = mix(GetRValue(clrDark), GetRValue(clrLight));
            g = mix(GetGValue(clrDark), GetGValue(clrLight));
            b = mix(GetBValue(clrDark), GetBValue(clrLight));
        } else {
            const auto grey = static_cast<BYTE>(std::pow(lum, kDisabledGamma) * 255.0);
            r = g = b = grey;
            nAlpha = static_cast<BYTE>(nAlpha / kDisabledAlphaDivisor);
        }
        const DWORD made = MakePixel(nAlpha, r, g, b);
        pixel = bAlpha ? KitPixels::PreMultiplyPixel(made) : made;
    });
    m_images[kMadeDisabled].SetImageManager(GetImageManager());
    StoreImagePixels(pixels, m_images[kMadeDisabled]);
}

// ---------------------------------------------------------------------------
// Drawing.

void CKitImageManagerIcon::Draw(CDC* pDC, CPoint pt, const CKitImageManagerIconHandle& image, CSize sz,
                                COLORREF clrBK, COLORREF clrFG, UINT uiFlags)
{
    if (sz.cx == 0)
        sz.cx = m_nWidth;
    if (sz.cy == 0)
        sz.cy = m_nWidth != 0 ? m_nHeight * sz.cx / m_nWidth : m_nHeight;
    if (m_pImageList != nullptr) {
        m_pImageList->Draw(pDC, pt, this, sz, clrBK, clrFG, uiFlags);
        return;
    }
    image.Draw(pDC, pt, sz, m_bDrawComposited);
}

void CKitImageManagerIcon::DrawAtSize(CDC* pDC, CPoint pt, CSize sz)
{
    Draw(pDC, pt, GetNormalIcon(), sz);
}

void CKitImageManagerIcon::DrawAtPoint(CDC* pDC, CPoint pt)
{
    Draw(pDC, pt, GetNormalIcon(), CSize(0, 0));
}

void CKitImageManagerIcon::DrawMono(CDC* pDC, CPoint pt, const CKitImageManagerIconHandle& image, CSize sz,
                                    COLORREF clrBrush)
{
    if (image.IsEmpty() || image.IsAlpha())
        return;
    if (sz.cx == 0)
        sz = GetExtent();
    CBitmap bitmap;
    bitmap.Attach(CKitImageManager::Create32BitDIBSection(nullptr, sz.cx, -sz.cy));
    if (bitmap.GetSafeHandle() == nullptr)
        return;
    {
        CDC dc;
        dc.Attach(::CreateCompatibleDC(nullptr));
        ScopedSelect select(dc, bitmap);
        dc.FillSolidRect(0, 0, sz.cx, sz.cy, RGB(255, 255, 255));
        image.Draw(&dc, CPoint(0, 0), sz, FALSE);
    }
    CBrush brush(clrBrush);
    ::DrawStateA(*pDC, brush, nullptr, reinterpret_cast<LPARAM>(static_cast<HBITMAP>(bitmap)), 0, pt.x, pt.y, sz.cx,
                 sz.cy, DST_BITMAP | DSS_MONO);
}

// ---------------------------------------------------------------------------
// Archive form.

void CKitImageManagerIcon::SerializeImage(CArchive& ar, int nSlot, UINT nSchema)
{
    if (ar.IsStoring()) {
        const CKitImageManagerIconHandle& image = m_images[nSlot];
        ImagePixels pixels;
        if (!ReadImagePixels(image, pixels)) {
            WriteEmptyDib(ar);
            WriteEmptyDib(ar);
            return;
        }
        if (pixels.bAlpha) {
            WriteDib(ar, pixels.colour, pixels.sz);
            WriteEmptyDib(ar);
            return;
        }
        std::vector<DWORD> mask(pixels.transparent.size());
        for (size_t i = 0; i < mask.size(); ++i)
            mask[i] = pixels.transparent[i] != 0 ? 0x00FFFFFF : 0;
        for (size_t i = 0; i < pixels.colour.size(); ++i)
            pixels.colour[i] &= 0x00FFFFFF;
        WriteDib(ar, pixels.colour, pixels.sz);
        WriteDib(ar, mask, pixels.sz);
        return;
    }

    std::vector<DWORD> colour;
    std::vector<DWORD> mask;
    CSize szColor;
    CSize szMask;
    const BOOL bColor = ReadDib(ar, colour, szColor);
    const BOOL bMask = ReadDib(ar, mask, szMask);
    const int nState = nSlot == kNormal ? kStateNormal
                       : nSlot == kDisabled ? kStateDisabled
                       : nSlot == kHot      ? kStateHot
                       : nSlot == kChecked  ? kStateChecked
                                            : kStatePressed;
    CKitImageManagerIconHandle image;
    if (bColor && bMask) {
        if (szMask != szColor)
            AfxThrowArchiveException(CArchiveException::badSchema);
        std::vector<BYTE> transparent(mask.size());
        for (size_t i = 0; i < mask.size(); ++i)
            transparent[i] = (mask[i] & 0x00FFFFFF) != 0 ? 1 : 0;
        image.TakeIcon(KitPixels::CreateIconFromPixels(colour, transparent, szColor));
    } else if (bColor) {
        image.TakeBitmap(CKitImageManager::Create32BitBitmap(colour.data(), szColor), nSchema > kSchemaPremultiplied);
    }
    if (!image.IsEmpty())
        SetIcon(image, nState);
}

void CKitImageManagerIcon::Serialize(CArchive& ar)
{
    UINT nSchema = kSchema;
    if (ar.IsStoring()) {
        ar << static_cast<DWORD>(nSchema);
    } else {
        DWORD dwSchema = 0;
        ar >> dwSchema;
        nSchema = dwSchema;
    }
    SerializeImage(ar, kNormal, nSchema);
    SerializeImage(ar, kDisabled, nSchema);
    SerializeImage(ar, kHot, nSchema);
    if (nSchema > kSchemaWithChecked)
        SerializeImage(ar, kChecked, nSchema);
    if (nSchema > kSchemaWithPressed)
        SerializeImage(ar, kPressed, nSchema);
}

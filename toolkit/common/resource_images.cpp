#include "toolkit/common/resource_images.h"

#include "framework/gdi.h"
#include "framework/winapp.h"
#include "toolkit/common/draw_helpers.h"
#include "toolkit/common/image_manager.h"
#include "toolkit/common/image_pixels.h"
#include "toolkit/common/notification.h"
#include "toolkit/common/png_bitmap.h"
#include "toolkit/common/resources.h"
#include "toolkit/common/system.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

IMPLEMENT_DYNAMIC(CKitResourceImage, CCmdTarget)
IMPLEMENT_DYNAMIC(CKitResourceImages, CCmdTarget)

namespace {

constexpr LPCSTR kIniResourceType = "TEXTFILE";
constexpr LPCSTR kDefaultIniName = "OFFICE2007BLUE_INI";

// The first resource of a type that the module enumerates.
BOOL CALLBACK TakeFirstName(HMODULE, LPCSTR, LPSTR lpszName, LONG_PTR lParam)
{
    auto* pName = reinterpret_cast<CString*>(lParam);
    if (IS_INTRESOURCE(lpszName))
        pName->Format("#%u", static_cast<unsigned>(reinterpret_cast<UINT_PTR>(lpszName)));
    else
        *pName = lpszName;
    return FALSE;
}

CString Trimmed(CString text)
{
    text.Trim();
    return text;
}

} // namespace

// ---------------------------------------------------------------------------
// One image.

CKitResourceImage::CKitResourceImage(CKitResourceImages* pOwner)
    : m_pOwner(pOwner), m_hBitmap(nullptr), m_bAlpha(FALSE), m_bPremultiplied(FALSE), m_bMirrored(FALSE),
      m_bRTLHandling(FALSE), m_nWidth(0), m_nHeight(0)
{
}

CKitResourceImage::~CKitResourceImage()
{
    if (m_hBitmap != nullptr)
        ::DeleteObject(m_hBitmap);
}

BOOL CKitResourceImage::LoadFromResource(HMODULE hModule, LPCSTR lpszName)
{
    BOOL bAlpha = FALSE;
    HBITMAP hBitmap = CKitImageManagerIcon::LoadBitmapFromResource(hModule, lpszName, &bAlpha);
    return LoadFromBitmap(hBitmap, bAlpha);
}

BOOL CKitResourceImage::LoadFromBitmap(HBITMAP hBitmap, BOOL bAlpha)
{
    if (hBitmap == nullptr)
        return FALSE;
    CSize sz;
    m_pixels = CKitImageManager::Read32BitPixels(hBitmap, sz);
    ::DeleteObject(hBitmap);
    if (m_pixels.empty())
        return FALSE;
    m_bAlpha = bAlpha;
    m_bPremultiplied = FALSE;
    m_bMirrored = FALSE;
    m_nWidth = sz.cx;
    m_nHeight = sz.cy;
    RebuildBitmap();
    return m_hBitmap != nullptr;
}

void CKitResourceImage::RebuildBitmap()
{
    if (m_hBitmap != nullptr)
        ::DeleteObject(m_hBitmap);
    m_hBitmap = m_pixels.empty() ? nullptr : CKitImageManager::Create32BitBitmap(m_pixels.data(), GetExtent());
}

void CKitResourceImage::SetAlpha(BOOL bAlpha)
{
    if (bAlpha == m_bAlpha)
        return;
    m_bAlpha = bAlpha;
    m_bPremultiplied = FALSE;
    if (!bAlpha || std::any_of(m_pixels.begin(), m_pixels.end(), [](DWORD pixel) { return (pixel >> 24) != 0; }))
        return;
    for (DWORD& pixel : m_pixels)
        pixel |= 0xFF000000;
    RebuildBitmap();
}

void CKitResourceImage::Mirror()
{
    const auto nWidth = static_cast<size_t>(m_nWidth);
    for (size_t nRow = 0; nWidth > 0 && nRow < m_pixels.size() / nWidth; ++nRow)
        std::reverse(m_pixels.begin() + nRow * nWidth, m_pixels.begin() + (nRow + 1) * nWidth);
    m_bMirrored = !m_bMirrored;
    RebuildBitmap();
}

void CKitResourceImage::PreMultiply()
{
    if (!m_bAlpha || m_bPremultiplied)
        return;
    KitPixels::PreMultiply(m_pixels);
    m_bPremultiplied = TRUE;
    RebuildBitmap();
}

CRect CKitResourceImage::GetSource(int nIndex, int nCount) const
{
    if (m_pixels.empty() || nCount <= 0)
        return CRect(0, 0, 0, 0);
    const int nEach = m_nHeight / nCount;
    return CRect(0, nIndex * nEach, m_nWidth, nIndex * nEach + nEach);
}

void CKitResourceImage::DrawPart(HDC hdcDest, const CRect& rcDest, HDC hdcSrc, const CRect& rcSrc) const
{
    if (rcDest.IsRectEmpty() || rcSrc.IsRectEmpty())
        return;
    if (m_bAlpha) {
        CKitImageManager::AlphaBlend(hdcDest, rcDest, hdcSrc, rcSrc);
    } else if (rcDest.Size() == rcSrc.Size()) {
        ::BitBlt(hdcDest, rcDest.left, rcDest.top, rcDest.Width(), rcDest.Height(), hdcSrc, rcSrc.left, rcSrc.top,
                 SRCCOPY);
    } else {
        ::StretchBlt(hdcDest, rcDest.left, rcDest.top, rcDest.Width(), rcDest.Height(), hdcSrc, rcSrc.left,
                     rcSrc.top, rcSrc.Width(), rcSrc.Height(), SRCCOPY);
    }
}

// Nine parts: the corners unstretched, the edges stretched along their length, the middle both ways.
void CKitResourceImage::DrawImage(CDC* pDC, const CRect& rcDest, const CRect& rcSrc, const CRect& rcSizingMargins)
{
    if (m_hBitmap == nullptr || m_pOwner == nullptr || rcSrc.Height() < rcSizingMargins.top + rcSizingMargins.bottom)
        return;
    CKitLockGuard lock(m_pOwner->GetLock());
    CRect rcSrcMargins = rcSizingMargins;
    if (rcDest.Width() == rcSrc.Width())
        rcSrcMargins.left = rcSrcMargins.right = 0;
    if (rcDest.Height() == rcSrc.Height())
        rcSrcMargins.top = rcSrcMargins.bottom = 0;
    if (rcDest.IsRectEmpty() || m_nWidth > kMaxDrawnSize || m_nHeight > kMaxDrawnSize)
        return;
    if (m_bAlpha)
        PreMultiply();
    const BOOL bRTL = m_bAlpha && CKitDrawHelpers::IsContextRTL(pDC);
    if (m_bAlpha && m_bRTLHandling && bRTL != m_bMirrored)
        Mirror();
    if (m_hBitmap == nullptr)
        return;

    CRect rcDestMargins = rcSrcMargins;
    const int nVertical = rcSrcMargins.top + rcSrcMargins.bottom;
    if (nVertical > 0 && (rcDest.Height() <= nVertical || rcSrc.Height() == nVertical)) {
        rcDestMargins.top = ::MulDiv(rcDest.Height(), rcSrcMargins.top, nVertical);
        rcDestMargins.bottom = rcDest.Height() - rcDestMargins.top;
        if (rcDestMargins.bottom > 0 && (rcDestMargins.bottom % 2) != (rcSrcMargins.bottom % 2))
            rcDestMargins.bottom += 1;
    }
    const int nHorizontal = rcSrcMargins.left + rcSrcMargins.right;
    if (nHorizontal > 0 && (rcDest.Width() <= nHorizontal || rcSrc.Width() == nHorizontal)) {
        rcDestMargins.left = rcDest.Width() * rcSrcMargins.left / nHorizontal;
        rcDestMargins.right = rcDest.Width() - rcDestMargins.left;
    }

    HDC hdcImage = ::CreateCompatibleDC(nullptr);
    HGDIOBJ hOld = ::SelectObject(hdcImage, m_hBitmap);
    if (rcSrcMargins.IsRectNull()) {
        DrawPart(*pDC, rcDest, hdcImage, rcSrc);
    } else {
        // Column and row edges of the source and of the destination.
        const int sx[4] = {rcSrc.left, rcSrc.left + rcSrcMargins.left, rcSrc.right - rcSrcMargins.right, rcSrc.right};
        const int sy[4] = {rcSrc.top, rcSrc.top + rcSrcMargins.top, rcSrc.bottom - rcSrcMargins.bottom, rcSrc.bottom};
        // On a right-to-left context an alpha image's left column goes to the destination's right edge.
        const int nDestLeft = bRTL ? rcDestMargins.right : rcDestMargins.left;
        const int nDestRight = bRTL ? rcDestMargins.left : rcDestMargins.right;
        const int dx[4] = {rcDest.left, rcDest.left + nDestLeft, rcDest.right - nDestRight, rcDest.right};
        const int dy[4] = {rcDest.top, rcDest.top + rcDestMargins.top, rcDest.bottom - rcDestMargins.bottom,
                           rcDest.bottom};
        for (int row = 0; row < 3; ++row) {
            for (int col = 0; col < 3; ++col) {
                const int nDestCol = bRTL ? 2 - col : col;
                DrawPart(*pDC, CRect(dx[nDestCol], dy[row], dx[nDestCol + 1], dy[row + 1]), hdcImage,
                         CRect(sx[col], sy[row], sx[col + 1], sy[row + 1]));
            }
        }
    }
    ::SelectObject(hdcImage, hOld);
    ::DeleteDC(hdcImage);
}

void CKitResourceImage::DrawImageTransparent(CDC* pDC, const CRect& rcDest, const CRect& rcSrc,
                                             const CRect& rcSizingMargins, COLORREF clrTransparent)
{
    if (clrTransparent == static_cast<COLORREF>(-1) || m_bAlpha || rcDest.IsRectEmpty()) {
        DrawImage(pDC, rcDest, rcSrc, rcSizingMargins);
        return;
    }
    CDC dcBuffer;
    dcBuffer.Attach(::CreateCompatibleDC(*pDC));
    CBitmap bitmap;
    bitmap.Attach(::CreateCompatibleBitmap(*pDC, rcDest.Width(), rcDest.Height()));
    ScopedSelect select(dcBuffer, bitmap);
    const CRect rcBuffer(0, 0, rcDest.Width(), rcDest.Height());
    dcBuffer.FillSolidRect(&rcBuffer, clrTransparent);
    DrawImage(&dcBuffer, rcBuffer, rcSrc, rcSizingMargins);
    CKitImageManager::TransparentBlt(*pDC, rcDest, dcBuffer, rcBuffer, clrTransparent);
}

// Pixels of the colour become fully transparent, all others opaque.
void CKitResourceImage::DrawImageAlphaKeyed(CDC* pDC, const CRect& rcDest, const CRect& rcSrc,
                                            const CRect& rcSizingMargins, COLORREF clrTransparent, DWORD dwFlags)
{
    if (m_hBitmap == nullptr || m_pOwner == nullptr || rcSrc.Height() < rcSizingMargins.top + rcSizingMargins.bottom)
        return;
    if ((dwFlags & 1) == 0) {
        DrawImageTransparent(pDC, rcDest, rcSrc, rcSizingMargins, clrTransparent);
        return;
    }
    if (m_bAlpha) {
        DrawImage(pDC, rcDest, rcSrc, rcSizingMargins);
        return;
    }
    if (rcDest.IsRectEmpty())
        return;
    LPBYTE pBits = nullptr;
    CBitmap bitmap;
    bitmap.Attach(CKitImageManager::Create32BitDIBSection(*pDC, rcDest.Width(), rcDest.Height(), &pBits));
    if (bitmap.GetSafeHandle() == nullptr || pBits == nullptr)
        return;
    CDC dcBuffer;
    dcBuffer.Attach(::CreateCompatibleDC(*pDC));
    ScopedSelect select(dcBuffer, bitmap);
    const CRect rcBuffer(0, 0, rcDest.Width(), rcDest.Height());
    if (clrTransparent != static_cast<COLORREF>(-1))
        dcBuffer.FillSolidRect(&rcBuffer, clrTransparent);
    DrawImage(&dcBuffer, rcBuffer, rcSrc, rcSizingMargins);
    ::GdiFlush();
    // The colour in the bitmap's blue, green, red order, so that the pixels filled with it match.
    const DWORD dwKey = (GetRValue(clrTransparent) << 16) | (GetGValue(clrTransparent) << 8) | GetBValue(clrTransparent);
    auto* pPixel = reinterpret_cast<DWORD*>(pBits);
    const size_t nCount = static_cast<size_t>(rcBuffer.Width()) * static_cast<size_t>(rcBuffer.Height());
    for (size_t i = 0; i < nCount; ++i)
        pPixel[i] = (pPixel[i] & 0xFFFFFF) == dwKey ? 0 : (pPixel[i] | 0xFF000000);
    CKitImageManager::AlphaBlend(*pDC, rcDest, dcBuffer, rcBuffer);
}

// ---------------------------------------------------------------------------
// The set.

CKitResourceImages* CKitResourceImages::Instance()
{
    static CKitResourceImages set;
    return &set;
}

CKitResourceImages::CKitResourceImages()
    : m_hModule(AfxGetResourceHandle()), m_bFreeModule(FALSE), m_pIniBegin(nullptr), m_pIniEnd(nullptr),
      m_bPremultiply(FALSE), m_pConnection(nullptr)
{
    ::InitializeCriticalSection(&m_cs);
    LoadIni();
}

CKitResourceImages::~CKitResourceImages()
{
    RemoveAll();
    if (m_bFreeModule && m_hModule != nullptr)
        ::FreeLibrary(m_hModule);
    if (m_pConnection != nullptr)
        m_pConnection->InternalRelease();
    ::DeleteCriticalSection(&m_cs);
}

CKitNotificationSourceMT* CKitResourceImages::GetConnection()
{
    if (m_pConnection == nullptr)
        m_pConnection = new CKitNotificationSourceMT();
    return m_pConnection;
}

BOOL CKitResourceImages::SetHandle(HMODULE hModule, LPCSTR lpszIniName, BOOL bFreeModule)
{
    if (m_bFreeModule && m_hModule != nullptr && m_hModule != hModule)
        ::FreeLibrary(m_hModule);
    m_strIniName = lpszIniName != nullptr ? lpszIniName : "";
    m_strIniName.Replace('.', '_');
    m_hModule = hModule;
    m_bFreeModule = bFreeModule;
    m_pIniBegin = m_pIniEnd = nullptr;
    return LoadIni();
}

BOOL CKitResourceImages::LoadIni()
{
    RemoveAll();
    m_pIniBegin = m_pIniEnd = nullptr;
    HRSRC hIni = nullptr;
    if (m_hModule == nullptr) {
        // No module: no description.
    } else if (m_strIniName.IsEmpty()) {
        hIni = ::FindResourceA(m_hModule, kDefaultIniName, kIniResourceType);
        if (hIni != nullptr) {
            m_strIniName = kDefaultIniName;
        } else {
            CString strFirst;
            ::EnumResourceNamesA(m_hModule, kIniResourceType, TakeFirstName, reinterpret_cast<LONG_PTR>(&strFirst));
            if (!strFirst.IsEmpty())
                hIni = ::FindResourceA(m_hModule, strFirst, kIniResourceType);
        }
    } else {
        hIni = ::FindResourceA(m_hModule, m_strIniName, kIniResourceType);
    }
    const KitResourceBytes text = hIni != nullptr ? KitLockResource(m_hModule, hIni) : KitResourceBytes();
    if (text.data != nullptr) {
        m_pIniBegin = reinterpret_cast<const char*>(text.data);
        m_pIniEnd = m_pIniBegin + text.size;
    }
    if (m_pConnection != nullptr)
        m_pConnection->SendEvent(CKitNotificationSourceMT::kEventResourcesReloaded, 0, 0);
    m_bPremultiply = GetImageInt("Global", "PremultiplyImages", 0) != 0;
    return m_pIniBegin != nullptr;
}

// Line by line: a line ends at CR (a following LF is skipped); ';' starts a
// comment; "[name]" opens a section; "key = value" inside the wanted section.
CString KitFindIniValue(const char* pBegin, const char* pEnd, LPCSTR lpszSection, LPCSTR lpszKey)
{
    if (pBegin == nullptr || pEnd <= pBegin)
        return CString();
    CString strSection = lpszSection;
    CString strKey = lpszKey;
    strSection.MakeUpper();
    strKey.MakeUpper();
    BOOL bInSection = FALSE;
    const char* p = pBegin;
    while (p < pEnd) {
        // A line ends at CR, LF, CR LF or the end of the text.
        const char* pLineEnd = std::find_if(p, pEnd, [](char c) { return c == '\r' || c == '\n'; });
        CString strLine(p, static_cast<int>(pLineEnd - p));
        p = pLineEnd;
        if (p < pEnd && *p == '\r')
            ++p;
        if (p < pEnd && *p == '\n')
            ++p;
        strLine.TrimLeft();
        if (strLine.IsEmpty() || strLine[0] == ';')
            continue;
        const int nComment = strLine.Find(';');
        if (nComment >= 0)
            strLine = strLine.Left(nComment);
        if (strLine.IsEmpty())
            continue;
        strLine.MakeUpper();
        if (strLine[0] == '[') {
            if (bInSection)
                return CString();
            bInSection = strLine.Mid(1, strLine.GetLength() - 2) == strSection;
            continue;
        }
        const int nEquals = strLine.Find('=');
        if (bInSection && nEquals >= 1) {
            CString strName = strLine.Left(nEquals);
            strName.TrimRight();
            if (strName == strKey)
                return Trimmed(strLine.Mid(nEquals + 1));
        }
    }
    return CString();
}

CString CKitResourceImages::GetImageValue(LPCSTR lpszSection, LPCSTR lpszKey) const
{
    return KitFindIniValue(m_pIniBegin, m_pIniEnd, lpszSection, lpszKey);
}

COLORREF CKitResourceImages::GetImageColor(LPCSTR lpszSection, LPCSTR lpszKey, COLORREF clrDefault) const
{
    const CString strValue = GetImageValue(lpszSection, lpszKey);
    if (strValue.IsEmpty())
        return clrDefault;
    int r = 0;
    int g = 0;
    int b = 0;
    std::sscanf(strValue, "%i %i %i", &r, &g, &b);
    return RGB(r & 0xFF, g & 0xFF, b & 0xFF);
}

int CKitResourceImages::GetImageInt(LPCSTR lpszSection, LPCSTR lpszKey, int nDefault) const
{
    const CString strValue = GetImageValue(lpszSection, lpszKey);
    return strValue.IsEmpty() ? nDefault : std::atoi(strValue);
}

CRect CKitResourceImages::GetImageRect(LPCSTR lpszSection, LPCSTR lpszKey, const CRect& rcDefault) const
{
    const CString strValue = GetImageValue(lpszSection, lpszKey);
    if (strValue.IsEmpty())
        return rcDefault;
    int l = 0;
    int t = 0;
    int r = 0;
    int b = 0;
    std::sscanf(strValue, "%i %i %i %i", &l, &t, &r, &b);
    return CRect(l, t, r, b);
}

CKitResourceImage* CKitResourceImages::LoadImage(LPCSTR lpszImageName)
{
    CKitLockGuard lock(&m_cs);
    if (m_hModule == nullptr || lpszImageName == nullptr || *lpszImageName == '\0')
        return nullptr;
    auto found = m_images.find(lpszImageName);
    if (found != m_images.end())
        return found->second;
    CString strResource = GetImageValue("Images", lpszImageName);
    if (strResource.IsEmpty())
        strResource = lpszImageName;
    strResource.Replace('.', '_');
    strResource.Replace('\\', '_');
    auto* pImage = new CKitResourceImage(this);
    if (!pImage->LoadFromResource(m_hModule, strResource)) {
        pImage->InternalRelease();
        pImage = nullptr;
    } else if (m_bPremultiply) {
        pImage->PreMultiply();
    }
    m_images[lpszImageName] = pImage;
    return pImage;
}

void CKitResourceImages::RemoveAll()
{
    CKitLockGuard lock(&m_cs);
    for (auto& entry : m_images) {
        if (entry.second != nullptr)
            entry.second->InternalRelease();
    }
    m_images.clear();
}

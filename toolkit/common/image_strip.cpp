// The image records and the shared strips of the image manager.
#include "toolkit/common/image_manager.h"

#include "toolkit/common/draw_helpers.h"
#include "toolkit/common/image_pixels.h"
#include "toolkit/common/system.h"

#include <algorithm>
#include <cstring>

struct CKitImageManagerIconHandle::Slot {
    // Premultiplied alpha pixels; else colour with the mask strip.
    BOOL bAlpha = FALSE;
    CRect rc;
    CKitImageManagerResource* pOwner = nullptr;
    // Set while the slot is in use: the strip lives while its images do.
    std::shared_ptr<CKitImageManagerResource> pKeepOwner;
};

namespace {

using Slot = CKitImageManagerIconHandle::Slot;

// A memory DC with a bitmap selected for one scope.
class ScopedBitmapDC {
public:
    explicit ScopedBitmapDC(HBITMAP hBitmap) : m_hDC(::CreateCompatibleDC(nullptr))
    {
        m_hOld = m_hDC != nullptr ? ::SelectObject(m_hDC, hBitmap) : nullptr;
    }
    ~ScopedBitmapDC()
    {
        if (m_hDC != nullptr) {
            if (m_hOld != nullptr)
                ::SelectObject(m_hDC, m_hOld);
            ::DeleteDC(m_hDC);
        }
    }
    ScopedBitmapDC(const ScopedBitmapDC&) = delete;
    ScopedBitmapDC& operator=(const ScopedBitmapDC&) = delete;

    operator HDC() const { return m_hDC; }

private:
    HDC m_hDC;
    HGDIOBJ m_hOld;
};

CSize BitmapSize(HBITMAP hBitmap)
{
    BITMAP bm = {};
    if (hBitmap == nullptr || ::GetObjectA(hBitmap, sizeof(bm), &bm) == 0)
        return CSize(0, 0);
    return CSize(bm.bmWidth, bm.bmHeight);
}

LPBYTE DibBits(HBITMAP hBitmap)
{
    DIBSECTION section = {};
    if (hBitmap == nullptr || ::GetObjectA(hBitmap, sizeof(section), &section) != sizeof(section))
        return nullptr;
    return static_cast<LPBYTE>(section.dsBm.bmBits);
}

} // namespace

// ---------------------------------------------------------------------------
// Image records.

CKitImageManagerIconHandle::CKitImageManagerIconHandle()
    : m_hIcon(nullptr), m_hBitmap(nullptr), m_pBits(nullptr), m_bClearHandles(FALSE), m_pImageManager(nullptr),
      m_pSlot(nullptr), m_szIcon(0, 0), m_bMayShare(TRUE)
{
}

CKitImageManagerIconHandle::CKitImageManagerIconHandle(HICON hIcon, BOOL bMayShare) : CKitImageManagerIconHandle()
{
    m_hIcon = hIcon;
    m_szIcon = CKitImageManagerIcon::GetIconSize(hIcon);
    m_bMayShare = bMayShare;
}

CKitImageManagerIconHandle::CKitImageManagerIconHandle(HBITMAP hBitmap) : CKitImageManagerIconHandle()
{
    m_hBitmap = hBitmap;
    m_szIcon = BitmapSize(hBitmap);
}

CKitImageManagerIconHandle::CKitImageManagerIconHandle(const CKitImageManagerIconHandle& other)
    : CKitImageManagerIconHandle()
{
    m_pImageManager = other.m_pImageManager;
    CopyFrom(other);
}

CKitImageManagerIconHandle& CKitImageManagerIconHandle::operator=(const CKitImageManagerIconHandle& other)
{
    if (this != &other)
        CopyFrom(other);
    return *this;
}

CKitImageManagerIconHandle::~CKitImageManagerIconHandle()
{
    Clear();
}

BOOL CKitImageManagerIconHandle::IsEmpty() const
{
    return (m_hIcon == nullptr && m_hBitmap == nullptr && m_pSlot == nullptr) || (m_szIcon.cx == 0 && m_szIcon.cy == 0);
}

BOOL CKitImageManagerIconHandle::IsAlpha() const
{
    return m_hBitmap != nullptr || (m_pSlot != nullptr && m_pSlot->bAlpha);
}

CKitImageManager* CKitImageManagerIconHandle::EffectiveManager() const
{
    return m_pImageManager != nullptr ? m_pImageManager : CKitImageManager::Instance();
}

void CKitImageManagerIconHandle::Clear()
{
    if (m_bClearHandles) {
        if (m_hIcon != nullptr)
            ::DestroyIcon(m_hIcon);
        if (m_hBitmap != nullptr)
            ::DeleteObject(m_hBitmap);
        if (m_pSlot != nullptr)
            m_pSlot->pOwner->Free(m_pSlot);
    }
    m_hIcon = nullptr;
    m_hBitmap = nullptr;
    m_pBits = nullptr;
    m_pSlot = nullptr;
    m_szIcon = CSize(0, 0);
    m_bClearHandles = FALSE;
}

void CKitImageManagerIconHandle::TakeBitmap(HBITMAP hBitmap, BOOL bPremultiplied)
{
    Clear();
    if (hBitmap == nullptr)
        return;
    m_hBitmap = hBitmap;
    m_pBits = bPremultiplied ? DibBits(hBitmap) : nullptr;
    m_szIcon = BitmapSize(hBitmap);
    m_bClearHandles = TRUE;
}

void CKitImageManagerIconHandle::TakeIcon(HICON hIcon)
{
    Clear();
    if (hIcon == nullptr)
        return;
    m_hIcon = hIcon;
    m_szIcon = CKitImageManagerIcon::GetIconSize(hIcon);
    m_bClearHandles = TRUE;
}

LPBYTE CKitImageManagerIconHandle::PreMultiply() const
{
    if (m_hBitmap == nullptr || m_pBits != nullptr)
        return m_pBits;
    LPBYTE pBits = nullptr;
    HBITMAP hPremultiplied = CKitImageManager::PreMultiplyAlphaBitmap(m_hBitmap, nullptr, &pBits);
    if (hPremultiplied == nullptr)
        return nullptr;
    if (m_bClearHandles)
        ::DeleteObject(m_hBitmap);
    m_hBitmap = hPremultiplied;
    m_pBits = pBits;
    m_bClearHandles = TRUE;
    return m_pBits;
}

HBITMAP CKitImageManagerIconHandle::CopyAlphaBitmapOut() const
{
    if (m_hBitmap != nullptr)
        return m_pBits != nullptr ? CKitImageManager::CopyAlphaBitmap(m_hBitmap)
                                  : CKitImageManager::PreMultiplyAlphaBitmap(m_hBitmap);
    if (m_pSlot != nullptr && m_pSlot->bAlpha)
        return m_pSlot->pOwner->CopyAlphaBitmapOut(m_pSlot);
    return nullptr;
}

HICON CKitImageManagerIconHandle::CopyIconOut() const
{
    if (m_hIcon != nullptr)
        return ::CopyIcon(m_hIcon);
    if (m_pSlot != nullptr && !m_pSlot->bAlpha)
        return m_pSlot->pOwner->CopyIconOut(m_pSlot);
    return nullptr;
}

void CKitImageManagerIconHandle::CopyFrom(const CKitImageManagerIconHandle& other)
{
    Clear();
    if (other.IsEmpty())
        return;
    CKitImageManager* pManager = m_pImageManager != nullptr ? m_pImageManager : other.EffectiveManager();
    if (pManager->IsUseResources() && other.m_bMayShare) {
        // A slot of another strip is copied out to separate handles first.
        CKitImageManagerIconHandle separate;
        const CKitImageManagerIconHandle* pSource = &other;
        if (other.m_pSlot != nullptr) {
            if (other.m_pSlot->bAlpha)
                separate.TakeBitmap(other.CopyAlphaBitmapOut(), TRUE);
            else
                separate.TakeIcon(other.CopyIconOut());
            pSource = &separate;
        }
        if (Slot* pSlot = pManager->GetResource(pSource->m_szIcon)->Add(*pSource)) {
            m_pSlot = pSlot;
            m_szIcon = other.m_szIcon;
            m_bMayShare = other.m_bMayShare;
            m_bClearHandles = TRUE;
            return;
        }
    }
    if (other.m_hIcon != nullptr)
        m_hIcon = ::CopyIcon(other.m_hIcon);
    if (other.m_hBitmap != nullptr)
        m_hBitmap = CKitImageManager::CopyAlphaBitmap(other.m_hBitmap, other.m_pBits != nullptr ? &m_pBits : nullptr);
    if (other.m_pSlot != nullptr) {
        if (other.m_pSlot->bAlpha) {
            m_hBitmap = other.CopyAlphaBitmapOut();
            m_pBits = DibBits(m_hBitmap);
        } else {
            m_hIcon = other.CopyIconOut();
        }
    }
    m_szIcon = other.m_szIcon;
    m_bMayShare = other.m_bMayShare;
    m_bClearHandles = TRUE;
}

void CKitImageManagerIconHandle::Draw(CDC* pDC, CPoint pt, CSize sz, BOOL bComposited) const
{
    if (IsEmpty() || pDC == nullptr || sz.cx <= 0 || sz.cy <= 0)
        return;
    if (m_pSlot != nullptr) {
        m_pSlot->pOwner->Draw(pDC, m_pSlot, pt, sz, bComposited, EffectiveManager()->IsSourceFlipped(pDC));
        return;
    }
    const BOOL bFlip = EffectiveManager()->IsSourceFlipped(pDC);
    const CRect rcDest(pt, sz);
    if (m_hBitmap != nullptr) {
        PreMultiply();
        if (!bFlip) {
            ScopedBitmapDC dcImage(m_hBitmap);
            CKitImageManager::AlphaBlend(*pDC, rcDest, dcImage, CRect(CPoint(0, 0), m_szIcon));
            return;
        }
        CSize szBitmap;
        std::vector<DWORD> pixels = CKitImageManager::Read32BitPixels(m_hBitmap, szBitmap);
        KitPixels::MirrorRows(pixels, szBitmap);
        KitPixels::BlendPixels(*pDC, rcDest, pixels, szBitmap);
        return;
    }
    if (!bComposited && !bFlip) {
        ::DrawIconEx(*pDC, pt.x, pt.y, m_hIcon, sz.cx, sz.cy, 0, nullptr, DI_NORMAL);
        return;
    }
    std::vector<DWORD> pixels = KitPixels::CompositeIcon(m_hIcon, sz);
    if (bFlip)
        KitPixels::MirrorRows(pixels, sz);
    KitPixels::BlendPixels(*pDC, rcDest, pixels, sz);
}

// ---------------------------------------------------------------------------
// Shared strips.

CKitImageManagerResource::CKitImageManagerResource(CKitImageManager* pManager, CSize szIcon)
    : m_pManager(pManager), m_szIcon(szIcon), m_nStripWidth(0), m_hbmpImage(nullptr), m_hbmpMask(nullptr),
      m_pBits(nullptr)
{
    ::InitializeCriticalSection(&m_cs);
}

CKitImageManagerResource::~CKitImageManagerResource()
{
    for (Slot* pSlot : m_used)
        delete pSlot;
    m_used.clear();
    DeleteStrips();
    ::DeleteCriticalSection(&m_cs);
}

void CKitImageManagerResource::DeleteStrips()
{
    for (Slot* pSlot : m_free)
        delete pSlot;
    m_free.clear();
    if (m_hbmpImage != nullptr)
        ::DeleteObject(m_hbmpImage);
    if (m_hbmpMask != nullptr)
        ::DeleteObject(m_hbmpMask);
    m_hbmpImage = nullptr;
    m_hbmpMask = nullptr;
    m_pBits = nullptr;
    m_nStripWidth = 0;
}

BOOL CKitImageManagerResource::Grow()
{
    const int nNewWidth = m_nStripWidth + m_szIcon.cx;
    if (m_szIcon.cx <= 0 || m_szIcon.cy <= 0 || static_cast<unsigned>(nNewWidth) > KitPixels::kMaxStripWidth ||
        static_cast<unsigned>(m_szIcon.cy) > KitPixels::kMaxImageDimension)
        return FALSE;
    LPBYTE pNewBits = nullptr;
    HBITMAP hNewImage = CKitImageManager::Create32BitDIBSection(nullptr, nNewWidth, -m_szIcon.cy, &pNewBits);
    HBITMAP hNewMask = ::CreateBitmap(nNewWidth, m_szIcon.cy, 1, 1, nullptr);
    if (hNewImage == nullptr || hNewMask == nullptr) {
        if (hNewImage != nullptr)
            ::DeleteObject(hNewImage);
        if (hNewMask != nullptr)
            ::DeleteObject(hNewMask);
        return FALSE;
    }
    if (m_hbmpImage != nullptr) {
        ::GdiFlush();
        const size_t nOldRow = static_cast<size_t>(m_nStripWidth) * 4;
        const size_t nNewRow = static_cast<size_t>(nNewWidth) * 4;
        for (int y = 0; y < m_szIcon.cy; ++y)
            std::memcpy(pNewBits + nNewRow * y, m_pBits + nOldRow * y, nOldRow);
        ScopedBitmapDC dcOld(m_hbmpMask);
        ScopedBitmapDC dcNew(hNewMask);
        ::BitBlt(dcNew, 0, 0, m_nStripWidth, m_szIcon.cy, dcOld, 0, 0, SRCCOPY);
        ::DeleteObject(m_hbmpImage);
        ::DeleteObject(m_hbmpMask);
    }
    m_hbmpImage = hNewImage;
    m_hbmpMask = hNewMask;
    m_pBits = pNewBits;
    m_nStripWidth = nNewWidth;
    return TRUE;
}

Slot* CKitImageManagerResource::Allocate()
{
    Slot* pSlot = nullptr;
    if (!m_free.empty()) {
        pSlot = m_free.back();
        m_free.pop_back();
    } else {
        const int nLeft = m_nStripWidth;
        if (!Grow())
            return nullptr;
        pSlot = new Slot;
        pSlot->rc = CRect(nLeft, 0, nLeft + m_szIcon.cx, m_szIcon.cy);
        pSlot->pOwner = this;
    }
    pSlot->pKeepOwner = shared_from_this();
    m_used.push_back(pSlot);
    return pSlot;
}

void CKitImageManagerResource::Free(Slot* pSlot)
{
    // Let go after the lock: the last slot of a strip its manager dropped deletes the strip.
    std::shared_ptr<CKitImageManagerResource> pKeep;
    CKitLockGuard lock(&m_cs);
    auto found = std::find(m_used.begin(), m_used.end(), pSlot);
    if (found == m_used.end())
        return;
    m_used.erase(found);
    pKeep = std::move(pSlot->pKeepOwner);
    m_free.push_back(pSlot);
    if (static_cast<int>(m_free.size()) * m_szIcon.cx == m_nStripWidth)
        DeleteStrips();
}

Slot* CKitImageManagerResource::Add(const CKitImageManagerIconHandle& image)
{
    if (image.GetExtent() != m_szIcon || (image.GetIcon() == nullptr && image.GetBitmap() == nullptr))
        return nullptr;
    CKitLockGuard lock(&m_cs);
    std::vector<DWORD> pixels;
    BOOL bAlpha = FALSE;
    if (image.GetBitmap() != nullptr) {
        CSize szBitmap;
        pixels = CKitImageManager::Read32BitPixels(image.GetBitmap(), szBitmap);
        if (pixels.empty() || szBitmap != m_szIcon)
            return nullptr;
        if (!image.IsPremultiplied())
            KitPixels::PreMultiply(pixels);
        bAlpha = TRUE;
    } else if ((CKitImageManager::IsAlphaIconsSupported() || CKitOsVersion::Instance()->IsWinXPOrGreater()) &&
               KitPixels::IconHasAlpha(image.GetIcon())) {
        std::vector<BYTE> transparent;
        CSize szIcon;
        if (!KitPixels::ReadIconPixels(image.GetIcon(), pixels, transparent, szIcon) || szIcon != m_szIcon)
            return nullptr;
        KitPixels::PreMultiply(pixels);
        bAlpha = TRUE;
    }

    Slot* pSlot = Allocate();
    if (pSlot == nullptr)
        return nullptr;
    pSlot->bAlpha = bAlpha;
    if (bAlpha) {
        ::GdiFlush();
        const size_t nRow = static_cast<size_t>(m_nStripWidth) * 4;
        for (int y = 0; y < m_szIcon.cy; ++y)
            std::memcpy(m_pBits + nRow * y + static_cast<size_t>(pSlot->rc.left) * 4,
                        &pixels[static_cast<size_t>(y) * m_szIcon.cx], static_cast<size_t>(m_szIcon.cx) * 4);
        return pSlot;
    }
    {
        ScopedBitmapDC dcImage(m_hbmpImage);
        ::FillRect(dcImage, &pSlot->rc, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
        ::DrawIconEx(dcImage, pSlot->rc.left, 0, image.GetIcon(), m_szIcon.cx, m_szIcon.cy, 0, nullptr, DI_NORMAL);
    }
    {
        ScopedBitmapDC dcMask(m_hbmpMask);
        ::FillRect(dcMask, &pSlot->rc, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
        ::DrawIconEx(dcMask, pSlot->rc.left, 0, image.GetIcon(), m_szIcon.cx, m_szIcon.cy, 0, nullptr, DI_MASK);
    }
    return pSlot;
}

void CKitImageManagerResource::ReadSlot(const Slot* pSlot, std::vector<DWORD>& colour, std::vector<BYTE>& transparent)
{
    const size_t nPixels = static_cast<size_t>(m_szIcon.cx) * static_cast<size_t>(m_szIcon.cy);
    colour.assign(nPixels, 0);
    transparent.assign(nPixels, 0);
    ::GdiFlush();
    const size_t nRow = static_cast<size_t>(m_nStripWidth) * 4;
    for (int y = 0; y < m_szIcon.cy; ++y)
        std::memcpy(&colour[static_cast<size_t>(y) * m_szIcon.cx],
                    m_pBits + nRow * y + static_cast<size_t>(pSlot->rc.left) * 4, static_cast<size_t>(m_szIcon.cx) * 4);
    if (pSlot->bAlpha)
        return;
    CSize szMask;
    const std::vector<DWORD> mask = CKitImageManager::Read32BitPixels(m_hbmpMask, szMask);
    if (mask.empty())
        return;
    for (int y = 0; y < m_szIcon.cy; ++y) {
        for (int x = 0; x < m_szIcon.cx; ++x)
            transparent[static_cast<size_t>(y) * m_szIcon.cx + x] =
                (mask[static_cast<size_t>(y) * szMask.cx + pSlot->rc.left + x] & 0x00FFFFFF) != 0 ? 1 : 0;
    }
}

std::vector<DWORD> CKitImageManagerResource::CompositeSlot(const Slot* pSlot)
{
    std::vector<DWORD> colour;
    std::vector<BYTE> transparent;
    ReadSlot(pSlot, colour, transparent);
    if (!pSlot->bAlpha) {
        for (size_t i = 0; i < colour.size(); ++i)
            colour[i] = transparent[i] != 0 ? 0 : (colour[i] | KitPixels::kOpaque);
    }
    return colour;
}

void CKitImageManagerResource::Draw(CDC* pDC, const Slot* pSlot, CPoint pt, CSize sz, BOOL bComposited, BOOL bFlip)
{
    CKitLockGuard lock(&m_cs);
    if (m_hbmpImage == nullptr)
        return;
    const CRect rcDest(pt, sz);
    if (pSlot->bAlpha && !bFlip) {
        ScopedBitmapDC dcImage(m_hbmpImage);
        CKitImageManager::AlphaBlend(*pDC, rcDest, dcImage, pSlot->rc);
        return;
    }
    if (!pSlot->bAlpha && !bFlip && !bComposited) {
        const COLORREF clrOldText = pDC->SetTextColor(RGB(0, 0, 0));
        const COLORREF clrOldBk = pDC->SetBkColor(RGB(255, 255, 255));
        {
            ScopedBitmapDC dcMask(m_hbmpMask);
            ::StretchBlt(*pDC, pt.x, pt.y, sz.cx, sz.cy, dcMask, pSlot->rc.left, 0, m_szIcon.cx, m_szIcon.cy, SRCAND);
        }
        {
            ScopedBitmapDC dcImage(m_hbmpImage);
            ::StretchBlt(*pDC, pt.x, pt.y, sz.cx, sz.cy, dcImage, pSlot->rc.left, 0, m_szIcon.cx, m_szIcon.cy,
                         SRCPAINT);
        }
        pDC->SetTextColor(clrOldText);
        pDC->SetBkColor(clrOldBk);
        return;
    }
    std::vector<DWORD> pixels = CompositeSlot(pSlot);
    if (bFlip)
        KitPixels::MirrorRows(pixels, m_szIcon);
    KitPixels::BlendPixels(*pDC, rcDest, pixels, m_szIcon);
}

HBITMAP CKitImageManagerResource::CopyAlphaBitmapOut(const Slot* pSlot)
{
    CKitLockGuard lock(&m_cs);
    if (m_hbmpImage == nullptr)
        return nullptr;
    const std::vector<DWORD> pixels = CompositeSlot(pSlot);
    return CKitImageManager::Create32BitBitmap(pixels.data(), m_szIcon);
}

HICON CKitImageManagerResource::CopyIconOut(const Slot* pSlot)
{
    CKitLockGuard lock(&m_cs);
    if (m_hbmpImage == nullptr)
        return nullptr;
    std::vector<DWORD> colour;
    std::vector<BYTE> transparent;
    ReadSlot(pSlot, colour, transparent);
    return KitPixels::CreateIconFromPixels(colour, transparent, m_szIcon);
}

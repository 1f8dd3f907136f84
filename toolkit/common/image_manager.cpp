#include "toolkit/common/image_manager.h"

#include "framework/archive.h"
#include "framework/file.h"
#include "framework/winapp.h"
#include "toolkit/common/draw_helpers.h"
#include "toolkit/common/image_pixels.h"
#include "toolkit/common/png_bitmap.h"
#include "toolkit/common/prop_exchange.h"
#include "toolkit/common/resources.h"
#include "toolkit/common/system.h"

#include <olectl.h>

#include <algorithm>
#include <cstring>

IMPLEMENT_DYNAMIC(CKitImageManager, CCmdTarget)
IMPLEMENT_DYNAMIC(CKitImageManagerIconSet, CCmdTarget)

namespace {

// The toolbar resource type and its header: version, image width, height and item count.
const LPCSTR kToolBarResourceType = MAKEINTRESOURCEA(241);
constexpr size_t kToolBarHeaderSize = 4 * sizeof(WORD);
// Icon files: the header (reserved, type, count) and the 16-byte directory entries.
constexpr size_t kIconFileHeaderSize = 6;
constexpr size_t kIconDirEntrySize = 16;
constexpr WORD kIconFileType = 1;
// Icon files larger than this are not read.
constexpr LONGLONG kMaxIconFileSize = 16 * 1024 * 1024;
// Icon-group resources: the header and the 14-byte entries.
constexpr size_t kGroupEntrySize = 14;
constexpr int kHimetricPerInch = 2540;

WORD ReadWord(const BYTE* p)
{
    return static_cast<WORD>(p[0] | (p[1] << 8));
}

DWORD ReadDword(const BYTE* p)
{
    return static_cast<DWORD>(p[0]) | (static_cast<DWORD>(p[1]) << 8) | (static_cast<DWORD>(p[2]) << 16) |
           (static_cast<DWORD>(p[3]) << 24);
}

// A directory byte size: 0 stands for 256.
int DirectorySize(BYTE nSize)
{
    return nSize == 0 ? 256 : nSize;
}

BOOL MatchesSize(int cx, int cy, CSize szIcon)
{
    return (szIcon.cx == 0 && szIcon.cy == 0) || (cx == szIcon.cx && cy == szIcon.cy);
}

// The first 18 bytes of a file, or fewer.
size_t ReadFileStart(LPCSTR lpszFileName, BYTE* pBuffer, size_t nSize)
{
    CFile file;
    if (lpszFileName == nullptr || !file.Open(lpszFileName, CFile::modeRead | CFile::shareDenyWrite))
        return 0;
    try {
        return file.Read(pBuffer, static_cast<UINT>(nSize));
    } catch (CException* e) {
        e->Delete();
        return 0;
    }
}

// A picture OLE can open, drawn the right way up onto the face colour.
HBITMAP LoadOlePicture(LPCSTR lpszFileName)
{
    const int nLength = ::MultiByteToWideChar(CP_ACP, 0, lpszFileName, -1, nullptr, 0);
    if (nLength <= 0)
        return nullptr;
    std::vector<WCHAR> path(static_cast<size_t>(nLength));
    ::MultiByteToWideChar(CP_ACP, 0, lpszFileName, -1, path.data(), nLength);
    IPicture* pPicture = nullptr;
    if (FAILED(::OleLoadPicturePath(path.data(), nullptr, 0, 0, IID_IPicture, reinterpret_cast<void**>(&pPicture))) ||
        pPicture == nullptr)
        return nullptr;
    OLE_XSIZE_HIMETRIC hmWidth = 0;
    OLE_YSIZE_HIMETRIC hmHeight = 0;
    pPicture->get_Width(&hmWidth);
    pPicture->get_Height(&hmHeight);
    HDC hScreen = ::GetDC(nullptr);
    const int cx = ::MulDiv(hmWidth, ::GetDeviceCaps(hScreen, LOGPIXELSX), kHimetricPerInch);
    const int cy = ::MulDiv(hmHeight, ::GetDeviceCaps(hScreen, LOGPIXELSY), kHimetricPerInch);
    ::ReleaseDC(nullptr, hScreen);
    HBITMAP hBitmap = nullptr;
    if (cx > 0 && cy > 0 && cx <= static_cast<int>(KitPixels::kMaxImageDimension) &&
        cy <= static_cast<int>(KitPixels::kMaxImageDimension)) {
        hBitmap = CKitImageManager::Create32BitDIBSection(nullptr, cx, -cy);
        if (hBitmap != nullptr) {
            CDC dc;
            dc.Attach(::CreateCompatibleDC(nullptr));
            HGDIOBJ hOld = ::SelectObject(dc, hBitmap);
            dc.FillSolidRect(0, 0, cx, cy, ::GetSysColor(COLOR_3DFACE));
            pPicture->Render(dc, 0, 0, cx, cy, 0, hmHeight, hmWidth, -hmHeight, nullptr);
            ::SelectObject(dc, hOld);
        }
    }
    pPicture->Release();
    return hBitmap;
}

} // namespace

// ---------------------------------------------------------------------------
// The manager.

CKitImageManager* CKitImageManager::Instance()
{
    static CKitImageManager manager;
    return &manager;
}

CKitImageManager::CKitImageManager()
    : m_clrMask(static_cast<COLORREF>(-1)), m_bUseResources(TRUE), m_nMirrorMode(kMirrorWithContext),
      m_nHighestId(kInitialHighestId)
{
    m_iconSets.InitHashTable(kIconSetHashSize, FALSE);
}

CKitImageManager::~CKitImageManager()
{
    RemoveAll();
    ReleaseStrips();
}

void CKitImageManager::ReleaseStrips()
{
    for (const auto& pResource : m_resources)
        pResource->DetachManager();
    m_resources.clear();
}

COLORREF CKitImageManager::SetMaskColor(COLORREF clrMask)
{
    return std::exchange(m_clrMask, clrMask);
}

BOOL CKitImageManager::IsDrawMirrored(CDC* pDC) const
{
    if (m_nMirrorMode == kMirrorAlways)
        return TRUE;
    return m_nMirrorMode == kMirrorWithContext && pDC != nullptr && CKitDrawHelpers::IsContextRTL(pDC);
}

BOOL CKitImageManager::IsSourceFlipped(CDC* pDC) const
{
    return IsDrawMirrored(pDC) != (pDC != nullptr && CKitDrawHelpers::IsContextRTL(pDC));
}

CKitImageManagerIconSet* CKitImageManager::GetIconSet(UINT nCommand) const
{
    CKitImageManagerIconSet* pIconSet = nullptr;
    return m_iconSets.Lookup(nCommand, pIconSet) ? pIconSet : nullptr;
}

CKitImageManagerIcon* CKitImageManager::GetImage(UINT nCommand, int nWidth)
{
    if (CKitImageManagerIconSet* pIconSet = GetIconSet(nCommand))
        return pIconSet->GetIcon(nWidth, TRUE);
    for (const auto& pImageList : m_imageLists) {
        if (pImageList->Covers(nCommand))
            return pImageList->GetIcon(nCommand);
    }
    return nullptr;
}

BOOL CKitImageManager::IsImageDefined(UINT nCommand, int nWidth)
{
    if (CKitImageManagerIconSet* pIconSet = GetIconSet(nCommand))
        return pIconSet->GetIcon(nWidth, FALSE) != nullptr;
    for (const auto& pImageList : m_imageLists) {
        if (pImageList->Covers(nCommand))
            return nWidth == 0 || nWidth == pImageList->GetIconSize().cx;
    }
    return FALSE;
}

void CKitImageManager::NoteId(UINT nCommand)
{
    if (nCommand > m_nHighestId)
        m_nHighestId = nCommand;
}

BOOL CKitImageManager::SetIcon(const CKitImageManagerIconHandle& image, UINT nCommand, CSize szIcon, int nState)
{
    if (image.IsEmpty())
        return FALSE;
    if (szIcon.cx == 0 && szIcon.cy == 0)
        szIcon = image.GetExtent();
    if (szIcon.cx == 0 && szIcon.cy == 0)
        return FALSE;
    CKitImageManagerIconSet* pIconSet = GetIconSet(nCommand);
    if (pIconSet == nullptr) {
        if (nState != CKitImageManagerIcon::kStateNormal)
            return FALSE;
        pIconSet = new CKitImageManagerIconSet(nCommand, this);
        m_iconSets[nCommand] = pIconSet;
    }
    CKitImageManagerIcon* pIcon = pIconSet->GetOrCreateIcon(szIcon.cx);
    pIcon->SetIcon(image, nState);
    return TRUE;
}

BOOL CKitImageManager::SetIconsFromBitmap(HBITMAP hBitmap, const UINT* pCommands, int nCount, CSize szIcon,
                                          int nState, BOOL bAlpha)
{
    BITMAP bm = {};
    if (hBitmap == nullptr || ::GetObjectA(hBitmap, sizeof(bm), &bm) == 0 || bm.bmWidth <= 0 || bm.bmHeight <= 0)
        return FALSE;
    if (szIcon.cx <= 0 && nCount <= 0)
        return FALSE;
    if (szIcon.cx <= 0) {
        szIcon.cx = bm.bmWidth / nCount;
        szIcon.cy = bm.bmHeight;
    }
    if (szIcon.cy <= 0)
        szIcon.cy = bm.bmHeight;
    if (szIcon.cx <= 0)
        return FALSE;

    if (bAlpha && bm.bmBitsPixel == 32)
        return SetAlphaIconsFromBitmap(hBitmap, pCommands, nCount, szIcon, nState);

    // Colour with a mask: the key colour is the mask colour or the top-left pixel.
    CSize szBitmap;
    const std::vector<DWORD> pixels = Read32BitPixels(hBitmap, szBitmap);
    if (pixels.empty())
        return FALSE;
    const COLORREF clrKey = m_clrMask != static_cast<COLORREF>(-1) ? m_clrMask : KitPixels::ToColorRef(pixels[0]);
    // The image list changes the bitmap it masks: it gets a copy.
    HBITMAP hCopy = Create32BitBitmap(pixels.data(), szBitmap);
    if (hCopy == nullptr)
        return FALSE;
    const int nImages = szBitmap.cx / szIcon.cx;
    HIMAGELIST hImageList = ImageList_Create(szIcon.cx, szIcon.cy, ILC_COLOR24 | ILC_MASK, std::max(nImages, 1), 0);
    BOOL bResult = FALSE;
    if (hImageList != nullptr) {
        if (ImageList_AddMasked(hImageList, hCopy, clrKey) != -1)
            bResult = SetIconsFromImageList(hImageList, pCommands, nCount, szIcon, nState);
        ImageList_Destroy(hImageList);
    }
    ::DeleteObject(hCopy);
    return bResult;
}

BOOL CKitImageManager::SetAlphaIconsFromBitmap(HBITMAP hBitmap, const UINT* pCommands, int nCount, CSize szIcon,
                                               int nState)
{
    CSize szBitmap;
    const std::vector<DWORD> pixels = Read32BitPixels(hBitmap, szBitmap);
    if (pixels.empty() || szBitmap.cx % szIcon.cx != 0)
        return FALSE;
    const int nImages = szBitmap.cx / szIcon.cx;
    const int nRows = std::min<int>(szIcon.cy, szBitmap.cy);
    BOOL bResult = FALSE;
    std::vector<DWORD> image(static_cast<size_t>(szIcon.cx) * static_cast<size_t>(szIcon.cy), 0);
    ForEachImageId(nImages, pCommands, nCount, [&](int nImage, UINT nCommand) {
        std::fill(image.begin(), image.end(), 0);
        for (int y = 0; y < nRows; ++y) {
            const DWORD* pRow = pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(szBitmap.cx) +
                                static_cast<size_t>(nImage) * static_cast<size_t>(szIcon.cx);
            std::copy(pRow, pRow + szIcon.cx, image.begin() + static_cast<size_t>(y) * static_cast<size_t>(szIcon.cx));
        }
        HBITMAP hImage = Create32BitBitmap(image.data(), szIcon);
        if (hImage == nullptr)
            return;
        if (SetIcon(CKitImageManagerIconHandle(hImage), nCommand, szIcon, nState))
            bResult = TRUE;
        ::DeleteObject(hImage);
    });
    return bResult;
}

BOOL CKitImageManager::SetIconsFromImageList(HIMAGELIST hImageList, const UINT* pCommands, int nCount, CSize szIcon,
                                             int nState)
{
    if (hImageList == nullptr)
        return FALSE;
    const int nImages = ImageList_GetImageCount(hImageList);
    if (nCount <= 0)
        nCount = nImages;
    if (szIcon.cx == 0 && szIcon.cy == 0) {
        IMAGEINFO info = {};
        if (nImages > 0 && ImageList_GetImageInfo(hImageList, 0, &info))
            szIcon = CSize(info.rcImage.right - info.rcImage.left, info.rcImage.bottom - info.rcImage.top);
    }
    BOOL bResult = FALSE;
    ForEachImageId(nImages, pCommands, nCount, [&](int nImage, UINT nCommand) {
        HICON hIcon = ImageList_GetIcon(hImageList, nImage, ILD_NORMAL);
        if (hIcon == nullptr)
            return;
        if (SetIcon(CKitImageManagerIconHandle(hIcon, TRUE), nCommand, szIcon, nState))
            bResult = TRUE;
        ::DestroyIcon(hIcon);
    });
    return bResult;
}

BOOL CKitImageManager::SetIconsFromResource(UINT nIDResource, const UINT* pCommands, int nCount, CSize szIcon,
                                            int nState)
{
    BOOL bAlpha = FALSE;
    HBITMAP hBitmap = CKitImageManagerIcon::LoadBitmapFromResource(MAKEINTRESOURCEA(nIDResource), &bAlpha);
    if (hBitmap == nullptr)
        return FALSE;
    const BOOL bResult = SetIconsFromBitmap(hBitmap, pCommands, nCount, szIcon, nState, bAlpha);
    ::DeleteObject(hBitmap);
    return bResult;
}

BOOL CKitImageManager::SetIconsFromToolBar(UINT nIDToolBar, UINT nIDBitmap, int nState)
{
    const KitResourceBytes toolBar = KitFindResourceBytes(MAKEINTRESOURCEA(nIDToolBar), kToolBarResourceType);
    if (toolBar.data == nullptr || toolBar.size < kToolBarHeaderSize)
        return FALSE;
    const size_t nItems = ReadWord(toolBar.data + 3 * sizeof(WORD));
    if (nItems > (toolBar.size - kToolBarHeaderSize) / sizeof(WORD))
        return FALSE;
    std::vector<UINT> commands;
    for (size_t i = 0; i < nItems; ++i) {
        const UINT nCommand = ReadWord(toolBar.data + kToolBarHeaderSize + i * sizeof(WORD));
        if (nCommand != 0)
            commands.push_back(nCommand);
    }
    if (commands.empty())
        return FALSE;
    BOOL bAlpha = FALSE;
    HBITMAP hBitmap = CKitImageManagerIcon::LoadBitmapFromResource(
        MAKEINTRESOURCEA(nIDBitmap != 0 ? nIDBitmap : nIDToolBar), &bAlpha);
    if (hBitmap == nullptr)
        return FALSE;
    const BOOL bResult = SetIconsFromBitmap(hBitmap, commands.data(), static_cast<int>(commands.size()), CSize(0, 0),
                                            nState, bAlpha);
    ::DeleteObject(hBitmap);
    return bResult;
}

BOOL CKitImageManager::SetIconFromImageData(const BYTE* pData, size_t nSize, UINT nCommand, int nState)
{
    CKitImageManagerIconHandle image;
    if (!KitPixels::IconImageFromData(pData, nSize, image))
        return FALSE;
    return SetIcon(image, nCommand, CSize(0, 0), nState);
}

BOOL CKitImageManager::SetIconFromResource(LPCSTR lpszResource, UINT nCommand, CSize szIcon, int nState)
{
    HMODULE hModule = KitResourceModuleFor(lpszResource, RT_GROUP_ICON);
    const KitResourceBytes group = KitLockResource(hModule, ::FindResourceA(hModule, lpszResource, RT_GROUP_ICON));
    if (group.data == nullptr) {
        hModule = KitResourceModuleFor(lpszResource, RT_ICON);
        const KitResourceBytes icon = KitLockResource(hModule, ::FindResourceA(hModule, lpszResource, RT_ICON));
        return SetIconFromImageData(icon.data, icon.size, nCommand, nState);
    }
    if (group.size < kIconFileHeaderSize)
        return FALSE;
    const size_t nEntries = std::min<size_t>(ReadWord(group.data + 4),
                                             (group.size - kIconFileHeaderSize) / kGroupEntrySize);
    const BOOL bEverySize = szIcon.cx == 0 && szIcon.cy == 0;
    BOOL bResult = FALSE;
    // From the last entry to the first; with a size, the first that loads wins.
    for (size_t i = nEntries; i-- > 0;) {
        const BYTE* pEntry = group.data + kIconFileHeaderSize + i * kGroupEntrySize;
        if (!MatchesSize(DirectorySize(pEntry[0]), DirectorySize(pEntry[1]), szIcon))
            continue;
        const WORD wIconID = ReadWord(pEntry + 12);
        const KitResourceBytes icon = KitLockResource(hModule, ::FindResourceA(hModule, MAKEINTRESOURCEA(wIconID), RT_ICON));
        if (SetIconFromImageData(icon.data, icon.size, nCommand, nState)) {
            bResult = TRUE;
            if (!bEverySize)
                break;
        }
    }
    return bResult;
}

BOOL CKitImageManager::SetIconFromFile(LPCSTR lpszFileName, UINT nCommand, CSize szIcon, int nState)
{
    std::vector<BYTE> bytes;
    try {
        CFile file;
        if (lpszFileName == nullptr || !file.Open(lpszFileName, CFile::modeRead | CFile::shareDenyWrite))
            return FALSE;
        const ULONGLONG nLength = file.GetLength();
        if (nLength > static_cast<ULONGLONG>(kMaxIconFileSize))
            return FALSE;
        bytes.resize(static_cast<size_t>(nLength));
        if (!bytes.empty() && file.Read(bytes.data(), static_cast<UINT>(bytes.size())) != bytes.size())
            return FALSE;
    } catch (CException* e) {
        e->Delete();
        return FALSE;
    }
    return SetIconFromIconFileData(bytes.data(), bytes.size(), nCommand, szIcon, nState);
}

BOOL CKitImageManager::SetIconFromIconFileData(const BYTE* pData, size_t nSize, UINT nCommand, CSize szIcon,
                                               int nState)
{
    if (pData == nullptr || nSize < kIconFileHeaderSize)
        return FALSE;
    const WORD wType = ReadWord(pData + 2);
    const size_t nEntries = ReadWord(pData + 4);
    if (wType != kIconFileType || nEntries == 0)
        return FALSE;
    BOOL bResult = FALSE;
    for (size_t i = 0; i < nEntries; ++i) {
        const size_t nEntryOffset = kIconFileHeaderSize + i * kIconDirEntrySize;
        if (nEntryOffset + kIconDirEntrySize > nSize)
            break;
        const BYTE* pEntry = pData + nEntryOffset;
        if (!MatchesSize(DirectorySize(pEntry[0]), DirectorySize(pEntry[1]), szIcon))
            continue;
        const size_t nBytes = ReadDword(pEntry + 8);
        const size_t nOffset = ReadDword(pEntry + 12);
        // An entry whose data lies outside the file is skipped.
        if (nOffset > nSize || nBytes > nSize - nOffset)
            continue;
        if (SetIconFromImageData(pData + nOffset, nBytes, nCommand, nState))
            bResult = TRUE;
    }
    return bResult;
}

BOOL CKitImageManager::SetImageList(HIMAGELIST hImageList, UINT nBaseCommand, BOOL bDestroy)
{
    if (hImageList == nullptr)
        return FALSE;
    m_imageLists.push_back(std::make_unique<CKitImageManagerImageList>(hImageList, nBaseCommand, bDestroy));
    return TRUE;
}

void CKitImageManager::RemoveIcon(UINT nCommand)
{
    CKitImageManagerIconSet* pIconSet = GetIconSet(nCommand);
    if (pIconSet == nullptr)
        return;
    m_iconSets.RemoveKey(nCommand);
    pIconSet->RemoveAll();
    pIconSet->InternalRelease();
}

void CKitImageManager::RemoveAll()
{
    POSITION pos = m_iconSets.GetStartPosition();
    while (pos != nullptr) {
        UINT nCommand = 0;
        CKitImageManagerIconSet* pIconSet = nullptr;
        m_iconSets.GetNextAssoc(pos, nCommand, pIconSet);
        pIconSet->RemoveAll();
        pIconSet->InternalRelease();
    }
    m_iconSets.RemoveAll();
    m_imageLists.clear();
}

CKitImageManagerIconSet* CKitImageManager::GetOrCreateIconSet(UINT nCommand)
{
    CKitImageManagerIconSet* pIconSet = GetIconSet(nCommand);
    if (pIconSet == nullptr) {
        pIconSet = new CKitImageManagerIconSet(nCommand, this);
        m_iconSets[nCommand] = pIconSet;
    }
    return pIconSet;
}

void CKitImageManager::RemoveDerivedImages()
{
    POSITION pos = m_iconSets.GetStartPosition();
    while (pos != nullptr) {
        UINT nCommand = 0;
        CKitImageManagerIconSet* pIconSet = nullptr;
        m_iconSets.GetNextAssoc(pos, nCommand, pIconSet);
        pIconSet->ForEachIcon([](CKitImageManagerIcon* pIcon) { pIcon->ClearMadeImages(); });
    }
    for (const auto& pImageList : m_imageLists)
        pImageList->RemoveIcons();
}

CKitImageManagerResource* CKitImageManager::FindResource(CSize szIcon) const
{
    for (const auto& pResource : m_resources) {
        if (pResource->GetExtent() == szIcon)
            return pResource.get();
    }
    return nullptr;
}

CKitImageManagerResource* CKitImageManager::GetResource(CSize szIcon)
{
    if (CKitImageManagerResource* pResource = FindResource(szIcon))
        return pResource;
    m_resources.push_back(std::make_shared<CKitImageManagerResource>(this, szIcon));
    return m_resources.back().get();
}

void CKitImageManager::DoPropExchange(CKitPropExchange* pPX)
{
    if (pPX->IsLoading()) {
        RemoveAll();
        ReleaseStrips();
    }
    std::unique_ptr<CKitPropExchangeEnumerator> pEnumerator(pPX->GetEnumerator("IconSet"));
    POSITION posEnum = pEnumerator->GetPosition(static_cast<DWORD>(m_iconSets.GetCount()), FALSE);
    POSITION posSet = pPX->IsStoring() ? m_iconSets.GetStartPosition() : nullptr;
    while (posEnum != nullptr) {
        CKitPropExchangeSection section(pEnumerator->GetNext(posEnum));
        if (pPX->IsStoring()) {
            UINT nCommand = 0;
            CKitImageManagerIconSet* pIconSet = nullptr;
            m_iconSets.GetNextAssoc(posSet, nCommand, pIconSet);
            int nId = static_cast<int>(nCommand);
            CKitPropExchange::PropExchangeInt(section, "Id", nId);
            pIconSet->Serialize(section);
            NoteId(nCommand);
        } else {
            int nId = 0;
            CKitPropExchange::PropExchangeInt(section, "Id", nId);
            const auto nCommand = static_cast<UINT>(nId);
            GetOrCreateIconSet(nCommand)->Serialize(section);
            NoteId(nCommand);
        }
    }
}

void CKitImageManager::Serialize(CArchive& ar)
{
    CKitPropExchangeArchive px(ar);
    DoPropExchange(&px);
}

// ---------------------------------------------------------------------------
// Static image operations.

HBITMAP CKitImageManager::CopyAlphaBitmap(HBITMAP hBitmap, LPBYTE* ppBits)
{
    CSize sz;
    const std::vector<DWORD> pixels = Read32BitPixels(hBitmap, sz);
    if (pixels.empty())
        return nullptr;
    return Create32BitBitmap(pixels.data(), sz, ppBits);
}

HBITMAP CKitImageManager::PreMultiplyAlphaBitmap(HBITMAP hBitmap, BOOL* pbAlpha, LPBYTE* ppBits)
{
    CSize sz;
    std::vector<DWORD> pixels = Read32BitPixels(hBitmap, sz);
    if (pixels.empty())
        return nullptr;
    const BOOL bAlpha = KitPixels::PreMultiply(pixels);
    if (pbAlpha != nullptr)
        *pbAlpha = bAlpha;
    return Create32BitBitmap(pixels.data(), sz, ppBits);
}

BOOL CKitImageManager::AlphaBlend(HDC hdcDest, const CRect& rcDest, HDC hdcSrc, const CRect& rcSrc)
{
    if (rcDest.IsRectEmpty() || rcSrc.IsRectEmpty())
        return FALSE;
    CKitDrawHelpers* pHelpers = CKitDrawHelpers::Instance();
    if (pHelpers->m_pfnAlphaBlend != nullptr) {
        const BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
        if (pHelpers->m_pfnAlphaBlend(hdcDest, rcDest.left, rcDest.top, rcDest.Width(), rcDest.Height(), hdcSrc,
                                      rcSrc.left, rcSrc.top, rcSrc.Width(), rcSrc.Height(), blend))
            return TRUE;
    }
    return KitPixels::SoftwareAlphaBlend(hdcDest, rcDest, hdcSrc, rcSrc);
}

BOOL CKitImageManager::TransparentBlt(HDC hdcDest, const CRect& rcDest, HDC hdcSrc, const CRect& rcSrc,
                                      UINT crTransparent)
{
    CKitDrawHelpers* pHelpers = CKitDrawHelpers::Instance();
    if (pHelpers->m_pfnTransparentBlt != nullptr)
        return pHelpers->m_pfnTransparentBlt(hdcDest, rcDest.left, rcDest.top, rcDest.Width(), rcDest.Height(),
                                             hdcSrc, rcSrc.left, rcSrc.top, rcSrc.Width(), rcSrc.Height(),
                                             crTransparent);
    return KitPixels::MaskedTransparentBlt(hdcDest, rcDest, hdcSrc, rcSrc, crTransparent);
}

BOOL CKitImageManager::IsAlphaIconsSupported()
{
    return HIWORD(GetComCtlVersion()) > 5;
}

BOOL CKitImageManager::IsAlphaBitmapFile(LPCSTR lpszFileName)
{
    BYTE start[sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)] = {};
    const size_t nRead = ReadFileStart(lpszFileName, start, sizeof(start));
    if (nRead < sizeof(start))
        return FALSE;
    const BYTE* pHeader = start + sizeof(BITMAPFILEHEADER);
    return ReadDword(pHeader) >= sizeof(BITMAPINFOHEADER) && ReadWord(pHeader + 14) == 32;
}

BOOL CKitImageManager::IsPngBitmapFile(LPCSTR lpszFileName)
{
    BYTE start[8] = {};
    return KitIsPngSignature(start, ReadFileStart(lpszFileName, start, sizeof(start)));
}

BOOL CKitImageManager::IsPngBitmapResource(HMODULE hModule, LPCSTR lpszName)
{
    const KitResourceBytes bytes = KitLockResource(hModule, ::FindResourceA(hModule, lpszName, "PNG"));
    return KitIsPngSignature(bytes.data, bytes.size);
}

BOOL CKitImageManager::IsAlphaBitmapResource(HMODULE hModule, LPCSTR lpszName)
{
    const KitResourceBytes bytes = KitLockResource(hModule, ::FindResourceA(hModule, lpszName, RT_BITMAP));
    return bytes.size >= sizeof(BITMAPINFOHEADER) && ReadDword(bytes.data) >= sizeof(BITMAPINFOHEADER) &&
           ReadWord(bytes.data + 14) == 32;
}

HBITMAP CKitImageManager::LoadAlphaBitmap(HMODULE hModule, LPCSTR lpszName)
{
    const KitResourceBytes bytes = KitLockResource(hModule, ::FindResourceA(hModule, lpszName, RT_BITMAP));
    if (bytes.size < sizeof(BITMAPINFOHEADER))
        return nullptr;
    BITMAPINFOHEADER header;
    std::memcpy(&header, bytes.data, sizeof(header));
    if (header.biBitCount != 32 || header.biWidth <= 0 || header.biHeight == 0 ||
        static_cast<unsigned>(header.biWidth) > KitPixels::kMaxStripWidth ||
        static_cast<unsigned>(std::abs(header.biHeight)) > KitPixels::kMaxImageDimension ||
        header.biSize < sizeof(BITMAPINFOHEADER) || header.biSize > bytes.size)
        return nullptr;
    const int cx = header.biWidth;
    const int cy = std::abs(header.biHeight);
    const size_t nPixelBytes = static_cast<size_t>(cx) * static_cast<size_t>(cy) * 4;
    const size_t nMasks = header.biCompression == BI_BITFIELDS ? 3 * sizeof(DWORD) : 0;
    if (bytes.size < header.biSize + nMasks + nPixelBytes)
        return nullptr;
    LPBYTE pBits = nullptr;
    HBITMAP hBitmap = Create32BitDIBSection(nullptr, cx, -cy, &pBits);
    if (hBitmap == nullptr)
        return nullptr;
    const BYTE* pSource = bytes.data + header.biSize + nMasks;
    const size_t nRowBytes = static_cast<size_t>(cx) * 4;
    for (int y = 0; y < cy; ++y) {
        // Positive heights store the bottom row first.
        const int nSourceRow = header.biHeight > 0 ? cy - 1 - y : y;
        std::memcpy(pBits + nRowBytes * y, pSource + nRowBytes * nSourceRow, nRowBytes);
    }
    return hBitmap;
}

// ---------------------------------------------------------------------------
// Icon sets.

CKitImageManagerIconSet::CKitImageManagerIconSet(UINT nID, CKitImageManager* pManager)
    : m_nID(nID), m_pImageManager(pManager), m_icons(10)
{
    m_icons.InitHashTable(kHashSize, FALSE);
}

CKitImageManagerIconSet::~CKitImageManagerIconSet()
{
    RemoveAll();
}

CKitImageManagerIcon* CKitImageManagerIconSet::GetIcon(int nWidth, BOOL bFallback) const
{
    CKitImageManagerIcon* pFound = nullptr;
    if (nWidth == 0 || nWidth == 1) {
        ForEachIcon([&](CKitImageManagerIcon* pIcon) {
            if (pFound == nullptr || (nWidth == 0 ? pIcon->GetWidth() < pFound->GetWidth()
                                                  : pIcon->GetWidth() > pFound->GetWidth()))
                pFound = pIcon;
        });
        return pFound;
    }
    if (m_icons.Lookup(nWidth, pFound))
        return pFound;
    if (!bFallback)
        return nullptr;
    int nBestDistance = 0;
    ForEachIcon([&](CKitImageManagerIcon* pIcon) {
        const int nDistance = std::abs(pIcon->GetWidth() - nWidth);
        if (pFound == nullptr || nDistance < nBestDistance) {
            pFound = pIcon;
            nBestDistance = nDistance;
        }
    });
    return pFound;
}

CKitImageManagerIcon* CKitImageManagerIconSet::GetOrCreateIcon(int nWidth)
{
    CKitImageManagerIcon* pIcon = nullptr;
    if (!m_icons.Lookup(nWidth, pIcon)) {
        pIcon = new CKitImageManagerIcon(m_nID, nWidth, CKitImageManagerIcon::kInitialHeight, this);
        m_icons[nWidth] = pIcon;
    }
    return pIcon;
}

void CKitImageManagerIconSet::RemoveAll()
{
    ForEachIcon([](CKitImageManagerIcon* pIcon) {
        pIcon->Clear();
        pIcon->m_pIconSet = nullptr;
        pIcon->InternalRelease();
    });
    m_icons.RemoveAll();
}

void CKitImageManagerIconSet::Serialize(CKitPropExchange* pPX)
{
    CString strCheckSum = kCheckSum;
    CKitPropExchange::PropExchangeString(pPX, "CheckSum", strCheckSum, kCheckSum);
    if (pPX->IsLoading() && strCheckSum != kCheckSum)
        AfxThrowArchiveException(CArchiveException::badClass);

    std::unique_ptr<CKitPropExchangeEnumerator> pEnumerator(pPX->GetEnumerator("Icon"));
    POSITION posEnum = pEnumerator->GetPosition(static_cast<DWORD>(m_icons.GetCount()), FALSE);
    if (pPX->IsStoring()) {
        POSITION posIcon = m_icons.GetStartPosition();
        while (posEnum != nullptr && posIcon != nullptr) {
            CKitPropExchangeSection section(pEnumerator->GetNext(posEnum));
            int nWidth = 0;
            CKitImageManagerIcon* pIcon = nullptr;
            m_icons.GetNextAssoc(posIcon, nWidth, pIcon);
            CKitPropExchange::PropExchangeInt(section, "Width", nWidth);
            CKitPropExchange::PropExchangeObject(section, "Data", pIcon);
        }
        return;
    }
    RemoveAll();
    while (posEnum != nullptr) {
        CKitPropExchangeSection section(pEnumerator->GetNext(posEnum));
        int nWidth = CKitImageManagerIcon::kDefaultStoredWidth;
        CKitPropExchange::PropExchangeIntWithDefault(section, "Width", nWidth, CKitImageManagerIcon::kDefaultStoredWidth);
        auto* pIcon = new CKitImageManagerIcon(m_nID, nWidth, CKitImageManagerIcon::kInitialHeight, this);
        try {
            CKitPropExchange::PropExchangeObject(section, "Data", pIcon);
        } catch (...) {
            pIcon->m_pIconSet = nullptr;
            pIcon->InternalRelease();
            throw;
        }
        CKitImageManagerIcon* pOld = nullptr;
        if (m_icons.Lookup(nWidth, pOld)) {
            pOld->Clear();
            pOld->m_pIconSet = nullptr;
            pOld->InternalRelease();
        }
        m_icons[nWidth] = pIcon;
    }
}

void CKitImageManagerIconSet::Serialize(CKitImageManager* pManager, UINT nID, CKitPropExchange* pPX)
{
    if (pManager == nullptr || pPX == nullptr)
        return;
    if (pPX->IsLoading()) {
        pManager->GetOrCreateIconSet(nID)->Serialize(pPX);
    } else if (CKitImageManagerIconSet* pIconSet = pManager->GetIconSet(nID)) {
        pIconSet->Serialize(pPX);
    } else {
        CKitImageManagerIconSet empty(nID, pManager);
        empty.Serialize(pPX);
    }
    pManager->NoteId(nID);
}

// ---------------------------------------------------------------------------
// Image lists.

CKitImageManagerImageList::CKitImageManagerImageList(HIMAGELIST hImageList, UINT nBaseCommand,
                                                     BOOL bDestroyImageList)
    : m_hImageList(hImageList), m_bDestroyImageList(bDestroyImageList), m_nBaseCommand(nBaseCommand)
{
}

CKitImageManagerImageList::~CKitImageManagerImageList()
{
    RemoveIcons();
    if (m_bDestroyImageList && m_hImageList != nullptr)
        ImageList_Destroy(m_hImageList);
}

BOOL CKitImageManagerImageList::Covers(UINT nCommand) const
{
    return nCommand >= m_nBaseCommand &&
           nCommand < m_nBaseCommand + static_cast<UINT>(std::max(ImageList_GetImageCount(m_hImageList), 0));
}

CSize CKitImageManagerImageList::GetIconSize() const
{
    int cx = 0;
    int cy = 0;
    ImageList_GetIconSize(m_hImageList, &cx, &cy);
    return CSize(cx, cy);
}

void CKitImageManagerImageList::RemoveIcons()
{
    POSITION pos = m_icons.GetStartPosition();
    while (pos != nullptr) {
        UINT nCommand = 0;
        CKitImageManagerIcon* pIcon = nullptr;
        m_icons.GetNextAssoc(pos, nCommand, pIcon);
        pIcon->m_pImageList = nullptr;
        pIcon->InternalRelease();
    }
    m_icons.RemoveAll();
}

CKitImageManagerIcon* CKitImageManagerImageList::GetIcon(UINT nCommand)
{
    CKitImageManagerIcon* pIcon = nullptr;
    if (!m_icons.Lookup(nCommand, pIcon)) {
        const CSize sz = GetIconSize();
        pIcon = new CKitImageManagerIcon(nCommand, sz.cx, sz.cy, this);
        m_icons[nCommand] = pIcon;
    }
    return pIcon;
}

void CKitImageManagerImageList::Draw(CDC* pDC, CPoint pt, CKitImageManagerIcon* pIcon, CSize sz, COLORREF clrBK,
                                     COLORREF clrFG, UINT uiFlags) const
{
    ImageList_DrawEx(m_hImageList, static_cast<int>(pIcon->GetID() - m_nBaseCommand), pDC->GetSafeHdc(), pt.x, pt.y,
                     sz.cx, sz.cy, clrBK, clrFG, uiFlags | ILD_TRANSPARENT);
}

// ---------------------------------------------------------------------------
// File and resource bitmaps.

HBITMAP CKitImageManagerIcon::LoadBitmapFromResource(LPCSTR lpszResource, BOOL* pbAlpha)
{
    HMODULE hPngModule = KitResourceModuleFor(lpszResource, "PNG");
    if (CKitImageManager::IsPngBitmapResource(hPngModule, lpszResource))
        return LoadBitmapFromResource(hPngModule, lpszResource, pbAlpha);
    return LoadBitmapFromResource(KitResourceModuleFor(lpszResource, RT_BITMAP), lpszResource, pbAlpha);
}

HBITMAP CKitImageManagerIcon::LoadBitmapFromResource(HMODULE hModule, LPCSTR lpszResource, BOOL* pbAlpha)
{
    if (pbAlpha != nullptr)
        *pbAlpha = FALSE;
    if (CKitImageManager::IsPngBitmapResource(hModule, lpszResource)) {
        CKitGraphicBitmapPng png;
        if (!png.LoadFromResource(hModule, ::FindResourceA(hModule, lpszResource, "PNG")))
            return nullptr;
        if (pbAlpha != nullptr)
            *pbAlpha = png.IsAlpha();
        return static_cast<HBITMAP>(png.Detach());
    }
    if (CKitImageManager::IsAlphaBitmapResource(hModule, lpszResource)) {
        HBITMAP hBitmap = CKitImageManager::LoadAlphaBitmap(hModule, lpszResource);
        if (hBitmap != nullptr && pbAlpha != nullptr)
            *pbAlpha = TRUE;
        return hBitmap;
    }
    return static_cast<HBITMAP>(::LoadImageA(hModule, lpszResource, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
}

HBITMAP CKitImageManagerIcon::LoadBitmapFromFile(LPCSTR lpszFileName, BOOL* pbAlpha)
{
    if (pbAlpha != nullptr)
        *pbAlpha = FALSE;
    if (CKitImageManager::IsPngBitmapFile(lpszFileName)) {
        CKitGraphicBitmapPng png;
        if (!png.LoadFromFile(lpszFileName))
            return nullptr;
        if (pbAlpha != nullptr)
            *pbAlpha = png.IsAlpha();
        return static_cast<HBITMAP>(png.Detach());
    }
    const BOOL bAlphaFile = CKitImageManager::IsAlphaBitmapFile(lpszFileName);
    auto hBitmap = static_cast<HBITMAP>(::LoadImageA(
        nullptr, lpszFileName, IMAGE_BITMAP, 0, 0,
        LR_LOADFROMFILE | LR_DEFAULTSIZE | (bAlphaFile ? LR_CREATEDIBSECTION : 0)));
    if (hBitmap != nullptr) {
        if (pbAlpha != nullptr)
            *pbAlpha = bAlphaFile;
        return hBitmap;
    }
    return LoadOlePicture(lpszFileName);
}

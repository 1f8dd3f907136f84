// CKitImageManager, CKitImageManagerIconSet, CKitImageManagerIcon, CKitImageManagerIconHandle, CKitImageManagerResource, CKitImageManagerImageList: the toolkit's store of command images.
#pragma once

#include "framework/collections.h"
#include "framework/gdi.h"
#include "framework/msgmap.h"

#include <commctrl.h>
#include <windows.h>

#include <memory>
#include <vector>

class CArchive;
class CKitImageManager;
class CKitImageManagerIcon;
class CKitImageManagerIconSet;
class CKitImageManagerResource;
class CKitPropExchange;

// One image: an icon, a 32-bit bitmap with per-pixel alpha, or a slot of a
// shared strip. Assigning copies (into the manager's strip when it may share).
class CKitImageManagerIconHandle {
public:
    // A slot of a shared strip (defined with the strip).
    struct Slot;

    CKitImageManagerIconHandle();
    // Wrappers that do not own the handle (the caller keeps it).
    explicit CKitImageManagerIconHandle(HICON hIcon, BOOL bMayShare = TRUE);
    explicit CKitImageManagerIconHandle(HBITMAP hBitmap);
    CKitImageManagerIconHandle(const CKitImageManagerIconHandle& other);
    CKitImageManagerIconHandle& operator=(const CKitImageManagerIconHandle& other);
    ~CKitImageManagerIconHandle();

    // Neither icon, bitmap nor slot, or a size of 0 x 0.
    BOOL IsEmpty() const;
    // Destroys what the record owns and empties it.
    void Clear();
    // Takes ownership of a 32-bit bitmap (premultiplied when bPremultiplied).
    void TakeBitmap(HBITMAP hBitmap, BOOL bPremultiplied = FALSE);
    // Takes ownership of an icon.
    void TakeIcon(HICON hIcon);

    HICON GetIcon() const { return m_hIcon; }
    HBITMAP GetBitmap() const { return m_hBitmap; }
    // An alpha image: a 32-bit bitmap or an alpha slot.
    BOOL IsAlpha() const;
    BOOL IsSlot() const { return m_pSlot != nullptr; }
    BOOL IsPremultiplied() const { return m_pBits != nullptr; }
    BOOL OwnsHandles() const { return m_bClearHandles; }
    CSize GetExtent() const { return m_szIcon; }
    BOOL MayShare() const { return m_bMayShare; }
    void SetMayShare(BOOL bMayShare) { m_bMayShare = bMayShare; }
    CKitImageManager* GetImageManager() const { return m_pImageManager; }
    void SetImageManager(CKitImageManager* pManager) { m_pImageManager = pManager; }

    // The image as a new separate handle the caller owns: a 32-bit bitmap for
    // alpha images (premultiplied), else an icon; null when empty.
    HBITMAP CopyAlphaBitmapOut() const;
    HICON CopyIconOut() const;
    // Premultiplies a bitmap record once; the premultiplied copy replaces the bitmap.
    LPBYTE PreMultiply() const;

    // Draws at pt in size sz; bComposited: icons and mask slots through a 32-bit buffer.
    void Draw(CDC* pDC, CPoint pt, CSize sz, BOOL bComposited) const;

private:
    friend class CKitImageManagerResource;

    void CopyFrom(const CKitImageManagerIconHandle& other);
    // The manager whose settings apply: the record's own, else the process-wide one.
    CKitImageManager* EffectiveManager() const;

    HICON m_hIcon;
    // The bitmap is replaced by its premultiplied copy on first drawing.
    mutable HBITMAP m_hBitmap;
    mutable LPBYTE m_pBits;
    mutable BOOL m_bClearHandles;
    CKitImageManager* m_pImageManager;
    Slot* m_pSlot;
    CSize m_szIcon;
    BOOL m_bMayShare;
};

// A 32-bit top-down strip and a monochrome mask strip, one image high, that
// hold all images of one size; slots are columns of it. Each slot in use keeps
// its strip alive, so images outlive the manager letting its strips go.
class CKitImageManagerResource : public std::enable_shared_from_this<CKitImageManagerResource> {
public:
    CKitImageManagerResource(CKitImageManager* pManager, CSize szIcon);
    ~CKitImageManagerResource();
    CKitImageManagerResource(const CKitImageManagerResource&) = delete;
    CKitImageManagerResource& operator=(const CKitImageManagerResource&) = delete;

    CSize GetExtent() const { return m_szIcon; }
    int GetStripWidth() const { return m_nStripWidth; }
    HBITMAP GetStripBitmap() const { return m_hbmpImage; }
    HBITMAP GetMaskBitmap() const { return m_hbmpMask; }
    int GetUsedCount() const { return static_cast<int>(m_used.size()); }

    // A slot for the image, or null when it does not fit the strip or the strip cannot grow.
    CKitImageManagerIconHandle::Slot* Add(const CKitImageManagerIconHandle& image);
    void Free(CKitImageManagerIconHandle::Slot* pSlot);
    // bFlip: the source is mirrored first (the image's manager decides, see IsSourceFlipped).
    void Draw(CDC* pDC, const CKitImageManagerIconHandle::Slot* pSlot, CPoint pt, CSize sz, BOOL bComposited,
              BOOL bFlip);
    // The manager lets the strip go; the strip lives on while a slot is in use.
    void DetachManager() { m_pManager = nullptr; }
    CKitImageManager* GetImageManager() const { return m_pManager; }
    HBITMAP CopyAlphaBitmapOut(const CKitImageManagerIconHandle::Slot* pSlot);
    HICON CopyIconOut(const CKitImageManagerIconHandle::Slot* pSlot);

private:
    CKitImageManagerIconHandle::Slot* Allocate();
    BOOL Grow();
    void DeleteStrips();
    // The slot's pixels, premultiplied: alpha slots as they are, mask slots
    // opaque where the mask is clear and 0 where it is set.
    std::vector<DWORD> CompositeSlot(const CKitImageManagerIconHandle::Slot* pSlot);
    // The slot's colour pixels and its mask (non-zero: transparent).
    void ReadSlot(const CKitImageManagerIconHandle::Slot* pSlot, std::vector<DWORD>& colour,
                  std::vector<BYTE>& transparent);

    CKitImageManager* m_pManager;
    CSize m_szIcon;
    int m_nStripWidth;
    HBITMAP m_hbmpImage;
    HBITMAP m_hbmpMask;
    LPBYTE m_pBits;
    std::vector<CKitImageManagerIconHandle::Slot*> m_used;
    std::vector<CKitImageManagerIconHandle::Slot*> m_free;
    CRITICAL_SECTION m_cs;
};

// The images of one command at one width: state images set by the caller and
// images made from them on request.
class CKitImageManagerIcon : public CCmdTarget {
    DECLARE_DYNAMIC(CKitImageManagerIcon)
public:
    enum State { kStateNormal = 0, kStateDisabled = 1, kStateHot = 2, kStateChecked = 3, kStatePressed = 4 };
    // A new icon of a set is this high until its first image.
    static constexpr int kInitialHeight = 15;
    // The width of a stored icon without one.
    static constexpr int kDefaultStoredWidth = 16;
    // The archive schema written.
    static constexpr UINT kSchema = 38;

    CKitImageManagerIcon(UINT nID, int nWidth, int nHeight, CKitImageManagerIconSet* pIconSet = nullptr);
    // An icon that shows image (nID - first id) of an image list.
    CKitImageManagerIcon(UINT nID, int nWidth, int nHeight, class CKitImageManagerImageList* pImageList);
    ~CKitImageManagerIcon() override;

    UINT GetID() const { return m_nID; }
    int GetWidth() const { return m_nWidth; }
    int GetHeight() const { return m_nHeight; }
    CSize GetExtent() const { return CSize(m_nWidth, m_nHeight); }
    BOOL IsAlpha() const;
    void SetDrawComposited(BOOL bComposited) { m_bDrawComposited = bComposited; }

    // 1 disabled (made when needed), 2 hot, 3 checked, 4 pressed, else normal.
    const CKitImageManagerIconHandle& GetIcon(int nState);
    const CKitImageManagerIconHandle& GetNormalIcon() const { return m_images[kNormal]; }
    const CKitImageManagerIconHandle& GetHotIcon() const;
    const CKitImageManagerIconHandle& GetCheckedIcon() const;
    const CKitImageManagerIconHandle& GetPressedIcon() const;
    // The set disabled image, else the made one; with bCreate a grey one is made when there is none.
    const CKitImageManagerIconHandle& GetDisabledIcon(BOOL bCreate = TRUE);
    BOOL HasDisabledIcon() const;
    const CKitImageManagerIconHandle& GetFadedIcon();
    const CKitImageManagerIconHandle& GetShadowIcon();
    // Makes the made-disabled image, in the two colours or (-1) in grey; nothing when it exists.
    void CreateDisabledIcon(COLORREF clrLight = static_cast<COLORREF>(-1), COLORREF clrDark = static_cast<COLORREF>(-1));

    // Sets a state image (a copy is kept).
    void SetIcon(const CKitImageManagerIconHandle& image, int nState);
    void SetNormalIcon(const CKitImageManagerIconHandle& image) { SetIcon(image, kStateNormal); }
    // Empties the faded, shadow and made-disabled images.
    void ClearMadeImages();
    // Empties all eight images.
    void Clear();

    // Width 0: the icon's width; height 0: scaled from the width. Colours -1: none.
    void Draw(CDC* pDC, CPoint pt, const CKitImageManagerIconHandle& image, CSize sz = CSize(0, 0),
              COLORREF clrBK = CLR_NONE, COLORREF clrFG = CLR_NONE, UINT uiFlags = 0);
    void DrawAtSize(CDC* pDC, CPoint pt, CSize sz);
    void DrawAtPoint(CDC* pDC, CPoint pt);
    // One-colour drawing: the image's shape in clrBrush; alpha images are not drawn.
    void DrawMono(CDC* pDC, CPoint pt, const CKitImageManagerIconHandle& image, CSize sz, COLORREF clrBrush);

    // The archive form (schema, then the state images).
    void Serialize(CArchive& ar) override;

    static CSize GetIconSize(HICON hIcon);
    // A "PNG" resource (through the PNG loader) or a bitmap resource of the
    // module that holds it; 32-bit bitmaps and PNG images with alpha set *pbAlpha.
    static HBITMAP LoadBitmapFromResource(LPCSTR lpszResource, BOOL* pbAlpha);
    // The same from the given module: the form for callers that hold a module
    // (the theme pictures load every image through it).
    static HBITMAP LoadBitmapFromResource(HMODULE hModule, LPCSTR lpszResource, BOOL* pbAlpha);
    // A new icon of the new width, its height scaled by the same ratio (area
    // sampling; alpha kept); the same width gives a plain copy. The caller destroys it.
    static HICON ScaleIcon(HICON hIcon, int cxSource, int cySource, int cxNew);
    // The icon's colour bitmap carries alpha in some pixel.
    static BOOL IsAlphaIconHandle(HICON hIcon);
    // Draws the icon at pt in sz (its own size for 0 x 0) through a 32-bit buffer
    // blended onto the DC, so that it keeps its alpha over glass and gradients.
    static void DrawIconHandle(CDC* pDC, CPoint pt, CSize sz, HICON hIcon);
    // A PNG file (by its signature), a bitmap file, else any picture OLE can open.
    static HBITMAP LoadBitmapFromFile(LPCSTR lpszFileName, BOOL* pbAlpha);

private:
    friend class CKitImageManagerIconSet;
    friend class CKitImageManagerImageList;
    enum Slot { kNormal = 0, kFaded, kShadow, kHot, kChecked, kPressed, kDisabled, kMadeDisabled, kImageCount };

    void SetImage(int nSlot, const CKitImageManagerIconHandle& image);
    // The images of the set that depend on the normal image are emptied.
    void OnNormalImageChanged();
    CKitImageManager* GetImageManager() const;
    void SerializeImage(CArchive& ar, int nSlot, UINT nSchema);

    BOOL m_bDrawComposited;
    UINT m_nID;
    int m_nWidth;
    int m_nHeight;
    CKitImageManagerIconHandle m_images[kImageCount];
    CKitImageManagerIconSet* m_pIconSet;
    class CKitImageManagerImageList* m_pImageList;
};

// The icons of one command id, one per width.
class CKitImageManagerIconSet : public CCmdTarget {
    DECLARE_DYNAMIC(CKitImageManagerIconSet)
public:
    // The text that marks an icon set's stored part.
    static constexpr LPCSTR kCheckSum = "CKitImageManagerIcons";

    CKitImageManagerIconSet(UINT nID, CKitImageManager* pManager);
    ~CKitImageManagerIconSet() override;

    UINT GetID() const { return m_nID; }
    CKitImageManager* GetImageManager() const { return m_pImageManager; }
    // Width 0: the narrowest icon, 1: the widest; else that width, or with
    // bFallback the nearest width (the first of equal distances).
    CKitImageManagerIcon* GetIcon(int nWidth, BOOL bFallback = TRUE) const;
    int GetIconCount() const { return static_cast<int>(m_icons.GetCount()); }
    // The icon of that width, made (height 15 until an image is set) when missing.
    CKitImageManagerIcon* GetOrCreateIcon(int nWidth);
    void RemoveAll();
    // The icons of the set through a property-exchange section.
    void Serialize(CKitPropExchange* pPX);
    // The icons of the manager's id through the section, as the command bars keep a
    // control's own icon: storing an id without a set writes an empty set; loading
    // fills the id's set, made when missing. Raises the id's highest-id value.
    static void Serialize(CKitImageManager* pManager, UINT nID, CKitPropExchange* pPX);

    // Calls fn for every icon in the map's order.
    template <class Fn>
    void ForEachIcon(Fn fn) const
    {
        POSITION pos = m_icons.GetStartPosition();
        while (pos != nullptr) {
            int nWidth = 0;
            CKitImageManagerIcon* pIcon = nullptr;
            m_icons.GetNextAssoc(pos, nWidth, pIcon);
            fn(pIcon);
        }
    }

private:
    friend class CKitImageManagerIcon;
    static constexpr UINT kHashSize = 17;

    UINT m_nID;
    CKitImageManager* m_pImageManager;
    CMap<int, int, CKitImageManagerIcon*, CKitImageManagerIcon*> m_icons;
};

// An image list whose images stand for the command ids from a first id on.
class CKitImageManagerImageList {
public:
    CKitImageManagerImageList(HIMAGELIST hImageList, UINT nBaseCommand, BOOL bDestroyImageList);
    ~CKitImageManagerImageList();
    CKitImageManagerImageList(const CKitImageManagerImageList&) = delete;
    CKitImageManagerImageList& operator=(const CKitImageManagerImageList&) = delete;

    BOOL Covers(UINT nCommand) const;
    CSize GetIconSize() const;
    // The icon made on demand for the command's image.
    CKitImageManagerIcon* GetIcon(UINT nCommand);
    // Lets go of the icons made so far; one still held elsewhere is unlinked and draws nothing.
    void RemoveIcons();
    void Draw(CDC* pDC, CPoint pt, CKitImageManagerIcon* pIcon, CSize sz, COLORREF clrBK, COLORREF clrFG,
              UINT uiFlags) const;

    HIMAGELIST m_hImageList;
    BOOL m_bDestroyImageList;
    UINT m_nBaseCommand;

private:
    CMap<UINT, UINT, CKitImageManagerIcon*, CKitImageManagerIcon*> m_icons;
};

class CKitImageManager : public CCmdTarget {
    DECLARE_DYNAMIC(CKitImageManager)
public:
    // Placeholders of an id list that take no image.
    static constexpr UINT kPlaceholderId = 0xDEADBEAF;
    static constexpr UINT kInitialHighestId = 68266;
    enum MirrorMode { kMirrorNever = 0, kMirrorAlways = 1, kMirrorWithContext = 2 };

    // The process-wide manager, made on first use and deleted at exit.
    static CKitImageManager* Instance();

    CKitImageManager();
    ~CKitImageManager() override;

    // The icon of the id at the width (nearest width when there is none of it), or null.
    CKitImageManagerIcon* GetImage(UINT nCommand, int nWidth = 16);
    // An icon of exactly that width (0: any) exists.
    BOOL IsImageDefined(UINT nCommand, int nWidth = 0);
    CKitImageManagerIconSet* GetIconSet(UINT nCommand) const;
    // The id's icon set, made empty when missing.
    CKitImageManagerIconSet* GetOrCreateIconSet(UINT nCommand);

    // Image of the given state for the id; a size 0 x 0 takes the image's own.
    BOOL SetIcon(const CKitImageManagerIconHandle& image, UINT nCommand, CSize szIcon = CSize(0, 0), int nState = 0);
    BOOL SetIconsFromBitmap(HBITMAP hBitmap, const UINT* pCommands, int nCount, CSize szIcon, int nState,
                            BOOL bAlpha);
    BOOL SetIconsFromImageList(HIMAGELIST hImageList, const UINT* pCommands, int nCount, CSize szIcon, int nState);
    // A "PNG" resource or a bitmap resource of that id, cut into images.
    BOOL SetIconsFromResource(UINT nIDResource, const UINT* pCommands, int nCount, CSize szIcon, int nState);
    // The toolbar resource's ids (separators dropped) and its bitmap (by default of the same id).
    BOOL SetIconsFromToolBar(UINT nIDToolBar, UINT nIDBitmap = 0, int nState = 0);
    // The entries of an icon group of that size (every entry for 0 x 0), else a single icon resource.
    BOOL SetIconFromResource(LPCSTR lpszResource, UINT nCommand, CSize szIcon, int nState = 0);
    BOOL SetIconFromFile(LPCSTR lpszFileName, UINT nCommand, CSize szIcon, int nState = 0);
    // The entries of icon-file bytes of that size (every entry for 0 x 0); untrusted input.
    BOOL SetIconFromIconFileData(const BYTE* pData, size_t nSize, UINT nCommand, CSize szIcon, int nState = 0);
    // Images of an image list for the ids from nBaseCommand on; bDestroy: the list goes with the manager.
    BOOL SetImageList(HIMAGELIST hImageList, UINT nBaseCommand, BOOL bDestroy = FALSE);
    void RemoveIcon(UINT nCommand);
    // Releases every icon set and image list. (A paint manager being made wants
    // RemoveDerivedImages, which keeps the icons.)
    void RemoveAll();
    // Empties every icon's faded, shadow and made-disabled images and lets go of
    // the icons made from image lists, so that they are made again in a new look;
    // the icon sets and image lists stay. The themes call this when a paint
    // manager is made (where they say RemoveAll).
    void RemoveDerivedImages();

    COLORREF SetMaskColor(COLORREF clrMask);
    COLORREF GetMaskColor() const { return m_clrMask; }
    void SetUseResources(BOOL bUseResources) { m_bUseResources = bUseResources; }
    BOOL IsUseResources() const { return m_bUseResources; }
    void SetMirrorMode(int nMirrorMode) { m_nMirrorMode = nMirrorMode; }
    int GetMirrorMode() const { return m_nMirrorMode; }
    // Whether drawing onto the DC is mirrored under the mirror mode.
    BOOL IsDrawMirrored(CDC* pDC) const;
    // GDI mirrors images on right-to-left DCs itself: the source must be
    // mirrored first when that and the mirror mode disagree.
    BOOL IsSourceFlipped(CDC* pDC) const;
    UINT GetHighestId() const { return m_nHighestId; }
    int GetIconSetCount() const { return static_cast<int>(m_iconSets.GetCount()); }

    // The shared strip of the size, made when missing.
    CKitImageManagerResource* GetResource(CSize szIcon);
    // The strip of the size, or null.
    CKitImageManagerResource* FindResource(CSize szIcon) const;

    // The icon sets through a property exchange ("IconSet" sections).
    void DoPropExchange(CKitPropExchange* pPX);
    // The property exchange over the archive.
    void Serialize(CArchive& ar) override;

    // A 32-bit DIB section cx wide and |cy| high whose rows run bottom-up for a
    // positive cy and top-down for a negative one (bits through ppBits), or null.
    static HBITMAP Create32BitDIBSection(HDC hDC, int cx, int cy, LPBYTE* ppBits = nullptr);
    // Per-pixel alpha blend of premultiplied source pixels; the theme pictures and
    // the command bars blend through this one (the system's blend where it suits
    // the target, else the software blend).
    static BOOL AlphaBlend(HDC hdcDest, const CRect& rcDest, HDC hdcSrc, const CRect& rcSrc);
    static BOOL TransparentBlt(HDC hdcDest, const CRect& rcDest, HDC hdcSrc, const CRect& rcSrc,
                               UINT crTransparent);
    static BOOL IsAlphaIconsSupported();
    static BOOL IsAlphaBitmapFile(LPCSTR lpszFileName);
    static BOOL IsPngBitmapFile(LPCSTR lpszFileName);
    static BOOL IsPngBitmapResource(HMODULE hModule, LPCSTR lpszName);
    static BOOL IsAlphaBitmapResource(HMODULE hModule, LPCSTR lpszName);
    // A 32-bit bitmap resource copied into a new DIB section, or null.
    static HBITMAP LoadAlphaBitmap(HMODULE hModule, LPCSTR lpszName);
    // A premultiplied copy of a 32-bit bitmap; *pbAlpha tells whether any pixel has alpha.
    static HBITMAP PreMultiplyAlphaBitmap(HBITMAP hBitmap, BOOL* pbAlpha = nullptr, LPBYTE* ppBits = nullptr);
    // A 32-bit copy of a bitmap, its pixels as they are.
    static HBITMAP CopyAlphaBitmap(HBITMAP hBitmap, LPBYTE* ppBits = nullptr);
    // The bitmap's pixels as 32-bit rows, top row first; empty when it cannot be read.
    static std::vector<DWORD> Read32BitPixels(HBITMAP hBitmap, CSize& szBitmap);
    // A new top-down 32-bit DIB of the pixels (top row first).
    static HBITMAP Create32BitBitmap(const DWORD* pPixels, CSize sz, LPBYTE* ppBits = nullptr);
    // Pairs each image of nImages with an id by the id-list rule; fn(image, id).
    template <class Fn>
    static void ForEachImageId(int nImages, const UINT* pCommands, int nCount, Fn fn)
    {
        if (pCommands == nullptr) {
            for (int i = 0; i < nImages; ++i)
                fn(i, static_cast<UINT>(i));
            return;
        }
        if (nCount == nImages) {
            for (int i = 0; i < nImages; ++i)
                fn(i, pCommands[i]);
            return;
        }
        int nImage = 0;
        for (int i = 0; i < nCount && nImage < nImages; ++i) {
            if (pCommands[i] == 0 || pCommands[i] == kPlaceholderId)
                continue;
            fn(nImage++, pCommands[i]);
        }
    }

private:
    friend class CKitImageManagerIconSet;
    static constexpr UINT kIconSetHashSize = 127;

    // The strip's alpha images, one 32-bit bitmap each.
    BOOL SetAlphaIconsFromBitmap(HBITMAP hBitmap, const UINT* pCommands, int nCount, CSize szIcon, int nState);
    // Icon image data (a DIB with its mask, or PNG) as an image of the id.
    BOOL SetIconFromImageData(const BYTE* pData, size_t nSize, UINT nCommand, int nState);
    void NoteId(UINT nCommand);
    // Lets every strip go; images still in use keep theirs alive.
    void ReleaseStrips();

    CMap<UINT, UINT, CKitImageManagerIconSet*, CKitImageManagerIconSet*> m_iconSets;
    std::vector<std::unique_ptr<CKitImageManagerImageList>> m_imageLists;
    std::vector<std::shared_ptr<CKitImageManagerResource>> m_resources;
    COLORREF m_clrMask;
    BOOL m_bUseResources;
    int m_nMirrorMode;
    UINT m_nHighestId;
};

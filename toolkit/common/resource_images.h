// CKitResourceImages, CKitResourceImage: theme bitmaps of a resource module described by an INI text, drawn in nine parts.
#pragma once

#include "framework/geometry.h"
#include "framework/msgmap.h"

#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

class CDC;
class CKitNotificationSourceMT;
class CKitResourceImages;

// The value of the key in the section of an INI text, trimmed and upper case;
// empty when there is none. Section and key match whatever their case.
CString KitFindIniValue(const char* pBegin, const char* pEnd, LPCSTR lpszSection, LPCSTR lpszKey);

// One loaded theme bitmap as 32-bit pixels.
class CKitResourceImage : public CCmdTarget {
    DECLARE_DYNAMIC(CKitResourceImage)
public:
    // Images larger than this in either direction are not drawn.
    static constexpr int kMaxDrawnSize = 512;

    explicit CKitResourceImage(CKitResourceImages* pOwner);
    ~CKitResourceImage() override;

    // A "PNG" or bitmap resource of the module.
    BOOL LoadFromResource(HMODULE hModule, LPCSTR lpszName);
    // Takes the bitmap (deleted afterwards); bAlpha: its pixels carry alpha.
    BOOL LoadFromBitmap(HBITMAP hBitmap, BOOL bAlpha);
    void PreMultiply();

    CSize GetExtent() const { return CSize(m_nWidth, m_nHeight); }
    int GetHeight() const { return m_nHeight; }
    BOOL IsAlpha() const { return m_bAlpha; }
    // Set before drawing to have the image alpha-blended (the themes do so); an
    // image whose pixels carry no alpha at all becomes opaque.
    void SetAlpha(BOOL bAlpha);
    BOOL IsPremultiplied() const { return m_bPremultiplied; }
    // Alpha images with it are mirrored to match a right-to-left device context.
    void SetRTLHandling(BOOL bRTLHandling) { m_bRTLHandling = bRTLHandling; }
    BOOL IsMirrored() const { return m_bMirrored; }
    // Reverses every pixel row; the mirrored flag flips.
    void Mirror();
    // Sub-image nIndex of a vertical strip of nCount images.
    CRect GetSource(int nIndex = 0, int nCount = 1) const;

    // The source part into the destination, the four margins unstretched.
    void DrawImage(CDC* pDC, const CRect& rcDest, const CRect& rcSrc, const CRect& rcSizingMargins = CRect(0, 0, 0, 0));
    void DrawImageWithoutMargins(CDC* pDC, const CRect& rcDest, const CRect& rcSrc)
    {
        DrawImage(pDC, rcDest, rcSrc, CRect(0, 0, 0, 0));
    }
    // As DrawImage, leaving out pixels of the transparent colour (for images without alpha).
    void DrawImageTransparent(CDC* pDC, const CRect& rcDest, const CRect& rcSrc, const CRect& rcSizingMargins,
                              COLORREF clrTransparent);
    // With flag bit 0, an image without alpha is drawn with the pixels of the
    // colour left fully transparent; without it, as DrawImageTransparent.
    void DrawImageAlphaKeyed(CDC* pDC, const CRect& rcDest, const CRect& rcSrc, const CRect& rcSizingMargins,
                             COLORREF clrTransparent, DWORD dwFlags);

private:
    void DrawPart(HDC hdcDest, const CRect& rcDest, HDC hdcSrc, const CRect& rcSrc) const;
    // The drawn bitmap made again from the pixels.
    void RebuildBitmap();

    CKitResourceImages* m_pOwner;
    std::vector<DWORD> m_pixels;
    HBITMAP m_hBitmap;
    BOOL m_bAlpha;
    BOOL m_bPremultiplied;
    BOOL m_bMirrored;
    BOOL m_bRTLHandling;
    int m_nWidth;
    int m_nHeight;
};

// The process-wide set of theme images of one resource module.
class CKitResourceImages : public CCmdTarget {
    DECLARE_DYNAMIC(CKitResourceImages)
public:
    // The process-wide set, made on first use over the program's resources; never null
    // (whether it holds a theme is IsValid). The standalone controls' themes ask
    // IsValid where their description says the set is null when none is loaded.
    static CKitResourceImages* Instance();

    CKitResourceImages();
    ~CKitResourceImages() override;

    // A new module and INI name ("." becomes "_"); the INI is loaded.
    BOOL SetHandle(HMODULE hModule, LPCSTR lpszIniName = nullptr, BOOL bFreeModule = FALSE);
    // Finds the INI text (TEXTFILE resource); TRUE when there is one.
    BOOL LoadIni();
    // The set holds a theme's description (INI text).
    BOOL IsValid() const { return m_pIniBegin != nullptr; }
    HMODULE GetModule() const { return m_hModule; }

    // The named image, loaded once; null when the module has none.
    CKitResourceImage* LoadImage(LPCSTR lpszImageName);
    // The INI value of the key in the section, upper case; empty when there is none.
    CString GetImageValue(LPCSTR lpszSection, LPCSTR lpszKey) const;
    COLORREF GetImageColor(LPCSTR lpszSection, LPCSTR lpszKey, COLORREF clrDefault = static_cast<COLORREF>(-1)) const;
    int GetImageInt(LPCSTR lpszSection, LPCSTR lpszKey, int nDefault = 0) const;
    CRect GetImageRect(LPCSTR lpszSection, LPCSTR lpszKey, const CRect& rcDefault = CRect(0, 0, 0, 0)) const;
    void RemoveAll();

    CRITICAL_SECTION* GetLock() { return &m_cs; }
    // The connection through which the set tells that its resources were (re)loaded; made on first use.
    CKitNotificationSourceMT* GetConnection();

private:
    HMODULE m_hModule;
    BOOL m_bFreeModule;
    CString m_strIniName;
    const char* m_pIniBegin;
    const char* m_pIniEnd;
    BOOL m_bPremultiply;
    CRITICAL_SECTION m_cs;
    // A name that maps to null records a failed load.
    std::map<std::string, CKitResourceImage*> m_images;
    CKitNotificationSourceMT* m_pConnection;
};

// CKitDrawHelpers, CKitBufferDC, CKitFontDC, CKitPenDC, CKitBrushDC, CKitCompatibleDC and the window-rectangle helpers: the toolkit's drawing services and scoped device-context selections.
#pragma once

#include "framework/gdi.h"
#include "framework/strings.h"

#include <windows.h>

class CKitPaintManagerColorGradient;
class CPaintDC;
class CWnd;

// The process-wide drawing helpers: gradients, colour arithmetic, right-to-left
// layout, fonts and a few window utilities.
class CKitDrawHelpers {
public:
    using GradientFillFn = BOOL(WINAPI*)(HDC, PTRIVERTEX, ULONG, PVOID, ULONG, ULONG);
    using AlphaBlendFn = BOOL(WINAPI*)(HDC, int, int, int, int, HDC, int, int, int, int, BLENDFUNCTION);
    using TransparentBltFn = BOOL(WINAPI*)(HDC, int, int, int, int, HDC, int, int, int, int, UINT);

    // The single helper object, made on first use.
    static CKitDrawHelpers* Instance();

    // Binds the "msimg32.dll" entry points (the library stays loaded).
    CKitDrawHelpers();
    virtual ~CKitDrawHelpers() = default;
    CKitDrawHelpers(const CKitDrawHelpers&) = delete;
    CKitDrawHelpers& operator=(const CKitDrawHelpers&) = delete;

    // A two-colour gradient over lpRect, left to right when bHorz, else top to bottom.
    void GradientFill(CDC* pDC, LPCRECT lpRect, COLORREF crFrom, COLORREF crTo, BOOL bHorz);
    // The part of the gradient of the whole rectangle that lies in lpClipRect (null: all of it).
    void GradientFillClipped(CDC* pDC, LPCRECT lpRect, COLORREF crFrom, COLORREF crTo, BOOL bHorz,
                             LPCRECT lpClipRect);
    // The gradient of grc's effective colours, through their blend at its factor.
    void FillColorGradient(CDC* pDC, LPCRECT lpRect, const CKitPaintManagerColorGradient& grc, BOOL bHorz,
                           LPCRECT lpClipRect = nullptr);

    // Per channel trunc(a·f + b·(1−f)), at most 255.
    static COLORREF BlendColors(COLORREF crA, COLORREF crB, double fFactor);
    // Hue, saturation and lightness on the scale of the system colour dialog
    // (0..239, 0..240, 0..240), packed in the low three bytes.
    static DWORD RGBtoHSL(COLORREF clr);
    static COLORREF HSLtoRGB(DWORD dwHSL);
    // Hue, saturation and lightness from 0 to 1.
    static COLORREF HSLtoRGB(double h, double s, double l);

    // Removes each '&'; of "&&" one remains.
    static void StripMnemonics(CString& strText);
    static void StripMnemonicsInPlace(LPSTR lpszText);

    static BOOL FontExists(LPCSTR lpszFaceName);
    // The face of the default GUI font, "Arial" or "Tahoma" (see the rules in the source).
    static void GetDefaultFontFaceName(CString& strFaceName, BOOL bPreferTahoma);
    // Makes sure the colour manager exists, then: the DC (0: the screen) has 8 or fewer bits per pixel.
    static BOOL IsLowResolution(HDC hDC = nullptr);
    // The foreground window is the last active popup of pWnd's top window.
    static BOOL IsTopParentActive(CWnd* pWnd);
    // A mouse button going down, in the client or the non-client area (what closes a popup clicked outside).
    static BOOL IsMouseButtonDown(UINT nMessage);
    static void GetWindowCaption(HWND hWnd, CString& strCaption);
    // The icon-title font with the resource manager's character set.
    static BOOL GetIconLogFont(LOGFONTA* pLogFont);
    static BOOL IsContextRTL(CDC* pDC);
    static BOOL IsContextRTL(HDC hDC);
    static void SetContextRTL(CDC* pDC, DWORD dwLayout);
    // For a right-to-left window, VK_LEFT and VK_RIGHT change places.
    static void KeyToLayout(HWND hWnd, UINT& nChar);
    static void Triangle(CDC* pDC, POINT pt0, POINT pt1, POINT pt2, COLORREF clr);
    // A class whose procedure is DefWindowProcA with the arrow cursor; TRUE when it is (or was) registered.
    static BOOL RegisterWndClass(HINSTANCE hInstance, LPCSTR lpszClassName, UINT nStyle, HICON hIcon = nullptr,
                                 HBRUSH hbrBackground = nullptr);
    // An icon of the bitmap, its top-left pixel's colour transparent; 0 for a null or empty bitmap.
    static HICON BitmapToIcon(HBITMAP hBitmap);

    // Entry points of "msimg32.dll", null when missing.
    GradientFillFn m_pfnFastGradientFill;
    AlphaBlendFn m_pfnAlphaBlend;
    TransparentBltFn m_pfnTransparentBlt;

private:
    HMODULE m_hMsImgDll;
};

CRect EmptyRect();
// Window or client rectangle; all zero when the window does not exist.
CRect WindowRectOfHandle(HWND hWnd);
CRect WindowRectOf(const CWnd* pWnd);
CRect ClientRectOf(const CWnd* pWnd);

// With a window: a mouse hook on this thread that, for a button press outside
// that window, focuses its owner (or parent) and eats the press. With null: removes it.
// The popups of the colour picker and of the command bars install their mouse hook with this.
void SetOutsideClickHook(CWnd* pWnd);
// The hook's procedure.
LRESULT CALLBACK OutsideClickHookProc(int nCode, WPARAM wParam, LPARAM lParam);

// A one-pixel checkerboard of button face (index 15) and highlight (index 20).
void FillDitherRect(CDC* pDC, LPCRECT lpRect);

// Draws into an off-screen bitmap that reaches from the origin to the
// rectangle's right and bottom (the destination's own coordinates) and copies
// the rectangle to the destination when it goes.
class CKitBufferDC : public CDC {
public:
    CKitBufferDC(HDC hDestDC, const CRect& rcPaint);
    // The paint rectangle of the paint DC, at least 1 by 1, clipped to it.
    explicit CKitBufferDC(CPaintDC& paintDC);
    ~CKitBufferDC() override;
    CKitBufferDC(const CKitBufferDC&) = delete;
    CKitBufferDC& operator=(const CKitBufferDC&) = delete;

    HDC GetDestinationDC() const { return m_hDestDC; }
    const CRect& GetRect() const { return m_rect; }

private:
    void Init(BOOL bFromPaint);

    HDC m_hDestDC;
    CBitmap m_bitmap;
    CRect m_rect;
    HGDIOBJ m_hOldBitmap;
};

// Selects fonts and a text colour for one scope; the first font and the colour it replaced come back.
class CKitFontDC {
public:
    explicit CKitFontDC(CDC* pDC, CFont* pFont = nullptr);
    CKitFontDC(CDC* pDC, CFont* pFont, COLORREF clrTextColor);
    virtual ~CKitFontDC();
    CKitFontDC(const CKitFontDC&) = delete;
    CKitFontDC& operator=(const CKitFontDC&) = delete;

    void SetFont(CFont* pFont);
    void SetColor(COLORREF clrTextColor);
    void ReleaseFont();

private:
    CDC* m_pDC;
    HGDIOBJ m_hOldFont;
    COLORREF m_clrOldTextColor;
};

// Selects a pen for one scope.
class CKitPenDC {
public:
    CKitPenDC(CDC* pDC, CPen* pPen);
    // A solid pen of width 1.
    CKitPenDC(HDC hDC, COLORREF clr);
    virtual ~CKitPenDC();
    CKitPenDC(const CKitPenDC&) = delete;
    CKitPenDC& operator=(const CKitPenDC&) = delete;

    void SetColor(COLORREF clr);

private:
    CPen m_pen;
    HDC m_hDC;
    HGDIOBJ m_hOldPen;
};

// Selects a solid brush for one scope.
class CKitBrushDC {
public:
    CKitBrushDC(HDC hDC, COLORREF clr);
    virtual ~CKitBrushDC();
    CKitBrushDC(const CKitBrushDC&) = delete;
    CKitBrushDC& operator=(const CKitBrushDC&) = delete;

private:
    CBrush m_brush;
    HDC m_hDC;
    HGDIOBJ m_hOldBrush;
};

// A memory DC compatible with a DC (the screen for null) with a bitmap selected for its lifetime.
class CKitCompatibleDC : public CDC {
public:
    CKitCompatibleDC(CDC* pDC, CBitmap* pBitmap);
    CKitCompatibleDC(CDC* pDC, HBITMAP hBitmap);
    ~CKitCompatibleDC() override;
    CKitCompatibleDC(const CKitCompatibleDC&) = delete;
    CKitCompatibleDC& operator=(const CKitCompatibleDC&) = delete;

private:
    HGDIOBJ m_hOldBitmap;
};

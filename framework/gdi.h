// CGdiObject, CPen, CBrush, CFont, CBitmap, CRgn, ScopedSelect, CDC, CPaintDC, CClientDC, CWindowDC: RAII GDI handles and device contexts.
#pragma once

#include "framework/geometry.h"
#include "framework/handles.h"
#include "framework/object.h"
#include "framework/strings.h"

class CDC;
class CWnd;

// Owns one GDI object handle (deleted when the wrapper goes); move-only.
// Attach takes ownership of a handle, Detach gives it up.
class CGdiObject : public CObject {
    DECLARE_DYNAMIC(CGdiObject)
public:
    CGdiObject() noexcept : m_hObject(nullptr) {}
    CGdiObject(CGdiObject&& other) noexcept : CObject(), m_hObject(other.Detach()) {}
    CGdiObject& operator=(CGdiObject&& other) noexcept;
    ~CGdiObject() override { DeleteObject(); }

    HGDIOBJ m_hObject;
    HGDIOBJ GetSafeHandle() const noexcept { return m_hObject; }
    operator HGDIOBJ() const noexcept { return m_hObject; }

    BOOL Attach(HGDIOBJ hObject);
    HGDIOBJ Detach() noexcept;
    BOOL DeleteObject();
    int GetObject(int nCount, LPVOID lpObject) const;
    // Wraps a stock object (deleting one does nothing).
    BOOL CreateStockObject(int nIndex);

    // A temporary, non-owning wrapper of hObject (freed at idle time), or null.
    static CGdiObject* FromHandle(HGDIOBJ hObject);
    static void DeleteTempMap();
};

class CPen : public CGdiObject {
    DECLARE_DYNAMIC(CPen)
public:
    CPen() = default;
    CPen(int nPenStyle, int nWidth, COLORREF crColor);
    CPen(CPen&&) noexcept = default;
    CPen& operator=(CPen&&) noexcept = default;
    operator HPEN() const noexcept { return static_cast<HPEN>(m_hObject); }
    BOOL CreatePen(int nPenStyle, int nWidth, COLORREF crColor);
    BOOL CreatePenIndirect(const LOGPEN* lpLogPen);
    static CPen* FromHandle(HPEN hPen);
};

class CBrush : public CGdiObject {
    DECLARE_DYNAMIC(CBrush)
public:
    CBrush() = default;
    explicit CBrush(COLORREF crColor);
    CBrush(CBrush&&) noexcept = default;
    CBrush& operator=(CBrush&&) noexcept = default;
    operator HBRUSH() const noexcept { return static_cast<HBRUSH>(m_hObject); }
    BOOL CreateSolidBrush(COLORREF crColor);
    BOOL CreateHatchBrush(int nIndex, COLORREF crColor);
    BOOL CreateSysColorBrush(int nIndex);
    static CBrush* FromHandle(HBRUSH hBrush);
};

class CFont : public CGdiObject {
    DECLARE_DYNAMIC(CFont)
public:
    CFont() = default;
    CFont(CFont&&) noexcept = default;
    CFont& operator=(CFont&&) noexcept = default;
    operator HFONT() const noexcept { return static_cast<HFONT>(m_hObject); }
    BOOL CreateFontIndirect(const LOGFONTA* lpLogFont);
    BOOL CreateFont(int nHeight, int nWidth, int nEscapement, int nOrientation, int nWeight, BYTE bItalic,
                    BYTE bUnderline, BYTE cStrikeOut, BYTE nCharSet, BYTE nOutPrecision, BYTE nClipPrecision,
                    BYTE nQuality, BYTE nPitchAndFamily, LPCSTR lpszFacename);
    // nPointSize in tenths of a point, for pDC (the screen when null).
    BOOL CreatePointFont(int nPointSize, LPCSTR lpszFaceName, CDC* pDC = nullptr);
    BOOL CreatePointFontIndirect(const LOGFONTA* lpLogFont, CDC* pDC = nullptr);
    int GetLogFont(LOGFONTA* pLogFont) const;
    static CFont* FromHandle(HFONT hFont);
};

class CBitmap : public CGdiObject {
    DECLARE_DYNAMIC(CBitmap)
public:
    CBitmap() = default;
    CBitmap(CBitmap&&) noexcept = default;
    CBitmap& operator=(CBitmap&&) noexcept = default;
    operator HBITMAP() const noexcept { return static_cast<HBITMAP>(m_hObject); }
    BOOL LoadBitmap(UINT nIDResource);
    BOOL LoadBitmap(LPCSTR lpszResourceName);
    BOOL CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitcount, const void* lpBits);
    BOOL CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight);
    int GetBitmap(BITMAP* pBitMap) const;
    CSize GetBitmapDimension() const;
    static CBitmap* FromHandle(HBITMAP hBitmap);
};

class CRgn : public CGdiObject {
    DECLARE_DYNAMIC(CRgn)
public:
    CRgn() = default;
    CRgn(CRgn&&) noexcept = default;
    CRgn& operator=(CRgn&&) noexcept = default;
    operator HRGN() const noexcept { return static_cast<HRGN>(m_hObject); }
    BOOL CreateRectRgn(int x1, int y1, int x2, int y2);
    BOOL CreateRectRgnIndirect(LPCRECT lpRect);
    BOOL CreateRoundRectRgn(int x1, int y1, int x2, int y2, int x3, int y3);
    BOOL CreateEllipticRgn(int x1, int y1, int x2, int y2);
    BOOL CreatePolygonRgn(const POINT* lpPoints, int nCount, int nPolyFillMode);
    int CombineRgn(const CRgn* pRgn1, const CRgn* pRgn2, int nCombineMode);
    BOOL PtInRegion(POINT point) const;
    static CRgn* FromHandle(HRGN hRgn);
};

// A device context. The wrapper owns its handle (DeleteDC) unless a derived
// class releases it another way; Attach/Detach hand ownership over.
class CDC : public CObject {
    DECLARE_DYNAMIC(CDC)
public:
    CDC() noexcept : m_hDC(nullptr) {}
    CDC(CDC&& other) noexcept : CObject(), m_hDC(other.Detach()) {}
    CDC& operator=(CDC&& other) noexcept;
    ~CDC() override;

    HDC m_hDC;
    operator HDC() const noexcept { return m_hDC; }
    HDC GetSafeHdc() const noexcept { return m_hDC; }

    BOOL Attach(HDC hDC);
    HDC Detach() noexcept;
    BOOL DeleteDC();
    BOOL CreateCompatibleDC(CDC* pDC);
    // A temporary, non-owning wrapper of hDC (freed at idle time), or null.
    static CDC* FromHandle(HDC hDC);
    static void DeleteTempMap();

    // Select returns the object it replaced as a temporary wrapper.
    CPen* SelectObject(CPen* pPen);
    CBrush* SelectObject(CBrush* pBrush);
    CFont* SelectObject(CFont* pFont);
    CBitmap* SelectObject(CBitmap* pBitmap);
    CGdiObject* SelectObject(CGdiObject* pObject);
    HGDIOBJ SelectObject(HGDIOBJ hObject);
    CGdiObject* SelectStockObject(int nIndex);
    int SelectClipRgn(CRgn* pRgn);
    int IntersectClipRect(LPCRECT lpRect);

    int SaveDC();
    BOOL RestoreDC(int nSavedDC);
    int GetDeviceCaps(int nIndex) const;

    COLORREF SetTextColor(COLORREF crColor);
    COLORREF GetTextColor() const;
    COLORREF SetBkColor(COLORREF crColor);
    COLORREF GetBkColor() const;
    int SetBkMode(int nBkMode);
    UINT SetTextAlign(UINT nFlags);

    BOOL TextOut(int x, int y, LPCSTR lpszString, int nCount);
    BOOL TextOut(int x, int y, const CString& str);
    int DrawText(LPCSTR lpszString, int nCount, LPRECT lpRect, UINT nFormat);
    int DrawText(const CString& str, LPRECT lpRect, UINT nFormat);
    BOOL ExtTextOut(int x, int y, UINT nOptions, LPCRECT lpRect, LPCSTR lpszString, UINT nCount,
                    LPINT lpDxWidths = nullptr);
    BOOL ExtTextOut(int x, int y, UINT nOptions, LPCRECT lpRect, const CString& str, LPINT lpDxWidths = nullptr);
    CSize GetTextExtent(LPCSTR lpszString, int nCount) const;
    CSize GetTextExtent(const CString& str) const;
    BOOL GetTextMetrics(LPTEXTMETRICA lpMetrics) const;

    void FillRect(LPCRECT lpRect, CBrush* pBrush);
    void FillSolidRect(LPCRECT lpRect, COLORREF clr);
    void FillSolidRect(int x, int y, int cx, int cy, COLORREF clr);
    void FrameRect(LPCRECT lpRect, CBrush* pBrush);
    BOOL Rectangle(int x1, int y1, int x2, int y2);
    BOOL Rectangle(LPCRECT lpRect);
    BOOL RoundRect(int x1, int y1, int x2, int y2, int x3, int y3);
    BOOL RoundRect(LPCRECT lpRect, POINT point);
    BOOL Ellipse(int x1, int y1, int x2, int y2);
    BOOL Ellipse(LPCRECT lpRect);
    CPoint MoveTo(int x, int y);
    CPoint MoveTo(POINT point);
    BOOL LineTo(int x, int y);
    BOOL LineTo(POINT point);
    BOOL Polygon(const POINT* lpPoints, int nCount);
    BOOL Polyline(const POINT* lpPoints, int nCount);
    BOOL FillRgn(CRgn* pRgn, CBrush* pBrush);
    BOOL FrameRgn(CRgn* pRgn, CBrush* pBrush, int nWidth, int nHeight);
    COLORREF SetPixel(int x, int y, COLORREF crColor);
    COLORREF GetPixel(int x, int y) const;
    BOOL BitBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, DWORD dwRop);
    BOOL StretchBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, int nSrcWidth,
                    int nSrcHeight, DWORD dwRop);
    int SetStretchBltMode(int nStretchMode);
    BOOL DrawEdge(LPRECT lpRect, UINT nEdge, UINT nFlags);
    void Draw3dRect(LPCRECT lpRect, COLORREF clrTopLeft, COLORREF clrBottomRight);
    void Draw3dRect(int x, int y, int cx, int cy, COLORREF clrTopLeft, COLORREF clrBottomRight);
    void DrawFocusRect(LPCRECT lpRect);
    BOOL DrawIcon(int x, int y, HICON hIcon);
    BOOL PatBlt(int x, int y, int nWidth, int nHeight, DWORD dwRop);
    BOOL DrawFrameControl(LPRECT lpRect, UINT nType, UINT nState);
    int GetClipBox(LPRECT lpRect) const;

    // Mapping modes and origins.
    int SetMapMode(int nMapMode);
    CPoint SetWindowOrg(int x, int y);
    CPoint OffsetWindowOrg(int nWidth, int nHeight);
    CPoint SetViewportOrg(int x, int y);
    CSize SetWindowExt(int cx, int cy);
    CSize SetViewportExt(int cx, int cy);

    // Printing: a document of pages on a printer DC.
    int StartDoc(LPCSTR lpszDocName);
    int StartDoc(LPDOCINFOA lpDocInfo);
    int StartPage();
    int EndPage();
    int EndDoc();
    int AbortDoc();
    // TRUE while the DC draws for a printer (set by whoever runs the print job).
    BOOL IsPrinting() const noexcept { return m_bPrinting; }

    BOOL m_bPrinting = FALSE;

protected:
    // Gives up the handle without deleting it (derived classes release it their own way).
    HDC ReleaseHandle() noexcept { return Detach(); }
};

// The DC of a WM_PAINT: BeginPaint in the constructor, EndPaint in the destructor.
class CPaintDC : public CDC {
    DECLARE_DYNAMIC(CPaintDC)
public:
    explicit CPaintDC(CWnd* pWnd);
    ~CPaintDC() override;
    CPaintDC(const CPaintDC&) = delete;
    CPaintDC& operator=(const CPaintDC&) = delete;

    PAINTSTRUCT m_ps;

private:
    HWND m_hWnd;
};

// The client area's DC: GetDC / ReleaseDC.
class CClientDC : public CDC {
    DECLARE_DYNAMIC(CClientDC)
public:
    explicit CClientDC(CWnd* pWnd);
    ~CClientDC() override;
    CClientDC(const CClientDC&) = delete;
    CClientDC& operator=(const CClientDC&) = delete;

private:
    HWND m_hWnd;
};

// The whole window's DC: GetWindowDC / ReleaseDC.
class CWindowDC : public CDC {
    DECLARE_DYNAMIC(CWindowDC)
public:
    explicit CWindowDC(CWnd* pWnd);
    ~CWindowDC() override;
    CWindowDC(const CWindowDC&) = delete;
    CWindowDC& operator=(const CWindowDC&) = delete;

private:
    HWND m_hWnd;
};

// Selects a GDI object into a DC for one scope and puts the old one back.
class ScopedSelect : public ScopedSelectObject {
public:
    ScopedSelect(CDC& dc, HGDIOBJ hObject) : ScopedSelectObject(dc.m_hDC, hObject) {}
    ScopedSelect(CDC& dc, const CGdiObject& object) : ScopedSelect(dc, object.m_hObject) {}
};

// A cursor made of data resource nID of hInstance: the hot spot (two 16-bit values) followed by the image, as a
// cursor resource holds it. Cursors are kept as data because the linker cannot merge the cursor resources of
// two resource scripts (a program's own and the toolkit's) into one program. Null when it cannot be made; the
// caller destroys it.
HCURSOR CreateCursorFromData(HINSTANCE hInstance, UINT nID);

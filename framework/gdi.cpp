#include "framework/gdi.h"

#include "framework/wnd.h"
#include "framework/winapp.h"

#include <map>
#include <memory>
#include <utility>

IMPLEMENT_DYNAMIC(CGdiObject, CObject)
IMPLEMENT_DYNAMIC(CPen, CGdiObject)
IMPLEMENT_DYNAMIC(CBrush, CGdiObject)
IMPLEMENT_DYNAMIC(CFont, CGdiObject)
IMPLEMENT_DYNAMIC(CBitmap, CGdiObject)
IMPLEMENT_DYNAMIC(CRgn, CGdiObject)
IMPLEMENT_DYNAMIC(CDC, CObject)
IMPLEMENT_DYNAMIC(CPaintDC, CDC)
IMPLEMENT_DYNAMIC(CClientDC, CDC)
IMPLEMENT_DYNAMIC(CWindowDC, CDC)

namespace {

// Points per inch, and tenths of a point per inch, for point-size fonts.
constexpr int kTenthPointsPerInch = 720;

// Temporary wrappers handed out by FromHandle, one map per wrapper type; they
// never own their handles and are freed by DeleteTempMap.
template <class T, class Handle>
class TempWrappers {
public:
    T* Get(Handle h)
    {
        if (h == nullptr)
            return nullptr;
        std::unique_ptr<T>& slot = m_objects[h];
        if (!slot) {
            slot.reset(new T);
            slot->Attach(h);
        }
        return slot.get();
    }
    void Clear()
    {
        for (auto& entry : m_objects)
            entry.second->Detach();
        m_objects.clear();
    }
    ~TempWrappers() { Clear(); }

private:
    std::map<Handle, std::unique_ptr<T>> m_objects;
};

TempWrappers<CGdiObject, HGDIOBJ> g_tempObjects;
TempWrappers<CPen, HPEN> g_tempPens;
TempWrappers<CBrush, HBRUSH> g_tempBrushes;
TempWrappers<CFont, HFONT> g_tempFonts;
TempWrappers<CBitmap, HBITMAP> g_tempBitmaps;
TempWrappers<CRgn, HRGN> g_tempRegions;
TempWrappers<CDC, HDC> g_tempDCs;

} // namespace

// CGdiObject

CGdiObject& CGdiObject::operator=(CGdiObject&& other) noexcept
{
    if (this != &other)
        Attach(other.Detach());
    return *this;
}

BOOL CGdiObject::Attach(HGDIOBJ hObject)
{
    DeleteObject();
    m_hObject = hObject;
    return hObject != nullptr;
}

HGDIOBJ CGdiObject::Detach() noexcept
{
    return std::exchange(m_hObject, nullptr);
}

BOOL CGdiObject::DeleteObject()
{
    if (m_hObject == nullptr)
        return FALSE;
    return ::DeleteObject(std::exchange(m_hObject, nullptr));
}

int CGdiObject::GetObject(int nCount, LPVOID lpObject) const
{
    return ::GetObjectA(m_hObject, nCount, lpObject);
}

BOOL CGdiObject::CreateStockObject(int nIndex)
{
    return Attach(::GetStockObject(nIndex));
}

CGdiObject* CGdiObject::FromHandle(HGDIOBJ hObject)
{
    return g_tempObjects.Get(hObject);
}

void CGdiObject::DeleteTempMap()
{
    g_tempObjects.Clear();
    g_tempPens.Clear();
    g_tempBrushes.Clear();
    g_tempFonts.Clear();
    g_tempBitmaps.Clear();
    g_tempRegions.Clear();
}

// CPen, CBrush

CPen::CPen(int nPenStyle, int nWidth, COLORREF crColor)
{
    CreatePen(nPenStyle, nWidth, crColor);
}

BOOL CPen::CreatePen(int nPenStyle, int nWidth, COLORREF crColor)
{
    return Attach(::CreatePen(nPenStyle, nWidth, crColor));
}

BOOL CPen::CreatePenIndirect(const LOGPEN* lpLogPen)
{
    return Attach(::CreatePenIndirect(lpLogPen));
}

CPen* CPen::FromHandle(HPEN hPen)
{
    return g_tempPens.Get(hPen);
}

CBrush::CBrush(COLORREF crColor)
{
    CreateSolidBrush(crColor);
}

BOOL CBrush::CreateSolidBrush(COLORREF crColor)
{
    return Attach(::CreateSolidBrush(crColor));
}

BOOL CBrush::CreateHatchBrush(int nIndex, COLORREF crColor)
{
    return Attach(::CreateHatchBrush(nIndex, crColor));
}

BOOL CBrush::CreateSysColorBrush(int nIndex)
{
    // System colour brushes are shared: deleting them does nothing.
    return Attach(::GetSysColorBrush(nIndex));
}

CBrush* CBrush::FromHandle(HBRUSH hBrush)
{
    return g_tempBrushes.Get(hBrush);
}

// CFont

BOOL CFont::CreateFontIndirect(const LOGFONTA* lpLogFont)
{
    return Attach(::CreateFontIndirectA(lpLogFont));
}

BOOL CFont::CreateFont(int nHeight, int nWidth, int nEscapement, int nOrientation, int nWeight, BYTE bItalic,
                       BYTE bUnderline, BYTE cStrikeOut, BYTE nCharSet, BYTE nOutPrecision, BYTE nClipPrecision,
                       BYTE nQuality, BYTE nPitchAndFamily, LPCSTR lpszFacename)
{
    return Attach(::CreateFontA(nHeight, nWidth, nEscapement, nOrientation, nWeight, bItalic, bUnderline, cStrikeOut,
                                nCharSet, nOutPrecision, nClipPrecision, nQuality, nPitchAndFamily, lpszFacename));
}

BOOL CFont::CreatePointFont(int nPointSize, LPCSTR lpszFaceName, CDC* pDC)
{
    LOGFONTA logFont = {};
    logFont.lfCharSet = DEFAULT_CHARSET;
    logFont.lfHeight = nPointSize;
    lstrcpynA(logFont.lfFaceName, lpszFaceName != nullptr ? lpszFaceName : "", LF_FACESIZE);
    return CreatePointFontIndirect(&logFont, pDC);
}

BOOL CFont::CreatePointFontIndirect(const LOGFONTA* lpLogFont, CDC* pDC)
{
    HDC hDC = pDC != nullptr ? pDC->m_hDC : ::GetDC(nullptr);
    LOGFONTA logFont = *lpLogFont;
    logFont.lfHeight = -::MulDiv(lpLogFont->lfHeight, ::GetDeviceCaps(hDC, LOGPIXELSY), kTenthPointsPerInch);
    if (pDC == nullptr)
        ::ReleaseDC(nullptr, hDC);
    return CreateFontIndirect(&logFont);
}

int CFont::GetLogFont(LOGFONTA* pLogFont) const
{
    return ::GetObjectA(m_hObject, sizeof(LOGFONTA), pLogFont);
}

CFont* CFont::FromHandle(HFONT hFont)
{
    return g_tempFonts.Get(hFont);
}

// CBitmap

BOOL CBitmap::LoadBitmap(UINT nIDResource)
{
    return Attach(::LoadBitmapA(AfxGetResourceHandle(), MAKEINTRESOURCEA(nIDResource)));
}

BOOL CBitmap::LoadBitmap(LPCSTR lpszResourceName)
{
    return Attach(::LoadBitmapA(AfxGetResourceHandle(), lpszResourceName));
}

BOOL CBitmap::CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitcount, const void* lpBits)
{
    return Attach(::CreateBitmap(nWidth, nHeight, nPlanes, nBitcount, lpBits));
}

BOOL CBitmap::CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight)
{
    return Attach(::CreateCompatibleBitmap(pDC->m_hDC, nWidth, nHeight));
}

int CBitmap::GetBitmap(BITMAP* pBitMap) const
{
    return ::GetObjectA(m_hObject, sizeof(BITMAP), pBitMap);
}

CSize CBitmap::GetBitmapDimension() const
{
    SIZE size = {0, 0};
    ::GetBitmapDimensionEx(static_cast<HBITMAP>(m_hObject), &size);
    return size;
}

CBitmap* CBitmap::FromHandle(HBITMAP hBitmap)
{
    return g_tempBitmaps.Get(hBitmap);
}

// CRgn

BOOL CRgn::CreateRectRgn(int x1, int y1, int x2, int y2)
{
    return Attach(::CreateRectRgn(x1, y1, x2, y2));
}

BOOL CRgn::CreateRectRgnIndirect(LPCRECT lpRect)
{
    return Attach(::CreateRectRgnIndirect(lpRect));
}

BOOL CRgn::CreateRoundRectRgn(int x1, int y1, int x2, int y2, int x3, int y3)
{
    return Attach(::CreateRoundRectRgn(x1, y1, x2, y2, x3, y3));
}

BOOL CRgn::CreateEllipticRgn(int x1, int y1, int x2, int y2)
{
    return Attach(::CreateEllipticRgn(x1, y1, x2, y2));
}

BOOL CRgn::CreatePolygonRgn(const POINT* lpPoints, int nCount, int nPolyFillMode)
{
    return Attach(::CreatePolygonRgn(lpPoints, nCount, nPolyFillMode));
}

int CRgn::CombineRgn(const CRgn* pRgn1, const CRgn* pRgn2, int nCombineMode)
{
    return ::CombineRgn(static_cast<HRGN>(m_hObject), static_cast<HRGN>(pRgn1->m_hObject),
                        pRgn2 != nullptr ? static_cast<HRGN>(pRgn2->m_hObject) : nullptr, nCombineMode);
}

BOOL CRgn::PtInRegion(POINT point) const
{
    return ::PtInRegion(static_cast<HRGN>(m_hObject), point.x, point.y);
}

CRgn* CRgn::FromHandle(HRGN hRgn)
{
    return g_tempRegions.Get(hRgn);
}

// CDC

CDC& CDC::operator=(CDC&& other) noexcept
{
    if (this != &other)
        Attach(other.Detach());
    return *this;
}

CDC::~CDC()
{
    DeleteDC();
}

BOOL CDC::Attach(HDC hDC)
{
    DeleteDC();
    m_hDC = hDC;
    return hDC != nullptr;
}

HDC CDC::Detach() noexcept
{
    return std::exchange(m_hDC, nullptr);
}

BOOL CDC::DeleteDC()
{
    if (m_hDC == nullptr)
        return FALSE;
    return ::DeleteDC(std::exchange(m_hDC, nullptr));
}

BOOL CDC::CreateCompatibleDC(CDC* pDC)
{
    return Attach(::CreateCompatibleDC(pDC != nullptr ? pDC->m_hDC : nullptr));
}

CDC* CDC::FromHandle(HDC hDC)
{
    return g_tempDCs.Get(hDC);
}

void CDC::DeleteTempMap()
{
    g_tempDCs.Clear();
}

CPen* CDC::SelectObject(CPen* pPen)
{
    return CPen::FromHandle(static_cast<HPEN>(::SelectObject(m_hDC, pPen->m_hObject)));
}

CBrush* CDC::SelectObject(CBrush* pBrush)
{
    return CBrush::FromHandle(static_cast<HBRUSH>(::SelectObject(m_hDC, pBrush->m_hObject)));
}

CFont* CDC::SelectObject(CFont* pFont)
{
    return CFont::FromHandle(static_cast<HFONT>(::SelectObject(m_hDC, pFont->m_hObject)));
}

CBitmap* CDC::SelectObject(CBitmap* pBitmap)
{
    return CBitmap::FromHandle(static_cast<HBITMAP>(::SelectObject(m_hDC, pBitmap->m_hObject)));
}

CGdiObject* CDC::SelectObject(CGdiObject* pObject)
{
    return CGdiObject::FromHandle(::SelectObject(m_hDC, pObject->m_hObject));
}

HGDIOBJ CDC::SelectObject(HGDIOBJ hObject)
{
    return ::SelectObject(m_hDC, hObject);
}

CGdiObject* CDC::SelectStockObject(int nIndex)
{
    return CGdiObject::FromHandle(::SelectObject(m_hDC, ::GetStockObject(nIndex)));
}

int CDC::SelectClipRgn(CRgn* pRgn)
{
    return ::SelectClipRgn(m_hDC, pRgn != nullptr ? static_cast<HRGN>(pRgn->m_hObject) : nullptr);
}

int CDC::IntersectClipRect(LPCRECT lpRect)
{
    return ::IntersectClipRect(m_hDC, lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
}

int CDC::SaveDC()
{
    return ::SaveDC(m_hDC);
}

BOOL CDC::RestoreDC(int nSavedDC)
{
    return ::RestoreDC(m_hDC, nSavedDC);
}

int CDC::GetDeviceCaps(int nIndex) const
{
    return ::GetDeviceCaps(m_hDC, nIndex);
}

COLORREF CDC::SetTextColor(COLORREF crColor)
{
    return ::SetTextColor(m_hDC, crColor);
}

COLORREF CDC::GetTextColor() const
{
    return ::GetTextColor(m_hDC);
}

COLORREF CDC::SetBkColor(COLORREF crColor)
{
    return ::SetBkColor(m_hDC, crColor);
}

COLORREF CDC::GetBkColor() const
{
    return ::GetBkColor(m_hDC);
}

int CDC::SetBkMode(int nBkMode)
{
    return ::SetBkMode(m_hDC, nBkMode);
}

UINT CDC::SetTextAlign(UINT nFlags)
{
    return ::SetTextAlign(m_hDC, nFlags);
}

BOOL CDC::TextOut(int x, int y, LPCSTR lpszString, int nCount)
{
    return ::TextOutA(m_hDC, x, y, lpszString, nCount);
}

BOOL CDC::TextOut(int x, int y, const CString& str)
{
    return TextOut(x, y, str, str.GetLength());
}

int CDC::DrawText(LPCSTR lpszString, int nCount, LPRECT lpRect, UINT nFormat)
{
    // DT_MODIFYSTRING would write past a read-only text; it is not honoured.
    return ::DrawTextA(m_hDC, lpszString, nCount, lpRect, nFormat & ~DT_MODIFYSTRING);
}

int CDC::DrawText(const CString& str, LPRECT lpRect, UINT nFormat)
{
    return DrawText(str, str.GetLength(), lpRect, nFormat);
}

BOOL CDC::ExtTextOut(int x, int y, UINT nOptions, LPCRECT lpRect, LPCSTR lpszString, UINT nCount, LPINT lpDxWidths)
{
    return ::ExtTextOutA(m_hDC, x, y, nOptions, lpRect, lpszString, nCount, lpDxWidths);
}

BOOL CDC::ExtTextOut(int x, int y, UINT nOptions, LPCRECT lpRect, const CString& str, LPINT lpDxWidths)
{
    return ExtTextOut(x, y, nOptions, lpRect, str, static_cast<UINT>(str.GetLength()), lpDxWidths);
}

CSize CDC::GetTextExtent(LPCSTR lpszString, int nCount) const
{
    SIZE size = {0, 0};
    ::GetTextExtentPoint32A(m_hDC, lpszString, nCount, &size);
    return size;
}

CSize CDC::GetTextExtent(const CString& str) const
{
    return GetTextExtent(str, str.GetLength());
}

BOOL CDC::GetTextMetrics(LPTEXTMETRICA lpMetrics) const
{
    return ::GetTextMetricsA(m_hDC, lpMetrics);
}

void CDC::FillRect(LPCRECT lpRect, CBrush* pBrush)
{
    ::FillRect(m_hDC, lpRect, static_cast<HBRUSH>(pBrush->m_hObject));
}

void CDC::FillSolidRect(LPCRECT lpRect, COLORREF clr)
{
    const COLORREF old = ::SetBkColor(m_hDC, clr);
    ::ExtTextOutA(m_hDC, 0, 0, ETO_OPAQUE, lpRect, nullptr, 0, nullptr);
    ::SetBkColor(m_hDC, old);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF clr)
{
    const CRect rect(x, y, x + cx, y + cy);
    FillSolidRect(&rect, clr);
}

void CDC::FrameRect(LPCRECT lpRect, CBrush* pBrush)
{
    ::FrameRect(m_hDC, lpRect, static_cast<HBRUSH>(pBrush->m_hObject));
}

BOOL CDC::Rectangle(int x1, int y1, int x2, int y2)
{
    return ::Rectangle(m_hDC, x1, y1, x2, y2);
}

BOOL CDC::Rectangle(LPCRECT lpRect)
{
    return Rectangle(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
}

BOOL CDC::RoundRect(int x1, int y1, int x2, int y2, int x3, int y3)
{
    return ::RoundRect(m_hDC, x1, y1, x2, y2, x3, y3);
}

BOOL CDC::RoundRect(LPCRECT lpRect, POINT point)
{
    return RoundRect(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom, point.x, point.y);
}

BOOL CDC::Ellipse(int x1, int y1, int x2, int y2)
{
    return ::Ellipse(m_hDC, x1, y1, x2, y2);
}

BOOL CDC::Ellipse(LPCRECT lpRect)
{
    return Ellipse(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
}

CPoint CDC::MoveTo(int x, int y)
{
    POINT previous = {0, 0};
    ::MoveToEx(m_hDC, x, y, &previous);
    return previous;
}

CPoint CDC::MoveTo(POINT point)
{
    return MoveTo(point.x, point.y);
}

BOOL CDC::LineTo(int x, int y)
{
    return ::LineTo(m_hDC, x, y);
}

BOOL CDC::LineTo(POINT point)
{
    return LineTo(point.x, point.y);
}

BOOL CDC::Polygon(const POINT* lpPoints, int nCount)
{
    return ::Polygon(m_hDC, lpPoints, nCount);
}

BOOL CDC::FillRgn(CRgn* pRgn, CBrush* pBrush)
{
    return ::FillRgn(m_hDC, static_cast<HRGN>(pRgn->GetSafeHandle()), static_cast<HBRUSH>(pBrush->GetSafeHandle()));
}

BOOL CDC::FrameRgn(CRgn* pRgn, CBrush* pBrush, int nWidth, int nHeight)
{
    return ::FrameRgn(m_hDC, static_cast<HRGN>(pRgn->GetSafeHandle()), static_cast<HBRUSH>(pBrush->GetSafeHandle()),
                      nWidth, nHeight);
}

BOOL CDC::Polyline(const POINT* lpPoints, int nCount)
{
    return ::Polyline(m_hDC, lpPoints, nCount);
}

COLORREF CDC::SetPixel(int x, int y, COLORREF crColor)
{
    return ::SetPixel(m_hDC, x, y, crColor);
}

COLORREF CDC::GetPixel(int x, int y) const
{
    return ::GetPixel(m_hDC, x, y);
}

BOOL CDC::BitBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, DWORD dwRop)
{
    return ::BitBlt(m_hDC, x, y, nWidth, nHeight, pSrcDC != nullptr ? pSrcDC->m_hDC : nullptr, xSrc, ySrc, dwRop);
}

BOOL CDC::StretchBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, int nSrcWidth,
                     int nSrcHeight, DWORD dwRop)
{
    return ::StretchBlt(m_hDC, x, y, nWidth, nHeight, pSrcDC != nullptr ? pSrcDC->m_hDC : nullptr, xSrc, ySrc,
                        nSrcWidth, nSrcHeight, dwRop);
}

int CDC::SetStretchBltMode(int nStretchMode)
{
    return ::SetStretchBltMode(m_hDC, nStretchMode);
}

BOOL CDC::DrawEdge(LPRECT lpRect, UINT nEdge, UINT nFlags)
{
    return ::DrawEdge(m_hDC, lpRect, nEdge, nFlags);
}

void CDC::Draw3dRect(LPCRECT lpRect, COLORREF clrTopLeft, COLORREF clrBottomRight)
{
    Draw3dRect(lpRect->left, lpRect->top, lpRect->right - lpRect->left, lpRect->bottom - lpRect->top, clrTopLeft,
               clrBottomRight);
}

void CDC::Draw3dRect(int x, int y, int cx, int cy, COLORREF clrTopLeft, COLORREF clrBottomRight)
{
    FillSolidRect(x, y, cx - 1, 1, clrTopLeft);
    FillSolidRect(x, y, 1, cy - 1, clrTopLeft);
    FillSolidRect(x + cx, y, -1, cy, clrBottomRight);
    FillSolidRect(x, y + cy, cx, -1, clrBottomRight);
}

void CDC::DrawFocusRect(LPCRECT lpRect)
{
    ::DrawFocusRect(m_hDC, lpRect);
}

BOOL CDC::DrawIcon(int x, int y, HICON hIcon)
{
    return ::DrawIcon(m_hDC, x, y, hIcon);
}

BOOL CDC::PatBlt(int x, int y, int nWidth, int nHeight, DWORD dwRop)
{
    return ::PatBlt(m_hDC, x, y, nWidth, nHeight, dwRop);
}

BOOL CDC::DrawFrameControl(LPRECT lpRect, UINT nType, UINT nState)
{
    return ::DrawFrameControl(m_hDC, lpRect, nType, nState);
}

int CDC::GetClipBox(LPRECT lpRect) const
{
    return ::GetClipBox(m_hDC, lpRect);
}

int CDC::SetMapMode(int nMapMode)
{
    return ::SetMapMode(m_hDC, nMapMode);
}

CPoint CDC::SetWindowOrg(int x, int y)
{
    POINT previous = {};
    ::SetWindowOrgEx(m_hDC, x, y, &previous);
    return CPoint(previous);
}

CPoint CDC::OffsetWindowOrg(int nWidth, int nHeight)
{
    POINT previous = {};
    ::OffsetWindowOrgEx(m_hDC, nWidth, nHeight, &previous);
    return CPoint(previous);
}

CPoint CDC::SetViewportOrg(int x, int y)
{
    POINT previous = {};
    ::SetViewportOrgEx(m_hDC, x, y, &previous);
    return CPoint(previous);
}

CSize CDC::SetWindowExt(int cx, int cy)
{
    SIZE previous = {};
    ::SetWindowExtEx(m_hDC, cx, cy, &previous);
    return CSize(previous);
}

CSize CDC::SetViewportExt(int cx, int cy)
{
    SIZE previous = {};
    ::SetViewportExtEx(m_hDC, cx, cy, &previous);
    return CSize(previous);
}

int CDC::StartDoc(LPCSTR lpszDocName)
{
    DOCINFOA info = {};
    info.cbSize = sizeof info;
    info.lpszDocName = lpszDocName;
    return StartDoc(&info);
}

int CDC::StartDoc(LPDOCINFOA lpDocInfo)
{
    return ::StartDocA(m_hDC, lpDocInfo);
}

int CDC::StartPage()
{
    return ::StartPage(m_hDC);
}

int CDC::EndPage()
{
    return ::EndPage(m_hDC);
}

int CDC::EndDoc()
{
    return ::EndDoc(m_hDC);
}

int CDC::AbortDoc()
{
    return ::AbortDoc(m_hDC);
}

// CPaintDC, CClientDC, CWindowDC

CPaintDC::CPaintDC(CWnd* pWnd) : m_ps(), m_hWnd(pWnd->m_hWnd)
{
    Attach(::BeginPaint(m_hWnd, &m_ps));
}

CPaintDC::~CPaintDC()
{
    if (ReleaseHandle() != nullptr)
        ::EndPaint(m_hWnd, &m_ps);
}

CClientDC::CClientDC(CWnd* pWnd) : m_hWnd(pWnd != nullptr ? pWnd->m_hWnd : nullptr)
{
    Attach(::GetDC(m_hWnd));
}

CClientDC::~CClientDC()
{
    if (HDC hDC = ReleaseHandle())
        ::ReleaseDC(m_hWnd, hDC);
}

CWindowDC::CWindowDC(CWnd* pWnd) : m_hWnd(pWnd != nullptr ? pWnd->m_hWnd : nullptr)
{
    Attach(::GetWindowDC(m_hWnd));
}

CWindowDC::~CWindowDC()
{
    if (HDC hDC = ReleaseHandle())
        ::ReleaseDC(m_hWnd, hDC);
}

HCURSOR CreateCursorFromData(HINSTANCE hInstance, UINT nID)
{
    // The format version of icon and cursor images that CreateIconFromResourceEx takes.
    constexpr DWORD kIconFormatVersion = 0x00030000;
    const HRSRC found = ::FindResourceA(hInstance, MAKEINTRESOURCEA(nID), RT_RCDATA);
    const HGLOBAL loaded = found != nullptr ? ::LoadResource(hInstance, found) : nullptr;
    auto* bytes = loaded != nullptr ? static_cast<BYTE*>(::LockResource(loaded)) : nullptr;
    if (bytes == nullptr)
        return nullptr;
    return static_cast<HCURSOR>(::CreateIconFromResourceEx(bytes, ::SizeofResource(hInstance, found), FALSE,
                                                            kIconFormatVersion, 0, 0, LR_DEFAULTCOLOR));
}

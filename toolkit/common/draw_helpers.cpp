#include "toolkit/common/draw_helpers.h"

#include "framework/winapp.h"
#include "framework/wnd.h"
#include "toolkit/common/color_manager.h"
#include "toolkit/common/resources.h"
#include "toolkit/common/system.h"

#include <commctrl.h>

#include <algorithm>
#include <cmath>

namespace {

constexpr int kDitherSize = 8;

// GetLayout and SetLayout of GDI32, looked up on first use.
using GetLayoutFn = DWORD(WINAPI*)(HDC);
using SetLayoutFn = DWORD(WINAPI*)(HDC, DWORD);

template <class Fn>
Fn LateBoundGdi(const char* name)
{
    static bool lookedUp = false;
    static Fn function = nullptr;
    if (!lookedUp) {
        lookedUp = true;
        if (HMODULE gdi = ::GetModuleHandleA("GDI32.DLL"))
            function = reinterpret_cast<Fn>(::GetProcAddress(gdi, name));
    }
    return function;
}

GetLayoutFn GetLayoutEntry()
{
    return LateBoundGdi<GetLayoutFn>("GetLayout");
}

SetLayoutFn SetLayoutEntry()
{
    return LateBoundGdi<SetLayoutFn>("SetLayout");
}

// The outside-click hook: its handle and the window it watches.
struct OutsideClickHook {
    HHOOK hook = nullptr;
    HWND window = nullptr;
};

OutsideClickHook& ClickHook()
{
    static OutsideClickHook state;
    return state;
}

// The TRIVERTEX channel of a colour channel.
COLOR16 VertexChannel(BYTE channel)
{
    return static_cast<COLOR16>(channel << 8);
}

BOOL CALLBACK FontFamilyProc(const LOGFONTA* font, const TEXTMETRICA*, DWORD, LPARAM lParam)
{
    auto* search = reinterpret_cast<std::pair<LPCSTR, bool>*>(lParam);
    if (lstrcmpiA(font->lfFaceName, search->first) == 0) {
        search->second = true;
        return FALSE;
    }
    return TRUE;
}

} // namespace

CKitDrawHelpers* CKitDrawHelpers::Instance()
{
    static CKitDrawHelpers helpers;
    return &helpers;
}

CKitDrawHelpers::CKitDrawHelpers()
    : m_pfnFastGradientFill(nullptr), m_pfnAlphaBlend(nullptr), m_pfnTransparentBlt(nullptr),
      m_hMsImgDll(::LoadLibraryA("msimg32.dll"))
{
    if (m_hMsImgDll == nullptr)
        return;
    m_pfnFastGradientFill = reinterpret_cast<GradientFillFn>(::GetProcAddress(m_hMsImgDll, "GradientFill"));
    m_pfnAlphaBlend = reinterpret_cast<AlphaBlendFn>(::GetProcAddress(m_hMsImgDll, "AlphaBlend"));
    m_pfnTransparentBlt = reinterpret_cast<TransparentBltFn>(::GetProcAddress(m_hMsImgDll, "TransparentBlt"));
}

void CKitDrawHelpers::GradientFill(CDC* pDC, LPCRECT lpRect, COLORREF crFrom, COLORREF crTo, BOOL bHorz)
{
    if (pDC == nullptr || lpRect == nullptr || ::IsRectEmpty(lpRect))
        return;
    const CRect rect(lpRect);
    if (IsLowResolution(pDC->m_hDC) || crFrom == crTo) {
        pDC->FillSolidRect(rect, crFrom);
        return;
    }
    if (m_pfnFastGradientFill != nullptr && !(IsContextRTL(pDC) && CKitOsVersion::Instance()->IsWin9x())) {
        TRIVERTEX vertices[2] = {
            {rect.left, rect.top, VertexChannel(GetRValue(crFrom)), VertexChannel(GetGValue(crFrom)),
             VertexChannel(GetBValue(crFrom)), 0},
            {rect.right, rect.bottom, VertexChannel(GetRValue(crTo)), VertexChannel(GetGValue(crTo)),
             VertexChannel(GetBValue(crTo)), 0},
        };
        GRADIENT_RECT gradient = {0, 1};
        m_pfnFastGradientFill(pDC->m_hDC, vertices, 2, &gradient, 1,
                              bHorz ? GRADIENT_FILL_RECT_H : GRADIENT_FILL_RECT_V);
        return;
    }
    // Bands of one pixel, only inside the clip box.
    const int width = std::max(1, static_cast<int>(rect.Width()));
    const int height = std::max(1, static_cast<int>(rect.Height()));
    CRect area;
    if (::GetClipBox(pDC->m_hDC, &area) == NULLREGION || area.IsRectEmpty())
        area = rect;
    else
        area.IntersectRect(area, rect);
    if (bHorz) {
        for (int x = area.left; x < area.right; ++x) {
            const COLORREF color = BlendColors(crFrom, crTo, 1.0 - double(x - rect.left) / width);
            pDC->FillSolidRect(x, area.top, 1, area.Height(), color);
        }
    } else {
        for (int y = area.top; y < area.bottom; ++y) {
            const COLORREF color = BlendColors(crFrom, crTo, 1.0 - double(y - rect.top) / height);
            pDC->FillSolidRect(area.left, y, area.Width(), 1, color);
        }
    }
}

void CKitDrawHelpers::GradientFillClipped(CDC* pDC, LPCRECT lpRect, COLORREF crFrom, COLORREF crTo, BOOL bHorz,
                                          LPCRECT lpClipRect)
{
    if (lpClipRect == nullptr || lpRect == nullptr) {
        GradientFill(pDC, lpRect, crFrom, crTo, bHorz);
        return;
    }
    // The edges along the gradient (start, end) and across it.
    LONG RECT::*start = bHorz ? &RECT::left : &RECT::top;
    LONG RECT::*end = bHorz ? &RECT::right : &RECT::bottom;
    LONG RECT::*acrossStart = bHorz ? &RECT::top : &RECT::left;
    LONG RECT::*acrossEnd = bHorz ? &RECT::bottom : &RECT::right;
    const RECT& whole = *lpRect;
    const RECT& clip = *lpClipRect;
    if (whole.*end <= clip.*start || whole.*start >= clip.*end)
        return;
    CRect part(lpRect);
    part.*acrossStart = std::max(whole.*acrossStart, clip.*acrossStart);
    part.*acrossEnd = std::min(whole.*acrossEnd, clip.*acrossEnd);
    const double span = whole.*end - whole.*start;
    COLORREF from = crFrom;
    COLORREF to = crTo;
    if (whole.*start < clip.*start) {
        part.*start = clip.*start;
        from = BlendColors(crFrom, crTo, (whole.*end - clip.*start) / span);
    }
    if (whole.*end > clip.*end) {
        part.*end = clip.*end;
        to = BlendColors(crFrom, crTo, (whole.*end - clip.*end) / span);
    }
    GradientFill(pDC, part, from, to, bHorz);
}

void CKitDrawHelpers::FillColorGradient(CDC* pDC, LPCRECT lpRect, const CKitPaintManagerColorGradient& grc,
                                        BOOL bHorz, LPCRECT lpClipRect)
{
    const COLORREF from = grc.clrLight;
    const COLORREF to = grc.clrDark;
    if (grc.fGradientFactor == 0.5) {
        GradientFillClipped(pDC, lpRect, from, to, bHorz, lpClipRect);
        return;
    }
    const COLORREF middle = BlendColors(from, to, grc.fGradientFactor);
    CRect first(lpRect);
    CRect second(lpRect);
    if (bHorz) {
        first.right = first.right - first.Width() / 2;
        second.left = first.right;
    } else {
        first.bottom = first.bottom - first.Height() / 2;
        second.top = first.bottom;
    }
    GradientFillClipped(pDC, first, from, middle, bHorz, lpClipRect);
    GradientFillClipped(pDC, second, middle, to, bHorz, lpClipRect);
}

COLORREF CKitDrawHelpers::BlendColors(COLORREF crA, COLORREF crB, double fFactor)
{
    auto blend = [fFactor](int a, int b) {
        return std::min(255, static_cast<int>(a * fFactor + b * (1.0 - fFactor)));
    };
    return RGB(blend(GetRValue(crA), GetRValue(crB)), blend(GetGValue(crA), GetGValue(crB)),
               blend(GetBValue(crA), GetBValue(crB)));
}

void CKitDrawHelpers::StripMnemonics(CString& strText)
{
    if (strText.Find('&') < 0)
        return;
    LPSTR buffer = strText.GetBuffer();
    StripMnemonicsInPlace(buffer);
    strText.ReleaseBuffer();
}

void CKitDrawHelpers::StripMnemonicsInPlace(LPSTR lpszText)
{
    if (lpszText == nullptr || lpszText == LPSTR_TEXTCALLBACKA)
        return;
    char* out = lpszText;
    for (const char* in = lpszText; *in != '\0'; ++in) {
        if (*in == '&') {
            if (in[1] != '&')
                continue;
            ++in;
        }
        *out++ = *in;
    }
    *out = '\0';
}

BOOL CKitDrawHelpers::FontExists(LPCSTR lpszFaceName)
{
    if (lpszFaceName == nullptr || *lpszFaceName == '\0')
        return FALSE;
    LOGFONTA font = {};
    font.lfCharSet = DEFAULT_CHARSET;
    lstrcpynA(font.lfFaceName, lpszFaceName, LF_FACESIZE);
    std::pair<LPCSTR, bool> search(lpszFaceName, false);
    HDC screen = ::GetDC(nullptr);
    ::EnumFontFamiliesExA(screen, &font, reinterpret_cast<FONTENUMPROCA>(FontFamilyProc),
                          reinterpret_cast<LPARAM>(&search), 0);
    ::ReleaseDC(nullptr, screen);
    return search.second;
}

void CKitDrawHelpers::GetDefaultFontFaceName(CString& strFaceName, BOOL bPreferTahoma)
{
    LOGFONTA stock = {};
    ::GetObjectA(::GetStockObject(DEFAULT_GUI_FONT), sizeof(stock), &stock);
    const CKitOsVersion* version = CKitOsVersion::Instance();
    if (stock.lfCharSet > SYMBOL_CHARSET && version->GetInfo().dwPlatformId == VER_PLATFORM_WIN32_NT &&
        version->GetInfo().dwMajorVersion >= 5 && lstrcmpiA(stock.lfFaceName, "MS Shell Dlg") != 0) {
        strFaceName = stock.lfFaceName;
        return;
    }
    if (!FontExists("Arial"))
        strFaceName = stock.lfFaceName;
    else if (bPreferTahoma && FontExists("Tahoma"))
        strFaceName = "Tahoma";
    else
        strFaceName = "Arial";
}

BOOL CKitDrawHelpers::IsLowResolution(HDC hDC)
{
    return CKitColorManager::Instance()->IsLowResolution(hDC);
}

BOOL CKitDrawHelpers::IsTopParentActive(CWnd* pWnd)
{
    if (pWnd == nullptr || !::IsWindow(pWnd->m_hWnd))
        return FALSE;
    HWND top = pWnd->m_hWnd;
    while (HWND parent = ::GetParent(top))
        top = parent;
    return ::GetForegroundWindow() == ::GetLastActivePopup(top);
}

BOOL CKitDrawHelpers::IsMouseButtonDown(UINT nMessage)
{
    switch (nMessage) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_NCMBUTTONDOWN:
        return TRUE;
    default:
        return FALSE;
    }
}

void CKitDrawHelpers::GetWindowCaption(HWND hWnd, CString& strCaption)
{
    strCaption.Empty();
    const int length = ::GetWindowTextLengthA(hWnd);
    if (length <= 0)
        return;
    LPSTR buffer = strCaption.GetBuffer(length + 1);
    const int copied = ::GetWindowTextA(hWnd, buffer, length + 1);
    strCaption.ReleaseBuffer(copied > 0 ? copied : 0);
}

BOOL CKitDrawHelpers::GetIconLogFont(LOGFONTA* pLogFont)
{
    ::SystemParametersInfoA(SPI_GETICONTITLELOGFONT, sizeof(LOGFONTA), pLogFont, 0);
    pLogFont->lfCharSet = CKitResourceManager::Instance()->GetFontCharset();
    return TRUE;
}

BOOL CKitDrawHelpers::IsContextRTL(CDC* pDC)
{
    return pDC != nullptr && IsContextRTL(pDC->m_hDC);
}

BOOL CKitDrawHelpers::IsContextRTL(HDC hDC)
{
    GetLayoutFn getLayout = GetLayoutEntry();
    return hDC != nullptr && getLayout != nullptr && (getLayout(hDC) & LAYOUT_RTL) != 0;
}

void CKitDrawHelpers::SetContextRTL(CDC* pDC, DWORD dwLayout)
{
    SetLayoutFn setLayout = SetLayoutEntry();
    if (pDC != nullptr && setLayout != nullptr)
        setLayout(pDC->m_hDC, dwLayout);
}

void CKitDrawHelpers::KeyToLayout(HWND hWnd, UINT& nChar)
{
    if (hWnd == nullptr || !::IsWindow(hWnd) || (::GetWindowLongA(hWnd, GWL_EXSTYLE) & WS_EX_LAYOUTRTL) == 0)
        return;
    if (nChar == VK_LEFT)
        nChar = VK_RIGHT;
    else if (nChar == VK_RIGHT)
        nChar = VK_LEFT;
}

void CKitDrawHelpers::Triangle(CDC* pDC, POINT pt0, POINT pt1, POINT pt2, COLORREF clr)
{
    CKitPenDC pen(pDC->m_hDC, clr);
    CKitBrushDC brush(pDC->m_hDC, clr);
    const POINT points[3] = {pt0, pt1, pt2};
    pDC->Polygon(points, 3);
}

BOOL CKitDrawHelpers::RegisterWndClass(HINSTANCE hInstance, LPCSTR lpszClassName, UINT nStyle, HICON hIcon,
                                       HBRUSH hbrBackground)
{
    WNDCLASSA windowClass = {};
    windowClass.hInstance = hInstance != nullptr ? hInstance : AfxGetInstanceHandle();
    if (::GetClassInfoA(windowClass.hInstance, lpszClassName, &windowClass))
        return TRUE;
    windowClass.style = nStyle;
    windowClass.lpfnWndProc = ::DefWindowProcA;
    windowClass.hIcon = hIcon;
    windowClass.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = hbrBackground;
    windowClass.lpszClassName = lpszClassName;
    return ::RegisterClassA(&windowClass) != 0;
}

HICON CKitDrawHelpers::BitmapToIcon(HBITMAP hBitmap)
{
    BITMAP info = {};
    if (hBitmap == nullptr || ::GetObjectA(hBitmap, sizeof(info), &info) == 0 || info.bmWidth <= 0 ||
        info.bmHeight <= 0)
        return nullptr;
    // The image list may change the masked pixels: it gets a copy.
    HBITMAP copy = static_cast<HBITMAP>(::CopyImage(hBitmap, IMAGE_BITMAP, 0, 0, 0));
    if (copy == nullptr)
        return nullptr;
    HDC screen = ::GetDC(nullptr);
    HDC memory = ::CreateCompatibleDC(screen);
    HGDIOBJ old = ::SelectObject(memory, copy);
    const COLORREF mask = ::GetPixel(memory, 0, 0);
    ::SelectObject(memory, old);
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);

    HICON icon = nullptr;
    if (HIMAGELIST images = ::ImageList_Create(info.bmWidth, info.bmHeight, ILC_COLOR24 | ILC_MASK, 1, 0)) {
        if (::ImageList_AddMasked(images, copy, mask) >= 0)
            icon = ::ImageList_GetIcon(images, 0, ILD_NORMAL);
        ::ImageList_Destroy(images);
    }
    ::DeleteObject(copy);
    return icon;
}

CRect EmptyRect()
{
    return CRect(0, 0, 0, 0);
}

CRect WindowRectOfHandle(HWND hWnd)
{
    CRect rect(0, 0, 0, 0);
    if (hWnd != nullptr && ::IsWindow(hWnd))
        ::GetWindowRect(hWnd, &rect);
    return rect;
}

CRect WindowRectOf(const CWnd* pWnd)
{
    return WindowRectOfHandle(pWnd != nullptr ? pWnd->m_hWnd : nullptr);
}

CRect ClientRectOf(const CWnd* pWnd)
{
    CRect rect(0, 0, 0, 0);
    if (pWnd != nullptr && ::IsWindow(pWnd->m_hWnd))
        ::GetClientRect(pWnd->m_hWnd, &rect);
    return rect;
}

void SetOutsideClickHook(CWnd* pWnd)
{
    OutsideClickHook& state = ClickHook();
    if (pWnd == nullptr) {
        if (state.hook != nullptr)
            ::UnhookWindowsHookEx(state.hook);
        state = OutsideClickHook();
        return;
    }
    if (state.hook == nullptr)
        state.hook = ::SetWindowsHookExA(WH_MOUSE, OutsideClickHookProc, nullptr, ::GetCurrentThreadId());
    state.window = pWnd->m_hWnd;
}

LRESULT CALLBACK OutsideClickHookProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    const OutsideClickHook& state = ClickHook();
    if (nCode == HC_ACTION && state.window != nullptr && lParam != 0) {
        const auto* mouse = reinterpret_cast<const MOUSEHOOKSTRUCT*>(lParam);
        if (CKitDrawHelpers::IsMouseButtonDown(static_cast<UINT>(wParam)) && !WindowRectOfHandle(state.window).PtInRect(mouse->pt)) {
            HWND owner = ::GetWindow(state.window, GW_OWNER);
            ::SetFocus(owner != nullptr ? owner : ::GetParent(state.window));
            return 1;
        }
    }
    return ::CallNextHookEx(state.hook, nCode, wParam, lParam);
}

void FillDitherRect(CDC* pDC, LPCRECT lpRect)
{
    // Rows of a monochrome bitmap are padded to 16 bits.
    const WORD rows[kDitherSize] = {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA};
    HBITMAP pattern = ::CreateBitmap(kDitherSize, kDitherSize, 1, 1, rows);
    HBRUSH brush = ::CreatePatternBrush(pattern);
    HDC hDC = pDC->m_hDC;
    HGDIOBJ oldBrush = ::SelectObject(hDC, brush);
    const CKitColorManager* colors = CKitColorManager::Instance();
    const COLORREF oldBack = ::SetBkColor(hDC, colors->GetColor(COLOR_BTNFACE));
    const COLORREF oldText = ::SetTextColor(hDC, colors->GetColor(COLOR_BTNHIGHLIGHT));
    ::PatBlt(hDC, lpRect->left, lpRect->top, lpRect->right - lpRect->left, lpRect->bottom - lpRect->top, PATCOPY);
    ::SelectObject(hDC, oldBrush);
    ::SetBkColor(hDC, oldBack);
    ::SetTextColor(hDC, oldText);
    ::DeleteObject(brush);
    ::DeleteObject(pattern);
}

CKitBufferDC::CKitBufferDC(HDC hDestDC, const CRect& rcPaint)
    : m_hDestDC(hDestDC), m_rect(rcPaint), m_hOldBitmap(nullptr)
{
    Init(FALSE);
}

CKitBufferDC::CKitBufferDC(CPaintDC& paintDC)
    : m_hDestDC(paintDC.m_hDC), m_rect(paintDC.m_ps.rcPaint), m_hOldBitmap(nullptr)
{
    Init(TRUE);
}

void CKitBufferDC::Init(BOOL bFromPaint)
{
    HDC memory = ::CreateCompatibleDC(m_hDestDC);
    if (memory == nullptr)
        return;
    Attach(memory);
    const int width = std::max(1, static_cast<int>(m_rect.right));
    const int height = std::max(1, static_cast<int>(m_rect.bottom));
    m_bitmap.Attach(::CreateCompatibleBitmap(m_hDestDC, width, height));
    if (m_bitmap.m_hObject != nullptr)
        m_hOldBitmap = ::SelectObject(m_hDC, m_bitmap.m_hObject);
    if (bFromPaint) {
        HRGN clip = ::CreateRectRgnIndirect(&m_rect);
        ::SelectClipRgn(m_hDC, clip);
        ::DeleteObject(clip);
    }
}

CKitBufferDC::~CKitBufferDC()
{
    if (m_hDC == nullptr)
        return;
    if (m_hDestDC != nullptr && m_bitmap.m_hObject != nullptr)
        ::BitBlt(m_hDestDC, m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), m_hDC, m_rect.left, m_rect.top,
                 SRCCOPY);
    if (m_hOldBitmap != nullptr)
        ::SelectObject(m_hDC, m_hOldBitmap);
}

CKitFontDC::CKitFontDC(CDC* pDC, CFont* pFont) : m_pDC(pDC), m_hOldFont(nullptr), m_clrOldTextColor(CLR_INVALID)
{
    if (pFont != nullptr)
        SetFont(pFont);
}

CKitFontDC::CKitFontDC(CDC* pDC, CFont* pFont, COLORREF clrTextColor) : CKitFontDC(pDC, pFont)
{
    SetColor(clrTextColor);
}

CKitFontDC::~CKitFontDC()
{
    ReleaseFont();
}

void CKitFontDC::SetFont(CFont* pFont)
{
    if (m_pDC == nullptr || pFont == nullptr)
        return;
    HGDIOBJ replaced = ::SelectObject(m_pDC->m_hDC, pFont->m_hObject);
    if (m_hOldFont == nullptr && replaced != HGDI_ERROR)
        m_hOldFont = replaced;
}

void CKitFontDC::SetColor(COLORREF clrTextColor)
{
    if (m_pDC == nullptr)
        return;
    const COLORREF replaced = ::SetTextColor(m_pDC->m_hDC, clrTextColor);
    if (m_clrOldTextColor == CLR_INVALID)
        m_clrOldTextColor = replaced;
}

void CKitFontDC::ReleaseFont()
{
    if (m_pDC == nullptr)
        return;
    if (m_hOldFont != nullptr)
        ::SelectObject(m_pDC->m_hDC, m_hOldFont);
    if (m_clrOldTextColor != CLR_INVALID)
        ::SetTextColor(m_pDC->m_hDC, m_clrOldTextColor);
    m_hOldFont = nullptr;
    m_clrOldTextColor = CLR_INVALID;
}

CKitPenDC::CKitPenDC(CDC* pDC, CPen* pPen) : m_hDC(pDC->m_hDC), m_hOldPen(nullptr)
{
    if (pPen != nullptr)
        m_hOldPen = ::SelectObject(m_hDC, pPen->m_hObject);
}

CKitPenDC::CKitPenDC(HDC hDC, COLORREF clr) : m_pen(PS_SOLID, 1, clr), m_hDC(hDC), m_hOldPen(nullptr)
{
    if (m_pen.m_hObject != nullptr)
        m_hOldPen = ::SelectObject(m_hDC, m_pen.m_hObject);
}

CKitPenDC::~CKitPenDC()
{
    if (m_hOldPen != nullptr)
        ::SelectObject(m_hDC, m_hOldPen);
}

void CKitPenDC::SetColor(COLORREF clr)
{
    if (m_hOldPen != nullptr)
        ::SelectObject(m_hDC, m_hOldPen);
    m_pen.DeleteObject();
    m_pen.CreatePen(PS_SOLID, 1, clr);
    HGDIOBJ replaced = ::SelectObject(m_hDC, m_pen.m_hObject);
    if (m_hOldPen == nullptr)
        m_hOldPen = replaced;
}

CKitBrushDC::CKitBrushDC(HDC hDC, COLORREF clr) : m_brush(clr), m_hDC(hDC), m_hOldBrush(nullptr)
{
    if (m_brush.m_hObject != nullptr)
        m_hOldBrush = ::SelectObject(m_hDC, m_brush.m_hObject);
}

CKitBrushDC::~CKitBrushDC()
{
    if (m_hOldBrush != nullptr)
        ::SelectObject(m_hDC, m_hOldBrush);
}

CKitCompatibleDC::CKitCompatibleDC(CDC* pDC, CBitmap* pBitmap)
    : CKitCompatibleDC(pDC, pBitmap != nullptr ? static_cast<HBITMAP>(pBitmap->m_hObject) : nullptr)
{
}

CKitCompatibleDC::CKitCompatibleDC(CDC* pDC, HBITMAP hBitmap) : m_hOldBitmap(nullptr)
{
    HDC memory = ::CreateCompatibleDC(pDC != nullptr ? pDC->m_hDC : nullptr);
    if (memory == nullptr)
        return;
    Attach(memory);
    if (hBitmap != nullptr)
        m_hOldBitmap = ::SelectObject(m_hDC, hBitmap);
}

CKitCompatibleDC::~CKitCompatibleDC()
{
    if (m_hDC != nullptr && m_hOldBitmap != nullptr)
        ::SelectObject(m_hDC, m_hOldBitmap);
}

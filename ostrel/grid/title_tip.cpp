// The title tip: placement over a clipped cell, hiding when the mouse leaves, passing input on.
#include "ostrel/grid/title_tip.h"

IMPLEMENT_DYNAMIC(CTitleTip, CWnd)

BEGIN_MESSAGE_MAP(CTitleTip, CWnd)
    ON_WM_MOUSEMOVE()
    ON_WM_PAINT()
END_MESSAGE_MAP()

namespace {

constexpr char kTitleTipClassName[] = "ZTitleTip";

void RegisterTitleTipClass()
{
    static bool registered = false;
    if (registered)
        return;
    WNDCLASSA wc = {};
    HINSTANCE hInstance = ::GetModuleHandleA(nullptr);
    if (!::GetClassInfoA(hInstance, kTitleTipClassName, &wc)) {
        wc.style = CS_SAVEBITS;
        wc.lpfnWndProc = ::DefWindowProcA;
        wc.hInstance = hInstance;
        wc.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_INFOBK + 1);
        wc.lpszClassName = kTitleTipClassName;
        ::RegisterClassA(&wc);
    }
    registered = true;
}

// The non-client form of a button message.
UINT NonClientMessage(UINT message)
{
    return message - WM_LBUTTONDOWN + WM_NCLBUTTONDOWN;
}

} // namespace

CTitleTip::CTitleTip() : m_dwDblClickMsecs(::GetDoubleClickTime())
{
    RegisterTitleTipClass();
}

CTitleTip::~CTitleTip()
{
    DestroyWindow();
}

BOOL CTitleTip::Create(CWnd* pParentWnd)
{
    if (m_bCreated)
        return TRUE;
    m_pParentWnd = pParentWnd;
    m_bCreated = CreateEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, kTitleTipClassName, nullptr, WS_POPUP | WS_BORDER, 0, 0,
                          0, 0, pParentWnd != nullptr ? pParentWnd->m_hWnd : nullptr, nullptr);
    return m_bCreated;
}

BOOL CTitleTip::DestroyWindow()
{
    m_bCreated = FALSE;
    if (m_hWnd == nullptr)
        return FALSE;
    return CWnd::DestroyWindow();
}

void CTitleTip::Show(CRect rectTitle, LPCSTR lpszTitleText, int xoffset, LPCRECT lpHoverRect,
                     const LOGFONTA* lpLogFont, COLORREF crTextClr, COLORREF crBackClr)
{
    if (!m_bCreated || m_hWnd == nullptr || rectTitle.IsRectEmpty() || IsWindowVisible() || ::GetFocus() == nullptr)
        return;

    m_rectHover = lpHoverRect != nullptr ? CRect(lpHoverRect) : rectTitle;
    m_rectHover.right++;
    m_rectHover.bottom++;
    m_pParentWnd->ClientToScreen(&m_rectHover);
    ScreenToClient(&m_rectHover);

    m_strText = CString(" ") + lpszTitleText + " ";
    m_crText = crTextClr;
    m_crBack = crBackClr;
    m_font.DeleteObject();
    if (lpLogFont != nullptr)
        m_font.CreateFontIndirect(lpLogFont);

    CSize size;
    {
        CClientDC dc(this);
        HGDIOBJ hFont = m_font.m_hObject != nullptr ? m_font.m_hObject
                                                    : reinterpret_cast<HGDIOBJ>(m_pParentWnd->SendMessage(WM_GETFONT));
        ScopedSelect keepFont(dc, hFont);
        size = dc.GetTextExtent(m_strText);
        TEXTMETRICA metrics = {};
        dc.GetTextMetrics(&metrics);
        size.cx += metrics.tmOverhang;
    }

    CRect rectDisplay = rectTitle;
    m_pParentWnd->ClientToScreen(&rectDisplay);
    rectDisplay.left += xoffset;
    rectDisplay.right = rectDisplay.left + size.cx + xoffset;
    if (rectDisplay.Width() <= rectTitle.Width())
        return;

    SetWindowPos(nullptr, rectDisplay.left, rectDisplay.top, rectDisplay.Width(), rectDisplay.Height(),
                 SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOZORDER);
    ::SetWindowPos(m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    UpdateWindow();
    SetCapture();
}

void CTitleTip::Hide()
{
    if (m_hWnd == nullptr)
        return;
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    ShowWindow(SW_HIDE);
}

void CTitleTip::OnPaint()
{
    CPaintDC dc(this);
    CRect rect;
    GetClientRect(&rect);
    if (m_crBack != CLR_DEFAULT)
        dc.FillSolidRect(&rect, m_crBack);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(m_crText != CLR_DEFAULT ? m_crText : ::GetSysColor(COLOR_INFOTEXT));
    HGDIOBJ hFont = m_font.m_hObject != nullptr ? m_font.m_hObject
                                                : reinterpret_cast<HGDIOBJ>(m_pParentWnd->SendMessage(WM_GETFONT));
    ScopedSelect keepFont(dc, hFont);
    dc.TextOut(0, 0, m_strText);
}

void CTitleTip::OnMouseMove(UINT nFlags, CPoint point)
{
    if (!m_rectHover.PtInRect(point))
        Hide();

    ClientToScreen(&point);
    HWND hTarget = ::WindowFromPoint(point);
    if (hTarget == nullptr || hTarget == m_hWnd)
        hTarget = m_pParentWnd->m_hWnd;
    const LRESULT hitTest = ::SendMessageA(hTarget, WM_NCHITTEST, 0, MAKELPARAM(point.x, point.y));
    if (hitTest == HTCLIENT) {
        ::ScreenToClient(hTarget, &point);
        ::PostMessageA(hTarget, WM_MOUSEMOVE, nFlags, MAKELPARAM(point.x, point.y));
    } else {
        ::PostMessageA(hTarget, WM_NCMOUSEMOVE, static_cast<WPARAM>(hitTest), MAKELPARAM(point.x, point.y));
    }
}

void CTitleTip::RepostButton(UINT message, WPARAM wParam, LPARAM lParam)
{
    Hide();
    POINT point = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    ClientToScreen(&point);
    HWND hTarget = ::WindowFromPoint(point);
    if (hTarget == nullptr || hTarget == m_hWnd)
        hTarget = m_pParentWnd->m_hWnd;
    if (message == WM_LBUTTONDOWN) {
        const DWORD now = ::GetTickCount();
        if (m_dwLastLButtonDown != static_cast<DWORD>(-1) && now - m_dwLastLButtonDown <= m_dwDblClickMsecs)
            message = WM_LBUTTONDBLCLK;
        m_dwLastLButtonDown = now;
    }
    const LRESULT hitTest = ::SendMessageA(hTarget, WM_NCHITTEST, 0, MAKELPARAM(point.x, point.y));
    if (hitTest == HTCLIENT) {
        ::ScreenToClient(hTarget, &point);
        ::PostMessageA(hTarget, message, wParam, MAKELPARAM(point.x, point.y));
    } else {
        ::PostMessageA(hTarget, NonClientMessage(message), static_cast<WPARAM>(hitTest),
                       MAKELPARAM(point.x, point.y));
    }
}

LRESULT CTitleTip::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        Hide();
        if (m_pParentWnd != nullptr)
            m_pParentWnd->PostMessage(message, wParam, lParam);
        return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        RepostButton(message, wParam, lParam);
        return 0;
    default:
        break;
    }
    if (::GetFocus() == nullptr && message != WM_PAINT && message != WM_NCPAINT && message != WM_ERASEBKGND)
        Hide();
    return CWnd::WindowProc(message, wParam, lParam);
}

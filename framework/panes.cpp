#include "framework/panes.h"

#include "framework/frame.h"
#include "framework/gdi.h"
#include "framework/module.h"
#include "framework/winapp.h"

#include <algorithm>

// CMFCVisualManager

IMPLEMENT_DYNCREATE(CMFCVisualManager, CObject)
IMPLEMENT_DYNCREATE(CMFCVisualManagerWindows, CMFCVisualManager)

namespace {

CRuntimeClass* s_defaultManager = nullptr;

// Horizontal padding of a menu bar item around its text.
constexpr int kMenuItemPadding = 8;
constexpr int kMenuBarHeight = 22;
// Caption of a docking pane and the gap on its inner side.
constexpr int kPaneInnerGap = 4;

HFONT GuiFont()
{
    return static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
}

} // namespace

void CMFCVisualManager::SetDefaultManager(CRuntimeClass* pRTI)
{
    s_defaultManager = pRTI;
}

CRuntimeClass* CMFCVisualManager::GetDefaultManager()
{
    return s_defaultManager;
}

// CMFCMenuBar

IMPLEMENT_DYNAMIC(CMFCMenuBar, CControlBar)

namespace {

// The rectangles of the menu bar's items, from the left.
std::vector<CRect> MenuItemRects(HWND hWnd, HMENU hMenu)
{
    std::vector<CRect> rects;
    HDC hdc = ::GetDC(hWnd);
    HGDIOBJ old = ::SelectObject(hdc, GuiFont());
    CRect client;
    ::GetClientRect(hWnd, &client);
    int x = 2;
    const int count = hMenu != nullptr ? ::GetMenuItemCount(hMenu) : 0;
    for (int i = 0; i < count; ++i) {
        char text[128] = {};
        ::GetMenuStringA(hMenu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
        RECT measure = {0, 0, 0, 0};
        ::DrawTextA(hdc, text, -1, &measure, DT_SINGLELINE | DT_CALCRECT);
        const int width = measure.right + 2 * kMenuItemPadding;
        rects.emplace_back(x, 1, x + width, client.bottom - 1);
        x += width;
    }
    ::SelectObject(hdc, old);
    ::ReleaseDC(hWnd, hdc);
    return rects;
}

int MenuItemAt(HWND hWnd, HMENU hMenu, CPoint point)
{
    const std::vector<CRect> rects = MenuItemRects(hWnd, hMenu);
    for (size_t i = 0; i < rects.size(); ++i)
        if (rects[i].PtInRect(point))
            return static_cast<int>(i);
    return -1;
}

// Window procedure of the menu bar: draws the items and opens their popups.
LRESULT CALLBACK MenuBarProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* bar = DYNAMIC_DOWNCAST(CMFCMenuBar, CWnd::FromHandlePermanent(hWnd));
    HMENU hMenu = bar != nullptr ? bar->GetHMenu() : nullptr;
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC hdc = ::BeginPaint(hWnd, &paint);
        CRect client;
        ::GetClientRect(hWnd, &client);
        ::SetBkColor(hdc, ::GetSysColor(COLOR_BTNFACE));
        ::ExtTextOutA(hdc, 0, 0, ETO_OPAQUE, &client, nullptr, 0, nullptr);
        HGDIOBJ old = ::SelectObject(hdc, GuiFont());
        ::SetBkMode(hdc, TRANSPARENT);
        ::SetTextColor(hdc, ::GetSysColor(COLOR_BTNTEXT));
        const std::vector<CRect> rects = MenuItemRects(hWnd, hMenu);
        for (size_t i = 0; i < rects.size(); ++i) {
            char text[128] = {};
            ::GetMenuStringA(hMenu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
            RECT at = rects[i];
            ::DrawTextA(hdc, text, -1, &at, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
        }
        ::SelectObject(hdc, old);
        ::EndPaint(hWnd, &paint);
        return 0;
    }
    case WM_ERASEBKGND:
        return 1;
    case WM_LBUTTONDOWN: {
        const int item = MenuItemAt(hWnd, hMenu, CPoint(static_cast<short>(LOWORD(lParam)),
                                                         static_cast<short>(HIWORD(lParam))));
        if (item >= 0 && bar != nullptr)
            bar->ShowPopup(item);
        return 0;
    }
    default:
        return ::DefWindowProcA(hWnd, message, wParam, lParam);
    }
}

const char kMenuBarClass[] = "KorvaneMenuBar";

} // namespace

BOOL CMFCMenuBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    if (pParentWnd == nullptr)
        return FALSE;
    WNDCLASSA wc = {};
    if (!::GetClassInfoA(AfxGetInstanceHandle(), kMenuBarClass, &wc)) {
        wc.lpfnWndProc = MenuBarProc;
        wc.hInstance = AfxGetInstanceHandle();
        wc.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
        wc.lpszClassName = kMenuBarClass;
        ::RegisterClassA(&wc);
    }
    m_hMenu = ::GetMenu(pParentWnd->GetSafeHwnd());
    if (!CWnd::Create(kMenuBarClass, nullptr, TakeBarStyle(dwStyle) | WS_CHILD, CRect(0, 0, 0, 0), pParentWnd, nID))
        return FALSE;
    // The bar shows the menu in place of the window's own menu line.
    if (m_hMenu != nullptr)
        ::SetMenu(pParentWnd->GetSafeHwnd(), nullptr);
    return TRUE;
}

void CMFCMenuBar::ShowPopup(int nIndex)
{
    HMENU hPopup = m_hMenu != nullptr ? ::GetSubMenu(m_hMenu, nIndex) : nullptr;
    if (hPopup == nullptr)
        return;
    const std::vector<CRect> rects = MenuItemRects(m_hWnd, m_hMenu);
    CRect item = rects[static_cast<size_t>(nIndex)];
    ClientToScreen(&item);
    CWnd* owner = GetParentFrame() != nullptr ? static_cast<CWnd*>(GetParentFrame()) : GetParent();
    ::TrackPopupMenu(hPopup, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON, item.left, item.bottom, 0,
                     owner->GetSafeHwnd(), nullptr);
}

CSize CMFCMenuBar::CalcFixedLayout(BOOL, BOOL bHorz)
{
    return bHorz ? CSize(0, kMenuBarHeight) : CSize(kMenuBarHeight, 0);
}

void CMFCMenuBar::OnUpdateCmdUI(CCmdTarget*, BOOL) {}

BOOL CMFCMenuBar::OnCommand(WPARAM wParam, LPARAM lParam)
{
    CWnd* parent = GetParent();
    return parent != nullptr ? static_cast<BOOL>(parent->SendMessage(WM_COMMAND, wParam, lParam) == 0) : FALSE;
}

// CMFCToolBar

IMPLEMENT_DYNAMIC(CMFCToolBar, CToolBar)

BEGIN_MESSAGE_MAP(CMFCToolBar, CToolBar)
    ON_WM_ERASEBKGND()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_CAPTURECHANGED()
    ON_NOTIFY_REFLECT(TBN_DROPDOWN, &CMFCToolBar::OnDropDown)
END_MESSAGE_MAP()

BOOL CMFCToolBar::OnEraseBkgnd(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    pDC->FillSolidRect(&client, ::GetSysColor(COLOR_BTNFACE));
    return TRUE;
}

void CMFCToolBar::EnableCustomizeButton(BOOL bEnable, int iCustomizeCmd, const CString& strCustomizeText)
{
    RemoveCustomizeButton();
    m_customizeCommand = bEnable ? iCustomizeCmd : 0;
    m_customizeText = bEnable ? strCustomizeText : CString();
    AddCustomizeButton();
}

BOOL CMFCToolBar::AddToolBarForImageCollection(UINT uiResID, UINT uiBmpResID, UINT, UINT, UINT, UINT)
{
    HINSTANCE hInstance = AfxGetResourceHandle();
    if (::FindResourceA(hInstance, MAKEINTRESOURCEA(uiBmpResID != 0 ? uiBmpResID : uiResID), RT_BITMAP) == nullptr)
        return FALSE;
    s_imageCollections.push_back(uiResID);
    return TRUE;
}

IMPLEMENT_DYNAMIC(CMFCStatusBar, CStatusBar)

// CDockablePane

IMPLEMENT_DYNAMIC(CDockablePane, CControlBar)

BEGIN_MESSAGE_MAP(CDockablePane, CControlBar)
    ON_MESSAGE(WM_NCCALCSIZE, &CDockablePane::OnNcCalcSizeMessage)
    ON_MESSAGE(WM_NCPAINT, &CDockablePane::OnNcPaintMessage)
    ON_MESSAGE(WM_NCHITTEST, &CDockablePane::OnNcHitTestMessage)
    ON_MESSAGE(WM_NCLBUTTONDOWN, &CDockablePane::OnNcLButtonDownMessage)
    ON_MESSAGE(WM_NCLBUTTONDBLCLK, &CDockablePane::OnNcLButtonDblClkMessage)
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_WM_CAPTURECHANGED()
    ON_WM_TIMER()
END_MESSAGE_MAP()

namespace {

// Caption buttons: this wide, this far from each other and the caption's right end.
constexpr int kCaptionButtonSize = 14;
constexpr int kCaptionButtonGap = 2;
// The narrowest a docked pane is sized to.
constexpr int kMinPaneWidth = 40;
// A slid-out pane looks this often whether the mouse and the focus have left it.
constexpr UINT_PTR kAutoHideTimer = 1;
constexpr UINT kAutoHideCheckMs = 300;
// A floating pane's frame starts this far from where the pane was docked.
constexpr int kFloatOffset = 30;

bool PointIn(HWND hWnd, CPoint screen)
{
    RECT rect = {};
    return hWnd != nullptr && ::IsWindowVisible(hWnd) && ::GetWindowRect(hWnd, &rect) && ::PtInRect(&rect, screen);
}

} // namespace

CDockablePane::~CDockablePane()
{
    if (m_floatingFrame != nullptr && m_floatingFrame->GetSafeHwnd() != nullptr) {
        // The pane's window goes with its own frame.
        if (m_hWnd != nullptr && m_hDockFrame != nullptr && ::IsWindow(m_hDockFrame))
            ::SetParent(m_hWnd, m_hDockFrame);
        m_floatingFrame->DestroyWindow();
    }
}

int CDockablePane::CaptionHeight()
{
    return ::GetSystemMetrics(SM_CYSMCAPTION) + 4;
}

BOOL CDockablePane::Create(LPCSTR lpszCaption, CWnd* pParentWnd, const RECT& rect, BOOL, UINT nID, DWORD dwStyle,
                           DWORD, DWORD dwControlBarStyle)
{
    m_size = CSize(rect.right - rect.left, rect.bottom - rect.top);
    m_controlBarStyle = dwControlBarStyle;
    m_hDockFrame = pParentWnd != nullptr ? pParentWnd->GetSafeHwnd() : nullptr;
    const DWORD windowStyle = TakeBarStyle(dwStyle) | WS_CHILD;
    const char* className = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorA(nullptr, IDC_ARROW),
                                                reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    return CWnd::Create(className, lpszCaption, windowStyle, rect, pParentWnd, nID);
}

void CDockablePane::SetIcon(HICON hIcon, BOOL)
{
    m_hIcon = hIcon;
    if (m_hWnd != nullptr)
        SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
}

CSize CDockablePane::CalcFixedLayout(BOOL, BOOL bHorz)
{
    return bHorz ? CSize(0, m_size.cy) : CSize(m_size.cx, 0);
}

void CDockablePane::OnUpdateCmdUI(CCmdTarget*, BOOL) {}

LRESULT CDockablePane::OnNcCalcSizeMessage(WPARAM, LPARAM lParam)
{
    auto* params = reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam);
    RECT& rect = params->rgrc[0];
    // Floating, the frame's caption stands for the pane's.
    if (m_mode == Mode::floating)
        return 0;
    rect.top = std::min(rect.bottom, rect.top + static_cast<LONG>(CaptionHeight()));
    const DWORD align = GetBarStyle() & CBRS_ALIGN_ANY;
    const LONG gap = InnerGap();
    if (align & CBRS_ALIGN_LEFT)
        rect.right = std::max(rect.left, rect.right - gap);
    else if (align & CBRS_ALIGN_RIGHT)
        rect.left = std::min(rect.right, rect.left + gap);
    return 0;
}

// The caption: the small icon and the window text on a caption bar; the inner gap in the face colour.
LRESULT CDockablePane::OnNcPaintMessage(WPARAM, LPARAM)
{
    if (m_mode == Mode::floating)
        return 0;
    HDC hdc = ::GetWindowDC(m_hWnd);
    CRect window;
    GetWindowRect(&window);
    window.OffsetRect(-window.left, -window.top);
    CRect client;
    GetClientRect(&client);
    ClientToScreen(&client);
    CRect screen;
    GetWindowRect(&screen);
    client.OffsetRect(-screen.left, -screen.top);
    ::ExcludeClipRect(hdc, client.left, client.top, client.right, client.bottom);
    ::SetBkColor(hdc, ::GetSysColor(COLOR_BTNFACE));
    ::ExtTextOutA(hdc, 0, 0, ETO_OPAQUE, &window, nullptr, 0, nullptr);

    CRect caption(client.left, 0, client.right, CaptionHeight() - 1);
    const bool active = ::GetFocus() != nullptr && (::GetFocus() == m_hWnd || ::IsChild(m_hWnd, ::GetFocus()));
    ::SetBkColor(hdc, ::GetSysColor(active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION));
    ::ExtTextOutA(hdc, 0, 0, ETO_OPAQUE, &caption, nullptr, 0, nullptr);
    int textLeft = caption.left + 4;
    const int iconSize = ::GetSystemMetrics(SM_CXSMICON);
    if (m_hIcon != nullptr) {
        ::DrawIconEx(hdc, textLeft, caption.top + (caption.Height() - iconSize) / 2, m_hIcon, iconSize, iconSize, 0,
                     nullptr, DI_NORMAL);
        textLeft += iconSize + 4;
    }
    char text[256] = {};
    ::GetWindowTextA(m_hWnd, text, sizeof text);
    HGDIOBJ old = ::SelectObject(hdc, GuiFont());
    ::SetBkMode(hdc, TRANSPARENT);
    ::SetTextColor(hdc, ::GetSysColor(active ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));
    const CRect pin = GetCaptionButtonRect(1);
    RECT at = {textLeft, caption.top, pin.left - 2, caption.bottom};
    ::DrawTextA(hdc, text, -1, &at, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
    ::SelectObject(hdc, old);

    // The buttons: a cross that closes, a pin that stands upright while the pane is docked.
    const COLORREF ink = ::GetSysColor(active ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT);
    HPEN pen = ::CreatePen(PS_SOLID, 1, ink);
    HGDIOBJ oldPen = ::SelectObject(hdc, pen);
    const CRect close = GetCaptionButtonRect(0);
    for (int d = 0; d < 2; ++d) {
        ::MoveToEx(hdc, close.left + 3 + d, close.top + 3, nullptr);
        ::LineTo(hdc, close.right - 3 + d, close.bottom - 3);
        ::MoveToEx(hdc, close.right - 4 + d, close.top + 3, nullptr);
        ::LineTo(hdc, close.left + 2 + d, close.bottom - 3);
    }
    const CPoint c = pin.CenterPoint();
    if (m_mode == Mode::docked) {
        ::Rectangle(hdc, c.x - 2, pin.top + 2, c.x + 3, c.y + 1);
        ::MoveToEx(hdc, c.x - 4, c.y + 1, nullptr);
        ::LineTo(hdc, c.x + 5, c.y + 1);
        ::MoveToEx(hdc, c.x, c.y + 1, nullptr);
        ::LineTo(hdc, c.x, pin.bottom - 2);
    } else {
        ::Rectangle(hdc, c.x - 1, c.y - 2, pin.right - 2, c.y + 3);
        ::MoveToEx(hdc, c.x - 1, c.y - 4, nullptr);
        ::LineTo(hdc, c.x - 1, c.y + 5);
        ::MoveToEx(hdc, pin.left + 2, c.y, nullptr);
        ::LineTo(hdc, c.x - 1, c.y);
    }
    ::SelectObject(hdc, oldPen);
    ::DeleteObject(pen);
    ::ReleaseDC(m_hWnd, hdc);
    return 0;
}

int CDockablePane::InnerGap() const
{
    return m_mode == Mode::floating ? 0 : kPaneInnerGap;
}

CRect CDockablePane::GetCaptionButtonRect(int nButton) const
{
    CRect window;
    GetWindowRect(&window);
    const int right = window.Width() - InnerGap() - kCaptionButtonGap - nButton * (kCaptionButtonSize + kCaptionButtonGap);
    const int top = (CaptionHeight() - 1 - kCaptionButtonSize) / 2;
    return CRect(right - kCaptionButtonSize, top, right, top + kCaptionButtonSize);
}

CFrameWnd* CDockablePane::GetDockFrame() const
{
    return DYNAMIC_DOWNCAST(CFrameWnd, CWnd::FromHandlePermanent(m_hDockFrame));
}

void CDockablePane::RelayoutFrame() const
{
    if (CFrameWnd* frame = GetDockFrame())
        frame->RecalcLayout();
}

LRESULT CDockablePane::OnNcHitTestMessage(WPARAM, LPARAM lParam)
{
    if (m_mode == Mode::floating)
        return HTCLIENT;
    CPoint point(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
    CRect window;
    GetWindowRect(&window);
    point.Offset(-window.left, -window.top);
    if (GetCaptionButtonRect(0).PtInRect(point))
        return HTCLOSE;
    if (GetCaptionButtonRect(1).PtInRect(point))
        return HTMAXBUTTON;
    if (point.y >= 0 && point.y < CaptionHeight())
        return HTCAPTION;
    const DWORD align = GetBarStyle() & CBRS_ALIGN_ANY;
    if (m_mode == Mode::docked && (m_controlBarStyle & AFX_CBRS_RESIZE)) {
        if ((align & CBRS_ALIGN_LEFT) && point.x >= window.Width() - kPaneInnerGap)
            return HTRIGHT;
        if ((align & CBRS_ALIGN_RIGHT) && point.x < kPaneInnerGap)
            return HTLEFT;
    }
    return HTCLIENT;
}

LRESULT CDockablePane::OnNcLButtonDownMessage(WPARAM wParam, LPARAM)
{
    switch (wParam) {
    case HTCLOSE:
        if (m_controlBarStyle & AFX_CBRS_CLOSE)
            ShowPane(FALSE);
        return 0;
    case HTMAXBUTTON:
        if (m_controlBarStyle & AFX_CBRS_AUTOHIDE)
            SetAutoHideMode(m_mode != Mode::autoHide);
        return 0;
    case HTLEFT:
    case HTRIGHT:
        m_bSizing = true;
        SetCapture();
        return 0;
    case HTCAPTION:
        SetFocus();
        return 0;
    default:
        return Default();
    }
}

LRESULT CDockablePane::OnNcLButtonDblClkMessage(WPARAM wParam, LPARAM)
{
    if (wParam == HTCAPTION && m_mode == Mode::docked)
        FloatPane();
    return 0;
}

// Sizing: the inner edge follows the mouse.
void CDockablePane::OnMouseMove(UINT nFlags, CPoint point)
{
    if (!m_bSizing) {
        CControlBar::OnMouseMove(nFlags, point);
        return;
    }
    CRect window;
    GetWindowRect(&window);
    ClientToScreen(&point);
    const int width = (GetBarStyle() & CBRS_ALIGN_RIGHT) ? window.right - point.x : point.x - window.left;
    m_size.cx = std::max(kMinPaneWidth, width);
    RelayoutFrame();
}

void CDockablePane::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (m_bSizing) {
        m_bSizing = false;
        ::ReleaseCapture();
        return;
    }
    CControlBar::OnLButtonUp(nFlags, point);
}

void CDockablePane::OnCaptureChanged(CWnd*)
{
    m_bSizing = false;
}

BOOL CDockablePane::FloatPane()
{
    if ((GetBarStyle() & CBRS_FLOAT_MULTI) == 0 && (m_controlBarStyle & AFX_CBRS_FLOAT) == 0)
        return FALSE;
    if (m_mode == Mode::floating)
        return TRUE;
    if (m_mode == Mode::autoHide)
        SetAutoHideMode(FALSE);
    CFrameWnd* frame = GetDockFrame();
    if (frame == nullptr)
        return FALSE;
    CRect place;
    GetWindowRect(&place);
    place.OffsetRect(kFloatOffset, kFloatOffset);
    m_floatingFrame = std::make_unique<CMultiPaneFrameWnd>();
    if (!m_floatingFrame->Create(this, frame, place)) {
        m_floatingFrame.reset();
        return FALSE;
    }
    m_mode = Mode::floating;
    SetParent(m_floatingFrame.get());
    SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    CRect client;
    m_floatingFrame->GetClientRect(&client);
    MoveWindow(&client);
    ShowWindow(SW_SHOW);
    m_floatingFrame->ShowWindow(SW_SHOWNA);
    frame->RecalcLayout();
    return TRUE;
}

BOOL CDockablePane::DockPaneBack()
{
    CFrameWnd* frame = GetDockFrame();
    if (frame == nullptr)
        return FALSE;
    if (m_mode == Mode::autoHide) {
        KillTimer(kAutoHideTimer);
        if (auto* frameEx = DYNAMIC_DOWNCAST(CFrameWndEx, frame))
            frameEx->RemoveAutoHidePane(this);
    }
    const bool wasFloating = m_mode == Mode::floating;
    m_mode = Mode::docked;
    if (wasFloating) {
        SetParent(frame);
        m_floatingFrame->DestroyWindow();
        m_floatingFrame.reset();
    }
    // Back in the layout order (floating and sliding out moved it).
    if (auto* frameEx = DYNAMIC_DOWNCAST(CFrameWndEx, frame))
        frameEx->PlaceAfterEdgeBars(m_hWnd);
    SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    ShowWindow(SW_SHOW);
    frame->RecalcLayout();
    return TRUE;
}

BOOL CDockablePane::SetAutoHideMode(BOOL bMode)
{
    if (!bMode)
        return m_mode == Mode::autoHide ? DockPaneBack() : TRUE;
    auto* frame = DYNAMIC_DOWNCAST(CFrameWndEx, GetDockFrame());
    if (frame == nullptr || (m_controlBarStyle & AFX_CBRS_AUTOHIDE) == 0 ||
        (frame->GetAutoHideStyle() & GetBarStyle() & CBRS_ALIGN_ANY) == 0)
        return FALSE;
    if (m_mode == Mode::floating)
        DockPaneBack();
    m_mode = Mode::autoHide;
    ShowWindow(SW_HIDE);
    SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED | SWP_NOACTIVATE);
    frame->AddAutoHidePane(this);
    return TRUE;
}

void CDockablePane::SlideOut()
{
    auto* frame = DYNAMIC_DOWNCAST(CFrameWndEx, GetDockFrame());
    CMFCAutoHideBar* bar = frame != nullptr ? frame->GetAutoHideBar() : nullptr;
    if (m_mode != Mode::autoHide || bar == nullptr)
        return;
    // Beside the tab strip, as high as the strip, over the views.
    CRect strip;
    bar->GetWindowRect(&strip);
    frame->ScreenToClient(&strip);
    const bool right = (GetBarStyle() & CBRS_ALIGN_RIGHT) != 0;
    const int left = right ? strip.left - m_size.cx : strip.right;
    ::SetWindowPos(m_hWnd, HWND_TOP, left, strip.top, m_size.cx, strip.Height(), SWP_SHOWWINDOW);
    SetTimer(kAutoHideTimer, kAutoHideCheckMs, nullptr);
}

void CDockablePane::CheckAutoHide()
{
    CPoint cursor;
    if (::GetCursorPos(&cursor))
        CheckAutoHide(cursor);
}

void CDockablePane::CheckAutoHide(CPoint cursor)
{
    if (!IsSlidOut())
        return;
    auto* frame = DYNAMIC_DOWNCAST(CFrameWndEx, GetDockFrame());
    CMFCAutoHideBar* bar = frame != nullptr ? frame->GetAutoHideBar() : nullptr;
    const HWND focus = ::GetFocus();
    const bool hasFocus = focus != nullptr && (focus == m_hWnd || ::IsChild(m_hWnd, focus));
    if (PointIn(m_hWnd, cursor) || (bar != nullptr && PointIn(bar->m_hWnd, cursor)) || hasFocus)
        return;
    KillTimer(kAutoHideTimer);
    ShowWindow(SW_HIDE);
}

void CDockablePane::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == kAutoHideTimer)
        CheckAutoHide();
}

void CDockablePane::ShowPane(BOOL bShow)
{
    switch (m_mode) {
    case Mode::floating:
        m_floatingFrame->ShowWindow(bShow ? SW_SHOWNA : SW_HIDE);
        break;
    case Mode::autoHide:
        // The tab stays; hiding takes the pane and its tab away by docking it hidden.
        if (!bShow) {
            DockPaneBack();
            ShowWindow(SW_HIDE);
            RelayoutFrame();
        }
        break;
    case Mode::docked:
        ShowWindow(bShow ? SW_SHOW : SW_HIDE);
        RelayoutFrame();
        break;
    }
}

BOOL CDockablePane::IsPaneVisible() const
{
    switch (m_mode) {
    case Mode::floating:
        return m_floatingFrame->IsWindowVisible();
    case Mode::autoHide:
        return TRUE;
    case Mode::docked:
    default:
        return IsWindowVisible();
    }
}

// CMultiPaneFrameWnd

IMPLEMENT_DYNAMIC(CMultiPaneFrameWnd, CWnd)

BEGIN_MESSAGE_MAP(CMultiPaneFrameWnd, CWnd)
    ON_WM_SIZE()
    ON_WM_CLOSE()
    ON_MESSAGE(WM_NCLBUTTONDBLCLK, &CMultiPaneFrameWnd::OnNcLButtonDblClkMessage)
END_MESSAGE_MAP()

BOOL CMultiPaneFrameWnd::Create(CDockablePane* pPane, CWnd* pOwner, const CRect& rect)
{
    m_pPane = pPane;
    CString caption;
    pPane->GetWindowText(caption);
    const char* className = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorA(nullptr, IDC_ARROW),
                                                reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    return CreateEx(WS_EX_TOOLWINDOW, className, caption, WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME, rect,
                    pOwner, 0);
}

void CMultiPaneFrameWnd::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    if (m_pPane != nullptr && m_pPane->GetSafeHwnd() != nullptr && m_pPane->GetParent() == this)
        m_pPane->MoveWindow(0, 0, cx, cy);
}

void CMultiPaneFrameWnd::OnClose()
{
    if (m_pPane != nullptr)
        m_pPane->ShowPane(FALSE);
}

LRESULT CMultiPaneFrameWnd::OnNcLButtonDblClkMessage(WPARAM wParam, LPARAM lParam)
{
    if (wParam == HTCAPTION && m_pPane != nullptr) {
        // Docking destroys this window: nothing of it is touched afterwards.
        m_pPane->DockPaneBack();
        return 0;
    }
    return DefWindowProc(WM_NCLBUTTONDBLCLK, wParam, lParam);
}

// CMFCAutoHideBar

IMPLEMENT_DYNAMIC(CMFCAutoHideBar, CControlBar)

BEGIN_MESSAGE_MAP(CMFCAutoHideBar, CControlBar)
    ON_WM_PAINT()
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEMOVE()
END_MESSAGE_MAP()

namespace {

// Space of a tab around its icon and text.
constexpr int kTabPadding = 6;

int TabLength(HWND hWnd, CDockablePane* pane)
{
    CString text;
    pane->GetWindowText(text);
    HDC hdc = ::GetDC(hWnd);
    HGDIOBJ old = ::SelectObject(hdc, GuiFont());
    SIZE extent = {};
    ::GetTextExtentPoint32A(hdc, text, text.GetLength(), &extent);
    ::SelectObject(hdc, old);
    ::ReleaseDC(hWnd, hdc);
    return extent.cx + ::GetSystemMetrics(SM_CYSMICON) + 3 * kTabPadding;
}

} // namespace

BOOL CMFCAutoHideBar::Create(CWnd* pParentWnd, DWORD dwAlignment)
{
    const char* className = AfxRegisterWndClass(0, ::LoadCursorA(nullptr, IDC_ARROW),
                                                reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    return CWnd::Create(className, nullptr, TakeBarStyle(dwAlignment & CBRS_ALIGN_ANY) | WS_CHILD | WS_VISIBLE,
                        CRect(0, 0, 0, 0), pParentWnd, 0);
}

void CMFCAutoHideBar::AddPane(CDockablePane* pPane)
{
    if (std::find(m_panes.begin(), m_panes.end(), pPane) == m_panes.end())
        m_panes.push_back(pPane);
    Invalidate();
}

void CMFCAutoHideBar::RemovePane(CDockablePane* pPane)
{
    m_panes.erase(std::remove(m_panes.begin(), m_panes.end(), pPane), m_panes.end());
    Invalidate();
}

CRect CMFCAutoHideBar::GetTabRect(int nIndex) const
{
    int top = 2;
    for (int i = 0; i < static_cast<int>(m_panes.size()); ++i) {
        const int length = TabLength(m_hWnd, m_panes[static_cast<size_t>(i)]);
        if (i == nIndex)
            return CRect(2, top, kWidth - 2, top + length);
        top += length + 2;
    }
    return CRect();
}

int CMFCAutoHideBar::TabAt(CPoint point) const
{
    for (int i = 0; i < static_cast<int>(m_panes.size()); ++i) {
        if (GetTabRect(i).PtInRect(point))
            return i;
    }
    return -1;
}

CSize CMFCAutoHideBar::CalcFixedLayout(BOOL, BOOL bHorz)
{
    return bHorz ? CSize(0, kWidth) : CSize(kWidth, 0);
}

void CMFCAutoHideBar::OnUpdateCmdUI(CCmdTarget*, BOOL) {}

// Each tab: a raised face with the pane's icon and its caption written downwards.
void CMFCAutoHideBar::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(&client, ::GetSysColor(COLOR_BTNFACE));
    LOGFONTA face = {};
    ::GetObjectA(GuiFont(), sizeof face, &face);
    face.lfEscapement = 2700;
    face.lfOrientation = 2700;
    HFONT vertical = ::CreateFontIndirectA(&face);
    HGDIOBJ old = ::SelectObject(dc.m_hDC, vertical);
    ::SetBkMode(dc.m_hDC, TRANSPARENT);
    ::SetTextColor(dc.m_hDC, ::GetSysColor(COLOR_BTNTEXT));
    const int iconSize = ::GetSystemMetrics(SM_CXSMICON);
    for (int i = 0; i < static_cast<int>(m_panes.size()); ++i) {
        CRect tab = GetTabRect(i);
        dc.FillSolidRect(&tab, ::GetSysColor(COLOR_3DHILIGHT));
        ::DrawEdge(dc.m_hDC, &tab, EDGE_ETCHED, BF_RECT);
        CDockablePane* pane = m_panes[static_cast<size_t>(i)];
        int y = tab.top + kTabPadding;
        if (pane->GetIcon() != nullptr) {
            ::DrawIconEx(dc.m_hDC, tab.left + (tab.Width() - iconSize) / 2, y, pane->GetIcon(), iconSize, iconSize,
                         0, nullptr, DI_NORMAL);
            y += iconSize + kTabPadding;
        }
        CString text;
        pane->GetWindowText(text);
        TEXTMETRICA metrics = {};
        ::GetTextMetricsA(dc.m_hDC, &metrics);
        ::TextOutA(dc.m_hDC, tab.left + (tab.Width() + metrics.tmHeight) / 2, y, text, text.GetLength());
    }
    ::SelectObject(dc.m_hDC, old);
    ::DeleteObject(vertical);
}

void CMFCAutoHideBar::OnLButtonDown(UINT, CPoint point)
{
    const int tab = TabAt(point);
    if (tab >= 0)
        m_panes[static_cast<size_t>(tab)]->SlideOut();
}

void CMFCAutoHideBar::OnMouseMove(UINT, CPoint point)
{
    const int tab = TabAt(point);
    if (tab >= 0 && !m_panes[static_cast<size_t>(tab)]->IsSlidOut())
        m_panes[static_cast<size_t>(tab)]->SlideOut();
}

// CMFCPopupMenu

const UINT AFX_WM_CREATETOOLBAR = ::RegisterWindowMessageA("KorvaneToolBarCreateNew");

CMFCPopupMenu::CMFCPopupMenu() : m_hMenu(::CreatePopupMenu())
{
}

CMFCPopupMenu::~CMFCPopupMenu()
{
    if (m_hMenu != nullptr)
        ::DestroyMenu(m_hMenu);
}

void CMFCPopupMenu::InsertItem(UINT nID, LPCSTR lpszText, BOOL bChecked)
{
    if (m_hMenu == nullptr)
        return;
    if (nID == ID_SEPARATOR)
        ::AppendMenuA(m_hMenu, MF_SEPARATOR, 0, nullptr);
    else
        ::AppendMenuA(m_hMenu, MF_STRING | (bChecked ? MF_CHECKED : MF_UNCHECKED), nID, lpszText);
}

void CMFCPopupMenu::AddDefaultButtons(const CMFCToolBar& toolBar)
{
    for (UINT id : toolBar.GetDefaultButtons()) {
        if (id != ID_SEPARATOR)
            InsertItem(id, CMFCToolBar::GetCommandText(id), toolBar.CommandToIndex(id) >= 0);
    }
}

HMENU CMFCPopupMenu::Detach()
{
    HMENU menu = m_hMenu;
    m_hMenu = nullptr;
    return menu;
}

// CMFCToolBar: editing the buttons

namespace {

// The text of item nID in menu hMenu or its popups.
bool FindMenuText(HMENU hMenu, UINT nID, CString& text)
{
    const int count = hMenu != nullptr ? ::GetMenuItemCount(hMenu) : 0;
    for (int i = 0; i < count; ++i) {
        if (HMENU sub = ::GetSubMenu(hMenu, i)) {
            if (FindMenuText(sub, nID, text))
                return true;
        } else if (::GetMenuItemID(hMenu, i) == nID) {
            char buffer[256] = {};
            ::GetMenuStringA(hMenu, static_cast<UINT>(i), buffer, sizeof buffer, MF_BYPOSITION);
            text = CMFCToolBar::StripMenuText(buffer);
            return true;
        }
    }
    return false;
}

// The menu of the main window: its menu bar's, else its own.
HMENU MainMenu()
{
    CWnd* main = AfxGetMainWnd();
    if (main == nullptr || main->GetSafeHwnd() == nullptr)
        return nullptr;
    if (HWND bar = ::GetDlgItem(main->m_hWnd, AFX_IDW_MENUBAR)) {
        if (auto* menuBar = DYNAMIC_DOWNCAST(CMFCMenuBar, CWnd::FromHandlePermanent(bar)))
            return menuBar->GetHMenu();
    }
    return ::GetMenu(main->m_hWnd);
}

} // namespace

CString CMFCToolBar::StripMenuText(LPCSTR text)
{
    CString result;
    for (const char* p = text; *p != '\0' && *p != '\t'; ++p) {
        if (*p == '&' && p[1] == '&')
            result += *++p;
        else if (*p != '&')
            result += *p;
    }
    return result;
}

CString CMFCToolBar::GetCommandText(UINT nID)
{
    CString text;
    if (text.LoadString(nID) && !text.IsEmpty()) {
        const int lineBreak = text.Find('\n');
        if (lineBreak < 0)
            return text;
        const CString tip = text.Mid(lineBreak + 1);
        if (!tip.IsEmpty())
            return tip;
        if (lineBreak > 0)
            return text.Left(lineBreak);
    }
    text.Empty();
    FindMenuText(MainMenu(), nID, text);
    return text;
}

BOOL CMFCToolBar::LoadToolBar(UINT nIDResource)
{
    RemoveCustomizeButton();
    const BOOL loaded = CToolBar::LoadToolBar(nIDResource);
    if (loaded) {
        m_defaultIds = m_buttonIds;
        m_pictureButtonSize = static_cast<DWORD>(SendMessage(TB_GETBUTTONSIZE));
    }
    AddCustomizeButton();
    return loaded;
}

BOOL CMFCToolBar::LoadToolBar(UINT nIDResource, UINT, UINT, BOOL bLocked)
{
    m_bLocked = bLocked;
    return LoadToolBar(nIDResource);
}

void CMFCToolBar::AddCustomizeButton()
{
    if (m_customizeCommand == 0 || m_hWnd == nullptr || m_bHasCustomizeButton)
        return;
    SendMessage(TB_SETEXTENDEDSTYLE, 0, SendMessage(TB_GETEXTENDEDSTYLE) | TBSTYLE_EX_DRAWDDARROWS);
    TBBUTTON button = {};
    button.iBitmap = I_IMAGENONE;
    button.idCommand = m_customizeCommand;
    button.fsState = TBSTATE_ENABLED;
    button.fsStyle = BTNS_WHOLEDROPDOWN;
    button.iString = -1;
    m_bHasCustomizeButton = SendMessage(TB_ADDBUTTONSA, 1, reinterpret_cast<LPARAM>(&button)) != 0;
}

void CMFCToolBar::RemoveCustomizeButton()
{
    if (!m_bHasCustomizeButton || m_hWnd == nullptr)
        return;
    SendMessage(TB_DELETEBUTTON, static_cast<WPARAM>(GetCount()));
    m_bHasCustomizeButton = false;
}

BOOL CMFCToolBar::InsertButton(UINT nID, int nIndex)
{
    if (m_hWnd == nullptr)
        return FALSE;
    if (nIndex < 0 || nIndex > GetCount())
        nIndex = GetCount();
    const CString text = nID != ID_SEPARATOR ? GetCommandText(nID) : CString();
    TBBUTTON button = {};
    button.idCommand = static_cast<int>(nID);
    button.fsState = TBSTATE_ENABLED;
    button.iString = -1;
    if (nID == ID_SEPARATOR) {
        button.fsStyle = BTNS_SEP;
    } else {
        const auto image = m_images.find(nID);
        button.fsStyle = BTNS_BUTTON;
        button.iBitmap = image != m_images.end() ? image->second : I_IMAGENONE;
        if (image == m_images.end() || m_bTextLabels) {
            // Text beside the picture, for this button only.
            UpdateTextStyle(true);
            button.fsStyle |= BTNS_SHOWTEXT | BTNS_AUTOSIZE;
            button.iString = reinterpret_cast<INT_PTR>(text.GetString());
        }
    }
    if (!SendMessage(TB_INSERTBUTTONA, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(&button)))
        return FALSE;
    m_buttonIds.insert(m_buttonIds.begin() + nIndex, nID);
    ButtonsChanged();
    return TRUE;
}

BOOL CMFCToolBar::RemoveButton(int nIndex)
{
    if (m_hWnd == nullptr || nIndex < 0 || nIndex >= GetCount())
        return FALSE;
    SendMessage(TB_DELETEBUTTON, static_cast<WPARAM>(nIndex));
    m_buttonIds.erase(m_buttonIds.begin() + nIndex);
    ButtonsChanged();
    return TRUE;
}

BOOL CMFCToolBar::MoveButton(int nFrom, int nTo)
{
    if (nFrom < 0 || nFrom >= GetCount())
        return FALSE;
    if (nTo < 0 || nTo > GetCount())
        nTo = GetCount();
    if (nTo == nFrom || nTo == nFrom + 1)
        return TRUE;
    const UINT id = m_buttonIds[static_cast<size_t>(nFrom)];
    RemoveButton(nFrom);
    return InsertButton(id, nTo > nFrom ? nTo - 1 : nTo);
}

void CMFCToolBar::RestoreOriginalState()
{
    while (GetCount() > 0)
        RemoveButton(GetCount() - 1);
    for (UINT id : m_defaultIds)
        InsertButton(id);
}

void CMFCToolBar::SetShowTextLabels(BOOL bShow)
{
    m_bTextLabels = bShow;
    const std::vector<UINT> buttons = m_buttonIds;
    while (GetCount() > 0)
        RemoveButton(GetCount() - 1);
    for (UINT id : buttons)
        InsertButton(id);
}

void CMFCToolBar::UpdateTextStyle(bool bText)
{
    const LRESULT extended = SendMessage(TB_GETEXTENDEDSTYLE);
    if (bText) {
        ModifyStyle(0, TBSTYLE_LIST);
        SendMessage(TB_SETEXTENDEDSTYLE, 0, extended | TBSTYLE_EX_MIXEDBUTTONS);
    } else if ((GetStyle() & TBSTYLE_LIST) != 0) {
        ModifyStyle(TBSTYLE_LIST, 0);
        SendMessage(TB_SETEXTENDEDSTYLE, 0, extended & ~static_cast<LRESULT>(TBSTYLE_EX_MIXEDBUTTONS));
        // The control keeps the widest text's button size: give the buttons their picture size back.
        if (m_pictureButtonSize != 0)
            SendMessage(TB_SETBUTTONSIZE, 0, static_cast<LPARAM>(m_pictureButtonSize));
    }
}

int CMFCToolBar::HitTest(CPoint point) const
{
    if (m_hWnd == nullptr)
        return -1;
    POINT at = point;
    const int hit = static_cast<int>(::SendMessageA(m_hWnd, TB_HITTEST, 0, reinterpret_cast<LPARAM>(&at)));
    return hit >= 0 && hit < GetCount() ? hit : -1;
}

void CMFCToolBar::ButtonsChanged()
{
    // Once no button shows its text, the bar goes back to picture-sized buttons.
    if (!m_bTextLabels && std::all_of(m_buttonIds.begin(), m_buttonIds.end(), [this](UINT id) {
            return id == ID_SEPARATOR || m_images.count(id) != 0;
        }))
        UpdateTextStyle(false);
    if (CFrameWnd* frame = GetParentFrame())
        frame->RecalcLayout();
    Invalidate();
}

HMENU CMFCToolBar::BuildCustomizeMenu()
{
    CMFCPopupMenu buttons;
    auto* frame = DYNAMIC_DOWNCAST(CFrameWndEx, GetParentFrame());
    if (frame == nullptr || !frame->OnShowCustomizePane(&buttons, static_cast<UINT>(GetDlgCtrlID()))) {
        for (UINT id : m_buttonIds) {
            if (id != ID_SEPARATOR)
                buttons.InsertItem(id, GetCommandText(id), TRUE);
        }
    }
    buttons.InsertItem(ID_SEPARATOR, nullptr);
    buttons.InsertItem(kResetToolbarCommand, "&Reset Toolbar");
    CString name;
    GetWindowText(name);
    HMENU addRemove = ::CreatePopupMenu();
    ::AppendMenuA(addRemove, MF_POPUP, reinterpret_cast<UINT_PTR>(buttons.Detach()), name);
    HMENU menu = ::CreatePopupMenu();
    ::AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(addRemove), "&Add or Remove Buttons");
    if (m_customizeCommand != 0) {
        ::AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
        ::AppendMenuA(menu, MF_STRING, static_cast<UINT_PTR>(m_customizeCommand), m_customizeText);
    }
    return menu;
}

BOOL CMFCToolBar::OnCustomizeMenuCommand(UINT nID)
{
    if (nID == 0)
        return FALSE;
    if (nID == kResetToolbarCommand) {
        RestoreOriginalState();
        return TRUE;
    }
    if (nID == static_cast<UINT>(m_customizeCommand)) {
        if (CFrameWnd* frame = GetParentFrame())
            frame->SendMessage(WM_COMMAND, nID);
        return TRUE;
    }
    const int shown = CommandToIndex(nID);
    if (shown >= 0)
        return RemoveButton(shown);
    const auto defaultAt = std::find(m_defaultIds.begin(), m_defaultIds.end(), nID);
    if (defaultAt == m_defaultIds.end())
        return FALSE;
    // Back in its default place: behind the run of default buttons before it that the bar still shows.
    size_t at = 0;
    for (auto it = m_defaultIds.begin(); it != defaultAt; ++it) {
        if (at < m_buttonIds.size() && m_buttonIds[at] == *it)
            ++at;
    }
    return InsertButton(nID, static_cast<int>(at));
}

void CMFCToolBar::ShowCustomizeMenu()
{
    HMENU menu = BuildCustomizeMenu();
    RECT item = {};
    SendMessage(TB_GETITEMRECT, static_cast<WPARAM>(GetCount()), reinterpret_cast<LPARAM>(&item));
    CPoint at(item.left, item.bottom);
    ClientToScreen(&at);
    const UINT chosen = static_cast<UINT>(
        ::TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RETURNCMD | TPM_LEFTBUTTON, at.x, at.y, 0, m_hWnd, nullptr));
    ::DestroyMenu(menu);
    OnCustomizeMenuCommand(chosen);
}

void CMFCToolBar::OnDropDown(NMHDR* pNMHDR, LRESULT* pResult)
{
    const auto* toolbar = reinterpret_cast<const NMTOOLBARA*>(pNMHDR);
    if (m_customizeCommand != 0 && toolbar->iItem == m_customizeCommand)
        ShowCustomizeMenu();
    *pResult = TBDDRET_DEFAULT;
}

CMFCToolBar* CMFCToolBar::FromScreenPoint(CPoint point)
{
    HWND hWnd = ::WindowFromPoint(point);
    for (int level = 0; hWnd != nullptr && level < 2; ++level, hWnd = ::GetParent(hWnd)) {
        if (auto* bar = DYNAMIC_DOWNCAST(CMFCToolBar, CWnd::FromHandlePermanent(hWnd)))
            return bar;
    }
    return nullptr;
}

void CMFCToolBar::DropButton(int nIndex, CPoint screenPoint)
{
    DropButtonOn(nIndex, FromScreenPoint(screenPoint), screenPoint);
}

void CMFCToolBar::DropButtonOn(int nIndex, CMFCToolBar* target, CPoint screenPoint)
{
    if (nIndex < 0 || nIndex >= GetCount() || (target != nullptr && target->IsLocked()))
        return;
    if (target == nullptr) {
        RemoveButton(nIndex);
        return;
    }
    CPoint client = screenPoint;
    target->ScreenToClient(&client);
    const int at = target->HitTest(client);
    if (target == this) {
        MoveButton(nIndex, at);
        return;
    }
    const UINT id = m_buttonIds[static_cast<size_t>(nIndex)];
    RemoveButton(nIndex);
    target->InsertButton(id, at);
}

void CMFCToolBar::OnLButtonDown(UINT nFlags, CPoint point)
{
    const bool quick = s_quickCustomization && ::GetKeyState(VK_MENU) < 0;
    if ((s_customizeMode || quick) && !m_bLocked) {
        const int index = HitTest(point);
        if (index >= 0) {
            m_dragIndex = index;
            SetCapture();
            return;
        }
    }
    static_cast<void>(nFlags);
    Default();
}

void CMFCToolBar::OnLButtonUp(UINT, CPoint point)
{
    if (m_dragIndex < 0) {
        Default();
        return;
    }
    const int index = m_dragIndex;
    m_dragIndex = -1;
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    ClientToScreen(&point);
    DropButton(index, point);
}

void CMFCToolBar::OnCaptureChanged(CWnd*)
{
    m_dragIndex = -1;
    Default();
}

void CMFCToolBar::SetShowTooltips(BOOL bShow)
{
    s_showTooltips = bShow;
    CWnd* main = AfxGetMainWnd();
    if (main == nullptr || main->GetSafeHwnd() == nullptr)
        return;
    for (HWND hChild = ::GetWindow(main->m_hWnd, GW_CHILD); hChild != nullptr; hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
        if (DYNAMIC_DOWNCAST(CMFCToolBar, CWnd::FromHandlePermanent(hChild)) == nullptr)
            continue;
        if (HWND tips = reinterpret_cast<HWND>(::SendMessageA(hChild, TB_GETTOOLTIPS, 0, 0)))
            ::SendMessageA(tips, TTM_ACTIVATE, bShow ? TRUE : FALSE, 0);
    }
}

#include "framework/panes.h"

#include "framework/frame.h"
#include "framework/gdi.h"
#include "framework/module.h"

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
    m_customizeCommand = bEnable ? iCustomizeCmd : 0;
    m_customizeText = bEnable ? strCustomizeText : CString();
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
END_MESSAGE_MAP()

int CDockablePane::CaptionHeight()
{
    return ::GetSystemMetrics(SM_CYSMCAPTION) + 4;
}

BOOL CDockablePane::Create(LPCSTR lpszCaption, CWnd* pParentWnd, const RECT& rect, BOOL, UINT nID, DWORD dwStyle,
                           DWORD, DWORD)
{
    m_size = CSize(rect.right - rect.left, rect.bottom - rect.top);
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
    rect.top = std::min(rect.bottom, rect.top + static_cast<LONG>(CaptionHeight()));
    const DWORD align = GetBarStyle() & CBRS_ALIGN_ANY;
    if (align & CBRS_ALIGN_LEFT)
        rect.right = std::max(rect.left, rect.right - static_cast<LONG>(kPaneInnerGap));
    else if (align & CBRS_ALIGN_RIGHT)
        rect.left = std::min(rect.right, rect.left + static_cast<LONG>(kPaneInnerGap));
    return 0;
}

// The caption: the small icon and the window text on a caption bar; the inner gap in the face colour.
LRESULT CDockablePane::OnNcPaintMessage(WPARAM, LPARAM)
{
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
    RECT at = {textLeft, caption.top, caption.right - 4, caption.bottom};
    ::DrawTextA(hdc, text, -1, &at, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
    ::SelectObject(hdc, old);
    ::ReleaseDC(m_hWnd, hdc);
    return 0;
}

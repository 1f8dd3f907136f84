// The tab strip's own scroll and close buttons.
#include "toolkit/common/tab_ctrl.h"

#include "framework/gdi.h"
#include "toolkit/common/draw_helpers.h"
#include "toolkit/common/tab_themes.h"

IMPLEMENT_DYNAMIC(CKitTabCtrlButtons, CWnd)

namespace {

constexpr LPCSTR kButtonsClassName = "KitTabCtrlButtons";
// The room of the scroll buttons and the close button, and the gap at the strip's end.
constexpr int kScrollRoom = 28;
constexpr int kCloseRoom = 14;
constexpr int kEndGap = 10;
constexpr int kRightInset = 5;
// Where the strip is probed for its first visible tab.
constexpr int kProbeX = 5;

// Set while the strip buttons move themselves, so that the move does not move them again.
bool g_bRepositioning = false;

int TabCount(CWnd* pTabCtrl)
{
    return static_cast<int>(pTabCtrl->SendMessage(TCM_GETITEMCOUNT));
}

CRect TabRect(CWnd* pTabCtrl, int nIndex)
{
    CRect rc(0, 0, 0, 0);
    pTabCtrl->SendMessage(TCM_GETITEMRECT, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(&rc));
    return rc;
}

} // namespace

BEGIN_MESSAGE_MAP(CKitTabCtrlButtons, CWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_MESSAGE(WM_MOUSELEAVE, &CKitTabCtrlButtons::OnMouseLeave)
    ON_MESSAGE(WM_WINDOWPOSCHANGED, &CKitTabCtrlButtons::OnWindowPosChanged)
END_MESSAGE_MAP()

CKitTabCtrlButtons::CKitTabCtrlButtons(CKitTabBase* pTab)
    : m_dwButtons(kShowScroll), m_pTabCtrl(pTab->GetTabWindowPtr()), m_pTab(pTab), m_bShow(FALSE),
      m_hwndSubclassed(nullptr), m_hwndOwnCreated(nullptr)
{
    const DWORD kinds[3] = {kKindClose, kKindScrollLeft, kKindScrollRight};
    for (int i = 0; i < 3; ++i) {
        m_buttons[i].dwFlags = kinds[i];
        m_buttons[i].pTabCtrl = m_pTabCtrl;
        m_buttons[i].pOwner = this;
    }
}

CKitTabCtrlButtons::~CKitTabCtrlButtons()
{
    if (m_hWnd != nullptr && m_hWnd == m_hwndSubclassed)
        UnsubclassWindow();
}

int CKitTabCtrlButtons::GetTotalWidth() const
{
    return ((m_dwButtons & kShowScroll) ? kScrollRoom : 0) + ((m_dwButtons & kShowClose) ? kCloseRoom : 0) + kEndGap;
}

void CKitTabCtrlButtons::Enable(Button& button, BOOL bEnable)
{
    if (bEnable)
        button.dwFlags &= ~kDisabled;
    else
        button.dwFlags |= kDisabled;
}

void CKitTabCtrlButtons::Attach(CWnd* pScrollWnd)
{
    HWND hScroll = pScrollWnd != nullptr ? pScrollWnd->GetSafeHwnd() : nullptr;
    if (hScroll != nullptr) {
        if (hScroll == m_hwndSubclassed && m_hWnd == hScroll)
            return;
        if (m_hWnd != nullptr) {
            if (m_hWnd == m_hwndOwnCreated)
                DestroyWindow();
            else
                UnsubclassWindow();
        }
        m_hwndOwnCreated = nullptr;
        m_hwndSubclassed = SubclassWindow(hScroll) ? hScroll : nullptr;
        return;
    }
    if (m_hWnd != nullptr)
        return;
    CKitDrawHelpers::RegisterWndClass(nullptr, kButtonsClassName, 0);
    if (CreateEx(0, kButtonsClassName, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), m_pTabCtrl, 0))
        m_hwndOwnCreated = m_hWnd;
    m_hwndSubclassed = nullptr;
}

void CKitTabCtrlButtons::Show(BOOL bShow)
{
    m_bShow = bShow;
    if (m_hWnd == nullptr)
        return;
    if (!bShow)
        ShowWindow(SW_HIDE);
    else
        Reposition();
}

void CKitTabCtrlButtons::Reposition()
{
    if (m_hWnd == nullptr || g_bRepositioning || m_pTabCtrl->GetSafeHwnd() == nullptr)
        return;
    g_bRepositioning = true;
    CRect rcClient;
    m_pTabCtrl->GetClientRect(&rcClient);
    const BOOL bHasTabs = TabCount(m_pTabCtrl) > 0;
    const CRect rcItem = bHasTabs ? TabRect(m_pTabCtrl, 0) : CRect(0, 0, 0, 0);
    CRect rc(rcClient.right - GetTotalWidth(), rcItem.top, rcClient.right, rcItem.bottom + 1);
    if (m_pTabCtrl->GetStyle() & TCS_BOTTOM)
        rc.top -= 2;
    ::SetWindowPos(m_hWnd, HWND_TOP, rc.left, rc.top, rc.Width(), rc.Height(),
                 SWP_NOACTIVATE | (bHasTabs ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
    g_bRepositioning = false;
    Invalidate(FALSE);
}

void CKitTabCtrlButtons::LayoutButtons()
{
    CRect rcClient;
    GetClientRect(&rcClient);
    const int y = (rcClient.Height() - kGlyphHeight) / 2;
    int x = rcClient.right - kRightInset;
    Button& close = m_buttons[0];
    Button& left = m_buttons[1];
    Button& right = m_buttons[2];
    close.rc.SetRectEmpty();
    left.rc.SetRectEmpty();
    right.rc.SetRectEmpty();
    if (m_dwButtons & kShowClose) {
        close.rc = CRect(x - kButtonWidth, y, x, y + kButtonHeight);
        x -= kButtonWidth;
    }
    if (m_dwButtons & kShowScroll) {
        right.rc = CRect(x - kButtonWidth, y, x, y + kButtonHeight);
        left.rc = CRect(x - 2 * kButtonWidth, y, x - kButtonWidth, y + kButtonHeight);
        CRect rcTabs;
        m_pTabCtrl->GetClientRect(&rcTabs);
        const int nCount = TabCount(m_pTabCtrl);
        Enable(right, nCount > 0 && TabRect(m_pTabCtrl, nCount - 1).right > rcTabs.Width() - GetTotalWidth());
        Enable(left, nCount > 0 && TabRect(m_pTabCtrl, 0).left < 0);
    }
}

void CKitTabCtrlButtons::OnPaint()
{
    if (!m_bShow || TabCount(m_pTabCtrl) == 0) {
        Default();
        return;
    }
    CPaintDC dcPaint(this);
    CRect rcClient;
    GetClientRect(&rcClient);
    CKitBufferDC dc(dcPaint.GetSafeHdc(), rcClient);
    CKitTabBaseTheme* pTheme = m_pTab->GetTheme();
    if (pTheme == nullptr)
        return;
    const COLORREF clrGlyph = pTheme->DrawStripButtonsBackground(&dc, this);
    LayoutButtons();
    for (Button& button : m_buttons)
        pTheme->DrawStripButton(&dc, &button, clrGlyph);
}

BOOL CKitTabCtrlButtons::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

CKitTabCtrlButtons::Button* CKitTabCtrlButtons::HitTest(CPoint point)
{
    for (Button& button : m_buttons) {
        if (!button.rc.IsRectEmpty() && button.rc.PtInRect(point))
            return &button;
    }
    return nullptr;
}

void CKitTabCtrlButtons::RedrawButton(const Button& button)
{
    InvalidateRect(&button.rc, FALSE);
    UpdateWindow();
}

void CKitTabCtrlButtons::OnMouseMove(UINT, CPoint point)
{
    if (!m_bShow) {
        Default();
        return;
    }
    for (Button& button : m_buttons) {
        const BOOL bInside = !button.rc.IsRectEmpty() && button.rc.PtInRect(point);
        if (button.IsHot() && !bInside) {
            button.dwFlags &= ~kHot;
            RedrawButton(button);
        } else if (!button.IsHot() && bInside && button.IsEnabled()) {
            button.dwFlags |= kHot;
            TRACKMOUSEEVENT tme = {sizeof(tme), TME_LEAVE, m_hWnd, 0};
            ::TrackMouseEvent(&tme);
            RedrawButton(button);
        }
    }
}

LRESULT CKitTabCtrlButtons::OnMouseLeave(WPARAM, LPARAM)
{
    OnMouseMove(0, CPoint(-1, -1));
    return 0;
}

void CKitTabCtrlButtons::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (!m_bShow) {
        Default();
        return;
    }
    Button* pButton = HitTest(point);
    if (pButton == nullptr)
        return;
    if (pButton->GetKind() == kKindClose) {
        if (TrackClick(*pButton, FALSE))
            m_pTabCtrl->SendMessage(WM_COMMAND, CKitTabCtrl::kCloseCommand);
        return;
    }
    TrackClick(*pButton, TRUE);
    static_cast<void>(nFlags);
}

void CKitTabCtrlButtons::Scroll(Button& button)
{
    const int nCount = TabCount(m_pTabCtrl);
    if (nCount == 0)
        return;
    const CRect rcFirst = TabRect(m_pTabCtrl, 0);
    TCHITTESTINFO info = {};
    info.pt = CPoint(kProbeX, (rcFirst.top + rcFirst.bottom) / 2);
    int nFirst = static_cast<int>(m_pTabCtrl->SendMessage(TCM_HITTEST, 0, reinterpret_cast<LPARAM>(&info)));
    if (nFirst < 0)
        nFirst = 0;
    int nPosition = -1;
    if (button.GetKind() == kKindScrollLeft && nFirst >= 1)
        nPosition = nFirst - 1;
    else if (button.GetKind() == kKindScrollRight)
        nPosition = nFirst + 1;
    if (nPosition < 0)
        return;
    m_pTabCtrl->SendMessage(WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, nPosition));
    m_pTabCtrl->Invalidate(FALSE);
    Invalidate(FALSE);
}

BOOL CKitTabCtrlButtons::TrackClick(Button& button, BOOL bRepeat)
{
    if (::GetCapture() != nullptr || !button.IsEnabled())
        return FALSE;
    SetCapture();
    if (bRepeat)
        SetTimer(kRepeatTimer, kRepeatMilliseconds);
    BOOL bInside = TRUE;
    BOOL bDone = FALSE;
    CPoint point;
    ::GetCursorPos(&point);
    ScreenToClient(&point);
    while (!bDone) {
        if (bRepeat && bInside)
            Scroll(button);
        bInside = button.rc.PtInRect(point);
        const DWORD dwPressed = bInside ? kPressed : 0;
        if ((button.dwFlags & kPressed) != dwPressed) {
            button.dwFlags = (button.dwFlags & ~kPressed) | dwPressed;
            RedrawButton(button);
        }
        for (;;) {
            MSG msg;
            if (!::GetMessageA(&msg, nullptr, 0, 0)) {
                ::PostQuitMessage(static_cast<int>(msg.wParam));
                bDone = TRUE;
                break;
            }
            if (::GetCapture() != m_hWnd) {
                bDone = TRUE;
                bInside = FALSE;
                break;
            }
            if (msg.message == WM_MOUSEMOVE) {
                point = CPoint(static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam)));
                break;
            }
            if (msg.message == WM_TIMER && msg.hwnd == m_hWnd && msg.wParam == kRepeatTimer)
                break;
            if (msg.message == WM_LBUTTONUP) {
                point = CPoint(static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam)));
                bInside = button.rc.PtInRect(point);
                bDone = TRUE;
                break;
            }
            if (msg.message == WM_CANCELMODE || msg.message == WM_RBUTTONDOWN ||
                (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE)) {
                bInside = FALSE;
                bDone = TRUE;
                break;
            }
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }
    ::ReleaseCapture();
    if (bRepeat)
        KillTimer(kRepeatTimer);
    button.dwFlags &= ~kPressed;
    OnMouseMove(0, point);
    RedrawButton(button);
    return bInside;
}

LRESULT CKitTabCtrlButtons::OnWindowPosChanged(WPARAM, LPARAM)
{
    const LRESULT lResult = Default();
    if (m_bShow && !g_bRepositioning)
        Reposition();
    return lResult;
}

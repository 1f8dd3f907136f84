#include "toolkit/commandbars/command_bar.h"

#include "framework/menu.h"

#include "framework/gdi.h"
#include "framework/ids.h"
#include "framework/menu.h"
#include "framework/winapp.h"
#include "toolkit/commandbars/command_bar_animation.h"
#include "toolkit/commandbars/command_bar_manager.h"
#include "toolkit/commandbars/control.h"
#include "toolkit/commandbars/controls.h"
#include "toolkit/commandbars/keyboard_manager.h"
#include "toolkit/commandbars/mouse_manager.h"
#include "toolkit/commandbars/toolbar.h"
#include "toolkit/common/draw_helpers.h"
#include "toolkit/common/image_manager.h"
#include "toolkit/common/resources.h"
#include "toolkit/common/tooltip_context.h"
#include "toolkit/common/upper_services.h"

#include <algorithm>
#include <vector>
#include <windowsx.h>

IMPLEMENT_DYNCREATE(CKitCommandBar, CWnd)

namespace {
// The icon size of a bar that sets none.
constexpr int kDefaultIconSize = 16;
constexpr int kLargeIconSize = 32;
// A button's frame around its icon.
constexpr int kButtonFrameWidth = 7;
constexpr int kButtonFrameHeight = 6;
// The window class of docked and floating bars.
constexpr char kToolBarClass[] = "KitToolBar";
// WM_SYSCOMMAND's lParam that opens the window menu from the keyboard.
constexpr LPARAM kKeyMenuSpace = 0x20;
// Hide flags that the command-UI update ignores when it asks whether a control is shown.
constexpr DWORD kHideFlagsIgnoredByUpdate = kitHideUser | kitHideExpand | kitHideGeneric;
// The toolbar resource: version, image width and height, item count, then the items' command ids.
constexpr WORD kToolBarResourceType = 241;
constexpr DWORD kToolBarHeaderWords = 4;
// The extended styles of a right-to-left window.
constexpr DWORD kRtlExStyles = WS_EX_LAYOUTRTL | WS_EX_RTLREADING;


CKitBarPainter* DefaultPainter()
{
    CKitThemeServices* pThemes = CKitThemeServices::Get();
    return pThemes != nullptr ? pThemes->GetDefaultBarPainter() : nullptr;
}

// The command-UI record of one control of a bar.
class CCommandBarCmdUI : public CCmdUI {
public:
    void Enable(BOOL bOn) override
    {
        m_bEnableChanged = TRUE;
        if (m_pControl->GetAction() != nullptr) {
            m_pControl->SetEnabled(bOn ? -1 : 0);
            return;
        }
        m_pControl->SetEnabled(bOn);
        if (!bOn && !m_bCheckChanged)
            m_pControl->SetChecked(0);
    }
    void SetCheck(int nCheck) override
    {
        m_bCheckChanged = TRUE;
        m_pControl->SetChecked(nCheck);
    }
    void SetText(LPCSTR lpszText) override { m_pControl->SetCaption(lpszText); }

    CKitControl* m_pControl = nullptr;
    BOOL m_bCheckChanged = FALSE;
};

} // namespace

LPCSTR KitRegisterBarClass(LPCSTR lpszClassName, UINT nClassStyle)
{
    WNDCLASSA wc = {};
    if (!::GetClassInfoA(::GetModuleHandleA(nullptr), lpszClassName, &wc)) {
        wc.style = nClassStyle;
        wc.lpfnWndProc = ::DefWindowProcA;
        wc.hInstance = ::GetModuleHandleA(nullptr);
        wc.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
        wc.lpszClassName = lpszClassName;
        ::RegisterClassA(&wc);
    }
    return lpszClassName;
}

BOOL IsVerticalBarPosition(int nPosition)
{
    return nPosition == kitBarLeft || nPosition == kitBarRight;
}

BOOL IsVerticalLayoutPosition(int nPosition)
{
    return IsVerticalBarPosition(nPosition) || nPosition == kitBarPopup;
}

BEGIN_MESSAGE_MAP(CKitCommandBar, CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_TIMER()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_RBUTTONUP()
    ON_MESSAGE(WM_MOUSELEAVE, OnMouseLeave)
    ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUIMessage)
    ON_MESSAGE(WM_GETOBJECT, OnGetObject)
END_MESSAGE_MAP()

CKitCommandBar::CKitCommandBar(int nBarType)
    : m_nBarType(nBarType), m_pControls(new CKitControls()), m_pAnimation(new CKitCommandBarAnimation(this))
{
    m_pControls->SetParent(this);
}

CKitCommandBar::~CKitCommandBar()
{
    CKitHookManager::Instance()->RemoveAll(this);
    CKitMouseManager::GetThreadManager()->ForgetBar(this);
    CKitKeyboardManager::GetThreadManager()->UnhookKeyboard(this);
    m_pControls->RemoveAll();
    m_pControls->SetParent(nullptr);
    m_pControls->InternalRelease();
    SetPaintManager(nullptr);
    SetImageManager(nullptr);
    delete m_pAnimation;
}

BOOL CKitCommandBar::CreateBar(CWnd* pParent, DWORD dwStyle, UINT nID)
{
    return CreateEx(0, KitRegisterBarClass(kToolBarClass, CS_DBLCLKS), m_strTitle, dwStyle, CRect(0, 0, 0, 0), pParent, nID);
}

void CKitCommandBar::SetTitle(LPCSTR lpszTitle)
{
    m_strTitle = lpszTitle;
    Redraw();
}

CSize CKitCommandBar::GetIconSize() const
{
    if (m_szIcons.cx > 0 && m_szIcons.cy > 0)
        return m_szIcons;
    if (CKitCommandBarManager* pCommandBars = GetCommandBars()) {
        const CSize sz = pCommandBars->GetCommandBarsOptions()->szIcons;
        if (sz.cx > 0 && sz.cy > 0)
            return sz;
    }
    return GetAutomaticIconSize();
}

CSize CKitCommandBar::GetAutomaticIconSize() const
{
    return CSize(kDefaultIconSize, kDefaultIconSize);
}

CSize CKitCommandBar::GetLargeIconSize() const
{
    if (m_szLargeIcons.cx > 0 && m_szLargeIcons.cy > 0)
        return m_szLargeIcons;
    if (CKitCommandBarManager* pCommandBars = GetCommandBars()) {
        const CSize sz = pCommandBars->GetCommandBarsOptions()->szLargeIcons;
        if (sz.cx > 0 && sz.cy > 0)
            return sz;
    }
    return CSize(kLargeIconSize, kLargeIconSize);
}

CSize CKitCommandBar::GetButtonSize(BOOL bAutomatic) const
{
    if (m_szButtons.cx > 0 && m_szButtons.cy > 0)
        return m_szButtons;
    if (CKitCommandBarManager* pCommandBars = GetCommandBars()) {
        const CSize sz = pCommandBars->GetCommandBarsOptions()->szButtons;
        if (sz.cx > 0 && sz.cy > 0)
            return sz;
    }
    const CSize szIcon = GetIconSize();
    if (bAutomatic)
        return CSize(szIcon.cx + kButtonFrameWidth, szIcon.cy + kButtonFrameHeight);
    return CSize(szIcon.cx * 2, szIcon.cy * 2);
}

BOOL CKitCommandBar::IsKeyboardCuesVisible() const
{
    if (CKitCommandBarManager* pCommandBars = GetCommandBars())
        return pCommandBars->IsKeyboardCuesVisible();
    return m_bKeyboardCues;
}

int CKitCommandBar::GetControlCount() const
{
    return m_pControls->GetCount();
}

CKitControl* CKitCommandBar::GetControl(int nIndex) const
{
    return m_pControls->GetAt(nIndex);
}

BOOL CKitCommandBar::IsOnCompositedFrame() const
{
    if (m_nBarPosition != kitBarTop)
        return FALSE;
    CKitCommandBarManager* pCommandBars = GetCommandBars();
    return pCommandBars != nullptr && pCommandBars->TestOptionFlags();
}

CKitControl* CKitCommandBar::HitTest(CPoint point, int* pIndex) const
{
    CKitControl* pControl = m_pControls->HitTest(point);
    if (pIndex != nullptr)
        *pIndex = pControl != nullptr ? m_pControls->IndexOf(pControl) : -1;
    return pControl;
}

void CKitCommandBar::SetPaintBackground(BOOL bPaint)
{
    if (bPaint)
        m_dwStyle |= kStylePaintBackground;
    else
        m_dwStyle &= ~kStylePaintBackground;
}

void CKitCommandBar::SetFlags(DWORD dwAdd, DWORD dwRemove)
{
    m_dwFlags |= dwAdd;
    m_dwFlags &= ~dwRemove;
}

CKitCommandBarManager* CKitCommandBar::GetCommandBars() const
{
    for (const CKitCommandBar* pBar = this; pBar != nullptr; pBar = pBar->GetParentCommandBar()) {
        if (pBar->m_pCommandBars != nullptr)
            return pBar->m_pCommandBars;
    }
    return nullptr;
}

CKitCommandBar* CKitCommandBar::GetRootParent() const
{
    const CKitCommandBar* pBar = this;
    while (pBar->GetParentCommandBar() != nullptr)
        pBar = pBar->GetParentCommandBar();
    return const_cast<CKitCommandBar*>(pBar);
}

BOOL CKitCommandBar::IsCustomizeMode() const
{
    CKitCommandBarManager* pCommandBars = GetCommandBars();
    return pCommandBars != nullptr && pCommandBars->IsCustomizeMode();
}

CKitBarPainter* CKitCommandBar::GetPaintManager() const
{
    if (m_pPaintManager != nullptr)
        return m_pPaintManager;
    // With a manager the root bar's own is never consulted.
    if (CKitCommandBarManager* pCommandBars = GetCommandBars())
        return pCommandBars->GetPaintManager();
    CKitCommandBar* pRoot = GetRootParent();
    if (pRoot != this && pRoot->m_pPaintManager != nullptr)
        return pRoot->m_pPaintManager;
    return DefaultPainter();
}

void CKitCommandBar::SetPaintManager(CKitBarPainter* pPaintManager)
{
    if (m_pPaintManager != nullptr)
        m_pPaintManager->ReleasePainterReference();
    m_pPaintManager = pPaintManager;
}

BOOL CKitCommandBar::IsLayoutRTLWindow() const
{
    return GetSafeHwnd() != nullptr && (GetExStyle() & kRtlExStyles) != 0;
}

BOOL CKitCommandBar::IsLayoutRTL() const
{
    CKitCommandBarManager* pCommandBars = GetCommandBars();
    return m_nBarPosition <= kitBarRight && pCommandBars != nullptr && pCommandBars->IsLayoutRTL();
}

CKitImageManager* CKitCommandBar::GetImageManager() const
{
    if (m_pImageManager != nullptr)
        return m_pImageManager;
    if (CKitCommandBar* pParent = GetParentCommandBar())
        return pParent->GetImageManager();
    return CKitImageManager::Instance();
}

void CKitCommandBar::SetImageManager(CKitImageManager* pImageManager)
{
    if (m_pImageManager != nullptr)
        m_pImageManager->InternalRelease();
    m_pImageManager = pImageManager;
}

CWnd* CKitCommandBar::GetSite() const
{
    if (CKitCommandBarManager* pCommandBars = GetCommandBars()) {
        if (pCommandBars->GetSite() != nullptr)
            return pCommandBars->GetSite();
    }
    CKitCommandBar* pRoot = GetRootParent();
    if (pRoot->m_pSite != nullptr)
        return pRoot->m_pSite;
    if (pRoot->GetSafeHwnd() != nullptr) {
        HWND hOwner = ::GetWindow(pRoot->GetSafeHwnd(), GW_OWNER);
        if (hOwner == nullptr)
            hOwner = ::GetParent(pRoot->GetSafeHwnd());
        if (hOwner != nullptr)
            return CWnd::FromHandle(hOwner);
    }
    return AfxGetMainWnd();
}

CWnd* CKitCommandBar::GetOwnerSite() const
{
    for (const CKitCommandBar* pBar = this; pBar != nullptr; pBar = pBar->GetParentCommandBar()) {
        if (pBar->m_pNotifyWindow != nullptr)
            return pBar->m_pNotifyWindow;
        if (pBar->GetSafeHwnd() != nullptr) {
            if (HWND hOwner = ::GetWindow(pBar->GetSafeHwnd(), GW_OWNER))
                return CWnd::FromHandle(hOwner);
        }
    }
    return GetSite();
}

void CKitCommandBar::SetControlSelected(CKitControl* pControl, int nState)
{
    pControl->OnSetSelected(nState);
}

BOOL CKitCommandBar::SetSelected(int nIndex, int nMode)
{
    if (nIndex == m_nSelected)
        return FALSE;
    m_nSelectionMode = nMode;
    if (GetSafeHwnd() == nullptr)
        return FALSE;
    if (CKitControl* pOld = GetControl(m_nSelected)) {
        pOld->OnMouseMove(CPoint(-1, -1));
        SetControlSelected(pOld, 0);
    }
    m_nSelected = nIndex;
    CKitControl* pControl = GetControl(nIndex);
    if (pControl == nullptr) {
        m_nSelected = -1;
        KillTimer(kTimerHover);
        return TRUE;
    }
    if (nMode != kitSelectMouse) {
        OnControlSelected(pControl);
        SetControlSelected(pControl, std::max(nMode, static_cast<int>(kitSelectKeyboard)));
    } else {
        SetControlSelected(pControl, 1);
    }
    if (m_bTracking)
        ::NotifyWinEvent(EVENT_OBJECT_FOCUS, m_hWnd, OBJID_CLIENT, nIndex + 1);
    CKitMouseManager::GetThreadManager()->SetSelectedBar(this);
    if (nMode == kitSelectMouse && m_bHoverSelect)
        SetTimer(kTimerHover, kHoverDelay);
    return TRUE;
}

BOOL CKitCommandBar::OpenPopupAt(int nIndex, BOOL bKeyboard)
{
    if (nIndex == m_nPopuped)
        return FALSE;
    if (CKitControl* pOpen = GetControl(m_nPopuped)) {
        m_nPopuped = -1;
        pOpen->SetPopup(FALSE);
    }
    m_nPopuped = -1;
    if (nIndex == -1)
        return TRUE;
    CKitControl* pControl = GetControl(nIndex);
    if (pControl == nullptr || !pControl->IsEnabled())
        return FALSE;
    SetTrackingMode(kitTrackingModePopup, FALSE, bKeyboard);
    m_nPopuped = nIndex;
    SetSelected(nIndex, bKeyboard ? kitSelectKeyboard : kitSelectMouse);
    if (!m_bTracking) {
        SetSelected(-1, kitSelectMouse);
        m_nPopuped = -1;
        return FALSE;
    }
    // The control opens its popup; the bar may go while it does.
    InternalAddRef();
    const BOOL bOpened = pControl->SetPopup(TRUE);
    if (!bOpened)
        m_nPopuped = -1;
    InternalRelease();
    if (!bOpened)
        return FALSE;
    CKitCommandBarManager* pCommandBars = GetCommandBars();
    if (pCommandBars != nullptr && pCommandBars->GetCommandBarsOptions()->bDelayedExpand)
        SetTimer(kTimerExpand, kExpandDelay);
    return TRUE;
}

void CKitCommandBar::HookFocusWindow(BOOL bHook)
{
    if (bHook) {
        HWND hFocus = ::GetFocus();
        if (hFocus == nullptr && GetSite() != nullptr)
            hFocus = GetSite()->GetSafeHwnd();
        if (hFocus == nullptr)
            hFocus = m_hWnd;
        m_hHooked = hFocus;
        CKitHookManager::Instance()->SetHook(m_hHooked, this);
    } else if (m_hHooked != nullptr) {
        CKitHookManager::Instance()->RemoveHook(m_hHooked, this);
        m_hHooked = nullptr;
    }
}

BOOL CKitCommandBar::SetTrackingMode(int nMode, BOOL bSelectFirst, BOOL bKeyboard)
{
    if (m_bTracking && nMode != 0) {
        m_bTracking = nMode;
        return FALSE;
    }
    if ((m_bTracking != 0) == (nMode != 0))
        return FALSE;
    CKitMouseManager* pMouse = CKitMouseManager::GetThreadManager();
    if (nMode != 0) {
        if (m_nBarType == kitBarTypeMenuBar && GetSite() != nullptr)
            GetSite()->SendMessage(WM_KIT_TRACKING_MENUBAR, reinterpret_cast<WPARAM>(this));
        m_bTracking = nMode;
        m_bMouseTracking = !bSelectFirst && !bKeyboard;
        m_nSelectionMode = bKeyboard ? kitSelectKeyboard : kitSelectMouse;
        if (m_bHideCaret) {
            m_hFocusSaved = ::GetFocus();
            if (m_hFocusSaved == nullptr && GetSite() != nullptr)
                m_hFocusSaved = GetSite()->GetSafeHwnd();
            ::HideCaret(m_hFocusSaved);
        }
        pMouse->SetTrack(this);
        CKitKeyboardManager::GetThreadManager()->HookKeyboard(this);
        HookFocusWindow(TRUE);
        ::SetCursor(::LoadCursor(nullptr, IDC_ARROW));
        if (bSelectFirst)
            SetSelected(m_pControls->GetNext(-1, 1), kitSelectKeyboard);
    } else {
        m_bTracking = FALSE;
        m_bMouseTracking = FALSE;
        if (CKitCommandBarManager* pCommandBars = GetCommandBars())
            if (pCommandBars->GetKeyboardTipsBar() == this)
                pCommandBars->HideKeyboardTips();
        pMouse->RemoveTrack(this);
        CKitKeyboardManager::GetThreadManager()->UnhookKeyboard(this);
        HookFocusWindow(FALSE);
        OpenPopupAt(-1);
        if (bSelectFirst)
            SetSelected(-1, kitSelectMouse);
        if (m_bHideCaret && m_hFocusSaved != nullptr) {
            ::ShowCaret(m_hFocusSaved);
            m_hFocusSaved = nullptr;
        }
        Redraw();
        if (m_hWnd != nullptr && ::GetFocus() == m_hWnd && GetParent() != nullptr) {
            HWND hNext = ::GetNextDlgTabItem(GetParent()->GetSafeHwnd(), m_hWnd, FALSE);
            if (hNext != nullptr)
                ::SetFocus(hNext);
        }
        m_nLockInput = 0;
    }
    if (CKitCommandBarManager* pCommandBars = GetCommandBars())
        pCommandBars->OnTrackingModeChanged(this, nMode);
    return TRUE;
}

BOOL CKitCommandBar::LoadMenu(HMENU hMenu, BOOL bClearFirst)
{
    if (hMenu == nullptr || !::IsMenu(hMenu))
        return FALSE;
    if (bClearFirst)
        m_pControls->RemoveAll();
    CMenu* pMenu = CMenu::FromHandle(hMenu);
    BOOL bBeginGroup = FALSE;
    const int nCount = ::GetMenuItemCount(hMenu);
    for (int i = 0; i < nCount; i++) {
        MENUITEMINFOA info = {};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU;
        if (!::GetMenuItemInfoA(hMenu, static_cast<UINT>(i), TRUE, &info))
            continue;
        if ((info.fType & MFT_SEPARATOR) != 0 || (info.wID == 0 && info.hSubMenu == nullptr)) {
            bBeginGroup = TRUE;
            continue;
        }
        CKitControl* pControl = m_pControls->AddMenuItem(pMenu, i);
        if (pControl == nullptr)
            continue;
        if (bBeginGroup)
            pControl->SetBeginGroup(TRUE);
        bBeginGroup = FALSE;
        if ((info.fType & (MFT_MENUBREAK | MFT_MENUBARBREAK)) != 0)
            pControl->SetFlags(pControl->GetFlags() | kitFlagWrapRow);
        if ((info.fType & MFT_MENUBARBREAK) != 0)
            pControl->SetBeginGroup(TRUE);
        if (pControl->GetAction() == nullptr) {
            if ((info.fState & MFS_CHECKED) != 0)
                pControl->SetChecked(1);
            if ((info.fState & (MFS_GRAYED | MFS_DISABLED)) != 0)
                pControl->SetEnabled(0);
        }
    }
    OnControlsChanged();
    return TRUE;
}

BOOL CKitCommandBar::LoadToolBar(UINT nIDResource, BOOL bLoadBitmap)
{
    const KitResourceBytes resource = KitFindResourceBytes(MAKEINTRESOURCEA(nIDResource), MAKEINTRESOURCEA(kToolBarResourceType));
    if (resource.data == nullptr || resource.size < kToolBarHeaderWords * sizeof(WORD))
        return FALSE;
    WORD header[kToolBarHeaderWords];
    std::copy(resource.data, resource.data + sizeof(header), reinterpret_cast<BYTE*>(header));
    const DWORD nItems = header[3];
    if (nItems > (resource.size - sizeof(header)) / sizeof(WORD))
        return FALSE;
    if (bLoadBitmap && !CKitImageManager::Instance()->SetIconsFromToolBar(nIDResource))
        return FALSE;
    if (bLoadBitmap && header[1] != kDefaultIconSize)
        m_szIcons = CSize(header[1], header[2]);
    std::vector<UINT> ids(nItems);
    for (DWORD i = 0; i < nItems; i++) {
        WORD nId = 0;
        std::copy(resource.data + sizeof(header) + i * sizeof(WORD),
                  resource.data + sizeof(header) + (i + 1) * sizeof(WORD), reinterpret_cast<BYTE*>(&nId));
        ids[i] = nId;
    }
    m_pControls->RemoveAll();
    m_pControls->AddCommandIds(ids.data(), static_cast<int>(ids.size()));
    OnControlsChanged();
    return TRUE;
}

void CKitCommandBar::SetStatusText(BOOL bShow, CKitControl* pControl)
{
    CWnd* pSite = GetSite();
    if (pSite == nullptr)
        return;
    pSite->SendMessage(WM_KIT_STATUS_SELECTION, reinterpret_cast<WPARAM>(bShow ? pControl : nullptr));
    CKitCommandBarManager* pCommandBars = GetCommandBars();
    if (pCommandBars != nullptr && pControl != nullptr)
        pCommandBars->SetHelpId(pControl->GetId());
    const int nIndex = bShow && pControl != nullptr ? m_pControls->IndexOf(pControl) : -1;
    if (nIndex == m_nStatusIndex)
        return;
    m_nStatusIndex = nIndex;
    if (pCommandBars != nullptr && !pCommandBars->GetCommandBarsOptions()->bShowStatusText)
        return;
    const CString strText = bShow && pControl != nullptr ? pControl->GetDescription() : CString();
    if (strText.IsEmpty())
        pSite->SendMessage(WM_POPMESSAGESTRING, AFX_IDS_IDLEMESSAGE);
    else
        pSite->SendMessage(WM_SETMESSAGESTRING, 0, reinterpret_cast<LPARAM>(static_cast<LPCSTR>(strText)));
}

void CKitCommandBar::SetAnimationEnabled(BOOL bEnable)
{
    m_pAnimation->SetAnimationEnabled(bEnable);
    Redraw();
}

BOOL CKitCommandBar::GetAnimationEnabled() const
{
    return m_pAnimation->GetAnimationEnabled();
}

void CKitCommandBar::Redraw(LPCRECT lpRect, BOOL bAnimate)
{
    if (m_nDelayRedraw > 0) {
        m_dwState |= kStateRedrawPending;
        return;
    }
    if (lpRect == nullptr)
        m_dwState &= ~kStateRedrawPending;
    if (GetSafeHwnd() != nullptr && IsVisible())
        m_pAnimation->RedrawRect(lpRect, bAnimate);
}

CRect CKitCommandBar::GetBorders()
{
    CKitBarPainter* pPainter = GetPaintManager();
    return pPainter != nullptr ? pPainter->GetCommandBarBorders(this) : CRect(0, 0, 0, 0);
}

void CKitCommandBar::FillCommandBarEntry(CDC* pDC)
{
    if (CKitBarPainter* pPainter = GetPaintManager())
        pPainter->FillCommandBarEntry(pDC, this);
}

void CKitCommandBar::DrawCommandBar(CDC* pDC, CRect rcClip)
{
    CKitBarPainter* pPainter = GetPaintManager();
    if (pPainter == nullptr)
        return;
    // The entry fill reads the paint-background bit itself; a second fill would cover its frame.
    FillCommandBarEntry(pDC);
    pPainter->DrawFloatingBarCaption(pDC, this, TRUE);
    pDC->SetBkMode(TRANSPARENT);
    CFont* pOldFont = pDC->SelectObject(pPainter->GetCommandBarFont(this));
    BOOL bFirst = TRUE;
    for (int i = 0; i < GetControlCount(); i++) {
        CKitControl* pControl = GetControl(i);
        if (pControl->GetParent() != this || !pControl->IsVisible())
            continue;
        if (pControl->GetBeginGroup() && !bFirst)
            pPainter->DrawCommandBarSeparator(pDC, this, pControl, TRUE);
        bFirst = FALSE;
        CRect rcIntersect;
        // Through the control: the kinds that draw themselves (a toolbar's own buttons) do so.
        if (rcIntersect.IntersectRect(rcClip, pControl->GetRect()))
            pControl->Draw(pDC);
    }
    pDC->SelectObject(pOldFont);
    if (!IsCustomizeMode())
        return;
    CKitControl* pCustomize = GetCommandBars()->GetCustomizeSelection();
    if (pCustomize != nullptr && pCustomize->GetParent() == this && pCustomize->IsVisible()) {
        CBrush black(RGB(0, 0, 0));
        CRect rc = pCustomize->GetRect();
        pDC->FrameRect(rc, &black);
        rc.DeflateRect(1, 1);
        pDC->FrameRect(rc, &black);
    }
    if (!m_rcInsertMark.IsRectEmpty())
        DrawInsertMark(pDC);
}

void CKitCommandBar::DrawInsertMark(CDC* pDC)
{
    const CRect& rc = m_rcInsertMark;
    if (rc.IsRectEmpty())
        return;
    CBrush brush(::GetSysColor(COLOR_3DFACE));
    CBrush* pOldBrush = pDC->SelectObject(&brush);
    if (IsVerticalLayoutPosition(m_nBarPosition) || m_nBarType == kitBarTypePopup) {
        pDC->PatBlt(rc.left, rc.top, 1, rc.Height(), PATINVERT);
        pDC->PatBlt(rc.right - 1, rc.top, 1, rc.Height(), PATINVERT);
        pDC->PatBlt(rc.left + 1, rc.top + 1, 1, rc.Height() - 2, PATINVERT);
        pDC->PatBlt(rc.right - 2, rc.top + 1, 1, rc.Height() - 2, PATINVERT);
        pDC->PatBlt(rc.left + 2, rc.top + 2, rc.Width() - 4, 2, PATINVERT);
    } else {
        pDC->PatBlt(rc.left, rc.top, rc.Width(), 1, PATINVERT);
        pDC->PatBlt(rc.left, rc.bottom - 1, rc.Width(), 1, PATINVERT);
        pDC->PatBlt(rc.left + 1, rc.top + 1, rc.Width() - 2, 1, PATINVERT);
        pDC->PatBlt(rc.left + 1, rc.bottom - 2, rc.Width() - 2, 1, PATINVERT);
        pDC->PatBlt(rc.left + 2, rc.top + 2, 2, rc.Height() - 4, PATINVERT);
    }
    pDC->SelectObject(pOldBrush);
}

void CKitCommandBar::Copy(const CKitCommandBar* pSource, BOOL bRecursive)
{
    m_nBarType = pSource->m_nBarType;
    m_nBarPosition = pSource->m_nBarPosition;
    m_nBarID = pSource->m_nBarID;
    m_dwFlags = pSource->m_dwFlags;
    m_dwStyle = pSource->m_dwStyle;
    m_strTitle = pSource->m_strTitle;
    m_bCustomizable = pSource->m_bCustomizable;
    m_nMRUWidth = pSource->m_nMRUWidth;
    m_szIcons = pSource->m_szIcons;
    m_szButtons = pSource->m_szButtons;
    m_pCommandBars = pSource->m_pCommandBars;
    m_pCopySource = pSource;
    m_pControls->Copy(pSource->m_pControls, bRecursive);
}

void CKitCommandBar::CopyFromBar(const CKitCommandBar* pSource)
{
    CKitCommandBar::Copy(pSource, FALSE);
}

CKitCommandBar* CKitCommandBar::Clone(BOOL bRecursive) const
{
    auto* pBar = static_cast<CKitCommandBar*>(GetRuntimeClass()->CreateObject());
    if (pBar == nullptr)
        return nullptr;
    pBar->Copy(this, bRecursive);
    return pBar;
}

BOOL CKitCommandBar::IsSelectable(int nIndex) const
{
    CKitControl* pControl = GetControl(nIndex);
    return pControl != nullptr && pControl->IsVisible() && pControl->GetParent() == this;
}

BOOL CKitCommandBar::IsHorizontalNavigation() const
{
    return m_nBarPosition == kitBarTop || m_nBarPosition == kitBarBottom || m_nBarPosition == kitBarFloating ||
           (m_nBarPosition == kitBarPopup && m_nBarType == kitBarTypeNormal);
}

BOOL CKitCommandBar::SelectInNextRow(int nCode)
{
    CKitControl* pCurrent = GetControl(m_nSelected);
    if (pCurrent == nullptr)
        return FALSE;
    const CRect rcCurrent = pCurrent->GetRect();
    const int nCount = GetControlCount();
    const int nDirection = nCode == kitKeyCollapse ? -1 : 1;
    int nIndex = m_nSelected;
    for (int nStep = 1; nStep < nCount; nStep++) {
        nIndex = (nIndex + nDirection + nCount) % nCount;
        if (!IsSelectable(nIndex))
            continue;
        const CRect rc = GetControl(nIndex)->GetRect();
        if (rc.top != rcCurrent.top && rc.left < rcCurrent.right && rc.right > rcCurrent.left) {
            SetSelected(nIndex, kitSelectKeyboard);
            return TRUE;
        }
    }
    return FALSE;
}

BOOL CKitCommandBar::OnKeyDownBar(int nCode)
{
    if (nCode == kitKeySpace) {
        if (m_nBarType != kitBarTypeMenuBar)
            return FALSE;
        if (CKitCommandBarManager* pCommandBars = GetCommandBars())
            pCommandBars->ClosePopups();
        if (CWnd* pSite = GetSite())
            pSite->PostMessage(WM_SYSCOMMAND, SC_KEYMENU, kKeyMenuSpace);
        return TRUE;
    }
    if (nCode == kitKeyLeft)
        nCode = kitKeyPrevious;
    else if (nCode == kitKeyRight)
        nCode = kitKeyNext;
    if (nCode == kitKeyNext || nCode == kitKeyPrevious)
        RecalcKeyboardCues();

    if ((nCode == kitKeyCollapse || nCode == kitKeyExpand) && m_nPopuped == -1 && IsHorizontalNavigation()) {
        bool bRows = false;
        for (int i = 0; i < GetControlCount() && !bRows; i++)
            bRows = IsSelectable(i) && GetControl(i)->GetWrap();
        if (bRows)
            return SelectInNextRow(nCode);
    }
    switch (nCode) {
    case kitKeyNext:
        SetSelected(m_pControls->GetNext(m_nSelected, 1), kitSelectKeyboard);
        return TRUE;
    case kitKeyPrevious:
        SetSelected(m_pControls->GetNext(m_nSelected, -1), kitSelectKeyboardBack);
        return TRUE;
    case kitKeyHome:
        SetSelected(m_pControls->GetNext(-1, 1), kitSelectKeyboard);
        return TRUE;
    case kitKeyEnd:
        SetSelected(m_pControls->GetNext(-1, -1), kitSelectKeyboardBack);
        return TRUE;
    case kitKeyExpand:
        if (m_nSelected != -1 && m_nPopuped != m_nSelected) {
            const int nIndex = m_nSelected;
            SetSelected(-1, kitSelectKeyboard);
            SetSelected(nIndex, kitSelectKeyboard);
            OpenPopupAt(nIndex, TRUE);
            return TRUE;
        }
        return FALSE;
    case kitKeyCollapse:
        if (m_nPopuped != -1) {
            OpenPopupAt(-1);
            SetTrackingMode(1, FALSE, FALSE);
            return TRUE;
        }
        return FALSE;
    case kitKeyEscape:
        if (GetKeyboardTipCount() > 1) {
            // Back to the tips of the level above.
            CKitCommandBarManager* pCommandBars = GetCommandBars();
            pCommandBars->SetKeyboardTipLevel(pCommandBars->GetKeyboardTipLevel() - 1);
            ShowKeyboardTips();
            return TRUE;
        }
        if (CKitCommandBar* pParent = GetParentCommandBar()) {
            pParent->SetTrackingMode(1, FALSE, FALSE);
            SetTrackingMode(FALSE, TRUE, FALSE);
        } else {
            SetTrackingMode(FALSE, TRUE, FALSE);
        }
        return TRUE;
    case kitKeyReturn:
        if (CKitControl* pControl = GetControl(m_nSelected)) {
            const int nIndex = m_nSelected;
            SetSelected(-1, kitSelectKeyboard);
            SetSelected(nIndex, kitSelectKeyboard);
            pControl->OnClick(TRUE);
        }
        return TRUE;
    default:
        return FALSE;
    }
}

int CKitCommandBar::OnHookKeyDown(UINT nChar, LPARAM lParam)
{
    if (IsCustomizeMode())
        return CKitHookManagerHookAble::kStopAsking;
    if (m_nLockInput > 0)
        return CKitHookManagerHookAble::kHandled;
    // The site may change the key, or destroy the bar.
    if (CWnd* pSite = GetSite()) {
        InternalAddRef();
        pSite->SendMessage(WM_KIT_BAR_KEYDOWN, reinterpret_cast<WPARAM>(&nChar), reinterpret_cast<LPARAM>(this));
        const BOOL bGone = InternalRelease() == 0;
        if (bGone)
            return CKitHookManagerHookAble::kHandled;
    }
    // A control holding the keyboard focus (an edit field) has the first say.
    if (CKitControl* pSelected = GetControl(m_nSelected)) {
        if (pSelected->IsFocused()) {
            const int nAnswer = pSelected->OnHookKeyDown(nChar, lParam);
            if (nAnswer != CKitHookManagerHookAble::kNotHandled)
                return nAnswer;
        }
    }
    if (m_hWnd == nullptr)
        return CKitHookManagerHookAble::kHandled;
    const BOOL bShift = ::GetKeyState(VK_SHIFT) < 0;
    const BOOL bCtrl = ::GetKeyState(VK_CONTROL) < 0;
    switch (nChar) {
    case VK_TAB:
        if (bCtrl && GetCommandBars() != nullptr && GetRootParent()->IsKindOf(RUNTIME_CLASS(CKitToolBar)) &&
            GetCommandBars()->SetFocusToNextBar(this, bShift ? -1 : 1))
            return CKitHookManagerHookAble::kHandled;
        OnKeyDownBar(bShift ? kitKeyPrevious : kitKeyNext);
        if (CKitControl* pSelected = GetControl(m_nSelected)) {
            if (pSelected->IsFocusable())
                pSelected->SetFocused(TRUE);
        }
        return CKitHookManagerHookAble::kHandled;
    case VK_RETURN:
        OnKeyDownBar(kitKeyReturn);
        return CKitHookManagerHookAble::kHandled;
    case VK_ESCAPE:
        OnKeyDownBar(kitKeyEscape);
        return CKitHookManagerHookAble::kHandled;
    case VK_SPACE:
        if (OnKeyDownBar(kitKeySpace))
            return CKitHookManagerHookAble::kHandled;
        break;
    default:
        break;
    }
    HWND hFocus = ::GetFocus();
    if (hFocus != nullptr && ::IsChild(m_hWnd, hFocus))
        return CKitHookManagerHookAble::kStopAsking;

    const BOOL bHorizontal = IsHorizontalNavigation();
    const BOOL bRtl = IsLayoutRTLWindow() || IsLayoutRTL();
    int nCode = -1;
    switch (nChar) {
    case VK_HOME:
        nCode = kitKeyHome;
        break;
    case VK_END:
        nCode = kitKeyEnd;
        break;
    case VK_LEFT:
        nCode = bHorizontal ? (bRtl ? kitKeyRight : kitKeyLeft) : (bRtl ? kitKeyExpand : kitKeyCollapse);
        break;
    case VK_RIGHT:
        nCode = bHorizontal ? (bRtl ? kitKeyLeft : kitKeyRight) : (bRtl ? kitKeyCollapse : kitKeyExpand);
        break;
    case VK_UP:
        nCode = bHorizontal ? kitKeyCollapse : kitKeyPrevious;
        break;
    case VK_DOWN:
        nCode = bHorizontal ? kitKeyExpand : kitKeyNext;
        break;
    default:
        break;
    }
    if (nCode != -1) {
        OnKeyDownBar(nCode);
        return CKitHookManagerHookAble::kHandled;
    }
    if (::MapVirtualKeyA(nChar, MAPVK_VK_TO_CHAR) != 0 && !bCtrl && GetKeyboardTipCount() != 0) {
        OnTypedTipChar(nChar);
        return CKitHookManagerHookAble::kHandled;
    }
    if (::MapVirtualKeyA(nChar, MAPVK_VK_TO_CHAR) != 0 && !bCtrl) {
        BOOL bAmbiguous = FALSE;
        const int nIndex = FindAccelerator(nChar, &bAmbiguous);
        if (nIndex != -1) {
            SetSelected(nIndex, kitSelectKeyboard);
            if (!bAmbiguous)
                GetControl(nIndex)->OnClick(TRUE);
            return CKitHookManagerHookAble::kHandled;
        }
    }
    if (nChar != VK_SHIFT && nChar != VK_CONTROL)
        ::MessageBeep(0);
    return CKitHookManagerHookAble::kHandled;
}

int CKitCommandBar::FindAccelerator(UINT nKey, BOOL* pAmbiguous) const
{
    const int nCount = GetControlCount();
    int nExplicit = -1;
    int nImplicit = -1;
    int nImplicitMatches = 0;
    *pAmbiguous = FALSE;
    for (int nStep = 1; nStep <= nCount; nStep++) {
        const int nIndex = (m_nSelected + nStep + nCount) % nCount;
        CKitControl* pControl = GetControl(nIndex);
        if (!pControl->IsVisible() || !pControl->IsEnabled() || pControl->GetCaption().IsEmpty())
            continue;
        const CString& strCaption = pControl->GetCaption();
        const int nMnemonic = FindCaptionMnemonic(strCaption);
        if (nMnemonic >= 0 && nMnemonic + 1 < strCaption.GetLength()) {
            if (!CompareMnemonicKey(static_cast<BYTE>(strCaption[nMnemonic + 1]), nKey))
                continue;
            if (nExplicit != -1) {
                *pAmbiguous = TRUE;
                return nExplicit;
            }
            nExplicit = nIndex;
        } else if (CompareMnemonicKey(static_cast<BYTE>(strCaption[0]), nKey)) {
            if (nImplicit == -1)
                nImplicit = nIndex;
            nImplicitMatches++;
        }
    }
    if (nExplicit != -1)
        return nExplicit;
    *pAmbiguous = nImplicitMatches > 1;
    return nImplicit;
}

int CKitCommandBar::OnHookMessage(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam, LRESULT& /*lResult*/)
{
    if (!m_bTracking)
        return CKitHookManagerHookAble::kNotHandled;
    if (nMessage == WM_KEYDOWN) {
        // A key the keyboard hook offered and was let through is not handled twice.
        if (hWnd != nullptr && CKitKeyboardManager::GetThreadManager()->TakePassedKey(wParam, lParam))
            return CKitHookManagerHookAble::kNotHandled;
        return OnHookKeyDown(static_cast<UINT>(wParam), lParam);
    }
    if (nMessage == WM_MOUSEWHEEL) {
        if (CKitControl* pSelected = GetControl(m_nSelected)) {
            const CPoint pt(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
            if (pSelected->OnHookMouseWheel(GET_KEYSTATE_WPARAM(wParam), GET_WHEEL_DELTA_WPARAM(wParam), pt))
                return CKitHookManagerHookAble::kHandled;
        }
        HWND hFocus = ::GetFocus();
        return hFocus != nullptr && ::IsChild(m_hWnd, hFocus) ? CKitHookManagerHookAble::kStopAsking
                                                               : CKitHookManagerHookAble::kHandled;
    }
    return CKitHookManagerHookAble::kNotHandled;
}

int CKitCommandBar::OnControlsChanged()
{
    m_dwState |= kStateLayoutPending;
    m_nSelected = -1;
    m_nPopuped = -1;
    return -1;
}

int CKitCommandBar::IsPointInBar(CPoint ptScreen) const
{
    if (GetSafeHwnd() == nullptr)
        return 0;
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    if (!rcWindow.PtInRect(ptScreen))
        return 0;
    if (m_nBarPosition == kitBarPopup) {
        HRGN hRegion = ::CreateRectRgn(0, 0, 0, 0);
        const int nRegion = ::GetWindowRgn(m_hWnd, hRegion);
        const BOOL bOutside = nRegion != ERROR &&
                              !::PtInRegion(hRegion, ptScreen.x - rcWindow.left, ptScreen.y - rcWindow.top);
        ::DeleteObject(hRegion);
        if (bOutside)
            return 0;
    }
    return 1;
}

void CKitCommandBar::OnRemoved()
{
    if (m_bTracking)
        SetTrackingMode(FALSE, TRUE, FALSE);
    CKitHookManager::Instance()->RemoveAll(this);
    CKitMouseManager::GetThreadManager()->ForgetBar(this);
    CKitKeyboardManager::GetThreadManager()->UnhookKeyboard(this);
    m_pControls->RemoveAll();
    if (GetSafeHwnd() != nullptr)
        DestroyWindow();
}

void CKitCommandBar::OnUpdateCmdUI()
{
    CWnd* pTarget = GetOwnerSite();
    if (pTarget == nullptr)
        return;
    CKitCommandBarManager* pCommandBars = GetCommandBars();
    const BOOL bDisableIfNoHandler =
        pCommandBars != nullptr && pCommandBars->GetCommandBarsOptions()->bDisableIfNoHandler;
    for (int i = 0; i < GetControlCount(); i++) {
        CKitControl* pControl = GetControl(i);
        if (!pControl->IsVisible(kHideFlagsIgnoredByUpdate))
            continue;
        pControl->OnIdleUpdate();
        if ((pControl->GetFlags() & kitFlagManualUpdate) != 0 || pControl->GetId() == 0)
            continue;
        CCommandBarCmdUI state;
        state.m_pControl = pControl;
        state.m_nID = pControl->GetId();
        state.m_nIndex = static_cast<UINT>(i);
        state.m_nIndexMax = static_cast<UINT>(GetControlCount());
        if (OnCmdMsg(state.m_nID, CN_UPDATE_COMMAND_UI, &state, nullptr))
            continue;
        if (!IsCustomizeMode())
            state.DoUpdate(pTarget, bDisableIfNoHandler);
        else if (pControl->GetEnabledState() != -1)
            pControl->SetEnabled(TRUE);
    }
    if (GetSafeHwnd() != nullptr)
        UpdateDialogControls(pTarget, bDisableIfNoHandler);
}

void CKitCommandBar::OnIdleUpdateCmdUI()
{
    if (GetSafeHwnd() == nullptr || !IsWindowVisible())
        return;
    if (CKitCommandBarManager* pCommandBars = GetCommandBars()) {
        const UINT nTemplate = pCommandBars->GetActiveDocTemplate();
        for (int i = 0; i < GetControlCount(); ++i) {
            CKitControl* pControl = GetControl(i);
            if (pControl->GetParent() == this && pControl->UpdateDocTemplateVisibility(nTemplate))
                m_dwState |= kStateLayoutPending;
        }
    }
    OnUpdateCmdUI();
    if (m_dwState & kStateRedrawPending)
        Redraw();
    if (m_dwState & kStateLayoutPending) {
        OnRecalcLayout();
        m_dwState &= ~kStateLayoutPending;
    }
}

void CKitCommandBar::UpdateShortcuts()
{
    CKitCommandBarManager* pCommandBars = GetCommandBars();
    if (pCommandBars == nullptr || !pCommandBars->GetCommandBarsOptions()->bAutoShortcuts)
        return;
    const BOOL bClear = GetRootParent()->GetType() == kitBarTypePopup &&
                        !pCommandBars->GetCommandBarsOptions()->bShortcutsInContextMenus;
    for (int i = 0; i < GetControlCount(); ++i) {
        CKitControl* pControl = GetControl(i);
        if (pControl->GetParent() != this || pControl->GetId() == 0 || !pControl->IsVisible())
            continue;
        // Without an accelerator the text taken from the caption stays.
        CString strText;
        if (bClear || pCommandBars->FindShortcutText(pControl->GetId(), strText))
            pControl->SetShortcutTextAuto(strText);
    }
}

INT_PTR CKitCommandBar::OnToolHitTest(CPoint point, TOOLINFOA* pTI) const
{
    CKitCommandBarManager* pCommandBars = GetCommandBars();
    if (pCommandBars == nullptr || !pCommandBars->GetCommandBarsOptions()->bShowTooltips)
        return -1;
    const BOOL bPopup = m_nBarType == kitBarTypePopup;
    if (!bPopup && m_bTracking == 2)
        return -1;
    CKitControl* pControl = HitTest(point);
    if (pControl == nullptr)
        return -1;
    if (bPopup && !pCommandBars->GetCommandBarsOptions()->bTooltipsInPopups &&
        (pControl->GetFlags() & kitFlagShowTooltip) == 0)
        return -1;
    const INT_PTR nOwnTool = pControl->OnToolHitTest(point, pTI);
    if (nOwnTool != CKitControl::kToolHitOwn)
        return nOwnTool;
    CString strText = pControl->GetTooltip();
    if (!strText.IsEmpty() && strText[0] != '<' && pCommandBars->GetCommandBarsOptions()->bShortcutsInTooltips) {
        CString strShortcut = pControl->GetShortcutText();
        if (strShortcut.IsEmpty())
            pCommandBars->FindShortcutText(pControl->GetId(), strShortcut);
        if (!strShortcut.IsEmpty())
            strText += " (" + strShortcut + ")";
    }
    const INT_PTR nHit = pControl->GetId() != 0 ? static_cast<INT_PTR>(pControl->GetId()) : -1;
    CKitToolTipContext::FillInToolInfoEx(pTI, m_hWnd, pControl->GetRect(), nHit, strText, strText,
                                         pControl->GetDescription(), GetImageManager());
    return nHit;
}

void CKitCommandBar::RecalcKeyboardCues()
{
    if (CKitCommandBarManager* pCommandBars = GetCommandBars())
        pCommandBars->RecalcKeyboardCues();
}

LRESULT CKitCommandBar::OnNcCreateSynchronized(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    const LRESULT lResult = Default();
    if (lResult == 0 || (::GetWindowLongA(m_hWnd, GWL_STYLE) & kStyleSyncActive) == 0)
        return lResult;
    // The top-level parent is active when it is the foreground window, or when the foreground window is its
    // last active popup and keeps its activation in step with it.
    HWND hTop = m_hWnd;
    for (HWND hUp = ::GetParent(hTop); hUp != nullptr; hUp = ::GetParent(hUp))
        hTop = hUp;
    const HWND hForeground = ::GetForegroundWindow();
    BOOL bActive = hTop != m_hWnd && hForeground == hTop;
    if (!bActive && hTop != m_hWnd && hForeground != nullptr && ::GetLastActivePopup(hTop) == hForeground)
        bActive = ::SendMessageA(hForeground, WM_FLOATSTATUS, FS_SYNCACTIVE, 0) != 0;
    SendMessage(WM_FLOATSTATUS, bActive ? FS_ACTIVATE : FS_DEACTIVATE, 0);
    return lResult;
}

LRESULT CKitCommandBar::OnFloatStatusSynchronized(WPARAM wParam, LPARAM /*lParam*/)
{
    return (wParam & FS_SYNCACTIVE) != 0 && (::GetWindowLongA(m_hWnd, GWL_STYLE) & kStyleSyncActive) != 0;
}

int CKitCommandBar::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (m_nBarPosition != kitBarListBox) {
        if (CKitCommandBarManager* pCommandBars = GetCommandBars())
            pCommandBars->RegisterBar(this);
    }
    return 0;
}

void CKitCommandBar::OnDestroy()
{
    if (m_nBarPosition != kitBarListBox) {
        if (CKitCommandBarManager* pCommandBars = GetCommandBars())
            pCommandBars->UnregisterBar(this);
    }
    if (m_bTracking)
        SetTrackingMode(FALSE, TRUE, FALSE);
    m_pAnimation->OnDestroy();
    CWnd::OnDestroy();
}

void CKitCommandBar::OnPaint()
{
    CPaintDC dcPaint(this);
    m_pAnimation->Paint(&dcPaint, dcPaint.m_ps.rcPaint);
}

BOOL CKitCommandBar::OnEraseBkgnd(CDC* /*pDC*/)
{
    return TRUE;
}

LRESULT CKitCommandBar::OnPrintClient(WPARAM wParam, LPARAM /*lParam*/)
{
    CRect rcClient;
    GetClientRect(&rcClient);
    CDC* pDC = CDC::FromHandle(reinterpret_cast<HDC>(wParam));
    DrawCommandBar(pDC, rcClient);
    return 1;
}

LRESULT CKitCommandBar::OnIdleUpdateCmdUIMessage(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    OnIdleUpdateCmdUI();
    return 0;
}

void CKitCommandBar::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == CKitCommandBarAnimation::kTimerAnimation) {
        m_pAnimation->OnTimer();
        return;
    }
    if (nIDEvent == kTimerKeyboardTips) {
        KillTimer(kTimerKeyboardTips);
        CKitCommandBarManager* pCommandBars = GetCommandBars();
        if (m_bTracking && pCommandBars != nullptr && pCommandBars->GetKeyboardTips().empty())
            ShowKeyboardTips();
        return;
    }
    if (nIDEvent == kTimerHover || nIDEvent == kTimerExpand) {
        if (m_nLockInput > 0)
            return;
        KillTimer(nIDEvent);
        CKitControl* pSelected = GetControl(m_nSelected);
        if (nIDEvent == kTimerHover && pSelected != nullptr)
            pSelected->OnMouseHover();
        else if (nIDEvent == kTimerExpand && pSelected != nullptr && m_nSelected == m_nPopuped)
            static_cast<CKitControlPopup*>(pSelected)->ExpandPopup();
        return;
    }
    CWnd::OnTimer(nIDEvent);
}

void CKitCommandBar::OnMouseMoveBar(UINT /*nFlags*/, CPoint point)
{
    CKitMouseManager* pMouse = CKitMouseManager::GetThreadManager();
    if (pMouse->IsTrackingLocked(this) || pMouse->IsMouseLocked())
        return;
    if (!m_bTracking && m_nBarPosition != kitBarPopup && !CKitDrawHelpers::IsTopParentActive(this))
        return;
    if (m_nPopuped != -1 && !m_bHoverSelect)
        return;
    if (IsCustomizeMode())
        return;
    int nIndex = -1;
    if (CKitControl* pControl = HitTest(point, &nIndex)) {
        pControl->OnMouseMove(point);
        pMouse->TrackMouseLeave(m_hWnd);
        SetSelected(nIndex, kitSelectMouse);
        return;
    }
    if (m_bTracking)
        return;
    if (m_nBarPosition == kitBarPopup && (m_nPopuped != -1 || m_nSelectionMode != kitSelectMouse))
        return;
    SetSelected(-1, kitSelectMouse);
}

void CKitCommandBar::OnMouseLeaveBar()
{
    if (m_bTracking || m_nLockInput > 0 || (m_nBarType == kitBarTypePopup && m_nPopuped != -1))
        return;
    SetSelected(-1, kitSelectMouse);
}

void CKitCommandBar::OnMouseMove(UINT nFlags, CPoint point)
{
    OnMouseMoveBar(nFlags, point);
}

LRESULT CKitCommandBar::OnMouseLeave(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    OnMouseLeaveBar();
    return 0;
}

CKitControl* CKitCommandBar::GetButtonTarget(CPoint point)
{
    CKitControl* pControl = HitTest(point);
    if (pControl == nullptr) {
        Default();
        return nullptr;
    }
    return IsCustomizeMode() ? nullptr : pControl;
}

void CKitCommandBar::OnLButtonDown(UINT /*nFlags*/, CPoint point)
{
    // A popup toolbar first closes a popup that is not under the point.
    if (m_nBarPosition == kitBarPopup && m_nBarType == kitBarTypeNormal && m_nPopuped != -1 &&
        GetControl(m_nPopuped) != HitTest(point)) {
        const BOOL bSelectedPopup = m_nSelected == m_nPopuped;
        OpenPopupAt(-1);
        if (bSelectedPopup)
            SetSelected(-1, kitSelectMouse);
    }
    if (CKitControl* pControl = GetButtonTarget(point))
        pControl->OnLButtonDown(point);
}

void CKitCommandBar::OnLButtonUp(UINT /*nFlags*/, CPoint point)
{
    if (CKitControl* pControl = GetButtonTarget(point))
        pControl->OnLButtonUp(point);
}

void CKitCommandBar::OnLButtonDblClk(UINT /*nFlags*/, CPoint point)
{
    if (CKitControl* pControl = GetButtonTarget(point))
        pControl->OnLButtonDblClk(point);
}

void CKitCommandBar::OnRButtonUp(UINT /*nFlags*/, CPoint point)
{
    if (IsCustomizeMode())
        return;
    CKitControl* pControl = HitTest(point);
    if (pControl == nullptr)
        return;
    CWnd* pSite = GetSite();
    if (pSite != nullptr && pSite->SendMessage(WM_KIT_CONTROL_RBUTTONUP, reinterpret_cast<WPARAM>(&point),
                                               reinterpret_cast<LPARAM>(pControl)) == 1)
        return;
    if (pControl->OnRButtonUp(point))
        return;
}

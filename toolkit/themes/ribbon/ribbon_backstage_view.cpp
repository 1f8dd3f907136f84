// CKitRibbonBackstageView, CKitRibbonBackstageCommand, CKitRibbonBackstageTab: the full-window view the system
// button opens in place of its popup menu, with its menu entries.
#include "toolkit/themes/ribbon/ribbon_backstage_view.h"

#include "framework/gdi.h"
#include "framework/ids.h"
#include "toolkit/commandbars/command_bar_manager.h"
#include "toolkit/commandbars/controls.h"
#include "toolkit/commandbars/hook_manager.h"
#include "toolkit/commandbars/keyboard_manager.h"
#include "toolkit/common/color_manager.h"
#include "toolkit/common/draw_helpers.h"
#include "toolkit/common/image_manager.h"
#include "toolkit/common/resource_images.h"
#include "toolkit/themes/paint/frame_hook.h"
#include "toolkit/themes/paint/paint_manager.h"
#include "toolkit/themes/ribbon/ribbon_bar.h"
#include "toolkit/themes/ribbon/ribbon_paint_manager.h"
#include "toolkit/themes/ribbon/ribbon_system_button.h"

#include <windowsx.h>

#include <algorithm>

IMPLEMENT_DYNCREATE(CKitRibbonBackstageCommand, CKitControl)
IMPLEMENT_DYNCREATE(CKitRibbonBackstageTab, CKitControl)
IMPLEMENT_DYNCREATE(CKitRibbonBackstageView, CKitCommandBar)

namespace {

constexpr int kCommandFontHeight = -11;
constexpr int kTabFontHeight = -12;
// Entry heights: at least these, else the text height plus a margin.
constexpr int kMinCommandHeight = 26;
constexpr int kMinTabHeight = 37;
// A caption's width plus this is the menu width the entry needs; an icon adds kIconExtra and its width.
constexpr int kCaptionExtra = 33;
constexpr int kIconExtra = 7;
constexpr int kMenuTop = 7;
constexpr int kCommandInset = 6;
constexpr int kTabTextIndent = 21;
constexpr int kCommandTextIndent = 15;
constexpr int kIconTextGap = 7;
// The colour-manager index of grey text.
constexpr int kColorDisabledText = 35;
constexpr UINT kTextFlags = DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_HIDEPREFIX;
const CRect kImageMargins(2, 2, 2, 2);

void MakeIconFont(CFont& font, int nHeight)
{
    LOGFONTA lf = {};
    CKitDrawHelpers::GetIconLogFont(&lf);
    lf.lfHeight = nHeight;
    font.CreateFontIndirect(&lf);
}

// Draws state nState of nStates of the named theme picture over rc; FALSE without it.
BOOL DrawThemeImage(CKitRibbonPaintManager* pRibbon, CDC* pDC, LPCSTR lpszName, const CRect& rc, int nState,
                    int nStates, const CRect& rcMargins)
{
    CKitResourceImage* pImage = pRibbon != nullptr ? pRibbon->LoadRibbonImage(lpszName) : nullptr;
    if (pImage == nullptr || rc.IsRectEmpty())
        return FALSE;
    pImage->DrawImage(pDC, rc, pImage->GetSource(nState, nStates), rcMargins);
    return TRUE;
}

} // namespace

void CKitRibbonBackstageTab::Copy(const CKitControl* pSource, BOOL bRecursive)
{
    CKitControl::Copy(pSource, bRecursive);
    if (const auto* pTab = dynamic_cast<const CKitRibbonBackstageTab*>(pSource)) {
        m_hPage = pTab->m_hPage;
        m_nMinPageWidth = pTab->m_nMinPageWidth;
        m_nMinPageHeight = pTab->m_nMinPageHeight;
    }
}

BEGIN_MESSAGE_MAP(CKitRibbonBackstageView, CKitCommandBar)
    ON_MESSAGE(WM_PAINT, &CKitRibbonBackstageView::OnPaintMessage)
    ON_MESSAGE(WM_KEYDOWN, &CKitRibbonBackstageView::OnKeyDownMessage)
    ON_COMMAND(IDCANCEL, &CKitRibbonBackstageView::OnCancel)
    ON_MESSAGE(WM_MOUSEMOVE, &CKitRibbonBackstageView::OnMouseMoveMessage)
    ON_MESSAGE(WM_MOUSELEAVE, &CKitRibbonBackstageView::OnMouseLeaveMessage)
    ON_MESSAGE(WM_LBUTTONDOWN, &CKitRibbonBackstageView::OnLButtonDownMessage)
    ON_MESSAGE(WM_LBUTTONUP, &CKitRibbonBackstageView::OnLButtonUpMessage)
    ON_MESSAGE(WM_GETDLGCODE, &CKitRibbonBackstageView::OnGetDlgCodeMessage)
    ON_MESSAGE(WM_DESTROY, &CKitRibbonBackstageView::OnDestroyMessage)
END_MESSAGE_MAP()

CKitRibbonBackstageView::CKitRibbonBackstageView()
{
    MakeIconFont(m_fontCommand, kCommandFontHeight);
    MakeIconFont(m_fontTab, kTabFontHeight);
}

CKitRibbonBackstageView::~CKitRibbonBackstageView()
{
    if (GetSafeHwnd() != nullptr)
        DestroyWindow();
}

CKitRibbonBar* CKitRibbonBackstageView::GetRibbonBar() const
{
    return m_pSystemButton != nullptr ? dynamic_cast<CKitRibbonBar*>(m_pSystemButton->GetParent()) : nullptr;
}

BOOL CKitRibbonBackstageView::ShowBackstage(CKitControl* pButton)
{
    auto* pSystemButton = dynamic_cast<CKitRibbonControlSystemButton*>(pButton);
    CKitCommandBarManager* pCommandBars = GetCommandBars();
    CWnd* pSite = pCommandBars != nullptr ? pCommandBars->GetSite() : nullptr;
    if (pSystemButton == nullptr || pSite == nullptr || pSite->GetSafeHwnd() == nullptr)
        return FALSE;
    m_pSystemButton = pSystemButton;
    pCommandBars->ClosePopups();
    SetTrackingMode(TRUE);
    pSystemButton->SetPopuped(TRUE);
    m_pHot = nullptr;
    m_pFocused = nullptr;
    if (CWnd* pOwner = GetOwnerSite())
        pOwner->SendMessage(WM_KIT_INIT_POPUP, 0, reinterpret_cast<LPARAM>(this));

    if (GetSafeHwnd() == nullptr &&
        !CreateEx(0, KitRegisterBarClass("KitRibbonBackstageView", 0), "", WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN,
                  CRect(0, 0, 0, 0), pSite, 0)) {
        SetTrackingMode(FALSE);
        return FALSE;
    }
    m_hSite = pSite->GetSafeHwnd();
    CKitHookManager::Instance()->SetHook(m_hSite, this);
    CKitKeyboardManager::GetThreadManager()->HookKeyboard(this);
    // The ribbon puts its groups away under the view.
    if (CKitRibbonBar* pRibbonBar = GetRibbonBar())
        pRibbonBar->RecalcRibbonLayout();
    RecalcLayout();
    HideSiteWindows();
    SetFocus();
    for (int i = 0; i < GetControlCount(); i++) {
        if (GetControl(i)->IsDefaultItem()) {
            SetFocusedEntry(GetControl(i));
            break;
        }
    }
    OnIdleUpdateCmdUI();
    for (int i = 0; i < GetControlCount(); i++)
        GetControl(i)->OnEnabledChanged();
    return TRUE;
}

void CKitRibbonBackstageView::HideSiteWindows()
{
    m_hiddenWindows.clear();
    for (HWND hChild = ::GetWindow(m_hSite, GW_CHILD); hChild != nullptr; hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
        if (hChild == m_hWnd || ::GetDlgCtrlID(hChild) == AFX_IDW_DOCKBAR_TOP)
            continue;
        if (::IsWindowVisible(hChild) && ::IsWindowEnabled(hChild))
            m_hiddenWindows.push_back(hChild);
    }
    for (HWND hChild : m_hiddenWindows)
        ::ShowWindow(hChild, SW_HIDE);
}

void CKitRibbonBackstageView::NotifyRibbonControls()
{
    if (CKitRibbonBar* pRibbonBar = GetRibbonBar()) {
        for (int i = 0; i < pRibbonBar->GetControlCount(); i++)
            pRibbonBar->GetControl(i)->OnEnabledChanged();
    }
}

BOOL CKitRibbonBackstageView::SetTrackingMode(int nMode, BOOL /*bSelectFirst*/, BOOL /*bKeyboard*/)
{
    const BOOL bTracking = nMode != FALSE;
    if (bTracking == m_bTracking)
        return TRUE;
    m_bTracking = bTracking;
    NotifyRibbonControls();
    if (!bTracking && GetSafeHwnd() != nullptr)
        DestroyWindow();
    return TRUE;
}

LRESULT CKitRibbonBackstageView::OnDestroyMessage(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    m_bTracking = FALSE;
    if (m_hSite != nullptr)
        CKitHookManager::Instance()->RemoveHook(m_hSite, this);
    for (HWND hWnd : m_hiddenWindows) {
        if (::IsWindow(hWnd))
            ::ShowWindow(hWnd, SW_SHOWNOACTIVATE);
    }
    m_hiddenWindows.clear();
    SetActiveTab(nullptr);
    if (m_pSystemButton != nullptr) {
        m_pSystemButton->SetPopuped(FALSE);
        if (CKitRibbonBar* pRibbonBar = GetRibbonBar())
            pRibbonBar->RecalcRibbonLayout();
        else if (CKitCommandBar* pBar = m_pSystemButton->GetParent())
            pBar->Redraw();
    }
    CKitKeyboardManager::GetThreadManager()->UnhookKeyboard(this);
    m_pSystemButton = nullptr;
    m_hSite = nullptr;
    m_pHot = nullptr;
    m_pFocused = nullptr;
    return Default();
}

int CKitRibbonBackstageView::GetCaptionWidth(CDC* pDC, CKitControl* pEntry)
{
    return pDC->GetTextExtent(pEntry->GetCaption()).cx;
}

void CKitRibbonBackstageView::LayoutEntries(CDC* pDC)
{
    CFont* pOldFont = pDC->SelectObject(&m_fontCommand);
    const int nTextHeight = pDC->GetTextExtent("X").cy;
    const int nCommandHeight = std::max(kMinCommandHeight, nTextHeight + 6);
    const int nTabHeight = std::max(kMinTabHeight, nTextHeight + 10);
    m_nMenuWidth = kMinMenuWidth;
    for (int i = 0; i < GetControlCount(); i++) {
        CKitControl* pEntry = GetControl(i);
        if (!pEntry->IsVisible())
            continue;
        pDC->SelectObject(GetEntryFont(pEntry));
        int w = GetCaptionWidth(pDC, pEntry) + kCaptionExtra;
        if (CKitImageManagerIcon* pIcon = pEntry->GetIcon(16))
            w += kIconExtra + pIcon->GetWidth();
        m_nMenuWidth = std::max(m_nMenuWidth, w);
    }
    int y = kMenuTop;
    for (int i = 0; i < GetControlCount(); i++) {
        CKitControl* pEntry = GetControl(i);
        if (!pEntry->IsVisible())
            continue;
        if (IsTab(pEntry)) {
            pEntry->SetRect(CRect(0, y, m_nMenuWidth, y + nTabHeight));
            y += nTabHeight + 1;
        } else {
            pEntry->SetRect(CRect(kCommandInset, y, m_nMenuWidth - kCommandInset, y + nCommandHeight));
            y += nCommandHeight + 2;
        }
    }
    pDC->SelectObject(pOldFont);
}

void CKitRibbonBackstageView::RecalcLayout()
{
    if (GetSafeHwnd() == nullptr || m_hSite == nullptr)
        return;
    int nTop = 0;
    CKitRibbonBar* pRibbonBar = GetRibbonBar();
    if (pRibbonBar != nullptr && pRibbonBar->GetSafeHwnd() != nullptr && pRibbonBar->IsWindowVisible()) {
        CKitFrameHook* pHook = pRibbonBar->GetFrameHook();
        nTop = pRibbonBar->GetTabsHeight() + pRibbonBar->GetCaptionHeight() +
               (pHook != nullptr && pHook->IsActive() ? pHook->GetCaptionHeight() : 0) + 1;
    }
    CRect rcSite;
    ::GetClientRect(m_hSite, &rcSite);
    rcSite.top = nTop;
    ::SetWindowPos(m_hWnd, HWND_TOP, rcSite.left, rcSite.top, rcSite.Width(), std::max<int>(0, rcSite.Height()),
                   SWP_SHOWWINDOW);
    {
        CClientDC dc(this);
        LayoutEntries(&dc);
    }
    if (HWND hPage = GetActivePage()) {
        CRect rcClient;
        GetClientRect(&rcClient);
        const CRect rcPage(m_nMenuWidth, 2, std::max<int>(rcClient.right, m_nMenuWidth + m_pActiveTab->GetMinimumPageWidth()),
                           std::max<int>(rcClient.Height(), m_pActiveTab->GetMinimumPageHeight() + 2));
        ::SetWindowPos(hPage, nullptr, rcPage.left, rcPage.top, rcPage.Width(), rcPage.Height(),
                       SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    }
    Invalidate();
}

CKitControl* CKitRibbonBackstageView::HitTest(CPoint pt) const
{
    for (int i = 0; i < GetControlCount(); i++) {
        CKitControl* pEntry = GetControl(i);
        if (pEntry->IsVisible() && pEntry->GetRect().PtInRect(pt))
            return pEntry;
    }
    return nullptr;
}

int CKitRibbonBackstageView::IndexOf(CKitControl* pEntry) const
{
    return m_pControls->IndexOf(pEntry);
}

HWND CKitRibbonBackstageView::GetActivePage() const
{
    if (m_pActiveTab == nullptr || !::IsWindow(m_pActiveTab->GetPage()))
        return nullptr;
    return m_pActiveTab->GetPage();
}

void CKitRibbonBackstageView::SetFocusedEntry(CKitControl* pEntry)
{
    if (pEntry == m_pFocused)
        return;
    m_pFocused = pEntry;
    if (pEntry != nullptr && IsTab(pEntry) && pEntry->IsEnabled())
        SetActiveTab(static_cast<CKitRibbonBackstageTab*>(pEntry));
    if (GetSafeHwnd() != nullptr)
        Invalidate();
}

void CKitRibbonBackstageView::SetActiveTab(CKitRibbonBackstageTab* pTab)
{
    HWND hNew = pTab != nullptr && ::IsWindow(pTab->GetPage()) ? pTab->GetPage() : nullptr;
    if (hNew != nullptr && GetSafeHwnd() != nullptr) {
        ::SetWindowLongPtrA(hNew, GWL_STYLE, (::GetWindowLongPtrA(hNew, GWL_STYLE) & ~WS_POPUP) | WS_CHILD);
        ::SetWindowLongPtrA(hNew, GWL_EXSTYLE, ::GetWindowLongPtrA(hNew, GWL_EXSTYLE) | WS_EX_CONTROLPARENT);
        ::SetParent(hNew, m_hWnd);
    }
    HWND hOld = GetActivePage();
    if (hOld != nullptr && hOld != hNew) {
        ::ShowWindow(hOld, SW_HIDE);
        if (CWnd* pOwner = GetOwnerSite())
            ::SetParent(hOld, pOwner->GetSafeHwnd());
    }
    m_pActiveTab = pTab;
    if (pTab != nullptr)
        pTab->NotifySite(kNotifyActiveTab);
    RecalcLayout();
}

int CKitRibbonBackstageView::OnControlsChanged()
{
    const int nResult = CKitCommandBar::OnControlsChanged();
    // The entry is still alive here: its collection releases it afterwards.
    const auto gone = [this](const CKitControl* pEntry) { return pEntry != nullptr && m_pControls->IndexOf(pEntry) < 0; };
    if (gone(m_pHot))
        m_pHot = nullptr;
    if (gone(m_pFocused))
        m_pFocused = nullptr;
    if (gone(m_pActiveTab))
        SetActiveTab(nullptr);
    return nResult;
}

void CKitRibbonBackstageView::Execute(CKitControl* pEntry)
{
    SetTrackingMode(FALSE);
    pEntry->OnExecute();
}

void CKitRibbonBackstageView::OnMouseMoveAt(CPoint pt)
{
    CKitControl* pEntry = HitTest(pt);
    if (pEntry != nullptr && !pEntry->IsEnabled())
        pEntry = nullptr;
    if (pEntry == m_pHot)
        return;
    m_pHot = pEntry;
    if (GetSafeHwnd() == nullptr)
        return;
    if (pEntry != nullptr) {
        TRACKMOUSEEVENT tme = {sizeof(TRACKMOUSEEVENT), TME_LEAVE, m_hWnd, 0};
        ::TrackMouseEvent(&tme);
    }
    Invalidate();
}

void CKitRibbonBackstageView::OnLButtonDownAt(CPoint pt)
{
    if (GetSafeHwnd() != nullptr)
        SetFocus();
    CKitControl* pEntry = HitTest(pt);
    SetFocusedEntry(pEntry != nullptr && pEntry->IsEnabled() ? pEntry : nullptr);
}

void CKitRibbonBackstageView::OnLButtonUpAt(CPoint pt)
{
    CKitControl* pEntry = HitTest(pt);
    if (pEntry != nullptr && !IsTab(pEntry) && pEntry == m_pFocused && pEntry->IsEnabled())
        Execute(pEntry);
}

void CKitRibbonBackstageView::OnKey(UINT nChar)
{
    switch (nChar) {
    case VK_SPACE:
    case VK_RETURN:
        if (m_pFocused != nullptr && !IsTab(m_pFocused) && m_pFocused->IsEnabled())
            Execute(m_pFocused);
        break;
    case VK_ESCAPE:
        Close();
        break;
    case VK_DOWN:
    case VK_UP: {
        CKitControl* pFrom = m_pFocused != nullptr ? m_pFocused : m_pHot;
        const int nNext = m_pControls->GetNext(pFrom != nullptr ? IndexOf(pFrom) : -1, nChar == VK_DOWN ? +1 : -1);
        if (nNext >= 0)
            SetFocusedEntry(GetControl(nNext));
        break;
    }
    case VK_TAB:
        if (HWND hPage = GetActivePage()) {
            ::SetFocus(hPage);
            ::SendMessageA(hPage, WM_NEXTDLGCTL, 0, FALSE);
        }
        break;
    default:
        break;
    }
}

void CKitRibbonBackstageView::DrawEntry(CDC* pDC, CKitControl* pEntry, COLORREF clrText)
{
    CKitRibbonPaintManager* pRibbon = CKitPaintManager::FromPainter(GetPaintManager())->GetRibbonPaintManager();
    const BOOL bEnabled = pEntry->IsEnabled();
    const BOOL bTab = IsTab(pEntry);
    const BOOL bActive = bTab && pEntry == m_pActiveTab;
    const BOOL bHighlighted = pEntry == m_pHot || pEntry == m_pFocused;
    const CRect rc = pEntry->GetRect();
    pDC->SetTextColor(!bEnabled ? CKitColorManager::Instance()->GetColor(kColorDisabledText)
                      : bActive ? RGB(255, 255, 255)
                                : clrText);
    int x = rc.left + (bTab ? kTabTextIndent : kCommandTextIndent);
    if (bTab && (bHighlighted || bActive)) {
        if (!DrawThemeImage(pRibbon, pDC, "BackstageMenuPage", rc, !bEnabled ? 3 : bActive ? 1 : 0, 4, kImageMargins))
            pDC->FillSolidRect(&rc, ::GetSysColor(bActive ? COLOR_HIGHLIGHT : COLOR_WINDOW));
        if (bActive) {
            CKitResourceImage* pGlyph = pRibbon != nullptr ? pRibbon->LoadRibbonImage("BackstageMenuPageGlyph") : nullptr;
            if (pGlyph != nullptr) {
                const CSize sz = pGlyph->GetExtent();
                const CRect rcGlyph(rc.right - sz.cx, rc.CenterPoint().y - sz.cy / 2, rc.right,
                                    rc.CenterPoint().y - sz.cy / 2 + sz.cy);
                pGlyph->DrawImage(pDC, rcGlyph, pGlyph->GetSource(0, 1), CRect(0, 0, 0, 0));
            }
        }
    } else if (!bTab && bHighlighted) {
        if (!DrawThemeImage(pRibbon, pDC, "BackstageMenuCommand", rc, bEnabled ? 0 : 2, 3, kImageMargins)) {
            pDC->FillSolidRect(&rc, ::GetSysColor(COLOR_WINDOW));
            pDC->Draw3dRect(&rc, ::GetSysColor(COLOR_3DSHADOW), ::GetSysColor(COLOR_3DSHADOW));
        }
    }
    if (CKitImageManagerIcon* pIcon = pEntry->GetIcon(16)) {
        const CSize sz = pIcon->GetExtent();
        const CRect rcIcon(rc.left, rc.top + 2, rc.right, rc.bottom - 2);
        pIcon->Draw(pDC, CPoint(x, rcIcon.CenterPoint().y - sz.cy / 2),
                    bEnabled ? pIcon->GetNormalIcon() : pIcon->GetDisabledIcon(), sz);
        x += sz.cx + kIconTextGap;
    }
    CFont* pOldFont = pDC->SelectObject(GetEntryFont(pEntry));
    CRect rcText(x, rc.top + 2, rc.right - 2, rc.bottom - 2);
    pDC->DrawText(pEntry->GetCaption(), &rcText, kTextFlags);
    pDC->SelectObject(pOldFont);
}

void CKitRibbonBackstageView::DrawCommandBar(CDC* pDC, CRect /*rcClip*/)
{
    CKitRibbonPaintManager* pRibbon = CKitPaintManager::FromPainter(GetPaintManager())->GetRibbonPaintManager();
    CRect rcClient;
    GetClientRect(&rcClient);
    COLORREF clrText = RGB(0, 0, 0);
    if (pRibbon != nullptr && pRibbon->GetImages() != nullptr)
        clrText = pRibbon->GetImages()->GetImageColor("Ribbon", "BackstageMenuTextColor", RGB(0, 0, 0));
    pDC->FillSolidRect(&rcClient, ::GetSysColor(COLOR_WINDOW));
    pDC->SetBkMode(TRANSPARENT);
    // Without the theme's pictures the system colours stand in.
    if (!DrawThemeImage(pRibbon, pDC, "BackstageTopBorder", CRect(0, 0, rcClient.right, 2), 0, 1, CRect(0, 0, 0, 0)))
        pDC->FillSolidRect(CRect(0, 0, rcClient.right, 2), ::GetSysColor(COLOR_3DSHADOW));
    if (!DrawThemeImage(pRibbon, pDC, "BackstageMenuBackground", CRect(0, 2, m_nMenuWidth, rcClient.bottom), 0, 1,
                        CRect(0, 0, 0, 0)))
    {
        pDC->FillSolidRect(CRect(0, 2, m_nMenuWidth, rcClient.bottom), ::GetSysColor(COLOR_3DLIGHT));
        pDC->FillSolidRect(CRect(m_nMenuWidth - 1, 2, m_nMenuWidth, rcClient.bottom), ::GetSysColor(COLOR_3DSHADOW));
    }
    for (int i = 0; i < GetControlCount(); i++) {
        CKitControl* pEntry = GetControl(i);
        if (pEntry->IsVisible())
            DrawEntry(pDC, pEntry, clrText);
    }
}

LRESULT CKitRibbonBackstageView::OnPaintMessage(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    CPaintDC dcPaint(this);
    CRect rcClient;
    GetClientRect(&rcClient);
    CDC dcMem;
    dcMem.CreateCompatibleDC(&dcPaint);
    CBitmap bmp;
    bmp.CreateCompatibleBitmap(&dcPaint, std::max<int>(1, rcClient.Width()), std::max<int>(1, rcClient.Height()));
    CBitmap* pOld = dcMem.SelectObject(&bmp);
    DrawCommandBar(&dcMem, rcClient);
    dcPaint.BitBlt(0, 0, rcClient.Width(), rcClient.Height(), &dcMem, 0, 0, SRCCOPY);
    dcMem.SelectObject(pOld);
    return 0;
}

LRESULT CKitRibbonBackstageView::OnKeyDownMessage(WPARAM wParam, LPARAM /*lParam*/)
{
    Default();
    OnKey(static_cast<UINT>(wParam));
    return 0;
}

void CKitRibbonBackstageView::OnCancel()
{
    Close();
}

LRESULT CKitRibbonBackstageView::OnMouseMoveMessage(WPARAM /*wParam*/, LPARAM lParam)
{
    OnMouseMoveAt(CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)));
    return 0;
}

LRESULT CKitRibbonBackstageView::OnMouseLeaveMessage(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    OnMouseMoveAt(CPoint(-1, -1));
    return 0;
}

LRESULT CKitRibbonBackstageView::OnLButtonDownMessage(WPARAM /*wParam*/, LPARAM lParam)
{
    OnLButtonDownAt(CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)));
    return 0;
}

LRESULT CKitRibbonBackstageView::OnLButtonUpMessage(WPARAM /*wParam*/, LPARAM lParam)
{
    OnLButtonUpAt(CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)));
    return 0;
}

LRESULT CKitRibbonBackstageView::OnGetDlgCodeMessage(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    return DLGC_WANTALLKEYS;
}

BOOL CKitRibbonBackstageView::IsFocusInMultiLineEdit() const
{
    HWND hFocus = ::GetFocus();
    if (hFocus == nullptr || m_hWnd == nullptr || !::IsChild(m_hWnd, hFocus))
        return FALSE;
    char szClass[16] = {};
    ::GetClassNameA(hFocus, szClass, sizeof(szClass));
    return ::lstrcmpiA(szClass, "Edit") == 0 && (::GetWindowLongA(hFocus, GWL_STYLE) & ES_MULTILINE) != 0;
}

int CKitRibbonBackstageView::OnHookMessage(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& /*lParam*/,
                                           LRESULT& /*lResult*/)
{
    // Keys and the wheel reach the view from the site and, through the keyboard hook (no window), from every
    // window of the thread: Escape closes the view, the rest goes on to the window with the focus.
    switch (nMessage) {
    case WM_KEYDOWN:
        // A multi-line edit of a page turns Escape into the view's cancel command before it is dispatched.
        if (wParam == VK_ESCAPE && m_hSite != nullptr && ::IsWindowEnabled(m_hSite) &&
            !(hWnd == nullptr && IsFocusInMultiLineEdit())) {
            Close();
            return kHandled;
        }
        return kStopAsking;
    case WM_KEYUP:
    case WM_MOUSEWHEEL:
        return kStopAsking;
    default:
        break;
    }
    if (hWnd != m_hSite)
        return kNotHandled;
    switch (nMessage) {
    case WM_WINDOWPOSCHANGED:
        RecalcLayout();
        return kNotHandled;
    case WM_CLOSE:
        Close();
        return kNotHandled;
    case WM_ACTIVATEAPP:
        if (GetSafeHwnd() != nullptr)
            SetFocus();
        return kNotHandled;
    default:
        return kNotHandled;
    }
}

BOOL CKitRibbonBackstageView::PreTranslateMessage(MSG* pMsg)
{
    if (CKitCommandBar::PreTranslateMessage(pMsg))
        return TRUE;
    if (pMsg->message == WM_KEYDOWN && (pMsg->wParam == VK_ESCAPE || pMsg->wParam == VK_CANCEL)) {
        char szClass[16] = {};
        ::GetClassNameA(pMsg->hwnd, szClass, sizeof(szClass));
        if (::lstrcmpiA(szClass, "Edit") == 0 && (::GetWindowLongA(pMsg->hwnd, GWL_STYLE) & ES_MULTILINE) != 0) {
            HWND hCancel = ::GetDlgItem(m_hWnd, IDCANCEL);
            if (hCancel == nullptr || ::IsWindowEnabled(hCancel)) {
                SendMessage(WM_COMMAND, IDCANCEL, 0);
                return TRUE;
            }
        }
    }
    return ::IsDialogMessageA(m_hWnd, pMsg);
}

// The skinned frame's state: which band draws the caption, the region for a size, the glass margin and the layout.
#include "toolkit/themes/paint/frame_hook.h"

#include "framework/ids.h"
#include "toolkit/commandbars/command_bar.h"
#include "toolkit/commandbars/command_bar_manager.h"
#include "toolkit/commandbars/controls.h"
#include "toolkit/commandbars/dock_bar.h"
#include "toolkit/common/theme_wrapper.h"
#include "toolkit/themes/paint/frame_paint_manager.h"
#include "toolkit/themes/paint/paint_manager.h"
#include "toolkit/themes/ribbon/ribbon_bar.h"
#include "toolkit/themes/ribbon/ribbon_paint_manager.h"

#include "framework/frame.h"

namespace {

// The width of the system frame for the window's styles: the left of an empty client rectangle made a window.
int SystemBorderWidth(HWND hWnd)
{
    RECT rc = {0, 0, 0, 0};
    ::AdjustWindowRectEx(&rc, static_cast<DWORD>(::GetWindowLongPtrA(hWnd, GWL_STYLE)), FALSE,
                         static_cast<DWORD>(::GetWindowLongPtrA(hWnd, GWL_EXSTYLE)));
    return -rc.left;
}

} // namespace

CKitFrameHook::CKitFrameHook(CWnd* pFrame, CKitRibbonBar* pRibbonBar, CKitCommandBarManager* pCommandBars)
    : m_hWnd(pFrame != nullptr ? pFrame->GetSafeHwnd() : nullptr), m_pRibbonBar(pRibbonBar),
      m_pCommandBars(pCommandBars), m_pCaptionButtons(new CKitControls())
{
    if (m_hWnd != nullptr)
        m_nBorderWidth = SystemBorderWidth(m_hWnd);
    if (m_pCommandBars != nullptr)
        m_pCommandBars->SetFrameHook(this);
}

CKitFrameHook::~CKitFrameHook()
{
    if (m_pCommandBars != nullptr && m_pCommandBars->GetFrameHook() == this)
        m_pCommandBars->SetFrameHook(nullptr);
    m_pCaptionButtons->InternalRelease();
}

DWORD CKitFrameHook::GetStyle(BOOL bExStyle) const
{
    if (m_hWnd == nullptr)
        return 0;
    return static_cast<DWORD>(::GetWindowLongPtrA(m_hWnd, bExStyle ? GWL_EXSTYLE : GWL_STYLE));
}

CKitPaintManager* CKitFrameHook::GetPaintManager() const
{
    if (m_pCommandBars != nullptr)
        return dynamic_cast<CKitPaintManager*>(m_pCommandBars->GetPaintManager());
    return m_pPaintManager != nullptr ? m_pPaintManager : CKitPaintManager::Instance();
}

CKitFramePaintManager* CKitFrameHook::GetFramePaintManager() const
{
    return GetPaintManager()->GetFramePaintManager();
}

BOOL CKitFrameHook::IsMDIMaximized() const
{
    return (GetStyle() & WS_MAXIMIZE) && (GetStyle(TRUE) & WS_EX_MDICHILD);
}

BOOL CKitFrameHook::IsCaptionOwnedByFrame() const
{
    if (m_pRibbonBar == nullptr || !m_pRibbonBar->IsVisible() || !m_pRibbonBar->IsRibbonVisible() ||
        m_pRibbonBar->GetPosition() != kitBarTop)
        return TRUE;
    return (GetStyle() & (WS_CHILD | WS_MINIMIZE)) == (WS_CHILD | WS_MINIMIZE);
}

int CKitFrameHook::GetCaptionHeight() const
{
    if (!IsCaptionOwnedByFrame())
        return m_pRibbonBar->GetCaptionHeight() + m_nBorderWidth;
    return GetFramePaintManager()->GetCaptionHeight() + m_nBorderWidth;
}

BOOL CKitFrameHook::IsFrameStatusBarMerged(int* pnHeight) const
{
    if (!GetFramePaintManager()->m_bFrameStatusBar || m_hWnd == nullptr)
        return FALSE;
    HWND hStatusBar = ::GetDlgItem(m_hWnd, AFX_IDW_STATUS_BAR);
    if (hStatusBar == nullptr || !(::GetWindowLongPtrA(hStatusBar, GWL_STYLE) & WS_VISIBLE) ||
        !GetPaintManager()->m_bThemedStatusBar)
        return FALSE;
    if (pnHeight != nullptr) {
        RECT rc;
        ::GetWindowRect(hStatusBar, &rc);
        *pnHeight = rc.bottom - rc.top;
    }
    return TRUE;
}

void CKitFrameHook::DrawRibbonFrameEdges(CDC* pDC) const
{
    if (m_pRibbonBar != nullptr)
        m_pRibbonBar->GetRibbonPaintManager()->DrawRibbonFlatFrameEdges(pDC, m_pRibbonBar);
}

int CKitFrameHook::GetFrameExtensionTop() const
{
    const BOOL bOwned = IsCaptionOwnedByFrame();
    int nTop = bOwned ? 0 : GetCaptionHeight();
    if (GetFramePaintManager()->m_nFlatFrame != 0 && !bOwned && m_pRibbonBar != nullptr)
        nTop += m_pRibbonBar->GetTabsHeight() + 1;
    if (m_bGlassOverTopDock && m_pCommandBars != nullptr) {
        if (CKitDockBar* pTopDock = m_pCommandBars->GetDockBar(kitBarTop)) {
            CRect rc;
            pTopDock->GetWindowRect(&rc);
            nTop += rc.Height();
        }
    }
    return nTop;
}

void CKitFrameHook::ExtendFrameIntoClient()
{
    CKitDwmFunctions::Instance()->ExtendFrameIntoClientArea(m_hWnd, 0, GetFrameExtensionTop(), 0, 0);
}

void CKitFrameHook::PostIdleUpdate()
{
    m_bUpdatePending = TRUE;
    ::PostMessageA(m_hWnd, WM_IDLEUPDATECMDUI, 0, 0);
}

void CKitFrameHook::RecalcFrameLayout()
{
    m_nLastWidth = m_nLastHeight = 0;
    m_bUpdatePending = FALSE;
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                   SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    if (auto* pFrame = AfxDynamicDownCast<CFrameWnd>(CWnd::FromHandlePermanent(m_hWnd))) {
        pFrame->RecalcLayout();
    } else {
        RECT rc;
        ::GetClientRect(m_hWnd, &rc);
        ::SendMessageA(m_hWnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(rc.right, rc.bottom));
    }
    if (m_pRibbonBar != nullptr)
        m_pRibbonBar->Redraw();
}

void CKitFrameHook::UpdateFrameRegion(int cx, int cy, BOOL bForce)
{
    if (m_bBusy || (cx == m_nLastWidth && cy == m_nLastHeight && !bForce))
        return;
    m_bBusy = TRUE;
    m_nBorderWidth = SystemBorderWidth(m_hWnd);
    const BOOL bMaximized = (GetStyle() & WS_MAXIMIZE) != 0;
    if (!m_bComposited) {
        HRGN hRegion = nullptr;
        if (IsMDIMaximized()) {
            hRegion = nullptr;
        } else if (bMaximized) {
            const int b = m_nBorderWidth - ((GetStyle(TRUE) & WS_EX_CLIENTEDGE) ? 2 : 0);
            hRegion = ::CreateRectRgn(b, b, cx - b, cy - b);
        } else {
            hRegion = GetFramePaintManager()->CreateWindowRegion(this, cx, cy);
        }
        // The window owns the region once it is set.
        if (!::SetWindowRgn(m_hWnd, hRegion, TRUE) && hRegion != nullptr)
            ::DeleteObject(hRegion);
    } else {
        if (!bMaximized)
            m_nBorderWidth = kCompositedBorder;
        ExtendFrameIntoClient();
    }
    m_nLastWidth = cx;
    m_nLastHeight = cy;
    m_bBusy = FALSE;
}

void CKitFrameHook::RefreshFrameRegion()
{
    if (m_hWnd == nullptr || !::IsWindow(m_hWnd))
        return;
    RECT rc;
    ::GetWindowRect(m_hWnd, &rc);
    UpdateFrameRegion(rc.right - rc.left, rc.bottom - rc.top, TRUE);
}

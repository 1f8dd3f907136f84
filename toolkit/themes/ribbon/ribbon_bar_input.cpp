// The ribbon's mouse handling, its context menus and the commands of its quick access menus.
#include "toolkit/themes/ribbon/ribbon_bar.h"

#include "toolkit/commandbars/command_bar_manager.h"
#include "toolkit/commandbars/controls.h"
#include "toolkit/commandbars/mouse_manager.h"
#include "toolkit/commandbars/popup_bar.h"
#include "toolkit/common/draw_helpers.h"
#include "toolkit/common/image_manager.h"
#include "toolkit/common/theme_wrapper.h"
#include "toolkit/common/toolkit_ids.h"
#include "toolkit/themes/paint/frame_hook.h"
#include "toolkit/themes/paint/paint_manager.h"
#include "toolkit/themes/ribbon/ribbon_control_tab.h"
#include "toolkit/themes/ribbon/ribbon_group.h"
#include "toolkit/themes/ribbon/ribbon_paint_manager.h"
#include "toolkit/themes/ribbon/ribbon_quick_access.h"
#include "toolkit/themes/ribbon/ribbon_system_button.h"
#include "toolkit/themes/ribbon/ribbon_tab.h"

namespace {
// The command ids the ribbon keeps to itself: its menus' ids that it does not handle go nowhere.
constexpr UINT kIdOwnFirst = 9000;
constexpr UINT kIdOwnLast = 10000;

// The window the ribbon's caption belongs to: the skinned frame, else the site.
CWnd* CaptionFrame(const CKitRibbonBar* pBar)
{
    CWnd* pFrame = pBar->GetFrameWindow();
    return pFrame != nullptr && pFrame->GetSafeHwnd() != nullptr ? pFrame : nullptr;
}

LPARAM ScreenPointParam(CPoint pt)
{
    return MAKELPARAM(static_cast<short>(pt.x), static_cast<short>(pt.y));
}

BOOL IsSizingCode(int nCode)
{
    return nCode >= HTLEFT && nCode <= HTBOTTOMRIGHT;
}

void RedrawGroup(CKitRibbonBar* pBar, const CKitRibbonGroup* pGroup)
{
    if (pGroup == nullptr)
        return;
    const CRect rc = pGroup->GetRect();
    pBar->Redraw(&rc);
}

// Whether the menu shows at least one item.
BOOL HasVisibleItem(CKitPopupBar* pMenu)
{
    CKitControls* pItems = pMenu->GetControls();
    for (int i = 0; i < pItems->GetCount(); ++i) {
        if ((pItems->GetAt(i)->GetHideFlags() & kitHideUser) == 0)
            return TRUE;
    }
    return FALSE;
}
} // namespace

void CKitRibbonBar::OnLButtonDownRibbon(UINT nFlags, CPoint point)
{
    CKitCommandBarManager* pCommandBars = GetCommandBars();
    CKitTabManagerItem* pItem = m_bTabsVisible ? m_pControlTab->HitTest(point) : nullptr;
    const BOOL bTabPopupOpen = m_pControlTab->GetPopuped();
    m_bSelectedTabClicked = pItem != nullptr && pItem == m_pControlTab->GetSelectedItem() && !IsCustomizeMode() &&
                            !(m_bMinimized && !bTabPopupOpen);

    if (CKitRibbonTabContextHeader* pHeader = HitTestContextHeader(point)) {
        if (pHeader->m_pFirstTab != nullptr)
            m_pControlTab->OnItemClick(pHeader->m_pFirstTab);
        return;
    }
    const int nCode = HitTestCaption(point);
    if (nCode != 0) {
        if (pCommandBars != nullptr)
            pCommandBars->ClosePopups();
        CWnd* pFrame = CaptionFrame(this);
        if (pFrame == nullptr)
            return;
        pFrame->UpdateWindow();
        if (nCode == HTSYSMENU) {
            CPoint ptMenu(m_rcCaption.left, m_rcCaption.bottom);
            ClientToScreen(&ptMenu);
            pFrame->SendMessage(kMsgPopupSystemMenu, reinterpret_cast<WPARAM>(pFrame->GetSafeHwnd()),
                                ScreenPointParam(ptMenu));
        } else if (nCode == HTCAPTION || !IsFrameMaximized()) {
            CPoint ptScreen = point;
            ClientToScreen(&ptScreen);
            pFrame->SendMessage(WM_NCLBUTTONDOWN, static_cast<WPARAM>(nCode), ScreenPointParam(ptScreen));
        }
        return;
    }

    if (m_rcTabControl.PtInRect(point)) {
        const BOOL bBackstage = IsBackstageViewVisible();
        if (pCommandBars != nullptr)
            pCommandBars->ClosePopups();
        if (bBackstage) {
            if (IsBackstageViewVisible())
                m_pSystemButton->SetPopup(FALSE);
            if (m_bMinimized)
                return;
        }
        // The click that closed a minimised ribbon's tab popup does not open it again.
        if (m_bMinimized && bTabPopupOpen && m_bSelectedTabClicked)
            return;
    }
    if (m_bSelectedTabClicked) {
        OnLButtonDownBar(nFlags, point);
        return;
    }
    if (pItem != nullptr) {
        m_pControlTab->OnItemClick(pItem);
        if (m_bMinimized && pItem == m_pControlTab->GetSelectedItem()) {
            OpenPopupAt(m_pControls->IndexOf(m_pControlTab));
            m_bSelectedTabClicked = TRUE;
        }
        return;
    }
    if (m_bTabsVisible && m_pControlTab->HitTestNavigateButton(point, FALSE) != nullptr) {
        m_pControlTab->PerformClick(GetSafeHwnd(), point, TRUE);
        return;
    }
    OnLButtonDownBar(nFlags, point);
}

void CKitRibbonBar::OnLButtonDblClkRibbon(UINT nFlags, CPoint point)
{
    int nCode = HitTestCaption(point);
    if (nCode == 0 && m_pFrameHook != nullptr && HitTestContextHeader(point) != nullptr)
        nCode = HTCAPTION;
    if (nCode == HTCAPTION || nCode == HTSYSMENU) {
        if (CWnd* pFrame = CaptionFrame(this)) {
            CPoint ptScreen = point;
            ClientToScreen(&ptScreen);
            pFrame->SendMessage(WM_NCLBUTTONDBLCLK, static_cast<WPARAM>(nCode), ScreenPointParam(ptScreen));
        }
        return;
    }
    CKitTabManagerItem* pItem = m_bTabsVisible ? m_pControlTab->HitTest(point) : nullptr;
    if (pItem != nullptr && pItem == m_pControlTab->GetSelectedItem() && m_bAllowMinimize &&
        (m_bMinimized || m_bSelectedTabClicked)) {
        SetRibbonMinimized(!m_bMinimized);
        m_bSelectedTabClicked = TRUE;
    }
    if (pItem == nullptr)
        OnLButtonDblClkBar(nFlags, point);
}

void CKitRibbonBar::OnRButtonDownRibbon(UINT nFlags, CPoint point)
{
    if (IsCustomizeMode()) {
        OnRButtonDownBar(nFlags, point);
        return;
    }
    if (IsTrackingMode())
        LeaveTrackingMode();
    if (HitTestCaption(point) != 0)
        return;
    if (CKitControl* pControl = HitTest(point))
        pControl->OnRButtonDown(point);
}

void CKitRibbonBar::OnRButtonUpRibbon(UINT /*nFlags*/, CPoint point)
{
    if (IsCustomizeMode()) {
        Default();
        return;
    }
    CPoint ptScreen = point;
    ClientToScreen(&ptScreen);
    const int nCode = HitTestCaption(point);
    if (nCode == HTCAPTION || nCode == HTSYSMENU) {
        if (CWnd* pFrame = CaptionFrame(this))
            pFrame->SendMessage(kMsgPopupSystemMenu, reinterpret_cast<WPARAM>(pFrame->GetSafeHwnd()),
                                ScreenPointParam(ptScreen));
        return;
    }
    if (CKitControl* pControl = HitTest(point)) {
        CWnd* pSite = GetSite();
        if (pSite != nullptr && pSite->GetSafeHwnd() != nullptr &&
            pSite->SendMessage(WM_KIT_CONTROL_RBUTTONUP, reinterpret_cast<WPARAM>(&point),
                               reinterpret_cast<LPARAM>(pControl)) == 1)
            return;
        if (pControl->OnRButtonUp(point))
            return;
        ShowContextMenu(pControl, ptScreen);
        return;
    }
    // The caption band of a group, or the free part of the quick access toolbar.
    if (CKitRibbonGroup* pGroup = HitTestGroup(point)) {
        if (pGroup->GetCaptionRect().PtInRect(point)) {
            ShowContextMenu(pGroup->GetControlGroupPopup(), ptScreen);
            return;
        }
    }
    if (m_rcQuickAccess.PtInRect(point)) {
        ShowContextMenu(m_pControlTab, ptScreen);
        return;
    }
    Default();
}

BOOL CKitRibbonBar::ShowContextMenu(CKitControl* pControl, CPoint ptScreen)
{
    CKitPopupBar* pMenu = CreateContextMenu(pControl);
    if (pMenu == nullptr)
        return FALSE;
    if (!HasVisibleItem(pMenu)) {
        pMenu->InternalRelease();
        return FALSE;
    }
    // The items that act on the control keep it while the menu lives.
    if (pControl != nullptr)
        pControl->InternalAddRef();
    CKitControls* pItems = pMenu->GetControls();
    for (int i = 0; i < pItems->GetCount(); ++i) {
        CKitControl* pItem = pItems->GetAt(i);
        if (pItem->GetId() == ID_KIT_RIBBON_QA_ADD || pItem->GetId() == ID_KIT_RIBBON_QA_REMOVE)
            pItem->SetTag(reinterpret_cast<DWORD_PTR>(pControl));
    }
    const UINT nId = TrackContextMenu(pMenu, ptScreen);
    if (nId != 0) {
        CKitControl* pChosen = pItems->FindControlById(static_cast<int>(nId));
        ExecuteMenuCommand(nId, pChosen);
    }
    pMenu->InternalRelease();
    if (pControl != nullptr)
        pControl->InternalRelease();
    return TRUE;
}

UINT CKitRibbonBar::TrackContextMenu(CKitPopupBar* pMenu, CPoint ptScreen)
{
    CKitCommandBarManager* pCommandBars = GetCommandBars();
    if (pCommandBars == nullptr)
        return 0;
    return pCommandBars->TrackPopupMenu(pMenu, TPM_RETURNCMD | TPM_RIGHTBUTTON, ptScreen.x, ptScreen.y, this);
}

void CKitRibbonBar::ExecuteMenuCommand(UINT nId, CKitControl* pItem)
{
    if (GetSafeHwnd() == nullptr)
        return;
    NMKITCONTROL record{};
    record.hdr.hwndFrom = GetSafeHwnd();
    record.hdr.idFrom = nId;
    record.hdr.code = static_cast<UINT>(kitNotifyExecute);
    record.pControl = pItem;
    if (SendMessage(WM_KIT_CONTROL_NOTIFY, nId, reinterpret_cast<LPARAM>(&record)) == 0)
        SendMessage(WM_COMMAND, MAKEWPARAM(nId, 0), 0);
}

BOOL CKitRibbonBar::OnTrackedCommand(UINT nId)
{
    switch (nId) {
    case ID_KIT_RIBBON_QA_CUSTOMIZE:
    case ID_KIT_RIBBON_QA_SHOW_BELOW:
    case ID_KIT_RIBBON_QA_SHOW_ABOVE:
    case ID_KIT_RIBBON_MINIMIZE:
        ExecuteMenuCommand(nId, nullptr);
        return GetSafeHwnd() != nullptr;
    default:
        return CKitMenuBar::OnTrackedCommand(nId);
    }
}

LRESULT CKitRibbonBar::OnExecuteRibbon(WPARAM wParam, LPARAM lParam)
{
    const UINT nId = static_cast<UINT>(wParam);
    auto* pRecord = reinterpret_cast<NMKITCONTROL*>(lParam);
    CKitControl* pItem = pRecord != nullptr ? pRecord->pControl : nullptr;
    CKitControl* pTarget = pItem != nullptr ? reinterpret_cast<CKitControl*>(pItem->GetTag()) : nullptr;
    switch (nId) {
    case ID_KIT_RIBBON_QA_ADD: {
        if (pTarget == nullptr)
            return 1;
        CKitControl* pAdded = m_pQuickAccessControls->AddClone(pTarget);
        if (pAdded == nullptr)
            return 1;
        pAdded->SetBeginGroup(FALSE);
        pAdded->SetHidden(kitHideUser, FALSE);
        pAdded->SetFlags(pAdded->GetFlags() & ~kFlagNotForQuickAccess);
        const int nType = pAdded->GetType();
        pAdded->SetStyle(nType == kitControlPopup || nType == kitControlGallery ? kitButtonIcon : kitButtonAutomatic);
        const BOOL bButtonOrPopup = nType == kitControlButton || nType == kitControlPopup ||
                                    nType == kitControlButtonPopup || nType == kitControlSplitButtonPopup;
        if (m_nQuickAccessDefaultIconId != -1 && bButtonOrPopup &&
            !pAdded->GetImageManager()->IsImageDefined(pAdded->GetIconId()))
            pAdded->SetIconId(static_cast<UINT>(m_nQuickAccessDefaultIconId));
        DelayLayout();
        return 1;
    }
    case ID_KIT_RIBBON_QA_REMOVE:
        if (pTarget != nullptr && IsQuickAccessControl(pTarget) && pTarget != m_pQuickAccessPopup &&
            pTarget != m_pQuickAccessMorePopup) {
            m_pQuickAccessControls->Remove(pTarget);
            DelayLayout();
        }
        return 1;
    case ID_KIT_RIBBON_QA_CUSTOMIZE: {
        CWnd* pSite = GetOwnerSite();
        if (pSite != nullptr && pSite->GetSafeHwnd() != nullptr &&
            pSite->SendMessage(WM_KIT_CONTROL_NOTIFY, wParam, lParam) == 0)
            pSite->SendMessage(WM_COMMAND, MAKEWPARAM(nId, 0), 0);
        return 1;
    }
    case ID_KIT_RIBBON_MINIMIZE:
        SetRibbonMinimized(!m_bMinimized);
        return 1;
    default:
        break;
    }
    if (nId >= kIdOwnFirst && nId <= kIdOwnLast)
        return 0;
    if (CKitCommandBarManager* pCommandBars = GetCommandBars())
        pCommandBars->ClosePopups();
    CWnd* pSite = GetSite();
    if (pSite != nullptr && pSite->GetSafeHwnd() != nullptr &&
        pSite->SendMessage(WM_KIT_CONTROL_NOTIFY, wParam, lParam) == 0)
        pSite->SendMessage(WM_COMMAND, MAKEWPARAM(nId, 0), 0);
    return 1;
}

CKitControl* CKitRibbonBar::HitTest(CPoint point, int* pIndex) const
{
    if (m_pOwnerBar == nullptr)
        return CKitMenuBar::HitTest(point, pIndex);
    return HitTestControls(point, pIndex);
}

INT_PTR CKitRibbonBar::OnToolHitTest(CPoint point, TOOLINFOA* pTI) const
{
    if (m_bTabsVisible && GetSafeHwnd() != nullptr) {
        const INT_PTR nTab = static_cast<CKitTabManager*>(m_pControlTab)->OnToolHitTest(GetSafeHwnd(), point, pTI);
        if (nTab != -1)
            return nTab;
    }
    const INT_PTR nHit = CKitMenuBar::OnToolHitTest(point, pTI);
    if (nHit == -1 || pTI == nullptr)
        return nHit;
    // A control of a group keeps its tip while the mouse stays on the groups.
    CKitControl* pControl = HitTest(point);
    if (pControl != nullptr && pControl->GetRibbonGroup() != nullptr)
        pTI->rect = m_rcGroups;
    return nHit;
}

void CKitRibbonBar::OnMouseMoveBar(UINT nFlags, CPoint point)
{
    CKitMouseManager* pMouse = CKitMouseManager::GetThreadManager();
    CKitRibbonGroup* pHot = nullptr;
    // A skinned frame's hook follows the frame's activation.
    const BOOL bActive = m_pFrameHook != nullptr ? m_pFrameHook->IsActive() : CKitDrawHelpers::IsTopParentActive(this);
    const BOOL bFree = pMouse->GetTrackCount() == 0 && bActive && !m_bTracking && m_nSelected == -1;
    if (bFree) {
        if (GetRibbonPaintManager()->m_bHotGroups)
            pHot = HitTestGroup(point);
        if (m_bTabsVisible)
            m_pControlTab->PerformMouseMove(GetSafeHwnd(), point);
    }
    CKitRibbonGroup* pOld = GetHighlightedGroup();
    if (pHot != pOld) {
        SetHighlightedGroup(pHot);
        if (GetSafeHwnd() != nullptr) {
            RedrawGroup(this, pOld);
            RedrawGroup(this, pHot);
            if (pHot != nullptr)
                pMouse->TrackMouseLeave(GetSafeHwnd());
        }
    }
    CKitMenuBar::OnMouseMoveBar(nFlags, point);
}

void CKitRibbonBar::OnMouseLeaveBar()
{
    m_pControlTab->PerformMouseMove(GetSafeHwnd(), CPoint(-1, -1));
    if (CKitRibbonGroup* pOld = GetHighlightedGroup()) {
        SetHighlightedGroup(nullptr);
        if (GetSafeHwnd() != nullptr)
            RedrawGroup(this, pOld);
    }
    CKitMenuBar::OnMouseLeaveBar();
}

BOOL CKitRibbonBar::OnSetCursorRibbon(CWnd* pWnd, UINT nHitTest, UINT message)
{
    CPoint point;
    ::GetCursorPos(&point);
    ScreenToClient(&point);
    const int nCode = HitTestCaption(point);
    if (IsSizingCode(nCode)) {
        if (CWnd* pFrame = CaptionFrame(this)) {
            pFrame->SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(pFrame->GetSafeHwnd()),
                                MAKELPARAM(nCode, message));
            return TRUE;
        }
    }
    return CKitToolBar::OnSetCursor(pWnd, nHitTest, message);
}

BOOL CKitRibbonBar::HitTestComposited(CPoint ptScreen, LRESULT* pnCode)
{
    CWnd* pFrame = CaptionFrame(this);
    if (pFrame == nullptr)
        return FALSE;
    return CKitDwmFunctions::Instance()->DefWindowProc(pFrame->GetSafeHwnd(), WM_NCHITTEST, 0,
                                                       ScreenPointParam(ptScreen), pnCode) == S_OK;
}

LRESULT CKitRibbonBar::OnNcHitTestRibbon(WPARAM wParam, LPARAM lParam)
{
    if (IsDwmEnabled()) {
        LRESULT nCode = 0;
        const CPoint ptScreen(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
        // The system's own caption buttons on the glass answer for themselves.
        if (HitTestComposited(ptScreen, &nCode) &&
            (nCode == HTMINBUTTON || nCode == HTMAXBUTTON || nCode == HTCLOSE || nCode == HTHELP))
            return HTTRANSPARENT;
    }
    return OnNcHitTestMessage(wParam, lParam);
}

void CKitRibbonBar::OnShowWindowRibbon(BOOL bShow, UINT /*nStatus*/)
{
    Default();
    if (m_pFrameHook != nullptr && bShow != m_bRibbonVisible) {
        m_bRibbonVisible = bShow;
        m_pFrameHook->RecalcFrameLayout();
    }
}

void CKitRibbonBar::OnSysColorChangeRibbon()
{
    GetBarPaintManager()->RefreshMetrics();
    m_pControlTab->Refresh();
}

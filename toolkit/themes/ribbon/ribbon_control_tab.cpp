// The ribbon's tab strip: a control of the ribbon bar that manages the tabs.
#include "toolkit/themes/ribbon/ribbon_control_tab.h"

#include "toolkit/commandbars/command_bar.h"
#include "toolkit/commandbars/command_bar_manager.h"
#include "toolkit/commandbars/mouse_manager.h"
#include "toolkit/common/image_manager.h"
#include "toolkit/themes/paint/paint_manager.h"
#include "toolkit/commandbars/controls.h"
#include "toolkit/themes/ribbon/ribbon_bar.h"
#include "toolkit/themes/ribbon/ribbon_group.h"
#include "toolkit/themes/ribbon/ribbon_paint_manager.h"
#include "toolkit/themes/ribbon/ribbon_popup_toolbars.h"
#include "toolkit/themes/ribbon/ribbon_tab.h"

IMPLEMENT_DYNCREATE(CKitRibbonControlTab, CKitControlPopup)

CKitRibbonControlTab::CKitRibbonControlTab()
{
    SetTemporary(TRUE);
    SetFlags(CKitRibbonBar::kFlagNotForQuickAccess);
}

CKitRibbonControlTab::~CKitRibbonControlTab()
{
    if (m_pPopupToolBar != nullptr)
        m_pPopupToolBar->InternalRelease();
    DeleteAllItems();
}

CKitRibbonBar* CKitRibbonControlTab::GetRibbonBar() const
{
    return dynamic_cast<CKitRibbonBar*>(GetParent());
}

CKitRibbonTab* CKitRibbonControlTab::GetSelectedTab() const
{
    return static_cast<CKitRibbonTab*>(GetSelectedItem());
}

void CKitRibbonControlTab::SetFocused(BOOL bFocused)
{
    if (m_bFocused == bFocused)
        return;
    m_bFocused = bFocused;
    if (bFocused && GetSelectedItem() == nullptr) {
        CKitTabManagerItem* pFirst = FindNextFocusable(-1, 1);
        if (pFirst != nullptr)
            SetSelectedItem(pFirst);
    }
    RedrawControl(nullptr, FALSE);
}

void CKitRibbonControlTab::Reposition()
{
    CKitRibbonBar* pRibbonBar = GetRibbonBar();
    if (pRibbonBar != nullptr && pRibbonBar->GetSafeHwnd() != nullptr)
        pRibbonBar->DelayLayout();
}

CString CKitRibbonControlTab::GetItemTooltip(const CKitTabManagerItem* pItem) const
{
    CString strTooltip = CKitTabManager::GetItemTooltip(pItem);
    return strTooltip.IsEmpty() ? pItem->GetCaption() : strTooltip;
}

void CKitRibbonControlTab::SetSelectedItem(CKitTabManagerItem* pItem)
{
    CKitRibbonBar* pRibbonBar = GetRibbonBar();
    if (pRibbonBar == nullptr || pRibbonBar->GetSafeHwnd() == nullptr) {
        CKitTabManager::SetSelectedItem(pItem);
        return;
    }
    // A tab chosen other than from the focused strip closes the open menus of an expanded ribbon.
    if (!m_bFocused && pItem != nullptr && !pRibbonBar->IsRibbonMinimized())
        if (CKitCommandBarManager* pCommandBars = pRibbonBar->GetCommandBars())
            pCommandBars->ClosePopups();
    if (pItem == GetSelectedItem())
        return;
    // Of the tracked bars only the first stays.
    CKitMouseManager* pMouse = CKitMouseManager::GetThreadManager();
    for (int nLeft = pMouse->GetTrackCount(); nLeft > 1 && pMouse->GetTrackCount() > 1; --nLeft)
        pMouse->GetTrackAt(pMouse->GetTrackCount() - 1)->SetTrackingMode(FALSE, TRUE, FALSE);
    auto* pTab = static_cast<CKitRibbonTab*>(pItem);
    if (pRibbonBar->OnTabChanging(pTab) != 0)
        return;
    CKitTabManager::SetSelectedItem(pItem);
    pRibbonBar->ShowSelectedTabGroups();
    pRibbonBar->DelayLayout();
    pRibbonBar->Redraw();
    pRibbonBar->OnTabChanged(pTab);
    NotifySite(kitNotifyExecute);
    if (pTab != nullptr)
        NotifyWinEvent(EVENT_OBJECT_FOCUS, pRibbonBar->GetSafeHwnd(), OBJID_CLIENT, pTab->GetIndex() + 1);
}

BOOL CKitRibbonControlTab::SetPopup(BOOL bPopup)
{
    m_bPopuped = bPopup;
    if (!bPopup) {
        if (m_pPopupToolBar != nullptr)
            m_pPopupToolBar->SetTrackingMode(FALSE, TRUE, FALSE);
        RedrawParent(FALSE);
        return TRUE;
    }
    CKitRibbonBar* pRibbonBar = GetRibbonBar();
    CKitRibbonTab* pTab = GetSelectedTab();
    if (pTab != nullptr && pRibbonBar != nullptr && pRibbonBar->IsRibbonMinimized() &&
        pRibbonBar->GetSafeHwnd() != nullptr) {
        if (m_pPopupToolBar != nullptr)
            m_pPopupToolBar->InternalRelease();
        m_pPopupToolBar = pRibbonBar->CreateTabPopupToolBar(pTab);
        m_pPopupToolBar->SetCommandBars(pRibbonBar->GetCommandBars());
        if (!m_pPopupToolBar->IsCustomizable())
            m_pPopupToolBar->SetCustomizable(FALSE);
        const BOOL bKeyboard = m_nSelected == kitSelectedKeyboard || m_nSelected == kitSelectedKeyboardBack;
        if (m_pPopupToolBar->Popup(this, bKeyboard)) {
            // Opened from the keyboard, the popup shows the tips of its groups.
            if (bKeyboard)
                m_pPopupToolBar->PostMessage(WM_TIMER, CKitCommandBar::kTimerKeyboardTips);
            RedrawParent(FALSE);
            return TRUE;
        }
    }
    m_bPopuped = FALSE;
    return FALSE;
}

void CKitRibbonControlTab::ShowTabPopup(BOOL bKeyboard)
{
    CKitRibbonBar* pRibbonBar = GetRibbonBar();
    if (pRibbonBar == nullptr || GetSelectedTab() == nullptr || !pRibbonBar->IsRibbonMinimized())
        return;
    if (pRibbonBar->GetPopuped() == GetIndex())
        pRibbonBar->OpenPopupAt(-1);
    pRibbonBar->SetTrackingMode(TRUE, FALSE, bKeyboard);
    if (bKeyboard)
        pRibbonBar->SetSelected(GetIndex(), kitSelectKeyboard);
    pRibbonBar->OpenPopupAt(GetIndex(), bKeyboard);
}

void CKitRibbonControlTab::ClearHotTab()
{
    if (m_pHighlighted == nullptr)
        return;
    m_pHighlighted = nullptr;
    RedrawControl(nullptr, FALSE);
}

BOOL CKitRibbonControlTab::OnSetSelected(int nSelected)
{
    if (nSelected == m_nSelected)
        return FALSE;
    const bool bKeyboard = nSelected == kitSelectedKeyboard || nSelected == kitSelectedKeyboardBack;
    CKitRibbonBar* pRibbonBar = GetRibbonBar();
    if (bKeyboard && pRibbonBar != nullptr && !pRibbonBar->IsRibbonMinimized() && pRibbonBar->GetPopuped() != -1)
        pRibbonBar->OpenPopupAt(-1);
    m_nSelected = nSelected;
    RedrawParent(FALSE);
    if (nSelected == kitSelectedNone) {
        SetFocused(FALSE);
        m_pHighlighted = nullptr;
        return TRUE;
    }
    if (bKeyboard)
        SetFocused(TRUE);
    if (pRibbonBar != nullptr && pRibbonBar->GetSafeHwnd() != nullptr)
        NotifyWinEvent(EVENT_OBJECT_FOCUS, pRibbonBar->GetSafeHwnd(), OBJID_CLIENT, GetCurSel() + 1);
    return TRUE;
}

BOOL CKitRibbonControlTab::OnKeyDown(UINT nChar)
{
    if (!m_bFocused)
        return FALSE;
    const int nSelected = GetCurSel();
    if ((nChar == VK_LEFT || nChar == VK_RIGHT || nChar == VK_UP || nChar == VK_DOWN) && GetParent() != nullptr)
        GetParent()->RecalcKeyboardCues();
    CKitRibbonBar* pRibbonBar = GetRibbonBar();
    switch (nChar) {
    case VK_RETURN:
    case VK_SPACE:
        if (nChar == VK_SPACE && (pRibbonBar == nullptr || !pRibbonBar->IsRibbonMinimized()))
            return FALSE;
        ShowTabPopup(TRUE);
        return TRUE;
    case VK_LEFT:
    case VK_RIGHT: {
        const int nDirection = nChar == VK_LEFT ? -1 : 1;
        if (nSelected < 0 || FindNextFocusable(nSelected, nDirection) == nullptr)
            return FALSE;
        PerformKeyDown(nullptr, nChar);
        return TRUE;
    }
    case VK_DOWN:
        if (GetParent() != nullptr) {
            const int nNext = GetParent()->GetControls()->GetNext(GetIndex(), +1);
            if (nNext > GetIndex())
                GetParent()->SetSelected(nNext, kitSelectKeyboard);
        }
        return TRUE;
    default:
        return FALSE;
    }
}

BOOL CKitRibbonControlTab::OnHookKeyDown(UINT nChar, LPARAM /*lParam*/)
{
    return OnKeyDown(nChar) ? CKitHookManagerHookAble::kHandled : CKitHookManagerHookAble::kNotHandled;
}

void CKitRibbonControlTab::OnMouseMove(CPoint pt)
{
    if (m_pParent != nullptr && m_pParent->GetSafeHwnd() != nullptr)
        PerformMouseMove(m_pParent->GetSafeHwnd(), pt);
}

BOOL CKitRibbonControlTab::HasFocus() const
{
    return m_bFocused && m_pParent != nullptr && m_pParent->IsTrackingMode();
}

BOOL CKitRibbonControlTab::IsMouseLocked() const
{
    return CKitMouseManager::GetThreadManager()->IsMouseLocked();
}

CKitTabPaintManager* CKitRibbonControlTab::GetPaintManager() const
{
    CKitPaintManager* pPaintManager = nullptr;
    if (GetParent() != nullptr)
        pPaintManager = dynamic_cast<CKitPaintManager*>(GetParent()->GetPaintManager());
    if (pPaintManager == nullptr)
        pPaintManager = CKitPaintManager::Instance();
    return pPaintManager->GetRibbonPaintManager()->GetTabPaintManager();
}

void CKitRibbonControlTab::RedrawControl(const RECT* /*pRect*/, BOOL bAnimate)
{
    CKitRibbonBar* pRibbonBar = GetRibbonBar();
    if (pRibbonBar != nullptr && pRibbonBar->GetSafeHwnd() != nullptr)
        pRibbonBar->Redraw(nullptr, bAnimate);
}

BOOL CKitRibbonControlTab::DrawIcon(CDC* pDC, CPoint pt, CKitTabManagerItem* pItem, BOOL bDraw, CSize& szIcon)
{
    CKitTabPaintManager* pPaintManager = GetPaintManager();
    if (pItem == nullptr)
        return pPaintManager->m_bShowIcons;
    if (pItem->GetImageIndex() == -1 || !pPaintManager->m_bShowIcons)
        return FALSE;
    CKitImageManagerIcon* pIcon = GetImageManager()->GetImage(pItem->GetImageIndex(), szIcon.cx);
    if (pIcon == nullptr)
        return FALSE;
    if (bDraw)
        pItem->DrawImage(pDC, pt, szIcon, pIcon);
    return TRUE;
}

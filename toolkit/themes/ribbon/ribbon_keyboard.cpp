#include "toolkit/themes/ribbon/ribbon_keyboard.h"

#include "toolkit/commandbars/command_bar_manager.h"
#include "toolkit/commandbars/control.h"
#include "toolkit/commandbars/controls.h"
#include "toolkit/commandbars/keyboard_tip.h"
#include "toolkit/commandbars/mnemonic.h"
#include "toolkit/commandbars/popup_bar.h"
#include "toolkit/themes/ribbon/ribbon_bar.h"
#include "toolkit/themes/ribbon/ribbon_control_tab.h"
#include "toolkit/themes/ribbon/ribbon_group.h"
#include "toolkit/themes/ribbon/ribbon_group_popup.h"
#include "toolkit/themes/ribbon/ribbon_quick_access.h"
#include "toolkit/themes/ribbon/ribbon_system_button.h"
#include "toolkit/themes/ribbon/ribbon_tab.h"

#include <cctype>
#include <cstdlib>

namespace {

// Quick access tips are numbered 1-9, then "01" to "09".
constexpr int kMaxQuickAccessTips = 18;
// Tip anchors above the bottom of a quick access control, a tab and a loose control; right of a loose control.
constexpr int kQuickAccessTipRaise = 11;
constexpr int kTabTipRaise = 9;
constexpr int kControlTipRaise = 11;
constexpr int kControlTipIndent = 12;
// A group option button stands for its caption narrowed by this much on each side.
constexpr int kOptionNarrowing = 4;
// The popup button of a reduced group shows this tip prefix.
constexpr char kGroupPopupPrefix[] = "Z";

constexpr DWORD kStyleTopLeft = 0;
constexpr DWORD kStyleCenterX = CKitCommandBarKeyboardTip::kAlignCenterX;
constexpr DWORD kStyleCenterY = CKitCommandBarKeyboardTip::kAlignCenterY;
constexpr DWORD kStyleCenter = kStyleCenterX | kStyleCenterY;

BOOL Overlaps(int nFirst1, int nLast1, int nFirst2, int nLast2)
{
    // One pixel of tolerance: touching edges overlap.
    return nFirst1 <= nLast2 && nFirst2 <= nLast1;
}

// The tip of a group control, or null when the control takes none.
CKitCommandBarKeyboardTip* MakeGroupTip(CKitCommandBarManager* pCommandBars, CKitCommandBar* pBar,
                                        CKitControl* pControl, const CRect& rcGroups)
{
    CKitRibbonGroup* pGroup = pControl->GetRibbonGroup();
    if ((pControl->GetFlags() & kitFlagSkipFocus) != 0 || pGroup == nullptr)
        return nullptr;
    const CString strTip = pControl->GetKeyboardTip();
    if (pControl->GetCaption().IsEmpty() && strTip.IsEmpty())
        return nullptr;
    const CRect rcGroup = pGroup->GetRect();
    const CRect rc = pControl->GetRect();
    const int nContentBottom = rcGroup.bottom - pGroup->GetLayoutMetrics().nCaptionHeight + 2;
    const int nHeight = nContentBottom - rcGroup.top;
    const int nCenterX = (rc.left + rc.right) / 2;

    CPoint pt;
    DWORD dwStyle = kStyleCenterX;
    const CRect rcCaptionBand(rcGroup.left, nContentBottom, rcGroup.right, rcGroup.bottom);
    CRect rcMeet;
    if (rcMeet.IntersectRect(&rcCaptionBand, &rc)) {
        pt = CPoint(nCenterX, rcGroups.bottom - 6);
    } else if (pControl->GetType() == kitControlButton && pControl->GetStyle() == kitButtonIconAndCaptionBelow &&
               rc.Height() > nHeight / 2) {
        pt = CPoint(nCenterX, nContentBottom - 2);
        dwStyle = kStyleCenter;
    } else if (pControl->GetType() == kitControlGallery) {
        pt = CPoint(rc.right, nContentBottom - 2);
        dwStyle = kStyleCenter;
    } else {
        const int nCenterY = (rc.top + rc.bottom) / 2;
        int y = (nContentBottom + rcGroup.top) / 2 - 1;
        if (nCenterY < rcGroup.top + nHeight / 3)
            y = rcGroup.top + 2;
        else if (nCenterY > rcGroup.top + 2 * nHeight / 3)
            y = nContentBottom - 2;
        pt = CPoint(rc.left + 11, y);
        dwStyle = kStyleCenterY;
    }
    const int nType = pControl->GetType();
    if (nType == kitControlCheckBox || nType == kitControlRadioButton) {
        pt.x = rc.left + 6;
    } else if ((nType == kitControlComboBox || nType == kitControlEdit) && pControl->GetStyle() == 0) {
        pt.x = nCenterX;
        dwStyle += 1;
    }
    auto* pTip = new CKitCommandBarKeyboardTip(pCommandBars, pControl, pBar, pControl->GetCaption(), pt, dwStyle,
                                               pControl->IsEnabled());
    pTip->m_strTip = strTip;
    CRect rcInside;
    pTip->m_bVisible = pGroup->IsVisible() && rcInside.IntersectRect(&rcGroups, &rc) && rcInside == rc &&
                       pControl->IsVisible();
    return pTip;
}

} // namespace

int KitRibbonFindNeighbour(const CRect& rcCurrent, const std::vector<CRect>& candidates, int nCode)
{
    const BOOL bHorizontal = nCode == kitKeyLeft || nCode == kitKeyRight;
    if (!bHorizontal && nCode != kitKeyCollapse && nCode != kitKeyExpand)
        return -1;
    const CPoint ptCenter = rcCurrent.CenterPoint();
    // Distance of a candidate's centre from the current one's on the axis the step does not move along.
    auto offAxis = [&](const CRect& rc) {
        return bHorizontal ? std::abs(rc.CenterPoint().y - ptCenter.y) : std::abs(rc.CenterPoint().x - ptCenter.x);
    };
    // The edge a step compares; a smaller key is better.
    auto key = [&](const CRect& rc) {
        switch (nCode) {
        case kitKeyRight: return rc.left;
        case kitKeyLeft: return -rc.right;
        case kitKeyCollapse: return -rc.bottom;
        default: return rc.top;
        }
    };
    auto beyond = [&](const CRect& rc) {
        switch (nCode) {
        case kitKeyRight: return rc.left >= rcCurrent.right;
        case kitKeyLeft: return rc.right <= rcCurrent.left;
        case kitKeyCollapse: return rc.bottom <= rcCurrent.top;
        default: return rc.top >= rcCurrent.bottom;
        }
    };
    auto best = [&](bool bWrap) {
        int nBest = -1;
        for (int i = 0; i < static_cast<int>(candidates.size()); ++i) {
            const CRect& rc = candidates[i];
            const BOOL bOverlap = bHorizontal ? Overlaps(rc.top, rc.bottom, rcCurrent.top, rcCurrent.bottom)
                                              : Overlaps(rc.left, rc.right, rcCurrent.left, rcCurrent.right);
            if (!bOverlap || (!bWrap && !beyond(rc)))
                continue;
            if (nBest == -1 || key(rc) < key(candidates[nBest]) ||
                (key(rc) == key(candidates[nBest]) && offAxis(rc) < offAxis(candidates[nBest])))
                nBest = i;
        }
        return nBest;
    };
    const int nFound = best(false);
    return nFound != -1 || !bHorizontal ? nFound : best(true);
}

namespace {

// Appends the tips of the group's controls, option button and popup button; shown only when asked.
void AddGroupTips(CKitCommandBarManager* pCommandBars, CKitCommandBar* pBar, CKitRibbonGroup* pGroup,
                  const CRect& rcGroups, BOOL bShown)
{
    auto add = [&](CKitControl* pControl, LPCSTR lpszPrefix) {
        if (pControl == nullptr)
            return;
        if (CKitCommandBarKeyboardTip* pTip = MakeGroupTip(pCommandBars, pBar, pControl, rcGroups)) {
            pTip->m_strPrefix = lpszPrefix;
            pTip->m_bVisible = pTip->m_bVisible && bShown;
            pCommandBars->AddKeyboardTip(pTip);
        }
    };
    for (int i = 0; i < pGroup->GetCount(); ++i)
        add(pGroup->GetAt(i), "");
    CKitRibbonGroupOption* pOption = pGroup->GetControlGroupOption();
    if (pOption != nullptr && (pOption->GetHideFlags() & 0x01) == 0)
        add(pOption, "");
    add(pGroup->GetControlGroupPopup(), kGroupPopupPrefix);
}

} // namespace

void KitRibbonCreateGroupKeyboardTips(CKitCommandBar* pBar, CKitRibbonGroups* pGroups, const CRect& rcGroups)
{
    CKitCommandBarManager* pCommandBars = pBar != nullptr ? pBar->GetCommandBars() : nullptr;
    if (pCommandBars == nullptr || pGroups == nullptr)
        return;
    for (int g = 0; g < pGroups->GetCount(); ++g)
        AddGroupTips(pCommandBars, pBar, pGroups->GetAt(g), rcGroups, TRUE);
}

void KitRibbonCreateGroupPopupKeyboardTips(CKitCommandBar* pPopup, CKitRibbonGroup* pCopy, CKitRibbonGroup* pSource,
                                           const CRect& rcPopup)
{
    CKitCommandBarManager* pCommandBars = pPopup != nullptr ? pPopup->GetCommandBars() : nullptr;
    CKitRibbonGroups* pGroups = pSource != nullptr ? pSource->GetGroups() : nullptr;
    if (pCommandBars == nullptr || pGroups == nullptr)
        return;
    for (int g = 0; g < pGroups->GetCount(); ++g) {
        CKitRibbonGroup* pGroup = pGroups->GetAt(g);
        if (pGroup == pSource)
            AddGroupTips(pCommandBars, pPopup, pCopy, rcPopup, TRUE);
        else if (pGroup->IsVisible())
            AddGroupTips(pCommandBars, pGroup->GetParent(), pGroup, CRect(), FALSE);
    }
}

BOOL CKitRibbonBar::IsCtrlKeyDown() const
{
    return ::GetKeyState(VK_CONTROL) < 0;
}

BOOL CKitRibbonBar::ProcessAccelerator(UINT nKey)
{
    if (IsCtrlKeyDown())
        return FALSE;
    CKitCommandBarManager* pCommandBars = GetCommandBars();
    if (nKey == VK_MENU) {
        if (GetTabCount() == 0)
            return FALSE;
        if (pCommandBars != nullptr) {
            pCommandBars->ClosePopups();
            pCommandBars->ShowKeyboardCues(TRUE);
            pCommandBars->SetKeyboardTipLevel(1);
        }
        SetTrackingMode(TRUE, FALSE, TRUE);
        if (!m_bMinimized) {
            CKitControl* pFirst = m_bTabsVisible ? m_pControlTab : GetControl(m_pControls->GetNext(-1, 1));
            if (pFirst != nullptr) {
                SetSelected(pFirst->GetIndex(), kitSelectKeyboard);
                pFirst->SetFocused(TRUE);
            }
        }
        // The top level tips follow once the key's messages are through.
        if (GetSafeHwnd() != nullptr)
            PostMessage(WM_TIMER, kTimerKeyboardTips);
        return TRUE;
    }
    if (nKey >= '1' && nKey <= '9') {
        int nLeft = static_cast<int>(nKey - '0');
        for (int i = 0; i < m_pQuickAccessControls->GetCount(); ++i) {
            CKitControl* pControl = m_pQuickAccessControls->GetAt(i);
            if (!pControl->IsVisible() || --nLeft > 0)
                continue;
            if (!pControl->IsEnabled())
                return FALSE;
            if (pCommandBars != nullptr)
                pCommandBars->SetKeyboardTipLevel(2);
            SetSelected(pControl->GetIndex(), kitSelectKeyboard);
            pControl->OnKeyboardTip();
            // A command run without tracking leaves no selection behind.
            if (!m_bTracking && m_nSelected == pControl->GetIndex())
                SetSelected(-1, kitSelectMouse);
            return TRUE;
        }
        return FALSE;
    }
    for (int i = 0; i < GetTabCount(); ++i) {
        CKitRibbonTab* pTab = GetTab(i);
        if (!pTab->IsVisible() || !pTab->IsEnabled())
            continue;
        const CString strCaption = pTab->GetCaption();
        const int nMnemonic = FindCaptionMnemonic(strCaption);
        if (nMnemonic < 0 || nMnemonic + 1 >= strCaption.GetLength())
            continue;
        if (std::toupper(static_cast<unsigned char>(strCaption[nMnemonic + 1])) ==
            std::toupper(static_cast<int>(nKey))) {
            SelectTabByKeyboard(pTab);
            return TRUE;
        }
    }
    return FALSE;
}

void CKitRibbonBar::SelectTabByKeyboard(CKitRibbonTab* pTab)
{
    m_pControlTab->SetSelectedItem(pTab);
    SetTrackingMode(TRUE, FALSE, TRUE);
    SetSelected(m_pControlTab->GetIndex(), kitSelectKeyboard);
    m_pControlTab->SetFocused(TRUE);
    if (m_bMinimized) {
        // The popup shows the tips of its own groups.
        if (CKitCommandBarManager* pCommandBars = GetCommandBars())
            pCommandBars->HideKeyboardTips();
        OpenPopupAt(m_pControlTab->GetIndex(), TRUE);
    } else if (CKitCommandBarManager* pCommandBars = GetCommandBars()) {
        // The new tab's groups are placed before their tips are.
        CRect rcClient;
        if (GetSafeHwnd() != nullptr)
            GetClientRect(&rcClient);
        if (rcClient.Width() > 0)
            RepositionControls(rcClient.Width(), rcClient.Height());
        pCommandBars->SetKeyboardTipLevel(2);
        ShowKeyboardTips();
    }
}

void CKitRibbonBar::OnKeyboardTip(CKitCommandBarKeyboardTip* pTip)
{
    if (pTip == nullptr)
        return;
    if (auto* pTab = dynamic_cast<CKitRibbonTab*>(pTip->m_pOwner)) {
        SelectTabByKeyboard(pTab);
        return;
    }
    auto* pControl = dynamic_cast<CKitControl*>(pTip->m_pOwner);
    if (pControl == nullptr || !pControl->IsEnabled())
        return;
    if (pControl->IsVisible()) {
        if (pControl->GetParent() == this)
            SetSelected(pControl->GetIndex(), kitSelectKeyboard);
        pControl->OnKeyboardTip();
        return;
    }
    // Hidden in a reduced group: the group's popup opens and the copy at the same place runs.
    KitRibbonRunTipInGroupPopup(pControl);
}

void CKitRibbonBar::CreateKeyboardTips()
{
    CKitCommandBarManager* pCommandBars = GetCommandBars();
    if (pCommandBars == nullptr || IsBackstageViewVisible())
        return;
    if (pCommandBars->GetKeyboardTipLevel() == 2) {
        if (CKitRibbonTab* pTab = GetSelectedTab())
            KitRibbonCreateGroupKeyboardTips(this, pTab->GetGroups(), m_rcGroups);
        return;
    }
    auto addTip = [&](CCmdTarget* pOwner, const CString& strCaption, const CString& strTip, CPoint pt, DWORD dwStyle,
                      BOOL bEnabled) {
        auto* pTip = new CKitCommandBarKeyboardTip(pCommandBars, pOwner, this, strCaption, pt, dwStyle, bEnabled);
        pTip->m_strTip = strTip;
        pCommandBars->AddKeyboardTip(pTip);
    };
    int nNumber = 0;
    for (int i = 0; i < m_pQuickAccessControls->GetCount() && nNumber < kMaxQuickAccessTips; ++i) {
        CKitControl* pControl = m_pQuickAccessControls->GetAt(i);
        if (!pControl->IsVisible())
            continue;
        ++nNumber;
        CString strNumber;
        if (nNumber <= 9)
            strNumber.Format("%i", nNumber);
        else
            strNumber.Format("0%i", nNumber - 9);
        const CRect rc = pControl->GetRect();
        addTip(pControl, pControl->GetCaption(), strNumber,
               CPoint(rc.CenterPoint().x, rc.bottom - kQuickAccessTipRaise), kStyleCenterX, pControl->IsEnabled());
    }
    if (m_bTabsVisible) {
        for (int i = 0; i < GetTabCount(); ++i) {
            CKitRibbonTab* pTab = GetTab(i);
            if (!pTab->IsVisible() || !pTab->IsEnabled() || pTab->GetCaption().IsEmpty())
                continue;
            const CRect rc = pTab->GetRect();
            addTip(pTab, pTab->GetCaption(), CString(), CPoint(rc.CenterPoint().x, rc.bottom - kTabTipRaise),
                   kStyleCenterX, TRUE);
        }
    }
    if (m_pSystemButton != nullptr)
        addTip(m_pSystemButton, m_pSystemButton->GetCaption(), m_pSystemButton->GetKeyboardTip(),
               m_pSystemButton->GetRect().CenterPoint(), kStyleCenter, m_pSystemButton->IsEnabled());
    if (GetTabCount() != 0)
        return;
    for (int i = 0; i < GetControlCount(); ++i) {
        CKitControl* pControl = GetControl(i);
        if (pControl == m_pSystemButton || pControl == m_pControlTab || IsQuickAccessControl(pControl) ||
            !pControl->IsVisible() || pControl->GetRibbonGroup() != nullptr || pControl->GetCaption().IsEmpty() ||
            (pControl->GetFlags() & kitFlagSkipFocus) != 0 || pControl->GetType() == kitControlGallery)
            continue;
        const CRect rc = pControl->GetRect();
        addTip(pControl, pControl->GetCaption(), pControl->GetKeyboardTip(),
               CPoint(rc.left + kControlTipIndent, rc.bottom - kControlTipRaise), kStyleTopLeft, pControl->IsEnabled());
    }
}

BOOL CKitRibbonBar::ProcessSpecialKey(int nCode)
{
    return KitRibbonNavigate(this, nCode);
}

BOOL KitRibbonNavigate(CKitCommandBar* pBar, int nCode)
{
    CKitControl* pSelected = pBar->GetControl(pBar->GetSelected());
    if (pSelected == nullptr)
        return FALSE;
    if (nCode == kitKeyReturn || nCode == kitKeySpace) {
        // An edit field not yet editing takes the focus; everything else acts as clicked from the keyboard.
        if (!pSelected->IsFocused() && pSelected->IsFocusable())
            pSelected->SetFocused(TRUE);
        else
            pSelected->OnClick(TRUE);
        return TRUE;
    }
    if (nCode != kitKeyLeft && nCode != kitKeyRight && nCode != kitKeyCollapse && nCode != kitKeyExpand)
        return FALSE;
    const BOOL bVertical = nCode == kitKeyCollapse || nCode == kitKeyExpand;
    auto* pRibbonBar = dynamic_cast<CKitRibbonBar*>(pBar);
    CRect rcClient;
    if (pBar->GetSafeHwnd() != nullptr)
        pBar->GetClientRect(&rcClient);
    auto navigationRect = [&](CKitControl* pControl) {
        CRect rc = pControl->GetRect();
        if (auto* pOption = dynamic_cast<CKitRibbonGroupOption*>(pControl)) {
            if (CKitRibbonGroup* pGroup = pOption->GetRibbonGroup()) {
                rc = pGroup->GetCaptionRect();
                rc.DeflateRect(kOptionNarrowing, 0);
            }
        } else if (bVertical && pRibbonBar != nullptr && pControl == pRibbonBar->GetQuickAccessPopup() &&
                   pControl->GetRibbonGroup() == nullptr && !rcClient.IsRectEmpty()) {
            rc.right = rcClient.right;
        }
        return rc;
    };
    CRect rcCurrent = navigationRect(pSelected);
    if (pRibbonBar != nullptr && pSelected == pRibbonBar->GetControlTab() && nCode == kitKeyCollapse)
        if (CKitRibbonTab* pTab = pRibbonBar->GetSelectedTab())
            rcCurrent = pTab->GetRect();
    std::vector<CRect> rects;
    std::vector<int> indexes;
    for (int i = 0; i < pBar->GetControlCount(); ++i) {
        CKitControl* pControl = pBar->GetControl(i);
        if (pControl == pSelected || !pControl->IsVisible(kitHideExpand) ||
            (pControl->GetFlags() & kitFlagSkipFocus) != 0)
            continue;
        rects.push_back(navigationRect(pControl));
        indexes.push_back(i);
    }
    const int nFound = KitRibbonFindNeighbour(rcCurrent, rects, nCode);
    if (nFound != -1)
        pBar->SetSelected(indexes[nFound],
                          nCode == kitKeyRight || nCode == kitKeyExpand ? kitSelectKeyboard : kitSelectKeyboardBack);
    return TRUE;
}

BOOL CKitRibbonBar::OnKeyDownBar(int nCode)
{
    if (nCode != kitKeyEscape)
        RecalcKeyboardCues();
    if (ProcessSpecialKey(nCode))
        return TRUE;
    return CKitMenuBar::OnKeyDownBar(nCode);
}

int CKitRibbonBar::OnHookMessage(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam, LRESULT& lResult)
{
    if (m_bTracking) {
        CKitCommandBarManager* pCommandBars = GetCommandBars();
        CKitControl* pSelected = GetControl(m_nSelected);
        if (nMessage == WM_CONTEXTMENU && lParam == -1 && pSelected != nullptr && pCommandBars != nullptr) {
            // From the keyboard: the selected control's menu at its top-left corner.
            if (CKitPopupBar* pMenu = CreateContextMenu(pSelected)) {
                CPoint pt = pSelected->GetRect().TopLeft();
                ClientToScreen(&pt);
                pCommandBars->TrackPopupMenu(pMenu, TPM_RIGHTBUTTON, pt.x, pt.y);
                pMenu->InternalRelease();
            }
            lResult = 0;
            return kHandled;
        }
        if (nMessage == WM_MOUSEWHEEL && m_nPopuped == -1 &&
            (pCommandBars == nullptr || pCommandBars->GetKeyboardTips().empty())) {
            StepSelectedTab(GET_WHEEL_DELTA_WPARAM(wParam) <= 0);
            lResult = 0;
            return kHandled;
        }
        if (nMessage == WM_KEYDOWN && wParam == VK_F10) {
            LeaveTrackingMode();
            lResult = 0;
            return kHandled;
        }
    }
    // The wheel turned over the ribbon reaches the site when the window under the mouse lets it through.
    if (!m_bTracking && nMessage == WM_MOUSEWHEEL && hWnd != nullptr && OnMouseWheelBar(GET_WHEEL_DELTA_WPARAM(wParam) <= 0)) {
        lResult = 0;
        return kHandled;
    }
    return CKitMenuBar::OnHookMessage(hWnd, nMessage, wParam, lParam, lResult);
}

void CKitRibbonBar::StepSelectedTab(BOOL bRight)
{
    const int nStep = bRight ? 1 : -1;
    int nSelected = -1;
    for (int i = 0; i < GetTabCount(); ++i)
        if (GetTab(i) == GetSelectedTab())
            nSelected = i;
    for (int i = nSelected + nStep; nSelected != -1 && i >= 0 && i < GetTabCount(); i += nStep) {
        CKitRibbonTab* pTab = GetTab(i);
        if (pTab->IsVisible() && pTab->IsEnabled()) {
            m_pControlTab->SetSelectedItem(pTab);
            break;
        }
    }
}

BOOL CKitRibbonBar::OnMouseWheelBar(BOOL bForward)
{
    if (GetSafeHwnd() == nullptr || !m_bTabsVisible)
        return FALSE;
    CPoint ptCursor;
    ::GetCursorPos(&ptCursor);
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    if (!rcWindow.PtInRect(ptCursor))
        return FALSE;
    HWND hUnder = ::WindowFromPoint(ptCursor);
    if (hUnder != m_hWnd && !::IsChild(m_hWnd, hUnder))
        return FALSE;
    CWnd* pSite = GetSite();
    if (pSite == nullptr || pSite->GetSafeHwnd() == nullptr || !pSite->IsWindowEnabled())
        return FALSE;
    StepSelectedTab(bForward);
    return TRUE;
}

BOOL CKitRibbonBar::OnMouseWheelRibbon(UINT /*nFlags*/, short zDelta, CPoint /*point*/)
{
    if (m_bTracking)
        return FALSE;
    return OnMouseWheelBar(zDelta <= 0);
}

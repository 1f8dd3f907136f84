#include "toolkit/commandbars/command_bar.h"
#include "toolkit/commandbars/popup_bar.h"
#include "toolkit/commandbars/command_bar_manager.h"
#include "toolkit/commandbars/control.h"
#include "toolkit/commandbars/controls.h"
#include "toolkit/common/upper_services.h"

IMPLEMENT_DYNCREATE(CKitControlButton, CKitControl)
IMPLEMENT_DYNCREATE(CKitControlPopup, CKitControlButton)

namespace {

BOOL IsPopupBar(const CKitCommandBar* pBar)
{
    return pBar != nullptr && (pBar->GetType() == kitBarTypePopup || pBar->GetPosition() == kitBarPopup);
}

CPoint PointOf(const MSG& msg)
{
    return CPoint(static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam)));
}

} // namespace

void CKitControlButton::OnClick(BOOL bKeyboard, CPoint /*pt*/)
{
    if (!IsEnabled())
        return;
    if (m_pParent != nullptr && m_pParent->IsCustomizeMode()) {
        m_pParent->OpenPopupAt(-1);
        m_pParent->ClearSelection();
        OnCustomizeDragStart(CPoint());
        return;
    }
    if (bKeyboard) {
        OnExecute();
        return;
    }
    if (IsPopupBar(m_pParent) && m_nExecuteOnPressInterval <= 0)
        return;
    TrackPressed(m_rcControl);
}

void CKitControlButton::OnLButtonUp(CPoint /*pt*/)
{
    if (IsEnabled() && IsPopupBar(m_pParent))
        OnExecute();
}

void CKitControlButton::FireCommand()
{
    CWnd* pSite = m_pParent != nullptr ? m_pParent->GetSite() : nullptr;
    if (NotifySite(pSite, kitNotifyExecute) == 0 && pSite != nullptr && pSite->GetSafeHwnd() != nullptr)
        pSite->SendMessage(WM_COMMAND, MAKEWPARAM(m_nId, 0), 0);
}

void CKitControlButton::TrackPressed(const CRect& rcButton)
{
    CKitCommandBar* pParent = m_pParent;
    if (pParent == nullptr || pParent->GetSafeHwnd() == nullptr)
        return;
    const HWND hParent = pParent->GetSafeHwnd();
    pParent->OpenPopupAt(-1);
    pParent->SetSelected(m_nIndex, 0);
    m_nPressed = 1;
    RedrawParent(FALSE);
    InternalAddRef();

    const BOOL bRepeat = m_nExecuteOnPressInterval > 0;
    ::SetCapture(hParent);
    if (bRepeat) {
        ::SetTimer(hParent, kTimerRepeat, static_cast<UINT>(m_nExecuteOnPressInterval), nullptr);
        FireCommand();
    }
    BOOL bInside = TRUE;
    BOOL bReleasedInside = FALSE;
    BOOL bLeaveHeld = FALSE;
    while (::GetCapture() == hParent) {
        MSG msg;
        if (!::GetMessageA(&msg, nullptr, 0, 0)) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (msg.message == WM_MOUSEMOVE && msg.hwnd == hParent) {
            bInside = rcButton.PtInRect(PointOf(msg));
            const int nSelected = bInside ? kitSelectedMouse : kitSelectedNone;
            OnSetSelected(nSelected);
        } else if (msg.message == WM_MOUSELEAVE && msg.hwnd == hParent) {
            // While the button holds the mouse, its moves alone say whether it is inside;
            // the bar hears of the leave once the press is over.
            bLeaveHeld = TRUE;
        } else if (msg.message == WM_TIMER && msg.hwnd == hParent && msg.wParam == kTimerRepeat) {
            if (m_nSelected != kitSelectedNone)
                FireCommand();
        } else if (msg.message == WM_LBUTTONUP) {
            bReleasedInside = m_nSelected != kitSelectedNone && bInside;
            break;
        } else {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }
    if (::IsWindow(hParent)) {
        ::KillTimer(hParent, kTimerRepeat);
        if (bLeaveHeld)
            ::PostMessageA(hParent, WM_MOUSELEAVE, 0, 0);
    }
    if (::GetCapture() == hParent)
        ::ReleaseCapture();

    const BOOL bPopupPosition = m_pParent != nullptr && m_pParent->GetPosition() == kitBarPopup;
    m_nPressed = bReleasedInside && !bRepeat && !bPopupPosition ? 2 : 0;
    if (!bRepeat && m_nSelected != kitSelectedNone && m_pParent != nullptr) {
        m_pParent->ClearSelection();
        m_nSelected = kitSelectedNone;
        m_pParent->SetStatusText(FALSE, this);
    }
    if (bReleasedInside) {
        if (!bRepeat)
            OnExecute();
        else if (IsPopupBar(m_pParent) && m_bCloseSubMenuOnClick)
            OnExecute();
    }
    RedrawParent();
    InternalRelease();
}

CKitControlPopup::~CKitControlPopup()
{
    SetCommandBar(nullptr);
}

void CKitControlPopup::SetCommandBar(CKitCommandBar* pBar)
{
    if (m_pCommandBar == pBar)
        return;
    if (m_pCommandBar != nullptr)
        m_pCommandBar->InternalRelease();
    m_pCommandBar = pBar;
}

BOOL CKitControlPopup::SetPopup(BOOL bPopup)
{
    if (m_pCommandBar == nullptr)
        return FALSE;
    if (bPopup && m_nType == kitControlSplitButtonPopup && IsEnabled() == kitSplitDropDownDisabled)
        return FALSE;
    if (m_pParent == nullptr || m_pParent->GetSafeHwnd() == nullptr)
        return FALSE;
    m_bPopuped = bPopup;
    if (!bPopup) {
        m_pCommandBar->SetTrackingMode(0, TRUE, FALSE);
        RedrawParent(TRUE);
        return TRUE;
    }
    RedrawParent(FALSE);
    if (CWnd* pSite = m_pParent->GetSite())
        pSite->UpdateWindow();
    m_pParent->UpdateWindow();
    if (!m_pCommandBar->IsTrackingMode()) {
        auto* pPopupBar = DYNAMIC_DOWNCAST(CKitPopupBar, m_pCommandBar);
        const int nMode = m_pParent->GetSelectionMode();
        const BOOL bSelectFirst = nMode == kitSelectedKeyboard || nMode == kitSelectedKeyboardBack;
        if (pPopupBar == nullptr || !pPopupBar->Popup(this, bSelectFirst))
            return FALSE;
    }
    AttachShadow();
    return TRUE;
}

CRect CKitControlPopup::GetCommandPartRect() const
{
    if (m_nType != kitControlSplitButtonPopup)
        return m_rcControl;
    if (CKitBarPainter* pPainter = GetPaintManager())
        return pPainter->GetSplitButtonCommandRect(const_cast<CKitControlPopup*>(this));
    return m_rcControl;
}

void CKitControlPopup::OnClick(BOOL bKeyboard, CPoint pt)
{
    if (!IsEnabled())
        return;
    const BOOL bCustomize = m_pParent != nullptr && m_pParent->IsCustomizeMode();
    if (bCustomize) {
        if (CKitCommandBarManager* pCommandBars = m_pParent->GetCommandBars())
            pCommandBars->SetCustomizeSelection(this);
    }
    if (m_bPopuped && m_pParent != nullptr && m_pParent->GetPosition() != kitBarPopup) {
        m_pParent->LeaveTrackingMode();
        if (bCustomize)
            OnCustomizeDragStart(pt);
        return;
    }
    if (m_nType == kitControlSplitButtonPopup && !bCustomize) {
        if (bKeyboard) {
            if (IsEnabled() == kitSplitCommandDisabled && m_pParent != nullptr)
                m_pParent->OpenPopupAt(m_nIndex, TRUE);
            else
                OnExecute();
            return;
        }
        const CRect rcCommand = GetCommandPartRect();
        if (rcCommand.PtInRect(pt)) {
            if (IsPopupBar(m_pParent)) {
                m_pParent->KillTimer(CKitCommandBar::kTimerHover);
            } else if (IsEnabled() != kitSplitCommandDisabled) {
                TrackPressed(rcCommand);
            }
            return;
        }
        if (IsEnabled() == kitSplitDropDownDisabled)
            return;
    }
    if (bCustomize && (m_pCommandBar == nullptr || !m_pCommandBar->IsCustomizable())) {
        OnCustomizeDragStart(pt);
        return;
    }
    if (m_pParent != nullptr)
        m_pParent->OpenPopupAt(m_nIndex, bKeyboard);
    if (bCustomize)
        OnCustomizeDragStart(pt);
}

void CKitControlPopup::OnLButtonUp(CPoint pt)
{
    if (m_pCommandBar == nullptr) {
        CKitControlButton::OnLButtonUp(pt);
        return;
    }
    if (m_nType != kitControlSplitButtonPopup || !IsPopupBar(m_pParent) || IsEnabled() == kitSplitCommandDisabled ||
        !IsEnabled())
        return;
    CKitBarPainter* pPainter = GetPaintManager();
    const int nDropDown = pPainter != nullptr ? pPainter->GetSplitDropDownSize() : 0;
    if (pt.x < m_rcControl.right - nDropDown)
        OnExecute();
}

void CKitControlPopup::OnLButtonDblClk(CPoint pt)
{
    auto* pPopupBar = DYNAMIC_DOWNCAST(CKitPopupBar, m_pCommandBar);
    if ((m_nType != kitControlPopup && m_nType != kitControlButtonPopup) || pPopupBar == nullptr) {
        CKitControlButton::OnLButtonDblClk(pt);
        return;
    }
    if (!m_bPopuped) {
        if (m_pParent != nullptr)
            m_pParent->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
        return;
    }
    for (int i = 0; i < pPopupBar->GetControlCount(); ++i) {
        CKitControl* pItem = pPopupBar->GetControl(i);
        if (pItem->IsDefaultItem() && pItem->IsVisible() && pItem->IsEnabled()) {
            pItem->OnExecute();
            break;
        }
    }
    pPopupBar->ExpandBar();
}

void CKitControlPopup::UpdateSplitHotPart(CPoint pt)
{
    const int nSelected = GetCommandPartRect().PtInRect(pt) ? kitSelectedSplitCommand : kitSelectedSplitDropDown;
    if (nSelected == m_nSelected)
        return;
    m_nSelected = nSelected;
    RedrawParent(FALSE);
}

void CKitControlPopup::OnMouseMove(CPoint pt)
{
    if (m_nType == kitControlSplitButtonPopup && IsEnabled() && m_pCommandBar != nullptr &&
        m_nSelected != kitSelectedNone)
        UpdateSplitHotPart(pt);
}

void CKitControlPopup::OnMouseHover()
{
    if (IsEnabled() && m_pCommandBar != nullptr && m_pParent != nullptr &&
        (m_pParent->IsTrackingMode() == kitTrackingModePopup || m_pParent->GetPosition() == kitBarPopup)) {
        m_pParent->OpenPopupAt(m_nIndex, FALSE);
        return;
    }
    CKitControlButton::OnMouseHover();
}

BOOL CKitControlPopup::OnSetSelected(int nSelected)
{
    if (!CKitControlButton::OnSetSelected(nSelected))
        return FALSE;
    if (m_pCommandBar == nullptr || m_pParent == nullptr)
        return TRUE;
    const BOOL bEnabled = IsEnabled() != FALSE;
    if (nSelected == kitSelectedMouse && m_nType == kitControlSplitButtonPopup && bEnabled) {
        CPoint pt;
        ::GetCursorPos(&pt);
        if (m_pParent->GetSafeHwnd() != nullptr)
            m_pParent->ScreenToClient(&pt);
        UpdateSplitHotPart(pt);
    }
    const BOOL bPopupParent = IsPopupBar(m_pParent);
    const BOOL bTracksPopup = m_pParent->IsTrackingMode() == kitTrackingModePopup;
    if ((m_nType == kitControlButtonPopup || m_nType == kitControlSplitButtonPopup) && !bPopupParent) {
        if ((nSelected == kitSelectedKeyboard || nSelected == kitSelectedKeyboardBack) && bEnabled && bTracksPopup)
            m_pParent->OpenPopupAt(m_nIndex, TRUE);
        return TRUE;
    }
    const BOOL bPopupPosition = m_pParent->GetPosition() == kitBarPopup;
    if (nSelected != kitSelectedNone && bEnabled && bTracksPopup && !bPopupPosition)
        m_pParent->OpenPopupAt(m_nIndex, nSelected == kitSelectedKeyboard || nSelected == kitSelectedKeyboardBack);
    else if (nSelected == kitSelectedNone && m_bPopuped && !bPopupPosition)
        m_pParent->OpenPopupAt(-1);
    return TRUE;
}

void CKitControlPopup::OnKeyboardTip()
{
    if (m_pCommandBar != nullptr && m_pParent != nullptr)
        m_pParent->OpenPopupAt(m_nIndex, TRUE);
    else
        OnExecute();
}

BOOL CKitControlPopup::Compare(const CKitControl* pOther) const
{
    if (!CKitControlButton::Compare(pOther))
        return FALSE;
    const CKitCommandBar* pOtherBar = pOther->GetCommandBar();
    if (m_pCommandBar == nullptr || pOtherBar == nullptr)
        return TRUE;
    const CKitControls* pMine = m_pCommandBar->GetControls();
    const CKitControls* pTheirs = pOtherBar->GetControls();
    int i = 0;
    int j = 0;
    for (;;) {
        while (pMine->GetAt(i) != nullptr && pMine->GetAt(i)->IsTemporary())
            ++i;
        while (pTheirs->GetAt(j) != nullptr && pTheirs->GetAt(j)->IsTemporary())
            ++j;
        const CKitControl* pLeft = pMine->GetAt(i++);
        const CKitControl* pRight = pTheirs->GetAt(j++);
        if (pLeft == nullptr || pRight == nullptr)
            return pLeft == pRight;
        if (!pLeft->Compare(pRight))
            return FALSE;
    }
}

void CKitControlPopup::Copy(const CKitControl* pSource, BOOL bRecursive)
{
    CKitControlButton::Copy(pSource, bRecursive);
    if (pSource == nullptr || pSource == this || !pSource->IsKindOf(RUNTIME_CLASS(CKitControlPopup)))
        return;
    const auto* pPopup = static_cast<const CKitControlPopup*>(pSource);
    m_bShadow = pPopup->m_bShadow;
    CKitCommandBar* pBar = pPopup->m_pCommandBar;
    if (pBar == nullptr) {
        SetCommandBar(nullptr);
    } else if (bRecursive) {
        SetCommandBar(pBar->Clone(TRUE));
    } else {
        pBar->InternalAddRef();
        SetCommandBar(pBar);
    }
}

BOOL CKitControlPopup::IsContainPopup(const CKitCommandBar* pBar) const
{
    for (; pBar != nullptr; pBar = pBar->GetParentCommandBar()) {
        if (pBar == m_pCommandBar)
            return TRUE;
    }
    return FALSE;
}

void CKitControlPopup::AdjustExcludeRect(CRect& rc, BOOL bVertical)
{
    if (CKitBarPainter* pPainter = GetPaintManager())
        pPainter->AdjustControlRect(rc, this, bVertical);
}

void CKitControlPopup::ExpandPopup()
{
    auto* pPopupBar = DYNAMIC_DOWNCAST(CKitPopupBar, m_pCommandBar);
    if (m_bPopuped && pPopupBar != nullptr && m_nType == kitControlPopup)
        pPopupBar->ExpandBar();
}

void CKitControlPopup::AttachShadow()
{
    auto* pPopupBar = DYNAMIC_DOWNCAST(CKitPopupBar, m_pCommandBar);
    if (pPopupBar == nullptr || m_pParent == nullptr || m_pParent->GetPosition() == kitBarPopup ||
        m_pParent->GetPosition() == kitBarFloating && m_pParent->GetType() == kitBarTypePopup || !m_bShadow ||
        !pPopupBar->GetShowShadow() || m_pParent->IsCustomizeMode() || m_pParent->GetSafeHwnd() == nullptr)
        return;
    CKitBarPainter* pPainter = GetPaintManager();
    if (pPainter == nullptr)
        return;
    CRect rc = m_rcControl;
    m_pParent->ClientToScreen(&rc);
    pPainter->CastControlShadow(pPopupBar, rc);
}

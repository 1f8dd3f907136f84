#include "toolkit/commandbars/command_bar.h"
#include "toolkit/commandbars/control.h"

IMPLEMENT_DYNCREATE(CKitControlButton, CKitControl)
IMPLEMENT_DYNCREATE(CKitControlPopup, CKitControlButton)

void CKitControlButton::OnClick(BOOL bKeyboard, CPoint /*pt*/)
{
    if (!IsEnabled())
        return;
    if (bKeyboard)
        OnExecute();
}

void CKitControlButton::OnLButtonUp(CPoint /*pt*/)
{
    if (IsEnabled() && m_pParent != nullptr &&
        (m_pParent->GetType() == kitBarTypePopup || m_pParent->GetPosition() == kitBarPopup))
        OnExecute();
}

void CKitControlButton::TrackPressed(const CRect& /*rcButton*/) {}

void CKitControlButton::FireCommand()
{
    if (NotifySite(kitNotifyExecute) == 0)
        OnExecute();
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
    m_bPopuped = bPopup;
    return TRUE;
}

void CKitControlPopup::OnClick(BOOL bKeyboard, CPoint pt)
{
    CKitControlButton::OnClick(bKeyboard, pt);
}

void CKitControlPopup::OnLButtonUp(CPoint pt)
{
    CKitControlButton::OnLButtonUp(pt);
}

void CKitControlPopup::OnLButtonDblClk(CPoint pt)
{
    OnClick(FALSE, pt);
}

void CKitControlPopup::OnMouseMove(CPoint /*pt*/) {}

void CKitControlPopup::OnMouseHover() {}

BOOL CKitControlPopup::OnSetSelected(int nSelected)
{
    return CKitControlButton::OnSetSelected(nSelected);
}

void CKitControlPopup::OnKeyboardTip()
{
    OnExecute();
}

BOOL CKitControlPopup::Compare(const CKitControl* pOther) const
{
    return CKitControlButton::Compare(pOther);
}

void CKitControlPopup::Copy(const CKitControl* pSource, BOOL bRecursive)
{
    CKitControlButton::Copy(pSource, bRecursive);
}

BOOL CKitControlPopup::IsContainPopup(const CKitCommandBar* pBar) const
{
    return pBar != nullptr && pBar == m_pCommandBar;
}

void CKitControlPopup::AdjustExcludeRect(CRect& /*rc*/, BOOL /*bVertical*/) {}

void CKitControlPopup::ExpandPopup() {}

CRect CKitControlPopup::GetCommandPartRect() const
{
    return m_rcControl;
}

void CKitControlPopup::UpdateSplitHotPart(CPoint /*pt*/) {}

void CKitControlPopup::AttachShadow() {}

// The accessible object of a command-bar control.
#include "toolkit/commandbars/command_bar.h"
#include "toolkit/commandbars/control.h"
#include "toolkit/commandbars/mnemonic.h"

namespace {

constexpr char kDefaultAction[] = "Click";
// The state of a selected control besides focusable: selected, focused and hot-tracked.
constexpr long kSelectedState = STATE_SYSTEM_SELECTED | STATE_SYSTEM_FOCUSED | STATE_SYSTEM_HOTTRACKED;

BOOL IsSelf(const VARIANT& varChild)
{
    return CKitAccessible::GetChildIndex(&varChild) == CHILDID_SELF;
}

HRESULT ReturnText(const CString& strText, BSTR* pszText)
{
    if (pszText == nullptr)
        return E_POINTER;
    *pszText = strText.IsEmpty() ? nullptr : strText.AllocSysString();
    return strText.IsEmpty() ? S_FALSE : S_OK;
}

void SetLong(VARIANT* pVar, long nValue)
{
    *pVar = CKitAccessible::MakeLong(nValue);
}

} // namespace

CString CKitControl::GetAccessibleNameText() const
{
    const CString strCaption = GetCaption();
    if (strCaption.IsEmpty())
        return GetTooltip();
    CString strName;
    for (int i = 0; i < strCaption.GetLength(); ++i) {
        if (strCaption[i] == '&' && i + 1 < strCaption.GetLength())
            ++i;
        else if (strCaption[i] == '&')
            continue;
        strName += strCaption[i];
    }
    const CString strShortcut = GetShortcutText();
    if (!strShortcut.IsEmpty())
        strName += "\t" + strShortcut;
    return strName;
}

HRESULT CKitControl::GetAccessibleChildCount(long* pcountChildren)
{
    if (pcountChildren == nullptr)
        return E_POINTER;
    *pcountChildren = GetCommandBar() != nullptr ? 1 : 0;
    return S_OK;
}

HRESULT CKitControl::GetAccessibleName(VARIANT varChild, BSTR* pszName)
{
    if (!IsSelf(varChild))
        return E_INVALIDARG;
    return ReturnText(GetAccessibleNameText(), pszName);
}

HRESULT CKitControl::GetAccessibleDescription(VARIANT varChild, BSTR* pszDescription)
{
    if (!IsSelf(varChild))
        return E_INVALIDARG;
    return ReturnText(GetDescription(), pszDescription);
}

HRESULT CKitControl::GetAccessibleRole(VARIANT varChild, VARIANT* pvarRole)
{
    if (!IsSelf(varChild) || pvarRole == nullptr)
        return E_INVALIDARG;
    const int nBarType = m_pParent != nullptr ? m_pParent->GetType() : kitBarTypeNormal;
    long nRole = ROLE_SYSTEM_MENUITEM;
    if (nBarType == kitBarTypeNormal || nBarType == 3)
        nRole = GetCommandBar() != nullptr ? ROLE_SYSTEM_BUTTONMENU : ROLE_SYSTEM_PUSHBUTTON;
    SetLong(pvarRole, nRole);
    return S_OK;
}

HRESULT CKitControl::GetAccessibleState(VARIANT varChild, VARIANT* pvarState)
{
    if (!IsSelf(varChild) || pvarState == nullptr)
        return E_INVALIDARG;
    long nState = STATE_SYSTEM_FOCUSABLE;
    if (m_nSelected != kitSelectedNone)
        nState |= kSelectedState;
    const BOOL bBarShown = m_pParent != nullptr && m_pParent->GetSafeHwnd() != nullptr &&
                           ::IsWindowVisible(m_pParent->GetSafeHwnd());
    if (!bBarShown || !IsVisible())
        nState |= STATE_SYSTEM_INVISIBLE;
    if (!IsEnabled())
        nState |= STATE_SYSTEM_UNAVAILABLE;
    if (GetChecked() > 0)
        nState |= STATE_SYSTEM_CHECKED;
    if (m_nPressed != 0)
        nState |= STATE_SYSTEM_PRESSED;
    if (GetCommandBar() != nullptr)
        nState |= STATE_SYSTEM_HASPOPUP;
    SetLong(pvarState, nState);
    return S_OK;
}

HRESULT CKitControl::GetAccessibleKeyboardShortcut(VARIANT varChild, BSTR* pszKeyboardShortcut)
{
    if (!IsSelf(varChild))
        return E_INVALIDARG;
    const CString strCaption = GetCaption();
    const int nMnemonic = FindCaptionMnemonic(strCaption);
    CString strKey;
    if (nMnemonic >= 0 && nMnemonic + 1 < strCaption.GetLength())
        strKey = strCaption.Mid(nMnemonic + 1, 1);
    return ReturnText(strKey, pszKeyboardShortcut);
}

HRESULT CKitControl::GetAccessibleDefaultAction(VARIANT varChild, BSTR* pszDefaultAction)
{
    if (!IsSelf(varChild))
        return E_INVALIDARG;
    return ReturnText(kDefaultAction, pszDefaultAction);
}

HRESULT CKitControl::AccessibleSelect(long /*flagsSelect*/, VARIANT varChild)
{
    if (!IsSelf(varChild) || m_pParent == nullptr)
        return E_INVALIDARG;
    m_pParent->SetTrackingMode(1, FALSE, FALSE);
    m_pParent->SetSelected(m_nIndex, kitSelectedMouse);
    return S_OK;
}

HRESULT CKitControl::AccessibleLocation(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight, VARIANT varChild)
{
    if (!IsSelf(varChild) || pxLeft == nullptr || pyTop == nullptr || pcxWidth == nullptr || pcyHeight == nullptr)
        return E_INVALIDARG;
    if (m_pParent == nullptr || m_pParent->GetSafeHwnd() == nullptr)
        return S_FALSE;
    CRect rc = m_rcControl;
    m_pParent->ClientToScreen(&rc);
    *pxLeft = rc.left;
    *pyTop = rc.top;
    *pcxWidth = rc.Width();
    *pcyHeight = rc.Height();
    return S_OK;
}

HRESULT CKitControl::AccessibleHitTest(long xLeft, long yTop, VARIANT* pvarChild)
{
    if (pvarChild == nullptr)
        return E_INVALIDARG;
    ::VariantInit(pvarChild);
    if (m_pParent == nullptr || m_pParent->GetSafeHwnd() == nullptr)
        return S_FALSE;
    CPoint pt(xLeft, yTop);
    m_pParent->ScreenToClient(&pt);
    if (!m_rcControl.PtInRect(pt))
        return S_FALSE;
    SetLong(pvarChild, CHILDID_SELF);
    return S_OK;
}

HRESULT CKitControl::AccessibleDoDefaultAction(VARIANT varChild)
{
    if (!IsSelf(varChild))
        return E_INVALIDARG;
    OnClick(TRUE, CPoint());
    return S_OK;
}

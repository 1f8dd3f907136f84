// The accessible object of the ribbon's tab strip: a page tab list with its tabs as children.
#include "toolkit/themes/ribbon/ribbon_control_tab.h"

#include "toolkit/commandbars/command_bar.h"
#include "toolkit/common/draw_helpers.h"
#include "toolkit/themes/ribbon/ribbon_tab.h"

namespace {

constexpr char kSwitchAction[] = "Switch";

HRESULT ReturnText(const CString& strText, BSTR* pszText)
{
    if (pszText == nullptr)
        return E_POINTER;
    *pszText = strText.IsEmpty() ? nullptr : strText.AllocSysString();
    return strText.IsEmpty() ? S_FALSE : S_OK;
}

// The tab a child id names: null for the strip itself; *pBad when the id names nothing.
CKitTabManagerItem* ChildTab(const CKitRibbonControlTab* pStrip, const VARIANT& varChild, BOOL* pBad)
{
    const long nChild = CKitAccessible::GetChildIndex(&varChild);
    *pBad = FALSE;
    if (nChild == CHILDID_SELF)
        return nullptr;
    CKitTabManagerItem* pTab = nChild >= 1 && nChild <= pStrip->GetItemCount() ? pStrip->GetItem(nChild - 1) : nullptr;
    *pBad = pTab == nullptr;
    return pTab;
}

} // namespace

HRESULT CKitRibbonControlTab::GetAccessibleChildCount(long* pcountChildren)
{
    if (pcountChildren == nullptr)
        return E_POINTER;
    *pcountChildren = GetItemCount();
    return S_OK;
}

HRESULT CKitRibbonControlTab::GetAccessibleName(VARIANT varChild, BSTR* pszName)
{
    BOOL bBad = FALSE;
    CKitTabManagerItem* pTab = ChildTab(this, varChild, &bBad);
    if (bBad)
        return E_INVALIDARG;
    if (pTab == nullptr)
        return CKitControlPopup::GetAccessibleName(varChild, pszName);
    CString strName = pTab->GetCaption();
    CKitDrawHelpers::StripMnemonics(strName);
    return ReturnText(strName, pszName);
}

HRESULT CKitRibbonControlTab::GetAccessibleRole(VARIANT varChild, VARIANT* pvarRole)
{
    BOOL bBad = FALSE;
    CKitTabManagerItem* pTab = ChildTab(this, varChild, &bBad);
    if (bBad || pvarRole == nullptr)
        return E_INVALIDARG;
    *pvarRole = MakeLong(pTab == nullptr ? ROLE_SYSTEM_PAGETABLIST : ROLE_SYSTEM_PAGETAB);
    return S_OK;
}

HRESULT CKitRibbonControlTab::GetAccessibleState(VARIANT varChild, VARIANT* pvarState)
{
    BOOL bBad = FALSE;
    CKitTabManagerItem* pTab = ChildTab(this, varChild, &bBad);
    if (bBad || pvarState == nullptr)
        return E_INVALIDARG;
    long nState = STATE_SYSTEM_FOCUSABLE;
    if (pTab == nullptr) {
        const BOOL bBarShown = m_pParent != nullptr && m_pParent->GetSafeHwnd() != nullptr &&
                               ::IsWindowVisible(m_pParent->GetSafeHwnd());
        if (!bBarShown || !IsVisible())
            nState |= STATE_SYSTEM_INVISIBLE;
    } else {
        nState |= STATE_SYSTEM_SELECTABLE;
        if (pTab == GetSelectedItem())
            nState |= STATE_SYSTEM_SELECTED | STATE_SYSTEM_FOCUSED;
        if (!pTab->IsVisible())
            nState |= STATE_SYSTEM_INVISIBLE;
    }
    *pvarState = MakeLong(nState);
    return S_OK;
}

HRESULT CKitRibbonControlTab::GetAccessibleDefaultAction(VARIANT varChild, BSTR* pszDefaultAction)
{
    BOOL bBad = FALSE;
    CKitTabManagerItem* pTab = ChildTab(this, varChild, &bBad);
    if (bBad)
        return E_INVALIDARG;
    return pTab == nullptr ? CKitControlPopup::GetAccessibleDefaultAction(varChild, pszDefaultAction)
                           : ReturnText(kSwitchAction, pszDefaultAction);
}

HRESULT CKitRibbonControlTab::AccessibleSelect(long flagsSelect, VARIANT varChild)
{
    BOOL bBad = FALSE;
    CKitTabManagerItem* pTab = ChildTab(this, varChild, &bBad);
    if (bBad)
        return E_INVALIDARG;
    if (pTab == nullptr)
        return CKitControlPopup::AccessibleSelect(flagsSelect, varChild);
    SetSelectedItem(pTab);
    return S_OK;
}

HRESULT CKitRibbonControlTab::AccessibleLocation(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight,
                                                 VARIANT varChild)
{
    BOOL bBad = FALSE;
    CKitTabManagerItem* pTab = ChildTab(this, varChild, &bBad);
    if (bBad || pxLeft == nullptr || pyTop == nullptr || pcxWidth == nullptr || pcyHeight == nullptr)
        return E_INVALIDARG;
    if (pTab == nullptr)
        return CKitControlPopup::AccessibleLocation(pxLeft, pyTop, pcxWidth, pcyHeight, varChild);
    if (m_pParent == nullptr || m_pParent->GetSafeHwnd() == nullptr)
        return S_FALSE;
    CRect rc = pTab->GetRect();
    m_pParent->ClientToScreen(&rc);
    *pxLeft = rc.left;
    *pyTop = rc.top;
    *pcxWidth = rc.Width();
    *pcyHeight = rc.Height();
    return S_OK;
}

HRESULT CKitRibbonControlTab::AccessibleHitTest(long xLeft, long yTop, VARIANT* pvarChild)
{
    if (pvarChild == nullptr)
        return E_INVALIDARG;
    ::VariantInit(pvarChild);
    if (m_pParent == nullptr || m_pParent->GetSafeHwnd() == nullptr)
        return S_FALSE;
    CRect rcWindow;
    m_pParent->GetWindowRect(&rcWindow);
    CPoint pt(xLeft, yTop);
    if (!rcWindow.PtInRect(pt))
        return S_FALSE;
    m_pParent->ScreenToClient(&pt);
    if (!GetRect().PtInRect(pt))
        return S_FALSE;
    CKitTabManagerItem* pTab = HitTest(pt);
    *pvarChild = MakeLong(pTab != nullptr ? pTab->GetIndex() + 1 : CHILDID_SELF);
    return S_OK;
}

HRESULT CKitRibbonControlTab::AccessibleDoDefaultAction(VARIANT varChild)
{
    BOOL bBad = FALSE;
    CKitTabManagerItem* pTab = ChildTab(this, varChild, &bBad);
    if (bBad)
        return E_INVALIDARG;
    if (pTab == nullptr)
        return CKitControlPopup::AccessibleDoDefaultAction(varChild);
    SetSelectedItem(pTab);
    return S_OK;
}

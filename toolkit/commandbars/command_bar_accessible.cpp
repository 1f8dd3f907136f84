// The accessible object of a command bar: the bar and one child per control.
#include "toolkit/commandbars/command_bar.h"
#include "toolkit/commandbars/control.h"
#include "toolkit/commandbars/popup_bar.h"

namespace {

// A child's state besides its visibility: focusable and selectable; the selected one also focused and hot.
constexpr long kChildState = STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_SELECTABLE;
constexpr long kSelectedState = STATE_SYSTEM_SELECTED | STATE_SYSTEM_FOCUSED | STATE_SYSTEM_HOTTRACKED;
// Window object ids above the children.
constexpr LPARAM kLastChildId = 0xFFFFFF;

void SetLong(VARIANT* pVar, long nValue)
{
    *pVar = CKitAccessible::MakeLong(nValue);
}

} // namespace

HRESULT CKitCommandBar::GetAccessibleParent(IDispatch** ppdispParent)
{
    if (ppdispParent == nullptr)
        return E_POINTER;
    *ppdispParent = nullptr;
    if (const auto* pPopup = dynamic_cast<const CKitPopupBar*>(this)) {
        if (CKitControl* pControl = pPopup->GetControlPopup()) {
            *ppdispParent = pControl->GetAccessibleInterface();
            (*ppdispParent)->AddRef();
            return S_OK;
        }
    }
    if (m_hWnd == nullptr)
        return S_FALSE;
    // The bar answers for its own window object, so the parent is the client object of the window around it.
    HWND hParent = ::GetParent(m_hWnd);
    if (hParent == nullptr)
        hParent = ::GetDesktopWindow();
    return AccessibleObjectFromWindow(hParent, static_cast<DWORD>(OBJID_CLIENT), IID_IDispatch,
                                      reinterpret_cast<void**>(ppdispParent));
}

HRESULT CKitCommandBar::GetAccessibleChildCount(long* pcountChildren)
{
    if (pcountChildren == nullptr)
        return E_POINTER;
    *pcountChildren = GetControlCount();
    return S_OK;
}

HRESULT CKitCommandBar::GetAccessibleChild(VARIANT varChild, IDispatch** ppdispChild)
{
    if (ppdispChild == nullptr)
        return E_POINTER;
    *ppdispChild = nullptr;
    CKitControl* pControl = GetControl(GetChildIndex(&varChild) - 1);
    if (pControl == nullptr)
        return E_INVALIDARG;
    *ppdispChild = pControl->GetAccessibleInterface();
    (*ppdispChild)->AddRef();
    return S_OK;
}

HRESULT CKitCommandBar::GetAccessibleName(VARIANT varChild, BSTR* pszName)
{
    if (pszName == nullptr)
        return E_POINTER;
    const long nChild = GetChildIndex(&varChild);
    CString strName;
    if (nChild == CHILDID_SELF) {
        strName = m_strTitle;
    } else if (CKitControl* pControl = GetControl(nChild - 1)) {
        strName = pControl->GetAccessibleNameText();
    } else {
        return E_INVALIDARG;
    }
    *pszName = strName.AllocSysString();
    return S_OK;
}

HRESULT CKitCommandBar::GetAccessibleRole(VARIANT varChild, VARIANT* pvarRole)
{
    if (pvarRole == nullptr)
        return E_POINTER;
    const long nChild = GetChildIndex(&varChild);
    if (nChild == CHILDID_SELF)
        SetLong(pvarRole, m_nBarType == kitBarTypePopup ? ROLE_SYSTEM_MENUPOPUP : ROLE_SYSTEM_TOOLBAR);
    else if (GetControl(nChild - 1) != nullptr)
        SetLong(pvarRole, ROLE_SYSTEM_MENUITEM);
    else
        return E_INVALIDARG;
    return S_OK;
}

HRESULT CKitCommandBar::GetAccessibleState(VARIANT varChild, VARIANT* pvarState)
{
    if (pvarState == nullptr)
        return E_POINTER;
    const long nChild = GetChildIndex(&varChild);
    long nState = IsVisible() ? 0 : STATE_SYSTEM_INVISIBLE;
    if (nChild != CHILDID_SELF) {
        if (GetControl(nChild - 1) == nullptr)
            return E_INVALIDARG;
        nState |= kChildState;
        if (nChild - 1 == m_nSelected)
            nState |= kSelectedState;
    }
    SetLong(pvarState, nState);
    return S_OK;
}

HRESULT CKitCommandBar::AccessibleLocation(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight,
                                           VARIANT varChild)
{
    if (pxLeft == nullptr || pyTop == nullptr || pcxWidth == nullptr || pcyHeight == nullptr)
        return E_POINTER;
    if (m_hWnd == nullptr)
        return E_FAIL;
    const long nChild = GetChildIndex(&varChild);
    CRect rc;
    if (nChild == CHILDID_SELF) {
        GetWindowRect(&rc);
    } else if (CKitControl* pControl = GetControl(nChild - 1)) {
        rc = pControl->GetRect();
        ClientToScreen(&rc);
    } else {
        return E_INVALIDARG;
    }
    *pxLeft = rc.left;
    *pyTop = rc.top;
    *pcxWidth = rc.Width();
    *pcyHeight = rc.Height();
    return S_OK;
}

HRESULT CKitCommandBar::AccessibleHitTest(long xLeft, long yTop, VARIANT* pvarChild)
{
    if (pvarChild == nullptr)
        return E_POINTER;
    ::VariantInit(pvarChild);
    if (m_hWnd == nullptr)
        return S_FALSE;
    CPoint pt(xLeft, yTop);
    ScreenToClient(&pt);
    CRect rcClient;
    GetClientRect(&rcClient);
    if (!rcClient.PtInRect(pt))
        return S_FALSE;
    if (CKitControl* pControl = HitTest(pt)) {
        pvarChild->vt = VT_DISPATCH;
        pvarChild->pdispVal = pControl->GetAccessibleInterface();
        pvarChild->pdispVal->AddRef();
        return S_OK;
    }
    SetLong(pvarChild, CHILDID_SELF);
    return S_OK;
}

LRESULT CKitCommandBar::OnGetObject(WPARAM wParam, LPARAM lParam)
{
    const auto nObject = static_cast<LONG>(lParam);
    if (nObject == OBJID_CLIENT || nObject == OBJID_WINDOW)
        return LresultFromObject(IID_IAccessible, wParam, GetAccessibleInterface());
    if (nObject > 0 && nObject < kLastChildId) {
        if (CKitControl* pControl = GetControl(nObject - 1))
            return LresultFromObject(IID_IAccessible, wParam, pControl->GetAccessibleInterface());
    }
    return Default();
}

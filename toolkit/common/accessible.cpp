#include "toolkit/common/accessible.h"

#include "framework/msgmap.h"

#include <string>

namespace {

// A module handle that marks an entry point as unavailable.
HMODULE const kUnavailable = reinterpret_cast<HMODULE>(static_cast<INT_PTR>(-1));

std::string& AccessibilityLibrary()
{
    static std::string name = "oleacc.dll";
    return name;
}

} // namespace

CKitAccessible::CKitAccessible()
    : m_xAccessible(this), m_pfnNotifyWinEvent(nullptr), m_pfnLresultFromObject(nullptr),
      m_pfnAccessibleObjectFromWindow(nullptr), m_hUser32(nullptr), m_hOleAcc(nullptr)
{
}

CKitAccessible::~CKitAccessible()
{
    if (m_hOleAcc != nullptr && m_hOleAcc != kUnavailable)
        ::FreeLibrary(m_hOleAcc);
}

void CKitAccessible::SetAccessibilityLibrary(LPCSTR lpszLibrary)
{
    AccessibilityLibrary() = lpszLibrary;
}

HRESULT CKitAccessible::GetAccessibleParent(IDispatch**)
{
    return E_NOTIMPL;
}

HRESULT CKitAccessible::GetAccessibleChildCount(long*)
{
    return E_NOTIMPL;
}

HRESULT CKitAccessible::GetAccessibleChild(VARIANT, IDispatch**)
{
    return E_NOTIMPL;
}

HRESULT CKitAccessible::GetAccessibleName(VARIANT, BSTR*)
{
    return E_NOTIMPL;
}

HRESULT CKitAccessible::GetAccessibleValue(VARIANT, BSTR*)
{
    return E_NOTIMPL;
}

HRESULT CKitAccessible::GetAccessibleDescription(VARIANT, BSTR*)
{
    return E_NOTIMPL;
}

HRESULT CKitAccessible::GetAccessibleRole(VARIANT, VARIANT*)
{
    return E_NOTIMPL;
}

HRESULT CKitAccessible::GetAccessibleState(VARIANT, VARIANT*)
{
    return E_NOTIMPL;
}

HRESULT CKitAccessible::GetAccessibleHelp(VARIANT, BSTR*)
{
    return E_NOTIMPL;
}

HRESULT CKitAccessible::GetAccessibleHelpTopic(BSTR*, VARIANT, long*)
{
    return E_NOTIMPL;
}

HRESULT CKitAccessible::GetAccessibleKeyboardShortcut(VARIANT, BSTR*)
{
    return E_NOTIMPL;
}

HRESULT CKitAccessible::GetAccessibleFocus(VARIANT*)
{
    return S_FALSE;
}

HRESULT CKitAccessible::GetAccessibleSelection(VARIANT*)
{
    return S_FALSE;
}

HRESULT CKitAccessible::GetAccessibleDefaultAction(VARIANT, BSTR*)
{
    return E_NOTIMPL;
}

HRESULT CKitAccessible::AccessibleSelect(long, VARIANT)
{
    return E_NOTIMPL;
}

HRESULT CKitAccessible::AccessibleLocation(long*, long*, long*, long*, VARIANT)
{
    return E_NOTIMPL;
}

HRESULT CKitAccessible::AccessibleNavigate(long, VARIANT, VARIANT*)
{
    return E_NOTIMPL;
}

HRESULT CKitAccessible::AccessibleHitTest(long, long, VARIANT*)
{
    return E_NOTIMPL;
}

HRESULT CKitAccessible::AccessibleDoDefaultAction(VARIANT)
{
    return E_NOTIMPL;
}

HRESULT CKitAccessible::PutAccessibleName(VARIANT, BSTR)
{
    return E_NOTIMPL;
}

HRESULT CKitAccessible::PutAccessibleValue(VARIANT, BSTR)
{
    return E_NOTIMPL;
}

CCmdTarget* CKitAccessible::GetAccessibleTarget()
{
    return nullptr;
}

template <class Fn>
BOOL CKitAccessible::BindOleAcc(Fn* ppfn, LPCSTR lpszName)
{
    if (m_hOleAcc == kUnavailable)
        return FALSE;
    if (m_hOleAcc == nullptr)
        m_hOleAcc = ::LoadLibraryA(AccessibilityLibrary().c_str());
    if (m_hOleAcc != nullptr && *ppfn == nullptr)
        *ppfn = reinterpret_cast<Fn>(::GetProcAddress(m_hOleAcc, lpszName));
    if (*ppfn != nullptr)
        return TRUE;
    if (m_hOleAcc != nullptr)
        ::FreeLibrary(m_hOleAcc);
    m_hOleAcc = kUnavailable;
    m_pfnLresultFromObject = nullptr;
    m_pfnAccessibleObjectFromWindow = nullptr;
    return FALSE;
}

HRESULT CKitAccessible::AccessibleObjectFromWindow(HWND hWnd, DWORD dwObjectID, REFIID riid, void** ppvObject)
{
    if (!BindOleAcc(&m_pfnAccessibleObjectFromWindow, "AccessibleObjectFromWindow"))
        return E_FAIL;
    return m_pfnAccessibleObjectFromWindow(hWnd, dwObjectID, riid, ppvObject);
}

LRESULT CKitAccessible::LresultFromObject(REFIID riid, WPARAM wParam, LPUNKNOWN punk)
{
    if (!BindOleAcc(&m_pfnLresultFromObject, "LresultFromObject"))
        return E_FAIL;
    return m_pfnLresultFromObject(riid, wParam, punk);
}

void CKitAccessible::NotifyWinEvent(DWORD event, HWND hWnd, LONG idObject, LONG idChild)
{
    if (m_hUser32 == kUnavailable)
        return;
    if (m_pfnNotifyWinEvent == nullptr) {
        m_hUser32 = ::GetModuleHandleA("user32.dll");
        if (m_hUser32 != nullptr)
            m_pfnNotifyWinEvent = reinterpret_cast<NotifyWinEventFn>(::GetProcAddress(m_hUser32, "NotifyWinEvent"));
        if (m_pfnNotifyWinEvent == nullptr) {
            m_hUser32 = kUnavailable;
            return;
        }
    }
    m_pfnNotifyWinEvent(event, hWnd, idObject, idChild);
}

VARIANT CKitAccessible::MakeLong(long nValue)
{
    VARIANT var;
    ::VariantInit(&var);
    var.vt = VT_I4;
    var.lVal = nValue;
    return var;
}

long CKitAccessible::GetChildIndex(const VARIANT* pVarChild)
{
    if (pVarChild == nullptr)
        return -1;
    switch (pVarChild->vt) {
    case VT_EMPTY:
        return CHILDID_SELF;
    case VT_I4:
        return pVarChild->lVal;
    case VT_I2:
        return pVarChild->iVal;
    case VT_I4 | VT_BYREF:
        return pVarChild->plVal != nullptr ? *pVarChild->plVal : -1;
    case VT_I2 | VT_BYREF:
        return pVarChild->piVal != nullptr ? *pVarChild->piVal : -1;
    case VT_VARIANT | VT_BYREF:
        return GetChildIndex(pVarChild->pvarVal);
    default:
        return -1;
    }
}

STDMETHODIMP CKitAccessible::XAccessible::QueryInterface(REFIID riid, void** ppvObject)
{
    if (ppvObject == nullptr)
        return E_POINTER;
    *ppvObject = nullptr;
    if (riid != IID_IUnknown && riid != IID_IDispatch && riid != __uuidof(IAccessible))
        return E_NOINTERFACE;
    *ppvObject = static_cast<IAccessible*>(this);
    AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) CKitAccessible::XAccessible::AddRef()
{
    CCmdTarget* target = m_pOwner->GetAccessibleTarget();
    return target != nullptr ? target->ExternalAddRef() : 1;
}

STDMETHODIMP_(ULONG) CKitAccessible::XAccessible::Release()
{
    CCmdTarget* target = m_pOwner->GetAccessibleTarget();
    return target != nullptr ? target->ExternalRelease() : 1;
}

STDMETHODIMP CKitAccessible::XAccessible::GetTypeInfoCount(UINT*)
{
    return E_NOTIMPL;
}

STDMETHODIMP CKitAccessible::XAccessible::GetTypeInfo(UINT, LCID, ITypeInfo**)
{
    return E_NOTIMPL;
}

STDMETHODIMP CKitAccessible::XAccessible::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*)
{
    return E_NOTIMPL;
}

STDMETHODIMP CKitAccessible::XAccessible::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*)
{
    return E_NOTIMPL;
}

STDMETHODIMP CKitAccessible::XAccessible::get_accParent(IDispatch** ppdispParent)
{
    return m_pOwner->GetAccessibleParent(ppdispParent);
}

STDMETHODIMP CKitAccessible::XAccessible::get_accChildCount(long* pcountChildren)
{
    return m_pOwner->GetAccessibleChildCount(pcountChildren);
}

STDMETHODIMP CKitAccessible::XAccessible::get_accChild(VARIANT varChild, IDispatch** ppdispChild)
{
    return m_pOwner->GetAccessibleChild(varChild, ppdispChild);
}

STDMETHODIMP CKitAccessible::XAccessible::get_accName(VARIANT varChild, BSTR* pszName)
{
    return m_pOwner->GetAccessibleName(varChild, pszName);
}

STDMETHODIMP CKitAccessible::XAccessible::get_accValue(VARIANT varChild, BSTR* pszValue)
{
    return m_pOwner->GetAccessibleValue(varChild, pszValue);
}

STDMETHODIMP CKitAccessible::XAccessible::get_accDescription(VARIANT varChild, BSTR* pszDescription)
{
    return m_pOwner->GetAccessibleDescription(varChild, pszDescription);
}

STDMETHODIMP CKitAccessible::XAccessible::get_accRole(VARIANT varChild, VARIANT* pvarRole)
{
    return m_pOwner->GetAccessibleRole(varChild, pvarRole);
}

STDMETHODIMP CKitAccessible::XAccessible::get_accState(VARIANT varChild, VARIANT* pvarState)
{
    return m_pOwner->GetAccessibleState(varChild, pvarState);
}

STDMETHODIMP CKitAccessible::XAccessible::get_accHelp(VARIANT varChild, BSTR* pszHelp)
{
    return m_pOwner->GetAccessibleHelp(varChild, pszHelp);
}

STDMETHODIMP CKitAccessible::XAccessible::get_accHelpTopic(BSTR* pszHelpFile, VARIANT varChild, long* pidTopic)
{
    return m_pOwner->GetAccessibleHelpTopic(pszHelpFile, varChild, pidTopic);
}

STDMETHODIMP CKitAccessible::XAccessible::get_accKeyboardShortcut(VARIANT varChild, BSTR* pszKeyboardShortcut)
{
    return m_pOwner->GetAccessibleKeyboardShortcut(varChild, pszKeyboardShortcut);
}

STDMETHODIMP CKitAccessible::XAccessible::get_accFocus(VARIANT* pvarChild)
{
    return m_pOwner->GetAccessibleFocus(pvarChild);
}

STDMETHODIMP CKitAccessible::XAccessible::get_accSelection(VARIANT* pvarChildren)
{
    return m_pOwner->GetAccessibleSelection(pvarChildren);
}

STDMETHODIMP CKitAccessible::XAccessible::get_accDefaultAction(VARIANT varChild, BSTR* pszDefaultAction)
{
    return m_pOwner->GetAccessibleDefaultAction(varChild, pszDefaultAction);
}

STDMETHODIMP CKitAccessible::XAccessible::accSelect(long flagsSelect, VARIANT varChild)
{
    return m_pOwner->AccessibleSelect(flagsSelect, varChild);
}

STDMETHODIMP CKitAccessible::XAccessible::accLocation(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight,
                                                      VARIANT varChild)
{
    return m_pOwner->AccessibleLocation(pxLeft, pyTop, pcxWidth, pcyHeight, varChild);
}

STDMETHODIMP CKitAccessible::XAccessible::accNavigate(long navDir, VARIANT varStart, VARIANT* pvarEndUpAt)
{
    return m_pOwner->AccessibleNavigate(navDir, varStart, pvarEndUpAt);
}

STDMETHODIMP CKitAccessible::XAccessible::accHitTest(long xLeft, long yTop, VARIANT* pvarChild)
{
    return m_pOwner->AccessibleHitTest(xLeft, yTop, pvarChild);
}

STDMETHODIMP CKitAccessible::XAccessible::accDoDefaultAction(VARIANT varChild)
{
    return m_pOwner->AccessibleDoDefaultAction(varChild);
}

STDMETHODIMP CKitAccessible::XAccessible::put_accName(VARIANT varChild, BSTR szName)
{
    return m_pOwner->PutAccessibleName(varChild, szName);
}

STDMETHODIMP CKitAccessible::XAccessible::put_accValue(VARIANT varChild, BSTR szValue)
{
    return m_pOwner->PutAccessibleValue(varChild, szValue);
}

// CKitAccessible: the base through which toolkit controls and bars expose IAccessible, with "oleacc.dll" bound only when a client asks.
#pragma once

#include <windows.h>

#include <oleacc.h>

class CCmdTarget;

class CKitAccessible {
public:
    CKitAccessible();
    virtual ~CKitAccessible();
    CKitAccessible(const CKitAccessible&) = delete;
    CKitAccessible& operator=(const CKitAccessible&) = delete;

    // The IAccessible methods, in the interface's order. Focus and selection
    // answer S_FALSE; every other default answers E_NOTIMPL.
    virtual HRESULT GetAccessibleParent(IDispatch** ppdispParent);
    virtual HRESULT GetAccessibleChildCount(long* pcountChildren);
    virtual HRESULT GetAccessibleChild(VARIANT varChild, IDispatch** ppdispChild);
    virtual HRESULT GetAccessibleName(VARIANT varChild, BSTR* pszName);
    virtual HRESULT GetAccessibleValue(VARIANT varChild, BSTR* pszValue);
    virtual HRESULT GetAccessibleDescription(VARIANT varChild, BSTR* pszDescription);
    virtual HRESULT GetAccessibleRole(VARIANT varChild, VARIANT* pvarRole);
    virtual HRESULT GetAccessibleState(VARIANT varChild, VARIANT* pvarState);
    virtual HRESULT GetAccessibleHelp(VARIANT varChild, BSTR* pszHelp);
    virtual HRESULT GetAccessibleHelpTopic(BSTR* pszHelpFile, VARIANT varChild, long* pidTopic);
    virtual HRESULT GetAccessibleKeyboardShortcut(VARIANT varChild, BSTR* pszKeyboardShortcut);
    virtual HRESULT GetAccessibleFocus(VARIANT* pvarChild);
    virtual HRESULT GetAccessibleSelection(VARIANT* pvarChildren);
    virtual HRESULT GetAccessibleDefaultAction(VARIANT varChild, BSTR* pszDefaultAction);
    virtual HRESULT AccessibleSelect(long flagsSelect, VARIANT varChild);
    virtual HRESULT AccessibleLocation(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight, VARIANT varChild);
    virtual HRESULT AccessibleNavigate(long navDir, VARIANT varStart, VARIANT* pvarEndUpAt);
    virtual HRESULT AccessibleHitTest(long xLeft, long yTop, VARIANT* pvarChild);
    virtual HRESULT AccessibleDoDefaultAction(VARIANT varChild);
    virtual HRESULT PutAccessibleName(VARIANT varChild, BSTR szName);
    virtual HRESULT PutAccessibleValue(VARIANT varChild, BSTR szValue);
    // The object whose reference count the interface uses; none here (the
    // interface is then not counted), derived classes return themselves.
    virtual CCmdTarget* GetAccessibleTarget();

    // The interface clients receive.
    IAccessible* GetAccessibleInterface() { return &m_xAccessible; }

    // Through "oleacc.dll", loaded on first use; E_FAIL when it or the function
    // is missing, and then the library is not tried again.
    HRESULT AccessibleObjectFromWindow(HWND hWnd, DWORD dwObjectID, REFIID riid, void** ppvObject);
    LRESULT LresultFromObject(REFIID riid, WPARAM wParam, LPUNKNOWN punk);
    // NotifyWinEvent of "user32.dll" when the system has it; nothing otherwise.
    void NotifyWinEvent(DWORD event, HWND hWnd, LONG idObject, LONG idChild);

    // The child a VARIANT names: 0 for the object itself (VT_EMPTY), the value of
    // VT_I4 and VT_I2 (also by reference), followed through a VARIANT by
    // reference; -1 for null or any other type.
    static long GetChildIndex(const VARIANT* pVarChild);
    // A VT_I4 VARIANT of the value: a role, a state or a child.
    static VARIANT MakeLong(long nValue);

    // A seam: the library the oleacc functions are bound from ("oleacc.dll").
    static void SetAccessibilityLibrary(LPCSTR lpszLibrary);

    // The IAccessible that forwards to its owner.
    class XAccessible : public IAccessible {
    public:
        explicit XAccessible(CKitAccessible* pOwner) : m_pOwner(pOwner) {}
        virtual ~XAccessible() = default;

        STDMETHOD(QueryInterface)(REFIID riid, void** ppvObject) override;
        STDMETHOD_(ULONG, AddRef)() override;
        STDMETHOD_(ULONG, Release)() override;
        STDMETHOD(GetTypeInfoCount)(UINT* pctinfo) override;
        STDMETHOD(GetTypeInfo)(UINT iTInfo, LCID lcid, ITypeInfo** ppTInfo) override;
        STDMETHOD(GetIDsOfNames)(REFIID riid, LPOLESTR* rgszNames, UINT cNames, LCID lcid, DISPID* rgDispId) override;
        STDMETHOD(Invoke)(DISPID dispIdMember, REFIID riid, LCID lcid, WORD wFlags, DISPPARAMS* pDispParams,
                          VARIANT* pVarResult, EXCEPINFO* pExcepInfo, UINT* puArgErr) override;
        STDMETHOD(get_accParent)(IDispatch** ppdispParent) override;
        STDMETHOD(get_accChildCount)(long* pcountChildren) override;
        STDMETHOD(get_accChild)(VARIANT varChild, IDispatch** ppdispChild) override;
        STDMETHOD(get_accName)(VARIANT varChild, BSTR* pszName) override;
        STDMETHOD(get_accValue)(VARIANT varChild, BSTR* pszValue) override;
        STDMETHOD(get_accDescription)(VARIANT varChild, BSTR* pszDescription) override;
        STDMETHOD(get_accRole)(VARIANT varChild, VARIANT* pvarRole) override;
        STDMETHOD(get_accState)(VARIANT varChild, VARIANT* pvarState) override;
        STDMETHOD(get_accHelp)(VARIANT varChild, BSTR* pszHelp) override;
        STDMETHOD(get_accHelpTopic)(BSTR* pszHelpFile, VARIANT varChild, long* pidTopic) override;
        STDMETHOD(get_accKeyboardShortcut)(VARIANT varChild, BSTR* pszKeyboardShortcut) override;
        STDMETHOD(get_accFocus)(VARIANT* pvarChild) override;
        STDMETHOD(get_accSelection)(VARIANT* pvarChildren) override;
        STDMETHOD(get_accDefaultAction)(VARIANT varChild, BSTR* pszDefaultAction) override;
        STDMETHOD(accSelect)(long flagsSelect, VARIANT varChild) override;
        STDMETHOD(accLocation)(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight, VARIANT varChild) override;
        STDMETHOD(accNavigate)(long navDir, VARIANT varStart, VARIANT* pvarEndUpAt) override;
        STDMETHOD(accHitTest)(long xLeft, long yTop, VARIANT* pvarChild) override;
        STDMETHOD(accDoDefaultAction)(VARIANT varChild) override;
        STDMETHOD(put_accName)(VARIANT varChild, BSTR szName) override;
        STDMETHOD(put_accValue)(VARIANT varChild, BSTR szValue) override;

    private:
        CKitAccessible* m_pOwner;
    };

private:
    using NotifyWinEventFn = void(WINAPI*)(DWORD, HWND, LONG, LONG);
    using LresultFromObjectFn = LRESULT(WINAPI*)(REFIID, WPARAM, LPUNKNOWN);
    using AccessibleObjectFromWindowFn = HRESULT(WINAPI*)(HWND, DWORD, REFIID, void**);

    // Binds *ppfn from the accessibility library; FALSE when that cannot be done.
    template <class Fn>
    BOOL BindOleAcc(Fn* ppfn, LPCSTR lpszName);

    XAccessible m_xAccessible;
    NotifyWinEventFn m_pfnNotifyWinEvent;
    LresultFromObjectFn m_pfnLresultFromObject;
    AccessibleObjectFromWindowFn m_pfnAccessibleObjectFromWindow;
    HMODULE m_hUser32;
    HMODULE m_hOleAcc;
};

// The accessibility base: child ids of VARIANTs, the forwarding interface, its reference count and the late-bound libraries.
#include "toolkit/common/accessible.h"

#include "framework/msgmap.h"

#include <gtest/gtest.h>

namespace {

TEST(KitAccessible, ChildIndexOfEachVariantKind)
{
    VARIANT v;
    ::VariantInit(&v);
    EXPECT_EQ(0, CKitAccessible::GetChildIndex(&v));
    v.vt = VT_I4;
    v.lVal = 7;
    EXPECT_EQ(7, CKitAccessible::GetChildIndex(&v));
    v.vt = VT_I2;
    v.iVal = 5;
    EXPECT_EQ(5, CKitAccessible::GetChildIndex(&v));
    LONG longValue = 11;
    v.vt = VT_I4 | VT_BYREF;
    v.plVal = &longValue;
    EXPECT_EQ(11, CKitAccessible::GetChildIndex(&v));
    SHORT shortValue = 12;
    v.vt = VT_I2 | VT_BYREF;
    v.piVal = &shortValue;
    EXPECT_EQ(12, CKitAccessible::GetChildIndex(&v));
    VARIANT inner;
    ::VariantInit(&inner);
    inner.vt = VT_I2;
    inner.iVal = 3;
    v.vt = VT_VARIANT | VT_BYREF;
    v.pvarVal = &inner;
    EXPECT_EQ(3, CKitAccessible::GetChildIndex(&v));
    v.vt = VT_BSTR;
    v.bstrVal = nullptr;
    EXPECT_EQ(-1, CKitAccessible::GetChildIndex(&v));
    v.vt = VT_R8;
    EXPECT_EQ(-1, CKitAccessible::GetChildIndex(&v));
    EXPECT_EQ(-1, CKitAccessible::GetChildIndex(nullptr));
}

// A command target that answers one accessibility query and counts its references.
class NamedTarget : public CCmdTarget, public CKitAccessible {
public:
    HRESULT GetAccessibleName(VARIANT, BSTR* pszName) override
    {
        *pszName = ::SysAllocString(L"Named");
        return S_OK;
    }
    CCmdTarget* GetAccessibleTarget() override { return this; }
    void OnFinalRelease() override { released = true; }
    LONG References() const { return m_dwRef; }

    bool released = false;
};

TEST(KitAccessible, TheInterfaceForwardsToTheObjectAndCountsOnItsTarget)
{
    CKitAccessible plain;
    IAccessible* accessible = plain.GetAccessibleInterface();
    VARIANT self;
    ::VariantInit(&self);
    BSTR name = nullptr;
    EXPECT_EQ(E_NOTIMPL, accessible->get_accName(self, &name));
    EXPECT_EQ(E_NOTIMPL, accessible->accDoDefaultAction(self));
    EXPECT_EQ(S_FALSE, accessible->get_accFocus(&self));
    EXPECT_EQ(S_FALSE, accessible->get_accSelection(&self));
    UINT count = 0;
    EXPECT_EQ(E_NOTIMPL, accessible->GetTypeInfoCount(&count));
    EXPECT_EQ(1u, accessible->AddRef());
    EXPECT_EQ(1u, accessible->Release());

    NamedTarget target;
    accessible = target.GetAccessibleInterface();
    ASSERT_EQ(S_OK, accessible->get_accName(self, &name));
    EXPECT_STREQ(L"Named", name);
    ::SysFreeString(name);
    IUnknown* unknown = nullptr;
    ASSERT_EQ(S_OK, accessible->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&unknown)));
    EXPECT_EQ(2, target.References());
    IDispatch* dispatch = nullptr;
    ASSERT_EQ(S_OK, accessible->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch)));
    EXPECT_EQ(3, target.References());
    IStream* stream = reinterpret_cast<IStream*>(1);
    EXPECT_EQ(E_NOINTERFACE, accessible->QueryInterface(IID_IStream, reinterpret_cast<void**>(&stream)));
    EXPECT_EQ(nullptr, stream);
    dispatch->Release();
    unknown->Release();
    EXPECT_EQ(1, target.References());
    EXPECT_FALSE(target.released);
    target.InternalRelease();
    EXPECT_TRUE(target.released);
}

TEST(KitAccessible, AFailedBindingOfTheAccessibilityLibraryIsNotTriedAgain)
{
    CKitAccessible accessible;
    CKitAccessible::SetAccessibilityLibrary("kernel32.dll");
    IAccessible* object = nullptr;
    EXPECT_EQ(E_FAIL, accessible.AccessibleObjectFromWindow(::GetDesktopWindow(), OBJID_CLIENT, __uuidof(IAccessible),
                                                            reinterpret_cast<void**>(&object)));
    CKitAccessible::SetAccessibilityLibrary("oleacc.dll");
    EXPECT_EQ(E_FAIL, accessible.LresultFromObject(__uuidof(IAccessible), 0, accessible.GetAccessibleInterface()));
    EXPECT_EQ(E_FAIL, accessible.AccessibleObjectFromWindow(::GetDesktopWindow(), OBJID_CLIENT, __uuidof(IAccessible),
                                                            reinterpret_cast<void**>(&object)));

    CKitAccessible bound;
    ASSERT_EQ(S_OK, bound.AccessibleObjectFromWindow(::GetDesktopWindow(), OBJID_CLIENT, __uuidof(IAccessible),
                                                     reinterpret_cast<void**>(&object)));
    ASSERT_NE(nullptr, object);
    object->Release();
    bound.NotifyWinEvent(EVENT_SYSTEM_MENUPOPUPSTART, ::GetDesktopWindow(), OBJID_MENU, CHILDID_SELF);
}

} // namespace

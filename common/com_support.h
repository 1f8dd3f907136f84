// ComError, ComPtr, ComBstr, ComVariant: COM errors, a reference-counted interface pointer, and BSTR and VARIANT owners.
#pragma once

#include "framework/error_report.h"
#include "framework/strings.h"

#include <windows.h>
#include <oleauto.h>
#include <unknwn.h>

#include <cstddef>
#include <type_traits>
#include <utility>

// The error a failed COM call raises: its result code and what failed.
// Thrown by value, caught by reference.
class ComError {
public:
    ComError(HRESULT result, const CString& text) : m_result(result), m_text(text) {}

    HRESULT Error() const noexcept { return m_result; }
    const CString& Text() const noexcept { return m_text; }

private:
    HRESULT m_result;
    CString m_text;
};

// The report of a ComError (what failed and its result code); nothing for another family.
// The window layer adds it to the describers of its handlers' boundary.
std::optional<CErrorReport> DescribeComError(const std::exception_ptr& error);

// Raises ComError(result, what) when result has the failure bit set.
void ThrowIfFailed(HRESULT result, LPCSTR what);

// The interface id of T; interfaces without a compiler-known id specialise Get.
template <class T>
struct ComInterfaceId {
    static const IID& Get() { return __uuidof(T); }
};

// Holds one reference to a T. Assigning a pointer of another interface asks it
// for T (QueryInterface): the pointer is empty when the object has no T.
// Dereferencing an empty pointer raises ComError(E_POINTER).
template <class T>
class ComPtr {
public:
    ComPtr() noexcept = default;
    ComPtr(std::nullptr_t) noexcept {}
    // Shares p: takes a reference of its own.
    explicit ComPtr(T* p) noexcept : m_p(p)
    {
        if (m_p)
            m_p->AddRef();
    }
    ComPtr(const ComPtr& other) noexcept : ComPtr(other.m_p) {}
    ComPtr(ComPtr&& other) noexcept : m_p(std::exchange(other.m_p, nullptr)) {}
    template <class U>
    ComPtr(const ComPtr<U>& other)
    {
        Assign(other.Get());
    }
    ~ComPtr() { Release(); }

    ComPtr& operator=(const ComPtr& other) noexcept
    {
        ComPtr copy(other);
        Swap(copy);
        return *this;
    }
    ComPtr& operator=(ComPtr&& other) noexcept
    {
        ComPtr moved(std::move(other));
        Swap(moved);
        return *this;
    }
    template <class U>
    ComPtr& operator=(const ComPtr<U>& other)
    {
        Assign(other.Get());
        return *this;
    }
    ComPtr& operator=(std::nullptr_t) noexcept
    {
        Release();
        return *this;
    }

    // Holds p's T interface (a reference of its own), or nothing when p is
    // null or has no T.
    template <class U>
    void Assign(U* p)
    {
        if constexpr (std::is_convertible<U*, T*>::value) {
            ComPtr shared(static_cast<T*>(p));
            Swap(shared);
        } else {
            Release();
            if (p)
                p->QueryInterface(ComInterfaceId<T>::Get(), reinterpret_cast<void**>(&m_p));
        }
    }

    T* operator->() const
    {
        if (!m_p)
            throw ComError(E_POINTER, "null interface pointer");
        return m_p;
    }
    T* Get() const noexcept { return m_p; }
    explicit operator bool() const noexcept { return m_p != nullptr; }

    // Takes over a reference that the caller owns.
    void Attach(T* p) noexcept
    {
        Release();
        m_p = p;
    }
    // Hands the reference to the caller.
    T* Detach() noexcept { return std::exchange(m_p, nullptr); }
    void Release() noexcept
    {
        if (T* p = std::exchange(m_p, nullptr))
            p->Release();
    }
    // Address for calls that return a new reference through an out parameter.
    T** Receive() noexcept
    {
        Release();
        return &m_p;
    }
    void** ReceiveVoid() noexcept { return reinterpret_cast<void**>(Receive()); }
    void Swap(ComPtr& other) noexcept { std::swap(m_p, other.m_p); }

    // Creates an object of class clsid and holds its T.
    HRESULT CreateInstance(REFCLSID clsid, DWORD context = CLSCTX_INPROC_SERVER)
    {
        return ::CoCreateInstance(clsid, nullptr, context, ComInterfaceId<T>::Get(), ReceiveVoid());
    }

private:
    T* m_p = nullptr;
};

// Owns one BSTR.
class ComBstr {
public:
    ComBstr() noexcept = default;
    // Copies text; raises ComError(E_OUTOFMEMORY) when no string can be made.
    explicit ComBstr(LPCWSTR text);
    // Converts text from the system code page.
    explicit ComBstr(const CString& text);
    ComBstr(const ComBstr& other);
    ComBstr(ComBstr&& other) noexcept : m_bstr(std::exchange(other.m_bstr, nullptr)) {}
    ComBstr& operator=(ComBstr other) noexcept
    {
        std::swap(m_bstr, other.m_bstr);
        return *this;
    }
    ~ComBstr() { ::SysFreeString(m_bstr); }

    BSTR Get() const noexcept { return m_bstr; }
    UINT Length() const noexcept { return ::SysStringLen(m_bstr); }
    BSTR* Receive() noexcept
    {
        ::SysFreeString(std::exchange(m_bstr, nullptr));
        return &m_bstr;
    }
    BSTR Detach() noexcept { return std::exchange(m_bstr, nullptr); }
    // The text in the system code page (empty for a null BSTR).
    CString ToString() const;

private:
    BSTR m_bstr = nullptr;
};

// Owns one VARIANT.
class ComVariant {
public:
    ComVariant() noexcept { ::VariantInit(&m_value); }
    explicit ComVariant(LPCWSTR text);
    // A VT_BSTR of text converted from the system code page.
    explicit ComVariant(const CString& text);
    explicit ComVariant(long value) noexcept;
    ComVariant(const ComVariant& other);
    ComVariant(ComVariant&& other) noexcept : ComVariant() { std::swap(m_value, other.m_value); }
    ComVariant& operator=(ComVariant other) noexcept
    {
        std::swap(m_value, other.m_value);
        return *this;
    }
    ~ComVariant() { ::VariantClear(&m_value); }

    // A VT_ARRAY|VT_UI1 array that the caller fills through the returned pointer
    // (size bytes); null (and the variant empty) when it cannot be allocated.
    BYTE* MakeByteArray(ULONG size);

    const VARIANT& Get() const noexcept { return m_value; }
    VARIANT* Receive() noexcept
    {
        ::VariantClear(&m_value);
        return &m_value;
    }
    // The value as text in the system code page; empty when it has none.
    CString ToString() const;

private:
    VARIANT m_value;
};

// Text between the system code page and wide strings.
CStringW ToWideText(const CString& text);
CString FromWideText(LPCWSTR text, int length = -1);
// The whole BSTR (embedded nulls included) as text; empty for null.
CString BstrToString(BSTR text);

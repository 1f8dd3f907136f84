// UniqueHandle, ScopedHandle, ScopedRegKey, ScopedGdiObject, ScopedCursor, ScopedMemoryDC, ScopedSelectObject: move-only owners of Win32 handles and a scoped GDI selection.
#pragma once

#include <windows.h>

#include <utility>

// Owns one handle and releases it through Traits::Close when it goes.
// Traits provide `using Type`, `static Type Invalid()` and `static void Close(Type)`.
template <class Traits>
class UniqueHandle {
public:
    using Type = typename Traits::Type;

    UniqueHandle() noexcept : m_handle(Traits::Invalid()) {}
    explicit UniqueHandle(Type handle) noexcept : m_handle(handle) {}
    UniqueHandle(UniqueHandle&& other) noexcept : m_handle(other.Detach()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept
    {
        if (this != &other)
            Attach(other.Detach());
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    ~UniqueHandle() { Reset(); }

    Type Get() const noexcept { return m_handle; }
    bool IsValid() const noexcept { return m_handle != Traits::Invalid(); }
    explicit operator bool() const noexcept { return IsValid(); }

    // Takes ownership of `handle`, releasing the one held before.
    void Attach(Type handle) noexcept
    {
        Reset();
        m_handle = handle;
    }
    // Gives up ownership without closing.
    Type Detach() noexcept { return std::exchange(m_handle, Traits::Invalid()); }
    void Reset() noexcept
    {
        if (IsValid())
            Traits::Close(std::exchange(m_handle, Traits::Invalid()));
    }
    // Address for APIs that return a new handle through an out parameter.
    Type* Receive() noexcept
    {
        Reset();
        return &m_handle;
    }

private:
    Type m_handle;
};

struct KernelHandleTraits {
    using Type = HANDLE;
    static Type Invalid() noexcept { return INVALID_HANDLE_VALUE; }
    static void Close(Type h) noexcept { ::CloseHandle(h); }
};

struct RegKeyTraits {
    using Type = HKEY;
    static Type Invalid() noexcept { return nullptr; }
    static void Close(Type h) noexcept { ::RegCloseKey(h); }
};

using ScopedHandle = UniqueHandle<KernelHandleTraits>;
using ScopedRegKey = UniqueHandle<RegKeyTraits>;

// A GDI object (pen, brush, bitmap, region, font) deleted with DeleteObject.
template <class T>
struct GdiObjectTraits {
    using Type = T;
    static Type Invalid() noexcept { return nullptr; }
    static void Close(Type h) noexcept { ::DeleteObject(h); }
};

template <class T>
using ScopedGdiObject = UniqueHandle<GdiObjectTraits<T>>;

// A cursor made at run time, destroyed with DestroyCursor.
struct CursorTraits {
    using Type = HCURSOR;
    static Type Invalid() noexcept { return nullptr; }
    static void Close(Type h) noexcept { ::DestroyCursor(h); }
};

using ScopedCursor = UniqueHandle<CursorTraits>;

// A memory device context deleted with DeleteDC.
struct MemoryDCTraits {
    using Type = HDC;
    static Type Invalid() noexcept { return nullptr; }
    static void Close(Type h) noexcept { ::DeleteDC(h); }
};

using ScopedMemoryDC = UniqueHandle<MemoryDCTraits>;

// Selects a GDI object into a device context and reselects the previous one when it goes.
class ScopedSelectObject {
public:
    ScopedSelectObject(HDC hdc, HGDIOBJ object) noexcept
        : m_hdc(hdc), m_previous(object != nullptr ? ::SelectObject(hdc, object) : nullptr)
    {
    }
    ~ScopedSelectObject()
    {
        if (m_previous != nullptr && m_previous != HGDI_ERROR)
            ::SelectObject(m_hdc, m_previous);
    }
    ScopedSelectObject(const ScopedSelectObject&) = delete;
    ScopedSelectObject& operator=(const ScopedSelectObject&) = delete;

private:
    HDC m_hdc;
    HGDIOBJ m_previous;
};

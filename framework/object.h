// CObject, CRuntimeClass: the root class and run-time class information (DECLARE_/IMPLEMENT_ macros).
#pragma once

#include <windows.h>

#include <type_traits>

class CArchive;
class CObject;

// Schema of classes that are not serializable.
constexpr UINT kNoSchema = 0xFFFF;

struct CRuntimeClass {
    LPCSTR m_lpszClassName;
    int m_nObjectSize;
    UINT m_wSchema;
    CObject* (*m_pfnCreateObject)();
    CRuntimeClass* m_pBaseClass;
    CRuntimeClass* m_pNextClass;

    // A new object of this class, or nullptr when it is not creatable.
    CObject* CreateObject() const;
    BOOL IsDerivedFrom(const CRuntimeClass* pBaseClass) const;

    // The registered class with this name, or nullptr.
    static CRuntimeClass* FromName(LPCSTR lpszClassName);
    static CObject* CreateObject(LPCSTR lpszClassName);
};

// Adds a class to the list searched by CRuntimeClass::FromName; the
// IMPLEMENT_ macros define one per class.
struct AFX_CLASSINIT {
    explicit AFX_CLASSINIT(CRuntimeClass* pNewClass);
};

class CObject {
public:
    using RuntimeClassOwner = CObject;
    static CRuntimeClass runtimeClass;
    static CRuntimeClass* GetThisClass() { return &runtimeClass; }

    virtual ~CObject() = default;
    CObject(const CObject&) = delete;
    CObject& operator=(const CObject&) = delete;

    virtual CRuntimeClass* GetRuntimeClass() const;
    BOOL IsKindOf(const CRuntimeClass* pClass) const;
    BOOL IsSerializable() const;
    virtual void Serialize(CArchive& ar);

protected:
    CObject() = default;
};

// The run-time class of a class that declares one of the DECLARE_ macros itself.
template <class T>
CRuntimeClass* AfxRuntimeClassOf()
{
    static_assert(std::is_same<typename T::RuntimeClassOwner, T>::value,
        "RUNTIME_CLASS needs DECLARE_DYNAMIC, DECLARE_DYNCREATE or DECLARE_SERIAL in this class");
    return &T::runtimeClass;
}

#define RUNTIME_CLASS(class_name) (AfxRuntimeClassOf<class_name>())

#define DECLARE_DYNAMIC(class_name)                       \
public:                                                   \
    using RuntimeClassOwner = class_name;                 \
    static CRuntimeClass runtimeClass;                    \
    static CRuntimeClass* GetThisClass() { return &runtimeClass; } \
    CRuntimeClass* GetRuntimeClass() const override;

#define DECLARE_DYNCREATE(class_name)                     \
    DECLARE_DYNAMIC(class_name)                           \
    static CObject* CreateObject();

#define DECLARE_SERIAL(class_name) DECLARE_DYNCREATE(class_name)

#define AFX_PP_CAT2(a, b) a##b
#define AFX_PP_CAT(a, b) AFX_PP_CAT2(a, b)

// The class name may be qualified (Outer::Inner), so nothing is pasted onto it.
#define IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema, pfnNew)                    \
    static_assert(std::is_same<base_class_name::RuntimeClassOwner, base_class_name>::value,     \
        "the base class needs its own DECLARE_ macro");                                         \
    static_assert(std::is_base_of<base_class_name, class_name>::value,                          \
        #class_name " does not derive from " #base_class_name);                                 \
    CRuntimeClass class_name::runtimeClass = {#class_name, static_cast<int>(sizeof(class_name)), \
        wSchema, pfnNew, &base_class_name::runtimeClass, nullptr};                              \
    CRuntimeClass* class_name::GetRuntimeClass() const { return &class_name::runtimeClass; }    \
    static const AFX_CLASSINIT AFX_PP_CAT(afxClassInit, __COUNTER__)(&class_name::runtimeClass);

#define IMPLEMENT_DYNAMIC(class_name, base_class_name) \
    IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, kNoSchema, nullptr)

#define IMPLEMENT_DYNCREATE(class_name, base_class_name)                   \
    CObject* class_name::CreateObject() { return new class_name; }         \
    IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, kNoSchema, &class_name::CreateObject)

#define IMPLEMENT_SERIAL(class_name, base_class_name, wSchema)             \
    CObject* class_name::CreateObject() { return new class_name; }         \
    IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema, &class_name::CreateObject)

// Throws CInvalidArgException* unless pObject is null or of class pClass.
void AfxCheckDownCast(const CObject* pObject, const CRuntimeClass* pClass);

// pObject as T*, or nullptr when it is not one.
template <class T>
T* AfxDynamicDownCast(CObject* pObject)
{
    return pObject != nullptr && pObject->IsKindOf(RUNTIME_CLASS(T)) ? static_cast<T*>(pObject) : nullptr;
}

// pObject as T*; throws CInvalidArgException* when it is not one.
template <class T>
T* AfxStaticDownCast(CObject* pObject)
{
    AfxCheckDownCast(pObject, RUNTIME_CLASS(T));
    return static_cast<T*>(pObject);
}

#define DYNAMIC_DOWNCAST(class_name, object) (AfxDynamicDownCast<class_name>(object))
#define STATIC_DOWNCAST(class_name, object) (AfxStaticDownCast<class_name>(object))

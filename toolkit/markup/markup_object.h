// CKitMarkupObject, CKitMarkupType, CKitMarkupDependencyProperty, CKitMarkupPropertyMetadata, CKitMarkupProperties, CKitMarkupRef: the markup object model and type registry.
#pragma once

#include <windows.h>

#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

class CKitMarkupBuilder;
class CKitMarkupDependencyProperty;
class CKitMarkupObject;
class CKitMarkupProperties;
class CKitMarkupStyle;
class CKitMarkupType;

// Declares the static type of a markup class (defined in markup_registration.cpp).
#define DECLARE_MARKUPCLASS(class_name)                          \
public:                                                          \
    using MarkupTypeOwner = class_name;                          \
    static CKitMarkupType* GetClassType() { return m_pClassType; } \
    CKitMarkupType* GetType() const override;                    \
                                                                 \
private:                                                         \
    static CKitMarkupType* m_pClassType;                         \
                                                                 \
public:

// The static type of a class that declares DECLARE_MARKUPCLASS itself.
template <class T>
CKitMarkupType* MarkupTypeOf()
{
    static_assert(std::is_same<typename T::MarkupTypeOwner, T>::value,
        "MARKUP_TYPE needs DECLARE_MARKUPCLASS in this class");
    return T::GetClassType();
}

#define MARKUP_TYPE(class_name) (MarkupTypeOf<class_name>())

// Metadata flags of a dependency property.
enum : DWORD {
    MarkupPropertyInherits = 1,        // the value flows to logical descendants without one
    MarkupPropertyAffectsArrange = 2,
    MarkupPropertyAffectsMeasure = 4,
    MarkupPropertyAffectsRender = 32,
};

// What a property-changed callback receives.
struct CKitMarkupPropertyChangedEventArgs {
    CKitMarkupDependencyProperty* m_pProperty;
    CKitMarkupObject* m_pOldValue;
    CKitMarkupObject* m_pNewValue;
};

// Makes a new value object from a source object (nullptr: not convertible). The source stays the caller's.
typedef CKitMarkupObject* (*MARKUP_VALUE_CONVERTER)(CKitMarkupBuilder* pBuilder, CKitMarkupObject* pSource);
typedef void (*MARKUP_PROPERTY_CHANGED)(CKitMarkupObject* pObject, CKitMarkupPropertyChangedEventArgs* pArgs);
typedef CKitMarkupObject* (*MARKUP_FACTORY)();
typedef CKitMarkupType* (*MARKUP_BASE_TYPE)();
typedef void (*MARKUP_REGISTER_PROPERTIES)();

// The root of everything a markup text can name: reference counted, typed,
// with a store of dependency-property values and a logical parent.
class CKitMarkupObject {
public:
    using MarkupTypeOwner = CKitMarkupObject;
    static CKitMarkupType* GetClassType() { return m_pClassType; }

    CKitMarkupObject();
    CKitMarkupObject(const CKitMarkupObject&) = delete;
    CKitMarkupObject& operator=(const CKitMarkupObject&) = delete;

    virtual CKitMarkupType* GetType() const;
    // Releases every stored value and frees the tag name.
    virtual ~CKitMarkupObject();
    // The local value of a property, nullptr when the object has none.
    virtual CKitMarkupObject* GetValueCore(CKitMarkupDependencyProperty* pProperty) const;
    virtual DWORD GetHashKey() const;
    virtual BOOL IsEqual(const CKitMarkupObject* pOther) const;
    virtual int GetLogicalChildrenCount() const;
    virtual CKitMarkupObject* GetLogicalChild(int nIndex) const;
    // Content written inside the element. Takes over the reference to pContent,
    // also when it raises a build error.
    virtual void SetContentObject(CKitMarkupBuilder* pBuilder, CKitMarkupObject* pContent);
    // Converts the value to the property's type when needed and sets it.
    // Takes over the reference to pValue, also when it raises a build error.
    virtual void SetPropertyObject(CKitMarkupBuilder* pBuilder, CKitMarkupDependencyProperty* pProperty,
                                   CKitMarkupObject* pValue);
    // A new object of the receiver's type made from pObject, or nullptr.
    virtual CKitMarkupObject* ConvertFrom(CKitMarkupBuilder* pBuilder, CKitMarkupObject* pObject);
    virtual BOOL HasContentObject() const;
    virtual BOOL AllowWhiteSpaceContent() const;
    // Called after a property's effective value may have changed.
    virtual void OnPropertyChanged(CKitMarkupDependencyProperty* pProperty, CKitMarkupObject* pOldValue,
                                   CKitMarkupObject* pNewValue);
    // Called when the last reference goes; deletes the object.
    virtual void OnFinalRelease();

    LONG AddRef();
    // Does nothing when the count is already 0.
    LONG Release();
    LONG GetRefCount() const { return m_nRefCount; }

    // The effective value (local, inherited or default); not a new reference.
    CKitMarkupObject* GetValue(CKitMarkupDependencyProperty* pProperty) const;
    // The effective value when it is a T, else nullptr.
    template <class T>
    T* GetValueOf(CKitMarkupDependencyProperty* pProperty) const;
    // The value in the object's own store (not styles or triggers), or nullptr.
    CKitMarkupObject* GetLocalValue(const CKitMarkupDependencyProperty* pProperty) const;
    // Takes over the reference to pValue (nullptr clears); a value of the wrong type is ignored and stays the caller's.
    void SetValue(CKitMarkupDependencyProperty* pProperty, CKitMarkupObject* pValue);
    BOOL IsKindOf(const CKitMarkupType* pType) const;

    CKitMarkupObject* GetLogicalParent() const { return m_pLogicalParent; }
    void SetLogicalParent(CKitMarkupObject* pParent) { m_pLogicalParent = pParent; }
    // Clears the logical parent only when it is pParent (shared values keep their latest holder).
    void DetachFromParent(const CKitMarkupObject* pParent);

    // The element name as written in the markup; nullptr for objects made in code.
    LPCWSTR GetTagName() const { return m_lpszTagName; }
    void SetTagName(std::wstring_view tagName);

    static CKitMarkupDependencyProperty* m_pNameProperty;
    static CKitMarkupDependencyProperty* m_pKeyProperty;
    static void RegisterProperties();

    // Notifies the logical descendants of a change of an inherited property.
    void NotifyDescendants(CKitMarkupDependencyProperty* pProperty, CKitMarkupObject* pOldValue,
                           CKitMarkupObject* pNewValue);

protected:
    CKitMarkupObject* m_pLogicalParent;
    CKitMarkupProperties* m_pProperties;
    LPWSTR m_lpszTagName;
    volatile LONG m_nRefCount;

private:
    static CKitMarkupType* m_pClassType;
};

// Holds one reference to a markup object; move-only.
template <class T>
class CKitMarkupRef {
public:
    CKitMarkupRef() noexcept = default;
    // Takes over the reference to p.
    explicit CKitMarkupRef(T* p) noexcept : m_p(p) {}
    CKitMarkupRef(CKitMarkupRef&& other) noexcept : m_p(other.Detach()) {}
    CKitMarkupRef& operator=(CKitMarkupRef&& other) noexcept
    {
        Attach(other.Detach());
        return *this;
    }
    CKitMarkupRef(const CKitMarkupRef&) = delete;
    CKitMarkupRef& operator=(const CKitMarkupRef&) = delete;
    ~CKitMarkupRef()
    {
        if (m_p != nullptr)
            m_p->Release();
    }

    // Releases what is held and takes over the reference to p.
    void Attach(T* p) noexcept
    {
        T* old = m_p;
        m_p = p;
        if (old != nullptr)
            old->Release();
    }
    // Hands the reference to the caller.
    T* Detach() noexcept { return std::exchange(m_p, nullptr); }
    T* Get() const noexcept { return m_p; }
    T* operator->() const noexcept { return m_p; }
    explicit operator bool() const noexcept { return m_p != nullptr; }

private:
    T* m_p = nullptr;
};

// A run-time type: tag name, class name, factory, base type and property registration.
class CKitMarkupType : public CKitMarkupObject {
    DECLARE_MARKUPCLASS(CKitMarkupType)
public:
    // Adds the type to the list of all types, and to the tag map when the tag is not empty.
    CKitMarkupType(LPCWSTR lpszTag, LPCWSTR lpszClassName, MARKUP_FACTORY pfnFactory, MARKUP_BASE_TYPE pfnBaseType,
                   MARKUP_REGISTER_PROPERTIES pfnRegisterProperties);
    ~CKitMarkupType() override;

    // A string naming a registered tag gives that type (a new reference).
    CKitMarkupObject* ConvertFrom(CKitMarkupBuilder* pBuilder, CKitMarkupObject* pObject) override;

    // A new object of this type with one reference, or nullptr.
    CKitMarkupObject* CreateObject() const;
    CKitMarkupType* GetBaseType() const;
    BOOL IsDerivedFrom(const CKitMarkupType* pType) const;
    // Registers the properties of the base types and then of this type, once.
    void RegisterProperties();

    LPCWSTR GetTag() const { return m_lpszTag; }
    LPCWSTR GetClassName() const { return m_lpszClassName; }
    CKitMarkupType* GetNextType() const { return m_pNextType; }

    CKitMarkupStyle* GetDefaultStyle() const { return m_pDefaultStyle; }
    // Takes over the reference to pStyle.
    void SetDefaultStyleCore(CKitMarkupStyle* pStyle);

    // The type written with this tag (case-sensitive), or nullptr.
    static CKitMarkupType* LookupTag(std::wstring_view tag);
    // The newest constructed type; the others follow through GetNextType.
    static CKitMarkupType* GetFirstType();
    // A blank type object, made only to convert text to a type; not listed.
    static CKitMarkupObject* CreateBlank();

private:
    CKitMarkupType();

    LPCWSTR m_lpszTag;
    LPCWSTR m_lpszClassName;
    CKitMarkupType* m_pNextType;
    BOOL m_bRegistered;
    MARKUP_FACTORY m_pfnFactory;
    MARKUP_BASE_TYPE m_pfnBaseType;
    MARKUP_REGISTER_PROPERTIES m_pfnRegisterProperties;
    CKitMarkupStyle* m_pDefaultStyle;
};

// The per-property data: default value, converter, change callback and flags.
class CKitMarkupPropertyMetadata {
public:
    // Each constructor takes over the reference to pDefaultValue.
    CKitMarkupPropertyMetadata(CKitMarkupObject* pDefaultValue, DWORD dwFlags);
    CKitMarkupPropertyMetadata(CKitMarkupObject* pDefaultValue, MARKUP_VALUE_CONVERTER pfnConverter, DWORD dwFlags);
    CKitMarkupPropertyMetadata(CKitMarkupObject* pDefaultValue, MARKUP_PROPERTY_CHANGED pfnPropertyChanged,
                               DWORD dwFlags);
    CKitMarkupPropertyMetadata(CKitMarkupObject* pDefaultValue, MARKUP_VALUE_CONVERTER pfnConverter,
                               MARKUP_PROPERTY_CHANGED pfnPropertyChanged, DWORD dwFlags);
    virtual ~CKitMarkupPropertyMetadata();
    CKitMarkupPropertyMetadata(const CKitMarkupPropertyMetadata&) = delete;
    CKitMarkupPropertyMetadata& operator=(const CKitMarkupPropertyMetadata&) = delete;

    CKitMarkupObject* m_pDefaultValue;
    MARKUP_VALUE_CONVERTER m_pfnConverter;
    MARKUP_PROPERTY_CHANGED m_pfnPropertyChanged;
    DWORD m_dwFlags;
};

// A named property of an owner type whose values must be of the property type.
class CKitMarkupDependencyProperty : public CKitMarkupObject {
    DECLARE_MARKUPCLASS(CKitMarkupDependencyProperty)
public:
    CKitMarkupDependencyProperty();
    ~CKitMarkupDependencyProperty() override;

    // TRUE for routed events, which have no slot in property stores.
    virtual BOOL IsEvent() const;

    // Creates and enters a property; the metadata (may be nullptr) becomes the property's.
    static CKitMarkupDependencyProperty* Register(LPCWSTR lpszName, CKitMarkupType* pPropertyType,
                                                 CKitMarkupType* pOwnerType, CKitMarkupPropertyMetadata* pMetadata);
    static CKitMarkupDependencyProperty* RegisterAttached(LPCWSTR lpszName, CKitMarkupType* pPropertyType,
                                                         CKitMarkupType* pOwnerType,
                                                         CKitMarkupPropertyMetadata* pMetadata);
    // Makes the property findable under another owner type.
    static CKitMarkupDependencyProperty* AddOwner(CKitMarkupDependencyProperty* pProperty,
                                                 CKitMarkupType* pNewOwnerType);
    // The property of that name on the type or its nearest base type; an "x:" prefix is skipped.
    static CKitMarkupDependencyProperty* FindProperty(CKitMarkupType* pOwnerType, std::wstring_view name);
    static CKitMarkupDependencyProperty* FindProperty(CKitMarkupType* pOwnerType, LPCWSTR lpszName);
    // Number of properties with a slot in property stores.
    static int GetPropertyCount();
    // The property with that slot index, or nullptr.
    static CKitMarkupDependencyProperty* GetPropertyAt(int nIndex);

    LPCWSTR GetName() const { return m_lpszName; }
    CKitMarkupType* GetPropertyType() const { return m_pPropertyType; }
    CKitMarkupType* GetOwnerType() const { return m_pOwnerType; }
    CKitMarkupPropertyMetadata* GetMetadata() const { return m_pMetadata; }
    BOOL IsAttached() const { return m_bAttached; }
    int GetIndex() const { return m_nIndex; }
    DWORD GetFlags() const { return m_pMetadata != nullptr ? m_pMetadata->m_dwFlags : 0; }

protected:
    // Stores the fields, gives an index unless IsEvent and enters the property into the map.
    static CKitMarkupDependencyProperty* RegisterCore(CKitMarkupDependencyProperty* pProperty, LPCWSTR lpszName,
                                                     CKitMarkupType* pPropertyType, CKitMarkupType* pOwnerType,
                                                     CKitMarkupPropertyMetadata* pMetadata, BOOL bAttached);

private:
    LPCWSTR m_lpszName;
    CKitMarkupType* m_pPropertyType;
    CKitMarkupType* m_pOwnerType;
    CKitMarkupPropertyMetadata* m_pMetadata;
    BOOL m_bAttached;
    int m_nIndex;
};

// The local values of one object, indexed by property index; sized when made.
class CKitMarkupProperties : public CKitMarkupObject {
public:
    // pOwner becomes the logical parent of stored values; a store without owner leaves them as they are.
    explicit CKitMarkupProperties(CKitMarkupObject* pOwner);
    ~CKitMarkupProperties() override;

    CKitMarkupObject* Get(const CKitMarkupDependencyProperty* pProperty) const;
    // Takes over the reference to pValue; a property without a slot here releases it.
    void Set(CKitMarkupDependencyProperty* pProperty, CKitMarkupObject* pValue);
    void SetAt(int nIndex, CKitMarkupObject* pValue);
    int GetSize() const { return static_cast<int>(m_values.size()); }
    CKitMarkupObject* GetAt(int nIndex) const { return m_values[nIndex]; }

private:
    CKitMarkupObject* m_pOwner;
    std::vector<CKitMarkupObject*> m_values;
};

// The object itself when it holds a local value of the property; else, for an
// inherited property, the nearest logical ancestor that holds one; else nullptr.
CKitMarkupObject* GetValueSource(CKitMarkupObject* pObject, CKitMarkupDependencyProperty* pProperty);

// The object when it is of the type (or a derived one), else nullptr.
CKitMarkupObject* MarkupDynamicCast(const CKitMarkupType* pType, CKitMarkupObject* pObject);

template <class T>
T* MarkupDynamicCast(CKitMarkupObject* pObject)
{
    return static_cast<T*>(MarkupDynamicCast(MARKUP_TYPE(T), pObject));
}

template <class T>
T* CKitMarkupObject::GetValueOf(CKitMarkupDependencyProperty* pProperty) const
{
    return MarkupDynamicCast<T>(GetValue(pProperty));
}

// Registers every type's properties once, base types first; later calls return at once.
void MarkupInitializeTypes();

// Registration function of classes without properties.
void MarkupRegisterNothing();

// The hash of a wide text: h = h * 33 + c over the characters, from 0.
DWORD MarkupHashText(std::wstring_view text);

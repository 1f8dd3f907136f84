#include "toolkit/markup/markup_object.h"

#include "toolkit/markup/markup_builder.h"
#include "toolkit/markup/markup_style.h"
#include "toolkit/markup/markup_text.h"
#include "toolkit/markup/markup_values.h"

#include <unordered_map>

namespace {

// Every constructed type, newest first (constant-initialised before any type is made).
CKitMarkupType* g_pFirstType = nullptr;

int g_nPropertyCount = 0;

// The registered properties by slot index (not references: the property map holds them).
std::vector<CKitMarkupDependencyProperty*>& PropertiesByIndex()
{
    static std::vector<CKitMarkupDependencyProperty*> properties;
    return properties;
}

struct TagHash {
    size_t operator()(std::wstring_view tag) const { return MarkupHashText(tag); }
};

// Tag name to type; the keys point at the types' own tag texts.
std::unordered_map<std::wstring_view, CKitMarkupType*, TagHash>& TypeMap()
{
    static std::unordered_map<std::wstring_view, CKitMarkupType*, TagHash> map(17);
    return map;
}

struct PropertyKey {
    std::wstring_view name;
    const CKitMarkupType* owner;

    bool operator==(const PropertyKey& other) const { return owner == other.owner && name == other.name; }
};

struct PropertyKeyHash {
    size_t operator()(const PropertyKey& key) const { return MarkupHashText(key.name); }
};

// (name, owner type) to property; one reference per entry, released at exit.
class CKitMarkupPropertyFromNameMap {
public:
    CKitMarkupPropertyFromNameMap() : m_map(17) {}
    ~CKitMarkupPropertyFromNameMap()
    {
        for (auto& entry : m_map)
            entry.second->Release();
    }
    CKitMarkupPropertyFromNameMap(const CKitMarkupPropertyFromNameMap&) = delete;
    CKitMarkupPropertyFromNameMap& operator=(const CKitMarkupPropertyFromNameMap&) = delete;

    // Takes over one reference to pProperty; an entry with the same key is released.
    void Set(std::wstring_view name, const CKitMarkupType* pOwner, CKitMarkupDependencyProperty* pProperty)
    {
        auto result = m_map.emplace(PropertyKey{name, pOwner}, pProperty);
        if (!result.second) {
            CKitMarkupDependencyProperty* old = result.first->second;
            result.first->second = pProperty;
            old->Release();
        }
    }

    CKitMarkupDependencyProperty* Lookup(std::wstring_view name, const CKitMarkupType* pOwner) const
    {
        const auto found = m_map.find(PropertyKey{name, pOwner});
        return found == m_map.end() ? nullptr : found->second;
    }

private:
    std::unordered_map<PropertyKey, CKitMarkupDependencyProperty*, PropertyKeyHash> m_map;
};

CKitMarkupPropertyFromNameMap& PropertyMap()
{
    static CKitMarkupPropertyFromNameMap map;
    return map;
}

DWORD AddressKey(const void* p)
{
    const UINT_PTR address = reinterpret_cast<UINT_PTR>(p);
    return static_cast<DWORD>(address ^ (static_cast<unsigned long long>(address) >> 32));
}

} // namespace

DWORD MarkupHashText(std::wstring_view text)
{
    DWORD h = 0;
    for (const wchar_t c : text)
        h = h * 33 + static_cast<WORD>(c);
    return h;
}

void MarkupRegisterNothing() {}

// CKitMarkupObject

CKitMarkupDependencyProperty* CKitMarkupObject::m_pNameProperty = nullptr;
CKitMarkupDependencyProperty* CKitMarkupObject::m_pKeyProperty = nullptr;

CKitMarkupObject::CKitMarkupObject()
    : m_pLogicalParent(nullptr), m_pProperties(nullptr), m_lpszTagName(nullptr), m_nRefCount(1)
{
}

CKitMarkupObject::~CKitMarkupObject()
{
    delete m_pProperties;
    delete[] m_lpszTagName;
}

void CKitMarkupObject::RegisterProperties()
{
    m_pNameProperty = CKitMarkupDependencyProperty::Register(L"Name", MARKUP_TYPE(CKitMarkupString),
                                                             MARKUP_TYPE(CKitMarkupObject), nullptr);
    m_pKeyProperty = CKitMarkupDependencyProperty::Register(L"Key", MARKUP_TYPE(CKitMarkupObject),
                                                            MARKUP_TYPE(CKitMarkupObject), nullptr);
}

CKitMarkupType* CKitMarkupObject::GetType() const
{
    return m_pClassType;
}

CKitMarkupObject* CKitMarkupObject::GetValueCore(CKitMarkupDependencyProperty* pProperty) const
{
    return GetLocalValue(pProperty);
}

CKitMarkupObject* CKitMarkupObject::GetLocalValue(const CKitMarkupDependencyProperty* pProperty) const
{
    if (m_pProperties == nullptr)
        return nullptr;
    return m_pProperties->Get(pProperty);
}

DWORD CKitMarkupObject::GetHashKey() const
{
    return AddressKey(this);
}

BOOL CKitMarkupObject::IsEqual(const CKitMarkupObject* pOther) const
{
    return pOther == this;
}

int CKitMarkupObject::GetLogicalChildrenCount() const
{
    return 0;
}

CKitMarkupObject* CKitMarkupObject::GetLogicalChild(int) const
{
    return nullptr;
}

void CKitMarkupObject::SetContentObject(CKitMarkupBuilder*, CKitMarkupObject* pContent)
{
    CKitMarkupRef<CKitMarkupObject> content(pContent);
    if (const CKitMarkupString* pText = MarkupDynamicCast<CKitMarkupString>(pContent)) {
        CKitMarkupBuilder::ThrowBuilderError("Cannot convert the string '%s' into a '%s' object",
                                             (LPCSTR)MarkupNarrow(pText->GetText()),
                                             (LPCSTR)MarkupNarrow(GetType()->GetClassName()));
    }
    CKitMarkupBuilder::ThrowBuilderError("Cannot add content to an object of type '%s'",
                                         (LPCSTR)MarkupNarrow(GetType()->GetClassName()));
}

void CKitMarkupObject::SetPropertyObject(CKitMarkupBuilder* pBuilder, CKitMarkupDependencyProperty* pProperty,
                                         CKitMarkupObject* pValue)
{
    CKitMarkupRef<CKitMarkupObject> value(pValue);
    if (pValue != nullptr && !pValue->IsKindOf(pProperty->GetPropertyType())) {
        value.Attach(pBuilder->ConvertValue(pProperty, pValue));
        // A converter that answers with an object of another type sets nothing.
        if (!value.Get()->IsKindOf(pProperty->GetPropertyType()))
            return;
    }
    SetValue(pProperty, value.Detach());
}

CKitMarkupObject* CKitMarkupObject::ConvertFrom(CKitMarkupBuilder*, CKitMarkupObject*)
{
    return nullptr;
}

BOOL CKitMarkupObject::HasContentObject() const
{
    return FALSE;
}

BOOL CKitMarkupObject::AllowWhiteSpaceContent() const
{
    return FALSE;
}

void CKitMarkupObject::OnPropertyChanged(CKitMarkupDependencyProperty* pProperty, CKitMarkupObject* pOldValue,
                                         CKitMarkupObject* pNewValue)
{
    CKitMarkupPropertyMetadata* pMetadata = pProperty->GetMetadata();
    if (pMetadata != nullptr && pMetadata->m_pfnPropertyChanged != nullptr) {
        CKitMarkupPropertyChangedEventArgs args{pProperty, pOldValue, pNewValue};
        pMetadata->m_pfnPropertyChanged(this, &args);
    }
}

void CKitMarkupObject::OnFinalRelease()
{
    delete this;
}

LONG CKitMarkupObject::AddRef()
{
    return ::InterlockedIncrement(&m_nRefCount);
}

LONG CKitMarkupObject::Release()
{
    if (m_nRefCount == 0)
        return 0;
    const LONG count = ::InterlockedDecrement(&m_nRefCount);
    if (count == 0)
        OnFinalRelease();
    return count;
}

CKitMarkupObject* CKitMarkupObject::GetValue(CKitMarkupDependencyProperty* pProperty) const
{
    if (CKitMarkupObject* pValue = GetValueCore(pProperty))
        return pValue;
    CKitMarkupPropertyMetadata* pMetadata = pProperty->GetMetadata();
    if (pMetadata == nullptr)
        return nullptr;
    if (pMetadata->m_dwFlags & MarkupPropertyInherits) {
        for (const CKitMarkupObject* pAncestor = m_pLogicalParent; pAncestor != nullptr;
             pAncestor = pAncestor->m_pLogicalParent) {
            if (CKitMarkupObject* pValue = pAncestor->GetValueCore(pProperty))
                return pValue;
        }
    }
    return pMetadata->m_pDefaultValue;
}

void CKitMarkupObject::SetValue(CKitMarkupDependencyProperty* pProperty, CKitMarkupObject* pValue)
{
    if (pValue != nullptr && !pValue->IsKindOf(pProperty->GetPropertyType()))
        return;
    if (pValue != nullptr && m_pProperties == nullptr)
        m_pProperties = new CKitMarkupProperties(this);

    // The old value is kept alive until everybody has been told about it.
    CKitMarkupObject* pOld = GetValue(pProperty);
    CKitMarkupRef<CKitMarkupObject> oldHold;
    if (pOld != nullptr) {
        pOld->AddRef();
        oldHold.Attach(pOld);
    }
    if (m_pProperties != nullptr)
        m_pProperties->Set(pProperty, pValue);
    CKitMarkupObject* pNew = GetValue(pProperty);
    if (pOld == nullptr && pNew == nullptr)
        return;
    OnPropertyChanged(pProperty, pOld, pNew);
    if (pProperty->GetFlags() & MarkupPropertyInherits)
        NotifyDescendants(pProperty, pOld, pNew);
}

void CKitMarkupObject::NotifyDescendants(CKitMarkupDependencyProperty* pProperty, CKitMarkupObject* pOldValue,
                                         CKitMarkupObject* pNewValue)
{
    const int count = GetLogicalChildrenCount();
    for (int i = 0; i < count; ++i) {
        CKitMarkupObject* pChild = GetLogicalChild(i);
        if (pChild == nullptr)
            continue;
        if (pChild->IsKindOf(pProperty->GetOwnerType()))
            pChild->OnPropertyChanged(pProperty, pOldValue, pNewValue);
        pChild->NotifyDescendants(pProperty, pOldValue, pNewValue);
    }
}

BOOL CKitMarkupObject::IsKindOf(const CKitMarkupType* pType) const
{
    const CKitMarkupType* pOwnType = GetType();
    return pOwnType != nullptr && pOwnType->IsDerivedFrom(pType);
}

void CKitMarkupObject::DetachFromParent(const CKitMarkupObject* pParent)
{
    if (m_pLogicalParent == pParent)
        m_pLogicalParent = nullptr;
}

void CKitMarkupObject::SetTagName(std::wstring_view tagName)
{
    delete[] m_lpszTagName;
    m_lpszTagName = new WCHAR[tagName.size() + 1];
    tagName.copy(m_lpszTagName, tagName.size());
    m_lpszTagName[tagName.size()] = L'\0';
}

// CKitMarkupType

CKitMarkupType::CKitMarkupType(LPCWSTR lpszTag, LPCWSTR lpszClassName, MARKUP_FACTORY pfnFactory,
                               MARKUP_BASE_TYPE pfnBaseType, MARKUP_REGISTER_PROPERTIES pfnRegisterProperties)
    : m_lpszTag(lpszTag),
      m_lpszClassName(lpszClassName),
      m_pNextType(g_pFirstType),
      m_bRegistered(FALSE),
      m_pfnFactory(pfnFactory),
      m_pfnBaseType(pfnBaseType),
      m_pfnRegisterProperties(pfnRegisterProperties),
      m_pDefaultStyle(nullptr)
{
    g_pFirstType = this;
    if (lpszTag != nullptr && lpszTag[0] != L'\0')
        TypeMap()[std::wstring_view(lpszTag)] = this;
}

CKitMarkupType::CKitMarkupType()
    : m_lpszTag(nullptr),
      m_lpszClassName(L"CKitMarkupType"),
      m_pNextType(nullptr),
      m_bRegistered(TRUE),
      m_pfnFactory(nullptr),
      m_pfnBaseType(nullptr),
      m_pfnRegisterProperties(nullptr),
      m_pDefaultStyle(nullptr)
{
}

CKitMarkupType::~CKitMarkupType()
{
    SetDefaultStyleCore(nullptr);
}

CKitMarkupObject* CKitMarkupType::CreateBlank()
{
    return new CKitMarkupType();
}

CKitMarkupObject* CKitMarkupType::ConvertFrom(CKitMarkupBuilder*, CKitMarkupObject* pObject)
{
    const CKitMarkupString* pText = MarkupDynamicCast<CKitMarkupString>(pObject);
    if (pText == nullptr)
        return nullptr;
    CKitMarkupType* pType = LookupTag(pText->GetView());
    if (pType != nullptr)
        pType->AddRef();
    return pType;
}

CKitMarkupObject* CKitMarkupType::CreateObject() const
{
    return m_pfnFactory != nullptr ? m_pfnFactory() : nullptr;
}

CKitMarkupType* CKitMarkupType::GetBaseType() const
{
    return m_pfnBaseType != nullptr ? m_pfnBaseType() : nullptr;
}

BOOL CKitMarkupType::IsDerivedFrom(const CKitMarkupType* pType) const
{
    for (const CKitMarkupType* pWalk = this; pWalk != nullptr; pWalk = pWalk->GetBaseType()) {
        if (pWalk == pType)
            return TRUE;
    }
    return FALSE;
}

void CKitMarkupType::RegisterProperties()
{
    if (m_bRegistered)
        return;
    if (CKitMarkupType* pBase = GetBaseType())
        pBase->RegisterProperties();
    m_bRegistered = TRUE;
    if (m_pfnRegisterProperties != nullptr)
        m_pfnRegisterProperties();
}

void CKitMarkupType::SetDefaultStyleCore(CKitMarkupStyle* pStyle)
{
    CKitMarkupStyle* pOld = std::exchange(m_pDefaultStyle, pStyle);
    if (pOld != nullptr)
        pOld->Release();
}

CKitMarkupType* CKitMarkupType::LookupTag(std::wstring_view tag)
{
    const auto& map = TypeMap();
    const auto found = map.find(tag);
    return found == map.end() ? nullptr : found->second;
}

CKitMarkupType* CKitMarkupType::GetFirstType()
{
    return g_pFirstType;
}

// CKitMarkupPropertyMetadata

CKitMarkupPropertyMetadata::CKitMarkupPropertyMetadata(CKitMarkupObject* pDefaultValue, DWORD dwFlags)
    : CKitMarkupPropertyMetadata(pDefaultValue, nullptr, nullptr, dwFlags)
{
}

CKitMarkupPropertyMetadata::CKitMarkupPropertyMetadata(CKitMarkupObject* pDefaultValue,
                                                       MARKUP_VALUE_CONVERTER pfnConverter, DWORD dwFlags)
    : CKitMarkupPropertyMetadata(pDefaultValue, pfnConverter, nullptr, dwFlags)
{
}

CKitMarkupPropertyMetadata::CKitMarkupPropertyMetadata(CKitMarkupObject* pDefaultValue,
                                                       MARKUP_PROPERTY_CHANGED pfnPropertyChanged, DWORD dwFlags)
    : CKitMarkupPropertyMetadata(pDefaultValue, nullptr, pfnPropertyChanged, dwFlags)
{
}

CKitMarkupPropertyMetadata::CKitMarkupPropertyMetadata(CKitMarkupObject* pDefaultValue,
                                                       MARKUP_VALUE_CONVERTER pfnConverter,
                                                       MARKUP_PROPERTY_CHANGED pfnPropertyChanged, DWORD dwFlags)
    : m_pDefaultValue(pDefaultValue),
      m_pfnConverter(pfnConverter),
      m_pfnPropertyChanged(pfnPropertyChanged),
      m_dwFlags(dwFlags)
{
}

CKitMarkupPropertyMetadata::~CKitMarkupPropertyMetadata()
{
    if (m_pDefaultValue != nullptr)
        m_pDefaultValue->Release();
}

// CKitMarkupDependencyProperty

CKitMarkupDependencyProperty::CKitMarkupDependencyProperty()
    : m_lpszName(nullptr),
      m_pPropertyType(nullptr),
      m_pOwnerType(nullptr),
      m_pMetadata(nullptr),
      m_bAttached(FALSE),
      m_nIndex(-1)
{
}

CKitMarkupDependencyProperty::~CKitMarkupDependencyProperty()
{
    delete m_pMetadata;
}

BOOL CKitMarkupDependencyProperty::IsEvent() const
{
    return FALSE;
}

CKitMarkupDependencyProperty* CKitMarkupDependencyProperty::RegisterCore(
    CKitMarkupDependencyProperty* pProperty, LPCWSTR lpszName, CKitMarkupType* pPropertyType,
    CKitMarkupType* pOwnerType, CKitMarkupPropertyMetadata* pMetadata, BOOL bAttached)
{
    pProperty->m_lpszName = lpszName;
    pProperty->m_pPropertyType = pPropertyType;
    pProperty->m_pOwnerType = pOwnerType;
    pProperty->m_pMetadata = pMetadata;
    pProperty->m_bAttached = bAttached;
    if (!pProperty->IsEvent()) {
        pProperty->m_nIndex = g_nPropertyCount++;
        PropertiesByIndex().push_back(pProperty);
    }
    PropertyMap().Set(lpszName, pOwnerType, pProperty);
    return pProperty;
}

CKitMarkupDependencyProperty* CKitMarkupDependencyProperty::Register(LPCWSTR lpszName, CKitMarkupType* pPropertyType,
                                                                    CKitMarkupType* pOwnerType,
                                                                    CKitMarkupPropertyMetadata* pMetadata)
{
    return RegisterCore(new CKitMarkupDependencyProperty(), lpszName, pPropertyType, pOwnerType, pMetadata, FALSE);
}

CKitMarkupDependencyProperty* CKitMarkupDependencyProperty::RegisterAttached(LPCWSTR lpszName,
                                                                            CKitMarkupType* pPropertyType,
                                                                            CKitMarkupType* pOwnerType,
                                                                            CKitMarkupPropertyMetadata* pMetadata)
{
    return RegisterCore(new CKitMarkupDependencyProperty(), lpszName, pPropertyType, pOwnerType, pMetadata, TRUE);
}

CKitMarkupDependencyProperty* CKitMarkupDependencyProperty::AddOwner(CKitMarkupDependencyProperty* pProperty,
                                                                    CKitMarkupType* pNewOwnerType)
{
    pProperty->AddRef();
    PropertyMap().Set(pProperty->m_lpszName, pNewOwnerType, pProperty);
    return pProperty;
}

CKitMarkupDependencyProperty* CKitMarkupDependencyProperty::FindProperty(CKitMarkupType* pOwnerType,
                                                                        std::wstring_view name)
{
    if (name.substr(0, 2) == L"x:")
        name.remove_prefix(2);
    const CKitMarkupPropertyFromNameMap& map = PropertyMap();
    for (CKitMarkupType* pType = pOwnerType; pType != nullptr; pType = pType->GetBaseType()) {
        if (CKitMarkupDependencyProperty* pProperty = map.Lookup(name, pType))
            return pProperty;
    }
    return nullptr;
}

CKitMarkupDependencyProperty* CKitMarkupDependencyProperty::FindProperty(CKitMarkupType* pOwnerType, LPCWSTR lpszName)
{
    if (lpszName == nullptr)
        return nullptr;
    return FindProperty(pOwnerType, std::wstring_view(lpszName));
}

int CKitMarkupDependencyProperty::GetPropertyCount()
{
    return g_nPropertyCount;
}

CKitMarkupDependencyProperty* CKitMarkupDependencyProperty::GetPropertyAt(int nIndex)
{
    const auto& properties = PropertiesByIndex();
    if (nIndex < 0 || nIndex >= static_cast<int>(properties.size()))
        return nullptr;
    return properties[static_cast<size_t>(nIndex)];
}

// CKitMarkupProperties

CKitMarkupProperties::CKitMarkupProperties(CKitMarkupObject* pOwner)
    : m_pOwner(pOwner), m_values(static_cast<size_t>(g_nPropertyCount), nullptr)
{
}

CKitMarkupProperties::~CKitMarkupProperties()
{
    for (CKitMarkupObject*& pValue : m_values) {
        if (pValue == nullptr)
            continue;
        CKitMarkupObject* pOld = std::exchange(pValue, nullptr);
        if (m_pOwner != nullptr)
            pOld->DetachFromParent(m_pOwner);
        pOld->Release();
    }
}

CKitMarkupObject* CKitMarkupProperties::Get(const CKitMarkupDependencyProperty* pProperty) const
{
    const int index = pProperty->GetIndex();
    if (index < 0 || index >= GetSize())
        return nullptr;
    return m_values[static_cast<size_t>(index)];
}

void CKitMarkupProperties::Set(CKitMarkupDependencyProperty* pProperty, CKitMarkupObject* pValue)
{
    SetAt(pProperty->GetIndex(), pValue);
}

void CKitMarkupProperties::SetAt(int nIndex, CKitMarkupObject* pValue)
{
    if (nIndex < 0 || nIndex >= GetSize()) {
        if (pValue != nullptr)
            pValue->Release();
        return;
    }
    CKitMarkupObject*& slot = m_values[static_cast<size_t>(nIndex)];
    if (CKitMarkupObject* pOld = std::exchange(slot, nullptr)) {
        if (m_pOwner != nullptr)
            pOld->DetachFromParent(m_pOwner);
        pOld->Release();
    }
    slot = pValue;
    if (pValue != nullptr && m_pOwner != nullptr)
        pValue->SetLogicalParent(m_pOwner);
}

// Free functions

CKitMarkupObject* GetValueSource(CKitMarkupObject* pObject, CKitMarkupDependencyProperty* pProperty)
{
    if (pObject == nullptr)
        return nullptr;
    if (pObject->GetValueCore(pProperty) != nullptr)
        return pObject;
    if (!(pProperty->GetFlags() & MarkupPropertyInherits))
        return nullptr;
    for (CKitMarkupObject* pAncestor = pObject->GetLogicalParent(); pAncestor != nullptr;
         pAncestor = pAncestor->GetLogicalParent()) {
        if (pAncestor->GetValueCore(pProperty) != nullptr)
            return pAncestor;
    }
    return nullptr;
}

CKitMarkupObject* MarkupDynamicCast(const CKitMarkupType* pType, CKitMarkupObject* pObject)
{
    if (pObject == nullptr || !pObject->IsKindOf(pType))
        return nullptr;
    return pObject;
}

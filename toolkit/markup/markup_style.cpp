#include "toolkit/markup/markup_style.h"

#include "toolkit/markup/markup_builder.h"
#include "toolkit/markup/markup_input_element.h"
#include "toolkit/markup/markup_limits.h"
#include "toolkit/markup/markup_text.h"
#include "toolkit/markup/markup_values.h"

#include <algorithm>
#include <unordered_set>

namespace {

const char kSetterIncomplete[] = "Must specify both Property and Value for Setter.";

// How many trigger evaluations are running inside one another.
int g_nTriggerDepth = 0;

BOOL AreEqual(const CKitMarkupObject* pFirst, const CKitMarkupObject* pSecond)
{
    if (pFirst == pSecond)
        return TRUE;
    return pFirst != nullptr && pSecond != nullptr && pFirst->IsEqual(pSecond);
}

// The style and its based-on styles, the most basic first; a style met twice ends the chain.
std::vector<CKitMarkupStyle*> BasedOnChain(CKitMarkupStyle* pStyle)
{
    std::vector<CKitMarkupStyle*> chain;
    std::unordered_set<const CKitMarkupStyle*> seen;
    for (CKitMarkupStyle* pWalk = pStyle; pWalk != nullptr && seen.insert(pWalk).second;
         pWalk = pWalk->GetBasedOn())
        chain.push_back(pWalk);
    std::reverse(chain.begin(), chain.end());
    return chain;
}

// The same for a sealed style, whose chain was checked when it was sealed.
std::vector<CKitMarkupStyle*> SealedChain(CKitMarkupStyle* pStyle)
{
    std::vector<CKitMarkupStyle*> chain;
    for (CKitMarkupStyle* pWalk = pStyle; pWalk != nullptr && chain.size() < static_cast<size_t>(pStyle->GetChainLength());
         pWalk = pWalk->GetBasedOn())
        chain.push_back(pWalk);
    std::reverse(chain.begin(), chain.end());
    return chain;
}

struct TriggerChange {
    CKitMarkupDependencyProperty* pProperty;
    CKitMarkupObject* pOldValue; // a reference
};

// Counts one trigger evaluation and releases the recorded old values, also when unwinding.
class CTriggerEvaluation {
public:
    CTriggerEvaluation() { ++g_nTriggerDepth; }
    ~CTriggerEvaluation()
    {
        for (const TriggerChange& change : m_changes) {
            if (change.pOldValue != nullptr)
                change.pOldValue->Release();
        }
        --g_nTriggerDepth;
    }
    CTriggerEvaluation(const CTriggerEvaluation&) = delete;
    CTriggerEvaluation& operator=(const CTriggerEvaluation&) = delete;

    std::vector<TriggerChange>& Changes() { return m_changes; }

private:
    std::vector<TriggerChange> m_changes;
};

// Records the old trigger value of a property; the first record of a property wins.
void RecordChange(std::vector<TriggerChange>& changes, CKitMarkupDependencyProperty* pProperty,
                  CKitMarkupObject* pOldValue)
{
    for (const TriggerChange& change : changes) {
        if (change.pProperty == pProperty)
            return;
    }
    if (pOldValue != nullptr)
        pOldValue->AddRef();
    changes.push_back({pProperty, pOldValue});
}

BOOL ActivateTriggers(CKitMarkupInputElement* pElement, CKitMarkupStyle* pStyle,
                      CKitMarkupDependencyProperty* pProperty, CKitMarkupObject* pValue)
{
    BOOL activated = FALSE;
    for (CKitMarkupStyle* pLevel : SealedChain(pStyle)) {
        CKitMarkupTriggerCollection* pTriggers = pLevel->GetTriggers();
        if (pTriggers == nullptr)
            continue;
        for (int i = pTriggers->GetCount() - 1; i >= 0; --i) {
            CKitMarkupTrigger* pTrigger = pTriggers->GetTrigger(i);
            CKitMarkupDependencyProperty* pTriggerProperty = pTrigger->GetProperty();
            if (pTriggerProperty == nullptr)
                continue;
            CKitMarkupObject* pCurrent = pValue;
            if (pProperty == nullptr)
                pCurrent = pElement->GetValue(pTriggerProperty);
            else if (pTriggerProperty != pProperty)
                continue;
            if (!AreEqual(pTrigger->GetTriggerValue(), pCurrent) || pCurrent == nullptr)
                continue;
            CKitMarkupActiveTriggerCollection* pActive = pElement->EnsureActiveTriggers();
            if (pActive->IndexOf(pTrigger) >= 0)
                continue;
            pTrigger->AddRef();
            pActive->Add(pTrigger);
            activated = TRUE;
        }
    }
    return activated;
}

} // namespace

// CKitMarkupResourceDictionary

CKitMarkupResourceDictionary::CKitMarkupResourceDictionary() = default;

CKitMarkupResourceDictionary::~CKitMarkupResourceDictionary()
{
    // Newest first: a value may hold an older one (a style it is based on), never the reverse.
    for (auto it = m_entries.rbegin(); it != m_entries.rend(); ++it) {
        it->second->Release();
        it->first->Release();
    }
}

CKitMarkupObject* CKitMarkupResourceDictionary::Lookup(const CKitMarkupObject* pKey) const
{
    if (pKey == nullptr)
        return nullptr;
    const auto range = m_index.equal_range(pKey->GetHashKey());
    for (auto it = range.first; it != range.second; ++it) {
        const auto& entry = m_entries[it->second];
        if (entry.first->IsEqual(pKey))
            return entry.second;
    }
    return nullptr;
}

BOOL CKitMarkupResourceDictionary::Add(CKitMarkupObject* pKey, CKitMarkupObject* pValue)
{
    if (Lookup(pKey) != nullptr)
        return FALSE;
    m_index.emplace(pKey->GetHashKey(), m_entries.size());
    m_entries.emplace_back(pKey, pValue);
    return TRUE;
}

void CKitMarkupResourceDictionary::SetContentObject(CKitMarkupBuilder*, CKitMarkupObject* pContent)
{
    CKitMarkupRef<CKitMarkupObject> value(pContent);
    CKitMarkupObject* pKey = pContent->GetValue(m_pKeyProperty);
    if (pKey == nullptr) {
        if (CKitMarkupStyle* pStyle = MarkupDynamicCast<CKitMarkupStyle>(pContent))
            pKey = pStyle->GetTargetType();
    }
    if (pKey == nullptr)
        CKitMarkupBuilder::ThrowBuilderError(
            "Objects added to Dictionary must have Key attribute or some other type of associated Key");
    if (Lookup(pKey) != nullptr)
        CKitMarkupBuilder::ThrowBuilderError("Dictionary key is already used. Key attributes must be unique.");
    pKey->AddRef();
    Add(pKey, value.Detach());
}

// CKitMarkupSetter

CKitMarkupDependencyProperty* CKitMarkupSetter::m_pPropertyProperty = nullptr;
CKitMarkupDependencyProperty* CKitMarkupSetter::m_pValueProperty = nullptr;

void CKitMarkupSetter::RegisterProperties()
{
    m_pPropertyProperty = CKitMarkupDependencyProperty::Register(L"Property", MARKUP_TYPE(CKitMarkupObject),
                                                                 MARKUP_TYPE(CKitMarkupSetter), nullptr);
    m_pValueProperty = CKitMarkupDependencyProperty::Register(L"Value", MARKUP_TYPE(CKitMarkupObject),
                                                              MARKUP_TYPE(CKitMarkupSetter), nullptr);
}

CKitMarkupSetter::CKitMarkupSetter(CKitMarkupDependencyProperty* pProperty, CKitMarkupObject* pValue)
{
    pProperty->AddRef();
    SetValue(m_pPropertyProperty, pProperty);
    SetValue(m_pValueProperty, pValue);
}

CKitMarkupDependencyProperty* CKitMarkupSetter::GetProperty() const
{
    return GetValueOf<CKitMarkupDependencyProperty>(m_pPropertyProperty);
}

CKitMarkupObject* CKitMarkupSetter::GetSetterValue() const
{
    return GetValue(m_pValueProperty);
}

CKitMarkupSetterColection::CKitMarkupSetterColection()
{
    m_pElementType = MARKUP_TYPE(CKitMarkupSetter);
}

// CKitMarkupTrigger

CKitMarkupDependencyProperty* CKitMarkupTrigger::m_pSettersProperty = nullptr;

void CKitMarkupTrigger::RegisterProperties()
{
    MARKUP_TYPE(CKitMarkupSetter)->RegisterProperties();
    CKitMarkupDependencyProperty::AddOwner(CKitMarkupSetter::m_pPropertyProperty, MARKUP_TYPE(CKitMarkupTrigger));
    CKitMarkupDependencyProperty::AddOwner(CKitMarkupSetter::m_pValueProperty, MARKUP_TYPE(CKitMarkupTrigger));
    m_pSettersProperty = CKitMarkupDependencyProperty::Register(L"Setters", MARKUP_TYPE(CKitMarkupSetterColection),
                                                                MARKUP_TYPE(CKitMarkupTrigger), nullptr);
}

CKitMarkupTrigger::CKitMarkupTrigger(CKitMarkupDependencyProperty* pProperty, CKitMarkupObject* pValue)
{
    pProperty->AddRef();
    SetValue(CKitMarkupSetter::m_pPropertyProperty, pProperty);
    SetValue(CKitMarkupSetter::m_pValueProperty, pValue);
}

CKitMarkupDependencyProperty* CKitMarkupTrigger::GetProperty() const
{
    return GetValueOf<CKitMarkupDependencyProperty>(CKitMarkupSetter::m_pPropertyProperty);
}

CKitMarkupObject* CKitMarkupTrigger::GetTriggerValue() const
{
    return GetValue(CKitMarkupSetter::m_pValueProperty);
}

CKitMarkupSetterColection* CKitMarkupTrigger::GetSetters() const
{
    return GetValueOf<CKitMarkupSetterColection>(m_pSettersProperty);
}

CKitMarkupSetterColection* CKitMarkupTrigger::EnsureSetters()
{
    if (CKitMarkupSetterColection* pSetters = GetSetters())
        return pSetters;
    CKitMarkupSetterColection* pSetters = new CKitMarkupSetterColection();
    SetValue(m_pSettersProperty, pSetters);
    return pSetters;
}

CKitMarkupTriggerCollection::CKitMarkupTriggerCollection()
{
    m_pElementType = MARKUP_TYPE(CKitMarkupTrigger);
}

CKitMarkupActiveTriggerCollection::CKitMarkupActiveTriggerCollection()
{
    m_bParentItems = FALSE;
}

// CKitMarkupStyle

CKitMarkupDependencyProperty* CKitMarkupStyle::m_pResourcesProperty = nullptr;
CKitMarkupDependencyProperty* CKitMarkupStyle::m_pTargetTypeProperty = nullptr;
CKitMarkupDependencyProperty* CKitMarkupStyle::m_pBasedOnProperty = nullptr;
CKitMarkupDependencyProperty* CKitMarkupStyle::m_pTriggersProperty = nullptr;

void CKitMarkupStyle::RegisterProperties()
{
    CKitMarkupType* pOwner = MARKUP_TYPE(CKitMarkupStyle);
    m_pResourcesProperty = CKitMarkupDependencyProperty::Register(
        L"Resources", MARKUP_TYPE(CKitMarkupResourceDictionary), pOwner, nullptr);
    m_pTargetTypeProperty =
        CKitMarkupDependencyProperty::Register(L"TargetType", MARKUP_TYPE(CKitMarkupType), pOwner, nullptr);
    m_pBasedOnProperty =
        CKitMarkupDependencyProperty::Register(L"BasedOn", MARKUP_TYPE(CKitMarkupStyle), pOwner, nullptr);
    m_pTriggersProperty = CKitMarkupDependencyProperty::Register(
        L"Triggers", MARKUP_TYPE(CKitMarkupTriggerCollection), pOwner, nullptr);
}

CKitMarkupStyle::CKitMarkupStyle()
    : m_pSetters(new CKitMarkupSetterColection()), m_bSealed(FALSE), m_pStyleValues(nullptr), m_nChainLength(1)
{
    m_pSetters->SetLogicalParent(this);
}

CKitMarkupStyle::~CKitMarkupStyle()
{
    m_pSetters->DetachFromParent(this);
    m_pSetters->Release();
    delete m_pStyleValues;
}

CKitMarkupTriggerCollection* CKitMarkupStyle::GetTriggers() const
{
    return GetValueOf<CKitMarkupTriggerCollection>(m_pTriggersProperty);
}

CKitMarkupStyle* CKitMarkupStyle::GetBasedOn() const
{
    return GetValueOf<CKitMarkupStyle>(m_pBasedOnProperty);
}

CKitMarkupType* CKitMarkupStyle::GetTargetType() const
{
    return GetValueOf<CKitMarkupType>(m_pTargetTypeProperty);
}

void CKitMarkupStyle::SetContentObject(CKitMarkupBuilder* pBuilder, CKitMarkupObject* pContent)
{
    if (MarkupDynamicCast<CKitMarkupSetter>(pContent) == nullptr) {
        CKitMarkupObject::SetContentObject(pBuilder, pContent);
        return;
    }
    CKitMarkupRef<CKitMarkupObject> setter(pContent);
    ResolveSetter(pBuilder, pContent);
    m_pSetters->Add(setter.Detach());
}

void CKitMarkupStyle::SetPropertyObject(CKitMarkupBuilder* pBuilder, CKitMarkupDependencyProperty* pProperty,
                                        CKitMarkupObject* pValue)
{
    CKitMarkupRef<CKitMarkupObject> value(pValue);
    if (pProperty == m_pTriggersProperty) {
        if (CKitMarkupTriggerCollection* pTriggers = MarkupDynamicCast<CKitMarkupTriggerCollection>(pValue)) {
            for (int i = 0; i < pTriggers->GetCount(); ++i) {
                CKitMarkupTrigger* pTrigger = pTriggers->GetTrigger(i);
                ResolveSetter(pBuilder, pTrigger);
                if (CKitMarkupSetterColection* pSetters = pTrigger->GetSetters()) {
                    for (int j = 0; j < pSetters->GetCount(); ++j)
                        ResolveSetter(pBuilder, pSetters->GetAt(j));
                }
            }
        }
    }
    CKitMarkupObject::SetPropertyObject(pBuilder, pProperty, value.Detach());
}

void CKitMarkupStyle::ResolveSetter(CKitMarkupBuilder* pBuilder, CKitMarkupObject* pSetter)
{
    CKitMarkupObject* pPropertyValue = pSetter->GetValue(CKitMarkupSetter::m_pPropertyProperty);
    if (pPropertyValue == nullptr)
        CKitMarkupBuilder::ThrowBuilderError(kSetterIncomplete);
    CKitMarkupDependencyProperty* pProperty = MarkupDynamicCast<CKitMarkupDependencyProperty>(pPropertyValue);
    if (pProperty == nullptr) {
        const CKitMarkupString* pName = MarkupDynamicCast<CKitMarkupString>(pPropertyValue);
        if (pName == nullptr)
            CKitMarkupBuilder::ThrowBuilderError(kSetterIncomplete);
        const std::wstring_view name = pName->GetView();
        const size_t point = name.find(L'.');
        if (point != std::wstring_view::npos) {
            if (CKitMarkupType* pType = CKitMarkupType::LookupTag(name.substr(0, point)))
                pProperty = CKitMarkupDependencyProperty::FindProperty(pType, name.substr(point + 1));
        } else if (CKitMarkupType* pTargetType = GetTargetType()) {
            pProperty = CKitMarkupDependencyProperty::FindProperty(pTargetType, name);
        }
        if (pProperty == nullptr)
            CKitMarkupBuilder::ThrowBuilderError("Cannot find the Style Property '%s'", (LPCSTR)MarkupNarrow(name));
        pProperty->AddRef();
        pSetter->SetValue(CKitMarkupSetter::m_pPropertyProperty, pProperty);
    }
    CKitMarkupObject* pValue = pSetter->GetValue(CKitMarkupSetter::m_pValueProperty);
    if (pValue == nullptr)
        CKitMarkupBuilder::ThrowBuilderError(kSetterIncomplete);
    if (!pValue->IsKindOf(pProperty->GetPropertyType()))
        pSetter->SetValue(CKitMarkupSetter::m_pValueProperty, pBuilder->ConvertValue(pProperty, pValue));
}

void CKitMarkupStyle::Seal()
{
    if (m_bSealed)
        return;
    const std::vector<CKitMarkupStyle*> chain = BasedOnChain(this);
    for (size_t level = 0; level < chain.size(); ++level) {
        CKitMarkupStyle* pStyle = chain[level];
        if (pStyle->m_bSealed)
            continue;
        pStyle->m_nChainLength = static_cast<int>(level) + 1;
        if (pStyle->m_pStyleValues == nullptr)
            pStyle->m_pStyleValues = new CKitMarkupProperties(nullptr);
        pStyle->SetLogicalParent(nullptr);
        CKitMarkupProperties& values = *pStyle->m_pStyleValues;
        const CKitMarkupStyle* pBase = pStyle->GetBasedOn();
        if (pBase != nullptr && pBase->m_pStyleValues != nullptr) {
            const int count = std::min(values.GetSize(), pBase->m_pStyleValues->GetSize());
            for (int i = 0; i < count; ++i) {
                if (CKitMarkupObject* pValue = pBase->m_pStyleValues->GetAt(i)) {
                    pValue->AddRef();
                    values.SetAt(i, pValue);
                }
            }
        }
        CKitMarkupSetterColection* pSetters = pStyle->m_pSetters;
        for (int i = 0; i < pSetters->GetCount(); ++i) {
            const CKitMarkupSetter* pSetter = pSetters->GetSetter(i);
            CKitMarkupDependencyProperty* pProperty = pSetter->GetProperty();
            CKitMarkupObject* pValue = pSetter->GetSetterValue();
            if (pProperty == nullptr || pValue == nullptr)
                continue;
            pValue->AddRef();
            values.Set(pProperty, pValue);
        }
        pStyle->m_bSealed = TRUE;
    }
}

CKitMarkupObject* CKitMarkupStyle::GetStyleValue(const CKitMarkupDependencyProperty* pProperty) const
{
    return m_pStyleValues != nullptr ? m_pStyleValues->Get(pProperty) : nullptr;
}

// Free functions

void SetDefaultStyle(CKitMarkupType* pType, CKitMarkupStyle* pStyle)
{
    pType->SetDefaultStyleCore(pStyle);
    if (pStyle != nullptr)
        pStyle->Seal();
}

CKitMarkupObject* FindResource(CKitMarkupObject* pObject, const CKitMarkupObject* pKey)
{
    if (const CKitMarkupResourceDictionary* pDictionary = MarkupDynamicCast<CKitMarkupResourceDictionary>(pObject))
        return pDictionary->Lookup(pKey);
    for (CKitMarkupObject* pWalk = pObject; pWalk != nullptr; pWalk = pWalk->GetLogicalParent()) {
        if (const CKitMarkupResourceDictionary* pResources =
                pWalk->GetValueOf<CKitMarkupResourceDictionary>(CKitMarkupStyle::m_pResourcesProperty)) {
            if (CKitMarkupObject* pFound = pResources->Lookup(pKey))
                return pFound;
        }
        const bool isStyle = MarkupDynamicCast<CKitMarkupStyle>(pWalk) != nullptr;
        if (!isStyle) {
            if (CKitMarkupStyle* pStyle =
                    pWalk->GetValueOf<CKitMarkupStyle>(CKitMarkupInputElement::m_pStyleProperty)) {
                if (CKitMarkupObject* pFound = FindResource(pStyle, pKey))
                    return pFound;
            }
        }
        if (isStyle)
            break;
    }
    return nullptr;
}

void EvaluateTriggers(CKitMarkupInputElement* pElement, CKitMarkupDependencyProperty* pProperty,
                      CKitMarkupObject* pNewValue)
{
    // Triggers that set each other's properties could otherwise call back without end.
    if (g_nTriggerDepth >= kMarkupMaxTriggerDepth)
        return;
    CTriggerEvaluation evaluation;
    std::vector<TriggerChange>& changes = evaluation.Changes();
    BOOL changed = FALSE;

    if (CKitMarkupActiveTriggerCollection* pActive = pElement->GetActiveTriggers()) {
        for (int i = pActive->GetCount() - 1; i >= 0; --i) {
            CKitMarkupTrigger* pTrigger = pActive->GetTrigger(i);
            if (pProperty == nullptr || pTrigger->GetProperty() != pProperty ||
                AreEqual(pTrigger->GetTriggerValue(), pNewValue))
                continue;
            CKitMarkupProperties* pValues = pElement->GetTriggerValues();
            if (CKitMarkupSetterColection* pSetters = pTrigger->GetSetters()) {
                for (int j = 0; j < pSetters->GetCount(); ++j) {
                    CKitMarkupDependencyProperty* pSetterProperty = pSetters->GetSetter(j)->GetProperty();
                    if (pSetterProperty == nullptr)
                        continue;
                    RecordChange(changes, pSetterProperty, pValues != nullptr ? pValues->Get(pSetterProperty) : nullptr);
                    if (pValues != nullptr)
                        pValues->Set(pSetterProperty, nullptr);
                }
            }
            pActive->RemoveAt(i);
            changed = TRUE;
        }
    }

    CKitMarkupStyle* pStyle = pElement->GetStyle();
    if (pStyle == nullptr)
        pStyle = pElement->GetType()->GetDefaultStyle();
    if (pStyle != nullptr && ActivateTriggers(pElement, pStyle, pProperty, pNewValue))
        changed = TRUE;

    if (changed) {
        CKitMarkupProperties* pValues = pElement->EnsureTriggerValues();
        CKitMarkupActiveTriggerCollection* pActive = pElement->EnsureActiveTriggers();
        for (int i = 0; i < pActive->GetCount(); ++i) {
            CKitMarkupSetterColection* pSetters = pActive->GetTrigger(i)->GetSetters();
            if (pSetters == nullptr)
                continue;
            for (int j = 0; j < pSetters->GetCount(); ++j) {
                const CKitMarkupSetter* pSetter = pSetters->GetSetter(j);
                CKitMarkupDependencyProperty* pSetterProperty = pSetter->GetProperty();
                CKitMarkupObject* pValue = pSetter->GetSetterValue();
                if (pSetterProperty == nullptr || AreEqual(pValue, pValues->Get(pSetterProperty)))
                    continue;
                RecordChange(changes, pSetterProperty, pValues->Get(pSetterProperty));
                if (pValue != nullptr)
                    pValue->AddRef();
                pValues->Set(pSetterProperty, pValue);
            }
        }
    }

    for (const TriggerChange& change : changes) {
        CKitMarkupProperties* pValues = pElement->GetTriggerValues();
        CKitMarkupObject* pNew = pValues != nullptr ? pValues->Get(change.pProperty) : nullptr;
        if (change.pOldValue != nullptr || pNew != nullptr) {
            pElement->OnPropertyChanged(change.pProperty, change.pOldValue, pNew);
            if (change.pProperty->GetFlags() & MarkupPropertyInherits)
                pElement->NotifyDescendants(change.pProperty, change.pOldValue, pNew);
        }
    }
}

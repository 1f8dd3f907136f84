// CKitMarkupResourceDictionary, CKitMarkupStyle, CKitMarkupSetter, CKitMarkupTrigger and their collections: styles, triggers and resources.
#pragma once

#include "toolkit/markup/markup_collection.h"
#include "toolkit/markup/markup_object.h"

#include <unordered_map>
#include <vector>

class CKitMarkupInputElement;

// Key objects to values; keys match by their GetHashKey and IsEqual.
class CKitMarkupResourceDictionary : public CKitMarkupObject {
    DECLARE_MARKUPCLASS(CKitMarkupResourceDictionary)
public:
    CKitMarkupResourceDictionary();
    ~CKitMarkupResourceDictionary() override;

    // Adds the value under its x:Key, or a style under its TargetType.
    void SetContentObject(CKitMarkupBuilder* pBuilder, CKitMarkupObject* pContent) override;

    // The value under the key, or nullptr (not a new reference).
    CKitMarkupObject* Lookup(const CKitMarkupObject* pKey) const;
    // Takes over the references to both; FALSE (nothing taken) when the key is present.
    BOOL Add(CKitMarkupObject* pKey, CKitMarkupObject* pValue);
    int GetCount() const { return static_cast<int>(m_entries.size()); }
    CKitMarkupObject* GetKeyAt(int nIndex) const { return m_entries[static_cast<size_t>(nIndex)].first; }
    CKitMarkupObject* GetValueAt(int nIndex) const { return m_entries[static_cast<size_t>(nIndex)].second; }

private:
    // Entries in the order they were added; the map finds them by key hash.
    std::vector<std::pair<CKitMarkupObject*, CKitMarkupObject*>> m_entries;
    std::unordered_multimap<DWORD, size_t> m_index;
};

// Property and value; both resolved against the style's target type when added to a style.
class CKitMarkupSetter : public CKitMarkupObject {
    DECLARE_MARKUPCLASS(CKitMarkupSetter)
public:
    CKitMarkupSetter() = default;
    // Takes over the reference to pValue.
    CKitMarkupSetter(CKitMarkupDependencyProperty* pProperty, CKitMarkupObject* pValue);

    CKitMarkupDependencyProperty* GetProperty() const;
    CKitMarkupObject* GetSetterValue() const;

    static CKitMarkupDependencyProperty* m_pPropertyProperty;
    static CKitMarkupDependencyProperty* m_pValueProperty;
    static void RegisterProperties();
};

class CKitMarkupSetterColection : public CKitMarkupCollection {
    DECLARE_MARKUPCLASS(CKitMarkupSetterColection)
public:
    CKitMarkupSetterColection();
    CKitMarkupSetter* GetSetter(int nIndex) const { return static_cast<CKitMarkupSetter*>(GetAt(nIndex)); }
};

// Setters that apply while a property of the element has a value.
class CKitMarkupTrigger : public CKitMarkupObject {
    DECLARE_MARKUPCLASS(CKitMarkupTrigger)
public:
    CKitMarkupTrigger() = default;
    // Takes over the reference to pValue.
    CKitMarkupTrigger(CKitMarkupDependencyProperty* pProperty, CKitMarkupObject* pValue);

    CKitMarkupDependencyProperty* GetProperty() const;
    CKitMarkupObject* GetTriggerValue() const;
    CKitMarkupSetterColection* GetSetters() const;
    // The setters collection, made when there is none.
    CKitMarkupSetterColection* EnsureSetters();

    static CKitMarkupDependencyProperty* m_pSettersProperty;
    static void RegisterProperties();
};

class CKitMarkupTriggerCollection : public CKitMarkupCollection {
    DECLARE_MARKUPCLASS(CKitMarkupTriggerCollection)
public:
    CKitMarkupTriggerCollection();
    CKitMarkupTrigger* GetTrigger(int nIndex) const { return static_cast<CKitMarkupTrigger*>(GetAt(nIndex)); }
};

// The triggers in force on one element; items keep their parents.
class CKitMarkupActiveTriggerCollection : public CKitMarkupTriggerCollection {
public:
    CKitMarkupActiveTriggerCollection();
};

// Setters, triggers, resources and a base style; sealed into one value table when first used.
class CKitMarkupStyle : public CKitMarkupObject {
    DECLARE_MARKUPCLASS(CKitMarkupStyle)
public:
    CKitMarkupStyle();
    ~CKitMarkupStyle() override;

    // Content must be a setter; it is resolved and added.
    void SetContentObject(CKitMarkupBuilder* pBuilder, CKitMarkupObject* pContent) override;
    // Triggers given in markup have their properties and values resolved.
    void SetPropertyObject(CKitMarkupBuilder* pBuilder, CKitMarkupDependencyProperty* pProperty,
                           CKitMarkupObject* pValue) override;

    // Resolves the setter's property by name on the target type and converts its value.
    void ResolveSetter(CKitMarkupBuilder* pBuilder, CKitMarkupObject* pSetter);
    // Flattens the based-on styles and the setters into the value table, once.
    void Seal();
    BOOL IsSealed() const { return m_bSealed; }
    // The number of styles from this one to the most basic, counted when sealed.
    int GetChainLength() const { return m_nChainLength; }
    // The sealed value of the property, or nullptr.
    CKitMarkupObject* GetStyleValue(const CKitMarkupDependencyProperty* pProperty) const;

    CKitMarkupSetterColection* GetSetters() const { return m_pSetters; }
    CKitMarkupTriggerCollection* GetTriggers() const;
    CKitMarkupStyle* GetBasedOn() const;
    CKitMarkupType* GetTargetType() const;

    static CKitMarkupDependencyProperty* m_pResourcesProperty;
    static CKitMarkupDependencyProperty* m_pTargetTypeProperty;
    static CKitMarkupDependencyProperty* m_pBasedOnProperty;
    static CKitMarkupDependencyProperty* m_pTriggersProperty;
    static void RegisterProperties();

private:
    CKitMarkupSetterColection* m_pSetters;
    BOOL m_bSealed;
    CKitMarkupProperties* m_pStyleValues;
    int m_nChainLength;
};

// Releases the type's default style and makes pStyle (its reference taken over) the sealed default.
void SetDefaultStyle(CKitMarkupType* pType, CKitMarkupStyle* pStyle);

// The resource under the key from the object (a dictionary) or the object and its logical ancestors.
CKitMarkupObject* FindResource(CKitMarkupObject* pObject, const CKitMarkupObject* pKey);

// Updates the trigger values after a property change (pProperty nullptr: all triggers).
void EvaluateTriggers(CKitMarkupInputElement* pElement, CKitMarkupDependencyProperty* pProperty,
                      CKitMarkupObject* pNewValue);

// CKitMarkupCollection: an ordered collection of markup objects of one element type.
#pragma once

#include "toolkit/markup/markup_object.h"

#include <vector>

class CKitMarkupCollection : public CKitMarkupObject {
    DECLARE_MARKUPCLASS(CKitMarkupCollection)
public:
    CKitMarkupCollection();
    ~CKitMarkupCollection() override;

    int GetLogicalChildrenCount() const override;
    // An index outside the items raises the framework's invalid-argument error.
    CKitMarkupObject* GetLogicalChild(int nIndex) const override;
    BOOL HasContentObject() const override;
    // Adds the content; an object not of the element type is a build error.
    void SetContentObject(CKitMarkupBuilder* pBuilder, CKitMarkupObject* pContent) override;

    // Called after an item was inserted at nIndex.
    virtual void OnItemAdded(CKitMarkupObject* pItem, int nIndex);
    // Called after every insertion and removal.
    virtual void OnChanged();

    // Takes over the reference to pItem; nothing (and no reference taken) for
    // nullptr or an object not of the element type. An index outside 0..count means the end.
    void Insert(int nIndex, CKitMarkupObject* pItem);
    void Add(CKitMarkupObject* pItem) { Insert(-1, pItem); }
    // An index at or beyond the count does nothing.
    void RemoveAt(int nIndex);
    void RemoveAll();

    int GetCount() const { return static_cast<int>(m_items.size()); }
    CKitMarkupObject* GetAt(int nIndex) const { return m_items[static_cast<size_t>(nIndex)]; }
    int IndexOf(const CKitMarkupObject* pItem) const;
    CKitMarkupType* GetElementType() const { return m_pElementType; }

protected:
    std::vector<CKitMarkupObject*> m_items;
    // Items must be of this type; nullptr accepts nothing.
    CKitMarkupType* m_pElementType;
    // Inserted items get the collection as logical parent.
    BOOL m_bParentItems;
};

#include "toolkit/markup/markup_collection.h"

#include "framework/exceptions.h"
#include "toolkit/markup/markup_builder.h"
#include "toolkit/markup/markup_text.h"

CKitMarkupCollection::CKitMarkupCollection() : m_pElementType(nullptr), m_bParentItems(TRUE) {}

CKitMarkupCollection::~CKitMarkupCollection()
{
    RemoveAll();
}

int CKitMarkupCollection::GetLogicalChildrenCount() const
{
    return GetCount();
}

CKitMarkupObject* CKitMarkupCollection::GetLogicalChild(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetCount())
        AfxThrowInvalidArgException();
    return GetAt(nIndex);
}

BOOL CKitMarkupCollection::HasContentObject() const
{
    return GetCount() > 0;
}

void CKitMarkupCollection::SetContentObject(CKitMarkupBuilder*, CKitMarkupObject* pContent)
{
    if (pContent != nullptr && m_pElementType != nullptr && pContent->IsKindOf(m_pElementType)) {
        Add(pContent);
        return;
    }
    CKitMarkupRef<CKitMarkupObject> content(pContent);
    CKitMarkupBuilder::ThrowBuilderError(
        "'%s' object cannot be added to '%s'. Object cannot be converted to type '%s'",
        pContent != nullptr ? (LPCSTR)MarkupNarrow(pContent->GetType()->GetClassName()) : "",
        (LPCSTR)MarkupNarrow(GetType()->GetClassName()),
        m_pElementType != nullptr ? (LPCSTR)MarkupNarrow(m_pElementType->GetClassName()) : "");
}

void CKitMarkupCollection::OnItemAdded(CKitMarkupObject*, int) {}

void CKitMarkupCollection::OnChanged() {}

void CKitMarkupCollection::Insert(int nIndex, CKitMarkupObject* pItem)
{
    if (pItem == nullptr || m_pElementType == nullptr || !pItem->IsKindOf(m_pElementType))
        return;
    if (m_bParentItems)
        pItem->SetLogicalParent(this);
    if (nIndex < 0 || nIndex > GetCount())
        nIndex = GetCount();
    m_items.insert(m_items.begin() + nIndex, pItem);
    OnItemAdded(pItem, nIndex);
    OnChanged();
}

void CKitMarkupCollection::RemoveAt(int nIndex)
{
    if (nIndex < 0 || nIndex >= GetCount())
        return;
    CKitMarkupObject* pItem = GetAt(nIndex);
    m_items.erase(m_items.begin() + nIndex);
    if (m_bParentItems)
        pItem->DetachFromParent(this);
    pItem->Release();
    OnChanged();
}

void CKitMarkupCollection::RemoveAll()
{
    std::vector<CKitMarkupObject*> items;
    items.swap(m_items);
    for (CKitMarkupObject* pItem : items) {
        if (m_bParentItems)
            pItem->DetachFromParent(this);
        pItem->Release();
    }
    OnChanged();
}

int CKitMarkupCollection::IndexOf(const CKitMarkupObject* pItem) const
{
    for (int i = 0; i < GetCount(); ++i) {
        if (GetAt(i) == pItem)
            return i;
    }
    return -1;
}

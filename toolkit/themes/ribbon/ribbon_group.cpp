// Ribbon groups: their controls and their place on a tab.
#include "toolkit/themes/ribbon/ribbon_group.h"

#include "toolkit/commandbars/command_bar.h"
#include "toolkit/commandbars/control.h"
#include "toolkit/themes/ribbon/ribbon_scrollable_bar.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CKitRibbonGroup, CCmdTarget)
IMPLEMENT_DYNAMIC(CKitRibbonGroups, CCmdTarget)

CKitRibbonGroup::CKitRibbonGroup() = default;

CKitRibbonGroup::~CKitRibbonGroup()
{
    RemoveAll();
}

CKitRibbonTab* CKitRibbonGroup::GetRibbonTab() const
{
    return m_pGroups != nullptr ? m_pGroups->GetRibbonTab() : nullptr;
}

BOOL CKitRibbonGroup::IsHighlighted() const
{
    const auto* pScrollable = dynamic_cast<const CKitRibbonScrollableBar*>(m_pParent);
    return pScrollable != nullptr && pScrollable->GetHighlightedGroup() == this;
}

CKitControl* CKitRibbonGroup::GetAt(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetCount() ? m_arrControls[nIndex] : nullptr;
}

void CKitRibbonGroup::Add(CKitControl* pControl)
{
    pControl->InternalAddRef();
    pControl->SetRibbonGroup(this);
    m_arrControls.push_back(pControl);
}

void CKitRibbonGroup::Remove(CKitControl* pControl)
{
    auto it = std::find(m_arrControls.begin(), m_arrControls.end(), pControl);
    if (it == m_arrControls.end())
        return;
    m_arrControls.erase(it);
    pControl->SetRibbonGroup(nullptr);
    pControl->InternalRelease();
}

void CKitRibbonGroup::RemoveAll()
{
    while (!m_arrControls.empty()) {
        CKitControl* pControl = m_arrControls.back();
        m_arrControls.pop_back();
        pControl->SetRibbonGroup(nullptr);
        pControl->InternalRelease();
    }
}

CKitRibbonGroups::~CKitRibbonGroups()
{
    RemoveAll();
}

CKitRibbonGroup* CKitRibbonGroups::GetAt(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetCount() ? m_arrGroups[nIndex] : nullptr;
}

CKitRibbonGroup* CKitRibbonGroups::Add(const CString& strCaption, int nId)
{
    auto* pGroup = new CKitRibbonGroup;
    pGroup->SetCaption(strCaption);
    pGroup->SetId(nId);
    pGroup->m_pGroups = this;
    pGroup->m_nIndex = GetCount();
    m_arrGroups.push_back(pGroup);
    return pGroup;
}

void CKitRibbonGroups::RemoveAll()
{
    while (!m_arrGroups.empty()) {
        CKitRibbonGroup* pGroup = m_arrGroups.back();
        m_arrGroups.pop_back();
        pGroup->m_pGroups = nullptr;
        pGroup->InternalRelease();
    }
}

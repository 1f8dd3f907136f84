#include "toolkit/commandbars/control_action.h"

#include "toolkit/commandbars/control.h"
#include "toolkit/commandbars/control_gallery.h"
#include "toolkit/common/resources.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CKitControlAction, CCmdTarget)
IMPLEMENT_DYNAMIC(CKitControlActions, CCmdTarget)

CKitControlAction::CKitControlAction(CKitControlActions* pActions, UINT nId) : m_pActions(pActions), m_nId(nId) {}

CKitControlAction::~CKitControlAction()
{
    // The controls outlive the table only by accident; they must not point here.
    while (!m_controls.empty())
        m_controls.back()->SetAction(nullptr);
    SetGalleryEntries(nullptr);
}

void CKitControlAction::SetGalleryEntries(CKitControlGalleryEntryList* pEntries)
{
    if (pEntries != nullptr)
        pEntries->InternalAddRef();
    if (m_pGalleryEntries != nullptr)
        m_pGalleryEntries->InternalRelease();
    m_pGalleryEntries = pEntries;
}

CString CKitControlAction::GetCaption() const
{
    return m_strCaption.IsEmpty() ? m_strTooltip : m_strCaption;
}

void CKitControlAction::SetCaption(LPCSTR lpszCaption)
{
    CString strCaption = lpszCaption != nullptr ? lpszCaption : "";
    const int nTab = strCaption.Find('\t');
    if (nTab >= 0)
        strCaption = strCaption.Left(nTab);
    if (!ChangeProperty(m_strCaption, strCaption, kitActionCaption))
        return;
    for (CKitControl* pControl : m_controls)
        pControl->MarkParentDirty();
}

BOOL CKitControlAction::IsEnabled() const
{
    return (m_pActions != nullptr && m_pActions->IsCustomizeMode()) || m_bEnabled;
}

void CKitControlAction::SetEnabled(BOOL bEnabled)
{
    ChangeProperty(m_bEnabled, bEnabled, kitActionEnabled);
}

void CKitControlAction::SetChecked(int nChecked)
{
    ChangeProperty(m_nChecked, nChecked, kitActionChecked);
}

void CKitControlAction::SetVisible(BOOL bVisible)
{
    if (!ChangeProperty(m_bVisible, bVisible, kitActionVisible))
        return;
    for (CKitControl* pControl : m_controls)
        pControl->MarkParentDirty();
}

void CKitControlAction::LoadResourceTexts()
{
    BOOL bFailed = FALSE;
    const CString strResource = CKitResourceManager::Instance()->LoadStringOrEmpty(m_nId, &bFailed);
    if (bFailed || strResource.IsEmpty())
        return;
    const CKitControl::CResourceTexts texts = CKitControl::SplitResourceString(strResource);
    m_strTooltip = texts.strTooltip;
    m_strDescription = texts.strDescription;
    if (m_strCaption.IsEmpty())
        SetCaption(texts.bHasCaption && !texts.strCaption.IsEmpty() ? texts.strCaption : texts.strTooltip);
    if (m_strKeyboardTip.IsEmpty() && texts.bHasKeyboardTip)
        m_strKeyboardTip = texts.strKeyboardTip;
}

CKitControl* CKitControlAction::GetAt(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetCount() ? m_controls[nIndex] : nullptr;
}

void CKitControlAction::AddControl(CKitControl* pControl)
{
    if (std::find(m_controls.begin(), m_controls.end(), pControl) == m_controls.end())
        m_controls.push_back(pControl);
}

void CKitControlAction::RemoveControl(CKitControl* pControl)
{
    m_controls.erase(std::remove(m_controls.begin(), m_controls.end(), pControl), m_controls.end());
}

void CKitControlAction::NotifyChanging(int nProperty)
{
    for (CKitControl* pControl : m_controls)
        pControl->OnActionChanging(nProperty);
}

void CKitControlAction::NotifyChanged(int nProperty)
{
    for (CKitControl* pControl : m_controls) {
        pControl->OnActionChanged(nProperty);
        pControl->RedrawParent();
    }
}

CKitControlActions::~CKitControlActions()
{
    RemoveAll();
}

CKitControlAction* CKitControlActions::FindAction(UINT nId) const
{
    if (nId < 1 || nId >= kMaxActionId)
        return nullptr;
    auto it = std::lower_bound(m_actions.begin(), m_actions.end(), nId,
                               [](const CKitControlAction* pAction, UINT nKey) { return pAction->GetId() < nKey; });
    return it != m_actions.end() && (*it)->GetId() == nId ? *it : nullptr;
}

CKitControlAction* CKitControlActions::CreateAction(UINT nId)
{
    if (nId < 1 || nId >= kMaxActionId)
        return nullptr;
    if (CKitControlAction* pExisting = FindAction(nId))
        return pExisting;
    auto* pAction = new CKitControlAction(this, nId);
    pAction->LoadResourceTexts();
    auto it = std::upper_bound(m_actions.begin(), m_actions.end(), nId,
                               [](UINT nKey, const CKitControlAction* pOther) { return nKey < pOther->GetId(); });
    m_actions.insert(it, pAction);
    return pAction;
}

void CKitControlActions::RemoveAll()
{
    while (!m_actions.empty()) {
        CKitControlAction* pAction = m_actions.back();
        m_actions.pop_back();
        pAction->InternalRelease();
    }
}

CKitControlAction* CKitControlActions::GetAt(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetCount() ? m_actions[nIndex] : nullptr;
}

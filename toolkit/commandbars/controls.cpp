#include "toolkit/commandbars/controls.h"

#include "toolkit/commandbars/control.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CKitControls, CCmdTarget)

CKitControls::~CKitControls()
{
    RemoveAll();
}

CKitControl* CKitControls::InsertAt(CKitControl* pControl, int nBefore)
{
    if (pControl == nullptr)
        return nullptr;
    if (nBefore < 0 || nBefore >= GetCount())
        m_controls.push_back(pControl);
    else
        m_controls.insert(m_controls.begin() + nBefore, pControl);
    pControl->SetControls(this);
    pControl->SetParent(m_pParent);
    return pControl;
}

void CKitControls::Remove(CKitControl* pControl)
{
    auto it = std::find(m_controls.begin(), m_controls.end(), pControl);
    if (it == m_controls.end())
        return;
    m_controls.erase(it);
    pControl->SetControls(nullptr);
    pControl->SetParent(nullptr);
    pControl->InternalRelease();
}

void CKitControls::RemoveAll()
{
    while (!m_controls.empty())
        Remove(m_controls.back());
}

CKitControl* CKitControls::GetAt(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetCount() ? m_controls[nIndex] : nullptr;
}

void CKitControls::SetParent(CKitCommandBar* pParent)
{
    m_pParent = pParent;
    for (CKitControl* pControl : m_controls)
        pControl->SetParent(pParent);
}

// Ribbon tabs and the headers over a context's tabs.
#include "toolkit/themes/ribbon/ribbon_tab.h"

#include "toolkit/themes/ribbon/ribbon_bar.h"
#include "toolkit/themes/ribbon/ribbon_control_tab.h"
#include "toolkit/themes/ribbon/ribbon_group.h"

IMPLEMENT_DYNCREATE(CKitRibbonTab, CKitTabManagerItem)

CKitRibbonTab::CKitRibbonTab() : m_pGroups(new CKitRibbonGroups(this))
{
}

CKitRibbonTab::~CKitRibbonTab()
{
    m_pGroups->RemoveAll();
    m_pGroups->InternalRelease();
}

void CKitRibbonTab::SetRibbonBar(CKitRibbonBar* pRibbonBar)
{
    m_pRibbonBar = pRibbonBar;
    m_pParent = pRibbonBar;
}

CKitRibbonGroup* CKitRibbonTab::FindGroup(int nId) const
{
    for (int i = 0; i < m_pGroups->GetCount(); ++i) {
        if (m_pGroups->GetAt(i)->GetId() == nId)
            return m_pGroups->GetAt(i);
    }
    return nullptr;
}

BOOL CKitRibbonTab::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    return KitRibbonRedrawRequest(m_pRibbonBar, nID, nCode) ||
           CKitTabManagerItem::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void CKitRibbonTab::SetVisible(BOOL bVisible)
{
    if (bVisible == m_bVisible)
        return;
    CKitTabManagerItem::SetVisible(bVisible);
    if (!bVisible && m_pManager != nullptr && m_pManager->GetSelectedItem() == this)
        m_pManager->SetSelectedItem(m_pManager->FindNextFocusable(-1, 1));
    // A context tab coming or going moves the tabs and the caption's headers at once.
    if (m_pRibbonBar != nullptr && m_pManager != nullptr && m_pManager == m_pRibbonBar->GetControlTab())
        m_pRibbonBar->RecalcRibbonLayout();
}

void CKitRibbonTab::OnRemoved()
{
    m_pGroups->RemoveAll();
    CKitTabManagerItem::OnRemoved();
}

void CKitRibbonTab::Copy(const CKitRibbonTab* pSource)
{
    m_strCaption = pSource->m_strCaption;
    m_nContextColor = pSource->m_nContextColor;
    m_strContextCaption = pSource->m_strContextCaption;
    m_nId = pSource->m_nId;
    m_bVisible = pSource->m_bVisible;
    m_strToolTip = pSource->m_strToolTip;
    CKitTabManager* pSourceManager = pSource->GetTabManager();
    if (m_pManager != nullptr && pSourceManager != nullptr && pSourceManager->GetSelectedItem() == pSource)
        m_pManager->SetSelectedItem(this);
    m_pGroups->Copy(pSource->m_pGroups);
}

CKitRibbonTabContextHeader::CKitRibbonTabContextHeader(CKitRibbonTab* pFirstTab)
    : m_pFirstTab(pFirstTab), m_pLastTab(pFirstTab), m_nColor(pFirstTab->GetContextColor()),
      m_strCaption(pFirstTab->GetContextCaption())
{
    pFirstTab->SetContextHeader(this);
}

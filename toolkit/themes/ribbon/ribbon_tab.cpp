// Ribbon tabs and the headers over a context's tabs.
#include "toolkit/themes/ribbon/ribbon_tab.h"

#include "toolkit/themes/ribbon/ribbon_group.h"

IMPLEMENT_DYNAMIC(CKitRibbonTab, CKitTabManagerItem)

CKitRibbonTab::CKitRibbonTab() : m_pGroups(new CKitRibbonGroups(this))
{
}

CKitRibbonTab::~CKitRibbonTab()
{
    m_pGroups->RemoveAll();
    m_pGroups->InternalRelease();
}

CKitRibbonTabContextHeader::CKitRibbonTabContextHeader(CKitRibbonTab* pFirstTab)
    : m_pFirstTab(pFirstTab), m_pLastTab(pFirstTab), m_nColor(pFirstTab->GetContextColor()),
      m_strCaption(pFirstTab->GetContextCaption())
{
    pFirstTab->SetContextHeader(this);
}

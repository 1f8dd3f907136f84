// The ribbon bar: its tab strip, quick access controls, context headers and the state its painters read.
#include "toolkit/themes/ribbon/ribbon_bar.h"

#include "toolkit/commandbars/controls.h"
#include "toolkit/themes/paint/frame_hook.h"
#include "toolkit/themes/paint/paint_manager.h"
#include "toolkit/themes/ribbon/ribbon_backstage_view.h"
#include "toolkit/themes/ribbon/ribbon_control_tab.h"
#include "toolkit/themes/ribbon/ribbon_paint_manager.h"
#include "toolkit/themes/ribbon/ribbon_quick_access.h"
#include "toolkit/themes/ribbon/ribbon_system_button.h"
#include "toolkit/themes/ribbon/ribbon_tab.h"

#include <algorithm>

#include <commctrl.h>

IMPLEMENT_DYNCREATE(CKitRibbonBar, CKitMenuBar)
IMPLEMENT_DYNCREATE(CKitRibbonQuickAccessControls, CKitControls)

CKitRibbonBar::CKitRibbonBar()
    : m_pQuickAccessControls(new CKitRibbonQuickAccessControls), m_pControlTab(new CKitRibbonControlTab)
{
    GetControls()->Add(m_pControlTab, kIdTabStrip, nullptr, -1, TRUE);
}

CKitRibbonBar::~CKitRibbonBar()
{
    m_pControlTab->DeleteAllItems();
    m_pQuickAccessControls->RemoveAll();
    m_pQuickAccessControls->InternalRelease();
    delete m_pFrameHook;
    RemoveContextHeaders();
}

CKitRibbonPaintManager* CKitRibbonBar::GetRibbonPaintManager() const
{
    auto* pPaintManager = dynamic_cast<CKitPaintManager*>(GetPaintManager());
    if (pPaintManager == nullptr)
        pPaintManager = CKitPaintManager::Instance();
    return pPaintManager->GetRibbonPaintManager();
}

CKitRibbonTab* CKitRibbonBar::AddTab(const CString& strCaption, int nId)
{
    auto* pTab = new CKitRibbonTab;
    pTab->SetCaption(strCaption);
    pTab->SetId(nId);
    pTab->SetRibbonBar(this);
    m_pControlTab->AddItem(-1, pTab);
    return pTab;
}

int CKitRibbonBar::GetTabCount() const
{
    return m_pControlTab->GetItemCount();
}

CKitRibbonTab* CKitRibbonBar::GetTab(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetTabCount())
        return nullptr;
    return static_cast<CKitRibbonTab*>(m_pControlTab->GetItem(nIndex));
}

CKitRibbonTab* CKitRibbonBar::GetSelectedTab() const
{
    return m_pControlTab->GetSelectedTab();
}

// Sends the tab strip's notification with the tab to the owner site; the site's answer.
static LRESULT NotifyTabChange(CKitRibbonBar* pBar, int nCode, CKitRibbonTab* pTab)
{
    CWnd* pSite = pBar->GetOwnerSite();
    if (pSite == nullptr || pSite->GetSafeHwnd() == nullptr)
        return 0;
    NMKITRIBBONTAB record{};
    record.hdr.hwndFrom = pBar->GetSafeHwnd();
    record.hdr.idFrom = CKitRibbonBar::kIdTabStrip;
    record.hdr.code = static_cast<UINT>(nCode);
    record.pTab = pTab;
    return pSite->SendMessage(WM_KIT_CONTROL_NOTIFY, CKitRibbonBar::kIdTabStrip, reinterpret_cast<LPARAM>(&record));
}

LRESULT CKitRibbonBar::OnTabChanging(CKitRibbonTab* pTab)
{
    return NotifyTabChange(this, TCN_SELCHANGING, pTab);
}

void CKitRibbonBar::OnTabChanged(CKitRibbonTab* pTab)
{
    NotifyTabChange(this, TCN_SELCHANGE, pTab);
}

int CKitRibbonBar::GetTabsHeight() const
{
    return m_bTabsVisible ? GetRibbonPaintManager()->GetTabsHeight() : 2;
}

int CKitRibbonBar::GetCaptionHeight() const
{
    if (!IsCaptionVisible())
        return 0;
    int nHeight = GetRibbonPaintManager()->GetCaptionHeight();
    if (m_bQuickAccessVisible && !m_bQuickAccessBelow)
        nHeight = std::max(nHeight, std::max(m_nQuickAccessHeight, GetTabsHeight() - 2));
    return nHeight;
}

int CKitRibbonBar::GetGroupsAreaHeight() const
{
    CKitRibbonPaintManager* pPainter = GetRibbonPaintManager();
    return 3 * pPainter->GetControlHeight() + pPainter->GetGroupCaptionHeight() + 10;
}

BOOL CKitRibbonBar::IsGroupsVisible() const
{
    return m_bGroupsVisible && GetSelectedTab() != nullptr && !m_bMinimized;
}

BOOL CKitRibbonBar::HasVisibleQuickAccessControl() const
{
    for (int i = 0; i < m_pQuickAccessControls->GetCount(); ++i) {
        if (m_pQuickAccessControls->GetAt(i)->IsVisible())
            return TRUE;
    }
    return FALSE;
}

BOOL CKitRibbonBar::IsBackstageViewVisible() const
{
    if (m_pSystemButton == nullptr || !m_pSystemButton->GetPopuped())
        return FALSE;
    CKitCommandBar* pPopup = m_pSystemButton->GetCommandBar();
    return pPopup != nullptr && pPopup->IsKindOf(RUNTIME_CLASS(CKitRibbonBackstageView));
}

BOOL CKitRibbonBar::IsDwmEnabled() const
{
    return m_pFrameHook != nullptr && m_pFrameHook->IsComposited();
}

CKitRibbonTabContextHeader* CKitRibbonBar::GetContextHeader(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetContextHeaderCount())
        AfxThrowInvalidArgException();
    return m_arrContextHeaders[nIndex];
}

void CKitRibbonBar::RemoveContextHeaders()
{
    for (CKitRibbonTabContextHeader* pHeader : m_arrContextHeaders)
        delete pHeader;
    m_arrContextHeaders.clear();
}

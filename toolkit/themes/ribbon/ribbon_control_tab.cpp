// The ribbon's tab strip: a control of the ribbon bar that manages the tabs.
#include "toolkit/themes/ribbon/ribbon_control_tab.h"

#include "toolkit/commandbars/command_bar.h"
#include "toolkit/common/image_manager.h"
#include "toolkit/themes/paint/paint_manager.h"
#include "toolkit/themes/ribbon/ribbon_bar.h"
#include "toolkit/themes/ribbon/ribbon_paint_manager.h"
#include "toolkit/themes/ribbon/ribbon_tab.h"

IMPLEMENT_DYNCREATE(CKitRibbonControlTab, CKitControlPopup)

namespace {
// Never offered for the quick access toolbar.
constexpr DWORD kFlagNotForQuickAccess = 0x10;
} // namespace

CKitRibbonControlTab::CKitRibbonControlTab()
{
    SetTemporary(TRUE);
    SetFlags(kFlagNotForQuickAccess);
}

CKitRibbonControlTab::~CKitRibbonControlTab()
{
    DeleteAllItems();
}

CKitRibbonBar* CKitRibbonControlTab::GetRibbonBar() const
{
    return dynamic_cast<CKitRibbonBar*>(GetParent());
}

CKitRibbonTab* CKitRibbonControlTab::GetSelectedTab() const
{
    return static_cast<CKitRibbonTab*>(GetSelectedItem());
}

void CKitRibbonControlTab::SetFocused(BOOL bFocused)
{
    if (m_bFocused == bFocused)
        return;
    m_bFocused = bFocused;
    if (bFocused && GetSelectedItem() == nullptr) {
        CKitTabManagerItem* pFirst = FindNextFocusable(-1, 1);
        if (pFirst != nullptr)
            SetSelectedItem(pFirst);
    }
    RedrawControl(nullptr, FALSE);
}

void CKitRibbonControlTab::Reposition()
{
    CKitRibbonBar* pRibbonBar = GetRibbonBar();
    if (pRibbonBar != nullptr && pRibbonBar->GetSafeHwnd() != nullptr)
        pRibbonBar->DelayLayout();
}

CKitTabPaintManager* CKitRibbonControlTab::GetPaintManager() const
{
    CKitPaintManager* pPaintManager = nullptr;
    if (GetParent() != nullptr)
        pPaintManager = dynamic_cast<CKitPaintManager*>(GetParent()->GetPaintManager());
    if (pPaintManager == nullptr)
        pPaintManager = CKitPaintManager::Instance();
    return pPaintManager->GetRibbonPaintManager()->GetTabPaintManager();
}

void CKitRibbonControlTab::RedrawControl(const RECT* /*pRect*/, BOOL bAnimate)
{
    CKitRibbonBar* pRibbonBar = GetRibbonBar();
    if (pRibbonBar != nullptr && pRibbonBar->GetSafeHwnd() != nullptr)
        pRibbonBar->Redraw(nullptr, bAnimate);
}

BOOL CKitRibbonControlTab::DrawIcon(CDC* pDC, CPoint pt, CKitTabManagerItem* pItem, BOOL bDraw, CSize& szIcon)
{
    CKitTabPaintManager* pPaintManager = GetPaintManager();
    if (pItem == nullptr)
        return pPaintManager->m_bShowIcons;
    if (pItem->GetImageIndex() == -1 || !pPaintManager->m_bShowIcons)
        return FALSE;
    CKitImageManagerIcon* pIcon = GetImageManager()->GetImage(pItem->GetImageIndex(), szIcon.cx);
    if (pIcon == nullptr)
        return FALSE;
    if (bDraw)
        pItem->DrawImage(pDC, pt, szIcon, pIcon);
    return TRUE;
}

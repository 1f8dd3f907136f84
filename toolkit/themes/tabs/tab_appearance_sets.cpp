#include "toolkit/themes/tabs/tab_appearance_sets.h"

#include "toolkit/themes/tabs/tab_manager.h"

#include <algorithm>

CKitTabPaintManagerAppearanceSet* CKitTabPaintManagerAppearanceSet::Create(int nStyle)
{
    switch (nStyle) {
    case 1: return new CKitTabPaintManager::CAppearanceSetPropertyPageSelected;
    case 2: return new CKitTabPaintManager::CAppearanceSetPropertyPageFlat;
    case 3: return new CKitTabPaintManager::CAppearanceSetPropertyPage2003;
    case 4: return new CKitTabPaintManager::CAppearanceSetStateButtons;
    case 5: return new CKitTabPaintManager::CAppearanceSetVisualStudio;
    case 6: return new CKitTabPaintManager::CAppearanceSetFlat;
    case 7: return new CKitTabPaintManager::CAppearanceSetExcel;
    case 8: return new CKitTabPaintManager::CAppearanceSetVisio;
    case 9: return new CKitTabPaintManager::CAppearanceSetVisualStudio2005;
    case 10: return new CKitTabPaintManager::CAppearanceSetPropertyPage2007;
    case 11: return new CKitTabPaintManager::CAppearanceSetPropertyPageAccess2007;
    case 12: return new CKitTabPaintManager::CAppearanceSetVisualStudio2010;
    default: return new CKitTabPaintManager::CAppearanceSetPropertyPage;
    }
}

namespace {

// The rectangle grown along the strip: by nLead before the item and nTrail after it.
CRect GrowAlongStrip(const CKitTabManagerItem* pItem, int nLead, int nTrail)
{
    CRect rc = pItem->GetRect();
    if (pItem->GetTabManager()->IsHorizontalPosition()) {
        rc.left -= nLead;
        rc.right += nTrail;
    } else {
        rc.top -= nLead;
        rc.bottom += nTrail;
    }
    return rc;
}

// Half the item's depth across the strip, toward zero.
int HalfDepth(const CKitTabManagerItem* pItem)
{
    const CRect rc = pItem->GetRect();
    return (pItem->GetTabManager()->IsHorizontalPosition() ? rc.Height() : rc.Width()) / 2;
}

}  // namespace

CRect CKitTabPaintManager::CAppearanceSetPropertyPage2003::GetHeaderMargin()
{
    CRect rc = m_rcHeaderMargin;
    rc.left += m_nButtonHeight;
    return rc;
}

CRect CKitTabPaintManager::CAppearanceSetPropertyPage2003::GetButtonDrawRect(const CKitTabManagerItem* pItem)
{
    const CRect rc = pItem->GetRect();
    const int nDepth = pItem->GetTabManager()->IsHorizontalPosition() ? rc.Height() : rc.Width();
    return GrowAlongStrip(pItem, nDepth, 2);
}

CRect CKitTabPaintManager::CAppearanceSetVisualStudio2005::GetHeaderMargin()
{
    CRect rc = m_rcHeaderMargin;
    rc.left += m_nButtonHeight / 2;
    return rc;
}

CRect CKitTabPaintManager::CAppearanceSetVisualStudio2005::GetButtonDrawRect(const CKitTabManagerItem* pItem)
{
    const int nHalf = HalfDepth(pItem);
    return GrowAlongStrip(pItem, nHalf, nHalf);
}

CRect CKitTabPaintManager::CAppearanceSetExcel::GetHeaderMargin()
{
    CRect rc = m_rcHeaderMargin;
    rc.left += m_nButtonHeight / 2;
    rc.right += m_nButtonHeight / 2;
    return rc;
}

CRect CKitTabPaintManager::CAppearanceSetExcel::GetButtonDrawRect(const CKitTabManagerItem* pItem)
{
    const int nHalf = HalfDepth(pItem);
    return GrowAlongStrip(pItem, nHalf, nHalf);
}

void CKitTabPaintManager::CAppearanceSetPropertyPageAccess2007::RefreshMetrics()
{
    CAppearanceSetPropertyPage2007::RefreshMetrics();
    m_nButtonHeight = std::max(m_nButtonHeight, 24);
}

CRect CKitTabPaintManager::CAppearanceSetPropertyPageAccess2007::GetHeaderMargin()
{
    CRect rc = m_rcHeaderMargin;
    rc.right += m_nButtonHeight / 2;
    return rc;
}

CRect CKitTabPaintManager::CAppearanceSetPropertyPageAccess2007::GetButtonDrawRect(const CKitTabManagerItem* pItem)
{
    return GrowAlongStrip(pItem, 0, m_nButtonHeight / 2);
}

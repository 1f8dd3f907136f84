#include "toolkit/themes/tabs/tab_appearance_set.h"

#include "toolkit/themes/tabs/tab_manager.h"
#include "toolkit/themes/tabs/tab_paint_manager.h"

#include <algorithm>

int CKitTabPaintManagerAppearanceSet::GetButtonHeight(const CKitTabManager* pManager)
{
    const CRect& rcMargin = m_pPaintManager->m_rcButtonMargin;
    const int nMargin = rcMargin.top + rcMargin.bottom;
    int nHeight = m_nButtonHeight + nMargin;
    if (pManager) {
        CSize szNormal;
        const_cast<CKitTabManager*>(pManager)->GetItemMetrics(&szNormal, nullptr, nullptr);
        nHeight = std::max<int>(nHeight, szNormal.cy);
    }
    if (m_pPaintManager->m_bShowIcons) {
        CSize szIcon = m_pPaintManager->m_szIcon;
        if (pManager) {
            CKitTabManager* pMutable = const_cast<CKitTabManager*>(pManager);
            pMutable->DrawIcon(nullptr, CPoint(0, 0), nullptr, FALSE, szIcon);
        }
        nHeight = std::max<int>(nHeight, std::max<int>(szIcon.cx, szIcon.cy) + nMargin + 4);
    }
    return nHeight;
}

CRect CKitTabPaintManagerAppearanceSet::GetButtonDrawRect(const CKitTabManagerItem* pItem)
{
    CRect rc = pItem->GetRect();
    rc.InflateRect(2, 2);
    return rc;
}

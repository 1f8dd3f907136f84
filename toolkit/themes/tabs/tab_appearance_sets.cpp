#include "toolkit/themes/tabs/tab_appearance_sets.h"

#include "framework/gdi.h"
#include "toolkit/common/color_manager.h"
#include "toolkit/themes/tabs/tab_color_sets.h"
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

// The item's depth across the strip.
int Depth(const CKitTabManagerItem* pItem)
{
    const CRect rc = pItem->GetRect();
    return pItem->GetTabManager()->IsHorizontalPosition() ? rc.Height() : rc.Width();
}

// Both ends slanted 2:1: the item grown at each end by half its depth (toward zero).
CRect GrowByHalfDepth(const CKitTabManagerItem* pItem)
{
    const int nHalf = Depth(pItem) / 2;
    return GrowAlongStrip(pItem, nHalf, nHalf);
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
    return GrowAlongStrip(pItem, Depth(pItem), 2);
}

int CKitTabPaintManager::CAppearanceSetPropertyPage2003::GetSlantOverlap(const CKitTabManager* pManager)
{
    // The slant covers (d - 4) pixels at depth d into the strip; the caption's lowest ink lies about
    // half the button's depth down, and its text margin already keeps 6 of those pixels clear.
    return std::max(GetButtonHeight(pManager) / 2 - 3, 0);
}

int CKitTabPaintManager::CAppearanceSetPropertyPage2003::GetButtonLength(CDC* pDC, CKitTabManagerItem* pItem)
{
    return CKitTabPaintManagerAppearanceSet::GetButtonLength(pDC, pItem) + GetSlantOverlap(pItem->GetTabManager());
}

int CKitTabPaintManager::CAppearanceSetVisualStudio2005::GetButtonLength(CDC* pDC, CKitTabManagerItem* pItem)
{
    return CKitTabPaintManagerAppearanceSet::GetButtonLength(pDC, pItem);
}

CRect CKitTabPaintManager::CAppearanceSetVisualStudio2005::GetHeaderMargin()
{
    CRect rc = m_rcHeaderMargin;
    rc.left += m_nButtonHeight / 2;
    return rc;
}

CRect CKitTabPaintManager::CAppearanceSetVisualStudio2005::GetButtonDrawRect(const CKitTabManagerItem* pItem)
{
    return GrowByHalfDepth(pItem);
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
    return GrowByHalfDepth(pItem);
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

CRect CKitTabPaintManager::CAppearanceSetPropertyPage::GetHeaderClipBox(CDC* pDC, CKitTabManager* pManager)
{
    CRect rcHeader = pManager->GetHeaderRect();
    const int nPosition = pManager->GetPosition();
    if (nPosition == kBottom || nPosition == kRight)
        InflateRectEx(rcHeader, CRect(0, 0, 0, 1), nPosition);
    CRect rcClip;
    pDC->GetClipBox(&rcClip);
    CRect rc;
    rc.IntersectRect(rcClip, rcHeader);
    return rc;
}

CRect CKitTabPaintManager::CAppearanceSetPropertyPage::GetClientMargin()
{
    CRect rc = m_pPaintManager->m_rcClientMargin;
    if (m_pPaintManager->GetColorSet()->IsAppThemed() && m_pPaintManager->m_nClientFrame == kClientFrameFull) {
        rc.right += 2;
        const int nPosition = m_pPaintManager->GetPosition();
        if (nPosition == kTop || nPosition == kLeft)
            rc.bottom += 2;
    }
    return rc;
}

// ---- Visio: stacked bars ------------------------------------------------------

CRect CKitTabPaintManager::CAppearanceSetVisio::GetHeaderRect(CRect /*rcControl*/, CKitTabManager* /*pManager*/)
{
    return CRect(0, 0, 0, 0);
}

void CKitTabPaintManager::CAppearanceSetVisio::RepositionTabControl(CKitTabManager* pManager, CDC* /*pDC*/,
                                                                    CRect rcClient)
{
    DeflateRectEx(rcClient, m_pPaintManager->m_rcControlMargin, pManager->GetPosition());
    const int nCount = pManager->GetItemCount();
    if (nCount == 0)
        return;
    const int nHeight = GetButtonHeight(pManager);
    const int x = m_pPaintManager->m_nClientFrame == kClientFrameNone ? rcClient.left : rcClient.left + 1;
    int y = rcClient.top + 1;
    for (int i = 0; i < nCount; ++i) {
        CKitTabManagerItem* pItem = pManager->GetItem(i);
        pItem->SetRect(CRect(x, y, rcClient.right, y + nHeight));
        const int nEnd = y + nHeight;
        y = nEnd;
        if (pItem == pManager->GetSelectedItem()) {
            // The bars after the selected one sit at the bottom, at least one bar below it.
            const int nBottom = rcClient.bottom;
            const int nLowest = nBottom - (nCount - i - 1) * nHeight;
            y = std::max(nEnd, std::min(std::max(nLowest, nEnd + nHeight), nBottom - 1));
        }
    }
}

CRect CKitTabPaintManager::CAppearanceSetVisio::GetClientRect(CRect rcControl, CKitTabManager* pManager)
{
    CRect rc = rcControl;
    CKitTabManagerItem* pSelected = pManager->GetSelectedItem();
    const BOOL bFramed = m_pPaintManager->m_nClientFrame != kClientFrameNone;
    if (pSelected) {
        const int nHeight = GetButtonHeight(pManager);
        const int nCount = pManager->GetItemCount();
        const int nSelected = pSelected->GetIndex();
        rc.top = rcControl.top + 1 + (nSelected + 1) * nHeight;
        rc.bottom = std::max<int>(rcControl.bottom - (nCount - nSelected - 1) * nHeight, rc.top + nHeight);
        if (nSelected == nCount - 1 && bFramed)
            rc.bottom -= 1;
    }
    if (bFramed) {
        rc.left += 1;
        rc.right -= 1;
    }
    return rc;
}

void CKitTabPaintManager::CAppearanceSetVisio::AdjustClientRect(CKitTabManager* pManager, CRect& rcClient)
{
    const int nPosition = pManager->GetPosition();
    DeflateRectEx(rcClient, m_pPaintManager->m_rcControlMargin, nPosition);
    rcClient = GetClientRect(rcClient, pManager);
    DeflateRectEx(rcClient, GetClientMargin(), nPosition);
}

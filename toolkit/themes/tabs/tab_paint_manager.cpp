#include "toolkit/themes/tabs/tab_paint_manager.h"

#include "toolkit/themes/tabs/tab_manager.h"

IMPLEMENT_DYNAMIC(CKitTabPaintManager, CCmdTarget)

CKitTabPaintManager::CKitTabPaintManager()
{
    SetAppearanceSet(CKitTabPaintManagerAppearanceSet::Create(0));
}

CKitTabPaintManager::~CKitTabPaintManager()
{
    delete m_pAppearanceSet;
}

void CKitTabPaintManager::SetAppearanceSet(CKitTabPaintManagerAppearanceSet* pSet)
{
    if (!pSet)
        return;
    delete m_pAppearanceSet;
    m_pAppearanceSet = pSet;
    pSet->m_pPaintManager = this;
}

COLORREF CKitTabPaintManager::GetAutoItemColor(COLORREF nIndex)
{
    static const COLORREF kColors[kAutoColorCount] = {
        RGB(138, 168, 228), RGB(255, 219, 117), RGB(189, 205, 159), RGB(240, 158, 159),
        RGB(186, 166, 225), RGB(154, 191, 180), RGB(247, 182, 131), RGB(216, 171, 192),
    };
    return kColors[(nIndex - kAutoColorFirst) % kAutoColorCount];
}

void CKitTabPaintManager::EnsureVisible(CKitTabManager* pManager, CKitTabManagerItem* pItem)
{
    const CRect& rcHeader = pManager->GetHeaderRect();
    const CRect rcItem = pItem->GetRect();
    if (rcHeader.IsRectEmpty() || rcItem.IsRectEmpty() || m_nLayout == kLayoutCompressed)
        return;
    const BOOL bHorizontal = pManager->IsHorizontalPosition();
    const int nHeaderStart = bHorizontal ? rcHeader.left : rcHeader.top;
    const int nHeaderEnd = bHorizontal ? rcHeader.right : rcHeader.bottom;
    const int nItemStart = bHorizontal ? rcItem.left : rcItem.top;
    const int nItemEnd = bHorizontal ? rcItem.right : rcItem.bottom;
    if (nItemStart < nHeaderStart)
        pManager->SetHeaderOffset(pManager->GetHeaderOffset() + nHeaderStart - nItemStart +
                                  m_pAppearanceSet->GetHeaderMargin().left);
    else if (nItemEnd > nHeaderEnd)
        pManager->SetHeaderOffset(pManager->GetHeaderOffset() - (nItemEnd - nHeaderEnd + 2));
}

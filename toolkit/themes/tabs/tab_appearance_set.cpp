#include "toolkit/themes/tabs/tab_appearance_set.h"

#include "framework/gdi.h"
#include "toolkit/themes/tabs/tab_manager.h"
#include "toolkit/themes/tabs/tab_paint_manager.h"

#include <algorithm>

void CKitTabPaintManagerAppearanceSet::InflateRectEx(CRect& rc, const CRect& rcMargin, int nPosition)
{
    switch (nPosition) {
    case CKitTabPaintManager::kLeft:
        rc.left -= rcMargin.top;
        rc.top -= rcMargin.left;
        rc.right += rcMargin.bottom;
        rc.bottom += rcMargin.right;
        break;
    case CKitTabPaintManager::kBottom:
        rc.left -= rcMargin.left;
        rc.top -= rcMargin.bottom;
        rc.right += rcMargin.right;
        rc.bottom += rcMargin.top;
        break;
    case CKitTabPaintManager::kRight:
        rc.left -= rcMargin.bottom;
        rc.top -= rcMargin.left;
        rc.right += rcMargin.top;
        rc.bottom += rcMargin.right;
        break;
    default:
        rc.left -= rcMargin.left;
        rc.top -= rcMargin.top;
        rc.right += rcMargin.right;
        rc.bottom += rcMargin.bottom;
        break;
    }
}

void CKitTabPaintManagerAppearanceSet::DeflateRectEx(CRect& rc, const CRect& rcMargin, int nPosition)
{
    InflateRectEx(rc, CRect(-rcMargin.left, -rcMargin.top, -rcMargin.right, -rcMargin.bottom), nPosition);
}

void CKitTabPaintManagerAppearanceSet::RefreshMetrics()
{
    HDC hScreen = ::GetDC(nullptr);
    HGDIOBJ hOldFont = ::SelectObject(hScreen, ::GetStockObject(DEFAULT_GUI_FONT));
    SIZE sz = {0, 0};
    ::GetTextExtentPoint32A(hScreen, " ", 1, &sz);
    ::SelectObject(hScreen, hOldFont);
    ::ReleaseDC(nullptr, hScreen);
    m_nButtonHeight = std::max<int>(18, sz.cy + 3);
}

CRect CKitTabPaintManagerAppearanceSet::GetHeaderRect(CRect rcControl, CKitTabManager* pManager)
{
    const int nDepth = GetHeaderHeight(pManager);
    CRect rc = rcControl;
    switch (pManager->GetPosition()) {
    case CKitTabPaintManager::kLeft: rc.right = rc.left + nDepth; break;
    case CKitTabPaintManager::kBottom: rc.top = rc.bottom - nDepth; break;
    case CKitTabPaintManager::kRight: rc.left = rc.right - nDepth; break;
    default: rc.bottom = rc.top + nDepth; break;
    }
    return rc;
}

CRect CKitTabPaintManagerAppearanceSet::GetHeaderClipBox(CDC* pDC, CKitTabManager* pManager)
{
    CRect rcClip;
    pDC->GetClipBox(&rcClip);
    CRect rc;
    rc.IntersectRect(rcClip, pManager->GetHeaderRect());
    return rc;
}

CRect CKitTabPaintManagerAppearanceSet::GetClientRect(CRect rcControl, CKitTabManager* pManager)
{
    const CRect rcHeader = GetHeaderRect(rcControl, pManager);
    if (rcHeader.IsRectEmpty())
        return rcControl;
    CRect rc = rcControl;
    switch (pManager->GetPosition()) {
    case CKitTabPaintManager::kLeft: rc.left = rcHeader.right - 1; break;
    case CKitTabPaintManager::kBottom: rc.bottom = rcHeader.top + 1; break;
    case CKitTabPaintManager::kRight: rc.right = rcHeader.left + 1; break;
    default: rc.top = rcHeader.bottom - 1; break;
    }
    return rc;
}

CRect CKitTabPaintManagerAppearanceSet::GetClientMargin()
{
    return CRect(0, 0, 0, 0);
}

int CKitTabPaintManagerAppearanceSet::GetButtonLength(CDC* /*pDC*/, CKitTabManagerItem* /*pItem*/)
{
    return 0;
}

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

int CKitTabPaintManagerAppearanceSet::GetHeaderHeight(CKitTabManager* pManager)
{
    const int nRows = pManager->GetRowIndexer() ? pManager->GetRowIndexer()->GetRowCount() : 1;
    int nDepth = nRows * GetButtonHeight(pManager) + (nRows - 1) * m_nRowSpacing;
    if (pManager->GetLayout() == CKitTabPaintManager::kLayoutRotated) {
        for (int i = 0; i < pManager->GetItemCount(); ++i)
            nDepth = std::max<int>(nDepth, pManager->GetItem(i)->GetLength());
    }
    const CRect rcMargin = GetHeaderMargin();
    return nDepth + rcMargin.top + rcMargin.bottom;
}

CRect CKitTabPaintManagerAppearanceSet::GetButtonDrawRect(const CKitTabManagerItem* pItem)
{
    CRect rc = pItem->GetRect();
    rc.InflateRect(2, 2);
    return rc;
}

void CKitTabPaintManagerAppearanceSet::DrawTabControl(CKitTabManager* /*pManager*/, CDC* /*pDC*/, CRect /*rcControl*/)
{
}

CRect CKitTabPaintManagerAppearanceSet::FillTabControl(CKitTabManager* /*pManager*/, CDC* /*pDC*/, CRect /*rcControl*/)
{
    return CRect(0, 0, 0, 0);
}

void CKitTabPaintManagerAppearanceSet::RepositionTabControl(CKitTabManager* /*pManager*/, CDC* /*pDC*/,
                                                            CRect /*rcClient*/)
{
}

void CKitTabPaintManagerAppearanceSet::AdjustClientRect(CKitTabManager* pManager, CRect& rcClient)
{
    rcClient = GetClientRect(rcClient, pManager);
    DeflateRectEx(rcClient, GetClientMargin(), pManager->GetPosition());
    rcClient.DeflateRect(2, 2);
}

void CKitTabPaintManagerAppearanceSet::DrawSingleButton(CDC* /*pDC*/, CKitTabManagerItem* /*pItem*/)
{
}

void CKitTabPaintManagerAppearanceSet::DrawWorkspacePart(CDC* /*pDC*/, LPRECT /*lpRect*/, int /*nPart*/)
{
}

void CKitTabPaintManagerAppearanceSet::DrawText(CDC* pDC, const CString& strText, LPRECT lpRect, UINT nFormat)
{
    pDC->DrawText(strText, lpRect, nFormat);
}

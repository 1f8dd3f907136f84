#include "toolkit/themes/tabs/tab_appearance_set.h"

#include "framework/gdi.h"
#include "toolkit/common/color_manager.h"
#include "toolkit/themes/tabs/tab_color_sets.h"
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
    CFont* pFont = m_pPaintManager ? m_pPaintManager->GetNormalFont() : nullptr;
    HGDIOBJ hFont = pFont && pFont->GetSafeHandle() ? pFont->GetSafeHandle() : ::GetStockObject(DEFAULT_GUI_FONT);
    HGDIOBJ hOldFont = ::SelectObject(hScreen, hFont);
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
    return m_pPaintManager->m_rcClientMargin;
}

int CKitTabPaintManagerAppearanceSet::GetButtonLength(CDC* pDC, CKitTabManagerItem* pItem)
{
    return m_pPaintManager->DrawItemIconAndCaption(pDC, pItem, CRect(0, 0, 0, 0), FALSE);
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
    if (!m_pPaintManager->m_bShowHeader)
        return 0;
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

void CKitTabPaintManagerAppearanceSet::DrawTabControl(CKitTabManager* pManager, CDC* pDC, CRect rcControl)
{
    m_pPaintManager->DrawTabs(pManager, pDC, rcControl);
}

CRect CKitTabPaintManagerAppearanceSet::FillTabControl(CKitTabManager* /*pManager*/, CDC* /*pDC*/, CRect /*rcControl*/)
{
    return CRect(0, 0, 0, 0);
}

void CKitTabPaintManagerAppearanceSet::RepositionTabControl(CKitTabManager* pManager, CDC* pDC, CRect rcClient)
{
    m_pPaintManager->LayoutTabs(pManager, pDC, rcClient);
}

void CKitTabPaintManagerAppearanceSet::AdjustClientRect(CKitTabManager* pManager, CRect& rcClient)
{
    const int nPosition = pManager->GetPosition();
    DeflateRectEx(rcClient, m_pPaintManager->m_rcControlMargin, nPosition);
    rcClient = GetClientRect(rcClient, pManager);
    DeflateRectEx(rcClient, GetClientMargin(), nPosition);
    if (m_pPaintManager->m_nClientFrame == CKitTabPaintManager::kClientFrameFull)
        rcClient.DeflateRect(2, 2);
    else if (m_pPaintManager->m_nClientFrame == CKitTabPaintManager::kClientFrameSingleLine)
        DeflateRectEx(rcClient, CRect(0, 2, 0, 0), nPosition);
}

void CKitTabPaintManagerAppearanceSet::DrawSingleButton(CDC* /*pDC*/, CKitTabManagerItem* /*pItem*/)
{
}

void CKitTabPaintManagerAppearanceSet::DrawWorkspacePart(CDC* pDC, LPRECT lpRect, int nPart)
{
    CKitTabPaintManagerColorSet* pColorSet = m_pPaintManager->GetColorSet();
    CRect rc(lpRect);
    if (m_pPaintManager->m_bStaticFrame) {
        switch (nPart) {
        case 0: {
            // Placed at the DC's origin: the caller draws this part on the frame's own DC.
            const COLORREF clrFace = CKitColorManager::Instance()->GetColor(COLOR_BTNFACE);
            pDC->Draw3dRect(1, 0, rc.Width() - 2, rc.Height() - 1, clrFace, clrFace);
            if (pColorSet->m_clrFrameBorder != CKitPaintManagerColor::kNone)
                pDC->Draw3dRect(0, 0, rc.Width(), rc.Height(), pColorSet->m_clrFrameBorder, pColorSet->m_clrFrameBorder);
            break;
        }
        case 1:
            lpRect->top -= 1;
            break;
        case 2:
        case 3:
            pDC->FillSolidRect(rc, pColorSet->m_clrControlFace);
            if (pColorSet->m_clrFrameBorder == CKitPaintManagerColor::kNone)
                break;
            if (nPart == 2)
                pDC->FillSolidRect(rc.right - 1, rc.top, 1, rc.Height(), pColorSet->m_clrFrameBorder);
            else
                pDC->FillSolidRect(rc.left, rc.bottom - 1, rc.Width(), 1, pColorSet->m_clrFrameBorder);
            break;
        default:
            break;
        }
        return;
    }
    if (nPart == 1)
        ::InflateRect(lpRect, 2, 2);
    else if (nPart == 2 || nPart == 3)
        pDC->FillSolidRect(rc, pColorSet->m_grcHeaderFace.clrLight);
}

void CKitTabPaintManagerAppearanceSet::DrawText(CDC* pDC, const CString& strText, LPRECT lpRect, UINT nFormat)
{
    pDC->DrawText(strText, lpRect, nFormat);
}

BOOL CKitTabPaintManagerAppearanceSet::IsVerticalCaption(CKitTabManager* pManager)
{
    const BOOL bVertical = !pManager->IsHorizontalPosition();
    return m_pPaintManager->GetLayout() == CKitTabPaintManager::kLayoutRotated ? !bVertical : bVertical;
}

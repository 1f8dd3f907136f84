// CKitTabPaintManager: laying a strip out (plain, compressed, fixed, icons only, multi-row, rotated) and drawing it.
#include "toolkit/themes/tabs/tab_paint_manager.h"

#include "toolkit/common/draw_helpers.h"
#include "toolkit/themes/paint/markup_glue.h"
#include "toolkit/themes/tabs/tab_color_sets.h"
#include "toolkit/themes/tabs/tab_manager.h"

#include <algorithm>
#include <numeric>
#include <vector>

namespace {

using Set = CKitTabPaintManagerAppearanceSet;

// The frame a static-frame strip leaves around its layout area.
const CRect kStaticFrame(2, 1, 2, 2);
// The ellipsis of a shortened caption.
constexpr const char* kEllipsis = "...";

int StartOf(const CRect& rc, BOOL bHorizontal)
{
    return bHorizontal ? rc.left : rc.top;
}

int LengthOf(const CRect& rc, BOOL bHorizontal)
{
    return bHorizontal ? rc.Width() : rc.Height();
}

// A rectangle from a span along the strip and a span across it.
CRect MakeRect(BOOL bHorizontal, int nAlongStart, int nAlongEnd, int nAcrossStart, int nAcrossEnd)
{
    return bHorizontal ? CRect(nAlongStart, nAcrossStart, nAlongEnd, nAcrossEnd)
                       : CRect(nAcrossStart, nAlongStart, nAcrossEnd, nAlongEnd);
}

int TextWidth(CDC* pDC, const CString& strText, BOOL bNoPrefix)
{
    CString str = strText;
    if (!bNoPrefix)
        CKitDrawHelpers::StripMnemonics(str);
    SIZE sz = {0, 0};
    ::GetTextExtentPoint32A(pDC->GetSafeHdc(), str, str.GetLength(), &sz);
    return sz.cx;
}

}  // namespace

// ---- layout -------------------------------------------------------------------

void CKitTabPaintManager::RepositionTabControl(CKitTabManager* pManager, CDC* pDC, CRect rc)
{
    pManager->m_rcHeader.SetRectEmpty();
    pManager->m_rcControl = rc;
    pManager->m_rcClient = rc;
    pManager->GetRowIndexer()->SetRowCount(1);
    for (int i = 0; i < pManager->GetItemCount(); ++i)
        pManager->GetItem(i)->SetRow(0);
    m_pAppearanceSet->RepositionTabControl(pManager, pDC, rc);
    AdjustClientRect(pManager, pManager->m_rcClient);
}

void CKitTabPaintManager::AdjustClientRect(CKitTabManager* pManager, CRect& rcClient)
{
    if (pManager->IsDrawStaticFrame())
        Set::DeflateRectEx(rcClient, kStaticFrame, m_nPosition);
    if (pManager->GetItemCount() > 0)
        m_pAppearanceSet->AdjustClientRect(pManager, rcClient);
}

CRect CKitTabPaintManager::RepositionNavigateButtons(CKitTabManager* pManager, CRect rc)
{
    const CRect rcHeader = m_pAppearanceSet->GetHeaderRect(rc, pManager);
    CRect rcWork = rcHeader;
    if (pManager->IsHorizontalPosition())
        --rcWork.right;
    else
        --rcWork.bottom;
    BOOL bTaken = FALSE;
    CKitTabManagerNavigateButtons& buttons = pManager->GetNavigateButtons();
    for (int i = buttons.GetSize() - 1; i >= 0; --i) {
        buttons[i]->Reposition(rcWork);
        if (!buttons[i]->GetRect().IsRectEmpty())
            bTaken = TRUE;
    }
    return bTaken ? rcWork : rcHeader;
}

void CKitTabPaintManager::LayoutTabs(CKitTabManager* pManager, CDC* pDC, CRect rc)
{
    if (pManager->IsDrawStaticFrame())
        Set::DeflateRectEx(rc, kStaticFrame, m_nPosition);
    Set::DeflateRectEx(rc, m_rcControlMargin, m_nPosition);

    const int nCount = pManager->GetItemCount();
    if (!m_bShowHeader) {
        pManager->m_rcHeader.SetRectEmpty();
        for (int i = 0; i < nCount; ++i)
            pManager->GetItem(i)->SetRect(CRect());
        CKitTabManagerNavigateButtons& buttons = pManager->GetNavigateButtons();
        for (int i = 0; i < buttons.GetSize(); ++i)
            buttons[i]->SetRect(CRect());
        return;
    }
    if (m_nLayout == kLayoutMultiRow) {
        LayoutMultiRow(pManager, pDC, rc);
        return;
    }

    for (int i = 0; i < nCount; ++i) {
        CKitTabManagerItem* pItem = pManager->GetItem(i);
        if (!pItem->IsVisible()) {
            pItem->SetLengths(0, 0);
            continue;
        }
        const int nLength = m_pAppearanceSet->GetButtonLength(pDC, pItem);
        pItem->SetLengths(nLength + m_nItemExtraLength, nLength);
    }

    pManager->m_rcHeader = m_pAppearanceSet->GetHeaderRect(rc, pManager);
    if (nCount == 0) {
        RepositionNavigateButtons(pManager, rc);
        return;
    }

    const CRect rcMargin = m_pAppearanceSet->GetHeaderMargin();
    const int nRowHeight = m_pAppearanceSet->GetButtonHeight(pManager);
    const BOOL bHorizontal = pManager->IsHorizontalPosition();
    int nAcross0 = 0;
    if (bHorizontal)
        nAcross0 = m_nPosition == kBottom ? rc.bottom - rcMargin.top - nRowHeight : rc.top + rcMargin.top;
    else
        nAcross0 = m_nPosition == kRight ? rc.right - rcMargin.top - nRowHeight : rc.left + rcMargin.top;
    const int nAcross1 = nAcross0 + nRowHeight;

    if (m_nLayout == kLayoutCompressed) {
        int nAvailable = LengthOf(rc, bHorizontal) - rcMargin.left - rcMargin.right;
        CKitTabManagerNavigateButtons& buttons = pManager->GetNavigateButtons();
        for (int i = buttons.GetSize() - 1; i >= 0; --i)
            buttons[i]->AdjustWidth(nAvailable);
        CompressItems(pManager, nAvailable);
    }

    pManager->m_rcHeader = RepositionNavigateButtons(pManager, rc);

    // A strip never stays scrolled past its last item.
    const int nItemsLength = pManager->GetItemsLength();
    const int nRoom = LengthOf(pManager->m_rcHeader, bHorizontal) - rcMargin.left - rcMargin.right;
    if (pManager->m_nHeaderOffset < 0 && pManager->m_nHeaderOffset + nItemsLength < nRoom) {
        pManager->m_nHeaderOffset = std::min(0, nRoom - nItemsLength);
        pManager->m_rcHeader = RepositionNavigateButtons(pManager, rc);
    }

    const CRect& rcHeader = pManager->m_rcHeader;
    int p = StartOf(rcHeader, bHorizontal) + pManager->m_nHeaderOffset + rcMargin.left;
    if (m_nLayout != kLayoutRotated) {
        for (int i = 0; i < nCount; ++i) {
            CKitTabManagerItem* pItem = pManager->GetItem(i);
            pItem->SetRect(MakeRect(bHorizontal, p, p + pItem->GetLength(), nAcross0, nAcross1));
            p += pItem->GetLength();
        }
        return;
    }
    // Rotated: each item stands across the strip from its inner edge, one row height long.
    for (int i = 0; i < nCount; ++i) {
        CKitTabManagerItem* pItem = pManager->GetItem(i);
        if (!pItem->IsVisible()) {
            pItem->SetRect(CRect());
            continue;
        }
        const int nLength = pItem->GetLength();
        CRect rcItem;
        switch (m_nPosition) {
        case kLeft: {
            const int nRight = rcHeader.right - rcMargin.bottom;
            rcItem.SetRect(nRight - nLength, p, nRight, p + nRowHeight);
            break;
        }
        case kRight: {
            const int nLeft = rcHeader.left + rcMargin.bottom;
            rcItem.SetRect(nLeft, p, nLeft + nLength, p + nRowHeight);
            break;
        }
        case kBottom: {
            const int nTop = rcHeader.top + rcMargin.bottom;
            rcItem.SetRect(p, nTop, p + nRowHeight, nTop + nLength);
            break;
        }
        default: {
            const int nBottom = rcHeader.bottom - rcMargin.bottom;
            rcItem.SetRect(p, nBottom - nLength, p + nRowHeight, nBottom);
            break;
        }
        }
        pItem->SetRect(rcItem);
        p += nRowHeight;
    }
}

void CKitTabPaintManager::CompressItems(CKitTabManager* pManager, int nAvailable)
{
    const int nCount = pManager->GetItemCount();
    if (nCount == 0 || pManager->GetItemsLength() <= nAvailable)
        return;
    // A strip narrower than its margins and buttons leaves its items empty, never inside out.
    nAvailable = std::max(nAvailable, 0);
    if (nCount == 1) {
        CKitTabManagerItem* pItem = pManager->GetItem(0);
        pItem->SetLengths(nAvailable, pItem->GetFullLength());
        return;
    }
    std::vector<CKitTabManagerItem*> arrItems;
    for (int i = 0; i < nCount; ++i)
        arrItems.push_back(pManager->GetItem(i));
    std::stable_sort(arrItems.begin(), arrItems.end(), [](const CKitTabManagerItem* a, const CKitTabManagerItem* b) {
        return a->GetLength() < b->GetLength();
    });
    // The shortest items keep their lengths while they take less than their share.
    int nRemaining = nAvailable;
    int nLeft = nCount;
    size_t i = 0;
    for (; i < arrItems.size(); ++i) {
        const int nLength = arrItems[i]->GetLength();
        if (nLeft * nLength >= nRemaining)
            break;
        nRemaining -= nLength;
        --nLeft;
    }
    for (; i < arrItems.size(); ++i) {
        const int nShare = nRemaining / nLeft;
        arrItems[i]->SetLengths(nShare, arrItems[i]->GetFullLength());
        nRemaining -= nShare;
        --nLeft;
    }
}

BOOL CKitTabPaintManager::FillRows(CKitTabManager* pManager, int nRow, int nFirst, int nRemaining, int nRows,
                                   int nAvailable)
{
    const int nCount = pManager->GetItemCount();
    const int nTarget = m_bMultiRowJustify ? std::min(nRemaining / (nRows - nRow), nAvailable) : nAvailable;
    CKitTabManager::CRowIndexer::Row* pRows = pManager->GetRowIndexer()->GetRows();
    int nSum = 0;
    for (int i = nFirst; i < nCount; ++i) {
        const int nLength = pManager->GetItem(i)->GetLength();
        if (nSum + nLength > nTarget && nSum > 0 && nLength >= 1) {
            if (nRow + 1 < nRows && FillRows(pManager, nRow + 1, i, nRemaining - nSum, nRows, nAvailable)) {
                pRows[nRow] = {nFirst, i - 1};
                return TRUE;
            }
            if (nSum + nLength > nAvailable)
                return FALSE;
        }
        nSum += nLength;
    }
    pRows[nRow] = {nFirst, nCount - 1};
    return TRUE;
}

void CKitTabPaintManager::LayoutMultiRow(CKitTabManager* pManager, CDC* pDC, CRect rc)
{
    pManager->m_rcHeader = RepositionNavigateButtons(pManager, rc);
    pManager->m_nHeaderOffset = 0;
    const int nCount = pManager->GetItemCount();
    if (nCount == 0)
        return;

    const BOOL bHorizontal = pManager->IsHorizontalPosition();
    const CRect rcMargin = m_pAppearanceSet->GetHeaderMargin();
    const int nRowHeight = m_pAppearanceSet->GetButtonHeight(pManager);
    const int nSpacing = m_pAppearanceSet->m_nRowSpacing;
    const int nAvailable = LengthOf(pManager->m_rcHeader, bHorizontal) - rcMargin.left - rcMargin.right;

    int nRows = 1;
    int nSum = 0;
    int nTotal = 0;
    for (int i = 0; i < nCount; ++i) {
        CKitTabManagerItem* pItem = pManager->GetItem(i);
        const int nLength = pItem->IsVisible() ? m_pAppearanceSet->GetButtonLength(pDC, pItem) : 0;
        pItem->SetLengths(nLength, nLength);
        if (nSum > 0 && nSum + nLength > nAvailable) {
            ++nRows;
            nSum = 0;
        }
        nSum += nLength;
        nTotal += nLength;
    }

    CKitTabManager::CRowIndexer* pIndexer = pManager->GetRowIndexer();
    CKitTabManager::CRowIndexer::Row* pRows = pIndexer->SetRowCount(nRows);
    if (nRows > 1) {
        for (int r = 0; r < nRows; ++r)
            pRows[r] = {nCount, nCount - 1};
        FillRows(pManager, 0, 0, nTotal, nRows, nAvailable);
        if (!m_bKeepRowOrder && pManager->GetSelectedItem()) {
            const int nSelected = pManager->GetSelectedItem()->GetIndex();
            for (int r = 1; r < nRows; ++r)
                if (nSelected >= pRows[r].nFirstItem && nSelected <= pRows[r].nLastItem)
                    std::swap(pRows[0], pRows[r]);
        }
    }

    const int nStep = nRowHeight + nSpacing;
    const int nFarStart = (m_nPosition == kBottom ? rc.bottom : rc.right) - (nRows - 1) * nSpacing -
                          nRows * nRowHeight - rcMargin.top;
    const int nNearStart = (bHorizontal ? rc.top : rc.left) + rcMargin.top + (nRows - 1) * nStep;
    const int nStart = StartOf(pManager->m_rcHeader, bHorizontal) + rcMargin.left;
    for (int r = 0; r < nRows; ++r) {
        const BOOL bOutwardsDown = m_nPosition == kBottom || m_nPosition == kRight;
        const int nAcross = bOutwardsDown ? nFarStart + r * nStep : nNearStart - r * nStep;
        int nFree = nAvailable;
        for (int i = pRows[r].nFirstItem; i <= pRows[r].nLastItem; ++i)
            nFree -= pManager->GetItem(i)->GetLength();
        int nLeft = pRows[r].nLastItem - pRows[r].nFirstItem + 1;
        int p = nStart;
        for (int i = pRows[r].nFirstItem; i <= pRows[r].nLastItem; ++i, --nLeft) {
            CKitTabManagerItem* pItem = pManager->GetItem(i);
            int nLength = pItem->GetLength();
            if (m_bMultiRowJustify && nRows > 1) {
                const int nExtra = nFree / nLeft;
                nFree -= nExtra;
                nLength += nExtra;
                pItem->SetLengths(nLength, pItem->GetFullLength());
            }
            pItem->SetRect(MakeRect(bHorizontal, p, p + nLength, nAcross, nAcross + nRowHeight));
            pItem->SetRow(r);
            p += nLength;
        }
    }
    pManager->m_rcHeader = RepositionNavigateButtons(pManager, rc);
}

// ---- items --------------------------------------------------------------------

CFont* CKitTabPaintManager::GetItemFont(CKitTabManagerItem* pItem, BOOL bVertical)
{
    CKitTabManager* pManager = pItem->GetTabManager();
    const BOOL bBold = m_bBoldSelected && pManager && pManager->GetSelectedItem() == pItem && pManager->IsActive();
    if (bVertical)
        return bBold ? &m_fntVerticalBold : &m_fntVertical;
    return bBold ? &m_fntBold : &m_fntNormal;
}

int CKitTabPaintManager::GetItemButtonsLength(CKitTabManagerItem* pItem, BOOL bVertical)
{
    CKitTabManager* pManager = pItem->GetTabManager();
    CKitTabManagerNavigateButtons& buttons = pItem->GetNavigateButtons();
    int nLength = 0;
    for (int i = 0; i < buttons.GetSize(); ++i) {
        if (pManager->IsNavigateButtonVisible(buttons[i])) {
            const CSize size = buttons[i]->GetSize();
            nLength += bVertical ? size.cy : size.cx;
        }
    }
    return nLength > 0 ? nLength + 3 : 0;
}

int CKitTabPaintManager::DrawItemIconAndCaption(CDC* pDC, CKitTabManagerItem* pItem, CRect rcItem, BOOL bDraw)
{
    CKitTabManager* pManager = pItem->GetTabManager();
    const BOOL bSelected = pManager->GetSelectedItem() == pItem;
    const BOOL bVertical = m_pAppearanceSet->IsVerticalCaption(pManager);
    CSize szIcon = m_szIcon;
    const BOOL bHasIcon = m_bShowIcons && pManager->DrawIcon(pDC, CPoint(0, 0), pItem, FALSE, szIcon);
    const int nIconExtent = bVertical ? szIcon.cy : szIcon.cx;
    const BOOL bShowCaption = m_nLayout != kLayoutIconsOnly || bSelected;
    CFont* pFont = GetItemFont(pItem, bVertical);
    CString strCaption = pItem->GetCaption();

    // Measuring needs a DC even when the caller has none.
    CDC dcScreen;
    if (!pDC) {
        dcScreen.Attach(::GetDC(nullptr));
        pDC = &dcScreen;
    }
    CFont* pOldFont = pDC->SelectObject(pFont);
    const UINT nPrefix = (m_bNoPrefix || m_bStripMnemonics) ? DT_NOPREFIX : 0;
    auto captionWidth = [&](const CString& str) {
        CRect rcText(0, 0, 0, 0);
        m_pAppearanceSet->DrawText(pDC, str, rcText, DT_CALCRECT | DT_NOCLIP | DT_SINGLELINE | nPrefix);
        return rcText.Width();
    };

    if (!bDraw) {
        int nLength = 0;
        const int nButtons = bShowCaption ? GetItemButtonsLength(pItem, bVertical) : 0;
        if (m_nLayout == kLayoutFixed) {
            nLength = m_nFixedItemLength;
        } else if (m_nLayout == kLayoutIconsOnly && !bSelected) {
            nLength = nIconExtent + 8;
        } else if (m_nLayout == kLayoutIconsOnly) {
            int nWidest = 0;
            for (int i = 0; i < pManager->GetItemCount(); ++i)
                nWidest = std::max(nWidest, captionWidth(pManager->GetItem(i)->GetCaption()));
            nLength = m_rcTextMargin.left + m_rcTextMargin.right + (bHasIcon ? nIconExtent : 0) + nWidest + nButtons;
        } else {
            int nCaption = 0;
            if (CKitMarkupUIElement* pElement = pItem->GetMarkupUIElement()) {
                MarkupSetDefaultFont(MarkupGetElementContext(pElement), *pFont, pDC->GetTextColor());
                nCaption = MarkupMeasureElement(pElement, INT_MAX, INT_MAX).cx;
            } else {
                nCaption = captionWidth(strCaption);
            }
            nLength = m_rcTextMargin.left + m_rcTextMargin.right + nCaption + (bHasIcon ? nIconExtent : 0) + nButtons;
        }
        pDC->SelectObject(pOldFont);
        if (dcScreen.GetSafeHdc())
            ::ReleaseDC(nullptr, dcScreen.Detach());
        CSize szMin;
        CSize szMax;
        pManager->GetItemMetrics(nullptr, &szMin, &szMax);
        return ClampItemLength(nLength, szMin.cx, szMax.cx);
    }

    // Own buttons at the end of the item.
    CRect rc = rcItem;
    if (bShowCaption && GetItemButtonsLength(pItem, bVertical) > 0) {
        m_pColorSet->SetTextColor(pDC, pItem);
        CRect rcButtons = rc;
        Set::DeflateRectEx(rcButtons, m_rcButtonMargin, m_nPosition);
        if (bVertical)
            rcButtons.bottom -= 3;
        else
            rcButtons.right -= 3;
        CKitTabManagerNavigateButtons& buttons = pItem->GetNavigateButtons();
        for (int i = buttons.GetSize() - 1; i >= 0; --i) {
            CKitTabManagerNavigateButton* pButton = buttons[i];
            if (!pManager->IsNavigateButtonVisible(pButton))
                continue;
            const CSize size = pButton->GetSize();
            if (bVertical) {
                const int nLeft = (rcButtons.left + rcButtons.right - size.cx) / 2;
                pButton->SetRect(CRect(nLeft, rcButtons.bottom - size.cy, nLeft + size.cx, rcButtons.bottom));
                rcButtons.bottom -= size.cy;
            } else {
                const int nTop = (rcButtons.top + rcButtons.bottom - size.cy) / 2;
                pButton->SetRect(CRect(rcButtons.right - size.cx, nTop, rcButtons.right, nTop + size.cy));
                rcButtons.right -= size.cx;
            }
            pButton->Draw(pDC);
        }
        if (bVertical)
            rc.bottom = rcButtons.bottom;
        else
            rc.right = rcButtons.right;
    }

    m_pColorSet->SetTextColor(pDC, pItem);
    const int nExcess = pItem->GetLength() - pItem->GetFullLength();
    if (nExcess > 0 && m_nLayout != kLayoutRotated) {
        if (bVertical)
            rc.DeflateRect(0, nExcess / 2);
        else
            rc.DeflateRect(nExcess / 2, 0);
    }

    if (!bVertical) {
        rc.left += m_rcTextMargin.left + m_rcButtonMargin.left;
        if (m_nPosition == kBottom) {
            rc.top += m_rcButtonMargin.bottom;
            rc.bottom -= m_rcButtonMargin.top;
        } else {
            rc.top += m_rcButtonMargin.top;
            rc.bottom -= m_rcButtonMargin.bottom;
        }
        if (bHasIcon && rc.Width() > szIcon.cx) {
            pManager->DrawIcon(pDC, CPoint(rc.left, (rc.top + rc.bottom - szIcon.cy) / 2), pItem, TRUE, szIcon);
            rc.left += szIcon.cx + 2;
        }
        rc.right -= m_rcTextMargin.right + m_rcButtonMargin.right - (bHasIcon ? 2 : 0);
    } else {
        rc.top += m_rcTextMargin.left + m_rcButtonMargin.left;
        rc.bottom -= m_rcTextMargin.right + m_rcButtonMargin.right;
        if (m_nPosition == kRight) {
            rc.left += m_rcButtonMargin.bottom;
            rc.right -= m_rcButtonMargin.top;
        } else {
            rc.left += m_rcButtonMargin.top;
            rc.right -= m_rcButtonMargin.bottom;
        }
        if (bHasIcon && rc.Height() > szIcon.cy) {
            const int nLeft = (rc.left + rc.right - szIcon.cx) / 2;
            if (m_bVerticalTextTopToBottom) {
                pManager->DrawIcon(pDC, CPoint(nLeft, rc.top), pItem, TRUE, szIcon);
                rc.top += szIcon.cy + 2;
            } else {
                pManager->DrawIcon(pDC, CPoint(nLeft, rc.bottom - szIcon.cy), pItem, TRUE, szIcon);
                rc.bottom -= szIcon.cy + 2;
            }
        }
    }

    if (bShowCaption && bVertical) {
        if (rc.Height() >= 8) {
            if (!m_bNoPrefix)
                CKitDrawHelpers::StripMnemonics(strCaption);
            TEXTMETRICA tm = {};
            pDC->GetTextMetrics(&tm);
            // The turned text is laid out as if level, from its reference corner.
            const int nMid = (rc.left + rc.right) / 2;
            CRect rcText = m_bVerticalTextTopToBottom
                               ? CRect(nMid + tm.tmHeight / 2, rc.top, nMid + tm.tmHeight / 2 + rc.Height(),
                                       rc.top + tm.tmHeight)
                               : CRect(nMid - tm.tmHeight / 2, rc.bottom, nMid - tm.tmHeight / 2 + rc.Height(),
                                       rc.bottom + tm.tmHeight);
            const UINT nFormat = DT_SINGLELINE | DT_NOCLIP | DT_NOPREFIX;
            if (m_bMiddleEllipsis)
                DrawTextMiddleEllipsis(pDC, pItem, strCaption, rcText, nFormat);
            else
                m_pAppearanceSet->DrawText(pDC, strCaption, rcText, nFormat | (m_bEndEllipsis ? DT_END_ELLIPSIS : 0));
        }
    } else if (bShowCaption) {
        if (CKitMarkupUIElement* pElement = pItem->GetMarkupUIElement()) {
            MarkupSetDefaultFont(MarkupGetElementContext(pElement), *pFont, pDC->GetTextColor());
            CRect rcMarkup = rc;
            if (m_nTextFormat & DT_VCENTER) {
                const int nHeight = MarkupMeasureElement(pElement, INT_MAX, INT_MAX).cy;
                rcMarkup.top = (rc.top + rc.bottom - nHeight) / 2;
                rcMarkup.bottom = rcMarkup.top + nHeight;
            }
            MarkupRenderElement(pElement, pDC->GetSafeHdc(), rcMarkup);
        } else if (m_bMiddleEllipsis) {
            DrawTextMiddleEllipsis(pDC, pItem, strCaption, rc, DT_SINGLELINE | m_nTextFormat | (m_bNoPrefix ? DT_NOPREFIX : 0));
        } else {
            if (m_bStripMnemonics)
                CKitDrawHelpers::StripMnemonics(strCaption);
            m_pAppearanceSet->DrawText(pDC, strCaption, rc,
                                       DT_SINGLELINE | m_nTextFormat | (m_bEndEllipsis ? DT_END_ELLIPSIS : 0) | nPrefix);
        }
    }
    pDC->SelectObject(pOldFont);

    if (bSelected && pManager->HasFocus())
        DrawFocusRect(pDC, pItem, rcItem);
    if (dcScreen.GetSafeHdc())
        ::ReleaseDC(nullptr, dcScreen.Detach());
    return 0;
}

void CKitTabPaintManager::DrawTextMiddleEllipsis(CDC* pDC, CKitTabManagerItem* /*pItem*/, const CString& strText,
                                                 CRect rc, UINT nFormat)
{
    if (strText.Find('\\') >= 0) {
        m_pAppearanceSet->DrawText(pDC, strText, rc, nFormat | DT_PATH_ELLIPSIS);
        return;
    }
    const BOOL bNoPrefix = (nFormat & DT_NOPREFIX) != 0;
    const int nWidth = rc.Width();
    const int nTextWidth = TextWidth(pDC, strText, bNoPrefix);
    if (nTextWidth <= nWidth) {
        m_pAppearanceSet->DrawText(pDC, strText, rc, nFormat);
        return;
    }
    const int nEllipsis = TextWidth(pDC, kEllipsis, TRUE);
    if (nWidth <= nEllipsis) {
        m_pAppearanceSet->DrawText(pDC, kEllipsis, rc, nFormat);
        return;
    }
    const int nLength = strText.GetLength();
    auto shortened = [&](int n) { return strText.Left(n - n / 2) + kEllipsis + strText.Right(n / 2); };
    auto fits = [&](int n) { return TextWidth(pDC, shortened(n), bNoPrefix) <= nWidth; };
    int n = std::clamp(static_cast<int>(static_cast<long long>(nLength) * (nWidth - nEllipsis) / nTextWidth), 0,
                       nLength - 1);
    while (n + 1 < nLength && fits(n + 1))
        ++n;
    while (n > 0 && !fits(n))
        --n;
    m_pAppearanceSet->DrawText(pDC, shortened(n), rc, nFormat);
}

// ---- drawing ------------------------------------------------------------------

void CKitTabPaintManager::DrawTabControl(CKitTabManager* pManager, CDC* pDC, CRect rcControl)
{
    m_pAppearanceSet->DrawTabControl(pManager, pDC, rcControl);
}

void CKitTabPaintManager::DrawTabs(CKitTabManager* pManager, CDC* pDC, CRect rcControl)
{
    CRect rc = rcControl;
    if (pManager->IsDrawStaticFrame()) {
        pDC->Draw3dRect(rc, m_pColorSet->m_clrFrameBorder, m_pColorSet->m_clrFrameBorder);
        rc.DeflateRect(1, 1);
        pDC->Draw3dRect(rc, m_pColorSet->m_clrControlFace, m_pColorSet->m_clrControlFace);
        Set::DeflateRectEx(rc, CRect(1, 0, 1, 1), m_nPosition);
    }
    if (m_bFillBackground)
        pDC->FillSolidRect(rc, m_pColorSet->m_clrControlFace);
    Set::DeflateRectEx(rc, m_rcControlMargin, m_nPosition);
    pDC->SetBkMode(TRANSPARENT);
    if (m_bFillBackground)
        m_pAppearanceSet->FillTabControl(pManager, pDC, rc);

    CRect rcClip;
    pDC->GetClipBox(&rcClip);
    if (m_bClipHeader)
        rcClip = m_pAppearanceSet->GetHeaderClipBox(pDC, pManager);
    if (!rcClip.IsRectEmpty()) {
        const int nSaved = m_bClipHeader ? pDC->SaveDC() : 0;
        if (m_bClipHeader) {
            CRect rcDevice = rcClip;
            ::LPtoDP(pDC->GetSafeHdc(), reinterpret_cast<POINT*>(&rcDevice), 2);
            CRgn rgn;
            rgn.CreateRectRgnIndirect(rcDevice);
            pDC->SelectClipRgn(&rgn);
            m_pColorSet->FillTabControlPart(pDC, rcClip, pManager);
        }
        for (int nRow = pManager->GetRowIndexer()->GetRowCount() - 1; nRow >= 0; --nRow)
            DrawRow(pManager, pDC, rcClip, nRow);
        if (m_bClipHeader)
            pDC->RestoreDC(nSaved);
    }

    CKitTabManagerNavigateButtons& buttons = pManager->GetNavigateButtons();
    for (int i = buttons.GetSize() - 1; i >= 0; --i)
        buttons[i]->Draw(pDC);
}

void CKitTabPaintManager::DrawRow(CKitTabManager* pManager, CDC* pDC, CRect rcClip, int nRow)
{
    CKitTabManagerItem* pSelected = pManager->GetSelectedItem();
    auto draw = [&](CKitTabManagerItem* pItem) {
        if (pItem == pSelected || pItem->GetRow() != nRow || !pItem->IsVisible())
            return;
        CRect rcTest;
        if (rcTest.IntersectRect(m_pAppearanceSet->GetButtonDrawRect(pItem), rcClip))
            m_pAppearanceSet->DrawSingleButton(pDC, pItem);
    };
    const int nCount = pManager->GetItemCount();
    if (m_pAppearanceSet->m_bDrawFromBothEnds && pSelected) {
        const int nSelected = pSelected->GetIndex();
        for (int i = 0; i < nSelected; ++i)
            draw(pManager->GetItem(i));
        for (int i = nCount - 1; i > nSelected; --i)
            draw(pManager->GetItem(i));
    } else {
        for (int i = nCount - 1; i >= 0; --i)
            draw(pManager->GetItem(i));
    }
    if (pSelected && pSelected->GetRow() == nRow && pSelected->IsVisible()) {
        CRect rcTest;
        if (rcTest.IntersectRect(m_pAppearanceSet->GetButtonDrawRect(pSelected), rcClip))
            m_pAppearanceSet->DrawSingleButton(pDC, pSelected);
    }
}

void CKitTabPaintManager::DrawNavigateButton(CDC* pDC, CKitTabManagerNavigateButton* pButton, CRect rc)
{
    m_pColorSet->FillNavigateButton(pDC, pButton, rc);
    const COLORREF clrGlyph = pDC->GetTextColor();
    CPen pen(PS_SOLID, 1, clrGlyph);
    CBrush brush(clrGlyph);
    CPen* pOldPen = pDC->SelectObject(&pen);
    CGdiObject* pOldBrush = pButton->IsEnabled() ? pDC->SelectObject(&brush) : pDC->SelectStockObject(HOLLOW_BRUSH);
    pButton->DrawEntry(pDC, rc);
    pDC->SelectObject(pOldBrush);
    pDC->SelectObject(pOldPen);
}

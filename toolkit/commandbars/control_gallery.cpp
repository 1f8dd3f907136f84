// Galleries: entry layout, scrolling, drawing, selection by mouse and keyboard, and the preview notifications.
#include "toolkit/commandbars/control_gallery.h"

#include "toolkit/commandbars/command_bar.h"
#include "toolkit/commandbars/control_action.h"
#include "toolkit/commandbars/controls.h"

#include "framework/gdi.h"
#include "framework/wnd.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

// ---- entries ----

CSize CKitControlGalleryEntry::GetSize()
{
    if (m_szEntry.cx != 0 || m_szEntry.cy != 0)
        return m_szEntry;
    if (m_bLabel)
        return CSize(0, CKitControlGalleryEntryList::kLabelHeight);
    return m_pList != nullptr ? CSize(m_pList->m_cxEntry, m_pList->m_cyEntry) : CSize(20, 20);
}

void CKitControlGalleryEntry::Draw(CDC* pDC, CKitControlGallery* pGallery, CRect rc, BOOL bEnabled, BOOL bSelected,
                                   BOOL bPressed, BOOL bChecked)
{
    CKitGalleryPainter* pPainter = pGallery->GetGalleryPaintManager();
    if (pPainter == nullptr)
        return;
    if (m_bLabel)
        pPainter->DrawGalleryLabel(pDC, rc, this);
    else
        pPainter->DrawGalleryEntry(pDC, rc, this, bEnabled, bSelected, bPressed, bChecked);
}

CKitControlGalleryEntry* CKitControlGalleryEntryList::Add(CKitControlGalleryEntry* pEntry)
{
    pEntry->m_nIndex = GetCount();
    pEntry->m_pList = this;
    m_entries.push_back(pEntry);
    return pEntry;
}

CKitControlGalleryEntry* CKitControlGalleryEntryList::AddEntry(int nId, LPCSTR lpszCaption)
{
    auto* pEntry = new CKitControlGalleryEntry();
    pEntry->m_nId = nId;
    pEntry->m_strCaption = lpszCaption;
    return Add(pEntry);
}

CKitControlGalleryEntry* CKitControlGalleryEntryList::AddLabel(LPCSTR lpszCaption)
{
    auto* pEntry = new CKitControlGalleryEntry();
    pEntry->m_bLabel = TRUE;
    pEntry->m_strCaption = lpszCaption;
    return Add(pEntry);
}

void CKitControlGalleryEntryList::RemoveAll()
{
    for (CKitControlGalleryEntry* pEntry : m_entries)
        pEntry->InternalRelease();
    m_entries.clear();
}

CKitControlGalleryEntry* CKitControlGalleryEntryList::GetAt(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetCount() ? m_entries[nIndex] : nullptr;
}

// ---- gallery ----

IMPLEMENT_DYNCREATE(CKitControlGallery, CKitControlPopup)

CKitControlGallery::CKitControlGallery() : CKitControlPopup(kitControlGallery)
{
    m_nWidth = kDefaultWidth;
    m_nHeight = kDefaultHeight;
}

CKitControlGalleryEntryList* CKitControlGallery::GetEntries() const
{
    return GetAction() != nullptr ? GetAction()->GetGalleryEntries() : nullptr;
}

int CKitControlGallery::GetEntryCount() const
{
    CKitControlGalleryEntryList* pEntries = GetEntries();
    return pEntries != nullptr ? pEntries->GetCount() : 0;
}

CKitControlGalleryEntry* CKitControlGallery::GetEntry(int nIndex) const
{
    CKitControlGalleryEntryList* pEntries = GetEntries();
    return pEntries != nullptr ? pEntries->GetAt(nIndex) : nullptr;
}

CKitGalleryPainter* CKitControlGallery::GetGalleryPaintManager() const
{
    CKitScrollPainters* pPainters = CKitScrollPainters::Get();
    CKitBarPainter* pPaintManager = GetPaintManager();
    return pPainters != nullptr && pPaintManager != nullptr ? pPainters->GetGalleryPainter(pPaintManager) : nullptr;
}

CKitScrollBarPainter* CKitControlGallery::GetScrollBarPaintManager() const
{
    CKitGalleryPainter* pPainter = GetGalleryPaintManager();
    return pPainter != nullptr ? pPainter->GetGalleryScrollBarPainter() : nullptr;
}

CWnd* CKitControlGallery::GetParentWindow() const
{
    return GetParent();
}

BOOL CKitControlGallery::IsShownAsButton() const
{
    return GetStyle() == kitButtonIcon;
}

BOOL CKitControlGallery::IsBarSelected() const
{
    return GetParent() != nullptr && GetParent()->GetSelected() == GetIndex();
}

CRect CKitControlGallery::GetBorders() const
{
    CRect rc(0, 0, 0, 0);
    if (m_bShowBorders)
        rc = CRect(1, 1, 1, 1);
    if (GetParent() != nullptr && m_bShowScrollBar) {
        CKitGalleryPainter* pPainter = GetGalleryPaintManager();
        rc.right += HasScrollButtons() && pPainter != nullptr ? pPainter->GetScrollButtonColumnWidth()
                                                               : ::GetSystemMetrics(SM_CXVSCROLL);
    }
    rc.left += m_rcMargin.left;
    rc.top += m_rcMargin.top;
    rc.right += m_rcMargin.right;
    rc.bottom += m_rcMargin.bottom;
    return rc;
}

CRect CKitControlGallery::GetEntriesArea() const
{
    CRect rc = GetRect();
    CRect rcBorders = GetBorders();
    return CRect(rc.left + rcBorders.left, rc.top + rcBorders.top, rc.right - rcBorders.right,
                 rc.bottom - rcBorders.bottom);
}

CSize CKitControlGallery::GetSize(CDC* pDC)
{
    if (IsShownAsButton())
        return CKitControlPopup::GetSize(pDC);
    return CSize(m_nWidth, m_nHeight);
}

void CKitControlGallery::SetRect(const CRect& rc)
{
    BOOL bChanged = rc != GetRect();
    CKitControlPopup::SetRect(rc);
    if (bChanged)
        OnRecalcLayout();
}

void CKitControlGallery::SetAction(CKitControlAction* pAction)
{
    CKitControlPopup::SetAction(pAction);
    OnRecalcLayout();
}

void CKitControlGallery::Copy(const CKitControl* pSource, BOOL bRecursive)
{
    CKitControlPopup::Copy(pSource, bRecursive);
    if (const auto* pGallery = dynamic_cast<const CKitControlGallery*>(pSource)) {
        m_bShowLabels = pGallery->m_bShowLabels;
        m_bShowScrollBar = pGallery->m_bShowScrollBar;
        m_bShowBorders = pGallery->m_bShowBorders;
        m_rcMargin = pGallery->m_rcMargin;
        m_bResizable = pGallery->m_bResizable;
    }
}

void CKitControlGallery::LayoutPass(BOOL bMeasure)
{
    CRect rcArea = GetEntriesArea();
    int nCount = GetEntryCount();
    m_arrRects.assign(nCount, GALLERYITEM_POSITION());
    int x = rcArea.left;
    int y = rcArea.top;
    int nRowHeight = 0;
    BOOL bFirstInRow = TRUE;
    for (int i = 0; i < nCount; i++) {
        GALLERYITEM_POSITION& pos = m_arrRects[i];
        pos.pEntry = GetEntry(i);
        if (pos.pEntry->m_bLabel) {
            if (!m_bShowLabels) {
                pos.rc.SetRectEmpty();
                continue;
            }
            y += nRowHeight;
            int nHeight = pos.pEntry->GetSize().cy;
            pos.rc = CRect(rcArea.left, y, rcArea.right, y + nHeight);
            pos.bBeginRow = TRUE;
            y += nHeight + 1;
            nRowHeight = 0;
            x = rcArea.left;
            bFirstInRow = TRUE;
        } else {
            CSize sz = pos.pEntry->GetSize();
            if (sz.cx == 0)
                sz.cx = rcArea.Width();
            if (!bFirstInRow && x + sz.cx > rcArea.right) {
                y += nRowHeight;
                x = rcArea.left;
                nRowHeight = 0;
                bFirstInRow = TRUE;
            }
            pos.bBeginRow = bFirstInRow;
            pos.rc = CRect(x, y, x + sz.cx, y + sz.cy);
            nRowHeight = std::max<int>(nRowHeight, sz.cy);
            x += sz.cx;
            bFirstInRow = FALSE;
        }
        if (bMeasure && y + nRowHeight - rcArea.top > rcArea.Height()) {
            m_nTotalHeight = y + nRowHeight - rcArea.top;
            return;
        }
    }
    m_nTotalHeight = y + nRowHeight - rcArea.top;
}

void CKitControlGallery::OnRecalcLayout()
{
    if (GetParent() == nullptr || IsShownAsButton())
        return;
    if (m_bAutoScrollBar) {
        m_bShowScrollBar = FALSE;
        LayoutPass(TRUE);
        if (m_nTotalHeight > GetEntriesArea().Height()) {
            m_bShowScrollBar = TRUE;
            LayoutPass(FALSE);
        }
    } else {
        LayoutPass(FALSE);
    }
    int nMax = std::max(0, m_nTotalHeight - GetEntriesArea().Height());
    m_nScrollPos = std::max(0, std::min(m_nScrollPos, nMax));
    SCROLLINFO si = {sizeof(si), SIF_ALL};
    GetScrollInfo(&si);
    CalcScrollBarInfo(GetScrollBarRect(), &m_spi, &si);
}

void CKitControlGallery::GetScrollInfo(SCROLLINFO* pSi)
{
    pSi->nMin = 0;
    pSi->nMax = std::max(0, m_nTotalHeight - 1);
    pSi->nPage = static_cast<UINT>(std::max(0, GetEntriesArea().Height()));
    pSi->nPos = m_nScrollPos;
}

CRect CKitControlGallery::GetScrollBarRect()
{
    if (!m_bShowScrollBar || GetParent() == nullptr)
        return CRect(0, 0, 0, 0);
    CKitGalleryPainter* pPainter = GetGalleryPaintManager();
    int nWidth = HasScrollButtons() && pPainter != nullptr ? pPainter->GetScrollButtonColumnWidth()
                                                            : ::GetSystemMetrics(SM_CXVSCROLL);
    CRect rc = GetRect();
    rc.left = rc.right - nWidth;
    if (m_bShowBorders)
        rc.DeflateRect(1, 1);
    return rc;
}

void CKitControlGallery::CalcScrollBarInfo(const CRect& rc, KIT_SCROLLBARPOSINFO* pSBInfo, const SCROLLINFO* pSi)
{
    SetVertical(TRUE);
    CKitScrollBase::CalcScrollBarInfo(rc, pSBInfo, pSi);
    CKitGalleryPainter* pPainter = GetGalleryPaintManager();
    if (!HasScrollButtons() || pPainter == nullptr)
        return;
    // Up, down and more stacked in the column.
    pSBInfo->pxUpArrow = rc.top + pPainter->GetScrollButtonHeight();
    pSBInfo->pxDownArrow = pSBInfo->pxUpArrow;
    pSBInfo->pxExtraButton = pSBInfo->pxDownArrow + pPainter->GetScrollDownButtonHeight();
    pSBInfo->pxThumbTop = pSBInfo->pxThumbBottom = pSBInfo->pxExtraButton;
}

int CKitControlGallery::ClampScrollPos(int nPos) const
{
    return std::max(0, std::min(nPos, m_nTotalHeight - GetEntriesArea().Height()));
}

void CKitControlGallery::StopAnimation()
{
    if (!IsAnimating())
        return;
    SetAnimating(FALSE);
    if (GetParent() != nullptr && GetParent()->GetSafeHwnd() != nullptr)
        ::KillTimer(GetParent()->GetSafeHwnd(), kTimerAnimation);
}

void CKitControlGallery::SetScrollPosNow(int nPos)
{
    nPos = ClampScrollPos(nPos);
    StopAnimation();
    if (nPos == m_nScrollPos)
        return;
    m_nScrollPos = nPos;
    OnRecalcLayout();
    RedrawParent(FALSE);
}

void CKitControlGallery::ScrollAnimated(int nPos)
{
    nPos = ClampScrollPos(nPos);
    if (IsAnimating() ? nPos == m_nAnimationTarget : nPos == m_nScrollPos)
        return;
    m_nAnimationTarget = nPos;
    m_dAnimationStep = (nPos - m_nScrollPos) / (m_nRepeatDelay > 200 ? 8.0 : 3.0);
    if (m_dAnimationStep > 0 && m_dAnimationStep < 1)
        m_dAnimationStep = 1;
    if (m_dAnimationStep < 0 && m_dAnimationStep > -1)
        m_dAnimationStep = -1;
    SetAnimating(TRUE);
    if (GetParent() != nullptr && GetParent()->GetSafeHwnd() != nullptr)
        ::SetTimer(GetParent()->GetSafeHwnd(), kTimerAnimation, kAnimationPeriod, nullptr);
    OnAnimationStep();
}

void CKitControlGallery::OnAnimationStep()
{
    if (!IsAnimating())
        return;
    if (std::abs(m_nAnimationTarget - m_nScrollPos) <= std::abs(m_dAnimationStep)) {
        m_nScrollPos = m_nAnimationTarget;
        StopAnimation();
    } else {
        m_nScrollPos += static_cast<int>(std::lround(m_dAnimationStep));
    }
    OnRecalcLayout();
    RedrawParent(FALSE);
    if (GetParent() != nullptr && GetParent()->GetSafeHwnd() != nullptr)
        GetParent()->UpdateWindow();
}

void CKitControlGallery::DoScroll(int nCommand, int nPos)
{
    CKitControlGalleryEntryList* pEntries = GetEntries();
    int nLine = pEntries != nullptr ? pEntries->m_cyEntry : 20;
    int nPage = GetEntriesArea().Height();
    // With scroll buttons the lines move smoothly.
    const BOOL bAnimate = HasScrollButtons();
    const int nFrom = bAnimate && IsAnimating() ? m_nAnimationTarget : m_nScrollPos;
    switch (nCommand) {
    case kitScrollLineUp:
        if (bAnimate)
            ScrollAnimated(nFrom - nLine);
        else
            SetScrollPosNow(m_nScrollPos - nLine);
        break;
    case kitScrollLineDown:
        if (bAnimate)
            ScrollAnimated(nFrom + nLine);
        else
            SetScrollPosNow(m_nScrollPos + nLine);
        break;
    case kitScrollEnd:
        if (bAnimate)
            ScrollAnimated(nFrom);
        break;
    case kitScrollPageUp:
        SetScrollPosNow(m_nScrollPos - nPage);
        break;
    case kitScrollPageDown:
        SetScrollPosNow(m_nScrollPos + nPage);
        break;
    case kitScrollThumbTrack:
        SetScrollPosNow(nPos);
        break;
    case SB_TOP:
        SetScrollPosNow(0);
        break;
    case SB_BOTTOM:
        SetScrollPosNow(m_nTotalHeight);
        break;
    default:
        break;
    }
}

BOOL CKitControlGallery::OnHookMouseWheel(short zDelta)
{
    CKitControlGalleryEntryList* pEntries = GetEntries();
    if (pEntries == nullptr || IsShownAsButton())
        return FALSE;
    int nNotches = zDelta / WHEEL_DELTA;
    SetScrollPosNow(m_nScrollPos - nNotches * kWheelLines * pEntries->m_cyEntry);
    return TRUE;
}

CRect CKitControlGallery::GetEntryRect(int nIndex) const
{
    if (nIndex < 0 || nIndex >= static_cast<int>(m_arrRects.size()))
        return CRect(0, 0, 0, 0);
    CRect rc = m_arrRects[nIndex].rc;
    rc.OffsetRect(0, -m_nScrollPos);
    CRect rcClipped;
    rcClipped.IntersectRect(rc, GetEntriesArea());
    return rcClipped;
}

int CKitControlGallery::HitTestEntry(CPoint pt, CRect* pRect) const
{
    if (!IsEnabled() || IsShownAsButton())
        return -1;
    CRect rcArea = GetEntriesArea();
    for (int i = 0; i < static_cast<int>(m_arrRects.size()); i++) {
        const GALLERYITEM_POSITION& pos = m_arrRects[i];
        if (!pos.pEntry->m_bEnabled)
            continue;
        CRect rc = pos.rc;
        rc.OffsetRect(0, -m_nScrollPos);
        if (rc.top >= rcArea.bottom)
            return -1;
        if (rc.PtInRect(pt)) {
            if (pos.pEntry->m_bLabel)
                return -1;
            if (pRect != nullptr)
                *pRect = rc;
            return i;
        }
    }
    return -1;
}

void CKitControlGallery::Draw(CDC* pDC)
{
    if (IsShownAsButton()) {
        CKitControlPopup::Draw(pDC);
        return;
    }
    CKitGalleryPainter* pPainter = GetGalleryPaintManager();
    if (pPainter == nullptr)
        return;
    if (!m_bTransparent)
        pPainter->FillGalleryControl(pDC, this);
    CRect rcArea = GetEntriesArea();
    CKitControlGalleryEntryList* pEntries = GetEntries();
    int nSaved = pDC->SaveDC();
    pDC->IntersectClipRect(rcArea);
    for (int i = 0; i < static_cast<int>(m_arrRects.size()); i++) {
        const GALLERYITEM_POSITION& pos = m_arrRects[i];
        CRect rc = pos.rc;
        rc.OffsetRect(0, -m_nScrollPos);
        if (rc.top >= rcArea.bottom)
            break;
        if (rc.bottom < rcArea.top || rc.IsRectEmpty())
            continue;
        BOOL bEnabled = pos.pEntry->m_bEnabled && IsEnabled();
        BOOL bSelected = i == m_nSelectedEntry && !m_bHideSelection;
        BOOL bPressed = bSelected && m_bPressed;
        BOOL bChecked = IsEntryChecked(pos.pEntry);
        if (!pEntries->DrawEntry(pDC, this, pos.pEntry, rc, bEnabled, bSelected, bPressed, bChecked))
            pos.pEntry->Draw(pDC, this, rc, bEnabled, bSelected, bPressed, bChecked);
    }
    pDC->RestoreDC(nSaved);
    if (!m_bShowScrollBar)
        return;
    if (HasScrollButtons())
        pPainter->DrawGalleryScrollButtons(pDC, this);
    else if (CKitScrollBarPainter* pScrollPainter = pPainter->GetGalleryScrollBarPainter())
        pScrollPainter->DrawScrollBar(pDC, this);
}

void CKitControlGallery::RedrawEntry(int nIndex)
{
    CKitControlGalleryEntryList* pEntries = GetEntries();
    CRect rc = GetEntryRect(nIndex);
    if (pEntries != nullptr && pEntries->m_bRedrawSingleEntries && !rc.IsRectEmpty() && GetParent() != nullptr &&
        GetParent()->GetSafeHwnd() != nullptr)
        GetParent()->Redraw(&rc, FALSE);
    else
        RedrawParent(FALSE);
}

void CKitControlGallery::EnsureVisible(int nIndex)
{
    if (GetParent() == nullptr || nIndex < 0 || nIndex >= static_cast<int>(m_arrRects.size()))
        return;
    CRect rcArea = GetEntriesArea();
    CRect rc = m_arrRects[nIndex].rc;
    int nTop = rc.top - m_nScrollPos;
    int nBottom = rc.bottom - m_nScrollPos;
    if (nTop < rcArea.top) {
        int nTarget = rc.top;
        if (m_bShowLabels) {
            // A label close enough above comes into view with the entry.
            for (int i = nIndex - 1; i >= 0; i--) {
                const GALLERYITEM_POSITION& pos = m_arrRects[i];
                if (rc.top - pos.rc.top > rcArea.Height() - rc.Height())
                    break;
                if (pos.pEntry->m_bLabel) {
                    nTarget = pos.rc.top;
                    break;
                }
            }
        }
        SetScrollPosNow(nTarget - rcArea.top);
    } else if (nBottom > rcArea.bottom) {
        SetScrollPosNow(rc.bottom - rcArea.bottom);
    }
}

int CKitControlGallery::SetTopEntry(int nIndex)
{
    if (nIndex < 0 || nIndex >= static_cast<int>(m_arrRects.size()))
        return -1;
    SetScrollPosNow(m_arrRects[nIndex].rc.top - GetEntriesArea().top);
    return 0;
}

void CKitControlGallery::StartPreview()
{
    if (!m_bPreview) {
        m_bPreview = TRUE;
        Notify(kitGalleryPreviewStart);
    }
    Notify(kitGalleryPreviewChange);
}

void CKitControlGallery::SetSelectedEntry(int nIndex)
{
    int nOld = m_nSelectedEntry;
    m_nSelectedEntry = nIndex;
    m_bHideSelection = FALSE;
    m_bPressed = FALSE;
    m_bDragNotified = FALSE;
    RedrawEntry(nOld);
    RedrawEntry(nIndex);
}

void CKitControlGallery::SelectEntry(int nIndex)
{
    if (nIndex < -1 || nIndex >= GetEntryCount())
        return;
    int nOld = m_nSelectedEntry;
    m_nSelectedEntry = nIndex;
    m_bHideSelection = FALSE;
    m_bPressed = FALSE;
    m_bKeyboardSelected = TRUE;
    RedrawEntry(nOld);
    EnsureVisible(nIndex);
    RedrawEntry(nIndex);
    if (nIndex != -1) {
        if (GetParent() != nullptr && GetParent()->GetSafeHwnd() != nullptr)
            NotifyWinEvent(EVENT_OBJECT_FOCUS, GetParent()->GetSafeHwnd(), OBJID_CLIENT, nIndex + 1);
        StartPreview();
    } else if (m_bPreview) {
        m_bPreview = FALSE;
        Notify(kitGalleryPreviewCancel);
    }
    Notify(kitGallerySelectionChange);
}

void CKitControlGallery::EndSelection()
{
    m_bHideSelection = TRUE;
    m_bKeyboardSelected = FALSE;
    RedrawEntry(m_nSelectedEntry);
    if (m_bPreview) {
        Notify(kitGalleryPreviewChange);
        m_bPreview = FALSE;
        Notify(kitGalleryPreviewCancel);
    }
    Notify(kitGallerySelectionChange);
}

void CKitControlGallery::OnMouseMove(CPoint pt)
{
    if (IsShownAsButton()) {
        CKitControlPopup::OnMouseMove(pt);
        return;
    }
    int nHit = HitTestEntry(pt);
    if (nHit == -1) {
        if (!m_bKeyboardSelected && pt == CPoint(-1, -1) && m_nSelectedEntry != -1 && !m_bHideSelection)
            EndSelection();
    } else if (nHit != m_nSelectedEntry || m_bHideSelection || m_bKeyboardSelected) {
        m_bKeyboardSelected = FALSE;
        SetSelectedEntry(nHit);
        if (!m_bPreview) {
            if (GetParent() != nullptr && GetParent()->GetSafeHwnd() != nullptr)
                ::SetTimer(GetParent()->GetSafeHwnd(), CKitCommandBar::kTimerHover, kHoverDelay, nullptr);
        } else {
            Notify(kitGalleryPreviewChange);
        }
        Notify(kitGallerySelectionChange);
    }
    if (m_bPressed && !m_bDragNotified && m_nSelectedEntry != -1 &&
        (std::abs(pt.x - m_ptPressed.x) > 4 || std::abs(pt.y - m_ptPressed.y) > 4)) {
        m_bDragNotified = TRUE;
        Notify(kitGalleryBeginDrag);
    }
    int nPart = HitTestScrollBar(pt);
    if (nPart != m_spi.nHitPart) {
        m_spi.nHitPart = nPart;
        RedrawParent(FALSE);
    }
}

void CKitControlGallery::OnMouseHover()
{
    if (IsShownAsButton()) {
        CKitControlPopup::OnMouseHover();
        return;
    }
    if (!m_bHideSelection && m_nSelectedEntry != -1 && !m_bPreview && IsBarSelected())
        StartPreview();
}

void CKitControlGallery::OnClick(BOOL bKeyboard, CPoint pt)
{
    if (IsShownAsButton() || bKeyboard) {
        CKitControlPopup::OnClick(bKeyboard, pt);
        return;
    }
    CKitCommandBar* pBar = GetParent();
    if (pBar != nullptr && pBar->IsCustomizeMode()) {
        pBar->ClearSelection();
        if (IsCustomizeMovable())
            OnCustomizeDragStart(pt);
        return;
    }
    if (!IsEnabled())
        return;
    if (pBar != nullptr && GetIndex() >= 0)
        pBar->SetSelected(GetIndex(), kitSelectMouse);
    OnMouseMove(pt);
    int nPart = m_spi.nHitPart;
    if (nPart == kitScrollHitExtra) {
        if (pBar != nullptr)
            pBar->OpenPopupAt(GetIndex());
    } else if (nPart != kitScrollHitNone) {
        if (pBar != nullptr && pBar->GetSafeHwnd() != nullptr)
            PerformTrackInit(pBar->GetSafeHwnd(), pt, ::GetKeyState(VK_SHIFT) < 0);
    } else if (m_nSelectedEntry != -1 && !m_bKeyboardSelected) {
        m_bPressed = TRUE;
        m_ptPressed = pt;
        RedrawEntry(m_nSelectedEntry);
    }
}

void CKitControlGallery::OnLButtonUp(CPoint pt)
{
    if (IsShownAsButton()) {
        CKitControlPopup::OnLButtonUp(pt);
        return;
    }
    if (!m_bPressed) {
        if (GetParent() == nullptr || GetParent()->GetPosition() != kitBarPopup || m_bHideSelection ||
            m_nSelectedEntry == -1)
            return;
    }
    m_bPressed = FALSE;
    RedrawEntry(m_nSelectedEntry);
    OnExecute();
}

void CKitControlGallery::OnExecute()
{
    if (m_bPreview) {
        Notify(kitGalleryPreviewApply);
        m_bPreview = FALSE;
    }
    CKitControlGalleryEntry* pEntry = GetEntry(m_nSelectedEntry);
    if (pEntry != nullptr && pEntry->OnClick())
        return;
    CKitControl::OnExecute();
}

BOOL CKitControlGallery::SetPopup(BOOL bPopup)
{
    if (!bPopup && m_bPreview) {
        m_bPreview = FALSE;
        Notify(kitGalleryPreviewCancel);
    }
    return CKitControlPopup::SetPopup(bPopup);
}

void CKitControlGallery::OnEntriesReset()
{
    m_nSelectedEntry = -1;
    m_nScrollPos = 0;
    OnRecalcLayout();
    RedrawParent(FALSE);
    if (m_bPreview) {
        m_bPreview = FALSE;
        Notify(kitGalleryPreviewCancel);
    }
}

BOOL CKitControlGallery::OnSetSelected(int nSelected)
{
    BOOL bResult = CKitControlPopup::OnSetSelected(nSelected);
    if (IsShownAsButton())
        return bResult;
    if (nSelected == kitSelectedNone) {
        m_bPressed = FALSE;
        m_spi.nHitPart = kitScrollHitNone;
        if (m_nSelectedEntry != -1 && !m_bHideSelection)
            EndSelection();
    } else if ((nSelected == kitSelectedKeyboard || nSelected == kitSelectedKeyboardBack) &&
               (m_bHideSelection || m_nSelectedEntry == -1)) {
        if (HasScrollButtons())
            SelectEntry(-1);
        else
            SelectEntry(GetNextSelectable(-1, nSelected == kitSelectedKeyboard ? 1 : -1));
    }
    return bResult;
}

int CKitControlGallery::GetNextSelectable(int nStart, int nDirection) const
{
    int nCount = GetEntryCount();
    if (nCount == 0)
        return -1;
    int nIndex = nStart == -1 ? (nDirection > 0 ? 0 : nCount - 1) : nStart + nDirection;
    int nWraps = 0;
    for (int nSteps = 0; nSteps <= nCount + 1; nSteps++) {
        if (nIndex < 0 || nIndex >= nCount) {
            if (nStart == -1 || ++nWraps > 1)
                return -1;
            nIndex = nIndex < 0 ? nCount - 1 : 0;
        }
        if (nIndex == nStart)
            return nStart;
        CKitControlGalleryEntry* pEntry = GetEntry(nIndex);
        if (!pEntry->m_bLabel)
            return nIndex;
        nIndex += nDirection;
    }
    return -1;
}

int CKitControlGallery::MoveInRow(int nDirection) const
{
    CKitControlGalleryEntryList* pEntries = GetEntries();
    if (GetEntriesArea().Width() < 2 * pEntries->m_cxEntry || pEntries->m_cxEntry == 0)
        return GetNextSelectable(m_nSelectedEntry, nDirection);
    int nCurrent = m_nSelectedEntry;
    if (nCurrent < 0 || nCurrent >= static_cast<int>(m_arrRects.size()))
        return GetNextSelectable(-1, nDirection);
    // The row's first and last entries.
    int nFirst = nCurrent;
    while (nFirst > 0 && !m_arrRects[nFirst].bBeginRow)
        nFirst--;
    int nLast = nCurrent;
    while (nLast + 1 < static_cast<int>(m_arrRects.size()) && !m_arrRects[nLast + 1].bBeginRow)
        nLast++;
    if (nDirection < 0) {
        for (int i = nCurrent - 1; i >= nFirst; i--)
            if (!m_arrRects[i].rc.IsRectEmpty())
                return i;
        for (int i = nLast; i > nCurrent; i--)
            if (!m_arrRects[i].rc.IsRectEmpty())
                return i;
    } else {
        for (int i = nCurrent + 1; i <= nLast; i++)
            if (!m_arrRects[i].rc.IsRectEmpty())
                return i;
        for (int i = nFirst; i < nCurrent; i++)
            if (!m_arrRects[i].rc.IsRectEmpty())
                return i;
    }
    return nCurrent;
}

int CKitControlGallery::MoveInColumn(int nDirection) const
{
    if (m_nSelectedEntry == -1)
        return GetNextSelectable(-1, nDirection);
    int nLeft = m_arrRects[m_nSelectedEntry].rc.left;
    for (int i = m_nSelectedEntry + nDirection; i >= 0 && i < static_cast<int>(m_arrRects.size()); i += nDirection)
        if (!m_arrRects[i].pEntry->m_bLabel && m_arrRects[i].rc.left == nLeft && !m_arrRects[i].rc.IsRectEmpty())
            return i;
    return -1;
}

int CKitControlGallery::MoveByPage(int nDirection) const
{
    int nCurrent = m_nSelectedEntry != -1 ? m_nSelectedEntry : GetNextSelectable(-1, nDirection);
    if (nCurrent < 0 || nCurrent >= static_cast<int>(m_arrRects.size()))
        return nCurrent;
    const int nPage = GetEntriesArea().Height();
    const CRect& rcCurrent = m_arrRects[nCurrent].rc;
    int nResult = nCurrent;
    for (int i = nCurrent + nDirection; i >= 0 && i < static_cast<int>(m_arrRects.size()); i += nDirection) {
        const GALLERYITEM_POSITION& pos = m_arrRects[i];
        int nDistance = nDirection < 0 ? rcCurrent.top - pos.rc.top : pos.rc.bottom - rcCurrent.bottom;
        if (nDistance >= nPage)
            break;
        if (!pos.pEntry->m_bLabel && !pos.rc.IsRectEmpty())
            nResult = i;
    }
    return nResult;
}

CString CKitControlGallery::GetEntryText(int nIndex) const
{
    CKitControlGalleryEntry* pEntry = GetEntry(nIndex);
    return pEntry != nullptr ? pEntry->m_strCaption : CString();
}

int CKitControlGallery::FindEntryByText(int nStart, LPCSTR lpszText, BOOL bExact) const
{
    const int nCount = GetEntryCount();
    const int nLength = lpszText != nullptr ? lstrlenA(lpszText) : 0;
    if (nCount == 0 || nLength == 0)
        return -1;
    const int nFirst = nStart + 1 >= 0 && nStart + 1 < nCount ? nStart + 1 : 0;
    int i = nFirst;
    do {
        const CString& strCaption = GetEntry(i)->m_strCaption;
        if (bExact ? strCaption.CompareNoCase(lpszText) == 0
                   : nLength <= strCaption.GetLength() &&
                         ::CompareStringA(LOCALE_SYSTEM_DEFAULT, NORM_IGNORECASE, strCaption, nLength, lpszText,
                                          nLength) == CSTR_EQUAL)
            return i;
        i = (i + 1) % nCount;
    } while (i != nFirst);
    return -1;
}

BOOL CKitControlGallery::OnHookKeyDown(UINT nChar, LPARAM lParam)
{
    if (IsShownAsButton() || !IsBarSelected() || GetEntries() == nullptr)
        return CKitControlPopup::OnHookKeyDown(nChar, lParam);
    if (m_nSelectedEntry == -1 && HasScrollButtons()) {
        if (nChar == VK_RETURN || nChar == VK_SPACE) {
            GetParent()->OpenPopupAt(GetIndex());
            return TRUE;
        }
        return FALSE;
    }
    int nNew;
    switch (nChar) {
    case VK_TAB: {
        int nDirection = ::GetKeyState(VK_SHIFT) < 0 ? -1 : 1;
        nNew = GetNextSelectable(m_nSelectedEntry, nDirection);
        if (nNew == -1 || (nDirection > 0 ? nNew <= m_nSelectedEntry : nNew >= m_nSelectedEntry))
            return FALSE;
        break;
    }
    case VK_RETURN:
    case VK_SPACE:
        OnExecute();
        return FALSE;
    case VK_PRIOR:
    case VK_NEXT:
        nNew = MoveByPage(nChar == VK_PRIOR ? -1 : 1);
        break;
    case VK_HOME:
        nNew = GetNextSelectable(-1, 1);
        break;
    case VK_END:
        nNew = GetNextSelectable(-1, -1);
        break;
    case VK_LEFT:
    case VK_RIGHT: {
        int nDirection = nChar == VK_LEFT ? -1 : 1;
        if (GetParent()->GetExStyle() & WS_EX_LAYOUTRTL)
            nDirection = -nDirection;
        nNew = MoveInRow(nDirection);
        break;
    }
    case VK_UP:
    case VK_DOWN: {
        int nDirection = nChar == VK_UP ? -1 : 1;
        nNew = MoveInColumn(nDirection);
        if (nNew == -1) {
            CKitControls* pControls = GetParent()->GetControls();
            int nOther = pControls != nullptr ? pControls->GetNext(GetIndex(), nDirection) : -1;
            if (nOther != -1 && nOther != GetIndex())
                return FALSE;
            nNew = GetNextSelectable(-1, nDirection);
        }
        break;
    }
    default:
        return FALSE;
    }
    SelectEntry(nNew);
    return TRUE;
}

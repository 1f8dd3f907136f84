// Ribbon groups: their controls and their place on a tab.
#include "toolkit/themes/ribbon/ribbon_group.h"

#include "framework/gdi.h"
#include "toolkit/commandbars/command_bar.h"
#include "toolkit/commandbars/command_bar_manager.h"
#include "toolkit/commandbars/control.h"
#include "toolkit/commandbars/control_action.h"
#include "toolkit/commandbars/control_combo.h"
#include "toolkit/commandbars/control_edit.h"
#include "toolkit/commandbars/control_gallery.h"
#include "toolkit/commandbars/controls.h"
#include "toolkit/commandbars/popup_bar.h"
#include "toolkit/common/image_manager.h"
#include "toolkit/themes/paint/paint_manager.h"
#include "toolkit/themes/ribbon/ribbon_bar.h"
#include "toolkit/themes/ribbon/ribbon_paint_manager.h"
#include "toolkit/themes/ribbon/ribbon_scrollable_bar.h"
#include "toolkit/themes/ribbon/ribbon_tab.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CKitRibbonGroup, CCmdTarget)
IMPLEMENT_DYNAMIC(CKitRibbonGroups, CCmdTarget)
IMPLEMENT_DYNCREATE(CKitRibbonGroupOption, CKitControlButton)
IMPLEMENT_DYNCREATE(CKitRibbonGroupControlPopup, CKitControlPopup)

namespace {
// Gap between two groups besides the painter's group spacing, and the reduction levels there are.
constexpr int kGroupGap = 5;
constexpr int kLastReduceLevel = 3;

// The ribbon painter of the control's bar.
CKitRibbonPaintManager* RibbonPainterOf(const CKitControl* pControl)
{
    CKitRibbonGroup* pGroup = pControl->GetRibbonGroup();
    return pGroup != nullptr ? pGroup->GetRibbonPaintManager() : nullptr;
}
// Bounds a reduction loop whose groups keep reporting success.
constexpr int kMaxReduceSteps = 10000;
} // namespace

// One visible control of the group during a layout pass.
struct CKitRibbonGroup::LayoutItem {
    CRect rc;
    CRect rcRow;
    CSize sz;
    bool bHidden = false;
    bool bWrap = false;
    bool bBeginGroup = false;
    bool bMayBreak = false;
    int nStyle = 0;
    CKitControl* pControl = nullptr;
    // Grouped layout: the widths from this item up to the next one that may break.
    int nBlockWidth = 0;
};

// Exists from OnBeforeCalcSize to OnAfterCalcSize of one pass.
struct CKitRibbonGroup::Layout {
    std::vector<LayoutItem> items;
    int nMinimumWidth = 0;
    int nControlsWidth = 0;
    bool bWasReduced = false;
};

CKitRibbonGroupOption::CKitRibbonGroupOption()
{
    SetFlags(CKitRibbonBar::kFlagNotForQuickAccess);
}

CSize CKitRibbonGroupOption::GetSize(CDC* pDC)
{
    CKitRibbonPaintManager* pPainter = RibbonPainterOf(this);
    return pPainter != nullptr ? pPainter->DrawControlGroupOption(pDC, this, FALSE) : CKitControlButton::GetSize(pDC);
}

void CKitRibbonGroupOption::Draw(CDC* pDC)
{
    if (CKitRibbonPaintManager* pPainter = RibbonPainterOf(this))
        pPainter->DrawControlGroupOption(pDC, this, TRUE);
    else
        CKitControlButton::Draw(pDC);
}

CKitRibbonGroupControlPopup::CKitRibbonGroupControlPopup()
{
    SetType(kitControlButtonPopup);
    SetFlags(CKitRibbonBar::kFlagsPopupButton);
    SetDefaultStyle(kitButtonIconAndCaptionBelow);
    // Opening replaces it with the group's popup; until then it makes the button a popup control.
    SetCommandBar(new CKitPopupToolBar);
}

BOOL CKitRibbonGroupControlPopup::IsVisible(DWORD dwSkipHideFlags) const
{
    CKitRibbonGroup* pGroup = GetRibbonGroup();
    return CKitControlPopup::IsVisible(dwSkipHideFlags) && (pGroup == nullptr || pGroup->IsVisible());
}

CSize CKitRibbonGroupControlPopup::GetSize(CDC* pDC)
{
    CKitRibbonPaintManager* pPainter = RibbonPainterOf(this);
    return pPainter != nullptr ? pPainter->DrawControlGroupPopup(pDC, this, FALSE) : CKitControlPopup::GetSize(pDC);
}

void CKitRibbonGroupControlPopup::Draw(CDC* pDC)
{
    if (CKitRibbonPaintManager* pPainter = RibbonPainterOf(this))
        pPainter->DrawControlGroupPopup(pDC, this, TRUE);
    else
        CKitControlPopup::Draw(pDC);
}

CKitRibbonGroup::CKitRibbonGroup()
    : m_pOptionButton(new CKitRibbonGroupOption), m_pPopupButton(new CKitRibbonGroupControlPopup)
{
    m_pOptionButton->SetRibbonGroup(this);
    m_pPopupButton->SetRibbonGroup(this);
}

CKitRibbonGroup::~CKitRibbonGroup()
{
    delete m_pLayout;
    // The bar may be gone by now: only the group's own references are dropped.
    for (CKitControl* pControl : m_arrControls) {
        pControl->SetRibbonGroup(nullptr);
        pControl->InternalRelease();
    }
    m_pOptionButton->SetRibbonGroup(nullptr);
    m_pOptionButton->InternalRelease();
    m_pPopupButton->SetRibbonGroup(nullptr);
    m_pPopupButton->InternalRelease();
}

void CKitRibbonGroup::SetRect(const CRect& rc)
{
    m_rcGroup = rc;
    m_pPopupButton->SetHidden(CKitRibbonBar::kHideByLayout, !m_bReduced);
    if (m_bReduced) {
        m_pPopupButton->SetRect(rc);
        m_pPopupButton->SetWrap(TRUE);
    }
    DWORD dwOptionHide = m_pOptionButton->GetHideFlags();
    if (!m_bShowOptionButton) {
        m_pOptionButton->SetHideFlags(dwOptionHide | kitHideUser);
    } else if (m_bReduced) {
        m_pOptionButton->SetHideFlags(dwOptionHide | CKitRibbonBar::kHideByLayout);
    } else {
        const int nCaptionHeight = GetLayoutMetrics().nCaptionHeight;
        m_pOptionButton->SetWrap(TRUE);
        m_pOptionButton->SetHideFlags(dwOptionHide & ~(kitHideUser | CKitRibbonBar::kHideByLayout));
        m_pOptionButton->SetRect(
            CRect(rc.right - nCaptionHeight - 1, rc.bottom - nCaptionHeight, rc.right - 3, rc.bottom - 3));
    }
}

BOOL KitRibbonRedrawRequest(CKitRibbonBar* pRibbonBar, UINT nID, int nCode)
{
    if (nID != kitRedrawCommandId || nCode != kitRedrawCommandCode)
        return FALSE;
    if (pRibbonBar != nullptr && pRibbonBar->GetSafeHwnd() != nullptr)
        pRibbonBar->Redraw();
    return TRUE;
}

BOOL CKitRibbonGroup::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    return KitRibbonRedrawRequest(m_pRibbonBar, nID, nCode) ||
           CCmdTarget::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void CKitRibbonGroup::OnGroupAdded()
{
    if (m_pParent == nullptr)
        return;
    const BOOL bHidden = !IsVisible();
    for (CKitControl* pButton : {static_cast<CKitControl*>(m_pOptionButton), static_cast<CKitControl*>(m_pPopupButton)}) {
        pButton->InternalAddRef();
        m_pParent->GetControls()->InsertAt(pButton, -1);
        pButton->SetHidden(CKitRibbonBar::kHideTabNotSelected, bHidden);
    }
    m_pOptionButton->SetId(static_cast<UINT>(m_nId));
    m_pPopupButton->SetCaption(m_strCaption);
    // Both buttons stand for the action of the group's id where the manager keeps actions.
    CKitCommandBarManager* pCommandBars = m_pParent->GetCommandBars();
    CKitControlActions* pActions = pCommandBars != nullptr ? pCommandBars->GetActions() : nullptr;
    CKitControlAction* pAction = pActions != nullptr ? pActions->CreateAction(static_cast<UINT>(m_nId)) : nullptr;
    if (pAction == nullptr)
        return;
    if (pAction->GetCaption().IsEmpty())
        pAction->SetCaption(m_strCaption);
    m_pOptionButton->SetAction(pAction);
    m_pPopupButton->SetAction(pAction);
}

void CKitRibbonGroup::OnGroupRemoved()
{
    RemoveAll();
    if (m_pParent == nullptr)
        return;
    m_pParent->GetControls()->Remove(m_pPopupButton);
    m_pParent->GetControls()->Remove(m_pOptionButton);
}

BOOL CKitRibbonGroup::IsVisible() const
{
    if (m_pParent != static_cast<CKitCommandBar*>(m_pRibbonBar) || m_pRibbonBar == nullptr)
        return m_bVisible;
    CKitRibbonTab* pTab = GetRibbonTab();
    return m_bVisible && pTab != nullptr && pTab == m_pRibbonBar->GetSelectedTab();
}

CRect CKitRibbonGroup::GetCaptionRect() const
{
    CRect rc = m_rcGroup;
    rc.top = rc.bottom - GetLayoutMetrics().nCaptionHeight;
    return rc;
}

CKitRibbonPaintManager* CKitRibbonGroup::GetRibbonPaintManager() const
{
    return m_pRibbonBar != nullptr ? m_pRibbonBar->GetRibbonPaintManager()
                                   : CKitPaintManager::Instance()->GetRibbonPaintManager();
}

KitRibbonGroupMetrics CKitRibbonGroup::GetLayoutMetrics() const
{
    CKitRibbonPaintManager* pPainter = GetRibbonPaintManager();
    KitRibbonGroupMetrics metrics;
    metrics.nCaptionHeight = pPainter->GetGroupCaptionHeight();
    metrics.nControlHeight = std::max(pPainter->GetControlHeight(), CKitPaintManager::kMinControlHeight);
    metrics.nGroupSpacing = pPainter->GetGroupSpacing();
    metrics.nAreaHeight = m_pRibbonBar != nullptr ? m_pRibbonBar->GetGroupsAreaHeight()
                                                  : 3 * metrics.nControlHeight + metrics.nCaptionHeight + 10;
    metrics.nButtonHeight = m_pRibbonBar != nullptr ? m_pRibbonBar->GetButtonSize().cy : metrics.nControlHeight;
    return metrics;
}

CSize CKitRibbonGroup::MeasureControl(CDC* pDC, CKitControl* pControl)
{
    return pControl->GetSize(pDC);
}

int CKitRibbonGroup::MeasurePopupButton(CDC* pDC)
{
    return MeasureControl(pDC, m_pPopupButton).cx;
}

BOOL CKitRibbonGroup::HasLargeIcon(CKitControl* pControl) const
{
    const int nIconId = static_cast<int>(pControl->GetIconId());
    if (nIconId <= 0)
        return FALSE;
    const CSize szLarge = m_pRibbonBar != nullptr ? m_pRibbonBar->GetLargeIconSize() : CSize(32, 32);
    // Exactly that width: a small picture alone leaves the control small.
    return pControl->GetImageManager()->IsImageDefined(static_cast<UINT>(nIconId), szLarge.cx);
}

int CKitRibbonGroup::GetMinimumWidth(CDC* pDC)
{
    int nWidth = 0;
    if (pDC != nullptr) {
        ScopedSelect font(*pDC, GetRibbonPaintManager()->GetRibbonFont()->GetSafeHandle());
        nWidth = pDC->GetTextExtent(m_strCaption).cx;
    }
    if (m_bShowOptionButton)
        nWidth += GetLayoutMetrics().nCaptionHeight;
    return nWidth;
}

void CKitRibbonGroup::OnBeforeCalcSize(CDC* pDC)
{
    delete m_pLayout;
    m_pLayout = new Layout;
    m_pLayout->nMinimumWidth = GetMinimumWidth(pDC);
    m_pLayout->bWasReduced = m_bReduced != FALSE;
    for (CKitControl* pControl : m_arrControls) {
        if (!pControl->IsVisible(CKitRibbonBar::kHideByLayout))
            continue;
        pControl->SetDefaultStyle(0);
        if (!m_bControlsGrouping && pControl->GetStyle() == kitButtonAutomatic &&
            pControl->GetType() != kitControlGallery)
            pControl->SetDefaultStyle(HasLargeIcon(pControl) ? kitButtonIconAndCaptionBelow : kitButtonIconAndCaption);
        LayoutItem item;
        item.pControl = pControl;
        item.sz = MeasureControl(pDC, pControl);
        item.rc = pControl->GetRect();
        item.bBeginGroup = pControl->GetBeginGroup() != FALSE;
        item.bMayBreak = item.bBeginGroup || (pControl->GetFlags() & kitFlagWrapRow) != 0;
        item.nStyle = pControl->GetStyle();
        m_pLayout->items.push_back(item);
    }
    m_bReduced = FALSE;
    m_nGroupedRowLimit = 2;
}

int CKitRibbonGroup::CalcSize(CDC* pDC)
{
    if (m_pLayout == nullptr)
        return 0;
    if (m_bReduced) {
        m_pLayout->nControlsWidth = MeasurePopupButton(pDC) - 5;
        return m_pLayout->nControlsWidth;
    }
    if (m_bControlsGrouping)
        return CalcGroupedSize();
    const KitRibbonGroupMetrics metrics = GetLayoutMetrics();
    const int nHeight = metrics.nAreaHeight - 9 - metrics.nCaptionHeight;
    int x = 2;
    int nColumnWidth = 0;
    int y = 0;
    int nRight = 0;
    std::vector<LayoutItem>& items = m_pLayout->items;
    for (size_t i = 0; i < items.size(); ++i) {
        LayoutItem& item = items[i];
        if (item.pControl->GetStyle() != item.nStyle) {
            item.sz = MeasureControl(pDC, item.pControl);
            item.nStyle = item.pControl->GetStyle();
        }
        const bool bLarge = item.nStyle == kitButtonIconAndCaptionBelow;
        if (item.bBeginGroup && i > 0)
            x += 6;
        if (i == 0 || item.bMayBreak || bLarge || y + item.sz.cy > nHeight) {
            x += nColumnWidth;
            item.rc = CRect(CPoint(x, 0), item.sz);
            nColumnWidth = item.sz.cx;
        } else {
            item.rc = CRect(CPoint(x, y), item.sz);
            nColumnWidth = std::max(nColumnWidth, static_cast<int>(item.sz.cx));
        }
        y = item.rc.bottom;
        nRight = std::max(nRight, x + static_cast<int>(item.sz.cx));
    }
    m_pLayout->nControlsWidth = nRight + 2;
    return std::max(m_pLayout->nMinimumWidth, m_pLayout->nControlsWidth);
}

int CKitRibbonGroup::WrapControls(int nLimit, bool bEveryFit)
{
    std::vector<LayoutItem>& items = m_pLayout->items;
    for (LayoutItem& item : items)
        item.bWrap = false;
    int x = 0;
    int nBreaks = 0;
    for (size_t i = 0; i < items.size(); ++i) {
        LayoutItem& item = items[i];
        const int nSeparator = item.bBeginGroup && i > 0 ? 3 : 0;
        if (i > 0 && item.bMayBreak) {
            const bool bFits = x + item.nBlockWidth < nLimit;
            const bool bBreak = (item.pControl->GetFlags() & kitFlagWrapRow) != 0 ||
                                (bEveryFit ? !bFits : nBreaks == 0 && !bFits);
            if (bBreak) {
                item.bWrap = true;
                x = item.sz.cx;
                ++nBreaks;
                continue;
            }
        }
        x += item.sz.cx + nSeparator;
    }
    return nBreaks;
}

int CKitRibbonGroup::FlowLayout()
{
    std::vector<LayoutItem>& items = m_pLayout->items;
    int x = 0;
    int y = 0;
    int nTallest = 0;
    int nWidest = 0;
    for (size_t i = 0; i < items.size(); ++i) {
        LayoutItem& item = items[i];
        if (item.bWrap) {
            x = 0;
            y += nTallest;
        } else if (item.bBeginGroup && i > 0) {
            x += 3;
        }
        item.rc = CRect(CPoint(x + 2, y), item.sz);
        x += item.sz.cx;
        nWidest = std::max(nWidest, x);
        nTallest = std::max(nTallest, static_cast<int>(item.sz.cy));
    }
    return nWidest + 4;
}

bool CKitRibbonGroup::BalanceThreeRows()
{
    const int nWidth = FlowLayout();
    const int nBreaks = WrapControls(0, true);
    if (nBreaks < 2)
        return false;
    if (nBreaks == 2)
        return true;
    int nLow = 0;
    int nHigh = nWidth;
    while (nHigh > nLow) {
        const int nMiddle = (nLow + nHigh) / 2;
        if (WrapControls(nMiddle, true) > 2) {
            if (nLow == nMiddle) {
                WrapControls(nHigh, true);
                break;
            }
            nLow = nMiddle;
        } else {
            nHigh = nMiddle;
        }
    }
    return true;
}

int CKitRibbonGroup::CalcGroupedSize()
{
    const KitRibbonGroupMetrics metrics = GetLayoutMetrics();
    const int nHeight = metrics.nAreaHeight - 9 - metrics.nCaptionHeight;
    std::vector<LayoutItem>& items = m_pLayout->items;
    int nBlock = 0;
    for (int i = static_cast<int>(items.size()) - 1; i >= 0; --i) {
        nBlock += items[i].sz.cx;
        items[i].nBlockWidth = nBlock;
        if (items[i].bMayBreak)
            nBlock = 0;
    }
    const int nRowHeight = std::max(metrics.nControlHeight, CKitPaintManager::kMinControlHeight);
    int nRows = 1 + WrapControls(32000, false);
    if (nRows == 1) {
        nRows = 3;
        const int nOneRow = FlowLayout();
        if (nHeight < 2 * nRowHeight) {
            WrapControls(32000, false);
            nRows = 1;
        } else if (nHeight < 3 * nRowHeight || m_nGroupedRowLimit != 3 || !BalanceThreeRows()) {
            nRows = 1 + WrapControls(nOneRow / 2, false);
        }
    }
    const int nWidth = FlowLayout();
    // Spread the spare height evenly above, between and below the rows.
    const int nSpare = nHeight - nRows * nRowHeight;
    int nOffset = (nSpare + 1) / (nRows + 1);
    for (size_t i = 0; i < items.size(); ++i) {
        if (i > 0 && items[i].bWrap && nRows > 0) {
            nOffset += (nSpare - nOffset) / nRows;
            --nRows;
        }
        items[i].rc.OffsetRect(0, nOffset);
    }
    m_pLayout->nControlsWidth = nWidth;
    return std::max(m_pLayout->nMinimumWidth, nWidth);
}

// Collects, from item nStart leftwards, the rows items that one column of stacked buttons takes at the level;
// nStop is the index at which the collection stopped.
int CKitRibbonGroup::CollectColumn(int nStart, int nRows, int nLevel, int& nStop) const
{
    const std::vector<LayoutItem>& items = m_pLayout->items;
    int nCount = 0;
    bool bHasLarge = false;
    int k = nStart;
    for (; k >= 0 && nCount < nRows; --k) {
        const LayoutItem& item = items[k];
        const int nDefault = item.pControl->GetDefaultStyle();
        if (item.pControl->GetType() == kitControlGallery)
            break;
        if (item.bMayBreak && nCount != nRows - 1)
            break;
        if (nLevel == 0 && nDefault != kitButtonIconAndCaptionBelow)
            break;
        if (nLevel == 2 && (nDefault != kitButtonIconAndCaption ||
                            (nCount > 0 && item.rc.left != items[k + 1].rc.left)))
            break;
        bHasLarge = bHasLarge || nDefault == kitButtonIconAndCaptionBelow;
        ++nCount;
    }
    nStop = k;
    if (nCount < nRows || (nLevel == 1 && !bHasLarge))
        return -1;
    return k + 1;
}

BOOL CKitRibbonGroup::OnReduceSize(int nLevel, int nExcess)
{
    if (m_pLayout == nullptr)
        return FALSE;
    const KitRibbonGroupMetrics metrics = GetLayoutMetrics();
    const int nRows = metrics.nButtonHeight > 0
                          ? (metrics.nAreaHeight - 2 - metrics.nCaptionHeight) / metrics.nButtonHeight
                          : 0;
    std::vector<LayoutItem>& items = m_pLayout->items;
    const int nItems = static_cast<int>(items.size());

    // A caption wider than the controls gives way only at level 2, down to the controls' width.
    if (m_pLayout->nMinimumWidth > m_pLayout->nControlsWidth) {
        if (nLevel != 2 || m_pLayout->nControlsWidth <= 16)
            return FALSE;
        m_pLayout->nMinimumWidth = std::max(m_pLayout->nMinimumWidth - nExcess, m_pLayout->nControlsWidth);
        return TRUE;
    }

    if (nLevel <= 2 && nLevel >= m_nAllowReduceLevels)
        return FALSE;
    if (nLevel == 1 && m_bControlsGrouping) {
        if (m_nGroupedRowLimit != 2)
            return FALSE;
        m_nGroupedRowLimit = 3;
        return TRUE;
    }
    if (nLevel <= 2 && !m_bControlsGrouping) {
        const int nNewStyle = nLevel == 2 ? kitButtonIcon : kitButtonIconAndCaption;
        if (nRows > 1 && nItems >= 3) {
            int s = nItems - 1;
            while (s >= 2) {
                if (items[s].bMayBreak) {
                    --s;
                    continue;
                }
                int nStop = s;
                const int nFirst = CollectColumn(s, nRows, nLevel, nStop);
                if (nFirst >= 0 && (nLevel != 2 || nRows < GetCount())) {
                    for (int k = nFirst; k <= s; ++k)
                        items[k].pControl->SetDefaultStyle(nNewStyle);
                    return TRUE;
                }
                s = nLevel == 1 ? std::min(s - 1, nStop) : s - 1;
            }
        }
        if (nLevel == 2) {
            // The last gallery not yet shown as a button becomes one.
            for (int k = nItems - 1; k >= 0; --k) {
                CKitControl* pControl = items[k].pControl;
                if (pControl->GetType() == kitControlGallery &&
                    pControl->GetDefaultStyle() != kitButtonIconAndCaptionBelow) {
                    pControl->SetDefaultStyle(kitButtonIconAndCaptionBelow);
                    return TRUE;
                }
            }
        }
        return FALSE;
    }
    if (nLevel == kLastReduceLevel && nItems > 1 && !m_bReduced && m_nAllowReduceLevels > kLastReduceLevel) {
        m_bReduced = TRUE;
        for (LayoutItem& item : items)
            item.bHidden = true;
        return TRUE;
    }
    return FALSE;
}

BOOL CKitRibbonGroup::OnExtendSize(int nExtra)
{
    if (m_pLayout == nullptr)
        return FALSE;
    // The last resizable gallery shown as a gallery decides: it grows by whole entries up to all of them in a row.
    std::vector<LayoutItem>& items = m_pLayout->items;
    for (auto it = items.rbegin(); it != items.rend(); ++it) {
        auto* pGallery = dynamic_cast<CKitControlGallery*>(it->pControl);
        if (pGallery == nullptr || pGallery->IsShownAsButton() || !pGallery->m_bResizable)
            continue;
        CKitControlGalleryEntryList* pEntries = pGallery->GetEntries();
        const int nEntryWidth = pEntries != nullptr ? pEntries->m_cxEntry : 0;
        if (nEntryWidth <= 0 || nEntryWidth > nExtra)
            return FALSE;
        const CRect rcBorders = pGallery->GetBorders();
        const int nMaximum = nEntryWidth * pGallery->GetEntryCount() + rcBorders.left + rcBorders.right;
        if (it->sz.cx + nEntryWidth > nMaximum)
            return FALSE;
        it->sz.cx = std::min(static_cast<int>(it->sz.cx) + (nExtra / nEntryWidth) * nEntryWidth, nMaximum);
        return TRUE;
    }
    return FALSE;
}

void CKitRibbonGroup::CenterColumn(int nFirst, int nLast, int nHeight)
{
    std::vector<LayoutItem>& items = m_pLayout->items;
    int nUsed = 0;
    for (int k = nFirst; k <= nLast; ++k) {
        if (!items[k].bHidden)
            nUsed += items[k].rc.Height();
    }
    if (nUsed >= nHeight)
        return;
    const int nGap = (nHeight - nUsed) / (nLast - nFirst + 2);
    for (int k = nFirst; k <= nLast; ++k)
        items[k].rc.OffsetRect(0, (k - nFirst + 1) * nGap);
}

void CKitRibbonGroup::ArrangeControls(int nWidth, const CRect& rcMargins)
{
    if (m_pLayout == nullptr)
        return;
    const KitRibbonGroupMetrics metrics = GetLayoutMetrics();
    const int nGroupHeight = metrics.nAreaHeight - 7;
    const bool bCentering = m_bControlsCentering && !m_bControlsGrouping;
    int nOffset = 2;
    if (bCentering && m_pLayout->nControlsWidth < m_pLayout->nMinimumWidth && nWidth == m_pLayout->nMinimumWidth)
        nOffset = (m_pLayout->nMinimumWidth - m_pLayout->nControlsWidth) / 2 + 2;
    const CRect rcRow(rcMargins.left, rcMargins.top, rcMargins.left + nWidth,
                      rcMargins.top + nGroupHeight - metrics.nCaptionHeight);
    const int nColumnHeight = nGroupHeight - metrics.nCaptionHeight - 3;
    std::vector<LayoutItem>& items = m_pLayout->items;
    int nColumnStart = -1;
    for (int k = 0; k < static_cast<int>(items.size()); ++k) {
        LayoutItem& item = items[k];
        if (item.bHidden)
            continue;
        item.rc.OffsetRect(rcMargins.left + nOffset, rcMargins.top + 2);
        item.rcRow = rcRow;
        if (!bCentering)
            continue;
        if (nColumnStart >= 0 && items[nColumnStart].rc.left != item.rc.left) {
            CenterColumn(nColumnStart, k - 1, nColumnHeight);
            nColumnStart = k;
        } else if (nColumnStart < 0) {
            nColumnStart = k;
        }
    }
    if (bCentering && nColumnStart >= 0)
        CenterColumn(nColumnStart, static_cast<int>(items.size()) - 1, nColumnHeight);
    SetRect(CRect(rcMargins.left, rcMargins.top, rcMargins.left + nWidth + 5, rcMargins.top + nGroupHeight));
}

// The edit width of an edit or combo box; -1 for another control.
static int EditWidthOf(CKitControl* pControl)
{
    if (auto* pEdit = dynamic_cast<CKitControlEdit*>(pControl))
        return pEdit->GetWidth();
    if (auto* pComboBox = dynamic_cast<CKitControlComboBox*>(pControl))
        return pComboBox->GetWidth();
    return -1;
}

void CKitRibbonGroup::AlignEditWidths()
{
    std::vector<LayoutItem>& items = m_pLayout->items;
    size_t nStart = 0;
    while (nStart < items.size()) {
        // A column: the consecutive items standing at one left edge.
        size_t nEnd = nStart + 1;
        while (nEnd < items.size() && items[nEnd].rc.left == items[nStart].rc.left)
            ++nEnd;
        int nFields = 0;
        int nWidest = 0;
        for (size_t k = nStart; k < nEnd; ++k) {
            const int nWidth = items[k].bHidden ? -1 : EditWidthOf(items[k].pControl);
            if (nWidth >= 0) {
                ++nFields;
                nWidest = std::max(nWidest, nWidth);
            }
        }
        for (size_t k = nStart; k < nEnd && nFields > 1; ++k) {
            const int nWidth = items[k].bHidden ? -1 : EditWidthOf(items[k].pControl);
            if (nWidth < 0)
                continue;
            items[k].pControl->SetWidth(nWidest);
            items[k].rc.right += nWidest - nWidth;
        }
        nStart = nEnd;
    }
}

void CKitRibbonGroup::OnAfterCalcSize()
{
    if (m_pLayout == nullptr)
        return;
    std::vector<LayoutItem>& items = m_pLayout->items;
    if (!m_bReduced && m_bAlignEditWidths && !m_bControlsGrouping)
        AlignEditWidths();
    if (!items.empty())
        items[0].bWrap = true;
    for (LayoutItem& item : items) {
        CKitControl* pControl = item.pControl;
        const DWORD dwHide = pControl->GetHideFlags();
        const DWORD dwReduced = CKitRibbonBar::kHideByLayout;
        pControl->SetHideFlags(item.bHidden ? (dwHide | dwReduced) : (dwHide & ~dwReduced));
        pControl->SetRowRect(item.rcRow);
        if (!item.bHidden)
            pControl->SetRect(item.rc);
        pControl->SetWrap(item.bWrap);
    }
    if (m_pLayout->bWasReduced && !m_bReduced && m_pRibbonBar != nullptr)
        m_pRibbonBar->SetUpdatePending();
    delete m_pLayout;
    m_pLayout = nullptr;
}

CKitRibbonTab* CKitRibbonGroup::GetRibbonTab() const
{
    return m_pGroups != nullptr ? m_pGroups->GetRibbonTab() : nullptr;
}

BOOL CKitRibbonGroup::IsHighlighted() const
{
    const auto* pScrollable = dynamic_cast<const CKitRibbonScrollableBar*>(m_pParent);
    return pScrollable != nullptr && pScrollable->GetHighlightedGroup() == this;
}

CKitControl* CKitRibbonGroup::GetAt(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetCount() ? m_arrControls[nIndex] : nullptr;
}

int CKitRibbonGroup::IndexOf(const CKitControl* pControl) const
{
    auto it = std::find(m_arrControls.begin(), m_arrControls.end(), pControl);
    return it != m_arrControls.end() ? static_cast<int>(it - m_arrControls.begin()) : -1;
}

void CKitRibbonGroup::Draw(CDC* pDC, const CRect& rcClip)
{
    GetRibbonPaintManager()->DrawGroup(pDC, this);
    CKitPaintManager* pPainter =
        m_pParent != nullptr ? CKitPaintManager::FromPainter(m_pParent->GetPaintManager()) : nullptr;
    CRect rcIntersect;
    BOOL bFirst = TRUE;
    for (CKitControl* pControl : m_arrControls) {
        if (pControl->GetHideFlags() != 0)
            continue;
        if (!m_bControlsGrouping && pControl->GetBeginGroup() && !bFirst && pPainter != nullptr)
            pPainter->DrawCommandBarSeparator(pDC, m_pParent, pControl, TRUE);
        bFirst = FALSE;
        if (rcIntersect.IntersectRect(rcClip, pControl->GetRect()))
            pControl->Draw(pDC);
    }
    for (CKitControl* pButton : {static_cast<CKitControl*>(m_pPopupButton), static_cast<CKitControl*>(m_pOptionButton)}) {
        if (pButton->IsVisible() && rcIntersect.IntersectRect(rcClip, pButton->GetRect()))
            pButton->Draw(pDC);
    }
}

void CKitRibbonGroup::Add(CKitControl* pControl)
{
    pControl->InternalAddRef();
    pControl->SetRibbonGroup(this);
    m_arrControls.push_back(pControl);
}

CKitControl* CKitRibbonGroup::Add(const CKitControl* pControl, int nIndex, BOOL bRecursive)
{
    if (m_pRibbonBar == nullptr || pControl == nullptr)
        return nullptr;
    auto* pNew = static_cast<CKitControl*>(pControl->GetRuntimeClass()->CreateObject());
    if (pNew == nullptr)
        return nullptr;
    if (nIndex < 0 || nIndex > GetCount())
        nIndex = GetCount();
    m_pRibbonBar->GetControls()->InsertAt(pNew, m_pOptionButton->GetIndex() - GetCount() + nIndex);
    pNew->Copy(pControl, bRecursive);
    pNew->SetRibbonGroup(this);
    pNew->InternalAddRef();
    m_arrControls.insert(m_arrControls.begin() + nIndex, pNew);
    pNew->SetHidden(CKitRibbonBar::kHideTabNotSelected, !IsVisible());
    return pNew;
}

void CKitRibbonGroup::RemoveAt(int nIndex)
{
    if (CKitControl* pControl = GetAt(nIndex))
        Remove(pControl);
}

void CKitRibbonGroup::ArrangeControlsInRow(CDC* pDC)
{
    int x = m_rcGroup.left + 4;
    const int y = m_rcGroup.top + GetLayoutMetrics().nCaptionHeight;
    for (CKitControl* pControl : m_arrControls) {
        if (pControl->GetHideFlags() != 0)
            continue;
        const CSize sz = MeasureControl(pDC, pControl);
        pControl->SetRect(CRect(CPoint(x, y), sz));
        x += sz.cx;
    }
}

void CKitRibbonGroup::Remove(CKitControl* pControl)
{
    auto it = std::find(m_arrControls.begin(), m_arrControls.end(), pControl);
    if (it == m_arrControls.end())
        return;
    m_arrControls.erase(it);
    pControl->SetRibbonGroup(nullptr);
    // Unlinked first, so the bar's collection does not hand it back to the group.
    if (m_pParent != nullptr && m_pParent->GetControls() != nullptr)
        m_pParent->GetControls()->Remove(pControl);
    pControl->InternalRelease();
}

void CKitRibbonGroup::RemoveAll()
{
    while (!m_arrControls.empty())
        Remove(m_arrControls.back());
}

CKitRibbonGroups::~CKitRibbonGroups()
{
    RemoveAll();
}

CKitRibbonGroup* CKitRibbonGroups::GetAt(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetCount() ? m_arrGroups[nIndex] : nullptr;
}

CKitRibbonGroup* CKitRibbonGroups::Add(const CString& strCaption, int nId)
{
    auto* pGroup = new CKitRibbonGroup;
    pGroup->SetCaption(strCaption);
    pGroup->SetId(nId);
    InsertAt(-1, pGroup);
    return pGroup;
}

void CKitRibbonGroups::InsertAt(int nIndex, CKitRibbonGroup* pGroup)
{
    if (nIndex < 0 || nIndex > GetCount())
        nIndex = GetCount();
    pGroup->m_pGroups = this;
    CKitRibbonBar* pRibbonBar = GetRibbonBar();
    pGroup->m_pRibbonBar = pRibbonBar;
    pGroup->m_pParent = m_pTab != nullptr ? m_pTab->GetParentBar() : pRibbonBar;
    m_arrGroups.insert(m_arrGroups.begin() + nIndex, pGroup);
    for (int i = 0; i < GetCount(); ++i)
        m_arrGroups[i]->m_nIndex = i;
    pGroup->OnGroupAdded();
}

CKitRibbonBar* CKitRibbonGroups::GetRibbonBar() const
{
    return m_pTab != nullptr ? m_pTab->GetRibbonBar() : nullptr;
}

CKitRibbonGroup* CKitRibbonGroups::HitTest(CPoint pt) const
{
    for (CKitRibbonGroup* pGroup : m_arrGroups) {
        if (pGroup->IsVisible() && pGroup->GetRect().PtInRect(pt))
            return pGroup;
    }
    return nullptr;
}

void CKitRibbonGroups::ReduceGroups(CDC* pDC, std::vector<int>& widths, int nAvailable)
{
    const int nCount = GetCount();
    int nTotal = 0;
    for (int i = 0; i < nCount; ++i) {
        nTotal += widths[i];
        if (i < nCount - 1 && widths[i] != 0)
            nTotal += 7;
    }
    if (nTotal < nAvailable) {
        for (int i = nCount - 1; i >= 0; --i) {
            CKitRibbonGroup* pGroup = m_arrGroups[i];
            if (pGroup->IsVisible() && pGroup->OnExtendSize(nAvailable - nTotal)) {
                widths[i] = pGroup->CalcSize(pDC);
                break;
            }
        }
        return;
    }
    // Rightmost first, and a higher level only when no group can give anything at a lower one.
    int nLevel = 0;
    for (int nStep = 0; nTotal > nAvailable && nLevel <= kLastReduceLevel && nStep < kMaxReduceSteps; ++nStep) {
        bool bReduced = false;
        for (int i = nCount - 1; i >= 0 && !bReduced; --i) {
            CKitRibbonGroup* pGroup = m_arrGroups[i];
            if (!pGroup->IsVisible() || !pGroup->OnReduceSize(nLevel, nTotal - nAvailable))
                continue;
            const int nWidth = pGroup->CalcSize(pDC);
            nTotal += nWidth - widths[i];
            widths[i] = nWidth;
            bReduced = true;
        }
        nLevel = bReduced ? 0 : nLevel + 1;
    }
}

void CKitRibbonGroups::RepositionGroups(CDC* pDC, int nWidth, const CRect& rcMargins)
{
    if (m_arrGroups.empty()) {
        m_bScrollLeft = m_bScrollRight = FALSE;
        return;
    }
    const int nCount = GetCount();
    for (CKitRibbonGroup* pGroup : m_arrGroups) {
        if (pGroup->IsVisible())
            pGroup->OnBeforeCalcSize(pDC);
    }
    std::vector<int> widths(nCount, 0);
    for (int i = 0; i < nCount; ++i) {
        if (m_arrGroups[i]->IsVisible())
            widths[i] = m_arrGroups[i]->CalcSize(pDC);
    }
    const int nAvailable = nWidth - rcMargins.left - rcMargins.right;
    ReduceGroups(pDC, widths, nAvailable);

    const int nSpacing = m_arrGroups[0]->GetLayoutMetrics().nGroupSpacing;
    int nNeeded = -7;
    for (int i = 0; i < nCount; ++i) {
        if (m_arrGroups[i]->IsVisible())
            nNeeded += widths[i] + kGroupGap + nSpacing;
    }
    m_nScrollOffset = nNeeded > nAvailable ? std::max(0, std::min(m_nScrollOffsetRequest, nNeeded - nAvailable)) : 0;
    m_bScrollLeft = m_nScrollOffset > 0;
    m_bScrollRight = nNeeded - m_nScrollOffset > nAvailable;

    int x = rcMargins.left - m_nScrollOffset;
    for (int i = 0; i < nCount; ++i) {
        CKitRibbonGroup* pGroup = m_arrGroups[i];
        if (!pGroup->IsVisible())
            continue;
        pGroup->ArrangeControls(widths[i], CRect(x, rcMargins.top, rcMargins.right, rcMargins.bottom));
        x += widths[i] + kGroupGap + nSpacing;
    }
    for (CKitRibbonGroup* pGroup : m_arrGroups) {
        if (pGroup->IsVisible())
            pGroup->OnAfterCalcSize();
    }
}

void CKitRibbonGroups::RemoveAll()
{
    while (!m_arrGroups.empty()) {
        CKitRibbonGroup* pGroup = m_arrGroups.back();
        pGroup->OnGroupRemoved();
        m_arrGroups.pop_back();
        pGroup->m_pGroups = nullptr;
        pGroup->InternalRelease();
    }
}

// CKitRibbonGroupPopupToolBar, and the opening of a reduced group's popup button.
#include "toolkit/themes/ribbon/ribbon_group_popup.h"

#include "framework/gdi.h"
#include "toolkit/commandbars/command_bar_manager.h"
#include "toolkit/commandbars/controls.h"
#include "toolkit/themes/paint/paint_manager.h"
#include "toolkit/themes/ribbon/ribbon_bar.h"
#include "toolkit/themes/ribbon/ribbon_group.h"
#include "toolkit/themes/ribbon/ribbon_keyboard.h"
#include "toolkit/themes/ribbon/ribbon_paint_manager.h"

#include <vector>

IMPLEMENT_DYNAMIC(CKitRibbonGroupPopupToolBar, CKitPopupToolBar)

CKitRibbonGroupPopupToolBar::CKitRibbonGroupPopupToolBar(CKitRibbonGroup* pGroup)
    : m_pGroup(static_cast<CKitRibbonGroup*>(pGroup->GetRuntimeClass()->CreateObject())), m_pSourceGroup(pGroup),
      m_pRibbonBar(pGroup->GetRibbonBar())
{
    SetFlags(kitBarFlagGrouped);
    if (m_pRibbonBar != nullptr)
        SetAnimationEnabled(m_pRibbonBar->GetAnimationEnabled());
    m_pOwnerBar = this;

    m_pGroup->m_pParent = this;
    m_pGroup->m_pRibbonBar = m_pRibbonBar;
    m_pGroup->OnGroupAdded();
    m_pGroup->Copy(pGroup);
    // The copied button lets go of the source's popup, which may be a popup holding an older copy.
    m_pGroup->m_pPopupButton->SetCommandBar(nullptr);
}

CKitRibbonGroupPopupToolBar::~CKitRibbonGroupPopupToolBar()
{
    m_pGroup->OnGroupRemoved();
    m_pGroup->m_pGroups = nullptr;
    m_pGroup->InternalRelease();
}

CKitCommandBar* CKitRibbonGroupPopupToolBar::Clone(BOOL /*bRecursive*/) const
{
    auto* pClone = new CKitRibbonGroupPopupToolBar(m_pSourceGroup);
    pClone->SetCommandBars(GetCommandBars());
    return pClone;
}

CRect CKitRibbonGroupPopupToolBar::GetGroupsRect() const
{
    CRect rc(0, 0, 0, 0);
    if (GetSafeHwnd() != nullptr)
        ::GetClientRect(GetSafeHwnd(), &rc);
    return rc;
}

CKitRibbonGroup* CKitRibbonGroupPopupToolBar::HitTestGroup(CPoint point) const
{
    return m_pGroup->GetRect().PtInRect(point) ? m_pGroup : nullptr;
}

CRect CKitRibbonGroupPopupToolBar::GetBorders()
{
    return CRect(2, 2, 3, m_pGroup->GetLayoutMetrics().nCaptionHeight + 1);
}

CSize CKitRibbonGroupPopupToolBar::GetIconSize() const
{
    return m_pRibbonBar != nullptr ? m_pRibbonBar->GetIconSize() : CKitPopupToolBar::GetIconSize();
}

CSize CKitRibbonGroupPopupToolBar::GetButtonSize(BOOL bAutomatic) const
{
    return m_pRibbonBar != nullptr ? m_pRibbonBar->GetButtonSize(bAutomatic) : CKitPopupToolBar::GetButtonSize(bAutomatic);
}

CSize CKitRibbonGroupPopupToolBar::CalcDynamicLayout(int /*nLength*/, DWORD /*dwMode*/)
{
    CClientDC dc(nullptr);
    CFont* pOldFont = nullptr;
    if (CKitPaintManager* pPaint = CKitPaintManager::FromPainter(GetPaintManager()))
        pOldFont = dc.SelectObject(pPaint->GetCommandBarFont(this));
    m_pGroup->OnBeforeCalcSize(&dc);
    const int nWidth = m_pGroup->CalcSize(&dc);
    m_pGroup->ArrangeControls(nWidth, CRect(0, 0, 0, 0));
    m_pGroup->OnAfterCalcSize();
    if (pOldFont != nullptr)
        dc.SelectObject(pOldFont);
    const CRect rcBorders = GetBorders();
    const int nHeight = m_pRibbonBar != nullptr ? m_pRibbonBar->GetGroupsAreaHeight()
                                                : m_pGroup->GetLayoutMetrics().nAreaHeight;
    return CSize(rcBorders.left + rcBorders.right + nWidth, nHeight - 7);
}

void CKitRibbonGroupPopupToolBar::DrawCommandBar(CDC* pDC, CRect rcClip)
{
    CKitRibbonPaintManager* pRibbonPainter = m_pGroup->GetRibbonPaintManager();
    CFont* pOldFont = nullptr;
    if (CKitPaintManager* pPaint = CKitPaintManager::FromPainter(GetPaintManager()))
        pOldFont = pDC->SelectObject(pPaint->GetCommandBarFont(this));
    pRibbonPainter->FillGroupPopupToolBar(pDC, m_pGroup, this);
    pDC->SetBkMode(TRANSPARENT);
    m_pGroup->Draw(pDC, rcClip);
    if (pOldFont != nullptr)
        pDC->SelectObject(pOldFont);
}

BOOL CKitRibbonGroupPopupToolBar::OnKeyDownBar(int nCode)
{
    if (nCode != kitKeyEscape)
        RecalcKeyboardCues();
    CKitControl* pSelected = GetControl(GetSelected());
    const BOOL bArrow = nCode == kitKeyLeft || nCode == kitKeyRight || nCode == kitKeyCollapse || nCode == kitKeyExpand;
    if (pSelected != nullptr && bArrow) {
        std::vector<CRect> rects;
        std::vector<int> indexes;
        for (int i = 0; i < GetControlCount(); ++i) {
            CKitControl* pControl = GetControl(i);
            if (pControl == pSelected || !pControl->IsVisible() || (pControl->GetFlags() & kitFlagSkipFocus) != 0)
                continue;
            rects.push_back(pControl->GetRect());
            indexes.push_back(i);
        }
        const int nFound = KitRibbonFindNeighbour(pSelected->GetRect(), rects, nCode);
        if (nFound != -1) {
            SetSelected(indexes[nFound],
                        nCode == kitKeyRight || nCode == kitKeyExpand ? kitSelectKeyboard : kitSelectKeyboardBack);
            return TRUE;
        }
    }
    return CKitPopupToolBar::OnKeyDownBar(nCode);
}

void CKitRibbonGroupPopupToolBar::CreateKeyboardTips()
{
    KitRibbonCreateGroupPopupKeyboardTips(this, m_pGroup, m_pSourceGroup, GetGroupsRect());
}

void CKitRibbonGroupPopupToolBar::OnMouseMoveBar(UINT nFlags, CPoint point)
{
    CKitPopupToolBar::OnMouseMoveBar(nFlags, point);
    TrackHighlightedGroup(point);
}

void CKitRibbonGroupPopupToolBar::OnMouseLeaveBar()
{
    CKitPopupToolBar::OnMouseLeaveBar();
    ChangeHighlightedGroup(nullptr);
}

BOOL CKitRibbonGroupControlPopup::SetPopup(BOOL bPopup)
{
    if (bPopup) {
        CKitCommandBarManager* pCommandBars = m_pParent != nullptr ? m_pParent->GetCommandBars() : nullptr;
        CKitRibbonGroup* pGroup = GetRibbonGroup();
        CKitPopupToolBar* pPopupBar = pGroup != nullptr ? new CKitRibbonGroupPopupToolBar(pGroup)
                                                        : new CKitPopupToolBar;
        pPopupBar->SetCommandBars(pCommandBars);
        SetCommandBar(pPopupBar);
    }
    return CKitControlPopup::SetPopup(bPopup);
}

void CKitRibbonGroupControlPopup::GenerateCommandBarList(DWORD& /*nNextId*/, CKitCommandBarList* /*pList*/,
                                                         DWORD /*dwFlags*/)
{
}

BOOL KitRibbonRunTipInGroupPopup(CKitControl* pControl)
{
    CKitRibbonGroup* pGroup = pControl != nullptr ? pControl->GetRibbonGroup() : nullptr;
    if (pGroup == nullptr || pControl->GetHideFlags() != CKitRibbonBar::kHideByLayout || !pGroup->IsReduced())
        return FALSE;
    CKitRibbonGroupControlPopup* pButton = pGroup->GetControlGroupPopup();
    CKitCommandBar* pBar = pButton->GetParent();
    if (pBar == nullptr || !pButton->IsVisible())
        return FALSE;
    const int nIndex = pGroup->IndexOf(pControl);
    pBar->SetSelected(pButton->GetIndex(), kitSelectKeyboard);
    if (!pBar->OpenPopupAt(pButton->GetIndex(), TRUE))
        return FALSE;
    auto* pPopupBar = dynamic_cast<CKitRibbonGroupPopupToolBar*>(pButton->GetCommandBar());
    CKitControl* pCopy = pPopupBar != nullptr ? pPopupBar->GetGroup()->GetAt(nIndex) : nullptr;
    if (pCopy == nullptr || !pCopy->IsVisible() || !pCopy->IsEnabled())
        return TRUE;
    pPopupBar->SetSelected(pCopy->GetIndex(), kitSelectKeyboard);
    pCopy->OnKeyboardTip();
    return TRUE;
}

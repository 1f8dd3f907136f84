// The ribbon bar: its tab strip, quick access controls, context headers and the state its painters read.
#include "toolkit/themes/ribbon/ribbon_bar.h"

#include "toolkit/commandbars/command_bar_animation.h"
#include "toolkit/commandbars/command_bar_manager.h"
#include "toolkit/commandbars/controls.h"
#include "toolkit/commandbars/popup_bar.h"
#include "toolkit/common/prop_exchange.h"
#include "toolkit/common/toolkit_ids.h"
#include "toolkit/themes/paint/frame_hook.h"
#include "toolkit/themes/paint/paint_manager.h"
#include "toolkit/themes/ribbon/ribbon_backstage_view.h"
#include "toolkit/themes/ribbon/ribbon_control_tab.h"
#include "toolkit/themes/ribbon/ribbon_controls.h"
#include "toolkit/themes/ribbon/ribbon_group.h"
#include "toolkit/themes/ribbon/ribbon_paint_manager.h"
#include "toolkit/themes/ribbon/ribbon_quick_access.h"
#include "toolkit/themes/ribbon/ribbon_system_button.h"
#include "toolkit/themes/ribbon/ribbon_tab.h"
#include "toolkit/themes/tabs/tab_paint_manager.h"

#include <algorithm>

#include <commctrl.h>

IMPLEMENT_DYNCREATE(CKitRibbonBar, CKitMenuBar)
IMPLEMENT_DYNCREATE(CKitRibbonBar::CControlQuickAccessMorePopup, CKitControlPopup)

namespace {
// Headers moved or cut to fit keep this width.
constexpr int kMinContextHeaderWidth = 40;

} // namespace

BEGIN_MESSAGE_MAP(CKitRibbonBar, CKitMenuBar)
    ON_WM_CREATE()
    AFX_WM_ENTRY(WM_MOUSEWHEEL, AfxSig::b_wheel, BOOL (CWnd::*)(UINT, short, CPoint), OnMouseWheelRibbon)
    AFX_WM_ENTRY(WM_LBUTTONDOWN, AfxSig::v_mouse, void (CWnd::*)(UINT, CPoint), OnLButtonDownRibbon)
    AFX_WM_ENTRY(WM_LBUTTONDBLCLK, AfxSig::v_mouse, void (CWnd::*)(UINT, CPoint), OnLButtonDblClkRibbon)
    AFX_WM_ENTRY(WM_RBUTTONDOWN, AfxSig::v_mouse, void (CWnd::*)(UINT, CPoint), OnRButtonDownRibbon)
    AFX_WM_ENTRY(WM_RBUTTONUP, AfxSig::v_mouse, void (CWnd::*)(UINT, CPoint), OnRButtonUpRibbon)
    AFX_WM_ENTRY(WM_SETCURSOR, AfxSig::b_setcursor, BOOL (CWnd::*)(CWnd*, UINT, UINT), OnSetCursorRibbon)
    AFX_WM_ENTRY(WM_SHOWWINDOW, AfxSig::v_showwindow, void (CWnd::*)(BOOL, UINT), OnShowWindowRibbon)
    AFX_WM_ENTRY(WM_SYSCOLORCHANGE, AfxSig::v_v, void (CWnd::*)(), OnSysColorChangeRibbon)
    ON_MESSAGE(WM_NCHITTEST, &CKitRibbonBar::OnNcHitTestRibbon)
    ON_MESSAGE(WM_KIT_CONTROL_NOTIFY, &CKitRibbonBar::OnExecuteRibbon)
    ON_COMMAND_RANGE(ID_KIT_RIBBON_QA_SHOW_BELOW, ID_KIT_RIBBON_QA_SHOW_ABOVE, &CKitRibbonBar::OnQuickAccessPlace)
END_MESSAGE_MAP()

CKitRibbonBar::CKitRibbonBar()
    : m_pQuickAccessControls(new CKitRibbonQuickAccessControls), m_pControlTab(new CKitRibbonControlTab),
      m_pQuickAccessPopup(new CKitRibbonBarControlQuickAccessPopup),
      m_pQuickAccessMorePopup(new CControlQuickAccessMorePopup)
{
    m_pControls->SetParent(nullptr);
    m_pControls->InternalRelease();
    m_pControls = new CKitRibbonControls;
    m_pControls->SetParent(this);
    m_pQuickAccessControls->SetRibbonBar(this);
    m_dwFlags = kRibbonBarFlags;
    m_bCustomizable = FALSE;
    CKitToolBar::SetAnimationEnabled(TRUE);
    GetAnimation()->SetAnimationEnabled(TRUE);
    m_pControls->Add(m_pQuickAccessPopup, ID_KIT_RIBBON_QA_CUSTOMIZE_BUTTON, nullptr, -1, TRUE);
    m_pQuickAccessPopup->SetFlags(kFlagsPopupButton);
    m_pControls->Add(m_pQuickAccessMorePopup, ID_KIT_RIBBON_QA_MORE_BUTTON, nullptr, -1, TRUE);
    m_pQuickAccessMorePopup->SetFlags(kFlagsPopupButton);
    m_pQuickAccessMorePopup->SetHideFlags(kitHideUser);
    m_pControls->Add(m_pControlTab, ID_KIT_RIBBON_TAB_STRIP, nullptr, -1, TRUE);
    // The bar keeps its own parts alive while its controls come and go.
    m_pQuickAccessPopup->InternalAddRef();
    m_pQuickAccessMorePopup->InternalAddRef();
    m_pControlTab->InternalAddRef();
}

int CKitRibbonBar::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CKitMenuBar::OnCreate(lpCreateStruct) == -1)
        return -1;
    // The site's keys (Alt, F10, Alt with a letter) reach the ribbon as they reach a menu bar.
    RefreshMdiState();
    EnableToolTips(TRUE);
    return 0;
}

CKitRibbonBar::~CKitRibbonBar()
{
    RemoveContextHeaders();
    m_pControlTab->DeleteAllItems();
    m_pQuickAccessControls->RemoveAll();
    // The collection reaches back into the bar and its quick access list while controls leave it.
    m_pControls->RemoveAll();
    m_pQuickAccessControls->InternalRelease();
    m_pQuickAccessPopup->InternalRelease();
    m_pQuickAccessMorePopup->InternalRelease();
    m_pControlTab->InternalRelease();
    delete m_pFrameHook;
}

int CKitRibbonBar::GetControlsEnabledOverride(const CKitControl* pControl) const
{
    if (!IsBackstageViewVisible() || pControl == m_pSystemButton || (pControl->GetFlags() & kFlagKeepEnabled) != 0 ||
        (pControl->GetId() >= kIdCaptionButtonFirst && pControl->GetId() <= kIdCaptionButtonLast))
        return -1;
    return 0;
}

void CKitRibbonBar::Reset(BOOL /*bAsk*/)
{
    CWnd* pSite = GetSite();
    if (pSite != nullptr && pSite->GetSafeHwnd() != nullptr) {
        pSite->SendMessage(WM_KIT_TOOLBAR_RESET, 0, reinterpret_cast<LPARAM>(this));
        UpdateMdiButtons();
        OnIdleUpdateCmdUI();
    }
    DelayLayout();
}

void CKitRibbonBar::OnQuickAccessPlace(UINT nId)
{
    if (CKitCommandBarManager* pCommandBars = GetCommandBars())
        pCommandBars->ClosePopups();
    ShowQuickAccessBelowRibbon(nId == ID_KIT_RIBBON_QA_SHOW_BELOW);
}

void CKitRibbonBar::ScrollGroups(BOOL bRight)
{
    CKitRibbonTab* pTab = GetSelectedTab();
    if (pTab != nullptr)
        RequestScrollStep(this, pTab->GetGroups(), bRight);
    else if (CKitCommandBarManager* pCommandBars = GetCommandBars())
        pCommandBars->ClosePopups();
}

CKitRibbonGroup* CKitRibbonBar::HitTestGroup(CPoint point) const
{
    CKitRibbonTab* pTab = GetSelectedTab();
    if (pTab == nullptr || !IsGroupsVisible() || !m_rcGroups.PtInRect(point) || IsOnScrollButton(point))
        return nullptr;
    return pTab->GetGroups()->HitTest(point);
}

void CKitRibbonBar::OnRemoved()
{
    // The caption buttons draw through the hook.
    RemoveCaptionButtons();
    delete m_pFrameHook;
    m_pFrameHook = nullptr;
    m_pQuickAccessControls->RemoveAll();
    RemoveContextHeaders();
    m_pControlTab->DeleteAllItems();
    CKitMenuBar::OnRemoved();
}

CKitPaintManager* CKitRibbonBar::GetBarPaintManager() const
{
    return CKitPaintManager::FromPainter(GetPaintManager());
}

CKitRibbonPaintManager* CKitRibbonBar::GetRibbonPaintManager() const
{
    return GetBarPaintManager()->GetRibbonPaintManager();
}

CKitRibbonTab* CKitRibbonBar::AddTab(const CString& strCaption, int nId)
{
    auto* pTab = new CKitRibbonTab;
    pTab->SetCaption(strCaption);
    pTab->SetId(nId);
    pTab->SetRibbonBar(this);
    m_pControlTab->AddItem(-1, pTab);
    return pTab;
}

int CKitRibbonBar::GetTabCount() const
{
    return m_pControlTab->GetItemCount();
}

CKitRibbonTab* CKitRibbonBar::GetTab(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetTabCount())
        return nullptr;
    return static_cast<CKitRibbonTab*>(m_pControlTab->GetItem(nIndex));
}

CKitRibbonTab* CKitRibbonBar::GetSelectedTab() const
{
    return m_pControlTab->GetSelectedTab();
}

// Sends the tab strip's notification with the tab to the owner site; the site's answer.
static LRESULT NotifyTabChange(CKitRibbonBar* pBar, int nCode, CKitRibbonTab* pTab)
{
    CWnd* pSite = pBar->GetOwnerSite();
    if (pSite == nullptr || pSite->GetSafeHwnd() == nullptr)
        return 0;
    NMKITRIBBONTAB record{};
    record.hdr.hwndFrom = pBar->GetSafeHwnd();
    record.hdr.idFrom = ID_KIT_RIBBON_TAB_STRIP;
    record.hdr.code = static_cast<UINT>(nCode);
    record.pTab = pTab;
    return pSite->SendMessage(WM_KIT_CONTROL_NOTIFY, ID_KIT_RIBBON_TAB_STRIP, reinterpret_cast<LPARAM>(&record));
}

LRESULT CKitRibbonBar::OnTabChanging(CKitRibbonTab* pTab)
{
    return NotifyTabChange(this, TCN_SELCHANGING, pTab);
}

void CKitRibbonBar::OnTabChanged(CKitRibbonTab* pTab)
{
    NotifyTabChange(this, TCN_SELCHANGE, pTab);
}

int CKitRibbonBar::GetTabsHeight() const
{
    return m_bTabsVisible ? GetRibbonPaintManager()->GetTabsHeight() : 2;
}

int CKitRibbonBar::GetCaptionHeight() const
{
    if (!IsCaptionVisible())
        return 0;
    int nHeight = GetRibbonPaintManager()->GetCaptionHeight();
    if (m_bQuickAccessVisible && !m_bQuickAccessBelow)
        nHeight = std::max(nHeight, std::max(m_nQuickAccessHeight, GetTabsHeight() - 2));
    return nHeight;
}

int CKitRibbonBar::GetGroupsClientHeight() const
{
    if (m_nGroupsClientHeight > 0)
        return m_nGroupsClientHeight;
    return 3 * GetRibbonPaintManager()->GetControlHeight();
}

int CKitRibbonBar::GetGroupsAreaHeight() const
{
    if (m_nGroupsAreaHeight > 0)
        return m_nGroupsAreaHeight;
    return GetGroupsClientHeight() + GetRibbonPaintManager()->GetGroupCaptionHeight() + 10;
}

int CKitRibbonBar::GetVisibleGroupsHeight() const
{
    return IsGroupsVisible() ? GetGroupsAreaHeight() : 0;
}

BOOL CKitRibbonBar::IsAllowQuickAccessControl(const CKitControl* pControl) const
{
    if (pControl == nullptr)
        return FALSE;
    if (!m_bAllowQuickAccessDuplicates && m_pQuickAccessControls->FindControlById(static_cast<int>(pControl->GetId())))
        return FALSE;
    if (CKitRibbonGroup* pGroup = pControl->GetRibbonGroup()) {
        if (pControl == pGroup->GetControlGroupOption() || pControl == pGroup->GetControlGroupPopup())
            return static_cast<int>(pControl->GetId()) > 0;
    }
    return (pControl->GetFlags() & kFlagNotForQuickAccess) == 0;
}

void CKitRibbonBar::SetTabsVisible(BOOL bVisible)
{
    m_bTabsVisible = bVisible;
    RecalcRibbonLayout();
}

void CKitRibbonBar::SetGroupsVisible(BOOL bVisible)
{
    m_bGroupsVisible = bVisible;
    RecalcRibbonLayout();
}

void CKitRibbonBar::ShowQuickAccessBelowRibbon(BOOL bBelow)
{
    m_bQuickAccessBelow = bBelow;
    RecalcRibbonLayout();
    if (m_pFrameHook == nullptr || GetSafeHwnd() == nullptr)
        return;
    // The caption band of a skinned frame changes with it.
    if (IsDwmEnabled()) {
        UpdateWindow();
        m_pFrameHook->RecalcFrameLayout();
    } else if (CWnd* pFrame = GetFrameWindow(); pFrame != nullptr && pFrame->GetSafeHwnd() != nullptr) {
        pFrame->SendMessage(WM_NCPAINT);
    }
}

void CKitRibbonBar::ShowQuickAccess(BOOL bShow)
{
    m_bQuickAccessVisible = bShow;
    RecalcRibbonLayout();
}

BOOL CKitRibbonBar::IsQuickAccessControl(const CKitControl* pControl) const
{
    if (pControl == nullptr)
        return FALSE;
    if (pControl == m_pQuickAccessPopup || pControl == m_pQuickAccessMorePopup)
        return TRUE;
    return pControl->GetRibbonGroup() == nullptr && m_pQuickAccessControls->IndexOf(pControl) != -1;
}

void CKitRibbonBar::ShowSelectedTabGroups()
{
    CKitRibbonTab* pSelected = GetSelectedTab();
    for (int i = 0; i < GetTabCount(); ++i) {
        CKitRibbonTab* pTab = GetTab(i);
        CKitRibbonGroups* pGroups = pTab->GetGroups();
        for (int g = 0; g < pGroups->GetCount(); ++g) {
            CKitRibbonGroup* pGroup = pGroups->GetAt(g);
            std::vector<CKitControl*> controls = {pGroup->GetControlGroupOption(), pGroup->GetControlGroupPopup()};
            for (int c = 0; c < pGroup->GetCount(); ++c)
                controls.push_back(pGroup->GetAt(c));
            for (CKitControl* pControl : controls)
                pControl->SetHidden(kHideTabNotSelected, pTab != pSelected);
        }
    }
}

void CKitRibbonBar::SetRibbonMinimized(BOOL bMinimized)
{
    if (m_bMinimized == bMinimized)
        return;
    m_bMinimized = bMinimized;
    if (!bMinimized && GetSelectedTab() == nullptr) {
        if (CKitTabManagerItem* pFirst = m_pControlTab->FindNextFocusable(-1, 1))
            m_pControlTab->SetSelectedItem(pFirst);
    }
    ShowSelectedTabGroups();
    if (CKitCommandBarManager* pCommandBars = GetCommandBars())
        pCommandBars->ClosePopups();
    RecalcRibbonLayout();
    CWnd* pSite = GetSite();
    if (pSite != nullptr && pSite->GetSafeHwnd() != nullptr)
        pSite->SendMessage(kMsgMinimizedChanged, reinterpret_cast<WPARAM>(this), 0);
}

int CKitRibbonBar::CalcQuickAccessHeight()
{
    CClientDC dc(GetSafeHwnd() != nullptr ? this : nullptr);
    CFont* pOldFont = dc.SelectObject(GetBarPaintManager()->GetCommandBarFont(this));
    int nHeight = GetButtonSize().cy + 4;
    for (int i = 0; i < m_pControls->GetCount(); ++i) {
        CKitControl* pControl = m_pControls->GetAt(i);
        if (IsQuickAccessControl(pControl) && pControl->IsVisible())
            nHeight = std::max(nHeight, static_cast<int>(pControl->GetSize(&dc).cy) + 4);
    }
    dc.SelectObject(pOldFont);
    return nHeight;
}

CSize CKitRibbonBar::CalcDockLayout(int nLength, DWORD dwMode)
{
    m_bUpdatePending = FALSE;
    CWnd* pSite = GetSite();
    CRect rcSite;
    if (pSite != nullptr && pSite->GetSafeHwnd() != nullptr)
        pSite->GetWindowRect(&rcSite);
    const int nMinimumHeight = m_nMinimumFrameHeight == -1 ? m_nMinimumWidth : m_nMinimumFrameHeight;
    // Without a site window only the length counts.
    const BOOL bVisible = nLength >= m_nMinimumWidth && (rcSite.IsRectNull() || rcSite.Height() >= nMinimumHeight);
    if (bVisible != m_bRibbonVisible) {
        m_bRibbonVisible = bVisible;
        if (m_pFrameHook != nullptr)
            m_pFrameHook->RecalcFrameLayout();
    }
    if (!bVisible)
        return CSize(nLength, 0);
    const BOOL bComposited = IsDwmEnabled();
    m_nQuickAccessHeight = CalcQuickAccessHeight();
    int nHeight = GetCaptionHeight() + (bComposited ? m_pFrameHook->GetBorderWidth() : 0) + GetTabsHeight() +
                  GetVisibleGroupsHeight();
    if (m_bQuickAccessBelow)
        nHeight += m_nQuickAccessHeight + 1;
    if (!IsGroupsVisible() && !m_bQuickAccessBelow)
        nHeight += 2;
    if ((dwMode & LM_COMMIT) != 0)
        RepositionControls(nLength, nHeight);
    if (m_bUpdatePending) {
        if (GetSafeHwnd() != nullptr)
            OnIdleUpdateCmdUI();
        m_bUpdatePending = FALSE;
    }
    if ((m_dwState & kStateLayoutPending) != 0 && (dwMode & LM_COMMIT) != 0) {
        m_dwState &= ~kStateLayoutPending;
        if (GetSafeHwnd() != nullptr)
            Redraw();
    }
    return CSize(nLength, nHeight);
}

void CKitRibbonBar::OnRecalcLayout()
{
    if (GetSafeHwnd() == nullptr)
        return;
    // Docked or not, the ribbon lays itself out across its window.
    CRect rcClient;
    GetClientRect(&rcClient);
    const int nHeight = CalcDockLayout(rcClient.Width(), LM_HORZ | LM_COMMIT).cy;
    if (nHeight != rcClient.Height())
        UpdateLocation();
    Redraw();
}

void CKitRibbonBar::RecalcRibbonLayout()
{
    DelayLayout();
    if (GetSafeHwnd() == nullptr || !IsWindowVisible())
        return;
    m_dwState &= ~kStateLayoutPending;
    OnRecalcLayout();
}

int CKitRibbonBar::RepositionQuickAccess(CDC* pDC, int nLeft, int nRightLimit, BOOL bInCaption,
                                         BOOL bSystemButtonInTabs, BOOL bHidden)
{
    m_pQuickAccessMorePopup->SetHidden(kitHideUser, TRUE);
    const BOOL bAbove = !m_bQuickAccessBelow;
    int x = nLeft + (bAbove ? 0 : 2);
    BOOL bOverflow = FALSE;
    BOOL bPlacedOne = FALSE;
    for (int i = 0; i < m_pControls->GetCount(); ++i) {
        CKitControl* pControl = m_pControls->GetAt(i);
        if (!IsQuickAccessControl(pControl))
            continue;
        const BOOL bPopup = pControl == m_pQuickAccessPopup || pControl == m_pQuickAccessMorePopup;
        const BOOL bAway =
            !m_bQuickAccessVisible || (pControl != m_pQuickAccessMorePopup && bOverflow) || bHidden;
        pControl->SetHidden(kHideByLayout, bAway);
        if (!pControl->IsVisible())
            continue;
        if (pControl == m_pQuickAccessPopup && bPlacedOne && bAbove && bInCaption && !bSystemButtonInTabs)
            x += 12;
        const CSize sz = pControl->GetSize(pDC);
        int y = m_rcQuickAccess.top + (m_rcQuickAccess.Height() - sz.cy + 1) / 2;
        if (bAbove && bInCaption && !bPopup)
            y += bSystemButtonInTabs ? 1 : 2;
        if (pControl->GetBeginGroup())
            x += 6;
        if (!bPopup && x + sz.cx > nRightLimit) {
            pControl->SetHidden(kHideByLayout, TRUE);
            bOverflow = TRUE;
            m_pQuickAccessMorePopup->SetHidden(kitHideUser, FALSE);
            continue;
        }
        pControl->SetRect(CRect(CPoint(x, y), sz));
        if (!bPopup)
            bPlacedOne = TRUE;
        if (!(bPopup && (bInCaption || !bAbove)))
            x += sz.cx;
    }
    return x;
}

void CKitRibbonBar::RepositionControls(int nWidth, int nHeight)
{
    (void)nHeight;
    CKitRibbonPaintManager* pRibbonPainter = GetRibbonPaintManager();
    const int nTabsHeight = GetTabsHeight();
    const int nGroupsHeight = GetVisibleGroupsHeight();
    const BOOL bCaptionVisible = IsCaptionVisible();
    const BOOL bComposited = IsDwmEnabled();
    const int nQuickAccessHeight = m_nQuickAccessHeight;
    CRect rcTabs(2, 0, nWidth - 2, nTabsHeight);
    CRect rcGroups(0, nTabsHeight, nWidth, nTabsHeight + nGroupsHeight);
    int nBorder = 0;
    if (bCaptionVisible) {
        nBorder = m_pFrameHook != nullptr ? m_pFrameHook->GetBorderWidth() : 0;
        const int nTop = bComposited ? 0 : -nBorder;
        m_rcCaption.SetRect(-nBorder, nTop, nWidth + nBorder, GetCaptionHeight() + (bComposited ? nBorder : 0));
        rcTabs.OffsetRect(0, m_rcCaption.bottom);
        rcGroups.OffsetRect(0, m_rcCaption.bottom);
        m_rcTitle.SetRect(0, 0, nWidth, m_rcCaption.bottom);
        m_rcCaptionFree = m_rcTitle;
        if (m_pFrameHook == nullptr)
            m_rcTitle.SetRectEmpty();
    } else {
        m_rcCaption.SetRectEmpty();
        m_rcTitle.SetRectEmpty();
        m_rcCaptionFree.SetRectEmpty();
        nBorder = 4;
    }

    // The loose controls of the tabs row.
    std::vector<CKitControl*> tabRow;
    for (int i = 0; i < m_pControls->GetCount(); ++i) {
        CKitControl* pControl = m_pControls->GetAt(i);
        if (IsQuickAccessControl(pControl) || pControl->GetRibbonGroup() != nullptr || pControl == m_pSystemButton ||
            pControl == m_pControlTab || pControl == m_pScrollLeft || pControl == m_pScrollRight ||
            !pControl->IsVisible(kHideWithTabs))
            continue;
        if (pControl->GetId() >= kIdCaptionButtonFirst && pControl->GetId() <= kIdCaptionButtonLast)
            continue;
        tabRow.push_back(pControl);
    }

    const BOOL bSystemButtonInTabs = m_pSystemButton != nullptr && m_pSystemButton->GetStyle() != kitButtonAutomatic;
    int nQuickAccessLeft = nQuickAccessHeight + nTabsHeight - 3;
    if (m_pSystemButton == nullptr || bSystemButtonInTabs)
        nQuickAccessLeft = ::GetSystemMetrics(SM_CXSMICON) + 10;
    if (m_bQuickAccessVisible && m_bQuickAccessBelow)
        m_rcQuickAccess.SetRect(0, rcGroups.bottom, nWidth, rcGroups.bottom + nQuickAccessHeight);
    else
        m_rcQuickAccess.SetRect(nQuickAccessLeft + 3, m_rcCaption.top + nBorder - 2, m_rcCaption.right,
                                m_rcCaption.top + nBorder + nQuickAccessHeight - 3);

    CClientDC dc(GetSafeHwnd() != nullptr ? this : nullptr);
    CFont* pOldFont = dc.SelectObject(GetBarPaintManager()->GetCommandBarFont(this));

    int x = rcTabs.left;
    if (m_pSystemButton != nullptr) {
        CRect rcButton(0, m_rcCaption.top + nBorder - 1, nQuickAccessLeft, m_rcCaption.top + nBorder - 1 + nQuickAccessLeft - 1);
        if (bSystemButtonInTabs) {
            const CSize sz = m_pSystemButton->GetSize(&dc);
            const CRect rcMargin = pRibbonPainter->GetFileButtonMargin();
            if (!bCaptionVisible) {
                rcButton = CRect(CPoint(0, rcTabs.top + (nTabsHeight - sz.cy) / 2), sz);
            } else if (!m_bTabsVisible) {
                rcButton = CRect(CPoint(0, m_rcCaption.top + (m_rcCaption.Height() - sz.cy) / 2), sz);
                if (!m_bQuickAccessBelow)
                    m_rcQuickAccess.left = sz.cx + 15;
            } else {
                rcButton.SetRect(rcMargin.left, rcTabs.top + rcMargin.top, rcMargin.left + sz.cx,
                                 rcTabs.top + nTabsHeight);
            }
            x = rcButton.right + rcMargin.right + 3;
        }
        const BOOL bAway = !bCaptionVisible && !m_bTabsVisible;
        m_pSystemButton->SetHidden(kHideByLayout, bAway);
        m_pSystemButton->SetRect(rcButton);
        if (!bSystemButtonInTabs)
            x = std::max<int>(x, rcButton.right);
    }

    for (CKitControl* pControl : tabRow) {
        if ((pControl->GetFlags() & kFlagTabsRowRight) != 0)
            continue;
        pControl->SetHidden(kHideWithTabs, !m_bTabsVisible);
        if (!pControl->IsVisible())
            continue;
        if (pControl->GetBeginGroup())
            x += 6;
        const CSize sz = pControl->GetSize(&dc);
        pControl->SetRect(CRect(CPoint(x, rcTabs.top + (nTabsHeight - sz.cy) / 2), sz));
        x += sz.cx;
    }

    // The quick access toolbar.
    const BOOL bInTabsRow = m_bQuickAccessVisible && !m_bQuickAccessBelow && !bCaptionVisible;
    if (bInTabsRow)
        m_rcQuickAccess.SetRect(x + 5, rcTabs.top, m_rcQuickAccess.right, rcTabs.bottom);
    int nRightLimit = nWidth - 3 * GetCaptionHeight();
    if (m_bQuickAccessBelow)
        nRightLimit = nWidth - 15;
    else if (bComposited)
        nRightLimit = nWidth - 115;
    const int nQuickAccessEnd =
        RepositionQuickAccess(&dc, m_rcQuickAccess.left, nRightLimit, bCaptionVisible, bSystemButtonInTabs,
                              !bCaptionVisible && !m_bTabsVisible);
    if (!m_bQuickAccessBelow)
        m_rcQuickAccess.right = nQuickAccessEnd;
    if (bInTabsRow)
        x = nQuickAccessEnd;

    // Right-aligned controls of the tabs row, from the right edge leftwards.
    int nRight = nWidth;
    for (auto it = tabRow.rbegin(); it != tabRow.rend(); ++it) {
        CKitControl* pControl = *it;
        if ((pControl->GetFlags() & kFlagTabsRowRight) == 0)
            continue;
        pControl->SetHidden(kHideWithTabs, !m_bTabsVisible);
        pControl->SetBeginGroup(FALSE);
        if (!pControl->IsVisible())
            continue;
        const CSize sz = pControl->GetSize(&dc);
        nRight -= sz.cx;
        pControl->SetRect(CRect(CPoint(nRight, rcTabs.top + (nTabsHeight - sz.cy) / 2), sz));
    }

    // The tab strip.
    if (!m_bTabsVisible)
        m_rcTabControl.SetRect(0, rcTabs.top, 0, rcTabs.top + 1);
    else if (nRight - x < 6)
        m_rcTabControl.SetRect(0, rcTabs.top, 0, rcTabs.bottom + 1);
    else
        m_rcTabControl.SetRect(x, rcTabs.top, nRight, rcTabs.bottom + 1);
    m_pControlTab->SetHidden(kitHideUser, !m_bTabsVisible);
    m_pControlTab->SetRect(m_rcTabControl);
    if (m_bTabsVisible && !m_rcTabControl.IsRectEmpty())
        m_pControlTab->GetPaintManager()->RepositionTabControl(m_pControlTab, &dc, m_rcTabControl);

    m_rcGroups = rcGroups;
    CKitRibbonTab* pSelected = GetSelectedTab();
    if (pSelected != nullptr && !IsBackstageViewVisible()) {
        const int nMargin = pRibbonPainter->GetGroupSpacing() > 0 ? 4 : 0;
        CKitRibbonGroups* pGroups = pSelected->GetGroups();
        pGroups->RepositionGroups(&dc, rcGroups.Width(),
                                  CRect(rcGroups.left + nMargin, rcGroups.top + 3, nMargin + 4, 3));
        // The scroll buttons join the controls the first time the groups do not fit.
        const BOOL bScroll = pGroups->IsScrollLeftVisible() || pGroups->IsScrollRightVisible();
        if (bScroll && m_pScrollLeft == nullptr)
            InitScrollableBar(this);
        const BOOL bShown = IsGroupsVisible();
        ShowScrollButtons(bShown && pGroups->IsScrollLeftVisible(), bShown && pGroups->IsScrollRightVisible());
    } else {
        ShowScrollButtons(FALSE, FALSE);
    }
    if (m_pFrameHook != nullptr && bCaptionVisible)
        RepositionCaptionButtons(&dc);
    dc.SelectObject(pOldFont);

    if (bCaptionVisible)
        RepositionContextHeaders();
    else
        RemoveContextHeaders();
}

void CKitRibbonBar::DrawCommandBar(CDC* pDC, CRect rcClip)
{
    CKitPaintManager* pPainter = GetBarPaintManager();
    CKitRibbonPaintManager* pRibbonPainter = pPainter->GetRibbonPaintManager();
    pDC->SetBkMode(TRANSPARENT);
    CFont* pOldFont = pDC->SelectObject(pPainter->GetCommandBarFont(this));
    CRect rcIntersect;
    pRibbonPainter->FillRibbonBar(pDC, this);
    if (m_pFrameHook != nullptr && rcIntersect.IntersectRect(rcClip, m_rcCaption))
        pRibbonPainter->DrawRibbonFrameCaption(pDC, this, m_pFrameHook->IsActive());
    else if (m_bShowCaptionBar)
        pRibbonPainter->DrawRibbonCaptionBar(pDC, this);
    CKitRibbonTab* pSelected = GetSelectedTab();
    if (IsGroupsVisible())
        pRibbonPainter->FillRibbonGroupsArea(pDC, pSelected, m_rcGroups);
    if (m_bTabsVisible && rcIntersect.IntersectRect(rcClip, m_rcTabControl)) {
        CKitTabPaintManager* pTabPainter = m_pControlTab->GetPaintManager();
        pTabPainter->m_bStripMnemonics = !IsKeyboardCuesVisible();
        pTabPainter->DrawTabControl(m_pControlTab, pDC, m_rcTabControl);
    }
    if (IsGroupsVisible()) {
        CKitRibbonGroups* pGroups = pSelected->GetGroups();
        for (int i = 0; i < pGroups->GetCount(); ++i) {
            CKitRibbonGroup* pGroup = pGroups->GetAt(i);
            if (pGroup->IsVisible() && rcIntersect.IntersectRect(rcClip, pGroup->GetRect()))
                pGroup->Draw(pDC, rcClip);
        }
    }
    BOOL bFirst = TRUE;
    for (int i = 0; i < GetControlCount(); ++i) {
        CKitControl* pControl = GetControl(i);
        if (pControl == m_pControlTab || pControl->GetRibbonGroup() != nullptr || !pControl->IsVisible())
            continue;
        if (pControl->GetBeginGroup() && !bFirst)
            pPainter->DrawCommandBarSeparator(pDC, this, pControl, TRUE);
        bFirst = FALSE;
        if (rcIntersect.IntersectRect(rcClip, pControl->GetRect()))
            pControl->Draw(pDC);
    }
    pDC->SelectObject(pOldFont);
}

void CKitRibbonBar::RepositionContextHeaders()
{
    RemoveContextHeaders();
    if (GetTabCount() == 0)
        return;
    CRect rcFree = m_rcCaptionFree;
    if (m_bQuickAccessVisible && !m_bQuickAccessBelow && m_pFrameHook == nullptr)
        rcFree.left = m_rcQuickAccess.right + (m_pQuickAccessPopup->IsVisible()
                                                   ? m_pQuickAccessPopup->GetRect().Width() + 2
                                                   : 12);
    CKitRibbonTabContextHeader* pCurrent = nullptr;
    for (int i = 0; i < GetTabCount(); ++i) {
        CKitRibbonTab* pTab = GetTab(i);
        pTab->SetContextHeader(nullptr);
        if (!pTab->IsVisible())
            continue;
        if (pTab->GetContextColor() == CKitRibbonTab::kContextNone || pTab->GetContextCaption().IsEmpty()) {
            pCurrent = nullptr;
            continue;
        }
        const CRect rcTab = pTab->GetRect();
        if (pCurrent != nullptr && pCurrent->m_nColor == pTab->GetContextColor() &&
            pCurrent->m_strCaption == pTab->GetContextCaption()) {
            pCurrent->m_pLastTab = pTab;
            pCurrent->m_rcHeader.right = rcTab.right;
            pTab->SetContextHeader(pCurrent);
            continue;
        }
        pCurrent = new CKitRibbonTabContextHeader(pTab);
        pCurrent->m_rcHeader.SetRect(rcTab.left, m_rcCaption.top + 4, rcTab.right, m_rcCaption.bottom);
        m_arrContextHeaders.push_back(pCurrent);
    }
    if (m_arrContextHeaders.empty())
        return;

    // Headers left of the free part move right; headers past its end are cut.
    int nLeftBound = rcFree.left;
    for (CKitRibbonTabContextHeader* pHeader : m_arrContextHeaders) {
        CRect& rc = pHeader->m_rcHeader;
        if (rc.left >= nLeftBound)
            break;
        rc.left = nLeftBound;
        rc.right = std::max(rc.right, rc.left + kMinContextHeaderWidth);
        nLeftBound = rc.right;
    }
    int nRightBound = rcFree.right;
    for (auto it = m_arrContextHeaders.rbegin(); it != m_arrContextHeaders.rend(); ++it) {
        CRect& rc = (*it)->m_rcHeader;
        if (rc.right <= nRightBound)
            break;
        rc.right = nRightBound;
        rc.left = std::min(rc.left, rc.right - kMinContextHeaderWidth);
        nRightBound = rc.left;
        // The header to the left is cut in turn; only the free part's own edge ends the fitting.
        if (rc.left < rcFree.left) {
            RemoveContextHeaders();
            return;
        }
    }

    // The title keeps clear of the headers.
    const CRect rcHeaders(m_arrContextHeaders.front()->m_rcHeader.left, m_rcCaption.top + 6,
                          m_arrContextHeaders.back()->m_rcHeader.right, m_rcCaption.bottom);
    CRect rcOverlap;
    if (!m_rcTitle.IsRectEmpty() && rcOverlap.IntersectRect(&m_rcTitle, &rcHeaders)) {
        if (m_rcTitle.CenterPoint().x > rcHeaders.CenterPoint().x) {
            m_rcTitle.left = rcHeaders.right;
            m_rcTitle.right = std::min(m_rcTitle.right, rcFree.right);
        } else {
            m_rcTitle.right = rcHeaders.left;
            m_rcTitle.left = std::max(m_rcTitle.left, rcFree.left);
        }
    }
}

CSize CKitRibbonBar::GetAutomaticIconSize() const
{
    return GetBarPaintManager()->GetAutoIconSize(FALSE);
}

CSize CKitRibbonBar::GetButtonSize(BOOL /*bAutomatic*/) const
{
    if (m_szButtons.cx > 0 && m_szButtons.cy > 0)
        return m_szButtons;
    const int nSide = GetBarPaintManager()->GetControlHeight();
    return CSize(nSide, nSide);
}

void CKitRibbonBar::SetVisible(BOOL bVisible)
{
    const BOOL bWasVisible = IsVisible();
    CKitMenuBar::SetVisible(bVisible);
    if (m_pFrameHook != nullptr && bWasVisible != IsVisible())
        m_pFrameHook->RecalcFrameLayout();
}

BOOL CKitRibbonBar::IsKeyboardCuesVisible() const
{
    CKitCommandBarManager* pCommandBars = GetCommandBars();
    if (pCommandBars == nullptr)
        return TRUE;
    if (pCommandBars->GetCommandBarsOptions()->bEnableKeyboardTips)
        return FALSE;
    return pCommandBars->IsKeyboardCuesVisible();
}

BOOL CKitRibbonBar::SetTrackingMode(int nMode, BOOL bSelectFirst, BOOL bKeyboard)
{
    m_pControlTab->ClearHotTab();
    if (m_bTracking || nMode != 0) {
        if (CKitRibbonGroup* pHot = GetHighlightedGroup()) {
            SetHighlightedGroup(nullptr);
            if (GetSafeHwnd() != nullptr) {
                const CRect rc = pHot->GetRect();
                Redraw(&rc);
            }
        }
    }
    const BOOL bResult = CKitMenuBar::SetTrackingMode(nMode, bSelectFirst, bKeyboard);
    if (nMode == 0 && m_pSystemButton != nullptr) {
        // The system button's menu, opened apart from the bar's own popup, closes with the tracking.
        auto* pMenu = dynamic_cast<CKitPopupBar*>(m_pSystemButton->GetCommandBar());
        if (pMenu != nullptr && pMenu->IsTrackingMode())
            pMenu->SetTrackingMode(FALSE);
    }
    return bResult;
}

void CKitRibbonBar::OnControlSelected(CKitControl* pControl)
{
    CKitRibbonGroup* pGroup = pControl->GetRibbonGroup();
    CKitRibbonTab* pTab = pGroup != nullptr ? pGroup->GetRibbonTab() : nullptr;
    if (pTab == nullptr)
        return;
    if (pTab != GetSelectedTab()) {
        m_pControlTab->SetSelectedItem(pTab);
        if (!IsScrollButtonShown())
            return;
        // The new tab's controls take their places before the control is brought into view.
        if (GetSafeHwnd() != nullptr && (m_dwState & kStateLayoutPending) != 0)
            OnRecalcLayout();
    }
    if (IsScrollButtonShown())
        EnsureVisible(pTab->GetGroups(), pControl->GetRect());
}

void CKitRibbonBar::SwitchMdiMenu(HMENU hMenu)
{
    CKitMenuBar::SwitchMdiMenu(hMenu);
    if (m_pFrameHook == nullptr)
        return;
    CWnd* pSite = GetSite();
    CString strText;
    if (pSite != nullptr && pSite->GetSafeHwnd() != nullptr)
        pSite->GetWindowText(strText);
    if (strText != m_strTitleText)
        m_dwState |= kStateLayoutPending;
}

CKitRibbonGroup* CKitRibbonBar::FindGroup(int nId) const
{
    for (int i = 0; i < GetTabCount(); ++i) {
        if (CKitRibbonGroup* pGroup = GetTab(i)->FindGroup(nId))
            return pGroup;
    }
    return nullptr;
}

BOOL CKitRibbonBar::IsRectOnCompositedFrame(const CRect& rc) const
{
    return GetRibbonPaintManager()->IsRectOnCompositedFrame(const_cast<CKitRibbonBar*>(this), rc);
}

BOOL CKitRibbonBar::IsGroupsVisible() const
{
    return m_bGroupsVisible && GetSelectedTab() != nullptr && !m_bMinimized;
}

BOOL CKitRibbonBar::HasVisibleQuickAccessControl() const
{
    for (int i = 0; i < m_pQuickAccessControls->GetCount(); ++i) {
        if (m_pQuickAccessControls->GetAt(i)->IsVisible())
            return TRUE;
    }
    return FALSE;
}

BOOL CKitRibbonBar::IsBackstageViewVisible() const
{
    if (m_pSystemButton == nullptr || !m_pSystemButton->GetPopuped())
        return FALSE;
    CKitCommandBar* pPopup = m_pSystemButton->GetCommandBar();
    return pPopup != nullptr && pPopup->IsKindOf(RUNTIME_CLASS(CKitRibbonBackstageView));
}

BOOL CKitRibbonBar::IsDwmEnabled() const
{
    return m_pFrameHook != nullptr && m_pFrameHook->IsComposited();
}

CKitRibbonTabContextHeader* CKitRibbonBar::GetContextHeader(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetContextHeaderCount())
        AfxThrowInvalidArgException();
    return m_arrContextHeaders[nIndex];
}

void CKitRibbonBar::RemoveContextHeaders()
{
    for (int i = 0; i < GetTabCount(); ++i)
        GetTab(i)->SetContextHeader(nullptr);
    for (CKitRibbonTabContextHeader* pHeader : m_arrContextHeaders)
        delete pHeader;
    m_arrContextHeaders.clear();
}

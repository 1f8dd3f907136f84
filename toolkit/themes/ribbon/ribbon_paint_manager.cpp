// The ribbon painter drawn from the theme's pictures, with the tab strip's appearance and colour sets.
#include "toolkit/themes/ribbon/ribbon_paint_manager.h"

#include "toolkit/commandbars/command_bar.h"
#include "toolkit/commandbars/control.h"
#include "toolkit/commandbars/controls.h"
#include "toolkit/commandbars/popup_bar.h"
#include "toolkit/common/image_manager.h"
#include "toolkit/common/resource_images.h"
#include "toolkit/common/system.h"
#include "toolkit/common/theme_wrapper.h"
#include "toolkit/themes/paint/frame_hook.h"
#include "toolkit/themes/paint/frame_paint_manager.h"
#include "toolkit/themes/paint/resource_painters.h"
#include "toolkit/themes/ribbon/ribbon_bar.h"
#include "toolkit/themes/ribbon/ribbon_control_tab.h"
#include "toolkit/themes/ribbon/ribbon_group.h"
#include "toolkit/themes/ribbon/ribbon_quick_access.h"
#include "toolkit/themes/ribbon/ribbon_system_button.h"
#include "toolkit/themes/ribbon/ribbon_tab.h"
#include "toolkit/themes/tabs/tab_manager.h"

#include "framework/wnd.h"

#include <uxtheme.h>
#include <vssym32.h>

#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <memory>
#include <string>

IMPLEMENT_DYNAMIC(CKitRibbonPaintManager, CCmdTarget)

namespace {

constexpr COLORREF kTransparent = RGB(255, 0, 255);
constexpr COLORREF kNone = CKitPaintManagerColor::kNone;
const char* const kRibbonSection = "Ribbon";
const char* const kContextColorNames[] = {"BLUE", "YELLOW", "GREEN", "RED", "PURPLE", "CYAN", "ORANGE"};
// The least menu-font height the captions are measured from.
constexpr int kMinFontHeight = 11;
constexpr int kMinGroupCaptionHeight = 17;
constexpr int kMinCaptionHeight = 18;
constexpr int kTabsHeight = 23;
// The glow round caption text on glass.
constexpr int kCaptionGlowSize = 8;

CKitRibbonBar* RibbonBarOf(CKitCommandBar* pBar)
{
    return dynamic_cast<CKitRibbonBar*>(pBar);
}

CRect ClientRectOf(CKitCommandBar* pBar)
{
    CRect rc;
    if (pBar != nullptr && pBar->GetSafeHwnd() != nullptr)
        ::GetClientRect(pBar->GetSafeHwnd(), &rc);
    return rc;
}

BOOL IsKeyboardSelection(int nSelected)
{
    return nSelected == 2 || nSelected == 3;
}

} // namespace

CKitRibbonPaintManager::CKitRibbonPaintManager(CKitPaintManager* pPaintManager) : m_pPaintManager(pPaintManager)
{
    m_pTabPaintManager = CreateTabPaintManager();
    m_pTabPaintManager->RefreshMetrics();
}

CKitRibbonPaintManager::~CKitRibbonPaintManager()
{
    if (m_pTabPaintManager != nullptr)
        m_pTabPaintManager->InternalRelease();
}

// ---- helpers ----

CKitResourceImages* CKitRibbonPaintManager::GetImages() const
{
    return CKitResourceImages::Instance();
}

CKitResourceImage* CKitRibbonPaintManager::LoadRibbonImage(LPCSTR lpszName) const
{
    return GetImages()->LoadImage(lpszName);
}

CString CKitRibbonPaintManager::GetContextColorName(int nColor)
{
    if (nColor < 1 || nColor > static_cast<int>(std::size(kContextColorNames)))
        return CString();
    return CString(kContextColorNames[nColor - 1]);
}

CString CKitRibbonPaintManager::FormatString(LPCSTR lpszFormat, LPCSTR lpszArgument)
{
    CString str;
    str.Format(lpszFormat, lpszArgument);
    return str;
}

int CKitRibbonPaintManager::GetFontHeightSetting() const
{
    return m_pPaintManager != nullptr ? m_pPaintManager->m_nFontHeight : 0;
}

int CKitRibbonPaintManager::GetControlHeight() const
{
    const int nHeight = m_pPaintManager != nullptr ? m_pPaintManager->GetControlHeight() : 0;
    return std::max(nHeight, CKitPaintManager::kMinControlHeight);
}

BOOL CKitRibbonPaintManager::IsRectOnCompositedFrame(CKitCommandBar* pBar, const CRect& rc) const
{
    CKitRibbonBar* pRibbonBar = RibbonBarOf(pBar);
    if (pRibbonBar == nullptr || !pRibbonBar->IsDwmEnabled())
        return FALSE;
    CRect rcCaption = pRibbonBar->GetCaptionRect();
    if (m_bFlatFrame)
        rcCaption.bottom += pRibbonBar->GetTabControlRect().Height();
    CRect rcCommon;
    return rcCommon.IntersectRect(rcCaption, rc);
}

BOOL CKitRibbonPaintManager::IsControlRectOnCompositedFrame(CKitControl* pControl) const
{
    return IsRectOnCompositedFrame(pControl->GetParent(), pControl->GetRect());
}

BOOL CKitRibbonPaintManager::DrawImage(CDC* pDC, LPCSTR lpszName, const CRect& rc, int nState, int nStates,
                                       const CRect& rcMargins)
{
    CKitResourceImage* pImage = LoadRibbonImage(lpszName);
    if (pImage == nullptr)
        return FALSE;
    if (!rc.IsRectEmpty())
        pImage->DrawImageTransparent(pDC, rc, pImage->GetSource(nState, nStates), rcMargins, kTransparent);
    return TRUE;
}

BOOL CKitRibbonPaintManager::DrawImageAlpha(CDC* pDC, LPCSTR lpszName, const CRect& rc, int nState, int nStates,
                                            const CRect& rcMargins)
{
    CKitResourceImage* pImage = LoadRibbonImage(lpszName);
    if (pImage == nullptr)
        return FALSE;
    pImage->SetAlpha(TRUE);
    if (!rc.IsRectEmpty())
        pImage->DrawImageTransparent(pDC, rc, pImage->GetSource(nState, nStates), rcMargins, kTransparent);
    return TRUE;
}

CRect CKitRibbonPaintManager::GetRibbonClientRect(CKitRibbonBar* pRibbonBar)
{
    CRect rc = ClientRectOf(pRibbonBar);
    if (pRibbonBar->GetFrameHook() != nullptr)
        rc.top += pRibbonBar->GetCaptionHeight();
    return rc;
}

BOOL CKitRibbonPaintManager::IsQuickAccessInCaption(CKitRibbonBar* pRibbonBar)
{
    return !pRibbonBar->IsQuickAccessBelowRibbon() && pRibbonBar->IsQuickAccessVisible() &&
           pRibbonBar->HasVisibleQuickAccessControl();
}

CRect CKitRibbonPaintManager::CentreRect(const CRect& rc, CSize sz)
{
    return CRect(CPoint(rc.left + (rc.Width() - sz.cx) / 2, rc.top + (rc.Height() - sz.cy) / 2), sz);
}

void CKitRibbonPaintManager::DrawControlFace(CDC* pDC, CKitControl* pControl)
{
    const CKitPaintManager::ControlState state = CKitPaintManager::GetControlState(pControl);
    m_pPaintManager->DrawRectangle(pDC, pControl->GetRect(), state.bSelected, state.bPressed, state.bEnabled,
                                   state.bChecked, state.bPopuped, state.nBarType, state.nBarPosition);
}

void CKitRibbonPaintManager::FillTabPopupToolBar(CDC* pDC, CKitCommandBar* pPopupBar)
{
    KitFillSolidRectIfColor(pDC, ClientRectOf(pPopupBar), m_clrRibbonFace);
}

// ---- metrics ----

void CKitRibbonPaintManager::RefreshMetrics()
{
    NONCLIENTMETRICSA ncm = {};
    ncm.cbSize = sizeof(ncm);
    if (m_pPaintManager != nullptr)
        m_pPaintManager->ReadNonClientMetrics(ncm);
    else
        ::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0);
    int nFontHeight = std::abs(static_cast<int>(ncm.lfMenuFont.lfHeight));
    if (GetFontHeightSetting() > kMinFontHeight)
        nFontHeight = GetFontHeightSetting();
    if (nFontHeight <= 12)
        nFontHeight = kMinFontHeight;

    LOGFONTA lf = {};
    if (m_pPaintManager != nullptr && m_pPaintManager->GetRegularFont()->GetSafeHandle() != nullptr)
        m_pPaintManager->GetRegularFont()->GetLogFont(&lf);
    else
        ::GetObjectA(::GetStockObject(DEFAULT_GUI_FONT), sizeof(lf), &lf);
    m_fontRibbon.SetStandardFontIndirect(&lf);

    m_nTabsHeight = GetControlHeight() <= CKitPaintManager::kMinControlHeight ? kTabsHeight : GetControlHeight() + 2;
    m_nGroupCaptionHeight = std::max(kMinGroupCaptionHeight, nFontHeight * 144 / 96);

    CKitResourceImages* pImages = GetImages();
    m_clrRibbonFace = pImages->GetImageColor(kRibbonSection, "RibbonFace");
    m_clrRibbonInactiveFace = pImages->GetImageColor(kRibbonSection, "RibbonInactiveFace");

    m_pTabPaintManager->RefreshMetrics();
    m_pTabPaintManager->SetFontIndirect(&lf, TRUE);
    CKitTabPaintManagerColorSet* pColorSet = m_pTabPaintManager->GetColorSet();
    pColorSet->m_clrNormalText.SetStandardValue(pImages->GetImageColor(kRibbonSection, "TabNormalText"));
    pColorSet->m_clrHotText.SetStandardValue(pImages->GetImageColor(kRibbonSection, "TabHighlightText"));
    pColorSet->m_clrSelectedText.SetStandardValue(pImages->GetImageColor(kRibbonSection, "TabSelectedText"));

    m_clrGroupCaptionText = pImages->GetImageColor(kRibbonSection, "GroupCaptionText");
    m_clrMinimizedFrameEdgeHighlight = pImages->GetImageColor(kRibbonSection, "MinimizedFrameEdgeHighLight");
    m_clrMinimizedFrameEdgeShadow = pImages->GetImageColor(kRibbonSection, "MinimizedFrameEdgeShadow");
    m_clrRecentFileListEdgeShadow = pImages->GetImageColor(kRibbonSection, "RecentFileListEdgeShadow");
    m_clrRecentFileListEdgeHighlight = pImages->GetImageColor(kRibbonSection, "RecentFileListEdgeHighLight");

    m_nCaptionHeight = std::max(kMinCaptionHeight, ::GetSystemMetrics(SM_CYCAPTION) + 1);

    m_nGroupSpacing = pImages->GetImageInt(kRibbonSection, "GroupSpacing", 2);
    m_bFlatFrame = pImages->GetImageInt("Window", "FlatFrame", 0);
    m_clrFileButtonText = pImages->GetImageColor(kRibbonSection, "FileButtonText");
    m_rcFileButtonMargin = pImages->GetImageRect(kRibbonSection, "FileButtonMargin", CRect(0, 0, 0, 0));
    m_nFileButtonImageCount = pImages->GetImageInt(kRibbonSection, "FileButtonImageCount", 3);
}

CKitTabPaintManager* CKitRibbonPaintManager::CreateTabPaintManager()
{
    auto* pTabPaintManager = new CKitTabPaintManager;
    pTabPaintManager->SetAppearanceSet(new CRibbonAppearanceSet(this));
    pTabPaintManager->SetLayout(CKitTabPaintManager::kLayoutCompressed);
    pTabPaintManager->SetColorSet(new CRibbonColorSet);
    pTabPaintManager->m_bHotTracking = TRUE;
    pTabPaintManager->m_nClientFrame = CKitTabPaintManager::kClientFrameSingleLine;
    pTabPaintManager->m_rcButtonMargin.SetRect(0, 2, 0, 2);
    pTabPaintManager->m_rcTextMargin.SetRect(4, 0, 4, 0);
    pTabPaintManager->m_bFillBackground = FALSE;
    pTabPaintManager->m_bEndEllipsis = FALSE;
    pTabPaintManager->m_bNoPrefix = FALSE;
    pTabPaintManager->m_bDrawFocusRect = FALSE;
    pTabPaintManager->m_nItemExtraLength = 21;
    pTabPaintManager->m_bClearType = m_pPaintManager != nullptr ? m_pPaintManager->m_bClearTypeTextQuality : FALSE;
    pTabPaintManager->m_bClipHeader = FALSE;
    pTabPaintManager->m_nToolTipMode = CKitTabPaintManager::kTooltipShortened;
    return pTabPaintManager;
}

// ---- tabs ----

CKitRibbonPaintManager::TabState CKitRibbonPaintManager::GetTabState(CKitRibbonTab* pTab)
{
    TabState state;
    CKitTabManager* pManager = pTab->GetTabManager();
    if (pManager == nullptr)
        return state;
    auto* pControlTab = dynamic_cast<CKitRibbonControlTab*>(pManager);
    state.bSelected = pManager->GetSelectedItem() == pTab;
    state.bHighlighted = pManager->GetHotItem() == pTab;
    state.bFocused = state.bSelected && pControlTab != nullptr && pControlTab->IsFocused();
    CKitRibbonBar* pRibbonBar = pTab->GetRibbonBar();
    if (pRibbonBar != nullptr && pRibbonBar->IsBackstageViewVisible()) {
        state.bSelected = FALSE;
        state.bFocused = FALSE;
    }
    if (pRibbonBar != nullptr && pRibbonBar->IsRibbonMinimized()) {
        if (pControlTab != nullptr && pControlTab->GetPopuped()) {
            state.bHighlighted = FALSE;
            state.bFocused = FALSE;
        } else {
            if (pRibbonBar->IsTrackingMode() && state.bFocused)
                state.bHighlighted = TRUE;
            state.bSelected = FALSE;
            state.bFocused = FALSE;
        }
    }
    return state;
}

void CKitRibbonPaintManager::DrawRibbonTab(CDC* pDC, CKitRibbonTab* pTab)
{
    const TabState state = GetTabState(pTab);
    const CRect rc = pTab->GetRect();
    const int nColor = pTab->GetContextColor();
    if (state.bSelected || state.bHighlighted) {
        if (nColor == CKitRibbonTab::kContextNone) {
            int nState = 0;
            if (state.bSelected)
                nState = state.bFocused ? 5 : (state.bHighlighted ? 4 : 3);
            else
                nState = pTab->GetTabManager()->GetPressedItem() == pTab ? 2 : 1;
            DrawImage(pDC, "RIBBONTAB", rc, nState, 6, CRect(5, 5, 5, 5));
        } else {
            const CString strName = FormatString("CONTEXTTAB%s", GetContextColorName(nColor));
            CKitResourceImage* pImage = LoadRibbonImage(strName);
            if (pImage != nullptr && pImage->GetHeight() < kTallContextTabHeight) {
                const int nState = state.bSelected ? (state.bFocused ? 2 : 1) : 0;
                DrawImage(pDC, strName, rc, nState, 3, CRect(5, 5, 5, 5));
            } else if (state.bSelected && (state.bFocused || state.bHighlighted)) {
                DrawImage(pDC, "RIBBONTAB", rc, 5, 6, CRect(5, 5, 5, 5));
            } else if (pImage != nullptr) {
                const int nState = state.bSelected ? 3 : (state.bHighlighted ? 1 : 0);
                DrawImage(pDC, strName, rc, nState, 5, CRect(5, 5, 5, 5));
            }
        }
    }

    if (pTab->GetLength() < pTab->GetFullLength()) {
        CKitResourceImage* pSeparator = LoadRibbonImage("RIBBONTABSEPARATOR");
        if (pSeparator != nullptr)
            DrawImage(pDC, "RIBBONTABSEPARATOR", CRect(rc.right, rc.top, rc.right + pSeparator->GetExtent().cx,
                                                       rc.bottom - 1), 0, 1, CRect(0, 0, 0, 0));
    }
    CKitRibbonTabContextHeader* pHeader = pTab->GetContextHeader();
    if (nColor != CKitRibbonTab::kContextNone && pHeader != nullptr) {
        if (pHeader->m_pFirstTab == pTab)
            DrawImage(pDC, "CONTEXTTABSEPARATOR", CRect(rc.left, rc.top, rc.left + 1, rc.bottom - 1), 0, 1,
                      CRect(0, 0, 0, 0));
        if (pHeader->m_pLastTab == pTab)
            DrawImage(pDC, "CONTEXTTABSEPARATOR", CRect(rc.right - 1, rc.top, rc.right, rc.bottom - 1), 0, 1,
                      CRect(0, 0, 0, 0));
    }
}

void CKitRibbonPaintManager::DrawContextTabsBackground(CDC* pDC, CKitRibbonBar* pRibbonBar, CRect rcTabs)
{
    for (int i = 0; i < pRibbonBar->GetContextHeaderCount(); ++i) {
        CKitRibbonTabContextHeader* pHeader = pRibbonBar->GetContextHeader(i);
        if (pHeader->m_pFirstTab == nullptr || pHeader->m_pLastTab == nullptr || pHeader->m_nColor == 0)
            continue;
        const CRect rc(pHeader->m_pFirstTab->GetRect().left, rcTabs.top, pHeader->m_pLastTab->GetRect().right,
                       pHeader->m_pLastTab->GetRect().bottom);
        DrawImage(pDC, FormatString("CONTEXTTAB%sBACKGROUND", GetContextColorName(pHeader->m_nColor)), rc, 0, 1,
                  CRect(2, 2, 2, 2));
    }
}

void CKitRibbonPaintManager::DrawContextHeaders(CDC* pDC, CKitRibbonBar* pRibbonBar)
{
    CFont* pOldFont = pDC->SelectObject(m_pTabPaintManager->GetNormalFont());
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(m_pTabPaintManager->GetColorSet()->m_clrNormalText);
    const BOOL bComposited = pRibbonBar->IsDwmEnabled();
    for (int i = 0; i < pRibbonBar->GetContextHeaderCount(); ++i) {
        CKitRibbonTabContextHeader* pHeader = pRibbonBar->GetContextHeader(i);
        const CString strName = FormatString("CONTEXTTAB%sHEADER", GetContextColorName(pHeader->m_nColor));
        if (!DrawImage(pDC, strName, pHeader->m_rcHeader, 0, 1, CRect(2, 4, 2, 2)))
            break;
        CRect rcText = pHeader->m_rcHeader;
        rcText.left += 6;
        rcText.top -= 2;
        if (pRibbonBar->GetFrameHook() != nullptr)
            rcText.top += pRibbonBar->GetFrameHook()->GetBorderWidth();
        if (bComposited)
            DrawDwmCaptionText(pDC, rcText, pHeader->m_strCaption, GetFrameWindow(pRibbonBar), TRUE);
        else
            pDC->DrawText(pHeader->m_strCaption, rcText, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
    }
    pDC->SelectObject(pOldFont);
}

// ---- bar and groups ----

void CKitRibbonPaintManager::FillRibbonGroupsArea(CDC* pDC, CKitRibbonTab* pTab, CRect rcGroups)
{
    const int nColor = pTab != nullptr ? pTab->GetContextColor() : 0;
    if (nColor == CKitRibbonTab::kContextNone) {
        DrawImage(pDC, "RIBBONGROUPS", rcGroups, 0, 1, CRect(8, 8, 8, 8));
        return;
    }
    const CString strName = FormatString("CONTEXTTAB%sCLIENT", GetContextColorName(nColor));
    CKitResourceImage* pImage = LoadRibbonImage(strName);
    if (pImage != nullptr)
        DrawImage(pDC, strName, rcGroups, 0, 1, pImage->GetExtent().cx >= 5 ? CRect(8, 8, 8, 8) : CRect(1, 8, 1, 8));
}

void CKitRibbonPaintManager::FillRibbonBar(CDC* pDC, CKitRibbonBar* pRibbonBar)
{
    const CRect rc = GetRibbonClientRect(pRibbonBar);
    const CRect rcTabRow = FillRibbonFace(pDC, pRibbonBar, rc);

    if (m_bFlatFrame) {
        if (pRibbonBar->IsDwmEnabled()) {
            pDC->FillSolidRect(rcTabRow, RGB(0, 0, 0));
            CKitResourceImage* pImage = LoadRibbonImage("RIBBONTABBACKGROUNDDWM");
            if (pImage != nullptr) {
                const int nHeight = std::min(pImage->GetHeight(), rcTabRow.Height());
                DrawImage(pDC, "RIBBONTABBACKGROUNDDWM",
                          CRect(rcTabRow.left, rcTabRow.bottom - nHeight, rcTabRow.right, rcTabRow.bottom), 0, 1,
                          CRect(10, 0, 10, 0));
            }
        } else {
            CWnd* pSite = pRibbonBar->GetSite();
            if (pSite != nullptr && ::GetActiveWindow() != pSite->GetSafeHwnd())
                KitFillSolidRectIfColor(pDC, rcTabRow, m_clrRibbonInactiveFace);
        }
    }
    if (pRibbonBar->IsQuickAccessBelowRibbon()) {
        const CRect rcQuickAccess = pRibbonBar->GetQuickAccessRect();
        DrawImage(pDC, "RIBBONQUICKACCESSFRAME", CRect(rc.left, rcQuickAccess.top, rc.right, rcQuickAccess.bottom),
                  0, 1, CRect(3, 3, 3, 3));
    } else if (!pRibbonBar->IsGroupsVisible()) {
        DrawMinimizedEdges(pDC, rc);
    }
}

CRect CKitRibbonPaintManager::FillRibbonFace(CDC* pDC, CKitRibbonBar* pRibbonBar, const CRect& rcClient)
{
    const CRect rcTabControl = pRibbonBar->GetTabControlRect();
    const CRect rcTabRow(rcClient.left, rcTabControl.top, rcClient.right, rcTabControl.bottom);
    KitFillSolidRectIfColor(pDC, rcTabRow, m_clrRibbonFace);
    KitFillSolidRectIfColor(pDC, CRect(rcClient.left, rcTabRow.bottom, rcClient.right, rcClient.bottom),
                            m_clrRibbonFace);
    return rcTabRow;
}

void CKitRibbonPaintManager::DrawMinimizedEdges(CDC* pDC, const CRect& rcClient)
{
    KitFillSolidRectIfColor(pDC, CRect(rcClient.left, rcClient.bottom - 2, rcClient.right, rcClient.bottom - 1),
                            m_clrMinimizedFrameEdgeShadow);
    KitFillSolidRectIfColor(pDC, CRect(rcClient.left, rcClient.bottom - 1, rcClient.right, rcClient.bottom),
                            m_clrMinimizedFrameEdgeHighlight);
}

void CKitRibbonPaintManager::DrawGroup(CDC* pDC, CKitRibbonGroup* pGroup)
{
    if (pGroup->IsReduced())
        return;
    const CRect rcGroup = pGroup->GetRect();
    const CRect rcCaption(rcGroup.left, rcGroup.bottom - m_nGroupCaptionHeight, rcGroup.right, rcGroup.bottom);
    CKitRibbonTab* pTab = pGroup->GetRibbonTab();
    const int nColor = pTab != nullptr ? pTab->GetContextColor() : 0;
    CString strClient = "RIBBONGROUPCLIENT";
    CString strCaption = "RIBBONGROUPCAPTION";
    if (nColor != CKitRibbonTab::kContextNone) {
        strClient = FormatString("CONTEXTTAB%sGROUPCLIENT", GetContextColorName(nColor));
        strCaption.Empty();
        if (LoadRibbonImage(strClient) == nullptr) {
            strClient = "CONTEXTTABGROUPCLIENT";
            strCaption = "CONTEXTTABGROUPCAPTION";
        }
    }
    const int nState = pGroup->IsHighlighted() ? 1 : 0;
    const CRect rcMargins(5, 5, 5, 5);
    if (!strCaption.IsEmpty() && LoadRibbonImage(strCaption) != nullptr) {
        DrawImage(pDC, strClient, CRect(rcGroup.left, rcGroup.top, rcGroup.right, rcCaption.top), nState, 2,
                  rcMargins);
        DrawImage(pDC, strCaption, rcCaption, nState, 2, rcMargins);
    } else {
        DrawImage(pDC, strClient, rcGroup, nState, 2, rcMargins);
    }
    DrawImage(pDC, "RIBBONGROUPSEPARATOR", CRect(rcGroup.right - 1, rcGroup.top + 2, rcGroup.right + 2,
                                                 rcGroup.bottom - 5), 0, 1, CRect(0, 0, 0, 0));
    DrawGroupCaption(pDC, pGroup, rcCaption);
}

void CKitRibbonPaintManager::DrawGroupCaption(CDC* pDC, CKitRibbonGroup* pGroup, const CRect& rcCaption)
{
    CString strCaption = pGroup->GetCaption();
    CKitPaintManager::StripMnemonics(strCaption);
    CRect rcText = rcCaption;
    rcText.OffsetRect(0, -1);
    if (pGroup->IsOptionButtonVisible())
        rcText.right -= m_nGroupCaptionHeight + 1;
    rcText.DeflateRect(2, 2);
    if (rcText.IsRectEmpty())
        return;
    CFont* pOldFont = pDC->SelectObject(&m_fontRibbon);
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(m_clrGroupCaptionText);
    pDC->DrawText(strCaption, rcText, DT_SINGLELINE | DT_VCENTER | DT_CENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
    pDC->SelectObject(pOldFont);
}

CSize CKitRibbonPaintManager::DrawControlGroupOption(CDC* pDC, CKitControl* pControl, BOOL bDraw)
{
    if (bDraw && pDC != nullptr) {
        const int nState = pControl->GetPressed() ? 2 : (pControl->GetSelected() ? 1 : 0);
        DrawImage(pDC, "RIBBONOPTIONBUTTON", pControl->GetRect(), nState, 4, CRect(3, 2, 2, 2));
    }
    return CSize(kOptionButtonWidth, kOptionButtonHeight);
}

CSize CKitRibbonPaintManager::DrawControlGroupPopup(CDC* pDC, CKitControl* pControl, BOOL bDraw)
{
    const int nState = pControl->GetPopuped() ? 2 : (pControl->GetSelected() ? 1 : 0);
    CKitRibbonGroup* pGroup = pControl->GetRibbonGroup();
    if (pGroup == nullptr) {
        if (bDraw) {
            if (IsControlRectOnCompositedFrame(pControl))
                DrawImageAlpha(pDC, "RIBBONGROUPQUICKACCESS", pControl->GetRect(), nState, 3, CRect(2, 2, 2, 2));
            else
                DrawImage(pDC, "RIBBONGROUPQUICKACCESS", pControl->GetRect(), nState, 3, CRect(2, 2, 2, 2));
        }
        return m_pPaintManager->DrawControlToolBarParent(pDC, pControl, bDraw);
    }
    if (bDraw) {
        CKitRibbonTab* pTab = pGroup->GetRibbonTab();
        const int nColor = pTab != nullptr ? pTab->GetContextColor() : 0;
        const CString strName = nColor != CKitRibbonTab::kContextNone
                                    ? FormatString("CONTEXTTAB%sGROUPBUTTON", GetContextColorName(nColor))
                                    : CString("RIBBONGROUPBUTTON");
        DrawImage(pDC, strName, pControl->GetRect(), nState, 3, CRect(5, 5, 5, 5));
    }
    return DrawGroupButtonContent(pDC, pControl, bDraw, TRUE);
}

CSize CKitRibbonPaintManager::DrawGroupButtonContent(CDC* pDC, CKitControl* pControl, BOOL bDraw, BOOL bIconFrame)
{
    CKitCommandBar* pBar = pControl->GetParent();
    const int nButtonHeight = pBar != nullptr ? pBar->GetButtonSize(FALSE).cy : GetControlHeight();
    CSize sz(std::max(static_cast<int>(kMinGroupButtonWidth), 2 * nButtonHeight - 3), 3 * GetControlHeight());

    CFont* pOldFont = pDC != nullptr ? pDC->SelectObject(m_pPaintManager->GetControlFont(pControl)) : nullptr;
    const CRect rc = pControl->GetRect();
    if (bDraw && pDC != nullptr) {
        const int nIconWidth = pBar != nullptr ? pBar->GetIconSize().cx : 16;
        CKitImageManagerIcon* pIcon = m_pPaintManager->GetControlImage(pControl, nIconWidth);
        if (pIcon != nullptr) {
            const CSize szIcon = pIcon->GetExtent();
            int nTop = rc.top + 4;
            if (bIconFrame && szIcon.cx < 20) {
                CKitResourceImage* pFrame = LoadRibbonImage("RIBBONGROUPBUTTONICON");
                if (pFrame != nullptr) {
                    const CSize szFrame = pFrame->GetExtent();
                    const int x = rc.left + (rc.Width() - szFrame.cx) / 2;
                    DrawImage(pDC, "RIBBONGROUPBUTTONICON", CRect(CPoint(x, rc.top + 2), szFrame), 0, 1,
                              CRect(0, 0, 0, 0));
                }
                nTop = rc.top + 9;
            }
            const CPoint pt(rc.left + (rc.Width() - szIcon.cx) / 2, nTop);
            m_pPaintManager->DrawControlImage(pDC, pt, szIcon, pIcon, pControl->GetSelected(), pControl->GetPressed(),
                                              pControl->IsEnabled(), FALSE, pControl->GetPopuped(), TRUE);
        }
        const int nBottom = rc.bottom - m_nGroupCaptionHeight - 2;
        const CRect rcText(rc.left, nBottom - m_pPaintManager->GetSplitDropDownSize(), rc.right, nBottom);
        pDC->SetTextColor(m_pPaintManager->GetControlTextColor(pControl));
        m_pPaintManager->DrawTwoLineCaption(pDC, pControl, rcText, FALSE, TRUE, TRUE);
    } else if (pDC != nullptr) {
        const CSize szText = m_pPaintManager->DrawTwoLineCaption(pDC, pControl, rc, FALSE, TRUE, FALSE);
        sz.cx = std::max(static_cast<int>(sz.cx), static_cast<int>(szText.cx) + 5);
    }
    if (pOldFont != nullptr)
        pDC->SelectObject(pOldFont);
    return sz;
}

void CKitRibbonPaintManager::FillGroupPopupToolBar(CDC* pDC, CKitRibbonGroup* pGroup, CKitCommandBar* pPopupBar)
{
    pDC->SetBkMode(TRANSPARENT);
    const CRect rc = ClientRectOf(pPopupBar);
    KitFillSolidRectIfColor(pDC, rc, m_clrRibbonFace);
    CKitRibbonTab* pTab = pGroup != nullptr ? pGroup->GetRibbonTab() : nullptr;
    const int nColor = pTab != nullptr ? pTab->GetContextColor() : 0;
    CString strName = "RIBBONGROUPPOPUPBACKGROUND";
    CString strFallback = "RIBBONGROUPS";
    if (nColor != CKitRibbonTab::kContextNone) {
        strName = FormatString("CONTEXTTAB%sGROUPPOPUPBACKGROUND", GetContextColorName(nColor));
        strFallback = FormatString("CONTEXTTAB%sCLIENT", GetContextColorName(nColor));
    }
    CRect rcFill = rc;
    CKitResourceImage* pImage = LoadRibbonImage(strName);
    if (pImage == nullptr) {
        strName = strFallback;
        pImage = LoadRibbonImage(strName);
        rcFill.InflateRect(3, 3);
    }
    if (pImage != nullptr)
        DrawImage(pDC, strName, rcFill, 0, 1, pImage->GetExtent().cx >= 8 ? CRect(8, 8, 8, 8) : CRect(2, 8, 2, 8));
}

// ---- caption band ----

void CKitRibbonPaintManager::DrawQuickAccessArea(CDC* pDC, CKitRibbonBar* pRibbonBar, BOOL bComposited)
{
    CKitControl* pSystemButton = pRibbonBar->GetSystemButton();
    if (!IsQuickAccessInCaption(pRibbonBar) || pSystemButton == nullptr ||
        pSystemButton->GetStyle() != kitButtonAutomatic)
        return;
    const CRect rcQuickAccess = pRibbonBar->GetQuickAccessRect();
    const CRect rc(rcQuickAccess.left - 15, rcQuickAccess.top, rcQuickAccess.right, rcQuickAccess.bottom);
    DrawImageAlpha(pDC, bComposited ? "RIBBONQUICKACCESSAREADWM" : "RIBBONQUICKACCESSAREA", rc, 0, 1,
                   CRect(16, 3, 16, 3));
}

void CKitRibbonPaintManager::DrawRibbonFrameCaption(CDC* pDC, CKitRibbonBar* pRibbonBar, BOOL bActive)
{
    const CRect rcCaption = pRibbonBar->GetCaptionRect();
    const BOOL bComposited = pRibbonBar->IsDwmEnabled();
    if (bComposited) {
        pDC->FillSolidRect(rcCaption, RGB(0, 0, 0));
        if (m_bFlatFrame) {
            const CRect rcTabs = pRibbonBar->GetTabControlRect();
            DrawImage(pDC, "RIBBONTABBACKGROUNDDWM", CRect(rcCaption.left, rcCaption.bottom, rcCaption.right,
                                                           rcTabs.bottom), 0, 1, CRect(10, 0, 10, 0));
        }
    } else {
        const int nState = bActive ? 0 : 1;
        const CRect rcMargins(0, 5, 0, 3);
        CKitResourceImage* pLeft = LoadRibbonImage("FRAMETOPLEFT");
        CKitResourceImage* pRight = LoadRibbonImage("FRAMETOPRIGHT");
        const int nLeft = pLeft != nullptr ? pLeft->GetExtent().cx : 0;
        const int nRight = pRight != nullptr ? pRight->GetExtent().cx : 0;
        DrawImage(pDC, "FRAMETOPLEFT", CRect(rcCaption.left, rcCaption.top, rcCaption.left + nLeft, rcCaption.bottom),
                  nState, 2, rcMargins);
        DrawImage(pDC, "FRAMETOPCENTER",
                  CRect(rcCaption.left + nLeft, rcCaption.top, rcCaption.right - nRight, rcCaption.bottom), nState, 2,
                  rcMargins);
        DrawImage(pDC, "FRAMETOPRIGHT",
                  CRect(rcCaption.right - nRight, rcCaption.top, rcCaption.right, rcCaption.bottom), nState, 2,
                  rcMargins);
    }
    DrawQuickAccessArea(pDC, pRibbonBar, bComposited);

    CKitControl* pSystemButton = pRibbonBar->GetSystemButton();
    CWnd* pFrame = GetFrameWindow(pRibbonBar);
    const HICON hIcon =
        pFrame != nullptr ? CKitFramePaintManager::GetFrameSmallIcon(pFrame->GetSafeHwnd()) : nullptr;
    if ((pSystemButton == nullptr || pSystemButton->GetStyle() != kitButtonAutomatic) && hIcon != nullptr) {
        const CSize szIcon(::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON));
        const int nBorder = pRibbonBar->GetFrameHook() != nullptr ? pRibbonBar->GetFrameHook()->GetBorderWidth() : 0;
        const int x = rcCaption.left + nBorder + 1;
        const int y = rcCaption.top + (rcCaption.Height() - szIcon.cy) / 2;
        DrawFrameIcon(pDC, pRibbonBar, x, y, x + szIcon.cx, y + szIcon.cy, hIcon);
        CKitResourceImage* pSeparator = LoadRibbonImage("SYSTEMICONSEPARATOR");
        if (pSeparator != nullptr && IsQuickAccessInCaption(pRibbonBar)) {
            const CSize sz = pSeparator->GetExtent();
            const CPoint pt(x + szIcon.cx + 6, rcCaption.top + (rcCaption.Height() - sz.cy) / 2);
            DrawImage(pDC, "SYSTEMICONSEPARATOR", CRect(pt, sz), 0, 1, CRect(0, 0, 0, 0));
        }
    }
    if (pRibbonBar->GetContextHeaderCount() > 0)
        DrawContextHeaders(pDC, pRibbonBar);
    DrawFrameCaptionText(pDC, pRibbonBar, bActive);
}

CWnd* CKitRibbonPaintManager::GetFrameWindow(CKitRibbonBar* pRibbonBar)
{
    return pRibbonBar->GetFrameWindow();
}

void CKitRibbonPaintManager::DrawFrameCaptionText(CDC* pDC, CKitRibbonBar* pRibbonBar, BOOL bActive)
{
    CWnd* pFrame = GetFrameWindow(pRibbonBar);
    if (pFrame == nullptr || pFrame->GetSafeHwnd() == nullptr)
        return;
    CKitFramePaintManager* pFramePainter = m_pPaintManager->GetFramePaintManager();
    CString strText;
    pFrame->GetWindowText(strText);
    CRect rcText = pRibbonBar->GetTitleRect();
    CFont* pOldFont = pDC->SelectObject(pFramePainter->GetCaptionFont());
    const int nFree = rcText.Width() - pDC->GetTextExtent(strText).cx;
    pDC->SelectObject(pOldFont);
    if (nFree > 0)
        rcText.left += nFree / 2;
    if ((pFrame->GetStyle() & WS_MAXIMIZE) != 0 && pRibbonBar->GetFrameHook() != nullptr)
        rcText.top += pRibbonBar->GetFrameHook()->GetBorderWidth() / 2;
    if (!pRibbonBar->IsDwmEnabled()) {
        pFramePainter->DrawCaptionText(pDC, rcText, pFrame, bActive);
        return;
    }
    pOldFont = pDC->SelectObject(pFramePainter->GetCaptionFont());
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    DrawDwmCaptionText(pDC, rcText, strText, pFrame, bActive);
    pDC->SetBkMode(nOldMode);
    pDC->SelectObject(pOldFont);
}

void CKitRibbonPaintManager::DrawDwmCaptionText(CDC* pDC, const CRect& rc, const CString& strText, CWnd* pFrame,
                                                BOOL bActive)
{
    const UINT nFormat = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX;
    const BOOL bMaximized =
        pFrame != nullptr && pFrame->GetSafeHwnd() != nullptr && (pFrame->GetStyle() & WS_MAXIMIZE) != 0;
    CRect rcText = rc;
    if (bMaximized && !CKitOsVersion::Instance()->IsWin7OrGreater()) {
        const COLORREF clrOld = pDC->SetTextColor(RGB(255, 255, 255));
        pDC->DrawText(strText, rcText, nFormat);
        pDC->SetTextColor(clrOld);
        return;
    }
    std::unique_ptr<CKitWinThemeWrapper> pTheme = m_pPaintManager->CreateThemeWrapper();
    pTheme->OpenThemeData(pFrame != nullptr ? pFrame->GetSafeHwnd() : nullptr, L"WINDOW");
    if (!pTheme->IsAppThemed()) {
        pDC->DrawText(strText, rcText, nFormat);
        return;
    }
    rcText.InflateRect(5, 0);
    BP_PAINTPARAMS params = {sizeof(BP_PAINTPARAMS)};
    HDC hdcBuffer = nullptr;
    HPAINTBUFFER hBuffer = pTheme->BeginBufferedPaint(pDC->m_hDC, &rcText, BPBF_TOPDOWNDIB, &params, &hdcBuffer);
    if (hBuffer == nullptr) {
        pDC->DrawText(strText, rcText, nFormat);
        return;
    }
    ::BitBlt(hdcBuffer, rcText.left, rcText.top, rcText.Width(), rcText.Height(), pDC->m_hDC, rcText.left, rcText.top,
             SRCCOPY);
    CFont* pFont = m_pPaintManager->GetFramePaintManager()->GetCaptionFont();
    HGDIOBJ hOldFont = ::SelectObject(hdcBuffer, pFont != nullptr ? pFont->GetSafeHandle()
                                                                  : ::GetCurrentObject(pDC->m_hDC, OBJ_FONT));
    DTTOPTS options = {sizeof(DTTOPTS)};
    options.dwFlags = DTT_COMPOSITED | DTT_GLOWSIZE;
    options.iGlowSize = kCaptionGlowSize;
    const int nLength = ::MultiByteToWideChar(CP_ACP, 0, strText, -1, nullptr, 0);
    std::wstring wide(static_cast<size_t>(std::max(nLength, 1)), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, strText, -1, &wide[0], nLength);
    pTheme->DrawThemeTextEx(hdcBuffer, bMaximized ? WP_MAXCAPTION : WP_CAPTION, bActive ? CS_ACTIVE : CS_INACTIVE,
                            wide.c_str(), -1, nFormat, &rcText, &options);
    ::SelectObject(hdcBuffer, hOldFont);
    pTheme->EndBufferedPaint(hBuffer, TRUE);
}

void CKitRibbonPaintManager::DrawFrameIcon(CDC* pDC, CKitRibbonBar* pRibbonBar, int nLeft, int nTop, int nRight,
                                           int nBottom, HICON hIcon)
{
    if (pRibbonBar == nullptr || !pRibbonBar->IsDwmEnabled()) {
        ::DrawIconEx(pDC->GetSafeHdc(), nLeft, nTop, hIcon, nRight - nLeft, nBottom - nTop, 0, nullptr, DI_NORMAL);
        return;
    }
    if (hIcon != m_hCachedFrameIcon) {
        m_hCachedFrameIcon = hIcon;
        m_bCachedFrameIconAlpha = CKitImageManagerIcon::IsAlphaIconHandle(hIcon);
    }
    if (m_bCachedFrameIconAlpha)
        ::DrawIconEx(pDC->GetSafeHdc(), nLeft, nTop, hIcon, nRight - nLeft, nBottom - nTop, 0, nullptr, DI_NORMAL);
    else
        CKitImageManagerIcon::DrawIconHandle(pDC, CPoint(nLeft, nTop), CSize(nRight - nLeft, nBottom - nTop), hIcon);
}

void CKitRibbonPaintManager::DrawRibbonFlatFrameEdges(CDC* pDC, CKitRibbonBar* pRibbonBar)
{
    CKitFrameHook* pHook = pRibbonBar->GetFrameHook();
    if (!m_bFlatFrame || !pRibbonBar->IsCaptionVisible() || pHook == nullptr || pRibbonBar->GetSafeHwnd() == nullptr)
        return;
    CRect rcWindow, rcClient, rcBar;
    ::GetWindowRect(pHook->GetSafeHwnd(), &rcWindow);
    ::GetClientRect(pHook->GetSafeHwnd(), &rcClient);
    ::MapWindowPoints(pHook->GetSafeHwnd(), nullptr, reinterpret_cast<POINT*>(&rcClient), 2);
    pRibbonBar->GetWindowRect(&rcBar);
    const COLORREF clr = pHook->GetFramePaintManager()->GetBorderColor(3, pHook->IsActive());
    const int y = rcBar.top - rcWindow.top;
    pDC->FillSolidRect(rcClient.left - rcWindow.left, y, 1, rcBar.Height() - 1, clr);
    pDC->FillSolidRect(rcClient.right - rcWindow.left - 1, y, 1, rcBar.Height() - 1, clr);
}

void CKitRibbonPaintManager::DrawRibbonCaptionBar(CDC* pDC, CKitRibbonBar* pRibbonBar)
{
    CRect rcCaption = pRibbonBar->GetCaptionRect();
    rcCaption.top -= 1;
    DrawImage(pDC, "FRAMETOPCENTER", rcCaption, 0, 2, CRect(0, 5, 0, 3));
    DrawQuickAccessArea(pDC, pRibbonBar, FALSE);
    if (pRibbonBar->GetContextHeaderCount() > 0)
        DrawContextHeaders(pDC, pRibbonBar);
}

// ---- buttons ----

void CKitRibbonPaintManager::DrawRibbonSystemButton(CDC* pDC, CKitControl* pControl, CRect rc)
{
    CKitRibbonBar* pRibbonBar = RibbonBarOf(pControl->GetParent());
    const BOOL bFileButton = pRibbonBar == nullptr || !pRibbonBar->IsCaptionVisible() ||
                             !pRibbonBar->IsTabsVisible() || pControl->GetStyle() != kitButtonAutomatic;
    const BOOL bSelected = pControl->GetSelected() != 0;
    const BOOL bPopuped = pControl->GetPopuped();
    if (bFileButton) {
        if (LoadRibbonImage("FILEBUTTON") == nullptr) {
            m_pPaintManager->DrawControlToolBarParent(pDC, pControl, TRUE);
            return;
        }
        int nState = 0;
        int nStates = 3;
        if (m_nFileButtonImageCount == 7) {
            nStates = 7;
            if (!pControl->IsEnabled())
                nState = 5;
            else if (bPopuped)
                nState = bSelected ? 3 : 2;
            else if (IsKeyboardSelection(pControl->GetSelected()))
                nState = 4;
            else if (bSelected)
                nState = 1;
        } else {
            nState = bPopuped ? 2 : (bSelected ? 1 : 0);
        }
        DrawImage(pDC, "FILEBUTTON", rc, nState, nStates, CRect(3, 3, 3, 3));
        if (pControl->GetStyle() == kitButtonIcon) {
            CKitImageManagerIcon* pIcon = m_pPaintManager->GetControlImage(pControl, 16);
            if (pIcon != nullptr)
                m_pPaintManager->DrawControlImage(pDC, CPoint(rc.CenterPoint().x - 8, rc.CenterPoint().y - 8),
                                                  CSize(16, 16), pIcon, bSelected, pControl->GetPressed(),
                                                  pControl->IsEnabled(), FALSE, bPopuped, TRUE);
        } else {
            CString strCaption = pControl->GetCaption();
            CKitPaintManager::StripMnemonics(strCaption);
            CFont* pOldFont = pDC->SelectObject(m_pPaintManager->GetControlFont(pControl));
            pDC->SetBkMode(TRANSPARENT);
            pDC->SetTextColor(m_clrFileButtonText);
            const BOOL bComposited = pControl->IsOnCompositedFrame();
            std::unique_ptr<CKitWinThemeWrapper> pTheme =
                bComposited ? m_pPaintManager->CreateThemeWrapper() : nullptr;
            CKitPaintManager::DrawComposedText(pDC, strCaption, rc,
                                               DT_SINGLELINE | DT_VCENTER | DT_CENTER | DT_NOPREFIX, bComposited,
                                               pTheme.get());
            pDC->SelectObject(pOldFont);
        }
        return;
    }

    CKitImageManagerIcon* pIcon = m_pPaintManager->GetControlImage(pControl, 32);
    if (rc.top < 0)
        rc.OffsetRect(0, -rc.top);
    if (pIcon == nullptr || pIcon->GetWidth() <= 32) {
        int nImage = 0;
        if (bPopuped)
            nImage = 2;
        else if (bSelected)
            nImage = 1;
        CKitResourceImage* pImage = nullptr;
        CString strName = "FRAMESYSTEMBUTTON";
        if (rc.Width() > 54 && rc.Height() > 54 && LoadRibbonImage("FRAMESYSTEMBUTTON52") != nullptr)
            strName = "FRAMESYSTEMBUTTON52";
        pImage = LoadRibbonImage(strName);
        if (pImage != nullptr) {
            DrawImage(pDC, strName, CentreRect(rc, pImage->GetSource(0, 3).Size()), nImage, 3, CRect(0, 0, 0, 0));
        }
    }
    DrawSystemButtonIcon(pDC, pControl, pIcon, rc);
}

void CKitRibbonPaintManager::DrawSystemButtonIcon(CDC* pDC, CKitControl* pControl, CKitImageManagerIcon* pIcon,
                                                  const CRect& rc)
{
    if (pIcon != nullptr) {
        const CSize sz = pIcon->GetExtent();
        pIcon->SetDrawComposited(TRUE);
        m_pPaintManager->DrawControlImage(pDC, CentreRect(rc, sz).TopLeft(), sz, pIcon, pControl->GetSelected(),
                                          pControl->GetPressed(), pControl->IsEnabled(), FALSE, pControl->GetPopuped(),
                                          TRUE);
        pIcon->SetDrawComposited(FALSE);
        return;
    }
    CKitRibbonBar* pRibbonBar = RibbonBarOf(pControl->GetParent());
    CWnd* pFrame = pRibbonBar != nullptr ? GetFrameWindow(pRibbonBar) : nullptr;
    const HICON hIcon = pFrame != nullptr ? CKitFramePaintManager::GetFrameLargeIcon(pFrame->GetSafeHwnd()) : nullptr;
    if (hIcon != nullptr)
        ::DrawIconEx(pDC->GetSafeHdc(), rc.left + (rc.Width() - 33) / 2, rc.top + (rc.Height() - 31) / 2, hIcon, 32, 32,
                     0, nullptr, DI_NORMAL);
}

void CKitRibbonPaintManager::DrawQuickAccessButton(CDC* pDC, CKitControl* pControl)
{
    int nState = 0;
    if (!pControl->IsEnabled())
        nState = 4;
    else if (pControl->GetPopuped())
        nState = 2;
    else if (pControl->GetSelected())
        nState = 1;
    if (IsControlRectOnCompositedFrame(pControl))
        DrawImageAlpha(pDC, "RIBBONQUICKACCESSBUTTON", pControl->GetRect(), nState, 5, CRect(2, 2, 2, 2));
    else
        DrawImage(pDC, "RIBBONQUICKACCESSBUTTON", pControl->GetRect(), nState, 5, CRect(2, 2, 2, 2));
}

void CKitRibbonPaintManager::DrawQuickAccessMoreButton(CDC* pDC, CKitControl* pControl)
{
    const int nState = pControl->GetPopuped() ? 2 : (pControl->GetSelected() ? 1 : 0);
    if (IsControlRectOnCompositedFrame(pControl))
        DrawImageAlpha(pDC, "RIBBONQUICKACCESSMORE", pControl->GetRect(), nState, 4, CRect(2, 2, 2, 2));
    else
        DrawImage(pDC, "RIBBONQUICKACCESSMORE", pControl->GetRect(), nState, 4, CRect(2, 2, 2, 2));
}

void CKitRibbonPaintManager::DrawGroupsScrollButton(CDC* pDC, CKitControl* pControl, BOOL bScrollLeft)
{
    const int nState = pControl->GetPressed() ? 2 : (pControl->GetSelected() ? 1 : 0);
    const CRect rc = pControl->GetRect();
    DrawImageAlpha(pDC, bScrollLeft ? "RIBBONGROUPSSCROLLLEFT" : "RIBBONGROUPSSCROLLRIGHT", rc, nState, 3,
                   CRect(4, 6, 3, 6));
    const char* pszGlyph = bScrollLeft ? "RIBBONGROUPSSCROLLLEFTGLYPH" : "RIBBONGROUPSSCROLLRIGHTGLYPH";
    CKitResourceImage* pGlyph = LoadRibbonImage(pszGlyph);
    if (pGlyph != nullptr) {
        DrawImage(pDC, pszGlyph, CentreRect(rc, pGlyph->GetSource(nState, 3).Size()), nState, 3, CRect(0, 0, 0, 0));
    }
}

// ---- popups ----

void CKitRibbonPaintManager::FillMorePopupToolBar(CDC* pDC, CKitCommandBar* pPopupBar)
{
    const CRect rc = ClientRectOf(pPopupBar);
    if (!DrawImage(pDC, "MOREPOPUPBARFRAME", rc, 0, 1, CRect(4, 4, 4, 4)))
        DrawImage(pDC, "POPUPBARFRAME", rc, 0, 1, CRect(4, 4, 4, 4));
}

void CKitRibbonPaintManager::FillSystemPopupBar(CDC* pDC, CKitCommandBar* pPopupBar)
{
    const CRect rc = ClientRectOf(pPopupBar);
    const CRect rcBorders = pPopupBar->GetBorders();
    CKitResourceImage* pImage = LoadRibbonImage("RIBBONSYSTEMMENU");
    if (pImage == nullptr)
        return;
    pImage->DrawImage(pDC, rc, pImage->GetSource(0, 1), rcBorders);
    DrawSystemButtonOverPopup(pDC, pPopupBar);
    for (int i = 0; i < pPopupBar->GetControlCount(); ++i) {
        CKitControl* pControl = pPopupBar->GetControl(i);
        if (pControl->GetWrap()) {
            const CRect rcColumn(pControl->GetRect().left, rc.top + rcBorders.top, rc.right - rcBorders.right,
                                 rc.bottom - rcBorders.bottom);
            const COLORREF clrColumn = GetImages()->GetImageColor(kRibbonSection, "RecentFileListBackground");
            KitFillSolidRectIfColor(pDC, rcColumn, clrColumn);
            break;
        }
    }
}

void CKitRibbonPaintManager::DrawSystemButtonOverPopup(CDC* pDC, CKitCommandBar* pPopupBar)
{
    auto* pPopup = dynamic_cast<CKitPopupBar*>(pPopupBar);
    auto* pButton =
        pPopup != nullptr ? dynamic_cast<CKitRibbonControlSystemButton*>(pPopup->GetControlPopup()) : nullptr;
    CKitRibbonBar* pRibbonBar = pButton != nullptr ? RibbonBarOf(pButton->GetParent()) : nullptr;
    if (pRibbonBar == nullptr || !pRibbonBar->IsCaptionVisible() || pRibbonBar->GetSafeHwnd() == nullptr ||
        pPopupBar->GetSafeHwnd() == nullptr)
        return;
    CRect rcButton = pButton->GetRect();
    ::MapWindowPoints(pRibbonBar->GetSafeHwnd(), pPopupBar->GetSafeHwnd(), reinterpret_cast<LPPOINT>(&rcButton), 2);
    CRect rcCommon;
    if (!rcCommon.IntersectRect(rcButton, ClientRectOf(pPopupBar)))
        return;
    // Where the ribbon draws the button (moved down when it reaches above the bar); reaching above the popup, it is
    // drawn through an origin moved up by that much, so that the copy is not moved down and lies over the button.
    rcButton.OffsetRect(0, std::max(0, -static_cast<int>(pButton->GetRect().top)));
    const int nAbove = std::min(0, static_cast<int>(rcButton.top));
    rcButton.OffsetRect(0, -nAbove);
    POINT ptOrigin = {0, 0};
    ::OffsetViewportOrgEx(pDC->m_hDC, 0, nAbove, &ptOrigin);
    DrawRibbonSystemButton(pDC, pButton, rcButton);
    ::SetViewportOrgEx(pDC->m_hDC, ptOrigin.x, ptOrigin.y, nullptr);
}

void CKitRibbonPaintManager::DrawSystemPopupBarButton(CDC* pDC, CKitControl* pControl)
{
    DrawImage(pDC, "RIBBONSYSTEMMENUBUTTON", pControl->GetRect(), pControl->GetSelected() ? 1 : 0, 2,
              CRect(2, 2, 2, 2));
    m_pPaintManager->DrawControlToolBarParent(pDC, pControl, TRUE);
}

BOOL CKitRibbonPaintManager::GetJoinedRowPosition(CKitControl* pControl, BOOL& bFirst, BOOL& bLast)
{
    CKitRibbonGroup* pGroup = pControl->GetRibbonGroup();
    if (pGroup == nullptr || !pGroup->IsControlsGrouping() || pControl->GetType() == kitControlSplitButtonPopup)
        return FALSE;
    bFirst = pControl->GetBeginGroup() || pControl->GetWrap();
    CKitControl* pNext = nullptr;
    BOOL bFound = FALSE;
    for (int i = 0; i < pGroup->GetCount() && pNext == nullptr; ++i) {
        CKitControl* pCandidate = pGroup->GetAt(i);
        if (bFound && pCandidate->IsVisible())
            pNext = pCandidate;
        bFound = bFound || pCandidate == pControl;
    }
    bLast = pNext == nullptr || pNext->GetBeginGroup() || pNext->GetWrap();
    return TRUE;
}

BOOL CKitRibbonPaintManager::DrawSpecialToolBarButton(CDC* pDC, CKitControl* pControl)
{
    BOOL bFirst = FALSE;
    BOOL bLast = FALSE;
    if (!GetJoinedRowPosition(pControl, bFirst, bLast))
        return FALSE;
    const char* pszName = "TOOLBARBUTTONSSPECIALCENTER";
    if (bFirst && bLast)
        pszName = "TOOLBARBUTTONSSPECIALSINGLE";
    else if (bFirst)
        pszName = "TOOLBARBUTTONSSPECIALLEFT";
    else if (bLast)
        pszName = "TOOLBARBUTTONSSPECIALRIGHT";
    const int nSelected = pControl->GetSelected();
    const BOOL bChecked = pControl->GetChecked() == 1;
    int nState = 0;
    if (!pControl->IsEnabled())
        nState = IsKeyboardSelection(nSelected) ? 1 : 0;
    else if (pControl->GetPopuped())
        nState = 3;
    else if (pControl->GetPressed())
        nState = 2;
    else if (bChecked)
        nState = nSelected ? 4 : 3;
    else if (nSelected)
        nState = 1;
    DrawImage(pDC, pszName, pControl->GetRect(), nState, 5, CRect(2, 2, 2, 2));
    return TRUE;
}

// ---- tab strip sets ----

CKitRibbonPaintManager::CRibbonAppearanceSet::CRibbonAppearanceSet(CKitRibbonPaintManager* pRibbonPaintManager)
    : m_pRibbonPaintManager(pRibbonPaintManager)
{
    m_rcHeaderMargin.SetRect(0, 1, 0, 0);
}

int CKitRibbonPaintManager::CRibbonAppearanceSet::GetButtonHeight(const CKitTabManager* /*pManager*/)
{
    return m_pRibbonPaintManager->GetTabsHeight() + 1;
}

void CKitRibbonPaintManager::CRibbonAppearanceSet::DrawTabControl(CKitTabManager* pManager, CDC* pDC,
                                                                  CRect rcControl)
{
    m_pDrawnManager = pManager;
    auto* pControlTab = dynamic_cast<CKitRibbonControlTab*>(pManager);
    CKitRibbonBar* pRibbonBar = pControlTab != nullptr ? pControlTab->GetRibbonBar() : nullptr;
    if (pRibbonBar != nullptr)
        m_pRibbonPaintManager->DrawContextTabsBackground(pDC, pRibbonBar, rcControl);
    m_pPaintManager->DrawTabs(pManager, pDC, rcControl);
    m_pDrawnManager = nullptr;
}

void CKitRibbonPaintManager::CRibbonAppearanceSet::DrawSingleButton(CDC* pDC, CKitTabManagerItem* pItem)
{
    auto* pTab = dynamic_cast<CKitRibbonTab*>(pItem);
    if (pTab != nullptr)
        m_pRibbonPaintManager->DrawRibbonTab(pDC, pTab);
    m_pPaintManager->DrawItemIconAndCaption(pDC, pItem, pItem->GetRect(), TRUE);
}

void CKitRibbonPaintManager::CRibbonAppearanceSet::DrawText(CDC* pDC, const CString& strText, LPRECT lpRect,
                                                            UINT nFormat)
{
    if (nFormat & DT_CALCRECT) {
        pDC->DrawText(strText, lpRect, nFormat);
        return;
    }
    auto* pControlTab = dynamic_cast<CKitRibbonControlTab*>(m_pDrawnManager);
    const BOOL bComposited =
        pControlTab != nullptr &&
        m_pRibbonPaintManager->IsRectOnCompositedFrame(pControlTab->GetRibbonBar(), CRect(*lpRect));
    std::unique_ptr<CKitWinThemeWrapper> pTheme =
        bComposited ? m_pRibbonPaintManager->GetPaintManager()->CreateThemeWrapper() : nullptr;
    CKitPaintManager::DrawComposedText(pDC, strText, CRect(*lpRect), nFormat, bComposited, pTheme.get());
}

void CKitRibbonPaintManager::CRibbonColorSet::SetTextColor(CDC* pDC, CKitTabManagerItem* pItem)
{
    const CKitPaintManagerColor* pColor = &m_clrNormalText;
    auto* pTab = dynamic_cast<CKitRibbonTab*>(pItem);
    const TabState state = pTab != nullptr ? GetTabState(pTab) : TabState();
    if (!pItem->IsEnabled())
        pColor = &m_clrDisabledText;
    else if (state.bSelected)
        pColor = &m_clrSelectedText;
    else if (state.bHighlighted)
        pColor = &m_clrHotText;
    pDC->SetTextColor(*pColor);
}

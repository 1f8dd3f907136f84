// The colours of the ribbon pictures in the resource theme's test module, a ribbon bar whose layout the test sets, a tab strip whose hot tab it sets, a captioned button added to a group and the layout of a ribbon across its frame.
#pragma once

#include "toolkit/commandbars/control.h"
#include "toolkit/commandbars/controls.h"
#include "toolkit/themes/ribbon/ribbon_bar.h"
#include "toolkit/themes/ribbon/ribbon_control_tab.h"
#include "toolkit/themes/ribbon/ribbon_group.h"
#include "toolkit/themes/ribbon/ribbon_tab.h"

#include <windows.h>

namespace RibbonPictureColors {
constexpr COLORREF kRibbonTab[6] = {RGB(250, 240, 200), RGB(250, 220, 150), RGB(240, 180, 90),
                                    RGB(255, 255, 255), RGB(255, 250, 230), RGB(200, 220, 250)};
constexpr COLORREF kContextTabGreen[5] = {RGB(200, 240, 200), RGB(170, 230, 170), RGB(140, 220, 140),
                                          RGB(110, 210, 110), RGB(80, 200, 80)};
constexpr COLORREF kContextTabRed[3] = {RGB(250, 200, 200), RGB(240, 160, 160), RGB(230, 120, 120)};
constexpr COLORREF kGreenHeader = RGB(120, 200, 120);
constexpr COLORREF kBlueHeader = RGB(120, 150, 230);
constexpr COLORREF kOptionButton[4] = {RGB(210, 220, 235), RGB(255, 230, 160), RGB(250, 190, 100),
                                       RGB(200, 200, 200)};
constexpr COLORREF kGroups = RGB(225, 235, 248);
constexpr COLORREF kGroupClient[2] = {RGB(236, 242, 250), RGB(250, 245, 225)};
constexpr COLORREF kGroupCaption[2] = {RGB(196, 214, 238), RGB(240, 220, 170)};
// The description's ribbon face and group spacing.
constexpr COLORREF kRibbonFace = RGB(191, 219, 255);
constexpr int kGroupSpacing = 5;
constexpr COLORREF kMinimizedEdgeShadow = RGB(100, 120, 150);
constexpr COLORREF kMinimizedEdgeHighlight = RGB(240, 248, 255);
} // namespace RibbonPictureColors

// A ribbon bar without a window whose layout rectangles and context headers the test gives.
class CLaidOutRibbonBar : public CKitRibbonBar {
public:
    void SetCaptionRect(const CRect& rc) { m_rcCaption = rc; }
    void SetTitleRect(const CRect& rc) { m_rcTitle = rc; }
    // The bar owns the hook.
    void SetFrameHook(CKitFrameHook* pHook) { m_pFrameHook = pHook; }
    void SetTabControlRect(const CRect& rc) { m_rcTabControl = rc; }
    void SetGroupsRect(const CRect& rc) { m_rcGroups = rc; }
    void SetQuickAccessRect(const CRect& rc) { m_rcQuickAccess = rc; }
    void SetMinimized(BOOL bMinimized) { m_bMinimized = bMinimized; }
    void SetQuickAccessHeight(int nHeight) { m_nQuickAccessHeight = nHeight; }
    void SetQuickAccessBelow(BOOL bBelow) { m_bQuickAccessBelow = bBelow; }
    // The bar's controls take the button; the bar points to it.
    void SetSystemButton(CKitRibbonControlSystemButton* pButton) { m_pSystemButton = pButton; }
    // A header over the tab, owned by the bar.
    CKitRibbonTabContextHeader* AddContextHeader(CKitRibbonTab* pTab, const CRect& rc)
    {
        auto* pHeader = new CKitRibbonTabContextHeader(pTab);
        pHeader->m_rcHeader = rc;
        m_arrContextHeaders.push_back(pHeader);
        return pHeader;
    }
};

// A tab strip whose hot tab the test sets, without a window.
class CTestControlTab : public CKitRibbonControlTab {
public:
    CKitRibbonTab* AddTab(int nContextColor)
    {
        auto* pTab = new CKitRibbonTab;
        pTab->SetContextColor(nContextColor);
        AddItem(-1, pTab);
        pTab->SetRect(CRect(10, 10, 70, 40));
        return pTab;
    }
    void SetHot(CKitTabManagerItem* pItem) { m_pHighlighted = pItem; }
};

// A button of the ribbon's controls in the group, showing its caption.
inline CKitControl* AddButton(CKitRibbonBar* pBar, CKitRibbonGroup* pGroup, UINT nId, LPCSTR lpszCaption)
{
    CKitControl* pControl = pBar->GetControls()->Add(kitControlButton, nId);
    pControl->SetCaption(lpszCaption);
    pControl->SetStyle(kitButtonCaption);
    pGroup->Add(pControl);
    return pControl;
}

// Lays the ribbon out across the frame's client width and gives its window the height it takes.
inline void LayOutRibbonInFrame(CKitRibbonBar* pRibbon, CWnd* pFrame)
{
    CRect rcClient;
    pFrame->GetClientRect(&rcClient);
    const CSize sz = pRibbon->CalcDockLayout(rcClient.Width(), LM_COMMIT);
    pRibbon->MoveWindow(0, 0, sz.cx, sz.cy);
    pRibbon->CalcDockLayout(rcClient.Width(), LM_COMMIT);
}

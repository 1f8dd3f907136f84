#include "toolkit/themes/paint/visual_studio2008_theme.h"

#include "toolkit/commandbars/command_bar.h"
#include "toolkit/commandbars/control.h"
#include "toolkit/commandbars/shadow_manager.h"
#include "toolkit/common/color_manager.h"
#include "toolkit/common/draw_helpers.h"

#include <iterator>

IMPLEMENT_DYNAMIC(CKitVisualStudio2008Theme, CKitWhidbeyTheme)

namespace {

constexpr int kPopupLabelGap = 10;

// The menu-highlight values of one visual style.
struct MenuStyle {
    COLORREF border;
    COLORREF highlightFrom, highlightTo;
    COLORREF columnFrom, columnTo;
};

} // namespace

CKitVisualStudio2008Theme::CKitVisualStudio2008Theme()
{
    m_nPopupBarTextPadding = kPopupLabelGap;
    m_pShadowManager->SetFlags(CKitShadowManager::kFlagAlways);
}

COLORREF CKitVisualStudio2008Theme::GetControlStateTextColor(BOOL bSelected, BOOL bPressed, BOOL bEnabled,
                                                             BOOL bChecked, BOOL bPopuped, int nBarType,
                                                             int nBarPosition)
{
    if (IsPopupBar(nBarType, nBarPosition) && bEnabled && bSelected && !bPressed)
        return m_clrMenuHighlightText;
    return CKitWhidbeyTheme::GetControlStateTextColor(bSelected, bPressed, bEnabled, bChecked, bPopuped, nBarType,
                                                      nBarPosition);
}

void CKitVisualStudio2008Theme::DrawRectangle(CDC* pDC, CRect rc, BOOL bSelected, BOOL bPressed, BOOL bEnabled,
                                              BOOL bChecked, BOOL bPopuped, int nBarType, int nBarPosition)
{
    if (IsPopupBar(nBarType, nBarPosition) && bSelected && !bChecked && !bPressed) {
        CRect rcInside = rc;
        rcInside.DeflateRect(1, 1);
        FillGradient(pDC, rcInside, m_grcMenuHighlight, FALSE);
        DrawRoundedFrame(pDC, rc, m_clrMenuHighlightBorder);
        return;
    }
    if (nBarType == kitBarTypeMenuBar && bSelected && bEnabled && !bChecked && !bPressed) {
        // A window-coloured frame with open corners, the border inside it with its corners half mixed in.
        const COLORREF clrWindow = GetColor(COLOR_WINDOW);
        CRect rcOuter = rc;
        rcOuter.DeflateRect(1, 1);
        HorizontalLine(pDC, rcOuter.left + 1, rcOuter.top, rcOuter.right - 1, clrWindow);
        HorizontalLine(pDC, rcOuter.left + 1, rcOuter.bottom - 1, rcOuter.right - 1, clrWindow);
        VerticalLine(pDC, rcOuter.left, rcOuter.top + 1, rcOuter.bottom - 1, clrWindow);
        VerticalLine(pDC, rcOuter.right - 1, rcOuter.top + 1, rcOuter.bottom - 1, clrWindow);
        CRect rcBorder = rcOuter;
        rcBorder.DeflateRect(1, 1);
        Draw3dRect(pDC, rcBorder, kHotBorder, kHotBorder);
        const COLORREF clrCorner = CKitDrawHelpers::BlendColors(GetColor(kHotBorder), clrWindow, 0.5);
        for (POINT pt : {POINT{rcBorder.left, rcBorder.top}, POINT{rcBorder.right - 1, rcBorder.top},
                         POINT{rcBorder.left, rcBorder.bottom - 1}, POINT{rcBorder.right - 1, rcBorder.bottom - 1}})
            pDC->SetPixel(pt.x, pt.y, clrCorner);
        CRect rcInside = rcBorder;
        rcInside.DeflateRect(1, 1);
        if (bPopuped)
            FillGradient(pDC, rcInside, m_grcPopupOpen, FALSE);
        else if (!m_bSchemeColors)
            pDC->FillSolidRect(rcInside, GetColor(kHotFill));
        else
            FillGradient(pDC, rcInside, m_grcHot, FALSE);
        return;
    }
    if (nBarType != kitBarTypePopup && bEnabled && bPopuped) {
        FillGradient(pDC, rc, m_grcPopupOpen, FALSE);
        Draw3dRect(pDC, rc, kHotBorder, kHotBorder);
        return;
    }
    CKitWhidbeyTheme::DrawRectangle(pDC, rc, bSelected, bPressed, bEnabled, bChecked, bPopuped, nBarType,
                                    nBarPosition);
}

CSize CKitVisualStudio2008Theme::DrawCommandBarSeparator(CDC* pDC, CKitCommandBar* pBar, CKitControl* pControl,
                                                         BOOL bDraw)
{
    if (!bDraw || !IsPopupBar(pBar->GetType(), pBar->GetPosition()))
        return CKitWhidbeyTheme::DrawCommandBarSeparator(pDC, pBar, pControl, bDraw);
    CRect rcLine = GetPopupSeparatorLine(pBar, pControl);
    pDC->FillSolidRect(rcLine, GetColor(kSeparator));
    if (pControl->GetWrap())
        rcLine.OffsetRect(1, 0);
    else
        rcLine.OffsetRect(0, 1);
    pDC->FillSolidRect(rcLine, GetColor(COLOR_BTNHIGHLIGHT));
    return CSize(0, 0);
}

void CKitVisualStudio2008Theme::AdjustControlRect(CRect& rc, CKitControl* pControl, BOOL /*bVertical*/)
{
    CKitCommandBar* pBar = pControl->GetParent();
    if (pBar != nullptr && pBar->GetType() == kitBarTypePopup)
        rc.InflateRect(1, 0);
}

CRect CKitVisualStudio2008Theme::GetCommandBarBorders(CKitCommandBar* pBar)
{
    if (IsPopupBar(pBar->GetType(), pBar->GetPosition()))
        return CRect(4, 3, 4, 3);
    return CKitWhidbeyTheme::GetCommandBarBorders(pBar);
}

void CKitVisualStudio2008Theme::FillExpandedColumn(CDC* pDC, CRect rc, BOOL bHiddenControl)
{
    CKitWhidbeyTheme::FillExpandedColumn(pDC, rc, bHiddenControl);
    VerticalLine(pDC, rc.right - 1, rc.top, rc.bottom, GetColor(kSeparator));
    VerticalLine(pDC, rc.right, rc.top, rc.bottom, GetColor(COLOR_BTNHIGHLIGHT));
}

void CKitVisualStudio2008Theme::RefreshMetrics()
{
    CKitWhidbeyTheme::RefreshMetrics();
    m_grcImageColumn.SetStandardValue(
        CKitColorManager::BlendColorsPercent(GetColor(COLOR_BTNFACE), GetColor(COLOR_WINDOW), 40),
        GetColor(COLOR_BTNFACE));
    m_grcMenuHighlight.SetStandardColor(GetColor(COLOR_HIGHLIGHT));
    m_clrMenuHighlightBorder.SetStandardValue(GetColor(COLOR_HIGHLIGHT));
    m_clrMenuHighlightText.SetStandardValue(GetColor(COLOR_HIGHLIGHTTEXT));

    const int nStyle = CKitColorManager::Instance()->GetCurrentSystemTheme();
    static const MenuStyle kBlue = {RGB(152, 181, 226), RGB(239, 243, 250), RGB(193, 210, 238), RGB(241, 241, 241),
                                    RGB(241, 241, 241)};
    static const MenuStyle kOlive = {RGB(147, 160, 112), RGB(239, 242, 227), RGB(194, 207, 158), RGB(247, 246, 239),
                                     RGB(233, 230, 214)};
    static const MenuStyle kSilver = {RGB(255, 192, 111), RGB(255, 246, 204), RGB(255, 194, 115), RGB(232, 233, 242),
                                      RGB(193, 193, 211)};
    static const MenuStyle kAero = {RGB(150, 217, 249), RGB(241, 248, 251), RGB(186, 228, 246), RGB(244, 247, 252),
                                    RGB(212, 216, 230)};
    const MenuStyle* pStyle = nullptr;
    switch (nStyle) {
    case CKitColorManager::kThemeBlue:
    case CKitColorManager::kThemeRoyale:
        pStyle = &kBlue;
        break;
    case CKitColorManager::kThemeOlive:
        pStyle = &kOlive;
        break;
    case CKitColorManager::kThemeSilver:
        pStyle = &kSilver;
        break;
    case CKitColorManager::kThemeAero:
        pStyle = &kAero;
        break;
    default:
        return;
    }
    m_clrMenuHighlightBorder.SetStandardValue(pStyle->border);
    m_grcMenuHighlight.SetStandardValue(pStyle->highlightFrom, pStyle->highlightTo, 0.5);
    m_clrMenuHighlightText.SetStandardValue(RGB(0, 0, 0));
    m_grcImageColumn.SetStandardValue(pStyle->columnFrom, pStyle->columnTo, 0.5);

    if (pStyle == &kBlue) {
        m_grcHiddenColumn.SetStandardColor(RGB(215, 227, 234));
        GetColorEntry(56).SetStandardValue(RGB(221, 231, 238));
    } else if (pStyle == &kSilver) {
        GetColorEntry(kSeparator).SetStandardValue(RGB(110, 109, 143));
        m_grcPopupOpen.SetStandardValue(RGB(232, 233, 241), RGB(192, 191, 209), 0.5);
    } else if (pStyle == &kAero) {
        GetColorEntry(kSeparator).SetStandardValue(RGB(160, 160, 180));
        m_grcDock.SetStandardValue(RGB(233, 236, 250), RGB(244, 247, 252), 0.5);
        m_clrToolBarEdge.SetStandardValue(RGB(181, 190, 206));
        m_grcToolBar.SetStandardValue(RGB(250, 250, 253), RGB(196, 203, 219), 0.75);
        m_clrFloatingGripper.SetStandardValue(RGB(128, 128, 128));
        m_grcPopupOpen.SetStandardValue(RGB(255, 255, 255), RGB(118, 184, 219), 0.5);
        m_grcExpandButton.SetStandardValue(RGB(195, 202, 218), RGB(233, 236, 250), 0.75);
        m_clrPaneBorder.SetStandardValue(RGB(160, 160, 180));
        m_pShadowManager->SetShadowColor(RGB(0, 0, 0));
        m_clrFace.SetStandardValue(RGB(244, 247, 252), RGB(113, 124, 152), 0.5);
        GetColorEntry(53).SetStandardValue(RGB(240, 240, 240));
        const int indices[] = {38, 39, 40, 41, 43, 31, 32, 50, 37, 33, 36, 30, 47};
        const COLORREF colors[] = {RGB(160, 160, 180), RGB(160, 160, 180), RGB(128, 128, 128), RGB(240, 240, 240),
                                   RGB(160, 160, 160), RGB(182, 228, 247), RGB(41, 153, 255),  RGB(41, 153, 255),
                                   RGB(48, 127, 177),  RGB(206, 237, 250), RGB(206, 237, 250), RGB(233, 236, 250),
                                   RGB(0, 0, 0)};
        SetColors(static_cast<int>(std::size(indices)), indices, colors);
        m_grcChecked.SetStandardValue(RGB(237, 248, 253), RGB(129, 192, 224), 0.5);
        m_grcHot.SetStandardValue(RGB(237, 248, 253), RGB(129, 192, 224), 0.5);
        m_grcPressed.SetStandardValue(RGB(228, 245, 252), RGB(124, 177, 204), 0.5);
        m_bSchemeColors = TRUE;
    }
}

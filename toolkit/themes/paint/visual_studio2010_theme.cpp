#include "toolkit/themes/paint/visual_studio2010_theme.h"

#include "toolkit/commandbars/command_bar.h"
#include "toolkit/commandbars/control.h"
#include "toolkit/commandbars/shadow_manager.h"
#include "toolkit/common/color_manager.h"
#include "toolkit/common/draw_helpers.h"
#include "toolkit/common/system.h"

#include <iterator>

IMPLEMENT_DYNAMIC(CKitVisualStudio2010Theme, CKitOffice2003Theme)

namespace {

constexpr int kPopupLabelGap = 10;
constexpr int kSeparatorInset = 2;
constexpr COLORREF kStatusBarColor = RGB(41, 57, 85);
constexpr COLORREF kMenuBarFrom = RGB(200, 209, 224);
constexpr COLORREF kMenuBarTo = RGB(174, 185, 205);

} // namespace

CKitVisualStudio2010Theme::CKitVisualStudio2010Theme()
{
    m_nPopupBarTextPadding = kPopupLabelGap;
    m_pShadowManager->SetFlags(CKitShadowManager::kFlagAlways);
    m_bFlatGripper = TRUE;
    m_bSingleSeparatorLine = TRUE;
    m_nSeparatorInset = kSeparatorInset;
}

BOOL CKitVisualStudio2010Theme::IsVistaOrGreater() const
{
    return CKitOsVersion::Instance()->IsVistaOrGreater() ? TRUE : FALSE;
}

void CKitVisualStudio2010Theme::RefreshMetrics()
{
    CKitOffice2003Theme::RefreshMetrics();
    m_grcToolBar.SetStandardColor(RGB(188, 199, 216));
    m_grcDock.SetStandardColor(RGB(156, 170, 193));
    m_bSchemeColors = FALSE;
    GetColorEntry(kAccent).SetStandardValue(CKitColorManager::Instance()->GetColor(kAccent));
    m_clrToolBarEdge.SetStandardValue(RGB(201, 210, 225));
    m_clrFloatingGripper.SetStandardValue(RGB(72, 92, 127));
    m_grcPopupOpen.SetStandardColor(RGB(233, 236, 238));
    m_grcExpandButton.SetStandardColor(RGB(213, 220, 232));
    m_grcHiddenColumn.SetStandardValue(RGB(203, 221, 246), RGB(121, 161, 220), 0.5);
    m_grcGlyph.SetStandardValue(RGB(227, 239, 254), RGB(129, 169, 226), 0.5);
    m_clrPaneBorder.SetStandardValue(RGB(255, 255, 255));
    m_pShadowManager->SetShadowColor(RGB(0, 0, 0));
    m_clrTearOff.SetStandardValue(RGB(169, 199, 240));
    m_clrFace.SetStandardValue(RGB(221, 227, 235), RGB(95, 100, 108), 0.5);
    GetColorEntry(53).SetStandardValue(RGB(133, 145, 162));
    GetColorEntry(51).SetStandardValue(RGB(156, 170, 193));
    GetColorEntry(52).SetStandardValue(RGB(96, 114, 140));
    GetColorEntry(12).SetStandardValue(RGB(47, 65, 95));
    GetColorEntry(56).SetStandardValue(RGB(233, 236, 238));

    const int indices[] = {38, 39, 40, 41, 43, 31, 32, 50, 37, 33, 36, 30, 47};
    const COLORREF colors[] = {RGB(97, 115, 140),  RGB(133, 145, 162), RGB(128, 128, 128), RGB(221, 226, 232),
                               RGB(155, 167, 183), RGB(255, 243, 206), RGB(231, 195, 99),  RGB(229, 195, 101),
                               RGB(229, 195, 101), RGB(255, 235, 165), RGB(255, 239, 189), RGB(188, 199, 216),
                               RGB(0, 0, 0)};
    SetColors(static_cast<int>(std::size(indices)), indices, colors);
    for (int nIndex : {58, 60, 35})
        GetColorEntry(nIndex).SetStandardValue(RGB(128, 128, 128));
    GetColorEntry(61).SetStandardValue(m_clrFloatingGripper);
    m_grcImageColumn.SetStandardColor(RGB(233, 236, 238));

    m_bSchemeColors = IsVistaOrGreater();

    m_grcChecked.SetStandardValue(RGB(255, 251, 241), RGB(255, 238, 190), 0.5);
    m_grcPressed.SetStandardColor(RGB(255, 232, 166));
    m_grcHot.SetStandardValue(RGB(255, 252, 242), RGB(255, 236, 181), 0.5);
    m_clrPaneBorder.SetStandardValue(kStatusBarColor);
    m_clrText = RGB(255, 255, 255);
    GetColorEntry(46).SetStandardValue(RGB(28, 42, 63));
    m_clrMenuSeparator.SetStandardValue(RGB(190, 195, 203));

    if (!m_bSchemeColors) {
        m_grcDock.SetStandardColor(RGB(173, 186, 206));
        m_grcToolBar.SetStandardColor(RGB(189, 199, 222));
        m_clrToolBarEdge.SetStandardValue(RGB(206, 211, 231));
        GetColorEntry(41).SetStandardValue(RGB(239, 239, 239));
        GetColorEntry(43).SetStandardValue(RGB(156, 166, 181));
        GetColorEntry(38).SetStandardValue(RGB(99, 113, 140));
        GetColorEntry(39).SetStandardValue(RGB(132, 146, 165));
        GetColorEntry(46).SetStandardValue(RGB(24, 40, 57));
        m_clrMenuSeparator.SetStandardValue(RGB(189, 195, 206));
    }
    RefreshGlyphImage();
}

CRect CKitVisualStudio2010Theme::GetCommandBarBorders(CKitCommandBar* pBar)
{
    if (IsPopupBar(pBar->GetType(), pBar->GetPosition()))
        return CRect(3, 3, 3, 3);
    return CKitOffice2003Theme::GetCommandBarBorders(pBar);
}

void CKitVisualStudio2010Theme::DrawRectangle(CDC* pDC, CRect rc, BOOL bSelected, BOOL bPressed, BOOL bEnabled,
                                              BOOL bChecked, BOOL bPopuped, int nBarType, int nBarPosition)
{
    // The inside of a rounded highlight: the hot gradient under the scheme, else colour 31.
    auto fillInside = [&](const CRect& rcInside) {
        if (m_bSchemeColors)
            FillGradient(pDC, rcInside, m_grcHot, FALSE);
        else
            pDC->FillSolidRect(rcInside, GetColor(kHotFill));
    };
    CRect rcInside = rc;
    rcInside.DeflateRect(1, 1);
    if (nBarType == kitBarTypeMenuBar && bSelected && bEnabled && !bChecked && !bPressed && !bPopuped) {
        const int nSaved = ::SaveDC(pDC->m_hDC);
        for (POINT pt : {POINT{rcInside.left, rcInside.top}, POINT{rcInside.right - 1, rcInside.top},
                         POINT{rcInside.left, rcInside.bottom - 1}, POINT{rcInside.right - 1, rcInside.bottom - 1}})
            ::ExcludeClipRect(pDC->m_hDC, pt.x, pt.y, pt.x + 1, pt.y + 1);
        fillInside(rcInside);
        ::RestoreDC(pDC->m_hDC, nSaved);
        DrawRoundedFrame(pDC, rc, GetColor(kHotBorder));
        return;
    }
    if (IsPopupBar(nBarType, nBarPosition) && bSelected && !bChecked && !bPressed) {
        fillInside(rcInside);
        DrawRoundedFrame(pDC, rc, GetColor(kHotBorder));
        return;
    }
    CKitOffice2003Theme::DrawRectangle(pDC, rc, bSelected, bPressed, bEnabled, bChecked, bPopuped, nBarType,
                                       nBarPosition);
}

CSize CKitVisualStudio2010Theme::DrawCommandBarSeparator(CDC* pDC, CKitCommandBar* pBar, CKitControl* pControl,
                                                         BOOL bDraw)
{
    if (!bDraw || !IsPopupBar(pBar->GetType(), pBar->GetPosition()))
        return CKitOffice2003Theme::DrawCommandBarSeparator(pDC, pBar, pControl, bDraw);
    pDC->FillSolidRect(GetPopupSeparatorLine(pBar, pControl), m_clrMenuSeparator);
    return CSize(0, 0);
}

void CKitVisualStudio2010Theme::FillCommandBarEntry(CDC* pDC, CKitCommandBar* pBar)
{
    const CRect rc = GetBarClientRect(pBar);
    const int nPosition = pBar->GetPosition();
    const bool bVertical = nPosition == kitBarLeft || nPosition == kitBarRight;
    if (pBar->GetType() == kitBarTypeMenuBar && nPosition != kitBarFloating) {
        if (m_bSchemeColors)
            CKitDrawHelpers::Instance()->GradientFill(pDC, rc, kMenuBarFrom, kMenuBarTo,
                                                      bVertical || nPosition == kitBarPopup);
        else
            pDC->FillSolidRect(rc, m_grcDock.clrDark);
        return;
    }
    if (nPosition == kitBarTop || nPosition == kitBarBottom || bVertical) {
        FillDockBehindBar(pDC, pBar, bVertical);
        const COLORREF clrBody = m_grcToolBar.clrDark;
        CRect rcFrame = rc;
        if (bVertical) {
            rcFrame.top += 2;
            pDC->FillSolidRect(CRect(rc.left, rc.top + 3, rc.left + 1, rc.bottom), clrBody);
            pDC->FillSolidRect(CRect(rc.left + 1, rc.top + 2, rc.right, rc.bottom), clrBody);
        } else {
            rcFrame.left += 2;
            pDC->FillSolidRect(CRect(rc.left + 3, rc.top, rc.right, rc.top + 1), clrBody);
            pDC->FillSolidRect(CRect(rc.left + 2, rc.top + 1, rc.right, rc.bottom), clrBody);
        }
        DrawRoundedFrame(pDC, rcFrame, m_clrToolBarEdge);
        return;
    }
    CKitOffice2003Theme::FillCommandBarEntry(pDC, pBar);
}

void CKitVisualStudio2010Theme::FillStatusBar(CDC* pDC, CWnd* pBar)
{
    CRect rc;
    pBar->GetClientRect(&rc);
    pDC->FillSolidRect(rc, kStatusBarColor);
}

void CKitVisualStudio2010Theme::DrawStatusBarGripper(CDC* pDC, CRect rcClient)
{
    if (!m_bThemedStatusBar || !m_themeStatusBar.IsThemeHandleOpen()) {
        CKitOffice2003Theme::DrawStatusBarGripper(pDC, rcClient);
        return;
    }
    // A triangle of 2 x 2 dots: four in the lowest row, one fewer in each row 3 pixels higher.
    for (int nRow = 0; nRow < 4; nRow++) {
        const int y = rcClient.bottom - 4 - 3 * nRow;
        for (int nDot = 0; nDot < 4 - nRow; nDot++) {
            const int x = rcClient.right - 4 - 3 * nDot;
            pDC->SetPixel(x, y, RGB(248, 249, 250));
            pDC->SetPixel(x + 1, y, RGB(198, 206, 221));
            pDC->SetPixel(x, y + 1, RGB(227, 231, 238));
            pDC->SetPixel(x + 1, y + 1, RGB(170, 183, 205));
        }
    }
}

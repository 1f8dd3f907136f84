#include "toolkit/themes/tabs/tab_color_sets.h"

#include "toolkit/common/dib_section.h"
#include "toolkit/common/draw_helpers.h"
#include "toolkit/common/resource_images.h"
#include "toolkit/common/system.h"
#include "toolkit/themes/tabs/tab_manager.h"

#include <uxtheme.h>
#include <vssym32.h>

#include <utility>
#include <vector>

namespace {

constexpr COLORREF kNone = CKitPaintManagerColor::kNone;
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);

// The colour manager's own indices the tab colours use.
enum XtColor {
    kXtHighlightSelected = 31, kXtHighlightSelectedBorder = 32, kXtHighlightPushed = 33, kXtHighlightChecked = 36,
    kXtHighlightCheckedBorder = 37, kXtHighlightText = 45, kXtPushedText = 47, kXtToolbarFace = 48,
    kXtToolbarText = 49, kXtHighlightPushedBorder = 50, kXtDisabledBorder = 57,
};

CKitTabPaintManager::CColorSetVisualStudio2010::VistaProvider& VistaProviderSeam()
{
    static CKitTabPaintManager::CColorSetVisualStudio2010::VistaProvider provider;
    return provider;
}

BOOL IsHorizontal(int nPosition)
{
    return nPosition == CKitTabPaintManager::kTop || nPosition == CKitTabPaintManager::kBottom;
}

}  // namespace

// ---- base -------------------------------------------------------------------

COLORREF CKitTabPaintManagerColorSet::GetXtColor(int nIndex)
{
    return CKitColorManager::Instance()->GetColor(nIndex);
}

CKitTabManager* CKitTabPaintManagerColorSet::GetManagerOf(CKitTabManagerItem* pItem) const
{
    return pItem ? pItem->GetTabManager() : nullptr;
}

void CKitTabPaintManagerColorSet::RefreshMetrics()
{
    const COLORREF clrFace = GetXtColor(COLOR_BTNFACE);
    m_grcHeaderFace.SetStandardValue(clrFace, clrFace);
    m_grcSecondHeaderFace.SetStandardValueFrom(m_grcHeaderFace);
    m_clrFrameBorder.SetStandardValue(GetXtColor(COLOR_BTNSHADOW));
    m_clrControlFace.SetStandardValue(clrFace);
    m_clrThirdFace.SetStandardValue(clrFace);
    m_clrLightEdge.SetStandardValue(GetXtColor(COLOR_BTNHIGHLIGHT));
    const BOOL bExcel = m_pPaintManager && m_pPaintManager->GetAppearance() == CKitTabPaintManager::kAppearanceExcel;
    m_clrSelectedFace.SetStandardValue(bExcel ? GetXtColor(COLOR_WINDOW) : clrFace);
    m_clrHotFace.SetStandardValue(clrFace);
    m_clrPressedFace.SetStandardValue(clrFace);
    m_clrNormalFace.SetStandardValue(clrFace);
    m_clrNormalText.SetStandardValue(GetXtColor(COLOR_BTNTEXT));
    m_clrInactiveText.SetStandardValue(GetXtColor(COLOR_BTNTEXT));
    m_clrSelectedText.SetStandardValue(GetXtColor(COLOR_BTNTEXT));
    m_clrHotText.SetStandardValue(RGB(0, 0, 128));
    m_clrDisabledText.SetStandardValue(GetXtColor(COLOR_GRAYTEXT));
    m_grcStateFace.SetStandardColor(GetXtColor(COLOR_WINDOW));
    m_grcStateBorder.SetStandardColor(GetXtColor(COLOR_HIGHLIGHT));
    m_clr3DHighlight.SetStandardValue(GetXtColor(COLOR_BTNHIGHLIGHT));
    m_clr3DShadow.SetStandardValue(GetXtColor(COLOR_BTNSHADOW));
    m_clr3DDarkShadow.SetStandardValue(GetXtColor(COLOR_3DDKSHADOW));
    m_clrButtonBorder.SetStandardValue(GetXtColor(COLOR_BTNSHADOW));
    m_clrSelectedButtonBorder.SetStandardValue(GetXtColor(COLOR_BTNSHADOW));
    m_clrButtonInnerLight.SetStandardValue(clrFace);
    m_clrButtonInnerShade.SetStandardValue(clrFace);
    const COLORREF group[kGroupSize] = {GetXtColor(COLOR_BTNTEXT), GetXtColor(COLOR_BTNSHADOW),
                                        GetXtColor(COLOR_BTNTEXT), kNone, kNone, kNone};
    for (int i = 0; i < kGroupSize; ++i)
        m_clrSelectedGroup[i].SetStandardValue(group[i]);
    for (int i = 0; i < kGroupSize; ++i)
        m_clrNormalGroup[i].SetStandardValue(m_clrSelectedGroup[i]);
    m_clrNormalGroup[3].SetStandardValue(GetXtColor(COLOR_WINDOW));
    m_clrNormalGroup[4].SetStandardValue(GetXtColor(COLOR_BTNSHADOW));
}

void CKitTabPaintManagerColorSet::SetTextColor(CDC* pDC, CKitTabManagerItem* pItem)
{
    SetItemTextColor(pDC, pItem, TRUE);
}

void CKitTabPaintManagerColorSet::SetItemTextColor(CDC* pDC, CKitTabManagerItem* pItem, BOOL bInactiveText)
{
    CKitTabManager* pManager = GetManagerOf(pItem);
    if (!pItem->IsEnabled())
        pDC->SetTextColor(m_clrDisabledText);
    else if (bInactiveText && pManager && !pManager->IsActive())
        pDC->SetTextColor(m_clrInactiveText);
    else if (pManager && pManager->GetSelectedItem() == pItem)
        pDC->SetTextColor(m_clrSelectedText);
    else if (pManager && pManager->GetHotItem() == pItem)
        pDC->SetTextColor(m_clrHotText);
    else
        pDC->SetTextColor(m_clrNormalText);
}

void CKitTabPaintManagerColorSet::FillItemFace(CDC* pDC, CRect rc, CKitTabManagerItem* pItem, COLORREF clrLight,
                                               COLORREF clr, BOOL bGradient)
{
    CKitTabManager* pManager = GetManagerOf(pItem);
    if (bGradient)
        FillGradientAcross(pDC, rc, clrLight, clr, pManager ? pManager->GetPosition() : CKitTabPaintManager::kTop);
    else
        pDC->FillSolidRect(rc, clr);
}

void CKitTabPaintManagerColorSet::FillGradientAcross(CDC* pDC, CRect rc, COLORREF clrLight, COLORREF clrDark,
                                                     int nPosition)
{
    if (clrLight == kDither) {
        static const WORD kPattern[8] = {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA};
        CBitmap bitmap;
        bitmap.CreateBitmap(8, 8, 1, 1, kPattern);
        CBrush brush;
        brush.Attach(::CreatePatternBrush(bitmap));
        const COLORREF clrOldText = pDC->SetTextColor(GetXtColor(COLOR_BTNFACE));
        const COLORREF clrOldBk = pDC->SetBkColor(GetXtColor(COLOR_BTNHIGHLIGHT));
        CBrush* pOldBrush = pDC->SelectObject(&brush);
        pDC->PatBlt(rc.left, rc.top, rc.Width(), rc.Height(), PATCOPY);
        pDC->SelectObject(pOldBrush);
        pDC->SetTextColor(clrOldText);
        pDC->SetBkColor(clrOldBk);
        return;
    }
    BOOL bReverse = nPosition == CKitTabPaintManager::kBottom || nPosition == CKitTabPaintManager::kRight;
    if (m_pPaintManager && m_pPaintManager->m_bInvertGradient)
        bReverse = !bReverse;
    if (bReverse)
        std::swap(clrLight, clrDark);
    CKitDrawHelpers::Instance()->GradientFill(pDC, rc, clrLight, clrDark, !IsHorizontal(nPosition));
}

void CKitTabPaintManagerColorSet::FillGradientAcross(CDC* pDC, CRect rc, const CKitPaintManagerColorGradient& grc,
                                                     int nPosition)
{
    FillGradientAcross(pDC, rc, grc.clrLight, grc.clrDark, nPosition);
}

void CKitTabPaintManagerColorSet::FillHeader(CDC* pDC, CRect rc, CKitTabManager* pManager)
{
    const COLORREF clrFace = GetXtColor(COLOR_BTNFACE);
    if (m_grcHeaderFace.clrLight == clrFace && m_grcHeaderFace.clrDark == clrFace &&
        pManager->DrawParentBackground(pDC, rc))
        return;
    FillGradientAcross(pDC, rc, m_grcHeaderFace, pManager->GetPosition());
}

COLORREF CKitTabPaintManagerColorSet::FillClient(CDC* pDC, CRect rc, CKitTabManager* pManager)
{
    CKitTabManagerItem* pSelected = pManager->GetSelectedItem();
    const COLORREF clr = pSelected ? GetItemColor(pSelected) : static_cast<COLORREF>(m_clrSelectedFace);
    pDC->FillSolidRect(rc, clr);
    return clr;
}

void CKitTabPaintManagerColorSet::FillStateButton(CDC* pDC, CRect rc, CKitTabManagerItem* pItem)
{
    CKitTabManager* pManager = GetManagerOf(pItem);
    if (!pManager)
        return;
    if (pManager->GetSelectedItem() != pItem) {
        if (pManager->IsHorizontalPosition())
            pDC->Draw3dRect(rc.right, rc.top + 2, 2, rc.Height() - 4, GetXtColor(COLOR_BTNSHADOW),
                            GetXtColor(COLOR_BTNHIGHLIGHT));
        else
            pDC->Draw3dRect(rc.left + 2, rc.bottom, rc.Width() - 4, 2, GetXtColor(COLOR_BTNSHADOW),
                            GetXtColor(COLOR_BTNHIGHLIGHT));
        return;
    }
    if (m_pPaintManager && m_pPaintManager->m_bItemColors)
        pDC->FillSolidRect(rc, pItem->GetColor());
    else
        FillGradientAcross(pDC, rc, m_grcStateFace, pManager->GetPosition());
    pDC->Draw3dRect(rc, m_grcStateBorder.clrLight, m_grcStateBorder.clrDark);
}

COLORREF CKitTabPaintManagerColorSet::FillPropertyButton(CDC* pDC, CRect rc, CKitTabManagerItem* pItem)
{
    const COLORREF clr = GetItemColor(pItem);
    pDC->FillSolidRect(rc, clr);
    return clr;
}

COLORREF CKitTabPaintManagerColorSet::GetItemColor(CKitTabManagerItem* pItem)
{
    if (m_pPaintManager && m_pPaintManager->m_bItemColors)
        return pItem->GetColor();
    CKitTabManager* pManager = GetManagerOf(pItem);
    if (pManager && pManager->GetSelectedItem() == pItem)
        return m_clrSelectedFace;
    return m_clrNormalFace;
}

// ---- default ----------------------------------------------------------------

void CKitTabPaintManager::CColorSetDefault::RefreshMetrics()
{
    CKitTabPaintManagerColorSet::RefreshMetrics();
    m_grcStateFace.SetStandardValue(kDither, kDither);
    m_grcStateBorder.SetStandardValue(GetXtColor(COLOR_BTNSHADOW), GetXtColor(COLOR_BTNHIGHLIGHT), 0.5);
    const int group[kGroupSize] = {COLOR_BTNTEXT, COLOR_BTNTEXT, COLOR_BTNTEXT, COLOR_WINDOW, COLOR_BTNSHADOW,
                                   COLOR_BTNSHADOW};
    for (int i = 0; i < kGroupSize; ++i)
        m_clrSelectedGroup[i].SetStandardValue(GetXtColor(group[i]));
    for (int i = 0; i < kGroupSize; ++i)
        m_clrNormalGroup[i].SetStandardValue(i < 3 ? static_cast<COLORREF>(m_clrSelectedGroup[i]) : kNone);
    if (m_pPaintManager && m_pPaintManager->GetAppearance() == CKitTabPaintManager::kAppearanceExcel) {
        m_clrSelectedFace.SetStandardValue(GetXtColor(COLOR_BTNFACE));
        m_clrNormalFace.SetStandardValue(GetXtColor(COLOR_WINDOW));
        m_clrFrameBorder.SetStandardValue(GetXtColor(COLOR_BTNTEXT));
    }
}

void CKitTabPaintManager::CColorSetDefault::DrawNavigateButtonEdge(CDC* pDC, CKitTabManagerNavigateButton* pButton,
                                                                   CRect& rc, COLORREF clrLight, COLORREF clrDark)
{
    if (!pButton->IsEnabled())
        return;
    if (pButton->IsPressed()) {
        pDC->Draw3dRect(rc, clrDark, clrLight);
        rc.OffsetRect(1, 1);
    } else if (pButton->GetTabManager()->GetHotNavigateButton() == pButton) {
        pDC->Draw3dRect(rc, clrLight, clrDark);
    }
}

void CKitTabPaintManager::CColorSetDefault::FillNavigateButton(CDC* pDC, CKitTabManagerNavigateButton* pButton,
                                                               CRect& rc)
{
    DrawNavigateButtonEdge(pDC, pButton, rc, GetXtColor(COLOR_BTNHIGHLIGHT), GetXtColor(COLOR_BTNSHADOW));
    pDC->SetTextColor(GetXtColor(COLOR_BTNTEXT));
}

// ---- Visual Studio 2003 -----------------------------------------------------

void CKitTabPaintManager::CColorSetVisualStudio2003::RefreshMetrics()
{
    CColorSetDefault::RefreshMetrics();
    const int nStyle = m_pPaintManager ? m_pPaintManager->GetAppearance() : 0;
    if (nStyle != CKitTabPaintManager::kAppearanceExcel && nStyle != CKitTabPaintManager::kAppearanceStateButtons)
        m_grcHeaderFace.SetStandardColor(GetXtColor(kXtToolbarFace));
    if (nStyle == CKitTabPaintManager::kAppearanceVisualStudio) {
        m_clrNormalText.SetStandardValue(GetXtColor(kXtToolbarText));
        m_clrInactiveText.SetStandardValue(GetXtColor(kXtToolbarText));
    }
    const COLORREF clrSecond =
        CKitDrawHelpers::IsLowResolution() ? GetXtColor(COLOR_BTNFACE) : static_cast<COLORREF>(m_grcHeaderFace.clrDark);
    m_grcSecondHeaderFace.SetStandardColor(clrSecond);
}

void CKitTabPaintManager::CColorSetVisualStudio2003::FillNavigateButton(CDC* pDC,
                                                                        CKitTabManagerNavigateButton* pButton, CRect& rc)
{
    const int nStyle = m_pPaintManager ? m_pPaintManager->GetAppearance() : 0;
    if (nStyle == CKitTabPaintManager::kAppearanceExcel || nStyle == CKitTabPaintManager::kAppearanceStateButtons) {
        CColorSetDefault::FillNavigateButton(pDC, pButton, rc);
        return;
    }
    DrawNavigateButtonEdge(pDC, pButton, rc, GetXtColor(COLOR_BTNFACE), GetXtColor(COLOR_BTNTEXT));
    pDC->SetTextColor(GetXtColor(kXtToolbarText));
}

// ---- Office 2003 ------------------------------------------------------------

// The Office 2003 colours of one visual-style scheme.
struct CKitTabPaintManager::CColorSetOffice2003::Office2003Scheme {
    COLORREF clrFrameBorder;
    COLORREF clrDarkShadow;
    COLORREF clrShadow;
    COLORREF clrStateBorder;
    COLORREF clrHeaderLight;
    COLORREF clrHeaderDark;
    COLORREF clrNormalFace;
    COLORREF clrHotFace;
    COLORREF clrSecondHeaderLight;
    COLORREF clrSecondHeaderDark;
};

namespace {

using Office2003Scheme = CKitTabPaintManager::CColorSetOffice2003::Office2003Scheme;

const Office2003Scheme kBlueScheme = {
    RGB(59, 97, 156),   RGB(0, 53, 154),    RGB(117, 166, 241), RGB(0, 0, 128),     RGB(196, 218, 250),
    RGB(252, 253, 254), RGB(162, 192, 246), RGB(255, 240, 201), RGB(158, 190, 245), RGB(196, 218, 250),
};
const Office2003Scheme kOliveScheme = {
    RGB(96, 128, 88),   RGB(96, 119, 107),  RGB(176, 194, 140), RGB(63, 93, 56),    RGB(242, 241, 228),
    RGB(252, 254, 254), RGB(208, 222, 170), RGB(255, 240, 199), RGB(217, 217, 167), RGB(242, 241, 228),
};
const Office2003Scheme kSilverScheme = {
    RGB(124, 124, 148), RGB(118, 116, 146), RGB(186, 185, 206), RGB(75, 75, 111),   RGB(243, 243, 247),
    RGB(252, 254, 254), RGB(217, 217, 230), RGB(255, 238, 194), RGB(215, 215, 229), RGB(243, 243, 247),
};

const Office2003Scheme* SchemeOf(int nTheme)
{
    switch (nTheme) {
    case CKitColorManager::kThemeBlue:
    case CKitColorManager::kThemeRoyale:
    case CKitColorManager::kThemeAero:
        return &kBlueScheme;
    case CKitColorManager::kThemeOlive:
        return &kOliveScheme;
    case CKitColorManager::kThemeSilver:
        return &kSilverScheme;
    default:
        return nullptr;
    }
}

}  // namespace

void CKitTabPaintManager::CColorSetOffice2003::ApplyScheme(const Office2003Scheme& s)
{
    m_clrFrameBorder.SetStandardValue(s.clrFrameBorder);
    m_clrSelectedButtonBorder.SetStandardValue(s.clrFrameBorder);
    m_clr3DDarkShadow.SetStandardValue(s.clrDarkShadow);
    m_clrButtonBorder.SetStandardValue(s.clrDarkShadow);
    m_clr3DShadow.SetStandardValue(s.clrShadow);
    m_clrButtonInnerLight.SetStandardValue(s.clrShadow);
    m_clrButtonInnerShade.SetStandardValue(kWhite);
    m_grcStateFace.SetStandardColor(RGB(255, 192, 111));
    m_grcStateBorder.SetStandardColor(s.clrStateBorder);
    m_grcHeaderFace.SetStandardValue(s.clrHeaderLight, s.clrHeaderDark, 0.5);
    m_clrNormalFace.SetStandardValue(s.clrNormalFace);
    m_clrSelectedFace.SetStandardValue(RGB(255, 194, 115));
    m_clrHotFace.SetStandardValue(s.clrHotFace);
    m_grcSecondHeaderFace.SetStandardValue(s.clrSecondHeaderLight, s.clrSecondHeaderDark, 0.5);
    m_clrThemeFrame.SetStandardValue(s.clrStateBorder);
}

BOOL CKitTabPaintManager::CColorSetOffice2003::RefreshFlatVisualStudio()
{
    CColorSetOffice2003::RefreshMetrics();
    if (IsThemeColorsAllowed())
        return FALSE;
    m_clrSelectedText.SetStandardValue(GetXtColor(COLOR_WINDOWTEXT));
    m_clrPressedFace.SetStandardValue(GetXtColor(kXtHighlightPushed));
    m_clrHotText.SetStandardValue(GetXtColor(COLOR_BTNTEXT));
    m_clrSelectedButtonBorder.SetStandardValue(GetXtColor(kXtDisabledBorder));
    m_clrFrameBorder.SetStandardValue(GetXtColor(kXtDisabledBorder));
    m_bThemeColors = FALSE;
    return TRUE;
}

BOOL CKitTabPaintManager::CColorSetOffice2003::IsThemeColorsAllowed() const
{
    if (m_pPaintManager && m_pPaintManager->m_bDisableThemeColors)
        return FALSE;
    return !CKitColorManager::Instance()->IsVisualStyleColorsDisabled();
}

void CKitTabPaintManager::CColorSetOffice2003::RefreshMetrics()
{
    CColorSetDefault::RefreshMetrics();
    const COLORREF clrFace = GetXtColor(COLOR_BTNFACE);
    m_grcHeaderFace.SetStandardValue(
        clrFace, CKitColorManager::BlendColorsPercent(clrFace, GetXtColor(COLOR_WINDOW), 205), 0.5);
    m_grcStateFace.SetStandardColor(GetXtColor(kXtHighlightChecked));
    m_grcStateBorder.SetStandardColor(GetXtColor(kXtHighlightCheckedBorder));
    m_clrHotFace.SetStandardValue(GetXtColor(kXtHighlightChecked));
    m_clrPressedFace.SetStandardValue(GetXtColor(kXtHighlightPushed));
    m_clrHotText.SetStandardValue(GetXtColor(COLOR_BTNTEXT));
    m_grcSecondHeaderFace.SetStandardValueFrom(m_grcHeaderFace);
    m_bThemeColors = FALSE;

    const Office2003Scheme* pScheme =
        IsThemeColorsAllowed() ? SchemeOf(CKitColorManager::Instance()->GetCurrentSystemTheme()) : nullptr;
    if (pScheme) {
        ApplyScheme(*pScheme);
        m_bThemeColors = TRUE;
        m_clrPressedFace.SetStandardValue(RGB(254, 142, 75));
    } else {
        m_clrSelectedFace.SetStandardValue(GetXtColor(kXtHighlightChecked));
    }
    for (int i = 0; i < kGroupSize; ++i)
        m_clrSelectedGroup[i].SetStandardValue(i < 3 ? static_cast<COLORREF>(m_clrFrameBorder) : kNone);
    for (int i = 0; i < kGroupSize; ++i)
        m_clrNormalGroup[i].SetStandardValue(m_clrSelectedGroup[i]);
    if (m_pPaintManager && m_pPaintManager->GetAppearance() == CKitTabPaintManager::kAppearanceStateButtons) {
        m_grcHeaderFace.SetStandardColor(clrFace);
        m_grcSecondHeaderFace.SetStandardColor(clrFace);
    }
}

COLORREF CKitTabPaintManager::CColorSetOffice2003::FillPropertyButton(CDC* pDC, CRect rc, CKitTabManagerItem* pItem)
{
    COLORREF clr = GetItemColor(pItem);
    CKitTabManager* pManager = GetManagerOf(pItem);
    if (pManager && pManager->GetPressedItem() == pItem)
        clr = m_clrPressedFace;
    else if (pManager && pManager->GetHotItem() == pItem)
        clr = m_clrHotFace;
    FillItemFace(pDC, rc, pItem, CKitColorManager::BlendColorsPercent(clr, kWhite, 300), clr, TRUE);
    return clr;
}

void CKitTabPaintManager::CColorSetOffice2003::FillNavigateButton(CDC* pDC, CKitTabManagerNavigateButton* pButton,
                                                                  CRect& rc)
{
    const BOOL bHot = pButton->GetTabManager()->GetHotNavigateButton() == pButton;
    const BOOL bPressed = pButton->IsPressed();
    COLORREF clrText = GetXtColor(COLOR_BTNTEXT);
    if (pButton->IsEnabled() && (bHot || bPressed)) {
        if (m_bThemeColors) {
            if (bHot && bPressed)
                CKitDrawHelpers::Instance()->GradientFill(pDC, rc, RGB(254, 142, 75), RGB(255, 207, 139), FALSE);
            else
                CKitDrawHelpers::Instance()->GradientFill(pDC, rc, RGB(255, 242, 200), RGB(255, 212, 151), FALSE);
            pDC->Draw3dRect(rc, m_clrThemeFrame, m_clrThemeFrame);
        } else if (bHot && bPressed) {
            pDC->FillSolidRect(rc, GetXtColor(kXtHighlightPushed));
            pDC->Draw3dRect(rc, GetXtColor(kXtHighlightPushedBorder), GetXtColor(kXtHighlightPushedBorder));
            clrText = GetXtColor(kXtPushedText);
        } else {
            pDC->FillSolidRect(rc, GetXtColor(kXtHighlightSelected));
            pDC->Draw3dRect(rc, GetXtColor(kXtHighlightSelectedBorder), GetXtColor(kXtHighlightSelectedBorder));
            clrText = GetXtColor(kXtHighlightText);
        }
    }
    pDC->SetTextColor(clrText);
}

// ---- Office 2007 ------------------------------------------------------------

BOOL CKitTabPaintManager::CColorSetOffice2007::HasResourceImages()
{
    return CKitResourceImages::Instance()->IsValid();
}

void CKitTabPaintManager::CColorSetOffice2007::RefreshMetrics()
{
    CColorSetOffice2003::RefreshMetrics();
    if (HasResourceImages()) {
        const CKitResourceImages* pImages = CKitResourceImages::Instance();
        auto read = [pImages](LPCSTR lpszSection, LPCSTR lpszKey) { return pImages->GetImageColor(lpszSection, lpszKey); };
        const COLORREF clrFrame = read("TabManager", "FrameBorder");
        m_clrFrameBorder.SetStandardValue(clrFrame);
        m_clrSelectedButtonBorder.SetStandardValue(clrFrame);
        const COLORREF clrDark = read("TabManager", "DarkShadow");
        m_clr3DDarkShadow.SetStandardValue(clrDark);
        m_clrButtonBorder.SetStandardValue(clrDark);
        const COLORREF clrLight = read("TabManager", "LightShadow");
        m_clr3DShadow.SetStandardValue(clrLight);
        m_clrButtonInnerLight.SetStandardValue(clrLight);
        m_clrButtonInnerShade.SetStandardValue(kWhite);
        m_grcHeaderFace.SetStandardColor(read("Ribbon", "RibbonFace"));
        m_grcSecondHeaderFace.SetStandardValueFrom(m_grcHeaderFace);
        m_clrNormalFace.SetStandardValue(read("Window", "ButtonFace"));
        m_clrSelectedFace.SetStandardValue(read("Window", "HighlightChecked"));
        m_clrHotFace.SetStandardValue(read("Window", "HighlightSelected"));
        m_clrThemeFrame.SetStandardValue(read("Window", "WindowFrame"));
        const COLORREF clrText = read("Ribbon", "TabNormalText");
        m_clrHotText.SetStandardValue(clrText);
        m_clrNormalText.SetStandardValue(clrText);
        m_clrSelectedText.SetStandardValue(read("Ribbon", "TabSelectedText"));
    } else {
        m_clrPressedFace.SetStandardValue(GetXtColor(kXtHighlightPushed));
        m_clrHotText.SetStandardValue(GetXtColor(COLOR_BTNTEXT));
        ApplyScheme(kBlueScheme);
    }
    m_bThemeColors = TRUE;
    m_clrTabText.SetStandardValue(m_clrNormalText);
}

void CKitTabPaintManager::CColorSetOffice2007::FillNavigateButton(CDC* pDC, CKitTabManagerNavigateButton* pButton,
                                                                  CRect& rc)
{
    if (!HasResourceImages()) {
        CColorSetDefault::FillNavigateButton(pDC, pButton, rc);
        return;
    }
    if (!pButton->GetItem())
        pDC->SetTextColor(m_clrTabText);
    const BOOL bHot = pButton->GetTabManager()->GetHotNavigateButton() == pButton;
    if (pButton->IsEnabled() && (pButton->IsPressed() || bHot)) {
        if (CKitResourceImage* pImage = CKitResourceImages::Instance()->LoadImage("TOOLBARBUTTONS22")) {
            pImage->DrawImage(pDC, rc, pImage->GetSource(pButton->IsPressed() ? 1 : 0, 4), CRect(8, 8, 8, 8));
            pDC->SetTextColor(kBlack);
        }
    }
}

void CKitTabPaintManager::CColorSetOffice2007Access::RefreshMetrics()
{
    CColorSetOffice2007::RefreshMetrics();
    if (!HasResourceImages())
        return;
    const CKitResourceImages* pImages = CKitResourceImages::Instance();
    m_clrSelectedText.SetStandardValue(kBlack);
    m_clrNormalText.SetStandardValue(kBlack);
    m_clrHotText.SetStandardValue(kBlack);
    const COLORREF clrBorder = pImages->GetImageColor("TabManager", "AccessBorder");
    m_clrFrameBorder.SetStandardValue(clrBorder);
    m_clrSelectedButtonBorder.SetStandardValue(clrBorder);
    m_grcHeaderFace.SetStandardColor(pImages->GetImageColor("TabManager", "AccessHeader"));
    m_grcSecondHeaderFace.SetStandardValueFrom(m_grcHeaderFace);
    m_clrTabText.SetStandardValue(pImages->GetImageColor("Ribbon", "TabNormalText"));
}

// ---- Visual Studio 2005 and 2008 --------------------------------------------

void CKitTabPaintManager::CColorSetVisualStudio2005::RefreshMetrics()
{
    m_bThemeHeader = FALSE;
    if (!RefreshFlatVisualStudio())
        return;
    m_clrSelectedFace.SetStandardValue(GetXtColor(COLOR_WINDOW));
    m_clrHotFace.SetStandardValue(GetXtColor(kXtHighlightChecked));
    switch (CKitColorManager::Instance()->GetCurrentSystemTheme()) {
    case CKitColorManager::kThemeBlue:
    case CKitColorManager::kThemeOlive:
        m_grcHeaderFace.SetStandardColor(RGB(228, 226, 213));
        m_bThemeHeader = TRUE;
        break;
    case CKitColorManager::kThemeSilver:
        m_clrNormalFace.SetStandardValue(RGB(245, 245, 248));
        m_grcHeaderFace.SetStandardColor(RGB(238, 238, 238));
        m_bThemeHeader = TRUE;
        break;
    default:
        break;
    }
}

COLORREF CKitTabPaintManager::CColorSetVisualStudio2005::FillPropertyButton(CDC* pDC, CRect rc,
                                                                            CKitTabManagerItem* pItem)
{
    COLORREF clr = GetItemColor(pItem);
    CKitTabManager* pManager = GetManagerOf(pItem);
    if (pManager && pManager->GetHotItem() == pItem)
        clr = m_clrHotFace;
    FillItemFace(pDC, rc, pItem, CKitColorManager::BlendColorsPercent(clr, kWhite, 300), clr, m_bThemeHeader);
    return clr;
}

void CKitTabPaintManager::CColorSetVisualStudio2008::RefreshMetrics()
{
    m_bThemeHeader = FALSE;
    if (!RefreshFlatVisualStudio())
        return;
    m_clrSelectedFace.SetStandardValue(GetXtColor(COLOR_BTNFACE));
    m_clrHotFace.SetStandardValue(GetXtColor(COLOR_WINDOW));
    m_clrNormalFace.SetStandardValue(GetXtColor(COLOR_BTNFACE));
    m_grcHeaderFace.SetStandardColor(GetXtColor(COLOR_BTNFACE));
    // Selected, hot and normal face (none: kept) and frame of each visual style.
    struct Scheme {
        int nTheme;
        COLORREF clrSelected;
        COLORREF clrHot;
        COLORREF clrNormal;
        COLORREF clrFrame;
    };
    static const Scheme kSchemes[] = {
        {CKitColorManager::kThemeBlue, RGB(193, 210, 238), RGB(167, 191, 227), kNone, RGB(152, 181, 226)},
        {CKitColorManager::kThemeRoyale, RGB(193, 210, 238), RGB(167, 191, 227), kNone, RGB(152, 181, 226)},
        {CKitColorManager::kThemeOlive, RGB(182, 198, 141), RGB(175, 175, 142), kNone, RGB(147, 160, 112)},
        {CKitColorManager::kThemeSilver, RGB(225, 226, 236), RGB(255, 201, 128), kNone, RGB(147, 145, 176)},
        {CKitColorManager::kThemeAero, RGB(210, 230, 250), RGB(129, 208, 241), RGB(152, 180, 210), RGB(105, 161, 191)},
    };
    const int nTheme = CKitColorManager::Instance()->GetCurrentSystemTheme();
    const Scheme* pScheme = nullptr;
    for (const Scheme& scheme : kSchemes)
        if (scheme.nTheme == nTheme)
            pScheme = &scheme;
    if (!pScheme)
        return;
    m_clrSelectedFace.SetStandardValue(pScheme->clrSelected);
    m_clrHotFace.SetStandardValue(pScheme->clrHot);
    if (pScheme->clrNormal != kNone)
        m_clrNormalFace.SetStandardValue(pScheme->clrNormal);
    m_clrFrameBorder.SetStandardValue(pScheme->clrFrame);
    m_clrSelectedButtonBorder.SetStandardValue(m_clrFrameBorder);
    m_bThemeHeader = TRUE;
}

COLORREF CKitTabPaintManager::CColorSetVisualStudio2008::FillPropertyButton(CDC* pDC, CRect rc,
                                                                            CKitTabManagerItem* pItem)
{
    COLORREF clr = GetItemColor(pItem);
    CKitTabManager* pManager = GetManagerOf(pItem);
    const BOOL bSelected = pManager && pManager->GetSelectedItem() == pItem;
    if (pManager && pManager->GetHotItem() == pItem && !bSelected)
        clr = m_clrHotFace;
    FillItemFace(pDC, rc, pItem, RGB(253, 253, 253), clr, m_bThemeHeader || bSelected);
    return clr;
}

// ---- Visual Studio 2010 -----------------------------------------------------

CKitTabPaintManager::CColorSetVisualStudio2010::CColorSetVisualStudio2010(BOOL bLightSelection)
    : m_bLightSelection(bLightSelection)
{
    // The woven header: rows (1,2,2,2), (3,2,2,2), (2,2,1,2), (2,2,3,2) of three blues.
    const DWORD c1 = 0x293956;  // (41, 57, 86) as 0x00RRGGBB
    const DWORD c2 = 0x2D3F5C;  // (45, 63, 92)
    const DWORD c3 = 0x35496A;  // (53, 73, 106)
    const DWORD pattern[16] = {c1, c2, c2, c2, c3, c2, c2, c2, c2, c2, c1, c2, c2, c2, c3, c2};
    LPBYTE pBits = nullptr;
    HBITMAP hBitmap = Create32BitDibSection(nullptr, 4, -4, &pBits);
    if (hBitmap && pBits) {
        memcpy(pBits, pattern, sizeof(pattern));
        m_brushHeader.Attach(::CreatePatternBrush(hBitmap));
    }
    if (hBitmap)
        ::DeleteObject(hBitmap);
}

CKitTabPaintManager::CColorSetVisualStudio2010::~CColorSetVisualStudio2010() = default;

void CKitTabPaintManager::CColorSetVisualStudio2010::SetVistaProvider(VistaProvider provider)
{
    VistaProviderSeam() = std::move(provider);
}

void CKitTabPaintManager::CColorSetVisualStudio2010::RefreshMetrics()
{
    CColorSetVisualStudio2008::RefreshMetrics();
    const VistaProvider& provider = VistaProviderSeam();
    m_bVistaOrGreater = provider ? provider() : (CKitOsVersion::Instance()->IsVistaOrGreater() ? TRUE : FALSE);
    m_clrInactiveText.SetStandardValue(RGB(206, 212, 221));
    m_clrDisabledText.SetStandardValue(RGB(206, 212, 221));
    m_clrSelectedText.SetStandardValue(kBlack);
    m_clrHotText.SetStandardValue(kWhite);
    m_clrNormalText.SetStandardValue(kWhite);
    m_clrNormalFace.SetStandardValue(RGB(74, 93, 128));
    m_clrSelectedFace.SetStandardValue(RGB(255, 232, 166));
    m_clrPressedFace.SetStandardValue(RGB(255, 232, 166));
    m_clrHotFace.SetStandardValue(RGB(95, 107, 117));
    m_grcHeaderFace.SetStandardColor(RGB(45, 63, 92));
    m_grcSecondHeaderFace.SetStandardColor(RGB(45, 63, 92));
    m_clrThemeFrame.SetCustomValue(RGB(229, 195, 101));
    m_clrFrameBorder.SetStandardValue(RGB(47, 65, 95));
    m_clrSelectedButtonBorder.SetStandardValue(RGB(47, 65, 95));
    m_clrHotItemBorder.SetStandardValue(RGB(155, 167, 183));
    m_clrButtonBorder.SetStandardValue(RGB(155, 167, 183));
    m_clrButtonInnerLight.SetStandardValue(RGB(41, 58, 86));
    m_clrButtonInnerShade.SetStandardValue(RGB(41, 58, 86));
    if (!m_bVistaOrGreater) {
        m_clrHotFace.SetStandardValue(RGB(74, 93, 115));
        m_clrNormalFace.SetStandardValue(RGB(57, 81, 115));
        m_clrSelectedFace.SetStandardValue(RGB(255, 243, 206));
    }
    if (m_bLightSelection)
        m_clrSelectedFace.SetStandardValue(kWhite);
}

void CKitTabPaintManager::CColorSetVisualStudio2010::SetTextColor(CDC* pDC, CKitTabManagerItem* pItem)
{
    SetItemTextColor(pDC, pItem, FALSE);
}

void CKitTabPaintManager::CColorSetVisualStudio2010::FillHeader(CDC* pDC, CRect rc, CKitTabManager* /*pManager*/)
{
    if (m_brushHeader.GetSafeHandle())
        pDC->FillRect(rc, &m_brushHeader);
    else
        pDC->FillSolidRect(rc, m_grcHeaderFace.clrDark);
}

COLORREF CKitTabPaintManager::CColorSetVisualStudio2010::FillPropertyButton(CDC* pDC, CRect rc,
                                                                            CKitTabManagerItem* pItem)
{
    CKitTabManager* pManager = GetManagerOf(pItem);
    const int nPosition = pManager ? pManager->GetPosition() : CKitTabPaintManager::kTop;
    if (pManager && pManager->GetSelectedItem() == pItem) {
        pDC->FillSolidRect(rc, m_clrSelectedFace);
        if (!m_bLightSelection) {
            // The outer half takes a light gradient.
            CRect rcHalf = rc;
            switch (nPosition) {
            case CKitTabPaintManager::kTop: rcHalf.bottom = rc.top + rc.Height() / 2; break;
            case CKitTabPaintManager::kBottom: rcHalf.top = rc.bottom - rc.Height() / 2; break;
            case CKitTabPaintManager::kLeft: rcHalf.right = rc.left + rc.Width() / 2; break;
            default: rcHalf.left = rc.right - rc.Width() / 2; break;
            }
            FillGradientAcross(pDC, rcHalf, RGB(255, 252, 242), RGB(255, 243, 207), nPosition);
        }
        return m_clrHotFace;
    }
    if (pManager && pManager->GetHotItem() == pItem) {
        FillGradientAcross(pDC, rc, RGB(109, 117, 118), m_clrHotFace, nPosition);
        return m_clrHotFace;
    }
    const COLORREF clr = GetItemColor(pItem);
    pDC->FillSolidRect(rc, clr);
    return clr;
}

void CKitTabPaintManager::CColorSetVisualStudio2010::FillNavigateButton(CDC* pDC,
                                                                        CKitTabManagerNavigateButton* pButton, CRect& rc)
{
    CKitTabManager* pManager = pButton->GetTabManager();
    COLORREF clrText = RGB(206, 212, 221);
    if (CKitTabManagerItem* pItem = pButton->GetItem()) {
        if (pManager->GetSelectedItem() == pItem)
            clrText = RGB(117, 99, 61);
        else if (pManager->GetHotItem() != pItem)
            clrText = RGB(41, 56, 82);
    }
    const BOOL bHot = pManager->GetHotNavigateButton() == pButton;
    if (pButton->IsEnabled() && (bHot || pButton->IsPressed())) {
        pDC->FillSolidRect(rc, bHot && pButton->IsPressed() ? RGB(255, 232, 166) : RGB(255, 252, 244));
        pDC->Draw3dRect(rc, m_clrThemeFrame, m_clrThemeFrame);
        clrText = kBlack;
    }
    pDC->SetTextColor(clrText);
}

// ---- native ------------------------------------------------------------------

namespace {

// Draws a tab part made for a top strip, turned for the position, through a 32-bit buffer.
void DrawTurnedThemePart(CKitWinThemeWrapper& theme, CDC* pDC, CRect rc, int nPart, int nState, int nPosition)
{
    const BOOL bSideways = !IsHorizontal(nPosition);
    const int sw = bSideways ? rc.Height() : rc.Width();
    const int sh = bSideways ? rc.Width() : rc.Height();
    if (sw <= 0 || sh <= 0)
        return;
    LPBYTE pSourceBits = nullptr;
    LPBYTE pDestBits = nullptr;
    HBITMAP hSource = Create32BitDibSection(pDC->GetSafeHdc(), sw, -sh, &pSourceBits);
    HBITMAP hDest = Create32BitDibSection(pDC->GetSafeHdc(), rc.Width(), -rc.Height(), &pDestBits);
    const DWORD* pSource = reinterpret_cast<const DWORD*>(pSourceBits);
    DWORD* pDest = reinterpret_cast<DWORD*>(pDestBits);
    if (hSource && hDest && pSource && pDest) {
        HDC hdc = ::CreateCompatibleDC(pDC->GetSafeHdc());
        HGDIOBJ hOld = ::SelectObject(hdc, hSource);
        const CRect rcSource(0, 0, sw, sh);
        ::FillRect(hdc, rcSource, ::GetSysColorBrush(COLOR_BTNFACE));
        theme.DrawThemeBackground(hdc, nPart, nState, rcSource, nullptr);
        ::GdiFlush();
        const int dw = rc.Width();
        const int dh = rc.Height();
        for (int y = 0; y < dh; ++y) {
            for (int x = 0; x < dw; ++x) {
                int sx = x;
                int sy = y;
                if (nPosition == CKitTabPaintManager::kBottom) {
                    sy = sh - 1 - y;
                } else if (nPosition == CKitTabPaintManager::kLeft) {
                    sx = y;
                    sy = x;
                } else if (nPosition == CKitTabPaintManager::kRight) {
                    sx = y;
                    sy = dw - 1 - x;
                }
                pDest[y * dw + x] = pSource[sy * sw + sx];
            }
        }
        ::SelectObject(hdc, hDest);
        ::BitBlt(pDC->GetSafeHdc(), rc.left, rc.top, dw, dh, hdc, 0, 0, SRCCOPY);
        ::SelectObject(hdc, hOld);
        ::DeleteDC(hdc);
    }
    if (hSource)
        ::DeleteObject(hSource);
    if (hDest)
        ::DeleteObject(hDest);
}

}  // namespace

CKitTabPaintManager::CColorSetWinNative::CColorSetWinNative(LPCSTR lpszThemeLibrary)
{
    if (lpszThemeLibrary) {
        m_pThemeTab = std::make_unique<CKitWinThemeWrapper>(FALSE, lpszThemeLibrary);
        m_pThemeToolbar = std::make_unique<CKitWinThemeWrapper>(FALSE, lpszThemeLibrary);
    } else {
        m_pThemeTab = std::make_unique<CKitWinThemeWrapper>();
        m_pThemeToolbar = std::make_unique<CKitWinThemeWrapper>();
    }
}

BOOL CKitTabPaintManager::CColorSetWinNative::IsAppThemed()
{
    return m_pThemeTab->IsThemeHandleOpen();
}

void CKitTabPaintManager::CColorSetWinNative::RefreshMetrics()
{
    CColorSetDefault::RefreshMetrics();
    m_pThemeTab->OpenThemeData(nullptr, L"TAB");
    m_pThemeToolbar->OpenThemeData(nullptr, L"TOOLBAR");
    if (!IsAppThemed())
        return;
    m_clr3DHighlight.SetStandardValue(kNone);
    m_clr3DShadow.SetStandardValue(kNone);
    m_clr3DDarkShadow.SetStandardValue(kNone);
    COLORREF clr = 0;
    if (SUCCEEDED(m_pThemeTab->GetThemeColor(TABP_PANE, 0, TMT_FILLCOLORHINT, &clr)))
        m_clrThirdFace.SetStandardValue(clr);
    if (SUCCEEDED(m_pThemeTab->GetThemeColor(TABP_TOPTABITEM, TIS_NORMAL, TMT_TEXTCOLOR, &clr))) {
        m_clrNormalText.SetStandardValue(clr);
        m_clrHotText.SetStandardValue(clr);
        m_clrInactiveText.SetStandardValue(clr);
    }
    if (SUCCEEDED(m_pThemeTab->GetThemeColor(TABP_TOPTABITEM, TIS_SELECTED, TMT_TEXTCOLOR, &clr)))
        m_clrSelectedText.SetStandardValue(clr);
    if (SUCCEEDED(m_pThemeTab->GetThemeColor(TABP_TOPTABITEM, TIS_HOT, TMT_TEXTCOLOR, &clr)))
        m_clrHotText.SetStandardValue(clr);
}

COLORREF CKitTabPaintManager::CColorSetWinNative::FillClient(CDC* pDC, CRect rc, CKitTabManager* pManager)
{
    if (!IsAppThemed())
        return CColorSetDefault::FillClient(pDC, rc, pManager);
    if (pManager->GetPosition() == CKitTabPaintManager::kBottom)
        ++rc.bottom;
    else if (pManager->GetPosition() == CKitTabPaintManager::kRight)
        ++rc.right;
    m_pThemeTab->DrawThemeBackground(pDC->GetSafeHdc(), TABP_PANE, 0, rc, nullptr);
    return 0;
}

COLORREF CKitTabPaintManager::CColorSetWinNative::FillPropertyButton(CDC* pDC, CRect rc, CKitTabManagerItem* pItem)
{
    CKitTabManager* pManager = GetManagerOf(pItem);
    if (!IsAppThemed() || !pManager)
        return CColorSetDefault::FillPropertyButton(pDC, rc, pItem);
    const BOOL bSelected = pManager->GetSelectedItem() == pItem;
    const int nState = bSelected ? TIS_SELECTED : pManager->GetHotItem() == pItem ? TIS_HOT : TIS_NORMAL;
    int nPart = TABP_TOPTABITEM;
    if (pItem->GetIndex() == 0)
        nPart = TABP_TOPTABITEMLEFTEDGE;
    else if (pItem->GetIndex() == pManager->GetItemCount() - 1 && !bSelected)
        nPart = TABP_TOPTABITEMRIGHTEDGE;
    const int nPosition = pManager->GetPosition();
    // Grown by one at the start, the outer side and the end, and by 2 toward the page when selected.
    CKitTabPaintManagerAppearanceSet::InflateRectEx(rc, CRect(1, 1, 1, bSelected ? 2 : 0), nPosition);
    if (nPosition == CKitTabPaintManager::kTop)
        m_pThemeTab->DrawThemeBackground(pDC->GetSafeHdc(), nPart, nState, rc, nullptr);
    else
        DrawTurnedThemePart(*m_pThemeTab, pDC, rc, nPart, nState, nPosition);
    return kNone;
}

void CKitTabPaintManager::CColorSetWinNative::FillStateButton(CDC* pDC, CRect rc, CKitTabManagerItem* pItem)
{
    CKitTabManager* pManager = GetManagerOf(pItem);
    if (!IsAppThemed() || !pManager || pManager->GetSelectedItem() != pItem) {
        CColorSetDefault::FillStateButton(pDC, rc, pItem);
        return;
    }
    const int nState = pManager->GetHotItem() == pItem ? TS_HOTCHECKED : TS_CHECKED;
    m_pThemeToolbar->DrawThemeBackground(pDC->GetSafeHdc(), TP_BUTTON, nState, rc, nullptr);
}

void CKitTabPaintManager::CColorSetWinNative::FillNavigateButton(CDC* pDC, CKitTabManagerNavigateButton* pButton,
                                                                 CRect& rc)
{
    if (!IsAppThemed()) {
        CColorSetDefault::FillNavigateButton(pDC, pButton, rc);
        return;
    }
    if (pButton->IsEnabled()) {
        const BOOL bHot = pButton->GetTabManager()->GetHotNavigateButton() == pButton;
        const int nState = pButton->IsPressed() ? TS_PRESSED : bHot ? TS_HOT : TS_NORMAL;
        m_pThemeToolbar->DrawThemeBackground(pDC->GetSafeHdc(), TP_BUTTON, nState, rc, nullptr);
    }
    pDC->SetTextColor(GetXtColor(COLOR_BTNTEXT));
}

void CKitTabPaintManager::CColorSetWinNative::FillTabControlPart(CDC* pDC, CRect /*rc*/, CKitTabManager* pManager)
{
    if (!IsAppThemed())
        return;
    // The one pixel of the page frame's corner next to the header stays as the pane drew it.
    const CRect& rcClient = pManager->GetClientRect();
    CPoint pt = rcClient.TopLeft();
    switch (pManager->GetPosition()) {
    case CKitTabPaintManager::kBottom: pt = CPoint(rcClient.left, rcClient.bottom - 1); break;
    case CKitTabPaintManager::kRight: pt = CPoint(rcClient.right - 1, rcClient.top); break;
    default: break;
    }
    ::ExcludeClipRect(pDC->GetSafeHdc(), pt.x, pt.y, pt.x + 1, pt.y + 1);
}

#include "toolkit/themes/paint/office2003_theme.h"
#include "toolkit/themes/paint/resource_painters.h"

#include "framework/winapp.h"
#include "toolkit/commandbars/command_bar.h"
#include "toolkit/commandbars/control.h"
#include "toolkit/commandbars/shadow_manager.h"
#include "toolkit/common/color_manager.h"
#include "toolkit/common/draw_helpers.h"

#include <algorithm>
#include <iterator>

#include <vssym32.h>

IMPLEMENT_DYNAMIC(CKitOffice2003Theme, CKitOfficeTheme)

namespace {

// Dock windows with any of these style bits get a plain dock colour instead of the gradient.
constexpr DWORD kPlainDockStyles = 0x4100;
constexpr int kMinCaptionHeight = 15;
constexpr int kDialogGripperMinHeight = 25;
constexpr int kStatusGripperWidth = 18;
constexpr int kGlyphSize = 16;
constexpr COLORREF kGlyphMask = RGB(0, 255, 0);
constexpr COLORREF kSchemeGrey = RGB(141, 141, 141);

struct Gradient {
    COLORREF from, to;
    double factor;
};

// The values one colour scheme gives the theme.
struct Scheme {
    Gradient dock, toolBar;
    COLORREF toolBarEdge;
    COLORREF floatingCaption;
    Gradient popupOpen, expandButton, hiddenColumn, glyph;
    COLORREF paneBorder, shadow, tearOff;
    Gradient face;
    COLORREF c53, c51, c52, c12, c56;
    // Colours 38, 39, 40, 41, 43, 31, 32 (also 37 and 50), 33, 36, 30 and 47, set together.
    COLORREF c38, c39, c40, c41, c43, c31, c32, c33, c36, c30, c47;
};

const Scheme kBlue = {{RGB(158, 190, 245), RGB(196, 218, 250), 0.5},
                      {RGB(221, 236, 254), RGB(129, 169, 226), 0.75},
                      RGB(59, 97, 156),
                      RGB(42, 102, 201),
                      {RGB(227, 239, 255), RGB(147, 181, 231), 0.5},
                      {RGB(117, 166, 241), RGB(0, 53, 145), 0.75},
                      {RGB(203, 221, 246), RGB(121, 161, 220), 0.5},
                      {RGB(227, 239, 254), RGB(129, 169, 226), 0.5},
                      RGB(211, 211, 211),
                      RGB(22, 30, 54),
                      RGB(169, 199, 240),
                      {RGB(233, 236, 242), RGB(97, 122, 172), 0.5},
                      RGB(203, 225, 252),
                      RGB(216, 231, 252),
                      RGB(158, 190, 245),
                      RGB(144, 153, 174),
                      RGB(189, 211, 247),
                      RGB(39, 65, 118),
                      RGB(106, 140, 203),
                      RGB(109, 150, 208),
                      RGB(246, 246, 246),
                      RGB(0, 45, 150),
                      RGB(255, 238, 194),
                      RGB(0, 0, 128),
                      RGB(254, 128, 62),
                      RGB(255, 192, 111),
                      RGB(196, 219, 249),
                      RGB(0, 0, 0)};

const Scheme kOlive = {{RGB(217, 217, 167), RGB(242, 241, 228), 0.5},
                       {RGB(244, 247, 222), RGB(183, 198, 145), 0.3},
                       RGB(96, 128, 88),
                       RGB(116, 134, 94),
                       {RGB(236, 240, 213), RGB(194, 206, 159), 0.5},
                       {RGB(176, 194, 140), RGB(96, 119, 107), 0.3},
                       {RGB(230, 230, 209), RGB(164, 180, 120), 0.3},
                       {RGB(236, 240, 213), RGB(184, 198, 147), 0.5},
                       RGB(211, 211, 211),
                       RGB(31, 34, 25),
                       RGB(197, 212, 159),
                       {RGB(243, 244, 240), RGB(131, 144, 113), 0.5},
                       RGB(216, 227, 182),
                       RGB(226, 231, 191),
                       RGB(171, 192, 138),
                       RGB(151, 160, 123),
                       RGB(222, 227, 189),
                       RGB(81, 94, 51),
                       RGB(96, 128, 88),
                       RGB(159, 174, 122),
                       RGB(244, 244, 238),
                       RGB(117, 141, 94),
                       RGB(255, 238, 194),
                       RGB(63, 93, 56),
                       RGB(254, 128, 62),
                       RGB(255, 192, 111),
                       RGB(209, 222, 173),
                       RGB(0, 0, 0)};

const Scheme kSilver = {{RGB(215, 215, 229), RGB(243, 243, 247), 0.5},
                        {RGB(249, 249, 255), RGB(156, 155, 183), 0.75},
                        RGB(124, 124, 148),
                        RGB(122, 121, 153),
                        {RGB(233, 231, 241), RGB(186, 185, 205), 0.5},
                        {RGB(179, 178, 200), RGB(118, 116, 146), 0.75},
                        {RGB(215, 215, 226), RGB(133, 131, 162), 0.5},
                        {RGB(232, 232, 241), RGB(176, 174, 197), 0.5},
                        RGB(236, 234, 218),
                        RGB(36, 32, 41),
                        RGB(192, 192, 211),
                        {RGB(247, 245, 249), RGB(122, 121, 153), 0.5},
                        RGB(214, 211, 231),
                        RGB(223, 223, 234),
                        RGB(177, 176, 195),
                        RGB(155, 154, 179),
                        RGB(214, 215, 231),
                        RGB(84, 84, 117),
                        RGB(110, 109, 143),
                        RGB(168, 167, 190),
                        RGB(253, 250, 255),
                        RGB(124, 124, 148),
                        RGB(255, 238, 194),
                        RGB(75, 75, 111),
                        RGB(254, 128, 62),
                        RGB(255, 192, 111),
                        RGB(219, 218, 228),
                        RGB(0, 0, 0)};

// The scheme of a visual style, or null for none.
const Scheme* SchemeOfStyle(int nStyle)
{
    switch (nStyle) {
    case CKitColorManager::kThemeBlue:
    case CKitColorManager::kThemeRoyale:
    case CKitColorManager::kThemeAero:
        return &kBlue;
    case CKitColorManager::kThemeOlive:
        return &kOlive;
    case CKitColorManager::kThemeSilver:
        return &kSilver;
    default:
        return nullptr;
    }
}

void Set(CKitPaintManagerColorGradient& grc, const Gradient& g)
{
    grc.SetStandardValue(g.from, g.to, g.factor);
}

// Intensities of the ball glyph by row (y) and column (x): 255 is transparent, 0 the second glyph colour.
const BYTE kGlyphMap[kGlyphSize][kGlyphSize] = {
    {255, 255, 255, 255, 234, 234, 234, 198, 198, 198, 198, 252, 255, 255, 255, 255},
    {255, 255, 255, 234, 252, 252, 234, 234, 198, 180, 144, 144, 198, 255, 255, 255},
    {255, 255, 234, 252, 252, 252, 234, 234, 198, 180, 144, 126, 108, 180, 255, 255},
    {255, 234, 252, 252, 252, 252, 234, 234, 198, 180, 144, 126, 108, 108, 198, 255},
    {252, 234, 252, 252, 252, 252, 234, 198, 198, 180, 144, 126, 108, 90, 90, 252},
    {234, 234, 234, 234, 234, 234, 234, 198, 180, 180, 144, 126, 108, 90, 72, 180},
    {198, 234, 234, 234, 234, 234, 198, 198, 180, 144, 126, 108, 90, 90, 72, 108},
    {180, 198, 198, 198, 198, 198, 180, 180, 144, 126, 126, 108, 90, 72, 72, 72},
    {180, 180, 180, 180, 180, 180, 144, 144, 126, 126, 108, 90, 90, 72, 54, 54},
    {180, 144, 144, 144, 144, 144, 144, 126, 126, 108, 108, 90, 72, 54, 36, 90},
    {198, 126, 126, 126, 126, 126, 126, 126, 108, 90, 72, 54, 54, 36, 36, 126},
    {252, 126, 108, 108, 108, 108, 108, 72, 72, 54, 54, 36, 36, 18, 18, 234},
    {255, 198, 90, 90, 90, 72, 72, 54, 54, 36, 36, 18, 18, 0, 108, 255},
    {255, 255, 144, 54, 54, 54, 36, 36, 18, 18, 18, 0, 0, 54, 255, 255},
    {255, 255, 255, 126, 36, 36, 18, 18, 18, 0, 0, 0, 72, 255, 255, 255},
    {255, 255, 255, 255, 234, 90, 36, 18, 0, 0, 54, 180, 255, 255, 255, 255},
};

bool IsVerticalPosition(int nPosition)
{
    return nPosition == kitBarLeft || nPosition == kitBarRight;
}

} // namespace

CKitOffice2003Theme::CKitOffice2003Theme()
{
    m_bFadedIcons = FALSE;
    m_bIconsWithShadow = FALSE;
    m_bThemedStatusBar = TRUE;
    m_grcChecked.SetStandardValue(RGB(255, 213, 140), RGB(255, 173, 85), 0.5);
    m_grcPressed.SetStandardValue(RGB(254, 142, 75), RGB(255, 207, 139), 0.5);
    m_grcHot.SetStandardValue(RGB(255, 242, 200), RGB(255, 212, 151), 0.5);
}

void CKitOffice2003Theme::RefreshMetrics()
{
    CKitOfficeTheme::RefreshMetrics();
    CWnd* pMainWnd = AfxGetMainWnd();
    m_themeStatusBar.CloseThemeData();
    m_themeStatusBar.OpenThemeData(pMainWnd != nullptr ? pMainWnd->GetSafeHwnd() : nullptr, L"STATUS");

    CKitColorManager* pColors = CKitColorManager::Instance();
    auto blend = CKitColorManager::BlendColorsPercent;
    const COLORREF clrWindow = GetColor(COLOR_WINDOW);
    const COLORREF clrFace = GetColor(COLOR_BTNFACE);
    const COLORREF clrShadow = GetColor(COLOR_BTNSHADOW);
    m_grcHiddenColumn.SetStandardValue(blend(clrWindow, GetColor(kExpandedColumn), 550), GetColor(kExpandedColumn));
    m_grcToolBar.SetStandardValue(blend(clrFace, clrWindow, 205), clrFace);
    m_grcDock.SetStandardValue(clrFace, blend(clrFace, clrWindow, 205));
    m_clrTearOff.SetStandardValue(GetColor(kFace));
    m_clrToolBarEdge.SetStandardValue(GetColor(kFace));
    m_clrFloatingGripper.SetStandardValue(clrShadow);
    m_grcPopupOpen.SetStandardValue(GetColor(kPopupFill), blend(clrWindow, clrFace, 550));
    m_grcExpandButton.SetStandardValue(blend(GetColor(kIndeterminateFill), clrShadow, 51), clrShadow);
    m_bSchemeColors = FALSE;
    m_grcGlyph.SetStandardValue(GetColor(kPopupFill), blend(clrWindow, clrFace, 550));
    m_clrPaneBorder.SetStandardValue(blend(clrFace, clrWindow, 70));
    GetColorEntry(kAccent).SetStandardValue(pColors->GetColor(kAccent));

    if (const Scheme* pScheme = SchemeOfStyle(GetCurrentSystemTheme())) {
        const Scheme& s = *pScheme;
        Set(m_grcDock, s.dock);
        m_clrToolBarEdge.SetStandardValue(s.toolBarEdge);
        Set(m_grcToolBar, s.toolBar);
        m_clrFloatingGripper.SetStandardValue(s.floatingCaption);
        Set(m_grcPopupOpen, s.popupOpen);
        Set(m_grcExpandButton, s.expandButton);
        Set(m_grcHiddenColumn, s.hiddenColumn);
        Set(m_grcGlyph, s.glyph);
        m_clrPaneBorder.SetStandardValue(s.paneBorder);
        m_pShadowManager->SetShadowColor(s.shadow);
        m_clrTearOff.SetStandardValue(s.tearOff);
        Set(m_clrFace, s.face);
        GetColorEntry(53).SetStandardValue(s.c53);
        GetColorEntry(51).SetStandardValue(s.c51);
        GetColorEntry(52).SetStandardValue(s.c52);
        GetColorEntry(12).SetStandardValue(s.c12);
        GetColorEntry(56).SetStandardValue(s.c56);
        const int indices[] = {38, 39, 40, 41, 43, 31, 32, 37, 50, 33, 36, 30, 47};
        const COLORREF colors[] = {s.c38, s.c39, s.c40, s.c41, s.c43, s.c31, s.c32,
                                   s.c32, s.c32, s.c33, s.c36, s.c30, s.c47};
        SetColors(static_cast<int>(std::size(indices)), indices, colors);
        m_bSchemeColors = TRUE;
        for (int nIndex : {kDisabledMark, kDisabledCheckedBorder, kDisabledText})
            GetColorEntry(nIndex).SetStandardValue(kSchemeGrey);
        GetColorEntry(kFloatingFrame).SetStandardValue(m_clrFloatingGripper);
    }

    // A palette display cannot show the gradients, whatever the scheme.
    if (pColors->IsLowResolution()) {
        for (CKitPaintManagerColorGradient* pGradient : {&m_grcToolBar, &m_grcDock, &m_grcPopupOpen, &m_grcExpandButton})
            pGradient->SetStandardColor(clrFace);
    }

    m_grcImageColumn.SetStandardValueFrom(m_grcToolBar);
    RefreshGlyphImage();
}

void CKitOffice2003Theme::RefreshGlyphImage()
{
    m_ilGlyph.DeleteImageList();
    HDC hScreen = ::GetDC(nullptr);
    CBitmap bitmap;
    bitmap.Attach(::CreateCompatibleBitmap(hScreen, kGlyphSize, kGlyphSize));
    HDC hMemory = ::CreateCompatibleDC(hScreen);
    ::ReleaseDC(nullptr, hScreen);
    HGDIOBJ hOld = ::SelectObject(hMemory, static_cast<HBITMAP>(bitmap));
    const COLORREF c1 = m_grcGlyph.clrLight;
    const COLORREF c2 = m_grcGlyph.clrDark;
    auto tint = [](int a, int b, int v) { return b - (b - a) * v / 255; };
    for (int y = 0; y < kGlyphSize; y++) {
        for (int x = 0; x < kGlyphSize; x++) {
            const int v = kGlyphMap[y][x];
            const COLORREF clr = v == 255 ? kGlyphMask
                                          : RGB(tint(GetRValue(c1), GetRValue(c2), v),
                                                tint(GetGValue(c1), GetGValue(c2), v),
                                                tint(GetBValue(c1), GetBValue(c2), v));
            ::SetPixel(hMemory, x, y, clr);
        }
    }
    ::SelectObject(hMemory, hOld);
    ::DeleteDC(hMemory);
    m_ilGlyph.Create(kGlyphSize, kGlyphSize, ILC_COLOR24 | ILC_MASK, 0, 1);
    m_ilGlyph.Add(&bitmap, kGlyphMask);
}

bool CKitOffice2003Theme::IsPopupBar(int nBarType, int nBarPosition)
{
    return nBarType == kitBarTypePopup && nBarPosition == kitBarPopup;
}

void CKitOffice2003Theme::FillGradient(CDC* pDC, CRect rc, const CKitPaintManagerColorGradient& grc, BOOL bHorz,
                                       const CRect* pClip)
{
    // A gradient the theme does not give is not painted.
    if (static_cast<COLORREF>(grc.clrLight) == CKitPaintManagerColor::kNone ||
        static_cast<COLORREF>(grc.clrDark) == CKitPaintManagerColor::kNone)
        return;
    CKitDrawHelpers::Instance()->FillColorGradient(pDC, rc, grc, bHorz, pClip);
}

void CKitOffice2003Theme::GradientRectangle(CDC* pDC, CRect rc, const CKitPaintManagerColorGradient& grc,
                                            int nBorder, BOOL bHorz)
{
    FillGradient(pDC, rc, grc, bHorz);
    Draw3dRect(pDC, rc, nBorder, nBorder);
}

void CKitOffice2003Theme::DrawRectangle(CDC* pDC, CRect rc, BOOL bSelected, BOOL bPressed, BOOL bEnabled,
                                        BOOL bChecked, BOOL bPopuped, int nBarType, int nBarPosition)
{
    if (bPopuped) {
        GradientRectangle(pDC, rc, m_grcPopupOpen, kPopupBorder, FALSE);
        return;
    }
    if (!m_bSchemeColors || nBarType == kitBarTypePopup || nBarPosition < kitBarTop ||
        nBarPosition > kitBarFloating) {
        CKitOfficeTheme::DrawRectangle(pDC, rc, bSelected, bPressed, bEnabled, bChecked, bPopuped, nBarType,
                                       nBarPosition);
        return;
    }
    const BOOL bHorz = IsVerticalPosition(nBarPosition);
    if (bEnabled) {
        if (bChecked == 2 && !bSelected && !bPressed)
            Rectangle(pDC, rc, kPushedBorder, kIndeterminateFill);
        else if (bChecked && !bSelected && !bPressed)
            GradientRectangle(pDC, rc, m_grcChecked, kCheckedBorder, bHorz);
        else if (bChecked && bSelected && !bPressed)
            GradientRectangle(pDC, rc, m_grcPressed, kPushedBorder, bHorz);
        else if (IsKeyboardState(bPressed) || (bSelected && bPressed))
            GradientRectangle(pDC, rc, m_grcPressed, kPushedBorder, bHorz);
        else if (bSelected || bPressed)
            GradientRectangle(pDC, rc, m_grcHot, kHotBorder, bHorz);
        return;
    }
    if (IsKeyboardState(bSelected))
        GradientRectangle(pDC, rc, bChecked ? m_grcPressed : m_grcHot, kPushedBorder, bHorz);
    else if (bChecked)
        GradientRectangle(pDC, rc, m_grcChecked, kDisabledCheckedBorder, bHorz);
}

void CKitOffice2003Theme::FillDockGradient(CDC* pDC, CRect rc, CRect rcClip)
{
    rc.right = std::max(static_cast<int>(rc.right), static_cast<int>(rc.left) + ::GetSystemMetrics(SM_CXFULLSCREEN) / 2);
    FillGradient(pDC, rc, m_grcDock, TRUE, &rcClip);
}

CRect CKitOffice2003Theme::GetParentRectInBar(CKitCommandBar* pBar)
{
    CRect rc = GetBarClientRect(pBar);
    CWnd* pParent = pBar->GetSafeHwnd() != nullptr ? pBar->GetParent() : nullptr;
    if (pParent == nullptr || pParent->GetSafeHwnd() == nullptr)
        return rc;
    pParent->GetClientRect(&rc);
    ::MapWindowPoints(pParent->GetSafeHwnd(), pBar->GetSafeHwnd(), reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

BOOL CKitOffice2003Theme::IsPlainDockParent(CKitCommandBar* pBar)
{
    CWnd* pParent = pBar->GetSafeHwnd() != nullptr ? pBar->GetParent() : nullptr;
    return pParent != nullptr && pParent->GetSafeHwnd() != nullptr && (pParent->GetStyle() & kPlainDockStyles) != 0;
}

int CKitOffice2003Theme::GetFirstRowEdge(CKitCommandBar* pBar, BOOL bVertical)
{
    for (int i = 0; i < pBar->GetControlCount(); i++) {
        CKitControl* pControl = pBar->GetControl(i);
        if (pControl->IsVisible())
            return bVertical ? pControl->GetRowRect().right : pControl->GetRowRect().bottom;
    }
    return -1;
}

BOOL CKitOffice2003Theme::IsFloatingBarCaption(CKitCommandBar* pBar)
{
    if (IsFlatCommandBar(pBar))
        return FALSE;
    return (pBar->GetFloatingFrameOptions() & 0x0F) != 0;
}

void CKitOffice2003Theme::FillDockBehindBar(CDC* pDC, CKitCommandBar* pBar, BOOL bVertical)
{
    const CRect rc = GetBarClientRect(pBar);
    KitFillSolidRectIfColor(pDC, rc, GetColor(COLOR_BTNFACE));
    if (bVertical && IsPlainDockParent(pBar))
        KitFillSolidRectIfColor(pDC, rc, m_grcDock.clrDark);
    else
        FillDockGradient(pDC, GetParentRectInBar(pBar), rc);
}

void CKitOffice2003Theme::FillCommandBarEntry(CDC* pDC, CKitCommandBar* pBar)
{
    const CRect rc = GetBarClientRect(pBar);
    const int nPosition = pBar->GetPosition();
    const int w = rc.Width();
    const int h = rc.Height();
    auto drawFloatingCorners = [&]() {
        const COLORREF clr = GetColor(kFloatingFrame);
        for (POINT pt : {POINT{2, 2}, POINT{w - 2, 2}, POINT{2, h - 2}, POINT{w - 2, h - 2}})
            pDC->SetPixel(pt.x, pt.y, clr);
    };
    auto drawDoubleFrame = [&]() {
        Draw3dRect(pDC, rc, kFloatingFrame, kFloatingFrame);
        CRect rcInner = rc;
        rcInner.DeflateRect(1, 1);
        Draw3dRect(pDC, rcInner, kFloatingFrame, kFloatingFrame);
    };

    if (nPosition == kitBarPopup) {
        Rectangle(pDC, rc, kPopupBorder, kPopupFill);
        FillPopupJoiningGap(pDC, pBar, kPopupFill);
        return;
    }
    if (IsFlatCommandBar(pBar)) {
        if (nPosition == kitBarFloating) {
            FillDockGradient(pDC, rc, rc);
            drawDoubleFrame();
            drawFloatingCorners();
        } else {
            FillDockGradient(pDC, GetParentRectInBar(pBar), rc);
        }
        return;
    }
    if (nPosition == kitBarTop || nPosition == kitBarBottom || nPosition == kitBarLeft || nPosition == kitBarRight) {
        const BOOL bVertical = IsVerticalPosition(nPosition);
        FillDockBehindBar(pDC, pBar, bVertical);
        // The body is rounded: the three pixels at its start and its four corners stay dock.
        const CRect rcBody = bVertical ? CRect(rc.left + 1, rc.top + 3, rc.right - 1, rc.bottom)
                                       : CRect(rc.left + 3, rc.top + 1, rc.right, rc.bottom - 1);
        const int nSaved = ::SaveDC(pDC->m_hDC);
        const CRect rcStart = bVertical ? CRect(rc.left, rc.top, rc.right, rc.top + 3)
                                        : CRect(rc.left, rc.top, rc.left + 3, rc.bottom);
        ::ExcludeClipRect(pDC->m_hDC, rcStart.left, rcStart.top, rcStart.right, rcStart.bottom);
        for (POINT pt : {POINT{rcBody.left, rcBody.top}, POINT{rcBody.right - 1, rcBody.top},
                         POINT{rcBody.left, rcBody.bottom - 1}, POINT{rcBody.right - 1, rcBody.bottom - 1}})
            ::ExcludeClipRect(pDC->m_hDC, pt.x, pt.y, pt.x + 1, pt.y + 1);
        const int nEdge = GetFirstRowEdge(pBar, bVertical);
        if (bVertical) {
            const int x = nEdge < 0 ? rc.right : std::min(nEdge + 1, static_cast<int>(rc.right));
            FillGradient(pDC, CRect(rc.left, rc.top, x, rc.bottom), m_grcToolBar, TRUE);
            KitFillSolidRectIfColor(pDC, CRect(x, rc.top, rc.right, rc.bottom), m_grcToolBar.clrDark);
            VerticalLine(pDC, rc.right - 1, rc.top + 5, rc.bottom - 2, m_clrToolBarEdge);
        } else {
            const int y = nEdge < 0 ? rc.bottom : std::min(nEdge + 1, static_cast<int>(rc.bottom));
            FillGradient(pDC, CRect(rc.left, rc.top, rc.right, y), m_grcToolBar, FALSE);
            KitFillSolidRectIfColor(pDC, CRect(rc.left, y, rc.right, rc.bottom), m_grcToolBar.clrDark);
            HorizontalLine(pDC, rc.left + 5, rc.bottom - 1, rc.right - 2, m_clrToolBarEdge);
        }
        ::RestoreDC(pDC->m_hDC, nSaved);
        return;
    }
    if (nPosition == kitBarFloating && IsFloatingBarCaption(pBar)) {
        KitFillSolidRectIfColor(pDC, rc, GetColor(kFace));
        drawDoubleFrame();
        CFont* pOld = pDC->SelectObject(&m_fontSmCaption);
        const int nCaption = std::max(kMinCaptionHeight, static_cast<int>(pDC->GetTextExtent(" ", 1).cy)) + 2;
        pDC->SelectObject(pOld);
        const int nLeft = rc.left + 2;
        const int nRight = rc.right - 2;
        int nRowTop = -1;
        int nLastBottom = rc.top + 2 + nCaption;
        for (int i = 0; i < pBar->GetControlCount(); i++) {
            CKitControl* pControl = pBar->GetControl(i);
            const CRect rcRow = pControl->GetRowRect();
            if (!pControl->IsVisible() || rcRow.top <= nRowTop)
                continue;
            nRowTop = rcRow.top;
            FillGradient(pDC, CRect(nLeft, rcRow.top, nRight, rcRow.bottom), m_grcToolBar, FALSE);
            nLastBottom = rcRow.bottom;
        }
        FillGradient(pDC, CRect(nLeft, nLastBottom, nRight, rc.bottom - 2), m_grcToolBar, FALSE);
        drawFloatingCorners();
        return;
    }
    CKitOfficeTheme::FillCommandBarEntry(pDC, pBar);
}

void CKitOffice2003Theme::DrawRoundedFrame(CDC* pDC, CRect rc, COLORREF clr)
{
    const int l = rc.left;
    const int t = rc.top;
    const int r = rc.right - 1;
    const int b = rc.bottom - 1;
    KitFillSolidRectIfColor(pDC, CRect(CPoint(l + 3, t), CSize(rc.Width() - 6, 1)), clr);
    KitFillSolidRectIfColor(pDC, CRect(CPoint(l + 3, b), CSize(rc.Width() - 6, 1)), clr);
    KitFillSolidRectIfColor(pDC, CRect(CPoint(l, t + 3), CSize(1, rc.Height() - 6)), clr);
    KitFillSolidRectIfColor(pDC, CRect(CPoint(r, t + 3), CSize(1, rc.Height() - 6)), clr);
    // Weights of 255 for the corner's pixels: (dx, dy) in from the corner.
    struct Weight {
        int dx, dy, w;
    };
    const Weight weights[] = {{1, 1, 255}, {1, 0, 60}, {0, 1, 60}, {2, 0, 120}, {0, 2, 120}};
    auto blend = [&](int x, int y, int w) {
        const COLORREF old = pDC->GetPixel(x, y);
        auto mix = [w](int a, int c) { return a + (c - a) * w / 255; };
        pDC->SetPixel(x, y, RGB(mix(GetRValue(old), GetRValue(clr)), mix(GetGValue(old), GetGValue(clr)),
                                mix(GetBValue(old), GetBValue(clr))));
    };
    for (const Weight& k : weights) {
        blend(l + k.dx, t + k.dy, k.w);
        blend(r - k.dx, t + k.dy, k.w);
        blend(l + k.dx, b - k.dy, k.w);
        blend(r - k.dx, b - k.dy, k.w);
    }
}

void CKitOffice2003Theme::FillWindowFace(CDC* pDC, CWnd* pWnd)
{
    CRect rc;
    pWnd->GetClientRect(&rc);
    if ((pWnd->GetStyle() & kPlainDockStyles) == 0)
        FillDockGradient(pDC, rc, rc);
    else
        KitFillSolidRectIfColor(pDC, rc, m_grcDock.clrDark);
}

void CKitOffice2003Theme::DrawGripperDot(CDC* pDC, int x, int y, BOOL bHighlight)
{
    if (bHighlight)
        KitFillSolidRectIfColor(pDC, CRect(CPoint(x + 1, y + 1), CSize(2, 2)), GetColor(COLOR_WINDOW));
    KitFillSolidRectIfColor(pDC, CRect(CPoint(x, y), CSize(2, 2)), GetColor(kGripper));
}

CSize CKitOffice2003Theme::DrawFloatingBarCaption(CDC* pDC, CKitCommandBar* pBar, BOOL bDraw)
{
    if (pBar->IsDialogBar())
        return DrawCommandBarGripper(pDC, pBar, bDraw);
    const int nPosition = pBar->GetPosition();
    if ((pBar->GetType() == kitBarTypePopup && nPosition == kitBarPopup) || nPosition == kitBarFloating)
        return CKitOfficeTheme::DrawFloatingBarCaption(pDC, pBar, bDraw);
    const CRect rc = GetBarClientRect(pBar);
    if (IsVerticalPosition(nPosition)) {
        if (!bDraw)
            return CSize(0, 9);
        for (int x = 8; x - 3 < rc.Width() - 7; x += 4)
            DrawGripperDot(pDC, x - 3, 6, !m_bFlatGripper);
    } else if (nPosition == kitBarTop || nPosition == kitBarBottom) {
        if (!bDraw)
            return CSize(6, 0);
        for (int y = 8; y - 3 < rc.Height() - 7; y += 4)
            DrawGripperDot(pDC, 6, y - 3, !m_bFlatGripper);
    }
    return CSize(0, 0);
}

CSize CKitOffice2003Theme::DrawCommandBarGripper(CDC* pDC, CKitCommandBar* pBar, BOOL bDraw)
{
    const int nHeight = std::max(kDialogGripperMinHeight, m_nTextHeight + 6);
    if (bDraw) {
        CRect rc = GetBarClientRect(pBar);
        rc.DeflateRect(3, 3);
        rc.bottom = std::min(static_cast<int>(rc.bottom), nHeight);
        if (pBar->IsDialogBarActive()) {
            if (m_bSchemeColors)
                FillGradient(pDC, rc, m_grcChecked, FALSE);
            else
                KitFillSolidRectIfColor(pDC, rc, GetColor(kCheckedFill));
        } else {
            FillGradient(pDC, rc, m_grcToolBar, FALSE);
        }
        for (int y = rc.top + 4; y < rc.top + nHeight - 5; y += 4)
            DrawGripperDot(pDC, 5, y, TRUE);
    }
    return CSize(8, nHeight);
}

CSize CKitOffice2003Theme::DrawCommandBarSeparator(CDC* pDC, CKitCommandBar* pBar, CKitControl* pControl,
                                                   BOOL bDraw)
{
    const int nPosition = pBar->GetPosition();
    if (pBar->GetType() == kitBarTypePopup || nPosition < kitBarTop || nPosition > kitBarFloating)
        return CKitOfficeTheme::DrawCommandBarSeparator(pDC, pBar, pControl, bDraw);
    if (!bDraw)
        return nPosition == kitBarFloating ? CSize(6, 0)
                                           : CKitOfficeTheme::DrawCommandBarSeparator(pDC, pBar, pControl, FALSE);
    const CRect rcRow = pControl->GetRowRect();
    const CRect rcControl = pControl->GetRect();
    const BOOL bWrap = pControl->GetWrap();
    const int I = m_nSeparatorInset;
    const COLORREF clrLine = GetColor(kSeparator);
    const COLORREF clrLight = GetColor(COLOR_BTNHIGHLIGHT);
    const bool bLight = !m_bSingleSeparatorLine;
    if (IsVerticalPosition(nPosition)) {
        if (bWrap) {
            VerticalLine(pDC, rcRow.right + 2, rcRow.top + I, rcRow.bottom, clrLine);
            if (bLight)
                VerticalLine(pDC, rcRow.right + 3, rcRow.top + I + 1, rcRow.bottom, clrLight);
        } else {
            HorizontalLine(pDC, rcRow.left + I, rcControl.top - 4, rcRow.right - I, clrLine);
            if (bLight)
                HorizontalLine(pDC, rcRow.left + I + 1, rcControl.top - 3, rcRow.right - I + 1, clrLight);
        }
    } else if (bWrap) {
        if (nPosition != kitBarFloating) {
            HorizontalLine(pDC, rcRow.left + I, rcRow.top - 4, rcRow.right, clrLine);
            if (bLight)
                HorizontalLine(pDC, rcRow.left + I + 1, rcRow.top - 3, rcRow.right, clrLight);
        }
    } else {
        VerticalLine(pDC, rcControl.left - 4, rcRow.top + I, rcRow.bottom - I, clrLine);
        if (bLight)
            VerticalLine(pDC, rcControl.left - 3, rcRow.top + I + 1, rcRow.bottom - I + 1, clrLight);
    }
    return CSize(0, 0);
}

void CKitOffice2003Theme::DrawStatusBarPaneBorder(CDC* pDC, CRect rc, CKitStatusBarPane* pPane, BOOL bGripperPane)
{
    if (m_bThemedStatusBar && m_themeStatusBar.IsThemeHandleOpen()) {
        CKitPaintManager::DrawStatusBarPaneBorder(pDC, rc, pPane, bGripperPane);
        return;
    }
    pDC->Draw3dRect(rc, m_clrPaneBorder, m_clrPaneBorder);
}

void CKitOffice2003Theme::DrawStatusBarGripper(CDC* pDC, CRect rcClient)
{
    if (m_bThemedStatusBar && m_themeStatusBar.IsThemeHandleOpen()) {
        const CRect rc(rcClient.right - kStatusGripperWidth, rcClient.top, rcClient.right, rcClient.bottom);
        m_themeStatusBar.DrawThemeBackground(pDC->m_hDC, SP_GRIPPER, 0, &rc, nullptr);
        return;
    }
    // Diagonals from the bottom edge up to the right edge, k pixels in from the corner.
    const int r = rcClient.right;
    const int b = rcClient.bottom;
    auto diagonal = [&](int k, int nColor) {
        for (int i = 0; i < k; i++)
            pDC->SetPixel(r - k + i, b - 1 - i, GetColor(nColor));
    };
    for (int nGroup = 0; nGroup < 3; nGroup++) {
        const int k = 3 + nGroup * 5;
        for (int i = 0; i < 3; i++)
            diagonal(k + i, COLOR_BTNSHADOW);
        diagonal(k + 3, COLOR_BTNHIGHLIGHT);
    }
}

CSize CKitOffice2003Theme::DrawSpecialControl(CDC* pDC, int nKind, CKitControl* pControl, CKitCommandBar* pBar,
                                              BOOL bDraw, LPARAM lpParam)
{
    if (nKind == 1) {
        if (bDraw) {
            const CRect rc = pControl->GetRect();
            const int c = rc.CenterPoint().x;
            DrawControlEntry(pDC, pControl);
            m_ilGlyph.Draw(pDC, 0, CPoint(c - 7, rc.top + 1), ILD_NORMAL);
            CPen pen(PS_SOLID, 1, RGB(0, 0, 0));
            CPen* pOld = pDC->SelectObject(&pen);
            for (int y : {rc.top + 5, rc.top + 9}) {
                for (int d = 0; d < 2; d++) {
                    pDC->MoveTo(c - 2, y + d);
                    pDC->LineTo(c, y + d + 2);
                    pDC->LineTo(c + 3, y + d - 1);
                }
            }
            pDC->SelectObject(pOld);
        }
        return CSize(0, 18);
    }
    if (nKind != 0 || !bDraw)
        return CKitOfficeTheme::DrawSpecialControl(pDC, nKind, pControl, pBar, bDraw, lpParam);

    const CRect rc = pControl->GetRect();
    const int nPosition = pBar->GetPosition();
    const BOOL bVertical = nPosition == kitBarLeft || nPosition == kitBarRight || nPosition == kitBarPopup;
    const BOOL bOpen = pControl->GetPopuped();
    const BOOL bHot = pControl->GetSelected();
    if (bOpen) {
        if (m_bSchemeColors)
            FillGradient(pDC, rc, m_grcPressed, bVertical);
        else
            KitFillSolidRectIfColor(pDC, rc, GetColor(kCheckedFill));
    } else if (!bHot) {
        FillGradient(pDC, rc, m_grcExpandButton, bVertical);
    } else if (m_bSchemeColors) {
        FillGradient(pDC, rc, m_grcHot, bVertical);
    } else {
        KitFillSolidRectIfColor(pDC, rc, GetColor(kHotFill));
    }
    const COLORREF clrGlyph = GetColor(bHot && !bOpen ? kHotText : kToolBarText);
    DrawExpandGlyph(pDC, rc, bVertical, lpParam != 0, 1, GetColor(COLOR_BTNHIGHLIGHT));
    DrawExpandGlyph(pDC, rc, bVertical, lpParam != 0, 0, clrGlyph);
    return CSize(0, 0);
}

void CKitOffice2003Theme::DrawExpandGlyph(CDC* pDC, const CRect& rc, BOOL bVertical, BOOL bHidden, int nOffset,
                                          COLORREF clr)
{
    CPen pen(PS_SOLID, 1, clr);
    CPen* pOld = pDC->SelectObject(&pen);
    if (!bVertical) {
        const int c = rc.CenterPoint().x + nOffset;
        const int b = rc.bottom + nOffset;
        HorizontalLine(pDC, c - 2, b - 10, c + 3, clr);
        DrawTriangle(pDC, CPoint(c - 2, b - 7), CPoint(c + 2, b - 7), CPoint(c, b - 5), clr);
        if (bHidden) {
            for (int x0 : {rc.left + 3 + nOffset, rc.left + 7 + nOffset}) {
                const int y0 = rc.top + 5 + nOffset;
                pDC->MoveTo(x0, y0);
                pDC->LineTo(x0 + 2, y0 + 2);
                pDC->LineTo(x0 - 1, y0 + 5);
                pDC->MoveTo(x0 + 1, y0);
                pDC->LineTo(x0 + 3, y0 + 2);
                pDC->LineTo(x0, y0 + 5);
            }
        }
    } else {
        const int c = rc.CenterPoint().y + nOffset;
        const int r = rc.right + nOffset;
        VerticalLine(pDC, r - 10, c - 2, c + 3, clr);
        DrawTriangle(pDC, CPoint(r - 7, c - 2), CPoint(r - 7, c + 2), CPoint(r - 5, c), clr);
        if (bHidden) {
            for (int y0 : {rc.top + 3 + nOffset, rc.top + 7 + nOffset}) {
                const int x0 = rc.left + 5 + nOffset;
                pDC->MoveTo(x0, y0);
                pDC->LineTo(x0 + 2, y0 + 2);
                pDC->LineTo(x0 + 5, y0 - 1);
                pDC->MoveTo(x0, y0 + 1);
                pDC->LineTo(x0 + 2, y0 + 3);
                pDC->LineTo(x0 + 5, y0);
            }
        }
    }
    pDC->SelectObject(pOld);
}

CRect CKitOffice2003Theme::GetCommandBarBorders(CKitCommandBar* pBar)
{
    const int nPosition = pBar->GetPosition();
    if (nPosition == kitBarTop || nPosition == kitBarBottom)
        return CRect(4, 2, 2, 2);
    return CKitOfficeTheme::GetCommandBarBorders(pBar);
}

CSize CKitOffice2003Theme::DrawTearOffGripper(CDC* pDC, CRect rcGripper, BOOL bSelected, BOOL bDraw)
{
    if (bDraw) {
        CRect rc(1, 1, rcGripper.right + 1, rcGripper.Height() + 1);
        KitFillSolidRectIfColor(pDC, rc, GetColor(kPopupFill));
        rc.DeflateRect(1, 1);
        if (bSelected)
            Rectangle(pDC, rc, kHotBorder, kHotFill);
        else
            KitFillSolidRectIfColor(pDC, rc, m_clrTearOff);
        const int nHalf = std::min(32, static_cast<int>(rc.Width()) / 2 - 10);
        const int x0 = rc.CenterPoint().x - nHalf;
        const int x1 = rc.CenterPoint().x + nHalf;
        for (int x = x0; x < x1; x += 4) {
            KitFillSolidRectIfColor(pDC, CRect(CPoint(x + 1, rc.top + 5), CSize(2, 2)), GetColor(COLOR_BTNHIGHLIGHT));
            KitFillSolidRectIfColor(pDC, CRect(CPoint(x, rc.top + 4), CSize(2, 2)), GetColor(kGripper));
        }
    }
    return CSize(0, 9);
}

void CKitOffice2003Theme::FillExpandedColumn(CDC* pDC, CRect rc, BOOL bHiddenControl)
{
    FillGradient(pDC, rc, bHiddenControl ? m_grcHiddenColumn : m_grcImageColumn, TRUE);
}

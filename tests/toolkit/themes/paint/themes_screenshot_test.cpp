// The same hand-built toolbar and popup menu drawn by each theme side by side: build/screens/themes-default-officexp.png,
// themes-office2003.png, themes-visualstudio.png.
#include "support/canvas.h"
#include "support/window_screenshot.h"
#include "toolkit/commandbars/command_bar.h"
#include "toolkit/commandbars/menu_bar.h"
#include "toolkit/commandbars/popup_bar.h"
#include "toolkit/commandbars/control.h"
#include "toolkit/commandbars/controls.h"
#include "toolkit/themes/paint/default_theme.h"
#include "toolkit/themes/paint/office2003_theme.h"
#include "toolkit/themes/paint/visual_studio2008_theme.h"
#include "toolkit/common/color_manager.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kToolBarWidth = 250;
constexpr int kPopupWidth = 190;

CKitControl* Add(CKitCommandBar& bar, CKitControl* pControl, LPCSTR lpszCaption)
{
    bar.GetControls()->AddControl(pControl);
    pControl->SetCaption(lpszCaption);
    return pControl;
}

// Lays the toolbar's controls out in one row after its gripper and paints it.
void PaintToolBar(CKitPaintManager* pm, CKitToolBar& bar, CDC* pDC)
{
    const CSize szGripper = pm->DrawFloatingBarCaption(pDC, &bar, FALSE);
    int nHeight = 0;
    for (int i = 0; i < bar.GetControlCount(); i++)
        nHeight = std::max(nHeight, static_cast<int>(pm->DrawControl(pDC, bar.GetControl(i), FALSE).cy));
    int x = 2 + szGripper.cx;
    for (int i = 0; i < bar.GetControlCount(); i++) {
        CKitControl* pControl = bar.GetControl(i);
        if (pControl->GetBeginGroup())
            x += pm->DrawCommandBarSeparator(pDC, &bar, pControl, FALSE).cx;
        const CSize sz = pm->DrawControl(pDC, pControl, FALSE);
        pControl->SetRect(CRect(x, 3, x + sz.cx, 3 + nHeight));
        pControl->SetRowRect(CRect(0, 3, kToolBarWidth, 3 + nHeight));
        x += sz.cx;
    }
    pm->FillCommandBarEntry(pDC, &bar);
    pm->DrawFloatingBarCaption(pDC, &bar, TRUE);
    for (int i = 0; i < bar.GetControlCount(); i++) {
        CKitControl* pControl = bar.GetControl(i);
        if (pControl->GetBeginGroup())
            pm->DrawCommandBarSeparator(pDC, &bar, pControl, TRUE);
        pm->DrawControl(pDC, pControl, TRUE);
    }
}

// Stacks the popup's items inside its borders and paints it.
void PaintPopup(CKitPaintManager* pm, CKitPopupBar& bar, CDC* pDC)
{
    const CRect rcBorders = pm->GetCommandBarBorders(&bar);
    int y = rcBorders.top;
    for (int i = 0; i < bar.GetControlCount(); i++) {
        CKitControl* pControl = bar.GetControl(i);
        if (pControl->GetBeginGroup())
            y += pm->DrawCommandBarSeparator(pDC, &bar, pControl, FALSE).cy;
        const CSize sz = pm->DrawControl(pDC, pControl, FALSE);
        pControl->SetRect(CRect(rcBorders.left, y, kPopupWidth - rcBorders.right, y + sz.cy));
        pControl->SetRowRect(pControl->GetRect());
        y += sz.cy;
    }
    pm->FillCommandBarEntry(pDC, &bar);
    pm->DrawFloatingBarCaption(pDC, &bar, TRUE);
    for (int i = 0; i < bar.GetControlCount(); i++) {
        CKitControl* pControl = bar.GetControl(i);
        if (pControl->GetBeginGroup())
            pm->DrawCommandBarSeparator(pDC, &bar, pControl, TRUE);
        pm->DrawControl(pDC, pControl, TRUE);
    }
}

// The popup's height for its items.
int MeasurePopup(CKitPaintManager* pm, CKitPopupBar& bar, CDC* pDC)
{
    const CRect rcBorders = pm->GetCommandBarBorders(&bar);
    int nHeight = rcBorders.top + rcBorders.bottom;
    for (int i = 0; i < bar.GetControlCount(); i++) {
        CKitControl* pControl = bar.GetControl(i);
        if (pControl->GetBeginGroup())
            nHeight += pm->DrawCommandBarSeparator(pDC, &bar, pControl, FALSE).cy;
        nHeight += pm->DrawControl(pDC, pControl, FALSE).cy;
    }
    return nHeight;
}

// One theme's toolbar and popup, painted on their own canvases.
struct ThemeBars {
    std::unique_ptr<Canvas> pToolBar;
    std::unique_ptr<Canvas> pPopup;
};

// Builds the sample toolbar (at nPosition) and popup menu, paints them with the theme and hands them to
// check while their windows stand.
using CheckBars = std::function<void(CKitPaintManager*, const ThemeBars&, CKitToolBar&, CKitPopupBar&)>;

ThemeBars PaintSampleBars(CKitPaintManager* pm, int nPosition, const CheckBars& check)
{
    CKitToolBar toolbar;
    toolbar.SetPosition(nPosition);
    Add(toolbar, new CKitControlButton(), "&New")->SetStyle(kitButtonCaption);
    CKitControl* pOpen = Add(toolbar, new CKitControlButton(), "&Open");
    pOpen->SetStyle(kitButtonCaption);
    pOpen->SetSelected(1);
    CKitControl* pBold = Add(toolbar, new CKitControlButton(), "&Bold");
    pBold->SetStyle(kitButtonCaption);
    pBold->SetChecked(1);
    CKitControl* pFile = Add(toolbar, new CKitControlPopup(), "&File");
    pFile->SetBeginGroup(TRUE);
    CKitControl* pCheck = Add(toolbar, new CKitControl(kitControlCheckBox), "&Wrap");
    pCheck->SetChecked(1);
    Add(toolbar, new CKitControlButton(), "&Close")->SetStyle(kitButtonCaption);
    toolbar.GetControl(5)->SetEnabled(0);

    CKitPopupBar popup;
    Add(popup, new CKitControlButton(), "&Open...\tCtrl+O")->SetSelected(1);
    Add(popup, new CKitControlButton(), "&Save\tCtrl+S");
    Add(popup, new CKitControlButton(), "&Word wrap")->SetChecked(1);
    Add(popup, new CKitControlPopup(), "&Recent files")->SetBeginGroup(TRUE);
    Add(popup, new CKitControlButton(), "E&xit")->SetEnabled(0);

    Canvas measure(1, 1);
    const int nToolBarHeight = 3 + std::max(22, static_cast<int>(pm->DrawControl(&measure.dc, pCheck, FALSE).cy)) + 3;
    const int nPopupHeight = MeasurePopup(pm, popup, &measure.dc);
    EXPECT_TRUE(toolbar.CreateEx(0, "STATIC", "", WS_POPUP, 0, 0, kToolBarWidth, nToolBarHeight, nullptr, 0));
    EXPECT_TRUE(popup.CreateEx(0, "STATIC", "", WS_POPUP, 0, 0, kPopupWidth, nPopupHeight, nullptr, 0));

    ThemeBars bars;
    bars.pToolBar = std::make_unique<Canvas>(kToolBarWidth, nToolBarHeight);
    PaintToolBar(pm, toolbar, &bars.pToolBar->dc);
    bars.pPopup = std::make_unique<Canvas>(kPopupWidth, nPopupHeight);
    PaintPopup(pm, popup, &bars.pPopup->dc);
    if (check)
        check(pm, bars, toolbar, popup);
    toolbar.DestroyWindow();
    popup.DestroyWindow();
    return bars;
}

// One column per theme, the toolbar above its popup, written as build/screens/<name>.png.
std::string SaveThemeColumns(const char* pszName, const std::vector<ThemeBars>& columns)
{
    const int nGap = 12;
    int nToolBarHeight = 0;
    int nPopupHeight = 0;
    for (const ThemeBars& bars : columns) {
        nToolBarHeight = std::max(nToolBarHeight, bars.pToolBar->Height());
        nPopupHeight = std::max(nPopupHeight, bars.pPopup->Height());
    }
    const int nColumns = static_cast<int>(columns.size());
    const int nWidth = nGap + nColumns * (kToolBarWidth + nGap);
    const int nHeight = nGap + nToolBarHeight + nGap + nPopupHeight + nGap;
    std::vector<DWORD> pixels(static_cast<size_t>(nWidth * nHeight), 0xFFFFFF);
    auto blit = [&](const Canvas& part, int x0, int y0) {
        for (int y = 0; y < part.Height(); y++) {
            for (int x = 0; x < part.Width(); x++) {
                const COLORREF clr = part.Pixel(x, y);
                pixels[static_cast<size_t>((y0 + y) * nWidth + x0 + x)] =
                    (GetRValue(clr) << 16) | (GetGValue(clr) << 8) | GetBValue(clr);
            }
        }
    };
    for (int i = 0; i < nColumns; i++) {
        const int x0 = nGap + i * (kToolBarWidth + nGap);
        blit(*columns[static_cast<size_t>(i)].pToolBar, x0, nGap);
        blit(*columns[static_cast<size_t>(i)].pPopup, x0 + 20, nGap + nToolBarHeight + nGap);
    }
    return SaveScreenshot(pszName, nWidth, nHeight, pixels);
}

} // namespace

TEST(KitThemeScreens, TheDefaultAndOfficeThemesDrawTheSameBars)
{
    std::vector<ThemeBars> columns;
    for (int nTheme : {0, 1}) {
        CKitPaintManager* pm = CKitPaintManager::CreateTheme(nTheme);
        pm->RefreshMetrics();
        columns.push_back(PaintSampleBars(pm, kitBarNone, [nTheme](CKitPaintManager* pm, const ThemeBars& bars,
                                                                   CKitToolBar& toolbar, CKitPopupBar& popup) {
            // The checked idle button: dithered in the default theme, framed in colour 37 in the Office theme;
            // the hot one raised, or framed in colour 32.
            const CRect rcBold = toolbar.GetControl(2)->GetRect();
            const CPoint ptOpen = toolbar.GetControl(1)->GetRect().TopLeft();
            const Canvas& bar = *bars.pToolBar;
            if (nTheme == 0) {
                EXPECT_NE(bar.Pixel(rcBold.left + 2, rcBold.top + 2), bar.Pixel(rcBold.left + 3, rcBold.top + 2));
                EXPECT_EQ(pm->GetColor(COLOR_BTNHIGHLIGHT), bar.Pixel(ptOpen.x, ptOpen.y));
            } else {
                EXPECT_EQ(pm->GetColor(37), bar.Pixel(rcBold.left, rcBold.top));
                EXPECT_EQ(pm->GetColor(36), bar.Pixel(rcBold.left + 2, rcBold.top + 2));
                EXPECT_EQ(pm->GetColor(32), bar.Pixel(ptOpen.x, ptOpen.y));
                // The image column runs down the menu beside the unselected items.
                const CRect rcSave = popup.GetControl(1)->GetRect();
                EXPECT_EQ(pm->GetColor(30), bars.pPopup->Pixel(rcSave.left + 2, rcSave.CenterPoint().y));
                EXPECT_EQ(pm->GetColor(41), bars.pPopup->Pixel(rcSave.right - 4, rcSave.CenterPoint().y));
            }
        }));
        pm->InternalRelease();
    }
    EXPECT_EQ("", SaveThemeColumns("themes-default-officexp", columns));
}

// The Office 2003 theme under its blue, olive and silver schemes and without a visual style, docked at the top.
TEST(KitThemeScreens, TheOffice2003ThemeInEachScheme)
{
    std::vector<ThemeBars> columns;
    for (int nScheme : {1, 2, 3, 0}) {
        CKitPaintManager* pm = CKitPaintManager::CreateTheme(2);
        pm->m_nSystemTheme = nScheme;
        pm->RefreshMetrics();
        columns.push_back(PaintSampleBars(pm, kitBarTop, [nScheme](CKitPaintManager* pm, const ThemeBars& bars,
                                                                   CKitToolBar& toolbar, CKitPopupBar&) {
            // The hot button: a gradient under a scheme, one colour without; the bar's edge line at its foot.
            const CRect rcOpen = toolbar.GetControl(1)->GetRect();
            const Canvas& bar = *bars.pToolBar;
            const int x = rcOpen.CenterPoint().x;
            EXPECT_EQ(pm->GetColor(32), bar.Pixel(rcOpen.left, rcOpen.top)) << nScheme;
            if (nScheme != 0)
                EXPECT_NE(bar.Pixel(x, rcOpen.top + 2), bar.Pixel(x, rcOpen.bottom - 3)) << nScheme;
            else
                EXPECT_EQ(bar.Pixel(x, rcOpen.top + 2), bar.Pixel(x, rcOpen.bottom - 3));
            EXPECT_EQ(static_cast<COLORREF>(static_cast<CKitOffice2003Theme*>(pm)->m_clrToolBarEdge),
                      bar.Pixel(kToolBarWidth / 2, bar.Height() - 1))
                << nScheme;
        }));
        pm->InternalRelease();
    }
    EXPECT_EQ("", SaveThemeColumns("themes-office2003", columns));
}

// Whidbey, Visual Studio 2008 (blue and Aero styles) and Visual Studio 2010, docked at the top.
TEST(KitThemeScreens, TheVisualStudioThemes)
{
    struct Column {
        int nTheme;
        int nStyle;
    };
    std::vector<ThemeBars> columns;
    for (const Column& c : {Column{4, 1}, Column{7, 1}, Column{7, 5}, Column{9, 0}}) {
        CKitColorManager::Instance()->SetConfiguredSystemTheme(c.nStyle);
        CKitPaintManager* pm = CKitPaintManager::CreateTheme(c.nTheme);
        pm->RefreshMetrics();
        columns.push_back(PaintSampleBars(pm, kitBarTop, [c](CKitPaintManager* pm, const ThemeBars& bars,
                                                             CKitToolBar&, CKitPopupBar& popup) {
            // The hot menu item is framed in the theme's highlight border.
            const CRect rcOpen = popup.GetControl(0)->GetRect();
            const COLORREF clrFrame = bars.pPopup->Pixel(rcOpen.CenterPoint().x, rcOpen.top);
            if (c.nTheme == 7)
                EXPECT_EQ(static_cast<COLORREF>(static_cast<CKitVisualStudio2008Theme*>(pm)->m_clrMenuHighlightBorder),
                          clrFrame);
            else
                EXPECT_EQ(pm->GetColor(32), clrFrame);
        }));
        pm->InternalRelease();
    }
    CKitColorManager::Instance()->SetConfiguredSystemTheme(CKitColorManager::kThemeAuto);
    EXPECT_EQ("", SaveThemeColumns("themes-visualstudio", columns));
}

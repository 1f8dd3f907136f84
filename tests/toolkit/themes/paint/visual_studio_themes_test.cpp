// The Whidbey, Visual Studio 2008 and Visual Studio 2010 themes: their settings, colours by visual style,
// rounded highlights, the operating-system test and the status bar.
#include "toolkit/themes/paint/visual_studio2008_theme.h"
#include "toolkit/themes/paint/visual_studio2010_theme.h"
#include "toolkit/themes/paint/whidbey_theme.h"

#include "support/canvas.h"
#include "toolkit/commandbars/control.h"
#include "toolkit/commandbars/controls.h"
#include "toolkit/commandbars/popup_bar.h"
#include "toolkit/commandbars/shadow_manager.h"
#include "toolkit/commandbars/toolbar.h"
#include "toolkit/common/color_manager.h"

#include <gtest/gtest.h>

namespace {

constexpr COLORREF kGround = RGB(1, 150, 1);

// The colour manager's visual style set for the guard's lifetime.
class VisualStyle {
public:
    explicit VisualStyle(int nStyle) { CKitColorManager::Instance()->SetConfiguredSystemTheme(nStyle); }
    ~VisualStyle() { CKitColorManager::Instance()->SetConfiguredSystemTheme(CKitColorManager::kThemeAuto); }
};

// A theme made and refreshed under a visual style.
template <class Theme>
class Refreshed : public Theme {
public:
    explicit Refreshed(int nStyle)
    {
        const VisualStyle style(nStyle);
        this->RefreshMetrics();
        this->InternalAddRef();
    }
};

// The Visual Studio 2010 theme on an operating system of the test's choosing.
class CVersionedVisualStudio2010Theme : public CKitVisualStudio2010Theme {
public:
    explicit CVersionedVisualStudio2010Theme(BOOL bVista) : m_bVista(bVista)
    {
        RefreshMetrics();
        InternalAddRef();
    }

protected:
    BOOL IsVistaOrGreater() const override { return m_bVista; }

private:
    BOOL m_bVista;
};

} // namespace

TEST(KitVisualStudioThemes, TheFactoryMakesEachWithItsSettings)
{
    struct Case {
        int nTheme;
        const char* pszClass;
        int nLabelGap, nShadowOptions;
        BOOL bSingleLine, bFlatGripper;
        int nInset;
    };
    const Case cases[] = {
        {4, "CKitWhidbeyTheme", 8, 3, TRUE, FALSE, 4},
        {7, "CKitVisualStudio2008Theme", 10, 1, TRUE, FALSE, 4},
        {9, "CKitVisualStudio2010Theme", 10, 1, TRUE, TRUE, 2},
    };
    for (const Case& c : cases) {
        CKitPaintManager::SetTheme(c.nTheme);
        auto* pm = static_cast<CKitOffice2003Theme*>(CKitPaintManager::GetCurrent());
        ASSERT_TRUE(pm->IsKindOf(RUNTIME_CLASS(CKitOffice2003Theme))) << c.nTheme;
        EXPECT_STREQ(c.pszClass, pm->GetRuntimeClass()->m_lpszClassName);
        EXPECT_EQ(c.nTheme, pm->GetThemeNumber());
        EXPECT_EQ(c.nTheme, pm->GetCurrentTheme());
        EXPECT_EQ(c.nLabelGap, pm->m_nPopupBarTextPadding) << c.nTheme;
        EXPECT_EQ(c.nShadowOptions, pm->GetShadowManager()->GetFlags()) << c.nTheme;
        EXPECT_EQ(c.bSingleLine, pm->m_bSingleSeparatorLine) << c.nTheme;
        EXPECT_EQ(c.bFlatGripper, pm->m_bFlatGripper) << c.nTheme;
        EXPECT_EQ(c.nInset, pm->m_nSeparatorInset) << c.nTheme;
    }
    EXPECT_TRUE(CKitPaintManager::GetCurrent()->IsKindOf(RUNTIME_CLASS(CKitVisualStudio2010Theme)));
    CKitPaintManager::SetTheme(7);
    EXPECT_TRUE(CKitPaintManager::GetCurrent()->IsKindOf(RUNTIME_CLASS(CKitWhidbeyTheme)));
    EXPECT_EQ(0, CKitPaintManager::GetCurrent()->m_nSystemTheme);
    CKitPaintManager::Done();
}

TEST(KitVisualStudioThemes, WhidbeyNeverSetsTheSchemeFlagAndFollowsTheVisualStyle)
{
    struct Case {
        int nStyle;
        COLORREF clrEdge, clr30;
    };
    const Case cases[] = {
        {0, 0, 0},
        {1, RGB(163, 163, 124), 0},
        {2, RGB(163, 163, 124), 0},
        {3, RGB(124, 124, 148), RGB(219, 218, 228)},
        {4, 0, 0},
        {5, 0, 0},
    };
    for (const Case& c : cases) {
        Refreshed<CKitWhidbeyTheme> theme(c.nStyle);
        EXPECT_FALSE(theme.IsSchemeColorsInForce()) << c.nStyle;
        if (c.clrEdge != 0)
            EXPECT_EQ(c.clrEdge, static_cast<COLORREF>(theme.m_clrToolBarEdge)) << c.nStyle;
        if (c.clr30 != 0)
            EXPECT_EQ(c.clr30, theme.GetColor(30)) << c.nStyle;
        EXPECT_EQ(static_cast<COLORREF>(theme.m_grcToolBar.clrLight),
                  static_cast<COLORREF>(theme.m_grcImageColumn.clrLight));
        // A hot toolbar button stays a plain box.
        Canvas dc(20, 20, kGround);
        theme.DrawRectangle(&dc.dc, CRect(0, 0, 20, 20), TRUE, FALSE, TRUE, FALSE, FALSE, kitBarTypeNormal, kitBarTop);
        EXPECT_EQ(theme.GetColor(32), dc.Pixel(0, 0)) << c.nStyle;
        EXPECT_EQ(theme.GetColor(31), dc.Pixel(10, 2)) << c.nStyle;
        EXPECT_EQ(theme.GetColor(31), dc.Pixel(10, 17)) << c.nStyle;
    }
    Refreshed<CKitWhidbeyTheme> olive(2);
    EXPECT_EQ(RGB(182, 198, 141), olive.GetColor(31));
    EXPECT_EQ(RGB(147, 160, 112), olive.GetColor(33));
    EXPECT_EQ(RGB(176, 172, 158), static_cast<COLORREF>(olive.m_grcExpandButton.clrDark));
}

TEST(KitVisualStudioThemes, VisualStudio2008MenuHighlightsFollowTheVisualStyle)
{
    struct Case {
        int nStyle;
        BOOL bScheme;
        COLORREF clrBorder, clrText;  // 0: the system highlight colours
    };
    const Case cases[] = {
        {0, FALSE, 0, 0},
        {1, FALSE, RGB(152, 181, 226), RGB(0, 0, 0)},
        {2, FALSE, RGB(147, 160, 112), RGB(0, 0, 0)},
        {3, FALSE, RGB(255, 192, 111), RGB(0, 0, 0)},
        {4, FALSE, RGB(152, 181, 226), RGB(0, 0, 0)},
        {5, TRUE, RGB(150, 217, 249), RGB(0, 0, 0)},
    };
    for (const Case& c : cases) {
        Refreshed<CKitVisualStudio2008Theme> theme(c.nStyle);
        const COLORREF clrBorder = c.clrBorder != 0 ? c.clrBorder : theme.GetColor(COLOR_HIGHLIGHT);
        const COLORREF clrText = c.nStyle != 0 ? c.clrText : theme.GetColor(COLOR_HIGHLIGHTTEXT);
        EXPECT_EQ(c.bScheme, theme.IsSchemeColorsInForce()) << c.nStyle;
        EXPECT_EQ(clrBorder, static_cast<COLORREF>(theme.m_clrMenuHighlightBorder)) << c.nStyle;
        EXPECT_EQ(clrText, theme.GetControlStateTextColor(TRUE, FALSE, TRUE, FALSE, FALSE, kitBarTypePopup,
                                                          kitBarPopup))
            << c.nStyle;
        if (c.nStyle == 0) {
            EXPECT_EQ(theme.GetColor(COLOR_HIGHLIGHT), static_cast<COLORREF>(theme.m_grcMenuHighlight.clrLight));
            EXPECT_EQ(theme.GetColor(COLOR_HIGHLIGHT), static_cast<COLORREF>(theme.m_grcMenuHighlight.clrDark));
        }
        // A hot menu item: the highlight inside a frame whose corners are rounded off.
        Canvas dc(40, 20, kGround);
        theme.DrawRectangle(&dc.dc, CRect(0, 0, 40, 20), TRUE, FALSE, TRUE, FALSE, FALSE, kitBarTypePopup,
                            kitBarPopup);
        EXPECT_EQ(kGround, dc.Pixel(0, 0)) << c.nStyle;
        EXPECT_EQ(clrBorder, dc.Pixel(1, 1)) << c.nStyle;
        EXPECT_EQ(clrBorder, dc.Pixel(3, 0)) << c.nStyle;
        EXPECT_EQ(clrBorder, dc.Pixel(39, 10)) << c.nStyle;
        EXPECT_EQ(static_cast<COLORREF>(theme.m_grcMenuHighlight.clrLight), dc.Pixel(20, 1)) << c.nStyle;
    }
    Refreshed<CKitVisualStudio2008Theme> aero(5);
    EXPECT_EQ(RGB(233, 236, 250), aero.GetColor(30));
    EXPECT_EQ(RGB(41, 153, 255), aero.GetColor(32));
    // Other states, and items of other bars, are drawn as before; the text of an unselected item too.
    EXPECT_EQ(aero.GetColor(44),
              aero.GetControlStateTextColor(FALSE, FALSE, TRUE, FALSE, FALSE, kitBarTypePopup, kitBarPopup));
}

TEST(KitVisualStudioThemes, VisualStudio2008BordersSeparatorsAndImageColumn)
{
    Refreshed<CKitVisualStudio2008Theme> theme(0);
    CKitPopupBar popup;
    popup.SetPosition(kitBarPopup);
    EXPECT_EQ(CRect(4, 3, 4, 3), theme.GetCommandBarBorders(&popup));
    CKitToolBar toolbar;
    toolbar.SetPosition(kitBarTop);
    EXPECT_EQ(CRect(4, 2, 2, 2), theme.GetCommandBarBorders(&toolbar));

    // A popup item is one pixel wider each side; a toolbar button keeps its rectangle.
    CKitControl* pItem = popup.GetControls()->AddControl(new CKitControlButton());
    CRect rc(10, 10, 50, 30);
    theme.AdjustControlRect(rc, pItem, FALSE);
    EXPECT_EQ(CRect(9, 10, 51, 30), rc);
    CKitControl* pButton = toolbar.GetControls()->AddControl(new CKitControlButton());
    rc = CRect(10, 10, 50, 30);
    theme.AdjustControlRect(rc, pButton, FALSE);
    EXPECT_EQ(CRect(10, 10, 50, 30), rc);

    // The popup separator: the line in colour 39 with a highlight line below it.
    pItem->SetRect(CRect(2, 20, 100, 40));
    pItem->SetRowRect(pItem->GetRect());
    Canvas dc(110, 50, kGround);
    EXPECT_EQ(CSize(0, 0), theme.DrawCommandBarSeparator(&dc.dc, &popup, pItem, TRUE));
    EXPECT_EQ(theme.GetColor(39), dc.Pixel(80, 18));
    EXPECT_EQ(theme.GetColor(COLOR_BTNHIGHLIGHT), dc.Pixel(80, 19));
    EXPECT_EQ(kGround, dc.Pixel(80, 17));

    // A hot menu-bar item: a window-coloured frame with open corners, the hot border inside it with half-mixed
    // corners, colour 31 inside that (no scheme); an open popup of a toolbar button: the open-popup gradient.
    Canvas menu(30, 20, kGround);
    theme.DrawRectangle(&menu.dc, CRect(0, 0, 30, 20), TRUE, FALSE, TRUE, FALSE, FALSE, kitBarTypeMenuBar, kitBarTop);
    EXPECT_EQ(kGround, menu.Pixel(0, 0));
    EXPECT_EQ(kGround, menu.Pixel(1, 1));
    EXPECT_EQ(theme.GetColor(COLOR_WINDOW), menu.Pixel(2, 1));
    EXPECT_EQ(theme.GetColor(32), menu.Pixel(3, 2));
    EXPECT_NE(theme.GetColor(32), menu.Pixel(2, 2));
    EXPECT_EQ(theme.GetColor(31), menu.Pixel(15, 10));
    Canvas open(30, 20, kGround);
    theme.DrawRectangle(&open.dc, CRect(0, 0, 30, 20), FALSE, FALSE, TRUE, FALSE, TRUE, kitBarTypeNormal, kitBarTop);
    EXPECT_EQ(theme.GetColor(32), open.Pixel(0, 0));
    EXPECT_EQ(theme.GetColor(32), open.Pixel(29, 19));
    EXPECT_NE(open.Pixel(15, 1), open.Pixel(15, 18));

    // The image column ends in a separator line and a highlight line.
    Canvas column(30, 20, kGround);
    theme.FillExpandedColumn(&column.dc, CRect(0, 0, 24, 20), FALSE);
    EXPECT_EQ(theme.GetColor(39), column.Pixel(23, 10));
    EXPECT_EQ(theme.GetColor(COLOR_BTNHIGHLIGHT), column.Pixel(24, 10));
    EXPECT_EQ(kGround, column.Pixel(25, 10));
}

TEST(KitVisualStudioThemes, VisualStudio2010UsesGradientHighlightsOnlyFromVersionSix)
{
    for (BOOL bVista : {TRUE, FALSE}) {
        CVersionedVisualStudio2010Theme theme(bVista);
        EXPECT_EQ(bVista, theme.IsSchemeColorsInForce());
        EXPECT_EQ(bVista ? RGB(156, 170, 193) : RGB(173, 186, 206), static_cast<COLORREF>(theme.m_grcDock.clrDark));
        EXPECT_EQ(bVista ? RGB(190, 195, 203) : RGB(189, 195, 206), static_cast<COLORREF>(theme.m_clrMenuSeparator));
        EXPECT_EQ(bVista ? RGB(28, 42, 63) : RGB(24, 40, 57), theme.GetColor(46));
        // A hot menu-bar item: the rounded frame in colour 32 around the hot gradient or colour 31.
        Canvas dc(40, 20, kGround);
        theme.DrawRectangle(&dc.dc, CRect(0, 0, 40, 20), TRUE, FALSE, TRUE, FALSE, FALSE, kitBarTypeMenuBar,
                            kitBarTop);
        EXPECT_EQ(kGround, dc.Pixel(0, 0));
        EXPECT_EQ(RGB(231, 195, 99), dc.Pixel(1, 1));
        EXPECT_EQ(RGB(231, 195, 99), dc.Pixel(20, 19));
        if (bVista) {
            EXPECT_EQ(RGB(255, 252, 242), dc.Pixel(20, 1));
            EXPECT_NE(dc.Pixel(20, 1), dc.Pixel(20, 18));
        } else {
            EXPECT_EQ(RGB(255, 243, 206), dc.Pixel(20, 1));
            EXPECT_EQ(RGB(255, 243, 206), dc.Pixel(20, 18));
        }
    }
}

TEST(KitVisualStudioThemes, VisualStudio2010BarsAndStatusBar)
{
    CVersionedVisualStudio2010Theme theme(TRUE);
    CKitPopupBar popup;
    popup.SetPosition(kitBarPopup);
    EXPECT_EQ(CRect(3, 3, 3, 3), theme.GetCommandBarBorders(&popup));

    // The status bar is dark blue whatever the system colours.
    CWnd status;
    ASSERT_TRUE(status.CreateEx(0, "STATIC", "", WS_POPUP, 0, 0, 60, 20, nullptr, 0));
    Canvas bar(60, 20, kGround);
    theme.FillStatusBar(&bar.dc, &status);
    EXPECT_EQ(60 * 20, bar.Count(CRect(0, 0, 60, 20), RGB(41, 57, 85)));
    status.DestroyWindow();

    // A docked toolbar: a flat body in the toolbar colour inside a rounded frame in the edge colour.
    CKitToolBar toolbar;
    ASSERT_TRUE(toolbar.CreateEx(0, "STATIC", "", WS_POPUP, 0, 0, 80, 26, nullptr, 0));
    toolbar.SetPosition(kitBarTop);
    Canvas dc(80, 26, kGround);
    theme.FillCommandBarEntry(&dc.dc, &toolbar);
    EXPECT_EQ(RGB(188, 199, 216), dc.Pixel(40, 12));
    EXPECT_EQ(RGB(201, 210, 225), dc.Pixel(40, 0));
    EXPECT_EQ(RGB(201, 210, 225), dc.Pixel(40, 25));
    EXPECT_EQ(RGB(201, 210, 225), dc.Pixel(2, 12));
    EXPECT_EQ(RGB(156, 170, 193), dc.Pixel(0, 12));
    toolbar.DestroyWindow();

    // Popup separators take the menu separator colour.
    CKitControl* pItem = popup.GetControls()->AddControl(new CKitControlButton());
    pItem->SetRect(CRect(2, 20, 100, 40));
    pItem->SetRowRect(pItem->GetRect());
    Canvas menu(110, 50, kGround);
    theme.DrawCommandBarSeparator(&menu.dc, &popup, pItem, TRUE);
    EXPECT_EQ(RGB(190, 195, 203), menu.Pixel(80, 18));
    EXPECT_EQ(kGround, menu.Pixel(80, 19));
}

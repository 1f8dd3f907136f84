// The Office 2003 theme: its schemes after the visual style, the low-resolution fallback, gradient highlights,
// bar backgrounds, separators, grippers and the glyph.
#include "toolkit/themes/paint/office2003_theme.h"

#include "support/canvas.h"
#include "toolkit/commandbars/control.h"
#include "toolkit/commandbars/controls.h"
#include "toolkit/commandbars/shadow_manager.h"
#include "toolkit/commandbars/toolbar.h"
#include "toolkit/common/color_manager.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

constexpr COLORREF kGround = RGB(1, 150, 1);

// The theme under a given system theme setting, refreshed.
class CTestOffice2003Theme : public CKitOffice2003Theme {
public:
    explicit CTestOffice2003Theme(int nSystemTheme)
    {
        m_nSystemTheme = nSystemTheme;
        RefreshMetrics();
        InternalAddRef();
    }
    void SetTextHeight(int nHeight) { m_nTextHeight = nHeight; }
};

// A toolbar that answers as a dialog bar.
class CStandInDialogBar : public CKitToolBar {
public:
    BOOL IsDialogBar() const override { return TRUE; }
};

// Colour manager screen depth forced for the test's lifetime.
class ScreenDepth {
public:
    explicit ScreenDepth(int nBits)
    {
        CKitColorManager::Instance()->SetScreenDepthProvider([nBits] { return nBits; });
        CKitColorManager::Instance()->RefreshColors();
    }
    ~ScreenDepth()
    {
        CKitColorManager::Instance()->SetScreenDepthProvider(nullptr);
        CKitColorManager::Instance()->RefreshColors();
    }
};

// Whether a column of pixels runs from one colour to another (a gradient, not a plain fill).
bool IsVerticalGradient(const Canvas& dc, int x, int y0, int y1)
{
    return dc.Pixel(x, y0) != dc.Pixel(x, y1);
}

} // namespace

TEST(KitOffice2003Theme, ThemeTwoIsTheOffice2003ThemeWithItsSettings)
{
    CKitPaintManager::SetTheme(2);
    CKitPaintManager* pm = CKitPaintManager::GetCurrent();
    ASSERT_TRUE(pm->IsKindOf(RUNTIME_CLASS(CKitOffice2003Theme)));
    EXPECT_STREQ("CKitOffice2003Theme", pm->GetRuntimeClass()->m_lpszClassName);
    EXPECT_EQ(2, pm->GetThemeNumber());
    EXPECT_EQ(2, pm->GetCurrentTheme());
    EXPECT_EQ(3, pm->GetShadowManager()->GetFlags());
    EXPECT_FALSE(pm->m_bFadedIcons);
    EXPECT_FALSE(pm->m_bIconsWithShadow);
    EXPECT_TRUE(pm->m_bThemedStatusBar);
    EXPECT_TRUE(pm->m_bUseDisabledIcons);
    CKitPaintManager::Done();
}

TEST(KitOffice2003Theme, SchemesFollowTheSystemThemeSetting)
{
    struct Case {
        int nSystemTheme;
        BOOL bScheme;
        COLORREF clr30, clrEdge, clrCaption;
    };
    const Case cases[] = {
        {1, TRUE, RGB(196, 219, 249), RGB(59, 97, 156), RGB(42, 102, 201)},
        {2, TRUE, RGB(209, 222, 173), RGB(96, 128, 88), RGB(116, 134, 94)},
        {3, TRUE, RGB(219, 218, 228), RGB(124, 124, 148), RGB(122, 121, 153)},
        {4, TRUE, RGB(196, 219, 249), RGB(59, 97, 156), RGB(42, 102, 201)},
        {5, TRUE, RGB(196, 219, 249), RGB(59, 97, 156), RGB(42, 102, 201)},
    };
    for (const Case& c : cases) {
        CTestOffice2003Theme theme(c.nSystemTheme);
        EXPECT_EQ(c.bScheme, theme.IsSchemeColorsInForce()) << c.nSystemTheme;
        EXPECT_EQ(c.clr30, theme.GetColor(30)) << c.nSystemTheme;
        EXPECT_EQ(c.clrEdge, static_cast<COLORREF>(theme.m_clrToolBarEdge)) << c.nSystemTheme;
        // The floating frame takes the caption background; disabled greys are fixed.
        EXPECT_EQ(c.clrCaption, theme.GetColor(61)) << c.nSystemTheme;
        EXPECT_EQ(RGB(141, 141, 141), theme.GetColor(60)) << c.nSystemTheme;
        // The menus' image column copies the toolbar gradient.
        EXPECT_EQ(static_cast<COLORREF>(theme.m_grcToolBar.clrDark),
                  static_cast<COLORREF>(theme.m_grcImageColumn.clrDark));
    }
    // Scheme 0 (no visual style, as under Wine by default) keeps the colours derived from the system.
    CTestOffice2003Theme plain(0);
    EXPECT_FALSE(plain.IsSchemeColorsInForce());
    EXPECT_EQ(plain.GetColor(30), static_cast<COLORREF>(plain.m_clrToolBarEdge));
    EXPECT_EQ(plain.GetColor(COLOR_BTNFACE), static_cast<COLORREF>(plain.m_grcToolBar.clrDark));
    EXPECT_EQ(plain.GetColor(COLOR_BTNSHADOW), static_cast<COLORREF>(plain.m_clrFloatingGripper));
}

TEST(KitOffice2003Theme, WithoutASchemeHighlightsAreOfficeXPBoxes)
{
    CTestOffice2003Theme plain(0);
    CTestOffice2003Theme blue(1);
    // A hot toolbar button: one plain colour without a scheme, the hot gradient with one.
    Canvas flat(20, 20, kGround);
    plain.DrawRectangle(&flat.dc, CRect(0, 0, 20, 20), TRUE, FALSE, TRUE, FALSE, FALSE, kitBarTypeNormal, kitBarTop);
    EXPECT_EQ(plain.GetColor(32), flat.Pixel(0, 0));
    EXPECT_EQ(plain.GetColor(31), flat.Pixel(5, 2));
    EXPECT_EQ(plain.GetColor(31), flat.Pixel(5, 17));

    Canvas shaded(20, 20, kGround);
    blue.DrawRectangle(&shaded.dc, CRect(0, 0, 20, 20), TRUE, FALSE, TRUE, FALSE, FALSE, kitBarTypeNormal, kitBarTop);
    EXPECT_EQ(blue.GetColor(32), shaded.Pixel(0, 0));
    EXPECT_EQ(RGB(0, 0, 128), shaded.Pixel(19, 19));
    EXPECT_TRUE(IsVerticalGradient(shaded, 5, 1, 18));
    // Left-docked bars run their highlights across.
    Canvas across(20, 20, kGround);
    blue.DrawRectangle(&across.dc, CRect(0, 0, 20, 20), TRUE, FALSE, TRUE, FALSE, FALSE, kitBarTypeNormal, kitBarLeft);
    EXPECT_EQ(across.Pixel(5, 1), across.Pixel(5, 18));
    EXPECT_NE(across.Pixel(1, 5), across.Pixel(18, 5));
    // Popup bars keep the boxes even with a scheme.
    Canvas menu(20, 20, kGround);
    blue.DrawRectangle(&menu.dc, CRect(0, 0, 20, 20), TRUE, FALSE, TRUE, FALSE, FALSE, kitBarTypePopup, kitBarPopup);
    EXPECT_EQ(menu.Pixel(5, 2), menu.Pixel(5, 17));
}

TEST(KitOffice2003Theme, GradientHighlightsFollowTheState)
{
    CTestOffice2003Theme theme(1);
    struct Case {
        const char* pszName;
        BOOL bSelected, bPressed, bEnabled, bChecked, bPopuped;
        int nBorder;          // -1: nothing drawn
        COLORREF clrTopFill;  // the first gradient colour, near the top; 0: a plain fill of colour 51
    };
    const Case cases[] = {
        {"open popup", 1, 0, 1, 0, 1, 43, RGB(227, 239, 255)},
        {"indeterminate", 0, 0, 1, 2, 0, 50, 0},
        {"checked", 0, 0, 1, 1, 0, 37, RGB(255, 213, 140)},
        {"checked hot", 1, 0, 1, 1, 0, 50, RGB(254, 142, 75)},
        {"pushed", 1, 1, 1, 0, 0, 50, RGB(254, 142, 75)},
        {"keyboard-pressed", 0, 2, 1, 0, 0, 50, RGB(254, 142, 75)},
        {"hot", 1, 0, 1, 0, 0, 32, RGB(255, 242, 200)},
        {"idle", 0, 0, 1, 0, 0, -1, 0},
        {"disabled keyboard-selected", 2, 0, 0, 0, 0, 50, RGB(255, 242, 200)},
        {"disabled keyboard-selected checked", 2, 0, 0, 1, 0, 50, RGB(254, 142, 75)},
        {"disabled checked", 0, 0, 0, 1, 0, 58, RGB(255, 213, 140)},
        {"disabled", 1, 0, 0, 0, 0, -1, 0},
    };
    for (const Case& c : cases) {
        Canvas dc(40, 40, kGround);
        theme.DrawRectangle(&dc.dc, CRect(0, 0, 40, 40), c.bSelected, c.bPressed, c.bEnabled, c.bChecked, c.bPopuped,
                            kitBarTypeNormal, kitBarTop);
        if (c.nBorder == -1) {
            EXPECT_EQ(kGround, dc.Pixel(0, 0)) << c.pszName;
            EXPECT_EQ(kGround, dc.Pixel(20, 20)) << c.pszName;
            continue;
        }
        EXPECT_EQ(theme.GetColor(c.nBorder), dc.Pixel(0, 0)) << c.pszName;
        const COLORREF clrTop = dc.Pixel(20, 1);
        const COLORREF clrWant = c.clrTopFill == 0 ? theme.GetColor(51) : c.clrTopFill;
        EXPECT_LE(std::abs(GetRValue(clrTop) - GetRValue(clrWant)) + std::abs(GetGValue(clrTop) - GetGValue(clrWant)) +
                      std::abs(GetBValue(clrTop) - GetBValue(clrWant)),
                  24)
            << c.pszName;
    }
}

TEST(KitOffice2003Theme, LowResolutionMakesToolBarAndDockPlainButtonFace)
{
    CTestOffice2003Theme normal(0);
    EXPECT_NE(static_cast<COLORREF>(normal.m_grcToolBar.clrLight), static_cast<COLORREF>(normal.m_grcToolBar.clrDark));

    const ScreenDepth depth(8);
    CTestOffice2003Theme theme(7);
    const COLORREF clrFace = theme.GetColor(COLOR_BTNFACE);
    for (const CKitPaintManagerColorGradient* pGradient :
         {&theme.m_grcToolBar, &theme.m_grcDock, &theme.m_grcPopupOpen, &theme.m_grcExpandButton}) {
        EXPECT_EQ(clrFace, static_cast<COLORREF>(pGradient->clrLight));
        EXPECT_EQ(clrFace, static_cast<COLORREF>(pGradient->clrDark));
    }
    EXPECT_FALSE(theme.IsSchemeColorsInForce());

    // A docked toolbar is then one colour from top to bottom.
    CKitToolBar toolbar;
    ASSERT_TRUE(toolbar.CreateEx(0, "STATIC", "", WS_POPUP, 0, 0, 80, 26, nullptr, 0));
    toolbar.SetPosition(kitBarTop);
    Canvas dc(80, 26, kGround);
    theme.FillCommandBarEntry(&dc.dc, &toolbar);
    EXPECT_EQ(clrFace, dc.Pixel(40, 1));
    EXPECT_EQ(clrFace, dc.Pixel(40, 23));
    toolbar.DestroyWindow();
}

TEST(KitOffice2003Theme, DockedToolBarsAreRoundedGradientsOverTheDock)
{
    CTestOffice2003Theme theme(1);
    CKitToolBar toolbar;
    ASSERT_TRUE(toolbar.CreateEx(0, "STATIC", "", WS_POPUP, 0, 0, 100, 26, nullptr, 0));
    toolbar.SetPosition(kitBarTop);
    CKitControl* pButton = toolbar.GetControls()->AddControl(new CKitControlButton());
    pButton->SetRect(CRect(10, 2, 30, 20));
    pButton->SetRowRect(CRect(4, 2, 98, 20));
    Canvas dc(100, 26, kGround);
    theme.FillCommandBarEntry(&dc.dc, &toolbar);
    // The three pixels at the left and the body's corners show the dock, which runs left to right.
    const COLORREF clrDock = dc.Pixel(1, 12);
    EXPECT_LE(std::abs(GetRValue(clrDock) - 158) + std::abs(GetBValue(clrDock) - 245), 4);
    EXPECT_NE(dc.Pixel(4, 1), dc.Pixel(3, 1));
    EXPECT_EQ(dc.Pixel(4, 2), dc.Pixel(3, 2));
    // The body: a gradient down to the first row's bottom, then its second colour, and the edge line.
    EXPECT_TRUE(IsVerticalGradient(dc, 50, 1, 19));
    EXPECT_EQ(RGB(129, 169, 226), dc.Pixel(50, 23));
    EXPECT_EQ(RGB(59, 97, 156), dc.Pixel(50, 25));
    EXPECT_EQ(RGB(59, 97, 156), dc.Pixel(5, 25));
    EXPECT_NE(RGB(59, 97, 156), dc.Pixel(4, 25));
    EXPECT_NE(RGB(59, 97, 156), dc.Pixel(98, 25));
    EXPECT_EQ(CRect(4, 2, 2, 2), theme.GetCommandBarBorders(&toolbar));
    toolbar.DestroyWindow();
}

TEST(KitOffice2003Theme, WrappedSeparatorsAreDrawnExceptOnFloatingBars)
{
    CTestOffice2003Theme theme(1);
    CKitToolBar toolbar;
    CKitControl* pControl = toolbar.GetControls()->AddControl(new CKitControlButton());
    pControl->SetRect(CRect(10, 30, 30, 50));
    pControl->SetRowRect(CRect(0, 30, 80, 50));
    pControl->SetWrap(TRUE);
    const COLORREF clrLine = theme.GetColor(39);
    const COLORREF clrLight = theme.GetColor(COLOR_BTNHIGHLIGHT);

    toolbar.SetPosition(kitBarTop);
    Canvas docked(80, 60, kGround);
    EXPECT_EQ(CSize(0, 0), theme.DrawCommandBarSeparator(&docked.dc, &toolbar, pControl, TRUE));
    // The line at the row's top - 4 from the inset, its highlight one row lower and one pixel further in.
    EXPECT_EQ(clrLine, docked.Pixel(4, 26));
    EXPECT_EQ(kGround, docked.Pixel(3, 26));
    EXPECT_EQ(clrLight, docked.Pixel(5, 27));
    EXPECT_EQ(kGround, docked.Pixel(4, 27));

    toolbar.SetPosition(kitBarFloating);
    Canvas floating(80, 60, kGround);
    theme.DrawCommandBarSeparator(&floating.dc, &toolbar, pControl, TRUE);
    EXPECT_EQ(80 * 60, floating.Count(CRect(0, 0, 80, 60), kGround));
    EXPECT_EQ(CSize(6, 0), theme.DrawCommandBarSeparator(nullptr, &toolbar, pControl, FALSE));

    // Not wrapped on a floating bar: the vertical line before the control, inset at both ends.
    pControl->SetWrap(FALSE);
    theme.DrawCommandBarSeparator(&floating.dc, &toolbar, pControl, TRUE);
    EXPECT_EQ(clrLine, floating.Pixel(6, 34));
    EXPECT_EQ(kGround, floating.Pixel(6, 33));
    EXPECT_EQ(kGround, floating.Pixel(6, 46));
    EXPECT_EQ(clrLight, floating.Pixel(7, 46));

    // One line only when asked.
    theme.m_bSingleSeparatorLine = TRUE;
    Canvas single(80, 60, kGround);
    theme.DrawCommandBarSeparator(&single.dc, &toolbar, pControl, TRUE);
    EXPECT_EQ(kGround, single.Pixel(7, 40));
}

TEST(KitOffice2003Theme, AFocusedDialogBarGripperShowsTheCheckedColours)
{
    CStandInDialogBar bar;
    ASSERT_TRUE(bar.CreateEx(0, "STATIC", "", WS_POPUP, 0, 0, 120, 60, nullptr, 0));
    bar.SetPosition(kitBarTop);
    struct Case {
        int nSystemTheme;
        BOOL bActive;
    };
    for (const Case& c : {Case{1, TRUE}, Case{0, TRUE}, Case{1, FALSE}}) {
        CTestOffice2003Theme theme(c.nSystemTheme);
        bar.SetDialogBarActive(c.bActive);
        Canvas dc(120, 60, kGround);
        const CSize sz = theme.DrawFloatingBarCaption(&dc.dc, &bar, TRUE);
        EXPECT_EQ(8, sz.cx);
        EXPECT_GE(sz.cy, 25);
        const COLORREF clrTop = dc.Pixel(60, 3);
        const COLORREF clrBottom = dc.Pixel(60, sz.cy - 1);
        if (c.bActive && c.nSystemTheme != 0) {
            EXPECT_EQ(RGB(255, 213, 140), clrTop);
            EXPECT_NE(clrTop, clrBottom);
        } else if (c.bActive) {
            EXPECT_EQ(theme.GetColor(36), clrTop);
            EXPECT_EQ(theme.GetColor(36), clrBottom);
        } else {
            EXPECT_EQ(RGB(221, 236, 254), clrTop);
        }
        // The gripper dots down the left: colour 38 over a window-coloured dot.
        EXPECT_EQ(theme.GetColor(38), dc.Pixel(5, 7));
        EXPECT_EQ(theme.GetColor(COLOR_WINDOW), dc.Pixel(7, 9));
        EXPECT_EQ(kGround, dc.Pixel(1, 1));
        // The gripper is at least 25 high, else the text height and 6.
        theme.SetTextHeight(10);
        EXPECT_EQ(CSize(8, 25), theme.DrawCommandBarGripper(nullptr, &bar, FALSE));
        theme.SetTextHeight(30);
        EXPECT_EQ(CSize(8, 36), theme.DrawCommandBarGripper(nullptr, &bar, FALSE));
    }
    bar.DestroyWindow();
}

TEST(KitOffice2003Theme, DockedGrippersAreDotsAlongTheBar)
{
    CTestOffice2003Theme theme(1);
    CKitToolBar toolbar;
    ASSERT_TRUE(toolbar.CreateEx(0, "STATIC", "", WS_POPUP, 0, 0, 60, 30, nullptr, 0));
    toolbar.SetPosition(kitBarTop);
    Canvas dc(60, 30, kGround);
    EXPECT_EQ(CSize(6, 0), theme.DrawFloatingBarCaption(&dc.dc, &toolbar, FALSE));
    EXPECT_EQ(CSize(0, 0), theme.DrawFloatingBarCaption(&dc.dc, &toolbar, TRUE));
    // Dots at (6, y - 3) for y = 8, 12, ... while y - 3 < height - 7.
    for (int y : {5, 9, 13, 17, 21}) {
        EXPECT_EQ(theme.GetColor(38), dc.Pixel(6, y)) << y;
        EXPECT_EQ(theme.GetColor(COLOR_WINDOW), dc.Pixel(8, y + 2)) << y;
    }
    EXPECT_EQ(kGround, dc.Pixel(6, 25));
    theme.m_bFlatGripper = TRUE;
    Canvas flat(60, 30, kGround);
    theme.DrawFloatingBarCaption(&flat.dc, &toolbar, TRUE);
    EXPECT_EQ(theme.GetColor(38), flat.Pixel(6, 5));
    EXPECT_EQ(kGround, flat.Pixel(8, 7));
    toolbar.SetPosition(kitBarLeft);
    EXPECT_EQ(CSize(0, 9), theme.DrawFloatingBarCaption(&dc.dc, &toolbar, FALSE));
    toolbar.DestroyWindow();
}

TEST(KitOffice2003Theme, TheGlyphIsABallTintedBetweenTheGlyphColours)
{
    CTestOffice2003Theme theme(1);
    ASSERT_EQ(1, theme.GetGlyphImage()->GetImageCount());
    Canvas dc(16, 16, kGround);
    theme.GetGlyphImage()->Draw(&dc.dc, 0, CPoint(0, 0), ILD_NORMAL);
    EXPECT_EQ(kGround, dc.Pixel(0, 0));
    EXPECT_EQ(kGround, dc.Pixel(15, 15));
    // Intensity 0 is the second colour; 252 lies one step from the first.
    EXPECT_EQ(RGB(129, 169, 226), dc.Pixel(13, 12));
    const COLORREF c = dc.Pixel(4, 1);
    EXPECT_EQ(RGB(129 + (227 - 129) * 252 / 255, 169 + (239 - 169) * 252 / 255, 226 + (254 - 226) * 252 / 255), c);
}

TEST(KitOffice2003Theme, FloatingBarsWithACaptionFillTheirRowsWithTheToolBarGradient)
{
    CTestOffice2003Theme theme(1);
    CKitToolBar toolbar;
    ASSERT_TRUE(toolbar.CreateEx(0, "STATIC", "", WS_POPUP, 0, 0, 100, 60, nullptr, 0));
    toolbar.SetPosition(kitBarFloating);
    CKitControl* pButton = toolbar.GetControls()->AddControl(new CKitControlButton());
    pButton->SetRect(CRect(4, 30, 30, 50));
    pButton->SetRowRect(CRect(2, 30, 98, 50));
    for (BYTE nOptions : {BYTE(0), BYTE(1)}) {
        toolbar.SetFloatingFrameOptions(nOptions);
        EXPECT_EQ(nOptions != 0, theme.IsFloatingBarCaption(&toolbar) != FALSE);
        Canvas dc(100, 60, kGround);
        theme.FillCommandBarEntry(&dc.dc, &toolbar);
        EXPECT_EQ(theme.GetColor(61), dc.Pixel(0, 30));
        EXPECT_EQ(theme.GetColor(61), dc.Pixel(1, 30));
        EXPECT_EQ(theme.GetColor(30), dc.Pixel(50, 5));
        // The row: the gradient's first colour at its top with a caption, else colour 30 (the Office XP fill).
        EXPECT_EQ(nOptions != 0 ? RGB(221, 236, 254) : theme.GetColor(30), dc.Pixel(50, 30)) << int(nOptions);
    }
    toolbar.DestroyWindow();
}

TEST(KitOffice2003Theme, ExpandButtonsTearOffStripsAndTheStatusBar)
{
    CTestOffice2003Theme theme(1);
    CKitToolBar toolbar;
    toolbar.SetPosition(kitBarTop);
    CKitControl* pExpand = toolbar.GetControls()->AddControl(new CKitControlButton());
    pExpand->SetRect(CRect(0, 0, 13, 24));
    const int c = 6;
    const int b = 24;
    struct Case {
        BOOL bHot, bOpen;
        COLORREF clrTop;
        int nGlyph;
    };
    for (const Case& k : {Case{FALSE, FALSE, RGB(117, 166, 241), 46}, Case{TRUE, FALSE, RGB(255, 242, 200), 45},
                          Case{TRUE, TRUE, RGB(254, 142, 75), 46}}) {
        pExpand->SetSelected(k.bHot);
        pExpand->SetPopuped(k.bOpen);
        Canvas dc(13, 24, kGround);
        EXPECT_EQ(CSize(0, 0), theme.DrawSpecialControl(&dc.dc, 0, pExpand, &toolbar, TRUE, 0));
        EXPECT_EQ(k.clrTop, dc.Pixel(0, 0));
        // The glyph's line, with its highlight one pixel right and down.
        EXPECT_EQ(theme.GetColor(k.nGlyph), dc.Pixel(c - 2, b - 10));
        EXPECT_EQ(theme.GetColor(COLOR_BTNHIGHLIGHT), dc.Pixel(c + 3, b - 9));
    }
    pExpand->SetPopuped(FALSE);

    // The popup's expand button: 18 high, the ball glyph left of the centre.
    CKitControl* pMore = toolbar.GetControls()->AddControl(new CKitControlButton());
    pMore->SetRect(CRect(0, 0, 60, 18));
    Canvas more(60, 18, kGround);
    EXPECT_EQ(CSize(0, 18), theme.DrawSpecialControl(&more.dc, 1, pMore, &toolbar, FALSE, 0));
    theme.DrawSpecialControl(&more.dc, 1, pMore, &toolbar, TRUE, 0);
    EXPECT_EQ(RGB(129, 169, 226), more.Pixel(30 - 7 + 13, 1 + 12));
    EXPECT_EQ(RGB(0, 0, 0), more.Pixel(28, 5));

    // The tear-off strip: the tear-off colour with dots of colour 38, each lit one pixel right and down.
    Canvas strip(100, 11, kGround);
    EXPECT_EQ(CSize(0, 9), theme.DrawTearOffGripper(&strip.dc, CRect(0, 0, 98, 9), FALSE, TRUE));
    EXPECT_EQ(RGB(169, 199, 240), strip.Pixel(5, 5));
    const int x0 = 2 + 96 / 2 - 32;
    EXPECT_EQ(theme.GetColor(38), strip.Pixel(x0, 6));
    EXPECT_EQ(theme.GetColor(COLOR_BTNHIGHLIGHT), strip.Pixel(x0 + 2, 8));

    // Without the themed status bar: panes framed in the pane border colour, a size grip of three groups of lines.
    theme.m_bThemedStatusBar = FALSE;
    Canvas status(40, 20, kGround);
    theme.DrawStatusBarPaneBorder(&status.dc, CRect(0, 0, 20, 20), nullptr, FALSE);
    EXPECT_EQ(RGB(211, 211, 211), status.Pixel(0, 10));
    EXPECT_EQ(RGB(211, 211, 211), status.Pixel(19, 10));
    theme.DrawStatusBarGripper(&status.dc, CRect(0, 0, 40, 20));
    const COLORREF clrShadow = theme.GetColor(COLOR_BTNSHADOW);
    const COLORREF clrLight = theme.GetColor(COLOR_BTNHIGHLIGHT);
    EXPECT_EQ(clrShadow, status.Pixel(37, 19));
    EXPECT_EQ(clrShadow, status.Pixel(35, 19));
    EXPECT_EQ(clrLight, status.Pixel(34, 19));
    EXPECT_EQ(kGround, status.Pixel(33, 19));
    EXPECT_EQ(clrShadow, status.Pixel(32, 19));
    EXPECT_EQ(clrShadow, status.Pixel(39, 17));
}

TEST(KitOffice2003Theme, DockWindowsShowTheDockGradientUnlessTheyAskForAPlainColour)
{
    CTestOffice2003Theme theme(1);
    for (DWORD dwStyle : {DWORD(0), DWORD(0x4100)}) {
        CWnd dock;
        ASSERT_TRUE(dock.CreateEx(0, "STATIC", "", WS_POPUP | dwStyle, 0, 0, 60, 20, nullptr, 0));
        // The dock bars ask through the painter interface.
        Canvas dc(60, 20, kGround);
        CKitBarPainter* pPainter = &theme;
        pPainter->FillDockBar(&dc.dc, &dock);
        if (dwStyle == 0) {
            EXPECT_EQ(RGB(158, 190, 245), dc.Pixel(0, 10));
            EXPECT_NE(dc.Pixel(0, 10), dc.Pixel(59, 10));
        } else {
            EXPECT_EQ(60 * 20, dc.Count(CRect(0, 0, 60, 20), RGB(196, 218, 250)));
        }
        dock.DestroyWindow();
    }
}

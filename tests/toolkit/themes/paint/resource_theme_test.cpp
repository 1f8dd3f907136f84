// The resource theme: its colours from the module's description, the status bar, message-bar buttons and
// workspace it draws, and the image set it empties when it goes.
#include "toolkit/themes/paint/resource_theme.h"

#include "resource_theme_support.h"
#include "toolkit/commandbars/command_bar.h"
#include "toolkit/commandbars/keyboard_tip.h"
#include "toolkit/commandbars/status_bar_pane.h"

#include "support/canvas.h"

#include "framework/wnd.h"

#include <gtest/gtest.h>

using namespace ThemeModuleColors;

namespace {

constexpr COLORREF kPaper = RGB(1, 150, 1);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kNone = CKitPaintManagerColor::kNone;

// A resource theme as the factory makes it, refreshed, released at the end.
class Theme {
public:
    Theme() : m_pTheme(static_cast<CKitResourceTheme*>(CKitPaintManager::CreateTheme(5)))
    {
        m_pTheme->RefreshMetrics();
    }
    ~Theme() { m_pTheme->InternalRelease(); }
    Theme(const Theme&) = delete;
    Theme& operator=(const Theme&) = delete;
    CKitResourceTheme* operator->() const { return m_pTheme; }
    CKitResourceTheme* Get() const { return m_pTheme; }

private:
    CKitResourceTheme* m_pTheme;
};

} // namespace

TEST(KitResourceTheme, ColoursComeFromTheDescriptionAndAMissingKeyStoresNone)
{
    ThemeModule module("Known.Values.Ini");
    Theme theme;
    EXPECT_TRUE(theme->IsKindOf(RUNTIME_CLASS(CKitResourceTheme)));
    EXPECT_EQ(5, theme->GetCurrentTheme());
    EXPECT_EQ(5, theme->GetThemeNumber());

    struct Case {
        const char* name;
        int nIndex;
        COLORREF clr;
    };
    const Case entries[] = {
        {"Toolbar/ToolbarFace", 30, RGB(10, 20, 30)},
        {"Toolbar/ToolbarSeparator", 39, RGB(100, 110, 120)},
        {"Window/ButtonFace", 51, RGB(130, 140, 150)},
        {"Window/HighlightCheckedBorder", 37, RGB(160, 170, 180)},
        {"the toolbar edge", 52, RGB(40, 50, 60)},
        {"fixed popup face", 41, RGB(246, 246, 246)},
        {"fixed black", 47, RGB(0, 0, 0)},
        {"fixed grey", 58, RGB(141, 141, 141)},
        {"missing Window/HighlightSelected", 31, kNone},
        {"missing Workspace/AppWorkspace", COLOR_APPWORKSPACE, kNone},
    };
    for (const Case& c : entries) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.clr, theme->GetColorEntry(c.nIndex).GetStandardColor());
    }
    EXPECT_EQ(RGB(70, 80, 90), theme->m_clrMenuBarText);
    EXPECT_EQ(RGB(4, 5, 6), theme->m_clrStatusBarShadow);
    EXPECT_EQ(RGB(7, 8, 9), static_cast<COLORREF>(theme->m_grcStatusBarTop.clrLight));
    EXPECT_EQ(RGB(10, 11, 12), static_cast<COLORREF>(theme->m_grcStatusBarTop.clrDark));
    EXPECT_EQ(kNone, static_cast<COLORREF>(theme->m_grcStatusBarBottom.clrLight));
    EXPECT_EQ(RGB(1, 2, 3), theme->m_clrText);
    EXPECT_EQ(kNone, theme->m_clrDisabledText);
    EXPECT_EQ(RGB(21, 22, 23), theme->m_clrMessageBarFrame);
    EXPECT_EQ(RGB(24, 25, 26), theme->m_clrMessageBar);
    EXPECT_TRUE(theme->IsSchemeColorsInForce());
    // The gallery painter reads its own keys.
    auto* pGallery = static_cast<CKitControlGalleryResourceTheme*>(theme->GetGalleryPaintManager());
    EXPECT_EQ(RGB(11, 12, 13), pGallery->m_clrSelected);
    EXPECT_EQ(kNone, pGallery->m_clrBorder);

    // A custom value stays over the standard value read.
    theme->GetColorEntry(30).SetCustomValue(RGB(99, 98, 97));
    theme->RefreshMetrics();
    EXPECT_EQ(RGB(99, 98, 97), theme->GetColor(30));
    EXPECT_EQ(RGB(10, 20, 30), theme->GetColorEntry(30).GetStandardColor());
}

TEST(KitResourceTheme, MenuBarTextOnlyForEnabledIdleMenuBarControls)
{
    ThemeModule module("Known.Values.Ini");
    Theme theme;
    const COLORREF clrMenuBar = RGB(70, 80, 90);
    struct Case {
        const char* name;
        BOOL bSelected, bPressed, bEnabled, bChecked, bPopuped;
        int nBarType;
        BOOL bMenuBarText;
    };
    const Case cases[] = {
        {"idle on the menu bar", FALSE, FALSE, TRUE, FALSE, FALSE, kitBarTypeMenuBar, TRUE},
        {"selected on the menu bar", TRUE, FALSE, TRUE, FALSE, FALSE, kitBarTypeMenuBar, FALSE},
        {"open on the menu bar", FALSE, FALSE, TRUE, FALSE, TRUE, kitBarTypeMenuBar, FALSE},
        {"disabled on the menu bar", FALSE, FALSE, FALSE, FALSE, FALSE, kitBarTypeMenuBar, FALSE},
        {"idle in a popup", FALSE, FALSE, TRUE, FALSE, FALSE, kitBarTypePopup, FALSE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const COLORREF clr = theme->GetControlStateTextColor(c.bSelected, c.bPressed, c.bEnabled, c.bChecked,
                                                             c.bPopuped, c.nBarType, kitBarTop);
        EXPECT_EQ(c.bMenuBarText, clr == clrMenuBar);
    }
}

TEST(KitResourceTheme, StatusBarShadowLineGradientsPaneLinesAndGripperDots)
{
    ThemeModule module("Known.Values.Ini");
    Theme theme;
    const COLORREF clrSeparator = RGB(100, 110, 120);

    // The gripper: rows k at B - 3 - 4k with 3 - k dots at R - 3 - 4j, each over a white one.
    Canvas canvas(40, 30, kPaper);
    const CRect rc(0, 0, 36, 26);
    theme->DrawStatusBarGripper(&canvas.dc, rc);
    for (int k = 0; k < 3; k++) {
        for (int j = 0; j <= 2 - k; j++) {
            const int x = rc.right - 3 - 4 * j;
            const int y = rc.bottom - 3 - 4 * k;
            EXPECT_EQ(clrSeparator, canvas.Pixel(x, y)) << j << "," << k;
            EXPECT_EQ(clrSeparator, canvas.Pixel(x + 1, y + 1)) << j << "," << k;
            EXPECT_EQ(kWhite, canvas.Pixel(x + 2, y + 2)) << j << "," << k;
        }
    }
    EXPECT_EQ(6 * 4, canvas.Count(CRect(0, 0, 40, 30), clrSeparator));
    EXPECT_EQ(6 * 3, canvas.Count(CRect(0, 0, 40, 30), kWhite));

    // Pane borders: two lines at the right edge, B - T - 2 long; none for the gripper pane.
    Canvas panes(40, 30, kPaper);
    CKitStatusBarPane pane;
    theme->DrawStatusBarPaneBorder(&panes.dc, CRect(2, 2, 20, 22), &pane, FALSE);
    theme->DrawStatusBarPaneBorder(&panes.dc, CRect(24, 2, 36, 22), &pane, TRUE);
    EXPECT_EQ(18, panes.Count(CRect(19, 0, 20, 30), clrSeparator));
    EXPECT_EQ(18, panes.Count(CRect(20, 0, 21, 30), kWhite));
    EXPECT_EQ(kPaper, panes.Pixel(19, 20));
    EXPECT_EQ(40 * 30 - 36, panes.Count(CRect(0, 0, 40, 30), kPaper));

    // The bar: the shadow line, the upper gradient under it; the lower gradient has no colours here.
    CWnd bar;
    ASSERT_TRUE(bar.CreateEx(0, "STATIC", "", WS_POPUP, 0, 0, 60, 22, nullptr, 0));
    Canvas face(60, 22, kPaper);
    theme->FillStatusBar(&face.dc, &bar);
    EXPECT_EQ(60, face.Count(CRect(0, 0, 60, 1), RGB(4, 5, 6)));
    EXPECT_TRUE(NearColor(RGB(7, 8, 9), face.Pixel(10, 1), 1));
    EXPECT_EQ(0, face.Count(CRect(0, 1, 60, 9), kPaper));
    EXPECT_EQ(60 * 13, face.Count(CRect(0, 9, 60, 22), kPaper));
    bar.DestroyWindow();
}

TEST(KitResourceTheme, MessageBarButtonsByStateAndTheCloseGlyphCentred)
{
    ThemeModule module("Known.Values.Ini");
    Theme theme;
    theme->GetColorEntry(31).SetCustomValue(RGB(255, 200, 100));
    theme->GetColorEntry(32).SetCustomValue(RGB(200, 100, 0));
    theme->GetColorEntry(33).SetCustomValue(RGB(250, 150, 50));
    theme->GetColorEntry(50).SetCustomValue(RGB(150, 50, 0));
    struct Case {
        const char* name;
        UINT nId;
        BOOL bHot, bPushed;
        COLORREF clrFill, clrFrame;
        BOOL bGlyph;
    };
    const Case cases[] = {
        {"idle button", 100, FALSE, FALSE, kWhite, RGB(21, 22, 23), FALSE},
        {"pushed button draws as idle", 100, FALSE, TRUE, kWhite, RGB(21, 22, 23), FALSE},
        {"hot button", 100, TRUE, FALSE, RGB(255, 200, 100), RGB(200, 100, 0), FALSE},
        {"idle close", SC_CLOSE, FALSE, FALSE, kPaper, kPaper, TRUE},
        {"hot close", SC_CLOSE, TRUE, FALSE, RGB(255, 200, 100), RGB(200, 100, 0), TRUE},
        {"pushed close", SC_CLOSE, TRUE, TRUE, RGB(250, 150, 50), RGB(150, 50, 0), TRUE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Canvas canvas(30, 30, kPaper);
        CKitMessageBarButton button;
        button.rc = CRect(2, 2, 21, 21);
        button.nId = c.nId;
        button.bHot = c.bHot;
        button.bPushed = c.bPushed;
        theme->DrawMessageBarButton(&canvas.dc, &button);
        EXPECT_EQ(c.clrFrame, canvas.Pixel(2, 2));
        EXPECT_EQ(c.clrFill, canvas.Pixel(4, 4));
        // The 11 x 11 glyph of the first state centred at (6, 6); its magenta corners left out.
        EXPECT_EQ(c.bGlyph ? 13 : 0, canvas.Count(CRect(6, 6, 17, 17), kCloseGlyph));
        EXPECT_EQ(c.bGlyph ? kCloseGlyph : c.clrFill, canvas.Pixel(8, 8));
        EXPECT_EQ(0, canvas.Count(CRect(0, 0, 30, 30), RGB(255, 0, 255)));
    }
}

TEST(KitResourceTheme, TheMessageBarFillsItsClientAndFramesItsMessageOnTheGradient)
{
    ThemeModule module("Known.Values.Ini");
    Theme theme;
    CKitMessageBarLayout bar;
    bar.rcClient = CRect(0, 0, 120, 30);
    bar.rcBorders = CRect(4, 3, 4, 3);
    bar.buttons.push_back(CKitMessageBarButton{CRect(100, 6, 116, 22), SC_CLOSE});
    Canvas canvas(120, 30, kPaper);
    theme->FillMessageBar(&canvas.dc, &bar);
    // The message (4, 3) - (98, 27) framed; the gradient runs from top to bottom inside.
    EXPECT_EQ(RGB(24, 25, 26), canvas.Pixel(1, 1));
    EXPECT_EQ(RGB(24, 25, 26), canvas.Pixel(100, 15));
    EXPECT_EQ(2 * (94 + 24) - 4, canvas.Count(CRect(0, 0, 120, 30), RGB(21, 22, 23)));
    EXPECT_TRUE(NearColor(RGB(250, 250, 200), canvas.Pixel(50, 4), 4));
    EXPECT_TRUE(NearColor(RGB(240, 230, 150), canvas.Pixel(50, 25), 8));
    EXPECT_EQ(0, canvas.Count(CRect(0, 0, 120, 30), kPaper));
}

TEST(KitResourceTheme, TheWorkspacePictureKeepsItsWidthClippedAndGradientsFillBelowIt)
{
    ThemeModule module("Known.Values.Ini");
    Theme theme;
    struct Case {
        const char* name;
        CRect rc;
        CRect rcExclude;
        int nPicture, nLastColumn;
    };
    // The picture is 40 x 12, its last column its own colour.
    const Case cases[] = {
        {"narrower than the picture", CRect(10, 5, 30, 65), CRect(0, 0, 0, 0), 20 * 12, 0},
        {"as wide as the picture", CRect(10, 5, 50, 65), CRect(0, 0, 0, 0), 39 * 12, 12},
        {"wider: the last column stretches", CRect(10, 5, 90, 65), CRect(0, 0, 0, 0), 39 * 12, 41 * 12},
        {"a rectangle left out", CRect(10, 5, 90, 65), CRect(10, 5, 20, 65), 29 * 12, 41 * 12},
        {"no taller than the picture", CRect(10, 5, 30, 15), CRect(0, 0, 0, 0), 20 * 10, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Canvas canvas(100, 80, kPaper);
        theme->FillWorkspace(&canvas.dc, c.rc, c.rcExclude);
        const CRect rcAll(0, 0, 100, 80);
        EXPECT_EQ(c.nPicture, canvas.Count(rcAll, kWorkspacePicture));
        EXPECT_EQ(c.nLastColumn, canvas.Count(rcAll, kWorkspaceLastColumn));
        // Nothing outside the workspace or in the part left out.
        CRect rcInside = c.rc;
        rcInside.IntersectRect(rcInside, rcAll);
        int nOutside = 100 * 80 - rcInside.Width() * rcInside.Height() + c.rcExclude.Width() * c.rcExclude.Height();
        EXPECT_EQ(nOutside, canvas.Count(rcAll, kPaper));
        if (c.rc.Height() > 12) {
            // Two thirds of what is below the picture go from the top colour to the middle one.
            const int y0 = c.rc.top + 12;
            const int y1 = y0 + 2 * (c.rc.bottom - y0) / 3;
            EXPECT_TRUE(NearColor(RGB(0, 0, 200), canvas.Pixel(c.rc.right - 1, y0), 8));
            EXPECT_TRUE(NearColor(RGB(0, 200, 0), canvas.Pixel(c.rc.right - 1, y1), 8));
            EXPECT_TRUE(NearColor(RGB(200, 0, 0), canvas.Pixel(c.rc.right - 1, c.rc.bottom - 1), 16));
        }
    }
}

TEST(KitResourceTheme, DestroyingTheThemeEmptiesTheImageSetAndAnotherThemeLoadsAgain)
{
    ThemeModule module;
    Theme second;
    CKitResourceImage* pFirstLoad = nullptr;
    {
        Theme first;
        pFirstLoad = first->LoadImage("WORKSPACETOPLEFT");
        ASSERT_NE(nullptr, pFirstLoad);
        EXPECT_EQ(pFirstLoad, second->LoadImage("WORKSPACETOPLEFT"));
        // Kept alive here so that a reload cannot take its address.
        pFirstLoad->InternalAddRef();
    }
    // The set gave up its reference: ours is the last.
    EXPECT_EQ(0u, pFirstLoad->InternalRelease());
    CKitResourceImage* pReloaded = second->LoadImage("WORKSPACETOPLEFT");
    ASSERT_NE(nullptr, pReloaded);
    EXPECT_EQ(CSize(40, 12), pReloaded->GetExtent());
    Canvas canvas(60, 20, kPaper);
    second->FillWorkspace(&canvas.dc, CRect(0, 0, 40, 12), CRect(0, 0, 0, 0));
    EXPECT_EQ(39 * 12, canvas.Count(CRect(0, 0, 60, 20), kWorkspacePicture));
}

TEST(KitResourceTheme, TheSubPaintersAreTheResourceOnesAndTheSettingsAreTheTheme)
{
    ThemeModule module;
    Theme theme;
    EXPECT_NE(nullptr, dynamic_cast<CKitControlGalleryResourceTheme*>(theme->GetGalleryPaintManager()));
    EXPECT_NE(nullptr, dynamic_cast<CKitSliderResourceTheme*>(theme->GetSliderPaintManager()));
    EXPECT_NE(nullptr, dynamic_cast<CKitProgressResourceTheme*>(theme->GetProgressPaintManager()));
    EXPECT_EQ(12, theme->GetProgressPaintManager()->GetProgressHeight());
    EXPECT_EQ(CKitResourceImages::Instance(), theme->GetImages());
    EXPECT_EQ(0, theme->m_nSystemTheme);
    EXPECT_TRUE(theme->m_bThemedStatusBar);
    EXPECT_EQ(1, theme->m_nCaptionSpacing);
}

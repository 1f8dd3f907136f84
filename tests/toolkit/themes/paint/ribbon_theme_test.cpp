// The ribbon theme: the factory's theme 6, its ribbon colours from the module's description, toolbar buttons,
// menu items and split buttons from the picture rows, and its fonts and metrics.
#include "toolkit/themes/paint/ribbon_theme.h"

#include "resource_theme_support.h"
#include "toolkit/commandbars/command_bar.h"
#include "toolkit/commandbars/command_bar_manager.h"
#include "toolkit/commandbars/control_combo.h"
#include "toolkit/commandbars/control_edit.h"
#include "toolkit/commandbars/controls.h"
#include "toolkit/commandbars/keyboard_tip.h"
#include "toolkit/commandbars/popup_bar.h"
#include "toolkit/commandbars/shadow_manager.h"
#include "toolkit/commandbars/status_bar_pane.h"
#include "toolkit/commandbars/toolbar.h"
#include "toolkit/themes/paint/frame_hook.h"
#include "toolkit/themes/paint/ribbon_system_frame_theme.h"
#include "toolkit/themes/ribbon/ribbon_group.h"

#include "support/canvas.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

constexpr COLORREF kPaper = RGB(1, 150, 1);
constexpr COLORREF kNone = CKitPaintManagerColor::kNone;

// Fills of the module's ribbon pictures (fixtures/ribbon_theme_pictures.rc): toolbar button rows (the large
// set's blue two higher), split command rows (arrow rows one bluer), menu items, the drop-down glyph.
constexpr COLORREF kButton22[4] = {RGB(255, 231, 162), RGB(251, 140, 60), RGB(255, 189, 105), RGB(254, 160, 90)};
constexpr COLORREF kButton50[4] = {RGB(255, 231, 164), RGB(251, 140, 62), RGB(255, 189, 107), RGB(254, 160, 92)};
constexpr COLORREF kSplit[6] = {RGB(255, 231, 162), RGB(251, 140, 60), RGB(255, 189, 105),
                                RGB(254, 160, 90),  RGB(255, 241, 200), RGB(255, 236, 181)};
constexpr COLORREF kMenuSelected = RGB(255, 236, 181);
constexpr COLORREF kMenuChecked[2] = {RGB(252, 241, 194), RGB(235, 235, 235)};
constexpr COLORREF kGlyphEnabled = RGB(21, 66, 139);
constexpr COLORREF kGlyphOpen = RGB(0, 0, 0);
constexpr COLORREF kGlyphDisabled = RGB(141, 141, 141);

COLORREF Bluer(COLORREF clr)
{
    return RGB(GetRValue(clr), GetGValue(clr), GetBValue(clr) + 1);
}

// A ribbon theme as the factory makes it, refreshed, released at the end.
class Theme {
public:
    Theme() : m_pTheme(static_cast<CKitRibbonTheme*>(CKitPaintManager::CreateTheme(CKitRibbonTheme::kThemeNumber)))
    {
        m_pTheme->RefreshMetrics();
    }
    ~Theme() { m_pTheme->InternalRelease(); }
    Theme(const Theme&) = delete;
    Theme& operator=(const Theme&) = delete;
    CKitRibbonTheme* operator->() const { return m_pTheme; }

private:
    CKitRibbonTheme* m_pTheme;
};

// The theme with the menu font the test gives.
class CMenuFontRibbonTheme : public CKitRibbonTheme {
public:
    LONG m_nMenuFontHeight = -12;

protected:
    void ReadNonClientMetrics(NONCLIENTMETRICSA& ncm) override
    {
        CKitRibbonTheme::ReadNonClientMetrics(ncm);
        ncm.lfMenuFont.lfHeight = m_nMenuFontHeight;
    }
};

} // namespace

TEST(KitRibbonTheme, FactoryMakesThemeSixOverTheResourceTheme)
{
    CKitPaintManager::SetTheme(6);
    CKitPaintManager* pm = CKitPaintManager::Instance();
    EXPECT_TRUE(pm->IsKindOf(RUNTIME_CLASS(CKitRibbonTheme)));
    EXPECT_TRUE(pm->IsKindOf(RUNTIME_CLASS(CKitResourceTheme)));
    EXPECT_EQ(6, pm->GetCurrentTheme());
    EXPECT_EQ(6, pm->GetThemeNumber());
    EXPECT_EQ(12, pm->m_nSplitButtonDropDownWidth);
    EXPECT_EQ(26, pm->m_nSplitButtonPopupWidth);
    EXPECT_EQ(22, pm->m_nSpareHeight);
    EXPECT_EQ(CRect(0, 0, 0, 1), pm->m_rcSpare);
    EXPECT_FALSE(pm->m_bKeepIconColumn);
    EXPECT_TRUE(pm->m_bClearTypeTextQuality);
    EXPECT_EQ(1u, pm->GetShadowManager()->GetFlags());
    CKitPaintManager::Done();

    // The bitmap frame painter, made with the theme, merges a status bar into the frame.
    CKitPaintManager* pTheme = CKitPaintManager::CreateTheme(6);
    EXPECT_TRUE(pTheme->GetFramePaintManager()->m_bFrameStatusBar);
    EXPECT_FALSE(pTheme->GetFramePaintManager()->m_bRoundedCornersAlways);
    EXPECT_EQ(nullptr, dynamic_cast<CKitRibbonSystemFrameTheme*>(pTheme->GetFramePaintManager()));
    pTheme->InternalRelease();
}

TEST(KitRibbonTheme, RibbonColoursFromTheDescriptionAndTheirDefaults)
{
    {
        ThemeModule module;
        Theme theme;
        struct Case {
            const char* name;
            int nIndex;
            COLORREF clr;
        };
        const Case entries[] = {
            {"Ribbon/GroupClientText", 46, RGB(21, 66, 139)},
            {"fixed grey after the group text", 60, RGB(141, 141, 141)},
            {"Ribbon/MenuPopupText", 44, RGB(0, 0, 1)},
            {"Ribbon/ControlHighlightText", 45, RGB(21, 66, 140)},
            {"fixed disabled mark", 35, RGB(167, 167, 167)},
            {"fixed popup border", 43, RGB(134, 134, 134)},
            {"fixed popup face", 41, RGB(250, 250, 250)},
            {"the resource theme's Toolbar/ToolbarFace", 30, RGB(191, 219, 255)},
        };
        for (const Case& c : entries) {
            SCOPED_TRACE(c.name);
            EXPECT_EQ(c.clr, theme->GetColorEntry(c.nIndex).GetStandardColor());
        }
        EXPECT_FALSE(theme->IsZeroGroupSpacing());
        EXPECT_EQ(RGB(234, 242, 251), theme->m_clrEditNormal);
        EXPECT_EQ(RGB(255, 255, 250), theme->m_clrEditSelected);
        EXPECT_EQ(RGB(21, 66, 139), theme->m_clrRibbonText);
        EXPECT_EQ(RGB(141, 141, 142), theme->m_clrRibbonGrayText);
        EXPECT_EQ(RGB(197, 197, 198), theme->m_clrPopupSeparator);
        EXPECT_EQ(RGB(197, 197, 199), theme->m_clrPopupGripperShadow);
        // Without its own key the disabled border is the edit border, colour 53.
        EXPECT_EQ(RGB(171, 193, 222), theme->m_clrEditDisabledBorder);
        EXPECT_EQ(RGB(233, 238, 238), static_cast<COLORREF>(theme->m_grcImageColumn.clrLight));
        EXPECT_EQ(RGB(233, 238, 238), static_cast<COLORREF>(theme->m_grcImageColumn.clrDark));
        EXPECT_EQ(RGB(214, 226, 242), static_cast<COLORREF>(theme->m_grcHiddenColumn.clrLight));
        EXPECT_EQ(RGB(204, 216, 232), static_cast<COLORREF>(theme->m_grcHiddenColumn.clrDark));
        EXPECT_EQ(RGB(233, 238, 238), static_cast<COLORREF>(theme->m_grcGlyph.clrDark));
        EXPECT_EQ(RGB(0, 0, 0), theme->GetShadowManager()->GetShadowColor());
        EXPECT_TRUE(theme->GetFramePaintManager()->m_bFrameStatusBar);
        EXPECT_FALSE(theme->GetFramePaintManager()->m_bRoundedCornersAlways);
    }
    {
        // A description with only the group spacing, 0.
        ThemeModule module("Known.Values.Ini");
        Theme theme;
        EXPECT_TRUE(theme->IsZeroGroupSpacing());
        // No group spacing: a rounded frame bottom and no status bar in the frame.
        EXPECT_FALSE(theme->GetFramePaintManager()->m_bFrameStatusBar);
        EXPECT_TRUE(theme->GetFramePaintManager()->m_bRoundedCornersAlways);
        EXPECT_EQ(kNone, theme->m_clrEditNormal);
        EXPECT_EQ(kNone, theme->m_clrRibbonText);
        EXPECT_EQ(kNone, theme->GetColorEntry(46).GetStandardColor());
        EXPECT_EQ(RGB(255, 255, 255), theme->m_clrEditSelected);
        EXPECT_EQ(RGB(141, 141, 141), theme->m_clrRibbonGrayText);
        EXPECT_EQ(RGB(197, 197, 197), theme->m_clrPopupSeparator);
        EXPECT_EQ(RGB(197, 197, 197), theme->m_clrPopupGripperShadow);
        EXPECT_EQ(kNone, theme->m_clrEditDisabledBorder);
    }
}

TEST(KitRibbonTheme, ToolbarButtonsTakeTheirPictureSetByHeightAndTheirRowByState)
{
    ThemeModule module;
    Theme theme;
    struct Case {
        const char* name;
        int nHeight;
        int nSelected, nPressed;
        BOOL bEnabled, bChecked, bPopuped;
        COLORREF clr;
    };
    const Case cases[] = {
        {"hot, 22 high", 22, 1, 0, TRUE, FALSE, FALSE, kButton22[0]},
        {"hot, 32 high: still the 22 set", 32, 1, 0, TRUE, FALSE, FALSE, kButton22[0]},
        {"hot, 33 high: the 50 set", 33, 1, 0, TRUE, FALSE, FALSE, kButton50[0]},
        {"idle: nothing", 22, 0, 0, TRUE, FALSE, FALSE, kPaper},
        {"disabled, hot by the mouse: nothing", 22, 1, 0, FALSE, FALSE, FALSE, kPaper},
        {"disabled, checked: nothing", 22, 0, 0, FALSE, TRUE, FALSE, kPaper},
        {"disabled, selected from the keyboard", 22, 2, 0, FALSE, FALSE, FALSE, kButton22[0]},
        {"checked, idle", 22, 0, 0, TRUE, TRUE, FALSE, kButton22[2]},
        {"checked, hot", 22, 1, 0, TRUE, TRUE, FALSE, kButton22[3]},
        {"checked, hot, 40 high", 40, 1, 0, TRUE, TRUE, FALSE, kButton50[3]},
        {"hot and pressed", 22, 1, 1, TRUE, FALSE, FALSE, kButton22[1]},
        {"checked, hot and pressed", 22, 1, 1, TRUE, TRUE, FALSE, kButton22[1]},
        {"pressed from the keyboard alone", 22, 0, 2, TRUE, FALSE, FALSE, kButton22[1]},
        {"pressed by the mouse alone", 22, 0, 1, TRUE, FALSE, FALSE, kButton22[0]},
        {"popped up", 22, 0, 0, TRUE, FALSE, TRUE, kButton22[2]},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (int nBarType : {kitBarTypeMenuBar, kitBarTypeNormal}) {
            Canvas canvas(50, 50, kPaper);
            const CRect rc(4, 4, 44, 4 + c.nHeight);
            theme->DrawRectangle(&canvas.dc, rc, c.nSelected, c.nPressed, c.bEnabled, c.bChecked, c.bPopuped,
                                 nBarType, kitBarTop);
            EXPECT_EQ(c.clr, canvas.Pixel(rc.CenterPoint().x, rc.CenterPoint().y)) << nBarType;
            // Stretched over the rectangle, nothing outside it.
            EXPECT_EQ(c.clr, canvas.Pixel(rc.right - 2, rc.bottom - 2)) << nBarType;
            EXPECT_EQ(kPaper, canvas.Pixel(rc.right, rc.bottom)) << nBarType;
        }
    }
}

TEST(KitRibbonTheme, MenuItemsTakeTheCheckedOrSelectedPicture)
{
    ThemeModule module;
    Theme theme;
    struct Case {
        const char* name;
        int nSelected;
        BOOL bEnabled, bChecked;
        COLORREF clr;
    };
    const Case cases[] = {
        {"selected", 1, TRUE, FALSE, kMenuSelected},
        {"idle", 0, TRUE, FALSE, kPaper},
        {"disabled, hot by the mouse", 1, FALSE, FALSE, kPaper},
        {"checked", 0, TRUE, TRUE, kMenuChecked[0]},
        {"checked, disabled", 0, FALSE, TRUE, kMenuChecked[1]},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Canvas canvas(60, 30, kPaper);
        const CRect rc(2, 2, 58, 24);
        theme->DrawRectangle(&canvas.dc, rc, c.nSelected, FALSE, c.bEnabled, c.bChecked, FALSE, kitBarTypePopup,
                             kitBarPopup);
        EXPECT_EQ(c.clr, canvas.Pixel(30, 13));
    }
}

TEST(KitRibbonTheme, SplitButtonPartsTakeTheirRowsFromTheButtonsState)
{
    ThemeModule module;
    Theme theme;
    constexpr int N = -1;
    struct Case {
        const char* name;
        int nSelected, nPressed, nEnabled;
        BOOL bChecked, bPopuped;
        int nCommandRow, nArrowRow;
    };
    const Case cases[] = {
        {"idle: neither part", 0, 0, 1, FALSE, FALSE, N, N},
        {"its drop-down hot", 5, 0, 1, FALSE, FALSE, 5, 0},
        {"its command part hot", 4, 0, 1, FALSE, FALSE, 0, 4},
        {"hot by the mouse", 1, 0, 1, FALSE, FALSE, 5, 4},
        {"hot and pressed", 1, 1, 1, FALSE, FALSE, 1, 0},
        {"popped up", 0, 0, 1, FALSE, TRUE, 5, 2},
        {"checked, idle", 0, 0, 1, TRUE, FALSE, 2, 2},
        {"checked, hot", 1, 0, 1, TRUE, FALSE, 3, 4},
        {"disabled, hot", 1, 0, 0, FALSE, FALSE, N, N},
        {"disabled, keyboard-selected", 2, 0, 0, FALSE, FALSE, 5, 4},
        {"command part disabled, hot", 1, 0, 5, FALSE, FALSE, 4, 4},
        {"drop-down disabled, hot", 1, 0, 4, FALSE, FALSE, 5, 3},
    };
    CKitToolBar bar;
    bar.SetPosition(kitBarTop);
    CKitControl* pSplit = bar.GetControls()->Add(kitControlSplitButtonPopup, 0);
    pSplit->SetStyle(kitButtonCaption);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        pSplit->SetSelected(c.nSelected);
        pSplit->SetPressed(c.nPressed);
        pSplit->SetEnabled(c.nEnabled);
        pSplit->SetChecked(c.bChecked);
        pSplit->SetPopuped(c.bPopuped);
        Canvas canvas(50, 30, kPaper);
        // The arrow part is the last 12 pixels: 28 to 40.
        theme->DrawSplitButtonFrame(&canvas.dc, pSplit, CRect(0, 0, 40, 22));
        EXPECT_EQ(c.nCommandRow == N ? kPaper : kSplit[c.nCommandRow], canvas.Pixel(10, 11));
        EXPECT_EQ(c.nArrowRow == N ? kPaper : Bluer(kSplit[c.nArrowRow]), canvas.Pixel(29, 4));
        // The arrow at (40 - 12 / 2 - 1, 11): disabled also when only the drop-down is; open when popped up.
        const bool bArrowEnabled = c.nEnabled != 0 && c.nEnabled != 4;
        const COLORREF clrArrow = !bArrowEnabled ? kGlyphDisabled : c.bPopuped ? kGlyphOpen : kGlyphEnabled;
        EXPECT_EQ(clrArrow, canvas.Pixel(33, 9));
    }
}

TEST(KitRibbonTheme, MenuFontSizeGivesTheFontTextHeightFixedSizeAndSplitWidth)
{
    struct Case {
        const char* name;
        LONG nMenuFontHeight;
        int nFontSize;
        LONG nFontHeight;
        int nTextHeight, nFixedSize, nSplitWidth;
    };
    const Case cases[] = {
        {"menu font -12: size 11", -12, 0, 13, 22, 22, 12},
        {"menu font 12: size 11", 12, 0, 13, 22, 22, 12},
        {"menu font -13", -13, 0, 16, 25, 26, 12},
        {"menu font -16", -16, 0, 20, 30, 32, 15},
        {"font size 14 over menu font -12", -12, 14, 17, 27, 28, 13},
        {"font size 11 leaves the menu font", -16, 11, 20, 30, 32, 15},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CMenuFontRibbonTheme theme;
        theme.m_nMenuFontHeight = c.nMenuFontHeight;
        theme.m_nFontHeight = c.nFontSize;
        theme.UpdateFonts();
        LOGFONTA lf = {};
        theme.GetRegularFont()->GetLogFont(&lf);
        EXPECT_EQ(c.nFontHeight, lf.lfHeight);
        EXPECT_EQ(FW_NORMAL, lf.lfWeight);
        EXPECT_EQ(c.nTextHeight, theme.GetTextHeight());
        EXPECT_EQ(c.nFixedSize, theme.m_nFixedControlSize);
        EXPECT_EQ(c.nSplitWidth, theme.m_nSplitButtonDropDownWidth);
        LOGFONTA lfBold = {};
        theme.GetIconBoldFont()->GetLogFont(&lfBold);
        EXPECT_EQ(c.nFontHeight, lfBold.lfHeight);
        EXPECT_EQ(FW_BOLD, lfBold.lfWeight);
    }
}

TEST(KitRibbonTheme, CaptionAndFieldColoursByBarAndState)
{
    ThemeModule module;
    Theme theme;
    const COLORREF clrMenuBar = RGB(21, 66, 139);
    // Menu bar, idle: the resource theme's menu-bar text; popups: 44 or 35; other bars: 46 or 60.
    EXPECT_EQ(clrMenuBar, theme->GetControlStateTextColor(FALSE, FALSE, TRUE, FALSE, FALSE, kitBarTypeMenuBar, 0));
    EXPECT_EQ(RGB(0, 0, 1), theme->GetControlStateTextColor(TRUE, FALSE, TRUE, FALSE, FALSE, kitBarTypePopup, 5));
    EXPECT_EQ(RGB(167, 167, 167),
              theme->GetControlStateTextColor(FALSE, FALSE, FALSE, FALSE, FALSE, kitBarTypePopup, 5));
    EXPECT_EQ(RGB(21, 66, 139), theme->GetControlStateTextColor(TRUE, FALSE, TRUE, FALSE, FALSE, kitBarTypeMenuBar, 0));
    EXPECT_EQ(RGB(141, 141, 141),
              theme->GetControlStateTextColor(FALSE, FALSE, FALSE, FALSE, FALSE, kitBarTypeNormal, 0));

    CKitToolBar bar;
    CKitControl* pEdit = bar.GetControls()->Add(kitControlEdit, 0);
    EXPECT_EQ(RGB(234, 242, 251), theme->GetControlEditBackColor(pEdit));
    pEdit->SetSelected(1);
    EXPECT_EQ(RGB(255, 255, 250), theme->GetControlEditBackColor(pEdit));
    pEdit->SetEnabled(0);
    EXPECT_EQ(theme->GetColor(COLOR_BTNFACE), theme->GetControlEditBackColor(pEdit));
}

TEST(KitRibbonTheme, MenusGetTheFramePictureAColumnWithItsShadowLineAndTwoLineSeparators)
{
    ThemeModule module;
    Theme theme;
    CKitPopupBar menu;
    ASSERT_TRUE(menu.CreateEx(0, "STATIC", "", WS_POPUP, 0, 0, 60, 50, nullptr, 0));
    CKitControl* pItem = menu.GetControls()->Add(kitControlButton, 0);
    pItem->SetRect(CRect(3, 20, 57, 42));
    pItem->SetRowRect(pItem->GetRect());

    Canvas canvas(60, 50, kPaper);
    theme->FillCommandBarEntry(&canvas.dc, &menu);
    EXPECT_EQ(RGB(134, 134, 134), canvas.Pixel(0, 0));
    EXPECT_EQ(RGB(250, 250, 250), canvas.Pixel(30, 25));
    EXPECT_EQ(RGB(134, 134, 134), canvas.Pixel(59, 49));

    // The image column's gradient, the gripper shadow line at its right edge and a light line beside it.
    theme->FillExpandedColumn(&canvas.dc, CRect(2, 2, 26, 48), FALSE);
    EXPECT_EQ(RGB(233, 238, 238), canvas.Pixel(10, 25));
    EXPECT_EQ(RGB(197, 197, 199), canvas.Pixel(25, 25));
    EXPECT_EQ(RGB(245, 245, 245), canvas.Pixel(26, 25));

    // A separator before the item: its colour over a light line.
    EXPECT_EQ(CSize(2, 2), theme->DrawCommandBarSeparator(&canvas.dc, &menu, pItem, TRUE));
    EXPECT_EQ(RGB(197, 197, 198), canvas.Pixel(40, 18));
    EXPECT_EQ(RGB(245, 245, 245), canvas.Pixel(40, 19));

    // A label's fill with a grey line along its bottom.
    theme->FillPopupLabelBackground(&canvas.dc, CRect(3, 30, 57, 40));
    EXPECT_EQ(theme->GetColor(56), canvas.Pixel(30, 35));
    EXPECT_EQ(RGB(197, 197, 197), canvas.Pixel(30, 39));
    menu.DestroyWindow();
}

TEST(KitRibbonTheme, AMenuWithoutItsFramePictureStillGetsAFace)
{
    Theme theme;
    CKitPopupBar menu;
    ASSERT_TRUE(menu.CreateEx(0, "STATIC", "", WS_POPUP, 0, 0, 60, 50, nullptr, 0));
    Canvas canvas(60, 50, kPaper);
    theme->FillCommandBarEntry(&canvas.dc, &menu);
    EXPECT_EQ(0, canvas.Count(CRect(0, 0, 60, 50), kPaper));
    menu.DestroyWindow();
}

TEST(KitRibbonTheme, PopupWindowsAndKeyboardTipsLoseTheirCornerPixels)
{
    Theme theme;
    auto isCutAtCorners = [](CWnd& wnd) {
        HRGN hRegion = ::CreateRectRgn(0, 0, 0, 0);
        const bool bRegion = ::GetWindowRgn(wnd.GetSafeHwnd(), hRegion) != ERROR;
        const bool bCut = bRegion && !::PtInRegion(hRegion, 0, 0) && !::PtInRegion(hRegion, 39, 0) &&
                          !::PtInRegion(hRegion, 0, 29) && !::PtInRegion(hRegion, 39, 29) &&
                          ::PtInRegion(hRegion, 1, 0) && ::PtInRegion(hRegion, 0, 1) && ::PtInRegion(hRegion, 38, 29);
        ::DeleteObject(hRegion);
        return bCut;
    };
    CKitPopupBar menu;
    ASSERT_TRUE(menu.CreateEx(0, "STATIC", "", WS_POPUP, 0, 0, 40, 30, nullptr, 0));
    theme->SetCommandBarRegion(&menu);
    EXPECT_TRUE(isCutAtCorners(menu));
    menu.DestroyWindow();

    // Only popup bars at the popup position.
    CKitToolBar bar;
    bar.SetPosition(kitBarTop);
    ASSERT_TRUE(bar.CreateEx(0, "STATIC", "", WS_POPUP, 0, 0, 40, 30, nullptr, 0));
    theme->SetCommandBarRegion(&bar);
    HRGN hRegion = ::CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(ERROR, ::GetWindowRgn(bar.GetSafeHwnd(), hRegion));
    ::DeleteObject(hRegion);
    bar.DestroyWindow();

    CKitCommandBarKeyboardTip tip;
    ASSERT_TRUE(tip.CreateEx(0, "STATIC", "", WS_POPUP, 0, 0, 40, 30, nullptr, 0));
    theme->DrawKeyboardTip(nullptr, &tip, TRUE);
    EXPECT_TRUE(isCutAtCorners(tip));
    tip.DestroyWindow();
}

TEST(KitRibbonTheme, CheckMarksAndDotsFromTheMarkPictureOrTheBaseDrawingWithoutIt)
{
    Theme theme;
    // The mark picture's rows: check enabled, check disabled, dot enabled, dot disabled (16 x 16, centred).
    struct Case {
        const char* name;
        bool bDot;
        BOOL bEnabled;
        COLORREF clr;
    };
    const Case cases[] = {
        {"check", false, TRUE, kGlyphEnabled},
        {"disabled check", false, FALSE, kGlyphDisabled},
        {"dot", true, TRUE, kGlyphEnabled},
        {"disabled dot", true, FALSE, kGlyphDisabled},
    };
    const CRect rc(0, 0, 24, 24);
    {
        ThemeModule module;
        for (const Case& c : cases) {
            SCOPED_TRACE(c.name);
            Canvas canvas(24, 24, kPaper);
            if (c.bDot)
                theme->DrawSmoothDot(&canvas.dc, rc, c.bEnabled ? RGB(0, 0, 0) : 40);
            else
                theme->DrawCheckMark(&canvas.dc, rc, c.bEnabled, RGB(0, 0, 0));
            // The picture's (7, 9) and (4, 8) are on the check, (6..9, 6..9) the dot; magenta stays out.
            EXPECT_EQ(c.clr, canvas.Pixel(4 + (c.bDot ? 6 : 4), 4 + 8));
            EXPECT_EQ(kPaper, canvas.Pixel(4, 4));
            EXPECT_EQ(0, canvas.Count(rc, RGB(255, 0, 255)));
        }
    }
    // No module: the base's black tick.
    Canvas canvas(24, 24, kPaper);
    theme->DrawCheckMark(&canvas.dc, rc, TRUE, RGB(0, 0, 0));
    EXPECT_GT(canvas.Count(rc, RGB(0, 0, 0)), 0);
}

TEST(KitRibbonTheme, StatusBarSwitchesMeasureTheirEndsOnePixelWider)
{
    Theme theme;
    CKitStatusBarSwitchPane pane;
    pane.m_switches.resize(3);
    EXPECT_EQ(19 + 18 + 19, theme->DrawStatusBarSwitches(nullptr, CRect(), &pane));
    EXPECT_EQ(19, pane.m_switches[0].nWidth);
    EXPECT_EQ(18, pane.m_switches[1].nWidth);
    EXPECT_EQ(19, pane.m_switches[2].nWidth);
    pane.m_switches.resize(1);
    EXPECT_EQ(19, theme->DrawStatusBarSwitches(nullptr, CRect(), &pane));
}

TEST(KitRibbonTheme, ComboBoxesFillAndFrameTheirFieldAndTakeTheirButtonRowByState)
{
    ThemeModule module;
    Theme theme;
    // The drop-down picture's rows: idle, mouse hot, keyboard hot or pressed, dropped, disabled.
    const COLORREF kCombo[5] = {RGB(221, 231, 246), RGB(255, 231, 161), RGB(255, 220, 141), RGB(251, 186, 97),
                                RGB(236, 236, 237)};
    const COLORREF clrBorder = RGB(171, 193, 222);
    CKitToolBar toolbar;
    auto* pCombo = static_cast<CKitControlComboBox*>(toolbar.GetControls()->AddControl(new CKitControlComboBox()));
    pCombo->SetWidth(100);
    pCombo->SetRect(CRect(0, 0, 100, 22));
    const int nLabel = pCombo->GetLabelWidth();
    const int nButtonLeft = 100 - pCombo->GetDropDownWidth();
    struct Case {
        const char* name;
        int nSelected, nPressed;
        BOOL bEnabled, bDropped;
        COLORREF clrField;
        int nRow;
    };
    const Case cases[] = {
        {"idle", 0, 0, TRUE, FALSE, RGB(234, 242, 251), 0},
        {"hot by the mouse", 1, 0, TRUE, FALSE, RGB(255, 255, 250), 1},
        {"hot from the keyboard", 2, 0, TRUE, FALSE, RGB(255, 255, 250), 2},
        {"pressed", 1, 1, TRUE, FALSE, RGB(255, 255, 250), 2},
        {"dropped", 0, 0, TRUE, TRUE, RGB(234, 242, 251), 3},
        {"disabled", 0, 0, FALSE, FALSE, theme->GetColor(COLOR_BTNFACE), 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        pCombo->SetSelected(c.nSelected);
        pCombo->SetPressed(c.nPressed);
        pCombo->SetEnabled(c.bEnabled);
        pCombo->SetPopuped(c.bDropped);
        Canvas canvas(100, 22, kPaper);
        theme->DrawControl(&canvas.dc, pCombo, TRUE);
        EXPECT_EQ(clrBorder, canvas.Pixel(nLabel, 0));
        EXPECT_EQ(clrBorder, canvas.Pixel(nButtonLeft - 1, 21));
        EXPECT_EQ(c.clrField, canvas.Pixel(nLabel + 2, 2));
        EXPECT_EQ(kCombo[c.nRow], canvas.Pixel(nButtonLeft + 3, 11));
    }
}

TEST(KitRibbonTheme, TheExpandButtonTakesTheLastTwelvePixelsAndItsPictureRowByState)
{
    ThemeModule module;
    Theme theme;
    CKitToolBar bar;
    bar.SetPosition(kitBarTop);
    CKitControl* pExpand = bar.GetControls()->Add(kitControlButton, 0);
    SIZE sz = {100, 22};
    theme->DrawSpecialControl(nullptr, 0, pExpand, &bar, FALSE, reinterpret_cast<LPARAM>(&sz));
    EXPECT_EQ(CRect(88, 0, 100, 22), pExpand->GetRect());

    // Idle, hot and open rows differ; the glyph is drawn over them.
    COLORREF clrRows[3] = {};
    for (int nState = 0; nState < 3; nState++) {
        pExpand->SetSelected(nState == 1);
        pExpand->SetPopuped(nState == 2);
        Canvas canvas(100, 22, kPaper);
        theme->DrawSpecialControl(&canvas.dc, 0, pExpand, &bar, TRUE, 0);
        clrRows[nState] = canvas.Pixel(90, 4);
        EXPECT_NE(kPaper, clrRows[nState]) << nState;
        EXPECT_EQ(kPaper, canvas.Pixel(87, 4)) << nState;
        EXPECT_GT(canvas.Count(CRect(88, 0, 100, 22), theme->GetColor(COLOR_BTNHIGHLIGHT)), 0) << nState;
    }
    EXPECT_NE(clrRows[0], clrRows[1]);
    EXPECT_NE(clrRows[1], clrRows[2]);

    // A vertical bar: the bottom 12 pixels.
    bar.SetPosition(kitBarLeft);
    sz = {22, 100};
    theme->DrawSpecialControl(nullptr, 0, pExpand, &bar, FALSE, reinterpret_cast<LPARAM>(&sz));
    EXPECT_EQ(CRect(0, 88, 22, 100), pExpand->GetRect());
}

TEST(KitRibbonTheme, EditSpinButtonsTakeTheirRowsFromThePartUnderTheMouseOrPressed)
{
    ThemeModule module;
    Theme theme;
    auto spinRow = [](int nRow) { return RGB(30 + 10 * nRow, 120, 60); };
    CKitToolBar toolbar;
    auto* pEdit = static_cast<CKitControlEdit*>(toolbar.GetControls()->Add(kitControlEdit, 0));
    pEdit->ShowSpinButtons(TRUE);
    pEdit->SetRect(CRect(0, 0, 100, 22));
    struct Case {
        const char* name;
        int nSelected, nPressed;
        BOOL bEnabled;
        int nUpper, nLower;
    };
    const Case cases[] = {
        {"idle", 0, 0, TRUE, 0, 5},
        {"hot elsewhere on the edit", 1, 0, TRUE, 1, 6},
        {"upper button hot", kitEditSpinUp, 0, TRUE, 2, 6},
        {"lower button hot", kitEditSpinDown, 0, TRUE, 1, 7},
        {"upper button pressed", kitEditSpinUp, kitEditSpinUp, TRUE, 3, 6},
        {"lower button pressed", kitEditSpinDown, kitEditSpinDown, TRUE, 1, 8},
        {"disabled", 0, 0, FALSE, 4, 9},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        pEdit->SetSelected(c.nSelected);
        pEdit->SetPressed(c.nPressed);
        pEdit->SetEnabled(c.bEnabled);
        Canvas canvas(100, 22, kPaper);
        theme->DrawControl(&canvas.dc, pEdit, TRUE);
        // The buttons stand from 82 to 99, the upper one from 1 to 11, the lower one from 11 to 21.
        EXPECT_EQ(spinRow(c.nUpper), canvas.Pixel(83, 2));
        EXPECT_EQ(spinRow(c.nLower), canvas.Pixel(83, 19));
        EXPECT_EQ(RGB(171, 193, 222), canvas.Pixel(99, 0));
    }
}

TEST(KitRibbonTheme, ControlsOfAJoinedRowTakeItsPictures)
{
    ThemeModule module;
    Theme theme;
    // Row r of the joined-row pictures: left 0, centre 1, drop-down centre 2, drop-down right 3, single 4.
    auto special = [](int nPicture, int nRow) { return RGB(100 + 20 * nRow, 40 + nPicture, 200); };
    CKitToolBar bar;
    bar.SetPosition(kitBarTop);
    CKitControl* pSplit = bar.GetControls()->Add(kitControlSplitButtonPopup, 0);
    CKitControl* pNext = bar.GetControls()->Add(kitControlButton, 0);
    CKitControl* pLast = bar.GetControls()->Add(kitControlButton, 0);
    auto* pGroup = new CKitRibbonGroup();
    pGroup->SetControlsGrouping(TRUE);
    for (CKitControl* pControl : {pSplit, pNext, pLast})
        pGroup->Add(pControl);
    // Large style is not taken in a joined row.
    pSplit->SetStyle(kitButtonIconAndCaptionBelow);
    struct Case {
        const char* name;
        BOOL bBeginsGroup, bNextBeginsGroup;
        int nSelected;
        COLORREF clrCommand, clrArrow;
    };
    const Case cases[] = {
        {"a lone split, idle: both parts in row 0", TRUE, TRUE, 0, special(0, 0), special(3, 0)},
        {"its drop-down hot: rows 6 and 1", TRUE, TRUE, 5, special(0, 6), special(3, 1)},
        {"inside a row", FALSE, FALSE, 0, special(1, 0), special(2, 0)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        pSplit->SetBeginGroup(c.bBeginsGroup);
        pNext->SetBeginGroup(c.bNextBeginsGroup);
        pSplit->SetSelected(c.nSelected);
        Canvas canvas(50, 30, kPaper);
        theme->DrawSplitButtonFrame(&canvas.dc, pSplit, CRect(0, 0, 40, 22));
        EXPECT_EQ(c.clrCommand, canvas.Pixel(10, 11));
        EXPECT_EQ(c.clrArrow, canvas.Pixel(29, 4));
    }
    pSplit->SetSelected(0);

    // A button of the row is the ribbon painter's: a lone one takes its single picture; outside the row the
    // button gets the toolbar picture.
    pLast->SetBeginGroup(TRUE);
    pLast->SetSelected(1);
    pLast->SetRect(CRect(0, 0, 40, 22));
    Canvas joined(50, 30, kPaper);
    theme->DrawControlEntry(&joined.dc, pLast);
    EXPECT_EQ(special(4, 1), joined.Pixel(20, 11));
    pGroup->SetControlsGrouping(FALSE);
    Canvas plain(50, 30, kPaper);
    theme->DrawControlEntry(&plain.dc, pLast);
    EXPECT_EQ(kButton22[0], plain.Pixel(20, 11));
    pGroup->RemoveAll();
    pGroup->InternalRelease();
}

TEST(KitRibbonTheme, BarsOverACompositedFrameLetTheGlassThroughAndShowDotsForAGripper)
{
    ThemeModule module;
    Theme theme;
    CWnd frame;
    ASSERT_TRUE(frame.CreateEx(0, "STATIC", "", WS_POPUP, 0, 0, 300, 200, nullptr, 0));
    CKitCommandBarManager manager;
    manager.SetSite(&frame);
    auto* pBar = new CKitToolBar();
    manager.AddCommandBar(pBar);
    pBar->SetPosition(kitBarTop);
    pBar->CreateBar(&frame);
    pBar->MoveWindow(0, 0, 200, 30);
    {
        CKitFrameHook hook(&frame, nullptr, &manager);
        EXPECT_EQ(&hook, manager.GetFrameHook());
        struct Case {
            const char* name;
            BOOL bComposited, bGlassOverTopDock;
            int nPosition;
            bool bGlass;
        };
        const Case cases[] = {
            {"composited, glass over the top dock", TRUE, TRUE, kitBarTop, true},
            {"not composited", FALSE, TRUE, kitBarTop, false},
            {"no glass over the top dock", TRUE, FALSE, kitBarTop, false},
            {"docked at the bottom", TRUE, TRUE, kitBarBottom, false},
        };
        for (const Case& c : cases) {
            SCOPED_TRACE(c.name);
            hook.SetComposited(c.bComposited);
            hook.SetGlassOverTopDock(c.bGlassOverTopDock);
            pBar->SetPosition(c.nPosition);
            EXPECT_EQ(c.bComposited && c.bGlassOverTopDock, manager.TestOptionFlags());
            Canvas canvas(200, 30, kPaper);
            theme->FillCommandBarEntry(&canvas.dc, pBar);
            EXPECT_EQ(c.bGlass ? 200 * 30 : 0, canvas.Count(CRect(0, 0, 200, 30), RGB(0, 0, 0)));
            const CSize szGripper = theme->DrawFloatingBarCaption(&canvas.dc, pBar, TRUE);
            if (c.bGlass) {
                // Dots from y = 8 while y + 1 < 30 - 7: a square in colour 38 over one in the window colour.
                EXPECT_EQ(CSize(0, 0), szGripper);
                for (int y = 8; y < 22; y += 4) {
                    EXPECT_EQ(theme->GetColor(38), canvas.Pixel(6, y - 3)) << y;
                    EXPECT_EQ(theme->GetColor(COLOR_WINDOW), canvas.Pixel(8, y - 1)) << y;
                }
                EXPECT_EQ(RGB(0, 0, 0), canvas.Pixel(6, 21));
            }
        }
    }
    EXPECT_EQ(nullptr, manager.GetFrameHook());
    EXPECT_FALSE(manager.TestOptionFlags());

    // An edit on the glass is made opaque where its field is, and only there.
    CKitFrameHook hook(&frame, nullptr, &manager);
    hook.SetComposited(TRUE);
    hook.SetGlassOverTopDock(TRUE);
    pBar->SetPosition(kitBarTop);
    CKitControl* pEdit = pBar->GetControls()->Add(kitControlEdit, 0);
    pEdit->SetRect(CRect(20, 4, 120, 26));
    Canvas glass(200, 30, RGB(0, 0, 0));
    DIBSECTION dib = {};
    ASSERT_NE(0, ::GetObject(glass.Bitmap(), sizeof(dib), &dib));
    // Every pixel transparent black to begin with.
    auto* pBits = static_cast<DWORD*>(dib.dsBm.bmBits);
    ::GdiFlush();
    std::fill(pBits, pBits + 200 * 30, 0u);
    theme->DrawControl(&glass.dc, pEdit, TRUE);
    ::GdiFlush();
    auto alpha = [pBits](int x, int y) { return pBits[y * 200 + x] >> 24; };
    EXPECT_EQ(255u, alpha(21, 5));
    EXPECT_EQ(255u, alpha(119, 25));
    EXPECT_EQ(0u, alpha(10, 5));
    EXPECT_EQ(0u, alpha(150, 5));
    manager.RemoveAll();
    frame.DestroyWindow();
}

// The native theme: classic drawing without visual styles, the style's parts and states through the tests' stand-in
// library, the flat-menu colour, and popup items under the light style Wine activates in the test prefix.
#include "toolkit/themes/paint/native_xp_theme.h"

#include "kit_test_module.h"
#include "support/canvas.h"
#include "support/window_screenshot.h"
#include "toolkit/commandbars/command_bar.h"
#include "toolkit/commandbars/control.h"
#include "toolkit/commandbars/control_combo.h"
#include "toolkit/commandbars/control_edit.h"
#include "toolkit/commandbars/controls.h"
#include "toolkit/commandbars/dock_bar.h"
#include "toolkit/commandbars/menu_bar.h"
#include "toolkit/commandbars/popup_bar.h"
#include "toolkit/commandbars/shadow_manager.h"

#include <gtest/gtest.h>

#include <vsstyle.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace {

// A library that is not there: every visual-style call fails.
constexpr char kMissingLibrary[] = "kit_no_such_theme.dll";
// The tests' stand-in library beside the program: it opens every class, records what it draws and lacks
// GetThemeInt and GetThemeSysBool.
constexpr char kStandInLibrary[] = "kit_test_module.dll";
constexpr COLORREF kGround = RGB(1, 150, 1);
// Standard values put over the system's, so that colour 29 and colour 13 are told apart.
constexpr COLORREF kMenuHighlight = RGB(201, 11, 12);
constexpr COLORREF kHighlight = RGB(13, 14, 215);

// The native theme over a chosen library, with the system's flat-menu setting given by the test.
class CTestNativeTheme : public CKitNativeXPTheme {
public:
    explicit CTestNativeTheme(LPCSTR lpszLibrary, BOOL bSystemFlatMenu = TRUE)
        : CKitNativeXPTheme(lpszLibrary), m_bSystemFlatMenu(bSystemFlatMenu)
    {
        InternalAddRef();
    }

    void RefreshStandardColors() override
    {
        CKitNativeXPTheme::RefreshStandardColors();
        const int indices[] = {COLOR_MENUHILIGHT, COLOR_HIGHLIGHT};
        const COLORREF colors[] = {kMenuHighlight, kHighlight};
        SetColors(2, indices, colors);
    }

protected:
    BOOL ReadSystemFlatMenu() override { return m_bSystemFlatMenu; }

private:
    BOOL m_bSystemFlatMenu;
};

// The stand-in's record of calls, cleared.
class StandInLog {
public:
    StandInLog() : m_module(::LoadLibraryA(kStandInLibrary))
    {
        auto calls = reinterpret_cast<KitTestThemeCallsFn>(::GetProcAddress(m_module, "KitTestThemeCalls"));
        m_log = calls != nullptr ? calls() : nullptr;
        Clear();
    }
    ~StandInLog() { ::FreeLibrary(m_module); }
    StandInLog(const StandInLog&) = delete;
    StandInLog& operator=(const StandInLog&) = delete;

    bool IsLoaded() const { return m_log != nullptr; }
    void Clear()
    {
        if (m_log != nullptr)
            *m_log = KitTestThemeLog();
    }
    const KitTestThemeLog& operator*() const { return *m_log; }
    const KitTestThemeLog* operator->() const { return m_log; }

private:
    HMODULE m_module;
    KitTestThemeLog* m_log = nullptr;
};

CKitControl* Add(CKitCommandBar& bar, CKitControl* pControl, LPCSTR lpszCaption, CRect rc)
{
    bar.GetControls()->AddControl(pControl);
    pControl->SetCaption(lpszCaption);
    pControl->SetRect(rc);
    pControl->SetRowRect(rc);
    return pControl;
}

// Paints the bar, its gripper, separators and controls as the bar's own painting does.
void PaintBar(CKitPaintManager& theme, CKitCommandBar& bar, CDC* pDC)
{
    theme.FillCommandBarEntry(pDC, &bar);
    theme.DrawFloatingBarCaption(pDC, &bar, TRUE);
    for (int i = 0; i < bar.GetControlCount(); i++) {
        CKitControl* pControl = bar.GetControl(i);
        if (pControl->GetBeginGroup())
            theme.DrawCommandBarSeparator(pDC, &bar, pControl, TRUE);
        theme.DrawControl(pDC, pControl, TRUE);
    }
}

// Bars that show every kind of drawing the classic theme does: states, checks, splits, fields and separators.
struct Scene {
    CKitToolBar toolbar;
    CKitToolBar leftBar;
    CKitPopupBar popup;

    Scene()
    {
        EXPECT_TRUE(toolbar.CreateEx(0, "STATIC", "", WS_POPUP, 0, 0, 400, 28, nullptr, 0));
        EXPECT_TRUE(leftBar.CreateEx(0, "STATIC", "", WS_POPUP, 0, 0, 28, 120, nullptr, 0));
        EXPECT_TRUE(popup.CreateEx(0, "STATIC", "", WS_POPUP, 0, 0, 200, 200, nullptr, 0));
        toolbar.SetPosition(kitBarTop);
        leftBar.SetPosition(kitBarLeft);
        popup.SetPosition(kitBarPopup);

        Add(toolbar, new CKitControlButton(), "&New", CRect(10, 3, 50, 25))->SetSelected(1);
        CKitControl* pPressed = Add(toolbar, new CKitControlButton(), "Open", CRect(50, 3, 90, 25));
        pPressed->SetSelected(1);
        pPressed->SetPressed(1);
        Add(toolbar, new CKitControlButton(), "Bold", CRect(96, 3, 130, 25))->SetChecked(1);
        toolbar.GetControl(2)->SetBeginGroup(TRUE);
        Add(toolbar, new CKitControlButton(), "Off", CRect(130, 3, 160, 25))->SetEnabled(FALSE);
        CKitControl* pSplit =
            Add(toolbar, new CKitControlPopup(kitControlSplitButtonPopup), "Undo", CRect(160, 3, 210, 25));
        pSplit->SetSelected(1);
        auto* pCombo = static_cast<CKitControlComboBox*>(
            Add(toolbar, new CKitControlComboBox(), "Find", CRect(212, 3, 300, 25)));
        pCombo->SetSelected(1);
        auto* pEdit = static_cast<CKitControlEdit*>(Add(toolbar, new CKitControlEdit(), "", CRect(302, 3, 380, 25)));
        pEdit->ShowSpinButtons(TRUE);
        pEdit->SetSelected(4);

        Add(leftBar, new CKitControlButton(), "Cut", CRect(3, 10, 25, 32));
        Add(leftBar, new CKitControlButton(), "Copy", CRect(3, 40, 25, 62))->SetBeginGroup(TRUE);

        Add(popup, new CKitControlButton(), "&Save", CRect(3, 3, 197, 25))->SetSelected(1);
        Add(popup, new CKitControlButton(), "Ruler", CRect(3, 25, 197, 47))->SetChecked(1);
        Add(popup, new CKitControl(kitControlRadioButton), "Wide", CRect(3, 47, 197, 69))->SetChecked(1);
        Add(popup, new CKitControlPopup(), "Recent", CRect(3, 77, 197, 99))->SetBeginGroup(TRUE);
        Add(popup, new CKitControlPopup(kitControlSplitButtonPopup), "Zoom", CRect(3, 99, 197, 121))
            ->SetSelected(1);
        Add(popup, new CKitControlButton(), "Print", CRect(3, 121, 197, 143))->SetEnabled(FALSE);
    }
    ~Scene()
    {
        toolbar.DestroyWindow();
        leftBar.DestroyWindow();
        popup.DestroyWindow();
    }

    // The three bars painted side by side on one canvas.
    std::vector<COLORREF> Paint(CKitPaintManager& theme)
    {
        Canvas dc(640, 200, kGround);
        PaintBar(theme, toolbar, &dc.dc);
        ::SetViewportOrgEx(dc.dc.m_hDC, 400, 0, nullptr);
        PaintBar(theme, leftBar, &dc.dc);
        ::SetViewportOrgEx(dc.dc.m_hDC, 430, 0, nullptr);
        PaintBar(theme, popup, &dc.dc);
        ::SetViewportOrgEx(dc.dc.m_hDC, 0, 0, nullptr);
        std::vector<COLORREF> pixels;
        for (int y = 0; y < dc.Height(); y++)
            for (int x = 0; x < dc.Width(); x++)
                pixels.push_back(dc.Pixel(x, y));
        return pixels;
    }
};

// The first pixel where two paintings differ, as "x,y", or empty.
std::string FirstDifference(const std::vector<COLORREF>& a, const std::vector<COLORREF>& b)
{
    for (size_t i = 0; i < a.size() && i < b.size(); i++) {
        if (a[i] != b[i])
            return std::to_string(i % 640) + "," + std::to_string(i / 640);
    }
    return a.size() == b.size() ? std::string() : "size";
}

} // namespace

TEST(KitNativeXPTheme, TheFactoryMakesItWithItsOwnSettings)
{
    CKitPaintManager::SetTheme(3);
    auto* pTheme = DYNAMIC_DOWNCAST(CKitNativeXPTheme, CKitPaintManager::GetCurrent());
    ASSERT_NE(nullptr, pTheme);
    EXPECT_STREQ("CKitNativeXPTheme", pTheme->GetRuntimeClass()->m_lpszClassName);
    EXPECT_TRUE(pTheme->IsKindOf(RUNTIME_CLASS(CKitDefaultTheme)));
    EXPECT_EQ(3, pTheme->GetCurrentTheme());
    EXPECT_EQ(3, pTheme->GetThemeNumber());
    EXPECT_EQ(0, pTheme->GetShadowManager()->GetFlags());
    EXPECT_EQ(COLOR_MENUTEXT, pTheme->m_nPopupBarText);
    EXPECT_TRUE(pTheme->m_bFadedIcons);
    EXPECT_FALSE(pTheme->m_bIconsWithShadow);
    EXPECT_TRUE(pTheme->m_bThemedStatusBar);
    EXPECT_TRUE(pTheme->m_bThemedCheckBox);
    EXPECT_TRUE(pTheme->m_bFullWidthMenuHighlight);
    EXPECT_TRUE(pTheme->m_bThickCheckMark);
    CKitPaintManager::Done();
}

// Without the visual-style library every drawing and measure is the default theme's, given the same settings.
TEST(KitNativeXPTheme, WithoutVisualStylesItDrawsExactlyLikeTheDefaultTheme)
{
    CKitNativeXPTheme native(kMissingLibrary);
    native.InternalAddRef();
    native.RefreshMetrics();
    ASSERT_FALSE(native.IsToolBarStyleUsable());
    ASSERT_FALSE(native.IsMenuStyleUsable());

    CKitDefaultTheme classic;
    classic.InternalAddRef();
    classic.m_bFadedIcons = TRUE;
    classic.m_bIconsWithShadow = FALSE;
    classic.m_nPopupBarText = COLOR_MENUTEXT;
    classic.m_bThemedStatusBar = TRUE;
    classic.m_bThemedCheckBox = TRUE;
    classic.m_bFullWidthMenuHighlight = TRUE;
    classic.m_bThickCheckMark = TRUE;
    classic.RefreshMetrics();

    Scene scene;
    const std::vector<COLORREF> classicPixels = scene.Paint(classic);
    EXPECT_EQ("", FirstDifference(classicPixels, scene.Paint(native))) << "the first pixel that differs";
    // The scene tells the looks apart: with a style the bars are drawn otherwise.
    StandInLog log;
    CKitNativeXPTheme styled(kStandInLibrary);
    styled.InternalAddRef();
    styled.RefreshMetrics();
    EXPECT_NE("", FirstDifference(classicPixels, scene.Paint(styled)));

    // The measures the bars lay out by.
    for (CKitCommandBar* pBar : {static_cast<CKitCommandBar*>(&scene.toolbar), static_cast<CKitCommandBar*>(&scene.leftBar),
                                 static_cast<CKitCommandBar*>(&scene.popup)}) {
        EXPECT_EQ(classic.GetPopupBarGripperWidth(pBar), native.GetPopupBarGripperWidth(pBar));
        EXPECT_EQ(classic.DrawFloatingBarCaption(nullptr, pBar, FALSE), native.DrawFloatingBarCaption(nullptr, pBar, FALSE));
        EXPECT_EQ(classic.DrawCommandBarGripper(nullptr, pBar, FALSE), native.DrawCommandBarGripper(nullptr, pBar, FALSE));
        for (int i = 0; i < pBar->GetControlCount(); i++) {
            CKitControl* pControl = pBar->GetControl(i);
            CRect rcClassic = pControl->GetRect();
            CRect rcNative = rcClassic;
            classic.AdjustControlRect(rcClassic, pControl, FALSE);
            native.AdjustControlRect(rcNative, pControl, FALSE);
            EXPECT_EQ(rcClassic, rcNative) << pControl->GetCaption();
            EXPECT_EQ(classic.GetControlTextColor(pControl), native.GetControlTextColor(pControl))
                << pControl->GetCaption();
        }
    }
}

// The split button's arrow part is 12 pixels wide, drawn by the style or classically.
TEST(KitNativeXPTheme, TheSplitDropDownPartIsTwelvePixels)
{
    StandInLog log;
    ASSERT_TRUE(log.IsLoaded());
    CTestNativeTheme styled(kStandInLibrary);
    styled.RefreshMetrics();
    ASSERT_TRUE(styled.IsToolBarStyleUsable());

    CKitToolBar toolbar;
    auto* pSplit = toolbar.GetControls()->AddControl(new CKitControlPopup(kitControlSplitButtonPopup));
    const CRect rc(10, 0, 70, 22);
    struct Case {
        const char* pszName;
        int nStyle, nSelected, nPressed, nChecked;
        BOOL bPopuped, bEnabled;
        int nCommandState, nArrowState;
    };
    const Case cases[] = {
        {"idle", kitButtonAutomatic, 0, 0, 0, FALSE, TRUE, TS_NORMAL, TS_NORMAL},
        {"hot", kitButtonAutomatic, 1, 0, 0, FALSE, TRUE, TS_HOT, TS_HOT},
        {"pushed", kitButtonAutomatic, 1, 1, 0, FALSE, TRUE, TS_PRESSED, TS_PRESSED},
        {"open", kitButtonAutomatic, 0, 0, 0, TRUE, TRUE, TS_HOT, TS_PRESSED},
        {"checked", kitButtonAutomatic, 0, 0, 1, FALSE, TRUE, TS_CHECKED, TS_CHECKED},
        {"disabled", kitButtonAutomatic, 1, 0, 0, TRUE, FALSE, TS_DISABLED, TS_DISABLED},
        {"caption below", kitButtonIconAndCaptionBelow, 1, 0, 0, FALSE, TRUE, TS_HOT, TS_HOT},
    };
    for (const Case& c : cases) {
        pSplit->SetStyle(c.nStyle);
        pSplit->SetSelected(c.nSelected);
        pSplit->SetPressed(c.nPressed);
        pSplit->SetChecked(c.nChecked);
        pSplit->SetPopuped(c.bPopuped);
        pSplit->SetEnabled(c.bEnabled);
        log.Clear();
        Canvas dc(80, 22, kGround);
        styled.DrawSplitButtonFrame(&dc.dc, pSplit, rc);
        ASSERT_EQ(2, log->drawCount) << c.pszName;
        EXPECT_EQ(TP_SPLITBUTTON, log->draws[0].part) << c.pszName;
        EXPECT_EQ(c.nCommandState, log->draws[0].state) << c.pszName;
        EXPECT_EQ(CRect(10, 0, 58, 22), CRect(log->draws[0].rect)) << c.pszName;
        EXPECT_EQ(TP_SPLITBUTTONDROPDOWN, log->draws[1].part) << c.pszName;
        EXPECT_EQ(c.nArrowState, log->draws[1].state) << c.pszName;
        EXPECT_EQ(CRect(58, 0, 70, 22), CRect(log->draws[1].rect)) << c.pszName;
    }

    // Classically a hot split button is raised in two parts that meet 12 pixels from its right edge.
    CTestNativeTheme classic(kMissingLibrary);
    classic.RefreshMetrics();
    pSplit->SetStyle(kitButtonAutomatic);
    pSplit->SetSelected(1);
    pSplit->SetPopuped(FALSE);
    pSplit->SetChecked(0);
    pSplit->SetEnabled(TRUE);
    Canvas dc(80, 22, kGround);
    classic.DrawSplitButtonFrame(&dc.dc, pSplit, rc);
    EXPECT_EQ(classic.GetColor(COLOR_BTNSHADOW), dc.Pixel(57, 10));
    EXPECT_EQ(classic.GetColor(COLOR_BTNHIGHLIGHT), dc.Pixel(58, 10));
    EXPECT_EQ(classic.GetColor(COLOR_BTNSHADOW), dc.Pixel(69, 10));
}

// Toolbar and popup states map to the style's parts; the MENU class is closed when the style has no popup border.
TEST(KitNativeXPTheme, ControlStatesMapToTheStylesParts)
{
    StandInLog log;
    ASSERT_TRUE(log.IsLoaded());
    CTestNativeTheme theme(kStandInLibrary);
    theme.RefreshMetrics();
    // The stand-in cannot tell the menu's border size: no new-style menus.
    EXPECT_FALSE(theme.IsMenuStyleUsable());
    EXPECT_TRUE(theme.IsToolBarStyleUsable());
    // The toolbar's text colours and the band's edges come from the style.
    EXPECT_EQ(kKitTestThemeColor, theme.GetColor(COLOR_BTNTEXT));
    EXPECT_EQ(kKitTestThemeColor, theme.m_clrHotText);
    EXPECT_EQ(kKitTestThemeColor, theme.m_clrPressedText);
    EXPECT_EQ(kKitTestThemeColor, theme.m_clrEdgeShadow);
    EXPECT_EQ(kKitTestThemeColor, theme.m_clrEdgeHighlight);

    struct Case {
        const char* pszName;
        BOOL bSelected, bPressed, bEnabled, bChecked, bPopuped;
        int nBarType, nPosition;
        int nState; // -1: nothing drawn
    };
    const Case cases[] = {
        {"idle button", 0, 0, 1, 0, 0, kitBarTypeNormal, kitBarTop, TS_NORMAL},
        {"hot button", 1, 0, 1, 0, 0, kitBarTypeNormal, kitBarTop, TS_HOT},
        {"pushed button", 1, 1, 1, 0, 0, kitBarTypeNormal, kitBarTop, TS_PRESSED},
        {"keyboard-pressed button", 0, 2, 1, 0, 0, kitBarTypeNormal, kitBarTop, TS_PRESSED},
        {"open popup button", 1, 0, 1, 0, 1, kitBarTypeNormal, kitBarTop, TS_PRESSED},
        {"checked button", 0, 0, 1, 1, 0, kitBarTypeNormal, kitBarTop, TS_CHECKED},
        {"hot checked button", 1, 0, 1, 1, 0, kitBarTypeNormal, kitBarTop, TS_HOTCHECKED},
        {"hot indeterminate button", 1, 0, 1, 2, 0, kitBarTypeNormal, kitBarTop, TS_HOT},
        {"disabled indeterminate button", 0, 0, 0, 2, 0, kitBarTypeNormal, kitBarTop, TS_PRESSED},
        {"disabled checked button", 0, 0, 0, 1, 0, kitBarTypeNormal, kitBarTop, TS_PRESSED},
        {"disabled button", 1, 0, 0, 0, 0, kitBarTypeNormal, kitBarTop, TS_DISABLED},
        {"idle popup item", 0, 0, 1, 0, 0, kitBarTypePopup, kitBarPopup, -1},
        {"checked popup item", 0, 0, 1, 1, 0, kitBarTypePopup, kitBarPopup, TS_CHECKED},
    };
    for (const Case& c : cases) {
        log.Clear();
        Canvas dc(20, 20, kGround);
        theme.DrawRectangle(&dc.dc, CRect(2, 2, 18, 18), c.bSelected, c.bPressed, c.bEnabled, c.bChecked, c.bPopuped,
                            c.nBarType, c.nPosition);
        if (c.nState < 0) {
            EXPECT_EQ(0, log->drawCount) << c.pszName;
            continue;
        }
        ASSERT_EQ(1, log->drawCount) << c.pszName;
        EXPECT_EQ(TP_BUTTON, log->draws[0].part) << c.pszName;
        EXPECT_EQ(c.nState, log->draws[0].state) << c.pszName;
    }

    // Without new-style menus a selected popup item is filled with colour 29 inside a highlight frame.
    log.Clear();
    Canvas dc(20, 20, kGround);
    theme.DrawRectangle(&dc.dc, CRect(2, 2, 18, 18), TRUE, FALSE, TRUE, FALSE, FALSE, kitBarTypePopup, kitBarPopup);
    EXPECT_EQ(0, log->drawCount);
    EXPECT_EQ(kHighlight, dc.Pixel(2, 2));
    EXPECT_EQ(theme.GetColor(COLOR_MENUHILIGHT), dc.Pixel(9, 9));
}

// Colour 29 becomes the highlight colour only when neither the system nor the style has flat menus.
TEST(KitNativeXPTheme, MenuHighlightFollowsTheFlatMenuSettings)
{
    StandInLog log;
    ASSERT_TRUE(log.IsLoaded());
    struct Case {
        const char* pszName;
        LPCSTR lpszLibrary; // null: the system's visual styles
        BOOL bSystemFlatMenu;
        COLORREF clrExpected;
    };
    const Case cases[] = {
        {"flat system menus, style without flat menus", kStandInLibrary, TRUE, kMenuHighlight},
        {"neither the system nor the style", kStandInLibrary, FALSE, kHighlight},
        {"no visual styles, no flat system menus", kMissingLibrary, FALSE, kHighlight},
        {"the light style's flat menus", nullptr, FALSE, kMenuHighlight},
    };
    for (const Case& c : cases) {
        CTestNativeTheme theme(c.lpszLibrary, c.bSystemFlatMenu);
        theme.RefreshMetrics();
        EXPECT_EQ(c.bSystemFlatMenu, theme.m_bFlatMenus) << c.pszName;
        EXPECT_EQ(c.clrExpected, theme.GetColor(COLOR_MENUHILIGHT)) << c.pszName;
    }
}

// Wine activates its own light style in every new prefix (the prefix's ThemeManager key); the theme opens all six
// classes there, and a popup item's rectangle grows 3 pixels at the top and bottom and shrinks 3 at the sides.
TEST(KitNativeXPTheme, UnderWinesLightStylePopupItemsGrowThreePixels)
{
    CKitWinThemeWrapper system;
    ASSERT_TRUE(system.IsThemeActive()) << "the prefix runs without a visual style";
    CKitNativeXPTheme* pTheme = new CKitNativeXPTheme();
    CKitPaintManager::SetCustomTheme(pTheme);
    ASSERT_TRUE(pTheme->IsToolBarStyleUsable());
    ASSERT_TRUE(pTheme->IsMenuStyleUsable());

    CKitPopupBar popup;
    CKitToolBar toolbar;
    CKitControl* pItem = popup.GetControls()->AddControl(new CKitControlButton());
    auto* pSubmenu = static_cast<CKitControlPopup*>(popup.GetControls()->AddControl(new CKitControlPopup()));
    CKitControl* pButton = toolbar.GetControls()->AddControl(new CKitControlButton());
    CKitControl* pCombo = popup.GetControls()->AddControl(new CKitControlComboBox());
    struct Case {
        const char* pszName;
        CKitControl* pControl;
        CRect rcExpected;
    };
    const Case cases[] = {{"popup item", pItem, CRect(13, 7, 107, 33)},
                          {"toolbar button", pButton, CRect(10, 10, 110, 30)},
                          {"combo box in a popup", pCombo, CRect(10, 10, 110, 30)}};
    for (const Case& c : cases) {
        CRect rc(10, 10, 110, 30);
        pTheme->AdjustControlRect(rc, c.pControl, FALSE);
        EXPECT_EQ(c.rcExpected, rc) << c.pszName;
    }
    // A submenu opens beside its item grown the same way.
    CRect rcExclude(10, 10, 110, 30);
    pSubmenu->AdjustExcludeRect(rcExclude, FALSE);
    EXPECT_EQ(CRect(13, 7, 107, 33), rcExclude);

    // The style's menus: a wider gutter and menu-text captions.
    popup.SetPosition(kitBarPopup);
    CKitDefaultTheme classic;
    classic.InternalAddRef();
    classic.RefreshMetrics();
    EXPECT_EQ(classic.GetPopupBarGripperWidth(&popup) + 3, pTheme->GetPopupBarGripperWidth(&popup));
    EXPECT_EQ(pTheme->GetColor(COLOR_MENUTEXT),
              pTheme->GetControlStateTextColor(TRUE, FALSE, TRUE, FALSE, FALSE, kitBarTypePopup, kitBarPopup));

    // The scene of the classic comparison, drawn by the style: build/screens/themes-native-xp.png.
    Scene scene;
    const std::vector<COLORREF> styledPixels = scene.Paint(*pTheme);
    EXPECT_NE("", FirstDifference(scene.Paint(classic), styledPixels));
    std::vector<DWORD> pixels;
    for (COLORREF clr : styledPixels)
        pixels.push_back((GetRValue(clr) << 16) | (GetGValue(clr) << 8) | GetBValue(clr));
    EXPECT_EQ("", SaveScreenshot("themes-native-xp", 640, 200, pixels));
    CKitPaintManager::Done();
}

// Bars, grippers, separators, fields and MDI buttons: which part of which class is drawn where, recorded by the stand-in.
TEST(KitNativeXPTheme, ToolbarPartsLandWhereTheLayoutSays)
{
    StandInLog log;
    ASSERT_TRUE(log.IsLoaded());
    CTestNativeTheme theme(kStandInLibrary);
    theme.RefreshMetrics();
    theme.m_bFlatToolBar = FALSE;
    CKitToolBar toolbar;
    ASSERT_TRUE(toolbar.CreateEx(0, "STATIC", "", WS_POPUP, 0, 0, 100, 30, nullptr, 0));
    CKitControl* pButton = toolbar.GetControls()->AddControl(new CKitControlButton());
    pButton->SetRect(CRect(40, 4, 60, 26));
    pButton->SetRowRect(CRect(0, 4, 100, 26));
    auto* pEdit = static_cast<CKitControlEdit*>(toolbar.GetControls()->AddControl(new CKitControlEdit()));
    pEdit->SetRect(CRect(0, 0, 80, 22));
    pEdit->ShowSpinButtons(TRUE);
    const CRect rcSpin = pEdit->GetSpinButtonsRect();
    const int nMiddle = rcSpin.CenterPoint().y;

    struct Draw {
        int part, state;
        CRect rect;
    };
    struct Case {
        const char* pszName;
        std::function<void(CDC*)> draw;
        std::vector<Draw> expected;
    };
    const Case cases[] = {
        {"bar docked at the bottom", [&](CDC* pDC) { toolbar.SetPosition(kitBarBottom); theme.FillCommandBarEntry(pDC, &toolbar); },
         {{RP_BAND, 0, CRect(0, 0, 100, 30)}}},
        {"floating toolbar", [&](CDC* pDC) { toolbar.SetPosition(kitBarFloating); theme.FillCommandBarEntry(pDC, &toolbar); },
         {{0, 0, CRect(0, 0, 100, 30)}, {WP_SMALLFRAMELEFT, 1, CRect(0, 0, 3, 30)},
          {WP_SMALLFRAMERIGHT, 1, CRect(97, 0, 100, 30)}, {WP_SMALLFRAMEBOTTOM, 1, CRect(0, 27, 100, 30)}}},
        {"gripper at the top", [&](CDC* pDC) { toolbar.SetPosition(kitBarTop); theme.DrawFloatingBarCaption(pDC, &toolbar, TRUE); },
         {{RP_GRIPPER, 1, CRect(2, 0, 8, 30)}}},
        {"gripper on the left", [&](CDC* pDC) { toolbar.SetPosition(kitBarLeft); theme.DrawFloatingBarCaption(pDC, &toolbar, TRUE); },
         {{RP_GRIPPERVERT, 1, CRect(0, 2, 100, 8)}}},
        {"separator", [&](CDC* pDC) { toolbar.SetPosition(kitBarTop); theme.DrawCommandBarSeparator(pDC, &toolbar, pButton, TRUE); },
         {{TP_SEPARATOR, 1, CRect(34, 4, 40, 26)}}},
        {"wrapped separator", [&](CDC* pDC) { pButton->SetWrap(TRUE); theme.DrawCommandBarSeparator(pDC, &toolbar, pButton, TRUE); pButton->SetWrap(FALSE); },
         {{TP_SEPARATORVERT, 1, CRect(4, -1, 100, 4)}}},
        {"separator on the left", [&](CDC* pDC) { toolbar.SetPosition(kitBarLeft); theme.DrawCommandBarSeparator(pDC, &toolbar, pButton, TRUE); },
         {{TP_SEPARATORVERT, 1, CRect(0, -2, 100, 4)}}},
        {"hot combo button", [&](CDC* pDC) { theme.DrawComboBoxDropDownButton(pDC, CRect(60, 0, 80, 22), TRUE, TRUE, FALSE); },
         {{CP_DROPDOWNBUTTON, 2, CRect(58, 1, 79, 21)}}},
        {"dropped combo button", [&](CDC* pDC) { theme.DrawComboBoxDropDownButton(pDC, CRect(60, 0, 80, 22), TRUE, TRUE, TRUE); },
         {{CP_DROPDOWNBUTTON, 3, CRect(58, 1, 79, 21)}}},
        {"disabled combo button", [&](CDC* pDC) { theme.DrawComboBoxDropDownButton(pDC, CRect(60, 0, 80, 22), FALSE, TRUE, TRUE); },
         {{CP_DROPDOWNBUTTON, 4, CRect(58, 1, 79, 21)}}},
        {"upper spin half pressed", [&](CDC* pDC) { pEdit->SetSelected(4); pEdit->SetPressed(4); theme.DrawControlEditSpin(pDC, pEdit); },
         {{SPNP_UP, 3, CRect(rcSpin.left, rcSpin.top, rcSpin.right, nMiddle)},
          {SPNP_DOWN, 1, CRect(rcSpin.left, nMiddle, rcSpin.right, rcSpin.bottom)}}},
        {"lower spin half hot", [&](CDC* pDC) { pEdit->SetSelected(5); pEdit->SetPressed(0); theme.DrawControlEditSpin(pDC, pEdit); },
         {{SPNP_UP, 1, CRect(rcSpin.left, rcSpin.top, rcSpin.right, nMiddle)},
          {SPNP_DOWN, 2, CRect(rcSpin.left, nMiddle, rcSpin.right, rcSpin.bottom)}}},
        {"restore button", [&](CDC* pDC) { pButton->SetId(9152); pButton->SetSelected(1); theme.DrawControlMDIButton(pDC, pButton); },
         {{WP_MDIRESTOREBUTTON, 2, CRect(40, 4, 60, 26)}}},
        {"minimize button", [&](CDC* pDC) { pButton->SetId(9153); pButton->SetSelected(0); theme.DrawControlMDIButton(pDC, pButton); },
         {{WP_MDIMINBUTTON, 1, CRect(40, 4, 60, 26)}}},
        {"close button", [&](CDC* pDC) { pButton->SetId(1); pButton->SetEnabled(FALSE); theme.DrawControlMDIButton(pDC, pButton); },
         {{WP_MDICLOSEBUTTON, 4, CRect(40, 4, 60, 26)}}},
    };
    for (const Case& c : cases) {
        log.Clear();
        Canvas dc(100, 30, kGround);
        c.draw(&dc.dc);
        ASSERT_EQ(static_cast<int>(c.expected.size()), log->drawCount) << c.pszName;
        for (size_t i = 0; i < c.expected.size(); i++) {
            EXPECT_EQ(c.expected[i].part, log->draws[i].part) << c.pszName << " " << i;
            EXPECT_EQ(c.expected[i].state, log->draws[i].state) << c.pszName << " " << i;
            EXPECT_EQ(c.expected[i].rect, CRect(log->draws[i].rect)) << c.pszName << " " << i;
        }
    }
    // A bar that is not flat gets the band's edges; the edit frame takes the style's border colour.
    toolbar.SetPosition(kitBarBottom);
    Canvas dc(100, 30, kGround);
    theme.FillCommandBarEntry(&dc.dc, &toolbar);
    EXPECT_EQ(kKitTestThemeColor, dc.Pixel(0, 0));
    EXPECT_EQ(theme.GetColor(COLOR_BTNFACE), dc.Pixel(50, 15));
    dc.dc.FillSolidRect(0, 0, 100, 30, kGround);
    theme.DrawControlEditFrame(&dc.dc, CRect(0, 0, 60, 22), TRUE, FALSE);
    EXPECT_EQ(kKitTestThemeColor, dc.Pixel(0, 0));
    EXPECT_EQ(kKitTestThemeColor, dc.Pixel(59, 21));
    EXPECT_EQ(kGround, dc.Pixel(1, 1));
    EXPECT_EQ(CSize(8, std::max(22, theme.GetTextHeight() + 4)), theme.DrawCommandBarGripper(nullptr, &toolbar, FALSE));
    toolbar.DestroyWindow();
}

// On a flat menu bar an open or hot menu is filled with the highlight colour and captioned in highlight text.
TEST(KitNativeXPTheme, MenuBarPopupsAreHighlightedFlat)
{
    StandInLog log;
    CTestNativeTheme theme(kStandInLibrary, TRUE);
    theme.RefreshMetrics();
    CKitMenuBar menuBar;
    menuBar.SetPosition(kitBarTop);
    CKitControl* pFile = menuBar.GetControls()->AddControl(new CKitControlPopup());
    pFile->SetRect(CRect(2, 2, 40, 20));
    Canvas dc(50, 24, kGround);
    theme.DrawControlEntry(&dc.dc, pFile);
    EXPECT_EQ(kGround, dc.Pixel(10, 10));
    EXPECT_EQ(theme.GetColor(COLOR_BTNTEXT), theme.GetControlTextColor(pFile));
    pFile->SetPopuped(TRUE);
    log.Clear();
    theme.DrawControlEntry(&dc.dc, pFile);
    EXPECT_EQ(0, log->drawCount);
    EXPECT_EQ(kHighlight, dc.Pixel(2, 2));
    EXPECT_EQ(kHighlight, dc.Pixel(39, 19));
    EXPECT_EQ(kGround, dc.Pixel(40, 20));
    EXPECT_EQ(theme.GetColor(COLOR_HIGHLIGHTTEXT), theme.GetControlTextColor(pFile));

    // Without flat system menus the bar's popups are toolbar buttons.
    CTestNativeTheme raised(kStandInLibrary, FALSE);
    raised.RefreshMetrics();
    log.Clear();
    raised.DrawControlEntry(&dc.dc, pFile);
    ASSERT_EQ(1, log->drawCount);
    EXPECT_EQ(TP_BUTTON, log->draws[0].part);
    EXPECT_EQ(TS_PRESSED, log->draws[0].state);
}

// The top dock bar shows the rebar's background over its whole frame, so that it joins the bars on it; the others the
// button face.
TEST(KitNativeXPTheme, TheTopDockBarTakesTheRebarBackground)
{
    StandInLog log;
    ASSERT_TRUE(log.IsLoaded());
    CTestNativeTheme theme(kStandInLibrary);
    theme.RefreshMetrics();
    CWnd frame;
    ASSERT_TRUE(frame.CreateEx(0, "STATIC", "", WS_POPUP, 0, 0, 200, 100, nullptr, 0));
    CKitDockBar top(nullptr, kitDockBarTop);
    CKitDockBar left(nullptr, kitDockBarLeft);
    ASSERT_TRUE(top.CreateDockBar(&frame, 0xE81B));
    ASSERT_TRUE(left.CreateDockBar(&frame, 0xE81C));
    top.MoveWindow(0, 10, 200, 30);
    left.MoveWindow(0, 40, 30, 60);

    Canvas dc(200, 60, kGround);
    theme.FillWindowFace(&dc.dc, &top);
    ASSERT_EQ(1, log->drawCount);
    EXPECT_EQ(0, log->draws[0].part);
    EXPECT_EQ(CRect(0, -10, 200, 90), CRect(log->draws[0].rect)) << "the frame's client area in the dock bar's";
    log.Clear();
    theme.FillWindowFace(&dc.dc, &left);
    EXPECT_EQ(0, log->drawCount);
    EXPECT_EQ(theme.GetColor(COLOR_BTNFACE), dc.Pixel(29, 59));
    EXPECT_EQ(kGround, dc.Pixel(30, 10));

    // Without the style the top dock bar is plain button face too.
    CTestNativeTheme classic(kMissingLibrary);
    classic.RefreshMetrics();
    dc.dc.FillSolidRect(0, 0, 200, 60, kGround);
    classic.FillWindowFace(&dc.dc, &top);
    EXPECT_EQ(classic.GetColor(COLOR_BTNFACE), dc.Pixel(199, 29));
    EXPECT_EQ(kGround, dc.Pixel(100, 30));
    frame.DestroyWindow();
}

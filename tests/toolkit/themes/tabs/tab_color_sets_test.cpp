// The tab paint manager's colour sets: custom colours, item colours, the visual-style
// schemes of the Office 2003 family, the version-dependent dark set and navigate-button faces.
#include "kit_test_module.h"
#include "support/canvas.h"
#include "toolkit/themes/tabs/tab_color_sets.h"
#include "toolkit/themes/tabs/tab_manager.h"
#include "toolkit/themes/tabs/tab_paint_manager.h"

#include <gtest/gtest.h>

#include <typeinfo>
#include <vector>

#include <vssym32.h>

namespace {

using PM = CKitTabPaintManager;

class ColorStrip : public CKitTabManager {
public:
    explicit ColorStrip(CKitTabPaintManager* pPaintManager) : m_pPaintManager(pPaintManager) {}
    void Reposition() override {}
    CKitTabPaintManager* GetPaintManager() const override { return m_pPaintManager; }
    void RedrawControl(const RECT*, BOOL) override {}
    BOOL DrawIcon(CDC*, CPoint, CKitTabManagerItem*, BOOL, CSize&) override { return FALSE; }
    void SetHotButton(CKitTabManagerNavigateButton* pButton) { m_pHighlightedNavigateButton = pButton; }

    CKitTabPaintManager* m_pPaintManager;
};

// Forces the colour manager's visual style for one test and puts it back.
class ForcedSystemTheme {
public:
    explicit ForcedSystemTheme(int nTheme)
    {
        CKitColorManager::Instance()->SetConfiguredSystemTheme(nTheme);
        CKitColorManager::Instance()->DisableVisualStyleColors(FALSE);
    }
    ~ForcedSystemTheme() { CKitColorManager::Instance()->SetConfiguredSystemTheme(CKitColorManager::kThemeAuto); }
};

// Every colour a set holds, in field order.
std::vector<COLORREF> AllColors(CKitTabPaintManagerColorSet& set)
{
    std::vector<COLORREF> colors = {
        set.m_grcHeaderFace.clrLight, set.m_grcHeaderFace.clrDark, set.m_grcSecondHeaderFace.clrLight,
        set.m_grcSecondHeaderFace.clrDark, set.m_clrFrameBorder, set.m_clrControlFace, set.m_clrThirdFace,
        set.m_clrLightEdge, set.m_clrSelectedFace, set.m_clrHotFace, set.m_clrPressedFace, set.m_clrNormalFace,
        set.m_clrNormalText, set.m_clrInactiveText, set.m_clrSelectedText, set.m_clrHotText, set.m_clrDisabledText,
        set.m_grcStateFace.clrLight, set.m_grcStateFace.clrDark, set.m_grcStateBorder.clrLight,
        set.m_grcStateBorder.clrDark, set.m_clr3DHighlight, set.m_clr3DShadow, set.m_clr3DDarkShadow,
        set.m_clrButtonBorder, set.m_clrSelectedButtonBorder, set.m_clrButtonInnerLight, set.m_clrButtonInnerShade,
        set.m_clrHotItemBorder,
    };
    for (int i = 1; i <= CKitTabPaintManagerColorSet::kGroupSize; ++i) {
        colors.push_back(set.GetSelectedGroup(i));
        colors.push_back(set.GetNormalGroup(i));
    }
    return colors;
}

}  // namespace

TEST(KitTabColorSets, SetColorInstallsTheSetOfEachIdentifierAndTheDefaultForAnyOther)
{
    struct Case {
        int nId;
        const std::type_info& type;
    };
    const Case cases[] = {
        {1, typeid(PM::CColorSetDefault)},
        {2, typeid(PM::CColorSetVisualStudio2003)},
        {4, typeid(PM::CColorSetOffice2003)},
        {8, typeid(PM::CColorSetWinNative)},
        {16, typeid(PM::CColorSetVisualStudio2005)},
        {32, typeid(PM::CColorSetOffice2007)},
        {64, typeid(PM::CColorSetVisualStudio2008)},
        {128, typeid(PM::CColorSetOffice2007Access)},
        {256, typeid(PM::CColorSetVisualStudio2010)},
        {1000, typeid(PM::CColorSetDefault)},
        {0, typeid(PM::CColorSetDefault)},
    };
    CKitTabPaintManager paintManager;
    for (const Case& c : cases) {
        paintManager.SetColor(c.nId);
        EXPECT_EQ(c.nId, paintManager.GetColor()) << c.nId;
        ASSERT_NE(nullptr, paintManager.GetColorSet());
        EXPECT_EQ(c.type, typeid(*paintManager.GetColorSet())) << c.nId;
        EXPECT_EQ(&paintManager, paintManager.GetColorSet()->m_pPaintManager) << c.nId;
    }
}

TEST(KitTabColorSets, ACustomColourSurvivesRefreshAndWinsOverTheStandardOne)
{
    CKitTabPaintManager paintManager;
    for (int nId : {1, 4, 256}) {
        paintManager.SetColor(nId);
        CKitTabPaintManagerColorSet* pSet = paintManager.GetColorSet();
        const COLORREF clrStandard = pSet->m_clrFrameBorder.GetStandardColor();
        pSet->m_clrFrameBorder.SetCustomValue(RGB(1, 2, 3));
        pSet->m_grcHeaderFace.clrDark.SetCustomValue(RGB(4, 5, 6));
        paintManager.RefreshMetrics();
        EXPECT_EQ(RGB(1, 2, 3), static_cast<COLORREF>(pSet->m_clrFrameBorder)) << nId;
        EXPECT_EQ(RGB(4, 5, 6), static_cast<COLORREF>(pSet->m_grcHeaderFace.clrDark)) << nId;
        EXPECT_EQ(clrStandard, pSet->m_clrFrameBorder.GetStandardColor()) << nId;
    }
}

TEST(KitTabColorSets, WithItemColoursOnEveryItemShowsItsAutomaticColour)
{
    CKitTabPaintManager paintManager;
    ColorStrip strip(&paintManager);
    CKitTabManagerItem* pSelected = strip.AddItem(-1);
    CKitTabManagerItem* pOther = strip.AddItem(-1);
    pSelected->SetColor(0x1000001);
    pOther->SetColor(0x1000001);
    strip.SetCurSel(0);
    for (int nId : {1, 4, 256}) {
        paintManager.SetColor(nId);
        CKitTabPaintManagerColorSet* pSet = paintManager.GetColorSet();
        paintManager.m_bItemColors = TRUE;
        EXPECT_EQ(RGB(255, 219, 117), pSet->GetItemColor(pSelected)) << nId;
        EXPECT_EQ(RGB(255, 219, 117), pSet->GetItemColor(pOther)) << nId;
        paintManager.m_bItemColors = FALSE;
        EXPECT_EQ(static_cast<COLORREF>(pSet->m_clrSelectedFace), pSet->GetItemColor(pSelected)) << nId;
        EXPECT_EQ(static_cast<COLORREF>(pSet->m_clrNormalFace), pSet->GetItemColor(pOther)) << nId;
    }
}

TEST(KitTabColorSets, Office2003FollowsTheForcedVisualStyleUnlessThemeColoursAreOff)
{
    struct Case {
        int nTheme;
        COLORREF clrFrame;
        COLORREF clrFace;
        COLORREF clrHeaderLight;
    };
    const Case cases[] = {
        {1, RGB(59, 97, 156), RGB(162, 192, 246), RGB(196, 218, 250)},
        {4, RGB(59, 97, 156), RGB(162, 192, 246), RGB(196, 218, 250)},
        {5, RGB(59, 97, 156), RGB(162, 192, 246), RGB(196, 218, 250)},
        {2, RGB(96, 128, 88), RGB(208, 222, 170), RGB(242, 241, 228)},
        {3, RGB(124, 124, 148), RGB(217, 217, 230), RGB(243, 243, 247)},
    };
    for (const Case& c : cases) {
        ForcedSystemTheme theme(c.nTheme);
        CKitTabPaintManager paintManager;
        paintManager.SetColor(PM::kColorSetOffice2003);
        auto* pSet = static_cast<PM::CColorSetOffice2003*>(paintManager.GetColorSet());
        EXPECT_TRUE(pSet->m_bThemeColors) << c.nTheme;
        EXPECT_EQ(c.clrFrame, static_cast<COLORREF>(pSet->m_clrFrameBorder)) << c.nTheme;
        EXPECT_EQ(c.clrFrame, static_cast<COLORREF>(pSet->m_clrSelectedButtonBorder)) << c.nTheme;
        EXPECT_EQ(c.clrFace, static_cast<COLORREF>(pSet->m_clrNormalFace)) << c.nTheme;
        EXPECT_EQ(RGB(255, 194, 115), static_cast<COLORREF>(pSet->m_clrSelectedFace)) << c.nTheme;
        EXPECT_EQ(c.clrHeaderLight, static_cast<COLORREF>(pSet->m_grcHeaderFace.clrLight)) << c.nTheme;
        EXPECT_EQ(RGB(254, 142, 75), static_cast<COLORREF>(pSet->m_clrPressedFace)) << c.nTheme;
        // The sheet-tab groups take the frame border.
        EXPECT_EQ(c.clrFrame, static_cast<COLORREF>(pSet->GetSelectedGroup(1))) << c.nTheme;
        EXPECT_EQ(CKitPaintManagerColor::kNone, static_cast<COLORREF>(pSet->GetNormalGroup(4))) << c.nTheme;

        // Theme colours off: the flat colours.
        paintManager.m_bDisableThemeColors = TRUE;
        paintManager.RefreshMetrics();
        EXPECT_FALSE(pSet->m_bThemeColors) << c.nTheme;
        EXPECT_EQ(CKitColorManager::Instance()->GetColor(36), static_cast<COLORREF>(pSet->m_clrSelectedFace))
            << c.nTheme;
    }

    ForcedSystemTheme none(CKitColorManager::kThemeNone);
    CKitTabPaintManager paintManager;
    paintManager.SetColor(PM::kColorSetOffice2003);
    auto* pSet = static_cast<PM::CColorSetOffice2003*>(paintManager.GetColorSet());
    EXPECT_FALSE(pSet->m_bThemeColors);
    EXPECT_EQ(CKitColorManager::Instance()->GetColor(36), static_cast<COLORREF>(pSet->m_clrSelectedFace));
}

TEST(KitTabColorSets, VisualStudio2005And2008AreOffice2003WhenThemeColoursAreAllowed)
{
    struct Case {
        int nTheme;
        COLORREF clrFrame2008;  // the 2008 set's frame with theme colours off; -1: the flat colour 57
    };
    const Case cases[] = {
        {0, CKitPaintManagerColor::kNone},
        {1, RGB(152, 181, 226)},
        {2, RGB(147, 160, 112)},
        {3, RGB(147, 145, 176)},
    };
    const COLORREF clrFlat = CKitColorManager::Instance()->GetColor(57);
    for (const Case& c : cases) {
        ForcedSystemTheme theme(c.nTheme);
        CKitTabPaintManager office;
        office.SetColor(PM::kColorSetOffice2003);
        const std::vector<COLORREF> expected = AllColors(*office.GetColorSet());
        for (int nId : {PM::kColorSetVisualStudio2005, PM::kColorSetVisualStudio2008}) {
            CKitTabPaintManager paintManager;
            paintManager.SetColor(nId);
            EXPECT_EQ(expected, AllColors(*paintManager.GetColorSet())) << c.nTheme << " " << nId;

            // Not allowed: their own frames.
            paintManager.m_bDisableThemeColors = TRUE;
            paintManager.RefreshMetrics();
            COLORREF clrFrame = clrFlat;
            if (nId == PM::kColorSetVisualStudio2008 && c.clrFrame2008 != CKitPaintManagerColor::kNone)
                clrFrame = c.clrFrame2008;
            EXPECT_EQ(clrFrame, static_cast<COLORREF>(paintManager.GetColorSet()->m_clrFrameBorder))
                << c.nTheme << " " << nId;
        }
    }
}

TEST(KitTabColorSets, VisualStudio2010TakesItsFacesFromTheInjectedSystemVersion)
{
    struct Case {
        BOOL bVista;
        COLORREF clrFace;
        COLORREF clrSelected;
        COLORREF clrHot;
    };
    const Case cases[] = {
        {TRUE, RGB(74, 93, 128), RGB(255, 232, 166), RGB(95, 107, 117)},
        {FALSE, RGB(57, 81, 115), RGB(255, 243, 206), RGB(74, 93, 115)},
    };
    for (const Case& c : cases) {
        PM::CColorSetVisualStudio2010::SetVistaProvider([&c] { return c.bVista; });
        CKitTabPaintManager paintManager;
        paintManager.SetColor(PM::kColorSetVisualStudio2010);
        auto* pSet = static_cast<PM::CColorSetVisualStudio2010*>(paintManager.GetColorSet());
        EXPECT_EQ(c.bVista, pSet->IsVistaOrGreater());
        EXPECT_EQ(c.clrFace, static_cast<COLORREF>(pSet->m_clrNormalFace)) << c.bVista;
        EXPECT_EQ(c.clrSelected, static_cast<COLORREF>(pSet->m_clrSelectedFace)) << c.bVista;
        EXPECT_EQ(c.clrHot, static_cast<COLORREF>(pSet->m_clrHotFace)) << c.bVista;
        EXPECT_EQ(RGB(229, 195, 101), static_cast<COLORREF>(pSet->m_clrThemeFrame)) << c.bVista;
        EXPECT_EQ(RGB(47, 65, 95), static_cast<COLORREF>(pSet->m_clrFrameBorder)) << c.bVista;
    }
    PM::CColorSetVisualStudio2010::SetVistaProvider(nullptr);

    // Light selection makes the selected face white whatever the version.
    CKitTabPaintManager paintManager;
    paintManager.SetColorSet(new PM::CColorSetVisualStudio2010(TRUE));
    EXPECT_EQ(RGB(255, 255, 255), static_cast<COLORREF>(paintManager.GetColorSet()->m_clrSelectedFace));
}

TEST(KitTabColorSets, NavigateButtonFacesLeaveTheGlyphColourOfTheirSetAndState)
{
    CKitColorManager* pColors = CKitColorManager::Instance();
    const COLORREF kPaper = RGB(1, 2, 3);
    struct Case {
        const char* name;
        int nColorSet;
        BOOL bThemeColorsOff;
        BOOL bHot;
        BOOL bEnabled;
        BOOL bItemButton;  // the selected item's own close button
        COLORREF clrGlyph;
        COLORREF clrFrame;  // the button's top-left pixel
    };
    const Case cases[] = {
        {"default, hot", PM::kColorSetDefault, FALSE, TRUE, TRUE, FALSE, pColors->GetColor(COLOR_BTNTEXT),
         pColors->GetColor(COLOR_BTNHIGHLIGHT)},
        {"default, normal", PM::kColorSetDefault, FALSE, FALSE, TRUE, FALSE, pColors->GetColor(COLOR_BTNTEXT), kPaper},
        {"Office 2003 themed, hot", PM::kColorSetOffice2003, FALSE, TRUE, TRUE, FALSE, pColors->GetColor(COLOR_BTNTEXT),
         RGB(0, 0, 128)},
        {"Office 2003 flat, hot", PM::kColorSetOffice2003, TRUE, TRUE, TRUE, FALSE, pColors->GetColor(45),
         pColors->GetColor(32)},
        {"Office 2003 flat, hot but disabled", PM::kColorSetOffice2003, TRUE, TRUE, FALSE, FALSE,
         pColors->GetColor(COLOR_BTNTEXT), kPaper},
        {"Visual Studio 2010, strip button", PM::kColorSetVisualStudio2010, FALSE, FALSE, TRUE, FALSE,
         RGB(206, 212, 221), kPaper},
        {"Visual Studio 2010, selected item's button", PM::kColorSetVisualStudio2010, FALSE, FALSE, TRUE, TRUE,
         RGB(117, 99, 61), kPaper},
        {"Visual Studio 2010, hot", PM::kColorSetVisualStudio2010, FALSE, TRUE, TRUE, FALSE, RGB(0, 0, 0),
         RGB(229, 195, 101)},
    };
    ForcedSystemTheme theme(CKitColorManager::kThemeBlue);
    for (const Case& c : cases) {
        CKitTabPaintManager paintManager;
        paintManager.m_bDisableThemeColors = c.bThemeColorsOff;
        paintManager.SetColor(c.nColorSet);
        ColorStrip strip(&paintManager);
        strip.SetItemCloseButtonMode(CKitTabManagerNavigateButton::kShowAlways);
        strip.AddItem(-1);
        strip.SetCurSel(0);
        CKitTabManagerNavigateButton* pButton =
            c.bItemButton ? strip.GetItem(0)->GetNavigateButtons()[0] : strip.GetNavigateButtons()[1];
        pButton->SetEnabled(c.bEnabled);
        strip.SetHotButton(c.bHot ? pButton : nullptr);
        Canvas canvas(30, 30, kPaper);
        CRect rc(5, 5, 19, 20);
        paintManager.GetColorSet()->FillNavigateButton(&canvas.dc, pButton, rc);
        EXPECT_EQ(c.clrGlyph, canvas.dc.GetTextColor()) << c.name;
        EXPECT_EQ(c.clrFrame, canvas.Pixel(5, 5)) << c.name;
        EXPECT_EQ(CRect(5, 5, 19, 20), rc) << c.name;
    }
}

TEST(KitTabColorSets, TheNativeSetDrawsItsTabsThroughTheVisualStyleLibraryAndIsClassicWithoutOne)
{
    HMODULE hModule = ::LoadLibraryA("kit_test_module.dll");
    ASSERT_NE(nullptr, hModule);
    auto calls = reinterpret_cast<KitTestThemeCallsFn>(::GetProcAddress(hModule, "KitTestThemeCalls"));
    ASSERT_NE(nullptr, calls);
    KitTestThemeLog* pLog = calls();
    {
        CKitTabPaintManager paintManager;
        paintManager.SetColorSet(new PM::CColorSetWinNative("kit_test_module.dll"));
        CKitTabPaintManagerColorSet* pSet = paintManager.GetColorSet();
        ASSERT_TRUE(pSet->IsAppThemed());
        EXPECT_EQ(CKitPaintManagerColor::kNone, static_cast<COLORREF>(pSet->m_clr3DHighlight));
        EXPECT_EQ(CKitPaintManagerColor::kNone, static_cast<COLORREF>(pSet->m_clr3DDarkShadow));
        EXPECT_EQ(kKitTestThemeColor, static_cast<COLORREF>(pSet->m_clrThirdFace));
        EXPECT_EQ(kKitTestThemeColor, static_cast<COLORREF>(pSet->m_clrNormalText));
        EXPECT_EQ(kKitTestThemeColor, static_cast<COLORREF>(pSet->m_clrSelectedText));

        struct Case {
            const char* name;
            int nPosition;
            int nSelected;
            int nItem;
            int nPart;
        };
        const Case cases[] = {
            {"first item", PM::kTop, 1, 0, TABP_TOPTABITEMLEFTEDGE},
            {"selected middle item", PM::kTop, 1, 1, TABP_TOPTABITEM},
            {"last item", PM::kTop, 1, 2, TABP_TOPTABITEMRIGHTEDGE},
            {"selected last item", PM::kTop, 2, 2, TABP_TOPTABITEM},
            {"first item of a left strip, turned", PM::kLeft, 1, 0, TABP_TOPTABITEMLEFTEDGE},
            {"last item of a bottom strip, turned", PM::kBottom, 1, 2, TABP_TOPTABITEMRIGHTEDGE},
        };
        for (const Case& c : cases) {
            paintManager.SetPosition(c.nPosition);
            ColorStrip strip(&paintManager);
            for (int i = 0; i < 3; ++i)
                strip.AddItem(-1);
            strip.SetCurSel(c.nSelected);
            Canvas canvas(60, 60);
            pLog->lastPart = 0;
            EXPECT_EQ(CKitPaintManagerColor::kNone,
                      pSet->FillPropertyButton(&canvas.dc, CRect(10, 10, 40, 30), strip.GetItem(c.nItem)))
                << c.name;
            EXPECT_EQ(c.nPart, pLog->lastPart) << c.name;
        }

        // The page is the pane part.
        ColorStrip strip(&paintManager);
        Canvas canvas(60, 60);
        pLog->lastPart = 0;
        EXPECT_EQ(0u, pSet->FillClient(&canvas.dc, CRect(0, 0, 60, 60), &strip));
        EXPECT_EQ(TABP_PANE, pLog->lastPart);
    }

    // Without the library: the classic colours and fills.
    CKitTabPaintManager paintManager;
    paintManager.SetColorSet(new PM::CColorSetWinNative("no_such_theme_library.dll"));
    CKitTabPaintManagerColorSet* pSet = paintManager.GetColorSet();
    EXPECT_FALSE(pSet->IsAppThemed());
    EXPECT_EQ(CKitColorManager::Instance()->GetColor(COLOR_BTNHIGHLIGHT), static_cast<COLORREF>(pSet->m_clr3DHighlight));
    ColorStrip strip(&paintManager);
    strip.AddItem(-1);
    strip.SetCurSel(0);
    Canvas canvas(60, 60);
    EXPECT_EQ(static_cast<COLORREF>(pSet->m_clrSelectedFace),
              pSet->FillPropertyButton(&canvas.dc, CRect(10, 10, 40, 30), strip.GetItem(0)));
    EXPECT_EQ(static_cast<COLORREF>(pSet->m_clrSelectedFace), canvas.Pixel(20, 20));
    ::FreeLibrary(hModule);
}

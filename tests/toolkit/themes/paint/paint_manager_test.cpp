// The paint manager's core: colour table, command-bar fonts and metrics, caption splitting and the current paint manager.
#include "toolkit/themes/paint/paint_manager.h"

#include "support/canvas.h"
#include "test_paint_manager.h"
#include "toolkit/commandbars/command_bar.h"
#include "toolkit/commandbars/menu_bar.h"
#include "toolkit/commandbars/popup_bar.h"
#include "toolkit/commandbars/control.h"
#include "toolkit/commandbars/controls.h"
#include "toolkit/commandbars/shadow_manager.h"
#include "toolkit/common/draw_helpers.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// A refreshed test paint manager, owned by the test.
struct RefreshedPaintManager {
    RefreshedPaintManager() { pm->RefreshMetrics(); }
    ~RefreshedPaintManager() { pm->InternalRelease(); }
    CTestPaintManager* operator->() const { return pm; }
    CTestPaintManager* pm = new CTestPaintManager();
};

} // namespace

TEST(KitPaintManager, ColorsAreTableEntriesOrLiteralsAndCustomValuesSurviveARefresh)
{
    RefreshedPaintManager pm;
    // A value above the table is a colour itself.
    EXPECT_EQ(static_cast<COLORREF>(63), pm->GetColor(63));
    EXPECT_EQ(RGB(10, 20, 30), pm->GetColor(RGB(10, 20, 30)));
    // An entry without a custom value gives its standard value, the system colour.
    EXPECT_EQ(::GetSysColor(COLOR_WINDOW), pm->GetColor(COLOR_WINDOW));
    EXPECT_EQ(RGB(0, 0, 0), pm->GetColor(0));

    pm->GetColorEntry(COLOR_WINDOW).SetCustomValue(RGB(1, 2, 3));
    EXPECT_EQ(RGB(1, 2, 3), pm->GetColor(COLOR_WINDOW));
    pm->RefreshStandardColors();
    EXPECT_EQ(RGB(1, 2, 3), pm->GetColor(COLOR_WINDOW));
    EXPECT_EQ(::GetSysColor(COLOR_WINDOW), pm->GetColorEntry(COLOR_WINDOW).GetStandardColor());

    const int indices[] = {COLOR_3DFACE, 40};
    const COLORREF colors[] = {RGB(9, 9, 9), RGB(8, 8, 8)};
    pm->SetColors(2, indices, colors);
    EXPECT_EQ(RGB(9, 9, 9), pm->GetColor(COLOR_3DFACE));
    EXPECT_EQ(RGB(8, 8, 8), pm->GetColor(40));

    // The refresh derives the text and caption colours from the table.
    EXPECT_EQ(pm->GetColor(COLOR_BTNTEXT), pm->m_clrText);
    EXPECT_EQ(pm->GetColor(COLOR_GRAYTEXT), pm->m_clrDisabledText);
    EXPECT_EQ(RGB(0, 0, 0), pm->GetShadowManager()->GetShadowColor());
}

// The command-bar font follows the menu font with at least 11 pixels of character height, or the font size in points.
TEST(KitPaintManager, CommandBarFontHeightFollowsTheMenuFontOrTheFontSize)
{
    struct Case {
        LONG nMenuHeight;
        int nFontSize;
        LONG nExpected;
    };
    const Case cases[] = {
        {-9, 0, -11}, {-13, 0, -13}, {16, 0, 16}, {-11, 0, -11}, {-13, 9, 13}, {-13, 12, 13}, {-13, 14, 17},
    };
    for (const Case& c : cases) {
        CTestPaintManager* pm = new CTestPaintManager();
        pm->m_nMenuFontHeight = c.nMenuHeight;
        pm->m_nFontHeight = c.nFontSize;
        pm->RefreshMetrics();
        EXPECT_EQ(c.nExpected, pm->RegularLogFont().lfHeight) << "menu " << c.nMenuHeight << " size " << c.nFontSize;
        LOGFONTA lfBold = {}, lfVert = {};
        pm->GetRegularBoldFont()->GetLogFont(&lfBold);
        pm->GetVerticalFont()->GetLogFont(&lfVert);
        EXPECT_EQ(FW_BOLD, lfBold.lfWeight);
        EXPECT_EQ(2700, lfVert.lfEscapement);
        EXPECT_EQ(900, lfVert.lfOrientation);
        pm->InternalRelease();
    }
}

TEST(KitPaintManager, TheTextHeightIsASpaceOfTheRegularFontPlusSix)
{
    RefreshedPaintManager pm;
    HDC hdc = ::GetDC(nullptr);
    HGDIOBJ hOld = ::SelectObject(hdc, static_cast<HFONT>(*pm->GetRegularFont()));
    SIZE size = {};
    ::GetTextExtentPoint32A(hdc, " ", 1, &size);
    ::SelectObject(hdc, hOld);
    ::ReleaseDC(nullptr, hdc);
    EXPECT_EQ(size.cy + 6, pm->GetTextHeight());
    EXPECT_EQ(std::max(size.cy + 6, 22L), static_cast<LONG>(pm->GetControlHeight()));
    EXPECT_NE(nullptr, pm->GetStatusFont()->GetSafeHandle());
    EXPECT_NE(nullptr, pm->GetSmallCaptionFont()->GetSafeHandle());
    LOGFONTA lfIconBold = {};
    pm->GetIconBoldFont()->GetLogFont(&lfIconBold);
    EXPECT_EQ(FW_BOLD, lfIconBold.lfWeight);
}

// The own face is taken only when the menu face already is it.
TEST(KitPaintManager, TheOwnFaceIsUsedOnlyWhenTheMenuFaceIsIt)
{
    CTestPaintManager* pm = new CTestPaintManager();
    pm->m_pszMenuFace = "tahoma";
    pm->RefreshMetrics();
    const bool bTahoma = CKitDrawHelpers::FontExists("Tahoma") != FALSE;
    EXPECT_STREQ(bTahoma ? "Tahoma" : "tahoma", pm->RegularLogFont().lfFaceName);
    pm->InternalRelease();

    pm = new CTestPaintManager();
    pm->m_pszMenuFace = "Arial";
    pm->RefreshMetrics();
    EXPECT_STREQ("Arial", pm->RegularLogFont().lfFaceName);
    pm->InternalRelease();
}

// A font set by the application stays over a refresh until it is made standard again.
TEST(KitPaintManager, ACustomFontStaysOverARefresh)
{
    RefreshedPaintManager pm;
    LOGFONTA lf = {};
    lf.lfHeight = -31;
    lstrcpyA(lf.lfFaceName, "Arial");
    pm->GetStatusFont()->SetCustomFont(&lf);
    pm->RefreshMetrics();
    LOGFONTA lfStatus = {};
    pm->GetStatusFont()->GetLogFont(&lfStatus);
    EXPECT_EQ(-31, lfStatus.lfHeight);
    pm->GetStatusFont()->SetStandardFont(TRUE);
    pm->RefreshMetrics();
    pm->GetStatusFont()->GetLogFont(&lfStatus);
    EXPECT_NE(-31, lfStatus.lfHeight);
}

TEST(KitPaintManager, SplitStringBreaksAtTheSpaceNearestTheMiddle)
{
    struct Case {
        const char* pszText;
        const char* pszFirst;
        const char* pszSecond;
    };
    const Case cases[] = {
        {"abcd ef", "abcd", "ef"},         // the only space is the fifth character
        {"abcdefg", "abcdefg", ""},        // no space
        {"a b", "a b", ""},                // half - 1 is 0
        {" abcdef", " abcdef", ""},        // a space only at the start
        {"ab cd ef", "ab cd", "ef"},       // the nearer space after the middle
        {"abc de f", "abc", "de f"},       // equal distance: the left one
        {"New Item", "New", "Item"},
        {"a bcdefghij", "a bcdefghij", ""}, // the space lies outside the window
    };
    for (const Case& c : cases) {
        CString strFirst, strSecond;
        CKitPaintManager::SplitString(c.pszText, strFirst, strSecond);
        EXPECT_STREQ(c.pszFirst, strFirst) << c.pszText;
        EXPECT_STREQ(c.pszSecond, strSecond) << c.pszText;
    }
}

TEST(KitPaintManager, ControlMetricsFollowTheTextHeight)
{
    RefreshedPaintManager pm;
    struct Case {
        int nTextHeight;
        int nFixedSize;
        int nDropDown;
    };
    const Case cases[] = {{19, 0, 27}, {20, 0, 29}, {10, 0, 27}, {25, 5, 33}};
    for (const Case& c : cases) {
        pm->SetTextHeight(c.nTextHeight);
        pm->m_nFixedControlSize = c.nFixedSize;
        EXPECT_EQ(c.nDropDown, pm->GetSplitDropDownSize()) << c.nTextHeight;
    }
    pm->m_nFixedControlSize = 0;

    pm->SetTextHeight(26);
    EXPECT_EQ(CSize(16, 16), pm->GetAutoIconSize(FALSE));
    EXPECT_EQ(CSize(32, 32), pm->GetAutoIconSize(TRUE));
    pm->m_bAutoResizeIcons = TRUE;
    EXPECT_EQ(CSize(16, 16), pm->GetAutoIconSize(FALSE));
    EXPECT_EQ(CSize(40, 40), pm->GetAutoIconSize(TRUE));
    pm->SetTextHeight(10);
    EXPECT_EQ(CSize(16, 16), pm->GetAutoIconSize(FALSE));

    // Popup image column: (max(text height + 4, w + 4), max(text height, h + 6)).
    CKitPopupBar popup;
    pm->SetTextHeight(20);
    EXPECT_EQ(CSize(24, 22), pm->GetPopupBarImageSize(&popup));
    EXPECT_EQ(25, pm->GetPopupBarGripperWidth(&popup));
    popup.SetDoubleColumn(TRUE, FALSE);
    EXPECT_EQ(25, pm->GetPopupBarGripperWidth(&popup));
    popup.SetDoubleColumn(TRUE, TRUE);
    EXPECT_EQ(49, pm->GetPopupBarGripperWidth(&popup));
    popup.SetIconSize(CSize(32, 32));
    EXPECT_EQ(CSize(36, 38), pm->GetPopupBarImageSize(&popup));
    CKitToolBar toolbar;
    EXPECT_EQ(0, pm->GetPopupBarGripperWidth(&toolbar));
}

// Fonts and the split button's command part depend on the bar the control stands on.
TEST(KitPaintManager, FontsAndSplitCommandPartFollowTheBar)
{
    RefreshedPaintManager pm;
    pm->SetTextHeight(20);
    CKitToolBar toolbar;
    auto* pSplit = static_cast<CKitControlPopup*>(
        toolbar.GetControls()->AddControl(new CKitControlPopup(kitControlSplitButtonPopup)));
    pSplit->SetRect(CRect(0, 0, 60, 70));

    EXPECT_EQ(pm->GetRegularFont(), pm->GetControlFont(pSplit));
    EXPECT_EQ(pm->GetRegularFont(), pm->GetCommandBarFont(&toolbar));
    EXPECT_EQ(CRect(0, 0, 48, 70), pm->GetSplitButtonCommandRect(pSplit));
    pSplit->SetStyle(kitButtonIconAndCaptionBelow);
    EXPECT_EQ(CRect(0, 0, 60, 41), pm->GetSplitButtonCommandRect(pSplit));

    toolbar.SetPosition(kitBarLeft);
    EXPECT_EQ(kitTextOrientationVertical, pm->GetControlTextOrientation(pSplit));
    EXPECT_EQ(pm->GetVerticalFont(), pm->GetControlFont(pSplit));
    EXPECT_EQ(pm->GetVerticalFont(), pm->GetCommandBarFont(&toolbar));
    EXPECT_EQ(CRect(29, 0, 60, 70), pm->GetSplitButtonCommandRect(pSplit));
    pSplit->SetCaptionBold(TRUE);
    EXPECT_EQ(pm->GetVerticalBoldFont(), pm->GetControlFont(pSplit));
    toolbar.SetTextOrientation(kitTextOrientationHorizontal);
    EXPECT_EQ(pm->GetRegularBoldFont(), pm->GetControlFont(pSplit));
    EXPECT_EQ(pm->GetRegularFont(), pm->GetCommandBarFont(&toolbar));

    CKitPopupBar popup;
    CKitControl* pItem = popup.GetControls()->AddControl(new CKitControlPopup(kitControlSplitButtonPopup));
    pItem->SetRect(CRect(0, 0, 100, 20));
    EXPECT_EQ(CRect(0, 0, 80, 20), pm->GetSplitButtonCommandRect(pItem));

    CKitMenuBar menubar;
    pm->m_bFlatMenuBar = TRUE;
    EXPECT_TRUE(pm->IsFlatCommandBar(&menubar));
    EXPECT_FALSE(pm->IsFlatCommandBar(&toolbar));
    EXPECT_EQ(CRect(2, 2, 2, 2), pm->GetCommandBarBorders(&toolbar));

    pItem->SetEnabled(0);
    EXPECT_EQ(pm->GetColor(COLOR_3DFACE), pm->GetControlEditBackColor(pItem));
    pItem->SetEnabled(1);
    EXPECT_EQ(pm->GetColor(COLOR_WINDOW), pm->GetControlEditBackColor(pItem));
}

// The rectangle helper fills and frames only with real, distinct colours.
TEST(KitPaintManager, RectangleFillsAndFramesWithTableColours)
{
    RefreshedPaintManager pm;
    Canvas canvas(8, 8);
    CDC& dc = canvas.dc;
    pm->GetColorEntry(40).SetCustomValue(RGB(200, 0, 0));

    dc.FillSolidRect(0, 0, 8, 8, RGB(255, 255, 255));
    pm->Rectangle(&dc, CRect(1, 1, 7, 7), 0, 40);
    EXPECT_EQ(RGB(0, 0, 0), dc.GetPixel(1, 1));
    EXPECT_EQ(RGB(200, 0, 0), dc.GetPixel(3, 3));
    EXPECT_EQ(RGB(255, 255, 255), dc.GetPixel(0, 0));

    dc.FillSolidRect(0, 0, 8, 8, RGB(255, 255, 255));
    pm->Rectangle(&dc, CRect(1, 1, 7, 7), 40, -1);
    EXPECT_EQ(RGB(200, 0, 0), dc.GetPixel(1, 1));
    EXPECT_EQ(RGB(255, 255, 255), dc.GetPixel(3, 3));

    dc.FillSolidRect(0, 0, 8, 8, RGB(255, 255, 255));
    pm->Line(&dc, 6, 2, 1, 2, 40);
    EXPECT_EQ(RGB(200, 0, 0), dc.GetPixel(1, 2));
    EXPECT_EQ(RGB(255, 255, 255), dc.GetPixel(6, 2));
    pm->Line(&dc, 0, 0, 4, 4, 0);
    EXPECT_EQ(RGB(0, 0, 0), dc.GetPixel(2, 2));
}

// Installing a paint manager refreshes it as theme 10 and releases the one before; Done clears.
TEST(KitPaintManager, SetCustomThemeInstallsAndReleasesThePrevious)
{
    CKitPaintManager::Done();
    EXPECT_EQ(nullptr, CKitPaintManager::GetCurrent());
    const int nDestroyed = CTestPaintManager::DestroyedCount();

    CTestPaintManager* pFirst = new CTestPaintManager();
    CKitPaintManager::SetCustomTheme(pFirst);
    EXPECT_EQ(pFirst, CKitPaintManager::GetCurrent());
    EXPECT_EQ(10, pFirst->GetThemeNumber());
    EXPECT_NE(nullptr, pFirst->GetRegularFont()->GetSafeHandle());
    EXPECT_GT(pFirst->GetTextHeight(), 6);

    // A holder's reference keeps the replaced paint manager alive.
    pFirst->InternalAddRef();
    CTestPaintManager* pSecond = new CTestPaintManager();
    CKitPaintManager::SetCustomTheme(pSecond);
    EXPECT_EQ(pSecond, CKitPaintManager::GetCurrent());
    EXPECT_EQ(nDestroyed, CTestPaintManager::DestroyedCount());
    pFirst->InternalRelease();
    EXPECT_EQ(nDestroyed + 1, CTestPaintManager::DestroyedCount());

    // Installed again, the current one stays alive and current, refreshed as theme 10.
    pSecond->SetThemeNumber(3);
    CKitPaintManager::SetCustomTheme(pSecond);
    EXPECT_EQ(nDestroyed + 1, CTestPaintManager::DestroyedCount());
    ASSERT_EQ(pSecond, CKitPaintManager::GetCurrent());
    EXPECT_EQ(10, pSecond->GetThemeNumber());
    EXPECT_NE(nullptr, pSecond->GetRegularFont()->GetSafeHandle());

    CKitPaintManager::Done();
    EXPECT_EQ(nullptr, CKitPaintManager::GetCurrent());
    EXPECT_EQ(nDestroyed + 2, CTestPaintManager::DestroyedCount());
    CKitPaintManager::Done();
    EXPECT_EQ(nullptr, CKitPaintManager::GetCurrent());
}

TEST(KitPaintManager, TheSystemThemeSettingFollowsTheColourManager)
{
    RefreshedPaintManager pm;
    CKitColorManager* pColors = CKitColorManager::Instance();
    pm->m_nSystemTheme = 3;
    EXPECT_EQ(3, pm->GetCurrentSystemTheme());
    pm->m_nSystemTheme = 6;
    EXPECT_EQ(pColors->GetDetectedSystemTheme(), pm->GetCurrentSystemTheme());
    pm->m_nSystemTheme = 7;
    pColors->DisableVisualStyleColors(TRUE);
    EXPECT_EQ(0, pm->GetCurrentSystemTheme());
    pColors->DisableVisualStyleColors(FALSE);
    EXPECT_EQ(pColors->GetCurrentSystemTheme(), pm->GetCurrentSystemTheme());
}

TEST(KitPaintManager, BlendedPixelsAndSmoothCircles)
{
    Canvas canvas(12, 12, RGB(255, 255, 255));
    // A negative factor blends towards the given colour by its size.
    EXPECT_EQ(RGB(63, 63, 63), CKitPaintManager::BlendPixel(&canvas.dc, 0, 0, RGB(0, 0, 0), RGB(255, 255, 255), -0.25));
    // A positive factor reads the pixel from the DC.
    canvas.dc.SetPixel(1, 1, RGB(100, 200, 40));
    EXPECT_EQ(RGB(50, 100, 20), CKitPaintManager::BlendPixel(&canvas.dc, 1, 1, RGB(0, 0, 0), RGB(9, 9, 9), 0.5));

    // Only a square gets a circle.
    canvas.dc.FillSolidRect(0, 0, 12, 12, RGB(255, 255, 255));
    CKitPaintManager::DrawSmoothCircle(&canvas.dc, CRect(0, 0, 10, 12), RGB(0, 0, 0), RGB(0, 0, 0));
    EXPECT_EQ(144, canvas.Count(CRect(0, 0, 12, 12), RGB(255, 255, 255)));
    CKitPaintManager::DrawSmoothCircle(&canvas.dc, CRect(0, 0, 10, 10), RGB(0, 0, 0), RGB(0, 0, 0));
    EXPECT_EQ(RGB(0, 0, 0), canvas.Pixel(4, 4));
    EXPECT_EQ(RGB(0, 0, 0), canvas.Pixel(5, 5));
    EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(0, 0));
    EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(10, 10));
    // The rim is blended: neither the fill nor the ground.
    const COLORREF clrRim = canvas.Pixel(0, 4);
    EXPECT_NE(RGB(0, 0, 0), clrRim);
    EXPECT_NE(RGB(255, 255, 255), clrRim);
}

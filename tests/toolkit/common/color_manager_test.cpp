// The colour manager: blends, distances, the visual-style sets, the refresh steps and the serialized colours.
#include "toolkit/common/color_manager.h"

#include "framework/archive.h"
#include "framework/file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <string>

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);

// A classic scheme: system colours by index, the rest a neutral grey.
std::map<int, COLORREF> ClassicScheme()
{
    return {{COLOR_WINDOW, kWhite},           {COLOR_BTNFACE, RGB(212, 208, 200)},
            {COLOR_BTNSHADOW, RGB(128, 128, 128)}, {COLOR_HIGHLIGHT, RGB(10, 36, 106)},
            {COLOR_HIGHLIGHTTEXT, kWhite},    {COLOR_GRAYTEXT, RGB(128, 128, 128)},
            {COLOR_BTNTEXT, kBlack},          {COLOR_WINDOWTEXT, kBlack},
            {COLOR_MENUTEXT, kBlack},         {COLOR_3DDKSHADOW, RGB(64, 64, 64)},
            {COLOR_BTNHIGHLIGHT, kWhite}};
}

// A colour manager over given system colours and screen depth.
class KitColors : public ::testing::Test {
protected:
    void Use(std::map<int, COLORREF> scheme, int bitsPerPixel = 32)
    {
        manager.SetSysColorProvider([scheme](int index) {
            const auto found = scheme.find(index);
            return found != scheme.end() ? found->second : RGB(100, 100, 100);
        });
        manager.SetScreenDepthProvider([bitsPerPixel] { return bitsPerPixel; });
        manager.RefreshColors();
    }

    CKitColorManager manager;
};

TEST(KitColorArithmetic, BlendsInPercentOrPerMille)
{
    struct Case {
        COLORREF a;
        COLORREF b;
        int weight;
        COLORREF expected;
    };
    const Case cases[] = {
        {kWhite, kBlack, 50, RGB(128, 128, 128)},
        {kWhite, kBlack, 500, RGB(128, 128, 128)},
        {kWhite, kBlack, 0, kBlack},
        {kWhite, kBlack, 1000, kWhite},
        {RGB(212, 208, 200), kWhite, 143, RGB(249, 248, 247)},
        {RGB(200, 0, 100), RGB(0, 100, 50), 25, RGB(50, 75, 63)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, CKitColorManager::BlendColorsPercent(c.a, c.b, c.weight)) << c.weight;
}

TEST(KitColorArithmetic, DistancesAreWeightedAndLightAdjusted)
{
    EXPECT_NEAR(440.85, CKitColorManager::GetColorDistance(kBlack, kWhite), 0.01);
    EXPECT_NEAR(65.0, CKitColorManager::GetColorDistance(kBlack, RGB(0, 0, 255)), 0.01);
    // Near black the threshold doubles: 51 apart is distinct from 30, not from 60.
    EXPECT_TRUE(CKitColorManager::IsColorDistinct(kBlack, RGB(0, 0, 200), FALSE, 30));
    EXPECT_FALSE(CKitColorManager::IsColorDistinct(kBlack, RGB(0, 0, 200), TRUE, 30));
    EXPECT_TRUE(CKitColorManager::IsColorDistinct(kWhite, RGB(200, 200, 200), TRUE, 30));
}

TEST(KitColorArithmetic, LimitedAndDistinctColoursKeepTheirDistance)
{
    struct Case {
        COLORREF a;
        COLORREF b;
        double threshold;
    };
    const Case cases[] = {
        {RGB(212, 208, 200), RGB(0, 0, 128), 35},
        {kWhite, kBlack, 145},
        {RGB(10, 36, 106), kWhite, 100},
    };
    for (const Case& c : cases) {
        const COLORREF limited = CKitColorManager::LimitColorDistance(c.a, c.b, c.threshold);
        const double lightness = CKitColorManager::GetColorDistance(c.a, kBlack);
        const double adjusted = c.threshold * (2.0 - std::min(static_cast<int>(lightness), 220) / 220.0);
        EXPECT_NEAR(adjusted, CKitColorManager::GetColorDistance(c.a, limited), 2.0) << c.threshold;
    }
    const COLORREF pairs[][2] = {{kWhite, kWhite}, {kBlack, kBlack}, {RGB(212, 208, 200), RGB(210, 210, 200)},
                                 {RGB(10, 36, 106), RGB(12, 40, 110)}, {RGB(128, 128, 128), RGB(130, 128, 128)}};
    for (const auto& pair : pairs) {
        const COLORREF distinct = CKitColorManager::MakeDistinctColor(pair[0], pair[1], 50);
        const double lightness = CKitColorManager::GetColorDistance(pair[0], kBlack);
        const double adjusted = 50 * (2.0 - std::min(static_cast<int>(lightness), 220) / 220.0);
        EXPECT_GE(CKitColorManager::GetColorDistance(pair[0], distinct), adjusted - 2.0) << std::hex << pair[0];
    }
}

TEST(KitColorArithmetic, TheVisualStyleFollowsTheThemeFileAndColour)
{
    struct Case {
        const wchar_t* file;
        const wchar_t* color;
        BOOL royale;
        BOOL aero;
        int expected;
    };
    const Case cases[] = {
        {L"C:\\WINDOWS\\Resources\\Themes\\Luna\\Luna.msstyles", L"NormalColor", TRUE, TRUE, 1},
        {L"C:\\WINDOWS\\Resources\\Themes\\Luna\\Luna.msstyles", L"HomeStead", TRUE, TRUE, 2},
        {L"C:\\WINDOWS\\Resources\\Themes\\Luna\\Luna.msstyles", L"Metallic", TRUE, TRUE, 3},
        {L"C:\\skins\\WinXP.Luna.cjstyles", L"metallic", TRUE, TRUE, 3},
        {L"C:\\WINDOWS\\Resources\\Themes\\Luna\\Luna.msstyles", L"Purple", TRUE, TRUE, 0},
        {L"C:\\WINDOWS\\Resources\\Themes\\Royale\\Royale.msstyles", L"NormalColor", TRUE, TRUE, 4},
        {L"C:\\WINDOWS\\Resources\\Themes\\Royale\\Royale.msstyles", L"NormalColor", FALSE, TRUE, 0},
        {L"C:\\Windows\\resources\\themes\\Aero\\Aero.msstyles", L"NormalColor", TRUE, TRUE, 5},
        {L"C:\\Windows\\resources\\themes\\Aero\\Aero.msstyles", L"NormalColor", TRUE, FALSE, 0},
        {L"", L"", TRUE, TRUE, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, CKitColorManager::DetectSystemTheme(c.file, c.color, c.royale, c.aero))
            << std::wstring(c.file).size() << " " << c.expected;
}

TEST_F(KitColors, IndicesAboveTheTableAreColoursAndCustomValuesSurviveARefresh)
{
    Use(ClassicScheme());
    EXPECT_EQ(63u, manager.GetColor(63));
    EXPECT_EQ(0x123456u, manager.GetColor(0x123456));
    EXPECT_EQ(kBlack, manager.GetColor(0));
    EXPECT_EQ(RGB(212, 208, 200), manager.GetColor(COLOR_BTNFACE));
    manager.SetCustomColor(31, RGB(1, 2, 3));
    manager.RefreshColors();
    EXPECT_EQ(RGB(1, 2, 3), manager.GetColor(31));
    EXPECT_EQ(RGB(1, 2, 3), manager.GetVisualStyleColor(31));
}

TEST_F(KitColors, AClassicSchemeGivesTheBlendsAndDerivedGreys)
{
    manager.SetConfiguredSystemTheme(CKitColorManager::kThemeNone);
    Use(ClassicScheme());
    struct Case {
        int index;
        COLORREF expected;
    };
    const Case cases[] = {
        {30, RGB(219, 216, 209)}, {53, RGB(219, 216, 209)}, {41, RGB(249, 248, 247)}, {42, RGB(204, 200, 193)},
        {36, RGB(212, 213, 216)}, {22, RGB(227, 223, 215)}, {48, RGB(247, 242, 233)}, {49, RGB(85, 85, 85)},
        {44, kBlack},             {59, kBlack},             {51, RGB(212, 208, 200)}, {52, RGB(128, 128, 128)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, manager.GetColor(c.index)) << c.index;
    // Without a visual style the style layer is empty.
    EXPECT_EQ(manager.GetColor(30), manager.GetVisualStyleColor(30));
    EXPECT_EQ(RGB(128, 128, 128), manager.GetGradient(1).clrLight.GetStandardColor());
    EXPECT_EQ(RGB(212, 208, 200), manager.GetGradient(3).clrLight.GetStandardColor());
    EXPECT_EQ(0x8CD5FFu, manager.GetGradient(8).clrLight.GetStandardColor());
    EXPECT_EQ(0x97D4FFu, manager.GetGradient(10).clrDark.GetStandardColor());
}

TEST_F(KitColors, AConfiguredStyleAppliesWhateverThePlatformUses)
{
    struct Case {
        int theme;
        int index;
        COLORREF expected;
    };
    const Case cases[] = {
        {2, 30, 0xA7D9D9}, {2, 59, 0x19221F}, {1, 30, 0xF5BE9E}, {4, 43, 0x962D00},
        {5, 50, 0x800000}, {3, 41, 0xFFFAFD}, {3, 37, 0x6F4B4B}, {2, 31, 0xC2EEFF},
    };
    for (const Case& c : cases) {
        manager.SetConfiguredSystemTheme(c.theme);
        Use(ClassicScheme());
        EXPECT_EQ(c.theme, manager.GetCurrentSystemTheme());
        EXPECT_EQ(c.expected, manager.GetVisualStyleColor(c.index)) << c.theme << " " << c.index;
    }
    manager.SetConfiguredSystemTheme(2);
    Use(ClassicScheme());
    const CKitPaintManagerColorGradient& first = manager.GetGradient(1);
    EXPECT_EQ(0x82C0AFu, static_cast<COLORREF>(first.clrLight));
    EXPECT_EQ(0x447A63u, static_cast<COLORREF>(first.clrDark));
    EXPECT_DOUBLE_EQ(0.3, manager.GetGradient(4).fGradientFactor);
    EXPECT_EQ(0x588060u, manager.GetColor(54));
    // Index 33 is the same in every scheme.
    EXPECT_EQ(0x3E80FEu, manager.GetVisualStyleColor(33));

    manager.DisableVisualStyleColors(TRUE);
    manager.RefreshColors();
    EXPECT_EQ(manager.GetColor(30), manager.GetVisualStyleColor(30));
    EXPECT_EQ(RGB(128, 128, 128), static_cast<COLORREF>(manager.GetGradient(1).clrLight));
}

TEST_F(KitColors, ALowResolutionScreenSkipsTheBlends)
{
    manager.SetConfiguredSystemTheme(CKitColorManager::kThemeAuto);
    Use(ClassicScheme(), 8);
    EXPECT_TRUE(manager.IsLowResolution());
    EXPECT_EQ(CKitColorManager::kThemeNone, manager.GetDetectedSystemTheme());
    EXPECT_EQ(RGB(212, 208, 200), manager.GetColor(30));
    EXPECT_EQ(kWhite, manager.GetColor(31));
    EXPECT_EQ(RGB(128, 128, 128), manager.GetColor(48));
    EXPECT_EQ(RGB(212, 208, 200), static_cast<COLORREF>(manager.GetGradient(2).clrDark));
    EXPECT_EQ(RGB(212, 208, 200), static_cast<COLORREF>(manager.GetGradient(4).clrLight));
}

TEST_F(KitColors, HighContrastTakesSelectionColoursInsteadOfBlends)
{
    auto scheme = ClassicScheme();
    scheme[COLOR_BTNFACE] = kBlack;
    scheme[COLOR_BTNTEXT] = kWhite;
    scheme[COLOR_WINDOW] = kBlack;
    scheme[COLOR_HIGHLIGHT] = RGB(255, 255, 0);
    scheme[COLOR_HIGHLIGHTTEXT] = kBlack;
    manager.SetConfiguredSystemTheme(CKitColorManager::kThemeNone);
    Use(scheme);
    EXPECT_EQ(RGB(255, 255, 0), manager.GetColor(31));
    EXPECT_EQ(RGB(255, 255, 0), manager.GetColor(50));
    EXPECT_EQ(kBlack, manager.GetColor(45));
    EXPECT_EQ(kWhite, manager.GetColor(32));
    EXPECT_EQ(kWhite, manager.GetColor(38));
    EXPECT_EQ(RGB(0x7F, 0x7F, 0x7F), manager.GetColor(49));
    EXPECT_EQ(RGB(0x23, 0x23, 0x23), manager.GetColor(48));
}

TEST(KitPaintManagerColor, SerializesStandardThenCustomValueThenTheFactor)
{
    CKitPaintManagerColorGradient gradient;
    gradient.SetStandardValue(0x112233, 0x445566, 0.75);
    gradient.clrDark.SetCustomValue(0x778899);
    EXPECT_EQ(0x778899u, static_cast<COLORREF>(gradient.clrDark));
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        gradient.Serialize(ar);
        ar.Close();
    }
    ASSERT_EQ(20u, file.GetLength());
    file.SeekToBegin();
    BYTE bytes[20] = {};
    file.Read(bytes, sizeof(bytes));
    const BYTE expected[16] = {0x33, 0x22, 0x11, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0x66, 0x55, 0x44, 0, 0x99, 0x88, 0x77, 0};
    EXPECT_EQ(0, memcmp(expected, bytes, sizeof(expected)));
    file.SeekToBegin();
    CKitPaintManagerColorGradient loaded;
    {
        CArchive ar(&file, CArchive::load);
        loaded.Serialize(ar);
    }
    EXPECT_EQ(0x112233u, static_cast<COLORREF>(loaded.clrLight));
    EXPECT_EQ(0x778899u, static_cast<COLORREF>(loaded.clrDark));
    EXPECT_EQ(0x445566u, loaded.clrDark.GetStandardColor());
    EXPECT_DOUBLE_EQ(0.75, loaded.fGradientFactor);

    CKitPaintManagerColorGradient copy;
    copy.SetStandardValueFrom(loaded);
    EXPECT_EQ(0x778899u, copy.clrDark.GetStandardColor());
    EXPECT_FALSE(copy.clrDark.IsCustomValue());
    copy.SetStandardColor(0x010101);
    EXPECT_EQ(0x010101u, static_cast<COLORREF>(copy.clrDark));
    EXPECT_DOUBLE_EQ(0.5, copy.fGradientFactor);
}

} // namespace

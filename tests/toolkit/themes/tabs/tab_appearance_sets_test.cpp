// The tab appearance sets' geometry: which set each style makes, margins turned for
// the position, header depth, button height, the page beside the header and the
// rectangles a button redraws, and the stacked bars of the Visio style.
#include "toolkit/themes/tabs/tab_appearance_sets.h"
#include "toolkit/themes/tabs/tab_color_sets.h"

#include "shape_strip.h"

#include <gtest/gtest.h>

#include <typeinfo>

namespace {

using PM = CKitTabPaintManager;
using Set = CKitTabPaintManagerAppearanceSet;

// A default colour set that says it draws with the system's visual styles.
class ThemedColorSet : public PM::CColorSetDefault {
public:
    BOOL IsAppThemed() override { return TRUE; }
};

// A paint manager with the test font (Tahoma, 11 pixels) and no icons.
class TestPaintManager : public CKitTabPaintManager {
public:
    explicit TestPaintManager(int nStyle = kAppearancePropertyPage)
    {
        UseTestFont(*this);
        m_bShowIcons = FALSE;
        SetAppearance(nStyle);
    }
};

}  // namespace

TEST(KitTabAppearanceSets, EachStyleMakesItsSetWithItsMarginsAndColourSets)
{
    struct Case {
        int nStyle;
        const std::type_info& type;
        CRect rcMargin;
        int nSupported;
        int nDefault;
    };
    const Case cases[] = {
        {0, typeid(PM::CAppearanceSetPropertyPage), CRect(2, 3, 6, 0), 13, 1},
        {1, typeid(PM::CAppearanceSetPropertyPageSelected), CRect(2, 3, 6, 0), 13, 1},
        {2, typeid(PM::CAppearanceSetPropertyPageFlat), CRect(2, 2, 4, 0), 263, 1},
        {3, typeid(PM::CAppearanceSetPropertyPage2003), CRect(2, 3, 6, 0), 85, 4},
        {4, typeid(PM::CAppearanceSetStateButtons), CRect(2, 2, 4, 2), 95, 2},
        {5, typeid(PM::CAppearanceSetVisualStudio), CRect(4, 2, 4, 0), 7, 2},
        {6, typeid(PM::CAppearanceSetFlat), CRect(2, 2, 4, 0), 263, 2},
        {7, typeid(PM::CAppearanceSetExcel), CRect(2, 3, 2, 0), 263, 2},
        {8, typeid(PM::CAppearanceSetVisio), CRect(0, 0, 0, 0), 5, 1},
        {9, typeid(PM::CAppearanceSetVisualStudio2005), CRect(2, 3, 6, 0), 85, 4},
        {10, typeid(PM::CAppearanceSetPropertyPage2007), CRect(4, 1, 0, 0), 32, 32},
        {11, typeid(PM::CAppearanceSetPropertyPageAccess2007), CRect(4, 1, 0, 0), 128, 128},
        {12, typeid(PM::CAppearanceSetVisualStudio2010), CRect(2, 2, 4, 0), 263, 256},
        {13, typeid(PM::CAppearanceSetPropertyPage), CRect(2, 3, 6, 0), 13, 1},
        {-1, typeid(PM::CAppearanceSetPropertyPage), CRect(2, 3, 6, 0), 13, 1},
    };
    for (const Case& c : cases) {
        Set* pSet = Set::Create(c.nStyle);
        EXPECT_EQ(c.type, typeid(*pSet)) << c.nStyle;
        EXPECT_EQ(c.rcMargin, pSet->m_rcHeaderMargin) << c.nStyle;
        EXPECT_EQ(c.nSupported, pSet->GetSupportedColorSets()) << c.nStyle;
        EXPECT_EQ(c.nDefault, pSet->GetDefaultColorSet()) << c.nStyle;
        EXPECT_EQ(c.nStyle == 4 ? 0 : -2, pSet->m_nRowSpacing) << c.nStyle;
        EXPECT_EQ(static_cast<BOOL>(c.nStyle == 9), pSet->m_bDrawFromBothEnds) << c.nStyle;
        delete pSet;
    }
    PM::CAppearanceSetPropertyPageFlat flat;
    PM::CAppearanceSetVisualStudio2010 vs2010;
    EXPECT_TRUE(flat.m_bRoundedCorners && flat.m_bDrawEveryButton && !flat.m_bSeparatorMode);
    EXPECT_TRUE(vs2010.m_bRoundedCorners && !vs2010.m_bDrawEveryButton && !vs2010.m_bSeparatorMode);
    EXPECT_FALSE(PM::CAppearanceSetVisualStudio2005().m_bHotBorder);
    Set base;
    EXPECT_EQ(95, base.GetSupportedColorSets());
    EXPECT_EQ(1, base.GetDefaultColorSet());
}

// A margin (1, 2, 3, 4) grows a rectangle at the leading end, outer side, trailing
// end and page side of each strip; shrinking undoes it.
TEST(KitTabAppearanceSets, MarginsTurnWithThePosition)
{
    const CRect rcMargin(1, 2, 3, 4);
    const struct {
        int nPosition;
        CRect rcGrown;
    } cases[] = {
        {PM::kTop, CRect(99, 98, 203, 204)},
        {PM::kLeft, CRect(98, 99, 204, 203)},
        {PM::kBottom, CRect(99, 96, 203, 202)},
        {PM::kRight, CRect(96, 99, 202, 203)},
    };
    for (const auto& c : cases) {
        CRect rc(100, 100, 200, 200);
        Set::InflateRectEx(rc, rcMargin, c.nPosition);
        EXPECT_EQ(c.rcGrown, rc) << c.nPosition;
        Set::DeflateRectEx(rc, rcMargin, c.nPosition);
        EXPECT_EQ(CRect(100, 100, 200, 200), rc) << c.nPosition;
    }
}

TEST(KitTabAppearanceSets, HeaderDepthCountsRowsMarginsAndTheLongestRotatedItem)
{
    TestPaintManager paintManager(PM::kAppearanceVisio);
    Set* pSet = paintManager.GetAppearanceSet();
    pSet->m_nButtonHeight = 18;
    ShapeStrip strip(&paintManager);
    // No margins, no icons: one row of 18, two rows overlapping by 2.
    EXPECT_EQ(18, pSet->GetHeaderHeight(&strip));
    strip.GetRowIndexer()->SetRowCount(2);
    EXPECT_EQ(34, pSet->GetHeaderHeight(&strip));
    strip.GetRowIndexer()->SetRowCount(1);

    // The property-page set adds its outer and page-side margins (3 and 0).
    paintManager.SetAppearance(PM::kAppearancePropertyPage);
    pSet = paintManager.GetAppearanceSet();
    pSet->m_nButtonHeight = 18;
    EXPECT_EQ(21, pSet->GetHeaderHeight(&strip));

    // Rotated: as deep as the longest item.
    strip.AddItems({"a", "b"});
    strip.GetItem(0)->SetLengths(120, 120);
    strip.GetItem(1)->SetLengths(40, 40);
    paintManager.SetLayout(PM::kLayoutRotated);
    EXPECT_EQ(123, pSet->GetHeaderHeight(&strip));

    // Hidden: no header, and the page is the whole control.
    paintManager.m_bShowHeader = FALSE;
    EXPECT_EQ(0, pSet->GetHeaderHeight(&strip));
    for (int nPosition = PM::kTop; nPosition <= PM::kRight; ++nPosition) {
        paintManager.SetPosition(nPosition);
        EXPECT_EQ(CRect(10, 20, 300, 200), pSet->GetClientRect(CRect(10, 20, 300, 200), &strip)) << nPosition;
        EXPECT_TRUE(pSet->GetHeaderRect(CRect(10, 20, 300, 200), &strip).IsRectEmpty()) << nPosition;
    }
}

TEST(KitTabAppearanceSets, ButtonHeightMakesRoomForIconsAndAccessKeepsAtLeast24)
{
    TestPaintManager paintManager;
    ShapeStrip strip(&paintManager);
    Set* pSet = paintManager.GetAppearanceSet();
    // The test font measures below 18 pixels high with 3 to spare.
    EXPECT_EQ(18, pSet->m_nButtonHeight);
    EXPECT_EQ(18, pSet->GetButtonHeight(&strip));
    paintManager.m_rcButtonMargin.SetRect(0, 2, 0, 3);
    EXPECT_EQ(23, pSet->GetButtonHeight(&strip));

    // A 16 x 16 icon with no button margin: the icon and 4 pixels.
    paintManager.m_rcButtonMargin.SetRectEmpty();
    paintManager.m_bShowIcons = TRUE;
    EXPECT_EQ(20, pSet->GetButtonHeight(&strip));
    EXPECT_EQ(20, pSet->GetButtonHeight(nullptr));

    paintManager.m_bShowIcons = FALSE;
    paintManager.SetAppearance(PM::kAppearancePropertyPageAccess2007);
    pSet = paintManager.GetAppearanceSet();
    EXPECT_EQ(24, pSet->m_nButtonHeight);
    EXPECT_EQ(24, pSet->GetButtonHeight(&strip));
    // Its trailing header margin leaves half a button for the overlap.
    EXPECT_EQ(CRect(4, 1, 12, 0), pSet->GetHeaderMargin());

    // A large font raises every set above its minimum.
    LOGFONTA lf = {};
    lf.lfHeight = -40;
    lstrcpyA(lf.lfFaceName, "Tahoma");
    paintManager.SetFontIndirect(&lf, FALSE);
    paintManager.RefreshMetrics();
    EXPECT_GT(paintManager.GetAppearanceSet()->m_nButtonHeight, 40);
}

// The header margins and redraw rectangles of the slanted shapes, for a 20-high button
// (a 40 x 20 item at (100, 10) on horizontal strips, 20 x 40 on vertical ones).
TEST(KitTabAppearanceSets, SlantedShapesWidenTheirMarginsAndRedrawRectangles)
{
    struct Case {
        int nStyle;
        CRect rcMargin;
        CRect rcTop;
        CRect rcLeft;
    };
    const Case cases[] = {
        {PM::kAppearancePropertyPage, CRect(2, 3, 6, 0), CRect(98, 8, 142, 32), CRect(98, 8, 122, 52)},
        {PM::kAppearancePropertyPage2003, CRect(22, 3, 6, 0), CRect(80, 10, 142, 30), CRect(100, -10, 120, 52)},
        {PM::kAppearanceVisualStudio2005, CRect(12, 3, 6, 0), CRect(90, 10, 150, 30), CRect(100, 0, 120, 60)},
        {PM::kAppearanceExcel, CRect(12, 3, 12, 0), CRect(90, 10, 150, 30), CRect(100, 0, 120, 60)},
        {PM::kAppearancePropertyPageAccess2007, CRect(4, 1, 10, 0), CRect(100, 10, 150, 30),
         CRect(100, 10, 120, 60)},
    };
    for (const Case& c : cases) {
        TestPaintManager paintManager(c.nStyle);
        Set* pSet = paintManager.GetAppearanceSet();
        pSet->m_nButtonHeight = 20;
        EXPECT_EQ(c.rcMargin, pSet->GetHeaderMargin()) << c.nStyle;
        ShapeStrip strip(&paintManager);
        strip.AddItems({"a"});
        strip.GetItem(0)->SetRect(CRect(100, 10, 140, 30));
        EXPECT_EQ(c.rcTop, pSet->GetButtonDrawRect(strip.GetItem(0))) << c.nStyle;
        paintManager.SetPosition(PM::kLeft);
        strip.GetItem(0)->SetRect(CRect(100, 10, 120, 50));
        EXPECT_EQ(c.rcLeft, pSet->GetButtonDrawRect(strip.GetItem(0))) << c.nStyle;
    }
}

// The page of a 300 x 200 control with a 21-deep header (property page, 18-high rows):
// beside the header, overlapping it by one pixel, then without the frame of its style.
TEST(KitTabAppearanceSets, ThePageLiesBesideTheHeaderLessItsFrame)
{
    struct Case {
        int nPosition;
        int nClientFrame;
        CRect rcClient;
        CRect rcAdjusted;
    };
    const Case cases[] = {
        {PM::kTop, PM::kClientFrameFull, CRect(0, 20, 300, 200), CRect(2, 22, 298, 198)},
        {PM::kTop, PM::kClientFrameSingleLine, CRect(0, 20, 300, 200), CRect(0, 22, 300, 200)},
        {PM::kTop, PM::kClientFrameNone, CRect(0, 20, 300, 200), CRect(0, 20, 300, 200)},
        {PM::kLeft, PM::kClientFrameSingleLine, CRect(20, 0, 300, 200), CRect(22, 0, 300, 200)},
        {PM::kBottom, PM::kClientFrameFull, CRect(0, 0, 300, 180), CRect(2, 2, 298, 178)},
        {PM::kBottom, PM::kClientFrameSingleLine, CRect(0, 0, 300, 180), CRect(0, 0, 300, 178)},
        {PM::kRight, PM::kClientFrameSingleLine, CRect(0, 0, 280, 200), CRect(0, 0, 278, 200)},
    };
    for (const Case& c : cases) {
        TestPaintManager paintManager;
        paintManager.GetAppearanceSet()->m_nButtonHeight = 18;
        paintManager.SetPosition(c.nPosition);
        paintManager.m_nClientFrame = c.nClientFrame;
        ShapeStrip strip(&paintManager);
        Set* pSet = paintManager.GetAppearanceSet();
        EXPECT_EQ(c.rcClient, pSet->GetClientRect(CRect(0, 0, 300, 200), &strip)) << c.nPosition << c.nClientFrame;
        CRect rc(0, 0, 300, 200);
        pSet->AdjustClientRect(&strip, rc);
        EXPECT_EQ(c.rcAdjusted, rc) << c.nPosition << c.nClientFrame;
    }

    // Control and client margins come off too, turned for the position.
    TestPaintManager paintManager;
    paintManager.GetAppearanceSet()->m_nButtonHeight = 18;
    paintManager.SetPosition(PM::kBottom);
    paintManager.m_rcControlMargin.SetRect(1, 2, 3, 4);
    paintManager.m_rcClientMargin.SetRect(5, 0, 0, 6);
    ShapeStrip strip(&paintManager);
    CRect rc(0, 0, 300, 200);
    paintManager.GetAppearanceSet()->AdjustClientRect(&strip, rc);
    // Control: (1, 4, 297, 198); header 177..198; page 4..178; client margin 5 leading, 6 page side.
    EXPECT_EQ(CRect(8, 12, 295, 176), rc);
}

// With a colour set that draws with visual styles and a full frame, the property-page
// set keeps 2 more at the trailing end, and 2 more toward the page for top and left strips.
TEST(KitTabAppearanceSets, ThemedPropertyPagesKeepRoomForTheThemedPane)
{
    const struct {
        int nPosition;
        int nClientFrame;
        CRect rcMargin;
    } cases[] = {
        {PM::kTop, PM::kClientFrameFull, CRect(1, 1, 3, 3)},
        {PM::kLeft, PM::kClientFrameFull, CRect(1, 1, 3, 3)},
        {PM::kBottom, PM::kClientFrameFull, CRect(1, 1, 3, 1)},
        {PM::kRight, PM::kClientFrameFull, CRect(1, 1, 3, 1)},
        {PM::kTop, PM::kClientFrameSingleLine, CRect(1, 1, 1, 1)},
    };
    for (const auto& c : cases) {
        TestPaintManager paintManager;
        paintManager.SetColorSet(new ThemedColorSet);
        paintManager.m_rcClientMargin.SetRect(1, 1, 1, 1);
        paintManager.SetPosition(c.nPosition);
        paintManager.m_nClientFrame = c.nClientFrame;
        EXPECT_EQ(c.rcMargin, paintManager.GetAppearanceSet()->GetClientMargin()) << c.nPosition;
        paintManager.SetColor(PM::kColorSetDefault);
        EXPECT_EQ(CRect(1, 1, 1, 1), paintManager.GetAppearanceSet()->GetClientMargin()) << c.nPosition;
    }
}

// Visio in (0, 0, 200, 300) with 20-high bars: the bars after the selected one sit at
// the bottom and the page opens between them.
TEST(KitTabAppearanceSets, VisioStacksBarsAndOpensThePageBelowTheSelectedOne)
{
    struct Case {
        int nSelected;
        int nClientFrame;
        CRect rcBars[3];
        CRect rcClient;
    };
    const Case cases[] = {
        {1, PM::kClientFrameFull, {{1, 1, 200, 21}, {1, 21, 200, 41}, {1, 280, 200, 300}}, CRect(1, 41, 199, 280)},
        {0, PM::kClientFrameFull, {{1, 1, 200, 21}, {1, 260, 200, 280}, {1, 280, 200, 300}}, CRect(1, 21, 199, 260)},
        {2, PM::kClientFrameFull, {{1, 1, 200, 21}, {1, 21, 200, 41}, {1, 41, 200, 61}}, CRect(1, 61, 199, 299)},
        {2, PM::kClientFrameNone, {{0, 1, 200, 21}, {0, 21, 200, 41}, {0, 41, 200, 61}}, CRect(0, 61, 200, 300)},
    };
    for (const Case& c : cases) {
        TestPaintManager paintManager(PM::kAppearanceVisio);
        paintManager.GetAppearanceSet()->m_nButtonHeight = 20;
        paintManager.m_nClientFrame = c.nClientFrame;
        ShapeStrip strip(&paintManager);
        strip.AddItems({"one", "two", "three"});
        strip.SetCurSel(c.nSelected);
        ScreenDC dc;
        paintManager.RepositionTabControl(&strip, &dc, CRect(0, 0, 200, 300));
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(c.rcBars[i], strip.GetItem(i)->GetRect()) << c.nSelected << " bar " << i;
        EXPECT_TRUE(paintManager.GetAppearanceSet()->GetHeaderRect(CRect(0, 0, 200, 300), &strip).IsRectEmpty());
        EXPECT_EQ(c.rcClient, strip.GetClientRect()) << c.nSelected;
    }
    // A short control: the bar after the selected one still starts a bar below it.
    TestPaintManager paintManager(PM::kAppearanceVisio);
    paintManager.GetAppearanceSet()->m_nButtonHeight = 20;
    ShapeStrip strip(&paintManager);
    strip.AddItems({"one", "two", "three"});
    strip.SetCurSel(0);
    ScreenDC dc;
    paintManager.RepositionTabControl(&strip, &dc, CRect(0, 0, 200, 50));
    EXPECT_EQ(CRect(1, 41, 200, 61), strip.GetItem(1)->GetRect());
}

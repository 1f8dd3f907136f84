// The tab appearance sets' shapes on a memory DC: outlines in their colours, the band
// that joins a selected tab to its page, anti-aliased corners, and the drawing of every
// set in every position against reference images.
#include "toolkit/themes/tabs/tab_appearance_shapes.h"
#include "toolkit/themes/tabs/tab_appearance_sets.h"
#include "toolkit/themes/tabs/tab_color_sets.h"

#include "shape_strip.h"
#include "support/canvas.h"

#include <gtest/gtest.h>

namespace {

using PM = CKitTabPaintManager;

constexpr COLORREF kPaper = RGB(1, 2, 3);

// A paint manager with the test font, no icons and the default colours.
class ShapePaintManager : public CKitTabPaintManager {
public:
    explicit ShapePaintManager(int nStyle)
    {
        UseTestFont(*this);
        m_bShowIcons = FALSE;
        SetAppearance(nStyle);
        SetColor(kColorSetDefault);
    }
    CKitTabPaintManagerColorSet& Colors() { return *GetColorSet(); }
};

}  // namespace

// A selected, hot Property page 2003 tab: in hot-border mode every line takes the hot
// border colour; otherwise the selected border and the white inner lines.
TEST(KitTabShapes, HotBorderModeDrawsTheHotSelectedTabAllInTheHotBorderColour)
{
    const COLORREF kBorder = RGB(10, 0, 0), kInnerLight = RGB(20, 0, 0), kInnerShade = RGB(30, 0, 0),
                   kSelectedBorder = RGB(40, 0, 0), kHotBorder = RGB(200, 0, 0), kFace = RGB(0, 128, 0);
    for (const BOOL bHotBorder : {TRUE, FALSE}) {
        ShapePaintManager paintManager(PM::kAppearancePropertyPage2003);
        CKitTabPaintManagerColorSet& colors = paintManager.Colors();
        colors.m_clrButtonBorder.SetCustomValue(kBorder);
        colors.m_clrButtonInnerLight.SetCustomValue(kInnerLight);
        colors.m_clrButtonInnerShade.SetCustomValue(kInnerShade);
        colors.m_clrSelectedButtonBorder.SetCustomValue(kSelectedBorder);
        colors.m_grcStateBorder.clrDark.SetCustomValue(kHotBorder);
        colors.m_clrSelectedFace.SetCustomValue(kFace);
        auto* pSet = static_cast<PM::CAppearanceSetPropertyPage2003*>(paintManager.GetAppearanceSet());
        pSet->m_bHotBorder = bHotBorder;
        ShapeStrip strip(&paintManager);
        strip.AddItems({""});
        strip.SetCurSel(0);
        strip.SetHot(strip.GetItem(0));
        strip.GetItem(0)->SetRect(CRect(30, 10, 90, 30));

        Canvas canvas(120, 40, kPaper);
        pSet->DrawSingleButton(&canvas.dc, strip.GetItem(0));
        const CRect all(0, 0, 120, 40);
        if (bHotBorder) {
            EXPECT_GT(canvas.Count(all, kHotBorder), 100);
            EXPECT_EQ(0, canvas.Count(all, kSelectedBorder));
            EXPECT_EQ(0, canvas.Count(all, RGB(255, 255, 255)));
            // The trailing edge and the outer edge.
            EXPECT_EQ(kHotBorder, canvas.Pixel(90, 20));
            EXPECT_EQ(kHotBorder, canvas.Pixel(60, 11));
        } else {
            EXPECT_EQ(0, canvas.Count(all, kHotBorder));
            EXPECT_EQ(kSelectedBorder, canvas.Pixel(90, 20));
            EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(89, 20));
            EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(60, 11));
        }
        EXPECT_EQ(0, canvas.Count(all, kBorder));
        EXPECT_EQ(kFace, canvas.Pixel(60, 20));
    }
}

// The selected Property page 2003 tab of row 0 gets a one-pixel band in its fill colour
// on the page's frame line next to it, reaching under its slant; in row 1, or unselected,
// it does not.
TEST(KitTabShapes, TheSelectedTabOfTheFirstRowJoinsThePage)
{
    const COLORREF kFace = RGB(0, 128, 0);
    struct Case {
        const char* name;
        int nPosition;
        CRect rcItem;
        BOOL bSelected;
        int nRow;
        CRect rcBand;
        BOOL bBand;
    };
    // The page's frame line lies one pixel inside the item's page side (top: B - 1).
    const Case cases[] = {
        {"top", PM::kTop, CRect(30, 10, 90, 30), TRUE, 0, CRect(14, 29, 91, 30), TRUE},
        {"bottom", PM::kBottom, CRect(30, 10, 90, 30), TRUE, 0, CRect(14, 10, 91, 11), TRUE},
        {"left", PM::kLeft, CRect(10, 40, 30, 100), TRUE, 0, CRect(29, 25, 30, 101), TRUE},
        {"right", PM::kRight, CRect(10, 40, 30, 100), TRUE, 0, CRect(10, 24, 11, 101), TRUE},
        {"second row", PM::kTop, CRect(30, 10, 90, 30), TRUE, 1, CRect(14, 29, 91, 30), FALSE},
        {"not selected", PM::kTop, CRect(30, 10, 90, 30), FALSE, 0, CRect(14, 29, 91, 30), FALSE},
    };
    for (const Case& c : cases) {
        ShapePaintManager paintManager(PM::kAppearancePropertyPage2003);
        paintManager.Colors().m_clrSelectedFace.SetCustomValue(kFace);
        paintManager.Colors().m_clrNormalFace.SetCustomValue(kFace);
        paintManager.SetPosition(c.nPosition);
        ShapeStrip strip(&paintManager);
        strip.AddItems({"", ""});
        strip.SetCurSel(c.bSelected ? 0 : 1);
        CKitTabManagerItem* pItem = strip.GetItem(0);
        pItem->SetRect(c.rcItem);
        pItem->SetRow(c.nRow);

        Canvas canvas(120, 120, kPaper);
        paintManager.GetAppearanceSet()->DrawSingleButton(&canvas.dc, pItem);
        if (c.bBand) {
            EXPECT_EQ(c.rcBand.Width() * c.rcBand.Height(), canvas.Count(c.rcBand, kFace)) << c.name;
        } else {
            // Under the slant, where only the band would reach, the paper shows.
            EXPECT_EQ(kPaper, canvas.Pixel(c.rcBand.left, c.rcBand.top)) << c.name;
            EXPECT_EQ(kPaper, canvas.Pixel(c.rcBand.left + 2, c.rcBand.top)) << c.name;
        }
    }
}

// Over a grey of 100, a background of (200, 0, 0) blends in at 120/255 beside each
// outer corner, a border of (0, 0, 255) at 180/255 inside it and 60/255 next to that.
TEST(KitTabShapes, AntiAliasedCornersBlendTheBackgroundAndTheBorder)
{
    const COLORREF kGrey = RGB(100, 100, 100);
    const COLORREF kBackground120 = RGB(147, 52, 52);
    const COLORREF kBorder180 = RGB(29, 29, 209);
    const COLORREF kBorder60 = RGB(76, 76, 136);
    struct Case {
        int nPosition;
        POINT background[4];
        POINT border180[2];
        POINT border60[4];
    };
    // The rectangle (10, 10, 30, 30): l = t = 10, r = b = 30.
    const Case cases[] = {
        {PM::kTop, {{10, 11}, {11, 10}, {28, 10}, {29, 11}}, {{11, 11}, {28, 11}}, {{12, 11}, {11, 12}, {27, 11}, {28, 12}}},
        {PM::kLeft, {{10, 11}, {11, 10}, {10, 28}, {11, 29}}, {{11, 11}, {11, 28}}, {{12, 11}, {11, 12}, {12, 28}, {11, 27}}},
        {PM::kBottom, {{10, 28}, {11, 29}, {29, 28}, {28, 29}}, {{11, 28}, {28, 28}}, {{12, 28}, {11, 27}, {27, 28}, {28, 27}}},
        {PM::kRight, {{29, 11}, {28, 10}, {29, 28}, {28, 29}}, {{28, 11}, {28, 28}}, {{27, 11}, {28, 12}, {27, 28}, {28, 27}}},
    };
    for (const Case& c : cases) {
        Canvas canvas(40, 40, kGrey);
        CKitTabShapes::AntiAliasCorners(&canvas.dc, CRect(10, 10, 30, 30), RGB(200, 0, 0), RGB(0, 0, 255), c.nPosition);
        for (const POINT& pt : c.background)
            EXPECT_EQ(kBackground120, canvas.Pixel(pt.x, pt.y)) << c.nPosition << " " << pt.x << "," << pt.y;
        for (const POINT& pt : c.border180)
            EXPECT_EQ(kBorder180, canvas.Pixel(pt.x, pt.y)) << c.nPosition << " " << pt.x << "," << pt.y;
        for (const POINT& pt : c.border60)
            EXPECT_EQ(kBorder60, canvas.Pixel(pt.x, pt.y)) << c.nPosition << " " << pt.x << "," << pt.y;
        // Ten pixels change, nothing else.
        EXPECT_EQ(40 * 40 - 10, canvas.Count(CRect(0, 0, 40, 40), kGrey)) << c.nPosition;
    }
    // No colour, no change.
    Canvas canvas(40, 40, kGrey);
    CKitTabShapes::AntiAliasCorners(&canvas.dc, CRect(10, 10, 30, 30), CLR_NONE, CLR_NONE, PM::kTop);
    EXPECT_EQ(40 * 40, canvas.Count(CRect(0, 0, 40, 40), kGrey));
}

// A selected sheet tab draws its outer edge in entry 1 with the light line in entry 4 below
// it; on a bottom strip those two lines take entries 2 and 6 instead.
TEST(KitTabShapes, SheetTabsTakeTheirEdgeColoursFromTheGroupEntries)
{
    const COLORREF entries[6] = {RGB(11, 0, 0), RGB(22, 0, 0), RGB(33, 0, 0),
                                 RGB(44, 0, 0), RGB(55, 0, 0), RGB(66, 0, 0)};
    struct Case {
        int nPosition;
        BOOL bSelected;
        int nOuterY;
        COLORREF clrOuter;
        int nInnerY;
        COLORREF clrInner;
    };
    // Item (40, 10, 100, 30): B' = 29, h = 9, moved 4 toward the start.
    const Case cases[] = {
        {PM::kTop, TRUE, 10, entries[0], 11, entries[3]},
        {PM::kBottom, TRUE, 29, entries[1], 28, entries[5]},
        {PM::kBottom, FALSE, 29, RGB(0, 0, 22), 28, RGB(0, 0, 66)},
    };
    for (const Case& c : cases) {
        ShapePaintManager paintManager(PM::kAppearanceExcel);
        CKitTabPaintManagerColorSet& colors = paintManager.Colors();
        for (int i = 1; i <= 6; ++i) {
            colors.GetSelectedGroup(i).SetCustomValue(entries[i - 1]);
            colors.GetNormalGroup(i).SetCustomValue(RGB(0, 0, GetRValue(entries[i - 1])));
        }
        paintManager.SetPosition(c.nPosition);
        ShapeStrip strip(&paintManager);
        strip.AddItems({"", ""});
        strip.SetCurSel(c.bSelected ? 0 : 1);
        strip.GetItem(0)->SetRect(CRect(40, 10, 100, 30));
        Canvas canvas(120, 40, kPaper);
        paintManager.GetAppearanceSet()->DrawSingleButton(&canvas.dc, strip.GetItem(0));
        EXPECT_EQ(c.clrOuter, canvas.Pixel(70, c.nOuterY)) << c.nPosition << c.bSelected;
        EXPECT_EQ(c.clrInner, canvas.Pixel(70, c.nInnerY)) << c.nPosition << c.bSelected;
    }
}

// Without rounded corners the property-page flat style underlines unselected tabs on
// the page side, unless the page has no frame.
TEST(KitTabShapes, FlatPropertyPagesDrawNoPageLineWithoutAPageFrame)
{
    const COLORREF kFrame = RGB(0, 0, 200), kFace = RGB(0, 128, 0);
    for (const int nClientFrame : {PM::kClientFrameFull, PM::kClientFrameNone}) {
        ShapePaintManager paintManager(PM::kAppearancePropertyPageFlat);
        paintManager.Colors().m_clrFrameBorder.SetCustomValue(kFrame);
        paintManager.Colors().m_clrNormalFace.SetCustomValue(kFace);
        paintManager.m_nClientFrame = nClientFrame;
        auto* pSet = static_cast<PM::CAppearanceSetPropertyPageFlat*>(paintManager.GetAppearanceSet());
        pSet->m_bRoundedCorners = FALSE;
        ShapeStrip strip(&paintManager);
        strip.AddItems({"", ""});
        strip.SetCurSel(1);
        strip.GetItem(0)->SetRect(CRect(20, 10, 80, 30));
        Canvas canvas(120, 40, kPaper);
        pSet->DrawSingleButton(&canvas.dc, strip.GetItem(0));
        EXPECT_EQ(nClientFrame == PM::kClientFrameFull ? kFrame : kFace, canvas.Pixel(50, 29)) << nClientFrame;
        // The rounded outline reaches 2 past the page side either way.
        EXPECT_EQ(kFrame, canvas.Pixel(50, 31)) << nClientFrame;
        EXPECT_EQ(kFrame, canvas.Pixel(20, 20)) << nClientFrame;
    }
}

// The frame parts around a tab control on a 40 x 30 rectangle: with the static frame a
// frame-border rectangle round a button-face line (part 0), the top raised by 1 (part 1),
// a control-face fill with a frame-border line at the right (part 2) or bottom (part 3);
// without it nothing (part 0), 2 more on every side (part 1), or the header's light fill.
TEST(KitTabShapes, WorkspacePartsFrameOrFillTheirRectangle)
{
    const COLORREF kFrame = RGB(0, 0, 200), kControl = RGB(0, 128, 0), kHeader = RGB(200, 200, 0);
    const COLORREF kButtonFace = CKitColorManager::Instance()->GetColor(COLOR_BTNFACE);
    struct Case {
        BOOL bStaticFrame;
        int nPart;
        CRect rcAfter;
        struct {
            int x, y;
            COLORREF clr;
        } probes[3];
    };
    const Case cases[] = {
        {TRUE, 0, CRect(0, 0, 40, 30), {{0, 0, kFrame}, {1, 5, kButtonFace}, {20, 15, kPaper}}},
        {TRUE, 1, CRect(0, -1, 40, 30), {{0, 0, kPaper}, {39, 29, kPaper}, {20, 15, kPaper}}},
        {TRUE, 2, CRect(0, 0, 40, 30), {{39, 10, kFrame}, {20, 29, kControl}, {20, 15, kControl}}},
        {TRUE, 3, CRect(0, 0, 40, 30), {{39, 10, kControl}, {20, 29, kFrame}, {20, 15, kControl}}},
        {FALSE, 0, CRect(0, 0, 40, 30), {{0, 0, kPaper}, {39, 29, kPaper}, {20, 15, kPaper}}},
        {FALSE, 1, CRect(-2, -2, 42, 32), {{0, 0, kPaper}, {39, 29, kPaper}, {20, 15, kPaper}}},
        {FALSE, 2, CRect(0, 0, 40, 30), {{0, 0, kHeader}, {39, 29, kHeader}, {20, 15, kHeader}}},
    };
    for (const Case& c : cases) {
        ShapePaintManager paintManager(PM::kAppearancePropertyPage);
        paintManager.m_bStaticFrame = c.bStaticFrame;
        paintManager.Colors().m_clrFrameBorder.SetCustomValue(kFrame);
        paintManager.Colors().m_clrControlFace.SetCustomValue(kControl);
        paintManager.Colors().m_grcHeaderFace.clrLight.SetCustomValue(kHeader);
        Canvas canvas(40, 30, kPaper);
        CRect rc(0, 0, 40, 30);
        paintManager.GetAppearanceSet()->DrawWorkspacePart(&canvas.dc, &rc, c.nPart);
        EXPECT_EQ(c.rcAfter, rc) << c.bStaticFrame << " part " << c.nPart;
        for (const auto& probe : c.probes)
            EXPECT_EQ(probe.clr, canvas.Pixel(probe.x, probe.y)) << c.bStaticFrame << " part " << c.nPart << " at "
                                                                 << probe.x << "," << probe.y;
    }
}

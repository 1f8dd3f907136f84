// The two back-ends: GDI+ bound by name with its fall-back to GDI, alpha frames, dashes, and agreement with GDI.
#include "markup_test_bitmap.h"
#include "markup_test_support.h"

#include "toolkit/markup/markup_brushes.h"
#include "toolkit/markup/markup_drawing_context.h"
#include "toolkit/markup/markup_gdiplus.h"
#include "toolkit/markup/markup_thickness.h"
#include "toolkit/markup/markup_values.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr int kWidth = 160;
constexpr int kHeight = 120;

// Shapes of every primitive, drawn in the tests that compare back-ends.
const char kAllShapes[] =
    "<Canvas>"
    "<Rectangle Canvas.Left=\"4\" Canvas.Top=\"4\" Width=\"40\" Height=\"30\" Fill=\"#3060C0\"/>"
    "<Rectangle Canvas.Left=\"50\" Canvas.Top=\"4\" Width=\"40\" Height=\"30\" Stroke=\"#802020\""
    " StrokeThickness=\"3\" RadiusX=\"6\" RadiusY=\"6\" Fill=\"#F0C040\"/>"
    "<Ellipse Canvas.Left=\"100\" Canvas.Top=\"4\" Width=\"50\" Height=\"30\" Fill=\"#20A040\" Stroke=\"Black\""
    " StrokeThickness=\"2\"/>"
    "<Line Canvas.Left=\"4\" Canvas.Top=\"44\" X1=\"0\" Y1=\"0\" X2=\"60\" Y2=\"20\" Stroke=\"#0000FF\""
    " StrokeThickness=\"3\"/>"
    "<Polyline Canvas.Left=\"70\" Canvas.Top=\"44\" Points=\"0,0 20,20 40,0 60,20\" Stroke=\"#C000C0\""
    " StrokeThickness=\"2\"/>"
    "<Polygon Canvas.Left=\"4\" Canvas.Top=\"74\" Points=\"0,40 20,0 40,40\" Fill=\"#FF8000\" Stroke=\"Black\"/>"
    "<Path Canvas.Left=\"60\" Canvas.Top=\"74\" Data=\"M 0,40 C 0,0 40,0 40,40 Z M 50,0 L 90,0 90,40 Z\""
    " Fill=\"#008080\" Stroke=\"#202020\" StrokeThickness=\"2\"/>"
    "</Canvas>";

// A white bitmap that a drawing context draws on, and its pixels.
class MarkupBackEndTest : public ::testing::Test {
protected:
    ~MarkupBackEndTest() override { CKitMarkupGdiPlusBinding::Instance().SetHeldOff(FALSE); }

    // The pixels after drawing the markup on a white bitmap through one back-end.
    std::vector<COLORREF> Render(const char* text, BOOL bGdiPlus)
    {
        m_bitmap.Clear();
        m_context.Get()->SetGdiPlusRendering(bGdiPlus);
        BuildResult result = BuildMarkup(m_context.Get(), text);
        EXPECT_TRUE(result.root) << result.error;
        if (result.root) {
            CKitMarkupDrawingContext dc(m_context.Get(), m_bitmap.GetDC());
            result.root->Measure(&dc, kWidth, kHeight);
            result.root->Arrange({0, 0, kWidth, kHeight});
            result.root->Render(&dc);
        }
        return m_bitmap.Pixels();
    }

    COLORREF Pixel(int x, int y) const { return m_bitmap.Pixel(x, y); }

    CTestMarkupContext m_context;
    CMarkupTestBitmap m_bitmap{kWidth, kHeight};
};

int ChannelDistance(COLORREF a, COLORREF b)
{
    return std::max({std::abs(GetRValue(a) - GetRValue(b)), std::abs(GetGValue(a) - GetGValue(b)),
                     std::abs(GetBValue(a) - GetBValue(b))});
}

TEST_F(MarkupBackEndTest, GdiPlusRunsWhileContextsLive)
{
    CKitMarkupGdiPlusBinding& binding = CKitMarkupGdiPlusBinding::Instance();
    const int users = binding.GetUserCount();
    EXPECT_GE(users, 1);
    EXPECT_NE(0u, binding.GetToken());
    EXPECT_NE(nullptr, binding.GetFunction(CKitMarkupGdiPlusBinding::fnFillPath));
    {
        CTestMarkupContext another;
        EXPECT_EQ(users + 1, binding.GetUserCount());
    }
    EXPECT_EQ(users, binding.GetUserCount());
    EXPECT_NE(0u, binding.GetToken());
}

TEST_F(MarkupBackEndTest, WithoutGdiPlusEveryPrimitiveDrawsThroughGdi)
{
    const std::vector<COLORREF> gdi = Render(kAllShapes, FALSE);
    CKitMarkupGdiPlusBinding::Instance().SetHeldOff(TRUE);
    const std::vector<COLORREF> fallBack = Render(kAllShapes, TRUE);
    EXPECT_EQ(gdi, fallBack);
    // Each shape left ink where it stands.
    for (POINT point : {POINT{20, 20}, POINT{70, 20}, POINT{125, 20}, POINT{34, 54}, POINT{24, 104},
                        POINT{80, 104}, POINT{130, 84}}) {
        EXPECT_NE(RGB(255, 255, 255), fallBack[point.y * kWidth + point.x]) << point.x << "," << point.y;
    }
}

TEST_F(MarkupBackEndTest, GdiAndGdiPlusAgreeWithinAntiAliasing)
{
    const std::vector<COLORREF> gdi = Render(kAllShapes, FALSE);
    const std::vector<COLORREF> gdiPlus = Render(kAllShapes, TRUE);
    int ink = 0;
    int differing = 0;
    int smoothed = 0;
    for (size_t i = 0; i < gdi.size(); ++i) {
        if (gdi[i] != RGB(255, 255, 255) || gdiPlus[i] != RGB(255, 255, 255))
            ++ink;
        if (ChannelDistance(gdi[i], gdiPlus[i]) > 96)
            ++differing;
        if (gdi[i] != gdiPlus[i])
            ++smoothed;
    }
    ASSERT_GT(ink, 3000);
    // GDI+ did draw: its edges are smoothed.
    EXPECT_GT(smoothed, 100);
    // Only edge pixels may differ much: anti-aliasing and half-pixel offsets.
    EXPECT_LT(differing * 100, ink * 12) << differing << " of " << ink;
    // The inside of a filled shape is the same colour on both.
    EXPECT_EQ(gdi[20 * kWidth + 20], gdiPlus[20 * kWidth + 20]);
    EXPECT_EQ(gdi[20 * kWidth + 125], gdiPlus[20 * kWidth + 125]);
}

TEST_F(MarkupBackEndTest, SemiTransparentFramesHaveNoDarkerCorners)
{
    CKitMarkupRef<CKitMarkupSolidColorBrush> brush(new CKitMarkupSolidColorBrush(128, RGB(255, 0, 0)));
    const CKitMarkupThickness thickness(6);
    m_context.Get()->SetGdiPlusRendering(TRUE);
    {
        CKitMarkupDrawingContext dc(m_context.Get(), m_bitmap.GetDC());
        dc.DrawFrame({10, 10, 90, 70}, brush.Get(), &thickness);
    }
    const COLORREF side = Pixel(12, 40);
    EXPECT_NE(RGB(255, 255, 255), side);
    EXPECT_NE(RGB(255, 0, 0), side);
    for (POINT corner : {POINT{12, 12}, POINT{87, 12}, POINT{12, 67}, POINT{87, 67}})
        EXPECT_EQ(side, Pixel(corner.x, corner.y)) << corner.x << "," << corner.y;
    EXPECT_EQ(side, Pixel(50, 12));
    EXPECT_EQ(RGB(255, 255, 255), Pixel(50, 40));
}

TEST_F(MarkupBackEndTest, EdgeCasesDrawAlikeOnBothBackEnds)
{
    struct Case {
        const char* text;
        POINT probe;
        COLORREF colour;
    };
    const Case cases[] = {
        // One gradient stop fills like a solid colour.
        {"<Rectangle Width=\"40\" Height=\"30\"><Rectangle.Fill><LinearGradientBrush>"
         "<GradientStop Color=\"#2080C0\" Offset=\"0.5\"/></LinearGradientBrush></Rectangle.Fill></Rectangle>",
         {20, 15}, RGB(0x20, 0x80, 0xC0)},
        // A stroke of thickness 0 draws no outline.
        {"<Rectangle Width=\"40\" Height=\"30\" Fill=\"#00FF00\" Stroke=\"Black\" StrokeThickness=\"0\"/>",
         {0, 15}, RGB(0, 255, 0)},
        {"<Line X1=\"0\" Y1=\"5\" X2=\"40\" Y2=\"5\" Stroke=\"Black\" StrokeThickness=\"0\"/>", {20, 5},
         RGB(255, 255, 255)},
        // Gradient start and end in one place: nothing.
        {"<Rectangle Width=\"40\" Height=\"30\"><Rectangle.Fill><LinearGradientBrush StartPoint=\"0.5,0.5\""
         " EndPoint=\"0.5,0.5\"><GradientStop Color=\"Red\" Offset=\"0\"/><GradientStop Color=\"Blue\""
         " Offset=\"1\"/></LinearGradientBrush></Rectangle.Fill></Rectangle>",
         {20, 15}, RGB(255, 255, 255)},
    };
    for (const Case& c : cases) {
        for (BOOL gdiPlus : {FALSE, TRUE}) {
            const std::vector<COLORREF> pixels =
                Render((std::string("<Canvas>") + c.text + "</Canvas>").c_str(), gdiPlus);
            EXPECT_EQ(c.colour, pixels[c.probe.y * kWidth + c.probe.x]) << c.text << (gdiPlus ? " on GDI+" : " on GDI");
        }
    }
}

// Lengths of the alternating ink and gap runs along a row, from the first ink on.
std::vector<int> Runs(const std::vector<COLORREF>& pixels, int y, int from, int to)
{
    std::vector<int> runs;
    bool inInk = false;
    bool started = false;
    for (int x = from; x < to; ++x) {
        const bool ink = pixels[y * kWidth + x] != RGB(255, 255, 255);
        if (!started && !ink)
            continue;
        if (!started || ink != inInk) {
            runs.push_back(0);
            inInk = ink;
            started = true;
        }
        ++runs.back();
    }
    return runs;
}

TEST_F(MarkupBackEndTest, OneDashValueGivesEqualDashesAndGaps)
{
    const std::vector<COLORREF> pixels = Render(
        "<Line X1=\"0\" Y1=\"10\" X2=\"150\" Y2=\"10\" Stroke=\"Black\" StrokeThickness=\"2\" StrokeDashArray=\"4\"/>",
        TRUE);
    std::vector<int> runs = Runs(pixels, 10, 0, 140);
    ASSERT_GE(runs.size(), 6u);
    runs.pop_back(); // the last run may be cut by the range
    for (size_t i = 0; i < runs.size(); ++i)
        EXPECT_NEAR(8, runs[i], 1) << "run " << i;
}

} // namespace

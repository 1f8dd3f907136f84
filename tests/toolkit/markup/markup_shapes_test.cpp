// Shapes and path data: the path reader, measuring, drawing and hit tests of the vector elements.
#include "markup_test_bitmap.h"
#include "markup_test_support.h"

#include "support/stopwatch.h"
#include "toolkit/markup/markup_drawing_context.h"
#include "toolkit/markup/markup_geometry.h"
#include "toolkit/markup/markup_limits.h"
#include "toolkit/markup/markup_shapes.h"
#include "toolkit/markup/markup_text.h"
#include "toolkit/markup/markup_values.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);

// The points of a path text as "type:x,y" with a trailing "z" on a point that closes its figure.
std::vector<std::string> ReadPath(const wchar_t* text, int* pErrorPosition = nullptr)
{
    CKitMarkupPathBuilder builder;
    int position = -1;
    if (!builder.ParsePathData(text, position)) {
        if (pErrorPosition != nullptr)
            *pErrorPosition = position;
        return {"error"};
    }
    CKitMarkupRef<CKitMarkupPathGeometry> geometry(builder.CreateGeometry());
    std::vector<std::string> points;
    for (int i = 0; i < geometry->GetCount(); ++i) {
        const BYTE type = geometry->GetTypes()[i];
        std::string point = std::to_string(type & CKitMarkupPathGeometry::pointTypeMask) + ":" +
                            std::to_string(static_cast<int>(geometry->GetPoints()[i].x)) + "," +
                            std::to_string(static_cast<int>(geometry->GetPoints()[i].y));
        if (type & CKitMarkupPathGeometry::pointCloseFigure)
            point += "z";
        points.push_back(point);
    }
    return points;
}

using Points = std::vector<std::string>;

TEST(MarkupPathDataTest, CommandsMakeStartLineAndCurvePoints)
{
    struct Case {
        const wchar_t* text;
        Points points;
    };
    const Case cases[] = {
        // The closing bit goes on the last of three points: no point is added for Z.
        {L"M 0,0 L 10,0 10,10 Z", {"0:0,0", "1:10,0", "1:10,10z"}},
        {L"F1 M0 0L5 5", {"0:0,0", "1:5,5"}},
        {L"", {}},
        {L"m 1,1 l 2,0 h 3 v 4", {"0:1,1", "1:3,1", "1:6,1", "1:6,5"}},
        {L"M 0 0 H 8 V 6 h -8", {"0:0,0", "1:8,0", "1:8,6", "1:0,6"}},
        // Pairs after a move are lines.
        {L"M 1 2 3 4", {"0:1,2", "1:3,4"}},
        {L"M0,0 C 1,2 3,4 5,6", {"0:0,0", "3:1,2", "3:3,4", "3:5,6"}},
        // "s" straight after a move takes the current point as its first control point.
        {L"M 2,2 s 4,0 4,4", {"0:2,2", "3:2,2", "3:6,2", "3:6,6"}},
        // After a curve, the first control point mirrors the previous second one.
        {L"M0 0 C 0,4 4,4 4,0 S 8,-4 8,0", {"0:0,0", "3:0,4", "3:4,4", "3:4,0", "3:4,-4", "3:8,-4", "3:8,0"}},
        // After Z the next line starts a new figure at the old start point.
        {L"M 1,1 L 4,1 Z L 1,5", {"0:1,1", "1:4,1z", "0:1,1", "1:1,5"}},
        {L"M -1.5,+2 L .5,3.75", {"0:-1,2", "1:0,3"}},
    };
    for (const Case& c : cases) {
        std::string text = (LPCSTR)MarkupNarrow(c.text);
        EXPECT_EQ(c.points, ReadPath(c.text)) << text;
    }
}

TEST(MarkupPathDataTest, FaultsNameTheirPosition)
{
    // Numbers that single precision cannot hold: 400 digits, one just past its
    // largest value (3.4 x 10^38), and a relative move that adds up past it.
    const std::wstring huge = L"M 0,0 L " + std::wstring(400, L'9') + L" 1";
    const std::wstring past = L"M 0,0 L 4" + std::wstring(38, L'0') + L" 1";
    const std::wstring large = L"3" + std::wstring(38, L'0');
    const std::wstring sum = L"m " + large + L",0 l " + large + L",0";
    struct Case {
        const wchar_t* text;
        int position;
    };
    const Case cases[] = {
        {huge.c_str(), 408},
        {past.c_str(), 47},
        {sum.c_str(), 87},
        {L"L 1 1", 0},          // the first command must be a move
        {L"M 0,,0", 4},         // a second comma
        {L"M 0,0 L, 1 1", 7},   // a comma before the numbers
        {L"M 0,0 Q 1 1 2 2", 6}, // quadratic segments are not read
        {L"M 0,0 A 1 1 0 0 0 2 2", 6},
        {L"F2 M 0 0", 1},
        {L"M 0", 3},            // half a pair
        {L"M 0,0 L 1 1,", 12},  // a comma at the end
        {L"M + 1", 3},
    };
    for (const Case& c : cases) {
        int position = -1;
        EXPECT_EQ(Points{"error"}, ReadPath(c.text, &position)) << (LPCSTR)MarkupNarrow(c.text);
        EXPECT_EQ(c.position, position) << (LPCSTR)MarkupNarrow(c.text);
    }
}

TEST(MarkupPathDataTest, BuilderReportsUnreadablePathData)
{
    CTestMarkupContext context;
    const BuildResult bad = BuildMarkup(context.Get(), "<Path Data=\"M 0,,0\" Fill=\"Red\"/>");
    EXPECT_FALSE(bad.root);
    EXPECT_EQ(0u, bad.error.find("Unexpected token encountered at position '4'")) << bad.error;
    const BuildResult huge =
        BuildMarkup(context.Get(), "<Path Data=\"M 0,0 L " + std::string(400, '9') + " 1\" Stroke=\"Red\"/>");
    EXPECT_FALSE(huge.root);
    EXPECT_EQ(0u, huge.error.find("Unexpected token encountered at position '408'")) << huge.error;
    const BuildResult good = BuildMarkup(context.Get(), "<Path Data=\"F1 M0 0L5 5\" Stroke=\"Red\"/>");
    EXPECT_TRUE(good.root) << good.error;
}

// The largest numbers single precision holds are read; their bounding box keeps to the integer range.
TEST(MarkupPathDataTest, NumbersUpToTheLargestSinglePrecisionValueAreRead)
{
    const std::wstring text = L"M -3" + std::wstring(38, L'0') + L",0 L 3" + std::wstring(38, L'0') + L",0." +
                              std::wstring(400, L'0') + L"1";
    CKitMarkupPathBuilder builder;
    int position = -1;
    ASSERT_TRUE(builder.ParsePathData(text, position)) << position;
    CKitMarkupRef<CKitMarkupPathGeometry> geometry(builder.CreateGeometry());
    ASSERT_EQ(2, geometry->GetCount());
    EXPECT_FLOAT_EQ(3e38f, geometry->GetPoints()[1].x);
    EXPECT_EQ(0.0f, geometry->GetPoints()[1].y);
    const RECT bounds = geometry->GetBounds();
    EXPECT_EQ(LONG_MIN, bounds.left);
    EXPECT_EQ(LONG_MAX, bounds.right);
    EXPECT_EQ(0, bounds.top);
    EXPECT_EQ(0, bounds.bottom);
}

// The desired size of a shape measured alone in an unbounded space.
SIZE MeasureShape(CKitMarkupContext* pContext, const std::string& text, int width = 2147483647,
                  int height = 2147483647)
{
    BuildResult result = BuildMarkup(pContext, text);
    EXPECT_TRUE(result.root) << text << ": " << result.error;
    if (!result.root)
        return {-1, -1};
    CKitMarkupDrawingContext dc(pContext);
    result.root->Measure(&dc, width, height);
    return result.root->GetDesiredSize();
}

TEST(MarkupShapeLayoutTest, ShapesMeasureFromTheirGeometry)
{
    struct Case {
        const char* text;
        SIZE size;
    };
    const Case cases[] = {
        // A horizontal line with a stroke of 3 takes (3 + 1) / 2 pixels across.
        {"<Line X1=\"0\" Y1=\"0\" X2=\"40\" Y2=\"0\" Stroke=\"Black\" StrokeThickness=\"3\"/>", {40, 2}},
        {"<Line X1=\"5\" Y1=\"2\" X2=\"5\" Y2=\"30\" Stroke=\"Black\"/>", {6, 30}},
        {"<Line X1=\"0\" Y1=\"0\" X2=\"40\" Y2=\"0\"/>", {40, 0}},
        {"<Line X1=\"3\" Y1=\"4\" X2=\"9\" Y2=\"20\" Stroke=\"Black\" StrokeThickness=\"5\"/>", {9, 20}},
        // Polylines and polygons count their extent from the origin.
        {"<Polygon Points=\"10,10 30,10 20,25\" Fill=\"Red\"/>", {30, 25}},
        {"<Polyline Points=\"-10,-5 10,5\" Stroke=\"Red\"/>", {20, 10}},
        {"<Polyline Points=\"0,7 40,7\" Stroke=\"Red\" StrokeThickness=\"4\"/>", {40, 7}},
        {"<Polyline Points=\"0,0 40,0\" Stroke=\"Red\" StrokeThickness=\"4\"/>", {40, 2}},
        {"<Path Data=\"M 5,5 L 25,5 15,20 Z\" Fill=\"Red\"/>", {25, 20}},
        {"<Path Fill=\"Red\"/>", {0, 0}},
        // A thickness past the widest pen counts as the widest pen.
        {"<Line X1=\"0\" Y1=\"0\" X2=\"40\" Y2=\"0\" Stroke=\"Black\" StrokeThickness=\"2147483647\"/>",
         {40, (kMarkupMaxStrokeThickness + 1) / 2}},
        {"<Rectangle Fill=\"Red\"/>", {0, 0}},
        {"<Ellipse Fill=\"Red\"/>", {0, 0}},
    };
    CTestMarkupContext context;
    for (const Case& c : cases) {
        const SIZE size = MeasureShape(context.Get(), c.text);
        EXPECT_EQ(c.size.cx, size.cx) << c.text;
        EXPECT_EQ(c.size.cy, size.cy) << c.text;
    }
}

TEST(MarkupShapeLayoutTest, StretchedShapesTakeTheFiniteAvailableSize)
{
    CTestMarkupContext context;
    SIZE size = MeasureShape(context.Get(), "<Rectangle Fill=\"Red\" Stretch=\"Fill\"/>", 50, 2147483647);
    EXPECT_EQ(50, size.cx);
    EXPECT_EQ(0, size.cy);
    size = MeasureShape(context.Get(), "<Polygon Points=\"0,0 10,0 5,5\" Fill=\"Red\" Stretch=\"Uniform\"/>", 70, 30);
    EXPECT_EQ(70, size.cx);
    EXPECT_EQ(30, size.cy);
    EXPECT_FALSE(BuildMarkup(context.Get(), "<Ellipse Stretch=\"Fil\"/>").root);
}

TEST(MarkupShapeLayoutTest, PointCollectionsScaleOnlyWhereTheyHaveExtent)
{
    CTestMarkupContext context;
    CKitMarkupRef<CKitMarkupPointCollection> source(new CKitMarkupPointCollection());
    CKitMarkupRef<CKitMarkupString> text(CKitMarkupString::CreateValue(L"7,0 7,10 7,20"));
    CKitMarkupRef<CKitMarkupObject> converted(source->ConvertFrom(nullptr, text.Get()));
    CKitMarkupPointCollection* pPoints = MarkupDynamicCast<CKitMarkupPointCollection>(converted.Get());
    ASSERT_NE(nullptr, pPoints);
    const std::vector<POINT> scaled = pPoints->GetScaledPoints(50, 40);
    ASSERT_EQ(3u, scaled.size());
    for (const POINT& point : scaled)
        EXPECT_EQ(7, point.x);
    EXPECT_EQ(0, scaled[0].y);
    EXPECT_EQ(20, scaled[1].y);
    EXPECT_EQ(40, scaled[2].y);

    // Points across the whole integer range: their distances from the box's edge exceed 32 bits.
    CKitMarkupRef<CKitMarkupString> wide(CKitMarkupString::CreateValue(L"-2147483647,0 0,5 2147483647,10"));
    CKitMarkupRef<CKitMarkupObject> wideConverted(source->ConvertFrom(nullptr, wide.Get()));
    CKitMarkupPointCollection* pWide = MarkupDynamicCast<CKitMarkupPointCollection>(wideConverted.Get());
    ASSERT_NE(nullptr, pWide);
    const std::vector<POINT> spread = pWide->GetScaledPoints(100, 20);
    ASSERT_EQ(3u, spread.size());
    const POINT expected[] = {{0, 0}, {50, 10}, {100, 20}};
    for (size_t i = 0; i < spread.size(); ++i) {
        EXPECT_EQ(expected[i].x, spread[i].x) << i;
        EXPECT_EQ(expected[i].y, spread[i].y) << i;
    }
}

// A white bitmap that markup is laid out on and drawn into.
class MarkupShapeDrawingTest : public ::testing::Test {
protected:
    // Draws the markup over the bitmap's top-left w x h (white before).
    CKitMarkupRef<CKitMarkupUIElement> Draw(const std::string& text, int width, int height)
    {
        m_bitmap.Clear();
        BuildResult result = BuildMarkup(m_context.Get(), text);
        EXPECT_TRUE(result.root) << text << ": " << result.error;
        if (!result.root)
            return {};
        CKitMarkupDrawingContext dc(m_context.Get(), m_bitmap.GetDC());
        result.root->Measure(&dc, width, height);
        result.root->Arrange({0, 0, width, height});
        result.root->Render(&dc);
        return std::move(result.root);
    }

    COLORREF Pixel(int x, int y) const { return m_bitmap.Pixel(x, y); }

    CTestMarkupContext m_context;
    CMarkupTestBitmap m_bitmap{80, 60};
};

TEST_F(MarkupShapeDrawingTest, RadiiBeyondHalfTheSizeAreClamped)
{
    // Clamped to 20 x 10 the rectangle is a stadium: its ends are round, its middle full.
    for (BOOL gdiPlus : {FALSE, TRUE}) {
        m_context.Get()->SetGdiPlusRendering(gdiPlus);
        Draw("<Rectangle Width=\"60\" Height=\"20\" Fill=\"#0000FF\" RadiusX=\"100\" RadiusY=\"100\"/>", 60, 20);
        EXPECT_EQ(kWhite, Pixel(0, 0)) << gdiPlus;
        EXPECT_EQ(kWhite, Pixel(59, 19)) << gdiPlus;
        EXPECT_EQ(RGB(0, 0, 255), Pixel(30, 1)) << gdiPlus;
        EXPECT_EQ(RGB(0, 0, 255), Pixel(30, 18)) << gdiPlus;
        EXPECT_EQ(RGB(0, 0, 255), Pixel(2, 10)) << gdiPlus;
        EXPECT_EQ(RGB(0, 0, 255), Pixel(57, 10)) << gdiPlus;
        EXPECT_EQ(kWhite, Pixel(60, 10)) << gdiPlus;
    }
}

TEST_F(MarkupShapeDrawingTest, StrokesAndFillsLandInsideTheShape)
{
    m_context.Get()->SetGdiPlusRendering(FALSE);
    // A stroke of 4 frames the rectangle; the fill stays inside it.
    Draw("<Rectangle Width=\"40\" Height=\"30\" Fill=\"#00FF00\" Stroke=\"#FF0000\" StrokeThickness=\"4\"/>", 40, 30);
    EXPECT_EQ(RGB(255, 0, 0), Pixel(0, 0));
    EXPECT_EQ(RGB(255, 0, 0), Pixel(3, 15));
    EXPECT_EQ(RGB(0, 255, 0), Pixel(4, 15));
    EXPECT_EQ(RGB(255, 0, 0), Pixel(39, 29));
    EXPECT_EQ(kWhite, Pixel(40, 15));
    // A line with X1..Y2 all 0 draws nothing; a stretched polygon fills its render size.
    Draw("<Line Stroke=\"Black\" StrokeThickness=\"3\"/>", 40, 30);
    EXPECT_EQ(kWhite, Pixel(0, 0));
    Draw("<Polygon Points=\"0,0 10,0 10,10 0,10\" Fill=\"#FF0000\" Stretch=\"Fill\"/>", 40, 30);
    EXPECT_EQ(RGB(255, 0, 0), Pixel(35, 25));
    EXPECT_EQ(kWhite, Pixel(45, 35));
}

// A stroke of ten million pixels is drawn with the widest pen, at once: it
// covers the picture on both sides of the line (its ends are flat under GDI+).
TEST_F(MarkupShapeDrawingTest, AHugeStrokeThicknessIsBoundedBeforeItReachesThePen)
{
    for (BOOL gdiPlus : {FALSE, TRUE}) {
        m_context.Get()->SetGdiPlusRendering(gdiPlus);
        const Stopwatch stopwatch;
        Draw("<Polyline Points=\"10,10 70,50\" Stroke=\"#FF0000\" StrokeThickness=\"10000000\"/>", 80, 60);
        EXPECT_LT(stopwatch.ElapsedMs(), kLoadSlackMs) << gdiPlus;
        for (const POINT& corner : {POINT{79, 0}, POINT{0, 59}, POINT{40, 30}})
            EXPECT_EQ(RGB(255, 0, 0), Pixel(corner.x, corner.y)) << gdiPlus << " " << corner.x << "," << corner.y;
    }
}

TEST_F(MarkupShapeDrawingTest, EllipsesAndLinesAreHitOnlyOnTheirInk)
{
    CKitMarkupRef<CKitMarkupUIElement> ellipse = Draw("<Ellipse Fill=\"Red\"/>", 40, 20);
    ASSERT_TRUE(ellipse);
    EXPECT_EQ(ellipse.Get(), ellipse->InputHitTest({20, 10}));
    EXPECT_EQ(ellipse.Get(), ellipse->InputHitTest({1, 10}));
    EXPECT_EQ(nullptr, ellipse->InputHitTest({2, 2}));
    EXPECT_EQ(nullptr, ellipse->InputHitTest({38, 18}));

    CKitMarkupRef<CKitMarkupUIElement> line =
        Draw("<Line X1=\"0\" Y1=\"0\" X2=\"40\" Y2=\"40\" Stroke=\"Black\" StrokeThickness=\"4\"/>", 41, 41);
    ASSERT_TRUE(line);
    EXPECT_EQ(line.Get(), line->InputHitTest({20, 20}));
    EXPECT_EQ(line.Get(), line->InputHitTest({22, 20}));
    EXPECT_EQ(nullptr, line->InputHitTest({30, 10}));
    CKitMarkupRef<CKitMarkupUIElement> bare = Draw("<Line X1=\"0\" Y1=\"0\" X2=\"40\" Y2=\"40\"/>", 41, 41);
    EXPECT_EQ(nullptr, bare->InputHitTest({20, 20}));
}

} // namespace

// The drawing context on the GDI back-end: clip regions, fills, gradients, frames and the font cache.
#include "markup_test_support.h"

#include "framework/handles.h"
#include "toolkit/common/image_manager.h"
#include "toolkit/markup/markup_brushes.h"
#include "toolkit/markup/markup_drawing_context.h"
#include "toolkit/markup/markup_thickness.h"
#include "toolkit/markup/markup_values.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

namespace {

constexpr int kWidth = 100;
constexpr int kHeight = 60;
constexpr COLORREF kWhite = RGB(255, 255, 255);

// A white 32-bit bitmap in a memory device context, drawn on through a drawing context.
class MarkupDrawingTest : public ::testing::Test {
protected:
    MarkupDrawingTest()
        : m_bitmap(CKitImageManager::Create32BitDIBSection(nullptr, kWidth, kHeight, &m_bits)),
          m_memory(::CreateCompatibleDC(nullptr)),
          m_select(m_memory.Get(), m_bitmap.Get())
    {
        const RECT whole = {0, 0, kWidth, kHeight};
        ::FillRect(m_memory.Get(), &whole, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
        m_context.Get()->SetGdiPlusRendering(FALSE);
    }

    // The colour of a pixel as RGB().
    COLORREF Pixel(int x, int y) const
    {
        ::GdiFlush();
        const DWORD value = reinterpret_cast<const DWORD*>(m_bits)[(kHeight - 1 - y) * kWidth + x];
        return RGB((value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF);
    }

    bool AllWhite(const RECT& rect) const
    {
        for (int y = rect.top; y < rect.bottom; ++y) {
            for (int x = rect.left; x < rect.right; ++x) {
                if (Pixel(x, y) != kWhite)
                    return false;
            }
        }
        return true;
    }

    CTestMarkupContext m_context;
    LPBYTE m_bits = nullptr;
    ScopedGdiObject<HBITMAP> m_bitmap;
    ScopedMemoryDC m_memory;
    ScopedSelectObject m_select;
};

// A linear gradient of (colour, offset) stops between two relative points.
CKitMarkupRef<CKitMarkupLinearGradientBrush> MakeGradient(const std::vector<std::pair<COLORREF, double>>& stops,
                                                         CKitMarkupPoint* pStart, CKitMarkupPoint* pEnd)
{
    CKitMarkupRef<CKitMarkupLinearGradientBrush> brush(new CKitMarkupLinearGradientBrush());
    for (const auto& entry : stops) {
        CKitMarkupGradientStop* pStop = new CKitMarkupGradientStop();
        pStop->SetValue(CKitMarkupGradientStop::m_pColorProperty, new CKitMarkupColor(entry.first));
        pStop->SetValue(CKitMarkupGradientStop::m_pOffsetProperty, new CKitMarkupDouble(entry.second));
        brush->GetGradientStops()->Add(pStop);
    }
    brush->SetValue(CKitMarkupLinearGradientBrush::m_pStartPointProperty, pStart);
    brush->SetValue(CKitMarkupLinearGradientBrush::m_pEndPointProperty, pEnd);
    return brush;
}

TEST_F(MarkupDrawingTest, ClipRegionsAreSavedAndRestored)
{
    CKitMarkupDrawingContext dc(m_context.Get(), m_memory.Get());
    EXPECT_EQ(CKitMarkupDeviceContext::NoClipRegion(), dc.GetClipRegion()) << "no clip region yet";
    EXPECT_EQ(kWidth, dc.GetClipBox().right);

    dc.IntersectClipRect({10, 10, 50, 40});
    HRGN hFirst = dc.GetClipRegion();
    ASSERT_NE(nullptr, hFirst);
    ASSERT_NE(CKitMarkupDeviceContext::NoClipRegion(), hFirst);
    dc.IntersectClipRect({20, 20, 30, 30});
    EXPECT_EQ(30, dc.GetClipBox().right);
    dc.SelectClipRegion(hFirst);
    EXPECT_EQ(50, dc.GetClipBox().right) << "the saved region is back";

    // The offset moves the clip box into the new coordinates.
    dc.OffsetViewport({10, 10});
    EXPECT_EQ(0, dc.GetClipBox().left);
    dc.OffsetViewport({-10, -10});

    dc.SelectClipRegion(nullptr);
    EXPECT_EQ(50, dc.GetClipBox().right) << "a NULL region changes nothing";
    dc.SelectClipRegion(CKitMarkupDeviceContext::NoClipRegion());
    EXPECT_EQ(0, dc.GetClipBox().left) << "clipping is gone";
    EXPECT_EQ(kWidth, dc.GetClipBox().right);
}

TEST_F(MarkupDrawingTest, SolidFillsFramesAndClipping)
{
    CKitMarkupDrawingContext dc(m_context.Get(), m_memory.Get());
    CKitMarkupSolidColorBrush red(RGB(255, 0, 0));
    dc.FillRectangle({0, 0, 10, 10}, &red);
    EXPECT_EQ(RGB(255, 0, 0), Pixel(0, 0));
    EXPECT_EQ(RGB(255, 0, 0), Pixel(9, 9));
    EXPECT_EQ(kWhite, Pixel(10, 10));

    // A frame fills one strip per side of its thickness.
    CKitMarkupSolidColorBrush blue(RGB(0, 0, 255));
    const CKitMarkupThickness thickness(1, 2, 3, 4);
    dc.DrawFrame({20, 0, 60, 30}, &blue, &thickness);
    EXPECT_EQ(RGB(0, 0, 255), Pixel(20, 15));
    EXPECT_EQ(kWhite, Pixel(21, 15));
    EXPECT_EQ(RGB(0, 0, 255), Pixel(40, 1));
    EXPECT_EQ(kWhite, Pixel(40, 2));
    EXPECT_EQ(kWhite, Pixel(56, 15));
    EXPECT_EQ(RGB(0, 0, 255), Pixel(57, 15));
    EXPECT_EQ(kWhite, Pixel(40, 25));
    EXPECT_EQ(RGB(0, 0, 255), Pixel(40, 26));
    dc.DrawFrame({70, 0, 80, 10}, nullptr, &thickness);
    dc.DrawFrame({70, 0, 80, 10}, &blue, nullptr);
    EXPECT_TRUE(AllWhite({70, 0, 80, 10})) << "no frame without brush or thickness";

    // Nothing lands outside the clip box.
    dc.IntersectClipRect({0, 40, 5, 60});
    dc.FillSolidRect({0, 40, 10, 50}, RGB(0, 128, 0));
    EXPECT_EQ(RGB(0, 128, 0), Pixel(4, 45));
    EXPECT_EQ(kWhite, Pixel(5, 45));

    // A line without thickness draws nothing.
    CKitMarkupStrokeStyle none;
    none.m_pBrush = &red;
    dc.DrawLine(0, 55, 4, 55, &none);
    EXPECT_TRUE(AllWhite({0, 55, 5, 56}));
}

TEST_F(MarkupDrawingTest, Gradients)
{
    CKitMarkupDrawingContext dc(m_context.Get(), m_memory.Get());
    // One stop fills like its colour.
    auto single = MakeGradient({{RGB(10, 20, 30), 0.4}}, nullptr, nullptr);
    dc.FillRectangle({0, 0, 10, 10}, single.Get());
    EXPECT_EQ(RGB(10, 20, 30), Pixel(0, 0));
    EXPECT_EQ(RGB(10, 20, 30), Pixel(9, 9));

    // Coinciding start and end points draw nothing.
    auto point = MakeGradient({{RGB(255, 0, 0), 0.0}, {RGB(0, 0, 255), 1.0}}, new CKitMarkupPoint(0.5, 0.5),
                              new CKitMarkupPoint(0.5, 0.5));
    dc.FillRectangle({10, 0, 20, 10}, point.Get());
    EXPECT_TRUE(AllWhite({10, 0, 20, 10}));

    // Across: the first and last columns take the end colours, the middle mixes them (truncated).
    auto across = MakeGradient({{RGB(255, 255, 0), 0.0}, {RGB(0, 0, 255), 1.0}}, new CKitMarkupPoint(0, 0),
                               new CKitMarkupPoint(1, 0));
    dc.FillRectangle({0, 20, 100, 30}, across.Get());
    EXPECT_EQ(RGB(255, 255, 0), Pixel(0, 25));
    EXPECT_EQ(RGB(127, 127, 127), Pixel(50, 25));
    EXPECT_EQ(RGB(2, 2, 252), Pixel(99, 29));

    // Down, with stops out of order and a plateau between two stops at the same offset.
    auto down = MakeGradient(
        {{RGB(0, 0, 0), 1.0}, {RGB(200, 0, 0), 0.0}, {RGB(0, 200, 0), 0.5}, {RGB(0, 0, 200), 0.5}},
        new CKitMarkupPoint(0, 0), new CKitMarkupPoint(0, 1));
    dc.FillRectangle({0, 40, 10, 60}, down.Get());
    EXPECT_EQ(RGB(200, 0, 0), Pixel(5, 40));
    EXPECT_EQ(RGB(100, 100, 0), Pixel(5, 45));
    EXPECT_EQ(RGB(0, 0, 200), Pixel(5, 50)) << "at the tie the later stop's colour leads on";
    EXPECT_EQ(RGB(0, 0, 100), Pixel(5, 55));

    // Only the clipped part is drawn.
    dc.IntersectClipRect({50, 40, 60, 50});
    dc.FillRectangle({40, 40, 70, 60}, across.Get());
    EXPECT_EQ(kWhite, Pixel(49, 45));
    EXPECT_NE(kWhite, Pixel(55, 45));
    EXPECT_EQ(kWhite, Pixel(60, 45));
    EXPECT_EQ(kWhite, Pixel(55, 50));
}

TEST_F(MarkupDrawingTest, RoundedCornersLeaveTheCornersOut)
{
    CKitMarkupDrawingContext dc(m_context.Get(), m_memory.Get());
    CKitMarkupSolidColorBrush red(RGB(255, 0, 0));
    const double radii[8] = {10, 10, 10, 10, 10, 10, 10, 10};
    dc.FillRectangle({0, 0, 40, 40}, &red, radii);
    EXPECT_EQ(kWhite, Pixel(0, 0));
    EXPECT_EQ(kWhite, Pixel(39, 39));
    EXPECT_EQ(RGB(255, 0, 0), Pixel(20, 20));
    EXPECT_EQ(RGB(255, 0, 0), Pixel(20, 1));

    const CKitMarkupThickness two(2);
    dc.DrawFrame({50, 0, 90, 40}, &red, &two, radii);
    EXPECT_EQ(kWhite, Pixel(50, 0));
    EXPECT_EQ(kWhite, Pixel(70, 20)) << "a frame has no fill";
    EXPECT_EQ(RGB(255, 0, 0), Pixel(70, 1));
}

TEST_F(MarkupDrawingTest, BorderDrawsItsFrameThenItsBackground)
{
    BuildResult result = BuildMarkup(m_context.Get(),
                                     "<Canvas><Border Canvas.Left=\"0\" Width=\"20\" Height=\"20\" BorderThickness=\"2\""
                                     " BorderBrush=\"Blue\" Background=\"Red\"/>"
                                     "<Border Canvas.Left=\"30\" Width=\"10\" Height=\"10\" BorderThickness=\"5\""
                                     " Background=\"Red\"/></Canvas>");
    ASSERT_TRUE(result.root) << result.error;
    {
        CKitMarkupDrawingContext measure(m_context.Get());
        result.root->Measure(&measure, kWidth, kHeight);
    }
    result.root->Arrange({0, 0, kWidth, kHeight});
    CKitMarkupDrawingContext dc(m_context.Get(), m_memory.Get());
    result.root->Render(&dc);
    EXPECT_EQ(RGB(0, 0, 255), Pixel(1, 10));
    EXPECT_EQ(RGB(255, 0, 0), Pixel(2, 10));
    EXPECT_EQ(RGB(255, 0, 0), Pixel(17, 17));
    EXPECT_EQ(RGB(0, 0, 255), Pixel(18, 17));
    EXPECT_TRUE(AllWhite({30, 0, 40, 10})) << "a thickness that eats the size leaves no background";
}

TEST_F(MarkupDrawingTest, PrintPreviewKeepsTheCharacterPlacesOfTheAttributeContext)
{
    // Output in a small font at the places a wide font has on the attribute context.
    ScopedMemoryDC attrib(::CreateCompatibleDC(nullptr));
    ScopedGdiObject<HFONT> wide(::CreateFontA(-40, 30, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Arial"));
    ScopedGdiObject<HFONT> small(::CreateFontA(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Arial"));
    ScopedSelectObject selectWide(attrib.Get(), wide.Get());
    ScopedSelectObject selectSmall(m_memory.Get(), small.Get());
    SIZE wideExtent = {};
    SIZE smallExtent = {};
    ::GetTextExtentPoint32W(attrib.Get(), L"HHH", 3, &wideExtent);
    ::GetTextExtentPoint32W(m_memory.Get(), L"HHH", 3, &smallExtent);
    ASSERT_GT(wideExtent.cx, smallExtent.cx + 20);

    CKitMarkupDrawingContext dc(m_context.Get(), m_memory.Get(), attrib.Get());
    EXPECT_EQ(wideExtent.cx, dc.GetTextExtent(L"HHH", 3).cx) << "text is measured on the attribute context";
    dc.DrawTextLine(L"HHH", 3, {0, 0});
    int rightmostInk = -1;
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            if (Pixel(x, y) != kWhite)
                rightmostInk = std::max(rightmostInk, x);
        }
    }
    EXPECT_GT(rightmostInk, smallExtent.cx + 10) << "the last letter stands where the wide layout puts it";
    EXPECT_LT(rightmostInk, wideExtent.cx);
}

TEST_F(MarkupDrawingTest, FontsAreSharedThroughTheCache)
{
    LOGFONTA description = m_context.Get()->GetDefaultFont();
    std::strcpy(description.lfFaceName, "Arial");
    CKitMarkupRef<CKitMarkupFont> plain(m_context.Get()->GetFont(description));
    description.lfUnderline = TRUE;
    description.lfCharSet = SYMBOL_CHARSET;
    CKitMarkupRef<CKitMarkupFont> underlined(m_context.Get()->GetFont(description));
    EXPECT_EQ(plain.Get(), underlined.Get()) << "underline and character set are not compared";
    description.lfHeight -= 3;
    CKitMarkupRef<CKitMarkupFont> taller(m_context.Get()->GetFont(description));
    EXPECT_NE(plain.Get(), taller.Get());
    ASSERT_NE(nullptr, taller->GetHandle());

    // A font selected into a drawing context is held by it and goes back out with it.
    HGDIOBJ hBefore = ::GetCurrentObject(m_memory.Get(), OBJ_FONT);
    {
        CKitMarkupDrawingContext dc(m_context.Get(), m_memory.Get());
        dc.SetFont(taller.Get());
        EXPECT_EQ(taller->GetHandle(), ::GetCurrentObject(m_memory.Get(), OBJ_FONT));
        EXPECT_GT(dc.GetTextExtent(L"Wide text", 9).cx, dc.GetTextExtent(L"W", 1).cx);
        taller.Attach(nullptr);
        ASSERT_NE(nullptr, dc.GetFont());
    }
    EXPECT_EQ(hBefore, ::GetCurrentObject(m_memory.Get(), OBJ_FONT));
}

} // namespace

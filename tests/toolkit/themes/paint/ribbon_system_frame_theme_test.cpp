// The system-colour frame: caption glyphs by button width, faces by state, an unknown command's face alone,
// markup that does not parse, the system colours it takes and the frame it draws active or not.
#include "toolkit/themes/paint/ribbon_system_frame_theme.h"

#include "skinned_frame.h"
#include "test_paint_manager.h"
#include "toolkit/themes/paint/frame_hook.h"

#include "support/canvas.h"

#include <gtest/gtest.h>

namespace {

constexpr COLORREF kPaper = RGB(1, 150, 1);

// The system frame painter of a test paint manager, released at the end.
class SystemFrame {
public:
    SystemFrame() : m_pm(new CTestPaintManager())
    {
        m_pm->RefreshMetrics();
        m_pFrame = dynamic_cast<CKitRibbonSystemFrameTheme*>(m_pm->GetFramePaintManager());
        EXPECT_NE(nullptr, m_pFrame);
    }
    ~SystemFrame() { m_pm->InternalRelease(); }
    SystemFrame(const SystemFrame&) = delete;
    SystemFrame& operator=(const SystemFrame&) = delete;
    CKitRibbonSystemFrameTheme* operator->() const { return m_pFrame; }
    CTestPaintManager* PaintManager() const { return m_pm; }

private:
    CTestPaintManager* m_pm;
    CKitRibbonSystemFrameTheme* m_pFrame = nullptr;
};

// The bounding box of the pixels of the colour; empty when there are none.
CRect Extent(const Canvas& canvas, COLORREF clr)
{
    CRect rc(canvas.Width(), canvas.Height(), 0, 0);
    for (int y = 0; y < canvas.Height(); y++)
        for (int x = 0; x < canvas.Width(); x++)
            if (canvas.Pixel(x, y) == clr) {
                rc.left = std::min<int>(rc.left, x);
                rc.top = std::min<int>(rc.top, y);
                rc.right = std::max<int>(rc.right, x + 1);
                rc.bottom = std::max<int>(rc.bottom, y + 1);
            }
    return rc.IsRectEmpty() ? CRect() : rc;
}

} // namespace

TEST(KitRibbonSystemFrameTheme, ButtonsFrom21PixelsGetTheLargeGlyphsNarrowerOnesTheSmall)
{
    SystemFrame frame;
    const COLORREF clrGlyph = ::GetSysColor(COLOR_CAPTIONTEXT);
    struct Case {
        int nId;
        int nWidth;
        CSize szGlyph; // the extent of the glyph's pixels
    };
    const Case cases[] = {
        {SC_MINIMIZE, 21, CSize(8, 3)}, {SC_MINIMIZE, 20, CSize(7, 2)}, {SC_MINIMIZE, 40, CSize(8, 3)},
        {SC_MAXIMIZE, 21, CSize(11, 11)}, {SC_MAXIMIZE, 20, CSize(9, 9)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.nId << " in " << c.nWidth);
        Canvas canvas(50, 30, kPaper);
        const CRect rc(3, 3, 3 + c.nWidth, 27);
        frame->DrawCaptionButton(&canvas.dc, rc, c.nId, FALSE, FALSE, TRUE);
        const CRect rcGlyph = Extent(canvas, clrGlyph);
        EXPECT_EQ(c.szGlyph, rcGlyph.Size());
        // Inside the n x n square centred on the button.
        const int n = c.nWidth >= 21 ? 11 : 9;
        const CRect rcSquare((rc.left + rc.right - n) / 2, (rc.top + rc.bottom - n) / 2,
                             (rc.left + rc.right - n) / 2 + n, (rc.top + rc.bottom - n) / 2 + n);
        CRect rcInside;
        rcInside.IntersectRect(rcGlyph, rcSquare);
        EXPECT_EQ(rcGlyph, rcInside);
    }
}

TEST(KitRibbonSystemFrameTheme, TheFaceFollowsTheStateAndAnUnknownCommandShowsOnlyTheFace)
{
    SystemFrame frame;
    const COLORREF clrGlyph = ::GetSysColor(COLOR_CAPTIONTEXT);
    struct Case {
        const char* name;
        int nId;
        BOOL bSelected, bPressed;
        bool bFace, bGlyph;
    };
    const Case cases[] = {
        {"idle close", SC_CLOSE, FALSE, FALSE, false, true},
        {"hot close", SC_CLOSE, TRUE, FALSE, true, true},
        {"pressed restore", SC_RESTORE, TRUE, TRUE, true, true},
        {"idle unknown", 0x1234, FALSE, FALSE, false, false},
        {"hot unknown", 0x1234, TRUE, FALSE, true, false},
        {"pressed unknown", 0x1234, FALSE, TRUE, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Canvas canvas(30, 26, kPaper);
        frame->DrawCaptionButton(&canvas.dc, CRect(2, 2, 28, 24), c.nId, c.bSelected, c.bPressed, TRUE);
        // The face beside the glyph's square, nothing outside the button; the glyph in the middle.
        const CRect rcBeside(4, 6, 8, 18);
        EXPECT_EQ(c.bFace ? 0 : rcBeside.Width() * rcBeside.Height(), canvas.Count(rcBeside, kPaper));
        EXPECT_EQ(kPaper, canvas.Pixel(1, 12));
        EXPECT_EQ(c.bGlyph, canvas.Count(CRect(9, 8, 21, 18), clrGlyph) > 0);
    }
}

TEST(KitRibbonSystemFrameTheme, MarkupThatDoesNotParseDrawsNothing)
{
    SystemFrame frame;
    Canvas canvas(20, 20, kPaper);
    frame->RenderMarkup(&canvas.dc, CRect(0, 0, 20, 20), "<Grid><Border Background='Red'>");
    frame->RenderMarkup(&canvas.dc, CRect(0, 0, 20, 20), "<NoSuchElement/>");
    EXPECT_EQ(20 * 20, canvas.Count(CRect(0, 0, 20, 20), kPaper));
    frame->RenderMarkup(&canvas.dc, CRect(0, 0, 20, 20), "<Border Background='#FF0000'/>");
    EXPECT_EQ(20 * 20, canvas.Count(CRect(0, 0, 20, 20), RGB(255, 0, 0)));
    EXPECT_EQ(nullptr, CKitRibbonSystemFrameTheme::GetCaptionGlyphMarkup(0x1234, 11));
}

TEST(KitRibbonSystemFrameTheme, ColoursAreTheSystemsCaptionColoursAndTheFrameIsNeverFlat)
{
    SystemFrame frame;
    frame->m_nFlatFrame = 1;
    frame->RefreshMetrics();
    EXPECT_EQ(0, frame->m_nFlatFrame);
    EXPECT_EQ(::GetSysColor(COLOR_ACTIVECAPTION), frame->GetBorderColor(0, TRUE));
    EXPECT_EQ(::GetSysColor(COLOR_INACTIVECAPTION), frame->GetBorderColor(0, FALSE));
    for (int k = 1; k < 4; k++) {
        EXPECT_EQ(::GetSysColor(COLOR_GRADIENTACTIVECAPTION), frame->GetBorderColor(k, TRUE));
        EXPECT_EQ(::GetSysColor(COLOR_GRADIENTINACTIVECAPTION), frame->GetBorderColor(k, FALSE));
    }
    EXPECT_EQ(::GetSysColor(COLOR_CAPTIONTEXT), frame->m_clrFrameCaptionTextActive);
    EXPECT_EQ(::GetSysColor(COLOR_CAPTIONTEXT), frame->m_clrFrameCaptionTextActiveTitle);
    EXPECT_EQ(::GetSysColor(COLOR_INACTIVECAPTIONTEXT), frame->m_clrFrameCaptionTextInActive);
}

TEST(KitRibbonSystemFrameTheme, AnInactiveFrameTakesTheInactiveCaptionButKeepsTheGlyphColour)
{
    SystemFrame frame;
    CSkinnedFrame wnd;
    ASSERT_TRUE(wnd.CreateFrame("Corvel", CRect(0, 0, 300, 180)));
    CKitFrameHook* pHook = wnd.GetHook();
    pHook->SetPaintManager(frame.PaintManager());
    wnd.RecalcFrame();
    const int T = pHook->GetCaptionHeight();
    const int L = pHook->GetBorderWidth();
    const COLORREF clrGlyph = ::GetSysColor(COLOR_CAPTIONTEXT);
    CKitControl* pClose = wnd.GetCaptionButton(0);
    const CRect rcClose = pClose->GetRect();

    for (BOOL bActive : {TRUE, FALSE}) {
        SCOPED_TRACE(bActive ? "active" : "inactive");
        pHook->SetActive(bActive);
        Canvas canvas(300, 180, kPaper);
        frame->DrawFrame(&canvas.dc, pHook);
        // The caption band's middle: the gradient's caption colour just below its top fifth.
        const COLORREF clrCaption = ::GetSysColor(bActive ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION);
        EXPECT_TRUE(NearColor(clrCaption, canvas.Pixel(100, 1 + (T - 2) / 5), 12));
        // The rounded outline of the band in the caption brush.
        EXPECT_EQ(clrCaption, canvas.Pixel(150, 0));
        EXPECT_EQ(::GetSysColor(bActive ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION), canvas.Pixel(0, T + 10));
        EXPECT_EQ(::GetSysColor(bActive ? COLOR_GRADIENTACTIVECAPTION : COLOR_GRADIENTINACTIVECAPTION),
                  canvas.Pixel(L - 1, T + 10));
        EXPECT_EQ(kPaper, canvas.Pixel(150, 100));
        EXPECT_GT(canvas.Count(rcClose, clrGlyph), 0);
    }
}

TEST(KitRibbonSystemFrameTheme, WhenTheRibbonOwnsTheCaptionTheTemplateShowsOnlyAroundIt)
{
    SystemFrame frame;
    CSkinnedFrame wnd;
    ASSERT_TRUE(wnd.CreateFrame("Corvel", CRect(0, 0, 300, 180), WS_OVERLAPPEDWINDOW | WS_VISIBLE));
    TestRibbon ribbon(&wnd);
    CKitFrameHook hook(&wnd, ribbon.Get(), nullptr);
    hook.SetPaintManager(frame.PaintManager());
    ASSERT_FALSE(hook.IsCaptionOwnedByFrame());
    const int L = hook.GetBorderWidth();
    const int T = hook.GetCaptionHeight();
    CRect rcWindow, rcClient;
    wnd.GetWindowRect(&rcWindow);
    wnd.GetClientRect(&rcClient);
    wnd.ClientToScreen(&rcClient);
    const int nTop = rcClient.top - rcWindow.top;
    ASSERT_LT(nTop, T - 1);

    Canvas canvas(300, 180, kPaper);
    frame->DrawFrame(&canvas.dc, &hook);
    const COLORREF clrCaption = ::GetSysColor(COLOR_ACTIVECAPTION);
    EXPECT_EQ(clrCaption, canvas.Pixel(150, 0));
    EXPECT_NE(kPaper, canvas.Pixel(150, nTop - 1));
    EXPECT_EQ(kPaper, canvas.Pixel(150, nTop));
    EXPECT_EQ(kPaper, canvas.Pixel(150, T - 2));
    EXPECT_NE(kPaper, canvas.Pixel(L - 1, T - 2));
    EXPECT_NE(kPaper, canvas.Pixel(300 - L, T - 2));
    // No caption buttons of the frame's own.
    EXPECT_EQ(0, canvas.Count(CRect(200, nTop, 300 - L, T), ::GetSysColor(COLOR_CAPTIONTEXT)));
}

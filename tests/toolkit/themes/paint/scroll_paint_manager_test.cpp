// Progress, scroll-bar and slider drawing on memory DCs, and build/screens/commandbar-scroll.png.
#include "toolkit/commandbars/control_scroll.h"
#include "toolkit/themes/paint/default_theme.h"
#include "toolkit/themes/paint/gallery_paint_manager.h"
#include "toolkit/themes/paint/scroll_paint_manager.h"

#include "painted_stand_ins.h"
#include "support/canvas.h"
#include "support/message_pump.h"
#include "support/window_screenshot.h"

#include "framework/wnd.h"

#include <gtest/gtest.h>

namespace {

constexpr COLORREF kPaper = RGB(1, 150, 1);
constexpr COLORREF kFace = RGB(212, 208, 200);
constexpr COLORREF kShadow = RGB(128, 128, 128);
constexpr COLORREF kLight = RGB(255, 255, 255);
constexpr COLORREF kHighlight = RGB(10, 36, 106);

// The classic theme with known system colours.
class CKnownColorsTheme : public CKitDefaultTheme {
public:
    CKnownColorsTheme()
    {
        RefreshMetrics();
        const int indices[] = {COLOR_3DFACE, COLOR_3DSHADOW, COLOR_3DHIGHLIGHT, COLOR_HIGHLIGHT};
        const COLORREF colors[] = {kFace, kShadow, kLight, kHighlight};
        for (int i = 0; i < 4; i++)
            GetColorEntry(indices[i]).SetCustomValue(colors[i]);
        InternalAddRef();
    }
};

// A window-free scroll bar at a fixed rectangle.
class CBar : public CKitScrollBase {
public:
    CBar(CKitScrollBarPainter* pPainter, CRect rc, BOOL bVertical, int nMax, int nPage, int nPos)
        : m_pPainter(pPainter), m_rc(rc)
    {
        SetVertical(bVertical);
        m_si = {sizeof(m_si), SIF_ALL, 0, nMax, static_cast<UINT>(nPage), nPos};
        UpdateScrollBar();
    }
    CWnd* GetParentWindow() const override { return m_pWnd; }
    CRect GetScrollBarRect() override { return m_rc; }
    void GetScrollInfo(SCROLLINFO* pSi) override { *pSi = m_si; }
    void DoScroll(int, int) override {}
    void RedrawScrollBar() override {}
    CKitScrollBarPainter* GetScrollBarPaintManager() const override { return m_pPainter; }
    void Draw(CDC* pDC) { m_pPainter->DrawScrollBar(pDC, this); }

    CKitScrollBarPainter* m_pPainter;
    CRect m_rc;
    SCROLLINFO m_si = {};
    CWnd* m_pWnd = nullptr;
};

} // namespace

TEST(KitProgressPaintManager, FillsThePositionsShareOfTheInnerWidth)
{
    CKnownColorsTheme pm;
    struct Case {
        int nLower, nUpper, nPos, nFilled;
    };
    // The inner rectangle is 100 x 12; an empty range fills nothing.
    const Case cases[] = {{0, 100, 50, 50}, {0, 100, 100, 100}, {-10, 10, 0, 50}, {5, 5, 5, 0}, {0, 100, 0, 0}};
    for (const Case& c : cases) {
        Canvas canvas(110, 20, kPaper);
        CFixedProgress progress(pm.GetProgressPaintManager(), CRect(0, 0, 104, 16));
        progress.SetRange(c.nLower, c.nUpper);
        progress.SetPos(c.nPos);
        pm.GetProgressPaintManager()->DrawProgress(&canvas.dc, &progress);
        EXPECT_EQ(c.nFilled * 12, canvas.Count(CRect(0, 0, 110, 20), kHighlight)) << c.nLower << ".." << c.nUpper;
        EXPECT_EQ(kShadow, canvas.Pixel(0, 0));
        EXPECT_EQ(kFace, canvas.Pixel(102, 8));
        EXPECT_EQ(kPaper, canvas.Pixel(104, 8));
    }
    EXPECT_EQ(16, pm.GetProgressPaintManager()->GetProgressHeight());
}

TEST(KitProgressPaintManager, ControlTakesItsOwnHeightOrThePaintersAndDrawsThroughIt)
{
    CKitPaintManager::SetCustomTheme(new CKnownColorsTheme());
    CKitPaintManager::GetCurrent()->InternalRelease();
    CKitControlProgress progress;
    Canvas canvas(10, 10, kPaper);
    EXPECT_EQ(CSize(100, 16), progress.GetSize(&canvas.dc));
    progress.SetHeight(20);
    EXPECT_EQ(CSize(100, 20), progress.GetSize(&canvas.dc));

    Canvas wide(120, 24, kPaper);
    progress.SetRect(CRect(0, 0, 104, 20));
    progress.SetPos(25);
    progress.Draw(&wide.dc);
    EXPECT_EQ(25 * 16, wide.Count(CRect(0, 0, 120, 24), kHighlight));
    CKitPaintManager::Done();
}

TEST(KitScrollBarPaintManager, APageCoveringTheRangeDrawsTheBarDisabledWithoutThumb)
{
    CKnownColorsTheme pm;
    CKitScrollBarPaintManager painter(&pm);
    painter.RefreshMetrics();
    painter.m_cyVScroll = 16;
    struct Case {
        const char* name;
        int nMax, nPage;
        BOOL bThumb;
    };
    const Case cases[] = {{"page below range", 99, 10, TRUE}, {"page equals range", 9, 10, FALSE},
                          {"page above range", 9, 50, FALSE}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Canvas canvas(16, 200, kPaper);
        CBar bar(&painter, CRect(0, 0, 16, 200), TRUE, c.nMax, c.nPage, 0);
        bar.Draw(&canvas.dc);
        const CRect rcTrack(0, 16, 16, 184);
        // The thumb is face-coloured and framed; without it the track is plain.
        EXPECT_EQ(c.bThumb, canvas.Count(rcTrack, kFace) > 0);
        // Enabled arrows carry black glyphs, disabled ones none.
        const COLORREF kTrack = painter.FlatTrackColor();
        ASSERT_NE(kFace, kTrack);
        if (!c.bThumb)
            EXPECT_EQ(16 * 168, canvas.Count(rcTrack, kTrack));
        const int nBlack = canvas.Count(CRect(0, 0, 16, 16), RGB(0, 0, 0));
        EXPECT_EQ(c.bThumb, nBlack > 0);
    }
}

TEST(KitSliderPaintManager, MetricsAndTheMarkerSitOnThePosition)
{
    CKnownColorsTheme pm;
    CKitSliderPaintManager* pSlider = pm.GetSliderPaintManager();
    EXPECT_EQ(16, pSlider->GetArrowSize(FALSE));
    EXPECT_EQ(11, pSlider->GetFixedThumbLength());
    EXPECT_EQ(19, pm.GetGalleryPaintManager()->m_cyScrollUp);

    Canvas canvas(120, 20, kPaper);
    CBar bar(pSlider, CRect(0, 0, 120, 20), FALSE, 10, 0, 5);
    bar.Draw(&canvas.dc);
    const KIT_SCROLLBARPOSINFO& spi = *bar.GetScrollBarPosInfo();
    const int xMarker = (spi.pxThumbTop + spi.pxThumbBottom) / 2;
    EXPECT_EQ(kFace, canvas.Pixel(xMarker, 8));
    // The channel: shadow over highlight across the middle, outside the marker.
    EXPECT_EQ(kShadow, canvas.Pixel(30, 10));
    EXPECT_EQ(kLight, canvas.Pixel(30, 11));
    // The plus button's vertical bar and the minus button's lack of one.
    EXPECT_EQ(RGB(0, 0, 0), canvas.Pixel(112, 7));
    EXPECT_NE(RGB(0, 0, 0), canvas.Pixel(8, 7));
}

TEST(KitControlGalleryPaintManager, LabelsFillTheirRowAndRuleItsBottom)
{
    CKnownColorsTheme pm;
    CKitControlGalleryPaintManager* pGallery = pm.GetGalleryPaintManager();
    EXPECT_EQ(16, pGallery->GetScrollButtonColumnWidth());
    EXPECT_EQ(19, pGallery->GetScrollButtonHeight());
    EXPECT_EQ(pGallery, pGallery->GetGalleryScrollBarPainter());

    Canvas canvas(80, 24, kPaper);
    CKitControlGalleryEntry label;
    label.m_bLabel = TRUE;
    label.m_strCaption = "Recent";
    pGallery->DrawGalleryLabel(&canvas.dc, CRect(0, 2, 80, 22), &label);
    EXPECT_EQ(kPaper, canvas.Pixel(40, 1));
    EXPECT_EQ(pm.GetColor(56), canvas.Pixel(2, 3));
    EXPECT_EQ(80, canvas.Count(CRect(0, 21, 80, 22), pm.GetColor(52)));
    // The caption keeps 10 pixels clear on the left.
    EXPECT_EQ(20 * 10, canvas.Count(CRect(0, 2, 10, 22), pm.GetColor(56)) + canvas.Count(CRect(0, 21, 10, 22), pm.GetColor(52)));
}

namespace {

// Progress bars, scroll bars in each style and a slider on one window.
class CScrollShowcase : public CPaintedWindow {
public:
    CScrollShowcase()
    {
        CreateEx(0, "STATIC", "Progress, scroll bars and slider",
                 WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_VISIBLE, 60, 60, 320, 212, nullptr, 0);
    }
    ~CScrollShowcase() override { DestroyWindow(); }

    void Paint(CDC* pDC) override
    {
        CRect rcClient;
        GetClientRect(&rcClient);
        pDC->FillSolidRect(rcClient, m_pm.GetColor(COLOR_3DFACE));
        CFixedProgress half(m_pm.GetProgressPaintManager(), CRect(12, 12, 212, 28));
        half.SetPos(60);
        m_pm.GetProgressPaintManager()->DrawProgress(pDC, &half);
        CFixedProgress empty(m_pm.GetProgressPaintManager(), CRect(12, 36, 212, 52));
        empty.SetRange(5, 5);
        m_pm.GetProgressPaintManager()->DrawProgress(pDC, &empty);

        CBar flat(&m_flat, CRect(12, 64, 212, 81), FALSE, 99, 20, 30);
        flat.Draw(pDC);
        CBar disabled(&m_flat, CRect(12, 90, 212, 107), FALSE, 9, 10, 0);
        disabled.Draw(pDC);
        CBar classic(&m_flat, CRect(12, 116, 212, 133), FALSE, 99, 20, 60);
        classic.SetScrollBarVisualStyle(kitScrollStyleSystem);
        classic.m_pWnd = this;
        classic.Draw(pDC);
        CBar slider(m_pm.GetSliderPaintManager(), CRect(12, 146, 212, 166), FALSE, 100, 0, 70);
        slider.SetTicks({0, 25, 50, 75, 100});
        slider.Draw(pDC);
        CBar vertical(&m_flat, CRect(240, 12, 257, 166), TRUE, 99, 25, 40);
        vertical.Draw(pDC);
        CBar verticalClassic(&m_flat, CRect(270, 12, 287, 166), TRUE, 99, 25, 10);
        verticalClassic.SetScrollBarVisualStyle(kitScrollStyleOffice);
        verticalClassic.Draw(pDC);
    }

    CKitDefaultTheme m_pm;
    CKitScrollBarPaintManager m_flat{&m_pm};
};

} // namespace

TEST(KitScrollScreens, ProgressScrollBarsAndSliderOnAWindow)
{
    CScrollShowcase window;
    window.m_pm.RefreshMetrics();
    window.m_flat.RefreshMetrics();
    window.m_pm.InternalAddRef();
    window.Invalidate();
    PumpMessages();
    EXPECT_EQ("", SaveWindowScreenshot(window.GetSafeHwnd(), "commandbar-scroll"));
}

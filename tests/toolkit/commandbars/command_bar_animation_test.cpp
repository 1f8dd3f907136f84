// The cross-fade of a bar's changed rectangles, probed on memory DCs: blend steps, the cache and the timer.
#include "toolkit/commandbars/command_bar_animation.h"
#include "toolkit/commandbars/command_bar.h"

#include "support/canvas.h"

#include "framework/wnd.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

// A bar that fills what it is asked to draw with one colour.
class CSolidBar : public CKitCommandBar {
public:
    CSolidBar() { CreateEx(0, "STATIC", "", WS_POPUP, CRect(0, 0, 60, 20), nullptr, 0); }
    ~CSolidBar() override { DestroyWindow(); }
    BOOL IsVisible() const override { return TRUE; }
    void DrawCommandBar(CDC* pDC, CRect rcClip) override
    {
        pDC->FillSolidRect(&rcClip, m_clr);
        m_nDraws++;
    }
    COLORREF m_clr = RGB(255, 0, 0);
    int m_nDraws = 0;
};

// The cached picture's colour at the point.
COLORREF CachePixel(CKitCommandBarAnimation* pAnimation, int x, int y)
{
    Canvas canvas(1, 1);
    CDC dcCache;
    dcCache.Attach(::CreateCompatibleDC(nullptr));
    HGDIOBJ hOld = ::SelectObject(dcCache.m_hDC, pAnimation->GetCache()->m_hObject);
    canvas.dc.BitBlt(0, 0, 1, 1, &dcCache, x, y, SRCCOPY);
    ::SelectObject(dcCache.m_hDC, hOld);
    return canvas.Pixel(0, 0);
}

// An animated bar whose cache holds its first picture.
struct AnimatedBar {
    AnimatedBar()
    {
        bar.SetAnimationEnabled(TRUE);
        Canvas canvas(60, 20);
        animation()->Paint(&canvas.dc, CRect(0, 0, 60, 20));
    }
    CKitCommandBarAnimation* animation() { return bar.GetAnimation(); }
    CSolidBar bar;
};

} // namespace

// Steps 1 to 5 weigh the new picture by 255 * step / 6; a white byte over a black one shows that weight
// shifted right by eight, so step 3 gives 126.
TEST(KitCommandBarAnimation, EachStepBlendsTheNewPictureOverTheOldByItsWeight)
{
    struct Case {
        int nStep;
        int nFactor;
        BYTE nByte;
    };
    const Case cases[] = {{1, 42, 41}, {2, 85, 84}, {3, 127, 126}, {4, 170, 169}, {5, 212, 211}};
    CSolidBar bar;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.nStep);
        EXPECT_EQ(c.nFactor, CKitCommandBarAnimation::GetBlendFactor(c.nStep));
        Canvas canvas(8, 4, RGB(9, 9, 9));
        CKitCommandBarAnimation::CAnimateInfo info(canvas.dc.m_hDC, CRect(2, 1, 5, 3));
        ASSERT_TRUE(info.IsValid());
        std::memset(info.m_pNewBits, 0xFF, 3 * 2 * 4);
        std::memset(info.m_pOldBits, 0x00, 3 * 2 * 4);
        info.m_nStep = c.nStep;
        bar.GetAnimation()->DrawStep(&canvas.dc, &info);
        EXPECT_EQ(RGB(c.nByte, c.nByte, c.nByte), canvas.Pixel(2, 1));
        EXPECT_EQ(RGB(c.nByte, c.nByte, c.nByte), canvas.Pixel(4, 2));
        EXPECT_EQ(RGB(9, 9, 9), canvas.Pixel(5, 2)) << "outside the rectangle";
        EXPECT_EQ(c.nStep + 1, info.m_nStep);
    }
}

// The sixth step shows the final picture straight from the cache, whatever the two pictures hold.
TEST(KitCommandBarAnimation, TheLastStepCopiesTheCache)
{
    AnimatedBar fixture;
    Canvas canvas(60, 20, RGB(0, 0, 0));
    CKitCommandBarAnimation::CAnimateInfo info(canvas.dc.m_hDC, CRect(10, 5, 20, 15));
    std::memset(info.m_pNewBits, 0x40, 10 * 10 * 4);
    std::memset(info.m_pOldBits, 0x40, 10 * 10 * 4);
    info.m_nStep = CKitCommandBarAnimation::kLastStep;
    fixture.animation()->DrawStep(&canvas.dc, &info);
    EXPECT_EQ(10 * 10, canvas.Count(CRect(10, 5, 20, 15), RGB(255, 0, 0)));
    EXPECT_EQ(RGB(0, 0, 0), canvas.Pixel(9, 5));
    EXPECT_EQ(7, info.m_nStep);
}

// A hot change that draws the same pixels starts nothing; a real change fades in six ticks and the
// timer stops after the last, with the cache holding the new picture all along.
TEST(KitCommandBarAnimation, OnlyAChangeOfPixelsStartsAFade)
{
    AnimatedBar fixture;
    CKitCommandBarAnimation* pAnimation = fixture.animation();
    const CRect rc(0, 0, 30, 20);
    fixture.bar.Redraw(&rc, TRUE);
    EXPECT_EQ(0, pAnimation->GetFadeCount());
    EXPECT_FALSE(pAnimation->IsTimerRunning());

    fixture.bar.m_clr = RGB(0, 0, 255);
    fixture.bar.Redraw(&rc, TRUE);
    ASSERT_EQ(1, pAnimation->GetFadeCount());
    EXPECT_TRUE(pAnimation->IsTimerRunning());
    EXPECT_EQ(2, pAnimation->GetFade(0)->m_nStep) << "the first step is drawn at once";
    EXPECT_EQ(RGB(0, 0, 255), CachePixel(pAnimation, 5, 5));
    EXPECT_EQ(RGB(255, 0, 0), CachePixel(pAnimation, 40, 5));

    // A second change over the same rectangle replaces the running fade.
    fixture.bar.m_clr = RGB(0, 255, 0);
    fixture.bar.Redraw(&rc, TRUE);
    ASSERT_EQ(1, pAnimation->GetFadeCount());
    EXPECT_EQ(2, pAnimation->GetFade(0)->m_nStep);

    for (int i = 0; i < 4; i++)
        pAnimation->OnTimer();
    EXPECT_EQ(1, pAnimation->GetFadeCount());
    pAnimation->OnTimer();
    EXPECT_EQ(0, pAnimation->GetFadeCount());
    EXPECT_FALSE(pAnimation->IsTimerRunning());
    EXPECT_THROW(pAnimation->GetFade(0), CInvalidArgException*);
}

// A redraw without animation ends the fades it covers and keeps the others off its rectangle.
TEST(KitCommandBarAnimation, AnUnanimatedRedrawEndsCoveredFadesAndFencesOthers)
{
    AnimatedBar fixture;
    CKitCommandBarAnimation* pAnimation = fixture.animation();
    fixture.bar.m_clr = RGB(0, 0, 255);
    const CRect rcLeft(0, 0, 20, 20);
    const CRect rcRight(30, 0, 60, 20);
    fixture.bar.Redraw(&rcLeft, TRUE);
    fixture.bar.Redraw(&rcRight, TRUE);
    ASSERT_EQ(2, pAnimation->GetFadeCount());

    const CRect rcCover(0, 0, 40, 20);
    fixture.bar.Redraw(&rcCover, FALSE);
    ASSERT_EQ(1, pAnimation->GetFadeCount());
    CKitCommandBarAnimation::CAnimateInfo* pRight = pAnimation->GetFade(0);
    EXPECT_EQ(rcRight, pRight->m_rect);
    ASSERT_EQ(1, pRight->m_arrExcluded.GetSize());
    EXPECT_EQ(rcCover, pRight->m_arrExcluded.GetAt(0));
}

// With animation and the keep-cache option off every paint draws afresh and no cache is held;
// with the cache, an unchanged bar is painted from it and a resize drops it.
TEST(KitCommandBarAnimation, TheCacheServesPaintsOnlyWhileInForceAndForItsSize)
{
    CSolidBar bar;
    CKitCommandBarAnimation* pAnimation = bar.GetAnimation();
    Canvas canvas(60, 20);
    pAnimation->Paint(&canvas.dc, CRect(0, 0, 60, 20));
    pAnimation->Paint(&canvas.dc, CRect(0, 0, 60, 20));
    EXPECT_EQ(nullptr, pAnimation->GetCache());
    EXPECT_EQ(2, bar.m_nDraws);
    EXPECT_EQ(RGB(255, 0, 0), canvas.Pixel(59, 19));

    pAnimation->SetKeepCache(TRUE);
    pAnimation->Paint(&canvas.dc, CRect(0, 0, 10, 10));
    ASSERT_NE(nullptr, pAnimation->GetCache());
    EXPECT_EQ(RGB(255, 0, 0), CachePixel(pAnimation, 59, 19)) << "the first cached paint draws the whole bar";
    pAnimation->Paint(&canvas.dc, CRect(0, 0, 60, 20));
    EXPECT_EQ(3, bar.m_nDraws);

    bar.SetWindowPos(nullptr, 0, 0, 80, 20, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    bar.m_clr = RGB(0, 255, 0);
    Canvas wide(80, 20);
    pAnimation->Paint(&wide.dc, CRect(0, 0, 10, 10));
    EXPECT_EQ(4, bar.m_nDraws);
    EXPECT_EQ(RGB(0, 255, 0), wide.Pixel(79, 19));
}

// Special controls, popup animations and the alpha helpers of the paint manager.
#include "support/canvas.h"
#include "toolkit/commandbars/command_bar.h"
#include "toolkit/commandbars/menu_bar.h"
#include "toolkit/commandbars/popup_bar.h"
#include "toolkit/commandbars/control.h"
#include "toolkit/commandbars/controls.h"
#include "toolkit/themes/paint/default_theme.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr COLORREF kGround = RGB(1, 150, 1);

// The default theme recording its animation frames instead of waiting.
class CFrameCountingTheme : public CKitDefaultTheme {
public:
    CFrameCountingTheme()
    {
        RefreshMetrics();
        InternalAddRef();
    }
    std::vector<DWORD> m_waits;

protected:
    void WaitAnimationFrame(DWORD dwMilliseconds) override { m_waits.push_back(dwMilliseconds); }
};

} // namespace

TEST(KitBarDecorations, SpecialControlsMeasureAndPlaceExpandButtons)
{
    CFrameCountingTheme theme;
    Canvas dc(10, 10, kGround);
    CKitToolBar toolbar;
    CKitControl* pExpand = toolbar.GetControls()->AddControl(new CKitControlButton());
    EXPECT_EQ(CSize(0, 12), theme.DrawSpecialControl(&dc.dc, 1, pExpand, &toolbar, FALSE, 0));
    for (int nKind : {4, 5, -1})
        EXPECT_EQ(CSize(0, 0), theme.DrawSpecialControl(&dc.dc, nKind, pExpand, &toolbar, FALSE, 0)) << nKind;

    // Measuring kind 0 puts the toolbar's expand button at the end of the bar size given.
    const SIZE szBar = {200, 26};
    theme.DrawSpecialControl(&dc.dc, 0, pExpand, &toolbar, FALSE, reinterpret_cast<LPARAM>(&szBar));
    EXPECT_EQ(CRect(187, 2, 198, 24), pExpand->GetRect());
    toolbar.SetPosition(kitBarLeft);
    const SIZE szVertical = {26, 200};
    theme.DrawSpecialControl(&dc.dc, 0, pExpand, &toolbar, FALSE, reinterpret_cast<LPARAM>(&szVertical));
    EXPECT_EQ(CRect(2, 187, 24, 198), pExpand->GetRect());
}

TEST(KitBarDecorations, ThePopupExpandButtonDrawsABlackDoubleChevron)
{
    CFrameCountingTheme theme;
    CKitPopupBar popup;
    CKitControl* pExpand = popup.GetControls()->AddControl(new CKitControlButton());
    pExpand->SetRect(CRect(0, 0, 20, 12));
    Canvas dc(20, 12, kGround);
    theme.DrawSpecialControl(&dc.dc, 1, pExpand, &popup, TRUE, 0);
    // c = 10: strokes from (8, 2) over (10, 4) to (13, 1), and one row lower; the second pair from row 6.
    for (POINT pt : {POINT{8, 2}, POINT{10, 4}, POINT{12, 2}, POINT{8, 3}, POINT{10, 5}, POINT{8, 6}, POINT{10, 9}})
        EXPECT_EQ(RGB(0, 0, 0), dc.Pixel(pt.x, pt.y)) << pt.x << "," << pt.y;
    EXPECT_EQ(kGround, dc.Pixel(10, 11));
    EXPECT_EQ(kGround, dc.Pixel(5, 5));
}

TEST(KitBarDecorations, AnimationsShowTheirFramesAndEndOnTheSource)
{
    CFrameCountingTheme theme;
    Canvas source(40, 30, RGB(10, 20, 30));
    source.dc.FillSolidRect(0, 20, 40, 10, RGB(200, 0, 0));
    const CRect rc(0, 0, 40, 30);

    // Kind 1 (and any unknown kind) draws nothing and waits for nothing.
    Canvas target(40, 30, kGround);
    theme.Animate(&target.dc, &source.dc, rc, 1);
    EXPECT_EQ(1200, target.Count(rc, kGround));
    EXPECT_TRUE(theme.m_waits.empty());

    // The slide: ten frames 10 ms apart, the source's bottom rows first.
    struct Case {
        int nKind;
        size_t nFrames;
        DWORD dwWait;
    };
    for (const Case& c : {Case{3, 10, 10}, Case{2, 10, 10}}) {
        theme.m_waits.clear();
        target.dc.FillSolidRect(0, 0, 40, 30, kGround);
        theme.Animate(&target.dc, &source.dc, rc, c.nKind);
        EXPECT_EQ(c.nFrames, theme.m_waits.size()) << c.nKind;
        for (DWORD dwWait : theme.m_waits)
            EXPECT_EQ(c.dwWait, dwWait) << c.nKind;
        // The last frame is the whole source.
        EXPECT_EQ(RGB(10, 20, 30), target.Pixel(0, 0)) << c.nKind;
        EXPECT_EQ(RGB(200, 0, 0), target.Pixel(39, 29)) << c.nKind;
    }

    // The fade: n - 1 mixed frames between the old screen and the new image.
    theme.m_waits.clear();
    target.dc.FillSolidRect(0, 0, 40, 30, RGB(0, 0, 0));
    theme.Animate(&target.dc, &source.dc, rc, 4);
    EXPECT_EQ(9u, theme.m_waits.size());
    const COLORREF clrLast = target.Pixel(39, 29);
    EXPECT_GT(GetRValue(clrLast), 150);
    EXPECT_LT(GetRValue(clrLast), 200);
}

TEST(KitBarDecorations, BufferBlendingAndAlphaFills)
{
    const DWORD first[2] = {0x11000000, 0x00FF8040};
    const DWORD second[2] = {0x00FFFFFF, 0x00000000};
    DWORD destination[2] = {0xAB000000, 0x12345678};
    CKitPaintManager::BlendBuffers(destination, first, 2, 1, second, 128);
    // (0 x 127 + 255 x 128) >> 8 = 127 and (255 x 127) >> 8 = 126; the destination keeps its alpha byte.
    EXPECT_EQ(0xAB7F7F7Fu, destination[0]);
    EXPECT_EQ(0x127E3F1Fu, destination[1]);

    Canvas canvas(4, 4, RGB(5, 6, 7));
    CKitPaintManager::FillSolidRectAlpha(&canvas.dc, CRect(0, 0, 2, 2), RGB(200, 100, 50));
    EXPECT_EQ(RGB(200, 100, 50), canvas.Pixel(1, 1));
    EXPECT_EQ(RGB(5, 6, 7), canvas.Pixel(2, 2));
    CKitPaintManager::FillAlphaOpaque(&canvas.dc, CRect(0, 0, 4, 4));
    EXPECT_EQ(RGB(5, 6, 7), canvas.Pixel(3, 3));
}

// The resize grip: a row of dots (kind 2) or a corner triangle; the Office XP theme fills its face first.
TEST(KitBarDecorations, ResizeGripDotsSitInARowOrACorner)
{
    CFrameCountingTheme theme;
    theme.GetColorEntry(38).SetCustomValue(RGB(38, 0, 0));
    theme.GetColorEntry(COLOR_WINDOW).SetCustomValue(RGB(5, 5, 250));
    Canvas dc(40, 12, kGround);
    theme.DrawPopupResizeGripper(&dc.dc, CRect(0, 0, 40, 12), 2);
    // Centre 20: dots at x 12, 16, 20, 24 on row 3, each with its highlight one pixel right and down.
    for (int x : {12, 16, 20, 24}) {
        EXPECT_EQ(RGB(38, 0, 0), dc.Pixel(x, 3)) << x;
        EXPECT_EQ(RGB(5, 5, 250), dc.Pixel(x + 2, 5)) << x;
    }
    EXPECT_EQ(kGround, dc.Pixel(28, 3));
    EXPECT_EQ(kGround, dc.Pixel(0, 0));

    dc.dc.FillSolidRect(0, 0, 40, 12, kGround);
    theme.DrawPopupResizeGripper(&dc.dc, CRect(0, 0, 40, 12), 3);
    for (POINT pt : {POINT{36, 8}, POINT{32, 8}, POINT{36, 4}})
        EXPECT_EQ(RGB(38, 0, 0), dc.Pixel(pt.x, pt.y)) << pt.x << "," << pt.y;
    EXPECT_EQ(kGround, dc.Pixel(32, 4));
}

namespace {

// Records one pixel row's colour at every frame of an expanding animation.
class CExpandingRecorder : public CFrameCountingTheme {
public:
    CDC* m_pTarget = nullptr;
    std::vector<COLORREF> m_frames;

protected:
    void WaitAnimationFrame(DWORD dwMilliseconds) override
    {
        ::GdiFlush();
        m_frames.push_back(m_pTarget->GetPixel(5, 11));
        CFrameCountingTheme::WaitAnimationFrame(dwMilliseconds);
    }
};

} // namespace

// The strip of the controls shown by expanding grows from nothing to its height; the others keep theirs.
TEST(KitBarDecorations, ExpandingGrowsTheNewlyShownStrip)
{
    CExpandingRecorder theme;
    CKitPopupBar popup;
    ASSERT_TRUE(popup.CreateEx(0, "STATIC", "", WS_POPUP, 0, 0, 40, 30, nullptr, 0));
    const COLORREF colors[3] = {RGB(200, 0, 0), RGB(0, 200, 0), RGB(0, 0, 200)};
    Canvas source(40, 30);
    for (int i = 0; i < 3; i++) {
        CKitControl* pControl = popup.GetControls()->AddControl(new CKitControlButton());
        pControl->SetRect(CRect(0, 10 * i, 40, 10 * i + 10));
        pControl->SetExpanded(i == 1);
        source.dc.FillSolidRect(0, 10 * i, 40, 10, colors[i]);
    }
    Canvas target(40, 30, kGround);
    theme.m_pTarget = &target.dc;
    theme.AnimateExpanding(&popup, &target.dc, &source.dc, TRUE);
    ASSERT_EQ(10u, theme.m_frames.size());
    // Frame 1: the green strip is one row high, so row 11 is already blue; the last frame is the source.
    EXPECT_EQ(colors[2], theme.m_frames.front());
    EXPECT_EQ(colors[1], theme.m_frames.back());
    EXPECT_EQ(colors[0], target.Pixel(5, 0));
    EXPECT_EQ(colors[2], target.Pixel(5, 29));
    popup.DestroyWindow();
}

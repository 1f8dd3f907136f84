// The screenshot of the tooltip styles over a test window: standard, balloon, rich text and markup.
#include "support/window_capture.h"
#include "support/window_screenshot.h"
#include "tool_host.h"
#include "toolkit/common/tooltip_context.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

// The tip's window once it shows, waiting at most a few seconds for the system control's own delay.
HWND WaitForTip(CKitToolTipContext& context)
{
    for (int i = 0; i < 300; ++i) {
        PumpMessages();
        CWnd* tip = context.GetToolTip();
        if (tip != nullptr && tip->IsWindowVisible())
            return tip->GetSafeHwnd();
        ::Sleep(10);
    }
    return nullptr;
}

TEST(KitToolTipScreenshot, StylesOverATestWindow)
{
    ToolHost host(CRect(40, 40, 680, 400), "Tooltip styles");
    struct Tip {
        int style;
        INT_PTR id;
        CRect rect;
        const char* label;
        const char* text;
    };
    const Tip tips[] = {
        {CKitToolTipContext::kStyleStandard, 1, CRect(20, 20, 140, 50), "Standard", "Download the configuration to the module"},
        {CKitToolTipContext::kStyleBalloon, 2, CRect(330, 110, 450, 140), "Balloon", "The module answers on port 8000"},
        {CKitToolTipContext::kStyleRichEdit, 3, CRect(20, 200, 140, 230), "Rich text",
         "{\\rtf1{\\colortbl;\\red192\\green0\\blue0;}Rich text with \\b bold\\b0 , \\i italic\\i0  and \\cf1 red\\cf0  words}"},
        {CKitToolTipContext::kStyleMarkup, 4, CRect(330, 200, 450, 230), "Markup",
         "<StackPanel><TextBlock><Bold>Markup tooltip</Bold></TextBlock>"
         "<TextBlock Foreground=\"Navy\">Drawn by the <Italic>markup</Italic> engine</TextBlock></StackPanel>"},
    };
    for (const Tip& tip : tips)
        host.tools.push_back({tip.id, tip.rect, tip.text, "", "", tip.label});
    host.Invalidate();
    host.UpdateWindow();

    std::vector<std::unique_ptr<CKitToolTipContext>> contexts;
    struct Shown {
        CRect rect;
        WindowImage image;
    };
    std::vector<Shown> shown;
    for (const Tip& tip : tips) {
        contexts.push_back(std::make_unique<CKitToolTipContext>());
        CKitToolTipContext& context = *contexts.back();
        context.SetStyle(tip.style);
        context.SetMaxTipWidth(260);
        context.SetDelayTime(TTDT_INITIAL, 10);
        context.SetDelayTime(TTDT_AUTOPOP, 30000);
        host.MoveTo(context, tip.rect.CenterPoint());
        if (auto* own = dynamic_cast<CKitToolTipContextToolTip*>(context.GetToolTip()))
            own->SendMessage(WM_TIMER, CKitToolTipContextToolTip::kTimerInitial);
        HWND hTip = WaitForTip(context);
        ASSERT_NE(nullptr, hTip) << tip.label;
        CRect rc;
        ::GetWindowRect(hTip, &rc);
        EXPECT_GT(rc.Width(), 20) << tip.label;
        shown.push_back({rc, CaptureScreenArea(hTip)});
    }

    // Each tip as it was on the screen, over the window.
    CRect rcHost;
    host.GetWindowRect(&rcHost);
    WindowImage picture = CaptureScreenArea(host.GetSafeHwnd());
    for (const Shown& s : shown) {
        for (int y = 0; y < s.image.height; ++y) {
            for (int x = 0; x < s.image.width; ++x) {
                const int px = s.rect.left - rcHost.left + x;
                const int py = s.rect.top - rcHost.top + y;
                if (px >= 0 && py >= 0 && px < picture.width && py < picture.height)
                    picture.pixels[static_cast<size_t>(py) * picture.width + px] =
                        s.image.pixels[static_cast<size_t>(y) * s.image.width + x];
            }
        }
    }
    EXPECT_EQ("", SaveScreenshot("tooltips", picture.width, picture.height, picture.pixels));
}

} // namespace

// A markup context's tooltip context in a window: an element's ToolTip text shows as a markup tip after the mouse rests on it, goes when the mouse leaves it, and the tip's window goes with the context; and the screenshot.
#include "support/window_capture.h"
#include "support/window_screenshot.h"
#include "toolkit/markup/markup_window_host.h"
#include "toolkit/themes/paint/markup_context_services.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

void PumpWaiting()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

// Pumps messages until the condition holds, at most for the time given.
template <class Condition>
bool WaitFor(Condition condition, DWORD dwMilliseconds = 3000)
{
    const DWORD start = ::GetTickCount();
    while (!condition()) {
        if (::GetTickCount() - start > dwMilliseconds)
            return false;
        PumpWaiting();
        ::Sleep(10);
    }
    return true;
}

constexpr char kMarkup[] =
    "<Border Background=\"White\" Padding=\"16\">"
    "<StackPanel Orientation=\"Horizontal\" VerticalAlignment=\"Top\">"
    "<Border x:Name=\"send\" Width=\"110\" Height=\"32\" Background=\"#3060C0\""
    " ToolTip=\"&lt;StackPanel&gt;&lt;TextBlock&gt;&lt;Bold&gt;Send&lt;/Bold&gt;&lt;/TextBlock&gt;"
    "&lt;TextBlock Foreground='Navy'&gt;Downloads the configuration to the module&lt;/TextBlock&gt;"
    "&lt;/StackPanel&gt;\">"
    "<TextBlock Foreground=\"White\" HorizontalAlignment=\"Center\" VerticalAlignment=\"Center\">Send</TextBlock>"
    "</Border>"
    "<Border x:Name=\"plain\" Width=\"110\" Height=\"32\" Margin=\"16,0,0,0\" Background=\"#C0C0C0\"/>"
    "</StackPanel></Border>";

TEST(MarkupContextToolTip, AnElementsToolTipShowsAfterTheMouseRestsOnIt)
{
    auto host = std::make_unique<CMarkupWindowHost>(380, 200, WS_POPUP | WS_VISIBLE | WS_BORDER, "Markup tooltip");
    ASSERT_EQ("", host->Show(kMarkup));
    ::SetForegroundWindow(host->m_hWnd);
    ::SetWindowPos(host->m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    PumpWaiting();
    auto* context = dynamic_cast<CKitMarkupContextToolTip*>(host->m_pContext->GetToolTipFilter());
    ASSERT_NE(nullptr, context);
    EXPECT_EQ(CKitToolTipContext::kStyleMarkup, context->GetStyle());

    // The mouse comes to rest over the element (client and screen points agree).
    const RECT send = host->RectOf("send");
    const POINT centre = {(send.left + send.right) / 2, (send.top + send.bottom) / 2};
    ::SetCursorPos(centre.x, centre.y);
    ::SendMessageA(host->m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(centre.x, centre.y));
    ASSERT_TRUE(WaitFor([&] {
        CWnd* tip = context->GetToolTip();
        return tip != nullptr && tip->IsWindowVisible();
    })) << "no tip after the initial delay";
    auto* tip = dynamic_cast<CKitToolTipContextToolTip*>(context->GetToolTip());
    ASSERT_NE(nullptr, tip);
    EXPECT_EQ(reinterpret_cast<UINT_PTR>(host->Named("send")), tip->GetShownTool().uId);
    CRect rcTip;
    tip->GetWindowRect(&rcTip);
    EXPECT_GE(rcTip.top, centre.y) << "the tip opens below the cursor";
    EXPECT_GT(rcTip.Width(), 150) << "the tip's markup is laid out, not its text";

    // The screenshot: the window's client area (at the screen's origin) with the tip over it.
    RECT client = {};
    ::GetClientRect(host->m_hWnd, &client);
    const WindowImage picture = CaptureScreenRect(client);
    EXPECT_EQ("", SaveScreenshot("markup-tooltip", picture.width, picture.height, picture.pixels));

    // Over an element without a ToolTip the tip goes.
    const RECT plain = host->RectOf("plain");
    const POINT away = {(plain.left + plain.right) / 2, (plain.top + plain.bottom) / 2};
    ::SetCursorPos(away.x, away.y);
    ::SendMessageA(host->m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(away.x, away.y));
    EXPECT_TRUE(WaitFor([&] { return !tip->IsWindowVisible(); }, 1000));

    // The tip's window goes with the markup context.
    const HWND hTip = tip->GetSafeHwnd();
    host.reset();
    EXPECT_FALSE(::IsWindow(hTip));
}

// Every context holds the store's picture loader while it lives.
TEST(MarkupContextToolTip, ContextsHoldTheStoresPictureLoader)
{
    CKitMarkupStorePictureLoader* loader = CKitMarkupStorePictureLoader::Instance();
    const LONG before = loader->GetHolderCount();
    {
        CTestMarkupContext direct;
        EXPECT_EQ(loader, direct.Get()->GetPictureLoader());
        EXPECT_EQ(nullptr, direct.Get()->GetToolTipFilter()) << "no container window, no tooltips";
        EXPECT_EQ(before + 1, loader->GetHolderCount());
    }
    EXPECT_EQ(before, loader->GetHolderCount());
}

} // namespace

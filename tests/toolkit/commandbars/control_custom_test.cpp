// The custom control on a toolbar drawn by the default theme: without a window it is a button; with one it
// places the window in its rectangle and hides on vertical edges as its option says.
#include "themed_toolbar.h"

#include "support/canvas.h"
#include "toolkit/commandbars/control_custom.h"
#include "toolkit/commandbars/controls.h"

#include <vector>

namespace {

constexpr UINT kFindId = 42001;

class CustomControlTest : public ThemedToolBarTest {
protected:
    CustomControlTest() : ThemedToolBarTest("Custom control") {}

    CKitControl* Add(CKitControl* pControl, UINT nId)
    {
        m_pBar->GetControls()->Add(pControl, nId);
        pControl->SetCaption("Find");
        pControl->SetStyle(kitButtonCaption);
        m_pBar->CalcLayout(340);
        return pControl;
    }

    // Lays the bar's controls out as docked on a side (LM_VERTDOCK) or on the top (LM_HORZDOCK).
    void Layout(DWORD dwDock)
    {
        CClientDC dc(m_pBar);
        m_pBar->GetControls()->CalcDynamicSize(&dc, 300, dwDock | LM_COMMIT, CRect(2, 2, 2, 2), 0, KitRowLayoutMetrics());
    }

    // Clicks the control with the left button, the real pointer on it.
    void Click(CKitControl* pControl)
    {
        const CPoint pt = pControl->GetRect().CenterPoint();
        CPoint ptScreen = pt;
        m_pBar->ClientToScreen(&ptScreen);
        ::SetCursorPos(ptScreen.x, ptScreen.y);
        m_pBar->PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
        m_pBar->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
        PumpMessages();
    }

};

// What one control measures, draws and sends when clicked.
struct Behaviour {
    CSize size;
    std::vector<COLORREF> pixels;
    std::vector<UINT> commands;
};

} // namespace

// Without a hosted window the custom control measures, draws and clicks exactly as a plain button does.
TEST_F(CustomControlTest, WithoutAWindowItIsAButton)
{
    auto observe = [this](CKitControl* pControl) {
        Add(pControl, kFindId);
        Behaviour result;
        CClientDC dc(m_pBar);
        result.size = pControl->GetSize(&dc);
        Canvas canvas(120, 30);
        pControl->SetRect(CRect(0, 0, result.size.cx, result.size.cy));
        pControl->Draw(&canvas.dc);
        for (int y = 0; y < result.size.cy; y++)
            for (int x = 0; x < result.size.cx; x++)
                result.pixels.push_back(canvas.Pixel(x, y));
        m_pBar->CalcLayout(340);
        m_pBar->ClearSelection();
        m_site.m_commands.clear();
        Click(pControl);
        result.commands = m_site.m_commands;
        m_pBar->GetControls()->RemoveAll();
        return result;
    };
    const Behaviour button = observe(new CKitControlButton());
    const Behaviour custom = observe(new CKitControlCustom());
    EXPECT_EQ(button.size, custom.size);
    EXPECT_GT(button.size.cx, 0);
    EXPECT_TRUE(button.pixels == custom.pixels) << "the custom control draws as the button";
    EXPECT_EQ(std::vector<UINT>{kFindId}, button.commands);
    EXPECT_EQ(button.commands, custom.commands);
}

// A hosted window makes the control its size plus the borders, moves into the bar inside the borders,
// and takes the clicks itself.
TEST_F(CustomControlTest, AHostedWindowFillsTheControlInsideItsBorders)
{
    auto* pCustom = new CKitControlCustom();
    HWND hEdit = ::CreateWindowExA(0, "EDIT", "text", WS_POPUP, 0, 0, 10, 10, m_site.GetSafeHwnd(), nullptr, nullptr, nullptr);
    pCustom->SetControl(hEdit);
    pCustom->SetControlSize(CSize(80, 18));
    pCustom->SetBorders(3, 2, 3, 2);
    Add(pCustom, kFindId);
    CClientDC dc(m_pBar);
    EXPECT_EQ(CSize(86, 22), pCustom->GetSize(&dc));

    pCustom->SetRect(CRect(10, 4, 96, 26));
    EXPECT_EQ(m_pBar->GetSafeHwnd(), ::GetParent(hEdit));
    EXPECT_EQ(0, ::GetWindowLongPtrA(hEdit, GWL_STYLE) & WS_POPUP);
    EXPECT_TRUE(::IsWindowVisible(hEdit));
    RECT rcEdit;
    ::GetWindowRect(hEdit, &rcEdit);
    ::MapWindowPoints(nullptr, m_pBar->GetSafeHwnd(), reinterpret_cast<POINT*>(&rcEdit), 2);
    EXPECT_EQ(CRect(13, 6, 93, 24), CRect(rcEdit));

    pCustom->SetEnabled(FALSE);
    EXPECT_FALSE(::IsWindowEnabled(hEdit));
    pCustom->SetEnabled(TRUE);
    EXPECT_TRUE(::IsWindowEnabled(hEdit));

    m_site.m_commands.clear();
    pCustom->OnClick(TRUE);
    EXPECT_TRUE(m_site.m_commands.empty());

    m_pBar->GetControls()->RemoveAll();
    EXPECT_FALSE(::IsWindowVisible(hEdit));
    ::DestroyWindow(hEdit);
}

// Option 0 hides the whole control on a vertical edge and shows it again on a horizontal one;
// option 2 keeps the control there and hides only its window.
TEST_F(CustomControlTest, TheVerticalOptionHidesTheControlOrItsWindowOnSideEdges)
{
    auto* pButton = static_cast<CKitControl*>(Add(new CKitControlButton(), 42002));
    auto* pCustom = new CKitControlCustom();
    Add(pCustom, kFindId);
    Layout(LM_VERTDOCK);
    EXPECT_FALSE(pCustom->IsVisible());
    EXPECT_TRUE(pButton->IsVisible());
    Layout(LM_HORZDOCK);
    EXPECT_TRUE(pCustom->IsVisible());

    HWND hEdit = ::CreateWindowExA(0, "EDIT", "", WS_CHILD, 0, 0, 10, 10, m_site.GetSafeHwnd(), nullptr, nullptr, nullptr);
    pCustom->SetControl(hEdit);
    pCustom->SetControlSize(CSize(60, 20));
    pCustom->SetVerticalOptions(kitCustomVerticalHideWindow);
    Layout(LM_HORZDOCK);
    EXPECT_TRUE(::IsWindowVisible(hEdit));
    Layout(LM_VERTDOCK);
    EXPECT_TRUE(pCustom->IsVisible());
    EXPECT_FALSE(::IsWindowVisible(hEdit));
    Layout(LM_HORZDOCK);
    EXPECT_TRUE(::IsWindowVisible(hEdit));
    m_pBar->GetControls()->RemoveAll();
    ::DestroyWindow(hEdit);
}

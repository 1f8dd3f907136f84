// Status-bar parts: switch buttons, pane text and colours, pane borders and the size grip.
#include "support/canvas.h"
#include "toolkit/commandbars/keyboard_tip.h"
#include "toolkit/commandbars/status_bar_pane.h"
#include "toolkit/themes/paint/default_theme.h"
#include "toolkit/themes/paint/office_theme.h"

#include <gtest/gtest.h>

namespace {

constexpr COLORREF kGround = RGB(1, 150, 1);
constexpr COLORREF kLight = RGB(251, 252, 253);
constexpr COLORREF kShadow = RGB(101, 102, 103);

template <class Theme>
class CStatusTheme : public Theme {
public:
    CStatusTheme()
    {
        this->RefreshMetrics();
        this->GetColorEntry(COLOR_BTNHIGHLIGHT).SetCustomValue(kLight);
        this->GetColorEntry(COLOR_BTNSHADOW).SetCustomValue(kShadow);
        this->InternalAddRef();
    }
};

int CountInColumns(const Canvas& canvas, int x0, int x1, COLORREF clr)
{
    return canvas.Count(CRect(x0, 0, x1, canvas.Height()), clr);
}

} // namespace

TEST(KitStatusBarDrawing, SwitchesAreEighteenPixelsEachInTheirState)
{
    CStatusTheme<CKitDefaultTheme> theme;
    CKitStatusBarSwitchPane pane;
    pane.m_switches.resize(3);
    EXPECT_EQ(54, theme.DrawStatusBarSwitches(nullptr, CRect(), &pane));
    for (const auto& item : pane.m_switches)
        EXPECT_EQ(18, item.nWidth);

    pane.m_switches[0].bHot = TRUE;
    pane.m_switches[1].bChecked = TRUE;
    Canvas dc(54, 20, kGround);
    EXPECT_EQ(0, theme.DrawStatusBarSwitches(&dc.dc, CRect(0, 0, 54, 20), &pane));
    // Hot: raised; checked: sunken over the dithered face; idle: nothing.
    EXPECT_EQ(kLight, dc.Pixel(0, 0));
    EXPECT_EQ(kShadow, dc.Pixel(17, 19));
    EXPECT_EQ(kShadow, dc.Pixel(18, 0));
    EXPECT_EQ(kLight, dc.Pixel(35, 19));
    EXPECT_NE(dc.Pixel(25, 10), dc.Pixel(26, 10));
    EXPECT_EQ(18 * 20, CountInColumns(dc, 36, 54, kGround));

    // A disabled pane disables its switches: a hot one is then left flat.
    pane.m_bEnabled = FALSE;
    pane.m_switches[1].bChecked = FALSE;
    dc.dc.FillSolidRect(0, 0, 54, 20, kGround);
    theme.DrawStatusBarSwitches(&dc.dc, CRect(0, 0, 54, 20), &pane);
    EXPECT_EQ(54 * 20, dc.Count(CRect(0, 0, 54, 20), kGround));
}

TEST(KitStatusBarDrawing, PaneTextTakesItsAlignmentAndColour)
{
    CStatusTheme<CKitDefaultTheme> theme;
    CKitStatusBarPane pane;
    pane.m_strText = "WWWW";
    pane.m_nAlignment = CKitStatusBarPane::kAlignRight;
    pane.m_clrText = RGB(200, 0, 0);
    Canvas dc(200, 20, kGround);
    theme.DrawStatusBarPaneEntry(&dc.dc, CRect(0, 0, 200, 20), &pane);
    EXPECT_EQ(0, CountInColumns(dc, 0, 100, RGB(200, 0, 0)));
    EXPECT_GT(CountInColumns(dc, 150, 200, RGB(200, 0, 0)), 10);

    // Disabled: the pane's own disabled colour, else the paint manager's.
    pane.m_bEnabled = FALSE;
    pane.m_nAlignment = CKitStatusBarPane::kAlignLeft;
    pane.m_clrDisabledText = RGB(0, 0, 200);
    dc.dc.FillSolidRect(0, 0, 200, 20, kGround);
    theme.DrawStatusBarPaneEntry(&dc.dc, CRect(0, 0, 200, 20), &pane);
    EXPECT_GT(CountInColumns(dc, 0, 50, RGB(0, 0, 200)), 10);
    EXPECT_EQ(0, dc.Count(CRect(0, 0, 200, 20), RGB(200, 0, 0)));
    pane.m_clrDisabledText = CKitStatusBarPane::kNoColor;
    dc.dc.FillSolidRect(0, 0, 200, 20, kGround);
    theme.DrawStatusBarPaneEntry(&dc.dc, CRect(0, 0, 200, 20), &pane);
    EXPECT_GT(CountInColumns(dc, 0, 50, theme.m_clrDisabledText), 10);
}

TEST(KitStatusBarDrawing, BordersSeparatorsAndTheSizeGrip)
{
    CStatusTheme<CKitDefaultTheme> classic;
    CStatusTheme<CKitOfficeTheme> office;
    CKitStatusBarPane pane;
    Canvas dc(40, 20, kGround);
    classic.DrawStatusBarPaneBorder(&dc.dc, CRect(0, 0, 40, 20), &pane, FALSE);
    EXPECT_EQ(kShadow, dc.Pixel(0, 0));
    EXPECT_EQ(kLight, dc.Pixel(39, 19));
    dc.dc.FillSolidRect(0, 0, 40, 20, kGround);
    office.DrawStatusBarPaneBorder(&dc.dc, CRect(0, 0, 40, 20), &pane, FALSE);
    EXPECT_EQ(kShadow, dc.Pixel(0, 0));
    EXPECT_EQ(kShadow, dc.Pixel(39, 19));
    pane.m_bBorder = FALSE;
    dc.dc.FillSolidRect(0, 0, 40, 20, kGround);
    classic.DrawStatusBarPaneBorder(&dc.dc, CRect(0, 0, 40, 20), &pane, FALSE);
    EXPECT_EQ(40 * 20, dc.Count(CRect(0, 0, 40, 20), kGround));

    // The classic grip: three diagonal shadow pairs and highlights in the bottom right corner.
    Canvas grip(30, 20, kGround);
    classic.DrawStatusBarGripper(&grip.dc, CRect(0, 0, 30, 20));
    EXPECT_EQ(kShadow, grip.Pixel(27, 18));
    EXPECT_EQ(kShadow, grip.Pixel(26, 18));
    EXPECT_EQ(kLight, grip.Pixel(25, 18));
    EXPECT_EQ(0, grip.Count(CRect(0, 0, 15, 20), kShadow));
    EXPECT_GT(grip.Count(CRect(15, 0, 30, 20), kShadow), 10);
}

TEST(KitStatusBarDrawing, MessageBarButtonsAndTheCloseCross)
{
    CStatusTheme<CKitDefaultTheme> theme;
    theme.GetColorEntry(COLOR_3DFACE).SetCustomValue(RGB(200, 201, 202));
    CKitMessageBarButton button;
    button.rc = CRect(0, 0, 20, 16);
    Canvas dc(20, 16, kGround);
    // A plain button: face and a shadow frame.
    theme.DrawMessageBarButton(&dc.dc, &button);
    EXPECT_EQ(kShadow, dc.Pixel(0, 0));
    EXPECT_EQ(kShadow, dc.Pixel(19, 15));
    EXPECT_EQ(RGB(200, 201, 202), dc.Pixel(5, 5));

    // An idle close button is only its cross about the centre (10, 8).
    button.nId = SC_CLOSE;
    dc.dc.FillSolidRect(0, 0, 20, 16, kGround);
    theme.DrawMessageBarButton(&dc.dc, &button);
    for (POINT pt : {POINT{6, 5}, POINT{10, 9}, POINT{7, 5}, POINT{6, 11}, POINT{13, 5}})
        EXPECT_EQ(RGB(0, 0, 0), dc.Pixel(pt.x, pt.y)) << pt.x << "," << pt.y;
    EXPECT_EQ(kGround, dc.Pixel(0, 0));
    EXPECT_EQ(kGround, dc.Pixel(10, 2));
    // Hot: the face and a raised frame under the cross.
    button.bHot = TRUE;
    theme.DrawMessageBarButton(&dc.dc, &button);
    EXPECT_EQ(kLight, dc.Pixel(0, 0));
    EXPECT_EQ(RGB(200, 201, 202), dc.Pixel(10, 2));
}

TEST(KitStatusBarDrawing, TheMessageBarFramesItsMessageLessTheCloseButtonsSpace)
{
    CStatusTheme<CKitDefaultTheme> theme;
    theme.GetColorEntry(COLOR_3DFACE).SetCustomValue(RGB(200, 201, 202));
    theme.GetColorEntry(COLOR_INFOBK).SetCustomValue(RGB(255, 255, 225));
    CKitMessageBarLayout bar;
    bar.rcClient = CRect(0, 0, 120, 30);
    bar.rcBorders = CRect(4, 3, 4, 3);
    bar.buttons.push_back(CKitMessageBarButton{CRect(80, 6, 96, 22), 7});
    for (BOOL bClose : {FALSE, TRUE}) {
        SCOPED_TRACE(bClose ? "with a close button" : "without one");
        if (bClose)
            bar.buttons.push_back(CKitMessageBarButton{CRect(100, 6, 116, 22), SC_CLOSE});
        EXPECT_EQ(bClose, bar.FindButton(SC_CLOSE) != nullptr);
        EXPECT_EQ(7u, bar.FindButton(7)->nId);
        const CRect rcMessage = bar.GetMessageRect();
        EXPECT_EQ(CRect(4, 3, bClose ? 98 : 116, 27), rcMessage);
        Canvas dc(120, 30, kGround);
        theme.FillMessageBar(&dc.dc, &bar);
        EXPECT_EQ(RGB(200, 201, 202), dc.Pixel(1, 1));
        EXPECT_EQ(kShadow, dc.Pixel(rcMessage.left, rcMessage.top));
        EXPECT_EQ(kShadow, dc.Pixel(rcMessage.right - 1, rcMessage.bottom - 1));
        EXPECT_EQ(RGB(255, 255, 225), dc.Pixel(rcMessage.left + 1, rcMessage.top + 1));
        EXPECT_EQ(RGB(200, 201, 202), dc.Pixel(rcMessage.right, 15));
    }
}

TEST(KitStatusBarDrawing, KeyboardTipsAreInfoColouredWithTheirText)
{
    CStatusTheme<CKitDefaultTheme> theme;
    theme.GetColorEntry(COLOR_INFOBK).SetCustomValue(RGB(255, 255, 200));
    theme.GetColorEntry(COLOR_INFOTEXT).SetCustomValue(RGB(0, 0, 120));
    theme.GetColorEntry(COLOR_GRAYTEXT).SetCustomValue(RGB(120, 0, 0));
    CKitCommandBarKeyboardTip tip;
    ASSERT_TRUE(tip.CreateEx(0, "STATIC", "", WS_POPUP, 0, 0, 24, 18, nullptr, 0));
    tip.m_strText = "W";
    Canvas dc(24, 18, kGround);
    theme.DrawKeyboardTip(&dc.dc, &tip, FALSE);
    EXPECT_EQ(::GetSysColor(COLOR_BTNSHADOW), dc.Pixel(0, 0));
    EXPECT_EQ(RGB(255, 255, 200), dc.Pixel(2, 2));
    EXPECT_GT(dc.Count(CRect(0, 0, 24, 18), RGB(0, 0, 120)), 5);
    tip.m_bEnabled = FALSE;
    theme.DrawKeyboardTip(&dc.dc, &tip, FALSE);
    EXPECT_EQ(0, dc.Count(CRect(0, 0, 24, 18), RGB(0, 0, 120)));
    EXPECT_GT(dc.Count(CRect(0, 0, 24, 18), RGB(120, 0, 0)), 5);
    // The region pass paints nothing.
    dc.dc.FillSolidRect(0, 0, 24, 18, kGround);
    theme.DrawKeyboardTip(&dc.dc, &tip, TRUE);
    EXPECT_EQ(24 * 18, dc.Count(CRect(0, 0, 24, 18), kGround));
    tip.DestroyWindow();
}

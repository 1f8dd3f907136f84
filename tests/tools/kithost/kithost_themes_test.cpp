// kithost's frame with its File menu open under every theme the factory makes, side by side in
// build/screens/themes-all.png (the resource theme over the blue theme module of its own tests); and the
// "/theme N" switch that picks the program's theme.
#include "kithost_steps.h"
#include "support/canvas.h"
#include "support/message_pump.h"
#include "support/window_capture.h"
#include "support/window_screenshot.h"
#include "toolkit/commandbars/command_bar.h"
#include "toolkit/commandbars/control.h"
#include "toolkit/commandbars/menu_bar.h"
#include "toolkit/themes/paint/default_theme.h"
#include "toolkit/themes/paint/resource_theme_support.h"
#include "tools/kithost/kithost_frame.h"
#include "tools/kithost/kithost_options.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace {

struct ThemePanel {
    int nTheme;
    const char* pszName;
};
// The theme whose colours and pictures come from a theme module.
constexpr int kResourceTheme = 5;
// The factory's themes in the order they are shown.
constexpr ThemePanel kPanels[] = {
    {0, "Default"},           {8, "Visual Studio 6"},    {1, "Office XP"},
    {2, "Office 2003"},       {3, "Native XP"},          {4, "Whidbey"},
    {7, "Visual Studio 2008"}, {9, "Visual Studio 2010"}, {kResourceTheme, "Resource (the tests' blue theme module)"},
};
constexpr int kColumns = 3;
constexpr int kMargin = 8;
constexpr int kLabelHeight = 24;
constexpr COLORREF kPaper = RGB(236, 236, 236);

// Whether the factory has a theme of its own for the number (unknown numbers give the default theme).
bool IsThemeMade(int nTheme)
{
    CKitPaintManager* pTheme = CKitPaintManager::CreateTheme(nTheme);
    const bool bMade = nTheme == 0 || pTheme->GetRuntimeClass() != RUNTIME_CLASS(CKitDefaultTheme);
    pTheme->InternalRelease();
    return bMade;
}

// The frame under the theme, its File menu opened from the keyboard, as the display shows it.
WindowImage CaptureFrame(int nTheme)
{
    std::unique_ptr<ThemeModule> pModule;
    if (nTheme == kResourceTheme)
        pModule = std::make_unique<ThemeModule>();
    CKitPaintManager::SetTheme(nTheme);
    auto* pFrame = new CKitHostFrame();
    WindowImage image;
    if (pFrame->CreateHost()) {
        pFrame->ShowWindow(SW_SHOWNORMAL);
        pFrame->SetForegroundWindow();
        KitHostIdle(pFrame);
        CKitMenuBar* pMenuBar = pFrame->GetMenuBar();
        pMenuBar->SetTrackingMode(1, TRUE, TRUE);
        pMenuBar->RecalcKeyboardCues();
        pMenuBar->OnHookKeyDown('F', 0);
        KitHostIdle(pFrame);
        EXPECT_EQ(0, pMenuBar->GetPopuped()) << nTheme;
        image = CaptureScreenArea(pFrame->GetSafeHwnd());
        pMenuBar->OnHookKeyDown(VK_ESCAPE, 0);
        pMenuBar->OnHookKeyDown(VK_ESCAPE, 0);
        PumpMessages();
    }
    pFrame->DestroyWindow();
    CKitPaintManager::Done();
    return image;
}

} // namespace

TEST(KitHostThemes, TheSwitchNamesTheTheme)
{
    struct Case {
        const char* pszLine;
        int nTheme;
    };
    const Case cases[] = {{"", 0},          {nullptr, 0},           {"/theme 3", 3}, {"-theme 9", 9},
                          {"a.txt /theme 2", 2}, {"/theme", 0}, {"/theme x", 0}, {"/theme -1", 0},
                          {"/themes 4", 0}};
    for (const Case& c : cases)
        EXPECT_EQ(c.nTheme, KitHostThemeOption(c.pszLine)) << (c.pszLine != nullptr ? c.pszLine : "(none)");
}

// Each theme draws the same frame its own way; the pictures are laid out three to a row, each under its name.
TEST(KitHostThemes, EveryThemeDrawsTheFrameItsOwnWay)
{
    struct Shot {
        const ThemePanel* pPanel;
        WindowImage image;
    };
    std::vector<Shot> shots;
    for (const ThemePanel& panel : kPanels) {
        if (IsThemeMade(panel.nTheme))
            shots.push_back({&panel, CaptureFrame(panel.nTheme)});
    }
    ASSERT_GE(shots.size(), 4u) << "default, VS6, Office XP and native XP at the least";
    for (const Shot& shot : shots) {
        ASSERT_GT(shot.image.width, 0) << shot.pPanel->pszName;
        if (shot.pPanel != shots.front().pPanel)
            EXPECT_NE(shots.front().image.pixels, shot.image.pixels) << shot.pPanel->pszName << " looks like the default";
    }

    int cellWidth = 0;
    int cellHeight = 0;
    for (const Shot& shot : shots) {
        cellWidth = std::max(cellWidth, shot.image.width);
        cellHeight = std::max(cellHeight, shot.image.height + kLabelHeight);
    }
    const int rows = (static_cast<int>(shots.size()) + kColumns - 1) / kColumns;
    const int width = kMargin + kColumns * (cellWidth + kMargin);
    const int height = kMargin + rows * (cellHeight + kMargin);
    Canvas sheet(width, height, kPaper);
    CFont font;
    font.CreatePointFont(100, "Tahoma");
    CFont* pOld = sheet.dc.SelectObject(&font);
    sheet.dc.SetBkMode(TRANSPARENT);
    sheet.dc.SetTextColor(RGB(0, 0, 0));
    for (size_t i = 0; i < shots.size(); i++) {
        const int x = kMargin + static_cast<int>(i % kColumns) * (cellWidth + kMargin);
        const int y = kMargin + static_cast<int>(i / kColumns) * (cellHeight + kMargin);
        const std::string strLabel =
            std::to_string(shots[i].pPanel->nTheme) + "  " + shots[i].pPanel->pszName;
        CRect rcLabel(x + 2, y, x + cellWidth, y + kLabelHeight);
        sheet.dc.DrawText(strLabel.c_str(), static_cast<int>(strLabel.size()), rcLabel,
                          DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
        const WindowImage& image = shots[i].image;
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = image.width;
        info.bmiHeader.biHeight = -image.height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        ::SetDIBitsToDevice(sheet.dc.m_hDC, x, y + kLabelHeight, image.width, image.height, 0, 0, 0, image.height,
                            image.pixels.data(), &info, DIB_RGB_COLORS);
    }
    sheet.dc.SelectObject(pOld);

    std::vector<DWORD> pixels;
    pixels.reserve(static_cast<size_t>(width) * height);
    for (int y = 0; y < height; y++) {
        for (int x = 0; x < width; x++) {
            const COLORREF clr = sheet.Pixel(x, y);
            pixels.push_back((GetRValue(clr) << 16) | (GetGValue(clr) << 8) | GetBValue(clr));
        }
    }
    EXPECT_EQ("", SaveScreenshot("themes-all", width, height, pixels));
}

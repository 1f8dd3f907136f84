// A test frame skinned by the resource theme's frame painter, with its caption buttons: build/screens/ribbon-frame.png;
// the same frame in the system's caption colours drawn from markup: build/screens/ribbon-frame-system.png.
#include "toolkit/themes/paint/resource_theme.h"

#include "resource_theme_support.h"
#include "skinned_frame.h"

#include "support/message_pump.h"
#include "support/window_screenshot.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

// The client area: the theme's workspace with a document in it.
class CWorkspaceFrame : public CSkinnedFrame {
protected:
    void PaintClient(CDC* pDC, const CRect& rc) override
    {
        CKitPaintManager* pm = CKitPaintManager::Instance();
        const CRect rcDocument(rc.left + 24, rc.top + 20, rc.right - 24, rc.bottom - 20);
        pm->FillWorkspace(pDC, rc, rcDocument);
        pDC->FillSolidRect(rcDocument, RGB(255, 255, 255));
        pDC->Draw3dRect(rcDocument, RGB(101, 147, 207), RGB(101, 147, 207));
        const int nOldMode = pDC->SetBkMode(TRANSPARENT);
        HGDIOBJ hOldFont = ::SelectObject(pDC->GetSafeHdc(), ::GetStockObject(DEFAULT_GUI_FONT));
        pDC->SetTextColor(RGB(0, 0, 0));
        const char* lines[] = {"Gateway VQN32 - substation north", "IED  BAY01_PROT   10.0.1.21",
                               "IED  BAY02_CTRL   10.0.1.22", "Mapped tags: 1 284"};
        int y = rcDocument.top + 10;
        for (const char* line : lines) {
            pDC->TextOut(rcDocument.left + 12, y, line, static_cast<int>(std::strlen(line)));
            y += 18;
        }
        ::SelectObject(pDC->GetSafeHdc(), hOldFont);
        pDC->SetBkMode(nOldMode);
    }
};

} // namespace

namespace {

// Shows the frame of the current theme active, its maximise button hot, and saves its picture.
void SaveFrameScreenshot(const char* name)
{
    CWorkspaceFrame frame;
    ASSERT_TRUE(frame.CreateFrame("Plant.prj - Corvel", CRect(40, 40, 520, 340)));
    frame.GetCaptionButton(1)->SetSelected(1);
    frame.ShowWindow(SW_SHOW);
    frame.SetForegroundWindow();
    PumpMessages();
    frame.GetHook()->SetActive(TRUE);
    frame.RecalcFrame();
    PumpMessages();
    EXPECT_EQ("", SaveWindowScreenshot(frame.GetSafeHwnd(), name));
}

} // namespace

TEST(KitFrameScreens, ATestFrameDrawnByTheFramePaintManagerWithItsCaptionButtons)
{
    ThemeModule module;
    CKitPaintManager::SetTheme(CKitResourceTheme::kThemeNumber);
    SaveFrameScreenshot("ribbon-frame");
    CKitPaintManager::Done();
}

TEST(KitFrameScreens, TheSameFrameInTheSystemsCaptionColours)
{
    CKitPaintManager::SetTheme(0);
    SaveFrameScreenshot("ribbon-frame-system");
    CKitPaintManager::Done();
}

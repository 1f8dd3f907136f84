// Every appearance set drawing a strip in its default colours at the top, left, bottom and
// right of a memory DC, written to build/screens/tabs-<set>.png and compared with the
// reference image of the same name in the reference folder beside this file. The picture
// sets draw from the small theme of this test program's resources.
#include "toolkit/common/resource_images.h"
#include "toolkit/themes/tabs/tab_appearance_sets.h"
#include "toolkit/themes/tabs/tab_color_sets.h"

#include "shape_strip.h"
#include "support/canvas.h"
#include "support/paths.h"
#include "support/window_screenshot.h"
#include "tools/common/png_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using PM = CKitTabPaintManager;

constexpr int kPanelWidth = 200;
constexpr int kPanelHeight = 150;
constexpr int kGap = 4;
constexpr int kWidth = 2 * kPanelWidth + 3 * kGap;
constexpr int kHeight = 2 * kPanelHeight + 3 * kGap;

// Loads the test program's own theme for the picture sets, and drops it again.
class TestTheme {
public:
    TestTheme() { CKitResourceImages::Instance()->SetHandle(::GetModuleHandleA(nullptr), "TABS_THEME.INI"); }
    ~TestTheme() { CKitResourceImages::Instance()->SetHandle(nullptr); }
    TestTheme(const TestTheme&) = delete;
    TestTheme& operator=(const TestTheme&) = delete;
};

// One strip of three items, the second selected and the third hot, drawn into rc.
void DrawPanel(CDC* pDC, int nStyle, int nPosition, const CRect& rc)
{
    CKitTabPaintManager paintManager;
    UseTestFont(paintManager);
    paintManager.m_bShowIcons = FALSE;
    paintManager.SetPosition(nPosition);
    paintManager.SetAppearance(nStyle);
    paintManager.SetColor(paintManager.GetAppearanceSet()->GetDefaultColorSet());
    paintManager.RefreshMetrics();
    ShapeStrip strip(&paintManager);
    strip.AddItems({"Alpha", "Beta", "Gamma"});
    strip.SetCurSel(1);
    strip.SetHot(strip.GetItem(2));
    const int nSaved = pDC->SaveDC();
    pDC->IntersectClipRect(rc);
    strip.LayOutAndDraw(pDC, rc);
    pDC->RestoreDC(nSaved);
}

}  // namespace

TEST(KitTabScreens, EverySetInEveryPositionMatchesItsReferenceImage)
{
    struct Style {
        int nStyle;
        const char* name;
    };
    const Style styles[] = {
        {PM::kAppearancePropertyPage, "property-page"},
        {PM::kAppearancePropertyPageSelected, "property-page-selected"},
        {PM::kAppearancePropertyPageFlat, "property-page-flat"},
        {PM::kAppearancePropertyPage2003, "property-page-2003"},
        {PM::kAppearanceStateButtons, "state-buttons"},
        {PM::kAppearanceVisualStudio, "visual-studio"},
        {PM::kAppearanceFlat, "flat"},
        {PM::kAppearanceExcel, "excel"},
        {PM::kAppearanceVisio, "visio"},
        {PM::kAppearanceVisualStudio2005, "visual-studio-2005"},
        {PM::kAppearancePropertyPage2007, "property-page-2007"},
        {PM::kAppearancePropertyPageAccess2007, "access-2007"},
        {PM::kAppearanceVisualStudio2010, "visual-studio-2010"},
    };
    // The dark set's colours do not depend on the system the test runs on.
    PM::CColorSetVisualStudio2010::SetVistaProvider([] { return TRUE; });
    TestTheme theme;
    for (const Style& style : styles) {
        Canvas canvas(kWidth, kHeight, RGB(255, 255, 255));
        for (int nPosition = PM::kTop; nPosition <= PM::kRight; ++nPosition) {
            const int x = kGap + (nPosition % 2) * (kPanelWidth + kGap);
            const int y = kGap + (nPosition / 2) * (kPanelHeight + kGap);
            DrawPanel(&canvas.dc, style.nStyle, nPosition, CRect(x, y, x + kPanelWidth, y + kPanelHeight));
        }
        std::vector<DWORD> pixels(static_cast<size_t>(kWidth) * kHeight);
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x) {
                const COLORREF clr = canvas.Pixel(x, y);
                pixels[static_cast<size_t>(y) * kWidth + x] = (GetRValue(clr) << 16) | (GetGValue(clr) << 8) | GetBValue(clr);
            }
        }
        const std::string name = std::string("tabs-") + style.name;
        EXPECT_EQ("", SaveScreenshot(name.c_str(), kWidth, kHeight, pixels)) << name;

        int nReferenceWidth = 0;
        int nReferenceHeight = 0;
        std::vector<DWORD> reference;
        const CString path = SourcePath(("tests/toolkit/themes/tabs/reference/" + name + ".png").c_str());
        if (!ReadPngFile(std::string(path), nReferenceWidth, nReferenceHeight, reference) ||
            nReferenceWidth != kWidth || nReferenceHeight != kHeight) {
            ADD_FAILURE() << name << ": no reference image of " << kWidth << " x " << kHeight;
            continue;
        }
        int nDiffering = 0;
        int nFirst = -1;
        for (size_t i = 0; i < pixels.size(); ++i) {
            if (pixels[i] != reference[i]) {
                nFirst = nFirst < 0 ? static_cast<int>(i) : nFirst;
                ++nDiffering;
            }
        }
        EXPECT_EQ(0, nDiffering) << name << ": first at (" << nFirst % kWidth << ", " << nFirst / kWidth << ")";
    }
    PM::CColorSetVisualStudio2010::SetVistaProvider(nullptr);
}

// The same hand-built toolbar and popup menu drawn by the default and Office XP themes side by side: build/screens/themes-default-officexp.png.
#include "support/canvas.h"
#include "support/window_screenshot.h"
#include "toolkit/commandbars/command_bar.h"
#include "toolkit/commandbars/menu_bar.h"
#include "toolkit/commandbars/popup_bar.h"
#include "toolkit/commandbars/control.h"
#include "toolkit/commandbars/controls.h"
#include "toolkit/themes/paint/default_theme.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

constexpr int kToolBarWidth = 250;
constexpr int kPopupWidth = 190;

CKitControl* Add(CKitCommandBar& bar, CKitControl* pControl, LPCSTR lpszCaption)
{
    bar.GetControls()->AddControl(pControl);
    pControl->SetCaption(lpszCaption);
    return pControl;
}

// Lays the toolbar's controls out in one row after its gripper and paints it.
void PaintToolBar(CKitPaintManager* pm, CKitToolBar& bar, CDC* pDC)
{
    const CSize szGripper = pm->DrawFloatingBarCaption(pDC, &bar, FALSE);
    int nHeight = 0;
    for (int i = 0; i < bar.GetControlCount(); i++)
        nHeight = std::max(nHeight, static_cast<int>(pm->DrawControl(pDC, bar.GetControl(i), FALSE).cy));
    int x = 2 + szGripper.cx;
    for (int i = 0; i < bar.GetControlCount(); i++) {
        CKitControl* pControl = bar.GetControl(i);
        if (pControl->GetBeginGroup())
            x += pm->DrawCommandBarSeparator(pDC, &bar, pControl, FALSE).cx;
        const CSize sz = pm->DrawControl(pDC, pControl, FALSE);
        pControl->SetRect(CRect(x, 3, x + sz.cx, 3 + nHeight));
        pControl->SetRowRect(CRect(0, 3, kToolBarWidth, 3 + nHeight));
        x += sz.cx;
    }
    pm->FillCommandBarEntry(pDC, &bar);
    pm->DrawFloatingBarCaption(pDC, &bar, TRUE);
    for (int i = 0; i < bar.GetControlCount(); i++) {
        CKitControl* pControl = bar.GetControl(i);
        if (pControl->GetBeginGroup())
            pm->DrawCommandBarSeparator(pDC, &bar, pControl, TRUE);
        pm->DrawControl(pDC, pControl, TRUE);
    }
}

// Stacks the popup's items inside its borders and paints it.
void PaintPopup(CKitPaintManager* pm, CKitPopupBar& bar, CDC* pDC)
{
    const CRect rcBorders = pm->GetCommandBarBorders(&bar);
    int y = rcBorders.top;
    for (int i = 0; i < bar.GetControlCount(); i++) {
        CKitControl* pControl = bar.GetControl(i);
        if (pControl->GetBeginGroup())
            y += pm->DrawCommandBarSeparator(pDC, &bar, pControl, FALSE).cy;
        const CSize sz = pm->DrawControl(pDC, pControl, FALSE);
        pControl->SetRect(CRect(rcBorders.left, y, kPopupWidth - rcBorders.right, y + sz.cy));
        pControl->SetRowRect(pControl->GetRect());
        y += sz.cy;
    }
    pm->FillCommandBarEntry(pDC, &bar);
    pm->DrawFloatingBarCaption(pDC, &bar, TRUE);
    for (int i = 0; i < bar.GetControlCount(); i++) {
        CKitControl* pControl = bar.GetControl(i);
        if (pControl->GetBeginGroup())
            pm->DrawCommandBarSeparator(pDC, &bar, pControl, TRUE);
        pm->DrawControl(pDC, pControl, TRUE);
    }
}

// The popup's height for its items.
int MeasurePopup(CKitPaintManager* pm, CKitPopupBar& bar, CDC* pDC)
{
    const CRect rcBorders = pm->GetCommandBarBorders(&bar);
    int nHeight = rcBorders.top + rcBorders.bottom;
    for (int i = 0; i < bar.GetControlCount(); i++) {
        CKitControl* pControl = bar.GetControl(i);
        if (pControl->GetBeginGroup())
            nHeight += pm->DrawCommandBarSeparator(pDC, &bar, pControl, FALSE).cy;
        nHeight += pm->DrawControl(pDC, pControl, FALSE).cy;
    }
    return nHeight;
}

} // namespace

TEST(KitThemeScreens, TheDefaultAndOfficeThemesDrawTheSameBars)
{
    const int themes[] = {0, 1};
    std::vector<Canvas*> parts;
    int nToolBarHeight = 0;
    int nPopupHeight = 0;
    for (int nTheme : themes) {
        CKitPaintManager* pm = CKitPaintManager::CreateTheme(nTheme);
        pm->RefreshMetrics();

        CKitToolBar toolbar;
        Add(toolbar, new CKitControlButton(), "&New")->SetStyle(kitButtonCaption);
        CKitControl* pOpen = Add(toolbar, new CKitControlButton(), "&Open");
        pOpen->SetStyle(kitButtonCaption);
        pOpen->SetSelected(1);
        CKitControl* pBold = Add(toolbar, new CKitControlButton(), "&Bold");
        pBold->SetStyle(kitButtonCaption);
        pBold->SetChecked(1);
        CKitControl* pFile = Add(toolbar, new CKitControlPopup(), "&File");
        pFile->SetBeginGroup(TRUE);
        CKitControl* pCheck = Add(toolbar, new CKitControl(kitControlCheckBox), "&Wrap");
        pCheck->SetChecked(1);
        Add(toolbar, new CKitControlButton(), "&Close")->SetStyle(kitButtonCaption);
        toolbar.GetControl(5)->SetEnabled(0);

        CKitPopupBar popup;
        Add(popup, new CKitControlButton(), "&Open...\tCtrl+O")->SetSelected(1);
        Add(popup, new CKitControlButton(), "&Save\tCtrl+S");
        Add(popup, new CKitControlButton(), "&Word wrap")->SetChecked(1);
        Add(popup, new CKitControlPopup(), "&Recent files")->SetBeginGroup(TRUE);
        Add(popup, new CKitControlButton(), "E&xit")->SetEnabled(0);

        Canvas measure(1, 1);
        nToolBarHeight = 3 + std::max(22, static_cast<int>(pm->DrawControl(&measure.dc, pCheck, FALSE).cy)) + 3;
        nPopupHeight = MeasurePopup(pm, popup, &measure.dc);
        ASSERT_TRUE(toolbar.CreateEx(0, "STATIC", "", WS_POPUP, 0, 0, kToolBarWidth, nToolBarHeight, nullptr, 0));
        ASSERT_TRUE(popup.CreateEx(0, "STATIC", "", WS_POPUP, 0, 0, kPopupWidth, nPopupHeight, nullptr, 0));

        auto* pToolBarPart = new Canvas(kToolBarWidth, nToolBarHeight);
        PaintToolBar(pm, toolbar, &pToolBarPart->dc);
        auto* pPopupPart = new Canvas(kPopupWidth, nPopupHeight);
        PaintPopup(pm, popup, &pPopupPart->dc);
        parts.push_back(pToolBarPart);
        parts.push_back(pPopupPart);

        // The checked idle button: dithered in the default theme, framed in colour 37 in the Office theme;
        // the hot one raised, or framed in colour 32.
        const CRect rcBold = pBold->GetRect();
        const CPoint ptOpen = pOpen->GetRect().TopLeft();
        if (nTheme == 0) {
            EXPECT_NE(pToolBarPart->Pixel(rcBold.left + 2, rcBold.top + 2),
                      pToolBarPart->Pixel(rcBold.left + 3, rcBold.top + 2));
            EXPECT_EQ(pm->GetColor(COLOR_BTNHIGHLIGHT), pToolBarPart->Pixel(ptOpen.x, ptOpen.y));
        } else {
            EXPECT_EQ(pm->GetColor(37), pToolBarPart->Pixel(rcBold.left, rcBold.top));
            EXPECT_EQ(pm->GetColor(36), pToolBarPart->Pixel(rcBold.left + 2, rcBold.top + 2));
            EXPECT_EQ(pm->GetColor(32), pToolBarPart->Pixel(ptOpen.x, ptOpen.y));
            // The image column runs down the menu beside the unselected items.
            const CRect rcSave = popup.GetControl(1)->GetRect();
            EXPECT_EQ(pm->GetColor(30), pPopupPart->Pixel(rcSave.left + 2, rcSave.CenterPoint().y));
            EXPECT_EQ(pm->GetColor(41), pPopupPart->Pixel(rcSave.right - 4, rcSave.CenterPoint().y));
        }

        toolbar.DestroyWindow();
        popup.DestroyWindow();
        pm->InternalRelease();
    }

    // Two columns, one per theme: the toolbar above its popup.
    const int nGap = 12;
    const int nWidth = nGap + 2 * (kToolBarWidth + nGap);
    const int nHeight = nGap + nToolBarHeight + nGap + nPopupHeight + nGap;
    std::vector<DWORD> pixels(static_cast<size_t>(nWidth * nHeight), 0xFFFFFF);
    auto blit = [&](const Canvas& part, int x0, int y0) {
        for (int y = 0; y < part.Height(); y++) {
            for (int x = 0; x < part.Width(); x++) {
                const COLORREF clr = part.Pixel(x, y);
                pixels[static_cast<size_t>((y0 + y) * nWidth + x0 + x)] =
                    (GetRValue(clr) << 16) | (GetGValue(clr) << 8) | GetBValue(clr);
            }
        }
    };
    for (size_t i = 0; i < 2; i++) {
        const int x0 = nGap + static_cast<int>(i) * (kToolBarWidth + nGap);
        blit(*parts[2 * i], x0, nGap);
        blit(*parts[2 * i + 1], x0 + 20, nGap + nToolBarHeight + nGap);
    }
    EXPECT_EQ("", SaveScreenshot("themes-default-officexp", nWidth, nHeight, pixels));
    for (Canvas* pPart : parts)
        delete pPart;
}

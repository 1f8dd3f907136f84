// Measuring and drawing command-bar controls through the shared routines, on hand-built bars and memory DCs.
#include "toolkit/commandbars/command_bar.h"
#include "toolkit/commandbars/menu_bar.h"
#include "toolkit/commandbars/popup_bar.h"
#include "toolkit/commandbars/control.h"
#include "toolkit/commandbars/control_combo.h"
#include "toolkit/commandbars/control_edit.h"
#include "toolkit/commandbars/controls.h"
#include "toolkit/common/draw_helpers.h"
#include "toolkit/common/image_manager.h"
#include "toolkit/themes/paint/default_theme.h"

#include "support/canvas.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

constexpr COLORREF kGround = RGB(1, 150, 1);
constexpr COLORREF kText = RGB(200, 10, 10);
constexpr COLORREF kLight = RGB(251, 252, 253);
constexpr COLORREF kShadow = RGB(101, 102, 103);
constexpr COLORREF kGray = RGB(120, 121, 122);

class CClassicPainter : public CKitDefaultTheme {
public:
    CClassicPainter()
    {
        RefreshMetrics();
        const int indices[] = {COLOR_BTNTEXT, COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW, COLOR_GRAYTEXT};
        const COLORREF colors[] = {kText, kLight, kShadow, kGray};
        for (int i = 0; i < 4; i++)
            GetColorEntry(indices[i]).SetCustomValue(colors[i]);
        InternalAddRef();
    }
    // The extent of a text in the control font.
    CSize TextExtent(CDC* pDC, LPCSTR lpszText)
    {
        CFont* pOld = pDC->SelectObject(GetRegularFont());
        const CSize sz = pDC->GetTextExtent(lpszText, lstrlenA(lpszText));
        pDC->SelectObject(pOld);
        return sz;
    }
};

template <class T>
T* AddTo(CKitCommandBar& bar, T* pControl, LPCSTR lpszCaption)
{
    bar.GetControls()->AddControl(pControl);
    pControl->SetCaption(lpszCaption);
    return pControl;
}

} // namespace

TEST(KitControlDrawing, ToolbarControlsMeasureByTypeAndStyle)
{
    CClassicPainter pm;
    Canvas dc(10, 10, kGround);
    CKitToolBar toolbar;
    const CSize szSave = pm.TextExtent(&dc.dc, "Save");
    const CSize szFile = pm.TextExtent(&dc.dc, "File");

    // A custom control (type 7) has no toolbar layout.
    CKitControl* pCustom = AddTo(toolbar, new CKitControl(kitControlCustom), "Custom");
    EXPECT_EQ(CSize(0, 0), pm.DrawControl(&dc.dc, pCustom, FALSE));

    // A check box: its caption layout plus the 13-pixel mark and a 5-pixel gap.
    CKitControl* pCheck = AddTo(toolbar, new CKitControl(kitControlCheckBox), "Save");
    EXPECT_EQ(CSize(szSave.cx + 8 + 18, szSave.cy + 6), pm.DrawControl(&dc.dc, pCheck, FALSE));
    CKitControl* pRadio = AddTo(toolbar, new CKitControl(kitControlRadioButton), "Save");
    EXPECT_EQ(CSize(szSave.cx + 8 + 18, szSave.cy + 6), pm.DrawControl(&dc.dc, pRadio, FALSE));

    // A caption-only button: the caption centred in an image box 22 high.
    CKitControl* pButton = AddTo(toolbar, new CKitControlButton(), "Save");
    pButton->SetStyle(kitButtonCaption);
    EXPECT_EQ(CSize(szSave.cx + 8, std::max(22L, szSave.cy + 6)), pm.DrawControl(&dc.dc, pButton, FALSE));
    // Custom sizes replace the measured sides.
    pButton->SetCustomSize(CSize(50, 0));
    EXPECT_EQ(CSize(50, std::max(22L, szSave.cy + 6)), pm.DrawControl(&dc.dc, pButton, FALSE));
    pButton->SetCustomSize(CSize(0, 40));
    EXPECT_EQ(CSize(szSave.cx + 8, 40), pm.DrawControl(&dc.dc, pButton, FALSE));

    // A menu popup without an image: caption, the 10-pixel arrow, 6 more each way.
    CKitControl* pPopup = AddTo(toolbar, new CKitControlPopup(), "File");
    EXPECT_EQ(CSize(szFile.cx + 10 + 6, szFile.cy + 6), pm.DrawControl(&dc.dc, pPopup, FALSE));
    pm.m_nCaptionSpacing = 1;
    EXPECT_EQ(CSize(szFile.cx + 8 + 6, szFile.cy + 6), pm.DrawControl(&dc.dc, pPopup, FALSE));
    pm.m_nCaptionSpacing = 0;

    // A large button: icon height + 7 + the drop-down part across the bar, at least 42 along it.
    CKitControl* pLarge = AddTo(toolbar, new CKitControlButton(), "Go");
    pLarge->SetStyle(kitButtonIconAndCaptionBelow);
    const int nAlong = std::max(2 * pm.GetControlHeight() - 3, 42);
    EXPECT_EQ(CSize(nAlong, 32 + 7 + pm.GetSplitDropDownSize()), pm.DrawControl(&dc.dc, pLarge, FALSE));
    pCustom->SetStyle(kitButtonIconAndCaptionBelow);
    EXPECT_NE(CSize(0, 0), pm.DrawControl(&dc.dc, pCustom, FALSE));
    // Docked left the two sides swap.
    toolbar.SetPosition(kitBarLeft);
    EXPECT_EQ(CSize(32 + 7 + pm.GetSplitDropDownSize(), nAlong), pm.DrawControl(&dc.dc, pLarge, FALSE));
}

TEST(KitControlDrawing, PopupItemsMeasureCaptionShortcutAndLabels)
{
    CClassicPainter pm;
    Canvas dc(10, 10, kGround);
    CKitPopupBar popup;
    const int nIconColumn = pm.GetPopupBarGripperWidth(&popup) - 1;
    const int nImageHeight = pm.GetPopupBarImageSize(&popup).cy;

    CKitControl* pItem = AddTo(popup, new CKitControlButton(), "&Open\tCtrl+O");
    const int nWidth = pm.TextExtent(&dc.dc, "Open").cx + pm.TextExtent(&dc.dc, "Ctrl+O").cx;
    EXPECT_EQ(CSize(4 + nIconColumn + 32 + nWidth, nImageHeight), pm.DrawControl(&dc.dc, pItem, FALSE));

    // A caption-only label has the text height, with or without an icon id.
    CKitControl* pLabel = AddTo(popup, new CKitControl(kitControlLabel), "Recent");
    pLabel->SetStyle(kitButtonCaption);
    EXPECT_EQ(pm.GetTextHeight(), pm.DrawControl(&dc.dc, pLabel, FALSE).cy);
    pLabel->SetIconId(100);
    EXPECT_EQ(pm.GetTextHeight(), pm.DrawControl(&dc.dc, pLabel, FALSE).cy);
    // Without the kept icon column a label loses it.
    pm.m_bKeepIconColumn = FALSE;
    EXPECT_EQ(4 + 32 + pm.TextExtent(&dc.dc, "Recent").cx, pm.DrawControl(&dc.dc, pLabel, FALSE).cx);
}

TEST(KitControlDrawing, MarksAreThirteenPixelsSquare)
{
    CClassicPainter pm;
    Canvas dc(20, 20, kGround);
    const CRect rcMark(3, 3, 16, 16);
    for (int nChecked : {0, 1, 2}) {
        EXPECT_EQ(CSize(13, 13), pm.DrawControlCheckBoxMark(&dc.dc, rcMark, FALSE, FALSE, FALSE, nChecked, TRUE));
        EXPECT_EQ(CSize(13, 13), pm.DrawControlRadioButtonMark(&dc.dc, rcMark, FALSE, FALSE, FALSE, nChecked, TRUE));
    }
    EXPECT_FALSE((dc.Count(CRect(0, 0, dc.Width(), dc.Height()), kGround) != dc.Width() * dc.Height()));
    EXPECT_EQ(CSize(13, 13), pm.DrawControlCheckBoxMark(&dc.dc, rcMark, TRUE, FALSE, FALSE, 1, TRUE));
    EXPECT_NE(kGround, dc.Pixel(8, 8));
    EXPECT_EQ(kGround, dc.Pixel(2, 2));
    EXPECT_EQ(kGround, dc.Pixel(16, 16));
}

TEST(KitControlDrawing, TheCheckTickFollowsItsTwoPolylines)
{
    CClassicPainter pm;
    Canvas dc(20, 20, kGround);
    pm.DrawCheckMark(&dc.dc, CRect(0, 0, 20, 20), TRUE, RGB(0, 0, 200));
    for (POINT pt : {POINT{6, 9}, POINT{7, 10}, POINT{8, 11}, POINT{12, 7}, POINT{6, 10}, POINT{8, 12}})
        EXPECT_EQ(RGB(0, 0, 200), dc.Pixel(pt.x, pt.y)) << pt.x << "," << pt.y;
    EXPECT_EQ(kGround, dc.Pixel(8, 13));
    // A thick mark is drawn again one pixel lower.
    pm.m_bThickCheckMark = TRUE;
    pm.DrawCheckMark(&dc.dc, CRect(0, 0, 20, 20), TRUE, RGB(0, 0, 200));
    EXPECT_EQ(RGB(0, 0, 200), dc.Pixel(8, 13));
}

// Drawing paints the state background through the theme and the caption in the state's colour.
TEST(KitControlDrawing, AHotToolbarButtonDrawsItsFrameAndCaption)
{
    CClassicPainter pm;
    CKitToolBar toolbar;
    CKitControl* pButton = AddTo(toolbar, new CKitControlButton(), "WWW");
    pButton->SetStyle(kitButtonCaption);
    pButton->SetSelected(1);
    Canvas dc(60, 30, kGround);
    const CSize sz = pm.DrawControl(&dc.dc, pButton, FALSE);
    pButton->SetRect(CRect(CPoint(2, 2), sz));
    pm.DrawControl(&dc.dc, pButton, TRUE);
    EXPECT_EQ(kLight, dc.Pixel(2, 2));
    EXPECT_EQ(kShadow, dc.Pixel(2 + sz.cx - 1, 2 + sz.cy - 1));
    int nTextPixels = 0;
    for (int y = 3; y < 1 + sz.cy; y++) {
        for (int x = 3; x < 1 + sz.cx; x++)
            nTextPixels += dc.Pixel(x, y) == kText ? 1 : 0;
    }
    EXPECT_GT(nTextPixels, 10);

    // Disabled: grey text over an embossed copy in the highlight colour.
    pButton->SetEnabled(0);
    pButton->SetSelected(0);
    dc.dc.FillSolidRect(0, 0, dc.Width(), dc.Height(), kGround);
    pm.DrawControl(&dc.dc, pButton, TRUE);
    int nGray = 0, nEmboss = 0;
    for (int y = 0; y < 30; y++) {
        for (int x = 0; x < 60; x++) {
            nGray += dc.Pixel(x, y) == kGray ? 1 : 0;
            nEmboss += dc.Pixel(x, y) == kLight ? 1 : 0;
        }
    }
    EXPECT_GT(nGray, 10);
    EXPECT_GT(nEmboss, 3);
}

TEST(KitControlDrawing, StretchedIconsKeepTheirProportions)
{
    EXPECT_EQ(CSize(24, 20), CKitPaintManager::GetStretchIconSize(nullptr, 24, 20));
    // A 32 x 16 picture: fitted by width while the height fits, else by height.
    auto* pManager = new CKitImageManager();
    Canvas picture(32, 16, RGB(10, 20, 30));
    HBITMAP hCopy = static_cast<HBITMAP>(::CopyImage(picture.Bitmap(), IMAGE_BITMAP, 0, 0, 0));
    const UINT command = 7;
    ASSERT_TRUE(pManager->SetIconsFromBitmap(hCopy, &command, 1, CSize(32, 16), 0, FALSE));
    ::DeleteObject(hCopy);
    CKitImageManagerIcon* pIcon = pManager->GetImage(command, 32);
    ASSERT_NE(nullptr, pIcon);
    struct Case {
        int cx, cy;
        CSize szExpected;
    };
    for (const Case& c : {Case{16, 16, CSize(16, 8)}, Case{40, 10, CSize(20, 10)}, Case{20, 9, CSize(20, 10)}})
        EXPECT_EQ(c.szExpected, CKitPaintManager::GetStretchIconSize(pIcon, c.cx, c.cy)) << c.cx << "x" << c.cy;
    pManager->InternalRelease();
}

// Combo boxes and edits: height from the fonts (or the fixed size), the label before the field, the drop-down width.
TEST(KitControlDrawing, FieldControlsMeasureTheirLabelAndHeight)
{
    CClassicPainter pm;
    Canvas dc(10, 10, kGround);
    const int nLineHeight = pm.TextExtent(&dc.dc, " ").cy + 7;
    const int nFind = pm.TextExtent(&dc.dc, "Find").cx;

    CKitToolBar toolbar;
    auto* pCombo = AddTo(toolbar, new CKitControlComboBox(), "&Find");
    pCombo->SetWidth(150);
    const CSize sz = pm.DrawControl(&dc.dc, pCombo, FALSE);
    EXPECT_EQ(150, sz.cx);
    EXPECT_GE(sz.cy, std::max(20, nLineHeight));
    EXPECT_EQ(nFind + 5, pCombo->GetLabelWidth());
    EXPECT_EQ(std::max(static_cast<int>(std::lround(sz.cy * 9.0 / 14)) + 1, 15), pCombo->GetDropDownWidth());

    pm.m_nFixedControlSize = 30;
    EXPECT_EQ(30, pm.DrawControl(&dc.dc, pCombo, FALSE).cy);
    EXPECT_EQ(20, pCombo->GetDropDownWidth());
    pm.m_nFixedControlSize = 0;

    // In a popup the label takes the gap and the image column, and the width grows by the column.
    CKitPopupBar popup;
    auto* pEdit = AddTo(popup, new CKitControlEdit(), "&Find");
    pEdit->SetWidth(120);
    const int nColumn = pm.GetPopupBarGripperWidth(&popup);
    EXPECT_EQ(120 + nColumn, pm.DrawControl(&dc.dc, pEdit, FALSE).cx);
    EXPECT_EQ(pm.m_nPopupBarTextPadding + nColumn + nFind + 5, pEdit->GetLabelWidth());
}

TEST(KitControlDrawing, TheClassicComboBoxDrawsLabelFieldAndButton)
{
    CClassicPainter pm;
    pm.GetColorEntry(COLOR_WINDOW).SetCustomValue(RGB(250, 250, 240));
    CKitToolBar toolbar;
    auto* pCombo = AddTo(toolbar, new CKitControlComboBox(), "Find");
    pCombo->SetWidth(120);
    Canvas dc(120, 24, kGround);
    const CSize sz = pm.DrawControl(&dc.dc, pCombo, FALSE);
    pCombo->SetRect(CRect(CPoint(0, 0), CSize(sz.cx, sz.cy)));
    pm.DrawControl(&dc.dc, pCombo, TRUE);
    const int nField = pCombo->GetLabelWidth();
    // The caption before the field, the field's window colour, the button's arrow.
    EXPECT_GT(dc.Count(CRect(0, 0, nField, sz.cy), kText), 5);
    EXPECT_EQ(RGB(250, 250, 240), dc.Pixel(nField + 3, 3));
    const CRect rcButton(120 - pCombo->GetDropDownWidth(), 0, 120, sz.cy);
    EXPECT_GT(dc.Count(rcButton, kText), 3);
    EXPECT_EQ(0, dc.Count(CRect(nField, 0, rcButton.left, sz.cy), kText));

    // A disabled combo leaves its field unfilled and its button without a face: only the arrow.
    pCombo->SetEnabled(0);
    dc.dc.FillSolidRect(0, 0, 120, 24, kGround);
    pm.DrawControl(&dc.dc, pCombo, TRUE);
    EXPECT_EQ(kGround, dc.Pixel(nField + 3, 3));
    EXPECT_EQ(kGround, dc.Pixel(rcButton.left + 2, 3));
    EXPECT_GT(dc.Count(rcButton, kText), 3);
}

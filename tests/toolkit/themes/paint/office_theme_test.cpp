// The Office XP theme: its settings, control rectangles, caption colours, check marks, popup joining gap and grippers.
#include "toolkit/themes/paint/office_theme.h"

#include "support/canvas.h"
#include "toolkit/commandbars/command_bar.h"
#include "toolkit/commandbars/menu_bar.h"
#include "toolkit/commandbars/popup_bar.h"
#include "toolkit/commandbars/control.h"
#include "toolkit/commandbars/control_combo.h"
#include "toolkit/commandbars/control_edit.h"
#include "toolkit/commandbars/controls.h"
#include "toolkit/commandbars/shadow_manager.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

constexpr COLORREF kGround = RGB(1, 150, 1);

// The theme with every colour role it draws given a colour of its own (red = the index).
class CTestOfficeTheme : public CKitOfficeTheme {
public:
    CTestOfficeTheme()
    {
        RefreshMetrics();
        for (int i = 30; i <= 61; i++)
            GetColorEntry(i).SetCustomValue(RGB(i, 200, 100));
        GetColorEntry(COLOR_BTNFACE).SetCustomValue(RGB(15, 200, 100));
        GetColorEntry(COLOR_BTNTEXT).SetCustomValue(RGB(18, 200, 100));
        InternalAddRef();
    }
    void SetTextHeight(int nHeight) { m_nTextHeight = nHeight; }
};

COLORREF Role(int nIndex)
{
    return RGB(nIndex, 200, 100);
}

} // namespace

TEST(KitOfficeTheme, ThemeOneIsTheOfficeThemeWithItsSettings)
{
    CKitPaintManager::SetTheme(1);
    CKitPaintManager* pm = CKitPaintManager::GetCurrent();
    ASSERT_TRUE(pm->IsKindOf(RUNTIME_CLASS(CKitOfficeTheme)));
    EXPECT_STREQ("CKitOfficeTheme", pm->GetRuntimeClass()->m_lpszClassName);
    EXPECT_EQ(1, pm->GetThemeNumber());
    EXPECT_EQ(1, pm->GetCurrentTheme());
    EXPECT_EQ(8, pm->m_nPopupBarTextPadding);
    EXPECT_EQ(3, pm->GetShadowManager()->GetFlags());
    EXPECT_TRUE(pm->m_bFlatMenuBar);
    EXPECT_FALSE(pm->m_bEmbossedDisabledText);
    EXPECT_TRUE(pm->m_bFadedIcons && pm->m_bUseDisabledIcons && pm->m_bIconsWithShadow && pm->m_bGenerateDisabledIcons);
    CKitPaintManager::Done();
}

TEST(KitOfficeTheme, ControlRectanglesTakeTheirBorderAndFillFromTheState)
{
    CTestOfficeTheme theme;
    struct Case {
        const char* pszName;
        BOOL bSelected, bPressed, bEnabled, bChecked, bPopuped;
        int nPosition;
        int nBorder, nFill; // -1: nothing drawn there
    };
    const Case cases[] = {
        {"disabled", 0, 0, 0, 0, 0, kitBarTop, -1, -1},
        {"disabled, mouse-selected", 1, 0, 0, 0, 0, kitBarTop, -1, -1},
        {"disabled checked", 0, 0, 0, 1, 0, kitBarTop, 58, 36},
        {"disabled checked in a popup", 0, 0, 0, 1, 0, kitBarPopup, 58, -1},
        {"disabled, keyboard-selected", 2, 0, 0, 0, 0, kitBarTop, 32, 31},
        {"disabled checked, keyboard-selected", 2, 0, 0, 1, 0, kitBarTop, 32, 33},
        {"disabled, keyboard-selected in a popup", 3, 0, 0, 1, 0, kitBarPopup, 32, 41},
        {"open popup", 1, 0, 1, 0, 1, kitBarTop, 43, 30},
        {"indeterminate", 0, 0, 1, 2, 0, kitBarTop, 37, 51},
        {"checked", 0, 0, 1, 1, 0, kitBarTop, 37, 36},
        {"checked hot", 1, 0, 1, 1, 0, kitBarTop, 50, 33},
        {"keyboard-pressed", 0, 2, 1, 0, 0, kitBarTop, 50, 33},
        {"pushed", 1, 1, 1, 0, 0, kitBarTop, 50, 33},
        {"hot", 1, 0, 1, 0, 0, kitBarTop, 32, 31},
        {"pressed, not selected", 0, 1, 1, 0, 0, kitBarTop, 32, 31},
        {"idle", 0, 0, 1, 0, 0, kitBarTop, -1, -1},
    };
    for (const Case& c : cases) {
        Canvas dc(20, 20, kGround);
        theme.DrawRectangle(&dc.dc, CRect(2, 2, 18, 18), c.bSelected, c.bPressed, c.bEnabled, c.bChecked, c.bPopuped,
                            kitBarTypeNormal, c.nPosition);
        EXPECT_EQ(c.nBorder == -1 ? kGround : Role(c.nBorder), dc.Pixel(2, 2)) << c.pszName;
        EXPECT_EQ(c.nBorder == -1 ? kGround : Role(c.nBorder), dc.Pixel(17, 17)) << c.pszName;
        EXPECT_EQ(c.nFill == -1 ? kGround : Role(c.nFill), dc.Pixel(9, 9)) << c.pszName;
        EXPECT_EQ(kGround, dc.Pixel(1, 1)) << c.pszName;
    }
}

TEST(KitOfficeTheme, CaptionColoursFollowStateAndBar)
{
    CTestOfficeTheme theme;
    struct Case {
        BOOL bSelected, bPressed, bEnabled, bChecked, bPopuped;
        int nBarType, nPosition, nColor;
    };
    const Case cases[] = {
        {1, 0, 1, 0, 0, kitBarTypePopup, kitBarPopup, 45}, {0, 0, 1, 0, 0, kitBarTypePopup, kitBarPopup, 44},
        {1, 0, 0, 0, 0, kitBarTypePopup, kitBarPopup, 35}, {0, 0, 0, 0, 0, kitBarTypeNormal, kitBarTop, 60},
        {1, 0, 1, 0, 1, kitBarTypeNormal, kitBarTop, 46},  {0, 2, 1, 0, 0, kitBarTypeNormal, kitBarTop, 47},
        {1, 1, 1, 0, 0, kitBarTypeNormal, kitBarTop, 47},  {1, 0, 1, 1, 0, kitBarTypeNormal, kitBarTop, 47},
        {0, 0, 1, 0, 0, kitBarTypeNormal, kitBarTop, 46},  {0, 0, 1, 0, 0, kitBarTypeNormal, kitBarPopup, 44},
        {1, 0, 1, 0, 0, kitBarTypeNormal, kitBarTop, 45},  {0, 0, 1, 1, 0, kitBarTypeNormal, kitBarTop, 45},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Role(c.nColor), theme.GetControlStateTextColor(c.bSelected, c.bPressed, c.bEnabled, c.bChecked,
                                                                 c.bPopuped, c.nBarType, c.nPosition))
            << c.nColor;
    }
}

// The tick of a checked menu item without an image is black, or white on a fill too dark to tell from black.
TEST(KitOfficeTheme, ACheckMarkOnADarkFillTurnsWhite)
{
    CTestOfficeTheme theme;
    theme.SetTextHeight(16);
    CKitPopupBar popup;
    popup.SetPaintBackground(FALSE);
    CKitControl* pItem = popup.GetControls()->AddControl(new CKitControlButton());
    pItem->SetCaption("Wrap");
    pItem->SetChecked(1);
    pItem->SetRect(CRect(0, 0, 120, 24));
    // The image box is max(16 + 4, 16 + 4) = 20 wide, moved right by half the label gap when the bar paints no background.
    const CPoint ptTick(4 + 10 - 10 + 8, 12 - 10 + 11);
    struct Case {
        COLORREF clrChecked;
        COLORREF clrMark;
    };
    for (const Case& c : {Case{RGB(10, 10, 10), RGB(255, 255, 255)}, Case{RGB(230, 210, 180), RGB(0, 0, 0)}}) {
        theme.GetColorEntry(36).SetCustomValue(c.clrChecked);
        Canvas dc(120, 24, kGround);
        theme.DrawControl(&dc.dc, pItem, TRUE);
        EXPECT_EQ(c.clrChecked, dc.Pixel(ptTick.x - 3, ptTick.y - 6));
        EXPECT_EQ(c.clrMark, dc.Pixel(ptTick.x, ptTick.y));
    }
}

// A popup opened from a toolbar button is joined to it in colour 30; a context menu is not.
TEST(KitOfficeTheme, OnlyAPopupOpenedFromABarGetsTheJoiningGap)
{
    CTestOfficeTheme theme;
    CKitToolBar toolbar;
    ASSERT_TRUE(toolbar.CreateEx(0, "STATIC", "", WS_POPUP, 100, 100, 200, 30, nullptr, 0));
    auto* pButton = static_cast<CKitControlPopup*>(toolbar.GetControls()->AddControl(new CKitControlPopup()));
    pButton->SetRect(CRect(10, 5, 50, 25));
    CKitPopupBar popup;
    ASSERT_TRUE(popup.CreateEx(0, "STATIC", "", WS_POPUP, 110, 124, 100, 50, nullptr, 0));

    Canvas dc(100, 50, kGround);
    theme.FillCommandBarEntry(&dc.dc, &popup);
    EXPECT_EQ(Role(43), dc.Pixel(5, 0));
    EXPECT_EQ(Role(41), dc.Pixel(5, 5));

    popup.SetControlPopup(pButton);
    theme.FillCommandBarEntry(&dc.dc, &popup);
    // The button's bottom row over the popup's top row, one pixel in at each end.
    EXPECT_EQ(Role(43), dc.Pixel(0, 0));
    EXPECT_EQ(Role(30), dc.Pixel(1, 0));
    EXPECT_EQ(Role(30), dc.Pixel(38, 0));
    EXPECT_EQ(Role(43), dc.Pixel(39, 0));
    EXPECT_EQ(Role(41), dc.Pixel(5, 1));

    popup.DestroyWindow();
    toolbar.DestroyWindow();
}

TEST(KitOfficeTheme, GrippersSeparatorsAndMarks)
{
    CTestOfficeTheme theme;
    CKitToolBar toolbar;
    ASSERT_TRUE(toolbar.CreateEx(0, "STATIC", "", WS_POPUP, 0, 0, 60, 24, nullptr, 0));
    Canvas dc(60, 24, kGround);
    toolbar.SetPosition(kitBarLeft);
    EXPECT_EQ(CSize(0, 8), theme.DrawFloatingBarCaption(&dc.dc, &toolbar, FALSE));
    toolbar.SetPosition(kitBarTop);
    EXPECT_EQ(CSize(6, 0), theme.DrawFloatingBarCaption(&dc.dc, &toolbar, TRUE));
    // Dashes from x 3 to 6 on every second row from 5 while y < height - 5.
    EXPECT_EQ(Role(38), dc.Pixel(3, 5));
    EXPECT_EQ(Role(38), dc.Pixel(5, 17));
    EXPECT_EQ(kGround, dc.Pixel(6, 5));
    EXPECT_EQ(kGround, dc.Pixel(3, 6));
    EXPECT_EQ(kGround, dc.Pixel(3, 19));
    toolbar.DestroyWindow();

    theme.SetTextHeight(12);
    EXPECT_EQ(CSize(6, 22), theme.DrawCommandBarGripper(nullptr, &toolbar, FALSE));
    CKitPopupBar popup;
    EXPECT_EQ(CSize(3, 3), theme.DrawCommandBarSeparator(nullptr, &popup, nullptr, FALSE));
    EXPECT_EQ(CSize(6, 6), theme.DrawCommandBarSeparator(nullptr, &toolbar, nullptr, FALSE));
    EXPECT_EQ(CSize(0, 9), theme.DrawTearOffGripper(nullptr, CRect(0, 0, 80, 9), FALSE, FALSE));

    // Marks: 13 x 13, the box in colour 52 around the window colour, the tick in the text colour.
    Canvas marks(20, 20, kGround);
    EXPECT_EQ(CSize(13, 13), theme.DrawControlCheckBoxMark(&marks.dc, CRect(0, 0, 13, 13), TRUE, FALSE, FALSE, 1, TRUE));
    EXPECT_EQ(Role(52), marks.Pixel(0, 0));
    EXPECT_EQ(theme.GetColor(COLOR_WINDOW), marks.Pixel(2, 10));
    EXPECT_EQ(Role(18), marks.Pixel(5, 7 - 1 + 1));
    EXPECT_EQ(kGround, marks.Pixel(13, 13));
    EXPECT_EQ(CSize(13, 13), theme.DrawControlRadioButtonMark(&marks.dc, CRect(0, 0, 13, 13), FALSE, FALSE, FALSE, 1, TRUE));
}

// Combo boxes: a hot one framed in 32 with its button highlighted, an idle one unframed, a disabled one framed in 40;
// the arrow takes 46, 45 or 40.
TEST(KitOfficeTheme, ComboBoxesFollowTheirState)
{
    CTestOfficeTheme theme;
    CKitToolBar toolbar;
    auto* pCombo = static_cast<CKitControlComboBox*>(toolbar.GetControls()->AddControl(new CKitControlComboBox()));
    pCombo->SetWidth(100);
    Canvas dc(100, 30, kGround);
    const CSize sz = theme.DrawControl(&dc.dc, pCombo, FALSE);
    pCombo->SetRect(CRect(CPoint(0, 0), sz));
    const CRect rcButton(100 - pCombo->GetDropDownWidth(), 0, 100, sz.cy);
    struct Case {
        const char* pszName;
        int nSelected;
        BOOL bEnabled;
        int nProbeX; // the field's corner: a disabled field starts one pixel later
        COLORREF clrFieldCorner;
        int nArrow;
    };
    const Case cases[] = {
        {"idle", 0, TRUE, 0, kGround, 46},
        {"hot", 1, TRUE, 0, Role(32), 45},
        {"disabled", 0, FALSE, 1, Role(40), 40},
        {"disabled, keyboard-selected", 2, FALSE, 1, Role(32), 40},
    };
    for (const Case& c : cases) {
        pCombo->SetSelected(c.nSelected);
        pCombo->SetEnabled(c.bEnabled);
        dc.dc.FillSolidRect(0, 0, 100, 30, kGround);
        theme.DrawControl(&dc.dc, pCombo, TRUE);
        EXPECT_EQ(c.clrFieldCorner, dc.Pixel(c.nProbeX, 0)) << c.pszName;
        EXPECT_GT(dc.Count(rcButton, Role(c.nArrow)), 3) << c.pszName;
    }
    pCombo->SetSelected(1);
    pCombo->SetEnabled(TRUE);
    dc.dc.FillSolidRect(0, 0, 100, 30, kGround);
    theme.DrawControl(&dc.dc, pCombo, TRUE);
    EXPECT_EQ(Role(31), dc.Pixel(rcButton.left + 2, 2));
}

// Entries of the customize list: the column and fill, the selected entry, the caption and a submenu's triangle.
TEST(KitOfficeTheme, ListBoxEntriesDrawColumnSelectionAndArrow)
{
    CTestOfficeTheme theme;
    theme.SetTextHeight(20);
    Canvas dc(150, 24, kGround);
    const CRect rc(0, 0, 150, 24);
    EXPECT_EQ(CSize(0, 0), theme.DrawListBoxControl(&dc.dc, nullptr, rc, FALSE, TRUE, nullptr));
    EXPECT_EQ(Role(30), dc.Pixel(5, 12));
    EXPECT_EQ(Role(41), dc.Pixel(100, 12));

    CKitControlPopup item;
    item.SetCaption("&Recent");
    EXPECT_EQ(CSize(24, 22), theme.DrawListBoxControl(&dc.dc, &item, rc, FALSE, FALSE, nullptr));
    theme.DrawListBoxControl(&dc.dc, &item, rc, TRUE, TRUE, nullptr);
    EXPECT_EQ(Role(32), dc.Pixel(0, 0));
    EXPECT_EQ(Role(31), dc.Pixel(100, 3));
    EXPECT_GT(dc.Count(CRect(32, 0, 100, 24), Role(45)), 10);
    EXPECT_EQ(Role(45), dc.Pixel(150 - 10, 12));
    EXPECT_EQ(Role(31), dc.Pixel(150 - 5, 12));
}

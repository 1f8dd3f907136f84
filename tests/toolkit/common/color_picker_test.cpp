// The colour picker: what the popup's results become for the owner, the swatch, the caption's contrast, and one popup at a time.
#include "toolkit/common/color_picker.h"

#include "control_host.h"
#include "toolkit/common/color_manager.h"
#include "toolkit/common/color_popup.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

constexpr UINT kPickerId = 1201;

class KitColorPicker : public ::testing::Test {
protected:
    KitColorPicker()
    {
        picker.Create("", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(10, 10, 130, 40), &host, kPickerId);
        PumpMessages();
        host.records.clear();
    }
    ~KitColorPicker() override
    {
        if (picker.GetSafeHwnd() != nullptr)
            picker.DestroyWindow();
        PumpMessages();
    }

    // The WM_COMMAND records of the picker.
    std::vector<UINT> Notifications() const
    {
        std::vector<UINT> codes;
        for (const ControlHost::Record& record : host.records) {
            if (record.message == WM_COMMAND && LOWORD(record.wParam) == kPickerId &&
                reinterpret_cast<HWND>(record.lParam) == picker.GetSafeHwnd())
                codes.push_back(HIWORD(record.wParam));
        }
        return codes;
    }

    // How many colour popups this thread shows.
    static int PopupCount()
    {
        int count = 0;
        ::EnumThreadWindows(
            ::GetCurrentThreadId(),
            [](HWND hWnd, LPARAM lParam) -> BOOL {
                char name[64] = {};
                ::GetClassNameA(hWnd, name, sizeof(name));
                if (lstrcmpA(name, "KitColorPopup") == 0 && ::IsWindowVisible(hWnd))
                    ++*reinterpret_cast<int*>(lParam);
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&count));
        return count;
    }

    // Clicks the picker and waits for its popup. Another program that takes the
    // activation closes an open popup, as it should: the click is then tried again.
    bool OpenPopupByClick()
    {
        for (int attempt = 0; attempt < 5; ++attempt) {
            host.records.clear();
            host.SetActiveWindow();
            picker.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 10));
            picker.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(20, 10));
            PumpMessages();
            if (picker.IsPopupShown() && PopupCount() == 1)
                return true;
            ::Sleep(50);
            PumpMessages();
        }
        return false;
    }

    ControlHost host;
    CKitColorPicker picker;
};

TEST_F(KitColorPicker, TheSameColourSendsOnlyUnchangedAndANewOneCloseUpThenChanged)
{
    picker.SetSelectedColor(RGB(0, 0, 255));
    picker.SendMessage(ColorNotifyUnchanged, RGB(0, 0, 255));
    EXPECT_EQ(std::vector<UINT>({ColorNotifyUnchanged}), Notifications());

    host.records.clear();
    picker.SendMessage(ColorNotifyChanged, RGB(255, 0, 0));
    EXPECT_EQ(std::vector<UINT>({ColorNotifyCloseUp, ColorNotifyChanged}), Notifications());
    EXPECT_EQ(RGB(255, 0, 0), picker.GetSelectedColor());
    // The swatch shows the new colour.
    Canvas canvas(120, 30);
    PrintClient(picker, canvas);
    EXPECT_EQ(RGB(255, 0, 0), canvas.Pixel(20, 15));

    host.records.clear();
    picker.SendMessage(ColorNotifyCancel, RGB(255, 0, 0));
    picker.SendMessage(ColorNotifyNoFill, CKitColorPicker::kNoFill);
    EXPECT_EQ(std::vector<UINT>({ColorNotifyCloseUp, ColorNotifyCancel, ColorNotifyNoFill}), Notifications());
    EXPECT_EQ(CKitColorPicker::kNoFill, picker.GetSelectedColor());
}

TEST_F(KitColorPicker, NoColourDrawsNoSwatchButTheCaptionAndArrowStay)
{
    // The ultra-flat theme fills the face plainly.
    picker.SetTheme(CKitControlTheme::kThemeUltraFlat);
    picker.SetWindowText("Text");
    picker.SetSelectedColor(CKitColorPicker::kNoFill);
    Canvas canvas(120, 30);
    PrintClient(picker, canvas);
    const COLORREF face = CKitColorManager::Instance()->GetColor(COLOR_BTNFACE);
    // No frame at the swatch's corner; the arrow's centre is black.
    EXPECT_EQ(face, canvas.Pixel(5, 5));
    EXPECT_EQ(face, canvas.Pixel(5, 20));
    const CPoint arrow((120 - 4 - 16 + 120 - 4) / 2, 15);
    EXPECT_EQ(RGB(0, 0, 0), canvas.Pixel(arrow.x, arrow.y - 1));
    // The caption is drawn, in the contrast colour of "no colour" (all channels 255): black.
    EXPECT_GT(canvas.Count(CRect(5, 5, 100, 25), RGB(0, 0, 0)), 0);

    picker.SetSelectedColor(RGB(0, 128, 0));
    PrintClient(picker, canvas);
    EXPECT_EQ(RGB(0, 0, 0), canvas.Pixel(5, 5));  // the swatch's frame
}

TEST_F(KitColorPicker, BrightnessOf128OrLessGivesAWhiteCaption)
{
    struct Case {
        COLORREF color;
        COLORREF text;
    };
    const Case cases[] = {
        {RGB(128, 128, 128), RGB(255, 255, 255)},
        {RGB(129, 129, 129), RGB(0, 0, 0)},
        {RGB(0, 0, 0), RGB(255, 255, 255)},
        {RGB(255, 255, 0), RGB(0, 0, 0)},
        {RGB(0, 0, 255), RGB(255, 255, 255)},
    };
    for (const Case& c : cases) {
        picker.SetSelectedColor(c.color);
        EXPECT_EQ(c.text, picker.GetContrastTextColor()) << std::hex << c.color;
    }
}

TEST(KitColorPickerAlone, WithoutOwnerOrParentNothingIsForwarded)
{
    ControlHost bystander;
    CKitColorPicker lone;
    ASSERT_TRUE(lone.CreateEx(0, "BUTTON", "", WS_POPUP | BS_PUSHBUTTON, 0, 0, 100, 30, nullptr, nullptr));
    ASSERT_EQ(nullptr, lone.GetParent());
    lone.SendMessage(ColorNotifyUnchanged, 0);
    lone.SendMessage(ColorNotifyChanged, RGB(1, 2, 3));
    EXPECT_TRUE(bystander.records.empty());
    EXPECT_EQ(RGB(1, 2, 3), lone.GetSelectedColor());
    lone.DestroyWindow();
}

TEST_F(KitColorPicker, AClickOpensThePopupWhoseChoiceComesBackAsTheNewColour)
{
    ASSERT_TRUE(OpenPopupByClick());
    const std::vector<UINT> opened = Notifications();
    EXPECT_EQ(1, std::count(opened.begin(), opened.end(), static_cast<UINT>(ColorNotifyDropDown)));

    HWND popup = ::FindWindowA("KitColorPopup", nullptr);
    ASSERT_NE(nullptr, popup);
    host.records.clear();
    auto* selector = static_cast<CKitColorSelectorCtrl*>(CWnd::FromHandlePermanent(popup));
    ASSERT_NE(nullptr, selector);
    const COLOR_CELL* cell = selector->GetCellFromIndex(3);
    ASSERT_NE(nullptr, cell);
    const COLORREF chosen = cell->clr;
    const CPoint centre = cell->rect.CenterPoint();
    ::SendMessageA(popup, WM_MOUSEMOVE, 0, MAKELPARAM(centre.x, centre.y));
    ::SendMessageA(popup, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(centre.x, centre.y));
    ::SendMessageA(popup, WM_LBUTTONUP, 0, MAKELPARAM(centre.x, centre.y));
    PumpMessages();
    EXPECT_EQ(0, PopupCount());
    EXPECT_FALSE(picker.IsPopupShown());
    EXPECT_EQ(chosen, picker.GetSelectedColor());
    EXPECT_EQ(std::vector<UINT>({ColorNotifyCloseUp, ColorNotifyChanged, ColorNotifyCloseUp}), Notifications());
}

// While the popup is open a click on the picker goes to the button alone: no second popup.
TEST_F(KitColorPicker, ASecondClickWhileThePopupIsOpenOpensNoOther)
{
    ASSERT_TRUE(OpenPopupByClick());
    picker.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 10));
    EXPECT_LE(PopupCount(), 1);
    picker.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(20, 10));
    PumpMessages();
    EXPECT_LE(PopupCount(), 1);
    const std::vector<UINT> codes = Notifications();
    EXPECT_EQ(1, std::count(codes.begin(), codes.end(), static_cast<UINT>(ColorNotifyDropDown)));
}

TEST_F(KitColorPicker, TheDefaultPopupHasAnAutomaticButtonOverFortyColours)
{
    CKitColorPopup* popup = new CKitColorPopup(TRUE, 0);
    CRect rc;
    picker.GetWindowRect(&rc);
    ASSERT_TRUE(popup->Create(rc, &picker, CKitColorSelectorCtrl::kStyleExtended, RGB(0, 0, 0), RGB(0, 0, 0)));
    EXPECT_EQ(41, popup->GetCellCount());
    // The current colour equals the default: the top button is the selected cell, not black in the table.
    EXPECT_TRUE(popup->GetCellFromIndex(0)->bSelected);
    EXPECT_FALSE(popup->GetCellFromIndex(1)->bSelected);
    // 8 x 18 wide plus the margins 4 and 10; 4 + 10 + 27 + 5 rows of 18 high.
    EXPECT_EQ(CSize(8 * 18 + 14, 4 + 10 + 27 + 90), popup->CalcSize());
    popup->SendMessage(WM_KEYDOWN, VK_ESCAPE);
    PumpMessages();
    EXPECT_EQ(0, PopupCount());
}

} // namespace

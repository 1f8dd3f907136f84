// The colour dialog: hexadecimal texts, the HSL numbers, the honeycomb's keys and selection, the swatch box, the eye dropper, and its screenshot.
#include "toolkit/common/color_dialog.h"

#include "color_dialog_driver.h"
#include "control_host.h"
#include "support/clipboard_lock.h"
#include "support/message_box_recorder.h"
#include "support/window_capture.h"
#include "support/window_screenshot.h"
#include "toolkit/common/draw_helpers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>
#include <string>
#include <vector>

namespace {

TEST(KitColorDialogTexts, HexTextWritesLowRedWithABlankAndLowGreenOrBlueWithAZero)
{
    const struct {
        COLORREF clr;
        const char* text;
    } cases[] = {
        {RGB(255, 0, 0), "Hex=FF0000"},   {RGB(0, 0, 255), "Hex= 0000FF"}, {RGB(15, 16, 1), "Hex= 0F1001"},
        {RGB(16, 15, 255), "Hex=100FFF"}, {RGB(171, 205, 239), "Hex=ABCDEF"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(std::string(c.text), std::string(CKitColorDialog::RGBtoHex(c.clr))) << c.text;
}

TEST(KitColorDialogTexts, ColoursConvertToHueSaturationAndLuminanceOn255)
{
    const struct {
        COLORREF clr;
        int hue, saturation, luminance;
    } cases[] = {
        {RGB(255, 0, 0), 0, 255, 127},     {RGB(0, 0, 255), 170, 255, 127}, {RGB(0, 255, 0), 85, 255, 127},
        {RGB(128, 128, 128), 0, 0, 128},   {RGB(255, 0, 255), 212, 255, 127},
        // Luminance above one half takes the other saturation formula.
        {RGB(255, 128, 128), 0, 255, 191},
    };
    for (const auto& c : cases) {
        const KitHsl hsl = KitColorToHsl(c.clr);
        EXPECT_EQ(c.hue, hsl.nHue) << std::hex << c.clr;
        EXPECT_EQ(c.saturation, hsl.nSaturation) << std::hex << c.clr;
        EXPECT_EQ(c.luminance, hsl.nLuminance) << std::hex << c.clr;
    }
}

// The honeycomb in a window of its own, as wide as its widest row.
class KitColorHex : public ::testing::Test {
protected:
    KitColorHex()
    {
        hex.Create("", WS_CHILD | WS_VISIBLE, CRect(10, 10, 10 + CKitColorHex::kHoneycombWidth, 10 + 220), &host, 103);
        host.Answer(ColorMsgColorChanged, 0);
        PumpMessages();
    }

    // Sends a key through the thread's pre-translation, as the dialog's loop does; true when it was taken.
    bool Key(UINT nKey)
    {
        MSG msg = {hex.GetSafeHwnd(), WM_KEYDOWN, nKey, 0, 0, {}};
        return CWnd::WalkPreTranslateTree(host.GetSafeHwnd(), &msg) != FALSE;
    }

    ControlHost host;
    CKitColorHex hex;
};

TEST_F(KitColorHex, ArrowKeysFollowTheCellsUpAndDownLinks)
{
    ASSERT_EQ(144, hex.GetCellCount());
    // Row 6 starts at the left edge when the control is exactly as wide as the honeycomb.
    EXPECT_EQ(0, hex.GetCell(57)->m_rcBounds.left);
    const struct {
        int from;
        UINT key;
        int to;
    } cases[] = {
        {15, VK_UP, 6},     {119, VK_DOWN, 142}, {120, VK_DOWN, 121}, {8, VK_UP, 0},   {7, VK_UP, 7},
        {127, VK_UP, 126},  {143, VK_DOWN, 143}, {0, VK_LEFT, 0},     {143, VK_RIGHT, 143}, {3, VK_UP, 3},
        {5, VK_RIGHT, 6},   {64, VK_LEFT, 63},
    };
    for (const auto& c : cases) {
        // Clicked, as two cells share white.
        const CPoint centre = hex.GetCell(c.from)->m_rcBounds.CenterPoint();
        hex.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(centre.x, centre.y));
        hex.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(centre.x, centre.y));
        ASSERT_EQ(c.from, hex.GetSelectedIndex()) << c.from;
        host.records.clear();
        EXPECT_TRUE(Key(c.key)) << c.from;
        EXPECT_EQ(c.to, hex.GetSelectedIndex()) << c.from << " key " << c.key;
        // A move tells the parent the new colour, from the honeycomb.
        if (c.to != c.from) {
            ASSERT_EQ(1u, host.records.size()) << c.from;
            EXPECT_EQ(hex.GetCell(c.to)->m_clr, host.records[0].wParam);
            EXPECT_EQ(reinterpret_cast<LPARAM>(hex.GetSafeHwnd()), host.records[0].lParam);
        } else {
            EXPECT_TRUE(host.records.empty()) << c.from;
        }
    }
    // Without a selected cell the keys go on to the dialog; a colour of no cell selects none.
    hex.SetSelectedColor(RGB(1, 2, 3), FALSE);
    EXPECT_EQ(-1, hex.GetSelectedIndex());
    EXPECT_FALSE(Key(VK_UP));
    // -1 leaves the selection alone.
    hex.SetSelectedColor(hex.GetCell(3)->m_clr, FALSE);
    hex.SetSelectedColor(static_cast<COLORREF>(-1), FALSE);
    EXPECT_EQ(3, hex.GetSelectedIndex());
}

TEST_F(KitColorHex, ClicksSelectTheCellUnderTheMouse)
{
    const CPoint centre = hex.GetCell(30)->m_rcBounds.CenterPoint();
    EXPECT_EQ(30, hex.HitTest(centre));
    hex.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(centre.x, centre.y));
    hex.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(centre.x, centre.y));
    EXPECT_EQ(30, hex.GetSelectedIndex());
    ASSERT_EQ(1u, host.records.size());
    EXPECT_EQ(hex.GetCell(30)->m_clr, host.records[0].wParam);
    // Between the cells nothing changes.
    hex.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 1));
    EXPECT_EQ(30, hex.GetSelectedIndex());
}

// Black pixels of the selection outlines inside a cell's bounds, as the display shows them.
int OutlinePixels(const WindowImage& image, POINT offset, const CRect& bounds)
{
    int count = 0;
    for (int y = bounds.top; y < bounds.bottom; ++y) {
        for (int x = bounds.left; x < bounds.right; ++x)
            count += image.At(offset.x + x, offset.y + y) == RGB(0, 0, 0) ? 1 : 0;
    }
    return count;
}

TEST_F(KitColorHex, SelectingWhiteMarksBothWhiteCells)
{
    ::SetWindowPos(host.GetSafeHwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    const CRect centreWhite = hex.GetCell(63)->m_rcBounds;
    const CRect largeWhite = hex.GetCell(127)->m_rcBounds;
    ASSERT_EQ(RGB(255, 255, 255), hex.GetCell(63)->m_clr);
    ASSERT_EQ(RGB(255, 255, 255), hex.GetCell(127)->m_clr);
    CRect window;
    hex.GetWindowRect(&window);
    const auto capture = [&](COLORREF clr, const CRect& probe) {
        hex.SetSelectedColor(clr, FALSE);
        WindowImage image;
        for (int attempt = 0; attempt < 50; ++attempt) {
            hex.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
            PumpMessages();
            image = CaptureScreenRect(window);
            if (OutlinePixels(image, {0, 0}, probe) > 0)
                break;
            ::Sleep(40);
        }
        return image;
    };
    const WindowImage white = capture(RGB(255, 255, 255), centreWhite);
    EXPECT_GT(OutlinePixels(white, {0, 0}, centreWhite), 0);
    EXPECT_GT(OutlinePixels(white, {0, 0}, largeWhite), 0);
    // Another colour marks its own cell only.
    const WindowImage teal = capture(hex.GetCell(0)->m_clr, hex.GetCell(0)->m_rcBounds);
    EXPECT_GT(OutlinePixels(teal, {0, 0}, hex.GetCell(0)->m_rcBounds), 0);
    EXPECT_EQ(0, OutlinePixels(teal, {0, 0}, centreWhite));
    EXPECT_EQ(0, OutlinePixels(teal, {0, 0}, largeWhite));
}

// A colour dialog run modally over a host window, with steps acting inside its loop.
class KitColorDialog : public ::testing::Test {
protected:
    static constexpr int kEndedByItself = -1;

    // The dialog is there and shown.
    static bool Ready(CKitColorDialog& dialog)
    {
        return dialog.GetSafeHwnd() != nullptr && dialog.IsWindowVisible() && dialog.GetActivePage() != nullptr;
    }
    static CRect ItemRect(CKitColorDialog& dialog, int nID)
    {
        CRect rc;
        dialog.GetDlgItem(nID)->GetWindowRect(&rc);
        dialog.ScreenToClient(&rc);
        return rc;
    }
    // Runs the dialog modally. Once it shows, step acts in it and answers the
    // button that ends it, 0 while what it waits for is not there yet, or
    // kEndedByItself when what it did ended the dialog.
    static INT_PTR Run(CKitColorDialog& dialog, const std::function<int()>& step)
    {
        bool ran = false;
        RunInModalLoop([&] {
            if (!Ready(dialog))
                return false;
            const int end = step();
            if (end == 0)
                return false;
            ran = true;
            if (end != kEndedByItself)
                dialog.EndDialog(end);
            return true;
        });
        const INT_PTR result = dialog.DoModal();
        EXPECT_TRUE(ran);
        return result;
    }
    // Paints the dialog now (the swatches are placed by painting).
    static void Paint(CKitColorDialog& dialog)
    {
        dialog.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_ERASE);
    }

    ControlHost host;
};

TEST_F(KitColorDialog, TheSwatchBoxSitsUnderCancelLowerWithTheHexBox)
{
    const struct {
        DWORD style;
        int gap;
    } cases[] = {{0, 23}, {CKitColorDialog::kStyleHexEdit, 46}, {0xE0, 46}};
    for (const auto& c : cases) {
        CKitColorDialog dialog(RGB(15, 16, 1), RGB(0, 0, 255), c.style, &host);
        const INT_PTR result = Run(dialog, [&] {
            const CRect cancel = ItemRect(dialog, IDCANCEL);
            const CRect box = dialog.GetSwatchBoxRect();
            EXPECT_EQ(cancel.bottom + c.gap, box.top) << c.style;
            EXPECT_EQ(66, box.Height());
            EXPECT_EQ(cancel.left, box.left);
            EXPECT_EQ(cancel.right, box.right);
            // OK over Cancel, both right of the tabs.
            const CRect ok = ItemRect(dialog, IDOK);
            EXPECT_EQ(ok.bottom + 5, cancel.top);
            CRect tab;
            dialog.GetTabControl()->GetWindowRect(&tab);
            dialog.ScreenToClient(&tab);
            EXPECT_EQ(cancel.left - 5, tab.right);
            const bool hasEdit = (c.style & CKitColorDialog::kStyleHexEdit) != 0;
            EXPECT_EQ(hasEdit, dialog.GetHexEdit().GetSafeHwnd() != nullptr);
            if (hasEdit) {
                CString text;
                dialog.GetHexEdit().GetWindowText(text);
                EXPECT_EQ(std::string("Hex= 0F1001"), std::string(text));
            }
            EXPECT_EQ((c.style & CKitColorDialog::kStyleEyeDropper) != 0,
                      dialog.GetEyeDropper().GetSafeHwnd() != nullptr);
            return IDCANCEL;
        });
        EXPECT_EQ(IDCANCEL, result) << c.style;
        EXPECT_EQ(RGB(15, 16, 1), dialog.GetColor());
    }
}

TEST_F(KitColorDialog, ClickingCurrentRestoresTheOpeningColourInBothPages)
{
    const COLORREF current = 0x808000;
    CKitColorDialog dialog(RGB(255, 0, 0), current, CKitColorDialog::kStyleHexEdit, &host);
    const INT_PTR result = Run(dialog, [&] {
        // Visit the custom page so that it exists, then back.
        dialog.SetActivePage(1);
        CKitColorPageCustom& custom = dialog.GetCustomPage();
        EXPECT_EQ(255, custom.m_nRed);
        dialog.SetActivePage(0);
        Paint(dialog);
        const CPoint point = dialog.GetCurrentSwatchRect().CenterPoint();
        EXPECT_FALSE(dialog.GetCurrentSwatchRect().IsRectEmpty());
        dialog.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y));
        dialog.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
        EXPECT_EQ(current, dialog.GetColor());
        EXPECT_EQ(current, dialog.GetStandardPage().GetHex().GetSelectedColor());
        EXPECT_EQ(0, dialog.GetStandardPage().GetHex().GetSelectedIndex());
        EXPECT_EQ(GetRValue(current), custom.m_nRed);
        EXPECT_EQ(GetGValue(current), custom.m_nGreen);
        EXPECT_EQ(GetBValue(current), custom.m_nBlue);
        CString text;
        dialog.GetHexEdit().GetWindowText(text);
        EXPECT_EQ(std::string(CKitColorDialog::RGBtoHex(current)), std::string(text));
        return IDOK;
    });
    EXPECT_EQ(IDOK, result);
    EXPECT_EQ(current, dialog.GetColor());
}

TEST_F(KitColorDialog, TheCustomPageKeepsItsNumbersAndColoursInStep)
{
    CKitColorDialog dialog(RGB(255, 0, 0), RGB(255, 0, 0), 0, &host);
    MessageBoxRecorder boxes;
    const INT_PTR result = Run(dialog, [&] {
        dialog.SetActivePage(1);
        CKitColorPageCustom& custom = dialog.GetCustomPage();
        // Red, green and blue typed in: the colour and its hue, saturation and luminance follow.
        custom.SetDlgItemText(CKitColorPageCustom::kIdRed, "0");
        custom.SetDlgItemText(CKitColorPageCustom::kIdBlue, "255");
        EXPECT_EQ(RGB(0, 0, 255), dialog.GetColor());
        EXPECT_EQ(170, custom.m_nHue);
        EXPECT_EQ(255, custom.m_nSaturation);
        EXPECT_EQ(127, custom.m_nLuminance);
        EXPECT_EQ(170, static_cast<int>(custom.GetDlgItemInt(CKitColorPageCustom::kIdHue)));

        // 256 is refused: the colour stays, and the check fails with the range.
        custom.SetDlgItemText(CKitColorPageCustom::kIdRed, "256");
        EXPECT_EQ(RGB(0, 0, 255), dialog.GetColor());
        EXPECT_FALSE(custom.UpdateData(TRUE));
        EXPECT_EQ(1u, boxes.Count());
        if (boxes.Count() > 0) {
            EXPECT_EQ(std::string("Please enter an integer between 0 and 255."), std::string(boxes.Last().text));
        }
        custom.SetDlgItemText(CKitColorPageCustom::kIdRed, "0");

        // A pick in the field is at luminance one half, whatever the luminance number says.
        custom.SetDlgItemText(CKitColorPageCustom::kIdLuminance, "40");
        CRect field;
        custom.GetField().GetClientRect(&field);
        const CPoint point(field.Width() / 3, field.Height() / 4);
        custom.GetField().SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y));
        custom.GetField().SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
        const double hue = static_cast<double>(point.x) / field.Width();
        const double saturation = static_cast<double>(field.Height() - point.y) / field.Height();
        EXPECT_DOUBLE_EQ(hue, custom.GetField().GetHue());
        EXPECT_DOUBLE_EQ(saturation, custom.GetField().GetSaturation());
        EXPECT_EQ(CKitDrawHelpers::HSLtoRGB(static_cast<int>(hue * 255) / 255.0,
                                            static_cast<int>(saturation * 255) / 255.0, 0.5),
                  dialog.GetColor());
        EXPECT_EQ(40, custom.m_nLuminance);

        // The bar sets the luminance: its top is white.
        const CRect bar = custom.GetBar().GetBarRect();
        custom.GetBar().SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, bar.top));
        custom.GetBar().SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(2, bar.top));
        EXPECT_EQ(255, custom.m_nLuminance);
        EXPECT_EQ(RGB(255, 255, 255), dialog.GetColor());

        // Hue, saturation and luminance typed in: the markers and red, green and blue follow.
        custom.SetDlgItemText(CKitColorPageCustom::kIdLuminance, "127");
        custom.SetDlgItemText(CKitColorPageCustom::kIdSaturation, "255");
        custom.SetDlgItemText(CKitColorPageCustom::kIdHue, "85");
        const COLORREF green = CKitDrawHelpers::HSLtoRGB(85 / 255.0, 1.0, 127 / 255.0);
        EXPECT_EQ(green, dialog.GetColor());
        EXPECT_EQ(static_cast<int>(field.Width() * (85 / 255.0)), custom.GetField().GetMarker().x);
        EXPECT_EQ(0, custom.GetField().GetMarker().y);
        EXPECT_EQ(GetGValue(green), custom.m_nGreen);
        EXPECT_EQ(static_cast<int>(GetGValue(green)), static_cast<int>(custom.GetDlgItemInt(CKitColorPageCustom::kIdGreen)));
        return IDCANCEL;
    });
    EXPECT_EQ(IDCANCEL, result);
}

TEST_F(KitColorDialog, ADoubleClickOnAHoneycombCellEndsWithItsColour)
{
    CKitColorDialog dialog(RGB(255, 0, 0), RGB(255, 0, 0), 0, &host);
    COLORREF chosen = 0;
    const INT_PTR result = Run(dialog, [&] {
        CKitColorHex& hex = dialog.GetStandardPage().GetHex();
        chosen = hex.GetCell(40)->m_clr;
        const CPoint centre = hex.GetCell(40)->m_rcBounds.CenterPoint();
        hex.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(centre.x, centre.y));
        return kEndedByItself;
    });
    EXPECT_EQ(IDOK, result);
    EXPECT_NE(0u, chosen);
    EXPECT_EQ(chosen, dialog.GetColor());
}

TEST_F(KitColorDialog, TheEyeDropperPicksTheScreenPixelWhereItIsLetGo)
{
    ClipboardLock clipboard;
    const COLORREF current = RGB(0, 128, 128);
    CKitColorDialog dialog(RGB(255, 0, 0), current, 0xE0, &host);
    const INT_PTR result = Run(dialog, [&] {
        ::SetWindowPos(dialog.GetSafeHwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        Paint(dialog);
        // Over the current colour's swatch, once the display shows it.
        CPoint target = dialog.GetCurrentSwatchRect().CenterPoint();
        dialog.ClientToScreen(&target);
        HDC screen = ::GetDC(nullptr);
        const COLORREF shown = ::GetPixel(screen, target.x, target.y);
        ::ReleaseDC(nullptr, screen);
        if (shown != current)
            return 0;

        CKitEyeDropper& dropper = dialog.GetEyeDropper();
        dropper.SetCopyToClipboard(TRUE);
        CPoint inDropper = target;
        dropper.ScreenToClient(&inDropper);
        dropper.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
        EXPECT_TRUE(dropper.IsDragging());
        // Moving over the dropper itself picks nothing.
        dropper.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(5, 5));
        EXPECT_EQ(RGB(255, 0, 0), dialog.GetColor());
        dropper.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(inDropper.x, inDropper.y));
        EXPECT_FALSE(dropper.IsDragging());
        EXPECT_EQ(current, dropper.GetColor());
        // The sheet took the colour and told the pages.
        EXPECT_EQ(current, dialog.GetColor());
        EXPECT_EQ(current, dialog.GetStandardPage().GetHex().GetSelectedColor());
        CString text;
        dialog.GetHexEdit().GetWindowText(text);
        EXPECT_EQ(std::string("Hex= 008080"), std::string(text));
        // The clipboard holds the colour as decimal numbers.
        std::string copied;
        if (::OpenClipboard(nullptr)) {
            if (HANDLE data = ::GetClipboardData(CF_TEXT)) {
                copied = static_cast<const char*>(::GlobalLock(data));
                ::GlobalUnlock(data);
            }
            ::CloseClipboard();
        }
        EXPECT_EQ("0,128,128", copied);
        return IDOK;
    });
    EXPECT_EQ(IDOK, result);
}

// The same pick with the system's own mouse: pressed on the dropper, dragged over
// the swatch of the current colour and let go there.
TEST_F(KitColorDialog, TheEyeDropperFollowsARealMouseDrag)
{
    const COLORREF current = RGB(0, 128, 128);
    CKitColorDialog dialog(RGB(255, 0, 0), current, CKitColorDialog::kStyleEyeDropper, &host);
    const auto button = [](DWORD flags) {
        INPUT input = {};
        input.type = INPUT_MOUSE;
        input.mi.dwFlags = flags;
        ::SendInput(1, &input, sizeof(input));
    };
    int phase = 0;
    int waited = 0;
    CPoint target;
    POINT before = {};
    ::GetCursorPos(&before);
    const INT_PTR result = Run(dialog, [&] {
        CKitEyeDropper& dropper = dialog.GetEyeDropper();
        switch (phase) {
        case 0: {
            ::SetWindowPos(dialog.GetSafeHwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
            Paint(dialog);
            target = dialog.GetCurrentSwatchRect().CenterPoint();
            dialog.ClientToScreen(&target);
            HDC screen = ::GetDC(nullptr);
            const COLORREF shown = ::GetPixel(screen, target.x, target.y);
            ::ReleaseDC(nullptr, screen);
            if (shown != current)
                return 0;
            CRect rc;
            dropper.GetWindowRect(&rc);
            ::SetCursorPos(rc.CenterPoint().x, rc.CenterPoint().y);
            button(MOUSEEVENTF_LEFTDOWN);
            phase = 1;
            return 0;
        }
        case 1:
            if (!dropper.IsDragging()) {
                if (++waited < 200)
                    return 0;
                button(MOUSEEVENTF_LEFTUP);
                return IDCANCEL;
            }
            ::SetCursorPos(target.x, target.y);
            button(MOUSEEVENTF_LEFTUP);
            phase = 2;
            return 0;
        default:
            if (dropper.IsDragging())
                return ++waited < 200 ? 0 : IDCANCEL;
            return IDOK;
        }
    });
    ::SetCursorPos(before.x, before.y);
    EXPECT_EQ(IDOK, result);
    EXPECT_EQ(current, dialog.GetColor());
}

TEST_F(KitColorDialog, Screenshot)
{
    CKitColorDialog dialog(RGB(0, 102, 204), RGB(255, 153, 0), 0xE0, &host);
    std::string saved = "not run";
    Run(dialog, [&] {
        ::SetWindowPos(dialog.GetSafeHwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        // Each page as the display shows it, once the swatch of the new colour is there.
        std::vector<WindowImage> pages;
        for (int page = 0; page < 2; ++page) {
            dialog.SetActivePage(page);
            WindowImage image;
            for (int attempt = 0; attempt < 50; ++attempt) {
                Paint(dialog);
                PumpMessages();
                ::Sleep(40);
                image = CaptureScreenArea(dialog.GetSafeHwnd());
                CPoint probe = dialog.GetNewSwatchRect().CenterPoint();
                dialog.ClientToScreen(&probe);
                CRect window;
                dialog.GetWindowRect(&window);
                if (image.At(probe.x - window.left, probe.y - window.top) == RGB(0, 102, 204))
                    break;
            }
            pages.push_back(image);
        }
        // Side by side on one picture.
        const int gap = 12;
        const int width = pages[0].width + gap + pages[1].width;
        const int height = std::max(pages[0].height, pages[1].height);
        std::vector<DWORD> pixels(static_cast<size_t>(width) * static_cast<size_t>(height), 0xFFFFFF);
        int left = 0;
        for (const WindowImage& image : pages) {
            for (int y = 0; y < image.height; ++y) {
                for (int x = 0; x < image.width; ++x)
                    pixels[static_cast<size_t>(y) * width + left + x] = image.pixels[static_cast<size_t>(y) * image.width + x];
            }
            left += image.width + gap;
            const std::set<DWORD> colours(image.pixels.begin(), image.pixels.end());
            EXPECT_GT(colours.size(), 20u);
        }
        saved = SaveScreenshot("colour-dialog", width, height, pixels);
        return IDCANCEL;
    });
    EXPECT_EQ("", saved);
}

} // namespace

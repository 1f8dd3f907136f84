// The themed button: layout of glyphs, captions and icons, group boxes, split buttons, focus, themes and clicks.
#include "toolkit/common/button.h"

#include "control_host.h"
#include "image_test_support.h"
#include "toolkit/common/button_themes.h"
#include "toolkit/common/color_manager.h"
#include "toolkit/common/image_pixels.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

constexpr COLORREF kPaper = RGB(1, 2, 3);
constexpr UINT kButtonId = 1001;

class KitButton : public ::testing::Test {
protected:
    // A button of the style in the host, 160 x 40.
    std::unique_ptr<CKitButton> Make(LPCSTR caption, DWORD style, CRect rc = CRect(10, 10, 170, 50))
    {
        auto button = std::make_unique<CKitButton>();
        EXPECT_TRUE(button->Create(caption, WS_CHILD | WS_VISIBLE | style, rc, &host, kButtonId));
        PumpMessages();
        return button;
    }
    // Draws the button onto a canvas of its size filled with paper.
    std::unique_ptr<Canvas> Draw(CKitButton& button)
    {
        CRect rc;
        button.GetClientRect(&rc);
        auto canvas = std::make_unique<Canvas>(rc.Width(), rc.Height(), kPaper);
        PrintClient(button, *canvas);
        return canvas;
    }
    static bool SamePixels(const Canvas& a, const Canvas& b)
    {
        for (int y = 0; y < a.Height(); ++y)
            for (int x = 0; x < a.Width(); ++x)
                if (a.Pixel(x, y) != b.Pixel(x, y))
                    return false;
        return true;
    }

    ControlHost host;
};

TEST_F(KitButton, LeftTextCheckBoxesHaveTheirGlyphAtTheRight)
{
    auto check = Make("Left text", BS_AUTOCHECKBOX | BS_LEFTTEXT);
    CClientDC dc(check.get());
    CRect glyph;
    CRect text;
    check->GetTheme()->CalcRect(&dc, check.get(), &glyph, CKitButtonTheme::kPartCheckGlyph);
    check->GetTheme()->CalcRect(&dc, check.get(), &text, CKitButtonTheme::kPartCheckText);
    EXPECT_EQ(160, glyph.right);
    EXPECT_EQ(160 - 13, glyph.left);
    EXPECT_EQ((40 - 13) / 2, glyph.top);
    EXPECT_EQ(160 - 13 - 3, text.right);
    EXPECT_EQ(0, text.left);

    auto plain = Make("Right text", BS_AUTOCHECKBOX, CRect(10, 60, 170, 100));
    plain->GetTheme()->CalcRect(&dc, plain.get(), &glyph, CKitButtonTheme::kPartCheckGlyph);
    EXPECT_EQ(0, glyph.left);
    EXPECT_EQ(13, glyph.right);

    // The drawn glyph stands at the right edge: its frame is there and not at the left.
    auto canvas = Draw(*check);
    const COLORREF face = CKitColorManager::Instance()->GetColor(COLOR_BTNFACE);
    EXPECT_NE(face, canvas->Pixel(160 - 13, 20));
    EXPECT_EQ(face, canvas->Pixel(120, 20));
}

TEST_F(KitButton, GroupBoxBordersFullFrameTopLineOrNothing)
{
    auto group = Make("Group", BS_GROUPBOX, CRect(10, 10, 170, 110));
    // Kind 2: neither frame nor caption.
    group->SetBorderStyle(CKitButton::kBorderNone);
    auto nothing = Draw(*group);
    EXPECT_EQ(160 * 100, nothing->Count(CRect(0, 0, 160, 100), kPaper));

    // Kind 1: a line along the top; the sides and the bottom stay untouched.
    group->SetBorderStyle(CKitButton::kBorderTopLine);
    auto line = Draw(*group);
    EXPECT_EQ(100 - 20, line->Count(CRect(0, 20, 1, 100), kPaper));
    EXPECT_EQ(100 - 20, line->Count(CRect(159, 20, 160, 100), kPaper));
    EXPECT_EQ(160, line->Count(CRect(0, 99, 160, 100), kPaper));
    EXPECT_LT(line->Count(CRect(100, 0, 160, 20), kPaper), 60 * 20);

    // Kind 0: the frame runs down the sides, the caption 8 pixels plus a border in from the left.
    group->SetBorderStyle(CKitButton::kBorderFrame);
    auto frame = Draw(*group);
    EXPECT_LT(frame->Count(CRect(0, 20, 1, 99), kPaper), 79);
    CClientDC dc(group.get());
    ::SelectObject(dc, reinterpret_cast<HGDIOBJ>(group->SendMessage(WM_GETFONT)));
    CRect caption;
    group->GetTheme()->CalcRect(&dc, group.get(), &caption, CKitButtonTheme::kPartGroupText);
    EXPECT_EQ(::GetSystemMetrics(SM_CXBORDER) + 8, caption.left);
}

// A markup caption is parsed, laid out like a plain one (centred) and drawn through the themes; it follows the window text.
TEST_F(KitButton, AMarkupCaptionIsDrawnCentredAndFollowsTheText)
{
    const char* pszRed = "<Border Width='20' Height='10' Background='#FFFF0000'/>";
    auto button = Make(pszRed, BS_PUSHBUTTON);
    auto plain = Draw(*button);
    EXPECT_EQ(0, plain->Count(CRect(0, 0, 160, 40), RGB(255, 0, 0)));

    button->EnableMarkup();
    ASSERT_NE(nullptr, button->GetMarkupElement());
    auto canvas = Draw(*button);
    // 20 x 10 centred in 160 x 40.
    EXPECT_EQ(200, canvas->Count(CRect(0, 0, 160, 40), RGB(255, 0, 0)));
    EXPECT_EQ(RGB(255, 0, 0), canvas->Pixel(70, 15));
    EXPECT_EQ(RGB(255, 0, 0), canvas->Pixel(89, 24));
    EXPECT_NE(RGB(255, 0, 0), canvas->Pixel(90, 24));

    button->SetWindowText("<Border Width='30' Height='10' Background='#FF0000FF'/>");
    canvas = Draw(*button);
    EXPECT_EQ(0, canvas->Count(CRect(0, 0, 160, 40), RGB(255, 0, 0)));
    EXPECT_EQ(300, canvas->Count(CRect(0, 0, 160, 40), RGB(0, 0, 255)));

    // A text that does not parse leaves no element and draws nothing of the markup.
    button->SetWindowText("<Border");
    EXPECT_EQ(nullptr, button->GetMarkupElement());
    button->EnableMarkup(FALSE);
    EXPECT_EQ(nullptr, button->GetMarkupContext());
}

TEST_F(KitButton, IconAndCaptionAreCentredAsOneBlockThreePixelsApart)
{
    auto button = Make("Apply", BS_PUSHBUTTON);
    HICON icon = MakeSolidIcon(16, 16, RGB(255, 0, 0));
    ASSERT_TRUE(button->SetIcon(CSize(0, 0), icon));
    ::DestroyIcon(icon);
    ASSERT_EQ(CSize(16, 16), button->GetImageSize());

    CClientDC dc(button.get());
    ::SelectObject(dc, reinterpret_cast<HGDIOBJ>(button->SendMessage(WM_GETFONT)));
    CRect text;
    CRect image;
    UINT flags = 0;
    button->GetTheme()->CalcTextImageRects(&dc, button.get(), &text, &flags, &image);
    EXPECT_EQ(image.left + 16 + 3, text.left);
    // The block (icon, gap, caption) is centred in the content rectangle (4 pixels in).
    const int blockLeft = image.left;
    const int blockRight = text.right;
    EXPECT_NEAR((4 + 156) / 2, (blockLeft + blockRight) / 2, 1);

    // Drawn: the icon's red shows at its rectangle.
    auto canvas = Draw(*button);
    EXPECT_EQ(RGB(255, 0, 0), canvas->Pixel(image.left + 8, image.top + 8));

    // Without an icon the caption alone is centred.
    button->SetIcon(CSize(0, 0), static_cast<HICON>(nullptr));
    button->GetTheme()->CalcTextImageRects(&dc, button.get(), &text, &flags, nullptr);
    EXPECT_NEAR(80, (text.left + text.right) / 2, 1);
}

TEST_F(KitButton, SplitButtonsDrawASeparatorAndADownArrow)
{
    auto split = Make("Split", BS_PUSHBUTTON);
    split->SetPushButtonStyle(CKitButton::kPushSplit);
    auto canvas = Draw(*split);
    // The content rectangle is 4 pixels in; the arrow part is its right 16 pixels.
    const int separator = 160 - 4 - 16;
    EXPECT_EQ(::GetSysColor(COLOR_BTNSHADOW), canvas->Pixel(separator, 20));
    EXPECT_EQ(::GetSysColor(COLOR_BTNHIGHLIGHT), canvas->Pixel(separator + 1, 20));
    // The arrow: a filled triangle one pixel right of the part's centre, pointing down.
    const COLORREF text = CKitColorManager::Instance()->GetColor(COLOR_BTNTEXT);
    const int x = (separator + 156) / 2 + 1;
    EXPECT_EQ(text, canvas->Pixel(x, 20 - 2));
    EXPECT_EQ(text, canvas->Pixel(x, 20 + 1));
    EXPECT_NE(text, canvas->Pixel(x, 20 + 4));

    // The caption leaves room for the part: 12 + 2 x 4 pixels.
    CClientDC dc(split.get());
    CRect rcText;
    split->GetTheme()->CalcTextImageRects(&dc, split.get(), &rcText, nullptr, nullptr);
    EXPECT_LE(rcText.right, 156 - 12 - 8);
}

TEST_F(KitButton, FocusedCheckBoxesWithoutCaptionDrawNoFocusRectangle)
{
    auto empty = Make("", BS_AUTOCHECKBOX);
    auto labelled = Make("Labelled", BS_AUTOCHECKBOX, CRect(10, 60, 170, 100));
    // The user interface state shows focus cues.
    host.SendMessage(WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS | UISF_HIDEACCEL));

    auto unfocusedEmpty = Draw(*empty);
    auto unfocusedLabelled = Draw(*labelled);
    // Another program may take the activation (and so the focus) at any time: draw again then.
    auto drawFocused = [&](CKitButton& button) {
        std::unique_ptr<Canvas> canvas;
        for (int attempt = 0; attempt < 5; ++attempt) {
            button.SetFocus();
            canvas = Draw(button);
            if (::GetFocus() == button.GetSafeHwnd())
                break;
            PumpMessages();
        }
        EXPECT_EQ(button.GetSafeHwnd(), ::GetFocus());
        return canvas;
    };
    auto focusedEmpty = drawFocused(*empty);
    auto focusedLabelled = drawFocused(*labelled);

    EXPECT_TRUE(SamePixels(*unfocusedEmpty, *focusedEmpty));
    EXPECT_FALSE(SamePixels(*unfocusedLabelled, *focusedLabelled));
}

TEST_F(KitButton, TheSetThemeMessageCreatesTheThemeOfItsId)
{
    auto button = Make("Theme", BS_PUSHBUTTON);
    EXPECT_TRUE(button->IsDefaultTheme());
    EXPECT_EQ(0, button->SendMessage(CKitControlTheme::kMsgSetControlTheme, CKitControlTheme::kThemeOfficeXP));
    EXPECT_TRUE(button->GetTheme()->IsKindOf(RUNTIME_CLASS(CKitButtonOfficeXPTheme)));
    EXPECT_EQ(CKitControlTheme::kThemeOfficeXP, button->GetTheme()->GetThemeID());
    EXPECT_FALSE(button->IsDefaultTheme());

    struct Case {
        int id;
        CRuntimeClass* theme;
    };
    const Case cases[] = {
        {1, RUNTIME_CLASS(CKitButtonFlatTheme)},        {2, RUNTIME_CLASS(CKitButtonUltraFlatTheme)},
        {3, RUNTIME_CLASS(CKitButtonOffice2000Theme)},  {5, RUNTIME_CLASS(CKitButtonOffice2003Theme)},
        {7, RUNTIME_CLASS(CKitButtonResourceTheme)},    {6, RUNTIME_CLASS(CKitButtonTheme)},
        {0, RUNTIME_CLASS(CKitButtonTheme)},
    };
    for (const Case& c : cases) {
        button->SendMessage(CKitControlTheme::kMsgSetControlTheme, static_cast<WPARAM>(c.id));
        EXPECT_EQ(c.theme, button->GetTheme()->GetRuntimeClass()) << c.id;
        // Every theme draws without failing.
        Draw(*button);
    }

    // The resource theme without its images draws the default theme's three-dimensional face.
    button->SendMessage(CKitControlTheme::kMsgSetControlTheme, CKitControlTheme::kThemeResource);
    auto resource = Draw(*button);
    CKitColorManager* colors = CKitColorManager::Instance();
    EXPECT_EQ(colors->GetColor(COLOR_BTNHIGHLIGHT), resource->Pixel(0, 0));
    EXPECT_EQ(colors->GetColor(COLOR_3DDKSHADOW), resource->Pixel(159, 39));
    EXPECT_EQ(colors->GetColor(COLOR_BTNFACE), resource->Pixel(80, 30));
}

TEST_F(KitButton, PressStylesClickOnThePressAndPlainButtonsDoNot)
{
    auto button = Make("Press", BS_PUSHBUTTON);
    button->SendMessage(BM_SETSTATE, TRUE);
    button->SendMessage(BM_SETSTATE, FALSE);
    EXPECT_TRUE(host.CommandCodes().empty() ||
                std::find(host.CommandCodes().begin(), host.CommandCodes().end(), CKitButton::kNotifyClick) ==
                    host.CommandCodes().end());

    host.records.clear();
    button->SetPushButtonStyle(CKitButton::kPushDropDown);
    button->SendMessage(BM_SETSTATE, TRUE);
    const std::vector<UINT> codes = host.CommandCodes();
    EXPECT_EQ(1, std::count(codes.begin(), codes.end(), static_cast<UINT>(CKitButton::kNotifyClick)));
    EXPECT_FALSE(button->IsPushed() && button->GetChecked());

    // A split button acts on a press of its drop-down part only.
    host.records.clear();
    button->SendMessage(BM_SETSTATE, FALSE);
    button->SetPushButtonStyle(CKitButton::kPushSplit);
    button->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(150, 20));
    ::ReleaseCapture();
    std::vector<UINT> split = host.CommandCodes();
    EXPECT_EQ(1, std::count(split.begin(), split.end(), static_cast<UINT>(CKitButton::kNotifyClick)));
}

} // namespace

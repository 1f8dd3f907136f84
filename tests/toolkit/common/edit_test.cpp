// The border a themed edit shares with a buddy button against its side: the button's rectangle and the frame drawn around it.
#include "control_host.h"
#include "toolkit/common/button.h"
#include "toolkit/common/color_manager.h"
#include "toolkit/common/edit.h"

#include <gtest/gtest.h>

#include <commctrl.h>

namespace {

constexpr COLORREF kPaper = RGB(1, 2, 3);
constexpr COLORREF kBorder = RGB(10, 120, 200);

class KitEditBuddy : public ::testing::Test {
protected:
    KitEditBuddy() : host(ControlHost::kHidden)
    {
        button.Create("...", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(120, 10, 140, 30), &host, 2);
        spin.Attach(::CreateWindowExA(0, UPDOWN_CLASSA, nullptr, WS_CHILD | WS_VISIBLE, 140, 10, 16, 20,
                                      host.GetSafeHwnd(), nullptr, nullptr, nullptr));
    }
    ~KitEditBuddy() override { spin.DestroyWindow(); }

    // An edit of the theme; bBorder: WS_BORDER, bOwnBorder: the edit draws its border itself.
    void MakeEdit(int theme, BOOL bBorder, BOOL bOwnBorder)
    {
        if (edit.GetSafeHwnd() != nullptr)
            edit.DestroyWindow();
        edit.Create(WS_CHILD | WS_VISIBLE | (bBorder ? WS_BORDER : 0), CRect(10, 10, 120, 30), &host, 1);
        edit.SetTheme(theme);
        edit.SetOwnBorder(bOwnBorder);
        edit.SetBorderColor(kBorder);
        edit.SetNoBuddyBorder(FALSE);
    }

    ControlHost host;
    CKitEdit edit;
    CKitButton button;
    CWnd spin;
};

TEST_F(KitEditBuddy, TheSharedBorderShrinksTheButtonByTheme)
{
    struct Case {
        int theme;
        BOOL border;
        BOOL ownBorder;
        bool spinButton;
        int side;
        CRect expected;
    };
    const CRect rc(0, 0, 20, 20);
    const Case cases[] = {
        {0, TRUE, FALSE, false, CKitEdit::kSideRight, CRect(0, 2, 18, 18)},
        {3, FALSE, TRUE, false, CKitEdit::kSideRight, CRect(0, 2, 18, 18)},
        {7, FALSE, TRUE, false, 0, CRect(2, 2, 20, 18)},
        {7, FALSE, TRUE, true, CKitEdit::kSideRight, rc},  // a spin button on a resource-image edit
        {0, FALSE, FALSE, false, CKitEdit::kSideRight, rc},  // no border at all
        {5, TRUE, FALSE, false, CKitEdit::kSideRight, rc},   // a theme without a shared border
    };
    for (const Case& c : cases) {
        MakeEdit(c.theme, c.border, c.ownBorder);
        CRect adjusted = rc;
        edit.AdjustBuddyRect(c.spinButton ? &spin : static_cast<CWnd*>(&button), adjusted, c.side);
        EXPECT_EQ(c.expected, adjusted) << c.theme << (c.spinButton ? " spin" : "");
    }
    MakeEdit(7, FALSE, TRUE);
    edit.SetNoBuddyBorder(TRUE);
    CRect adjusted = rc;
    edit.AdjustBuddyRect(&button, adjusted, CKitEdit::kSideRight);
    EXPECT_EQ(rc, adjusted);

    // The button asks its buddy edit for its rectangle.
    MakeEdit(0, TRUE, FALSE);
    button.SetBuddy(edit.GetSafeHwnd());
    EXPECT_EQ(CRect(0, 2, 18, 18), button.GetButtonRect());
    button.SetBuddy(nullptr);
    EXPECT_EQ(rc, button.GetButtonRect());
}

TEST_F(KitEditBuddy, TheSharedBorderIsDrawnAroundTheButton)
{
    const COLORREF clrWindow = ::GetSysColor(COLOR_WINDOW);
    const COLORREF clrFrame = CKitColorManager::Instance()->GetColor(6);
    const COLORREF clrEdge = CKitColorManager::Instance()->GetColor(20);
    struct Case {
        int theme;
        BOOL border;
        BOOL ownBorder;
        bool spinButton;
        COLORREF top;     // at (10, 0)
        COLORREF right;   // at (19, 10)
        COLORREF bottom;  // at (10, 19)
        COLORREF inside;  // at (10, 10)
        COLORREF left;    // at (0, 10): the frame's left side lies under the edit
    };
    const Case cases[] = {
        {0, TRUE, FALSE, false, clrFrame, clrFrame, clrFrame, kPaper, kPaper},
        {3, FALSE, TRUE, false, kBorder, clrEdge, clrEdge, clrWindow, clrWindow},
        {7, FALSE, TRUE, false, kBorder, kBorder, kBorder, clrWindow, clrWindow},
        {7, FALSE, TRUE, true, kPaper, kPaper, kPaper, kPaper, kPaper},  // a spin button is not framed
        {0, FALSE, FALSE, false, kPaper, kPaper, kPaper, kPaper, kPaper},  // no border at all
    };
    for (const Case& c : cases) {
        MakeEdit(c.theme, c.border, c.ownBorder);
        Canvas canvas(20, 20, kPaper);
        edit.DrawBuddyBorder(c.spinButton ? &spin : static_cast<CWnd*>(&button), &canvas.dc, CRect(0, 0, 20, 20),
                             CKitEdit::kSideRight);
        EXPECT_EQ(c.top, canvas.Pixel(10, 0)) << c.theme;
        EXPECT_EQ(c.right, canvas.Pixel(19, 10)) << c.theme;
        EXPECT_EQ(c.bottom, canvas.Pixel(10, 19)) << c.theme;
        EXPECT_EQ(c.inside, canvas.Pixel(10, 10)) << c.theme;
        EXPECT_EQ(c.left, canvas.Pixel(0, 10)) << c.theme;
    }

    // The default theme's own border: a sunken edge on the top, bottom and outer side only.
    MakeEdit(0, FALSE, TRUE);
    Canvas canvas(20, 20, kPaper);
    edit.DrawBuddyBorder(&button, &canvas.dc, CRect(0, 0, 20, 20), CKitEdit::kSideRight);
    EXPECT_NE(kPaper, canvas.Pixel(10, 0));
    EXPECT_NE(kPaper, canvas.Pixel(19, 10));
    EXPECT_EQ(kPaper, canvas.Pixel(0, 10));
}

} // namespace

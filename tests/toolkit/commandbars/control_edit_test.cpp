// The command-bar edit on a toolbar: its edit window, spin steps and held spins, the hint, Escape and the buddy button.
#include "field_test_site.h"

namespace {

constexpr UINT kEditId = 42101;

DWORD g_dwNow = 0;
DWORD FakeClock()
{
    return g_dwNow;
}

class EditTest : public FieldTest {
protected:
    void SetUp() override
    {
        FieldTest::SetUp();
        m_pEdit = static_cast<CKitControlEdit*>(m_pBar->GetControls()->Add(new CKitControlEdit(), kEditId));
        m_pEdit->SetWidth(150);
    }

    void TearDown() override
    {
        CKitControlEdit::SetClock(nullptr);
        FieldTest::TearDown();
    }

    CString WindowText() const { return m_pEdit->GetEditCtrl()->GetText(); }

    CKitControlEdit* m_pEdit = nullptr;
};

} // namespace

// A spin moves to the next multiple of the step in its direction; the site sees the step first and may cancel.
TEST_F(EditTest, ASpinStepsToTheNextMultipleOfItsStep)
{
    struct Case {
        const char* text;
        int step;
        int direction;
        const char* expected;
    };
    const Case cases[] = {
        {"7", 5, 1, "15"}, {"7", 5, -1, "0"}, {"7", 1, 1, "8"},    {"7", 1, -1, "6"},
        {"", 5, 1, "5"},   {"-3", 5, 1, "5"}, {"12ab", 1, 1, "13"}, {"10", 5, 1, "15"},
    };
    Layout();
    for (const Case& c : cases) {
        m_pEdit->SetEditText(c.text);
        EXPECT_TRUE(m_pEdit->Spin(c.step, c.direction));
        EXPECT_STREQ(c.expected, m_pEdit->GetEditText()) << c.text << " by " << c.step * c.direction;
        EXPECT_STREQ(c.expected, WindowText()) << c.text;
    }
    EXPECT_EQ(static_cast<int>(std::size(cases)), m_site.Count(kitEditNotifySpinned));
    EXPECT_EQ(5, m_site.m_steps[0]);

    m_site.m_nSpinAnswer = 1;
    m_pEdit->SetEditText("7");
    EXPECT_FALSE(m_pEdit->Spin(5, 1));
    EXPECT_STREQ("7", m_pEdit->GetEditText());
}

// Held spins speed up after two and five units of 1024 ms; leaving the button pauses and restarts the clock.
TEST_F(EditTest, AHeldSpinSpeedsUp)
{
    EXPECT_EQ(1, CKitControlEdit::GetSpinStep(0));
    EXPECT_EQ(1, CKitControlEdit::GetSpinStep(2047));
    EXPECT_EQ(5, CKitControlEdit::GetSpinStep(2048));
    EXPECT_EQ(5, CKitControlEdit::GetSpinStep(5119));
    EXPECT_EQ(20, CKitControlEdit::GetSpinStep(5120));

    CKitControlEdit::SetClock(&FakeClock);
    m_pEdit->ShowSpinButtons(TRUE);
    Layout();
    m_pEdit->SetEditText("0");
    g_dwNow = 10000;
    m_pEdit->BeginSpinHold(kitEditSpinUp);
    EXPECT_STREQ("1", m_pEdit->GetEditText());
    EXPECT_EQ(kitEditSpinUp, m_pEdit->GetPressed());
    g_dwNow += 1000;
    m_pEdit->OnSpinTick();
    EXPECT_STREQ("2", m_pEdit->GetEditText());
    // 2 + 5 rounds on to 10; 10 + 20 on to 40.
    g_dwNow = 10000 + 2100;
    m_pEdit->OnSpinTick();
    EXPECT_STREQ("10", m_pEdit->GetEditText());
    g_dwNow = 10000 + 5200;
    m_pEdit->OnSpinTick();
    EXPECT_STREQ("40", m_pEdit->GetEditText());
    EXPECT_EQ(20, m_site.m_steps.back());

    m_pEdit->SetSpinHoldInside(FALSE);
    m_pEdit->OnSpinTick();
    EXPECT_STREQ("40", m_pEdit->GetEditText());
    EXPECT_EQ(0, m_pEdit->GetPressed());
    g_dwNow += 3000;
    m_pEdit->SetSpinHoldInside(TRUE);
    g_dwNow += 500;
    m_pEdit->OnSpinTick();
    EXPECT_STREQ("41", m_pEdit->GetEditText());
    m_pEdit->EndSpinHold();
    EXPECT_FALSE(m_pEdit->OnSpinTick());
}

// A click on the upper spin button spins once; Up and Down keys spin while focused.
TEST_F(EditTest, TheSpinButtonsAndArrowKeysSpin)
{
    m_pEdit->ShowSpinButtons(TRUE);
    Layout();
    m_pEdit->SetEditText("7");
    const CRect rcSpin = m_pEdit->GetSpinButtonsRect();
    ASSERT_FALSE(rcSpin.IsRectEmpty());
    const CPoint ptUp(rcSpin.CenterPoint().x, rcSpin.top + 2);
    m_pBar->PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(ptUp.x, ptUp.y));
    m_pBar->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(ptUp.x, ptUp.y));
    EXPECT_STREQ("8", m_pEdit->GetEditText());
    EXPECT_EQ(0, m_pEdit->GetPressed());

    m_pEdit->SetFocused(TRUE);
    EXPECT_EQ(CKitHookManagerHookAble::kHandled, m_pEdit->OnHookKeyDown(VK_DOWN, 0));
    EXPECT_EQ(CKitHookManagerHookAble::kHandled, m_pEdit->OnHookKeyDown(VK_DOWN, 0));
    EXPECT_STREQ("6", m_pEdit->GetEditText());
    m_pEdit->SetReadOnly(TRUE);
    EXPECT_EQ(CKitHookManagerHookAble::kNotHandled, m_pEdit->OnHookKeyDown(VK_UP, 0));
    EXPECT_STREQ("6", m_pEdit->GetEditText());
}

// Escape restores the text present when focus arrived and gives the focus back.
TEST_F(EditTest, EscapeRestoresTheTextOfTheFocusArrival)
{
    Layout();
    ASSERT_TRUE(m_pEdit->HasWindow());
    m_pEdit->SetEditText("42");
    m_site.SetFocus();
    m_pEdit->SetFocused(TRUE);
    PumpMessages();
    EXPECT_EQ(m_pEdit->GetEditCtrl()->GetSafeHwnd(), ::GetFocus());
    EXPECT_EQ(1, m_site.Count(kitEditNotifySetFocus));

    m_pEdit->GetEditCtrl()->SetWindowText("99");
    EXPECT_STREQ("99", m_pEdit->GetEditText());
    EXPECT_EQ(1, m_site.Count(kitEditNotifyChange));
    m_pEdit->OnHookKeyDown(VK_ESCAPE, 0);
    EXPECT_STREQ("42", m_pEdit->GetEditText());
    EXPECT_STREQ("42", WindowText());
    EXPECT_FALSE(m_pEdit->IsFocused());
    EXPECT_EQ(m_site.GetSafeHwnd(), ::GetFocus());
    EXPECT_EQ(1, m_site.Count(kitEditNotifyKillFocus));
}

// An empty, unfocused edit shows its hint in its window and reports an empty text; focus clears the hint.
TEST_F(EditTest, AnEmptyUnfocusedEditShowsItsHint)
{
    CKitControlEdit loose;
    loose.SetEditHint("Find");
    EXPECT_TRUE(loose.IsHintShown());
    EXPECT_STREQ("", loose.GetEditText());

    m_pEdit->SetEditHint("Find");
    Layout();
    EXPECT_TRUE(m_pEdit->IsHintShown());
    EXPECT_STREQ("Find", WindowText());
    EXPECT_STREQ("", m_pEdit->GetEditText());

    m_site.SetFocus();
    m_pEdit->SetFocused(TRUE);
    PumpMessages();
    EXPECT_FALSE(m_pEdit->IsHintShown());
    EXPECT_STREQ("", WindowText());
    m_pEdit->GetEditCtrl()->SetWindowText("abc");
    m_site.SetFocus();
    PumpMessages();
    EXPECT_FALSE(m_pEdit->IsFocused());
    EXPECT_STREQ("abc", m_pEdit->GetEditText());
    EXPECT_FALSE(m_pEdit->IsHintShown());

    m_pEdit->SetEditText("");
    EXPECT_TRUE(m_pEdit->IsHintShown());
    EXPECT_STREQ("Find", WindowText());
    EXPECT_STREQ("", m_pEdit->GetEditText());
}

// The buddy button notifies when released over it, not when the pointer left it.
TEST_F(EditTest, TheBuddyButtonNotifiesWhenReleasedOverIt)
{
    m_pEdit->SetBuddyButtonId(kEditId);
    Layout();
    const CRect rcBuddy = m_pEdit->GetBuddyButtonRect();
    ASSERT_FALSE(rcBuddy.IsRectEmpty());
    CRect rcWindow;
    m_pEdit->GetEditCtrl()->GetWindowRect(&rcWindow);
    m_pBar->ScreenToClient(&rcWindow);
    EXPECT_LE(rcWindow.right, rcBuddy.left);

    const CPoint pt = rcBuddy.CenterPoint();
    m_pBar->PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
    m_pBar->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    EXPECT_EQ(1, m_site.Count(kitEditNotifyBuddyClick));

    m_pBar->PostMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(2, 2));
    m_pBar->PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    m_pBar->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    EXPECT_EQ(1, m_site.Count(kitEditNotifyBuddyClick));
}

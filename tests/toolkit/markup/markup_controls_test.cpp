// Buttons, check boxes and radio buttons in a window: press, capture and click from the mouse, checked states, content.
#include "markup_window_host.h"

#include "toolkit/markup/markup_controls.h"
#include "toolkit/markup/markup_text_block.h"

#include <gtest/gtest.h>

namespace {

using Log = std::vector<std::string>;

POINT Centre(const RECT& rect)
{
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

class MarkupButtonTest : public ::testing::Test {
protected:
    CMarkupWindowHost m_host{300, 200};
};

TEST_F(MarkupButtonTest, ClickNeedsTheReleaseInside)
{
    ASSERT_EQ("", m_host.Show("<StackPanel><Button x:Name=\"ok\" Click=\"Click\" Width=\"80\">OK</Button>"
                              "<Button x:Name=\"off\" Click=\"Click\" IsEnabled=\"False\">Off</Button></StackPanel>"));
    CKitMarkupButton* pButton = m_host.Named<CKitMarkupButton>("ok");
    ASSERT_NE(nullptr, pButton);
    const POINT inside = Centre(m_host.RectOf("ok"));
    const POINT outside = {inside.x + 150, inside.y};

    // Pressed, dragged out, released outside: no click, and the button is released.
    m_host.Send(WM_MOUSEMOVE, inside.x, inside.y);
    m_host.Send(WM_LBUTTONDOWN, inside.x, inside.y);
    EXPECT_TRUE(pButton->IsPressed());
    EXPECT_EQ(m_host.m_hWnd, ::GetCapture());
    m_host.Send(WM_MOUSEMOVE, outside.x, outside.y);
    EXPECT_FALSE(pButton->IsPressed());
    m_host.Send(WM_LBUTTONUP, outside.x, outside.y);
    EXPECT_EQ(Log{}, m_host.TakeLog());
    EXPECT_FALSE(pButton->IsPressed());
    EXPECT_EQ(nullptr, m_host.m_pContext->GetCaptured());
    EXPECT_EQ(nullptr, ::GetCapture());

    // Dragged back in before the release: one click.
    m_host.Send(WM_MOUSEMOVE, inside.x, inside.y);
    m_host.Send(WM_LBUTTONDOWN, inside.x, inside.y);
    m_host.Send(WM_MOUSEMOVE, outside.x, outside.y);
    m_host.Send(WM_MOUSEMOVE, inside.x, inside.y);
    EXPECT_TRUE(pButton->IsPressed());
    m_host.Send(WM_LBUTTONUP, inside.x, inside.y);
    EXPECT_EQ(Log{"Click:ok"}, m_host.TakeLog());

    // A disabled button ignores the left button.
    const POINT off = Centre(m_host.RectOf("off"));
    m_host.Click(off.x, off.y);
    EXPECT_EQ(Log{}, m_host.TakeLog());
    EXPECT_EQ(nullptr, m_host.m_pContext->GetCaptured());
}

TEST_F(MarkupButtonTest, LosingTheCaptureEndsThePress)
{
    ASSERT_EQ("", m_host.Show("<Button x:Name=\"ok\" Click=\"Click\">OK</Button>"));
    CKitMarkupButton* pButton = m_host.Named<CKitMarkupButton>("ok");
    const POINT inside = Centre(m_host.RectOf("ok"));
    m_host.Send(WM_MOUSEMOVE, inside.x, inside.y);
    m_host.Send(WM_LBUTTONDOWN, inside.x, inside.y);
    ::ReleaseCapture();
    EXPECT_FALSE(pButton->IsPressed());
    m_host.Send(WM_LBUTTONUP, inside.x, inside.y);
    EXPECT_EQ(Log{}, m_host.TakeLog());
}

TEST_F(MarkupButtonTest, CheckBoxesCycleThroughTheirStates)
{
    ASSERT_EQ("", m_host.Show("<StackPanel><CheckBox x:Name=\"three\" IsThreeState=\"True\" Checked=\"Checked\""
                              " Unchecked=\"Unchecked\" Indeterminate=\"Indeterminate\">Three</CheckBox>"
                              "<CheckBox x:Name=\"two\" Checked=\"Checked\" Unchecked=\"Unchecked\""
                              " Indeterminate=\"Indeterminate\">Two</CheckBox></StackPanel>"));
    struct Case {
        const char* name;
        std::vector<int> states;
        Log events;
    };
    const Case cases[] = {
        {"three", {1, 2, 0, 1}, {"Checked:three", "Indeterminate:three", "Unchecked:three", "Checked:three"}},
        {"two", {1, 0, 1}, {"Checked:two", "Unchecked:two", "Checked:two"}},
    };
    for (const Case& c : cases) {
        CKitMarkupToggleButton* pBox = m_host.Named<CKitMarkupToggleButton>(c.name);
        ASSERT_NE(nullptr, pBox);
        EXPECT_EQ(0, pBox->GetChecked());
        const POINT point = Centre(m_host.RectOf(c.name));
        std::vector<int> states;
        for (size_t i = 0; i < c.states.size(); ++i) {
            m_host.Click(point.x, point.y);
            states.push_back(pBox->GetChecked());
        }
        EXPECT_EQ(c.states, states) << c.name;
        EXPECT_EQ(c.events, m_host.TakeLog()) << c.name;
    }
}

TEST_F(MarkupButtonTest, RadioButtonsUncheckOnlyTheirSiblings)
{
    ASSERT_EQ("", m_host.Show("<StackPanel><StackPanel>"
                              "<RadioButton x:Name=\"a\" IsChecked=\"True\" Checked=\"Checked\""
                              " Unchecked=\"Unchecked\">A</RadioButton>"
                              "<RadioButton x:Name=\"b\" Checked=\"Checked\" Unchecked=\"Unchecked\">B</RadioButton>"
                              "</StackPanel><StackPanel><RadioButton x:Name=\"c\" IsChecked=\"True\""
                              " Unchecked=\"Unchecked\">C</RadioButton></StackPanel></StackPanel>"));
    const POINT a = Centre(m_host.RectOf("a"));
    const POINT b = Centre(m_host.RectOf("b"));
    m_host.Click(a.x, a.y);
    EXPECT_EQ(Log{}, m_host.TakeLog());
    EXPECT_EQ(1, m_host.Named<CKitMarkupRadioButton>("a")->GetChecked());
    m_host.Click(b.x, b.y);
    EXPECT_EQ((Log{"Unchecked:a", "Checked:b"}), m_host.TakeLog());
    EXPECT_EQ(0, m_host.Named<CKitMarkupRadioButton>("a")->GetChecked());
    EXPECT_EQ(1, m_host.Named<CKitMarkupRadioButton>("b")->GetChecked());
    EXPECT_EQ(1, m_host.Named<CKitMarkupRadioButton>("c")->GetChecked());
}

TEST_F(MarkupButtonTest, ContentControlsTakeOneChild)
{
    EXPECT_EQ(0u, m_host.Show("<Button><TextBlock/><TextBlock/></Button>")
                      .find("'CKitMarkupButton' already has a child and cannot add 'CKitMarkupTextBlock'. "
                            "'CKitMarkupButton' can accept only one child."));
    EXPECT_EQ(0u, m_host.Show("<CheckBox><SolidColorBrush/></CheckBox>")
                      .find("'CKitMarkupSolidColorBrush' object cannot be added to 'CKitMarkupCheckBox'. Object "
                            "cannot be converted to type 'CKitMarkupUIElement'"));
    ASSERT_EQ("", m_host.Show("<Button x:Name=\"ok\">OK</Button>"));
    CKitMarkupUIElement* pContent = m_host.Named<CKitMarkupButton>("ok")->GetContent();
    ASSERT_NE(nullptr, pContent);
    EXPECT_TRUE(pContent->IsKindOf(MARKUP_TYPE(CKitMarkupTextBlock)));
}

TEST_F(MarkupButtonTest, ButtonsMakeRoomAroundTheirContent)
{
    ASSERT_EQ("", m_host.Show("<StackPanel>"
                              "<Button x:Name=\"button\" HorizontalAlignment=\"Left\" Padding=\"2,3,4,5\">"
                              "<Border Width=\"30\" Height=\"10\"/></Button>"
                              "<CheckBox x:Name=\"check\" HorizontalAlignment=\"Left\"><Border Width=\"30\" Height=\"4\"/>"
                              "</CheckBox>"
                              "<CheckBox x:Name=\"bare\" HorizontalAlignment=\"Left\"/>"
                              "<RadioButton x:Name=\"radio\" HorizontalAlignment=\"Left\"/></StackPanel>"));
    struct Case {
        const char* name;
        SIZE size;
    };
    const Case cases[] = {
        {"button", {30 + 6 + 8, 10 + 8 + 8}},
        {"check", {30 + 16, 13}},
        {"bare", {16, 0}},
        {"radio", {16, 13}},
    };
    for (const Case& c : cases) {
        const SIZE size = m_host.Named<CKitMarkupUIElement>(c.name)->GetDesiredSize();
        EXPECT_EQ(c.size.cx, size.cx) << c.name;
        EXPECT_EQ(c.size.cy, size.cy) << c.name;
    }
}

} // namespace

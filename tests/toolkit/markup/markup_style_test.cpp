// Styles and triggers in force on elements: implicit styles, trigger values coming and going, the order of triggers, default styles.
#include "markup_test_support.h"

#include "toolkit/markup/markup_brushes.h"
#include "toolkit/markup/markup_framework_element.h"
#include "toolkit/markup/markup_panels.h"
#include "toolkit/markup/markup_style.h"
#include "toolkit/markup/markup_text_elements.h"
#include "toolkit/markup/markup_values.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A border that records the property changes it hears.
class CRecordingBorder : public CKitMarkupBorder {
public:
    struct Change {
        CKitMarkupDependencyProperty* pProperty;
        bool hadOld;
        bool hasNew;
    };

    void OnPropertyChanged(CKitMarkupDependencyProperty* pProperty, CKitMarkupObject* pOldValue,
                           CKitMarkupObject* pNewValue) override
    {
        changes.push_back({pProperty, pOldValue != nullptr, pNewValue != nullptr});
        CKitMarkupBorder::OnPropertyChanged(pProperty, pOldValue, pNewValue);
    }

    std::vector<Change> changes;
};

class MarkupStyleTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        m_root.Attach(nullptr);
        EXPECT_EQ(1, m_context.References()) << "every element let its context go";
    }

    // A border made in code whose style is the resource under the key in the text's root.
    CKitMarkupRef<CRecordingBorder> StyledBorder(const std::string& resources, LPCWSTR lpszKey)
    {
        BuildResult result =
            BuildMarkup(m_context.Get(), "<Border><Border.Resources>" + resources + "</Border.Resources></Border>");
        EXPECT_TRUE(result.root) << result.error;
        m_root = std::move(result.root);
        CKitMarkupRef<CKitMarkupString> key(CKitMarkupString::CreateValue(lpszKey));
        CKitMarkupStyle* pStyle = MarkupDynamicCast<CKitMarkupStyle>(FindResource(m_root.Get(), key.Get()));
        EXPECT_NE(nullptr, pStyle);
        CKitMarkupRef<CRecordingBorder> border(new CRecordingBorder());
        if (pStyle != nullptr) {
            pStyle->AddRef();
            border->SetValue(CKitMarkupInputElement::m_pStyleProperty, pStyle);
        }
        border->UpdateStyle();
        border->changes.clear();
        return border;
    }

    CTestMarkupContext m_context;
    CKitMarkupRef<CKitMarkupUIElement> m_root;
};

int WidthOf(const CKitMarkupObject* pElement)
{
    const CKitMarkupInt* pWidth = pElement->GetValueOf<CKitMarkupInt>(CKitMarkupFrameworkElement::m_pWidthProperty);
    return pWidth != nullptr ? pWidth->GetValue() : -1;
}

COLORREF BackgroundOf(const CKitMarkupObject* pElement,
                      CKitMarkupDependencyProperty* pProperty = CKitMarkupBorder::m_pBackgroundProperty)
{
    const CKitMarkupBrush* pBrush = pElement->GetValueOf<CKitMarkupBrush>(pProperty);
    return pBrush != nullptr ? pBrush->GetSolidColor() : 0xFFFFFFFF;
}

std::vector<std::string> ChangeNames(const std::vector<CRecordingBorder::Change>& changes)
{
    std::vector<std::string> names;
    for (const CRecordingBorder::Change& change : changes)
        names.push_back(std::string((LPCSTR)CString(change.pProperty->GetName())) + (change.hadOld ? " from" : "") +
                        (change.hasNew ? " to" : ""));
    return names;
}

using Names = std::vector<std::string>;

TEST_F(MarkupStyleTest, MouseOverTriggerSetsAndRestores)
{
    auto border = StyledBorder("<Style x:Key=\"hot\" TargetType=\"Border\">"
                               "<Setter Property=\"Width\" Value=\"10\"/>"
                               "<Style.Triggers><Trigger Property=\"IsMouseOver\" Value=\"True\"><Trigger.Setters>"
                               "<Setter Property=\"Width\" Value=\"20\"/><Setter Property=\"Background\" Value=\"Red\"/>"
                               "</Trigger.Setters></Trigger></Style.Triggers>"
                               "</Style>",
                               L"hot");
    EXPECT_EQ(10, WidthOf(border.Get()));
    EXPECT_EQ(0xFFFFFFFFu, BackgroundOf(border.Get()));

    border->SetValue(CKitMarkupInputElement::m_pIsMouseOverProperty, CKitMarkupBool::CreateTrueValue());
    EXPECT_EQ(20, WidthOf(border.Get()));
    EXPECT_EQ(0x0000FFu, BackgroundOf(border.Get()));
    EXPECT_EQ((Names{"IsMouseOver from to", "Width to", "Background to"}), ChangeNames(border->changes));

    border->changes.clear();
    border->SetValue(CKitMarkupInputElement::m_pIsMouseOverProperty, nullptr);
    EXPECT_EQ(10, WidthOf(border.Get()));
    EXPECT_EQ(0xFFFFFFFFu, BackgroundOf(border.Get()));
    EXPECT_EQ((Names{"IsMouseOver from to", "Width from", "Background from"}), ChangeNames(border->changes))
        << "each affected property is reported again when the trigger ends";
}

TEST_F(MarkupStyleTest, TheTriggerActivatedLastWins)
{
    auto border = StyledBorder("<Style x:Key=\"two\" TargetType=\"Border\"><Style.Triggers>"
                               "<Trigger Property=\"Tag\" Value=\"a\"><Trigger.Setters>"
                               "<Setter Property=\"Width\" Value=\"10\"/></Trigger.Setters></Trigger>"
                               "<Trigger Property=\"IsMouseOver\" Value=\"True\"><Trigger.Setters>"
                               "<Setter Property=\"Width\" Value=\"20\"/></Trigger.Setters></Trigger>"
                               "</Style.Triggers></Style>",
                               L"two");
    border->SetValue(CKitMarkupFrameworkElement::m_pTagProperty, CKitMarkupString::CreateValue(L"a"));
    EXPECT_EQ(10, WidthOf(border.Get()));
    border->SetValue(CKitMarkupInputElement::m_pIsMouseOverProperty, CKitMarkupBool::CreateTrueValue());
    EXPECT_EQ(20, WidthOf(border.Get()));
    border->SetValue(CKitMarkupInputElement::m_pIsMouseOverProperty, nullptr);
    EXPECT_EQ(10, WidthOf(border.Get())) << "the earlier trigger is still in force";

    border->SetValue(CKitMarkupFrameworkElement::m_pTagProperty, nullptr);
    border->SetValue(CKitMarkupInputElement::m_pIsMouseOverProperty, CKitMarkupBool::CreateTrueValue());
    border->SetValue(CKitMarkupFrameworkElement::m_pTagProperty, CKitMarkupString::CreateValue(L"a"));
    EXPECT_EQ(10, WidthOf(border.Get())) << "now the tag's trigger came last";
}

TEST_F(MarkupStyleTest, ImplicitStylesApplyToExactlyTheirType)
{
    BuildResult result = BuildMarkup(m_context.Get(),
                                     "<Canvas>"
                                     "<Canvas.Resources>"
                                     "<Style TargetType=\"Panel\"><Setter Property=\"Background\" Value=\"Red\"/></Style>"
                                     "<Style x:Key=\"blue\" TargetType=\"Panel\">"
                                     "<Setter Property=\"Background\" Value=\"Blue\"/></Style>"
                                     "</Canvas.Resources>"
                                     "<Panel/><StackPanel/><Panel Style=\"{StaticResource blue}\"/>"
                                     "</Canvas>");
    ASSERT_TRUE(result.root) << result.error;
    const CKitMarkupVisual* pCanvas = result.root.Get();
    CKitMarkupDependencyProperty* const kPanelBackground = CKitMarkupPanel::m_pBackgroundProperty;
    EXPECT_EQ(0x0000FFu, BackgroundOf(pCanvas->GetVisualChild(0), kPanelBackground)) << "the panel takes the implicit style";
    EXPECT_EQ(0xFFFFFFFFu, BackgroundOf(pCanvas->GetVisualChild(1), kPanelBackground)) << "a derived type does not";
    EXPECT_EQ(0xFF0000u, BackgroundOf(pCanvas->GetVisualChild(2), kPanelBackground)) << "a style given by name wins";
    EXPECT_EQ(0xFFFFFFFFu, BackgroundOf(pCanvas, kPanelBackground)) << "nor does the canvas that holds the resources";
}

TEST_F(MarkupStyleTest, HyperlinksLookLikeLinks)
{
    BuildResult result = BuildMarkup(m_context.Get(), "<TextBlock><Hyperlink>link</Hyperlink></TextBlock>");
    ASSERT_TRUE(result.root) << result.error;
    m_root = std::move(result.root);
    CKitMarkupInlineCollection* pInlines = static_cast<CKitMarkupSpan*>(
        static_cast<CKitMarkupInlineCollection*>(m_root->GetLogicalChild(0))->GetInline(0))->GetInlines();
    CKitMarkupInline* pRun = pInlines->GetInline(0);
    CKitMarkupObject* pLink = pRun->GetLogicalParent()->GetLogicalParent();
    ASSERT_NE(nullptr, MarkupDynamicCast<CKitMarkupHyperlink>(pLink));

    const auto foreground = [](const CKitMarkupObject* pObject) {
        const CKitMarkupBrush* pBrush =
            pObject->GetValueOf<CKitMarkupBrush>(CKitMarkupTextElement::m_pForegroundProperty);
        return pBrush != nullptr ? pBrush->GetSolidColor() : 0xFFFFFFFF;
    };
    EXPECT_EQ(0xFF0000u, foreground(pRun)) << "blue, flowing to the link's text";
    const CKitMarkupEnum* pDecorations =
        pRun->GetValueOf<CKitMarkupEnum>(CKitMarkupTextElement::m_pTextDecorationsProperty);
    ASSERT_NE(nullptr, pDecorations);
    EXPECT_EQ(CKitMarkupTextElement::decorationUnderline, pDecorations->GetValue());
    const CKitMarkupInt* pCursor = pLink->GetValueOf<CKitMarkupInt>(CKitMarkupInputElement::m_pCursorProperty);
    ASSERT_NE(nullptr, pCursor);
    EXPECT_EQ(32649, pCursor->GetValue());

    pLink->SetValue(CKitMarkupInputElement::m_pIsMouseOverProperty, CKitMarkupBool::CreateTrueValue());
    EXPECT_EQ(0x0000FFu, foreground(pRun)) << "red under the mouse";
    pLink->SetValue(CKitMarkupInputElement::m_pIsMouseOverProperty, nullptr);
    EXPECT_EQ(0xFF0000u, foreground(pRun));
}

} // namespace

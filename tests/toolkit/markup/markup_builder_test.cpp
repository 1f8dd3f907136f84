// The markup builder: trees from text, lengths, markup extensions, resources, styles, events and every error text.
#include "markup_test_support.h"

#include "toolkit/markup/markup_brushes.h"
#include "toolkit/markup/markup_framework_element.h"
#include "toolkit/markup/markup_style.h"
#include "toolkit/markup/markup_thickness.h"
#include "toolkit/markup/markup_values.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class MarkupBuilderTest : public ::testing::Test {
protected:
    void TearDown() override { EXPECT_EQ(1, m_context.References()) << "every element let its context go"; }

    BuildResult Build(const std::string& text) { return BuildMarkup(m_context.Get(), text); }

    // The root of a text that must build.
    CKitMarkupRef<CKitMarkupUIElement> BuildRoot(const std::string& text)
    {
        BuildResult result = Build(text);
        EXPECT_TRUE(result.root) << text << ": " << result.error;
        EXPECT_EQ("", result.error) << text;
        return std::move(result.root);
    }

    CTestMarkupContext m_context;
};

int IntValue(CKitMarkupObject* pObject, CKitMarkupDependencyProperty* pProperty)
{
    const CKitMarkupInt* pValue = MarkupDynamicCast<CKitMarkupInt>(pObject->GetValue(pProperty));
    return pValue != nullptr ? pValue->GetValue() : -1;
}

std::wstring TextValue(CKitMarkupObject* pObject, CKitMarkupDependencyProperty* pProperty)
{
    const CKitMarkupString* pValue = MarkupDynamicCast<CKitMarkupString>(pObject->GetValue(pProperty));
    return pValue != nullptr ? pValue->GetText() : L"(none)";
}

CKitMarkupBorder* ChildOf(CKitMarkupObject* pBorder)
{
    return MarkupDynamicCast<CKitMarkupBorder>(static_cast<CKitMarkupBorder*>(pBorder)->GetChild());
}

COLORREF BrushColor(CKitMarkupObject* pBrush)
{
    const CKitMarkupBrush* pValue = MarkupDynamicCast<CKitMarkupBrush>(pBrush);
    return pValue != nullptr ? pValue->GetSolidColor() : 0xFFFFFFFF;
}

TEST_F(MarkupBuilderTest, LengthsWithUnits)
{
    struct Case {
        const char* text;
        int pixels;
    };
    const Case cases[] = {
        {"2in", 192}, {"10pt", 13},       {"0.5in", 0}, {"Auto", 2147483647}, {"AUTO", 2147483647},
        {"1.5cm", 37}, {"5mm", 18},       {"12", 12},   {"-3", -3},           {"12px", 12},
        {"in", 0},    {"Autos", 0},
    };
    for (const Case& c : cases) {
        auto root = BuildRoot(std::string("<Border Width=\"") + c.text + "\"/>");
        ASSERT_TRUE(root) << c.text;
        EXPECT_EQ(c.pixels, IntValue(root.Get(), CKitMarkupFrameworkElement::m_pWidthProperty)) << c.text;
    }
}

TEST_F(MarkupBuilderTest, ErrorTexts)
{
    struct Case {
        const char* text;
        const char* error;
    };
    const Case cases[] = {
        {"", "Data at the root level is invalid"},
        {"x<Border/>", "Data at the root level is invalid"},
        {"<Border/><Border/>", "There are multiple root elements. Line 1, position 18"},
        {"<Border/>\r\n  <Border/>", "There are multiple root elements. Line 3, position 11"},
        {"<Foo/>", "The tag 'Foo' does not exist in XML namespace. Line 1, position 6"},
        {"<border/>", "The tag 'border' does not exist in XML namespace. Line 1, position 9"},
        {"<Border><Border.Background></Border.Background></Border>",
         "'Background' property does not have a value. Line 1, position 48"},
        {"<Border.Background/>", "The tag 'Border.Background' does not exist in XML namespace. Line 1, position 20"},
        {"<Border><Border.Nothing/></Border>",
         "The tag 'Border.Nothing' does not exist in XML namespace. Line 1, position 25"},
        {"<Border Foo=\"1\"/>", "The property 'Foo' does not exist in XML namespace. Line 1, position 16"},
        {"<Border Background=\"#F00\"/>",
         "Cannot convert string in attribute 'Background' to object of type 'CKitMarkupBrush'. Line 1, position 26"},
        {"<Border HorizontalAlignment=\"Middle\"/>",
         "Cannot convert string in attribute 'HorizontalAlignment' to object of type 'CKitMarkupEnum'. Line 1, "
         "position 37"},
        {"<Border></Bord>", "The 'Border' start tag does not match the end tag of 'Bord'. Line 1, position 16"},
        {"<Border>", "Unexpected end of file has occurred. The following elements are not closed: 'Border'. Line 1, "
                     "position 9"},
        {"<Border><Border>", "Unexpected end of file has occurred. The following elements are not closed: 'Border'. "
                             "Line 1, position 17"},
        {"<Border/></Border>", "Unexpected end tag. Line 1, position 19"},
        {"<Border/> x", "Data at the root level is invalid. Line 1, position 12"},
        {"<!-- only a comment -->", "Root element is missing. Line 1, position 24"},
        {"<Border", "Unexpected end of file has occurred.. Line 1, position 8"},
        {"<SolidColorBrush/>", "Root element have to be 'CKitMarkupUIElement' type"},
        {"<Border>text</Border>",
         "'CKitMarkupString' object cannot be added to 'CKitMarkupBorder'. Object cannot be converted to type "
         "'CKitMarkupUIElement'. Line 1, position 22"},
        {"<Border><Border/><Border/></Border>",
         "'CKitMarkupBorder' already has a child and cannot add 'CKitMarkupBorder'. 'CKitMarkupBorder' can accept "
         "only one child.. Line 1, position 27"},
        {"<Border><SolidColorBrush/></Border>",
         "'CKitMarkupSolidColorBrush' object cannot be added to 'CKitMarkupBorder'. Object cannot be converted to "
         "type 'CKitMarkupUIElement'. Line 1, position 27"},
        {"<Border><Border.Background><LinearGradientBrush>x</LinearGradientBrush></Border.Background></Border>",
         "'CKitMarkupString' object cannot be added to 'CKitMarkupGradientStops'. Object cannot be converted to "
         "type 'CKitMarkupGradientStop'. Line 1, position 72"},
        {"<Border><Border.Tag><Color>nocolour</Color></Border.Tag></Border>",
         "Cannot convert the string 'nocolour' into a 'CKitMarkupColor' object. Line 1, position 44"},
        {"<Border><Border.Tag><Setter>x</Setter></Border.Tag></Border>",
         "Cannot convert the string 'x' into a 'CKitMarkupSetter' object. Line 1, position 39"},
        {"<Border><Border.Tag><Setter><Border/></Setter></Border.Tag></Border>",
         "Cannot add content to an object of type 'CKitMarkupSetter'. Line 1, position 38"},
    };
    for (const Case& c : cases) {
        const BuildResult result = Build(c.text);
        EXPECT_FALSE(result.root) << c.text;
        EXPECT_EQ(c.error, result.error) << c.text;
    }
}

TEST_F(MarkupBuilderTest, MarkupExtensionErrors)
{
    struct Case {
        const char* value;
        const char* error;
    };
    const Case cases[] = {
        {"{x:Static Foo}", "Cannot find the static member  'Foo'"},
        {"{x:Static SystemColors.NoSuchColor}", "Cannot find the static member  'SystemColors.NoSuchColor'"},
        {"{x:Static SystemColors.Info}", "Cannot find the static member  'SystemColors.Info'"},
        {"{StaticResource missing}", "Cannot find resource named 'missing'. Resource names are case sensitive"},
        {"{DynamicResource {x:Static SystemColors.ControlColor}}",
         "Cannot find resource named '{x:Static SystemColors.ControlColor}'. Resource names are case sensitive"},
        {"{x:Type Foo}", "Cannot find type 'Foo'"},
        {"{Binding x}", "The tag 'Binding x' does not exist in XML namespace"},
        {"{x:Static SystemColors.ControlColor", "Markup extension expressions must end with '}'"},
    };
    for (const Case& c : cases) {
        const std::string text = std::string("<Border Tag=\"") + c.value + "\"/>";
        const BuildResult result = Build(text);
        EXPECT_FALSE(result.root) << text;
        const std::string expected = std::string(c.error) + ". Line 1, position " + std::to_string(text.size() - 1);
        EXPECT_EQ(expected, result.error) << text;
    }
}

TEST_F(MarkupBuilderTest, StaticMembersAreSystemColours)
{
    auto root = BuildRoot(
        "<Border Tag=\"{x:Static SystemColors.ScrollBarColor}\" "
        "Background=\"{x:Static SystemColors.ControlBrush}\" "
        "BorderBrush=\"{x:Static SystemColors.ContrBrush}\"/>");
    ASSERT_TRUE(root);
    const CKitMarkupColor* pColor =
        MarkupDynamicCast<CKitMarkupColor>(root->GetValue(CKitMarkupFrameworkElement::m_pTagProperty));
    ASSERT_NE(nullptr, pColor);
    EXPECT_EQ(::GetSysColor(0) | 0xFF000000, pColor->GetValue());
    EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), BrushColor(root->GetValue(CKitMarkupBorder::m_pBackgroundProperty)));
    EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), BrushColor(root->GetValue(CKitMarkupBorder::m_pBorderBrushProperty)))
        << "a name matches the first system colour that begins with it";
}

TEST_F(MarkupBuilderTest, MissingResourceKeysFallBackToSystemColours)
{
    auto root = BuildRoot(
        "<Border Background=\"{StaticResource {x:Static SystemColors.ControlBrushKey}}\">"
        "<Border Tag=\"{DynamicResource {x:Static SystemColors.HighlightColorKey}}\"/></Border>");
    ASSERT_TRUE(root);
    EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), BrushColor(root->GetValue(CKitMarkupBorder::m_pBackgroundProperty)));
    const CKitMarkupColor* pColor =
        MarkupDynamicCast<CKitMarkupColor>(ChildOf(root.Get())->GetValue(CKitMarkupFrameworkElement::m_pTagProperty));
    ASSERT_NE(nullptr, pColor);
    EXPECT_EQ(::GetSysColor(COLOR_HIGHLIGHT) | 0xFF000000, pColor->GetValue());
}

TEST_F(MarkupBuilderTest, ResourcesAreFoundFromTheInnermostElement)
{
    auto root = BuildRoot(
        "<Border>"
        "  <Border.Resources>"
        "    <SolidColorBrush x:Key=\"accent\" Color=\"Red\"/>"
        "    <SolidColorBrush x:Key=\"{x:Static SystemColors.ControlBrushKey}\" Color=\"Lime\"/>"
        "    <Color x:Key=\"{}{braced}\">#FF00FF00</Color>"
        "  </Border.Resources>"
        "  <Border Background=\"{StaticResource accent}\" BorderBrush=\"{StaticResource {x:Static "
        "SystemColors.ControlBrushKey}}\">"
        "    <Border.Resources><SolidColorBrush x:Key=\"accent\" Color=\"Blue\"/></Border.Resources>"
        "    <Border Background=\"{StaticResource  accent}\" Tag=\"{StaticResource {}{braced}}\"/>"
        "  </Border>"
        "</Border>");
    ASSERT_TRUE(root);
    CKitMarkupBorder* pMiddle = ChildOf(root.Get());
    ASSERT_NE(nullptr, pMiddle);
    EXPECT_EQ(0x0000FFu, BrushColor(pMiddle->GetValue(CKitMarkupBorder::m_pBackgroundProperty)))
        << "the middle border's own resources are set after its attributes";
    EXPECT_EQ(0x00FF00u, BrushColor(pMiddle->GetValue(CKitMarkupBorder::m_pBorderBrushProperty)))
        << "a resource stored under the key object of this build";
    CKitMarkupBorder* pInner = ChildOf(pMiddle);
    EXPECT_EQ(0xFF0000u, BrushColor(pInner->GetValue(CKitMarkupBorder::m_pBackgroundProperty)))
        << "the inner dictionary wins";
    const CKitMarkupColor* pBraced =
        MarkupDynamicCast<CKitMarkupColor>(pInner->GetValue(CKitMarkupFrameworkElement::m_pTagProperty));
    ASSERT_NE(nullptr, pBraced) << "a literal key in braces";
    EXPECT_EQ(0xFF00FF00u, pBraced->GetValue());

    const CKitMarkupResourceDictionary* pResources = MarkupDynamicCast<CKitMarkupResourceDictionary>(
        root->GetValue(CKitMarkupInputElement::m_pResourcesProperty));
    ASSERT_NE(nullptr, pResources);
    EXPECT_EQ(3, pResources->GetCount());
    CKitMarkupRef<CKitMarkupString> key(CKitMarkupString::CreateValue(L"accent"));
    EXPECT_EQ(pResources->GetValueAt(0), FindResource(root.Get(), key.Get()));
    EXPECT_EQ(0xFF0000u, BrushColor(FindResource(pInner, key.Get()))) << "the nearest dictionary answers";
}

TEST_F(MarkupBuilderTest, DictionaryKeysMustBeGivenAndUnique)
{
    EXPECT_EQ("Objects added to Dictionary must have Key attribute or some other type of associated Key. Line 1, "
              "position 45",
              Build("<Border><Border.Resources><SolidColorBrush/></Border.Resources></Border>").error);
    EXPECT_EQ("Dictionary key is already used. Key attributes must be unique.. Line 1, position 73",
              Build("<Border><Border.Resources><Color x:Key=\"a\"/><SolidColorBrush x:Key=\"a\"/>"
                    "</Border.Resources></Border>")
                  .error);
}

TEST_F(MarkupBuilderTest, AttributesAndPropertyElements)
{
    auto root = BuildRoot(
        "<Border xmlns=\"http://example\" xmlns:x=\"other\" x:Name=\"outer\" Tag=\"{}{not an extension}\" "
        "Margin=\"1,2,3,4\" KeyboardNavigation.TabIndex=\"3\" KeyboardNavigation.TabNavigation=\"cycle\">"
        "  <Border.Background>"
        "    <LinearGradientBrush StartPoint=\"0,0\" EndPoint=\"1 1\">"
        "      <GradientStop Color=\"Red\" Offset=\"0\"/>"
        "      <GradientStop Color=\"#800000FF\" Offset=\"1\"/>"
        "    </LinearGradientBrush>"
        "  </Border.Background>"
        "  <Border.BorderBrush>"
        "    <LinearGradientBrush><LinearGradientBrush.GradientStops><GradientStop Color=\"Lime\"/>"
        "    </LinearGradientBrush.GradientStops></LinearGradientBrush>"
        "  </Border.BorderBrush>"
        "</Border>");
    ASSERT_TRUE(root);
    EXPECT_EQ(L"outer", TextValue(root.Get(), CKitMarkupObject::m_pNameProperty));
    EXPECT_EQ(L"{not an extension}", TextValue(root.Get(), CKitMarkupFrameworkElement::m_pTagProperty));
    CKitMarkupThickness expectedMargin(1, 2, 3, 4);
    EXPECT_TRUE(expectedMargin.IsEqual(root->GetValue(CKitMarkupFrameworkElement::m_pMarginProperty)));
    EXPECT_EQ(3, IntValue(root.Get(), CKitMarkupKeyboardNavigation::m_pTabIndexProperty));
    const CKitMarkupEnum* pNavigation =
        MarkupDynamicCast<CKitMarkupEnum>(root->GetValue(CKitMarkupKeyboardNavigation::m_pTabNavigationProperty));
    ASSERT_NE(nullptr, pNavigation);
    EXPECT_EQ(2, pNavigation->GetValue());

    const CKitMarkupLinearGradientBrush* pGradient =
        MarkupDynamicCast<CKitMarkupLinearGradientBrush>(root->GetValue(CKitMarkupBorder::m_pBackgroundProperty));
    ASSERT_NE(nullptr, pGradient);
    ASSERT_EQ(2, pGradient->GetGradientStops()->GetCount());
    EXPECT_EQ(0xFF0000FFu, pGradient->GetGradientStops()->GetStop(0)->GetColor());
    EXPECT_EQ(0x80FF0000u, pGradient->GetGradientStops()->GetStop(1)->GetColor());
    EXPECT_EQ(1.0, pGradient->GetGradientStops()->GetStop(1)->GetOffset());
    EXPECT_EQ(1.0, pGradient->GetEndPoint()->m_y);
    EXPECT_EQ(0x0000FFu, pGradient->GetSolidColor());
    EXPECT_EQ(0x00FF00u, BrushColor(root->GetValue(CKitMarkupBorder::m_pBorderBrushProperty)));

    // Text inside a property element is converted when the element ends.
    auto textBrush = BuildRoot("<Border><Border.BorderBrush> Lime </Border.BorderBrush></Border>");
    EXPECT_EQ(0x00FF00u, BrushColor(textBrush->GetValue(CKitMarkupBorder::m_pBorderBrushProperty)));

    // Reading the tab index where it is not set gives its default.
    auto plain = BuildRoot("<FrameworkElement/>");
    EXPECT_EQ(2147483647, IntValue(plain.Get(), CKitMarkupKeyboardNavigation::m_pTabIndexProperty));
}

TEST_F(MarkupBuilderTest, TextContentJoinsWordsWithSingleSpaces)
{
    struct Case {
        const char* content;
        const wchar_t* text;
    };
    const Case cases[] = {
        {"  two    words  ", L"two words"},
        {"a&amp;b", L"a&b"},
        {"\r\n\ta\r\n\tb\r\n", L"a b"},
        {"x<!-- comment -->y", L"xy"},
        {"x <![CDATA[ignored]]> y", L"x y"},
    };
    for (const Case& c : cases) {
        auto root = BuildRoot(std::string("<Border><Border.Tag>") + c.content + "</Border.Tag></Border>");
        ASSERT_TRUE(root) << c.content;
        EXPECT_EQ(c.text, TextValue(root.Get(), CKitMarkupFrameworkElement::m_pTagProperty)) << c.content;
    }
}

TEST_F(MarkupBuilderTest, Utf8DeclarationSwitchesTheRestOfTheInput)
{
    const std::string tail = "<Border Tag=\"\xC3\xA9\"/>";
    auto utf8 = BuildRoot("<?xml version=\"1.0\" encoding=\"utf-8\"?>" + tail);
    ASSERT_TRUE(utf8);
    EXPECT_EQ(L"\u00E9", TextValue(utf8.Get(), CKitMarkupFrameworkElement::m_pTagProperty));
    auto upper = BuildRoot("<?xml version=\"1.0\" encoding=\"UTF-8\"?>" + tail);
    ASSERT_TRUE(upper);
    EXPECT_EQ(2u, TextValue(upper.Get(), CKitMarkupFrameworkElement::m_pTagProperty).size())
        << "the upper-case spelling leaves the system code page";
    auto spaced = BuildRoot("<?xml version=\"1.0\" encoding = 'utf-8' ?>" + tail);
    ASSERT_TRUE(spaced);
    EXPECT_EQ(L"\u00E9", TextValue(spaced.Get(), CKitMarkupFrameworkElement::m_pTagProperty));
}

TEST_F(MarkupBuilderTest, NestingIsBounded)
{
    const auto nested = [](int depth) {
        std::string text;
        for (int i = 0; i < depth; ++i)
            text += "<Border>";
        for (int i = 0; i < depth; ++i)
            text += "</Border>";
        return text;
    };
    auto deepest = BuildRoot(nested(kMarkupMaxNestingDepth));
    EXPECT_TRUE(deepest);
    const BuildResult tooDeep = Build(nested(kMarkupMaxNestingDepth + 1));
    EXPECT_FALSE(tooDeep.root);
    EXPECT_EQ("The elements are nested deeper than 256 levels. Line 1, position " +
                  std::to_string(8 * (kMarkupMaxNestingDepth + 1) + 1),
              tooDeep.error);

    std::string key = "x";
    for (int i = 0; i < 40; ++i)
        key = "{StaticResource " + key + "}";
    const BuildResult deepKey = Build("<Border Tag=\"" + key + "\"/>");
    EXPECT_FALSE(deepKey.root);
    EXPECT_EQ(0u, deepKey.error.find("The markup extensions are nested deeper than 16 levels. Line 1")) << deepKey.error;
}

TEST_F(MarkupBuilderTest, StylesFromResourcesAndTriggers)
{
    auto root = BuildRoot(
        "<Border>"
        "  <Border.Resources>"
        "    <Style TargetType=\"Border\">"
        "      <Setter Property=\"Width\" Value=\"10\"/>"
        "      <Setter Property=\"Background\" Value=\"Red\"/>"
        "      <Style.Triggers>"
        "        <Trigger Property=\"Tag\" Value=\"wide\">"
        "          <Trigger.Setters><Setter Property=\"Width\" Value=\"1in\"/></Trigger.Setters>"
        "        </Trigger>"
        "      </Style.Triggers>"
        "    </Style>"
        "    <Style x:Key=\"tall\" BasedOn=\"{StaticResource {x:Type Border}}\">"
        "      <Setter Property=\"FrameworkElement.Height\" Value=\"20\"/>"
        "      <Setter Property=\"Border.Background\" Value=\"Blue\"/>"
        "    </Style>"
        "  </Border.Resources>"
        "  <Border Tag=\"wide\">"
        "    <Border Style=\"{StaticResource tall}\"/>"
        "  </Border>"
        "</Border>");
    ASSERT_TRUE(root);
    CKitMarkupBorder* pWide = ChildOf(root.Get());
    CKitMarkupBorder* pTall = ChildOf(pWide);
    ASSERT_NE(nullptr, pTall);

    EXPECT_EQ(10, IntValue(root.Get(), CKitMarkupFrameworkElement::m_pWidthProperty)) << "implicit style by type";
    EXPECT_EQ(0x0000FFu, BrushColor(root->GetValue(CKitMarkupBorder::m_pBackgroundProperty)));
    EXPECT_EQ(96, IntValue(pWide, CKitMarkupFrameworkElement::m_pWidthProperty)) << "the trigger is in force";
    EXPECT_EQ(10, IntValue(pTall, CKitMarkupFrameworkElement::m_pWidthProperty)) << "based-on value";
    EXPECT_EQ(20, IntValue(pTall, CKitMarkupFrameworkElement::m_pHeightProperty));
    EXPECT_EQ(0xFF0000u, BrushColor(pTall->GetValue(CKitMarkupBorder::m_pBackgroundProperty)))
        << "the derived style's setter overrides its base";

    // Changing the trigger's property ends the trigger; setting it back starts it again.
    pWide->SetValue(CKitMarkupFrameworkElement::m_pTagProperty, CKitMarkupString::CreateValue(L"narrow"));
    EXPECT_EQ(10, IntValue(pWide, CKitMarkupFrameworkElement::m_pWidthProperty));
    pWide->SetValue(CKitMarkupFrameworkElement::m_pTagProperty, CKitMarkupString::CreateValue(L"wide"));
    EXPECT_EQ(96, IntValue(pWide, CKitMarkupFrameworkElement::m_pWidthProperty));
    // A local value wins over style and trigger.
    pWide->SetValue(CKitMarkupFrameworkElement::m_pWidthProperty, new CKitMarkupInt(5));
    EXPECT_EQ(5, IntValue(pWide, CKitMarkupFrameworkElement::m_pWidthProperty));
}

TEST_F(MarkupBuilderTest, SetterErrors)
{
    struct Case {
        const char* setter;
        const char* error;
    };
    const Case cases[] = {
        {"<Setter/>", "Must specify both Property and Value for Setter."},
        {"<Setter Property=\"Width\"/>", "Must specify both Property and Value for Setter."},
        {"<Setter Property=\"Nothing\" Value=\"1\"/>", "Cannot find the Style Property 'Nothing'"},
        {"<Setter Property=\"Background\" Value=\"#12\"/>",
         "Cannot convert string in attribute 'Background' to object of type 'CKitMarkupBrush'"},
    };
    for (const Case& c : cases) {
        const std::string text =
            std::string("<Border><Border.Style><Style TargetType=\"Border\">") + c.setter + "</Style></Border.Style></Border>";
        const BuildResult result = Build(text);
        EXPECT_FALSE(result.root) << text;
        EXPECT_EQ(0u, result.error.find(std::string(c.error) + ". Line 1, position ")) << result.error;
    }
}

// Records the elements a handler was called for.
class CRecordingDelegate : public CKitMarkupDelegate {
public:
    void Invoke(CKitMarkupObject* pSender, CKitMarkupRoutedEventArgs* pArgs) override
    {
        senders.push_back(pSender);
        if (handles)
            pArgs->m_bHandled = TRUE;
    }

    std::vector<CKitMarkupObject*> senders;
    bool handles = false;
};

TEST_F(MarkupBuilderTest, EventAttributesNameDelegates)
{
    CKitMarkupRef<CRecordingDelegate> onEnter(new CRecordingDelegate());
    m_context.Get()->RegisterDelegate(L"OnEnter", onEnter.Get());
    auto root = BuildRoot("<Border MouseEnter=\"OnEnter\"/>");
    ASSERT_TRUE(root);
    CKitMarkupMouseEventArgs args(CKitMarkupInputElement::m_pMouseEnterEvent, root.Get(), nullptr, 1, 2);
    root->RaiseEvent(&args);
    ASSERT_EQ(1u, onEnter->senders.size());
    EXPECT_EQ(root.Get(), onEnter->senders[0]);

    EXPECT_EQ("'OnLeave' delegate not found. Line 1, position 29", Build("<Border MouseLeave=\"OnLeave\"/>").error);

    // A builder without a markup context makes elements that have none.
    CKitMarkupBuilder builder(nullptr);
    const std::string text = "<Border MouseEnter=\"OnEnter\"/>";
    CKitMarkupParser parser;
    parser.SetInput(text.data(), text.data() + text.size());
    EXPECT_EQ(nullptr, builder.Parse(&parser));
    EXPECT_STREQ("Markup Context is NULL. Line 1, position 29", builder.GetErrorText());
}

TEST_F(MarkupBuilderTest, BubblingEventsStopWhenHandled)
{
    static CKitMarkupRoutedEvent* pBubble = CKitMarkupRoutedEvent::RegisterRoutedEvent(
        L"TestBubble", CKitMarkupRoutedEvent::routingBubble, MARKUP_TYPE(CKitMarkupInputElement));
    CKitMarkupRef<CRecordingDelegate> outerHandler(new CRecordingDelegate());
    CKitMarkupRef<CRecordingDelegate> contextHandler(new CRecordingDelegate());
    m_context.Get()->RegisterDelegate(L"Outer", outerHandler.Get());
    m_context.Get()->AddHandler(pBubble, contextHandler.Get());
    auto root = BuildRoot("<Border TestBubble=\"Outer\"><Border><Border/></Border></Border>");
    ASSERT_TRUE(root);
    CKitMarkupBorder* pInner = ChildOf(ChildOf(root.Get()));

    CKitMarkupRoutedEventArgs bubbling(pBubble, pInner);
    pInner->RaiseEvent(&bubbling);
    ASSERT_EQ(1u, outerHandler->senders.size());
    EXPECT_EQ(root.Get(), outerHandler->senders[0]) << "each handler hears its own element as sender";
    ASSERT_EQ(1u, contextHandler->senders.size());
    EXPECT_EQ(pInner, contextHandler->senders[0]) << "the context hears the element the event was raised on";

    outerHandler->handles = true;
    CKitMarkupRoutedEventArgs handled(pBubble, pInner);
    pInner->RaiseEvent(&handled);
    EXPECT_EQ(2u, outerHandler->senders.size());
    EXPECT_EQ(1u, contextHandler->senders.size()) << "a handled event does not reach the context";

    // Direct events never reach the context's handlers.
    m_context.Get()->AddHandler(CKitMarkupInputElement::m_pMouseMoveEvent, contextHandler.Get());
    CKitMarkupMouseEventArgs direct(CKitMarkupInputElement::m_pMouseMoveEvent, pInner, nullptr, 0, 0);
    pInner->RaiseEvent(&direct);
    EXPECT_EQ(1u, contextHandler->senders.size());
}

} // namespace

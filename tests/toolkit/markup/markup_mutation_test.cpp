// Damaged and hostile markup texts: every case ends with a tree or an error text; nothing crashes,
// hangs, leaks an element or allocates beyond a bound of the text's size; every tree lays out and draws.
#include "markup_test_support.h"

#include "framework/handles.h"
#include "toolkit/common/image_manager.h"
#include "toolkit/markup/markup_drawing_context.h"
#include "toolkit/markup/markup_framework_element.h"
#include "toolkit/markup/markup_style.h"
#include "toolkit/markup/markup_values.h"

#include "support/largest_allocation.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <unordered_set>
#include <vector>

namespace {

constexpr uint32_t kRandomSeed = 20240611;
constexpr int kRandomCases = 3000;

// Markup with a declaration, comments, CDATA, resources, styles, triggers,
// gradients, entities, attached properties and markup extensions.
const char kSeed[] =
    "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n"
    "<!-- a tooltip -->\r\n"
    "<Border xmlns=\"http://example\" xmlns:x=\"x\" x:Name=\"root\" Width=\"2in\" Height=\"Auto\" "
    "Margin=\"1,2,3,4\" Padding=\"10pt\" KeyboardNavigation.TabIndex=\"3\">\r\n"
    "  <Border.Resources>\r\n"
    "    <SolidColorBrush x:Key=\"accent\" Color=\"#80FF0000\"/>\r\n"
    "    <Style TargetType=\"Border\">\r\n"
    "      <Setter Property=\"Width\" Value=\"1.5cm\"/>\r\n"
    "      <Style.Triggers>\r\n"
    "        <Trigger Property=\"Tag\" Value=\"hot\">\r\n"
    "          <Trigger.Setters><Setter Property=\"Background\" Value=\"Red\"/></Trigger.Setters>\r\n"
    "        </Trigger>\r\n"
    "      </Style.Triggers>\r\n"
    "    </Style>\r\n"
    "    <Style x:Key=\"tall\" BasedOn=\"{StaticResource {x:Type Border}}\">\r\n"
    "      <Setter Property=\"FrameworkElement.Height\" Value=\"20\"/>\r\n"
    "    </Style>\r\n"
    "  </Border.Resources>\r\n"
    "  <Border.Background>\r\n"
    "    <LinearGradientBrush StartPoint=\"0,0\" EndPoint=\"1 1\">\r\n"
    "      <GradientStop Color=\"Red\" Offset=\"0\"/><GradientStop Color=\"{x:Static SystemColors.ControlColor}\" "
    "Offset=\"1\"/>\r\n"
    "    </LinearGradientBrush>\r\n"
    "  </Border.Background>\r\n"
    "  <Border Tag=\"hot\" BorderBrush=\"{StaticResource accent}\" "
    "Background=\"{DynamicResource {x:Static SystemColors.WindowBrushKey}}\">\r\n"
    "    <Border Style=\"{StaticResource tall}\" HorizontalAlignment=\"Center\" Visibility=\"Visible\">\r\n"
    "      <Border.Tag>a&amp;b &#65;&#x42; &nbsp; caf\xC3\xA9 <![CDATA[<raw>]]></Border.Tag>\r\n"
    "      <Canvas Background=\"White\"><Border Canvas.Left=\"5\" Canvas.Bottom=\"2\" Width=\"30\" Height=\"9\" "
    "BorderThickness=\"2,1,0,3\" CornerRadius=\"4\" BorderBrush=\"Navy\" Background=\"Red\"/></Canvas>\r\n"
    "    </Border>\r\n"
    "  </Border>\r\n"
    "</Border>\r\n";

// Text, a grid and panels: inlines, spans, a hyperlink, an element in the text,
// wrapping, trimming and justification, definitions and attached cells.
const char kLayoutSeed[] =
    "<DockPanel LastChildFill=\"True\">\r\n"
    "  <TextBlock DockPanel.Dock=\"Top\" TextWrapping=\"Wrap\" TextAlignment=\"Justify\" Padding=\"2,1,2,1\""
    " FontSize=\"9pt\" Foreground=\"Navy\">One <Bold>two <Italic>three</Italic></Bold>&#13;&#10;"
    "<Hyperlink>four</Hyperlink><LineBreak/>fi<Underline>ve</Underline> "
    "<Span BaselineAlignment=\"Subscript\" TextDecorations=\"Strikethrough\">six</Span>"
    "<InlineUIContainer><Border Width=\"8\" Height=\"8\" Background=\"Red\"/></InlineUIContainer>"
    "<Run Text=\"seven\" FontFamily=\"Courier New\" FontWeight=\"Black\"/></TextBlock>\r\n"
    "  <StackPanel DockPanel.Dock=\"Bottom\" Orientation=\"Horizontal\"><Border Width=\"5\"/>"
    "<TextBlock TextTrimming=\"WordEllipsis\" Width=\"30\">a long trimmed line</TextBlock></StackPanel>\r\n"
    "  <WrapPanel DockPanel.Dock=\"Right\" ItemWidth=\"7\"><Border Height=\"3\"/><Border Height=\"4\"/></WrapPanel>\r\n"
    "  <UniformGrid DockPanel.Dock=\"Left\" Columns=\"2\" FirstColumn=\"1\"><Border/><Border Visibility=\"Collapsed\"/>"
    "<Border/></UniformGrid>\r\n"
    "  <Grid>\r\n"
    "    <Grid.ColumnDefinitions><ColumnDefinition Width=\"Auto\"/><ColumnDefinition Width=\"2*\" MinWidth=\"3\"/>"
    "<ColumnDefinition Width=\"12\" MaxWidth=\"9\"/></Grid.ColumnDefinitions>\r\n"
    "    <Grid.RowDefinitions><RowDefinition Height=\"*\"/><RowDefinition Height=\"Auto\"/></Grid.RowDefinitions>\r\n"
    "    <TextBlock Grid.ColumnSpan=\"2\" TextWrapping=\"WrapWithOverflow\">Wide words wrap</TextBlock>\r\n"
    "    <Border Grid.Row=\"1\" Grid.Column=\"2\" Grid.RowSpan=\"3\" Width=\"20\" Background=\"Blue\"/>\r\n"
    "  </Grid>\r\n"
    "</DockPanel>\r\n";

// Pieces that damaged texts get spliced in.
const char* const kFragments[] = {
    "<", ">", "/>", "</Border>", "<Border>", "&", "&#x41;", "&#", "{", "}", "\"", "'", "=", "<!--", "-->",
    "<![CDATA[", "]]>", "<?", "?>", ".", "x:", "{StaticResource accent}", "\xC3", "\xE2\x82", " ", "\r\n",
    "<Border.Tag>", "</Border.Tag>", "<Style>", "<Setter Property=\"Tag\" Value=\"x\"/>", "{x:Type Border}",
    "<Canvas>", "</Canvas>", " Canvas.Right=\"-7\"", " MaxHeight=\"3\"", " Visibility=\"Collapsed\"",
    "<Bold>", "</Bold>", "<LineBreak/>", "&#10;", "&#13;", "<Run>", "</Run>", "<Span>", "</Span>",
    " TextWrapping=\"Wrap\"", " TextTrimming=\"CharacterEllipsis\"", " Grid.Column=\"-4\"", " Grid.RowSpan=\"99\"",
    "<TextBlock>", "</TextBlock>", " FontSize=\"0\"", " Width=\"1\"", "<Grid>", "</Grid>",
};

// Deterministic pseudo-random numbers.
class CRandom {
public:
    explicit CRandom(uint32_t seed) : m_state(seed) {}
    uint32_t Next(uint32_t bound)
    {
        m_state = m_state * 1664525u + 1013904223u;
        return (m_state >> 8) % bound;
    }

private:
    uint32_t m_state;
};

// Visits every object reachable from the tree once: logical children and local values.
int CountObjects(CKitMarkupObject* pObject, std::unordered_set<CKitMarkupObject*>& seen)
{
    if (pObject == nullptr || !seen.insert(pObject).second)
        return 0;
    int count = 1;
    for (int i = 0; i < pObject->GetLogicalChildrenCount(); ++i)
        count += CountObjects(pObject->GetLogicalChild(i), seen);
    for (int index = 0; index < CKitMarkupDependencyProperty::GetPropertyCount(); ++index) {
        if (CKitMarkupDependencyProperty* pProperty = CKitMarkupDependencyProperty::GetPropertyAt(index))
            count += CountObjects(pObject->GetLocalValue(pProperty), seen);
    }
    return count;
}

class MarkupMutationTest : public ::testing::Test {
protected:
    MarkupMutationTest()
        : m_bitmap(CKitImageManager::Create32BitDIBSection(nullptr, kPicture, kPicture)),
          m_memory(::CreateCompatibleDC(nullptr)),
          m_select(m_memory.Get(), m_bitmap.Get())
    {
    }

    // Lays the tree out and draws it, as a host would.
    void Draw(CKitMarkupUIElement* pRoot)
    {
        {
            CKitMarkupDrawingContext measure(m_context.Get());
            pRoot->Measure(&measure, kPicture, kPicture);
        }
        pRoot->Arrange({0, 0, kPicture, kPicture});
        CKitMarkupDrawingContext dc(m_context.Get(), m_memory.Get());
        pRoot->Render(&dc);
        pRoot->InputHitTest({kPicture / 2, kPicture / 2});
    }

    // Builds the text and checks the outcome; true when it gave a tree.
    bool Check(const std::string& text, const std::string& what)
    {
        LargestAllocation allocation;
        bool built = false;
        {
            const BuildResult result = BuildMarkup(m_context.Get(), text);
            built = static_cast<bool>(result.root);
            if (built) {
                EXPECT_EQ("", result.error) << what;
                std::unordered_set<CKitMarkupObject*> seen;
                EXPECT_GT(CountObjects(result.root.Get(), seen), 0) << what;
                Draw(result.root.Get());
            } else {
                EXPECT_NE("", result.error) << what;
            }
        }
        EXPECT_EQ(1, m_context.References()) << what << ": an element outlived its tree";
        EXPECT_LT(allocation.Bytes(), 8 * text.size() + 65536) << what;
        return built;
    }

    // Truncations, byte replacements and random edits of a seed that builds; the number of trees.
    int Mutate(const std::string& seed)
    {
        EXPECT_TRUE(Check(seed, "intact"));

        int built = 0;
        for (size_t length = 0; length < seed.size(); ++length)
            built += Check(seed.substr(0, length), "truncated to " + std::to_string(length));

        const char replacements[] = {'\0', '<', '>', '"', '&', '/', '{', '}', '.', '\xFF', ' ', '='};
        for (size_t position = 0; position < seed.size(); position += 3) {
            for (const char replacement : replacements) {
                std::string damaged = seed;
                damaged[position] = replacement;
                built += Check(damaged, "byte " + std::to_string(position) + " replaced");
            }
        }

        CRandom random(kRandomSeed);
        for (int i = 0; i < kRandomCases; ++i) {
            std::string damaged = seed;
            const int edits = 1 + static_cast<int>(random.Next(4));
            for (int edit = 0; edit < edits; ++edit) {
                const size_t position = random.Next(static_cast<uint32_t>(damaged.size() + 1));
                switch (random.Next(4)) {
                case 0:
                    damaged.insert(position, kFragments[random.Next(std::size(kFragments))]);
                    break;
                case 1:
                    damaged.erase(position, random.Next(40));
                    break;
                case 2:
                    damaged.insert(position, damaged.substr(random.Next(static_cast<uint32_t>(damaged.size())),
                                                            random.Next(200)));
                    break;
                default:
                    if (position < damaged.size())
                        damaged[position] = static_cast<char>(random.Next(256));
                    break;
                }
            }
            built += Check(damaged, "random case " + std::to_string(i));
        }
        return built;
    }

    static constexpr int kPicture = 64;
    CTestMarkupContext m_context;
    ScopedGdiObject<HBITMAP> m_bitmap;
    ScopedMemoryDC m_memory;
    ScopedSelectObject m_select;
};

TEST_F(MarkupMutationTest, DamagedTextsEndWithATreeOrAnError)
{
    EXPECT_GT(Mutate(kSeed), 0);
}

TEST_F(MarkupMutationTest, DamagedLayoutsEndWithATreeOrAnError)
{
    EXPECT_GT(Mutate(kLayoutSeed), 0);
}

TEST_F(MarkupMutationTest, HostileTextsAreRefused)
{
    const auto repeat = [](const std::string& piece, int count) {
        std::string text;
        text.reserve(piece.size() * static_cast<size_t>(count));
        for (int i = 0; i < count; ++i)
            text += piece;
        return text;
    };
    struct Case {
        std::string name;
        std::string text;
        bool builds;
    };
    const Case cases[] = {
        {"deep elements", repeat("<Border>", 100000), false},
        {"deep property elements", "<Border>" + repeat("<Border.Tag><Border>", 50000), false},
        {"deep markup extensions",
         "<Border Tag=\"" + repeat("{StaticResource ", 20000) + "x" + repeat("}", 20000) + "\"/>", false},
        {"long entity", "<Border Tag=\"&" + std::string(100000, 'a') + ";\"/>", true},
        {"long word", "<Border><Border.Tag>" + std::string(1 << 20, 'w') + "</Border.Tag></Border>", true},
        {"long tag name", "<" + std::string(200000, 'T') + "/>", false},
        {"long comment", "<!--" + std::string(1 << 20, '-') + "--><Border/>", true},
        {"many attributes", "<Border" + repeat(" Tag=\"x\"", 20000) + "/>", true},
        {"many whitespace runs", "<Border><Border.Tag>" + repeat("a ", 200000) + "</Border.Tag></Border>", true},
        {"unclosed quote", "<Border Tag=\"" + std::string(100000, 'q'), false},
        {"unclosed comment", "<Border>" + repeat("<!--", 50000), false},
        {"long text in an unbounded wrapped block",
         "<Canvas><TextBlock TextWrapping=\"Wrap\">" + repeat("word ", 100000) + "</TextBlock></Canvas>", true},
        {"long word in a narrow wrapped block",
         "<TextBlock TextWrapping=\"Wrap\" Width=\"60\">" + std::string(20000, 'w') + "</TextBlock>", true},
        {"long trimmed line", "<TextBlock TextTrimming=\"WordEllipsis\">" + repeat("ab ", 100000) + "</TextBlock>",
         true},
        {"many spans", "<TextBlock>" + repeat("<Span>x", 200) + repeat("</Span>", 200) + "</TextBlock>", true},
        {"grid cells far out",
         "<Grid><Grid.ColumnDefinitions><ColumnDefinition Width=\"Auto\"/><ColumnDefinition Width=\"99999*\"/>"
         "</Grid.ColumnDefinitions><Border Grid.Column=\"2147483647\" Grid.ColumnSpan=\"2147483647\" Width=\"5\"/>"
         "<Border Grid.Row=\"-2147483648\" Grid.RowSpan=\"-1\"/></Grid>",
         true},
        {"uniform grid of extremes", "<UniformGrid Columns=\"2147483647\" FirstColumn=\"2147483646\"><Border/></UniformGrid>",
         true},
        {"extreme sizes",
         "<Canvas><Border Canvas.Left=\"2147483647\" Canvas.Top=\"-2147483648\" Width=\"2147483646\""
         " Margin=\"2147483647,-2147483648,2147483647,-2147483648\" BorderThickness=\"2147483647\""
         " Padding=\"-2147483648\" BorderBrush=\"Red\" Background=\"Blue\"/>"
         "<Border Canvas.Right=\"-2147483648\" Canvas.Bottom=\"2147483647\" Height=\"99999999in\""
         " MinWidth=\"-5\" CornerRadius=\"2147483647\" BorderThickness=\"3\" BorderBrush=\"Red\">"
         "<Border.Background><LinearGradientBrush EndPoint=\"1000000000,0\"><GradientStop Color=\"Red\"/>"
         "<GradientStop Color=\"Blue\" Offset=\"1\"/></LinearGradientBrush></Border.Background></Border>"
         "</Canvas>",
         true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.builds, Check(c.text, c.name)) << c.name;
}

TEST_F(MarkupMutationTest, LongBasedOnChainsSealWithoutRecursion)
{
    constexpr int kStyles = 5000;
    std::string text = "<Border><Border.Resources><Style x:Key=\"s0\"><Setter Property=\"Border.Tag\" Value=\"0\"/>"
                       "<Style.Triggers><Trigger Property=\"Border.Width\" Value=\"7\"><Trigger.Setters>"
                       "<Setter Property=\"Border.Height\" Value=\"9\"/></Trigger.Setters></Trigger></Style.Triggers>"
                       "</Style>";
    for (int i = 1; i < kStyles; ++i)
        text += "<Style x:Key=\"s" + std::to_string(i) + "\" BasedOn=\"{StaticResource s" + std::to_string(i - 1) +
                "}\"/>";
    text += "</Border.Resources><Border Width=\"7\" Style=\"{StaticResource s" + std::to_string(kStyles - 1) +
            "}\"/></Border>";
    const BuildResult result = BuildMarkup(m_context.Get(), text);
    ASSERT_TRUE(result.root) << result.error;
    CKitMarkupBorder* pInner = static_cast<CKitMarkupBorder*>(
        static_cast<CKitMarkupBorder*>(result.root.Get())->GetChild());
    ASSERT_NE(nullptr, pInner);
    const CKitMarkupString* pTag =
        MarkupDynamicCast<CKitMarkupString>(pInner->GetValue(CKitMarkupFrameworkElement::m_pTagProperty));
    ASSERT_NE(nullptr, pTag);
    EXPECT_STREQ(L"0", pTag->GetText());
    const CKitMarkupInt* pHeight =
        MarkupDynamicCast<CKitMarkupInt>(pInner->GetValue(CKitMarkupFrameworkElement::m_pHeightProperty));
    ASSERT_NE(nullptr, pHeight) << "the trigger of the most basic style is in force";
    EXPECT_EQ(9, pHeight->GetValue());
}

} // namespace

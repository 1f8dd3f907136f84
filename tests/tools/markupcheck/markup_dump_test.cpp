// markupcheck's text: the tree of a fixture, error texts, shared objects printed once.
#include "tools/markupcheck/markup_dump.h"

#include "support/test_dirs.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

namespace {

std::string ReadFixture(const char* name)
{
    std::ifstream file(std::string(TestSourceDir()) + "\\tests\\tools\\markupcheck\\fixtures\\" + name,
                       std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

// A system colour as the tool prints it.
std::string SystemColorText(int index)
{
    const COLORREF clr = ::GetSysColor(index);
    char text[16];
    std::snprintf(text, sizeof(text), "#FF%02X%02X%02X", GetRValue(clr), GetGValue(clr), GetBValue(clr));
    return text;
}

TEST(MarkupCheck, PrintsTheTreeOfAFixture)
{
    std::string out;
    EXPECT_EQ(0, CheckMarkupText(ReadFixture("tooltip.xml").c_str(), out));
    const std::string expected =
        "<Border> Name=\"tip\" KeyboardNavigation.TabIndex=3 Width=192 Padding=13,13,13,13\n"
        "  <Border.Resources>\n"
        "    <SolidColorBrush> Key=\"accent\" Color=#80FF0000\n"
        "    <Style> TargetType={x:Type Border}\n"
        "      <Setter> Property=Margin Value=1,2,3,4\n"
        "  <Border.Background>\n"
        "    <LinearGradientBrush> StartPoint=0,0 EndPoint=0.5,1\n"
        "      <LinearGradientBrush.GradientStops>\n"
        "        <GradientStop> Color=#FFFFFFFF Offset=0\n"
        "        <GradientStop> Color=" + SystemColorText(COLOR_BTNFACE) + " Offset=1\n"
        "  <Border> Tag=\"caf\xE9 & \\\"bar\\\"\"\n"
        "    <Border.BorderBrush>\n"
        "      <SolidColorBrush> ...\n";
    EXPECT_EQ(expected, out);
}

TEST(MarkupCheck, ValuesAndErrors)
{
    struct Case {
        const char* text;
        int result;
        const char* out;
    };
    const Case cases[] = {
        {"<FrameworkElement Tag=\"a\tb\\c\" Visibility=\"Collapsed\" IsEnabled=\"false\"/>", 0,
         "<FrameworkElement> Visibility=2 IsEnabled=False Tag=\"a\\x09b\\\\c\"\n"},
        {"<Border><Border.Tag><DoubleCollection>1</DoubleCollection></Border.Tag></Border>", 1,
         "Cannot convert the string '1' into a 'CKitMarkupDoubleCollection' object. Line 1, position 59\n"},
        {"<Border><Border.Tag><Color>#7F102030</Color></Border.Tag></Border>", 0,
         "<Border> Tag=#7F102030\n"},
        {"<Foo/>", 1, "The tag 'Foo' does not exist in XML namespace. Line 1, position 6\n"},
        {"x<Border/>", 1, "Data at the root level is invalid\n"},
        {"<Grid><Grid.ColumnDefinitions><ColumnDefinition Width=\"Auto\"/><ColumnDefinition Width=\"2.5*\"/>"
         "<ColumnDefinition MinWidth=\"10\" Width=\"*\"/><ColumnDefinition Width=\"40\"/></Grid.ColumnDefinitions>"
         "<Polygon Points=\"0,0 10,0 10,-10\"/></Grid>",
         0,
         "<Grid>\n"
         "  <Grid.ColumnDefinitions>\n"
         "    <ColumnDefinition> Width=Auto\n"
         "    <ColumnDefinition> Width=2.5*\n"
         "    <ColumnDefinition> Width=* MinWidth=10\n"
         "    <ColumnDefinition> Width=40\n"
         "  <Polygon> Points=0,0 10,0 10,-10\n"},
        {"<TextBlock FontSize=\"12pt\">Hi <Bold>there</Bold><LineBreak/></TextBlock>", 0,
         "<TextBlock> TextElement.FontSize=16\n"
         "  <Run> Text=\"Hi \"\n"
         "  <Bold> TextElement.FontWeight=700\n"
         "    <Run> Text=\"there\"\n"
         "  <LineBreak> Text=\"\\x0A\"\n"},
    };
    for (const Case& c : cases) {
        std::string out;
        EXPECT_EQ(c.result, CheckMarkupText(c.text, out)) << c.text;
        EXPECT_EQ(c.out, out) << c.text;
    }
}

} // namespace

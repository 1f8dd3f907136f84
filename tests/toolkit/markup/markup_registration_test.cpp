// The registered vocabulary: element names, the class tree, the properties of each type, and that every element name builds.
#include "markup_test_support.h"

#include "toolkit/markup/markup_grid.h"
#include "toolkit/markup/markup_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

namespace {

class MarkupRegistrationTest : public ::testing::Test {
protected:
    CTestMarkupContext m_context;
};

std::string Narrow(LPCWSTR lpszText)
{
    return std::string((LPCSTR)MarkupNarrow(lpszText));
}

// The registered type of a class name, or nullptr.
CKitMarkupType* TypeOfClass(const std::string& className)
{
    for (CKitMarkupType* pType = CKitMarkupType::GetFirstType(); pType != nullptr; pType = pType->GetNextType()) {
        if (Narrow(pType->GetClassName()) == className)
            return pType;
    }
    return nullptr;
}

TEST_F(MarkupRegistrationTest, ElementNamesAreTheClassNamesWithoutPrefix)
{
    const std::set<std::string> expected = {
        "Color", "DoubleCollection", "SolidColorBrush", "GradientStop", "LinearGradientBrush", "StackPanel",
        "WrapPanel", "DockPanel", "UniformGrid", "Setter", "Style", "Trigger", "ScrollViewer", "TextBlock", "Shape",
        "Polygon", "Polyline", "Rectangle", "Ellipse", "Line", "Path", "Page", "WindowContainer",
        "FrameworkContentElement", "TextElement", "Run", "LineBreak", "Span", "Bold", "Hyperlink", "Italic",
        "Underline", "InlineUIContainer", "Button", "CheckBox", "RadioButton", "Control", "Panel", "Image",
        "DefinitionBase", "ColumnDefinition", "RowDefinition", "Grid", "Canvas", "Border", "FrameworkElement",
        "KeyboardNavigation"};
    std::set<std::string> registered;
    for (CKitMarkupType* pType = CKitMarkupType::GetFirstType(); pType != nullptr; pType = pType->GetNextType()) {
        if (pType->GetTag() == nullptr || pType->GetTag()[0] == L'\0')
            continue;
        const std::string tag = Narrow(pType->GetTag());
        EXPECT_EQ("CKitMarkup" + tag, Narrow(pType->GetClassName()));
        EXPECT_TRUE(registered.insert(tag).second) << tag << " is registered twice";
        EXPECT_EQ(pType, CKitMarkupType::LookupTag(pType->GetTag()));
    }
    EXPECT_EQ(expected, registered);
}

TEST_F(MarkupRegistrationTest, EveryElementNameBuilds)
{
    int built = 0;
    for (CKitMarkupType* pType = CKitMarkupType::GetFirstType(); pType != nullptr; pType = pType->GetNextType()) {
        if (pType->GetTag() == nullptr || pType->GetTag()[0] == L'\0')
            continue;
        const std::string tag = Narrow(pType->GetTag());
        const BuildResult result =
            BuildMarkup(m_context.Get(), "<Border><Border.Tag><" + tag + "/></Border.Tag></Border>");
        ASSERT_TRUE(result.root) << tag << ": " << result.error;
        const CKitMarkupObject* pValue = result.root->GetValue(CKitMarkupFrameworkElement::m_pTagProperty);
        ASSERT_NE(nullptr, pValue) << tag;
        EXPECT_EQ(pType, pValue->GetType()) << tag;
        ++built;
    }
    EXPECT_EQ(47, built);

    // Element names match in their exact case only; types without a name exist but cannot be written.
    for (const char* tag : {"Stackpanel", "textblock", "ScrollBar", "ButtonBase", "ToggleButton",
                            "ResourceDictionary", "Inline", "ContentControl", "GridLength", "RowDefinitionCollection"}) {
        EXPECT_EQ(std::string("The tag '") + tag + "' does not exist in XML namespace. Line 1, position " +
                      std::to_string(std::string(tag).size() + 3),
                  BuildMarkup(m_context.Get(), std::string("<") + tag + "/>").error);
    }
    for (const char* className : {"CKitMarkupScrollBar", "CKitMarkupButtonBase", "CKitMarkupToggleButton",
                                  "CKitMarkupResourceDictionary", "CKitMarkupInline"})
        EXPECT_NE(nullptr, TypeOfClass(className)) << className;

    // A property element fills a collection that has no element name of its own.
    const BuildResult grid = BuildMarkup(m_context.Get(), "<Grid><Grid.RowDefinitions><RowDefinition Height=\"Auto\"/>"
                                                          "<RowDefinition/></Grid.RowDefinitions></Grid>");
    ASSERT_TRUE(grid.root) << grid.error;
    const CKitMarkupRowDefinitionCollection* pRows = static_cast<CKitMarkupGrid*>(grid.root.Get())->GetRowDefinitions();
    ASSERT_NE(nullptr, pRows);
    EXPECT_EQ(2, pRows->GetCount());
    EXPECT_EQ(grid.root.Get(), pRows->GetLogicalParent());
}

TEST_F(MarkupRegistrationTest, ClassTree)
{
    // Each registered class with its registered base.
    const std::vector<std::pair<std::string, std::vector<std::string>>> tree = {
        {"Object",
         {"DependencyProperty", "Type", "Int", "Double", "Enum", "Bool", "Color", "String", "Collection",
          "DoubleCollection", "Brush", "Point", "GradientStop", "InputElement", "ResourceDictionary", "Setter", "Style",
          "Trigger", "PointCollection", "PathGeometry", "GridLength", "DefinitionBase", "ObjectProperty", "ColorKey",
          "BrushKey", "KeyboardNavigation", "Thickness"}},
        {"Collection",
         {"GradientStops", "SetterColection", "TriggerCollection", "InlineCollection", "DefinitionCollection"}},
        {"DefinitionCollection", {"RowDefinitionCollection", "ColumnDefinitionCollection"}},
        {"Brush", {"SolidColorBrush", "LinearGradientBrush"}},
        {"InputElement", {"Visual", "FrameworkContentElement"}},
        {"Visual", {"UIElement"}},
        {"UIElement", {"FrameworkElement", "ScrollBarGripper"}},
        {"FrameworkElement",
         {"TextBlock", "Shape", "Page", "WindowContainer", "Control", "Panel", "Image", "Border"}},
        {"Panel", {"StackPanel", "WrapPanel", "DockPanel", "UniformGrid", "Grid", "Canvas"}},
        {"Shape", {"Polygon", "Polyline", "Rectangle", "Ellipse", "Line", "Path"}},
        {"Control", {"ScrollBar", "ContentControl"}},
        {"ContentControl", {"ScrollViewer", "ButtonBase"}},
        {"ButtonBase", {"Button", "ToggleButton"}},
        {"ToggleButton", {"CheckBox", "RadioButton"}},
        {"FrameworkContentElement", {"TextElement"}},
        {"TextElement", {"Inline"}},
        {"Inline", {"Run", "Span", "InlineUIContainer"}},
        {"Run", {"LineBreak"}},
        {"Span", {"Bold", "Hyperlink", "Italic", "Underline"}},
        {"DefinitionBase", {"ColumnDefinition", "RowDefinition"}},
    };
    int classes = 1;
    for (const auto& branch : tree) {
        for (const std::string& derived : branch.second) {
            const CKitMarkupType* pType = TypeOfClass("CKitMarkup" + derived);
            ASSERT_NE(nullptr, pType) << derived;
            ASSERT_NE(nullptr, pType->GetBaseType()) << derived;
            EXPECT_EQ("CKitMarkup" + branch.first, Narrow(pType->GetBaseType()->GetClassName())) << derived;
            ++classes;
        }
    }
    int registered = 0;
    for (CKitMarkupType* pType = CKitMarkupType::GetFirstType(); pType != nullptr; pType = pType->GetNextType())
        ++registered;
    EXPECT_EQ(classes, registered) << "every registered class is in the tree";
    EXPECT_EQ(nullptr, TypeOfClass("CKitMarkupObject")->GetBaseType());
}

TEST_F(MarkupRegistrationTest, PropertiesOfEachType)
{
    const std::vector<std::pair<std::string, std::vector<std::string>>> properties = {
        {"Object", {"Name", "Key"}},
        {"SolidColorBrush", {"Color"}},
        {"GradientStop", {"Color", "Offset"}},
        {"LinearGradientBrush", {"StartPoint", "EndPoint", "GradientStops"}},
        {"UIElement", {"ClipToBounds", "Visibility", "Focusable", "IsEnabled"}},
        {"InputElement",
         {"Cursor", "IsMouseOver", "Resources", "Style", "IsKeyboardFocused", "IsFocusable", "ToolTip", "MouseLeave",
          "MouseEnter", "MouseLeftButtonUp", "MouseLeftButtonDown", "MouseRightButtonUp", "MouseRightButtonDown",
          "MouseMove", "LostMouseCapture"}},
        {"Setter", {"Property", "Value"}},
        {"Style", {"Resources", "TargetType", "BasedOn", "Triggers"}},
        {"Trigger", {"Property", "Value", "Setters"}},
        {"KeyboardNavigation", {"IsTabStop", "TabNavigation", "TabIndex"}},
        {"FrameworkElement",
         {"Margin", "HorizontalAlignment", "VerticalAlignment", "Tag", "Width", "MinWidth", "MaxWidth", "Height",
          "MinHeight", "MaxHeight"}},
        {"Border", {"BorderThickness", "BorderBrush", "CornerRadius", "Background", "Padding"}},
        {"Canvas", {"Left", "Top", "Right", "Bottom"}},
        {"StackPanel", {"Orientation"}},
        {"WrapPanel", {"Orientation", "ItemWidth", "ItemHeight"}},
        {"DockPanel", {"Dock", "LastChildFill"}},
        {"UniformGrid", {"Rows", "Columns", "FirstColumn"}},
        {"Grid", {"ColumnDefinitions", "RowDefinitions", "Column", "Row", "ColumnSpan", "RowSpan"}},
        {"ColumnDefinition", {"Width", "MinWidth", "MaxWidth"}},
        {"RowDefinition", {"Height", "MinHeight", "MaxHeight"}},
        {"TextBlock",
         {"TextWrapping", "TextTrimming", "TextAlignment", "Padding", "Text", "Background", "Foreground", "FontSize",
          "FontWeight", "FontFamily", "FontStyle", "TextDecorations", "FontQuality", "FontCharset"}},
        {"TextElement",
         {"Background", "Foreground", "FontSize", "FontWeight", "FontFamily", "FontStyle", "TextDecorations",
          "FontQuality", "FontCharset"}},
        {"FrameworkContentElement", {"Tag"}},
        {"Inline", {"BaselineAlignment"}},
        {"Run", {"Text"}},
        {"Hyperlink", {"Click"}},
        {"Shape",
         {"Fill", "Stroke", "StrokeThickness", "Stretch", "StrokeDashArray", "StrokeStartLineCap", "StrokeEndLineCap",
          "StrokeLineJoin"}},
        {"Polygon", {"Points"}},
        {"Polyline", {"Points"}},
        {"Rectangle", {"RadiusX", "RadiusY"}},
        {"Line", {"X1", "Y1", "X2", "Y2"}},
        {"Path", {"Data"}},
        {"ButtonBase", {"IsPressed", "Click"}},
        {"ToggleButton", {"IsChecked", "IsThreeState", "Checked", "Unchecked", "Indeterminate"}},
        {"ContentControl", {"Content"}},
        {"Control", {"Padding", "Background", "Foreground"}},
        {"Panel", {"Background"}},
        {"ScrollViewer", {"VerticalScrollBarVisibility", "HorizontalScrollBarVisibility"}},
        {"Image", {"Source", "Stretch"}},
    };
    for (const auto& entry : properties) {
        CKitMarkupType* pType = TypeOfClass("CKitMarkup" + entry.first);
        ASSERT_NE(nullptr, pType) << entry.first;
        for (const std::string& name : entry.second)
            EXPECT_NE(nullptr, CKitMarkupDependencyProperty::FindProperty(pType, CStringW(name.c_str()).GetString()))
                << entry.first << "." << name;
    }

    // Properties taken over are the same objects; the text properties are attached.
    const auto find = [](const char* className, LPCWSTR lpszName) {
        return CKitMarkupDependencyProperty::FindProperty(TypeOfClass(className), lpszName);
    };
    EXPECT_EQ(find("CKitMarkupTextElement", L"Foreground"), find("CKitMarkupTextBlock", L"Foreground"));
    EXPECT_EQ(find("CKitMarkupTextElement", L"Foreground"), find("CKitMarkupControl", L"Foreground"));
    EXPECT_EQ(find("CKitMarkupBorder", L"Padding"), find("CKitMarkupControl", L"Padding"));
    EXPECT_NE(find("CKitMarkupBorder", L"Padding"), find("CKitMarkupTextBlock", L"Padding"));
    EXPECT_EQ(find("CKitMarkupButtonBase", L"Click"), find("CKitMarkupHyperlink", L"Click"));
    EXPECT_TRUE(find("CKitMarkupTextElement", L"FontSize")->IsAttached());
    EXPECT_TRUE(find("CKitMarkupGrid", L"Row")->IsAttached());
    EXPECT_FALSE(find("CKitMarkupGrid", L"RowDefinitions")->IsAttached());
    EXPECT_EQ(nullptr, find("CKitMarkupBorder", L"FontSize")) << "written TextElement.FontSize on other elements";
}

} // namespace

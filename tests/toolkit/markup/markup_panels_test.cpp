// The layout panels and the grid: where each child lands.
#include "markup_test_support.h"

#include "toolkit/markup/markup_drawing_context.h"
#include "toolkit/markup/markup_grid.h"
#include "toolkit/markup/markup_panels.h"
#include "toolkit/markup/markup_values.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class MarkupPanelsTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        m_root.Attach(nullptr);
        EXPECT_EQ(1, m_context.References()) << "every element let its context go";
    }

    // The panel of a text that must build, measured and arranged in a slot of width by height.
    CKitMarkupPanel* Layout(const std::string& text, int width, int height)
    {
        BuildResult result = BuildMarkup(m_context.Get(), text);
        EXPECT_TRUE(result.root) << text << ": " << result.error;
        m_root = std::move(result.root);
        if (!m_root)
            return nullptr;
        CKitMarkupDrawingContext dc(m_context.Get());
        m_root->Measure(&dc, width, height);
        m_root->Arrange({0, 0, width, height});
        return MarkupDynamicCast<CKitMarkupPanel>(m_root.Get());
    }

    CTestMarkupContext m_context;
    CKitMarkupRef<CKitMarkupUIElement> m_root;
};

// Each child's final rectangle.
std::vector<RECT> Slots(const CKitMarkupPanel* pPanel)
{
    std::vector<RECT> slots;
    for (int i = 0; i < pPanel->GetChildren()->GetCount(); ++i)
        slots.push_back(pPanel->GetChildren()->GetElement(i)->GetFinalRect());
    return slots;
}

std::string Text(const RECT& rect)
{
    return std::to_string(rect.left) + "," + std::to_string(rect.top) + "," + std::to_string(rect.right) + "," +
           std::to_string(rect.bottom);
}

using Rects = std::vector<std::string>;

Rects Texts(const std::vector<RECT>& rects)
{
    Rects texts;
    for (const RECT& rect : rects)
        texts.push_back(Text(rect));
    return texts;
}

std::string Boxes(const std::vector<std::pair<int, int>>& sizes, const char* extra = "")
{
    std::string text;
    for (const auto& size : sizes)
        text += "<Border Width=\"" + std::to_string(size.first) + "\" Height=\"" + std::to_string(size.second) + "\"" +
                extra + "/>";
    return text;
}

TEST_F(MarkupPanelsTest, StackPanels)
{
    const CKitMarkupPanel* pPanel =
        Layout("<StackPanel>" + Boxes({{30, 10}, {250, 20}, {40, 5}}) + "</StackPanel>", 200, 100);
    ASSERT_NE(nullptr, pPanel);
    EXPECT_EQ((Rects{"0,0,200,10", "0,10,200,30", "0,30,200,35"}), Texts(Slots(pPanel)))
        << "every child gets the full width";
    EXPECT_EQ(200, pPanel->GetDesiredSize().cx) << "the panel asks for its widest child, up to its slot";
    EXPECT_EQ(35, pPanel->GetDesiredSize().cy);

    pPanel = Layout("<StackPanel Orientation=\"Horizontal\">" + Boxes({{30, 10}, {40, 120}}) + "</StackPanel>", 200,
                    100);
    EXPECT_EQ((Rects{"0,0,30,100", "30,0,70,100"}), Texts(Slots(pPanel)));
    EXPECT_EQ(70, pPanel->GetDesiredSize().cx);
    // Without bounds across, a child that wants more gets more.
    pPanel = Layout("<StackPanel Orientation=\"Horizontal\">" + Boxes({{30, 10}, {40, 120}}) + "</StackPanel>", 200,
                    2147483647);
    EXPECT_EQ((Rects{"0,0,30,2147483647", "30,0,70,2147483647"}), Texts(Slots(pPanel)));
    pPanel = Layout("<Canvas><StackPanel>" + Boxes({{30, 10}, {250, 20}}) + "</StackPanel></Canvas>", 200, 100);
    const CKitMarkupPanel* pStack = MarkupDynamicCast<CKitMarkupPanel>(pPanel->GetChildren()->GetElement(0));
    EXPECT_EQ((Rects{"0,0,250,10", "0,10,250,30"}), Texts(Slots(pStack)));

    EXPECT_EQ("The property 'Orientation' does not exist in XML namespace. Line 1, position 33",
              BuildMarkup(m_context.Get(), "<Canvas Orientation=\"Horizontal\"/>").error);
    EXPECT_EQ("Cannot convert string in attribute 'Orientation' to object of type 'CKitMarkupEnum'. Line 1, "
              "position 32",
              BuildMarkup(m_context.Get(), "<StackPanel Orientation=\"Horiz\"/>").error);
}

TEST_F(MarkupPanelsTest, WrapPanels)
{
    const CKitMarkupPanel* pPanel =
        Layout("<WrapPanel ItemWidth=\"50\">" + Boxes({{20, 10}, {20, 15}, {20, 10}, {20, 10}, {20, 10}}) +
                   "</WrapPanel>",
               120, 100);
    ASSERT_NE(nullptr, pPanel);
    EXPECT_EQ((Rects{"0,0,50,15", "50,0,100,15", "0,15,50,25", "50,15,100,25", "0,25,50,35"}),
              Texts(Slots(pPanel)))
        << "two items of 50 per row of 120";
    EXPECT_EQ(100, pPanel->GetDesiredSize().cx);
    EXPECT_EQ(35, pPanel->GetDesiredSize().cy);

    // Vertical: columns of the children's own sizes.
    pPanel = Layout("<WrapPanel Orientation=\"Vertical\">" + Boxes({{10, 60}, {20, 40}, {15, 40}, {10, 40}}) +
                        "</WrapPanel>",
                    200, 100);
    EXPECT_EQ((Rects{"0,0,20,60", "0,60,20,100", "20,0,35,40", "20,40,35,80"}), Texts(Slots(pPanel)));
    // An item wider than the panel sits alone on its line.
    pPanel = Layout("<WrapPanel ItemWidth=\"150\">" + Boxes({{10, 10}, {10, 20}}) + "</WrapPanel>", 120, 100);
    EXPECT_EQ((Rects{"0,0,150,10", "0,10,150,30"}), Texts(Slots(pPanel)));
}

TEST_F(MarkupPanelsTest, DockPanels)
{
    for (const char* dock : {"Left", "Top", "Right", "Bottom"}) {
        const CKitMarkupPanel* pPanel = Layout(
            std::string("<DockPanel><Border DockPanel.Dock=\"") + dock + "\" Width=\"10\" Height=\"10\"/></DockPanel>",
            200, 100);
        ASSERT_NE(nullptr, pPanel);
        EXPECT_EQ((Rects{"0,0,200,100"}), Texts(Slots(pPanel))) << "a single child fills the panel, docked " << dock;
    }

    const CKitMarkupPanel* pPanel = Layout("<DockPanel>"
                                           "<Border DockPanel.Dock=\"Top\" Height=\"10\"/>"
                                           "<Border DockPanel.Dock=\"Right\" Width=\"30\"/>"
                                           "<Border DockPanel.Dock=\"Bottom\" Height=\"20\"/>"
                                           "<Border Width=\"40\"/>"
                                           "<Border/>"
                                           "</DockPanel>",
                                           200, 100);
    EXPECT_EQ((Rects{"0,0,200,10", "170,10,200,100", "0,80,170,100", "0,10,40,80", "40,10,170,80"}),
              Texts(Slots(pPanel)));
    EXPECT_EQ(70, pPanel->GetDesiredSize().cx);
    EXPECT_EQ(30, pPanel->GetDesiredSize().cy);

    // Without filling, the last child docks like the others.
    pPanel = Layout("<DockPanel LastChildFill=\"False\"><Border DockPanel.Dock=\"Right\" Width=\"30\"/></DockPanel>",
                    200, 100);
    EXPECT_EQ((Rects{"170,0,200,100"}), Texts(Slots(pPanel)));

    // Moving a child to another side lays the panel out again.
    CKitMarkupUIElement* pChild = pPanel->GetChildren()->GetElement(0);
    pChild->SetValue(CKitMarkupDockPanel::m_pDockProperty, CKitMarkupEnum::CreateValue(CKitMarkupDockPanel::dockLeft));
    EXPECT_EQ((Rects{"0,0,30,100"}), Texts(Slots(pPanel)));
}

TEST_F(MarkupPanelsTest, UniformGrids)
{
    const CKitMarkupUniformGrid* pGrid = static_cast<CKitMarkupUniformGrid*>(
        Layout("<UniformGrid>" + Boxes({{1, 1}, {1, 1}, {1, 1}, {1, 1}, {1, 1}}) + "</UniformGrid>", 90, 60));
    ASSERT_NE(nullptr, pGrid);
    EXPECT_EQ(3, pGrid->GetColumnCount());
    EXPECT_EQ(3, pGrid->GetRowCount());
    EXPECT_EQ((Rects{"0,0,30,20", "30,0,60,20", "60,0,90,20", "0,20,30,40", "30,20,60,40"}), Texts(Slots(pGrid)));

    pGrid = static_cast<CKitMarkupUniformGrid*>(Layout(
        "<UniformGrid Columns=\"2\" FirstColumn=\"1\">" + Boxes({{1, 1}, {1, 1}, {1, 1}, {1, 1}, {1, 1}}) +
            "</UniformGrid>",
        90, 60));
    EXPECT_EQ(2, pGrid->GetColumnCount());
    EXPECT_EQ(3, pGrid->GetRowCount());
    EXPECT_EQ((Rects{"45,0,90,20", "0,20,45,40", "45,20,90,40", "0,40,45,60", "45,40,90,60"}), Texts(Slots(pGrid)))
        << "the first child sits in the second column";

    // Collapsed children take no cell; the rest still count for the dimensions.
    pGrid = static_cast<CKitMarkupUniformGrid*>(
        Layout("<UniformGrid>" + Boxes({{1, 1}, {1, 1}}) + Boxes({{1, 1}}, " Visibility=\"Collapsed\"") +
                   Boxes({{1, 1}, {1, 1}}) + "</UniformGrid>",
               60, 60));
    EXPECT_EQ(2, pGrid->GetColumnCount());
    EXPECT_EQ(2, pGrid->GetRowCount());
    EXPECT_EQ((Rects{"0,0,30,30", "30,0,60,30", "0,30,30,60", "0,30,30,60", "30,30,60,60"}), Texts(Slots(pGrid)));

    // Rows alone give the columns; counts below zero count as unset.
    pGrid = static_cast<CKitMarkupUniformGrid*>(
        Layout("<UniformGrid Rows=\"2\">" + Boxes({{1, 1}, {1, 1}, {1, 1}}) + "</UniformGrid>", 60, 60));
    EXPECT_EQ(2, pGrid->GetColumnCount());
    pGrid = static_cast<CKitMarkupUniformGrid*>(
        Layout("<UniformGrid Rows=\"-3\" Columns=\"-2\">" + Boxes({{1, 1}, {1, 1}}) + "</UniformGrid>", 60, 60));
    EXPECT_EQ(2, pGrid->GetColumnCount());
    EXPECT_EQ(2, pGrid->GetRowCount());
}

// Column widths and row heights of a grid after its layout.
std::vector<int> ColumnSizes(const CKitMarkupGrid* pGrid)
{
    std::vector<int> sizes;
    for (int i = 0; i < pGrid->GetColumnCount(); ++i)
        sizes.push_back(static_cast<int>(pGrid->GetColumn(i)->m_dSizeCache));
    return sizes;
}

std::string Columns(const char* widths)
{
    std::string text = "<Grid.ColumnDefinitions>";
    std::string list = widths;
    size_t start = 0;
    while (start <= list.size()) {
        const size_t comma = list.find(',', start);
        const std::string width = list.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
        text += "<ColumnDefinition Width=\"" + width + "\"/>";
        if (comma == std::string::npos)
            break;
        start = comma + 1;
    }
    return text + "</Grid.ColumnDefinitions>";
}

using Sizes = std::vector<int>;

TEST_F(MarkupPanelsTest, GridColumns)
{
    struct Case {
        const char* columns;
        const char* children;
        int width;
        Sizes sizes;
        const char* why;
    };
    const Case cases[] = {
        {"Auto,*,2*", "<Border Width=\"100\"/>", 300, {100, 66, 134},
         "stars share exactly what Auto leaves, each resolved from what the earlier ones left"},
        {"Auto,Auto",
         "<Border Width=\"40\"/><Border Grid.Column=\"1\" Width=\"60\"/>"
         "<Border Grid.ColumnSpan=\"2\" Width=\"120\"/>",
         300, {60, 60}, "a spanning child wider than both spreads evenly"},
        {"Auto,Auto",
         "<Border Width=\"40\"/><Border Grid.Column=\"1\" Width=\"60\"/>"
         "<Border Grid.ColumnSpan=\"2\" Width=\"110\"/>",
         300, {50, 60}, "the narrower column grows first"},
        {"Auto,Auto",
         "<Border Width=\"40\"/><Border Grid.Column=\"1\" Width=\"60\"/>"
         "<Border Grid.ColumnSpan=\"2\" Width=\"90\"/>",
         300, {40, 60}, "columns already wide enough stay"},
        {"50,*,Auto", "<Border Grid.Column=\"2\" Width=\"30\"/>", 200, {50, 120, 30}, "pixels, stars and Auto"},
        {"*,*", "<Border Width=\"70\"/>", 100, {50, 50}, "stars share evenly whatever their content"},
        {"100,100,100", "", 150, {100, 100, 100}, "pixel columns keep their widths in a narrower grid"},
    };
    for (const Case& c : cases) {
        const CKitMarkupGrid* pGrid =
            static_cast<CKitMarkupGrid*>(Layout(std::string("<Grid>") + Columns(c.columns) + c.children + "</Grid>",
                                                c.width, 100));
        ASSERT_NE(nullptr, pGrid) << c.columns;
        EXPECT_EQ(c.sizes, ColumnSizes(pGrid)) << c.why;
    }

    // In an unbounded width star columns ask for their content like Auto.
    const CKitMarkupPanel* pUnbounded =
        Layout("<Grid>" + Columns("*,*") + "<Border Width=\"70\"/><Border Grid.Column=\"1\" Width=\"20\"/></Grid>",
               2147483647, 100);
    EXPECT_EQ(90, pUnbounded->GetDesiredSize().cx);

    // Arranged narrower than measured: the shortfall comes from the columns with room above their content.
    CKitMarkupGrid* pNarrow = static_cast<CKitMarkupGrid*>(
        Layout("<Grid>" + Columns("*,*") + "<Border Grid.Column=\"1\" Width=\"100\"/></Grid>", 300, 100));
    m_root->Arrange({0, 0, 120, 100});
    EXPECT_EQ((Sizes{20, 100}), ColumnSizes(pNarrow));

    // Spans and columns beyond the grid end at its last column.
    const CKitMarkupPanel* pPanel = Layout("<Grid>" + Columns("10,20,30") +
                                               "<Border Grid.ColumnSpan=\"5\"/><Border Grid.Column=\"7\"/>"
                                               "<Border Grid.Column=\"-1\"/><Border Grid.Column=\"1\" Grid.ColumnSpan=\"0\"/>"
                                               "</Grid>",
                                           60, 40);
    EXPECT_EQ((Rects{"0,0,60,40", "30,0,60,40", "0,0,10,40", "10,0,30,40"}), Texts(Slots(pPanel)));

    // Without definitions every child takes the whole grid.
    pPanel = Layout("<Grid><Border Width=\"10\"/><Border Height=\"30\"/></Grid>", 60, 40);
    EXPECT_EQ((Rects{"0,0,60,40", "0,0,60,40"}), Texts(Slots(pPanel)));
    EXPECT_EQ(10, pPanel->GetDesiredSize().cx);
    EXPECT_EQ(30, pPanel->GetDesiredSize().cy);
}

TEST_F(MarkupPanelsTest, GridRowsAndCells)
{
    const CKitMarkupPanel* pPanel = Layout("<Grid>"
                                           "<Grid.RowDefinitions>"
                                           "<RowDefinition Height=\"Auto\"/><RowDefinition/>"
                                           "<RowDefinition Height=\"20\" MaxHeight=\"15\"/>"
                                           "</Grid.RowDefinitions>" +
                                               Columns("Auto,*") +
                                               "<Border Height=\"12\" Width=\"25\"/>"
                                               "<Border Grid.Row=\"1\" Grid.Column=\"1\"/>"
                                               "<Border Grid.Row=\"2\" Grid.ColumnSpan=\"2\"/>"
                                               "</Grid>",
                                           100, 80);
    ASSERT_NE(nullptr, pPanel);
    EXPECT_EQ((Rects{"0,0,25,12", "25,12,100,65", "0,65,100,80"}), Texts(Slots(pPanel)));

    // A new definition lays the grid out again.
    const CKitMarkupGrid* pGrid = static_cast<const CKitMarkupGrid*>(pPanel);
    CKitMarkupColumnDefinition* pColumn = new CKitMarkupColumnDefinition();
    pColumn->SetValue(CKitMarkupColumnDefinition::m_pWidthProperty, new CKitMarkupGridLength(30.0));
    pGrid->GetColumnDefinitions()->Insert(0, pColumn);
    EXPECT_EQ(3, pGrid->GetColumnCount());
    m_root->Arrange({0, 0, 100, 80});
    EXPECT_EQ("0,0,30,12", Text(pGrid->GetChildren()->GetElement(0)->GetFinalRect()));
    // So does a definition's new width.
    pColumn->SetValue(CKitMarkupColumnDefinition::m_pWidthProperty, new CKitMarkupGridLength(50.0));
    m_root->Arrange({0, 0, 100, 80});
    EXPECT_EQ("0,0,50,12", Text(pGrid->GetChildren()->GetElement(0)->GetFinalRect()));

    struct Case {
        const char* text;
        const char* error;
    };
    const Case errors[] = {
        {"<Grid ColumnDefinitions=\"1\"/>", "CKitMarkupColumnDefinitionCollection class expected"},
        {"<Grid RowDefinitions=\"1\"/>", "CKitMarkupRowDefinitionCollection class expected"},
        {"<Grid><Grid.ColumnDefinitions><RowDefinition/></Grid.ColumnDefinitions></Grid>",
         "'CKitMarkupRowDefinition' object cannot be added to 'CKitMarkupColumnDefinitionCollection'. Object cannot "
         "be converted to type 'CKitMarkupColumnDefinition'"},
        {"<Grid><Grid.ColumnDefinitions><ColumnDefinition Width=\"wide\"/></Grid.ColumnDefinitions></Grid>",
         "Cannot convert string in attribute 'Width' to object of type 'CKitMarkupGridLength'"},
    };
    for (const Case& c : errors) {
        const BuildResult result = BuildMarkup(m_context.Get(), c.text);
        EXPECT_FALSE(result.root) << c.text;
        EXPECT_EQ(0u, result.error.find(std::string(c.error) + ". Line 1, position ")) << result.error;
    }
}

TEST_F(MarkupPanelsTest, GridLengthTexts)
{
    struct Case {
        const wchar_t* text;
        bool converts;
        double value;
        int unit;
    };
    const Case cases[] = {
        {L"Auto", true, 1.0, CKitMarkupGridLength::unitAuto},
        {L"auto", true, 1.0, CKitMarkupGridLength::unitAuto},
        {L"*", true, 1.0, CKitMarkupGridLength::unitStar},
        {L"2.5*", true, 2.5, CKitMarkupGridLength::unitStar},
        {L"120", true, 120.0, CKitMarkupGridLength::unitPixel},
        {L"", false, 0.0, 0},
        {L"x*", false, 0.0, 0},
        {L"12px", false, 0.0, 0},
    };
    CKitMarkupGridLength converter;
    for (const Case& c : cases) {
        CKitMarkupRef<CKitMarkupString> text(CKitMarkupString::CreateValue(c.text));
        CKitMarkupRef<CKitMarkupObject> value(converter.ConvertFrom(nullptr, text.Get()));
        const CKitMarkupGridLength* pLength = MarkupDynamicCast<CKitMarkupGridLength>(value.Get());
        EXPECT_EQ(c.converts, pLength != nullptr) << c.text;
        if (pLength == nullptr)
            continue;
        EXPECT_EQ(c.value, pLength->GetValue()) << c.text;
        EXPECT_EQ(c.unit, pLength->GetUnit()) << c.text;
    }
}

} // namespace

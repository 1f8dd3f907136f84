// Images from the program's resources and their stretch rule, the page, the window container, and the controls' screenshot.
#include "markup_window_host.h"

#include "support/window_screenshot.h"
#include "toolkit/markup/markup_controls.h"
#include "toolkit/markup/markup_drawing_context.h"
#include "toolkit/markup/markup_image.h"
#include "toolkit/markup/markup_page.h"
#include "support/test_dirs.h"

#include <gtest/gtest.h>

namespace {

TEST(MarkupImageFitTest, StretchScalesTheNaturalSize)
{
    struct Case {
        SIZE natural;
        int stretch;
        int width;
        int height;
        SIZE fitted;
    };
    const int unbounded = 2147483647;
    const Case cases[] = {
        {{32, 16}, CKitMarkupImage::stretchUniform, 64, 64, {64, 32}},
        {{32, 16}, CKitMarkupImage::stretchUniformToFill, 64, 64, {128, 64}},
        {{32, 16}, CKitMarkupImage::stretchFill, 64, 64, {64, 64}},
        {{32, 16}, CKitMarkupImage::stretchNone, 64, 64, {32, 16}},
        // Only the width bounds: both scales follow it, whatever the stretch.
        {{32, 32}, CKitMarkupImage::stretchUniform, 16, unbounded, {16, 16}},
        {{32, 32}, CKitMarkupImage::stretchFill, 16, unbounded, {16, 16}},
        {{32, 32}, CKitMarkupImage::stretchUniformToFill, 16, 40000, {16, 16}},
        {{32, 32}, CKitMarkupImage::stretchFill, unbounded, 8, {8, 8}},
        {{32, 16}, CKitMarkupImage::stretchFill, unbounded, unbounded, {32, 16}},
        // Truncated toward zero.
        {{30, 20}, CKitMarkupImage::stretchUniform, 20, 100, {20, 13}},
        {{0, 16}, CKitMarkupImage::stretchFill, 64, 64, {0, 16}},
    };
    for (const Case& c : cases) {
        const SIZE size = CKitMarkupImage::FitSize(c.natural, c.stretch, c.width, c.height);
        EXPECT_EQ(c.fitted.cx, size.cx) << c.natural.cx << "x" << c.natural.cy << " in " << c.width;
        EXPECT_EQ(c.fitted.cy, size.cy) << c.natural.cx << "x" << c.natural.cy << " in " << c.width;
    }
}

TEST(MarkupImageFitTest, SourcesNameFilesResourcesAndCommands)
{
    struct Case {
        const wchar_t* text;
        CKitMarkupImageSource::Kind kind;
        const wchar_t* name;
        UINT id;
    };
    const Case cases[] = {
        {L"res://#101", CKitMarkupImageSource::sourceResource, L"", 101},
        {L"res://LOGO", CKitMarkupImageSource::sourceResource, L"LOGO", 0},
        {L"res://#1x", CKitMarkupImageSource::sourceResource, L"#1x", 0},
        {L"file://pictures\\a.png", CKitMarkupImageSource::sourceFile, L"pictures\\a.png", 0},
        {L"2101", CKitMarkupImageSource::sourceCommand, L"", 2101},
        {L"0", CKitMarkupImageSource::sourceNone, L"", 0},
        {L"picture", CKitMarkupImageSource::sourceNone, L"", 0},
        {L"99999999999", CKitMarkupImageSource::sourceNone, L"", 0},
    };
    for (const Case& c : cases) {
        const CKitMarkupImageSource source = CKitMarkupImageSource::Parse(c.text);
        EXPECT_EQ(c.kind, source.kind) << (LPCSTR)MarkupNarrow(c.text);
        EXPECT_EQ(std::wstring(c.name), source.name) << (LPCSTR)MarkupNarrow(c.text);
        EXPECT_EQ(c.id, source.kind == CKitMarkupImageSource::sourceCommand ? source.nCommand : source.nResourceId)
            << (LPCSTR)MarkupNarrow(c.text);
    }
}

class MarkupImagePageTest : public ::testing::Test {
protected:
    SIZE DesiredSize(const char* name) { return m_host.Named<CKitMarkupUIElement>(name)->GetDesiredSize(); }

    CMarkupWindowHost m_host{200, 150};
};

TEST_F(MarkupImagePageTest, ResourcePicturesLoadAndStretch)
{
    ASSERT_EQ("", m_host.Show("<StackPanel>"
                              "<Image x:Name=\"id\" Source=\"res://#101\" HorizontalAlignment=\"Left\"/>"
                              "<Image x:Name=\"name\" Source=\"res://LOGO\" HorizontalAlignment=\"Left\"/>"
                              "<Canvas Height=\"64\"><Image x:Name=\"uniform\" Source=\"res://#101\" Width=\"64\""
                              " Height=\"64\" Stretch=\"Uniform\"/></Canvas>"
                              "<Image x:Name=\"missing\" Source=\"res://#999\"/>"
                              "<Image x:Name=\"zero\" Source=\"0\"/>"
                              "<Image x:Name=\"text\" Source=\"picture\"/></StackPanel>"));
    struct Case {
        const char* name;
        bool loaded;
        SIZE size;
    };
    const Case cases[] = {
        {"id", true, {32, 16}},    {"name", true, {32, 16}}, {"uniform", true, {64, 64}},
        {"missing", false, {0, 0}}, {"zero", false, {0, 0}},  {"text", false, {0, 0}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.loaded, m_host.Named<CKitMarkupImage>(c.name)->HasPicture() != FALSE) << c.name;
        EXPECT_EQ(c.size.cx, DesiredSize(c.name).cx) << c.name;
        EXPECT_EQ(c.size.cy, DesiredSize(c.name).cy) << c.name;
    }
    // Uniform in 64 x 64: drawn 64 x 32, the picture's colours at its place.
    EXPECT_EQ(64, m_host.Named<CKitMarkupImage>("uniform")->GetRenderSize().cx);
    EXPECT_EQ(32, m_host.Named<CKitMarkupImage>("uniform")->GetRenderSize().cy);
    ::UpdateWindow(m_host.m_hWnd);
    const RECT picture = m_host.RectOf("id");
    HDC hdc = ::GetDC(m_host.m_hWnd);
    const COLORREF disc = ::GetPixel(hdc, picture.left + 8, picture.top + 8);
    const COLORREF band = ::GetPixel(hdc, picture.left + 28, picture.top + 2);
    ::ReleaseDC(m_host.m_hWnd, hdc);
    EXPECT_EQ(RGB(0xF0, 0x90, 0x20), disc);
    EXPECT_EQ(RGB(0x20, 0x60 + 28 * 4, 0xC0), band);
}

TEST_F(MarkupImagePageTest, FilePicturesLoadFromTheirPath)
{
    const std::string path = std::string(TestSourceDir()) + "\\tests\\toolkit\\markup\\fixtures\\picture32x16.bmp";
    ASSERT_EQ("", m_host.Show("<StackPanel><Image x:Name=\"file\" Source=\"file://" + path +
                              "\" HorizontalAlignment=\"Left\"/><Image x:Name=\"absent\" Source=\"file://" + path +
                              ".none\"/></StackPanel>"));
    EXPECT_TRUE(m_host.Named<CKitMarkupImage>("file")->HasPicture());
    EXPECT_EQ(32, DesiredSize("file").cx);
    EXPECT_EQ(16, DesiredSize("file").cy);
    EXPECT_EQ(0, DesiredSize("absent").cx);
}

TEST_F(MarkupImagePageTest, PagesHoldOneElement)
{
    EXPECT_EQ(0u, m_host.Show("<Page><Border/><Border/></Page>")
                      .find("'CKitMarkupPage' already has a child and cannot add 'CKitMarkupBorder'. "
                            "'CKitMarkupPage' can accept only one child."));
    EXPECT_EQ(0u, m_host.Show("<Page>text</Page>")
                      .find("'CKitMarkupString' object cannot be added to 'CKitMarkupPage'. Object cannot be "
                            "converted to type 'CKitMarkupUIElement'"));
    ASSERT_EQ("", m_host.Show("<StackPanel><Page x:Name=\"empty\" HorizontalAlignment=\"Left\"/>"
                              "<WindowContainer x:Name=\"window\" HorizontalAlignment=\"Left\"/>"
                              "<Page x:Name=\"page\" HorizontalAlignment=\"Left\"><Border Width=\"30\" Height=\"12\"/>"
                              "</Page></StackPanel>"));
    for (const char* name : {"empty", "window"}) {
        EXPECT_EQ(0, DesiredSize(name).cx) << name;
        EXPECT_EQ(0, DesiredSize(name).cy) << name;
    }
    EXPECT_EQ(30, DesiredSize("page").cx);
    EXPECT_EQ(12, DesiredSize("page").cy);
    // The page is never hit itself: hits go to its child.
    const RECT page = m_host.RectOf("page");
    CKitMarkupInputElement* pHit = m_host.m_pRoot->InputHitTest({page.left + 5, page.top + 5});
    EXPECT_NE(m_host.Named("page"), pHit);
}

TEST_F(MarkupImagePageTest, WindowContainersPlaceTheirWindow)
{
    ASSERT_EQ("", m_host.Show("<StackPanel><Border Height=\"20\"/>"
                              "<WindowContainer x:Name=\"window\" HorizontalAlignment=\"Left\"/></StackPanel>"));
    HWND hChild = ::CreateWindowExA(0, "STATIC", "child", WS_CHILD, 0, 0, 10, 10, m_host.m_hWnd, nullptr,
                                    ::GetModuleHandleA(nullptr), nullptr);
    CKitMarkupWindowContainer* pContainer = m_host.Named<CKitMarkupWindowContainer>("window");
    pContainer->SetWindow(hChild, {50, 16});
    EXPECT_EQ(50, pContainer->GetDesiredSize().cx);
    ::InvalidateRect(m_host.m_hWnd, nullptr, TRUE);
    ::UpdateWindow(m_host.m_hWnd);
    RECT placed;
    ::GetWindowRect(hChild, &placed);
    ::MapWindowPoints(nullptr, m_host.m_hWnd, reinterpret_cast<POINT*>(&placed), 2);
    EXPECT_TRUE(::IsWindowVisible(hChild));
    EXPECT_EQ(0, placed.left);
    EXPECT_EQ(20, placed.top);
    EXPECT_EQ(50, placed.right - placed.left);
    EXPECT_EQ(16, placed.bottom - placed.top);
    // Left out of the drawing, the window is hidden.
    {
        HDC hdc = ::GetDC(m_host.m_hWnd);
        CKitMarkupDrawingContext dc(m_host.m_pContext, hdc);
        pContainer->OnNotRendered(&dc);
        ::ReleaseDC(m_host.m_hWnd, hdc);
    }
    EXPECT_FALSE(::IsWindowVisible(hChild));
    ::DestroyWindow(hChild);
}

// A page of controls in a framed window, as a program would show it.
TEST(MarkupControlsScreenshotTest, PageOfControls)
{
    CMarkupWindowHost host(460, 300, WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_VISIBLE, "Markup controls");
    ASSERT_EQ("", host.Show(
        "<Page><Grid Margin=\"10\">"
        "<Grid.ColumnDefinitions><ColumnDefinition Width=\"150\"/><ColumnDefinition Width=\"140\"/>"
        "<ColumnDefinition/></Grid.ColumnDefinitions>"
        "<StackPanel Grid.Column=\"0\">"
        "<Button Margin=\"0,0,0,6\" Padding=\"6,2,6,2\">Normal button</Button>"
        "<Button x:Name=\"pressed\" Margin=\"0,0,0,6\" Padding=\"6,2,6,2\">Pressed button</Button>"
        "<Button Margin=\"0,0,0,6\" Padding=\"6,2,6,2\" Background=\"#7FB0E0\">Coloured button</Button>"
        "<CheckBox Margin=\"0,2,0,2\">Unchecked</CheckBox>"
        "<CheckBox Margin=\"0,2,0,2\" IsChecked=\"True\">Checked</CheckBox>"
        "<CheckBox Margin=\"0,2,0,2\" IsThreeState=\"True\" IsChecked=\"\">Indeterminate</CheckBox>"
        "<RadioButton Margin=\"0,2,0,2\" IsChecked=\"True\">First choice</RadioButton>"
        "<RadioButton Margin=\"0,2,0,2\">Second choice</RadioButton>"
        "<Image Margin=\"0,6,0,0\" Source=\"res://#101\" HorizontalAlignment=\"Left\" Width=\"64\" Height=\"32\""
        " Stretch=\"Uniform\"/>"
        "</StackPanel>"
        "<ScrollViewer Grid.Column=\"1\" Height=\"200\" VerticalAlignment=\"Top\" Margin=\"0,0,10,0\""
        " HorizontalScrollBarVisibility=\"Auto\">"
        "<StackPanel Width=\"180\" Background=\"White\">"
        "<TextBlock Margin=\"4\">A scroll viewer shows its content through a viewport.</TextBlock>"
        "<TextBlock Margin=\"4\">Line two of the content</TextBlock><TextBlock Margin=\"4\">Line three</TextBlock>"
        "<TextBlock Margin=\"4\">Line four</TextBlock><TextBlock Margin=\"4\">Line five</TextBlock>"
        "<TextBlock Margin=\"4\">Line six</TextBlock><TextBlock Margin=\"4\">Line seven</TextBlock>"
        "<TextBlock Margin=\"4\">Line eight</TextBlock><TextBlock Margin=\"4\">Line nine</TextBlock>"
        "<TextBlock Margin=\"4\">Line ten</TextBlock><TextBlock Margin=\"4\">Line eleven</TextBlock>"
        "</StackPanel></ScrollViewer>"
        "<Canvas Grid.Column=\"2\">"
        "<Rectangle Canvas.Left=\"0\" Canvas.Top=\"0\" Width=\"60\" Height=\"40\" Fill=\"#F0C040\""
        " Stroke=\"#805010\" StrokeThickness=\"2\" RadiusX=\"8\" RadiusY=\"8\"/>"
        "<Ellipse Canvas.Left=\"70\" Canvas.Top=\"0\" Width=\"60\" Height=\"40\""
        " Stroke=\"#203060\" StrokeThickness=\"2\"><Ellipse.Fill><LinearGradientBrush StartPoint=\"0,0\""
        " EndPoint=\"1,1\"><GradientStop Color=\"#A0C0FF\" Offset=\"0\"/><GradientStop Color=\"#2040A0\""
        " Offset=\"1\"/></LinearGradientBrush></Ellipse.Fill></Ellipse>"
        "<Polygon Canvas.Left=\"0\" Canvas.Top=\"56\" Points=\"30,0 60,50 0,50\" Fill=\"#60B060\""
        " Stroke=\"#205020\" StrokeThickness=\"2\"/>"
        "<Path Canvas.Left=\"70\" Canvas.Top=\"56\" Data=\"M 0,50 C 0,0 60,0 60,50 Z\" Fill=\"#80E0B0C0\""
        " Stroke=\"#802040\" StrokeThickness=\"2\"/>"
        "<Line Canvas.Left=\"0\" Canvas.Top=\"124\" X1=\"0\" Y1=\"0\" X2=\"130\" Y2=\"0\" Stroke=\"#303030\""
        " StrokeThickness=\"2\" StrokeDashArray=\"3\"/>"
        "<Polyline Canvas.Left=\"0\" Canvas.Top=\"136\" Points=\"0,30 20,0 40,30 60,0 80,30 100,0 120,30\""
        " Stroke=\"#C04000\" StrokeThickness=\"3\" StrokeLineJoin=\"Round\"/>"
        "</Canvas></Grid></Page>"));
    host.Named("pressed")->SetValue(CKitMarkupButtonBase::m_pIsPressedProperty, CKitMarkupBool::CreateTrueValue());
    EXPECT_EQ("", SaveWindowScreenshot(host.m_hWnd, "markup-controls"));
}

} // namespace

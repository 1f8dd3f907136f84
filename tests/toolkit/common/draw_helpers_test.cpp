// Drawing helpers on memory DCs with pixel probes: gradients, dither, colour arithmetic, the scoped selections and the buffered DC.
#include "toolkit/common/draw_helpers.h"

#include "framework/wnd.h"
#include "installed_fonts.h"
#include "support/canvas.h"
#include "test_module.h"
#include "toolkit/common/color_manager.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kPaper = RGB(1, 2, 3);

bool Near(COLORREF a, COLORREF b, int tolerance)
{
    return NearColor(a, b, tolerance);
}

// A plain hidden window for the tests that need one.
class TestWindow {
public:
    explicit TestWindow(DWORD exStyle = 0)
    {
        m_hWnd = ::CreateWindowExA(exStyle, "STATIC", "Kit test", WS_POPUP, 0, 0, 120, 80, nullptr, nullptr,
                                   ::GetModuleHandleA(nullptr), nullptr);
    }
    ~TestWindow() { ::DestroyWindow(m_hWnd); }
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;
    HWND Get() const { return m_hWnd; }

private:
    HWND m_hWnd;
};

// Runs the gradient tests once with the system's gradient function and once with the banded fill.
class KitGradients : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override
    {
        if (!GetParam())
            helpers.m_pfnFastGradientFill = nullptr;
    }
    CKitDrawHelpers helpers;
};

TEST_P(KitGradients, EqualColoursFillSolidAndEmptyRectanglesDrawNothing)
{
    Canvas canvas(40, 20);
    const CRect rect(2, 2, 30, 12);
    helpers.GradientFill(&canvas.dc, rect, kRed, kRed, TRUE);
    for (int x = rect.left; x < rect.right; ++x)
        EXPECT_EQ(kRed, canvas.Pixel(x, 5)) << x;
    EXPECT_EQ(kPaper, canvas.Pixel(1, 5));
    helpers.GradientFill(&canvas.dc, CRect(35, 2, 35, 12), kRed, kBlue, TRUE);
    helpers.GradientFill(&canvas.dc, CRect(35, 2, 36, 12), kRed, kBlue, FALSE);
    helpers.GradientFill(&canvas.dc, nullptr, kRed, kBlue, FALSE);
    EXPECT_EQ(kPaper, canvas.Pixel(34, 5));
}

TEST_P(KitGradients, AClippedGradientShowsThePixelsOfTheWhole)
{
    for (BOOL horizontal : {TRUE, FALSE}) {
        Canvas whole(64, 64);
        Canvas clipped(64, 64);
        const CRect rect(4, 4, 60, 60);
        const CRect clip(20, 10, 40, 50);
        helpers.GradientFill(&whole.dc, rect, RGB(250, 10, 10), RGB(10, 10, 250), horizontal);
        helpers.GradientFillClipped(&clipped.dc, rect, RGB(250, 10, 10), RGB(10, 10, 250), horizontal, clip);
        for (int y = 0; y < 64; ++y) {
            for (int x = 0; x < 64; ++x) {
                const bool inside = clip.PtInRect(CPoint(x, y)) && rect.PtInRect(CPoint(x, y));
                if (inside)
                    ASSERT_TRUE(Near(whole.Pixel(x, y), clipped.Pixel(x, y), 3)) << horizontal << " " << x << "," << y;
                else
                    ASSERT_EQ(kPaper, clipped.Pixel(x, y)) << horizontal << " " << x << "," << y;
            }
        }
        EXPECT_TRUE(Near(RGB(250, 10, 10), whole.Pixel(4, 4), 6));
    }
}

TEST_P(KitGradients, AFactorTurnsAtTheMiddleIntoTheBlend)
{
    Canvas canvas(101, 10);
    CKitPaintManagerColorGradient gradient;
    gradient.SetStandardValue(RGB(200, 200, 200), RGB(0, 0, 0), 0.25);
    helpers.FillColorGradient(&canvas.dc, CRect(0, 0, 100, 10), gradient, TRUE);
    const COLORREF middle = CKitDrawHelpers::BlendColors(RGB(200, 200, 200), RGB(0, 0, 0), 0.25);
    EXPECT_TRUE(Near(middle, canvas.Pixel(50, 5), 3));
    EXPECT_TRUE(Near(RGB(200, 200, 200), canvas.Pixel(0, 5), 3));
    EXPECT_EQ(kPaper, canvas.Pixel(100, 5));
}

INSTANTIATE_TEST_SUITE_P(SystemAndBanded, KitGradients, ::testing::Bool());

TEST(KitDrawHelpers, TheBandedFillUsesWidthOneForAZeroWideRectangle)
{
    CKitDrawHelpers helpers;
    helpers.m_pfnFastGradientFill = nullptr;
    Canvas canvas(10, 10);
    // Clipped to a box that leaves the rectangle zero wide: nothing is drawn and nothing divides by zero.
    helpers.GradientFillClipped(&canvas.dc, CRect(2, 2, 8, 8), kRed, kBlue, TRUE, CRect(5, 0, 5, 10));
    helpers.GradientFill(&canvas.dc, CRect(3, 3, 4, 9), kRed, kBlue, FALSE);
    EXPECT_EQ(kRed, canvas.Pixel(3, 3));
    EXPECT_EQ(kPaper, canvas.Pixel(5, 5));
}

TEST(KitDrawHelpers, DitherAlternatesFaceAndHighlightBothWays)
{
    Canvas canvas(20, 20);
    FillDitherRect(&canvas.dc, CRect(3, 5, 15, 17));
    const COLORREF face = CKitColorManager::Instance()->GetColor(COLOR_BTNFACE);
    const COLORREF highlight = CKitColorManager::Instance()->GetColor(COLOR_BTNHIGHLIGHT);
    ASSERT_NE(face, highlight);
    for (int y = 5; y < 17; ++y) {
        for (int x = 3; x < 15; ++x)
            ASSERT_EQ((x + y) % 2 == 0 ? highlight : face, canvas.Pixel(x, y)) << x << "," << y;
    }
    EXPECT_EQ(kPaper, canvas.Pixel(2, 5));
    EXPECT_EQ(kPaper, canvas.Pixel(15, 5));
}

TEST(KitDrawHelpers, ColourArithmetic)
{
    EXPECT_EQ(RGB(127, 127, 127), CKitDrawHelpers::BlendColors(RGB(255, 255, 255), RGB(0, 0, 0), 0.5));
    EXPECT_EQ(kRed, CKitDrawHelpers::BlendColors(kRed, kBlue, 1.0));
    EXPECT_EQ(RGB(255, 255, 255), CKitDrawHelpers::BlendColors(RGB(255, 255, 255), RGB(0, 0, 0), 1.5));

    const DWORD grey = CKitDrawHelpers::RGBtoHSL(RGB(128, 128, 128));
    EXPECT_EQ(239u, grey & 0xFF);
    EXPECT_EQ(0u, (grey >> 8) & 0xFF);
    EXPECT_EQ(0u, CKitDrawHelpers::RGBtoHSL(RGB(0, 0, 0)) >> 16);
    EXPECT_EQ(240u, CKitDrawHelpers::RGBtoHSL(RGB(255, 255, 255)) >> 16);
    EXPECT_EQ(0u, CKitDrawHelpers::RGBtoHSL(kRed) & 0xFF);
    for (COLORREF colour : {kRed, kBlue, RGB(0, 255, 0), RGB(0x33, 0x66, 0x99), RGB(212, 208, 200), RGB(0, 0, 0),
                            RGB(255, 255, 255), RGB(128, 128, 128)}) {
        const COLORREF back = CKitDrawHelpers::HSLtoRGB(CKitDrawHelpers::RGBtoHSL(colour));
        EXPECT_TRUE(Near(colour, back, 2)) << std::hex << colour << " " << back;
    }
    EXPECT_EQ(kRed, CKitDrawHelpers::HSLtoRGB(0.0, 1.0, 0.5));
    EXPECT_EQ(RGB(0, 255, 0), CKitDrawHelpers::HSLtoRGB(1.0 / 3, 1.0, 0.5));
    EXPECT_EQ(RGB(127, 127, 127), CKitDrawHelpers::HSLtoRGB(0.7, 0.0, 0.5));
}

TEST(KitDrawHelpers, StripMnemonicsKeepsOneOfEachDoubledAmpersand)
{
    const char* const cases[][2] = {
        {"&File&&Save", "File&Save"}, {"&&", "&"}, {"a&", "a"}, {"&&&x", "&x"}, {"", ""}, {"Plain", "Plain"},
    };
    for (const auto& c : cases) {
        CString text(c[0]);
        CKitDrawHelpers::StripMnemonics(text);
        EXPECT_STREQ(c[1], text) << c[0];
        std::string buffer(c[0]);
        CKitDrawHelpers::StripMnemonicsInPlace(&buffer[0]);
        EXPECT_STREQ(c[1], buffer.c_str()) << c[0];
    }
    CKitDrawHelpers::StripMnemonicsInPlace(nullptr);
    CKitDrawHelpers::StripMnemonicsInPlace(LPSTR_TEXTCALLBACKA);
}

TEST(KitDrawHelpers, FontsByFace)
{
    const std::vector<std::string> faces = InstalledFaces();
    ASSERT_FALSE(faces.empty());
    std::string otherCase = faces.front();
    for (char& ch : otherCase)
        ch = static_cast<char>(std::isupper(static_cast<unsigned char>(ch)) ? std::tolower(static_cast<unsigned char>(ch))
                                                                             : std::toupper(static_cast<unsigned char>(ch)));
    EXPECT_TRUE(CKitDrawHelpers::FontExists(faces.front().c_str()));
    EXPECT_TRUE(CKitDrawHelpers::FontExists(otherCase.c_str())) << otherCase;
    EXPECT_FALSE(CKitDrawHelpers::FontExists("No Such Face Kit"));
    EXPECT_FALSE(CKitDrawHelpers::FontExists(""));
    CString face;
    CKitDrawHelpers::GetDefaultFontFaceName(face, TRUE);
    EXPECT_FALSE(face.IsEmpty());
    LOGFONTA iconFont = {};
    EXPECT_TRUE(CKitDrawHelpers::GetIconLogFont(&iconFont));
    EXPECT_NE('\0', iconFont.lfFaceName[0]);
}

TEST(KitDrawHelpers, LayoutOfContextsAndKeys)
{
    Canvas canvas(4, 4);
    EXPECT_FALSE(CKitDrawHelpers::IsContextRTL(&canvas.dc));
    CKitDrawHelpers::SetContextRTL(&canvas.dc, LAYOUT_RTL);
    EXPECT_TRUE(CKitDrawHelpers::IsContextRTL(&canvas.dc));
    EXPECT_FALSE(CKitDrawHelpers::IsContextRTL(static_cast<CDC*>(nullptr)));

    TestWindow leftToRight;
    TestWindow rightToLeft(WS_EX_LAYOUTRTL);
    struct Case {
        HWND window;
        UINT key;
        UINT expected;
    };
    const Case cases[] = {
        {leftToRight.Get(), VK_LEFT, VK_LEFT}, {rightToLeft.Get(), VK_LEFT, VK_RIGHT},
        {rightToLeft.Get(), VK_RIGHT, VK_LEFT}, {rightToLeft.Get(), VK_UP, VK_UP}, {nullptr, VK_LEFT, VK_LEFT},
    };
    for (const Case& c : cases) {
        UINT key = c.key;
        CKitDrawHelpers::KeyToLayout(c.window, key);
        EXPECT_EQ(c.expected, key);
    }
}

TEST(KitDrawHelpers, WindowUtilities)
{
    TestWindow window;
    const std::string caption(600, 'c');
    ::SetWindowTextA(window.Get(), caption.c_str());
    CString text;
    CKitDrawHelpers::GetWindowCaption(window.Get(), text);
    EXPECT_EQ(600, text.GetLength());

    CWnd* wrapper = CWnd::FromHandle(window.Get());
    EXPECT_EQ(CRect(0, 0, 120, 80), WindowRectOf(wrapper));
    EXPECT_EQ(CRect(0, 0, 120, 80), ClientRectOf(wrapper));
    EXPECT_EQ(EmptyRect(), WindowRectOf(nullptr));
    EXPECT_EQ(EmptyRect(), WindowRectOfHandle(reinterpret_cast<HWND>(0x12345)));
    EXPECT_FALSE(CKitDrawHelpers::IsTopParentActive(nullptr));

    const std::string name = "KitTestClass" + std::to_string(::GetCurrentProcessId());
    EXPECT_TRUE(CKitDrawHelpers::RegisterWndClass(nullptr, name.c_str(), CS_DBLCLKS));
    EXPECT_TRUE(CKitDrawHelpers::RegisterWndClass(nullptr, name.c_str(), CS_DBLCLKS));
    WNDCLASSA registered = {};
    ASSERT_TRUE(::GetClassInfoA(::GetModuleHandleA(nullptr), name.c_str(), &registered));
    EXPECT_EQ(::LoadCursorA(nullptr, IDC_ARROW), registered.hCursor);
    EXPECT_EQ(static_cast<UINT>(CS_DBLCLKS), registered.style);
}

TEST(KitDrawHelpers, AClickOutsideTheWatchedWindowIsEaten)
{
    TestWindow owner;
    TestWindow popup;
    CWnd* watched = CWnd::FromHandle(popup.Get());
    SetOutsideClickHook(watched);
    MOUSEHOOKSTRUCT mouse = {};
    mouse.pt = CPoint(500, 500);
    EXPECT_EQ(1, OutsideClickHookProc(HC_ACTION, WM_LBUTTONDOWN, reinterpret_cast<LPARAM>(&mouse)));
    EXPECT_EQ(1, OutsideClickHookProc(HC_ACTION, WM_NCRBUTTONDOWN, reinterpret_cast<LPARAM>(&mouse)));
    EXPECT_EQ(0, OutsideClickHookProc(HC_ACTION, WM_MOUSEMOVE, reinterpret_cast<LPARAM>(&mouse)));
    mouse.pt = CPoint(10, 10);
    EXPECT_EQ(0, OutsideClickHookProc(HC_ACTION, WM_LBUTTONDOWN, reinterpret_cast<LPARAM>(&mouse)));
    SetOutsideClickHook(nullptr);
    mouse.pt = CPoint(500, 500);
    EXPECT_EQ(0, OutsideClickHookProc(HC_ACTION, WM_LBUTTONDOWN, reinterpret_cast<LPARAM>(&mouse)));
}

TEST(KitDrawHelpers, BitmapToIconMasksTheTopLeftColour)
{
    TestModule module;
    HBITMAP bitmap = static_cast<HBITMAP>(
        ::LoadImageA(module.Get(), MAKEINTRESOURCEA(IDB_MODULE_BITMAP), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    ASSERT_NE(nullptr, bitmap);
    HICON icon = CKitDrawHelpers::BitmapToIcon(bitmap);
    ASSERT_NE(nullptr, icon);
    ICONINFO info = {};
    ASSERT_TRUE(::GetIconInfo(icon, &info));
    CDC memory;
    memory.Attach(::CreateCompatibleDC(nullptr));
    HGDIOBJ old = ::SelectObject(memory.m_hDC, info.hbmMask);
    EXPECT_EQ(RGB(255, 255, 255), memory.GetPixel(0, 0));
    EXPECT_EQ(RGB(0, 0, 0), memory.GetPixel(1, 0));
    ::SelectObject(memory.m_hDC, old);
    ::DeleteObject(info.hbmColor);
    ::DeleteObject(info.hbmMask);
    ::DestroyIcon(icon);
    ::DeleteObject(bitmap);
    EXPECT_EQ(nullptr, CKitDrawHelpers::BitmapToIcon(nullptr));
}

TEST(KitScopedDC, TheBufferUsesTheDestinationsCoordinates)
{
    Canvas destination(64, 64);
    {
        CKitBufferDC buffer(destination.dc.m_hDC, CRect(10, 20, 50, 60));
        ASSERT_NE(nullptr, buffer.m_hDC);
        BITMAP info = {};
        ::GetObjectA(::GetCurrentObject(buffer.m_hDC, OBJ_BITMAP), sizeof(info), &info);
        EXPECT_EQ(50, info.bmWidth);
        EXPECT_EQ(60, info.bmHeight);
        buffer.FillSolidRect(10, 20, 40, 40, kBlue);
        buffer.SetPixel(10, 20, kRed);
        EXPECT_EQ(kPaper, destination.Pixel(10, 20));
    }
    EXPECT_EQ(kRed, destination.Pixel(10, 20));
    EXPECT_EQ(kBlue, destination.Pixel(49, 59));
    EXPECT_EQ(kPaper, destination.Pixel(9, 20));
    EXPECT_EQ(kPaper, destination.Pixel(10, 19));
    EXPECT_EQ(kPaper, destination.Pixel(50, 59));
}

TEST(KitScopedDC, ABufferOfAnEmptyPaintRectangleIsOnePixel)
{
    TestWindow window;
    ::ShowWindow(window.Get(), SW_SHOWNA);
    ::ValidateRect(window.Get(), nullptr);
    CPaintDC paint(CWnd::FromHandle(window.Get()));
    ASSERT_EQ(0, paint.m_ps.rcPaint.right);
    ASSERT_EQ(0, paint.m_ps.rcPaint.bottom);
    CKitBufferDC buffer(paint);
    ASSERT_NE(nullptr, buffer.m_hDC);
    BITMAP info = {};
    ::GetObjectA(::GetCurrentObject(buffer.m_hDC, OBJ_BITMAP), sizeof(info), &info);
    EXPECT_EQ(1, info.bmWidth);
    EXPECT_EQ(1, info.bmHeight);
}

TEST(KitScopedDC, SelectionsComeBackWhenTheScopeEnds)
{
    Canvas canvas(20, 20);
    HDC hdc = canvas.dc.m_hDC;
    const HGDIOBJ font = ::GetCurrentObject(hdc, OBJ_FONT);
    const HGDIOBJ pen = ::GetCurrentObject(hdc, OBJ_PEN);
    const HGDIOBJ brush = ::GetCurrentObject(hdc, OBJ_BRUSH);
    const COLORREF textColour = ::GetTextColor(hdc);
    CFont first;
    CFont second;
    LOGFONTA description = {};
    description.lfHeight = -11;
    lstrcpyA(description.lfFaceName, "Tahoma");
    first.CreateFontIndirect(&description);
    description.lfHeight = -20;
    second.CreateFontIndirect(&description);
    {
        CKitFontDC fonts(&canvas.dc, &first, kRed);
        EXPECT_EQ(first.m_hObject, ::GetCurrentObject(hdc, OBJ_FONT));
        fonts.SetFont(&second);
        fonts.SetColor(kBlue);
        EXPECT_EQ(second.m_hObject, ::GetCurrentObject(hdc, OBJ_FONT));
        EXPECT_EQ(kBlue, ::GetTextColor(hdc));
    }
    EXPECT_EQ(font, ::GetCurrentObject(hdc, OBJ_FONT));
    EXPECT_EQ(textColour, ::GetTextColor(hdc));
    {
        CKitPenDC penDC(hdc, kRed);
        penDC.SetColor(kBlue);
        LOGPEN current = {};
        ::GetObjectA(::GetCurrentObject(hdc, OBJ_PEN), sizeof(current), &current);
        EXPECT_EQ(kBlue, current.lopnColor);
        CKitBrushDC brushDC(hdc, kRed);
        EXPECT_NE(brush, ::GetCurrentObject(hdc, OBJ_BRUSH));
    }
    EXPECT_EQ(pen, ::GetCurrentObject(hdc, OBJ_PEN));
    EXPECT_EQ(brush, ::GetCurrentObject(hdc, OBJ_BRUSH));

    CKitDrawHelpers::Triangle(&canvas.dc, CPoint(2, 2), CPoint(17, 2), CPoint(2, 17), kBlue);
    EXPECT_EQ(kBlue, canvas.Pixel(5, 5));
    EXPECT_EQ(kPaper, canvas.Pixel(16, 16));
    EXPECT_EQ(pen, ::GetCurrentObject(hdc, OBJ_PEN));

    CBitmap bitmap;
    bitmap.Attach(::CreateCompatibleBitmap(hdc, 8, 8));
    {
        CKitCompatibleDC memory(&canvas.dc, &bitmap);
        EXPECT_EQ(bitmap.m_hObject, ::GetCurrentObject(memory.m_hDC, OBJ_BITMAP));
        memory.SetPixel(1, 1, kRed);
    }
    CKitCompatibleDC again(nullptr, static_cast<HBITMAP>(bitmap.m_hObject));
    EXPECT_EQ(kRed, again.GetPixel(1, 1));
}

} // namespace

// The markup glue: null arguments, default font and colour, relaying messages, and drawing through it.
#include "toolkit/themes/paint/markup_glue.h"

#include "toolkit/markup/markup_context.h"
#include "toolkit/markup/markup_visual.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST(KitMarkupGlue, NullArgumentsGiveEmptyResults)
{
    CKitMarkupContext* pContext = nullptr;
    CKitMarkupUIElement* pElement = nullptr;
    MarkupReleaseContext(pContext);
    MarkupReleaseElement(pElement);
    EXPECT_EQ(nullptr, pContext);
    EXPECT_EQ(nullptr, pElement);
    // The text is not read without a context.
    EXPECT_EQ(nullptr, MarkupParseText(nullptr, reinterpret_cast<LPCSTR>(1)));
    const SIZE size = MarkupMeasureElement(nullptr, 100, 100);
    EXPECT_EQ(0, size.cx);
    EXPECT_EQ(0, size.cy);
    EXPECT_EQ(nullptr, MarkupGetElementContext(nullptr));
    LRESULT lResult = 7;
    EXPECT_FALSE(MarkupRelayMessage(nullptr, WM_MOUSEMOVE, 0, 0, &lResult));
    EXPECT_EQ(7, lResult);
    MarkupSetDefaultFont(nullptr, nullptr, RGB(1, 2, 3));
    RECT rc = {0, 0, 10, 10};
    MarkupRenderElement(nullptr, nullptr, &rc);
}

TEST(KitMarkupGlue, DefaultFontAndColourChangeOnlyWhatIsGiven)
{
    CKitMarkupContext* pContext = MarkupCreateContext(nullptr);
    ASSERT_NE(nullptr, pContext);
    const LOGFONTA lfBefore = pContext->GetDefaultFont();
    const COLORREF clrBefore = pContext->GetDefaultTextColor();

    MarkupSetDefaultFont(pContext, nullptr, static_cast<COLORREF>(-1));
    EXPECT_EQ(0, memcmp(&lfBefore, &pContext->GetDefaultFont(), sizeof(LOGFONTA)));
    EXPECT_EQ(clrBefore, pContext->GetDefaultTextColor());

    MarkupSetDefaultFont(pContext, nullptr, RGB(1, 2, 3));
    EXPECT_EQ(0, memcmp(&lfBefore, &pContext->GetDefaultFont(), sizeof(LOGFONTA)));
    EXPECT_EQ(RGB(1, 2, 3), pContext->GetDefaultTextColor());

    LOGFONTA lf = {};
    lf.lfHeight = -23;
    lstrcpyA(lf.lfFaceName, "Arial");
    HFONT hFont = ::CreateFontIndirectA(&lf);
    MarkupSetDefaultFont(pContext, hFont, static_cast<COLORREF>(-1));
    EXPECT_EQ(-23, pContext->GetDefaultFont().lfHeight);
    EXPECT_STREQ("Arial", pContext->GetDefaultFont().lfFaceName);
    EXPECT_EQ(RGB(1, 2, 3), pContext->GetDefaultTextColor());
    ::DeleteObject(hFont);

    // An element keeps its context; releasing the caller's context first is allowed.
    CKitMarkupUIElement* pElement = MarkupParseText(pContext, "<Border Width='12' Height='5'/>");
    ASSERT_NE(nullptr, pElement);
    EXPECT_EQ(pContext, MarkupGetElementContext(pElement));
    MarkupReleaseContext(pContext);
    EXPECT_EQ(nullptr, pContext);
    const SIZE size = MarkupMeasureElement(pElement, 100, 100);
    EXPECT_EQ(12, size.cx);
    EXPECT_EQ(5, size.cy);
    // A context without a container window takes no message.
    LRESULT lResult = 0;
    EXPECT_FALSE(MarkupRelayMessage(pElement, WM_LBUTTONDOWN, 0, MAKELPARAM(2, 2), &lResult));
    MarkupReleaseElement(pElement);
    EXPECT_EQ(nullptr, pElement);
}

// The minimise glyph of the ribbon's system frame: a 2-pixel stroke along the bottom of a 9 x 9 box.
TEST(KitMarkupGlue, RenderingTheMinimiseGlyphPaintsOnlyItsStroke)
{
    const char* pszMinimize = "<Canvas><Line X1 ='0' X2='7' Y1='8' Y2='8' StrokeThickness='2' "
                              "Stroke='{x:Static SystemColors.ActiveCaptionTextBrush}'/></Canvas>";
    // A ground the caption text colour is not.
    const DWORD dwGround = ::GetSysColor(COLOR_CAPTIONTEXT) == RGB(1, 2, 3) ? 0x040506 : 0x030201;
    CKitMarkupContext* pContext = MarkupCreateContext(nullptr);
    CKitMarkupUIElement* pElement = MarkupParseText(pContext, pszMinimize);
    ASSERT_NE(nullptr, pElement);

    HDC hdc = ::CreateCompatibleDC(nullptr);
    BITMAPINFO bmi = {};
    bmi.bmiHeader = {sizeof(BITMAPINFOHEADER), 9, -9, 1, 32, BI_RGB};
    DWORD* pBits = nullptr;
    HBITMAP hBitmap =
        ::CreateDIBSection(hdc, &bmi, DIB_RGB_COLORS, reinterpret_cast<void**>(&pBits), nullptr, 0);
    HGDIOBJ hOld = ::SelectObject(hdc, hBitmap);
    for (int i = 0; i < 81; i++)
        pBits[i] = dwGround;
    RECT rc = {0, 0, 9, 9};
    MarkupRenderElement(pElement, hdc, &rc);
    ::GdiFlush();

    std::vector<std::string> rows;
    for (int y = 0; y < 9; y++) {
        std::string row;
        for (int x = 0; x < 9; x++)
            row += (pBits[y * 9 + x] & 0xFFFFFF) == dwGround ? '.' : '#';
        rows.push_back(row);
    }
    const std::vector<std::string> expected = {
        ".........", ".........", ".........", ".........", ".........",
        ".........", ".........", "#######..", "#######..",
    };
    EXPECT_EQ(expected, rows);

    ::SelectObject(hdc, hOld);
    ::DeleteObject(hBitmap);
    ::DeleteDC(hdc);
    MarkupReleaseElement(pElement);
    MarkupReleaseContext(pContext);
}

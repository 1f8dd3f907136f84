// Windowless rich text: RTF against plain text, the fallback for a brace that starts no RTF, and the narrowest width of a text.
#include "toolkit/common/rich_render.h"

#include "support/canvas.h"

#include <gtest/gtest.h>

namespace {

constexpr int kMaxWidth = 400;

CSize Measure(CKitRichRender& render, LPCSTR lpszText)
{
    Canvas canvas(kMaxWidth, 100);
    render.SetText(lpszText);
    CSize size;
    render.GetTextExtent(size, &canvas.dc, kMaxWidth);
    return size;
}

TEST(KitRichRender, RtfAndPlainTextAreTellApart)
{
    CKitRichRender render;
    ASSERT_TRUE(render.HasTextServices());
    EXPECT_EQ(0, render.SetText(""));
    EXPECT_EQ(0, render.SetText(nullptr));
    EXPECT_GT(render.SetText("{\\rtf1 Hello}"), 0);
    // Not RTF although it starts with a brace: read as plain text, brace included.
    EXPECT_EQ(8, render.SetText("{not rtf"));
    EXPECT_EQ(5, render.SetText("plain"));

    const CSize rtf = Measure(render, "{\\rtf1 WWWW}");
    const CSize plain = Measure(render, "WWWW");
    const CSize bold = Measure(render, "{\\rtf1\\b WWWW\\b0}");
    const CSize braced = Measure(render, "{WWWW");
    ASSERT_GT(plain.cx, 0);
    EXPECT_EQ(plain, rtf);  // the control words are not shown
    EXPECT_GT(bold.cx, plain.cx);
    EXPECT_GT(braced.cx, plain.cx);
}

TEST(KitRichRender, AShortWordMeasuresAboutItsOwnWidth)
{
    CKitRichRender render;
    ASSERT_TRUE(render.HasTextServices());
    const CSize word = Measure(render, "Word");
    Canvas canvas(10, 10);
    const CSize drawn = canvas.dc.GetTextExtent("Word", 4);
    EXPECT_LT(word.cx, kMaxWidth / 4);
    EXPECT_GE(word.cx, drawn.cx / 2);
    EXPECT_GT(word.cy, 0);

    // A long text wraps within the maximum width.
    const CSize text = Measure(render, "one two three four five six seven eight nine ten eleven twelve thirteen "
                                       "fourteen fifteen sixteen seventeen eighteen nineteen twenty twenty-one");
    EXPECT_LE(text.cx, kMaxWidth + 1);
    EXPECT_GT(text.cy, word.cy);
}

} // namespace

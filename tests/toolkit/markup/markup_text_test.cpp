// Text elements and the text block: inlines and their positions, line breaking, wrapping, trimming, alignment, fonts and hit testing.
#include "markup_test_support.h"

#include "toolkit/markup/markup_controls.h"
#include "toolkit/markup/markup_drawing_context.h"
#include "toolkit/markup/markup_text_block.h"
#include "toolkit/markup/markup_text_elements.h"
#include "toolkit/markup/markup_values.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class MarkupTextTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        m_root.Attach(nullptr);
        EXPECT_EQ(1, m_context.References()) << "every element let its context go";
    }

    // The root of a text that must build, measured and arranged in a slot of width by height.
    CKitMarkupRef<CKitMarkupUIElement> Layout(const std::string& text, int width = 400, int height = 300)
    {
        BuildResult result = BuildMarkup(m_context.Get(), text);
        EXPECT_TRUE(result.root) << text << ": " << result.error;
        if (result.root) {
            CKitMarkupDrawingContext dc(m_context.Get());
            result.root->Measure(&dc, width, height);
            result.root->Arrange({0, 0, width, height});
        }
        return std::move(result.root);
    }

    // A text block laid out in a width; its root holds it.
    CKitMarkupTextBlock* Block(const std::string& attributes, const std::string& content, int width)
    {
        m_root = Layout("<TextBlock " + attributes + ">" + content + "</TextBlock>", width);
        return MarkupDynamicCast<CKitMarkupTextBlock>(m_root.Get());
    }

    // The width of a text in the context's default font, bold when asked.
    int TextWidth(const std::wstring& text, bool bold = false)
    {
        LOGFONTA description = m_context.Get()->GetDefaultFont();
        if (bold)
            description.lfWeight = FW_BOLD;
        CKitMarkupRef<CKitMarkupFont> font(m_context.Get()->GetFont(description));
        CKitMarkupDrawingContext dc(m_context.Get());
        dc.SetFont(font.Get());
        return dc.GetTextExtent(text.c_str(), static_cast<int>(text.size())).cx;
    }

    CTestMarkupContext m_context;
    CKitMarkupRef<CKitMarkupUIElement> m_root;
};

// The text of a piece: the characters of a run, "[...]" for other inlines.
std::wstring PieceText(const CKitMarkupTextPiece& piece)
{
    const CKitMarkupRun* pRun = MarkupDynamicCast<CKitMarkupRun>(piece.inlineElement.Get());
    if (pRun == nullptr)
        return L"[" + std::wstring(piece.inlineElement->GetType()->GetClassName()) + L"]";
    if (piece.nStart <= 0 || piece.nEnd < piece.nStart)
        return L"";
    return std::wstring(pRun->GetText().substr(static_cast<size_t>(piece.nStart) - 1,
                                               static_cast<size_t>(piece.nEnd - piece.nStart)));
}

// Each line as the texts of its pieces joined by "|".
std::vector<std::wstring> Lines(const CKitMarkupTextBlock* pBlock)
{
    std::vector<std::wstring> lines;
    for (const CKitMarkupTextLine& line : pBlock->GetLines()) {
        std::wstring text;
        for (const CKitMarkupTextPiece& piece : line.pieces)
            text += (text.empty() ? L"" : L"|") + PieceText(piece);
        lines.push_back(text);
    }
    return lines;
}

using Texts = std::vector<std::wstring>;

TEST_F(MarkupTextTest, HardLineBreaks)
{
    struct Case {
        const char* content;
        Texts lines;
    };
    const Case cases[] = {
        {"A&#10;B", {L"A", L"B"}},
        {"A&#10;&#10;B", {L"A", L"", L"B"}},
        {"A&#13;&#10;B", {L"A", L"B"}},
        {"&#10;A", {L"", L"A"}},
        {"A&#10;", {L"A", L""}},
    };
    for (const Case& c : cases) {
        const CKitMarkupTextBlock* pBlock = Block("", std::string("<Run>") + c.content + "</Run>", 400);
        ASSERT_NE(nullptr, pBlock) << c.content;
        EXPECT_EQ(c.lines, Lines(pBlock)) << c.content;
    }

    // A line of its own for a line break: the run before ends, the break's own line feed starts the next.
    const CKitMarkupTextBlock* pBlock = Block("", "A<LineBreak/>B", 400);
    EXPECT_EQ((Texts{L"A", L"B"}), Lines(pBlock));

    // The middle line of two line feeds, and an empty block, are as high as a blank.
    pBlock = Block("", "<Run>A&#10;&#10;B</Run>", 400);
    ASSERT_EQ(3u, pBlock->GetLines().size());
    const int lineHeight = pBlock->GetLines()[0].nHeight;
    EXPECT_GT(lineHeight, 0);
    EXPECT_EQ(lineHeight, pBlock->GetLines()[1].nHeight);
    EXPECT_EQ(3 * lineHeight, pBlock->GetDesiredSize().cy);
    pBlock = Block("", "", 400);
    EXPECT_EQ(lineHeight, pBlock->GetDesiredSize().cy);
    EXPECT_EQ(0, pBlock->GetDesiredSize().cx);

    // A carriage return is neither measured nor drawn.
    pBlock = Block("", "<Run>AB&#13;&#10;C</Run>", 400);
    EXPECT_EQ(TextWidth(L"AB"), pBlock->GetLines()[0].nWidth);
}

TEST_F(MarkupTextTest, WrappingBreaksAtBlanksAndBreaksLongWordsByCharacters)
{
    const int wordWidth = TextWidth(L"alpha beta");
    const CKitMarkupTextBlock* pBlock = Block("TextWrapping=\"Wrap\"", "alpha beta gamma", wordWidth + 2);
    EXPECT_EQ((Texts{L"alpha beta", L"gamma"}), Lines(pBlock)) << "the blank before a wrapped word is dropped";
    EXPECT_TRUE(pBlock->GetLines()[0].bWrapped);
    EXPECT_FALSE(pBlock->GetLines()[1].bWrapped);

    // A word wider than the line is broken by characters, at least one on every line.
    pBlock = Block("TextWrapping=\"Wrap\"", "Wide", 1);
    EXPECT_EQ((Texts{L"W", L"i", L"d", L"e"}), Lines(pBlock));
    pBlock = Block("TextWrapping=\"Wrap\"", "ab Wide", TextWidth(L"Wi") + 1);
    EXPECT_EQ((Texts{L"ab", L"Wi", L"de"}), Lines(pBlock));
    // With overflow the word keeps its own line.
    pBlock = Block("TextWrapping=\"WrapWithOverflow\"", "ab Wide", 1);
    EXPECT_EQ((Texts{L"ab", L"Wide"}), Lines(pBlock));
    EXPECT_EQ(TextWidth(L"Wide"), pBlock->GetLines()[1].nWidth);

    // A word split across two runs wraps as one word.
    const int width = TextWidth(L"xx ") + TextWidth(L"Bo", true) + 1;
    pBlock = Block("TextWrapping=\"Wrap\"", "xx <Bold>Bo</Bold>ld", width);
    EXPECT_EQ((Texts{L"xx", L"Bo|ld"}), Lines(pBlock));
    pBlock = Block("TextWrapping=\"Wrap\"", "xx <Bold>Bo</Bold> ld", width);
    EXPECT_EQ((Texts{L"xx |Bo", L"ld"}), Lines(pBlock)) << "two words fill the line as far as they fit";

    // Without wrapping, the line is as long as the text.
    pBlock = Block("", "alpha beta gamma delta", 10);
    EXPECT_EQ((Texts{L"alpha beta gamma delta"}), Lines(pBlock));
    EXPECT_EQ(TextWidth(L"alpha beta gamma delta"), pBlock->GetLines()[0].nWidth);
}

TEST_F(MarkupTextTest, TrimmingEndsTheLineInAnEllipsisWithinTheWidth)
{
    const int width = TextWidth(L"alpha beta gam") + TextWidth(L"...") + 1;
    struct Case {
        const char* trimming;
        const wchar_t* line;
    };
    const Case cases[] = {
        {"CharacterEllipsis", L"alpha beta gam|..."},
        {"WordEllipsis", L"alpha beta|..."},
    };
    for (const Case& c : cases) {
        const CKitMarkupTextBlock* pBlock =
            Block(std::string("TextTrimming=\"") + c.trimming + "\"", "alpha beta gamma delta", width);
        EXPECT_EQ(Texts{c.line}, Lines(pBlock)) << c.trimming;
        EXPECT_LE(pBlock->GetDesiredSize().cx, width) << c.trimming;
        const CKitMarkupTextPiece& dots = pBlock->GetLines()[0].pieces.back();
        const CKitMarkupTextPiece& text = pBlock->GetLines()[0].pieces.front();
        EXPECT_EQ(text.GetRect().right, dots.GetRect().left) << c.trimming << ": the ellipsis follows the text";
    }

    // A word too long for the line is cut where it must be; a line that fits is left as it is.
    const CKitMarkupTextBlock* pBlock =
        Block("TextTrimming=\"WordEllipsis\"", "alphabetagammadelta", TextWidth(L"alpha...") + 1);
    EXPECT_EQ((Texts{L"alpha|..."}), Lines(pBlock));
    pBlock = Block("TextTrimming=\"CharacterEllipsis\"", "alpha", TextWidth(L"alpha"));
    EXPECT_EQ((Texts{L"alpha"}), Lines(pBlock));
    // Wrapping turns trimming off.
    pBlock = Block("TextTrimming=\"CharacterEllipsis\" TextWrapping=\"Wrap\"", "alpha beta", TextWidth(L"alpha") + 1);
    EXPECT_EQ((Texts{L"alpha", L"beta"}), Lines(pBlock));
}

TEST_F(MarkupTextTest, AlignmentAndJustification)
{
    const int width = TextWidth(L"aa bb cc") + 4;
    // Wrapped lines are justified to both edges; the last line and a line ended by a break are not.
    const CKitMarkupTextBlock* pBlock = Block("TextWrapping=\"Wrap\" TextAlignment=\"Justify\"",
                                              "<Run>aa bb cc dd ee&#10;ff gg hh ii jj</Run>", width);
    ASSERT_EQ((Texts{L"aa| bb| cc", L"dd| ee", L"ff| gg| hh", L"ii| jj"}), Lines(pBlock));
    for (const CKitMarkupTextLine& line : pBlock->GetLines()) {
        const RECT last = line.pieces.back().GetRect();
        if (line.bWrapped) {
            EXPECT_EQ(width, last.right) << "a wrapped line reaches the right edge";
        } else {
            EXPECT_EQ(line.nWidth, last.right) << "an unwrapped line keeps its natural spacing";
            for (const CKitMarkupTextPiece& piece : line.pieces)
                EXPECT_EQ(0, piece.nFinalX);
        }
    }
    EXPECT_TRUE(pBlock->GetLines()[0].bWrapped);
    EXPECT_FALSE(pBlock->GetLines()[1].bWrapped) << "ended by the line feed";
    EXPECT_TRUE(pBlock->GetLines()[2].bWrapped);
    EXPECT_FALSE(pBlock->GetLines()[3].bWrapped) << "the last line";

    struct Case {
        const char* alignment;
        int offset;
    };
    const int textWidth = TextWidth(L"abc");
    const Case cases[] = {
        {"Left", 5},
        {"Right", 200 - 7 - textWidth},
        {"Center", 5 + (200 - 12 - textWidth) / 2},
        {"Justify", 5},
    };
    for (const Case& c : cases) {
        pBlock = Block(std::string("Padding=\"5,3,7,0\" TextAlignment=\"") + c.alignment + "\"", "abc", 200);
        EXPECT_EQ(c.offset, pBlock->GetLines()[0].pieces[0].GetRect().left) << c.alignment;
        EXPECT_EQ(3, pBlock->GetLines()[0].pieces[0].GetRect().top) << c.alignment;
    }
}

TEST_F(MarkupTextTest, FontsFlowFromSpansAndPiecesShareOneBaseline)
{
    auto root = Layout("<TextBlock FontSize=\"20\">"
                       "<Italic>a<Bold x:Name=\"inner\">b<Run FontWeight=\"Light\">c</Run></Bold></Italic>"
                       "<Run FontSize=\"10\" FontFamily=\"Courier New\">d</Run>"
                       "<Run FontSize=\"10\" BaselineAlignment=\"Subscript\">e</Run>"
                       "</TextBlock>");
    const CKitMarkupTextBlock* pBlock = MarkupDynamicCast<CKitMarkupTextBlock>(root.Get());
    ASSERT_NE(nullptr, pBlock);
    ASSERT_EQ(1u, pBlock->GetLines().size());
    const std::vector<CKitMarkupTextPiece>& pieces = pBlock->GetLines()[0].pieces;
    ASSERT_EQ(5u, pieces.size());
    struct Expected {
        LONG height;
        LONG weight;
        BYTE italic;
        const char* face;
    };
    const Expected expected[] = {
        {-20, FW_NORMAL, TRUE, nullptr},
        {-20, FW_BOLD, TRUE, nullptr},
        {-20, FW_LIGHT, TRUE, nullptr},
        {-10, FW_NORMAL, FALSE, "Courier New"},
        {-10, FW_NORMAL, FALSE, nullptr},
    };
    for (size_t i = 0; i < pieces.size(); ++i) {
        CKitMarkupRun* pRun = MarkupDynamicCast<CKitMarkupRun>(pieces[i].inlineElement.Get());
        ASSERT_NE(nullptr, pRun);
        LOGFONTA description = {};
        pRun->GetFontDescription(description);
        EXPECT_EQ(expected[i].height, description.lfHeight) << i;
        EXPECT_EQ(expected[i].weight, description.lfWeight) << i;
        EXPECT_EQ(expected[i].italic, description.lfItalic) << i;
        EXPECT_STREQ(expected[i].face != nullptr ? expected[i].face : m_context.Get()->GetDefaultFont().lfFaceName,
                     description.lfFaceName)
            << i;
    }

    // The small run sits on the baseline of the large ones; the subscript half the line's descent lower.
    const CKitMarkupTextLine& line = pBlock->GetLines()[0];
    const auto baseline = [](const CKitMarkupTextPiece& piece) { return piece.GetRect().bottom - piece.nDescent; };
    EXPECT_EQ(baseline(pieces[0]), baseline(pieces[4]) - line.nDescent / 2);
    EXPECT_EQ(baseline(pieces[0]), line.nHeight - line.nDescent);
    EXPECT_EQ(line.nHeight, pieces[0].nHeight);

    // A face name longer than a font description holds is cut.
    auto longName = Layout("<TextBlock FontFamily=\"ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789\">x</TextBlock>");
    const CKitMarkupTextBlock* pLong = MarkupDynamicCast<CKitMarkupTextBlock>(longName.Get());
    LOGFONTA description = {};
    static_cast<CKitMarkupRun*>(pLong->GetLines()[0].pieces[0].inlineElement.Get())->GetFontDescription(description);
    EXPECT_STREQ("ABCDEFGHIJKLMNOPQRSTUVWXYZ01234", description.lfFaceName);
}

TEST_F(MarkupTextTest, ContentBecomesInlines)
{
    // Strings become runs, elements go into inline UI containers, white space inside spans stays.
    auto root = Layout("<TextBlock>one <Button>OK</Button> two <Span><Bold>x</Bold> <Italic>y</Italic></Span></TextBlock>");
    const CKitMarkupTextBlock* pBlock = MarkupDynamicCast<CKitMarkupTextBlock>(root.Get());
    ASSERT_NE(nullptr, pBlock);
    EXPECT_EQ((Texts{L"one |[CKitMarkupInlineUIContainer]| two |x| |y"}), Lines(pBlock));
    const CKitMarkupInlineCollection* pInlines = pBlock->GetInlines();
    ASSERT_EQ(4, pInlines->GetCount());
    const CKitMarkupInlineUIContainer* pContainer = MarkupDynamicCast<CKitMarkupInlineUIContainer>(pInlines->GetAt(1));
    ASSERT_NE(nullptr, pContainer);
    EXPECT_NE(nullptr, MarkupDynamicCast<CKitMarkupButton>(pContainer->GetChild()));

    // The button sits in the line where its piece is.
    const CKitMarkupTextPiece& buttonPiece = pBlock->GetLines()[0].pieces[1];
    const CKitMarkupUIElement* pButton = pContainer->GetChild();
    EXPECT_EQ(buttonPiece.GetRect().left, pButton->GetFinalRect().left);
    EXPECT_EQ(pButton->GetDesiredSize().cx, buttonPiece.nWidth);

    // The position protocol: a line break is one line feed; an empty span is a leaf without content.
    auto other = Layout("<TextBlock><LineBreak/><Span/></TextBlock>");
    CKitMarkupInlineCollection* pOtherInlines = static_cast<CKitMarkupTextBlock*>(other.Get())->GetInlines();
    CKitMarkupInline* pBreak = pOtherInlines->GetInline(0);
    int position = pBreak->GetFirstPosition();
    EXPECT_TRUE(pBreak->IsLineBreakPosition(position));
    pBreak->GetNextPosition(position);
    EXPECT_FALSE(pBreak->IsLineBreakPosition(position));
    pBreak->GetNextPosition(position);
    EXPECT_EQ(-1, position);
    CKitMarkupInline* pSpan = pOtherInlines->GetInline(1);
    EXPECT_EQ(pSpan, pBreak->GetNextInline());
    EXPECT_EQ(pSpan, pSpan->GetFirstInline());
    EXPECT_EQ(-1, pSpan->GetFirstPosition());
    EXPECT_EQ(nullptr, pSpan->GetNextInline());

    // Text replaces the inlines by one run.
    CKitMarkupTextBlock* pChanged = static_cast<CKitMarkupTextBlock*>(root.Get());
    pChanged->SetValue(CKitMarkupTextBlock::m_pTextProperty, CKitMarkupString::CreateValue(L"new text"));
    ASSERT_EQ(1, pChanged->GetInlines()->GetCount());
    EXPECT_EQ((Texts{L"new text"}), Lines(pChanged)) << "the block laid itself out again";
}

TEST_F(MarkupTextTest, ContentErrors)
{
    struct Case {
        const char* text;
        const char* error;
    };
    const Case cases[] = {
        {"<TextBlock><Setter/></TextBlock>",
         "'CKitMarkupSetter' object cannot be added to 'CKitMarkupInlineCollection'. Object cannot be converted to "
         "type 'CKitMarkupInline'"},
        {"<TextBlock><InlineUIContainer>text</InlineUIContainer></TextBlock>",
         "'CKitMarkupString' object cannot be added to 'CKitMarkupInlineUIContainer'. Object cannot be converted to "
         "type 'CKitMarkupUIElement'"},
        {"<TextBlock><Run><Bold/></Run></TextBlock>", "Cannot add content to an object of type 'CKitMarkupRun'"},
        {"<Button><Border/><Border/></Button>",
         "'CKitMarkupButton' already has a child and cannot add 'CKitMarkupBorder'. 'CKitMarkupButton' can accept "
         "only one child."},
    };
    for (const Case& c : cases) {
        const BuildResult result = BuildMarkup(m_context.Get(), c.text);
        EXPECT_FALSE(result.root) << c.text;
        EXPECT_EQ(0u, result.error.find(std::string(c.error) + ". Line 1, position ")) << result.error;
    }
}

TEST_F(MarkupTextTest, HitsGoToTheInlineUnderThePoint)
{
    auto root = Layout("<TextBlock Background=\"White\">ab<Hyperlink x:Name=\"link\">cdefgh</Hyperlink>"
                       "<TextBlock.TextTrimming>CharacterEllipsis</TextBlock.TextTrimming></TextBlock>",
                       TextWidth(L"abc") + TextWidth(L"...") + 1, 50);
    const CKitMarkupTextBlock* pBlock = MarkupDynamicCast<CKitMarkupTextBlock>(root.Get());
    ASSERT_NE(nullptr, pBlock);
    ASSERT_EQ((Texts{L"ab|c|..."}), Lines(pBlock));
    const std::vector<CKitMarkupTextPiece>& pieces = pBlock->GetLines()[0].pieces;
    const auto middle = [](const CKitMarkupTextPiece& piece) {
        const RECT rect = piece.GetRect();
        return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    };
    EXPECT_EQ(pieces[0].inlineElement.Get(), root->InputHitTest(middle(pieces[0])));
    CKitMarkupInputElement* pHit = root->InputHitTest(middle(pieces[1]));
    EXPECT_EQ(pieces[1].inlineElement.Get(), pHit);
    EXPECT_NE(nullptr, MarkupDynamicCast<CKitMarkupHyperlink>(pHit->GetLogicalParent()->GetLogicalParent()))
        << "the run's input chain climbs to its hyperlink";
    EXPECT_EQ(root.Get(), root->InputHitTest(middle(pieces[2]))) << "the ellipsis is the block's own";
    EXPECT_EQ(root.Get(), root->InputHitTest({2, 40})) << "below the text";
}

} // namespace

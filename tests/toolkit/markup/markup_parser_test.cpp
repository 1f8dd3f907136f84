// The markup tokenizer: tokens, character references, bodies in pieces, line counting and its errors.
#include "markup_test_support.h"

#include <gtest/gtest.h>

#include <cstring>

#include <string>
#include <vector>

namespace {

using P = CKitMarkupParser;

std::vector<std::wstring> Words(const std::vector<MarkupToken>& tokens)
{
    std::vector<std::wstring> words;
    for (const MarkupToken& token : tokens) {
        if (token.kind == P::tokenWord)
            words.push_back(token.value);
    }
    return words;
}

TEST(MarkupParser, TokensOfAnElement)
{
    const auto tokens = ReadTokens("<A b='1 \"x\"' c=\"'y'\">hello  world<B/></A>");
    const std::vector<int> kinds = {P::tokenStartTag, P::tokenAttribute, P::tokenAttribute, P::tokenWord,
                                    P::tokenWhiteSpace, P::tokenWord, P::tokenStartTag, P::tokenEndElement,
                                    P::tokenEndElement, P::tokenEnd};
    ASSERT_EQ(kinds.size(), tokens.size());
    for (size_t i = 0; i < kinds.size(); ++i)
        EXPECT_EQ(kinds[i], tokens[i].kind) << "token " << i;
    EXPECT_EQ(L"A", tokens[0].text);
    EXPECT_EQ(L"b", tokens[1].text);
    EXPECT_EQ(L"1 \"x\"", tokens[1].value);
    EXPECT_EQ(L"'y'", tokens[2].value);
    EXPECT_EQ(L"  ", tokens[4].value);
    EXPECT_EQ(L"B", tokens[7].text) << "\"/>\" names the start tag";
    EXPECT_EQ(L"A", tokens[8].text);
}

TEST(MarkupParser, CharacterReferences)
{
    struct Case {
        const char* text;
        std::vector<std::wstring> words;
    };
    const Case cases[] = {
        {"<A>&#65;</A>", {L"A"}},
        {"<A>&#x41;</A>", {L"A"}},
        {"<A>&#010;</A>", {L"\x08"}},
        {"<A>&#0x41;</A>", {L"A"}},
        {"<A>&nbsp;</A>", {L"&nbsp;"}},
        {"<A>&#0;</A>", {L"&#0;"}},
        {"<A>a&amp;b</A>", {L"a", L"&b"}},
        {"<A>&lt;&gt;&quot;&apos;</A>", {L"<", L">", L"\"", L"'"}},
        {"<A>&#32;</A>", {L" "}},
        {"<A>&#x10041;</A>", {L"A"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.words, Words(ReadTokens(c.text))) << c.text;

    const auto attribute = ReadTokens("<A b=\"x&amp;y&#x42;\"/>");
    ASSERT_EQ(P::tokenAttribute, attribute[1].kind);
    EXPECT_EQ(L"x&yB", attribute[1].value);
}

TEST(MarkupParser, EntityNamesStopAfterThirtyOneCharacters)
{
    const std::string name(40, 'e');
    const auto tokens = ReadTokens("<A>&" + name + ";</A>");
    const auto words = Words(tokens);
    ASSERT_EQ(1u, words.size());
    EXPECT_EQ(L"&" + std::wstring(31, L'e') + L";" + std::wstring(9, L'e') + L";", words[0]);
}

TEST(MarkupParser, LongCommentArrivesInPieces)
{
    const std::string body(3000, 'c');
    const auto tokens = ReadTokens("<!--" + body + "--><A/>");
    ASSERT_GE(tokens.size(), 5u);
    EXPECT_EQ(P::tokenCommentStart, tokens[0].kind);
    std::vector<size_t> pieces;
    size_t i = 1;
    for (; tokens[i].kind == P::tokenBody; ++i)
        pieces.push_back(tokens[i].value.size());
    EXPECT_EQ((std::vector<size_t>{1023, 1023, 954}), pieces);
    EXPECT_EQ(P::tokenCommentEnd, tokens[i].kind);
    EXPECT_EQ(P::tokenStartTag, tokens[i + 1].kind);

    const auto cdata = ReadTokens("<A><![CDATA[x < y ]]></A>");
    EXPECT_EQ(P::tokenCDataStart, cdata[1].kind);
    EXPECT_EQ(P::tokenBody, cdata[2].kind);
    EXPECT_EQ(L"x < y ", cdata[2].value);
    EXPECT_EQ(P::tokenCDataEnd, cdata[3].kind);
}

TEST(MarkupParser, InstructionBodyHoldsNoWhiteSpace)
{
    const auto tokens = ReadTokens("<?xml version=\"1.0\" encoding = \"utf-8\" ?><A/>");
    ASSERT_GE(tokens.size(), 3u);
    EXPECT_EQ(P::tokenInstructionStart, tokens[0].kind);
    EXPECT_EQ(P::tokenBody, tokens[1].kind);
    EXPECT_EQ(L"xmlversion=\"1.0\"encoding=\"utf-8\"", tokens[1].value);
    EXPECT_EQ(P::tokenInstructionEnd, tokens[2].kind);
    EXPECT_EQ(L"xmlversion=\"1.0\"encoding=\"utf-8\"", tokens[2].value);
}

TEST(MarkupParser, LinesAndColumns)
{
    const auto tokens = ReadTokens("<A>x\r\ny</A>");
    ASSERT_EQ(P::tokenStartTag, tokens[0].kind);
    EXPECT_EQ(0, tokens[0].line);
    ASSERT_EQ(P::tokenWord, tokens[3].kind);
    EXPECT_EQ(L"y", tokens[3].value);
    EXPECT_EQ(2, tokens[3].line) << "CR and LF count as a line each";

    const auto tag = ReadTokens("\n\n  <Tag/>");
    ASSERT_EQ(P::tokenStartTag, tag[1].kind);
    EXPECT_EQ(2, tag[1].line);
    EXPECT_EQ(7, tag[1].column) << "the character after the name was read";
}

TEST(MarkupParser, FirstTagSearch)
{
    struct Case {
        const char* text;
        BOOL found;
    };
    for (const Case& c : {Case{" \t\r\n<A/>", TRUE}, Case{"<A/>", TRUE}, Case{"x<A/>", FALSE}, Case{"", FALSE},
                          Case{"   ", FALSE}}) {
        CKitMarkupParser parser;
        parser.SetInput(c.text, c.text + std::strlen(c.text));
        EXPECT_EQ(c.found, parser.SkipToFirstTag()) << "'" << c.text << "'";
    }
}

TEST(MarkupParser, LongTagNamesAreCut)
{
    const std::string name(200, 'n');
    const auto tokens = ReadTokens("<" + name + " a=\"1\"/>");
    ASSERT_EQ(P::tokenStartTag, tokens[0].kind);
    EXPECT_EQ(std::wstring(127, L'n'), tokens[0].text);
    EXPECT_EQ(P::tokenAttribute, tokens[1].kind);
    EXPECT_EQ(P::tokenEndElement, tokens[2].kind);
}

TEST(MarkupParser, Errors)
{
    struct Case {
        const char* text;
        const wchar_t* message;
    };
    const Case cases[] = {
        {"<A", L"Unexpected end of file has occurred."},
        {"</A x>", L"Unexpected token. The expected token is '>'"},
        {"<A b>", L"'>' is an unexpected token. The expected token is '='"},
        {"<A b c=\"1\">", L"Unexpected token. The expected token is '='"},
        {"<A b<", L"'<' is an unexpected token. The expected token is '='"},
        {"<A b=1>", L"Unexpected token. The expected token is '\"' or '''"},
        {"<A b=\"1>", L"Unexpected token. The expected token is '\"' or '''"},
        {"<A /x>", L"Unexpected token. The expected token is '>'"},
    };
    for (const Case& c : cases) {
        const auto tokens = ReadTokens(c.text);
        ASSERT_EQ(P::tokenError, tokens.back().kind) << c.text;
        EXPECT_EQ(std::wstring(c.message), tokens.back().value) << c.text;
    }
    // The end of input inside an attribute name ends the stream without an error.
    EXPECT_EQ(P::tokenEnd, ReadTokens("<A bc").back().kind);
}

TEST(MarkupParser, Utf8AndWideInput)
{
    const auto utf8 = ReadTokens("<A>\xC3\xA9\xE2\x82\xAC</A>", CP_UTF8);
    ASSERT_EQ(P::tokenWord, utf8[1].kind);
    EXPECT_EQ(L"\u00E9\u20AC", utf8[1].value);
    // A lone continuation byte reads as the end of the input.
    EXPECT_EQ(P::tokenEnd, ReadTokens("<A>\x80y</A>", CP_UTF8)[1].kind);
    // A sequence cut by the end of the input is the end too.
    EXPECT_EQ(P::tokenEnd, ReadTokens("<A>x\xE2\x82", CP_UTF8).back().kind);

    const std::wstring wide = L"<A b=\"\u20AC\"/>";
    CKitMarkupParser parser;
    parser.SetInput(wide.data(), wide.data() + wide.size());
    EXPECT_EQ(P::tokenStartTag, parser.GetNextToken());
    EXPECT_EQ(P::tokenAttribute, parser.GetNextToken());
    EXPECT_STREQ(L"\u20AC", parser.GetValue());
}

TEST(MarkupParser, ValueBufferGrowsForLongWords)
{
    const std::string word(5000, 'w');
    const auto words = Words(ReadTokens("<A>" + word + "</A>"));
    ASSERT_EQ(1u, words.size());
    EXPECT_EQ(5000u, words[0].size());
}

} // namespace

// XmlReplyScanner: when a reply's bytes form a whole document, when they cannot be XML, however they are split.
#include "common/xml_reply_scanner.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using State = XmlReplyScanner::State;

State ScanInPieces(const std::string& text, size_t piece, CString* root = nullptr)
{
    XmlReplyScanner scanner;
    State state = State::Incomplete;
    for (size_t at = 0; at < text.size() && state != State::NotXml; at += piece)
        state = scanner.Add(text.data() + at, std::min(piece, text.size() - at));
    if (root != nullptr)
        *root = scanner.GetRootName();
    return state;
}

TEST(XmlReplyScanner, TellsWholeIncompleteAndNotXmlWhateverTheSplit)
{
    const struct {
        std::string text;
        State state;
        const char* root;
    } cases[] = {
        {"<?xml version=\"1.0\"?><tagsdata><tag name=\"a>b\" value='1/>'/></tagsdata>", State::Whole, "tagsdata"},
        {"\xEF\xBB\xBF<?xml version=\"1.0\"?>\r\n<!-- <x> --><r/>\r\n", State::Whole, "r"},
        {"<!DOCTYPE r [<!ELEMENT r ANY>]><r><![CDATA[</r>]]></r>", State::Whole, "r"},
        {"<r><r></r></r><!-- after -->", State::Whole, "r"},
        {"<eventLog><messageData", State::Incomplete, "eventLog"},
        {"<r><r></r>", State::Incomplete, "r"},
        {"<r><!-- </r> -->", State::Incomplete, "r"},
        {"<?xml version=\"1.0\"?><tagsdata>" + std::string(5000, ' '), State::Incomplete, "tagsdata"},
        {"junk<r/>", State::NotXml, ""},
        {"<r>\x01</r>", State::NotXml, "r"},
        {"<r/><s/>", State::NotXml, "r"},
        {"</r>", State::NotXml, ""},
        {"<r/>text", State::NotXml, "r"},
        {"< r/>", State::NotXml, ""},
        {std::string("\xDC\x04" "e\xAA<r/>"), State::NotXml, ""},
    };
    for (const auto& c : cases) {
        for (size_t piece : {c.text.size(), size_t{1}, size_t{3}}) {
            CString root;
            EXPECT_EQ(c.state, ScanInPieces(c.text, piece, &root)) << c.text << " in pieces of " << piece;
            if (c.state != State::NotXml) {
                EXPECT_STREQ(c.root, root) << c.text;
            }
        }
    }
}

TEST(XmlReplyScanner, DescribesRepliesShortAndPrintable)
{
    EXPECT_STREQ("<error>x</error>", ReplyExcerpt("<?xml version=\"1.0\"?><error>x</error>"));
    EXPECT_STREQ("\\x00\\xFEab...", DescribeReplyBytes("\0\xFE" "abcdef", 8, 4));
    EXPECT_STREQ("", ReplyExcerpt(""));
}

} // namespace

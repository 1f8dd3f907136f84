#include "common/xml_reply_scanner.h"

#include <cstdio>

namespace {

const char kByteOrderMark[] = {'\xEF', '\xBB', '\xBF'};

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// Bytes below 0x20 other than the blanks have no place in a document.
bool IsControl(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x20 && !IsBlank(c);
}

bool StartsName(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c == ':' || byte >= 0x80;
}

bool EndsName(char c)
{
    return IsBlank(c) || c == '/' || c == '>';
}

} // namespace

XmlReplyScanner::State XmlReplyScanner::Add(const char* data, size_t count)
{
    for (size_t i = 0; i < count && !m_failed; ++i) {
        // A byte-order mark may open the reply.
        const size_t position = m_size + i;
        if (position < sizeof kByteOrderMark && data[i] == kByteOrderMark[position] && position == m_markBytes) {
            ++m_markBytes;
            continue;
        }
        Take(data[i]);
    }
    m_size += count;
    return GetState();
}

void XmlReplyScanner::EndStartTag(bool closesItself)
{
    if (!m_inRoot) {
        m_inRoot = true;
        m_rootName = m_name;
    }
    if (closesItself) {
        if (m_depth == 0)
            m_rootEnded = true;
    } else {
        ++m_depth;
    }
    m_mode = Mode::Text;
}

void XmlReplyScanner::Take(char c)
{
    if (IsControl(c)) {
        Fail();
        return;
    }
    switch (m_mode) {
    case Mode::Text:
        if (c == '<')
            m_mode = Mode::Open;
        else if (m_depth == 0 && !IsBlank(c))
            Fail(); // text outside the root element
        return;
    case Mode::Open:
        if (c == '?') {
            m_mode = Mode::Instruction;
        } else if (c == '!') {
            m_mode = Mode::Bang;
        } else if (c == '/') {
            if (m_depth == 0)
                Fail();
            m_mode = Mode::EndTag;
        } else if (StartsName(c) && !m_rootEnded) {
            m_name = CString(c, 1);
            m_mode = Mode::Name;
        } else {
            Fail();
        }
        return;
    case Mode::Name:
        if (!EndsName(c)) {
            if (!m_inRoot)
                m_name += c;
            return;
        }
        m_mode = Mode::StartTag;
        [[fallthrough]];
    case Mode::StartTag:
        if (c == '"' || c == '\'') {
            m_quote = c;
            m_mode = Mode::Quoted;
        } else if (c == '/') {
            m_mode = Mode::StartTagSlash;
        } else if (c == '>') {
            EndStartTag(false);
        } else if (c == '<') {
            Fail();
        }
        return;
    case Mode::StartTagSlash:
        if (c == '>')
            EndStartTag(true);
        else
            Fail();
        return;
    case Mode::Quoted:
        if (c == m_quote)
            m_mode = Mode::StartTag;
        else if (c == '<')
            Fail();
        return;
    case Mode::EndTag:
        if (c == '>') {
            if (--m_depth == 0)
                m_rootEnded = true;
            m_mode = Mode::Text;
        } else if (c == '<') {
            Fail();
        }
        return;
    case Mode::Instruction:
        if (c == '?')
            m_mode = Mode::InstructionEnd;
        return;
    case Mode::InstructionEnd:
        if (c == '>')
            m_mode = Mode::Text;
        else if (c != '?')
            m_mode = Mode::Instruction;
        return;
    case Mode::Bang:
        if (c == '-') {
            m_mode = Mode::CommentOpen;
        } else if (c == '[') {
            if (m_depth == 0)
                Fail(); // a section holds text: only inside an element
            m_mode = Mode::Section;
        } else if (m_depth == 0 && !m_inRoot && StartsName(c)) {
            m_declarationDepth = 0;
            m_mode = Mode::Declaration;
        } else {
            Fail();
        }
        return;
    case Mode::CommentOpen:
        if (c == '-')
            m_mode = Mode::Comment;
        else
            Fail();
        return;
    case Mode::Comment:
        if (c == '-')
            m_mode = Mode::CommentDash;
        return;
    case Mode::CommentDash:
        m_mode = c == '-' ? Mode::CommentDashes : Mode::Comment;
        return;
    case Mode::CommentDashes:
        if (c == '>')
            m_mode = Mode::Text;
        else if (c != '-')
            m_mode = Mode::Comment;
        return;
    case Mode::Section:
        if (c == ']')
            m_mode = Mode::SectionBracket;
        return;
    case Mode::SectionBracket:
        m_mode = c == ']' ? Mode::SectionBrackets : Mode::Section;
        return;
    case Mode::SectionBrackets:
        if (c == '>')
            m_mode = Mode::Text;
        else if (c != ']')
            m_mode = Mode::Section;
        return;
    case Mode::Declaration:
        if (c == '[')
            ++m_declarationDepth;
        else if (c == ']')
            --m_declarationDepth;
        else if (c == '>' && m_declarationDepth <= 0)
            m_mode = Mode::Text;
        return;
    }
}

CString DescribeReplyBytes(const char* data, size_t count, size_t limit)
{
    CString text;
    size_t shown = 0;
    for (size_t i = 0; i < count && shown < limit; ++i, ++shown) {
        const auto byte = static_cast<unsigned char>(data[i]);
        if (byte >= 0x20 && byte < 0x7F) {
            text += static_cast<char>(byte);
        } else {
            char escaped[8];
            snprintf(escaped, sizeof escaped, "\\x%02X", byte);
            text += escaped;
        }
    }
    if (shown < count)
        text += "...";
    return text;
}

CString ReplyExcerpt(const CString& reply, size_t limit)
{
    int start = 0;
    if (reply.Left(5) == "<?xml") {
        const int end = reply.Find("?>");
        if (end >= 0)
            start = end + 2;
    }
    const CString rest = reply.Mid(start);
    return DescribeReplyBytes(rest, static_cast<size_t>(rest.GetLength()), limit);
}

// XmlReplyScanner: follows the bytes of a module's XML reply as they arrive and tells when the document is whole, or that it cannot be XML.
#pragma once

#include "framework/strings.h"

#include <cstddef>

// Reads each byte once, however the reply is split: what a reader of a
// reply that may never end needs to know without parsing the text again
// after every piece. It checks the shape of the markup (tags, comments,
// processing instructions, sections, quotes and the depth of the elements),
// not names or entities: a whole document still has to be parsed.
class XmlReplyScanner {
public:
    enum class State {
        // More bytes may still make a document.
        Incomplete,
        // The root element has ended, outside any markup.
        Whole,
        // No document can start with these bytes (a control character, text or
        // an end tag outside the root, a second root, a "<" that starts nothing).
        NotXml,
    };

    // Takes the next bytes of the reply; the state after them.
    State Add(const char* data, size_t count);
    State GetState() const { return m_failed ? State::NotXml : (IsWhole() ? State::Whole : State::Incomplete); }
    // The name of the root element once its start tag has ended; empty before.
    const CString& GetRootName() const { return m_rootName; }
    // Bytes taken so far.
    size_t GetSize() const { return m_size; }

private:
    enum class Mode {
        Text,
        Open,           // after "<"
        Name,           // the name of a start tag
        StartTag,       // the rest of a start tag
        StartTagSlash,  // "/" in a start tag
        Quoted,         // an attribute value
        EndTag,
        Instruction,    // "<?" ... "?>"
        InstructionEnd, // "?" in an instruction
        Bang,           // after "<!"
        CommentOpen,    // after "<!-"
        Comment,
        CommentDash,
        CommentDashes,
        Section,        // "<![" ... "]]>"
        SectionBracket,
        SectionBrackets,
        Declaration,    // "<!DOCTYPE" ... ">"
    };

    bool IsWhole() const { return m_rootEnded && m_depth == 0 && m_mode == Mode::Text; }
    void Fail() { m_failed = true; }
    void Take(char c);
    void EndStartTag(bool closesItself);

    Mode m_mode = Mode::Text;
    char m_quote = 0;
    // Open elements; the nesting of a declaration's internal subset.
    size_t m_depth = 0;
    int m_declarationDepth = 0;
    bool m_inRoot = false;
    bool m_rootEnded = false;
    bool m_failed = false;
    // The name of the start tag being read while the root's is not known.
    CString m_name;
    CString m_rootName;
    size_t m_size = 0;
    size_t m_markBytes = 0;
};

// A short, printable account of bytes a module sent, for an error message:
// up to limit characters, others than printable ones as "\xHH", "..." when cut.
CString DescribeReplyBytes(const char* data, size_t count, size_t limit = 80);
// The same account of a reply after its XML declaration.
CString ReplyExcerpt(const CString& reply, size_t limit = 80);

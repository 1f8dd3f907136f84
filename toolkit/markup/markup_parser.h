// CKitMarkupParser: the pull tokenizer of the markup language.
#pragma once

#include <windows.h>

#include <string_view>
#include <vector>

#include "toolkit/markup/markup_limits.h"

// Turns narrow (or 16-bit) text into tokens one request at a time, decoding
// character references and counting lines and columns. It does not copy or
// own the input.
class CKitMarkupParser {
public:
    // Token kinds returned by GetNextToken.
    enum Token {
        tokenError = -1,            // GetValue holds the message
        tokenEnd = 0,               // end of input
        tokenStartTag = 1,          // GetTagName
        tokenEndElement = 2,        // an end tag or "/>"; GetTagName
        tokenAttribute = 3,         // GetAttributeName and GetValue
        tokenWord = 4,              // GetValue
        tokenWhiteSpace = 5,        // GetValue
        tokenBody = 6,              // a piece of a comment, CDATA section or instruction; GetValue
        tokenCommentStart = 7,
        tokenCommentEnd = 8,
        tokenCDataStart = 9,
        tokenCDataEnd = 10,
        tokenInstructionStart = 11,
        tokenInstructionEnd = 12,   // GetValue still holds the instruction body
    };

    CKitMarkupParser();
    virtual ~CKitMarkupParser();
    CKitMarkupParser(const CKitMarkupParser&) = delete;
    CKitMarkupParser& operator=(const CKitMarkupParser&) = delete;

    // Narrow input from start up to (not including) end.
    void SetInput(LPCSTR lpszStart, LPCSTR lpszEnd);
    // 16-bit input from start up to (not including) end.
    void SetInput(LPCWSTR lpszStart, LPCWSTR lpszEnd);
    // Code page of narrow input: 0 the system's ANSI code page, 65001 UTF-8.
    void SetCodePage(UINT nCodePage) { m_nCodePage = nCodePage; }
    UINT GetCodePage() const { return m_nCodePage; }

    // Skips white space; TRUE when the first other character is "<".
    BOOL SkipToFirstTag();
    int GetNextToken();

    LPCWSTR GetValue();
    int GetValueLength() const { return m_nValueLength; }
    std::wstring_view GetValueView() const { return std::wstring_view(m_value.data(), static_cast<size_t>(m_nValueLength)); }
    LPCWSTR GetTagName() const { return m_szTagName; }
    int GetTagNameLength() const { return m_nTagNameLength; }
    LPCWSTR GetAttributeName() const { return m_szAttributeName; }
    int GetAttributeNameLength() const { return m_nAttributeNameLength; }
    // Zero-based line and column of the last character read.
    int GetLine() const { return m_nLine; }
    int GetColumn() const { return m_nColumn; }

protected:
    // The character a numeric reference names (its low 16 bits), or 0.
    virtual WCHAR ResolveEntity(LPCWSTR lpszName, int nLength);

private:
    enum State { stateText, stateTag, stateAttribute, stateComment, stateCData, stateInstruction };

    WCHAR ReadChar();
    WCHAR ReadNonWhiteSpace();
    void PushBack(WCHAR c) { m_chPushedBack = c; }
    void AppendValue(WCHAR c);
    void AppendName(WCHAR* pszName, int& nLength, WCHAR c);
    int SetError(LPCWSTR lpszMessage);

    int ScanText();
    int ScanTag();
    int ScanAttribute();
    int ScanBody(std::wstring_view terminator, bool bStoreWhiteSpace, int nEndToken);
    // After "&": the decoded character; an unknown entity is appended literally and ";" returned.
    WCHAR ReadEntity();

    State m_state;
    std::vector<WCHAR> m_value;
    int m_nValueLength;
    WCHAR m_szTagName[kMarkupNameMaxLength + 1];
    int m_nTagNameLength;
    WCHAR m_szAttributeName[kMarkupNameMaxLength + 1];
    int m_nAttributeNameLength;
    WCHAR m_chPushedBack;
    BOOL m_bContentDone;
    int m_nLine;
    int m_nColumn;
    BOOL m_bWideInput;
    UINT m_nCodePage;
    const BYTE* m_pEnd;
    const BYTE* m_pCurrent;
};

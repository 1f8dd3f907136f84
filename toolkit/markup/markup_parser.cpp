#include "toolkit/markup/markup_parser.h"

#include "toolkit/common/system.h"
#include "toolkit/markup/markup_text.h"

#include <cstdio>
#include <cstring>
#include <utility>

namespace {

bool IsHexDigit(WCHAR c)
{
    return (c >= L'0' && c <= L'9') || (c >= L'a' && c <= L'f') || (c >= L'A' && c <= L'F');
}

// One byte (or a lead byte with its trail byte) in the code page; 0 when it does not convert.
WCHAR ConvertBytes(UINT nCodePage, const BYTE* pBytes, int nCount)
{
    WCHAR c = 0;
    if (::MultiByteToWideChar(nCodePage, 0, reinterpret_cast<LPCSTR>(pBytes), nCount, &c, 1) != 1)
        return 0;
    return c;
}

} // namespace

CKitMarkupParser::CKitMarkupParser()
    : m_state(stateText),
      m_value(kMarkupValueInitialCapacity),
      m_nValueLength(0),
      m_szTagName{},
      m_nTagNameLength(0),
      m_szAttributeName{},
      m_nAttributeNameLength(0),
      m_chPushedBack(0),
      m_bContentDone(FALSE),
      m_nLine(0),
      m_nColumn(0),
      m_bWideInput(FALSE),
      m_nCodePage(0),
      m_pEnd(nullptr),
      m_pCurrent(nullptr)
{
}

CKitMarkupParser::~CKitMarkupParser() = default;

void CKitMarkupParser::SetInput(LPCSTR lpszStart, LPCSTR lpszEnd)
{
    m_pCurrent = reinterpret_cast<const BYTE*>(lpszStart);
    m_pEnd = reinterpret_cast<const BYTE*>(lpszEnd);
    m_bWideInput = FALSE;
}

void CKitMarkupParser::SetInput(LPCWSTR lpszStart, LPCWSTR lpszEnd)
{
    m_pCurrent = reinterpret_cast<const BYTE*>(lpszStart);
    m_pEnd = reinterpret_cast<const BYTE*>(lpszEnd);
    m_bWideInput = TRUE;
}

LPCWSTR CKitMarkupParser::GetValue()
{
    m_value[static_cast<size_t>(m_nValueLength)] = L'\0';
    return m_value.data();
}

WCHAR CKitMarkupParser::ReadChar()
{
    if (m_chPushedBack != 0)
        return std::exchange(m_chPushedBack, WCHAR(0));
    if (m_pCurrent == nullptr || m_pCurrent >= m_pEnd)
        return 0;
    const ptrdiff_t left = m_pEnd - m_pCurrent;
    WCHAR c = 0;
    if (m_bWideInput) {
        if (left < 2) {
            m_pCurrent = m_pEnd;
            return 0;
        }
        std::memcpy(&c, m_pCurrent, sizeof(c));
        m_pCurrent += 2;
    } else if (m_nCodePage == CP_UTF8) {
        const BYTE b = *m_pCurrent++;
        if (b < 0x80) {
            c = b;
        } else if ((b & 0xF0) == 0xE0) {
            if (left < 3) {
                m_pCurrent = m_pEnd;
                return 0;
            }
            c = static_cast<WCHAR>(((b & 0x0F) << 12) | ((m_pCurrent[0] & 0x3F) << 6) | (m_pCurrent[1] & 0x3F));
            m_pCurrent += 2;
        } else if ((b & 0xE0) == 0xC0) {
            if (left < 2) {
                m_pCurrent = m_pEnd;
                return 0;
            }
            c = static_cast<WCHAR>(((b & 0x1F) << 6) | (m_pCurrent[0] & 0x3F));
            m_pCurrent += 1;
        } else {
            return 0;
        }
    } else {
        const BYTE b = *m_pCurrent++;
        if (GetOemCodePageMaxCharSize() <= 1) {
            c = b < 0x80 ? WCHAR(b) : ConvertBytes(m_nCodePage, &b, 1);
        } else if (::IsDBCSLeadByteEx(m_nCodePage != 0 ? m_nCodePage : CP_ACP, b) && m_pCurrent < m_pEnd) {
            const BYTE pair[2] = {b, *m_pCurrent++};
            c = ConvertBytes(m_nCodePage, pair, 2);
        } else {
            c = b < 0x80 ? WCHAR(b) : ConvertBytes(m_nCodePage, &b, 1);
        }
    }
    if (c == 0)
        return 0;
    ++m_nColumn;
    if (c == L'\r' || c == L'\n') {
        ++m_nLine;
        m_nColumn = 0;
    }
    return c;
}

WCHAR CKitMarkupParser::ReadNonWhiteSpace()
{
    WCHAR c = ReadChar();
    while (IsMarkupWhiteSpace(c))
        c = ReadChar();
    return c;
}

void CKitMarkupParser::AppendValue(WCHAR c)
{
    if (m_nValueLength >= static_cast<int>(m_value.size()) - 1)
        m_value.resize(m_value.size() * 2);
    m_value[static_cast<size_t>(m_nValueLength++)] = c;
}

void CKitMarkupParser::AppendName(WCHAR* pszName, int& nLength, WCHAR c)
{
    if (nLength >= kMarkupNameMaxLength)
        return;
    pszName[nLength++] = c;
    pszName[nLength] = L'\0';
}

int CKitMarkupParser::SetError(LPCWSTR lpszMessage)
{
    m_nValueLength = 0;
    for (; *lpszMessage != L'\0' && m_nValueLength < kMarkupParserMessageMaxLength; ++lpszMessage)
        AppendValue(*lpszMessage);
    return tokenError;
}

BOOL CKitMarkupParser::SkipToFirstTag()
{
    const WCHAR c = ReadNonWhiteSpace();
    if (c != L'<')
        return FALSE;
    PushBack(c);
    return TRUE;
}

int CKitMarkupParser::GetNextToken()
{
    switch (m_state) {
    case stateAttribute:
        return ScanAttribute();
    case stateComment:
        return ScanBody(L"-->", true, tokenCommentEnd);
    case stateCData:
        return ScanBody(L"]]>", true, tokenCDataEnd);
    case stateInstruction:
        return ScanBody(L"?>", false, tokenInstructionEnd);
    case stateText:
    case stateTag:
    default:
        return ScanText();
    }
}

int CKitMarkupParser::ScanText()
{
    m_nValueLength = 0;
    WCHAR c = ReadChar();
    if (c == 0)
        return tokenEnd;
    if (c == L'<')
        return ScanTag();
    bool whiteSpace = false;
    if (c == L'&')
        c = ReadEntity();
    else
        whiteSpace = IsMarkupWhiteSpace(c);
    AppendValue(c);
    for (;;) {
        c = ReadChar();
        if (c == 0)
            break;
        if (c == L'<' || c == L'&' || IsMarkupWhiteSpace(c) != whiteSpace) {
            PushBack(c);
            break;
        }
        AppendValue(c);
    }
    return whiteSpace ? tokenWhiteSpace : tokenWord;
}

int CKitMarkupParser::ScanTag()
{
    m_nTagNameLength = 0;
    m_szTagName[0] = L'\0';
    WCHAR c = ReadChar();
    bool endTag = false;
    if (c == L'/') {
        endTag = true;
        c = ReadChar();
    }
    if (c == L'?') {
        m_state = stateInstruction;
        return tokenInstructionStart;
    }
    for (;;) {
        if (c == 0)
            return SetError(L"Unexpected end of file has occurred.");
        if (IsMarkupWhiteSpace(c)) {
            c = ReadNonWhiteSpace();
            break;
        }
        if (c == L'/')
            break;
        if (c == L'>') {
            if (endTag)
                return tokenEndElement;
            PushBack(c);
            m_state = stateAttribute;
            return tokenStartTag;
        }
        AppendName(m_szTagName, m_nTagNameLength, c);
        const std::wstring_view name(m_szTagName, static_cast<size_t>(m_nTagNameLength));
        if (name == L"!--") {
            m_state = stateComment;
            return tokenCommentStart;
        }
        if (name == L"![CDATA[") {
            m_state = stateCData;
            return tokenCDataStart;
        }
        c = ReadChar();
    }
    if (c == 0)
        return SetError(L"Unexpected end of file has occurred.");
    if (!endTag) {
        PushBack(c);
        m_state = stateAttribute;
        return tokenStartTag;
    }
    if (c == L'>')
        return tokenEndElement;
    return SetError(L"Unexpected token. The expected token is '>'");
}

int CKitMarkupParser::ScanAttribute()
{
    WCHAR c = ReadNonWhiteSpace();
    if (c == L'>') {
        m_state = stateText;
        return ScanText();
    }
    if (c == L'/') {
        c = ReadChar();
        if (c == L'>') {
            m_state = stateText;
            return tokenEndElement;
        }
        PushBack(c);
        return SetError(L"Unexpected token. The expected token is '>'");
    }
    m_nAttributeNameLength = 0;
    m_szAttributeName[0] = L'\0';
    m_nValueLength = 0;
    for (;; c = ReadChar()) {
        if (c == 0)
            return tokenEnd;
        if (c == L'=')
            break;
        if (c == L'>')
            return SetError(L"'>' is an unexpected token. The expected token is '='");
        if (IsMarkupWhiteSpace(c)) {
            c = ReadNonWhiteSpace();
            if (c != L'=')
                return SetError(L"Unexpected token. The expected token is '='");
            break;
        }
        if (c == L'<')
            return SetError(L"'<' is an unexpected token. The expected token is '='");
        AppendName(m_szAttributeName, m_nAttributeNameLength, c);
    }
    const WCHAR quote = ReadNonWhiteSpace();
    if (quote != L'"' && quote != L'\'')
        return SetError(L"Unexpected token. The expected token is '\"' or '''");
    for (;;) {
        c = ReadChar();
        if (c == 0)
            return SetError(L"Unexpected token. The expected token is '\"' or '''");
        if (c == quote)
            break;
        if (c == L'&')
            c = ReadEntity();
        AppendValue(c);
    }
    return tokenAttribute;
}

int CKitMarkupParser::ScanBody(std::wstring_view terminator, bool bStoreWhiteSpace, int nEndToken)
{
    if (m_bContentDone) {
        m_bContentDone = FALSE;
        m_state = stateText;
        return nEndToken;
    }
    m_nValueLength = 0;
    const int terminatorLength = static_cast<int>(terminator.size());
    for (;;) {
        const WCHAR c = ReadChar();
        if (c == 0)
            return tokenEnd;
        if (!bStoreWhiteSpace && IsMarkupWhiteSpace(c))
            continue;
        m_value[static_cast<size_t>(m_nValueLength++)] = c;
        if (m_nValueLength >= terminatorLength &&
            GetValueView().substr(static_cast<size_t>(m_nValueLength - terminatorLength)) == terminator) {
            m_nValueLength -= terminatorLength;
            m_bContentDone = TRUE;
            return tokenBody;
        }
        if (m_nValueLength == kMarkupBodyPieceLength)
            return tokenBody;
    }
}

WCHAR CKitMarkupParser::ReadEntity()
{
    WCHAR name[kMarkupEntityMaxLength + 1] = {};
    int length = 0;
    while (length < kMarkupEntityMaxLength) {
        const WCHAR c = ReadChar();
        if (c == 0 || c == L';')
            break;
        name[length++] = c;
    }
    const std::wstring_view entity(name, static_cast<size_t>(length));
    if (entity == L"gt")
        return L'>';
    if (entity == L"lt")
        return L'<';
    if (entity == L"amp")
        return L'&';
    if (entity == L"apos")
        return L'\'';
    if (entity == L"quot")
        return L'"';
    const WCHAR resolved = ResolveEntity(name, length);
    if (resolved != 0)
        return resolved;
    AppendValue(L'&');
    for (const WCHAR c : entity)
        AppendValue(c);
    return L';';
}

WCHAR CKitMarkupParser::ResolveEntity(LPCWSTR lpszName, int nLength)
{
    if (nLength < 2 || lpszName[0] != L'#')
        return 0;
    bool hexadecimal = nLength >= 3 && lpszName[1] == L'x';
    for (int i = 2; hexadecimal && i < nLength; ++i)
        hexadecimal = IsHexDigit(lpszName[i]);
    if (hexadecimal) {
        unsigned value = 0;
        if (swscanf(lpszName + 2, L"%x", &value) != 1)
            return 0;
        return static_cast<WCHAR>(value & 0xFFFF);
    }
    int value = 0;
    if (swscanf(lpszName + 1, L"%i", &value) != 1)
        return 0;
    return static_cast<WCHAR>(value & 0xFFFF);
}

// Helpers of the markup tests: building texts through a context, collecting parser tokens.
#pragma once

#include "toolkit/markup/markup_builder.h"
#include "toolkit/markup/markup_context.h"
#include "toolkit/markup/markup_parser.h"
#include "toolkit/markup/markup_visual.h"

#include <string>
#include <vector>

// A markup context for one test, released at the end.
class CTestMarkupContext {
public:
    explicit CTestMarkupContext(HWND hContainer = nullptr) : m_pContext(new CKitMarkupContext(hContainer)) {}
    ~CTestMarkupContext() { m_pContext->Release(); }
    CTestMarkupContext(const CTestMarkupContext&) = delete;
    CTestMarkupContext& operator=(const CTestMarkupContext&) = delete;

    CKitMarkupContext* Get() const { return m_pContext; }
    // The references held on the context (1 when no element of it lives).
    LONG References() const
    {
        const LONG count = m_pContext->AddRef() - 1;
        m_pContext->Release();
        return count;
    }

private:
    CKitMarkupContext* m_pContext;
};

// The outcome of one build: the root (held) or the error text.
struct BuildResult {
    CKitMarkupRef<CKitMarkupUIElement> root;
    std::string error;
};

inline BuildResult BuildMarkup(CKitMarkupContext* pContext, const std::string& text)
{
    BuildResult result;
    CString error;
    result.root.Attach(pContext->Parse(text.c_str(), &error));
    result.error = (LPCSTR)error;
    return result;
}

// One parser token with its texts.
struct MarkupToken {
    int kind;
    std::wstring text; // value, tag name (start and end tokens) or attribute name
    std::wstring value;
    int line;
    int column;
};

// Every token of a narrow text up to the end of input or the first error.
inline std::vector<MarkupToken> ReadTokens(const std::string& text, UINT nCodePage = 0)
{
    CKitMarkupParser parser;
    parser.SetInput(text.data(), text.data() + text.size());
    parser.SetCodePage(nCodePage);
    std::vector<MarkupToken> tokens;
    for (;;) {
        const int kind = parser.GetNextToken();
        MarkupToken token{kind, L"", L"", parser.GetLine(), parser.GetColumn()};
        if (kind == CKitMarkupParser::tokenStartTag || kind == CKitMarkupParser::tokenEndElement)
            token.text = parser.GetTagName();
        else if (kind == CKitMarkupParser::tokenAttribute)
            token.text = parser.GetAttributeName();
        if (kind != CKitMarkupParser::tokenStartTag && kind != CKitMarkupParser::tokenEndElement)
            token.value = parser.GetValue();
        tokens.push_back(token);
        if (kind == CKitMarkupParser::tokenEnd || kind == CKitMarkupParser::tokenError)
            return tokens;
    }
}

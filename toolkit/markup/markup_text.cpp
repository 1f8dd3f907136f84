#include "toolkit/markup/markup_text.h"

#include <climits>

namespace {

wchar_t FoldLetter(wchar_t c)
{
    return (c >= L'a' && c <= L'z') ? static_cast<wchar_t>(c - L'a' + L'A') : c;
}

} // namespace

CString MarkupNarrow(std::wstring_view text)
{
    if (text.empty())
        return CString();
    return CString(text.data(), static_cast<int>(text.size()));
}

bool MarkupEqualsNoCase(std::wstring_view text, std::wstring_view word)
{
    if (text.size() != word.size())
        return false;
    for (size_t i = 0; i < text.size(); ++i) {
        if (FoldLetter(text[i]) != FoldLetter(word[i]))
            return false;
    }
    return true;
}

bool MarkupEndsWithNoCase(std::wstring_view text, std::wstring_view word)
{
    return text.size() >= word.size() && MarkupEqualsNoCase(text.substr(text.size() - word.size()), word);
}

int MarkupClampToInt(long long value)
{
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return static_cast<int>(value);
}

int MarkupLeadingInteger(std::wstring_view text)
{
    size_t i = 0;
    while (i < text.size() && (IsMarkupWhiteSpace(text[i]) || text[i] == L'\v'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == L'-' || text[i] == L'+')) {
        negative = text[i] == L'-';
        ++i;
    }
    long long value = 0;
    for (; i < text.size() && text[i] >= L'0' && text[i] <= L'9'; ++i) {
        if (value <= INT_MAX)
            value = value * 10 + (text[i] - L'0');
    }
    return MarkupClampToInt(negative ? -value : value);
}

// Text helpers of the markup engine: narrow conversion, case-insensitive words, leading integers.
#pragma once

#include <windows.h>

#include <string_view>

#include "framework/strings.h"

// The text in the system code page.
CString MarkupNarrow(std::wstring_view text);
inline CString MarkupNarrow(LPCWSTR lpszText)
{
    return MarkupNarrow(lpszText != nullptr ? std::wstring_view(lpszText) : std::wstring_view());
}

// Equal texts, letters A-Z compared without case.
bool MarkupEqualsNoCase(std::wstring_view text, std::wstring_view word);
// The text ends with the word, letters A-Z compared without case.
bool MarkupEndsWithNoCase(std::wstring_view text, std::wstring_view word);

// Space, tab, line feed, carriage return and form feed.
inline bool IsMarkupWhiteSpace(wchar_t c)
{
    return c == L' ' || c == L'\t' || c == L'\n' || c == L'\r' || c == L'\f';
}

// The integer at the start of the text: leading white space, an optional sign
// and decimal digits; 0 without digits; held to the 32-bit range.
int MarkupLeadingInteger(std::wstring_view text);

// A value held to the 32-bit signed range.
int MarkupClampToInt(long long value);

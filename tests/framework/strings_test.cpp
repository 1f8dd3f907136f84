#include "framework/core.h"
#include "support/expect_exception.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace {

TEST(CStringFormat, FormatsLikePrintf)
{
    CString s;
    s.Format("%d items in %s, %5.2f%%", 3, "list", 12.345);
    EXPECT_STREQ("3 items in list, 12.35%", s);

    s.AppendFormat(" [%c%03u]", 'x', 7u);
    EXPECT_STREQ("3 items in list, 12.35% [x007]", s);

    s.Format("%lld|%llu", -9000000000LL, 18000000000ULL);
    EXPECT_STREQ("-9000000000|18000000000", s);
}

TEST(CStringFormat, OutputLongerThanAnyGuessAndOwnTextAsArgument)
{
    const std::string wide(5000, 'w');
    CString s;
    s.Format("<%s>", wide.c_str());
    ASSERT_EQ(5002, s.GetLength());
    EXPECT_EQ('>', s[5001]);

    CString self("ab");
    self.Format("%s-%s", static_cast<LPCSTR>(self), static_cast<LPCSTR>(self));
    EXPECT_STREQ("ab-ab", self);
}

TEST(CStringSearch, FindAndReverseFind)
{
    struct Case {
        const char* text;
        const char* needle;
        int start;
        int expected;
    };
    const Case cases[] = {
        {"hello world", "o", 0, 4},
        {"hello world", "o", 5, 7},
        {"hello world", "o", 8, -1},
        {"hello world", "world", 0, 6},
        {"hello world", "worlds", 0, -1},
        {"hello world", "", 3, 3},
        {"hello world", "h", -1, -1},
        {"hello world", "d", 10, 10},
        {"hello world", "d", 11, -1},
        {"", "a", 0, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.text) + " / " + c.needle + " from " + std::to_string(c.start));
        EXPECT_EQ(c.expected, CString(c.text).Find(c.needle, c.start));
        if (std::strlen(c.needle) == 1) {
            EXPECT_EQ(c.expected, CString(c.text).Find(c.needle[0], c.start));
        }
    }

    const CString path("C:\\dir\\file.ext");
    EXPECT_EQ(6, path.ReverseFind('\\'));
    EXPECT_EQ(-1, path.ReverseFind('/'));
    EXPECT_EQ(2, path.FindOneOf("\\."));
    EXPECT_EQ(-1, path.FindOneOf("#"));
    EXPECT_STREQ("C:", path.SpanExcluding("\\"));
    EXPECT_STREQ("", path.SpanIncluding("abc"));
    EXPECT_STREQ("aab", CString("aabxa").SpanIncluding("ab"));
}

TEST(CStringExtract, LeftMidRightClampOutOfRangeCounts)
{
    struct Case {
        const char* call;
        std::function<CString(const CString&)> extract;
        const char* expected;
    };
    const Case cases[] = {
        {"Left(3)", [](const CString& s) { return s.Left(3); }, "abc"},
        {"Left(0)", [](const CString& s) { return s.Left(0); }, ""},
        {"Left(-2)", [](const CString& s) { return s.Left(-2); }, ""},
        {"Left(99)", [](const CString& s) { return s.Left(99); }, "abcdef"},
        {"Right(2)", [](const CString& s) { return s.Right(2); }, "ef"},
        {"Right(-1)", [](const CString& s) { return s.Right(-1); }, ""},
        {"Right(99)", [](const CString& s) { return s.Right(99); }, "abcdef"},
        {"Mid(2)", [](const CString& s) { return s.Mid(2); }, "cdef"},
        {"Mid(2, 3)", [](const CString& s) { return s.Mid(2, 3); }, "cde"},
        {"Mid(4, 99)", [](const CString& s) { return s.Mid(4, 99); }, "ef"},
        {"Mid(-3, 2)", [](const CString& s) { return s.Mid(-3, 2); }, "ab"},
        {"Mid(-3)", [](const CString& s) { return s.Mid(-3); }, "abcdef"},
        {"Mid(6)", [](const CString& s) { return s.Mid(6); }, ""},
        {"Mid(99, 2)", [](const CString& s) { return s.Mid(99, 2); }, ""},
        {"Mid(2, -1)", [](const CString& s) { return s.Mid(2, -1); }, ""},
        {"Mid(1, INT_MAX)", [](const CString& s) { return s.Mid(1, INT_MAX); }, "bcdef"},
        {"Mid(INT_MAX, INT_MAX)", [](const CString& s) { return s.Mid(INT_MAX, INT_MAX); }, ""},
    };
    const CString text("abcdef");
    for (const Case& c : cases)
        EXPECT_STREQ(c.expected, c.extract(text)) << c.call;
}

TEST(CStringEdit, ReplaceRemoveInsertDelete)
{
    struct Case {
        const char* text;
        const char* from;
        const char* to;
        const char* expected;
        int count;
    };
    const Case cases[] = {
        {"a.b.c", ".", "::", "a::b::c", 2},
        {"aaaa", "aa", "a", "aa", 2},
        {"abc", "x", "y", "abc", 0},
        {"abc", "", "y", "abc", 0},
        {"abcabc", "abc", "", "", 2},
        {"abab", "ab", "abab", "abababab", 2},
    };
    for (const Case& c : cases) {
        CString s(c.text);
        EXPECT_EQ(c.count, s.Replace(c.from, c.to)) << c.text << " " << c.from;
        EXPECT_STREQ(c.expected, s) << c.text << " " << c.from;
    }

    CString s("a-b-c");
    EXPECT_EQ(2, s.Replace('-', '+'));
    EXPECT_STREQ("a+b+c", s);
    EXPECT_EQ(0, s.Replace('+', '+'));
    EXPECT_EQ(2, s.Remove('+'));
    EXPECT_STREQ("abc", s);

    EXPECT_EQ(4, s.Insert(1, 'X'));
    EXPECT_EQ(6, s.Insert(99, "YZ"));
    EXPECT_EQ(7, s.Insert(-5, '<'));
    EXPECT_STREQ("<aXbcYZ", s);
    EXPECT_EQ(5, s.Delete(2, 2));
    EXPECT_STREQ("<acYZ", s);
    EXPECT_EQ(3, s.Delete(3, 99));
    EXPECT_EQ(3, s.Delete(99, 1));
    EXPECT_EQ(3, s.Delete(1, -1));
    EXPECT_STREQ("<ac", s);
}

TEST(CStringEdit, TrimWhitespaceCharOrSet)
{
    struct Case {
        const char* call;
        std::function<void(CString&)> trim;
        const char* text;
        const char* expected;
    };
    const Case cases[] = {
        {"Trim()", [](CString& s) { s.Trim(); }, " \t\r\n x y \n", "x y"},
        {"TrimLeft()", [](CString& s) { s.TrimLeft(); }, "  x  ", "x  "},
        {"TrimRight()", [](CString& s) { s.TrimRight(); }, "  x  ", "  x"},
        {"Trim('*')", [](CString& s) { s.Trim('*'); }, "**x*y**", "x*y"},
        {"TrimLeft('*')", [](CString& s) { s.TrimLeft('*'); }, "**x**", "x**"},
        {"TrimRight(\"*-\")", [](CString& s) { s.TrimRight("*-"); }, "-x-*-*", "-x"},
        {"Trim(\"ab\")", [](CString& s) { s.Trim("ab"); }, "abba", ""},
        {"Trim() of blanks", [](CString& s) { s.Trim(); }, "   ", ""},
        {"Trim(\"\")", [](CString& s) { s.Trim(""); }, " x ", " x "},
    };
    for (const Case& c : cases) {
        CString s(c.text);
        c.trim(s);
        EXPECT_STREQ(c.expected, s) << c.call;
    }
}

TEST(CStringCompare, CaseSensitiveAndInsensitive)
{
    struct Case {
        const char* a;
        const char* b;
        int compare;
        int compareNoCase;
    };
    const Case cases[] = {
        {"abc", "abc", 0, 0},
        {"Hello", "hELLO", -1, 0},
        {"abc", "ABD", 1, -1},
        {"ab", "abc", -1, -1},
        {"", "", 0, 0},
        {"b", "A", 1, 1},
    };
    auto sign = [](int v) { return (v > 0) - (v < 0); };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.a) + " vs " + c.b);
        EXPECT_EQ(c.compare, sign(CString(c.a).Compare(c.b)));
        EXPECT_EQ(c.compareNoCase, sign(CString(c.a).CompareNoCase(c.b)));
        EXPECT_EQ(c.compare == 0, CString(c.a) == c.b);
        EXPECT_EQ(c.compare != 0, c.a != CString(c.b));
        EXPECT_EQ(c.compare < 0, CString(c.a) < CString(c.b));
        EXPECT_EQ(c.compare > 0, c.a > CString(c.b));
        EXPECT_EQ(c.compare <= 0, CString(c.a) <= c.b);
        EXPECT_EQ(c.compare >= 0, CString(c.a) >= CString(c.b));
    }
}

TEST(CStringEdit, ConcatenationCaseAndReverse)
{
    const CString a("ab");
    EXPECT_STREQ("abcd", a + "cd");
    EXPECT_STREQ("cdab", "cd" + a);
    EXPECT_STREQ("abab", a + a);
    EXPECT_STREQ("ab!", a + '!');
    EXPECT_STREQ("!ab", '!' + a);

    CString s;
    s += "x";
    s += 'y';
    s += a;
    s += L"z";
    EXPECT_STREQ("xyabz", s);
    EXPECT_STREQ("XYABZ", s.MakeUpper());
    EXPECT_STREQ("xyabz", s.MakeLower());
    EXPECT_STREQ("zbayx", s.MakeReverse());
    EXPECT_STREQ("---", CString('-', 3));
}

TEST(CStringAccess, IndexBeyondTheTextThrows)
{
    CString s("abc");
    EXPECT_EQ('c', s.GetAt(2));
    EXPECT_EQ('\0', s[3]);
    s.SetAt(0, 'X');
    EXPECT_STREQ("Xbc", s);
    EXPECT_TRUE(ThrowsFrameworkException<CInvalidArgException>([&] { s.GetAt(4); }));
    EXPECT_TRUE(ThrowsFrameworkException<CInvalidArgException>([&] { s.GetAt(-1); }));
    EXPECT_TRUE(ThrowsFrameworkException<CInvalidArgException>([&] { s.SetAt(3, 'x'); }));
    EXPECT_TRUE(ThrowsFrameworkException<CInvalidArgException>([&] { CString(static_cast<LPCSTR>(nullptr), 3); }));
}

TEST(CStringTokenize, SkipsLeadingDelimitersAndEndsWithMinusOne)
{
    const CString text(",, alpha, beta;;gamma ;");
    std::vector<std::string> tokens;
    int pos = 0;
    for (CString token = text.Tokenize(",; ", pos); pos != -1; token = text.Tokenize(",; ", pos))
        tokens.push_back(token.GetString());
    EXPECT_EQ((std::vector<std::string>{"alpha", "beta", "gamma"}), tokens);

    pos = 0;
    EXPECT_STREQ("", CString(";;;").Tokenize(";", pos));
    EXPECT_EQ(-1, pos);

    pos = 3;
    EXPECT_STREQ("", CString("abc").Tokenize(",", pos));
    EXPECT_EQ(-1, pos);

    pos = 0;
    EXPECT_STREQ("a b", CString("a b").Tokenize("", pos));
    EXPECT_STREQ("", CString("a b").Tokenize("", pos));
    EXPECT_EQ(-1, pos);
}

TEST(CStringTokenize, ExtractSubString)
{
    struct Case {
        const char* full;
        int index;
        char separator;
        BOOL found;
        const char* expected;
    };
    const Case cases[] = {
        {"a\nb\nc", 0, '\n', TRUE, "a"},
        {"a\nb\nc", 1, '\n', TRUE, "b"},
        {"a\nb\nc", 2, '\n', TRUE, "c"},
        {"a\nb\nc", 3, '\n', FALSE, ""},
        {"x,,z", 1, ',', TRUE, ""},
        {"x,,z", 2, ',', TRUE, "z"},
        {"", 0, ',', TRUE, ""},
        {"", 1, ',', FALSE, ""},
        {"no separator", 0, ';', TRUE, "no separator"},
    };
    for (const Case& c : cases) {
        CString out("stale");
        EXPECT_EQ(c.found, AfxExtractSubString(out, c.full, c.index, c.separator)) << c.full << " #" << c.index;
        EXPECT_STREQ(c.expected, out) << c.full << " #" << c.index;
    }
    CString out;
    EXPECT_FALSE(AfxExtractSubString(out, nullptr, 0, ','));
}

TEST(CStringBuffer, GetBufferAndReleaseBuffer)
{
    CString s("keep");
    char* buffer = s.GetBuffer(MAX_PATH);
    EXPECT_STREQ("keep", buffer);
    const DWORD length = ::GetModuleFileNameA(nullptr, buffer, MAX_PATH);
    s.ReleaseBuffer();
    ASSERT_GT(length, 0u);
    EXPECT_EQ(static_cast<int>(length), s.GetLength());
    EXPECT_STREQ(".exe", s.Right(4).MakeLower());

    s = "abcdef";
    s.GetBuffer(2);
    s.ReleaseBuffer(3);
    EXPECT_STREQ("abc", s);

    buffer = s.GetBufferSetLength(4);
    std::memset(buffer, 'x', 4);
    s.ReleaseBuffer();
    EXPECT_STREQ("xxxx", s);

    buffer = s.GetBuffer(10);
    buffer[1] = '\0';
    s.ReleaseBuffer(-1);
    EXPECT_EQ(1, s.GetLength());
}

TEST(CStringWide, ConvertsThroughTheSystemCodePage)
{
    ASSERT_EQ(1252u, ::GetACP());
    EXPECT_STREQ("\xe9", CString(L"\u00e9"));
    EXPECT_STREQ("a\xe9z", CString(L"a\u00e9zzz", 3));

    const CStringW wide(CString("caf\xe9"));
    EXPECT_EQ(4, wide.GetLength());
    EXPECT_STREQ(L"caf\u00e9", wide);
    EXPECT_STREQ("caf\xe9", CString(wide));
    EXPECT_TRUE(CStringW().IsEmpty());
    EXPECT_STREQ(L"\u00e9t\u00e9", CStringW("\xe9t\xe9"));

    BSTR bstr = CString("\xe9t\xe9").AllocSysString();
    ASSERT_NE(nullptr, bstr);
    EXPECT_EQ(3u, ::SysStringLen(bstr));
    EXPECT_STREQ(L"\u00e9t\u00e9", bstr);
    ::SysFreeString(bstr);
}

} // namespace

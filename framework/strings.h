// CString, CStringW: 8-bit text in the system code page and wide text; AfxExtractSubString.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <cstdarg>
#include <string>

#if defined(__GNUC__)
#define KOR_PRINTF_FORMAT(fmt, first) __attribute__((format(__MINGW_PRINTF_FORMAT, fmt, first)))
#else
#define KOR_PRINTF_FORMAT(fmt, first)
#endif

class CStringW;

// Text in the system code page, one byte per character position.
class CString {
public:
    CString() = default;
    CString(const CString&) = default;
    CString(CString&&) noexcept = default;
    // A pointer made by MAKEINTRESOURCE loads that string from the resources.
    CString(LPCSTR psz);
    CString(const unsigned char* psz);
    CString(LPCSTR pch, int nLength);
    CString(LPCWSTR psz);
    CString(LPCWSTR pch, int nLength);
    CString(const CStringW& str);
    explicit CString(char ch, int nRepeat = 1);

    CString& operator=(const CString&) = default;
    CString& operator=(CString&&) noexcept = default;
    CString& operator=(LPCSTR psz);
    CString& operator=(LPCWSTR psz);
    CString& operator=(const unsigned char* psz);
    CString& operator=(char ch);

    operator LPCSTR() const noexcept { return m_text.c_str(); }
    LPCSTR GetString() const noexcept { return m_text.c_str(); }
    int GetLength() const noexcept { return static_cast<int>(m_text.size()); }
    bool IsEmpty() const noexcept { return m_text.empty(); }
    void Empty() noexcept { m_text.clear(); }
    void Preallocate(int nLength);

    // Index GetLength() reads the terminating null; beyond throws CInvalidArgException*.
    char GetAt(int iChar) const;
    char operator[](int iChar) const { return GetAt(iChar); }
    void SetAt(int iChar, char ch);

    CString& operator+=(const CString& str);
    CString& operator+=(LPCSTR psz);
    CString& operator+=(char ch);
    CString& operator+=(LPCWSTR psz);
    void Append(const CString& str) { *this += str; }
    void Append(LPCSTR psz) { *this += psz; }
    void Append(LPCSTR pch, int nLength);
    void AppendChar(char ch) { m_text.push_back(ch); }

    void Format(LPCSTR pszFormat, ...) KOR_PRINTF_FORMAT(2, 3);
    void Format(UINT nFormatID, ...);
    void FormatV(LPCSTR pszFormat, va_list args);
    void AppendFormat(LPCSTR pszFormat, ...) KOR_PRINTF_FORMAT(2, 3);
    void AppendFormatV(LPCSTR pszFormat, va_list args);

    int Compare(LPCSTR psz) const;
    int CompareNoCase(LPCSTR psz) const;
    int Collate(LPCSTR psz) const;
    int CollateNoCase(LPCSTR psz) const;

    int Find(char ch, int iStart = 0) const;
    int Find(LPCSTR pszSub, int iStart = 0) const;
    int ReverseFind(char ch) const;
    int FindOneOf(LPCSTR pszCharSet) const;

    CString Left(int nCount) const;
    CString Mid(int iFirst) const;
    CString Mid(int iFirst, int nCount) const;
    CString Right(int nCount) const;
    CString SpanIncluding(LPCSTR pszCharSet) const;
    CString SpanExcluding(LPCSTR pszCharSet) const;
    // Framework tokenizing: skips leading delimiters; at the end returns an
    // empty string and sets iStart to -1.
    CString Tokenize(LPCSTR pszTokens, int& iStart) const;

    int Replace(char chOld, char chNew);
    int Replace(LPCSTR pszOld, LPCSTR pszNew);
    int Remove(char ch);
    int Insert(int iIndex, char ch);
    int Insert(int iIndex, LPCSTR psz);
    int Delete(int iIndex, int nCount = 1);

    CString& MakeUpper();
    CString& MakeLower();
    CString& MakeReverse();

    CString& Trim();
    CString& Trim(char chTarget);
    CString& Trim(LPCSTR pszTargets);
    CString& TrimLeft();
    CString& TrimLeft(char chTarget);
    CString& TrimLeft(LPCSTR pszTargets);
    CString& TrimRight();
    CString& TrimRight(char chTarget);
    CString& TrimRight(LPCSTR pszTargets);

    // The pointer stays valid until ReleaseBuffer; it holds at least
    // nMinBufferLength characters plus a terminating null.
    LPSTR GetBuffer();
    LPSTR GetBuffer(int nMinBufferLength);
    LPSTR GetBufferSetLength(int nLength);
    // nNewLength -1 takes the length up to the first null.
    void ReleaseBuffer(int nNewLength = -1);
    void ReleaseBufferSetLength(int nNewLength) { ReleaseBuffer(nNewLength); }

    // Loads a string from the resource module; FALSE when it is missing.
    BOOL LoadString(UINT nID);
    BOOL LoadString(HINSTANCE hInstance, UINT nID);

    BSTR AllocSysString() const;

    friend CString operator+(const CString& a, const CString& b);
    friend CString operator+(const CString& a, LPCSTR b);
    friend CString operator+(LPCSTR a, const CString& b);
    friend CString operator+(const CString& a, char b);
    friend CString operator+(char a, const CString& b);

private:
    std::string m_text;
};

bool operator==(const CString& a, const CString& b);
bool operator==(const CString& a, LPCSTR b);
bool operator==(LPCSTR a, const CString& b);
bool operator!=(const CString& a, const CString& b);
bool operator!=(const CString& a, LPCSTR b);
bool operator!=(LPCSTR a, const CString& b);
bool operator<(const CString& a, const CString& b);
bool operator<(const CString& a, LPCSTR b);
bool operator<(LPCSTR a, const CString& b);
bool operator>(const CString& a, const CString& b);
bool operator>(const CString& a, LPCSTR b);
bool operator>(LPCSTR a, const CString& b);
bool operator<=(const CString& a, const CString& b);
bool operator<=(const CString& a, LPCSTR b);
bool operator<=(LPCSTR a, const CString& b);
bool operator>=(const CString& a, const CString& b);
bool operator>=(const CString& a, LPCSTR b);
bool operator>=(LPCSTR a, const CString& b);

// Wide text; converts to and from CString through the system code page.
class CStringW {
public:
    CStringW() = default;
    CStringW(LPCWSTR psz) : m_text(psz ? psz : L"") {}
    CStringW(LPCWSTR pch, int nLength);
    CStringW(LPCSTR psz);
    CStringW(const CString& str);

    operator LPCWSTR() const noexcept { return m_text.c_str(); }
    LPCWSTR GetString() const noexcept { return m_text.c_str(); }
    int GetLength() const noexcept { return static_cast<int>(m_text.size()); }
    bool IsEmpty() const noexcept { return m_text.empty(); }
    void Empty() noexcept { m_text.clear(); }

    friend bool operator==(const CStringW& a, const CStringW& b) { return a.m_text == b.m_text; }
    friend bool operator!=(const CStringW& a, const CStringW& b) { return a.m_text != b.m_text; }

private:
    std::wstring m_text;
};

// Copies the iSubString-th field of a chSep-separated list into rString;
// FALSE (and rString empty) when there are fewer fields.
BOOL AfxExtractSubString(CString& rString, LPCSTR lpszFullString, int iSubString, char chSep = '\n');

#include "framework/strings.h"

#include "framework/exceptions.h"
#include "framework/module.h"

#include <mbstring.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstring>

namespace {

const char kWhitespace[] = " \t\n\v\f\r";

std::string NarrowFromWide(LPCWSTR pch, int nLength)
{
    std::string text;
    if (pch == nullptr || nLength <= 0)
        return text;
    int needed = ::WideCharToMultiByte(CP_ACP, 0, pch, nLength, nullptr, 0, nullptr, nullptr);
    if (needed <= 0)
        return text;
    text.resize(static_cast<size_t>(needed));
    ::WideCharToMultiByte(CP_ACP, 0, pch, nLength, &text[0], needed, nullptr, nullptr);
    return text;
}

std::wstring WideFromNarrow(LPCSTR pch, int nLength)
{
    std::wstring text;
    if (pch == nullptr || nLength <= 0)
        return text;
    int needed = ::MultiByteToWideChar(CP_ACP, 0, pch, nLength, nullptr, 0);
    if (needed <= 0)
        return text;
    text.resize(static_cast<size_t>(needed));
    ::MultiByteToWideChar(CP_ACP, 0, pch, nLength, &text[0], needed);
    return text;
}

int CheckedLength(size_t length)
{
    if (length > static_cast<size_t>(INT_MAX))
        AfxThrowMemoryException();
    return static_cast<int>(length);
}

std::string FormatText(LPCSTR pszFormat, va_list args)
{
    if (pszFormat == nullptr)
        AfxThrowInvalidArgException();
    va_list measure;
    va_copy(measure, args);
    int needed = std::vsnprintf(nullptr, 0, pszFormat, measure);
    va_end(measure);
    if (needed < 0)
        AfxThrowInvalidArgException();
    std::string text(static_cast<size_t>(needed), '\0');
    std::vsnprintf(&text[0], text.size() + 1, pszFormat, args);
    return text;
}

const unsigned char* Bytes(LPCSTR psz)
{
    return reinterpret_cast<const unsigned char*>(psz ? psz : "");
}

int ToInt(size_t index)
{
    return index == std::string::npos ? -1 : static_cast<int>(index);
}

} // namespace

CString::CString(LPCSTR psz)
{
    if (psz != nullptr && IS_INTRESOURCE(psz))
        LoadString(LOWORD(reinterpret_cast<ULONG_PTR>(psz)));
    else if (psz != nullptr)
        m_text = psz;
}

CString::CString(const unsigned char* psz) : CString(reinterpret_cast<LPCSTR>(psz)) {}

CString::CString(LPCSTR pch, int nLength)
{
    if (nLength < 0 || (pch == nullptr && nLength > 0))
        AfxThrowInvalidArgException();
    if (nLength > 0)
        m_text.assign(pch, static_cast<size_t>(nLength));
}

CString::CString(LPCWSTR psz)
{
    if (psz != nullptr)
        m_text = NarrowFromWide(psz, CheckedLength(wcslen(psz)));
}

CString::CString(LPCWSTR pch, int nLength)
{
    if (nLength < 0 || (pch == nullptr && nLength > 0))
        AfxThrowInvalidArgException();
    m_text = NarrowFromWide(pch, nLength);
}

CString::CString(const CStringW& str) : m_text(NarrowFromWide(str.GetString(), str.GetLength())) {}

CString::CString(char ch, int nRepeat)
{
    if (nRepeat > 0)
        m_text.assign(static_cast<size_t>(nRepeat), ch);
}

CString& CString::operator=(LPCSTR psz)
{
    CString copy(psz);
    m_text.swap(copy.m_text);
    return *this;
}

CString& CString::operator=(LPCWSTR psz)
{
    CString copy(psz);
    m_text.swap(copy.m_text);
    return *this;
}

CString& CString::operator=(const unsigned char* psz)
{
    return *this = reinterpret_cast<LPCSTR>(psz);
}

CString& CString::operator=(char ch)
{
    m_text.assign(1, ch);
    return *this;
}

void CString::Preallocate(int nLength)
{
    if (nLength > 0)
        m_text.reserve(static_cast<size_t>(nLength));
}

char CString::GetAt(int iChar) const
{
    if (iChar < 0 || iChar > GetLength())
        AfxThrowInvalidArgException();
    return m_text.c_str()[iChar];
}

void CString::SetAt(int iChar, char ch)
{
    if (iChar < 0 || iChar >= GetLength())
        AfxThrowInvalidArgException();
    m_text[static_cast<size_t>(iChar)] = ch;
}

CString& CString::operator+=(const CString& str)
{
    m_text += str.m_text;
    return *this;
}

CString& CString::operator+=(LPCSTR psz)
{
    if (psz != nullptr)
        m_text += psz;
    return *this;
}

CString& CString::operator+=(char ch)
{
    m_text.push_back(ch);
    return *this;
}

CString& CString::operator+=(LPCWSTR psz)
{
    return *this += CString(psz);
}

void CString::Append(LPCSTR pch, int nLength)
{
    if (nLength < 0 || (pch == nullptr && nLength > 0))
        AfxThrowInvalidArgException();
    if (nLength > 0)
        m_text.append(pch, static_cast<size_t>(nLength));
}

void CString::Format(LPCSTR pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    FormatV(pszFormat, args);
    va_end(args);
}

void CString::Format(UINT nFormatID, ...)
{
    CString format;
    if (!format.LoadString(nFormatID))
        AfxThrowInvalidArgException();
    va_list args;
    va_start(args, nFormatID);
    FormatV(format, args);
    va_end(args);
}

void CString::FormatV(LPCSTR pszFormat, va_list args)
{
    m_text = FormatText(pszFormat, args);
}

void CString::AppendFormat(LPCSTR pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    AppendFormatV(pszFormat, args);
    va_end(args);
}

void CString::AppendFormatV(LPCSTR pszFormat, va_list args)
{
    m_text += FormatText(pszFormat, args);
}

int CString::Compare(LPCSTR psz) const
{
    return std::strcmp(m_text.c_str(), psz ? psz : "");
}

int CString::CompareNoCase(LPCSTR psz) const
{
    return _mbsicmp(Bytes(m_text.c_str()), Bytes(psz));
}

int CString::Collate(LPCSTR psz) const
{
    return _mbscoll(Bytes(m_text.c_str()), Bytes(psz));
}

int CString::CollateNoCase(LPCSTR psz) const
{
    return _mbsicoll(Bytes(m_text.c_str()), Bytes(psz));
}

int CString::Find(char ch, int iStart) const
{
    if (iStart < 0 || iStart >= GetLength())
        return -1;
    return ToInt(m_text.find(ch, static_cast<size_t>(iStart)));
}

int CString::Find(LPCSTR pszSub, int iStart) const
{
    if (pszSub == nullptr || iStart < 0 || iStart > GetLength())
        return -1;
    return ToInt(m_text.find(pszSub, static_cast<size_t>(iStart)));
}

int CString::ReverseFind(char ch) const
{
    return ToInt(m_text.rfind(ch));
}

int CString::FindOneOf(LPCSTR pszCharSet) const
{
    if (pszCharSet == nullptr)
        return -1;
    return ToInt(m_text.find_first_of(pszCharSet));
}

CString CString::Left(int nCount) const
{
    nCount = std::max(nCount, 0);
    if (nCount >= GetLength())
        return *this;
    return CString(m_text.data(), nCount);
}

CString CString::Mid(int iFirst) const
{
    return Mid(iFirst, static_cast<int>(std::clamp<long long>(
        static_cast<long long>(GetLength()) - iFirst, 0, INT_MAX)));
}

CString CString::Mid(int iFirst, int nCount) const
{
    long long first = std::max(iFirst, 0);
    long long count = std::max(nCount, 0);
    const long long length = GetLength();
    if (first >= length)
        return CString();
    count = std::min(count, length - first);
    if (first == 0 && count == length)
        return *this;
    return CString(m_text.data() + first, static_cast<int>(count));
}

CString CString::Right(int nCount) const
{
    nCount = std::max(nCount, 0);
    if (nCount >= GetLength())
        return *this;
    return CString(m_text.data() + (GetLength() - nCount), nCount);
}

CString CString::SpanIncluding(LPCSTR pszCharSet) const
{
    size_t end = m_text.find_first_not_of(pszCharSet ? pszCharSet : "");
    return Left(end == std::string::npos ? GetLength() : static_cast<int>(end));
}

CString CString::SpanExcluding(LPCSTR pszCharSet) const
{
    if (pszCharSet == nullptr)
        return *this;
    size_t end = m_text.find_first_of(pszCharSet);
    return Left(end == std::string::npos ? GetLength() : static_cast<int>(end));
}

CString CString::Tokenize(LPCSTR pszTokens, int& iStart) const
{
    if (iStart < 0)
        AfxThrowInvalidArgException();
    const size_t start = static_cast<size_t>(iStart);
    if (pszTokens == nullptr || *pszTokens == '\0') {
        if (start < m_text.size()) {
            iStart = GetLength();
            return Mid(static_cast<int>(start));
        }
    } else if (start < m_text.size()) {
        size_t first = m_text.find_first_not_of(pszTokens, start);
        if (first != std::string::npos) {
            size_t last = m_text.find_first_of(pszTokens, first);
            if (last == std::string::npos)
                last = m_text.size();
            iStart = static_cast<int>(last) + 1;
            return CString(m_text.data() + first, static_cast<int>(last - first));
        }
    }
    iStart = -1;
    return CString();
}

int CString::Replace(char chOld, char chNew)
{
    if (chOld == chNew)
        return 0;
    int count = 0;
    for (char& ch : m_text) {
        if (ch == chOld) {
            ch = chNew;
            ++count;
        }
    }
    return count;
}

int CString::Replace(LPCSTR pszOld, LPCSTR pszNew)
{
    if (pszOld == nullptr || *pszOld == '\0')
        return 0;
    const size_t oldLength = std::strlen(pszOld);
    const std::string replacement = pszNew ? pszNew : "";
    int count = 0;
    std::string result;
    size_t from = 0;
    for (size_t at = m_text.find(pszOld); at != std::string::npos; at = m_text.find(pszOld, from)) {
        result.append(m_text, from, at - from);
        result += replacement;
        from = at + oldLength;
        ++count;
    }
    if (count > 0) {
        result.append(m_text, from, std::string::npos);
        m_text.swap(result);
    }
    return count;
}

int CString::Remove(char ch)
{
    const size_t before = m_text.size();
    m_text.erase(std::remove(m_text.begin(), m_text.end(), ch), m_text.end());
    return static_cast<int>(before - m_text.size());
}

int CString::Insert(int iIndex, char ch)
{
    iIndex = std::clamp(iIndex, 0, GetLength());
    m_text.insert(static_cast<size_t>(iIndex), 1, ch);
    return GetLength();
}

int CString::Insert(int iIndex, LPCSTR psz)
{
    iIndex = std::clamp(iIndex, 0, GetLength());
    if (psz != nullptr)
        m_text.insert(static_cast<size_t>(iIndex), psz);
    return GetLength();
}

int CString::Delete(int iIndex, int nCount)
{
    const long long index = std::max(iIndex, 0);
    const long long length = GetLength();
    long long count = std::max(nCount, 0);
    if (index + count > length)
        count = length - index;
    if (count > 0)
        m_text.erase(static_cast<size_t>(index), static_cast<size_t>(count));
    return GetLength();
}

CString& CString::MakeUpper()
{
    _mbsupr(reinterpret_cast<unsigned char*>(&m_text[0]));
    return *this;
}

CString& CString::MakeLower()
{
    _mbslwr(reinterpret_cast<unsigned char*>(&m_text[0]));
    return *this;
}

CString& CString::MakeReverse()
{
    std::reverse(m_text.begin(), m_text.end());
    return *this;
}

CString& CString::Trim()
{
    return TrimRight().TrimLeft();
}

CString& CString::Trim(char chTarget)
{
    return TrimRight(chTarget).TrimLeft(chTarget);
}

CString& CString::Trim(LPCSTR pszTargets)
{
    return TrimRight(pszTargets).TrimLeft(pszTargets);
}

CString& CString::TrimLeft()
{
    return TrimLeft(kWhitespace);
}

CString& CString::TrimLeft(char chTarget)
{
    const char targets[2] = {chTarget, '\0'};
    return TrimLeft(targets);
}

CString& CString::TrimLeft(LPCSTR pszTargets)
{
    if (pszTargets == nullptr || *pszTargets == '\0')
        return *this;
    m_text.erase(0, std::min(m_text.find_first_not_of(pszTargets), m_text.size()));
    return *this;
}

CString& CString::TrimRight()
{
    return TrimRight(kWhitespace);
}

CString& CString::TrimRight(char chTarget)
{
    const char targets[2] = {chTarget, '\0'};
    return TrimRight(targets);
}

CString& CString::TrimRight(LPCSTR pszTargets)
{
    if (pszTargets == nullptr || *pszTargets == '\0')
        return *this;
    size_t last = m_text.find_last_not_of(pszTargets);
    m_text.erase(last == std::string::npos ? 0 : last + 1);
    return *this;
}

LPSTR CString::GetBuffer()
{
    return &m_text[0];
}

LPSTR CString::GetBuffer(int nMinBufferLength)
{
    if (nMinBufferLength < 0)
        AfxThrowInvalidArgException();
    if (static_cast<size_t>(nMinBufferLength) > m_text.size())
        m_text.resize(static_cast<size_t>(nMinBufferLength));
    return &m_text[0];
}

LPSTR CString::GetBufferSetLength(int nLength)
{
    if (nLength < 0)
        AfxThrowInvalidArgException();
    m_text.resize(static_cast<size_t>(nLength));
    return &m_text[0];
}

void CString::ReleaseBuffer(int nNewLength)
{
    size_t length;
    if (nNewLength == -1)
        length = strnlen(m_text.c_str(), m_text.size());
    else if (nNewLength < 0)
        AfxThrowInvalidArgException();
    else
        length = std::min(static_cast<size_t>(nNewLength), m_text.size());
    m_text.resize(length);
}

BOOL CString::LoadString(UINT nID)
{
    return LoadString(AfxGetResourceHandle(), nID);
}

BOOL CString::LoadString(HINSTANCE hInstance, UINT nID)
{
    // With a zero buffer size the call hands back a pointer into the resource.
    LPCWSTR resource = nullptr;
    int length = ::LoadStringW(hInstance, nID, reinterpret_cast<LPWSTR>(&resource), 0);
    if (length <= 0 || resource == nullptr)
        return FALSE;
    m_text = NarrowFromWide(resource, length);
    return TRUE;
}

BSTR CString::AllocSysString() const
{
    std::wstring wide = WideFromNarrow(m_text.data(), GetLength());
    BSTR result = ::SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
    if (result == nullptr)
        AfxThrowMemoryException();
    return result;
}

CString operator+(const CString& a, const CString& b)
{
    CString result(a);
    result.m_text += b.m_text;
    return result;
}

CString operator+(const CString& a, LPCSTR b)
{
    CString result(a);
    result += b;
    return result;
}

CString operator+(LPCSTR a, const CString& b)
{
    CString result(a);
    result += b;
    return result;
}

CString operator+(const CString& a, char b)
{
    CString result(a);
    result += b;
    return result;
}

CString operator+(char a, const CString& b)
{
    CString result(a);
    result += b;
    return result;
}

bool operator==(const CString& a, const CString& b) { return a.Compare(b) == 0; }
bool operator==(const CString& a, LPCSTR b) { return a.Compare(b) == 0; }
bool operator==(LPCSTR a, const CString& b) { return b.Compare(a) == 0; }
bool operator!=(const CString& a, const CString& b) { return a.Compare(b) != 0; }
bool operator!=(const CString& a, LPCSTR b) { return a.Compare(b) != 0; }
bool operator!=(LPCSTR a, const CString& b) { return b.Compare(a) != 0; }
bool operator<(const CString& a, const CString& b) { return a.Compare(b) < 0; }
bool operator<(const CString& a, LPCSTR b) { return a.Compare(b) < 0; }
bool operator<(LPCSTR a, const CString& b) { return b.Compare(a) > 0; }
bool operator>(const CString& a, const CString& b) { return a.Compare(b) > 0; }
bool operator>(const CString& a, LPCSTR b) { return a.Compare(b) > 0; }
bool operator>(LPCSTR a, const CString& b) { return b.Compare(a) < 0; }
bool operator<=(const CString& a, const CString& b) { return a.Compare(b) <= 0; }
bool operator<=(const CString& a, LPCSTR b) { return a.Compare(b) <= 0; }
bool operator<=(LPCSTR a, const CString& b) { return b.Compare(a) >= 0; }
bool operator>=(const CString& a, const CString& b) { return a.Compare(b) >= 0; }
bool operator>=(const CString& a, LPCSTR b) { return a.Compare(b) >= 0; }
bool operator>=(LPCSTR a, const CString& b) { return b.Compare(a) <= 0; }

CStringW::CStringW(LPCWSTR pch, int nLength)
{
    if (nLength < 0 || (pch == nullptr && nLength > 0))
        AfxThrowInvalidArgException();
    if (nLength > 0)
        m_text.assign(pch, static_cast<size_t>(nLength));
}

CStringW::CStringW(LPCSTR psz)
{
    if (psz != nullptr)
        m_text = WideFromNarrow(psz, CheckedLength(std::strlen(psz)));
}

CStringW::CStringW(const CString& str) : m_text(WideFromNarrow(str.GetString(), str.GetLength())) {}

BOOL AfxExtractSubString(CString& rString, LPCSTR lpszFullString, int iSubString, char chSep)
{
    if (lpszFullString == nullptr || iSubString < 0) {
        rString.Empty();
        return FALSE;
    }
    while (iSubString-- > 0) {
        lpszFullString = std::strchr(lpszFullString, chSep);
        if (lpszFullString == nullptr || chSep == '\0') {
            rString.Empty();
            return FALSE;
        }
        ++lpszFullString;
    }
    const char* end = std::strchr(lpszFullString, chSep);
    size_t length = end ? static_cast<size_t>(end - lpszFullString) : std::strlen(lpszFullString);
    rString = CString(lpszFullString, CheckedLength(length));
    return TRUE;
}

#include "toolkit/markup/markup_values.h"

#include "toolkit/markup/markup_builder.h"
#include "toolkit/markup/markup_converters.h"
#include "toolkit/markup/markup_text.h"

#include <cmath>
#include <cstdio>
#include <cwchar>

namespace {

// Fraction digits beyond this many do not change a double.
constexpr int kMaxFractionDigits = 17;

const CKitMarkupString* AsString(CKitMarkupObject* pObject)
{
    return MarkupDynamicCast<CKitMarkupString>(pObject);
}

template <class T>
const T* SameType(const CKitMarkupObject* pSelf, const CKitMarkupObject* pOther)
{
    if (pOther == nullptr || pOther->GetType() != pSelf->GetType())
        return nullptr;
    return static_cast<const T*>(pOther);
}

void SkipSpaces(LPCWSTR& p)
{
    while (*p == L' ')
        ++p;
}

// Digits with at most one point, up to a character for which isEnd is true;
// FALSE on an empty number, a second point or any other character.
template <class IsEnd>
BOOL ReadDigits(LPCWSTR& p, IsEnd isEnd, double& value)
{
    double whole = 0.0;
    double fraction = 0.0;
    double scale = 1.0;
    int fractionDigits = 0;
    bool point = false;
    bool digits = false;
    for (;; ++p) {
        const wchar_t c = *p;
        if (c >= L'0' && c <= L'9') {
            digits = true;
            if (!point) {
                whole = whole * 10.0 + (c - L'0');
            } else if (fractionDigits < kMaxFractionDigits) {
                fraction = fraction * 10.0 + (c - L'0');
                scale *= 10.0;
                ++fractionDigits;
            }
        } else if (c == L'.') {
            if (point)
                return FALSE;
            point = true;
        } else if (c == L'\0' || isEnd(c)) {
            break;
        } else {
            return FALSE;
        }
    }
    value = whole + fraction / scale;
    return digits && std::isfinite(value);
}

} // namespace

int MarkupIntValue(const CKitMarkupObject* pObject, CKitMarkupDependencyProperty* pProperty, int nDefault)
{
    CKitMarkupObject* pValue = pObject->GetValue(pProperty);
    if (const CKitMarkupInt* pInt = MarkupDynamicCast<CKitMarkupInt>(pValue))
        return pInt->GetValue();
    if (const CKitMarkupEnum* pEnum = MarkupDynamicCast<CKitMarkupEnum>(pValue))
        return pEnum->GetValue();
    return nDefault;
}

// CKitMarkupInt

CKitMarkupObject* CKitMarkupInt::ConvertFrom(CKitMarkupBuilder*, CKitMarkupObject* pObject)
{
    const CKitMarkupString* pText = AsString(pObject);
    if (pText == nullptr)
        return nullptr;
    return new CKitMarkupInt(MarkupLeadingInteger(pText->GetView()));
}

BOOL CKitMarkupInt::IsEqual(const CKitMarkupObject* pOther) const
{
    const CKitMarkupInt* pInt = SameType<CKitMarkupInt>(this, pOther);
    return pInt != nullptr && pInt->m_nValue == m_nValue;
}

// CKitMarkupDouble

CKitMarkupObject* CKitMarkupDouble::ConvertFrom(CKitMarkupBuilder*, CKitMarkupObject* pObject)
{
    const CKitMarkupString* pText = AsString(pObject);
    if (pText == nullptr)
        return nullptr;
    LPCWSTR cursor = pText->GetText();
    double value = 0.0;
    if (!MarkupParseDouble(cursor, L'\0', TRUE, value))
        return nullptr;
    return new CKitMarkupDouble(value);
}

BOOL CKitMarkupDouble::IsEqual(const CKitMarkupObject* pOther) const
{
    const CKitMarkupDouble* pDouble = SameType<CKitMarkupDouble>(this, pOther);
    return pDouble != nullptr && pDouble->m_dValue == m_dValue;
}

// CKitMarkupEnum

BOOL CKitMarkupEnum::IsEqual(const CKitMarkupObject* pOther) const
{
    const CKitMarkupEnum* pEnum = SameType<CKitMarkupEnum>(this, pOther);
    return pEnum != nullptr && pEnum->m_nValue == m_nValue;
}

CKitMarkupEnum* CKitMarkupEnum::CreateValue(int nValue)
{
    constexpr unsigned kSharedCount = 8;
    static CKitMarkupEnum* shared[kSharedCount] = {};
    const unsigned index = static_cast<unsigned>(nValue);
    if (index >= kSharedCount)
        return new CKitMarkupEnum(nValue);
    if (shared[index] == nullptr)
        shared[index] = new CKitMarkupEnum(nValue);
    shared[index]->AddRef();
    return shared[index];
}

// CKitMarkupBool

CKitMarkupObject* CKitMarkupBool::ConvertFrom(CKitMarkupBuilder*, CKitMarkupObject* pObject)
{
    const CKitMarkupString* pText = AsString(pObject);
    if (pText == nullptr)
        return nullptr;
    if (MarkupEqualsNoCase(pText->GetView(), L"True"))
        return CreateTrueValue();
    if (MarkupEqualsNoCase(pText->GetView(), L"False"))
        return CreateFalseValue();
    return nullptr;
}

BOOL CKitMarkupBool::IsEqual(const CKitMarkupObject* pOther) const
{
    const CKitMarkupBool* pBool = SameType<CKitMarkupBool>(this, pOther);
    return pBool != nullptr && pBool->m_bValue == m_bValue;
}

DWORD CKitMarkupBool::GetHashKey() const
{
    return static_cast<DWORD>(m_bValue);
}

CKitMarkupBool* CKitMarkupBool::CreateTrueValue()
{
    static CKitMarkupBool* shared = new CKitMarkupBool(TRUE);
    shared->AddRef();
    return shared;
}

CKitMarkupBool* CKitMarkupBool::CreateFalseValue()
{
    static CKitMarkupBool* shared = new CKitMarkupBool(FALSE);
    shared->AddRef();
    return shared;
}

CKitMarkupBool* CKitMarkupBool::CreateValue(BOOL bValue)
{
    return bValue ? CreateTrueValue() : CreateFalseValue();
}

// CKitMarkupColor

CKitMarkupColor* CKitMarkupColor::FromValue(DWORD dwValue)
{
    return new CKitMarkupColor(static_cast<BYTE>(dwValue >> 24), dwValue & 0x00FFFFFF);
}

CKitMarkupObject* CKitMarkupColor::ConvertFrom(CKitMarkupBuilder*, CKitMarkupObject* pObject)
{
    const CKitMarkupString* pText = AsString(pObject);
    DWORD value = 0;
    if (pText == nullptr || !ParseColor(pText->GetView(), value))
        return nullptr;
    return FromValue(value);
}

void CKitMarkupColor::SetContentObject(CKitMarkupBuilder* pBuilder, CKitMarkupObject* pContent)
{
    const CKitMarkupString* pText = AsString(pContent);
    DWORD value = 0;
    if (pText == nullptr || !ParseColor(pText->GetView(), value)) {
        CKitMarkupObject::SetContentObject(pBuilder, pContent);
        return;
    }
    m_clrValue = value;
    pContent->Release();
}

BOOL CKitMarkupColor::IsEqual(const CKitMarkupObject* pOther) const
{
    const CKitMarkupColor* pColor = SameType<CKitMarkupColor>(this, pOther);
    return pColor != nullptr && pColor->m_clrValue == m_clrValue;
}

// CKitMarkupString

CKitMarkupString::CKitMarkupString() : m_lpszText(new WCHAR[1]{L'\0'}), m_nLength(0) {}

CKitMarkupString::CKitMarkupString(LPCWSTR lpszText, int nLength)
    : m_lpszText(new WCHAR[static_cast<size_t>(nLength) + 1]), m_nLength(nLength)
{
    wmemcpy(m_lpszText, lpszText, static_cast<size_t>(nLength));
    m_lpszText[nLength] = L'\0';
}

CKitMarkupString::~CKitMarkupString()
{
    delete[] m_lpszText;
}

BOOL CKitMarkupString::IsEqual(const CKitMarkupObject* pOther) const
{
    const CKitMarkupString* pString = SameType<CKitMarkupString>(this, pOther);
    return pString != nullptr && pString->GetView() == GetView();
}

DWORD CKitMarkupString::GetHashKey() const
{
    return MarkupHashText(GetView());
}

CKitMarkupString* CKitMarkupString::CreateValue(std::wstring_view text)
{
    static CKitMarkupString* emptyText = new CKitMarkupString();
    static CKitMarkupString* space = new CKitMarkupString(L" ", 1);
    static CKitMarkupString* lineFeed = new CKitMarkupString(L"\n", 1);
    CKitMarkupString* pShared = nullptr;
    if (text.empty())
        pShared = emptyText;
    else if (text == L" ")
        pShared = space;
    else if (text == L"\n")
        pShared = lineFeed;
    if (pShared != nullptr) {
        pShared->AddRef();
        return pShared;
    }
    return new CKitMarkupString(text.data(), static_cast<int>(text.size()));
}

CKitMarkupString* CKitMarkupString::CreateValue(LPCWSTR lpszText, int nLength)
{
    if (lpszText == nullptr)
        return CreateValue(std::wstring_view());
    if (nLength < 0)
        return CreateValue(std::wstring_view(lpszText));
    return CreateValue(std::wstring_view(lpszText, static_cast<size_t>(nLength)));
}

// CKitMarkupDoubleCollection

CKitMarkupObject* CKitMarkupDoubleCollection::ConvertFrom(CKitMarkupBuilder*, CKitMarkupObject* pObject)
{
    const CKitMarkupString* pText = AsString(pObject);
    if (pText == nullptr)
        return nullptr;
    CKitMarkupRef<CKitMarkupDoubleCollection> collection(new CKitMarkupDoubleCollection());
    LPCWSTR cursor = pText->GetText();
    while (*cursor != L'\0') {
        double value = 0.0;
        if (!MarkupParseNumber(cursor, value))
            return nullptr;
        SkipSpaces(cursor);
        collection->Add(static_cast<float>(value));
    }
    return collection.Detach();
}

// Text forms

BOOL ParseColor(std::wstring_view text, DWORD& clrValue)
{
    if (text.empty() || text[0] != L'#')
        return MarkupLookupNamedColor(text, clrValue);
    // The hexadecimal fields are read as the system's scanf reads them.
    WCHAR buffer[10] = {};
    unsigned fields[4] = {};
    if (text.size() == 7) {
        text.copy(buffer, text.size());
        if (swscanf(buffer, L"#%2x%2x%2x", &fields[1], &fields[2], &fields[3]) != 3)
            return FALSE;
        fields[0] = 0xFF;
    } else if (text.size() == 9) {
        text.copy(buffer, text.size());
        if (swscanf(buffer, L"#%2x%2x%2x%2x", &fields[0], &fields[1], &fields[2], &fields[3]) != 4)
            return FALSE;
    } else {
        return FALSE;
    }
    clrValue = ((fields[0] & 0xFF) << 24) | ((fields[3] & 0xFF) << 16) | ((fields[2] & 0xFF) << 8) |
               (fields[1] & 0xFF);
    return TRUE;
}

BOOL MarkupParseDouble(LPCWSTR& lpszCursor, wchar_t chSeparator, BOOL bRequireEnd, double& value)
{
    LPCWSTR p = lpszCursor;
    SkipSpaces(p);
    bool negative = false;
    if (*p == L'-' || *p == L'+') {
        negative = *p == L'-';
        ++p;
    }
    double number = 0.0;
    const auto isEnd = [chSeparator](wchar_t c) { return c == L' ' || (chSeparator != L'\0' && c == chSeparator); };
    if (!ReadDigits(p, isEnd, number))
        return FALSE;
    SkipSpaces(p);
    if (chSeparator != L'\0' && *p == chSeparator)
        ++p;
    SkipSpaces(p);
    if (bRequireEnd && *p != L'\0')
        return FALSE;
    value = negative ? -number : number;
    lpszCursor = p;
    return TRUE;
}

BOOL MarkupParseNumber(LPCWSTR& lpszCursor, double& value)
{
    LPCWSTR p = lpszCursor;
    SkipSpaces(p);
    bool negative = false;
    if (*p == L'-') {
        negative = true;
        ++p;
    }
    double number = 0.0;
    if (!ReadDigits(p, [](wchar_t c) { return c == L' ' || c == L','; }, number))
        return FALSE;
    if (*p == L' ' || *p == L',')
        ++p;
    value = negative ? -number : number;
    lpszCursor = p;
    return TRUE;
}

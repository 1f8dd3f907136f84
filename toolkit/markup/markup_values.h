// CKitMarkupInt, CKitMarkupDouble, CKitMarkupEnum, CKitMarkupBool, CKitMarkupColor, CKitMarkupString, CKitMarkupDoubleCollection: the primitive markup values and their text forms.
#pragma once

#include "toolkit/markup/markup_object.h"

#include <string_view>
#include <vector>

class CKitMarkupInt : public CKitMarkupObject {
    DECLARE_MARKUPCLASS(CKitMarkupInt)
public:
    explicit CKitMarkupInt(int nValue = 0) : m_nValue(nValue) {}

    // A string: after white space, an optional sign and the leading digits (0 without digits).
    CKitMarkupObject* ConvertFrom(CKitMarkupBuilder* pBuilder, CKitMarkupObject* pObject) override;
    BOOL IsEqual(const CKitMarkupObject* pOther) const override;

    int GetValue() const { return m_nValue; }
    operator int() const { return m_nValue; }

private:
    int m_nValue;
};

class CKitMarkupDouble : public CKitMarkupObject {
    DECLARE_MARKUPCLASS(CKitMarkupDouble)
public:
    explicit CKitMarkupDouble(double dValue = 0.0) : m_dValue(dValue) {}

    // A string holding exactly one number.
    CKitMarkupObject* ConvertFrom(CKitMarkupBuilder* pBuilder, CKitMarkupObject* pObject) override;
    BOOL IsEqual(const CKitMarkupObject* pOther) const override;

    double GetValue() const { return m_dValue; }
    operator double() const { return m_dValue; }

private:
    double m_dValue;
};

// An enumeration value; words are converted by the property's converter.
class CKitMarkupEnum : public CKitMarkupObject {
    DECLARE_MARKUPCLASS(CKitMarkupEnum)
public:
    explicit CKitMarkupEnum(int nValue = 0) : m_nValue(nValue) {}

    BOOL IsEqual(const CKitMarkupObject* pOther) const override;

    // A new reference; the values 0 to 7 are shared objects.
    static CKitMarkupEnum* CreateValue(int nValue);

    int GetValue() const { return m_nValue; }
    operator int() const { return m_nValue; }

private:
    int m_nValue;
};

class CKitMarkupBool : public CKitMarkupObject {
    DECLARE_MARKUPCLASS(CKitMarkupBool)
public:
    explicit CKitMarkupBool(BOOL bValue = FALSE) : m_bValue(bValue ? TRUE : FALSE) {}

    // "True" or "False" in any case give the shared objects.
    CKitMarkupObject* ConvertFrom(CKitMarkupBuilder* pBuilder, CKitMarkupObject* pObject) override;
    BOOL IsEqual(const CKitMarkupObject* pOther) const override;
    DWORD GetHashKey() const override;

    // The shared objects, each with a new reference.
    static CKitMarkupBool* CreateTrueValue();
    static CKitMarkupBool* CreateFalseValue();
    static CKitMarkupBool* CreateValue(BOOL bValue);

    BOOL GetValue() const { return m_bValue; }
    operator BOOL() const { return m_bValue; }

private:
    BOOL m_bValue;
};

// A colour with alpha in bits 24-31, blue 16-23, green 8-15 and red 0-7.
class CKitMarkupColor : public CKitMarkupObject {
    DECLARE_MARKUPCLASS(CKitMarkupColor)
public:
    // A plain RGB value gets alpha 255.
    explicit CKitMarkupColor(COLORREF clr = 0) : m_clrValue(clr | 0xFF000000) {}
    CKitMarkupColor(BYTE alpha, COLORREF clr) : m_clrValue((clr & 0x00FFFFFF) | (static_cast<DWORD>(alpha) << 24)) {}

    CKitMarkupObject* ConvertFrom(CKitMarkupBuilder* pBuilder, CKitMarkupObject* pObject) override;
    // Text content that is a colour becomes the value.
    void SetContentObject(CKitMarkupBuilder* pBuilder, CKitMarkupObject* pContent) override;
    BOOL IsEqual(const CKitMarkupObject* pOther) const override;

    DWORD GetValue() const { return m_clrValue; }
    COLORREF GetRGB() const { return m_clrValue & 0x00FFFFFF; }
    BYTE GetAlpha() const { return static_cast<BYTE>(m_clrValue >> 24); }

    static CKitMarkupColor* FromValue(DWORD dwValue);

private:
    DWORD m_clrValue;
};

// Wide text with its length.
class CKitMarkupString : public CKitMarkupObject {
    DECLARE_MARKUPCLASS(CKitMarkupString)
public:
    CKitMarkupString();
    CKitMarkupString(LPCWSTR lpszText, int nLength);
    ~CKitMarkupString() override;

    BOOL IsEqual(const CKitMarkupObject* pOther) const override;
    DWORD GetHashKey() const override;

    // A new reference; nLength -1 takes the text up to its end. The empty
    // text, a single space and a single line feed are shared objects.
    static CKitMarkupString* CreateValue(LPCWSTR lpszText, int nLength = -1);
    static CKitMarkupString* CreateValue(std::wstring_view text);

    LPCWSTR GetText() const { return m_lpszText; }
    int GetLength() const { return m_nLength; }
    std::wstring_view GetView() const { return std::wstring_view(m_lpszText, static_cast<size_t>(m_nLength)); }

private:
    LPWSTR m_lpszText;
    int m_nLength;
};

class CKitMarkupDoubleCollection : public CKitMarkupObject {
    DECLARE_MARKUPCLASS(CKitMarkupDoubleCollection)
public:
    CKitMarkupDoubleCollection() = default;

    // A string holding a list of numbers separated by spaces or commas.
    CKitMarkupObject* ConvertFrom(CKitMarkupBuilder* pBuilder, CKitMarkupObject* pObject) override;

    int GetCount() const { return static_cast<int>(m_values.size()); }
    float GetAt(int nIndex) const { return m_values[static_cast<size_t>(nIndex)]; }
    void Add(float value) { m_values.push_back(value); }

private:
    std::vector<float> m_values;
};

// The number a property holds (an int or an enumeration value), or nDefault when it holds neither.
int MarkupIntValue(const CKitMarkupObject* pObject, CKitMarkupDependencyProperty* pProperty, int nDefault);

// The colour named or written (#RRGGBB, #AARRGGBB) in the text; FALSE when it is none.
BOOL ParseColor(std::wstring_view text, DWORD& clrValue);

// Reads one number at the cursor (see the builder's point and double texts):
// spaces, an optional sign, digits with at most one point, ended by a space,
// the separator or the end; then spaces, one separator (when given, if present)
// and spaces again. With bRequireEnd nothing may follow. FALSE on any fault.
BOOL MarkupParseDouble(LPCWSTR& lpszCursor, wchar_t chSeparator, BOOL bRequireEnd, double& value);

// Reads one number of a number list at the cursor: spaces, an optional "-",
// digits with at most one point, ended by a space or a comma (consumed) or the end.
BOOL MarkupParseNumber(LPCWSTR& lpszCursor, double& value);

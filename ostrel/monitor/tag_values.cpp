#include "ostrel/monitor/tag_values.h"

#include "ostrel/monitor/monitor_limits.h"

#include <cerrno>
#include <cstdlib>

namespace {

struct TypeName {
    LPCSTR name;
    int code;
};

const TypeName kTypeNames[] = {
    {"BOOL", kTagBool},   {"BYTE", kTagByte},   {"UBYTE", kTagUByte},       {"INT", kTagInt},
    {"UINT", kTagUInt},   {"DINT", kTagDInt},   {"UDINT", kTagUDInt},       {"REAL", kTagReal},
    {"DREAL", kTagDReal}, {"STRING", kTagString}, {"DATETIME", kTagDateTime}, {"SEMAPHONE", kTagSemaphone},
};

// Width in bits and sign of the integer codes.
struct IntegerShape {
    int bits;
    bool isSigned;
};

IntegerShape ShapeOf(int typeCode)
{
    switch (typeCode) {
    case kTagInt:
        return {16, true};
    case kTagUInt:
        return {16, false};
    case kTagDInt:
        return {32, true};
    default:
        return {32, false};
    }
}

ULONGLONG MaskOf(const IntegerShape& shape)
{
    return (1ULL << shape.bits) - 1;
}

// The whole text as a decimal integer.
bool ReadDecimal(const CString& text, LONGLONG& number)
{
    CString trimmed(text);
    trimmed.Trim();
    if (trimmed.IsEmpty())
        return false;
    char* end = nullptr;
    errno = 0;
    number = strtoll(trimmed, &end, 10);
    return errno == 0 && end != nullptr && *end == '\0';
}

// The unsigned bits of a width as the type's number.
CString ToDecimal(ULONGLONG bits, const IntegerShape& shape)
{
    LONGLONG number = static_cast<LONGLONG>(bits);
    if (shape.isSigned && (bits >> (shape.bits - 1)) != 0)
        number -= static_cast<LONGLONG>(1ULL << shape.bits);
    CString text;
    text.Format("%lld", number);
    return text;
}

bool ReadHex(CString text, const IntegerShape& shape, ULONGLONG& bits)
{
    text.Trim();
    if (text.GetLength() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X'))
        text = text.Mid(2);
    // More digits than 16 cannot fit any width; leading zeros within that are fine.
    if (text.IsEmpty() || text.GetLength() > 16)
        return false;
    bits = 0;
    for (int i = 0; i < text.GetLength(); ++i) {
        const char c = text[i];
        int digit;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        else
            return false;
        bits = (bits << 4) | static_cast<ULONGLONG>(digit);
    }
    return bits <= MaskOf(shape);
}

bool ReadBinary(CString text, const IntegerShape& shape, ULONGLONG& bits)
{
    text.Trim();
    if (text.IsEmpty() || text.GetLength() > shape.bits)
        return false;
    bits = 0;
    for (int i = 0; i < text.GetLength(); ++i) {
        if (text[i] != '0' && text[i] != '1')
            return false;
        bits = (bits << 1) | static_cast<ULONGLONG>(text[i] - '0');
    }
    return true;
}

} // namespace

int TagTypeCodeOf(const CString& typeName, bool isStructure)
{
    if (isStructure)
        return kTagStructure;
    for (const TypeName& type : kTypeNames) {
        if (typeName == type.name)
            return type.code;
    }
    return kTagOther;
}

bool HasNumberFormats(int typeCode)
{
    return typeCode >= kTagInt && typeCode <= kTagUDInt;
}

CString FormatTagValue(const CString& value, int typeCode, int displayFormat)
{
    LONGLONG number = 0;
    if (displayFormat == kDisplayDecimal || !HasNumberFormats(typeCode) || !ReadDecimal(value, number))
        return value;
    const IntegerShape shape = ShapeOf(typeCode);
    const ULONGLONG bits = static_cast<ULONGLONG>(number) & MaskOf(shape);
    CString text;
    if (displayFormat == kDisplayHex) {
        text.Format("0x%llx", bits);
        return text;
    }
    if (displayFormat != kDisplayBinary)
        return value;
    for (int bit = shape.bits - 1; bit >= 0; --bit)
        text += ((bits >> bit) & 1) != 0 ? '1' : '0';
    return text;
}

int ParseTagInput(const CString& text, int typeCode, int displayFormat, CString& value)
{
    // No number is no value: a numeric tag is not written empty.
    if (typeCode >= kTagBool && typeCode <= kTagDReal && CString(text).Trim().IsEmpty())
        return kMonitorInvalidValue;
    if (displayFormat == kDisplayDecimal || !HasNumberFormats(typeCode)) {
        value = text;
        return kMonitorSuccess;
    }
    const IntegerShape shape = ShapeOf(typeCode);
    ULONGLONG bits = 0;
    const bool read = displayFormat == kDisplayHex ? ReadHex(text, shape, bits)
                      : displayFormat == kDisplayBinary ? ReadBinary(text, shape, bits)
                                                        : false;
    if (!read)
        return kMonitorInvalidValue;
    value = ToDecimal(bits, shape);
    return kMonitorSuccess;
}

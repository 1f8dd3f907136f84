// TagTypeCode, TagDisplayFormat, TagTypeCodeOf, FormatTagValue, ParseTagInput: a tag's data type and the conversions of its value between the module's decimal text and what the user sees and types.
#pragma once

#include "framework/strings.h"

// Data-type codes (the type name is compared exactly).
enum TagTypeCode {
    kTagStructure = 0,
    kTagBool = 1,
    kTagByte = 2,
    kTagUByte = 3,
    kTagInt = 4,
    kTagUInt = 5,
    kTagDInt = 6,
    kTagUDInt = 7,
    kTagReal = 8,
    kTagDReal = 9,
    kTagString = 10,
    kTagDateTime = 11,
    kTagSemaphone = 12,
    kTagOther = 13,
};

enum TagDisplayFormat {
    kDisplayDecimal = 1,
    kDisplayHex = 2,
    kDisplayBinary = 3,
};

// The code of a data-type name; isStructure: the name is one of the configuration's structured types.
int TagTypeCodeOf(const CString& typeName, bool isStructure);
// Whether a tag of the code may be shown in hexadecimal or binary (the integers of 16 and 32 bits).
bool HasNumberFormats(int typeCode);

// The module's decimal value as the display format shows it: hexadecimal
// ("0x" and the digits of the type's width) and binary (16 or 32 digits)
// for the integer codes; any other value or code as it is.
CString FormatTagValue(const CString& value, int typeCode, int displayFormat);
// The typed text as the decimal value to send, read by the display format
// and the type's width and sign (hexadecimal with or without "0x"; binary
// of 0 and 1 digits, at most the width). 0, or -997 when the text is no such
// number or does not fit the type. An empty text is no value of a numeric type.
int ParseTagInput(const CString& text, int typeCode, int displayFormat, CString& value);

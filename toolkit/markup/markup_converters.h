// The builder's value converters, named colours and system colour names.
#pragma once

#include "toolkit/markup/markup_object.h"

#include <string_view>

// Each converter takes a string (any other source gives nullptr) and returns
// a new value object, or nullptr when the word is not one of its words.
// Words compare without case and at their exact length.
CKitMarkupObject* MarkupConvertTextDecorations(CKitMarkupBuilder* pBuilder, CKitMarkupObject* pSource);
CKitMarkupObject* MarkupConvertFontWeight(CKitMarkupBuilder* pBuilder, CKitMarkupObject* pSource);
CKitMarkupObject* MarkupConvertFontQuality(CKitMarkupBuilder* pBuilder, CKitMarkupObject* pSource);
CKitMarkupObject* MarkupConvertFontStyle(CKitMarkupBuilder* pBuilder, CKitMarkupObject* pSource);
CKitMarkupObject* MarkupConvertVerticalAlignment(CKitMarkupBuilder* pBuilder, CKitMarkupObject* pSource);
CKitMarkupObject* MarkupConvertHorizontalAlignment(CKitMarkupBuilder* pBuilder, CKitMarkupObject* pSource);
CKitMarkupObject* MarkupConvertTextWrapping(CKitMarkupBuilder* pBuilder, CKitMarkupObject* pSource);
CKitMarkupObject* MarkupConvertTextTrimming(CKitMarkupBuilder* pBuilder, CKitMarkupObject* pSource);
CKitMarkupObject* MarkupConvertTextAlignment(CKitMarkupBuilder* pBuilder, CKitMarkupObject* pSource);
CKitMarkupObject* MarkupConvertOrientation(CKitMarkupBuilder* pBuilder, CKitMarkupObject* pSource);
CKitMarkupObject* MarkupConvertBaselineAlignment(CKitMarkupBuilder* pBuilder, CKitMarkupObject* pSource);
CKitMarkupObject* MarkupConvertVisibility(CKitMarkupBuilder* pBuilder, CKitMarkupObject* pSource);
CKitMarkupObject* MarkupConvertScrollBarVisibility(CKitMarkupBuilder* pBuilder, CKitMarkupObject* pSource);
CKitMarkupObject* MarkupConvertStretch(CKitMarkupBuilder* pBuilder, CKitMarkupObject* pSource);
CKitMarkupObject* MarkupConvertDock(CKitMarkupBuilder* pBuilder, CKitMarkupObject* pSource);
CKitMarkupObject* MarkupConvertLineCap(CKitMarkupBuilder* pBuilder, CKitMarkupObject* pSource);
CKitMarkupObject* MarkupConvertLineJoin(CKitMarkupBuilder* pBuilder, CKitMarkupObject* pSource);
// "False" 0, "True" 1 and the empty text 2 (indeterminate).
CKitMarkupObject* MarkupConvertIsChecked(CKitMarkupBuilder* pBuilder, CKitMarkupObject* pSource);
// A CKitMarkupInt holding a system cursor identifier.
CKitMarkupObject* MarkupConvertCursor(CKitMarkupBuilder* pBuilder, CKitMarkupObject* pSource);
// A CKitMarkupInt in pixels (see MarkupLengthFromText).
CKitMarkupObject* MarkupConvertLength(CKitMarkupBuilder* pBuilder, CKitMarkupObject* pSource);

// Pixels of a length text: "Auto" is 2147483647; else the leading integer,
// in points ("pt"), inches ("in"), centimetres ("cm"), millimetres ("mm") or pixels.
int MarkupLengthFromText(std::wstring_view text);
// Pixels of n units of a length whose text ends in the unit (no unit: n).
int MarkupLengthFromUnits(int n, std::wstring_view text);

// The colour of a named colour (alpha 255, transparent white for "Transparent"); FALSE for other names.
BOOL MarkupLookupNamedColor(std::wstring_view name, DWORD& clrValue);

// The system colour index of a name that follows "SystemColors." (a name
// matches the first entry that begins with it); -1 when none does.
int MarkupFindSystemColorIndex(std::wstring_view name);

#include "toolkit/markup/markup_converters.h"

#include "toolkit/markup/markup_limits.h"
#include "toolkit/markup/markup_text.h"
#include "toolkit/markup/markup_values.h"

namespace {

struct MarkupWord {
    LPCWSTR word;
    int value;
};

template <size_t N>
const MarkupWord* FindWord(CKitMarkupObject* pSource, const MarkupWord (&words)[N])
{
    const CKitMarkupString* pText = MarkupDynamicCast<CKitMarkupString>(pSource);
    if (pText == nullptr)
        return nullptr;
    for (const MarkupWord& entry : words) {
        if (MarkupEqualsNoCase(pText->GetView(), entry.word))
            return &entry;
    }
    return nullptr;
}

template <size_t N>
CKitMarkupObject* ConvertEnum(CKitMarkupObject* pSource, const MarkupWord (&words)[N])
{
    const MarkupWord* pEntry = FindWord(pSource, words);
    return pEntry != nullptr ? CKitMarkupEnum::CreateValue(pEntry->value) : nullptr;
}

const MarkupWord kTextDecorations[] = {{L"Underline", 1}, {L"Strikethrough", 2}, {L"", 0}};
const MarkupWord kFontWeights[] = {
    {L"Thin", 100},      {L"ExtraLight", 200}, {L"Light", 300},     {L"Normal", 400},    {L"Regular", 400},
    {L"Medium", 500},    {L"SemiBold", 600},   {L"DemiBold", 600},  {L"Bold", 700},      {L"ExtraBold", 800},
    {L"UltraBold", 800}, {L"Black", 900},      {L"Heavy", 900},     {L"ExtraBlack", 950}};
const MarkupWord kFontQualities[] = {{L"ClearType", 5}};
const MarkupWord kFontStyles[] = {{L"Normal", 0}, {L"Italic", 1}};
const MarkupWord kVerticalAlignments[] = {{L"Top", 0}, {L"Center", 1}, {L"Bottom", 2}, {L"Stretch", 3}};
const MarkupWord kHorizontalAlignments[] = {{L"Left", 0}, {L"Center", 1}, {L"Right", 2}, {L"Stretch", 3}};
const MarkupWord kTextWrappings[] = {{L"NoWrap", 0}, {L"Wrap", 1}, {L"WrapWithOverflow", 2}};
const MarkupWord kTextTrimmings[] = {{L"None", 0}, {L"CharacterEllipsis", 1}, {L"WordEllipsis", 2}};
const MarkupWord kTextAlignments[] = {{L"Left", 0}, {L"Right", 1}, {L"Center", 2}, {L"Justify", 3}};
const MarkupWord kOrientations[] = {{L"Horizontal", 0}, {L"Vertical", 1}};
const MarkupWord kBaselineAlignments[] = {{L"Top", 0},      {L"Center", 1},     {L"Bottom", 2},
                                          {L"Baseline", 3}, {L"TextTop", 4},    {L"TextBottom", 5},
                                          {L"Subscript", 6}, {L"Superscript", 7}};
const MarkupWord kVisibilities[] = {{L"Visible", 0}, {L"Hidden", 1}, {L"Collapsed", 2}};
const MarkupWord kScrollBarVisibilities[] = {{L"Disabled", 0}, {L"Auto", 1}, {L"Visible", 2}};
const MarkupWord kStretches[] = {{L"None", 0}, {L"Fill", 1}, {L"Uniform", 2}, {L"UniformToFill", 3}};
const MarkupWord kDocks[] = {{L"Left", 0}, {L"Top", 1}, {L"Right", 2}, {L"Bottom", 3}};
const MarkupWord kLineCaps[] = {{L"Flat", 0}, {L"Square", 1}, {L"Round", 2}, {L"Triangle", 3}};
const MarkupWord kLineJoins[] = {{L"Miter", 0}, {L"Bevel", 1}, {L"Round", 2}};
const MarkupWord kCheckedStates[] = {{L"False", 0}, {L"True", 1}, {L"", 2}};
const MarkupWord kCursors[] = {
    {L"None", 0},         {L"Arrow", 32512},    {L"IBeam", 32513},   {L"Wait", 32514},   {L"Cross", 32515},
    {L"UpArrow", 32516},  {L"SizeNWSE", 32642}, {L"SizeNESW", 32643}, {L"SizeWE", 32644}, {L"SizeNS", 32645},
    {L"SizeAll", 32646},  {L"No", 32648},       {L"Hand", 32649},    {L"AppStarting", 32650}};

struct NamedColor {
    LPCWSTR name;
    DWORD value; // alpha, blue, green, red
};

const NamedColor kNamedColors[] = {
#include "toolkit/markup/markup_named_colors.inc"
};

constexpr size_t kNamedColorMinLength = 3;
constexpr size_t kNamedColorMaxLength = 20;

// In the order names are tried.
const MarkupWord kSystemColors[] = {
    {L"ActiveBorder", 10},          {L"ActiveCaption", 2},        {L"ActiveCaptionText", 9},
    {L"AppWorkspace", 12},          {L"Control", 15},             {L"ControlDark", 16},
    {L"ControlDarkDark", 21},       {L"ControlLight", 22},        {L"ControlLightLight", 20},
    {L"ControlText", 18},           {L"Desktop", 1},              {L"GradientActiveCaption", 27},
    {L"GradientInactiveCaption", 28}, {L"GrayText", 17},          {L"Highlight", 13},
    {L"HighlightText", 14},         {L"HotTrack", 26},            {L"InactiveBorder", 11},
    {L"InactiveCaption", 3},        {L"InactiveCaptionText", 19}, {L"Info", 24},
    {L"InfoText", 23},              {L"Menu", 4},                 {L"MenuBar", 30},
    {L"MenuHighlight", 29},         {L"MenuText", 7},             {L"ScrollBar", 0},
    {L"Window", 5},                 {L"WindowFrame", 6},          {L"WindowText", 8}};

// Centimetres and millimetres in pixels at 96 pixels per inch.
constexpr double kPixelsPerCentimetre = 37.79528;
constexpr double kPixelsPerMillimetre = 3.779528;

int TruncateToInt(double value)
{
    if (value >= 2147483647.0)
        return 2147483647;
    if (value <= -2147483648.0)
        return -2147483647 - 1;
    return static_cast<int>(value);
}

} // namespace

CKitMarkupObject* MarkupConvertTextDecorations(CKitMarkupBuilder*, CKitMarkupObject* pSource)
{
    return ConvertEnum(pSource, kTextDecorations);
}

CKitMarkupObject* MarkupConvertFontWeight(CKitMarkupBuilder*, CKitMarkupObject* pSource)
{
    return ConvertEnum(pSource, kFontWeights);
}

CKitMarkupObject* MarkupConvertFontQuality(CKitMarkupBuilder*, CKitMarkupObject* pSource)
{
    return ConvertEnum(pSource, kFontQualities);
}

CKitMarkupObject* MarkupConvertFontStyle(CKitMarkupBuilder*, CKitMarkupObject* pSource)
{
    return ConvertEnum(pSource, kFontStyles);
}

CKitMarkupObject* MarkupConvertVerticalAlignment(CKitMarkupBuilder*, CKitMarkupObject* pSource)
{
    return ConvertEnum(pSource, kVerticalAlignments);
}

CKitMarkupObject* MarkupConvertHorizontalAlignment(CKitMarkupBuilder*, CKitMarkupObject* pSource)
{
    return ConvertEnum(pSource, kHorizontalAlignments);
}

CKitMarkupObject* MarkupConvertTextWrapping(CKitMarkupBuilder*, CKitMarkupObject* pSource)
{
    return ConvertEnum(pSource, kTextWrappings);
}

CKitMarkupObject* MarkupConvertTextTrimming(CKitMarkupBuilder*, CKitMarkupObject* pSource)
{
    return ConvertEnum(pSource, kTextTrimmings);
}

CKitMarkupObject* MarkupConvertTextAlignment(CKitMarkupBuilder*, CKitMarkupObject* pSource)
{
    return ConvertEnum(pSource, kTextAlignments);
}

CKitMarkupObject* MarkupConvertOrientation(CKitMarkupBuilder*, CKitMarkupObject* pSource)
{
    return ConvertEnum(pSource, kOrientations);
}

CKitMarkupObject* MarkupConvertBaselineAlignment(CKitMarkupBuilder*, CKitMarkupObject* pSource)
{
    return ConvertEnum(pSource, kBaselineAlignments);
}

CKitMarkupObject* MarkupConvertVisibility(CKitMarkupBuilder*, CKitMarkupObject* pSource)
{
    return ConvertEnum(pSource, kVisibilities);
}

CKitMarkupObject* MarkupConvertScrollBarVisibility(CKitMarkupBuilder*, CKitMarkupObject* pSource)
{
    return ConvertEnum(pSource, kScrollBarVisibilities);
}

CKitMarkupObject* MarkupConvertStretch(CKitMarkupBuilder*, CKitMarkupObject* pSource)
{
    return ConvertEnum(pSource, kStretches);
}

CKitMarkupObject* MarkupConvertDock(CKitMarkupBuilder*, CKitMarkupObject* pSource)
{
    return ConvertEnum(pSource, kDocks);
}

CKitMarkupObject* MarkupConvertLineCap(CKitMarkupBuilder*, CKitMarkupObject* pSource)
{
    return ConvertEnum(pSource, kLineCaps);
}

CKitMarkupObject* MarkupConvertLineJoin(CKitMarkupBuilder*, CKitMarkupObject* pSource)
{
    return ConvertEnum(pSource, kLineJoins);
}

CKitMarkupObject* MarkupConvertIsChecked(CKitMarkupBuilder*, CKitMarkupObject* pSource)
{
    return ConvertEnum(pSource, kCheckedStates);
}

CKitMarkupObject* MarkupConvertCursor(CKitMarkupBuilder*, CKitMarkupObject* pSource)
{
    const MarkupWord* pEntry = FindWord(pSource, kCursors);
    return pEntry != nullptr ? new CKitMarkupInt(pEntry->value) : nullptr;
}

CKitMarkupObject* MarkupConvertLength(CKitMarkupBuilder*, CKitMarkupObject* pSource)
{
    const CKitMarkupString* pText = MarkupDynamicCast<CKitMarkupString>(pSource);
    if (pText == nullptr)
        return nullptr;
    return new CKitMarkupInt(MarkupLengthFromText(pText->GetView()));
}

int MarkupLengthFromUnits(int n, std::wstring_view text)
{
    if (n == 0 || text.size() <= 2)
        return n;
    const std::wstring_view unit = text.substr(text.size() - 2);
    if (MarkupEqualsNoCase(unit, L"pt"))
        return ::MulDiv(n, 96, 72);
    if (MarkupEqualsNoCase(unit, L"in"))
        return MarkupClampToInt(static_cast<long long>(n) * 96);
    if (MarkupEqualsNoCase(unit, L"cm"))
        return TruncateToInt(n * kPixelsPerCentimetre);
    if (MarkupEqualsNoCase(unit, L"mm"))
        return TruncateToInt(n * kPixelsPerMillimetre);
    return n;
}

int MarkupLengthFromText(std::wstring_view text)
{
    if (MarkupEqualsNoCase(text, L"Auto"))
        return kMarkupUnbounded;
    return MarkupLengthFromUnits(MarkupLeadingInteger(text), text);
}

BOOL MarkupLookupNamedColor(std::wstring_view name, DWORD& clrValue)
{
    if (name.size() < kNamedColorMinLength || name.size() > kNamedColorMaxLength)
        return FALSE;
    const wchar_t first = name[0];
    if (!((first >= L'A' && first <= L'Z') || (first >= L'a' && first <= L'z')))
        return FALSE;
    for (const NamedColor& entry : kNamedColors) {
        if (MarkupEqualsNoCase(name, entry.name)) {
            clrValue = entry.value;
            return TRUE;
        }
    }
    return FALSE;
}

int MarkupFindSystemColorIndex(std::wstring_view name)
{
    for (const MarkupWord& entry : kSystemColors) {
        if (std::wstring_view(entry.word).substr(0, name.size()) == name)
            return entry.value;
    }
    return -1;
}

#include "toolkit/common/color_manager.h"

#include "framework/archive.h"
#include "toolkit/common/theme_wrapper.h"

#include <algorithm>
#include <cmath>
#include <string>

IMPLEMENT_DYNAMIC(CKitColorManager, CCmdTarget)

namespace {

constexpr int kFirstToolkitIndex = 30;
constexpr int kLowResolutionBits = 8;
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr int kThemeNameLength = 260;
// The "TREEVIEW" class's border colour property.
constexpr int kBorderColorProperty = 3801;

// Weights of red, green and blue in the colour distance.
constexpr double kChannelWeights[3] = {195.0, 390.0, 65.0};
constexpr int kLightAdjustLimit = 220;

// A colour in the weighted space of the colour distance.
struct Weighted {
    double c[3];
};

Weighted ToWeighted(COLORREF clr)
{
    const int channels[3] = {GetRValue(clr), GetGValue(clr), GetBValue(clr)};
    Weighted w;
    for (int i = 0; i < 3; ++i)
        w.c[i] = channels[i] * kChannelWeights[i] / 255.0;
    return w;
}

COLORREF FromWeighted(const Weighted& w)
{
    int channels[3];
    for (int i = 0; i < 3; ++i) {
        const double clamped = std::min(std::max(w.c[i], 0.0), kChannelWeights[i]);
        channels[i] = std::min(std::max(static_cast<int>(clamped * 255.0 / kChannelWeights[i] + 0.5), 0), 255);
    }
    return RGB(channels[0], channels[1], channels[2]);
}

double Distance(const Weighted& a, const Weighted& b)
{
    double sum = 0;
    for (int i = 0; i < 3; ++i)
        sum += (a.c[i] - b.c[i]) * (a.c[i] - b.c[i]);
    return std::sqrt(sum);
}

// The threshold, made integer, grows for colours near black (up to twice).
double LightAdjustedThreshold(COLORREF clr, double dThreshold)
{
    const int lightness = static_cast<int>(CKitColorManager::GetColorDistance(clr, kBlack));
    return static_cast<int>(dThreshold) * (2.0 - std::min(lightness, kLightAdjustLimit) / double(kLightAdjustLimit));
}

// The point at distance dDistance from `from` along `direction` (of length dLength), clamped into the space.
Weighted StepFrom(const Weighted& from, const Weighted& direction, double dLength, double dDistance)
{
    Weighted point;
    for (int i = 0; i < 3; ++i)
        point.c[i] = std::min(std::max(from.c[i] + direction.c[i] * dDistance / dLength, 0.0), kChannelWeights[i]);
    return point;
}

int MaxChannel(COLORREF clr)
{
    return std::max({GetRValue(clr), GetGValue(clr), GetBValue(clr)});
}

COLORREF ScaleChannels(COLORREF clr, int nNumerator, int nDenominator)
{
    return RGB(GetRValue(clr) * nNumerator / nDenominator, GetGValue(clr) * nNumerator / nDenominator,
               GetBValue(clr) * nNumerator / nDenominator);
}

// One visual-style colour: the index and its blue, olive and silver values.
struct StyleColor {
    int index;
    COLORREF blue;
    COLORREF olive;
    COLORREF silver;
};

const StyleColor kStyleColors[] = {
    {30, 0xF5BE9E, 0xA7D9D9, 0xE5D7D7}, {31, 0xC2EEFF, 0xC2EEFF, 0xC2EEFF}, {32, 0x800000, 0x385D3F, 0x6F4B4B},
    {37, 0x800000, 0x385D3F, 0x6F4B4B}, {50, 0x800000, 0x385D3F, 0x6F4B4B}, {33, 0x3E80FE, 0x3E80FE, 0x3E80FE},
    {36, 0x6FC0FF, 0x6FC0FF, 0x6FC0FF}, {38, 0x764127, 0x335E51, 0x755454}, {39, 0xCB8C6A, 0x588060, 0x8F6D6E},
    {40, 0xD0966D, 0x7AAE9F, 0xBEA7A8}, {41, 0xF6F6F6, 0xEEF4F4, 0xFFFAFD}, {43, 0x962D00, 0x5E8D75, 0x947C7C},
    {47, 0x000000, 0x000000, 0x000000}, {59, 0x361E16, 0x19221F, 0x292024},
};

// One gradient of a visual style: from, to and factor.
struct StyleGradient {
    COLORREF from;
    COLORREF to;
    double factor;
};

// Gradients 1 to 7 and index 54 of one colour scheme.
struct StyleGradients {
    COLORREF index54;
    StyleGradient gradients[7];
};

const StyleGradients kBlueGradients = {0x962D00,
                                       {{0xD68759, 0x962D00, 0.5},
                                        {0xF5BE9E, 0xFADAC4, 0.5},
                                        {0xD68759, 0x962D00, 0.5},
                                        {0xFEECDD, 0xE2A981, 0.75},
                                        {0xFFEFE3, 0xE4AD87, 0.5},
                                        {0xF6DDCB, 0xDCA179, 0.5},
                                        {0xFFEFE3, 0xE7B593, 0.5}}};
const StyleGradients kOliveGradients = {0x588060,
                                        {{0x82C0AF, 0x447A63, 0.5},
                                         {0xA7D9D9, 0xE4F1F2, 0.5},
                                         {0x6F8E78, 0x435B49, 0.5},
                                         {0xDEF7F4, 0x91C6B7, 0.3},
                                         {0xEDFFFF, 0x92C7B8, 0.3},
                                         {0xD1E6E6, 0x78B4A4, 0.3},
                                         {0xD5F0EC, 0x9FCEC2, 0.5}}};
const StyleGradients kSilverGradients = {0x947C7C,
                                         {{0xBFA7A8, 0x916F70, 0.5},
                                          {0xE5D7D7, 0xF7F3F3, 0.5},
                                          {0xBFA7A8, 0x977677, 0.5},
                                          {0xFFF9F9, 0xB79B9C, 0.75},
                                          {0xFFF9F9, 0xB99D9F, 0.75},
                                          {0xE2D7D7, 0x9E7E80, 0.75},
                                          {0xF1E7E9, 0xCDB9BA, 0.5}}};

// The colour scheme of a style: 0 none, 1 blue, 2 olive, 3 silver.
int SchemeOf(int nTheme)
{
    switch (nTheme) {
    case CKitColorManager::kThemeBlue:
    case CKitColorManager::kThemeRoyale:
    case CKitColorManager::kThemeAero:
        return 1;
    case CKitColorManager::kThemeOlive:
        return 2;
    case CKitColorManager::kThemeSilver:
        return 3;
    default:
        return 0;
    }
}

// A pair of colours (by index) that must stand apart: when the source is not
// farther from the reference than the threshold, the target gets a distinct colour.
struct ContrastRule {
    int target;
    int reference;
    int source;
    int threshold;
};

const ContrastRule kContrastRules[] = {
    {31, 30, 31, 50},   {32, 30, 13, 100},  {33, 30, 33, 30},   {35, 41, 35, 80},   {37, 33, 37, 100},
    {38, 30, 38, 85},   {39, 30, 39, 50},   {43, 41, 43, 100},  {61, 30, 61, 100},  {40, 30, 40, 80},
    {44, 41, 44, 180},  {45, 31, 45, 180},  {46, 30, 46, 180},  {47, 33, 47, 180},
};

bool Contains(const std::wstring& text, const wchar_t* part)
{
    return text.find(part) != std::wstring::npos;
}

std::wstring Lower(LPCWSTR text)
{
    std::wstring lower = text != nullptr ? text : L"";
    for (wchar_t& ch : lower)
        ch = static_cast<wchar_t>(towlower(ch));
    return lower;
}

} // namespace

void CKitPaintManagerColor::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << static_cast<DWORD>(m_clrStandardValue) << static_cast<DWORD>(m_clrCustomValue);
    } else {
        DWORD standard = 0;
        DWORD custom = 0;
        ar >> standard >> custom;
        m_clrStandardValue = standard;
        m_clrCustomValue = custom;
    }
}

void CKitPaintManagerColorGradient::SetStandardValue(COLORREF clrFrom, COLORREF clrTo, double fFactor)
{
    clrLight.SetStandardValue(clrFrom);
    clrDark.SetStandardValue(clrTo);
    fGradientFactor = fFactor;
}

void CKitPaintManagerColorGradient::SetStandardColor(COLORREF clr)
{
    SetStandardValue(clr, clr, 0.5);
}

void CKitPaintManagerColorGradient::SetStandardValueFrom(const CKitPaintManagerColorGradient& other)
{
    SetStandardValue(other.clrLight, other.clrDark, other.fGradientFactor);
}

void CKitPaintManagerColorGradient::Serialize(CArchive& ar)
{
    clrLight.Serialize(ar);
    clrDark.Serialize(ar);
    if (ar.IsStoring()) {
        ar << static_cast<float>(fGradientFactor);
    } else {
        float factor = 0;
        ar >> factor;
        fGradientFactor = factor;
    }
}

CKitColorManager* CKitColorManager::Instance()
{
    static CKitColorManager manager;
    return &manager;
}

CKitColorManager::CKitColorManager()
{
    std::fill(std::begin(m_custom), std::end(m_custom), CKitPaintManagerColor::kNone);
    std::fill(std::begin(m_visualStyle), std::end(m_visualStyle), CKitPaintManagerColor::kNone);
    m_gradients[7].SetStandardValue(0x8CD5FF, 0x55ADFF);
    m_gradients[8].SetStandardValue(0x4B8EFE, 0x8BCFFF);
    m_gradients[9].SetStandardValue(0xC8F2FF, 0x97D4FF);
    RefreshColors();
}

COLORREF CKitColorManager::GetColor(int nIndex) const
{
    if (nIndex < 0 || nIndex >= kColorCount)
        return static_cast<COLORREF>(nIndex);
    return m_custom[nIndex] != CKitPaintManagerColor::kNone ? m_custom[nIndex] : m_standard[nIndex];
}

COLORREF CKitColorManager::GetVisualStyleColor(int nIndex) const
{
    if (nIndex >= kFirstToolkitIndex && nIndex < kColorCount && m_visualStyle[nIndex] != CKitPaintManagerColor::kNone)
        return m_visualStyle[nIndex];
    return GetColor(nIndex);
}

void CKitColorManager::SetCustomColor(int nIndex, COLORREF clr)
{
    if (nIndex >= 0 && nIndex < kColorCount)
        m_custom[nIndex] = clr;
}

COLORREF CKitColorManager::BlendColorsPercent(COLORREF clrA, COLORREF clrB, int nWeight)
{
    const int base = nWeight < 100 ? 100 : 1000;
    auto blend = [&](int a, int b) { return (a * nWeight + b * (base - nWeight) + base / 2) / base; };
    return RGB(blend(GetRValue(clrA), GetRValue(clrB)), blend(GetGValue(clrA), GetGValue(clrB)),
               blend(GetBValue(clrA), GetBValue(clrB)));
}

BOOL CKitColorManager::IsLowResolution(HDC hDC) const
{
    if (hDC != nullptr)
        return ::GetDeviceCaps(hDC, BITSPIXEL) <= kLowResolutionBits;
    if (m_screenDepthProvider)
        return m_screenDepthProvider() <= kLowResolutionBits;
    HWND desktop = ::GetDesktopWindow();
    HDC screen = ::GetDC(desktop);
    if (screen == nullptr)
        return FALSE;
    const BOOL low = ::GetDeviceCaps(screen, BITSPIXEL) <= kLowResolutionBits;
    ::ReleaseDC(desktop, screen);
    return low;
}

double CKitColorManager::GetColorDistance(COLORREF clrA, COLORREF clrB)
{
    return Distance(ToWeighted(clrA), ToWeighted(clrB));
}

BOOL CKitColorManager::IsColorDistinct(COLORREF clrA, COLORREF clrB, BOOL bLightAdjust, double dThreshold)
{
    const double threshold = bLightAdjust ? LightAdjustedThreshold(clrA, dThreshold) : static_cast<int>(dThreshold);
    return GetColorDistance(clrA, clrB) > threshold;
}

COLORREF CKitColorManager::LimitColorDistance(COLORREF clrA, COLORREF clrB, double dThreshold)
{
    const Weighted a = ToWeighted(clrA);
    const Weighted b = ToWeighted(clrB);
    const double distance = Distance(a, b);
    const double threshold = LightAdjustedThreshold(clrA, dThreshold);
    if (distance <= 0)
        return clrB;
    Weighted limited;
    for (int i = 0; i < 3; ++i)
        limited.c[i] = b.c[i] + (a.c[i] - b.c[i]) * (distance - threshold) / distance;
    return FromWeighted(limited);
}

// Steps from the reference towards the source (away from the nearer of black
// and white when they are equal) to the light-adjusted threshold; when the edge
// of the colour space cuts that short, the opposite direction is taken if it
// gets farther.
COLORREF CKitColorManager::MakeDistinctColor(COLORREF clrReference, COLORREF clrSource, double dThreshold)
{
    const double threshold = LightAdjustedThreshold(clrReference, dThreshold);
    const Weighted reference = ToWeighted(clrReference);
    Weighted direction;
    for (int i = 0; i < 3; ++i)
        direction.c[i] = ToWeighted(clrSource).c[i] - reference.c[i];
    double length = Distance(direction, Weighted{{0, 0, 0}});
    if (length < 1e-9) {
        const bool dark = GetColorDistance(clrReference, kBlack) < GetColorDistance(clrReference, kWhite);
        for (int i = 0; i < 3; ++i)
            direction.c[i] = dark ? kChannelWeights[i] - reference.c[i] : -reference.c[i];
        length = Distance(direction, Weighted{{0, 0, 0}});
        if (length < 1e-9)
            return clrSource;
    }
    Weighted result = StepFrom(reference, direction, length, threshold);
    if (Distance(result, reference) < threshold) {
        const Weighted opposite = StepFrom(reference, direction, length, -threshold);
        if (Distance(opposite, reference) > Distance(result, reference))
            result = opposite;
    }
    return FromWeighted(result);
}

int CKitColorManager::DetectSystemTheme(LPCWSTR pszThemeFile, LPCWSTR pszColorName, BOOL bDetectRoyale,
                                        BOOL bDetectAero)
{
    const std::wstring file = Lower(pszThemeFile);
    if (Contains(file, L"luna.msstyles") || Contains(file, L"winxp.luna.cjstyles")) {
        const std::wstring color = Lower(pszColorName);
        if (color == L"normalcolor")
            return kThemeBlue;
        if (color == L"homestead")
            return kThemeOlive;
        if (color == L"metallic")
            return kThemeSilver;
    }
    if (bDetectRoyale && (Contains(file, L"royale.msstyles") || Contains(file, L"winxp.royale.cjstyles")))
        return kThemeRoyale;
    if (bDetectAero && Contains(file, L"aero.msstyles"))
        return kThemeAero;
    return kThemeNone;
}

int CKitColorManager::GetCurrentSystemTheme() const
{
    return m_nConfiguredTheme == kThemeAuto || m_nConfiguredTheme == kThemeAutoAlternative ? m_nDetectedTheme
                                                                                            : m_nConfiguredTheme;
}

int CKitColorManager::DetectCurrentSystemTheme()
{
    CKitWinThemeWrapper wrapper(TRUE);
    if (!wrapper.IsThemeActive() || IsLowResolution(nullptr))
        return kThemeNone;
    WCHAR file[kThemeNameLength] = {};
    WCHAR color[kThemeNameLength] = {};
    WCHAR size[kThemeNameLength] = {};
    if (FAILED(wrapper.GetCurrentThemeName(file, kThemeNameLength, color, kThemeNameLength, size, kThemeNameLength)))
        return kThemeNone;
    return DetectSystemTheme(file, color, m_bDetectRoyale, m_bDetectAero);
}

COLORREF CKitColorManager::SysColor(int nIndex) const
{
    return m_sysColorProvider ? m_sysColorProvider(nIndex) : ::GetSysColor(nIndex);
}

void CKitColorManager::RefreshVisualStyleColors(int nTheme)
{
    std::fill(std::begin(m_visualStyle), std::end(m_visualStyle), CKitPaintManagerColor::kNone);
    const int scheme = SchemeOf(nTheme);
    if (scheme == 0)
        return;
    for (const StyleColor& color : kStyleColors)
        m_visualStyle[color.index] = scheme == 1 ? color.blue : scheme == 2 ? color.olive : color.silver;
}

void CKitColorManager::RefreshColors()
{
    m_nDetectedTheme = DetectCurrentSystemTheme();
    m_bLowResolution = IsLowResolution(nullptr) != FALSE;

    m_standard[0] = kBlack;
    for (int index = 1; index < kFirstToolkitIndex; ++index)
        m_standard[index] = SysColor(index);

    const COLORREF face = m_standard[COLOR_BTNFACE];
    const COLORREF shadow = m_standard[COLOR_BTNSHADOW];
    const COLORREF highlight = m_standard[COLOR_HIGHLIGHT];
    const COLORREF window = m_standard[COLOR_WINDOW];
    struct Base {
        int source;
        int targets[12];
    };
    const Base bases[] = {
        {COLOR_BTNFACE, {30, 51, 53, 55, 56}},
        {COLOR_WINDOW, {31, 36, 41}},
        {COLOR_HIGHLIGHT, {32, 33, 37, 50}},
        {COLOR_BTNSHADOW, {34, 38, 39, 40, 42, 43, 48, 52, 54, 57, 60, 61}},
        {COLOR_GRAYTEXT, {35, 58}},
        {COLOR_WINDOWTEXT, {44}},
        {COLOR_MENUTEXT, {45}},
        {COLOR_BTNTEXT, {46}},
        {COLOR_HIGHLIGHTTEXT, {47, 49}},
    };
    for (const Base& base : bases) {
        for (int target : base.targets) {
            if (target != 0)
                m_standard[target] = m_standard[base.source];
        }
    }
    m_standard[59] = kBlack;

    const int theme = m_bDisableVisualStyleColors ? kThemeNone : GetCurrentSystemTheme();
    RefreshVisualStyleColors(theme);

    if (!m_bLowResolution) {
        const COLORREF buttonText = m_standard[COLOR_BTNTEXT];
        const bool highContrast = (face == kBlack && buttonText == kWhite) || (face == kWhite && buttonText == kBlack);
        if (highContrast) {
            for (int target : {31, 36, 50})
                m_standard[target] = highlight;
            m_standard[45] = m_standard[COLOR_HIGHLIGHTTEXT];
            for (int target : {32, 37, 38, 43})
                m_standard[target] = buttonText;
        } else {
            m_standard[30] = BlendColorsPercent(window, face, 165);
            m_standard[31] = BlendColorsPercent(highlight, window, 30);
            m_standard[33] = BlendColorsPercent(highlight, window, 50);
            m_standard[41] = BlendColorsPercent(face, window, 143);
            m_standard[35] = BlendColorsPercent(m_standard[COLOR_GRAYTEXT], window, 70);
            m_standard[38] = BlendColorsPercent(shadow, window, 75);
            m_standard[39] = BlendColorsPercent(shadow, window, 70);
            m_standard[43] = BlendColorsPercent(m_standard[46], shadow, 20);
            m_standard[61] = BlendColorsPercent(m_standard[46], shadow, 15);
            m_standard[40] = BlendColorsPercent(shadow, window, 90);
            m_standard[42] = BlendColorsPercent(face, shadow, 90);
        }
        ApplyContrast(highContrast);
        RefreshDerivedGreys();
    }

    RefreshGradients(theme);
    if (!m_bLowResolution)
        RefreshTreeBorder();
}

// Keeps the toolkit colours apart from the colours they are drawn on.
void CKitColorManager::ApplyContrast(bool bHighContrast)
{
    const COLORREF face = m_standard[COLOR_BTNFACE];
    if (IsColorDistinct(face, m_standard[30], TRUE, 35))
        m_standard[30] = LimitColorDistance(face, m_standard[30], 35);
    for (const ContrastRule& rule : kContrastRules) {
        const COLORREF reference = m_standard[rule.reference];
        const COLORREF source = m_standard[rule.source];
        if (!IsColorDistinct(reference, source, TRUE, rule.threshold))
            m_standard[rule.target] = MakeDistinctColor(reference, source, rule.threshold);
    }
    if (IsColorDistinct(m_standard[41], m_standard[35], TRUE, 145))
        m_standard[35] = LimitColorDistance(m_standard[41], m_standard[35], 145);
    if (!bHighContrast) {
        const COLORREF c30 = m_standard[30];
        const COLORREF window = m_standard[COLOR_WINDOW];
        const COLORREF highlight = m_standard[COLOR_HIGHLIGHT];
        auto mix = [](int a, int b, int c) { return a * 50 / 100 + b * 40 / 100 + c * 10 / 100; };
        m_standard[36] = RGB(mix(GetRValue(c30), GetRValue(window), GetRValue(highlight)),
                             mix(GetGValue(c30), GetGValue(window), GetGValue(highlight)),
                             mix(GetBValue(c30), GetBValue(window), GetBValue(highlight)));
    }
}

void CKitColorManager::RefreshDerivedGreys()
{
    const COLORREF face = m_standard[COLOR_BTNFACE];
    const COLORREF shadow = m_standard[COLOR_BTNSHADOW];
    const int faceMax = MaxChannel(face);
    if (faceMax == 0) {
        m_standard[48] = RGB(0x23, 0x23, 0x23);
    } else {
        const int lift = 255 - faceMax <= 35 ? 255 - faceMax : 35;
        m_standard[48] = ScaleChannels(face, faceMax + lift, faceMax);
    }
    const int shadowMax = MaxChannel(shadow);
    if (face == kBlack)
        m_standard[49] = RGB(0x7F, 0x7F, 0x7F);
    else if (shadowMax == 0)
        m_standard[49] = kBlack;
    else
        m_standard[49] = ScaleChannels(shadow, std::max(0, shadowMax - 43), shadowMax);
    const COLORREF c31 = m_standard[31];
    auto threeQuarters = [](int channel) { return static_cast<int>(channel * 0.75 + 0.5); };
    m_standard[34] =
        RGB(threeQuarters(GetRValue(c31)), threeQuarters(GetGValue(c31)), threeQuarters(GetBValue(c31)));
    auto lighter = [](int channel) { return std::min(channel + 15, 255); };
    m_standard[COLOR_3DLIGHT] = RGB(lighter(GetRValue(face)), lighter(GetGValue(face)), lighter(GetBValue(face)));
    m_standard[53] = m_standard[30];
    m_standard[58] = m_standard[40];
    m_standard[60] = m_standard[40];
}

void CKitColorManager::RefreshTreeBorder()
{
    CKitWinThemeWrapper wrapper(TRUE);
    if (!wrapper.IsAppThemed())
        return;
    wrapper.OpenThemeData(nullptr, L"TREEVIEW");
    COLORREF border = 0;
    if (SUCCEEDED(wrapper.GetThemeColor(0, 0, kBorderColorProperty, &border)))
        m_standard[57] = border;
}

void CKitColorManager::RefreshGradients(int nTheme)
{
    const int scheme = SchemeOf(nTheme);
    if (scheme != 0) {
        const StyleGradients& table = scheme == 1 ? kBlueGradients : scheme == 2 ? kOliveGradients : kSilverGradients;
        m_standard[54] = table.index54;
        for (int i = 0; i < 7; ++i)
            m_gradients[i].SetStandardValue(table.gradients[i].from, table.gradients[i].to, table.gradients[i].factor);
    } else {
        const COLORREF face = m_standard[COLOR_BTNFACE];
        const COLORREF shadow = m_standard[COLOR_BTNSHADOW];
        const COLORREF window = m_standard[COLOR_WINDOW];
        m_gradients[0].SetStandardValue(shadow, shadow);
        m_gradients[1].SetStandardValue(face, BlendColorsPercent(face, window, 215));
        m_gradients[2].SetStandardValue(face, shadow);
        m_gradients[3].SetStandardValue(BlendColorsPercent(face, window, 205), face);
        m_gradients[4].SetStandardValue(BlendColorsPercent(face, window, 145), BlendColorsPercent(face, window, 93));
        m_gradients[5].SetStandardValue(BlendColorsPercent(face, window, 40), BlendColorsPercent(face, shadow, 95));
        m_gradients[6].SetStandardValue(BlendColorsPercent(face, window, 165), BlendColorsPercent(face, window, 42));
    }
    if (m_bLowResolution) {
        m_gradients[1].SetStandardColor(m_standard[COLOR_BTNFACE]);
        m_gradients[3].SetStandardColor(m_standard[COLOR_BTNFACE]);
    }
}

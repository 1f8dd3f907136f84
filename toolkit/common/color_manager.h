// CKitPaintManagerColor, CKitPaintManagerColorGradient, CKitColorManager: the toolkit's colour table of 63 indices, its visual-style colours and gradients.
#pragma once

#include "framework/msgmap.h"

#include <windows.h>

#include <functional>

class CArchive;

// A colour with an overridable value: the custom value when set, else the standard one.
class CKitPaintManagerColor {
public:
    static constexpr COLORREF kNone = static_cast<COLORREF>(-1);

    CKitPaintManagerColor() = default;
    explicit CKitPaintManagerColor(COLORREF clrStandard) : m_clrStandardValue(clrStandard) {}
    virtual ~CKitPaintManagerColor() = default;
    CKitPaintManagerColor(const CKitPaintManagerColor&) = default;
    CKitPaintManagerColor& operator=(const CKitPaintManagerColor&) = default;

    // The effective colour.
    operator COLORREF() const { return m_clrCustomValue != kNone ? m_clrCustomValue : m_clrStandardValue; }
    COLORREF GetStandardColor() const { return m_clrStandardValue; }
    COLORREF GetCustomColor() const { return m_clrCustomValue; }
    void SetStandardValue(COLORREF clr) { m_clrStandardValue = clr; }
    void SetCustomValue(COLORREF clr) { m_clrCustomValue = clr; }
    BOOL IsCustomValue() const { return m_clrCustomValue != kNone; }

    // The standard value, then the custom value, each a 32-bit word.
    virtual void Serialize(CArchive& ar);

private:
    COLORREF m_clrStandardValue = kNone;
    COLORREF m_clrCustomValue = kNone;
};

// Two overridable colours and the relative position (factor) at which the
// gradient passes through their blend.
class CKitPaintManagerColorGradient {
public:
    CKitPaintManagerColorGradient() = default;
    virtual ~CKitPaintManagerColorGradient() = default;
    CKitPaintManagerColorGradient(const CKitPaintManagerColorGradient&) = default;
    CKitPaintManagerColorGradient& operator=(const CKitPaintManagerColorGradient&) = default;

    void SetStandardValue(COLORREF clrFrom, COLORREF clrTo, double fFactor = 0.5);
    void SetStandardColor(COLORREF clr);
    // The other gradient's effective colours and factor become the standard values.
    void SetStandardValueFrom(const CKitPaintManagerColorGradient& other);

    // The two colours in order, then the factor as a 32-bit float.
    virtual void Serialize(CArchive& ar);

    CKitPaintManagerColor clrLight;
    CKitPaintManagerColor clrDark;
    double fGradientFactor = 0.5;
};

// The process-wide colour table: indices 0 to 29 are the system colours, 30 to
// 62 the toolkit's own colours derived from them; a larger value is a colour itself.
class CKitColorManager : public CCmdTarget {
    DECLARE_DYNAMIC(CKitColorManager)
public:
    static constexpr int kColorCount = 63;
    static constexpr int kGradientCount = 10;
    // Visual styles: none, the XP blue, olive and silver schemes, Royale, Aero;
    // the configured values 6 and 7 follow the detected style.
    enum SystemTheme { kThemeNone = 0, kThemeBlue = 1, kThemeOlive = 2, kThemeSilver = 3, kThemeRoyale = 4,
                       kThemeAero = 5, kThemeAuto = 6, kThemeAutoAlternative = 7 };

    // A seam in front of GetSysColor.
    using SysColorProvider = std::function<COLORREF(int nIndex)>;
    // A seam in front of the screen's colour depth (bits per pixel).
    using ScreenDepthProvider = std::function<int()>;

    // The process-wide manager, made (and refreshed) on first use.
    static CKitColorManager* Instance();

    CKitColorManager();

    COLORREF GetColor(int nIndex) const;
    // For 30 to 62 the visual-style value when set, else GetColor. The command-bar
    // controls read the Office 2003 colour set's values through this.
    COLORREF GetVisualStyleColor(int nIndex) const;
    void SetCustomColor(int nIndex, COLORREF clr);
    // Gradient nNumber, 1 to 10.
    const CKitPaintManagerColorGradient& GetGradient(int nNumber) const { return m_gradients[nNumber - 1]; }

    // Per channel (a·w + b·(base−w) + base/2) / base with base 100 below 100, else 1000.
    static COLORREF BlendColorsPercent(COLORREF clrA, COLORREF clrB, int nWeight);
    // The DC (0: the desktop's) has 8 or fewer bits per pixel; FALSE when no DC could be had.
    BOOL IsLowResolution(HDC hDC = nullptr) const;
    // Weighted distance; about 441 at most.
    static double GetColorDistance(COLORREF clrA, COLORREF clrB);
    // The distance exceeds the threshold (light-adjusted from clrA when asked). The
    // themes' plain test of two colours and a threshold is bLightAdjust FALSE.
    static BOOL IsColorDistinct(COLORREF clrA, COLORREF clrB, BOOL bLightAdjust, double dThreshold);
    // The point between clrA and clrB at the light-adjusted threshold's distance from clrA.
    static COLORREF LimitColorDistance(COLORREF clrA, COLORREF clrB, double dThreshold);
    // A colour made from clrSource that stands farther from clrReference than the light-adjusted threshold.
    static COLORREF MakeDistinctColor(COLORREF clrReference, COLORREF clrSource, double dThreshold);
    // The style that theme file and colour names stand for.
    static int DetectSystemTheme(LPCWSTR pszThemeFile, LPCWSTR pszColorName, BOOL bDetectRoyale, BOOL bDetectAero);

    BOOL IsVisualStyleColorsDisabled() const { return m_bDisableVisualStyleColors; }
    void DisableVisualStyleColors(BOOL bDisable) { m_bDisableVisualStyleColors = bDisable; }
    int GetDetectedSystemTheme() const { return m_nDetectedTheme; }
    int GetCurrentSystemTheme() const;
    void SetConfiguredSystemTheme(int nTheme) { m_nConfiguredTheme = nTheme; }

    void SetSysColorProvider(SysColorProvider provider) { m_sysColorProvider = std::move(provider); }
    void SetScreenDepthProvider(ScreenDepthProvider provider) { m_screenDepthProvider = std::move(provider); }

    // Recomputes every standard value from the system colours and the visual style.
    void RefreshColors();
    // Gradients 1 to 7 and index 54 for the style.
    void RefreshGradients(int nTheme);

private:
    COLORREF SysColor(int nIndex) const;
    // The style the system uses now: 0 without an active visual style or on a low-resolution screen.
    int DetectCurrentSystemTheme();
    void RefreshVisualStyleColors(int nTheme);
    void ApplyContrast(bool bHighContrast);
    void RefreshDerivedGreys();
    void RefreshTreeBorder();

    CKitPaintManagerColorGradient m_gradients[kGradientCount];
    BOOL m_bDetectRoyale = TRUE;
    BOOL m_bDetectAero = TRUE;
    BOOL m_bDisableVisualStyleColors = FALSE;
    COLORREF m_standard[kColorCount] = {};
    COLORREF m_custom[kColorCount];
    COLORREF m_visualStyle[kColorCount];
    SysColorProvider m_sysColorProvider;
    ScreenDepthProvider m_screenDepthProvider;
    int m_nConfiguredTheme = kThemeAuto;
    int m_nDetectedTheme = kThemeNone;
    bool m_bLowResolution = false;
};

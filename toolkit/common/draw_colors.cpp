// Colour arithmetic between RGB and hue, saturation and lightness: plain values, without windows.
#include "toolkit/common/color_hsl.h"

#include "toolkit/common/draw_helpers.h"

#include <algorithm>

namespace {

constexpr int kHueUndefined = 255;
constexpr int kHueScale = 239;
constexpr int kSaturationScale = 240;
constexpr int kLightnessScale = 240;

double HueChannel(double m1, double m2, double hue)
{
    if (hue < 0)
        hue += 1;
    if (hue > 1)
        hue -= 1;
    if (hue < 1.0 / 6)
        return m1 + (m2 - m1) * hue * 6;
    if (hue < 0.5)
        return m2;
    if (hue < 2.0 / 3)
        return m1 + (m2 - m1) * (2.0 / 3 - hue) * 6;
    return m1;
}

} // namespace

DWORD RgbToHsl(COLORREF clr)
{
    const int r = GetRValue(clr);
    const int g = GetGValue(clr);
    const int b = GetBValue(clr);
    const int maxChannel = std::max({r, g, b});
    const int minChannel = std::min({r, g, b});
    const int lightness = (maxChannel + minChannel + 1) / 2;
    int hue = kHueUndefined;
    int saturation = 0;
    if (maxChannel != minChannel) {
        const int delta = maxChannel - minChannel;
        saturation = maxChannel + minChannel <= 255 ? delta * 255 / (maxChannel + minChannel)
                                                    : delta * 255 / (510 - maxChannel - minChannel);
        double h = 0;
        if (r == maxChannel)
            h = double(g - b) / delta;
        else if (g == maxChannel)
            h = 2.0 + double(b - r) / delta;
        else
            h = 4.0 + double(r - g) / delta;
        h /= 6.0;
        if (h < 0)
            h += 1.0;
        hue = std::min(255, static_cast<int>(h * 255.0 + 0.5));
    }
    auto scale = [](int value, int range) { return static_cast<DWORD>((value * range + 127) / 255); };
    return scale(hue, kHueScale) | (scale(saturation, kSaturationScale) << 8) |
           (scale(lightness, kLightnessScale) << 16);
}

COLORREF HslToRgb(DWORD dwHSL)
{
    auto unscale = [](DWORD value, int range) {
        return std::min(255, static_cast<int>((value * 255 + range / 2) / range));
    };
    const int hue = unscale(dwHSL & 0xFF, kHueScale);
    const int saturation = unscale((dwHSL >> 8) & 0xFF, kSaturationScale);
    const int lightness = unscale((dwHSL >> 16) & 0xFF, kLightnessScale);
    if (saturation == 0)
        return RGB(lightness, lightness, lightness);
    return HslToRgb(hue / 255.0, saturation / 255.0, lightness / 255.0);
}

COLORREF HslToRgb(double h, double s, double l)
{
    if (s == 0) {
        const int grey = static_cast<int>(l * 255);
        return RGB(grey, grey, grey);
    }
    const double m2 = l <= 0.5 ? l * (1 + s) : l + s - l * s;
    const double m1 = 2 * l - m2;
    const int r = static_cast<int>(HueChannel(m1, m2, h + 1.0 / 3) * 255);
    const int g = static_cast<int>(HueChannel(m1, m2, h) * 255);
    const int b = static_cast<int>(HueChannel(m1, m2, h - 1.0 / 3) * 255);
    return RGB(r, g, b);
}

DWORD CKitDrawHelpers::RGBtoHSL(COLORREF clr)
{
    return RgbToHsl(clr);
}

COLORREF CKitDrawHelpers::HSLtoRGB(DWORD dwHSL)
{
    return HslToRgb(dwHSL);
}

COLORREF CKitDrawHelpers::HSLtoRGB(double h, double s, double l)
{
    return HslToRgb(h, s, l);
}

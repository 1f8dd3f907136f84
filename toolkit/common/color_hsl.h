// RgbToHsl, HslToRgb: colour arithmetic between RGB and hue, saturation and lightness, without windows.
#pragma once

#include <windows.h>

// Hue in bits 0-7 (0..239, 255 for a grey), saturation in 8-15 and lightness in 16-23 (0..240).
DWORD RgbToHsl(COLORREF clr);
// The colour of a packed value as RgbToHsl gives it.
COLORREF HslToRgb(DWORD dwHSL);
// The colour of hue, saturation and lightness, each from 0 to 1.
COLORREF HslToRgb(double h, double s, double l);

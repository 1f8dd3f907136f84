// Create32BitDibSection: a 32-bit bitmap section, without windows.
#pragma once

#include <windows.h>

// A 32-bit DIB section of cx by cy pixels (bottom-up for a positive cy, top-down
// for a negative one); ppBits, when given, receives its pixels. Null for a width
// below 1 or a height of 0.
HBITMAP Create32BitDibSection(HDC hDC, int cx, int cy, LPBYTE* ppBits = nullptr);

// ReverseImageRows, TransposeImageReversed: turning a 32-bit image upside down or on its side, for tabs drawn as top tabs and turned.
#pragma once

#include <windows.h>

// Destination row i is source row h - 1 - i (w x h pixels); nothing for h below 1.
void ReverseImageRows(int w, int h, const DWORD* pSource, DWORD* pDestination);
// The source holds w rows of h pixels, the destination h rows of w: destination
// element w*h - 1 - (i*w + j) takes source element j*h + i; nothing for h below 1.
void TransposeImageReversed(int w, int h, const DWORD* pSource, DWORD* pDestination);

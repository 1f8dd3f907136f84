// CKitImageManager: the toolkit's image store; so far its 32-bit bitmap sections.
#pragma once

#include <windows.h>

class CKitImageManager {
public:
    // A 32-bit bitmap section of cx by cy whose rows run bottom-up, or null;
    // *ppBits (when given) receives its pixels. hdc may be null (the screen's).
    static HBITMAP Create32BitDIBSection(HDC hdc, int cx, int cy, LPBYTE* ppBits = nullptr);
};

#include "toolkit/commandbars/mnemonic.h"

namespace {

// The most layouts read from the system.
constexpr int kMaxLayouts = 32;
// The key-state byte of a pressed key.
constexpr BYTE kKeyDown = 0x81;

std::vector<HKL> SystemLayouts()
{
    HKL layouts[kMaxLayouts];
    const int nCount = ::GetKeyboardLayoutList(kMaxLayouts, layouts);
    return std::vector<HKL>(layouts, layouts + (nCount > 0 ? nCount : 0));
}

int SystemToAscii(UINT nVirtualKey, const BYTE* pKeyState, HKL hLayout, WORD* pChars)
{
    return ::ToAsciiEx(nVirtualKey, ::MapVirtualKeyEx(nVirtualKey, 0, hLayout), pKeyState, pChars, 0, hLayout);
}

KitKeyboardLayouts& Layouts()
{
    static KitKeyboardLayouts layouts{SystemLayouts, SystemToAscii};
    return layouts;
}

UINT UpperChar(UINT nChar)
{
    // CharUpper converts a single character passed in the pointer's low word.
    LPSTR lpsz = ::CharUpperA(reinterpret_cast<LPSTR>(static_cast<UINT_PTR>(nChar & 0xFF)));
    return static_cast<UINT>(reinterpret_cast<UINT_PTR>(lpsz));
}

// Whether the key typed exactly one character equal to nChar, ignoring case.
BOOL TypesChar(UINT nVirtualKey, const BYTE* pKeyState, HKL hLayout, UINT nChar)
{
    WORD chars[2] = {0, 0};
    if (Layouts().toAscii(nVirtualKey, pKeyState, hLayout, chars) != 1)
        return FALSE;
    const UINT nTyped = chars[0] & 0xFF;
    return nTyped == nChar || UpperChar(nTyped) == UpperChar(nChar);
}

} // namespace

int FindCaptionMnemonic(LPCSTR lpszCaption)
{
    if (lpszCaption == nullptr)
        return -1;
    for (int i = 0; lpszCaption[i] != '\0'; ++i) {
        if (lpszCaption[i] != '&')
            continue;
        if (lpszCaption[i + 1] == '&') {
            ++i;
            continue;
        }
        return i;
    }
    return -1;
}

BOOL CompareMnemonicKey(UINT nChar, UINT nVirtualKey)
{
    if (nVirtualKey >= VK_NUMPAD0 && nVirtualKey <= VK_NUMPAD9)
        return nChar == '0' + (nVirtualKey - VK_NUMPAD0);
    if (::MapVirtualKeyA(nVirtualKey, MAPVK_VK_TO_CHAR) == 0)
        return FALSE;
    if (nVirtualKey == nChar || nVirtualKey == UpperChar(nChar))
        return TRUE;

    BYTE keyState[256];
    if (!::GetKeyboardState(keyState))
        return FALSE;
    for (HKL hLayout : Layouts().getLayouts()) {
        if (TypesChar(nVirtualKey, keyState, hLayout, nChar))
            return TRUE;
        const BYTE nShift = keyState[VK_SHIFT];
        keyState[VK_SHIFT] = kKeyDown;
        const BOOL bShifted = TypesChar(nVirtualKey, keyState, hLayout, nChar);
        keyState[VK_SHIFT] = nShift;
        if (bShifted)
            return TRUE;
    }
    return FALSE;
}

const KitKeyboardLayouts& KitGetKeyboardLayouts()
{
    return Layouts();
}

KitKeyboardLayouts KitSetKeyboardLayouts(const KitKeyboardLayouts& layouts)
{
    KitKeyboardLayouts previous = Layouts();
    if (layouts.getLayouts)
        Layouts().getLayouts = layouts.getLayouts;
    if (layouts.toAscii)
        Layouts().toAscii = layouts.toAscii;
    return previous;
}

// FindCaptionMnemonic, CompareMnemonicKey: the mnemonic marker of a caption and the keys that type it.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

// The position of the mnemonic marker '&' in the caption, skipping doubled markers; -1 when none.
int FindCaptionMnemonic(LPCSTR lpszCaption);

// Whether the virtual key types the character on any installed keyboard layout (with or without Shift).
BOOL CompareMnemonicKey(UINT nChar, UINT nVirtualKey);

// The keyboard calls the match makes, replaceable so that layouts the machine lacks can be tried.
struct KitKeyboardLayouts {
    // The installed layouts.
    std::function<std::vector<HKL>()> getLayouts;
    // The characters the key types on the layout with the key state (ToAsciiEx).
    std::function<int(UINT nVirtualKey, const BYTE* pKeyState, HKL hLayout, WORD* pChars)> toAscii;
};

// The calls in force; the system's unless replaced.
const KitKeyboardLayouts& KitGetKeyboardLayouts();
// Replaces the calls (an empty member keeps the system's); returns the previous ones.
KitKeyboardLayouts KitSetKeyboardLayouts(const KitKeyboardLayouts& layouts);

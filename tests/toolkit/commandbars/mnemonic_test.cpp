// Mnemonics: the marker of a caption and the keys that type its letter on any installed layout.
#include "toolkit/commandbars/mnemonic.h"

#include <gtest/gtest.h>

TEST(KitMnemonic, TheMarkerSkipsDoubledAmpersands)
{
    struct Case {
        const char* pszCaption;
        int nExpected;
    };
    const Case cases[] = {
        {"&&Print &Preview", 8}, {"&&Only", -1}, {"&File", 0},      {"Save &As", 5}, {"", -1},
        {"Trailing&", 8},        {"A&&&B", 3},   {"No marker", -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.nExpected, FindCaptionMnemonic(c.pszCaption)) << c.pszCaption;
    EXPECT_EQ(-1, FindCaptionMnemonic(nullptr));
}

TEST(KitMnemonic, KeysMatchTheirCharacterOnAnyLayout)
{
    EXPECT_TRUE(CompareMnemonicKey('5', VK_NUMPAD5));
    EXPECT_FALSE(CompareMnemonicKey('6', VK_NUMPAD5));
    EXPECT_TRUE(CompareMnemonicKey('f', 'F'));
    EXPECT_TRUE(CompareMnemonicKey('F', 'F'));
    EXPECT_FALSE(CompareMnemonicKey('G', 'F'));
    // A key that types nothing never matches.
    EXPECT_FALSE(CompareMnemonicKey(VK_F5, VK_F5));

    // A second layout where the Y key types 'z', and the section sign needs Shift on the 3 key.
    constexpr UINT kSection = 0xA7;
    HKL hSecond = reinterpret_cast<HKL>(static_cast<INT_PTR>(0x04070407));
    KitKeyboardLayouts fake;
    fake.getLayouts = [hSecond]() { return std::vector<HKL>{::GetKeyboardLayout(0), hSecond}; };
    fake.toAscii = [hSecond, kSection](UINT nKey, const BYTE* pState, HKL hLayout, WORD* pChars) {
        if (hLayout != hSecond)
            return 0;
        const bool bShift = (pState[VK_SHIFT] & 0x80) != 0;
        if (nKey == 'Y')
            pChars[0] = bShift ? 'Z' : 'z';
        else if (nKey == '3')
            pChars[0] = bShift ? kSection : '3';
        else
            return 0;
        return 1;
    };
    const KitKeyboardLayouts previous = KitSetKeyboardLayouts(fake);
    EXPECT_TRUE(CompareMnemonicKey('Z', 'Y'));
    EXPECT_TRUE(CompareMnemonicKey('z', 'Y'));
    EXPECT_TRUE(CompareMnemonicKey(kSection, '3'));
    EXPECT_FALSE(CompareMnemonicKey('x', 'Y'));
    KitSetKeyboardLayouts(previous);
    EXPECT_FALSE(CompareMnemonicKey(kSection, '3'));
}

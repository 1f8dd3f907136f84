// CKitControlTheme: the reference-counted base of the themes of the toolkit's standalone controls, holding the theme id.
#pragma once

#include "framework/msgmap.h"

#include <windows.h>

class CKitControlTheme : public CCmdTarget {
    DECLARE_DYNAMIC(CKitControlTheme)
public:
    // The ids of the themes; a control that does not know an id uses its default theme.
    enum ThemeId {
        kThemeDefault = 0,
        kThemeFlat = 1,
        kThemeUltraFlat = 2,
        kThemeOffice2000 = 3,
        kThemeOfficeXP = 4,
        kThemeOffice2003 = 5,
        kThemeExplorer = 6,
        kThemeResource = 7,
    };
    // Sets a control's theme to the id in wParam; answered with 0.
    static constexpr UINT kMsgSetControlTheme = 10059;

    CKitControlTheme() = default;

    int GetThemeID() const { return m_nTheme; }
    BOOL IsFlatStyle() const { return m_bFlatStyle; }

    // Releases the theme a control holds and clears its pointer.
    template <class Theme>
    static void Release(Theme*& pTheme)
    {
        if (pTheme != nullptr)
            pTheme->InternalRelease();
        pTheme = nullptr;
    }

protected:
    int m_nTheme = kThemeDefault;
    BOOL m_bFlatStyle = FALSE;
};

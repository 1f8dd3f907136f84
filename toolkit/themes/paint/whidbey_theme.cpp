#include "toolkit/themes/paint/whidbey_theme.h"

#include "toolkit/common/color_manager.h"

#include <iterator>

IMPLEMENT_DYNAMIC(CKitWhidbeyTheme, CKitOffice2003Theme)

CKitWhidbeyTheme::CKitWhidbeyTheme()
{
    m_nSystemTheme = CKitColorManager::kThemeNone;
    m_bSingleSeparatorLine = TRUE;
}

void CKitWhidbeyTheme::RefreshMetrics()
{
    CKitOffice2003Theme::RefreshMetrics();
    CKitColorManager* pColors = CKitColorManager::Instance();
    if (pColors->IsLowResolution())
        m_grcExpandButton.SetStandardColor(GetColor(COLOR_BTNFACE));
    else
        m_grcExpandButton.SetStandardValue(
            CKitColorManager::BlendColorsPercent(GetColor(COLOR_WINDOW), GetColor(COLOR_BTNFACE), 550),
            GetColor(COLOR_BTNSHADOW));

    // The colours follow the visual style itself, not the system theme setting.
    const int nStyle = pColors->GetCurrentSystemTheme();
    if (nStyle == CKitColorManager::kThemeBlue || nStyle == CKitColorManager::kThemeOlive) {
        m_grcToolBar.SetStandardValue(RGB(250, 249, 245), RGB(192, 192, 168), 0.75);
        m_grcDock.SetStandardValue(RGB(229, 229, 215), RGB(244, 241, 231), 0.5);
        m_clrToolBarEdge.SetStandardValue(RGB(163, 163, 124));
        m_grcHiddenColumn.SetStandardColor(RGB(204, 199, 186));
        m_grcGlyph.SetStandardValueFrom(m_grcToolBar);
        if (nStyle == CKitColorManager::kThemeBlue) {
            m_grcExpandButton.SetStandardValue(RGB(238, 237, 234), RGB(152, 152, 126), 0.75);
            m_clrFace.SetStandardValue(RGB(247, 245, 249), RGB(122, 121, 153), 0.5);
        } else {
            m_grcExpandButton.SetStandardValue(RGB(238, 237, 234), RGB(176, 172, 158), 0.75);
            m_clrFace.SetStandardValue(RGB(236, 233, 216), RGB(172, 168, 153), 0.5);
            for (int nIndex : {31, 36})
                GetColorEntry(nIndex).SetStandardValue(RGB(182, 198, 141));
            GetColorEntry(33).SetStandardValue(RGB(147, 160, 112));
            GetColorEntry(47).SetStandardValue(RGB(255, 255, 255));
        }
    } else if (nStyle == CKitColorManager::kThemeSilver) {
        m_grcToolBar.SetStandardValue(RGB(243, 244, 250), RGB(153, 151, 181), 0.75);
        m_grcExpandButton.SetStandardValue(RGB(179, 178, 200), RGB(118, 116, 146), 0.75);
        m_grcDock.SetStandardValue(RGB(215, 215, 229), RGB(243, 243, 247), 0.5);
        m_clrToolBarEdge.SetStandardValue(RGB(124, 124, 148));
        m_grcHiddenColumn.SetStandardValue(RGB(215, 215, 226), RGB(133, 131, 162), 0.5);
        m_grcGlyph.SetStandardValue(RGB(232, 232, 241), RGB(176, 174, 197), 0.5);
        m_clrFace.SetStandardValue(RGB(247, 245, 249), RGB(122, 121, 153), 0.5);
        for (int nIndex : {35, 60})
            GetColorEntry(nIndex).SetStandardValue(RGB(141, 141, 141));
        const int indices[] = {31, 32, 37, 50, 33, 36, 47};
        const COLORREF colors[] = {RGB(255, 238, 194), RGB(75, 75, 111), RGB(75, 75, 111), RGB(75, 75, 111),
                                   RGB(254, 128, 62),  RGB(255, 192, 111), RGB(0, 0, 0)};
        SetColors(static_cast<int>(std::size(indices)), indices, colors);
        GetColorEntry(39).SetStandardValue(RGB(110, 109, 143));
        GetColorEntry(38).SetStandardValue(RGB(84, 84, 117));
        GetColorEntry(30).SetStandardValue(RGB(219, 218, 228));
        m_clrTearOff.SetStandardValue(RGB(192, 192, 211));
        m_clrFloatingGripper.SetStandardValue(RGB(122, 121, 153));
        GetColorEntry(61).SetStandardValue(RGB(122, 121, 153));
    }
    m_grcImageColumn.SetStandardValueFrom(m_grcToolBar);
    RefreshGlyphImage();
}

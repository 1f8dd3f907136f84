// The test theme module in the process-wide image set, and the colours of its pictures.
#pragma once

#include "toolkit/common/resource_images.h"

#include <gtest/gtest.h>

#include <windows.h>

// Fill colours of the module's bitmaps (see fixtures/kit_resource_theme.rc).
namespace ThemeModuleColors {
constexpr COLORREF kProgressTrack = RGB(235, 238, 243);
constexpr COLORREF kProgressBody = RGB(76, 175, 80);
constexpr COLORREF kProgressEdge = RGB(165, 214, 167);
constexpr COLORREF kSliderTick = RGB(100, 110, 130);
constexpr COLORREF kSliderTrack = RGB(230, 234, 240);
constexpr COLORREF kSliderThumb[3] = {RGB(220, 228, 240), RGB(255, 232, 160), RGB(250, 185, 95)};
// The gallery's up, down and popup buttons: state s of button i is the state's colour with i less red.
constexpr COLORREF kGalleryButton[5] = {RGB(221, 231, 245), RGB(205, 219, 240), RGB(255, 231, 162),
                                        RGB(251, 186, 96), RGB(236, 236, 236)};
constexpr COLORREF kBarBackground[2] = {RGB(233, 238, 246), RGB(200, 210, 230)};
constexpr COLORREF kBarArrow[4] = {RGB(225, 233, 245), RGB(210, 222, 240), RGB(255, 232, 163), RGB(252, 187, 97)};
constexpr COLORREF kBarThumb[3] = {RGB(205, 218, 238), RGB(255, 220, 140), RGB(250, 180, 90)};
constexpr COLORREF kBarGripper[3] = {RGB(90, 110, 150), RGB(91, 110, 150), RGB(92, 110, 150)};
constexpr COLORREF kGlyphNormal = RGB(40, 60, 100);
constexpr COLORREF kGlyphActive = RGB(20, 30, 60);
constexpr COLORREF kGlyphDisabled = RGB(160, 160, 160);
constexpr COLORREF kWorkspacePicture = RGB(200, 214, 234);
constexpr COLORREF kWorkspaceLastColumn = RGB(190, 205, 228);
constexpr COLORREF kCloseGlyph = RGB(60, 60, 60);

inline COLORREF GalleryButton(int nButton, int nState)
{
    const COLORREF clr = kGalleryButton[nState];
    return RGB(GetRValue(clr) - nButton, GetGValue(clr), GetBValue(clr));
}
} // namespace ThemeModuleColors

// Loads the test theme module beside the program and gives the image set its description
// ("Resource.Theme.Ini", or "Known.Values.Ini" with a few keys only).
class ThemeModule {
public:
    explicit ThemeModule(LPCSTR lpszIni = "Resource.Theme.Ini")
    {
        m_hModule = ::LoadLibraryA("kit_resource_theme.dll");
        EXPECT_NE(nullptr, m_hModule);
        EXPECT_TRUE(CKitResourceImages::Instance()->SetHandle(m_hModule, lpszIni));
    }
    ~ThemeModule()
    {
        CKitResourceImages::Instance()->SetHandle(nullptr);
        if (m_hModule != nullptr)
            ::FreeLibrary(m_hModule);
    }
    ThemeModule(const ThemeModule&) = delete;
    ThemeModule& operator=(const ThemeModule&) = delete;

private:
    HMODULE m_hModule = nullptr;
};

// The theme numbers and the current paint manager.
#include "toolkit/themes/paint/default_theme.h"
#include "toolkit/themes/paint/native_xp_theme.h"
#include "toolkit/themes/paint/office2003_theme.h"
#include "toolkit/themes/paint/office_theme.h"
#include "toolkit/themes/paint/paint_manager.h"
#include "toolkit/themes/paint/resource_theme.h"

namespace {
constexpr int kThemeOffice = 1;
constexpr int kThemeOffice2003 = 2;
constexpr int kThemeNativeXP = 3;
constexpr int kThemeResource = 5;
constexpr int kThemeVisualStudio6 = 8;
} // namespace

CKitPaintManager* CKitPaintManager::CreateTheme(int nTheme)
{
    CKitPaintManager* pTheme = nullptr;
    switch (nTheme) {
    case kThemeOffice:
        pTheme = new CKitOfficeTheme();
        break;
    case kThemeOffice2003:
        pTheme = new CKitOffice2003Theme();
        break;
    case kThemeNativeXP:
        pTheme = new CKitNativeXPTheme();
        break;
    case kThemeResource:
        pTheme = new CKitResourceTheme();
        break;
    case kThemeVisualStudio6:
        pTheme = new CKitVisualStudio6Theme();
        break;
    default:
        pTheme = new CKitDefaultTheme();
        break;
    }
    pTheme->m_nThemeNumber = nTheme;
    return pTheme;
}

void CKitPaintManager::SetTheme(int nTheme)
{
    SetCustomTheme(CreateTheme(nTheme));
    s_pCurrent->m_nThemeNumber = nTheme;
}

CKitPaintManager* CKitPaintManager::Instance()
{
    if (s_pCurrent == nullptr)
        SetTheme(0);
    return s_pCurrent;
}

// The theme numbers and the current paint manager.
#include "toolkit/themes/paint/default_theme.h"
#include "toolkit/themes/paint/native_xp_theme.h"
#include "toolkit/themes/paint/office2003_theme.h"
#include "toolkit/themes/paint/office_theme.h"
#include "toolkit/themes/paint/paint_manager.h"
#include "toolkit/themes/paint/resource_theme.h"
#include "toolkit/themes/paint/ribbon_theme.h"
#include "toolkit/themes/paint/visual_studio2008_theme.h"
#include "toolkit/themes/paint/visual_studio2010_theme.h"
#include "toolkit/themes/paint/whidbey_theme.h"

namespace {
constexpr int kThemeOffice = 1;
constexpr int kThemeOffice2003 = 2;
constexpr int kThemeNativeXP = 3;
constexpr int kThemeWhidbey = 4;
constexpr int kThemeVisualStudio2008 = 7;
constexpr int kThemeVisualStudio6 = 8;
constexpr int kThemeVisualStudio2010 = 9;
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
    case kThemeWhidbey:
        pTheme = new CKitWhidbeyTheme();
        break;
    case CKitResourceTheme::kThemeNumber:
        pTheme = new CKitResourceTheme();
        break;
    case CKitRibbonTheme::kThemeNumber:
        pTheme = new CKitRibbonTheme();
        break;
    case kThemeVisualStudio2008:
        pTheme = new CKitVisualStudio2008Theme();
        break;
    case kThemeVisualStudio6:
        pTheme = new CKitVisualStudio6Theme();
        break;
    case kThemeVisualStudio2010:
        pTheme = new CKitVisualStudio2010Theme();
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

CKitPaintManager* CKitPaintManager::FromPainter(CKitBarPainter* pPainter)
{
    auto* pPaintManager = dynamic_cast<CKitPaintManager*>(pPainter);
    return pPaintManager != nullptr ? pPaintManager : Instance();
}

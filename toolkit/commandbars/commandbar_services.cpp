// The command bars' share of the common controls' services, registered at start-up of every program that links the command bars.
#include "toolkit/commandbars/command_bar_manager.h"
#include "toolkit/commandbars/popup_bar.h"
#include "toolkit/commandbars/shadow_manager.h"
#include "toolkit/common/image_manager.h"
#include "toolkit/common/upper_services.h"

namespace {

class CCommandBarServices final : public CKitCommandBarServices {
public:
    CKitShadowCaster* CreateShadowCaster() override { return new CKitShadowManager; }

    BOOL TrackPopupMenu(HMENU hMenu, UINT nIDToolBar, UINT nFlags, CPoint ptScreen, CWnd* pReceiver) override
    {
        CKitThemeServices* pThemes = CKitThemeServices::Get();
        if (pThemes == nullptr || pThemes->GetDefaultBarPainter() == nullptr)
            return FALSE;
        CKitCommandBarManager commandBars;
        commandBars.SetSite(pReceiver);
        CKitPopupBar* pPopup = CKitPopupBar::CreatePopupBar(&commandBars);
        auto* pImages = new CKitImageManager();
        pImages->SetIconsFromToolBar(nIDToolBar);
        pPopup->SetImageManager(pImages);
        pPopup->LoadMenu(hMenu);
        commandBars.TrackPopupMenu(pPopup, nFlags, ptScreen.x, ptScreen.y, pReceiver, nullptr, pReceiver);
        pPopup->InternalRelease();
        return TRUE;
    }
};

CCommandBarServices g_services;

// Runs before main: the common controls find the command bars from the first window on.
const bool g_bRegistered = (CKitCommandBarServices::Register(&g_services), true);

} // namespace

// A frame with a ribbon bar: three tabs and a context tab, groups of buttons, a quick access toolbar:
// build/screens/ribbon-bar.png; narrow, with more groups than fit, scrolled: build/screens/ribbon-bar-scrolled.png.
#include "toolkit/themes/ribbon/ribbon_bar.h"

#include "framework/wnd.h"
#include "ribbon_theme_support.h"
#include "support/message_pump.h"
#include "support/window_screenshot.h"
#include "toolkit/commandbars/command_bar_manager.h"
#include "toolkit/commandbars/control.h"
#include "toolkit/commandbars/controls.h"
#include "toolkit/themes/paint/paint_manager.h"
#include "toolkit/themes/ribbon/ribbon_control_tab.h"
#include "toolkit/themes/ribbon/ribbon_group.h"
#include "toolkit/themes/ribbon/ribbon_quick_access.h"
#include "toolkit/themes/ribbon/ribbon_tab.h"

#include <gtest/gtest.h>

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 260;

} // namespace

namespace {

// The ribbon in a frame of the width with extra groups of three buttons, scrolled right by the steps.
void ShootRibbon(int nWidth, int nExtraGroups, int nScrollSteps, LPCSTR lpszName)
{
    CWnd site;
    ASSERT_TRUE(site.CreateEx(0, "STATIC", "Corvel", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_VISIBLE |
                              WS_CLIPCHILDREN, 40, 40, nWidth, kHeight, nullptr, 0));
    CRect rcClient;
    site.GetClientRect(&rcClient);
    CKitCommandBarManager manager;
    manager.SetSite(&site);
    manager.GetCommandBarsOptions()->bDisableIfNoHandler = FALSE;

    auto* pRibbon = new CKitRibbonBar();
    manager.AddCommandBar(pRibbon);
    pRibbon->SetPosition(kitBarTop);
    pRibbon->CreateBar(&site);

    CKitRibbonTab* pHome = pRibbon->AddTab("Home", 1);
    pRibbon->AddTab("Mapping", 2);
    pRibbon->AddTab("View", 3);
    CKitRibbonTab* pTable = pRibbon->AddTab("Layout", 4);
    pTable->SetContextColor(CKitRibbonTab::kContextGreen);
    pTable->SetContextCaption("Table");
    CKitRibbonGroup* pProject = pHome->GetGroups()->Add("Project", 10);
    AddButton(pRibbon, pProject, 101, "New");
    AddButton(pRibbon, pProject, 102, "Open");
    AddButton(pRibbon, pProject, 103, "Save");
    CKitRibbonGroup* pModule = pHome->GetGroups()->Add("Module", 11);
    AddButton(pRibbon, pModule, 104, "Send");
    AddButton(pRibbon, pModule, 105, "Receive");
    AddButton(pRibbon, pModule, 106, "Monitor");
    for (int g = 0; g < nExtraGroups; ++g) {
        CKitRibbonGroup* pGroup = pHome->GetGroups()->Add("Mapping", 20 + g);
        for (int c = 0; c < 3; ++c)
            AddButton(pRibbon, pGroup, 200 + 10 * g + c, "Attribute");
    }
    for (LPCSTR lpszCaption : {"Open", "Save"}) {
        CKitControl* pQuick = pRibbon->GetQuickAccessControls()->Add(kitControlButton, 102);
        pQuick->SetCaption(lpszCaption);
        pQuick->SetStyle(kitButtonCaption);
    }
    pRibbon->GetControlTab()->SetSelectedItem(pHome);

    const CSize sz = pRibbon->CalcDockLayout(rcClient.Width(), LM_COMMIT);
    ASSERT_LT(0, sz.cy);
    pRibbon->MoveWindow(0, 0, sz.cx, sz.cy);
    pRibbon->CalcDockLayout(rcClient.Width(), LM_COMMIT);
    for (int i = 0; i < nScrollSteps; ++i) {
        pRibbon->ScrollGroups(TRUE);
        pRibbon->CalcDockLayout(rcClient.Width(), LM_COMMIT);
    }
    site.Invalidate();
    site.UpdateWindow();
    pRibbon->Invalidate();
    pRibbon->UpdateWindow();
    PumpMessages();
    EXPECT_EQ("", SaveWindowScreenshot(site.GetSafeHwnd(), lpszName));
    manager.RemoveAll();
    site.DestroyWindow();
}

} // namespace

TEST(KitRibbonBarScreens, RibbonWithTabsGroupsAndQuickAccess)
{
    ShootRibbon(kWidth, 0, 0, "ribbon-bar");
}

// Reduced groups show their popup buttons; both group scroll buttons show at the ends of the groups.
TEST(KitRibbonBarScreens, NarrowRibbonScrollsItsGroups)
{
    ShootRibbon(360, 6, 2, "ribbon-bar-scrolled");
}

// A frame with a ribbon bar: three tabs and a context tab, groups of buttons, a quick access toolbar:
// build/screens/ribbon-bar.png.
#include "toolkit/themes/ribbon/ribbon_bar.h"

#include "framework/wnd.h"
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

// A button of the ribbon's controls in the group, captioned and large when asked.
CKitControl* AddButton(CKitRibbonBar* pBar, CKitRibbonGroup* pGroup, UINT nId, LPCSTR lpszCaption)
{
    CKitControl* pControl = pBar->GetControls()->Add(kitControlButton, nId);
    pControl->SetCaption(lpszCaption);
    pControl->SetStyle(kitButtonCaption);
    pGroup->Add(pControl);
    return pControl;
}

} // namespace

TEST(KitRibbonBarScreens, RibbonWithTabsGroupsAndQuickAccess)
{
    CWnd site;
    ASSERT_TRUE(site.CreateEx(0, "STATIC", "Corvel", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_VISIBLE |
                              WS_CLIPCHILDREN, 40, 40, kWidth, kHeight, nullptr, 0));
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
    site.Invalidate();
    site.UpdateWindow();
    pRibbon->Invalidate();
    pRibbon->UpdateWindow();
    PumpMessages();
    EXPECT_EQ("", SaveWindowScreenshot(site.GetSafeHwnd(), "ribbon-bar"));
    manager.RemoveAll();
    site.DestroyWindow();
}

// The ribbon's quick access menus: which items a right click offers for a control and the ribbon's state,
// the customize button's size and drop-down, the default-command item and the caption buttons;
// build/screens/ribbon-context-menu.png.
#include "toolkit/themes/ribbon/ribbon_bar.h"

#include "framework/wnd.h"
#include "support/message_pump.h"
#include "support/window_capture.h"
#include "support/window_screenshot.h"
#include "toolkit/commandbars/command_bar_manager.h"
#include "toolkit/commandbars/control.h"
#include "toolkit/commandbars/controls.h"
#include "toolkit/commandbars/popup_bar.h"
#include "toolkit/common/toolkit_ids.h"
#include "toolkit/themes/ribbon/ribbon_caption_button.h"
#include "toolkit/themes/ribbon/ribbon_control_tab.h"
#include "toolkit/themes/ribbon/ribbon_group.h"
#include "toolkit/themes/ribbon/ribbon_quick_access.h"
#include "toolkit/themes/ribbon/ribbon_tab.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr const char* kRemove = "&Remove from Quick Access Toolbar";
constexpr const char* kAdd = "&Add to Quick Access Toolbar";
constexpr const char* kBelow = "&Show Quick Access Toolbar Below the Ribbon";
constexpr const char* kAbove = "&Show Quick Access Toolbar Above the Ribbon";
constexpr const char* kMinimize = "Mi&nimize the Ribbon";

// Releases the menu when the test ends.
struct MenuHolder {
    CKitPopupBar* pMenu;
    ~MenuHolder()
    {
        if (pMenu != nullptr)
            pMenu->InternalRelease();
    }
    CKitControl* Find(const std::string& strCaption) const
    {
        CKitControls* pItems = pMenu->GetControls();
        for (int i = 0; i < pItems->GetCount(); ++i) {
            if (std::string(pItems->GetAt(i)->GetCaption()) == strCaption)
                return pItems->GetAt(i);
        }
        return nullptr;
    }
    BOOL IsShown(const std::string& strCaption) const
    {
        CKitControl* pItem = Find(strCaption);
        return pItem != nullptr && (pItem->GetHideFlags() & kitHideUser) == 0;
    }
};

// A ribbon with one tab, a command on its quick access toolbar, one that is not, and one never allowed there.
struct RibbonWithCommands {
    CKitRibbonBar bar;
    CKitControl* pOnToolbar;
    CKitControl* pOther;
    CKitControl* pNotAllowed;
    RibbonWithCommands()
    {
        bar.AddTab("Home", 1);
        pOnToolbar = bar.GetQuickAccessControls()->Add(kitControlButton, 200);
        pOther = bar.GetControls()->Add(kitControlButton, 201);
        pNotAllowed = bar.GetControls()->Add(kitControlButton, 202);
        pNotAllowed->SetFlags(CKitRibbonBar::kFlagNotForQuickAccess);
    }
};

TEST(RibbonContextMenu, OffersRemoveOrAddByWhetherTheCommandIsOnTheToolbar)
{
    RibbonWithCommands ribbon;
    const struct {
        const char* name;
        CKitControl* pControl;
        BOOL bRemove;
        BOOL bAdd;
    } cases[] = {
        {"on the toolbar", ribbon.pOnToolbar, TRUE, FALSE},
        {"not on the toolbar", ribbon.pOther, FALSE, TRUE},
        {"not for the toolbar", ribbon.pNotAllowed, FALSE, FALSE},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        MenuHolder menu{ribbon.bar.CreateContextMenu(c.pControl)};
        ASSERT_NE(menu.pMenu, nullptr);
        ASSERT_NE(menu.Find(kRemove), nullptr);
        ASSERT_NE(menu.Find(kAdd), nullptr);
        EXPECT_EQ(menu.IsShown(kRemove), c.bRemove);
        EXPECT_EQ(menu.IsShown(kAdd), c.bAdd);
    }
}

TEST(RibbonContextMenu, AddIsDisabledForACommandAlreadyOnTheToolbarById)
{
    RibbonWithCommands ribbon;
    CKitControl* pSameId = ribbon.bar.GetControls()->Add(kitControlButton, 200);
    MenuHolder menu{ribbon.bar.CreateContextMenu(pSameId)};
    ASSERT_NE(menu.pMenu, nullptr);
    EXPECT_TRUE(menu.IsShown(kAdd));
    EXPECT_FALSE(menu.Find(kAdd)->IsEnabled());
}

TEST(RibbonContextMenu, OffersOnlyTheOtherPlaceOfTheToolbar)
{
    for (BOOL bBelow : {TRUE, FALSE}) {
        SCOPED_TRACE(bBelow ? "below" : "above");
        RibbonWithCommands ribbon;
        ribbon.bar.ShowQuickAccessBelowRibbon(bBelow);
        MenuHolder menu{ribbon.bar.CreateContextMenu(ribbon.pOther)};
        ASSERT_NE(menu.pMenu, nullptr);
        EXPECT_EQ(menu.IsShown(kAbove), bBelow);
        EXPECT_EQ(menu.IsShown(kBelow), !bBelow);
    }
}

TEST(RibbonContextMenu, MinimizeIsDisabledWithoutTabsAndCheckedWhenMinimized)
{
    CKitRibbonBar empty;
    MenuHolder noTabs{empty.CreateContextMenu(nullptr)};
    ASSERT_NE(noTabs.pMenu, nullptr);
    ASSERT_TRUE(noTabs.IsShown(kMinimize));
    EXPECT_FALSE(noTabs.Find(kMinimize)->IsEnabled());

    RibbonWithCommands ribbon;
    ribbon.bar.SetRibbonMinimized(TRUE);
    MenuHolder minimized{ribbon.bar.CreateContextMenu(ribbon.pOther)};
    ASSERT_NE(minimized.pMenu, nullptr);
    EXPECT_TRUE(minimized.Find(kMinimize)->IsEnabled());
    EXPECT_EQ(minimized.Find(kMinimize)->GetChecked(), 1);

    ribbon.bar.SetAllowMinimize(FALSE);
    MenuHolder notAllowed{ribbon.bar.CreateContextMenu(ribbon.pOther)};
    EXPECT_FALSE(notAllowed.IsShown(kMinimize));
}

TEST(RibbonContextMenu, CustomizeButtonGetsTheDropDownWithTheToolbarPlaceCommands)
{
    RibbonWithCommands ribbon;
    MenuHolder menu{ribbon.bar.CreateContextMenu(ribbon.bar.GetQuickAccessPopup())};
    ASSERT_NE(menu.pMenu, nullptr);
    // The drop-down's place items take the right-click menu's ids; its command list is empty.
    CKitControl* pBelow = menu.Find("&Show Below the Ribbon");
    ASSERT_NE(pBelow, nullptr);
    EXPECT_EQ(pBelow->GetId(), ID_KIT_RIBBON_QA_SHOW_BELOW);
    EXPECT_TRUE(menu.IsShown("&Show Below the Ribbon"));
    EXPECT_FALSE(menu.IsShown("&Show Above the Ribbon"));
    EXPECT_EQ(menu.Find("&More Commands...")->GetId(), 9607u);
    EXPECT_FALSE(menu.IsShown("[Commands]"));
    EXPECT_EQ(menu.Find(kRemove), nullptr);

    // The button itself: at least 22 high, 13/22 of that wide.
    EXPECT_GE(ribbon.bar.GetQuickAccessPopup()->GetSize(nullptr).cy, 22);
    EXPECT_EQ(ribbon.bar.GetQuickAccessPopup()->GetSize(nullptr).cx,
              ribbon.bar.GetQuickAccessPopup()->GetSize(nullptr).cy * 13 / 22);
}

TEST(RibbonContextMenu, HiddenToolbarGivesTheBarsOwnMenu)
{
    RibbonWithCommands ribbon;
    ribbon.bar.ShowQuickAccess(FALSE);
    MenuHolder menu{ribbon.bar.CreateContextMenu(ribbon.pOther)};
    ASSERT_NE(menu.pMenu, nullptr);
    EXPECT_EQ(menu.Find(kAdd), nullptr);
    EXPECT_EQ(menu.Find(kMinimize), nullptr);
}

TEST(RibbonContextMenu, CommandItemAddsACopyOfTheSourceOrRemovesTheControl)
{
    RibbonWithCommands ribbon;
    CKitRibbonQuickAccessControls* pList = ribbon.bar.GetQuickAccessControls();

    // A default command kept off the toolbar by its flag goes on as a copy that may stay there.
    auto* pAdd = new CKitRibbonBar::CControlQuickAccessCommand(pList, ribbon.pNotAllowed, nullptr);
    pAdd->OnExecute();
    ASSERT_EQ(pList->GetCount(), 2);
    CKitControl* pCopy = pList->GetAt(1);
    EXPECT_NE(pCopy, ribbon.pNotAllowed);
    EXPECT_EQ(pCopy->GetId(), 202u);
    EXPECT_EQ(pCopy->GetFlags() & CKitRibbonBar::kFlagNotForQuickAccess, 0u);
    EXPECT_TRUE(ribbon.bar.IsQuickAccessControl(pCopy));
    pAdd->InternalRelease();

    // The item for a command on the toolbar takes that control off, from the bar as well.
    auto* pRemove = new CKitRibbonBar::CControlQuickAccessCommand(pList, ribbon.pOther, ribbon.pOnToolbar);
    pRemove->OnExecute();
    EXPECT_EQ(pList->GetCount(), 1);
    EXPECT_EQ(pList->IndexOf(ribbon.pOnToolbar), -1);
    EXPECT_EQ(ribbon.bar.GetControls()->FindControlById(200), nullptr);
    pRemove->InternalRelease();
}

TEST(RibbonCaptionButton, PostsItsSystemCommandToTheSite)
{
    HWND hSite = ::CreateWindowExA(0, "STATIC", "", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(hSite, nullptr);
    CWnd site;
    site.Attach(hSite);
    CKitRibbonBar bar;
    bar.SetSite(&site);
    auto* pButton = new CKitRibbonBarControlCaptionButton(nullptr);
    bar.GetControls()->Add(pButton, SC_MINIMIZE, nullptr, -1, TRUE);
    EXPECT_EQ(pButton->GetFlags(), 0x1Au);
    pButton->OnExecute();
    MSG msg{};
    ASSERT_TRUE(::PeekMessageA(&msg, hSite, WM_SYSCOMMAND, WM_SYSCOMMAND, PM_REMOVE));
    EXPECT_EQ(msg.wParam, static_cast<WPARAM>(SC_MINIMIZE));
    EXPECT_EQ(msg.lParam, 0);
    site.Detach();
    ::DestroyWindow(hSite);
}

TEST(RibbonContextMenu, RightClickMenuOfAQuickAccessCommandOnScreen)
{
    CWnd site;
    ASSERT_TRUE(site.CreateEx(0, "STATIC", "Corvel", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_VISIBLE |
                              WS_CLIPCHILDREN, 40, 40, 480, 260, nullptr, 0));
    CKitCommandBarManager manager;
    manager.SetSite(&site);
    manager.GetCommandBarsOptions()->bDisableIfNoHandler = FALSE;
    auto* pRibbon = new CKitRibbonBar();
    manager.AddCommandBar(pRibbon);
    pRibbon->SetPosition(kitBarTop);
    pRibbon->CreateBar(&site);
    CKitRibbonTab* pHome = pRibbon->AddTab("Home", 1);
    CKitRibbonGroup* pProject = pHome->GetGroups()->Add("Project", 10);
    UINT nId = 101;
    for (LPCSTR lpszCaption : {"New", "Open", "Save"}) {
        CKitControl* pButton = pRibbon->GetControls()->Add(kitControlButton, nId++);
        pButton->SetCaption(lpszCaption);
        pButton->SetStyle(kitButtonCaption);
        pProject->Add(pButton);
    }
    CKitControl* pQuick = pRibbon->GetQuickAccessControls()->Add(kitControlButton, 103);
    pQuick->SetCaption("Save");
    pQuick->SetStyle(kitButtonCaption);
    pRibbon->GetControlTab()->SetSelectedItem(pHome);
    CRect rcClient;
    site.GetClientRect(&rcClient);
    const CSize szRibbon = pRibbon->CalcDockLayout(rcClient.Width(), LM_COMMIT);
    pRibbon->MoveWindow(0, 0, szRibbon.cx, szRibbon.cy);
    pRibbon->CalcDockLayout(rcClient.Width(), LM_COMMIT);

    CKitPopupBar* pMenu = pRibbon->CreateContextMenu(pQuick);
    ASSERT_NE(pMenu, nullptr);
    CPoint ptCursor;
    ::GetCursorPos(&ptCursor);
    ::SetCursorPos(700, 600);
    // The menu opens where the command was clicked, and the picture shows it over the ribbon's site.
    CPoint ptClick = pQuick->GetRect().CenterPoint();
    pRibbon->ClientToScreen(&ptClick);
    const auto open = [&] {
        if (!pMenu->PopupAt(ptClick.x, ptClick.y))
            return false;
        PumpMessages();
        site.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        pMenu->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        return true;
    };
    ASSERT_TRUE(open());
    CRect rcShot, rcMenu;
    site.GetWindowRect(&rcShot);
    pMenu->GetWindowRect(&rcMenu);
    rcShot.UnionRect(rcShot, rcMenu);
    const WindowImage shot = CaptureScreenRectWhileOpen(rcShot, [&] { return pMenu->IsVisible() != FALSE; }, open);
    EXPECT_EQ("", SaveScreenshot("ribbon-context-menu", shot.width, shot.height, shot.pixels));
    ::SetCursorPos(ptCursor.x, ptCursor.y);
    pMenu->SetTrackingMode(0);
    pMenu->InternalRelease();
    manager.RemoveAll();
    site.DestroyWindow();
}

} // namespace

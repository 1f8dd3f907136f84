// The menu bar of an MDI frame: the buttons and system menu of a maximized child, the menu key
// alone, and one set of controls per document type; build/screens/menubar-mdi-sysmenu.png.
#include "docking_fixture.h"
#include "docking_test_ids.h"

#include "toolkit/commandbars/control.h"
#include "toolkit/commandbars/controls.h"
#include "toolkit/common/image_manager.h"
#include "support/window_capture.h"
#include "support/window_screenshot.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr char kChildClass[] = "KitDockingTestChild";

// The icon children give for their system-menu popup (32 x 32, so that it must be scaled).
HICON g_hChildIcon = nullptr;

LRESULT CALLBACK ChildProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_KIT_GETTABICON)
        return reinterpret_cast<LRESULT>(g_hChildIcon);
    return ::DefMDIChildProcA(hWnd, message, wParam, lParam);
}

// The docking site with an MDI client, its own menu (which the menu bar takes) and the menu bar.
class MdiSite : public DockingSite {
public:
    MdiSite()
    {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = ChildProc;
        wc.hInstance = ::GetModuleHandleA(nullptr);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        wc.lpszClassName = kChildClass;
        ::RegisterClassA(&wc);
        CLIENTCREATESTRUCT ccs = {nullptr, 0xFF00};
        m_hClient = ::CreateWindowExA(WS_EX_CLIENTEDGE, "MDICLIENT", nullptr,
                                      WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | MDIS_ALLCHILDSTYLES, 0, 100, 400, 200,
                                      m_hWnd, nullptr, ::GetModuleHandleA(nullptr), &ccs);
        m_hTextMenu = ::LoadMenuA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_DOCK_MENU_TEXT));
        m_hGridMenu = ::LoadMenuA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_DOCK_MENU_GRID));
        ::SetMenu(m_hWnd, m_hTextMenu);
        m_manager.SetDocumentMenu(m_hGridMenu, IDR_DOCK_MENU_GRID);
        m_pMenuBar = m_manager.SetMenu("Menu Bar", IDR_DOCK_MENU_TEXT);
        Layout();
    }
    ~MdiSite() override { ::DestroyMenu(m_hGridMenu); }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        // The menu key that reaches the frame is counted, not given its menu loop.
        if (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_KEYMENU) {
            m_nKeyMenus++;
            return 0;
        }
        return DockingSite::WindowProc(message, wParam, lParam);
    }

    HWND CreateChild(DWORD dwStyle)
    {
        MDICREATESTRUCTA mcs = {};
        mcs.szClass = kChildClass;
        mcs.szTitle = "Document";
        mcs.hOwner = ::GetModuleHandleA(nullptr);
        mcs.x = mcs.y = 0;
        mcs.cx = 200;
        mcs.cy = 120;
        mcs.style = dwStyle | WS_VISIBLE;
        HWND hChild = reinterpret_cast<HWND>(::SendMessageA(m_hClient, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&mcs)));
        PumpMessages();
        return hChild;
    }

    // The ids of the MDI buttons on the bar, in order.
    std::vector<UINT> MdiButtons() const
    {
        std::vector<UINT> ids;
        for (int i = 0; i < m_pMenuBar->GetControlCount(); i++) {
            const UINT nId = m_pMenuBar->GetControl(i)->GetId();
            if (nId >= CKitMenuBar::kIdCloseWindow && nId <= CKitMenuBar::kIdMinimizeWindow)
                ids.push_back(nId);
        }
        return ids;
    }

    std::vector<std::string> Captions() const
    {
        std::vector<std::string> captions;
        for (int i = 0; i < m_pMenuBar->GetControlCount(); i++) {
            if (!m_pMenuBar->GetControl(i)->IsTemporary())
                captions.push_back(static_cast<LPCSTR>(m_pMenuBar->GetControl(i)->GetCaption()));
        }
        return captions;
    }

    HWND m_hClient = nullptr;
    HMENU m_hTextMenu = nullptr;
    HMENU m_hGridMenu = nullptr;
    CKitMenuBar* m_pMenuBar = nullptr;
    int m_nKeyMenus = 0;
};

TEST(MenuBar, AMaximizedChildGetsTheButtonsItsStyleAllows)
{
    constexpr UINT kMin = CKitMenuBar::kIdMinimizeWindow;
    constexpr UINT kRestore = CKitMenuBar::kIdRestoreWindow;
    constexpr UINT kClose = CKitMenuBar::kIdCloseWindow;
    const struct {
        const char* pszName;
        DWORD dwStyle;
        std::vector<UINT> buttons;
    } cases[] = {
        {"all boxes", WS_OVERLAPPEDWINDOW, {kMin, kRestore, kClose}},
        {"no minimize box", WS_OVERLAPPEDWINDOW & ~WS_MINIMIZEBOX, {kRestore, kClose}},
        {"no system menu", WS_OVERLAPPEDWINDOW & ~WS_SYSMENU, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszName);
        MdiSite site;
        ASSERT_NE(nullptr, site.m_pMenuBar);
        HWND hChild = site.CreateChild(c.dwStyle);
        ASSERT_NE(nullptr, hChild);
        ASSERT_EQ(c.dwStyle & (WS_MINIMIZEBOX | WS_SYSMENU), ::GetWindowLongA(hChild, GWL_STYLE) & (WS_MINIMIZEBOX | WS_SYSMENU));
        EXPECT_TRUE(site.MdiButtons().empty());
        ::SendMessageA(site.m_hClient, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(hChild), 0);
        PumpMessages();
        EXPECT_EQ(c.buttons, site.MdiButtons());
        for (int i = 0; i < site.m_pMenuBar->GetControlCount(); i++) {
            const CKitControl* pControl = site.m_pMenuBar->GetControl(i);
            if (pControl->GetId() == kClose) {
                EXPECT_TRUE(pControl->IsTemporary());
                EXPECT_EQ(16, pControl->GetRect().Width());
                EXPECT_STREQ("r", pControl->GetParameter());
            }
        }
        // Restoring removes them at the next timer tick, not before.
        ::SendMessageA(site.m_hClient, WM_MDIRESTORE, reinterpret_cast<WPARAM>(hChild), 0);
        EXPECT_EQ(c.buttons, site.MdiButtons());
        PumpMessages();
        EXPECT_TRUE(site.MdiButtons().empty());
    }
}

TEST(MenuBar, TheMenuKeyAloneStartsKeyboardNavigationButNotWithShift)
{
    MdiSite site;
    BYTE keys[256] = {};
    ::GetKeyboardState(keys);
    keys[VK_SHIFT] = 0x80;
    ::SetKeyboardState(keys);
    site.SendMessage(WM_SYSCOMMAND, SC_KEYMENU, 0);
    keys[VK_SHIFT] = 0;
    ::SetKeyboardState(keys);
    EXPECT_FALSE(site.m_pMenuBar->IsTrackingMode());
    EXPECT_EQ(1, site.m_nKeyMenus) << "Shift+Alt reaches the frame";

    site.SendMessage(WM_SYSCOMMAND, SC_KEYMENU, 0);
    EXPECT_TRUE(site.m_pMenuBar->IsTrackingMode());
    EXPECT_EQ(0, site.m_pMenuBar->GetSelected()) << "the first menu is selected";
    EXPECT_EQ(1, site.m_nKeyMenus) << "the menu bar swallows the key";
    site.m_pMenuBar->LeaveTrackingMode();

    // A key with a character (Alt+F) is not the menu key alone.
    site.SendMessage(WM_SYSCOMMAND, SC_KEYMENU, 'f');
    EXPECT_FALSE(site.m_pMenuBar->IsTrackingMode());
    EXPECT_EQ(2, site.m_nKeyMenus);
}

TEST(MenuBar, TwoDocumentTypesSwitchBetweenTwoSetsOfControls)
{
    MdiSite site;
    using Captions = std::vector<std::string>;
    EXPECT_EQ(nullptr, ::GetMenu(site.GetSafeHwnd())) << "the menu bar took the frame's menu";
    EXPECT_EQ((Captions{"&File", "&Text"}), site.Captions());

    ::SendMessageA(site.m_hClient, WM_MDISETMENU, reinterpret_cast<WPARAM>(site.m_hGridMenu), 0);
    EXPECT_EQ(static_cast<UINT>(IDR_DOCK_MENU_GRID), site.m_pMenuBar->GetCurrentMenuId());
    EXPECT_EQ((Captions{"&File", "&Grid", "&Window"}), site.Captions());
    EXPECT_EQ(nullptr, ::GetMenu(site.GetSafeHwnd()));

    // The user takes "Window" off the grid's set.
    site.m_pMenuBar->GetControls()->Remove(2);
    EXPECT_EQ((Captions{"&File", "&Grid"}), site.Captions());

    // Back to the frame's own menu: the first set, as it was.
    ::SendMessageA(site.m_hClient, WM_MDISETMENU, 0, 0);
    EXPECT_EQ(static_cast<UINT>(IDR_DOCK_MENU_TEXT), site.m_pMenuBar->GetCurrentMenuId());
    EXPECT_EQ((Captions{"&File", "&Text"}), site.Captions());
    EXPECT_EQ(site.m_pMenuBar, site.m_pMenuBar->GetControl(0)->GetParent());

    // And the grid's set keeps its change.
    ::SendMessageA(site.m_hClient, WM_MDISETMENU, reinterpret_cast<WPARAM>(site.m_hGridMenu), 0);
    EXPECT_EQ((Captions{"&File", "&Grid"}), site.Captions());
    EXPECT_TRUE(site.m_pMenuBar->ShouldSerializeBar());
    EXPECT_EQ(static_cast<UINT>(IDR_DOCK_MENU_TEXT), site.m_pMenuBar->GetCurrentMenuId())
        << "the must-save test goes back to the default menu";
}

TEST(MenuBar, AMaximizedChildsSystemMenuShowsAsAPopupWithItsIcon)
{
    g_hChildIcon = ::CopyIcon(::LoadIconA(nullptr, IDI_INFORMATION));
    ASSERT_NE(nullptr, g_hChildIcon);
    ASSERT_EQ(CSize(32, 32), CKitImageManagerIcon::GetIconSize(g_hChildIcon));
    const struct {
        const char* pszName;
        BOOL bSysMenuFlag;
        DWORD dwStyle;
        BOOL bPopup;
    } cases[] = {
        {"flag set", TRUE, WS_OVERLAPPEDWINDOW, TRUE},
        {"flag clear", FALSE, WS_OVERLAPPEDWINDOW, FALSE},
        {"no system menu", TRUE, WS_OVERLAPPEDWINDOW & ~WS_SYSMENU, FALSE},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszName);
        MdiSite site;
        // The bar's icons of the system commands come from the toolkit's own bitmap.
        CKitImageManager* pImages = site.m_pMenuBar->GetImageManager();
        ASSERT_NE(nullptr, pImages);
        for (UINT nCommand : {SC_RESTORE, SC_MINIMIZE, SC_MAXIMIZE, SC_CLOSE})
            EXPECT_NE(nullptr, pImages->GetImage(nCommand, 16)) << nCommand;
        if (c.bSysMenuFlag)
            site.m_pMenuBar->SetFlags(CKitMenuBar::kFlagSysMenu);
        HWND hChild = site.CreateChild(c.dwStyle);
        ASSERT_NE(nullptr, hChild);
        ::SendMessageA(site.m_hClient, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(hChild), 0);
        PumpMessages();
        CKitControl* pFirst = site.m_pMenuBar->GetControl(0);
        auto* pPopup = DYNAMIC_DOWNCAST(CKitControlMDISysMenuPopup, pFirst);
        if (!c.bPopup) {
            EXPECT_EQ(nullptr, site.m_pMenuBar->GetControls()->FindControlById(CKitMenuBar::kIdSysMenu));
            continue;
        }
        ASSERT_NE(nullptr, pPopup);
        EXPECT_EQ(CKitMenuBar::kIdSysMenu, pPopup->GetId());
        EXPECT_TRUE(pPopup->IsTemporary());
        EXPECT_EQ(16, pPopup->GetRect().Width());
        EXPECT_EQ(CSize(16, 16), CKitImageManagerIcon::GetIconSize(pPopup->GetMDIIcon())) << "the child's icon, scaled";
        CRect rcExclude(10, 10, 20, 20);
        pPopup->AdjustExcludeRect(rcExclude, FALSE);
        EXPECT_EQ(CRect(9, 9, 21, 21), rcExclude);

        // Its popup holds the child's system menu: each command with the menu's text, state,
        // default mark and groups.
        HMENU hSysMenu = ::GetSystemMenu(hChild, FALSE);
        ASSERT_EQ(hSysMenu, pPopup->GetMDISysMenu());
        ASSERT_NE(nullptr, pPopup->GetCommandBar());
        CKitControls* pItems = pPopup->GetCommandBar()->GetControls();
        int nControl = 0;
        BOOL bGroup = FALSE;
        for (int i = 0; i < ::GetMenuItemCount(hSysMenu); i++) {
            const UINT nId = ::GetMenuItemID(hSysMenu, i);
            if (nId == 0) {
                bGroup = TRUE;
                continue;
            }
            SCOPED_TRACE(nId);
            ASSERT_LT(nControl, pItems->GetCount());
            CKitControl* pItem = pItems->GetAt(nControl++);
            char szText[64] = {};
            ::GetMenuStringA(hSysMenu, i, szText, sizeof szText, MF_BYPOSITION);
            EXPECT_EQ(nId, pItem->GetId());
            std::string strText = static_cast<LPCSTR>(pItem->GetCaption());
            if (!pItem->GetShortcutTextAuto().IsEmpty())
                strText += std::string("\t") + static_cast<LPCSTR>(pItem->GetShortcutTextAuto());
            EXPECT_EQ(szText, strText) << "the caption and the shortcut";
            EXPECT_EQ((::GetMenuState(hSysMenu, i, MF_BYPOSITION) & MF_DISABLED) == 0, pItem->GetEnabledState() != 0);
            EXPECT_EQ(nId == ::GetMenuDefaultItem(hSysMenu, FALSE, GMDI_USEDISABLED), pItem->IsDefaultItem() != 0);
            EXPECT_EQ(bGroup, pItem->GetBeginGroup());
            bGroup = FALSE;
        }
        EXPECT_EQ(nControl, pItems->GetCount());
        CKitControl* pClose = pItems->FindControlById(SC_CLOSE);
        ASSERT_NE(nullptr, pClose);
        EXPECT_TRUE(pClose->IsDefaultItem());

        // The frame with the child's icon at the left, its buttons at the right and the menu open.
        site.m_pMenuBar->SetTrackingMode(TRUE, FALSE);
        site.m_pMenuBar->SetSelected(0, kitSelectKeyboard);
        ASSERT_TRUE(pPopup->SetPopup(TRUE));
        PumpMessages();
        CWnd* pMenu = pPopup->GetCommandBar();
        ASSERT_NE(nullptr, pMenu->GetSafeHwnd());
        pMenu->UpdateWindow();
        site.UpdateWindow();
        CRect rcShot, rcMenu;
        site.GetWindowRect(&rcShot);
        pMenu->GetWindowRect(&rcMenu);
        rcShot.UnionRect(rcShot, rcMenu);
        const WindowImage shot = CaptureScreenRect(rcShot);
        EXPECT_EQ("", SaveScreenshot("menubar-mdi-sysmenu", shot.width, shot.height, shot.pixels));
        site.m_pMenuBar->SetTrackingMode(FALSE);
        PumpMessages();

        // Restoring removes it at the next timer tick, also after its menu was open.
        ::SendMessageA(site.m_hClient, WM_MDIRESTORE, reinterpret_cast<WPARAM>(hChild), 0);
        PumpMessages();
        EXPECT_FALSE(::IsZoomed(hChild));
        EXPECT_EQ(nullptr, site.m_pMenuBar->GetControls()->FindControlById(CKitMenuBar::kIdSysMenu));
    }
    ::DestroyIcon(g_hChildIcon);
    g_hChildIcon = nullptr;
}

} // namespace

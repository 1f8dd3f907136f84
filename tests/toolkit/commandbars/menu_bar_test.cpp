// The menu bar of an MDI frame: the buttons of a maximized child, the menu key alone, and one set
// of controls per document type.
#include "docking_fixture.h"
#include "docking_test_ids.h"

#include "toolkit/commandbars/control.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr char kChildClass[] = "KitDockingTestChild";

LRESULT CALLBACK ChildProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
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

} // namespace

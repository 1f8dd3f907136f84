// A window under the ribbon theme: its menu bar with File hot, a toolbar with checked, hot, split and disabled
// buttons, and a context menu open over the workspace: build/screens/themes-ribbon.png.
#include "toolkit/themes/paint/ribbon_theme.h"

#include "painted_stand_ins.h"
#include "resource_theme_support.h"
#include "toolkit/commandbars/command_bar_manager.h"
#include "toolkit/commandbars/control_combo.h"
#include "toolkit/commandbars/controls.h"
#include "toolkit/commandbars/menu_bar.h"
#include "toolkit/commandbars/popup_bar.h"
#include "toolkit/commandbars/toolbar.h"

#include "support/message_pump.h"
#include "support/window_screenshot.h"

#include "framework/wnd.h"

#include <gtest/gtest.h>

namespace {

constexpr int kWidth = 520;
constexpr int kHeight = 340;
constexpr int kMenuBarHeight = 24;
constexpr int kToolBarHeight = 30;
constexpr int kPopupWidth = 210;

CKitControl* Add(CKitCommandBar* pBar, CKitControl* pControl, LPCSTR lpszCaption)
{
    pBar->GetControls()->AddControl(pControl);
    pControl->SetCaption(lpszCaption);
    return pControl;
}

// The frame's workspace below the bars.
class CShowcase : public CPaintedWindow {
protected:
    void Paint(CDC* pDC) override
    {
        CRect rc;
        GetClientRect(&rc);
        CKitPaintManager::Instance()->FillWorkspace(pDC, CRect(0, kMenuBarHeight + kToolBarHeight, rc.right, rc.bottom),
                                                    CRect());
    }
};

// The open context menu: its items stacked inside its borders and painted.
class CMenuView : public CPaintedWindow {
public:
    explicit CMenuView(CKitPopupBar* pMenu) : m_pMenu(pMenu) {}

    // The menu's height for its items.
    int MeasureHeight(CDC* pDC) const
    {
        CKitPaintManager* pm = CKitPaintManager::Instance();
        const CRect rcBorders = pm->GetCommandBarBorders(m_pMenu);
        int nHeight = rcBorders.top + rcBorders.bottom;
        for (int i = 0; i < m_pMenu->GetControlCount(); i++) {
            CKitControl* pControl = m_pMenu->GetControl(i);
            if (pControl->GetBeginGroup())
                nHeight += pm->DrawCommandBarSeparator(pDC, m_pMenu, pControl, FALSE).cy;
            nHeight += pm->DrawControl(pDC, pControl, FALSE).cy;
        }
        return nHeight;
    }

protected:
    void Paint(CDC* pDC) override
    {
        CKitPaintManager* pm = CKitPaintManager::Instance();
        const CRect rcBorders = pm->GetCommandBarBorders(m_pMenu);
        int y = rcBorders.top;
        for (int i = 0; i < m_pMenu->GetControlCount(); i++) {
            CKitControl* pControl = m_pMenu->GetControl(i);
            if (pControl->GetBeginGroup())
                y += pm->DrawCommandBarSeparator(pDC, m_pMenu, pControl, FALSE).cy;
            const CSize sz = pm->DrawControl(pDC, pControl, FALSE);
            pControl->SetRect(CRect(rcBorders.left, y, kPopupWidth - rcBorders.right, y + sz.cy));
            pControl->SetRowRect(pControl->GetRect());
            y += sz.cy;
        }
        pm->FillCommandBarEntry(pDC, m_pMenu);
        pm->DrawFloatingBarCaption(pDC, m_pMenu, TRUE);
        for (int i = 0; i < m_pMenu->GetControlCount(); i++) {
            CKitControl* pControl = m_pMenu->GetControl(i);
            if (pControl->GetBeginGroup())
                pm->DrawCommandBarSeparator(pDC, m_pMenu, pControl, TRUE);
            pm->DrawControl(pDC, pControl, TRUE);
        }
    }

private:
    CKitPopupBar* m_pMenu;
};

} // namespace

TEST(KitRibbonThemeScreens, MenuBarToolbarAndOpenMenuUnderTheRibbonTheme)
{
    ThemeModule module;
    CKitPaintManager::SetTheme(CKitRibbonTheme::kThemeNumber);
    {
        CShowcase site;
        ASSERT_TRUE(site.CreateEx(0, "STATIC", "Ribbon theme", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_VISIBLE |
                                  WS_CLIPCHILDREN, 40, 40, kWidth, kHeight, nullptr, 0));
        CRect rcClient;
        site.GetClientRect(&rcClient);
        CKitCommandBarManager manager;
        manager.SetSite(&site);
        manager.GetCommandBarsOptions()->bDisableIfNoHandler = FALSE;

        auto* pMenuBar = new CKitMenuBar();
        manager.AddCommandBar(pMenuBar);
        pMenuBar->SetPosition(kitBarTop);
        pMenuBar->CreateBar(&site);
        CKitControl* pFile = nullptr;
        for (const char* caption : {"&File", "&Edit", "&View", "&Gateway", "&Help"}) {
            CKitControl* pControl = Add(pMenuBar, new CKitControlPopup(), caption);
            if (pFile == nullptr)
                pFile = pControl;
        }
        pFile->SetSelected(1);
        pMenuBar->MoveWindow(0, 0, rcClient.Width(), kMenuBarHeight);
        pMenuBar->CalcLayout(rcClient.Width());

        auto* pToolBar = new CKitToolBar();
        manager.AddCommandBar(pToolBar);
        pToolBar->SetPosition(kitBarTop);
        pToolBar->CreateBar(&site);
        auto button = [pToolBar](UINT nId, LPCSTR lpszCaption) {
            CKitControl* pControl = pToolBar->GetControls()->Add(kitControlButton, nId);
            pControl->SetCaption(lpszCaption);
            pControl->SetStyle(kitButtonCaption);
            return pControl;
        };
        button(101, "New");
        button(102, "Open")->SetSelected(1);
        button(103, "Monitor")->SetChecked(1);
        CKitControl* pSend = pToolBar->GetControls()->Add(kitControlSplitButtonPopup, 104);
        pSend->SetCaption("Send");
        pSend->SetStyle(kitButtonCaption);
        pSend->SetBeginGroup(TRUE);
        pSend->SetSelected(5);
        button(105, "Upload");
        button(106, "Reset")->SetEnabled(0);
        auto* pModule = static_cast<CKitControlComboBox*>(pToolBar->GetControls()->AddControl(new CKitControlComboBox()));
        pModule->SetBeginGroup(TRUE);
        pModule->SetWidth(110);
        pModule->AddString("VQN32 north");
        pModule->AddString("VQN31 south");
        pModule->SetCurSel(0);
        pToolBar->MoveWindow(0, kMenuBarHeight, rcClient.Width(), kToolBarHeight);
        pToolBar->CalcLayout(rcClient.Width());

        CKitPopupBar menu;
        Add(&menu, new CKitControlButton(), "&New project\tCtrl+N");
        Add(&menu, new CKitControlButton(), "&Open project...\tCtrl+O")->SetSelected(1);
        Add(&menu, new CKitControlButton(), "&Save\tCtrl+S");
        Add(&menu, new CKitControlButton(), "Show &tags")->SetChecked(1);
        Add(&menu, new CKitControlPopup(), "&Recent projects")->SetBeginGroup(TRUE);
        Add(&menu, new CKitControlButton(), "&Print map...")->SetEnabled(0);
        Add(&menu, new CKitControlButton(), "E&xit")->SetBeginGroup(TRUE);
        CMenuView view(&menu);
        int nMenuHeight = 0;
        {
            CClientDC dc(&site);
            nMenuHeight = view.MeasureHeight(&dc);
        }
        ASSERT_TRUE(menu.CreateEx(0, "STATIC", "", WS_POPUP, 0, 0, kPopupWidth, nMenuHeight, nullptr, 0));
        // Opened as the workspace's context menu, clear of the toolbar.
        ASSERT_TRUE(view.CreateEx(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 250, kMenuBarHeight + kToolBarHeight + 16,
                                  kPopupWidth, nMenuHeight, site.GetSafeHwnd(), 0));
        ::SetWindowPos(view.GetSafeHwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);

        site.Invalidate();
        site.UpdateWindow();
        PumpMessages();
        view.Invalidate();
        view.UpdateWindow();
        EXPECT_EQ("", SaveWindowScreenshot(site.GetSafeHwnd(), "themes-ribbon"));
        view.DestroyWindow();
        menu.DestroyWindow();
        manager.RemoveAll();
        site.DestroyWindow();
        PumpMessages();
    }
    CKitPaintManager::Done();
}

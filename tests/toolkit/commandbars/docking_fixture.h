// DockingSite: a top-level window whose command-bar manager docks bars along its edges, drawn by the default theme.
#pragma once

#include "support/message_pump.h"
#include "toolkit/commandbars/command_bar_manager.h"
#include "toolkit/commandbars/controls.h"
#include "toolkit/commandbars/dock_bar.h"
#include "toolkit/commandbars/menu_bar.h"
#include "toolkit/commandbars/popup_bar.h"
#include "toolkit/themes/paint/paint_manager.h"

#include "framework/wnd.h"

#include <initializer_list>

// The site lays its dock bars out whenever it is sized; without docking its bars lie in it.
class DockingSite : public CWnd {
public:
    explicit DockingSite(CRect rc = CRect(40, 40, 560, 360), DWORD dwStyle = WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                         BOOL bDocking = TRUE)
    {
        CKitPaintManager::SetTheme(0);
        CreateEx(0, "STATIC", "Docking", dwStyle | WS_CLIPCHILDREN, rc.left, rc.top, rc.Width(), rc.Height(), nullptr, 0);
        m_manager.SetSite(this);
        m_manager.GetCommandBarsOptions()->bDisableIfNoHandler = FALSE;
        if (bDocking)
            m_manager.EnableDocking();
    }
    ~DockingSite() override
    {
        m_manager.RemoveAll();
        DestroyWindow();
        PumpMessages();
        CKitPaintManager::Done();
    }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_SIZE) {
            m_nSized++;
            Layout();
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }

    // Lays the dock bars out; the free rectangle is what is left.
    void Layout()
    {
        GetClientRect(&m_rcFree);
        m_manager.RepositionDockBars(m_rcFree);
    }

    // A toolbar of caption-only buttons, docked at the position.
    CKitToolBar* AddBar(LPCSTR lpszTitle, int nPosition, std::initializer_list<LPCSTR> captions, UINT nFirstId = 41000)
    {
        CKitToolBar* pBar = m_manager.Add(lpszTitle, nPosition);
        UINT nId = nFirstId;
        for (LPCSTR lpszCaption : captions) {
            CKitControl* pControl = pBar->GetControls()->Add(kitControlButton, nId++);
            pControl->SetCaption(lpszCaption);
            pControl->SetStyle(kitButtonCaption);
        }
        Layout();
        return pBar;
    }

    // The bar's window rectangle in its parent's client coordinates.
    static CRect PlaceOf(CWnd* pBar)
    {
        CRect rc;
        pBar->GetWindowRect(&rc);
        if ((pBar->GetStyle() & WS_CHILD) != 0)
            pBar->GetParent()->ScreenToClient(&rc);
        return rc;
    }

    CKitCommandBarManager m_manager;
    CRect m_rcFree;
    int m_nSized = 0;
};

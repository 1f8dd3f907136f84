// ThemedToolBarTest: a toolbar across the top of a frame that records its commands and control notifications,
// drawn by the default theme.
#pragma once

#include "support/message_pump.h"
#include "toolkit/commandbars/command_bar.h"
#include "toolkit/commandbars/command_bar_manager.h"
#include "toolkit/commandbars/control.h"
#include "toolkit/commandbars/toolbar.h"
#include "toolkit/themes/paint/paint_manager.h"

#include "framework/wnd.h"

#include <gtest/gtest.h>

#include <vector>

// Puts a toolbar drawn by the default theme across the top of the site. The site handles no
// command itself, so the manager keeps the controls enabled.
inline CKitToolBar* AddThemedToolBar(CKitCommandBarManager& manager, CWnd* pSite, int cx, int cy)
{
    CKitPaintManager::SetTheme(0);
    manager.SetSite(pSite);
    manager.GetCommandBarsOptions()->bDisableIfNoHandler = FALSE;
    auto* pBar = new CKitToolBar();
    manager.AddCommandBar(pBar);
    pBar->SetPosition(kitBarTop);
    pBar->CreateBar(pSite);
    pBar->MoveWindow(0, 0, cx, cy);
    return pBar;
}

class CRecordingFrame : public CWnd {
public:
    explicit CRecordingFrame(LPCSTR lpszTitle)
    {
        CreateEx(0, "STATIC", lpszTitle, WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE | WS_CLIPCHILDREN, 40, 40, 420, 260,
                 nullptr, 0);
    }
    ~CRecordingFrame() override { DestroyWindow(); }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_COMMAND)
            m_commands.push_back(LOWORD(wParam));
        if (message == WM_KIT_CONTROL_NOTIFY)
            m_notified.push_back(reinterpret_cast<const NMKITCONTROL*>(lParam)->hdr.code);
        return CWnd::WindowProc(message, wParam, lParam);
    }

    std::vector<UINT> m_commands;
    std::vector<UINT> m_notified;
};

class ThemedToolBarTest : public testing::Test {
protected:
    explicit ThemedToolBarTest(LPCSTR lpszTitle = "Command bar") : m_site(lpszTitle) {}

    void SetUp() override { m_pBar = AddThemedToolBar(m_manager, &m_site, 400, 120); }
    void TearDown() override
    {
        m_manager.RemoveAll();
        PumpMessages();
        CKitPaintManager::Done();
    }

    CRecordingFrame m_site;
    CKitCommandBarManager m_manager;
    CKitToolBar* m_pBar = nullptr;
};

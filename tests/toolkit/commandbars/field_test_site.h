// CNotifySite, FieldTest: a toolbar on a frame that records the notifications of its edit fields and combo boxes.
#pragma once

#include "support/message_pump.h"
#include "themed_toolbar.h"
#include "toolkit/commandbars/command_bar.h"
#include "toolkit/commandbars/toolbar.h"
#include "toolkit/commandbars/command_bar_manager.h"
#include "toolkit/commandbars/control_edit.h"
#include "toolkit/commandbars/controls.h"
#include "toolkit/themes/paint/paint_manager.h"

#include "framework/wnd.h"

#include <gtest/gtest.h>

#include <vector>

// A frame that records the codes of the notifications it receives and the spin steps.
class CNotifySite : public CWnd {
public:
    CNotifySite()
    {
        CreateEx(0, "STATIC", "Command bar fields", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_VISIBLE, 40, 40, 360, 120,
                 nullptr, 0);
    }
    ~CNotifySite() override { DestroyWindow(); }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_KIT_CONTROL_NOTIFY) {
            const auto* pRecord = reinterpret_cast<const NMKITCONTROL*>(lParam);
            m_codes.push_back(static_cast<int>(pRecord->hdr.code));
            if (pRecord->hdr.code == kitEditNotifySpinUp || pRecord->hdr.code == kitEditNotifySpinDown) {
                m_steps.push_back(static_cast<const NMKITEDITSPIN*>(pRecord)->nStep);
                return m_nSpinAnswer;
            }
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }

    int Count(int nCode) const
    {
        int n = 0;
        for (int c : m_codes)
            n += c == nCode;
        return n;
    }

    std::vector<int> m_codes;
    std::vector<int> m_steps;
    LRESULT m_nSpinAnswer = 0;
};

// A toolbar across the top of the site, laid out by the default theme; the test owns the frame's focus.
class FieldTest : public testing::Test {
protected:
    void SetUp() override
    {
        m_pBar = AddThemedToolBar(m_manager, &m_site, 340, 30);
        m_site.SetForegroundWindow();
    }

    void TearDown() override
    {
        m_pBar->LeaveTrackingMode();
        m_manager.RemoveAll();
        PumpMessages();
        CKitPaintManager::Done();
    }

    void Layout()
    {
        m_pBar->CalcLayout(340);
        PumpMessages();
    }

    CNotifySite m_site;
    CKitCommandBarManager m_manager;
    CKitToolBar* m_pBar = nullptr;
};

// CorvelAppEnvironment: Corvel's application object started in the test process, for window tests.
#pragma once

#include "corvel/app/main_app.h"
#include "corvel/app/main_doc.h"
#include "corvel/workspace/main_frame.h"
#include "corvel/workspace/main_view.h"

#include <gtest/gtest.h>

// Starts the application (main frame, document and views) once before the
// tests and destroys the main window after them.
class CorvelAppEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        s_app = new CMainApp;
        ASSERT_TRUE(s_app->InitInstance());
        PumpMessages();
    }
    void TearDown() override
    {
        if (s_app->m_pMainWnd != nullptr)
            s_app->m_pMainWnd->DestroyWindow();
        PumpMessages();
        s_app->ExitInstance();
        delete s_app;
        s_app = nullptr;
    }

    static CMainApp& App() { return *s_app; }
    static CMainFrame* Frame() { return DYNAMIC_DOWNCAST(CMainFrame, s_app->m_pMainWnd); }
    static CMainDoc* Doc() { return FindMainDocument(); }
    static CMainView* View() { return Frame() != nullptr ? Frame()->GetNetworkView() : nullptr; }

    // Dispatches the messages waiting on this thread.
    static void PumpMessages()
    {
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }

private:
    static inline CMainApp* s_app = nullptr;
};

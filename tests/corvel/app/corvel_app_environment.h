// CorvelAppEnvironment: Corvel's application object started in the test process, for window tests.
#pragma once

#include "corvel/app/main_app.h"
#include "corvel/document/main_doc.h"
#include "corvel/workspace/main_frame.h"
#include "corvel/workspace/main_view.h"
#include "support/message_pump.h"

#include <gtest/gtest.h>

// Starts the application (main frame, document and views) once before the
// tests and destroys the main window after them.
class CorvelAppEnvironment : public ::testing::Environment {
public:
    void SetUp() override;
    void TearDown() override;

    static CMainApp& App() { return *s_app; }
    static CMainFrame* Frame() { return DYNAMIC_DOWNCAST(CMainFrame, s_app->m_pMainWnd); }
    static CMainDoc* Doc() { return FindMainDocument(); }
    static CMainView* View() { return Frame() != nullptr ? Frame()->GetNetworkView() : nullptr; }

private:
    static inline CMainApp* s_app = nullptr;
};

// A program whose tests include this header starts Corvel before they run.
inline ::testing::Environment* const corvelAppEnvironment =
    ::testing::AddGlobalTestEnvironment(new CorvelAppEnvironment);

#include "corvel_app_environment.h"

void CorvelAppEnvironment::SetUp()
{
    s_app = new CMainApp;
    ASSERT_TRUE(s_app->InitInstance());
    PumpMessages();
}

void CorvelAppEnvironment::TearDown()
{
    if (s_app->m_pMainWnd != nullptr)
        s_app->m_pMainWnd->DestroyWindow();
    PumpMessages();
    s_app->ExitInstance();
    delete s_app;
    s_app = nullptr;
}

// The one application object of Corvel and the program's entry point.
#include "corvel/app/main_app.h"

CMainApp theApp;

// Runs the application object: start-up, then the message loop.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    CWinApp* app = AfxGetApp();
    if (app == nullptr)
        return 1;
    if (!app->InitInstance()) {
        app->ExitInstance();
        return 1;
    }
    return app->Run();
}

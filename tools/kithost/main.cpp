// kithost: a frame showing the toolkit's command bars, drawn by the default theme or the one "/theme N" names;
// with "/ribbon" its commands stand on a ribbon.
#include "framework/winapp.h"
#include "toolkit/themes/paint/paint_manager.h"
#include "tools/kithost/kithost_frame.h"
#include "tools/kithost/kithost_options.h"
#include "tools/kithost/kithost_ribbon.h"

namespace {

class CKitHostApp : public CWinApp {
public:
    BOOL InitInstance() override
    {
        const bool bRibbon = KitHostRibbonOption(m_lpCmdLine);
        CKitPaintManager::SetTheme(KitHostThemeOption(m_lpCmdLine));
        CKitHostFrame* pFrame = bRibbon ? new CKitHostRibbonFrame() : new CKitHostFrame();
        // The bars, or the ribbon's quick access toolbar and its place, come back as the user left them.
        pFrame->SetBarStateKey(bRibbon ? "Software\\Korvane\\kithost\\Ribbon"
                                       : "Software\\Korvane\\kithost\\CommandBars");
        if (!pFrame->CreateHost()) {
            delete pFrame;
            return FALSE;
        }
        m_pMainWnd = pFrame;
        pFrame->OpenSampleDocuments();
        pFrame->ShowWindow(m_nCmdShow);
        pFrame->UpdateWindow();
        return TRUE;
    }

    int ExitInstance() override
    {
        CKitPaintManager::Done();
        return CWinApp::ExitInstance();
    }
};

CKitHostApp theApp;

} // namespace

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow)
{
    return AfxWinMain(hInstance, hPrevInstance, lpCmdLine, nCmdShow);
}

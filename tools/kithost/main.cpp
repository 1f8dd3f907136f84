// kithost: a frame showing the toolkit's command bars, drawn by the default theme or the one "/theme N" names;
// with "/ribbon" its commands stand on a ribbon.
#include "framework/winapp.h"
#include "toolkit/common/resource_images.h"
#include "toolkit/themes/paint/paint_manager.h"
#include "tools/kithost/kithost_frame.h"
#include "tools/kithost/kithost_options.h"
#include "tools/kithost/kithost_ribbon.h"

namespace {

// The themes that draw with the pictures and colours of a theme module, and the module they take: the tests' theme
// module when it lies beside the program.
constexpr int kResourceTheme = 5;
constexpr int kRibbonTheme = 6;
constexpr char kThemeModule[] = "kit_resource_theme.dll";

// The theme module beside the program given to the theme pictures, with the description for the frame; null when
// it is not there.
HMODULE LoadThemeModule(bool bRibbon)
{
    char szPath[MAX_PATH] = {};
    const DWORD nLength = ::GetModuleFileNameA(nullptr, szPath, MAX_PATH);
    CString strPath(szPath, static_cast<int>(nLength));
    strPath = strPath.Left(strPath.ReverseFind('\\') + 1) + kThemeModule;
    HMODULE hModule = ::LoadLibraryA(strPath);
    if (hModule != nullptr &&
        !CKitResourceImages::Instance()->SetHandle(hModule, bRibbon ? "Ribbon.Theme.Ini" : "Resource.Theme.Ini")) {
        ::FreeLibrary(hModule);
        hModule = nullptr;
    }
    return hModule;
}

class CKitHostApp : public CWinApp {
public:
    BOOL InitInstance() override
    {
        const bool bRibbon = KitHostRibbonOption(m_lpCmdLine);
        const int nTheme = KitHostThemeOption(m_lpCmdLine);
        const bool bModuleTheme = nTheme == kResourceTheme || nTheme == kRibbonTheme;
        if (bModuleTheme)
            m_hThemeModule = LoadThemeModule(bRibbon);
        CKitPaintManager::SetTheme(nTheme);
        CKitHostFrame* pFrame = bRibbon ? new CKitHostRibbonFrame() : new CKitHostFrame();
        // The bars, or the ribbon's quick access toolbar and its place, come back as the user left them.
        pFrame->SetBarStateKey(bRibbon ? "Software\\Korvane\\kithost\\Ribbon"
                                       : "Software\\Korvane\\kithost\\CommandBars");
        if (!pFrame->CreateHost()) {
            delete pFrame;
            return FALSE;
        }
        m_pMainWnd = pFrame;
        if (bModuleTheme && m_hThemeModule == nullptr)
            pFrame->Note(CString("No theme module: ") + kThemeModule +
                         " is not beside kithost.exe, so this theme draws without its pictures and colours.");
        pFrame->OpenSampleDocuments();
        pFrame->ShowWindow(m_nCmdShow);
        pFrame->UpdateWindow();
        return TRUE;
    }

    int ExitInstance() override
    {
        CKitPaintManager::Done();
        if (m_hThemeModule != nullptr) {
            CKitResourceImages::Instance()->SetHandle(nullptr);
            ::FreeLibrary(m_hThemeModule);
        }
        return CWinApp::ExitInstance();
    }

private:
    HMODULE m_hThemeModule = nullptr;
};

CKitHostApp theApp;

} // namespace

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow)
{
    return AfxWinMain(hInstance, hPrevInstance, lpCmdLine, nCmdShow);
}

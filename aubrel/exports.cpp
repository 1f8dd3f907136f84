// The exported functions of aubrel.dll.
#include "aubrel/aubrel.h"

#include "aubrel/about_dlg.h"
#include "aubrel/app_version.h"
#include "aubrel/library_module.h"
#include "aubrel/splash_dlg.h"

namespace {

constexpr int kAboutResult = 1;

// The caller's active window owns the dialogs, as any modal box of the caller's.
CWnd* CallerWindow()
{
    HWND active = ::GetActiveWindow();
    return active != nullptr ? CWnd::FromHandle(::GetAncestor(active, GA_ROOT)) : nullptr;
}

// Runs call in the library's module state; an exception ends it with onException.
// Nothing thrown here may cross into the caller.
template <typename Result, typename Call>
Result RunExport(Result onException, Call call)
{
    CLibraryModuleScope scope;
    try {
        return call();
    } catch (CException* e) {
        e->Delete();
    } catch (...) {
    }
    return onException;
}

} // namespace

extern "C" int WINAPI ShowAboutExt(const AboutRecord* about, const LinkRecord* link)
{
    return RunExport(kAboutResult, [&] {
        // Without a record the box shows the library's own texts.
        static const AboutRecord kNoRecord = {};
        CAubrelAboutDlg dialog(about != nullptr ? *about : kNoRecord, link, CallerWindow());
        dialog.DoModal();
        return kAboutResult;
    });
}

extern "C" int WINAPI ShowAbout(const AboutRecord* about)
{
    return ShowAboutExt(about, nullptr);
}

extern "C" int WINAPI ShowSplash(const AboutRecord* about)
{
    return RunExport(static_cast<int>(AUBREL_SPLASH_EXCEPTION), [&] {
        CSplashDlg splash(about, CallerWindow());
        return splash.DoModal() == IDOK ? static_cast<int>(AUBREL_SPLASH_OK) : static_cast<int>(AUBREL_SPLASH_OTHER);
    });
}

extern "C" BOOL WINAPI GetAppVersion(LPSTR buffer, HMODULE module)
{
    if (buffer == nullptr)
        return FALSE;
    buffer[0] = '\0';
    return RunExport(FALSE, [&] {
        const AppVersion version = ReadAppVersion(module);
        CopyVersionText(buffer, version.text);
        return version.read ? TRUE : FALSE;
    });
}

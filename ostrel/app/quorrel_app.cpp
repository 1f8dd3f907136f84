// Windows Sockets 2 before anything that brings in windows.h.
#include "framework/socket.h"

#include "ostrel/app/quorrel_app.h"

#include "common/com_support.h"
#include "framework/error_report.h"
#include "framework/msgbox.h"
#include "ostrel/app/quorrel_dlg.h"
#include "ostrel/app/res/resource.h"
#include "ostrel/monitor/monitor_xml.h"

#include <commctrl.h>
#include <objbase.h>

namespace {

const char kAppName[] = "Ostrel";
const char kRegistryKey[] = "Korvane";
// InitCommonControlsEx: the structure's size and every class of this mask.
constexpr DWORD kCommonControlsSize = 8;
constexpr DWORD kCommonControlsClasses = 0xFF;

} // namespace

CQuorrelApp::CQuorrelApp() : CWinApp(kAppName) {}

std::vector<CString> CQuorrelApp::CommandLineArguments(int argc, const char* const* argv)
{
    std::vector<CString> arguments;
    for (int i = 1; i < argc; ++i)
        arguments.emplace_back(argv[i]);
    return arguments;
}

BOOL CQuorrelApp::InitInstance()
{
    if (!AfxSocketInit()) {
        AfxMessageBox(IDP_SOCKETS_INIT_FAILED);
        return FALSE;
    }
    ::CoInitialize(nullptr);
    // A COM failure that reaches a handler is reported with its description.
    AfxAddExceptionDescriber(DescribeComError);
    INITCOMMONCONTROLSEX controls = {};
    controls.dwSize = kCommonControlsSize;
    controls.dwICC = kCommonControlsClasses;
    ::InitCommonControlsEx(&controls);
    CWinApp::InitInstance();
    AfxEnableControlContainer();
    SetRegistryKey(kRegistryKey);
    EnableDiagTrace(true);

    CQuorrelDlg dialog(CommandLineArguments(__argc, __argv));
    m_pMainWnd = &dialog;
    dialog.DoModal();
    m_pMainWnd = nullptr;
    return FALSE;
}

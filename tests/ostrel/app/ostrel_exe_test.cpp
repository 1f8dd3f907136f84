// ostrel.exe itself, started with the simulator's address: its window, the stored address, and the second instance
// for the same module that says so and ends.
// Windows Sockets 2 (the simulator's control port) before anything that brings in windows.h.
#include "support/module_simulator.h"

#include "framework/core.h"
#include "support/test_dirs.h"

#include <gtest/gtest.h>

namespace {

constexpr DWORD kStartTimeoutMs = 60000;
constexpr DWORD kExitTimeoutMs = 30000;
constexpr DWORD kPollMs = 100;
const char kAlreadyRunning[] = "Ostrel is already running at this computer!";

// A started ostrel.exe that does not outlive the test.
class OstrelProcess {
public:
    explicit OstrelProcess(const CString& address)
    {
        CString command;
        command.Format("\"%s\\ostrel\\ostrel.exe\" %s", TestBinaryDir(), (LPCSTR)address);
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process = {};
        if (::CreateProcessA(nullptr, command.GetBuffer(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                             &process)) {
            m_process.Attach(process.hProcess);
            ::CloseHandle(process.hThread);
            m_id = process.dwProcessId;
        }
        command.ReleaseBuffer();
    }
    ~OstrelProcess()
    {
        if (m_process && ::WaitForSingleObject(m_process.Get(), 0) == WAIT_TIMEOUT)
            ::TerminateProcess(m_process.Get(), 1);
    }

    bool IsStarted() const { return static_cast<bool>(m_process); }
    // The process's visible top-level window whose title is title (a message box's is "Ostrel"), waiting for it.
    HWND WaitForWindow(const CString& title)
    {
        for (DWORD waited = 0; waited < kStartTimeoutMs; waited += kPollMs) {
            Search search = {m_id, title, nullptr};
            ::EnumWindows(Find, reinterpret_cast<LPARAM>(&search));
            if (search.found != nullptr)
                return search.found;
            if (::WaitForSingleObject(m_process.Get(), kPollMs) != WAIT_TIMEOUT)
                return nullptr;
        }
        return nullptr;
    }
    // The exit code once it ended, or -1 when it did not end in time.
    long WaitForExit()
    {
        if (::WaitForSingleObject(m_process.Get(), kExitTimeoutMs) != WAIT_OBJECT_0)
            return -1;
        DWORD code = 1;
        ::GetExitCodeProcess(m_process.Get(), &code);
        return static_cast<long>(code);
    }

private:
    struct Search {
        DWORD processId;
        CString title;
        HWND found;
    };
    static BOOL CALLBACK Find(HWND hWnd, LPARAM lParam)
    {
        auto* search = reinterpret_cast<Search*>(lParam);
        DWORD processId = 0;
        ::GetWindowThreadProcessId(hWnd, &processId);
        char title[256] = {};
        ::GetWindowTextA(hWnd, title, sizeof title);
        if (processId == search->processId && ::IsWindowVisible(hWnd) && search->title == title) {
            search->found = hWnd;
            return FALSE;
        }
        return TRUE;
    }

    ScopedHandle m_process;
    DWORD m_id = 0;
};

// Whether the window shows text in one of its children (a message box's static text).
bool ShowsText(HWND hWnd, const CString& text)
{
    struct Look {
        CString text;
        bool found;
    } look = {text, false};
    ::EnumChildWindows(
        hWnd,
        [](HWND child, LPARAM lParam) -> BOOL {
            auto* look = reinterpret_cast<Look*>(lParam);
            char shown[256] = {};
            ::GetWindowTextA(child, shown, sizeof shown);
            look->found = look->found || look->text == shown;
            return !look->found;
        },
        reinterpret_cast<LPARAM>(&look));
    return look.found;
}

class OstrelExe : public ModuleSimulatorTest {};

TEST_F(OstrelExe, MonitorsTheModuleOfItsCommandLineOnceAtATime)
{
    OstrelProcess first(ModuleAddress());
    ASSERT_TRUE(first.IsStarted());
    HWND main = first.WaitForWindow("Ostrel - " + ModuleAddress());
    ASSERT_NE(nullptr, main) << "no main window";
    char stored[64] = {};
    DWORD size = sizeof stored;
    EXPECT_EQ(ERROR_SUCCESS, ::RegGetValueA(HKEY_CURRENT_USER, "Software\\Korvane\\Ostrel\\VQN", "DefaultIPAddress",
                                            RRF_RT_REG_SZ, nullptr, stored, &size));
    EXPECT_EQ(ModuleAddress(), stored);

    OstrelProcess second(ModuleAddress());
    HWND box = second.WaitForWindow("Ostrel");
    ASSERT_NE(nullptr, box) << "no message from the second instance";
    EXPECT_TRUE(ShowsText(box, kAlreadyRunning));
    ::PostMessageA(box, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(0, second.WaitForExit());

    ::PostMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(0, first.WaitForExit());
}

} // namespace

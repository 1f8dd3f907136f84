// The hook manager: the order and answers of watchers, unhooking under other subclassers, and windows that go away while watched.
#include "toolkit/commandbars/hook_manager.h"

#include "framework/wnd.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr UINT kProbe = WM_APP + 1;

// What reached the windows' own procedures, and what the watchers saw.
std::vector<std::string> g_log;

LRESULT CALLBACK RecordingWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == kProbe)
        g_log.push_back("window:probe");
    if (message == WM_DESTROY)
        g_log.push_back("window:destroy");
    if (message == WM_NCDESTROY)
        g_log.push_back("window:ncdestroy");
    if (message == CKitHookManager::GetSinkRemovedMessage())
        g_log.push_back("window:sink-removed");
    return ::DefWindowProcA(hWnd, message, wParam, lParam);
}

HWND CreateTestWindow()
{
    static const ATOM atom = [] {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = RecordingWndProc;
        wc.hInstance = ::GetModuleHandleA(nullptr);
        wc.lpszClassName = "KitHookTestWnd";
        return ::RegisterClassA(&wc);
    }();
    static_cast<void>(atom);
    return ::CreateWindowExA(0, "KitHookTestWnd", "", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr,
                             ::GetModuleHandleA(nullptr), nullptr);
}

// A watcher that logs what it is asked and answers with a function.
class Watcher : public CKitHookManagerHookAble {
public:
    using Answer = std::function<int(HWND, UINT, LRESULT&)>;

    Watcher(std::string name, Answer answer = nullptr) : m_name(std::move(name)), m_answer(std::move(answer)) {}
    ~Watcher() override { ++deleted; }

    int OnHookMessage(HWND hWnd, UINT nMessage, WPARAM&, LPARAM&, LRESULT& lResult) override
    {
        if (nMessage == kProbe) {
            g_log.push_back(m_name + ":probe");
            // The message being handled is this one for code that asks the framework.
            const MSG* current = AfxGetCurrentMessage();
            if (current->hwnd != hWnd || current->message != kProbe)
                g_log.push_back(m_name + ":wrong-current-message");
        }
        return m_answer ? m_answer(hWnd, nMessage, lResult) : kNotHandled;
    }

    static int deleted;

private:
    std::string m_name;
    Answer m_answer;
};

int Watcher::deleted = 0;

// Another subclasser of the same window, written to the hook manager's rule:
// it takes over the procedure the manager hands back.
struct ForeignSubclass {
    static WNDPROC previous;
    static bool knowsTheRule;

    static LRESULT CALLBACK Proc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == kProbe)
            g_log.push_back("foreign:probe");
        if (knowsTheRule && message == CKitHookManager::GetSinkRemovedMessage() &&
            reinterpret_cast<WNDPROC>(wParam) == previous) {
            previous = reinterpret_cast<WNDPROC>(lParam);
            return 1;
        }
        return ::CallWindowProcA(previous, hWnd, message, wParam, lParam);
    }

    static void Install(HWND hWnd, bool rule)
    {
        knowsTheRule = rule;
        previous = reinterpret_cast<WNDPROC>(
            ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ForeignSubclass::Proc)));
    }
};

WNDPROC ForeignSubclass::previous = nullptr;
bool ForeignSubclass::knowsTheRule = true;

class KitHookManager : public ::testing::Test {
protected:
    KitHookManager() : hWnd(CreateTestWindow()), manager(CKitHookManager::Instance())
    {
        g_log.clear();
        Watcher::deleted = 0;
    }
    ~KitHookManager() override
    {
        if (::IsWindow(hWnd))
            ::DestroyWindow(hWnd);
    }

    WNDPROC CurrentProc() const
    {
        return reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(hWnd, GWLP_WNDPROC));
    }

    HWND hWnd;
    CKitHookManager* manager;
};

TEST_F(KitHookManager, WatchersAreAskedLastAddedFirstAndTheirAnswersDecideTheRest)
{
    struct Case {
        const char* name;
        int secondAnswer;
        LRESULT expectedResult;
        std::vector<std::string> expectedLog;
    };
    const Case cases[] = {
        {"not handled", CKitHookManagerHookAble::kNotHandled, 0, {"second:probe", "first:probe", "window:probe"}},
        {"stop asking", CKitHookManagerHookAble::kStopAsking, 0, {"second:probe", "window:probe"}},
        {"handled", CKitHookManagerHookAble::kHandled, 42, {"second:probe"}},
    };
    for (const Case& c : cases) {
        Watcher first("first");
        Watcher second("second", [&](HWND, UINT message, LRESULT& lResult) {
            if (message != kProbe)
                return static_cast<int>(CKitHookManagerHookAble::kNotHandled);
            lResult = 42;
            return c.secondAnswer;
        });
        manager->SetHook(hWnd, &first);
        manager->SetHook(hWnd, &second);
        manager->SetHook(hWnd, &first); // once only
        EXPECT_EQ(2u, manager->GetHooks(hWnd).size()) << c.name;
        g_log.clear();
        EXPECT_EQ(c.expectedResult, ::SendMessageA(hWnd, kProbe, 0, 0)) << c.name;
        EXPECT_EQ(c.expectedLog, g_log) << c.name;

        manager->RemoveHook(hWnd, &second);
        manager->RemoveHook(hWnd, &first);
        EXPECT_EQ(&RecordingWndProc, CurrentProc()) << c.name;
        EXPECT_TRUE(manager->GetHooks(hWnd).empty()) << c.name;
    }
}

TEST_F(KitHookManager, ALaterSubclasserKeepsWorkingWhenTheHookGoes)
{
    for (const bool knowsTheRule : {true, false}) {
        HWND window = CreateTestWindow();
        Watcher watcher("watcher");
        manager->SetHook(window, &watcher);
        ForeignSubclass::Install(window, knowsTheRule);
        manager->RemoveHook(window, &watcher);

        // The other code stays first and its chain still reaches the window.
        EXPECT_EQ(reinterpret_cast<LONG_PTR>(&ForeignSubclass::Proc), ::GetWindowLongPtrA(window, GWLP_WNDPROC));
        g_log.clear();
        ::SendMessageA(window, kProbe, 0, 0);
        EXPECT_EQ(std::vector<std::string>({"foreign:probe", "window:probe"}), g_log) << knowsTheRule;

        // Code that follows the rule took the window's own procedure over; other
        // code keeps the manager's procedure in its chain, passing messages on.
        Watcher again("again");
        manager->SetHook(window, &again);
        g_log.clear();
        ::SendMessageA(window, kProbe, 0, 0);
        if (knowsTheRule) {
            EXPECT_EQ(&RecordingWndProc, ForeignSubclass::previous);
            EXPECT_EQ(std::vector<std::string>({"again:probe", "foreign:probe", "window:probe"}), g_log);
        } else {
            EXPECT_EQ(std::vector<std::string>({"foreign:probe", "again:probe", "window:probe"}), g_log);
        }
        manager->RemoveHook(window, &again);
        g_log.clear();
        ::DestroyWindow(window);
        EXPECT_EQ(std::vector<std::string>({"window:destroy", "window:ncdestroy"}), g_log) << knowsTheRule;
        EXPECT_TRUE(manager->GetHooks(window).empty());
    }
}

// A watcher that takes itself off when its window is destroyed, as a shadow does:
// the window being destroyed is sent nothing of the manager's, and gets its own messages once.
TEST_F(KitHookManager, AWatcherLeavingAtTheWindowsDestructionSendsItNothing)
{
    Watcher* leaving = new Watcher("leaving", [&](HWND hWndSeen, UINT message, LRESULT&) {
        if (message == WM_DESTROY)
            manager->RemoveHook(hWndSeen, leaving);
        return static_cast<int>(CKitHookManagerHookAble::kNotHandled);
    });
    leaving->m_bAutoDestroy = TRUE;
    manager->SetHook(hWnd, leaving);
    g_log.clear();
    ::DestroyWindow(hWnd);
    EXPECT_EQ(std::vector<std::string>({"window:destroy", "window:ncdestroy"}), g_log);
    EXPECT_EQ(1, Watcher::deleted);
    EXPECT_TRUE(manager->GetHooks(hWnd).empty());
}

TEST_F(KitHookManager, AWindowThatGoesBeforeItsHookIsUnhookedCleanly)
{
    Watcher* flagged = new Watcher("flagged");
    flagged->m_bAutoDestroy = TRUE;
    Watcher kept("kept");
    manager->SetHook(hWnd, flagged);
    manager->SetHook(hWnd, &kept);
    ::DestroyWindow(hWnd);
    // The sink went with the window; the flagged watcher with it.
    EXPECT_EQ(1, Watcher::deleted);
    EXPECT_TRUE(manager->GetHooks(hWnd).empty());
    // Removing the hook of a window that is gone touches nothing.
    g_log.clear();
    manager->RemoveHook(hWnd, &kept);
    manager->RemoveAll(&kept);
    EXPECT_TRUE(g_log.empty());
}

TEST_F(KitHookManager, AWindowDestroyedByAWatcherGetsNoFurtherCall)
{
    Watcher destroyer("destroyer", [](HWND hWndSeen, UINT message, LRESULT&) {
        if (message == kProbe)
            ::DestroyWindow(hWndSeen);
        return static_cast<int>(CKitHookManagerHookAble::kNotHandled);
    });
    manager->SetHook(hWnd, &destroyer);
    g_log.clear();
    ::SendMessageA(hWnd, kProbe, 0, 0);
    // The probe is not handed on to the destroyed window's procedure.
    EXPECT_EQ(std::vector<std::string>({"destroyer:probe", "window:destroy", "window:ncdestroy"}), g_log);
    EXPECT_FALSE(::IsWindow(hWnd));
}

TEST_F(KitHookManager, AFlaggedWatcherIsDeletedOnlyWhenNoWindowWatchesIt)
{
    HWND second = CreateTestWindow();
    Watcher* shared = new Watcher("shared");
    shared->m_bAutoDestroy = TRUE;
    manager->SetHook(hWnd, shared);
    manager->SetHook(second, shared);
    manager->RemoveHook(hWnd, shared);
    EXPECT_EQ(0, Watcher::deleted);
    g_log.clear();
    ::SendMessageA(second, kProbe, 0, 0);
    EXPECT_EQ(std::vector<std::string>({"shared:probe", "window:probe"}), g_log);
    manager->RemoveAll(shared);
    EXPECT_EQ(1, Watcher::deleted);
    ::DestroyWindow(second);
}

} // namespace

// CorvelProcess: Corvel.exe started as a program of its own, and what its windows show, read from outside.
#pragma once

#include "framework/core.h"
#include "support/test_dirs.h"

#include <commctrl.h>

#include <functional>
#include <vector>

class CorvelProcess {
public:
    static constexpr DWORD kStartTimeoutMs = 60000;
    static constexpr DWORD kExitTimeoutMs = 30000;
    static constexpr DWORD kPollMs = 200;
    static constexpr char kTitle[] = "Korvane EIP-Tarnwell";

    CorvelProcess() = default;
    // Whatever happens, the program does not outlive the test.
    ~CorvelProcess()
    {
        if (m_process && ::WaitForSingleObject(m_process.Get(), 0) == WAIT_TIMEOUT)
            ::TerminateProcess(m_process.Get(), 1);
    }
    CorvelProcess(const CorvelProcess&) = delete;
    CorvelProcess& operator=(const CorvelProcess&) = delete;

    // Starts Corvel.exe of the build with arguments (a command-line tail, may be empty) and waits for its main
    // window; false with the reason in failure (a message box that comes up first is one).
    bool Start(const CString& arguments, CString& failure)
    {
        CString command;
        command.Format("\"%s\\corvel\\app\\Corvel.exe\"", TestBinaryDir());
        if (!arguments.IsEmpty())
            command += " " + arguments;
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process = {};
        if (!::CreateProcessA(nullptr, command.GetBuffer(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                              &process)) {
            failure.Format("%s: error %lu", (LPCSTR)command, ::GetLastError());
            return false;
        }
        command.ReleaseBuffer();
        m_process = ScopedHandle(process.hProcess);
        ScopedHandle thread(process.hThread);
        m_processId = process.dwProcessId;
        for (DWORD waited = 0; waited < kStartTimeoutMs; waited += kPollMs) {
            if (::WaitForSingleObject(m_process.Get(), kPollMs) != WAIT_TIMEOUT) {
                failure = "Corvel ended at start-up";
                return false;
            }
            m_mainWindow = FindTopWindow([](HWND, const CString& title, const CString&) { return title == kTitle; });
            if (m_mainWindow != nullptr)
                return true;
            // A message box at start-up holds the main window back.
            const std::vector<CString> boxes = MessageBoxTexts();
            if (!boxes.empty()) {
                failure = "a message box came up at start-up: " + boxes.front();
                return false;
            }
        }
        failure = "no main window; its windows: " + DescribeTopWindows();
        return false;
    }

    HWND MainWindow() const { return m_mainWindow; }
    HANDLE Handle() const { return m_process.Get(); }

    // Polls until done() holds or the time-out passes; false when it did not hold in time.
    bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs = kExitTimeoutMs) const
    {
        for (DWORD waited = 0; waited <= timeoutMs; waited += kPollMs) {
            if (done())
                return true;
            if (::WaitForSingleObject(m_process.Get(), kPollMs) != WAIT_TIMEOUT)
                return done();
        }
        return false;
    }

    // The texts of the visible message boxes of the program; empty when it shows none.
    std::vector<CString> MessageBoxTexts() const
    {
        std::vector<CString> texts;
        FindTopWindow([&texts](HWND window, const CString&, const CString& className) {
            if (className == "#32770")
                texts.push_back(ChildTexts(window, "Static"));
            return false;
        });
        return texts;
    }

    // The texts of the visible child windows of class className anywhere below the main window.
    std::vector<CString> VisibleChildTexts(LPCSTR className) const
    {
        std::vector<CString> texts;
        Children(m_mainWindow, [&](HWND child) {
            if (::IsWindowVisible(child) && WindowClass(child) == className)
                texts.push_back(WindowText(child));
        });
        return texts;
    }

    // The texts of the items of the first tree control below the main window, each with its parent's text
    // ("parent/item"; a top item alone), in depth-first order.
    std::vector<CString> TreeItemPaths() const
    {
        HWND tree = nullptr;
        Children(m_mainWindow, [&tree](HWND child) {
            if (tree == nullptr && WindowClass(child) == WC_TREEVIEWA)
                tree = child;
        });
        std::vector<CString> paths;
        if (tree != nullptr)
            AddTreeItems(tree, TreeNext(tree, nullptr, TVGN_ROOT), CString(), paths);
        return paths;
    }

private:
    static CString WindowText(HWND window)
    {
        char text[1024] = {};
        ::GetWindowTextA(window, text, sizeof text);
        return text;
    }
    static CString WindowClass(HWND window)
    {
        char name[256] = {};
        ::GetClassNameA(window, name, sizeof name);
        return name;
    }
    static void Children(HWND parent, const std::function<void(HWND)>& visit)
    {
        ::EnumChildWindows(parent, [](HWND child, LPARAM visitor) {
            (*reinterpret_cast<const std::function<void(HWND)>*>(visitor))(child);
            return TRUE;
        }, reinterpret_cast<LPARAM>(&visit));
    }
    static CString ChildTexts(HWND window, LPCSTR className)
    {
        CString texts;
        Children(window, [&](HWND child) {
            if (WindowClass(child) == className)
                texts += WindowText(child);
        });
        return texts;
    }

    // The first visible top-level window of the program that match takes (window, title, class name), or null.
    HWND FindTopWindow(const std::function<bool(HWND, const CString&, const CString&)>& match) const
    {
        struct Search {
            DWORD processId;
            const std::function<bool(HWND, const CString&, const CString&)>* match;
            HWND found;
        } search = {m_processId, &match, nullptr};
        ::EnumWindows([](HWND window, LPARAM lParam) {
            auto* s = reinterpret_cast<Search*>(lParam);
            DWORD processId = 0;
            ::GetWindowThreadProcessId(window, &processId);
            if (processId != s->processId || !::IsWindowVisible(window))
                return TRUE;
            if ((*s->match)(window, WindowText(window), WindowClass(window))) {
                s->found = window;
                return FALSE;
            }
            return TRUE;
        }, reinterpret_cast<LPARAM>(&search));
        return search.found;
    }

    CString DescribeTopWindows() const
    {
        CString seen;
        FindTopWindow([&seen](HWND window, const CString& title, const CString&) {
            seen.AppendFormat("[%s] ", (LPCSTR)title);
            static_cast<void>(window);
            return false;
        });
        return seen;
    }

    static HTREEITEM TreeNext(HWND tree, HTREEITEM item, UINT relation)
    {
        return reinterpret_cast<HTREEITEM>(
            ::SendMessageA(tree, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
    }

    // The text of a tree item of the other program, read through memory of that program.
    CString TreeItemText(HWND tree, HTREEITEM item) const
    {
        constexpr int kTextSpace = 1024;
        char* remote = static_cast<char*>(::VirtualAllocEx(m_process.Get(), nullptr, sizeof(TVITEMA) + kTextSpace,
                                                           MEM_COMMIT, PAGE_READWRITE));
        if (remote == nullptr)
            return CString();
        TVITEMA request = {};
        request.mask = TVIF_TEXT;
        request.hItem = item;
        request.pszText = remote + sizeof(TVITEMA);
        request.cchTextMax = kTextSpace;
        char text[kTextSpace] = {};
        if (::WriteProcessMemory(m_process.Get(), remote, &request, sizeof request, nullptr) &&
            ::SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(remote)))
            ::ReadProcessMemory(m_process.Get(), remote + sizeof(TVITEMA), text, kTextSpace - 1, nullptr);
        ::VirtualFreeEx(m_process.Get(), remote, 0, MEM_RELEASE);
        return text;
    }

    void AddTreeItems(HWND tree, HTREEITEM item, const CString& parent, std::vector<CString>& paths) const
    {
        for (; item != nullptr; item = TreeNext(tree, item, TVGN_NEXT)) {
            const CString text = TreeItemText(tree, item);
            paths.push_back(parent.IsEmpty() ? text : parent + "/" + text);
            AddTreeItems(tree, TreeNext(tree, item, TVGN_CHILD), text, paths);
        }
    }

    ScopedHandle m_process;
    DWORD m_processId = 0;
    HWND m_mainWindow = nullptr;
};

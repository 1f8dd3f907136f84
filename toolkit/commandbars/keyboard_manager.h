// CKitKeyboardManager: the thread's keyboard routing to the command bars while they track.
#pragma once

#include <windows.h>

#include <vector>

class CKitHookManagerHookAble;

// One per thread: a keyboard hook that offers each key press to the registered watchers, newest
// first, and eats what nobody lets through; a window-procedure hook that closes all menus when the
// application loses activation. Both hooks exist only while watchers are registered.
class CKitKeyboardManager {
public:
    CKitKeyboardManager() = default;
    ~CKitKeyboardManager();
    CKitKeyboardManager(const CKitKeyboardManager&) = delete;
    CKitKeyboardManager& operator=(const CKitKeyboardManager&) = delete;

    // The calling thread's manager, made on first use.
    static CKitKeyboardManager* GetThreadManager();

    // Installs the hooks when missing and appends the watcher once.
    void HookKeyboard(CKitHookManagerHookAble* pWatcher);
    // Removes the watcher; the hooks go with the last one.
    void UnhookKeyboard(CKitHookManagerHookAble* pWatcher);
    BOOL IsHooked() const { return m_hKeyboardHook != nullptr; }
    int GetWatcherCount() const { return static_cast<int>(m_watchers.size()); }

    // The keyboard hook's work for one key message; TRUE when the key is eaten.
    BOOL ProcessKeyboard(WPARAM wParam, LPARAM lParam);
    // Whether the key is the last one a watcher let through (forgotten once asked): the focus
    // window's own hook then leaves it alone.
    BOOL TakePassedKey(WPARAM wParam, LPARAM lParam);
    // The window hook's work: the application's deactivation closes all menus.
    void ProcessWindowMessage(UINT nMessage, WPARAM wParam);

private:
    static LRESULT CALLBACK KeyboardProc(int nCode, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK CallWndProc(int nCode, WPARAM wParam, LPARAM lParam);
    void RemoveHooks();

    HHOOK m_hKeyboardHook = nullptr;
    HHOOK m_hCallWndHook = nullptr;
    std::vector<CKitHookManagerHookAble*> m_watchers;
    BOOL m_bPassed = FALSE;
    WPARAM m_wPassed = 0;
    LPARAM m_lPassed = 0;
};

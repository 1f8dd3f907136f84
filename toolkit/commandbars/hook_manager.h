// CKitHookManagerHookAble, CKitHookManager: objects that watch the messages of windows they do not own, through one subclassing per window.
#pragma once

#include <windows.h>

#include <memory>
#include <unordered_map>
#include <vector>

// A watcher of a window's messages.
class CKitHookManagerHookAble {
public:
    // The answers of OnHookMessage.
    enum HookResult {
        kNotHandled = 0, // ask the next watcher
        kHandled = 1,    // lResult is the message's result; the window's procedure is not called
        kStopAsking = 2, // not handled, and no further watcher is asked
    };

    virtual ~CKitHookManagerHookAble() = default;

    // Called for each message of a watched window, the watchers added last
    // first. The message's parameters may be changed for the rest of the chain.
    virtual int OnHookMessage(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam, LRESULT& lResult) = 0;

    // A watcher with this set is deleted when the last window it watches lets it go.
    BOOL m_bAutoDestroy = FALSE;
};

// The process-wide manager: subclasses each watched window once and offers
// its messages to the window's watchers.
class CKitHookManager {
public:
    class CHookSink;

    // The manager, made on first use and destroyed at exit.
    static CKitHookManager* Instance();

    CKitHookManager() = default;
    ~CKitHookManager();
    CKitHookManager(const CKitHookManager&) = delete;
    CKitHookManager& operator=(const CKitHookManager&) = delete;

    // Adds the watcher to the window (once), subclassing the window on its first watcher.
    void SetHook(HWND hWnd, CKitHookManagerHookAble* pHook);
    // Takes the watcher off the window; the window's last watcher unhooks it.
    void RemoveHook(HWND hWnd, CKitHookManagerHookAble* pHook);
    // Takes the watcher off every window.
    void RemoveAll(CKitHookManagerHookAble* pHook);
    // Unhooks every window (a window whose later subclasser cannot take over
    // keeps the sink as a pass-through).
    void RemoveAllHooks();

    // The watchers of the window, in the order added (none when it is not hooked).
    std::vector<CKitHookManagerHookAble*> GetHooks(HWND hWnd) const;
    // The message a sink sends its window when it unhooks, so that code that
    // subclassed the window after it can take over its procedure: wParam is the
    // hook procedure, lParam the procedure before it; a non-zero answer means taken.
    static UINT GetSinkRemovedMessage();

private:
    friend class CHookSink;
    static LRESULT CALLBACK HookWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

    std::shared_ptr<CHookSink> Find(HWND hWnd) const;
    // Offers a message to the sink's watchers and, unless one handled it, to the window's previous procedure.
    LRESULT Dispatch(const std::shared_ptr<CHookSink>& pSink, UINT message, WPARAM wParam, LPARAM lParam);
    // Takes the sink out of the map and deletes the watchers flagged for deletion.
    void DropSink(const std::shared_ptr<CHookSink>& pSink);
    // Lets every watcher of the sink go.
    void ClearWatchers(CHookSink& sink);
    // Deletes an auto-destroy watcher that no window watches any more.
    void ReleaseWatcher(CKitHookManagerHookAble* pHook);

    std::unordered_map<HWND, std::shared_ptr<CHookSink>> m_sinks;
};

// The watchers of one window and the procedure the window had before.
class CKitHookManager::CHookSink {
public:
    explicit CHookSink(HWND hWnd);
    CHookSink(const CHookSink&) = delete;
    CHookSink& operator=(const CHookSink&) = delete;

    // Puts the hook procedure in front of the window's procedure.
    BOOL Hook();
    // Gives the window its procedure back, or hands it to the code that
    // subclassed the window later. FALSE when the sink must stay in the chain
    // as a plain pass-through (later code that cannot take the procedure over).
    BOOL Unhook();

    LRESULT CallPrevious(UINT message, WPARAM wParam, LPARAM lParam) const;
    // The window's current procedure is the hook procedure.
    BOOL IsFirstInChain() const;

    // The watchers, in the order added.
    std::vector<CKitHookManagerHookAble*> m_watchers;
    HWND m_hWnd;
    WNDPROC m_pOldWndProc;
    BOOL m_bUnicode;
    // The window is gone (WM_NCDESTROY): nothing is sent to it any more.
    BOOL m_bDetached;
    // The window is being destroyed (from WM_DESTROY on): it gets no unhook message.
    BOOL m_bDestroying;
    // The resource module in force when the last watcher was added.
    HINSTANCE m_hResourceModule;
};

#include "toolkit/commandbars/keyboard_manager.h"

#include "toolkit/commandbars/hook_manager.h"
#include "toolkit/commandbars/mouse_manager.h"

#include <algorithm>
#include <memory>

namespace {

thread_local std::unique_ptr<CKitKeyboardManager> t_pKeyboardManager;

// Bits of a key message's lParam.
constexpr LPARAM kKeyAltDown = 1 << 29;
constexpr LPARAM kKeyRepeat = 1 << 30;
constexpr LPARAM kKeyReleased = static_cast<LPARAM>(1u << 31);

} // namespace

CKitKeyboardManager::~CKitKeyboardManager()
{
    RemoveHooks();
}

CKitKeyboardManager* CKitKeyboardManager::GetThreadManager()
{
    if (!t_pKeyboardManager)
        t_pKeyboardManager = std::make_unique<CKitKeyboardManager>();
    return t_pKeyboardManager.get();
}

void CKitKeyboardManager::HookKeyboard(CKitHookManagerHookAble* pWatcher)
{
    const DWORD dwThread = ::GetCurrentThreadId();
    if (m_hKeyboardHook == nullptr)
        m_hKeyboardHook = ::SetWindowsHookExA(WH_KEYBOARD, KeyboardProc, nullptr, dwThread);
    if (m_hCallWndHook == nullptr)
        m_hCallWndHook = ::SetWindowsHookExA(WH_CALLWNDPROC, CallWndProc, nullptr, dwThread);
    if (std::find(m_watchers.begin(), m_watchers.end(), pWatcher) == m_watchers.end())
        m_watchers.push_back(pWatcher);
}

void CKitKeyboardManager::UnhookKeyboard(CKitHookManagerHookAble* pWatcher)
{
    m_watchers.erase(std::remove(m_watchers.begin(), m_watchers.end(), pWatcher), m_watchers.end());
    if (m_watchers.empty())
        RemoveHooks();
}

void CKitKeyboardManager::RemoveHooks()
{
    if (m_hKeyboardHook != nullptr)
        ::UnhookWindowsHookEx(m_hKeyboardHook);
    if (m_hCallWndHook != nullptr)
        ::UnhookWindowsHookEx(m_hCallWndHook);
    m_hKeyboardHook = nullptr;
    m_hCallWndHook = nullptr;
}

BOOL CKitKeyboardManager::ProcessKeyboard(WPARAM wParam, LPARAM lParam)
{
    if (m_watchers.empty() || (lParam & kKeyReleased) != 0)
        return FALSE;
    CKitMouseManager* pMouse = CKitMouseManager::GetThreadManager();
    if ((lParam & kKeyAltDown) != 0 && wParam == VK_MENU && pMouse->GetModalCount() < 1) {
        // Alt closes every menu and is eaten; its auto-repeats pass.
        if ((lParam & kKeyRepeat) != 0)
            return FALSE;
        pMouse->SendTrackLostAll();
        return TRUE;
    }
    // A watcher may leave while it handles the key: ask a copy, newest first.
    const std::vector<CKitHookManagerHookAble*> watchers = m_watchers;
    for (auto it = watchers.rbegin(); it != watchers.rend(); ++it) {
        if (std::find(m_watchers.begin(), m_watchers.end(), *it) == m_watchers.end())
            continue;
        WPARAM wKey = wParam;
        LPARAM lKey = lParam;
        LRESULT lResult = 0;
        const int nAnswer = (*it)->OnHookMessage(nullptr, WM_KEYDOWN, wKey, lKey, lResult);
        if (nAnswer == CKitHookManagerHookAble::kHandled)
            return TRUE;
        if (nAnswer == CKitHookManagerHookAble::kStopAsking) {
            m_bPassed = TRUE;
            m_wPassed = wParam;
            m_lPassed = lParam;
            return FALSE;
        }
    }
    return TRUE;
}

BOOL CKitKeyboardManager::TakePassedKey(WPARAM wParam, LPARAM lParam)
{
    const BOOL bPassed = m_bPassed && m_wPassed == wParam && m_lPassed == lParam;
    m_bPassed = FALSE;
    return bPassed;
}

void CKitKeyboardManager::ProcessWindowMessage(UINT nMessage, WPARAM wParam)
{
    if (nMessage == WM_ACTIVATEAPP && !wParam)
        CKitMouseManager::GetThreadManager()->SendTrackLostAll();
}

LRESULT CALLBACK CKitKeyboardManager::KeyboardProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    CKitKeyboardManager* pManager = t_pKeyboardManager.get();
    if (nCode == HC_ACTION && pManager != nullptr && pManager->ProcessKeyboard(wParam, lParam))
        return 1;
    return ::CallNextHookEx(nullptr, nCode, wParam, lParam);
}

LRESULT CALLBACK CKitKeyboardManager::CallWndProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    CKitKeyboardManager* pManager = t_pKeyboardManager.get();
    if (nCode == HC_ACTION && pManager != nullptr) {
        const auto* pMessage = reinterpret_cast<const CWPSTRUCT*>(lParam);
        pManager->ProcessWindowMessage(pMessage->message, pMessage->wParam);
    }
    return ::CallNextHookEx(nullptr, nCode, wParam, lParam);
}

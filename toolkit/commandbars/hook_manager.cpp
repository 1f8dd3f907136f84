#include "toolkit/commandbars/hook_manager.h"

#include "framework/module.h"
#include "framework/wnd.h"

#include <algorithm>

namespace {

// Puts a sink's resource module in force while its window's message is handled.
class ScopedResourceModule {
public:
    explicit ScopedResourceModule(HINSTANCE hModule) : m_hPrevious(AfxGetResourceHandle())
    {
        if (hModule != nullptr && hModule != m_hPrevious)
            AfxSetResourceHandle(hModule);
    }
    ~ScopedResourceModule()
    {
        if (AfxGetResourceHandle() != m_hPrevious)
            AfxSetResourceHandle(m_hPrevious);
    }
    ScopedResourceModule(const ScopedResourceModule&) = delete;
    ScopedResourceModule& operator=(const ScopedResourceModule&) = delete;

private:
    HINSTANCE m_hPrevious;
};

bool Contains(const std::vector<CKitHookManagerHookAble*>& watchers, const CKitHookManagerHookAble* pHook)
{
    return std::find(watchers.begin(), watchers.end(), pHook) != watchers.end();
}

} // namespace

// ---------------------------------------------------------------------------
// The sink of one window.

CKitHookManager::CHookSink::CHookSink(HWND hWnd)
    : m_hWnd(hWnd), m_pOldWndProc(nullptr), m_bUnicode(::IsWindowUnicode(hWnd)), m_bDetached(FALSE),
      m_bDestroying(FALSE), m_hResourceModule(AfxGetResourceHandle())
{
}

BOOL CKitHookManager::CHookSink::Hook()
{
    const auto proc = reinterpret_cast<LONG_PTR>(&CKitHookManager::HookWndProc);
    const LONG_PTR previous =
        m_bUnicode ? ::SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, proc) : ::SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, proc);
    m_pOldWndProc = reinterpret_cast<WNDPROC>(previous);
    return m_pOldWndProc != nullptr;
}

BOOL CKitHookManager::CHookSink::IsFirstInChain() const
{
    const LONG_PTR current =
        m_bUnicode ? ::GetWindowLongPtrW(m_hWnd, GWLP_WNDPROC) : ::GetWindowLongPtrA(m_hWnd, GWLP_WNDPROC);
    return current == reinterpret_cast<LONG_PTR>(&CKitHookManager::HookWndProc);
}

BOOL CKitHookManager::CHookSink::Unhook()
{
    if (m_pOldWndProc == nullptr || !::IsWindow(m_hWnd))
        return TRUE;
    // Code that subclassed the window later may take the procedure over; a
    // window being destroyed is asked nothing.
    if (!m_bDetached && !m_bDestroying &&
        ::SendMessageA(m_hWnd, GetSinkRemovedMessage(), reinterpret_cast<WPARAM>(&CKitHookManager::HookWndProc),
                       reinterpret_cast<LPARAM>(m_pOldWndProc)) != 0)
        return TRUE;
    if (!IsFirstInChain())
        return m_bDetached;
    const auto previous = reinterpret_cast<LONG_PTR>(m_pOldWndProc);
    if (m_bUnicode)
        ::SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, previous);
    else
        ::SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, previous);
    return TRUE;
}

LRESULT CKitHookManager::CHookSink::CallPrevious(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return m_bUnicode ? ::CallWindowProcW(m_pOldWndProc, m_hWnd, message, wParam, lParam)
                      : ::CallWindowProcA(m_pOldWndProc, m_hWnd, message, wParam, lParam);
}

// ---------------------------------------------------------------------------
// The manager.

CKitHookManager* CKitHookManager::Instance()
{
    static CKitHookManager manager;
    return &manager;
}

CKitHookManager::~CKitHookManager()
{
    RemoveAllHooks();
}

UINT CKitHookManager::GetSinkRemovedMessage()
{
    static const UINT message = ::RegisterWindowMessageA("WM_HOOKMANAGER_SINKREMOVED");
    return message;
}

std::shared_ptr<CKitHookManager::CHookSink> CKitHookManager::Find(HWND hWnd) const
{
    auto found = m_sinks.find(hWnd);
    return found != m_sinks.end() ? found->second : nullptr;
}

std::vector<CKitHookManagerHookAble*> CKitHookManager::GetHooks(HWND hWnd) const
{
    const std::shared_ptr<CHookSink> pSink = Find(hWnd);
    return pSink != nullptr ? pSink->m_watchers : std::vector<CKitHookManagerHookAble*>();
}

void CKitHookManager::SetHook(HWND hWnd, CKitHookManagerHookAble* pHook)
{
    if (pHook == nullptr || !::IsWindow(hWnd))
        return;
    std::shared_ptr<CHookSink> pSink = Find(hWnd);
    // The sink of a window that went away unseen is dropped.
    if (pSink != nullptr && !::IsWindow(pSink->m_hWnd)) {
        DropSink(pSink);
        pSink = nullptr;
    }
    if (pSink == nullptr) {
        pSink = std::make_shared<CHookSink>(hWnd);
        if (!pSink->Hook())
            return;
        m_sinks[hWnd] = pSink;
    }
    if (!Contains(pSink->m_watchers, pHook))
        pSink->m_watchers.push_back(pHook);
    pSink->m_hResourceModule = AfxGetResourceHandle();
}

void CKitHookManager::ReleaseWatcher(CKitHookManagerHookAble* pHook)
{
    if (pHook == nullptr || !pHook->m_bAutoDestroy)
        return;
    for (const auto& entry : m_sinks) {
        if (Contains(entry.second->m_watchers, pHook))
            return;
    }
    delete pHook;
}

void CKitHookManager::DropSink(const std::shared_ptr<CHookSink>& pSink)
{
    auto found = m_sinks.find(pSink->m_hWnd);
    if (found != m_sinks.end() && found->second == pSink)
        m_sinks.erase(found);
    ClearWatchers(*pSink);
}

void CKitHookManager::ClearWatchers(CHookSink& sink)
{
    const std::vector<CKitHookManagerHookAble*> watchers = std::move(sink.m_watchers);
    sink.m_watchers.clear();
    for (CKitHookManagerHookAble* pHook : watchers)
        ReleaseWatcher(pHook);
}

void CKitHookManager::RemoveHook(HWND hWnd, CKitHookManagerHookAble* pHook)
{
    const std::shared_ptr<CHookSink> pSink = Find(hWnd);
    if (pSink == nullptr)
        return;
    auto found = std::find(pSink->m_watchers.begin(), pSink->m_watchers.end(), pHook);
    if (found != pSink->m_watchers.end()) {
        pSink->m_watchers.erase(found);
        ReleaseWatcher(pHook);
    }
    if (!pSink->m_watchers.empty())
        return;
    // A window that went away before its hook is not touched; otherwise the
    // sink stays in the chain only when later code cannot take its place.
    if (pSink->Unhook())
        DropSink(pSink);
}

void CKitHookManager::RemoveAll(CKitHookManagerHookAble* pHook)
{
    std::vector<HWND> windows;
    for (const auto& entry : m_sinks) {
        if (Contains(entry.second->m_watchers, pHook))
            windows.push_back(entry.first);
    }
    for (HWND hWnd : windows)
        RemoveHook(hWnd, pHook);
}

void CKitHookManager::RemoveAllHooks()
{
    std::vector<std::shared_ptr<CHookSink>> sinks;
    for (const auto& entry : m_sinks)
        sinks.push_back(entry.second);
    for (const std::shared_ptr<CHookSink>& pSink : sinks) {
        if (pSink->Unhook())
            DropSink(pSink);
        else
            ClearWatchers(*pSink);
    }
}

LRESULT CALLBACK CKitHookManager::HookWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    MSG current = {};
    current.hwnd = hWnd;
    current.message = message;
    current.wParam = wParam;
    current.lParam = lParam;
    const MSG previous = AfxSetCurrentMessage(current);

    CKitHookManager* pManager = Instance();
    // Held for the whole message: a watcher may remove the sink while it runs.
    const std::shared_ptr<CHookSink> pSink = pManager->Find(hWnd);
    LRESULT result = 0;
    if (pSink != nullptr) {
        ScopedResourceModule resources(pSink->m_hResourceModule);
        result = pManager->Dispatch(pSink, message, wParam, lParam);
    }
    AfxSetCurrentMessage(previous);
    return result;
}

LRESULT CKitHookManager::Dispatch(const std::shared_ptr<CHookSink>& pSink, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCDESTROY) {
        // The window's last message: the sink goes, the message goes on.
        pSink->m_bDetached = TRUE;
        pSink->Unhook();
        DropSink(pSink);
        return pSink->CallPrevious(message, wParam, lParam);
    }
    if (message == GetSinkRemovedMessage() && reinterpret_cast<WNDPROC>(wParam) == pSink->m_pOldWndProc) {
        pSink->m_pOldWndProc = reinterpret_cast<WNDPROC>(lParam);
        return 1;
    }
    if (message == WM_DESTROY)
        pSink->m_bDestroying = TRUE;

    const std::vector<CKitHookManagerHookAble*> watchers = pSink->m_watchers;
    for (auto it = watchers.rbegin(); it != watchers.rend(); ++it) {
        // A watcher removed (perhaps deleted) by an earlier one is not asked.
        if (!Contains(pSink->m_watchers, *it))
            continue;
        LRESULT lResult = 0;
        const int nAnswer = (*it)->OnHookMessage(pSink->m_hWnd, message, wParam, lParam, lResult);
        if (nAnswer == CKitHookManagerHookAble::kHandled)
            return lResult;
        if (nAnswer == CKitHookManagerHookAble::kStopAsking)
            break;
    }
    // A window destroyed while its watchers ran gets nothing more.
    if (pSink->m_bDetached || !::IsWindow(pSink->m_hWnd))
        return 0;
    return pSink->CallPrevious(message, wParam, lParam);
}

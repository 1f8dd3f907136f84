// CKitControlComboBoxAutoCompleteWnd: the watcher of the shell's suggestion list under an edit or combo box field.
#include "toolkit/commandbars/auto_complete.h"

#include "toolkit/commandbars/command_bar.h"
#include "toolkit/commandbars/control.h"
#include "toolkit/commandbars/keyboard_manager.h"
#include "toolkit/commandbars/mouse_manager.h"

CKitControlComboBoxAutoCompleteWnd::Binder CKitControlComboBoxAutoCompleteWnd::s_pfnBinder =
    &CKitControlComboBoxAutoCompleteWnd::ShellBinder;
HHOOK CKitControlComboBoxAutoCompleteWnd::s_hHook = nullptr;
CKitControlComboBoxAutoCompleteWnd* CKitControlComboBoxAutoCompleteWnd::s_pHooked = nullptr;

HRESULT CKitControlComboBoxAutoCompleteWnd::ShellBinder(HWND hEdit, DWORD dwFlags)
{
    using ShAutoComplete = HRESULT(WINAPI*)(HWND, DWORD);
    const HMODULE hShell = ::LoadLibraryA("shlwapi.dll");
    if (hShell == nullptr)
        return E_FAIL;
    const auto pfnAutoComplete = reinterpret_cast<ShAutoComplete>(::GetProcAddress(hShell, "SHAutoComplete"));
    const HRESULT hr = pfnAutoComplete != nullptr ? pfnAutoComplete(hEdit, dwFlags) : E_FAIL;
    ::FreeLibrary(hShell);
    return hr;
}

void CKitControlComboBoxAutoCompleteWnd::SetBinder(Binder pfnBinder)
{
    s_pfnBinder = pfnBinder != nullptr ? pfnBinder : &ShellBinder;
}

CKitControlComboBoxAutoCompleteWnd* CKitControlComboBoxAutoCompleteWnd::Create(CKitControl* pControl, HWND hEdit,
                                                                               DWORD dwFlags)
{
    if (dwFlags == 0 || hEdit == nullptr)
        return nullptr;
    if (FAILED(s_pfnBinder(hEdit, dwFlags)))
        return nullptr;
    return new CKitControlComboBoxAutoCompleteWnd(pControl);
}

CKitControlComboBoxAutoCompleteWnd* CKitControlComboBoxAutoCompleteWnd::Rebind(CKitControlComboBoxAutoCompleteWnd* pOld,
                                                                               CKitControl* pControl, HWND hEdit,
                                                                               DWORD dwFlags)
{
    delete pOld;
    return Create(pControl, hEdit, dwFlags);
}

CKitControlComboBoxAutoCompleteWnd::~CKitControlComboBoxAutoCompleteWnd()
{
    RemoveHook();
}

void CKitControlComboBoxAutoCompleteWnd::SetupHook()
{
    if (s_pHooked == this)
        return;
    if (s_pHooked != nullptr)
        s_pHooked->RemoveHook();
    s_hHook = ::SetWindowsHookExA(WH_CALLWNDPROC, &CallWndProc, nullptr, ::GetCurrentThreadId());
    if (s_hHook == nullptr)
        return;
    s_pHooked = this;
    CKitKeyboardManager::GetThreadManager()->HookKeyboard(this);
}

void CKitControlComboBoxAutoCompleteWnd::RemoveHook()
{
    if (s_pHooked != this)
        return;
    ::UnhookWindowsHookEx(s_hHook);
    s_hHook = nullptr;
    s_pHooked = nullptr;
    CKitKeyboardManager::GetThreadManager()->UnhookKeyboard(this);
    ForgetDropDown();
}

void CKitControlComboBoxAutoCompleteWnd::ForgetDropDown()
{
    if (m_hDropDown == nullptr)
        return;
    CKitMouseManager::GetThreadManager()->RemoveTrustedWindow(m_hDropDown);
    m_hDropDown = nullptr;
}

LRESULT CALLBACK CKitControlComboBoxAutoCompleteWnd::CallWndProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    const HHOOK hHook = s_hHook;
    if (nCode == HC_ACTION && s_pHooked != nullptr) {
        const auto* pMessage = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (pMessage->message == WM_SHOWWINDOW) {
            s_pHooked->OnWindowShowing(pMessage->hwnd, pMessage->wParam != 0);
        } else if (pMessage->message == WM_WINDOWPOSCHANGING) {
            const auto* pPos = reinterpret_cast<const WINDOWPOS*>(pMessage->lParam);
            if ((pPos->flags & (SWP_SHOWWINDOW | SWP_HIDEWINDOW)) != 0)
                s_pHooked->OnWindowShowing(pMessage->hwnd, (pPos->flags & SWP_SHOWWINDOW) != 0);
        }
    }
    return ::CallNextHookEx(hHook, nCode, wParam, lParam);
}

void CKitControlComboBoxAutoCompleteWnd::OnWindowShowing(HWND hWnd, BOOL bShow)
{
    if (!bShow) {
        if (hWnd == m_hDropDown)
            ForgetDropDown();
        return;
    }
    char szClass[64] = {};
    ::GetClassNameA(hWnd, szClass, sizeof(szClass));
    if (lstrcmpA(szClass, kDropDownClass) != 0 || hWnd == m_hDropDown)
        return;
    ForgetDropDown();
    m_hDropDown = hWnd;
    CKitMouseManager::GetThreadManager()->AddTrustedWindow(hWnd);
    CKitCommandBar* pBar = m_pControl != nullptr ? m_pControl->GetParent() : nullptr;
    CWnd* pSite = pBar != nullptr ? pBar->GetSite() : nullptr;
    if (pSite != nullptr && pSite->GetSafeHwnd() != nullptr)
        pSite->PostMessage(kMessageDropDownShown, 0, 0);
}

BOOL CKitControlComboBoxAutoCompleteWnd::ProcessKey(UINT nChar)
{
    if (m_hDropDown == nullptr || !::IsWindowVisible(m_hDropDown) || ::GetKeyState(VK_MENU) < 0)
        return FALSE;
    if (nChar != VK_UP && nChar != VK_DOWN && nChar != VK_PRIOR && nChar != VK_NEXT)
        return FALSE;
    const HWND hFirst = ::GetWindow(m_hDropDown, GW_CHILD);
    const HWND hList = hFirst != nullptr ? ::GetWindow(hFirst, GW_HWNDNEXT) : nullptr;
    if (hList == nullptr)
        return FALSE;
    MSG msg = {hList, WM_KEYDOWN, nChar, 0, static_cast<DWORD>(::GetMessageTime()), {}};
    const LRESULT nCode = ::SendMessageA(hList, WM_GETDLGCODE, nChar, reinterpret_cast<LPARAM>(&msg));
    if ((nCode & (DLGC_WANTARROWS | DLGC_WANTALLKEYS | DLGC_WANTMESSAGE)) == 0)
        return FALSE;
    ::SendMessageA(hList, WM_KEYDOWN, nChar, 0);
    return TRUE;
}

int CKitControlComboBoxAutoCompleteWnd::OnHookMessage(HWND /*hWnd*/, UINT nMessage, WPARAM& wParam, LPARAM& /*lParam*/,
                                                     LRESULT& /*lResult*/)
{
    if (nMessage == WM_MOUSEWHEEL)
        return m_hDropDown != nullptr ? kStopAsking : kNotHandled;
    if (nMessage == WM_KEYDOWN && ProcessKey(static_cast<UINT>(wParam)))
        return kHandled;
    // Alone, the watcher must not let the keyboard manager eat what is typed into the field.
    if (nMessage == WM_KEYDOWN && CKitKeyboardManager::GetThreadManager()->GetWatcherCount() == 1)
        return kStopAsking;
    return kNotHandled;
}

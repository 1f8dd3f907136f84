// CKitControlComboBoxAutoCompleteWnd: the watcher of the shell's suggestion list under an edit or combo box field.
#pragma once

#include "toolkit/commandbars/hook_manager.h"

#include <windows.h>

class CKitControl;

// Binds the shell's completion to a field's window; while the field has the focus it watches the suggestion
// list appear and go, lets clicks in it keep the bars open and hands it the keys that move through it.
class CKitControlComboBoxAutoCompleteWnd : public CKitHookManagerHookAble {
public:
    // The window class of the shell's suggestion list.
    static constexpr LPCSTR kDropDownClass = "Auto-Suggest Dropdown";
    // Posted to the field's site when the suggestion list shows.
    static constexpr UINT kMessageDropDownShown = 10354;
    // The shell's flag that lets Tab move through the suggestions.
    static constexpr DWORD kFlagUseTab = 8;
    // Binds the completion to the window with the flags; the shell's answer.
    using Binder = HRESULT (*)(HWND hEdit, DWORD dwFlags);

    // A watcher for the control's window bound with the flags (the caller deletes it); null when the binding fails.
    static CKitControlComboBoxAutoCompleteWnd* Create(CKitControl* pControl, HWND hEdit, DWORD dwFlags);
    // Deletes the watcher held and binds the window anew when the flags are set; the new watcher or null.
    static CKitControlComboBoxAutoCompleteWnd* Rebind(CKitControlComboBoxAutoCompleteWnd* pOld, CKitControl* pControl,
                                                      HWND hEdit, DWORD dwFlags);
    // Replaces the binding (null: the shell's, looked up in "shlwapi.dll" for each call).
    static void SetBinder(Binder pfnBinder);

    ~CKitControlComboBoxAutoCompleteWnd() override;
    CKitControlComboBoxAutoCompleteWnd(const CKitControlComboBoxAutoCompleteWnd&) = delete;
    CKitControlComboBoxAutoCompleteWnd& operator=(const CKitControlComboBoxAutoCompleteWnd&) = delete;

    // Watches shown windows (one watcher at a time in the process) and takes keys from the keyboard manager.
    void SetupHook();
    // Stops both; a suggestion list still remembered is no longer trusted.
    void RemoveHook();
    BOOL IsHooked() const { return s_pHooked == this; }
    // The suggestion list while it is shown, else null.
    HWND GetDropDown() const { return m_hDropDown; }
    // Up, Down, Page Up and Page Down without Alt go to the shown list's inner list; whether it took the key.
    BOOL ProcessKey(UINT nChar);
    // Keys as ProcessKey, any other key passes through when no other watcher would; the wheel passes unhandled
    // while the list is shown.
    int OnHookMessage(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam, LRESULT& lResult) override;
    // A window is being shown or hidden: the suggestion list is remembered and trusted, or forgotten.
    void OnWindowShowing(HWND hWnd, BOOL bShow);

private:
    explicit CKitControlComboBoxAutoCompleteWnd(CKitControl* pControl) : m_pControl(pControl) {}
    static LRESULT CALLBACK CallWndProc(int nCode, WPARAM wParam, LPARAM lParam);
    static HRESULT ShellBinder(HWND hEdit, DWORD dwFlags);
    void ForgetDropDown();

    static Binder s_pfnBinder;
    static HHOOK s_hHook;
    static CKitControlComboBoxAutoCompleteWnd* s_pHooked;

    CKitControl* m_pControl;
    HWND m_hDropDown = nullptr;
};

// CKitControlCustom: a command-bar control that hosts an ordinary child window.
#pragma once

#include "toolkit/commandbars/control.h"
#include "toolkit/commandbars/hook_manager.h"

class CKitCommandBarManager;

// What a custom control does on a vertically docked bar.
enum KitCustomVerticalOption {
    kitCustomVerticalHide = 0,       // the whole control is hidden
    kitCustomVerticalHideWindow = 2, // the control keeps its place, its window is hidden
};

class CKitControlCustom : public CKitControlButton, public CKitHookManagerHookAble {
    DECLARE_DYNCREATE(CKitControlCustom)
public:
    CKitControlCustom();
    ~CKitControlCustom() override;

    // The hosted window (null: the control is a plain button); its messages are watched.
    HWND GetControl() const { return m_hwndControl; }
    void SetControl(HWND hWnd);
    // Margins between the control's rectangle and the window.
    CRect GetBorders() const { return m_rcBorders; }
    void SetBorders(int nLeft, int nTop, int nRight, int nBottom) { m_rcBorders.SetRect(nLeft, nTop, nRight, nBottom); }
    CSize GetControlSize() const { return m_szControl; }
    void SetControlSize(CSize size) { m_szControl = size; }
    int GetVerticalOptions() const { return m_nVerticalOptions; }
    void SetVerticalOptions(int nOptions) { m_nVerticalOptions = nOptions; }
    // The dialog control id by which the window is found again.
    UINT GetControlId() const { return m_nControlId; }
    void SetControlId(UINT nId) { m_nControlId = nId; }
    BOOL IsWindowShown() const { return m_bWindowShown; }

    CSize GetSize(CDC* pDC) override;
    void SetRect(const CRect& rc) override;
    void Draw(CDC* pDC) override;
    void OnClick(BOOL bKeyboard = FALSE, CPoint pt = CPoint()) override;
    void OnEnabledChanged() override;
    void SetHideFlags(DWORD dwFlags) override;
    void OnCalcDynamicSize(DWORD dwMode) override;
    void OnRemoved() override;
    void Copy(const CKitControl* pSource, BOOL bRecursive) override;
    // The button record, then the borders, size, vertical option and control id; loading binds the window of
    // that id again.
    void DoPropExchange(CKitPropExchange* pPX) override;

    // Mouse moves over the window reach the bar; nothing is consumed.
    int OnHookMessage(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam, LRESULT& lResult) override;

private:
    class CButtonLook;

    // Shows the window when it should be seen in its bar, else hides it; size and place stay.
    void UpdateWindowVisibility();
    // The window of the control id among the site's dialog items, else among each bar's; null when none.
    HWND FindWindowById(CKitCommandBarManager* pCommandBars) const;
    BOOL IsWindowVisibleNow() const;

    HWND m_hwndControl = nullptr;
    CRect m_rcBorders;
    BOOL m_bWindowShown = TRUE;
    CSize m_szControl;
    int m_nVerticalOptions = kitCustomVerticalHide;
    UINT m_nControlId = 0;
};

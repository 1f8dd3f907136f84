// CKitCommandBarEditCtrl, CKitControlEditCtrl, CKitControlEdit: the command-bar edit field with its spin and buddy buttons.
#pragma once

#include "framework/controls.h"
#include "toolkit/commandbars/control.h"

class CKitCommandBarManager;
class CKitControlComboBoxAutoCompleteWnd;
class CKitPopupBar;

// Notifications of an edit control to its site.
enum KitEditNotify {
    kitEditNotifySpinned = 100,
    kitEditNotifySetFocus = 256,
    kitEditNotifyKillFocus = 512,
    kitEditNotifyChange = 768,
    kitEditNotifySpinUp = 4104,
    kitEditNotifySpinDown = 4105,
    kitEditNotifyBuddyClick = 4106,
};

// The record of a spin notification: the step it is about to take.
struct NMKITEDITSPIN : NMKITCONTROL {
    int nStep;
};

// Selection (hot) and pressed states of an edit's buttons.
enum KitEditButtonState { kitEditSpinUp = 4, kitEditSpinDown = 5, kitEditBuddy = 6 };

// The in-place edit window: rich edit when the library loads, else a plain edit.
class CKitCommandBarEditCtrl : public CEdit {
public:
    // Creates the child window; its id is 0.
    BOOL CreateEdit(DWORD dwStyle, const CRect& rc, CWnd* pParent);
    CString GetText() const;
    // Sets the window text so that only the final change is reported.
    void SetTextQuietly(LPCSTR lpszText);
    // Text and background colours of the whole window.
    void ApplyColors(COLORREF clrText, COLORREF clrBack);
    BOOL IsImeComposing() const { return m_bComposing; }
    BOOL IsSettingText() const { return m_bSettingText; }
    // Whether the rich-edit library is loaded (checked once per process).
    static BOOL IsRichEditAvailable();
    // Backspace, Page Up to Delete and Ctrl+C, V, X, Z: keys the focused window edits with.
    static BOOL IsEditingKey(UINT nChar);
    // Text in window text or grey text, on the field's background from the control's paint manager.
    void ApplyFieldColors(CKitControl* pControl, BOOL bGreyText);
    // Gives the focus back to the previous window when it still exists, else to the bar's site.
    static void ReturnFocus(HWND hPrevious, CKitCommandBar* pBar);

    // Cut, Copy and Paste, enabled for the window's selection, state and the clipboard (the caller releases the
    // bar); null when the resources hold no string for Cut.
    CKitPopupBar* CreateContextMenu(CKitCommandBarManager* pCommandBars);
    // Shows the context menu at the screen point and sends the chosen command to the window; blocks while the
    // menu is open.
    void ShowContextMenu(CKitCommandBar* pBar, CPoint ptScreen);
    // Sends WM_CUT, WM_COPY or WM_PASTE for a context-menu command; FALSE for any other id.
    BOOL RunContextCommand(UINT nId);
    // In customize mode a right click on a field goes to its bar, in the bar's coordinates; whether it went.
    static BOOL PassRightClickWhileCustomizing(CKitCommandBar* pBar, CPoint ptScreen);
    static BOOL IsBarCustomizing(CKitCommandBar* pBar);
    // The screen point in the bar's client coordinates.
    static CPoint ToBar(CKitCommandBar* pBar, CPoint ptScreen);

protected:
    // Hooks of the owning control.
    virtual void OnEditSetFocus(HWND /*hPrevious*/) {}
    virtual void OnEditKillFocus() {}
    virtual void OnEditChanged() {}
    virtual void OnEditReturn() {}
    virtual void OnEditDestroy() {}
    // A right click on the window at the screen point.
    virtual void OnEditRightClick(CPoint /*ptScreen*/) {}
    // A left click on the window at the screen point; TRUE when the control took it instead of the window.
    virtual BOOL OnEditLeftClick(CPoint /*ptScreen*/) { return FALSE; }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    BOOL m_bComposing = FALSE;
    BOOL m_bSettingText = FALSE;
};

// An edit window that reports to the control that owns it.
template <class TControl>
class CKitFieldEditCtrl : public CKitCommandBarEditCtrl {
public:
    explicit CKitFieldEditCtrl(TControl* pControl) : m_pControl(pControl) {}

protected:
    void OnEditSetFocus(HWND hPrevious) override { m_pControl->OnWindowSetFocus(hPrevious); }
    void OnEditKillFocus() override { m_pControl->OnWindowKillFocus(); }
    void OnEditChanged() override { m_pControl->OnWindowChanged(); }
    // Enter executes the control.
    void OnEditReturn() override { m_pControl->OnExecute(); }
    void OnEditDestroy() override { m_pControl->OnWindowDestroyed(); }
    void OnEditRightClick(CPoint ptScreen) override { m_pControl->OnWindowRightClick(ptScreen); }
    // While customizing, a left click on the window is a click on the control.
    BOOL OnEditLeftClick(CPoint ptScreen) override
    {
        CKitCommandBar* pBar = m_pControl->GetParent();
        if (pBar == nullptr || !IsBarCustomizing(pBar))
            return FALSE;
        m_pControl->OnClick(FALSE, ToBar(pBar, ptScreen));
        return TRUE;
    }

    TControl* m_pControl;
};

class CKitControlEdit;

// The edit window of a CKitControlEdit.
class CKitControlEditCtrl : public CKitFieldEditCtrl<CKitControlEdit> {
public:
    using CKitFieldEditCtrl::CKitFieldEditCtrl;
};

// Type 6: an edit field after an optional label, with spin buttons or a buddy button.
class CKitControlEdit : public CKitControl {
    DECLARE_DYNCREATE(CKitControlEdit)
public:
    // The spin buttons' width at the right of the field.
    static constexpr int kSpinButtonsWidth = 18;
    // The spin repeat: first after 530 ms, then every 100 ms.
    static constexpr UINT_PTR kTimerSpin = 435;
    static constexpr UINT kSpinFirstDelay = 530;
    static constexpr UINT kSpinRepeatDelay = 100;
    // Held time is counted in units of 1024 ms: step 5 after two, 20 after five.
    static constexpr DWORD kSpinHoldUnit = 1024;

    CKitControlEdit() : CKitControl(kitControlEdit) {}
    ~CKitControlEdit() override;

    // The label before the field: shown when there is a caption, unless the style asks for the icon only.
    BOOL IsCaptionVisible() const override
    {
        return m_bCaptionVisible && !GetCaption().IsEmpty() && GetStyle() != kitButtonIcon;
    }

    // The width the bar gives the field.
    int GetWidth() const { return m_nEditWidth; }
    void SetWidth(int nWidth) override { m_nEditWidth = nWidth; }

    // The text: the cache, refreshed from the window when stale; empty while the hint shows.
    CString GetEditText() const;
    // An empty text shows the hint in an unfocused window.
    void SetEditText(LPCSTR lpszText);
    // The hint, else the action's.
    CString GetEditHint() const;
    void SetEditHint(LPCSTR lpszHint);
    BOOL IsHintShown() const { return m_bHintShown; }
    BOOL GetReadOnly() const { return m_bReadOnly; }
    void SetReadOnly(BOOL bReadOnly);
    int GetLabelWidth() const { return m_nLabelWidth; }
    void SetLabelWidth(int nWidth) { m_nLabelWidth = nWidth; }
    BOOL IsSpinButtonsVisible() const { return m_bSpinButtons; }
    void ShowSpinButtons(BOOL bShow) { m_bSpinButtons = bShow; }
    // The buddy button's icon id (0: none).
    UINT GetBuddyButtonId() const { return m_nBuddyButtonId; }
    void SetBuddyButtonId(UINT nId) { m_nBuddyButtonId = nId; }
    void SetEditIconId(UINT nId) { m_nEditIconId = nId; }
    UINT GetEditIconId() const { return m_nEditIconId; }
    void SetCharLimit(int nLimit) { m_nCharLimit = nLimit; }
    int GetCharLimit() const { return m_nCharLimit; }
    // The shell's completion flags, bound when the window is made (0: none).
    DWORD GetShellAutoCompleteFlags() const { return m_dwShellAutoCompleteFlags; }
    void SetShellAutoCompleteFlags(DWORD dwFlags);
    // The watcher of the shell's suggestion list; null while the completion is not bound.
    CKitControlComboBoxAutoCompleteWnd* GetAutoCompleteWnd() const { return m_pAutoComplete; }
    // The control record, then the edit's own settings.
    void DoPropExchange(CKitPropExchange* pPX) override;
    // New styles take effect when the window is made anew at the next placement.
    void SetEditStyle(DWORD dwStyle)
    {
        m_dwEditStyle = dwStyle;
        m_bRecreate = TRUE;
    }
    // The spin buttons at the right of the rectangle, empty when they are not shown.
    CRect GetSpinButtonsRect() const;
    // The buddy button's rectangle, empty when there is none.
    CRect GetBuddyButtonRect() const;
    CKitCommandBarEditCtrl* GetEditCtrl() const { return m_pEdit; }
    BOOL HasWindow() const { return m_pEdit != nullptr && m_pEdit->GetSafeHwnd() != nullptr; }

    // Places (and creates) the edit window inside the control's rectangle.
    void SetRect(const CRect& rc) override;
    void SetParent(CKitCommandBar* pParent) override;
    void OnRemoved() override;
    void OnEnabledChanged() override;
    // The window is shown or hidden with its action.
    void OnActionChanged(int nProperty) override;
    BOOL IsFocusable() const override { return TRUE; }
    BOOL IsFocused() const override { return m_bFocused; }
    void SetFocused(BOOL bFocused) override;
    void OnClick(BOOL bKeyboard = FALSE, CPoint pt = CPoint()) override;
    void OnMouseMove(CPoint pt) override;
    void OnMouseHover() override;
    BOOL OnHookKeyDown(UINT nChar, LPARAM lParam) override;
    void OnKeyboardTip() override;
    void Copy(const CKitControl* pSource, BOOL bRecursive) override;

    // Steps the integer in the text by nStep in the direction (+1 up, -1 down) to the next multiple
    // of the step, after asking the site; FALSE when the site cancelled.
    BOOL Spin(int nStep, int nDirection);
    // The step of a spin held for the milliseconds: 1, 5 from two units, 20 from five.
    static int GetSpinStep(DWORD dwHeld);
    // Starts a held spin (kitEditSpinUp or kitEditSpinDown) at the clock's time: one spin at once.
    void BeginSpinHold(int nButton);
    // A repeat tick of the held spin; FALSE when nothing is held.
    BOOL OnSpinTick();
    // The pointer left (bInside FALSE) or re-entered the held half; re-entering restarts the clock.
    void SetSpinHoldInside(BOOL bInside);
    void EndSpinHold();
    // The clock of held spins (GetTickCount unless a test injects one).
    static void SetClock(DWORD (*pfnClock)()) { s_pfnClock = pfnClock != nullptr ? pfnClock : &::GetTickCount; }

    // Called by the edit window.
    void OnWindowSetFocus(HWND hPrevious);
    void OnWindowKillFocus();
    void OnWindowChanged();
    void OnWindowDestroyed();
    // In customize mode the bar takes the right click; otherwise the control takes the focus and shows the
    // context menu.
    void OnWindowRightClick(CPoint ptScreen);

private:
    // Binds the shell's completion to the window when flags are set; a failed binding leaves none.
    void ApplyShellAutoComplete();
    // Shows the hint when the text is empty and the window is not focused.
    void UpdateHint();
    void ApplyCharFormat();
    CRect GetEditWindowRect() const;
    void DestroyEditWindow();
    void ShowEditWindow();
    void TrackSpin(int nButton);
    void TrackBuddy();

    static DWORD (*s_pfnClock)();

    CKitControlEditCtrl* m_pEdit = nullptr;
    mutable CString m_strEditText;
    mutable BOOL m_bTextStale = FALSE;
    CString m_strSavedText;
    CString m_strHint;
    BOOL m_bHintShown = FALSE;
    BOOL m_bReadOnly = FALSE;
    DWORD m_dwEditStyle = 0;
    int m_nCharLimit = 0;
    DWORD m_dwShellAutoCompleteFlags = 0;
    int m_nEditWidth = 100;
    int m_nLabelWidth = 0;
    BOOL m_bSpinButtons = FALSE;
    UINT m_nBuddyButtonId = 0;
    UINT m_nEditIconId = 0;
    BOOL m_bFocused = FALSE;
    BOOL m_bRecreate = FALSE;
    BOOL m_bApplyingFormat = FALSE;
    HWND m_hPreviousFocus = nullptr;
    CRect m_rcPlaced;
    CKitControlComboBoxAutoCompleteWnd* m_pAutoComplete = nullptr;
    // The held spin: its button (0 none), whether the pointer is over it, when the holding began.
    int m_nSpinHeld = 0;
    BOOL m_bSpinInside = FALSE;
    DWORD m_dwSpinStart = 0;
};

// CKitToolBar, CKitControlButtonExpand, CKitControlButtonHide: the bar docked at a frame's edge or floating in its own window, with its expand and close buttons.
#pragma once

#include "toolkit/commandbars/command_bar.h"
#include "toolkit/commandbars/control.h"
#include "toolkit/commandbars/controls.h"

class CKitDockBar;
class CKitDockContext;
class CKitPopupBar;

// A toolbar's docking flags (its flag word).
enum KitDockFlag : DWORD {
    kitDockTop = 1,
    kitDockBottom = 2,
    kitDockLeft = 4,
    kitDockRight = 8,
    kitDockFloat = 16,
    kitDockSqueeze = 32,
    kitDockFullRow = 64,
    kitDockAny = kitDockTop | kitDockBottom | kitDockLeft | kitDockRight | kitDockFloat,
    kitDockStretch = 0x100000,
};

// The command ids of a toolbar's own buttons.
constexpr UINT kitIdToolbarExpand = 9148;
constexpr UINT kitIdToolbarClose = 9149;
constexpr UINT kitIdAddRemoveButtons = 9122;
// The strip at the end of a docked bar that holds the expand button.
constexpr int kitExpandStripSize = 11;

class CKitToolBar : public CKitCommandBar {
    DECLARE_DYNCREATE(CKitToolBar)
public:
    CKitToolBar();
    ~CKitToolBar() override;

    // The "ShowTextBelowIcons" option; 2 means the manager's option applies.
    int GetShowTextBelowIcons() const;
    void SetShowTextBelowIcons(int nShow) { m_nShowTextBelowIcons = nShow; }
    // The bar's own setting as stored (2: not set).
    int GetStoredShowTextBelowIcons() const { return m_nShowTextBelowIcons; }

    // Shows (without activating) or hides the bar and lets the frame lay out again.
    void SetVisible(BOOL bVisible) override;
    BOOL IsVisible() const override;
    // Docks the bar at an edge (0-3) or floats it (4) through the manager; before the bar
    // has a window, or without a manager that docks, only the position is stored.
    BOOL SetPosition(int nPosition);
    // A docked bar asks the frame for a new layout; a floating one takes its floating size.
    void UpdateLocation();
    // Floating: 3 on every side; docked: the paint manager's borders and gripper.
    CRect GetBorders() override;
    // Lays the controls out in the bar's window as it stands.
    void OnRecalcLayout() override;
    // The rows within the width, with the end margin grown by nEndMargin along the length.
    CSize CalcLayout(int nWidth, int nEndMargin = 0);
    // The docked layout along the length, with the expand button at the end when something does not fit.
    virtual CSize CalcDockLayout(int nLength, DWORD dwMode);
    // The floating layout, with the close and expand buttons in the caption.
    virtual CSize CalcDynamicLayout(int nLength, DWORD dwMode);
    // Whether a press at the client point drags the bar (and a double click docks or floats it): no control there.
    virtual BOOL IsDragPoint(CPoint point) const { return HitTest(point) == nullptr; }
    // Whether the dock context resizes the bar by both dimensions, the bar applying the rectangle itself.
    virtual BOOL IsFreeResizable() const { return FALSE; }
    // Applies the screen rectangle of a free resize by the grabbed border (hit code); nothing here.
    virtual void ApplyFreeResize(const CRect& /*rcWindow*/, int /*nHitTest*/) {}
    // Creates the window as a child of the parent, or as a floating window it owns; an
    // existing window is re-styled.
    BOOL CreateToolBarWindow(CWnd* pParent, BOOL bFloating);

    // Remembers the resource and the loaded controls as the bar's built-in set.
    BOOL LoadToolBar(UINT nIDResource, BOOL bLoadBitmap = TRUE) override;
    UINT GetResourceId() const { return m_nResourceId; }
    // Replaces the controls by one button per id; 0 makes the next one begin a group.
    void SetButtons(const UINT* pIds, int nCount);
    // Restores the built-in controls, after asking when bAsk.
    virtual void Reset(BOOL bAsk);
    BOOL IsCustomizable() const override;
    // Whether the user's controls differ from the built-in ones (saved only then).
    virtual BOOL ShouldSerializeBar() const;

    void Copy(const CKitCommandBar* pSource, BOOL bRecursive) override;
    void DoPropExchange(CKitPropExchange* pPX) override;
    // Applies a loaded bar to this live one: the user's controls replace the built-in ones
    // unless the built-in set changed since and the user chooses the new one.
    void MergeLoadedState(CKitToolBar* pLoaded, BOOL bAsk);

    CKitDockBar* GetDockBar() const { return m_pDockBar; }
    void SetDockBar(CKitDockBar* pDockBar) { m_pDockBar = pDockBar; }
    CKitDockContext* GetDockContext() const { return m_pDockContext; }
    BOOL IsFloating() const { return m_nBarPosition == kitBarFloating; }

    BOOL IsBuiltIn() const { return m_bBuiltIn; }
    void SetBuiltIn(BOOL bBuiltIn) { m_bBuiltIn = bBuiltIn; }
    BOOL IsTearOff() const { return m_bTearOff; }
    void SetTearOff(BOOL bTearOff) { m_bTearOff = bTearOff; }
    BOOL IsCloseable() const { return m_bCloseable; }
    void SetCloseable(BOOL bCloseable) { m_bCloseable = bCloseable; }
    BOOL IsContextMenuPresent() const { return m_bContextMenuPresent; }
    BOOL IsCustomizeDialogPresent() const { return m_bCustomizeDialogPresent; }
    BOOL IsAnimationEnabled() const { return m_bAnimation; }
    void SetAnimationEnabled(BOOL bEnable) { m_bAnimation = bEnable; }

    // The expand and close buttons, when the bar has made them.
    CKitControl* GetExpandButton() const;
    CKitControl* GetCloseButton() const;

protected:
    explicit CKitToolBar(int nBarType);

    // The bar's own button (made as a temporary control on first use).
    CKitControl* FindOrAddOwnButton(UINT nId);
    // Hides or shows one of the bar's own buttons for the layout (null: nothing).
    static void ShowOwnButton(CKitControl* pControl, BOOL bShow);
    // The docked layout before a stretched bar is made to fill its row.
    CSize CalcDockLayoutLine(int nLength, DWORD dwMode);
    // Whether the expand button may show: with a manager, or when the bar is floating.
    BOOL CanShowExpandButton() const;
    // The manager's option, else the given default.
    BOOL IsAlwaysShowExpandButton(BOOL bDefault) const;

    afx_msg void OnLButtonDownBar(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClkBar(UINT nFlags, CPoint point);
    afx_msg LRESULT OnNcHitTestMessage(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnNcLButtonDownMessage(WPARAM wParam, LPARAM lParam);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg LRESULT OnMouseActivateMessage(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnCloseMessage(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    CKitDockContext* m_pDockContext;
    CKitDockBar* m_pDockBar = nullptr;
    BOOL m_bBuiltIn = TRUE;
    BOOL m_bTearOff = FALSE;
    BOOL m_bCloseable = TRUE;
    BOOL m_bContextMenuPresent = TRUE;
    BOOL m_bCustomizeDialogPresent = TRUE;
    BOOL m_bAnimation = FALSE;
    BOOL m_bVisible = TRUE;
    BOOL m_bInUpdateLocation = FALSE;
    UINT m_nResourceId = 0;

private:
    int m_nShowTextBelowIcons = 2;
};

// The button at the end of a docked bar (or in a floating caption) that opens the controls that did not fit.
class CKitControlButtonExpand : public CKitControlPopup {
    DECLARE_DYNCREATE(CKitControlButtonExpand)
public:
    CKitControlButtonExpand();
    // Whether some control of the bar is hidden because it did not fit.
    BOOL HasHiddenControls() const { return m_bHiddenControls; }
    void SetHiddenControls(BOOL bHidden) { m_bHiddenControls = bHidden; }
    void Draw(CDC* pDC) override;
    // Opens a popup of the controls that did not fit, with the popup for adding or removing buttons.
    BOOL SetPopup(BOOL bPopup) override;

private:
    // Appends the item whose popup shows or hides each of the bar's buttons.
    void AddAddRemoveButtons(CKitPopupBar* pPopup);

    BOOL m_bHiddenControls = FALSE;
};

// An item of the popup for adding or removing buttons: checked while its control shows;
// executing it shows or hides the control.
class CKitControlToggleButton : public CKitControlButton {
    DECLARE_DYNCREATE(CKitControlToggleButton)
public:
    CKitControlToggleButton() = default;
    ~CKitControlToggleButton() override;
    // Holds one reference to the control.
    void SetTarget(CKitControl* pTarget);
    CKitControl* GetTarget() const { return m_pTarget; }
    void OnExecute() override;

private:
    CKitControl* m_pTarget = nullptr;
};

// The close button of a floating bar's caption: executing it hides the bar.
class CKitControlButtonHide : public CKitControlButton {
    DECLARE_DYNCREATE(CKitControlButtonHide)
public:
    CKitControlButtonHide();
    void Draw(CDC* pDC) override;
    void OnExecute() override;
};

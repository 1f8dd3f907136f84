// CKitCommandBar: the window that shows, lays out and drives rows of controls (the toolbar, menu bar and popup bar kinds are in toolbar.h, menu_bar.h and popup_bar.h).
#pragma once

#include "framework/geometry.h"
#include "framework/msgmap.h"
#include "framework/strings.h"
#include "framework/wnd.h"
#include "toolkit/commandbars/hook_manager.h"
#include "toolkit/common/accessible.h"

#include <windows.h>

class CKitBarPainter;
class CKitCommandBarList;
class CKitCommandBarAnimation;
class CKitCommandBarKeyboardTip;
class CKitCommandBarManager;
class CKitControl;
class CKitControlPopup;
class CKitControls;
class CKitImageManager;
class CKitPropExchange;

// Bar types.
enum KitBarType { kitBarTypeMenuBar = 0, kitBarTypeNormal = 1, kitBarTypePopup = 2 };

// Bar positions.
enum KitBarPosition {
    kitBarTop = 0,
    kitBarBottom = 1,
    kitBarLeft = 2,
    kitBarRight = 3,
    kitBarFloating = 4,
    kitBarPopup = 5,
    kitBarListBox = 6,
    kitBarNone = 7,
};

// Text orientations of a bar: 0 follows the position.
enum KitBarTextOrientation { kitTextOrientationAuto = 0, kitTextOrientationVertical = 1, kitTextOrientationHorizontal = 2 };

// Navigation codes of OnKeyDownBar.
enum KitBarKey {
    kitKeyNext = 0,
    kitKeyPrevious = 1,
    kitKeyCollapse = 2,
    kitKeyExpand = 3,
    kitKeyEscape = 4,
    kitKeyReturn = 5,
    kitKeyHome = 6,
    kitKeyEnd = 7,
    kitKeyLeft = 8,
    kitKeyRight = 9,
    kitKeySpace = 10,
};

// Selection kinds of SetSelected: 0 the mouse, 2 and 3 the keyboard (forwards, backwards).
enum KitSelection { kitSelectMouse = 0, kitSelectKeyboard = 2, kitSelectKeyboardBack = 3 };

// Messages a bar sends its site.
constexpr UINT WM_KIT_STATUS_SELECTION = 0x2856;
constexpr UINT WM_KIT_TRACKING_MENUBAR = 0x2858;
constexpr UINT WM_KIT_CONTROL_RBUTTONUP = 0x2859;
constexpr UINT WM_KIT_BAR_KEYDOWN = 0x285A;
// Before a popup bar or view opens, so that the site can fill it (lParam the popup).
constexpr UINT WM_KIT_INIT_POPUP = 0x285B;
// After a bar was reset (lParam the bar).
constexpr UINT WM_KIT_TOOLBAR_RESET = 0x2864;

// Docked on the left or right side.
BOOL IsVerticalBarPosition(int nPosition);
// Laid out as a column: the left and right sides and popups.
BOOL IsVerticalLayoutPosition(int nPosition);
// Registers the window class of a kind of bar once; its name.
LPCSTR KitRegisterBarClass(LPCSTR lpszClassName, UINT nClassStyle);

class CKitCommandBar : public CWnd, public CKitHookManagerHookAble, public CKitAccessible {
    DECLARE_DYNCREATE(CKitCommandBar)
public:
    // The style-word bit that makes the paint manager fill the bar before its controls.
    static constexpr DWORD kStylePaintBackground = 0x400000;
    // The window style of bars whose activation follows their frame's.
    static constexpr DWORD kStyleSyncActive = 0x100;
    // State-word bits handled by the idle update.
    static constexpr DWORD kStateLayoutPending = 1;
    static constexpr DWORD kStateRedrawPending = 2;
    // Timers.
    static constexpr UINT_PTR kTimerHover = 112223;
    static constexpr UINT kHoverDelay = 300;
    static constexpr UINT_PTR kTimerExpand = 112224;
    static constexpr UINT kExpandDelay = 5000;
    // Posted to a tracking bar: shows its tips unless some are on show.
    static constexpr UINT_PTR kTimerKeyboardTips = 52426;

    explicit CKitCommandBar(int nBarType = kitBarTypeNormal);
    ~CKitCommandBar() override;
    CKitCommandBar(const CKitCommandBar&) = delete;
    CKitCommandBar& operator=(const CKitCommandBar&) = delete;

    // Creates the bar's window as a child (or popup) of the parent.
    BOOL CreateBar(CWnd* pParent, DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, UINT nID = 0);

    int GetType() const { return m_nBarType; }
    int GetPosition() const { return m_nBarPosition; }
    void SetPosition(int nPosition) { m_nBarPosition = nPosition; }
    UINT GetBarID() const { return m_nBarID; }
    void SetBarID(UINT nID) { m_nBarID = nID; }
    const CString& GetTitle() const { return m_strTitle; }
    // Stores the title and redraws the bar.
    void SetTitle(LPCSTR lpszTitle);

    int GetTextOrientation() const { return m_nTextOrientation; }
    void SetTextOrientation(int nOrientation) { m_nTextOrientation = nOrientation; }
    int GetDefaultButtonStyle() const { return m_nDefaultButtonStyle; }
    void SetDefaultButtonStyle(int nStyle) { m_nDefaultButtonStyle = nStyle; }

    // The icon size: the bar's own when set, else the manager's, else the automatic one.
    virtual CSize GetIconSize() const;
    // The icon size when neither the bar nor its manager sets one: 16 x 16 in the base.
    virtual CSize GetAutomaticIconSize() const;
    void SetIconSize(CSize size) { m_szIcons = size; }
    // The icon size of large buttons: the bar's own when set, else the manager's, else 32 x 32.
    CSize GetLargeIconSize() const;
    void SetLargeIconSize(CSize size) { m_szLargeIcons = size; }
    // The bar's own button size when set, else the manager's; else with bAutomatic the
    // icon size plus the button's frame (7 by 6), without it twice the icon size.
    virtual CSize GetButtonSize(BOOL bAutomatic = TRUE) const;
    void SetButtonSize(CSize size) { m_szButtons = size; }
    // Whether mnemonics are underlined: the manager's keyboard-cues state, else the bar's own.
    virtual BOOL IsKeyboardCuesVisible() const;
    void SetKeyboardCuesVisible(BOOL bVisible) { m_bKeyboardCues = bVisible; }

    // The controls collection (owned).
    CKitControls* GetControls() const { return m_pControls; }
    int GetControlCount() const;
    // The control at the index, or null out of range.
    CKitControl* GetControl(int nIndex) const;
    // The visible control under the client point, or null; pIndex receives its index.
    virtual CKitControl* HitTest(CPoint point, int* pIndex = nullptr) const;

    BOOL GetPaintBackground() const { return (m_dwStyle & kStylePaintBackground) != 0; }
    void SetPaintBackground(BOOL bPaint);
    DWORD GetFlags() const { return m_dwFlags; }
    // Adds, then removes: a bit in both ends cleared.
    void SetFlags(DWORD dwAdd, DWORD dwRemove = 0);
    DWORD GetState() const { return m_dwState; }
    // Asks for a new layout at the next idle update.
    void DelayLayout() { m_dwState |= kStateLayoutPending; }
    void SetMRUWidth(int nWidth) { m_nMRUWidth = nWidth; }
    int GetMRUWidth() const { return m_nMRUWidth; }
    BOOL GetHoverSelect() const { return m_bHoverSelect; }
    void SetHoverSelect(BOOL bHoverSelect) { m_bHoverSelect = bHoverSelect; }
    void SetCustomizable(BOOL bCustomizable) { m_bCustomizable = bCustomizable; }

    // FALSE for every bar but a dialog bar.
    virtual BOOL IsDialogBar() const { return FALSE; }
    // A dialog bar's highlight: set while the keyboard focus is on the bar or in it.
    BOOL IsDialogBarActive() const { return m_bDialogBarActive; }
    void SetDialogBarActive(BOOL bActive) { m_bDialogBarActive = bActive; }
    // The options of the bar's floating frame; the four low bits give it a caption of its own.
    BYTE GetFloatingFrameOptions() const { return m_nFloatingFrameOptions; }
    void SetFloatingFrameOptions(BYTE nOptions) { m_nFloatingFrameOptions = nOptions; }
    // Whether a popup bar shows two columns (its option and its flag both on).
    virtual BOOL IsDoubleColumn() const { return FALSE; }

    // The bar's own image manager, else its parent bar's, else the shared one.
    CKitImageManager* GetImageManager() const;
    // Takes over the reference; the own one held before is released.
    void SetImageManager(CKitImageManager* pImageManager);

    // The owning manager, of this bar or of the nearest parent bar that has one.
    CKitCommandBarManager* GetCommandBars() const;
    void SetCommandBars(CKitCommandBarManager* pCommandBars) { m_pCommandBars = pCommandBars; }
    // The top bar of the parent-bar chain.
    CKitCommandBar* GetRootParent() const;
    BOOL IsCustomizeMode() const;
    // The own paint manager, else the manager's (or the global one with a manager),
    // else the root bar's, else the global one.
    CKitBarPainter* GetPaintManager() const;
    // Takes over the reference; the own one held before is released.
    void SetPaintManager(CKitBarPainter* pPaintManager);
    // Whether the bar's window lays out right to left.
    BOOL IsLayoutRTLWindow() const;
    // Docked and the manager lays out right to left.
    BOOL IsLayoutRTL() const;
    // The window that receives the bar's commands.
    CWnd* GetSite() const;
    // The window for notifications.
    CWnd* GetOwnerSite() const;
    void SetSite(CWnd* pSite) { m_pSite = pSite; }
    void SetNotifyWindow(CWnd* pNotify) { m_pNotifyWindow = pNotify; }

    // Selection, popups and tracking.
    int GetSelected() const { return m_nSelected; }
    int GetPopuped() const { return m_nPopuped; }
    BOOL IsTrackingMode() const { return m_bTracking; }
    int GetSelectionMode() const { return m_nSelectionMode; }
    // Opens the popup of the control at the index after closing the open one; -1 closes.
    BOOL OpenPopupAt(int nIndex, BOOL bKeyboard = FALSE);
    // Leaves tracking mode and clears the selection.
    virtual void LeaveTrackingMode() { SetTrackingMode(FALSE, TRUE, FALSE); }
    // Called by the mouse manager when a click outside ends the tracking.
    virtual void OnTrackLost() { LeaveTrackingMode(); }
    // Input lock: while positive, keys are eaten and timers and mouse moves do nothing.
    void LockInput(BOOL bLock) { m_nLockInput += bLock ? 1 : -1; }
    int GetInputLock() const { return m_nLockInput; }

    // The control whose mnemonic (or first letter) the key types, searching after the
    // selection and wrapping; -1 when none. *pAmbiguous tells that another control matches.
    int FindAccelerator(UINT nKey, BOOL* pAmbiguous) const;
    // Runs the command-UI update at once.
    void ForceIdleUpdate() { OnIdleUpdateCmdUI(); }
    // Updates every control's enabled and checked state from the owner site.
    void OnUpdateCmdUI();
    // Refreshes the manager's keyboard cues.
    void RecalcKeyboardCues();
    // The customize insertion mark: an I-beam inverted into the rectangle, flat in vertical and popup bars.
    void DrawInsertMark(CDC* pDC);
    void SetInsertMark(const CRect& rcMark) { m_rcInsertMark = rcMark; }
    const CRect& GetInsertMark() const { return m_rcInsertMark; }

    // The bar's virtual operations.
    // Asks for a redraw at the next idle update.
    virtual void DelayRedraw() { m_dwState |= kStateRedrawPending; }
    // Enters (mode non-zero) or leaves tracking mode; TRUE when the state changed.
    virtual BOOL SetTrackingMode(int nMode, BOOL bSelectFirst = TRUE, BOOL bKeyboard = FALSE);
    // Turns the menu's items into controls (popups for submenus); FALSE for an invalid menu.
    virtual BOOL LoadMenu(HMENU hMenu, BOOL bClearFirst = TRUE);
    // Adds a button per command of the toolbar resource (a separator begins a group) and,
    // with bLoadBitmap, gives the image manager the resource's images; FALSE when it is missing or short.
    virtual BOOL LoadToolBar(UINT nIDResource, BOOL bLoadBitmap = TRUE);
    // Makes the control at the index the hot one (-1 none); 0 when nothing changed.
    virtual BOOL SetSelected(int nIndex, int nMode = kitSelectMouse);
    virtual void SetVisible(BOOL /*bVisible*/) {}
    virtual BOOL IsVisible() const { return FALSE; }
    virtual BOOL IsCustomizable() const { return m_bCustomizable; }
    // Lays the controls out; nothing in the base.
    virtual void OnRecalcLayout() {}
    // Gives the shown controls the shortcut texts of their commands; called before a layout.
    void UpdateShortcuts();
    // The control under the point as a tool: its tooltip, with the shortcut when the manager says so.
    INT_PTR OnToolHitTest(CPoint point, TOOLINFOA* pTI) const override;

    // The bar as accessibility clients see it: one child per control, child id = index + 1.
    HRESULT GetAccessibleParent(IDispatch** ppdispParent) override;
    HRESULT GetAccessibleChildCount(long* pcountChildren) override;
    HRESULT GetAccessibleChild(VARIANT varChild, IDispatch** ppdispChild) override;
    HRESULT GetAccessibleName(VARIANT varChild, BSTR* pszName) override;
    HRESULT GetAccessibleRole(VARIANT varChild, VARIANT* pvarRole) override;
    HRESULT GetAccessibleState(VARIANT varChild, VARIANT* pvarState) override;
    HRESULT AccessibleLocation(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight, VARIANT varChild) override;
    HRESULT AccessibleHitTest(long xLeft, long yTop, VARIANT* pvarChild) override;
    CCmdTarget* GetAccessibleTarget() override { return this; }
    virtual void ClearSelection() { SetSelected(-1, kitSelectMouse); }
    // Sends the control's description to the status bar.
    virtual void SetStatusText(BOOL bShow, CKitControl* pControl);
    // The bar that opened this one; null for a root bar.
    virtual CKitCommandBar* GetParentCommandBar() const { return nullptr; }
    // Saves or loads the bar's persistent record with its controls.
    virtual void DoPropExchange(CKitPropExchange* pPX);
    // Adds this bar and every bar its controls reach to the list, giving bars without an id one.
    virtual void GenerateCommandBarList(DWORD& nNextId, CKitCommandBarList* pList, DWORD dwFlags);
    // Links the popups of the bar's controls to the loaded bars.
    virtual void RestoreCommandBarList(CKitCommandBarList* pList);
    // Cross-fading of changed rectangles: switching it redraws the bar.
    void SetAnimationEnabled(BOOL bEnable);
    BOOL GetAnimationEnabled() const;
    CKitCommandBarAnimation* GetAnimation() const { return m_pAnimation; }
    // The next popup opened from this bar plays its open animation (cleared once it has).
    void SetAnimateNextPopup(BOOL bAnimate) { m_bAnimateNextPopup = bAnimate; }
    BOOL GetAnimateNextPopup() const { return m_bAnimateNextPopup; }

    // Repaints the rectangle (the whole bar when null), cross-faded when bAnimate.
    virtual void Redraw(LPCRECT lpRect = nullptr, BOOL bAnimate = FALSE);
    // Fills the bar and draws its visible controls that meet the clip rectangle.
    virtual void DrawCommandBar(CDC* pDC, CRect rcClip);
    // Copies the source's settings and, through the collection, its controls.
    virtual void Copy(const CKitCommandBar* pSource, BOOL bRecursive);
    // A new bar of the same class made by Copy.
    virtual CKitCommandBar* Clone(BOOL bRecursive) const;
    // Takes over the state of a bar loaded from a stored layout: the settings and controls the bar stores.
    virtual void CopyFromBar(const CKitCommandBar* pSource);
    // Appends the tips of the visible controls (and, for a root bar, of the other bars) to the manager's.
    virtual void CreateKeyboardTips();
    // Creates the bar's tips, gives them their texts and shows the windows of the visible ones.
    void ShowKeyboardTips();
    // The manager's tip level while this bar's tips are on show, else 0.
    int GetKeyboardTipCount() const;
    // Runs a chosen tip: a control's keyboard-tip action, or keyboard tracking moved to the tip's bar.
    virtual void OnKeyboardTip(CKitCommandBarKeyboardTip* pTip);
    // A key typed while tips show: the tip it completes runs (a disabled one beeps), also one made hidden (a
    // control of a reduced group, or one scrolled away); a partial match hides the tips that no longer match;
    // no match beeps.
    void OnTypedTipChar(UINT nKey);
    // The bar's own key hook, asked before the menu key (VK_MENU) or an Alt+key starts keyboard navigation;
    // TRUE when the bar took the key. The base takes none.
    virtual BOOL ProcessAccelerator(UINT /*nKey*/) { return FALSE; }
    // A command chosen in a popup menu tracked modally; FALSE lets the control send it to the site.
    virtual BOOL OnTrackedCommand(UINT /*nId*/) { return FALSE; }
    // Called with the control the keyboard selects; nothing in the base.
    virtual void OnControlSelected(CKitControl* /*pControl*/) {}
    // Whether the bar's captions follow the ribbon's look (its theme's ribbon text colours); FALSE in the base.
    virtual BOOL HasRibbonCaptions() const { return FALSE; }
    // Docked at the top of a frame whose glass reaches over its top dock bar.
    BOOL IsOnCompositedFrame() const;
    // Whether the rectangle (client coordinates) lies on the part of a composited frame the bar draws its caption
    // on; FALSE in the base.
    virtual BOOL IsRectOnCompositedFrame(const CRect& /*rc*/) const { return FALSE; }
    virtual CRect GetBorders();
    virtual void FillCommandBarEntry(CDC* pDC);
    // A key of the hooked focus window while tracking: 1 eaten, 2 passed on.
    virtual int OnHookKeyDown(UINT nChar, LPARAM lParam);
    // Navigation by an abstract key code; TRUE when handled.
    virtual BOOL OnKeyDownBar(int nCode);
    // The controls changed: the layout is redone and the selection forgotten.
    virtual int OnControlsChanged();
    // 1 when the screen point lies in the bar, 0 when not.
    virtual int IsPointInBar(CPoint ptScreen) const;
    // Leaves tracking, unhooks and removes the controls and the window.
    virtual void OnRemoved();
    // The enabled state the bar imposes on its control; -1: none, the control's own state holds.
    virtual int GetControlsEnabledOverride(const CKitControl* /*pControl*/) const { return -1; }
    // Updates command UI, then redraws and lays out what is pending.
    virtual void OnIdleUpdateCmdUI();

    // Mouse handling shared with the mouse manager (client coordinates).
    virtual void OnMouseMoveBar(UINT nFlags, CPoint point);
    virtual void OnMouseLeaveBar();

    // The message hook of the window the bar hooks while tracking.
    int OnHookMessage(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam, LRESULT& lResult) override;

protected:
    // Gives the control the selection state and redraws it.
    void SetControlSelected(CKitControl* pControl, int nState);
    // Whether the control at the index is shown on this bar.
    BOOL IsSelectable(int nIndex) const;
    // Whether the arrow keys move along a row.
    BOOL IsHorizontalNavigation() const;
    // Moves between wrapped rows (code 2 up, 3 down); TRUE when it moved.
    BOOL SelectInNextRow(int nCode);
    void HookFocusWindow(BOOL bHook);
    // The control under the point that takes a button message (none in customize mode); without
    // a control the message gets default processing.
    CKitControl* GetButtonTarget(CPoint point);

    // WM_NCCREATE of a bar with the synchronised-activation style: after the default processing the bar
    // tells itself (WM_FLOATSTATUS) whether its top-level parent is active.
    afx_msg LRESULT OnNcCreateSynchronized(WPARAM wParam, LPARAM lParam);
    // WM_FLOATSTATUS: TRUE only to FS_SYNCACTIVE, and only with the synchronised-activation style.
    afx_msg LRESULT OnFloatStatusSynchronized(WPARAM wParam, LPARAM lParam);
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnRButtonUp(UINT nFlags, CPoint point);
    afx_msg LRESULT OnMouseLeave(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnIdleUpdateCmdUIMessage(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetObject(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    int m_nBarType;
    int m_nBarPosition = kitBarNone;
    UINT m_nBarID = 0;
    CString m_strTitle;
    int m_nTextOrientation = kitTextOrientationAuto;
    int m_nDefaultButtonStyle = 0;
    CSize m_szIcons;
    CSize m_szButtons;
    CSize m_szLargeIcons;
    BOOL m_bKeyboardCues = TRUE;
    CKitControls* m_pControls;
    DWORD m_dwStyle = kStylePaintBackground;
    DWORD m_dwFlags = 0;
    DWORD m_dwState = 0;
    int m_nMRUWidth = 32767;
    BOOL m_bCustomizable = TRUE;
    BYTE m_nFloatingFrameOptions = 0;
    BOOL m_bDialogBarActive = FALSE;
    CKitCommandBarManager* m_pCommandBars = nullptr;
    CKitBarPainter* m_pPaintManager = nullptr;
    CKitImageManager* m_pImageManager = nullptr;
    CWnd* m_pSite = nullptr;
    CWnd* m_pNotifyWindow = nullptr;

    int m_nSelected = -1;
    int m_nPopuped = -1;
    BOOL m_bTracking = FALSE;
    int m_nSelectionMode = kitSelectMouse;
    BOOL m_bMouseTracking = FALSE;
    int m_nLockInput = 0;
    BOOL m_bHoverSelect = TRUE;
    BOOL m_bAnimateNextPopup = FALSE;
    BOOL m_bHideCaret = TRUE;
    HWND m_hFocusSaved = nullptr;
    HWND m_hHooked = nullptr;
    int m_nDelayRedraw = 0;
    int m_nStatusIndex = -1;
    CRect m_rcInsertMark;
    // The bar this one was copied from.
    const CKitCommandBar* m_pCopySource = nullptr;
    // Owned.
    CKitCommandBarAnimation* m_pAnimation;
};

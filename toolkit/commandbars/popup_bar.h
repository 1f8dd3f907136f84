// CKitPopupBar, CKitPopupToolBar, KitPopupPlacement: the drop-down and context menus, their placement and tear-off.
#pragma once

#include "framework/geometry.h"
#include "framework/msgmap.h"
#include "framework/strings.h"
#include "toolkit/commandbars/command_bar.h"
#include "toolkit/commandbars/toolbar.h"

#include <functional>

class CKitToolBar;

// Popup flags.
enum KitPopupFlags {
    // Opens leftwards: its right edge at the reference x.
    kitPopupLeft = 1,
    // Opens below the exclude rectangle (a drop-down) rather than beside it.
    kitPopupDown = 2,
    // Without an exclude rectangle: opens upwards from the point.
    kitPopupUp = 4,
};

// The open animation of a popup.
enum KitPopupAnimation {
    kitAnimateSystem = 0, // as the system's menus
    kitAnimateRandom = 1, // unfold, slide or fade at random
    kitAnimateUnfold = 2,
    kitAnimateSlide = 3,
    kitAnimateFade = 4,
    kitAnimateNone = 5,
};

// The kind the option stands for, given the system's menu animation and fade settings and a random number.
int KitResolvePopupAnimation(int nOption, BOOL bMenuAnimation, BOOL bMenuFade, int nRandom);
// Whether the kind is played (unfold, slide or fade).
inline BOOL KitIsAnimatedPopupKind(int nKind)
{
    return nKind == kitAnimateUnfold || nKind == kitAnimateSlide || nKind == kitAnimateFade;
}

// What the placement of a popup reads and decides.
struct KitPopupPlacement {
    CRect rcWork;
    CRect rcMonitor;
    // The parent control's screen rectangle; empty for a popup opened at a point.
    CRect rcExclude;
    CPoint pt;
    CSize size;
    DWORD dwFlags = 0;
    // Column wrapping is allowed, or the popup already has several columns.
    BOOL bMayWrap = FALSE;
    // A single-column menu (bar type 2) may be laid out again into columns.
    BOOL bMultiColumnLayout = FALSE;
    int nMaxHeight = 0;
    // Lays the popup out again within the height; gives the new size.
    std::function<CSize(int)> relayout;

    // Results.
    BOOL bScroll = FALSE;
};

// The screen rectangle of the popup; updates the flags and tells whether it must scroll.
CRect KitCalcPopupRect(KitPopupPlacement& placement);

// Bar type 2 at position 5: a never-activated top-level window listing controls.
class CKitPopupBar : public CKitCommandBar {
    DECLARE_DYNCREATE(CKitPopupBar)
public:
    // The command id of the expand button.
    static constexpr UINT kIdExpandButton = 9150;
    // Timers.
    static constexpr UINT_PTR kTimerScrollDown = 5001;
    static constexpr UINT_PTR kTimerScrollUp = 5002;
    static constexpr UINT kScrollInterval = 80;
    static constexpr int kScrollButtonHeight = 16;
    static constexpr UINT_PTR kTimerTearOffHover = 5003;
    static constexpr UINT kTearOffHoverInterval = 80;
    static constexpr UINT_PTR kTimerExpandHover = 5004;
    static constexpr UINT kExpandHoverDelay = 900;
    // The tear-off drag keeps the popup while the cursor stays this close to the gripper.
    static constexpr int kTearOffSnap = 10;
    static constexpr int kTearOffGripperHeight = 9;
    // The bottom strip of the work area popups leave uncovered.
    static constexpr int kWorkAreaBottomGap = 5;

    CKitPopupBar();
    ~CKitPopupBar() override;

    // A new popup bar attached to the manager.
    static CKitPopupBar* CreatePopupBar(CKitCommandBarManager* pCommandBars);

    // Opens beside or below the parent control (none: at the popup point) and enters tracking mode;
    // FALSE when the window fails or the parent bar went away meanwhile.
    virtual BOOL Popup(CKitControlPopup* pControl, BOOL bSelectFirst);
    // Opens at the screen point, avoiding the exclude rectangle when given.
    BOOL PopupAt(int x, int y, LPCRECT lpExclude = nullptr);
    // Leaving tracking mode destroys the window and tells the parent bar its popup closed.
    BOOL SetTrackingMode(int nMode, BOOL bSelectFirst = TRUE, BOOL bKeyboard = FALSE) override;
    // Selecting the expand button by the mouse arms the expand timer when the option is on.
    BOOL SetSelected(int nIndex, int nMode = kitSelectMouse) override;
    // The bar of the control that opened this one.
    CKitCommandBar* GetParentCommandBar() const override;
    BOOL IsVisible() const override;
    CRect GetBorders() override;
    int OnHookKeyDown(UINT nChar, LPARAM lParam) override;
    int OnControlsChanged() override;
    void OnRecalcLayout() override;
    BOOL OnTrackedCommand(UINT nId) override;
    void Copy(const CKitCommandBar* pSource, BOOL bRecursive) override;
    void DrawCommandBar(CDC* pDC, CRect rcClip) override;

    // The popup's size: its controls in columns.
    virtual CSize CalcDynamicLayout(int nLength, DWORD dwMode);
    // The placement within the work area of the monitor at the point or exclude rectangle.
    virtual CRect CalcPopupRect(CPoint pt, CSize size);
    // The flags, exclude rectangle and popup point from the parent control.
    virtual void UpdateExcludeRect();
    // Recomputes size and place after a change.
    virtual void UpdateLocation();
    // The first display: animated as the options ask when opened on its own or when the parent bar asks for it.
    virtual void AnimatePopup();
    // The open animation this popup plays now (kitAnimateNone without command bars or with a child window).
    int GetAnimationType() const;

    // Shows the controls hidden as rarely used.
    void ExpandBar();
    BOOL IsExpanded() const { return m_bExpanded; }
    BOOL HasHiddenControls() const { return m_bHasHiddenControls; }
    // The popup control that opened the bar; null for a context menu.
    CKitControlPopup* GetControlPopup() const { return m_pControlPopup; }
    void SetControlPopup(CKitControlPopup* pControl) { m_pControlPopup = pControl; }
    DWORD GetPopupFlags() const { return m_dwPopupFlags; }
    void SetPopupFlags(DWORD dwFlags) { m_dwPopupFlags = dwFlags; }
    const CRect& GetExcludeRect() const { return m_rcExclude; }
    BOOL IsScrolling() const { return m_bScrolling; }
    // While scrolling: the first control shown and the one after the last.
    int GetFirstVisible() const { return m_nFirstVisible; }
    int GetEndVisible() const { return m_nEndVisible; }
    const CRect& GetScrollUpRect() const { return m_rcScrollUp; }
    const CRect& GetScrollDownRect() const { return m_rcScrollDown; }
    // Places the controls from the first visible one down (bFromTop) or from the end visible one up,
    // within the size (the client size when empty), with scroll buttons where controls are cut off.
    void ScrollLayout(CSize size, BOOL bFromTop);
    void SetMaxHeight(int nHeight) { m_nMaxHeight = nHeight; }

    BOOL GetShowShadow() const { return m_bShowShadow; }
    void SetShowShadow(BOOL bShow) { m_bShowShadow = bShow; }
    BOOL IsContextMenu() const { return m_bContextMenu; }
    // Saves or loads the bar's record with its tear-off settings.
    void DoPropExchange(CKitPropExchange* pPX) override;
    void SetContextMenu(BOOL bContextMenu) { m_bContextMenu = bContextMenu; }
    BOOL IsDoubleColumn() const override { return m_bDoubleColumnOption && m_bDoubleColumn; }
    void SetDoubleColumn(BOOL bOption, BOOL bFlag)
    {
        m_bDoubleColumnOption = bOption;
        m_bDoubleColumn = bFlag;
    }

    // Tear-off: a gripper strip at the top that drags the popup off as a floating toolbar.
    void SetTearOffPopup(LPCSTR lpszCaption, UINT nID, int nWidth = 0);
    BOOL IsTearOffPopup() const { return m_bTearOffPopup; }
    const CRect& GetTearOffRect() const { return m_rcTearOffGripper; }
    // The toolbar shown while the popup is dragged off; null before.
    CKitToolBar* GetTornOffToolBar() const { return m_pTornOffToolBar; }
    // The drag loop, run from a press on the gripper until the button goes up, Escape or capture loss.
    void TrackTearOff();
    // Whether the screen point keeps the popup (inside the gripper grown by kTearOffSnap).
    BOOL IsNearTearOffGripper(CPoint ptScreen) const;

    // The result place TrackPopupMenu gives the popup: the chosen command is stored there.
    void SetReturnCommand(UINT* pCommand) { m_pReturnCommand = pCommand; }
    BOOL HasReturnCommand() const { return m_pReturnCommand != nullptr; }
    // The popup menu's tracking flags (right button, no notify) and its nesting.
    void SetTrackFlags(UINT nFlags) { m_nTrackFlags = nFlags; }
    UINT GetTrackFlags() const { return m_nTrackFlags; }
    // The window that receives the commands of a context menu.
    void SetCommandReceiver(CWnd* pReceiver) { m_pCommandReceiver = pReceiver; }
    CWnd* GetCommandReceiver() const { return m_pCommandReceiver; }

protected:
    // The exclude rectangle, the layout and the screen rectangle, with the scroll layout when it scrolls.
    CRect CalcPlacement();
    // Sets the expanding state of the controls; personalised menus hide the rarely used ones.
    void UpdateExpandingState();
    void ShowTornOffToolBar(BOOL bShow, CPoint ptScreen);
    // A popup toolbar's rows within its borders (and tear-off strip), placed; the size.
    CSize CalcToolBarRows(CDC* pDC);
    // Drops the popup's old shadows and casts new ones when the popup, its theme and the mode allow.
    void CastShadow();
    // Shows the window at the screen rectangle (moved there when bMove) by the paint manager's open animation:
    // the screen under it first, then the bar drawn off-screen played over it.
    void ShowAnimated(const CRect& rcScreen, int nKind, BOOL bMove);
    // The paint manager gives the window the region of its look.
    void SetWindowRegion();
    static void PlayPopupSound();
    BOOL CreatePopupWindow();

    afx_msg LRESULT OnMouseActivate(WPARAM wParam, LPARAM lParam);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()

    CKitControlPopup* m_pControlPopup = nullptr;
    CPoint m_ptPopup;
    CRect m_rcExclude;
    DWORD m_dwPopupFlags = 0;
    BOOL m_bInLayout = FALSE;
    BOOL m_bHasHiddenControls = FALSE;
    BOOL m_bExpanded = FALSE;
    BOOL m_bAnimateNextShow = FALSE;
    BOOL m_bTearOffPopup = FALSE;
    CRect m_rcTearOffGripper;
    BOOL m_bTearOffHot = FALSE;
    BOOL m_bTearOffPressed = FALSE;
    CKitToolBar* m_pTornOffToolBar = nullptr;
    CString m_strTearOffCaption;
    UINT m_nTearOffId = 0;
    int m_nTearOffWidth = 0;
    BOOL m_bShowShadow = TRUE;
    CRect m_rcBorders{2, 4, 2, 4};
    BOOL m_bContextMenu = FALSE;
    BOOL m_bDoubleGripper = FALSE;
    int m_nMaxHeight = 0;
    BOOL m_bScrolling = FALSE;
    int m_nFirstVisible = 0;
    int m_nEndVisible = 0;
    CRect m_rcScrollUp;
    CRect m_rcScrollDown;
    BOOL m_bDoubleColumnOption = FALSE;
    BOOL m_bDoubleColumn = FALSE;
    UINT* m_pReturnCommand = nullptr;
    UINT m_nTrackFlags = 0;
    CWnd* m_pCommandReceiver = nullptr;
};

// A popup laid out as a toolbar: its controls in wrapped rows within its own borders.
class CKitPopupToolBar : public CKitPopupBar {
    DECLARE_DYNCREATE(CKitPopupToolBar)
public:
    // The widest a popup toolbar's rows grow.
    static constexpr int kMaxRowWidth = 322;

    CKitPopupToolBar();
    // A new popup toolbar attached to the manager.
    static CKitPopupToolBar* CreatePopupToolBar(CKitCommandBarManager* pCommandBars);
    CSize CalcDynamicLayout(int nLength, DWORD dwMode) override;
};

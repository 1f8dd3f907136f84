// CKitRibbonBar: the ribbon, a menu bar with a caption band, tabs, groups and a quick access toolbar.
#pragma once

#include "framework/geometry.h"
#include "toolkit/commandbars/menu_bar.h"
#include "toolkit/themes/ribbon/ribbon_scrollable_bar.h"

#include <vector>

class CKitCommandBarKeyboardTip;
class CKitCommandBarList;
class CKitControl;
class CKitFrameHook;
class CKitPaintManager;
class CKitPopupBar;
class CKitPropExchange;
class CKitRibbonBarControlQuickAccessPopup;
class CKitRibbonControlSystemButton;
class CKitRibbonControlTab;
class CKitRibbonPaintManager;
class CKitRibbonQuickAccessControls;
class CKitRibbonTab;
class CKitRibbonTabContextHeader;
class CKitRibbonTabPopupToolBar;

// Docks at the top of its site frame; all of it is drawn by the ribbon paint manager.
class CKitRibbonBar : public CKitMenuBar, public CKitRibbonScrollableBar {
    DECLARE_DYNCREATE(CKitRibbonBar)
public:
    // The bar's flag word: a row of its own, and no MDI menu switching.
    static constexpr DWORD kRibbonBarFlags = kitDockFullRow | kFlagNoMDISetMenu;
    // Sent to the site when the ribbon is minimised or expanded; wParam the bar.
    static constexpr UINT kMsgMinimizedChanged = 0x286D;
    // Below this length the ribbon hides.
    static constexpr int kDefaultMinimumWidth = 250;
    // Hide flags the ribbon sets: laid out away (overflow, no room, a reduced group), away with the tabs row, group
    // of a tab not selected.
    static constexpr DWORD kHideByLayout = kitHideWrap;
    static constexpr DWORD kHideWithTabs = 0x04;
    static constexpr DWORD kHideTabNotSelected = 0x80;
    // The control flags as the ribbon reads them: right-aligned in the tabs row, own enabled state under the
    // backstage view (no command-UI update), not for the quick access toolbar (nor movable).
    static constexpr DWORD kFlagTabsRowRight = kitFlagRightAlign;
    static constexpr DWORD kFlagKeepEnabled = kitFlagManualUpdate;
    static constexpr DWORD kFlagNotForQuickAccess = kitFlagNoMovable;
    // The flags of the ribbon's own popup buttons: quick access, more controls, group popup and system button.
    static constexpr DWORD kFlagsPopupButton = kFlagNotForQuickAccess | kFlagKeepEnabled;
    // Sent to the site frame to open its system menu; wParam the frame, lParam the screen point.
    static constexpr UINT kMsgPopupSystemMenu = 0x0313;
    // The caption buttons' command ids.
    static constexpr UINT kIdCaptionButtonFirst = 0xF020;
    static constexpr UINT kIdCaptionButtonLast = 0xF120;

    // The button that shows the quick access controls that did not fit.
    class CControlQuickAccessMorePopup : public CKitControlPopup {
        DECLARE_DYNCREATE(CControlQuickAccessMorePopup)
    public:
        CControlQuickAccessMorePopup() = default;
        // The ribbon painter's more-controls button; no caption.
        void Draw(CDC* pDC) override;
        // Opening takes a fresh popup of the controls that did not fit from the ribbon it belongs to.
        BOOL SetPopup(BOOL bPopup) override;
    };

    // A menu item that puts a default command on the quick access toolbar, or takes it off when it is there.
    class CControlQuickAccessCommand : public CKitControlButton {
    public:
        // Keeps a reference to the source command and to the control on the toolbar for it (may be null).
        CControlQuickAccessCommand(CKitRibbonQuickAccessControls* pQuickAccessControls, CKitControl* pSource,
                                   CKitControl* pOnToolbar);
        ~CControlQuickAccessCommand() override;
        // Runs as a button, then adds a copy of the source or removes the control, and lays the ribbon out.
        void OnExecute() override;

    private:
        CKitRibbonQuickAccessControls* m_pQuickAccessControls;
        CKitControl* m_pSource;
        CKitControl* m_pOnToolbar;
    };

    // Makes the tab strip, the quick access list and its two popup buttons.
    CKitRibbonBar();
    ~CKitRibbonBar() override;

    // The bar's command-bar paint manager, else the current one.
    CKitPaintManager* GetBarPaintManager() const;
    // The ribbon paint manager of the bar's paint manager.
    CKitRibbonPaintManager* GetRibbonPaintManager() const;

    CKitRibbonControlTab* GetControlTab() const { return m_pControlTab; }
    CKitRibbonQuickAccessControls* GetQuickAccessControls() const { return m_pQuickAccessControls; }
    // The application button; null when the ribbon has none.
    CKitRibbonControlSystemButton* GetSystemButton() const { return m_pSystemButton; }
    // Present only while the site frame is skinned; owned.
    CKitFrameHook* GetFrameHook() const { return m_pFrameHook; }

    // A new tab with the caption and id at the end of the strip.
    CKitRibbonTab* AddTab(const CString& strCaption, int nId);
    int GetTabCount() const;
    // Null out of range.
    CKitRibbonTab* GetTab(int nIndex) const;
    CKitRibbonTab* GetSelectedTab() const;
    // The selected tab's group controls show, the others' are away.
    void ShowSelectedTabGroups();
    // The next layout pass ends with an update of the controls' states.
    void SetUpdatePending() { m_bUpdatePending = TRUE; }
    // Asks the owner site (TCN_SELCHANGING) before the selected tab changes; a non-zero answer vetoes.
    virtual LRESULT OnTabChanging(CKitRibbonTab* pTab);
    // Tells the owner site (TCN_SELCHANGE) that the tab is selected.
    virtual void OnTabChanged(CKitRibbonTab* pTab);
    // A new popup with a copy of the tab's groups, for the tab strip of a minimised ribbon; the caller releases it.
    virtual CKitRibbonTabPopupToolBar* CreateTabPopupToolBar(CKitRibbonTab* pTab);

    // 2 while the tabs row is hidden, else the ribbon paint manager's tabs height.
    virtual int GetTabsHeight() const;
    // The override when positive, else three control heights.
    virtual int GetGroupsClientHeight() const;
    // The override when positive, else the client height, the group caption and 10.
    virtual int GetGroupsAreaHeight() const;
    // The groups area height while the groups show, else 0.
    virtual int GetVisibleGroupsHeight() const;
    // Whether the control may go on the quick access toolbar.
    virtual BOOL IsAllowQuickAccessControl(const CKitControl* pControl) const;
    void SetGroupsAreaHeight(int nHeight) { m_nGroupsAreaHeight = nHeight; }
    void SetGroupsClientHeight(int nHeight) { m_nGroupsClientHeight = nHeight; }
    // The caption band's height: the painter's, raised to hold a quick access toolbar above the tabs.
    int GetCaptionHeight() const;

    // The caption band is drawn: the frame is skinned or the bar draws its own caption.
    BOOL IsCaptionVisible() const { return m_pFrameHook != nullptr || m_bShowCaptionBar; }
    // Groups shown, a tab selected and the ribbon not minimised.
    BOOL IsGroupsVisible() const;
    BOOL IsTabsVisible() const { return m_bTabsVisible; }
    // Shows or hides the tabs row and lays the bar out again.
    void SetTabsVisible(BOOL bVisible);
    void SetGroupsVisible(BOOL bVisible);
    // Stores the place of the quick access toolbar and lays the bar out again.
    void ShowQuickAccessBelowRibbon(BOOL bBelow);
    void ShowQuickAccess(BOOL bShow);
    // The two quick access popups and every group-less control of the quick access list.
    BOOL IsQuickAccessControl(const CKitControl* pControl) const;
    CKitRibbonBarControlQuickAccessPopup* GetQuickAccessPopup() const { return m_pQuickAccessPopup; }
    CControlQuickAccessMorePopup* GetQuickAccessMorePopup() const { return m_pQuickAccessMorePopup; }
    // A new popup with copies of the quick access controls the layout hid for want of room, then the customize
    // button; the caller holds its reference.
    virtual CKitPopupBar* CreateMoreQuickAccessPopupBar();
    // The customize button's drop-down (for that button) or the right-click menu for the control, adjusted to
    // the control and the ribbon's state; the caller releases it. Null when the menu cannot be loaded.
    virtual CKitPopupBar* CreateContextMenu(CKitControl* pControl);
    BOOL IsAllowQuickAccessCustomization() const { return m_bAllowQuickAccessCustomization; }
    void SetAllowQuickAccessCustomization(BOOL bAllow) { m_bAllowQuickAccessCustomization = bAllow; }
    // Called by the controls when the system button leaves them.
    void ForgetSystemButton() { m_pSystemButton = nullptr; }
    // Minimises or expands; the site hears of a change.
    virtual void SetRibbonMinimized(BOOL bMinimized);
    BOOL IsAllowMinimize() const { return m_bAllowMinimize; }
    void SetAllowMinimize(BOOL bAllow) { m_bAllowMinimize = bAllow; }
    void SetMinimumWidth(int nWidth) { m_nMinimumWidth = nWidth; }
    // -1: the minimum width serves.
    void SetMinimumFrameHeight(int nHeight) { m_nMinimumFrameHeight = nHeight; }

    // The bar's height for the length; nothing laid out while the ribbon is hidden; LM_COMMIT lays out.
    CSize CalcDockLayout(int nLength, DWORD dwMode) override;
    // Lays the bar out in its window; when its height changed the frame lays its bars out again.
    void OnRecalcLayout() override;
    // Lays the ribbon out now (its frame with it when the height changed); before the window exists, at the next
    // idle update.
    void RecalcRibbonLayout();
    // The tooltip of a tab under the point first, else the control's; a group control's covers the groups.
    INT_PTR OnToolHitTest(CPoint point, TOOLINFOA* pTI) const override;
    // The hot tab is forgotten, the hot group too when tracking is or gets on; leaving tracking closes the menu of
    // the system button.
    BOOL SetTrackingMode(int nMode, BOOL bSelectFirst = TRUE, BOOL bKeyboard = FALSE) override;
    // Without an icon size of the bar or its command bars, the paint manager's automatic one.
    CSize GetAutomaticIconSize() const override;
    // The own button size, else a square of the paint manager's control height.
    CSize GetButtonSize(BOOL bAutomatic = TRUE) const override;
    // Shown or hidden as any bar; a skinned frame is laid out again when that changed.
    void SetVisible(BOOL bVisible) override;
    // With command bars: hidden while the bars show keyboard tips instead, else the bars' state.
    BOOL IsKeyboardCuesVisible() const override;
    // A control of a group of another tab selects that tab, and one scrolled away scrolls into view.
    void OnControlSelected(CKitControl* pControl) override;
    // The menu bar's switch, then a new title of a skinned frame lays the caption out again.
    void SwitchMdiMenu(HMENU hMenu) override;
    // The wheel over the ribbon (or a child of it) of an enabled site steps the selected tab, forward to the right;
    // FALSE when it is elsewhere.
    virtual BOOL OnMouseWheelBar(BOOL bForward);
    // The first group with the id, searching the tabs in order; null when none has it.
    CKitRibbonGroup* FindGroup(int nId) const;
    // A shown group scroll button wins over the controls it covers.
    CKitControl* HitTest(CPoint point, int* pIndex = nullptr) const override;
    BOOL HasRibbonCaptions() const override { return TRUE; }
    // On the composited caption band (and the tabs row of a flat frame).
    BOOL IsRectOnCompositedFrame(const CRect& rc) const override;
    // Places the caption band, system button, quick access and tabs-row controls, tab strip and groups.
    virtual void RepositionControls(int nWidth, int nHeight);
    // While the backstage view is open every control but the system button, the caption buttons and those
    // keeping their own state is disabled.
    int GetControlsEnabledOverride(const CKitControl* pControl) const override;
    // Asks nothing and restores nothing: tells the site (0x2864) and lays the bar out again.
    void Reset(BOOL bAsk) override;
    // Drops the frame hook, the quick access controls and the tabs, then leaves as any bar.
    void OnRemoved() override;
    // Background, caption band, groups area, tab strip, the selected tab's groups, then the loose controls.
    void DrawCommandBar(CDC* pDC, CRect rcClip) override;
    // Rebuilds the context headers and fits them into the caption's free part.
    void RepositionContextHeaders();
    // The non-client code of a caption point (bar coordinates): HTCAPTION, HTSYSMENU, HTTOP, or 0.
    int HitTestCaption(CPoint point) const;
    // The context header under the point, or null.
    CKitRibbonTabContextHeader* HitTestContextHeader(CPoint point) const;
    // The frame window whose caption the ribbon draws: the skinned frame, else the bar's site.
    CWnd* GetFrameWindow() const;
    // The site frame has the WS_MAXIMIZE style.
    BOOL IsFrameMaximized() const;
    CString GetTitleText() const { return m_strTitleText; }
    // The icon of a command added to the quick access toolbar without one; -1 none.
    int GetQuickAccessDefaultIconId() const { return m_nQuickAccessDefaultIconId; }
    void SetQuickAccessDefaultIconId(int nId) { m_nQuickAccessDefaultIconId = nId; }
    BOOL IsAllowQuickAccessDuplicates() const { return m_bAllowQuickAccessDuplicates; }
    void SetAllowQuickAccessDuplicates(BOOL bAllow) { m_bAllowQuickAccessDuplicates = bAllow; }
    // Shows the menu for the control at the screen point when it has a visible item and runs the chosen
    // command through the ribbon's execute message; FALSE when nothing was shown.
    BOOL ShowContextMenu(CKitControl* pControl, CPoint ptScreen);
    // The quick access menus' own commands (customize, places, minimise) come back to the ribbon.
    BOOL OnTrackedCommand(UINT nId) override;
    // The hot group and the hot tab follow the mouse while nothing else tracks it.
    void OnMouseMoveBar(UINT nFlags, CPoint point) override;
    void OnMouseLeaveBar() override;
    // The ribbon flags, the quick access place and list; the toolbar's own state, the system button and the
    // tabs only when customizable.
    void DoPropExchange(CKitPropExchange* pPX) override;
    // The menu bar's settings and loose controls, then the quick access place, the minimised state, the tabs
    // with their groups, the system button and the quick access controls; the bar's own parts stay.
    void Copy(const CKitCommandBar* pSource, BOOL bRecursive) override;
    // A loaded layout: all of Copy when it was stored customizable, else only what it stored, the quick access
    // place and controls and the minimised state.
    void CopyFromBar(const CKitCommandBar* pSource) override;
    // A customizable ribbon as any bar; otherwise the bar and the popups of its quick access controls only.
    void GenerateCommandBarList(DWORD& nNextId, CKitCommandBarList* pList, DWORD dwFlags) override;
    void RestoreCommandBarList(CKitCommandBarList* pList) override;
    // Replaces the system button by the given one (taking over its reference) at the front; null leaves none.
    void SetSystemButton(CKitRibbonControlSystemButton* pButton);
    BOOL IsQuickAccessBelowRibbon() const { return m_bQuickAccessBelow; }
    BOOL IsQuickAccessVisible() const { return m_bQuickAccessVisible; }
    // The quick access toolbar shows at least one control.
    BOOL HasVisibleQuickAccessControl() const;
    BOOL IsRibbonMinimized() const { return m_bMinimized; }
    // The system button is open with its backstage view.
    BOOL IsBackstageViewVisible() const;
    // The last size test found the bar long enough and its site high enough.
    BOOL IsRibbonVisible() const { return m_bRibbonVisible; }
    // Whether the skinned site frame is drawn through desktop composition.
    virtual BOOL IsDwmEnabled() const;

    // Rectangles of the last layout, in bar coordinates.
    CRect GetCaptionRect() const { return m_rcCaption; }
    CRect GetTitleRect() const { return m_rcTitle; }
    CRect GetTabControlRect() const { return m_rcTabControl; }
    CRect GetGroupsRect() const override { return m_rcGroups; }
    // One step of 40 pixels; never before the first group.
    void ScrollGroups(BOOL bRight) override;
    // A group of the selected tab while the groups show; none on a shown scroll button.
    CKitRibbonGroup* HitTestGroup(CPoint point) const override;
    CRect GetQuickAccessRect() const { return m_rcQuickAccess; }
    CRect GetCaptionFreeRect() const { return m_rcCaptionFree; }
    int GetQuickAccessHeight() const { return m_nQuickAccessHeight; }

    // Keyboard access: Alt, quick access digits and tab mnemonics; not handled while Ctrl is held.
    BOOL ProcessAccelerator(UINT nKey) override;
    // Runs a chosen tip: a control gets its keyboard-tip action, a tab is selected by the keyboard.
    void OnKeyboardTip(CKitCommandBarKeyboardTip* pTip) override;
    // Tips of the command bars' tip level: quick access, tabs, system button (1) or the selected tab's groups (2).
    void CreateKeyboardTips() override;
    // Arrow keys move the selection to the nearest control in that direction; TRUE when taken.
    virtual BOOL ProcessSpecialKey(int nCode);
    // Keys but Escape show the keyboard cues; the arrow navigation comes before the menu bar's.
    BOOL OnKeyDownBar(int nCode) override;
    // While tracking: the context menu key opens the selected control's menu, the wheel steps the selected tab
    // when no popup or tip shows, F10 ends tracking.
    int OnHookMessage(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam, LRESULT& lResult) override;

    int GetContextHeaderCount() const { return static_cast<int>(m_arrContextHeaders.size()); }
    // Throws the invalid-argument exception out of range.
    CKitRibbonTabContextHeader* GetContextHeader(int nIndex) const;

protected:
    // Empties and deletes the context headers.
    void RemoveContextHeaders();
    // The quick access height: the button height or the tallest shown quick access control, plus 4.
    int CalcQuickAccessHeight();
    // Places the quick access controls from the x cursor up to the right limit; the final x cursor.
    int RepositionQuickAccess(CDC* pDC, int nLeft, int nRightLimit, BOOL bInCaption, BOOL bSystemButtonInTabs,
                              BOOL bHidden);
    // A context header selects its first tab, the caption moves, sizes or opens the frame's system menu, the tab
    // strip selects (a minimised ribbon's tab opens its popup); a click on the selected tab arms the minimise toggle.
    afx_msg void OnLButtonDownRibbon(UINT nFlags, CPoint point);
    // The caption's double click goes to the frame; one on the selected tab minimises or expands.
    afx_msg void OnLButtonDblClkRibbon(UINT nFlags, CPoint point);
    // Commands 9608-9610: the quick access toolbar below the ribbon, or above it.
    afx_msg void OnQuickAccessPlace(UINT nId);
    // Made as any bar, then watches the site frame as a menu bar does.
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    // Whether Ctrl is down; tests replace it.
    virtual BOOL IsCtrlKeyDown() const;
    // Tracks the menu at the screen point and answers the chosen command, 0 when dismissed; tests replace it.
    virtual UINT TrackContextMenu(CKitPopupBar* pMenu, CPoint ptScreen);
    // On a composited frame, the desktop window manager's hit code for the screen point; FALSE when it
    // gives none. Tests replace it.
    virtual BOOL HitTestComposited(CPoint ptScreen, LRESULT* pnCode);
    // Runs a command of the ribbon's menus: the execute message to the ribbon, then WM_COMMAND when unanswered.
    void ExecuteMenuCommand(UINT nId, CKitControl* pItem);
    // Places the caption buttons of a skinned frame and the title in the caption band.
    void RepositionCaptionButtons(CDC* pDC);
    // Adds, places, enables or removes the caption button of the system command; the x left of it.
    int PlaceCaptionButton(UINT nCommand, BOOL bWanted, BOOL bEnabled, int nRight, int nSide);
    void RemoveCaptionButtons();
    // Ends tracking; off the caption the control under the point gets the press.
    afx_msg void OnRButtonDownRibbon(UINT nFlags, CPoint point);
    // The caption opens the frame's system menu; a control is offered to the site (0x2859), then gets the quick
    // access menu; a group's caption band or the quick access toolbar's free part get theirs.
    afx_msg void OnRButtonUpRibbon(UINT nFlags, CPoint point);
    // Over the caption's sizing band the frame sets its sizing cursor.
    afx_msg BOOL OnSetCursorRibbon(CWnd* pWnd, UINT nHitTest, UINT message);
    // On a composited frame the system's caption buttons show through.
    afx_msg LRESULT OnNcHitTestRibbon(WPARAM wParam, LPARAM lParam);
    // A skinned frame is laid out again when the bar shows or hides.
    afx_msg void OnShowWindowRibbon(BOOL bShow, UINT nStatus);
    // Metrics and tab sizes follow the new system colours and fonts.
    afx_msg void OnSysColorChangeRibbon();
    // The execute message of the ribbon's menus: wParam the command, lParam the execute record.
    afx_msg LRESULT OnExecuteRibbon(WPARAM wParam, LPARAM lParam);
    // Selects the tab, tracks by the keyboard on the tab strip, then opens its popup or shows the group tips.
    void SelectTabByKeyboard(CKitRibbonTab* pTab);
    // Selects the next visible and enabled tab to the right (bRight) or to the left; nothing at the end.
    void StepSelectedTab(BOOL bRight);
    // The wheel over the ribbon's window.
    afx_msg BOOL OnMouseWheelRibbon(UINT nFlags, short zDelta, CPoint point);
    DECLARE_MESSAGE_MAP()

    CRect m_rcTabControl;
    CRect m_rcGroups;
    CRect m_rcCaption;
    CRect m_rcTitle;
    CRect m_rcQuickAccess;
    CRect m_rcCaptionFree;
    BOOL m_bGroupsVisible = TRUE;
    BOOL m_bTabsVisible = TRUE;
    BOOL m_bQuickAccessBelow = FALSE;
    BOOL m_bQuickAccessVisible = TRUE;
    int m_nQuickAccessHeight = 0;
    CKitRibbonQuickAccessControls* m_pQuickAccessControls;
    CKitRibbonControlTab* m_pControlTab;
    CKitRibbonControlSystemButton* m_pSystemButton = nullptr;
    CKitFrameHook* m_pFrameHook = nullptr;
    std::vector<CKitRibbonTabContextHeader*> m_arrContextHeaders;
    BOOL m_bMinimized = FALSE;
    BOOL m_bRibbonVisible = TRUE;
    BOOL m_bShowCaptionBar = TRUE;
    BOOL m_bAllowMinimize = TRUE;
    BOOL m_bAllowQuickAccessDuplicates = FALSE;
    BOOL m_bAllowQuickAccessCustomization = TRUE;
    BOOL m_bUpdatePending = FALSE;
    BOOL m_bSelectedTabClicked = FALSE;
    int m_nMinimumWidth = kDefaultMinimumWidth;
    int m_nMinimumFrameHeight = -1;
    int m_nGroupsAreaHeight = 0;
    int m_nGroupsClientHeight = 0;
    CKitRibbonBarControlQuickAccessPopup* m_pQuickAccessPopup;
    CControlQuickAccessMorePopup* m_pQuickAccessMorePopup;
    CString m_strTitleText;
    int m_nQuickAccessDefaultIconId = -1;
};

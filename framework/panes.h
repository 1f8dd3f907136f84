// CMFCMenuBar, CMFCToolBar, CMFCStatusBar, CDockablePane, CMFCVisualManager: the bars and panes of frames with
// the extended look.
#pragma once

#include "framework/controlbar.h"
#include "framework/statusbar.h"

#include <memory>
#include <vector>

// Ids of the extended frame's own bars.
#define AFX_IDW_MENUBAR 0xE81A

// Pane styles of the docking panes (recorded; the panes dock where they are put).
constexpr DWORD AFX_CBRS_FLOAT = 0x0001;
constexpr DWORD AFX_CBRS_AUTOHIDE = 0x0002;
constexpr DWORD AFX_CBRS_RESIZE = 0x0004;
constexpr DWORD AFX_CBRS_CLOSE = 0x0008;
constexpr DWORD AFX_DEFAULT_DOCKING_PANE_STYLE = AFX_CBRS_FLOAT | AFX_CBRS_AUTOHIDE | AFX_CBRS_RESIZE | AFX_CBRS_CLOSE;
constexpr DWORD AFX_CBRS_REGULAR_TABS = 0x0000;
constexpr DWORD CBRS_FLOAT_MULTI = 0x0080L;
constexpr DWORD CBRS_LEFT = CBRS_ALIGN_LEFT | CBRS_BORDER_RIGHT;

// The look of the bars: which manager draws them.
class CMFCVisualManager : public CObject {
    DECLARE_DYNCREATE(CMFCVisualManager)
public:
    static void SetDefaultManager(CRuntimeClass* pRTI);
    static CRuntimeClass* GetDefaultManager();
};

class CMFCVisualManagerWindows : public CMFCVisualManager {
    DECLARE_DYNCREATE(CMFCVisualManagerWindows)
};

class CMFCToolBar;

// Popup menus of the bars. An object is a menu being filled, such as the pane of a toolbar's customize
// button that lists the buttons the user may add or remove.
class CMFCPopupMenu {
public:
    CMFCPopupMenu();
    ~CMFCPopupMenu();
    CMFCPopupMenu(const CMFCPopupMenu&) = delete;
    CMFCPopupMenu& operator=(const CMFCPopupMenu&) = delete;

    // Appends an item; a separator for ID_SEPARATOR.
    void InsertItem(UINT nID, LPCSTR lpszText, BOOL bChecked = FALSE);
    // One checked item per button of the toolbar's resource, checked while the bar shows it.
    void AddDefaultButtons(const CMFCToolBar& toolBar);
    HMENU GetHMenu() const { return m_hMenu; }
    // Hands the menu over to the caller.
    HMENU Detach();

    // Whether a popup menu takes the keyboard focus when it opens.
    static void SetForceMenuFocus(BOOL bValue) { s_forceMenuFocus = bValue; }
    static BOOL GetForceMenuFocus() { return s_forceMenuFocus; }
    // Menu looks chosen in the customisation dialog (kept for the menus of the bars).
    enum ANIMATION_TYPE { NO_ANIMATION, UNFOLD, SLIDE, FADE };
    static void SetAnimationType(ANIMATION_TYPE type) { s_animation = type; }
    static ANIMATION_TYPE GetAnimationType() { return s_animation; }
    static void SetMenuShadows(BOOL bShadows) { s_shadows = bShadows; }
    static BOOL GetMenuShadows() { return s_shadows; }

private:
    HMENU m_hMenu;
    static inline BOOL s_forceMenuFocus = TRUE;
    static inline ANIMATION_TYPE s_animation = NO_ANIMATION;
    static inline BOOL s_shadows = TRUE;
};

// The frame's menu shown as a bar of buttons; a click opens the item's popup, whose commands go to the frame.
class CMFCMenuBar : public CControlBar {
    DECLARE_DYNAMIC(CMFCMenuBar)
public:
    // Takes the menu of pParentWnd (removed from its window) and shows its top-level items.
    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP, UINT nID = AFX_IDW_MENUBAR);
    void SetPaneStyle(DWORD dwStyle) { SetBarStyle(dwStyle); }
    DWORD GetPaneStyle() const { return GetBarStyle(); }
    // The menu shown.
    HMENU GetHMenu() const { return m_hMenu; }
    void EnableDocking(DWORD dwDockStyle) { m_dockStyle = dwDockStyle; }
    // Opens the popup of top-level item nIndex below its button.
    void ShowPopup(int nIndex);

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void OnUpdateCmdUI(CCmdTarget* pTarget, BOOL bDisableIfNoHndler) override;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    HMENU m_hMenu = nullptr;
    DWORD m_dockStyle = 0;
};

// A toolbar with a caption and a customize button. Its buttons can be added, moved and removed: by dragging
// them while the customisation dialog is open (or with Alt held, when quick customisation is on), by
// dragging commands from that dialog, and from the customize button's menu.
class CMFCToolBar : public CToolBar {
    DECLARE_DYNAMIC(CMFCToolBar)
public:
    // Loads the buttons and keeps them as the bar's default set.
    BOOL LoadToolBar(UINT nIDResource) override;
    // The same; a locked bar (bLocked) keeps its buttons: customisation neither takes nor adds any. The other
    // resources are not used.
    BOOL LoadToolBar(UINT nIDResource, UINT uiColdResID, UINT uiMenuResID, BOOL bLocked);
    BOOL IsLocked() const { return m_bLocked; }
    // A bar made at run time by the user, without a resource (the frame deletes it).
    void SetUserToolBar() { m_bUserToolBar = true; }
    bool IsUserToolBar() const { return m_bUserToolBar; }
    // The buttons of the resource, in order.
    const std::vector<UINT>& GetDefaultButtons() const { return m_defaultIds; }

    // Inserts a button for command nID before nIndex (at the end for -1); ID_SEPARATOR makes a separator.
    // A command without a picture of the bar's shows its text.
    BOOL InsertButton(UINT nID, int nIndex = -1);
    BOOL RemoveButton(int nIndex);
    // Moves button nFrom so that it stands before the button now at nTo (-1: the end).
    BOOL MoveButton(int nFrom, int nTo);
    // Puts the default buttons back.
    void RestoreOriginalState();
    // Shows or hides the text of every button beside its picture.
    void SetShowTextLabels(BOOL bShow);
    BOOL AreTextLabels() const { return m_bTextLabels; }
    // The button under a point of the bar's client area, or -1.
    int HitTest(CPoint point) const;

    // The menu of the customize button: the buttons to add or remove (filled by the frame's customize-pane
    // hook, else from the bar's own buttons), "Reset Toolbar", and the customize command.
    HMENU BuildCustomizeMenu();
    // Carries out an item of that menu; FALSE for an item that is not the bar's.
    BOOL OnCustomizeMenuCommand(UINT nID);
    // Opens the customize button's menu below the button.
    void ShowCustomizeMenu();
    // The customize menu's own items.
    static constexpr UINT kResetToolbarCommand = 0xE7F0;
    static constexpr UINT kAddRemoveButtonsPopup = 0xE7F1;

    // While the customisation dialog is open, every bar's buttons are moved instead of pressed.
    static void SetCustomizeMode(BOOL bSet) { s_customizeMode = bSet; }
    static BOOL IsCustomizeMode() { return s_customizeMode; }
    // Whether the bars of the main window show their tips, and the shortcut keys in them.
    static void SetShowTooltips(BOOL bShow);
    static BOOL GetShowTooltips() { return s_showTooltips; }
    static void SetShowShortcutKeys(BOOL bShow) { s_showShortcutKeys = bShow; }
    static BOOL GetShowShortcutKeys() { return s_showShortcutKeys; }
    // The bar under a point of the screen, or null.
    static CMFCToolBar* FromScreenPoint(CPoint point);
    // Puts button nIndex where a drag released it: before the button under the point of this or another
    // bar, at a bar's end, or off the bar when the point is on no bar; released on a locked bar it stays.
    void DropButton(int nIndex, CPoint screenPoint);
    // The same on a known bar (null: off every bar).
    void DropButtonOn(int nIndex, CMFCToolBar* pTarget, CPoint screenPoint);
    // A menu item's text without its mnemonic marks and accelerator.
    static CString StripMenuText(LPCSTR text);

    void SetPaneStyle(DWORD dwStyle) { SetBarStyle(dwStyle); }
    DWORD GetPaneStyle() const { return GetBarStyle(); }
    // The customize command offered at the toolbar's end, and its text.
    void EnableCustomizeButton(BOOL bEnable, int iCustomizeCmd, const CString& strCustomizeText);
    int GetCustomizeCommand() const { return m_customizeCommand; }
    const CString& GetCustomizeText() const { return m_customizeText; }
    void EnableDocking(DWORD dwDockStyle) { m_dockStyle = dwDockStyle; }
    DWORD GetEnabledAlignment() const { return m_dockStyle; }

    // Images of toolbar resource uiResID offered to the menus.
    static BOOL AddToolBarForImageCollection(UINT uiResID, UINT uiBmpResID = 0, UINT uiColdResID = 0,
                                             UINT uiMenuResID = 0, UINT uiDisabledResID = 0,
                                             UINT uiMenuDisabledResID = 0);
    static const std::vector<UINT>& GetImageCollections() { return s_imageCollections; }
    // Alt+drag moves buttons between toolbars.
    static void EnableQuickCustomization(BOOL bEnable = TRUE) { s_quickCustomization = bEnable; }
    static BOOL IsQuickCustomization() { return s_quickCustomization; }

protected:
    // A flat toolbar leaves its background to the parent: the bar paints it itself.
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    // Dragging a button (customisation): the press takes the button, the release puts it where it ends.
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnCaptureChanged(CWnd* pWnd);
    // TBN_DROPDOWN of the customize button.
    afx_msg void OnDropDown(NMHDR* pNMHDR, LRESULT* pResult);

    DECLARE_MESSAGE_MAP()

public:
    // The text of a command: the tip of its string, else its prompt, else the main window menu's item text.
    static CString GetCommandText(UINT nID);

private:
    // (Re)appends the customize button behind the bar's own buttons.
    void AddCustomizeButton();
    void RemoveCustomizeButton();
    // Lays the frame out again after the buttons changed.
    void ButtonsChanged();
    // Sets or clears the styles that show text beside the pictures.
    void UpdateTextStyle(bool bText);

    int m_customizeCommand = 0;
    CString m_customizeText;
    DWORD m_dockStyle = 0;
    std::vector<UINT> m_defaultIds;
    bool m_bUserToolBar = false;
    BOOL m_bLocked = FALSE;
    BOOL m_bTextLabels = FALSE;
    bool m_bHasCustomizeButton = false;
    // The buttons' size before any showed text (width in the low word).
    DWORD m_pictureButtonSize = 0;
    int m_dragIndex = -1;
    static inline BOOL s_customizeMode = FALSE;
    static inline BOOL s_showTooltips = TRUE;
    static inline BOOL s_showShortcutKeys = TRUE;
    static inline std::vector<UINT> s_imageCollections;
    static inline BOOL s_quickCustomization = FALSE;
};

// The registered message with which the customisation dialog asks the frame for a new user toolbar; lParam
// is the toolbar's name, the result the new CMFCToolBar or 0.
extern const UINT AFX_WM_CREATETOOLBAR;

class CMFCStatusBar : public CStatusBar {
    DECLARE_DYNAMIC(CMFCStatusBar)
};

class CDockablePane;

// The floating frame of a pane: a small tool window, owned by the main frame, that holds the pane.
// A double click on its caption docks the pane again; closing it hides the pane.
class CMultiPaneFrameWnd : public CWnd {
    DECLARE_DYNAMIC(CMultiPaneFrameWnd)
public:
    BOOL Create(CDockablePane* pPane, CWnd* pOwner, const CRect& rect);
    CDockablePane* GetPane() const { return m_pPane; }

protected:
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnClose();
    afx_msg LRESULT OnNcLButtonDblClkMessage(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    CDockablePane* m_pPane = nullptr;
};

// The strip along an edge of the frame that holds a tab for each pane in auto-hide: pointing at a tab or
// clicking it slides its pane out over the views.
class CMFCAutoHideBar : public CControlBar {
    DECLARE_DYNAMIC(CMFCAutoHideBar)
public:
    BOOL Create(CWnd* pParentWnd, DWORD dwAlignment);
    void AddPane(CDockablePane* pPane);
    void RemovePane(CDockablePane* pPane);
    bool IsEmpty() const { return m_panes.empty(); }
    const std::vector<CDockablePane*>& GetPanes() const { return m_panes; }
    // The tab of pane nIndex in client coordinates.
    CRect GetTabRect(int nIndex) const;

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void OnUpdateCmdUI(CCmdTarget* pTarget, BOOL bDisableIfNoHndler) override;

    static constexpr int kWidth = 24;

protected:
    afx_msg void OnPaint();
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()

private:
    int TabAt(CPoint point) const;

    std::vector<CDockablePane*> m_panes;
};

// A pane docked at an edge of its frame, with a caption (its window text and small icon) above its client
// area. The caption's buttons close the pane and pin it: unpinned, the pane hides behind a tab at the
// frame's edge (auto-hide) and slides out from there. A double click on the caption floats the pane in a
// frame of its own; the inner edge of a docked pane sizes it.
class CDockablePane : public CControlBar {
    DECLARE_DYNAMIC(CDockablePane)
public:
    ~CDockablePane() override;

    // rect gives the docked width (left or right) or height (top or bottom).
    BOOL Create(LPCSTR lpszCaption, CWnd* pParentWnd, const RECT& rect, BOOL bHasGripper, UINT nID, DWORD dwStyle,
                DWORD dwTabbedStyle = AFX_CBRS_REGULAR_TABS, DWORD dwControlBarStyle = AFX_DEFAULT_DOCKING_PANE_STYLE);
    void SetIcon(HICON hIcon, BOOL bBigIcon);
    HICON GetIcon() const { return m_hIcon; }
    void EnableDocking(DWORD dwDockStyle) { m_dockStyle = dwDockStyle; }
    DWORD GetEnabledAlignment() const { return m_dockStyle; }
    DWORD GetControlBarStyle() const { return m_controlBarStyle; }
    // Height of the caption above the client area.
    static int CaptionHeight();

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void OnUpdateCmdUI(CCmdTarget* pTarget, BOOL bDisableIfNoHndler) override;
    bool IsLaidOutByParent() const override { return m_mode == Mode::docked; }

    // Floats the pane in its own frame near where it was docked (FALSE when its style forbids it).
    BOOL FloatPane();
    // Docks a floating or auto-hidden pane at its edge again.
    BOOL DockPaneBack();
    // Unpinned: the pane hides behind a tab on the frame's auto-hide bar; pinned: docked again.
    BOOL SetAutoHideMode(BOOL bMode);
    BOOL IsFloating() const { return m_mode == Mode::floating; }
    BOOL IsAutoHideMode() const { return m_mode == Mode::autoHide; }
    CMultiPaneFrameWnd* GetFloatingFrame() const { return m_floatingFrame.get(); }
    // Shows an auto-hidden pane over the views, beside its tab, until the mouse and the focus leave it.
    void SlideOut();
    // Hides a slid-out pane again when neither the mouse nor the focus is on it or its tab.
    void CheckAutoHide();
    // The same with the mouse at a point of the screen.
    void CheckAutoHide(CPoint cursor);
    BOOL IsSlidOut() const { return m_mode == Mode::autoHide && IsWindowVisible(); }
    // Shows or hides the pane wherever it is: docked, floating or behind its tab.
    void ShowPane(BOOL bShow);
    BOOL IsPaneVisible() const;
    // The caption's buttons in window coordinates: 0 close, 1 pin.
    CRect GetCaptionButtonRect(int nButton) const;

protected:
    // The caption and the inner gap lie outside the client area.
    afx_msg LRESULT OnNcCalcSizeMessage(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnNcPaintMessage(WPARAM wParam, LPARAM lParam);
    // The caption buttons, the caption and the sizing edge.
    afx_msg LRESULT OnNcHitTestMessage(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnNcLButtonDownMessage(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnNcLButtonDblClkMessage(WPARAM wParam, LPARAM lParam);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnCaptureChanged(CWnd* pWnd);
    afx_msg void OnTimer(UINT_PTR nIDEvent);

    DECLARE_MESSAGE_MAP()

private:
    enum class Mode { docked, floating, autoHide };
    // The frame the pane docks in.
    CFrameWnd* GetDockFrame() const;
    void RelayoutFrame() const;
    int InnerGap() const;

    CSize m_size;
    HICON m_hIcon = nullptr;
    DWORD m_dockStyle = 0;
    DWORD m_controlBarStyle = 0;
    Mode m_mode = Mode::docked;
    HWND m_hDockFrame = nullptr;
    std::unique_ptr<CMultiPaneFrameWnd> m_floatingFrame;
    bool m_bSizing = false;
};

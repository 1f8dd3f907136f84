// CKitCommandBarsOptions, CKitCommandBarManager: the owner of all command bars of a frame, with their shared options.
#pragma once

#include "framework/geometry.h"
#include "framework/msgmap.h"

#include <windows.h>

#include <vector>

class CKitBarPainter;
class CKitCommandBar;
class CKitControl;
class CKitCommandBarKeyboardTip;
class CKitControlActions;
class CKitControls;
class CKitDockBar;
class CKitKeyboardManager;
class CKitMenuBar;
class CKitMouseManager;
class CKitPopupBar;
class CKitPropExchange;
class CKitToolBar;
class CWnd;
struct CRuntimeClass;

// The skinned frame of a manager's site as the bars' painters ask it; the frame hook fills it.
class CKitFrameState {
public:
    virtual BOOL IsComposited() const = 0;
    // The glass reaches over the top dock bar.
    virtual BOOL IsGlassOverTopDock() const = 0;

protected:
    ~CKitFrameState() = default;
};

// The options all bars of a manager share.
struct CKitCommandBarsOptions {
    // Icon sizes; 0 x 0 lets the bars choose.
    CSize szIcons;
    CSize szLargeIcons;
    // The toolbars' button size; 0 x 0 lets the bars choose.
    CSize szButtons;
    BOOL bShowTextBelowIcons = FALSE;
    // Bars lay out right to left when the site frame does not say so itself.
    BOOL bRightToLeft = FALSE;
    // Controls whose command has no handler in the site are disabled.
    BOOL bDisableIfNoHandler = TRUE;
    // Selected controls send their descriptions to the status bar.
    BOOL bShowStatusText = TRUE;
    // Mnemonics underlined at all times instead of from the keyboard on.
    BOOL bShowKeyboardCues = FALSE;
    // Popups open expanded after a delay.
    BOOL bDelayedExpand = FALSE;
    // Docked toolbars show their expand button even when everything fits.
    BOOL bAlwaysShowExpandButton = FALSE;
    // Floating bars hide while their frame is not active, and show again with it.
    BOOL bHideFloatingBarsWithFrame = TRUE;
    // A double click on a docked bar floats it.
    BOOL bDblClickFloat = TRUE;
    // The menu bar keeps one set of controls per document type.
    BOOL bPerDocumentMenus = TRUE;
    // Saved bars carry their built-in controls, so that a later load sees what changed.
    BOOL bSaveOriginalControls = TRUE;
    // Hovering a popup's expand button with the mouse expands it.
    BOOL bExpandAfterHover = FALSE;
    // Popups too tall for the work area break into columns instead of scrolling.
    BOOL bWrapPopups = FALSE;
    // Bars show keyboard tips.
    BOOL bEnableKeyboardTips = TRUE;
    // Popups never hide their rarely used controls.
    BOOL bAlwaysShowFullMenus = TRUE;
    // The popups' open animation: 0 as the system's menus, 1 at random, else the kind itself (KitPopupAnimation).
    int nAnimationType = 0;
    // Controls show the shortcut of their command from the site frame's accelerator table.
    BOOL bAutoShortcuts = TRUE;
    // Context menus (popup roots) show those shortcuts too.
    BOOL bShortcutsInContextMenus = TRUE;
    // Bars show tooltips; popup bars only with the second option (or for controls that ask).
    BOOL bShowTooltips = TRUE;
    BOOL bTooltipsInPopups = FALSE;
    // Tooltips end with the control's shortcut in brackets.
    BOOL bShortcutsInTooltips = TRUE;
};

class CKitCommandBarManager : public CCmdTarget {
    DECLARE_DYNAMIC(CKitCommandBarManager)
public:
    CKitCommandBarManager();
    ~CKitCommandBarManager() override;
    CKitCommandBarManager(const CKitCommandBarManager&) = delete;
    CKitCommandBarManager& operator=(const CKitCommandBarManager&) = delete;

    // The frame that receives the bars' commands.
    CWnd* GetSite() const { return m_pSite; }
    // The frame hook of a skinned site, or null; not owned.
    CKitFrameState* GetFrameHook() const { return m_pFrameHook; }
    void SetFrameHook(CKitFrameState* pFrameHook) { m_pFrameHook = pFrameHook; }
    // TRUE when the site's frame hook is composited with its glass over the top dock bar.
    BOOL TestOptionFlags() const
    {
        return m_pFrameHook != nullptr && m_pFrameHook->IsComposited() && m_pFrameHook->IsGlassOverTopDock();
    }
    void SetSite(CWnd* pSite) { m_pSite = pSite; }
    CKitCommandBarsOptions* GetCommandBarsOptions() { return &m_options; }
    const CKitCommandBarsOptions* GetCommandBarsOptions() const { return &m_options; }

    // The list of bars the manager owns.
    int GetCount() const { return static_cast<int>(m_bars.size()); }
    // The bar at the index, or null out of range.
    CKitCommandBar* GetAt(int nIndex) const;
    // Creates the menu bar (once) as a child of the site with the menu's items.
    CKitMenuBar* SetMenu(LPCSTR lpszTitle, UINT nIDMenu);
    CKitMenuBar* GetMenuBar() const { return m_pMenuBar; }
    // Creates a toolbar (of the class when given: a kind of toolbar) as a child of the site, docked at the
    // position; null when the class is no creatable toolbar or the window fails.
    CKitToolBar* Add(LPCSTR lpszTitle, int nPosition, CRuntimeClass* pBarClass = nullptr);
    // Takes a bar made elsewhere into the list (one reference).
    void AddCommandBar(CKitCommandBar* pBar);
    // Removes the bar from the list and lets it go.
    void Remove(CKitCommandBar* pBar);
    void RemoveAll();

    // Created bar windows register here while they live.
    void RegisterBar(CKitCommandBar* pBar);
    void UnregisterBar(CKitCommandBar* pBar);
    BOOL IsRegistered(const CKitCommandBar* pBar) const;

    // The manager's paint manager, else the global one.
    CKitBarPainter* GetPaintManager() const;
    // Takes over the reference; the one held before is released.
    void SetPaintManager(CKitBarPainter* pPaintManager);
    // The calling thread's mouse manager.
    CKitMouseManager* GetMouseManager() const;
    // The calling thread's keyboard manager.
    CKitKeyboardManager* GetKeyboardManager() const;
    // Ends tracking of every bar the mouse manager tracks.
    void ClosePopups();
    // Moves keyboard tracking from the bar to the next visible bar in the step's direction (wrapping);
    // whether a bar took it.
    BOOL SetFocusToNextBar(CKitCommandBar* pBar, int nStep);
    // The text of the first accelerator of the site frame's table that gives the command ("Ctrl+S");
    // FALSE when none does.
    virtual BOOL FindShortcutText(UINT nId, CString& strText) const;
    // The resource id of the site frame's active document's template; 0 without one.
    virtual UINT GetActiveDocTemplate() const;
    // Shows the popup as a modal menu at the screen point (TPM_* flags); with TPM_RETURNCMD the chosen
    // command (0 when dismissed), else 1. The receiver gets the commands; 0 without a popup.
    UINT TrackPopupMenu(CKitPopupBar* pPopup, UINT nFlags, int x, int y, CWnd* pSite = nullptr,
                        LPCRECT lpExclude = nullptr, CWnd* pReceiver = nullptr);

    // The bars' context menu at the screen point: the toolbars list, tracked as a popup menu; FALSE when
    // no bar offers itself there.
    BOOL ContextMenu(CPoint ptScreen);
    // Inserts one temporary item per toolbar whose context-menu and closeable settings are on (checked
    // while it shows) before the index (-1: at the end); the first begins a group with bBeginGroup.
    // The number of items added.
    int AddToolbarItems(CKitControls* pControls, int nBefore, BOOL bBeginGroup);
    // Closes the popups and shows or hides the bar at the index of the bar list.
    void ToggleBarVisible(int nIndex);

    // The commands of the personalised menus that count as used: their controls are never hidden as rarely used.
    void SetCommandUsed(UINT nId);
    BOOL IsCommandUsed(UINT nId) const;

    // Keyboard tips on show, and the bar they belong to.
    const std::vector<CKitCommandBarKeyboardTip*>& GetKeyboardTips() const { return m_keyboardTips; }
    CKitCommandBar* GetKeyboardTipsBar() const { return m_pKeyboardTipsBar; }
    void SetKeyboardTipsBar(CKitCommandBar* pBar) { m_pKeyboardTipsBar = pBar; }
    // Takes over the tip (its window not yet made).
    void AddKeyboardTip(CKitCommandBarKeyboardTip* pTip) { m_keyboardTips.push_back(pTip); }
    // Destroys and deletes every tip and forgets their bar.
    void HideKeyboardTips();
    // The level of the tips a ribbon makes: 1 its top level, 2 the groups of its selected tab.
    int GetKeyboardTipLevel() const { return m_nKeyboardTipLevel; }
    void SetKeyboardTipLevel(int nLevel) { m_nKeyboardTipLevel = nLevel; }
    // The characters typed so far towards the tips on show; hiding the tips starts again.
    const CString& GetKeyboardTipTyped() const { return m_strKeyboardTipTyped; }
    void SetKeyboardTipTyped(const CString& strTyped) { m_strKeyboardTipTyped = strTyped; }
    // The site frame has WS_EX_LAYOUTRTL, else the right-to-left option.
    BOOL IsLayoutRTL() const;

    BOOL IsCustomizeMode() const { return m_bCustomizeMode; }
    void SetCustomizeMode(BOOL bMode);
    // The action table, made by EnableActions; null while the manager keeps no actions.
    CKitControlActions* GetActions() const { return m_pActions; }
    void EnableActions();
    CKitControl* GetCustomizeSelection() const { return m_pCustomizeSelection; }
    void SetCustomizeSelection(CKitControl* pControl);

    // Whether mnemonics are underlined: the option, or shown since a key asked for them.
    BOOL IsKeyboardCuesVisible() const { return m_options.bShowKeyboardCues || m_bKeyboardCues; }
    // Shows or hides the cues and redraws the bars that change.
    void ShowKeyboardCues(BOOL bShow);
    // Shows the cues from the first keyboard use on.
    void RecalcKeyboardCues() { ShowKeyboardCues(TRUE); }

    // A bar entered or left tracking mode.
    virtual void OnTrackingModeChanged(CKitCommandBar* pBar, int nMode);
    // The help id of the control last shown in the status bar.
    UINT GetHelpId() const { return m_nHelpId; }
    void SetHelpId(UINT nId) { m_nHelpId = nId; }

    // Runs every listed bar's idle update.
    void OnIdleUpdateCmdUI();
    // Saves or loads the state of every bar, each in its own section ("Bar0", "Bar1" ...).
    void DoPropExchange(CKitPropExchange* pPX);

    // Docking: the four dock bars along the site's edges, made once.
    BOOL EnableDocking();
    // The dock bar of the position (0-3), or null.
    CKitDockBar* GetDockBar(int nPosition) const;
    // Docks the bar on the dock bar, at the screen rectangle or in a new last row.
    void DockCommandBar(CKitToolBar* pBar, LPCRECT lpRect, CKitDockBar* pDockBar);
    // Floats the bar in its own window at its last floating place; FALSE when the window fails.
    BOOL FloatCommandBar(CKitToolBar* pBar);
    // The dock bar whose window, grown by 20 pixels, holds the screen point (the current one first), or null.
    CKitDockBar* CanDock(CPoint ptScreen, CKitDockBar* pCurrent) const;
    // Lets the site lay its bars out (at the next idle update with bDelay).
    void RecalcFrameLayout(BOOL bDelay = FALSE);
    // Carries out a delayed layout at once.
    void IdleRecalcLayout();
    // The dock bars take their edges of the rectangle, which keeps what is left; with bCommit the windows move.
    // Without dock bars the toolbars lying in the site take its top instead (WM_SIZEPARENT).
    void RepositionDockBars(CRect& rcFree, BOOL bCommit = TRUE);
    BOOL IsLayoutChanged() const { return m_bLayoutChanged; }
    void SetLayoutChanged(BOOL bChanged = TRUE) { m_bLayoutChanged = bChanged; }
    // The second customize flag: controls are being moved; docked bars are not squeezed meanwhile.
    BOOL IsCustomizeMoveMode() const { return FALSE; }
    // The menu resources of the document types, for the menu bar's switching.
    void SetDocumentMenu(HMENU hMenu, UINT nIDMenu);
    UINT GetDocumentMenuId(HMENU hMenu) const;

    // Saves every bar's state in the registry key; FALSE when the key cannot be written.
    BOOL SaveBarState(HKEY hRoot, LPCSTR lpszKey);
    // Loads the bars' state stored by SaveBarState; a bar whose state is damaged keeps its own.
    // Returns the number of bars loaded.
    int LoadBarState(HKEY hRoot, LPCSTR lpszKey);
    // Loads one bar's stored state into the live bar of the same id (or title; a bar stored with neither goes
    // to the only live bar of its class); FALSE when the state is damaged or names no live bar, which then keeps
    // what it has.
    BOOL LoadBarFromBytes(const BYTE* pBytes, DWORD nBytes);

private:
    // Docks, floats and shows a loaded bar where it was saved.
    void PlaceLoadedBar(CKitToolBar* pBar, int nPosition, const CRect& rc, BOOL bVisible);
    // The live bar that takes a loaded bar stored with neither id nor title; null when none or several.
    CKitToolBar* FindOnlyBarOfClassForUnnamed(const CKitToolBar* pLoaded) const;

    CWnd* m_pSite = nullptr;
    CKitFrameState* m_pFrameHook = nullptr;
    CKitCommandBarsOptions m_options;
    std::vector<CKitCommandBar*> m_bars;
    std::vector<CKitCommandBar*> m_registered;
    CKitMenuBar* m_pMenuBar = nullptr;
    CKitBarPainter* m_pPaintManager = nullptr;
    BOOL m_bCustomizeMode = FALSE;
    CKitControl* m_pCustomizeSelection = nullptr;
    CKitControlActions* m_pActions = nullptr;
    BOOL m_bKeyboardCues = FALSE;
    std::vector<UINT> m_usedCommands;
    std::vector<CKitCommandBarKeyboardTip*> m_keyboardTips;
    CKitCommandBar* m_pKeyboardTipsBar = nullptr;
    int m_nKeyboardTipLevel = 1;
    CString m_strKeyboardTipTyped;
    UINT m_nHelpId = 0;
    CKitDockBar* m_pDockBars[4] = {};
    BOOL m_bLayoutChanged = FALSE;
    BOOL m_bLayoutPending = FALSE;
    std::vector<std::pair<HMENU, UINT>> m_documentMenus;
};

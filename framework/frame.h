// CFrameWnd, CFrameWndEx: the main window holding the views, its menu, accelerators, title and command routing.
#pragma once

#include "framework/docview.h"
#include "framework/wnd.h"

#include <memory>
#include <vector>

// Frame styles: the document's title is added to the frame's title.
constexpr DWORD FWS_ADDTOTITLE = 0x00008000L;
// The title shows the document's name before the application's (and without FWS_PREFIXTITLE after).
constexpr DWORD FWS_PREFIXTITLE = 0x00004000L;

// A frame window. It deletes itself when its window goes (PostNcDestroy);
// when it is the application's main window it also ends the message loop.
class CFrameWnd : public CWnd {
    DECLARE_DYNCREATE(CFrameWnd)
public:
    CFrameWnd();
    ~CFrameWnd() override;

    static const CRect rectDefault;

    using CWnd::Create;
    BOOL Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle = WS_OVERLAPPEDWINDOW,
                const RECT& rect = rectDefault, CWnd* pParentWnd = nullptr, LPCSTR lpszMenuName = nullptr,
                DWORD dwExStyle = 0, CCreateContext* pContext = nullptr);
    // Creates the frame from resource nIDResource: its menu, its accelerators
    // when present, and its title from the string resource's first '\n' field.
    virtual BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                           CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr);

    // Called from WM_CREATE: creates the view pContext names (AFX_IDW_PANE_FIRST).
    virtual BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext);
    // A new view of pContext->m_pNewViewClass as child nID of this frame.
    CWnd* CreateView(CCreateContext* pContext, UINT nID = AFX_IDW_PANE_FIRST);

    CView* GetActiveView() const { return m_pViewActive; }
    void SetActiveView(CView* pViewNew, BOOL bNotify = TRUE);
    virtual CDocument* GetActiveDocument();
    // Puts every visible bar along its edge, in their order among the frame's children (the status bar,
    // AFX_IDW_STATUS_BAR, at the bottom), and fits the pane window (AFX_IDW_PANE_FIRST) to the rest.
    virtual void RecalcLayout(BOOL bNotify = TRUE);
    // Sends WM_INITIALUPDATE to the views, activates the first and shows the frame.
    void InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible);
    virtual void ActivateFrame(int nCmdShow = -1);
    // Sets the window title from m_strTitle and the active document's title.
    virtual void OnUpdateFrameTitle(BOOL bAddToTitle);
    void SetTitle(LPCSTR lpszTitle) { m_strTitle = lpszTitle; }
    CString GetTitle() const { return m_strTitle; }
    // Shows the prompt of string nID (its part before a line break) in the status bar's first pane; 0 empties it.
    void SetMessageText(UINT nID);
    // Runs the command-UI updates of idle time (WM_IDLEUPDATECMDUI).
    virtual void OnIdleUpdateCmdUI();

    // Accelerators of the frame.
    BOOL PreTranslateMessage(MSG* pMsg) override;
    // Commands go to the active view (then its document and template), the frame, the application.
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    // Deletes the object (frames are created with new); ends the loop for the main window.
    void PostNcDestroy() override;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    // Asks the document to save its changes (SaveModified), then closes.
    afx_msg void OnClose();
    afx_msg void OnDestroy();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    // The floating windows that keep their activation in step with the frame follow it.
    afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    // Updates the popup's items through ON_UPDATE_COMMAND_UI handlers; items
    // without any handler are disabled when m_bAutoMenuEnable.
    afx_msg void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
    afx_msg LRESULT OnIdleUpdateCmdUIMessage(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnInitialUpdateMessage(WPARAM wParam, LPARAM lParam);
    afx_msg void OnDropFiles(HDROP hDropInfo);
    afx_msg void OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu);
    // ID_INDICATOR_CAPS/NUM/SCRL: shown while the key's lock is on.
    afx_msg void OnUpdateKeyIndicator(CCmdUI* pCmdUI);

    // Posts WM_FLOATSTATUS with the FS_ flags to the top-level windows the frame owns that carry the
    // synchronised-activation style (0x100).
    void NotifyFloatingWindows(DWORD dwFlags);

    BOOL m_bAutoMenuEnable;
    UINT m_nIDHelp;
    HACCEL m_hAccelTable;
    HMENU m_hMenuDefault;
    CString m_strTitle;
    // How many idle updates ran (a plain counter for diagnostics and tests).
    LONG m_nIdleUpdates;

protected:
    CView* m_pViewActive;

    DECLARE_MESSAGE_MAP()
};

class CControlBar;
class CDockablePane;
class CMFCAutoHideBar;
class CMFCPopupMenu;
class CMFCToolBar;

// The frame of applications with a state manager: LoadFrame lets the
// application (CWinAppEx) load its state after the pre-load-state hook.
// It offers the pane menu (the bars and panes to show or hide, and the customize command) on the bars'
// context menu and in the menu popup that holds the toolbar entry, and makes the user's own toolbars.
class CFrameWndEx : public CFrameWnd {
    DECLARE_DYNCREATE(CFrameWndEx)
public:
    CFrameWndEx();
    ~CFrameWndEx() override;

    BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                   CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr) override;

    // Where panes may dock, the docked panes, auto-hide sides and the pane menu (recorded).
    BOOL EnableDocking(DWORD dwDockStyle);
    void DockPane(CWnd* pBar);
    BOOL EnableAutoHideBars(DWORD dwStyle);
    void EnablePaneMenu(BOOL bEnable, UINT uiCustomizeCmd, const CString& strCustomizeLabel, UINT uiViewToolbarsMenuEntryID,
                        BOOL bContextMenuShowsToolbarsOnly = FALSE);
    DWORD GetDockingStyle() const { return m_dockStyle; }
    DWORD GetAutoHideStyle() const { return m_autoHideStyle; }
    UINT GetPaneMenuCustomizeCommand() const { return m_paneMenuCustomizeCommand; }

    // Called when a toolbar's customize button opens the list of buttons to add or remove: an override
    // fills pMenuPane and returns TRUE; FALSE lets the toolbar list its own buttons.
    virtual BOOL OnShowCustomizePane(CMFCPopupMenu* pMenuPane, UINT uiToolbarID);
    // The toolbars and docking panes of the frame, in their order among its children.
    std::vector<CControlBar*> GetPaneBars(bool bToolBarsOnly = false) const;
    // Fills hMenu with the pane menu: one checked item per visible bar (its id, its caption), then the
    // customize command.
    void FillPaneMenu(HMENU hMenu) const;
    // The strip of tabs of the auto-hidden panes, or null while no pane hides.
    CMFCAutoHideBar* GetAutoHideBar() const { return m_autoHideBar.get(); }
    // A pane goes into auto-hide: it gets a tab on the strip, which is made when it is the first.
    void AddAutoHidePane(CDockablePane* pPane);
    // Puts a side bar after the bars along the top and bottom in the layout order, so that it spans between them.
    void PlaceAfterEdgeBars(HWND hBar);
    // The pane's tab goes; the strip goes with the last.
    void RemoveAutoHidePane(CDockablePane* pPane);
    // Deletes a toolbar the user made; FALSE for any other bar.
    BOOL DeleteToolBar(CMFCToolBar* pToolBar);
    // The registered message AFX_WM_CREATETOOLBAR: a new user toolbar named by lParam, docked at the top
    // behind the other toolbars; the result is the bar, or 0.
    afx_msg LRESULT OnToolbarCreateNew(WPARAM wParam, LPARAM lParam);

    // ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR and the panes' own ids: show or hide the bar, checked while it shows.
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

protected:
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
    afx_msg void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);

    DECLARE_MESSAGE_MAP()

private:
    DWORD m_dockStyle = 0;
    DWORD m_autoHideStyle = 0;
    UINT m_paneMenuCustomizeCommand = 0;
    CString m_paneMenuCustomizeLabel;
    UINT m_paneMenuToolbarsEntry = 0;
    BOOL m_bPaneMenuToolBarsOnly = FALSE;
    std::vector<std::unique_ptr<CMFCToolBar>> m_userToolBars;
    std::unique_ptr<CMFCAutoHideBar> m_autoHideBar;
    std::vector<HWND> m_dockedPanes;
};

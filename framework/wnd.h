// CWnd: a window, its handle map entry, its window procedure and the thin wrappers of the window API.
#pragma once

#include "framework/geometry.h"
#include "framework/msgmap.h"

#include <shellapi.h>

#include <functional>

class CCreateContext;
class CDataExchange;
class CFont;
class CFrameWnd;
class CMenu;
class CScrollBar;

// A window. Objects made by Create/SubclassWindow/Attach are permanent: the
// handle map finds them by handle and deleting one destroys its window.
// FromHandle hands out temporary objects for other handles, freed at idle time.
class CWnd : public CCmdTarget {
    DECLARE_DYNCREATE(CWnd)
public:
    CWnd();
    ~CWnd() override;

    HWND m_hWnd;
    operator HWND() const noexcept { return m_hWnd; }
    HWND GetSafeHwnd() const noexcept { return m_hWnd; }

    // The permanent object of hWnd, else a temporary one; null for a null handle.
    static CWnd* FromHandle(HWND hWnd);
    // The permanent object of hWnd, or null.
    static CWnd* FromHandlePermanent(HWND hWnd);
    // Frees the temporary objects FromHandle made; called at idle time.
    static void DeleteTempMap();

    // Makes this object the permanent one of hWnd without taking its messages.
    BOOL Attach(HWND hWndNew);
    HWND Detach();
    // Routes hWnd's messages through this object's message map.
    BOOL SubclassWindow(HWND hWnd);
    BOOL SubclassDlgItem(UINT nID, CWnd* pParent);
    HWND UnsubclassWindow();

    // lpszClassName null: the framework's default window class.
    virtual BOOL Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                        CWnd* pParentWnd, UINT nID, CCreateContext* pContext = nullptr);
    virtual BOOL CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, int x, int y,
                          int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam = nullptr);
    BOOL CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                  CWnd* pParentWnd, UINT nID, LPVOID lpParam = nullptr);
    virtual BOOL DestroyWindow();

    // Called before the window is created; FALSE cancels the creation.
    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
    // Called before SubclassWindow takes over a window (and after Create hooks one).
    virtual void PreSubclassWindow();
    // Called by the message loops for every message of this window or its
    // children before it is dispatched; TRUE when it was handled.
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    // Called after the last message (WM_NCDESTROY), when the object no longer
    // has a window. Classes whose objects own themselves delete them here.
    virtual void PostNcDestroy();

    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // The class's own processing: the original window procedure of a subclassed window.
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Dispatches a message through the message map; FALSE when nothing handled it.
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // WM_COMMAND: to the sending control's reflected handler, then OnCmdMsg.
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    // WM_NOTIFY: to the sending control's reflected handler, then OnCmdMsg.
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // A notification this control sent to its parent, offered to the control first;
    // TRUE when the control consumed it.
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // Runs the control's WM_xxx + WM_REFLECT_BASE entries for a notification.
    BOOL ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // The processing of the message being handled, as if no handler existed.
    LRESULT Default();

    // Moves data between the controls and the members (DDX_/DDV_ calls);
    // bSaveAndValidate TRUE reads the controls. FALSE when validation failed
    // (the user was told and the failing control has the focus).
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);
    virtual void DoDataExchange(CDataExchange* pDX);

    // How RepositionBars places the bars: for real, only measuring (the rest
    // into lpRectParam), or leaving lpRectParam's borders free around the rest.
    enum RepositionFlags { reposDefault = 0, reposQuery = 1, reposExtra = 2 };
    // Docks the visible control bars among the children nIDFirst..nIDLast
    // along their edges of lpRectClient (the client area when null) and fits
    // child nIDLeftOver, when not 0, to what is left (controlbar.cpp).
    void RepositionBars(UINT nIDFirst, UINT nIDLast, UINT nIDLeftOver, UINT nFlag = reposDefault,
                        LPRECT lpRectParam = nullptr, LPCRECT lpRectClient = nullptr, BOOL bStretch = TRUE);

    // Pumps messages (each offered to PreTranslateMessage from its window up to
    // this one) while ContinueModal; sends WM_KICKIDLE to this window while the
    // queue is empty. Returns the value given to EndModalLoop.
    int RunModalLoop();
    // TRUE while the modal loop is to go on.
    virtual BOOL ContinueModal();
    // Ends the modal loop with nResult.
    virtual void EndModalLoop(int nResult);
    // The window a modal run under pParent disables: pParent's top-level
    // window, else the main window's; null when there is none.
    static HWND ModalOwnerOf(CWnd* pParent);
    // One modal run: disables hOwner, makes the window with create, shows it,
    // runs the modal loop, then hides and destroys it and gives the activation
    // back to hOwner. Returns the value given to EndModalLoop (-1 when create failed).
    INT_PTR RunModalWindow(HWND hOwner, const std::function<BOOL()>& create);

    // Gives PreTranslateMessage to pMsg's window and its parents up to hWndStop.
    static BOOL WalkPreTranslateTree(HWND hWndStop, MSG* pMsg);

    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    LRESULT SendDlgItemMessage(int nID, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;

    // Sends a message to the children (bDeep: all descendants; bOnlyPerm: only those with an object).
    void SendMessageToDescendants(UINT message, WPARAM wParam = 0, LPARAM lParam = 0, BOOL bDeep = TRUE,
                                  BOOL bOnlyPerm = FALSE);
    // Updates the command UI of the child controls through pTarget's ON_UPDATE_COMMAND_UI handlers.
    void UpdateDialogControls(CCmdTarget* pTarget, BOOL bDisableIfNoHandler);

    CWnd* GetDlgItem(int nID) const;
    int GetDlgCtrlID() const;
    int SetDlgCtrlID(int nID);
    void SetDlgItemText(int nID, LPCSTR lpszString);
    int GetDlgItemText(int nID, CString& rString) const;
    void SetDlgItemInt(int nID, UINT nValue, BOOL bSigned = TRUE);
    UINT GetDlgItemInt(int nID, BOOL* lpTrans = nullptr, BOOL bSigned = TRUE) const;
    void CheckDlgButton(int nIDButton, UINT nCheck);
    UINT IsDlgButtonChecked(int nIDButton) const;
    void SetWindowText(LPCSTR lpszString);
    void GetWindowText(CString& rString) const;
    int GetWindowTextLength() const;
    BOOL ShowWindow(int nCmdShow);
    void UpdateWindow();
    void Invalidate(BOOL bErase = TRUE);
    void InvalidateRect(LPCRECT lpRect, BOOL bErase = TRUE);
    void ValidateRect(LPCRECT lpRect);
    void RedrawWindow(LPCRECT lpRectUpdate = nullptr, HRGN hrgnUpdate = nullptr,
                      UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    BOOL EnableWindow(BOOL bEnable = TRUE);
    BOOL IsWindowEnabled() const;
    BOOL IsWindowVisible() const;
    BOOL IsIconic() const;
    BOOL IsZoomed() const;
    void MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint = TRUE);
    void MoveWindow(LPCRECT lpRect, BOOL bRepaint = TRUE);
    BOOL SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags);
    void GetClientRect(LPRECT lpRect) const;
    void GetWindowRect(LPRECT lpRect) const;
    void ClientToScreen(LPPOINT lpPoint) const;
    void ClientToScreen(LPRECT lpRect) const;
    void ScreenToClient(LPPOINT lpPoint) const;
    void ScreenToClient(LPRECT lpRect) const;
    CWnd* SetFocus();
    static CWnd* GetFocus();
    CWnd* SetActiveWindow();
    static CWnd* GetActiveWindow();
    BOOL SetForegroundWindow();
    CWnd* GetParent() const;
    CWnd* SetParent(CWnd* pWndNewParent);
    CWnd* GetTopLevelParent() const;
    CWnd* GetWindow(UINT nCmd) const;
    // The nearest frame window above this one, or null.
    CFrameWnd* GetParentFrame() const;
    BOOL IsChild(const CWnd* pWnd) const;
    UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapse, TIMERPROC lpfnTimer = nullptr);
    BOOL KillTimer(UINT_PTR nIDEvent);
    void SetFont(CFont* pFont, BOOL bRedraw = TRUE);
    // The window's font as a temporary object (the window does not own it), or null.
    CFont* GetFont() const;
    // Shows a message box owned by this window through KorMessageBox;
    // lpszCaption null uses the application's name.
    int MessageBox(LPCSTR lpszText, LPCSTR lpszCaption = nullptr, UINT nType = MB_OK);
    void CenterWindow(CWnd* pAlternateOwner = nullptr);
    void DragAcceptFiles(BOOL bAccept = TRUE);
    CMenu* GetMenu() const;
    BOOL SetMenu(CMenu* pMenu);
    void DrawMenuBar();
    CMenu* GetSystemMenu(BOOL bRevert) const;
    void SetRedraw(BOOL bRedraw = TRUE);
    DWORD GetStyle() const;
    DWORD GetExStyle() const;
    BOOL ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    BOOL ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    void SetIcon(HICON hIcon, BOOL bBigIcon);
    BOOL GetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, UINT nMask = SIF_ALL) const;
    BOOL SetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, BOOL bRedraw = TRUE);
    BOOL GetWindowPlacement(WINDOWPLACEMENT* lpwndpl) const;
    BOOL SetWindowPlacement(const WINDOWPLACEMENT* lpwndpl);
    HWND SetCapture();

    // The window's own tooltips: while enabled, PreTranslateMessage offers the
    // window's mouse messages to the thread's tooltip control, whose tool is the
    // one OnToolHitTest names under the cursor (texts by TTN_NEEDTEXT).
    BOOL EnableToolTips(BOOL bEnable = TRUE);
    BOOL AreToolTipsEnabled() const { return m_bToolTips; }
    // The tool under point (client coordinates): fills pTI (hwnd, rect, flags)
    // and returns its id, or -1 when there is none (the base has none).
    virtual INT_PTR OnToolHitTest(CPoint point, TOOLINFOA* pTI) const;
    // Updates the thread's tooltip tool for the point of a mouse message and relays the message.
    void FilterToolTipMessage(MSG* pMsg);

    // Default handlers: each passes the message on to Default().
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnClose();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnRButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnDropFiles(HDROP hDropInfo);
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    afx_msg void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct);
    afx_msg void OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct);
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnSysChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnGetMinMaxInfo(MINMAXINFO* lpMMI);
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    afx_msg void OnNcDestroy();
    afx_msg BOOL OnNcCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnWindowPosChanging(WINDOWPOS* lpWndPos);
    afx_msg void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
    afx_msg void OnSysCommand(UINT nID, LPARAM lParam);
    afx_msg void OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu);
    afx_msg void OnEnterIdle(UINT nWhy, CWnd* pWho);
    afx_msg HCURSOR OnQueryDragIcon();
    afx_msg UINT OnGetDlgCode();
    afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint point);
    afx_msg void OnSettingChange(UINT uFlags, LPCSTR lpszSection);
    afx_msg void OnSysColorChange();
    afx_msg void OnCaptureChanged(CWnd* pWnd);
    afx_msg void OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnImeChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnMButtonDown(UINT nFlags, CPoint point);

    static const AFX_MSGMAP* GetThisMessageMap();
    const AFX_MSGMAP* GetMessageMap() const override;

protected:
    // The modal loop's result and whether it goes on (set by the code that starts it).
    int m_nModalResult;
    bool m_bContinueModal;
    // The window procedure this object's messages fall back to.
    WNDPROC m_pfnSuper;

private:
    friend LRESULT CALLBACK AfxWndProc(HWND, UINT, WPARAM, LPARAM);
    friend LRESULT CALLBACK AfxCbtHookProc(int, WPARAM, LPARAM);
    friend class CDialog;
    // Attaches and subclasses the window being created for this object.
    void HookCreatedWindow(HWND hWnd);
    // Runs after WM_NCDESTROY: restores the window procedure, leaves the map, calls PostNcDestroy.
    void FinishNcDestroy();
    bool m_bTemporary;
    bool m_bToolTips;
};

// The window procedure of every window that has a permanent object.
LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

// Hooks the next window created on this thread to pWnd (its first
// message already goes through pWnd's map); UnhookWindowCreate ends the hook.
void AfxHookWindowCreate(CWnd* pWnd);
// TRUE when the hooked window was created (the hook caught it).
BOOL AfxUnhookWindowCreate();

// Registers (once) a window class of these properties and returns its name.
LPCSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor = nullptr, HBRUSH hbrBackground = nullptr,
                           HICON hIcon = nullptr);
// The class names CWnd::Create and the frame and view classes use when none is given.
LPCSTR AfxDefaultWndClass();
LPCSTR AfxFrameOrViewWndClass();

// The message being handled on this thread (what Default() passes on).
const MSG* AfxGetCurrentMessage();
// Makes msg the message being handled on this thread and returns the one it
// replaces (window procedures of other code put it back when they return).
MSG AfxSetCurrentMessage(const MSG& msg);

// MyCDialogEx, CDlgStatusBar, CDlgToolBar, CProgressBar: the tool dialogs' base with a status bar, a toolbar and menu prompts, and a progress bar inside a status pane.
#pragma once

#include "framework/ui.h"

// A status bar whose panes are updated through the dialog that holds it.
class CDlgStatusBar : public CStatusBar {
    DECLARE_DYNAMIC(CDlgStatusBar)
public:
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);

protected:
    DECLARE_MESSAGE_MAP()
};

// A toolbar whose buttons are updated through the dialog that holds it.
class CDlgToolBar : public CToolBar {
    DECLARE_DYNAMIC(CDlgToolBar)
public:
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);

protected:
    DECLARE_MESSAGE_MAP()
};

// A dialog that can carry a status bar and a toolbar the way a frame does:
// CreateBars grows the dialog to make room for them, OnSize lays them out
// again, idle time updates them through the dialog's update handlers, and menu
// prompts show in pane 0. Modeless unless run with DoModal.
class MyCDialogEx : public CDialog {
    DECLARE_DYNAMIC(MyCDialogEx)
public:
    static constexpr UINT kToolBarId = AFX_IDW_TOOLBAR;
    static constexpr UINT kStatusBarId = AFX_IDW_STATUS_BAR;
    // The toolbar style the tool dialogs pass to CreateBars.
    static constexpr DWORD kToolBarStyle = 0x50402834;

    MyCDialogEx(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    ~MyCDialogEx() override;

    // Called from the derived dialog's OnInitDialog. lpIndicators null: the
    // message pane and the three lock-key indicators. nIDToolBar 0: no toolbar.
    // FALSE when a bar cannot be created, its indicators set or its resource
    // loaded; the dialog is then left as it was.
    BOOL CreateBars(BOOL bToolTips, BOOL bStatusBar, const UINT* lpIndicators, int nIndicatorCount, UINT nIDToolBar,
                    DWORD dwToolBarStyle);

    // Marks the dialog modal and runs the framework's modal loop.
    INT_PTR DoModal() override;
    // Modal: the framework's way. Modeless: OK saves the data and destroys the window; Cancel destroys it.
    void OnOK() override;
    void OnCancel() override;
    // Modeless dialogs are not deleted here.
    void PostNcDestroy() override;
    // With tooltips on, each child control is a tool, named by its handle.
    INT_PTR OnToolHitTest(CPoint point, TOOLINFOA* pTI) const override;

    bool HasStatusBar() const { return m_bHasStatusBar; }
    bool HasToolBar() const { return m_bHasToolBar; }
    bool IsModal() const { return m_bModal; }
    CDlgStatusBar& GetStatusBar() { return m_wndStatusBar; }
    CDlgToolBar& GetToolBar() { return m_wndToolBar; }

    // Derived dialogs call this first from their own size handler.
    afx_msg void OnSize(UINT nType, int cx, int cy);
    // Derived dialogs pass the timer ids they do not own here.
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg LRESULT OnKickIdle(WPARAM wParam, LPARAM lParam);
    afx_msg void OnEnterIdle(UINT nWhy, CWnd* pWho);
    afx_msg void OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu);
    // wParam: the string id to show in pane 0 (0 clears it); returns the id shown before.
    afx_msg LRESULT OnSetMessageString(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnPopMessageString(WPARAM wParam, LPARAM lParam);
    afx_msg void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
    afx_msg BOOL OnToolTipText(UINT nID, NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnViewToolBar();
    afx_msg void OnUpdateViewToolBar(CCmdUI* pCmdUI);
    afx_msg void OnViewStatusBar();
    afx_msg void OnUpdateViewStatusBar(CCmdUI* pCmdUI);
    afx_msg void OnUpdateKeyIndicator(CCmdUI* pCmdUI);

protected:
    // Moves every control but the bars by offset.
    void MoveControls(CPoint offset);
    // Grows the window by dx, dy and lays the bars out in its new client area.
    void GrowWindow(int dx, int dy);
    // Lays the bars out over a client area of cx x cy.
    void LayOutBars(int cx, int cy);
    // The idle updates of both bars.
    void UpdateBars();
    // Shows the idle prompt in pane 0.
    void ShowIdlePrompt();

    CDlgStatusBar m_wndStatusBar;
    CDlgToolBar m_wndToolBar;
    UINT m_nIDTracking = 0;
    UINT m_nIDLastMessage = 0;
    bool m_bPromptShown = false;
    bool m_bToolTips = false;
    bool m_bHasStatusBar = false;
    bool m_bHasToolBar = false;
    bool m_bModeless = true;
    bool m_bModal = false;
    // Reserved for an idle-update timer; nothing sets it.
    bool m_bIdleTimer = false;

    DECLARE_MESSAGE_MAP()
};

// A progress control inside one pane of a dialog's status bar, right of the
// pane's label. The owning dialog sets the status bar before Create.
class CProgressBar : public CProgressCtrl {
    DECLARE_DYNAMIC(CProgressBar)
public:
    CProgressBar() = default;
    ~CProgressBar() override;

    void SetStatusBar(CStatusBar* pStatusBar) { m_pStatusBar = pStatusBar; }
    // nSize: the percentage of the space right of the label that the bar takes.
    // FALSE without a status bar or when the control cannot be created.
    BOOL Create(LPCSTR lpszLabel, int nSize, int nMaxValue, BOOL bSmooth, int nPane);
    // Places the bar in its pane again (and shows the label there).
    void Resize();

    afx_msg BOOL OnEraseBkgnd(CDC* pDC);

protected:
    int m_nSize = 100;
    int m_nPane = 0;
    CString m_strLabel;
    CString m_strPrevText;
    CRect m_rect;
    CStatusBar* m_pStatusBar = nullptr;

    DECLARE_MESSAGE_MAP()
};

// CEIPDiagnosticDlg, CDlg_DiagnosticOption: the diagnostics window (the module's drivers and diagnostics, one of them polled) and its auto-poll option.
#pragma once

#include "corvel/controls/dialog_ex.h"
#include "corvel/controls/simple_splitter.h"
#include "corvel/gateway_ui/diagnostic_tree.h"

// Dialog 357. The tree of the module's drivers and diagnostics in the left
// pane; the output of the polled diagnostic, with the instance spin beside it,
// in the right. Connects once when it opens; a failed first connection or a
// failed poll tells the user and closes the window.
class CEIPDiagnosticDlg : public MyCDialogEx {
    DECLARE_DYNAMIC(CEIPDiagnosticDlg)
public:
    static constexpr UINT_PTR kSpinTimerId = 1;

    explicit CEIPDiagnosticDlg(CWnd* pParent = nullptr);

    BOOL OnInitDialog() override;
    // Builds the tree from the module at the project's module address; "Connected" in the output on success.
    bool ConnectToModule();

    CDiagnosticTree& GetTree() { return m_tree; }
    CEdit& GetOutput() { return m_output; }
    CSpinButtonCtrl& GetSpin() { return m_spin; }
    CSimpleSplitter& GetOuterSplitter() { return m_outerSplitter; }
    CSimpleSplitter& GetInnerSplitter() { return m_innerSplitter; }
    CToolBar& GetWindowToolBar() { return m_toolBar; }
    bool HasFirstConnectFailed() const { return m_bFirstConnectFailed; }

    afx_msg void OnConnect();
    afx_msg void OnOption();
    afx_msg void OnCloseCommand();
    afx_msg void OnDestroy();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnSpinDeltaPos(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnTimer(UINT_PTR nIDEvent);

protected:
    void DoDataExchange(CDataExchange* pDX) override;

private:
    // Creates one pane window in a splitter, of a class with the pane's white background.
    bool CreatePane(CSimpleSplitter& splitter, int index, CChildWnd& pane, CBrush& brush, DWORD exStyle);
    // Fits the tree, the inner splitter, the spin and the output to their panes.
    void FitPaneContents();
    // Writes the outer panes' widths and the window placement.
    void SaveLayout();

    CDiagnosticTree m_tree;
    bool m_bFirstConnectFailed = false;
    UINT_PTR m_nSpinTimer = 0;
    CChildWnd m_treePane;
    CChildWnd m_rightPane;
    CChildWnd m_spinPane;
    CChildWnd m_outputPane;
    CBrush m_treePaneBrush;
    CBrush m_rightPaneBrush;
    CBrush m_spinPaneBrush;
    CBrush m_outputPaneBrush;
    CSimpleSplitter m_outerSplitter;
    CSimpleSplitter m_innerSplitter;
    CToolBar m_toolBar;
    CEdit m_output;
    CSpinButtonCtrl m_spin;
    // The spin control's size in the template: it keeps it in its pane, where a control as high as the pane
    // would read as a scroll bar.
    CSize m_spinSize;
    CFont m_outputFont;

    DECLARE_MESSAGE_MAP()
};

// Dialog 364: the auto-poll period, 0 or 1000 to 30000 ms.
class CDlg_DiagnosticOption : public MyCDialogEx {
    DECLARE_DYNAMIC(CDlg_DiagnosticOption)
public:
    // Shown while no period is stored.
    static constexpr int kDefaultShownPeriodMs = 5000;
    static constexpr int kLowestPeriodMs = 1000;
    static constexpr int kHighestPeriodMs = 30000;

    explicit CDlg_DiagnosticOption(CWnd* pParent = nullptr);

    BOOL OnInitDialog() override;
    // Stores the period and closes when it is in range; else says so and stays open.
    void OnOK() override;
};

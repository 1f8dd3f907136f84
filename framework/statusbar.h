// CStatusBar: the status line at the bottom of a frame, with panes named by command ids.
#pragma once

#include "framework/wnd.h"

#include <vector>

class CStatusBar : public CWnd {
    DECLARE_DYNAMIC(CStatusBar)
public:
    // Creates the bar at the bottom of pParentWnd (a frame lays it out in RecalcLayout).
    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE, UINT nID = AFX_IDW_STATUS_BAR);
    // One pane per id; a pane shows the string resource of its id (ID_SEPARATOR: empty and stretching).
    BOOL SetIndicators(const UINT* lpIDArray, int nIDCount);
    int GetCount() const { return static_cast<int>(m_panes.size()); }
    UINT GetItemID(int nIndex) const;
    // The pane of nIDFind, or -1.
    int CommandToIndex(UINT nIDFind) const;
    BOOL SetPaneText(int nIndex, LPCSTR lpszNewText, BOOL bUpdate = TRUE);
    // The text the pane shows: empty while the pane is disabled.
    CString GetPaneText(int nIndex) const;
    // A disabled pane keeps its text but shows none.
    void EnablePane(int nIndex, BOOL bEnable);
    void GetItemRect(int nIndex, LPRECT lpRect) const;

    // Updates the panes through the owner frame's ON_UPDATE_COMMAND_UI handlers (idle time).
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    afx_msg void OnSize(UINT nType, int cx, int cy);

private:
    struct Pane {
        UINT id = 0;
        int width = 0;
        CString text;
        bool disabled = false;
    };
    void UpdateParts();
    void ShowPane(int nIndex);

    std::vector<Pane> m_panes;

    DECLARE_MESSAGE_MAP()
};

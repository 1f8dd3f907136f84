// CStatusBar: the status line at the bottom of a frame or dialog, with panes named by command ids.
#pragma once

#include "framework/controlbar.h"

#include <vector>

// Pane styles: a stretching pane shares the width the fixed panes leave.
constexpr UINT SBPS_NORMAL = 0x0000;
constexpr UINT SBPS_STRETCH = 0x0800;

// The update handler of the lock-key indicators (ID_INDICATOR_CAPS/NUM/SCRL):
// the pane shows its text while the key's lock is on.
void AfxUpdateKeyIndicator(CCmdUI* pCmdUI);

class CStatusBar : public CControlBar {
    DECLARE_DYNAMIC(CStatusBar)
public:
    // Creates the bar at the bottom of pParentWnd (a frame lays it out in
    // RecalcLayout, a dialog with RepositionBars); a resizable parent gets a size grip.
    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, UINT nID = AFX_IDW_STATUS_BAR);
    // One pane per id; a pane shows the string resource of its id (ID_SEPARATOR: empty and stretching).
    BOOL SetIndicators(const UINT* lpIDArray, int nIDCount);
    int GetCount() const { return static_cast<int>(m_panes.size()); }
    UINT GetItemID(int nIndex) const;
    // The pane of nIDFind, or -1.
    int CommandToIndex(UINT nIDFind) const;
    BOOL SetPaneText(int nIndex, LPCSTR lpszNewText, BOOL bUpdate = TRUE);
    // The text the pane shows: empty while the pane is disabled.
    CString GetPaneText(int nIndex) const;
    // SBPS_STRETCH or SBPS_NORMAL; ID_SEPARATOR panes stretch from the start.
    void SetPaneStyle(int nIndex, UINT nStyle);
    UINT GetPaneStyle(int nIndex) const;
    // A disabled pane keeps its text but shows none.
    void EnablePane(int nIndex, BOOL bEnable);
    void GetItemRect(int nIndex, LPRECT lpRect) const;

    // The bar's height is its own (from its font); it stretches along its edge.
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    // Updates the indicator panes through pTarget's ON_UPDATE_COMMAND_UI handlers; a pane
    // without a handler keeps its state.
    void OnUpdateCmdUI(CCmdTarget* pTarget, BOOL bDisableIfNoHndler) override;
    afx_msg void OnSize(UINT nType, int cx, int cy);

private:
    struct Pane {
        UINT id = 0;
        int width = 0;
        CString text;
        bool disabled = false;
        bool stretch = false;
    };
    void UpdateParts();
    void ShowPane(int nIndex);

    std::vector<Pane> m_panes;

    DECLARE_MESSAGE_MAP()
};

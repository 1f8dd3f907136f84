// CKitTabClientWnd, CKitTabClientWnd::CWorkspace and CKitControlTabWorkspace: an MDI client whose children show as
// tabs in groups that can be dragged and split, or as tabs in a command bar.
#pragma once

#include "framework/geometry.h"
#include "framework/wnd.h"
#include "toolkit/commandbars/control.h"
#include "toolkit/commandbars/tab_group_actions.h"
#include "toolkit/themes/tabs/tab_manager.h"
#include "toolkit/themes/tabs/tab_paint_manager.h"

#include <windows.h>

#include <vector>

class CKitCommandBarManager;

// Takes over a frame's MDI client (subclassed) and lays its children out as tab groups, side by side
// (vertical arrangement) or one below another (horizontal arrangement).
class CKitTabClientWnd : public CWnd, public CKitTabGroupActions {
public:
    class CWorkspace;

    // Where a dragged tab would go.
    enum DragKind {
        kDragNone = 0,      // outside the client: nothing happens
        kDragNoTarget = 1,  // inside the client, away from every header and edge zone
        kDragMove = 2,      // into the target's tabs
        kDragNewBelow = 3,  // a new group below the target
        kDragNewRight = 4,  // a new group right of the target
    };
    // A drop this close above a group's bottom edge (or left of its right edge) splits the group.
    static constexpr int kSplitZone = 30;
    static constexpr int kDefaultSplitterWidth = 4;

    CKitTabClientWnd();
    ~CKitTabClientWnd() override;

    // Takes over the frame's MDI client; the children it holds become tabs of one group.
    BOOL AttachToFrame(CWnd* pFrame, BOOL bEnableGroups = TRUE);
    // Gives the MDI client back, its children with their frames.
    void DetachFromFrame();
    CWnd* GetFrame() const { return m_pFrame; }
    // The bars whose popup shows the tab context menu.
    void SetCommandBars(CKitCommandBarManager* pCommandBars) { m_pCommandBars = pCommandBars; }

    int GetWorkspaceCount() const { return static_cast<int>(m_arrWorkspaces.size()); }
    CWorkspace* GetWorkspace(int nIndex) const { return m_arrWorkspaces.at(nIndex); }
    int FindWorkspace(const CKitTabManager* pWorkspace) const;
    CWorkspace* GetCurrentWorkspace() const { return m_pCurrent; }
    void SetCurrentWorkspace(CWorkspace* pWorkspace) { m_pCurrent = pWorkspace; }
    BOOL IsHorizontalArrangement() const { return m_bHorizontal; }
    // Groups are off while a bar hosts the tabs.
    BOOL IsGroupsEnabled() const { return m_bGroupsEnabled && !m_pHosted; }
    // The tabs move to a workspace that a bar control shows (not owned); the client shows no tabs itself.
    void HostWorkspace(CWorkspace* pWorkspace);
    // The client takes its tabs back from the hosted workspace.
    void ReleaseHostedWorkspace(CWorkspace* pWorkspace);
    CWorkspace* GetHostedWorkspace() const { return m_pHosted; }
    BOOL IsLocked() const { return m_bLocked; }
    int GetSplitterWidth() const { return m_nSplitterWidth; }
    void SetSplitterWidth(int nWidth) { m_nSplitterWidth = nWidth; }
    // With bShow a last tab stands for the command, sent to the frame when clicked.
    void SetNewTabCommand(UINT nCommand, BOOL bShow);
    UINT GetNewTabCommand() const { return m_nNewTabCommand; }
    BOOL IsNewTabShown() const { return m_bShowNewTab; }
    CKitTabPaintManager* GetPaintManager() { return &m_paintManager; }

    // Whether the tab-group command can act on the active child now; the active child's item in *ppItem.
    BOOL CanDoAction(UINT nId) override { return CanDoAction(nId, nullptr); }
    BOOL CanDoAction(UINT nId, CKitTabManagerItem** ppItem);
    // Moves the active child as the tab-group command says; FALSE when it cannot act now.
    BOOL DoAction(UINT nId);
    // The item of the child window in any group (its group's index in *pnWorkspace), or null and -1.
    CKitTabManagerItem* FindItemByWindow(HWND hWnd, int* pnWorkspace = nullptr) const;
    // The popup with the tab-group commands the active child allows and Cancel, at the screen point.
    virtual void ShowTabContextMenu(CPoint ptScreen);

    // The drag target under the point (client coordinates) for the dragged item: kind, group and the
    // rectangle shown; draws the rectangle while the feedback runs.
    void UpdateDragTarget(CPoint point, CKitTabManagerItem* pItem);
    int GetDragKind() const { return m_nDragKind; }
    CWorkspace* GetDragTarget() const { return m_pDragTarget; }
    const CRect& GetDragRect() const { return m_rcDrag; }
    BOOL IsDragFeedbackRunning() const { return m_hDesktopDC != nullptr; }
    void StartDragFeedback();
    void EndDragFeedback();
    // Moves the item into the target group (kDragMove) or into a new group after it (kDragNewBelow,
    // kDragNewRight), then lays out again.
    void DropItem(CKitTabManagerItem* pItem, CWorkspace* pTarget, int nKind);

    // Makes the tabs follow the MDI children: new children join the current group, gone ones leave, the
    // active child's tab is selected; then lays out again.
    void UpdateContents();
    // Drops empty groups, shares the client among the rest and fits the children into their groups.
    void RecalcLayout();

    // An item's tab colour: a colour, an automatic colour index or -1 for the strip's own colour.
    virtual COLORREF GetItemColor(const CKitTabManagerItem* pItem) const { return pItem->GetRawColor(); }
    // Repaints the groups' strips, unless the client is locked.
    virtual void RedrawWorkspaces();
    void RedrawRect(const RECT* pRect);

protected:
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg LRESULT OnMouseLeave(WPARAM wParam, LPARAM lParam);
    // The MDI messages that add, remove or activate children: the tabs follow.
    afx_msg LRESULT OnChildrenChanged(WPARAM wParam, LPARAM lParam);
    // Cascading, tiling and maximizing do nothing: the groups place the children.
    afx_msg LRESULT OnArrange(WPARAM wParam, LPARAM lParam);
    // The tabs follow the children's captions and the children made without an MDI message.
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    afx_msg void OnTabGroupCommand(UINT nId);
    DECLARE_MESSAGE_MAP()

private:
    CWorkspace* CreateWorkspace(int nIndex);
    // Moves every tab into the target, in order, and leaves it the only workspace.
    void GatherItemsInto(CWorkspace* pTarget);
    void RemoveWorkspace(CWorkspace* pWorkspace);
    void PlaceChildren(CWorkspace* pWorkspace, const CRect& rcPage);
    // Takes the child's caption and frame off; it draws only its client area inside its group.
    void AttachChild(HWND hChild);
    // The workspace whose tab control holds the point, or null.
    CWorkspace* HitTestWorkspace(CPoint point) const;
    void DrawDragRect(const CRect& rc, CSize szFrame, const CRect& rcLast, CSize szLast);

    CWnd* m_pFrame = nullptr;
    CKitCommandBarManager* m_pCommandBars = nullptr;
    std::vector<CWorkspace*> m_arrWorkspaces;
    CWorkspace* m_pCurrent = nullptr;
    CWorkspace* m_pHosted = nullptr;
    BOOL m_bHorizontal = FALSE;
    BOOL m_bGroupsEnabled = TRUE;
    BOOL m_bLocked = FALSE;
    BOOL m_bLayoutLocked = FALSE;
    int m_nSplitterWidth = kDefaultSplitterWidth;
    UINT m_nNewTabCommand = 0;
    BOOL m_bShowNewTab = FALSE;
    // The styles each child had before it became a tab.
    std::vector<std::pair<HWND, LONG_PTR>> m_arrChildStyles;
    CKitTabPaintManager m_paintManager;

    // Drag state.
    CWorkspace* m_pDragTarget = nullptr;
    int m_nDragKind = kDragNone;
    CRect m_rcDrag;
    CRect m_rcDragLast;
    CSize m_szDragLast;
    HDC m_hDesktopDC = nullptr;
    BOOL m_bDesktopLocked = FALSE;
    HCURSOR m_hCursorAllowed = nullptr;
    HCURSOR m_hCursorNotAllowed = nullptr;
};

// One tab group: a strip whose items are MDI children.
class CKitTabClientWnd::CWorkspace : public CKitTabManager {
public:
    explicit CWorkspace(CKitTabClientWnd* pClient);
    ~CWorkspace() override;

    CKitTabClientWnd* GetTabClient() const { return m_pClient; }
    CKitTabManagerItem* GetNewTabItem() const { return m_pNewTabItem; }
    // The group's extent along the arrangement.
    double GetSize() const { return m_dSize; }
    void SetSize(double dSize) { m_dSize = dSize; }
    // Inserts the item at the end, before the new-tab item; it keeps the tab colour it had.
    void InsertItemAtEnd(CKitTabManagerItem* pItem);
    // Makes the new-tab item when the client's option is on and there is none.
    void CreateExtraItems();

    void Reposition() override;
    CString GetItemCaption(const CKitTabManagerItem* pItem) const override;
    // A child's tab shows its caption as its tooltip.
    CString GetItemTooltip(const CKitTabManagerItem* pItem) const override;
    COLORREF GetItemColor(const CKitTabManagerItem* pItem) const override;
    void SetSelectedItem(CKitTabManagerItem* pItem) override;
    CKitTabPaintManager* GetPaintManager() const override;
    void RedrawControl(const RECT* pRect, BOOL bAnimate) override;
    BOOL IsAllowReorder() const override;
    BOOL DrawIcon(CDC* pDC, CPoint pt, CKitTabManagerItem* pItem, BOOL bDraw, CSize& szIcon) override;
    void OnItemClick(CKitTabManagerItem* pItem) override;
    // Drags the tab along the strip and, with groups, into other groups or new ones; blocks while held.
    void OnPressItem(HWND hWnd, CPoint point, CKitTabManagerItem* pItem) override;
    // The close button closes the item's child (the selected one for the strip's own button).
    void OnNavigateButtonClick(CKitTabManagerNavigateButton* pButton) override;
    BOOL IsMouseLocked() const override;

private:
    CKitTabClientWnd* m_pClient;
    CKitTabManagerItem* m_pNewTabItem = nullptr;
    double m_dSize = 100.0;
};

// A command-bar control that shows a tab client's tabs in its bar.
class CKitControlTabWorkspace : public CKitControlButton {
    DECLARE_DYNCREATE(CKitControlTabWorkspace)
public:
    static constexpr int kDefaultWidth = 220;

    CKitControlTabWorkspace();
    ~CKitControlTabWorkspace() override;

    // Shows the client's tabs here (null: none; the control is a plain button).
    void SetTabClient(CKitTabClientWnd* pClient);
    CKitTabClientWnd* GetTabClient() const { return m_pClient; }
    CKitTabClientWnd::CWorkspace* GetWorkspace() const;
    // The next placing lays the tabs out even when the rectangle is the same.
    void SetForceReposition() { m_bForceReposition = TRUE; }

    CSize GetSize(CDC* pDC) override;
    void SetRect(const CRect& rc) override;
    void Draw(CDC* pDC) override;
    void OnMouseMove(CPoint pt) override;
    void OnClick(BOOL bKeyboard = FALSE, CPoint pt = CPoint()) override;
    // The tab (or strip button) under the point with its tooltip; none without a client.
    INT_PTR OnToolHitTest(CPoint pt, TOOLINFOA* pTI) override;
    void OnRemoved() override;
    void Copy(const CKitControl* pSource, BOOL bRecursive) override;

private:
    class CBarWorkspace;

    CKitTabClientWnd* m_pClient = nullptr;
    CBarWorkspace* m_pWorkspace = nullptr;
    BOOL m_bForceReposition = FALSE;
};

// CKitHeaderCtrl: the themed header of list controls, with hot tracking, sort arrows, column images, a sorting menu, locked columns and fitting to the width.
#pragma once

#include "framework/listctrl.h"

#include <windows.h>

#include <commctrl.h>

#include <vector>

class CKitHeaderCtrlTheme;
class CKitImageManager;

class CKitHeaderCtrl : public CHeaderCtrl {
    DECLARE_DYNAMIC(CKitHeaderCtrl)
public:
    // The header's submenu of the toolkit's menu (its ids in toolkit_ids.h).
    static constexpr int kHeaderSubMenu = 2;
    // The hot-tracking timer and its period.
    static constexpr UINT_PTR kHotTimer = 1;
    static constexpr UINT kHotPeriod = 10;

    CKitHeaderCtrl();
    ~CKitHeaderCtrl() override;

    // The left button is down over the item.
    virtual BOOL ItemPressed(int nIndex);
    // Lays the header out again and makes its list lay itself out.
    virtual void RecalcLayout();
    virtual void SetFontBold(BOOL bBold = TRUE);
    // A menu resource shown instead of the built-in one.
    virtual void SetMenuID(UINT nMenuID, int nSubMenu = 0);
    virtual void InitializeHeader(BOOL bBoldFont);
    virtual void ShowSortArrow(BOOL bShow);
    // The list column under the last right click: 0 left, 1 right, 2 centre.
    virtual void SetAlignment(int nFormat);
    virtual BOOL IsRTLReading();
    // Shares the width among the columns that are not locked.
    virtual void ApplyFieldWidths(int nTotalWidth);
    // Fits the unlocked columns to the width (below 1: the header's own).
    virtual void FitFieldsToWidth(int nWidth);
    virtual int GetLockedColumnsWidth();
    virtual void RefreshMetrics();

    // 1 to 4 Office XP, 5 Office 2003, 6, 8, 9 and 10 Explorer, 7 resource images, any other the default.
    void SetTheme(int nTheme);
    CKitHeaderCtrlTheme* GetTheme() const { return m_pTheme; }
    // The sort column (-1 for none) and its direction.
    int GetSortedColumn(BOOL* pbAscending = nullptr) const;
    void SetSortedColumn(int nColumn, BOOL bAscending);
    using CHeaderCtrl::HitTest;
    // The item under the point (client coordinates), or -1; *pFlags gets the hit-test flags.
    int HitTest(CPoint point, UINT* pFlags = nullptr) const;
    BOOL IsColumnLocked(int nIndex) const;
    void LockColumn(int nIndex, BOOL bLock = TRUE);
    void SetMinColumnWidth(int nWidth) { m_nMinWidth = nWidth; }
    int GetMinColumnWidth() const { return m_nMinWidth; }
    void SetAutoSize(BOOL bAutoSize) { m_bAutoSize = bAutoSize; }
    void EnableMenus(BOOL bEnable) { m_bEnableMenus = bEnable; }
    // The header takes a reference of the manager for its column images.
    void SetImageManager(CKitImageManager* pImageManager);
    CKitImageManager* GetImageManager() const { return m_pImageManager; }
    // The parent is a list control: its notifications and column widths go there.
    BOOL IsParentList() const;
    // The item's rectangle, empty for no item.
    CRect GetItemRect(int nIndex) const;
    using CHeaderCtrl::GetItemRect;

protected:
    // Sets the sort and tells the list, as a click on the column would.
    void SortByMenu(BOOL bAscending);
    void ShowHeaderMenu(CPoint ptScreen);

    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnDestroy();
    afx_msg BOOL OnItemChanging(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnWindowPosChanging(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnLayout(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSettingChange(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetTheme(WPARAM wParam, LPARAM lParam);
    afx_msg void OnSortAscending();
    afx_msg void OnSortDescending();
    afx_msg void OnAlignLeft();
    afx_msg void OnAlignCenter();
    afx_msg void OnAlignRight();

    int m_nMinWidth;
    int m_nSubMenuIndex;
    int m_nHotItem;
    int m_nSortedCol;
    BYTE m_bRTL;
    BYTE m_bAutoSize;
    BYTE m_bEnableMenus;
    BYTE m_bAscending;
    BYTE m_bLBtnDown;
    BYTE m_bPainted;
    UINT m_nMenuID;
    CPoint m_pt;
    std::vector<int> m_lockedColumns;
    CKitHeaderCtrlTheme* m_pTheme;
    CKitImageManager* m_pImageManager;

    DECLARE_MESSAGE_MAP()
};

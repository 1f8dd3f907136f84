// CHeaderCtrl, CListCtrl, CToolTipCtrl: the header, list view and tooltip control wrappers.
#pragma once

#include "framework/controls.h"

#include <memory>

// A header control. Adds no data to CWnd, so the object FromHandle makes for a
// header's handle serves as one (see CListCtrl::GetHeaderCtrl).
class CHeaderCtrl : public CWnd {
    DECLARE_DYNAMIC(CHeaderCtrl)
public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    int GetItemCount() const;
    BOOL GetItemRect(int nIndex, LPRECT lpRect) const;
    BOOL GetItem(int nPos, HDITEMA* pHeaderItem) const;
    BOOL SetItem(int nPos, const HDITEMA* pHeaderItem);
    int OrderToIndex(int nOrder) const;
    // The item under the point of pHitTestInfo (header client coordinates), or -1.
    int HitTest(HDHITTESTINFO* pHitTestInfo) const;
};

// A tooltip control.
class CToolTipCtrl : public CWnd {
    DECLARE_DYNAMIC(CToolTipCtrl)
public:
    // A pop-up tooltip owned by pParentWnd's top-level window.
    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = 0);

    void Activate(BOOL bActivate);
    BOOL AddTool(const TOOLINFOA* pToolInfo);
    void DelTool(HWND hWnd, UINT_PTR nIDTool);
    // Hands a mouse message of a tool's window to the control.
    void RelayEvent(MSG* pMsg);
    int GetToolCount() const;
    int SetMaxTipWidth(int iWidth);
    void Pop();
};

// A list view control.
class CListCtrl : public CWnd {
    DECLARE_DYNAMIC(CListCtrl)
public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    // The list's header (an object of the handle map), or null.
    CHeaderCtrl* GetHeaderCtrl() const;
    // The list's own tooltip control, or null.
    CToolTipCtrl* GetToolTips() const;

    int InsertColumn(int nCol, LPCSTR lpszColumnHeading, int nFormat = LVCFMT_LEFT, int nWidth = -1,
                     int nSubItem = -1);
    int InsertColumn(int nCol, const LVCOLUMNA* pColumn);
    BOOL DeleteColumn(int nCol);
    BOOL GetColumn(int nCol, LVCOLUMNA* pColumn) const;
    BOOL SetColumn(int nCol, const LVCOLUMNA* pColumn);
    int GetColumnWidth(int nCol) const;
    BOOL SetColumnWidth(int nCol, int cx);
    BOOL GetColumnOrderArray(LPINT piArray, int iCount) const;
    BOOL SetColumnOrderArray(int iCount, LPINT piArray);
    int GetStringWidth(LPCSTR lpsz) const;

    int InsertItem(const LVITEMA* pItem);
    int InsertItem(int nItem, LPCSTR lpszItem);
    int InsertItem(int nItem, LPCSTR lpszItem, int nImage);
    BOOL GetItem(LVITEMA* pItem) const;
    BOOL SetItem(const LVITEMA* pItem);
    BOOL SetItemText(int nItem, int nSubItem, LPCSTR lpszText);
    CString GetItemText(int nItem, int nSubItem) const;
    // Copies at most nLen - 1 characters of the text into lpszText; the number copied.
    int GetItemText(int nItem, int nSubItem, LPSTR lpszText, int nLen) const;
    BOOL SetItemData(int nItem, DWORD_PTR dwData);
    DWORD_PTR GetItemData(int nItem) const;
    int GetItemCount() const;
    // Owner-data lists: the number of rows.
    BOOL SetItemCount(int nItems);
    BOOL DeleteItem(int nItem);
    BOOL DeleteAllItems();
    int GetNextItem(int nItem, int nFlags) const;
    UINT GetSelectedCount() const;
    POSITION GetFirstSelectedItemPosition() const;
    int GetNextSelectedItem(POSITION& pos) const;
    int GetSelectionMark() const;
    int SetSelectionMark(int iIndex);
    BOOL SetItemState(int nItem, UINT nState, UINT nMask);
    UINT GetItemState(int nItem, UINT nMask) const;
    BOOL GetItemRect(int nItem, LPRECT lpRect, UINT nCode) const;
    // A picture of the item for dragging; lpPoint receives where its top-left corner lies in the list. Null
    // when the list makes none.
    std::unique_ptr<CImageList> CreateDragImage(int nItem, LPPOINT lpPoint);
    // nArea: LVIR_BOUNDS, LVIR_ICON or LVIR_LABEL.
    BOOL GetSubItemRect(int iItem, int iSubItem, int nArea, CRect& ref) const;
    int GetTopIndex() const;
    int GetCountPerPage() const;
    BOOL RedrawItems(int nFirst, int nLast);
    BOOL Update(int nItem);
    // Scrolls by size pixels (horizontal) and size.cy pixels (vertical, rounded to rows).
    BOOL Scroll(CSize size);
    BOOL EnsureVisible(int nItem, BOOL bPartialOK);
    // Sorts the rows with the comparison; it receives the rows' item data.
    BOOL SortItems(PFNLVCOMPARE pfnCompare, DWORD_PTR dwData);

    DWORD SetExtendedStyle(DWORD dwNewStyle);
    DWORD GetExtendedStyle() const;
    HIMAGELIST SetImageList(CImageList* pImageList, int nImageListType);
    HIMAGELIST GetImageList(int nImageListType) const;
    COLORREF GetBkColor() const;
    BOOL SetBkColor(COLORREF cr);
    COLORREF GetTextColor() const;
    BOOL SetTextColor(COLORREF cr);
    COLORREF GetTextBkColor() const;
    BOOL SetTextBkColor(COLORREF cr);

    int HitTest(CPoint pt, UINT* pFlags = nullptr) const;
    int SubItemHitTest(LVHITTESTINFO* pInfo) const;

protected:
    // The header and tooltip the list view makes ask the list, not our layer,
    // which character width their notifications take.
    afx_msg LRESULT OnNotifyFormat(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()
};

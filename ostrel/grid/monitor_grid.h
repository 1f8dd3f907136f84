// CMonitorGrid: the spreadsheet-like grid window of the tag monitor (window class "MonitorGridCtrl").
#pragma once

#include "framework/controls.h"
#include "framework/gdi.h"
#include "framework/oledrop.h"
#include "framework/print.h"
#include "framework/wnd.h"
#include "ostrel/grid/cell_range.h"
#include "ostrel/grid/grid_drop_target.h"
#include "ostrel/grid/monitor_cell.h"
#include "ostrel/grid/title_tip.h"

#include <memory>
#include <unordered_map>
#include <vector>

// The registered window class of the grid.
constexpr char kMonitorGridClassName[] = "MonitorGridCtrl";
// The control id of an in-place editor.
constexpr UINT kInPlaceControlId = 8;
// The timer that scrolls while the mouse selects beyond the client area.
constexpr UINT_PTR kAutoScrollTimerId = 513;

// Grid-line modes.
constexpr int GRID_LINES_NONE = 0;
constexpr int GRID_LINES_HORZ = 1;
constexpr int GRID_LINES_VERT = 2;
constexpr int GRID_LINES_BOTH = 3;

// Which cells count when a row or column is auto-sized.
constexpr UINT AUTOSIZE_FIXED = 1;
constexpr UINT AUTOSIZE_NONFIXED = 2;
constexpr UINT AUTOSIZE_BOTH = 3;

// What every notification of the grid carries after its header.
struct MonitorGridNotify {
    NMHDR hdr;
    int iRow;
    int iColumn;
};

// LVN_GETDISPINFO in virtual mode: the parent puts the cell's text into strText.
struct MonitorGridDispInfo {
    NMHDR hdr;
    int iRow;
    int iColumn;
    CString strText;
};

// LVN_ODCACHEHINT in virtual mode: the cells about to be drawn or copied; (-1, -1, -1, -1) when done.
struct MonitorGridCacheHint {
    NMHDR hdr;
    CCellRange range;
};

// Compares two rows' data in virtual mode: negative, zero or positive.
using VirtualCompareFunction = int (*)(int nRow1, int nRow2, int nColumn);

class CMonitorGrid : public CWnd {
    DECLARE_DYNCREATE(CMonitorGrid)
public:
    CMonitorGrid(int nRows = 0, int nCols = 0, int nFixedRows = 0, int nFixedCols = 0);
    ~CMonitorGrid() override;

    // Registers "MonitorGridCtrl" once per module; throws the resource exception on failure.
    static BOOL RegisterWindowClass();

    BOOL Create(const RECT& rect, CWnd* pParentWnd, UINT nID,
                DWORD dwStyle = WS_CHILD | WS_BORDER | WS_TABSTOP | WS_VISIBLE);

    // Table shape; 1 on success, 0 on failure.
    int SetRowCount(int nRows);
    int SetColumnCount(int nCols);
    int SetFixedRowCount(int nFixedRows);
    int SetFixedColumnCount(int nFixedCols);
    int GetRowCount() const { return m_nRows; }
    int GetColumnCount() const { return m_nCols; }
    int GetFixedRowCount() const { return m_nFixedRows; }
    int GetFixedColumnCount() const { return m_nFixedCols; }

    // Adds a row (nRow -1 appends; else before that non-fixed row); the new row's index or -1.
    int InsertRow(LPCSTR strHeading, int nRow = -1);
    BOOL DeleteRow(int nRow);
    // Deletes nCount rows from nFirst on at once (many rows cost one layout, not one each).
    BOOL DeleteRows(int nFirst, int nCount);
    BOOL DeleteAllItems();
    BOOL DeleteNonFixedRows();

    // Row and column sizes; 0 hides the row or column.
    int GetRowHeight(int nRow) const;
    int GetColumnWidth(int nCol) const;
    BOOL SetRowHeight(int nRow, int height);
    BOOL SetColumnWidth(int nCol, int width);
    int GetFixedRowHeight() const;
    int GetFixedColumnWidth() const;
    long GetVirtualWidth() const;
    long GetVirtualHeight() const;
    BOOL AutoSizeRow(int nRow, BOOL bResetScroll = TRUE);
    BOOL AutoSizeColumn(int nCol, UINT nAutoSizeStyle = AUTOSIZE_BOTH, BOOL bResetScroll = TRUE);
    void AutoSizeColumns(UINT nAutoSizeStyle = AUTOSIZE_BOTH);
    void AutoSizeRows();
    void AutoSize(UINT nAutoSizeStyle = AUTOSIZE_BOTH);
    void ExpandColumnsToFit(BOOL bExpandFixed = TRUE);

    // Cells.
    CMonitorCellBase* GetCell(int nRow, int nCol) const;
    BOOL SetCellType(int nRow, int nCol, CRuntimeClass* pRuntimeClass);
    BOOL SetDefaultCellType(CRuntimeClass* pRuntimeClass);
    BOOL PutCell(int nRow, int nCol, CMonitorCellBase* pCell);
    CMonitorDefaultCell* GetDefaultCell(BOOL bFixedRow, BOOL bFixedCol) const;
    BOOL IsValid(int nRow, int nCol) const;
    BOOL IsValid(const CCellID& cell) const { return IsValid(cell.row, cell.col); }
    BOOL IsValid(const CCellRange& range) const;
    BOOL IsCellFixed(int nRow, int nCol) const { return nRow < m_nFixedRows || nCol < m_nFixedCols; }

    CString GetItemText(int nRow, int nCol) const;
    BOOL SetItemText(int nRow, int nCol, LPCSTR str);
    BOOL SetItemData(int nRow, int nCol, LPARAM lParam);
    LPARAM GetItemData(int nRow, int nCol) const;
    BOOL SetItemImage(int nRow, int nCol, int iImage);
    BOOL SetItemState(int nRow, int nCol, DWORD state);
    DWORD GetItemState(int nRow, int nCol) const;
    BOOL SetItemFormat(int nRow, int nCol, DWORD nFormat);
    BOOL SetItemBkColour(int nRow, int nCol, COLORREF cr = CLR_DEFAULT);
    BOOL SetItemFgColour(int nRow, int nCol, COLORREF cr = CLR_DEFAULT);
    BOOL SetItemFont(int nRow, int nCol, const LOGFONTA* plf);
    // Marks the cell modified; a change in the sort column clears the sort arrow.
    void SetModified(int nRow, int nCol);
    BOOL GetModified() const { return m_bModified; }
    void SetModifiedFlag(BOOL bModified) { m_bModified = bModified; }
    BOOL IsCellEditable(int nRow, int nCol) const;

    // Appearance.
    void SetGridLines(int nWhichLines = GRID_LINES_BOTH);
    int GetGridLines() const { return m_nGridLines; }
    void SetGridBkColor(COLORREF clr) { m_crGridBkColour = clr; }
    COLORREF GetGridBkColor() const { return m_crGridBkColour; }
    void SetGridLineColor(COLORREF clr) { m_crGridLineColour = clr; }
    COLORREF GetGridLineColor() const { return m_crGridLineColour; }
    void SetTitleTipBackClr(COLORREF clr = CLR_DEFAULT) { m_crTTipBackClr = clr; }
    void SetTitleTipTextClr(COLORREF clr = CLR_DEFAULT) { m_crTTipTextClr = clr; }
    void SetImageList(CImageList* pList) { m_pImageList = pList; }
    CImageList* GetImageList() const { return m_pImageList; }
    // Sets the font of the default cells (and with it the default sizes).
    void SetFont(const LOGFONTA* plf);
    void SetTrackFocusCell(BOOL bTrack) { m_bTrackFocusCell = bTrack; }
    BOOL GetTrackFocusCell() const { return m_bTrackFocusCell; }
    void SetFrameFocusCell(BOOL bFrame) { m_bFrameFocus = bFrame; }
    BOOL GetFrameFocusCell() const { return m_bFrameFocus; }
    void SetDoubleBuffering(BOOL bBuffer) { m_bDoubleBuffer = bBuffer; }
    BOOL GetDoubleBuffering() const { return m_bDoubleBuffer; }
    void EnableTitleTips(BOOL bEnable = TRUE) { m_bTitleTips = bEnable; }
    BOOL GetTitleTips() const { return m_bTitleTips; }
    void SetAutoSizeStyle(UINT nStyle) { m_nAutoSizeColumnStyle = nStyle; }

    // Behaviour switches.
    void SetEditable(BOOL bEditable = TRUE) { m_bEditable = bEditable; }
    BOOL IsEditable() const { return m_bEditable; }
    void EnableDragAndDrop(BOOL bAllow = TRUE) { m_bAllowDragAndDrop = bAllow; }
    BOOL GetDragAndDrop() const { return m_bAllowDragAndDrop; }
    void SetListMode(BOOL bEnableListMode = TRUE);
    BOOL GetListMode() const { return m_bListMode; }
    void SetSingleRowSelection(BOOL bSing = TRUE) { m_bSingleRowSelection = bSing; }
    void SetSingleColSelection(BOOL bSing = TRUE) { m_bSingleColSelection = bSing; }
    void EnableSelection(BOOL bEnable = TRUE);
    BOOL IsSelectable() const { return m_bEnableSelection; }
    void SetFixedColumnSelection(BOOL bSelect) { m_bFixedColumnSelection = bSelect; }
    void SetFixedRowSelection(BOOL bSelect) { m_bFixedRowSelection = bSelect; }
    void SetHeaderSort(BOOL bSortOnClick = TRUE) { m_bSortOnClick = bSortOnClick; }
    BOOL GetHeaderSort() const { return m_bSortOnClick; }
    void SetHandleTabKey(BOOL bHandleTab = TRUE) { m_bHandleTabKey = bHandleTab; }
    void SetTabLeavesGrid(BOOL bLeave = TRUE) { m_bTabLeavesGrid = bLeave; }
    void SetFixedColumnsSelectable(BOOL bSelectable = TRUE) { m_bFixedColumnsSelectable = bSelectable; }
    void EnableHiddenColUnhide(BOOL bEnable = TRUE) { m_bHiddenColUnhide = bEnable; }
    void EnableHiddenRowUnhide(BOOL bEnable = TRUE) { m_bHiddenRowUnhide = bEnable; }
    void EnableColumnHide(BOOL bEnable = TRUE) { m_bAllowColHide = bEnable; }
    void EnableRowHide(BOOL bEnable = TRUE) { m_bAllowRowHide = bEnable; }
    void SetRowResize(BOOL bResize = TRUE) { m_bAllowRowResize = bResize; }
    void SetColumnResize(BOOL bResize = TRUE) { m_bAllowColumnResize = bResize; }
    void SetVirtualMode(BOOL bVirtual);
    BOOL GetVirtualMode() const { return m_bVirtualMode; }
    void SetVirtualCompare(VirtualCompareFunction pfn) { m_pfnVirtualCompare = pfn; }
    // Virtual mode: the rows are shown in the parent's order again (a sort is forgotten).
    void ResetRowOrder();
    // Drawing and scroll-bar updates are skipped while redraw is off; turning it back on repaints.
    void SetRedraw(BOOL bAllowDraw, BOOL bResetScrollBars = FALSE);
    BOOL IsRedrawAllowed() const { return m_bAllowDraw; }

    // Focus and selection.
    CCellID SetFocusCell(CCellID cell);
    CCellID SetFocusCell(int nRow, int nCol) { return SetFocusCell(CCellID(nRow, nCol)); }
    CCellID GetFocusCell() const { return m_idCurrentCell; }
    void SetSelectedRange(const CCellRange& range, BOOL bForceRepaint = FALSE, BOOL bSelectCells = TRUE);
    void SetSelectedRange(int nMinRow, int nMinCol, int nMaxRow, int nMaxCol, BOOL bForceRepaint = FALSE,
                          BOOL bSelectCells = TRUE);
    CCellRange GetSelectedRange() const;
    int GetSelectedCount() const { return static_cast<int>(m_SelectedCellMap.size()); }
    BOOL IsCellSelected(int nRow, int nCol) const;
    void SelectAllCells();
    // Clears the selection and the focus.
    void ResetSelectedRange();
    // The cell range of every cell of the table, or of the non-fixed cells.
    CCellRange GetCellRange() const;

    // Geometry and visibility.
    CCellID GetCellFromPt(CPoint point, BOOL bAllowFixedCellCheck = TRUE);
    BOOL GetCellOrigin(int nRow, int nCol, LPPOINT p);
    BOOL GetCellRect(int nRow, int nCol, LPRECT pRect);
    BOOL GetTextRect(int nRow, int nCol, LPRECT pRect);
    CCellID GetTopleftNonFixedCell(BOOL bForceRecalculation = FALSE);
    CCellRange GetVisibleNonFixedCellRange(LPRECT pRect = nullptr, BOOL bForceRecalculation = FALSE);
    CCellRange GetUnobstructedNonFixedCellRange(BOOL bForceRecalculation = FALSE);
    BOOL IsCellVisible(int nRow, int nCol);
    void EnsureVisible(int nRow, int nCol);
    // Invalidates the cell (it is drawn by the next paint).
    BOOL RedrawCell(int nRow, int nCol);
    BOOL RedrawRow(int row);
    BOOL RedrawColumn(int col);
    void Refresh();
    void ResetScrollBars();

    // Sorting.
    void SetCompareFunction(PFNLVCOMPARE pfnCompare) { m_pfnCompare = pfnCompare; }
    BOOL SortItems(int nCol, BOOL bAscending, LPARAM data = 0);
    BOOL SortTextItems(int nCol, BOOL bAscending, LPARAM data = 0);
    BOOL SortItems(PFNLVCOMPARE pfnCompare, int nCol, BOOL bAscending, LPARAM data = 0, int low = 0, int high = -1);
    void SetSortColumn(int nCol);
    int GetSortColumn() const { return m_nSortColumn; }
    void SetSortAscending(BOOL bAscending) { m_bAscending = bAscending; }
    BOOL GetSortAscending() const { return m_bAscending; }
    // The default compare: the cells' texts as multibyte strings, case-sensitive.
    static int CALLBACK CompareCellTexts(LPARAM lParam1, LPARAM lParam2, LPARAM lParamSort);
    // The texts' leading integers, as atol reads them.
    static int CALLBACK CompareCellNumbers(LPARAM lParam1, LPARAM lParam2, LPARAM lParamSort);

    // Printing: shows the print dialog and prints every page on the chosen printer.
    void Print(CPrintDialog* pPrintDialog = nullptr);
    void EnableTrueSizePrinting(BOOL bTrueSize) { m_bTrueSizePrinting = bTrueSize; }
    // Prints every page on pDC (a printer DC) as one document named lpszDocName; FALSE when the job failed.
    BOOL PrintDocument(CDC* pDC, LPCSTR lpszDocName);

    // The overridable operations, in the order of the original's table.
    // Empties the selected cells (Delete, Cut, a dragged move); each is a
    // change the parent may refuse at its begin-edit notification, where
    // IsClearingCells tells it apart from an edit.
    virtual void CutSelectedText();
    bool IsClearingCells() const { return m_bClearingCells; }
    // The clipboard object of the selected range (the caller owns one
    // reference), or null when nothing valid is selected.
    virtual COleDataSource* CopyTextFromGrid();
    virtual BOOL PasteTextToGrid(CCellID cell, COleDataObject* pDataObject, BOOL bSelectPastedCells = TRUE);
    virtual void OnBeginDrag();
    virtual DROPEFFECT OnDragEnter(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
    virtual DROPEFFECT OnDragOver(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
    virtual void OnDragLeave();
    virtual BOOL OnDrop(COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point);
    virtual void OnEditCut();
    virtual void OnEditCopy();
    virtual void OnEditPaste();
    virtual void OnEditSelectAll();
    // Printing: lays out the pages (and sets the job's last page), prints
    // page pInfo->m_nCurPage (from 1), and frees the print font.
    virtual void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo);
    virtual void OnPrint(CDC* pDC, CPrintInfo* pInfo);
    virtual void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo);
    // The parts of a page: header and footer bands, the fixed rows over the
    // page's columns, the fixed columns beside its rows, and its cells.
    virtual void PrintHeader(CDC* pDC, CPrintInfo* pInfo);
    virtual void PrintFooter(CDC* pDC, CPrintInfo* pInfo);
    virtual void PrintColumnHeadings(CDC* pDC, CPrintInfo* pInfo);
    virtual void PrintRowButtons(CDC* pDC, CPrintInfo* pInfo);
    virtual void PrintCells(CDC* pDC, CPrintInfo* pInfo);
    // An image list holding the focus cell drawn at its size, or null.
    virtual CImageList* CreateDragImage(CPoint* pHotSpot);
    virtual void OnFixedColumnClick(CCellID& cell);
    virtual void OnFixedRowClick(CCellID& cell);
    virtual void OnEditCell(int nRow, int nCol, CPoint point, UINT nChar);
    virtual void OnEndEditCell(int nRow, int nCol, CString str);
    virtual BOOL ValidateEdit(int nRow, int nCol, LPCSTR str);
    virtual void EndEditing();
    virtual void OnDraw(CDC* pDC);
    virtual CMonitorCellBase* CreateCell(int nRow, int nCol);
    virtual void DestroyCell(int nRow, int nCol);
    virtual void ShiftRowOrder(int nRow, int nDelta);

    // The command states of Cut, Copy, Paste and Select All.
    BOOL CanCopy() const { return !m_SelectedCellMap.empty(); }
    BOOL CanCut() const { return m_bEditable && !m_SelectedCellMap.empty(); }
    BOOL CanPaste();
    BOOL CanSelectAll() const { return m_bEnableSelection; }

    // Cuts or pastes one cell with the edit notifications; FALSE when refused or undone.
    BOOL ChangeCellText(int nRow, int nCol, LPCSTR szText);
    // Sends a grid notification to the owner (else the parent); the answer.
    LRESULT SendMessageToParent(int nRow, int nCol, int nMessage) const;
    // The wheel scroll lines read at construction (a test seam may set them).
    UINT GetMouseScrollLines() const { return m_nRowsPerWheelNotch; }
    void SetMouseScrollLines(UINT nLines) { m_nRowsPerWheelNotch = nLines; }
    int GetMouseMode() const { return m_MouseMode; }

protected:
    void PreSubclassWindow() override;
    void PostNcDestroy() override {}

    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnRButtonUp(UINT nFlags, CPoint point);
    afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnImeChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg UINT OnGetDlgCode();
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnCaptureChanged(CWnd* pWnd);
    afx_msg void OnSysColorChange();
    afx_msg void OnSettingChange(UINT uFlags, LPCSTR lpszSection);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnDestroy();
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnEndInPlaceEdit(NMHDR* pNMHDR, LRESULT* pResult);
    // WM_GETFONT answers with the normal default cell's font; WM_SETFONT gives its description to every default cell.
    afx_msg LRESULT OnGetFont(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetFont(WPARAM wParam, LPARAM lParam);
    afx_msg void OnEditCopyCommand();
    afx_msg void OnEditCutCommand();
    afx_msg void OnEditPasteCommand();
    afx_msg void OnEditSelectAllCommand();
    afx_msg void OnUpdateEditCopy(CCmdUI* pCmdUI);
    afx_msg void OnUpdateEditCut(CCmdUI* pCmdUI);
    afx_msg void OnUpdateEditPaste(CCmdUI* pCmdUI);
    afx_msg void OnUpdateEditSelectAll(CCmdUI* pCmdUI);
    DECLARE_MESSAGE_MAP()

    // Mouse modes.
    enum MouseMode {
        MOUSE_NOTHING = 0,
        MOUSE_SELECT_ALL = 1,
        MOUSE_SELECT_COL = 2,
        MOUSE_SELECT_ROW = 3,
        MOUSE_SELECT_CELLS = 4,
        MOUSE_OVER_ROW_DIVIDE = 6,
        MOUSE_SIZING_ROW = 7,
        MOUSE_OVER_COL_DIVIDE = 8,
        MOUSE_SIZING_COL = 9,
        MOUSE_PREPARE_EDIT = 10,
        MOUSE_PREPARE_DRAG = 11,
        MOUSE_DRAGGING = 12,
    };

    // One row of cell pointers; the grid owns the cells.
    using GridRow = std::vector<CMonitorCellBase*>;

    void SetupDefaultCells();
    void ReadSystemColours();
    void ReadWheelScrollLines();
    int GetScrollPos32(int nBar, BOOL bGetTrackPos = FALSE);
    BOOL SetScrollPos32(int nBar, int nPos, BOOL bRedraw = TRUE);
    CRect GetNonFixedClientRect();
    void EnableScrollBars(int nBar, BOOL bEnable = TRUE);
    // Scrolls one bar (SB_HORZ, SB_VERT) by a scroll-bar code; only what moves is repainted.
    void Scroll(int nBar, UINT nSBCode);
    // Scrolls one bar until the row (column) nIndex is wholly shown.
    void ScrollUntilShown(int nBar, int nIndex);
    // Fills the fixed bands, the cell area and what lies beyond the last row and column.
    void EraseBackground(CDC* pDC, const CRect& clipRect, const CRect& visRect);

    // Clears the selection (and the one kept from a drag's start), keeping the focus.
    void ClearSelection();
    void SelectColumns(CCellID currentCell, BOOL bForceRedraw = FALSE, BOOL bSelectCells = TRUE);
    void SelectRows(CCellID currentCell, BOOL bForceRedraw = FALSE, BOOL bSelectCells = TRUE);
    void SelectCells(CCellID currentCell, BOOL bForceRedraw = FALSE, BOOL bSelectCells = TRUE);
    // Extends the selection from the selection start cell to currentCell by the mouse mode.
    void OnSelecting(const CCellID& currentCell);
    // Moves the focus by the keyboard: notifications, selection, scrolling.
    void MoveFocusTo(CCellID next, UINT nChar, bool bWrappedTab);
    // Scrolls one step the way nChar moves and then makes the focus cell visible.
    void ScrollToFocus(CCellID next, UINT nChar, bool bWrappedTab);

    BOOL MouseOverRowResizeArea(CPoint& point);
    BOOL MouseOverColumnResizeArea(CPoint& point);
    BOOL MouseOverDivider(CPoint point, bool bColumn);
    // The inverted line that follows the mouse while a column (row) is sized.
    CRect ResizeLineAt(CPoint point, bool bColumn) const;
    void DrawResizeLine(const CRect& from, const CRect& to);
    // Starts sizing the column (row) whose divider was pressed; false when there is none to size.
    bool StartSizing(CPoint point, bool bColumn);
    // Runs the mouse-over hook of the cell under point and shows its title tip when its text is clipped.
    void ShowTitleTip(CPoint point);
    // Whether a typed character starts an in-place edit.
    bool StartsEdit(UINT nChar) const;
    // Moves the drop highlight to cell (none for an invalid one).
    void SetDropHighlight(CCellID cell);

    void SortRowRange(PFNLVCOMPARE pfnCompare, int nCol, BOOL bAscending, LPARAM data, int low, int high);
    void SortRowOrder(int nCol, BOOL bAscending, int low, int high);
    void SwapRows(int nRow1, int nRow2);

    // Grid selection map key: the column in the high half, the row in the low half.
    static ULONGLONG CellKey(int nRow, int nCol)
    {
        return (static_cast<ULONGLONG>(static_cast<UINT>(nCol)) << 32) | static_cast<UINT>(nRow);
    }

    // The stored cell (none in virtual mode, where cells are not kept).
    CMonitorCellBase* StoredCell(int nRow, int nCol) const;
    // Applies change to the stored cell; FALSE when there is none.
    template <class Change>
    BOOL ChangeStoredCell(int nRow, int nCol, Change change);
    // The row actually stored behind a displayed row (virtual mode sorts an order array).
    int StoredRow(int nRow) const;
    void SendCacheHint(const CCellRange& range) const;

    // The first row (column) of each page down (across): a page ends before
    // the row whose height takes the running sum past the printable height.
    std::vector<int> PageStarts(bool bRows) const;
    // The bold form of the print font.
    void CreateBoldPrintFont(CFont& font) const;
    // The width of the page between the margins, in logical units.
    int PrintBandWidth() const;

    // Colours.
    COLORREF m_crGridBkColour;
    COLORREF m_crGridLineColour = RGB(0xC0, 0xC0, 0xC0);
    COLORREF m_crWindowText;
    COLORREF m_crWindowColour;
    COLORREF m_cr3DFace;
    COLORREF m_crShadow;
    COLORREF m_crTTipBackClr = CLR_DEFAULT;
    COLORREF m_crTTipTextClr = CLR_DEFAULT;

    // Behaviour.
    BOOL m_bVirtualMode = FALSE;
    int m_nGridLines = GRID_LINES_BOTH;
    BOOL m_bEditable = TRUE;
    bool m_bClearingCells = false;
    BOOL m_bModified = FALSE;
    BOOL m_bAllowDragAndDrop = FALSE;
    BOOL m_bListMode = FALSE;
    BOOL m_bSingleRowSelection = FALSE;
    BOOL m_bSingleColSelection = FALSE;
    BOOL m_bAllowDraw = TRUE;
    BOOL m_bEnableSelection = TRUE;
    BOOL m_bFixedColumnSelection = TRUE;
    BOOL m_bFixedRowSelection = TRUE;
    BOOL m_bSortOnClick = FALSE;
    BOOL m_bHandleTabKey = TRUE;
    BOOL m_bDoubleBuffer = TRUE;
    BOOL m_bTitleTips = TRUE;
    BOOL m_bHiddenColUnhide = TRUE;
    BOOL m_bHiddenRowUnhide = TRUE;
    BOOL m_bAllowColHide = TRUE;
    BOOL m_bAllowRowHide = TRUE;
    BOOL m_bTrackFocusCell = TRUE;
    BOOL m_bFrameFocus = TRUE;
    UINT m_nAutoSizeColumnStyle = AUTOSIZE_BOTH;

    // The table.
    int m_nRows = 0;
    int m_nFixedRows = 0;
    int m_nCols = 0;
    int m_nFixedCols = 0;
    std::vector<UINT> m_arRowHeights;
    std::vector<UINT> m_arColWidths;
    int m_nVScrollMax = 0;
    int m_nHScrollMax = 0;
    CRuntimeClass* m_pRtcDefault;
    CMonitorDefaultCell m_cellDefault;
    CMonitorDefaultCell m_cellFixedColDef;
    CMonitorDefaultCell m_cellFixedRowDef;
    CMonitorDefaultCell m_cellFixedRowColDef;
    CImageList* m_pImageList = nullptr;
    std::vector<GridRow> m_RowData;

    // The mouse.
    int m_MouseMode = MOUSE_NOTHING;
    BOOL m_bLMouseButtonDown = FALSE;
    CPoint m_LeftClickDownPoint;
    CPoint m_LastMousePoint;
    CCellID m_LeftClickDownCell;
    CCellID m_SelectionStartCell;
    CCellID m_idCurrentCell;
    CCellID m_idTopLeftCell;
    UINT_PTR m_nTimerID = 0;
    int m_nTimerInterval = 25;
    int m_nResizeCaptureRange = 3;
    BOOL m_bAllowRowResize = TRUE;
    BOOL m_bAllowColumnResize = TRUE;
    UINT m_nRowsPerWheelNotch = 3;
    int m_nBarState = 0;

    // Selection, keyed by CellKey.
    std::unordered_map<ULONGLONG, CCellID> m_SelectedCellMap;
    std::unordered_map<ULONGLONG, CCellID> m_PrevSelectedCellMap;

    CTitleTip m_TitleTip;
    CMonitorGridDropTarget m_DropTarget;
    CCellID m_LastDragOverCell;

    // Sorting.
    BOOL m_bAscending = TRUE;
    int m_nSortColumn = -1;
    PFNLVCOMPARE m_pfnCompare = nullptr;
    VirtualCompareFunction m_pfnVirtualCompare = nullptr;

    // Printing.
    // Character width and line height of the print font.
    CSize m_CharSize;
    CSize m_LogicalPageSize;
    CSize m_PaperSize;
    // The printable height for rows and width for columns.
    int m_nPageHeight = 0;
    int m_nPageWidth = 0;
    int m_nPagesDown = 1;
    int m_nPagesAcross = 1;
    int m_nPageFirstRow = 0;
    int m_nPageFirstCol = 0;
    int m_nNumPages = 0;
    int m_nLeftMargin = 4;
    int m_nRightMargin = 4;
    int m_nTopMargin = 2;
    int m_nBottomMargin = 2;
    int m_nGap = 1;
    int m_nHeaderHeight = 1;
    int m_nFooterHeight = 1;
    BOOL m_bTrueSizePrinting = FALSE;
    CFont m_PrinterFont;

    // Virtual mode: displayed row to the row the parent is asked for.
    std::vector<int> m_arRowOrder;

    BOOL m_bTabLeavesGrid = FALSE;
    BOOL m_bFixedColumnsSelectable = FALSE;

private:
    // Destroys the cells of rows firstRow to endRow - 1 in columns firstCol to endCol - 1.
    void DestroyCells(int firstRow, int endRow, int firstCol, int endCol);
    // Sizes rows firstRow to endRow - 1 to m_nCols cells and makes their cells from column firstCol on.
    void CreateCells(int firstRow, int endRow, int firstCol);
    // Marks the cells of the first count rows (rows) or columns fixed and those of the others not; a cell
    // the other kind of fixed line holds stays fixed.
    void MarkFixedCells(int count, bool rows);
    // Redraws the fixed cells of cell's row and column, which show where the focus is.
    void RedrawFixedCellsOf(const CCellID& cell);

    // Guards the frame nudge made when a dialog control is subclassed.
    bool m_bSubclassing = false;
    bool m_bCreating = false;
    bool m_bDestroying = false;
    bool m_bResettingScrollBars = false;
    // A drop of our own drag inside this grid already moved the text.
    bool m_bMovedWithinGrid = false;
    // The cell virtual mode hands out, refilled from the parent on each call.
    mutable CMonitorCell m_virtualCell;
};

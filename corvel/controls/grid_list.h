// CGridList: the report list with column and row traits, a focus cell, in-place editing, sorting and copying.
#pragma once

#include "corvel/controls/grid_traits.h"

#include <ctime>
#include <memory>
#include <type_traits>
#include <vector>

namespace Corvel::Records {
class CPLC_Device;
}

// A report list view whose columns are described by column traits (drawing,
// sorting, editing, visibility) and whose rows are drawn by a row trait. A focus
// cell inside the focused row is moved with Left and Right; a second click on it,
// or F2, edits it in place. Header clicks sort, the header's context menu shows
// and hides columns, typing searches a sub-item column, Ctrl+C copies, and a
// right click opens the context menu of the list's menu mode; where that menu
// offers Delete, the Delete key deletes the selected rows as it does.
class CGridList : public CListCtrl {
    DECLARE_DYNAMIC(CGridList)
public:
    CGridList();
    ~CGridList() override;

    virtual CFont* GetGridFont();
    // Row height (and cell font) grow by margin; texts keep the grid font.
    virtual void SetCellMargin(double margin);
    virtual CRowTrait* GetRowTrait(int row);
    virtual void SetDefaultRowTrait(std::unique_ptr<CRowTrait> trait);
    // Scrolls so that the column's header item is in view; false for a column out of range.
    virtual BOOL EnsureColumnVisible(int col, bool partialOK);
    // Fits the width of the column (-1: every column) to its cells, and to its heading when asked.
    virtual BOOL SetColumnWidthAuto(int col = -1, bool includeHeader = false);
    virtual void SetSortArrow(int col, bool ascending);
    virtual BOOL ShowColumn(int col, bool show);
    virtual bool IsColumnVisible(int col);
    // The first column in display order that is shown, or -1.
    virtual int GetFirstVisibleColumn();
    // Inserts at position 0 a column that is never shown (the list view's label column).
    virtual int InsertHiddenLabelColumn();
    virtual void InsertColumnTraitAt(int col, std::unique_ptr<CColumnTrait> trait);
    // Inserts a column described by trait (a text trait when null); the column's index or -1.
    virtual int InsertColumnTrait(int col, LPCSTR heading, int format = LVCFMT_LEFT, int width = -1,
                                  int subItem = -1, std::unique_ptr<CColumnTrait> trait = nullptr);
    // The column's trait, or null for a column out of range.
    virtual CColumnTrait* GetColumnTrait(int col);
    virtual int GetColumnTraitCount() const;
    // Applies the manager's stored state to the list.
    virtual void SetColumnManager(std::unique_ptr<CColumnManager> manager);
    // Starts editing a cell in place; the editor, or null when the cell cannot be edited.
    virtual CWnd* EditCell(int row, int col);
    virtual CColumnTrait* GetCellColumnTrait(int row, int col);

    // Hooks for derived lists: texts, images, tooltips, colours and fonts of cells and rows.
    // The base gives nothing (false) unless stated.
    virtual bool GetCellText(int row, int col, CString& text);
    virtual bool GetCellImage(int row, int col, int& image);
    // The base: the cell's text.
    virtual bool GetCellTooltip(int row, int col, CString& text);
    // The base: true.
    virtual bool HasCellTooltip(CPoint point);
    virtual bool OnDisplayCellColor(int row, int col, COLORREF& textColor, COLORREF& backColor);
    virtual bool GetCellFontHook(int row, int col, LOGFONTA& font);
    virtual bool GetRowColor(int row, COLORREF& textColor, COLORREF& backColor);
    virtual bool GetRowFontHook(int row, LOGFONTA& font);
    // The base: the heading (row -1) or the cell's text.
    virtual bool GetCellClipboardText(int row, int col, CString& text);
    // The base: the visible columns' texts in display order, tab-separated (row -1: the headings).
    virtual bool GetRowClipboardText(int row, CString& text);
    // The base: one cell, or the headings and the selected rows (see CopySelectionToClipboard).
    virtual bool GetSelectionClipboardText(CString& text);
    virtual bool HasOwnerDataCheckBox(int row);
    // The user toggled the check box of a row of an owner-data list; the base repaints the list.
    virtual void InvalidateRow(int row);

    // The first row after start, wrapping from the last row to row 0 and stopping before
    // start, whose text in col begins with text (ignoring case); -1 when none.
    virtual int FindRowByText(int col, int start, LPCSTR text);
    virtual void DeleteColumnTrait(int col);
    // Sorts the rows by the column's trait; false for owner-data lists.
    virtual bool SortColumn(int col, bool ascending);
    virtual void OnTraitCustomDraw(CColumnTrait* trait, NMLVCUSTOMDRAW* pDraw, LRESULT* pResult);
    virtual CWnd* BeginCellEdit(CColumnTrait* trait, int row, int col);
    // Whether an edited text is taken; the base takes every one.
    virtual bool AcceptCellEdit(CColumnTrait* trait, CWnd* editor, NMLVDISPINFOA* pInfo);
    virtual void OnContextMenuGrid(CWnd* pWnd, CPoint point);
    // The column picker (and the column manager's items) over the header.
    virtual void OnContextMenuHeader(CWnd* pWnd, CPoint point, int col);
    virtual void OnContextMenuKeyboard(CWnd* pWnd, CPoint point);
    virtual void OnContextMenuCell(CWnd* pWnd, CPoint point, int row, int col);
    // Applies the list's styles; the list must be a report list without owner-drawn rows.
    virtual void OnCreateStyle();
    // Puts GetSelectionClipboardText on the clipboard as plain text.
    virtual void CopySelectionToClipboard();

    int GetFocusRow() const;
    void SetFocusRow(int row);
    int GetFocusCell() const { return m_focusCell; }
    bool IsRowSelected(int row) const;
    // Selects or deselects a row; row -1: every row.
    void SelectRow(int row, bool select);
    // The cell under a client point: the row is -1 unless the point is on an item.
    void CellHitTest(CPoint point, int& row, int& col) const;
    // The cell's rectangle; part is LVIR_BOUNDS, LVIR_ICON or LVIR_LABEL.
    bool GetCellRect(int row, int col, int part, CRect& rect);
    bool IsCellEditorOpen() const { return m_pCellEditor != nullptr; }
    // The image index of the cell, or -1 when it shows none.
    int GetCellImageIndex(int row, int col) const;
    // Whether the cell's text comes from GetCellText (owner data or the callback marker).
    bool IsCellCallback(int row, int col) const;
    // Adds a row (row -1: at the end) with the texts of its first count columns; null texts
    // are skipped. The new row, or -1.
    template <class... Rest>
    int InsertRowTexts(int row, int count, LPCSTR first, Rest... rest)
    {
        static_assert((std::is_convertible<Rest, LPCSTR>::value && ...), "the texts are LPCSTR");
        return InsertRowTextList(row, count, {first, static_cast<LPCSTR>(rest)...});
    }
    int InsertRowTextList(int row, int count, const std::vector<LPCSTR>& texts);
    // Painted centred while the list has no rows.
    void SetEmptyListText(LPCSTR text);
    const CString& GetEmptyListText() const { return m_emptyListText; }
    // Applies the themed list look when the system offers it: 0 then, 1 when it cannot.
    LRESULT EnableVisualStyles(bool enable);
    bool UsesVisualStyle() const { return m_visualStyle; }

    // 0: by the bound PLC record's device type; 1: print; 2: map view; 3: delete; other: none.
    static constexpr int kMenuModeDelete = 3;
    void SetMenuMode(int mode) { m_menuMode = mode; }
    int GetMenuMode() const { return m_menuMode; }
    void SetBoundRecord(Corvel::Records::CPLC_Device* record) { m_pBoundRecord = record; }
    Corvel::Records::CPLC_Device* GetBoundRecord() const { return m_pBoundRecord; }
    // A click on the header of column 1 does not sort.
    void SetFirstColumnUnsortable(bool unsortable) { m_firstColumnUnsortable = unsortable; }
    bool IsModified() const { return m_modified; }
    void SetModified(bool modified = true) { m_modified = modified; }
    int GetSortColumn() const { return m_sortColumn; }
    bool IsSortAscending() const { return m_ascending; }
    int GetLastClickedRow() const { return m_lastClickedRow; }
    double GetCellMargin() const { return m_margin; }

    // The search's clock (seconds); tests replace it. Returns the clock it replaced.
    using SearchClock = __time64_t (*)();
    static SearchClock SetSearchClock(SearchClock clock);

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    INT_PTR OnToolHitTest(CPoint point, TOOLINFOA* pTI) const override;

protected:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void PreSubclassWindow() override;

    afx_msg virtual int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg virtual LRESULT OnDeleteColumn(WPARAM wParam, LPARAM lParam);
    afx_msg virtual LRESULT OnInsertColumn(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnInsertColumnA(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetColumnA(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetColumnA(WPARAM wParam, LPARAM lParam);
    afx_msg virtual BOOL OnItemClick(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg virtual BOOL OnItemDblClick(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg virtual BOOL OnGetDispInfo(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg virtual void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg virtual void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg virtual void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg virtual void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg virtual void OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg virtual LRESULT OnSetColumnWidth(WPARAM wParam, LPARAM lParam);
    afx_msg virtual BOOL OnHeaderDividerDblClick(UINT nID, NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg virtual BOOL OnHeaderBeginResize(UINT nID, NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg virtual BOOL OnHeaderBeginDrag(UINT nID, NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg virtual BOOL OnHeaderEndResize(UINT nID, NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg virtual BOOL OnHeaderEndDrag(UINT nID, NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg virtual void OnHeaderClick(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg virtual BOOL OnToolNeedText(UINT nID, NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg virtual BOOL OnBeginLabelEdit(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg virtual BOOL OnEndLabelEdit(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg virtual BOOL OnOwnerDataFindItem(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg virtual void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg virtual void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg virtual void OnContextMenu(CWnd* pWnd, CPoint point);
    afx_msg virtual void OnPaint();
    afx_msg virtual void OnKillFocus(CWnd* pNewWnd);
    afx_msg virtual LRESULT OnCopy(WPARAM wParam, LPARAM lParam);
    afx_msg virtual void OnDeleteSelected();
    afx_msg BOOL OnItemChange(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg BOOL OnRowCountChange(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnDestroy();

    DECLARE_MESSAGE_MAP()

private:
    static __time64_t SearchNow();
    int GetColumnCount() const;
    // Gives a column inserted without a trait a text trait; passes the insertion's result on.
    LRESULT AfterColumnInserted(LRESULT inserted);
    CString GetColumnHeading(int col) const;
    std::vector<int> GetColumnOrder() const;
    bool IsOwnerData() const;
    bool HasCheckBoxes() const;
    void MoveFocusCell(bool right);
    void RepaintFocusRow();
    void RepaintAfterDragScroll();
    // Paints the strip between the header and the first row shown with the list's background.
    void FillBelowHeader();
    // The header's sort bitmaps (unthemed sort arrow) are ours: freed here.
    void DropHeaderBitmap(int col);
    // A row's item data, read and written past the list's own message map.
    DWORD_PTR ReadRowData(int row);
    void WriteRowData(int row, DWORD_PTR data);
    // The menu of a right click on a row by menu mode (and bound record); 0 for none.
    UINT GetRowMenuId() const;
    // Whether that menu offers Delete: then the Delete key deletes the selected rows too.
    bool OffersDelete() const;
    // The popup of a right click on a row by menu mode; false when none applies.
    bool ShowRowMenu(CPoint point);

    std::vector<std::unique_ptr<CColumnTrait>> m_columnTraits;
    std::unique_ptr<CColumnManager> m_pColumnManager;
    std::unique_ptr<CRowTrait> m_pDefaultRowTrait;
    int m_focusCell = -1;
    CString m_searchText;
    __time64_t m_searchTime = 0;
    int m_searchColumn = -1;
    int m_searchRow = -1;
    int m_sortColumn = -1;
    bool m_ascending = false;
    CWnd* m_pCellEditor = nullptr;
    bool m_firstColumnUnsortable = false;
    bool m_visualStyle = false;
    std::unique_ptr<CFont> m_pCellFont;
    std::unique_ptr<CFont> m_pGridFont;
    double m_margin = 1.0;
    CString m_emptyListText;
    int m_lastClickedRow = 0;
    int m_menuMode = 0;
    Corvel::Records::CPLC_Device* m_pBoundRecord = nullptr;
    bool m_modified = false;

    // Set from PreCreateWindow until WM_CREATE: the styles wait for the list view to exist.
    bool m_creating = false;
    // Set while the sort's temporary row keys are in the item data: their changes stay inside.
    bool m_sortKeysActive = false;
    // The colours the row trait gave the row being drawn, where each of its cells starts.
    COLORREF m_rowTextColor = CLR_DEFAULT;
    COLORREF m_rowBackColor = CLR_DEFAULT;
    // Set while EditCell asks the parent: only this begin-label-edit may go through.
    bool m_beginningEdit = false;
    // Set while a command the list does not handle goes to the windows above it.
    bool m_passingCommandUp = false;
};

// Tag, CGridTagTable: the column-1 cell that holds a tag and keeps its row up to date, and the grid as the tag database's table.
#pragma once

#include "ostrel/grid/monitor_grid.h"
#include "ostrel/monitor/tag_database.h"

// Pixels each level of expansion indents a tag; the expand box sits in the last 15 of them.
constexpr int kTagIndent = 15;
// Shown when an array has more elements than rows are made for it.
extern const char kArrayBoundText[];

// A grid cell that is a tag: it shows the tag's name (indented by its
// level), writes the tag's other texts into the cells of its row, draws an
// expand box for arrays and structures and expands them into rows of their
// elements or members on a click.
class Tag : public CMonitorCell, public TagItem {
    DECLARE_DYNCREATE(Tag)
public:
    Tag() = default;

    BOOL Draw(CDC* pDC, int nRow, int nCol, CRect rect, BOOL bEraseBkgnd = TRUE) override;
    BOOL GetTextRect(LPRECT pRect) override;
    // A click on the expand box expands or collapses the tag.
    void OnClick(CPoint pointCellRelative) override;

    // Inserts the rows of the elements or members below the tag and asks the module for their values.
    void Expand();
    // Deletes the rows below the tag that belong to it, however deep they were expanded.
    void Collapse();
    int GetChildCount() const { return m_childCount; }
    // Makes every cell of the tag's row but the value read-only: only the value is written to the module.
    void LockRow();
    // The row that shows the tag now (rows move as others are inserted, deleted or sorted); -1 when none.
    int FindRow();

protected:
    void ShowText(int column, const CString& text) override;

private:
    // The expand box's square in a cell whose rectangle is rect.
    CRect ExpandBox(const CRect& rect) const;
    // Makes the Data Type cell of an integer tag the choice of its display format.
    void OfferDisplayFormats(int row);
    // A new tag row below row, at level + 1.
    Tag* InsertChild(int row, const TagDefinition& definition);
};

// The grid of the main dialog as the tag database sees it: one tag per row,
// held by the row's column-1 cell.
class CGridTagTable : public TagTable {
public:
    explicit CGridTagTable(CMonitorGrid& grid) : m_grid(grid) {}

    int GetLastRow() const override;
    TagItem* GetTag(int row) const override;
    TagItem* AppendTag() override;
    CString GetText(int row, int column) const override;
    void HideColumn(int column) override;
    void SortRowsByNumber(int column) override;
    void NumberRows() override;

    // The Tag cell of row, or null.
    Tag* GetTagCell(int row) const;

private:
    CMonitorGrid& m_grid;
};

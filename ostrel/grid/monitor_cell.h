// CMonitorCellBase, CMonitorCell, CMonitorDefaultCell: the cells of the monitor grid and the defaults they fall back on.
#pragma once

#include "framework/gdi.h"
#include "framework/object.h"
#include "framework/strings.h"
#include "framework/wnd.h"

#include <memory>

class CMonitorDefaultCell;
class CMonitorGrid;

// Cell state bits.
constexpr DWORD CELL_FOCUSED = 0x01;
constexpr DWORD CELL_SELECTED = 0x02;
constexpr DWORD CELL_DROPHILITED = 0x04;
constexpr DWORD CELL_READONLY = 0x08;
constexpr DWORD CELL_FIXED = 0x10;
constexpr DWORD CELL_FIXEDROW = 0x20;
constexpr DWORD CELL_FIXEDCOL = 0x40;
constexpr DWORD CELL_MODIFIED = 0x80;

// A colour that means "take the default cell's".
constexpr COLORREF kCellDefaultColour = CLR_DEFAULT;
// A format or margin that means "take the default cell's".
constexpr DWORD kCellDefaultFormat = static_cast<DWORD>(-1);
constexpr UINT kCellDefaultMargin = static_cast<UINT>(-1);

// The interface of every cell. The base keeps only the state; it draws,
// measures and finds its default cell through the virtual accessors, which
// the derived classes implement over their own fields.
class CMonitorCellBase : public CObject {
    DECLARE_DYNCREATE(CMonitorCellBase)
public:
    CMonitorCellBase() = default;
    ~CMonitorCellBase() override = default;

    virtual void SetText(LPCSTR) {}
    virtual void SetImage(int) {}
    virtual void SetData(LPARAM) {}
    virtual void SetState(DWORD nState) { m_nState = nState; }
    virtual void SetFormat(DWORD) {}
    virtual void SetTextClr(COLORREF) {}
    virtual void SetBackClr(COLORREF) {}
    // Null removes the cell's own font.
    virtual void SetFont(const LOGFONTA*) {}
    virtual void SetMargin(UINT) {}
    virtual void SetGrid(CMonitorGrid*) {}
    virtual void SetCoords(int, int) {}

    virtual LPCSTR GetText() const { return ""; }
    virtual LPCSTR GetTipText() const { return GetText(); }
    virtual int GetImage() const { return -1; }
    virtual LPARAM GetData() const { return 0; }
    virtual DWORD GetState() const { return m_nState; }
    virtual DWORD GetFormat() const { return 0; }
    virtual COLORREF GetTextClr() const { return kCellDefaultColour; }
    virtual COLORREF GetBackClr() const { return kCellDefaultColour; }
    virtual const LOGFONTA* GetFont() const { return nullptr; }
    virtual CFont* GetFontObject() const { return nullptr; }
    virtual CMonitorGrid* GetGrid() const { return nullptr; }
    virtual CWnd* GetEditWnd() const { return nullptr; }
    virtual UINT GetMargin() const { return 0; }

    // The grid's default cell for this cell's kind (fixed row and column,
    // fixed row, fixed column or normal); null without a grid.
    virtual CMonitorDefaultCell* GetDefaultCell() const;

    virtual BOOL IsDefaultFont() const { return TRUE; }
    virtual BOOL IsEditing() const { return FALSE; }
    virtual BOOL IsFocused() const { return (GetState() & CELL_FOCUSED) != 0; }
    virtual BOOL IsFixed() const { return (GetState() & CELL_FIXED) != 0; }
    virtual BOOL IsFixedCol() const { return (GetState() & CELL_FIXEDCOL) != 0; }
    virtual BOOL IsFixedRow() const { return (GetState() & CELL_FIXEDROW) != 0; }
    virtual BOOL IsSelected() const { return (GetState() & CELL_SELECTED) != 0; }
    virtual BOOL IsReadOnly() const { return (GetState() & CELL_READONLY) != 0; }
    virtual BOOL IsModified() const { return (GetState() & CELL_MODIFIED) != 0; }
    virtual BOOL IsDropHighlighted() const { return (GetState() & CELL_DROPHILITED) != 0; }

    // Copies another cell's grid, text, image, data, state, format, colours,
    // own font and margin; copying a cell onto itself does nothing.
    virtual void operator=(const CMonitorCellBase& cell);

    virtual void Reset() { m_nState = 0; }

    // Draws the cell into rect (its right and bottom edge are the grid-line
    // pixels); bEraseBkgnd asks for the default back colour to be filled too.
    // FALSE when nothing could be drawn.
    virtual BOOL Draw(CDC* pDC, int nRow, int nCol, CRect rect, BOOL bEraseBkgnd = TRUE);
    // Where the text goes inside the cell's rectangle (right of an image).
    virtual BOOL GetTextRect(LPRECT pRect);
    virtual BOOL GetTipTextRect(LPRECT pRect) { return GetTextRect(pRect); }
    // The size text needs in this cell's font and format, margins included;
    // measured on pDC, or on the grid's client DC when pDC is null.
    virtual CSize GetTextExtent(LPCSTR szText, CDC* pDC = nullptr);
    // The size the whole cell needs (text, image, border).
    virtual CSize GetCellExtent(CDC* pDC);

    // Starts an in-place editor over rect; FALSE when the cell cannot be edited.
    virtual BOOL Edit(int nRow, int nCol, CRect rect, CPoint point, UINT nID, UINT nChar);
    virtual BOOL ValidateEdit(LPCSTR) { return TRUE; }
    virtual void EndEdit() {}
    virtual BOOL PrintCell(CDC* pDC, int nRow, int nCol, CRect rect);
    // Called by the grid once the editor has reported its end.
    virtual void OnEndEdit() {}

    // Mouse hooks, with points relative to the cell's top-left corner.
    virtual void OnMouseEnter() {}
    virtual void OnMouseOver() {}
    virtual void OnMouseLeave() {}
    virtual void OnClick(CPoint) {}
    virtual void OnClickDown(CPoint) {}
    virtual void OnRClick(CPoint) {}
    virtual void OnDblClick(CPoint) {}
    virtual BOOL OnSetCursor();

protected:
    DWORD m_nState = 0;
};

// An ordinary cell: its own text, data, image, format, colours, font and
// margin, each falling back on the default cell while unset.
class CMonitorCell : public CMonitorCellBase {
    DECLARE_DYNCREATE(CMonitorCell)
public:
    CMonitorCell();
    ~CMonitorCell() override;

    using CMonitorCellBase::operator=;
    // Copies as the base operator does (never the editor or the editing state).
    CMonitorCell& operator=(const CMonitorCell& cell)
    {
        CMonitorCellBase::operator=(cell);
        return *this;
    }

    void SetText(LPCSTR szText) override { m_strText = szText; }
    void SetImage(int nImage) override { m_nImage = nImage; }
    void SetData(LPARAM lParam) override { m_lParam = lParam; }
    void SetFormat(DWORD nFormat) override { m_nFormat = nFormat; }
    void SetTextClr(COLORREF clr) override { m_crTextClr = clr; }
    void SetBackClr(COLORREF clr) override { m_crBackClr = clr; }
    void SetFont(const LOGFONTA* plf) override;
    void SetMargin(UINT nMargin) override { m_nMargin = nMargin; }
    void SetGrid(CMonitorGrid* pGrid) override { m_pGrid = pGrid; }

    LPCSTR GetText() const override { return m_strText; }
    int GetImage() const override { return m_nImage; }
    LPARAM GetData() const override { return m_lParam; }
    DWORD GetFormat() const override;
    COLORREF GetTextClr() const override { return m_crTextClr; }
    COLORREF GetBackClr() const override { return m_crBackClr; }
    const LOGFONTA* GetFont() const override;
    // A cell with a font of its own answers with one font object shared by
    // all such cells, made for the asking cell's font; see CellFontCache.
    CFont* GetFontObject() const override;
    UINT GetMargin() const override;
    CMonitorGrid* GetGrid() const override { return m_pGrid; }
    CWnd* GetEditWnd() const override { return m_pEditWnd; }

    BOOL IsDefaultFont() const override { return m_plfFont == nullptr; }
    BOOL IsEditing() const override { return m_bEditing; }

    void Reset() override;

    BOOL Edit(int nRow, int nCol, CRect rect, CPoint point, UINT nID, UINT nChar) override;
    void EndEdit() override;
    void OnEndEdit() override;

protected:
    CString m_strText;
    LPARAM m_lParam = 0;
    int m_nImage = -1;
    DWORD m_nFormat = kCellDefaultFormat;
    COLORREF m_crTextClr = kCellDefaultColour;
    COLORREF m_crBackClr = kCellDefaultColour;
    std::unique_ptr<LOGFONTA> m_plfFont;
    UINT m_nMargin = kCellDefaultMargin;
    BOOL m_bEditing = FALSE;
    CMonitorGrid* m_pGrid = nullptr;
    CWnd* m_pEditWnd = nullptr;
};

// The defaults of one kind of cell, and the default row height and column
// width. Its state always reads as read-only.
class CMonitorDefaultCell : public CMonitorCell {
    DECLARE_DYNCREATE(CMonitorDefaultCell)
public:
    CMonitorDefaultCell();
    ~CMonitorDefaultCell() override;

    DWORD GetState() const override { return CMonitorCell::GetState() | CELL_READONLY; }
    DWORD GetFormat() const override { return m_nFormat; }
    UINT GetMargin() const override { return m_nMargin; }
    // Builds the font and measures the default margin, width and height with it.
    void SetFont(const LOGFONTA* plf) override;
    const LOGFONTA* GetFont() const override { return &m_lf; }
    CFont* GetFontObject() const override;

    DWORD GetStyle() const { return m_dwStyle; }
    void SetStyle(DWORD dwStyle) { m_dwStyle = dwStyle; }
    int GetWidth() const { return m_nWidth; }
    int GetHeight() const { return m_nHeight; }
    void SetWidth(int nWidth) { m_nWidth = nWidth; }
    void SetHeight(int nHeight) { m_nHeight = nHeight; }

protected:
    int m_nWidth = 30;
    int m_nHeight = 10;
    LOGFONTA m_lf = {};
    mutable CFont m_Font;
    DWORD m_dwStyle = 0;
};

// The system's message font (SPI_GETNONCLIENTMETRICS).
LOGFONTA SystemMessageFont();

// CSplitterWnd: a static splitter of rows and columns of panes with draggable bars.
#pragma once

#include "framework/docview.h"
#include "framework/wnd.h"

#include <vector>

class CSplitterWnd : public CWnd {
    DECLARE_DYNAMIC(CSplitterWnd)
public:
    CSplitterWnd();

    // Creates the splitter as child nID (the frame's pane id by default) with
    // nRows x nCols panes, created afterwards with CreateView.
    BOOL CreateStatic(CWnd* pParentWnd, int nRows, int nCols, DWORD dwStyle = WS_CHILD | WS_VISIBLE,
                      UINT nID = AFX_IDW_PANE_FIRST);
    // A new view of pViewClass in the pane, sizeInit its ideal size.
    virtual BOOL CreateView(int row, int col, CRuntimeClass* pViewClass, SIZE sizeInit, CCreateContext* pContext);

    int GetRowCount() const { return m_nRows; }
    int GetColumnCount() const { return m_nCols; }
    CWnd* GetPane(int row, int col) const;
    int IdFromRowCol(int row, int col) const;
    BOOL IsChildPane(CWnd* pWnd, int* pRow, int* pCol) const;
    // Makes the pane's view the frame's active view and gives it the focus.
    void SetActivePane(int row, int col, CWnd* pWnd = nullptr);
    CWnd* GetActivePane(int* pRow = nullptr, int* pCol = nullptr) const;
    // Makes the next pane (the previous one with bPrev) the active one, row by row, wrapping round.
    virtual void ActivateNext(BOOL bPrev = FALSE);
    // Whether there is another pane to go to.
    virtual BOOL CanActivateNext(BOOL bPrev = FALSE);
    void SetColumnInfo(int col, int cxIdeal, int cxMin);
    void GetColumnInfo(int col, int& cxCur, int& cxMin) const;
    void SetRowInfo(int row, int cyIdeal, int cyMin);
    void GetRowInfo(int row, int& cyCur, int& cyMin) const;
    // Places the panes by their ideal sizes; the last row and column take the rest.
    virtual void RecalcLayout();

    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnPaint();
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    // While a keyboard split runs its keys go to the splitter, before any accelerator of the frame.
    BOOL PreTranslateMessage(MSG* pMsg) override;
    // While a keyboard split runs: the arrows move the bar, Enter keeps it, Escape puts it back.
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnCaptureChanged(CWnd* pWnd);

    // Starts moving the first bar (of the rows, else of the columns) from the keyboard: the mouse is
    // captured with the cursor on the bar, which follows the mouse and the arrow keys until a click or
    // Enter keeps it or Escape restores it. FALSE when the splitter has no bar.
    virtual BOOL DoKeyboardSplit();
    // Whether a bar is being moved, by the mouse or the keyboard.
    bool IsTracking() const { return m_nDragBar != -1; }

    // Width of the bars between panes, in pixels, unless a derived splitter sets its own gaps; the panes
    // have no border of their own.
    static constexpr int kBarSize = 4;

    // What OnDrawSplitter is asked to draw.
    enum ESplitType { splitBox, splitBar, splitIntersection, splitBorder };
    // Draws one bar; a null pDC only invalidates its rectangle.
    virtual void OnDrawSplitter(CDC* pDC, ESplitType nType, const CRect& rect);
    // Draws every bar, then the border round every pane, on a client area cxInside x cyInside.
    virtual void DrawAllSplitBars(CDC* pDC, int cxInside, int cyInside);

    // The sizes of one row or column.
    struct Extent {
        int ideal = 0;
        int minimum = 0;
        int current = 0;
    };

protected:
    // The bar under point: column bar index (>= 0) or row bar as -(index + 2); -1 for none.
    int HitBar(CPoint point) const;
    // Gives the pane before the dragged bar the size that puts the bar at point, less the drag's offset.
    void MoveDragBar(CPoint point);
    // Where bar nBar (numbered as HitBar gives it) begins: the right or bottom edge of the pane before it.
    int BarStart(int nBar) const;
    // Ends a drag; with bRestore the sizes before a keyboard split come back.
    void EndDrag(bool bRestore);

    // The width of a drawn bar, the part of it that lies over the panes' borders, the space between
    // neighbouring panes, and the border round every pane (drawn as splitBorder when it is not 0).
    int m_cxSplitter;
    int m_cySplitter;
    int m_cxBorderShare;
    int m_cyBorderShare;
    int m_cxSplitterGap;
    int m_cySplitterGap;
    int m_cxBorder;
    int m_cyBorder;
    int m_nRows;
    int m_nCols;
    std::vector<Extent> m_rows;
    std::vector<Extent> m_cols;
    int m_nDragBar;
    // How far into the dragged bar the mouse (or the cursor a keyboard split placed) holds it.
    int m_nDragOffset = 0;
    // A keyboard split: the sizes before it and the window that had the focus.
    bool m_bKeyboardSplit = false;
    std::vector<Extent> m_savedRows;
    std::vector<Extent> m_savedCols;
    HWND m_hWndFocusBefore = nullptr;

    DECLARE_MESSAGE_MAP()
};

// The splitter of frames with the extended look; the same panes and bars.
class CSplitterWndEx : public CSplitterWnd {
    DECLARE_DYNAMIC(CSplitterWndEx)
};

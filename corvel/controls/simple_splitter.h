// CSimpleSplitter, CChildWnd: a row or column of panes with draggable bars that keeps the panes' sizes as proportions, and the plain window that serves as a pane.
#pragma once

#include "framework/ui.h"

#include <vector>

// Divides its client area into panes separated by bars. Each pane's share of
// the space left by the bars is kept in units of 1/32768; a pane keeps at
// least the minimum size while there is room. The pane windows are created by
// SetPane and belong to the splitter's window (the splitter does not delete
// their objects).
class CSimpleSplitter : public CWnd {
    DECLARE_DYNAMIC(CSimpleSplitter)
public:
    // The whole of the shares.
    static constexpr int kShareUnits = 32768;
    // Orientation 1: panes side by side with vertical bars; any other value: panes stacked.
    static constexpr int kSideBySide = 1;
    // Bars are placed from the shares on the first resizes only (counted per bar).
    static constexpr int kProportionalPlacements = 3;

    CSimpleSplitter(int nPanes, int nOrientation, int nMinSize, int nBarThickness);
    ~CSimpleSplitter() override;

    // Creates the splitter over the parent's whole client area as a visible child with the id.
    BOOL Create(CWnd* pParent, UINT nID);
    // Each pane's share becomes its value / the values' sum; the panes are laid out again.
    void SetPaneSizes(const int* sizes);
    // Creates pWnd as a child of the splitter over pane nIndex (id first pane id + nIndex).
    BOOL SetPane(int nIndex, CWnd* pWnd, DWORD dwStyle, DWORD dwExStyle, LPCSTR lpszClassName);
    // The pane's rectangle in the splitter's client coordinates.
    CRect GetPaneRect(int nIndex) const;
    // Gives the focus to the pane's window.
    void SetActivePane(int nIndex);

    int GetPaneCount() const { return m_nPanes; }
    CWnd* GetPane(int nIndex) const;
    int GetShare(int nIndex) const { return m_sizes[static_cast<size_t>(nIndex)]; }
    // Start of pane nIndex along the axis (nIndex up to the pane count).
    int GetPosition(int nIndex) const { return m_positions[static_cast<size_t>(nIndex)]; }
    bool IsDragging() const { return m_nDraggedBar > 0; }

    // The shares after the minimum size is applied to space pixels: panes that would be
    // smaller than the minimum get it, the others share what is left.
    static void FitShares(std::vector<int>& shares, int minimum, int space);
    // Pixels of a share of space, rounded to nearest.
    static int ShareToPixels(int share, int space);

protected:
    afx_msg BOOL OnNcCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnWindowPosChanging(WINDOWPOS* lpWndPos);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnPaint();
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);

    DECLARE_MESSAGE_MAP()

private:
    bool IsSideBySide() const { return m_nOrientation == kSideBySide; }
    // The client extent along the axis and across it.
    int AxisExtent() const;
    int CrossExtent() const;
    int Space() const;
    // Fits the shares and, unless a resize comes after the first placements, places the bars.
    void RecalcLayout(bool bFromResize);
    // Moves each pane window to its rectangle.
    void ResizePanes();
    CRect BarRect(int nPosition, int nLength) const;
    // Draws (and, drawn twice, erases) the drag tracker at the drag position.
    void DrawTracker();

    int m_nPanes;
    int m_nOrientation;
    int m_nMinSize;
    int m_nBarThickness;
    int m_nPlacements = 0;
    int m_nDraggedBar = 0;
    int m_nDragPos = 0;
    int m_nTrackerLength = 0;
    int m_nDragOffset = 0;
    std::vector<CWnd*> m_panes;
    std::vector<int> m_sizes;
    std::vector<int> m_positions;
};

// A plain pane window: paints nothing of its own and ignores command 1025.
class CChildWnd : public CWnd {
    DECLARE_DYNAMIC(CChildWnd)
public:
    static constexpr UINT kIgnoredCommand = 1025;

    CChildWnd() = default;

protected:
    afx_msg void OnPaint();
    afx_msg void OnWindowPosChanging(WINDOWPOS* lpWndPos);
    afx_msg void OnIgnoredCommand();

    DECLARE_MESSAGE_MAP()
};

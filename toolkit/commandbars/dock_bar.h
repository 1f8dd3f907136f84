// CKitDockBar, CKitDockContext, KIT_DOCK_LAYOUT: the windows along a frame's edges that hold docked toolbars in rows, and the drag that moves a toolbar between them.
#pragma once

#include "framework/geometry.h"
#include "framework/msgmap.h"
#include "framework/wnd.h"

#include <windows.h>

#include <vector>

class CKitCommandBarManager;
class CKitToolBar;

// Alignment styles of the dock bars.
constexpr DWORD kitDockBarTop = 0x2000;
constexpr DWORD kitDockBarBottom = 0x8000;
constexpr DWORD kitDockBarLeft = 0x1000;
constexpr DWORD kitDockBarRight = 0x4000;

// The frame's free rectangle while its dock bars take their edges.
struct KIT_DOCK_LAYOUT {
    CRect rect;
    CSize sizeTotal;
    BOOL bStretch = TRUE;
    // Null while the frame only measures.
    HDWP hDWP = nullptr;
};

class CKitDockBar : public CWnd {
    DECLARE_DYNAMIC(CKitDockBar)
public:
    // One bar of a row while the row is laid out.
    struct DOCK_INFO {
        CKitToolBar* pBar = nullptr;
        CRect rcBar;
        CRect rcRequested;
        int nIndex = 0;
        int nMinLength = 0;
        int nMinLengthBefore = 0;
        BOOL bPushed = FALSE;
    };
    using CDockInfoArray = std::vector<DOCK_INFO>;

    CKitDockBar(CKitCommandBarManager* pCommandBars, DWORD dwStyle);
    ~CKitDockBar() override;

    // Creates the window along the parent's edge.
    BOOL CreateDockBar(CWnd* pParent, UINT nID);

    // The dock position of alignment bits: 0 top, 1 bottom, 2 left, 3 right.
    static int GetPositionFromStyle(DWORD dwStyle);
    int GetPosition() const { return GetPositionFromStyle(m_dwStyle); }
    DWORD GetDockStyle() const { return m_dwStyle; }
    BOOL IsHorizontal() const { return (m_dwStyle & (kitDockBarTop | kitDockBarBottom)) != 0; }
    CKitCommandBarManager* GetCommandBars() const { return m_pCommandBars; }

    // Docks the bar here: in the row under the screen rectangle, or in a new last row.
    void DockCommandBar(CKitToolBar* pBar, LPCRECT lpRect = nullptr);
    // Takes the bar out (the entry at nSkip is ignored); FALSE when it is not here.
    BOOL RemoveCommandBar(CKitToolBar* pBar, int nSkip = -1);
    // The bar's index in the list, or -1.
    int FindBar(const CKitToolBar* pBar, int nSkip = -1) const;
    // The entry at the index: null ends a row; an index outside the list throws.
    CKitToolBar* GetDockedCommandBar(int nIndex) const;
    int GetDockedCount() const { return static_cast<int>(m_bars.size()); }
    // The number of bars (not row ends) in the list.
    int GetBarCount() const;

    // Lays out all rows and returns the size the dock bar needs.
    CSize CalcLayout(int nLength, DWORD dwMode, KIT_DOCK_LAYOUT* pLayout);
    // The mode the bar's own layouts get here.
    DWORD GetBarLayoutMode(BOOL bHorizontal, const CKitToolBar* pBar) const;
    // Takes the edge of the frame's free rectangle; the frame calls it for each dock bar.
    void OnSizeParent(KIT_DOCK_LAYOUT* pLayout);

protected:
    // One line of a row; its thickness, or -1 with *pOverflow the bar that must wrap.
    int LayoutRowLine(std::vector<CKitToolBar*>& bars, int x, int y, int nLength, BOOL bHorizontal,
                      KIT_DOCK_LAYOUT* pLayout, int* pOverflow);
    // A row, wrapping bars that do not fit into further lines; returns the row's thickness.
    int LayoutRow(std::vector<CKitToolBar*> bars, int x, int y, int nLength, BOOL bHorizontal,
                  KIT_DOCK_LAYOUT* pLayout);
    // Inserts the bar into the row under the centre (client coordinates); its new index.
    int InsertBar(CKitToolBar* pBar, const CRect& rc, CPoint ptCentre);
    // Gives every full-row bar a row of its own.
    void NormalizeStretchedRows();

    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    std::vector<CKitToolBar*> m_bars;
    DWORD m_dwStyle;
    CKitCommandBarManager* m_pCommandBars;
};

// The drag and resize loop of one toolbar.
class CKitDockContext {
public:
    // Pixels of a floating bar that stay on the work area.
    static constexpr int kKeepOnScreen = 10;

    explicit CKitDockContext(CKitToolBar* pBar);
    virtual ~CKitDockContext();
    CKitDockContext(const CKitDockContext&) = delete;
    CKitDockContext& operator=(const CKitDockContext&) = delete;

    // Moves the bar with the mouse from the screen point until the button goes up.
    virtual void StartDrag(CPoint pt);
    // Resizes a floating bar by the border of the hit code.
    virtual void StartResize(int nHitTest, CPoint pt);
    // Floats a docked bar or docks a floating one back; 1 when something changed.
    virtual int ToggleDocking();
    // The modal mouse loop; FALSE when some window already had the capture.
    virtual BOOL Track();

    // One mouse move of a drag (screen point).
    void Move(CPoint pt);
    // One mouse move of a resize (screen point).
    void ResizeLength(CPoint pt);
    // One mouse move of a resize of a freely resizable bar: the grabbed border or corner follows it.
    void ResizeFree(CPoint pt);
    // Keeps at least 10 pixels of the rectangle on the work area.
    static void KeepOnScreen(CRect& rc, const CRect& rcWork);
    // Shifts the rectangle just enough to contain the point.
    static void AdjustRectToPoint(CRect& rc, CPoint pt);

    int m_nHitTest = 0;
    CPoint m_ptLast;
    int m_nDockedPosition = 0;
    CRect m_rcDocked;
    CPoint m_ptFloat;
    CRect m_rcDragStart;
    CRect m_rcTrack;

protected:
    CKitToolBar* m_pBar;
};

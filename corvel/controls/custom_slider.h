// CCustomSlider: the connection selector strip of the EtherNet/IP mapping dialog: ten cells, each with a gauge
// of how full its connection is.
#pragma once
#include "framework/ui.h"

#include <functional>

class CCustomSlider : public CWnd {
    DECLARE_DYNAMIC(CCustomSlider)
public:
    CCustomSlider();
    ~CCustomSlider() override;

    // Control of the parent whose caption chooses the shown range, and the caption that shows 10 to 19.
    static constexpr UINT kRangeButtonId = 1098;
    static constexpr char kUpperRangeCaption[] = "Operate To View Connections 0 thru 9";
    static constexpr char kClassName[] = "CustomSliderClass";
    // Tabs of the owner: input connections, output connections, messages (the strip is inactive).
    static constexpr int kInputTab = 0;
    static constexpr int kOutputTab = 1;
    static constexpr int kMessageTab = 2;
    static constexpr int kCellHeight = 46;
    static constexpr int kCells = 10;

    // Keeps the owner tab control, places the strip at the dialog's right and loads its bitmaps.
    void Setup(CTabCtrl* pOwner);
    // Called after a click chose a connection: the owner refills its lists.
    std::function<void()> refreshLists;
    // Used size, in bytes, of input (tab 0) or output (tab 1) connection conn (the mapping dialog gives the
    // project's); 0 without it.
    std::function<int(int tab, int conn)> usedSize;

    void SetRange(int nMin, int nMax);
    void SetPos(int nPos);
    int GetPos() const { return m_pos; }
    void SetBkColour(COLORREF colour);
    void SetBitmaps(HBITMAP hKnob, HBITMAP hChannel, HBITMAP hThird);
    // Direction 1 steps to the next connection, 0 to the previous one, within 0 to 9 (19 in the upper range).
    void SetPositionFromButtonText(int direction);
    int GetSelectedConnection() const { return m_selected; }
    void SetSelectedConnection(int connection) { m_selected = connection; }

    // The cell of client position y: 0 up to 46, 1 from 47 to 92 ... 9 above 414; 10 more in the upper range.
    static int CellFromY(int y, bool upperRange);
    // Height in pixels of the gauge of a connection of size bytes (0: no bar).
    static int BarHeight(int size);

    // The double buffer: what the strip drew last, before the selected number was put on the window.
    HDC GetBufferDC() const { return m_memDC.GetSafeHdc(); }

protected:
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnPaint();
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);

    DECLARE_MESSAGE_MAP()

private:
    int SelectedTab() const;
    bool ShowsUpperRange() const;
    int PositionFromY(int y) const;
    void NotifyParent();
    void DrawStrip(CDC& dc, const CRect& client);
    int UsedSize(int tab, int conn) const;

    CTabCtrl* m_pOwner = nullptr;
    int m_selected = 0;
    int m_min = 0;
    int m_max = 0;
    int m_pos = 0;
    HBITMAP m_knob = nullptr;
    HBITMAP m_channel = nullptr;
    HBITMAP m_third = nullptr;
    CSize m_knobSize;
    CSize m_channelSize;
    BOOL m_vertical = TRUE;
    BOOL m_dragging = FALSE;
    BOOL m_inverted = FALSE;
    COLORREF m_background;
    CDC m_memDC;
    CBitmap m_memBitmap;
    CBitmap* m_oldBitmap = nullptr;
};

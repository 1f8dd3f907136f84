// CFixedProgress, CPaintedWindow: a window-free progress bar at a fixed rectangle, and a window that paints through one virtual call.
#pragma once

#include "toolkit/commandbars/control_scroll.h"

#include "framework/gdi.h"
#include "framework/wnd.h"

// A progress bar drawn at a fixed rectangle by the painter given.
class CFixedProgress : public CKitProgressBase {
public:
    CFixedProgress(CKitProgressPainter* pPainter, CRect rc) : m_pPainter(pPainter), m_rc(rc) {}
    CRect GetProgressRect() const override { return m_rc; }
    void RedrawProgress() override {}
    CKitProgressPainter* GetProgressPaintManager() const override { return m_pPainter; }

    CKitProgressPainter* m_pPainter;
    CRect m_rc;
};

// A window whose WM_PAINT goes to Paint; it erases nothing itself.
class CPaintedWindow : public CWnd {
public:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_ERASEBKGND)
            return 1;
        if (message != WM_PAINT)
            return CWnd::WindowProc(message, wParam, lParam);
        PAINTSTRUCT ps;
        CDC dc;
        dc.Attach(::BeginPaint(GetSafeHwnd(), &ps));
        Paint(&dc);
        dc.Detach();
        ::EndPaint(GetSafeHwnd(), &ps);
        return 0;
    }

protected:
    virtual void Paint(CDC* pDC) = 0;
};

// CTitleTip: the pop-up that shows the whole text of a clipped grid cell.
#pragma once

#include "framework/gdi.h"
#include "framework/wnd.h"

// Shown over a cell whose text does not fit; it holds the mouse while it is
// up and passes moves and clicks on to the window under the cursor.
class CTitleTip : public CWnd {
    DECLARE_DYNAMIC(CTitleTip)
public:
    CTitleTip();
    ~CTitleTip() override;

    BOOL Create(CWnd* pParentWnd);
    BOOL IsCreated() const { return m_bCreated; }
    // Shows text over rectTitle (parent client coordinates) when it is wider
    // than the rectangle; the tip hides once the mouse leaves lpHoverRect
    // (rectTitle when null). Colours CLR_DEFAULT take the tooltip colours.
    void Show(CRect rectTitle, LPCSTR lpszTitleText, int xoffset = 0, LPCRECT lpHoverRect = nullptr,
              const LOGFONTA* lpLogFont = nullptr, COLORREF crTextClr = CLR_DEFAULT, COLORREF crBackClr = CLR_DEFAULT);
    void Hide();
    const CString& GetText() const { return m_strText; }

    BOOL DestroyWindow() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()

private:
    // Hides the tip and hands a button press to the window under the cursor.
    void RepostButton(UINT message, WPARAM wParam, LPARAM lParam);

    CWnd* m_pParentWnd = nullptr;
    CRect m_rectHover;
    DWORD m_dwLastLButtonDown = static_cast<DWORD>(-1);
    DWORD m_dwDblClickMsecs;
    BOOL m_bCreated = FALSE;
    CString m_strText;
    CFont m_font;
    COLORREF m_crText = CLR_DEFAULT;
    COLORREF m_crBack = CLR_DEFAULT;
};

// CHyperLink: a static text that opens its target (a URL, a file or a command) with the shell when clicked,
// underlined while the mouse is over it, with the target as its tooltip and the hand cursor.
#pragma once
#include "framework/ui.h"

#include <functional>

class CHyperLink : public CStatic {
    DECLARE_DYNAMIC(CHyperLink)
public:
    CHyperLink();
    ~CHyperLink() override;

    // Underline modes: while hovered, never, always.
    static constexpr int kUnderlineHover = -1;
    static constexpr int kUnderlineNever = 0;
    static constexpr int kUnderlineAlways = 1;
    static constexpr UINT_PTR kHoverTimer = 100;
    static constexpr UINT kHoverPeriod = 100;

    // Stores the target; an existing window is refitted and its tooltip shows the target.
    void SetURL(const CString& target);
    const CString& GetURL() const { return m_target; }
    void SetVisited(bool visited);
    bool IsVisited() const { return m_visited; }
    void SetUnderline(int mode);
    int GetUnderline() const { return m_underline; }
    void SetAutoSize(bool adjust) { m_adjustToFit = adjust; }
    bool IsHovered() const { return m_overControl; }
    // The font the text shows in now: the underlined one or the standard one.
    HFONT GetShownFont() const;
    HFONT GetStandardFont() const { return static_cast<HFONT>(m_standardFont.GetSafeHandle()); }
    HFONT GetUnderlinedFont() const { return static_cast<HFONT>(m_underlinedFont.GetSafeHandle()); }
    HCURSOR GetLinkCursor() const { return m_linkCursor; }

    // Asks the shell to open target; failing that, the program registered for ".htm" with the target. A
    // result above 32 marks the link visited; otherwise the error is reported.
    HINSTANCE OpenTarget(const CString& target, int showCommand);

    // The error text for a shell result of 32 or less.
    static CString DescribeOpenError(INT_PTR result);
    // The command line of the program opening ".htm" files, cut before its "%1", or empty.
    static CString HtmlOpenCommand();
    // Reads the default value of a key under HKEY_CLASSES_ROOT; replaceable so that tests decide which
    // program opens web pages. Empty: the registry.
    static inline std::function<CString(const CString& key)> classesRootReader;

    BOOL DestroyWindow() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    void PreSubclassWindow() override;

    afx_msg void OnClicked();
    // Link colours on a transparent background.
    afx_msg HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnTimer(UINT_PTR nIDEvent);

    DECLARE_MESSAGE_MAP()

private:
    // Resizes the control to its text in the underlined font, keeping its alignment.
    void PositionWindow();
    void LoadLinkCursor();
    void ShowFont(bool underlined);

    COLORREF m_linkColour = RGB(0, 0, 238);
    COLORREF m_visitedColour = RGB(85, 26, 139);
    COLORREF m_hoverColour = RGB(255, 0, 0);
    bool m_overControl = false;
    bool m_visited = false;
    int m_underline = kUnderlineHover;
    bool m_adjustToFit = true;
    CString m_target;
    CFont m_underlinedFont;
    CFont m_standardFont;
    HCURSOR m_linkCursor = nullptr;
    CToolTipCtrl m_toolTip;
};

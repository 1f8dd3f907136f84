// CHyperLink: a static text that opens its target (a URL or a file) with the shell when clicked.
#pragma once
#include "framework/ui.h"

class CHyperLink : public CStatic {
    DECLARE_DYNAMIC(CHyperLink)
public:
    CHyperLink();
    ~CHyperLink() override;

    void SetURL(const CString& target);
    const CString& GetURL() const { return m_target; }
    bool IsVisited() const { return m_visited; }

    // Asks the shell to open target; a result of 32 or less is reported as an error.
    HINSTANCE OpenTarget(const CString& target, int showCommand);

    // The error text for a shell result of 32 or less.
    static CString DescribeOpenError(INT_PTR result);

protected:
    void PreSubclassWindow() override;

    afx_msg void OnClicked();
    // Link colours on a transparent background.
    afx_msg HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);

    DECLARE_MESSAGE_MAP()

private:
    COLORREF m_linkColour = RGB(0, 0, 238);
    COLORREF m_visitedColour = RGB(85, 26, 139);
    bool m_visited = false;
    CString m_target;
};

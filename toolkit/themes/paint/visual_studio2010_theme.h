// CKitVisualStudio2010Theme: the flat blue-grey command-bar look with rounded highlights and a dark status bar.
#pragma once

#include "toolkit/themes/paint/office2003_theme.h"

class CKitVisualStudio2010Theme : public CKitOffice2003Theme {
    DECLARE_DYNAMIC(CKitVisualStudio2010Theme)
public:
    CKitVisualStudio2010Theme();

    void FillCommandBarEntry(CDC* pDC, CKitCommandBar* pBar) override;
    void DrawRectangle(CDC* pDC, CRect rc, BOOL bSelected, BOOL bPressed, BOOL bEnabled, BOOL bChecked,
                       BOOL bPopuped, int nBarType, int nBarPosition) override;
    CSize DrawCommandBarSeparator(CDC* pDC, CKitCommandBar* pBar, CKitControl* pControl, BOOL bDraw) override;
    void DrawStatusBarGripper(CDC* pDC, CRect rcClient) override;
    void FillStatusBar(CDC* pDC, CWnd* pBar) override;
    void RefreshMetrics() override;
    CRect GetCommandBarBorders(CKitCommandBar* pBar) override;
    int GetCurrentTheme() const override { return 9; }

    CKitPaintManagerColor m_clrMenuSeparator;

protected:
    // Version 6.0 or later of the operating system; tests answer for it.
    virtual BOOL IsVistaOrGreater() const;
};

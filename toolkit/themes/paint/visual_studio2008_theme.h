// CKitVisualStudio2008Theme: the Whidbey look with rounded menu highlights in the visual style's colours.
#pragma once

#include "toolkit/themes/paint/whidbey_theme.h"

class CKitVisualStudio2008Theme : public CKitWhidbeyTheme {
    DECLARE_DYNAMIC(CKitVisualStudio2008Theme)
public:
    CKitVisualStudio2008Theme();

    COLORREF GetControlStateTextColor(BOOL bSelected, BOOL bPressed, BOOL bEnabled, BOOL bChecked, BOOL bPopuped,
                                      int nBarType, int nBarPosition) override;
    void DrawRectangle(CDC* pDC, CRect rc, BOOL bSelected, BOOL bPressed, BOOL bEnabled, BOOL bChecked,
                       BOOL bPopuped, int nBarType, int nBarPosition) override;
    CSize DrawCommandBarSeparator(CDC* pDC, CKitCommandBar* pBar, CKitControl* pControl, BOOL bDraw) override;
    void AdjustControlRect(CRect& rc, CKitControl* pControl, BOOL bVertical) override;
    void RefreshMetrics() override;
    CRect GetCommandBarBorders(CKitCommandBar* pBar) override;
    void FillExpandedColumn(CDC* pDC, CRect rc, BOOL bHiddenControl) override;
    int GetCurrentTheme() const override { return 7; }

    CKitPaintManagerColorGradient m_grcMenuHighlight;
    CKitPaintManagerColor m_clrMenuHighlightBorder;
    CKitPaintManagerColor m_clrMenuHighlightText;
};

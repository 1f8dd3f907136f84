// CKitOffice2003Theme: the gradient command-bar look with blue, olive or silver schemes after the visual style.
#pragma once

#include "framework/controls.h"
#include "toolkit/themes/paint/office_theme.h"

class CKitOffice2003Theme : public CKitOfficeTheme {
    DECLARE_DYNAMIC(CKitOffice2003Theme)
public:
    CKitOffice2003Theme();

    void FillCommandBarEntry(CDC* pDC, CKitCommandBar* pBar) override;
    void DrawRectangle(CDC* pDC, CRect rc, BOOL bSelected, BOOL bPressed, BOOL bEnabled, BOOL bChecked,
                       BOOL bPopuped, int nBarType, int nBarPosition) override;
    CSize DrawFloatingBarCaption(CDC* pDC, CKitCommandBar* pBar, BOOL bDraw) override;
    CSize DrawCommandBarSeparator(CDC* pDC, CKitCommandBar* pBar, CKitControl* pControl, BOOL bDraw) override;
    void DrawStatusBarPaneBorder(CDC* pDC, CRect rc, CKitStatusBarPane* pPane, BOOL bGripperPane) override;
    void DrawStatusBarGripper(CDC* pDC, CRect rcClient) override;
    void FillWindowFace(CDC* pDC, CWnd* pWnd) override;
    void RefreshMetrics() override;
    CSize DrawSpecialControl(CDC* pDC, int nKind, CKitControl* pControl, CKitCommandBar* pBar, BOOL bDraw,
                             LPARAM lpParam) override;
    CRect GetCommandBarBorders(CKitCommandBar* pBar) override;
    CSize DrawTearOffGripper(CDC* pDC, CRect rcGripper, BOOL bSelected, BOOL bDraw) override;
    CSize DrawCommandBarGripper(CDC* pDC, CKitCommandBar* pBar, BOOL bDraw) override;
    void FillExpandedColumn(CDC* pDC, CRect rc, BOOL bHiddenControl) override;
    int GetCurrentTheme() const override { return 2; }

    // A floating bar with a caption strip of its own: not flat, and one of the four low frame options set.
    virtual BOOL IsFloatingBarCaption(CKitCommandBar* pBar);
    // Tints the 16 x 16 ball glyph between the two glyph gradient colours.
    void RefreshGlyphImage();
    CImageList* GetGlyphImage() { return &m_ilGlyph; }
    // Whether a colour scheme was applied and the highlights are gradients.
    BOOL IsSchemeColorsInForce() const { return m_bSchemeColors; }

    CKitPaintManagerColorGradient m_grcDock;
    CKitPaintManagerColorGradient m_grcToolBar;
    CKitPaintManagerColorGradient m_grcExpandButton;
    CKitPaintManagerColorGradient m_grcGlyph;
    CKitPaintManagerColorGradient m_grcHiddenColumn;
    CKitPaintManagerColorGradient m_grcImageColumn;
    CKitPaintManagerColorGradient m_grcPopupOpen;
    CKitPaintManagerColorGradient m_grcChecked;
    CKitPaintManagerColorGradient m_grcPressed;
    CKitPaintManagerColorGradient m_grcHot;
    CKitPaintManagerColor m_clrToolBarEdge;
    CKitPaintManagerColor m_clrPaneBorder;
    CKitPaintManagerColor m_clrTearOff;
    BOOL m_bSingleSeparatorLine = FALSE;
    BOOL m_bFlatGripper = FALSE;
    int m_nSeparatorInset = 4;

protected:
    // A popup bar shown as a menu: type popup at the popup position.
    static bool IsPopupBar(int nBarType, int nBarPosition);
    // A gradient over the rectangle, left to right when bHorz, clipped to rcClip when given.
    static void FillGradient(CDC* pDC, CRect rc, const CKitPaintManagerColorGradient& grc, BOOL bHorz,
                             const CRect* pClip = nullptr);
    // The gradient filling the rectangle, then a one-pixel frame in the colour.
    void GradientRectangle(CDC* pDC, CRect rc, const CKitPaintManagerColorGradient& grc, int nBorder, BOOL bHorz);
    // The dock gradient over rc (at least half the screen wide), painted only inside rcClip.
    void FillDockGradient(CDC* pDC, CRect rc, CRect rcClip);
    // The dock window's rectangle in the bar's client coordinates; the bar's own without one.
    static CRect GetParentRectInBar(CKitCommandBar* pBar);
    // Whether the bar's dock window has any of the style bits that ask for a plain dock colour.
    static BOOL IsPlainDockParent(CKitCommandBar* pBar);
    // The bottom (or right, when vertical) of the first visible control's row; -1 without one.
    static int GetFirstRowEdge(CKitCommandBar* pBar, BOOL bVertical);
    // A 2 x 2 gripper dot at (x, y) over a COLOR_WINDOW dot one pixel right and down when asked.
    void DrawGripperDot(CDC* pDC, int x, int y, BOOL bHighlight);

    // A one-pixel frame whose corners are rounded by blending the colour into the pixels there.
    static void DrawRoundedFrame(CDC* pDC, CRect rc, COLORREF clr);
    // What shows behind a docked bar: button face, then its dock's gradient (a plain dock colour for a
    // vertical bar in a dock window that asks for it).
    void FillDockBehindBar(CDC* pDC, CKitCommandBar* pBar, BOOL bVertical);

    BOOL m_bSchemeColors = FALSE;
    CImageList m_ilGlyph;
};

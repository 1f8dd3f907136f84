// CKitRibbonTheme: command bars, menus and status bars drawn with the ribbon's pictures of the loaded theme module.
#pragma once

#include "toolkit/themes/paint/resource_theme.h"

#include <windows.h>

// Theme 6: toolbar buttons, bar faces, menu items, marks and glyphs are state rows of the module's pictures, so
// that classic bars beside a ribbon look like it; a missing picture falls back to the resource theme or draws nothing.
class CKitRibbonTheme : public CKitResourceTheme {
    DECLARE_DYNAMIC(CKitRibbonTheme)
public:
    static constexpr int kThemeNumber = 6;
    // Toolbar buttons higher than this take the large picture sets.
    static constexpr int kLargeButtonHeight = 32;

    CKitRibbonTheme();

    void DrawSplitButtonFrame(CDC* pDC, CKitControl* pButton, CRect rc) override;
    CSize DrawControlComboBox(CDC* pDC, CKitControlComboBox* pComboBox, BOOL bDraw) override;
    // Disabled: colour 15; hot: the edit selected colour; in a popup bar: colour 41; else the edit normal colour.
    COLORREF GetControlEditBackColor(CKitControl* pControl) override;
    CSize DrawControlEdit(CDC* pDC, CKitControlEdit* pEdit, BOOL bDraw) override;
    void FillCommandBarEntry(CDC* pDC, CKitCommandBar* pBar) override;
    // On a bar with ribbon captions, a control outside the ribbon's groups takes the ribbon text colours: grey when
    // disabled, the base rule while hot, pressed, checked or open, else the ribbon text (black or white for a quick
    // access control on glass).
    COLORREF GetControlTextColor(CKitControl* pControl) override;
    COLORREF GetControlStateTextColor(BOOL bSelected, BOOL bPressed, BOOL bEnabled, BOOL bChecked, BOOL bPopuped,
                                      int nBarType, int nBarPosition) override;
    // Toolbar buttons from the 22 or 50 picture set, menu items from the menu pictures.
    void DrawRectangle(CDC* pDC, CRect rc, BOOL bSelected, BOOL bPressed, BOOL bEnabled, BOOL bChecked,
                       BOOL bPopuped, int nBarType, int nBarPosition) override;
    CSize DrawCommandBarSeparator(CDC* pDC, CKitCommandBar* pBar, CKitControl* pControl, BOOL bDraw) override;
    // Over a composited frame a column of dots and no size; elsewhere the Office 2003 gripper.
    CSize DrawFloatingBarCaption(CDC* pDC, CKitCommandBar* pBar, BOOL bDraw) override;
    // Switches from a picture of 6 state rows and 4 columns (first, middle, last, single).
    int DrawStatusBarSwitches(CDC* pDC, CRect rcItem, CKitStatusBarSwitchPane* pPane) override;
    void DrawStatusBarPaneBorder(CDC* pDC, CRect rc, CKitStatusBarPane* pPane, BOOL bGripperPane) override;
    void DrawVerticalSeparator(CDC* pDC, CRect rc, CKitStatusBarPane* pPane) override;
    void DrawStatusBarGripper(CDC* pDC, CRect rcClient) override;
    void FillStatusBar(CDC* pDC, CWnd* pBar) override;
    // The resource theme's refresh, then the ribbon colours of the module's description.
    void RefreshMetrics() override;
    CSize DrawSpecialControl(CDC* pDC, int nKind, CKitControl* pControl, CKitCommandBar* pBar, BOOL bDraw,
                             LPARAM lpParam) override;
    void DrawPopupResizeGripper(CDC* pDC, CRect rcGripper, int nFlags) override;
    // A popup bar's window loses its four corner pixels.
    void SetCommandBarRegion(CKitCommandBar* pBar) override;
    CSize DrawControlCheckBoxMark(CDC* pDC, CRect rc, BOOL bDraw, BOOL bSelected, BOOL bPressed, int nChecked,
                                  BOOL bEnabled) override;
    CSize DrawControlRadioButtonMark(CDC* pDC, CRect rc, BOOL bDraw, BOOL bSelected, BOOL bPressed, int nChecked,
                                     BOOL bEnabled) override;
    void FillExpandedColumn(CDC* pDC, CRect rc, BOOL bHiddenControl) override;
    int GetCurrentTheme() const override { return kThemeNumber; }
    // The menu font at a size of at least 11, in the own face when it exists; text height at least 22.
    void UpdateFonts() override;
    void DrawCheckMark(CDC* pDC, CRect rc, BOOL bEnabled, COLORREF clr) override;
    void DrawSmoothDot(CDC* pDC, CRect rc, COLORREF clr) override;
    void DrawDropDownArrow(CDC* pDC, CKitControl* pControl, int x, int y, BOOL bSelected, BOOL bPopuped,
                           BOOL bEnabled, BOOL bPointLeft) override;
    // A tooltip-like gradient with a frame; with bSetRegion only the tip window's corner-cut region.
    void DrawKeyboardTip(CDC* pDC, CKitCommandBarKeyboardTip* pTip, BOOL bSetRegion) override;
    void DrawSplitButtonPopupLine(CDC* pDC, CKitControl* pControl) override;
    void DrawControlPopupGlyph(CDC* pDC, CKitControl* pControl) override;
    void FillPopupLabelBackground(CDC* pDC, CRect rc) override;

    // Whether the theme's description sets the ribbon's group spacing to 0.
    BOOL IsZeroGroupSpacing() const { return m_bZeroGroupSpacing; }

    COLORREF m_clrEditNormal = CKitPaintManagerColor::kNone;
    COLORREF m_clrEditSelected = CKitPaintManagerColor::kNone;
    COLORREF m_clrEditDisabledBorder = CKitPaintManagerColor::kNone;
    COLORREF m_clrRibbonText = CKitPaintManagerColor::kNone;
    COLORREF m_clrRibbonGrayText = CKitPaintManagerColor::kNone;
    COLORREF m_clrPopupSeparator = CKitPaintManagerColor::kNone;
    COLORREF m_clrPopupGripperShadow = CKitPaintManagerColor::kNone;

protected:
    // How a picture treats magenta: drawn, left out, or left out with the rest alpha-blended.
    enum PictureKey { kOpaque, kMagentaOut, kAlphaKeyed };
    // Row nRow of nRows of the named picture over rc. FALSE without the picture.
    BOOL DrawPicture(CDC* pDC, LPCSTR lpszName, const CRect& rc, int nRow, int nRows, const CRect& rcMargins,
                     PictureKey nKey = kMagentaOut);
    // A bar docked at the top of a frame whose glass reaches over its top dock bar.
    static BOOL IsOnCompositedFrame(CKitCommandBar* pBar);
    // Control pictures are alpha-keyed over a composited frame.
    static PictureKey GetControlPictureKey(CKitControl* pControl);
    // The same row at the picture's own size centred in rc.
    BOOL DrawPictureCentred(CDC* pDC, LPCSTR lpszName, const CRect& rc, int nRow, int nRows);
    // The frame and fill of an edit or combo field in its state.
    void DrawFieldFrame(CDC* pDC, CKitControl* pControl, const CRect& rcField, BOOL bPopup);
    // The caption colour of an idle, enabled control with ribbon captions.
    COLORREF GetRibbonTextColor(CKitControl* pControl);

private:
    BOOL m_bZeroGroupSpacing = FALSE;
};

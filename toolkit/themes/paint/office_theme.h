// CKitOfficeTheme: the flat command-bar look with light highlight boxes, a grey image column in menus and drop shadows.
#pragma once

#include "toolkit/themes/paint/paint_manager.h"

class CKitOfficeTheme : public CKitPaintManager {
    DECLARE_DYNAMIC(CKitOfficeTheme)
public:
    CKitOfficeTheme();

    CSize DrawControlPopupParent(CDC* pDC, CKitControl* pControl, BOOL bDraw) override;
    void DrawSplitButtonFrame(CDC* pDC, CKitControl* pButton, CRect rc) override;
    CSize DrawControlComboBox(CDC* pDC, CKitControlComboBox* pComboBox, BOOL bDraw) override;
    CSize DrawControlEdit(CDC* pDC, CKitControlEdit* pEdit, BOOL bDraw) override;
    CSize DrawListBoxControl(CDC* pDC, CKitControl* pButton, CRect rc, BOOL bSelected, BOOL bDraw,
                             CKitCommandBarManager* pCommandBars) override;
    void FillCommandBarEntry(CDC* pDC, CKitCommandBar* pBar) override;
    COLORREF GetControlStateTextColor(BOOL bSelected, BOOL bPressed, BOOL bEnabled, BOOL bChecked, BOOL bPopuped,
                                      int nBarType, int nBarPosition) override;
    void DrawRectangle(CDC* pDC, CRect rc, BOOL bSelected, BOOL bPressed, BOOL bEnabled, BOOL bChecked,
                       BOOL bPopuped, int nBarType, int nBarPosition) override;
    CSize DrawFloatingBarCaption(CDC* pDC, CKitCommandBar* pBar, BOOL bDraw) override;
    CSize DrawCommandBarSeparator(CDC* pDC, CKitCommandBar* pBar, CKitControl* pControl, BOOL bDraw) override;
    void AdjustControlRect(CRect& rc, CKitControl* pControl, BOOL bVertical) override;
    void DrawStatusBarPaneBorder(CDC* pDC, CRect rc, CKitStatusBarPane* pPane, BOOL bGripperPane) override;
    void DrawVerticalSeparator(CDC* pDC, CRect rc, CKitStatusBarPane* pPane) override;
    CSize DrawTearOffGripper(CDC* pDC, CRect rcGripper, BOOL bSelected, BOOL bDraw) override;
    void DrawPopupResizeGripper(CDC* pDC, CRect rcGripper, int nFlags) override;
    void DrawControlImage(CDC* pDC, CPoint pt, CSize sz, CKitImageManagerIcon* pImage, BOOL bSelected,
                          BOOL bPressed, BOOL bEnabled, BOOL bChecked, BOOL bPopuped, BOOL bToolBarImage) override;
    CSize DrawCommandBarGripper(CDC* pDC, CKitCommandBar* pBar, BOOL bDraw) override;
    CSize DrawControlCheckBoxMark(CDC* pDC, CRect rc, BOOL bDraw, BOOL bSelected, BOOL bPressed, int nChecked,
                                  BOOL bEnabled) override;
    CSize DrawControlRadioButtonMark(CDC* pDC, CRect rc, BOOL bDraw, BOOL bSelected, BOOL bPressed, int nChecked,
                                     BOOL bEnabled) override;
    void FillExpandedColumn(CDC* pDC, CRect rc, BOOL bHiddenControl) override;
    int GetCurrentTheme() const override { return 1; }

    // The line between a split popup item and its arrow part.
    virtual void DrawSplitButtonPopupLine(CDC* pDC, CKitControl* pControl);
    // The submenu arrow of a popup item.
    virtual void DrawControlPopupGlyph(CDC* pDC, CKitControl* pControl);
    // The background of a label in a popup bar.
    virtual void FillPopupLabelBackground(CDC* pDC, CRect rc);

protected:
    // The colour roles of this theme and those built on it (indices of the colour table).
    enum OfficeColor {
        kFace = 30,
        kHotFill = 31,
        kHotBorder = 32,
        kPushedFill = 33,
        kDisabledMark = 35,
        kCheckedFill = 36,
        kCheckedBorder = 37,
        kGripper = 38,
        kSeparator = 39,
        kDisabledIcon = 40,
        kPopupFill = 41,
        kExpandedColumn = 42,
        kPopupBorder = 43,
        kPopupText = 44,
        kHotText = 45,
        kToolBarText = 46,
        kPushedText = 47,
        kPushedBorder = 50,
        kIndeterminateFill = 51,
        kMarkBorder = 52,
        kPopupFieldBorder = 53,
        kAccent = 55,
        kLabelFill = 56,
        kDisabledCheckedBorder = 58,
        kDisabledText = 60,
        kFloatingFrame = 61,
    };

    // The one-pixel separator line before a control of a popup bar (beside it when the control wraps).
    CRect GetPopupSeparatorLine(CKitCommandBar* pBar, CKitControl* pControl);
    // Fills the part where a popup meets the control that opened it.
    void FillPopupJoiningGap(CDC* pDC, CKitCommandBar* pBar, int nColor);
    // The box of a check box or radio mark in its state.
    void DrawMarkBox(CDC* pDC, CRect rc, BOOL bSelected, BOOL bPressed, BOOL bEnabled, BOOL bRadio);
    // The mark's colour: the text colour, or colour 35 when disabled or indeterminate.
    COLORREF GetMarkColor(int nChecked, BOOL bEnabled);
};

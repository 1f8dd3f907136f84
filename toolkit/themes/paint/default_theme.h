// CKitDefaultTheme, CKitVisualStudio6Theme: the classic three-dimensional command-bar look drawn from the system colours.
#pragma once

#include "toolkit/themes/paint/paint_manager.h"

class CKitDefaultTheme : public CKitPaintManager {
    DECLARE_DYNAMIC(CKitDefaultTheme)
public:
    CKitDefaultTheme();

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
    void RefreshMetrics() override;
    CSize DrawSpecialControl(CDC* pDC, int nKind, CKitControl* pControl, CKitCommandBar* pBar, BOOL bDraw,
                             LPARAM lpParam) override;
    CRect GetCommandBarBorders(CKitCommandBar* pBar) override;
    CSize DrawTearOffGripper(CDC* pDC, CRect rcGripper, BOOL bSelected, BOOL bDraw) override;
    void DrawPopupResizeGripper(CDC* pDC, CRect rcGripper, int nFlags) override;
    void DrawControlImage(CDC* pDC, CPoint pt, CSize sz, CKitImageManagerIcon* pImage, BOOL bSelected,
                          BOOL bPressed, BOOL bEnabled, BOOL bChecked, BOOL bPopuped, BOOL bToolBarImage) override;
    CSize DrawCommandBarGripper(CDC* pDC, CKitCommandBar* pBar, BOOL bDraw) override;
    int GetCurrentTheme() const override { return 0; }
    CSize GetPopupBarImageSize(CKitCommandBar* pBar) override;

    // The frame of an edit or combo-box field.
    virtual void DrawControlEditFrame(CDC* pDC, CRect rc, BOOL bEnabled, BOOL bSelected);
    // The drop-down button of a combo box.
    virtual void DrawComboBoxDropDownButton(CDC* pDC, CRect rcDropDown, BOOL bEnabled, BOOL bSelected,
                                            BOOL bDropped);
    // The spin buttons of an edit control.
    virtual void DrawControlEditSpin(CDC* pDC, CKitControlEdit* pEdit);

    // The colour-table index of captions in popup bars.
    int m_nPopupBarText = COLOR_BTNTEXT;

protected:
    // The raised and sunken frames and the dithered checked background.
    void DrawRaised(CDC* pDC, CRect rc);
    void DrawSunken(CDC* pDC, CRect rc);
    void DrawDithered(CDC* pDC, CRect rc);
};

// The default theme with double grippers on docked bars.
class CKitVisualStudio6Theme : public CKitDefaultTheme {
    DECLARE_DYNAMIC(CKitVisualStudio6Theme)
public:
    CSize DrawFloatingBarCaption(CDC* pDC, CKitCommandBar* pBar, BOOL bDraw) override;
};

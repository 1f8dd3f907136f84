// CKitNativeXPTheme: command bars drawn with the system's visual styles, classic wherever a style is missing.
#pragma once

#include "toolkit/themes/paint/default_theme.h"

#include <memory>

class CKitNativeXPTheme : public CKitDefaultTheme {
    DECLARE_DYNAMIC(CKitNativeXPTheme)
public:
    CKitNativeXPTheme();
    // The visual styles come from the library lpszThemeLibrary instead of the system's.
    explicit CKitNativeXPTheme(LPCSTR lpszThemeLibrary);
    ~CKitNativeXPTheme() override;

    void DrawSplitButtonFrame(CDC* pDC, CKitControl* pButton, CRect rc) override;
    void FillCommandBarEntry(CDC* pDC, CKitCommandBar* pBar) override;
    void DrawControlEntry(CDC* pDC, CKitControl* pControl) override;
    COLORREF GetControlTextColor(CKitControl* pControl) override;
    COLORREF GetControlStateTextColor(BOOL bSelected, BOOL bPressed, BOOL bEnabled, BOOL bChecked, BOOL bPopuped,
                                      int nBarType, int nBarPosition) override;
    void DrawRectangle(CDC* pDC, CRect rc, BOOL bSelected, BOOL bPressed, BOOL bEnabled, BOOL bChecked,
                       BOOL bPopuped, int nBarType, int nBarPosition) override;
    CSize DrawFloatingBarCaption(CDC* pDC, CKitCommandBar* pBar, BOOL bDraw) override;
    CSize DrawCommandBarSeparator(CDC* pDC, CKitCommandBar* pBar, CKitControl* pControl, BOOL bDraw) override;
    void AdjustControlRect(CRect& rc, CKitControl* pControl, BOOL bVertical) override;
    void FillWindowFace(CDC* pDC, CWnd* pWnd) override;
    void RefreshMetrics() override;
    CSize DrawSpecialControl(CDC* pDC, int nKind, CKitControl* pControl, CKitCommandBar* pBar, BOOL bDraw,
                             LPARAM lpParam) override;
    CSize DrawCommandBarGripper(CDC* pDC, CKitCommandBar* pBar, BOOL bDraw) override;
    void FillExpandedColumn(CDC* pDC, CRect rc, BOOL bHiddenControl) override;
    int GetCurrentTheme() const override { return 3; }
    void DrawCheckMark(CDC* pDC, CRect rc, BOOL bEnabled, COLORREF clr) override;
    void DrawSmoothDot(CDC* pDC, CRect rc, COLORREF clr) override;
    void DrawControlMDIButton(CDC* pDC, CKitControl* pControl) override;
    int GetPopupBarGripperWidth(CKitCommandBar* pBar) override;
    void DrawControlEditFrame(CDC* pDC, CRect rc, BOOL bEnabled, BOOL bSelected) override;
    void DrawComboBoxDropDownButton(CDC* pDC, CRect rcDropDown, BOOL bEnabled, BOOL bSelected,
                                    BOOL bDropped) override;
    void DrawControlEditSpin(CDC* pDC, CKitControlEdit* pEdit) override;

    // Toolbars are drawn with the style while its REBAR and TOOLBAR classes are open; menus while MENU is.
    BOOL IsToolBarStyleUsable() const;
    BOOL IsMenuStyleUsable() const;

    COLORREF m_clrEdgeShadow = 0;
    COLORREF m_clrEdgeHighlight = 0;
    // The system's flat-menu setting, read by the refresh.
    BOOL m_bFlatMenus = TRUE;
    COLORREF m_clrHotText = 0;
    COLORREF m_clrPressedText = 0;

protected:
    // The system's flat-menu setting (FALSE when it cannot be read); tests give their own.
    virtual BOOL ReadSystemFlatMenu();

    std::unique_ptr<CKitWinThemeWrapper> m_themeRebar;
    std::unique_ptr<CKitWinThemeWrapper> m_themeToolbar;
    std::unique_ptr<CKitWinThemeWrapper> m_themeComboBox;
    std::unique_ptr<CKitWinThemeWrapper> m_themeWindow;
    std::unique_ptr<CKitWinThemeWrapper> m_themeSpin;
    std::unique_ptr<CKitWinThemeWrapper> m_themeMenu;

private:
    // A popup control on a flat menu bar, which the style highlights like the system's menu bar.
    BOOL IsFlatMenuBarPopup(CKitControl* pControl) const;
    // The rebar's background over the reference window, in pWnd's client coordinates and clipped to its client.
    void FillRebarBackground(CDC* pDC, CWnd* pWnd, CWnd* pReference);
};

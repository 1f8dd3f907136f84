// CKitTabBaseTheme, CKitTabBaseThemeOfficeXP, CKitTabBaseThemeOffice2003: how the tab control draws its tabs, pane edge, hosted-window frame and strip buttons.
#pragma once

#include "toolkit/common/color_manager.h"
#include "toolkit/common/control_theme.h"
#include "toolkit/common/tab_ctrl.h"

#include <memory>

class CDC;
class CKitWinThemeWrapper;

// The classic three-dimensional tabs, or the visual style's when one is active.
class CKitTabBaseTheme : public CKitControlTheme {
    DECLARE_DYNAMIC(CKitTabBaseTheme)
public:
    // The visual-style parts of the "TAB" class.
    static constexpr int kPartTabItem = 1;
    static constexpr int kPartPane = 9;

    CKitTabBaseTheme();
    ~CKitTabBaseTheme() override;

    virtual void RefreshMetrics(CKitTabBase* pTab);
    // Draws the whole control into the buffered DC.
    virtual void DrawTabCtrl(CDC* pDC, CKitTabBase* pTab);
    virtual CKitPaintManagerColor& GetBackColor();
    virtual void AdjustTabWindowBorders(CKitTabBase* pTab, CKitTcbItem* pItem);
    virtual void DrawStripButton(CDC* pDC, CKitTabCtrlButtons::Button* pButton, COLORREF clrGlyph);
    // Fills the strip-button window; the glyph colour.
    virtual COLORREF DrawStripButtonsBackground(CDC* pDC, CKitTabCtrlButtons* pButtons);
    virtual void DrawBorder(CDC* pDC, const CRect& rc);
    virtual void DrawPaneEdge(CDC* pDC, CKitTabBase* pTab, const CRect& rcStrip);
    virtual void DrawThemedTabItem(CDC* pDC, CWnd* pTabWnd, const CRect& rcItem, BOOL bSelected);
    virtual void DrawTabItem(CDC* pDC, CWnd* pTabWnd, const CRect& rcItem, BOOL bSelected);
    virtual void DrawTab(CDC* pDC, CKitTabBase* pTab, int nIndex);
    // Draws the tab's icon and moves the rectangle past it; the Office themes place it by their own offsets.
    virtual void DrawTabIcon(CDC* pDC, CWnd* pTabWnd, CRect& rcItem, int nIndex);
    virtual void DrawTabText(CDC* pDC, CWnd* pTabWnd, const CRect& rcItem, int nIndex, BOOL bSelected, BOOL bBold);
    virtual CRect GetStripRect(CKitTabBase* pTab);
    virtual void UpdateStripButtons(CKitTabBase* pTab);
    virtual void DrawChildFrame(CDC* pDC, const CRect& rc);

    // The visual style is wanted and ready.
    BOOL IsThemed();
    int GetEdgeSize() const { return m_nEdge; }
    void SetNativeDrawing(BOOL bNative) { m_bNativeDraw = bNative; }
    void SetUseVisualStyles(BOOL bUse) { m_bUseVisualStyles = bUse; }

    // The orientation bits of a control's style: 0 top, TCS_BOTTOM, TCS_VERTICAL (left), both (right).
    static DWORD Orientation(CWnd* pTabWnd);
    // One-pixel lines of n pixels and single pixels; nothing for the colour -1.
    static void H(CDC* pDC, int x, int y, int n, COLORREF clr);
    static void V(CDC* pDC, int x, int y, int n, COLORREF clr);
    static void P(CDC* pDC, int x, int y, COLORREF clr);
    static COLORREF SysColor(int nIndex);

protected:
    // The strip buttons stand over the native scroll arrows in these themes.
    virtual BOOL HasStripButtons() const { return FALSE; }

    BOOL m_bNativeDraw;
    BOOL m_bUseVisualStyles;
    int m_nEdge;
    std::unique_ptr<CKitWinThemeWrapper> m_pTheme;
    CKitPaintManagerColor m_clrNormalText;
    CKitPaintManagerColor m_clrSelectedText;
    CKitPaintManagerColor m_clrBack;
};

// Flat tabs with separators.
class CKitTabBaseThemeOfficeXP : public CKitTabBaseTheme {
    DECLARE_DYNAMIC(CKitTabBaseThemeOfficeXP)
public:
    CKitTabBaseThemeOfficeXP();

    void RefreshMetrics(CKitTabBase* pTab) override;
    void AdjustTabWindowBorders(CKitTabBase* pTab, CKitTcbItem* pItem) override;
    void DrawStripButton(CDC* pDC, CKitTabCtrlButtons::Button* pButton, COLORREF clrGlyph) override;
    COLORREF DrawStripButtonsBackground(CDC* pDC, CKitTabCtrlButtons* pButtons) override;
    void DrawBorder(CDC* pDC, const CRect& rc) override;
    void DrawPaneEdge(CDC* pDC, CKitTabBase* pTab, const CRect& rcStrip) override;
    void DrawTabItem(CDC* pDC, CWnd* pTabWnd, const CRect& rcItem, BOOL bSelected) override;
    void DrawChildFrame(CDC* pDC, const CRect& rc) override;

protected:
    BOOL HasStripButtons() const override { return TRUE; }
};

// Gradient tabs with a dark outline.
class CKitTabBaseThemeOffice2003 : public CKitTabBaseThemeOfficeXP {
    DECLARE_DYNAMIC(CKitTabBaseThemeOffice2003)
public:
    CKitTabBaseThemeOffice2003();

    void RefreshMetrics(CKitTabBase* pTab) override;
    CKitPaintManagerColor& GetBackColor() override;
    COLORREF DrawStripButtonsBackground(CDC* pDC, CKitTabCtrlButtons* pButtons) override;
    void DrawPaneEdge(CDC* pDC, CKitTabBase* pTab, const CRect& rcStrip) override;
    void DrawTabItem(CDC* pDC, CWnd* pTabWnd, const CRect& rcItem, BOOL bSelected) override;
    void DrawChildFrame(CDC* pDC, const CRect& rc) override;
    // Fills the tab with the gradient from light to its base colour; the base colour.
    virtual COLORREF FillTabGradient(CDC* pDC, CWnd* pTabWnd, const CRect& rc, BOOL bSelected);

    const CKitPaintManagerColorGradient& GetStripGradient() const { return m_grcStrip; }

protected:
    CKitPaintManagerColorGradient m_grcStrip;
    CKitPaintManagerColor m_clr[5];
};

// The tab theme of an id: 4 Office XP, 5 Office 2003, any other the default.
CKitTabBaseTheme* KitCreateTabTheme(int nTheme);

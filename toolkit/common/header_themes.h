// CKitHeaderCtrlTheme, CKitHeaderCtrlThemeOfficeXP, CKitHeaderCtrlThemeOffice2003, CKitHeaderCtrlThemeExplorer, CKitHeaderCtrlThemeResource: how the themed header draws.
#pragma once

#include "toolkit/common/color_manager.h"
#include "toolkit/common/control_theme.h"

#include "framework/geometry.h"

#include <commctrl.h>

#include <memory>

class CDC;
class CKitHeaderCtrl;
class CKitWinThemeWrapper;

// The default theme: the classic three-dimensional header, or the visual style.
class CKitHeaderCtrlTheme : public CKitControlTheme {
    DECLARE_DYNAMIC(CKitHeaderCtrlTheme)
public:
    // Draw style flags.
    enum DrawStyle : DWORD { kUseVisualStyle = 1, kHotTracking = 2, kSortArrows = 4 };

    CKitHeaderCtrlTheme();
    ~CKitHeaderCtrlTheme() override;

    // Draws the whole header (shared by all themes).
    virtual void DrawHeader(CDC* pDC, CKitHeaderCtrl* pHeader);
    virtual void RefreshMetrics(CKitHeaderCtrl* pHeader);
    virtual BOOL UsesVisualStyles(CKitHeaderCtrl* pHeader);
    virtual void SetDrawStyle(DWORD dwDrawStyle, CKitHeaderCtrl* pHeader);
    virtual DWORD GetDrawStyle() const;
    // HDM_LAYOUT; FALSE leaves it to the control.
    virtual BOOL Layout(LPHDLAYOUT lpHDL, CKitHeaderCtrl* pHeader);
    virtual void CleanUp(CKitHeaderCtrl* pHeader);
    virtual BOOL SetBitmap(int nCol, UINT nIDBitmap, BOOL bRemove, COLORREF crMask, CKitHeaderCtrl* pHeader);
    virtual void DrawBackground(LPDRAWITEMSTRUCT lpDIS);
    virtual BOOL DrawThemedBackground(LPDRAWITEMSTRUCT lpDIS);
    virtual void DrawItemBackground(LPDRAWITEMSTRUCT lpDIS);
    virtual BOOL DrawThemedItemBackground(LPDRAWITEMSTRUCT lpDIS);
    // The arrow beside the text rectangle given in the record.
    virtual void DrawSortArrow(LPDRAWITEMSTRUCT lpDIS, BOOL bAscending);
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDIS, CKitHeaderCtrl* pHeader);
    // Draws the column's image at the text's left and moves the text's left edge past it.
    virtual void DrawImage(LPDRAWITEMSTRUCT lpDIS, CRect& rcText, CKitHeaderCtrl* pHeader);
    virtual void DrawTriangle(CDC* pDC, const POINT* pPoints, BOOL bAscending);

    int GetArrowSpacing() const { return m_iArrowPadding; }
    CSize GetArrowSize() const { return m_sizeArrow; }
    int GetTextMargin() const { return m_nTextMargin; }
    BOOL IsVisualStyleInUse() const { return m_bUseWinThemes; }

protected:
    // The caption's offset when pressed (the resource theme keeps it in place).
    virtual BOOL IsPressedTextOffset() const { return TRUE; }
    // The height of the header's font.
    static int FontHeight(CKitHeaderCtrl* pHeader);
    // The face with a highlight and shadow frame (Office XP and Explorer).
    void DrawFlatBackground(LPDRAWITEMSTRUCT lpDIS);
    // The shadow and highlight lines at an item's right, from 2 pixels down to nBottomInset above the bottom.
    void DrawSeparator(LPDRAWITEMSTRUCT lpDIS, int nBottomInset);
    // Sets the header's height to the font's plus nExtra.
    static BOOL LayoutWithHeight(LPHDLAYOUT lpHDL, CKitHeaderCtrl* pHeader, int nExtra);

    int m_iArrowPadding;
    DWORD m_dwDrawStyle;
    BOOL m_bUseWinThemes;
    int m_nTextMargin;
    int m_nFixedTextTop;
    CSize m_sizeArrow;
    CKitPaintManagerColor m_cr3DFace;
    CKitPaintManagerColor m_cr3DShadow;
    CKitPaintManagerColor m_cr3DDkShadow;
    CKitPaintManagerColor m_cr3DHighLight;
    CKitPaintManagerColor m_crText;
    std::unique_ptr<CKitWinThemeWrapper> m_themeHeader;
};

class CKitHeaderCtrlThemeOfficeXP : public CKitHeaderCtrlTheme {
    DECLARE_DYNAMIC(CKitHeaderCtrlThemeOfficeXP)
public:
    CKitHeaderCtrlThemeOfficeXP();
    void DrawBackground(LPDRAWITEMSTRUCT lpDIS) override;
    void DrawItemBackground(LPDRAWITEMSTRUCT lpDIS) override;
};

class CKitHeaderCtrlThemeOffice2003 : public CKitHeaderCtrlTheme {
    DECLARE_DYNAMIC(CKitHeaderCtrlThemeOffice2003)
public:
    CKitHeaderCtrlThemeOffice2003();
    BOOL Layout(LPHDLAYOUT lpHDL, CKitHeaderCtrl* pHeader) override;
    void DrawBackground(LPDRAWITEMSTRUCT lpDIS) override;
    void DrawItemBackground(LPDRAWITEMSTRUCT lpDIS) override;
};

class CKitHeaderCtrlThemeExplorer : public CKitHeaderCtrlThemeOffice2003 {
    DECLARE_DYNAMIC(CKitHeaderCtrlThemeExplorer)
public:
    CKitHeaderCtrlThemeExplorer();
    BOOL Layout(LPHDLAYOUT lpHDL, CKitHeaderCtrl* pHeader) override;
    void DrawBackground(LPDRAWITEMSTRUCT lpDIS) override;
    void DrawTriangle(CDC* pDC, const POINT* pPoints, BOOL bAscending) override;
};

class CKitHeaderCtrlThemeResource : public CKitHeaderCtrlThemeOfficeXP {
    DECLARE_DYNAMIC(CKitHeaderCtrlThemeResource)
public:
    CKitHeaderCtrlThemeResource();
    void RefreshMetrics(CKitHeaderCtrl* pHeader) override;
    void DrawBackground(LPDRAWITEMSTRUCT lpDIS) override;
    void DrawItemBackground(LPDRAWITEMSTRUCT lpDIS) override;
    void DrawTriangle(CDC* pDC, const POINT* pPoints, BOOL bAscending) override;

protected:
    BOOL IsPressedTextOffset() const override { return FALSE; }

private:
    CKitPaintManagerColorGradient m_grcNormal;
    CKitPaintManagerColorGradient m_grcPressed;
};

// The header theme of an id.
CKitHeaderCtrlTheme* KitCreateHeaderTheme(int nTheme);

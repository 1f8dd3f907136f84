// CKitEdit: the themed edit box, as far as a buddy button placed against one of its sides draws the shared border.
#pragma once

#include "framework/controls.h"
#include "toolkit/common/theme_wrapper.h"

#include <windows.h>

class CDC;

class CKitEdit : public CEdit {
    DECLARE_DYNAMIC(CKitEdit)
public:
    // The buddy lies against the edit's right edge; any other side is the left edge.
    static constexpr int kSideRight = 4;
    enum Theme { kThemeDefault = 0, kThemeFlat = 3, kThemeResource = 7 };

    CKitEdit();

    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    // A border of the window's own: WS_BORDER as created (the edit control
    // takes it out of its style to draw it itself) or a client edge.
    BOOL HasBorderStyle() const;

    // The brush the parent gives for the edit's colours, else the system's.
    HBRUSH GetBackgroundBrush(CDC* pDC);
    // Shrinks the buddy's rectangle by the border it shares with the edit.
    void AdjustBuddyRect(CWnd* pButton, CRect& rc, int nSide);
    // Draws the shared border around the buddy.
    void DrawBuddyBorder(CWnd* pButton, CDC* pDC, CRect rc, int nSide);

    void SetTheme(int nTheme) { m_nTheme = nTheme; }
    int GetTheme() const { return m_nTheme; }
    void SetNoBuddyBorder(BOOL bNoBorder) { m_bNoBuddyBorder = bNoBorder; }
    // The edit draws its border itself.
    void SetOwnBorder(BOOL bOwnBorder) { m_bOwnBorder = bOwnBorder; }
    void SetUseVisualStyle(BOOL bUse) { m_bUseVisualStyle = bUse; }
    void SetBorderColor(COLORREF clr) { m_clrBorder = clr; }

    // The window is a spin button (up-down control).
    static BOOL IsSpinButton(CWnd* pWnd);

private:
    BOOL IsVisualStyleDrawn();

    BOOL m_bCreatedWithBorder;
    BOOL m_bNoBuddyBorder;
    BOOL m_bOwnBorder;
    BOOL m_bUseVisualStyle;
    CKitWinThemeWrapper m_themeEdit;
    int m_nTheme;
    COLORREF m_clrBorder;
};

// CKitCommandBarKeyboardTip, CKitMessageBarButton, CKitMessageBarLayout: a keyboard tip window, and a message bar and its buttons as the painters read them.
#pragma once

#include "framework/geometry.h"
#include "framework/msgmap.h"
#include "framework/strings.h"
#include "framework/wnd.h"

#include <windows.h>

#include <vector>

class CKitCommandBar;
class CKitCommandBarManager;

// A small window showing the key that reaches a control, tab or bar.
class CKitCommandBarKeyboardTip : public CWnd {
public:
    // Alignment bits: centred on x, right edge at x, centred on y, bottom at y (0: top-left at the point).
    static constexpr DWORD kAlignCenterX = 1;
    static constexpr DWORD kAlignRight = 2;
    static constexpr DWORD kAlignCenterY = 4;
    static constexpr DWORD kAlignBottom = 8;
    // The constant alpha of a disabled tip.
    static constexpr BYTE kDisabledAlpha = 150;

    CKitCommandBarKeyboardTip() = default;
    // A tip anchored at the point: client coordinates of pBar for a control, screen coordinates without a bar.
    CKitCommandBarKeyboardTip(CKitCommandBarManager* pCommandBars, CCmdTarget* pOwner, CKitCommandBar* pBar,
                              LPCSTR lpszCaption, CPoint ptAnchor, DWORD dwAlignment, BOOL bEnabled);

    // Creates the topmost window, sized for the text in the font; a disabled tip is translucent when
    // layered windows exist.
    BOOL CreateTipWindow(CFont* pFont, BOOL bRightToLeft);
    // The window's screen rectangle for a text of the size.
    CRect CalcTipRect(CSize szText, BOOL bRightToLeft) const;

    // The text shown.
    CString m_strText;
    // The owner's caption or title.
    CString m_strCaption;
    // The owner's own keyboard-tip string; replaces the letter taken from the caption when set.
    CString m_strTip;
    CString m_strPrefix;
    CCmdTarget* m_pOwner = nullptr;
    // The bar whose client coordinates the anchor is in; null for a screen point.
    CKitCommandBar* m_pBar = nullptr;
    CKitCommandBarManager* m_pCommandBars = nullptr;
    CPoint m_ptAnchor;
    DWORD m_dwAlignment = 0;
    BOOL m_bEnabled = TRUE;
    BOOL m_bVisible = TRUE;

protected:
    afx_msg void OnPaint();
    afx_msg LRESULT OnNcHitTest(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};

// Gives every tip its text: its own string, else its prefix, else the caption's mnemonic or first
// letter (upper case); tips that begin with the same letter get a second letter, the initial of a
// later word first, else a later letter, else a digit.
void KitDeriveKeyboardTipTexts(const std::vector<CKitCommandBarKeyboardTip*>& tips);

// A button of a message bar (the close button carries SC_CLOSE).
struct CKitMessageBarButton {
    CRect rc;
    UINT nId = 0;
    BOOL bHot = FALSE;
    BOOL bPushed = FALSE;
};

// A message bar: its client rectangle, the widths of its border and its buttons.
struct CKitMessageBarLayout {
    // A close button takes this much more from the right of the message.
    static constexpr int kCloseButtonSpace = 18;

    CRect rcClient;
    CRect rcBorders;
    std::vector<CKitMessageBarButton> buttons;

    // The button with the command id; null when there is none.
    const CKitMessageBarButton* FindButton(UINT nId) const
    {
        for (const CKitMessageBarButton& button : buttons)
            if (button.nId == nId)
                return &button;
        return nullptr;
    }
    // The client rectangle less the border, less the close button's space when there is one.
    CRect GetMessageRect() const
    {
        CRect rc(rcClient.left + rcBorders.left, rcClient.top + rcBorders.top, rcClient.right - rcBorders.right,
                 rcClient.bottom - rcBorders.bottom);
        if (FindButton(SC_CLOSE) != nullptr)
            rc.right -= kCloseButtonSpace;
        return rc;
    }
};

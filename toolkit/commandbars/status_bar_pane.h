// CKitStatusBarPane, CKitStatusBarSwitchPane: status-bar panes as the paint manager draws them.
#pragma once

#include "framework/gdi.h"
#include "framework/geometry.h"
#include "framework/strings.h"

#include <windows.h>

#include <vector>

class CKitImageManagerIcon;
class CKitMarkupUIElement;

// One pane of a status bar.
class CKitStatusBarPane {
public:
    static constexpr COLORREF kNoColor = static_cast<COLORREF>(-1);
    // Text alignments.
    enum Alignment { kAlignLeft = 0, kAlignCenter = 1, kAlignRight = 2 };

    CKitStatusBarPane() = default;
    virtual ~CKitStatusBarPane() = default;
    CKitStatusBarPane(const CKitStatusBarPane&) = delete;
    CKitStatusBarPane& operator=(const CKitStatusBarPane&) = delete;

    CString m_strText;
    // The pane's font; null takes the DC's.
    CFont* m_pFont = nullptr;
    CRect m_rcMargins;
    int m_nAlignment = kAlignLeft;
    // Not owned.
    CKitImageManagerIcon* m_pIcon = nullptr;
    COLORREF m_clrText = kNoColor;
    COLORREF m_clrDisabledText = kNoColor;
    BOOL m_bEnabled = TRUE;
    BOOL m_bBorder = TRUE;
    // A button pane and its states.
    BOOL m_bButton = FALSE;
    BOOL m_bHot = FALSE;
    BOOL m_bPressed = FALSE;
    // A markup text drawn in place of the text; not owned.
    CKitMarkupUIElement* m_pMarkupElement = nullptr;
};

// A pane of switch buttons, each 18 pixels wide.
class CKitStatusBarSwitchPane : public CKitStatusBarPane {
public:
    struct Switch {
        BOOL bHot = FALSE;
        BOOL bPressed = FALSE;
        BOOL bEnabled = TRUE;
        BOOL bChecked = FALSE;
        // Not owned.
        CKitImageManagerIcon* pIcon = nullptr;
        int nWidth = 0;
    };
    std::vector<Switch> m_switches;
};

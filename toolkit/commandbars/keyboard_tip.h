// CKitCommandBarKeyboardTip, CKitMessageBarButton: a keyboard tip window and a message-bar button as the painters read them.
#pragma once

#include "framework/geometry.h"
#include "framework/strings.h"
#include "framework/wnd.h"

#include <windows.h>

// A small window showing the key that reaches a control, tab or bar.
class CKitCommandBarKeyboardTip : public CWnd {
public:
    CKitCommandBarKeyboardTip() = default;

    CString m_strCaption;
    // Replaces the letter taken from the caption when set.
    CString m_strTip;
    CString m_strPrefix;
    CPoint m_ptAnchor;
    DWORD m_dwAlignment = 0;
    BOOL m_bEnabled = TRUE;
    BOOL m_bVisible = FALSE;
};

// A button of a message bar (the close button carries SC_CLOSE).
struct CKitMessageBarButton {
    CRect rc;
    UINT nId = 0;
    BOOL bHot = FALSE;
    BOOL bPushed = FALSE;
};

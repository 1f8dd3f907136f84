// CKitToolTipContext: the tooltip of a toolkit control: the tool under the mouse, its text, and the mouse messages relayed to a tooltip window.
#pragma once

#include "framework/geometry.h"
#include "framework/strings.h"

#include <windows.h>

#include <commctrl.h>

#include <functional>

class CWnd;

class CKitToolTipContext {
public:
    // The control's tool hit test: the tool under the point (client
    // coordinates) filled in and its id, or -1.
    using HitTest = std::function<INT_PTR(CPoint point, TOOLINFOA* pTI)>;

    CKitToolTipContext() = default;
    ~CKitToolTipContext();
    CKitToolTipContext(const CKitToolTipContext&) = delete;
    CKitToolTipContext& operator=(const CKitToolTipContext&) = delete;

    // Sees every message of the control: mouse messages make the tool under
    // the point the tooltip's tool and are relayed to the tooltip window.
    void FilterToolTipMessage(CWnd* pWnd, UINT message, WPARAM wParam, LPARAM lParam, const HitTest& hitTest);
    // Fills the tool information: the window, the rectangle and the text (kept by the context).
    void FillInToolInfoEx(TOOLINFOA* pTI, HWND hWnd, const CRect& rc, LPCSTR lpszText);

    HWND GetToolTipWindow() const { return m_hwndToolTip; }
    const CString& GetText() const { return m_strText; }

private:
    void RemoveTool();

    HWND m_hwndToolTip = nullptr;
    HWND m_hwndTool = nullptr;
    CRect m_rcTool;
    CString m_strText;
    CString m_strShown;
    BOOL m_bToolAdded = FALSE;
};

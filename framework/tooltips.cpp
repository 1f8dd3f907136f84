// CWnd::EnableToolTips: a tooltip control over a window's child controls.
#include "framework/wnd.h"

#include <commctrl.h>

namespace {

// The window property holding the tooltip control of a window.
const char kToolTipProperty[] = "KorvaneToolTips";

} // namespace

BOOL CWnd::EnableToolTips(BOOL bEnable)
{
    HWND hTip = static_cast<HWND>(::GetPropA(m_hWnd, kToolTipProperty));
    if (!bEnable) {
        if (hTip != nullptr) {
            ::RemovePropA(m_hWnd, kToolTipProperty);
            ::DestroyWindow(hTip);
        }
        return TRUE;
    }
    if (hTip != nullptr)
        return TRUE;
    // Owned by this window, the control goes with it.
    hTip = ::CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, m_hWnd, nullptr, ::GetModuleHandleA(nullptr),
                             nullptr);
    if (hTip == nullptr)
        return FALSE;
    // Every child is a tool; its text is asked for (TTN_NEEDTEXT, idFrom the child's handle) when it shows.
    for (HWND hChild = ::GetWindow(m_hWnd, GW_CHILD); hChild != nullptr; hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
        TTTOOLINFOA tool = {};
        tool.cbSize = sizeof tool;
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = m_hWnd;
        tool.uId = reinterpret_cast<UINT_PTR>(hChild);
        tool.lpszText = LPSTR_TEXTCALLBACKA;
        ::SendMessageA(hTip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    }
    ::SetPropA(m_hWnd, kToolTipProperty, hTip);
    return TRUE;
}

#include "toolkit/common/tooltip_context.h"

#include "framework/wnd.h"

namespace {

constexpr UINT_PTR kToolId = 1;

bool IsMouseMessage(UINT message)
{
    return (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) || message == WM_MOUSELEAVE;
}

} // namespace

CKitToolTipContext::~CKitToolTipContext()
{
    if (m_hwndToolTip != nullptr && ::IsWindow(m_hwndToolTip))
        ::DestroyWindow(m_hwndToolTip);
}

void CKitToolTipContext::FillInToolInfoEx(TOOLINFOA* pTI, HWND hWnd, const CRect& rc, LPCSTR lpszText)
{
    m_strText = lpszText;
    pTI->cbSize = sizeof(TOOLINFOA);
    pTI->uFlags = TTF_TRANSPARENT;
    pTI->hwnd = hWnd;
    pTI->uId = kToolId;
    pTI->rect = rc;
    pTI->lpszText = const_cast<LPSTR>(static_cast<LPCSTR>(m_strText));
}

void CKitToolTipContext::RemoveTool()
{
    if (!m_bToolAdded || m_hwndToolTip == nullptr)
        return;
    TOOLINFOA ti = {};
    ti.cbSize = sizeof(ti);
    ti.hwnd = m_hwndTool;
    ti.uId = kToolId;
    ::SendMessageA(m_hwndToolTip, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
    m_bToolAdded = FALSE;
}

void CKitToolTipContext::FilterToolTipMessage(CWnd* pWnd, UINT message, WPARAM wParam, LPARAM lParam,
                                              const HitTest& hitTest)
{
    if (pWnd == nullptr || pWnd->GetSafeHwnd() == nullptr || !IsMouseMessage(message))
        return;
    if (message == WM_MOUSELEAVE) {
        if (m_hwndToolTip != nullptr)
            ::SendMessageA(m_hwndToolTip, TTM_POP, 0, 0);
        return;
    }
    const CPoint point(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
    TOOLINFOA ti = {};
    ti.cbSize = sizeof(ti);
    if (hitTest(point, &ti) == -1) {
        RemoveTool();
        return;
    }
    if (m_hwndToolTip == nullptr) {
        m_hwndToolTip = ::CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                                          CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                          pWnd->GetSafeHwnd(), nullptr, ::GetModuleHandleA(nullptr), nullptr);
        if (m_hwndToolTip == nullptr)
            return;
    }
    if (!m_bToolAdded || ti.hwnd != m_hwndTool || CRect(ti.rect) != m_rcTool || m_strShown != m_strText) {
        RemoveTool();
        m_hwndTool = ti.hwnd;
        m_rcTool = ti.rect;
        m_strShown = m_strText;
        m_bToolAdded = ::SendMessageA(m_hwndToolTip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti)) != 0;
    }
    MSG msg = {pWnd->GetSafeHwnd(), message, wParam, lParam, static_cast<DWORD>(::GetMessageTime()), {}};
    ::GetCursorPos(&msg.pt);
    ::SendMessageA(m_hwndToolTip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
}

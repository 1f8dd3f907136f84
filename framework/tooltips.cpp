// CWnd's own tooltips: one tooltip control per thread, its tool kept in step with OnToolHitTest.
#include "framework/listctrl.h"

#include <memory>

namespace {

// The thread's tooltip control and the one tool it holds.
struct ThreadToolTip {
    std::unique_ptr<CToolTipCtrl> tip;
    HWND owner = nullptr;
    HWND toolWnd = nullptr;
    INT_PTR toolId = -1;

    void ForgetTool()
    {
        if (toolWnd != nullptr && tip && tip->m_hWnd != nullptr)
            tip->DelTool(toolWnd, static_cast<UINT_PTR>(toolId));
        toolWnd = nullptr;
        toolId = -1;
    }
};

thread_local ThreadToolTip t_toolTip;

bool IsClientMouseMessage(UINT message)
{
    return message >= WM_MOUSEFIRST && message <= WM_MBUTTONDBLCLK && message != WM_MOUSEWHEEL;
}

bool IsNonClientMouseMessage(UINT message)
{
    return message >= WM_NCMOUSEMOVE && message <= WM_NCMBUTTONDBLCLK;
}

} // namespace

BOOL CWnd::EnableToolTips(BOOL bEnable)
{
    m_bToolTips = bEnable != FALSE;
    if (!m_bToolTips && t_toolTip.toolWnd == m_hWnd)
        t_toolTip.ForgetTool();
    return TRUE;
}

INT_PTR CWnd::OnToolHitTest(CPoint, TOOLINFOA*) const
{
    return -1;
}

void CWnd::FilterToolTipMessage(MSG* pMsg)
{
    const bool client = IsClientMouseMessage(pMsg->message);
    if (m_hWnd == nullptr || (!client && !IsNonClientMouseMessage(pMsg->message)))
        return;

    ThreadToolTip& state = t_toolTip;
    HWND top = ::GetAncestor(m_hWnd, GA_ROOT);
    if (!state.tip)
        state.tip = std::make_unique<CToolTipCtrl>();
    if (state.tip->m_hWnd == nullptr || state.owner != top) {
        state.tip->DestroyWindow();
        state.toolWnd = nullptr;
        state.toolId = -1;
        if (!state.tip->Create(FromHandle(top), TTS_ALWAYSTIP | TTS_NOPREFIX))
            return;
        state.tip->Activate(TRUE);
        state.owner = top;
    }

    // Client mouse messages carry the point in their window's client coordinates, the others on the screen.
    CPoint point(pMsg->lParam);
    if (client)
        ::MapWindowPoints(pMsg->hwnd, m_hWnd, &point, 1);
    else
        ScreenToClient(&point);

    TOOLINFOA info = {};
    info.cbSize = TTTOOLINFOA_V2_SIZE;
    const INT_PTR hit = OnToolHitTest(point, &info);
    if (hit != state.toolId || m_hWnd != state.toolWnd) {
        state.ForgetTool();
        if (hit != -1) {
            if (info.hwnd == nullptr)
                info.hwnd = m_hWnd;
            info.uId = static_cast<UINT_PTR>(hit);
            if (info.lpszText == nullptr)
                info.lpszText = LPSTR_TEXTCALLBACKA;
            if (state.tip->AddTool(&info)) {
                state.toolWnd = info.hwnd;
                state.toolId = hit;
            }
        }
    }
    state.tip->RelayEvent(pMsg);
}

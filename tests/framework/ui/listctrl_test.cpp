// Notify handlers that let a notification go on, and a window's own tooltips.
#include "framework/ui.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr UINT kControlId = 21;
constexpr UINT kCode = 0xFFFFFE00; // a notification code of the test's own

class NotifyTarget : public CWnd {
public:
    BOOL CreateTop() { return CreateEx(0, nullptr, "Notify", WS_OVERLAPPEDWINDOW, 10, 10, 300, 200, nullptr, nullptr); }

    bool m_consume = false;
    std::vector<UINT> m_ids;

    afx_msg BOOL OnCode(UINT nID, NMHDR*, LRESULT* pResult)
    {
        m_ids.push_back(nID);
        *pResult = 7;
        return m_consume ? TRUE : FALSE;
    }

    // Halves of the client area are tools 0 and 1.
    INT_PTR OnToolHitTest(CPoint point, TOOLINFOA* pTI) const override
    {
        const INT_PTR id = point.x < 150 ? 0 : 1;
        pTI->hwnd = m_hWnd;
        ::SetRect(&pTI->rect, static_cast<int>(id) * 150, 0, static_cast<int>(id) * 150 + 150, 200);
        return id;
    }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(NotifyTarget, CWnd)
    ON_NOTIFY_EX_RANGE(kCode, kControlId, kControlId + 1, &NotifyTarget::OnCode)
END_MESSAGE_MAP()

TEST(NotifyExHandler, AnswersOrLetsTheNotificationGoOn)
{
    NotifyTarget target;
    ASSERT_TRUE(target.CreateTop());
    NMHDR header = {target.m_hWnd, kControlId + 1, kCode};
    // Let go on: the window's own processing answers (0).
    EXPECT_EQ(0, target.SendMessage(WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header)));
    target.m_consume = true;
    EXPECT_EQ(7, target.SendMessage(WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header)));
    header.idFrom = kControlId + 2; // out of the range: not called
    EXPECT_EQ(0, target.SendMessage(WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header)));
    EXPECT_EQ((std::vector<UINT>{kControlId + 1, kControlId + 1}), target.m_ids);
    target.DestroyWindow();
}

// The tooltip control of this thread owned by a window, or null.
HWND ThreadToolTip(HWND owner)
{
    struct Search {
        HWND owner;
        HWND found;
    } search = {owner, nullptr};
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND hWnd, LPARAM lParam) -> BOOL {
            auto* s = reinterpret_cast<Search*>(lParam);
            char name[64] = {};
            ::GetClassNameA(hWnd, name, sizeof name);
            if (lstrcmpiA(name, TOOLTIPS_CLASSA) == 0 && ::GetWindow(hWnd, GW_OWNER) == s->owner) {
                s->found = hWnd;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The id of the one tool the tooltip holds, or -1.
INT_PTR OnlyTool(HWND tip)
{
    if (::SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0) != 1)
        return -1;
    TOOLINFOA info = {};
    info.cbSize = TTTOOLINFOA_V2_SIZE;
    ::SendMessageA(tip, TTM_ENUMTOOLSA, 0, reinterpret_cast<LPARAM>(&info));
    return static_cast<INT_PTR>(info.uId);
}

TEST(WindowToolTips, TheToolFollowsTheHitUnderTheMouse)
{
    NotifyTarget target;
    ASSERT_TRUE(target.CreateTop());
    MSG move = {target.m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(10, 10)};
    target.PreTranslateMessage(&move);
    EXPECT_EQ(nullptr, ThreadToolTip(target.m_hWnd)) << "no tooltips until they are enabled";

    target.EnableToolTips(TRUE);
    target.PreTranslateMessage(&move);
    HWND tip = ThreadToolTip(target.m_hWnd);
    ASSERT_NE(nullptr, tip);
    EXPECT_EQ(0, OnlyTool(tip));
    move.lParam = MAKELPARAM(200, 10);
    target.PreTranslateMessage(&move);
    EXPECT_EQ(1, OnlyTool(tip));
    target.EnableToolTips(FALSE);
    EXPECT_EQ(0, ::SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0));
    target.DestroyWindow();
}

} // namespace

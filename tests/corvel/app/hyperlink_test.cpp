// The hyperlink control, as a child of the running main frame.
#include "corvel/controls/hyperlink.h"

#include <gtest/gtest.h>

#include "corvel_app_environment.h"
#include "support/message_box_recorder.h"
#include "support/paths.h"

namespace {

constexpr UINT kLinkId = 4711;

// A plain static control of the main frame, as a dialog template would make it.
HWND CreateStatic(LPCSTR text)
{
    return ::CreateWindowExA(0, "STATIC", text, WS_CHILD, 0, 0, 120, 20,
                             CorvelAppEnvironment::Frame()->GetSafeHwnd(),
                             reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kLinkId)), ::GetModuleHandleA(nullptr),
                             nullptr);
}

TEST(HyperLink, SubclassingFillsTheEmptyTextOrTarget)
{
    const struct {
        const char* text;
        const char* url;
        const char* shownText;
        const char* target;
    } cases[] = {
        {"", "C:\\notes\\readme.html", "C:\\notes\\readme.html", "C:\\notes\\readme.html"},
        {"Release Notes", "", "Release Notes", "Release Notes"},
        {"Release Notes", "C:\\notes\\readme.html", "Release Notes", "C:\\notes\\readme.html"},
    };
    for (const auto& c : cases) {
        CHyperLink link;
        link.SetURL(c.url);
        ASSERT_TRUE(link.SubclassWindow(CreateStatic(c.text)));
        CString shown;
        link.GetWindowText(shown);
        EXPECT_STREQ(c.shownText, shown) << c.text << "|" << c.url;
        EXPECT_STREQ(c.target, link.GetURL()) << c.text << "|" << c.url;
        EXPECT_NE(0u, link.GetStyle() & SS_NOTIFY);
        link.DestroyWindow();
    }
}

TEST(HyperLink, DrawsInTheLinkColourOnATransparentBackground)
{
    CHyperLink link;
    ASSERT_TRUE(link.SubclassWindow(CreateStatic("Notes")));
    CClientDC dc(&link);
    dc.SetBkMode(OPAQUE);
    const LRESULT brush = CorvelAppEnvironment::Frame()->SendMessage(
        WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc.m_hDC), reinterpret_cast<LPARAM>(link.m_hWnd));
    EXPECT_EQ(reinterpret_cast<LRESULT>(::GetStockObject(NULL_BRUSH)), brush);
    EXPECT_EQ(RGB(0, 0, 238), ::GetTextColor(dc.m_hDC));
    EXPECT_EQ(TRANSPARENT, ::GetBkMode(dc.m_hDC));
    link.DestroyWindow();
}

TEST(HyperLink, FailedOpenIsReportedAndLeavesTheLinkUnvisited)
{
    TempFolder folder;
    CHyperLink link;
    ASSERT_TRUE(link.SubclassWindow(CreateStatic("Notes")));
    MessageBoxRecorder boxes;
    link.OpenTarget(folder.File("missing.html"), SW_SHOW);
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_STREQ("Unable to open hyperlink:\n\nThe specified file was not found.", boxes.Last().text);
    EXPECT_EQ(static_cast<UINT>(MB_ICONEXCLAMATION), boxes.Last().type & MB_ICONMASK);
    EXPECT_FALSE(link.IsVisited());
    link.DestroyWindow();
}

} // namespace

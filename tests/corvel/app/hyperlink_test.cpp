// The hyperlink control, as a child of the running main frame.
#include "common/hyperlink.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>

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

// While it lives, the hyperlink finds the given classes under HKEY_CLASSES_ROOT instead of the registry's.
class ClassesRoot {
public:
    explicit ClassesRoot(std::map<CString, CString> values)
    {
        CHyperLink::classesRootReader = [values](const CString& key) {
            const auto found = values.find(key);
            return found != values.end() ? found->second : CString();
        };
    }
    ~ClassesRoot() { CHyperLink::classesRootReader = nullptr; }
};

TEST(HyperLink, FailedOpenIsReportedAndLeavesTheLinkUnvisited)
{
    ClassesRoot noBrowser({});
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

TEST(HyperLink, FailedOpenFallsBackToTheWebBrowserAndReportsItsResult)
{
    ClassesRoot missingBrowser({{".htm", "KorvaneTestPage"},
                                {"KorvaneTestPage\\shell\\open\\command",
                                 "C:\\no-such-folder\\browser.exe -nohome \"%1\""}});
    TempFolder folder;
    CHyperLink link;
    ASSERT_TRUE(link.SubclassWindow(CreateStatic("Notes")));
    MessageBoxRecorder boxes;
    const INT_PTR result = reinterpret_cast<INT_PTR>(link.OpenTarget(folder.File("missing.html"), SW_SHOW));
    EXPECT_LE(result, 32);
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_STREQ("Unable to open hyperlink:\n\n" + CHyperLink::DescribeOpenError(result), boxes.Last().text);
    EXPECT_FALSE(link.IsVisited());
    link.DestroyWindow();
}

TEST(HyperLink, WebBrowserCommandIsCutBeforeItsArgument)
{
    const struct {
        const char* command;
        const char* cut;
    } cases[] = {
        {"\"C:\\Web\\browser.exe\" -nohome \"%1\"", "\"C:\\Web\\browser.exe\" -nohome "},
        {"C:\\Web\\browser.exe %1 -new", "C:\\Web\\browser.exe "},
        {"C:\\Web\\browser.exe -url \"%1\" %1", "C:\\Web\\browser.exe -url "},
        {"C:\\Web\\browser.exe", "C:\\Web\\browser.exe"},
    };
    for (const auto& c : cases) {
        ClassesRoot page({{".htm", "Page"}, {"Page\\shell\\open\\command", c.command}});
        EXPECT_STREQ(c.cut, CHyperLink::HtmlOpenCommand()) << c.command;
    }
    ClassesRoot none({});
    EXPECT_STREQ("", CHyperLink::HtmlOpenCommand());
}

// The control takes its text's width, narrower or wider than it was: a centred control keeps its middle, a
// right-aligned one its right edge, a left-aligned one its left edge.
TEST(HyperLink, FittedToItsTextKeepingItsAlignment)
{
    const CString longText = "http://www.example.com/products/gateways/"; // 41 characters
    ASSERT_EQ(41, longText.GetLength());
    const struct {
        DWORD style;
        const char* text;
        int left;
        int width;
    } boxes[] = {{SS_CENTER, "Release Notes", 20, 300}, {SS_LEFT, "Release Notes", 20, 300},
                 {SS_RIGHT, "Release Notes", 20, 300}, {SS_CENTER, longText, 200, 40},
                 {SS_LEFT, longText, 200, 40},         {SS_RIGHT, longText, 200, 40}};
    for (const auto& c : boxes) {
        SCOPED_TRACE(testing::Message() << "style " << c.style << ", " << c.width << " wide, " << c.text);
        HWND hWnd = ::CreateWindowExA(0, "STATIC", c.text, WS_CHILD | c.style, c.left, 30, c.width, 40,
                                      CorvelAppEnvironment::Frame()->GetSafeHwnd(),
                                      reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kLinkId)),
                                      ::GetModuleHandleA(nullptr), nullptr);
        CHyperLink link;
        ASSERT_TRUE(link.SubclassWindow(hWnd));
        CSize extent;
        {
            CClientDC dc(&link);
            CFont* font = link.GetFont();
            HGDIOBJ old = ::SelectObject(dc.m_hDC, font != nullptr ? font->GetSafeHandle()
                                                                   : ::GetStockObject(DEFAULT_GUI_FONT));
            ::GetTextExtentPoint32A(dc.m_hDC, c.text, static_cast<int>(strlen(c.text)), &extent);
            ::SelectObject(dc.m_hDC, old);
        }
        CRect rect;
        link.GetWindowRect(&rect);
        CorvelAppEnvironment::Frame()->ScreenToClient(&rect);
        EXPECT_EQ(extent.cx, rect.Width());
        EXPECT_EQ(30, rect.top);
        switch (c.style) {
        case SS_CENTER: EXPECT_NEAR(c.left + c.width / 2, (rect.left + rect.right) / 2, 1); break;
        case SS_RIGHT: EXPECT_EQ(c.left + c.width, rect.right); break;
        default: EXPECT_EQ(c.left, rect.left); break;
        }
        link.DestroyWindow();
    }
}

TEST(HyperLink, HoverUnderlinesAndLeavingRestoresTheStandardFont)
{
    CHyperLink link;
    ASSERT_TRUE(link.SubclassWindow(CreateStatic("Notes")));
    ASSERT_NE(nullptr, link.GetStandardFont());
    ASSERT_NE(nullptr, link.GetUnderlinedFont());
    EXPECT_EQ(link.GetStandardFont(), link.GetShownFont());
    // The cursor far from the control: the first timer tick finds it outside.
    ::SetCursorPos(::GetSystemMetrics(SM_CXSCREEN) - 1, ::GetSystemMetrics(SM_CYSCREEN) - 1);
    link.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_TRUE(link.IsHovered());
    EXPECT_EQ(link.GetUnderlinedFont(), link.GetShownFont());
    CClientDC dc(&link);
    CorvelAppEnvironment::Frame()->SendMessage(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc.m_hDC),
                                               reinterpret_cast<LPARAM>(link.m_hWnd));
    EXPECT_EQ(RGB(255, 0, 0), ::GetTextColor(dc.m_hDC));
    const DWORD start = ::GetTickCount();
    while (link.IsHovered() && ::GetTickCount() - start < 2000) {
        PumpMessages();
        ::Sleep(10);
    }
    EXPECT_FALSE(link.IsHovered());
    EXPECT_EQ(link.GetStandardFont(), link.GetShownFont());

    link.SetUnderline(CHyperLink::kUnderlineAlways);
    EXPECT_EQ(link.GetUnderlinedFont(), link.GetShownFont());
    link.DestroyWindow();
}

} // namespace

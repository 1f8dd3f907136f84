// The boundary of the handlers: whatever a command or message handler throws is reported through the
// message-box hook and goes no further, in the running application.
#include "common/com_support.h"
#include "corvel/project/kor_exceptions.h"
#include "framework/ui.h"
#include "toolkit/markup/markup_builder.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

#include "corvel_app_environment.h"
#include "support/message_box_recorder.h"

namespace {

constexpr UINT kThrowingCommand = 0x7A10;
constexpr UINT kQuietCommand = 0x7A11;

// A window whose command handler throws what the test gives it and whose creation can throw too.
class ThrowingWnd : public CWnd {
public:
    std::function<void()> raise;
    int quietCalls = 0;

    afx_msg void OnThrowingCommand() { raise(); }
    afx_msg void OnQuietCommand() { ++quietCalls; }
    afx_msg int OnCreate(LPCREATESTRUCT)
    {
        if (raise)
            raise();
        return 0;
    }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ThrowingWnd, CWnd)
    ON_COMMAND(kThrowingCommand, &ThrowingWnd::OnThrowingCommand)
    ON_COMMAND(kQuietCommand, &ThrowingWnd::OnQuietCommand)
    ON_WM_CREATE()
END_MESSAGE_MAP()

BOOL CreateChild(ThrowingWnd& wnd)
{
    return wnd.Create(nullptr, "boundary", WS_CHILD, CRect(0, 0, 10, 10), CorvelAppEnvironment::Frame(), 1);
}

struct FamilyCase {
    const char* family;
    std::function<void()> raise;
    const char* text; // nullptr: no box
    UINT icon;
};

const FamilyCase kFamilies[] = {
    {"CException", [] { AfxThrowNotSupportedException(); }, "An unsupported operation was attempted.", MB_ICONEXCLAMATION},
    {"markup builder", [] { throw new CKitMarkupBuilderException("Unknown element 'Gird'."); },
     "Unknown element 'Gird'.", MB_ICONEXCLAMATION},
    {"CUserException", [] { AfxThrowUserException(); }, nullptr, 0},
    {"ComError", [] { throw ComError(E_POINTER, "IXMLDOMNode::selectSingleNode"); },
     "IXMLDOMNode::selectSingleNode\n0x80004003", MB_ICONERROR},
    {"CKorException", [] { throw Korvane::Exceptions::CKorXmlException(E_FAIL, "CreateXmlReader"); },
     "Error: XML CreateXmlReader failed (0x80004005).", MB_ICONERROR},
    {"std::exception", [] { throw std::runtime_error("bad header at byte 12"); }, "bad header at byte 12",
     MB_ICONERROR},
    {"anything else", [] { throw 7; }, "An unspecified error has occurred.", MB_ICONERROR},
};

TEST(HandlerBoundary, EveryFamilyACommandThrowsIsReportedOnceAndTheWindowGoesOn)
{
    for (const FamilyCase& c : kFamilies) {
        SCOPED_TRACE(c.family);
        ThrowingWnd wnd;
        ASSERT_TRUE(CreateChild(wnd));
        wnd.raise = c.raise;
        MessageBoxRecorder boxes;
        wnd.SendMessage(WM_COMMAND, kThrowingCommand);
        if (c.text == nullptr) {
            EXPECT_EQ(0u, boxes.Count());
        } else {
            ASSERT_EQ(1u, boxes.Count());
            EXPECT_STREQ(c.text, boxes.Last().text);
            EXPECT_EQ(c.icon, boxes.Last().type & MB_ICONMASK);
        }
        wnd.SendMessage(WM_COMMAND, kQuietCommand);
        EXPECT_EQ(1, wnd.quietCalls);
        wnd.DestroyWindow();
    }
}

TEST(HandlerBoundary, AThrowingCreationFailsTheWindowAfterItsReport)
{
    ThrowingWnd wnd;
    wnd.raise = [] { throw ComError(E_FAIL, "CoCreateInstance"); };
    MessageBoxRecorder boxes;
    EXPECT_FALSE(CreateChild(wnd));
    EXPECT_EQ(nullptr, wnd.GetSafeHwnd());
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_STREQ("CoCreateInstance\n0x80004005", boxes.Last().text);
}

} // namespace

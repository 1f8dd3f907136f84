#include "framework/core.h"
#include "framework/winapp.h"
#include "support/message_box_recorder.h"

#include <gtest/gtest.h>

namespace {

// Reports a failed load the way domain code does; returns whether to retry.
bool ReportLoadFailure(LPCSTR path, LONG osError)
{
    CString text;
    text.Format("Cannot open %s (error %ld).\nTry again?", path, osError);
    return AfxMessageBox(text, MB_YESNO) == IDYES;
}

int CountThreadWindows()
{
    int count = 0;
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND, LPARAM counter) -> BOOL {
            ++*reinterpret_cast<int*>(counter);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&count));
    return count;
}

TEST(MessageBoxHook, ErrorReportGoesToTheRecorder)
{
    MessageBoxRecorder boxes;
    boxes.QueueAnswer(IDNO);
    EXPECT_FALSE(ReportLoadFailure("C:\\plant\\unit1.kpj", 5));
    EXPECT_TRUE(ReportLoadFailure("C:\\plant\\unit2.kpj", 2));

    ASSERT_EQ(2u, boxes.Count());
    EXPECT_STREQ("Cannot open C:\\plant\\unit1.kpj (error 5).\nTry again?", boxes.Calls()[0].text);
    EXPECT_STREQ("test_framework_app", boxes.Calls()[0].caption);
    EXPECT_EQ(static_cast<UINT>(MB_YESNO | MB_ICONQUESTION), boxes.Calls()[0].type);
    EXPECT_EQ(nullptr, boxes.Calls()[0].owner);
    EXPECT_STREQ("Cannot open C:\\plant\\unit2.kpj (error 2).\nTry again?", boxes.Last().text);
    EXPECT_EQ(0, CountThreadWindows());
}

TEST(MessageBoxHook, CaptionIsTheApplicationsName)
{
    MessageBoxRecorder boxes;
    {
        CWinApp app("Corvel");
        AfxMessageBox("with app");
    }
    AfxMessageBox("without app");
    ASSERT_EQ(2u, boxes.Count());
    EXPECT_STREQ("Corvel", boxes.Calls()[0].caption);
    EXPECT_STREQ("test_framework_app", boxes.Calls()[1].caption);
}

TEST(MessageBoxHook, TypeGetsAnIconUnlessItHasOne)
{
    struct Case {
        UINT type;
        UINT shown;
        int answer;
    };
    const Case cases[] = {
        {MB_OK, MB_OK | MB_ICONEXCLAMATION, IDOK},
        {MB_OKCANCEL, MB_OKCANCEL | MB_ICONEXCLAMATION, IDOK},
        {MB_YESNO, MB_YESNO | MB_ICONQUESTION, IDYES},
        {MB_YESNOCANCEL | MB_DEFBUTTON2, MB_YESNOCANCEL | MB_DEFBUTTON2 | MB_ICONQUESTION, IDYES},
        {MB_RETRYCANCEL, MB_RETRYCANCEL, IDRETRY},
        {MB_OK | MB_ICONSTOP, MB_OK | MB_ICONSTOP, IDOK},
        {MB_YESNO | MB_ICONINFORMATION, MB_YESNO | MB_ICONINFORMATION, IDYES},
    };
    MessageBoxRecorder boxes;
    for (const Case& c : cases) {
        EXPECT_EQ(c.answer, AfxMessageBox("text", c.type)) << std::hex << c.type;
        EXPECT_EQ(c.shown, boxes.Last().type) << std::hex << c.type;
    }
    boxes.SetDefaultAnswer(IDCANCEL);
    EXPECT_EQ(IDCANCEL, AfxMessageBox("text", MB_YESNOCANCEL));
}

TEST(MessageBoxHook, RecordersNestAndRestoreTheHookTheyReplaced)
{
    MessageBoxRecorder outer;
    {
        MessageBoxRecorder inner;
        KorMessageBox(nullptr, "inner", "caption", MB_OK);
        EXPECT_EQ(1u, inner.Count());
    }
    EXPECT_EQ(IDOK, KorMessageBox(nullptr, "outer", "caption", MB_OK));
    ASSERT_EQ(1u, outer.Count());
    EXPECT_STREQ("outer", outer.Last().text);
    EXPECT_STREQ("caption", outer.Last().caption);
    EXPECT_EQ(static_cast<UINT>(MB_OK), outer.Last().type);
}

} // namespace

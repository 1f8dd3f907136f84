#include "framework/filedialog.h"
#include "support/scripted_file_dialog.h"

#include <gtest/gtest.h>

namespace {

TEST(FileDialog, SingleChoiceAndRequest)
{
    ScriptedFileDialog script({"C:\\p\\proj.prj"});
    CFileDialog dialog(FALSE, ".prx", "C:\\p\\old.prx", OFN_OVERWRITEPROMPT, "Project Files (*.prj)|*.prj|All Files (*.*)|*.*||");
    ASSERT_EQ(IDOK, dialog.DoModal());
    EXPECT_STREQ("C:\\p\\proj.prj", dialog.GetPathName());
    EXPECT_STREQ("proj.prj", dialog.GetFileName());
    EXPECT_STREQ("prj", dialog.GetFileExt());
    EXPECT_STREQ("proj", dialog.GetFileTitle());
    EXPECT_FALSE(script.Request().open);
    EXPECT_STREQ("prx", script.Request().defaultExtension);
    EXPECT_STREQ("C:\\p\\old.prx", script.Request().initialFileName);
    EXPECT_STREQ("Project Files (*.prj)|*.prj|All Files (*.*)|*.*||", script.Request().filter);
}

TEST(FileDialog, MultiSelectWalksEveryFileInOrder)
{
    ScriptedFileDialog script({"C:\\d\\a.icd", "C:\\d\\b.cid", "C:\\d\\c.scd"});
    char buffer[256] = {};
    CFileDialog dialog(TRUE, nullptr, nullptr, OFN_ALLOWMULTISELECT);
    dialog.m_ofn.lpstrFile = buffer;
    dialog.m_ofn.nMaxFile = sizeof buffer;
    ASSERT_EQ(IDOK, dialog.DoModal());
    std::vector<CString> names;
    for (POSITION pos = dialog.GetStartPosition(); pos != nullptr;)
        names.push_back(dialog.GetNextPathName(pos));
    ASSERT_EQ(3u, names.size());
    EXPECT_STREQ("C:\\d\\a.icd", names[0]);
    EXPECT_STREQ("C:\\d\\b.cid", names[1]);
    EXPECT_STREQ("C:\\d\\c.scd", names[2]);
}

TEST(FileDialog, AnswerThatDoesNotFitTheBufferIsACancel)
{
    ScriptedFileDialog script({"C:\\a-rather-long-folder\\x.icd", "C:\\a-rather-long-folder\\y.icd"});
    char buffer[16] = {};
    CFileDialog dialog(TRUE, nullptr, nullptr, OFN_ALLOWMULTISELECT);
    dialog.m_ofn.lpstrFile = buffer;
    dialog.m_ofn.nMaxFile = sizeof buffer;
    EXPECT_EQ(IDCANCEL, dialog.DoModal());
}

TEST(FileDialog, CancelGivesCancel)
{
    ScriptedFileDialog script({}, IDCANCEL);
    CFileDialog dialog(TRUE);
    EXPECT_EQ(IDCANCEL, dialog.DoModal());
}

} // namespace

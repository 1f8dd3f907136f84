#include "corvel/project/file_crc.h"

#include <gtest/gtest.h>

#include "support/message_box_recorder.h"
#include "support/paths.h"

namespace {

TEST(FileCrc32, ChecksumTexts)
{
    TempFolder temp;
    const struct {
        const char* content;
        const char* expected;
    } cases[] = {
        {"123456789", "cbf43926"},
        {"", "0"},
        {"a", "e8b7be43"},
        {"abc", "352441c2"},
        {"\x01\x02\x03\x04", "b63cfbcd"},
    };
    int index = 0;
    for (const auto& c : cases) {
        CString path;
        path.Format("%s\\f%d.bin", (LPCTSTR)temp.Path(), index++);
        WriteTextFile(path, c.content);
        CFileCrc32 crc;
        crc.SetFileName(path);
        EXPECT_STREQ(c.expected, crc.ComputeFileCrc32()) << c.content;
    }
}

TEST(FileCrc32, MissingFileIsReturnedAsItsFailureWithoutABox)
{
    MessageBoxRecorder boxes;
    CFileCrc32 crc;
    CString name = "C:\\no\\such\\file.icd";
    crc.SetFileName(name);
    EXPECT_STREQ("", crc.ComputeFileCrc32());
    EXPECT_STREQ("Failed to open file C:\\no\\such\\file.icd.", crc.GetFailure());
    EXPECT_TRUE(boxes.Calls().empty());
}

TEST(FileCrc32, NoFileNameGivesEmptyTextSilently)
{
    MessageBoxRecorder boxes;
    CFileCrc32 crc;
    EXPECT_STREQ("", crc.ComputeFileCrc32());
    EXPECT_STREQ("", crc.GetFailure());
    EXPECT_TRUE(boxes.Calls().empty());
}

} // namespace

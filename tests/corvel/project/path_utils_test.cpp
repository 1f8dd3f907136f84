#include "corvel/project/path_utils.h"

#include <gtest/gtest.h>

#include "support/paths.h"

namespace {

struct PathCase {
    const char* input;
    const char* expected;
};

TEST(PathUtils, FolderOfPath)
{
    const PathCase cases[] = {
        {"C:\\x\\f.prj", "C:\\x"},
        {"C:\\x.d\\file", "C:\\x.d\\file"}, // the only dot is in a folder name
        {"C:\\x\\folder", "C:\\x\\folder"},
        {"f.prj", ""},
    };
    for (const auto& c : cases)
        EXPECT_STREQ(c.expected, GetFolderOfPath(c.input)) << c.input;
}

TEST(PathUtils, FileNameAndExtensionRemoval)
{
    EXPECT_STREQ("f.prj", GetFileNameOfPath("C:\\x\\f.prj"));
    EXPECT_STREQ("f.prj", GetFileNameOfPath("f.prj"));
    EXPECT_STREQ("C:\\x\\f", RemoveFileExtension("C:\\x\\f.prj"));
    EXPECT_STREQ("", RemoveFileExtension("C:\\x\\f"));
}

TEST(PathUtils, ChangeFileExtension)
{
    const struct {
        const char* path;
        const char* extension;
        const char* expected;
    } cases[] = {
        {"C:\\x\\p.prj", "prx", "C:\\x\\p.prx"},
        {"C:\\x\\p.prj", ".prx", "C:\\x\\p.prx"},
        {"C:\\x\\p", "prx", "C:\\x\\p.prx"},
        {".prj", "prx", ".prj.prx"}, // a leading dot is not an extension
        {"C:\\x\\.prj", "prx", "C:\\x\\.prj.prx"},
        {"C:\\x.y\\p", "prx", "C:\\x.y\\p.prx"}, // a dot in a folder name is not an extension
        {"C:\\x.y\\p.prj", "prx", "C:\\x.y\\p.prx"},
        {"C:/x.y/p", "prx", "C:/x.y/p.prx"},
    };
    for (const auto& c : cases)
        EXPECT_STREQ(c.expected, ChangeFileExtension(c.path, c.extension)) << c.path << " " << c.extension;
}

TEST(PathUtils, EndsWithExtensionIgnoresCaseOfThePathOnly)
{
    EXPECT_TRUE(EndsWithExtension("C:\\X\\P.PRJ", ".prj"));
    EXPECT_FALSE(EndsWithExtension("C:\\X\\P.PRJ", ".PRJ"));
    EXPECT_FALSE(EndsWithExtension("prj", ".prj"));
}

TEST(PathUtils, CopyStringIsBounded)
{
    char buffer[8];
    memset(buffer, 'x', sizeof buffer);
    CopyString(buffer, 4, "abcdefgh");
    EXPECT_STREQ("abc", buffer);
    EXPECT_EQ('x', buffer[4]); // nothing written past the limit
    CopyString(buffer, 0, "abc"); // no room: nothing happens
    EXPECT_STREQ("abc", buffer);
}

TEST(PathUtils, FolderAndShellOperations)
{
    TempFolder temp;
    CString folder = temp.Path() + "\\sub";
    EXPECT_TRUE(CreateFolder(folder));
    EXPECT_TRUE(CreateFolder(folder)); // already there
    EXPECT_TRUE(FileExists(folder));

    CString source = folder + "\\a.txt";
    WriteTextFile(source, "hello");
    CString copy = folder + "\\b.txt";
    ASSERT_TRUE(CopyFileShell(copy, source));
    EXPECT_EQ("hello", ReadTextFile(copy));

    CString renamed = folder + "\\c.txt";
    ASSERT_TRUE(RenameFileShell(renamed, copy));
    EXPECT_FALSE(FileExists(copy));
    EXPECT_EQ("hello", ReadTextFile(renamed));

    EXPECT_TRUE(DeleteFileAtPath(renamed));
    EXPECT_FALSE(DeleteFileAtPath(renamed));
    EXPECT_FALSE(FileExists(renamed));
}

} // namespace

#include "framework/core.h"
#include "support/expect_exception.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

void WriteRaw(const CString& path, const std::string& bytes)
{
    CFile file(path, CFile::modeCreate | CFile::modeWrite);
    file.Write(bytes.data(), static_cast<UINT>(bytes.size()));
    file.Close();
}

std::string ReadRaw(const CString& path)
{
    CFile file(path, CFile::modeRead | CFile::shareDenyNone);
    std::string bytes(static_cast<size_t>(file.GetLength()), '\0');
    EXPECT_EQ(bytes.size(), file.Read(&bytes[0], static_cast<UINT>(bytes.size())));
    return bytes;
}

std::vector<std::string> ReadLines(const CString& path, UINT extraFlags)
{
    CStdioFile file;
    EXPECT_TRUE(file.Open(path, CFile::modeRead | extraFlags));
    std::vector<std::string> lines;
    CString line;
    while (file.ReadString(line))
        lines.push_back(line.GetString());
    EXPECT_STREQ("", line);
    EXPECT_FALSE(file.ReadString(line));
    return lines;
}

class FileTest : public ::testing::Test {
protected:
    TempFolder m_folder;
};

TEST_F(FileTest, ReadStringSplitsLinesAndDropsTheNewline)
{
    struct Case {
        const char* content;
        UINT flags;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"a\r\nb\nc", CFile::typeText, {"a", "b", "c"}},
        {"a\r\nb\nc", 0, {"a", "b", "c"}},
        {"a\r\nb\nc", CFile::typeBinary, {"a\r", "b", "c"}},
        {"a\n\nb\n", CFile::typeText, {"a", "", "b"}},
        {"lone\rcr\r\n", CFile::typeText, {"lone\rcr"}},
        {"", CFile::typeText, {}},
        {"\n", CFile::typeText, {""}},
    };
    const CString path = m_folder.File("lines.txt");
    for (const Case& c : cases) {
        WriteRaw(path, c.content);
        EXPECT_EQ(c.lines, ReadLines(path, c.flags)) << "content \"" << c.content << "\" flags " << c.flags;
    }

    std::string longLine(10000, 'x');
    WriteRaw(path, longLine + "\r\nend");
    EXPECT_EQ((std::vector<std::string>{longLine, "end"}), ReadLines(path, 0));
}

TEST_F(FileTest, ReadStringIntoABufferKeepsTheNewline)
{
    const CString path = m_folder.File("chunks.txt");
    WriteRaw(path, "abcdef\r\nxy");
    CStdioFile file(path, CFile::modeRead);
    char buffer[4];
    EXPECT_STREQ("abc", file.ReadString(buffer, sizeof(buffer)));
    EXPECT_STREQ("def", file.ReadString(buffer, sizeof(buffer)));
    EXPECT_STREQ("\n", file.ReadString(buffer, sizeof(buffer)));
    EXPECT_STREQ("xy", file.ReadString(buffer, sizeof(buffer)));
    EXPECT_EQ(nullptr, file.ReadString(buffer, sizeof(buffer)));
}

TEST_F(FileTest, TextModeWritesCrLfAndTracksThePosition)
{
    const CString path = m_folder.File("text.txt");
    {
        CStdioFile file(path, CFile::modeCreate | CFile::modeWrite | CFile::typeText);
        file.WriteString("one\ntwo\n");
    }
    EXPECT_EQ("one\r\ntwo\r\n", ReadRaw(path));
    {
        CStdioFile file(path, CFile::modeCreate | CFile::modeWrite | CFile::typeBinary);
        file.WriteString("one\ntwo\n");
    }
    EXPECT_EQ("one\ntwo\n", ReadRaw(path));

    WriteRaw(path, "a\r\nbb\r\nccc\r\n");
    CStdioFile file(path, CFile::modeReadWrite);
    CString line;
    ASSERT_TRUE(file.ReadString(line));
    EXPECT_EQ(3u, file.GetPosition());
    file.WriteString("XY");
    ASSERT_TRUE(file.ReadString(line));
    EXPECT_STREQ("", line);
    file.Seek(0, CFile::begin);
    ASSERT_TRUE(file.ReadString(line));
    ASSERT_TRUE(file.ReadString(line));
    EXPECT_STREQ("XY", line);
    file.Close();
    EXPECT_EQ("a\r\nXY\r\nccc\r\n", ReadRaw(path));
}

TEST_F(FileTest, OpenFailuresCarryTheCause)
{
    struct Case {
        CString path;
        int cause;
        LONG osError;
    };
    const Case cases[] = {
        {m_folder.File("missing.dat"), CFileException::fileNotFound, ERROR_FILE_NOT_FOUND},
        {m_folder.File("no-such-dir\\x.dat"), CFileException::badPath, ERROR_PATH_NOT_FOUND},
    };
    for (const Case& c : cases) {
        CFile file;
        CFileException error;
        EXPECT_FALSE(file.Open(c.path, CFile::modeRead, &error)) << c.path.GetString();
        EXPECT_EQ(c.cause, error.m_cause) << c.path.GetString();
        EXPECT_EQ(c.osError, error.m_lOsError) << c.path.GetString();
        EXPECT_STREQ(c.path, error.m_strFileName);
        EXPECT_EQ(CFile::hFileNull, file.m_hFile);
        EXPECT_TRUE(ThrowsFrameworkException<CFileException>(
            [&] { CStdioFile thrower(c.path, CFile::modeRead); },
            [&](CFileException& e) { EXPECT_EQ(c.cause, e.m_cause); }));
    }
}

TEST_F(FileTest, BinaryReadWriteSeekAndLength)
{
    const CString path = m_folder.File("data.bin");
    CFile file(path, CFile::modeCreate | CFile::modeReadWrite | CFile::shareDenyWrite);
    EXPECT_STREQ(path, file.GetFilePath());
    EXPECT_STREQ("data.bin", file.GetFileName());
    EXPECT_STREQ("data", file.GetFileTitle());

    file.Write("0123456789", 10);
    EXPECT_EQ(10u, file.GetLength());
    EXPECT_EQ(10u, file.GetPosition());
    EXPECT_EQ(7u, file.Seek(-3, CFile::end));
    char buffer[8] = {};
    EXPECT_EQ(3u, file.Read(buffer, 5));
    EXPECT_STREQ("789", buffer);
    EXPECT_EQ(0u, file.Read(buffer, 5));

    file.SetLength(4);
    EXPECT_EQ(4u, file.GetLength());
    file.SeekToBegin();
    EXPECT_EQ(4u, file.Read(buffer, 8));

    CFile other;
    CFileException error;
    EXPECT_FALSE(other.Open(path, CFile::modeWrite, &error));
    EXPECT_EQ(CFileException::sharingViolation, error.m_cause);

    file.Close();
    EXPECT_EQ(CFile::hFileNull, file.m_hFile);
    EXPECT_STREQ("", file.GetFilePath());
}

TEST_F(FileTest, RenameAndRemove)
{
    const CString from = m_folder.File("from.txt");
    const CString to = m_folder.File("to.txt");
    WriteRaw(from, "x");
    CFile::Rename(from, to);
    EXPECT_EQ("x", ReadRaw(to));
    CFile::Remove(to);
    EXPECT_TRUE(ThrowsFrameworkException<CFileException>([&] { CFile::Remove(to); },
        [](CFileException& e) { EXPECT_EQ(CFileException::fileNotFound, e.m_cause); }));
}

TEST(CMemFile, GrowsByStepsAndReadsBack)
{
    CMemFile file(16);
    std::string expected;
    for (int i = 0; i < 15; ++i) {
        const std::string chunk = "chunk" + std::to_string(i % 10) + ",";
        file.Write(chunk.data(), static_cast<UINT>(chunk.size()));
        expected += chunk;
    }
    EXPECT_EQ(expected.size(), file.GetLength());
    file.SeekToBegin();
    std::string actual(expected.size() + 5, '\0');
    EXPECT_EQ(expected.size(), file.Read(&actual[0], static_cast<UINT>(actual.size())));
    actual.resize(expected.size());
    EXPECT_EQ(expected, actual);

    EXPECT_EQ(expected.size() + 4, file.Seek(4, CFile::end));
    file.Write("!", 1);
    EXPECT_EQ(expected.size() + 5, file.GetLength());
    file.Seek(-5, CFile::end);
    char gap[5];
    EXPECT_EQ(5u, file.Read(gap, 5));
    EXPECT_EQ(std::string("\0\0\0\0!", 5), std::string(gap, 5));

    file.SetLength(3);
    EXPECT_EQ(3u, file.GetPosition());
    EXPECT_EQ(0u, file.Read(gap, 5));
    EXPECT_TRUE(ThrowsFrameworkException<CFileException>([&] { file.Seek(-4, CFile::current); },
        [](CFileException& e) { EXPECT_EQ(CFileException::badSeek, e.m_cause); }));
}

TEST(CMemFile, AttachedFixedBufferAndDetach)
{
    BYTE fixed[6] = {'a', 'b', 'c', 'd', 'e', 'f'};
    CMemFile file(fixed, sizeof(fixed));
    EXPECT_EQ(6u, file.GetLength());
    char text[4] = {};
    EXPECT_EQ(3u, file.Read(text, 3));
    EXPECT_STREQ("abc", text);
    file.Write("XYZ", 3);
    EXPECT_EQ('Z', fixed[5]);
    EXPECT_TRUE(ThrowsFrameworkException<CMemoryException>([&] { file.Write("!", 1); }));
    EXPECT_EQ(fixed, file.Detach());
    EXPECT_EQ(0u, file.GetLength());

    CMemFile growing;
    growing.Write("hello", 5);
    const ULONGLONG length = growing.GetLength();
    BYTE* owned = growing.Detach();
    ASSERT_NE(nullptr, owned);
    EXPECT_EQ("hello", std::string(reinterpret_cast<char*>(owned), static_cast<size_t>(length)));
    std::free(owned);

    BYTE* initial = static_cast<BYTE*>(std::malloc(4));
    growing.Attach(initial, 4, 8);
    EXPECT_EQ(0u, growing.GetLength());
    growing.Write("0123456789", 10);
    EXPECT_EQ(10u, growing.GetLength());
}

} // namespace

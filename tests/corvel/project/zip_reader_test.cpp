#include "corvel/project/zip_reader.h"

#include <gtest/gtest.h>

#include "corvel/project/zip_writer.h"
#include "support/zip_test_support.h"
#include "support/largest_allocation.h"
#include "support/paths.h"

namespace {

// Makes a folder current while it lives.
class CurrentFolder {
public:
    explicit CurrentFolder(const CString& folder)
    {
        GetCurrentDirectoryA(sizeof m_previous, m_previous);
        SetCurrentDirectoryA(folder);
    }
    ~CurrentFolder() { SetCurrentDirectoryA(m_previous); }

private:
    char m_previous[MAX_PATH + 1] = {};
};

bool FolderExists(const CString& path)
{
    const DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

ZRESULT UnzipToFile(HZIP zip, int index, const CString& target)
{
    return UnzipItem(zip, index, const_cast<char*>((LPCSTR)target), 0, kZipFromFileName);
}

// An archive of a text, 40000 bytes of noise and a folder, written by the writer.
class ZipReaderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (int i = 0; i < 200; ++i)
            m_text += "The quick brown fox " + std::to_string(i) + "\n";
        m_noise = NoiseBytes(40000, 11);
        HZIP zip = CreateZipHandle(nullptr, 1000, kZipFromMemory);
        ZipAddItem(zip, "text.txt", m_text.data(), static_cast<DWORD>(m_text.size()), kZipFromMemory);
        ZipAddItem(zip, "noise.bin", m_noise.data(), static_cast<DWORD>(m_noise.size()), kZipFromMemory);
        ZipAddItem(zip, "folder", nullptr, 0, kZipFromFolder);
        m_archive = ZipBufferBytes(zip);
        CloseZipHandle(zip);
        m_archivePath = m_temp.File("archive.zip");
        WriteBinaryFile(m_archivePath, m_archive);
    }

    HZIP OpenArchive() { return OpenUnzipHandle((LPCSTR)m_archivePath, 0, kZipFromFileName); }

    TempFolder m_temp;
    std::string m_text;
    std::string m_noise;
    std::string m_archive;
    CString m_archivePath;
};

TEST_F(ZipReaderTest, OpensFromEverySourceKind)
{
    ScopedHandle file(CreateFileA(m_archivePath, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    const struct {
        const char* what;
        const void* source;
        DWORD length;
        DWORD kind;
    } sources[] = {
        {"file name", (LPCSTR)m_archivePath, 0, kZipFromFileName},
        {"handle", file.Get(), 0, kZipFromHandle},
        {"memory", m_archive.data(), static_cast<DWORD>(m_archive.size()), kZipFromMemory},
    };
    for (const auto& s : sources) {
        SCOPED_TRACE(s.what);
        HZIP zip = OpenUnzipHandle(s.source, s.length, s.kind);
        ASSERT_NE(nullptr, zip);
        EXPECT_TRUE(IsUnzipHandle(zip));
        CUnzipReader* reader = GetUnzipReader(zip);
        ASSERT_EQ(3, reader->GetItemCount());
        EXPECT_STREQ("text.txt", reader->GetItem(0)->name);
        EXPECT_EQ(Crc32Of(m_text), reader->GetItem(0)->crc);
        EXPECT_EQ(m_noise.size(), reader->GetItem(1)->uncompressedSize);
        EXPECT_STREQ("folder/", reader->GetItem(2)->name);
        ZRESULT result = 0;
        EXPECT_TRUE(m_noise == ExtractToString(zip, 1, result));
        EXPECT_EQ(kZipOk, result);
        EXPECT_EQ(kZipOk, CloseUnzipHandle(zip));
    }
}

TEST_F(ZipReaderTest, ExtractingItemZeroTwiceGivesTheSameFile)
{
    HZIP zip = OpenArchive();
    ASSERT_NE(nullptr, zip);
    const CString first = m_temp.File("first.txt");
    ASSERT_EQ(kZipOk, UnzipToFile(zip, 0, first));
    ASSERT_EQ(kZipOk, UnzipToFile(zip, 0, first));
    EXPECT_EQ(m_text, ReadBinaryFile(first));

    // Back to item 0 after a later one.
    const CString noise = m_temp.File("noise.bin");
    const CString again = m_temp.File("again.txt");
    ASSERT_EQ(kZipOk, UnzipToFile(zip, 1, noise));
    ASSERT_EQ(kZipOk, UnzipToFile(zip, 0, again));
    EXPECT_EQ(m_text, ReadBinaryFile(again));
    EXPECT_TRUE(m_noise == ReadBinaryFile(noise));
    CloseUnzipHandle(zip);
}

TEST_F(ZipReaderTest, ExistingReadOnlyTargetIsKept)
{
    const CString target = m_temp.File("locked.txt");
    WriteBinaryFile(target, "keep me");
    SetFileAttributesA(target, FILE_ATTRIBUTE_READONLY);
    HZIP zip = OpenArchive();
    EXPECT_EQ(kZipCannotCreate, UnzipToFile(zip, 0, target));
    EXPECT_EQ(kZipCannotCreate, GetLastUnzipResult());
    EXPECT_EQ("keep me", ReadBinaryFile(target));

    // The handle stays usable.
    const CString other = m_temp.File("other.txt");
    EXPECT_EQ(kZipOk, UnzipToFile(zip, 0, other));
    EXPECT_EQ(m_text, ReadBinaryFile(other));
    CloseUnzipHandle(zip);
}

TEST_F(ZipReaderTest, FoldersOnTheWayAreCreatedUnlessTheNameHasDotDot)
{
    const CString absolute = m_temp.File("abs1\\abs2\\file.txt");
    const struct {
        const char* target;
        int item;
        ZRESULT result;
        const char* made;      // under the temp folder, or null
        const char* notMade;   // under the temp folder, or null
    } cases[] = {
        {"rel1\\rel2\\file.txt", 0, kZipOk, "rel1\\rel2\\file.txt", nullptr},
        {"fwd1/fwd2/file.txt", 0, kZipOk, "fwd1\\fwd2\\file.txt", nullptr},
        {absolute, 0, kZipOk, "abs1\\abs2\\file.txt", nullptr},
        {"dots1\\dots2\\..\\file.txt", 0, kZipCannotCreate, nullptr, "dots1"},
        {"up1/up2/../file.txt", 0, kZipCannotCreate, nullptr, "up1"},
        {"made\\dir", 2, kZipOk, "made\\dir", nullptr},
        {"dotdir\\x\\..\\dir", 2, kZipOk, nullptr, "dotdir"},
    };
    CurrentFolder current(m_temp.Path());
    HZIP zip = OpenArchive();
    ASSERT_NE(nullptr, zip);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.target);
        EXPECT_EQ(c.result, UnzipToFile(zip, c.item, c.target));
        if (c.made && c.item == 0) {
            EXPECT_EQ(m_text, ReadBinaryFile(m_temp.File(c.made)));
        }
        if (c.made && c.item == 2) {
            EXPECT_TRUE(FolderExists(m_temp.File(c.made)));
        }
        if (c.notMade) {
            EXPECT_FALSE(FolderExists(m_temp.File(c.notMade)));
        }
    }
    CloseUnzipHandle(zip);
}

// The UTC time of a local date and time.
FILETIME LocalTime(WORD year, WORD month, WORD day, WORD hour, WORD minute, WORD second)
{
    SYSTEMTIME local = {};
    local.wYear = year;
    local.wMonth = month;
    local.wDay = day;
    local.wHour = hour;
    local.wMinute = minute;
    local.wSecond = second;
    FILETIME localTime;
    FILETIME utc;
    SystemTimeToFileTime(&local, &localTime);
    LocalFileTimeToFileTime(&localTime, &utc);
    return utc;
}

TEST(ZipReader, TimesComeFromTheDosStampAndTheTimeField)
{
    const uint32_t dos = FileTimeToUnixTime(LocalTime(2020, 1, 1, 12, 0, 0));
    const struct {
        const char* what;
        std::string localExtra;
        std::string centralExtra;
        uint32_t created;
        uint32_t accessed;
        uint32_t modified;
    } cases[] = {
        {"no time field", "", "", dos, dos, dos},
        {"all three", TimeExtra(7, {1500000000, 1500000100, 1500000200}), TimeExtra(7, {1500000000}), 1500000200,
         1500000100, 1500000000},
        {"modified and accessed", TimeExtra(3, {1500000000, 1500000100}), TimeExtra(3, {1500000000}), dos, 1500000100,
         1500000000},
        {"central only", "", TimeExtra(1, {1500000000}), dos, dos, 1500000000},
        {"other field first", std::string("\x01\x99\x02\x00xy", 6) + TimeExtra(1, {1500000000}), "", dos, dos,
         1500000000},
    };
    TempFolder temp;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ZipArchiveBuilder builder;
        ZipArchiveBuilder::Item item;
        item.name = "t.txt";
        item.content = "timed";
        item.localExtra = c.localExtra;
        item.centralExtra = c.centralExtra;
        builder.Add(item);
        const std::string archive = builder.Build();
        HZIP zip = OpenUnzipHandle(archive.data(), static_cast<DWORD>(archive.size()), kZipFromMemory);
        ASSERT_NE(nullptr, zip);
        ZipItemInfo info;
        ASSERT_EQ(kZipOk, GetUnzipReader(zip)->ReadItemInfo(0, info));
        EXPECT_EQ(c.created, FileTimeToUnixTime(info.created));
        EXPECT_EQ(c.accessed, FileTimeToUnixTime(info.accessed));
        EXPECT_EQ(c.modified, FileTimeToUnixTime(info.modified));

        // The file system here keeps no creation time; the other two are set on the file.
        const CString target = temp.File("t.txt");
        ASSERT_EQ(kZipOk, UnzipToFile(zip, 0, target));
        CloseUnzipHandle(zip);
        WIN32_FILE_ATTRIBUTE_DATA data = {};
        ASSERT_TRUE(GetFileAttributesExA(target, GetFileExInfoStandard, &data));
        EXPECT_EQ(c.accessed, FileTimeToUnixTime(data.ftLastAccessTime));
        EXPECT_EQ(c.modified, FileTimeToUnixTime(data.ftLastWriteTime));
    }
}

TEST_F(ZipReaderTest, MemoryTargetIsFilledBlockByBlock)
{
    HZIP zip = OpenUnzipHandle(m_archive.data(), static_cast<DWORD>(m_archive.size()), kZipFromMemory);
    ASSERT_NE(nullptr, zip);
    std::vector<char> block(16384);
    std::string out;
    const ZRESULT expected[] = {kZipMoreData, kZipMoreData, kZipOk};
    for (ZRESULT e : expected) {
        EXPECT_EQ(e, UnzipItem(zip, 1, block.data(), 16384, kZipFromMemory));
        out.append(block.data(), e == kZipOk ? m_noise.size() - out.size() : block.size());
    }
    EXPECT_TRUE(m_noise == out);

    // An item of exactly one block ends with its first call.
    ZRESULT result = 0;
    EXPECT_EQ(m_text, ExtractToString(zip, 0, result, static_cast<DWORD>(m_text.size())));
    EXPECT_EQ(kZipOk, result);

    // Another item in between starts the first one again.
    EXPECT_EQ(kZipMoreData, UnzipItem(zip, 1, block.data(), 1000, kZipFromMemory));
    EXPECT_EQ(m_text, ExtractToString(zip, 0, result, 100));
    EXPECT_TRUE(m_noise == ExtractToString(zip, 1, result, 1000));
    EXPECT_EQ(kZipOk, result);
    CloseUnzipHandle(zip);
}

TEST(ZipReader, DamagedDataGivesExtractionFailures)
{
    ZipArchiveBuilder builder;
    ZipArchiveBuilder::Item garbage{"garbage", std::string(100, 'x'), kZipMethodDeflated};
    garbage.rawData = std::string(20, '\xFF');
    garbage.hasRawData = true;
    ZipArchiveBuilder::Item wrongCrc{"crc", "checked content", kZipMethodDeflated};
    wrongCrc.hasWrongCrc = true;
    ZipArchiveBuilder::Item tooLong{"long", std::string(5000, 'a'), kZipMethodDeflated};
    tooLong.rawData = RawDeflate(std::string(6000, 'a'));
    tooLong.hasRawData = true;
    ZipArchiveBuilder::Item truncated{"short", NoiseBytes(3000, 5), kZipMethodDeflated};
    truncated.rawData = RawDeflate(truncated.content).substr(0, 1000);
    truncated.hasRawData = true;
    ZipArchiveBuilder::Item storedSizes{"stored", "abcdef"};
    storedSizes.rawData = "abc";
    storedSizes.hasRawData = true;
    ZipArchiveBuilder::Item encrypted{"secret", "abc"};
    encrypted.flags = kZipFlagEncrypted;
    ZipArchiveBuilder::Item otherMethod{"bzip", "abc", 12};
    for (const auto& item : {garbage, wrongCrc, tooLong, truncated, storedSizes, encrypted, otherMethod})
        builder.Add(item);
    const std::string archive = builder.Build();

    TempFolder temp;
    HZIP zip = OpenUnzipHandle(archive.data(), static_cast<DWORD>(archive.size()), kZipFromMemory);
    ASSERT_NE(nullptr, zip);
    const ZRESULT memoryResults[] = {kZipInternalError, kZipInternalError, kZipInternalError, kZipInternalError,
                                     kZipReadFailed, kZipReadFailed, kZipReadFailed};
    for (int i = 0; i < GetUnzipReader(zip)->GetItemCount(); ++i) {
        SCOPED_TRACE(GetUnzipReader(zip)->GetItem(i)->name);
        EXPECT_EQ(kZipReadFailed, UnzipToFile(zip, i, temp.File("out.bin")));
        ZRESULT result = 0;
        ExtractToString(zip, i, result, 256);
        EXPECT_EQ(memoryResults[i], result);
    }
    CloseUnzipHandle(zip);
}

TEST(ZipReader, ResultCodes)
{
    ZipArchiveBuilder builder;
    builder.Add({"a.txt", "abc"});
    const std::string archive = builder.Build();
    HZIP zip = OpenUnzipHandle(archive.data(), static_cast<DWORD>(archive.size()), kZipFromMemory);
    ASSERT_NE(nullptr, zip);
    char block[16];
    EXPECT_EQ(kZipBadArgument, UnzipItem(zip, 1, block, sizeof block, kZipFromMemory));
    EXPECT_EQ(kZipBadArgument, UnzipItem(zip, -1, block, sizeof block, kZipFromMemory));
    EXPECT_EQ(kZipBadArgument, UnzipItem(zip, 0, block, sizeof block, 9));
    EXPECT_EQ(kZipBadArgument, GetLastUnzipResult());
    EXPECT_EQ(kZipBadArgument, UnzipItem(nullptr, 0, block, sizeof block, kZipFromMemory));
    EXPECT_EQ(kZipBadArgument, CloseUnzipHandle(nullptr));
    EXPECT_TRUE(IsUnzipHandle(nullptr));

    HZIP writer = CreateZipHandle(nullptr, 100, kZipFromMemory);
    EXPECT_FALSE(IsUnzipHandle(writer));
    EXPECT_EQ(nullptr, GetUnzipReader(writer));
    EXPECT_EQ(kZipWrongHandleKind, UnzipItem(writer, 0, block, sizeof block, kZipFromMemory));
    EXPECT_EQ(kZipWrongHandleKind, CloseUnzipHandle(writer));
    CloseZipHandle(writer);
    CloseUnzipHandle(zip);

    TempFolder temp;
    EXPECT_EQ(nullptr, OpenUnzipHandle((LPCSTR)temp.File("missing.zip"), 0, kZipFromFileName));
    EXPECT_EQ(kZipCannotCreate, GetLastUnzipResult());
    HANDLE read = nullptr;
    HANDLE write = nullptr;
    ASSERT_TRUE(CreatePipe(&read, &write, nullptr, 0));
    EXPECT_EQ(nullptr, OpenUnzipHandle(read, 0, kZipFromHandle));
    EXPECT_EQ(kZipCannotSeek, GetLastUnzipResult());
    CloseHandle(read);
    CloseHandle(write);
    EXPECT_EQ(nullptr, OpenUnzipHandle("not a zip archive at all", 24, kZipFromMemory));
    EXPECT_EQ(kZipReadFailed, GetLastUnzipResult());
    EXPECT_EQ(nullptr, OpenUnzipHandle(archive.data(), static_cast<DWORD>(archive.size()), 5));
    EXPECT_EQ(kZipBadArgument, GetLastUnzipResult());
}

TEST(ZipReader, CommentsAfterTheDirectoryAreSkipped)
{
    ZipArchiveBuilder builder;
    builder.Add({"a.txt", "comment test"});
    const std::string fakeRecord = std::string("PK\x05\x06", 4) + std::string(18, '\x7F');
    const std::string comments[] = {"", "a comment", fakeRecord + " after a fake end record", std::string(65535, 'c'),
                                    fakeRecord + std::string(65535 - fakeRecord.size(), 'd')};
    for (const std::string& comment : comments) {
        SCOPED_TRACE(comment.size());
        const std::string archive = builder.Build(comment);
        HZIP zip = OpenUnzipHandle(archive.data(), static_cast<DWORD>(archive.size()), kZipFromMemory);
        ASSERT_NE(nullptr, zip);
        ZRESULT result = 0;
        EXPECT_EQ("comment test", ExtractToString(zip, 0, result));
        CloseUnzipHandle(zip);
    }
}

// Archives whose records point outside themselves are refused at opening or at extraction.
TEST(ZipReader, RecordsPointingOutsideTheArchiveAreRefused)
{
    ZipArchiveBuilder builder;
    builder.Add({"a.txt", "first item"});
    builder.Add({"b.txt", std::string(300, 'b'), kZipMethodDeflated});
    const std::string good = builder.Build();
    const size_t end = good.size() - kZipEndRecordSize;
    const size_t central = Field32(good, end + 16);
    const size_t secondCentral = central + kZipCentralHeaderSize + 5;
    const size_t secondLocal = Field32(good, secondCentral + 42);

    enum Where { AtOpen, AtExtraction };
    const struct {
        const char* what;
        size_t offset;
        int size;
        uint32_t value;
        Where where;
    } cases[] = {
        {"entry count above the directory", end + 8, 2, 3, AtOpen},
        {"entry count 65535", end + 8, 4, 0xFFFFFFFF, AtOpen},
        {"counts differ", end + 8, 2, 1, AtOpen},
        {"spanning disks", end + 4, 2, 1, AtOpen},
        {"directory size past the end", end + 12, 4, 0xFFFFFF00, AtOpen},
        {"directory offset past the end", end + 16, 4, 0x7FFFFFFF, AtOpen},
        {"comment length past the end", end + 20, 2, 10, AtOpen},
        {"central signature", central, 4, 0x12345678, AtOpen},
        {"name length past the directory", secondCentral + 28, 2, 0xFFFF, AtOpen},
        {"extra length past the directory", secondCentral + 30, 2, 0x7000, AtOpen},
        {"comment length past the directory", secondCentral + 32, 2, 40, AtOpen},
        {"local offset past the data", secondCentral + 42, 4, 0xFFFFFFF0, AtOpen},
        {"compressed size past the data", secondCentral + 20, 4, 0x10000000, AtOpen},
        {"local signature", secondLocal, 4, 0, AtExtraction},
        {"local name length past the data", secondLocal + 26, 2, 0xFFFF, AtExtraction},
        {"local extra length past the data", secondLocal + 28, 2, 0x8000, AtExtraction},
        {"uncompressed size smaller", secondCentral + 24, 4, 299, AtExtraction},
        {"uncompressed size larger", secondCentral + 24, 4, 0xFFFFFFFF, AtExtraction},
    };
    LargestAllocation allocation;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::string archive = good;
        for (int i = 0; i < c.size; ++i)
            archive[c.offset + i] = static_cast<char>(c.value >> (8 * i));
        HZIP zip = OpenUnzipHandle(archive.data(), static_cast<DWORD>(archive.size()), kZipFromMemory);
        if (c.where == AtOpen) {
            EXPECT_EQ(nullptr, zip);
            EXPECT_EQ(kZipReadFailed, GetLastUnzipResult());
            continue;
        }
        ASSERT_NE(nullptr, zip);
        ZRESULT result = 0;
        ExtractToString(zip, 1, result);
        EXPECT_NE(kZipOk, result);
        EXPECT_NE(kZipMoreData, result);
        CloseUnzipHandle(zip);
    }
    EXPECT_LT(allocation.Bytes(), 100000u);
}

} // namespace

#include "corvel/project/zip_writer.h"

#include <gtest/gtest.h>

#include "corvel/project/zip_reader.h"
#include "support/zip_test_support.h"
#include "support/largest_allocation.h"
#include "support/paths.h"

#include <thread>

namespace {

uint32_t UnixNow()
{
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    return FileTimeToUnixTime(now);
}

// The DOS date (high word) and time (low word) of a UTC Unix time in local time.
uint32_t DosStampOf(uint32_t unixTime)
{
    const FILETIME utc = UnixTimeToFileTime(unixTime);
    FILETIME local;
    WORD date = 0;
    WORD time = 0;
    FileTimeToLocalFileTime(&utc, &local);
    FileTimeToDosDateTime(&local, &date, &time);
    return (static_cast<uint32_t>(date) << 16) | time;
}

// Offsets of the central headers, from the end record.
std::vector<size_t> CentralHeaders(const std::string& archive)
{
    std::vector<size_t> offsets;
    const size_t end = archive.size() - kZipEndRecordSize;
    size_t at = Field32(archive, end + 16);
    for (uint16_t i = 0; i < Field16(archive, end + 10) && at + kZipCentralHeaderSize <= archive.size(); ++i) {
        offsets.push_back(at);
        at += kZipCentralHeaderSize + Field16(archive, at + 28) + Field16(archive, at + 30) + Field16(archive, at + 32);
    }
    return offsets;
}

void SetFileTimes(const CString& path, uint32_t created, uint32_t accessed, uint32_t modified)
{
    ScopedHandle file(CreateFileA(path, FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    const FILETIME c = UnixTimeToFileTime(created), a = UnixTimeToFileTime(accessed), m = UnixTimeToFileTime(modified);
    SetFileTime(file.Get(), &c, &a, &m);
}

TEST(ZipWriter, HeadersOfStoredAndDeflatedItems)
{
    const std::string text = "hello hello hello hello hello hello";
    const uint32_t before = UnixNow();
    HZIP zip = CreateZipHandle(nullptr, 1000, kZipFromMemory);
    ASSERT_NE(nullptr, zip);
    ASSERT_EQ(kZipOk, ZipAddItem(zip, "a.ZIP", "", 0, kZipFromMemory));
    ASSERT_EQ(kZipOk, ZipAddItem(zip, "noext", text.data(), static_cast<DWORD>(text.size()), kZipFromMemory));
    const uint32_t after = UnixNow();
    const std::string archive = ZipBufferBytes(zip);
    EXPECT_EQ(kZipOk, CloseZipHandle(zip));

    const struct {
        const char* name;
        uint16_t method;
        uint32_t crc;
        uint32_t size;
    } items[] = {
        {"a.ZIP", kZipMethodStored, 0, 0},
        {"noext", kZipMethodDeflated, Crc32Of(text), static_cast<uint32_t>(text.size())},
    };
    const size_t end = archive.size() - kZipEndRecordSize;
    ASSERT_EQ(kZipEndRecordSignature, Field32(archive, end));
    EXPECT_EQ(0u, Field32(archive, end + 4)); // disk numbers
    EXPECT_EQ(2u, Field16(archive, end + 8));
    EXPECT_EQ(2u, Field16(archive, end + 10));
    EXPECT_EQ(0u, Field16(archive, end + 20)); // comment length
    const std::vector<size_t> central = CentralHeaders(archive);
    ASSERT_EQ(2u, central.size());
    EXPECT_EQ(end - central[0], Field32(archive, end + 12));

    size_t local = 0;
    for (size_t i = 0; i < 2; ++i) {
        SCOPED_TRACE(items[i].name);
        const size_t nameLength = strlen(items[i].name);
        ASSERT_EQ(kZipLocalHeaderSignature, Field32(archive, local));
        EXPECT_EQ(20u, Field16(archive, local + 4));
        EXPECT_EQ(0u, Field16(archive, local + 6)); // flag 3 cleared by the rewrite
        EXPECT_EQ(items[i].method, Field16(archive, local + 8));
        EXPECT_EQ(items[i].crc, Field32(archive, local + 14));
        const uint32_t compressed = Field32(archive, local + 18);
        EXPECT_EQ(items[i].size, Field32(archive, local + 22));
        if (items[i].method == kZipMethodStored) {
            EXPECT_EQ(items[i].size, compressed);
        }
        EXPECT_EQ(nameLength, Field16(archive, local + 26));
        EXPECT_EQ(17u, Field16(archive, local + 28));
        EXPECT_EQ(items[i].name, archive.substr(local + 30, nameLength));
        const size_t extra = local + 30 + nameLength;
        EXPECT_EQ(0x5455u, Field16(archive, extra));
        EXPECT_EQ(13u, Field16(archive, extra + 2));
        EXPECT_EQ(7, archive[extra + 4]);
        const uint32_t modified = Field32(archive, extra + 5);
        EXPECT_GE(modified, before);
        EXPECT_LE(modified, after);
        EXPECT_EQ(modified, Field32(archive, extra + 9));  // accessed
        EXPECT_EQ(modified, Field32(archive, extra + 13)); // created
        EXPECT_EQ(DosStampOf(modified), Field32(archive, local + 10));

        const size_t c = central[i];
        EXPECT_EQ(kZipCentralHeaderSignature, Field32(archive, c));
        EXPECT_EQ(0x0B17u, Field16(archive, c + 4));
        EXPECT_EQ(20u, Field16(archive, c + 6));
        EXPECT_EQ(0u, Field16(archive, c + 8));
        EXPECT_EQ(items[i].method, Field16(archive, c + 10));
        EXPECT_EQ(Field32(archive, local + 10), Field32(archive, c + 12)); // time and date
        EXPECT_EQ(items[i].crc, Field32(archive, c + 16));
        EXPECT_EQ(compressed, Field32(archive, c + 20));
        EXPECT_EQ(items[i].size, Field32(archive, c + 24));
        EXPECT_EQ(nameLength, Field16(archive, c + 28));
        EXPECT_EQ(9u, Field16(archive, c + 30));
        EXPECT_EQ(0u, Field16(archive, c + 32)); // comment
        EXPECT_EQ(0u, Field16(archive, c + 34)); // disk
        EXPECT_EQ(local, Field32(archive, c + 42));
        EXPECT_EQ(items[i].name, archive.substr(c + 46, nameLength));
        EXPECT_EQ(0x5455u, Field16(archive, c + 46 + nameLength));
        EXPECT_EQ(5u, Field16(archive, c + 48 + nameLength));
        EXPECT_EQ(7, archive[c + 50 + nameLength]);
        EXPECT_EQ(modified, Field32(archive, c + 51 + nameLength));
        local = extra + 17 + compressed;
    }
    EXPECT_EQ(central[0], local);
}

TEST(ZipWriter, OneEmptyItemGivesOneCentralEntryWithSizesZero)
{
    HZIP zip = CreateZipHandle(nullptr, 100, kZipFromMemory);
    ASSERT_EQ(kZipOk, ZipAddItem(zip, "empty.gz", nullptr, 0, kZipFromMemory));
    const std::string archive = ZipBufferBytes(zip);
    CloseZipHandle(zip);

    ASSERT_EQ(30u + 8 + 17 + 46 + 8 + 9 + 22, archive.size());
    const size_t end = archive.size() - kZipEndRecordSize;
    EXPECT_EQ(1u, Field16(archive, end + 10));
    EXPECT_EQ(46u + 8 + 9, Field32(archive, end + 12));
    EXPECT_EQ(30u + 8 + 17, Field32(archive, end + 16));
    const size_t central = Field32(archive, end + 16);
    EXPECT_EQ(0u, Field32(archive, central + 20));
    EXPECT_EQ(0u, Field32(archive, central + 24));
    EXPECT_EQ(0u, Field32(archive, central + 16));
}

TEST(ZipWriter, MethodAndStoredNameFollowTheName)
{
    const struct {
        const char* name;
        DWORD kind;
        const char* stored;
        uint16_t method;
    } cases[] = {
        {"a.ZIP", kZipFromMemory, "a.ZIP", kZipMethodStored},
        {"x.Z", kZipFromMemory, "x.Z", kZipMethodStored},
        {"x.z", kZipFromMemory, "x.z", kZipMethodStored},
        {"b.zoo", kZipFromMemory, "b.zoo", kZipMethodStored},
        {"c.ARC", kZipFromMemory, "c.ARC", kZipMethodStored},
        {"d.lzh", kZipFromMemory, "d.lzh", kZipMethodStored},
        {"e.arj", kZipFromMemory, "e.arj", kZipMethodStored},
        {"f.gz", kZipFromMemory, "f.gz", kZipMethodStored},
        {"g.TGZ", kZipFromMemory, "g.TGZ", kZipMethodStored},
        {"noext", kZipFromMemory, "noext", kZipMethodDeflated},
        {"h.zipx", kZipFromMemory, "h.zipx", kZipMethodDeflated},
        {"i.txt", kZipFromMemory, "i.txt", kZipMethodDeflated},
        {"dir.zip\\inner", kZipFromMemory, "dir.zip/inner", kZipMethodDeflated},
        {"folder", kZipFromFolder, "folder/", kZipMethodStored},
        {"sub\\folder\\", kZipFromFolder, "sub/folder/", kZipMethodStored},
    };
    HZIP zip = CreateZipHandle(nullptr, 4096, kZipFromMemory);
    for (const auto& c : cases)
        ASSERT_EQ(kZipOk, ZipAddItem(zip, c.name, c.kind == kZipFromFolder ? nullptr : "abcabcabc",
                                     c.kind == kZipFromFolder ? 0 : 9, c.kind))
            << c.name;
    const std::string archive = ZipBufferBytes(zip);
    CloseZipHandle(zip);

    HZIP reader = OpenUnzipHandle(archive.data(), static_cast<DWORD>(archive.size()), kZipFromMemory);
    ASSERT_NE(nullptr, reader);
    ASSERT_EQ(static_cast<int>(std::size(cases)), GetUnzipReader(reader)->GetItemCount());
    for (size_t i = 0; i < std::size(cases); ++i) {
        const ZipItemInfo* item = GetUnzipReader(reader)->GetItem(static_cast<int>(i));
        EXPECT_STREQ(cases[i].stored, item->name) << cases[i].name;
        EXPECT_EQ(cases[i].method, item->method) << cases[i].name;
        EXPECT_EQ(cases[i].kind == kZipFromFolder, (item->attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) << cases[i].name;
    }
    CloseUnzipHandle(reader);
}

TEST(ZipWriter, FileSourcesKeepTheirTimesAttributesAndBytes)
{
    TempFolder temp;
    std::string content;
    for (int i = 0; i < 3000; ++i)
        content += "line " + std::to_string(i % 97) + " of a compressible text\r\n";
    content += NoiseBytes(40000, 7);
    // One source file per item, each unread before it is added; the times expected are
    // those the file system reports (some keep no creation time of their own).
    uint32_t expected[2][3] = {};
    for (int i = 0; i < 2; ++i) {
        const CString source = temp.File(i == 0 ? "source0.txt" : "source1.txt");
        WriteBinaryFile(source, content);
        SetFileTimes(source, 1600000000, 1600000100, 1600000200);
        SetFileAttributesA(source, FILE_ATTRIBUTE_READONLY);
        WIN32_FILE_ATTRIBUTE_DATA data = {};
        GetFileAttributesExA(source, GetFileExInfoStandard, &data);
        expected[i][0] = FileTimeToUnixTime(data.ftCreationTime);
        expected[i][1] = FileTimeToUnixTime(data.ftLastAccessTime);
        expected[i][2] = FileTimeToUnixTime(data.ftLastWriteTime);
        EXPECT_EQ(1600000200u, expected[i][2]);
    }

    const CString archivePath = temp.File("out.zip");
    HZIP zip = CreateZipHandle(const_cast<char*>((LPCSTR)archivePath), 0, kZipFromFileName);
    ASSERT_NE(nullptr, zip);
    EXPECT_EQ(kZipOk, ZipAddItem(zip, "by-name.txt", (LPCSTR)temp.File("source0.txt"), 0, kZipFromFileName));
    ScopedHandle opened(
        CreateFileA(temp.File("source1.txt"), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    EXPECT_EQ(kZipOk, ZipAddItem(zip, "by-handle.txt", opened.Get(), 0, kZipFromHandle));
    EXPECT_EQ(kZipOk, CloseZipHandle(zip));
    EXPECT_EQ(kZipOk, GetLastZipResult());

    HZIP reader = OpenUnzipHandle((LPCSTR)archivePath, 0, kZipFromFileName);
    ASSERT_NE(nullptr, reader);
    for (int index = 0; index < 2; ++index) {
        SCOPED_TRACE(index);
        ZipItemInfo item;
        ASSERT_EQ(kZipOk, GetUnzipReader(reader)->ReadItemInfo(index, item));
        EXPECT_EQ(kZipMethodDeflated, item.method);
        EXPECT_LT(item.compressedSize, item.uncompressedSize);
        EXPECT_TRUE(item.attributes & FILE_ATTRIBUTE_READONLY);
        EXPECT_EQ(expected[index][0], FileTimeToUnixTime(item.created));
        EXPECT_EQ(expected[index][1], FileTimeToUnixTime(item.accessed));
        EXPECT_EQ(expected[index][2], FileTimeToUnixTime(item.modified));

        const CString target = temp.File(index == 0 ? "restored0.txt" : "restored1.txt");
        ASSERT_EQ(kZipOk, UnzipItem(reader, index, const_cast<char*>((LPCSTR)target), 0, kZipFromFileName));
        WIN32_FILE_ATTRIBUTE_DATA data = {};
        ASSERT_TRUE(GetFileAttributesExA(target, GetFileExInfoStandard, &data));
        EXPECT_EQ(expected[index][1], FileTimeToUnixTime(data.ftLastAccessTime));
        EXPECT_EQ(expected[index][2], FileTimeToUnixTime(data.ftLastWriteTime));
        EXPECT_TRUE(data.dwFileAttributes & FILE_ATTRIBUTE_READONLY);
        EXPECT_EQ(content, ReadBinaryFile(target));
    }
    CloseUnzipHandle(reader);
}

TEST(ZipWriter, ExecutableSignatureSetsTheOwnerExecuteBit)
{
    const struct {
        const char* start;
        bool executable;
    } cases[] = {
        {"MZ\x90", true}, {"PE\0\0", true}, {"NE..", true}, {"LE..", true}, {"M", false}, {"ZM..", false}, {"text", false},
    };
    HZIP zip = CreateZipHandle(nullptr, 4096, kZipFromMemory);
    int index = 0;
    for (const auto& c : cases) {
        const std::string name = "item" + std::to_string(index++);
        ZipAddItem(zip, name.c_str(), c.start, static_cast<DWORD>(strlen(c.start) > 1 ? 4 : 1), kZipFromMemory);
    }
    const std::string archive = ZipBufferBytes(zip);
    CloseZipHandle(zip);
    const std::vector<size_t> central = CentralHeaders(archive);
    ASSERT_EQ(std::size(cases), central.size());
    for (size_t i = 0; i < central.size(); ++i)
        EXPECT_EQ(cases[i].executable ? kZipOwnerExecute : 0u, Field32(archive, central[i] + 38)) << cases[i].start;
}

TEST(ZipWriter, OwnMemoryBlockGrowsAndStaysValid)
{
    const std::string big = NoiseBytes(10000100, 3);
    HZIP zip = CreateZipHandle(nullptr, 10000000, kZipFromMemory);
    ASSERT_NE(nullptr, zip);
    size_t largest = 0;
    {
        LargestAllocation allocation;
        ASSERT_EQ(kZipOk, ZipAddItem(zip, "big.zip", big.data(), static_cast<DWORD>(big.size()), kZipFromMemory));
        largest = allocation.Bytes();
    }
    EXPECT_EQ(20000000u, largest);

    void* buffer = nullptr;
    DWORD length = 0;
    ASSERT_EQ(kZipOk, GetZipBuffer(zip, &buffer, &length));
    EXPECT_EQ(big.size() + 30 + 7 + 17 + 46 + 7 + 9 + 22, length);
    HZIP reader = OpenUnzipHandle(buffer, length, kZipFromMemory);
    ASSERT_NE(nullptr, reader);
    ZRESULT result = 0;
    EXPECT_TRUE(big == ExtractToString(reader, 0, result, 1 << 20));
    EXPECT_EQ(kZipOk, result);
    CloseUnzipHandle(reader);
    CloseZipHandle(zip);
}

TEST(ZipWriter, BufferIsFinishedOnceAndGivenAgain)
{
    HZIP zip = CreateZipHandle(nullptr, 1000, kZipFromMemory);
    ZipAddItem(zip, "a.txt", "abc", 3, kZipFromMemory);
    void* first = nullptr;
    void* second = nullptr;
    DWORD firstLength = 0;
    DWORD secondLength = 0;
    ASSERT_EQ(kZipOk, GetZipBuffer(zip, &first, &firstLength));
    ASSERT_EQ(kZipOk, GetZipBuffer(zip, &second, &secondLength));
    EXPECT_EQ(first, second);
    EXPECT_EQ(firstLength, secondLength);
    EXPECT_EQ(kZipAlreadyFinished, ZipAddItem(zip, "b.txt", "abc", 3, kZipFromMemory));
    EXPECT_EQ(kZipOk, CloseZipHandle(zip));

    // A caller's block is used in place.
    std::vector<char> block(1000);
    zip = CreateZipHandle(block.data(), static_cast<DWORD>(block.size()), kZipFromMemory);
    ZipAddItem(zip, "a.txt", "abc", 3, kZipFromMemory);
    ASSERT_EQ(kZipOk, GetZipBuffer(zip, &first, &firstLength));
    EXPECT_EQ(block.data(), first);
    EXPECT_EQ(kZipLocalHeaderSignature, LoadZip32(reinterpret_cast<BYTE*>(block.data())));
    CloseZipHandle(zip);
}

TEST(ZipWriter, ResultCodes)
{
    TempFolder temp;
    void* buffer = &temp;
    DWORD length = 7;
    EXPECT_EQ(kZipBadArgument, ZipAddItem(nullptr, "a", "x", 1, kZipFromMemory));
    EXPECT_EQ(kZipBadArgument, GetZipBuffer(nullptr, &buffer, &length));
    EXPECT_EQ(nullptr, buffer);
    EXPECT_EQ(0u, length);
    EXPECT_EQ(kZipBadArgument, CloseZipHandle(nullptr));
    EXPECT_EQ(kZipBadArgument, GetLastZipResult());

    EXPECT_EQ(nullptr, CreateZipHandle(nullptr, 0, kZipFromMemory));
    EXPECT_EQ(kZipMemorySize, GetLastZipResult());
    EXPECT_EQ(nullptr, CreateZipHandle(nullptr, 100, 7));
    EXPECT_EQ(kZipBadArgument, GetLastZipResult());
    const CString unreachable = temp.File("missing\\out.zip");
    EXPECT_EQ(nullptr, CreateZipHandle(const_cast<char*>((LPCSTR)unreachable), 0, kZipFromFileName));
    EXPECT_EQ(kZipCannotCreate, GetLastZipResult());

    // A reading handle.
    ZipArchiveBuilder builder;
    builder.Add({"x", "y"});
    const std::string small = builder.Build();
    HZIP reader = OpenUnzipHandle(small.data(), static_cast<DWORD>(small.size()), kZipFromMemory);
    EXPECT_EQ(kZipWrongHandleKind, ZipAddItem(reader, "a", "x", 1, kZipFromMemory));
    EXPECT_EQ(kZipWrongHandleKind, GetZipBuffer(reader, &buffer, &length));
    EXPECT_EQ(kZipWrongHandleKind, CloseZipHandle(reader));
    CloseUnzipHandle(reader);

    // A failed add makes the archive refuse further adds.
    HZIP zip = CreateZipHandle(nullptr, 100, kZipFromMemory);
    EXPECT_EQ(kZipBadArgument, ZipAddItem(zip, "a", "x", 1, 9));
    EXPECT_EQ(kZipFailedEarlier, ZipAddItem(zip, "a", "x", 1, kZipFromMemory));
    CloseZipHandle(zip);
    zip = CreateZipHandle(nullptr, 100, kZipFromMemory);
    EXPECT_EQ(kZipCannotCreate, ZipAddItem(zip, "a", (LPCSTR)temp.File("none.txt"), 0, kZipFromFileName));
    EXPECT_EQ(kZipFailedEarlier, ZipAddItem(zip, "a", "x", 1, kZipFromMemory));
    CloseZipHandle(zip);

    // The caller's block must hold the whole archive.
    std::vector<char> block(100);
    const std::string noise = NoiseBytes(200, 1);
    zip = CreateZipHandle(block.data(), static_cast<DWORD>(block.size()), kZipFromMemory);
    EXPECT_EQ(kZipWriteFailed, ZipAddItem(zip, "n.gz", noise.data(), static_cast<DWORD>(noise.size()), kZipFromMemory));
    CloseZipHandle(zip);

    // A handle that gives fewer bytes than announced.
    const CString shortFile = temp.File("short.bin");
    WriteBinaryFile(shortFile, "12345");
    ScopedHandle source(CreateFileA(shortFile, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    zip = CreateZipHandle(nullptr, 100, kZipFromMemory);
    EXPECT_EQ(kZipSourceShort, ZipAddItem(zip, "s", source.Get(), 50, kZipFromHandle));
    CloseZipHandle(zip);

    // An archive written to a file has no buffer.
    const CString archivePath = temp.File("f.zip");
    zip = CreateZipHandle(const_cast<char*>((LPCSTR)archivePath), 0, kZipFromFileName);
    EXPECT_EQ(kZipNotInMemory, GetZipBuffer(zip, &buffer, &length));
    EXPECT_EQ(kZipOk, CloseZipHandle(zip));
}

// Reads a pipe to its end on another thread.
class PipeDrain {
public:
    explicit PipeDrain(HANDLE read) : m_thread([this, read] {
        char buffer[4096];
        DWORD got = 0;
        while (ReadFile(read, buffer, sizeof buffer, &got, nullptr) && got > 0)
            m_bytes.append(buffer, got);
    })
    {
    }
    std::string Wait()
    {
        m_thread.join();
        return m_bytes;
    }

private:
    std::string m_bytes;
    std::thread m_thread;
};

TEST(ZipWriter, OutputThatCannotSeekGetsDataDescriptors)
{
    HANDLE read = nullptr;
    HANDLE write = nullptr;
    ASSERT_TRUE(CreatePipe(&read, &write, nullptr, 0));
    ScopedHandle readEnd(read);
    ScopedHandle writeEnd(write);
    PipeDrain drain(read);

    // One source is itself a pipe, read to its end.
    HANDLE sourceRead = nullptr;
    HANDLE sourceWrite = nullptr;
    ASSERT_TRUE(CreatePipe(&sourceRead, &sourceWrite, nullptr, 1 << 16));
    ScopedHandle sourceReadEnd(sourceRead);
    const std::string piped = "piped data, piped data, piped data";
    DWORD written = 0;
    WriteFile(sourceWrite, piped.data(), static_cast<DWORD>(piped.size()), &written, nullptr);
    CloseHandle(sourceWrite);

    const std::string text = "streamed text, streamed text, streamed text";
    HZIP zip = CreateZipHandle(writeEnd.Get(), 0, kZipFromHandle);
    ASSERT_NE(nullptr, zip);
    EXPECT_EQ(kZipOk, ZipAddItem(zip, "a.txt", text.data(), static_cast<DWORD>(text.size()), kZipFromMemory));
    EXPECT_EQ(kZipOk, ZipAddItem(zip, "b.txt", sourceReadEnd.Get(), 0, kZipFromHandle));
    EXPECT_EQ(kZipOk, CloseZipHandle(zip));
    writeEnd.Reset();
    const std::string archive = drain.Wait();

    EXPECT_EQ(kZipFlagDataDescriptor, Field16(archive, 6));
    EXPECT_EQ(0u, Field32(archive, 14));
    EXPECT_EQ(0u, Field32(archive, 18));
    EXPECT_EQ(0u, Field32(archive, 22));
    const std::vector<size_t> central = CentralHeaders(archive);
    ASSERT_EQ(2u, central.size());
    const uint32_t compressed = Field32(archive, central[0] + 20);
    const size_t descriptor = 30 + 5 + 17 + compressed;
    EXPECT_EQ(kZipDataDescriptorSignature, Field32(archive, descriptor));
    EXPECT_EQ(Crc32Of(text), Field32(archive, descriptor + 4));
    EXPECT_EQ(compressed, Field32(archive, descriptor + 8));
    EXPECT_EQ(text.size(), Field32(archive, descriptor + 12));
    EXPECT_EQ(descriptor + 16, Field32(archive, central[1] + 42));
    for (size_t c : central)
        EXPECT_EQ(kZipFlagDataDescriptor, Field16(archive, c + 8));

    HZIP reader = OpenUnzipHandle(archive.data(), static_cast<DWORD>(archive.size()), kZipFromMemory);
    ASSERT_NE(nullptr, reader);
    ZRESULT result = 0;
    EXPECT_EQ(text, ExtractToString(reader, 0, result));
    EXPECT_EQ(kZipOk, result);
    EXPECT_EQ(piped, ExtractToString(reader, 1, result));
    EXPECT_EQ(kZipOk, result);
    CloseUnzipHandle(reader);
}

} // namespace

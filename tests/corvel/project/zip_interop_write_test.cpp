// Writes archives into the build tree for zip_interop.sh to check with other tools,
// with the expected contents of each beside them.
#include "corvel/project/zip_writer.h"

#include <gtest/gtest.h>

#include "support/paths.h"
#include "support/zip_test_support.h"
#include "support/test_dirs.h"

#include <thread>

namespace {

const CString kOursFolder = CString(TestBinaryDir()) + "\\zip-interop\\ours";
constexpr uint32_t kSourceModified = 1623752430; // 2021-06-15 10:20:30 UTC

void RemoveTree(const CString& path)
{
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA(path + "\\*", &found);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const CString name = found.cFileName;
            if (name == "." || name == "..")
                continue;
            const CString child = path + "\\" + name;
            SetFileAttributesA(child, FILE_ATTRIBUTE_NORMAL);
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(child);
            else
                DeleteFileA(child);
        } while (FindNextFileA(find, &found));
        FindClose(find);
    }
    RemoveDirectoryA(path);
}

void CreateFolders(const CString& path)
{
    for (int i = 3; i < path.GetLength(); ++i)
        if (path[i] == '\\')
            CreateDirectoryA(path.Left(i), nullptr);
    CreateDirectoryA(path, nullptr);
}

struct Item {
    const char* name; // with backslashes, as a caller passes it
    std::string content;
    bool isFolder;
};

std::vector<Item> Items()
{
    std::string readme;
    for (int i = 0; i < 5000; ++i)
        readme += "Readme line " + std::to_string(i % 300) + ": the gateway maps IED attributes to PLC tags.\n";
    std::string hello;
    for (int i = 0; i < 3; ++i)
        hello += "Hello, zip world!\n";
    return {
        {"hello.txt", hello, false},
        {"empty.txt", "", false},
        {"stored.gz", NoiseBytes(3000, 21), false},
        {"docs\\readme.md", readme, false},
        {"bin\\noise.bin", NoiseBytes(70000, 22), false},
        {"prog.exe", "MZ" + NoiseBytes(500, 23), false},
        {"emptydir", "", true},
    };
}

// The expected tree of one archive: files with their contents, empty folders for folder items.
void WriteExpected(const CString& stem, const std::vector<Item>& items)
{
    const CString root = CString(kOursFolder) + "\\expected\\" + stem;
    for (const Item& item : items) {
        const CString path = root + "\\" + item.name;
        if (item.isFolder) {
            CreateFolders(path);
            continue;
        }
        CreateFolders(path.Left(path.ReverseFind('\\')));
        WriteBinaryFile(path, item.content);
    }
}

void AddFromMemory(HZIP zip, const Item& item)
{
    if (item.isFolder)
        ASSERT_EQ(kZipOk, ZipAddItem(zip, item.name, nullptr, 0, kZipFromFolder));
    else
        ASSERT_EQ(kZipOk, ZipAddItem(zip, item.name, item.content.data(), static_cast<DWORD>(item.content.size()),
                                     kZipFromMemory));
}

class ZipInteropWrite : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        RemoveTree(kOursFolder);
        CreateFolders(kOursFolder);
    }
    CString Archive(LPCSTR stem) const { return CString(kOursFolder) + "\\" + stem + ".zip"; }
};

TEST_F(ZipInteropWrite, MemoryArchive)
{
    const std::vector<Item> items = Items();
    HZIP zip = CreateZipHandle(nullptr, 1000, kZipFromMemory);
    ASSERT_NE(nullptr, zip);
    for (const Item& item : items)
        AddFromMemory(zip, item);
    WriteBinaryFile(Archive("memory"), ZipBufferBytes(zip));
    EXPECT_EQ(kZipOk, CloseZipHandle(zip));
    WriteExpected("memory", items);
}

TEST_F(ZipInteropWrite, FileArchiveOfFilesOnDisk)
{
    const std::vector<Item> items = Items();
    const CString staging = CString(kOursFolder) + "\\staging";
    HZIP zip = CreateZipHandle(const_cast<char*>((LPCSTR)Archive("file")), 0, kZipFromFileName);
    ASSERT_NE(nullptr, zip);
    for (const Item& item : items) {
        if (item.isFolder) {
            ASSERT_EQ(kZipOk, ZipAddItem(zip, item.name, nullptr, 0, kZipFromFolder));
            continue;
        }
        const CString path = staging + "\\" + item.name;
        CreateFolders(path.Left(path.ReverseFind('\\')));
        WriteBinaryFile(path, item.content);
        ScopedHandle file(CreateFileA(path, FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        const FILETIME modified = UnixTimeToFileTime(kSourceModified);
        SetFileTime(file.Get(), nullptr, nullptr, &modified);
        file.Reset();
        ASSERT_EQ(kZipOk, ZipAddItem(zip, item.name, (LPCSTR)path, 0, kZipFromFileName));
    }
    EXPECT_EQ(kZipOk, CloseZipHandle(zip));
    RemoveTree(staging);
    WriteExpected("file", items);
    WriteBinaryFile(CString(kOursFolder) + "\\file-mtime.txt", std::to_string(kSourceModified));
}

TEST_F(ZipInteropWrite, HandleArchiveOfHandles)
{
    const std::vector<Item> items = Items();
    TempFolder temp;
    ScopedHandle target(CreateFileA(Archive("handle"), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
    HZIP zip = CreateZipHandle(target.Get(), 0, kZipFromHandle);
    ASSERT_NE(nullptr, zip);
    int index = 0;
    for (const Item& item : items) {
        if (item.isFolder) {
            ASSERT_EQ(kZipOk, ZipAddItem(zip, item.name, nullptr, 0, kZipFromFolder));
            continue;
        }
        const CString path = temp.File(std::to_string(index++).c_str());
        WriteBinaryFile(path, item.content);
        ScopedHandle source(CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_EQ(kZipOk, ZipAddItem(zip, item.name, source.Get(), 0, kZipFromHandle));
    }
    EXPECT_EQ(kZipOk, CloseZipHandle(zip));
    WriteExpected("handle", items);
}

TEST_F(ZipInteropWrite, StreamedArchiveWithDataDescriptors)
{
    const std::vector<Item> items = Items();
    HANDLE read = nullptr;
    HANDLE write = nullptr;
    ASSERT_TRUE(CreatePipe(&read, &write, nullptr, 0));
    ScopedHandle readEnd(read);
    ScopedHandle writeEnd(write);
    std::string archive;
    std::thread drain([&archive, read] {
        char buffer[4096];
        DWORD got = 0;
        while (ReadFile(read, buffer, sizeof buffer, &got, nullptr) && got > 0)
            archive.append(buffer, got);
    });
    HZIP zip = CreateZipHandle(writeEnd.Get(), 0, kZipFromHandle);
    EXPECT_NE(nullptr, zip);
    for (const Item& item : items)
        AddFromMemory(zip, item);
    EXPECT_EQ(kZipOk, CloseZipHandle(zip));
    writeEnd.Reset();
    drain.join();
    EXPECT_EQ(kZipFlagDataDescriptor, Field16(archive, 6));
    WriteBinaryFile(Archive("stream"), archive);
    WriteExpected("stream", items);
}

} // namespace

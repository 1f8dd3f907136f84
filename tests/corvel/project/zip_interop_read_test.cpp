// Reads the archives that zip_interop.sh made with other tools, as its manifest describes them.
#include "corvel/project/zip_reader.h"

#include <gtest/gtest.h>

#include "support/paths.h"
#include "support/zip_test_support.h"
#include "support/test_dirs.h"

#include <map>
#include <sstream>

namespace {

const CString kForeignFolder = CString(TestBinaryDir()) + "\\zip-interop\\foreign";

// One manifest line: archive, name, size, CRC (hex), modified (Unix), has "UT" (0/1).
struct Member {
    std::string name;
    uint32_t size = 0;
    uint32_t crc = 0;
    uint32_t modified = 0;
    bool hasTimeField = false;
};

std::map<std::string, std::vector<Member>> ReadManifest()
{
    std::map<std::string, std::vector<Member>> archives;
    std::istringstream lines(ReadTextFile(CString(kForeignFolder) + "\\manifest.txt"));
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        std::string archive;
        Member member;
        int hasTimeField = 0;
        if (std::getline(fields, archive, '\t') && std::getline(fields, member.name, '\t') &&
            (fields >> member.size >> std::hex >> member.crc >> std::dec >> member.modified >> hasTimeField)) {
            member.hasTimeField = hasTimeField != 0;
            archives[archive].push_back(member);
        }
    }
    return archives;
}

int FindItem(CUnzipReader* reader, const std::string& name)
{
    for (int i = 0; i < reader->GetItemCount(); ++i)
        if (name == (LPCSTR)reader->GetItem(i)->name)
            return i;
    return -1;
}

TEST(ZipInteropRead, ArchivesOfOtherToolsAreRead)
{
    const auto archives = ReadManifest();
    ASSERT_GE(archives.size(), 6u) << "run zip_interop.sh make-foreign first";
    TempFolder temp;
    for (const auto& [archive, members] : archives) {
        SCOPED_TRACE(archive);
        const CString path = CString(kForeignFolder) + "\\" + archive.c_str();
        HZIP zip = OpenUnzipHandle((LPCSTR)path, 0, kZipFromFileName);
        ASSERT_NE(nullptr, zip);
        CUnzipReader* reader = GetUnzipReader(zip);
        EXPECT_EQ(static_cast<int>(members.size()), reader->GetItemCount());
        for (const Member& member : members) {
            SCOPED_TRACE(member.name);
            const int index = FindItem(reader, member.name);
            ASSERT_GE(index, 0);
            ZipItemInfo info;
            ASSERT_EQ(kZipOk, reader->ReadItemInfo(index, info));
            EXPECT_EQ(member.size, info.uncompressedSize);
            EXPECT_EQ(member.crc, info.crc);
            EXPECT_EQ(member.modified, FileTimeToUnixTime(info.modified));
            if (!member.hasTimeField) {
                EXPECT_EQ(member.modified, FileTimeToUnixTime(info.accessed));
                EXPECT_EQ(member.modified, FileTimeToUnixTime(info.created));
            }

            const CString target = temp.File("out.bin");
            ASSERT_EQ(kZipOk, UnzipItem(zip, index, const_cast<char*>((LPCSTR)target), 0, kZipFromFileName));
            WIN32_FILE_ATTRIBUTE_DATA data = {};
            ASSERT_TRUE(GetFileAttributesExA(target, GetFileExInfoStandard, &data));
            EXPECT_EQ(member.modified, FileTimeToUnixTime(data.ftLastWriteTime));
            const std::string bytes = ReadBinaryFile(target);
            EXPECT_EQ(member.size, bytes.size());
            EXPECT_EQ(member.crc, Crc32Of(bytes));
            DeleteFileA(target);
        }
        CloseUnzipHandle(zip);

        // The same archive from memory.
        const std::string bytes = ReadBinaryFile(path);
        zip = OpenUnzipHandle(bytes.data(), static_cast<DWORD>(bytes.size()), kZipFromMemory);
        ASSERT_NE(nullptr, zip);
        for (const Member& member : members) {
            ZRESULT result = 0;
            const std::string content = ExtractToString(zip, FindItem(GetUnzipReader(zip), member.name), result, 1000);
            EXPECT_EQ(kZipOk, result) << member.name;
            EXPECT_EQ(member.crc, Crc32Of(content)) << member.name;
        }
        CloseUnzipHandle(zip);
    }
}

} // namespace

// Damaged archives: every case must end with a failure code or a complete, bounded extraction.
#include "corvel/project/zip_reader.h"

#include <gtest/gtest.h>

#include "support/zip_test_support.h"
#include "support/largest_allocation.h"

namespace {

constexpr DWORD kMutationBlock = 256;
constexpr int kRandomCases = 2500;
constexpr uint32_t kRandomSeed = 20240611;

// A small archive with stored, deflated, empty and folder items and time fields.
std::string SeedArchive()
{
    ZipArchiveBuilder builder;
    ZipArchiveBuilder::Item text{"docs/text.txt", "", kZipMethodDeflated};
    for (int i = 0; i < 20; ++i)
        text.content += "line " + std::to_string(i) + " of the text\n";
    text.localExtra = TimeExtra(7, {1500000000, 1500000100, 1500000200});
    text.centralExtra = TimeExtra(7, {1500000000});
    builder.Add(text);
    builder.Add({"stored.gz", NoiseBytes(40, 9)});
    builder.Add({"empty", "", kZipMethodDeflated});
    ZipArchiveBuilder::Item folder{"docs/"};
    folder.externalAttributes = FILE_ATTRIBUTE_DIRECTORY;
    builder.Add(folder);
    return builder.Build("seed");
}

struct Outcome {
    bool opened = false;
    int extracted = 0;
};

// Opens the archive and extracts every item to memory; checks each result.
Outcome ReadDamaged(const std::string& archive, const std::string& what)
{
    Outcome outcome;
    HZIP zip = OpenUnzipHandle(archive.data(), static_cast<DWORD>(archive.size()), kZipFromMemory);
    if (zip == nullptr) {
        EXPECT_NE(kZipOk, GetLastUnzipResult()) << what;
        return outcome;
    }
    outcome.opened = true;
    CUnzipReader* reader = GetUnzipReader(zip);
    std::vector<char> block(kMutationBlock);
    for (int index = 0; index < reader->GetItemCount(); ++index) {
        const uint64_t declared = reader->GetItem(index)->uncompressedSize;
        uint64_t received = 0;
        ZRESULT result = kZipMoreData;
        while (result == kZipMoreData && received <= declared) {
            result = UnzipItem(zip, index, block.data(), kMutationBlock, kZipFromMemory);
            received += kMutationBlock;
        }
        if (result == kZipOk) {
            ++outcome.extracted;
            EXPECT_LE(received, declared + kMutationBlock) << what << ", item " << index;
        } else {
            EXPECT_TRUE(result == kZipReadFailed || result == kZipInternalError) << what << ", item " << index;
        }
    }
    EXPECT_EQ(kZipOk, CloseUnzipHandle(zip)) << what;
    return outcome;
}

TEST(ZipMutation, DamagedArchivesNeverReadOutOfBounds)
{
    const std::string seed = SeedArchive();
    const Outcome intact = ReadDamaged(seed, "intact");
    ASSERT_TRUE(intact.opened);
    ASSERT_EQ(4, intact.extracted);

    LargestAllocation allocation;
    int opened = 0;
    int cases = 0;
    for (size_t length = 0; length < seed.size(); ++length, ++cases)
        opened += ReadDamaged(seed.substr(0, length), "truncated to " + std::to_string(length)).opened;

    const BYTE changes[] = {0xFF, 0x01, 0x80};
    for (size_t offset = 0; offset < seed.size(); ++offset) {
        for (BYTE change : changes) {
            std::string archive = seed;
            archive[offset] = static_cast<char>(archive[offset] ^ change);
            opened += ReadDamaged(archive, "byte " + std::to_string(offset) + " ^ " + std::to_string(change)).opened;
            ++cases;
        }
    }

    uint32_t random = kRandomSeed;
    auto next = [&random](uint32_t range) {
        random = random * 1103515245u + 12345u;
        return (random >> 8) % range;
    };
    for (int i = 0; i < kRandomCases; ++i, ++cases) {
        std::string archive = seed;
        const uint32_t count = 2 + next(7);
        for (uint32_t k = 0; k < count; ++k)
            archive[next(static_cast<uint32_t>(archive.size()))] = static_cast<char>(next(256));
        opened += ReadDamaged(archive, "random case " + std::to_string(i)).opened;
    }

    EXPECT_GT(cases, 4000);
    // Some damaged archives still open (changes in data or times), most do not.
    EXPECT_GT(opened, 0);
    EXPECT_LT(opened, cases);
    EXPECT_LT(allocation.Bytes(), 100000u);
}

} // namespace

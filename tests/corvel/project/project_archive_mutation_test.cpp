// Damaged copies of a valid project archive: each one loads or is reported, none ends the program
// or makes a large allocation from a damaged length or count.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "prj_test_support.h"
#include "support/largest_allocation.h"
#include "support/message_box_recorder.h"

namespace {

using namespace PrjTest;

constexpr int kRandomCopies = 1500;
constexpr size_t kLargestAllowedAllocation = 64 * 1024;
constexpr size_t kDocumentTruncationStep = 13;

// Every truncation, every byte inverted and set to 0xFF, and seeded random changes of two to six bytes.
std::vector<std::string> DamagedCopies(const std::string& original)
{
    std::vector<std::string> copies;
    for (size_t length = 0; length < original.size(); ++length)
        copies.push_back(original.substr(0, length));
    for (size_t at = 0; at < original.size(); ++at) {
        for (const bool invert : {true, false}) {
            std::string copy = original;
            copy[at] = invert ? static_cast<char>(~copy[at]) : '\xFF';
            if (copy != original)
                copies.push_back(copy);
        }
    }
    uint32_t state = 20240611u;
    auto next = [&state] {
        state = state * 1664525u + 1013904223u;
        return state >> 8;
    };
    for (int i = 0; i < kRandomCopies; ++i) {
        std::string copy = original;
        const int changes = 2 + static_cast<int>(next() % 5);
        for (int k = 0; k < changes; ++k)
            copy[next() % copy.size()] = static_cast<char>(next() & 0xFF);
        copies.push_back(copy);
    }
    return copies;
}

class PrjMutation : public ::testing::Test {
protected:
    void SetUp() override
    {
        NewProjectDocument written;
        FillGoldenProject(written);
        written.SetProjectPath(folder.File("golden.prj"));
        ASSERT_TRUE(written.SaveProject());
        original = ReadBinaryFile(folder.File("golden.prj"));
    }

    TempFolder folder;
    std::string original;
};

TEST_F(PrjMutation, EveryDamagedCopyLoadsOrIsReported)
{
    ASSERT_GT(original.size(), 800u);
    const std::vector<std::string> copies = DamagedCopies(original);
    ASSERT_GT(copies.size(), 3000u);
    NewProjectDocument doc;
    MessageBoxRecorder boxes;
    int loaded = 0;
    for (size_t i = 0; i < copies.size(); ++i) {
        doc.StartNewProject();
        CProjectArchiveReader reader(ContentOf(doc), {});
        LargestAllocation largest;
        const bool read = reader.ReadBytes(copies[i], "damaged.prj");
        ASSERT_LT(largest.Bytes(), kLargestAllowedAllocation) << "case " << i;
        ASSERT_TRUE(read || reader.GetError().Find("Error: The project file \"damaged.prj\" could not be read: ") == 0)
            << "case " << i << ": " << reader.GetError();
        loaded += read ? 1 : 0;
    }
    // The reader itself shows nothing; its caller does.
    EXPECT_EQ(0u, boxes.Count());
    EXPECT_GT(loaded, 0);
    EXPECT_LT(loaded, static_cast<int>(copies.size()));
}

// The open command on truncated files: a message and a project that is not ready.
TEST_F(PrjMutation, TruncatedFilesAreReportedWhenOpened)
{
    const CString path = folder.File("damaged.prj");
    NewProjectDocument doc;
    MessageBoxRecorder boxes;
    for (size_t length = 0; length < original.size(); length += kDocumentTruncationStep) {
        boxes.Clear();
        WriteBinaryFile(path, original.substr(0, length));
        doc.SetProjectPath(path);
        doc.LoadProjectArchive(path);
        ASSERT_FALSE(doc.projectReady) << length;
        ASSERT_EQ(1u, boxes.Count()) << length;
        EXPECT_EQ(0, boxes.Last().text.Find(("Error: The project file \"" + std::string(path) + "\" could not be read: ").c_str()))
            << boxes.Last().text;
        EXPECT_EQ(static_cast<UINT>(MB_OK | MB_ICONERROR), boxes.Last().type);
    }
}

} // namespace

// Damaged copies of a valid project XML file: each one loads or is reported, none ends the program.
#include <gtest/gtest.h>

#include <cstdint>

#include "prx_test_support.h"
#include "support/message_box_recorder.h"

namespace {

using namespace PrxTest;

constexpr size_t kTruncationStep = 7;
constexpr int kByteChanges = 2500;
const char kReplacements[] = {'<', '>', '"', '/', '=', ' ', '&', ';', '!', '?', 'x', '0', '9', '-', '\0', '\xFF', '\xC3'};

std::vector<std::string> DamagedCopies(const std::string& original)
{
    std::vector<std::string> copies;
    for (size_t length = 0; length < original.size(); length += kTruncationStep)
        copies.push_back(original.substr(0, length));
    uint32_t state = 20240314u;
    auto next = [&state] {
        state = state * 1664525u + 1013904223u;
        return state >> 8;
    };
    for (int i = 0; i < kByteChanges; ++i) {
        std::string copy = original;
        const int changes = 1 + static_cast<int>(next() % 3);
        for (int k = 0; k < changes; ++k)
            copy[next() % copy.size()] = kReplacements[next() % sizeof kReplacements];
        copies.push_back(copy);
    }
    return copies;
}

TEST(PrxMutation, EveryDamagedCopyLoadsOrIsReported)
{
    const std::string original = ReadBinaryFile(FixturePath("plant.prx"));
    ASSERT_GT(original.size(), 1000u);
    TempFolder folder;
    const CString path = folder.File("damaged.prx");
    NewProjectDocument doc;
    MessageBoxRecorder boxes;
    const std::vector<std::string> copies = DamagedCopies(original);
    int loaded = 0;
    for (size_t i = 0; i < copies.size(); ++i) {
        boxes.Clear();
        WriteBinaryFile(path, copies[i]);
        doc.ReadProjectXml(path);
        ASSERT_TRUE(doc.projectReady || boxes.Count() > 0) << "case " << i;
        if (doc.projectReady && boxes.Count() == 0)
            ++loaded;
    }
    // Some changes leave a file that still loads.
    EXPECT_GT(loaded, 0);
    EXPECT_LT(loaded, static_cast<int>(copies.size()));
}

} // namespace

// Damaged base64 texts and documents: every case ends in a restored file or a
// reported failure, never a crash, a partly replaced file or a stray archive.
#include "corvel/project/embedded_files.h"

#include "corvel/project/kor_xml.h"
#include "support/com_apartment.h"
#include "support/embedded_test_support.h"
#include "support/largest_allocation.h"
#include "support/message_box_recorder.h"
#include "support/paths.h"
#include "support/zip_test_support.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using Korvane::Formats::CKorXml;
using Korvane::Formats::GetUploadFolder;
using Korvane::Formats::RestoreEmbeddedFile;
using Korvane::Formats::TrustedFolders;

constexpr int kRandomTextCases = 1500;
constexpr int kRandomDocumentCases = 800;
constexpr uint32_t kRandomSeed = 20240612;
constexpr size_t kAllocationLimit = 200000;

// A deterministic stream of numbers below a range.
class Random {
public:
    uint32_t Next(uint32_t range)
    {
        m_state = m_state * 1103515245u + 12345u;
        return (m_state >> 8) % range;
    }

private:
    uint32_t m_state = kRandomSeed;
};

std::string SeedFile()
{
    std::string bytes;
    for (int i = 0; i < 12; ++i)
        bytes += "<LN lnClass=\"GGIO\" inst=\"" + std::to_string(i) + "\"/>\n";
    return bytes;
}

class EmbeddedFilesMutation : public ComApartmentTest {
protected:
    void SetUp() override
    {
        RemoveFolderTree(GetUploadFolder());
        m_scl = m_folder.File("SCLFiles");
        ASSERT_TRUE(::CreateDirectoryA(m_scl, nullptr));
        m_target = m_scl + "\\a.icd";
    }
    void TearDown() override { RemoveFolderTree(GetUploadFolder()); }

    void ResetTarget()
    {
        ::SetFileAttributesA(m_target, FILE_ATTRIBUTE_NORMAL);
        WriteBinaryFile(m_target, "sentinel");
    }

    // Restores one damaged text and checks its outcome; true when the file came back.
    bool RestoreDamaged(const std::string& content, const std::string& original, const std::string& what)
    {
        ResetTarget();
        CString message;
        const bool restored = RestoreEmbeddedFile({"icd", m_target, "BASE64_ZIP", content.c_str()}, {m_scl}, &message);
        EXPECT_EQ(0u, m_boxes.Count()) << what;
        if (restored) {
            EXPECT_EQ(original, ReadBinaryFile(m_target)) << what;
            EXPECT_STREQ("", message) << what;
        } else {
            EXPECT_EQ("sentinel", ReadBinaryFile(m_target)) << what;
            EXPECT_STREQ("File '...\\SCLFiles\\a.icd' could not be created!", message) << what;
        }
        EXPECT_FALSE(PathExists(m_scl + "\\temp.zip")) << what;
        return restored;
    }

    TempFolder m_folder;
    MessageBoxRecorder m_boxes;
    CString m_scl;
    CString m_target;
};

TEST_F(EmbeddedFilesMutation, DamagedBase64TextsAreRestoredWholeOrReported)
{
    const std::string original = SeedFile();
    const std::string seed = FileElementContent(OneItemArchive(original));
    ASSERT_TRUE(RestoreDamaged(seed, original, "intact"));

    LargestAllocation allocation;
    int cases = 0;
    int restored = 0;
    for (size_t length = 0; length < seed.size(); ++length, ++cases)
        restored += RestoreDamaged(seed.substr(0, length), original, "cut to " + std::to_string(length));

    const char replacements[] = {'A', '=', '\xFF', '\n'};
    for (size_t offset = 0; offset < seed.size(); ++offset) {
        for (char replacement : replacements) {
            std::string text = seed;
            text[offset] = replacement;
            restored += RestoreDamaged(text, original, "char " + std::to_string(offset) + " = " +
                                                           std::to_string(static_cast<uint8_t>(replacement)));
            ++cases;
        }
    }

    Random random;
    for (int i = 0; i < kRandomTextCases; ++i, ++cases) {
        std::string text = seed;
        const uint32_t count = 1 + random.Next(6);
        for (uint32_t k = 0; k < count; ++k) {
            const size_t at = random.Next(static_cast<uint32_t>(text.size()));
            switch (random.Next(3)) {
            case 0:
                text[at] = static_cast<char>(random.Next(256));
                break;
            case 1:
                text.insert(at, 1, kBase64Alphabet[random.Next(64)]);
                break;
            default:
                text.erase(at, 1 + random.Next(8));
                break;
            }
        }
        restored += RestoreDamaged(text, original, "random case " + std::to_string(i));
    }

    EXPECT_GT(cases, 2500);
    // Out-of-alphabet characters are skipped and some header fields are not checked: some cases restore.
    EXPECT_GT(restored, 0);
    EXPECT_LT(restored, cases);
    EXPECT_LT(allocation.Bytes(), kAllocationLimit);
}

// Sets the current folder while it lives.
class CurrentFolder {
public:
    explicit CurrentFolder(const CString& folder)
    {
        char previous[MAX_PATH + 1] = {};
        ::GetCurrentDirectoryA(MAX_PATH, previous);
        m_previous = previous;
        ::SetCurrentDirectoryA(folder);
    }
    ~CurrentFolder() { ::SetCurrentDirectoryA(m_previous); }
    CurrentFolder(const CurrentFolder&) = delete;
    CurrentFolder& operator=(const CurrentFolder&) = delete;

private:
    CString m_previous;
};

TEST_F(EmbeddedFilesMutation, DamagedDocumentsEndInRestoredFilesOrAReport)
{
    // Names relative to the current folder keep the document the same from run
    // to run, so that the damage falls on the same parts of it.
    const CurrentFolder current(m_folder.Path());
    const CString second = m_scl + "\\b.cid";
    WriteBinaryFile(m_target, SeedFile());
    WriteBinaryFile(second, NoiseBytes(300, 3));
    const CString seedPath = m_folder.File("seed.xml");
    {
        CKorXml xml;
        ASSERT_TRUE(xml.Open(seedPath, false));
        xml.WriteStartTag("DeviceConfig");
        xml.WriteStartTag("Attachments");
        xml.WriteEmbeddedFile("SCLFiles\\a.icd");
        xml.WriteEmbeddedFile("SCLFiles\\b.cid");
    }
    const std::string seed = ReadBinaryFile(seedPath);
    ASSERT_EQ(0u, m_boxes.Count());

    const CString path = m_folder.File("damaged.xml");
    int cases = 0;
    int reported = 0;
    auto extract = [&](const std::string& document, const std::string& what) {
        ::SetFileAttributesA(m_target, FILE_ATTRIBUTE_NORMAL);
        ::SetFileAttributesA(second, FILE_ATTRIBUTE_NORMAL);
        m_boxes.Clear();
        WriteBinaryFile(path, document);
        CKorXml xml;
        ASSERT_TRUE(xml.Open(path, true)) << what;
        xml.ExtractEmbeddedFiles({"SCLFiles"});
        const std::vector<CString>& messages = xml.GetResultMessages();
        EXPECT_EQ(0u, m_boxes.Count()) << what;
        if (messages.empty()) {
            EXPECT_STREQ("", xml.GetResultText()) << what;
        } else {
            ++reported;
            EXPECT_STREQ(messages.back(), xml.GetResultText()) << what;
            EXPECT_LE(messages.size(), 3u) << what;
        }
        EXPECT_FALSE(PathExists(m_scl + "\\temp.zip")) << what;
        EXPECT_FALSE(PathExists(GetUploadFolder() + "\\temp.zip")) << what;
        ++cases;
    };

    ASSERT_NE(std::string::npos, seed.find("Name=\"SCLFiles\\a.icd\""));
    ::DeleteFileA(m_target);
    extract(seed, "intact");
    ASSERT_EQ(0, reported);
    ASSERT_EQ(SeedFile(), ReadBinaryFile(m_target));
    // Wine's own reader aborts on some documents that end inside or right after
    // the XML declaration, before any of this code runs: damage starts after it.
    const size_t body = seed.find("?>") + 3;
    ASSERT_LT(body, 100u);
    extract(std::string(), "empty");
    for (size_t length = body; length < seed.size(); ++length)
        extract(seed.substr(0, length), "cut to " + std::to_string(length));
    Random random;
    for (int i = 0; i < kRandomDocumentCases; ++i) {
        std::string document = seed;
        const uint32_t count = 1 + random.Next(4);
        for (uint32_t k = 0; k < count; ++k)
            document[body + random.Next(static_cast<uint32_t>(document.size() - body))] =
                static_cast<char>(random.Next(256));
        extract(document, "random case " + std::to_string(i));
    }
    EXPECT_GT(cases, 1000);
    EXPECT_GT(reported, 0);
    EXPECT_LT(reported, cases);
}

} // namespace

// The configuration in frames: download with its answers and refusals, upload into "current-ADDRESS.xml", frames of
// a wrong length, and a mutation run of the module's frames against the client.
#include "monitor_test_support.h"

#include "corvel/project/file_crc.h"
#include "support/paths.h"
#include "support/stopwatch.h"
#include "support/temp_folder.h"

#include <random>

namespace {

const char kSaveRequest[] = "trn=saveconfig&configfile=current.xml&CRC16=";
const char kReadRequest[] = "trn=readconfig&configfile=current.xml";

std::string Content(size_t size)
{
    std::string content;
    content.reserve(size);
    unsigned state = static_cast<unsigned>(size) * 2654435761u + 7u;
    while (content.size() < size) {
        state = state * 1103515245u + 12345u;
        content += static_cast<char>(state >> 16);
    }
    return content;
}

std::string Crc16Text(const std::string& content)
{
    char text[8];
    snprintf(text, sizeof text, "%04X", UpdateCrc16(0, content.data(), content.size()));
    return text;
}

// A configuration document of about size bytes.
std::string ConfigDocument(size_t size)
{
    std::string document = "<?xml version=\"1.0\"?>\r\n<DeviceConfig>\r\n";
    for (int i = 0; document.size() + 40 < size; ++i)
        document += "  <Item n=\"" + std::to_string(i) + "\"/>\r\n";
    document += "</DeviceConfig>\r\n";
    return document;
}

class ConfigTransfer : public MonitorClientTest {
protected:
    void SetUp() override
    {
        MonitorClientTest::SetUp();
        if (!HasFatalFailure()) {
            ASSERT_EQ(1, client.IsReachable(ModuleAddress()));
        }
    }

    CString Local(const std::string& content)
    {
        const CString path = folder.File("download.xml");
        WriteBinaryFile(path, content);
        return path;
    }
    // The received configuration's file in the working folder.
    CString UploadedPath() const { return "current-" + client.GetAddress() + ".xml"; }

    TempFolder folder;
};

TEST_F(ConfigTransfer, DownloadSendsTheRequestTheDataFramesAndTheLastFrame)
{
    for (size_t size : {size_t{4096}, size_t{0}, size_t{9000}}) {
        Simulator().Reset();
        const std::string content = Content(size);
        const unsigned crc = UpdateCrc16(0, content.data(), content.size());
        EXPECT_EQ(0, client.DownloadConfig(crc, Local(content))) << size;
        std::string expected = kSaveRequest + Crc16Text(content);
        for (size_t at = 0; at < size; at += kMaxFrameBodyBytes) {
            const std::string piece = content.substr(at, kMaxFrameBodyBytes);
            expected += FrameBytes(kFrameFileData, 0, piece);
        }
        expected += FrameBytes(kFrameFileData, kFrameLast, "");
        const std::vector<std::string> connections = Connections();
        ASSERT_EQ(1u, connections.size()) << size;
        EXPECT_TRUE(connections[0] == expected) << size;
        EXPECT_EQ(content, Simulator().Config("current.xml")) << size;
    }
    // 4096 bytes: one frame of length 4104 (08 10), then the header-only last frame.
    const std::string frames = FrameBytes(kFrameFileData, 0, std::string(4096, 'x')) + FrameBytes(kFrameFileData, 1, "");
    EXPECT_EQ(std::string("\xfe\xda\x08\x10\x02\x00\x00\x00", 8), frames.substr(0, 8));
    EXPECT_EQ(std::string("\xfe\xda\x08\x00\x02\x00\x01\x00", 8), frames.substr(4104));
    EXPECT_EQ(0u, boxes.Count());
}

TEST_F(ConfigTransfer, ARefusalGivesExactlyItsReasonAndStopsTheDownload)
{
    // A long upload first leaves the client's frame full of other bytes.
    Simulator().SetConfig("current.xml", ConfigDocument(4096 * 2));
    DomDocumentPtr document;
    ASSERT_EQ(0, client.UploadConfig(document));
    Simulator().SetRefusal("No room");
    const std::string content = Content(6000);
    const unsigned crc = UpdateCrc16(0, content.data(), content.size());
    const struct {
        const char* mode;
        unsigned crc;
        const char* reason;
        size_t frames; // frames after the request
    } cases[] = {{"refuse-request", crc, "No room", 0},
                 {"refuse-data", crc, "No room", 1},
                 {"refuse-final", crc, "No room", 3},
                 {"none", crc ^ 1, "CRC16 mismatch", 3}};
    for (const auto& c : cases) {
        Simulator().Fail("download", c.mode);
        boxes.Clear();
        EXPECT_EQ(-1000, client.DownloadConfig(c.crc, Local(content))) << c.mode;
        EXPECT_EQ(0u, boxes.Count()) << c.mode;
        EXPECT_EQ(c.reason, client.GetRefusal()) << c.mode;
        EXPECT_EQ(c.reason, client.GetFailureText()) << c.mode;
        const std::string sent = Connections().back();
        EXPECT_EQ(c.frames, Count(sent, "\xfe\xda")) << c.mode;
    }
    EXPECT_EQ(ConfigDocument(4096 * 2), Simulator().Config("current.xml"));
}

TEST_F(ConfigTransfer, ADownloadWithoutTheLastAnswerFails)
{
    ScopedReplyLimit limit(500);
    Simulator().Fail("download", "nofinal");
    const std::string content = Content(5000);
    EXPECT_EQ(-1000, client.DownloadConfig(UpdateCrc16(0, content.data(), content.size()), Local(content)));
    EXPECT_EQ(0u, boxes.Count());
    // The earlier answers are not taken for the last one, nor the next download's.
    Simulator().Fail("download", "none");
    EXPECT_EQ(0, client.DownloadConfig(UpdateCrc16(0, content.data(), content.size()), Local(content)));
    EXPECT_EQ(-1000, client.DownloadConfig(0, folder.File("missing.xml")));
}

TEST_F(ConfigTransfer, UploadWritesTheFileOfTheFramesAndReturnsTheDocument)
{
    // A begin frame, three full data frames and a last, shorter one.
    const std::string config = ConfigDocument(3 * 4096 + 700);
    Simulator().SetConfig("current.xml", config);
    const struct {
        int frameBytes;
        int pieces; // the stream arrives in this many parts
    } cases[] = {{4096, 1}, {4096, 7}, {300, 1}};
    for (const auto& c : cases) {
        Simulator().SetFrameBytes(c.frameBytes);
        Simulator().SetTrickle(c.pieces, 0.05);
        ::DeleteFileA(UploadedPath());
        DomDocumentPtr document;
        EXPECT_EQ(0, client.UploadConfig(document)) << c.frameBytes << " " << c.pieces;
        EXPECT_EQ(config, ReadBinaryFile(UploadedPath())) << c.frameBytes << " " << c.pieces;
        EXPECT_EQ(static_cast<long>(Count(config, "<Item")), NodeListLength(SelectNodes(document, "DeviceConfig/Item")));
    }
    EXPECT_NE(std::string::npos, AllTextBytes().find(kReadRequest));
}

// A configuration that cannot be written fails at once and says where.
TEST_F(ConfigTransfer, AFileThatCannotBeWrittenFailsTheUpload)
{
    ::DeleteFileA(UploadedPath());
    ASSERT_TRUE(::CreateDirectoryA(UploadedPath(), nullptr));
    DomDocumentPtr document;
    Stopwatch watch;
    EXPECT_EQ(-1000, client.UploadConfig(document));
    EXPECT_LT(watch.ElapsedMs(), kLoadSlackMs);
    EXPECT_EQ("the configuration from the module at " + client.GetAddress() + " cannot be written to " + UploadedPath(),
              client.GetFailureText());
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(UploadedPath() + ".part"));
    ::RemoveDirectoryA(UploadedPath());
}

TEST_F(ConfigTransfer, FramesOfAWrongLengthDropTheConnectionAtOnce)
{
    // The default limit: the failure must not wait for it.
    for (int length : {0, 7, 4105, 0xFFFF}) {
        Simulator().SetTcpReply(kReadRequest, FrameBytes(kFrameBeginFile, 0, "") +
                                                  FrameBytes(kFrameFileData, 1, "<DeviceConfig/>", length) +
                                                  std::string(5000, 'A'));
        const size_t before = Connections().size();
        DomDocumentPtr document;
        Stopwatch watch;
        EXPECT_EQ(-1000, client.UploadConfig(document)) << length;
        EXPECT_LT(watch.ElapsedMs(), kLoadSlackMs) << length;
        // The next request opens a new connection.
        EXPECT_EQ(1, client.IsReachable(nullptr)) << length;
        EXPECT_EQ(before + 1, Connections().size()) << length;
    }
    // An upload of frames longer than a body may be.
    Simulator().Reset();
    Simulator().SetConfig("current.xml", ConfigDocument(12000));
    Simulator().SetFrameBytes(5000);
    DomDocumentPtr document;
    EXPECT_EQ(-1000, client.UploadConfig(document));
}

// Mutations of a good upload and of a good download answer: every run ends, fast, with 0 or -1000.
TEST_F(ConfigTransfer, MutatedFramesNeverCrashOrHang)
{
    ScopedReplyLimit limit(150);
    const std::string body = ConfigDocument(2500);
    const std::string upload = FrameBytes(kFrameBeginFile, 0, "") + FrameBytes(kFrameFileData, 0, body.substr(0, 1200)) +
                               FrameBytes(kFrameFileData, kFrameLast, body.substr(1200));
    const std::string content = "<DeviceConfig/>";
    const std::string save = kSaveRequest + Crc16Text(content);
    const std::string answer = FrameBytes(kFrameFileData, 0, "");
    std::mt19937 random(29);
    Stopwatch total;
    for (int run = 0; run < 48; ++run) {
        const bool isUpload = run % 2 == 0;
        std::string bytes = isUpload ? upload : answer + FrameBytes(kFrameFileData, 1, "refused");
        switch (run % 6) {
        case 0:
        case 1: // a few bytes changed in the headers
            for (int k = 0; k < 3; ++k)
                bytes[random() % std::min<size_t>(bytes.size(), 24)] = static_cast<char>(random());
            break;
        case 2:
        case 3: // cut short
            bytes.resize(random() % bytes.size());
            break;
        default: // a random length field, and garbage after it
            bytes[2] = static_cast<char>(random());
            bytes[3] = static_cast<char>(random());
            bytes += std::string(random() % 64, static_cast<char>(random()));
            break;
        }
        Simulator().SetTcpReply(isUpload ? kReadRequest : save, bytes);
        Stopwatch watch;
        int result;
        if (isUpload) {
            DomDocumentPtr document;
            result = client.UploadConfig(document);
        } else {
            result = client.DownloadConfig(UpdateCrc16(0, content.data(), content.size()), Local(content));
        }
        EXPECT_TRUE(result == 0 || result == -1000) << run;
        EXPECT_LT(watch.ElapsedMs(), kLoadSlackMs) << run;
        client.IsReachable(nullptr);
    }
    EXPECT_LT(total.ElapsedMs(), 30000u + 10 * kLoadSlackMs);
    Simulator().Reset();
    EXPECT_EQ(1, client.IsReachable(nullptr));
}

} // namespace

// Ostrel's client against a hostile module: replies without end, a trickle, junk, error replies and frames without
// their magic each fail soon, in bounded memory, with a text that says what came; a failed upload keeps the file
// there was; a download ends at the first frame the module does not answer.
#include "monitor_test_support.h"

#include "corvel/project/file_crc.h"
#include "support/paths.h"
#include "support/stopwatch.h"
#include "support/temp_folder.h"

#include <psapi.h>

#include <functional>

namespace {

constexpr DWORD kSilenceMs = 1000;
constexpr DWORD kDeadlineMs = 2000;
const char kKeptConfig[] = "<?xml version=\"1.0\"?>\r\n<DeviceConfig>kept</DeviceConfig>\r\n";

SIZE_T PeakMemory()
{
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    ::K32GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof counters);
    return counters.PeakPagefileUsage;
}

class HostileModule : public MonitorClientTest {
protected:
    void SetUp() override
    {
        MonitorClientTest::SetUp();
        if (!HasFatalFailure()) {
            ASSERT_EQ(1, client.IsReachable(ModuleAddress()));
        }
    }
    CString Kept() const { return "current-" + client.GetAddress() + ".xml"; }
    std::string Address() const { return std::string(client.GetAddress()); }

    ScopedReplyLimit silence{kSilenceMs};
    ScopedRequestDeadline deadline{kDeadlineMs};
};

struct Operation {
    const char* name;
    std::function<bool(CDiagnosticTcpClient&)> succeeds;
};

const Operation kReachable = {"reachable", [](CDiagnosticTcpClient& c) { return c.IsReachable(nullptr) == 1; }};
const Operation kDrivers = {"drivers", [](CDiagnosticTcpClient& c) {
                                DomDocumentPtr d;
                                return c.GetRunningDrivers(d) == 0;
                            }};
const Operation kEventLog = {"eventlog", [](CDiagnosticTcpClient& c) {
                                 DomDocumentPtr d;
                                 return c.GetEventLogCache(d) == 0;
                             }};
const Operation kGet = {"get", [](CDiagnosticTcpClient& c) {
                            DomDocumentPtr d;
                            return c.GetTagValue("Feeder1_Mode", d) == 0;
                        }};
const Operation kValues = {"values", [](CDiagnosticTcpClient& c) {
                               DomDocumentPtr d;
                               return c.GetTagsValue(1, "&tag0=Feeder1_Mode", d) == 0;
                           }};
const Operation kSet = {"set", [](CDiagnosticTcpClient& c) { return c.SetTagValue("Feeder1_Mode", "3") == 0; }};
const Operation kUpload = {"upload", [](CDiagnosticTcpClient& c) {
                               DomDocumentPtr d;
                               return c.UploadConfig(d) == 0;
                           }};

TEST_F(HostileModule, EveryRequestFailsSoonWithWhatCame)
{
    const std::string at = "the module at " + Address();
    const std::string replyOf = "the reply of the module at " + Address();
    const std::string deadlineText = at + " did not end its reply within 2 s";
    const struct {
        const char* mode;
        Operation operation;
        // The failure text begins with one of these.
        std::vector<std::string> texts;
    } cases[] = {
        // An endless reply ends at its size limit, or at the deadline on a machine too slow to reach it.
        {"endless", kValues, {replyOf + " passed 8388608 bytes", deadlineText}},
        {"endless", kEventLog, {replyOf + " passed 8388608 bytes", deadlineText}},
        {"endless", kUpload, {"the configuration from the module at " + Address() + " passed 67108864 bytes", deadlineText}},
        {"trickle", kValues, {deadlineText}},
        {"trickle", kUpload, {deadlineText}},
        {"junk", kReachable, {at + " answered with something that is not XML: \\x"}},
        {"junk", kValues, {at + " answered with something that is not XML: \\x"}},
        {"junk", kUpload, {at + " sent a frame without its magic: \\x"}},
        {"error", kDrivers, {at + " answered <error>request failed</error>"}},
        {"error", kEventLog, {at + " answered <error>request failed</error>"}},
        {"error", kGet, {at + " answered <error>request failed</error>"}},
        {"error", kValues, {at + " answered <error>request failed</error>"}},
        {"error", kSet, {at + " refused the value: <settagvalue result=\"ERROR\"/>"}},
        {"error", kUpload, {at + " sent a frame without its magic: <?xml ve"}},
        {"nomagic", kUpload, {at + " sent a frame without its magic: \\x00\\x00\\x08\\x00\\x01\\x00\\x00\\x00"}},
        {"close", kValues, {replyOf + " stopped after "}},
    };
    const SIZE_T peakBefore = PeakMemory();
    for (const auto& c : cases) {
        const std::string name = std::string(c.mode) + " " + c.operation.name;
        WriteBinaryFile(Kept(), kKeptConfig);
        Simulator().Fail("tcp", c.mode);
        Stopwatch watch;
        EXPECT_FALSE(c.operation.succeeds(client)) << name;
        EXPECT_LT(watch.ElapsedMs(), kDeadlineMs + kLoadSlackMs) << name;
        const std::string text(client.GetFailureText());
        bool known = false;
        for (const std::string& start : c.texts)
            known = known || text.compare(0, start.size(), start) == 0;
        EXPECT_TRUE(known) << name << ": " << text;
        EXPECT_EQ(kKeptConfig, ReadBinaryFile(Kept())) << name;
        EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(Kept() + ".part")) << name;
        // The client is fit for the next request.
        Simulator().Fail("tcp", "none");
        EXPECT_EQ(1, client.IsReachable(nullptr)) << name;
    }
    // Nothing endless was held: the largest reply stays within its limit.
    EXPECT_LT(PeakMemory() - std::min(peakBefore, PeakMemory()), SIZE_T{48} << 20);
}

// Frames that are not the file's: wrong lengths, data before the begin, a file that is no configuration.
TEST_F(HostileModule, ABrokenUploadKeepsTheFileThereWas)
{
    const std::string config = "<DeviceConfig>" + std::string(6000, ' ') + "</DeviceConfig>";
    const struct {
        const char* name;
        std::string frames;
        std::string text;
    } cases[] = {
        {"cut", FrameBytes(kFrameBeginFile, 0, "") + FrameBytes(kFrameFileData, 0, config.substr(0, 4000)), " stopped after 4000 bytes"},
        {"too long", FrameBytes(kFrameBeginFile, 0, "") + FrameBytes(kFrameFileData, 1, "<DeviceConfig/>", 5000), " sent a frame of 5000 bytes"},
        {"no begin", FrameBytes(kFrameFileData, 1, "<DeviceConfig/>"), " sent file data before the file began"},
        {"not XML", FrameBytes(kFrameBeginFile, 0, "") + FrameBytes(kFrameFileData, 1, "<DeviceConfig>"), " is no DeviceConfig document"},
        {"other root", FrameBytes(kFrameBeginFile, 0, "") + FrameBytes(kFrameFileData, 1, "<error/>"), " is no DeviceConfig document"},
    };
    for (const auto& c : cases) {
        WriteBinaryFile(Kept(), kKeptConfig);
        Simulator().SetTcpReply("trn=readconfig&configfile=current.xml", c.frames);
        DomDocumentPtr document;
        EXPECT_EQ(-1000, client.UploadConfig(document)) << c.name;
        EXPECT_FALSE(document) << c.name;
        EXPECT_NE(-1, client.GetFailureText().Find(c.text.c_str())) << c.name << ": " << (LPCSTR)client.GetFailureText();
        EXPECT_EQ(kKeptConfig, ReadBinaryFile(Kept())) << c.name;
        EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(Kept() + ".part")) << c.name;
    }
    // A whole one replaces it.
    Simulator().Reset();
    Simulator().SetConfig("current.xml", config);
    DomDocumentPtr document;
    EXPECT_EQ(0, client.UploadConfig(document));
    EXPECT_EQ(config, ReadBinaryFile(Kept()));
}

TEST_F(HostileModule, ADownloadEndsAtTheFirstFrameWithoutAnswerOrWithAWrongOne)
{
    TempFolder folder;
    const std::string content(3 * 4096 + 10, 'x');
    const CString path = folder.File("download.xml");
    WriteBinaryFile(path, content);
    const unsigned crc = UpdateCrc16(0, content.data(), content.size());

    Simulator().Fail("download", "nodata");
    Stopwatch watch;
    EXPECT_EQ(-1000, client.DownloadConfig(crc, path));
    EXPECT_LT(watch.ElapsedMs(), kSilenceMs + kLoadSlackMs);
    EXPECT_EQ("no answer from the module at " + client.GetAddress(), client.GetFailureText());
    EXPECT_EQ(1u, Count(Connections().back(), "\xfe\xda")) << "no frame after the unanswered one";

    // An answer of another type, or without the magic, is no acceptance.
    Simulator().Reset();
    char request[80];
    snprintf(request, sizeof request, "trn=saveconfig&configfile=current.xml&CRC16=%04X", crc);
    Simulator().SetTcpReply(request, FrameBytes(kFrameBeginFile, 0, ""));
    EXPECT_EQ(-1000, client.DownloadConfig(crc, path));
    EXPECT_EQ("the module at " + client.GetAddress() + " answered with a frame of type 1", client.GetFailureText());
    Simulator().Reset();
    Simulator().Fail("tcp", "nomagic");
    EXPECT_EQ(-1000, client.DownloadConfig(crc, path));
    EXPECT_EQ(0, client.GetFailureText().Find("the module at " + client.GetAddress() + " sent a frame without its magic"));
    EXPECT_EQ(0u, boxes.Count());
}

} // namespace

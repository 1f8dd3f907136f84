// The simulator's control needs Windows Sockets 2 before windows.h.
#include <winsock2.h>

#include "corvel/gateway/module_web_client.h"
#include "corvel/project/file_crc.h"

#include "corvel/gateway/module_limits.h"

#include <gtest/gtest.h>

#include "support/module_simulator.h"
#include "support/paths.h"
#include "support/stopwatch.h"

#include <string>

namespace {

const char kReadConfigError[] = "Error: Please install Jumper and Reboot the module";

// One HTTP request as the simulator received it.
struct HttpRequest {
    std::string requestLine;
    std::vector<std::string> headers;
    std::string body;

    explicit HttpRequest(const std::string& bytes)
    {
        const size_t end = bytes.find("\r\n\r\n");
        const std::string head = bytes.substr(0, end);
        body = end == std::string::npos ? std::string() : bytes.substr(end + 4);
        size_t start = 0;
        for (;;) {
            const size_t line = head.find("\r\n", start);
            const std::string text = head.substr(start, line == std::string::npos ? std::string::npos : line - start);
            if (requestLine.empty())
                requestLine = text;
            else
                headers.push_back(text);
            if (line == std::string::npos)
                break;
            start = line + 2;
        }
    }
    // The value of the header named name ("" when absent); counts of the name in count.
    std::string Header(const std::string& name, int* count = nullptr) const
    {
        std::string value;
        int found = 0;
        for (const std::string& header : headers) {
            if (_strnicmp(header.c_str(), (name + ":").c_str(), name.size() + 1) == 0) {
                value = header.substr(name.size() + 1);
                value.erase(0, value.find_first_not_of(' '));
                ++found;
            }
        }
        if (count)
            *count = found;
        return value;
    }
};

// Records the send limit of every request.
class LimitRecordingClient : public CModuleWebClient {
public:
    std::vector<DWORD> limits;

protected:
    bool SendRequestWithTimeout(ScopedInternetHandle& request, SendKind kind, DWORD limitMs) override
    {
        limits.push_back(limitMs);
        return CModuleWebClient::SendRequestWithTimeout(request, kind, limitMs);
    }
};

class ModuleWebClientTest : public ModuleSimulatorTest {
protected:
    void SetUp() override
    {
        ModuleSimulatorTest::SetUp();
        if (!HasFatalFailure())
            m_client.SetHost(ModuleAddress());
    }

    std::vector<HttpRequest> WebRequests()
    {
        std::vector<HttpRequest> requests;
        for (const std::string& bytes : Simulator().Requests("http"))
            requests.emplace_back(bytes);
        return requests;
    }

    CString WriteLocalFile(const char* name, const std::string& bytes)
    {
        const CString path = m_temp.Path() + "\\" + name;
        WriteBinaryFile(path, bytes);
        return path;
    }

    TempFolder m_temp;
    LimitRecordingClient m_client;
};

TEST(Crc16, CheckValues)
{
    TempFolder temp;
    const struct {
        std::string content;
        unsigned crc;
    } cases[] = {
        {"123456789", 0xBB3D},
        {"", 0x0000},
        {"A", 0x30C0},
        {std::string(1, '\0'), 0x0000},
    };
    int index = 0;
    for (const auto& c : cases) {
        const CString path = temp.Path() + "\\crc" + std::to_string(index++).c_str();
        WriteBinaryFile(path, c.content);
        EXPECT_EQ(c.crc, ComputeFileCrc16(path)) << c.content;
        EXPECT_EQ(c.crc, UpdateCrc16(0, c.content.data(), c.content.size())) << c.content;
    }
    std::string all;
    for (int i = 0; i < 256; ++i)
        all += static_cast<char>(i);
    EXPECT_EQ(0xBAD3u, UpdateCrc16(0, all.data(), all.size()));
    EXPECT_EQ(0xBAD3u, UpdateCrc16(UpdateCrc16(0, all.data(), 100), all.data() + 100, 156)) << "in pieces";
    EXPECT_EQ(0xFFFFu, ComputeFileCrc16(temp.Path() + "\\missing.xml"));
}

TEST_F(ModuleWebClientTest, SaveFilePostsTheFileWithItsCrc)
{
    const CString path = WriteLocalFile("Current.xml", "123456789");
    ASSERT_TRUE(m_client.SaveFile(path, "current.xml")) << (LPCSTR)m_client.GetLastErrorText();
    EXPECT_STREQ("", m_client.GetLastErrorText());

    const std::vector<HttpRequest> requests = WebRequests();
    ASSERT_EQ(1u, requests.size());
    const HttpRequest& post = requests[0];
    EXPECT_EQ("POST /services/nph-ws?trn=saveconfig&configfile=current.xml&CRC16=BB3D HTTP/1.1", post.requestLine);
    EXPECT_EQ("InetURL/1.0", post.Header("User-Agent"));
    int lengths = 0;
    EXPECT_EQ("9", post.Header("Content-Length", &lengths));
    EXPECT_EQ(1, lengths);
    EXPECT_EQ("123456789", post.body);
    EXPECT_EQ("123456789", Simulator().Config("current.xml"));
}

TEST_F(ModuleWebClientTest, SaveFileSendsEveryByteOfALargerFile)
{
    std::string content;
    for (int i = 0; i < 70000; ++i)
        content += static_cast<char>((i * 7919) >> 3);
    const CString path = WriteLocalFile("big.xml", content);
    ASSERT_TRUE(m_client.SaveFile(path, "big.xml")) << (LPCSTR)m_client.GetLastErrorText();
    const std::vector<HttpRequest> requests = WebRequests();
    ASSERT_EQ(1u, requests.size());
    EXPECT_EQ("70000", requests[0].Header("Content-Length"));
    EXPECT_TRUE(requests[0].body == content);
    CString crc;
    crc.Format("CRC16=%04X ", UpdateCrc16(0, content.data(), content.size()));
    EXPECT_NE(std::string::npos, requests[0].requestLine.find((LPCSTR)crc)) << requests[0].requestLine;
}

TEST_F(ModuleWebClientTest, EmptyFileIsPostedWithoutBody)
{
    const CString path = WriteLocalFile("empty.xml", "");
    ASSERT_TRUE(m_client.SaveFile(path, "current.xml")) << (LPCSTR)m_client.GetLastErrorText();
    const std::vector<HttpRequest> requests = WebRequests();
    ASSERT_EQ(1u, requests.size());
    EXPECT_EQ("POST /services/nph-ws?trn=saveconfig&configfile=current.xml&CRC16=0000 HTTP/1.1",
              requests[0].requestLine);
    EXPECT_EQ("0", requests[0].Header("Content-Length"));
    EXPECT_TRUE(requests[0].body.empty());
}

TEST_F(ModuleWebClientTest, SaveFileFailures)
{
    const CString path = WriteLocalFile("Current.xml", "<DeviceConfig/>");
    for (const char* mode : {"404", "500", "crc"}) {
        Simulator().Fail("http", mode);
        EXPECT_FALSE(m_client.SaveFile(path, "current.xml")) << mode;
        EXPECT_EQ(0, m_client.GetLastErrorText().Find("HttpQueryInfo() failed, error = ")) << mode << ": "
                                                                                              << (LPCSTR)m_client.GetLastErrorText();
    }
    EXPECT_EQ(3u, WebRequests().size());

    Simulator().Fail("http", "none");
    EXPECT_FALSE(m_client.SaveFile(m_temp.Path() + "\\missing.xml", "current.xml"));
    EXPECT_STREQ("saveFile: CreateFile() Failed", m_client.GetLastErrorText());
    EXPECT_EQ(3u, WebRequests().size()) << "nothing posted";

    Simulator().Fail("http", "refuse");
    EXPECT_FALSE(m_client.SaveFile(path, "current.xml"));
    EXPECT_EQ(0, m_client.GetLastErrorText().Find("saveFile: Error in HttpSendRequest() "))
        << (LPCSTR)m_client.GetLastErrorText();
}

TEST_F(ModuleWebClientTest, ReadConfigStoresTheBody)
{
    std::string config = "<?xml version=\"1.0\"?>\r\n<DeviceConfig>";
    for (int i = 0; i < 300; ++i)
        config += "<Tag name=\"T" + std::to_string(i) + "\"/>\r\n";
    config += std::string("</DeviceConfig>\0\x01\xff", 18);
    Simulator().SetConfig("current.xml", config);
    const CString path = m_temp.Path() + "\\Current.cfg";
    EXPECT_STREQ("", m_client.ReadConfig(path));
    EXPECT_TRUE(ReadBinaryFile(path) == config);

    const std::vector<HttpRequest> requests = WebRequests();
    ASSERT_EQ(1u, requests.size());
    EXPECT_EQ("GET /services/nph-ws?trn=readconfig&configfile=current.xml HTTP/1.1", requests[0].requestLine);
    EXPECT_EQ("InetURL/1.0", requests[0].Header("User-Agent"));
}

// An error page or a cut reply never becomes the configuration: none is made, and the one there stays as it was.
TEST_F(ModuleWebClientTest, FailedReadConfigKeepsTheFile)
{
    const CString path = m_temp.Path() + "\\Current.cfg";
    const std::string address(ModuleAddress());
    const struct {
        const char* mode;
        std::string error;
    } cases[] = {
        {"404", kReadConfigError},
        {"500", kReadConfigError},
        {"close", "Error: the reply of the module at " + address + " ended after "},
        {"refuse", "Error: no answer from the module at " + address},
    };
    for (const auto& c : cases) {
        Simulator().Fail("http", c.mode);
        ::DeleteFileA(path);
        EXPECT_EQ(0, m_client.ReadConfig(path).Find(c.error.c_str())) << c.mode;
        EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(path)) << c.mode;
        WriteBinaryFile(path, "<DeviceConfig>kept</DeviceConfig>");
        EXPECT_EQ(0, m_client.ReadConfig(path).Find(c.error.c_str())) << c.mode;
        EXPECT_EQ("<DeviceConfig>kept</DeviceConfig>", ReadBinaryFile(path)) << c.mode;
        EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(path + ".part")) << c.mode;
    }
}

// A hostile module's reply is never a configuration nor a success: each fails soon with what came, and the file
// there was stays as it was.
TEST_F(ModuleWebClientTest, AHostileReplyFailsEveryRequestAndKeepsTheFile)
{
    const DWORD kLimitMs = 2000;
    m_client.SetTimeout(kLimitMs);
    const std::string address(ModuleAddress());
    const std::string reply = "Error: the reply of the module at " + address;
    const std::string noStatus = reply + " has no status line: ";
    const std::string late = "Error: the module at " + address + " did not end its reply within 2 s";
    // Whether text begins with one of the "|"-separated starts.
    const auto begins = [](const CString& text, const std::string& starts) {
        for (size_t from = 0;;) {
            const size_t bar = starts.find('|', from);
            if (text.Find(starts.substr(from, bar == std::string::npos ? bar : bar - from).c_str()) == 0)
                return true;
            if (bar == std::string::npos)
                return false;
            from = bar + 1;
        }
    };
    const struct {
        const char* mode;
        std::string readError;
        std::string getError; // of the connection test, the reboot and the upload; empty: the same
    } cases[] = {
        {"junk", noStatus + "\\xF8\\xD0", ""},
        {"nostatus", noStatus + "Content-Length: ", ""},
        {"length", reply + " ended after ", ""},
        {"endless", reply + " passed 67108864 bytes|" + late, reply + " passed 8388608 bytes|" + late},
        {"trickle", "Error: the module at " + address + " did not end its reply within 2 s", ""},
        {"chunked-empty", "Error: the module at " + address + " sent an empty configuration", "-"},
        {"chunked-bad", "Error: the module at " + address + " sent an empty configuration", "-"},
    };
    const CString path = m_temp.Path() + "\\Current.cfg";
    const CString upload = WriteLocalFile("Current.xml", "<DeviceConfig/>");
    const std::string kept = "<DeviceConfig>kept</DeviceConfig>";
    for (const auto& c : cases) {
        Simulator().Fail("http", c.mode);
        WriteBinaryFile(path, kept);
        Stopwatch watch;
        const CString readError = m_client.ReadConfig(path);
        EXPECT_TRUE(begins(readError, c.readError)) << c.mode << ": " << (LPCSTR)readError;
        EXPECT_LT(watch.ElapsedMs(), 2 * (kLimitMs + 2500)) << c.mode;
        EXPECT_EQ(kept, ReadBinaryFile(path)) << c.mode;
        EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(path + ".part")) << c.mode;
        // Where the body is not read as a configuration, an empty one is no fault.
        if (c.getError == "-")
            continue;
        const std::string getError = c.getError.empty() ? c.readError : c.getError;
        EXPECT_FALSE(m_client.TestConnection(0)) << c.mode;
        EXPECT_TRUE(begins(m_client.GetLastErrorText(), getError)) << c.mode << ": " << (LPCSTR)m_client.GetLastErrorText();
        EXPECT_FALSE(m_client.Shutdown()) << c.mode;
        EXPECT_TRUE(begins(m_client.GetLastErrorText(), getError)) << c.mode << ": " << (LPCSTR)m_client.GetLastErrorText();
        EXPECT_FALSE(m_client.SaveFile(upload, "current.xml")) << c.mode;
        EXPECT_TRUE(begins(m_client.GetLastErrorText(), getError)) << c.mode << ": " << (LPCSTR)m_client.GetLastErrorText();
    }
}

TEST_F(ModuleWebClientTest, GetRequests)
{
    EXPECT_TRUE(m_client.TestConnection(5000));
    EXPECT_TRUE(m_client.InitSaveConfig(5000));
    EXPECT_TRUE(m_client.Get("/services/nph-ws?trn=testconnection&extra=1", 5000));
    EXPECT_FALSE(m_client.Get("/elsewhere", 5000)) << "status 404";
    const std::vector<HttpRequest> requests = WebRequests();
    ASSERT_EQ(4u, requests.size());
    EXPECT_EQ("GET /services/nph-ws?trn=testconnection HTTP/1.1", requests[0].requestLine);
    EXPECT_EQ("InetURL/1.0", requests[0].Header("User-Agent"));
    EXPECT_EQ("GET /services/nph-ws?trn=initsaveconfig HTTP/1.1", requests[1].requestLine);

    for (const char* mode : {"404", "500", "refuse"}) {
        Simulator().Fail("http", mode);
        EXPECT_FALSE(m_client.TestConnection(5000)) << mode;
        EXPECT_FALSE(m_client.InitSaveConfig(5000)) << mode;
    }
}

TEST_F(ModuleWebClientTest, WaitsBecomeSendLimits)
{
    const struct {
        DWORD timeout;
        int wait;
        DWORD limit;
    } cases[] = {
        {600000, 0, 5000},    {600000, 4999, 5000}, {600000, 5000, 5000},
        {600000, 6000, 6000}, {600000, -1, 600000}, {3000, 6000, 3000},
    };
    for (const auto& c : cases) {
        m_client.SetTimeout(c.timeout);
        m_client.limits.clear();
        m_client.TestConnection(c.wait);
        m_client.InitSaveConfig(c.wait);
        EXPECT_EQ(std::vector<DWORD>(2, c.limit), m_client.limits) << c.timeout << " " << c.wait;
    }
    m_client.SetTimeout(10000);
    m_client.limits.clear();
    m_client.Shutdown();
    EXPECT_EQ(std::vector<DWORD>{10000}, m_client.limits) << "the reboot waits the client's time-out";
}

TEST_F(ModuleWebClientTest, ShutdownRebootsTheModule)
{
    Simulator().SetRebootSeconds(0.5);
    EXPECT_TRUE(m_client.Shutdown());
    EXPECT_EQ("GET /services/nph-ws?trn=shutdown HTTP/1.1", WebRequests().back().requestLine);
    EXPECT_FALSE(m_client.TestConnection(5000)) << "away while it reboots";
    ::Sleep(700);
    EXPECT_TRUE(m_client.TestConnection(5000)) << "back after the reboot";

    Simulator().Fail("module", "noreboot");
    EXPECT_TRUE(m_client.Shutdown());
    ::Sleep(700);
    EXPECT_FALSE(m_client.TestConnection(5000)) << "never back";
}

// A module that takes the request and never answers: each call ends soon
// after its limit, its send worker ended (else the bounded wait would add 5 s).
TEST_F(ModuleWebClientTest, SilentModuleEndsEverySendAfterItsLimit)
{
    const DWORD kLimitMs = 500;
    Simulator().Fail("http", "silent");
    m_client.SetTimeout(kLimitMs);
    const CString path = WriteLocalFile("Current.xml", "<DeviceConfig/>");

    Stopwatch watch;
    EXPECT_FALSE(m_client.TestConnection(5000));
    EXPECT_GE(watch.ElapsedMs(), kLimitMs);
    EXPECT_LT(watch.ElapsedMs(), kLimitMs + 2500);

    Stopwatch readWatch;
    EXPECT_STREQ("Error: no answer from the module at " + ModuleAddress(), m_client.ReadConfig(m_temp.Path() + "\\Current.cfg"));
    EXPECT_LT(readWatch.ElapsedMs(), kLimitMs + 2500);
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(m_temp.Path() + "\\Current.cfg"));

    Stopwatch saveWatch;
    EXPECT_FALSE(m_client.SaveFile(path, "current.xml"));
    EXPECT_LT(saveWatch.ElapsedMs(), kLimitMs + 2500);
    EXPECT_EQ(3u, WebRequests().size());

}

// A connect that never completes ignores every time-out under Wine: the
// worker cannot be ended, and the wait for it is bounded.
TEST_F(ModuleWebClientTest, WaitForAWorkerThatCannotEndIsBounded)
{
    const DWORD kLimitMs = 300;
    Simulator().Fail("http", "blackhole");
    m_client.SetTimeout(kLimitMs);
    Stopwatch watch;
    EXPECT_FALSE(m_client.TestConnection(5000));
    EXPECT_GE(watch.ElapsedMs(), kLimitMs);
    EXPECT_LT(watch.ElapsedMs(), kLimitMs + kSendWorkerEndWaitMs + 1500);
}

} // namespace

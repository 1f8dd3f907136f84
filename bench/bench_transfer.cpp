// Posts a generated 20 MB configuration with SaveFile to a receiver of its own on a loopback address
// (port 80), checks every received byte and the CRC-16 of the query, and prints the throughput.
#include "corvel/gateway/tcp_socket.h"

#include "bench_support.h"

#include "corvel/gateway/module_web_client.h"
#include "corvel/project/file_crc.h"

#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr DWORD kFileBytes = 20u * 1024u * 1024u;
constexpr int kRuns = 3;
// The receiver takes the first loopback address from here on whose port 80 is free.
constexpr int kFirstHost = 200;
constexpr int kLastHost = 250;
constexpr unsigned short kHttpPort = 80;
constexpr size_t kReceiveBytes = 256 * 1024;

std::string GenerateContent()
{
    std::string content(kFileBytes, '\0');
    unsigned state = 12345;
    for (DWORD i = 0; i < kFileBytes; ++i) {
        state = state * 1103515245u + 12345u;
        content[i] = static_cast<char>(state >> 16);
    }
    return content;
}

// Answers each HTTP request on its connections: 200 when the body equals the
// expected content and the query carries its CRC-16, else 400.
class Receiver {
public:
    explicit Receiver(const std::string& expected) : m_expected(expected)
    {
        char crc[16];
        snprintf(crc, sizeof crc, "CRC16=%04X ", UpdateCrc16(0, expected.data(), expected.size()));
        m_expectedCrc = crc;
    }

    // Listens on the first free address; its text, or "" when none is free.
    std::string Listen()
    {
        for (int host = kFirstHost; host <= kLastHost; ++host) {
            const std::string address = "127.0.0." + std::to_string(host);
            ScopedSocket s(::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP));
            sockaddr_in where = {};
            where.sin_family = AF_INET;
            where.sin_port = ::htons(kHttpPort);
            where.sin_addr.s_addr = ::inet_addr(address.c_str());
            if (::bind(s.Get(), reinterpret_cast<const sockaddr*>(&where), sizeof where) == 0 && ::listen(s.Get(), 4) == 0) {
                m_listener = std::move(s);
                return address;
            }
        }
        return std::string();
    }

    void Start()
    {
        m_thread = std::thread([this] { AcceptLoop(); });
    }

    // Ends the accepting and serving threads and closes their sockets.
    void Stop()
    {
        m_stopping = true;
        if (m_thread.joinable())
            m_thread.join();
        for (std::thread& server : m_servers)
            server.join();
    }

    int Mismatches() const { return m_mismatches; }
    int Requests() const { return m_requests; }

private:
    void AcceptLoop()
    {
        while (WaitReadable(m_listener.Get())) {
            ScopedSocket connection(::accept(m_listener.Get(), nullptr, nullptr));
            if (!connection)
                return;
            const SOCKET s = connection.Get();
            m_connections.push_back(std::move(connection));
            m_servers.emplace_back([this, s] { Serve(s); });
        }
    }

    // Closing or shutting down a socket does not end an accept or receive
    // blocked on it: every wait polls the stop flag. False once stopping.
    bool WaitReadable(SOCKET s) const
    {
        while (!m_stopping) {
            fd_set ready;
            FD_ZERO(&ready);
            FD_SET(s, &ready);
            timeval poll = {0, 100000};
            if (::select(0, &ready, nullptr, nullptr, &poll) != 0)
                return true;
        }
        return false;
    }

    int Receive(SOCKET s, char* buffer, size_t size) const
    {
        return WaitReadable(s) ? ::recv(s, buffer, static_cast<int>(size), 0) : 0;
    }

    void Serve(SOCKET s)
    {
        std::unique_ptr<char[]> buffer(new char[kReceiveBytes]);
        std::string pending;
        for (;;) {
            size_t headEnd;
            while ((headEnd = pending.find("\r\n\r\n")) == std::string::npos) {
                const int got = Receive(s, buffer.get(), kReceiveBytes);
                if (got <= 0)
                    return;
                pending.append(buffer.get(), static_cast<size_t>(got));
            }
            const std::string head = pending.substr(0, headEnd + 4);
            pending.erase(0, headEnd + 4);
            size_t length = 0;
            const size_t field = head.find("Content-Length: ");
            if (field != std::string::npos)
                length = std::stoul(head.substr(field + 16));

            // The body is compared as it arrives, never held whole.
            bool same = length == m_expected.size() && head.find(m_expectedCrc) != std::string::npos;
            size_t received = 0;
            const size_t first = std::min(pending.size(), length);
            same = same && m_expected.compare(0, first, pending, 0, first) == 0;
            received = first;
            pending.erase(0, first);
            while (received < length) {
                const int got = Receive(s, buffer.get(), std::min<size_t>(kReceiveBytes, length - received));
                if (got <= 0)
                    return;
                same = same && m_expected.compare(received, static_cast<size_t>(got), buffer.get(), static_cast<size_t>(got)) == 0;
                received += static_cast<size_t>(got);
            }
            ++m_requests;
            if (!same)
                ++m_mismatches;
            const char* answer = same ? "HTTP/1.1 200 OK\r\nContent-Length: 0\r\n\r\n"
                                      : "HTTP/1.1 400 Bad Request\r\nContent-Length: 0\r\n\r\n";
            ::send(s, answer, static_cast<int>(strlen(answer)), 0);
        }
    }

    const std::string& m_expected;
    std::string m_expectedCrc;
    ScopedSocket m_listener;
    std::thread m_thread;
    // Written by the accepting thread only, read by Stop after it has ended.
    std::vector<ScopedSocket> m_connections;
    std::vector<std::thread> m_servers;
    std::atomic<bool> m_stopping{false};
    std::atomic<int> m_mismatches{0};
    std::atomic<int> m_requests{0};
};

} // namespace

int main()
{
    WSADATA data = {};
    if (::WSAStartup(MAKEWORD(2, 2), &data) != 0) {
        fprintf(stderr, "bench_transfer: Windows Sockets cannot be started\n");
        return 1;
    }
    const std::string content = GenerateContent();
    char folder[MAX_PATH + 1] = {};
    ::GetTempPathA(MAX_PATH, folder);
    CString path;
    path.Format("%sbench_transfer_%lu.xml", folder, ::GetCurrentProcessId());
    FILE* file = fopen(path, "wb");
    if (file == nullptr || fwrite(content.data(), 1, content.size(), file) != content.size()) {
        fprintf(stderr, "bench_transfer: cannot write %s\n", (LPCSTR)path);
        return 1;
    }
    fclose(file);

    Receiver receiver(content);
    const std::string address = receiver.Listen();
    if (address.empty()) {
        fprintf(stderr, "bench_transfer: no free loopback address with port 80 (127.0.0.%d to 127.0.0.%d)\n", kFirstHost,
                kLastHost);
        return 1;
    }
    receiver.Start();

    CModuleWebClient client;
    client.SetHost(address.c_str());
    double best = 1e9;
    bool ok = true;
    for (int run = 0; run < kRuns && ok; ++run) {
        const double start = Seconds();
        ok = client.SaveFile(path, "current.xml");
        const double seconds = Seconds() - start;
        if (!ok)
            fprintf(stderr, "bench_transfer: %s\n", (LPCSTR)client.GetLastErrorText());
        best = std::min(best, seconds);
        printf("run %d: %.3f s\n", run + 1, seconds);
    }
    receiver.Stop();
    ::DeleteFileA(path);
    if (!ok || receiver.Mismatches() != 0 || receiver.Requests() != kRuns) {
        fprintf(stderr, "bench_transfer: %d of %d posts received wrong\n", receiver.Mismatches(), receiver.Requests());
        return 1;
    }
    printf("file %lu bytes to %s, every byte checked\n", static_cast<unsigned long>(kFileBytes), address.c_str());
    printf("MBps %.1f\n", kFileBytes / (1024.0 * 1024.0) / best);
    return 0;
}

// Times Ostrel's refresh of 5,000 tags shown in the monitor grid: the tag database asks a responder of its own on a
// loopback address (port 8000) for the values in requests of limited length, parses each reply and shows every
// value in its row. Values change on every refresh. Needs a display. The last line is "seconds S" (one refresh).
#include "framework/socket.h"

#include "bench_support.h"

#include "framework/ui.h"
#include "ostrel/app/tag.h"
#include "ostrel/monitor/diagnostic_tcp_client.h"
#include "ostrel/monitor/monitor_limits.h"

#include <atomic>
#include <cstdlib>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace {

constexpr int kTags = 5000;
constexpr int kRefreshes = 10;
// The responder takes the first loopback address from here on whose port 8000 is free.
constexpr int kFirstHost = 200;
constexpr int kLastHost = 250;

const char kDeclaration[] = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>";

CString TagName(int index)
{
    CString name;
    name.Format("Bay%02d_MMXU%d_Value%04d", index % 40, index % 7, index); // 21 characters
    return name;
}

// Answers testconnection and gettagsvalue on one connection at a time, as the
// module's text service does: each request answered once it is whole, each reply a document.
class Responder {
public:
    ~Responder() { Stop(); }

    // Listens on the first free address; its text, or "" when none is free.
    std::string Listen()
    {
        for (int host = kFirstHost; host <= kLastHost; ++host) {
            const std::string address = "127.0.0." + std::to_string(host);
            SOCKET s = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
            sockaddr_in where = {};
            where.sin_family = AF_INET;
            where.sin_port = ::htons(static_cast<u_short>(kDiagnosticPort));
            where.sin_addr.s_addr = ::inet_addr(address.c_str());
            if (::bind(s, reinterpret_cast<const sockaddr*>(&where), sizeof where) == 0 && ::listen(s, 4) == 0) {
                m_listener = s;
                return address;
            }
            ::closesocket(s);
        }
        return std::string();
    }

    void Start()
    {
        m_thread = std::thread([this] { Serve(); });
    }

    void Stop()
    {
        m_stopping = true;
        if (m_thread.joinable())
            m_thread.join();
        if (m_listener != INVALID_SOCKET) {
            ::closesocket(m_listener);
            m_listener = INVALID_SOCKET;
        }
    }

    // Requests answered so far.
    long Requests() const { return m_requests; }

private:
    void Serve()
    {
        while (!m_stopping) {
            if (!Readable(m_listener))
                continue;
            const SOCKET connection = ::accept(m_listener, nullptr, nullptr);
            if (connection == INVALID_SOCKET)
                return;
            std::string request;
            char piece[8192];
            while (!m_stopping) {
                if (!Readable(connection))
                    continue;
                const int got = ::recv(connection, piece, sizeof piece, 0);
                if (got <= 0)
                    break;
                request.append(piece, static_cast<size_t>(got));
                if (!IsWhole(request))
                    continue;
                const std::string reply = Answer(request);
                request.clear();
                ++m_requests;
                if (::send(connection, reply.data(), static_cast<int>(reply.size()), 0) != static_cast<int>(reply.size()))
                    break;
            }
            ::closesocket(connection);
        }
    }

    // Waits a little for s to have data (or a connection); the serving loop looks at the stop between the waits.
    static bool Readable(SOCKET s)
    {
        fd_set set;
        FD_ZERO(&set);
        FD_SET(s, &set);
        timeval wait = {0, 100000};
        return ::select(0, &set, nullptr, nullptr, &wait) > 0;
    }

    // A gettagsvalue request is whole when it holds as many tags as its count says.
    static bool IsWhole(const std::string& request)
    {
        const size_t count = request.find("&count=");
        if (count == std::string::npos)
            return true;
        const int tags = atoi(request.c_str() + count + 7);
        return request.find("&tag" + std::to_string(tags - 1) + "=") != std::string::npos;
    }

    std::string Answer(const std::string& request)
    {
        if (request.find("trn=gettagsvalue") != 0)
            return std::string(kDeclaration) + "<testconnection/>";
        ++m_round;
        std::string reply = std::string(kDeclaration) + "<tagsdata>";
        size_t at = request.find("&tag0=");
        for (int index = 0; at != std::string::npos; ++index) {
            const size_t nameStart = request.find('=', at) + 1;
            const size_t next = request.find("&tag", nameStart);
            const std::string name =
                request.substr(nameStart, next == std::string::npos ? std::string::npos : next - nameStart);
            reply += "<tag name=\"" + name + "\" value=\"" + std::to_string((m_round * 37 + index * 11) % 20001 - 10000) +
                     "\"/>";
            at = next;
        }
        return reply + "</tagsdata>";
    }

    SOCKET m_listener = INVALID_SOCKET;
    std::thread m_thread;
    std::atomic<bool> m_stopping{false};
    std::atomic<long> m_requests{0};
    long m_round = 0;
};

} // namespace

int main()
{
    if (FAILED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) || !AfxSocketInit()) {
        fprintf(stderr, "COM or Windows Sockets cannot be started\n");
        return 1;
    }
    Responder responder;
    const std::string address = responder.Listen();
    if (address.empty()) {
        fprintf(stderr, "no free loopback address for port %u\n", kDiagnosticPort);
        return 1;
    }
    responder.Start();

    CWnd host;
    host.CreateEx(0, AfxFrameOrViewWndClass(), "bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 1000, 760, nullptr,
                  nullptr);
    CRect client;
    host.GetClientRect(&client);
    CMonitorGrid grid;
    grid.Create(client, &host, 1);
    grid.SetColumnCount(kTagColumnCount);
    grid.SetFixedRowCount(1);

    CDiagnosticTcpClient diagnostics;
    CGridTagTable table(grid);
    TagDatabase database;
    database.SetClient(&diagnostics);
    database.SetTable(&table);
    double start = Seconds();
    for (int index = 0; index < kTags; ++index) {
        TagItem* tag = table.AppendTag();
        TagDefinition definition;
        definition.name = TagName(index);
        definition.dataType = index % 3 == 0 ? "INT" : (index % 3 == 1 ? "DINT" : "UINT");
        tag->Define(definition);
        database.AddTag(definition.name, tag);
    }
    const double fill = Seconds() - start;

    if (diagnostics.IsReachable(address.c_str()) != 1) {
        fprintf(stderr, "the responder at %s does not answer\n", address.c_str());
        return 1;
    }
    const long before = responder.Requests();
    double slowest = 0;
    start = Seconds();
    for (int refresh = 0; refresh < kRefreshes; ++refresh) {
        const double one = Seconds();
        try {
            database.RefreshRows(1, table.GetLastRow());
        } catch (int) {
            fprintf(stderr, "the refresh lost the responder\n");
            return 1;
        }
        const double took = Seconds() - one;
        if (took > slowest)
            slowest = took;
    }
    const double perRefresh = (Seconds() - start) / kRefreshes;
    // One test of the connection, then the value requests, per refresh.
    const long requests = (responder.Requests() - before) / kRefreshes - 1;

    // The same requests without the table: what the client and the parsing of the replies take.
    std::vector<std::pair<int, CString>> lists(1);
    for (int index = kTags - 1; index >= 0; --index) {
        lists.back().second += TagListItem(lists.back().first++, TagName(index));
        if (lists.back().second.GetLength() > kTagListLimit)
            lists.emplace_back();
    }
    start = Seconds();
    for (int refresh = 0; refresh < kRefreshes; ++refresh) {
        for (const auto& list : lists) {
            DomDocumentPtr reply;
            if (list.first > 0 && diagnostics.GetTagsValue(list.first, list.second, reply) != kMonitorSuccess) {
                fprintf(stderr, "a request failed\n");
                return 1;
            }
        }
    }
    const double requestsAlone = (Seconds() - start) / kRefreshes;

    // Every row shows the value of the last reply: the refresh really reached the rows.
    const CString shown = table.GetText(kTags, kColumnValue);
    if (shown.IsEmpty()) {
        fprintf(stderr, "the last row shows no value\n");
        return 1;
    }

    printf("rows filled with %d tags  %.3f s\n", kTags, fill);
    printf("requests per refresh      %ld\n", requests);
    printf("slowest refresh           %.3f s\n", slowest);
    printf("the requests alone        %.3f s a refresh\n", requestsAlone);
    printf("refreshes                 %d\n", kRefreshes);
    printf("peak working set          %.1f MiB\n", PeakWorkingSetMiB());
    grid.DestroyWindow();
    host.DestroyWindow();
    responder.Stop();
    ::CoUninitialize();
    printf("seconds %.3f\n", perRefresh);
    return 0;
}

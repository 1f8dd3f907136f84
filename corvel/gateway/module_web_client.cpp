#include "corvel/gateway/module_web_client.h"

#include "corvel/gateway/module_limits.h"
#include "corvel/project/file_crc.h"

#include <memory>

namespace {

const char kTestConnectionPath[] = "/services/nph-ws?trn=testconnection";
const char kInitSaveConfigPath[] = "/services/nph-ws?trn=initsaveconfig";
const char kShutdownPath[] = "/services/nph-ws?trn=shutdown";
const char kSaveConfigPath[] = "/services/nph-ws?trn=saveconfig&configfile=%s&CRC16=%04X";
const char kReadConfigPath[] = "/services/nph-ws?trn=readconfig&configfile=current.xml";
const char kReadConfigError[] = "Error: Please install Jumper and Reboot the module";
const char kStatusOk[] = "200";

CString QueryStatusText(HINTERNET request)
{
    char status[kStatusTextBytes] = {};
    DWORD length = sizeof status - 1;
    if (!::HttpQueryInfoA(request, HTTP_QUERY_STATUS_CODE, status, &length, nullptr))
        return CString();
    return CString(status);
}

// The reply's announced body length; false when it announces none.
bool QueryContentLength(HINTERNET request, DWORD& length)
{
    DWORD size = sizeof length;
    return ::HttpQueryInfoA(request, HTTP_QUERY_CONTENT_LENGTH | HTTP_QUERY_FLAG_NUMBER, &length, &size, nullptr) != 0;
}

// What the send worker shares with the thread that waits for it; each holds a reference.
struct SendJob {
    HINTERNET request;
    bool withBody;
    DWORD error = 0;
};

DWORD WINAPI SendWorker(void* parameter)
{
    const std::unique_ptr<std::shared_ptr<SendJob>> holder(static_cast<std::shared_ptr<SendJob>*>(parameter));
    SendJob& job = **holder;
    const BOOL sent = job.withBody ? ::HttpSendRequestExA(job.request, nullptr, nullptr, 0, 0)
                                   : ::HttpSendRequestA(job.request, nullptr, 0, nullptr, 0);
    job.error = sent ? 0 : ::GetLastError();
    return sent ? 0 : 1;
}

// The send limit of a request that passes a wait: the time-out, or the wait when shorter.
DWORD SendLimit(DWORD timeoutMs, int waitMs)
{
    return (waitMs >= 0 && static_cast<DWORD>(waitMs) < timeoutMs) ? static_cast<DWORD>(waitMs) : timeoutMs;
}

int AtLeastMinimumWait(int waitMs)
{
    return (waitMs >= 0 && waitMs < kMinimumRequestWaitMs) ? kMinimumRequestWaitMs : waitMs;
}

bool WriteWhole(HANDLE file, const BYTE* data, DWORD size)
{
    while (size > 0) {
        DWORD written = 0;
        if (!::WriteFile(file, data, size, &written, nullptr) || written == 0)
            return false;
        data += written;
        size -= written;
    }
    return true;
}

bool InternetWriteWhole(HINTERNET request, const BYTE* data, DWORD size)
{
    while (size > 0) {
        DWORD written = 0;
        if (!::InternetWriteFile(request, data, size, &written) || written == 0)
            return false;
        data += written;
        size -= written;
    }
    return true;
}

} // namespace

// The handles of one request, closed request first.
struct CModuleWebClient::Session {
    ScopedInternetHandle internet;
    ScopedInternetHandle connection;
    ScopedInternetHandle request;
};

CModuleWebClient::CModuleWebClient() : m_timeoutMs(kDefaultWebTimeoutMs)
{
}

bool CModuleWebClient::OpenInternet(Session& session) const
{
    session.internet.Attach(::InternetOpenA(kModuleWebAgent, INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0));
    return session.internet.IsValid();
}

bool CModuleWebClient::ConnectToModule(Session& session) const
{
    session.connection.Attach(::InternetConnectA(session.internet.Get(), m_host, kModuleWebServicePort, nullptr,
                                                 nullptr, INTERNET_SERVICE_HTTP, 0, 0));
    return session.connection.IsValid();
}

// Opens the request. Its connect and every socket operation are bounded by
// limitMs (the client's time-out unless a wait shortened it): closing the
// request does not end a blocked send, these time-outs do.
bool CModuleWebClient::OpenRequest(Session& session, LPCSTR verb, const CString& path, DWORD limitMs) const
{
    session.request.Attach(::HttpOpenRequestA(session.connection.Get(), verb, path, nullptr, nullptr, nullptr,
                                              INTERNET_FLAG_DONT_CACHE, 0));
    if (!session.request)
        return false;
    for (DWORD option : {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT, INTERNET_OPTION_RECEIVE_TIMEOUT})
        ::InternetSetOptionA(session.request.Get(), option, &limitMs, sizeof limitMs);
    return true;
}

bool CModuleWebClient::SendRequestWithTimeout(ScopedInternetHandle& request, SendKind kind, DWORD limitMs)
{
    auto job = std::make_shared<SendJob>();
    job->request = request.Get();
    job->withBody = kind == SendKind::WithBody;
    auto* workerReference = new std::shared_ptr<SendJob>(job);
    ScopedHandle worker(::CreateThread(nullptr, 0, SendWorker, workerReference, 0, nullptr));
    if (!worker.Get()) {
        worker.Detach();
        delete workerReference;
        return false;
    }

    if (::WaitForSingleObject(worker.Get(), limitMs) == WAIT_OBJECT_0) {
        DWORD exitCode = 1;
        ::GetExitCodeThread(worker.Get(), &exitCode);
        ::SetLastError(job->error);
        return exitCode == 0;
    }
    // The limit ran out. Closing the request does not end a blocked send; its
    // own time-outs (the same limit) do, so the worker ends shortly. Past the
    // bounded wait it is left to end by itself: it holds its own reference to
    // what it shares.
    request.Reset();
    ::WaitForSingleObject(worker.Get(), kSendWorkerEndWaitMs);
    ::SetLastError(ERROR_INTERNET_TIMEOUT);
    return false;
}

bool CModuleWebClient::Get(const CString& path, int waitMs)
{
    try {
        const DWORD limit = SendLimit(m_timeoutMs, waitMs);
        Session session;
        if (!OpenInternet(session) || !ConnectToModule(session) || !OpenRequest(session, nullptr, path, limit))
            return false;
        if (!SendRequestWithTimeout(session.request, SendKind::Plain, limit))
            return false;
        return QueryStatusText(session.request.Get()) == kStatusOk;
    } catch (...) {
        return false;
    }
}

bool CModuleWebClient::TestConnection(int waitMs)
{
    return Get(kTestConnectionPath, AtLeastMinimumWait(waitMs));
}

bool CModuleWebClient::InitSaveConfig(int waitMs)
{
    return Get(kInitSaveConfigPath, AtLeastMinimumWait(waitMs));
}

// The wait it passes does not shorten the send: the reboot waits the client's time-out.
bool CModuleWebClient::Shutdown()
{
    return Get(kShutdownPath, -1);
}

bool CModuleWebClient::SaveFile(const CString& localPath, const CString& configName)
{
    m_lastError.Empty();
    try {
        CString path;
        path.Format(kSaveConfigPath, (LPCSTR)configName, ComputeFileCrc16(localPath));

        Session session;
        if (!OpenInternet(session)) {
            m_lastError = "saveFile: InternetOpen() Failed";
            return false;
        }
        if (!ConnectToModule(session)) {
            m_lastError = "saveFile: InternetConnect() Failed";
            return false;
        }
        if (!OpenRequest(session, "POST", path, m_timeoutMs)) {
            m_lastError = "saveFile: HttpOpenRequest() Failed";
            return false;
        }

        ScopedHandle file(::CreateFileA(localPath, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
        LARGE_INTEGER size = {};
        if (!file || !::GetFileSizeEx(file.Get(), &size)) {
            m_lastError = "saveFile: CreateFile() Failed";
            return false;
        }
        if (size.QuadPart > MAXDWORD) {
            m_lastError = "saveFile: Error in ReadFile()";
            return false;
        }
        CString header;
        header.Format("Content-Length: %lu", static_cast<unsigned long>(size.QuadPart));
        ::HttpAddRequestHeadersA(session.request.Get(), header, static_cast<DWORD>(-1), 0);

        if (!SendRequestWithTimeout(session.request, SendKind::WithBody, m_timeoutMs)) {
            m_lastError.Format("saveFile: Error in HttpSendRequest() %lx", ::GetLastError());
            return false;
        }

        BYTE piece[kUploadPieceBytes];
        for (;;) {
            DWORD got = 0;
            if (!::ReadFile(file.Get(), piece, sizeof piece, &got, nullptr)) {
                m_lastError = "saveFile: Error in ReadFile()";
                return false;
            }
            if (got == 0)
                break;
            if (!InternetWriteWhole(session.request.Get(), piece, got)) {
                m_lastError = "saveFile: Error in InternetWriteFile()";
                return false;
            }
        }
        ::HttpEndRequestA(session.request.Get(), nullptr, 0, 0);

        if (QueryStatusText(session.request.Get()) != kStatusOk) {
            const DWORD error = ::GetLastError();
            m_lastError.Format("HttpQueryInfo() failed, error = %lu (0x%lx)\n", error, error);
            return false;
        }
        return true;
    } catch (...) {
        m_lastError = "saveFile: Exception thrown ...";
        return false;
    }
}

CString CModuleWebClient::ReadConfig(const CString& localPath)
{
    bool created = false;
    bool read = false;
    try {
        Session session;
        if (OpenInternet(session) && ConnectToModule(session) && OpenRequest(session, "GET", kReadConfigPath, m_timeoutMs)
            && SendRequestWithTimeout(session.request, SendKind::Plain, m_timeoutMs)
            && QueryStatusText(session.request.Get()) == kStatusOk) {
            ScopedHandle file(::CreateFileA(localPath, GENERIC_WRITE, FILE_SHARE_WRITE, nullptr, CREATE_ALWAYS,
                                            FILE_ATTRIBUTE_NORMAL, nullptr));
            created = file.IsValid();
            DWORD total = 0;
            BYTE piece[kDownloadPieceBytes];
            for (bool more = created; more;) {
                DWORD got = 0;
                if (!::InternetReadFile(session.request.Get(), piece, sizeof piece, &got)) {
                    more = false;
                } else if (got == 0) {
                    // The whole body, unless the module closed before the length it announced.
                    DWORD announced = 0;
                    read = !QueryContentLength(session.request.Get(), announced) || announced == total;
                    more = false;
                } else {
                    more = WriteWhole(file.Get(), piece, got);
                    total += got;
                }
            }
        }
    } catch (...) {
        read = false;
    }
    if (read)
        return CString();
    if (created)
        ::DeleteFileA(localPath);
    return kReadConfigError;
}

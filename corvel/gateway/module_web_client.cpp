#include "corvel/gateway/module_web_client.h"

#include "corvel/gateway/module_limits.h"
#include "common/xml_reply_scanner.h"
#include "corvel/project/file_crc.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

namespace {

const char kTestConnectionPath[] = "/services/nph-ws?trn=testconnection";
const char kInitSaveConfigPath[] = "/services/nph-ws?trn=initsaveconfig";
const char kShutdownPath[] = "/services/nph-ws?trn=shutdown";
const char kSaveConfigPath[] = "/services/nph-ws?trn=saveconfig&configfile=%s&CRC16=%04X";
const char kReadConfigPath[] = "/services/nph-ws?trn=readconfig&configfile=current.xml";
const char kReadConfigError[] = "Error: Please install Jumper and Reboot the module";
const char kStatusOk[] = "200";
// How much of a reply without a status line its failure text shows.
constexpr DWORD kExcerptBytes = 60;
// A reply begins with its status line: the protocol's name and version.
const char kStatusLineStart[] = "HTTP/";
// The configuration comes into this file beside the target and replaces it once it is whole.
const char kPartFileSuffix[] = ".part";

// Why a reply failed; each is formatted with the module's address first.
const char kNoAnswerText[] = "Error: no answer from the module at %s";
const char kNoStatusLineText[] = "Error: the reply of the module at %s has no status line: %s";
const char kCutBodyText[] = "Error: the reply of the module at %s ended after %lu of the %lu bytes it announced";
const char kBrokenBodyText[] = "Error: the reply of the module at %s broke off after %lu bytes";
const char kLongBodyText[] = "Error: the reply of the module at %s passed %lu bytes";
const char kDeadlineText[] = "Error: the module at %s did not end its reply within %lu s";
const char kEmptyConfigText[] = "Error: the module at %s sent an empty configuration";
const char kNotWrittenText[] = "Error: the configuration cannot be written to %s";

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

// The reply's head as it came; empty when there is none.
CString QueryRawHead(HINTERNET request)
{
    DWORD length = 0;
    ::HttpQueryInfoA(request, HTTP_QUERY_RAW_HEADERS_CRLF, nullptr, &length, nullptr);
    if (length == 0 || length > kMaxTextReplyBytes)
        return CString();
    std::vector<char> head(length + 1, '\0');
    if (!::HttpQueryInfoA(request, HTTP_QUERY_RAW_HEADERS_CRLF, head.data(), &length, nullptr))
        return CString();
    return CString(head.data(), static_cast<int>(std::min<DWORD>(length, static_cast<DWORD>(head.size() - 1))));
}

// Reads the body of a reply in pieces, into file when one is given, until
// it ends. False, with the reason in failure, when it breaks off, passes
// limit bytes, does not end by deadline (a tick count) or within
// kMaxReplyBodyMs, or ends short of the length it announced.
bool ReadBody(HINTERNET request, HANDLE file, ULONGLONG limit, ULONGLONG deadline, const CString& host,
              DWORD timeoutMs, ULONGLONG& total, CString& failure);

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

bool ReadBody(HINTERNET request, HANDLE file, ULONGLONG limit, ULONGLONG deadline, const CString& host,
              DWORD timeoutMs, ULONGLONG& total, CString& failure)
{
    total = 0;
    const DWORD bodyLimitMs = std::min(timeoutMs, kMaxReplyBodyMs);
    deadline = std::min(deadline, ::GetTickCount64() + bodyLimitMs);
    BYTE piece[kDownloadPieceBytes];
    for (;;) {
        if (::GetTickCount64() > deadline) {
            failure.Format(kDeadlineText, (LPCSTR)host, static_cast<unsigned long>(bodyLimitMs / 1000));
            return false;
        }
        // Only what is there is read, so that a module sending slowly meets the deadline.
        DWORD available = 0;
        DWORD got = 0;
        if (!::InternetQueryDataAvailable(request, &available, 0, 0)
            || !::InternetReadFile(request, piece, std::min<DWORD>(std::max<DWORD>(available, 1), sizeof piece), &got)) {
            failure.Format(kBrokenBodyText, (LPCSTR)host, static_cast<unsigned long>(total));
            return false;
        }
        if (got == 0)
            break;
        total += got;
        if (total > limit) {
            failure.Format(kLongBodyText, (LPCSTR)host, static_cast<unsigned long>(limit));
            return false;
        }
        if (file != nullptr && !WriteWhole(file, piece, got)) {
            failure = "write";
            return false;
        }
    }
    DWORD announced = 0;
    if (QueryContentLength(request, announced) && announced != total) {
        failure.Format(kCutBodyText, (LPCSTR)host, static_cast<unsigned long>(total), static_cast<unsigned long>(announced));
        return false;
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

bool CModuleWebClient::CheckStatusLine(HINTERNET request)
{
    // For a reply without a status line the platform makes up one with no
    // header after it: a module's reply names at least its content.
    const CString head = QueryRawHead(request);
    const int lineEnd = head.Find("\r\n");
    const bool hasHeaders = lineEnd >= 0 && head.GetLength() > lineEnd + 4;
    if (head.Left(static_cast<int>(strlen(kStatusLineStart))) == kStatusLineStart && hasHeaders)
        return true;
    // What came instead: the first bytes the platform gives as the body.
    char start[kExcerptBytes] = {};
    DWORD got = 0;
    if (!::InternetReadFile(request, start, sizeof start, &got))
        got = 0;
    m_lastError.Format(kNoStatusLineText, (LPCSTR)m_host, (LPCSTR)DescribeReplyBytes(start, got));
    return false;
}

bool CModuleWebClient::Get(const CString& path, int waitMs)
{
    m_lastError.Empty();
    try {
        const DWORD limit = SendLimit(m_timeoutMs, waitMs);
        const ULONGLONG deadline = ::GetTickCount64() + limit;
        Session session;
        if (!OpenInternet(session) || !ConnectToModule(session) || !OpenRequest(session, nullptr, path, limit))
            return false;
        if (!SendRequestWithTimeout(session.request, SendKind::Plain, limit)) {
            m_lastError.Format(kNoAnswerText, (LPCSTR)m_host);
            return false;
        }
        if (!CheckStatusLine(session.request.Get()))
            return false;
        // A refusal: the caller tells it apart by the empty reason.
        if (QueryStatusText(session.request.Get()) != kStatusOk)
            return false;
        ULONGLONG total = 0;
        return ReadBody(session.request.Get(), nullptr, kMaxTextReplyBytes, deadline, m_host, limit, total, m_lastError);
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
    const ULONGLONG deadline = ::GetTickCount64() + m_timeoutMs;
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

        if (!CheckStatusLine(session.request.Get()))
            return false;
        if (QueryStatusText(session.request.Get()) != kStatusOk) {
            const DWORD error = ::GetLastError();
            m_lastError.Format("HttpQueryInfo() failed, error = %lu (0x%lx)\n", error, error);
            return false;
        }
        ULONGLONG total = 0;
        return ReadBody(session.request.Get(), nullptr, kMaxTextReplyBytes, deadline, m_host, m_timeoutMs, total,
                        m_lastError);
    } catch (...) {
        m_lastError = "saveFile: Exception thrown ...";
        return false;
    }
}

CString CModuleWebClient::ReadConfig(const CString& localPath)
{
    m_lastError.Empty();
    const CString part = localPath + kPartFileSuffix;
    CString failure;
    bool created = false;
    try {
        failure = ReadConfigInto(part, created);
    } catch (...) {
        failure = kReadConfigError;
    }
    // Only a whole configuration replaces the file; a failed read leaves it as it was.
    if (failure.IsEmpty() && !::MoveFileExA(part, localPath, MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED))
        failure.Format(kNotWrittenText, (LPCSTR)localPath);
    if (!failure.IsEmpty() && created)
        ::DeleteFileA(part);
    return failure;
}

CString CModuleWebClient::ReadConfigInto(const CString& part, bool& created)
{
    const ULONGLONG deadline = ::GetTickCount64() + m_timeoutMs;
    CString failure;
    Session session;
    if (!OpenInternet(session) || !ConnectToModule(session) || !OpenRequest(session, "GET", kReadConfigPath, m_timeoutMs)
        || !SendRequestWithTimeout(session.request, SendKind::Plain, m_timeoutMs)) {
        failure.Format(kNoAnswerText, (LPCSTR)m_host);
        return failure;
    }
    if (!CheckStatusLine(session.request.Get()))
        return m_lastError;
    if (QueryStatusText(session.request.Get()) != kStatusOk)
        return kReadConfigError;
    ULONGLONG total = 0;
    {
        ScopedHandle file(::CreateFileA(part, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        created = file.IsValid();
        if (!created || !ReadBody(session.request.Get(), file.Get(), kMaxConfigurationBytes, deadline, m_host, m_timeoutMs,
                                  total, failure)) {
            if (!created || failure == "write")
                failure.Format(kNotWrittenText, (LPCSTR)part);
            return failure;
        }
    }
    if (total == 0)
        failure.Format(kEmptyConfigText, (LPCSTR)m_host);
    return failure;
}

#include "ostrel/monitor/diagnostic_tcp_client.h"

#include "framework/module.h"
#include "framework/msgbox.h"
#include "ostrel/monitor/monitor_limits.h"
#include "ostrel/monitor/monitor_xml.h"

#include <memory>

IMPLEMENT_DYNAMIC(CNetSocket, CSocket)

namespace {

const char kTestConnectionRequest[] = "trn=testconnection";
const char kRunningDriversRequest[] = "trn=getrunningdrivers";
const char kEventLogRequest[] = "trn=geteventlogcache";
const char kSetTagValueRequest[] = "trn=settagvalue&tag=%s&value=%s";
const char kGetTagValueRequest[] = "trn=gettagvalue&tag=%s";
const char kGetTagsValueRequest[] = "trn=gettagsvalue&count=";
const char kReadConfigRequest[] = "trn=readconfig&configfile=current.xml";
const char kSaveConfigRequest[] = "trn=saveconfig&configfile=current.xml&CRC16=%04X";
const char kShutdownRequest[] = "trn=shutdown";
const char kRunningDriversEnd[] = "</runningdrivers>";
const char kConfigFileName[] = "current-%s.xml";

DWORD g_replyWaitLimitMs = kReplySilenceLimitMs;

// Whether text may stand as a field of a request: it must not end the field or start another.
bool IsPlainField(LPCSTR text)
{
    return text != nullptr && strpbrk(text, "&=") == nullptr;
}

// A well-formed document ends with ">" (its last tag, comment or instruction): only then is parsing worth it.
bool MayBeWholeDocument(const CString& text)
{
    for (int i = text.GetLength() - 1; i >= 0; --i) {
        const char c = text[i];
        if (c != ' ' && c != '\t' && c != '\r' && c != '\n')
            return c == '>';
    }
    return false;
}

} // namespace

CDiagnosticClient* CDiagnosticClient::GetInstance()
{
    static std::unique_ptr<CDiagnosticClient> instance(new CDiagnosticTcpClient);
    return instance.get();
}

CNetSocket::CNetSocket(CDiagnosticTcpClient& owner)
    : m_owner(owner), m_hReplyEvent(::CreateEventA(nullptr, FALSE, FALSE, nullptr))
{
    m_nTimeOut = kSocketTimeOutMs;
}

CNetSocket::~CNetSocket()
{
    Close();
    if (m_hReplyEvent != nullptr)
        ::CloseHandle(m_hReplyEvent);
}

void CNetSocket::OnReceive(int nErrorCode)
{
    // The limit counts silence: every arrival starts it again.
    m_dwRemainingWait = CDiagnosticTcpClient::GetReplyWaitLimit();
    m_owner.OnReceive();
    CSocket::OnReceive(nErrorCode);
}

void CNetSocket::OnConnect(int nErrorCode)
{
    if (nErrorCode == 0)
        m_bConnected = true;
    CSocket::OnConnect(nErrorCode);
}

void CNetSocket::OnClose(int nErrorCode)
{
    CSocket::OnClose(nErrorCode);
    m_bConnected = false;
    m_owner.OnConnectionClosed();
}

CDiagnosticTcpClient::CDiagnosticTcpClient() : m_socket(*this) {}

CDiagnosticTcpClient::~CDiagnosticTcpClient()
{
    if (m_configFile.m_hFile != CFile::hFileNull)
        m_configFile.Abort();
    m_document = nullptr;
    m_socket.Close();
}

DWORD CDiagnosticTcpClient::SetReplyWaitLimit(DWORD limitMs)
{
    const DWORD previous = g_replyWaitLimitMs;
    g_replyWaitLimitMs = limitMs;
    return previous;
}

DWORD CDiagnosticTcpClient::GetReplyWaitLimit()
{
    return g_replyWaitLimitMs;
}

void CDiagnosticTcpClient::DispatchSocketNotifications()
{
    MSG msg;
    while (!IsQuitQueued() && ::PeekMessageA(&msg, nullptr, WM_SOCKET_NOTIFY, WM_SOCKET_DEAD, PM_REMOVE))
        ::DispatchMessageA(&msg);
}

void CDiagnosticTcpClient::DiscardStaleData()
{
    char scratch[kReplyBufferBytes];
    while (m_socket.m_bConnected) {
        const int count = m_socket.Receive(scratch, sizeof scratch);
        if (count > 0)
            continue;
        if (count == 0 || CAsyncSocket::GetLastError() != WSAEWOULDBLOCK) {
            m_socket.Close();
            m_socket.m_bConnected = false;
        }
        break;
    }
}

int CDiagnosticTcpClient::EnsureConnected(const CString& address)
{
    DispatchSocketNotifications();
    if (m_socket.m_bConnected && address == m_address) {
        DiscardStaleData();
        if (m_socket.m_bConnected)
            return kMonitorSuccess;
    }
    m_address = address;
    m_socket.Close();
    m_socket.m_bConnected = false;
    if (!m_socket.Create())
        return kMonitorFailure;
    if (!m_socket.Connect(address, kDiagnosticPort)) {
        DiagTrace("Connect to %s failed, error %d\n", (LPCSTR)address, CAsyncSocket::GetLastError());
        m_socket.Close();
        return kMonitorFailure;
    }
    const BOOL on = TRUE;
    m_socket.SetSockOpt(SO_DEBUG, &on, sizeof on);
    m_socket.SetSockOpt(SO_KEEPALIVE, &on, sizeof on);
    m_socket.m_bConnected = true;
    return kMonitorSuccess;
}

void CDiagnosticTcpClient::ResetReply()
{
    m_reply.Empty();
    m_document = nullptr;
    m_frame = CDiagMsg();
    m_frameFill = 0;
    m_requestFailed = false;
    ::ResetEvent(m_socket.m_hReplyEvent);
}

bool CDiagnosticTcpClient::SendBytes(const void* data, int length)
{
    if (m_socket.Send(data, length) == length)
        return true;
    DiagTrace("Send to %s failed, error %d\n", (LPCSTR)m_address, CAsyncSocket::GetLastError());
    DropConnection();
    return false;
}

int CDiagnosticTcpClient::Request(RequestKind kind, const CString& text)
{
    if (EnsureConnected(m_address) != kMonitorSuccess)
        return kMonitorFailure;
    m_kind = kind;
    ResetReply();
    if (!SendBytes(text, text.GetLength())) {
        m_kind = kNoRequest;
        return kMonitorFailure;
    }
    if (kind == kReboot)
        return kMonitorSuccess;
    const bool answered = WaitForReply();
    m_frameFill = 0;
    if (kind != kUploadConfig && kind != kDownloadConfig)
        m_kind = kNoRequest;
    return answered ? kMonitorSuccess : kMonitorFailure;
}

bool CDiagnosticTcpClient::WaitForReply()
{
    HANDLE event = m_socket.m_hReplyEvent;
    DWORD& remaining = m_socket.m_dwRemainingWait;
    remaining = g_replyWaitLimitMs;
    DWORD lastCheck = ::GetTickCount();
    for (;;) {
        // The time since the last check counts before any data is taken: data starts the limit again.
        const DWORD now = ::GetTickCount();
        const DWORD elapsed = now - lastCheck;
        lastCheck = now;
        remaining = remaining > elapsed ? remaining - elapsed : 0;
        if (::WaitForSingleObject(event, 0) == WAIT_OBJECT_0)
            return true;
        if (m_requestFailed || !m_socket.m_bConnected)
            return false;
        // The program is ending: the quit stays queued for the message loop.
        if (IsQuitQueued())
            return false;
        // Messages queued by now count as seen: only those posted later wake
        // the wait below, and the socket's are taken first.
        ::GetQueueStatus(QS_POSTMESSAGE);
        MSG msg;
        if (::PeekMessageA(&msg, nullptr, WM_SOCKET_NOTIFY, WM_SOCKET_DEAD, PM_REMOVE)) {
            ::DispatchMessageA(&msg);
            continue;
        }
        if (remaining == 0)
            return false;
        const DWORD woke = ::MsgWaitForMultipleObjectsEx(1, &event, remaining, QS_POSTMESSAGE, 0);
        if (woke == WAIT_OBJECT_0)
            return true;
        if (woke != WAIT_OBJECT_0 + 1)
            return false;
    }
}

void CDiagnosticTcpClient::DropConnection()
{
    m_socket.Close();
    m_socket.m_bConnected = false;
    m_requestFailed = true;
}

void CDiagnosticTcpClient::OnConnectionClosed()
{
    m_requestFailed = true;
}

void CDiagnosticTcpClient::OnReceive()
{
    switch (m_kind) {
    case kUploadConfig:
        ReceiveConfigFrame();
        return;
    case kDownloadConfig:
        while (m_socket.m_bConnected && ReceiveFrame()) {
            ++m_answersReceived;
            if (m_frame.flag != kFrameAccepted && !m_refused) {
                m_refused = true;
                // Exactly the body's bytes: nothing of an earlier, longer frame.
                m_refusalText = CString(reinterpret_cast<LPCSTR>(m_frame.body), static_cast<int>(m_frame.BodyLength()));
            }
            if (m_refused || m_answersReceived >= m_answersExpected)
                ::SetEvent(m_socket.m_hReplyEvent);
        }
        return;
    default:
        ReceiveText();
        return;
    }
}

void CDiagnosticTcpClient::ReceiveText()
{
    char buffer[kReplyBufferBytes] = {};
    const int count = m_socket.Receive(buffer, kReplyReadBytes);
    if (count <= 0)
        return;
    buffer[count] = '\0';
    bool complete = false;
    switch (m_kind) {
    case kTestConnection:
    case kSetTagValue:
        m_reply += buffer;
        complete = !m_reply.IsEmpty();
        break;
    case kRunningDrivers:
        m_reply += buffer;
        complete = m_reply.Find(kRunningDriversEnd) >= 0 && CreateXmlDoc(m_reply, m_document);
        break;
    case kEventLogCache:
    case kGetTagValue:
    case kGetTagsValue:
        m_reply += buffer;
        complete = MayBeWholeDocument(m_reply) && CreateXmlDoc(m_reply, m_document);
        break;
    default:
        break;
    }
    if (complete)
        ::SetEvent(m_socket.m_hReplyEvent);
}

bool CDiagnosticTcpClient::ReceiveFrame()
{
    while (m_frameFill < kFrameHeaderBytes) {
        const int want = static_cast<int>(kFrameHeaderBytes - m_frameFill);
        const int count = m_socket.Receive(m_frameHeader + m_frameFill, want);
        if (count <= 0)
            return false;
        m_frameFill += static_cast<UINT>(count);
        if (count < want)
            return false;
        DecodeFrameHeader(m_frameHeader, m_frame);
        if (!IsValidFrameLength(m_frame.length)) {
            DiagTrace("Frame of %u bytes from %s refused\n", static_cast<UINT>(m_frame.length), (LPCSTR)m_address);
            DropConnection();
            return false;
        }
    }
    if (m_frameFill < m_frame.length) {
        const int want = static_cast<int>(m_frame.length - m_frameFill);
        const int count = m_socket.Receive(m_frame.body + (m_frameFill - kFrameHeaderBytes), want);
        if (count <= 0)
            return false;
        m_frameFill += static_cast<UINT>(count);
        if (count < want)
            return false;
    }
    m_frameFill = 0;
    return true;
}

void CDiagnosticTcpClient::AbandonConfigFile()
{
    if (m_configFile.m_hFile != CFile::hFileNull)
        m_configFile.Abort();
    m_configAbandoned = true;
}

void CDiagnosticTcpClient::ReceiveConfigFrame()
{
    while (m_socket.m_bConnected && ReceiveFrame()) {
        if (m_frame.type == kFrameBeginFile) {
            if (m_configFile.m_hFile != CFile::hFileNull)
                m_configFile.Abort();
            CString name;
            name.Format(kConfigFileName, (LPCSTR)m_address);
            m_configAbandoned = !m_configFile.Open(name, CFile::modeCreate | CFile::modeWrite | CFile::shareDenyWrite);
            if (m_configAbandoned)
                DiagTrace("Can not create %s\n", (LPCSTR)name);
            continue;
        }
        if (m_frame.type != kFrameFileData || m_configAbandoned)
            continue;
        if (m_configFile.m_hFile == CFile::hFileNull) {
            // Data without a begin frame has no file to go to.
            AbandonConfigFile();
            continue;
        }
        try {
            m_configFile.Write(m_frame.body, m_frame.BodyLength());
        } catch (CFileException* e) {
            e->Delete();
            AbandonConfigFile();
            continue;
        }
        if (m_frame.flag != kFrameLast)
            continue;
        const CString path = m_configFile.GetFilePath();
        m_configFile.Close();
        if (CreateXmlDoc(XmlFile{path}, m_document))
            ::SetEvent(m_socket.m_hReplyEvent);
    }
}

int CDiagnosticTcpClient::DocumentRequest(RequestKind kind, const CString& text, DomDocumentPtr& document)
{
    if (Request(kind, text) != kMonitorSuccess) {
        m_document = nullptr;
        return kMonitorFailure;
    }
    document = std::move(m_document);
    m_document = nullptr;
    return kMonitorSuccess;
}

int CDiagnosticTcpClient::IsReachable(LPCSTR address)
{
    if (EnsureConnected(address != nullptr ? CString(address) : m_address) != kMonitorSuccess)
        return 0;
    return Request(kTestConnection, kTestConnectionRequest) == kMonitorSuccess ? 1 : 0;
}

int CDiagnosticTcpClient::GetRunningDrivers(DomDocumentPtr& document)
{
    return DocumentRequest(kRunningDrivers, kRunningDriversRequest, document);
}

int CDiagnosticTcpClient::GetEventLogCache(DomDocumentPtr& document)
{
    return DocumentRequest(kEventLogCache, kEventLogRequest, document);
}

int CDiagnosticTcpClient::SetTagValue(LPCSTR tag, LPCSTR value)
{
    if (!IsPlainField(tag) || !IsPlainField(value))
        return kMonitorInvalidValue;
    CString request;
    request.Format(kSetTagValueRequest, tag, value);
    if (request.GetLength() > kMaxTagRequestChars)
        return kMonitorFailure;
    return Request(kSetTagValue, request);
}

int CDiagnosticTcpClient::GetTagValue(LPCSTR tag, DomDocumentPtr& document)
{
    if (!IsPlainField(tag))
        return kMonitorInvalidValue;
    CString request;
    request.Format(kGetTagValueRequest, tag);
    if (request.GetLength() > kMaxTagRequestChars)
        return kMonitorFailure;
    return DocumentRequest(kGetTagValue, request, document);
}

int CDiagnosticTcpClient::GetTagsValue(int count, LPCSTR tagList, DomDocumentPtr& document)
{
    CString request;
    request.Format("%s%d%s", kGetTagsValueRequest, count, tagList != nullptr ? tagList : "");
    return DocumentRequest(kGetTagsValue, request, document);
}

int CDiagnosticTcpClient::UploadConfig(DomDocumentPtr& document)
{
    m_configAbandoned = false;
    const int result = DocumentRequest(kUploadConfig, kReadConfigRequest, document);
    m_kind = kNoRequest;
    if (m_configFile.m_hFile != CFile::hFileNull)
        m_configFile.Abort();
    return result;
}

void CDiagnosticTcpClient::ShowRefusal() const
{
    KorMessageBox(nullptr, m_refusalText, AfxGetAppName(), MB_OK);
}

int CDiagnosticTcpClient::SendDownloadFrame(const BYTE* frame, int length, bool lastFrame)
{
    ++m_answersExpected;
    ::ResetEvent(m_socket.m_hReplyEvent);
    if (!SendBytes(frame, length))
        return kMonitorFailure;
    const bool answered = WaitForReply();
    if (m_refused) {
        ShowRefusal();
        return kMonitorFailure;
    }
    if (m_requestFailed || !m_socket.m_bConnected)
        return kMonitorFailure;
    // Only the last frame's answer must come; a late one of an earlier frame counts for that frame.
    return answered || !lastFrame ? kMonitorSuccess : kMonitorFailure;
}

int CDiagnosticTcpClient::DownloadConfig(unsigned crc16, LPCSTR path)
{
    m_answersReceived = 0;
    m_answersExpected = 1;
    m_refused = false;
    m_refusalText.Empty();
    CString request;
    request.Format(kSaveConfigRequest, crc16 & 0xFFFF);
    int result = Request(kDownloadConfig, request);
    if (m_refused) {
        ShowRefusal();
        result = kMonitorFailure;
    }
    if (result == kMonitorSuccess) {
        CFile file;
        if (!file.Open(path, CFile::modeRead | CFile::typeBinary | CFile::shareDenyNone)) {
            result = kMonitorFailure;
        } else {
            BYTE frame[kMaxFrameBytes];
            try {
                const ULONGLONG length = file.GetLength();
                ULONGLONG sent = 0;
                while (result == kMonitorSuccess && sent < length) {
                    const UINT count = file.Read(frame + kFrameHeaderBytes, kMaxFrameBodyBytes);
                    if (count == 0)
                        break;
                    EncodeFrameHeader(static_cast<WORD>(count + kFrameHeaderBytes), kFrameFileData, 0, frame);
                    result = SendDownloadFrame(frame, static_cast<int>(count + kFrameHeaderBytes), false);
                    sent += count;
                }
            } catch (CFileException* e) {
                e->Delete();
                result = kMonitorFailure;
            }
            file.Abort();
            if (result == kMonitorSuccess) {
                EncodeFrameHeader(kFrameHeaderBytes, kFrameFileData, kFrameLast, frame);
                result = SendDownloadFrame(frame, kFrameHeaderBytes, true);
            }
        }
    }
    m_kind = kNoRequest;
    return result;
}

int CDiagnosticTcpClient::RebootModule()
{
    return Request(kReboot, kShutdownRequest);
}

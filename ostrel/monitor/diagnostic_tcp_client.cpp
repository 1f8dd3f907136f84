#include "ostrel/monitor/diagnostic_tcp_client.h"

#include "framework/module.h"
#include "ostrel/monitor/monitor_limits.h"
#include "ostrel/monitor/monitor_xml.h"

#include <algorithm>
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
// The configuration comes into this file and replaces the kept one once it is whole.
const char kPartFileSuffix[] = ".part";
const char kConfigRoot[] = "DeviceConfig";
const char kSetTagValueRoot[] = "settagvalue";
const char kSetTagValueResult[] = "result";
const char kSetTagValueAccepted[] = "OK";

// Why a request failed; each is formatted with the module's address first.
const char kNoAnswerText[] = "no answer from the module at %s";
const char kClosedText[] = "the module at %s closed the connection";
const char kCutReplyText[] = "the reply of the module at %s stopped after %d bytes: %s";
const char kDeadlineText[] = "the module at %s did not end its reply within %lu s";
const char kTooLongText[] = "the reply of the module at %s passed %d bytes";
const char kNotXmlText[] = "the module at %s answered with something that is not XML: %s";
const char kUnexpectedReplyText[] = "the module at %s answered %s";
const char kRefusedValueText[] = "the module at %s refused the value: %s";
const char kNoMagicText[] = "the module at %s sent a frame without its magic: %s";
const char kFrameLengthText[] = "the module at %s sent a frame of %u bytes";
const char kAnswerTypeText[] = "the module at %s answered with a frame of type %u";
const char kDataBeforeBeginText[] = "the module at %s sent file data before the file began";
const char kConfigCutText[] = "the configuration from the module at %s stopped after %lu bytes";
const char kConfigTooLongText[] = "the configuration from the module at %s passed %lu bytes";
const char kConfigNotXmlText[] = "the configuration from the module at %s is no DeviceConfig document";
const char kConfigNotWrittenText[] = "the configuration from the module at %s cannot be written to %s";

DWORD g_replyWaitLimitMs = kReplySilenceLimitMs;
// The deadline of every request when a test sets one; 0 for the program's own.
DWORD g_requestDeadlineMs = 0;

// Whether text may stand as a field of a request: it must not end the field or start another.
bool IsPlainField(LPCSTR text)
{
    return text != nullptr && strpbrk(text, "&=") == nullptr;
}

// The root element a reply of kind must have; null when any will do.
LPCSTR ExpectedRoot(CDiagnosticTcpClient::RequestKind kind)
{
    switch (kind) {
    case CDiagnosticTcpClient::kRunningDrivers:
        return "runningdrivers";
    case CDiagnosticTcpClient::kEventLogCache:
        return "eventLog";
    case CDiagnosticTcpClient::kSetTagValue:
        return kSetTagValueRoot;
    case CDiagnosticTcpClient::kGetTagValue:
    case CDiagnosticTcpClient::kGetTagsValue:
        return "tagsdata";
    default:
        return nullptr;
    }
}

bool IsTextRequest(CDiagnosticTcpClient::RequestKind kind)
{
    return kind >= CDiagnosticTcpClient::kTestConnection && kind <= CDiagnosticTcpClient::kGetTagsValue;
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

DWORD CDiagnosticTcpClient::SetRequestDeadline(DWORD deadlineMs)
{
    const DWORD previous = g_requestDeadlineMs;
    g_requestDeadlineMs = deadlineMs;
    return previous;
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
    int discarded = 0;
    while (m_socket.m_bConnected) {
        const int count = m_socket.Receive(scratch, sizeof scratch);
        // A module that does not stop sending gets a new connection.
        if (count > 0 && (discarded += count) <= kMaxReplyBytes)
            continue;
        if (count > 0) {
            m_socket.Close();
            m_socket.m_bConnected = false;
            break;
        }
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
    m_failure.Format(kNoAnswerText, (LPCSTR)address);
    if (!m_socket.Create())
        return kMonitorFailure;
    if (!m_socket.Connect(address, kDiagnosticPort)) {
        DiagTrace("Connect to %s failed, error %d\n", (LPCSTR)address, CAsyncSocket::GetLastError());
        m_socket.Close();
        return kMonitorFailure;
    }
    m_failure.Empty();
    const BOOL on = TRUE;
    m_socket.SetSockOpt(SO_DEBUG, &on, sizeof on);
    m_socket.SetSockOpt(SO_KEEPALIVE, &on, sizeof on);
    m_socket.m_bConnected = true;
    return kMonitorSuccess;
}

void CDiagnosticTcpClient::ResetReply()
{
    m_reply.Empty();
    m_scanner = XmlReplyScanner();
    m_failure.Empty();
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
    m_deadline = ::GetTickCount64() + RequestDeadline();
    m_deadlinePassed = false;
    if (!SendBytes(text, text.GetLength())) {
        m_kind = kNoRequest;
        NoteWaitFailure();
        return kMonitorFailure;
    }
    if (kind == kReboot)
        return kMonitorSuccess;
    const bool answered = WaitForReply();
    m_frameFill = 0;
    if (kind != kUploadConfig && kind != kDownloadConfig)
        m_kind = kNoRequest;
    if (answered)
        return kMonitorSuccess;
    NoteWaitFailure();
    // What still comes belongs to no request.
    DropConnection();
    return kMonitorFailure;
}

DWORD CDiagnosticTcpClient::RequestDeadline() const
{
    if (g_requestDeadlineMs != 0)
        return g_requestDeadlineMs;
    return m_kind == kUploadConfig || m_kind == kDownloadConfig ? kTransferDeadlineMs : kRequestDeadlineMs;
}

void CDiagnosticTcpClient::NoteWaitFailure()
{
    if (!m_failure.IsEmpty())
        return;
    const LPCSTR address = m_address;
    if (m_deadlinePassed)
        m_failure.Format(kDeadlineText, address, static_cast<unsigned long>(RequestDeadline() / 1000));
    else if (m_kind == kUploadConfig && m_configBytes > 0)
        m_failure.Format(kConfigCutText, address, static_cast<unsigned long>(m_configBytes));
    else if (!m_reply.IsEmpty())
        m_failure.Format(kCutReplyText, address, m_reply.GetLength(), (LPCSTR)ReplyExcerpt(m_reply));
    else if (m_requestFailed || !m_socket.m_bConnected)
        m_failure.Format(kClosedText, address);
    else
        m_failure.Format(kNoAnswerText, address);
    DiagTrace("%s\n", (LPCSTR)m_failure);
}

void CDiagnosticTcpClient::FailReply(const CString& text)
{
    if (m_failure.IsEmpty()) {
        m_failure = text;
        DiagTrace("%s\n", (LPCSTR)m_failure);
    }
    DropConnection();
}

bool CDiagnosticTcpClient::WaitForReply()
{
    HANDLE event = m_socket.m_hReplyEvent;
    DWORD& remaining = m_socket.m_dwRemainingWait;
    remaining = g_replyWaitLimitMs;
    DWORD lastCheck = ::GetTickCount();
    for (;;) {
        // However the data keeps coming, the request ends at its deadline.
        const ULONGLONG now64 = ::GetTickCount64();
        if (now64 >= m_deadline) {
            m_deadlinePassed = true;
            return false;
        }
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
        const DWORD untilDeadline = static_cast<DWORD>(m_deadline - now64);
        const DWORD woke = ::MsgWaitForMultipleObjectsEx(1, &event, std::min(remaining, untilDeadline), QS_POSTMESSAGE, 0);
        if (woke == WAIT_OBJECT_0)
            return true;
        if (woke == WAIT_TIMEOUT && remaining > untilDeadline)
            continue; // the deadline, found at the top
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
            if (m_frame.type != kFrameFileData) {
                CString text;
                text.Format(kAnswerTypeText, (LPCSTR)m_address, static_cast<UINT>(m_frame.type));
                FailReply(text);
                return;
            }
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
    // Data after a reply was judged, and data of no request, are dropped.
    if (count <= 0 || !IsTextRequest(m_kind) || m_requestFailed
        || ::WaitForSingleObject(m_socket.m_hReplyEvent, 0) == WAIT_OBJECT_0) {
        return;
    }
    CString text;
    if (m_reply.GetLength() + count > kMaxReplyBytes) {
        text.Format(kTooLongText, (LPCSTR)m_address, kMaxReplyBytes);
        FailReply(text);
        return;
    }
    m_reply += CString(buffer, count);
    // The reply is parsed once it is whole, not after every piece.
    switch (m_scanner.Add(buffer, static_cast<size_t>(count))) {
    case XmlReplyScanner::State::NotXml:
        text.Format(kNotXmlText, (LPCSTR)m_address, (LPCSTR)ReplyExcerpt(m_reply));
        FailReply(text);
        return;
    case XmlReplyScanner::State::Whole:
        CheckWholeReply();
        return;
    default:
        return;
    }
}

void CDiagnosticTcpClient::CheckWholeReply()
{
    CString text;
    DomDocumentPtr document;
    if (!CreateXmlDoc(m_reply, document)) {
        text.Format(kNotXmlText, (LPCSTR)m_address, (LPCSTR)ReplyExcerpt(m_reply));
        FailReply(text);
        return;
    }
    const LPCSTR expected = ExpectedRoot(m_kind);
    if (expected != nullptr && RootElementName(document) != expected) {
        text.Format(kUnexpectedReplyText, (LPCSTR)m_address, (LPCSTR)ReplyExcerpt(m_reply));
        FailReply(text);
        return;
    }
    // A running-drivers reply counts once its closing tag is there as written.
    if (m_kind == kRunningDrivers && m_reply.Find(kRunningDriversEnd) < 0)
        return;
    if (m_kind == kSetTagValue) {
        const CString result = AttributeText(SelectSingleNode(document, kSetTagValueRoot), kSetTagValueResult);
        if (!result.IsEmpty() && result.CompareNoCase(kSetTagValueAccepted) != 0) {
            text.Format(kRefusedValueText, (LPCSTR)m_address, (LPCSTR)ReplyExcerpt(m_reply));
            FailReply(text);
            return;
        }
    }
    m_document = std::move(document);
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
        CString text;
        if (m_frame.magic != kFrameMagic) {
            text.Format(kNoMagicText, (LPCSTR)m_address,
                        (LPCSTR)DescribeReplyBytes(reinterpret_cast<const char*>(m_frameHeader), kFrameHeaderBytes));
            FailReply(text);
            return false;
        }
        if (!IsValidFrameLength(m_frame.length)) {
            text.Format(kFrameLengthText, (LPCSTR)m_address, static_cast<UINT>(m_frame.length));
            FailReply(text);
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

CString CDiagnosticTcpClient::ConfigFileName() const
{
    CString name;
    name.Format(kConfigFileName, (LPCSTR)m_address);
    return name;
}

void CDiagnosticTcpClient::AbandonConfigFile()
{
    if (m_configFile.m_hFile != CFile::hFileNull) {
        m_configFile.Abort();
        ::DeleteFileA(ConfigFileName() + kPartFileSuffix);
    }
    m_configAbandoned = true;
}

void CDiagnosticTcpClient::ReceiveConfigFrame()
{
    CString text;
    while (m_socket.m_bConnected && !m_requestFailed && ReceiveFrame()) {
        if (m_frame.type == kFrameBeginFile) {
            AbandonConfigFile();
            m_configBytes = 0;
            const CString part = ConfigFileName() + kPartFileSuffix;
            m_configAbandoned = !m_configFile.Open(part, CFile::modeCreate | CFile::modeWrite | CFile::shareDenyWrite);
            if (m_configAbandoned) {
                text.Format(kConfigNotWrittenText, (LPCSTR)m_address, (LPCSTR)part);
                FailReply(text);
                return;
            }
            continue;
        }
        if (m_frame.type != kFrameFileData || m_configAbandoned)
            continue;
        if (m_configFile.m_hFile == CFile::hFileNull) {
            text.Format(kDataBeforeBeginText, (LPCSTR)m_address);
            FailReply(text);
            return;
        }
        if (m_configBytes + m_frame.BodyLength() > kMaxConfigurationBytes) {
            AbandonConfigFile();
            text.Format(kConfigTooLongText, (LPCSTR)m_address, static_cast<unsigned long>(kMaxConfigurationBytes));
            FailReply(text);
            return;
        }
        try {
            m_configFile.Write(m_frame.body, m_frame.BodyLength());
        } catch (CFileException* e) {
            e->Delete();
            AbandonConfigFile();
            text.Format(kConfigNotWrittenText, (LPCSTR)m_address, (LPCSTR)(ConfigFileName() + kPartFileSuffix));
            FailReply(text);
            return;
        }
        m_configBytes += m_frame.BodyLength();
        if (m_frame.flag == kFrameLast) {
            FinishConfigFile();
            return;
        }
    }
}

void CDiagnosticTcpClient::FinishConfigFile()
{
    const CString part = m_configFile.GetFilePath();
    m_configFile.Close();
    CString text;
    DomDocumentPtr document;
    if (!CreateXmlDoc(XmlFile{part}, document) || RootElementName(document) != kConfigRoot) {
        ::DeleteFileA(part);
        text.Format(kConfigNotXmlText, (LPCSTR)m_address);
        FailReply(text);
        return;
    }
    // Only a whole, readable configuration replaces the one kept before.
    if (!::MoveFileExA(part, ConfigFileName(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED)) {
        ::DeleteFileA(part);
        text.Format(kConfigNotWrittenText, (LPCSTR)m_address, (LPCSTR)ConfigFileName());
        FailReply(text);
        return;
    }
    m_document = std::move(document);
    ::SetEvent(m_socket.m_hReplyEvent);
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
    m_configBytes = 0;
    const int result = DocumentRequest(kUploadConfig, kReadConfigRequest, document);
    m_kind = kNoRequest;
    // A transfer that did not end leaves the kept file as it was.
    AbandonConfigFile();
    return result;
}

int CDiagnosticTcpClient::SendDownloadFrame(const BYTE* frame, int length)
{
    ++m_answersExpected;
    ::ResetEvent(m_socket.m_hReplyEvent);
    if (!SendBytes(frame, length))
        return kMonitorFailure;
    const bool answered = WaitForReply();
    if (m_refused) {
        m_failure = m_refusalText;
        return kMonitorFailure;
    }
    // A module that does not answer a frame ends the download there.
    if (!answered || m_requestFailed || !m_socket.m_bConnected) {
        NoteWaitFailure();
        DropConnection();
        return kMonitorFailure;
    }
    return kMonitorSuccess;
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
        m_failure = m_refusalText;
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
                    result = SendDownloadFrame(frame, static_cast<int>(count + kFrameHeaderBytes));
                    sent += count;
                }
            } catch (CFileException* e) {
                e->Delete();
                result = kMonitorFailure;
            }
            file.Abort();
            if (result == kMonitorSuccess) {
                EncodeFrameHeader(kFrameHeaderBytes, kFrameFileData, kFrameLast, frame);
                result = SendDownloadFrame(frame, kFrameHeaderBytes);
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

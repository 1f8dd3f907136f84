// CDiagnosticTcpClient, CNetSocket: Ostrel's client of the module's TCP text service, with the framed file transfer.
#pragma once

// Windows Sockets 2 before anything that brings in windows.h.
#include "framework/socket.h"

#include "common/xml_reply_scanner.h"
#include "framework/file.h"
#include "ostrel/monitor/diag_msg.h"
#include "ostrel/monitor/diagnostic_client.h"

class CDiagnosticTcpClient;

// The client's connection: passes received data to its client, and wakes
// the waiting request through the reply event.
class CNetSocket : public CSocket {
    DECLARE_DYNAMIC(CNetSocket)
public:
    explicit CNetSocket(CDiagnosticTcpClient& owner);
    ~CNetSocket() override;

    void OnReceive(int nErrorCode) override;
    void OnConnect(int nErrorCode) override;
    void OnClose(int nErrorCode) override;

    CDiagnosticTcpClient& m_owner;
    bool m_bConnected = false;
    // Auto-reset; set when the reply of the request in flight is complete.
    HANDLE m_hReplyEvent;
    // What is left of the silence the current wait allows.
    DWORD m_dwRemainingWait = 0;
};

// The client over TCP port 8000: one connection, kept open between requests.
class CDiagnosticTcpClient : public CDiagnosticClient {
public:
    CDiagnosticTcpClient();
    ~CDiagnosticTcpClient() override;

    int IsReachable(LPCSTR address) override;
    int GetRunningDrivers(DomDocumentPtr& document) override;
    int GetEventLogCache(DomDocumentPtr& document) override;
    int SetTagValue(LPCSTR tag, LPCSTR value) override;
    int GetTagValue(LPCSTR tag, DomDocumentPtr& document) override;
    int GetTagsValue(int count, LPCSTR tagList, DomDocumentPtr& document) override;
    int UploadConfig(DomDocumentPtr& document) override;
    int DownloadConfig(unsigned crc16, LPCSTR path) override;
    int RebootModule() override;

    // The reason the module gave for refusing the last download; empty when it did not refuse. The caller shows it.
    const CString& GetRefusal() const { return m_refusalText; }

    // Called by the socket: data has arrived, or the module closed the connection.
    void OnReceive();
    void OnConnectionClosed();

    // The silence after which a request fails (test seam; the program keeps
    // 10 000 ms). Returns the previous limit.
    static DWORD SetReplyWaitLimit(DWORD limitMs);
    static DWORD GetReplyWaitLimit();
    // The time a whole request may take however the module keeps sending
    // (test seam; the program keeps 30 s for a text request and 120 s for a
    // configuration transfer; 0 brings those back). Returns the previous one.
    static DWORD SetRequestDeadline(DWORD deadlineMs);

    // Request kinds.
    enum RequestKind {
        kNoRequest = 0,
        kTestConnection = 1,
        kRunningDrivers = 2,
        kEventLogCache = 3,
        kSetTagValue = 4,
        kGetTagValue = 5,
        kGetTagsValue = 6,
        kUploadConfig = 7,
        kDownloadConfig = 8,
        kReboot = 9,
    };

private:
    // Uses the open connection to address, or opens a new one; 0 or -1000.
    int EnsureConnected(const CString& address);
    // Sends one request of kind and, unless kind is kReboot, waits for its
    // reply; 0, or -1000 when nothing complete came.
    int Request(RequestKind kind, const CString& text);
    // A text request whose reply document goes to document.
    int DocumentRequest(RequestKind kind, const CString& text, DomDocumentPtr& document);
    // Waits until the reply event is set; false after the silence limit, a
    // lost connection or WM_QUIT.
    bool WaitForReply();
    // Prepares the state for the next reply: empty text, no document, a fresh frame.
    void ResetReply();
    // Dispatches the socket notifications that are queued (a close the module made meanwhile).
    void DispatchSocketNotifications();
    // Reads and drops bytes left from an earlier request; notes a connection the module closed.
    void DiscardStaleData();
    // Closes the connection (a broken frame) and fails the request in flight.
    void DropConnection();
    // Fails the request in flight for what the module sent (text formatted
    // with the address), closing the connection: what follows is no reply.
    void FailReply(const CString& text);
    // The deadline of the request in flight, by its kind.
    DWORD RequestDeadline() const;
    // Notes the failure text of a wait that ended without a whole reply, unless a reason is known.
    void NoteWaitFailure();
    // A whole text reply: parsed and checked against what its request expects.
    void CheckWholeReply();
    bool SendBytes(const void* data, int length);
    // Sends one frame of the download and waits for the answers up to it; -1000 on a refusal or when no answer comes.
    int SendDownloadFrame(const BYTE* frame, int length);

    void ReceiveText();
    // Reads into the receive frame; true once it is whole.
    bool ReceiveFrame();
    void ReceiveConfigFrame();
    // The received file, parsed, replaces "current-ADDRESS.xml".
    void FinishConfigFile();
    void AbandonConfigFile();
    CString ConfigFileName() const;

    CNetSocket m_socket;
    CString m_reply;
    XmlReplyScanner m_scanner;
    DomDocumentPtr m_document;
    // The tick count by which the request in flight must end.
    ULONGLONG m_deadline = 0;
    bool m_deadlinePassed = false;
    RequestKind m_kind = kNoRequest;
    CDiagMsg m_frame;
    BYTE m_frameHeader[kFrameHeaderBytes] = {};
    UINT m_frameFill = 0;
    // The configuration being received goes into a file of its own until it is whole.
    CFile m_configFile;
    ULONGLONG m_configBytes = 0;
    // A received configuration that could not be written: its frames are ignored.
    bool m_configAbandoned = false;
    // The request in flight failed for good (its connection was dropped).
    bool m_requestFailed = false;
    // Answers of a download: how many came, how many the current wait needs, and the refusal if one came.
    int m_answersReceived = 0;
    int m_answersExpected = 0;
    bool m_refused = false;
    CString m_refusalText;
};

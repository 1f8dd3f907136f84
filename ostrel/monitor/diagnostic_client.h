// CDiagnosticClient: what Ostrel asks of a module, through its one client (diagnostic_tcp_client.h).
#pragma once

#include "common/msxml_support.h"

// What Ostrel asks of a module. Every operation runs on the GUI thread and
// returns 0 or -1000 (IsReachable: 1 or 0). An operation that returns a
// document replaces the caller's document with the reply's on success. Only
// the reply a request expects counts (a whole XML document of its root
// element, frames with their magic); anything else, silence, a reply past its
// size limit or one that does not end by its deadline fails the operation
// with the reason in GetFailureText.
class CDiagnosticClient {
public:
    virtual ~CDiagnosticClient() = default;
    CDiagnosticClient(const CDiagnosticClient&) = delete;
    CDiagnosticClient& operator=(const CDiagnosticClient&) = delete;

    // The program's one client (the TCP client), made on the first call and destroyed at exit.
    static CDiagnosticClient* GetInstance();

    // The module's address: that of the last connection.
    const CString& GetAddress() const { return m_address; }
    // What went wrong in the last operation that failed: what the module sent, or that it sent nothing.
    const CString& GetFailureText() const { return m_failure; }

    // Connects to address (null: the stored one) and tests the connection;
    // this is how a caller turns to another module.
    virtual int IsReachable(LPCSTR address) = 0;
    virtual int GetRunningDrivers(DomDocumentPtr& document) = 0;
    virtual int GetEventLogCache(DomDocumentPtr& document) = 0;
    // -997 (nothing sent) when the tag or the value holds "&" or "=".
    virtual int SetTagValue(LPCSTR tag, LPCSTR value) = 0;
    virtual int GetTagValue(LPCSTR tag, DomDocumentPtr& document) = 0;
    // tagList: "&tag0=NAME&tag1=NAME..." for count tags.
    virtual int GetTagsValue(int count, LPCSTR tagList, DomDocumentPtr& document) = 0;
    // Receives the configuration into "current-ADDRESS.xml" in the working folder and returns it parsed. The
    // file there is replaced only by a whole DeviceConfig document.
    virtual int UploadConfig(DomDocumentPtr& document) = 0;
    // Sends the file at path as the module's configuration; crc16 is the file's CRC-16.
    virtual int DownloadConfig(unsigned crc16, LPCSTR path) = 0;
    // Asks the module to reboot and returns at once.
    virtual int RebootModule() = 0;

protected:
    CDiagnosticClient() = default;

    CString m_address;
    CString m_failure;
};

// CModuleWebClient: the client of the module's HTTP web service ("/services/nph-ws").
#pragma once

#include "framework/handles.h"
#include "framework/strings.h"

#include <windows.h>
#include <wininet.h>

struct InternetHandleTraits {
    using Type = HINTERNET;
    static Type Invalid() noexcept { return nullptr; }
    static void Close(Type h) noexcept { ::InternetCloseHandle(h); }
};
using ScopedInternetHandle = UniqueHandle<InternetHandleTraits>;

// Each request opens and closes its own Internet handle, connection and
// request; between requests no handle stays open. The blocking send of a
// request runs on a short-lived worker thread while the calling thread waits
// for it with the send limit; every socket operation of the request is
// bounded by the same limit. Nothing is shown: failures are success flags,
// SaveFile's last error text and ReadConfig's returned text.
class CModuleWebClient {
public:
    CModuleWebClient();
    virtual ~CModuleWebClient() = default;
    CModuleWebClient(const CModuleWebClient&) = delete;
    CModuleWebClient& operator=(const CModuleWebClient&) = delete;

    void SetHost(const CString& host) { m_host = host; }
    const CString& GetHost() const { return m_host; }
    // Connect time-out of every request and limit of its send, in milliseconds.
    void SetTimeout(DWORD timeoutMs) { m_timeoutMs = timeoutMs; }
    DWORD GetTimeout() const { return m_timeoutMs; }
    // The reason of SaveFile's last failure; after another request, why its
    // reply was broken (empty when the module refused it with a status).
    const CString& GetLastErrorText() const { return m_lastError; }

    // GET of path; true when the module answers with a status line of "200"
    // and a whole body (no longer than the text limit) within the send limit.
    // A wait below the time-out shortens the send limit.
    bool Get(const CString& path, int waitMs);
    // A wait from 0 to 4999 ms becomes 5000.
    bool TestConnection(int waitMs);
    bool InitSaveConfig(int waitMs);
    // Asks the module to reboot.
    bool Shutdown();
    // Posts the local file as the module's configuration configName with its
    // CRC-16; true on status "200", else false with the reason in the last error.
    bool SaveFile(const CString& localPath, const CString& configName);
    // Reads the module's current configuration into the local file. Returns
    // "" on success, else the error text. The body comes into a file of its
    // own and replaces the local file only when it came whole, with its
    // status line and length, within the time-out and the size limit: a
    // failed read leaves the local file as it was.
    CString ReadConfig(const CString& localPath);

protected:
    enum class SendKind { Plain, WithBody };
    // Sends request on a worker thread and waits for it at most limitMs. When
    // the limit runs out, closes the request (emptying it) and waits a bounded
    // time for the worker. True when the send succeeded in time.
    virtual bool SendRequestWithTimeout(ScopedInternetHandle& request, SendKind kind, DWORD limitMs);

private:
    struct Session;
    bool OpenInternet(Session& session) const;
    bool ConnectToModule(Session& session) const;
    bool OpenRequest(Session& session, LPCSTR verb, const CString& path, DWORD limitMs) const;
    // True when the reply opens with a status line; else false with the reason in the last error.
    bool CheckStatusLine(HINTERNET request);
    // The read of ReadConfig into the file part; "" or the error text. created tells whether part was made.
    CString ReadConfigInto(const CString& part, bool& created);

    CString m_host;
    DWORD m_timeoutMs;
    CString m_lastError;
};

// CAsyncSocket, CSocket, AfxSocketInit, SocketHandleTraits: Windows Sockets whose notifications arrive as messages of the thread's socket window, and the blocking socket over them.
#pragma once

// Windows Sockets 2 before anything that brings in windows.h.
#include <winsock2.h>

#include "framework/handles.h"
#include "framework/object.h"
#include "framework/strings.h"

// The socket window's messages: a Windows Sockets notification (wParam the
// socket, lParam the event and error), and a socket closed while some of its
// notifications may still be queued (wParam the socket).
constexpr UINT WM_SOCKET_NOTIFY = 0x0373;
constexpr UINT WM_SOCKET_DEAD = 0x0374;

// Every notification a socket can ask for.
constexpr long kAllSocketEvents = FD_READ | FD_WRITE | FD_OOB | FD_ACCEPT | FD_CONNECT | FD_CLOSE;
// How long a blocking call of CSocket waits for its notification until one is set.
constexpr UINT kDefaultSocketTimeOutMs = 2000;

struct SocketHandleTraits {
    using Type = SOCKET;
    static Type Invalid() noexcept { return INVALID_SOCKET; }
    static void Close(Type s) noexcept { ::closesocket(s); }
};
using ScopedSocket = UniqueHandle<SocketHandleTraits>;

// Whether WM_QUIT waits in the thread's queue. A peek for other messages would
// take it away (the quit is returned whatever the filter): loops that take
// socket notifications ask this first.
BOOL IsQuitQueued();

// Starts Windows Sockets 2.2 for the program (once; it ends at exit). FALSE when it cannot be started.
BOOL AfxSocketInit(WSADATA* lpwsaData = nullptr);

// A socket whose notifications (data arrived, room to send, connected,
// closed ...) are posted to the socket window of the thread that created it
// and reach the On... handlers when that thread dispatches them. Every call
// returns at once; failures leave the reason in GetLastError().
class CAsyncSocket : public CObject {
    DECLARE_DYNAMIC(CAsyncSocket)
public:
    CAsyncSocket();
    // Closes the socket.
    ~CAsyncSocket() override;

    SOCKET m_hSocket;
    operator SOCKET() const noexcept { return m_hSocket; }

    // A new socket of nSocketType, bound to nSocketPort (0: any) on
    // lpszSocketAddress (null: any), asking for the notifications lEvent.
    BOOL Create(UINT nSocketPort = 0, int nSocketType = SOCK_STREAM, long lEvent = kAllSocketEvents,
                LPCSTR lpszSocketAddress = nullptr);
    // Asks for the notifications lEvent instead of those asked before (0: none).
    BOOL AsyncSelect(long lEvent = kAllSocketEvents);
    // Starts connecting to a dotted address or a host name; FALSE with
    // WSAEWOULDBLOCK while the connection is on its way (OnConnect follows).
    virtual BOOL Connect(LPCSTR lpszHostAddress, UINT nHostPort);
    // What has arrived, up to nBufLen bytes; 0 when the peer has closed,
    // SOCKET_ERROR (WSAEWOULDBLOCK when nothing is there yet) on failure.
    virtual int Receive(void* lpBuf, int nBufLen, int nFlags = 0);
    // Sends what fits now: the count, or SOCKET_ERROR.
    virtual int Send(const void* lpBuf, int nBufLen, int nFlags = 0);
    // Closes the socket; notifications still queued for it are dropped.
    virtual void Close();
    BOOL SetSockOpt(int nOptionName, const void* lpOptionValue, int nOptionLen, int nLevel = SOL_SOCKET);
    BOOL ShutDown(int nHow = SD_SEND);

    static int GetLastError() { return ::WSAGetLastError(); }
    // The object of a socket created on this thread, or null.
    static CAsyncSocket* FromHandle(SOCKET hSocket);
    // Hands one socket-window notification to the object of its socket.
    static void DoCallBack(WPARAM wParam, LPARAM lParam);
    // The calling thread's socket window (a message-only window made on first use).
    static HWND GetSocketWindow();

    // Notification handlers; nErrorCode is the Windows Sockets error that came with it.
    virtual void OnReceive(int nErrorCode);
    virtual void OnSend(int nErrorCode);
    virtual void OnOutOfBandData(int nErrorCode);
    virtual void OnAccept(int nErrorCode);
    virtual void OnConnect(int nErrorCode);
    virtual void OnClose(int nErrorCode);
};

// The blocking socket: Connect and Send return once they are done, the
// error came, or the time-out passed (WSAETIMEDOUT). While they wait only
// the socket window's messages are taken from the queue; those meant for
// other sockets, or for this one but another event, are dispatched after the
// call. Receive is the asynchronous one: a socket that is notified of data
// reads what has arrived.
class CSocket : public CAsyncSocket {
    DECLARE_DYNAMIC(CSocket)
public:
    CSocket() = default;

    BOOL Connect(LPCSTR lpszHostAddress, UINT nHostPort) override;
    // Sends all nBufLen bytes: nBufLen, or SOCKET_ERROR.
    int Send(const void* lpBuf, int nBufLen, int nFlags = 0) override;

    void SetTimeOut(UINT nTimeOutMs) { m_nTimeOut = nTimeOutMs; }
    UINT GetTimeOut() const { return m_nTimeOut; }

protected:
    // Waits for one of the events uStopFlag of this socket; FALSE with its error, or on the time-out.
    BOOL PumpMessages(long uStopFlag);

    UINT m_nTimeOut = kDefaultSocketTimeOutMs;
};

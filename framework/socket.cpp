#include "framework/socket.h"

#include <ws2tcpip.h>

#include <cstdlib>
#include <unordered_map>
#include <unordered_set>
#include <vector>

IMPLEMENT_DYNAMIC(CAsyncSocket, CObject)
IMPLEMENT_DYNAMIC(CSocket, CAsyncSocket)

namespace {

constexpr char kSocketWindowClass[] = "KorvaneSocketWindow";

// Windows Sockets, started once for the program and ended at exit.
struct SocketStartup {
    bool started = false;
    WSADATA data = {};
    ~SocketStartup()
    {
        if (started)
            ::WSACleanup();
    }
};

SocketStartup& Startup()
{
    static SocketStartup startup;
    return startup;
}

LRESULT CALLBACK SocketWindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

// What one thread keeps of its sockets: the window their notifications go
// to, the objects by handle, and the sockets closed while a notification of
// theirs may still wait in the queue (until their WM_SOCKET_DEAD comes).
struct SocketThreadState {
    HWND window = nullptr;
    std::unordered_map<SOCKET, CAsyncSocket*> sockets;
    std::unordered_set<SOCKET> dead;

    ~SocketThreadState()
    {
        if (window != nullptr)
            ::DestroyWindow(window);
    }

    HWND Window()
    {
        if (window != nullptr)
            return window;
        HINSTANCE instance = ::GetModuleHandleA(nullptr);
        WNDCLASSA wc = {};
        if (!::GetClassInfoA(instance, kSocketWindowClass, &wc)) {
            wc.lpfnWndProc = SocketWindowProc;
            wc.hInstance = instance;
            wc.lpszClassName = kSocketWindowClass;
            ::RegisterClassA(&wc);
        }
        window = ::CreateWindowExA(0, kSocketWindowClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, nullptr);
        return window;
    }
};

SocketThreadState& ThreadState()
{
    thread_local SocketThreadState state;
    return state;
}

LRESULT CALLBACK SocketWindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_SOCKET_NOTIFY) {
        CAsyncSocket::DoCallBack(wParam, lParam);
        return 0;
    }
    if (message == WM_SOCKET_DEAD) {
        ThreadState().dead.erase(static_cast<SOCKET>(wParam));
        return 0;
    }
    return ::DefWindowProcA(hWnd, message, wParam, lParam);
}

// The address of a dotted address or a host name; false when it has none.
bool ResolveAddress(LPCSTR host, in_addr& address)
{
    if (host == nullptr || *host == '\0')
        return false;
    address.s_addr = ::inet_addr(host);
    if (address.s_addr != INADDR_NONE)
        return true;
    addrinfo hints = {};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (::getaddrinfo(host, nullptr, &hints, &found) != 0 || found == nullptr) {
        ::WSASetLastError(WSAEINVAL);
        return false;
    }
    address = reinterpret_cast<sockaddr_in*>(found->ai_addr)->sin_addr;
    ::freeaddrinfo(found);
    return true;
}

} // namespace

BOOL IsQuitQueued()
{
    MSG msg;
    return ::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE);
}

BOOL AfxSocketInit(WSADATA* lpwsaData)
{
    SocketStartup& startup = Startup();
    if (!startup.started)
        startup.started = ::WSAStartup(MAKEWORD(2, 2), &startup.data) == 0;
    if (startup.started && lpwsaData != nullptr)
        *lpwsaData = startup.data;
    return startup.started ? TRUE : FALSE;
}

CAsyncSocket::CAsyncSocket() : m_hSocket(INVALID_SOCKET) {}

CAsyncSocket::~CAsyncSocket()
{
    if (m_hSocket != INVALID_SOCKET)
        CAsyncSocket::Close();
}

HWND CAsyncSocket::GetSocketWindow()
{
    return ThreadState().Window();
}

CAsyncSocket* CAsyncSocket::FromHandle(SOCKET hSocket)
{
    const auto& sockets = ThreadState().sockets;
    const auto found = sockets.find(hSocket);
    return found != sockets.end() ? found->second : nullptr;
}

BOOL CAsyncSocket::Create(UINT nSocketPort, int nSocketType, long lEvent, LPCSTR lpszSocketAddress)
{
    if (m_hSocket != INVALID_SOCKET) {
        ::WSASetLastError(WSAEISCONN);
        return FALSE;
    }
    ScopedSocket created(::socket(AF_INET, nSocketType, 0));
    if (!created)
        return FALSE;
    sockaddr_in local = {};
    local.sin_family = AF_INET;
    local.sin_port = ::htons(static_cast<u_short>(nSocketPort));
    local.sin_addr.s_addr = ::htonl(INADDR_ANY);
    if (lpszSocketAddress != nullptr && !ResolveAddress(lpszSocketAddress, local.sin_addr))
        return FALSE;
    if (::bind(created.Get(), reinterpret_cast<const sockaddr*>(&local), sizeof local) == SOCKET_ERROR)
        return FALSE;
    m_hSocket = created.Detach();
    ThreadState().sockets[m_hSocket] = this;
    if (!AsyncSelect(lEvent)) {
        const int error = GetLastError();
        Close();
        ::WSASetLastError(error);
        return FALSE;
    }
    return TRUE;
}

BOOL CAsyncSocket::AsyncSelect(long lEvent)
{
    HWND window = GetSocketWindow();
    if (window == nullptr) {
        ::WSASetLastError(WSAENETDOWN);
        return FALSE;
    }
    return ::WSAAsyncSelect(m_hSocket, window, WM_SOCKET_NOTIFY, lEvent) == 0;
}

BOOL CAsyncSocket::Connect(LPCSTR lpszHostAddress, UINT nHostPort)
{
    sockaddr_in peer = {};
    peer.sin_family = AF_INET;
    peer.sin_port = ::htons(static_cast<u_short>(nHostPort));
    if (!ResolveAddress(lpszHostAddress, peer.sin_addr))
        return FALSE;
    return ::connect(m_hSocket, reinterpret_cast<const sockaddr*>(&peer), sizeof peer) != SOCKET_ERROR;
}

int CAsyncSocket::Receive(void* lpBuf, int nBufLen, int nFlags)
{
    return ::recv(m_hSocket, static_cast<char*>(lpBuf), nBufLen, nFlags);
}

int CAsyncSocket::Send(const void* lpBuf, int nBufLen, int nFlags)
{
    return ::send(m_hSocket, static_cast<const char*>(lpBuf), nBufLen, nFlags);
}

void CAsyncSocket::Close()
{
    if (m_hSocket == INVALID_SOCKET)
        return;
    SocketThreadState& state = ThreadState();
    if (state.window != nullptr) {
        ::WSAAsyncSelect(m_hSocket, state.window, 0, 0);
        // A new socket may get the same handle: the notifications queued
        // before this message are the old one's and are dropped.
        state.dead.insert(m_hSocket);
        ::PostMessageA(state.window, WM_SOCKET_DEAD, static_cast<WPARAM>(m_hSocket), 0);
    }
    state.sockets.erase(m_hSocket);
    ::closesocket(m_hSocket);
    m_hSocket = INVALID_SOCKET;
}

BOOL CAsyncSocket::SetSockOpt(int nOptionName, const void* lpOptionValue, int nOptionLen, int nLevel)
{
    return ::setsockopt(m_hSocket, nLevel, nOptionName, static_cast<const char*>(lpOptionValue), nOptionLen) == 0;
}

BOOL CAsyncSocket::ShutDown(int nHow)
{
    return ::shutdown(m_hSocket, nHow) == 0;
}

void CAsyncSocket::DoCallBack(WPARAM wParam, LPARAM lParam)
{
    const SOCKET hSocket = static_cast<SOCKET>(wParam);
    SocketThreadState& state = ThreadState();
    if (state.dead.count(hSocket) != 0)
        return;
    CAsyncSocket* pSocket = FromHandle(hSocket);
    if (pSocket == nullptr)
        return;
    const int error = WSAGETSELECTERROR(lParam);
    switch (WSAGETSELECTEVENT(lParam)) {
    case FD_READ:
        pSocket->OnReceive(error);
        break;
    case FD_WRITE:
        pSocket->OnSend(error);
        break;
    case FD_OOB:
        pSocket->OnOutOfBandData(error);
        break;
    case FD_ACCEPT:
        pSocket->OnAccept(error);
        break;
    case FD_CONNECT:
        pSocket->OnConnect(error);
        break;
    case FD_CLOSE:
        pSocket->OnClose(error);
        break;
    default:
        break;
    }
}

void CAsyncSocket::OnReceive(int) {}
void CAsyncSocket::OnSend(int) {}
void CAsyncSocket::OnOutOfBandData(int) {}
void CAsyncSocket::OnAccept(int) {}
void CAsyncSocket::OnConnect(int) {}
void CAsyncSocket::OnClose(int) {}

BOOL CSocket::PumpMessages(long uStopFlag)
{
    SocketThreadState& state = ThreadState();
    HWND window = state.window;
    if (window == nullptr) {
        ::WSASetLastError(WSAENOTSOCK);
        return FALSE;
    }
    // Notifications taken from the queue that are not this call's, posted again at its end.
    std::vector<MSG> kept;
    const DWORD start = ::GetTickCount();
    BOOL result = FALSE;
    int error = WSAETIMEDOUT;
    for (bool waiting = true; waiting;) {
        MSG msg;
        // The program is ending: the call gives up and the quit stays queued.
        if (IsQuitQueued()) {
            error = WSAEINTR;
            break;
        }
        // Messages queued by now count as seen: only those posted later wake the wait below.
        ::GetQueueStatus(QS_POSTMESSAGE);
        while (waiting && ::PeekMessageA(&msg, window, WM_SOCKET_NOTIFY, WM_SOCKET_DEAD, PM_REMOVE)) {
            const SOCKET hSocket = static_cast<SOCKET>(msg.wParam);
            if (msg.message == WM_SOCKET_DEAD) {
                state.dead.erase(hSocket);
            } else if (hSocket == m_hSocket && (WSAGETSELECTEVENT(msg.lParam) & uStopFlag) != 0) {
                error = WSAGETSELECTERROR(msg.lParam);
                // A closed connection is an error for a call that waits to send.
                if (error == 0 && WSAGETSELECTEVENT(msg.lParam) == FD_CLOSE)
                    error = WSAECONNRESET;
                result = error == 0;
                waiting = false;
                if (WSAGETSELECTEVENT(msg.lParam) == FD_CLOSE)
                    kept.push_back(msg);
            } else if (state.dead.count(hSocket) == 0) {
                kept.push_back(msg);
            }
        }
        const DWORD elapsed = ::GetTickCount() - start;
        if (!waiting || elapsed >= m_nTimeOut)
            break;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, m_nTimeOut - elapsed, QS_POSTMESSAGE);
    }
    for (const MSG& msg : kept)
        ::PostMessageA(window, msg.message, msg.wParam, msg.lParam);
    if (!result)
        ::WSASetLastError(error);
    return result;
}

BOOL CSocket::Connect(LPCSTR lpszHostAddress, UINT nHostPort)
{
    if (CAsyncSocket::Connect(lpszHostAddress, nHostPort))
        return TRUE;
    if (GetLastError() != WSAEWOULDBLOCK)
        return FALSE;
    return PumpMessages(FD_CONNECT);
}

int CSocket::Send(const void* lpBuf, int nBufLen, int nFlags)
{
    const char* data = static_cast<const char*>(lpBuf);
    int sent = 0;
    while (sent < nBufLen) {
        const int count = CAsyncSocket::Send(data + sent, nBufLen - sent, nFlags);
        if (count != SOCKET_ERROR) {
            sent += count;
            continue;
        }
        if (GetLastError() != WSAEWOULDBLOCK || !PumpMessages(FD_WRITE | FD_CLOSE))
            return SOCKET_ERROR;
    }
    return nBufLen;
}

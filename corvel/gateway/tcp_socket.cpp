#include "corvel/gateway/tcp_socket.h"

#include <ws2tcpip.h>

#include <io.h>
#include <stdio.h>

#include <algorithm>
#include <new>

namespace {

// Largest block of a file-range send.
constexpr int kFileBlockBytes = 8192;

int SocketTypeOfKind(int kind)
{
    switch (kind) {
    case SocketKindTcp:
    case SocketKindTcp6:
        return SOCK_STREAM;
    case SocketKindUdp:
    case SocketKindUdp6:
        return SOCK_DGRAM;
    default:
        return 0;
    }
}

} // namespace

SocketError TranslateSocketError(int platformError)
{
    switch (platformError) {
    case 0:
        return SocketSuccess;
    case WSAEACCES:
    case WSAEINVAL:
    case WSAEMFILE:
    case WSAENOTSOCK:
    case WSAEPROTONOSUPPORT:
    case WSAEAFNOSUPPORT:
    case WSAENOBUFS:
        return SocketInvalidSocket;
    case WSANO_DATA:
        return SocketInvalidAddress;
    case WSAECONNREFUSED:
        return SocketConnectionRefused;
    case WSAETIMEDOUT:
        return SocketTimedOut;
    case WSAEWOULDBLOCK:
        return SocketWouldBlock;
    case WSAEBADF:
    case WSAENOTCONN:
        return SocketNotConnected;
    case WSAEINPROGRESS:
        return SocketInProgress;
    case WSAEINTR:
        return SocketInterrupted;
    case WSAECONNABORTED:
        return SocketConnectionAborted;
    case WSAECONNRESET:
        return SocketConnectionReset;
    case WSAEADDRINUSE:
        return SocketAddressInUse;
    case WSAEFAULT:
        return SocketInvalidPointer;
    default:
        return SocketOtherError;
    }
}

CTcpSocket::CTcpSocket(int kind)
{
    switch (kind) {
    case SocketKindTcp:
    case SocketKindUdp:
        m_kind = kind;
        m_family = AF_INET;
        break;
    case SocketKindTcp6:
    case SocketKindUdp6:
        m_kind = kind;
        m_family = AF_INET6;
        break;
    default:
        m_kind = SocketKindInvalid;
        break;
    }
}

CTcpSocket::~CTcpSocket()
{
    m_socket.Reset();
    for (; m_startups > 0; --m_startups)
        ::WSACleanup();
}

void CTcpSocket::TranslateError()
{
    m_lastError = TranslateSocketError(::WSAGetLastError());
}

void CTcpSocket::StartTimer()
{
    LARGE_INTEGER now = {};
    ::QueryPerformanceCounter(&now);
    m_callStart = now.QuadPart;
    m_callEnd = now.QuadPart;
}

void CTcpSocket::StopTimer()
{
    LARGE_INTEGER now = {};
    ::QueryPerformanceCounter(&now);
    m_callEnd = now.QuadPart;
}

void CTcpSocket::FreeReceiveBuffer()
{
    m_receiveBuffer.reset();
    m_receiveBufferSize = 0;
}

bool CTcpSocket::Initialize()
{
    ::WSASetLastError(0);
    if (::WSAStartup(MAKEWORD(2, 0), &m_startup) == 0)
        ++m_startups;
    if (m_kind == SocketKindInvalid) {
        m_lastError = SocketInvalidSocket;
        return false;
    }
    StartTimer();
    ::WSASetLastError(0);
    m_socket.Attach(::socket(m_family, SocketTypeOfKind(m_kind), 0));
    StopTimer();
    TranslateError();
    return IsSocketValid();
}

bool CTcpSocket::Close()
{
    FreeReceiveBuffer();
    bool closed = false;
    ::WSASetLastError(0);
    if (IsSocketValid() && ::closesocket(m_socket.Get()) == 0) {
        m_socket.Detach();
        closed = true;
    }
    TranslateError();
    return closed;
}

bool CTcpSocket::Shutdown(int)
{
    ::WSASetLastError(0);
    const bool done = ::shutdown(m_socket.Get(), SD_SEND) == 0;
    TranslateError();
    return done;
}

bool CTcpSocket::WaitForReadiness(long seconds, long microseconds)
{
    const SOCKET s = m_socket.Get();
    fd_set errorSet, readSet, writeSet;
    FD_ZERO(&errorSet);
    FD_ZERO(&readSet);
    FD_ZERO(&writeSet);
    FD_SET(s, &errorSet);
    FD_SET(s, &readSet);
    FD_SET(s, &writeSet);

    timeval limit = {seconds, microseconds};
    // The first argument is ignored by Windows Sockets.
    const int ready = ::select(0, &readSet, &writeSet, &errorSet, (seconds > 0 || microseconds > 0) ? &limit : nullptr);
    if (ready == 0) {
        m_lastError = SocketTimedOut;
        return false;
    }
    if (ready == SOCKET_ERROR)
        return false;

    int pending = 0;
    int length = sizeof pending;
    const bool havePending = ::getsockopt(s, SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&pending), &length) == 0;
    if (FD_ISSET(s, &readSet) || FD_ISSET(s, &writeSet)) {
        bool isReady = false;
        if (havePending) {
            ::WSASetLastError(pending);
            isReady = pending == 0;
        }
        TranslateError();
        return isReady;
    }
    // Only the error set: a failed connect. Its reason becomes the last error.
    if (havePending && pending != 0)
        m_lastError = TranslateSocketError(pending);
    return false;
}

bool CTcpSocket::WaitForReadiness()
{
    return WaitForReadiness(0, 0);
}

bool CTcpSocket::IsSocketValid() const
{
    return m_socket.IsValid();
}

int CTcpSocket::Receive(int maxBytes)
{
    m_bytesReceived = 0;
    if (!IsSocketValid() || maxBytes <= 0)
        return 0;
    if (m_receiveBuffer && m_receiveBufferSize != maxBytes)
        FreeReceiveBuffer();
    if (!m_receiveBuffer) {
        m_receiveBuffer.reset(new (std::nothrow) BYTE[maxBytes]);
        if (!m_receiveBuffer) {
            m_lastError = SocketOtherError;
            m_bytesReceived = SOCKET_ERROR;
            return m_bytesReceived;
        }
        m_receiveBufferSize = maxBytes;
    }

    m_lastError = SocketSuccess;
    char* buffer = reinterpret_cast<char*>(m_receiveBuffer.get());
    StartTimer();
    do {
        ::WSASetLastError(0);
        if (IsDatagram()) {
            sockaddr_in& source = m_multicast ? m_multicastAddress : m_clientAddress;
            int sourceLength = sizeof source;
            m_bytesReceived = ::recvfrom(m_socket.Get(), buffer, maxBytes, static_cast<int>(m_receiveFlags),
                                         reinterpret_cast<sockaddr*>(&source), &sourceLength);
        } else {
            m_bytesReceived = ::recv(m_socket.Get(), buffer, maxBytes, static_cast<int>(m_receiveFlags));
        }
        TranslateError();
    } while (m_bytesReceived == SOCKET_ERROR && m_lastError == SocketInterrupted);
    StopTimer();

    if (m_bytesReceived == SOCKET_ERROR)
        FreeReceiveBuffer();
    return m_bytesReceived;
}

int CTcpSocket::SendBuffers(const SocketBuffer* buffers, int count)
{
    m_lastError = SocketSuccess;
    int total = 0;
    int sentBuffers = 0;
    bool failed = false;
    for (int i = 0; i < count; ++i) {
        const int sent = Send(buffers[i].data, buffers[i].length);
        if (sent == SOCKET_ERROR) {
            failed = true;
            break;
        }
        total += sent;
        ++sentBuffers;
    }
    const SocketError sendError = m_lastError;
    if (sentBuffers > 0)
        Flush();
    if (failed) {
        m_lastError = sendError;
        total = SOCKET_ERROR;
    }
    m_bytesSent = total;
    return total;
}

int CTcpSocket::Send(const void* data, int length)
{
    m_lastError = SocketSuccess;
    m_bytesSent = 0;
    if (!IsSocketValid() || length <= 0 || data == nullptr)
        return m_bytesSent;

    const char* bytes = static_cast<const char*>(data);
    StartTimer();
    do {
        ::WSASetLastError(0);
        if (IsDatagram())
            m_bytesSent = ::sendto(m_socket.Get(), bytes, length, 0, reinterpret_cast<const sockaddr*>(&m_serverAddress),
                                   sizeof m_serverAddress);
        else
            m_bytesSent = ::send(m_socket.Get(), bytes, length, 0);
        TranslateError();
    } while (m_bytesSent == SOCKET_ERROR && m_lastError == SocketInterrupted);
    StopTimer();
    return m_bytesSent;
}

int CTcpSocket::SendFileRange(SOCKET destination, int source, long* offset, int count)
{
    if (offset == nullptr || count < 0 || ::_lseek(source, *offset, SEEK_SET) == -1)
        return SOCKET_ERROR;
    char block[kFileBlockBytes];
    int sent = 0;
    while (sent < count) {
        const int want = std::min(kFileBlockBytes, count - sent);
        if (::_read(source, block, static_cast<unsigned>(want)) != want)
            return SOCKET_ERROR;
        ::WSASetLastError(0);
        if (::send(destination, block, want, 0) != want) {
            TranslateError();
            return SOCKET_ERROR;
        }
        sent += want;
    }
    *offset += count;
    TranslateError();
    return count;
}

bool CTcpSocket::SetNonblocking()
{
    u_long on = 1;
    ::WSASetLastError(0);
    if (::ioctlsocket(m_socket.Get(), FIONBIO, &on) == 0) {
        m_blocking = false;
        return true;
    }
    TranslateError();
    return false;
}

void CTcpSocket::SetConnectTimeout(long seconds, long microseconds)
{
    m_connectTimeout.tv_sec = seconds;
    m_connectTimeout.tv_usec = microseconds;
}

bool CTcpSocket::Flush()
{
    const SOCKET s = m_socket.Get();
    int saved = 0;
    int length = sizeof saved;
    if (::getsockopt(s, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<char*>(&saved), &length) != 0)
        return false;
    int on = 1;
    ::setsockopt(s, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&on), sizeof on);
    ::WSASetLastError(0);
    const bool flushed = ::send(s, "", 0, 0) != SOCKET_ERROR;
    TranslateError();
    ::setsockopt(s, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&saved), sizeof saved);
    return flushed;
}

CTcpClient::~CTcpClient()
{
    Close();
}

bool CTcpClient::Open(const char* host, unsigned short port)
{
    if (!IsSocketValid()) {
        m_lastError = SocketInvalidSocket;
        return false;
    }
    if (host == nullptr || *host == '\0') {
        m_lastError = SocketInvalidAddress;
        return false;
    }
    if (port == 0) {
        m_lastError = SocketInvalidPort;
        return false;
    }
    if (!Connect(host, port, !IsDatagram()))
        return false;

    int length = sizeof m_serverAddress;
    ::getpeername(m_socket.Get(), reinterpret_cast<sockaddr*>(&m_serverAddress), &length);
    length = sizeof m_clientAddress;
    ::getsockname(m_socket.Get(), reinterpret_cast<sockaddr*>(&m_clientAddress), &length);
    m_lastError = SocketSuccess;
    return true;
}

bool CTcpClient::Connect(const char* host, unsigned short port, bool waitForConnect)
{
    m_serverAddress = {};
    m_serverAddress.sin_family = AF_INET;

    ::WSASetLastError(0);
    const hostent* entry = ::gethostbyname(host);
    if (entry == nullptr || entry->h_addrtype != AF_INET || entry->h_length != sizeof(in_addr)
        || entry->h_addr_list == nullptr || entry->h_addr_list[0] == nullptr) {
        TranslateError();
        if (m_lastError == SocketSuccess)
            m_lastError = SocketInvalidAddress;
        return false;
    }
    memcpy(&m_resolvedAddress, entry->h_addr_list[0], sizeof m_resolvedAddress);
    if (m_resolvedAddress.s_addr == INADDR_NONE) {
        TranslateError();
        if (m_lastError == SocketSuccess)
            m_lastError = SocketInvalidAddress;
        return false;
    }

    m_serverAddress.sin_addr = m_resolvedAddress;
    m_serverAddress.sin_port = ::htons(port);
    StartTimer();
    ::WSASetLastError(0);
    if (::connect(m_socket.Get(), reinterpret_cast<const sockaddr*>(&m_serverAddress), sizeof m_serverAddress) == 0) {
        TranslateError();
        StopTimer();
        return true;
    }
    TranslateError();
    bool connected = false;
    if (waitForConnect && IsNonblocking() && (m_lastError == SocketWouldBlock || m_lastError == SocketInProgress))
        connected = WaitForReadiness(m_connectTimeout.tv_sec, m_connectTimeout.tv_usec);
    StopTimer();
    return connected;
}

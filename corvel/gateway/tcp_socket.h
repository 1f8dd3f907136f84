// CTcpSocket, CTcpClient: a client socket over Windows Sockets 2 that keeps the last error as its own code.
#pragma once

// Windows Sockets 2 before anything that brings in windows.h.
#include <winsock2.h>

#include "framework/handles.h"
#include "framework/socket.h"

#include <memory>

// Kinds of socket; the number of a kind is the socket type it creates.
enum SocketKind {
    SocketKindInvalid = 0,
    SocketKindTcp = 1,
    SocketKindUdp = 2,
    SocketKindTcp6 = 3,
    SocketKindUdp6 = 4,
};

// The socket's own error codes (11 to 13 are never produced).
enum SocketError {
    SocketSuccess = 0,
    SocketInvalidSocket = 1,
    SocketInvalidAddress = 2,
    SocketInvalidPort = 3,
    SocketConnectionRefused = 4,
    SocketTimedOut = 5,
    SocketWouldBlock = 6,
    SocketNotConnected = 7,
    SocketInProgress = 8,
    SocketInterrupted = 9,
    SocketConnectionAborted = 10,
    SocketConnectionReset = 14,
    SocketAddressInUse = 15,
    SocketInvalidPointer = 16,
    SocketOtherError = 17,
};

// The socket's code for a Windows Sockets error number.
SocketError TranslateSocketError(int platformError);

// One pointer and length of a gathered send.
struct SocketBuffer {
    const void* data;
    int length;
};

// A socket used by one thread. No operation throws or shows anything: each
// returns its result and leaves a SocketError in the last error.
class CTcpSocket {
public:
    explicit CTcpSocket(int kind);
    virtual ~CTcpSocket();
    CTcpSocket(const CTcpSocket&) = delete;
    CTcpSocket& operator=(const CTcpSocket&) = delete;

    // Starts Windows Sockets (version 2.0) and creates the socket.
    virtual bool Initialize();
    // Frees the receive buffer and closes the socket.
    virtual bool Close();
    // Shuts down the sending side, whatever the mode.
    virtual bool Shutdown(int mode);
    // Waits until the socket is readable or writable and has no pending error.
    // With 0 seconds and 0 microseconds the wait has no limit.
    virtual bool WaitForReadiness(long seconds, long microseconds);
    virtual bool WaitForReadiness();
    virtual bool IsSocketValid() const;
    // Receives at most maxBytes into the receive buffer: the count, 0 when
    // the peer has closed, -1 on an error (SocketWouldBlock on a non-blocking
    // socket with nothing arrived; the buffer is then freed).
    virtual int Receive(int maxBytes);
    // Sends each buffer in turn, stops at the first failure, then flushes.
    virtual int SendBuffers(const SocketBuffer* buffers, int count);
    // Sends once: the count sent, 0 when nothing was attempted, -1 on an error.
    virtual int Send(const void* data, int length);
    // Sends count bytes of the file descriptor source from *offset on to
    // destination, in blocks of at most 8192 bytes; advances *offset.
    virtual int SendFileRange(SOCKET destination, int source, long* offset, int count);

    bool SetNonblocking();
    bool IsNonblocking() const { return !m_blocking; }
    void SetConnectTimeout(long seconds, long microseconds);
    long GetConnectTimeoutSeconds() const { return m_connectTimeout.tv_sec; }
    long GetConnectTimeoutMicroseconds() const { return m_connectTimeout.tv_usec; }
    SocketError GetSocketError() const { return m_lastError; }
    void SetSocketError(SocketError error) { m_lastError = error; }
    const BYTE* GetReceiveBuffer() const { return m_receiveBuffer.get(); }
    int GetBytesReceived() const { return m_bytesReceived; }
    int GetBytesSent() const { return m_bytesSent; }
    bool IsMulticast() const { return m_multicast; }
    int GetKind() const { return m_kind; }
    SOCKET GetHandle() const { return m_socket.Get(); }
    // Sends zero bytes with TCP_NODELAY set, then restores the option.
    bool Flush();
    // Performance-counter ticks of the last blocking platform call.
    LONGLONG GetLastCallTicks() const { return m_callEnd - m_callStart; }

protected:
    // Stores the code of the thread's last Windows Sockets error.
    void TranslateError();
    void StartTimer();
    void StopTimer();
    void FreeReceiveBuffer();
    bool IsDatagram() const { return m_kind == SocketKindUdp || m_kind == SocketKindUdp6; }

    ScopedSocket m_socket;
    SocketError m_lastError = SocketInvalidSocket;
    std::unique_ptr<BYTE[]> m_receiveBuffer;
    int m_receiveBufferSize = 0;
    int m_family = AF_INET;
    int m_kind = SocketKindInvalid;
    int m_bytesReceived = -1;
    int m_bytesSent = -1;
    DWORD m_receiveFlags = 0;
    bool m_blocking = true;
    bool m_multicast = false;
    timeval m_connectTimeout = {1, 0};
    sockaddr_in m_serverAddress = {};
    sockaddr_in m_clientAddress = {};
    sockaddr_in m_multicastAddress = {};
    LONGLONG m_callStart = 0;
    LONGLONG m_callEnd = 0;
    WSADATA m_startup = {};
    // Initialize's start-ups of Windows Sockets, each ended with the socket.
    int m_startups = 0;
};

// A socket that connects to a host and port.
class CTcpClient : public CTcpSocket {
public:
    explicit CTcpClient(int kind) : CTcpSocket(kind) {}
    ~CTcpClient() override;

    // Resolves host (dotted address or name) and connects to it. A
    // non-blocking TCP connect waits for the connect time-out.
    virtual bool Open(const char* host, unsigned short port);

    const sockaddr_in& GetPeerAddress() const { return m_serverAddress; }
    const sockaddr_in& GetLocalAddress() const { return m_clientAddress; }

private:
    bool Connect(const char* host, unsigned short port, bool waitForConnect);

    // The address of the last name resolution.
    in_addr m_resolvedAddress = {};
};

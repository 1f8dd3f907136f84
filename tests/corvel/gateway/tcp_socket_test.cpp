#include "corvel/gateway/tcp_socket.h"

#include <gtest/gtest.h>

#include "support/module_simulator.h"
#include "support/stopwatch.h"

#include <string>

namespace {

constexpr unsigned short kTextPort = 8000;

class TcpSocketTest : public ModuleSimulatorTest {
protected:
    // Receives until at least `bytes` bytes or a second has passed.
    static std::string ReceiveAtLeast(CTcpSocket& socket, size_t bytes)
    {
        std::string received;
        Stopwatch watch;
        while (received.size() < bytes && watch.ElapsedMs() < 1000) {
            const int count = socket.Receive(4096);
            if (count > 0)
                received.append(reinterpret_cast<const char*>(socket.GetReceiveBuffer()), static_cast<size_t>(count));
            else if (count == 0)
                break;
            else
                ::Sleep(10);
        }
        return received;
    }
};

TEST_F(TcpSocketTest, BlockingExchangeWithTheModule)
{
    CTcpClient socket(SocketKindTcp);
    ASSERT_TRUE(socket.Initialize());
    ASSERT_TRUE(socket.Open(ModuleAddress(), kTextPort));
    EXPECT_EQ(SocketSuccess, socket.GetSocketError());
    EXPECT_EQ(inet_addr(ModuleAddress()), socket.GetPeerAddress().sin_addr.s_addr);
    EXPECT_EQ(htons(kTextPort), socket.GetPeerAddress().sin_port);
    EXPECT_NE(0, socket.GetLocalAddress().sin_port);

    const std::string request = "trn=getrunningdrivers";
    EXPECT_EQ(static_cast<int>(request.size()), socket.Send(request.data(), static_cast<int>(request.size())));
    EXPECT_EQ(0, socket.Send(request.data(), 0)) << "nothing to send";
    const std::string reply = ReceiveAtLeast(socket, 1);
    EXPECT_EQ(0u, reply.find("<?xml version=\"1.0\"?><runningdrivers>")) << reply;

    EXPECT_TRUE(socket.Shutdown(SD_BOTH));
    EXPECT_TRUE(socket.Close());
    EXPECT_FALSE(socket.IsSocketValid());
    EXPECT_EQ(std::vector<std::string>{request}, Simulator().Requests("tcp"));
}

TEST_F(TcpSocketTest, GatheredSendGoesOutInOrder)
{
    CTcpClient socket(SocketKindTcp);
    ASSERT_TRUE(socket.Initialize());
    ASSERT_TRUE(socket.Open(ModuleAddress(), kTextPort));
    const SocketBuffer pieces[] = {{"trn=", 4}, {"testconnection", 14}};
    EXPECT_EQ(18, socket.SendBuffers(pieces, 2));
    EXPECT_EQ(18, socket.GetBytesSent());
    ReceiveAtLeast(socket, 1);
    socket.Close();
    EXPECT_EQ(std::vector<std::string>{"trn=testconnection"}, Simulator().Requests("tcp"));
}

TEST_F(TcpSocketTest, NonblockingReceiveWithNothingArrived)
{
    CTcpClient socket(SocketKindTcp);
    ASSERT_TRUE(socket.Initialize());
    ASSERT_TRUE(socket.SetNonblocking());
    EXPECT_TRUE(socket.IsNonblocking());
    ASSERT_TRUE(socket.Open(ModuleAddress(), kTextPort));

    EXPECT_EQ(-1, socket.Receive(256));
    EXPECT_EQ(SocketWouldBlock, socket.GetSocketError());
    EXPECT_EQ(nullptr, socket.GetReceiveBuffer()) << "a failed receive frees the buffer";

    socket.Send("trn=testconnection", 18);
    EXPECT_FALSE(ReceiveAtLeast(socket, 1).empty());
    EXPECT_NE(nullptr, socket.GetReceiveBuffer());
}

TEST_F(TcpSocketTest, OpenFailures)
{
    struct Case {
        const char* name;
        const char* host; // null: the module's address
        unsigned short port;
        bool initialise;
        SocketError error;
    };
    const Case cases[] = {
        {"not initialised", nullptr, kTextPort, false, SocketInvalidSocket},
        {"empty host", "", kTextPort, true, SocketInvalidAddress},
        {"port 0", nullptr, 0, true, SocketInvalidPort},
    };
    for (const Case& c : cases) {
        CTcpClient socket(SocketKindTcp);
        if (c.initialise) {
            ASSERT_TRUE(socket.Initialize());
        }
        EXPECT_FALSE(socket.Open(c.host ? c.host : (LPCSTR)ModuleAddress(), c.port)) << c.name;
        EXPECT_EQ(c.error, socket.GetSocketError()) << c.name;
    }
    EXPECT_TRUE(Simulator().Requests("tcp").empty()) << "no connection was made";
}

TEST_F(TcpSocketTest, HostsThatResolveToNoAddressAreNotConnected)
{
    for (const char* host : {"no-such-module.invalid", "255.255.255.255"}) {
        CTcpClient socket(SocketKindTcp);
        ASSERT_TRUE(socket.Initialize());
        EXPECT_FALSE(socket.Open(host, kTextPort)) << host;
        EXPECT_NE(SocketSuccess, socket.GetSocketError()) << host;
        sockaddr_in peer = {};
        int length = sizeof peer;
        EXPECT_NE(0, getpeername(socket.GetHandle(), reinterpret_cast<sockaddr*>(&peer), &length)) << host;
    }
}

TEST_F(TcpSocketTest, NonblockingConnectToSilentHostTimesOut)
{
    Simulator().Fail("tcp", "blackhole");
    CTcpClient socket(SocketKindTcp);
    ASSERT_TRUE(socket.Initialize());
    ASSERT_TRUE(socket.SetNonblocking());
    EXPECT_EQ(1, socket.GetConnectTimeoutSeconds()) << "the default connect time-out";
    socket.SetConnectTimeout(0, 300000);
    Stopwatch watch;
    EXPECT_FALSE(socket.Open(ModuleAddress(), kTextPort));
    EXPECT_EQ(SocketTimedOut, socket.GetSocketError());
    EXPECT_GE(watch.ElapsedMs(), 250u);
    EXPECT_LT(watch.ElapsedMs(), 300 + kLoadSlackMs);
}

TEST_F(TcpSocketTest, RefusedConnectSaysSo)
{
    Simulator().Fail("tcp", "refuse");
    for (bool nonblocking : {false, true}) {
        CTcpClient socket(SocketKindTcp);
        ASSERT_TRUE(socket.Initialize());
        if (nonblocking) {
            ASSERT_TRUE(socket.SetNonblocking());
        }
        Stopwatch watch;
        EXPECT_FALSE(socket.Open(ModuleAddress(), kTextPort));
        EXPECT_EQ(SocketConnectionRefused, socket.GetSocketError()) << "non-blocking " << nonblocking;
        EXPECT_LT(watch.ElapsedMs(), kLoadSlackMs);
    }
}

TEST(TcpSocketKinds, KindChoosesTheSocket)
{
    CTcpSocket invalid(42);
    EXPECT_EQ(SocketKindInvalid, invalid.GetKind());
    EXPECT_FALSE(invalid.Initialize());
    EXPECT_NE(SocketSuccess, invalid.GetSocketError());
    EXPECT_EQ(0, invalid.Receive(16)) << "no socket, nothing received";

    CTcpSocket udp(SocketKindUdp);
    ASSERT_TRUE(udp.Initialize());
    int type = 0;
    int length = sizeof type;
    ASSERT_EQ(0, getsockopt(udp.GetHandle(), SOL_SOCKET, SO_TYPE, reinterpret_cast<char*>(&type), &length));
    EXPECT_EQ(SOCK_DGRAM, type);
    EXPECT_TRUE(udp.Close());
    EXPECT_FALSE(udp.Close()) << "closing twice";
}

TEST(TcpSocketErrors, PlatformErrorsTranslate)
{
    const struct {
        int platform;
        SocketError code;
    } cases[] = {
        {0, SocketSuccess},
        {WSAEACCES, SocketInvalidSocket},
        {WSAENOBUFS, SocketInvalidSocket},
        {WSANO_DATA, SocketInvalidAddress},
        {WSAECONNREFUSED, SocketConnectionRefused},
        {WSAETIMEDOUT, SocketTimedOut},
        {WSAEWOULDBLOCK, SocketWouldBlock},
        {WSAENOTCONN, SocketNotConnected},
        {WSAEBADF, SocketNotConnected},
        {WSAEINPROGRESS, SocketInProgress},
        {WSAEINTR, SocketInterrupted},
        {WSAECONNABORTED, SocketConnectionAborted},
        {WSAECONNRESET, SocketConnectionReset},
        {WSAEADDRINUSE, SocketAddressInUse},
        {WSAEFAULT, SocketInvalidPointer},
        {WSAHOST_NOT_FOUND, SocketOtherError},
        {WSAENETUNREACH, SocketOtherError},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.code, TranslateSocketError(c.platform)) << c.platform;
}

} // namespace

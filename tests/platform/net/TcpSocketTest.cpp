// TCP sockets on loopback: lookups without the network, connect limits and cancellation, the probe listener.
#include <gtest/gtest.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <thread>
#include <vector>

#include "platform/net/ProbeSocket.h"
#include "platform/net/TcpListener.h"
#include "platform/net/TcpSocket.h"

namespace {

using Clock = std::chrono::steady_clock;

uint32_t Loopback() {
    uint32_t address = 0;
    int error = 0;
    EXPECT_TRUE(platform::ResolveIPv4("127.0.0.1", &address, 1000, nullptr, &error));
    return address;
}

TEST(TcpSocket, DottedAddressesNeedNoLookupAndEmptyNamesFail) {
    uint32_t address = 0;
    int error = 0;
    ASSERT_TRUE(platform::ResolveIPv4("127.0.0.2", &address, 1000, nullptr, &error));
    uint8_t bytes[4];
    std::memcpy(bytes, &address, 4);  // network byte order
    EXPECT_EQ(bytes[0], 127);
    EXPECT_EQ(bytes[3], 2);
    EXPECT_FALSE(platform::ResolveIPv4("", &address, 1000, nullptr, &error));
    EXPECT_NE(error, 0);
}

// A listener whose accept queue is full drops further connection attempts, so
// a connect to it neither succeeds nor fails: it hangs until its limit.
class FullListener : public ::testing::Test {
protected:
    void SetUp() override {
        listener = platform::TcpListener::Listen("127.0.0.1", 0);
        ASSERT_TRUE(listener);
        for (int i = 0; i < 64; ++i) {
            int error = 0;
            auto s = platform::TcpSocket::Connect(Loopback(), listener->Port(), 200, nullptr, &error);
            if (!s) {
                full = error == ETIMEDOUT;
                break;
            }
            held.push_back(std::move(s));
        }
        if (!full) GTEST_SKIP() << "this kernel accepts every queued connection";
    }

    std::unique_ptr<platform::TcpListener> listener;
    std::vector<std::unique_ptr<platform::TcpSocket>> held;
    bool full = false;
};

TEST_F(FullListener, ConnectGivesUpAtItsLimitOrWhenCancelled) {
    int error = 0;
    const auto t0 = Clock::now();
    EXPECT_FALSE(platform::TcpSocket::Connect(Loopback(), listener->Port(), 300, nullptr, &error));
    EXPECT_EQ(error, ETIMEDOUT);
    EXPECT_GE(Clock::now() - t0, std::chrono::milliseconds(250));

    std::atomic<bool> cancel{false};
    std::thread canceller([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        cancel = true;
    });
    const auto t1 = Clock::now();
    EXPECT_FALSE(platform::TcpSocket::Connect(Loopback(), listener->Port(), 60000, &cancel, &error));
    EXPECT_EQ(error, ECANCELED);
    EXPECT_LT(Clock::now() - t1, std::chrono::seconds(5));
    canceller.join();
}

TEST(TcpSocket, RefusedConnectionsFailAtOnceAndStreamsCarryBytes) {
    uint16_t port;
    {
        auto gone = platform::TcpListener::Listen("127.0.0.1", 0);
        port = gone->Port();
    }
    int error = 0;
    EXPECT_FALSE(platform::TcpSocket::Connect(Loopback(), port, 5000, nullptr, &error));
    EXPECT_EQ(error, ECONNREFUSED);

    auto listener = platform::TcpListener::Listen("127.0.0.1", 0);
    auto client = platform::TcpSocket::Connect(Loopback(), listener->Port(), 1000, nullptr, &error);
    ASSERT_TRUE(client);
    auto server = listener->Accept(1000);
    ASSERT_TRUE(server);
    ASSERT_TRUE(client->SendAll("abc", 3));
    char buf[8];
    const auto r = server->Recv(buf, sizeof buf);
    EXPECT_EQ(r.status, platform::StreamSocket::Status::kOk);
    EXPECT_EQ(r.bytes, 3);
    client.reset();  // an orderly close reads as closed, not as an error
    EXPECT_EQ(server->Recv(buf, sizeof buf).status, platform::StreamSocket::Status::kClosed);
}

TEST(ProbeSocket, AListenerRebindsThePortItsAnsweredConnectionHoldsInTimeWait) {
    auto listener = platform::ProbeSocket::ListenTcp(Loopback(), 0, 1);
    ASSERT_TRUE(listener);
    const uint16_t port = listener->LocalPort();
    int error = 0;
    auto prober = platform::TcpSocket::Connect(Loopback(), port, 1000, nullptr, &error);
    ASSERT_TRUE(prober);
    std::unique_ptr<platform::ProbeSocket> answered;
    for (int i = 0; i < 1000 && listener->Accept(&answered) != platform::ProbeSocket::Status::kOk; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    ASSERT_TRUE(answered);
    // The answering end closes first, as the probe does after its answer, and keeps the port in TIME_WAIT.
    answered.reset();
    listener.reset();
    prober.reset();
    EXPECT_TRUE(platform::ProbeSocket::ListenTcp(Loopback(), port, 1)) << "the next visit listens again";
}

}  // namespace

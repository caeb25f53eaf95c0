// PortProbeTest.cpp -- the reachability probe answering TCP and UDP probers on 127.0.0.1.
#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <thread>

#include "lobby/LobbyPortProbe.h"
#include "lobby/LobbyVisit.h"
#include "platform/net/TcpSocket.h"
#include "platform/net/UdpSocket.h"

using g2lobby::LobbyPortProbe;

namespace {

const std::string kGuid = "{0123ABCD-4567-89EF-0123-456789ABCDEF}";

uint32_t Loopback() {
    uint32_t a = 0;
    platform::ParseIPv4("127.0.0.1", a);
    return a;
}

class PortProbe : public ::testing::Test {
protected:
    void SetUp() override {
        port = lobbytest::FreeLoopbackPort();
        ASSERT_NE(port, 0);
        probe.Open(Loopback(), port);
        ASSERT_TRUE(probe.IsListening());
        ASSERT_TRUE(probe.IsUdpOpen());
    }
    std::unique_ptr<platform::TcpSocket> Dial() {
        int error = 0;
        return platform::TcpSocket::Connect(Loopback(), port, 2000, nullptr, &error);
    }
    // Pumps until pred holds, at most n updates, pausing so the loopback can deliver.
    bool PumpUntil(const std::function<bool()>& pred, int n = 500) {
        for (int i = 0; i < n; ++i) {
            if (pred()) return true;
            probe.Pump(kGuid);
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return pred();
    }
    // What the prober reads back within a short wait ("" when nothing came).
    static std::string Answer(platform::TcpSocket& s, int ms = 200) {
        if (!s.WaitReadable(ms)) return "";
        char buf[512];
        const auto r = s.Recv(buf, sizeof buf);
        return r.status == platform::StreamSocket::Status::kOk ? std::string(buf, static_cast<size_t>(r.bytes)) : "";
    }
    void Send(platform::TcpSocket& s, const std::string& bytes) { ASSERT_TRUE(s.SendAll(bytes.data(), bytes.size())); }

    uint16_t port = 0;
    LobbyPortProbe probe;
};

}  // namespace

TEST_F(PortProbe, ATcpProbeWithTheGuidIsAnsweredOnceAndTheListenerCloses) {
    auto prober = Dial();
    ASSERT_TRUE(prober);
    ASSERT_TRUE(PumpUntil([&] { return probe.IsConnected(); }));
    Send(*prober, kGuid);
    ASSERT_TRUE(PumpUntil([&] { return probe.GetTcpAnswers() == 1; }));
    EXPECT_EQ(Answer(*prober), kGuid) << "the text comes back without a terminator";
    EXPECT_FALSE(probe.IsListening());
    EXPECT_FALSE(probe.IsConnected());
    // Nothing listens any more: a second probe is refused by the system.
    EXPECT_FALSE(Dial());
}

TEST_F(PortProbe, AGuidSplitOverTwoReceivesIsNeverAnswered) {
    auto prober = Dial();
    ASSERT_TRUE(prober);
    prober->SetNoDelay();
    ASSERT_TRUE(PumpUntil([&] { return probe.IsConnected(); }));
    Send(*prober, kGuid.substr(0, 10));
    for (int i = 0; i < 20; ++i) PumpUntil([] { return false; }, 1);
    Send(*prober, kGuid.substr(10));
    for (int i = 0; i < 40; ++i) PumpUntil([] { return false; }, 1);
    EXPECT_EQ(probe.GetTcpAnswers(), 0);
    EXPECT_EQ(Answer(*prober, 50), "");
    EXPECT_TRUE(probe.IsConnected()) << "a wrong text keeps the connection";
}

TEST_F(PortProbe, TheGuidFollowedByAZeroAndJunkIsAnswered) {
    auto prober = Dial();
    ASSERT_TRUE(prober);
    ASSERT_TRUE(PumpUntil([&] { return probe.IsConnected(); }));
    Send(*prober, kGuid + std::string(1, '\0') + "junk after the terminator");
    ASSERT_TRUE(PumpUntil([&] { return probe.GetTcpAnswers() == 1; }));
    EXPECT_EQ(Answer(*prober), kGuid);
}

TEST_F(PortProbe, TwoHundredFiftySixBytesWithoutAZeroAreReadSafelyAndNotAnswered) {
    auto prober = Dial();
    ASSERT_TRUE(prober);
    ASSERT_TRUE(PumpUntil([&] { return probe.IsConnected(); }));
    Send(*prober, std::string(LobbyPortProbe::kReceiveBytes, 'G'));
    for (int i = 0; i < 30; ++i) PumpUntil([] { return false; }, 1);
    EXPECT_EQ(probe.GetTcpAnswers(), 0);
    EXPECT_TRUE(probe.IsConnected());
}

TEST_F(PortProbe, ASilentConnectionIsDroppedAndTheNextProbeIsAnswered) {
    auto silent = Dial();
    ASSERT_TRUE(silent);
    ASSERT_TRUE(PumpUntil([&] { return probe.IsConnected(); }));
    for (int i = 0; i < LobbyPortProbe::kSilentUpdates - 1; ++i) probe.Pump(kGuid);
    EXPECT_TRUE(probe.IsConnected());
    probe.Pump(kGuid);
    EXPECT_FALSE(probe.IsConnected());
    EXPECT_TRUE(probe.IsListening());
    auto prober = Dial();
    ASSERT_TRUE(prober);
    ASSERT_TRUE(PumpUntil([&] { return probe.IsConnected(); }));
    Send(*prober, kGuid);
    ASSERT_TRUE(PumpUntil([&] { return probe.GetTcpAnswers() == 1; }));
    EXPECT_EQ(Answer(*prober), kGuid);
}

TEST_F(PortProbe, AProberThatHangsUpFreesTheListenerForTheNext) {
    {
        auto gone = Dial();
        ASSERT_TRUE(gone);
        ASSERT_TRUE(PumpUntil([&] { return probe.IsConnected(); }));
    }
    ASSERT_TRUE(PumpUntil([&] { return !probe.IsConnected(); }));
    EXPECT_TRUE(probe.IsListening());
}

TEST_F(PortProbe, AUdpProbeIsAnsweredToItsSenderOnceAndWrongTextsAreIgnored) {
    auto prober = platform::UdpSocket::Create(platform::UdpSocket::Backend::Loopback);
    const uint16_t from = lobbytest::FreeLoopbackPort();
    ASSERT_TRUE(prober->Open(Loopback(), from));
    ASSERT_TRUE(prober->SendTo(Loopback(), port, "{not-the-guid}", 14));
    for (int i = 0; i < 20; ++i) PumpUntil([] { return false; }, 1);
    EXPECT_EQ(probe.GetUdpAnswers(), 0);
    EXPECT_TRUE(probe.IsUdpOpen());
    ASSERT_TRUE(prober->SendTo(Loopback(), port, kGuid.data(), kGuid.size()));
    ASSERT_TRUE(PumpUntil([&] { return probe.GetUdpAnswers() == 1; }));
    uint8_t buf[512];
    const int n = prober->Receive(buf, sizeof buf, 500);
    ASSERT_EQ(n, static_cast<int>(kGuid.size()));
    EXPECT_EQ(std::string(reinterpret_cast<char*>(buf), static_cast<size_t>(n)), kGuid);
    EXPECT_FALSE(probe.IsUdpOpen()) << "later datagrams are not read";
}

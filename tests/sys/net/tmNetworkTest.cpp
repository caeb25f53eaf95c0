// tmNetworkTest.cpp -- the race transport on loopback: queue limits, slots, stop, address files.
#include <gtest/gtest.h>

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <thread>

#include "sys/net/tmNetwork.h"

namespace {

// A loopback address of this test process, so parallel tests never share a bind.
int OwnOctet() { return 2 + static_cast<int>(getpid() % 250); }

class tmNetworkTest : public ::testing::Test {
protected:
    void SetUp() override {
        char tmpl[] = "/tmp/zarvo_net_XXXXXX";
        folder = mkdtemp(tmpl);
        options.backend = platform::UdpSocket::Backend::Loopback;
        options.folder = folder;
    }
    void TearDown() override { std::filesystem::remove_all(folder); }

    void WriteAddressFile(const char* name, const std::string& bytes) {
        std::FILE* f = std::fopen((folder + "/" + name).c_str(), "wb");
        ASSERT_NE(f, nullptr);
        std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
    }

    // Waits (bounded) until the transport holds count datagrams and dropped were dropped.
    bool WaitFor(tmNetwork& net, int count, uint32_t dropped) {
        for (int i = 0; i < 2000; ++i) {
            net.Lock();
            const int n = net.GetPacketCount();
            net.Unlock();
            if (n == count && net.GetDroppedCount() == dropped) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return false;
    }

    std::unique_ptr<tmNetwork> OpenOnLoopback(bool host) {
        auto net = std::make_unique<tmNetwork>(options);
        net->SetOwnAddress(127, 0, 0, OwnOctet());
        EXPECT_TRUE(net->Init(host));
        return net;
    }

    std::string folder;
    tmNetwork::Options options;
};

}  // namespace

TEST_F(tmNetworkTest, QueueHoldsSixtyThreeAndDropsTheRest) {
    auto net = OpenOnLoopback(true);
    auto sender = platform::UdpSocket::Create(platform::UdpSocket::Backend::Loopback);
    ASSERT_TRUE(sender->Open(platform::MakeIPv4(127, 0, 0, 1), 0));
    const uint32_t to = net->GetAddresses().own;
    for (int i = 0; i < 64; ++i) {
        uint8_t msg[4] = {static_cast<uint8_t>(i), 1, 2, 3};
        ASSERT_TRUE(sender->SendTo(to, tmNetwork::kPort, msg, sizeof msg));
    }
    ASSERT_TRUE(WaitFor(*net, 63, 1));
    net->Lock();
    for (int i = 0; i < 63; ++i) EXPECT_EQ(net->GetPacket(i)[0], i);  // arrival order
    EXPECT_EQ(net->GetPacket(63), nullptr);
    net->ClearPackets();  // the lock is recursive
    net->Unlock();
    EXPECT_EQ(net->GetPacketCount(), 0);
    net->Term();
    EXPECT_FALSE(net->IsOpen());
}

TEST_F(tmNetworkTest, EachSlotKeepsItsLengthAndNothingOfEarlierDatagrams) {
    auto net = OpenOnLoopback(false);
    const uint32_t own = net->GetAddresses().own;
    std::vector<uint8_t> big(100, 0xAB), small(20, 0xCD);
    ASSERT_TRUE(net->SendTo(own, big.data(), 100));  // to itself
    ASSERT_TRUE(WaitFor(*net, 1, 0));
    ASSERT_TRUE(net->SendTo(own, small.data(), 20));
    ASSERT_TRUE(WaitFor(*net, 2, 0));
    net->Lock();
    EXPECT_EQ(net->GetPacketLength(0), 100);
    EXPECT_EQ(net->GetPacketLength(1), 20);
    const uint8_t* slot = net->GetPacket(1);
    EXPECT_EQ(slot[19], 0xCD);
    for (int i = 20; i < tmNetwork::kSlotSize; ++i) ASSERT_EQ(slot[i], 0) << i;
    // Each slot names its sender: here the transport itself.
    EXPECT_EQ(net->GetPacketSource(0), own);
    EXPECT_EQ(net->GetPacketSource(1), own);
    EXPECT_EQ(net->GetPacketSource(2), 0u);
    net->Unlock();
}

TEST_F(tmNetworkTest, OpenCloseAndSendRules) {
    auto net = OpenOnLoopback(true);
    EXPECT_TRUE(net->IsHost());
    EXPECT_FALSE(net->Init(false));  // already open: nothing changes
    EXPECT_TRUE(net->IsHost());
    const uint8_t byte = 1;
    EXPECT_FALSE(net->SendTo(0, &byte, 1));
    EXPECT_FALSE(net->SendTo(net->GetAddresses().own, &byte, 0));
    EXPECT_FALSE(net->SendTo(net->GetAddresses().own, nullptr, 1));
    // A second player on the same machine binds its own address on the same port.
    tmNetwork other(options);
    other.SetOwnAddress(127, 0, 1, OwnOctet());
    EXPECT_TRUE(other.Init(false));
    EXPECT_TRUE(other.SendTo(net->GetAddresses().own, &byte, 1));
    EXPECT_TRUE(WaitFor(*net, 1, 0));
    // Term wakes the blocked receive thread; calling it twice is harmless.
    net->Term();
    net->Term();
    other.Term();
    EXPECT_FALSE(net->SendTo(other.GetAddresses().own, &byte, 1));
    EXPECT_TRUE(net->Init(false));
    EXPECT_FALSE(net->IsHost());
}

TEST_F(tmNetworkTest, AddressFilesAreCutAtCarriageReturnOrSpace) {
    tmNetwork net(options);
    WriteAddressFile("hostip.txt", "10.0.0.2\r\n");
    WriteAddressFile("ownip.txt", "10.0.0.3 # this machine");
    EXPECT_EQ(net.LoadAddressFiles(), 1);
    EXPECT_STREQ(net.GetAddresses().hostText, "10.0.0.2");
    EXPECT_EQ(net.GetAddresses().host, platform::MakeIPv4(10, 0, 0, 2));
    EXPECT_STREQ(net.GetAddresses().ownText, "10.0.0.3");
    EXPECT_EQ(net.GetAddresses().hostRead, 1);

    tmNetwork lf(options);
    WriteAddressFile("hostip.txt", "10.0.0.2\n");  // a line feed stays in the text
    lf.LoadAddressFiles();
    EXPECT_STREQ(lf.GetAddresses().hostText, "10.0.0.2\n");
    EXPECT_EQ(lf.GetAddresses().host, platform::MakeIPv4(10, 0, 0, 2));
}

TEST_F(tmNetworkTest, AFifteenCharacterAddressWithItsLineEndReads) {
    // 15 characters and a line feed fill all 16 bytes: the text ends at 15.
    tmNetwork net(options);
    WriteAddressFile("hostip.txt", "192.168.100.200\n");
    EXPECT_EQ(net.LoadAddressFiles(), 0);
    EXPECT_STREQ(net.GetAddresses().hostText, "192.168.100.200");
    EXPECT_EQ(net.GetAddresses().host, platform::MakeIPv4(192, 168, 100, 200));
    EXPECT_EQ(net.GetAddresses().hostRead, 1);

    tmNetwork own(options);
    WriteAddressFile("ownip.txt", "172.16.254.199\r\nsecond line");
    EXPECT_EQ(own.LoadAddressFiles(), 1);
    EXPECT_STREQ(own.GetAddresses().ownText, "172.16.254.199");
    EXPECT_EQ(own.GetAddresses().own, platform::MakeIPv4(172, 16, 254, 199));

    // Text longer than an address is cut at 15 and then parsed: what remains must still be one.
    tmNetwork longer(options);
    WriteAddressFile("hostip.txt", "10.10.10.10 and more text after it");
    WriteAddressFile("ownip.txt", "10.20.30.40.50.60");
    EXPECT_EQ(longer.LoadAddressFiles(), 0);
    EXPECT_STREQ(longer.GetAddresses().hostText, "10.10.10.10");
    EXPECT_STREQ(longer.GetAddresses().ownText, "192.168.0.1");
}

TEST_F(tmNetworkTest, BadAddressFilesKeepTheDefaultAndNeverBroadcast) {
    for (const char* bad : {"1234567890123456789", "not an address", "", "255.255.255.255", "10.0.0\r\n"}) {
        tmNetwork net(options);
        WriteAddressFile("hostip.txt", bad);
        WriteAddressFile("ownip.txt", bad);
        EXPECT_EQ(net.LoadAddressFiles(), 0) << bad;
        EXPECT_STREQ(net.GetAddresses().hostText, "192.168.0.1") << bad;
        EXPECT_EQ(net.GetAddresses().host, platform::MakeIPv4(192, 168, 0, 1)) << bad;
        EXPECT_EQ(net.GetAddresses().own, platform::MakeIPv4(192, 168, 0, 1)) << bad;
        EXPECT_EQ(net.GetAddresses().hostRead, 0);
    }
    tmNetwork net(options);
    net.SetHostAddress(192, 168, 1, 20);
    EXPECT_STREQ(net.GetAddresses().hostText, "192.168.1.20");
    EXPECT_EQ(net.GetAddresses().host, platform::MakeIPv4(192, 168, 1, 20));
}

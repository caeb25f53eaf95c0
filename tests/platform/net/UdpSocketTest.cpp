// UdpSocketTest.cpp -- strict address parsing and the loopback-only backend.
#include <gtest/gtest.h>

#include "platform/net/UdpSocket.h"

TEST(ParseIPv4, StrictDottedQuadsOnly) {
    uint32_t a = 0;
    EXPECT_TRUE(platform::ParseIPv4("10.0.0.2", a));
    EXPECT_EQ(a, platform::MakeIPv4(10, 0, 0, 2));
    EXPECT_TRUE(platform::ParseIPv4("10.0.0.2\r\n", a));
    for (const char* bad : {"", "10.0.0", "10.0.0.256", "0x0a.0.0.1", "10.0.0.2x", "a.b.c.d", "10.0.0.2 junk"}) {
        EXPECT_FALSE(platform::ParseIPv4(bad, a)) << bad;
    }
    EXPECT_EQ(platform::FormatIPv4(platform::MakeIPv4(192, 168, 1, 20)), "192.168.1.20");
}

TEST(UdpSocket, LoopbackBackendStaysOnLoopback) {
    auto s = platform::UdpSocket::Create(platform::UdpSocket::Backend::Loopback);
    EXPECT_FALSE(s->Open(platform::MakeIPv4(10, 0, 0, 1), 0));
    ASSERT_TRUE(s->Open(0, 0));
    const char b = 1;
    EXPECT_FALSE(s->SendTo(platform::MakeIPv4(10, 0, 0, 1), 9, &b, 1));
    uint8_t buf[8];
    EXPECT_EQ(s->Receive(buf, sizeof buf, 0), platform::UdpSocket::kTimeout);
    s->Shutdown();
    EXPECT_EQ(s->Receive(buf, sizeof buf, 1000), platform::UdpSocket::kClosed);
    EXPECT_TRUE(platform::IsLocalAddress(platform::MakeIPv4(127, 0, 0, 9)));
    EXPECT_FALSE(platform::IsLocalAddress(0xFFFFFFFFu));
}

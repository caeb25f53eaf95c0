// NetworkConfTest.cpp -- "network.conf": separators, padding, exact keys, values holding separators, port rules.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "harness/WorkFolder.h"
#include "lobby/NetworkConf.h"

using g2lobby::CNetworkConf;

namespace {
CNetworkConf Read(const std::string& text) {
    CNetworkConf conf;
    conf.LoadText(text);
    return conf;
}
}  // namespace

TEST(NetworkConf, ThePortIsReadWithAnEqualsSignABlankOrAnyPadding) {
    for (const char* line : {"LobbyPort=28000", "LobbyPort 28000", "LobbyPort\t28000", "  LobbyPort = 28000  ",
                             "\tLobbyPort\t=\t28000\t", " \t LobbyPort  28000 \t", "LobbyPort=28000\r\n"}) {
        EXPECT_EQ(Read(line).LobbyPort, 28000) << '"' << line << '"';
    }
}

TEST(NetworkConf, KeysAreMatchedExactlyAndUnknownLinesAreSkipped) {
    const CNetworkConf conf = Read("lobbyport=1\nLOBBYPORT=2\n# LobbyPort=3\nLobbyPortX=4\nnonsense\n\n=\n");
    EXPECT_EQ(conf.LobbyPort, CNetworkConf::kDefaultLobbyPort);
    EXPECT_EQ(conf.LobbyHost, CNetworkConf::kDefaultLobbyHost);
}

TEST(NetworkConf, AValueKeepsWhatFollowsTheFirstSeparator) {
    EXPECT_EQ(Read("LobbyHost=a=b.example").LobbyHost, "a=b.example");
    EXPECT_EQ(Read("LobbyHost lobby one").LobbyHost, "lobby one");
    EXPECT_EQ(Read("LobbyURL=http://x.example/s?a=1&b=2").LobbyURL, "http://x.example/s?a=1&b=2");
}

TEST(NetworkConf, TheLastLineCountsWithoutALineFeedAndLaterLinesOverride) {
    const CNetworkConf conf = Read("BattlePort=30000\nLobbyHost=first\nLobbyHost=second\nBattlePort=30001");
    EXPECT_EQ(conf.BattlePort, 30001);
    EXPECT_EQ(conf.LobbyHost, "second");
}

TEST(NetworkConf, PortsOutsideOneTo65535OrNotWholeNumbersKeepTheValueTheyHad) {
    for (const char* value : {"0", "65536", "99999999999", "-5", "+80", "28000x", "x28000", "2 8000", "", "28.5"}) {
        const CNetworkConf conf = Read(std::string("LobbyPort=") + value + "\nBattlePort=" + value);
        EXPECT_EQ(conf.LobbyPort, CNetworkConf::kDefaultLobbyPort) << '"' << value << '"';
        EXPECT_EQ(conf.BattlePort, CNetworkConf::kDefaultBattlePort) << '"' << value << '"';
    }
    // A bad line after a good one keeps the good value.
    EXPECT_EQ(Read("BattlePort=30002\nBattlePort=0").BattlePort, 30002);
    EXPECT_EQ(Read("BattlePort=1").BattlePort, 1);
    EXPECT_EQ(Read("BattlePort=65535").BattlePort, 65535);
}

TEST(NetworkConf, AnEmptyOrAbsentFileKeepsTheDefaults) {
    harness::WorkFolder folder;
    ASSERT_TRUE(folder.Ok());
    CNetworkConf absent;
    EXPECT_FALSE(absent.Load("network.conf"));
    std::ofstream("network.conf").close();
    CNetworkConf empty;
    EXPECT_TRUE(empty.Load("network.conf"));
    for (const CNetworkConf* c : {&absent, &empty}) {
        EXPECT_EQ(c->LobbyPort, 28484);
        EXPECT_EQ(c->BattlePort, 28464);
        EXPECT_EQ(c->LobbyHost, CNetworkConf::kDefaultLobbyHost);
        EXPECT_EQ(c->LobbyURL, CNetworkConf::kDefaultLobbyURL);
    }
    std::ofstream("network.conf", std::ios::binary) << "LobbyHost=127.0.0.1\r\nLobbyPort=28000\r\nBattlePort=28465";
    CNetworkConf read;
    EXPECT_TRUE(read.Load("network.conf"));
    EXPECT_EQ(read.LobbyHost, "127.0.0.1");
    EXPECT_EQ(read.LobbyPort, 28000);
    EXPECT_EQ(read.BattlePort, 28465);
}

TEST(NetworkConf, BinaryJunkNeverCrashesAndLeavesSafeValues) {
    std::string junk;
    for (int i = 0; i < 4096; ++i) junk.push_back(static_cast<char>((i * 131 + 7) & 0xFF));
    junk += "\nLobbyPort=\xff\xfe\nBattlePort=";
    junk += std::string(5000, '9');
    const CNetworkConf conf = Read(junk);
    EXPECT_EQ(conf.LobbyPort, CNetworkConf::kDefaultLobbyPort);
    EXPECT_EQ(conf.BattlePort, CNetworkConf::kDefaultBattlePort);
}

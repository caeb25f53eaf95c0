// LobbyProcessesTest.cpp -- two game processes on one machine, each with its own folder, address and network.conf.
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/tmConfig.h"
#include "harness/WorkFolder.h"
#include "lobby/LobbyPortProbe.h"
#include "lobby/LobbySessionFixture.h"
#include "lobby/LobbyVisit.h"
#include "race/tmRaceState.h"
#include "sys/net/tmNetwork.h"

extern char** environ;

namespace {

const char kAddressVar[] = "ZARVO_LOBBY_PROCESS_ADDRESS";
const char kReportVar[] = "ZARVO_LOBBY_PROCESS_REPORT";

// One game process of the pair: run only when the parent test starts this binary with its address.
class LobbyProcess : public lobbytest::LobbySessionBase {};

int LastOctet(const std::string& address) { return std::atoi(address.substr(address.rfind('.') + 1).c_str()); }

}  // namespace

// The game's own race port for both the probe and the transport: the own address keeps them apart.
TEST_F(LobbyProcess, OneGameProcess) {
    const char* address = std::getenv(kAddressVar);
    const char* report = std::getenv(kReportVar);
    if (!address || !report) GTEST_SKIP() << "run by LobbyProcesses.TwoGameProcessesShareOneMachine";
    const int octet = LastOctet(address);
    lobbytest::LobbyScript script;
    script.others = {lobbytest::MakePlayer(7, "Other", 3)};
    lobbytest::RoomInfo room = lobbytest::MakeRoom(400, "Pair", 3, 3, {});
    room.members.push_back({100, {127, 0, 0, static_cast<uint8_t>(octet)}});
    room.members.push_back({7, {127, 0, 0, 1}});
    script.rooms = {room};
    visit->server.StartLobby(script);
    // This process's folder holds its own ownip.txt and network.conf.
    std::ofstream("ownip.txt") << address;
    std::ofstream("network.conf") << "LobbyHost=127.0.0.1\nLobbyPort=" << visit->server.Port()
                                  << "\nLobbyURL=\nBattlePort=" << tmNetwork::kPort << "\n";
    tmNetwork::GetInstance()->LoadAddressFiles();
    tmConfig::GetInstance().SetPlayerName("Twin");
    visit->screen = std::make_unique<g2lobby::ggSeqLobby>();
    visit->screen->Init();
    ASSERT_TRUE(visit->Connect(2, 1));
    ASSERT_NE(Screen().GetProbe(), nullptr);
    ASSERT_TRUE(Screen().GetProbe()->IsListening()) << "the probe took " << address << ":" << tmNetwork::kPort;
    ASSERT_TRUE(Screen().GetProbe()->IsUdpOpen());
    // The room starts with this process as its host; the hand-over names its own address.
    visit->server.Send(lobbytest::EncRMST(400, {127, 0, 0, static_cast<uint8_t>(octet)}, tmNetwork::kPort));
    ASSERT_TRUE(visit->StepUntil([&] { return visit->LastResult() == kSeqJoinRace; }));
    EXPECT_EQ(tmRaceState::Get().hostFlag, 1);
    EXPECT_STREQ(tmNetwork::GetInstance()->GetAddresses().ownText, address);
    visit->screen->Term();
    // The probe is closed; the race transport opens on the same address and port.
    ASSERT_TRUE(tmNetwork::GetInstance()->Init(true));
    std::ofstream(report) << "ok " << address << "\n";
    tmNetwork::GetInstance()->Term();
}

TEST(LobbyProcesses, TwoGameProcessesShareOneMachine) {
    harness::WorkFolder folder;
    ASSERT_TRUE(folder.Ok());
    const std::string self = "/proc/self/exe";
    std::vector<pid_t> children;
    const std::vector<std::string> addresses = {"127.0.0.61", "127.0.0.62"};
    for (const std::string& address : addresses) {
        std::vector<std::string> env;
        for (char** e = environ; *e; ++e) env.push_back(*e);
        env.push_back(std::string(kAddressVar) + "=" + address);
        env.push_back(std::string(kReportVar) + "=" + folder.Path() + "/" + address + ".txt");
        std::vector<char*> envp;
        for (std::string& s : env) envp.push_back(s.data());
        envp.push_back(nullptr);
        std::string filter = "--gtest_filter=LobbyProcess.OneGameProcess";
        char* argv[] = {const_cast<char*>(self.c_str()), filter.data(), nullptr};
        pid_t pid = 0;
        ASSERT_EQ(posix_spawn(&pid, self.c_str(), nullptr, nullptr, argv, envp.data()), 0);
        children.push_back(pid);
    }
    for (pid_t pid : children) {
        int status = 0;
        ASSERT_EQ(waitpid(pid, &status, 0), pid);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "a game process failed";
    }
    for (const std::string& address : addresses)
        EXPECT_EQ(folder.Read(address + ".txt"), "ok " + address + "\n") << address;
}

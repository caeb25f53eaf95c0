// LobbyRaceTest.cpp -- two game processes meet in a lobby room, race through the waiting room and come back.
#include <gtest/gtest.h>

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "harness/WorkFolder.h"
#include "platform/fs/FileSystem.h"

namespace {

class LobbyRace : public ::testing::Test {
protected:
    void SetUp() override {
        for (int i = 0; i < 2; ++i) {
            folders_.emplace_back(std::make_unique<platform::TempDirectory>());
            ASSERT_FALSE(folders_.back()->Path().empty());
        }
        Write(0, "ownip.txt", "127.0.0.71\n");
        Write(0, "otherip.txt", "127.0.0.72\n");
        Write(1, "ownip.txt", "127.0.0.72\n");
        Write(1, "otherip.txt", "127.0.0.71\n");
        // A port of this test process's own (odd, so the direct-race scenario's even ports never meet it).
        port_ = 20001 + static_cast<int>(getpid() % 20000) * 2;
    }
    void TearDown() override {
        for (pid_t pid : pids_)
            if (pid > 0) {
                kill(pid, SIGKILL);
                waitpid(pid, nullptr, 0);
            }
    }
    std::string Path(int who, const char* name) const { return folders_[who]->Path() + "/" + name; }
    void Write(int who, const char* name, const std::string& text) { std::ofstream(Path(who, name)) << text; }
    pid_t Spawn(int who) {
        std::vector<std::string> args = {LOBBY_RACE_PEER, folders_[who]->Path(), std::to_string(port_),
                                         who == 0 ? "host" : "guest"};
        std::vector<char*> argv;
        for (std::string& a : args) argv.push_back(a.data());
        argv.push_back(nullptr);
        std::vector<std::string> env = harness::PeerEnvironment(folders_[who]->Path());
        std::vector<char*> envp;
        for (std::string& e : env) envp.push_back(e.data());
        envp.push_back(nullptr);
        pid_t pid = 0;
        EXPECT_EQ(posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), envp.data()), 0);
        pids_.push_back(pid);
        return pid;
    }
    // Both players share one deadline, well inside CTest's: a sanitized build on a busy machine runs the pair
    // several times slower than its 25 s alone.
    bool Join(pid_t pid) {
        while (std::chrono::steady_clock::now() < deadline_) {
            int status = 0;
            if (waitpid(pid, &status, WNOHANG) == pid) {
                for (pid_t& p : pids_)
                    if (p == pid) p = 0;
                return WIFEXITED(status) && WEXITSTATUS(status) == 0;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return false;
    }
    std::vector<std::string> Result(int who) const {
        std::ifstream in(Path(who, "result.txt"));
        std::vector<std::string> lines;
        for (std::string line; std::getline(in, line);) lines.push_back(line);
        return lines;
    }

    std::vector<std::unique_ptr<platform::TempDirectory>> folders_;
    std::vector<pid_t> pids_;
    int port_ = 0;
    std::chrono::steady_clock::time_point deadline_ = std::chrono::steady_clock::now() + std::chrono::seconds(240);
};

}  // namespace

TEST_F(LobbyRace, TwoPlayersStartARoomRaceAndComeBackToTheLobby) {
    const pid_t host = Spawn(0);
    const pid_t guest = Spawn(1);
    ASSERT_TRUE(Join(guest));
    ASSERT_TRUE(Join(host));
    const std::vector<std::string> h = Result(0), g = Result(1);
    ASSERT_EQ(h.size(), 4u);
    ASSERT_EQ(g.size(), 4u);
    // Both players finished the race, as each one's results panel showed.
    EXPECT_EQ(h[3], "finishers 2");
    EXPECT_EQ(g[3], "finishers 2");
    // Main menu, lobby, waiting room, race, and the lobby again.
    EXPECT_EQ(h[0], "14 27 26 25 27 ");
    EXPECT_EQ(g[0], "14 27 26 25 27 ");
    // Back in the lobby each reports the room's end (3) and its refreshed record, and never enters again.
    EXPECT_EQ(h[1].substr(0, 8), "finish 3");
    EXPECT_EQ(g[1].substr(0, 8), "finish 3");
    EXPECT_NE(h[1].find("stup 1"), std::string::npos) << h[1];
    EXPECT_NE(g[1].find("stup 1"), std::string::npos) << g[1];
    EXPECT_EQ(h[1].find("update 0"), std::string::npos) << h[1];
    EXPECT_EQ(g[1].find("update 0"), std::string::npos) << g[1];
    // The hand-over: the first member hosts on its own address; the guest takes the host's address from the start.
    EXPECT_EQ(h[2].substr(0, 21), "host 1 own 127.0.0.71");
    EXPECT_EQ(g[2], "host 0 own 127.0.0.72 hostaddr 127.0.0.71");
}

// tmRaceNetworkUdpTest.cpp -- two processes, each the whole game headless from the waiting room, race over UDP
// on 127.0.0.1 and 127.0.0.2: the results agree, loss is survived, a killed player brings the other to phase 12.
#include <gtest/gtest.h>

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "harness/WorkFolder.h"
#include "platform/fs/FileSystem.h"

namespace {

struct Outcome {
    std::string what;
    int frames = 0;
    int racingFrame = -1;
    int lostFrame = -1;
    std::vector<std::string> rows;  // "entrant time finished laps", by position
};

class TwoProcesses : public ::testing::Test {
protected:
    void SetUp() override {
        for (int i = 0; i < 2; ++i) {
            folders_.emplace_back(std::make_unique<platform::TempDirectory>());
            ASSERT_FALSE(folders_.back()->Path().empty());
        }
        Write(0, "ownip.txt", "127.0.0.1\n");
        Write(0, "hostip.txt", "127.0.0.1\n");
        Write(1, "ownip.txt", "127.0.0.2\n");
        Write(1, "hostip.txt", "127.0.0.1\n");
        // A port of this test process's own, so parallel runs never meet.
        port_ = 20000 + static_cast<int>(getpid() % 20000) * 2;
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

    pid_t Spawn(int who, const char* loss = nullptr, const char* seed = nullptr) {
        std::vector<std::string> args = {NETRACE_PEER, folders_[who]->Path(), std::to_string(port_)};
        if (loss) args.push_back(loss), args.push_back(seed);
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

    // Waits for a process to end by itself: a hang is a failure, not a wait forever.
    bool Join(pid_t pid, int seconds = 60) {
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
        while (std::chrono::steady_clock::now() < end) {
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

    // Host first, then the guest; both to their end.
    void Race(Outcome* host, Outcome* guest, const char* loss = nullptr) {
        const pid_t h = Spawn(0, loss, "17");
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        const pid_t g = Spawn(1, loss, "29");
        ASSERT_TRUE(Join(g));
        ASSERT_TRUE(Join(h));
        *host = Read(0);
        *guest = Read(1);
    }

    Outcome Read(int who) const {
        Outcome o;
        std::ifstream in(Path(who, "result.txt"));
        std::string line;
        if (std::getline(in, line)) std::istringstream(line) >> o.what >> o.frames >> o.racingFrame >> o.lostFrame;
        while (std::getline(in, line)) o.rows.push_back(line);
        return o;
    }

    bool WaitForFile(int who, const char* name, int seconds = 30) const {
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
        while (std::chrono::steady_clock::now() < end) {
            if (std::ifstream(Path(who, name)).good()) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        return false;
    }

    // The survivor of a killed player: lost after 1801 silent frames, out 180 frames later.
    void KillMidRace(int victim) {
        const int survivor = 1 - victim;
        const pid_t h = Spawn(0);
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        const pid_t g = Spawn(1);
        ASSERT_TRUE(WaitForFile(victim, "racing"));
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        const pid_t dead = victim == 0 ? h : g;
        kill(dead, SIGKILL);
        waitpid(dead, nullptr, 0);
        for (pid_t& p : pids_)
            if (p == dead) p = 0;
        ASSERT_TRUE(Join(victim == 0 ? g : h)) << "the survivor did not end by itself";
        const Outcome o = Read(survivor);
        EXPECT_EQ(o.what, "lost");
        ASSERT_GE(o.racingFrame, 0);
        EXPECT_GE(o.lostFrame - o.racingFrame, 1801);
        // Phase 12 shows its notice for 180 frames, then the screen changes.
        EXPECT_GE(o.frames - o.lostFrame, 180);
        EXPECT_LE(o.frames - o.lostFrame, 184);
    }

    std::vector<std::unique_ptr<platform::TempDirectory>> folders_;
    std::vector<pid_t> pids_;
    int port_ = 0;
};

void ExpectSameFinish(const Outcome& host, const Outcome& guest) {
    EXPECT_EQ(host.what, "finished");
    EXPECT_EQ(guest.what, "finished");
    ASSERT_EQ(host.rows.size(), 2u);
    EXPECT_EQ(host.rows, guest.rows);
    unsigned previous = 0;
    for (const std::string& row : host.rows) {
        int entrant = -1, finished = 0, laps = 0;
        unsigned ms = 0;
        std::istringstream(row) >> entrant >> ms >> finished >> laps;
        EXPECT_EQ(finished, 1) << row;
        EXPECT_EQ(laps, 3) << row;
        EXPECT_GT(ms, 30000u) << row;  // three real laps, not a stale zero
        EXPECT_GT(ms, previous) << "in order of time";
        previous = ms;
    }
}

}  // namespace

TEST_F(TwoProcesses, ADirectRaceOfThreeLapsFinishesAlikeOnBoth) {
    Outcome host, guest;
    Race(&host, &guest);
    ExpectSameFinish(host, guest);
}

TEST_F(TwoProcesses, LostDuplicatedAndReorderedDatagramsStillGiveTheSameResults) {
    Outcome host, guest;
    Race(&host, &guest, "0.1");
    ExpectSameFinish(host, guest);
}

TEST_F(TwoProcesses, KillingTheGuestMidRaceBringsTheHostToConnectionLost) { KillMidRace(1); }

TEST_F(TwoProcesses, KillingTheHostMidRaceBringsTheGuestToConnectionLost) { KillMidRace(0); }

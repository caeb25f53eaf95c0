// NetRaceScreenPeer.cpp -- one player of a direct network race run through the game's own screens, headless.
//
// netrace_screen_peer RUNDIR PORT [LOSS SEED]
// Copies ownip.txt and hostip.txt from RUNDIR into a fresh session (host when
// they are equal) and starts at the waiting room with a direct race of 3 laps
// on course 3 set up. The player gets ready (the host starts once the other is
// ready), the autopilot drives the race through the pad, and every panel after
// it is confirmed once all players have finished. RUNDIR/racing appears when
// the race starts. RUNDIR/result.txt gets "finished" or "lost" (phase 12), the
// frame count, the frame the racing began and the frame phase 12 began (-1 for
// none), then one line per finishing position: entrant, time in ms, finished,
// laps. With LOSS, received datagrams are lost, doubled and delayed.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <thread>

#include "app/tmConfig.h"
#include "harness/Autopilot.h"
#include "harness/Harness.h"
#include "machine/tmMachineCore.h"
#include "race/tmLapTimer.h"
#include "race/tmRaceNetwork.h"
#include "race/tmRaceState.h"
#include "race/tmSeqJoinRace.h"
#include "race/tmSeqRace.h"
#include "sys/input/tmInputActions.h"
#include "sys/net/tmNetwork.h"
#include "tests/race/LossyTransport.h"

namespace {

constexpr int kFrameLimit = 60 * 60 * 10;

class ScreenPeer {
public:
    ScreenPeer(const std::string& run, uint16_t port)
        : run_(run), s_(harness::SessionSetup{true, kSeqJoinRace, port}) {}

    bool Start(double loss, uint32_t seed) {
        for (const char* name : {"ownip.txt", "hostip.txt"}) {
            std::ifstream in(run_ + "/" + name, std::ios::binary);
            std::ofstream(s_.Folder() + "/" + name, std::ios::binary) << in.rdbuf();
        }
        harness::Autopilot::Prepare(s_);
        if (!s_.Start()) return false;
        const tmNetworkAddress& a = tmNetwork::GetInstance()->GetAddresses();
        host_ = a.own == a.host;
        if (loss > 0.0)
            tmRaceNetwork::Create(std::make_unique<racetest::LossyTransport>(
                std::make_unique<tmNetworkTransport>(tmNetwork::GetInstance()), loss, seed));
        tmConfig& cfg = tmConfig::GetInstance();
        cfg.SetPlayerName(host_ ? "HOST" : "GUEST");
        tmRaceState& rs = tmRaceState::Get();
        rs.setup = tmRaceSetup();
        rs.setup.mode = kRaceModeDirect;
        rs.setup.course = 3;
        rs.setup.laps = 3;
        rs.hostFlag = host_ ? 1 : 0;
        return true;
    }

    void Run() {
        for (; frames_ < kFrameLimit; ++frames_) {
            Pace();
            Script();
            if (!s_.Frame()) break;
            Observe();
            if (s_.CurrentId() == kSeqMainMenu || s_.CurrentId() == kSeqTitle) break;
        }
    }

    void Write() const {
        std::FILE* f = std::fopen((run_ + "/result.txt").c_str(), "w");
        if (!f) return;
        const char* what = lostFrame_ >= 0 ? "lost" : (Finished() ? "finished" : "timeout");
        std::fprintf(f, "%s %d %d %d\n", what, frames_, racingFrame_, lostFrame_);
        if (lostFrame_ < 0)
            for (int k = 0; k < count_; ++k)
                std::fprintf(f, "%u %u %d %u\n", results_[k].entrantIndex, results_[k].timeMs, results_[k].finished,
                             results_[k].laps);
        std::fclose(f);
    }

private:
    bool Finished() const { return sawResults_; }

    tmSeqRace* Race() {
        tmSequenceManager* m = s_.Loop().GetSequenceManager();
        return m ? dynamic_cast<tmSeqRace*>(m->GetScreen()) : nullptr;
    }
    tmSeqJoinRace* Room() {
        tmSequenceManager* m = s_.Loop().GetSequenceManager();
        return m ? dynamic_cast<tmSeqJoinRace*>(m->GetScreen()) : nullptr;
    }

    void Tap(int key) {
        // Held for one frame: released by the next Script call.
        s_.Input().SetKey(key, true);
        held_ = key;
    }

    // What a player does before the coming frame.
    void Script() {
        if (held_) s_.Input().SetKey(held_, false), held_ = 0;
        if (tmSeqJoinRace* room = Room()) {
            const tmRaceNetwork* net = tmRaceNetwork::Get();
            if (room->GetState() != tmSeqJoinRace::kWaiting || room->IsReady() || frames_ % 20 != 0) return;
            // The guest is ready once it has its row; the host once the guest is.
            const tmNetPlayerTable& t = net->GetTable();
            const bool go = host_ ? t.count >= 2 && t.entries[1].ready : room->GetOwnIndex() >= 0;
            if (go) Tap(tmKey::kReturn);
            return;
        }
        tmSeqRace* race = Race();
        if (!race) return;
        pilot_.BeforeFrame(s_);
        // Every panel after the race is confirmed once everybody has finished.
        const tmRaceNetwork* net = tmRaceNetwork::Get();
        const bool allDone = net && (!net->IsOpen() || net->GetRaceControl().phase == 4);
        if (race->GetPhase() >= tmSeqRace::kResults && race->GetPhase() != tmSeqRace::kConnectionLost && allDone &&
            ++settle_ > 60 && frames_ % 15 == 0)
            Tap(tmKey::kReturn);
    }

    void Observe() {
        tmSeqRace* race = Race();
        if (!race) return;
        const uint32_t phase = race->GetPhase();
        if (phase == tmSeqRace::kRacing && racingFrame_ < 0) {
            racingFrame_ = frames_;
            if (std::FILE* f = std::fopen((run_ + "/racing").c_str(), "w")) std::fclose(f);
        }
        if (phase == tmSeqRace::kConnectionLost && lostFrame_ < 0) lostFrame_ = frames_;
        if (phase == tmSeqRace::kResults || phase == tmSeqRace::kLevelUp) {
            // The results as the panel shows them, kept until the race is left.
            const tmRaceState& rs = tmRaceState::Get();
            count_ = static_cast<int>(rs.setup.count);
            for (int k = 0; k < count_ && k < kRaceEntrants; ++k) results_[k] = rs.results[k];
            sawResults_ = true;
        }
        const tmRaceState& rs = tmRaceState::Get();
        const tmMachineCore* core = rs.cores[rs.setup.local % kRaceEntrants];
        ownTimeMs_ = rs.status == 3 && core && core->raceState == 1 && core->GetLapTimer()
                         ? tmLapTimer::ToMilliseconds(core->GetLapTimer()->GetTotal())
                         : -1;
    }

    // As the two-process session tests pace: never far ahead of the other
    // player, never waiting on each other, a vanished player counted out at
    // full speed after 2 s. The waiting room runs a frame per millisecond.
    void Pace() {
        const tmRaceNetwork* net = tmRaceNetwork::Get();
        if (!net || !net->IsOpen() || Room()) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
            return;
        }
        bool ahead = net->GetSilence() > 30;
        if (ownTimeMs_ >= 0) {
            int64_t slowest = INT64_MAX;
            const int own = net->FindOwnIndex();
            for (int i = 0; i < static_cast<int>(net->GetTable().count); ++i) {
                if (i == own || net->IsPlayerSilent(i) || net->GetState(i).barrier == 4) continue;
                slowest = std::min<int64_t>(slowest, net->GetState(i).raceTimeMs);
            }
            ahead = ahead || ownTimeMs_ > slowest + 34;
        }
        if (net->GetRaceControl().phase == 4 || !ahead) {
            waited_ = {};
            return;
        }
        using Clock = std::chrono::steady_clock;
        tmNetwork* udp = tmNetwork::GetInstance();
        while (waited_ < std::chrono::seconds(2)) {
            udp->Lock();
            const int queued = udp->GetPacketCount();
            udp->Unlock();
            if (queued > 0) return;
            const Clock::time_point before = Clock::now();
            std::this_thread::sleep_for(std::chrono::microseconds(50));
            waited_ += Clock::now() - before;
        }
    }

    std::string run_;
    harness::Session s_;
    harness::Autopilot pilot_;
    bool host_ = false;
    int held_ = 0;
    int frames_ = 0;
    int settle_ = 0;
    int racingFrame_ = -1;
    int lostFrame_ = -1;
    int64_t ownTimeMs_ = -1;
    std::chrono::steady_clock::duration waited_{};
    bool sawResults_ = false;
    int count_ = 0;
    tmRaceResult results_[kRaceEntrants];
};

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: netrace_screen_peer RUNDIR PORT [LOSS SEED]\n");
        return 2;
    }
    ScreenPeer peer(argv[1], static_cast<uint16_t>(std::atoi(argv[2])));
    const double loss = argc >= 5 ? std::atof(argv[3]) : 0.0;
    const uint32_t seed = argc >= 5 ? static_cast<uint32_t>(std::atoi(argv[4])) : 1;
    if (!peer.Start(loss, seed)) return 2;
    peer.Run();
    peer.Write();
    return 0;
}

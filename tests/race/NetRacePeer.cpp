// NetRacePeer.cpp -- one player of a direct network race over UDP, headless, for the two-process tests.
//
// netrace_peer RUNDIR PORT [LOSS SEED]
// Reads ownip.txt and hostip.txt from RUNDIR (host when they are equal), meets
// the other player in a waiting room, races 3 laps on course 3 with the
// computer driving the local machine, and writes RUNDIR/result.txt: "finished",
// "lost" (connection lost: 1801 silent frames, then 180 more), "left" (the
// waiting room gave up) or "nostart"; the frame count, the frame the racing
// began and the frame the connection was found lost (-1 for none); then one
// line per finishing position: machine index, time in ms, finished, laps. RUNDIR/racing appears when the race starts.
// With LOSS, each received datagram is lost with that chance, duplicated with half of it and held back a frame with all
// of it.
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "app/tmConfig.h"
#include "course/tmCollision.h"
#include "course/tmCourse.h"
#include "machine/tmMachine.h"
#include "machine/tmMachineCore.h"
#include "race/tmRaceNetwork.h"
#include "race/tmRaceState.h"
#include "sys/base/tmRandom.h"
#include "sys/net/tmNetwork.h"
#include "tests/harness/WorkFolder.h"

namespace {

constexpr int kCourse = 3;
constexpr int kLaps = 3;
constexpr int kFrameLimit = 60 * 60 * 12;

// Received datagrams lost, doubled or held back one frame, by a seeded generator of its own.
class LossyTransport : public tmRaceTransport {
public:
    LossyTransport(std::unique_ptr<tmRaceTransport> inner, double loss, uint32_t seed)
        : inner_(std::move(inner)), loss_(loss), seed_(seed ? seed : 1) {}
    bool Open(bool host) override { return inner_->Open(host); }
    void Close() override { inner_->Close(); }
    bool IsOpen() const override { return inner_->IsOpen(); }
    uint32_t OwnAddress() const override { return inner_->OwnAddress(); }
    uint32_t HostAddress() const override { return inner_->HostAddress(); }
    bool Send(uint32_t a, const void* d, int n) override { return inner_->Send(a, d, n); }
    void Lock() override { inner_->Lock(); }
    void Unlock() override { inner_->Unlock(); }
    void Drain(const std::function<void(const tmRaceDatagram&)>& visit) override {
        std::vector<Held> now;
        now.swap(held_);
        inner_->Drain([&](const tmRaceDatagram& d) {
            Held h{std::vector<uint8_t>(d.data, d.data + d.length), d.source};
            const double r = Next();
            if (r < loss_) return;  // lost
            if (r < 2 * loss_)
                held_.push_back(h);  // late by a frame
            else
                now.push_back(h);
            if (Next() < loss_ / 2) now.push_back(h);  // twice
        });
        for (const Held& h : now) {
            tmRaceDatagram d;
            d.data = h.bytes.data();
            d.length = static_cast<int>(h.bytes.size());
            d.source = h.source;
            visit(d);
        }
    }

private:
    struct Held {
        std::vector<uint8_t> bytes;
        uint32_t source;
    };
    double Next() {
        seed_ = seed_ * 6364136223846793005ull + 1442695040888963407ull;
        return static_cast<double>(seed_ >> 11) / 9007199254740992.0;
    }
    std::unique_ptr<tmRaceTransport> inner_;
    double loss_;
    uint64_t seed_;
    std::vector<Held> held_;
};

struct Standing {
    int machine;
    bool finished;
    uint32_t timeMs;
    int laps;
    int progress;
    float distance;
};

bool Before(const Standing& a, const Standing& b) {
    if (a.finished && b.finished && a.timeMs != b.timeMs) return a.timeMs < b.timeMs;
    if (a.finished != b.finished) return a.finished;
    if (a.laps != b.laps) return a.laps > b.laps;
    if (a.progress != b.progress) return a.progress > b.progress;
    return a.distance > b.distance;
}

class Peer {
public:
    Peer(const std::string& run, tmRaceNetwork* net, tmNetwork* udp) : run_(run), net_(net), udp_(udp) {}

    // Frames of the waiting room; true when the race is to start.
    bool WaitingRoom() {
        if (!net_->Start(tmRaceState::Get().hostFlag != 0)) {
            outcome_ = "nostart";
            return false;
        }
        const bool host = net_->IsHost();
        net_->SetOwnStatus(host ? 4 : 9, 0);
        int decided = -1;
        for (; frame_ < kFrameLimit; ++frame_) {
            Pace(true);
            net_->Poll();
            if (frame_ % 6 == 0) {
                net_->Send(kNetMsgEntry);
                if (host) net_->Send(kNetMsgTable);
            }
            const tmNetPlayerTable& t = net_->GetTable();
            if (!host && !net_->GetOwnEntry().ready && net_->FindOwnIndex() >= 0) {
                net_->FreezeOwnStatus();
                net_->Send(kNetMsgEntry);
            }
            if (host && t.sessionState == kNetSessionOpen && t.count >= 2) {
                bool othersReady = true;
                for (uint32_t i = 1; i < t.count; ++i) othersReady &= t.entries[i].ready != 0;
                if (othersReady) {
                    net_->FreezeOwnStatus();
                    net_->Send(kNetMsgEntry);
                    net_->CheckAllReady();
                    net_->Send(kNetMsgTable);
                }
            }
            if (t.sessionState != kNetSessionOpen && decided < 0) decided = frame_;
            if (decided >= 0 && frame_ - decided > 180 + 60) break;
            if (net_->GetSilence() > tmRaceNetwork::kRoomSilenceLimit) {
                outcome_ = "left";
                return false;
            }
        }
        return net_->GetTable().sessionState == kNetSessionStart && net_->SetupRaceFromEntries(tmRaceState::Get());
    }

    void Race() {
        tmRaceState& race = tmRaceState::Get();
        tmCourse course;
        if (!course.Init(kCourse)) return;
        const int count = static_cast<int>(race.setup.count);
        const int local = static_cast<int>(race.setup.local);
        std::vector<std::unique_ptr<tmMachine>> machines;
        for (int i = 0; i < count; ++i) {
            tmEntrant e = race.entrants[i];
            if (i == local) e.controllerType = kControllerComputer;  // the autopilot drives
            machines.push_back(std::make_unique<tmMachine>());
            machines.back()->Init(&course, e, i, i == local, false);
            race.cores[i] = machines.back()->GetCore();
        }
        race.status = 1;
        int phase = 1, counter = 0, countdown = 240, afterFinish = 0, sincePhase4 = -1, lost = -1;
        // The host stays until the guest has had its 360 frames after the finish.
        const int endWait = net_->IsHost() ? 420 : 30;
        for (; frame_ < kFrameLimit; ++frame_) {
            Pace();
            if (lost < 0 && !net_->SyncRace(tmRaceNetwork::MakeMachineState(*machines[local]->GetCore()))) {
                lost = 0;
                lostFrame_ = frame_;
            }
            if (lost >= 0) {
                if (++lost > 180) {
                    outcome_ = "lost";
                    break;
                }
                continue;
            }
            const uint32_t control = net_->GetRaceControl().phase;
            switch (phase) {
                case 1:
                    net_->SetOwnBarrier(1);
                    if (control == 0) counter = std::min(counter, 1);
                    if (++counter > 40) phase = 2, race.status = 2;
                    break;
                case 2:
                    --countdown;
                    if (countdown < 2) {
                        net_->SetOwnBarrier(3);
                        if (control < 3) countdown = 1;
                    }
                    if (countdown < 1) {
                        phase = 3, race.status = 3;
                        racingFrame_ = frame_;
                        if (std::FILE* f = std::fopen((run_ + "/racing").c_str(), "w")) std::fclose(f);
                    }
                    break;
                case 3:
                    if (machines[local]->GetCore()->raceState == 2) phase = 4;
                    break;
                case 4:
                    net_->SetOwnBarrier(4);
                    ++afterFinish;
                    break;
            }
            for (auto& m : machines) m->Update(&course);
            const tmMachineCore* own = machines[local]->GetCore();
            ownTimeMs_ = phase == 3 && own->raceState == 1 ? tmRaceNetwork::MakeMachineState(*own).raceTimeMs : -1;
            if (phase >= 3) UpdateStandings(course, count);
            if (control == 4 && sincePhase4 < 0) sincePhase4 = 0, pace_ = false;
            if (sincePhase4 >= 0 && afterFinish > 360 && ++sincePhase4 > endWait) {
                outcome_ = "finished";
                break;
            }
        }
        net_->Stop();
        for (tmMachineCore*& c : race.cores) c = nullptr;
        machines.clear();
        course.Release();
    }

    void Write() const {
        std::FILE* f = std::fopen((run_ + "/result.txt").c_str(), "w");
        if (!f) return;
        std::fprintf(f, "%s %d %d %d\n", outcome_.c_str(), frame_, racingFrame_, lostFrame_);
        if (outcome_ == "finished") {
            for (const Standing& s : order_)
                std::fprintf(f, "%d %u %d %d\n", s.machine, s.timeMs, s.finished ? 1 : 0, s.laps);
        }
        std::fclose(f);
    }

private:
    // Keeps close to the other player without waiting on each other. The
    // waiting room, where messages come every 6th frame, runs a frame per
    // millisecond. In the race, where every player sends every frame, the one
    // whose race time is ahead waits for the next datagram, and outside the
    // racing phase one that heard nothing for 30 frames does. A wait never
    // polls (so silence does not grow) and gives up after 2 s, after which a
    // vanished player is counted out at full speed.
    void Pace(bool room = false) {
        if (room) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
            return;
        }
        bool ahead = net_->GetSilence() > 30;
        if (ownTimeMs_ >= 0) ahead = ahead || ownTimeMs_ > PeerTimeMs() + 34;
        using Clock = std::chrono::steady_clock;
        if (!pace_ || !ahead) {
            waited_ = Clock::duration::zero();
            return;
        }
        while (waited_ < std::chrono::seconds(2)) {
            udp_->Lock();
            const int queued = udp_->GetPacketCount();
            udp_->Unlock();
            if (queued > 0) return;
            const Clock::time_point before = Clock::now();
            std::this_thread::sleep_for(std::chrono::microseconds(50));
            waited_ += Clock::now() - before;
        }
    }

    // The race time of the slowest other player still racing.
    int64_t PeerTimeMs() const {
        int64_t slowest = INT64_MAX;
        const int own = net_->FindOwnIndex();
        for (int i = 0; i < static_cast<int>(net_->GetTable().count); ++i) {
            if (i == own || net_->IsPlayerSilent(i) || net_->GetState(i).barrier == 4) continue;
            slowest = std::min<int64_t>(slowest, net_->GetState(i).raceTimeMs);
        }
        return slowest;
    }

    void UpdateStandings(const tmCourse& course, int count) {
        const tmRaceState& race = tmRaceState::Get();
        const tmCollision* col = course.GetCollision();
        const int sections = col ? col->GetSectionCount() : 0;
        const int goal = col ? col->GetGoalSection() : 0;
        std::vector<Standing> rows;
        for (int i = 0; i < count; ++i) {
            const tmMachineCore* c = race.cores[i];
            Standing s;
            s.machine = i;
            const tmPeerMachineState& state = net_->GetState(static_cast<int>(c->networkSlot));
            s.laps = c->GetCompletedLaps();
            s.finished = s.laps >= c->GetLapTotal();
            // A remote player who finished says so (barrier 4), whatever its copy here counted.
            if (state.barrier == 4) s.finished = true, s.laps = c->GetLapTotal();
            s.timeMs = state.raceTimeMs;
            s.progress = c->section + (c->section < goal ? sections : 0) - (c->goalCrossed ? 0 : sections);
            s.distance = c->sectionDistance;
            rows.push_back(s);
        }
        if (net_->IsHost()) {
            std::stable_sort(rows.begin(), rows.end(), Before);
            std::vector<int> order;
            for (const Standing& s : rows) order.push_back(s.machine);
            net_->SetRaceOrder(order.data(), count);
        } else {
            std::vector<Standing> byHost;
            for (int k = 0; k < count; ++k) byHost.push_back(rows[net_->GetRaceControl().order[k]]);
            rows.swap(byHost);
        }
        order_ = rows;
    }

    std::string run_;
    tmRaceNetwork* net_;
    tmNetwork* udp_;
    std::string outcome_ = "timeout";
    int frame_ = 0;
    int racingFrame_ = -1;  // the frame the racing began
    int lostFrame_ = -1;    // the frame the connection was found lost
    std::chrono::steady_clock::duration waited_{};
    int64_t ownTimeMs_ = -1;  // the own race time while racing, -1 otherwise
    bool pace_ = true;        // off once every player has finished: the others may be gone
    std::vector<Standing> order_;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: netrace_peer RUNDIR PORT [LOSS SEED]\n");
        return 2;
    }
    const std::string run = argv[1];
    harness::WorkFolder work(true);
    if (!work.Ok()) return 2;

    tmNetwork::Options options;
    options.backend = platform::UdpSocket::Backend::Loopback;
    options.port = static_cast<uint16_t>(std::atoi(argv[2]));
    options.folder = run;
    tmNetwork udp(options);
    udp.LoadAddressFiles();
    const bool host = udp.GetAddresses().own == udp.GetAddresses().host;

    std::unique_ptr<tmRaceTransport> transport = std::make_unique<tmNetworkTransport>(&udp);
    if (argc >= 5)
        transport = std::make_unique<LossyTransport>(std::move(transport), std::atof(argv[3]),
                                                     static_cast<uint32_t>(std::atoi(argv[4])));
    tmRaceNetwork net(std::move(transport));
    tmPeerSource::Set(&net);
    tmRandom::Create()->SetSeed(host ? 11 : 22);
    tmConfig::GetInstance().SetPlayerName(host ? "Host" : "Guest");
    tmRaceState& race = tmRaceState::Get();
    race.setup.course = kCourse;
    race.setup.laps = kLaps;
    race.setup.mode = kRaceModeDirect;
    race.hostFlag = host ? 1 : 0;

    Peer peer(run, &net, &udp);
    if (peer.WaitingRoom()) peer.Race();
    peer.Write();
    tmPeerSource::Set(nullptr);
    return 0;
}

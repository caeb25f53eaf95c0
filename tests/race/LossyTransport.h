// LossyTransport.h -- a race transport that loses, doubles and delays what it receives, for the network tests.
#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "race/tmRaceTransport.h"

namespace racetest {

// Wraps a transport. Each received datagram is lost with chance `loss`, held
// back one drain with the same chance, and delivered twice with half of it,
// by a seeded generator of its own (the race's shared one is untouched). The
// faults sit at the receiver because a relay in the middle would change the
// sender's address, which the session checks against the datagram's header.
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
                held_.push_back(h);  // late by a drain
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

}  // namespace racetest

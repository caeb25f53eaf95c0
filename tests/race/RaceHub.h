// RaceHub.h -- an in-process datagram hub: several race network sessions in one test process.
#pragma once
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <vector>

#include "race/tmRaceTransport.h"

namespace racetest {

class RaceHub;

// One player's side of the hub: a queue of datagrams addressed to it.
class HubEndpoint : public tmRaceTransport {
public:
    HubEndpoint(RaceHub* hub, uint32_t own, uint32_t host) : hub_(hub), own_(own), host_(host) {}
    ~HubEndpoint() override;
    bool Open(bool host) override;
    void Close() override;
    bool IsOpen() const override { return open_; }
    uint32_t OwnAddress() const override { return own_; }
    uint32_t HostAddress() const override { return host_; }
    bool Send(uint32_t address, const void* data, int length) override;
    void Lock() override {}
    void Unlock() override {}
    void Drain(const std::function<void(const tmRaceDatagram&)>& visit) override;

    struct Packet {
        std::vector<uint8_t> bytes;
        uint32_t source;
    };
    std::deque<Packet> queue;
    bool refuseOpen = false;  // Open fails, as a port already taken would
    uint32_t sentBytes = 0;
    uint32_t sentCount = 0;

private:
    RaceHub* hub_;
    uint32_t own_;
    uint32_t host_;
    bool open_ = false;
};

// Delivers datagrams between open endpoints by address; optionally loses,
// duplicates and reorders them (a seeded generator of its own, so the race's
// shared generator is untouched).
class RaceHub {
public:
    static constexpr size_t kQueueLimit = 63;

    // A new endpoint with the given own and host addresses, owned by the caller.
    std::unique_ptr<HubEndpoint> MakeEndpoint(uint32_t own, uint32_t host);
    // Puts raw bytes into the queue of an open endpoint, as if sent from source.
    bool Inject(uint32_t to, const void* data, size_t length, uint32_t source);
    void Deliver(uint32_t from, uint32_t to, const uint8_t* data, size_t length);
    void SetFaults(double loss, double duplicate, double reorder, uint32_t seed);
    void Forget(HubEndpoint* endpoint);
    void Register(HubEndpoint* endpoint);
    uint32_t dropped = 0;

private:
    double Next();
    std::map<uint32_t, HubEndpoint*> open_;
    double loss_ = 0.0, duplicate_ = 0.0, reorder_ = 0.0;
    uint64_t seed_ = 1;
};

// 127.0.0.n in network order.
uint32_t Loopback(int n);

}  // namespace racetest

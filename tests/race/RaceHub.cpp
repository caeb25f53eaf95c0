// RaceHub.cpp -- the in-process datagram hub of the race network tests.
#include "tests/race/RaceHub.h"

#include <cstring>

#include "platform/net/UdpSocket.h"

namespace racetest {

uint32_t Loopback(int n) { return platform::MakeIPv4(127, 0, 0, n); }

HubEndpoint::~HubEndpoint() { Close(); }

bool HubEndpoint::Open(bool) {
    if (open_ || refuseOpen) return false;
    queue.clear();
    open_ = true;
    hub_->Register(this);
    return true;
}

void HubEndpoint::Close() {
    if (!open_) return;
    open_ = false;
    queue.clear();
    hub_->Forget(this);
}

bool HubEndpoint::Send(uint32_t address, const void* data, int length) {
    if (!open_ || !data || length <= 0 || address == 0) return false;
    sentBytes += static_cast<uint32_t>(length);
    ++sentCount;
    hub_->Deliver(own_, address, static_cast<const uint8_t*>(data), static_cast<size_t>(length));
    return true;
}

void HubEndpoint::Drain(const std::function<void(const tmRaceDatagram&)>& visit) {
    while (!queue.empty()) {
        Packet p = std::move(queue.front());
        queue.pop_front();
        tmRaceDatagram d;
        d.data = p.bytes.data();
        d.length = static_cast<int>(p.bytes.size());
        d.source = p.source;
        visit(d);
    }
}

std::unique_ptr<HubEndpoint> RaceHub::MakeEndpoint(uint32_t own, uint32_t host) {
    return std::make_unique<HubEndpoint>(this, own, host);
}

void RaceHub::Register(HubEndpoint* endpoint) { open_[endpoint->OwnAddress()] = endpoint; }

void RaceHub::Forget(HubEndpoint* endpoint) {
    auto it = open_.find(endpoint->OwnAddress());
    if (it != open_.end() && it->second == endpoint) open_.erase(it);
}

bool RaceHub::Inject(uint32_t to, const void* data, size_t length, uint32_t source) {
    auto it = open_.find(to);
    if (it == open_.end() || it->second->queue.size() >= kQueueLimit) return false;
    const uint8_t* b = static_cast<const uint8_t*>(data);
    it->second->queue.push_back({std::vector<uint8_t>(b, b + length), source});
    return true;
}

void RaceHub::SetFaults(double loss, double duplicate, double reorder, uint32_t seed) {
    loss_ = loss;
    duplicate_ = duplicate;
    reorder_ = reorder;
    seed_ = seed ? seed : 1;
}

double RaceHub::Next() {
    seed_ = seed_ * 6364136223846793005ull + 1442695040888963407ull;
    return static_cast<double>(seed_ >> 11) / 9007199254740992.0;
}

void RaceHub::Deliver(uint32_t from, uint32_t to, const uint8_t* data, size_t length) {
    auto it = open_.find(to);
    if (it == open_.end()) return;  // nobody listens there
    if (loss_ > 0.0 && Next() < loss_) {
        ++dropped;
        return;
    }
    const int copies = duplicate_ > 0.0 && Next() < duplicate_ ? 2 : 1;
    for (int c = 0; c < copies; ++c) {
        std::deque<HubEndpoint::Packet>& q = it->second->queue;
        if (q.size() >= kQueueLimit) {
            ++dropped;
            return;
        }
        HubEndpoint::Packet p{std::vector<uint8_t>(data, data + length), from};
        // Reordering: the datagram jumps ahead of the last one queued.
        if (reorder_ > 0.0 && !q.empty() && Next() < reorder_)
            q.insert(q.end() - 1, std::move(p));
        else
            q.push_back(std::move(p));
    }
}

}  // namespace racetest

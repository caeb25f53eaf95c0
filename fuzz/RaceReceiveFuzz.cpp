// RaceReceiveFuzz.cpp -- the race network's receive path on a host and a guest session fed arbitrary datagrams.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <memory>
#include <vector>

#include "race/tmRaceNetwork.h"

namespace {

constexpr uint32_t kHost = 0x0100007Fu;   // 127.0.0.1
constexpr uint32_t kGuest = 0x0200007Fu;  // 127.0.0.2
constexpr uint32_t kOther = 0x0300007Fu;  // 127.0.0.3

// A transport whose queue the harness fills; sends go nowhere.
class FeedTransport : public tmRaceTransport {
public:
    explicit FeedTransport(uint32_t own) : own_(own) {}
    bool Open(bool) override { return open_ = true; }
    void Close() override { open_ = false; }
    bool IsOpen() const override { return open_; }
    uint32_t OwnAddress() const override { return own_; }
    uint32_t HostAddress() const override { return kHost; }
    bool Send(uint32_t, const void*, int) override { return true; }
    void Lock() override {}
    void Unlock() override {}
    void Drain(const std::function<void(const tmRaceDatagram&)>& visit) override {
        for (auto& p : queue) {
            tmRaceDatagram d;
            d.data = p.second.data();
            d.length = static_cast<int>(p.second.size());
            d.source = p.first;
            visit(d);
        }
        queue.clear();
    }
    std::deque<std::pair<uint32_t, std::vector<uint8_t>>> queue;

private:
    uint32_t own_;
    bool open_ = false;
};

struct Side {
    FeedTransport* transport;
    std::unique_ptr<tmRaceNetwork> net;
};

Side MakeSide(uint32_t own, bool host) {
    auto t = std::make_unique<FeedTransport>(own);
    Side s{t.get(), std::make_unique<tmRaceNetwork>(std::move(t))};
    s.net->Start(host);
    return s;
}

void Check(bool ok) {
    if (!ok) std::abort();
}

}  // namespace

// Input: records of {side and source byte, length u16 LE, bytes}; the side's
// session polls after each record.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static bool quiet = (tmRaceNetwork::SetQuietLog(true), true);
    (void)quiet;
    Side host = MakeSide(kHost, true);
    Side guest = MakeSide(kGuest, false);
    const uint32_t sources[4] = {kHost, kGuest, kOther, 0};
    size_t pos = 0;
    while (pos + 3 <= size) {
        const uint8_t how = data[pos];
        size_t length = data[pos + 1] | static_cast<size_t>(data[pos + 2]) << 8;
        pos += 3;
        if (length > size - pos) length = size - pos;
        if (length > 1280) length = 1280;  // the transport's slot
        Side& to = (how & 1) ? guest : host;
        to.transport->queue.emplace_back(sources[(how >> 1) & 3],
                                         std::vector<uint8_t>(data + pos, data + pos + length));
        pos += length;
        to.net->Poll();
        if (how & 8) to.net->Send(4);
    }
    for (Side* s : {&host, &guest}) {
        const tmNetPlayerTable& t = s->net->GetTable();
        Check(t.count <= 16);
        if (t.count > 0) Check(tmNetIsTableValid(t));
        Check(tmNetIsControlValid(s->net->GetRaceControl()));
        for (int g = 0; g < 16; ++g) {
            const int slot = s->net->FindNetworkSlot(g);
            Check(slot >= -1 && slot < static_cast<int>(t.count));
        }
    }
    return 0;
}

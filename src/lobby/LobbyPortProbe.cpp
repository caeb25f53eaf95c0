// LobbyPortProbe.cpp -- the probe's accept, compare-and-answer and close rules.
#include "lobby/LobbyPortProbe.h"

#include <cstdio>
#include <cstring>

namespace g2lobby {

namespace {
// A receive compared as a zero-terminated text: one byte more than is read keeps the terminator.
bool IsGuid(const char (&buffer)[LobbyPortProbe::kReceiveBytes + 1], const std::string& guid) {
    return std::strcmp(buffer, guid.c_str()) == 0;
}
}  // namespace

void LobbyPortProbe::Open(uint32_t address, uint16_t port) {
    Close();
    tcpListen_ = tmProbeSocket::ListenTcp(address, port, 1);
    udp_ = tmProbeSocket::BindUdp(address, port);
    silentUpdates_ = 0;
}

void LobbyPortProbe::Close() {
    udp_.reset();
    tcpAccepted_.reset();
    tcpListen_.reset();
}

void LobbyPortProbe::Pump(const std::string& guid) {
    PumpTcp(guid);
    PumpUdp(guid);
}

void LobbyPortProbe::PumpTcp(const std::string& guid) {
    if (!tcpAccepted_) {
        if (!tcpListen_) return;
        const tmProbeSocket::Status s = tcpListen_->Accept(&tcpAccepted_);
        if (s == tmProbeSocket::Status::kOk) {
            silentUpdates_ = 0;
        } else if (s != tmProbeSocket::Status::kWouldBlock) {
            std::fprintf(stderr, "lobby: the probe listener failed; no TCP answers this visit\n");
            tcpListen_.reset();
        }
        return;  // an accepted connection is read from the next update
    }
    char buffer[kReceiveBytes + 1] = {};
    const tmProbeSocket::Result r = tcpAccepted_->Recv(buffer, kReceiveBytes);
    if (r.status == tmProbeSocket::Status::kOk) {
        silentUpdates_ = 0;
        if (!IsGuid(buffer, guid)) return;  // wait for more
        tcpAccepted_->Send(guid.data(), guid.size());
        ++tcpAnswers_;
        tcpAccepted_.reset();
        tcpListen_.reset();  // answered once per visit
        return;
    }
    if (r.status == tmProbeSocket::Status::kWouldBlock) {
        if (++silentUpdates_ < kSilentUpdates) return;
        std::fprintf(stderr, "lobby: a probe connection stayed silent for %d updates; dropped\n", kSilentUpdates);
    }
    tcpAccepted_.reset();  // the listener stays for the next probe
}

void LobbyPortProbe::PumpUdp(const std::string& guid) {
    if (!udp_) return;
    char buffer[kReceiveBytes + 1] = {};
    uint32_t from = 0;
    uint16_t port = 0;
    const tmProbeSocket::Result r = udp_->RecvFrom(buffer, kReceiveBytes, &from, &port);
    if (r.status == tmProbeSocket::Status::kOk) {
        if (!IsGuid(buffer, guid)) return;
        udp_->SendTo(guid.data(), guid.size(), from, port);
        ++udpAnswers_;
        udp_.reset();
        return;
    }
    if (r.status == tmProbeSocket::Status::kError) {
        std::fprintf(stderr, "lobby: the probe's UDP socket failed; no UDP answers this visit\n");
        udp_.reset();
    }
}

}  // namespace g2lobby

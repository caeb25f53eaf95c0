// tmRaceTransport.cpp -- the race transport over the UDP datagram transport.
#include "race/tmRaceTransport.h"

#include "sys/net/tmNetwork.h"

bool tmNetworkTransport::Open(bool host) { return network_ && network_->Init(host); }

void tmNetworkTransport::Close() {
    if (network_) network_->Term();
}

bool tmNetworkTransport::IsOpen() const { return network_ && network_->IsOpen(); }

uint32_t tmNetworkTransport::OwnAddress() const { return network_ ? network_->GetAddresses().own : 0; }

uint32_t tmNetworkTransport::HostAddress() const { return network_ ? network_->GetAddresses().host : 0; }

bool tmNetworkTransport::Send(uint32_t address, const void* data, int length) {
    return network_ && network_->SendTo(address, data, length);
}

void tmNetworkTransport::Lock() {
    if (network_) network_->Lock();
}

void tmNetworkTransport::Unlock() {
    if (network_) network_->Unlock();
}

void tmNetworkTransport::Drain(const std::function<void(const tmRaceDatagram&)>& visit) {
    if (!network_) return;
    const int count = network_->GetPacketCount();
    for (int i = 0; i < count; ++i) {
        tmRaceDatagram d;
        d.data = network_->GetPacket(i);
        d.length = network_->GetPacketLength(i);
        d.source = network_->GetPacketSource(i);
        if (d.data) visit(d);
    }
    if (count > 0) network_->ClearPackets();
}

// LobbyPortProbe.h -- answers the lobby server's reachability probe of the race port over TCP and UDP.
#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "sys/net/tmProbeSocket.h"

namespace g2lobby {

// The lobby server tests a player's race port from outside: it connects over
// TCP and sends a datagram, each carrying the player's GUID text, and expects
// the text back. This answers both, once each per visit: a TCP listener
// (backlog 1) with at most one accepted connection, and a UDP socket, all
// non-blocking and polled once per logic update. Each receive is compared on
// its own as a zero-terminated text (a GUID split over two receives is never
// answered). A connection that stays silent for kSilentUpdates updates is
// dropped, so a silent peer cannot block later probes. Owns its sockets.
class LobbyPortProbe {
public:
    static constexpr size_t kReceiveBytes = 256;
    static constexpr int kSilentUpdates = 600;

    LobbyPortProbe() = default;
    ~LobbyPortProbe() { Close(); }
    LobbyPortProbe(const LobbyPortProbe&) = delete;
    LobbyPortProbe& operator=(const LobbyPortProbe&) = delete;

    // Opens the listener and the UDP socket on address:port (address 0:
    // every local address); a socket that cannot be opened stays closed.
    void Open(uint32_t address, uint16_t port);
    void Close();
    // One update: at most one accept or one receive on TCP, one receive on UDP.
    void Pump(const std::string& guid);

    bool IsListening() const { return tcpListen_ != nullptr; }
    bool IsConnected() const { return tcpAccepted_ != nullptr; }
    bool IsUdpOpen() const { return udp_ != nullptr; }
    int GetTcpAnswers() const { return tcpAnswers_; }
    int GetUdpAnswers() const { return udpAnswers_; }

private:
    void PumpTcp(const std::string& guid);
    void PumpUdp(const std::string& guid);

    std::unique_ptr<tmProbeSocket> tcpListen_;
    std::unique_ptr<tmProbeSocket> tcpAccepted_;
    std::unique_ptr<tmProbeSocket> udp_;
    int silentUpdates_ = 0;
    int tcpAnswers_ = 0;
    int udpAnswers_ = 0;
};

}  // namespace g2lobby
